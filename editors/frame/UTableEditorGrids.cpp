// The table editor window's grids: the row helpers' views of them, and each table's grid
// made and prepared as its description says.
#include "editors/frame/UTableEditor.h"

#include "grid/columns/ExtColumnGrid.h"

namespace {

TEditorType Editor_Of(TFieldKind Kind)
{
    switch (Kind) {
    case fkCheckBox: return edDataCheckBox;
    case fkList:
    case fkListIndex: return edComboList;
    case fkListEdit: return edComboEdit;
    default: return edNormal;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------
// The row helpers on the grids
// ---------------------------------------------------------------------------------
int TGridRows::RowCount() const { return FStringGrid->RowCount(); }
int TGridRows::ColCount() const { return FStringGrid->ColCount(); }
int TGridRows::NumHiddenColumns() const { return FStringGrid->NumHiddenColumns(); }
String TGridRows::GetCellEx(int Col, int Row) const { return FStringGrid->GetCellEx(Col, Row); }
void TGridRows::SetCellEx(int Col, int Row, const String& Text) { FStringGrid->SetCellEx(Col, Row, Text); }
int TGridRows::Col() const { return FStringGrid->Col(); }
void TGridRows::SetCol(int Col) { FStringGrid->SetCol(Col); }
int TGridRows::Row() const { return FStringGrid->Row(); }
void TGridRows::SetRow(int Row) { FStringGrid->SetRow(Row); }
void TGridRows::AutoSizeCol(int Col) { FStringGrid->AutoSizeCol(Col, 0); }

TColumnGridRows::TColumnGridRows(TExtColumnGrid* Grid) : TGridRows(Grid), FGrid(Grid) {}
bool TColumnGridRows::IsCheckBoxColumn(int Col) const
{
    return Col < FGrid->Columns()->Count() && FGrid->Columns()->Items(Col)->Editor() == edDataCheckBox;
}

bool TStringGridRows::GetCheckBoxState(int Col, int Row, bool& State) const
{
    return FStringGrid->GetCheckBoxState(Col, Row, State);
}
void TStringGridRows::SetCheckBoxState(int Col, int Row, bool State) { FStringGrid->SetCheckBoxState(Col, Row, State); }
bool TStringGridRows::CellReadOnly(int Col, int Row) const { return FStringGrid->GetReadOnly(Col, Row); }
void TStringGridRows::SetCellReadOnly(int Col, int Row, bool ReadOnly) { FStringGrid->SetReadOnly(Col, Row, ReadOnly); }

void Grid_Delete_Row(int Row, TExtColumnGrid* Grid)
{
    TColumnGridRows g(Grid);
    Grid_Delete_Row(Row, g);
}
void Grid_Insert_Row(int Row, TExtColumnGrid* Grid, bool SetEnable)
{
    TColumnGridRows g(Grid);
    Grid_Insert_Row(Row, g, SetEnable);
}
void Grid_Copy_Row(TExtColumnGrid* Grid, int Row)
{
    TColumnGridRows g(Grid);
    Grid_Copy_Row(g, Row);
}
void Grid_Paste_Row(TExtColumnGrid* Grid, int Row, bool Copied)
{
    TColumnGridRows g(Grid);
    Grid_Paste_Row(g, Row, Copied);
}
void Grid_Auto_Size_Col(TExtColumnGrid* Grid, int ARow, int ACol)
{
    TColumnGridRows g(Grid);
    Grid_Auto_Size_Col(g, ARow, ACol);
}
void Grid_Enter_Next_Cell(TExtColumnGrid* Grid, WideChar& Key)
{
    TColumnGridRows g(Grid);
    Grid_Enter_Next_Cell(g, Key);
}

// ---------------------------------------------------------------------------------
// A table's grid
// ---------------------------------------------------------------------------------
TExtStringGrid* TFTableEditor::Make_Grid(int Table, TWinControl* Parent)
{
    const TTableDesc& Desc = FDesc.Tables[size_t(Table)];
    TTable& t = FTables[size_t(Table)];
    if (Desc.Grid_Kind == gkColumnGrid) {
        t.Column_Grid = new TExtColumnGrid(this);
        t.Grid = t.Column_Grid;
        t.Rows = std::make_unique<TColumnGridRows>(t.Column_Grid);
    } else {
        t.Grid = new TExtStringGrid(this);
        t.Rows = std::make_unique<TStringGridRows>(t.Grid);
    }
    TExtStringGrid* g = t.Grid;
    g->SetName(Desc.Grid_Name);
    g->SetParent(Parent);
    g->SetAlign(alClient);
    // (the column grid's own SetColCount makes its column items)
    if (t.Column_Grid)
        t.Column_Grid->SetColCount(Desc.Col_Count());
    else
        g->SetColCount(Desc.Col_Count());
    g->SetRowCount(Desc.Rows + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetShowHint(FDesc.Tables_Show_Hints || Desc.Show_Hints);
    // Tab walks along the row like Enter does with the jump option, instead of leaving the table.
    g->SetOptions(g->Options() << goTabs);
    // A string grid edits its cells and boxes only with the option (a column grid decides per column).
    if (!t.Column_Grid) g->SetOptions(g->Options() << goEditing);
    for (int c = 0; c < Desc.Col_Count(); ++c) {
        const TFieldDesc& d = Desc.Columns[size_t(c)];
        if (t.Column_Grid) {
            TGridColumnItem* item = t.Column_Grid->Columns()->Items(c);
            item->SetEditor(Editor_Of(d.Kind));
            item->ComboItems()->Clear();
            for (const String& s : d.Items) item->ComboItems()->Add(s);
            if (d.Width >= 0) item->SetWidth(d.Width);
            item->SetEditLength(d.Max_Length);
            if (d.Kind == fkCheckBox) {
                item->SetCheckTrue(d.Check_On);
                item->SetCheckFalse(d.Check_Off);
            }
        } else if (d.Width >= 0) {
            g->SetColWidths(c, d.Width);
        }
    }
    if (!t.Column_Grid) {
        // Check boxes are real boxes (made at every showing, for the rows it has then);
        // lists open with the items of the showing.
        g->OnGetEditorType = [this, Table](TObject*, int ACol, int, TEditorType& Editor) {
            const TTableDesc& d = FDesc.Tables[size_t(Table)];
            if (ACol >= 0 && ACol < d.Col_Count() && d.Columns[size_t(ACol)].Kind != fkCheckBox)
                Editor = Editor_Of(d.Columns[size_t(ACol)].Kind);
        };
        g->OnGetEditorProp = [this, Table](TObject*, int ACol, int, TEditLink*) {
            const TTable& table = FTables[size_t(Table)];
            if (ACol < 0 || size_t(ACol) >= table.Items.size()) return;
            table.Grid->ClearComboString();
            for (const String& s : table.Items[size_t(ACol)]) table.Grid->AddComboString(s);
        };
    }
    // Described as a form describes it: the grid now records its column order and sizes.
    g->Loaded();
    for (int c = Desc.Col_Count() - 1; c >= 1; --c)
        if (Desc.Columns[size_t(c)].Flags & ffHidden) g->HideColumn(c);

    g->OnGridHint = [this](TObject* s, int r, int c, String& h) { GridHint(s, r, c, h); };
    if (Desc.Select_Row_On_Click) g->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };
    g->OnKeyPress = [this](TObject* s, WideChar& k) { KeyPress(s, k); };
    return g;
}

// At a showing, before the reset: the lists that have providers take the showing's
// items; a string grid's check-box columns get their boxes in every row it has now.
void TFTableEditor::Prepare_Grid(int Table)
{
    const TTableDesc& Desc = FDesc.Tables[size_t(Table)];
    TTable& t = FTables[size_t(Table)];
    if (t.Column_Grid) {
        for (int c = 0; c < Desc.Col_Count(); ++c) {
            const TFieldDesc& d = Desc.Columns[size_t(c)];
            if (!d.Items_From) continue;
            TStringList* Items = t.Column_Grid->Columns()->Items(c)->ComboItems();
            Items->Clear();
            for (const String& s : Field_Items(d, FData.Context)) Items->Add(s);
        }
        return;
    }
    t.Items.assign(size_t(Desc.Col_Count()), {});
    for (int c = 0; c < Desc.Col_Count(); ++c) {
        const TFieldDesc& d = Desc.Columns[size_t(c)];
        t.Items[size_t(c)] = Field_Items(d, FData.Context);
        if (d.Kind == fkCheckBox && c >= 1) t.Grid->AddCheckBoxColumn(c, false, false);
    }
}
