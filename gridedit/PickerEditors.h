#pragma once
// The grid's drop-down picker editors, seen from the editor library. The pickers live in
// a library above this one, so an editor kind whose picker is there is plugged in at
// start-up: its library registers how to make the editor, load a cell into it and read
// the value back (RegisterPickerEditorKind), and the editor takes part in the grid's
// key protocol through IGridPickerEditor. A kind nobody plugged in shows no editor.
#include <functional>

#include "grid/core/ExtGrid.h"

// What the grid's key protocol of the picker editors needs of an editor.
class IGridPickerEditor {
public:
    virtual ~IGridPickerEditor() = default;
    virtual TWinControl* EditorControl() = 0;
    virtual bool PickerDroppedDown() const = 0;
    // Opens the drop-down (the grid's direct drop on entering).
    virtual void PickerDropDown() = 0;
    // Closes the drop-down keeping what it shows.
    virtual void PickerCloseUp() = 0;
    // The value the protocol writes and validates, and what Esc and validation put back.
    virtual String EditorText() const = 0;
    virtual void SetEditorText(const String& Value) = 0;
    virtual void SelectAllText() = 0;
    virtual void CaretToEnd() = 0;
    // The colour picker's keys differ (GridEditors_Keys.cpp).
    virtual bool IsColourPicker() const { return false; }
};

// The colour and image editors write more than the cell's text (the cell's colour, its
// image), which the text alone cannot bring back: Esc puts them away without storing.
// The colour editor: the colour it starts from and the one it stores.
class IGridColourEditor {
public:
    virtual ~IGridColourEditor() = default;
    virtual TColor EditorColour() const = 0;
    virtual void SetEditorColour(TColor Value) = 0;
};

// The image editor: the grid's images it offers and the chosen image's index.
class IGridImageEditor {
public:
    virtual ~IGridImageEditor() = default;
    // Offers the images of List; an editor offering none yet is filled with all of them.
    virtual void OfferImages(TImageList* List) = 0;
    virtual int EditorImageIndex() const = 0;
    virtual void SetEditorImageIndex(int Index) = 0;
};

// One plugged-in kind. Make: the editor, with the grid as owner and parent, hidden and
// disabled; it goes into the grid's editor slot of the kind and is freed with the grid.
// Load: the cell's text into the editor as the edit begins. Value: what the edit stores.
struct TPickerEditorKind {
    std::function<TWinControl*(TExtStringGrid* Grid)> Make;
    std::function<void(TWinControl* Editor, const String& Text)> Load;
    std::function<String(TWinControl* Editor)> Value;
};
void RegisterPickerEditorKind(TEditorType Kind, const TPickerEditorKind& Entry);
// The plugged-in entry of a kind, nullptr when none.
const TPickerEditorKind* PickerEditorKind(TEditorType Kind);
// The grid's editor of a plugged-in kind, made on first use; nullptr when the kind is
// not plugged in.
TWinControl* PluggedPickerEditor(TExtStringGrid* Grid, TEditorType Kind);

// The protocol's steps for editors made outside this library:
// hidden, disabled child of the grid;
void InitPickerEditor(TWinControl* Editor, TExtStringGrid* Grid);
// losing the focus ends the edit and stores the value;
void LeavePickerEditor(TExtStringGrid* Grid, TWinControl* Editor);
// the user's changes reach the grid's OnEditChange.
void ReportPickerChange(TExtStringGrid* Grid, TWinControl* Editor, const String& Text);

// The integer a cell text begins with, as the track bar's editor starts from it.
int CellLeadingInt(const String& Text);

// The key protocol (GridEditors_Keys.cpp). DropDownKeyDown: false when the key goes on
// to the picker. DropDownKeyPress: false when the character is dropped. DropDownWndProc:
// true when it answered the message.
bool DropDownKeyDown(TExtStringGrid* Grid, IGridPickerEditor* Editor, WORD& Key, TShiftState Shift);
bool DropDownKeyPress(TExtStringGrid* Grid, IGridPickerEditor* Editor, WideChar& Key);
bool DropDownWndProc(TExtStringGrid* Grid, TMessage& Msg);
void DropDownDialogCodes(TExtStringGrid* Grid, TMessage& Msg);
