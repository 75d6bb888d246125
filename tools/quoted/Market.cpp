#include "quoted/Market.h"

#include "base/CaseFold.h"
#include "quoted/TextFormat.h"
#include "quoted/TradingCalendar.h"

#include <algorithm>
#include <cmath>

namespace listorix::quoted {

namespace {

WalkParameters parametersFor(Category category)
{
    switch (category) {
    case Category::Index:
        return {0.08, 0.03, 0.009, 0.002, 0.006};
    case Category::Share:
        return {0.12, 0.05, 0.015, 0.004, 0.010};
    case Category::Bond:
        return {0.015, 0.004, 0.0015, 0.0004, 0.0010};
    case Category::Derivative:
        return {0.35, 0.15, 0.045, 0.012, 0.030};
    case Category::Fund:
        return {0.08, 0.03, 0.007, 0.0, 0.0};
    }
    return {};
}

double roundTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::max(std::round(value * scale), 1.0) / scale;
}

CivilDate addMonths(const CivilDate& date, int months)
{
    int index = date.year * 12 + (date.month - 1) + months;
    CivilDate result{index / 12, index % 12 + 1, date.day};
    result.day = std::min(result.day, daysInMonth(result.year, result.month));
    return result;
}

int monthsOf(ChartPeriod period)
{
    switch (period) {
    case ChartPeriod::ThreeMonths:
        return 3;
    case ChartPeriod::SixMonths:
        return 6;
    case ChartPeriod::OneYear:
        return 12;
    case ChartPeriod::TwoYears:
        return 24;
    case ChartPeriod::FiveYears:
        return 60;
    default:
        return 0;
    }
}

// Units traded in a session up to a minute; indices have none, bonds trade in nominal
// thousands.
std::int64_t tradedVolume(const PriceWalk& walk, const Security& security, std::int64_t day, int minute)
{
    if (security.category == Category::Index)
        return 0;
    const std::int64_t volume = walk.volumeUpTo(day, minute, security.dailyVolume);
    return security.category == Category::Bond ? volume - volume % 1000 : volume;
}

} // namespace

std::optional<ChartPeriod> chartPeriodFromCode(std::string_view code)
{
    for (ChartPeriod period : kAllChartPeriods) {
        if (chartPeriodCode(period) == code)
            return period;
    }
    return std::nullopt;
}

std::string_view chartPeriodCode(ChartPeriod period)
{
    switch (period) {
    case ChartPeriod::OneDay:
        return "1d";
    case ChartPeriod::FiveDays:
        return "5d";
    case ChartPeriod::ThreeMonths:
        return "3m";
    case ChartPeriod::SixMonths:
        return "6m";
    case ChartPeriod::OneYear:
        return "1y";
    case ChartPeriod::TwoYears:
        return "2y";
    case ChartPeriod::FiveYears:
        return "5y";
    }
    return "1d";
}

Market::Market(std::vector<Security> securities, std::uint64_t seed, trading::Schedule schedule)
    : m_securities(std::move(securities)), m_seed(seed), m_schedule(schedule)
{
    for (std::size_t i = 0; i < m_securities.size(); ++i) {
        m_bySymbol.emplace(asciiUpper(m_securities[i].symbol), i);
        if (m_securities[i].category == Category::Fund)
            m_fundsBySearchSymbol.emplace(fundSearchSymbol(m_securities[i]), i);
    }
}

std::string Market::fundSearchSymbol(const Security& security)
{
    if (security.category != Category::Fund)
        return {};
    // FNV-1a of the symbol, four base-36 digits of it.
    std::uint32_t hash = 2166136261u;
    for (const char c : asciiUpper(security.symbol)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    constexpr std::string_view kDigits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string symbol = "0P0000";
    for (int i = 0; i < 4; ++i) {
        symbol += kDigits[hash % 36];
        hash /= 36;
    }
    return symbol;
}

const Security* Market::findFundBySearchSymbol(std::string_view symbol) const
{
    const auto found = m_fundsBySearchSymbol.find(asciiUpper(symbol));
    return found == m_fundsBySearchSymbol.end() ? nullptr : &m_securities[found->second];
}

const Security* Market::findFundByIsin(std::string_view isin) const
{
    const std::string code = asciiUpper(isin.substr(0, isin.find('.')));
    if (code.empty())
        return nullptr;
    for (const Security& security : m_securities) {
        if (security.category == Category::Fund &&
            asciiUpper(std::string_view(security.symbol).substr(0, security.symbol.find('.'))) == code)
            return &security;
    }
    return nullptr;
}

double Market::closeBefore(const Security& security, const LocalDateTime& now, int sessions) const
{
    std::int64_t day = security.category == Category::Fund
                           ? m_schedule.previousTradingDay(dayNumber(now.date))
                           : m_schedule.sessionAt(now).day;
    for (int i = 0; i < sessions; ++i)
        day = m_schedule.previousTradingDay(day);
    return roundTo(std::exp(walkFor(security).logClose(day)), decimalsFor(security));
}

const Security* Market::find(std::string_view symbol) const
{
    const auto found = m_bySymbol.find(asciiUpper(symbol));
    return found == m_bySymbol.end() ? nullptr : &m_securities[found->second];
}

int Market::decimalsFor(const Security& security)
{
    const double price = security.referencePrice;
    switch (security.category) {
    case Category::Index:
    case Category::Bond:
        return 2;
    case Category::Share:
        return price < 1.0 ? 4 : price < 100.0 ? 3 : 2;
    case Category::Derivative:
        return price < 1.0 ? 4 : 3;
    case Category::Fund:
        return 3;
    }
    return 2;
}

PriceWalk Market::walkFor(const Security& security) const
{
    return PriceWalk(m_seed, security.symbol, security.referencePrice, parametersFor(security.category),
                     m_schedule);
}

Quote Market::quote(const Security& security, const LocalDateTime& now) const
{
    const PriceWalk walk = walkFor(security);
    Quote quote;
    quote.decimals = decimalsFor(security);

    if (security.category == Category::Fund) {
        const std::int64_t navDay = m_schedule.previousTradingDay(dayNumber(now.date));
        quote.sessionDetail = false;
        quote.last = roundTo(std::exp(walk.logClose(navDay)), quote.decimals);
        quote.date = dateFromDayNumber(navDay);
        quote.minuteOfDay = m_schedule.closeMinute();
        return quote;
    }

    const trading::Session session = m_schedule.sessionAt(now);
    const std::vector<double> path = walk.sessionPath(session.day);
    const auto reached = path.begin() + session.minute + 1;
    quote.last = roundTo(std::exp(path[static_cast<std::size_t>(session.minute)]), quote.decimals);
    quote.open = roundTo(std::exp(path.front()), quote.decimals);
    quote.low = roundTo(std::exp(*std::min_element(path.begin(), reached)), quote.decimals);
    quote.high = roundTo(std::exp(*std::max_element(path.begin(), reached)), quote.decimals);
    quote.previousClose =
        roundTo(std::exp(walk.logClose(m_schedule.previousTradingDay(session.day))), quote.decimals);
    quote.date = dateFromDayNumber(session.day);
    quote.minuteOfDay = m_schedule.openMinute() + session.minute;
    quote.volume = tradedVolume(walk, security, session.day, session.minute);
    return quote;
}

std::vector<DayBar> Market::dayBars(const Security& security, const LocalDateTime& now, int months) const
{
    std::vector<DayBar> bars;
    if (security.category == Category::Fund)
        return bars;
    const PriceWalk walk = walkFor(security);
    const int decimals = decimalsFor(security);
    const trading::Session session = m_schedule.sessionAt(now);
    const std::int64_t first = dayNumber(addMonths(dateFromDayNumber(session.day), -months)) + 1;
    for (std::int64_t day = first; day < session.day; ++day) {
        if (!m_schedule.isTradingDay(day))
            continue;
        const std::vector<double> path = walk.sessionPath(day);
        const auto [low, high] = std::minmax_element(path.begin(), path.end());
        // The close as the next day's quote gives it.
        const double close = roundTo(std::exp(walk.logClose(day)), decimals);
        bars.push_back({day, m_schedule.closeMinute(), roundTo(std::exp(path.front()), decimals),
                        std::min(roundTo(std::exp(*low), decimals), close),
                        std::max(roundTo(std::exp(*high), decimals), close), close,
                        tradedVolume(walk, security, day, m_schedule.sessionMinutes())});
    }
    const Quote current = quote(security, now);
    bars.push_back({session.day, current.minuteOfDay, current.open, current.low, current.high, current.last,
                    current.volume});
    return bars;
}

std::vector<ChartPoint> Market::chart(const Security& security, const LocalDateTime& now,
                                      ChartPeriod period) const
{
    const PriceWalk walk = walkFor(security);
    const int decimals = decimalsFor(security);
    std::vector<ChartPoint> points;

    if (security.category == Category::Fund) {
        // Funds have one price a day: the short periods show the last few of them.
        const std::int64_t navDay = m_schedule.previousTradingDay(dayNumber(now.date));
        std::int64_t first = navDay;
        const int months = monthsOf(period);
        if (months == 0) {
            for (int n = period == ChartPeriod::OneDay ? 1 : 5; n > 0; --n)
                first = m_schedule.previousTradingDay(first);
        } else {
            first = dayNumber(addMonths(dateFromDayNumber(navDay), -months)) + 1;
        }
        const std::vector<double> closes = walk.logCloses(first, navDay);
        for (std::int64_t day = first; day <= navDay; ++day) {
            if (m_schedule.isTradingDay(day))
                points.push_back(
                    {day, m_schedule.closeMinute(),
                     roundTo(std::exp(closes[static_cast<std::size_t>(day - first)]), decimals)});
        }
        return points;
    }

    const trading::Session session = m_schedule.sessionAt(now);
    auto addSession = [&](std::int64_t day, int lastMinute, int step) {
        const std::vector<double> path = walk.sessionPath(day);
        for (int m = 0; m <= lastMinute; m += step)
            points.push_back({day, m_schedule.openMinute() + m,
                              roundTo(std::exp(path[static_cast<std::size_t>(m)]), decimals)});
        if (lastMinute % step != 0)
            points.push_back({day, m_schedule.openMinute() + lastMinute,
                              roundTo(std::exp(path[static_cast<std::size_t>(lastMinute)]), decimals)});
    };

    if (period == ChartPeriod::OneDay) {
        addSession(session.day, session.minute, 1);
        return points;
    }
    if (period == ChartPeriod::FiveDays) {
        std::int64_t days[5];
        days[4] = session.day;
        for (int i = 3; i >= 0; --i)
            days[i] = m_schedule.previousTradingDay(days[i + 1]);
        for (int i = 0; i < 4; ++i)
            addSession(days[i], m_schedule.sessionMinutes(), 5);
        addSession(session.day, session.minute, 5);
        return points;
    }

    const std::int64_t first = dayNumber(addMonths(dateFromDayNumber(session.day), -monthsOf(period))) + 1;
    const std::vector<double> closes = walk.logCloses(first, session.day - 1);
    for (std::int64_t day = first; day < session.day; ++day) {
        if (m_schedule.isTradingDay(day))
            points.push_back({day, m_schedule.closeMinute(),
                              roundTo(std::exp(closes[static_cast<std::size_t>(day - first)]), decimals)});
    }
    // The last point is the current price, as the quote gives it.
    const Quote current = quote(security, now);
    points.push_back({session.day, current.minuteOfDay, current.last});
    return points;
}

} // namespace listorix::quoted
