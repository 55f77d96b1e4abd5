#ifndef QOR_COMMON_PLUGIN_IDENTITY_H_
#define QOR_COMMON_PLUGIN_IDENTITY_H_

// Each image that carries the module runtime (every module, and the host)
// defines these once: its name ("vistel") and the tag in front of its own log
// messages ("[V(1/16)]", or "" for none).
namespace qor_plugin {

extern const char kModuleName[];
extern const char kVersionTag[];

}  // namespace qor_plugin

#endif  // QOR_COMMON_PLUGIN_IDENTITY_H_
