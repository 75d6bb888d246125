#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

class Prompts;
class TAlignGrid;
struct ReportTemplates;

// The active page of the main window as the toolbar's report and clipboard
// commands see it.
struct ActivePage
{
    const TAlignGrid* grid = nullptr; // ActiveGrid(): none on the index and web pages
    std::string caption;              // the page's caption, the report's title
    // For the portfolio page, the caption of LabelPortafoglioTot; none elsewhere.
    std::optional<std::string> portfolioTotalCaption;
};

// "Esporta in HTML per stampare" (SpeedButtonHTMLClick): with no table on the
// page, warns "Seleziona un altro pannello!" and leaves the report alone;
// otherwise writes the page's table into `reportDir` + "report.html" (with the
// portfolio's total line on the portfolio page) and returns the report file's
// path, for the web tab to show. A report that cannot be written is told in a
// warning with the file's name, and nothing is returned.
std::optional<std::string> reportCommand(const ActivePage& page, const ReportTemplates& templates,
                                         const std::string& reportDir, Prompts& prompts);

// "Copia nella clipboard" (SpeedButtonExcelClick): with no table on the page,
// warns "Gli indici non si possono copiare in Excel" and leaves the clipboard
// alone; otherwise hands the table's spreadsheet text (in the user's decimal
// separator) to `putOnClipboard` and tells the user how to paste it.
void clipboardCommand(const TAlignGrid* activeGrid, char userDecimalSeparator,
                      const std::function<void(const std::string& text)>& putOnClipboard, Prompts& prompts);

} // namespace listorix
