#include "base2/json_util.h"

namespace base2 {

std::optional<Json> ParseJsonObject(std::string_view text) {
  Json parsed = Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  if (!parsed.is_object()) return std::nullopt;
  return parsed;
}

void SetPath(Json& object, std::string_view dotted_path, Json value) {
  Json* current = &object;
  size_t start = 0;
  for (size_t dot; (dot = dotted_path.find('.', start)) != std::string_view::npos; start = dot + 1) {
    Json& child = (*current)[std::string(dotted_path.substr(start, dot - start))];
    if (!child.is_object()) child = Json::object();
    current = &child;
  }
  (*current)[std::string(dotted_path.substr(start))] = std::move(value);
}

void DeepMerge(Json& target, const Json& source) {
  for (auto member = source.begin(); member != source.end(); ++member) {
    auto existing = target.find(member.key());
    if (member->is_object() && existing != target.end() && existing->is_object()) {
      DeepMerge(*existing, *member);
    } else {
      target[member.key()] = *member;
    }
  }
}

std::string WriteJson(const Json& value) {
  return value.dump(-1, ' ', /*ensure_ascii=*/false, Json::error_handler_t::replace);
}

}  // namespace base2
