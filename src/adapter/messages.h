#ifndef QOR_ADAPTER_MESSAGES_H_
#define QOR_ADAPTER_MESSAGES_H_

// The process messages between the page side (render process) and the
// browser side. Every argument is a string.
namespace Qor {
namespace Adapter {

// Render to browser: uid, pluginKey, actionKey, args.
constexpr char kRequestMessage[] = "Request";
constexpr int kRequestArgumentCount = 4;
// Browser to render: uid, text (an answer, or the chosen file's path).
constexpr char kResponseMessage[] = "Response";
constexpr int kResponseArgumentCount = 2;
// Render to browser: uid.
constexpr char kOpenFileMessage[] = "OpenFile";
constexpr int kOpenFileArgumentCount = 1;

}  // namespace Adapter
}  // namespace Qor

#endif  // QOR_ADAPTER_MESSAGES_H_
