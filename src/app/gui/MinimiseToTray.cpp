#include "app/gui/MinimiseToTray.h"

#include <QEvent>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace listorix {

MinimiseToTray::MinimiseToTray(QWidget* window, AreaAvailable available)
    : QObject(window), m_window(window), m_available(std::move(available))
{
    if (!m_available)
        m_available = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    m_window->installEventFilter(this);
}

bool MinimiseToTray::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool minimisedNow = m_window->isMinimized() && !(change->oldState() & Qt::WindowMinimized);
        if (minimisedNow && m_available()) {
            // After the state change has run its course: hidden, and left minimised
            // until restore(). Taking the minimised state away here would undo the
            // hiding: on X, un-minimising maps the window again whether it is
            // hidden or not, so it would stand on the screen with the widget
            // believing it hidden.
            QPointer<QWidget> window = m_window;
            QTimer::singleShot(0, this, [window] {
                if (window)
                    window->hide();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void MinimiseToTray::restore(QWidget* window)
{
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace listorix
