#pragma once

#include <compare>
#include <optional>

namespace listorix {

// A calendar day, or the null date ("no day", what an unreadable date becomes).
// A non-null Date always names a real day between the years 1 and 9999.
class Date final
{
public:
    Date() = default;

    static std::optional<Date> fromYmd(int year, int month, int day);

    bool isNull() const { return m_year == 0; }
    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }

    friend bool operator==(const Date&, const Date&) = default;
    friend std::strong_ordering operator<=>(const Date&, const Date&) = default;

private:
    Date(int year, int month, int day) : m_year(year), m_month(month), m_day(day) {}

    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
};

} // namespace listorix
