#include "app/ProgramInfo.h"

#include <gtest/gtest.h>
#include <string>

namespace listorix {
namespace {

TEST(ProgramInfo, captionNamesProgramAndVersion)
{
    EXPECT_EQ(programCaption(), "Listorix 4.35");
    EXPECT_EQ(programCaption(), "Listorix " + std::string(programVersion()));
}

} // namespace
} // namespace listorix
