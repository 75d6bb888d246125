#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// Ordered text lines, each 8-bit Windows-1252 text without its line end: an
// answer, a ticker list, a request list, a report.
using LineList = std::vector<std::string>;

// Appends the lines of `text`: CR LF, a lone CR and a lone LF each end a line, and
// a last line without an end still counts. An answer body or a file read this way.
void appendLines(std::string_view text, LineList& target);

} // namespace listorix
