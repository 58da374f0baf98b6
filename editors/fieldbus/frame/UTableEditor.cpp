// The table editor window: built from the editor's description, shown with its file,
// confirmed by the checks.
#include "editors/fieldbus/frame/UTableEditor.h"

#include <algorithm>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

namespace {


TEditorType Editor_Of(TCellKind Kind)
{
    switch (Kind) {
    case ckCheckBox: return edDataCheckBox;
    case ckList: return edComboList;
    case ckListEdit: return edComboEdit;
    case ckNumber:
    case ckText:
    default: return edNormal;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------
// The row helpers on a column grid
// ---------------------------------------------------------------------------------
int TColumnGridRows::RowCount() const { return FGrid->RowCount(); }
int TColumnGridRows::ColCount() const { return FGrid->ColCount(); }
int TColumnGridRows::NumHiddenColumns() const { return FGrid->NumHiddenColumns(); }
String TColumnGridRows::GetCellEx(int Col, int Row) const { return FGrid->GetCellEx(Col, Row); }
void TColumnGridRows::SetCellEx(int Col, int Row, const String& Text) { FGrid->SetCellEx(Col, Row, Text); }
bool TColumnGridRows::IsCheckBoxColumn(int Col) const
{
    return Col < FGrid->Columns()->Count() && FGrid->Columns()->Items(Col)->Editor() == edDataCheckBox;
}
int TColumnGridRows::Col() const { return FGrid->Col(); }
void TColumnGridRows::SetCol(int Col) { FGrid->SetCol(Col); }
int TColumnGridRows::Row() const { return FGrid->Row(); }
void TColumnGridRows::SetRow(int Row) { FGrid->SetRow(Row); }
void TColumnGridRows::AutoSizeCol(int Col) { FGrid->AutoSizeCol(Col, 0); }

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
// Creation
// ---------------------------------------------------------------------------------
TFTableEditor::TFTableEditor(TComponent* AOwner, TEditorDesc Desc) : TForm(AOwner), FDesc(std::move(Desc))
{
    SetName(FDesc.Name);
    Set_Dialog_Look(this);
    // The editors can be resized; hints show only on the controls the editor names.
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    SetShowHint(false);
    OnShow = [this](TObject* s) { FormShow(s); };
    if (FDesc.Client_Width > 0) SetClientWidth(FDesc.Client_Width);
    if (FDesc.Client_Height > 0) SetClientHeight(FDesc.Client_Height);
    Make_Controls();
    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

TFTableEditor::~TFTableEditor() = default;

void TFTableEditor::Make_Controls()
{
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(std::max(200, ClientWidth() - 32));

    P_Button = Make_Button_Panel(this);
    TLbButton** Buttons[6] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
    const char* Names[6] = {"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow", "Btn_CopyRow", "Btn_PasteRow"};
    for (int i = 0; i < 6; ++i) {
        TLbButton* b = Make_Push_Button(this, Names[i]);
        b->SetShowHint(FDesc.Buttons_Show_Hints[i]);
        b->SetTabOrder(i);
        *Buttons[i] = b;
    }
    if (FDesc.Row_Buttons) {
        Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow});
    } else {
        Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
        for (TLbButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) {
            b->SetParent(P_Button);
            b->SetVisible(false);
        }
    }
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

    TWinControl* Host = this;
    if (FDesc.Tables.size() > 1) {
        Page_Control = new TPageControl(this);
        Page_Control->SetName("Page_Control");
        Page_Control->SetParent(this);
        Page_Control->SetAlign(alClient);
    }
    for (const TTableDesc& t : FDesc.Tables) {
        TTable table;
        if (Page_Control) {
            table.Page = new TTabSheet(this);
            table.Page->SetPageControl(Page_Control);
            table.Page->SetTabVisible(true);
            Host = table.Page;
        }
        table.Grid = Make_Grid(t, Host);
        table.Hint = std::make_unique<TStringList>();
        table.Rows = std::make_unique<TColumnGridRows>(table.Grid);
        FTables.push_back(std::move(table));
    }
    if (Page_Control) Page_Control->SetActivePageIndex(0);
}

TExtColumnGrid* TFTableEditor::Make_Grid(const TTableDesc& Desc, TWinControl* Parent)
{
    TExtColumnGrid* g = new TExtColumnGrid(this);
    g->SetName(Desc.Grid_Name);
    g->SetParent(Parent);
    g->SetAlign(alClient);
    g->SetColCount(Desc.Col_Count());
    g->SetRowCount(Desc.Rows + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetShowHint(FDesc.Tables_Show_Hints);
    // Tab walks along the row like Enter does with the jump option, instead of leaving the table.
    g->SetOptions(g->Options() << goTabs);
    for (int c = 0; c < Desc.Col_Count(); ++c) {
        const TColumnDesc& d = Desc.Columns[size_t(c)];
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetEditor(Editor_Of(d.Kind));
        item->ComboItems()->Clear();
        for (const String& s : d.Items) item->ComboItems()->Add(s);
        if (d.Width >= 0) item->SetWidth(d.Width);
        item->SetEditLength(d.EditLength);
    }
    // Described as a form describes it: the grid now records its column order and sizes.
    g->Loaded();
    for (int c = Desc.Col_Count() - 1; c >= 1; --c)
        if (Desc.Columns[size_t(c)].Hidden) g->HideColumn(c);

    g->OnGridHint = [this](TObject* s, int r, int c, String& h) { GridHint(s, r, c, h); };
    if (Desc.Select_Row_On_Click) g->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };
    g->OnKeyPress = [this](TObject* s, WideChar& k) { KeyPress(s, k); };
    return g;
}

// ---------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------
void TFTableEditor::Set_Lang()
{
    SetCaption(Lang_Text(FDesc.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FDesc.Description));
    TLbButton* Buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        Buttons[i]->SetCaption(Lang_Text(FDesc.Button_Captions[i]));
        Buttons[i]->SetHint(Lang_Text(FDesc.Button_Hints[i]));
    }
    for (size_t t = 0; t < FTables.size(); ++t) {
        const TTableDesc& d = FDesc.Tables[t];
        TTable& table = FTables[t];
        if (table.Page) table.Page->SetCaption(Lang_Text(d.Page_Caption));
        table.Hint->Clear();
        for (int c = 0; c < d.Col_Count(); ++c) {
            const TColumnDesc& col = d.Columns[size_t(c)];
            table.Grid->Columns()->Items(c)->SetHeader(Lang_Text(col.Header));
            if (c >= 1) table.Hint->Add(Lang_Text(col.Hint));
        }
    }
}

// ---------------------------------------------------------------------------------
// A showing
// ---------------------------------------------------------------------------------
int TFTableEditor::Active_Table() const
{
    if (!Page_Control) return 0;
    for (size_t t = 0; t < FTables.size(); ++t)
        if (FTables[t].Page == Page_Control->ActivePage()) return int(t);
    return 0;
}

TTableGrids TFTableEditor::Table_Grids()
{
    TTableGrids g;
    for (TTable& t : FTables) g.push_back(t.Rows.get());
    return g;
}

void TFTableEditor::Set_Data_Rows(int Table, int Rows)
{
    Grid(Table)->SetRowCount(Rows + 1);
}

void TFTableEditor::FormShow(TObject*)
{
    Before_Reset();
    for (size_t t = 0; t < FTables.size(); ++t) {
        TExtColumnGrid* g = FTables[t].Grid;
        g->BeginUpdate();
        Reset_Table(FDesc.Tables[t], *FTables[t].Rows);
        g->EndUpdate();
    }
    Prepare();
    const String File = FDesc.File_Name ? *FDesc.File_Name : String();
    if (!File.empty() && FileExists(File)) {
        for (TTable& t : FTables) t.Grid->BeginUpdate();
        try {
            XML1.LoadFromFile(File);
            Load_Tables(FDesc, XML1, File, Table_Grids());
        } catch (const std::exception& e) {
            // The window opens with what could be read; the error is told once.
            for (TTable& t : FTables) t.Grid->EndUpdate();
            for (TTable& t : FTables) t.Do_Copy = false;
            Application->ShowException(e);
            return;
        }
        for (TTable& t : FTables) t.Grid->EndUpdate();
    }
    for (TTable& t : FTables) t.Do_Copy = false;
}

// ---------------------------------------------------------------------------------
// Hints, mouse and keys
// ---------------------------------------------------------------------------------
int TFTableEditor::Table_Of(TObject* Sender) const
{
    // A grid's list editor reports the keys typed into it with itself as the sender: it
    // counts as its grid, so Enter there moves on like Enter in a text cell.
    for (auto* c = dynamic_cast<TControl*>(Sender); c; c = c->Parent())
        for (size_t t = 0; t < FTables.size(); ++t)
            if (FTables[t].Grid == c) return int(t);
    return -1;
}

void TFTableEditor::GridHint(TObject* Sender, int ARow, int ACol, String& HintStr)
{
    HintStr.clear();
    const int t = Table_Of(Sender);
    if (t < 0 || ARow != 0 || ACol < 1) return;
    const int Real = FTables[size_t(t)].Grid->RealColIndex(ACol);
    const TStringList* Hints = FTables[size_t(t)].Hint.get();
    if (Real >= 1 && Real - 1 < Hints->Count()) HintStr = Hints->Strings(Real - 1);
}

void TFTableEditor::ClickCell(TObject* Sender, int ARow, int ACol)
{
    const int t = Table_Of(Sender);
    if (t < 0 || ACol != 0 || ARow < 1) return;
    FTables[size_t(t)].Grid->SelectRows(ARow, 1);
}

void TFTableEditor::DblClickCell(TObject* Sender, int ARow, int ACol)
{
    const int t = Table_Of(Sender);
    if (t >= 0) Grid_Auto_Size_Col(*FTables[size_t(t)].Rows, ARow, ACol);
}

void TFTableEditor::KeyPress(TObject* Sender, WideChar& Key)
{
    const int t = Table_Of(Sender);
    if (t >= 0) Grid_Enter_Next_Cell(*FTables[size_t(t)].Rows, Key);
}

// ---------------------------------------------------------------------------------
// Row buttons
// ---------------------------------------------------------------------------------
void TFTableEditor::Btn_DelRowClick(TObject*)
{
    const int t = Active_Table();
    const int r = Grid(t)->Row();
    const String Question = Lang_Text(FDesc.Tables[size_t(t)].Delete_Question) + IntToStr(r);
    if (MessageDlg(Question, mtConfirmation, mbYesNo, 0) != mrYes) return;
    Grid_Delete_Row(r, Rows(t));
}

void TFTableEditor::Btn_InsRowClick(TObject*)
{
    const int t = Active_Table();
    Grid_Insert_Row(Grid(t)->Row(), Rows(t), FDesc.Tables[size_t(t)].Insert_Sets_Enable);
}

void TFTableEditor::Btn_CopyRowClick(TObject*)
{
    const int t = Active_Table();
    Grid_Copy_Row(Rows(t), Grid(t)->Row());
    for (size_t i = 0; i < FTables.size(); ++i) FTables[i].Do_Copy = int(i) == t;
}

void TFTableEditor::Btn_PasteRowClick(TObject*)
{
    const int t = Active_Table();
    Grid_Paste_Row(Rows(t), Grid(t)->Row(), FTables[size_t(t)].Do_Copy);
}

// ---------------------------------------------------------------------------------
// OK
// ---------------------------------------------------------------------------------
bool TFTableEditor::Controllo_dati()
{
    const std::optional<TCheckFailure> Failure = Check_Tables(FDesc, Table_Grids());
    if (!Failure) return true;
    MessageDlg(Failure->Text, mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
}

void TFTableEditor::Btn_OKClick(TObject*)
{
    if (!Controllo_dati()) return;
    try {
        Save_Tables(FDesc, XML1, FDesc.File_Name ? *FDesc.File_Name : String(), Table_Grids());
    } catch (const std::exception& e) {
        // The file stays as it was and the window open with the user's input.
        Application->ShowException(e);
        return;
    }
    SetModalResult(mrOk);
}
