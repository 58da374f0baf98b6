// The job file Ethernet_Update.xml: what the external updater is to write to the
// converter. Every value it holds is fixed here, in this one table, except the address,
// the read-back choice, which operation comes last, and the paths.
#include <iterator>
#include <vector>

#include "converter/UBoot.h"
#include "converter/UUpdate.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"

namespace {

// The firmware image in MASTER that the updater sends.
constexpr const char* Firmware_File_Name = "Ruz41O08.sim";

// The three things an operation can write.
enum TJob_Item { jiFirmware, jiBank1, jiBank2 };

// Values that depend on the update rather than on the item.
enum TJob_Value {
    jvFixed,        // the item's text in the table
    jvFile,         // the full path of the item's file
    jvRead_Back,    // "1" when the read-back box is checked, else "0"
    jvLast,         // "1" on the last operation of the file, else "0"
};

struct TJob_Field {
    const char* Name;
    TJob_Value Value;
    const char* Text[3];   // firmware, bank1.bin, bank2.bin; nullptr: written without text
};

// The children of each Operation, in file order. The first one names the file to write
// with its full path: without it an operation would not say what it writes, and the
// updater reads each operation by itself.
constexpr TJob_Field Operation_Fields[] = {
    {"Ope_File_Name", jvFile, {}},
    {"Ope_Protection_Enabled", jvFixed, {nullptr, nullptr, nullptr}},
    {"Ope_GoToBoot_Before", jvFixed, {"0", "0", "0"}},
    {"Ope_GoToApp_Before", jvFixed, {"0", "0", "0"}},
    {"Ope_IP_Address", jvFixed, {nullptr, nullptr, nullptr}},
    {"Ope_Port", jvFixed, {"2008", "2008", "2008"}},
    {"Ope_Port_Sec", jvFixed, {"2007", "2007", "2007"}},
    {"Ope_Erase_Memory", jvFixed, {"0", "0", "0"}},
    {"Ope_Start_Address", jvFixed, {"0x8000", "0x07000", "0x80000"}},
    {"Ope_Memory_Type", jvFixed, {"0", "0", "0"}},
    {"Ope_Bank_Type", jvFixed, {"1", "2", "2"}},
    {"Ope_Read_Back", jvRead_Back, {}},
    {"Ope_Write_CSS", jvFixed, {"1", "0", "0"}},
    {"Ope_Address_CSS", jvFixed, {"0x07A00", "0x07A00", "0x07A00"}},
    {"Ope_Command_CSS", jvFixed, {"0x02", "0x02", "0x02"}},
    {"Ope_Write_Internal_Data", jvFixed, {"0", "1", "0"}},
    {"Ope_WID_Address", jvFixed, {"0x07810", "0x07810", "0x07810"}},
    {"Ope_WID_Command", jvFixed, {"0x02", "0x02", "0x02"}},
    {"Ope_WID_Data", jvFixed, {"0x00, 0x00, 0x00, 0x01", "0x00, 0x00, 0x00, 0x01", "0x00, 0x00, 0x00, 0x01"}},
    {"Ope_GoToApp_After", jvLast, {}},
};
static_assert(std::size(Operation_Fields) == 20, "an operation has twenty children");

String Item_File(TJob_Item Item)
{
    switch (Item) {
    case jiFirmware: return PathJoin(Master_Path, Firmware_File_Name);
    case jiBank1: return PathJoin(PathJoin(Project_Path, "bin"), "bank1.bin");
    case jiBank2: return PathJoin(PathJoin(Project_Path, "bin"), "bank2.bin");
    }
    return {};
}

void Add_Text(TXMLNode Parent, const char* Name, const char* Text)
{
    TXMLNode n = Parent.AddChild(Name);
    if (Text) n.SetText(Text);
}

void Add_Operation(TXMLNode Operations, TJob_Item Item, bool Read_Back, bool Last)
{
    TXMLNode Op = Operations.AddChild("Operation");
    for (const TJob_Field& f : Operation_Fields) {
        switch (f.Value) {
        case jvFixed: Add_Text(Op, f.Name, f.Text[Item]); break;
        case jvFile: Add_Text(Op, f.Name, Item_File(Item).c_str()); break;
        case jvRead_Back: Add_Text(Op, f.Name, Read_Back ? "1" : "0"); break;
        case jvLast: Add_Text(Op, f.Name, Last ? "1" : "0"); break;
        }
    }
}

}  // namespace

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    const int Option = CB_Update_Options->ItemIndex();
    const bool Read_Back = CB_Update_Option_Read_Back->Checked();
    std::vector<TJob_Item> Items;
    if (Option == Update_Firmware_And_Configuration || Option == Update_Firmware) Items.push_back(jiFirmware);
    if (Option == Update_Firmware_And_Configuration || Option == Update_Configuration) {
        Items.push_back(jiBank1);
        Items.push_back(jiBank2);
    }

    XML1.Clear();
    TXMLNode Root = XML1.AddChild("Ethernet_Update");
    Add_Text(Root, "Version", "1000");
    Add_Text(Root, "IP_Address_Dev", IP_Address_Text().c_str());
    Add_Text(Root, "Application_Port", "10000");
    Add_Text(Root, "Boot_Port", "2008");
    Add_Text(Root, "Boot_Port_Sec", "2007");
    Add_Text(Root, "Address_Protection", "0x07800");
    Add_Text(Root.AddChild("Protections"), "Protection", "0x2C7");
    TXMLNode Operations = Root.AddChild("Operations");
    for (size_t i = 0; i < Items.size(); ++i) Add_Operation(Operations, Items[i], Read_Back, i + 1 == Items.size());
    XML1.SaveToFile(PathJoin(Exe_Path, Job_File_Name));
}
