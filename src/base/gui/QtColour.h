#pragma once

#include "base/Colour.h"

#include <QColor>

namespace listorix {

// A core colour (blue, green, red from the high byte down) as a Qt colour.
inline QColor qColour(TColor colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace listorix
