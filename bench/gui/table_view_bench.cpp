// The table view under a fetch: a 2,000-row shares table rewritten by an answer, from
// the model's notice to the repainted view, offscreen; and the view scrolled a page
// at a time through the same table.
#include "grid/TAlignGrid.h"
#include "grid/gui/AlignGridView.h"
#include "market/QuoteTables.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

using listorix::TAlignGrid;

constexpr int kRows = 2000;
constexpr int kColumns = 11;

// What an answer does to the table: every cell of every row written anew, within
// one batch, so the view hears one notice at its end.
void rewrite(TAlignGrid& grid, int round)
{
    for (int row = 1; row <= kRows; ++row) {
        grid.setCell(0, row, "T" + std::to_string(100000 + row) + ".MI");
        grid.setCell(1, row, "NOME DEL TITOLO " + std::to_string(row));
        for (int col = 2; col < kColumns; ++col)
            grid.setCell(col, row, std::to_string((row * 7919 + col * 31 + round) % 100000) + ",25");
        grid.setFontColorCell(9, row, (row + round) % 3 ? listorix::clBlack : listorix::clRed);
    }
}

struct SharesView
{
    SharesView()
    {
        listorix::setUpQuoteTable(grid, listorix::ConnectionId::Azioni);
        grid.setRowCount(kRows + 1);
        rewrite(grid, 0);
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }

    TAlignGrid grid;
    listorix::AlignGridView view{grid};
};

// The notice at the end of the answer's batch, and the view repainted after it.
void BM_NoticeToRepaintedView(benchmark::State& state)
{
    SharesView shares;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            const auto batch = shares.grid.batchChanges();
            rewrite(shares.grid, ++round);
            state.ResumeTiming();
        } // the notice
        shares.view.viewport()->repaint();
    }
}
BENCHMARK(BM_NoticeToRepaintedView)->Unit(benchmark::kMillisecond);

// The whole fetch's share of the work: the rewrite itself, the notice and the repaint.
void BM_AnswerRewritesAndRepaints(benchmark::State& state)
{
    SharesView shares;
    int round = 0;
    for (auto _ : state) {
        {
            const auto batch = shares.grid.batchChanges();
            rewrite(shares.grid, ++round);
        }
        shares.view.viewport()->repaint();
    }
}
BENCHMARK(BM_AnswerRewritesAndRepaints)->Unit(benchmark::kMillisecond);

// One page down (or back to the top) and the view repainted: scrolling by the thumb.
void BM_ScrollOnePage(benchmark::State& state)
{
    SharesView shares;
    QScrollBar* bar = shares.view.verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        shares.view.viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
