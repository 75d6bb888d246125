#pragma once

#include <string>
#include <string_view>

namespace listorix {

// The program's code page, Windows-1252, and Unicode, both ways. The core holds
// its text in the code page; JSON brings UTF-8, terminals and Qt want Unicode.

// The character a byte of the code page stands for; the five bytes the page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for U+FFFD.
char32_t unicodeFromWindows1252(char byte);
// The byte of the code page for a character; "?" for one the page lacks.
char windows1252FromUnicode(char32_t code);

// Windows-1252 text as UTF-8, the undefined bytes as U+FFFD.
std::string utf8FromWindows1252(std::string_view text);
// UTF-8 text in the code page. A character the code page lacks, and a byte that
// is not well-formed UTF-8, become "?".
std::string windows1252FromUtf8(std::string_view utf8);

} // namespace listorix
