// The security answer parse and the quote table sorts at the size of a long share
// list: 10,000 answer lines into the 11-column shares table.
#include "base/LineList.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/SecurityAnswer.h"
#include "market/TableOrdering.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace listorix;

std::string price(std::mt19937& random, double low, double high)
{
    std::uniform_real_distribution<double> value(low, high);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value(random));
    return text;
}

// One line per symbol as the service sends them, symbols in a shuffled ticker
// list order, a few securities without quotes.
std::string answerBytes(int lines)
{
    std::mt19937 random(20050125);
    std::vector<int> order(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i)
        order[static_cast<std::size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), random);
    static const char* const words[] = {"BANCA",   "ASSICURAZIONI", "GENERALI", "ITALIA", "INDUSTRIE",
                                        "HOLDING", "ENERGIA",       "TELECOM",  "MEDIA",  "SPA"};
    std::uniform_int_distribution<int> word(0, 9);
    std::uniform_int_distribution<int> volume(0, 20000000);
    std::string bytes;
    for (const int i : order) {
        char code[16];
        std::snprintf(code, sizeof code, "T%06d.MI", i);
        std::string line = "\"" + std::string(code) + "\";\"" + words[word(random)] + "  " +
                           words[word(random)] + " " + words[word(random)] + "\";";
        if (i % 97 == 0) {
            line += "N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A";
        } else {
            const std::string last = price(random, 0.2, 400.0);
            const std::string change = price(random, -5.0, 5.0);
            line += last + ";1/25/2005;5:35pm;" + price(random, 0.2, 400.0) + ";" +
                    price(random, 0.2, 400.0) + ";" + price(random, 0.2, 400.0) + ";" +
                    price(random, 0.2, 400.0) + ";" + change + " - " + change + "%;" +
                    std::to_string(volume(random));
        }
        bytes += line + "\r\n";
    }
    return bytes;
}

// The four quote tables as the window holds them, the shares connection feeding
// the shares table.
struct QuoteTablesFixture
{
    TAlignGrid shares, bonds, derivatives, funds;
    QuoteTableSorting sorting{{&shares, &bonds, &derivatives, &funds}};
    SecurityAnswer parser{ConnectionId::Azioni, shares, sorting};

    QuoteTablesFixture()
    {
        setUpQuoteTable(shares, ConnectionId::Azioni);
        setUpQuoteTable(bonds, ConnectionId::Obbligazioni);
        setUpQuoteTable(derivatives, ConnectionId::Derivati);
        setUpQuoteTable(funds, ConnectionId::Fondi);
    }
};

LineList answerLines(int lines)
{
    LineList list;
    appendLines(answerBytes(lines), list);
    return list;
}

void BM_ParseSecurityAnswer(benchmark::State& state)
{
    const LineList lines = answerLines(static_cast<int>(state.range(0)));
    QuoteTablesFixture tables;
    for (auto _ : state)
        tables.parser.ParseSecurityAnswer(lines, AnswerOrigin::Live);
    if (tables.shares.rowCount() != 1 + static_cast<int>(state.range(0)))
        state.SkipWithError("not every line became a row");
}
BENCHMARK(BM_ParseSecurityAnswer)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SplitLines(benchmark::State& state)
{
    const std::string bytes = answerBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LineList lines;
        appendLines(bytes, lines);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_SplitLines)->Arg(10000)->Unit(benchmark::kMillisecond);

constexpr int kFlashColumn = 2;

// From an order unrelated to the prices: the table's own order by "Codice".
void BM_SortShares(benchmark::State& state)
{
    QuoteTablesFixture tables;
    tables.parser.ParseSecurityAnswer(answerLines(static_cast<int>(state.range(0))), AnswerOrigin::Live);
    for (auto _ : state) {
        state.PauseTiming();
        ApplySort(tables.shares, categoryOf(ConnectionId::Azioni).columns, 0, true);
        state.ResumeTiming();
        ApplySort(tables.shares, categoryOf(ConnectionId::Azioni).columns, kFlashColumn, true);
    }
}
BENCHMARK(BM_SortShares)->Arg(10000)->Unit(benchmark::kMillisecond);

// The state after every refresh of a table sorted by price.
void BM_SortSharesPresorted(benchmark::State& state)
{
    QuoteTablesFixture tables;
    tables.parser.ParseSecurityAnswer(answerLines(static_cast<int>(state.range(0))), AnswerOrigin::Live);
    ApplySort(tables.shares, categoryOf(ConnectionId::Azioni).columns, kFlashColumn, true);
    for (auto _ : state)
        ApplySort(tables.shares, categoryOf(ConnectionId::Azioni).columns, kFlashColumn, true);
}
BENCHMARK(BM_SortSharesPresorted)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
