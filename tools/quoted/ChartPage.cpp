#include "quoted/ChartPage.h"

#include "base/PercentEncoding.h"
#include "quoted/QueryString.h"
#include "quoted/TextFormat.h"
#include "quoted/TradingCalendar.h"

#include <algorithm>
#include <cmath>

namespace listorix::quoted {

namespace {

constexpr double kWidth = 720;
constexpr double kHeight = 360;
constexpr double kLeft = 70;
constexpr double kRight = 700;
constexpr double kTop = 20;
constexpr double kBottom = 320;

constexpr std::string_view kMonths[] = {"gen", "feb", "mar", "apr", "mag", "giu",
                                        "lug", "ago", "set", "ott", "nov", "dic"};

std::string_view periodCaption(ChartPeriod period)
{
    switch (period) {
    case ChartPeriod::OneDay:
        return "1 giorno";
    case ChartPeriod::FiveDays:
        return "5 giorni";
    case ChartPeriod::ThreeMonths:
        return "3 mesi";
    case ChartPeriod::SixMonths:
        return "6 mesi";
    case ChartPeriod::OneYear:
        return "1 anno";
    case ChartPeriod::TwoYears:
        return "2 anni";
    case ChartPeriod::FiveYears:
        return "5 anni";
    }
    return "";
}

std::string coordinate(double value)
{
    return text::fixed(value, 1);
}

std::string pageHead(std::string_view title)
{
    return "<!DOCTYPE html>\r\n<html lang=\"it\"><head><meta charset=\"windows-1252\">\r\n<title>" +
           std::string(title) +
           "</title>\r\n<style>body{font-family:Arial,Helvetica,sans-serif;margin:16px;color:#222}"
           "h1{font-size:20px;margin:0 0 4px}h1 small{color:#666;font-weight:normal}"
           ".up{color:#070}.down{color:#c00}.periods a{margin:0 2px}"
           ".note{color:#777;font-size:11px}svg{border:1px solid #ccc;background:#fff}</style>\r\n"
           "</head>\r\n<body>\r\n";
}

const char* pageFoot()
{
    return "<p class=\"note\">Servizio quotazioni dimostrativo di Listorix: i prezzi sono inventati e non "
           "riflettono il mercato reale.</p>\r\n</body></html>\r\n";
}

struct Axis
{
    double low;
    double high;
    double y(double price) const { return kBottom - (price - low) / (high - low) * (kBottom - kTop); }
};

Axis valueAxis(const std::vector<ChartPoint>& points, double reference, int decimals)
{
    double low = reference;
    double high = reference;
    for (const ChartPoint& point : points) {
        low = std::min(low, point.price);
        high = std::max(high, point.price);
    }
    const double margin = std::max((high - low) * 0.08, std::pow(10.0, -decimals) * 2);
    return {low - margin, high + margin};
}

// The x position of each point, and the labels under the axis.
struct Layout
{
    std::vector<double> xs;
    std::vector<std::pair<double, std::string>> labels;
};

Layout layoutOf(const std::vector<ChartPoint>& points, ChartPeriod period, bool dailyOnly,
                const trading::Schedule& schedule)
{
    Layout layout;
    const double span = kRight - kLeft;
    const int open = schedule.openMinute();
    const double minutes = schedule.sessionMinutes();
    if (period == ChartPeriod::OneDay && !dailyOnly) {
        for (const ChartPoint& point : points)
            layout.xs.push_back(kLeft + span * (point.minuteOfDay - open) / minutes);
        // Every hour of the exchange's session; every third of a day-long one.
        const int step = minutes > 12 * 60 ? 3 : 1;
        for (int hour = (open + 59) / 60; hour * 60 <= schedule.closeMinute(); hour += step)
            layout.labels.emplace_back(kLeft + span * (hour * 60 - open) / minutes,
                                       std::to_string(hour) + ":00");
        return layout;
    }
    if (period == ChartPeriod::FiveDays && !dailyOnly) {
        std::vector<std::int64_t> days;
        for (const ChartPoint& point : points) {
            if (days.empty() || days.back() != point.day)
                days.push_back(point.day);
        }
        const double dayWidth = span / 5;
        for (const ChartPoint& point : points) {
            const auto index = std::find(days.begin(), days.end(), point.day) - days.begin();
            layout.xs.push_back(
                kLeft + dayWidth * (static_cast<double>(index) + (point.minuteOfDay - open) / minutes));
        }
        for (std::size_t i = 0; i < days.size(); ++i) {
            const CivilDate date = dateFromDayNumber(days[i]);
            layout.labels.emplace_back(kLeft + dayWidth * static_cast<double>(i) + 4,
                                       text::italianDate(date).substr(0, 5));
        }
        return layout;
    }

    const std::size_t n = points.size();
    int monthStep = 1;
    if (period == ChartPeriod::OneYear)
        monthStep = 2;
    else if (period == ChartPeriod::TwoYears)
        monthStep = 3;
    else if (period == ChartPeriod::FiveYears)
        monthStep = 12;
    int lastMonth = -1;
    for (std::size_t i = 0; i < n; ++i) {
        const double x =
            n > 1 ? kLeft + span * static_cast<double>(i) / static_cast<double>(n - 1) : kLeft + span / 2;
        layout.xs.push_back(x);
        const CivilDate date = dateFromDayNumber(points[i].day);
        const int monthIndex = date.year * 12 + date.month - 1;
        if (lastMonth >= 0 && monthIndex != lastMonth && (date.month - 1) % monthStep == 0) {
            const std::string label = monthStep == 12 ? std::to_string(date.year)
                                                      : std::string(kMonths[date.month - 1]) + ' ' +
                                                            std::to_string(date.year % 100 / 10) +
                                                            std::to_string(date.year % 10);
            layout.labels.emplace_back(x, label);
        }
        lastMonth = monthIndex;
    }
    return layout;
}

std::string drawChart(const std::vector<ChartPoint>& points, ChartPeriod period, bool dailyOnly,
                      const trading::Schedule& schedule, double reference, bool showReference, int decimals,
                      std::string_view caption)
{
    const Axis axis = valueAxis(points, showReference ? reference : points.front().price, decimals);
    const Layout layout = layoutOf(points, period, dailyOnly, schedule);
    const bool rising = points.back().price >= (showReference ? reference : points.front().price);

    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"720\" height=\"360\" viewBox=\"0 0 " +
        coordinate(kWidth) + ' ' + coordinate(kHeight) + "\" role=\"img\" aria-label=\"" +
        std::string(caption) + "\">\r\n";
    // Value grid with labels.
    for (int i = 0; i <= 4; ++i) {
        const double value = axis.low + (axis.high - axis.low) * i / 4;
        const std::string y = coordinate(axis.y(value));
        svg += "<line x1=\"" + coordinate(kLeft) + "\" y1=\"" + y + "\" x2=\"" + coordinate(kRight) +
               "\" y2=\"" + y + "\" stroke=\"#e4e4e4\"/>";
        svg += "<text x=\"" + coordinate(kLeft - 6) + "\" y=\"" + coordinate(axis.y(value) + 4) +
               "\" font-size=\"11\" text-anchor=\"end\" fill=\"#555\">" +
               text::italianNumber(value, decimals) + "</text>\r\n";
    }
    for (const auto& [x, label] : layout.labels) {
        svg += "<line x1=\"" + coordinate(x) + "\" y1=\"" + coordinate(kTop) + "\" x2=\"" + coordinate(x) +
               "\" y2=\"" + coordinate(kBottom) + "\" stroke=\"#f0f0f0\"/>";
        svg += "<text x=\"" + coordinate(x) + "\" y=\"" + coordinate(kBottom + 16) +
               "\" font-size=\"11\" text-anchor=\"middle\" fill=\"#555\">" + text::htmlEscape(label) +
               "</text>\r\n";
    }
    svg += "<rect x=\"" + coordinate(kLeft) + "\" y=\"" + coordinate(kTop) + "\" width=\"" +
           coordinate(kRight - kLeft) + "\" height=\"" + coordinate(kBottom - kTop) +
           "\" fill=\"none\" stroke=\"#999\"/>\r\n";
    if (showReference) {
        const std::string y = coordinate(axis.y(reference));
        svg += "<line class=\"reference\" x1=\"" + coordinate(kLeft) + "\" y1=\"" + y + "\" x2=\"" +
               coordinate(kRight) + "\" y2=\"" + y + "\" stroke=\"#888\" stroke-dasharray=\"4 3\"/>\r\n";
    }
    if (points.size() == 1) {
        svg += "<circle cx=\"" + coordinate(layout.xs[0]) + "\" cy=\"" + coordinate(axis.y(points[0].price)) +
               "\" r=\"3\" fill=\"" + (rising ? "#070" : "#c00") + "\"/>\r\n";
    } else {
        svg += "<polyline fill=\"none\" stroke-width=\"1.5\" stroke=\"" +
               std::string(rising ? "#070" : "#c00") + "\" points=\"";
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                svg += ' ';
            svg += coordinate(layout.xs[i]) + ',' + coordinate(axis.y(points[i].price));
        }
        svg += "\"/>\r\n";
    }
    svg += "</svg>\r\n";
    return svg;
}

} // namespace

std::string buildChartPage(const Market& market, const Security& security, const LocalDateTime& now,
                           ChartPeriod period)
{
    const Quote quote = market.quote(security, now);
    const std::vector<ChartPoint> points = market.chart(security, now, period);
    const std::string name = text::htmlEscape(security.name);
    const std::string symbol = text::htmlEscape(security.symbol);
    const std::string caption = "Grafico " + std::string(periodCaption(period));

    std::string page = pageHead(name + " (" + symbol + ") - " + caption);
    page += "<h1>" + name + " <small>" + symbol + "</small></h1>\r\n";
    if (quote.sessionDetail) {
        const double change = quote.last - quote.previousClose;
        const double percent = change / quote.previousClose * 100.0;
        const std::string sign = change >= 0 ? "+" : "";
        page += "<p class=\"quote\">Ultimo: <b class=\"last\">" +
                text::italianNumber(quote.last, quote.decimals) + "</b> <span class=\"" +
                (change >= 0 ? "up" : "down") + "\">" + sign + text::italianNumber(change, quote.decimals) +
                " (" + sign + text::italianNumber(percent, 2) + "%)</span> &mdash; " +
                text::italianDate(quote.date) + " ore " + text::clockTime(quote.minuteOfDay) + "</p>\r\n";
    } else {
        page += "<p class=\"quote\">Ultima quota: <b class=\"last\">" +
                text::italianNumber(quote.last, quote.decimals) + "</b> del " +
                text::italianDate(quote.date) + "</p>\r\n";
    }
    page += "<p class=\"periods\">Grafico:";
    for (ChartPeriod other : kAllChartPeriods) {
        if (other == period)
            page += " <b>" + std::string(periodCaption(other)) + "</b>";
        else
            page += " <a href=\"/q/bc?s=" + percentEncode(security.symbol) +
                    "&amp;t=" + std::string(chartPeriodCode(other)) + "\">" +
                    std::string(periodCaption(other)) + "</a>";
    }
    page += "</p>\r\n";
    const bool intraday =
        quote.sessionDetail && (period == ChartPeriod::OneDay || period == ChartPeriod::FiveDays);
    if (points.empty())
        page += "<p>Nessun dato per il periodo.</p>\r\n";
    else
        page += drawChart(points, period, !quote.sessionDetail, market.schedule(), quote.previousClose,
                          intraday && period == ChartPeriod::OneDay, quote.decimals, caption);
    page += pageFoot();
    return page;
}

std::string buildUnknownSymbolPage(std::string_view symbol)
{
    std::string page = pageHead("Titolo sconosciuto");
    page += "<h1>Titolo sconosciuto</h1>\r\n<p>Il simbolo &laquo;" + text::htmlEscape(symbol) +
            "&raquo; non &egrave; quotato da questo servizio.</p>\r\n";
    page += pageFoot();
    return page;
}

} // namespace listorix::quoted
