#pragma once
// One way of describing a field, wherever a value is edited and stored: a column of a
// table editor, a field above its tables, a control of the parameter window and its key
// in ParGen.xml. A field says under which name its value is stored, which control edits
// it, its list items, its start value and the value taken when the file lacks it, its
// length limit, letter case and key filter, and the texts of a check box's two states.
// Each user reads what concerns it and leaves the rest at its default.
#include <functional>
#include <optional>
#include <vector>

#include "platform/rtl/SysUtils.h"

struct TEditorContext;

// What a field is edited with, and so how its value is held.
enum TFieldKind {
    fkNumber,      // a table's column 0: the row's number, never read back
    fkLabel,       // a caption only; holds no value
    fkText,        // an edit: free text
    fkMemo,        // an edit of several lines
    fkCheckBox,    // ticked or not; the value is Check_On or Check_Off
    fkList,        // one of the items, stored as the item's text
    fkListEdit,    // the items are offered, any text may be typed
    fkListIndex,   // one of the items, stored as the item's index
    fkOctets       // four edits of an address; the control's name ends in "#" for 1 .. 4
};

// TFieldDesc::Flags
enum : unsigned {
    ffDisabled = 1,     // disabled at creation
    ffHidden = 2,       // hidden at creation (the editor may show it later)
    ffReadOnly = 4,
    ffUpper = 8,        // shows typed letters in upper case
    ffLower = 16,       // shows typed letters in lower case
    ffHexKeys = 32,     // takes only hexadecimal digits and control keys
    ffOnlyItems = 64,   // a loaded value that is no item takes the default
};

// Further list items, asked when the window shows.
using TItemsProvider = std::function<std::vector<String>(const TEditorContext& Context)>;

struct TFieldDesc {
    // The value's name where it is stored: a row's attribute, an attribute of the fields'
    // element, a key of ParGen.xml. Empty: not stored (a table's column 0).
    String Name;
    // The component name of the field's own control ("E_LoRa_JoinEUI"); empty for a column.
    String Control;
    TFieldKind Kind = fkText;
    int Caption = -1;                   // text number: a column's header, a field's label (-1: none)
    int Hint = -1;                      // text number of the hint (-1: none)
    std::vector<String> Items;          // the list's fixed items
    TItemsProvider Items_From;          // items after the fixed ones, asked at every showing
    int Item_Index = -1;                // list item selected at creation (-1: none)
    String Start;                       // the value at creation and after a reset
    // The value when the file lacks it; none: the value is required (a row without it ends
    // the loading). Lists of the parameter window give an item instead (below).
    std::optional<String> Default = String();
    int Missing_Index = -1;             // lists: the item taken for a missing value
    int No_File_Index = -1;             // lists: the item taken when there is no file at all
    int Max_Length = 0;                 // most characters typed; 0 no limit
    int Width = -1;                     // pixels; -1 keeps the control's width
    unsigned Flags = 0;                 // ff...
    String Check_On = "Y";              // a check box's value ticked ...
    String Check_Off = "N";             // ... and not ticked
    // A table column whose cell holds something else than the file stores: the cell's
    // value for the stored one (also for the default) and the stored value for the cell.
    // Empty: the cell holds the stored text unchanged.
    std::function<String(const String& Stored)> From_File;
    std::function<String(const String& Cell)> To_File;
};

// The items of a list field at a showing: the fixed ones, then the provider's.
std::vector<String> Field_Items(const TFieldDesc& Field, const TEditorContext& Context);
