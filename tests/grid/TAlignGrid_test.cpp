#include "grid/TAlignGrid.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace listorix {
namespace {

// Background colour of one cell with settings at some of the levels above it.
struct PrecedenceCase
{
    bool cell;
    bool column;
    bool row;
    std::optional<TColor> expected; // none: the table's own colour
};

constexpr TColor kCellColour = clRed;
constexpr TColor kColumnColour = clBlue;
constexpr TColor kRowColour = clLightGreen;

const PrecedenceCase precedenceCases[] = {
    {false, false, false, std::nullopt}, {false, false, true, kRowColour},
    {false, true, false, kColumnColour}, {false, true, true, kColumnColour},
    {true, false, false, kCellColour},   {true, false, true, kCellColour},
    {true, true, false, kCellColour},    {true, true, true, kCellColour},
};

TEST(TAlignGrid, backgroundTakesCellThenColumnThenRowThenTable)
{
    for (const PrecedenceCase& c : precedenceCases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cell << " column " << c.column << " row " << c.row);
        TAlignGrid grid(4, 4);
        grid.setColor(clLightYellow);
        if (c.cell)
            grid.setColorCell(2, 3, kCellColour);
        if (c.column)
            grid.setColorCol(2, kColumnColour);
        if (c.row)
            grid.setColorRow(3, kRowColour);
        EXPECT_EQ(grid.colorCell(2, 3), c.expected.value_or(clLightYellow));
    }
}

TEST(TAlignGrid, headerCellsTakeTheFixedSetsAndIgnoreTheDataSets)
{
    for (const PrecedenceCase& c : precedenceCases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cell << " column " << c.column << " row " << c.row);
        TAlignGrid grid(4, 4);
        grid.setFixedColor(clLightCyan);
        grid.setColorCol(2, clBlack); // data sets of the same column and row
        grid.changePropRow(0,
                           [](PropertySet& set) { set.color = clBlack; }); // a data set: not for header cells
        if (c.cell)
            grid.setColorCell(2, 0, kCellColour);
        if (c.column)
            grid.setColorFixedCol(2, kColumnColour);
        if (c.row)
            grid.changePropFixedRow(0, [](PropertySet& set) { set.color = kRowColour; });
        EXPECT_EQ(grid.colorCell(2, 0), c.expected.value_or(clLightCyan));
    }
}

TEST(TAlignGrid, everySettingFollowsTheSameOrder)
{
    TAlignGrid grid(3, 3);
    grid.changePropRow(1, [](PropertySet& set) {
        set.alignment = Alignment::Center;
        set.editable = false;
        set.wordwrap = true;
    });
    EXPECT_EQ(grid.alignCell(1, 1), Alignment::Center);
    EXPECT_FALSE(grid.editCell(1, 1));
    EXPECT_TRUE(grid.wordwrapCell(1, 1));
    EXPECT_EQ(grid.alignCell(1, 2), Alignment::Left); // table default
    EXPECT_TRUE(grid.editCell(1, 2));

    grid.setAlignCol(1, Alignment::Right);
    grid.setEditCol(1, true);
    EXPECT_EQ(grid.alignCell(1, 1), Alignment::Right);
    EXPECT_TRUE(grid.editCell(1, 1));

    grid.setAlignCell(1, 1, Alignment::Left);
    grid.setEditCell(1, 1, false);
    EXPECT_EQ(grid.alignCell(1, 1), Alignment::Left);
    EXPECT_FALSE(grid.editCell(1, 1));
    EXPECT_EQ(grid.alignCol(1), Alignment::Right) << "the column keeps its own setting";
    EXPECT_EQ(grid.alignCol(0), Alignment::Left) << "a column without a setting gives the table's";
}

TEST(TAlignGrid, cellFontStartsAsACopyOfTheTableFontAndThenWins)
{
    TAlignGrid grid(11, 3);
    Font tableFont;
    tableFont.name = "Verdana";
    tableFont.size = 10;
    tableFont.bold = true;
    tableFont.color = clBlue;
    grid.setFont(tableFont);
    grid.changeFontCol(9, [](Font& font) {
        font.color = clBlack;
        font.italic = true;
    });

    EXPECT_EQ(grid.fontCell(9, 1), tableFont) << "copied from the table, not the column";
    grid.setFontColorCell(9, 1, clRed);

    EXPECT_EQ(grid.effectiveFont(9, 1).color, clRed);
    EXPECT_EQ(grid.effectiveFont(9, 2).color, clBlack) << "the column's font for the other cells";
    EXPECT_TRUE(grid.effectiveFont(9, 2).italic);
    EXPECT_EQ(grid.effectiveFont(8, 2), tableFont);

    grid.setFont(Font{});
    EXPECT_EQ(grid.fontCell(9, 1).name, "Verdana") << "the copy is the cell's own from then on";
    EXPECT_EQ(grid.fontCell(9, 1).color, clRed);
    ASSERT_NE(grid.findPropCell(9, 1), nullptr);
    EXPECT_EQ(grid.findPropCell(9, 2), nullptr) << "reading the effective font creates nothing";
}

TEST(TAlignGrid, shrinkingDropsRowsWithTheirSettingsAndGrowingAddsBareRows)
{
    TAlignGrid grid(3, 4);
    for (int row = 1; row < 4; ++row) {
        grid.setCell(0, row, "r" + std::to_string(row));
        grid.setHintCell(0, row, "hint");
        grid.setFontColorCell(1, row, clRed);
        grid.setColorRow(row, clLightGreen);
    }
    grid.setCurrentRow(3);

    grid.setRowCount(2);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.cell(0, 3), "");

    grid.setRowCount(4);
    EXPECT_EQ(grid.cell(0, 1), "r1");
    EXPECT_EQ(grid.hintCell(0, 1), "hint");
    EXPECT_EQ(grid.effectiveFont(1, 1).color, clRed);
    EXPECT_EQ(grid.colorCell(0, 1), clLightGreen);
    for (int row = 2; row < 4; ++row) {
        EXPECT_EQ(grid.cell(0, row), "");
        EXPECT_EQ(grid.hintCell(0, row), "");
        EXPECT_EQ(grid.findPropCell(1, row), nullptr);
        EXPECT_EQ(grid.colorCell(0, row), grid.color());
    }
}

TEST(TAlignGrid, columnCountChangeKeepsTheSurvivingColumns)
{
    TAlignGrid grid(4, 3);
    grid.setColWidth(1, 111);
    grid.setColWidth(3, 40);
    grid.setCell(1, 2, "kept");
    grid.setFontColorCell(1, 2, clRed);
    grid.setCell(3, 2, "dropped");
    grid.setColorCol(3, clLightCyan);

    grid.setColCount(3);
    grid.setColCount(5);
    EXPECT_EQ(grid.cell(1, 2), "kept");
    EXPECT_EQ(grid.effectiveFont(1, 2).color, clRed);
    EXPECT_EQ(grid.colWidth(1), 111);
    EXPECT_EQ(grid.cell(3, 2), "");
    EXPECT_EQ(grid.colorCell(3, 2), grid.color());
    EXPECT_EQ(grid.colWidth(3), grid.defaultColWidth());
    EXPECT_EQ(grid.colWidth(4), grid.defaultColWidth());
}

TEST(TAlignGrid, indicesOutOfRangeReadEmptyAndWriteNothing)
{
    TAlignGrid grid(2, 2);
    const std::uint64_t before = grid.revision();
    grid.setCell(2, 0, "x");
    grid.setCell(0, -1, "x");
    grid.setHintCell(5, 5, "x");
    grid.changePropCell(-1, 0, [](PropertySet& set) { set.color = clRed; });
    grid.setFontColorCell(9, 9, clRed);
    grid.changePropRow(7, [](PropertySet& set) { set.color = clRed; });
    grid.changePropFixedRow(1, [](PropertySet& set) { set.color = clRed; }); // row 1 is a data row
    grid.changeFontCol(-3, [](Font& font) { font.bold = true; });
    grid.setColWidth(2, 10);
    EXPECT_EQ(grid.revision(), before);
    EXPECT_EQ(grid.cell(2, 0), "");
    EXPECT_EQ(grid.hintCell(5, 5), "");
    EXPECT_EQ(grid.colWidth(2), 0);
    EXPECT_EQ(grid.colorCell(0, 1), grid.color());
    EXPECT_EQ(grid.colorCell(0, 0), grid.fixedColor());
    EXPECT_FALSE(grid.effectiveFont(0, 1).bold);
}

TEST(TAlignGrid, hiddenTableIsSilentAndShowNotifiesOnce)
{
    TAlignGrid grid(3, 2);
    std::vector<GridChange> heard;
    grid.setChangeObserver([&](GridChange change) { heard.push_back(change); });

    grid.setCell(0, 1, "a");
    EXPECT_EQ(heard, std::vector<GridChange>{GridChange::cell(0, 1)});

    heard.clear();
    grid.hide();
    grid.setRowCount(5);
    grid.setCell(0, 4, "b");
    grid.setFontColorCell(0, 4, clRed);
    EXPECT_TRUE(heard.empty());
    grid.show();
    EXPECT_EQ(heard, std::vector<GridChange>{GridChange::layout()});

    heard.clear();
    grid.show();
    grid.hide();
    grid.show();
    EXPECT_EQ(heard, std::vector<GridChange>{GridChange::table()}) << "one for the showing itself";
}

// Each change names what it touched; a view repaints that and nothing more.
TEST(TAlignGrid, noticesNameWhatChanged)
{
    const struct
    {
        const char* label;
        std::function<void(TAlignGrid&)> change;
        GridChange expected;
    } cases[] = {
        {"cell text", [](TAlignGrid& g) { g.setCell(2, 3, "x"); }, GridChange::cell(2, 3)},
        {"cell hint", [](TAlignGrid& g) { g.setHintCell(1, 2, "h"); }, GridChange::cell(1, 2)},
        {"cell font", [](TAlignGrid& g) { g.setFontColorCell(0, 1, clRed); }, GridChange::cell(0, 1)},
        {"cell background", [](TAlignGrid& g) { g.setColorCell(3, 4, clRed); }, GridChange::cell(3, 4)},
        {"row setting", [](TAlignGrid& g) { g.setColorRow(2, clRed); }, GridChange::rows(2, 2)},
        {"header setting", [](TAlignGrid& g) { g.setColorFixedCol(1, clRed); }, GridChange::cell(1, 0)},
        {"column setting", [](TAlignGrid& g) { g.setAlignCol(1, Alignment::Right); }, GridChange::table()},
        {"table setting", [](TAlignGrid& g) { g.setColor(clRed); }, GridChange::table()},
        {"current row", [](TAlignGrid& g) { g.setCurrentRow(4); }, GridChange::rows(1, 4)},
        {"row count", [](TAlignGrid& g) { g.setRowCount(9); }, GridChange::layout()},
        {"column width", [](TAlignGrid& g) { g.setColWidth(0, 99); }, GridChange::layout()},
        {"row order", [](TAlignGrid& g) { g.sortByColumn(0, false); }, GridChange::rows(1, 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TAlignGrid grid(4, 5);
        for (int row = 1; row < 5; ++row)
            grid.setCell(0, row, std::to_string(row));
        std::vector<GridChange> heard;
        grid.setChangeObserver([&](GridChange change) { heard.push_back(change); });
        c.change(grid);
        EXPECT_EQ(heard, std::vector<GridChange>{c.expected});
    }
}

// A model that repaints from the notice reads the table at once: the change must
// already be made when the notice comes.
TEST(TAlignGrid, observerHearsAfterTheChangeIsMade)
{
    TAlignGrid grid(3, 3);
    std::vector<TColor> seen;
    grid.setChangeObserver([&](GridChange) {
        seen.push_back(grid.effectiveFont(1, 1).color);
        seen.push_back(grid.colorCell(1, 1));
    });
    grid.setFontColorCell(1, 1, clRed);
    grid.changePropCell(1, 1, [](PropertySet& set) { set.color = clLightGreen; });
    grid.changeFontCol(2, [](Font& font) { font.color = clBlue; });
    EXPECT_EQ(seen, (std::vector<TColor>{clRed, clWhite, clRed, clLightGreen, clRed, clLightGreen}));
    EXPECT_EQ(grid.effectiveFont(2, 1).color, clBlue);
}

TEST(TAlignGrid, batchSendsOneMergedNoticeAtItsOutermostEnd)
{
    const struct
    {
        const char* label;
        std::function<void(TAlignGrid&)> changes;
        GridChange expected;
    } cases[] = {
        {"one cell twice",
         [](TAlignGrid& g) {
             g.setCell(1, 2, "a");
             g.setFontColorCell(1, 2, clRed);
         },
         GridChange::cell(1, 2)},
        {"cells of one row",
         [](TAlignGrid& g) {
             g.setCell(0, 2, "a");
             g.setCell(3, 2, "b");
         },
         GridChange::rows(2, 2)},
        {"cells of two rows",
         [](TAlignGrid& g) {
             g.setCell(0, 4, "a");
             g.setCell(3, 2, "b");
         },
         GridChange::rows(2, 4)},
        {"rows and a cell",
         [](TAlignGrid& g) {
             g.setColorRow(3, clRed);
             g.setCell(0, 1, "a");
         },
         GridChange::rows(1, 3)},
        {"a cell and the table",
         [](TAlignGrid& g) {
             g.setCell(0, 1, "a");
             g.setEditing(true);
         },
         GridChange::table()},
        {"anything with the layout",
         [](TAlignGrid& g) {
             g.setCell(0, 1, "a");
             g.setRowCount(3);
             g.setColor(clRed);
         },
         GridChange::layout()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TAlignGrid grid(4, 5);
        std::vector<GridChange> heard;
        grid.setChangeObserver([&](GridChange change) { heard.push_back(change); });
        {
            const auto outer = grid.batchChanges();
            {
                const auto inner = grid.batchChanges();
                c.changes(grid);
            }
            EXPECT_TRUE(heard.empty()) << "an inner batch's end sends nothing";
        }
        EXPECT_EQ(heard, std::vector<GridChange>{c.expected});
    }

    TAlignGrid grid(2, 2);
    int notices = 0;
    grid.setChangeObserver([&](GridChange) { ++notices; });
    {
        const auto batch = grid.batchChanges();
    }
    EXPECT_EQ(notices, 0) << "a batch without changes is silent";
}

TEST(TAlignGrid, batchLeavesAHiddenTableHidden)
{
    TAlignGrid grid(2, 3);
    std::vector<GridChange> heard;
    grid.setChangeObserver([&](GridChange change) { heard.push_back(change); });
    grid.hide();
    {
        const auto batch = grid.batchChanges();
        grid.setCell(0, 1, "a");
    }
    EXPECT_TRUE(grid.isHidden());
    EXPECT_TRUE(heard.empty());
    grid.setCell(1, 2, "b");
    grid.show();
    EXPECT_EQ(heard, std::vector<GridChange>{GridChange::rows(1, 2)});

    heard.clear();
    {
        const auto batch = grid.batchChanges();
        grid.hide();
        grid.setCell(0, 1, "c");
        grid.show();
        EXPECT_TRUE(heard.empty()) << "shown inside a batch: the batch's end sends the notice";
    }
    EXPECT_EQ(heard, std::vector<GridChange>{GridChange::cell(0, 1)});
}

TEST(TAlignGrid, headerClickReportsItsColumn)
{
    TAlignGrid grid(4, 2);
    std::vector<int> clicked;
    grid.OnFixedColClick = [&](TAlignGrid& sender, int col) {
        EXPECT_EQ(&sender, &grid);
        clicked.push_back(col);
    };
    grid.clickFixedCol(2);
    grid.clickFixedCol(4);
    EXPECT_EQ(clicked, std::vector<int>{2});
}

TEST(TAlignGrid, editEndsOnlyInEditableDataCellsAndRaisesAfterEdit)
{
    TAlignGrid grid(3, 3);
    grid.setEditCol(1, false);
    std::vector<std::pair<int, int>> edited;
    grid.OnAfterEdit = [&](TAlignGrid& sender, int col, int row) {
        EXPECT_EQ(sender.cell(col, row), "12,5") << "stored before the event";
        edited.emplace_back(col, row);
    };

    EXPECT_FALSE(grid.endEdit(0, 1, "12,5")) << "editing switched off";
    grid.setEditing(true);
    EXPECT_FALSE(grid.endEdit(1, 1, "12,5")) << "column not editable";
    EXPECT_FALSE(grid.endEdit(0, 0, "12,5")) << "header";
    grid.setEditCell(1, 2, true);
    EXPECT_TRUE(grid.endEdit(1, 2, "12,5"));
    EXPECT_TRUE(grid.endEdit(0, 1, "12,5"));

    EXPECT_EQ(edited, (std::vector<std::pair<int, int>>{{1, 2}, {0, 1}}));
    EXPECT_EQ(grid.cell(1, 1), "");
}

TEST(TAlignGrid, selectCellAsksFirstAndMayBeRefused)
{
    TAlignGrid grid(3, 5);
    std::vector<int> leftRows;
    bool allow = true;
    grid.OnSelectCell = [&](TAlignGrid& sender, int, int, bool& canSelect) {
        leftRows.push_back(sender.currentRow());
        canSelect = allow;
    };

    grid.setCurrentRow(3);
    EXPECT_EQ(grid.currentRow(), 3);
    allow = false;
    grid.setCurrentRow(4);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_FALSE(grid.selectCell(1, 0)) << "header cells are never current";
    EXPECT_EQ(leftRows, (std::vector<int>{1, 3}));
}

TEST(TAlignGrid, userColumnResizeSetsTheWidthBeforeTheEvent)
{
    TAlignGrid grid(3, 2);
    int seen = 0;
    grid.OnColWidthsChanged = [&](TAlignGrid& sender) { seen = sender.colWidth(1); };
    grid.userSetColWidth(1, 120);
    EXPECT_EQ(seen, 120);
}

} // namespace
} // namespace listorix
