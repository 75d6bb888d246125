// listorix-poll --dir DIR [--cycles N] [--no-wait]: Listorix without a window.
#include "base/Windows1252.h"
#include "poll/PollCommandLine.h"
#include "poll/PollSession.h"
#include "settings/ProgramDir.h"
#include "settings/QuoteHostSetting.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <system_error>
#include <thread>

using namespace listorix::poll;

int main(int argc, char** argv)
{
    const ParsedPollCommandLine parsed =
        parsePollCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "listorix-poll: " << parsed.error << "\n\n" << pollUsageText();
        return 2;
    }
    const PollOptions& options = *parsed.options;
    if (options.help) {
        std::cout << pollUsageText();
        return 0;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(options.dir, error)) {
        std::cerr << "listorix-poll: no such folder: " << options.dir << '\n';
        return 2;
    }

    if (options.setHost) {
        try {
            if (!listorix::writeQuoteHost(std::filesystem::path(options.dir) / listorix::kSettingsFileName,
                                          *options.setHost)) {
                std::cerr << "listorix-poll: not a usable quote host: " << *options.setHost << '\n';
                return 2;
            }
        } catch (const std::exception& failure) {
            std::cerr << "listorix-poll: " << listorix::utf8FromWindows1252(failure.what()) << '\n';
            return 1;
        }
        return 0;
    }

    // The stop signals are taken by sigwait on a thread of their own; every thread
    // started from here on blocks them. SIGUSR1 only ends that thread.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    PollSession session(options, std::cout, std::cerr);
    std::thread signalWaiter([&session, signals] {
        while (true) {
            int signal = 0;
            if (sigwait(&signals, &signal) != 0 || signal == SIGUSR1)
                return;
            session.requestStop();
        }
    });
    const int status = session.run();
    pthread_kill(signalWaiter.native_handle(), SIGUSR1);
    signalWaiter.join();
    return status;
}
