#ifndef QOR_PLATFORM_INSTANCE_COUNTER_H_
#define QOR_PLATFORM_INSTANCE_COUNTER_H_

// `InstanceCount`: how many main processes of this executable are inside
// their message loop, shared by every process started from the same
// executable file. A process that dies, even killed, stops being counted.
// Thread-safe.
namespace platform {

int InstanceCount();
void RaiseInstanceCount();
void LowerInstanceCount();

}  // namespace platform

#endif  // QOR_PLATFORM_INSTANCE_COUNTER_H_
