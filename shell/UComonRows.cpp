// The row helpers of the table editors over the row clipboard.
#include "shell/UComonRows.h"

#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// A data row of the grid. The editors pass their current row, which is one; anything
// else (the header row, a row past the end) would move the header into the table or
// read beyond it, so the helpers leave such a call alone.
bool Is_Data_Row(const TRowGridAccess& Grid, int Row) { return Row >= 1 && Row < Grid.RowCount(); }

void Error_Box(int Text) { MessageDlg(Lang_Text(Text), mtError, TMsgDlgButtons{mbOK}, 0); }

bool Confirm_Overwrite() { return MessageDlg(Lang_Text(Text_Row_In_Use), mtConfirmation, mbYesNo, 0) == mrYes; }

// The refusals both paste helpers share: nothing copied in this table, or a copied row
// of another width.
bool Paste_Refused(const TRowGridAccess& Grid, bool Copied)
{
    if (!Copied) {
        Error_Box(Text_Row_Not_Copied);
        return true;
    }
    if (Grid.AllColCount() != Copy_Row_Buffer.Count() + 1) {
        Error_Box(Text_Row_Copy_Mismatch);
        return true;
    }
    return false;
}

bool Has_Check(const TRowGridAccess& Grid, int Col, int Row, bool& State)
{
    State = false;
    return Grid.GetCheckBoxState(Col, Row, State);
}

}  // namespace

// ---------------------------------------------------------------------------------
// Column grid
// ---------------------------------------------------------------------------------
void Grid_Delete_Row(int Row, TRowGridAccess& Grid)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int Last = Grid.RowCount() - 1;
    const int n = Grid.AllColCount();
    for (int r = Row; r < Last; ++r)
        for (int c = 1; c < n; ++c) Grid.SetCellEx(c, r, Grid.GetCellEx(c, r + 1));
    for (int c = 1; c < n; ++c) Grid.SetCellEx(c, Last, "");
}

void Grid_Insert_Row(int Row, TRowGridAccess& Grid, bool SetEnable)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int Last = Grid.RowCount() - 1;
    const int n = Grid.AllColCount();
    for (int r = Last - 1; r >= Row; --r)
        for (int c = 1; c < n; ++c) Grid.SetCellEx(c, r + 1, Grid.GetCellEx(c, r));
    for (int c = 1; c < n; ++c) Grid.SetCellEx(c, Row, SetEnable && c == 1 ? "Y" : "");
}

void Grid_Copy_Row(TRowGridAccess& Grid, int Row)
{
    if (!Is_Data_Row(Grid, Row)) return;
    Copy_Row_Buffer.Clear();
    const int n = Grid.AllColCount();
    for (int c = 1; c < n; ++c) Copy_Row_Buffer.Add(Grid.GetCellEx(c, Row));
}

void Grid_Paste_Row(TRowGridAccess& Grid, int Row, bool Copied)
{
    if (Paste_Refused(Grid, Copied) || !Is_Data_Row(Grid, Row)) return;
    const int n = Grid.AllColCount();
    bool In_Use = false;
    for (int c = 1; c < n && !In_Use; ++c)
        In_Use = !Grid.IsCheckBoxColumn(c) && !Trim(Grid.GetCellEx(c, Row)).empty();
    if (In_Use && !Confirm_Overwrite()) return;
    for (int c = 1; c < n; ++c) Grid.SetCellEx(c, Row, Copy_Row_Buffer[c - 1]);
}

void Grid_Auto_Size_Col(TRowGridAccess& Grid, int ARow, int ACol)
{
    if (Double_Click_Auto_Size && ARow == 0 && ACol >= 0) Grid.AutoSizeCol(ACol);
}

void Grid_Enter_Next_Cell(TRowGridAccess& Grid, WideChar& Key)
{
    if (!Enable_Jump_Field_Tables || Key != 13) return;
    if (Grid.Col() > 0 && Grid.Row() > 0) {
        if (Grid.Col() < Grid.ColCount() - 1) {
            Grid.SetCol(Grid.Col() + 1);
        } else {
            Grid.SetCol(1);
            Grid.SetRow(Grid.Row() < Grid.RowCount() - 1 ? Grid.Row() + 1 : 1);
        }
    }
    Key = 0;
}

// ---------------------------------------------------------------------------------
// String grid with check-box cells
// ---------------------------------------------------------------------------------
void Grid_Delete_Row_Check(int Row, TRowGridAccess& Grid, bool SetFirstChecked)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int Last = Grid.RowCount() - 1;
    const int n = Grid.AllColCount();
    bool State;
    for (int r = Row; r < Last; ++r)
        for (int c = 1; c < n; ++c) {
            if (Has_Check(Grid, c, r + 1, State)) Grid.SetCheckBoxState(c, r, State);
            else Grid.SetCellEx(c, r, Grid.GetCellEx(c, r + 1));
            Grid.SetCellReadOnly(c, r, Grid.CellReadOnly(c, r + 1));
        }
    for (int c = 1; c < n; ++c) {
        if (Has_Check(Grid, c, Last, State)) Grid.SetCheckBoxState(c, Last, SetFirstChecked && c == 1);
        else Grid.SetCellEx(c, Last, "");
        Grid.SetCellReadOnly(c, Last, true);
    }
}

void Grid_Insert_Row_Check(int Row, TRowGridAccess& Grid, bool SetFirstChecked)
{
    if (!Is_Data_Row(Grid, Row)) return;
    const int Last = Grid.RowCount() - 1;
    const int n = Grid.AllColCount();
    bool State;
    for (int r = Last - 1; r >= Row; --r)
        for (int c = 1; c < n; ++c) {
            if (Has_Check(Grid, c, r, State)) Grid.SetCheckBoxState(c, r + 1, State);
            else Grid.SetCellEx(c, r + 1, Grid.GetCellEx(c, r));
            Grid.SetCellReadOnly(c, r + 1, Grid.CellReadOnly(c, r));
        }
    for (int c = 1; c < n; ++c) {
        if (Has_Check(Grid, c, Row, State)) Grid.SetCheckBoxState(c, Row, SetFirstChecked && c == 1);
        else Grid.SetCellEx(c, Row, "");
        Grid.SetCellReadOnly(c, Row, false);
    }
}

void Grid_Copy_Row_Check(TRowGridAccess& Grid, int Row)
{
    if (!Is_Data_Row(Grid, Row)) return;
    Copy_Row_Buffer.Clear();
    const int n = Grid.AllColCount();
    Copy_Row_Is_Check.assign(size_t(n > 1 ? n - 1 : 0), false);
    bool State;
    for (int c = 1; c < n; ++c) {
        if (Has_Check(Grid, c, Row, State)) {
            Copy_Row_Is_Check[size_t(c - 1)] = true;
            Copy_Row_Buffer.Add(State ? "Y" : "N");
        } else {
            Copy_Row_Buffer.Add(Grid.GetCellEx(c, Row));
        }
    }
}

void Grid_Paste_Row_Check(TRowGridAccess& Grid, int Row, bool Copied)
{
    if (Paste_Refused(Grid, Copied) || !Is_Data_Row(Grid, Row)) return;
    const int n = Grid.AllColCount();
    // The buffer may have been filled by a plain copy, which leaves the check flags of an
    // earlier copy behind, or come from a row whose check boxes stand in other columns.
    // Pasting it would write "Y"/"N" as text or tick a box with a text: refuse it.
    bool State;
    bool Fits = Copy_Row_Is_Check.size() == size_t(Copy_Row_Buffer.Count());
    for (int c = 1; c < n && Fits; ++c) Fits = Has_Check(Grid, c, Row, State) == Copy_Row_Is_Check[size_t(c - 1)];
    if (!Fits) {
        Error_Box(Text_Row_Copy_Mismatch);
        return;
    }
    bool In_Use = false;
    for (int c = 1; c < n && !In_Use; ++c) In_Use = !Has_Check(Grid, c, Row, State) && !Grid.GetCellEx(c, Row).empty();
    if (In_Use && !Confirm_Overwrite()) return;
    for (int c = 1; c < n; ++c) {
        if (Copy_Row_Is_Check[size_t(c - 1)]) Grid.SetCheckBoxState(c, Row, Copy_Row_Buffer[c - 1] == "Y");
        else Grid.SetCellEx(c, Row, Copy_Row_Buffer[c - 1]);
    }
}
