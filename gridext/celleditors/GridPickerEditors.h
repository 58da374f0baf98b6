#pragma once
// The grid's drop-down editors that stand on the pickers: each is its picker plus the
// protocol that lets it live in a grid cell (gridedit/PickerEditors.h): owned by and
// parented to the grid, hidden and disabled between edits; leaving it stores its value;
// Esc puts the cell's text back, Enter, Up and Down store and validate, Tab walks with
// the grid; the picker keeps Alt+Up and Alt+Down and, while closed, End.
//
// Each kind is its editor below on its picker (TGridPickerEditor<>), its accessor, and in
// Plug_Grid_Pickers a RegisterPickerEditorKind entry saying how the editor is made,
// loaded with the cell's text and read back; the colour and image editors also carry
// the cell's colour or image (IGridColourEditor, IGridImageEditor).
#include "gridedit/PickerEditors.h"
#include "gridext/colour/ColorPicker.h"
#include "gridext/dropdown/CalculatorDropDown.h"
#include "gridext/dropdown/MemoDropDown.h"
#include "gridext/dropdown/TimePickerDropDown.h"
#include "gridext/dropdown/TrackBarDropDown.h"
#include "gridext/image/ImagePicker.h"
#include "gridext/pickers/DetailDropDown.h"
#include "gridext/pickers/GridDropDown.h"
#include "gridext/pickers/MultiColumnDropDown.h"

template <class TPicker>
class TGridPickerEditor : public TPicker, public IGridPickerEditor {
public:
    explicit TGridPickerEditor(TExtStringGrid* AGrid);
    TExtStringGrid* OwnerGrid() const { return FGrid; }

    TWinControl* EditorControl() override { return this; }
    bool PickerDroppedDown() const override { return TPicker::DroppedDown(); }
    void PickerDropDown() override { TPicker::ShowDropDown(); }
    void PickerCloseUp() override { TPicker::HideDropDown(false); }
    String EditorText() const override { return TPicker::GetText(); }
    void SetEditorText(const String& Value) override { TPicker::SetText(Value); }
    void SelectAllText() override { TPicker::SelectAll(); }
    void CaretToEnd() override
    {
        TPicker::SetSelStart(TPicker::GetTextLen());
        TPicker::SetSelLength(0);
    }

    void WndProc(TMessage& msg) override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyPress(WideChar& Key) override;

protected:
    void DoExit() override;
    void Change() override;
    // Enter is about to store the value.
    virtual void BeforeEnter() {}
    // An edit begun with a click puts the caret under the pointer.
    virtual bool CaretToPointer() const { return true; }

    TExtStringGrid* FGrid;

private:
    // Keys the open drop-down hands back to the edit have been through the protocol.
    int FHandedKeys = 0;
};

class TGridTrackbarDropDown : public TGridPickerEditor<TExtTrackBarDropDown> {
public:
    explicit TGridTrackbarDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
};

class TGridMemoDropDown : public TGridPickerEditor<TExtMemoDropDown> {
public:
    explicit TGridMemoDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
    // The memo text is the value.
    String EditorText() const override { return MemoValue(); }
};

class TGridCalculatorDropDown : public TGridPickerEditor<TExtCalculatorDropdown> {
public:
    explicit TGridCalculatorDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}

protected:
    // The pending calculation is completed before the number is stored.
    void BeforeEnter() override { CalcResult(); }
};

class TGridTimepickerDropDown : public TGridPickerEditor<TExtTimePickerDropDown> {
public:
    explicit TGridTimepickerDropDown(TExtStringGrid* AGrid);

protected:
    // The time's fields are stepped where the caret is, which the grid leaves alone.
    bool CaretToPointer() const override { return false; }
};

class TGridDetailPickerDropDown : public TGridPickerEditor<TExtDetailDropDown> {
public:
    explicit TGridDetailPickerDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
};

class TGridGridDropDown : public TGridPickerEditor<TExtMultiColumnDropDown> {
public:
    explicit TGridGridDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
};

// The colour editor: its value is the cell's colour, written with the colour's text.
class TGridColorDropDown : public TGridPickerEditor<TExtColorPickerDropDown>, public IGridColourEditor {
public:
    explicit TGridColorDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
    bool IsColourPicker() const override { return true; }
    String EditorText() const override { return ValueText(); }
    // The text the grid hands back after validating is the colour's own text unless
    // validation changed it: an unnamed colour's empty text must not clear the colour.
    void SetEditorText(const String& Value) override
    {
        if (Value != ValueText()) SetValueText(Value);
    }
    TColor EditorColour() const override { return SelectedColor(); }
    void SetEditorColour(TColor Value) override { SetSelectedColor(Value); }

protected:
    // The edit takes no typing: there is no caret to place.
    bool CaretToPointer() const override { return false; }
};

// The image editor: its value is the cell's image among the grid's images; its text the
// chosen image's caption.
class TGridImageDropDown : public TGridPickerEditor<TExtImagePickerDropDown>, public IGridImageEditor {
public:
    explicit TGridImageDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
    String EditorText() const override { return ValueText(); }
    // Images often have no caption: the text handed back after validating chooses
    // another image only when validation changed it.
    void SetEditorText(const String& Value) override
    {
        if (Value != ValueText()) SetValueText(Value);
    }
    void OfferImages(TImageList* List) override;
    int EditorImageIndex() const override { return ImageIndex(); }
    void SetEditorImageIndex(int Index) override { SetImageIndex(Index); }

protected:
    bool CaretToPointer() const override { return false; }
};

// The grid-list editor. Grid is the list's grid, made with the pop-up when first asked
// for, so that its own cells can be written before the list ever opened.
class TGridExtGridDropDown : public TGridPickerEditor<TCustomExtGridDropDown> {
public:
    explicit TGridExtGridDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid) {}
    TExtStringGrid* Grid();

protected:
    bool CaretToPointer() const override { return false; }
};

// The grid's editors of the plugged kinds, made on first use.
TGridTrackbarDropDown* TrackbarDropDown(TExtStringGrid* G);
TGridMemoDropDown* MemoDropDown(TExtStringGrid* G);
TGridCalculatorDropDown* CalculatorDropDown(TExtStringGrid* G);
TGridTimepickerDropDown* TimePickerDropDown(TExtStringGrid* G);
TGridDetailPickerDropDown* DetailPickerDropDown(TExtStringGrid* G);
TGridGridDropDown* GridDropDown(TExtStringGrid* G);
TGridColorDropDown* ColorPickerDropDown(TExtStringGrid* G);
TGridImageDropDown* ImagePickerDropDown(TExtStringGrid* G);
TGridExtGridDropDown* ExtGridDropDown(TExtStringGrid* G);

// Plugs the picker editors into the grid's editor library (and registers the library's
// editors first). Programs and test suites that edit in grids call it once at start-up;
// calling it again changes nothing.
void Plug_Grid_Pickers();
