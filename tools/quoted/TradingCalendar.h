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
// (0 at the open, kSessionMinutes at the close and after).
struct Session
{
    std::int64_t day = 0;
    int minute = 0;
    bool live() const { return minute < kSessionMinutes; }
};
Session sessionAt(const LocalDateTime& now);

} // namespace trading
} // namespace listorix::quoted
