// Scan results into M_Bus.xml and into the scan result files.
//
// Two choices where the network file's reader and the scan would otherwise disagree:
// - "Cut_After" is stored as the position in the editor's list of frame counts, that is
//   the frames to read less one, so that the editor shows the count the scan was run with.
// - "ID" holds the address the meter is read by: the primary address, or, for a scan by
//   secondary address, the identification number; the editor takes it by Node_ID_Type.
// Each register laid out is written twice: as "ModReg" (the scan's own attribute) and as
// "PositionData", the register the editor reads, so a scanned network opens with its layout.
#include "mbus/scan/MBusScanFiles.h"

#include <mutex>
#include <string_view>

#include "platform/xml/XMLDoc.h"

namespace {

bool Has(int32_t Code, std::initializer_list<int32_t> Codes)
{
    for (int32_t c : Codes)
        if (c == Code) return true;
    return false;
}

bool Checked(const TSaveConfXML& D, const TLazyNode* Node)
{
    if (!Node || !D.Node_Checked) return true;
    try {
        return D.Node_Checked(Node);
    } catch (...) {   // a tree that cannot answer counts as checked
        return true;
    }
}

String Dec(long long V) { return IntToStr(V); }

// Texts joined end to end (built by appending: the compiler misreads chains of + here).
String Cat(std::initializer_list<std::string_view> Parts)
{
    String out;
    for (std::string_view p : Parts) out.append(p);
    return out;
}
const char* Bit(bool B) { return B ? "1" : "0"; }

String UST(const TVariable_MBus& R)
{
    return Cat({"(U", Dec(R.device), "S", Dec(R.storage_number), "T", Dec(R.tarif), ")"});
}

// The frames to read as the editor's list position (frames less one).
String Cut_After_Position(int32_t Frames)
{
    return Dec(Frames < 1 ? 0 : Frames > 250 ? 249 : Frames - 1);
}

// The document to add to: the existing file's root when appending, else a new root.
TXMLNode Open_Root(TXMLDocument& Doc, const TSaveConfXML& D)
{
    if (D.Append == 1) {
        Doc.LoadFromFile(D.File_Name);
        TXMLNode root = Doc.DocumentElement();
        if (!root) throw EXmlError(Cat({D.File_Name, ": the file holds no network element"}));
        return root;
    }
    return Doc.AddChild("M-Bus_Network");
}

// The node-state and identification-number registers in per-meter mode; Ns_Regs and
// In_Regs are the registers each takes.
void Node_Registers(TXMLNode& N, const TSaveConfXML& D, int32_t& R, int Ns_Regs, int In_Regs)
{
    if (D.XML_Code_Dev == 12) {
        for (const char* a : {"Node_State", "Ident_Num", "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType",
                              "IN_VarType"})
            N.SetAttribute(a, "0");
        return;
    }
    if (D.StartModnode == 1 && Has(D.XML_Code_Dev, {0, 1, 9, 13, 14})) {
        if (D.En_NodeState) {
            N.SetAttribute("Node_State", Dec(R));
            R += Ns_Regs;
        } else {
            N.SetAttribute("Node_State", "0");
        }
        if (D.En_IdeNum) {
            N.SetAttribute("Ident_Num", Dec(R));
            R += In_Regs;
        } else {
            N.SetAttribute("Ident_Num", "0");
        }
    }
}

// One record as a Variabile element; Counts tells whether it takes registers.
void Write_Record(TXMLNode& N, const TSaveConfXML& D, bool Check_BCD, const TVariable_MBus& R, int K, bool Enable,
                  bool Counts, int32_t& Reg)
{
    TXMLNode v = N.AddChild("Variabile");
    v.SetAttribute("Enable", Bit(Enable));
    v.SetAttribute("Position", Dec(K + 1));
    v.SetAttribute("Desc", Cat({R.Desc_Type_Data, " ", UST(R)}));
    v.SetAttribute("Type", Dec(R.type_data));
    v.SetAttribute("VIF_ASCII", R.type_data == 21 ? R.VIF_ASCII : String());
    v.SetAttribute("Fun_Field", Dec(R.function_fild == 1 ? 2 : R.function_fild == 2 ? 1 : R.function_fild));
    v.SetAttribute("Length", "0");
    if (D.XML_Code_Dev != 12) {
        v.SetAttribute("ModReg", Dec(Reg));
        v.SetAttribute("PositionData", Dec(Reg));
    }
    if (Counts) Reg += MBus_Register_Count(R.dimension, R.nbyte);
    if ((R.dimension & 0x0F) == 13) v.SetAttribute("Length", Dec(R.nbyte));
    v.SetAttribute("Dim", Dec(MBus_Dim_Code(R.dimension)));
    v.SetAttribute("Unit", Dec(R.device));
    v.SetAttribute("StoNumber", Dec(R.storage_number));
    v.SetAttribute("Tariff", Dec(R.tarif));
    v.SetAttribute("VIFE", Dec(R.Type_Data_Vife));
    if (D.XML_Code_Dev == 12) {
        v.SetAttribute("BACnet_EngUnits", Dec(Default_BACnet_Eng_Unit(R.type_data, R.Type_Data_Vife)));
        v.SetAttribute("BACnet_DataType", "0");
        v.SetAttribute("Post_Operation", "0");
    } else {
        v.SetAttribute("ModScale", "0");
    }
    v.SetAttribute("BCDtoINT", Bit(R.Is_BCD && Check_BCD));
    v.SetAttribute("SWAP", "0");
}

void Write_Result_Record(TXMLNode& N, const TVariable_MBus& R)
{
    TXMLNode v = N.AddChild("Variable");
    v.SetAttribute("Value", R.ValueStr);
    v.SetAttribute("Type", R.Desc_Type_Data);
    v.SetAttribute("UST", UST(R));
    const std::pair<const char*, String> items[] = {
        {"Storage_Number", Dec(R.storage_number)}, {"Tariff", Dec(R.tarif)}, {"Unit", Dec(R.device)},
        {"Data_Field", R.DataFieldStr}, {"Function_Field", R.FunctionFieldStr}, {"Type", R.Desc_Type_Data},
        {"Value", R.ValueStr}, {"DIF", R.DIF}, {"VIF", Cat({"$", IntToHex(R.VIF, 2)})}, {"DIFE", R.DIFE},
        {"VIFE", R.VIFE}, {"DATA", Cat({"$", R.totdati})}};
    for (const auto& [name, text] : items) v.AddChild(name).SetText(text);
}

}   // namespace

int32_t MBus_Register_Count(uint8_t Data_Field, int32_t NByte)
{
    switch (Data_Field & 0x0F) {
    case 1: case 2: case 9: case 10: return 1;
    case 3: case 4: case 5: case 11: case 12: return 2;
    case 6: case 14: return 3;
    case 7: return 4;
    // Two bytes to a register: the registers the value fills, no more.
    case 13: return NByte > 0 ? (NByte + 1) / 2 : 0;
    default: return 0;
    }
}

uint8_t MBus_Dim_Code(uint8_t Data_Field)
{
    static const uint8_t codes[16] = {255, 0, 1, 4, 2, 6, 5, 3, 255, 0, 1, 4, 2, 7, 5, 255};
    return codes[Data_Field & 0x0F];
}

bool Save_XML_Conf_Wired(const TSaveConfXML& D, bool Check_BCD)
{
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    if (List_Slave_MBus.Items.empty()) return false;
    TXMLDocument doc;
    TXMLNode root = Open_Root(doc, D);
    const bool grouped = Has(D.XML_Code_Dev, {4, 7});
    TXMLNode parent = root;
    int32_t r = D.Mod_Start;
    for (int i = 0; TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, i); ++i) {
        const bool per_node = D.StartModnode == 1;
        if (per_node) r = i < int(D.SMN_Array.size()) ? D.SMN_Array[i] : 1;
        if (grouped && i == 0) {
            parent = root.AddChild("Group");
            parent.SetAttribute("Baudrate", Dec(D.Index_Baud));
            parent.SetAttribute("Parity", Dec(D.Index_Par));
        }
        TXMLNode n = parent.AddChild("Nodo");
        n.SetAttribute("Node_Enable", Bit(Checked(D, s->Node)));
        if (Has(D.XML_Code_Dev, {2, 4, 5, 7, 8, 10}))
            n.SetAttribute("ID", D.Node_ID_Type == 1 ? s->Secondary_Addresss : Dec(s->Primary_Addresss));
        if (grouped) n.SetAttribute("Secondary_address", s->Secondary_Addresss);
        n.SetAttribute("ID_Primary", Dec(s->Primary_Addresss));
        n.SetAttribute("ID_Secondary", s->Secondary_Addresss);
        n.SetAttribute("Node_ID_Type", Dec(D.Node_ID_Type));
        n.SetAttribute("Descrizione", s->descManufacture);
        n.SetAttribute("Send_SND_NKE", Bit(D.SND_NKE == 1));
        n.SetAttribute("Reset_App", Bit(D.Reset_App == 1));
        n.SetAttribute("Cut_After", Cut_After_Position(D.Cut_After));
        if (D.XML_Code_Dev == 12) n.SetAttribute("MBus_Type", "1");
        else if (Has(D.XML_Code_Dev, {13, 14})) n.SetAttribute("MBus_Type", "1");
        Node_Registers(n, D, r, 1, 2);
        for (int k = 0; k < int(s->List_Var.size()); ++k) {
            const TVariable_MBus& rec = *s->List_Var[k];
            const bool checked = Checked(D, rec.Node);
            Write_Record(n, D, Check_BCD, rec, k, checked, !per_node || checked, r);
        }
    }
    doc.SaveToFile(D.File_Name);
    return true;
}

bool Save_XML_Conf_Wireless(const TSaveConfXML& D, bool Check_BCD)
{
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    if (List_Slave_wMBus.Items.empty()) return false;
    TXMLDocument doc;
    TXMLNode root = Open_Root(doc, D);
    int32_t r = D.Mod_Start;
    for (int i = 0; TSlave_wMBus* s = Wireless_Slave_At(List_Slave_wMBus, i); ++i) {
        const bool per_node = D.StartModnode == 1;
        if (per_node) r = i < int(D.SMN_Array.size()) ? D.SMN_Array[i] : 1;
        TXMLNode n = root.AddChild("Nodo");
        n.SetAttribute("Node_Enable", Bit(s->Enable));
        if (Has(D.XML_Code_Dev, {2, 4, 5, 7, 8, 10})) n.SetAttribute("ID", "1");
        if (Has(D.XML_Code_Dev, {4, 7})) n.SetAttribute("Secondary_address", "1");
        n.SetAttribute("ID_Primary", "1");
        n.SetAttribute("ID_Secondary", "1");
        n.SetAttribute("Node_ID_Type", "0");
        n.SetAttribute("Descrizione", s->ALA_Manu_str);
        n.SetAttribute("Send_SND_NKE", "0");
        n.SetAttribute("Reset_App", "0");
        n.SetAttribute("Cut_After", Cut_After_Position(3));
        Node_Registers(n, D, r, 2, 1);
        n.SetAttribute("MBus_Type", "0");
        n.SetAttribute("wMBus_ManID", Dec(s->ALA_Manufacturer));
        n.SetAttribute("wMBus_Add", Dec(static_cast<uint32_t>(s->ALA_Address)));
        n.SetAttribute("wMBus_Ver", Dec(s->ALA_Version));
        n.SetAttribute("wMBus_DevType", Dec(s->ALA_DeviceType));
        n.SetAttribute("wMBus_En_Key", Bit(s->Enable_Key));
        for (int b = 0; b < 16; ++b) n.SetAttribute(Cat({"wMBus_Key_", Dec(b + 1)}), Dec(s->Key[b]));
        for (int k = 0; k < int(s->List_Var.size()); ++k) {
            const TVariable_MBus& rec = *s->List_Var[k];
            if (!rec.Real_Wireless_Var) continue;
            Write_Record(n, D, Check_BCD, rec, k, rec.Enable, !per_node || rec.Enable, r);
        }
    }
    doc.SaveToFile(D.File_Name);
    return true;
}

void Save_XML_File_DLL(const String& SaveXMLFile)
{
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    TXMLDocument doc;
    TXMLNode root = doc.AddChild("SCAN_M-Bus_Wired");
    for (int i = 0; TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, i); ++i) {
        TXMLNode n = root.AddChild("Node");
        n.SetAttribute("Primary_Address", Dec(s->Primary_Addresss));
        n.SetAttribute("Secondary_Address", s->Secondary_Addresss);
        n.SetAttribute("Manufacturer", Cat({s->descManufacture, " (", Dec(s->Manufacture), ")"}));
        n.SetAttribute("Version", Dec(s->Version));
        n.SetAttribute("Type", Dec(s->Medium));
        for (const auto& rec : s->List_Var) Write_Result_Record(n, *rec);
    }
    doc.SaveToFile(SaveXMLFile);
}

void Save_Wireless_XML_File_DLL(const String& SaveXMLFile)
{
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    TXMLDocument doc;
    TXMLNode root = doc.AddChild("SCAN_M-Bus_Wireless");
    for (int i = 0; TSlave_wMBus* s = Wireless_Slave_At(List_Slave_wMBus, i); ++i) {
        TXMLNode n = root.AddChild("Node");
        n.SetAttribute("Manufacturer", s->ALA_Manu_str);
        n.SetAttribute("Address", IntToHex(static_cast<uint32_t>(s->ALA_Address), 8));
        n.SetAttribute("Version", Dec(s->ALA_Version));
        n.SetAttribute("Device_Type", Dec(s->ALA_DeviceType));
        n.SetAttribute("Cripted", s->Cripted ? "True" : "False");
        for (const auto& rec : s->List_Var) Write_Result_Record(n, *rec);
    }
    doc.SaveToFile(SaveXMLFile);
}
