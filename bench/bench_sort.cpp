// Sorting 100 000 rows of 5 text columns by one text column: the grid's sort (typed
// comparison in the automatic style, rows moved with their cells) against a stable sort
// of the same rows held as tuples of strings. Each run starts from the same unsorted rows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 5;
constexpr int kRows = 100000;
constexpr int kKey = 2;

using TRowTexts = std::array<String, kCols>;

const std::vector<TRowTexts>& Rows()
{
    static const std::vector<TRowTexts> rows = [] {
        std::mt19937 rnd(17);
        std::uniform_int_distribution<int> letter('a', 'z');
        std::vector<TRowTexts> v(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                String s;
                for (int k = 0; k < 9; ++k) s += char(letter(rnd));
                v[size_t(r)][size_t(c)] = std::move(s);
            }
        return v;
    }();
    return rows;
}

struct SortWindow {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    SortWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(800);
        form->SetClientHeight(600);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows + 1);
        form->Show();
    }
    void Fill()
    {
        const std::vector<TRowTexts>& rows = Rows();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetGridCell(c, r + 1, rows[size_t(r)][size_t(c)]);
    }
};

void BM_Grid_SortByTextColumn(benchmark::State& state)
{
    SortWindow w;
    w.grid->SortSettings()->Column = kKey;
    for (auto _ : state) {
        state.PauseTiming();
        w.Fill();
        w.grid->InitSortXRef();
        state.ResumeTiming();
        w.grid->QSort();
    }
    if (w.grid->GetCellEx(kKey, 1) > w.grid->GetCellEx(kKey, 2)) state.SkipWithError("not sorted");
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_StableSortOfTuples(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<TRowTexts> rows = Rows();
        state.ResumeTiming();
        std::stable_sort(rows.begin(), rows.end(),
                         [](const TRowTexts& a, const TRowTexts& b) { return a[kKey] < b[kKey]; });
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

}

BENCHMARK(BM_Grid_SortByTextColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortOfTuples)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
