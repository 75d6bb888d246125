#pragma once

#include <QString>
#include <string_view>

namespace listorix {

// A core text of several lines as a label shows it: qText, with the core's line
// ends (CR LF, or a lone CR) made "\n", which Qt breaks lines at.
QString displayText(std::string_view text);

} // namespace listorix
