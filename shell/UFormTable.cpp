#include "shell/UFormTable.h"

#include <array>

#include "shell/UAbout.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

namespace {

std::array<TWindowEntry, Window_Count> Windows = {{
    {"TFDuvazaradFirmWare", "FDuvazaradFirmWare"},
    {"TFNew_Project", "FNew_Project"},
    {"TFOpenConf", "FOpenConf"},
    {"TFAbout", "FAbout"},
    {"TFSoftOptions", "FSoftOptions"},
    {"TFParGen", "FParGen"},
    {"TFBoot", "FBoot"},
    {"TFLoRa_Set_Access", "FLoRa_Set_Access"},
    {"TFBACnetAccess", "FBACnetAccess"},
    {"TFImportEDEFile", "FImportEDEFile"},
    {"TFBACnet_Eng_Unit", "FBACnet_Eng_Unit"},
    {"TFBACnetSlaveSetAccess", "FBACnetSlaveSetAccess"},
    {"TFMeter_Bus", "FMeter_Bus"},
    {"TFNewIDNode", "FNewIDNode"},
    {"TFInsertKeyWireless", "FInsertKeyWireless"},
    {"TFModbusStartAdd_SD", "FModbusStartAdd_SD"},
    {"TFScanDecode", "FScanDecode"},
    {"TFScanModbusStart", "FScanModbusStart"},
    {"TFSetAccess", "FSetAccess"},
    {"TFModbus_TCP_Master_Set_Access", "FModbus_TCP_Master_Set_Access"},
    {"TFReceiveCAN", "FReceiveCAN"},
    {"TFTransmitCAN", "FTransmitCAN"},
    {"TFSet_PDO_Access", "FSet_PDO_Access"},
    {"TFSet_SDO_Client_Access", "FSet_SDO_Client_Access"},
    {"TFSet_SDO_Server_Access", "FSet_SDO_Server_Access"},
    {"TFDefOffset", "FDefOffset"},
    {"TFDNet", "FDNet"},
    {"TFDMXDefVal", "FDMXDefVal"},
    {"TFEtherNEtIP_EDS", "FEtherNEtIP_EDS"},
    {"TFEtherNetIP_Master_Access", "FEtherNetIP_Master_Access"},
    {"TFReceiveJ1939", "FReceiveJ1939"},
    {"TFTransmitJ1939", "FTransmitJ1939"},
    {"TFKNXAccess", "FKNXAccess"},
    {"TFReceiveNMEA", "FReceiveNMEA"},
    {"TFTransmitNMEA", "FTransmitNMEA"},
    {"TFProfinetFileName", "FProfinetFileName"},
    {"TFIEC_61850_Access", "FIEC_61850_Access"},
    {"TFIEC61850_Variables", "FIEC61850_Variables"},
    {"TFTLS_Server_Known_Cert", "FTLS_Server_Known_Cert"},
    {"TFMQTT_Set_Topic", "FMQTT_Set_Topic"},
    {"TFTopicTemplate", "FTopicTemplate"},
    {"TFOPC_UA_Add_Server", "FOPC_UA_Add_Server"},
    {"TFOPC_UA_Client_Access", "FOPC_UA_Client_Access"},
    {"TFOPC_UA_Scan_Server", "FOPC_UA_Scan_Server"},
    {"TFOPC_UA_Server_Access", "FOPC_UA_Server_Access"},
    {"TFS7_Protocol_Set_Access", "FS7_Protocol_Set_Access"},
    {"TFSNMPManagerAccess", "FSNMPManagerAccess"},
    {"TFSNMP_Trap_Access", "FSNMP_Trap_Access"},
}};

// The about window has no texts of the table; the M-Bus scan window and its three small
// dialogs keep the language of the start.
constexpr std::array<const char*, Change_Language_Count> Change_Language_Order = {
    "TFDuvazaradFirmWare", "TFNew_Project", "TFOpenConf", "TFSoftOptions", "TFBoot",
    "TFParGen", "TFLoRa_Set_Access", "TFBACnetAccess", "TFImportEDEFile",
    "TFBACnetSlaveSetAccess", "TFBACnet_Eng_Unit", "TFMeter_Bus", "TFNewIDNode",
    "TFSetAccess", "TFModbus_TCP_Master_Set_Access", "TFReceiveCAN", "TFTransmitCAN",
    "TFSet_PDO_Access", "TFSet_SDO_Client_Access", "TFSet_SDO_Server_Access", "TFDNet",
    "TFDefOffset", "TFDMXDefVal", "TFEtherNetIP_Master_Access", "TFEtherNEtIP_EDS",
    "TFReceiveJ1939", "TFTransmitJ1939", "TFKNXAccess", "TFReceiveNMEA", "TFTransmitNMEA",
    "TFIEC_61850_Access", "TFProfinetFileName", "TFTLS_Server_Known_Cert",
    "TFIEC61850_Variables", "TFMQTT_Set_Topic", "TFTopicTemplate", "TFOPC_UA_Client_Access",
    "TFOPC_UA_Add_Server", "TFOPC_UA_Scan_Server", "TFOPC_UA_Server_Access",
    "TFS7_Protocol_Set_Access", "TFSNMPManagerAccess", "TFSNMP_Trap_Access",
};

// A window freed elsewhere (the application frees every form at the end of its run)
// leaves the table here.
void Drop_If_Gone(TWindowEntry& e)
{
    if (!e.Instance) return;
    for (TForm* f : Application->Forms())
        if (f == e.Instance) return;
    e.Instance = nullptr;
    if (e.Forget) e.Forget();
}

}  // namespace

TWindowEntry& Window_Entry(int Index)
{
    return Windows.at(size_t(Index));
}

int Window_Index(const String& ClassName)
{
    for (int i = 0; i < Window_Count; ++i)
        if (ClassName == Windows[size_t(i)].ClassName) return i;
    return -1;
}

const char* Change_Language_Class(int Index)
{
    return Change_Language_Order.at(size_t(Index));
}

void Plug_Window_Entry(const String& ClassName, std::function<TForm*()> Create,
                       std::function<void()> Forget, std::function<void()> Set_Lang)
{
    const int i = Window_Index(ClassName);
    if (i < 0) throw EInvalidArgument("No window of the program is called " + ClassName);
    TWindowEntry& e = Windows[size_t(i)];
    e.Create = std::move(Create);
    e.Forget = std::move(Forget);
    e.Set_Lang = std::move(Set_Lang);
}

void Plug_Shell_Windows()
{
    Plug_Window("TFDuvazaradFirmWare", FDuvazaradFirmWare);
    Plug_Window("TFNew_Project", FNew_Project);
    Plug_Window("TFOpenConf", FOpenConf);
    Plug_Window("TFAbout", FAbout);
    Plug_Window("TFSoftOptions", FSoftOptions);
}

void Create_Windows()
{
    for (TWindowEntry& e : Windows) {
        Drop_If_Gone(e);
        if (e.Create && !e.Instance) e.Instance = e.Create();
    }
}

void Free_Windows()
{
    for (auto it = Windows.rbegin(); it != Windows.rend(); ++it) {
        TWindowEntry& e = *it;
        Drop_If_Gone(e);
        if (!e.Instance) continue;
        TForm* form = e.Instance;
        e.Instance = nullptr;
        if (Application->MainForm() == form) Application->SetMainForm(nullptr);
        form->Free();
        if (e.Forget) e.Forget();
    }
}

TForm* Find_Window(const String& ClassName)
{
    const int i = Window_Index(ClassName);
    if (i < 0) return nullptr;
    Drop_If_Gone(Windows[size_t(i)]);
    return Windows[size_t(i)].Instance;
}

TModalResult Show_Window_Modal(const String& ClassName)
{
    TForm* form = Find_Window(ClassName);
    return form ? form->ShowModal() : mrNone;
}

void Set_Lang_Of_Windows()
{
    for (const char* name : Change_Language_Order) {
        const int i = Window_Index(name);
        TWindowEntry& e = Windows[size_t(i)];
        Drop_If_Gone(e);
        if (e.Instance && e.Set_Lang) e.Set_Lang();
    }
}
