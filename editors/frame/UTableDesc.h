#pragma once
// The description of a table editor: everything in which the mapping editors differ
// from one another, given as data. One engine (UTableFile.h for the tables and their
// file, UTableEditor.h for the window) serves every editor from its description:
//
//   - the window: its class, client size, text block (caption, description, buttons and
//     their hints, page captions) and the controls that show hints;
//   - per table: grid name, section and row element of the file, data rows, numbering
//     of column 0, key column, Enable column and how its cell is tested, the columns
//     (attribute, header and hint texts, cell kind, list items, width, start value on a
//     reset, default or none when the attribute is missing), the row-error prefix, the
//     delete question and the checks of an enabled row;
//   - the file: root element and version comment.
//
// A check is a function of one row that names the failing message (and the limit that
// follows it, where the message ends in one). The checks of a table run in order on
// every row that takes part, and the first failure ends the validation.
#include <functional>
#include <optional>
#include <vector>

#include "platform/rtl/SysUtils.h"

// The kinds of cells the editors use.
enum TCellKind {
    ckNumber,      // column 0: the row's number, never read back
    ckText,        // free text
    ckCheckBox,    // "Y" ticked, "N" not (an empty cell shows unticked)
    ckList,        // one of the column's items
    ckListEdit     // the items are offered, any text may be typed
};

// How a row's Enable cell is tested: the row takes part when the cell ...
enum TEnableTest {
    etTrimmed,     // trimmed, is exactly "Y"
    etRaw,         // as it stands, is exactly "Y"
    etUpper        // trimmed and upper-cased, is "Y"
};

struct TColumnDesc {
    String Attribute;                 // the row element's attribute; empty for column 0
    int Header = -1;                  // text number of the header (-1: none)
    int Hint = -1;                    // text number of the header hint (-1: none)
    TCellKind Kind = ckText;
    std::vector<String> Items;        // the list of a list column (fixed texts)
    // The cell when the attribute is missing; none: the attribute is required, and a row
    // without it ends the loading.
    std::optional<String> Default = String();
    String Start;                     // the cell after a reset (the Enable column: "Y")
    int Width = -1;                   // pixels; -1 keeps the grid's width
    int EditLength = 0;               // most characters typed; 0 no limit
    bool Only_Items = false;          // a loaded value that is not an item becomes Default
    bool Hidden = false;              // hidden at creation (the editor may show it later)
};

// A failed check: the message text number and, for messages that end in a limit, the limit.
struct TRowError {
    int Message = 0;
    std::optional<long long> Limit;
};

// One row of a table, as the checks read it.
class TRowView {
public:
    using TGetCell = std::function<String(int Col)>;
    TRowView(int Row, TGetCell Get) : FRow(Row), FGet(std::move(Get)) {}
    int Row() const { return FRow; }                       // the grid row (first data row 1)
    String Cell(int Col) const { return FGet(Col); }       // as it stands
    String Trimmed(int Col) const { return Trim(FGet(Col)); }
    String Upper(int Col) const { return UpperCase(FGet(Col)); }
    // The cell read as a whole number: optional blanks before, optional sign, decimal
    // digits or hex digits after "$", "x", "X", "0x", "0X", nothing after, within 32 bits;
    // -1 for anything else (so it fails every range that starts at 0 or above).
    long long Int(int Col) const { return StrToIntDef(FGet(Col), -1); }

private:
    int FRow;
    TGetCell FGet;
};

using TRowCheck = std::function<std::optional<TRowError>(const TRowView& Row)>;

// The whole-number cell Col must lie in Lo .. Hi (inclusive); else Message, followed by
// the limit Hi when Show_Limit.
TRowCheck Check_Range(int Col, long long Lo, long long Hi, int Message, bool Show_Limit = false);
// The same with bounds known only when the check runs (they may change at every showing).
TRowCheck Check_Range(int Col, std::function<long long()> Lo, std::function<long long()> Hi, int Message,
                      bool Show_Limit = false);
// Check runs only on rows for which When is true.
TRowCheck Check_When(std::function<bool(const TRowView&)> When, TRowCheck Check);

struct TTableDesc {
    String Grid_Name;                 // component name, "ACG_KNX_in_Write"
    String Section;                   // section element under the root; empty: rows straight under the root
    String Row_Element = "row";       // name of the written row elements (any name is read)
    int Rows = 0;                     // data rows (the editor may change them at a showing)
    int First_Number = 1;             // column 0 of data row r shows r - 1 + First_Number
    int Key_Col = 2;                  // a row whose key cell is empty is neither checked nor written
    bool Key_Raw = false;             // the key is empty only when it holds no text at all
    int Enable_Col = 1;               // -1: no Enable column, every row is checked
    TEnableTest Enable_Test = etTrimmed;
    bool Insert_Sets_Enable = true;   // Insert Row puts "Y" into column 1
    bool Select_Row_On_Click = true;  // a click in column 0 selects the row
    int Page_Caption = -1;            // text number, for a table on a page of its own
    int Row_Error_Prefix = -1;        // text number of "Error row "
    int Delete_Question = -1;         // text number of "Are you sure to delete the Row number "
    std::vector<TColumnDesc> Columns; // all columns, hidden ones included, by real index
    std::vector<TRowCheck> Checks;    // in order, on every row that takes part

    int Col_Count() const { return int(Columns.size()); }
};

struct TEditorDesc {
    String Class_Name;                // "TFKNXAccess"
    String Name;                      // "FKNXAccess"
    int Client_Width = 0;
    int Client_Height = 0;            // 0: not set
    int Caption = -1;                 // text numbers of the window caption and L_SW_Desc
    int Description = -1;
    // Texts of OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row (-1: none).
    int Button_Captions[6] = {-1, -1, -1, -1, -1, -1};
    int Button_Hints[6] = {-1, -1, -1, -1, -1, -1};
    bool Buttons_Show_Hints[6] = {false, false, false, false, false, false};
    bool Tables_Show_Hints = false;
    bool Row_Buttons = true;          // false: only OK and Cancel
    // The file.
    String Root;                      // root element
    String Version;                   // comment after the root, "SW_VERSION = 1.002"
    const String* File_Name = nullptr;   // the workspace path (FileName_...), read at each use
    std::vector<TTableDesc> Tables;
    // Runs once before the rows are checked (an editor takes its settings for the checks).
    std::function<void()> Before_Check;
};
