#pragma once

#include "alerts/AlertTarget.h"
#include "portfolio/CategoryTables.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace listorix {

class AlertBook;
class Prompts;
class TAlignGrid;

// The dialog "Avviso di prezzo" of one security: LabelTitolo (code and name),
// LabelQuotazione (the current price), the three optional conditions EditSopra,
// EditSotto and EditVariazione (disabled for a fund, which has no change), and
// ButtonOK / ButtonAnnulla. "OK" stores the alert; input the alert cannot use is
// refused with its message through the prompts, and the dialog stays open with
// nothing stored. Made once and reused.
class AlertDialog final : public QDialog
{
    Q_OBJECT

public:
    AlertDialog(AlertBook& book, const CategoryTables& categories, Prompts& prompts,
                QWidget* parent = nullptr);

    // "Avviso di prezzo...": the dialog for the security of row `row` of `grid`
    // (a quote table or the portfolio). A row without one is told through the
    // prompts instead. True when an alert was stored.
    bool editAlertOfRow(const TAlignGrid& grid, int row);
    // The dialog for the target, filled from its alert when it has one; modal.
    bool editAlert(const AlertTarget& target);

private:
    void ButtonOKClick();

    AlertBook& m_book;
    CategoryTables m_categories;
    Prompts& m_prompts;
    AlertTarget m_target;
    QLabel* m_title;
    QLabel* m_price;
    std::array<QLineEdit*, 3> m_fields{}; // by AlertCondition
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace listorix
