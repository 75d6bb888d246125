#include "settings/TIniObject.h"

#include "base/Date.h"
#include "base/Fields.h"
#include "base/NumberFormat.h"
#include "base/TimeOfDay.h"
#include "base/Trim.h"
#include "grid/TAlignGrid.h"
#include "market/IntradayChart.h"
#include "settings/ProgramDir.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <utility>

namespace listorix {

namespace {

constexpr std::string_view kSeriesDateKey = "DATA";

std::optional<int> parseWidth(std::string_view text)
{
    text = trimControls(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string rowValue(const TAlignGrid& grid, int row, int columns)
{
    std::string value;
    for (int col = 0; col < columns; ++col) {
        if (col > 0)
            value += ';';
        std::string text(trimControls(grid.cell(col, row)));
        // A ";" in a cell would split it into two fields at the next start and
        // shift every later field of the row.
        std::replace(text.begin(), text.end(), ';', ',');
        value += text;
    }
    return value;
}

} // namespace

TIniObject::TIniObject(std::string_view fileName) : m_file(SettingsFilePath(fileName)) {}

TIniObject::TIniObject(AtPath, std::filesystem::path path) : m_file(std::move(path)) {}

TIniObject TIniObject::atPath(std::filesystem::path path)
{
    return TIniObject(AtPath{}, std::move(path));
}

void TIniObject::LoadGrid(std::string_view section, TAlignGrid& grid)
{
    // The table is rewritten whole: its view hears once, at the end.
    const auto batch = grid.batchChanges();
    const IniEntries entries = m_file.readSection(section);
    if (!entries.empty()) {
        grid.setRowCount(static_cast<int>(entries.size()) + 1);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            std::string rest = entries[i].second;
            for (int col = 0; !rest.empty() && col < grid.colCount(); ++col) {
                std::string field = NextField(rest);
                grid.setFontColorCell(col, row, !field.empty() && field.front() == '-' ? clRed : clBlack);
                grid.setCell(col, row, std::move(field));
            }
        }
    }
}

void TIniObject::SaveGrid(std::string_view section, const TAlignGrid& grid, int columns)
{
    if (columns <= 0)
        columns = grid.colCount();
    IniEntries rows;
    rows.reserve(static_cast<std::size_t>(std::max(grid.rowCount() - 1, 0)));
    for (int row = 1; row < grid.rowCount(); ++row)
        rows.emplace_back(std::to_string(row), rowValue(grid, row, columns));
    m_file.rewriteSection(section, rows);
}

void TIniObject::LoadColWidths(std::string_view name, TAlignGrid& grid)
{
    std::string rest = m_file.readString(kGridsSection, name);
    for (int col = 0; col < grid.colCount(); ++col) {
        const std::size_t separator = rest.find(';');
        const std::string_view field =
            std::string_view(rest).substr(0, separator == std::string::npos ? rest.size() : separator);
        const std::optional<int> width = parseWidth(field);
        // An unreadable field stays in front, so it stops every later column too;
        // the last field, without a ";" after it, serves all remaining columns.
        if (!width)
            continue;
        if (*width > 0)
            grid.setColWidth(col, *width);
        if (separator != std::string::npos)
            rest.erase(0, separator + 1);
    }
}

void TIniObject::SaveColWidths(std::string_view name, const TAlignGrid& grid)
{
    std::string widths;
    for (int col = 0; col < grid.colCount(); ++col) {
        if (col > 0)
            widths += ';';
        widths += std::to_string(grid.colWidth(col));
    }
    m_file.writeString(kGridsSection, name, widths);
}

void TIniObject::LoadSeries(std::string_view section, IntradayChart& chart, ChartSeries& series, Date& date)
{
    const auto batch = chart.batchChanges();
    chart.clearSeries(series);
    date = parseDate(m_file.readString(section, kSeriesDateKey)).value_or(Date());
    for (int key = 1;; ++key) {
        std::string rest = m_file.readString(section, std::to_string(key));
        if (rest.empty())
            break;
        const TimeOfDay time = parseTime(DotsToColons(NextField(rest))).value_or(TimeOfDay());
        const double value = parseNumber(NextField(rest)).value_or(0.0);
        chart.AddChartPoint(series, time.dayFraction(), value);
    }
}

void TIniObject::SaveSeries(std::string_view section, const ChartSeries& series, const Date& date)
{
    IniEntries entries;
    entries.reserve(series.points().size() + 1);
    entries.emplace_back(kSeriesDateKey, formatShortDate(date));
    int key = 0;
    for (const ChartPoint& point : series.points())
        entries.emplace_back(std::to_string(++key), formatLongTime(TimeOfDay::fromDayFraction(point.x)) +
                                                        ';' + formatGeneral(point.y));
    m_file.rewriteSection(section, entries);
}

} // namespace listorix
