#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QToolButton;
class QVBoxLayout;

namespace listorix {

class WebBrowser;

// The page "Web" (TabSheetWeb): the navigation strip (SpeedButtonWebMenu,
// SpeedButtonBack, SpeedButtonForward, SpeedButtonBrowserStop,
// SpeedButtonBrowserReload, SpeedButtonBrowserHome, EditURL,
// LabelBrowserStatusBar, ProgressBarBrowser) over the browser `Browser`.
//
// The browser is made on the first navigation, so a window that starts with this
// page does not wait for the browser engine. The status text and the progress bar
// follow the browser's own notifications. The address field shows only what the
// user typed; Enter hands that text to the browser as it stands.
class WebTab final : public QWidget
{
    Q_OBJECT

public:
    // Makes the browser, parented to the given widget; empty gives WebEngineBrowser.
    using BrowserFactory = std::function<WebBrowser*(QWidget* parent)>;

    explicit WebTab(BrowserFactory makeBrowser = {}, QWidget* parent = nullptr);

    // Where SpeedButtonBrowserHome leads (HomePageUrl).
    void setHomePageUrl(const QString& url) { m_homePageUrl = url; }
    const QString& homePageUrl() const { return m_homePageUrl; }

    // NavigateTo(Browser, url): the browser goes to `url` as given.
    void NavigateTo(const QString& url);
    // The "file://" address of a local file (the report), for NavigateTo.
    static QString fileAddress(const std::string& path);
    // Gives the browser the keyboard focus (ShowInWebTab's last step).
    void focusBrowser();

    // The window rests hidden in the notification area, or shows again: the
    // browser, if there is one yet, lets its page go or brings it back.
    void setResting(bool resting);

    // The browser, made now if it is not there yet.
    WebBrowser& Browser();
    bool hasBrowser() const { return m_browser != nullptr; }

    void SpeedButtonBackClick();
    void SpeedButtonForwardClick();
    void SpeedButtonBrowserStopClick();
    void SpeedButtonBrowserReloadClick();
    // Home page in this tab (what ShowInWebTab(HomePageUrl) does, the tab being in front).
    void SpeedButtonBrowserHomeClick();
    // Enter in EditURL.
    void EditURLReturnPressed();

private:
    QToolButton* addStripButton(QWidget* strip, const char* name, const QString& hint);
    void showLoadText(const QString& text);
    void onLinkHovered(const QString& url);

    BrowserFactory m_makeBrowser;
    QString m_homePageUrl;
    QString m_loadText; // shown again when the mouse leaves a link
    QVBoxLayout* m_layout;
    QLineEdit* m_editUrl;
    QLabel* m_status;
    QProgressBar* m_progress;
    WebBrowser* m_browser = nullptr;
};

} // namespace listorix
