#pragma once

#include "grid/TAlignGrid.h"
#include "market/QuoteColumns.h"
#include "market/TableOrdering.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The five connections of the program, one row each: everything that differs
// from one category to the next is here, as data, and the rooms loop over it.
// "What is the bonds table?" is the row ConnectionId::Obbligazioni below.

namespace listorix {

// The five connections, always visited in this order; the first five pages of
// the main window are theirs, in the same order.
enum class ConnectionId
{
    Indici,
    Azioni,
    Obbligazioni,
    Derivati,
    Fondi,
};

inline constexpr std::array<ConnectionId, 5> kConnectionOrder = {ConnectionId::Indici, ConnectionId::Azioni,
                                                                 ConnectionId::Obbligazioni,
                                                                 ConnectionId::Derivati, ConnectionId::Fondi};
// The connections with a quote table, in the order of the portfolio dialog's
// category list: shares, bonds, derivatives, funds.
inline constexpr std::array<ConnectionId, 4> kQuoteConnections = {
    ConnectionId::Azioni, ConnectionId::Obbligazioni, ConnectionId::Derivati, ConnectionId::Fondi};

using CompareCol = TRelation (*)(const TAlignGrid& Sender, int colrow, int compare1, int compare2);

// One connection and what depends on its category.
struct Category
{
    ConnectionId id;
    std::string_view pageName;      // its page of the main window
    std::string_view caption;       // the page's tab
    std::string_view tableName;     // its quote table; empty for the indices
    std::string_view countdownName; // the label of its countdown
    std::string_view cacheFile;     // its last answer, in ProgramDir
    int intervalMinutes;            // the interval in force, whatever the dialog shows
    std::int32_t initialSeconds;    // the interval a new connection counts until the settings apply
    // An empty cache file replayed at start-up puts the connection on the
    // one-minute retry, as a failed fetch does (the quote tables); for the indices
    // a refused replay changes nothing.
    bool refusedReplayRetries;
    char tickerLetter;               // its ticker lists: letter, "_", any text, ".lst"; none for the indices
    std::string_view requestCaption; // the status line's name of its requests
    std::string_view widthsKey;      // its column widths under "Grids"; empty for the indices
    std::string_view typeCode;       // the type of portfolio rows that refer to it; empty for the indices
    std::span<const ColumnDesign> columns; // empty for the indices
    int fillColumns;                       // the columns the name column's fill counts
    CompareCol compareCol;                 // the table's comparison event when sorting
};

namespace columns {

constexpr Alignment kLeft = Alignment::Left;
constexpr Alignment kRight = Alignment::Right;
constexpr Alignment kCenter = Alignment::Center;
constexpr CellKind kText = CellKind::Text;
constexpr CellKind kNumber = CellKind::Number;
constexpr CellKind kDate = CellKind::Date;
// The name column starts at the default width until the window fits it.
constexpr int kNameWidth = 64;

inline constexpr std::array<ColumnDesign, 11> kShares = {{{"Codice", kLeft, 64, kText},
                                                          {"Nome", kLeft, kNameWidth, kText},
                                                          {"Flash", kRight, 56, kNumber},
                                                          {"data", kCenter, 49, kDate},
                                                          {"ora", kCenter, 48, kText},
                                                          {"apert.", kRight, 54, kNumber},
                                                          {"min", kRight, 56, kNumber},
                                                          {"max", kRight, 49, kNumber},
                                                          {"prec.", kRight, 45, kNumber},
                                                          {"var.%", kRight, 39, kNumber},
                                                          {"volumi", kRight, 64, kNumber}}};

// The bonds and derivatives tables compare every column as text.
inline constexpr std::array<ColumnDesign, 11> kBonds = {{{"Codice", kLeft, 64, kText},
                                                         {"Nome", kLeft, kNameWidth, kText},
                                                         {"Flash", kRight, 64, kText},
                                                         {"data", kCenter, 57, kText},
                                                         {"ora", kCenter, 64, kText},
                                                         {"apet.", kRight, 64, kText},
                                                         {"min", kRight, 64, kText},
                                                         {"max", kRight, 64, kText},
                                                         {"prec.", kRight, 64, kText},
                                                         {"var.%", kRight, 64, kText},
                                                         {"volumi", kRight, 64, kText}}};

inline constexpr std::array<ColumnDesign, 11> kDerivatives = {{{"Codice", kLeft, 64, kText},
                                                               {"Nome", kLeft, kNameWidth, kText},
                                                               {"Flash", kRight, 46, kText},
                                                               {"data", kCenter, 45, kText},
                                                               {"ora", kCenter, 64, kText},
                                                               {"apert.", kRight, 61, kText},
                                                               {"min", kRight, 59, kText},
                                                               {"max", kRight, 58, kText},
                                                               {"prec.", kRight, 47, kText},
                                                               {"var.%", kRight, 58, kText},
                                                               {"volumi", kRight, 64, kText}}};

inline constexpr std::array<ColumnDesign, 4> kFunds = {{{"Codice", kLeft, 64, kText},
                                                        {"Nome", kLeft, kNameWidth, kText},
                                                        {"Chiusura", kRight, 64, kNumber},
                                                        {"data", kCenter, 64, kDate}}};

} // namespace columns

inline constexpr std::array<Category, 5> kCategories = {{
    {ConnectionId::Indici,
     "TabSheetIndici",
     "Indici",
     "",
     "LabelINDICITimer",
     "i.dat",
     2,
     300,
     false,
     '\0',
     "",
     "",
     "",
     {},
     0,
     nullptr},
    {ConnectionId::Azioni, "TabSheetYahoo", "Titoli azionari", "StringGridYahoo", "LabelYahooTimer",
     "y_mibtel.dat", 5, 900, true, 'A', "Yahoo finanza: titoli MIBTEL", "Azioni", "TA", columns::kShares, 11,
     StringGridYahooCompareCol},
    {ConnectionId::Obbligazioni, "TabSheetYahooOBB", "Obbligazioni", "StringGridYahooOBB",
     "LabelYahooOBBTimer", "y_obb.dat", 5, 900, true, 'O', "Yahoo finanza: Obbligazioni", "Obbligazioni",
     "TO", columns::kBonds, 11, TAlignGrid::compareColTexts},
    {ConnectionId::Derivati, "TabSheetYahooDerivati", "Derivati", "StringGridYahooDerivati",
     "LabelYahooDerivatiTimer", "y_derivati.dat", 5, 900, true, 'D', "Yahoo finanza: Derivati", "Derivati",
     "TD", columns::kDerivatives, 11, TAlignGrid::compareColTexts},
    {ConnectionId::Fondi, "TabSheetFondi", "Fondi", "StringGridFondi", "LabelFondiTimer", "y_fondi.dat", 180,
     900, true, 'F', "Yahoo finanza: Fondi", "Fondi", "F", columns::kFunds, 4, StringGridFondiCompareCol},
}};

constexpr std::size_t indexOf(ConnectionId id)
{
    return static_cast<std::size_t>(id);
}

constexpr const Category& categoryOf(ConnectionId id)
{
    return kCategories[indexOf(id)];
}

// The position of a quote connection in kQuoteConnections (0 for shares … 3 for
// funds); none for the indices.
constexpr std::optional<std::size_t> quoteIndexOf(ConnectionId id)
{
    for (std::size_t k = 0; k < kQuoteConnections.size(); ++k) {
        if (kQuoteConnections[k] == id)
            return k;
    }
    return std::nullopt;
}

// The quote connection whose portfolio type code is `typeCode`, compared exactly;
// none for "PERS" and anything else.
std::optional<ConnectionId> connectionOfTypeCode(std::string_view typeCode);

} // namespace listorix
