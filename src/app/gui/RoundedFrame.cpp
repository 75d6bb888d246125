#include "app/gui/RoundedFrame.h"

#include <QPainter>

namespace listorix {

RoundedFrame::RoundedFrame(QColor colour, int penWidth, QWidget* parent)
    : QWidget(parent), m_colour(colour), m_penWidth(penWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents); // the name and icon beneath take the mouse
}

void RoundedFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_colour, m_penWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = m_penWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const qreal radius = qMin(box.width(), box.height()) / 4.0;
    painter.drawRoundedRect(box, radius, radius);
}

} // namespace listorix
