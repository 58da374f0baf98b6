// The grid's readers of outside files and streams: its own text format (file and
// stream), CSV, fixed-width text, XML and the binary cell stream. The first byte picks the
// reader and a few options, the rest is the file. A reader either refuses the input with
// an Exception and leaves the grid as it was, or loads it; a loaded binary block saved
// again loads back to the same cells.
#include <cstdlib>

#include "fuzz/FuzzCommon.h"
#include "fuzz/FuzzGrid.h"
#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Streams.h"

namespace {

using namespace GridExchange;

TForm* Form = nullptr;

TExtStringGrid* FreshGrid()
{
    auto* g = new TExtStringGrid(Form);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetCellEx(1, 1, "before");
    return g;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Form = new TForm(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    const uint8_t pick = Data[0];
    const std::string_view body = fuzz::Bytes(Data + 1, Size - 1);
    const std::string file = fuzz::Scratch_Folder() + "/in";
    {
        FILE* f = std::fopen(file.c_str(), "wb");
        if (!f) return 0;
        std::fwrite(body.data(), 1, body.size(), f);
        std::fclose(f);
    }
    std::unique_ptr<TExtStringGrid> g(FreshGrid());
    g->Multilinecells = (pick & 0x10) != 0;
    g->JavaCSV = (pick & 0x20) != 0;
    g->LoadFirstRow = (pick & 0x40) == 0;
    const std::string before = fuzz::Grid_State(*g);
    TMemoryStream stream(body.data(), static_cast<int64_t>(body.size()));
    const int reader = pick % 6;
    try {
        switch (reader) {
        case 0: LoadFromFile(*g, file); break;
        case 1: LoadFromStream(*g, stream); break;
        case 2: LoadFromCSVStream(*g, stream, (pick & 0x80) ? 3 : 0); break;
        case 3: {
            TIntList pos(0, 0);
            for (int p : {1, 4, 9, 30}) pos.Add(p);
            LoadFromFixed(*g, file, pos, -1, (pick & 0x80) != 0);
            break;
        }
        case 4: LoadFromXML(*g, file, (pick & 0x80) != 0, (pick & 0x08) != 0); break;
        case 5: LoadFromBinStream(*g, stream); break;
        }
    } catch (const Exception&) {
        // Every reader checks what it read before it changes the grid.
        fuzz::Check(fuzz::Grid_State(*g) == before, "a refused input leaves the grid as it was");
        return 0;
    }
    fuzz::Check(g->ColCount() <= MaxCols + 2 && g->TotalColCount() >= 0, "column count bounded");

    // A loaded block saves and loads back to the same cells.
    if (reader == 5) {
        TMemoryStream out;
        SaveToBinStream(*g, out);
        out.SetPosition(0);
        std::unique_ptr<TExtStringGrid> back(FreshGrid());
        LoadFromBinStream(*back, out);
        fuzz::Check(fuzz::Grid_State(*back) == fuzz::Grid_State(*g), "a saved block loads back to the same cells");
    }
    return 0;
}
