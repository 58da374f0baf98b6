#pragma once
// The grid's in-place editors as far as the grid creates and frees them: each is a
// hidden child of the grid between edits. Their editing comes with the editors
// themselves.
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/gui/Grids.h"
#include "platform/gui/StdCtrls.h"

class TExtStringGrid;

// The grid's default in-place text editor: filters typed characters by the cell's
// editor kind, validates through the grid before the current cell moves, puts the
// cell's text back on Escape and reports the end of the edit when it loses the focus.
class TExtInplaceEdit : public TInplaceEdit {
public:
    explicit TExtInplaceEdit(TExtStringGrid* AGrid);
    void UpdateContents() override;
    void WndProc(TMessage& msg) override;
    // The cell the editor was last loaded for (displayed column, row).
    int FColE = -1, FRowE = -1;
    bool FGotFocus = false;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void Change() override;

public:
    // The lookup completion after a key release.
    void DoChange();

private:
    // Pastes the clipboard's text as the cell's kind allows, within the length limit.
    void Paste();
    bool FWorkmode = true;
    // False when the kind refuses the character (beep set when it says so).
    bool AcceptChar(WideChar& ch, bool& beep);
    void AfterRefusal();
    TExtStringGrid* FExtGrid;
};

// Base of the special editors: a hidden, owned child of the grid.
class TGridEditorControl : public TCustomControl {
public:
    explicit TGridEditorControl(TExtStringGrid* AGrid);
};

// The combo editor of list cells: a drop-down list (edComboList) or an edit field with
// a list (edComboEdit). Its list is the one offered for the cell asked about last.
class TGridCombo : public TComboBox {
public:
    explicit TGridCombo(TExtStringGrid* AGrid);
    bool IsWinXP = false;
    bool IsVista = false;
    TExtStringGrid* Grid() const { return FGrid; }
    // The text the editor started with (Escape puts it back).
    String FStartText;
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;
    void Change() override;
    void Select() override;

private:
    // The selection changed: OnComboChange with the real column.
    void ReportChange();
    TExtStringGrid* FGrid;
    int FReportedIndex = -2;
};

// The editors of fixed cells (headers): unlike the cell editors they validate and store
// their text themselves, when they lose the focus. Enter does nothing in them; Escape
// closes them and the cell keeps its text.
class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TExtStringGrid* AGrid);
    bool BorderLess = true;
    // The fixed cell being edited (real column).
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    // Validates and stores the text; false when OnCellValidate refused it: the editor
    // then stays open and takes the focus back, and the cell keeps its text.
    bool StopEdit();
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;

private:
    int FRow = -1, FCol = -1;
    TExtStringGrid* FGrid;
};

class TGridTransCombo : public TComboBox {
public:
    explicit TGridTransCombo(TExtStringGrid* AGrid);
    int Row() const { return FRow; }
    void SetRow(int v) { FRow = v; }
    int Col() const { return FCol; }
    void SetCol(int v) { FCol = v; }
    // As TGridTransEdit::StopEdit; in the list style the selected item is the value.
    bool StopEdit();
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void DoExit() override;

private:
    int FRow = -1, FCol = -1;
    TExtStringGrid* FGrid;
};

class TGridCheckBox : public TGridEditorControl {
public:
    explicit TGridCheckBox(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
};

class TGridEditBtn : public TGridEditorControl {
public:
    explicit TGridEditBtn(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
    String ButtonCaption;
    bool BorderLess = false;
    bool IsWinXP = false;
};

using TUnitChangedEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TGridUnitEditBtn : public TGridEditBtn {
public:
    explicit TGridUnitEditBtn(TExtStringGrid* AGrid) : TGridEditBtn(AGrid) {}
    TUnitChangedEvent OnUnitChanged;
};

class TGridButton : public TGridEditorControl {
public:
    explicit TGridButton(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
    // Presses the button as a click would.
    void Press()
    {
        if (OnClick) OnClick(this);
    }
};

// The button that shows a fixed cell's face while a column is dragged.
class THeaderDragButton : public TGridEditorControl {
public:
    explicit THeaderDragButton(TExtStringGrid* AGrid) : TGridEditorControl(AGrid), Grid(AGrid) {}
    TExtStringGrid* Grid;
};

class TControlEdit : public TGridEditorControl {
public:
    explicit TControlEdit(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
};

class TControlCombo : public TGridEditorControl {
public:
    explicit TControlCombo(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
};
