#pragma once

#include "grid/GridProperties.h"
#include "grid/TRelation.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace listorix {

class TAlignGrid;

// The column comparison of a sort: `colrow` is the column, `compare1` and `compare2`
// the two rows; the answer is about the value in compare1 against compare2.
using TCompareFunction =
    std::function<TRelation(const TAlignGrid& Sender, int colrow, int compare1, int compare2)>;

// What a change touched, sent to the observer after the change is made, for a view
// that repaints only that: Layout, the row or column counts or the geometry (column
// widths, row height) changed and the view lays itself out anew; Table, any cell's
// text or look may have changed on the same geometry; Rows, rows firstRow..lastRow
// (both included); Cell, the one cell (col, firstRow), firstRow == lastRow. Fields a
// kind does not use hold 0 (firstRow) and -1 (lastRow, col).
struct GridChange
{
    enum class Kind
    {
        Layout,
        Table,
        Rows,
        Cell
    };

    Kind kind = Kind::Table;
    int firstRow = 0;
    int lastRow = -1;
    int col = -1;

    static GridChange layout() { return {Kind::Layout, 0, -1, -1}; }
    static GridChange table() { return {Kind::Table, 0, -1, -1}; }
    static GridChange rows(int firstRow, int lastRow) { return {Kind::Rows, firstRow, lastRow, -1}; }
    static GridChange cell(int col, int row) { return {Kind::Cell, row, row, col}; }

    // The smallest notice that covers both: cells of one row give that row (or the
    // cell, when it is the same), rows give the span from the first to the last,
    // and a Table or Layout notice covers everything below it.
    GridChange mergedWith(const GridChange& other) const;

    bool operator==(const GridChange&) const = default;
};

// A table of text cells, addressed (column, row), with one fixed header row and no
// fixed column. Besides the texts it holds display settings at four levels (cell,
// column, row, table), a hint per cell, the current cell, and sorts its data rows by
// a column through a comparison event. A view observes it through one change
// observer, told after each change what it touched; a batch holds the notices back
// and sends one for all at its end, and while the table is hidden the observer is
// silent and hears once on show.
//
// Indices out of range never fault: reads give empty or default values and writes
// are dropped.
class TAlignGrid final
{
public:
    // Open while it lives: the notices of the changes made meanwhile are merged into
    // one, sent when the outermost batch ends (and the table is not hidden).
    class [[nodiscard]] Batch final
    {
    public:
        explicit Batch(TAlignGrid& grid);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TAlignGrid& m_grid;
    };

    // Edits of one level's settings, applied before the notice goes out.
    using PropertyEdit = std::function<void(PropertySet&)>;
    using FontEdit = std::function<void(Font&)>;

    explicit TAlignGrid(int colCount = 5, int rowCount = 2);
    ~TAlignGrid();
    TAlignGrid(const TAlignGrid&) = delete;
    TAlignGrid& operator=(const TAlignGrid&) = delete;

    // Events, raised by the operations named beside them.
    std::function<void(TAlignGrid& Sender, int col)> OnFixedColClick;      // clickFixedCol
    TCompareFunction OnCompareCol = compareColTexts;                       // sortByColumn
    std::function<void(TAlignGrid& Sender)> OnColWidthsChanged;            // userSetColWidth
    std::function<void(TAlignGrid& Sender, int col, int row)> OnAfterEdit; // endEdit
    std::function<void(TAlignGrid& Sender, int col, int row, bool& canSelect)> OnSelectCell; // selectCell
    std::function<void(TAlignGrid& Sender)> OnDblClick;                                      // doubleClick

    // Size. Shrinking drops the cells beyond the new edge with every setting they had;
    // growing adds empty cells without settings.
    int colCount() const { return m_colCount; }
    int rowCount() const { return m_rowCount; }
    void setColCount(int count);
    void setRowCount(int count);
    int fixedRows() const { return 1; }
    int fixedCols() const { return 0; }
    bool isFixedCell(int col, int row) const { return row < fixedRows() || col < fixedCols(); }

    const std::string& cell(int col, int row) const;
    void setCell(int col, int row, std::string text);

    // Geometry in pixels. Setting the default column width sets every column to it.
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int defaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height);

    // The table's own settings, the last level of every lookup. Fixed cells take the
    // fixed colour and font instead of the table's.
    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment alignment);
    bool wordwrap() const { return m_wordwrap; }
    void setWordwrap(bool wordwrap);
    bool editable() const { return m_editable; }
    void setEditable(bool editable);
    TColor color() const { return m_color; }
    void setColor(TColor color);
    const Font& font() const { return m_font; }
    void setFont(Font font);
    TColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(TColor color);
    const Font& fixedFont() const { return m_fixedFont; }
    void setFixedFont(Font font);

    // The property sets of each level, created on first use: `edit` changes the
    // level's own set, then the observer hears of it. The column and row levels keep
    // a separate set for fixed cells.
    void changePropCell(int col, int row, const PropertyEdit& edit);
    void changePropCol(int col, const PropertyEdit& edit);
    void changePropFixedCol(int col, const PropertyEdit& edit);
    void changePropRow(int row, const PropertyEdit& edit);
    void changePropFixedRow(int row, const PropertyEdit& edit);
    const PropertySet* findPropCell(int col, int row) const; // none when the cell has no set

    // A cell's settings: the setters write the cell's own set, the getters give the
    // effective value (cell, column, row, table).
    Alignment alignCell(int col, int row) const;
    void setAlignCell(int col, int row, Alignment alignment);
    bool wordwrapCell(int col, int row) const;
    bool editCell(int col, int row) const;
    void setEditCell(int col, int row, bool editable);
    TColor colorCell(int col, int row) const;
    void setColorCell(int col, int row, TColor color);
    const Font& effectiveFont(int col, int row) const;
    // The cell's own font, or the table's while the cell has none. A change gives
    // a cell without a font of its own a copy of the table's font first.
    const Font& fontCell(int col, int row) const;
    void changeFontCell(int col, int row, const FontEdit& edit);
    void setFontColorCell(int col, int row, TColor color);
    const std::string& hintCell(int col, int row) const;
    void setHintCell(int col, int row, std::string hint);

    // Column and row shortcuts: the getters give the level's own setting or else the
    // table's; a change creates the level's font from the table's (fixed) font.
    Alignment alignCol(int col) const;
    // The column's own alignment setting; none when it has none (the table's holds).
    std::optional<Alignment> ownAlignCol(int col) const;
    void setAlignCol(int col, Alignment alignment);
    bool editCol(int col) const;
    void setEditCol(int col, bool editable);
    TColor colorCol(int col) const;
    void setColorCol(int col, TColor color);
    const Font& fontCol(int col) const;
    void changeFontCol(int col, const FontEdit& edit);
    Alignment fixedAlignCol(int col) const;
    void setFixedAlignCol(int col, Alignment alignment);
    TColor colorFixedCol(int col) const;
    void setColorFixedCol(int col, TColor color);
    const Font& fontFixedCol(int col) const;
    void changeFontFixedCol(int col, const FontEdit& edit);
    bool editRow(int row) const;
    void setEditRow(int row, bool editable);
    TColor colorRow(int row) const;
    void setColorRow(int row, TColor color);
    const Font& fontRow(int row) const;
    void changeFontRow(int row, const FontEdit& edit);

    // Options a view follows.
    bool editing() const { return m_editing; }
    void setEditing(bool editing);
    bool rowSelect() const { return m_rowSelect; }
    void setRowSelect(bool rowSelect);
    bool showCellHints() const { return m_showCellHints; }
    void setShowCellHints(bool show);
    const std::string& hint() const { return m_hint; }
    void setHint(std::string hint);
    bool focused() const { return m_focused; } // kept by the view
    void setFocused(bool focused);

    // The current cell. Moving it raises OnSelectCell first, which may refuse the move;
    // fixed cells are never current.
    int currentCol() const { return m_currentCol; }
    int currentRow() const { return m_currentRow; }
    bool selectCell(int col, int row);
    void setCurrentCol(int col);
    void setCurrentRow(int row);

    // No notifications while hidden; showing sends one for all that changed meanwhile
    // (a Table notice when nothing did), at the end of the open batch if there is one.
    void hide();
    void show();
    bool isHidden() const { return m_hidden; }

    // One notice for every change made while the batch lives.
    [[nodiscard]] Batch batchChanges() { return Batch(*this); }

    // The observer must not throw out of a batch's end.
    void setChangeObserver(std::function<void(GridChange)> observer);
    std::uint64_t revision() const { return m_revision; } // counts every change

    // Orders the data rows (below the header) by the column: ascending puts first the
    // rows that OnCompareCol calls less (the built-in text comparison when the event is
    // empty). Rows move whole, with their texts, hints and every cell setting; the
    // current row follows its content; row-level sets stay with the positions. Rows
    // that compare equal keep their order. A failing comparison counts as equal.
    void sortByColumn(int col, bool ascending);
    // Moves the data rows so that the row numbered order[k] becomes row 1 + k, whole
    // as sortByColumn moves them: for a caller that computed the order itself. False,
    // and nothing moves, unless `order` names every data row exactly once.
    bool reorderRows(const std::vector<int>& order);
    static TRelation compareColTexts(const TAlignGrid& Sender, int colrow, int compare1, int compare2);

    // Input from a view: each does what the user did and raises its event.
    void clickFixedCol(int col);
    bool canEditInPlace(int col, int row) const;
    bool endEdit(int col, int row, std::string text); // false when the cell may not be edited
    void userSetColWidth(int col, int width);
    void doubleClick();

private:
    struct Cell;

    bool validCell(int col, int row) const;
    bool validCol(int col) const { return col >= 0 && col < m_colCount; }
    bool validRow(int row) const { return row >= 0 && row < m_rowCount; }
    Cell* cellAt(int col, int row);
    const Cell* cellAt(int col, int row) const;
    const PropertySet* colSet(int col, bool fixed) const;
    const PropertySet* rowSet(int row, bool fixed) const;
    template <typename T>
    const T& resolve(int col, int row, std::optional<T> PropertySet::*field, const T& fallback) const;
    static PropertySet& ensure(std::unique_ptr<PropertySet>& slot);
    static const Font& ownFontOr(const PropertySet* set, const Font& fallback);
    TRelation compareRows(int col, int row1, int row2) const;
    void placeRows(const std::vector<int>& order, int first);
    void clampCurrent();
    void changed(GridChange change);
    void sendPending();

    int m_colCount = 0;
    int m_rowCount = 0;
    std::vector<Cell> m_cells; // row after row
    std::vector<int> m_colWidths;
    std::vector<std::unique_ptr<PropertySet>> m_colProps;
    std::vector<std::unique_ptr<PropertySet>> m_fixedColProps;
    std::vector<std::unique_ptr<PropertySet>> m_rowProps;
    std::vector<std::unique_ptr<PropertySet>> m_fixedRowProps;

    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 18;
    Alignment m_alignment = Alignment::Left;
    bool m_wordwrap = false;
    bool m_editable = true;
    TColor m_color = clWhite;
    Font m_font;
    TColor m_fixedColor = rgbColour(240, 240, 240);
    Font m_fixedFont;

    bool m_editing = false;
    bool m_rowSelect = false;
    bool m_showCellHints = false;
    std::string m_hint;
    bool m_focused = false;
    int m_currentCol = 0;
    int m_currentRow = 0;

    bool m_hidden = false;
    int m_openBatches = 0;
    std::optional<GridChange> m_pending;
    std::function<void(GridChange)> m_observer;
    std::uint64_t m_revision = 0;
};

} // namespace listorix
