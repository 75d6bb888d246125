#include "market/gui/IndexPanelView.h"

#include "base/gui/Looks.h"
#include "base/gui/QtColour.h"
#include "base/gui/QtText.h"
#include "market/IndexPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr int kStripHeight = 26;
constexpr int kCountdownWidth = 65;

QLabel* stripLabel(QWidget* parent, const char* name, const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    setLook(label, Qt::white);
    return label;
}

QLabel* heading(const QString& text, QWidget* parent, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    setLook(label, Qt::black);
    return label;
}

} // namespace

IndexPanelView::IndexPanelView(IndexPanel& panel, QWidget* parent) : QWidget(parent), m_panel(panel)
{
    auto* strip = new QWidget(this);
    strip->setObjectName("PanelIndiciStrip");
    strip->setFixedHeight(kStripHeight);
    setLook(strip, Qt::white, true, kNavy);
    m_timer = stripLabel(strip, "LabelINDICITimer", {}, Qt::AlignHCenter);
    m_timer->setFixedWidth(kCountdownWidth);
    m_date = stripLabel(strip, "LabelDataIndici", qText(IndexPanel::kInitialDateHeader), Qt::AlignRight);
    m_date->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 8, 0);
    stripLayout->addWidget(m_timer);
    stripLayout->addWidget(m_date, 1);

    auto* block = new QGridLayout;
    block->setContentsMargins(8, 6, 8, 6);
    block->setHorizontalSpacing(6);
    block->setVerticalSpacing(3);
    const char* const columnHeadings[] = {"var.", "valore", "ora", "min", "max"};
    for (int k = 0; k < 5; ++k)
        block->addWidget(heading(columnHeadings[k], this, Qt::AlignHCenter), 0, k + 1);
    const char* const rowHeadings[] = {"MIBTEL", "MIB30", "MIDEX", "S&P MIB"};
    int row = 1;
    for (const MarketIndex index : IndexPanel::kIndices) {
        block->addWidget(heading(rowHeadings[row - 1], this, Qt::AlignLeft), row, 0);
        int col = 1;
        for (const IndexField field : IndexPanel::kFields) {
            auto* text = new QLabel(this);
            text->setObjectName(qText(IndexPanel::controlName(index, field)));
            text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            text->setMinimumWidth(70);
            setLook(text, Qt::blue);
            block->addWidget(text, row, col++);
            m_texts.push_back(text);
        }
        ++row;
    }
    for (int col = 1; col <= 5; ++col)
        block->setColumnStretch(col, 1);

    auto* layout = tightColumn(this);
    layout->addWidget(strip);
    layout->addLayout(block);

    m_panel.setObserver([this] { refresh(); });
    refresh();
}

IndexPanelView::~IndexPanelView()
{
    m_panel.setObserver(nullptr);
}

void IndexPanelView::refresh()
{
    std::size_t k = 0;
    for (const MarketIndex index : IndexPanel::kIndices) {
        for (const IndexField field : IndexPanel::kFields) {
            const PanelText& shown = m_panel.control(index, field);
            QLabel* text = m_texts[k++];
            text->setText(qText(shown.text));
            QPalette palette = text->palette();
            palette.setColor(QPalette::WindowText, qColour(shown.colour));
            text->setPalette(palette);
        }
    }
    m_date->setText(qText(m_panel.dateHeader()));
}

} // namespace listorix
