// Valuing a large portfolio against full quote tables: every portfolio row looks its
// code up in the table of its category.
#include "base/TextSink.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioTable.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace listorix;

constexpr int kCategoryRows = 10000;

class NullSink final : public TextSink
{
public:
    void setText(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
};

std::string code(char letter, int i)
{
    const std::string digits = std::to_string(i);
    return std::string(1, letter) + std::string(6 - digits.size(), '0') + digits + ".MI";
}

void fillCategory(TAlignGrid& table, char letter)
{
    table.setRowCount(kCategoryRows + 1);
    table.setCell(0, 0, "Codice");
    for (int i = 0; i < kCategoryRows; ++i) {
        const int row = i + 1;
        table.setCell(0, row, code(letter, i));
        table.setCell(1, row, "NOME DEL TITOLO " + std::to_string(i));
        table.setCell(2, row, std::to_string(i % 97 + 1) + "," + std::to_string(i % 1000));
        table.setCell(3, row, "15/06");
    }
}

struct Tables
{
    TAlignGrid shares{11, 2};
    TAlignGrid bonds{11, 2};
    TAlignGrid derivatives{11, 2};
    TAlignGrid funds{4, 2};
    TAlignGrid portfolioTable;
    NullSink total;
    NullSink gain;
    Portfolio portfolio{portfolioTable, CategoryTables{{&shares, &bonds, &derivatives, &funds}}, total, gain};

    explicit Tables(int holdings)
    {
        fillCategory(shares, 'A');
        fillCategory(bonds, 'O');
        fillCategory(derivatives, 'D');
        fillCategory(funds, 'F');
        setUpPortfolioTable(portfolioTable);
        const char letters[] = {'A', 'O', 'D', 'F'};
        const std::string_view types[] = {kTypeShare, kTypeBond, kTypeDerivative, kTypeFund};
        for (int i = 0; i < holdings; ++i) {
            // Codes spread over each table, in lower case now and then; every tenth
            // row is personal and every twentieth security no longer listed.
            const std::size_t category = static_cast<std::size_t>(i % 4);
            std::string held =
                code(letters[category], (i * 7919) % (i % 20 == 19 ? 2 * kCategoryRows : kCategoryRows));
            if (i % 3 == 0)
                held[0] = static_cast<char>(held[0] - 'A' + 'a');
            const int row = i % 10 == 9
                                ? (portfolio.SpeedButtonTitoloPersonaleClick(), portfolioTable.rowCount() - 1)
                                : addSecurityRow(portfolioTable, held, "NOME", types[category]);
            portfolioTable.setCell(PortfolioColumn::Quote, row, std::to_string(i % 500 + 1));
            portfolioTable.setCell(PortfolioColumn::Acquisto, row, std::to_string(i % 90 + 1) + ",5");
            if (i % 10 == 9)
                portfolioTable.setCell(PortfolioColumn::Quotazione, row, "12,25");
        }
        portfolioTable.setCurrentRow(1);
    }
};

void BM_RevaluePortfolio(benchmark::State& state)
{
    Tables tables(static_cast<int>(state.range(0)));
    for (auto _ : state)
        tables.portfolio.RevaluePortfolio();
}
BENCHMARK(BM_RevaluePortfolio)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
