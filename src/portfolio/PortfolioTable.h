#pragma once

#include "market/Categories.h"

#include <string_view>

namespace listorix {

class TAlignGrid;

// The columns of the portfolio table StringGridPortafoglio.
namespace PortfolioColumn {
inline constexpr int Codice = 0;     // security code, the key into its category table
inline constexpr int Nome = 1;       // security name
inline constexpr int Tipo = 2;       // type code
inline constexpr int Quote = 3;      // quantity held
inline constexpr int Data = 4;       // date of the current price, DD/MM
inline constexpr int Quotazione = 5; // current price in euro
inline constexpr int Acquisto = 6;   // purchase price in euro
inline constexpr int DataAcq = 7;    // purchase date, free text
inline constexpr int Var = 8;        // percentage change over the purchase price
inline constexpr int Guadagno = 9;   // gain in euro
inline constexpr int Totale = 10;    // value in euro
} // namespace PortfolioColumn

inline constexpr int kPortfolioColumns = 11;
// The columns the settings file keeps, "Codice" to "Data Acq."; the rest is
// recomputed by the valuation.
inline constexpr int kPortfolioStoredColumns = PortfolioColumn::DataAcq + 1;

// Type codes, the only texts the program writes into the "Tipo" column. A row whose
// type is empty is the free row, filled by the next add instead of appending.
inline constexpr std::string_view kTypeShare = categoryOf(ConnectionId::Azioni).typeCode;
inline constexpr std::string_view kTypeBond = categoryOf(ConnectionId::Obbligazioni).typeCode;
inline constexpr std::string_view kTypeDerivative = categoryOf(ConnectionId::Derivati).typeCode;
inline constexpr std::string_view kTypeFund = categoryOf(ConnectionId::Fondi).typeCode;
inline constexpr std::string_view kTypePersonal = "PERS";

inline constexpr std::string_view kPersonalRowName = "PERSONALE";
inline constexpr std::string_view kPortfolioTableHint = "Titolo personale da aggiornare manualmente";

// The design of the portfolio table: 11 columns with their titles, widths, alignment,
// editability and backgrounds, one empty data row, cell editing and cell hints on.
void setUpPortfolioTable(TAlignGrid& grid);

// True for a data row whose type cell is empty.
bool isFreeRow(const TAlignGrid& grid, int row);

// The row an add command writes into: the last row when it is a free data row,
// otherwise a row appended for it.
int rowForNewEntry(TAlignGrid& grid);

} // namespace listorix
