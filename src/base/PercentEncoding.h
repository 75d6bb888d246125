#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Every byte but the unreserved ones of an address (letters, digits and "-._~")
// and those in `alsoKept` written as "%XX" with upper-case digits.
std::string percentEncode(std::string_view text, std::string_view alsoKept = {});

} // namespace listorix
