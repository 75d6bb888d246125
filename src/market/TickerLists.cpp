#include "market/TickerLists.h"

#include "base/CaseFold.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace listorix {

namespace {

namespace fs = std::filesystem;

// The letter, "_", anything (also nothing), ".lst", as a case-blind wildcard search sees it.
bool isTickerListName(char letter, std::string_view name)
{
    constexpr std::string_view kExtension = ".lst";
    return name.size() >= 2 + kExtension.size() && asciiLower(name[0]) == asciiLower(letter) &&
           name[1] == '_' &&
           equalsIgnoringAsciiCase(name.substr(name.size() - kExtension.size()), kExtension);
}

// The whole file, or nothing when it is not a regular file (a directory, or a
// FIFO that would block start-up) or cannot be read to its end.
std::optional<std::string> readRegularFile(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content;
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return content;
}

} // namespace

bool holdsTickerList(const std::string& dir, char letter)
{
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (isTickerListName(letter, it->path().filename().native()) && !it->is_directory(ec))
            return true;
    }
    return false;
}

bool LoadTickerLists(const std::string& programDir, char letter, LineList& target)
{
    const fs::path dir = programDir.empty() ? fs::path(".") : fs::path(programDir);
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path& entry = it->path();
        if (!isTickerListName(letter, entry.filename().native()))
            continue;
        if (const auto content = readRegularFile(entry))
            appendLines(*content, target);
    }
    return true;
}

} // namespace listorix
