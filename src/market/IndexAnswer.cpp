#include "market/IndexAnswer.h"

#include "base/Trim.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "base/NumberFormat.h"
#include "market/QuoteFormat.h"
#include "base/TextSink.h"

#include <array>
#include <cstddef>

namespace listorix {

namespace {

constexpr std::size_t answerLineCount = 4;
constexpr std::size_t fieldsPerLine = 8;

// Field positions of an answer line (symbol first, which nothing reads).
constexpr std::size_t lastField = 1;
constexpr std::size_t dateField = 2;
constexpr std::size_t timeField = 3;
constexpr std::size_t changeField = 4;
constexpr std::size_t highField = 5;
constexpr std::size_t lowField = 6;
constexpr std::size_t previousCloseField = 7;

constexpr std::string_view datePrefix = "Valori del ";
constexpr std::string_view unreadableDate = "--/--/---";

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

IndexAnswerParser::IndexAnswerParser(IndexPanel& panel, IntradayChart& chart, TextSink& status,
                                     std::function<void()> refreshTrayHint)
    : m_panel(panel), m_chart(chart), m_status(status), m_refreshTrayHint(std::move(refreshTrayHint))
{
}

TConnessione::AnswerCallback IndexAnswerParser::answerCallback()
{
    return [this](TConnessione& connection, const LineList& lines, AnswerOrigin origin) {
        return ParseIndexAnswer(connection, lines, origin);
    };
}

bool IndexAnswerParser::ParseIndexAnswer(TConnessione& connection, const LineList& lines, AnswerOrigin origin)
{
    const auto panelBatch = m_panel.batchChanges();
    const auto chartBatch = m_chart.batchChanges();

    // S&P MIB is emptied first whatever the answer holds; its line refills it.
    for (const IndexField field : IndexPanel::fields)
        m_panel.setText(MarketIndex::SPMIB, field, {});
    m_panel.applyColourBySign(MarketIndex::SPMIB);

    // Every line is checked before anything is written, so a short answer
    // never leaves the panel half new and half old.
    std::array<LineList, answerLineCount> fields;
    bool complete = lines.size() >= answerLineCount;
    for (std::size_t k = 0; complete && k < answerLineCount; ++k) {
        SplitToList(';', lines[k], fields[k]);
        complete = fields[k].size() >= fieldsPerLine;
    }
    if (!complete) {
        concludeFailedAnswer(connection, origin);
        return false;
    }

    for (std::size_t k = 0; k < answerLineCount; ++k) {
        const MarketIndex index = IndexPanel::indices[k];
        const LineList& f = fields[k];
        m_panel.setText(index, IndexField::Change,
                        FormatChangePercent(f[changeField], f[previousCloseField]));
        m_panel.setText(index, IndexField::Value, FormatQuote(f[lastField], "0"));
        m_panel.setText(index, IndexField::Time, f[timeField]);
        m_panel.setText(index, IndexField::Low, FormatQuote(f[lowField], "0"));
        m_panel.setText(index, IndexField::High, FormatQuote(f[highField], "0"));
        m_panel.applyColourBySign(index);
    }

    const Date date = parseServiceDate(fields[0][dateField]).value_or(Date());
    m_panel.setDateHeader(std::string(datePrefix) +
                          (date.isNull() ? std::string(unreadableDate) : formatShortDate(date)));

    // A new trading day, or a day that cannot be read, starts the chart afresh.
    if (date != m_chart.SeriesDate) {
        m_chart.SeriesDate = date;
        m_chart.ResetChart();
    }

    // Each point is the time and the change the panel shows, taken from the fields
    // as read; a time or change that does not convert gives that index no point.
    for (std::size_t k = 0; k < answerLineCount; ++k) {
        ChartSeries* series = seriesOf(m_chart, IndexPanel::indices[k]);
        if (!series)
            continue;
        const LineList& f = fields[k];
        const auto time = parseTime(DotsToColons(f[timeField]));
        const auto change = ChangePercentValue(f[changeField], f[previousCloseField]);
        if (time && change)
            m_chart.AddChartPoint(*series, time->dayFraction(), *change);
    }

    if (m_refreshTrayHint)
        m_refreshTrayHint();
    return true;
}

void IndexAnswerParser::concludeFailedAnswer(TConnessione& connection, AnswerOrigin origin)
{
    // During the start-up replay nothing runs that could retry, and nothing is said.
    if (origin != AnswerOrigin::Live)
        return;
    connection.RetryLater();
    m_status.setText(std::string(kConnectionFailedText));
}

} // namespace listorix
