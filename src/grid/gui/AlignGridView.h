#pragma once

#include <QTableView>

namespace listorix {

class AlignGridModel;
class TAlignGrid;

// The one view of all five tables: a table view over an AlignGridModel that
// follows the grid's options (whole-row selection, in-place editing only where
// the grid allows it), its column widths and row height, and its current cell,
// and hands the user's hand back to the grid: header clicks, column widths
// dragged with the mouse, the move of the current cell (asked first, the grid may
// refuse it), edits, the double click and the keyboard focus.
class AlignGridView final : public QTableView
{
    Q_OBJECT

public:
    explicit AlignGridView(TAlignGrid& grid, QWidget* parent = nullptr);

    TAlignGrid& grid() const;
    AlignGridModel& gridModel() const { return *m_model; }
    // The width the table has for its columns (no scroll bar, no frame).
    int clientWidth() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class CellSelection;

    void applyOptions();
    void applyGeometry();
    void followCurrentCell();
    void onSectionResized(int col, int oldWidth, int newWidth);

    AlignGridModel* m_model;
    CellSelection* m_selection;
    bool m_applyingGeometry = false;
};

} // namespace listorix
