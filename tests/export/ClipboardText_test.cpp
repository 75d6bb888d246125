#include "WorkedExamplePortfolio.h"
#include "export/ClipboardText.h"
#include "grid/TAlignGrid.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(ClipboardText, withADecimalCommaTheCellsAreJoinedUnchanged)
{
    TAlignGrid grid;
    test::setUpWorkedExamplePortfolio(grid);
    grid.setCell(1, 1, "Rossi, Bianchi");

    EXPECT_EQ(clipboardText(grid, ','),
              "Codice\tNome\tTipo\tQuote\tData\tQuotazione\tAcquisto\tData Acq.\tVar.%\tGuadagno\tTotale\r\n"
              "ENI.MI\tRossi, Bianchi\tTA\t100\t14/05\t12,4000\t        10,0000\t01/02/2003\t24,00\t"
              "       240,0000\t     1.240,0000\r\n");
}

TEST(ClipboardText, otherDecimalSeparatorReplacesEveryCommaOutsideHeaderAndCodeColumn)
{
    TAlignGrid grid;
    test::setUpWorkedExamplePortfolio(grid);
    grid.setCell(0, 0, "Codice,x");       // header: unchanged
    grid.setCell(0, 1, "A,B");            // code column: unchanged
    grid.setCell(1, 1, "Rossi, Bianchi"); // any text, not only numbers
    grid.setCell(7, 1, "1,2,2003");

    EXPECT_EQ(
        clipboardText(grid, '.'),
        "Codice,x\tNome\tTipo\tQuote\tData\tQuotazione\tAcquisto\tData Acq.\tVar.%\tGuadagno\tTotale\r\n"
        "A,B\tRossi. Bianchi\tTA\t100\t14/05\t12.4000\t        10.0000\t1.2.2003\t24.00\t"
        "       240.0000\t     1.240.0000\r\n");
}

TEST(ClipboardText, emptyDataRowIsOnlyItsTabs)
{
    TAlignGrid grid(11, 2);
    for (int col = 0; col < 11; ++col)
        grid.setCell(col, 0, "h" + std::to_string(col));

    EXPECT_EQ(clipboardText(grid, '.'),
              "h0\th1\th2\th3\th4\th5\th6\th7\th8\th9\th10\r\n" + std::string(10, '\t') + "\r\n");
}

} // namespace
} // namespace listorix
