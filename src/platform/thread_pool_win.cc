#include "platform/thread_pool.h"

#include <windows.h>

namespace platform {
namespace {

struct WorkItem {
  WorkFunction work;
  void* context;
};

DWORD WINAPI RunWorkItem(LPVOID parameter) {
  WorkItem item = *static_cast<WorkItem*>(parameter);
  delete static_cast<WorkItem*>(parameter);
  item.work(item.context);
  return 0;
}

}  // namespace

bool QueueWork(WorkFunction work, void* context) {
  auto* item = new WorkItem{work, context};
  if (QueueUserWorkItem(RunWorkItem, item, WT_EXECUTEDEFAULT)) return true;
  delete item;
  return false;
}

}  // namespace platform
