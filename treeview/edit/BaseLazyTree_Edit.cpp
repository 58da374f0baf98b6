// The tree's side of in-place editing: when a cell may be edited, opening the editor the
// edit link supplies, placing it over the cell's text, and ending it with or without
// storing the text. The tree knows no editor controls; it only talks to the link.
#include "platform/gui/Forms.h"
#include "treeview/core/BaseLazyTree.h"

bool TBaseLazyTree::CanEdit(PLazyNode Node, TColumnIndex Column)
{
    const TLTMiscOptions misc = FOptions->MiscOptions();
    TLazyTreeColumns* columns = FHeader->Columns();
    bool allowed = misc.Contains(toEditable) && Enabled() && !misc.Contains(toReadOnly) &&
                   (Column < 0 ||
                    (columns->IsValidColumn(Column) && columns->Items(Column)->Options().Contains(coEditable)));
    FireEditing(Node, Column, allowed);
    return allowed;
}

void TBaseLazyTree::FireEditing(PLazyNode Node, TColumnIndex Column, bool& Allowed)
{
    if (OnEditing) OnEditing(this, Node, Column, Allowed);
}

ILTEditLinkPtr TBaseLazyTree::FireCreateEditor(PLazyNode Node, TColumnIndex Column)
{
    ILTEditLinkPtr link;
    if (OnCreateEditor) OnCreateEditor(this, Node, Column, link);
    return link;
}

bool TBaseLazyTree::EditNode(PLazyNode Node, TColumnIndex Column)
{
    TreeAssert(Node != nullptr, "Node must not be nil.");
    TreeAssert(Column >= NoColumnIndex && Column < FHeader->Columns()->Count(),
               "Column must be a valid column index (-1 if no header is shown).");
    if (IsEditing() || FOptions->MiscOptions().Contains(toReadOnly)) return IsEditing();
    SetFocusedNode(Node);
    if (FFocusedNode != Node || !CanEdit(Node, Column)) return false;
    FEditColumn = Column;
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    StartEdit();
    return IsEditing();
}

void TBaseLazyTree::StartEdit()
{
    Application->CancelHint();
    StopTimer(ScrollTimer);
    StopTimer(EditTimer);
    ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    if (!FFocusedNode || FFocusedNode->States.Contains(vsDisabled) ||
        FOptions->MiscOptions().Contains(toReadOnly) || FEditLink)
        return;
    const ILTEditLinkPtr link = FireCreateEditor(FFocusedNode, FEditColumn);
    FEditLink = link;
    if (!link) return;
    ChangeTreeStates(TLazyTreeStates{tsEditing},
                     TLazyTreeStates{tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting,
                                     tsMouseCheckPending, tsOLEDragging, tsOLEDragPending, tsScrolling,
                                     tsScrollPending});
    ScrollIntoView(FFocusedNode, FOptions->SelectionOptions().Contains(toCenterScrollIntoView),
                   !FOptions->AutoOptions().Contains(toDisableAutoscrollOnEdit));
    if (link->PrepareEdit(this, FFocusedNode, FEditColumn)) {
        UpdateEditBounds();
        InvalidateNode(FFocusedNode);
        if (!link->BeginEdit()) ChangeTreeStates({}, TLazyTreeStates{tsEditing});
    } else {
        ChangeTreeStates({}, TLazyTreeStates{tsEditing});
    }
    if (!IsEditing()) FEditLink = nullptr;
}

bool TBaseLazyTree::FinishEdit()
{
    StopTimer(EditTimer);
    // The link stays alive while it stores, whoever lets go of it meanwhile.
    const ILTEditLinkPtr link = FEditLink;
    const bool result = IsEditing() && link && link->EndEdit();
    if (result) {
        ChangeTreeStates({}, TLazyTreeStates{tsEditing});
        FEditLink = nullptr;
        if (OnEdited) OnEdited(this, FFocusedNode, FEditColumn);
    }
    ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    return result;
}

bool TBaseLazyTree::EndEditNode()
{
    if (FStates.Contains(tsEditing) || FStates.Contains(tsEditPending)) return FinishEdit();
    return true;
}

bool TBaseLazyTree::AbortEdit()
{
    StopTimer(EditTimer);
    ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    const ILTEditLinkPtr link = FEditLink;
    const bool result = IsEditing() && link && link->CancelEdit();
    if (result) {
        ChangeTreeStates({}, TLazyTreeStates{tsEditing});
        if (OnEditCancelled) OnEditCancelled(this, FEditColumn);
        FEditLink = nullptr;
    }
    return result;
}

bool TBaseLazyTree::CancelEditNode()
{
    if (FStates.Contains(tsEditing) || FStates.Contains(tsEditPending)) return AbortEdit();
    return true;
}

void TBaseLazyTree::UpdateEditBounds()
{
    if (!IsEditing() || !FFocusedNode || !FEditLink) return;
    TLazyTreeColumns* columns = FHeader->Columns();
    if (FEditColumn >= 0 && FEditColumn >= columns->Count()) return;
    TRect r = GetDisplayRect(FFocusedNode, FEditColumn, true, !MultiLine(FFocusedNode), false);
    // The rows start below the header strip.
    OffsetRect(r, 0, HeaderAreaHeight());
    if (FOptions->MiscOptions().Contains(toGridExtensions)) {
        // In a grid the editor fills the cell from the text to the column's far edge.
        TAlignment alignment = FEditColumn >= 0 ? columns->Items(FEditColumn)->Alignment() : FAlignment;
        if (UseRightToLeftAlignment()) {
            if (alignment == taLeftJustify)
                alignment = taRightJustify;
            else if (alignment == taRightJustify)
                alignment = taLeftJustify;
        }
        int left = 0, right = ClientWidth();
        if (FEditColumn >= 0) columns->GetColumnBounds(FEditColumn, left, right);
        if (alignment == taLeftJustify)
            r.Right = right;
        else
            r.Left = left;
    }
    if (FOptions->PaintOptions().Contains(toShowHorzGridLines)) --r.Bottom;
    r.Bottom = r.Top + std::max(FEditLink->GetBounds().Height(), r.Height());
    FEditLink->SetBounds(r);
}
