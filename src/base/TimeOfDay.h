#pragma once

#include <compare>
#include <optional>

namespace listorix {

// A time of day to the second, from 0:00:00 to 23:59:59. Defaults to midnight,
// which is also what an unreadable stored time stands for.
class TimeOfDay final
{
public:
    static constexpr int kSecondsPerDay = 24 * 60 * 60;

    TimeOfDay() = default;

    static std::optional<TimeOfDay> fromHms(int hour, int minute, int second);
    // From a fraction of a day (the chart's time axis): the date part is dropped
    // and the rest rounded to the nearest second; a value that is not finite gives midnight.
    static TimeOfDay fromDayFraction(double fraction);

    int secondsSinceMidnight() const { return m_seconds; }
    int hour() const { return m_seconds / 3600; }
    int minute() const { return m_seconds / 60 % 60; }
    int second() const { return m_seconds % 60; }
    double dayFraction() const { return static_cast<double>(m_seconds) / kSecondsPerDay; }

    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
    friend std::strong_ordering operator<=>(const TimeOfDay&, const TimeOfDay&) = default;

private:
    explicit TimeOfDay(int seconds) : m_seconds(seconds) {}

    int m_seconds = 0;
};

} // namespace listorix
