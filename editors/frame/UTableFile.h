#pragma once
// The tables and fields of an editor and its file, over the cells of any grid
// (TRowGridAccess): resetting them for a showing, reading the file into them, checking
// them and writing the file whole. The window (UTableEditor.h) calls these on its grids
// and controls; they work the same on tables in memory.
#include <optional>
#include <vector>

#include "editors/frame/UTableDesc.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComonRows.h"

using TTableGrids = std::vector<TRowGridAccess*>;   // one per table of the description

// What the engine reads, checks and writes: one grid per table, the values of the fields
// above the tables (one per field of the description, a check box as its Check_On or
// Check_Off), and the showing's context.
struct TEditorData {
    TTableGrids Grids;
    std::vector<String> Fields;
    TEditorContext Context;
};

// The value of a cell as the file holds it: a cell with a real check box gives its
// column's Check_On or Check_Off, any other cell its text. Setting a check-box cell
// ticks it when the value is Check_On.
String Cell_Value(const TFieldDesc& Column, const TRowGridAccess& Grid, int Col, int Row);
void Set_Cell_Value(const TFieldDesc& Column, TRowGridAccess& Grid, int Col, int Row, const String& Value);

// Every data row: column 0 its number, every other column its start value.
void Reset_Table(const TTableDesc& Table, TRowGridAccess& Grid);
// Every table so, and every field to its start value.
void Reset_Tables(const TEditorDesc& Editor, TEditorData& Data);

// The key cell of Row is empty (trimmed, unless the table tests the raw cell), and so is
// the second key's where the table has one: the row is left out of the checks and the
// file. Rows below it still count, so a row left empty in the middle (Insert Row, a
// cleared row) never drops the rows after it.
bool Key_Empty(const TTableDesc& Table, const TRowGridAccess& Grid, int Row);
// The row takes part in the checks: no Enable column, or its Enable cell reads Check_On.
bool Row_Enabled(const TTableDesc& Table, const TRowGridAccess& Grid, int Row);

// Reads the editor's file: the first element is the root, whatever its name. The fields
// come from their element (or the root's attributes); each table's section (or the root
// itself) gives its rows in order, row k into data row k + 1; rows beyond the table are
// left out. A missing attribute gives its field's or column's default; a value of an
// items-only column that is no item (fixed or provided) gives the default.
// Raises, ending the loading with what was read so far filled in:
//   EFOpenError   the file cannot be read;
//   EXmlError     the file is not XML, the fields' element or a section is missing, or a
//                 field or row lacks a required attribute (the cells of that row read
//                 before it stay filled).
void Load_Tables(const TEditorDesc& Editor, const String& File, TEditorData& Data);
void Load_Tables(const TEditorDesc& Editor, const TXMLDocument& Doc, const String& File, TEditorData& Data);

// The text of a failed row check: the table's row-error prefix, the row, the message,
// and the limit where there is one, joined with nothing between them.
String Row_Error_Text(const TTableDesc& Table, int Row, const TRowError& Error);

// Runs the checks in their order (UTableDesc.h) and returns the first failure. The row
// checks see every row with a key, skipping rows that are not enabled. The context's
// decimal separator is taken from the regional settings first.
std::optional<TCheckFailure> Check_Tables(const TEditorDesc& Editor, const TEditorData& Data);

// Makes Doc the editor's file: the root, the version comment after it (none when the
// description has none), the fields as attributes of their element (written first) or
// of the root, one section per table (always, also when empty), one row element per row
// with a key (rows with an empty key are left out, so the rows close up) with one
// attribute per column from column 1, hidden ones included, in column order, each
// holding the cell's value unchanged. Disabled rows are written too.
void Write_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const TEditorData& Data);
// Write_Tables, then saves Doc to File (replacing it whole; a failure raises and leaves
// the previous file as it was).
void Save_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const String& File, const TEditorData& Data);
