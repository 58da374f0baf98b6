#include "shell/UDuvazaradFirmWare.h"

#include "platform/os/Files.h"
#include "platform/os/Process.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/UNew_Project.h"
#include "shell/ULanguage.h"
#include "shell/UPictures.h"
#include "shell/USoftOptions.h"
#include "shell/UWindowParts.h"

TFDuvazaradFirmWare* FDuvazaradFirmWare = nullptr;
TMain_Window_Steps Main_Window_Steps;
const char* const Program_Version = "1.002";
String Program_Folder_Override;

void Shell_Open(const String& Target)
{
    // The desktop's opener runs on its own; nobody waits for it.
    TProcess opener;
    if (opener.Start("xdg-open", {Target})) opener.Abandon();
}

namespace {
constexpr unsigned First_Check_Interval = 60000;      // first version check after the start
constexpr unsigned Next_Check_Interval = 7200000;     // then every two hours
}  // namespace

TFDuvazaradFirmWare::TFDuvazaradFirmWare(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FDuvazaradFirmWare");
    SetBorderStyle(bsSingle);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetColor(Window_Color);
    Font()->SetName("Verdana");
    Font()->SetSize(8);
    SetShowHint(true);

    L_SW_Code = Make_Label("L_SW_Code", 16, 8, false);
    L_SW_Code->Font()->SetSize(24);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Desc = Make_Label("L_SW_Desc", 16, 42, true);
    LL_Update = new TLinkLabel(this);
    LL_Update->SetName("LL_Update");
    LL_Update->SetParent(this);
    LL_Update->SetLeft(208);
    LL_Update->SetTop(19);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [this](TObject* s, const String& link, TSysLinkType t) { LL_UpdateLinkClick(s, link, t); };

    Btn_Info = Make_Button("Btn_Info", 516, 8, 50, 50, bsNormal, clYellow);
    Btn_Opz = Make_Button("Btn_Opz", 574, 8, 50, 50, bsNormal, clYellow);
    Btn_Close = Make_Button("Btn_Close", 632, 8, 50, 50, bsNormal, clYellow);

    L_Begin = Make_Label("L_Begin", 16, 84, true);
    Shape2 = Make_Control<TShape>(this, this, "Shape2", 80, 70, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(bsClear);
    L_Name_Conf = Make_Label("L_Name_Conf", 87, 75, false);
    L_Name_Conf_L2 = Make_Label("L_Name_Conf_L2", 87, 88, false);

    L_Step_1 = Make_Label("L_Step_1", 16, 128, true);
    L_Step_2 = Make_Label("L_Step_2", 16, 172, true);
    L_Step_3 = Make_Label("L_Step_3", 16, 216, true);
    L_Step_4 = Make_Label("L_Step_4", 16, 260, true);
    L_Step_5 = Make_Label("L_Step_5", 16, 304, true);
    L_Step_6 = Make_Label("L_Step_6", 16, 348, true);
    L_Step_7 = Make_Label("L_Step_7", 16, 392, true);
    L_Step_8 = Make_Label("L_Step_8", 16, 436, true);

    Btn_New = Make_Button("Btn_New", 80, 112, 170, 36, bsEncarta, clSkyBlue);
    Btn_Open = Make_Button("Btn_Open", 258, 112, 170, 36, bsEncarta, clSkyBlue);
    Btn_Prm_Gen = Make_Button("Btn_Prm_Gen", 80, 156, 170, 36, bsNormal, clYellow);
    Btn_LoRaWAN_Access = Make_Button("Btn_LoRaWAN_Access", 80, 200, 170, 36, bsEncarta, clYellow);
    Btn_KNX_Access = Make_Button("Btn_KNX_Access", 80, 244, 170, 36, bsEncarta, clYellow);
    Btn_CreateBin = Make_Button("Btn_CreateBin", 80, 288, 170, 36, bsEncarta, clSkyBlue);

    Shape1 = new TShape(this);
    Shape1->SetName("Shape1");
    Shape1->SetParent(this);
    Shape1->Pen()->SetColor(clSilver);

    L_Zodudo = Make_Label("L_Zodudo", 565, 304, true);
    L_Zodudo->SetCursor(crHandPoint);
    L_Zodudo->SetCaption(Maker_Web_Address);
    L_Zodudo->OnClick = [this](TObject* s) { L_ZodudoClick(s); };

    // The buttons of the family's other models: the same look, never shown in this build.
    auto hidden = [this](const String& name) {
        TLbButton* b = Make_Button(name, 80, 112, 170, 36, bsEncarta, clYellow);
        b->SetVisible(false);
        return b;
    };
    Btn_BACnet_SetAccess = hidden("Btn_BACnet_SetAccess");
    Btn_BACnet_EDE_File = hidden("Btn_BACnet_EDE_File");
    Btn_BACnet_EDE_File->SetCaption("BACnet EDE File");
    Btn_MBus = hidden("Btn_MBus");
    Btn_ScanDecode = hidden("Btn_ScanDecode");
    Btn_Modbus_Set_Access = hidden("Btn_Modbus_Set_Access");
    Btn_CAN_Rec_Frame = hidden("Btn_CAN_Rec_Frame");
    Btn_CAN_Send_Frame = hidden("Btn_CAN_Send_Frame");
    Btn_SDO_Server_CANopen = hidden("Btn_SDO_Server_CANopen");
    Btn_SDO_Client_CANopen = hidden("Btn_SDO_Client_CANopen");
    Btn_PDO_CANopen = hidden("Btn_PDO_CANopen");
    Btn_CANopen_EDS = hidden("Btn_CANopen_EDS");
    Btn_DNet_Net = hidden("Btn_DNet_Net");
    Btn_DNet_Offset = hidden("Btn_DNet_Offset");
    Btn_DMX_Default = hidden("Btn_DMX_Default");
    Btn_EtherNetIP_Access = hidden("Btn_EtherNetIP_Access");
    Btn_PROFIBUS_GSD = hidden("Btn_PROFIBUS_GSD");
    Btn_PROFINET_XML = hidden("Btn_PROFINET_XML");
    Btn_IEC61850_Client = hidden("Btn_IEC61850_Client");
    Btn_IEC61850_Access = hidden("Btn_IEC61850_Access");
    Btn_TLS_List_Certificates = hidden("Btn_TLS_List_Certificates");
    Btn_MQTT_Set_Topic = hidden("Btn_MQTT_Set_Topic");
    Btn_OPC_UA_Client_Access = hidden("Btn_OPC_UA_Client_Access");
    Btn_OPC_UA_Server_Access = hidden("Btn_OPC_UA_Server_Access");
    Btn_S7_Protocol_Access = hidden("Btn_S7_Protocol_Access");
    Btn_SNMP_Manager_Access = hidden("Btn_SNMP_Manager_Access");
    Btn_SNMP_Trap = hidden("Btn_SNMP_Trap");
    Btn_SNMP_MIB = hidden("Btn_SNMP_MIB");

    // Pictures: picture only on the title buttons, picture and caption on the steps.
    Set_Button_Picture(Btn_Info, bpInfo);
    Set_Button_Picture(Btn_Opz, bpOptions);
    Set_Button_Picture(Btn_Close, bpClose);
    Set_Button_Picture(Btn_New, bpNew);
    Set_Button_Picture(Btn_Open, bpOpen);
    Set_Button_Picture(Btn_Prm_Gen, bpParameters);
    Set_Button_Picture(Btn_LoRaWAN_Access, bpRadio);
    Set_Button_Picture(Btn_KNX_Access, bpBus);
    Set_Button_Picture(Btn_CreateBin, bpUpdate);
    for (TLbButton* b : {Btn_BACnet_SetAccess, Btn_BACnet_EDE_File, Btn_MBus, Btn_ScanDecode,
                         Btn_Modbus_Set_Access, Btn_CAN_Rec_Frame, Btn_CAN_Send_Frame,
                         Btn_SDO_Server_CANopen, Btn_SDO_Client_CANopen, Btn_PDO_CANopen,
                         Btn_CANopen_EDS, Btn_DNet_Net, Btn_DNet_Offset, Btn_DMX_Default,
                         Btn_EtherNetIP_Access, Btn_PROFIBUS_GSD, Btn_PROFINET_XML,
                         Btn_IEC61850_Client, Btn_IEC61850_Access, Btn_TLS_List_Certificates,
                         Btn_MQTT_Set_Topic, Btn_OPC_UA_Client_Access, Btn_OPC_UA_Server_Access,
                         Btn_S7_Protocol_Access, Btn_SNMP_Manager_Access, Btn_SNMP_Trap, Btn_SNMP_MIB})
        Set_Button_Picture(b, bpTable);

    Timer_Update = new TTimer(this);
    Timer_Update->SetName("Timer_Update");
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(First_Check_Interval);
    Timer_Update->OnTimer = [this](TObject* s) { Timer_UpdateTimer(s); };

    HTTP1.Headers = Version_Request_Headers;

    SD1 = new TSaveDialog(this);
    SD1->SetName("SD1");
    SD1->SetFilter("CSV (MS-DOS) (*.csv)|*.csv");
    SaveEDS = new TSaveDialog(this);
    SaveEDS->SetName("SaveEDS");
    SaveEDS->SetFilter("Electronic Data Sheet (*.eds)|*.eds");
    SaveEDS->SetDefaultExt("*.eds");
    SaveMIB = new TSaveDialog(this);
    SaveMIB->SetName("SaveMIB");
    SaveMIB->SetFilter("Management Information Base (*.mib)|*.mib");
    SaveMIB->SetDefaultExt("*.mib");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TFDuvazaradFirmWare::~TFDuvazaradFirmWare()
{
    if (FDuvazaradFirmWare == this) FDuvazaradFirmWare = nullptr;
}

TLabel* TFDuvazaradFirmWare::Make_Label(const String& Name, int Left, int Top, bool Bold)
{
    TLabel* l = new TLabel(this);
    l->SetName(Name);
    l->SetParent(this);
    l->SetLeft(Left);
    l->SetTop(Top);
    l->SetCaption("");
    if (Bold) {
        l->Font()->SetColor(clGray);
        l->Font()->SetStyle(TFontStyles{fsBold});
    }
    return l;
}

TLbButton* TFDuvazaradFirmWare::Make_Button(const String& Name, int Left, int Top, int Width, int Height,
                                            TLbButtonStyle Style, TColor HotColor)
{
    TLbButton* b = Make_Push_Button(this, Name, Style, HotColor);
    b->SetParent(this);
    b->SetBounds(Left, Top, Width, Height);
    b->OnClick = [this](TObject* s) { Btn_Click(s); };
    return b;
}

// ---------------------------------------------------------------------------------
// Creation: the state every other window reads is made here.
// ---------------------------------------------------------------------------------
void TFDuvazaradFirmWare::FormCreate(TObject*)
{
    // 1. The text table, empty until the texts are loaded.
    Lang_Strings.Clear();
    // 2. Steps and window size.
    Lay_Out();
    // 3. The folders beside the program; one that cannot be made is the concern of
    //    whatever later uses it.
    Exe_Path = ExcludeTrailingPathDelimiter(Program_Folder_Override.empty() ? ProgramFolder() : Program_Folder_Override);
    Master_Path = PathJoin(Exe_Path, "MASTER");
    Projects_Path = PathJoin(Exe_Path, "PROJECTS");
    Language_Path = PathJoin(Exe_Path, "LANGUAGE");
    for (const String& dir : {Master_Path, Projects_Path, Language_Path})
        if (!DirectoryExists(dir)) CreateDir(dir);
    // 4.
    Project_Name.clear();
    Update_Option_Read_Back = true;
    // 5. The settings file.
    Read_Setting();
    // 6. The periodic version check needs both options.
    Timer_Update->SetInterval(First_Check_Interval);
    Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
    // 7. Title, code and description.
    Main_Form_Caption = "Zodudo - Configurator RO41R08 KNX / LoRaWAN ";
    SW_Code = Const_SW_Code;
    SW_Desc = Const_SW_Desc;
    SetCaption(Main_Form_Caption);
    L_SW_Code->SetCaption(SW_Code);
    L_SW_Desc->SetCaption(SW_Desc);
    // 8. The texts of the selected language.
    Load_Language();
    // 9. The last configuration opens only while its folder is there; its name stays
    //    for the settings file either way.
    if (Valid_Configuration_Name(Project_Name) && DirectoryExists(PathJoin(Projects_Path, Project_Name)))
        Project_Path = PathJoin(Projects_Path, Project_Name);
    else
        Project_Path.clear();
    // 10. The lists of found meters.
    for (TSlaveList* list : {&List_Slave_MBus, &List_Slave_wMBus}) {
        std::lock_guard<std::mutex> lock(list->Lock);
        list->Items.clear();
    }
    // 11. Texts (the configuration box included).
    Set_Lang();
    // 12. Paths of the configuration files.
    Set_Files();
    // 13. The row clipboard and the MIB name lists.
    Copy_Row_Buffer.Clear();
    Copy_Row_Is_Check.clear();
    MIB_Read_Names.Clear();
    MIB_Write_Names.Clear();
}

void TFDuvazaradFirmWare::Lay_Out()
{
    for (TLabel* l : {L_SW_Code, L_SW_Desc, L_Begin, L_Name_Conf, L_Name_Conf_L2}) l->SetVisible(true);
    for (TLbButton* b : {Btn_Info, Btn_Opz, Btn_Close}) b->SetVisible(true);
    Shape2->SetVisible(true);
    for (TLabel* l : {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8})
        l->SetVisible(false);
    L_Zodudo->SetVisible(false);
    for (TLbButton* b : {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_CreateBin}) b->SetVisible(true);
    for (TLbButton* b : {Btn_LoRaWAN_Access, Btn_KNX_Access}) b->SetVisible(false);

    // This build: five steps.
    for (TLabel* l : {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5}) l->SetVisible(true);
    L_Zodudo->SetTop(L_Step_5->Top());
    L_Zodudo->SetVisible(true);
    Btn_LoRaWAN_Access->SetBounds(80, 200, 170, 36);
    Btn_LoRaWAN_Access->SetVisible(true);
    Btn_KNX_Access->SetBounds(80, 244, 170, 36);
    Btn_KNX_Access->SetVisible(true);
    Btn_CreateBin->SetTop(288);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    Shape1->SetVisible(true);
    SetClientWidth(694);
    SetClientHeight(Btn_CreateBin->Top() + 152);
}

// ---------------------------------------------------------------------------------
// Texts
// ---------------------------------------------------------------------------------
void TFDuvazaradFirmWare::Set_Lang()
{
    const auto T = Lang_Text;
    L_Begin->SetCaption(T(0));
    TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
    for (int i = 0; i < 8; ++i) steps[i]->SetCaption(T(i + 1));
    Btn_Info->SetHint(T(12));
    Btn_Opz->SetHint(T(13));
    Btn_Close->SetHint(T(14));
    struct { TLbButton* Button; int Caption; int Hint; } const buttons[] = {
        {Btn_New, 15, 22}, {Btn_Open, 16, 23}, {Btn_CreateBin, 17, 26}, {Btn_Prm_Gen, 20, 24},
        {Btn_LoRaWAN_Access, 21, 25}, {Btn_BACnet_SetAccess, 27, 29}, {Btn_MBus, 31, 32},
        {Btn_ScanDecode, 33, 34}, {Btn_Modbus_Set_Access, 36, 37}, {Btn_CAN_Rec_Frame, 38, 39},
        {Btn_CAN_Send_Frame, 40, 41}, {Btn_SDO_Server_CANopen, 46, 47},
        {Btn_SDO_Client_CANopen, 48, 49}, {Btn_PDO_CANopen, 50, 51}, {Btn_CANopen_EDS, 52, 53},
        {Btn_DNet_Net, 54, 55}, {Btn_DNet_Offset, 56, 57}, {Btn_DMX_Default, 58, 59},
        {Btn_EtherNetIP_Access, 60, 61}, {Btn_PROFIBUS_GSD, 62, 63}, {Btn_PROFINET_XML, 64, 65},
        {Btn_IEC61850_Client, 66, 67}, {Btn_IEC61850_Access, 68, 69},
        {Btn_TLS_List_Certificates, 70, 71}, {Btn_MQTT_Set_Topic, 72, 73},
        {Btn_OPC_UA_Client_Access, 74, 75}, {Btn_OPC_UA_Server_Access, 76, 77},
        {Btn_S7_Protocol_Access, 78, 79}, {Btn_SNMP_Manager_Access, 80, 81},
        {Btn_SNMP_Trap, 82, 83}, {Btn_SNMP_MIB, 84, 85},
    };
    for (const auto& b : buttons) {
        b.Button->SetCaption(T(b.Caption));
        b.Button->SetHint(T(b.Hint));
    }
    // The KNX step is named the same in every language.
    Btn_KNX_Access->SetCaption("KNX Access");
    Show_Configuration_Line();
}

void TFDuvazaradFirmWare::Show_Configuration_Line()
{
    if (!Project_Path.empty()) {
        L_Name_Conf->SetCaption(Lang_Text(11));
        L_Name_Conf_L2->SetCaption(Project_Name);
    } else {
        L_Name_Conf->SetCaption(Lang_Text(9));
        L_Name_Conf_L2->SetCaption(Lang_Text(10));
    }
}

void TFDuvazaradFirmWare::Change_Language()
{
    Set_Lang_Of_Windows();
}

// ---------------------------------------------------------------------------------
// The buttons
// ---------------------------------------------------------------------------------
void TFDuvazaradFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) { Create_New_Project(); return; }
    if (Sender == Btn_Open) { Open_Project(); return; }
    if (Sender == Btn_Close) { Close(); return; }
    if (Sender == Btn_Info) { Show_Window_Modal("TFAbout"); return; }
    if (Sender == Btn_Opz) {
        if (Show_Window_Modal("TFSoftOptions") == mrOk) {
            Save_Setting();
            Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
        }
        return;
    }

    // Every further step works on the open configuration.
    if (Project_Path.empty()) {
        MessageDlg(Lang_Text(18), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }

    struct { TLbButton* Button; const char* Window; } const editors[] = {
        {Btn_Prm_Gen, "TFParGen"},
        {Btn_LoRaWAN_Access, "TFLoRa_Set_Access"},
        {Btn_BACnet_SetAccess, "TFBACnetAccess"},
        {nullptr, nullptr},   // Btn_BACnet_EDE_File
        {Btn_MBus, "TFMeter_Bus"},
        {Btn_Modbus_Set_Access, "TFModbus_TCP_Master_Set_Access"},
        {Btn_CAN_Rec_Frame, "TFReceiveCAN"},
        {Btn_CAN_Send_Frame, "TFTransmitCAN"},
        {Btn_PDO_CANopen, "TFSet_PDO_Access"},
        {Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access"},
        {Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access"},
        {nullptr, nullptr},   // Btn_CANopen_EDS
        {Btn_DNet_Net, "TFDNet"},
        {Btn_DNet_Offset, "TFDefOffset"},
        {Btn_DMX_Default, "TFDMXDefVal"},
        {Btn_EtherNetIP_Access, "TFEtherNetIP_Master_Access"},
        {Btn_KNX_Access, "TFKNXAccess"},
        {nullptr, nullptr},   // Btn_PROFIBUS_GSD, Btn_PROFINET_XML
        {Btn_IEC61850_Client, "TFIEC_61850_Access"},
        {Btn_TLS_List_Certificates, "TFTLS_Server_Known_Cert"},
        {Btn_IEC61850_Access, "TFIEC61850_Variables"},
        {Btn_MQTT_Set_Topic, "TFMQTT_Set_Topic"},
        {Btn_OPC_UA_Client_Access, "TFOPC_UA_Client_Access"},
        {Btn_OPC_UA_Server_Access, "TFOPC_UA_Server_Access"},
        {Btn_S7_Protocol_Access, "TFS7_Protocol_Set_Access"},
        {Btn_SNMP_Manager_Access, "TFSNMPManagerAccess"},
        {Btn_SNMP_Trap, "TFSNMP_Trap_Access"},
    };
    for (const auto& e : editors)
        if (e.Button && Sender == e.Button) {
            // The editor reads its file when shown and writes it on OK.
            Show_Window_Modal(e.Window);
            return;
        }

    if (Sender == Btn_BACnet_EDE_File) { BACnet_EDE_File(); return; }
    if (Sender == Btn_CANopen_EDS) { Build_EDS_File(); return; }
    if (Sender == Btn_PROFIBUS_GSD) {
        if (Main_Window_Steps.Create_GSD_File) Main_Window_Steps.Create_GSD_File();
        return;
    }
    if (Sender == Btn_PROFINET_XML) { PROFINET_XML(); return; }
    if (Sender == Btn_SNMP_MIB) {
        if (Main_Window_Steps.Create_MIB_File) Main_Window_Steps.Create_MIB_File();
        return;
    }
    if (Sender == Btn_CreateBin) { Update_Device(); return; }
    if (Sender == Btn_ScanDecode) { Scan_Launch(); return; }
}

void TFDuvazaradFirmWare::Update_Device()
{
    if (Main_Window_Steps.Update_Device) Main_Window_Steps.Update_Device();
}

void TFDuvazaradFirmWare::Scan_Launch()
{
    if (!Find_Window("TFScanDecode")) return;
    if (FileExists(FileName_M_Bus) &&
        MessageDlg(Lang_Text(35), mtWarning, mbYesNo, 0) != mrYes)
        return;
    if (Main_Window_Steps.Prepare_Scan)
        Main_Window_Steps.Prepare_Scan(Get_XML_Code_Dev(), FileName_M_Bus, Get_Scan_Form_Type());
    Show_Window_Modal("TFScanDecode");
}

void TFDuvazaradFirmWare::BACnet_EDE_File()
{
    if (!Main_Window_Steps.Create_EDE_File) return;
    SD1->SetInitialDir(Project_Path);
    if (!SD1->Execute()) return;
    String name = SD1->FileName();
    if (UpperCase(Copy(name, int(name.size()) - 3, 4)) != ".CSV") name += ".csv";
    if (FileExists(name) &&
        MessageDlg(Lang_Text(1105), mtConfirmation, mbYesNoCancel, 0) != mrYes)
        return;
    Main_Window_Steps.Create_EDE_File(name);
}

void TFDuvazaradFirmWare::Build_EDS_File()
{
    if (!Main_Window_Steps.Build_CANopen_EDS) return;
    SaveEDS->SetInitialDir(Project_Path);
    if (SaveEDS->Execute()) Main_Window_Steps.Build_CANopen_EDS(SaveEDS->FileName());
}

void TFDuvazaradFirmWare::PROFINET_XML()
{
    if (!Find_Window("TFProfinetFileName")) return;
    if (Show_Window_Modal("TFProfinetFileName") != mrOk) return;
    if (Main_Window_Steps.Create_GSDML_File && Main_Window_Steps.Profinet_Name_File_XML)
        Main_Window_Steps.Create_GSDML_File(Main_Window_Steps.Profinet_Name_File_XML());
}

int TFDuvazaradFirmWare::Get_Type_BACnet()
{
    if (!FileExists(FileName_ParGen)) return 0;
    try {
        XML1.LoadFromFile(FileName_ParGen);
        return StrToIntDef(Trim(XML1.DocumentElement().ChildNode("BACnet_Type").Text()), 0);
    } catch (const Exception&) {
        return 0;
    }
}

// ---------------------------------------------------------------------------------
// Version check, links, closing
// ---------------------------------------------------------------------------------
void TFDuvazaradFirmWare::Timer_UpdateTimer(TObject*)
{
    Timer_Update->SetEnabled(false);
    const bool newer = FSoftOptions && FSoftOptions->Check_Version();
    if (newer) LL_Update->SetCaption("<a href=\"" + Download_Page() + "\">" + Lang_Text(19) + "</a>");
    LL_Update->SetVisible(newer);
    Timer_Update->SetInterval(Next_Check_Interval);
    Timer_Update->SetEnabled(true);
}

void TFDuvazaradFirmWare::LL_UpdateLinkClick(TObject*, const String& Link, TSysLinkType)
{
    Shell_Open(Link);
}

void TFDuvazaradFirmWare::L_ZodudoClick(TObject*)
{
    Shell_Open(Maker_Home_Page());
}

void TFDuvazaradFirmWare::FormClose(TObject*, TCloseAction&)
{
    // A settings file that cannot be written is told to the user; the program still ends.
    try {
        Save_Setting();
    } catch (const std::exception& E) {
        Application->ShowException(E);
    }
}

void TFDuvazaradFirmWare::Start_Program(const String& NomeSW, const String& Parameter, int tipo)
{
    TProcess Process;
    if (!Process.Start(NomeSW, SplitCommandLine(Parameter), tipo != 0))
        throw EOSError(Process.LastError());
    // A program still running at the limit is abandoned by the process object: it goes
    // on by itself and is reaped when it ends.
    Process.WaitFor(Start_Program_Limit_Ms);
}
