#pragma once

#include "quoted/CivilTime.h"
#include "quoted/PriceWalk.h"
#include "quoted/Security.h"
#include "quoted/TradingCalendar.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace listorix::quoted {

// A security's state at a moment, prices already rounded to the security's decimals.
struct Quote
{
    double last = 0.0;
    CivilDate date;            // of the last price
    int minuteOfDay = 0;       // of the last price, Italian time
    bool sessionDetail = true; // false for funds: they have a closing price and date only
    double open = 0.0;
    double low = 0.0;
    double high = 0.0;
    double previousClose = 0.0;
    std::int64_t volume = 0;
    int decimals = 2;
};

enum class ChartPeriod
{
    OneDay,
    FiveDays,
    ThreeMonths,
    SixMonths,
    OneYear,
    TwoYears,
    FiveYears
};
// "1d", "5d", "3m", "6m", "1y", "2y", "5y".
std::optional<ChartPeriod> chartPeriodFromCode(std::string_view code);
std::string_view chartPeriodCode(ChartPeriod period);
inline constexpr ChartPeriod kAllChartPeriods[] = {
    ChartPeriod::OneDay,  ChartPeriod::FiveDays, ChartPeriod::ThreeMonths, ChartPeriod::SixMonths,
    ChartPeriod::OneYear, ChartPeriod::TwoYears, ChartPeriod::FiveYears};

struct ChartPoint
{
    std::int64_t day = 0;
    int minuteOfDay = 0;
    double price = 0.0;
};

// One trading day of a security: the session's open, low, high and last price (its
// close once the session has ended), and the units traded.
struct DayBar
{
    std::int64_t day = 0;
    int minuteOfDay = 0; // of the last price
    double open = 0.0;
    double low = 0.0;
    double high = 0.0;
    double last = 0.0;
    std::int64_t volume = 0;
};

// The simulated market: the known securities and their prices at any moment.
class Market final
{
public:
    Market(std::vector<Security> securities, std::uint64_t seed,
           trading::Schedule schedule = trading::Schedule::exchange());

    // The security of a symbol, letter case ignored; none for an unknown symbol.
    const Security* find(std::string_view symbol) const;
    // The quote service's own symbol of a fund, which its search gives for the
    // fund's ISIN and its chart endpoint answers: "0P0000" and four letters or
    // digits, invented from the fund's symbol. Empty for anything but a fund.
    static std::string fundSearchSymbol(const Security& security);
    // The fund of such a symbol, letter case ignored.
    const Security* findFundBySearchSymbol(std::string_view symbol) const;
    // The fund whose symbol is the ISIN, with or without a market suffix (".MI").
    const Security* findFundByIsin(std::string_view isin) const;
    const std::vector<Security>& securities() const { return m_securities; }
    const trading::Schedule& schedule() const { return m_schedule; }

    // During a session of the schedule the current minute's prices; outside it the last close. Funds
    // give the closing price of the last trading day before today.
    Quote quote(const Security& security, const LocalDateTime& now) const;
    // Prices for a chart of the period that ends now: every minute of the session for
    // one day, every five minutes for five days, daily closes for longer periods.
    std::vector<ChartPoint> chart(const Security& security, const LocalDateTime& now,
                                  ChartPeriod period) const;

    // The trading days of the last `months` months up to the current session, oldest
    // first; the last is the current session as quote() gives it, the one before closes
    // at the quote's previous close. None for funds (one price a day, no session).
    std::vector<DayBar> dayBars(const Security& security, const LocalDateTime& now, int months) const;

    // The close `sessions` trading days before the current session (1: the previous
    // close the quote gives); for a fund, before its last price.
    double closeBefore(const Security& security, const LocalDateTime& now, int sessions) const;

    static int decimalsFor(const Security& security);

private:
    PriceWalk walkFor(const Security& security) const;

    std::vector<Security> m_securities;
    std::unordered_map<std::string, std::size_t> m_bySymbol;
    std::unordered_map<std::string, std::size_t> m_fundsBySearchSymbol;
    std::uint64_t m_seed;
    trading::Schedule m_schedule;
};

} // namespace listorix::quoted
