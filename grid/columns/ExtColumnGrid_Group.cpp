// The column grid's side of inserting, removing and grouping columns: its column items
// follow the columns.
#include <algorithm>

#include "grid/columns/ExtColumnGrid.h"

void TExtColumnGrid::InsertCols(int ColIndex, int CCount)
{
    // Items follow only columns that were really inserted.
    if (CCount <= 0 || ColIndex < 0 || ColIndex > TotalColCount()) return;
    TExtStringGrid::InsertCols(ColIndex, CCount);
    if (!FColumnCollection) return;
    TGridColumnCollection& c = *FColumnCollection;
    const bool old = c.FNoRecursiveUpdate;
    c.FNoRecursiveUpdate = true;
    for (int i = 0; i < CCount; ++i) c.Insert(std::min(ColIndex, c.Count()));
    c.FNoRecursiveUpdate = old;
}

void TExtColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    if (CCount <= 0 || ColIndex < 0 || ColIndex >= TotalColCount()) return;
    CCount = std::min(CCount, TotalColCount() - ColIndex);
    TExtStringGrid::RemoveCols(ColIndex, CCount);
    if (!FColumnCollection) return;
    for (int i = 0; i < CCount && ColIndex < FColumnCollection->Count(); ++i) FColumnCollection->Delete(ColIndex);
}

void TExtColumnGrid::Group(int Colindex)
{
    FSaveCol->Assign(FColumnCollection->Items(Colindex));
    TExtStringGrid::Group(Colindex);
}

void TExtColumnGrid::UnGroup()
{
    const int g = GroupColumn();
    TExtStringGrid::UnGroup();
    if (g != -1 && g < FColumnCollection->Count()) FColumnCollection->Items(g)->Assign(FSaveCol.get());
}
