#include "poll/PollCommandLine.h"

#include <charconv>

namespace listorix::poll {

namespace {

ParsedPollCommandLine failed(std::string error)
{
    ParsedPollCommandLine result;
    result.error = std::move(error);
    return result;
}

} // namespace

std::string pollUsageText()
{
    return "Usage: listorix-poll --dir DIR [--cycles N] [--no-wait] [--print-requests]\n"
           "       listorix-poll --dir DIR --set-host HOST[:PORT]\n"
           "Runs Listorix without a window in the program folder DIR: reads LISTORIX.INI and\n"
           "the ticker lists there, replays the cache files, then fetches every enabled\n"
           "category on its countdown, writing the cache files as the program does. Each\n"
           "refreshed table goes to standard output as TAB-separated text after a line with\n"
           "its page's name; status lines go to standard error (both UTF-8).\n"
           "\n"
           "  --dir DIR     the program folder (required)\n"
           "  --cycles N    stop once every enabled category has been fetched N times\n"
           "                (default: run until interrupted)\n"
           "  --no-wait     count the countdowns' seconds without waiting for them\n"
           "  --print-requests\n"
           "                print the request URLs of the five categories and fetch nothing\n"
           "  --set-host HOST[:PORT]\n"
           "                write the quote host into [SERVIZIO] HOST of DIR's LISTORIX.INI\n"
           "                (made when missing; nothing else changes) and fetch nothing\n"
           "  --help        show this text\n"
           "\n"
           "Ctrl+C or SIGTERM stops after the current request, with the portfolio, column\n"
           "widths and chart series saved; a second one stops at once. Exit status: 0, or\n"
           "1 when the last fetch of some category failed, 2 for a wrong command line.\n";
}

ParsedPollCommandLine parsePollCommandLine(const std::vector<std::string>& arguments)
{
    PollOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value)
                return value;
            if (i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        if (name == "--help" && !value) {
            options.help = true;
        } else if (name == "--no-wait" && !value) {
            options.noWait = true;
        } else if (name == "--print-requests" && !value) {
            options.printRequests = true;
        } else if (name == "--dir") {
            const auto dir = takeValue();
            if (!dir || dir->empty())
                return failed("--dir needs a folder");
            options.dir = *dir;
        } else if (name == "--set-host") {
            const auto host = takeValue();
            if (!host || host->empty())
                return failed("--set-host needs a host");
            options.setHost = *host;
        } else if (name == "--cycles") {
            const auto text = takeValue();
            int cycles = 0;
            const char* end = text ? text->data() + text->size() : nullptr;
            if (!text || text->empty() || std::from_chars(text->data(), end, cycles).ptr != end || cycles < 1)
                return failed("--cycles needs a whole number of at least 1");
            options.cycles = cycles;
        } else {
            return failed("unknown argument: " + arguments[i]);
        }
    }
    if (!options.help && options.dir.empty())
        return failed("--dir is required");
    if (!options.dir.empty() && options.dir.back() != '/')
        options.dir += '/';
    ParsedPollCommandLine result;
    result.options = std::move(options);
    return result;
}

} // namespace listorix::poll
