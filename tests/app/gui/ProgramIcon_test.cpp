#include "app/gui/ProgramIcon.h"

#include <QImage>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(ProgramIcon, drawnAtEverySizeItIsShownAt)
{
    const QIcon icon = programIcon();
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // Opaque in the middle, transparent in the rounded corner.
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    }
}

} // namespace
} // namespace listorix
