// One screenful of the KNX table (19 columns, 1024 rows) painted by the column grid,
// with its column items, check-box column, XP headers and the whole cell pipeline,
// against the base grid painting the same texts without those features.
#include <benchmark/benchmark.h>

#include <memory>

#include "grid/columns/ExtColumnGrid.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 19;
constexpr int kRows = 1024;
constexpr int kWidth = 800;
constexpr int kHeight = 400;

String Text(int c, int r)
{
    if (c == 0) return IntToStr(r);
    if (c == 1) return r % 3 ? "Y" : "N";
    if (c == 2) return String("1/2/") += IntToStr(r % 256);
    return String("V") += IntToStr(r * kCols + c);
}

template <class G>
struct Window {
    std::unique_ptr<TForm> form;
    G* grid = nullptr;
    Window()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(kWidth);
        form->SetClientHeight(kHeight);
        grid = new G(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, kWidth, kHeight);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int c = 0; c < kCols; ++c) grid->SetColWidths(c, c < 3 ? 50 : 64);
        form->Show();
    }
    void Fill()
    {
        for (int r = 1; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetCellEx(c, r, Text(c, r));
    }
};

// The table as the KNX editor lays it out.
void Describe(TExtColumnGrid* g)
{
    g->ControlLook()->ControlStyle = csWinXP;
    for (int c = 0; c < kCols; ++c) {
        TGridColumnItem* it = g->Columns()->Items(c);
        it->SetHeader("Column " + IntToStr(c));
        it->SetEditor(c == 1 ? edDataCheckBox : c == 2 || c % 4 == 3 ? edComboList : edNormal);
        it->SetAlignment(c == 1 ? taCenter : taLeftJustify);
    }
}

void BM_ColumnGrid_PaintScreen(benchmark::State& state)
{
    Window<TExtColumnGrid> w;
    Describe(w.grid);
    w.Fill();
    TBitmap bmp;
    int top = 1;
    for (auto _ : state) {
        w.grid->SetTopRow(top);
        PaintControlTo(w.grid, &bmp);
        top = top == 1 ? 500 : 1;
    }
}

void BM_BaseGrid_PaintScreen(benchmark::State& state)
{
    Window<TBaseGrid> w;
    for (int c = 0; c < kCols; ++c) w.grid->SetCellEx(c, 0, "Column " + IntToStr(c));
    w.Fill();
    TBitmap bmp;
    int top = 1;
    for (auto _ : state) {
        w.grid->SetTopRow(top);
        PaintControlTo(w.grid, &bmp);
        top = top == 1 ? 500 : 1;
    }
}

}  // namespace

BENCHMARK(BM_ColumnGrid_PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaseGrid_PaintScreen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    TForm warmUp(nullptr);
    Register_Grid_Editors();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
