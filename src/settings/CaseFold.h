#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Letter case of Windows-1252 text, the code page of every text the program keeps:
// A-Z, the accented capitals of Latin-1 and the capitals S, Z and OE with caron or
// ligature and Y with diaeresis fold to their small letters; every other byte is
// its own fold. Names in the settings file and security codes match this way.
char foldCase(char c);
std::string foldCase(std::string_view text);
bool textEqualsIgnoringCase(std::string_view first, std::string_view second);

} // namespace listorix
