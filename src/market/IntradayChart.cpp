#include "market/IntradayChart.h"

#include <algorithm>
#include <cmath>

namespace listorix {

namespace {

constexpr TColor kSeriesGreen = rgbColour(0, 128, 0);
constexpr double kStartValueRange = 0.1;

} // namespace

ChartSeries::ChartSeries(std::string title, TColor colour) : m_title(std::move(title)), m_colour(colour) {}

bool ChartSeries::hasPointAt(double x) const
{
    return std::any_of(m_points.begin(), m_points.end(), [x](const ChartPoint& p) { return p.x == x; });
}

IntradayChart::IntradayChart()
    : Series1("MIBTEL", clRed), Series2("MIB30", kSeriesGreen), Series4("MIDEX", clBlue)
{
}

bool IntradayChart::owns(const ChartSeries& series) const
{
    return &series == &Series1 || &series == &Series2 || &series == &Series4;
}

void IntradayChart::ResetChart()
{
    Series1.m_points.clear();
    Series2.m_points.clear();
    Series4.m_points.clear();
    m_timeAxis = {0, kOneHour};
    m_valueAxis = {-kStartValueRange, kStartValueRange};
    m_notifier.changed();
}

bool IntradayChart::AddChartPoint(ChartSeries& series, double x, double y)
{
    if (!owns(series) || !std::isfinite(x) || !std::isfinite(y) || series.hasPointAt(x))
        return false;

    // The first point after a reset (minimum still 0) fixes the left edge; the
    // window is at least an hour wide and otherwise grows to take each point in.
    AxisRange time = m_timeAxis;
    if (x <= time.minimum || time.minimum == 0)
        time.minimum = x;
    if (x >= time.maximum)
        time.maximum = x;
    if (time.maximum < time.minimum + kOneHour)
        time.maximum = time.minimum + kOneHour;
    // Both ends change together: the new minimum may lie beyond the old maximum,
    // which an axis that checks its ends one at a time would refuse, so views
    // apply the range as a whole.
    m_timeAxis = time;

    // Whole percent steps, never narrowing until the next reset.
    if (y >= m_valueAxis.maximum)
        m_valueAxis.maximum = std::trunc(y + 1);
    if (y <= m_valueAxis.minimum)
        m_valueAxis.minimum = std::trunc(y - 1);

    series.m_points.push_back({x, y});
    m_notifier.changed();
    return true;
}

void IntradayChart::clearSeries(ChartSeries& series)
{
    if (!owns(series) || series.m_points.empty())
        return;
    series.m_points.clear();
    m_notifier.changed();
}

} // namespace listorix
