// The string grid against a plain Qt table widget: setting 100 000 cells (20 columns,
// 5000 rows), scrolling to the end and painting one screenful, in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>

#include <memory>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

namespace {

constexpr int kCols = 20;
constexpr int kRows = 5000;   // 100 000 cells
constexpr int kWidth = 800;
constexpr int kHeight = 600;

const std::vector<String>& Texts()
{
    static const std::vector<String> texts = [] {
        std::vector<String> v;
        v.reserve(size_t(kCols) * kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                String s = "R";
                s += IntToStr(r);
                s += " C";
                s += IntToStr(c);
                v.push_back(std::move(s));
            }
        return v;
    }();
    return texts;
}

const std::vector<QString>& QTexts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> v;
        v.reserve(Texts().size());
        for (const String& s : Texts()) v.push_back(QString::fromUtf8(s.data(), qsizetype(s.size())));
        return v;
    }();
    return texts;
}

// One shown window holding the grid under test, as the program shows its grids.
struct GridWindow {
    std::unique_ptr<TForm> form;
    TStringGrid* grid = nullptr;
    GridWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientWidth(kWidth);
        form->SetClientHeight(kHeight);
        grid = new TStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, kWidth, kHeight);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        form->Show();
    }
    void SetCells()
    {
        const std::vector<String>& t = Texts();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetCells(c, r, t[size_t(r) * kCols + size_t(c)]);
    }
    void ScrollToEndAndPaint(TBitmap& bmp)
    {
        grid->SetTopRow(kRows - 1);
        grid->SetLeftCol(kCols - 1);
        PaintControlTo(grid, &bmp);
    }
};

struct TableWindow {
    std::unique_ptr<QTableWidget> table;
    TableWindow()
    {
        table = std::make_unique<QTableWidget>(kRows, kCols);
        table->resize(kWidth, kHeight);
        table->setAttribute(Qt::WA_DontShowOnScreen, true);
        table->show();
    }
    void SetCells()
    {
        const std::vector<QString>& t = QTexts();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) table->setItem(r, c, new QTableWidgetItem(t[size_t(r) * kCols + size_t(c)]));
    }
    void ScrollToEndAndPaint(QImage& img)
    {
        table->scrollToBottom();
        table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        QCoreApplication::sendPostedEvents();
        img.fill(Qt::white);
        QPainter p(&img);
        table->render(&p);
    }
};

void BM_Grid_SetCellsScrollPaint(benchmark::State& state)
{
    TBitmap bmp;
    for (auto _ : state) {
        GridWindow w;
        w.SetCells();
        w.ScrollToEndAndPaint(bmp);
        benchmark::DoNotOptimize(bmp.Width());
        state.PauseTiming();
        w.form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCols * kRows);
}

void BM_QtTable_SetCellsScrollPaint(benchmark::State& state)
{
    QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        TableWindow w;
        w.SetCells();
        w.ScrollToEndAndPaint(img);
        benchmark::DoNotOptimize(img.width());
        state.PauseTiming();
        w.table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCols * kRows);
}

// The two parts on their own: one screenful painted after scrolling to the end.
void BM_Grid_PaintScreen(benchmark::State& state)
{
    GridWindow w;
    w.SetCells();
    TBitmap bmp;
    for (auto _ : state) {
        w.ScrollToEndAndPaint(bmp);
        w.grid->SetTopRow(1);
    }
}

void BM_QtTable_PaintScreen(benchmark::State& state)
{
    TableWindow w;
    w.SetCells();
    QImage img(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w.ScrollToEndAndPaint(img);
        w.table->scrollToTop();
    }
}

}

BENCHMARK(BM_Grid_SetCellsScrollPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtTable_SetCellsScrollPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtTable_PaintScreen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
