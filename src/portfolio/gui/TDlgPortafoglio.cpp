#include "portfolio/gui/TDlgPortafoglio.h"

#include "base/gui/QtText.h"
#include "portfolio/SelectionList.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace listorix {

TDlgPortafoglio::TDlgPortafoglio(SelectionList& list, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_list(list)
{
    setObjectName(QStringLiteral("DlgPortafoglio"));
    setWindowTitle(qText(SelectionList::kCaption));
    setFixedSize(256, 265);

    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboBoxTipo"));
    m_combo->setEditable(false);
    m_combo->setGeometry(8, 4, 241, m_combo->sizeHint().height());
    for (const std::string_view item : SelectionList::kComboBoxTipoItems)
        m_combo->addItem(qText(item));
    connect(m_combo, &QComboBox::activated, this, &TDlgPortafoglio::ComboBoxTipoChange);

    m_names = new QListWidget(this);
    m_names->setObjectName(QStringLiteral("CheckListBoxNomi"));
    m_names->setGeometry(8, 32, 241, 197);
    connect(m_names, &QListWidget::itemChanged, this, &TDlgPortafoglio::CheckListBoxNomiClickCheck);

    m_close = new QPushButton(QStringLiteral("Chiudi"), this);
    m_close->setObjectName(QStringLiteral("BitBtn1"));
    m_close->setGeometry(8, 236, 241, 25);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void TDlgPortafoglio::ShowPortfolioDialog()
{
    m_list.ShowPortfolioDialog([this] {
        m_combo->setCurrentIndex(m_list.comboIndex());
        fillList();
        exec();
    });
}

void TDlgPortafoglio::ComboBoxTipoChange(int index)
{
    m_list.setComboIndex(index);
    m_list.ComboBoxTipoChange();
    fillList();
}

void TDlgPortafoglio::fillList()
{
    m_filling = true;
    m_names->clear();
    for (const SelectionList::Item& entry : m_list.items()) {
        auto* item = new QListWidgetItem(qText(entry.text), m_names);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

void TDlgPortafoglio::CheckListBoxNomiClickCheck(QListWidgetItem* item)
{
    if (m_filling)
        return;
    const int row = m_names->row(item);
    const bool checked = item->checkState() == Qt::Checked;
    if (row < 0 || row >= static_cast<int>(m_list.items().size()) ||
        m_list.items()[static_cast<std::size_t>(row)].checked == checked)
        return; // a change of the text or the look, not of the check box
    m_names->setCurrentRow(row);
    m_list.setCurrentItem(row);
    m_list.setChecked(row, checked);
    m_list.CheckListBoxNomiClickCheck();
}

} // namespace listorix
