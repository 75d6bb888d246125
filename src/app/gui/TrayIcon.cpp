#include "app/gui/TrayIcon.h"

#include "app/gui/ProgramIcon.h"
#include "base/gui/QtText.h"

#include <QMenu>

namespace listorix {

TrayIcon::TrayIcon(QMenu* PopupMenuTrayIcon, QObject* parent) : QObject(parent), m_icon(programIcon())
{
    setObjectName(QStringLiteral("TrayIcon1"));
    m_icon.setToolTip(QStringLiteral("Listorix"));
    m_icon.setContextMenu(PopupMenuTrayIcon);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

void TrayIcon::setText(const std::string& text)
{
    m_icon.setToolTip(qText(text));
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    // The right click's menu is the icon's own business (its context menu).
    if (reason == QSystemTrayIcon::Trigger)
        emit restoreRequested();
}

} // namespace listorix
