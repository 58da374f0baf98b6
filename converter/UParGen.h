#pragma once
// The parameter window: the converter's own communication parameters of the open
// configuration, kept in its ParGen.xml.
//
// The window is one column of collapsible category panels, one per protocol section of
// the converter family (36 panels). Every panel and control of the family exists; the
// model the window serves shows its own panels, stacks and numbers them, and its layout
// routine places the rows of each shown panel for the current choices. This program
// serves the LoRaWAN + KNX model: Ethernet Connection, LoRaWAN, KNX and Ethernet are shown,
// loaded, validated and saved; the other panels only take their texts.
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/xml/XMLDoc.h"
#include "shell/LbButton.h"

// The model of the converter family this program is built for.
extern const char* const ParGen_Build_Model;   // "41R08"

// The comment written after the root element of ParGen.xml.
extern const char* const ParGen_Version_Comment;   // "SW_VERSION = 1.002"

class TFParGen : public TForm {
public:
    // Model: the family member whose panels the window shows (tests lay out other models;
    // the program always creates the window for ParGen_Build_Model).
    explicit TFParGen(TComponent* AOwner, const String& Model = ParGen_Build_Model);
    ~TFParGen() override;

    const String& Model() const { return FModel; }

    // ---- frame ----
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    TCategoryPanelGroup* CPG;
    TXMLDocument XML1;

    // ---- the 36 section panels ----
    TCategoryPanel* CP_Ethernet_Connection;
    TCategoryPanel* CP_LoRa;
    TCategoryPanel* CP_KNX;
    TCategoryPanel* CP_Ethernet;
    TCategoryPanel* CP_Modbus_Slave;
    TCategoryPanel* CP_Modbus_Master;
    TCategoryPanel* CP_Modbus_TCP_Master;
    TCategoryPanel* CP_Modbus_TCP_Slave;
    TCategoryPanel* CP_Serial;
    TCategoryPanel* CP_BACnet_Master;
    TCategoryPanel* CP_BACnet_Slave;
    TCategoryPanel* CP_MBus;
    TCategoryPanel* CP_wMBus;
    TCategoryPanel* CP_CAN;
    TCategoryPanel* CP_CANopen;
    TCategoryPanel* CP_DeviceNet_Master;
    TCategoryPanel* CP_DeviceNet_Slave;
    TCategoryPanel* CP_DMX;
    TCategoryPanel* CP_EtherNetIP_Master;
    TCategoryPanel* CP_EtherNetIP;
    TCategoryPanel* CP_J1939;
    TCategoryPanel* CP_NMEA2000;
    TCategoryPanel* CP_PROFIBUS;
    TCategoryPanel* CP_PROFINET;
    TCategoryPanel* CP_IEC61850_Client;
    TCategoryPanel* CP_IEC61850_Server;
    TCategoryPanel* CP_TLS_Server;
    TCategoryPanel* CP_TLS;
    TCategoryPanel* CP_NTP;
    TCategoryPanel* CP_MQTT;
    TCategoryPanel* CP_WiFi;
    TCategoryPanel* CP_OPC_UA_Client;
    TCategoryPanel* CP_OPC_UA_Server;
    TCategoryPanel* CP_S7_Protocol;
    TCategoryPanel* CP_SNMP_Manager;
    TCategoryPanel* CP_SNMP_Agent;

    // ---- Ethernet Connection ----
    TLabel* L_EthConn_Device_Name;
    TEdit* E_EthConn_Device_Name;
    TCheckBox* CB_EthConn_En_DHCP_Cable;
    TCheckBox* CB_EthConn_En_DHCP_WiFi;
    TCheckBox* CB_EthConn_Enable_DNS;
    TLabel* L_EthConn_Primary_DNS;
    TEdit* E_EthConn_Pri_DNS_IP1;
    TEdit* E_EthConn_Pri_DNS_IP2;
    TEdit* E_EthConn_Pri_DNS_IP3;
    TEdit* E_EthConn_Pri_DNS_IP4;
    TLabel* L_EthConn_Secondary_DNS;
    TEdit* E_EthConn_Sec_DNS_IP1;
    TEdit* E_EthConn_Sec_DNS_IP2;
    TEdit* E_EthConn_Sec_DNS_IP3;
    TEdit* E_EthConn_Sec_DNS_IP4;

    // ---- LoRaWAN ----
    TLabel* L_LoRa_RF_Band;
    TComboBox* CB_LoRa_RF_Band;
    TLabel* L_LoRa_FrequencySubBand;
    TComboBox* CB_LoRa_FrequencySubBand;
    TLabel* L_LoRa_Network_Type;
    TComboBox* CB_LoRa_Network_Type;
    TCheckBox* CB_LoRa_Adaptive_DataRate;
    TLabel* L_LoRa_DataRate;
    TComboBox* CB_LoRa_DataRate;
    TLabel* L_LoRa_Transmission_Type;
    TComboBox* CB_LoRa_Transmission_Type;
    TLabel* L_LoRa_Payload_Size;
    TEdit* E_LoRa_Payload_Size;
    TLabel* L_LoRa_JoinEUI;
    TEdit* E_LoRa_JoinEUI;
    TLabel* L_LoRa_Activation_Method;
    TComboBox* CB_LoRa_Activation_Method;
    TLabel* L_LoRa_Device_Address;
    TEdit* E_LoRa_Device_Address;
    TLabel* L_LoRa_Network_Session_Key;
    TEdit* E_LoRa_Network_Session_Key;
    TLabel* L_LoRa_Application_Session_Key;
    TEdit* E_LoRa_Application_Session_Key;
    TLabel* L_LoRa_Application_Key;
    TEdit* E_LoRa_Application_Key;
    TLabel* L_LoRa_FPort;
    TComboBox* CB_LoRa_FPort;

    // ---- KNX ----
    TLabel* L_KNX_Type;
    TComboBox* CB_KNX_Type;
    TLabel* L_KNX_IDDevice;
    TEdit* E_KNX_IDDevice;

    // ---- Ethernet ----
    TLabel* L_Ethernet_IP;
    TEdit* E_Ethernet_IP1;
    TEdit* E_Ethernet_IP2;
    TEdit* E_Ethernet_IP3;
    TEdit* E_Ethernet_IP4;
    TLabel* L_Ethernet_SM;
    TEdit* E_Ethernet_SM1;
    TEdit* E_Ethernet_SM2;
    TEdit* E_Ethernet_SM3;
    TEdit* E_Ethernet_SM4;
    TCheckBox* CB_Ethernet_En_GAT;
    TEdit* E_Ethernet_GAT1;
    TEdit* E_Ethernet_GAT2;
    TEdit* E_Ethernet_GAT3;
    TEdit* E_Ethernet_GAT4;
    TLabel* L_Ethernet_TCP_Port;
    TEdit* E_Ethernet_TCP_Port;
    TLabel* L_Ethernet_UDP_Port;
    TEdit* E_Ethernet_UDP_Port;

    // Any control of the window by its component name (case ignored), or nullptr. The
    // family panels' controls are reached this way.
    TControl* Control(const String& Name) const;
    template <class T>
    T* Control_As(const String& Name) const { return dynamic_cast<T*>(Control(Name)); }

    // ---- texts ----
    // Applies labels, check-box captions, hints and the items of five family lists from
    // the text table. The numbered panel captions are set once, by Order_TAB_Panels.
    void Set_Lang();

    // ---- LoRaWAN radio tables ----
    // Refills the data-rate list for the band text shown and selects item 0.
    void Change_LoRa_DataRate();
    // Largest payload of the shown band and data-rate texts; 0 when they match no entry.
    uint8_t Find_Max_PayLoad();
    // Shows Find_Max_PayLoad in the payload field.
    void Set_Max_Payload_Size();

    // ---- validation: the first failing value is reported in one error box ----
    bool Controllo_Dati();

    // ---- ParGen.xml ----
    // The no-file state of the four live sections.
    void Set_ParGen_No_File();
    // Reads the file into the controls, key by key; a key that is missing or cannot be
    // shown takes its default. Raises when the file cannot be read or parsed.
    void Load_ParGen(const String& FileName);
    // Rewrites the whole file from the controls (through a temporary file).
    void Save_ParGen(const String& FileName);

    // ---- panel order and layout of the model ----
    void Order_TAB_Panels();
    void Move_GroupBoxs();

    // Section layout routines of the family's panels.
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_LoRa();
    void RePosition_Object_KNX();
    void RePosition_Object_Ethernet();
    void RePosition_Object_BACnet_Master();
    void RePosition_Object_BACnet_Slave();
    void RePosition_Object_MBus();
    void RePosition_Object_wMBus();
    void RePosition_Object_TLS_Server();
    void RePosition_Object_MQTT();
    void RePosition_Object_TLS();
    void RePosition_Object_WiFi();
    void RePosition_Object_SNMP_Agent();
    // Any section by its panel's component name ("CP_CAN"): rows, DHCP rule, height.
    void RePosition_Section(const String& Panel);

    // ---- event handlers ----
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void KeyPress(TObject* Sender, WideChar& Key);     // octet edits
    void OnKeyPress(TObject* Sender, WideChar& Key);   // LoRaWAN hexadecimal edits
    // The key filter of an edit: whether a typed Key reaches it. The octet edits keep '.'
    // for moving on to the next octet; the LoRaWAN hexadecimal edits take hexadecimal
    // digits and control keys, the blank among them. The key handlers above and the
    // reading of ParGen.xml ask this one filter.
    bool Takes_Key(TObject* Edit, WideChar Key) const;
    // Whether typing Value into the empty edit would leave it there as it stands, in the
    // edit's case: every character one the edit inserts and its key filter lets through,
    // and no more of them than its length limit.
    bool Could_Type(TEdit* Edit, const String& Value) const;
    void On_Change(TObject* Sender);
    void On_Click(TObject* Sender);

    // Lines the mouse wheel scrolls per notch (the desktop's usual setting).
    static constexpr int Wheel_Scroll_Lines = 3;
    static constexpr int Form_Client_Width = 460;

    // The selected item's text of a drop-down list ("" when none is selected).
    static String List_Text(TComboBox* List);

private:
    void Create_Frame();
    void Create_Panels();
    void Bind_Controls();
    TCategoryPanel* Panel(const String& Name) const;
    int Header_Height() const;
    void Set_Panel_Height_From(TCategoryPanel* P, TControl* Last);
    void Apply_DHCP_Rule(const String& Prefix, const char* Gateway_Box);
    // The controls of a row item: one control, or an octet group ("E_X_IP#": the four
    // edits and the "." labels between them).
    std::vector<TControl*> Item_Controls(const String& Name) const;
    void Show_Row(const char* Left, const char* Right, bool Visible);
    // Puts a row's label (or heading check box) at Y and its input controls 3 above.
    void Place_Row(const char* Left, const char* Right, int Y);
    // The next edit of an octet chain after Sender, or nullptr.
    TEdit* Next_In_Chain(TObject* Sender) const;
    // Applies one key's text to its control; false when it is an edit's text that no
    // typing could give (see Could_Type).
    bool Apply_Key_Value(int Key, const String& Value);
    void Apply_Key_Default(int Key, bool No_File);

    String FModel;
    std::map<String, TControl*> FByName;               // upper-cased name -> control
    std::map<String, std::vector<TLabel*>> FDots;      // octet group -> its "." labels
    std::set<TObject*> FRelayout_Lists;                // family lists that change the rows
    std::set<TObject*> FRelayout_Boxes;                // check boxes that change the rows
    std::map<const TObject*, bool (*)(WideChar)> FKey_Filters;   // edits that refuse keys -> their filter
};

extern TFParGen* FParGen;

// Puts the parameter window at its place in the program's window table.
void Plug_ParGen_Window();
