#ifndef QOR_ADAPTER_WEBKIT_USER_MESSAGES_H_
#define QOR_ADAPTER_WEBKIT_USER_MESSAGES_H_

// The argument lists of the page messages as WebKit user-message
// parameters, for both sides of the binding: every argument a string.
#include "adapter/messages.h"

namespace Qor {
namespace Adapter {

constexpr char kRequestParameters[] = "(ssss)";
constexpr char kResponseParameters[] = "(ss)";
constexpr char kOpenFileParameters[] = "(s)";
// What the browser side hands the web-process extension: options, program folder.
constexpr char kExtensionDataParameters[] = "(ss)";

constexpr int StringCount(const char* parameters) { return *parameters ? (*parameters == 's') + StringCount(parameters + 1) : 0; }
static_assert(StringCount(kRequestParameters) == kRequestArgumentCount);
static_assert(StringCount(kResponseParameters) == kResponseArgumentCount);
static_assert(StringCount(kOpenFileParameters) == kOpenFileArgumentCount);

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_WEBKIT_USER_MESSAGES_H_
