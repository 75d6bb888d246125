#include "market/gui/QuotePage.h"

#include "base/gui/Looks.h"
#include "grid/gui/AlignGridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr int kStripHeight = 26;
constexpr int kCountdownWidth = 65;

} // namespace

QLabel* makeCountdownLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedWidth(kCountdownWidth);
    label->setAlignment(Qt::AlignCenter);
    setLook(label, Qt::white, true, kNavy);
    return label;
}

QuotePage::QuotePage(TAlignGrid& grid, const QString& tableName, const QString& countdownName,
                     QWidget* parent)
    : QWidget(parent), m_table(new AlignGridView(grid, this)),
      m_countdown(makeCountdownLabel(countdownName, this))
{
    m_table->setObjectName(tableName);

    auto* strip = new QWidget(this);
    strip->setFixedHeight(kStripHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(2, 2, 2, 2);
    m_countdown->setParent(strip);
    stripLayout->addWidget(m_countdown);
    stripLayout->addStretch(1);

    auto* layout = tightColumn(this);
    layout->addWidget(strip);
    layout->addWidget(m_table, 1);
}

} // namespace listorix
