#include "base/Colour.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTables.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix {
namespace {

std::vector<std::string> titles(const TAlignGrid& grid)
{
    std::vector<std::string> texts;
    for (int col = 0; col < grid.colCount(); ++col)
        texts.push_back(grid.cell(col, 0));
    return texts;
}

TEST(QuoteTables, eachCategoryGetsItsColumnsAndLook)
{
    using A = Alignment;
    const std::vector<A> elevenColumns = {A::Left,  A::Left,  A::Right, A::Center, A::Center, A::Right,
                                          A::Right, A::Right, A::Right, A::Right,  A::Right};
    const struct
    {
        ConnectionId category;
        std::vector<std::string> titles;
        std::vector<int> widths; // the name column aside
        std::vector<A> alignments;
    } cases[] = {
        {ConnectionId::Azioni,
         {"Codice", "Nome", "Flash", "data", "ora", "apert.", "min", "max", "prec.", "var.%", "volumi"},
         {64, 0, 56, 49, 48, 54, 56, 49, 45, 39, 64},
         elevenColumns},
        {ConnectionId::Obbligazioni,
         {"Codice", "Nome", "Flash", "data", "ora", "apet.", "min", "max", "prec.", "var.%", "volumi"},
         {64, 0, 64, 57, 64, 64, 64, 64, 64, 64, 64},
         elevenColumns},
        {ConnectionId::Derivati,
         {"Codice", "Nome", "Flash", "data", "ora", "apert.", "min", "max", "prec.", "var.%", "volumi"},
         {64, 0, 46, 45, 64, 61, 59, 58, 47, 58, 64},
         elevenColumns},
        {ConnectionId::Fondi,
         {"Codice", "Nome", "Chiusura", "data"},
         {64, 0, 64, 64},
         {A::Left, A::Left, A::Right, A::Center}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.titles[5 % c.titles.size()]);
        TAlignGrid grid(5, 7);
        setUpQuoteTable(grid, c.category);
        EXPECT_EQ(titles(grid), c.titles);
        EXPECT_EQ(grid.rowCount(), 2);
        for (int col = 0; col < grid.colCount(); ++col) {
            SCOPED_TRACE(col);
            if (col != 1) {
                EXPECT_EQ(grid.colWidth(col), c.widths[static_cast<std::size_t>(col)]);
            }
            EXPECT_EQ(grid.alignCell(col, 1), c.alignments[static_cast<std::size_t>(col)]);
            EXPECT_EQ(grid.alignCell(col, 0), col == 0 ? A::Left : A::Center);
            EXPECT_EQ(grid.colorCell(col, 1), col == 0 ? clLightCyan : clWhite);
        }
        EXPECT_NE(grid.colorCell(0, 0), clLightCyan) << "the title keeps the header colour";
        EXPECT_TRUE(grid.rowSelect());
        EXPECT_FALSE(grid.canEditInPlace(2, 1));
        EXPECT_EQ(grid.defaultRowHeight(), 18);
    }
}

} // namespace
} // namespace listorix
