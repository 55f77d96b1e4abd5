#ifndef QOR_PLATFORM_THREAD_POOL_H_
#define QOR_PLATFORM_THREAD_POOL_H_

namespace platform {

using WorkFunction = void (*)(void* context);

// Runs `work(context)` on a thread of the process-wide pool and returns at
// once; false when the pool refuses the work (it then never runs). Work items
// run in parallel, in no particular order. The pool grows when all its
// threads are busy, so a call that blocks (a dialog, a slow module) never
// stalls the others, and shrinks when idle. Thread-safe.
bool QueueWork(WorkFunction work, void* context);

}  // namespace platform

#endif  // QOR_PLATFORM_THREAD_POOL_H_
