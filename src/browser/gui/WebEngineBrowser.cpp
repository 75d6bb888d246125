#include "browser/gui/WebEngineBrowser.h"

#include "browser/gui/WebEngineStartup.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace listorix {

WebEngineBrowser::WebEngineBrowser(QWidget* parent) : WebBrowser(parent), m_view(new QWebEngineView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    noteBrowserEngineRunning();

    connect(m_view, &QWebEngineView::loadStarted, this, &WebBrowser::loadStarted);
    connect(m_view, &QWebEngineView::loadProgress, this, &WebBrowser::loadProgress);
    connect(m_view, &QWebEngineView::loadFinished, this, &WebBrowser::loadFinished);
    connect(m_view->page(), &QWebEnginePage::linkHovered, this, &WebBrowser::linkHovered);
}

void WebEngineBrowser::navigate(const QString& url)
{
    m_view->load(QUrl::fromUserInput(url));
}

void WebEngineBrowser::back()
{
    m_view->back();
}

void WebEngineBrowser::forward()
{
    m_view->forward();
}

void WebEngineBrowser::stop()
{
    m_view->stop();
}

void WebEngineBrowser::reload()
{
    m_view->reload();
}

void WebEngineBrowser::setResting(bool resting)
{
    QWebEnginePage* page = m_view->page();
    using State = QWebEnginePage::LifecycleState;
    if (resting) {
        // Only a page nobody sees may be let go, and it is frozen on the way.
        if (page->isVisible() || page->lifecycleState() == State::Discarded)
            return;
        page->setLifecycleState(State::Frozen);
        page->setLifecycleState(State::Discarded);
    } else if (page->lifecycleState() != State::Active) {
        page->setLifecycleState(State::Active);
    }
}

} // namespace listorix
