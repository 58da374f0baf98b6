#pragma once
// The M-Bus network editor: the meters (nodes) and their values (variables) of the open
// configuration in a tree on the left, the fields of the selected node or variable on the
// "Nodes" and "Variables" pages on the right. The network is read from M_Bus.xml each time
// the window is shown, kept in memory while it is open and written back on OK; every node
// and variable is checked before it is stored; nodes and variables are copied and pasted
// through the pasted-node dialog, which asks for new addresses and registers.
//
// Whether the store buttons add or modify is held in a mode of its own, set with the
// selection: their captions follow the language and decide nothing.
#include <array>
#include <memory>

#include "mbus/network/MBusChecks.h"
#include "mbus/network/UMeter_Bus.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtPageControl;
class TExtTabSheet;
class TLazyStringTree;
class TBaseLazyTree;
struct TLazyNode;

class TFMeter_Bus : public TForm {
public:
    explicit TFMeter_Bus(TComponent* AOwner);

    // The network being edited and what reading its file left behind.
    TMBusNetwork Network;
    TNodiList& Nodi_List = Network.Nodi_List;
    int IND_NODO = -1;
    int IND_VAR = -1;
    TLazyNode* NODE_ORIG = nullptr;
    TLazyNode* NODE_ID = nullptr;
    TLazyNode* SELECT_NODE = nullptr;
    // The copies live for the whole run, across closings of the window.
    std::unique_ptr<TVariabile> Copy_Var;
    std::unique_ptr<TNodo> Copy_Node;
    bool Is_Change = false;
    // What the store buttons do.
    enum TStoreMode { smAdd, smModify };
    TStoreMode Node_Mode = smAdd;
    TStoreMode Var_Mode = smAdd;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLazyStringTree* TW;
    TPopupMenu* PM_Tree;
    TMenuItem* CopyVariable1;
    TMenuItem* PasteVariable1;
    TMenuItem* CopyNode1;
    TMenuItem* PasteNode1;
    TMenuItem* DeleteItem1;
    TExtPageControl* PC_Main;
    TExtTabSheet* TS_Nodes;
    TExtTabSheet* TS_Variables;
    TPanel* P_Button;
    TLbButton* LbButton2;        // OK
    TLbButton* LbButton4;        // Cancel
    TLbButton* Btn_ImportNet;
    TOpenDialog* OD_Import;

    // "Nodes" page.
    TCheckBox* CB_Node_Enable;
    TLabel* L_Node_Desc;
    TEdit* E_Node_Desc;
    TLabel* L_MBus_Type;
    TComboBox* CB_MBus_Type;
    TRadioButton* RB_Node_Pri;
    TEdit* E_Node_Pri;
    TRadioButton* RB_Node_Sec;
    TEdit* E_Node_Sec;
    TCheckBox* CB_Node_State;
    TEdit* E_Node_State;
    TCheckBox* CB_Ident_Num;
    TEdit* E_Ident_Num;
    TCheckBox* CB_BCDtoINT_IN;
    TLabel* L_Swap_Ident;
    TComboBox* CB_Swap_Ident;
    TCheckBox* CB_Send_SNK;
    TCheckBox* CB_Reset_App;
    TLabel* L_Var_List_Type;
    TComboBox* CB_Var_List_Type;
    TLabel* L_Cut_After;
    TComboBox* CB_Cut_After;
    TLabel* L_Frames;
    TCheckBox* CB_Manufacturer_Spec;
    TEdit* E_Manufacturer_Spec;
    TLabel* L_MSD_Length;
    TEdit* E_MSD_Length;
    TLabel* L_MSD_Offset;
    TEdit* E_MSD_Offset;
    TCheckBox* CB_Access_Number;
    TEdit* E_Access_Number;
    TLbButton* btn_Add_Node;
    // the wireless panel
    TPanel* P_wMBus;
    TLabel* L_W_ManID;
    TEdit* E_W_ManID;
    TLabel* L_W_Add;
    TEdit* E_W_Add;
    TLabel* L_W_Ver;
    TEdit* E_W_Ver;
    TLabel* L_W_DevType;
    TEdit* E_W_DevType;
    TCheckBox* CB_W_En_Key;
    std::array<TLabel*, 16> L_W_Key{};
    std::array<TEdit*, 16> E_W_Key{};
    TCheckBox* CB_W_Node_State;
    TEdit* E_W_Node_State;
    TCheckBox* CB_W_Ident_Num;
    TEdit* E_W_Ident_Num;
    TCheckBox* CB_W_RSSI;
    TEdit* E_W_RSSI;
    TCheckBox* CB_W_Access_Number;
    TEdit* E_W_Access_Number;
    TCheckBox* CB_W_BCDtoINT_IN;
    TLabel* L_W_Swap_Ident;
    TComboBox* CB_W_Swap_Ident;
    TLabel* L_W_Var_List_Type;
    TComboBox* CB_W_Var_List_Type;

    // "Variables" page.
    TCheckBox* CB_Var_Enable;
    TLabel* L_Var_Desc;
    TEdit* E_Var_Desc;
    TLabel* L_Var_ToD;
    TComboBox* CB_Var_ToD;
    TLabel* L_VIF_ASCII;
    TEdit* E_VIF_ASCII;
    TLabel* L_Var_FF;
    TComboBox* CB_Var_FF;
    TLabel* L_Var_Dim;
    TComboBox* CB_Var_Dim;
    TLabel* L_Var_Len;
    TEdit* E_Var_Len;
    TLabel* L_Var_Unit;
    TComboBox* CB_Var_Unit;
    TLabel* L_Var_Storage;
    TEdit* E_Var_Storage;
    TLabel* L_Var_Tariff;
    TEdit* E_Var_Tariff;
    TLabel* L_Var_VIFE;
    TComboBox* CB_Var_VIFE;
    TLabel* L_Var_PosData;
    TEdit* E_Var_PosData;
    TGroupBox* GB_Time_Point;
    TCheckBox* CB_TP_Six;
    std::array<TLabel*, 6> L_TP{};   // YY MM DD HH MM SS
    TEdit* E_TP_Year;
    std::array<TEdit*, 5> E_TP{};    // the five registers after the year, read-only
    TCheckBox* CB_Var_BCD;
    TCheckBox* CB_Conv_Float;
    TCheckBox* CB_Force_Int32;
    TLabel* L_Post_Operation;
    TComboBox* CB_Post_Operation;
    TLabel* L_Position_Var;
    TEdit* E_Position_Var;
    TLbButton* btn_Add_Var;

    void Set_Lang();
    void FormShow(TObject* Sender);
    void TWClick(TObject* Sender);
    void Aggiorna_Label();
    void Sposta_Oggetti_Var(int Var_type);
    void Nodes_Move_Elements();
    void CB_MBus_TypeChange(TObject* Sender);
    void CB_Var_ToDChange(TObject* Sender);
    void CB_Var_DimChange(TObject* Sender);
    void E_TP_YearChange(TObject* Sender);
    void Select_Width_ComboBox(TComboBox* CB, int Extra);
    void btn_Add_NodeClick(TObject* Sender);
    void btn_Add_VarClick(TObject* Sender);
    void btn_Delete_ItemClick(TObject* Sender);
    void CopyVariable1Click(TObject* Sender);
    void PasteVariable1Click(TObject* Sender);
    void CopyNode1Click(TObject* Sender);
    void PasteNode1Click(TObject* Sender);
    void LbButton2Click(TObject* Sender);
    void LbButton4Click(TObject* Sender);
    void Btn_ImportNetClick(TObject* Sender);

    // The network's check of a pasted node's address and registers (the paste dialog's).
    bool Check_Node_ID2(int32_t ID, int type_ID, TMBusMessages& Messages) const;
    bool Check_Registers(int32_t Reg_Mod, int32_t Reg_RE_Mod, int32_t Reg_TP, bool NewVar, TMBusMessages& Messages) const;

    // The tree as the user sees it: the text of an item, and the item of a node (-1: the
    // root) or of a variable of it.
    String Item_Text(TLazyNode* Item) const;
    TLazyNode* Item_Of(int Node, int Var = -1) const;
    // Selects an item as a click on it does (nullptr: nothing).
    void Select_Item(TLazyNode* Item);

private:
    void Prepare();
    TLazyNode* Add_Item(TLazyNode* Parent, const String& Text);
    void Set_Item_Text(TLazyNode* Item, const String& Text);
    static String Node_Text(const TNodo& N);
    static String Var_Text(const TVariabile& V);
    void Show_Node(const TNodo& N);
    void Show_Var(const TVariabile& V);
    void Reset_Var_Page();
    void Var_Enabling();
    TNodePage Node_Page() const;
    TVariablePage Var_Page() const;
    // The node and variable the pages hold; raise the integer-conversion error when a box
    // read as an integer holds none.
    void Node_From_Page(TNodo& N) const;
    void Var_From_Page(TVariabile& V) const;
    void Show_Messages(const TMBusMessages& Messages);
    void Show_Error(const String& Text);
    bool FReady = false;   // the controls exist: change handlers may run
};

extern TFMeter_Bus* FMeter_Bus;
