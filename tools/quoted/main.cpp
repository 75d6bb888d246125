// listorix-quoted: the demonstration quote service.
#include "quoted/Clock.h"
#include "quoted/CommandLine.h"
#include "quoted/Market.h"
#include "quoted/QuoteServer.h"
#include "quoted/QuoteService.h"
#include "quoted/ReferenceData.h"
#include "quoted/TlsContext.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <pthread.h>

using namespace listorix::quoted;

int main(int argc, char** argv)
{
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fprintf(stderr, "listorix-quoted: %s\n\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    CommandLine options = *parsed.options;
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }

    std::vector<Security> securities;
    const std::string loadError = options.dataFolder ? reference::loadFolder(*options.dataFolder, securities)
                                                     : reference::loadBuiltIn(securities);
    if (!loadError.empty()) {
        std::fprintf(stderr, "listorix-quoted: %s\n", loadError.c_str());
        return 1;
    }

    if (!options.tlsCertificateFile.empty()) {
        std::string tlsError;
        options.server.tls = TlsContext::load(options.tlsCertificateFile, options.tlsKeyFile, tlsError);
        if (!options.server.tls) {
            std::fprintf(stderr, "listorix-quoted: %s\n", tlsError.c_str());
            return 1;
        }
    }

    // Signals are taken by sigwait below; every thread started from here on blocks them.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const Market market(std::move(securities), options.seed,
                        options.alwaysOpen ? trading::Schedule::alwaysOpen() : trading::Schedule::exchange());
    std::unique_ptr<Clock> clock;
    if (options.now)
        clock = std::make_unique<FixedClock>(*options.now);
    else
        clock = std::make_unique<SystemClock>();
    const QuoteService service(market, *clock, options.faults);
    QuoteServer server(service, options.server);
    std::mutex logMutex;
    if (options.verbose) {
        server.setRequestLog([&logMutex](const std::string& line) {
            const std::lock_guard lock(logMutex);
            std::fprintf(stderr, "listorix-quoted: %s\n", line.c_str());
        });
    }
    if (const std::string error = server.start(); !error.empty()) {
        std::fprintf(stderr, "listorix-quoted: %s\n", error.c_str());
        return 1;
    }

    std::printf("listorix-quoted: listening on %s://%s/\n", server.secure() ? "https" : "http",
                server.address().c_str());
    std::fflush(stdout);
    std::fprintf(stderr,
                 "listorix-quoted: %zu securities, seed %llu, clock %s%s; the prices are invented. "
                 "Ctrl+C stops.\n",
                 market.securities().size(), static_cast<unsigned long long>(options.seed),
                 options.now ? formatIsoLocal(*options.now).c_str() : "of this machine (Italian time)",
                 options.alwaysOpen ? ", market always open" : "");

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
