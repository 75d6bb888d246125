#include "base/gui/Looks.h"

#include <QVBoxLayout>
#include <QWidget>

namespace listorix {

void setLook(QWidget* widget, const QColor& text, bool bold, const QColor& background)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

QVBoxLayout* tightColumn(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace listorix
