#include "grid/gui/AlignGridModel.h"

#include "base/gui/QtColour.h"
#include "base/gui/QtText.h"

#include <QBrush>
#include <QFont>
#include <algorithm>

namespace listorix {

namespace {

constexpr int kTableFontStretch = 90;

Qt::Alignment qAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QFont qFont(const Font& font)
{
    QFont result;
    if (!font.name.empty())
        result.setFamily(qText(font.name));
    if (font.size > 0)
        result.setPointSize(font.size);
    // The column widths were made for a narrower face than today's screen fonts.
    result.setStretch(kTableFontStretch);
    result.setBold(font.bold);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

} // namespace

AlignGridModel::AlignGridModel(TAlignGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(std::max(grid.rowCount() - 1, 0)),
      m_cols(grid.colCount())
{
    m_grid.setChangeObserver([this](GridChange change) { onGridChange(change); });
}

AlignGridModel::~AlignGridModel()
{
    m_grid.setChangeObserver(nullptr);
}

int AlignGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int AlignGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant AlignGridModel::cellRole(int col, int row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        // Blanks around a text only push it out of a narrow cell (the portfolio's
        // amounts are padded to 15 characters).
        return qText(m_grid.cell(col, row)).trimmed();
    case Qt::EditRole:
        return qText(m_grid.cell(col, row));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qAlignment(m_grid.alignCell(col, row)));
    case Qt::FontRole:
        return qFont(m_grid.effectiveFont(col, row));
    case Qt::ForegroundRole:
        return QBrush(qColour(m_grid.effectiveFont(col, row).color));
    case Qt::BackgroundRole:
        return QBrush(qColour(m_grid.colorCell(col, row)));
    case Qt::ToolTipRole: {
        const std::string& hint = m_grid.showCellHints() ? m_grid.hintCell(col, row) : m_grid.hint();
        return hint.empty() ? QVariant() : QVariant(qText(hint));
    }
    default:
        return {};
    }
}

QVariant AlignGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    return cellRole(index.column(), gridRow(index.row()), role);
}

QVariant AlignGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role == Qt::EditRole)
        return {};
    return cellRole(section, 0, role);
}

Qt::ItemFlags AlignGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_grid.canEditInPlace(index.column(), gridRow(index.row())))
        result |= Qt::ItemIsEditable;
    return result;
}

bool AlignGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    return m_grid.endEdit(index.column(), gridRow(index.row()), coreText(value.toString()));
}

void AlignGridModel::onGridChange(const GridChange& change)
{
    switch (change.kind) {
    case GridChange::Kind::Layout:
        followCounts();
        cellsChanged(0, m_rows, 0, m_cols - 1);
        emit geometryChanged();
        break;
    case GridChange::Kind::Table:
        cellsChanged(0, m_rows, 0, m_cols - 1);
        break;
    case GridChange::Kind::Rows:
        cellsChanged(change.firstRow, change.lastRow, 0, m_cols - 1);
        break;
    case GridChange::Kind::Cell:
        cellsChanged(change.firstRow, change.lastRow, change.col, change.col);
        break;
    }
    emit gridChanged();
}

// The grid has already changed: the model tells the view of the rows and columns
// that came or went, keeping the rows the view still shows.
void AlignGridModel::followCounts()
{
    const int rows = std::max(m_grid.rowCount() - 1, 0);
    const int cols = m_grid.colCount();
    if (cols != m_cols) {
        beginResetModel();
        m_rows = rows;
        m_cols = cols;
        endResetModel();
        return;
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

// Grid rows firstGridRow..lastGridRow (0 is the header) and columns firstCol..lastCol.
void AlignGridModel::cellsChanged(int firstGridRow, int lastGridRow, int firstCol, int lastCol)
{
    firstCol = std::max(firstCol, 0);
    lastCol = std::min(lastCol, m_cols - 1);
    if (firstCol > lastCol)
        return;
    if (firstGridRow <= 0)
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    const int first = std::max(modelRow(firstGridRow), 0);
    const int last = std::min(modelRow(lastGridRow), m_rows - 1);
    if (first <= last)
        emit dataChanged(index(first, firstCol), index(last, lastCol));
}

} // namespace listorix
