#include "app/gui/TAboutForm.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace listorix {
namespace {

struct AboutFixture
{
    TAboutForm form;

    AboutFixture()
    {
        form.setAboutText("4.35", "file:///opt/listorix/web/index.html\re-mail: info@listorix.example");
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QWidget* child(const char* name) { return form.findChild<QWidget*>(QString::fromLatin1(name)); }
    // Through the window, so the move reaches whatever lies under the pointer.
    void moveTo(QPoint pos) { QTest::mouseMove(form.windowHandle(), pos); }
    void moveOver(const char* name) { moveTo(child(name)->mapTo(&form, QPoint(5, 5))); }
    bool frameShown() { return child("ShapeListorix")->isVisible(); }
};

TEST(TAboutForm, showsItsControlsWhereTheyBelong)
{
    AboutFixture f;
    EXPECT_EQ(f.form.windowTitle(), QStringLiteral("Informazioni"));
    EXPECT_EQ(f.form.size(), QSize(524, 302));
    const struct
    {
        const char* name;
        QRect geometry;
    } controls[] = {
        {"ShapeListorix", {24, 12, 181, 41}}, {"LabelListorix", {60, 16, 139, 34}},
        {"ImageListorix", {30, 16, 32, 32}},  {"LabelTesto", {78, 56, 393, 189}},
        {"BitBtn1", {200, 260, 125, 33}},
    };
    for (const auto& c : controls) {
        ASSERT_NE(f.child(c.name), nullptr) << c.name;
        EXPECT_EQ(f.child(c.name)->geometry(), c.geometry) << c.name;
    }
    EXPECT_FALSE(f.frameShown());
    EXPECT_EQ(static_cast<QLabel*>(f.child("LabelTesto"))->text(),
              QStringLiteral("Versione: 4.35\nQuotazioni della Borsa italiana sul desktop\n"
                             "realizzato dagli sviluppatori di Listorix\n\n"
                             "file:///opt/listorix/web/index.html\ne-mail: info@listorix.example"));
    EXPECT_FALSE(static_cast<QLabel*>(f.child("ImageListorix"))->pixmap().isNull());
}

TEST(TAboutForm, blueFrameFollowsTheMouseOverTheNameAndIcon)
{
    AboutFixture f;
    f.moveOver("LabelListorix");
    EXPECT_TRUE(f.frameShown());
    f.moveOver("LabelTesto");
    EXPECT_FALSE(f.frameShown());
    f.moveOver("ImageListorix");
    EXPECT_TRUE(f.frameShown());
    f.moveOver("LabelListorix");
    f.moveTo(QPoint(400, 20)); // the box's own ground
    EXPECT_FALSE(f.frameShown());
}

TEST(TAboutForm, clickOnNameOrIconAsksForTheHomePageAndTheBoxStays)
{
    AboutFixture f;
    QSignalSpy home(&f.form, &TAboutForm::homePageRequested);
    QTest::mouseClick(f.child("LabelListorix"), Qt::LeftButton);
    QTest::mouseClick(f.child("ImageListorix"), Qt::LeftButton);
    QTest::mouseClick(f.child("LabelTesto"), Qt::LeftButton);
    EXPECT_EQ(home.count(), 2);
    EXPECT_TRUE(f.form.isVisible());
}

TEST(TAboutForm, showAboutReturnsWhenOkIsPressed)
{
    TAboutForm form;
    QTimer::singleShot(0, &form, [&] {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
    form.ShowAbout("4.35", "contact");
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.findChild<QLabel*>(QStringLiteral("LabelTesto"))->text().startsWith("Versione: 4.35\n"));
}

} // namespace
} // namespace listorix
