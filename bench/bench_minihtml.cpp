// One screen of a 19 x 40 grid whose cells hold short mini-HTML (bold, a coloured run, a
// link) painted by the string grid, against the same grid with the same texts as plain
// text, in the same run.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 19;
constexpr int kRows = 40;
constexpr int kWidth = kCols * 64 + 40;
constexpr int kHeight = kRows * 22 + 40;

String Join(const char* before, int n, const char* after)
{
    String s = before;
    s += IntToStr(n);
    s += after;
    return s;
}

String Plain(int c, int r) { return Join("V", r * kCols + c, " ok"); }

String Markup(int c, int r)
{
    switch ((r + c) % 3) {
    case 0: return Join("<B>V", r * kCols + c, "</B> ok");
    case 1: return Join("V", r * kCols + c, " <FONT color=\"clRed\">ok</FONT>");
    default: return Join("<A href=\"cell://R1C1\">V", r * kCols + c, "</A> ok");
    }
}

struct Window {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    explicit Window(String (*Text)(int, int))
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(kWidth);
        form->SetClientHeight(kHeight);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, kWidth, kHeight);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int r = 1; r < kRows; ++r)
            for (int c = 1; c < kCols; ++c) grid->SetCellEx(c, r, Text(c, r));
        form->Show();
    }
};

void PaintScreen(benchmark::State& state, String (*Text)(int, int))
{
    Window w(Text);
    TBitmap bmp;
    for (auto _ : state) PaintControlTo(w.grid, &bmp);
    state.SetItemsProcessed(state.iterations() * (kRows - 1) * (kCols - 1));
}

void BM_Grid_PaintScreen_MiniHTML(benchmark::State& state) { PaintScreen(state, Markup); }
void BM_Grid_PaintScreen_PlainText(benchmark::State& state) { PaintScreen(state, Plain); }

}  // namespace

BENCHMARK(BM_Grid_PaintScreen_MiniHTML)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_PaintScreen_PlainText)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
