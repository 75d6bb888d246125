#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class Portfolio;
class TAlignGrid;

// The portfolio as a CSV file for a spreadsheet, one header line and one line
// per row with what the user types or a row needs to be rebuilt:
//
//   Codice;Nome;Tipo;Quote;Quotazione;Acquisto;Data Acq.
//   ENI.MI;ENI;TA;100;;10;01/02/2003
//   ;Casa;PERS;1;150000;120000;
//
// Fields separated by ";", quoted with '"' where they hold one (an inner '"'
// doubled); numbers with a decimal comma and no grouping; dates DD/MM/YYYY; the
// price only for personal rows (the others take theirs from their tables); lines
// ending with CR LF; UTF-8 with a byte-order mark, as an Italian spreadsheet
// opens it.
inline constexpr std::string_view kPortfolioCsvHeader =
    "Codice;Nome;Tipo;Quote;Quotazione;Acquisto;Data Acq.";

// One row of the file, its texts in the core's code page and in display form.
struct PortfolioCsvRow
{
    std::string code;
    std::string name;
    std::string type; // "TA", "TO", "TD", "F" or "PERS"
    std::string quantity;
    std::string price;
    std::string purchase;
    std::string purchaseDate;

    bool operator==(const PortfolioCsvRow&) const = default;
};

// A line that was not read, by its number in the file (from 1, the header's).
struct PortfolioCsvBadLine
{
    int number = 0;
    std::string problem; // Italian

    bool operator==(const PortfolioCsvBadLine&) const = default;
};

struct PortfolioCsvFile
{
    std::vector<PortfolioCsvRow> rows;
    std::vector<PortfolioCsvBadLine> badLines;
};

// The file of every data row that is not free, in table order.
std::string portfolioCsvBytes(const TAlignGrid& portfolio);

// Reads a whole file before anything is done with it: the byte-order mark is
// optional, and a file that is not UTF-8 is read as Windows-1252; CR LF, LF and
// CR end lines, and a quoted field may hold line ends. The first line must be
// the header; blank lines (and lines of separators only) are passed over. Each
// other line must have the seven fields (empty ones after them are allowed), a
// known type code, a code unless it is a personal row, numbers in Italian form
// or nothing, and a DD/MM/YYYY date or nothing; it becomes a row, or a bad line
// with the first thing wrong with it. Numbers come back as the file writes them.
PortfolioCsvFile readPortfolioCsv(std::string_view bytes);

// Appends the rows to the portfolio, filling its free last row first. A row whose
// code stands in the table of its type, or else in another quote table, refers to
// that table (its type follows it) and takes its prices at the next revaluation;
// a row whose code is in no table, and every personal row, becomes a personal row
// priced by hand. Does not revalue.
void importPortfolioRows(Portfolio& portfolio, const std::vector<PortfolioCsvRow>& rows);

} // namespace listorix
