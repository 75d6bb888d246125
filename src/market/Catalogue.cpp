#include "market/Catalogue.h"

#include "base/DirPath.h"
#include "base/PercentEncoding.h"
#include "market/RequestList.h"
#include "market/TickerLists.h"

#include <filesystem>

namespace listorix {

namespace {

// The path of `name` in the first folder that has it; in the first folder when none has.
std::string firstHolding(const std::vector<std::string>& dirs, const std::string& name)
{
    for (const std::string& dir : dirs) {
        std::error_code ec;
        if (std::filesystem::exists(dir + name, ec))
            return dir + name;
    }
    return dirs.front() + name;
}

// The first folder with a list of the letter: a user's own lists replace the
// installed ones of that category instead of adding to them.
std::string tickerListDir(const std::vector<std::string>& dirs, char letter)
{
    for (const std::string& dir : dirs) {
        if (holdsTickerList(dir, letter))
            return dir;
    }
    return dirs.front();
}

} // namespace

std::string fileUrlFromPath(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        absolute = fs::path(path);
    return "file://" + percentEncode(absolute.lexically_normal().string(), "/");
}

bool BuildCatalogue(Catalogue& catalogue, const CatalogueOptions& options)
{
    catalogue = Catalogue{};
    std::vector<std::string> readDirs;
    for (const std::string& dir : options.readDirs)
        readDirs.push_back(withTrailingSeparator(dir));
    if (readDirs.empty())
        readDirs.push_back(withTrailingSeparator(options.programDir));
    catalogue.HomePageUrl = fileUrlFromPath(firstHolding(readDirs, "web/index.html"));
    catalogue.HelpPageUrl = fileUrlFromPath(firstHolding(readDirs, "web/help.html"));
    catalogue.ContactText = catalogue.HomePageUrl + "\re-mail: " + options.contactEmail;

    catalogue.requests[indexOf(ConnectionId::Indici)].emplace_back(kIndexRequest);
    LineList symbols;
    for (const ConnectionId id : kQuoteConnections) {
        const Category& category = categoryOf(id);
        LoadTickerLists(tickerListDir(readDirs, category.tickerLetter), category.tickerLetter, symbols);
        BuildRequestList(catalogue.requests[indexOf(id)], symbols, kCategoryRequestPrefix,
                         category.requestCaption, kCategoryFields);
        symbols.clear();
    }
    return true;
}

} // namespace listorix
