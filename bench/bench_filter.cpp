// Filtering the grid against filtering a plain vector: 100 000 rows of 5 columns, the
// rows whose column 2 fails an expression are hidden (one filter level) through the
// grid; the baseline runs the same matcher over a vector of the same texts and collects
// the failing rows. The grid is brought back between runs, outside the timing. A third
// run tests every row of the grid without hiding any, to tell reading from hiding.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "grid/util/GridDateFilter.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 5;
constexpr int kRows = 100000;
constexpr int kColumn = 2;
const char* const kExpression = "V1*|*7";

String Text(int r, int c)
{
    String s = "V";
    s += IntToStr(r * kCols + c);
    return s;
}

struct FilterWindow {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    FilterWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(800);
        form->SetClientHeight(600);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows + 1);
        grid->FixedRowAlways = true;
        for (int r = 1; r <= kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetCellEx(c, r, Text(r, c));
        TFilterData* d = grid->Filter()->Add();
        d->Column = kColumn;
        d->Condition = kExpression;
        form->Show();
    }
};

void BM_Grid_FilterByExpression(benchmark::State& state)
{
    FilterWindow w;
    int shown = 0;
    for (auto _ : state) {
        w.grid->SetFilterActive(true);
        state.PauseTiming();
        shown = w.grid->RowCount() - 1;
        w.grid->SetFilterActive(false);
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The share of reading and matching alone: every row of the grid tested, none hidden.
void BM_Grid_MatchRowsOnly(benchmark::State& state)
{
    FilterWindow w;
    int shown = 0;
    for (auto _ : state) {
        shown = 0;
        for (int r = 1; r <= kRows; ++r) shown += w.grid->MatchFilterRow(r);
    }
    state.counters["shown"] = shown;
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_PlainVector_FilterByExpression(benchmark::State& state)
{
    std::vector<String> cells;
    cells.reserve(size_t(kRows) * kCols);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c) cells.push_back(Text(r, c));
    int shown = 0;
    for (auto _ : state) {
        std::vector<int> hide;
        for (int r = 0; r < kRows; ++r)
            if (!MatchFilterExpression(kExpression, cells[size_t(r) * kCols + kColumn], true)) hide.push_back(r);
        benchmark::DoNotOptimize(hide.data());
        shown = kRows - int(hide.size());
    }
    state.counters["shown"] = shown;
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(BM_Grid_FilterByExpression)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_MatchRowsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector_FilterByExpression)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
