#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace listorix {

// The Qt edge of the core's text: the core holds 8-bit Windows-1252, Qt holds
// Unicode. Every text crossing between them goes through this pair.

// The five bytes the code page leaves undefined come out as U+FFFD.
QString qText(std::string_view windows1252);
// A character the code page cannot hold becomes "?".
std::string coreText(const QString& text);

} // namespace listorix
