#pragma once

#include <QColor>

class QVBoxLayout;
class QWidget;

namespace listorix {

// How the window's labels and strips look: a text colour, bold or not, and a
// background of their own when one is given (an invalid colour keeps the parent's).
void setLook(QWidget* widget, const QColor& text, bool bold = true, const QColor& background = QColor());

// A column of controls that fill their owner edge to edge, without gaps.
QVBoxLayout* tightColumn(QWidget* owner);

inline const QColor kNavy(0, 0, 128);
inline const QColor kPurple(128, 0, 128);

} // namespace listorix
