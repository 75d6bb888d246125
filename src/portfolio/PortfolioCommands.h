#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace listorix {

class TAlignGrid;

// Asks the user a Yes/No question; true only for Yes.
using ConfirmQuestion = std::function<bool(const std::string& question)>;

inline constexpr std::string_view kConfirmDeleteRow = "Confermi la cancellazione della riga?";

// The commands of the portfolio page on the portfolio table. Each returns whether it
// changed the table; one whose precondition fails does nothing. None revalues.

// Deletes the current data row after the user confirms. The rows below move up
// with their texts, hints and editability; the only data row is emptied into a free
// row whose cells are all read-only.
bool Cancella1Click(TAlignGrid& portfolio, const ConfirmQuestion& confirm);
// Appends a copy of the current row's texts, when that row has a name. The copy
// keeps the editability of the original's cells, so a copied personal row can
// still be priced by hand.
bool Duplicariga1Click(TAlignGrid& portfolio);
// Orders the data rows by type and name (the two texts joined, compared by
// character code) with the exchanges SwapRows makes.
bool SpeedButtonOrdinaClick(TAlignGrid& portfolio);
// Exchange the current row with the one below / above and select that row.
bool SpeedButtonSpostaSottoClick(TAlignGrid& portfolio);
bool SpeedButtonSpostaSopraClick(TAlignGrid& portfolio);

// Exchanges two rows' texts and hints; each cell gets as its own editability the
// effective editability the other cell had. Fonts and backgrounds stay in place.
void SwapRows(TAlignGrid& grid, int a, int b);

// Removes a data row: the rows below move up with their texts, hints and
// editability and the last row goes; the only data row is emptied instead (texts
// and hints), keeping its editability.
void removePortfolioRow(TAlignGrid& portfolio, int row);

// Writes a security into the free last row, or into a row appended for it: code,
// name and type code, with "Quote", "Acquisto" and "Data Acq." editable. The row.
int addSecurityRow(TAlignGrid& portfolio, std::string code, std::string name, std::string_view typeCode);

} // namespace listorix
