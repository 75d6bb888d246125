#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridModel.h"

#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <vector>

namespace listorix {
namespace {

QColor brushColour(const QVariant& value)
{
    return value.value<QBrush>().color();
}

// A 4 x 4 grid (header and three data rows) with settings at every level.
class AlignGridModelTest : public ::testing::Test
{
protected:
    AlignGridModelTest()
    {
        grid.setColor(clWhite);
        grid.setCell(1, 0, "Nome");
        grid.setCell(1, 2, "ENI \x80");
        grid.setCell(2, 2, "    1.240,0000");
        grid.setAlignCol(2, Alignment::Right);
        grid.setFixedAlignCol(2, Alignment::Center);
        grid.setAlignCell(2, 3, Alignment::Left);
        grid.setColorCol(0, clLightCyan);
        grid.setColorRow(2, clLightYellow);
        grid.setColorCell(0, 2, clLightGreen);
        grid.setFontColorCell(3, 1, clRed);
        grid.changeFontCol(3, [](Font& font) { font.bold = true; });
        grid.setHintCell(1, 1, "L.2.400.975");
        grid.setHint("Titolo personale da aggiornare manualmente");
    }

    QVariant at(int col, int gridRow, int role) const
    {
        return model.data(model.index(AlignGridModel::modelRow(gridRow), col), role);
    }

    TAlignGrid grid{4, 4};
    AlignGridModel model{grid};
};

TEST_F(AlignGridModelTest, headerRowIsTheHeaderAndDataRowsFollowIt)
{
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Nome");
    EXPECT_EQ(at(1, 2, Qt::DisplayRole).toString(), QString::fromUtf8("ENI €"));
    // Shown without its padding, edited as it is.
    EXPECT_EQ(at(2, 2, Qt::DisplayRole).toString(), "1.240,0000");
    EXPECT_EQ(at(2, 2, Qt::EditRole).toString(), "    1.240,0000");
    EXPECT_FALSE(model.headerData(0, Qt::Vertical).isValid());
}

TEST_F(AlignGridModelTest, rolesTakeTheGridsEffectiveSettings)
{
    // Alignment: column, fixed cells of the column, and a cell of its own.
    EXPECT_EQ(at(2, 1, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(at(2, 3, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignVCenter);

    // Background: the cell's own, then the column's, then the row's, then the table's.
    EXPECT_EQ(brushColour(at(0, 2, Qt::BackgroundRole)), QColor(128, 255, 128));
    EXPECT_EQ(brushColour(at(0, 1, Qt::BackgroundRole)), QColor(128, 255, 255));
    EXPECT_EQ(brushColour(at(1, 2, Qt::BackgroundRole)), QColor(255, 255, 128));
    EXPECT_EQ(brushColour(at(1, 1, Qt::BackgroundRole)), QColor(255, 255, 255));

    // Font colour and style: a cell's red font wins over its column's black bold one.
    EXPECT_EQ(brushColour(at(3, 1, Qt::ForegroundRole)), QColor(255, 0, 0));
    EXPECT_EQ(brushColour(at(3, 2, Qt::ForegroundRole)), QColor(0, 0, 0));
    EXPECT_TRUE(at(3, 2, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(at(1, 2, Qt::FontRole).value<QFont>().bold());
}

TEST_F(AlignGridModelTest, tooltipIsTheCellHintWhenTheTableShowsThemElseTheTablesHint)
{
    EXPECT_EQ(at(1, 1, Qt::ToolTipRole).toString(), "Titolo personale da aggiornare manualmente");
    grid.setShowCellHints(true);
    EXPECT_EQ(at(1, 1, Qt::ToolTipRole).toString(), "L.2.400.975");
    EXPECT_FALSE(at(2, 1, Qt::ToolTipRole).isValid());
}

TEST_F(AlignGridModelTest, onlyCellsTheGridLetsEditTakeAnEditWhichRaisesAfterEdit)
{
    std::vector<std::pair<int, int>> edited;
    grid.OnAfterEdit = [&](TAlignGrid&, int col, int row) { edited.emplace_back(col, row); };
    grid.setEditable(false);
    grid.setEditCol(3, true);
    grid.setEditCell(3, 2, false);

    const QModelIndex open = model.index(AlignGridModel::modelRow(1), 3);
    const QModelIndex closedCell = model.index(AlignGridModel::modelRow(2), 3);
    const QModelIndex closedColumn = model.index(AlignGridModel::modelRow(1), 1);
    EXPECT_FALSE(model.flags(open) & Qt::ItemIsEditable); // editing is off in the table
    grid.setEditing(true);
    EXPECT_TRUE(model.flags(open) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(closedCell) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(closedColumn) & Qt::ItemIsEditable);

    EXPECT_TRUE(model.setData(open, QString::fromUtf8("12,5 €")));
    EXPECT_FALSE(model.setData(closedCell, "x"));
    EXPECT_EQ(grid.cell(3, 1), "12,5 \x80");
    EXPECT_EQ(grid.cell(3, 2), "");
    EXPECT_EQ(edited, (std::vector<std::pair<int, int>>{{3, 1}}));
}

TEST_F(AlignGridModelTest, noticesReachTheViewAsWhatTheyName)
{
    QSignalSpy data(&model, &AlignGridModel::dataChanged);
    QSignalSpy header(&model, &AlignGridModel::headerDataChanged);
    QSignalSpy inserted(&model, &AlignGridModel::rowsInserted);
    QSignalSpy removed(&model, &AlignGridModel::rowsRemoved);
    QSignalSpy reset(&model, &AlignGridModel::modelReset);
    auto lastRange = [&] {
        const QList<QVariant> args = data.takeLast();
        const auto first = args.at(0).toModelIndex();
        const auto last = args.at(1).toModelIndex();
        return std::vector<int>{first.row(), first.column(), last.row(), last.column()};
    };

    grid.setCell(2, 3, "x"); // one cell
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(lastRange(), (std::vector<int>{2, 2, 2, 2}));

    grid.setColorRow(2, clRed); // one row
    EXPECT_EQ(lastRange(), (std::vector<int>{1, 0, 1, 3}));

    {
        const auto batch = grid.batchChanges(); // a parse rewriting the table
        for (int row = 1; row < 4; ++row)
            grid.setCell(0, row, "A");
        EXPECT_EQ(data.count(), 0);
    }
    EXPECT_EQ(lastRange(), (std::vector<int>{0, 0, 2, 3}));

    grid.setCell(0, 0, "Codice"); // the header
    EXPECT_EQ(header.count(), 1);
    EXPECT_EQ(data.count(), 0);

    grid.setRowCount(6);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 3);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 4);
    EXPECT_EQ(model.rowCount(), 5);
    grid.setRowCount(2);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);
    grid.setColCount(11);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.columnCount(), 11);
}

} // namespace
} // namespace listorix
