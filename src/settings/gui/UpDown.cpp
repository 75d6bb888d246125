#include "settings/gui/UpDown.h"

#include "base/gui/Looks.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace listorix {

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    auto* layout = tightColumn(this);
    for (const auto& [arrow, delta, name] :
         {std::tuple{Qt::UpArrow, 1, "Up"}, std::tuple{Qt::DownArrow, -1, "Down"}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, d = delta] { emit stepped(d); });
    }
}

} // namespace listorix
