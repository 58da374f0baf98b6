// Editing the edit, password, mask and combo controls of mini-HTML cells: the editor
// library's control editors open over the control, and what the user leaves in them is
// written back into the control's tag. The cell text stays the only store.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridOptions.h"
#include "grid/edit/GridEditorKinds.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"

namespace {
bool IsEditableControlType(const String& T) { return T == "EDIT" || T == "PASSWORD" || T == "MASK" || T == "COMBO"; }
// Far outside any cell: the hit test then finds a control only by its ID.
constexpr int kNowhere = -1000000;
}

bool TExtStringGrid::IsHTMLControlCell(int ACol, int ARow)
{
    if (!EnableHTML || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    const String text = GetFormattedCell(RealColIndex(ACol), ARow);
    return GetTextKind(text, true) == tkHTML && HasHTMLControls(text);
}

void TExtStringGrid::StartControlEdit(int ACol, int ARow, const String& AfterID)
{
    String id;
    TMiniHTMLParams p;
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) {
        id = NextHTMLEditControl(GetFormattedCell(RealColIndex(ACol), ARow), AfterID);
        p.ControlID = id;
    }
    if (id.empty() || !HTMLCellHitTest(ACol, ARow, kNowhere, kNowhere, p) || p.ControlID != id) {
        if (CanFocus()) SetFocus();
        return;
    }
    const int rc = RealColIndex(ACol);
    OpenControlEditor(GetCellEx(rc, ARow), p.ControlType, ARow, rc, ACol, p.ControlRect, p.ControlValue, id);
}

void TExtStringGrid::OpenControlEditor(const String& Text, const String& CtrlType, int ARow, int RealCol, int ACol,
                                       const TRect& R, const String& CtrlVal, const String& CtrlID)
{
    const TGridEditorParts& parts = GridEditorParts();
    if (!IsEditableControlType(CtrlType) || !parts.OpenControlEditor) return;
    StopControlEdit();
    FCtrlXY = TPoint(RealCol, ARow);
    FCtrlID = CtrlID;
    FCtrlType = CtrlType;
    FCtrlOldValue = CtrlVal;
    FCtrlEditing = true;
    if (!parts.OpenControlEditor(this, Text, CtrlType, R, CtrlVal)) {
        FCtrlEditing = false;
        FCtrlType.clear();
    }
}

void TExtStringGrid::StopControlEdit()
{
    if (!FCtrlEditing) return;
    FCtrlEditing = false;
    const TGridEditorParts& parts = GridEditorParts();
    const String type = FCtrlType;
    const String value = parts.ControlEditorValue ? parts.ControlEditorValue(this, type) : FCtrlOldValue;
    // Only a changed value is written: closing an editor the user did not change leaves
    // the cell text (and the grid's modified state) as they were.
    if (value != FCtrlOldValue && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount() && FCtrlXY.X >= 0 &&
        FCtrlXY.X < TotalColCount()) {
        String text = GetCellEx(FCtrlXY.X, FCtrlXY.Y);
        if (SetHTMLControlValue(text, FCtrlID, value)) SetCellEx(FCtrlXY.X, FCtrlXY.Y, text);
    }
    if (TWinControl* e = parts.ControlEditor ? parts.ControlEditor(this, type) : nullptr) {
        const bool hadFocus = e->Focused();
        e->Hide();
        // The focus does not get lost with the editor.
        if (hadFocus && CanFocus()) SetFocus();
    }
    if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, type, value);
    FCtrlType.clear();
}

void TExtStringGrid::DropControlEdit()
{
    if (!FCtrlEditing) return;
    FCtrlEditing = false;
    const TGridEditorParts& parts = GridEditorParts();
    if (TWinControl* e = parts.ControlEditor ? parts.ControlEditor(this, FCtrlType) : nullptr) {
        const bool hadFocus = e->Focused();
        e->Hide();
        if (hadFocus && CanFocus()) SetFocus();
    }
    if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, FCtrlOldValue);
    FCtrlType.clear();
}

// The editor knows its cell only by index. Whatever else writes that index (rows
// inserted above, the row removed, the cells cleared) puts another cell there, so the
// edit ends unwritten, as the grid's own text editor gives its typing up then; the
// editor's own write comes after FCtrlEditing went false and passes.
void TExtStringGrid::CellChanged(int ACol, int ARow)
{
    TBaseGrid::CellChanged(ACol, ARow);
    // Cells moved by the grid itself took the editor's index along beforehand.
    if (FCtrlEditing && FEditedCellsMoving == 0 && ACol == FCtrlXY.X && ARow == FCtrlXY.Y) DropControlEdit();
}

// Called before the cells move (real indexes): the value is written into its cell while
// the index still names it, and the cell takes it along; the editor would stand over
// another cell afterwards, so it closes.
void TExtStringGrid::ControlEditMoving(bool Rows, int RealFrom, int RealTo)
{
    if (!FCtrlEditing || RealFrom == RealTo) return;
    const int at = Rows ? FCtrlXY.Y : FCtrlXY.X;
    const int lo = std::min(RealFrom, RealTo), hi = std::max(RealFrom, RealTo);
    if (at >= lo && at <= hi) StopControlEdit();
}

void TExtStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    // A cell that left the grid takes the edit with it; growing back gives an empty cell.
    // (Inside a move of cells the indexes were set for the end of the move already.)
    if (FEditedCellsMoving > 0) return;
    if (FCtrlEditing && (FCtrlXY.Y >= RowCount() || FCtrlXY.X >= TotalColCount())) DropControlEdit();
    if (FEditActive && (FEditedXY.Y >= RowCount() || FEditedXY.X >= TotalColCount())) DropCellEditor();
    if (FFixedEditor && FFixedEditor->Visible() && (FFixedRowEdit >= RowCount() || FFixedColEdit >= TotalColCount()))
        DropFixedEdit();
}

bool TExtStringGrid::ControlEditorKey(WORD Key)
{
    if (!FCtrlEditing) return false;
    if (Key == VK_RETURN) {
        StopControlEdit();
        if (CanFocus()) SetFocus();
        return true;
    }
    if (Key == VK_ESCAPE) {
        // The value the control had stays: the editor's text is given up.
        DropControlEdit();
        if (CanFocus()) SetFocus();
        return true;
    }
    if (Key == VK_TAB) {
        const TPoint cell = FCtrlXY;
        const String id = FCtrlID;
        StopControlEdit();
        const bool inGrid = cell.Y >= 0 && cell.Y < RowCount() && cell.X >= 0 && cell.X < TotalColCount();
        if (FNavigation->AdvanceAuto()) {
            // On from the control's cell, which a click on the control did not make current.
            if (CanFocus()) SetFocus();
            if (inGrid) AdvanceToNextCell(DisplColIndex(cell.X), cell.Y, false, false, true, false, true);
        } else if (inGrid) {
            StartControlEdit(DisplColIndex(cell.X), cell.Y, id);
        }
        return true;
    }
    return false;
}

void TExtStringGrid::ControlComboSelect(int ItemIndex, const String& Value)
{
    if (OnControlComboSelect) OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, ItemIndex, FCtrlID, Value);
}
