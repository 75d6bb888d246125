#include "export/TableCommands.h"

#include "export/ClipboardText.h"
#include "export/HtmlReport.h"
#include "market/Util.h"
#include "ui/Prompt.h"

namespace listorix {

std::optional<std::string> reportCommand(const ActivePage& page, const Catalogue& catalogue,
                                         const std::string& reportDir, Prompt& prompt)
{
    if (!page.grid) {
        prompt.warning(kNoReportTableMessage);
        return std::nullopt;
    }
    const std::string fileName = reportDir + std::string(kReportFileName);
    const std::string extraText = page.portfolioTotalCaption ? TotalLine(*page.portfolioTotalCaption) : "";
    const ReportWriteResult result =
        WriteHtmlReport(*page.grid, page.caption, fileName, extraText, catalogue);
    if (!result.written) {
        prompt.error(result.message);
        return std::nullopt;
    }
    return fileUrlFromPath(fileName);
}

void clipboardCommand(const TAlignGrid* activeGrid, char userDecimalSeparator,
                      const std::function<void(const std::string& text)>& putOnClipboard, Prompt& prompt)
{
    if (!activeGrid) {
        prompt.warning(kNoClipboardTableMessage);
        return;
    }
    putOnClipboard(clipboardText(*activeGrid, userDecimalSeparator));
    prompt.information(kTableCopiedMessage);
}

} // namespace listorix
