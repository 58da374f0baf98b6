// The pasted-node identifier dialog.
#include "mbus/network/UNewIDNode.h"

#include "grid/columns/ExtColumnGrid.h"
#include "mbus/network/UMeter_Bus_Window.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UWindowParts.h"

TFNewIDNode* FNewIDNode = nullptr;

namespace {

constexpr int Row_Step = 24;
constexpr int Box_X = 300;
// The "Index" column, the only one the user types into, stands out.
constexpr TColor Index_Tint = TColor(0xE0FFFF);

void Error_Box(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

}  // namespace

TFNewIDNode::TFNewIDNode(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FNewIDNode");
    Set_Dialog_Look(this);
    OnShow = [this](TObject* s) { FormShow(s); };
    SetClientWidth(432);
    SetClientHeight(536);
    P_Title = Make_Title_Panel(this, L_SW_Code, L_SW_Desc);
    L_SW_Code->SetCaption(SW_Code);
    P_Button = Make_Button_Panel(this);
    LbButton2 = Make_Push_Button(this, "LbButton2");
    LbButton4 = Make_Push_Button(this, "LbButton4");
    Place_Panel_Buttons(P_Button, {LbButton2, LbButton4});
    LbButton2->OnClick = [this](TObject* s) { LbButton2Click(s); };
    LbButton4->SetModalResult(mrCancel);
    LbButton4->SetCancel(true);

    P_Up = new TPanel(this);
    P_Up->SetName("P_Up");
    P_Up->SetParent(this);
    P_Up->SetCaption("");
    P_Up->SetBevelOuter(bvNone);
    P_Up->SetAlign(alTop);
    P_Up->SetTop(Title_Panel_Height);
    TWinControl* u = P_Up;
    RB_Node_Pri = Make_Control<TRadioButton>(this, u, "RB_Node_Pri", 16, 8, 270, 17);
    E_New_Node_ID_Pri = Make_Control<TEdit>(this, u, "E_New_Node_ID_Pri", Box_X, 6, 110, 21);
    RB_Node_Sec = Make_Control<TRadioButton>(this, u, "RB_Node_Sec", 16, 8 + Row_Step, 270, 17);
    E_New_Node_ID_Sec = Make_Control<TEdit>(this, u, "E_New_Node_ID_Sec", Box_X, 6 + Row_Step, 110, 21);
    L_wMBus_Add = Make_Control<TLabel>(this, u, "L_wMBus_Add", 16, 10, 270, 13);
    E_wMBus_Add = Make_Control<TEdit>(this, u, "E_wMBus_Add", Box_X, 6, 110, 21);
    L_MR_NodeState = Make_Control<TLabel>(this, u, "L_MR_NodeState", 16, 0, 280, 13);
    E_MR_NodeState = Make_Control<TEdit>(this, u, "E_MR_NodeState", Box_X, 0, 110, 21);
    L_MR_IdentNum = Make_Control<TLabel>(this, u, "L_MR_IdentNum", 16, 0, 280, 13);
    E_MR_IdentNum = Make_Control<TEdit>(this, u, "E_MR_IdentNum", Box_X, 0, 110, 21);
    L_wMBus_RSSI = Make_Control<TLabel>(this, u, "L_wMBus_RSSI", 16, 0, 280, 13);
    E_wMBus_RSSI = Make_Control<TEdit>(this, u, "E_wMBus_RSSI", Box_X, 0, 110, 21);
    RB_Node_Pri->SetChecked(true);

    L_MR_Var = Make_Control<TLabel>(this, this, "L_MR_Var", 16, 0, 400, 13);
    ASG_MR_Var = new TExtColumnGrid(this);
    ASG_MR_Var->SetName("ASG_MR_Var");
    ASG_MR_Var->SetParent(this);
    ASG_MR_Var->SetColCount(3);
    ASG_MR_Var->SetRowCount(2);
    ASG_MR_Var->SetFixedCols(0);
    ASG_MR_Var->SetFixedRows(1);
    ASG_MR_Var->SetShowHint(false);
    ASG_MR_Var->Loaded();
    const char* headers[] = {"Desc. Reg.", "Index", "Description Variable"};
    const int widths[] = {150, 70, 170};
    for (int c = 0; c < 3; ++c) {
        auto* col = ASG_MR_Var->Columns()->Items(c);
        col->SetHeader(headers[c]);
        col->SetWidth(widths[c]);
        col->SetReadOnly(c != 1);
    }
    ASG_MR_Var->Columns()->Items(1)->SetColor(Index_Tint);
    Set_Lang();
}

void TFNewIDNode::Set_Lang()
{
    SetCaption(Lang_Text(2000));
    L_SW_Desc->SetCaption(Lang_Text(2002));
    LbButton2->SetCaption(Lang_Text(2004));
    LbButton4->SetCaption(Lang_Text(2005));
    RB_Node_Pri->SetCaption(Lang_Text(2006));
    RB_Node_Sec->SetCaption(Lang_Text(2007));
    L_MR_NodeState->SetCaption(Lang_Text(2008));
    L_MR_IdentNum->SetCaption(Lang_Text(2009));
    L_MR_Var->SetCaption(Lang_Text(2010));
    L_wMBus_RSSI->SetCaption(Lang_Text(2011));
    L_wMBus_Add->SetCaption(Lang_Text(2012));
}

void TFNewIDNode::FormShow(TObject*)
{
    const bool wired = Form_Type == 1, variable = Form_Type == 2, wireless = !wired && !variable;
    SetCaption(Lang_Text(variable ? 2001 : 2000));
    L_SW_Desc->SetCaption(Lang_Text(variable ? 2003 : 2002));
    for (TControl* c : std::initializer_list<TControl*>{RB_Node_Pri, E_New_Node_ID_Pri, RB_Node_Sec, E_New_Node_ID_Sec})
        c->SetVisible(wired);
    for (TControl* c : std::initializer_list<TControl*>{L_wMBus_Add, E_wMBus_Add, L_wMBus_RSSI, E_wMBus_RSSI})
        c->SetVisible(wireless);
    for (TControl* c : std::initializer_list<TControl*>{L_MR_NodeState, E_MR_NodeState, L_MR_IdentNum, E_MR_IdentNum})
        c->SetVisible(!variable);
    int y = 6 + (wired ? 2 * Row_Step : Row_Step);
    for (auto [l, e] : {std::pair<TControl*, TControl*>{L_MR_NodeState, E_MR_NodeState}, {L_MR_IdentNum, E_MR_IdentNum},
                        {L_wMBus_RSSI, E_wMBus_RSSI}}) {
        l->SetTop(y + 4);
        e->SetTop(y);
        if (e->Visible()) y += Row_Step;
    }
    P_Up->SetHeight(variable ? 8 : wired ? 161 : E_wMBus_RSSI->Top() + E_wMBus_RSSI->Height() + 4);
    const int grid_top = Title_Panel_Height + P_Up->Height() + 24;
    L_MR_Var->SetTop(grid_top - 18);
    ASG_MR_Var->SetBounds(16, grid_top, 400, ClientHeight() - Button_Panel_Height - grid_top - 8);
}

void TFNewIDNode::Set_Register_Rows(const std::vector<std::array<String, 3>>& Rows)
{
    ASG_MR_Var->SetRowCount(int(std::max<size_t>(Rows.size(), 1)) + 1);
    for (int c = 0; c < 3; ++c) ASG_MR_Var->SetCellEx(c, 1, "");
    for (size_t r = 0; r < Rows.size(); ++r)
        for (int c = 0; c < 3; ++c) ASG_MR_Var->SetCellEx(c, int(r) + 1, Rows[r][size_t(c)]);
}

String TFNewIDNode::Index_Cell(int Row) const { return ASG_MR_Var->GetCellEx(1, Row); }
void TFNewIDNode::Set_Index_Cell(int Row, const String& Text) { ASG_MR_Var->SetCellEx(1, Row, Text); }
int TFNewIDNode::Register_Row_Count() const { return ASG_MR_Var->RowCount() - 1; }

void TFNewIDNode::LbButton2Click(TObject*)
{
    bool refused = false;
    TMBusMessages msgs;
    const auto show = [&] {
        for (const TMBusMessage& m : msgs) Error_Box(m.Text);
        msgs.clear();
    };
    if (Form_Type == 1) {
        const bool secondary = RB_Node_Sec->Checked();
        const int32_t id = Box_Int(secondary ? E_New_Node_ID_Sec->Text() : E_New_Node_ID_Pri->Text());
        if (!secondary && (id < 0 || id > 255)) return Error_Box(Lang_Text(2013));
        if (secondary && (id < 0 || id > 99999999)) return Error_Box(Lang_Text(2014));
        if (FMeter_Bus && !FMeter_Bus->Check_Node_ID2(id, secondary ? 1 : 0, msgs)) refused = true;
        show();
    } else if (Form_Type != 2) {
        const int64_t a = Box_Int64(E_wMBus_Add->Text());
        if (a < 0 || a > 0xFFFFFFFFLL) return Error_Box(Lang_Text(2015));
    }
    // Whole groups of three rows only; a trailing incomplete group is not a variable.
    const int rows = ASG_MR_Var->RowCount() - 1;
    for (int g = 0; 3 * g + 3 <= rows; ++g) {
        const int32_t reg = Box_Int(Index_Cell(3 * g + 1));
        const int32_t scale = Box_Int(Index_Cell(3 * g + 2));
        const int32_t tp = Box_Int(Index_Cell(3 * g + 3));
        if (reg < 1 || reg > 59999) return Error_Box(Lang_Text(2016));
        if (scale < 0 || scale > 59999) return Error_Box(Lang_Text(2017));
        if (tp < 0 || tp > 59995) return Error_Box(Lang_Text(2018));
        if (FMeter_Bus && FMeter_Bus->Check_Registers(reg, scale, tp, true, msgs)) refused = true;
        show();
    }
    if (!refused) SetModalResult(mrOk);
}
