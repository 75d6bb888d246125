#include "app/gui/ProgramIcon.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library are registered by hand.
static void registerIconResource()
{
    Q_INIT_RESOURCE(listorix);
}

namespace listorix {

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QSvgRenderer& iconRenderer()
{
    static const bool registered = (registerIconResource(), true);
    static QSvgRenderer renderer(QStringLiteral(":/listorix/listorix.svg"));
    static_cast<void>(registered);
    return renderer;
}

} // namespace

QPixmap programIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    iconRenderer().render(&painter);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace listorix
