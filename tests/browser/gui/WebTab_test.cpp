#include "RecordingBrowser.h"
#include "browser/gui/WebTab.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace listorix {
namespace {

using test::RecordingBrowser;

struct WebTabFixture
{
    RecordingBrowser* browser = nullptr;
    int made = 0;
    WebTab tab{[this](QWidget* parent) {
        ++made;
        browser = new RecordingBrowser(parent);
        return browser;
    }};

    template <typename T>
    T* child(const char* name)
    {
        T* found = tab.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) { QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton); }
};

TEST(WebTab, stripHoldsItsControlsWithTheirHintsAndSizes)
{
    WebTabFixture f;
    f.tab.resize(640, 400);
    f.tab.show();
    const std::pair<const char*, const char*> hints[] = {
        {"SpeedButtonWebMenu", "Menù"},
        {"SpeedButtonBack", "Pagina precedente"},
        {"SpeedButtonForward", "Pagina successiva"},
        {"SpeedButtonBrowserStop", "Stop"},
        {"SpeedButtonBrowserReload", "Ricarica"},
    };
    int left = -1;
    for (const auto& [name, hint] : hints) {
        QToolButton* button = f.child<QToolButton>(name);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(hint)) << name;
        EXPECT_GT(button->x(), left) << name << " stands right of the one before";
        left = button->x();
    }
    EXPECT_FALSE(f.child<QToolButton>("SpeedButtonWebMenu")->isEnabled());
    EXPECT_EQ(f.child<QToolButton>("SpeedButtonWebMenu")->text(), QString::fromUtf8("menù"));
    EXPECT_EQ(f.child<QLineEdit>("EditURL")->width(), 257);
    QProgressBar* progress = f.child<QProgressBar>("ProgressBarBrowser");
    EXPECT_EQ(progress->width(), 36);
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
    EXPECT_EQ(f.child<QWidget>("PanelWebStrip")->height(), 26);
    // The status text takes the width the others leave.
    EXPECT_GT(f.child<QLabel>("LabelBrowserStatusBar")->width(), 100);
    EXPECT_GT(progress->x(), f.child<QLabel>("LabelBrowserStatusBar")->x());
}

TEST(WebTab, browserIsMadeOnTheFirstNavigationAndFillsThePage)
{
    WebTabFixture f;
    f.tab.resize(640, 400);
    f.tab.show();
    EXPECT_EQ(f.made, 0);
    f.tab.NavigateTo(QStringLiteral("file:///opt/listorix/web/index.html"));
    f.tab.NavigateTo(QStringLiteral("file:///opt/listorix/web/help.html"));
    EXPECT_EQ(f.made, 1);
    EXPECT_EQ(f.browser->objectName(), QStringLiteral("Browser"));
    EXPECT_EQ(f.browser->calls, (QStringList{"navigate file:///opt/listorix/web/index.html",
                                             "navigate file:///opt/listorix/web/help.html"}));
    EXPECT_TRUE(f.browser->isVisible());
    QTest::qWait(0); // the layout's pass
    EXPECT_GT(f.browser->height(), 300);
}

TEST(WebTab, enterInTheAddressFieldNavigatesToTheTextAsTyped)
{
    WebTabFixture f;
    f.tab.show();
    QLineEdit* edit = f.child<QLineEdit>("EditURL");
    QTest::keyClicks(edit, QStringLiteral("www.example.com/a b"));
    EXPECT_EQ(f.made, 0); // typing alone goes nowhere
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_NE(f.browser, nullptr);
    EXPECT_EQ(f.browser->calls, QStringList{"navigate www.example.com/a b"});
}

TEST(WebTab, navigationButtonsReachTheBrowserAndHomeGoesHome)
{
    WebTabFixture f;
    f.tab.setHomePageUrl(QStringLiteral("file:///opt/web/index.html"));
    f.tab.show();
    f.tab.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.tab));
    f.click("SpeedButtonBack"); // no browser yet: nothing to do, nothing breaks
    EXPECT_EQ(f.made, 0);
    f.click("SpeedButtonBrowserHome");
    f.click("SpeedButtonBack");
    f.click("SpeedButtonForward");
    f.click("SpeedButtonBrowserStop");
    f.click("SpeedButtonBrowserReload");
    EXPECT_EQ(f.browser->calls,
              (QStringList{"navigate file:///opt/web/index.html", "back", "forward", "stop", "reload"}));
    EXPECT_TRUE(f.browser->hasFocus()); // home takes the keyboard to the page
    // The address field shows only what the user typed.
    EXPECT_EQ(f.child<QLineEdit>("EditURL")->text(), QString());
}

TEST(WebTab, statusTextAndProgressFollowTheBrowsersNotifications)
{
    WebTabFixture f;
    f.tab.NavigateTo(QStringLiteral("file:///x"));
    QLabel* status = f.child<QLabel>("LabelBrowserStatusBar");
    QProgressBar* progress = f.child<QProgressBar>("ProgressBarBrowser");

    emit f.browser->loadStarted();
    emit f.browser->loadProgress(40);
    EXPECT_EQ(progress->value(), 40);
    EXPECT_EQ(status->text(), QStringLiteral("Caricamento della pagina..."));
    emit f.browser->linkHovered(QStringLiteral("http://host/q/bc?s=ENI.MI&t=1d"));
    EXPECT_EQ(status->text(), QStringLiteral("http://host/q/bc?s=ENI.MI&t=1d"));
    emit f.browser->linkHovered(QString());
    EXPECT_EQ(status->text(), QStringLiteral("Caricamento della pagina..."));
    emit f.browser->loadFinished(true);
    EXPECT_EQ(progress->value(), 0);
    EXPECT_EQ(status->text(), QStringLiteral("Completato"));
    emit f.browser->loadFinished(false);
    EXPECT_EQ(status->text(), QStringLiteral("Pagina non caricata"));
}

} // namespace
} // namespace listorix
