#include "platform/instance_counter.h"

#include <windows.h>

// The running copies, in a data section that the loader shares between all
// processes of this executable file. A plain counter would stay raised for a
// copy that was killed (TerminateProcess) while another process of the file
// keeps the section alive, and refuse every later start; so each copy holds a
// slot with its process id and start time instead, and only copies that are
// still alive are counted.
namespace {

struct InstanceSlot {
  volatile LONG process_id;
  volatile LONG start_low;  // creation time; 0 while being filled in
  volatile LONG start_high;
};

constexpr int kSlots = 64;

}  // namespace

__attribute__((section("Shared"), shared)) InstanceSlot InstanceSlots[kSlots] = {};

namespace {

FILETIME StartTimeOf(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  return created;
}

// True while the process of `slot` runs; a dead one's slot is freed.
bool IsAlive(InstanceSlot& slot) {
  LONG process_id = slot.process_id;
  if (process_id == 0) return false;
  if (slot.start_low == 0 && slot.start_high == 0) return true;  // being filled in
  bool alive = false;
  if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process_id))) {
    DWORD exit_code = 0;
    FILETIME started = StartTimeOf(process);
    alive = GetExitCodeProcess(process, &exit_code) && exit_code == STILL_ACTIVE &&
            static_cast<LONG>(started.dwLowDateTime) == slot.start_low &&
            static_cast<LONG>(started.dwHighDateTime) == slot.start_high;
    CloseHandle(process);
  }
  if (!alive) InterlockedCompareExchange(&slot.process_id, 0, process_id);
  return alive;
}

}  // namespace

namespace platform {

int InstanceCount() {
  int count = 0;
  for (InstanceSlot& slot : InstanceSlots) count += IsAlive(slot) ? 1 : 0;
  return count;
}

void RaiseInstanceCount() {
  LONG self = static_cast<LONG>(GetCurrentProcessId());
  for (InstanceSlot& slot : InstanceSlots) {
    if (!IsAlive(slot) && InterlockedCompareExchange(&slot.process_id, self, 0) == 0) {
      FILETIME started = StartTimeOf(GetCurrentProcess());
      InterlockedExchange(&slot.start_high, static_cast<LONG>(started.dwHighDateTime));
      InterlockedExchange(&slot.start_low, static_cast<LONG>(started.dwLowDateTime));
      return;
    }
  }
}

void LowerInstanceCount() {
  LONG self = static_cast<LONG>(GetCurrentProcessId());
  for (InstanceSlot& slot : InstanceSlots) {
    if (slot.process_id == self) {
      slot.start_low = 0;
      slot.start_high = 0;
      InterlockedCompareExchange(&slot.process_id, 0, self);
      return;
    }
  }
}

}  // namespace platform
