#ifndef QOR_BASE2_JSON_UTIL_H_
#define QOR_BASE2_JSON_UTIL_H_

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// The program's value tree is nlohmann::json; objects keep their keys sorted.
// None of these functions throws.
namespace base2 {

using Json = nlohmann::json;

// The top-level object of a UTF-8 JSON text; nothing when the text does not
// parse or its top-level value is not an object.
std::optional<Json> ParseJsonObject(std::string_view text);

// Stores `value` under a dotted path: "a.b" makes (or reuses) the object "a"
// and sets its member "b". A member in the way that is not an object is replaced.
void SetPath(Json& object, std::string_view dotted_path, Json value);

// Merges `source` into `target`: a member that is an object on both sides is
// merged member by member, any other member of `source` replaces or adds.
void DeepMerge(Json& target, const Json& source);

// Compact text, no white space, members in sorted key order. Bytes that are
// not UTF-8 are replaced rather than failing.
std::string WriteJson(const Json& value);

}  // namespace base2

#endif  // QOR_BASE2_JSON_UTIL_H_
