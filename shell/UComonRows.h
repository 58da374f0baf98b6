#pragma once
// The row operations behind the table editors' buttons Delete Row, Insert Row, Copy Row
// and Paste Row, and the two grid behaviours the options switch on: a double click on a
// column header sizes the column, Enter moves to the next cell.
//
// Tables keep a fixed number of rows: deleting moves the rows below up and empties the
// last row; inserting moves the rows below down and loses the last row's content. Copy
// and paste go through the process-wide row clipboard (Copy_Row_Buffer, UComon.h). Each
// editor keeps a copy mark per table and passes the target table's mark to the paste, so
// a row is pasted only into the table it was copied from.
//
// The helpers see a grid through TRowGridAccess, so they work on the column grid of the
// table editors, on the check-box string grid of two network editors and on a plain
// table in memory alike. Column 0 (the row number) is never touched; every other column,
// hidden ones included, takes part.
#include "platform/gui/Types.h"
#include "platform/rtl/SysUtils.h"

// What the row helpers use of a grid. Columns are real indexes (hidden columns counted),
// rows are display rows; row 0 is the header row.
class TRowGridAccess {
public:
    virtual ~TRowGridAccess() = default;

    virtual int RowCount() const = 0;              // header row included
    virtual int ColCount() const = 0;              // shown columns
    virtual int NumHiddenColumns() const = 0;
    virtual String GetCellEx(int Col, int Row) const = 0;
    virtual void SetCellEx(int Col, int Row, const String& Text) = 0;

    // Column grid: the column's cells are edited as data check boxes ("Y"/"N").
    virtual bool IsCheckBoxColumn(int Col) const { return false; }

    // Check-box string grid: cells carrying a real check box, and per-cell read-only
    // marks. GetCheckBoxState is false when the cell has no check box.
    virtual bool GetCheckBoxState(int Col, int Row, bool& State) const { return false; }
    virtual void SetCheckBoxState(int Col, int Row, bool State) {}
    virtual bool CellReadOnly(int Col, int Row) const { return false; }
    virtual void SetCellReadOnly(int Col, int Row, bool ReadOnly) {}

    // The current cell, in shown columns.
    virtual int Col() const = 0;
    virtual void SetCol(int Col) = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int Row) = 0;

    // Sizes the column to its widest content.
    virtual void AutoSizeCol(int Col) = 0;

    // Every column, hidden ones included.
    int AllColCount() const { return ColCount() + NumHiddenColumns(); }
};

// Texts of the row clipboard's messages.
constexpr int Text_Row_In_Use = 1100;         // question before overwriting a used row
constexpr int Text_Row_Copy_Mismatch = 1101;  // the copied row does not fit the table
constexpr int Text_Row_Not_Copied = 1102;     // nothing copied in this table

// ---- column grid (check-box columns hold "Y"/"N") ---------------------------------
// Rows below Row move up one; the last row is emptied.
void Grid_Delete_Row(int Row, TRowGridAccess& Grid);
// Rows from Row move down one (the last row's content is lost); Row is emptied, with "Y"
// in column 1 when SetEnable.
void Grid_Insert_Row(int Row, TRowGridAccess& Grid, bool SetEnable);
// Copy_Row_Buffer := the texts of Row, columns 1 to the last.
void Grid_Copy_Row(TRowGridAccess& Grid, int Row);
// The buffer into Row. Refuses with text 1102 while Copied is false and with 1101 when
// the buffer does not hold one entry per column; asks 1100 (Yes/No) before overwriting
// a row that holds text outside its check-box columns.
void Grid_Paste_Row(TRowGridAccess& Grid, int Row, bool Copied);
// A double click: on the header row (ARow 0) sizes column ACol when Double_Click_Auto_Size.
void Grid_Auto_Size_Col(TRowGridAccess& Grid, int ARow, int ACol);
// A typed key: with Enable_Jump_Field_Tables, Enter moves to the next cell (wrapping to
// the next row, and from the last row to row 1) and is consumed (Key := 0).
void Grid_Enter_Next_Cell(TRowGridAccess& Grid, WideChar& Key);

// ---- string grid with check-box cells and read-only marks -------------------------
// As Grid_Delete_Row, moving check states and read-only marks; the new last row is
// read-only, its column-1 box ticked when SetFirstChecked.
void Grid_Delete_Row_Check(int Row, TRowGridAccess& Grid, bool SetFirstChecked);
// As Grid_Insert_Row, moving check states and read-only marks; the new row is editable,
// its column-1 box ticked when SetFirstChecked.
void Grid_Insert_Row_Check(int Row, TRowGridAccess& Grid, bool SetFirstChecked);
// Copies texts, and check states as "Y"/"N", recording in Copy_Row_Is_Check which
// columns were check boxes.
void Grid_Copy_Row_Check(TRowGridAccess& Grid, int Row);
// Pastes texts and check states. Besides the refusals of Grid_Paste_Row, a copied row
// whose check-box columns do not match the target row's is refused with 1101.
void Grid_Paste_Row_Check(TRowGridAccess& Grid, int Row, bool Copied);
