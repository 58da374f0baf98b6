// Recording cell changes of a grid and stepping back and forth through them.
#include "grid/undo/GridUndoRedo.h"

#include "grid/base/BaseGrid.h"

TUndoRowChange::~TUndoRowChange()
{
    if (!Held || !Release) return;
    for (TRowCells& row : Cells)
        for (TObject* o : row.Objects)
            if (o) Release(o);
}

TUndoRedoItem* TUndoRedoCollection::Add()
{
    FItems.push_back(std::make_unique<TUndoRedoItem>());
    return FItems.back().get();
}

void TUndoRedoCollection::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
}

void TUndoRedoCollection::Truncate(int Index)
{
    if (Index < 0) Index = 0;
    if (Index < Count()) FItems.erase(FItems.begin() + Index, FItems.end());
}

TExtGridUndoRedo::TExtGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>())
{
}

TExtGridUndoRedo::~TExtGridUndoRedo() = default;

void TExtGridUndoRedo::SetGrid(TBaseGrid* v)
{
    if (FGrid == v) return;
    // A history names rows of its grid and may hold records of rows taken out of it:
    // it goes with the grid it was recorded on, while that grid can still free them.
    if (FGrid) Reset();
    if (FGrid) RemoveFreeNotification(FGrid);
    FGrid = v;
    // Each side hears when the other goes, whoever owns them.
    if (FGrid) FreeNotification(FGrid);
}

void TExtGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FGrid) FGrid = nullptr;
}

TUndoRedoItem* TExtGridUndoRedo::Append()
{
    // What was undone cannot be redone once the user changes something new: redoing it
    // would write texts recorded against cells that have changed since.
    FItems->Truncate(FLevel);
    return FItems->Add();
}

void TExtGridUndoRedo::RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue)
{
    FItems->Truncate(FLevel);
    if (FMaxLevel > 0)
        while (FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* E = FItems->Add();
    E->Col = ACol;
    E->Row = ARow;
    E->Value = NewValue;
    E->OrigValue = OldValue;
    FLevel = FItems->Count();
}

void TExtGridUndoRedo::RegisterRowChange(std::shared_ptr<TUndoRowChange> Change)
{
    if (!Change) return;
    FItems->Truncate(FLevel);
    if (FMaxLevel > 0)
        while (FItems->Count() >= FMaxLevel) FItems->Delete(0);
    TUndoRedoItem* E = FItems->Add();
    E->Row = Change->Row;
    E->RowChange = std::move(Change);
    FLevel = FItems->Count();
}

void TExtGridUndoRedo::StartSequence()
{
    Append()->SequenceStart = true;
    FLevel = FItems->Count();
}

void TExtGridUndoRedo::StopSequence()
{
    Append()->SequenceStop = true;
    FLevel = FItems->Count();
}

void TExtGridUndoRedo::Reset()
{
    FItems->Clear();
    FLevel = 0;
}

void TExtGridUndoRedo::Apply(const TUndoRedoItem* E, bool Restore)
{
    // A marker is no cell, and a cell the grid no longer has (rows or columns removed
    // since) is passed over rather than written out of bounds.
    if (E->IsMarker() || !FGrid) return;
    if (E->RowChange) {
        FGrid->ReplayRowChange(*E->RowChange, Restore);
        return;
    }
    if (E->Col < 0 || E->Row < 0 || E->Col >= FGrid->TotalColCount() || E->Row >= FGrid->RowCount()) return;
    const String& text = Restore ? E->OrigValue : E->Value;
    const TExtGridUndoRedoEvent& ev = Restore ? OnUndo : OnRedo;
    if (ev) ev(this, FGrid, E->Col, E->Row, FGrid->GetCellEx(E->Col, E->Row), text);
    FGrid->SetCellEx(E->Col, E->Row, text);
    const int dc = FGrid->DisplColIndex(E->Col);
    if (dc >= 0 && dc < FGrid->ColCount()) FGrid->SetCol(dc);
    FGrid->SetRow(E->Row);
}

void TExtGridUndoRedo::Undo()
{
    if (!FGrid || FLevel <= 0 || FItems->Count() < FLevel) return;
    const TUndoRedoItem* E = FItems->Items(FLevel - 1);
    if (E->SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems->Items(FLevel - 1)->SequenceStart) {
            Apply(FItems->Items(FLevel - 1), true);
            --FLevel;
        }
        if (FLevel > 0) --FLevel;
        FGrid->Invalidate();
        return;
    }
    Apply(E, true);
    if (E->RowChange) FGrid->Invalidate();
    else if (E->Row >= 0 && E->Row < FGrid->RowCount()) FGrid->RepaintCell(FGrid->Col(), E->Row);
    --FLevel;
}

void TExtGridUndoRedo::Redo()
{
    if (!FGrid || FLevel >= FItems->Count()) return;
    ++FLevel;
    const TUndoRedoItem* E = FItems->Items(FLevel - 1);
    if (E->SequenceStart) {
        ++FLevel;
        while (FLevel <= FItems->Count() && !FItems->Items(FLevel - 1)->SequenceStop) {
            Apply(FItems->Items(FLevel - 1), false);
            ++FLevel;
        }
        // Past the end marker; a sequence still open at the end of the history ends there.
        if (FLevel > FItems->Count()) FLevel = FItems->Count();
        FGrid->Invalidate();
        return;
    }
    Apply(E, false);
    if (E->RowChange) FGrid->Invalidate();
}
