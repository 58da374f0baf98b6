// What other programs hand the grid through the clipboard and drops, and the settings
// files it reads: a text block pasted at a cell, a file list, a column states text and a
// settings file; and a smart paste of clipboard text over a selection (series of numbers,
// dates and times, text patterns, repeated rows and columns). The first byte picks the reader, the rest is the data. A reader either
// refuses the data with an Exception and leaves the grid as it was, or takes it.
#include <cstdlib>

#include "fuzz/FuzzCommon.h"
#include "fuzz/FuzzGrid.h"
#include "grid/core/ExtGrid.h"
#include "gridext/clipboard/GridClipboard.h"
#include "gridext/settings/GridLayout.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/os/IniFiles.h"

namespace {

TForm* Form = nullptr;

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
    const std::string data(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    auto* g = new TExtStringGrid(Form);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetOptions(g->Options() << goEditing);
    g->SetCellEx(1, 1, "before");
    const std::string before = fuzz::Grid_State(*g);
    try {
        switch (Data[0] % 5) {
        case 0: {
            int lines = 0, fields = 0;
            GridClipboard::PasteTextBlock(*g, 1, 1, lines, fields, data);
            break;
        }
        case 1:
            for (const String& n : FileListFromBytes(data))
                if (n.empty() || n.find('\0') != String::npos) std::abort();
            break;
        case 2:
            GridLayout::StringToColumnStates(*g, data);
            break;
        case 4: {
            g->Navigation()->AllowSmartClipboard = true;
            g->SetCellEx(1, 2, "2");
            Clipboard()->SetAsText(data);
            // One column, one row, or a block of several rows and columns.
            const TGridRect shapes[] = {TGridRect(1, 1, 1, 2), TGridRect(1, 1, 2, 1), TGridRect(1, 1, 2, 2)};
            g->SetSelection(shapes[data.size() % 3]);
            GridClipboard::PasteSelectionFromClipboard(*g);
            break;
        }
        default: {
            const TIniFile f = TIniFile::FromText(data);
            // What is written reads back the same.
            const TIniFile again = TIniFile::FromText(f.Text());
            for (const String& s : f.Sections())
                for (const String& k : f.ReadSection(s))
                    if (again.ReadString(s, k, "\x01") != f.ReadString(s, k, "")) std::abort();
            break;
        }
        }
    } catch (const Exception&) {
        if (Data[0] % 5 != 2 && Data[0] % 5 != 4 && fuzz::Grid_State(*g) != before) std::abort();
    }
    delete g;
    return 0;
}
