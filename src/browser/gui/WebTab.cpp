#include "browser/gui/WebTab.h"

#include "browser/gui/WebBrowser.h"
#include "browser/gui/WebEngineBrowser.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr int kStripHeight = 26;
constexpr int kEditUrlWidth = 257;
constexpr int kProgressWidth = 36;

} // namespace

WebTab::WebTab(BrowserFactory makeBrowser, QWidget* parent)
    : QWidget(parent), m_makeBrowser(std::move(makeBrowser)), m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("TabSheetWeb"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("PanelWebStrip"));
    strip->setFixedHeight(kStripHeight);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(1);

    QToolButton* menu = addStripButton(strip, "SpeedButtonWebMenu", QStringLiteral("Menù"));
    menu->setText(QStringLiteral("menù"));
    menu->setToolButtonStyle(Qt::ToolButtonTextOnly);
    menu->setEnabled(false); // the side menu is not part of this program

    const struct
    {
        const char* name;
        QString hint;
        QStyle::StandardPixmap glyph;
        void (WebTab::*handler)();
    } buttons[] = {
        {"SpeedButtonBack", QStringLiteral("Pagina precedente"), QStyle::SP_ArrowBack,
         &WebTab::SpeedButtonBackClick},
        {"SpeedButtonForward", QStringLiteral("Pagina successiva"), QStyle::SP_ArrowForward,
         &WebTab::SpeedButtonForwardClick},
        {"SpeedButtonBrowserStop", QStringLiteral("Stop"), QStyle::SP_BrowserStop,
         &WebTab::SpeedButtonBrowserStopClick},
        {"SpeedButtonBrowserReload", QStringLiteral("Ricarica"), QStyle::SP_BrowserReload,
         &WebTab::SpeedButtonBrowserReloadClick},
        {"SpeedButtonBrowserHome", QStringLiteral("Pagina iniziale"), QStyle::SP_DirHomeIcon,
         &WebTab::SpeedButtonBrowserHomeClick},
    };
    for (const auto& b : buttons) {
        QToolButton* button = addStripButton(strip, b.name, b.hint);
        button->setIcon(style()->standardIcon(b.glyph));
        connect(button, &QToolButton::clicked, this, b.handler);
    }

    m_editUrl = new QLineEdit(strip);
    m_editUrl->setObjectName(QStringLiteral("EditURL"));
    m_editUrl->setFixedWidth(kEditUrlWidth);
    connect(m_editUrl, &QLineEdit::returnPressed, this, &WebTab::EditURLReturnPressed);
    row->addWidget(m_editUrl);

    m_status = new QLabel(strip);
    m_status->setObjectName(QStringLiteral("LabelBrowserStatusBar"));
    m_status->setStyleSheet(QStringLiteral("color: navy;"));
    m_status->setSizePolicy(QSizePolicy::Ignored,
                            QSizePolicy::Preferred); // long addresses do not widen the strip
    row->addWidget(m_status, 1);

    m_progress = new QProgressBar(strip);
    m_progress->setObjectName(QStringLiteral("ProgressBarBrowser"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(kProgressWidth);
    row->addWidget(m_progress);

    m_layout->addWidget(strip);
    m_layout->addStretch(1); // the browser's place until it is made
}

QToolButton* WebTab::addStripButton(QWidget* strip, const char* name, const QString& hint)
{
    auto* button = new QToolButton(strip);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFixedHeight(kStripHeight - 2);
    strip->layout()->addWidget(button);
    return button;
}

WebBrowser& WebTab::Browser()
{
    if (!m_browser) {
        m_browser = m_makeBrowser ? m_makeBrowser(this) : new WebEngineBrowser(this);
        m_browser->setObjectName(QStringLiteral("Browser"));
        delete m_layout->takeAt(1); // the stretch that kept the place
        m_layout->addWidget(m_browser, 1);
        m_browser->show(); // now, so that it can take the focus at once
        connect(m_browser, &WebBrowser::loadStarted, this,
                [this] { showLoadText(QStringLiteral("Caricamento della pagina...")); });
        connect(m_browser, &WebBrowser::loadProgress, m_progress, &QProgressBar::setValue);
        connect(m_browser, &WebBrowser::loadFinished, this, [this](bool ok) {
            m_progress->setValue(0);
            showLoadText(ok ? QStringLiteral("Completato") : QStringLiteral("Pagina non caricata"));
        });
        connect(m_browser, &WebBrowser::linkHovered, this, &WebTab::onLinkHovered);
    }
    return *m_browser;
}

void WebTab::NavigateTo(const QString& url)
{
    Browser().navigate(url);
}

QString WebTab::fileAddress(const std::string& path)
{
    return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))).toString();
}

void WebTab::setResting(bool resting)
{
    if (m_browser)
        m_browser->setResting(resting);
}

void WebTab::focusBrowser()
{
    Browser().setFocus(Qt::OtherFocusReason);
}

void WebTab::SpeedButtonBackClick()
{
    if (m_browser)
        m_browser->back();
}

void WebTab::SpeedButtonForwardClick()
{
    if (m_browser)
        m_browser->forward();
}

void WebTab::SpeedButtonBrowserStopClick()
{
    if (m_browser)
        m_browser->stop();
}

void WebTab::SpeedButtonBrowserReloadClick()
{
    if (m_browser)
        m_browser->reload();
}

void WebTab::SpeedButtonBrowserHomeClick()
{
    NavigateTo(m_homePageUrl);
    focusBrowser();
}

void WebTab::EditURLReturnPressed()
{
    NavigateTo(m_editUrl->text());
}

void WebTab::showLoadText(const QString& text)
{
    m_loadText = text;
    m_status->setText(text);
}

void WebTab::onLinkHovered(const QString& url)
{
    m_status->setText(url.isEmpty() ? m_loadText : url);
}

} // namespace listorix
