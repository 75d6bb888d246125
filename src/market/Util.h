#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// Ordered text lines, each 8-bit Windows-1252 text without its line end.
using LineList = std::vector<std::string>;

// The quote service's host when the settings file names none. The original
// service no longer answers, so users point the program at a compatible one
// through the key below.
inline constexpr std::string_view kDefaultQuoteServiceHost = "it.finance.yahoo.com";
inline constexpr std::string_view kServiceSection = "SERVIZIO";
inline constexpr std::string_view kServiceHostKey = "HOST";

inline constexpr std::string_view kDefaultContactEmail = "info@listorix.example";

// Every request URL carries at most this many symbols.
inline constexpr std::size_t kSymbolsPerRequest = 200;
inline constexpr std::string_view kCategoryFields = "&f=snl1d1t1oghpc2v";

// What the catalogue is built from; start-up fills it from ProgramDir(),
// DataReadDirs() and the settings file.
struct CatalogueOptions
{
    std::string programDir; // holds the ticker lists and the web/ folder
    std::string quoteServiceHost{kDefaultQuoteServiceHost};
    std::string contactEmail{kDefaultContactEmail};
    // Where the ticker lists and web/ are looked for, in order; programDir alone
    // when empty. Each category takes the lists of the first folder that holds a
    // list of its letter; each page comes from the first folder that has it.
    std::vector<std::string> readDirs{};
};

// The five request lists and the fixed texts, filled once at start-up and
// read-only afterwards. Each request entry is a URL, or a URL, a TAB and a caption.
struct Catalogue
{
    LineList IndiciUrls;
    LineList AzioniUrls;
    LineList ObbligazioniUrls;
    LineList DerivatiUrls;
    LineList FondiUrls;

    std::string QuoteServiceHost; // host or host:port, also serves the chart pages
    std::string HomePageUrl;
    std::string HelpPageUrl;
    std::string ContactText; // web address, CR, "e-mail: " and the address
    std::string ReportHead;  // holds "#titolo#" twice
    std::string ReportFoot;
};

// Fills `catalogue` anew from the ticker lists in options.programDir. Always true.
bool BuildCatalogue(Catalogue& catalogue, const CatalogueOptions& options);

// Appends every line of every regular file in `programDir` named `letter`, "_",
// anything, ".lst" (letter and extension in any case), files in directory order.
// Entries that cannot be read are skipped. Always true.
bool LoadTickerLists(const std::string& programDir, char letter, LineList& target);

// Whether `dir` holds a ticker list file of `letter` (named as LoadTickerLists reads).
bool holdsTickerList(const std::string& dir, char letter);

// Appends one entry per 200 symbols: prefix + symbols joined by "+" + fields +
// TAB + caption + " k/N". Does not clear `target`.
void BuildRequestList(LineList& target, const LineList& symbols, std::string_view urlPrefix,
                      std::string_view caption, std::string_view fieldsSuffix);

// Appends the lines of `text`: CR LF, a lone CR and a lone LF each end a line, and
// a last line without an end still counts. An answer body or a file read this way.
void appendLines(std::string_view text, LineList& target);

// Replaces the contents of `list` by the pieces of `text` between separators; a
// trailing separator gives no empty last piece, an empty text no piece at all.
void SplitToList(char separator, std::string_view text, LineList& list);

// The single request of the index connection.
std::string indexRequestUrl(std::string_view host);
// A category request up to its symbols: "http://" + host + "/d/quotes.csv?s=".
std::string categoryUrlPrefix(std::string_view host);

// The settings file's host value checked and normalised ("host" or "host:port",
// port 1-65535, no scheme, path or blanks inside); nothing when unusable.
std::optional<std::string> parseQuoteServiceHost(std::string_view raw);
// The host in force for a raw settings value: the default when it is missing or unusable.
std::string quoteServiceHostFromSetting(std::string_view raw);

// The chart page of `symbol` (taken unchanged) for periods 1 to 7 (1 day to
// 5 years); nothing for any other period.
std::optional<std::string> chartPageUrl(std::string_view host, std::string_view symbol, int period);

// A "file://" address for a path, made absolute, with everything beyond
// unreserved characters and "/" percent-encoded.
std::string fileUrlFromPath(const std::string& path);

} // namespace listorix
