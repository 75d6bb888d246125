#include "grid/gui/AlignGridView.h"

#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridModel.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace listorix {

// The grid decides whether the current cell may move: a move the grid refuses
// leaves the current cell and the selection where they were. Moves that only
// follow the grid's own current cell are not asked again.
class AlignGridView::CellSelection final : public QItemSelectionModel
{
public:
    CellSelection(AlignGridModel* model, QObject* parent)
        : QItemSelectionModel(model, parent), m_model(*model)
    {
    }

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (!m_following && index.isValid() && index != currentIndex()) {
            m_asking = true;
            m_refused = !m_model.grid().selectCell(index.column(), AlignGridModel::gridRow(index.row()));
            m_asking = false;
            if (m_refused)
                return;
        }
        m_refused = false;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override
    {
        // A mouse press sets the current cell and then selects what it pressed on.
        if (m_refused && !selection.isEmpty())
            return;
        QItemSelectionModel::select(selection, command);
    }
    using QItemSelectionModel::select;

    // Makes the view's current cell the grid's, without asking the grid.
    void follow(const QModelIndex& index, QItemSelectionModel::SelectionFlags command)
    {
        if (m_asking)
            return; // the move under way takes the view there
        m_following = true;
        m_refused = false;
        QItemSelectionModel::setCurrentIndex(index, command);
        m_following = false;
    }

private:
    AlignGridModel& m_model;
    bool m_asking = false;
    bool m_following = false;
    bool m_refused = false;
};

namespace {

// Cells keep a pixel between their text and their edges, as the tables' narrow
// column widths were made for, instead of the style's wider item margins.
class CompactCells final : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_FocusFrameHMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// An edit starts with the cell's text selected, so the key that opened it types
// over the old text instead of after it.
class SelectingDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        QStyledItemDelegate::setEditorData(editor, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
    }
};

} // namespace

AlignGridView::AlignGridView(TAlignGrid& grid, QWidget* parent)
    : QTableView(parent), m_model(new AlignGridModel(grid, this)),
      m_selection(new CellSelection(m_model, this))
{
    auto* compact = new CompactCells;
    compact->setParent(this);
    setStyle(compact);
    setModel(m_model);
    setSelectionModel(m_selection);
    setItemDelegate(new SelectingDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setShowGrid(true);
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);

    connect(header, &QHeaderView::sectionClicked, this, [this](int col) { this->grid().clickFixedCol(col); });
    connect(header, &QHeaderView::sectionResized, this, &AlignGridView::onSectionResized);
    connect(m_model, &AlignGridModel::geometryChanged, this, &AlignGridView::applyGeometry);
    connect(m_model, &AlignGridModel::modelReset, this, &AlignGridView::applyGeometry);
    connect(m_model, &AlignGridModel::gridChanged, this, &AlignGridView::applyOptions);
    connect(m_model, &AlignGridModel::gridChanged, this, &AlignGridView::followCurrentCell);

    applyOptions();
    applyGeometry();
    followCurrentCell();
}

TAlignGrid& AlignGridView::grid() const
{
    return m_model->grid();
}

int AlignGridView::clientWidth() const
{
    return viewport()->width();
}

void AlignGridView::applyOptions()
{
    const TAlignGrid& g = grid();
    setSelectionBehavior(g.rowSelect() ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setEditTriggers(g.editing() ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                      QAbstractItemView::SelectedClicked
                                : QAbstractItemView::NoEditTriggers);
}

void AlignGridView::applyGeometry()
{
    const TAlignGrid& g = grid();
    m_applyingGeometry = true;
    verticalHeader()->setDefaultSectionSize(g.defaultRowHeight());
    QHeaderView* header = horizontalHeader();
    for (int col = 0; col < g.colCount() && col < header->count(); ++col) {
        if (header->sectionSize(col) != g.colWidth(col))
            header->resizeSection(col, g.colWidth(col));
    }
    m_applyingGeometry = false;
}

void AlignGridView::followCurrentCell()
{
    const TAlignGrid& g = grid();
    const QModelIndex wanted = m_model->index(AlignGridModel::modelRow(g.currentRow()), g.currentCol());
    if (!wanted.isValid() || wanted == currentIndex())
        return;
    const auto rows = g.rowSelect() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate;
    m_selection->follow(wanted, QItemSelectionModel::ClearAndSelect | rows);
}

void AlignGridView::onSectionResized(int col, int oldWidth, int newWidth)
{
    static_cast<void>(oldWidth);
    if (!m_applyingGeometry)
        grid().userSetColWidth(col, newWidth);
}

void AlignGridView::focusInEvent(QFocusEvent* event)
{
    grid().setFocused(true);
    QTableView::focusInEvent(event);
}

void AlignGridView::focusOutEvent(QFocusEvent* event)
{
    // A popup menu opened over the table leaves it the control the user works in.
    if (event->reason() != Qt::PopupFocusReason)
        grid().setFocused(false);
    QTableView::focusOutEvent(event);
}

void AlignGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    grid().doubleClick();
}

} // namespace listorix
