// The M-Bus network editor window.
#include "mbus/network/UMeter_Bus_Window.h"

#include "gridedit/ExtPageControl.h"
#include "mbus/network/UNewIDNode.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"
#include "treeview/LazyStringTree.h"

TFMeter_Bus* FMeter_Bus = nullptr;

namespace {

constexpr int Row_Step = 24;
constexpr int Label_X = 8;
constexpr int Input_X = 150;
constexpr int Input_W = 150;
constexpr const char* Root_Text = "M-Bus Network";

struct TItem {
    String Text;
};

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const String& Name, int X, int Y, int W, int H = 21)
{
    return Make_Control<T>(Owner, Parent, Name, X, Y, W, H);
}

TComboBox* Pick_List(TComponent* Owner, TWinControl* Parent, const String& Name, int X, int Y, int W)
{
    auto* cb = Make<TComboBox>(Owner, Parent, Name, X, Y, W);
    cb->SetStyle(csDropDownList);
    return cb;
}

template <size_t N>
void Fill(TComboBox* CB, const std::array<const char*, N>& Items)
{
    CB->Items()->Clear();
    for (const char* s : Items) CB->Items()->Add(s);
    CB->SetItemIndex(0);
}

// A box read as an integer: the integer-conversion error when it holds none.
int32_t Int_Of(const TEdit* E) { return StrToInt(E->Text()); }
int32_t Int_Or_0(const TEdit* E) { return StrToIntDef(E->Text(), 0); }

}  // namespace

// ---------------------------------------------------------------------------------
// Creation
// ---------------------------------------------------------------------------------
TFMeter_Bus::TFMeter_Bus(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FMeter_Bus");
    Set_Dialog_Look(this);
    OnShow = [this](TObject* s) { FormShow(s); };
    SetClientWidth(834);
    SetClientHeight(700);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Code->SetCaption(SW_Code);
    P_Button = Make_Button_Panel(this);
    LbButton2 = Make_Push_Button(this, "LbButton2");
    LbButton4 = Make_Push_Button(this, "LbButton4");
    Btn_ImportNet = Make_Push_Button(this, "Btn_ImportNet");
    Place_Panel_Buttons(P_Button, {Btn_ImportNet, LbButton2, LbButton4});
    LbButton2->OnClick = [this](TObject* s) { LbButton2Click(s); };
    LbButton4->OnClick = [this](TObject* s) { LbButton4Click(s); };
    Btn_ImportNet->OnClick = [this](TObject* s) { Btn_ImportNetClick(s); };
    OD_Import = new TOpenDialog(this);
    OD_Import->SetFilter("XML File (*.xml)|*.xml");

    const int top = Title_Panel_Height + 4;
    const int body = 700 - top - Button_Panel_Height - 4;
    TW = new TLazyStringTree(this);
    TW->SetName("TW");
    TW->SetParent(this);
    TW->SetBounds(8, top, 482, body);
    TW->SetNodeDataType<TItem>();
    TW->OnGetText = [this](TBaseLazyTree*, TLazyNode* n, TColumnIndex, TVSTTextType, String& text) {
        text = Item_Text(n);
    };
    TW->OnFocusChanged = [this](TBaseLazyTree*, TLazyNode*, TColumnIndex) { TWClick(TW); };
    // Whole rows; no in-place editing (the tree's read-only option would also keep this
    // window from adding its own items).
    TW->TreeOptions()->SetSelectionOptions(TW->TreeOptions()->SelectionOptions() + toFullRowSelect);
    TW->TreeOptions()->SetPaintOptions(TW->TreeOptions()->PaintOptions() + toShowButtons + toShowRoot +
                                       toShowTreeLines);
    PM_Tree = new TPopupMenu(this);
    PM_Tree->SetName("PM_Tree");
    const auto item = [this](const String& name, std::function<void()> click) {
        auto* mi = new TMenuItem(this);
        mi->SetName(name);
        if (click) mi->OnClick = [click](TObject*) { click(); };
        else mi->SetCaption("-");
        PM_Tree->Items()->Add(mi);
        return mi;
    };
    CopyVariable1 = item("CopyVariable1", [this] { CopyVariable1Click(this); });
    PasteVariable1 = item("PasteVariable1", [this] { PasteVariable1Click(this); });
    item("N1", nullptr);
    CopyNode1 = item("CopyNode1", [this] { CopyNode1Click(this); });
    PasteNode1 = item("PasteNode1", [this] { PasteNode1Click(this); });
    item("N2", nullptr);
    DeleteItem1 = item("DeleteItem1", [this] { btn_Delete_ItemClick(this); });
    TW->SetPopupMenu(PM_Tree);

    PC_Main = new TExtPageControl(this);
    PC_Main->SetName("PC_Main");
    PC_Main->SetParent(this);
    PC_Main->SetBounds(834 - 336 - 6, top, 336, body);
    PC_Main->SetTabPosition(tpLeft);
    PC_Main->SetMultiLine(true);
    PC_Main->SetTabStyle(tsDotNet);
    TS_Nodes = new TExtTabSheet(this);
    TS_Nodes->SetName("TS_Nodes");
    TS_Nodes->SetExtPageControl(PC_Main);
    TS_Variables = new TExtTabSheet(this);
    TS_Variables->SetName("TS_Variables");
    TS_Variables->SetExtPageControl(PC_Main);
    for (TExtTabSheet* t : {TS_Nodes, TS_Variables}) t->SetShowClose(false);

    // "Nodes" page.
    TWinControl* n = TS_Nodes;
    CB_Node_Enable = Make<TCheckBox>(this, n, "CB_Node_Enable", Label_X, 0, 200, 17);
    L_Node_Desc = Make<TLabel>(this, n, "L_Node_Desc", Label_X, 0, 130, 13);
    E_Node_Desc = Make<TEdit>(this, n, "E_Node_Desc", Input_X, 0, Input_W);
    L_MBus_Type = Make<TLabel>(this, n, "L_MBus_Type", Label_X, 0, 130, 13);
    CB_MBus_Type = Pick_List(this, n, "CB_MBus_Type", Input_X, 0, Input_W);
    CB_MBus_Type->OnChange = [this](TObject* s) { CB_MBus_TypeChange(s); };
    RB_Node_Pri = Make<TRadioButton>(this, n, "RB_Node_Pri", Label_X, 0, 140, 17);
    E_Node_Pri = Make<TEdit>(this, n, "E_Node_Pri", Input_X, 0, 80);
    RB_Node_Sec = Make<TRadioButton>(this, n, "RB_Node_Sec", Label_X, 0, 140, 17);
    E_Node_Sec = Make<TEdit>(this, n, "E_Node_Sec", Input_X, 0, 80);
    CB_Node_State = Make<TCheckBox>(this, n, "CB_Node_State", Label_X, 0, 140, 17);
    E_Node_State = Make<TEdit>(this, n, "E_Node_State", Input_X, 0, 80);
    CB_Ident_Num = Make<TCheckBox>(this, n, "CB_Ident_Num", Label_X, 0, 140, 17);
    E_Ident_Num = Make<TEdit>(this, n, "E_Ident_Num", Input_X, 0, 80);
    CB_BCDtoINT_IN = Make<TCheckBox>(this, n, "CB_BCDtoINT_IN", Label_X, 0, 300, 17);
    L_Swap_Ident = Make<TLabel>(this, n, "L_Swap_Ident", Label_X, 0, 140, 13);
    CB_Swap_Ident = Pick_List(this, n, "CB_Swap_Ident", Input_X, 0, Input_W);
    CB_Send_SNK = Make<TCheckBox>(this, n, "CB_Send_SNK", Label_X, 0, 200, 17);
    CB_Reset_App = Make<TCheckBox>(this, n, "CB_Reset_App", Label_X, 0, 200, 17);
    L_Var_List_Type = Make<TLabel>(this, n, "L_Var_List_Type", Label_X, 0, 140, 13);
    CB_Var_List_Type = Pick_List(this, n, "CB_Var_List_Type", Input_X, 0, Input_W);
    L_Cut_After = Make<TLabel>(this, n, "L_Cut_After", Label_X, 0, 140, 13);
    CB_Cut_After = Pick_List(this, n, "CB_Cut_After", Input_X, 0, 60);
    L_Frames = Make<TLabel>(this, n, "L_Frames", Input_X + 66, 0, 60, 13);
    CB_Manufacturer_Spec = Make<TCheckBox>(this, n, "CB_Manufacturer_Spec", Label_X, 0, 140, 17);
    E_Manufacturer_Spec = Make<TEdit>(this, n, "E_Manufacturer_Spec", Input_X, 0, 80);
    L_MSD_Length = Make<TLabel>(this, n, "L_MSD_Length", Label_X, 0, 140, 13);
    E_MSD_Length = Make<TEdit>(this, n, "E_MSD_Length", Input_X, 0, 80);
    L_MSD_Offset = Make<TLabel>(this, n, "L_MSD_Offset", Label_X, 0, 140, 13);
    E_MSD_Offset = Make<TEdit>(this, n, "E_MSD_Offset", Input_X, 0, 80);
    CB_Access_Number = Make<TCheckBox>(this, n, "CB_Access_Number", Label_X, 0, 140, 17);
    E_Access_Number = Make<TEdit>(this, n, "E_Access_Number", Input_X, 0, 80);
    btn_Add_Node = Make_Push_Button(this, "btn_Add_Node");
    btn_Add_Node->SetParent(n);
    btn_Add_Node->SetBounds(Label_X, 0, 150, Dialog_Button_Height);
    btn_Add_Node->OnClick = [this](TObject* s) { btn_Add_NodeClick(s); };
    for (TEdit* e : {E_Node_Pri, E_Node_Sec, E_Node_State, E_Ident_Num, E_Manufacturer_Spec, E_MSD_Length,
                     E_MSD_Offset, E_Access_Number})
        e->SetText("0");

    P_wMBus = new TPanel(this);
    P_wMBus->SetName("P_wMBus");
    P_wMBus->SetParent(n);
    P_wMBus->SetCaption("");
    P_wMBus->SetBevelOuter(bvNone);
    TWinControl* w = P_wMBus;
    int y = 0;
    const auto w_row = [&](TLabel*& l, TEdit*& e, const String& name) {
        l = Make<TLabel>(this, w, "L_W_" + name, 0, y + 3, 140, 13);
        e = Make<TEdit>(this, w, "E_W_" + name, Input_X - Label_X, y, Input_W);
        y += Row_Step;
    };
    w_row(L_W_ManID, E_W_ManID, "ManID");
    w_row(L_W_Add, E_W_Add, "Add");
    w_row(L_W_Ver, E_W_Ver, "Ver");
    w_row(L_W_DevType, E_W_DevType, "DevType");
    CB_W_En_Key = Make<TCheckBox>(this, w, "CB_W_En_Key", 0, y, 200, 17);
    y += Row_Step;
    // Each key byte beside its label, four to a row like the other rows: with the labels
    // above their boxes the wireless column grew past the page and hid the store button.
    for (int k = 0; k < 16; ++k) {
        const int x = (k % 4) * 76, ky = y + (k / 4) * Row_Step;
        L_W_Key[size_t(k)] = Make<TLabel>(this, w, "L_W_Key" + IntToStr(k + 1), x, ky + 3, 40, 13);
        E_W_Key[size_t(k)] = Make<TEdit>(this, w, "E_W_Key" + IntToStr(k + 1), x + 40, ky, 32);
    }
    y += 4 * Row_Step;
    const auto w_check = [&](TCheckBox*& c, TEdit*& e, const String& name) {
        c = Make<TCheckBox>(this, w, "CB_W_" + name, 0, y, 140, 17);
        e = Make<TEdit>(this, w, "E_W_" + name, Input_X - Label_X, y, 80);
        e->SetText("0");
        y += Row_Step;
    };
    w_check(CB_W_Node_State, E_W_Node_State, "Node_State");
    w_check(CB_W_Ident_Num, E_W_Ident_Num, "Ident_Num");
    w_check(CB_W_RSSI, E_W_RSSI, "RSSI");
    w_check(CB_W_Access_Number, E_W_Access_Number, "Access_Number");
    CB_W_BCDtoINT_IN = Make<TCheckBox>(this, w, "CB_W_BCDtoINT_IN", 0, y, 300, 17);
    y += Row_Step;
    L_W_Swap_Ident = Make<TLabel>(this, w, "L_W_Swap_Ident", 0, y + 3, 140, 13);
    CB_W_Swap_Ident = Pick_List(this, w, "CB_W_Swap_Ident", Input_X - Label_X, y, Input_W);
    y += Row_Step;
    L_W_Var_List_Type = Make<TLabel>(this, w, "L_W_Var_List_Type", 0, y + 3, 140, 13);
    CB_W_Var_List_Type = Pick_List(this, w, "CB_W_Var_List_Type", Input_X - Label_X, y, Input_W);
    y += Row_Step;
    P_wMBus->SetBounds(Label_X, 3 * Row_Step + 8, 310, y);
    for (TComboBox* cb : {CB_Swap_Ident, CB_W_Swap_Ident}) Fill(cb, MBus_Swap_Ident_List);
    for (TComboBox* cb : {CB_Var_List_Type, CB_W_Var_List_Type}) Fill(cb, MBus_Var_List_Type_List);

    // "Variables" page.
    TWinControl* v = TS_Variables;
    CB_Var_Enable = Make<TCheckBox>(this, v, "CB_Var_Enable", Label_X, 0, 200, 17);
    L_Var_Desc = Make<TLabel>(this, v, "L_Var_Desc", Label_X, 0, 130, 13);
    E_Var_Desc = Make<TEdit>(this, v, "E_Var_Desc", Input_X, 0, Input_W);
    L_Var_ToD = Make<TLabel>(this, v, "L_Var_ToD", Label_X, 0, 130, 13);
    CB_Var_ToD = Pick_List(this, v, "CB_Var_ToD", Input_X, 0, Input_W);
    L_VIF_ASCII = Make<TLabel>(this, v, "L_VIF_ASCII", Label_X, 0, 130, 13);
    E_VIF_ASCII = Make<TEdit>(this, v, "E_VIF_ASCII", Input_X, 0, Input_W);
    L_Var_FF = Make<TLabel>(this, v, "L_Var_FF", Label_X, 0, 130, 13);
    CB_Var_FF = Pick_List(this, v, "CB_Var_FF", Input_X, 0, Input_W);
    L_Var_Dim = Make<TLabel>(this, v, "L_Var_Dim", Label_X, 0, 130, 13);
    CB_Var_Dim = Pick_List(this, v, "CB_Var_Dim", Input_X, 0, Input_W);
    L_Var_Len = Make<TLabel>(this, v, "L_Var_Len", Label_X, 0, 140, 13);
    E_Var_Len = Make<TEdit>(this, v, "E_Var_Len", Input_X, 0, 80);
    L_Var_Unit = Make<TLabel>(this, v, "L_Var_Unit", Label_X, 0, 130, 13);
    CB_Var_Unit = Pick_List(this, v, "CB_Var_Unit", Input_X, 0, 60);
    L_Var_Storage = Make<TLabel>(this, v, "L_Var_Storage", Label_X, 0, 130, 13);
    E_Var_Storage = Make<TEdit>(this, v, "E_Var_Storage", Input_X, 0, 80);
    L_Var_Tariff = Make<TLabel>(this, v, "L_Var_Tariff", Label_X, 0, 130, 13);
    E_Var_Tariff = Make<TEdit>(this, v, "E_Var_Tariff", Input_X, 0, 80);
    L_Var_VIFE = Make<TLabel>(this, v, "L_Var_VIFE", Label_X, 0, 130, 13);
    CB_Var_VIFE = Pick_List(this, v, "CB_Var_VIFE", Input_X, 0, Input_W);
    L_Var_PosData = Make<TLabel>(this, v, "L_Var_PosData", Label_X, 0, 130, 13);
    E_Var_PosData = Make<TEdit>(this, v, "E_Var_PosData", Input_X, 0, 80);
    GB_Time_Point = Make<TGroupBox>(this, v, "GB_Time_Point", Label_X, 0, 300, 64);
    CB_TP_Six = Make<TCheckBox>(this, GB_Time_Point, "CB_TP_Six", 8, 16, 280, 17);
    for (int i = 0; i < 6; ++i) {
        L_TP[size_t(i)] = Make<TLabel>(this, GB_Time_Point, "L_TP" + IntToStr(i), 8 + i * 48, 36, 20, 13);
        TEdit* e = Make<TEdit>(this, GB_Time_Point, "E_TP" + IntToStr(i), 26 + i * 48, 34, 26);
        if (i == 0) E_TP_Year = e;
        else {
            e->SetReadOnly(true);
            E_TP[size_t(i - 1)] = e;
        }
    }
    E_TP_Year->SetWidth(26);
    E_TP_Year->OnChange = [this](TObject* s) { E_TP_YearChange(s); };
    CB_Var_BCD = Make<TCheckBox>(this, v, "CB_Var_BCD", Label_X, 0, 200, 17);
    CB_Conv_Float = Make<TCheckBox>(this, v, "CB_Conv_Float", Label_X, 0, 140, 17);
    CB_Force_Int32 = Make<TCheckBox>(this, v, "CB_Force_Int32", Input_X, 0, 140, 17);
    L_Post_Operation = Make<TLabel>(this, v, "L_Post_Operation", Label_X, 0, 130, 13);
    CB_Post_Operation = Pick_List(this, v, "CB_Post_Operation", Input_X, 0, Input_W);
    L_Position_Var = Make<TLabel>(this, v, "L_Position_Var", Label_X, 0, 130, 13);
    E_Position_Var = Make<TEdit>(this, v, "E_Position_Var", Input_X, 0, 80);
    btn_Add_Var = Make_Push_Button(this, "btn_Add_Var");
    btn_Add_Var->SetParent(v);
    btn_Add_Var->SetBounds(Label_X, 0, 150, Dialog_Button_Height);
    btn_Add_Var->OnClick = [this](TObject* s) { btn_Add_VarClick(s); };
    Fill(CB_Var_ToD, MBus_Type_Of_Data_List);
    Fill(CB_Var_FF, MBus_Function_Field_List);
    Fill(CB_Var_Dim, MBus_Dimension_List);
    Fill(CB_Var_VIFE, MBus_VIFE_List);
    Fill(CB_Post_Operation, MBus_Post_Operation_List);
    for (int u = 0; u <= 10; ++u) CB_Var_Unit->Items()->Add(IntToStr(u));
    CB_Var_Unit->SetItemIndex(0);
    CB_Var_ToD->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
    CB_Var_VIFE->OnChange = [this](TObject* s) { CB_Var_ToDChange(s); };
    CB_Var_Dim->OnChange = [this](TObject* s) { CB_Var_DimChange(s); };

    Select_Width_ComboBox(CB_Var_ToD, 30);
    Select_Width_ComboBox(CB_Var_VIFE, 65);
    PC_Main->SetActivePage(TS_Nodes);
    FReady = true;
    Set_Lang();
    Reset_Var_Page();
    Nodes_Move_Elements();
    Sposta_Oggetti_Var(0);
}

void TFMeter_Bus::Set_Lang()
{
    SetCaption(Lang_Text(1700));
    L_SW_Desc->SetCaption(Lang_Text(1701));
    LbButton2->SetCaption(Lang_Text(1702));
    LbButton4->SetCaption(Lang_Text(1703));
    Btn_ImportNet->SetCaption(Lang_Text(1704));
    TS_Nodes->SetCaption(Lang_Text(1705));
    TS_Variables->SetCaption(Lang_Text(1706));
    CB_Node_Enable->SetCaption(Lang_Text(1707));
    L_Node_Desc->SetCaption(Lang_Text(1708));
    RB_Node_Pri->SetCaption(Lang_Text(1709));
    RB_Node_Sec->SetCaption(Lang_Text(1710));
    CB_Node_State->SetCaption(Lang_Text(1711));
    CB_Ident_Num->SetCaption(Lang_Text(1712));
    CB_BCDtoINT_IN->SetCaption(Lang_Text(1713));
    L_Swap_Ident->SetCaption(Lang_Text(1714));
    CB_Send_SNK->SetCaption(Lang_Text(1715));
    CB_Reset_App->SetCaption(Lang_Text(1716));
    L_Var_List_Type->SetCaption(Lang_Text(1717));
    L_Cut_After->SetCaption(Lang_Text(1718));
    L_Frames->SetCaption(Lang_Text(1719));
    CB_Manufacturer_Spec->SetCaption(Lang_Text(1720));
    L_MSD_Length->SetCaption(Lang_Text(1721));
    L_MSD_Offset->SetCaption(Lang_Text(1722));
    CB_Var_Enable->SetCaption(Lang_Text(1725));
    L_Var_Desc->SetCaption(Lang_Text(1726));
    L_Var_ToD->SetCaption(Lang_Text(1727));
    L_VIF_ASCII->SetCaption(Lang_Text(1728));
    L_Var_FF->SetCaption(Lang_Text(1729));
    L_Var_Dim->SetCaption(Lang_Text(1730));
    L_Var_Len->SetCaption(Lang_Text(1731));
    L_Var_Unit->SetCaption(Lang_Text(1732));
    L_Var_PosData->SetCaption(Lang_Text(1733));
    L_Var_Storage->SetCaption(Lang_Text(1735));
    L_Var_Tariff->SetCaption(Lang_Text(1736));
    L_Var_VIFE->SetCaption(Lang_Text(1737));
    GB_Time_Point->SetCaption(Lang_Text(1738));
    CB_TP_Six->SetCaption(Lang_Text(1739));
    for (int i = 0; i < 5; ++i) L_TP[size_t(i)]->SetCaption(Lang_Text(1740 + i));
    L_TP[5]->SetCaption("SS");
    CB_Var_BCD->SetCaption(Lang_Text(1745));
    CB_Conv_Float->SetCaption(Lang_Text(1746));
    CB_Force_Int32->SetCaption("Force Integer 32");
    L_Position_Var->SetCaption(Lang_Text(1747));
    L_MBus_Type->SetCaption(Lang_Text(1750));
    CB_MBus_Type->Items()->Clear();
    CB_MBus_Type->Items()->Add(Lang_Text(1751));
    CB_MBus_Type->Items()->Add(Lang_Text(1752));
    CB_MBus_Type->SetItemIndex(1);
    L_W_ManID->SetCaption(Lang_Text(1753));
    L_W_Add->SetCaption(Lang_Text(1754));
    L_W_Ver->SetCaption(Lang_Text(1755));
    L_W_DevType->SetCaption(Lang_Text(1756));
    CB_W_En_Key->SetCaption(Lang_Text(1757));
    for (int k = 0; k < 16; ++k) L_W_Key[size_t(k)]->SetCaption(Lang_Text(1758 + k));
    CB_W_Node_State->SetCaption(Lang_Text(1774));
    CB_W_Ident_Num->SetCaption(Lang_Text(1775));
    CB_W_RSSI->SetCaption("RSSI");
    CB_W_Access_Number->SetCaption(Lang_Text(1786));
    CB_W_BCDtoINT_IN->SetCaption(Lang_Text(1776));
    L_W_Swap_Ident->SetCaption(Lang_Text(1777));
    L_W_Var_List_Type->SetCaption(Lang_Text(1778));
    L_Post_Operation->SetCaption(Lang_Text(1779));
    CopyVariable1->SetCaption(Lang_Text(1780));
    PasteVariable1->SetCaption(Lang_Text(1781));
    CopyNode1->SetCaption(Lang_Text(1782));
    PasteNode1->SetCaption(Lang_Text(1783));
    DeleteItem1->SetCaption(Lang_Text(1784));
    CB_Access_Number->SetCaption(Lang_Text(1785));
    btn_Add_Node->SetCaption(Lang_Text(Node_Mode == smAdd ? 1723 : 1724));
    btn_Add_Var->SetCaption(Lang_Text(Var_Mode == smAdd ? 1748 : 1749));
    Nodes_Move_Elements();
}

// The wide lists drop wider than their boxes when their texts need it, and open towards
// the left: their boxes stand at the window's right side.
void TFMeter_Bus::Select_Width_ComboBox(TComboBox* CB, int Extra)
{
    CB->SetDropRightAligned(true);
    int widest = 0;
    for (int i = 0; i < CB->Items()->Count(); ++i)
        widest = std::max(widest, Canvas()->TextWidth(CB->Items()->Strings(i)));
    constexpr int Scroll_Bar = 17;
    const int needed = widest + 12 + Extra;
    if (CB->Width() - Scroll_Bar >= needed) return;
    CB->SetDroppedWidth(needed + (CB->Items()->Count() > 8 ? Scroll_Bar : 0));
}

// ---------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------
void TFMeter_Bus::Nodes_Move_Elements()
{
    const bool wireless = CB_MBus_Type->ItemIndex() == 0;
    int y = 8;
    const auto place = [&](TControl* l, TControl* c) {
        l->SetVisible(true);
        l->SetTop(y + (dynamic_cast<TLabel*>(l) ? 3 : 2));
        if (c) {
            c->SetVisible(true);
            c->SetTop(y);
        }
        y += Row_Step;
    };
    place(CB_Node_Enable, nullptr);
    place(L_Node_Desc, E_Node_Desc);
    place(L_MBus_Type, CB_MBus_Type);
    TControl* wired[] = {RB_Node_Pri, E_Node_Pri, RB_Node_Sec, E_Node_Sec, CB_Node_State, E_Node_State,
                         CB_Ident_Num, E_Ident_Num, CB_BCDtoINT_IN, L_Swap_Ident, CB_Swap_Ident, CB_Send_SNK,
                         CB_Reset_App, L_Var_List_Type, CB_Var_List_Type, L_Cut_After, CB_Cut_After, L_Frames,
                         CB_Access_Number, E_Access_Number};
    P_wMBus->SetVisible(wireless);
    if (wireless) {
        for (TControl* c : wired) c->SetVisible(false);
        y = P_wMBus->Top() + P_wMBus->Height();
    } else {
        place(RB_Node_Pri, E_Node_Pri);
        place(RB_Node_Sec, E_Node_Sec);
        place(CB_Node_State, E_Node_State);
        place(CB_Ident_Num, E_Ident_Num);
        place(CB_BCDtoINT_IN, nullptr);
        place(L_Swap_Ident, CB_Swap_Ident);
        place(CB_Send_SNK, nullptr);
        place(CB_Reset_App, nullptr);
        place(L_Var_List_Type, CB_Var_List_Type);
        place(L_Cut_After, CB_Cut_After);
        L_Frames->SetVisible(true);
        L_Frames->SetTop(CB_Cut_After->Top() + 3);
    }
    place(CB_Manufacturer_Spec, E_Manufacturer_Spec);
    place(L_MSD_Length, E_MSD_Length);
    place(L_MSD_Offset, E_MSD_Offset);
    if (!wireless) place(CB_Access_Number, E_Access_Number);
    btn_Add_Node->SetTop(y + 8);
}

void TFMeter_Bus::Sposta_Oggetti_Var(int Var_type)
{
    const bool by_position = Var_type == 1;
    int y = 8;
    const auto place = [&](TControl* l, TControl* c, int step = Row_Step) {
        l->SetVisible(true);
        l->SetTop(y + (dynamic_cast<TLabel*>(l) ? 3 : 2));
        if (c) {
            c->SetVisible(true);
            c->SetTop(y);
        }
        y += step;
    };
    const auto hide = [](std::initializer_list<TControl*> cs) {
        for (TControl* c : cs) c->SetVisible(false);
    };
    place(CB_Var_Enable, nullptr);
    place(L_Var_Desc, E_Var_Desc);
    if (by_position) {
        // The hidden rows keep their values and are still stored.
        hide({L_Var_ToD, CB_Var_ToD, L_VIF_ASCII, E_VIF_ASCII, L_Var_FF, CB_Var_FF, L_Var_Unit, CB_Var_Unit,
              L_Var_Storage, E_Var_Storage, L_Var_Tariff, E_Var_Tariff, L_Var_VIFE, CB_Var_VIFE});
        place(L_Var_Dim, CB_Var_Dim);
        place(L_Var_Len, E_Var_Len);
        place(L_Var_PosData, E_Var_PosData);
        place(GB_Time_Point, nullptr, GB_Time_Point->Height() + 6);
        place(CB_Var_BCD, nullptr);
        place(CB_Conv_Float, CB_Force_Int32);
        CB_Force_Int32->SetTop(CB_Conv_Float->Top());
        place(L_Post_Operation, CB_Post_Operation);
        place(L_Position_Var, E_Position_Var);
    } else {
        hide({L_Position_Var, E_Position_Var});
        place(L_Var_ToD, CB_Var_ToD);
        place(L_VIF_ASCII, E_VIF_ASCII);
        place(L_Var_FF, CB_Var_FF);
        place(L_Var_Dim, CB_Var_Dim);
        place(L_Var_Len, E_Var_Len);
        place(L_Var_Unit, CB_Var_Unit);
        place(L_Var_Storage, E_Var_Storage);
        place(L_Var_Tariff, E_Var_Tariff);
        place(L_Var_VIFE, CB_Var_VIFE);
        place(L_Var_PosData, E_Var_PosData);
        place(GB_Time_Point, nullptr, GB_Time_Point->Height() + 6);
        place(CB_Var_BCD, nullptr);
        place(CB_Conv_Float, CB_Force_Int32);
        CB_Force_Int32->SetTop(CB_Conv_Float->Top());
        place(L_Post_Operation, CB_Post_Operation);
    }
    btn_Add_Var->SetTop(y + 8);
}

void TFMeter_Bus::CB_MBus_TypeChange(TObject*) { Nodes_Move_Elements(); }
void TFMeter_Bus::CB_Var_ToDChange(TObject*) { Var_Enabling(); }
void TFMeter_Bus::CB_Var_DimChange(TObject*) { Var_Enabling(); }

void TFMeter_Bus::E_TP_YearChange(TObject*)
{
    const int year = StrToIntDef(E_TP_Year->Text(), 0);
    for (int i = 0; i < 5; ++i) E_TP[size_t(i)]->SetText(year > 0 ? IntToStr(year + i + 1) : String("0"));
}

void TFMeter_Bus::Var_Enabling()
{
    if (!FReady) return;
    E_VIF_ASCII->SetEnabled(CB_Var_ToD->ItemIndex() == Type_Of_Data_VIF_ASCII);
    L_VIF_ASCII->SetEnabled(E_VIF_ASCII->Enabled());
    const TNodo* node = IND_NODO >= 0 && IND_NODO < int(Nodi_List.size()) ? Nodi_List[size_t(IND_NODO)].get() : nullptr;
    if (node && node->Var_List_Type == 1) GB_Time_Point->SetEnabled(true);
    else if (node || CB_Var_ToD->ItemIndex() == Type_Of_Data_Time_Point)
        GB_Time_Point->SetEnabled(CB_Var_ToD->ItemIndex() == Type_Of_Data_Time_Point);
    const bool var_len = CB_Var_Dim->ItemIndex() == Dimension_Variable_Length;
    E_Var_Len->SetEnabled(var_len);
    if (var_len) CB_Conv_Float->SetChecked(false);
    CB_Conv_Float->SetEnabled(!var_len);
}

// ---------------------------------------------------------------------------------
// The tree
// ---------------------------------------------------------------------------------
TLazyNode* TFMeter_Bus::Add_Item(TLazyNode* Parent, const String& Text)
{
    TLazyNode* n = TW->AddChild(Parent);
    TW->GetNodeData<TItem>(n)->Text = Text;
    return n;
}

void TFMeter_Bus::Set_Item_Text(TLazyNode* Item, const String& Text)
{
    TW->GetNodeData<TItem>(Item)->Text = Text;
    TW->InvalidateNode(Item);
}

String TFMeter_Bus::Item_Text(TLazyNode* Item) const
{
    const TItem* i = Item ? TW->GetNodeData<TItem>(Item) : nullptr;
    return i ? i->Text : String();
}

TLazyNode* TFMeter_Bus::Item_Of(int Node, int Var) const
{
    if (!NODE_ORIG) return nullptr;
    if (Node < 0) return NODE_ORIG;
    TLazyNode* n = NODE_ORIG->FirstChild;
    for (int i = 0; n && i < Node; ++i) n = n->NextSibling;
    if (!n || Var < 0) return n;
    TLazyNode* v = n->FirstChild;
    for (int i = 0; v && i < Var; ++i) v = v->NextSibling;
    return v;
}

void TFMeter_Bus::Select_Item(TLazyNode* Item)
{
    TW->ClearSelection();
    if (Item) TW->SetSelected(Item, true);
    if (TW->FocusedNode() == Item) TWClick(TW);
    else TW->SetFocusedNode(Item);
}

String TFMeter_Bus::Node_Text(const TNodo& N)
{
    if (!N.Is_Wireless())
        return "ID " + IntToStr(N.Node_ID_Type != 0 ? N.Node_Sec : N.Node_Pri) + " - " + N.Description;
    return "wM-Bus Node - Address " + N.wMBus_Add + " - " + N.Description;
}

String TFMeter_Bus::Var_Text(const TVariabile& V) { return "VAR - " + V.Description; }

// ---------------------------------------------------------------------------------
// Showing
// ---------------------------------------------------------------------------------
void TFMeter_Bus::FormShow(TObject*) { Prepare(); }

void TFMeter_Bus::Prepare()
{
    CB_Cut_After->Items()->Clear();
    for (int i = 1; i <= MBus_Cut_After_Max_Frames; ++i) CB_Cut_After->Items()->Add(IntToStr(i));
    CB_Cut_After->SetItemIndex(0);
    TW->Clear();
    NODE_ORIG = Add_Item(nullptr, Root_Text);
    for (TControl* c : std::initializer_list<TControl*>{CB_Manufacturer_Spec, E_Manufacturer_Spec, L_MSD_Length,
                                                         E_MSD_Length, L_MSD_Offset, E_MSD_Offset, CB_Access_Number,
                                                         E_Access_Number})
        c->SetVisible(true);
    Network.Load(FileName_M_Bus);
    for (const auto& n : Nodi_List) {
        TLazyNode* item = Add_Item(NODE_ORIG, Node_Text(*n));
        for (const auto& v : n->Var_List) Add_Item(item, Var_Text(*v));
    }
    // A file read only in part: the window opens with what was read.
    if (Network.Read_In_Part()) Show_Error(Network.Read_Error);
    TW->SetExpanded(NODE_ORIG, true);
    IND_NODO = IND_VAR = -1;
    NODE_ID = SELECT_NODE = nullptr;
    TW->ClearSelection();
    TW->SetFocusedNode(nullptr);
    Node_Mode = Var_Mode = smAdd;
    btn_Add_Node->SetCaption(Lang_Text(1723));
    btn_Add_Var->SetCaption(Lang_Text(1748));
    Sposta_Oggetti_Var(0);
    PasteVariable1->SetEnabled(Copy_Var != nullptr);
    PasteNode1->SetEnabled(Copy_Node != nullptr);
    Nodes_Move_Elements();
    Is_Change = false;
}

// ---------------------------------------------------------------------------------
// Selection
// ---------------------------------------------------------------------------------
void TFMeter_Bus::TWClick(TObject*)
{
    TLazyNode* sel = TW->FocusedNode();
    IND_NODO = IND_VAR = -1;
    NODE_ID = SELECT_NODE = nullptr;
    if (sel && NODE_ORIG && sel != NODE_ORIG) {
        int i = 0;
        for (TLazyNode* n = NODE_ORIG->FirstChild; n && !SELECT_NODE; n = n->NextSibling, ++i) {
            if (n == sel) {
                IND_NODO = i;
                NODE_ID = SELECT_NODE = n;
                break;
            }
            int j = 0;
            for (TLazyNode* v = n->FirstChild; v; v = v->NextSibling, ++j)
                if (v == sel) {
                    IND_NODO = i;
                    IND_VAR = j;
                    NODE_ID = n;
                    SELECT_NODE = v;
                    break;
                }
        }
    }
    Aggiorna_Label();
    Var_Enabling();
    if (IND_VAR >= 0) PC_Main->SetActivePage(TS_Variables);
    else if (IND_NODO >= 0) PC_Main->SetActivePage(TS_Nodes);
}

void TFMeter_Bus::Aggiorna_Label()
{
    const bool node_sel = IND_NODO >= 0 && IND_NODO < int(Nodi_List.size());
    Node_Mode = node_sel && IND_VAR < 0 ? smModify : smAdd;
    Var_Mode = node_sel && IND_VAR >= 0 ? smModify : smAdd;
    btn_Add_Node->SetCaption(Lang_Text(Node_Mode == smAdd ? 1723 : 1724));
    btn_Add_Var->SetCaption(Lang_Text(Var_Mode == smAdd ? 1748 : 1749));
    if (node_sel) {
        const TNodo& n = *Nodi_List[size_t(IND_NODO)];
        Show_Node(n);
        if (IND_VAR >= 0 && IND_VAR < int(n.Var_List.size())) Show_Var(*n.Var_List[size_t(IND_VAR)]);
        else Reset_Var_Page();
        Sposta_Oggetti_Var(n.Var_List_Type);
    }
    Nodes_Move_Elements();
}

void TFMeter_Bus::Show_Node(const TNodo& N)
{
    CB_Node_Enable->SetChecked(N.Enable != 0);
    E_Node_Desc->SetText(N.Description);
    CB_MBus_Type->SetItemIndex(N.MBus_Type != 0 ? 1 : 0);
    if (N.Node_ID_Type != 0) RB_Node_Sec->SetChecked(true);
    else RB_Node_Pri->SetChecked(true);
    E_Node_Pri->SetText(IntToStr(N.Node_Pri));
    E_Node_Sec->SetText(IntToStr(N.Node_Sec));
    for (TCheckBox* c : {CB_Node_State, CB_W_Node_State}) c->SetChecked(N.Enable_NS != 0);
    for (TEdit* e : {E_Node_State, E_W_Node_State}) e->SetText(IntToStr(N.Node_State));
    for (TCheckBox* c : {CB_Ident_Num, CB_W_Ident_Num}) c->SetChecked(N.Enable_IN != 0);
    for (TEdit* e : {E_Ident_Num, E_W_Ident_Num}) e->SetText(IntToStr(N.Ident_Num));
    for (TCheckBox* c : {CB_Access_Number, CB_W_Access_Number}) c->SetChecked(N.Enable_AN != 0);
    for (TEdit* e : {E_Access_Number, E_W_Access_Number}) e->SetText(IntToStr(N.Access_Number));
    for (TCheckBox* c : {CB_BCDtoINT_IN, CB_W_BCDtoINT_IN}) c->SetChecked(N.BCDtoINT_IN != 0);
    for (TComboBox* c : {CB_Swap_Ident, CB_W_Swap_Ident}) c->SetItemIndex(N.Swap_Ident);
    for (TComboBox* c : {CB_Var_List_Type, CB_W_Var_List_Type}) c->SetItemIndex(N.Var_List_Type);
    CB_Send_SNK->SetChecked(N.Send_SNK != 0);
    CB_Reset_App->SetChecked(N.Reset_App != 0);
    CB_Cut_After->SetItemIndex(N.Cut_After);
    CB_Manufacturer_Spec->SetChecked(N.Enable_MS != 0);
    E_Manufacturer_Spec->SetText(IntToStr(N.Manufacturer_Spec));
    E_MSD_Length->SetText(IntToStr(N.MSD_Length));
    E_MSD_Offset->SetText(IntToStr(N.MSD_Offset));
    E_W_ManID->SetText(N.wMBus_ManID);
    E_W_Add->SetText(N.wMBus_Add);
    E_W_Ver->SetText(N.wMBus_Ver);
    E_W_DevType->SetText(N.wMBus_DevType);
    CB_W_En_Key->SetChecked(N.wMBus_En_Key != 0);
    for (size_t k = 0; k < 16; ++k) E_W_Key[k]->SetText(N.wMBus_Key[k]);
    CB_W_RSSI->SetChecked(N.Enable_RSSI != 0);
    E_W_RSSI->SetText(IntToStr(N.RSSI));
}

void TFMeter_Bus::Reset_Var_Page()
{
    CB_Var_Enable->SetChecked(true);
    E_Var_Desc->SetText("");
    for (TComboBox* c : {CB_Var_ToD, CB_Var_FF, CB_Var_Dim, CB_Var_Unit, CB_Var_VIFE, CB_Post_Operation})
        c->SetItemIndex(0);
    E_Var_PosData->SetText("");
    for (TEdit* e : {E_Var_Storage, E_Var_Tariff, E_Var_Len}) e->SetText("0");
    E_VIF_ASCII->SetText("");
    for (TCheckBox* c : {CB_TP_Six, CB_Var_BCD, CB_Conv_Float, CB_Force_Int32}) c->SetChecked(false);
    E_TP_Year->SetText("1");
    E_Position_Var->SetText("1");
}

void TFMeter_Bus::Show_Var(const TVariabile& V)
{
    CB_Var_Enable->SetChecked(V.Enable);
    E_Var_Desc->SetText(V.Description);
    CB_Var_ToD->SetItemIndex(V.Type_Of_Data);
    CB_Var_FF->SetItemIndex(V.Function_Field);
    CB_Var_Dim->SetItemIndex(V.Dimension);
    CB_Var_Unit->SetItemIndex(V.Unita);
    CB_Var_VIFE->SetItemIndex(V.VIFE == 255 ? 0 : V.VIFE);
    E_Var_PosData->SetText(IntToStr(V.PositionData));
    E_Var_Storage->SetText(std::to_string(V.Storage_Number));
    E_Var_Tariff->SetText(IntToStr(V.Tariff));
    CB_Var_BCD->SetChecked(V.BCDtoINT);
    E_VIF_ASCII->SetText(V.VIF_ASCII);
    E_Var_Len->SetText(IntToStr(V.Length));
    CB_Conv_Float->SetChecked(V.Conv_Float);
    CB_Force_Int32->SetChecked(V.Force_Int32);
    CB_TP_Six->SetChecked(V.TP_Mod_Regs);
    E_TP_Year->SetText(IntToStr(V.TP_Mod_Year));
    E_Position_Var->SetText(IntToStr(V.Position));
    CB_Post_Operation->SetItemIndex(V.Post_Operation);
}

// ---------------------------------------------------------------------------------
// Storing
// ---------------------------------------------------------------------------------
TNodePage TFMeter_Bus::Node_Page() const
{
    TNodePage p;
    p.MBus_Type = CB_MBus_Type->ItemIndex();
    p.Primary_Chosen = !RB_Node_Sec->Checked();
    p.Node_Pri = E_Node_Pri->Text();
    p.Node_Sec = E_Node_Sec->Text();
    p.Enable_NS = CB_Node_State->Checked();
    p.Node_State = E_Node_State->Text();
    p.Enable_IN = CB_Ident_Num->Checked();
    p.Ident_Num = E_Ident_Num->Text();
    p.Enable_AN = CB_Access_Number->Checked();
    p.Access_Number = E_Access_Number->Text();
    p.wMBus_ManID = E_W_ManID->Text();
    p.wMBus_Add = E_W_Add->Text();
    p.wMBus_Ver = E_W_Ver->Text();
    p.wMBus_DevType = E_W_DevType->Text();
    p.wMBus_En_Key = CB_W_En_Key->Checked();
    for (size_t k = 0; k < 16; ++k) p.wMBus_Key[k] = E_W_Key[k]->Text();
    p.W_Node_State = E_W_Node_State->Text();
    p.W_Ident_Num = E_W_Ident_Num->Text();
    p.W_RSSI = E_W_RSSI->Text();
    p.W_Access_Number = E_W_Access_Number->Text();
    p.Enable_MS = CB_Manufacturer_Spec->Checked();
    p.Manufacturer_Spec = E_Manufacturer_Spec->Text();
    p.MSD_Length = E_MSD_Length->Text();
    p.MSD_Offset = E_MSD_Offset->Text();
    return p;
}

void TFMeter_Bus::Node_From_Page(TNodo& N) const
{
    N.Enable = CB_Node_Enable->Checked() ? 1 : 0;
    N.Description = E_Node_Desc->Text();
    N.Node_Pri = Int_Of(E_Node_Pri);
    N.Node_Sec = Int_Of(E_Node_Sec);
    N.Send_SNK = CB_Send_SNK->Checked() ? 1 : 0;
    N.Reset_App = CB_Reset_App->Checked() ? 1 : 0;
    N.Node_ID_Type = RB_Node_Sec->Checked() ? 1 : 0;
    N.Cut_After = uint8_t(std::max(0, CB_Cut_After->ItemIndex()));
    N.Enable_MS = CB_Manufacturer_Spec->Checked() ? 1 : 0;
    N.Manufacturer_Spec = Int_Or_0(E_Manufacturer_Spec);
    N.MSD_Length = uint8_t(Int_Or_0(E_MSD_Length));
    N.MSD_Offset = uint8_t(Int_Or_0(E_MSD_Offset));
    N.MBus_Type = uint8_t(std::max(0, CB_MBus_Type->ItemIndex()));
    N.wMBus_ManID = E_W_ManID->Text();
    N.wMBus_Add = E_W_Add->Text();
    N.wMBus_Ver = E_W_Ver->Text();
    N.wMBus_DevType = E_W_DevType->Text();
    N.wMBus_En_Key = CB_W_En_Key->Checked() ? 1 : 0;
    for (size_t k = 0; k < 16; ++k) N.wMBus_Key[k] = E_W_Key[k]->Text();
    const bool wireless = N.MBus_Type == 0;
    // The node's own settings come from the column of its type.
    N.Enable_NS = (wireless ? CB_W_Node_State : CB_Node_State)->Checked() ? 1 : 0;
    N.Node_State = Int_Of(wireless ? E_W_Node_State : E_Node_State);
    N.Enable_IN = (wireless ? CB_W_Ident_Num : CB_Ident_Num)->Checked() ? 1 : 0;
    N.Ident_Num = Int_Of(wireless ? E_W_Ident_Num : E_Ident_Num);
    N.BCDtoINT_IN = (wireless ? CB_W_BCDtoINT_IN : CB_BCDtoINT_IN)->Checked() ? 1 : 0;
    N.Swap_Ident = std::max(0, (wireless ? CB_W_Swap_Ident : CB_Swap_Ident)->ItemIndex());
    N.Var_List_Type = uint8_t(std::max(0, (wireless ? CB_W_Var_List_Type : CB_Var_List_Type)->ItemIndex()));
    N.Enable_AN = (wireless ? CB_W_Access_Number : CB_Access_Number)->Checked() ? 1 : 0;
    N.Access_Number = Int_Or_0(wireless ? E_W_Access_Number : E_Access_Number);
    if (wireless) {
        N.Enable_RSSI = CB_W_RSSI->Checked() ? 1 : 0;
        N.RSSI = Int_Of(E_W_RSSI);
    }
}

TVariablePage TFMeter_Bus::Var_Page() const
{
    TVariablePage p;
    p.PositionData = E_Var_PosData->Text();
    p.Storage_Number = E_Var_Storage->Text();
    p.Tariff = E_Var_Tariff->Text();
    p.Dimension = CB_Var_Dim->ItemIndex();
    p.Type_Of_Data = CB_Var_ToD->ItemIndex();
    p.Length = E_Var_Len->Text();
    p.TP_Mod_Regs = CB_TP_Six->Checked();
    p.TP_Mod_Year = E_TP_Year->Text();
    p.Position = E_Position_Var->Text();
    return p;
}

void TFMeter_Bus::Var_From_Page(TVariabile& V) const
{
    V.Enable = CB_Var_Enable->Checked();
    V.Description = E_Var_Desc->Text();
    V.Type_Of_Data = std::max(0, CB_Var_ToD->ItemIndex());
    V.Function_Field = std::max(0, CB_Var_FF->ItemIndex());
    V.Dimension = std::max(0, CB_Var_Dim->ItemIndex());
    V.Unita = std::max(0, CB_Var_Unit->ItemIndex());
    V.PositionData = Int_Of(E_Var_PosData);
    V.Storage_Number = uint32_t(StrToInt64(E_Var_Storage->Text()));
    V.Tariff = Int_Of(E_Var_Tariff);
    V.VIFE = uint8_t(std::max(0, CB_Var_VIFE->ItemIndex()));
    V.BCDtoINT = CB_Var_BCD->Checked();
    V.VIF_ASCII = E_VIF_ASCII->Text();
    V.Length = Int_Or_0(E_Var_Len);
    V.Conv_Float = CB_Conv_Float->Checked();
    V.Force_Int32 = CB_Force_Int32->Checked();
    V.TP_Mod_Regs = CB_TP_Six->Checked();
    V.TP_Mod_Year = Int_Or_0(E_TP_Year);
    V.Position = uint16_t(Int_Of(E_Position_Var));
    V.Post_Operation = uint8_t(std::max(0, CB_Post_Operation->ItemIndex()));
}

void TFMeter_Bus::Show_Messages(const TMBusMessages& Messages)
{
    for (const TMBusMessage& m : Messages) MessageDlg(m.Text, mtError, TMsgDlgButtons{mbOK}, 0);
}

void TFMeter_Bus::Show_Error(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

void TFMeter_Bus::btn_Add_NodeClick(TObject*)
{
    const bool modify = Node_Mode == smModify;
    const auto done = [this] {
        TW->SetExpanded(NODE_ORIG, true);
        Is_Change = true;
    };
    if (modify && (!NODE_ID || IND_NODO < 0 || IND_NODO >= int(Nodi_List.size()))) return done();
    TMBusMessages msgs;
    const TMBusSelection sel{modify ? IND_NODO : -1, -1};
    if (!Controllo_Dati_New_Nodo(Node_Page(), Nodi_List, sel, msgs)) {
        Show_Messages(msgs);
        return done();
    }
    // Built apart and put in place whole: a box that holds no integer changes nothing.
    auto node = modify ? Nodi_List[size_t(IND_NODO)]->Clone() : std::make_unique<TNodo>();
    try {
        Node_From_Page(*node);
    } catch (const std::exception& e) {
        Show_Error(e.what());
        return done();
    }
    if (modify) {
        Set_Item_Text(NODE_ID, Node_Text(*node));
        Nodi_List[size_t(IND_NODO)] = std::move(node);
    } else {
        Add_Item(NODE_ORIG, Node_Text(*node));
        Nodi_List.push_back(std::move(node));
    }
    done();
}

void TFMeter_Bus::btn_Add_VarClick(TObject*)
{
    const bool modify = Var_Mode == smModify;
    const auto done = [this] {
        TW->SetExpanded(NODE_ORIG, true);
        Is_Change = true;
    };
    if (IND_NODO < 0 || IND_NODO >= int(Nodi_List.size()) || !NODE_ID) return done();
    TNodo& n = *Nodi_List[size_t(IND_NODO)];
    if (modify && (!SELECT_NODE || IND_VAR < 0 || IND_VAR >= int(n.Var_List.size()))) return done();
    TMBusMessages msgs;
    if (!Controllo_Dati_New_Var(Var_Page(), Nodi_List, {IND_NODO, modify ? IND_VAR : -1}, !modify, msgs)) {
        Show_Messages(msgs);
        return done();
    }
    auto var = std::make_unique<TVariabile>();
    try {
        Var_From_Page(*var);
    } catch (const std::exception& e) {
        Show_Error(e.what());
        return done();
    }
    if (modify) {
        Set_Item_Text(SELECT_NODE, Var_Text(*var));
        n.Var_List[size_t(IND_VAR)] = std::move(var);
    } else {
        Add_Item(NODE_ID, Var_Text(*var));
        n.Var_List.push_back(std::move(var));
    }
    done();
}

// ---------------------------------------------------------------------------------
// Deleting, copying, pasting
// ---------------------------------------------------------------------------------
void TFMeter_Bus::btn_Delete_ItemClick(TObject*)
{
    const auto ask = [](int text) { return MessageDlg(Lang_Text(text), mtConfirmation, mbYesNo, 0) == mrYes; };
    if (IND_NODO < 0) {
        if (ask(1893)) {
            TW->Clear();
            NODE_ORIG = Add_Item(nullptr, Root_Text);
            // Nothing of the old file is kept, so nothing of it can be lost by saving.
            Network.Clear();
            IND_NODO = IND_VAR = -1;
            NODE_ID = SELECT_NODE = nullptr;
            Is_Change = true;
        }
    } else if (IND_VAR < 0) {
        if (ask(1894)) {
            Nodi_List.erase(Nodi_List.begin() + IND_NODO);
            TLazyNode* item = NODE_ID;
            TW->ClearSelection();
            TW->SetFocusedNode(nullptr);
            TW->DeleteNode(item);
            Is_Change = true;
        }
    } else if (ask(1895)) {
        TNodo& n = *Nodi_List[size_t(IND_NODO)];
        n.Var_List.erase(n.Var_List.begin() + IND_VAR);
        TLazyNode* item = SELECT_NODE;
        TW->ClearSelection();
        TW->SetFocusedNode(nullptr);
        TW->DeleteNode(item);
        Is_Change = true;
    }
    TWClick(TW);
    TW->Invalidate();
}

void TFMeter_Bus::CopyVariable1Click(TObject*)
{
    if (IND_NODO < 0 || IND_NODO >= int(Nodi_List.size())) return Show_Error(Lang_Text(1898));
    const TNodo& n = *Nodi_List[size_t(IND_NODO)];
    if (IND_VAR < 0 || IND_VAR >= int(n.Var_List.size())) return Show_Error(Lang_Text(1897));
    Copy_Var = std::make_unique<TVariabile>(*n.Var_List[size_t(IND_VAR)]);
    PasteVariable1->SetEnabled(true);
}

void TFMeter_Bus::CopyNode1Click(TObject*)
{
    if (IND_NODO < 0) return Show_Error(Lang_Text(1899));
    if (IND_NODO >= int(Nodi_List.size())) return Show_Error(Lang_Text(1900));
    Copy_Node = Nodi_List[size_t(IND_NODO)]->Clone();
    Copy_Node->Enable_NS = Copy_Node->Enable_IN = Copy_Node->Enable_MS = 0;
    Copy_Node->Enable_RSSI = Copy_Node->Enable_AN = 0;
    PasteNode1->SetEnabled(true);
}

namespace {

// The paste dialog's three rows of a variable. The scale row's index is filled with "0"
// (no scale register): the variable has no field for it, and an empty cell would refuse
// every paste until the user typed something there.
void Add_Register_Rows(std::vector<std::array<String, 3>>& Rows, const TVariabile& V)
{
    Rows.push_back({Lang_Text(1902), IntToStr(V.PositionData), V.Description});
    Rows.push_back({Lang_Text(1903), "0", V.Description});
    Rows.push_back({Lang_Text(1904), IntToStr(V.TP_Mod_Year), V.Description});
}

}  // namespace

void TFMeter_Bus::PasteVariable1Click(TObject*)
{
    if (!Copy_Var) return Show_Error(Lang_Text(1901));
    if (IND_NODO < 0 || IND_NODO >= int(Nodi_List.size()) || !NODE_ID) return Show_Error(Lang_Text(1905));
    std::vector<std::array<String, 3>> rows;
    Add_Register_Rows(rows, *Copy_Var);
    FNewIDNode->Form_Type = 2;
    FNewIDNode->Set_Register_Rows(rows);
    if (FNewIDNode->ShowModal() != mrOk) return;
    auto var = std::make_unique<TVariabile>(*Copy_Var);
    var->PositionData = StrToIntDef(FNewIDNode->Index_Cell(1), var->PositionData);
    var->TP_Mod_Year = StrToIntDef(FNewIDNode->Index_Cell(3), var->TP_Mod_Year);
    Add_Item(NODE_ID, Var_Text(*var));
    Nodi_List[size_t(IND_NODO)]->Var_List.push_back(std::move(var));
    TW->SetExpanded(NODE_ID, true);
    Is_Change = true;
}

void TFMeter_Bus::PasteNode1Click(TObject*)
{
    if (!Copy_Node) return;
    TFNewIDNode* d = FNewIDNode;
    if (Copy_Node->MBus_Type == 1) {
        d->Form_Type = 1;
        if (Copy_Node->Node_ID_Type == 1) d->RB_Node_Sec->SetChecked(true);
        else d->RB_Node_Pri->SetChecked(true);
        d->E_New_Node_ID_Pri->SetText(IntToStr(Copy_Node->Node_Pri));
        d->E_New_Node_ID_Sec->SetText(IntToStr(Copy_Node->Node_Sec));
    } else {
        d->Form_Type = 3;
        d->E_wMBus_Add->SetText(Copy_Node->wMBus_Add);
        d->E_wMBus_RSSI->SetText(IntToStr(Copy_Node->RSSI));
    }
    d->E_MR_NodeState->SetText(IntToStr(Copy_Node->Node_State));
    d->E_MR_IdentNum->SetText(IntToStr(Copy_Node->Ident_Num));
    std::vector<std::array<String, 3>> rows;
    for (const auto& v : Copy_Node->Var_List) Add_Register_Rows(rows, *v);
    d->Set_Register_Rows(rows);
    if (d->ShowModal() != mrOk) return;
    auto node = Copy_Node->Clone();
    try {
        // The dialog does not check these boxes: one that holds no integer pastes nothing.
        node->Node_State = StrToInt(d->E_MR_NodeState->Text());
        node->Ident_Num = StrToInt(d->E_MR_IdentNum->Text());
        if (d->Form_Type == 1) {
            node->Node_Pri = StrToInt(d->E_New_Node_ID_Pri->Text());
            node->Node_Sec = StrToInt(d->E_New_Node_ID_Sec->Text());
            node->Node_ID_Type = d->RB_Node_Sec->Checked() ? 1 : 0;
        } else {
            node->RSSI = StrToInt(d->E_wMBus_RSSI->Text());
            node->wMBus_Add = d->E_wMBus_Add->Text();
        }
    } catch (const std::exception& e) {
        return Show_Error(e.what());
    }
    node->Enable_NS = node->Enable_IN = node->Enable_MS = node->Enable_RSSI = node->Enable_AN = 0;
    for (size_t i = 0; i < node->Var_List.size(); ++i) {
        TVariabile& v = *node->Var_List[i];
        v.PositionData = StrToIntDef(d->Index_Cell(int(3 * i + 1)), v.PositionData);
        v.TP_Mod_Year = StrToIntDef(d->Index_Cell(int(3 * i + 3)), v.TP_Mod_Year);
    }
    TLazyNode* item = Add_Item(NODE_ORIG, Node_Text(*node));
    for (const auto& v : node->Var_List) Add_Item(item, Var_Text(*v));
    Nodi_List.push_back(std::move(node));
    TW->SetExpanded(NODE_ORIG, true);
    Is_Change = true;
}

bool TFMeter_Bus::Check_Node_ID2(int32_t ID, int type_ID, TMBusMessages& Messages) const
{
    return ::Check_Node_ID2(Nodi_List, ID, type_ID, Messages);
}

bool TFMeter_Bus::Check_Registers(int32_t Reg_Mod, int32_t Reg_RE_Mod, int32_t Reg_TP, bool NewVar,
                                  TMBusMessages& Messages) const
{
    return ::Check_Registers(Nodi_List, {IND_NODO, IND_VAR}, Reg_Mod, Reg_RE_Mod, Reg_TP, NewVar, Messages);
}

// ---------------------------------------------------------------------------------
// OK, Cancel, Import
// ---------------------------------------------------------------------------------
void TFMeter_Bus::LbButton2Click(TObject*)
{
    try {
        Network.Save(FileName_M_Bus);
    } catch (const std::exception& e) {
        // The window stays open with the network as it is.
        return Show_Error(e.what());
    }
    TW->Clear();
    NODE_ORIG = NODE_ID = SELECT_NODE = nullptr;
    Network.Clear();
    SetModalResult(mrOk);
}

void TFMeter_Bus::LbButton4Click(TObject*)
{
    if (Is_Change && MessageDlg(Lang_Text(1896), mtConfirmation, mbYesNo, 0) != mrYes) return;
    SetModalResult(mrCancel);
}

void TFMeter_Bus::Btn_ImportNetClick(TObject*)
{
    if (!OD_Import->Execute()) return;
    if (FileExists(FileName_M_Bus)) {
        if (MessageDlg(Lang_Text(1906), mtConfirmation, mbYesNo, 0) != mrYes) return;
    }
    try {
        // The copy replaces the old file only once it is complete.
        Import_MBus_Network(OD_Import->FileName(), FileName_M_Bus);
    } catch (const std::exception& e) {
        return Show_Error(e.what());
    }
    Prepare();
}
