// One screenful of the KNX table (19 columns, 1024 rows) painted by the column grid,
// with its column items, check-box column, XP headers and the whole cell pipeline,
// against the base grid painting the same texts without those features, and against
// the floor: a bare loop on the same toolkit canvas that fills the fixed cells and draws
// the same visible texts and grid lines, with nothing else.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bench/GuiBenchMain.h"
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

// What one screen shows, taken from the column grid once: the cells' rectangles and
// texts, and where the grid lines run.
struct BareScreen {
    struct Cell {
        TRect R;
        String Text;
        bool Fixed;
    };
    std::vector<Cell> Cells;
    std::vector<int> ColLines, RowLines;
    int Right = 0, Bottom = 0;
};

BareScreen TakeScreen(TExtColumnGrid* g)
{
    BareScreen s;
    std::vector<int> rows{0};
    for (int r = g->TopRow(); r < g->RowCount() && r <= g->TopRow() + g->VisibleRowCount(); ++r) rows.push_back(r);
    for (int r : rows) {
        for (int c = 0; c < g->ColCount(); ++c) {
            const TRect R = g->CellRect(c, r);
            // Only what the screen shows: a cell out of view has no place of its own.
            const bool placed = (c == 0 || R.Left > 0) && (r == 0 || R.Top > 0);
            if (!placed || R.Width() <= 0 || R.Height() <= 0 || R.Left >= kWidth || R.Top >= kHeight) continue;
            const bool fixed = r < g->FixedRows() || c < g->FixedCols();
            s.Cells.push_back({R, g->GetCellEx(g->RealColIndex(c), r), fixed});
            if (r == 0) s.ColLines.push_back(R.Right);
            s.Right = std::max(s.Right, R.Right);
        }
        const TRect R = g->CellRect(0, r);
        s.RowLines.push_back(R.Bottom);
        s.Bottom = std::max(s.Bottom, R.Bottom);
    }
    s.Right = std::min(s.Right, kWidth);
    s.Bottom = std::min(s.Bottom, kHeight);
    return s;
}

void PaintBare(TCanvas* c, const BareScreen& s, TFont* font, TFont* fixedFont)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, kWidth, kHeight));
    c->Brush()->SetColor(clBtnFace);
    for (const BareScreen::Cell& k : s.Cells)
        if (k.Fixed) c->FillRect(k.R);
    c->Pen()->SetColor(clSilver);
    for (int x : s.ColLines) {
        c->MoveTo(x, 0);
        c->LineTo(x, s.Bottom);
    }
    for (int y : s.RowLines) {
        c->MoveTo(0, y);
        c->LineTo(s.Right, y);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*fixedFont);
    for (const BareScreen::Cell& k : s.Cells)
        if (k.Fixed) c->TextOut(k.R.Left + 2, k.R.Top + 2, k.Text);
    c->Font()->Assign(*font);
    for (const BareScreen::Cell& k : s.Cells)
        if (!k.Fixed) c->TextOut(k.R.Left + 2, k.R.Top + 2, k.Text);
}

void BM_BareCanvas_PaintScreen(benchmark::State& state)
{
    Window<TExtColumnGrid> w;
    Describe(w.grid);
    w.Fill();
    BareScreen screens[2];
    w.grid->SetTopRow(1);
    screens[0] = TakeScreen(w.grid);
    w.grid->SetTopRow(500);
    screens[1] = TakeScreen(w.grid);
    state.counters["cells"] = double(screens[0].Cells.size());
    TBitmap bmp;
    bmp.SetSize(kWidth, kHeight);
    int i = 0;
    for (auto _ : state) {
        PaintBare(bmp.Canvas(), screens[i], w.grid->Font(), w.grid->FixedFont());
        i = 1 - i;
    }
}

}  // namespace

BENCHMARK(BM_BareCanvas_PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnGrid_PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaseGrid_PaintScreen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    Register_Grid_Editors();
    return Run_Gui_Benchmarks(argc, argv);
}
