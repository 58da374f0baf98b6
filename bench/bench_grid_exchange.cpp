// Saving and loading 100 000 x 10 cells as CSV through the grid, against writing and
// reading the same texts with a plain loop over std::ofstream / std::ifstream.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/GuiBenchMain.h"
#include "grid/core/ExtGrid.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/gui/Forms.h"

namespace {

constexpr int kCols = 10;
constexpr int kRows = 100000;

String Text(int r, int c)
{
    String s = "R";
    s += IntToStr(r);
    s += " C";
    s += IntToStr(c);
    s += " value";
    return s;
}

std::string FilePath(const char* name)
{
    std::string p = "/tmp/bench_grid_exchange_";
    p += std::to_string(::getpid());
    p += name;
    return p;
}

struct GridWindow {
    std::unique_ptr<TForm> form;
    TExtStringGrid* grid = nullptr;
    GridWindow()
    {
        form = std::make_unique<TForm>(nullptr);
        grid = new TExtStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetCellEx(c, r, Text(r, c));
        form->Show();
    }
};

void BM_Grid_SaveToCSV(benchmark::State& state)
{
    GridWindow w;
    const std::string path = FilePath("grid.csv");
    for (auto _ : state) GridExchange::SaveToCSV(*w.grid, path);
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_Plain_WriteCSV(benchmark::State& state)
{
    std::vector<String> cells;
    cells.reserve(size_t(kRows) * kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) cells.push_back(Text(r, c));
    const std::string path = FilePath("plain.csv");
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                if (c) out << ',';
                out << cells[size_t(r) * kCols + size_t(c)];
            }
            out << "\r\n";
        }
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_Grid_LoadFromCSV(benchmark::State& state)
{
    GridWindow w;
    const std::string path = FilePath("load.csv");
    GridExchange::SaveToCSV(*w.grid, path);
    for (auto _ : state) GridExchange::LoadFromCSV(*w.grid, path);
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

void BM_Plain_ReadCSV(benchmark::State& state)
{
    GridWindow w;
    const std::string path = FilePath("plainload.csv");
    GridExchange::SaveToCSV(*w.grid, path);
    std::vector<String> cells(size_t(kRows) * kCols);
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        size_t i = 0;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            size_t start = 0;
            for (size_t p = line.find(','); ; p = line.find(',', start)) {
                if (i < cells.size()) cells[i++] = line.substr(start, p - start);
                if (p == std::string::npos) break;
                start = p + 1;
            }
        }
        benchmark::DoNotOptimize(cells.data());
    }
    ::unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * kRows * kCols);
}

}  // namespace

BENCHMARK(BM_Grid_SaveToCSV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain_WriteCSV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid_LoadFromCSV)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain_ReadCSV)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
