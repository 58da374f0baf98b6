// The settings file Ruduziv.xml beside the program: the configuration last opened, the
// address of the last update, the language and the four options.
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"

namespace {

const char* const Settings_File_Name = "Ruduziv.xml";
const char* const Default_IP_Address = "192.168.2.205";

String Settings_File()
{
    return PathJoin(Exe_Path, Settings_File_Name);
}

void Set_Defaults()
{
    Project_Name.clear();
    Project_Path.clear();
    Last_IP_Address = Default_IP_Address;
    Language_Name = "English";
    Enable_Internet = false;
    Enable_Update = false;
    Enable_Jump_Field_Tables = false;
    Double_Click_Auto_Size = false;
}

// Text of Section/Item under the root; Default when any step of the lookup fails.
String Read_Item(const TXMLNode& Root, const char* Section, const char* Item, const String& Default)
{
    try {
        return Root.ChildNode(Section).ChildNode(Item).Text();
    } catch (const std::exception&) {
        return Default;
    }
}

// An option is on exactly when its element holds "1".
bool Read_Option(const TXMLNode& Root, const char* Item)
{
    try {
        return Root.ChildNode("lastinternet").ChildNode(Item).Text() == "1";
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

void Read_Settings_File(TXMLDocument& Doc)
{
    Set_Defaults();
    if (!FileExists(Settings_File())) return;
    TXMLNode root;
    try {
        Doc.LoadFromFile(Settings_File());
        root = Doc.DocumentElement();
    } catch (const std::exception&) {
        // A file that is not a readable document counts as no file at all.
        return;
    }
    if (!root) return;
    // The root's name plays no part: the first element is the root.
    Project_Name = Read_Item(root, "lastproj", "projectname", "");
    Last_IP_Address = Read_Item(root, "lastipadd", "ipaddress", Default_IP_Address);
    Language_Name = Read_Item(root, "lastlang", "language", "English");
    Enable_Internet = Read_Option(root, "enable_internet");
    Enable_Update = Read_Option(root, "enable_update");
    Enable_Jump_Field_Tables = Read_Option(root, "enable_jump_field_tables");
    Double_Click_Auto_Size = Read_Option(root, "Double_Click_Auto_Size");
}

void Write_Settings_File(TXMLDocument& Doc)
{
    Doc.Clear();
    TXMLNode root = Doc.AddChild("Conf_Settings");
    root.AddChild("lastproj").AddChild("projectname").SetText(Project_Name);
    root.AddChild("lastipadd").AddChild("ipaddress").SetText(Last_IP_Address);
    root.AddChild("lastlang").AddChild("language").SetText(Language_Name);
    TXMLNode options = root.AddChild("lastinternet");
    options.AddChild("enable_internet").SetText(Enable_Internet ? "1" : "0");
    options.AddChild("enable_update").SetText(Enable_Update ? "1" : "0");
    options.AddChild("enable_jump_field_tables").SetText(Enable_Jump_Field_Tables ? "1" : "0");
    options.AddChild("Double_Click_Auto_Size").SetText(Double_Click_Auto_Size ? "1" : "0");
    Doc.SaveToFile(Settings_File());
}

void TFDuvazaradFirmWare::Read_Setting()
{
    Read_Settings_File(XML1);
}

void TFDuvazaradFirmWare::Save_Setting()
{
    Write_Settings_File(XML1);
}
