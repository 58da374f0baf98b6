// The IEC 61850 client editor: its window, texts, device catalogue, device tree and the
// picking of a tree entry.
#include "editors/network/iec61850/UIEC_61850_Access.h"

#include <filesystem>
#include <system_error>

#include "editors/frame/UTableEditor.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

using namespace IEC_Client;

TFIEC_61850_Access* FIEC_61850_Access = nullptr;

namespace {

const int DA_Widths[DA_Col_Count] = {40, 60, 60, 30, 150, 65, 60, 70, 45, 70, 50, 60, 64, 55, 70, 60, 70, 64, 150};
const int DS_Widths[DS_Col_Count] = {40, 60, 150, 80, 60, 70, 45, 70, 100};
const int M_Widths[M_Col_Count] = {40, 60, 150, 55, 70, 70, 64, 150};
// Text numbers of the variable table's headers and hints, by column.
const int DA_Headers[DA_Col_Count] = {4918, 4919, 4920, 4921, 4922, 4958, 4959, 4923, 4924, 4925,
                                      4926, 4927, 4928, 4929, 4930, 4931, 4932, 4933, 4934};
const int DA_Hints[DA_Col_Count] = {4935, 4936, 4937, 4938, 4939, 4960, 4961, 4940, 4941, 4942,
                                    4943, 4944, 4945, 4946, 4947, 4948, 4949, 4950, 4951};

// Background of each group of columns: identity and bytes, server address, triggers,
// place in the data array, conversion.
constexpr TColor Identity_Color = TColor(0x00E0FFFF);
constexpr TColor Address_Color = TColor(0x00FFF0E0);
constexpr TColor Trigger_Color = TColor(0x00E0FFE0);
constexpr TColor Place_Color = TColor(0x00D8E8FF);
constexpr TColor Conversion_Color = TColor(0x00F8E0F8);

std::vector<String> Bit_Items()
{
    std::vector<String> Items;
    for (int b = 0; b <= 7; ++b) Items.push_back(IntToStr(b));
    return Items;
}

void Set_Column(TExtColumnGrid* G, int Col, TEditorType Editor, std::vector<String> Items = {}, bool Read_Only = false,
                TColor Color = clNone)
{
    TGridColumnItem* c = G->Columns()->Items(Col);
    c->SetEditor(Editor);
    c->ComboItems()->Clear();
    for (const String& s : Items) c->ComboItems()->Add(s);
    c->SetReadOnly(Read_Only);
    if (Color != clNone) c->SetColor(Color);
}

}  // namespace

// ---------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------
TFIEC_61850_Access::TFIEC_61850_Access(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FIEC_61850_Access");
    Set_Dialog_Look(this);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
    SetPosition(poScreenCenter);
    SetShowHint(false);
    SetClientHeight(550);
    SetClientWidth(1200);
    OnShow = [this](TObject* s) { FormShow(s); };

    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Push_Button(this, "Btn_OK");
    Btn_Cancel = Make_Push_Button(this, "Btn_Cancel");
    Btn_AddVar = Make_Push_Button(this, "Btn_AddVar");
    Btn_RemoveVar = Make_Push_Button(this, "Btn_RemoveVar");
    Btn_MoveUp = Make_Push_Button(this, "Btn_MoveUp");
    Btn_ModeDown = Make_Push_Button(this, "Btn_ModeDown");
    Place_Panel_Buttons(P_Button, {Btn_OK, Btn_Cancel, Btn_AddVar, Btn_RemoveVar});
    for (TLbButton* b : {Btn_MoveUp, Btn_ModeDown}) {
        b->SetParent(P_Button);
        b->SetVisible(false);
    }
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Cancel->SetCancel(true);
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_AddVar->OnClick = [this](TObject* s) { Btn_AddVarClick(s); };
    Btn_RemoveVar->OnClick = [this](TObject* s) { Btn_RemoveVarClick(s); };

    // The catalogue and the tree of the chosen device on the left.
    PDevIEC = new TPanel(this);
    PDevIEC->SetName("PDevIEC");
    PDevIEC->SetParent(this);
    PDevIEC->SetAlign(alLeft);
    PDevIEC->SetWidth(465);
    PDevIEC->SetCaption("");
    PDevIECList = new TPanel(this);
    PDevIECList->SetName("PDevIECList");
    PDevIECList->SetParent(PDevIEC);
    PDevIECList->SetAlign(alLeft);
    PDevIECList->SetWidth(161);
    PDevIECList->SetCaption("");
    Btn_Add_IEC_Device = Make_Push_Button(this, "Btn_Add_IEC_Device");
    Btn_Add_IEC_Device->SetParent(PDevIECList);
    Btn_Add_IEC_Device->SetAlign(alTop);
    Btn_Add_IEC_Device->SetHeight(30);
    Btn_Remove_IEC_Device = Make_Push_Button(this, "Btn_Remove_IEC_Device");
    Btn_Remove_IEC_Device->SetParent(PDevIECList);
    Btn_Remove_IEC_Device->SetAlign(alBottom);
    Btn_Remove_IEC_Device->SetHeight(30);
    LB_IEC_Devices = new TListBox(this);
    LB_IEC_Devices->SetName("LB_IEC_Devices");
    LB_IEC_Devices->SetParent(PDevIECList);
    LB_IEC_Devices->SetAlign(alClient);
    Btn_Add_IEC_Device->OnClick = [this](TObject* s) { Btn_Add_IEC_DeviceClick(s); };
    Btn_Remove_IEC_Device->OnClick = [this](TObject* s) { Btn_Remove_IEC_DeviceClick(s); };
    LB_IEC_Devices->OnClick = [this](TObject* s) { LB_IEC_DevicesClick(s); };
    PDevIECTree = new TPanel(this);
    PDevIECTree->SetName("PDevIECTree");
    PDevIECTree->SetParent(PDevIEC);
    PDevIECTree->SetAlign(alClient);
    PDevIECTree->SetCaption("");
    Make_Tree(PDevIECTree);

    // The tables on the right: variables on one page, data sets and their members on the other.
    PTable = new TPanel(this);
    PTable->SetName("PTable");
    PTable->SetParent(this);
    PTable->SetAlign(alClient);
    PTable->SetCaption("");
    PC_DA_DataSet = new TPageControl(this);
    PC_DA_DataSet->SetName("PC_DA_DataSet");
    PC_DA_DataSet->SetParent(PTable);
    PC_DA_DataSet->SetAlign(alClient);
    TS_DA = new TTabSheet(this);
    TS_DA->SetName("TS_DA");
    TS_DA->SetPageControl(PC_DA_DataSet);
    TS_DA->SetCaption("Variables");
    TS_DataSet = new TTabSheet(this);
    TS_DataSet->SetName("TS_DataSet");
    TS_DataSet->SetPageControl(PC_DA_DataSet);
    TS_DataSet->SetCaption("DataSet");
    P_DataSet_List = new TPanel(this);
    P_DataSet_List->SetName("P_DataSet_List");
    P_DataSet_List->SetParent(TS_DataSet);
    P_DataSet_List->SetAlign(alTop);
    P_DataSet_List->SetHeight(185);
    P_DataSet_List->SetCaption("");
    P_DataSet_Vars_List = new TPanel(this);
    P_DataSet_Vars_List->SetName("P_DataSet_Vars_List");
    P_DataSet_Vars_List->SetParent(TS_DataSet);
    P_DataSet_Vars_List->SetAlign(alClient);
    P_DataSet_Vars_List->SetCaption("");

    ACG_DA = Make_Grid("ACG_DA", TS_DA, DA_Col_Count, DA_Widths);
    for (int c = DA_Index; c <= DA_NumByte; ++c) Set_Column(ACG_DA, c, edNormal, {}, c >= DA_bType && c <= DA_Reference, Identity_Color);
    for (int c : {DA_IPAddress, DA_Port}) Set_Column(ACG_DA, c, edNormal, {}, false, Address_Color);
    for (int c : {DA_OnChange, DA_OnCMD, DA_OnTimer}) Set_Column(ACG_DA, c, edDataCheckBox, {}, false, Trigger_Color);
    Set_Column(ACG_DA, DA_Time, edNormal, {}, false, Trigger_Color);
    Set_Column(ACG_DA, DA_Position, edNormal, {}, false, Place_Color);
    Set_Column(ACG_DA, DA_StartBit, edComboList, Bit_Items(), false, Place_Color);
    Set_Column(ACG_DA, DA_ReadWrite, edComboList, {"Read", "Write"}, false, Conversion_Color);
    Set_Column(ACG_DA, DA_Convertion, edComboList, {"None", "ItoF/FtoI"}, false, Conversion_Color);
    Set_Column(ACG_DA, DA_MoltFact, edNormal, {}, false, Conversion_Color);

    ACG_DataSet = Make_Grid("ACG_DataSet", P_DataSet_List, DS_Col_Count, DS_Widths);
    const char* DS_Headers[DS_Col_Count] = {"N", "Index", "Reference", "Goose Name", "En. Goose", "IP Address", "Port",
                                            "Time (ms)", "Mnemonic"};
    for (int c = 0; c < DS_Col_Count; ++c) ACG_DataSet->Columns()->Items(c)->SetHeader(DS_Headers[c]);
    Set_Column(ACG_DataSet, DS_Index, edNormal, {}, false, Identity_Color);
    Set_Column(ACG_DataSet, DS_Reference, edNormal, {}, true, Identity_Color);
    Set_Column(ACG_DataSet, DS_GooseName, edNormal, {}, true, Identity_Color);
    Set_Column(ACG_DataSet, DS_EnGoose, edDataCheckBox, {}, false, Trigger_Color);
    for (int c : {DS_IPAddress, DS_Port}) Set_Column(ACG_DataSet, c, edNormal, {}, false, Address_Color);
    Set_Column(ACG_DataSet, DS_Time, edNormal, {}, false, Trigger_Color);
    // Another row shows its own members: the member table never shows one data set while
    // its edits go to another.
    ACG_DataSet->OnSelectCell = [this](TObject*, int, int ARow, bool&) {
        if (ARow != FShown_DataSet_Row) Show_DataSet_DAs(ARow);
    };

    ACG_DS_Vars = Make_Grid("ACG_DS_Vars", P_DataSet_Vars_List, M_Col_Count, M_Widths);
    const char* M_Headers[M_Col_Count] = {"N", "bType", "Reference", "Position", "Start Bit", "Convertion", "Mult Fact",
                                          "Mnemonic"};
    for (int c = 0; c < M_Col_Count; ++c) ACG_DS_Vars->Columns()->Items(c)->SetHeader(M_Headers[c]);
    Set_Column(ACG_DS_Vars, M_bType, edNormal, {}, true, Identity_Color);
    Set_Column(ACG_DS_Vars, M_Reference, edNormal, {}, true, Identity_Color);
    Set_Column(ACG_DS_Vars, M_Position, edNormal, {}, false, Place_Color);
    Set_Column(ACG_DS_Vars, M_StartBit, edComboList, Bit_Items(), false, Place_Color);
    Set_Column(ACG_DS_Vars, M_Convertion, edComboList, {"None", "ItoF/FtoI"}, false, Conversion_Color);
    Set_Column(ACG_DS_Vars, M_MultFact, edNormal, {}, false, Conversion_Color);
    ACG_DS_Vars->OnSelectCell = [this](TObject* s, int c, int r, bool& can) { ACG_DS_VarsSelectCell(s, c, r, can); };
    ACG_DS_Vars->OnEditCellDone = [this](TObject* s, int c, int r) { ACG_DS_VarsEditCellDone(s, c, r); };
    PC_DA_DataSet->SetActivePage(TS_DA);

    OD_IcdFile = new TOpenDialog(this);
    OD_IcdFile->SetName("OD_IcdFile");
    OD_IcdFile->SetFilter(File_Filter);

    L_SW_Code->SetCaption(SW_Code);
    Hint = new TStringList();
    Set_Lang();
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    // The records point into the devices: they go first.
    List_DataSet.clear();
    List_IEC_Dev.clear();
    delete Hint;
}

TExtColumnGrid* TFIEC_61850_Access::Make_Grid(const String& Name, TWinControl* Parent, int Cols, const int* Widths)
{
    auto* g = new TExtColumnGrid(this);
    g->SetName(Name);
    g->SetParent(Parent);
    g->SetAlign(alClient);
    g->SetColCount(Cols);
    g->SetRowCount(2);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetShowHint(false);
    g->SetOptions(g->Options() << goTabs);
    for (int c = 0; c < Cols; ++c) g->Columns()->Items(c)->SetWidth(Widths[c]);
    g->Loaded();
    g->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) { ACG_DADblClickCell(s, r, c); };
    g->OnGridHint = [this](TObject* s, int r, int c, String& h) { ACG_DAGridHint(s, r, c, h); };
    g->OnKeyPress = [this](TObject* s, WideChar& k) { ACG_DAKeyPress(s, k); };
    return g;
}

void TFIEC_61850_Access::Set_Lang()
{
    SetCaption(Lang_Text(Text_Base));
    L_SW_Desc->SetCaption(Lang_Text(Text_Base + 1));
    TLbButton* Buttons[8] = {Btn_OK, Btn_Cancel, Btn_AddVar, Btn_RemoveVar, Btn_MoveUp, Btn_ModeDown,
                             Btn_Add_IEC_Device, Btn_Remove_IEC_Device};
    for (int i = 0; i < 8; ++i) {
        Buttons[i]->SetCaption(Lang_Text(Text_Base + 2 + i));
        Buttons[i]->SetHint(Lang_Text(Text_Base + 10 + i));
    }
    for (int c = 0; c < DA_Col_Count; ++c) ACG_DA->Columns()->Items(c)->SetHeader(Lang_Text(DA_Headers[c]));
    Hint->Clear();
    for (int c = 0; c < DA_Col_Count; ++c) Hint->Add(Lang_Text(DA_Hints[c]));
}

// ---------------------------------------------------------------------------------
// Grid events shared by the three tables
// ---------------------------------------------------------------------------------
void TFIEC_61850_Access::ClickCell(TObject* Sender, int ARow, int ACol)
{
    auto* g = dynamic_cast<TExtColumnGrid*>(Sender);
    if (g && ACol == 0 && ARow >= 1) g->SelectRows(ARow, 1);
    if (g == ACG_DataSet) Show_DataSet_DAs();
}

void TFIEC_61850_Access::ACG_DADblClickCell(TObject* Sender, int ARow, int ACol)
{
    if (auto* g = dynamic_cast<TExtColumnGrid*>(Sender)) Grid_Auto_Size_Col(g, ARow, ACol);
}

void TFIEC_61850_Access::ACG_DAGridHint(TObject*, int ARow, int ACol, String& HintStr)
{
    // One list, laid out for the variable table, serves all three grids by column number.
    HintStr.clear();
    if (ARow == 0 && ACol >= 1 && ACol < Hint->Count()) HintStr = Hint->Strings(ACol);
}

void TFIEC_61850_Access::ACG_DAKeyPress(TObject* Sender, WideChar& Key)
{
    for (auto* c = dynamic_cast<TControl*>(Sender); c; c = c->Parent())
        if (auto* g = dynamic_cast<TExtColumnGrid*>(c)) {
            Grid_Enter_Next_Cell(g, Key);
            return;
        }
}

// ---------------------------------------------------------------------------------
// The device catalogue
// ---------------------------------------------------------------------------------
String TFIEC_61850_Access::Catalog_Path() const
{
    return PathJoin(Project_Path, Catalog_Folder) + "/";
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick(TObject*)
{
    if (!OD_IcdFile->Execute()) return;
    const String Source = OD_IcdFile->FileName();
    const String Folder = Catalog_Path();
    ForceDirectories(Folder);
    const String Target = Folder + ExtractFileName(Source);
    bool Copy = true;
    if (FileExists(Target)) {
        const TModalResult r = MessageDlg(Overwrite_Question, mtConfirmation, mbYesNoCancel, 0);
        if (r != mrYes && r != mrNo) return;
        Copy = r == mrYes;
    }
    if (Copy) {
        // A copy that fails is told, and no device is made from whatever stands there.
        std::error_code Same;
        if (!std::filesystem::equivalent(Source, Target, Same)) {
            std::error_code Failed;
            std::filesystem::copy_file(Source, Target, std::filesystem::copy_options::overwrite_existing, Failed);
            if (Failed) {
                Application->ShowException(
                    EFCreateError("Cannot copy " + Source + " to " + Target + ": " + Failed.message()));
                return;
            }
        }
    }
    std::unique_ptr<TIEC_Device> Device;
    try {
        Device = std::make_unique<TIEC_Device>(Target);
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return;
    }
    List_IEC_Dev.push_back(std::move(Device));
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Show_IEC_Devices()
{
    LB_IEC_Devices->Items()->Clear();
    for (const auto& d : List_IEC_Dev) LB_IEC_Devices->Items()->Add(d->fName);
    LB_IEC_Devices->SetItemIndex(-1);
}

int TFIEC_61850_Access::Device_Of(const TIEC_DataSet* DS) const
{
    if (!DS) return -1;
    for (size_t k = 0; k < List_IEC_Dev.size(); ++k)
        for (const auto& ld : List_IEC_Dev[k]->List_LDevice)
            for (const auto& ln : ld->List_LN)
                for (const auto& ds : ln->List_DataSet)
                    if (ds.get() == DS) return int(k);
    return -1;
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick(TObject*)
{
    const int k = LB_IEC_Devices->ItemIndex();
    if (k < 0 || k >= LB_IEC_Devices->Count() || size_t(k) >= List_IEC_Dev.size()) return;
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet})
        for (int r = 1; r < g->RowCount(); ++r)
            if (StrToIntDef(g->GetCellEx(1, r), -1) == k) return;
    // A data-set row links to the device whose tree was shown when it was added, whatever
    // its Index says; a device such a row still points into stays.
    for (const auto& rec : List_DataSet)
        if (Device_Of(rec->Select_DataSet) == k) return;
    LB_IEC_Devices->Items()->Delete(k);
    List_IEC_Dev.erase(List_IEC_Dev.begin() + k);
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet})
        for (int r = 1; r < g->RowCount(); ++r) {
            const int Index = StrToIntDef(g->GetCellEx(1, r), -1);
            if (Index > k) g->SetCellEx(1, r, IntToStr(Index - 1));
        }
    Clear_Tree();
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
}

void Plug_IEC_61850_Access_Window()
{
    Plug_Window("TFIEC_61850_Access", FIEC_61850_Access);
}
