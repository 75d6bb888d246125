#pragma once

#include <string_view>

namespace listorix {

// The program's version as the about box shows it, "4.35".
std::string_view programVersion();

// The program's name and version as the main window's caption shows them.
std::string_view programCaption();

} // namespace listorix
