#include "app/gui/MinimiseToTray.h"
#include "app/gui/TrayIcon.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(TrayIcon, carriesTheIconTheHintAndTheMenu)
{
    QMenu menu;
    TrayIcon tray(&menu);
    EXPECT_EQ(tray.hint(), QStringLiteral("Listorix"));
    EXPECT_FALSE(tray.systemTrayIcon().icon().isNull());
    EXPECT_EQ(tray.systemTrayIcon().contextMenu(), &menu);

    tray.setText("MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05");
    EXPECT_EQ(tray.hint(), QStringLiteral("MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05"));
    tray.setText("MIBTEL: MIB30: MIDEX:");
    EXPECT_EQ(tray.hint(), QStringLiteral("MIBTEL: MIB30: MIDEX:"));
}

TEST(TrayIcon, leftClickAsksForTheWindowRightClickDoesNot)
{
    QMenu menu;
    TrayIcon tray(&menu);
    QSignalSpy restore(&tray, &TrayIcon::restoreRequested);
    emit tray.systemTrayIcon().activated(QSystemTrayIcon::Context);
    EXPECT_EQ(restore.count(), 0);
    emit tray.systemTrayIcon().activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(restore.count(), 1);
}

TEST(TrayIcon, activatesWithoutANotificationArea)
{
    // The offscreen platform has none: the icon is kept and nothing breaks.
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    QMenu menu;
    TrayIcon tray(&menu);
    tray.activate();
    tray.setText("MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05");
    EXPECT_EQ(tray.hint(), QStringLiteral("MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05"));
}

TEST(MinimiseToTray, withANotificationAreaMinimisingHidesAndTheIconBringsItBack)
{
    QWidget window;
    MinimiseToTray hook(&window, [] { return true; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // While it waits hidden, its native window is not un-minimised: on X that maps
    // it again, hidden or not, and it stood on the screen with no way to minimise
    // it away.
    QWindow* native = window.windowHandle();
    ASSERT_NE(native, nullptr);
    int unminimisedWhileHidden = 0;
    QObject::connect(native, &QWindow::windowStateChanged, [&](Qt::WindowState state) {
        unminimisedWhileHidden += window.isHidden() && state != Qt::WindowMinimized;
    });
    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isHidden(); }));
    QTest::qWait(20);
    EXPECT_EQ(unminimisedWhileHidden, 0);

    MinimiseToTray::restore(&window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized()); // back as it was, not as an icon
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(MinimiseToTray, aMaximisedWindowComesBackMaximised)
{
    QWidget window;
    MinimiseToTray hook(&window, [] { return true; });
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isHidden(); }));

    MinimiseToTray::restore(&window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), Qt::WindowMaximized);
}

TEST(MinimiseToTray, withoutANotificationAreaTheWindowMinimisesAsUsual)
{
    QWidget window;
    MinimiseToTray hook(&window, [] { return false; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    QTest::qWait(20);
    EXPECT_TRUE(window.isVisible()); // its taskbar entry stays
    EXPECT_TRUE(window.isMinimized());
}

TEST(MinimiseToTray, otherStateChangesPassUntouched)
{
    QWidget window;
    MinimiseToTray hook(&window, [] { return true; });
    window.show();
    window.setWindowState(Qt::WindowMaximized);
    QTest::qWait(20);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMaximized());
}

} // namespace
} // namespace listorix
