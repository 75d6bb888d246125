#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace listorix {

// WindowHook1BeforeMessage: minimising the watched window hides it instead, so
// that no taskbar entry stays while it waits in the notification area. Only when
// a notification area exists: otherwise the window minimises as usual and keeps
// its taskbar entry, so it is never hidden with no way back.
class MinimiseToTray final : public QObject
{
    Q_OBJECT

public:
    // Whether the desktop has a notification area now; asked at each minimise.
    using AreaAvailable = std::function<bool()>;

    // Watches `window` (not owned; the filter is its child). An empty `available`
    // asks QSystemTrayIcon::isSystemTrayAvailable().
    explicit MinimiseToTray(QWidget* window, AreaAvailable available = {});

    // TrayIcon1Click: the window visible again, in front, with the input focus.
    static void restore(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    AreaAvailable m_available;
};

} // namespace listorix
