#include "app/gui/TFormCover.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(TFormCover, framelessOnTopWithItsTextsTopToBottom)
{
    TFormCover cover;
    cover.showAndPaint();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    EXPECT_EQ(cover.size(), QSize(278, 220));
    EXPECT_TRUE(cover.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(cover.windowFlags() & Qt::WindowStaysOnTopHint);

    const std::pair<const char*, QString> labels[] = {
        {"Label3", QStringLiteral("Listorix 4")},
        {"Label6", QStringLiteral("www.listorix.example")},
        {"Image1", QString()},
        {"Label2", QStringLiteral("Caricamento\nin corso")},
        {"Label1", QStringLiteral("gli sviluppatori di Listorix")},
    };
    int top = -1;
    for (const auto& [name, text] : labels) {
        const QLabel* label = cover.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
        EXPECT_GT(label->y(), top) << name;
        top = label->y();
    }
    EXPECT_FALSE(cover.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());

    cover.bringToFront();
    EXPECT_TRUE(cover.isVisible());
}

} // namespace
} // namespace listorix
