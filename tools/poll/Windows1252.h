#pragma once

#include <string>
#include <string_view>

namespace listorix::poll {

// The core's Windows-1252 text as UTF-8, for the terminal; the five bytes the
// code page leaves undefined become U+FFFD.
std::string utf8FromWindows1252(std::string_view text);

} // namespace listorix::poll
