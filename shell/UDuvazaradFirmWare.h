#pragma once
// The main window: a column of numbered steps, each a label with its buttons, the title
// panel with the software code, the box naming the open configuration, and the links to
// the maker's site and to a newer version. Every button goes through Btn_Click.
//
// Its creation builds the process-wide state (folders, settings, texts, file paths) that
// every other window reads, so it is the first window the start creates.
#include <cstdint>
#include <functional>

#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/net/HttpClient.h"
#include "platform/xml/XMLDoc.h"
#include "shell/LbButton.h"

// Colours of the program's windows.
constexpr TColor Window_Color = 15595512;        // background and button faces
constexpr TColor Button_Down_Color = 33023;      // face of a held button

// The program's own version, as the version service compares it.
extern const char* const Program_Version;

// When not empty, the main window's creation takes this folder as the program folder
// (Exe_Path) instead of the program file's. Tests give each case a folder of its own.
extern String Program_Folder_Override;

// The work of steps whose code lives in other parts of the program. The part that brings
// it sets the hook; while a hook is empty its step does nothing.
struct TMain_Window_Steps {
    std::function<void()> Update_Device;
    std::function<void(const String& FileName)> Create_EDE_File;
    std::function<void(const String& FileName)> Build_CANopen_EDS;
    std::function<void()> Create_GSD_File;
    std::function<void(const String& Name)> Create_GSDML_File;
    // The GSDML file name composed by the PROFINET file name dialog (its Name_File_XML).
    std::function<String()> Profinet_Name_File_XML;
    std::function<void()> Create_MIB_File;
    // Hands the M-Bus scan window what it scans with, before it is shown.
    std::function<void(int32_t XML_Code_Dev, const String& FileName_MBus, int32_t Form_Type)> Prepare_Scan;
};
extern TMain_Window_Steps Main_Window_Steps;

// Opens a web address or a file with the desktop's default program.
void Shell_Open(const String& Target);

class TFDuvazaradFirmWare : public TForm {
public:
    explicit TFDuvazaradFirmWare(TComponent* AOwner);
    ~TFDuvazaradFirmWare() override;

    // ---- title panel ----
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLinkLabel* LL_Update;
    TLbButton* Btn_Info;
    TLbButton* Btn_Opz;
    TLbButton* Btn_Close;
    // ---- configuration line ----
    TLabel* L_Begin;
    TShape* Shape2;
    TLabel* L_Name_Conf;
    TLabel* L_Name_Conf_L2;
    // ---- steps ----
    TLabel* L_Step_1;
    TLabel* L_Step_2;
    TLabel* L_Step_3;
    TLabel* L_Step_4;
    TLabel* L_Step_5;
    TLabel* L_Step_6;
    TLabel* L_Step_7;
    TLabel* L_Step_8;
    TLbButton* Btn_New;
    TLbButton* Btn_Open;
    TLbButton* Btn_Prm_Gen;
    TLbButton* Btn_LoRaWAN_Access;
    TLbButton* Btn_KNX_Access;
    TLbButton* Btn_CreateBin;
    TShape* Shape1;
    TLabel* L_Zodudo;
    // ---- buttons of the other models: they exist hidden ----
    TLbButton* Btn_BACnet_SetAccess;
    TLbButton* Btn_BACnet_EDE_File;
    TLbButton* Btn_MBus;
    TLbButton* Btn_ScanDecode;
    TLbButton* Btn_Modbus_Set_Access;
    TLbButton* Btn_CAN_Rec_Frame;
    TLbButton* Btn_CAN_Send_Frame;
    TLbButton* Btn_SDO_Server_CANopen;
    TLbButton* Btn_SDO_Client_CANopen;
    TLbButton* Btn_PDO_CANopen;
    TLbButton* Btn_CANopen_EDS;
    TLbButton* Btn_DNet_Net;
    TLbButton* Btn_DNet_Offset;
    TLbButton* Btn_DMX_Default;
    TLbButton* Btn_EtherNetIP_Access;
    TLbButton* Btn_PROFIBUS_GSD;
    TLbButton* Btn_PROFINET_XML;
    TLbButton* Btn_IEC61850_Client;
    TLbButton* Btn_IEC61850_Access;
    TLbButton* Btn_TLS_List_Certificates;
    TLbButton* Btn_MQTT_Set_Topic;
    TLbButton* Btn_OPC_UA_Client_Access;
    TLbButton* Btn_OPC_UA_Server_Access;
    TLbButton* Btn_S7_Protocol_Access;
    TLbButton* Btn_SNMP_Manager_Access;
    TLbButton* Btn_SNMP_Trap;
    TLbButton* Btn_SNMP_MIB;
    // ---- non-visual ----
    TTimer* Timer_Update;
    TXMLDocument XML1;   // the settings file; other parts load their files through it too
    THttpClient HTTP1;   // the version check
    TSaveDialog* SD1;
    TSaveDialog* SaveEDS;
    TSaveDialog* SaveMIB;

    // The one click handler of every button.
    void Btn_Click(TObject* Sender);
    // Applies the window's texts from the text table.
    void Set_Lang();
    // Applies the texts of every window again after the language changed.
    void Change_Language();

    void Create_New_Project();
    void Open_Project();
    // Writes the settings file from the workspace state; EInOutError when it cannot.
    void Save_Setting();
    // Sets the path of every configuration file from Project_Path.
    void Set_Files();
    void Update_Device();
    // Starts the program file NomeSW with the command-line arguments Parameter, in a
    // normal window for tipo 0 and hidden otherwise, and waits, without handling window
    // messages, until it ends or Start_Program_Limit_Ms pass; a program still running
    // then is left running on its own. Its exit code is not looked at. A program that
    // cannot be started raises EOSError naming it and the reason.
    static void Start_Program(const String& NomeSW, const String& Parameter, int tipo);
    // How long Start_Program waits for a started program, in ms (150 s; tests shorten it).
    static inline uint32_t Start_Program_Limit_Ms = 150000;

    void BACnet_EDE_File();
    void Build_EDS_File();
    void PROFINET_XML();
    // BACnet_Type of the configuration's ParGen.xml; 0 when the file, the key or a number is missing.
    int Get_Type_BACnet();

    void Timer_UpdateTimer(TObject* Sender);
    void LL_UpdateLinkClick(TObject* Sender, const String& Link, TSysLinkType LinkType);
    void L_ZodudoClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // The configuration box: text 11 and the name when one is open, else texts 9 and 10.
    void Show_Configuration_Line();

private:
    void FormCreate(TObject* Sender);
    void Lay_Out();
    void Read_Setting();
    TLbButton* Make_Button(const String& Name, int Left, int Top, int Width, int Height,
                           TLbButtonStyle Style, TColor HotColor);
    TLabel* Make_Label(const String& Name, int Left, int Top, bool Bold);
    void Scan_Launch();
};

extern TFDuvazaradFirmWare* FDuvazaradFirmWare;

// The workspace state's settings from the settings file at Exe_Path (defaults when it is
// missing or cannot be read as XML).
void Read_Settings_File(TXMLDocument& Doc);
// Writes the settings file at Exe_Path; EInOutError (or EXmlError) when it cannot.
void Write_Settings_File(TXMLDocument& Doc);
