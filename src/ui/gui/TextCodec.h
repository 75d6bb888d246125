#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace listorix {

// The core's 8-bit Windows-1252 text at the Qt edge.
QString fromCp1252(std::string_view text);
// Characters Windows-1252 cannot hold become "?".
std::string toCp1252(const QString& text);
// As fromCp1252, with the core's line ends (CR LF, or a lone CR) made "\n" for display.
QString displayText(std::string_view text);

} // namespace listorix
