#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace listorix {

class SelectionList;

// The portfolio selection dialog "Portafoglio" over the core's SelectionList:
// ComboBoxTipo chooses the category, CheckListBoxNomi lists its securities with a
// check box each (checking adds the security to the portfolio, unchecking removes
// its rows), BitBtn1 closes. Made once and reused.
class TDlgPortafoglio final : public QDialog
{
    Q_OBJECT

public:
    explicit TDlgPortafoglio(SelectionList& list, QWidget* parent = nullptr);

    // Portafoglio1Click and Edit1Click: the first category's list, the dialog
    // modally, and the portfolio revalued once when it closes.
    void ShowPortfolioDialog();

private:
    void ComboBoxTipoChange(int index);
    void CheckListBoxNomiClickCheck(QListWidgetItem* item);
    void fillList();

    SelectionList& m_list;
    QComboBox* m_combo;
    QListWidget* m_names;
    QPushButton* m_close;
    bool m_filling = false;
};

} // namespace listorix
