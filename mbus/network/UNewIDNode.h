#pragma once
// The dialog that asks, before a copied node or variable is pasted into the network
// editor, for the pasted item's new address and registers, and checks them against the
// network open in the editor. The editor fills the boxes and the register table, shows
// the dialog and pastes only on OK, reading the values back.
#include <array>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtColumnGrid;

class TFNewIDNode : public TForm {
public:
    explicit TFNewIDNode(TComponent* AOwner);

    // 1 a wired node, 2 a variable, anything else a wireless node.
    int32_t Form_Type = 1;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Up;
    TRadioButton* RB_Node_Pri;
    TEdit* E_New_Node_ID_Pri;
    TRadioButton* RB_Node_Sec;
    TEdit* E_New_Node_ID_Sec;
    TLabel* L_wMBus_Add;
    TEdit* E_wMBus_Add;
    TLabel* L_MR_NodeState;
    TEdit* E_MR_NodeState;
    TLabel* L_MR_IdentNum;
    TEdit* E_MR_IdentNum;
    TLabel* L_wMBus_RSSI;
    TEdit* E_wMBus_RSSI;
    TLabel* L_MR_Var;
    TExtColumnGrid* ASG_MR_Var;
    TPanel* P_Button;
    TLbButton* LbButton2;   // OK
    TLbButton* LbButton4;   // Cancel

    void Set_Lang();
    void FormShow(TObject* Sender);
    void LbButton2Click(TObject* Sender);

    // The register table: one row per entry (text, index, description); none gives one
    // empty row. The index of data row Row (from 1).
    void Set_Register_Rows(const std::vector<std::array<String, 3>>& Rows);
    String Index_Cell(int Row) const;
    void Set_Index_Cell(int Row, const String& Text);
    int Register_Row_Count() const;
};

extern TFNewIDNode* FNewIDNode;
