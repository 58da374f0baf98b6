// Form controls in mini-HTML cells: the cell text is their only store, so a click writes
// the control's new value back into the tag and repaints the cell.
#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"

bool TExtStringGrid::ControlClickAt(int ACol, int ARow, const TMiniHTMLParams& Hit)
{
    const int rc = RealColIndex(ACol);
    if (!CanEditControls(rc, ARow)) return false;
    // An open control editor writes its value first; the text is read after that.
    StopControlEdit();
    String text = GetCellEx(rc, ARow);
    String value = Hit.ControlValue;
    const String& type = Hit.ControlType;
    if (type == "BUTTON") {
        FCtrlXY = TPoint(rc, ARow);
        FCtrlID = Hit.ControlID;
        FCtrlDown = true;
        RepaintCell(ACol, ARow);
    } else if (type == "CHECK") {
        // Drawn checked for "true" in any letter case, so it is unchecked from there too.
        value = UpperCase(value) == "TRUE" ? "FALSE" : "TRUE";
        if (SetHTMLControlValue(text, Hit.ControlID, value)) SetCellEx(rc, ARow, text);
    } else if (type == "RADIO") {
        value = "TRUE";
        String cleared = ClearHTMLRadioControls(text);
        if (SetHTMLControlValue(cleared, Hit.ControlID, value)) SetCellEx(rc, ARow, cleared);
    }
    RepaintCell(ACol, ARow);
    if (OnControlClick) OnControlClick(this, ARow, rc, Hit.ControlID, type, value);
    OpenControlEditor(text, type, ARow, rc, ACol, Hit.ControlRect, value, Hit.ControlID);
    return true;
}

bool TExtStringGrid::CanEditControls(int ACol, int ARow)
{
    bool CanEdit = (Options().Contains(goEditing) || FEditDisabled) && !GetReadOnly(ACol, ARow);
    FireCanEditCell(ACol, ARow, CanEdit);
    return CanEdit;
}

void TExtStringGrid::ReleaseControlButton()
{
    if (!FCtrlDown) return;
    FCtrlDown = false;
    if (FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount()) RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

bool TExtStringGrid::ControlCellClickAt(int ACol, int ARow)
{
    if (!EnableHTML || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    const String text = GetFormattedCell(RealColIndex(ACol), ARow);
    if (GetTextKind(text, true) != tkHTML || UpperCase(text).find("<CONTROL") == String::npos) return false;
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    if (Row() != ARow) SetRow(ARow);
    if (Col() != ACol) SetCol(ACol);
    HideInplaceEdit();
    return true;
}
