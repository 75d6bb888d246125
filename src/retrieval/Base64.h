#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Base64 with the standard alphabet and "=" padding, as Basic authentication sends it.
std::string base64Encode(std::string_view bytes);

} // namespace listorix
