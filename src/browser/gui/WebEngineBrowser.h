#pragma once

#include "browser/gui/WebBrowser.h"

class QWebEngineView;

namespace listorix {

// The embedded browser over Qt WebEngine. It goes out through the application
// proxy (see applyBrowserProxy). Call prepareWebEngineStartup() before the
// QApplication is created.
class WebEngineBrowser final : public WebBrowser
{
    Q_OBJECT

public:
    explicit WebEngineBrowser(QWidget* parent = nullptr);

    void navigate(const QString& url) override;
    void back() override;
    void forward() override;
    void stop() override;
    void reload() override;
    // Resting discards the page (the browser's process for it ends); waking makes
    // it active again, which loads it anew where it was.
    void setResting(bool resting) override;

    QWebEngineView* view() const { return m_view; }

private:
    QWebEngineView* m_view;
};

} // namespace listorix
