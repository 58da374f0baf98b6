#pragma once
// The grid's combo editor of list cells.
#include "gridedit/AsgCombo.h"

class TExtStringGrid;

// Ends the edit of an editor holding text and moves one cell sideways (right or left),
// as the caret walks out of the editor; true when the walk was taken.
bool LeaveEditorSideways(TExtStringGrid* g, const String& text, bool right);

// The combo editor: a drop-down list (edComboList) or an edit field with a list of
// suggestions (edComboEdit). Its list is the one offered for the cell asked about last.
class TGridCombo : public TAsgComboBox {
public:
    explicit TGridCombo(TExtStringGrid* AGrid);
    TExtStringGrid* Grid() const { return FGrid; }
    // The text the editor started with.
    String FStartText;
    // The lookup of the next key release may complete the text (off after Backspace
    // and Delete, so deleting is never undone by a completion).
    bool WorkMode = true;
    // Enter was pressed in the editor.
    TNotifyEvent OnReturnKey;

    // Widens the dropped list to its longest item, as measured on the grid's canvas.
    void SizeDropDownWidth();
    // Completes the typed text from the list, then from the grid's lookup items.
    void DoChange();
    void WndProc(TMessage& msg) override;
    // Reports the item shown as chosen: OnComboChange and OnComboObjectChange with the
    // real column of the current cell.
    void ReportIndex(int idx, const String& text);

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void DoExit() override;
    void Change() override;
    void Select() override;

private:
    void HandleWMSetFocus(TMessage& msg);
    void HandleCMWantSpecialKey(TMessage& msg);
    // The editor shown by its grid takes the grid's look and sizes its list.
    void TakeGridLook();
    // Caret and cursor walk out of the cell sideways; true when the key was used.
    bool CursorWalk(WORD key, TShiftState shift);
    // The selection changed: OnComboChange and OnComboObjectChange with the real column.
    void ReportChange();
    TExtStringGrid* FGrid;
    int FReportedIndex = -2;
};
