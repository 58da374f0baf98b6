#pragma once
// The "Scan & Decode" window: how to reach the converter and how to scan, the scan's
// progress, the meters found with their decoded records in two check-box trees (wired)
// or a table and a tree (wireless), the keys of encrypted wireless meters, and saving the
// ticked meters and records into the configuration's network file.
//
// The window owns no thread. The engine's progress reports and wireless rows reach it
// already queued to the interface thread in the order they were made (see the engine), so
// its callbacks change the controls directly; a wireless row looks its meter up by index
// under the list's lock rather than keeping the pointer it was handed.
#include <vector>

#include "mbus/engine/UMBusScanDecode.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/StdCtrls.h"
#include "shell/LbButton.h"

class TExtStringGrid;
class TBaseLazyTree;
class TLazyStringTree;

// What each node of the two trees holds.
struct TMyRec {
    String Caption;
    bool Check = false;
};

// The progress lines of a wired scan: a line naming a meter that did not answer is drawn
// red in two columns, every other line blue.
class TScanProgressList : public TCustomControl {
public:
    explicit TScanProgressList(TComponent* AOwner);
    const std::vector<String>& Items() const { return FItems; }
    int Count() const { return int(FItems.size()); }
    void Add(const String& Line);
    void Clear();
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Index);
    int ItemHeight() const { return 16; }

protected:
    void Paint() override;
    // LB_AvailableDeviceDrawItem: one line in its rectangle.
    void Draw_Item(int Index, const TRect& R);

private:
    std::vector<String> FItems;
    int FTopIndex = 0;
};

class TFScanDecode : public TForm {
public:
    explicit TFScanDecode(TComponent* AOwner);
    ~TFScanDecode() override;

    // Set by the main window before it shows the window.
    int32_t XML_Code_Dev = 0;
    String FileName_MBus;
    int32_t Form_Type = 0;   // 1: wired or wireless; else wired only
    // The engine the window drives: the program's one engine, unless a caller hands in
    // another before showing the window.
    TMBusScanDecode* TR_ScanDecode = nullptr;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Main;
    TLabel* L_ScanMethod;
    TComboBox* CB_ScanMethod;
    TLabel* L_ScanBy;
    TComboBox* CB_ScanBy;
    TLabel* L_HardwareType;
    TComboBox* CB_HardwareType;
    TLabel* L_IP;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TLabel* L_IP_Dot1;
    TLabel* L_IP_Dot2;
    TLabel* L_IP_Dot3;
    TLabel* L_ComPort;
    TComboBox* CB_ComPort;
    TLbButton* Btn_COM_List;
    TLabel* L_Port;
    TEdit* E_Port;
    TLabel* L_MBus_ParGen;
    TLabel* L_MBus_Baud;
    TComboBox* CB_MBus_Baud;
    TLabel* L_MBus_Parity;
    TComboBox* CB_MBus_Parity;
    TLabel* L_wMBus_Mode;
    TComboBox* CB_wMBus_Mode;
    TLabel* L_wMBus_Radio_Channel;
    TComboBox* CB_wMBus_Radio_Channel;
    TLabel* L_Option_Scan;
    TCheckBox* CB_Opt_App_Reset;
    TCheckBox* CB_Opt_SND_NKE;
    TCheckBox* CB_Opt_Use_Fix_C_Field;
    TComboBox* CB_Opt_Use_Fix_C_Field_Value;
    TCheckBox* CB_Opt_Check_BCD_to_Int;
    TCheckBox* CB_Opt_Enable_Remote_Scan;
    TLabel* L_Opt_Cut_After;
    TEdit* E_Opt_Cut_After;

    TPanel* P_TreeView;
    TLabel* L_ScanProgress;
    TLabel* L_Num_Slave;
    TLabel* L_AvailableDevice;
    TScanProgressList* LB_AvailableDevice;
    TLazyStringTree* VST;
    TImageList* IL_Tree1;

    TPanel* P_View_Wireless;
    TPanel* P_W_Title;
    TPanel* P_W_Table;
    TExtStringGrid* ASG_Wireless;
    TPanel* P_W_Tree;
    TLazyStringTree* VST_Wireless;
    TImageList* IL_Wireless_Table;

    TPanel* P_Button;
    TLbButton* Btn_StartScan;
    TLbButton* Btn_StopScan;
    TLbButton* Btn_AbortScan;
    TLbButton* Btn_NewScan;
    TLbButton* Btn_SaveConf;
    TLbButton* Btn_SaveConfManual;
    TTimer* T_InScan;

    // The display style last set (1 options, 2 wired running, 3 wired ended, 4 wireless
    // running, 5 wireless ended).
    int Style() const { return FStyle; }

    void Set_Lang();
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void BtnClick(TObject* Sender);
    void Btn_COM_ListClick(TObject* Sender);
    void CB_HardwareTypeChange(TObject* Sender);
    void KeyPress(TObject* Sender, WideChar& Key);
    void T_InScanTimer(TObject* Sender);
    // The trees' handlers (the tree's own event arguments that the window does not read
    // are left out).
    void VSTInitNode(TBaseLazyTree* Sender, TLazyNode* Node);
    void VST_WirelessInitNode(TBaseLazyTree* Sender, TLazyNode* Node);
    void VSTGetText(TBaseLazyTree* Sender, TLazyNode* Node, String& CellText);
    // Normal and selected images only: the node's level.
    void VSTGetImageIndexEx(TBaseLazyTree* Sender, TLazyNode* Node, bool Normal_Or_Selected, int& ImageIndex);
    void VSTFreeNode(TBaseLazyTree* Sender, TLazyNode* Node);
    void VST_WirelessChecked(TBaseLazyTree* Sender, TLazyNode* Node);
    void ASG_WirelessClickCell(TObject* Sender, int ARow, int ACol);
    void ASG_WirelessDblClickCell(TObject* Sender, int ARow, int ACol);

    void Move_Object_Type_Form();
    void Form_Style(int Index);
    void Update_List_of_COM_Port();
    void Colomns_Width_Init();
    void Select_Scan();
    void StartScan();
    void StarScanWireless();
    void StopScan();
    void AbortScan();
    void NewScan();
    void Select_SaveXML(int Type_SaveXML);
    void SaveXML(bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node);
    void SaveXMLWireless(bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node);
    void Carica_Dati_Modbus_Start_Add();
    void Show_Slave_in_Tree();
    void Show_Slave_in_Tree_Wireless(int index);
    void Cancel_Device_List();
    void Cancel_Device_List_Wireless();
    void Cancel_Grid_Wireless();

    // The engine's callbacks, on the interface thread.
    void Update_Slave_List_Box(int32_t Kind, int32_t Value, int32_t Found, int32_t Scan_Type);
    void Update_Wireless_Grid_Row(int32_t Index, TSlave_wMBus* Meter);

    // Whether a tree node counts as ticked for the network-file writer: ticked, or
    // partly ticked (a meter some of whose records are ticked).
    bool Node_Ticked(const TLazyNode* Node) const;

private:
    void Make_Trees();
    void Make_Wireless_Grid();
    bool Wireless_Method() const { return Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1; }
    String Dotted_Address() const;
    void Fill_Save_Options(TSaveConfXML& D, bool Append, int32_t Start_Modbus, int32_t Start_Modbus_node);
    void Show_Save_Result(bool Saved);
    int FStyle = 1;
    bool FLast_Wireless = false;   // the last scan started was wireless
    int FWireless_Meter = -1;      // the meter VST_Wireless shows
};

extern TFScanDecode* FScanDecode;
