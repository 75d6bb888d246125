// Index answers into the panel and the day's chart, a live one after the replay
// of the last one: whatever the service sends, the panel's change texts are
// coloured by their sign, the chart holds finite points, one per time and line,
// within its axes, and a short answer is refused whole.

#include "AnswerLines.h"
#include "FuzzCheck.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/QuoteFormat.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

namespace {

using namespace listorix;

void checkChart(const IntradayChart& chart)
{
    for (const ChartSeries* series : {&chart.Series1, &chart.Series2, &chart.Series4}) {
        std::set<double> times;
        for (const ChartPoint& point : series->points()) {
            FUZZ_CHECK(std::isfinite(point.x) && std::isfinite(point.y));
            FUZZ_CHECK(times.insert(point.x).second);
            // No lower bound on x: a point at 0:00 leaves the left edge unfixed,
            // so the next point moves the edge past it.
            FUZZ_CHECK(point.x <= chart.timeAxis().maximum);
            FUZZ_CHECK(chart.valueAxis().minimum <= point.y && point.y <= chart.valueAxis().maximum);
        }
    }
}

void checkPanel(const IndexPanel& panel)
{
    for (const MarketIndex index : IndexPanel::kIndices) {
        const PanelText& change = panel.control(index, IndexField::Change);
        FUZZ_CHECK(change.colour == ColourBySign(change.text));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::InputSplitter input(data, size);
    const std::string_view replayed = input.takeText();
    const LineList live = fuzz::answerLines(input.rest());

    IndexPanel panel;
    IntradayChart chart;
    IndexAnswerParser parser{panel, chart, [] {}};

    parser.ParseIndexAnswer(fuzz::answerLines(replayed), AnswerOrigin::Replay);
    checkPanel(panel);
    checkChart(chart);

    const bool read = parser.ParseIndexAnswer(live, AnswerOrigin::Live) == AnswerVerdict::Read;
    if (live.size() < 4)
        FUZZ_CHECK(!read);
    if (!read)
        FUZZ_CHECK(panel.text(MarketIndex::SPMIB, IndexField::Value).empty());
    checkPanel(panel);
    checkChart(chart);
    return 0;
}
