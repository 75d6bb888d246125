#pragma once

#include "base/LineList.h"
#include "market/Categories.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The catalogue: what the design calls the Util unit, the routines that turn
// the ticker lists into the request lists at start-up and keep the fixed texts.
// The pieces it is built from have their own files: TickerLists.h and
// RequestList.h.

namespace listorix {

inline constexpr std::string_view kDefaultContactEmail = "info@listorix.example";

// What the catalogue is built from; start-up fills it from ProgramDir() and
// DataReadDirs().
struct CatalogueOptions
{
    std::string programDir; // holds the ticker lists and the web/ folder
    std::string contactEmail{kDefaultContactEmail};
    // Where the ticker lists and web/ are looked for, in order; programDir alone
    // when empty. Each category takes the lists of the first folder that holds a
    // list of its letter; each page comes from the first folder that has it.
    std::vector<std::string> readDirs{};
};

// The five request lists and the fixed texts, filled once at start-up and
// read-only afterwards. Each request entry is a path on the quote host, or such a
// path, a TAB and a caption (RequestList.h). The report's head and foot are made
// from HomePageUrl beside the report (export/ReportTemplates.h).
struct Catalogue
{
    // By connection, in kConnectionOrder.
    std::array<LineList, 5> requests;

    std::string HomePageUrl;
    std::string HelpPageUrl;
    std::string ContactText; // web address, CR, "e-mail: " and the address

    const LineList& requestsOf(ConnectionId id) const { return requests[indexOf(id)]; }
};

// Fills `catalogue` anew from the ticker lists of options.readDirs (or
// options.programDir). Always true.
bool BuildCatalogue(Catalogue& catalogue, const CatalogueOptions& options);

// A "file://" address for a path, made absolute, with everything beyond
// unreserved characters and "/" percent-encoded.
std::string fileUrlFromPath(const std::string& path);

} // namespace listorix
