#include "base/gui/GlyphIcon.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

namespace listorix {

namespace {

QPixmap drawGlyph(const QString& symbol, const QColor& colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setBold(true);
    // As large as fits: a single symbol takes three quarters of the square, a
    // short word the whole width.
    for (int pixels = size * 3 / 4; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(symbol) <= size)
            break;
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return pixmap;
}

} // namespace

QIcon glyphIcon(const QString& symbol, const QColor& colour, int size)
{
    QIcon icon;
    icon.addPixmap(drawGlyph(symbol, colour, size), QIcon::Normal);
    icon.addPixmap(drawGlyph(symbol, QColor(160, 160, 160), size), QIcon::Disabled);
    return icon;
}

} // namespace listorix
