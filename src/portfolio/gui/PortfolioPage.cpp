#include "portfolio/gui/PortfolioPage.h"

#include "base/gui/GlyphIcon.h"
#include "base/gui/Looks.h"
#include "grid/gui/AlignGridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr int kButtonSize = 26;

QLabel* totalLine(const char* name, const QColor& background, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // a long total never widens the window
    label->setContentsMargins(4, 1, 6, 1);
    setLook(label, Qt::black, true, background);
    return label;
}

} // namespace

PortfolioPage::PortfolioPage(TAlignGrid& grid, QWidget* parent)
    : QWidget(parent), m_table(new AlignGridView(grid, this)),
      m_total(totalLine("LabelPortafoglioTot", QColor(255, 255, 128), this)),
      m_gain(totalLine("LabelPortafoglioTotGuadagno", QColor(128, 255, 128), this))
{
    m_table->setObjectName("StringGridPortafoglio");

    auto* strip = new QWidget(this);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(2, 2, 2, 2);
    stripLayout->setSpacing(2);
    const struct
    {
        QToolButton** button;
        const char* name;
        const char* hint;
        const char* glyph;
        QColor colour;
    } design[] = {
        {&m_buttons.SpeedButtonModificaPortafoglio, "SpeedButtonModificaPortafoglio", "Modifica la lista",
         "\u2630", kNavy},
        {&m_buttons.SpeedButtonDuplicaRiga, "SpeedButtonDuplicaRiga", "Duplica riga", "\u2750", kNavy},
        {&m_buttons.SpeedButtonTitoloPersonale, "SpeedButtonTitoloPersonale",
         "Riga personale da aggiornare manualmente", "\u270E", kNavy},
        {&m_buttons.SpeedButtonDeleteRow, "SpeedButtonDeleteRow", "Cancella riga", "\u2716",
         QColor(192, 0, 0)},
        {&m_buttons.SpeedButtonOrdina, "SpeedButtonOrdina", "Ordina per tipo e nome", "\u21C5", kNavy},
        {&m_buttons.SpeedButtonSpostaSotto, "SpeedButtonSpostaSotto", "Sposta sotto", "\u2193", kNavy},
        {&m_buttons.SpeedButtonSpostaSopra, "SpeedButtonSpostaSopra", "Sposta sopra", "\u2191", kNavy},
    };
    for (const auto& d : design) {
        auto* button = new QToolButton(strip);
        button->setObjectName(d.name);
        button->setToolTip(d.hint);
        button->setIcon(glyphIcon(QString::fromUtf8(d.glyph), d.colour, 20));
        button->setIconSize(QSize(20, 20));
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        stripLayout->addWidget(button);
        *d.button = button;
    }
    stripLayout->addStretch(1);

    auto* layout = tightColumn(this);
    layout->addWidget(strip);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_gain);
}

} // namespace listorix
