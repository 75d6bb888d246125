#pragma once

#include <string>
#include <string_view>

namespace listorix {

// UTF-8 text (as JSON brings it) in the program's code page, Windows-1252. A
// character the code page lacks, and a byte that is not well-formed UTF-8, become
// "?".
std::string windows1252FromUtf8(std::string_view utf8);

} // namespace listorix
