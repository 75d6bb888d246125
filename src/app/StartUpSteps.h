#pragma once

#include <string>

namespace listorix {

// The widget steps of the start-up sequence, which the core calls in their place
// in the order (MainFormCore::FormShow). The window implements them; each does
// nothing unless overridden, which is all a program without a window needs.
class StartUpSteps
{
public:
    virtual ~StartUpSteps() = default;

    // After the connections exist: hide, show and repaint the splash window.
    virtual void bringSplashToFront() {}
    // Before the saved tables are loaded: TabSheetWeb becomes the active page.
    virtual void showWebPage() {}
    // After the replay: the notification icon, its hint already in the core's
    // tray hint slot, is activated.
    virtual void activateTrayIcon() {}
    // After the portfolio is valued: hide, close and free the splash window.
    virtual void closeSplash() {}
    // Then the main window is enabled.
    virtual void enableWindow() {}
    // Then, when the window is maximised: normal and maximised again.
    virtual void refitMaximisedWindow() {}
    // Then the web tab's browser goes to the program's start page.
    virtual void navigateToStartPage(const std::string& url) { static_cast<void>(url); }
};

} // namespace listorix
