#pragma once
// An editor's tables in memory, shaped by its description and reset as a showing resets
// them: what the engine's file routines and checks work on without a window. Check-box
// columns hold their values as text on a column-grid table and carry real check boxes
// on a string-grid table, as the window's grids do.
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "editors/frame/UTableFile.h"
#include "tests/common/memory_rows.h"

struct TMemoryTables {
    explicit TMemoryTables(TEditorDesc D, TEditorContext Context = TEditorContext()) : Desc(std::move(D))
    {
        Data.Context = std::move(Context);
        for (const TTableDesc& t : Desc.Tables) {
            auto g = std::make_unique<TMemoryRows>(t.Col_Count(), t.Rows + 1);
            for (int c = 0; c < t.Col_Count(); ++c) {
                const TFieldDesc& Col = t.Columns[size_t(c)];
                if (Col.Kind == fkCheckBox && c >= 1) {
                    if (t.Grid_Kind == gkStringGrid)
                        g->BoxColumn(c);
                    else
                        g->CheckColumn(c);
                }
                if (Col.Flags & ffHidden) g->Hide(c);
            }
            Data.Grids.push_back(g.get());
            Owned.push_back(std::move(g));
        }
        Reset_Tables(Desc, Data);
    }
    TMemoryRows& operator[](int Table) { return *Owned[size_t(Table)]; }
    // Sets cells of a row as the file holds them: {column, value} pairs (a real check box
    // is ticked by its column's Check_On).
    void Set(int Table, int Row, std::initializer_list<std::pair<int, const char*>> Cells)
    {
        const TTableDesc& t = Desc.Tables[size_t(Table)];
        for (const auto& [c, text] : Cells) Set_Cell_Value(t.Columns[size_t(c)], *Owned[size_t(Table)], c, Row, text);
    }
    // The failure text of a check, empty when everything passes.
    String Check() const
    {
        const auto f = Check_Tables(Desc, Data);
        return f ? f->Text : String();
    }

    TEditorDesc Desc;
    TEditorData Data;
    std::vector<std::unique_ptr<TMemoryRows>> Owned;
};
