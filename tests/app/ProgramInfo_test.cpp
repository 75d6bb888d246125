#include "app/ProgramInfo.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(ProgramInfo, captionNamesProgramAndVersion) { EXPECT_EQ(programCaption(), "Listorix 4.35"); }

} // namespace
} // namespace listorix
