// The grid's cell store against a plain vector of strings: writing and reading every
// cell of a 1024 x 19 table (5 hidden columns, 100 merged areas) through SetCellEx and
// GetCellEx, as the table editors read and write their files.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 19;
constexpr int kRows = 1024;

const std::vector<String>& Texts()
{
    static const std::vector<String> texts = [] {
        std::vector<String> v;
        v.reserve(size_t(kCols) * kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                String s = "V";
                s += IntToStr(r * kCols + c);
                v.push_back(std::move(s));
            }
        return v;
    }();
    return texts;
}

// A shown window with the grid as a table editor has it.
struct StoreWindow {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    StoreWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(800);
        form->SetClientHeight(600);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int c : {3, 6, 9, 12, 15}) grid->HideColumn(c);
        for (int i = 0; i < 100; ++i) grid->MergeCells(1, 1 + 10 * i, 2, 2);
        form->Show();
    }
};

void BM_GridStore_SetGetAll(benchmark::State& state)
{
    StoreWindow w;
    const std::vector<String>& texts = Texts();
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) w.grid->SetCellEx(c, r, texts[size_t(r) * kCols + size_t(c)]);
        size_t total = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) total += w.grid->GetCellEx(c, r).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols * 2);
}

void BM_PlainVector_SetGetAll(benchmark::State& state)
{
    std::vector<String> cells(size_t(kCols) * kRows);
    const std::vector<String>& texts = Texts();
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) cells[size_t(r) * kCols + size_t(c)] = texts[size_t(r) * kCols + size_t(c)];
        size_t total = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                const String s = cells[size_t(r) * kCols + size_t(c)];
                total += s.size();
            }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kRows * kCols * 2);
}

}

BENCHMARK(BM_GridStore_SetGetAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector_SetGetAll)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
