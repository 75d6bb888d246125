#include "export/ChartPage.h"

#include "base/ItalianTime.h"
#include "base/NumberFormat.h"
#include "export/HtmlEscape.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace listorix {

namespace {

// The drawing's size and the room its axes' labels take.
constexpr int kWidth = 760;
constexpr int kHeight = 380;
constexpr int kLeft = 90;
constexpr int kRight = 20;
constexpr int kTop = 20;
constexpr int kBottom = 60;
constexpr int kValueTicks = 5;
constexpr int kTimeTicks = 6;

constexpr std::string_view kNoDataText =
    "La sorgente web non ha dati di questo titolo per il periodo scelto.";

// Prices keep the decimals they have, 2 to 4; a single-precision step is no decimal.
int decimalsOf(const std::vector<PricePoint>& points)
{
    constexpr double kSinglePrecisionStep = 1.0 / (1 << 23);
    int decimals = 2;
    for (const PricePoint& point : points) {
        int needed = 4;
        for (int d = 2; d < 4; ++d) {
            const double scaled = point.value * std::pow(10.0, d);
            if (std::fabs(scaled - std::round(scaled)) <=
                kSinglePrecisionStep * std::max(1.0, std::fabs(scaled))) {
                needed = d;
                break;
            }
        }
        decimals = std::max(decimals, needed);
    }
    return decimals;
}

std::string dateText(const Date& day)
{
    return formatShortDate(day);
}

// "DD/MM/YYYY", and " h:mm" for a trade's price.
std::string momentText(const PricePoint& point)
{
    std::string text = dateText(point.day);
    if (point.time)
        text += ' ' + formatShortTime(*point.time);
    return text;
}

std::string fetchedText(std::int64_t seconds)
{
    const ItalianDateTime t = italianTimeFromEpoch(seconds);
    const auto day = Date::fromYmd(t.year, t.month, t.day);
    const auto time = TimeOfDay::fromHms(t.hour, t.minute, 0);
    if (!day || !time)
        return {};
    return formatShortDate(*day) + " alle " + formatShortTime(*time);
}

std::string number(int value)
{
    return std::to_string(value);
}

// The name with its currency when that is not the euro, as the tables show it.
std::string shownName(const PriceSeries& series)
{
    std::string name = series.name;
    if (!series.currency.empty() && series.currency != "EUR")
        name += (name.empty() ? "(" : " (") + series.currency + ')';
    return name;
}

std::string pageHead(std::string_view title)
{
    // 8-bit Windows-1252 text, as the report: declared, so that a browser does not guess.
    return "<!DOCTYPE html>\r\n<html lang=\"it\"><head>\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
           "<title>" +
           std::string(title) +
           "</title>\r\n<style>\r\n"
           "body{font-family:Verdana,sans-serif;margin:16px;color:#000}\r\n"
           "h1{font-size:18px;color:#00c;margin:0 0 4px}h2{font-size:14px;margin:0 0 12px;color:#333}\r\n"
           "table{border-collapse:collapse;margin:12px 0}td,th{border:1px solid #aaa;padding:3px 8px;"
           "font-size:12px}th{background:#eef;text-align:left}td.v{text-align:right}\r\n"
           "p{font-size:12px}p.nota{font-size:11px;color:#555;font-style:italic}p.errore{font-size:14px;"
           "color:#c00}\r\n"
           "</style></head><body>\r\n";
}

std::string pageFoot(std::string_view whenLine)
{
    return "<p>" + std::string(whenLine) + "</p>\r\n<p class=\"nota\">" + std::string(kUnofficialSourceLine) +
           "</p>\r\n</body></html>\r\n";
}

// A step of 1, 2 or 5 times a power of ten, about a fifth of `span`.
double niceStep(double span)
{
    const double rough = span / kValueTicks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (rough <= factor * power)
            return factor * power;
    }
    return 10.0 * power;
}

// Where the time axis is labelled: for one day, a few points evenly spread (h:mm);
// for several days of trades, each day's first trade (its date and time); for days,
// a few evenly spread (their date).
struct TimeTick
{
    std::size_t index;
    std::vector<std::string> lines;
};

std::vector<TimeTick> timeTicks(const std::vector<PricePoint>& points, ChartPeriod period)
{
    std::vector<TimeTick> ticks;
    const bool trades = points.front().time.has_value();
    if (trades && period != ChartPeriod::OneDay && points.front().day != points.back().day) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i == 0 || points[i].day != points[i - 1].day)
                ticks.push_back({i, {dateText(points[i].day), formatShortTime(*points[i].time)}});
        }
        return ticks;
    }
    const std::size_t count = std::min<std::size_t>(kTimeTicks, points.size());
    for (std::size_t tick = 0; tick < count; ++tick) {
        const std::size_t index = count == 1 ? 0 : tick * (points.size() - 1) / (count - 1);
        const PricePoint& point = points[index];
        ticks.push_back({index,
                         {trades && period == ChartPeriod::OneDay ? formatShortTime(*point.time)
                          : point.time ? dateText(point.day) + ' ' + formatShortTime(*point.time)
                                       : dateText(point.day)}});
    }
    return ticks;
}

std::string chartSvg(const std::vector<PricePoint>& points, ChartPeriod period)
{
    const auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(),
                            [](const PricePoint& a, const PricePoint& b) { return a.value < b.value; });
    double span = highest->value - lowest->value;
    if (span <= 0)
        span = std::max(std::fabs(highest->value) * 0.02, 0.01);
    const double step = niceStep(span);
    double low = std::floor(lowest->value / step) * step;
    double high = std::ceil(highest->value / step) * step;
    if (high - low < step / 2) {
        low -= step;
        high += step;
    }
    // The value axis's labels with the decimals its step has.
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 4);

    const int plotWidth = kWidth - kLeft - kRight;
    const int plotHeight = kHeight - kTop - kBottom;
    const auto xOf = [&](std::size_t index) {
        return points.size() == 1
                   ? kLeft + plotWidth / 2
                   : kLeft + static_cast<int>(std::lround(static_cast<double>(index) * plotWidth /
                                                          static_cast<double>(points.size() - 1)));
    };
    const auto yOf = [&](double value) {
        return kTop + static_cast<int>(std::lround((high - value) / (high - low) * plotHeight));
    };

    // Drawn at its own size, shrunk to a narrower window (the web tab) as a whole.
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(kWidth) + "\" height=\"" +
                      number(kHeight) + "\" viewBox=\"0 0 " + number(kWidth) + ' ' + number(kHeight) +
                      "\" style=\"max-width:100%;height:auto\" font-family=\"Verdana,sans-serif\" "
                      "font-size=\"11\">\r\n";
    svg += "<rect x=\"" + number(kLeft) + "\" y=\"" + number(kTop) + "\" width=\"" + number(plotWidth) +
           "\" height=\"" + number(plotHeight) + "\" fill=\"#fafaff\" stroke=\"#888\"/>\r\n";

    // The value axis: lines across the plot at round values, labels at the left.
    const int steps = static_cast<int>(std::lround((high - low) / step));
    for (int tick = 0; tick <= steps; ++tick) {
        const double value = low + step * tick;
        const int y = yOf(value);
        svg += "<line x1=\"" + number(kLeft) + "\" y1=\"" + number(y) + "\" x2=\"" +
               number(kLeft + plotWidth) + "\" y2=\"" + number(y) + "\" stroke=\"#ddd\"/>\r\n";
        svg += "<text x=\"" + number(kLeft - 6) + "\" y=\"" + number(y + 4) + "\" text-anchor=\"end\">" +
               formatNumber(value, decimals) + "</text>\r\n";
    }

    // The time axis.
    const std::vector<TimeTick> ticks = timeTicks(points, period);
    for (std::size_t t = 0; t < ticks.size(); ++t) {
        const int x = xOf(ticks[t].index);
        svg += "<line x1=\"" + number(x) + "\" y1=\"" + number(kTop) + "\" x2=\"" + number(x) + "\" y2=\"" +
               number(kTop + plotHeight) + "\" stroke=\"#eee\"/>\r\n";
        const bool edge = ticks.size() > 1 && (x <= kLeft + 40 || x >= kLeft + plotWidth - 40);
        const char* anchor = !edge ? "middle" : x <= kLeft + 40 ? "start" : "end";
        for (std::size_t line = 0; line < ticks[t].lines.size(); ++line)
            svg += "<text x=\"" + number(x) + "\" y=\"" +
                   number(kTop + plotHeight + 16 + 14 * static_cast<int>(line)) + "\" text-anchor=\"" +
                   anchor + "\">" + ticks[t].lines[line] + "</text>\r\n";
    }

    svg += "<polyline fill=\"none\" stroke=\"#0000c0\" stroke-width=\"1.5\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            svg += ' ';
        svg += number(xOf(i)) + ',' + number(yOf(points[i].value));
    }
    svg += "\"/>\r\n</svg>\r\n";
    return svg;
}

std::string statisticRow(std::string_view caption, const PricePoint& point, int decimals)
{
    return "<tr><th>" + std::string(caption) + "</th><td class=\"v\">" + formatNumber(point.value, decimals) +
           "</td><td>" + momentText(point) + "</td></tr>\r\n";
}

std::string periodHeading(ChartPeriod period)
{
    return "Grafico " + std::string(chartPeriodTitle(period));
}

} // namespace

std::string chartPageHtml(const PriceSeries& series, ChartPeriod period, std::int64_t fetchedAt)
{
    if (series.points.empty())
        return chartFailurePageHtml(series.symbol, period, kNoDataText, fetchedAt);

    const std::string code = htmlEscape(series.symbol);
    const std::string name = htmlEscape(shownName(series));
    const std::string heading = name.empty() ? code : code + " - " + name;
    const int decimals = decimalsOf(series.points);
    const auto byValue = [](const PricePoint& a, const PricePoint& b) { return a.value < b.value; };
    const PricePoint& lowest = *std::min_element(series.points.begin(), series.points.end(), byValue);
    const PricePoint& highest = *std::max_element(series.points.begin(), series.points.end(), byValue);

    std::string page = pageHead(heading + " - " + periodHeading(period));
    page += "<h1>" + heading + "</h1>\r\n<h2>" + periodHeading(period) + "</h2>\r\n";
    page += chartSvg(series.points, period);
    page += "<table>\r\n<tr><th></th><th>Prezzo</th><th>Data</th></tr>\r\n";
    page += statisticRow("Primo", series.points.front(), decimals);
    page += statisticRow("Ultimo", series.points.back(), decimals);
    page += statisticRow("Minimo", lowest, decimals);
    page += statisticRow("Massimo", highest, decimals);
    page += "</table>\r\n";
    page += pageFoot("Dati scaricati il " + fetchedText(fetchedAt) + ".");
    return page;
}

std::string chartFailurePageHtml(std::string_view symbol, ChartPeriod period, std::string_view reason,
                                 std::int64_t askedAt)
{
    const std::string code = htmlEscape(symbol);
    std::string page = pageHead(code + " - " + periodHeading(period));
    page += "<h1>" + code + "</h1>\r\n<h2>" + periodHeading(period) + "</h2>\r\n";
    page += "<p class=\"errore\">Il grafico non \xE8 disponibile. " + htmlEscape(reason) + "</p>\r\n";
    page += pageFoot("Richiesta del " + fetchedText(askedAt) + ".");
    return page;
}

ReportWriteResult WriteChartPage(const std::string& fileName, std::string_view html)
{
    return writePageFile(fileName, html);
}

} // namespace listorix
