#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace listorix::quoted {

// Standard alphabet with "=" padding; nothing on malformed input.
std::optional<std::string> base64Decode(std::string_view text);
std::string base64Encode(std::string_view bytes);

} // namespace listorix::quoted
