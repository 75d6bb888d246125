#include "quoted/CommandLine.h"

#include <charconv>
#include <limits>

namespace listorix::quoted {

namespace {

template <typename T>
bool parseUnsigned(const std::string& text, T maximum, T& out)
{
    unsigned long long value = 0;
    const auto end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end ||
        value > static_cast<unsigned long long>(maximum))
        return false;
    out = static_cast<T>(value);
    return true;
}

bool applyQuirk(const std::string& name, Faults& faults)
{
    if (name == "midnight-rows")
        faults.midnightRows = true;
    else if (name == "stale-chart-previous-close")
        faults.staleChartPreviousClose = true;
    else if (name == "long-decimals")
        faults.longDecimals = true;
    else if (name == "padded-names")
        faults.names = Faults::Names::Padded;
    else if (name == "long-name-only")
        faults.names = Faults::Names::LongNameOnly;
    else if (name == "no-name")
        faults.names = Faults::Names::None;
    else if (name == "missing-keys")
        faults.missingKeys = true;
    else
        return false;
    return true;
}

ParsedCommandLine failed(std::string error)
{
    ParsedCommandLine result;
    result.error = std::move(error);
    return result;
}

} // namespace

std::string usageText()
{
    return "Usage: listorix-quoted [options]\n"
           "A demonstration quote service for Listorix on this machine (prices are invented).\n"
           "\n"
           "  --port N              port to listen on (default 8080; 0 picks a free one)\n"
           "  --bind ADDR           address to listen on (default 127.0.0.1)\n"
           "  --seed N              seed of the price walks (default 1)\n"
           "  --data DIR            folder with indici.csv, azioni.csv, obbligazioni.csv,\n"
           "                        derivati.csv, fondi.csv (default: the built-in copy)\n"
           "  --now YYYY-MM-DDTHH:MM[:SS]\n"
           "                        pin the clock to this Italian local time\n"
           "  --always-open         the market trades every day around the clock, so that\n"
           "                        prices move whenever the service is tried\n"
           "  --read-timeout MS     time a client has to send its request (default 5000)\n"
           "  --tls-cert FILE       serve HTTPS with this PEM certificate (chain) ...\n"
           "  --tls-key FILE        ... and this PEM private key\n"
           "  --verbose             log every request to standard error\n"
           "\n"
           "Faults on demand:\n"
           "  --fail PATH=STATUS    answer PATH with that error status (repeatable); a PATH\n"
           "                        ending in / stands for every path under it\n"
           "  --retry-after S       send Retry-After: S with the 429 and 503 answers of --fail\n"
           "  --cut-after N         close every connection after N bytes of the answer\n"
           "  --delay MS            wait MS milliseconds before every answer\n"
           "  --html-error          answer quotes with an HTML error page (status 200)\n"
           "  --html-error-headless the same page with no status line or header\n"
           "  --consent-page        answer the web API paths with a cookie consent page (200)\n"
           "  --consent-redirect    answer the quote service's web paths with a 307 to its\n"
           "                        consent host\n"
           "  --edge-rate-limit STATUS\n"
           "                        answer the quote service's web paths with the body\n"
           "                        \"Edge: Too Many Requests\" and that status (200 to 599)\n"
           "\n"
           "Shapes of the real answers:\n"
           "  --quirk NAME          repeatable; NAME is one of\n"
           "                        midnight-rows   the exchange's daily rows at 00:00 UTC\n"
           "                        stale-chart-previous-close\n"
           "                                        chartPreviousClose the close before the\n"
           "                                        previous session (previousClose right)\n"
           "                        long-decimals   priceHint 2 whatever the decimals, series\n"
           "                                        values in single precision\n"
           "                        padded-names    short names padded with blanks\n"
           "                        long-name-only  no short name, the long one\n"
           "                        no-name         neither name\n"
           "                        missing-keys    day range, volume and closes left out,\n"
           "                                        indicators.quote [{}], no timestamp\n"
           "  --currency CODE       meta.currency of the securities (default EUR)\n"
           "  --proxy-auth USER:PASSWORD\n"
           "                        require these Proxy-Authorization Basic credentials\n"
           "  --help                show this text\n";
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto flag = [&]() { return !inlineValue; };
        auto value = [&](std::string& out) {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= arguments.size())
                return false;
            out = arguments[++i];
            return true;
        };

        std::string text;
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--verbose" && flag()) {
            options.verbose = true;
        } else if (name == "--always-open" && flag()) {
            options.alwaysOpen = true;
        } else if (name == "--consent-page" && flag()) {
            options.faults.consentPage = true;
        } else if (name == "--consent-redirect" && flag()) {
            options.faults.consentRedirect = true;
        } else if (name == "--edge-rate-limit") {
            int status = 0;
            if (!value(text) || !parseUnsigned<int>(text, 599, status) || status < 200)
                return failed("--edge-rate-limit needs a status from 200 to 599");
            options.faults.edgeRateLimitStatus = status;
        } else if (name == "--quirk") {
            if (!value(text) || !applyQuirk(text, options.faults))
                return failed(
                    "--quirk needs one of midnight-rows, stale-chart-previous-close, long-decimals, "
                    "padded-names, long-name-only, no-name, missing-keys");
        } else if (name == "--currency") {
            if (!value(text) || text.size() < 2 || text.size() > 5 ||
                text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") !=
                    std::string::npos)
                return failed("--currency needs a currency code such as USD");
            options.faults.currency = text;
        } else if (name == "--html-error" && flag()) {
            options.faults.htmlError = Faults::HtmlError::Page;
        } else if (name == "--html-error-headless" && flag()) {
            options.faults.htmlError = Faults::HtmlError::Headless;
        } else if (name == "--port") {
            if (!value(text) || !parseUnsigned<std::uint16_t>(text, 65535, options.server.port))
                return failed("--port needs a port number from 0 to 65535");
        } else if (name == "--bind") {
            if (!value(options.server.bindAddress) || options.server.bindAddress.empty())
                return failed("--bind needs an address");
        } else if (name == "--seed") {
            if (!value(text) ||
                !parseUnsigned<std::uint64_t>(text, std::numeric_limits<std::uint64_t>::max(), options.seed))
                return failed("--seed needs a whole number");
        } else if (name == "--data") {
            if (!value(text) || text.empty())
                return failed("--data needs a folder");
            options.dataFolder = text;
        } else if (name == "--now") {
            if (!value(text) || !(options.now = parseIsoLocal(text)))
                return failed("--now needs a time as YYYY-MM-DDTHH:MM[:SS]");
        } else if (name == "--read-timeout") {
            unsigned ms = 0;
            if (!value(text) || !parseUnsigned<unsigned>(text, 3600000, ms) || ms == 0)
                return failed("--read-timeout needs milliseconds from 1 to 3600000");
            options.server.readTimeout = std::chrono::milliseconds(ms);
        } else if (name == "--fail") {
            const std::size_t eq = value(text) ? text.rfind('=') : std::string::npos;
            int status = 0;
            if (eq == std::string::npos || eq == 0 || text.front() != '/' ||
                !parseUnsigned<int>(text.substr(eq + 1), 599, status) || status < 400)
                return failed("--fail needs PATH=STATUS, such as /d/quotes.csv=503 (status 400 to 599)");
            options.faults.failingPaths[text.substr(0, eq)] = status;
        } else if (name == "--cut-after") {
            std::size_t bytes = 0;
            if (!value(text) ||
                !parseUnsigned<std::size_t>(text, std::numeric_limits<std::size_t>::max(), bytes))
                return failed("--cut-after needs a number of bytes");
            options.faults.cutAfterBytes = bytes;
        } else if (name == "--delay") {
            unsigned ms = 0;
            if (!value(text) || !parseUnsigned<unsigned>(text, 600000, ms))
                return failed("--delay needs milliseconds from 0 to 600000");
            options.faults.delay = std::chrono::milliseconds(ms);
        } else if (name == "--retry-after") {
            int seconds = 0;
            if (!value(text) || !parseUnsigned<int>(text, 86400, seconds))
                return failed("--retry-after needs seconds from 0 to 86400");
            options.faults.retryAfterSeconds = seconds;
        } else if (name == "--tls-cert" || name == "--tls-key") {
            if (!value(text) || text.empty())
                return failed(name + " needs a file");
            (name == "--tls-cert" ? options.tlsCertificateFile : options.tlsKeyFile) = text;
        } else if (name == "--proxy-auth") {
            if (!value(text) || text.find(':') == std::string::npos)
                return failed("--proxy-auth needs USER:PASSWORD");
            options.faults.proxyCredentials = text;
        } else {
            return failed("unknown option: " + arguments[i]);
        }
    }
    if (options.tlsCertificateFile.empty() != options.tlsKeyFile.empty())
        return failed("--tls-cert and --tls-key go together");
    ParsedCommandLine result;
    result.options = std::move(options);
    return result;
}

} // namespace listorix::quoted
