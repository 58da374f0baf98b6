#include "devdesc/gsdml/UProfinetXML.h"

#include <utility>
#include <vector>

#include "devdesc/UDevDescFile.h"
#include "devdesc/UMaker.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

int GSDML_Input_Len = 1438;
int GSDML_Output_Len = 1438;
String GSDML_Station_Name = "SERIAL";

namespace {

using TAttrs = std::vector<std::pair<const char*, String>>;

// A value taken from the configuration must stay a value: "<", "&" or a quote in a
// station name would otherwise end the attribute or break the document.
String Escaped(const String& v)
{
    String r;
    r.reserve(v.size());
    for (char c : v) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&apos;"; break;
        // Line breaks and tabs as references: a reader would turn them into blanks.
        case '\t': r += "&#9;"; break;
        case '\n': r += "&#10;"; break;
        case '\r': r += "&#13;"; break;
        // Other control characters cannot stand in an XML document at all.
        default: r += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
    }
    return r;
}

class TOutline {
public:
    std::vector<String> L;

    void Open(const char* Name, const TAttrs& A = {}) { L.push_back(Pad() + "<" + Name + Attrs(A) + ">"); ++Depth; }
    void Close(const char* Name)
    {
        --Depth;
        L.push_back(Pad() + "</" + Name + ">");
    }
    void Empty(const char* Name, const TAttrs& A) { L.push_back(Pad() + "<" + Name + Attrs(A) + "/>"); }
    void Text(const char* Name, const char* T) { L.push_back(Pad() + "<" + Name + ">" + T + "</" + Name + ">"); }
    void Comment(const char* T) { L.push_back(Pad() + "<!--" + T + "-->"); }
    // An element holding one empty element, on one line.
    void Holding(const char* Name, const char* Inner, const TAttrs& A)
    {
        L.push_back(Pad() + "<" + Name + "><" + Inner + Attrs(A) + "/></" + Name + ">");
    }

private:
    String Pad() const { return String(size_t(Depth), '\t'); }
    static String Attrs(const TAttrs& A)
    {
        String s;
        for (const auto& [n, v] : A) s += String(" ") + n + "=\"" + Escaped(v) + "\"";
        return s;
    }
    int Depth = 0;
};

String Hex_Id(unsigned v) { return "0x" + IntToHex(v, 4); }

void Module_Info_Texts(TOutline& o, const char* Name_Id, const char* Info_Id)
{
    o.Empty("Name", {{"TextId", Name_Id}});
    o.Empty("InfoText", {{"TextId", Info_Id}});
}

void Device_Access_Point(TOutline& o)
{
    const String& S = GSDML_Station_Name;
    o.Open("DeviceAccessPointList");
    o.Open("DeviceAccessPointItem",
           {{"PNIO_Version", "V2.3"}, {"RequiredSchemaVersion", "V2.25"}, {"ID", "IDD_1"}, {"PhysicalSlots", "0..4"},
            {"ModuleIdentNumber", "0x00000001"}, {"MinDeviceInterval", "64"}, {"ImplementationType", S},
            {"DNS_CompatibleName", S}, {"FixedInSlots", "0"}, {"ObjectUUID_LocalIndex", "1"},
            {"MultipleWriteSupported", "true"}, {"MaxSupportedRecordSize", "8192"},
            {"ParameterizationSpeedupSupported", "true"}, {"PowerOnToCommReady", "350"},
            {"DeviceAccessSupported", "true"}, {"SharedDeviceSupported", "true"}, {"CheckDeviceID_Allowed", "false"},
            {"NameOfStationNotTransferable", "true"}});
    o.Open("ModuleInfo");
    Module_Info_Texts(o, "IDT_NAME_DAP1", "IDT_INFO_DAP1");
    o.Empty("VendorName", {{"Value", Maker::Name}});
    o.Empty("OrderNumber", {{"Value", "KG41P53"}});
    o.Close("ModuleInfo");
    o.Open("SubslotList");
    for (const auto& [n, t] : {std::pair{"0", "IDT_SUBSLOT_1"}, {"32768", "IDT_SUBSLOT_Interface"},
                               {"32769", "IDT_SUBSLOT_Port1"}, {"32770", "IDT_SUBSLOT_Port2"}})
        o.Empty("SubslotItem", {{"SubslotNumber", n}, {"TextId", t}});
    o.Close("SubslotList");
    o.Empty("IOConfigData", {{"MaxInputLength", "1440"}, {"MaxOutputLength", "1440"}, {"MaxDataLength", "2880"}});
    o.Open("UseableModules");
    o.Empty("ModuleItemRef", {{"ModuleItemTarget", "IDM_1"}, {"FixedInSlots", "1"}});
    o.Close("UseableModules");
    o.Open("VirtualSubmoduleList");
    o.Open("VirtualSubmoduleItem", {{"ID", "IDS_V1"}, {"SubmoduleIdentNumber", "0x00000000"}});
    o.Empty("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    o.Open("ModuleInfo");
    Module_Info_Texts(o, "IDT_NAME_VS1", "IDT_INFO_VS1");
    o.Close("ModuleInfo");
    o.Close("VirtualSubmoduleItem");
    o.Close("VirtualSubmoduleList");
    o.Open("SystemDefinedSubmoduleList");
    o.Open("InterfaceSubmoduleItem",
           {{"ID", "IDS_I"}, {"SubmoduleIdentNumber", "0x00000001"}, {"SubslotNumber", "32768"},
            {"TextId", "IDT_NAME_IS"}, {"SupportedRT_Classes", "RT_CLASS_1"}, {"SupportedProtocols", "SNMP;LLDP"},
            {"SupportedMibs", "MIB2"}});
    o.Open("ApplicationRelations");
    o.Empty("TimingProperties", {{"SendClock", "32"}, {"ReductionRatio", "1 2 4 8 16 32 64 128 256 512"}});
    o.Close("ApplicationRelations");
    o.Close("InterfaceSubmoduleItem");
    for (const auto& [id, sub, text] : {std::tuple{"IDS_P1", "32769", "IDT_NAME_PS1"}, {"IDS_P2", "32770", "IDT_NAME_PS2"}})
        o.Empty("PortSubmoduleItem", {{"ID", id}, {"SubmoduleIdentNumber", "0x00000002"}, {"SubslotNumber", sub},
                                      {"TextId", text}, {"MaxPortRxDelay", "350"}, {"MaxPortTxDelay", "160"}});
    o.Close("SystemDefinedSubmoduleList");
    o.Comment(" This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). ");
    o.Comment(" FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/");
    o.Close("DeviceAccessPointItem");
    o.Close("DeviceAccessPointList");
}

void Modules(TOutline& o)
{
    o.Open("ModuleList");
    o.Comment(" The \"normal\" module carrying the FAP. ");
    o.Open("ModuleItem", {{"ID", "IDM_1"}, {"ModuleIdentNumber", "0x00000001"}});
    o.Open("ModuleInfo");
    Module_Info_Texts(o, "IDT_NAME_M1", "IDT_INFO_M1");
    o.Empty("OrderNumber", {{"Value", "12345-0040-M"}});
    o.Close("ModuleInfo");
    o.Open("VirtualSubmoduleList");
    o.Open("VirtualSubmoduleItem", {{"ID", "IDM_1"}, {"SubmoduleIdentNumber", "0x00000001"}});
    o.Open("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    o.Holding("Input", "DataItem",
              {{"DataType", "OctetString"}, {"Length", IntToStr(GSDML_Input_Len)}, {"TextId", "IDT_Input_1"}});
    o.Holding("Output", "DataItem",
              {{"DataType", "OctetString"}, {"Length", IntToStr(GSDML_Output_Len)}, {"TextId", "IDT_Output_1"}});
    o.Close("IOData");
    o.Open("RecordDataList");
    o.Open("ParameterRecordDataItem", {{"Index", "128"}, {"Length", "2"}});
    o.Empty("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    o.Empty("Const", {{"ByteOffset", "0"}, {"Data", "0x00,0x00"}});
    o.Empty("Ref", {{"TextId", "IDT_REF_reaction_to_cpu_stop"}, {"Visible", "true"}, {"DataType", "BitArea"},
                    {"ByteOffset", "0"}, {"BitOffset", "0"}, {"BitLength", "2"}, {"DefaultValue", "2"},
                    {"AllowedValues", "0..2"}, {"ValueItemTarget", "IDV_reaction_to_cpu_stop"},
                    {"ID", "IDT_REF_reaction_to_cpu_stop"}});
    o.Open("MenuList");
    o.Open("MenuItem", {{"ID", "IDT_NAME_M1_IDT_REF_channel"}});
    o.Empty("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    o.Empty("MenuRef", {{"MenuTarget", "IDT_NAME_M1_Base_Parameters"}});
    o.Close("MenuItem");
    o.Open("MenuItem", {{"ID", "IDT_NAME_M1_Base_Parameters"}});
    o.Empty("Name", {{"TextId", "IDT_NAME_M1_Base_Parameters"}});
    o.Empty("ParameterRef", {{"ParameterTarget", "IDT_REF_reaction_to_cpu_stop"}});
    o.Close("MenuItem");
    o.Close("MenuList");
    o.Close("ParameterRecordDataItem");
    o.Close("RecordDataList");
    o.Open("ModuleInfo");
    Module_Info_Texts(o, "IDT_NAME_M1", "IDT_INFO_M1");
    o.Close("ModuleInfo");
    o.Close("VirtualSubmoduleItem");
    o.Close("VirtualSubmoduleList");
    o.Close("ModuleItem");
    o.Close("ModuleList");
}

void Texts(TOutline& o)
{
    static const std::pair<const char*, const char*> Texts[] = {
        {"IDT_INFO_Device", "Zodudo Gateways"},
        {"IDT_NAME_DAP1", "OPCUASERVERDevice"},
        {"IDT_INFO_DAP1", "Profinet OPCUASERVER Adapter"},
        {"IDT_SUBSLOT_1", "Subslot 1"},
        {"IDT_SUBSLOT_Interface", "Interface"},
        {"IDT_SUBSLOT_Port1", "Port 1"},
        {"IDT_SUBSLOT_Port2", "Port 2"},
        {"IDT_RECORD_NAME_Head", "Parameters of head module"},
        {"IDT_REF_Power", "Percent power"},
        {"IDT_NAME_VS1", "Submodule V1"},
        {"IDT_INFO_VS1", "Description of submodule V1"},
        {"IDT_NAME_IS", "I"},
        {"IDT_NAME_PS1", "P1"},
        {"IDT_NAME_PS2", "P2"},
        {"IDT_NAME_M1", "Module"},
        {"IDT_INFO_M1", "device OPCUASERVER"},
        {"IDT_NAME_FAP", "FAP for OPCUASERVER"},
        {"IDT_INFO_FAP", "Description of FAP for OPCUASERVER"},
        {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
        {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
        {"IDT_NAME_M_PB1", "OPCUASERVER Device "},
        {"IDT_INFO_M_PB1", "Description of OPCUASERVER"},
        {"IDT_NAME_S_PB1", "Module of a OPCUASERVER"},
        {"IDT_INFO_S_PB1", "Description of module of a OPCUASERVER"},
        {"IDT_PB_Input", "Digital input OPCUASERVER"},
        {"IDT_PB_InputBit0", "Digital input bit OPCUASERVER"},
        {"IDT_NAME_S1", "Submodule 1"},
        {"IDT_INFO_S1", "Description of submodule 1"},
        {"IDT_Input_1", "Input byte"},
        {"IDT_Output_1", "Output word"},
        {"IDT_CATEGORY_DI", "Digital Input"},
        {"IDT_INFO_DI", "Description of digital input"},
        {"IDT_CATEGORY_DO", "Digital output"},
        {"IDT_INFO_DO", "Description of digital output"},
        {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
        {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
        {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
        {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
        {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
        {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
    };
    constexpr size_t Count = std::size(Texts);
    o.Open("ExternalTextList");
    o.Open("PrimaryLanguage");
    for (size_t i = 0; i < Count; ++i) {
        const auto& [id, value] = Texts[i];
        // The last three carry their value first.
        if (i + 3 >= Count) o.Empty("Text", {{"Value", value}, {"TextId", id}});
        else o.Empty("Text", {{"TextId", id}, {"Value", value}});
    }
    o.Close("PrimaryLanguage");
    o.Close("ExternalTextList");
}

}  // namespace

void Create_GSDML_File(const String& Name)
{
    TSaveDialog Dialog(nullptr);
    Dialog.SetInitialDir(Project_Path);
    Dialog.SetFilter("PROFINET XML (*.xml)|" + Name);
    Dialog.SetFileName(Name);
    if (!Dialog.Execute()) return;
    // Only the folder of the choice counts: the file keeps the composed name.
    const String Path = ExtractFilePath(Dialog.FileName()) + Name;
    if (FileExists(Path) && MessageDlg(Lang_Text(4808), mtConfirmation, mbYesNo, 0) != mrYes) return;
    Write_GSDML_File(Path);
}

void Load_PROFINET_Settings()
{
    GSDML_Station_Name.clear();
    GSDML_Input_Len = 1438;
    GSDML_Output_Len = 1438;
    if (FileExists(FileName_ParGen)) {
        TXMLDocument XML;
        XML.LoadFromFile(FileName_ParGen);
        const TXMLNode Root = XML.DocumentElement();
        GSDML_Output_Len = Element_Int(Root, "PROFINET_NB_IN", 1438);
        GSDML_Input_Len = Element_Int(Root, "PROFINET_NB_OUT", 1438);
        GSDML_Station_Name = Element_Text(Root, "PROFINET_NAME_STA");
    }
    if (Trim(GSDML_Station_Name).empty()) GSDML_Station_Name = "SERIAL";
}

void Write_GSDML_File(const String& Path)
{
    Load_PROFINET_Settings();
    TOutline o;
    o.L.emplace_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    o.Comment(" A fieldbus integration example. ");
    const String Namespace = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";
    o.Open("ISO15745Profile", {{"xmlns", Namespace},
                               {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
                               {"xsi:schemaLocation", Namespace + " ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd"}});
    o.Open("ProfileHeader");
    o.Text("ProfileIdentification", "PROFINET Device Profile");
    o.Text("ProfileRevision", "1.00");
    o.Text("ProfileName", "Device Profile for PROFINET Devices");
    o.Text("ProfileSource", "PROFIBUS Nutzerorganisation e. V. (PNO)");
    o.Text("ProfileClassID", "Device");
    o.Open("ISO15745Reference");
    o.Text("ISO15745Part", "4");
    o.Text("ISO15745Edition", "1");
    o.Text("ProfileTechnology", "GSDML");
    o.Close("ISO15745Reference");
    o.Close("ProfileHeader");
    o.Open("ProfileBody");
    o.Open("DeviceIdentity",
           {{"VendorID", Hex_Id(Maker::Profinet_Vendor_ID)}, {"DeviceID", Hex_Id(Maker::Profinet_Device_ID)}});
    o.Empty("InfoText", {{"TextId", "IDT_INFO_Device"}});
    o.Empty("VendorName", {{"Value", Maker::Name}});
    o.Close("DeviceIdentity");
    o.Open("DeviceFunction");
    o.Empty("Family", {{"MainFamily", "Gateway"}, {"ProductFamily", "KG41P53"}});
    o.Close("DeviceFunction");
    o.Open("ApplicationProcess");
    Device_Access_Point(o);
    Modules(o);
    o.Open("ValueList");
    o.Open("ValueItem", {{"ID", "IDV_reaction_to_cpu_stop"}});
    o.Open("Assignments");
    o.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_set_substitude_values"}, {"Content", "0"}});
    o.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_values_will_hold"}, {"Content", "1"}});
    o.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_continue_counting"}, {"Content", "2"}});
    o.Close("Assignments");
    o.Close("ValueItem");
    o.Close("ValueList");
    o.Open("CategoryList");
    o.Open("CategoryItem", {{"ID", "IDC_DI"}, {"TextId", "IDT_CATEGORY_DI"}});
    o.Empty("InfoText", {{"TextId", "IDT_INFO_DI"}});
    o.Close("CategoryItem");
    o.Open("CategoryItem", {{"ID", "IDC_DO"}, {"TextId", "IDT_CATEGORY_DO"}});
    o.Empty("InfoText", {{"TextId", "IDT_INFO_DO"}});
    o.Close("CategoryItem");
    o.Close("CategoryList");
    Texts(o);
    o.Close("ApplicationProcess");
    o.Close("ProfileBody");
    o.Close("ISO15745Profile");
    Write_Utf8_Lines(Path, o.L);
}
