#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace listorix {

class AlignGridView;
class TAlignGrid;

// The page "Portafoglio": a strip of seven buttons, the portfolio table, and under
// it the two total lines (value on light yellow, gain on light green).
class PortfolioPage final : public QWidget
{
    Q_OBJECT

public:
    struct Buttons
    {
        QToolButton* SpeedButtonModificaPortafoglio;
        QToolButton* SpeedButtonDuplicaRiga;
        QToolButton* SpeedButtonTitoloPersonale;
        QToolButton* SpeedButtonDeleteRow;
        QToolButton* SpeedButtonOrdina;
        QToolButton* SpeedButtonSpostaSotto;
        QToolButton* SpeedButtonSpostaSopra;
    };

    explicit PortfolioPage(TAlignGrid& grid, QWidget* parent = nullptr);

    AlignGridView* table() const { return m_table; }
    const Buttons& buttons() const { return m_buttons; }
    QLabel* LabelPortafoglioTot() const { return m_total; }
    QLabel* LabelPortafoglioTotGuadagno() const { return m_gain; }

private:
    AlignGridView* m_table;
    Buttons m_buttons{};
    QLabel* m_total;
    QLabel* m_gain;
};

} // namespace listorix
