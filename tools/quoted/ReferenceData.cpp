#include "quoted/ReferenceData.h"

#include "base/CaseFold.h"
#include "quoted/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

namespace listorix::quoted::reference {

namespace {

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool printable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u != 0x7f && c != ';' && c != '"';
    });
}

std::string lineError(std::string_view source, int line, std::string_view reason)
{
    std::ostringstream text;
    text << source << ':' << line << ": " << reason;
    return text.str();
}

// Rejects a symbol already present in the list, ignoring letter case.
std::string checkDuplicates(const std::vector<Security>& all, std::size_t firstNew, std::string_view source)
{
    std::set<std::string> seen;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!seen.insert(asciiUpper(all[i].symbol)).second)
            return std::string(i >= firstNew ? source : std::string_view("reference data")) +
                   ": symbol listed twice: " + all[i].symbol;
    }
    return {};
}

} // namespace

std::string parseText(std::string_view text, Category category, std::string_view sourceName,
                      std::vector<Security>& out)
{
    std::vector<Security> parsed;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;

        std::string_view fields[4];
        std::string_view rest = line;
        int count = 0;
        while (count < 4) {
            const std::size_t semi = rest.find(';');
            fields[count++] = trim(rest.substr(0, semi));
            if (semi == std::string_view::npos) {
                rest = {};
                break;
            }
            rest = rest.substr(semi + 1);
        }
        if (count != 4 || !rest.empty())
            return lineError(sourceName, lineNumber, "expected symbol;name;price;volume");

        Security security;
        security.category = category;
        security.symbol = fields[0];
        security.name = fields[1];
        if (security.symbol.empty() || security.symbol.find(' ') != std::string::npos ||
            !printable(fields[0]))
            return lineError(sourceName, lineNumber, "bad symbol");
        if (security.name.empty() || !printable(fields[1]))
            return lineError(sourceName, lineNumber, "bad name");
        const auto priceEnd = fields[2].data() + fields[2].size();
        const auto price = std::from_chars(fields[2].data(), priceEnd, security.referencePrice);
        if (price.ec != std::errc{} || price.ptr != priceEnd || !(security.referencePrice > 0.0) ||
            security.referencePrice > 1e9)
            return lineError(sourceName, lineNumber, "bad price");
        const auto volumeEnd = fields[3].data() + fields[3].size();
        const auto volume = std::from_chars(fields[3].data(), volumeEnd, security.dailyVolume);
        if (volume.ec != std::errc{} || volume.ptr != volumeEnd || security.dailyVolume < 0)
            return lineError(sourceName, lineNumber, "bad volume");
        parsed.push_back(std::move(security));
    }

    const std::size_t firstNew = out.size();
    std::vector<Security> merged = out;
    merged.insert(merged.end(), parsed.begin(), parsed.end());
    if (std::string error = checkDuplicates(merged, firstNew, sourceName); !error.empty())
        return error;
    out = std::move(merged);
    return {};
}

std::string loadFolder(const std::filesystem::path& folder, std::vector<Security>& out)
{
    for (const FileKind& kind : kFiles) {
        const std::filesystem::path path = folder / kind.fileName;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return path.string() + ": cannot be read";
        std::ostringstream content;
        content << file.rdbuf();
        if (std::string error = parseText(content.str(), kind.category, path.string(), out); !error.empty())
            return error;
    }
    return {};
}

std::string loadBuiltIn(std::vector<Security>& out)
{
    for (const FileKind& kind : kFiles) {
        if (std::string error = parseText(builtInFile(kind.fileName), kind.category, kind.fileName, out);
            !error.empty())
            return error;
    }
    return {};
}

} // namespace listorix::quoted::reference
