#include "market/Catalogue.h"

#include "base/PercentEncoding.h"
#include "market/RequestList.h"
#include "market/TickerLists.h"

#include <filesystem>

namespace listorix {

namespace {

struct Category
{
    char letter;
    LineList Catalogue::*list;
    std::string_view caption;
};

constexpr Category kCategories[] = {
    {'A', &Catalogue::AzioniUrls, "Yahoo finanza: titoli MIBTEL"},
    {'O', &Catalogue::ObbligazioniUrls, "Yahoo finanza: Obbligazioni"},
    {'D', &Catalogue::DerivatiUrls, "Yahoo finanza: Derivati"},
    {'F', &Catalogue::FondiUrls, "Yahoo finanza: Fondi"},
};

std::string withTrailingSeparator(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
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
    const std::string programDir = withTrailingSeparator(options.programDir);
    // An unusable host never reaches a URL.
    catalogue.QuoteServiceHost = quoteServiceHostFromSetting(options.quoteServiceHost);

    catalogue.HomePageUrl = fileUrlFromPath(programDir + "web/index.html");
    catalogue.HelpPageUrl = fileUrlFromPath(programDir + "web/help.html");
    catalogue.ContactText = catalogue.HomePageUrl + "\re-mail: " + options.contactEmail;

    catalogue.IndiciUrls.push_back(indexRequestUrl(catalogue.QuoteServiceHost));

    const std::string prefix = categoryUrlPrefix(catalogue.QuoteServiceHost);
    LineList symbols;
    for (const Category& category : kCategories) {
        LoadTickerLists(programDir, category.letter, symbols);
        BuildRequestList(catalogue.*category.list, symbols, prefix, category.caption, kCategoryFields);
        symbols.clear();
    }
    return true;
}

} // namespace listorix
