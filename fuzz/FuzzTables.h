#pragma once
// What the two table editor targets share: an editor's file read as the editor reads it
// (over tables in memory shaped by its description, so no window is needed), and the
// promise that what the loader accepted the writer writes whole and reads back the same.
#include "fuzz/FuzzCommon.h"
#include "tests/common/memory_tables.h"

namespace fuzz {

class TTables {
public:
    TTables(TEditorDesc Desc, TEditorContext Context) : FTables(std::move(Desc), std::move(Context)) {}

    // The tables as a showing leaves them before the file is read.
    void Reset() { Reset_Tables(FTables.Desc, FTables.Data); }

    // The file's text as the editor's writer makes it from the tables.
    String Written()
    {
        TXMLDocument Doc;
        Write_Tables(FTables.Desc, Doc, FTables.Data);
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
            Load_Tables(FTables.Desc, File, FTables.Data);
        } catch (const Exception&) {
            return;
        }
        // The editor's OK runs the checks on whatever the file left in the tables.
        (void)Check_Tables(FTables.Desc, FTables.Data);
        const String First = Written();
        WriteFileAtomic(File, First);
        Reset();
        try {
            Load_Tables(FTables.Desc, File, FTables.Data);
        } catch (const Exception& e) {
            Fail("the written file loads again", Printable(String(e.what()) + " | " + First));
        }
        const String Second = Written();
        Check(First == Second, "write -> load -> write gives the same bytes",
              Printable(First) + "\n*** " + Printable(Second));
    }

private:
    TMemoryTables FTables;
};

}  // namespace fuzz
