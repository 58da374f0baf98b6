#pragma once
// The grid's in-place editors as far as the grid creates and frees them: each is a
// hidden child of the grid between edits. Their editing comes with the editors
// themselves.
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/gui/Grids.h"

class TExtStringGrid;

// The grid's default in-place text editor.
class TExtInplaceEdit : public TInplaceEdit {
public:
    explicit TExtInplaceEdit(TExtStringGrid* AGrid);
};

// Base of the special editors: a hidden, owned child of the grid.
class TGridEditorControl : public TCustomControl {
public:
    explicit TGridEditorControl(TExtStringGrid* AGrid);
};

class TGridCombo : public TGridEditorControl {
public:
    explicit TGridCombo(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
    bool IsWinXP = false;
    bool IsVista = false;
    // The list offered for the cell being asked about, and its visible rows.
    TStringList* Items() { return &FItems; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v) { FDropDownCount = v; }

private:
    TStringList FItems;
    int FDropDownCount = 8;
};

class TGridTransEdit : public TGridEditorControl {
public:
    explicit TGridTransEdit(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
    bool BorderLess = true;
};

class TGridTransCombo : public TGridEditorControl {
public:
    explicit TGridTransCombo(TExtStringGrid* AGrid) : TGridEditorControl(AGrid) {}
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
