#include "grid/TAlignGrid.h"

#include "grid/RowOrder.h"

#include <algorithm>
#include <utility>

namespace listorix {

namespace {

const std::string& emptyText()
{
    static const std::string empty;
    return empty;
}

std::size_t index(int value)
{
    return static_cast<std::size_t>(value);
}

} // namespace

GridChange GridChange::mergedWith(const GridChange& other) const
{
    for (const Kind wide : {Kind::Layout, Kind::Table}) {
        if (kind == wide || other.kind == wide)
            return {wide, 0, -1, -1};
    }
    if (*this == other)
        return *this;
    return rows(std::min(firstRow, other.firstRow), std::max(lastRow, other.lastRow));
}

// What a cell holds beyond its text lives apart and only where something was set,
// so a large table of plain cells stays two words a cell.
struct TAlignGrid::Cell
{
    struct Extras
    {
        PropertySet props;
        std::string hint;
    };

    std::string text;
    std::unique_ptr<Extras> extras;

    Extras& ensureExtras()
    {
        if (!extras)
            extras = std::make_unique<Extras>();
        return *extras;
    }
};

TAlignGrid::TAlignGrid(int colCount, int rowCount) : m_fixedRowProps(index(fixedRows()))
{
    setColCount(colCount);
    setRowCount(rowCount);
    m_revision = 0;
}

TAlignGrid::~TAlignGrid() = default;

// --- size and texts ---------------------------------------------------------------

void TAlignGrid::setColCount(int count)
{
    count = std::max(count, 0);
    if (count == m_colCount)
        return;
    // The cells lie row after row, so a new column count lays every row out anew.
    std::vector<Cell> cells(index(count) * index(m_rowCount));
    const int kept = std::min(count, m_colCount);
    for (int row = 0; row < m_rowCount; ++row)
        for (int col = 0; col < kept; ++col)
            cells[index(row) * index(count) + index(col)] =
                std::move(m_cells[index(row) * index(m_colCount) + index(col)]);
    m_cells = std::move(cells);
    m_colCount = count;
    m_colWidths.resize(index(count), m_defaultColWidth);
    m_colProps.resize(index(count));
    m_fixedColProps.resize(index(count));
    clampCurrent();
    changed(GridChange::layout());
}

void TAlignGrid::setRowCount(int count)
{
    count = std::max(count, 0);
    if (count == m_rowCount)
        return;
    m_cells.resize(index(count) * index(m_colCount));
    m_rowProps.resize(index(count));
    m_rowCount = count;
    clampCurrent();
    changed(GridChange::layout());
}

bool TAlignGrid::validCell(int col, int row) const
{
    return validCol(col) && validRow(row);
}

TAlignGrid::Cell* TAlignGrid::cellAt(int col, int row)
{
    return validCell(col, row) ? &m_cells[index(row) * index(m_colCount) + index(col)] : nullptr;
}

const TAlignGrid::Cell* TAlignGrid::cellAt(int col, int row) const
{
    return validCell(col, row) ? &m_cells[index(row) * index(m_colCount) + index(col)] : nullptr;
}

const std::string& TAlignGrid::cell(int col, int row) const
{
    const Cell* c = cellAt(col, row);
    return c ? c->text : emptyText();
}

void TAlignGrid::setCell(int col, int row, std::string text)
{
    Cell* c = cellAt(col, row);
    if (!c || c->text == text)
        return;
    c->text = std::move(text);
    changed(GridChange::cell(col, row));
}

// --- geometry ---------------------------------------------------------------------

int TAlignGrid::colWidth(int col) const
{
    return validCol(col) ? m_colWidths[index(col)] : 0;
}

void TAlignGrid::setColWidth(int col, int width)
{
    if (!validCol(col) || width < 0 || m_colWidths[index(col)] == width)
        return;
    m_colWidths[index(col)] = width;
    changed(GridChange::layout());
}

void TAlignGrid::setDefaultColWidth(int width)
{
    if (width < 0)
        return;
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    changed(GridChange::layout());
}

void TAlignGrid::setDefaultRowHeight(int height)
{
    if (height <= 0 || height == m_defaultRowHeight)
        return;
    m_defaultRowHeight = height;
    changed(GridChange::layout());
}

// --- table settings ---------------------------------------------------------------

void TAlignGrid::setAlignment(Alignment alignment)
{
    m_alignment = alignment;
    changed(GridChange::table());
}

void TAlignGrid::setWordwrap(bool wordwrap)
{
    m_wordwrap = wordwrap;
    changed(GridChange::table());
}

void TAlignGrid::setEditable(bool editable)
{
    m_editable = editable;
    changed(GridChange::table());
}

void TAlignGrid::setColor(TColor color)
{
    m_color = color;
    changed(GridChange::table());
}

void TAlignGrid::setFont(Font font)
{
    m_font = std::move(font);
    changed(GridChange::table());
}

void TAlignGrid::setFixedColor(TColor color)
{
    m_fixedColor = color;
    changed(GridChange::table());
}

void TAlignGrid::setFixedFont(Font font)
{
    m_fixedFont = std::move(font);
    changed(GridChange::table());
}

// --- property sets ----------------------------------------------------------------

PropertySet& TAlignGrid::ensure(std::unique_ptr<PropertySet>& slot)
{
    if (!slot)
        slot = std::make_unique<PropertySet>();
    return *slot;
}

void TAlignGrid::changePropCell(int col, int row, const PropertyEdit& edit)
{
    Cell* c = cellAt(col, row);
    if (!c)
        return;
    edit(c->ensureExtras().props);
    changed(GridChange::cell(col, row));
}

void TAlignGrid::changePropCol(int col, const PropertyEdit& edit)
{
    if (!validCol(col))
        return;
    edit(ensure(m_colProps[index(col)]));
    changed(GridChange::table());
}

void TAlignGrid::changePropFixedCol(int col, const PropertyEdit& edit)
{
    if (!validCol(col))
        return;
    edit(ensure(m_fixedColProps[index(col)]));
    // The fixed cells of a column are its header rows.
    changed(fixedRows() == 1 ? GridChange::cell(col, 0) : GridChange::rows(0, fixedRows() - 1));
}

void TAlignGrid::changePropRow(int row, const PropertyEdit& edit)
{
    if (!validRow(row))
        return;
    edit(ensure(m_rowProps[index(row)]));
    changed(GridChange::rows(row, row));
}

void TAlignGrid::changePropFixedRow(int row, const PropertyEdit& edit)
{
    if (row < 0 || row >= fixedRows())
        return;
    edit(ensure(m_fixedRowProps[index(row)]));
    changed(GridChange::rows(row, row));
}

const PropertySet* TAlignGrid::findPropCell(int col, int row) const
{
    const Cell* c = cellAt(col, row);
    return c && c->extras ? &c->extras->props : nullptr;
}

const PropertySet* TAlignGrid::colSet(int col, bool fixed) const
{
    if (!validCol(col))
        return nullptr;
    return (fixed ? m_fixedColProps : m_colProps)[index(col)].get();
}

const PropertySet* TAlignGrid::rowSet(int row, bool fixed) const
{
    if (fixed)
        return row >= 0 && row < fixedRows() ? m_fixedRowProps[index(row)].get() : nullptr;
    return validRow(row) ? m_rowProps[index(row)].get() : nullptr;
}

// The effective value of one setting: the cell's own, then its column's, then its
// row's (the fixed-cell sets for fixed cells), then the table's.
template <typename T>
const T& TAlignGrid::resolve(int col, int row, std::optional<T> PropertySet::*field, const T& fallback) const
{
    const bool fixed = isFixedCell(col, row);
    for (const PropertySet* set : {findPropCell(col, row), colSet(col, fixed), rowSet(row, fixed)})
        if (set && (set->*field))
            return *(set->*field);
    return fallback;
}

const Font& TAlignGrid::ownFontOr(const PropertySet* set, const Font& fallback)
{
    return set && set->font ? *set->font : fallback;
}

// --- cell settings ----------------------------------------------------------------

Alignment TAlignGrid::alignCell(int col, int row) const
{
    return resolve(col, row, &PropertySet::alignment, m_alignment);
}

void TAlignGrid::setAlignCell(int col, int row, Alignment alignment)
{
    changePropCell(col, row, [alignment](PropertySet& set) { set.alignment = alignment; });
}

bool TAlignGrid::wordwrapCell(int col, int row) const
{
    return resolve(col, row, &PropertySet::wordwrap, m_wordwrap);
}

bool TAlignGrid::editCell(int col, int row) const
{
    return resolve(col, row, &PropertySet::editable, m_editable);
}

void TAlignGrid::setEditCell(int col, int row, bool editable)
{
    changePropCell(col, row, [editable](PropertySet& set) { set.editable = editable; });
}

TColor TAlignGrid::colorCell(int col, int row) const
{
    return resolve(col, row, &PropertySet::color, isFixedCell(col, row) ? m_fixedColor : m_color);
}

void TAlignGrid::setColorCell(int col, int row, TColor color)
{
    changePropCell(col, row, [color](PropertySet& set) { set.color = color; });
}

const Font& TAlignGrid::effectiveFont(int col, int row) const
{
    return resolve(col, row, &PropertySet::font, isFixedCell(col, row) ? m_fixedFont : m_font);
}

const Font& TAlignGrid::fontCell(int col, int row) const
{
    return ownFontOr(findPropCell(col, row), m_font);
}

void TAlignGrid::changeFontCell(int col, int row, const FontEdit& edit)
{
    changePropCell(col, row, [this, &edit](PropertySet& set) {
        if (!set.font)
            set.font = m_font;
        edit(*set.font);
    });
}

void TAlignGrid::setFontColorCell(int col, int row, TColor color)
{
    changeFontCell(col, row, [color](Font& font) { font.color = color; });
}

const std::string& TAlignGrid::hintCell(int col, int row) const
{
    const Cell* c = cellAt(col, row);
    return c && c->extras ? c->extras->hint : emptyText();
}

void TAlignGrid::setHintCell(int col, int row, std::string hint)
{
    Cell* c = cellAt(col, row);
    if (!c || (hint.empty() && !c->extras))
        return;
    c->ensureExtras().hint = std::move(hint);
    changed(GridChange::cell(col, row));
}

// --- column and row shortcuts -----------------------------------------------------

Alignment TAlignGrid::alignCol(int col) const
{
    const PropertySet* set = colSet(col, false);
    return set && set->alignment ? *set->alignment : m_alignment;
}

std::optional<Alignment> TAlignGrid::ownAlignCol(int col) const
{
    const PropertySet* set = colSet(col, false);
    return set ? set->alignment : std::nullopt;
}

void TAlignGrid::setAlignCol(int col, Alignment alignment)
{
    changePropCol(col, [alignment](PropertySet& set) { set.alignment = alignment; });
}

bool TAlignGrid::editCol(int col) const
{
    const PropertySet* set = colSet(col, false);
    return set && set->editable ? *set->editable : m_editable;
}

void TAlignGrid::setEditCol(int col, bool editable)
{
    changePropCol(col, [editable](PropertySet& set) { set.editable = editable; });
}

TColor TAlignGrid::colorCol(int col) const
{
    const PropertySet* set = colSet(col, false);
    return set && set->color ? *set->color : m_color;
}

void TAlignGrid::setColorCol(int col, TColor color)
{
    changePropCol(col, [color](PropertySet& set) { set.color = color; });
}

const Font& TAlignGrid::fontCol(int col) const
{
    return ownFontOr(colSet(col, false), m_font);
}

void TAlignGrid::changeFontCol(int col, const FontEdit& edit)
{
    changePropCol(col, [this, &edit](PropertySet& set) {
        if (!set.font)
            set.font = m_font;
        edit(*set.font);
    });
}

Alignment TAlignGrid::fixedAlignCol(int col) const
{
    const PropertySet* set = colSet(col, true);
    return set && set->alignment ? *set->alignment : m_alignment;
}

void TAlignGrid::setFixedAlignCol(int col, Alignment alignment)
{
    changePropFixedCol(col, [alignment](PropertySet& set) { set.alignment = alignment; });
}

TColor TAlignGrid::colorFixedCol(int col) const
{
    const PropertySet* set = colSet(col, true);
    return set && set->color ? *set->color : m_fixedColor;
}

void TAlignGrid::setColorFixedCol(int col, TColor color)
{
    changePropFixedCol(col, [color](PropertySet& set) { set.color = color; });
}

const Font& TAlignGrid::fontFixedCol(int col) const
{
    return ownFontOr(colSet(col, true), m_fixedFont);
}

void TAlignGrid::changeFontFixedCol(int col, const FontEdit& edit)
{
    changePropFixedCol(col, [this, &edit](PropertySet& set) {
        if (!set.font)
            set.font = m_fixedFont;
        edit(*set.font);
    });
}

bool TAlignGrid::editRow(int row) const
{
    const PropertySet* set = rowSet(row, false);
    return set && set->editable ? *set->editable : m_editable;
}

void TAlignGrid::setEditRow(int row, bool editable)
{
    changePropRow(row, [editable](PropertySet& set) { set.editable = editable; });
}

TColor TAlignGrid::colorRow(int row) const
{
    const PropertySet* set = rowSet(row, false);
    return set && set->color ? *set->color : m_color;
}

void TAlignGrid::setColorRow(int row, TColor color)
{
    changePropRow(row, [color](PropertySet& set) { set.color = color; });
}

const Font& TAlignGrid::fontRow(int row) const
{
    return ownFontOr(rowSet(row, false), m_font);
}

void TAlignGrid::changeFontRow(int row, const FontEdit& edit)
{
    changePropRow(row, [this, &edit](PropertySet& set) {
        if (!set.font)
            set.font = m_font;
        edit(*set.font);
    });
}

// --- options ----------------------------------------------------------------------

void TAlignGrid::setEditing(bool editing)
{
    m_editing = editing;
    changed(GridChange::table());
}

void TAlignGrid::setRowSelect(bool rowSelect)
{
    m_rowSelect = rowSelect;
    changed(GridChange::table());
}

void TAlignGrid::setShowCellHints(bool show)
{
    m_showCellHints = show;
    changed(GridChange::table());
}

void TAlignGrid::setHint(std::string hint)
{
    m_hint = std::move(hint);
    changed(GridChange::table());
}

void TAlignGrid::setFocused(bool focused)
{
    if (focused == m_focused)
        return;
    m_focused = focused;
    changed(GridChange::table());
}

// --- current cell -----------------------------------------------------------------

bool TAlignGrid::selectCell(int col, int row)
{
    if (!validCell(col, row) || isFixedCell(col, row))
        return false;
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(*this, col, row, canSelect);
    // The handler may have changed the table under us.
    if (!canSelect || !validCell(col, row))
        return false;
    if (col != m_currentCol || row != m_currentRow) {
        const int oldRow = m_currentRow;
        m_currentCol = col;
        m_currentRow = row;
        // The highlight leaves one row and reaches another.
        changed(GridChange::rows(std::min(oldRow, row), std::max(oldRow, row)));
    }
    return true;
}

void TAlignGrid::setCurrentCol(int col)
{
    if (col != m_currentCol)
        selectCell(col, m_currentRow);
}

void TAlignGrid::setCurrentRow(int row)
{
    if (row != m_currentRow)
        selectCell(m_currentCol, row);
}

// Keeps the current cell inside the table and out of the fixed cells while the table
// has others.
void TAlignGrid::clampCurrent()
{
    const int lastRow = std::max(m_rowCount - 1, 0);
    const int lastCol = std::max(m_colCount - 1, 0);
    m_currentRow = std::clamp(m_currentRow, std::min(fixedRows(), lastRow), lastRow);
    m_currentCol = std::clamp(m_currentCol, std::min(fixedCols(), lastCol), lastCol);
}

// --- visibility and change notification -------------------------------------------

void TAlignGrid::hide()
{
    m_hidden = true;
}

void TAlignGrid::show()
{
    if (!m_hidden)
        return;
    m_hidden = false;
    if (!m_pending)
        m_pending = GridChange::table();
    if (m_openBatches == 0)
        sendPending();
}

void TAlignGrid::setChangeObserver(std::function<void(GridChange)> observer)
{
    m_observer = std::move(observer);
}

void TAlignGrid::changed(GridChange change)
{
    ++m_revision;
    m_pending = m_pending ? m_pending->mergedWith(change) : change;
    if (!m_hidden && m_openBatches == 0)
        sendPending();
}

void TAlignGrid::sendPending()
{
    if (!m_pending)
        return;
    const GridChange change = *m_pending;
    m_pending.reset();
    if (m_observer)
        m_observer(change);
}

TAlignGrid::Batch::Batch(TAlignGrid& grid) : m_grid(grid)
{
    ++m_grid.m_openBatches;
}

TAlignGrid::Batch::~Batch()
{
    if (--m_grid.m_openBatches > 0 || m_grid.m_hidden)
        return;
    // A destructor must not throw; an observer that breaks its promise is not
    // allowed to take the program down with it.
    try {
        m_grid.sendPending();
    } catch (...) {
    }
}

// --- sorting ----------------------------------------------------------------------

TRelation TAlignGrid::compareColTexts(const TAlignGrid& Sender, int colrow, int compare1, int compare2)
{
    return compareTexts(Sender.cell(colrow, compare1), Sender.cell(colrow, compare2));
}

TRelation TAlignGrid::compareRows(int col, int row1, int row2) const
{
    try {
        return OnCompareCol ? OnCompareCol(*this, col, row1, row2) : compareColTexts(*this, col, row1, row2);
    } catch (...) {
        // A comparison that fails tells nothing about the order.
        return TRelation::Equal;
    }
}

void TAlignGrid::sortByColumn(int col, bool ascending)
{
    const int first = fixedRows();
    const int rows = m_rowCount;
    const int cols = m_colCount;
    if (!validCol(col) || rows - first < 2)
        return;
    const TRelation before = ascending ? TRelation::Less : TRelation::Greater;
    // The rows stay in place while they are compared, so the comparison always sees
    // the row numbers it is given; only the finished order moves them.
    const std::vector<int> order =
        stableOrder(first, rows, [&](int a, int b) { return compareRows(col, a, b) == before; });
    if (m_rowCount != rows || m_colCount != cols)
        return; // the comparison resized the table: the order no longer fits it

    placeRows(order, first);
}

bool TAlignGrid::reorderRows(const std::vector<int>& order)
{
    const int first = fixedRows();
    if (static_cast<int>(order.size()) != std::max(m_rowCount - first, 0))
        return false;
    std::vector<bool> seen(order.size());
    for (const int row : order) {
        if (row < first || row >= m_rowCount || seen[index(row - first)])
            return false;
        seen[index(row - first)] = true;
    }
    placeRows(order, first);
    return true;
}

// Puts old row order[k] at row first + k, cycle by cycle, so each row moves about once
// and only one row is held aside.
void TAlignGrid::placeRows(const std::vector<int>& order, int first)
{
    const std::size_t width = index(m_colCount);
    auto rowStart = [&](int row) {
        return m_cells.begin() + static_cast<std::ptrdiff_t>(index(row) * width);
    };
    auto source = [&](int row) { return order[index(row - first)]; };
    std::vector<bool> placed(order.size());
    std::vector<Cell> aside(width);
    const int oldCurrentRow = m_currentRow;
    bool moved = false;
    for (int start = first; start < first + static_cast<int>(order.size()); ++start) {
        if (placed[index(start - first)] || source(start) == start)
            continue;
        moved = true;
        std::move(rowStart(start), rowStart(start + 1), aside.begin());
        int row = start;
        while (true) {
            placed[index(row - first)] = true;
            const int from = source(row);
            if (from == oldCurrentRow)
                m_currentRow = row;
            if (from == start) {
                std::move(aside.begin(), aside.end(), rowStart(row));
                break;
            }
            std::move(rowStart(from), rowStart(from + 1), rowStart(row));
            row = from;
        }
    }
    if (moved)
        changed(GridChange::rows(first, first + static_cast<int>(order.size()) - 1));
}

// --- input from a view ------------------------------------------------------------

void TAlignGrid::clickFixedCol(int col)
{
    if (validCol(col) && OnFixedColClick)
        OnFixedColClick(*this, col);
}

bool TAlignGrid::canEditInPlace(int col, int row) const
{
    return m_editing && validCell(col, row) && !isFixedCell(col, row) && editCell(col, row);
}

bool TAlignGrid::endEdit(int col, int row, std::string text)
{
    if (!canEditInPlace(col, row))
        return false;
    setCell(col, row, std::move(text));
    if (OnAfterEdit)
        OnAfterEdit(*this, col, row);
    return true;
}

void TAlignGrid::userSetColWidth(int col, int width)
{
    if (!validCol(col) || width < 0)
        return;
    setColWidth(col, width);
    if (OnColWidthsChanged)
        OnColWidthsChanged(*this);
}

void TAlignGrid::doubleClick()
{
    if (OnDblClick)
        OnDblClick(*this);
}

} // namespace listorix
