#pragma once
// The description of a table editor: everything in which the editors differ from one
// another, given as data. One engine (UTableFile.h for the tables and their file,
// UTableEditor.h for the window) serves every editor from its description:
//
//   - the window: its class, client size, caption and description, its buttons (the
//     standard ones and extra ones with their handlers), the controls that show hints;
//   - the fields above the tables (UFieldDesc.h), stored as attributes of the root or of
//     an element of their own, with their checks;
//   - per table: grid kind, grid name, section and row element of the file, data rows,
//     numbering of column 0, key column, Enable column and how its cell is tested, the
//     columns (UFieldDesc.h), the row-error prefix, the delete question, the checks of a
//     row and the checks of the whole table;
//   - the checks across the tables; the file's root element and version comment; what
//     the editor reads when its window shows (the context every check is given).
//
// The checks run in this order, and the first failure ends them: the fields' checks;
// every table's row checks, table by table, on each row that takes part; every table's
// table checks, table by table; the checks across the tables.
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "editors/frame/UEditorContext.h"
#include "editors/frame/UFieldDesc.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

class TRowGridAccess;
class TFTableEditor;

// A failed check: the message text number and, for messages that end in a limit, the
// limit. Col names the failing column (of the fields: the field to focus), -1 none.
struct TRowError {
    int Message = 0;
    std::optional<long long> Limit;
    int Col = -1;
    int After_Limit = -1;       // text number that follows the limit (-1: none)
    bool Whole_Table = false;   // speaks of the whole table: no row-error prefix, no row
};

// What the checks of one run keep from row to row and from table to table (the distinct
// connections the rows of both tables open ...): lists by name, empty when a run starts.
using TCheckRun = std::map<String, std::vector<String>>;

// One row of a table (or the fields above the tables, one per column), as the checks
// read it. A cell with a real check box reads as its column's Check_On or Check_Off.
class TRowView {
public:
    using TGetCell = std::function<String(int Col)>;
    TRowView(int Row, TGetCell Get, long long* Total = nullptr, TCheckRun* Run = nullptr)
        : FRow(Row), FGet(std::move(Get)), FTotal(Total), FRun(Run) {}
    int Row() const { return FRow; }                       // the grid row (first data row 1)
    String Cell(int Col) const { return FGet(Col); }       // as it stands
    String Trimmed(int Col) const { return Trim(FGet(Col)); }
    String Upper(int Col) const { return UpperCase(FGet(Col)); }
    // The cell read as a whole number: optional blanks before, optional sign, decimal
    // digits or hex digits after "$", "x", "X", "0x", "0X", nothing after, within 32 bits;
    // -1 for anything else (so it fails every range that starts at 0 or above).
    long long Int(int Col) const { return StrToIntDef(FGet(Col), -1); }
    // The table's running total while the rows are checked in order: what the rows
    // checked before this one added, plus Count; the total starts at 0 at every check.
    long long Add_To_Total(long long Count) const { return FTotal ? *FTotal += Count : Count; }
    // The run's list of that name, as the rows checked before this one left it (outside
    // a run: a list of this row alone).
    std::vector<String>& Run_List(const String& Name) const { return (FRun ? *FRun : FOwn_Run)[Name]; }

private:
    int FRow;
    TGetCell FGet;
    long long* FTotal;
    TCheckRun* FRun;
    mutable TCheckRun FOwn_Run;
};

using TRowCheck = std::function<std::optional<TRowError>(const TRowView& Row, const TEditorContext& Context)>;
// A bound known only when the check runs (it may change at every showing).
using TBound = std::function<long long(const TEditorContext& Context)>;

// The whole-number cell Col must lie in Lo .. Hi (inclusive); else Message, followed by
// the limit Hi when Show_Limit.
TRowCheck Check_Range(int Col, long long Lo, long long Hi, int Message, bool Show_Limit = false);
TRowCheck Check_Range(int Col, TBound Lo, TBound Hi, int Message, bool Show_Limit = false);
// The row adds Count to the table's running total; when the total passes Max the check
// fails with Message followed by Max, speaking of the whole table (no row).
TRowCheck Check_Total(std::function<long long(const TRowView& Row)> Count, TBound Max, int Message);
// The cell Col, trimmed, is not empty; else Message.
TRowCheck Check_Not_Empty(int Col, int Message);
// Check runs only on rows for which When is true.
TRowCheck Check_When(std::function<bool(const TRowView& Row, const TEditorContext& Context)> When, TRowCheck Check);

// How a row's Enable cell is tested against its column's Check_On: the row takes part
// when the cell ...
enum TEnableTest {
    etTrimmed,     // trimmed, is exactly Check_On
    etRaw,         // as it stands, is exactly Check_On
    etUpper,       // trimmed and upper-cased, is Check_On upper-cased
    etUpperRaw     // upper-cased but not trimmed, is Check_On upper-cased (" Y" is not enabled)
};

// The grid a table stands on in the window.
enum TGridKind {
    gkColumnGrid,  // column grid: check-box columns hold their values as text
    gkStringGrid   // string grid: check-box columns carry real check boxes, cells read-only marks
};

struct TTableDesc;

// A whole table as the table checks read it.
class TTableView {
public:
    TTableView(const TTableDesc& Desc, const TRowGridAccess& Grid) : FDesc(Desc), FGrid(Grid) {}
    const TTableDesc& Desc() const { return FDesc; }
    int Rows() const;                     // data rows; the first is row 1
    // The row has a key and is enabled: the rows the row checks saw.
    bool Takes_Part(int Row) const;
    // Total: the running total of the rows checked so far (none outside a check); Run:
    // what the run's checks keep (none outside a check).
    TRowView Row(int Row, long long* Total = nullptr, TCheckRun* Run = nullptr) const;

private:
    const TTableDesc& FDesc;
    const TRowGridAccess& FGrid;
};

// A failed table check: the row to select and the error box's text.
struct TTableError {
    int Row = 0;
    String Text;
};
using TTableCheck = std::function<std::optional<TTableError>(const TTableView& Table, const TEditorContext& Context)>;

// Over the rows that take part, in order. Each reports the row where the fault shows and
// the table's row-error text of Message (Row_Error_Text), followed by the limit named.
// No two rows have the same trimmed text in Col; the limit is the earlier row.
TTableCheck Check_Unique(int Col, int Message);
// No two rows' byte ranges Start .. Start + Length - 1 overlap (rows whose start or
// length is no whole number, or whose length is 0, cover nothing); the limit is the
// earlier row.
TTableCheck Check_No_Overlap(int Start_Col, int Length_Col, int Message);
// The whole numbers of Col add up to at most Max; the row where the sum passes it
// fails, the limit is Max. Without Name_Row the message speaks of the whole table: its
// text is the message and the limit alone, with no row-error prefix and no row.
TTableCheck Check_Sum(int Col, TBound Max, int Message, bool Name_Row = true);

struct TTableDesc {
    TGridKind Grid_Kind = gkColumnGrid;
    String Grid_Name;                 // component name, "ACG_KNX_in_Write"
    String Section;                   // section element under the root; empty: rows straight under the root
    String Row_Element = "row";       // name of the written row elements (any name is read)
    int Rows = 0;                     // data rows (the editor may change them at a showing)
    int First_Number = 1;             // column 0 of data row r shows r - 1 + First_Number
    int Key_Col = 2;                  // a row whose key cell is empty is neither checked nor written;
                                      // -1: no key column, every row is checked and written
    bool Key_Raw = false;             // the key is empty only when it holds no text at all
    int Also_Key_Col = -1;            // a second key: the row counts when either key holds text
    // The first row with an empty key ends the table: the rows below it are neither
    // checked nor written, whatever they hold.
    bool Key_Ends_Table = false;
    int Enable_Col = 1;               // -1: no Enable column, every row is checked
    TEnableTest Enable_Test = etTrimmed;
    bool Insert_Sets_Enable = true;   // Insert Row ticks the Enable column of the new row
    bool Select_Row_On_Click = true;  // a click in column 0 selects the row
    int Page_Caption = -1;            // text number, for a table on a page of its own
    // The hint list holds the hints of the shown columns only (rebuilt at each showing),
    // and a header's hint is taken by its shown column; otherwise by its real column.
    bool Hints_By_Shown_Col = false;
    bool Show_Hints = false;          // this table shows its header hints (all do with Tables_Show_Hints)
    // Where hints show, a data cell outside column 0 gives its own text as its hint, so a
    // text wider than its column can be read whole.
    bool Cell_Text_Hints = false;
    int Row_Error_Prefix = -1;        // text number of "Error row "
    int Delete_Question = -1;         // text number of "Are you sure to delete the Row number "
    std::vector<TFieldDesc> Columns;  // all columns, hidden ones included, by real index
    std::vector<TRowCheck> Checks;    // in order, on every row that takes part
    std::vector<TTableCheck> Table_Checks;   // in order, after every table's row checks
    // After a row element was read into Row: what the editor reads beyond one attribute
    // per column (a value that depends on other attributes or on the showing).
    std::function<void(const TXMLNode& Element, TRowGridAccess& Grid, int Row, const TEditorContext& Context)>
        After_Load_Row;

    // Writing ends at the first row without a key, instead of passing over it (the rows
    // below are then not written, though they are checked).
    bool Write_Stops_At_Empty_Key = false;

    int Col_Count() const { return int(Columns.size()); }
};

// A failed check as the window reports it.
struct TCheckFailure {
    int Table = 0;            // index in the description; -1 for a field
    int Row = 0;              // grid row, the first data row is 1
    String Text;              // as the error box shows it
    bool Select_Row = false;  // the window shows the table and selects the row (table checks)
    int Field = -1;           // the field to focus (the fields' checks)
};
// Across the tables of one window; the failure names the table and row to select.
using TEditorCheck =
    std::function<std::optional<TCheckFailure>(const std::vector<TTableView>& Tables, const TEditorContext& Context)>;

// The buttons along the bottom. The standard ones act on the active table; an extra one
// runs its handler.
enum TEditorButton { ebOK, ebCancel, ebDelRow, ebInsRow, ebCopyRow, ebPasteRow, ebExtra };
struct TButtonDesc {
    TEditorButton Kind = ebExtra;
    int Caption = -1;                 // text numbers of caption and hint (-1: none)
    int Hint = -1;
    bool Show_Hint = false;
    String Name;                      // an extra button's component name ("Btn_Import")
    std::function<void(TFTableEditor& Editor)> OnClick;   // what an extra button does
    String Fixed_Caption;             // a caption that is the same in every language (Caption -1)
};

struct TEditorDesc {
    String Class_Name;                // "TFKNXAccess"
    String Name;                      // "FKNXAccess"
    int Client_Width = 0;
    int Client_Height = 0;            // 0: not set
    int Caption = -1;                 // text numbers of the window caption and L_SW_Desc
    int Description = -1;
    // In the order they stand, left to right. Standard buttons not listed exist hidden.
    std::vector<TButtonDesc> Buttons;
    bool Tables_Show_Hints = false;
    // The header hints come from the list of the table on the page shown, whichever grid asks.
    bool Hints_By_Page = false;
    // The file.
    String Root;                      // root element
    String Version;                   // comment after the root, "SW_VERSION = 1.002"; empty: none
    const String* File_Name = nullptr;   // the workspace path (FileName_...), read at each use
    // The fields above the tables, stored as attributes of the element Fields_Element
    // under the root (written before the tables' sections), or of the root itself when
    // it is empty; and their checks, which read them as one row (a column per field).
    String Fields_Element;
    std::vector<TFieldDesc> Fields;
    std::vector<TRowCheck> Field_Checks;
    std::vector<TTableDesc> Tables;
    std::vector<TEditorCheck> Editor_Checks;   // across the tables, last
    // Fills the context when the window shows, before the tables are reset.
    std::function<void(TEditorContext& Context)> Read_Context;
};

// ---- the parts most editors share ----
// Column 0: the row's number.
TFieldDesc Number_Column(int Caption);
// The Enable column: ticked on a reset and when the attribute is missing.
TFieldDesc Enable_Column(int Caption, int Hint);
// A text column; the attribute may be missing (empty cell).
TFieldDesc Text_Column(const String& Name, int Caption, int Hint);
// A check-box column; a missing attribute leaves it unticked.
TFieldDesc Check_Column(const String& Name, int Caption, int Hint);
// A list column (fkList or fkListEdit) with its fixed items.
TFieldDesc List_Column(const String& Name, int Caption, int Hint, TFieldKind Kind, std::vector<String> Items);
// The field with another default (none: required).
TFieldDesc With_Default(TFieldDesc Field, std::optional<String> Default);
// The window texts of a block with base b: caption b, description b + 1, and the six
// standard buttons with captions b + 2 .. b + 7 and hints b + 8 .. b + 13.
void Text_Block(TEditorDesc& Editor, int Base);
