#pragma once

#include "base/Date.h"
#include "base/TimeOfDay.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// The periods of the tables' chart entries, "Grafico 1 giorno" to "Grafico 5 anni".
enum class ChartPeriod
{
    OneDay,
    FiveDays,
    ThreeMonths,
    SixMonths,
    OneYear,
    TwoYears,
    FiveYears,
};

inline constexpr std::array<ChartPeriod, 7> kChartPeriods = {
    ChartPeriod::OneDay,  ChartPeriod::FiveDays, ChartPeriod::ThreeMonths, ChartPeriod::SixMonths,
    ChartPeriod::OneYear, ChartPeriod::TwoYears, ChartPeriod::FiveYears};

// "1 giorno", "5 giorni", "3 mesi", "6 mesi", "1 anno", "2 anni", "5 anni", as the
// menu entries name them.
inline std::string_view chartPeriodTitle(ChartPeriod period)
{
    constexpr std::array<std::string_view, 7> kTitles = {"1 giorno", "5 giorni", "3 mesi", "6 mesi",
                                                         "1 anno",   "2 anni",   "5 anni"};
    return kTitles[static_cast<std::size_t>(period)];
}

// The period of the menu entries' numbers 1 to 7; nothing for any other.
inline std::optional<ChartPeriod> chartPeriodFromNumber(int number)
{
    if (number < 1 || number > static_cast<int>(kChartPeriods.size()))
        return std::nullopt;
    return kChartPeriods[static_cast<std::size_t>(number - 1)];
}

// One price of a security's history: on a day, at a time of day (Italian time) when
// the price is a trade's, with none when it is the day's.
struct PricePoint
{
    Date day;
    std::optional<TimeOfDay> time;
    double value = 0.0;

    bool operator==(const PricePoint&) const = default;
};

// A security's prices over a period, oldest first, as a chart page shows them.
struct PriceSeries
{
    std::string symbol;   // as the user wrote it (Windows-1252)
    std::string name;     // as the source names it (Windows-1252), empty when it names none
    std::string currency; // empty when the source names none
    std::vector<PricePoint> points;

    bool operator==(const PriceSeries&) const = default;
};

} // namespace listorix
