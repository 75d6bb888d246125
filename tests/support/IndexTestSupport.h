#pragma once

#include "base/Date.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"

#include <ostream>

// Readable failure messages for the index panel and chart values.
namespace listorix {

inline void PrintTo(const ChartPoint& point, std::ostream* out)
{
    *out << '(' << point.x << ", " << point.y << ')';
}

inline void PrintTo(const AxisRange& range, std::ostream* out)
{
    *out << '[' << range.minimum << ", " << range.maximum << ']';
}

inline void PrintTo(const PanelText& text, std::ostream* out)
{
    *out << '"' << text.text << "\" colour " << text.colour;
}

inline void PrintTo(const Date& date, std::ostream* out)
{
    *out << date.year() << '-' << date.month() << '-' << date.day();
}

} // namespace listorix
