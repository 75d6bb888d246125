#pragma once

#include <string>
#include <string_view>

namespace listorix {

// `text` made safe as HTML element content or a double-quoted attribute value:
// "&", "<", ">" and the double quote become entities, every other byte (8-bit
// Windows-1252 text included) stays as it is.
std::string htmlEscape(std::string_view text);

} // namespace listorix
