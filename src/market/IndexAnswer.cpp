#include "market/IndexAnswer.h"

#include "base/Digits.h"
#include "base/Fields.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/QuoteFormat.h"

#include <array>
#include <cstddef>

namespace listorix {

namespace {

constexpr std::size_t kAnswerLineCount = 4;
constexpr std::size_t kFieldsPerLine = 8;

// Field positions of an answer line (symbol first, which nothing reads).
constexpr std::size_t kLastField = 1;
constexpr std::size_t kDateField = 2;
constexpr std::size_t kTimeField = 3;
constexpr std::size_t kChangeField = 4;
constexpr std::size_t kHighField = 5;
constexpr std::size_t kLowField = 6;
constexpr std::size_t kPreviousCloseField = 7;

constexpr std::string_view kDatePrefix = "Valori del ";
constexpr std::string_view kUnreadableDate = "--/--/---";

// A whole decimal number with an optional sign, blanks at the ends allowed.
std::optional<int> parseWhole(std::string_view text)
{
    text = trimControls(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto digits = parseDigits(text, 9);
    if (!digits)
        return std::nullopt;
    const int value = static_cast<int>(*digits);
    return negative ? -value : value;
}

// Each index has its line, and the first three their line of the chart.
ChartSeries* seriesOf(IntradayChart& chart, MarketIndex index)
{
    switch (index) {
    case MarketIndex::MIBTEL:
        return &chart.Series1;
    case MarketIndex::MIB30:
        return &chart.Series2;
    case MarketIndex::MIDEX:
        return &chart.Series4;
    case MarketIndex::SPMIB:
        return nullptr;
    }
    return nullptr;
}

} // namespace

std::optional<Date> parseServiceDate(std::string_view text)
{
    LineList parts;
    SplitToList('/', text, parts);
    if (parts.size() < 3)
        return std::nullopt;
    const auto month = parseWhole(parts[0]);
    const auto day = parseWhole(parts[1]);
    const auto year = parseWhole(parts[2]);
    if (!month || !day || !year)
        return std::nullopt;
    return Date::fromYmd(*year, *month, *day);
}

IndexAnswerParser::IndexAnswerParser(IndexPanel& panel, IntradayChart& chart,
                                     std::function<void()> refreshTrayHint)
    : m_panel(panel), m_chart(chart), m_refreshTrayHint(std::move(refreshTrayHint))
{
}

AnswerVerdict IndexAnswerParser::ParseIndexAnswer(const LineList& lines, AnswerOrigin /*origin*/)
{
    const auto panelBatch = m_panel.batchChanges();
    const auto chartBatch = m_chart.batchChanges();

    // S&P MIB is emptied first whatever the answer holds; its line refills it.
    for (const IndexField field : IndexPanel::kFields)
        m_panel.setText(MarketIndex::SPMIB, field, {});
    m_panel.applyColourBySign(MarketIndex::SPMIB);

    // Every line is checked before anything is written, so a short answer
    // never leaves the panel half new and half old.
    std::array<LineList, kAnswerLineCount> fields;
    bool complete = lines.size() >= kAnswerLineCount;
    for (std::size_t k = 0; complete && k < kAnswerLineCount; ++k) {
        SplitToList(';', lines[k], fields[k]);
        complete = fields[k].size() >= kFieldsPerLine;
    }
    if (!complete)
        return AnswerVerdict::Refused;

    for (std::size_t k = 0; k < kAnswerLineCount; ++k) {
        const MarketIndex index = IndexPanel::kIndices[k];
        const LineList& f = fields[k];
        m_panel.setText(index, IndexField::Change,
                        FormatChangePercent(f[kChangeField], f[kPreviousCloseField]));
        m_panel.setText(index, IndexField::Value, FormatQuote(f[kLastField], "0"));
        m_panel.setText(index, IndexField::Time, f[kTimeField]);
        m_panel.setText(index, IndexField::Low, FormatQuote(f[kLowField], "0"));
        m_panel.setText(index, IndexField::High, FormatQuote(f[kHighField], "0"));
        m_panel.applyColourBySign(index);
    }

    const Date date = parseServiceDate(fields[0][kDateField]).value_or(Date());
    m_panel.setDateHeader(std::string(kDatePrefix) +
                          (date.isNull() ? std::string(kUnreadableDate) : formatShortDate(date)));

    // A new trading day, or a day that cannot be read, starts the chart afresh.
    if (date != m_chart.SeriesDate) {
        m_chart.SeriesDate = date;
        m_chart.ResetChart();
    }

    // Each point is the time and the change the panel shows, taken from the fields
    // as read; a time or change that does not convert gives that index no point.
    for (std::size_t k = 0; k < kAnswerLineCount; ++k) {
        ChartSeries* series = seriesOf(m_chart, IndexPanel::kIndices[k]);
        if (!series)
            continue;
        const LineList& f = fields[k];
        const auto time = parseTime(DotsToColons(f[kTimeField]));
        const auto change = ChangePercentValue(f[kChangeField], f[kPreviousCloseField]);
        if (time && change)
            m_chart.AddChartPoint(*series, time->dayFraction(), *change);
    }

    if (m_refreshTrayHint)
        m_refreshTrayHint();
    return AnswerVerdict::Read;
}

} // namespace listorix
