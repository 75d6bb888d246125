#include "app/gui/MainToolBar.h"

#include "app/gui/AnimatedLogo.h"
#include "base/gui/GlyphIcon.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace listorix {

namespace {

constexpr int kStripHeight = 35;
constexpr int kButtonSize = 32;

} // namespace

MainToolBar::MainToolBar(QWidget* parent) : QWidget(parent), m_logo(new AnimatedLogo(this))
{
    setObjectName("ToolBar1");
    setFixedHeight(kStripHeight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 4, 1);
    layout->setSpacing(1);

    const QIcon reload = style()->standardIcon(QStyle::SP_BrowserReload);
    const QIcon stop = style()->standardIcon(QStyle::SP_BrowserStop);
    const QIcon help = style()->standardIcon(QStyle::SP_DialogHelpButton);
    const struct
    {
        QToolButton** button;
        const char* name;
        const char* hint;
        QIcon icon;
    } design[] = {
        {&m_buttons.SpeedButtonReload, "SpeedButtonReload", "Collegamento", reload},
        {&m_buttons.SpeedButtonStop, "SpeedButtonStop", "Stop", stop},
        {&m_buttons.SpeedButtonExcel, "SpeedButtonExcel", "Copia nella clipboard",
         glyphIcon(QString::fromUtf8("\u25A6"), QColor(0, 128, 0))},
        {&m_buttons.SpeedButtonHelp, "SpeedButtonHelp", "Aiuto in linea", help},
        {&m_buttons.SpeedButtonHTML, "SpeedButtonHTML", "Esporta in HTML per stampare",
         glyphIcon("html", QColor(0, 0, 128))},
    };
    for (const auto& d : design) {
        auto* button = new QToolButton(this);
        button->setObjectName(d.name);
        button->setToolTip(d.hint);
        button->setIcon(d.icon);
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        *d.button = button;
    }
    layout->addStretch(1);
    layout->addWidget(m_logo);
    setFetching(false);
}

void MainToolBar::setFetching(bool fetching)
{
    m_logo->setActive(fetching);
    m_buttons.SpeedButtonReload->setEnabled(!fetching);
    m_buttons.SpeedButtonStop->setEnabled(fetching);
    // Both are shown as they are now, even when the fetch holds the event loop.
    m_buttons.SpeedButtonReload->repaint();
    m_buttons.SpeedButtonStop->repaint();
}

} // namespace listorix
