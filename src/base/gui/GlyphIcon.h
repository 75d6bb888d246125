#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace listorix {

// A button glyph drawn from a symbol or short word of the user interface font (the
// buttons carry no artwork of their own): centred on a transparent square, as large
// as fits, greyed when the button is disabled.
QIcon glyphIcon(const QString& symbol, const QColor& colour, int size = 24);

} // namespace listorix
