#pragma once

#include <QWidget>

class QLabel;

namespace listorix {

class AlignGridView;
class TAlignGrid;

// A category page ("Titoli azionari", "Obbligazioni", "Derivati", "Fondi"): a strip
// 26 pixels high holding the category's countdown label (65 pixels, centred, bold
// white on navy), and the category's table filling the rest.
class QuotePage final : public QWidget
{
    Q_OBJECT

public:
    QuotePage(TAlignGrid& grid, const QString& tableName, const QString& countdownName,
              QWidget* parent = nullptr);

    AlignGridView* table() const { return m_table; }
    QLabel* countdown() const { return m_countdown; }

private:
    AlignGridView* m_table;
    QLabel* m_countdown;
};

// A bold white label on navy, as the countdowns are shown.
QLabel* makeCountdownLabel(const QString& name, QWidget* parent);

} // namespace listorix
