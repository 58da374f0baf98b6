#pragma once
// What the two table editor targets share: an editor's file read as the editor reads it
// (over tables in memory shaped by its description, so no window is needed), and the
// promise that what the loader accepted the writer writes whole and reads back the same.
#include <memory>

#include "editors/frame/UTableFile.h"
#include "fuzz/FuzzCommon.h"
#include "tests/common/memory_rows.h"

namespace fuzz {

class TTables {
public:
    TTables(TEditorDesc Desc, TEditorContext Context) : FDesc(std::move(Desc))
    {
        FData.Context = std::move(Context);
        for (const TTableDesc& t : FDesc.Tables) {
            auto g = std::make_unique<TMemoryRows>(t.Col_Count(), t.Rows + 1);
            for (int c = 0; c < t.Col_Count(); ++c) {
                if (t.Columns[size_t(c)].Kind == fkCheckBox) g->CheckColumn(c);
                if (t.Columns[size_t(c)].Flags & ffHidden) g->Hide(c);
            }
            FData.Grids.push_back(g.get());
            FOwned.push_back(std::move(g));
        }
    }

    // The tables as a showing leaves them before the file is read.
    void Reset() { Reset_Tables(FDesc, FData); }

    // The file's text as the editor's writer makes it from the tables.
    String Written()
    {
        TXMLDocument Doc;
        Write_Tables(FDesc, Doc, FData);
        return Doc.SaveToXML();
    }

    // One input: the file put in place and loaded as a showing loads it. A refusal must be
    // one of our errors (anything else escapes to libFuzzer). A file that loads is written,
    // the written text loaded into fresh tables and written again: the two texts agree.
    void Run(std::string_view Input, const String& File_Name)
    {
        const String File = PathJoin(Scratch_Folder(), File_Name);
        WriteFileAtomic(File, Input);
        Reset();
        try {
            Load_Tables(FDesc, File, FData);
        } catch (const Exception&) {
            return;
        }
        // The editor's OK runs the checks on whatever the file left in the tables.
        (void)Check_Tables(FDesc, FData);
        const String First = Written();
        WriteFileAtomic(File, First);
        Reset();
        try {
            Load_Tables(FDesc, File, FData);
        } catch (const Exception& e) {
            Fail("the written file loads again", Printable(String(e.what()) + " | " + First));
        }
        const String Second = Written();
        Check(First == Second, "write -> load -> write gives the same bytes",
              Printable(First) + "\n*** " + Printable(Second));
    }

private:
    TEditorDesc FDesc;
    TEditorData FData;
    std::vector<std::unique_ptr<TMemoryRows>> FOwned;
};

}  // namespace fuzz
