// Finding every cell that holds a text in 100 000 rows of 5 columns: the grid's find
// (FindFirst, then FindNext until the walk is through) against a plain loop over a
// vector of the same texts, row by row. Once without regard to case (the baseline folds
// case the same way, through the same text test) and once with case (the baseline is
// std::string::find).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "grid/search/FindParams.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 5;
constexpr int kRows = 100000;
const char* const kText = "v123";

String Text(int r, int c)
{
    String s = "v";
    s += IntToStr(r * kCols + c);
    s += c % 2 ? " Pump" : " valve";
    return s;
}

struct SearchWindow {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    std::vector<String> texts;
    SearchWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(800);
        form->SetClientHeight(600);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows + 1);
        grid->SetFixedCols(0);
        texts.reserve(size_t(kRows) * kCols);
        for (int r = 1; r <= kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                grid->SetCellEx(c, r, Text(r, c));
                texts.push_back(Text(r, c));
            }
        form->Show();
    }
};

SearchWindow& Window()
{
    static SearchWindow w;
    return w;
}

int GridFindAll(TExtStringGrid* g, const String& s, TFindParams P)
{
    int n = 0;
    TPoint first = g->FindFirst(s, P);
    for (TPoint p = first; p.X >= 0; p = g->FindNext()) {
        ++n;
        if (n > 1 && p == first) break;   // gone round
    }
    return n;
}

void BM_Grid_FindAll_NoCase(benchmark::State& state)
{
    SearchWindow& w = Window();
    int found = 0;
    for (auto _ : state) found = GridFindAll(w.grid, kText, {fnDirectionLeftRight});
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_PlainVector_FindAll_NoCase(benchmark::State& state)
{
    SearchWindow& w = Window();
    int found = 0;
    for (auto _ : state) {
        const TCellTextMatcher m(kText, {});
        found = 0;
        for (const String& t : w.texts) found += m.Matches(t);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_Grid_FindAll_Case(benchmark::State& state)
{
    SearchWindow& w = Window();
    int found = 0;
    for (auto _ : state) found = GridFindAll(w.grid, kText, {fnDirectionLeftRight, fnMatchCase});
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_PlainVector_FindAll_Case(benchmark::State& state)
{
    SearchWindow& w = Window();
    int found = 0;
    const std::string text = kText;
    for (auto _ : state) {
        found = 0;
        for (const String& t : w.texts) found += t.find(text) != String::npos;
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

}  // namespace

BENCHMARK(BM_Grid_FindAll_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector_FindAll_NoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_FindAll_Case)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector_FindAll_Case)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
