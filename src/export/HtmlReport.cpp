#include "export/HtmlReport.h"

#include "base/AtomicFile.h"
#include "base/HexDigit.h"
#include "base/Trim.h"
#include "export/HtmlEscape.h"
#include "grid/TAlignGrid.h"
#include "portfolio/PortfolioTable.h"

#include <cstdint>
#include <exception>

namespace listorix {

namespace {

// A value with anything in its high byte is not an RGB colour: system colours
// (high bit set) and the other symbolic values of the toolkit.
bool isRgb(TColor colour)
{
    return (static_cast<std::uint32_t>(colour) >> 24) == 0;
}

std::string rrggbb(TColor colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    std::string digits;
    for (const std::uint32_t byte : {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF})
        appendHexByte(digits, static_cast<unsigned char>(byte));
    return digits;
}

TColor textColour(const TAlignGrid& grid, int col, int row)
{
    const PropertySet* own = grid.findPropCell(col, row);
    return own && own->font ? own->font->color : grid.font().color;
}

// The column from which a white text starting with "-" is a loss to show in red:
// the purchase price and the computed amounts of the portfolio.
constexpr int kFirstAmountColumn = PortfolioColumn::Acquisto;

std::string reportText(const LineList& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace

void ReplaceTitle(std::string& text, std::string_view title)
{
    // The search goes on after the title just put in, so a title holding the
    // placeholder cannot make it endless.
    std::size_t from = 0;
    while ((from = text.find(kTitlePlaceholder, from)) != std::string::npos) {
        text.replace(from, kTitlePlaceholder.size(), title);
        from += title.size();
    }
}

std::string TotalLine(std::string_view totalCaption)
{
    std::string line = "<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr>"
                       "<td align=\"left\"><font face=\"Verdana\"><b>Totale</b></font></td>"
                       "<td align=\"right\"><font face=\"Verdana\"><b>";
    line += htmlEscape(totalCaption);
    line += "</b></font></td></tr></table>";
    return line;
}

std::string reportAlignmentWord(const TAlignGrid& grid, int col, int row)
{
    if (row < grid.fixedRows())
        return col == 0 ? "left" : "center";
    // The column's own setting alone: not the table's, not a single cell's.
    switch (grid.ownAlignCol(col).value_or(Alignment::Left)) {
    case Alignment::Right:
        return "right";
    case Alignment::Center:
        return "center";
    case Alignment::Left:
        break;
    }
    return "left";
}

std::string reportColourAttribute(const TAlignGrid& grid, int col, int row)
{
    const TColor colour = textColour(grid, col, row);
    if (!isRgb(colour))
        return {};
    std::string digits = rrggbb(colour);
    // The highlighted portfolio row is written in white; its losses still print red.
    if (digits == "FFFFFF" && col >= kFirstAmountColumn) {
        const std::string_view text = trimControls(grid.cell(col, row));
        if (!text.empty() && text.front() == '-')
            digits = "FF0000";
    }
    if (digits == "000000" || digits == "FFFFFF")
        return {};
    return "color=\"#" + digits + "\"";
}

std::string reportCellLine(const TAlignGrid& grid, int col, int row)
{
    const bool header = row < grid.fixedRows();
    std::string line = "<td align=\"";
    line += reportAlignmentWord(grid, col, row);
    line += header ? "\" bgcolor=\"#ffff99\"><b><font face=\"Verdana\" size=\"2\" "
                   : "\"><font face=\"Verdana\" size=\"2\" ";
    line += reportColourAttribute(grid, col, row);
    line += ">";
    const std::string_view text = trimControls(grid.cell(col, row));
    line += text.empty() ? std::string("&nbsp;") : htmlEscape(text);
    line += "</font>";
    if (header)
        line += "</b>";
    line += "</td>";
    return line;
}

LineList htmlReportLines(const TAlignGrid& grid, std::string_view title, std::string_view extraText,
                         std::string_view reportHead, std::string_view reportFoot,
                         const ReportCellWriter& cellLine)
{
    // The title is a page caption; escaped all the same, as it lands in markup.
    const std::string safeTitle = htmlEscape(title);
    LineList lines;

    std::string head(reportHead);
    ReplaceTitle(head, safeTitle);
    lines.push_back(std::move(head));
    lines.emplace_back("<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">"
                       "<tr><td bgcolor=\"silver\">");
    lines.emplace_back("<table width=\"100%\" border=\"0\" cellpadding=\"2\" cellspacing=\"1\">");

    for (int row = 0; row < grid.rowCount(); ++row) {
        try {
            lines.emplace_back("<tr bgcolor=\"#ffffff\">");
            for (int col = 0; col < grid.colCount(); ++col)
                lines.push_back(cellLine(grid, col, row));
            lines.emplace_back("</tr>");
        } catch (...) {
            // One bad row must not cost the user the whole report.
            lines.push_back("Errore alla riga " + std::to_string(row));
        }
    }

    lines.emplace_back("</table></td></tr></table>");
    if (!extraText.empty())
        lines.emplace_back(extraText);

    std::string foot(reportFoot);
    ReplaceTitle(foot, safeTitle);
    lines.push_back(std::move(foot));
    return lines;
}

ReportWriteResult writePageFile(const std::string& fileName, std::string_view text)
{
    try {
        writeFileAtomically(fileName, text);
        return {true, {}};
    } catch (const FileWriteError& error) {
        return {false, error.what()};
    } catch (...) {
        return {false, "Unable to write to " + fileName};
    }
}

ReportWriteResult WriteHtmlReport(const TAlignGrid& grid, std::string_view title, const std::string& fileName,
                                  std::string_view extraText, const ReportTemplates& templates)
{
    try {
        return writePageFile(
            fileName,
            reportText(htmlReportLines(grid, title, extraText, templates.ReportHead, templates.ReportFoot)));
    } catch (...) {
        return {false, "Unable to write to " + fileName};
    }
}

} // namespace listorix
