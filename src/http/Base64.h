#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// Base64 with the standard alphabet and "=" padding, as Basic authentication sends it.
std::string base64Encode(std::string_view bytes);
// The bytes of such a text; nothing when it is malformed (a length that is not a
// multiple of four, a character outside the alphabet, padding anywhere but in the
// last two places).
std::optional<std::string> base64Decode(std::string_view text);

} // namespace listorix
