#pragma once

#include "grid/TAlignGrid.h"

#include <QAbstractTableModel>

namespace listorix {

// One of the program's tables as Qt sees it: a table model over a TAlignGrid, not
// a copy of it. The grid's header row (row 0) is the horizontal header and data
// row r + 1 is model row r. Every role comes from the grid's effective settings:
// text, alignment, font and its colour, background, the cell hint (or the table's
// hint) as tooltip, and editability. The model listens to the grid's change
// notices and tells the view exactly what they name.
class AlignGridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit AlignGridModel(TAlignGrid& grid, QObject* parent = nullptr);
    ~AlignGridModel() override;

    TAlignGrid& grid() const { return m_grid; }
    static int gridRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit reaches the grid as the end of an in-place edit, which raises its
    // after-edit event; refused when the grid does not let the cell be edited.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // The grid's geometry (column widths, row height, counts) may have changed.
    void geometryChanged();
    // A notice has been handled; the grid's current cell may have moved.
    void gridChanged();

private:
    void onGridChange(const GridChange& change);
    void followCounts();
    void cellsChanged(int firstGridRow, int lastGridRow, int firstCol, int lastCol);
    QVariant cellRole(int col, int row, int role) const;

    TAlignGrid& m_grid;
    int m_rows = 0; // data rows as the view last heard of them
    int m_cols = 0;
};

} // namespace listorix
