#pragma once

#include "base/TextSink.h"

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;

namespace listorix {

// TrayIcon1: the program's notification-area icon. Its hint starts as "Listorix"
// and takes each text the core writes to it (the tray hint, RefreshTrayHint);
// a left click asks for the window back (restoreRequested, TrayIcon1Click), a
// right click opens the menu given (PopupMenuTrayIcon) and nothing else.
//
// Where the desktop has no notification area the icon is simply not seen: it is
// still made and kept, and shows up if an area appears later.
class TrayIcon final : public QObject, public TextSink
{
    Q_OBJECT

public:
    TrayIcon(QMenu* PopupMenuTrayIcon, QObject* parent = nullptr);

    // The hint, 8-bit text from the core.
    void setText(const std::string& text) override;
    QString hint() const { return m_icon.toolTip(); }

    // Shows the icon (at the end of the start-up sequence); it stays to the end.
    void activate() { m_icon.show(); }
    bool isActive() const { return m_icon.isVisible(); }

    QSystemTrayIcon& systemTrayIcon() { return m_icon; }

signals:
    void restoreRequested();

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};

} // namespace listorix
