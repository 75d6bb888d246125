#include "market/gui/QuotePage.h"

#include "ui/gui/AlignGridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr int kStripHeight = 26;
constexpr int kCountdownWidth = 65;

} // namespace

QLabel* makeCountdownLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedWidth(kCountdownWidth);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QuotePage::QuotePage(TAlignGrid& grid, const char* tableName, const char* countdownName, QWidget* parent)
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(m_table, 1);
}

} // namespace listorix
