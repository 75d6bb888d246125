#pragma once

#include "quoted/CivilTime.h"

#include <cstdint>

namespace listorix::quoted {

// The Milan exchange's trading days and hours as the service plays them: Monday to
// Friday, 9:00 to 17:30, closed on New Year's Day, Good Friday, Easter Monday, 1 May,
// 15 August and 24 to 26 and 31 December.
namespace trading {

inline constexpr int kOpenMinute = 9 * 60;
inline constexpr int kCloseMinute = 17 * 60 + 30;
inline constexpr int kSessionMinutes = kCloseMinute - kOpenMinute;

CivilDate easterSunday(int year);
bool isTradingDay(std::int64_t dayNumber);
// The last trading day strictly before the given day.
std::int64_t previousTradingDay(std::int64_t dayNumber);

// The session whose prices are current at a moment: the day itself once it has
// opened, else the last trading day before it; and the minute of that session reached
// (0 at the open, kSessionMinutes at the close and after), on the exchange's days and hours.
struct Session
{
    std::int64_t day = 0;
    int minute = 0;
};
Session sessionAt(const LocalDateTime& now);

// When the simulated market trades: the exchange's days and hours as above, or, so that
// the demonstration moves whenever someone tries it, every day around the clock
// (00:00 to 23:59).
class Schedule final
{
public:
    static Schedule exchange() { return Schedule(false); }
    static Schedule alwaysOpen() { return Schedule(true); }

    bool isAlwaysOpen() const { return m_alwaysOpen; }
    int openMinute() const { return m_alwaysOpen ? 0 : kOpenMinute; }
    int closeMinute() const { return m_alwaysOpen ? 24 * 60 - 1 : kCloseMinute; }
    int sessionMinutes() const { return closeMinute() - openMinute(); }
    bool isTradingDay(std::int64_t dayNumber) const;
    std::int64_t previousTradingDay(std::int64_t dayNumber) const;
    // As sessionAt above, with this schedule's days and hours.
    Session sessionAt(const LocalDateTime& now) const;

private:
    explicit Schedule(bool alwaysOpen) : m_alwaysOpen(alwaysOpen) {}
    bool m_alwaysOpen;
};

} // namespace trading
} // namespace listorix::quoted
