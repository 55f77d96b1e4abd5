#include "shell/main_window.h"

namespace shell {

Point CenteredPosition(const Rect& reference, int width, int height, int screen_width, int screen_height) {
  Point position{reference.left + (reference.width() - width) / 2, reference.top + (reference.height() - height) / 2};
  if (position.x < 0) position.x = 0;
  if (position.y < 0) position.y = 0;
  if (position.x + width > screen_width) position.x = screen_width - width;
  if (position.y + height > screen_height) position.y = screen_height - height;
  return position;
}

ShowMode ChooseShowMode(const std::string& full_screen, const std::string& window_maximize) {
  if (full_screen == "0") return ShowMode::kFullScreen;
  if (window_maximize == "1") return ShowMode::kMaximized;
  return ShowMode::kCentered;
}

}  // namespace shell
