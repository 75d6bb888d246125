#pragma once

#include <QString>
#include <QWidget>

namespace listorix {

// What the program asks of its embedded browser (Browser on the web page):
// navigate, back, forward, stop, reload; and what it hears from it, to drive the
// status text and the progress bar. The real one is WebEngineBrowser; widget
// tests use a recording fake.
class WebBrowser : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Loads the address the program hands over unchanged; the browser reads it as
    // its own address bar would (a text without a scheme is a web address, or a
    // local file's path). An address that cannot be loaded gives the browser's own
    // error page.
    virtual void navigate(const QString& url) = 0;
    // Back and forward without an earlier or later page do nothing.
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void stop() = 0;
    virtual void reload() = 0;
    // While the window rests hidden in the notification area the page is let go,
    // to give its memory back; waking brings it back at its address, with its
    // history (the scroll position may reset). Nothing happens by default.
    virtual void setResting(bool resting) { static_cast<void>(resting); }

signals:
    void loadStarted();
    void loadProgress(int percent);
    void loadFinished(bool ok);
    // The address of the link under the mouse; empty when the mouse leaves it.
    void linkHovered(const QString& url);
};

} // namespace listorix
