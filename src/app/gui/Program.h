#pragma once

#include "alerts/gui/AlertDialog.h"
#include "alerts/gui/AlertListDialog.h"
#include "app/MainFormCore.h"
#include "app/gui/TAboutForm.h"
#include "app/gui/TFormCover.h"
#include "app/gui/TMainForm.h"
#include "base/gui/MessageBoxPrompts.h"
#include "base/gui/QtMainThread.h"
#include "browser/gui/WebTab.h"
#include "fetch/gui/QtTickTimer.h"
#include "portfolio/SelectionList.h"
#include "portfolio/gui/FileDialogPrompt.h"
#include "portfolio/gui/TDlgPortafoglio.h"
#include "settings/gui/TFormConfigura.h"

#include <functional>
#include <string>
#include <vector>

namespace listorix {

class FileNamePrompt;
class Prompts;
class RequestSource;

// The window program's composition root: the toolkit seams, the splash, the core,
// the dialogs and the main window, made in this order and held as members, so
// that teardown is the reverse and nothing is freed by hand. The dialogs come
// before the window, which calls them; the window goes first, then what it
// showed. main() holds the application object and one Program.
class Program final
{
public:
    struct Options
    {
        // ProgramDir, with its trailing "/", and where the ticker lists and web/
        // are read from (DataReadDirs).
        std::string programDir;
        std::vector<std::string> readDirs{};
        // Whether the desktop offers a notification area; asked when minimising.
        std::function<bool()> notificationAreaAvailable;
        // The splash is shown while the program starts (not in widget tests).
        bool showSplash = true;
        // Tests hand in fakes, which must outlive the program: the message boxes'
        // answers, the file dialogs' answers, where the requests go, the web tab's
        // browser.
        Prompts* prompts = nullptr;
        FileNamePrompt* files = nullptr;
        RequestSource* requests = nullptr;
        WebTab::BrowserFactory makeBrowser;
    };

    explicit Program(Options options);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainFormCore& core() { return m_core; }
    TMainForm& mainForm() { return m_mainForm; }
    TFormConfigura& formConfigura() { return m_formConfigura; }
    TDlgPortafoglio& dlgPortafoglio() { return m_dlgPortafoglio; }
    TAboutForm& aboutForm() { return m_aboutForm; }
    AlertDialog& alertDialog() { return m_alertDialog; }
    AlertListDialog& alertList() { return m_alertList; }
    TFormCover& splash() { return m_splash; }

private:
    // The splash shows when made: it stands while the rest is being made.
    struct ShownSplash
    {
        explicit ShownSplash(bool show);
        TFormCover form;
    };

    Options m_options;
    MessageBoxPrompts m_messageBoxes;
    Prompts& m_prompts;
    FileDialogPrompt m_fileDialogs;
    FileNamePrompt& m_files;
    QtMainThread m_mainThread;
    QtTickTimer m_timer1;
    ShownSplash m_shownSplash;
    TFormCover& m_splash;
    MainFormCore m_core;
    TFormConfigura m_formConfigura;
    SelectionList m_selection;
    TDlgPortafoglio m_dlgPortafoglio;
    TAboutForm m_aboutForm;
    AlertDialog m_alertDialog;
    AlertListDialog m_alertList;
    TMainForm m_mainForm;
};

} // namespace listorix
