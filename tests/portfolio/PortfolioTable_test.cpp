#include "grid/TAlignGrid.h"
#include "portfolio/PortfolioTable.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

using namespace PortfolioColumn;

TEST(setUpPortfolioTable, onlyQuantityAndPurchaseCellsAreEditableByDefault)
{
    TAlignGrid grid;
    setUpPortfolioTable(grid);
    ASSERT_EQ(grid.colCount(), 11);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.editing());
    EXPECT_TRUE(grid.showCellHints());
    for (int col = 0; col < kPortfolioColumns; ++col) {
        SCOPED_TRACE(col);
        EXPECT_EQ(grid.canEditInPlace(col, 1), col == Quote || col == Acquisto || col == DataAcq);
        EXPECT_FALSE(grid.canEditInPlace(col, 0));
        EXPECT_EQ(grid.fixedAlignCol(col), col <= Nome ? Alignment::Left : Alignment::Center);
    }
    EXPECT_EQ(grid.cell(DataAcq, 0), "Data Acq.");
    EXPECT_EQ(grid.cell(Var, 0), "Var.%");
    EXPECT_EQ(grid.colorCell(Data, 1), clLightCyan);
    EXPECT_EQ(grid.colorCell(Quotazione, 1), clLightCyan);
    EXPECT_EQ(grid.colorCell(Guadagno, 1), clLightGreen);
    EXPECT_EQ(grid.colorCell(Totale, 1), clLightYellow);
    EXPECT_EQ(grid.colorCell(Acquisto, 1), grid.color());
}

} // namespace
} // namespace listorix
