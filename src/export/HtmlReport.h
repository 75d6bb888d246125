#pragma once

#include "base/LineList.h"
#include "export/ReportTemplates.h"

#include <functional>
#include <string>
#include <string_view>

namespace listorix {

class TAlignGrid;

// The report lies in the program directory under this name; each run replaces it.
inline constexpr std::string_view kReportFileName = "report.html";
// What the head and foot templates hold where the title goes.
inline constexpr std::string_view kTitlePlaceholder = "#titolo#";
// The warning when the active page has no table to report.
inline constexpr std::string_view kNoReportTableMessage = "Seleziona un altro pannello!";

// Puts `title` in place of every "#titolo#" of `text`. A title that itself holds
// the placeholder is put in once per placeholder of the original text.
void ReplaceTitle(std::string& text, std::string_view title);

// The portfolio's total line around the caption of the total label, which is
// written as text (escaped).
std::string TotalLine(std::string_view totalCaption);

// Cell line pieces. The alignment word: "left"/"center" by position in the header
// row, else from the column's alignment. The colour attribute: `color="#RRGGBB"`
// from the cell's own text colour or the table's, or empty text for black, white
// and system colours (a white negative amount from the portfolio's "Acquisto"
// column on is written red).
std::string reportAlignmentWord(const TAlignGrid& grid, int col, int row);
std::string reportColourAttribute(const TAlignGrid& grid, int col, int row);
// One "<td ...>...</td>" line; the trimmed cell text is escaped, "&nbsp;" when empty.
std::string reportCellLine(const TAlignGrid& grid, int col, int row);

// Writes the line of one cell; may throw, which ends its row with an error line.
using ReportCellWriter = std::function<std::string(const TAlignGrid& grid, int col, int row)>;

// The lines of the report: head (title put in, escaped), the table with a row
// block per table row, the extra text when not empty (taken as markup, see
// TotalLine), the foot. A row whose writing fails keeps the lines it produced and
// ends with "Errore alla riga <row>"; the other rows follow as usual.
LineList htmlReportLines(const TAlignGrid& grid, std::string_view title, std::string_view extraText,
                         std::string_view reportHead, std::string_view reportFoot,
                         const ReportCellWriter& cellLine = reportCellLine);

// What became of a report: written, or the message for the user.
struct ReportWriteResult
{
    bool written = false;
    std::string message; // "Unable to write to <path>" when not written
};

// Replaces `fileName` with `text` atomically; on failure the old file stays as it
// was. Never throws.
ReportWriteResult writePageFile(const std::string& fileName, std::string_view text);

// Builds the report of `grid` with the templates' head and foot and replaces
// `fileName` with it atomically, each line ended by CR LF. On failure the old file
// stays as it was. Never throws.
ReportWriteResult WriteHtmlReport(const TAlignGrid& grid, std::string_view title, const std::string& fileName,
                                  std::string_view extraText, const ReportTemplates& templates);

} // namespace listorix
