// The DeviceNet offset window.
#include "editors/fieldbus/UDefOffset.h"

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFDefOffset* FDefOffset = nullptr;

namespace {

constexpr int Slave_Panel_Height = 162;
constexpr int Label_Left = 16;

// The byte tables' columns: the byte's index, its place, its description.
enum TByte_Col { Byte_Index, Byte_Offset, Byte_Mnemonic, Byte_Cols };

// A byte table shows the bytes of one direction of a slave.
void Show_Bytes(TExtColumnGrid* Grid, const std::vector<String>& Offsets, const std::vector<String>& Mnemonics)
{
    Grid->BeginUpdate();
    Grid->SetRowCount(int(Offsets.size()) + 1);
    for (size_t i = 0; i < Offsets.size(); ++i) {
        const int r = int(i) + 1;
        Grid->SetCellEx(Byte_Index, r, IntToStr(int(i)));
        Grid->SetCellEx(Byte_Offset, r, Offsets[i]);
        Grid->SetCellEx(Byte_Mnemonic, r, i < Mnemonics.size() ? Mnemonics[i] : String());
    }
    Grid->EndUpdate();
}

void Store_Bytes(TExtColumnGrid* Grid, std::vector<String>& Offsets, std::vector<String>& Mnemonics)
{
    const size_t n = std::min(Offsets.size(), size_t(std::max(0, Grid->RowCount() - 1)));
    for (size_t i = 0; i < n; ++i) {
        Offsets[i] = Grid->GetCellEx(Byte_Offset, int(i) + 1);
        Mnemonics[i] = Grid->GetCellEx(Byte_Mnemonic, int(i) + 1);
    }
}

}  // namespace

TFDefOffset::TFDefOffset(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FDefOffset");
    Set_Dialog_Look(this);
    SetShowHint(false);
    OnShow = [this](TObject* s) { FormShow(s); };
    SetClientWidth(482);
    SetClientHeight(610);

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Desc->SetWidth(ClientWidth() - 32);

    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    for (TLbButton* b : {Btn_OK, Btn_Cancel}) b->SetShowHint(false);
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel});
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject* s) { bitbtn1Click(s); };

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetCaption("");
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetHeight(Slave_Panel_Height);
    Panel1->SetAlign(alTop);
    Panel1->SetTop(P_Title->Height());
    Label1 = Make_Control<TLabel>(this, Panel1, "Label1", Label_Left, 6, 440, 13);
    ACG_DN_Slaves = Make_Table(Panel1, "ACG_DN_Slaves", 4);
    ACG_DN_Slaves->SetAlign(alNone);
    ACG_DN_Slaves->SetBounds(Label_Left, 24, ClientWidth() - 2 * Label_Left, Slave_Panel_Height - 30);
    // A list of the slaves: no row-number column, nothing to edit; a click picks a slave.
    ACG_DN_Slaves->SetFixedCols(0);
    const int Slave_Widths[4] = {80, 100, 100, 160};
    for (int c = 0; c < 4; ++c) {
        ACG_DN_Slaves->Columns()->Items(c)->SetReadOnly(true);
        ACG_DN_Slaves->Columns()->Items(c)->SetWidth(Slave_Widths[c]);
    }
    ACG_DN_Slaves->OnClick = [this](TObject* s) { ACG_DN_SlavesClick(s); };

    Panel3 = new TPanel(this);
    Panel3->SetName("Panel3");
    Panel3->SetParent(this);
    Panel3->SetCaption("");
    Panel3->SetBevelOuter(bvNone);
    Panel3->SetAlign(alClient);
    Label2 = Make_Control<TLabel>(this, Panel3, "Label2", Label_Left, 6, 440, 13);
    Label3 = Make_Control<TLabel>(this, Panel3, "Label3", Label_Left, 24, 440, 13);
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(Panel3);
    PageControl1->SetBounds(Label_Left, 44, ClientWidth() - 2 * Label_Left,
                            ClientHeight() - P_Title->Height() - Slave_Panel_Height - P_Button->Height() - 52);
    PageControl1->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PageControl1);
    ACG_ByteIN = Make_Table(TabSheet1, "ACG_ByteIN", Byte_Cols);
    ACG_ByteOUT = Make_Table(TabSheet2, "ACG_ByteOUT", Byte_Cols);
    for (TExtColumnGrid* g : {ACG_ByteIN, ACG_ByteOUT}) {
        g->Columns()->Items(Byte_Offset)->SetEditor(edComboList);
        g->Columns()->Items(Byte_Index)->SetWidth(60);
        g->Columns()->Items(Byte_Offset)->SetWidth(90);
        g->Columns()->Items(Byte_Mnemonic)->SetWidth(250);
    }

    PageControl1->SetActivePage(TabSheet1);
    L_SW_Code->SetCaption(SW_Code);
    Set_Lang();
}

TExtColumnGrid* TFDefOffset::Make_Table(TWinControl* Parent, const String& Name, int Cols)
{
    auto* g = new TExtColumnGrid(this);
    g->SetName(Name);
    g->SetParent(Parent);
    g->SetAlign(alClient);
    g->SetColCount(Cols);
    g->SetRowCount(2);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->FixedRowAlways = true;
    g->SetShowHint(false);
    g->Loaded();
    return g;
}

void TFDefOffset::Set_Lang()
{
    using namespace DefOffset;
    SetCaption(Lang_Text(Text_Base));
    L_SW_Desc->SetCaption(Lang_Text(Text_Base + 1));
    Btn_OK->SetCaption(Lang_Text(3902));
    Btn_Cancel->SetCaption(Lang_Text(3903));
    Btn_OK->SetHint(Lang_Text(3904));
    Btn_Cancel->SetHint(Lang_Text(3905));
    TabSheet1->SetCaption(Lang_Text(3906));
    TabSheet2->SetCaption(Lang_Text(3907));
    Label1->SetCaption(Lang_Text(3908));
    Label2->SetCaption(Lang_Text(3909));
    Label3->SetCaption(Lang_Text(3910));
    const std::pair<TExtColumnGrid*, int> headers[] = {{ACG_DN_Slaves, 3911}, {ACG_ByteIN, 3915}, {ACG_ByteOUT, 3918}};
    for (const auto& [g, First] : headers)
        for (int c = 0; c < g->Columns()->Count(); ++c) g->Columns()->Items(c)->SetHeader(Lang_Text(First + c));
}

// ---------------------------------------------------------------------------------
// A showing
// ---------------------------------------------------------------------------------
void TFDefOffset::FormShow(TObject*)
{
    Data.Clear();
    MAX_BYTE_IN = DefOffset::Offsets;
    MAX_BYTE_OUT = DefOffset::Offsets;
    for (TExtColumnGrid* g : {ACG_ByteIN, ACG_ByteOUT}) {
        TStringList* Items = g->Columns()->Items(Byte_Offset)->ComboItems();
        Items->Clear();
        Items->Add(DefOffset::No_Offset);
        for (int i = 0; i < DefOffset::Offsets; ++i) Items->Add(IntToStr(i));
    }
    Slave_Before_Select = -1;
    Load_Slave_DN();
    Load_Offset_Slave_DN();
    Select_First();
}

bool TFDefOffset::Try_Load(void (TDefOffset_Data::*Load)(const TXMLDocument&, const String&), const String& File)
{
    try {
        XML1.LoadFromFile(File);
        (Data.*Load)(XML1, File);
        return true;
    } catch (const std::exception& e) {
        // The window opens with what could be read; the error is told once.
        Application->ShowException(e);
        return false;
    }
}

void TFDefOffset::Load_Slave_DN()
{
    if (FileExists(FileName_DNETM_Net)) Try_Load(&TDefOffset_Data::Load_Slave_DN, FileName_DNETM_Net);
    ACG_DN_Slaves->BeginUpdate();
    ACG_DN_Slaves->SetRowCount(int(Data.Slave_Texts.size()) + 1);
    for (size_t k = 0; k < Data.Slave_Texts.size(); ++k)
        for (int c = 0; c < 4; ++c) ACG_DN_Slaves->SetCellEx(c, int(k) + 1, Data.Slave_Texts[k][size_t(c)]);
    ACG_DN_Slaves->EndUpdate();
}

void TFDefOffset::Load_Offset_Slave_DN()
{
    if (FileExists(FileName_DNETM_DefOff)) Try_Load(&TDefOffset_Data::Load_Offset_Slave_DN, FileName_DNETM_DefOff);
}

void TFDefOffset::Select_First()
{
    if (Data.List_Slaves_DN.empty()) {
        Update_Slave_DN();
        return;
    }
    ACG_DN_Slaves->SetRow(1);
    ACG_DN_SlavesClick(ACG_DN_Slaves);
}

void TFDefOffset::ACG_DN_SlavesClick(TObject*)
{
    if (Slave_Before_Select != -1) Save_Data_ByteIN_ByteOUT();
    const int r = ACG_DN_Slaves->Row();
    if (r < 1 || size_t(r) > Data.List_Slaves_DN.size()) return;
    ACG_DN_Slaves->SelectRows(r, 1);
    Slave_Before_Select = r - 1;
    Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN()
{
    if (Data.List_Slaves_DN.empty() || Slave_Before_Select < 0) {
        Show_Bytes(ACG_ByteIN, {}, {});
        Show_Bytes(ACG_ByteOUT, {}, {});
        return;
    }
    const TSlave_DN& Slave = Data.List_Slaves_DN[size_t(Slave_Before_Select)];
    Show_Bytes(ACG_ByteIN, Slave.SL_ByteIN, Slave.SL_ByteIN_M);
    Show_Bytes(ACG_ByteOUT, Slave.SL_ByteOUT, Slave.SL_ByteOUT_M);
}

void TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    if (Slave_Before_Select < 0 || size_t(Slave_Before_Select) >= Data.List_Slaves_DN.size()) return;
    TSlave_DN& Slave = Data.List_Slaves_DN[size_t(Slave_Before_Select)];
    Store_Bytes(ACG_ByteIN, Slave.SL_ByteIN, Slave.SL_ByteIN_M);
    Store_Bytes(ACG_ByteOUT, Slave.SL_ByteOUT, Slave.SL_ByteOUT_M);
}

// ---------------------------------------------------------------------------------
// OK
// ---------------------------------------------------------------------------------
bool TFDefOffset::Check_Data()
{
    const std::optional<String> Failure = Data.Check_Data();
    if (!Failure) return true;
    MessageDlg(*Failure, mtError, TMsgDlgButtons{mbOK}, 0);
    return false;
}

void TFDefOffset::Save_Offset_Slave_DN()
{
    Data.Save_Offset_Slave_DN(XML1);
    XML1.SaveToFile(FileName_DNETM_DefOff);
}

void TFDefOffset::bitbtn1Click(TObject*)
{
    Save_Data_ByteIN_ByteOUT();
    if (!Check_Data()) return;
    try {
        Save_Offset_Slave_DN();
    } catch (const std::exception& e) {
        // The file stays as it was and the window open with the user's input.
        Application->ShowException(e);
        return;
    }
    SetModalResult(mrOk);
}

void Plug_Def_Offset_Window()
{
    Plug_Window("TFDefOffset", FDefOffset);
}
