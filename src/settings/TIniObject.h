#pragma once

#include "settings/IniFile.h"

#include <filesystem>
#include <string_view>

namespace listorix {

class ChartSeries;
class Date;
class IntradayChart;
class TAlignGrid;

// Where the main window keeps its tables and chart between runs.
inline constexpr std::string_view kPortfolioSection = "Portafoglio";
inline constexpr std::string_view kGridsSection = "Grids";
// The quote tables' keys of "Grids" are in their rows of the category table.
inline constexpr std::string_view kPortfolioWidthsKey = "Portafoglio";
inline constexpr std::string_view kMibtelSeriesSection = "MIBTEL Series";
inline constexpr std::string_view kMib30SeriesSection = "MIB30 Series";
inline constexpr std::string_view kMidexSeriesSection = "MIDEX Series";

// Table rows, column widths and chart series kept in the settings file, each in
// sections of their own beside the settings keys and the window placement:
//
//   [Portafoglio]          one key per data row, "1", "2", ..., the trimmed cell
//   1=ENI.MI;ENI;TA;...    texts joined by ";" (no quoting)
//   [Grids]                one key per table, the widths of all its columns
//   Portafoglio=64;111;31;...
//   [MIBTEL Series]        the day of the points and one key per point:
//   DATA=14/03/2003        time of day ";" percentage change
//   1=9:30:00;-0,52
//
// Reading never reports anything: what is missing or unreadable leaves the
// table as it was, or gives the point or date stated below. Every save reaches
// the file before it returns; a file that cannot be written throws
// FileWriteError ("Unable to write to <path>") and is left as it was by that save.
class TIniObject final
{
public:
    // The file `fileName` in the program directory; empty selects LISTORIX.INI.
    explicit TIniObject(std::string_view fileName = {});
    // A file anywhere (tests, tools).
    static TIniObject atPath(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_file.path(); }

    // The i-th entry of the section, in file order whatever its key, becomes data
    // row i + 1, and the row count follows the number of entries; its fields fill
    // the leading cells from column 0 (fields beyond the last column are dropped),
    // each cell so filled with its own font, red when the text begins with "-",
    // else black. A missing or empty section leaves the grid as it is.
    void LoadGrid(std::string_view section, TAlignGrid& grid);
    // Replaces the section with one key per data row holding the first `columns`
    // cells (all when 0 or less), trimmed and joined by ";". A ";" inside a cell is
    // written as ",", since the row format cannot tell it from a separator.
    void SaveGrid(std::string_view section, const TAlignGrid& grid, int columns);

    // The widths of all the grid's columns under the key `name` of "Grids". On
    // loading, a value with fewer widths than columns gives its last width to the
    // later columns; a width of 0 or less leaves its column as it is, and a width
    // that is not a number leaves its column and all later ones as they are.
    void LoadColWidths(std::string_view name, TAlignGrid& grid);
    void SaveColWidths(std::string_view name, const TAlignGrid& grid);

    // Empties `series` and fills it from keys "1", "2", ... up to the first missing
    // or empty one, through the chart's AddChartPoint (a time already present is
    // skipped). A time written with "." reads like one written with ":"; a time or
    // value that does not read counts as 0:00:00 or 0. `date` becomes "DATA", or the
    // null date when that is missing or not a DD/MM/YYYY date.
    void LoadSeries(std::string_view section, IntradayChart& chart, ChartSeries& series, Date& date);
    // Replaces the section with "DATA" and one key per point, in the series' order.
    void SaveSeries(std::string_view section, const ChartSeries& series, const Date& date);

private:
    struct AtPath
    {
    };
    TIniObject(AtPath, std::filesystem::path path);

    IniFile m_file;
};

} // namespace listorix
