#include "alerts/gui/AlertListDialog.h"

#include "alerts/AlertBook.h"
#include "alerts/AlertList.h"
#include "alerts/AlertTarget.h"
#include "alerts/gui/AlertDialog.h"
#include "base/AtomicFile.h"
#include "base/Prompts.h"
#include "base/gui/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace listorix {

AlertListDialog::AlertListDialog(AlertBook& book, AlertDialog& editor, const CategoryTables& categories,
                                 Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_book(book), m_editor(editor), m_categories(categories), m_prompts(prompts)
{
    setObjectName(QStringLiteral("DlgAvvisi"));
    setWindowTitle(qText(kAlertListCaption));
    resize(560, 300);

    auto* column = new QVBoxLayout(this);
    m_grid = new QTableWidget(0, static_cast<int>(kAlertListTitles.size()), this);
    m_grid->setObjectName(QStringLiteral("GridAvvisi"));
    QStringList titles;
    for (const std::string_view title : kAlertListTitles)
        titles << qText(title);
    m_grid->setHorizontalHeaderLabels(titles);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(m_grid);

    auto* buttons = new QDialogButtonBox(this);
    m_change = buttons->addButton(QStringLiteral("Modifica..."), QDialogButtonBox::ActionRole);
    m_change->setObjectName(QStringLiteral("ButtonModifica"));
    m_delete = buttons->addButton(QStringLiteral("Cancella"), QDialogButtonBox::ActionRole);
    m_delete->setObjectName(QStringLiteral("ButtonCancella"));
    m_close = buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("ButtonChiudi"));
    column->addWidget(buttons);

    connect(m_change, &QPushButton::clicked, this, &AlertListDialog::ButtonModificaClick);
    connect(m_delete, &QPushButton::clicked, this, &AlertListDialog::ButtonCancellaClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &AlertListDialog::ButtonModificaClick);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this, &AlertListDialog::selectionChanged);
}

void AlertListDialog::showAlerts()
{
    fill();
    exec();
}

void AlertListDialog::fill()
{
    const int selected = selectedAlert();
    const std::vector<AlertListRow> rows = alertListRows(m_book.alerts());
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const AlertListRow& row = rows[i];
        const std::string* texts[] = {&row.code, &row.name, &row.table, &row.conditions, &row.state};
        for (int col = 0; col < static_cast<int>(std::size(texts)); ++col)
            m_grid->setItem(static_cast<int>(i), col, new QTableWidgetItem(qText(*texts[col])));
    }
    m_grid->resizeColumnsToContents();
    if (selected >= 0 && selected < m_grid->rowCount())
        m_grid->selectRow(selected);
    else if (m_grid->rowCount() > 0)
        m_grid->selectRow(0);
    selectionChanged();
}

int AlertListDialog::selectedAlert() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_grid->selectedRanges();
    const int row = ranges.isEmpty() ? -1 : ranges.front().topRow();
    return row < static_cast<int>(m_book.alerts().size()) ? row : -1;
}

void AlertListDialog::selectionChanged()
{
    const bool any = selectedAlert() >= 0;
    m_change->setEnabled(any);
    m_delete->setEnabled(any);
}

void AlertListDialog::ButtonModificaClick()
{
    const int selected = selectedAlert();
    if (selected < 0)
        return;
    const PriceAlert alert = m_book.alerts()[static_cast<std::size_t>(selected)];
    m_editor.editAlert(alertTargetOf(m_categories, alert));
    fill();
}

void AlertListDialog::ButtonCancellaClick()
{
    const int selected = selectedAlert();
    if (selected < 0)
        return;
    const PriceAlert alert = m_book.alerts()[static_cast<std::size_t>(selected)];
    if (!m_prompts.confirmYesNo(deleteAlertQuestion(alert)))
        return;
    try {
        m_book.remove(alert.category, alert.code);
    } catch (const FileWriteError& error) {
        m_prompts.warningOk(error.what());
    }
    fill();
}

} // namespace listorix
