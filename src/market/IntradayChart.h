#pragma once

#include "base/ChangeNotifier.h"
#include "base/Colour.h"
#include "base/Date.h"

#include <string>
#include <vector>

namespace listorix {

// One point of an index line: X the time of day as a fraction of a day (no date
// part), Y the index's percentage change.
struct ChartPoint
{
    double x = 0;
    double y = 0;

    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct AxisRange
{
    double minimum = 0;
    double maximum = 0;

    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

// A line of the intraday chart. Only its chart changes its points.
class ChartSeries final
{
public:
    ChartSeries(const ChartSeries&) = delete;
    ChartSeries& operator=(const ChartSeries&) = delete;

    const std::string& title() const { return m_title; }
    TColor colour() const { return m_colour; }
    const std::vector<ChartPoint>& points() const { return m_points; }
    bool hasPointAt(double x) const;

private:
    friend class IntradayChart;
    ChartSeries(std::string title, TColor colour);

    std::string m_title;
    TColor m_colour;
    std::vector<ChartPoint> m_points;
};

// The day's index chart: three lines of percentage change against time of day,
// a time axis and a value axis that only widen until the next reset, and the
// trading day the points belong to. A view draws what it holds and redraws on
// the change notice. Main thread only.
class IntradayChart final
{
public:
    static constexpr double kOneHour = 1.0 / 24;

    IntradayChart();
    IntradayChart(const IntradayChart&) = delete;
    IntradayChart& operator=(const IntradayChart&) = delete;

    // Empties the three lines; the time axis back to 0:00-1:00, the value axis to ±0,1.
    void ResetChart();
    // Appends (x, y) and widens the axes to show it; a line that already has a
    // point at exactly this x (or a value that is not finite, or a line of
    // another chart) is left as it is and the axes too. True when added.
    bool AddChartPoint(ChartSeries& series, double x, double y);
    // Removes one line's points; the axes stay as they are.
    void clearSeries(ChartSeries& series);

    // Bottom axis, in fractions of a day; labelled "h:mm".
    const AxisRange& timeAxis() const { return m_timeAxis; }
    // Left axis, in percent.
    const AxisRange& valueAxis() const { return m_valueAxis; }

    void setObserver(ChangeNotifier::Observer observer) { m_notifier.setObserver(std::move(observer)); }
    ChangeNotifier::Batch batchChanges() { return ChangeNotifier::Batch(m_notifier); }

    ChartSeries Series1; // "MIBTEL", red
    ChartSeries Series2; // "MIB30", green
    ChartSeries Series4; // "MIDEX", blue

    // The trading day of the points; the null date means none. Set by the index
    // answer and by the saved series at start-up; nothing draws it, so changing
    // it sends no notice.
    Date SeriesDate;

private:
    bool owns(const ChartSeries& series) const;

    // Before the first reset the axes stand as the window lays them out.
    AxisRange m_timeAxis{0, kOneHour};
    AxisRange m_valueAxis{-1, 1};
    ChangeNotifier m_notifier;
};

} // namespace listorix
