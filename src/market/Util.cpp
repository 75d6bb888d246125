#include "market/Util.h"

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
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

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

// The address as a link text: without "scheme://".
std::string_view withoutScheme(std::string_view url)
{
    const auto pos = url.find("://");
    return pos == std::string_view::npos ? url : url.substr(pos + 3);
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string reportHead(std::string_view homePage)
{
    // The report is 8-bit Windows-1252 text: declared, so that a browser does not
    // guess and shows "à" and "€" right.
    std::string head = "<html><head>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                       "<title>Report Listorix - #titolo#</title></head><body>"
                       "<table width=\"100%\" border=\"0\"><tr><td valign=\"bottom\">"
                       "<font face=\"Verdana\" color=\"blue\"><b><i><big>#titolo#</big></b></i></font></td>"
                       "<td align=\"right\" valign=\"bottom\"><font face=\"Verdana\" size=\"1\"><a href=\"";
    head += homePage;
    head += "\">";
    head += withoutScheme(homePage);
    head += "</a></font></td></tr></table>";
    return head;
}

std::string reportFoot(std::string_view homePage)
{
    std::string foot = "<font face=\"Verdana\" size=\"1\"><i><br>report generato da Listorix <a href=\"";
    foot += homePage;
    foot += "\">";
    foot += withoutScheme(homePage);
    foot += "</a></i></font><br></body></html>";
    return foot;
}

} // namespace

std::string indexRequestUrl(std::string_view host)
{
    std::string url = "http://";
    url += host;
    url += "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv";
    return url;
}

std::string categoryUrlPrefix(std::string_view host)
{
    std::string url = "http://";
    url += host;
    url += "/d/quotes.csv?s=";
    return url;
}

std::string fileUrlFromPath(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) {
        absolute = fs::path(path);
    }
    const std::string normal = absolute.lexically_normal().string();

    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : normal) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || c == '/') {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    return url;
}

bool BuildCatalogue(Catalogue& catalogue, const CatalogueOptions& options)
{
    catalogue = Catalogue{};
    std::vector<std::string> readDirs;
    for (const std::string& dir : options.readDirs)
        readDirs.push_back(withTrailingSeparator(dir));
    if (readDirs.empty())
        readDirs.push_back(withTrailingSeparator(options.programDir));
    // An unusable host never reaches a URL.
    catalogue.QuoteServiceHost = quoteServiceHostFromSetting(options.quoteServiceHost);

    catalogue.HomePageUrl = fileUrlFromPath(firstHolding(readDirs, "web/index.html"));
    catalogue.HelpPageUrl = fileUrlFromPath(firstHolding(readDirs, "web/help.html"));
    catalogue.ContactText = catalogue.HomePageUrl + "\re-mail: " + options.contactEmail;

    catalogue.IndiciUrls.push_back(indexRequestUrl(catalogue.QuoteServiceHost));

    const std::string prefix = categoryUrlPrefix(catalogue.QuoteServiceHost);
    LineList symbols;
    for (const Category& category : kCategories) {
        LoadTickerLists(tickerListDir(readDirs, category.letter), category.letter, symbols);
        BuildRequestList(catalogue.*category.list, symbols, prefix, category.caption, kCategoryFields);
        symbols.clear();
    }

    catalogue.ReportHead = reportHead(catalogue.HomePageUrl);
    catalogue.ReportFoot = reportFoot(catalogue.HomePageUrl);
    return true;
}

} // namespace listorix
