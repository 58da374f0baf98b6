#pragma once
// The grid's in-place editors: each is a hidden child of the grid between edits. The
// grid reaches them through the editor kinds that Register_Grid_Editors hands it; the
// functions at the end give a grid's editors by their own types.
#include <functional>
#include <string>
#include <vector>

#include "gridedit/AsgCombo.h"
#include "gridedit/AsgEditBtn.h"
#include "gridedit/AsgSpin.h"
#include "gridedit/DateTimePickers.h"
#include "gridedit/GridCombo.h"
#include "gridedit/PickerEditors.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Grids.h"
#include "platform/gui/Mask.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

class TExtStringGrid;
class TImageList;

// The grid's default in-place text editor: filters typed characters by the cell's
// editor kind, validates through the grid before the current cell moves, puts the
// cell's text back on Escape and reports the end of the edit when it loses the focus.
class TExtInplaceEdit : public TInplaceEdit {
public:
    explicit TExtInplaceEdit(TExtStringGrid* AGrid);
    void UpdateContents() override;
    void WndProc(TMessage& msg) override;
    // Right-aligned text and wrapped lines; setting either lays the field out anew.
    bool VAlign() const { return FValign; }
    void SetVAlign(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // The lookup completion after a key release.
    void DoChange();

    // The cell the editor was last loaded for (displayed column, row).
    int FColE = -1, FRowE = -1;
    bool FGotFocus = false;
    // Selection start at the last key-down hook and at the last key-down message.
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    // The length limit of the cell (0 or less: none).
    int FLengthLimit = 0;
    bool GotKey = false;
    // The next key release may complete the text from the lookup items.
    bool Workmode = true;
    // Alt+Backspace is held: the focus flickering meanwhile does not end the edit.
    bool FAltBack = false;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void Change() override;
    void DblClick() override;
    void BoundsChanged() override;
    void HandleWMKeyDown(TMessage& msg);
    void HandleWMKeyUp(TMessage& msg);
    void HandleWMChar(TMessage& msg);
    void HandleWMPaste(TMessage& msg);
    void HandleWMCopy(TMessage& msg);
    void HandleWMCut(TMessage& msg);
    void HandleWMSetFocus(TMessage& msg);
    void HandleWMKillFocus(TMessage& msg);
    void HandleCMWantSpecialKey(TMessage& msg);

private:
    // The field's style for the cell: alignment, wrapping, password, line breaks.
    void CreateParams();
    // Pastes the clipboard's text as the cell's kind allows, within the length limit.
    void Paste();
    // False when the kind refuses the character (beep set when it says so).
    bool AcceptChar(WideChar& ch, bool& beep);
    void AfterRefusal();
    // Leaving the cell sideways from the caret's end of the text (Left or Right).
    bool CursorWalk(WORD key, TShiftState shift);
    // The row grows for the text while it is typed.
    void SizeRowWhileTyping(bool newLine);
    bool FValign = false;
    bool FWordWrap = false;
    TExtStringGrid* FGrid;
};

// Base of the special editors: a hidden, owned child of the grid.
class TGridEditorControl : public TCustomControl {
public:
    explicit TGridEditorControl(TExtStringGrid* AGrid);
};

// The editors of fixed cells (headers): unlike the cell editors they validate and store
// their text themselves, when they lose the focus. Enter does nothing in them; Escape
// closes them and the cell keeps its text.
class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TExtStringGrid* AGrid);
    bool BorderLess = true;
    // The fixed cell being edited (real column). The grid keeps it (FFixedColEdit,
    // FFixedRowEdit), so that it follows rows and columns moved under the editor.
    int Row() const;
    void SetRow(int v);
    int Col() const;
    void SetCol(int v);
    // Validates and stores the text; false when OnCellValidate refused it: the editor
    // then stays open and takes the focus back, and the cell keeps its text.
    bool StopEdit();
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

class TGridTransCombo : public TComboBox {
public:
    explicit TGridTransCombo(TExtStringGrid* AGrid);
    // As TGridTransEdit's: the grid keeps the cell.
    int Row() const;
    void SetRow(int v);
    int Col() const;
    void SetCol(int v);
    // As TGridTransEdit::StopEdit; in the list style the selected item is the value.
    bool StopEdit();
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

// The check-box editor of edCheckBox cells: shows the cell's text as its caption,
// starts unchecked; the grid reads nothing back from it.
class TGridCheckBox : public TCheckBox {
public:
    explicit TGridCheckBox(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    TExtStringGrid* Grid() const { return FGrid; }

protected:
    void DoExit() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
};

// The edit-with-button editor (edEditBtn, edNumericEditBtn, edFloatEditBtn,
// edMaskEditBtn). Leaving it stores its text.
class TGridEditBtn : public TAsgEditBtn {
public:
    explicit TGridEditBtn(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    TExtStringGrid* Grid() const { return FGrid; }
    bool BorderLess = false;
    bool StopEditAfterClick = false;
    bool WorkMode = true;
    // The button: the text becomes what the grid's OnEllipsClick makes of it.
    void ButtonClick();
    // Pastes the clipboard's text as the grid's clipboard events allow.
    void Paste();
    // Completes the text before the caret from the grid's LookupItems.
    void DoLookup();

protected:
    void DoExit() override;
    // A double click is reported as one on the edited cell.
    void DblClick() override;
    // A change the user makes reaches the grid's OnEditChange.
    void Change() override;
    // The keys that end the edit (GridEditors_Keys.cpp); the grid hears the others first.
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // The caret walking out of the text leaves the cell sideways (CursorWalkEditor).
    void KeyUp(WORD& key, TShiftState shift) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
    // The caret position when the last key went down.
    int FSelKeyDown = 0;
};

// The value-with-unit editor (edUnitEditBtn, edNumericUnitEditBtn, edFloatUnitEditBtn).
class TGridUnitEditBtn : public TAsgUnitEditBtn {
public:
    explicit TGridUnitEditBtn(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    TExtStringGrid* Grid() const { return FGrid; }
    bool BorderLess = false;
    // The button: the value becomes what the grid's OnEllipsClick makes of it (the unit
    // menu follows); the edit stays open.
    void ButtonClick();

protected:
    void DoExit() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
};

// The push-button editor of edButton cells, also the grid's cell button.
class TGridButton : public TButton {
public:
    explicit TGridButton(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    // Presses the button as a click would.
    void Press()
    {
        if (OnClick) OnClick(this);
    }

protected:
    void DoExit() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;
    // Releasing the left button over it, or Space, gives it the caption OnEllipsClick
    // makes of its caption, and the cell that caption.
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    void TakeEllipsText();
    TExtStringGrid* FGrid;
};

// The editors of the form controls in mini-HTML cells: the edit for edit, password and
// mask controls, the combo for combo controls. The grid opens one over the control it
// edits; leaving it writes its value into the control's tag (TExtStringGrid::StopControlEdit).
class TControlEdit : public TMaskEdit {
public:
    explicit TControlEdit(TExtStringGrid* AGrid);
    void WndProc(TMessage& msg) override;

protected:
    // Enter, Tab and Esc end the edit (TExtStringGrid::ControlEditorKey).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

class TControlCombo : public TAsgComboBox {
public:
    explicit TControlCombo(TExtStringGrid* AGrid);
    void WndProc(TMessage& msg) override;
    // The text to write back: in the list style without a picked item, the value the
    // control had, so opening and leaving the list never clears it.
    String FOldValue;
    String Value() const;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void Select() override;
    void DoExit() override;

private:
    TExtStringGrid* FGrid;
};

// ---------------------------------------------------------------- spin editor

// The spin editor of the spin kinds.
class TGridSpin : public TAsgSpinEdit {
public:
    explicit TGridSpin(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    TExtStringGrid* Grid() const { return FGrid; }

    // The button pair's steps report to the grid after the step.
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;
    // Fires the grid's spin event of the spin kind for the current cell.
    void FireSpinClick(bool UpDown);

protected:
    void DoExit() override;
    // A change the user makes reaches the grid's OnEditChange.
    void Change() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
};

// ---------------------------------------------------------------- date pickers

// The date picker of edDateEdit, edDateEditUpDown and edTimeEdit.
class TGridDatePicker : public TAsgDateTimePicker {
public:
    explicit TGridDatePicker(TExtStringGrid* AGrid);
    // The window is made anew before each show: nothing the last edit left in the
    // control (a press still held, a selection, an open drop-down) carries over.
    void ReCreate();
    TExtStringGrid* Grid() const { return FGrid; }
    bool Weeknumbers = false, ShowToday = true, ShowTodayCircle = true;
    // After a typed digit: on to the next field when the digit completed a field that is
    // not the last one the pattern shows.
    void AdvanceDatePart();

protected:
    // In a cell the picker's 3-D edge would stand inside the grid's lines: a two-pixel
    // frame in the window colour covers it, so the picker reads as the cell itself.
    void Paint() override;
    void DoExit() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    // Claims the keys that end the edit, so that the form does not take them.
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
    // The date and time parts before the last typed digit.
    int Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
};

// The date-and-time picker of edDateTimeEdit.
class TGridDateTimePicker : public TExtDateTimePicker {
public:
    explicit TGridDateTimePicker(TExtStringGrid* AGrid);

protected:
    void DoExit() override;
    // The keys that end the edit (GridEditors_Keys.cpp).
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void WndProc(TMessage& msg) override;

private:
    TExtStringGrid* FGrid;
};

// The region's short time pattern: the long one without its seconds.
String ShortTimePattern();
// The present date and time of the local clock.
TDateTime CurrentDateTime();

// ---------------------------------------------------------------- rich text

// The grid's rich edit control: holds the rich-text source of a cell. The hidden one
// measures and converts rich text, the in-place one edits edRichEdit cells.
class TExtRichEdit : public TMemo {
public:
    explicit TExtRichEdit(TExtStringGrid* AGrid);
    TExtStringGrid* Grid() const { return FGrid; }
    // The size the content asked for at its last change (GridEditors_Rich.cpp).
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }
    // Size requests of the in-place editor are ignored while locked.
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    TNotifyEvent OnSelectionChange;

    // The selection's vertical character offset in twips: 0, -40 (subscript) or +40
    // (superscript). Without a selection the offset is the one the next typed
    // characters take.
    void SelNormal() { SetSelOffset(0); }
    void SelSubscript() { SetSelOffset(-40); }
    void SelSuperscript() { SetSelOffset(40); }
    bool IsSelNormal() const { return SelOffset() == 0; }
    bool IsSelSubscript() const { return SelOffset() == -40; }
    bool IsSelSuperscript() const { return SelOffset() == 40; }
    // The control's window is made anew: the offsets, selection and scrolling of the
    // last edit are gone.
    void ReCreate();
    // Asks for Tab too, so that the grid's Tab navigation works from inside the editor.
    void WndProc(TMessage& msg) override;
    void HostNotify(int code, std::intptr_t arg) override;

protected:
    void DoExit() override;
    // Tab (with goTabs) moves the edit to the next cell; Up and Down leave a one-line
    // cell to the grid.
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    void SetSelOffset(int Offset);
    int SelOffset() const;
    // The text changed: the offsets follow it and the content asks for its size.
    void TextEdited();
    void RequestSize();
    TExtStringGrid* FGrid;
    int FReqWidth = 0, FReqHeight = 0;
    bool FLocked = false;
    // One offset per character of the text (lines joined by one break each), and the
    // offset typing takes where nothing is selected.
    std::vector<int> FOffsets;
    std::u16string FOffsetText;
    int FTypingOffset = 0;
};

// ---------------------------------------------------------------- drop-down pickers

// The wrappers' shared key protocol is declared in gridedit/PickerEditors.h.

// ---------------------------------------------------------------- a grid's editors

// Hands the editors to every grid: the text editor, the editors each grid carries, the
// fixed-cell editors and the show and hide steps of each editor kind. Programs and test
// suites that edit in grids call it once before they make a grid; calling it again
// changes nothing.
void Register_Grid_Editors();

// The editors a grid carries from its construction on (nullptr for a grid made before
// Register_Grid_Editors).
TGridCombo* ComboEditor(const TExtStringGrid* G);
TGridTransEdit* FixedCellEdit(const TExtStringGrid* G);
TGridTransCombo* FixedCellCombo(const TExtStringGrid* G);
TGridCheckBox* EditCheck(const TExtStringGrid* G);
TGridEditBtn* BtnEdit(const TExtStringGrid* G);
TGridUnitEditBtn* BtnUnitEdit(const TExtStringGrid* G);
TGridButton* GridButton(const TExtStringGrid* G);
// The editors of form controls in mini-HTML cells.
TControlEdit* ControlEdit(const TExtStringGrid* G);
TControlCombo* ControlCombo(const TExtStringGrid* G);
// The text editor of the text kinds, nullptr before the first edit.
TExtInplaceEdit* TextEditor(const TExtStringGrid* G);
// The editors made on first use, each with the grid as owner and parent, hidden.
TGridSpin* SpinEdit(TExtStringGrid* G);
TGridDatePicker* DateTimePicker(TExtStringGrid* G);
TGridDateTimePicker* DateAndTimePicker(TExtStringGrid* G);
TExtRichEdit* RichEdit(TExtStringGrid* G);
TExtRichEdit* InplaceRichEdit(TExtStringGrid* G);
