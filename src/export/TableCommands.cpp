#include "export/TableCommands.h"

#include "base/Prompts.h"
#include "export/ClipboardText.h"
#include "export/HtmlReport.h"

namespace listorix {

std::optional<std::string> reportCommand(const ActivePage& page, const ReportTemplates& templates,
                                         const std::string& reportDir, Prompts& prompts)
{
    if (!page.grid) {
        prompts.warningOk(std::string(kNoReportTableMessage));
        return std::nullopt;
    }
    const std::string fileName = reportDir + std::string(kReportFileName);
    const std::string extraText = page.portfolioTotalCaption ? TotalLine(*page.portfolioTotalCaption) : "";
    const ReportWriteResult result =
        WriteHtmlReport(*page.grid, page.caption, fileName, extraText, templates);
    if (!result.written) {
        prompts.warningOk(result.message);
        return std::nullopt;
    }
    return fileName;
}

void clipboardCommand(const TAlignGrid* activeGrid, char userDecimalSeparator,
                      const std::function<void(const std::string& text)>& putOnClipboard, Prompts& prompts)
{
    if (!activeGrid) {
        prompts.warningOk(std::string(kNoClipboardTableMessage));
        return;
    }
    putOnClipboard(clipboardText(*activeGrid, userDecimalSeparator));
    prompts.messageOk(std::string(kTableCopiedMessage));
}

} // namespace listorix
