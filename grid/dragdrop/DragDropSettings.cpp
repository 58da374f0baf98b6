#include "grid/dragdrop/DragDropSettings.h"

namespace {
bool GDropRTF = false;
}

TGridDropTargetHooks& GridDropTargetHooks()
{
    static TGridDropTargetHooks hooks;
    return hooks;
}

void SetDropRTF(bool Value) { GDropRTF = Value; }
bool DropRTF() { return GDropRTF; }

TDragDropSettings::~TDragDropSettings()
{
    if (FDropTargetAssigned && GridDropTargetHooks().Revoke) GridDropTargetHooks().Revoke(FOwner);
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    SetDropRTF(Value);
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    TGridDropTargetHooks& h = GridDropTargetHooks();
    if (Value) {
        // A window registered once stays registered; a second registration would fail.
        if (!FDropTargetAssigned) FDropTargetAssigned = h.Register && h.Register(FOwner);
    } else if (FDropTargetAssigned) {
        if (h.Revoke) h.Revoke(FOwner);
        FDropTargetAssigned = false;
    }
}

void TDragDropSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TDragDropSettings*>(Source);
    if (!s || s == this) return;
    SetOleDropRTF(s->FOleDropRTF);
    OleAcceptText = s->OleAcceptText;
    OleEntireRows = s->OleEntireRows;
    OleDropSource = s->OleDropSource;
    OleRemoveRows = s->OleRemoveRows;
    OleAcceptFiles = s->OleAcceptFiles;
    OleAcceptURLs = s->OleAcceptURLs;
    SetOleDropTarget(s->FOleDropTarget);
    OleInsertRows = s->OleInsertRows;
    OleAppendRows = s->OleAppendRows;
    OleCopyAlways = s->OleCopyAlways;
    OleColumnDragDrop = s->OleColumnDragDrop;
    OleColumnReorder = s->OleColumnReorder;
    OleColumnsOnly = s->OleColumnsOnly;
    SetShowCells(s->FShowCells);
}
