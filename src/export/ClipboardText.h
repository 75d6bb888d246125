#pragma once

#include <string>
#include <string_view>

namespace listorix {

class TAlignGrid;

// The warning when the active page has no table to copy.
inline constexpr std::string_view kNoClipboardTableMessage = "Gli indici non si possono copiare in Excel";
// The information shown once the table is on the clipboard (8-bit text, CR line breaks).
inline constexpr std::string_view kTableCopiedMessage =
    "La tabella \xE8 stata copiata nella clipboard.\r\r"
    "Va in Excel, seleziona la prima cella della\r"
    "tabella di destinazione e premi CTRL-V per incollare i dati.";

// The whole table, header included, as spreadsheet text: cells joined by TAB,
// every row ended by CR LF, texts unchanged except that, when the user's decimal
// separator is not ",", each "," of a data cell outside column 0 becomes that
// separator (the header row and the code column are copied as they are).
std::string clipboardText(const TAlignGrid& grid, char userDecimalSeparator);

} // namespace listorix
