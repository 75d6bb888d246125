#include "app/gui/WindowPlacementKeeper.h"

#include "settings/IniFile.h"
#include "settings/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <exception>
#include <iostream>

namespace listorix {

namespace {

constexpr int kDesignWidth = 614;
constexpr int kDesignHeight = 444;

WindowRect toRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect toQRect(const WindowRect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

bool WindowPlacementKeeper::restore(QWidget& window) const
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryArea = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
    std::optional<WindowPlacement> placement;
    try {
        placement = readWindowPlacement(IniFile(m_file));
    } catch (const std::exception&) {
        // An unreadable file leaves the window where it is designed to stand.
    }
    if (!placement) {
        QRect design(0, 0, kDesignWidth, kDesignHeight);
        design.moveCenter(primaryArea.center());
        window.setGeometry(design);
        return false;
    }
    std::vector<WindowRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(toRect(screen->availableGeometry()));
    window.setGeometry(toQRect(bringWithinReach(placement->normal, screens, toRect(primaryArea))));
    return placement->maximized;
}

void WindowPlacementKeeper::save(const QWidget& window) const
{
    WindowPlacement placement;
    const QRect normal = window.normalGeometry();
    placement.normal = toRect(normal.isValid() ? normal : window.geometry());
    // A window minimised from maximised carries both states.
    placement.maximized = (window.windowState() & Qt::WindowMaximized) != 0;
    if (const QScreen* screen = window.screen())
        placement.pixelsPerInch = static_cast<int>(screen->logicalDotsPerInch() + 0.5);
    try {
        IniFile file(m_file);
        writeWindowPlacement(file, placement);
    } catch (const std::exception& error) {
        std::cerr << "listorix: " << error.what() << '\n';
    }
}

} // namespace listorix
