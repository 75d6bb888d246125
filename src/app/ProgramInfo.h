#pragma once

#include <string_view>

namespace listorix {

// The program's name and version as the main window's caption shows them.
std::string_view programCaption();

} // namespace listorix
