#pragma once
// The tables of an editor and its file, over the cells of any grid (TRowGridAccess):
// resetting the rows for a showing, reading the file into the tables, checking the rows
// and writing the file whole. The window (UTableEditor.h) calls these on its grids;
// they work the same on a table in memory.
#include <optional>
#include <vector>

#include "editors/frame/UTableDesc.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComonRows.h"

using TTableGrids = std::vector<TRowGridAccess*>;   // one per table of the description

// Every data row: column 0 its number, every other column its start value.
void Reset_Table(const TTableDesc& Table, TRowGridAccess& Grid);

// The key cell of Row is empty (trimmed, unless the table tests the raw cell): the row
// is left out of the checks and the file. Rows below it still count, so a row left
// empty in the middle (Insert Row, a cleared row) never drops the rows after it.
bool Key_Empty(const TTableDesc& Table, const TRowGridAccess& Grid, int Row, int Key_Col);
// The row takes part in the checks: no Enable column, or its Enable cell reads "Y".
bool Row_Enabled(const TTableDesc& Table, const TRowGridAccess& Grid, int Row);

// Reads the editor's file into the tables: the first element is the root, whatever its
// name; each table's section (or the root itself) gives its rows in order, row k into
// data row k + 1; rows beyond the table are left out. A missing attribute gives its
// column's default; a value of an items-only column that is no item gives the default.
// Raises, ending the loading with the tables filled as far as they got:
//   EFOpenError   the file cannot be read;
//   EXmlError     the file is not XML, a section is missing, or a row lacks a required
//                 attribute (the cells of that row read before it stay filled).
void Load_Tables(const TEditorDesc& Editor, const String& File, const TTableGrids& Grids);
void Load_Tables(const TEditorDesc& Editor, const TXMLDocument& Doc, const String& File, const TTableGrids& Grids);

// The text of a failed check: the table's row-error prefix, the row, the message, and
// the limit where there is one, joined with nothing between them.
String Row_Error_Text(const TTableDesc& Table, int Row, const TRowError& Error);

struct TCheckFailure {
    int Table = 0;    // index in the description
    int Row = 0;      // grid row, the first data row is 1
    String Text;      // as the error box shows it
};
// Checks the tables in order, every row with a key, skipping rows that are not enabled; the first failure ends the checking. Runs the editor's Before_Check first.
std::optional<TCheckFailure> Check_Tables(const TEditorDesc& Editor, const TTableGrids& Grids);

// Makes Doc the editor's file: the root, the version comment after it, one section per
// table (always, also when empty), one row element per row with a key (rows with an empty
// key are left out, so the rows close up) with one attribute per column from column 1, hidden ones included, in column order,
// each holding the cell's text unchanged. Disabled rows are written too.
void Write_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const TTableGrids& Grids);
// Write_Tables, then saves Doc to File (replacing it whole; a failure raises and leaves
// the previous file as it was).
void Save_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const String& File, const TTableGrids& Grids);
