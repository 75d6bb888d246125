// Listorix: the program block. The application titled "Listorix", then the
// program itself (Program: the splash, the core, the dialogs and the main window,
// in their order), and the message loop, inside which the main window's first
// showing runs the start-up sequence.
#include "app/gui/Program.h"
#include "app/gui/ProgramIcon.h"
#include "app/gui/TerminationSignals.h"
#include "browser/gui/WebEngineStartup.h"
#include "settings/ProgramDir.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTranslator>
#include <chrono>
#include <cstdio>
#include <cstring>

using namespace listorix;

namespace {

// --quit-after-startup: prints the moment the start-up sequence ended (milliseconds
// since the epoch) and closes as "Chiudi" does once the window has had a moment to
// show, for the start-up benchmarks.
bool wantsQuitAfterStartUp(int argc, char** argv)
{
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--quit-after-startup") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Before the application exists: the browser engine's needs, and its sandbox
    // off when running as root.
    prepareWebEngineStartup();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Listorix");
    // Desktops that match windows to menu entries by name (Wayland) find ours.
    QGuiApplication::setDesktopFileName("example.listorix.Listorix");
    QApplication::setWindowIcon(programIcon());
    QApplication::setQuitOnLastWindowClosed(false); // closing the main window ends the program
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Qt's own words (the message boxes' buttons, the edit fields' menu) in Italian
    // too, where the translations are installed.
    QTranslator qtWords;
    if (qtWords.load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtWords);

    Program::Options options;
    options.programDir = ProgramDir();
    options.readDirs = DataReadDirs();
    options.notificationAreaAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    Program program(std::move(options));
    TMainForm& mainForm = program.mainForm();

    // A stop signal or the end of the desktop session closes the window the way
    // "Chiudi" does, so the portfolio, widths and series are saved.
    TerminationSignals stopSignals([&mainForm] {
        mainForm.setUnattendedShutdown();
        mainForm.Chiudi1Click();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainForm, [&mainForm](QSessionManager&) {
        mainForm.setUnattendedShutdown();
        mainForm.Chiudi1Click();
        mainForm.FormDestroy();
    });

    // The first showing happens inside the message loop, after every form exists.
    const bool quitAfterStartUp = wantsQuitAfterStartUp(argc, argv);
    QTimer::singleShot(0, &mainForm, [&mainForm, quitAfterStartUp] {
        mainForm.showAsPlaced();
        if (quitAfterStartUp && mainForm.core().started()) {
            const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::system_clock::now().time_since_epoch());
            std::printf("startup-complete %lld\n", static_cast<long long>(now.count()));
            std::fflush(stdout);
            QTimer::singleShot(500, &mainForm, &TMainForm::Chiudi1Click);
        }
    });
    return QApplication::exec();
}
