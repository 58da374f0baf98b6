#include "devdesc/gsd/UProfibus_GSD.h"

#include <algorithm>
#include <vector>

#include "devdesc/UDevDescFile.h"
#include "devdesc/UMaker.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

int GSD_Input_Len = 0;
int GSD_Output_Len = 0;

namespace {

constexpr int Module_Bytes = 64;

String Rule(int W)
{
    String r(size_t(W), '=');
    r[0] = ';';
    return r;
}

String Title(const String& T, int W)
{
    String l = ";==== " + T + " ";
    if (int(l.size()) < W) l += String(size_t(W) - l.size(), '=');
    return l;
}

String Framed(const String& Content)
{
    String f = ";*";
    f.append(Content);
    f.resize(std::max<size_t>(f.size(), 84), ' ');
    f.push_back('*');
    return f;
}

void Titled(std::vector<String>& o, const String& T, int W)
{
    o.push_back(Rule(W));
    o.push_back(Title(T, W));
    o.push_back(Rule(W));
}

int Modules(int Len) { return Len > 0 ? (Len + Module_Bytes - 1) / Module_Bytes : 0; }

}  // namespace

String GSD_File_Name(const String& Chosen)
{
    const int at = Pos(".gsd", LowerCase(Chosen));
    return at > 0 && at + 3 == int(Chosen.size()) ? Chosen : Chosen + ".gsd";
}

void Create_GSD_File()
{
    if (!FileExists(FileName_ParGen)) {
        MessageDlg(Lang_Text(1104), mtError, TMsgDlgButtons{mbOK}, 0);
        return;
    }
    TXMLDocument XML;
    XML.LoadFromFile(FileName_ParGen);
    const TXMLNode Root = XML.DocumentElement();
    GSD_Output_Len = Element_Int(Root, "PROFINET_NB_IN", 0);
    GSD_Input_Len = Element_Int(Root, "PROFINET_NB_OUT", 0);

    TSaveDialog Dialog(nullptr);
    Dialog.SetInitialDir(Project_Path);
    Dialog.SetFilter("Generic Station Description (*.gsd)|*.gsd");
    if (!Dialog.Execute()) return;
    const String Name = GSD_File_Name(Dialog.FileName());
    if (FileExists(Name) && MessageDlg(Lang_Text(1103), mtConfirmation, mbYesNo, 0) != mrYes) return;
    Write_GSD_File(Name);
}

void Write_GSD_File(const String& FileName)
{
    using namespace Maker;
    const String Eleven(11, ' ');
    std::vector<String> o = {
        ";",
        ";********************* PROFIBUS Slave / LoRaWAN - Converter *************************",
        ";* ================================================================================ *",
        Framed(""),
        Framed(String(" Vendor:   ") + Name + " " + Legal_Form),
        Framed(Eleven + Street),
        Framed(Eleven + Postal_Code + " " + Town),
        Framed(Eleven + Province_Name + ", " + Country),
        Framed(Eleven + "Tel. : " + Telephone),
        Framed(Eleven + "FAX. : " + Fax),
        Framed(Eleven + "eMail: " + Support_Mail),
        Framed(""),
        ";* ================================================================================ *",
        Framed(""),
        ";* Function:       PROFIBUS Slave / LoRaWAN - Converter                             *",
        Framed(""),
        Framed(""),
        ";* Order Number : KG41R14                                                           *",
        Framed(""),
        Framed(""),
        Rule(85).replace(1, 84, 84, '*'),
        "",
        "",
        "#Profibus_DP",
        "",
        "",
    };
    Titled(o, "Prm-Text-Def-List", 85);
    for (const char* l : {"", "PrmText=1", "Text(0)=\"disable\"", "Text(1)=\"enable\"", "EndPrmText", "",
                          "PrmText  = 2", "Text(0)  = \"clock up\"", "Text(1)  = \"clock down\"", "EndPrmText", "",
                          "PrmText  = 3", "Text(1)  = \"10\"", "Text(2)  = \"20\"", "Text(3)  = \"30\"",
                          "Text(4)  = \"40\"", "Text(5)  = \"50\"", "EndPrmText", "", ""})
        o.emplace_back(l);

    Titled(o, "Ext-User-Prm-Data-Def-List", 86);
    o.emplace_back("");
    const std::vector<std::vector<const char*>> Blocks = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", "Unsigned8 0 0-32"},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", "Bit(0) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=3 \"Process Alarm\"", "Bit(1) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=4 \"Counter mode\"", "Unsigned8 0 0-1", "Prm_Text_Ref=2"},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", "Unsigned8 1 1-5", "Prm_Text_Ref=3"},
        {"ExtUserPrmData=6 \"Counter high-limit\"", "Unsigned16 65535 0-65535"},
        {"ExtUserPrmData=7 \"Counter low-limit\"", "Unsigned16 0 0-65535"},
    };
    for (const auto& b : Blocks) {
        for (const char* l : b) o.emplace_back(l);
        o.emplace_back("EndExtUserPrmData");
        o.emplace_back("");
    }
    o.emplace_back("");

    Titled(o, "General DP Keywords", 86);
    o.emplace_back("");
    o.emplace_back("GSD_Revision = 5");
    o.emplace_back("Vendor_Name = \"Zodudo\"");
    o.emplace_back("Model_Name = \"KG41R14\"");
    o.emplace_back("Revision = \"1.00\"");
    o.push_back("Ident_Number = 0x" + IntToHex(Profibus_Ident, 4));
    for (const char* l : {"Protocol_Ident = 0", "Station_Type = 0", "FMS_supp = 0", "Hardware_Release = \"V1.00\"",
                          "Software_Release = \"V1.00\"", "Redundancy = 0", "Repeater_Ctrl_Sig = 2", "24V_Pins = 0",
                          "", ""})
        o.emplace_back(l);

    Titled(o, "Supported baudrates", 79);
    for (const char* l : {"", "9.6_supp = 1", "19.2_supp = 1", "45.45_supp = 1", "93.75_supp = 1", "187.5_supp = 1",
                          "500_supp = 1", "1.5M_supp = 1", "3M_supp = 1", "6M_supp = 1", "12M_supp = 1", "",
                          "MaxTsdr_9.6=15", "MaxTsdr_19.2=15", "MaxTsdr_45.45=15", "MaxTsdr_93.75=15",
                          "MaxTsdr_187.5=15", "MaxTsdr_500=15", "MaxTsdr_1.5M=20", "MaxTsdr_3M=35", "MaxTsdr_6M=50",
                          "MaxTsdr_12M=95", "", ""})
        o.emplace_back(l);

    const int NI = Modules(GSD_Input_Len), NO = Modules(GSD_Output_Len);
    Titled(o, "Slave specific values", 79);
    for (const char* l : {"", "OrderNumber=\"KG41R14\"", "Slave_Family = 9@Zodudo@KG41R14",
                          "Implementation_Type = \"VPC3+\"",
                          "Info_Text=\"Zodudo: PROFIBUS Slave / LoRaWAN - Converter\"", "Bitmap_Device = \"DPV0_1N\"",
                          "Bitmap_SF=\"DPV0_1S\"", "", "Freeze_Mode_supp=1", "Sync_Mode_supp=1", "Fail_Safe=1",
                          "Auto_Baud_supp=1", "Set_Slave_Add_supp=0", "", "Min_Slave_Intervall=6", "",
                          "Modular_Station=1"})
        o.emplace_back(l);
    o.push_back("Max_Module=" + IntToStr(NI + NO));
    o.emplace_back("Modul_Offset=1");
    o.push_back("Max_Input_Len=" + IntToStr(GSD_Input_Len));
    o.push_back("Max_Output_Len=" + IntToStr(GSD_Output_Len));
    o.push_back("Max_Data_Len=" + IntToStr(static_cast<long long>(GSD_Input_Len) + GSD_Output_Len));
    for (const char* l : {"Max_Diag_Data_Len=15", "", "WD_Base_1ms_supp = 1", "Publisher_supp = 1", ""})
        o.emplace_back(l);

    Titled(o, "User-Prm-Data", 79);
    for (const char* l : {"", "Max_User_Prm_Data_Len = 12", "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00", ""})
        o.emplace_back(l);

    Titled(o, "Modulstatus", 79);
    o.emplace_back("");
    for (int slot = 1; slot <= 2; ++slot) {
        const String s = IntToStr(slot);
        o.push_back("Unit_Diag_Area = " + IntToStr(22 + 2 * slot) + " - " + IntToStr(23 + 2 * slot));
        o.push_back("Value(1)= \"Slot " + s + ": Module error\"");
        o.push_back("Value(2)= \"Slot " + s + ": Wrong module\"");
        o.push_back("Value(3)= \"Slot " + s + ": No module\"");
        o.emplace_back("Unit_Diag_Area_End");
    }
    o.emplace_back("");
    o.emplace_back("");

    Titled(o, "Module-Definition-List", 79);
    o.emplace_back("");
    int e = 0;
    const auto modules = [&](int Len, int Count, const char* Kind, const char* Id) {
        for (int m = 0; m < Count; ++m) {
            ++e;
            const int Bytes = m + 1 < Count ? Module_Bytes : Len - Module_Bytes * (Count - 1);
            o.push_back("Module=\"" + String(Kind) + "  (PORT" + IntToStr(e) + ")    \" " + Id + ",0x" +
                        IntToHex(unsigned(Bytes - 1), 2) + ",0x00,0x" + IntToHex(unsigned(e), 2));
            o.push_back(IntToStr(e));
            o.emplace_back("EndModule");
        }
    };
    modules(GSD_Input_Len, NI, "DI", "0x42");
    modules(GSD_Output_Len, NO, "DO", "0x82");

    for (const char* l : {"", "", "", "SlotDefinition"}) o.emplace_back(l);
    for (int s = 1; s <= NI + NO; ++s) {
        const String n = IntToStr(s);
        o.push_back("Slot(" + n + ") = \"Slot " + n + "\" " + n + " " + n);
    }
    for (const char* l : {"EndSlotDefinition", "", "", "", ""}) o.emplace_back(l);
    Write_Ansi_Lines(FileName, o);
}
