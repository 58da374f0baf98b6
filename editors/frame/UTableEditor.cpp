// The table editor window: built from the editor's description, shown with its file,
// confirmed by the checks.
#include "editors/frame/UTableEditor.h"

#include <algorithm>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

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

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(std::max(200, ClientWidth() - 32));
    Make_Fields();
    P_Button = Make_Button_Panel(this);
    Make_Buttons();

    TWinControl* Host = this;
    if (FDesc.Tables.size() > 1) {
        Page_Control = new TPageControl(this);
        Page_Control->SetName("Page_Control");
        Page_Control->SetParent(this);
        Page_Control->SetAlign(alClient);
    }
    FTables.resize(FDesc.Tables.size());
    for (size_t t = 0; t < FDesc.Tables.size(); ++t) {
        TTable& table = FTables[t];
        if (Page_Control) {
            table.Page = new TTabSheet(this);
            table.Page->SetPageControl(Page_Control);
            table.Page->SetTabVisible(true);
            Host = table.Page;
        }
        Make_Grid(int(t), Host);
        table.Hint = std::make_unique<TStringList>();
        FData.Grids.push_back(table.Rows.get());
    }
    if (Page_Control) Page_Control->SetActivePageIndex(0);

    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

TFTableEditor::~TFTableEditor() = default;

void TFTableEditor::Make_Buttons()
{
    const char* Names[6] = {"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow", "Btn_CopyRow", "Btn_PasteRow"};
    TLbButton** Standard[6] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
    for (int i = 0; i < 6; ++i) *Standard[i] = Make_Push_Button(this, Names[i]);

    std::vector<TLbButton*> Shown;
    for (const TButtonDesc& d : FDesc.Buttons) {
        TLbButton* b = d.Kind == ebExtra ? Make_Push_Button(this, d.Name) : *Standard[d.Kind];
        b->SetShowHint(d.Show_Hint);
        b->SetTabOrder(int(Shown.size()));
        if (d.Kind == ebExtra && d.OnClick) b->OnClick = [this, Click = d.OnClick](TObject*) { Click(*this); };
        Shown.push_back(b);
    }
    FButtons = Shown;
    Place_Panel_Buttons(P_Button, Shown);
    // The standard buttons the description leaves out stay there, hidden, after the others.
    int Order = int(Shown.size());
    for (TLbButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}) {
        if (std::find(Shown.begin(), Shown.end(), b) != Shown.end()) continue;
        b->SetShowHint(false);
        b->SetTabOrder(Order++);
        b->SetParent(P_Button);
        b->SetVisible(false);
    }
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };
}

// ---------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------
void TFTableEditor::Set_Lang()
{
    SetCaption(Lang_Text(FDesc.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FDesc.Description));
    for (size_t i = 0; i < FDesc.Buttons.size(); ++i) {
        const TButtonDesc& b = FDesc.Buttons[i];
        FButtons[i]->SetCaption(b.Fixed_Caption.empty() ? Lang_Text(b.Caption) : b.Fixed_Caption);
        FButtons[i]->SetHint(Lang_Text(FDesc.Buttons[i].Hint));
    }
    for (size_t i = 0; i < FFields.size(); ++i) {
        const TFieldDesc& d = FDesc.Fields[i];
        if (FField_Labels[i]) FField_Labels[i]->SetCaption(Lang_Text(d.Caption));
        if (d.Kind == fkCheckBox) FFields[i]->SetCaption(Lang_Text(d.Caption));
        FFields[i]->SetHint(Lang_Text(d.Hint));
    }
    for (size_t t = 0; t < FTables.size(); ++t) {
        const TTableDesc& d = FDesc.Tables[t];
        TTable& table = FTables[t];
        if (table.Page) table.Page->SetCaption(Lang_Text(d.Page_Caption));
        for (int c = 0; c < d.Col_Count(); ++c) {
            const TFieldDesc& col = d.Columns[size_t(c)];
            if (table.Column_Grid)
                table.Column_Grid->Columns()->Items(c)->SetHeader(Lang_Text(col.Caption));
            else
                table.Grid->SetCellEx(c, 0, Lang_Text(col.Caption));
        }
        Fill_Hint_List(int(t));
    }
}

void TFTableEditor::Fill_Hint_List(int Table)
{
    const TTableDesc& d = FDesc.Tables[size_t(Table)];
    TTable& table = FTables[size_t(Table)];
    table.Hint->Clear();
    for (int c = 1; c < d.Col_Count(); ++c)
        if (!d.Hints_By_Shown_Col || !table.Grid->IsHiddenColumn(c)) table.Hint->Add(Lang_Text(d.Columns[size_t(c)].Hint));
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

TEditorData& TFTableEditor::Data()
{
    FData.Fields.resize(FFields.size());
    for (size_t i = 0; i < FFields.size(); ++i) FData.Fields[i] = Field_Value(int(i));
    return FData;
}

void TFTableEditor::Set_Data_Rows(int Table, int Rows)
{
    Table_Grid(Table)->SetRowCount(Rows + 1);
}

void TFTableEditor::FormShow(TObject*)
{
    FData.Context = TEditorContext();
    if (FDesc.Read_Context) FDesc.Read_Context(FData.Context);
    Before_Reset();
    // The columns shown may have changed.
    for (size_t t = 0; t < FTables.size(); ++t)
        if (FDesc.Tables[t].Hints_By_Shown_Col) Fill_Hint_List(int(t));
    for (TTable& t : FTables) t.Grid->BeginUpdate();
    for (size_t t = 0; t < FTables.size(); ++t) Prepare_Grid(int(t));
    Reset_Tables(FDesc, FData);
    for (TTable& t : FTables) t.Grid->EndUpdate();
    Fill_Field_Lists();
    Fields_From_Data();
    Prepare();
    const String File = FDesc.File_Name ? *FDesc.File_Name : String();
    if (!File.empty() && FileExists(File)) {
        for (TTable& t : FTables) t.Grid->BeginUpdate();
        try {
            XML1.LoadFromFile(File);
            Load_Tables(FDesc, XML1, File, FData);
        } catch (const std::exception& e) {
            // The window opens with what could be read; the error is told once.
            for (TTable& t : FTables) t.Grid->EndUpdate();
            Fields_From_Data();
            for (TTable& t : FTables) t.Do_Copy = false;
            After_Load();
            Application->ShowException(e);
            return;
        }
        for (TTable& t : FTables) t.Grid->EndUpdate();
        Fields_From_Data();
    }
    for (TTable& t : FTables) t.Do_Copy = false;
    After_Load();
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
    const int t = FDesc.Hints_By_Page ? Active_Table() : Table_Of(Sender);
    if (t >= 0 && ARow >= 1 && ACol >= 1 && FDesc.Tables[size_t(t)].Cell_Text_Hints) {
        TExtStringGrid* g = FTables[size_t(t)].Grid;
        HintStr = g->GetCellEx(g->RealColIndex(ACol), ARow);
        return;
    }
    if (t < 0 || ARow != 0 || ACol < 1) return;
    const int Col = FDesc.Tables[size_t(t)].Hints_By_Shown_Col ? ACol : FTables[size_t(t)].Grid->RealColIndex(ACol);
    const TStringList* Hints = FTables[size_t(t)].Hint.get();
    if (Col >= 1 && Col - 1 < Hints->Count()) HintStr = Hints->Strings(Col - 1);
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
// Row buttons: a string grid's rows move with their check boxes and read-only marks
// ---------------------------------------------------------------------------------
void TFTableEditor::Btn_DelRowClick(TObject*)
{
    const int t = Active_Table();
    const TTableDesc& d = FDesc.Tables[size_t(t)];
    const int r = Table_Grid(t)->Row();
    const String Question = Lang_Text(d.Delete_Question) + IntToStr(r);
    if (MessageDlg(Question, mtConfirmation, mbYesNo, 0) != mrYes) return;
    if (Grid(t))
        Grid_Delete_Row(r, Rows(t));
    else
        Grid_Delete_Row_Check(r, Rows(t), d.Insert_Sets_Enable);
    Rows_Changed(t);
}

void TFTableEditor::Btn_InsRowClick(TObject*)
{
    const int t = Active_Table();
    const TTableDesc& d = FDesc.Tables[size_t(t)];
    const int r = Table_Grid(t)->Row();
    if (!Grid(t)) {
        Grid_Insert_Row_Check(r, Rows(t), d.Insert_Sets_Enable);
    } else {
        Grid_Insert_Row(r, Rows(t), false);
        if (d.Insert_Sets_Enable && d.Enable_Col >= 0)
            Set_Cell_Value(d.Columns.at(size_t(d.Enable_Col)), Rows(t), d.Enable_Col, r,
                           d.Columns[size_t(d.Enable_Col)].Check_On);
    }
    Rows_Changed(t);
}

void TFTableEditor::Btn_CopyRowClick(TObject*)
{
    const int t = Active_Table();
    if (Grid(t))
        Grid_Copy_Row(Rows(t), Table_Grid(t)->Row());
    else
        Grid_Copy_Row_Check(Rows(t), Table_Grid(t)->Row());
    for (size_t i = 0; i < FTables.size(); ++i) FTables[i].Do_Copy = int(i) == t;
}

void TFTableEditor::Btn_PasteRowClick(TObject*)
{
    const int t = Active_Table();
    if (Grid(t))
        Grid_Paste_Row(Rows(t), Table_Grid(t)->Row(), FTables[size_t(t)].Do_Copy);
    else
        Grid_Paste_Row_Check(Rows(t), Table_Grid(t)->Row(), FTables[size_t(t)].Do_Copy);
    Rows_Changed(t);
}

// ---------------------------------------------------------------------------------
// OK
// ---------------------------------------------------------------------------------
void TFTableEditor::Show_Failure(const TCheckFailure& Failure)
{
    MessageDlg(Failure.Text, mtError, TMsgDlgButtons{mbOK}, 0);
    if (Failure.Field >= 0 && Failure.Field < Field_Count()) {
        if (auto* w = dynamic_cast<TWinControl*>(Field_Control(Failure.Field)); w && w->CanFocus()) w->SetFocus();
        return;
    }
    if (!Failure.Select_Row || Failure.Table < 0 || Failure.Table >= Table_Count()) return;
    if (TTabSheet* p = Page(Failure.Table)) Page_Control->SetActivePage(p);
    TExtStringGrid* g = Table_Grid(Failure.Table);
    if (Failure.Row >= 1 && Failure.Row < g->RowCount()) {
        g->SetRow(Failure.Row);
        g->SelectRows(Failure.Row, 1);
    }
}

bool TFTableEditor::Controllo_dati()
{
    const std::optional<TCheckFailure> Failure = Check_Tables(FDesc, Data());
    if (!Failure) return true;
    Show_Failure(*Failure);
    return false;
}

void TFTableEditor::Btn_OKClick(TObject*)
{
    if (!Controllo_dati()) return;
    try {
        Save_Tables(FDesc, XML1, FDesc.File_Name ? *FDesc.File_Name : String(), Data());
    } catch (const std::exception& e) {
        // The file stays as it was and the window open with the user's input.
        Application->ShowException(e);
        return;
    }
    SetModalResult(mrOk);
}
