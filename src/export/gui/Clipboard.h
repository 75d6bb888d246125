#pragma once

#include <string>

namespace listorix {

// Replaces the system clipboard's content by the core's 8-bit text as plain text.
void putTextOnClipboard(const std::string& text);

} // namespace listorix
