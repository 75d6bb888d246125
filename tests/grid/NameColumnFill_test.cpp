#include "grid/NameColumnFill.h"
#include "grid/TAlignGrid.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

// The shares table's widths at design, the name column's aside.
constexpr int kSharesWidths[11] = {64, 121, 56, 49, 48, 54, 56, 49, 45, 39, 64};
constexpr int kSharesOtherColumns = 64 + 56 + 49 + 48 + 54 + 56 + 49 + 45 + 39 + 64;

struct FillCase
{
    int clientWidth;
    int expected;
};

TEST(NameColumnFill, nameColumnTakesWhatTheOtherColumnsAndGridLinesLeave)
{
    const FillCase cases[] = {
        {kSharesOtherColumns + 11 + 250, 250},                // room to spare
        {kSharesOtherColumns + 11 + 100, 100},                // exactly the minimum
        {kSharesOtherColumns + 11 + 99, kMinNameColumnWidth}, // one pixel short
        {300, kMinNameColumnWidth},                           // narrower than the other columns
        {0, kMinNameColumnWidth},                             // not laid out yet
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.clientWidth);
        TAlignGrid grid(11, 2);
        for (int col = 0; col < 11; ++col)
            grid.setColWidth(col, kSharesWidths[col]);
        RidimensionaGriglia(grid, 11, c.clientWidth);
        EXPECT_EQ(grid.colWidth(1), c.expected);
    }
}

TEST(NameColumnFill, ownWidthPlaysNoPartAndColumnsBeyondTheCountAreLeftOut)
{
    TAlignGrid grid(4, 2);
    for (int col = 0; col < 4; ++col)
        grid.setColWidth(col, 64);
    grid.setColWidth(1, 900);
    // Funds: 4 columns, 3 of them besides the name: 600 - 4 - 3 * 64.
    EXPECT_EQ(nameColumnWidth(grid, 4, 600), 404);
    // Counting only the first two columns leaves the last two out.
    EXPECT_EQ(nameColumnWidth(grid, 2, 600), 600 - 2 - 64);
}

} // namespace
} // namespace listorix
