#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridModel.h"
#include "grid/gui/AlignGridView.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace listorix {
namespace {

// A table of 4 columns and 9 data rows in a shown view.
class AlignGridViewTest : public ::testing::Test
{
protected:
    AlignGridViewTest()
    {
        for (int col = 0; col < 4; ++col) {
            grid.setCell(col, 0, "T" + std::to_string(col));
            grid.setColWidth(col, 60 + col);
        }
        view.resize(400, 300);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint centreOf(int col, int gridRow) const
    {
        return view.visualRect(view.model()->index(AlignGridModel::modelRow(gridRow), col)).center();
    }
    void click(int col, int gridRow)
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(col, gridRow));
    }

    TAlignGrid grid{4, 10};
    AlignGridView view{grid};
};

TEST_F(AlignGridViewTest, widthsAndRowHeightFollowTheGridAndADragReachesIt)
{
    EXPECT_EQ(view.horizontalHeader()->sectionSize(2), 62);
    EXPECT_EQ(view.rowHeight(0), 18);
    grid.setColWidth(2, 90);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(2), 90);

    int widthNotices = 0;
    grid.OnColWidthsChanged = [&](TAlignGrid& sender) {
        ++widthNotices;
        sender.setColWidth(1, 150); // the window's fill rule answers the drag
    };
    view.horizontalHeader()->resizeSection(3, 40); // as the mouse does it
    EXPECT_EQ(grid.colWidth(3), 40);
    EXPECT_EQ(widthNotices, 1);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(1), 150);
}

TEST_F(AlignGridViewTest, headerClickAndDoubleClickRaiseTheGridsEvents)
{
    std::vector<int> clicked;
    int doubleClicks = 0;
    grid.OnFixedColClick = [&](TAlignGrid&, int col) { clicked.push_back(col); };
    grid.OnDblClick = [&](TAlignGrid&) { ++doubleClicks; };

    QHeaderView* header = view.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 10, header->height() / 2));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centreOf(1, 3));
    EXPECT_EQ(clicked, std::vector<int>{2});
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(AlignGridViewTest, theGridIsAskedBeforeTheCurrentCellMovesAndMayRefuse)
{
    std::vector<int> asked;
    grid.OnSelectCell = [&](TAlignGrid&, int, int row, bool& canSelect) {
        asked.push_back(row);
        canSelect = row != 5;
    };
    click(2, 3);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(view.currentIndex().row(), AlignGridModel::modelRow(3));
    click(2, 5);
    EXPECT_EQ(grid.currentRow(), 3);
    EXPECT_EQ(view.currentIndex().row(), AlignGridModel::modelRow(3));
    EXPECT_FALSE(view.selectionModel()->isRowSelected(AlignGridModel::modelRow(5), {}));
    EXPECT_EQ(asked, (std::vector<int>{3, 5}));

    // The core moves the current row itself (the portfolio's move commands).
    grid.OnSelectCell = nullptr;
    grid.setCurrentRow(7);
    EXPECT_EQ(view.currentIndex().row(), AlignGridModel::modelRow(7));
}

TEST_F(AlignGridViewTest, quoteTablesSelectWholeRowsAndTakeNoEdits)
{
    grid.setRowSelect(true);
    grid.setEditing(false);
    click(2, 4);
    for (int col = 0; col < 4; ++col)
        EXPECT_TRUE(view.selectionModel()->isSelected(view.model()->index(AlignGridModel::modelRow(4), col)));
    QTest::keyClicks(&view, "99");
    EXPECT_EQ(grid.cell(2, 4), "");
}

TEST_F(AlignGridViewTest, typingIntoAnEditableCellReplacesItInPlaceAndEndsWithAfterEdit)
{
    grid.setEditing(true);
    grid.setEditable(false);
    grid.setEditCell(3, 2, true);
    grid.setCell(3, 2, "1");
    std::vector<std::pair<int, int>> edited;
    grid.OnAfterEdit = [&](TAlignGrid&, int col, int row) { edited.emplace_back(col, row); };

    click(1, 2);
    QTest::keyClicks(&view, "7");
    EXPECT_EQ(view.findChild<QLineEdit*>(), nullptr);

    click(3, 2);
    QTest::keyClick(&view, '1');
    auto* editor = view.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor closes after the key
    EXPECT_EQ(grid.cell(3, 2), "12.5");
    EXPECT_EQ(edited, (std::vector<std::pair<int, int>>{{3, 2}}));
}

TEST_F(AlignGridViewTest, theGridKnowsWhetherItsTableHasTheKeyboardFocus)
{
    QLineEdit other(&view); // another control of the same window
    other.show();
    view.activateWindow();
    view.setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(grid.focused());
    other.setFocus(Qt::PopupFocusReason);
    EXPECT_TRUE(grid.focused()); // a menu over the table
    view.setFocus(Qt::OtherFocusReason);
    other.setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(grid.focused());
}

} // namespace
} // namespace listorix
