// M_Bus.xml: the network element (the root) holds one Nodo element per meter and each
// Nodo one Variabile element per value; everything is in attributes.
//
// Reading follows the one rule of the configuration files: each value on its own, a
// missing or unreadable one takes its default. Only the descriptions and a variable's
// type, function field and dimension are required; without them the reading stops.
#include <utility>

#include "mbus/network/UMeter_Bus.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"

namespace {

const char* const Root_Name = "M-Bus_Network";
const char* const Version_Comment = "SW_VERSION = 1.002";
// The scan groups the meters of one save under this element with the bus's line settings.
const char* const Group_Name = "Group";

// A stop of the reading: a required attribute missing or unreadable.
CONF_DECLARE_EXCEPTION(ERequiredMissing, EConvertError);

bool Read_Int(const TXMLNode& N, const char* Name, long long& V)
{
    if (!N.HasAttribute(Name)) return false;
    return TryStrToInt64(N.Attribute(Name), V) && V >= INT32_MIN && V <= UINT32_MAX;
}

// An integer attribute, Def when missing or unreadable; the field keeps the low bits.
template <typename T>
T Int_Def(const TXMLNode& N, const char* Name, T Def)
{
    long long v;
    return Read_Int(N, Name, v) ? static_cast<T>(v) : Def;
}

template <typename T>
T Int_Required(const TXMLNode& N, const char* Name)
{
    long long v;
    if (!Read_Int(N, Name, v)) {
        String msg = "Attribute ";
        msg.append(Name).append(" of ").append(N.NodeName());
        if (N.HasAttribute(Name)) msg.append(": '").append(N.Attribute(Name)).append("' is not a valid integer value");
        else msg.append(": the attribute is missing");
        throw ERequiredMissing(msg);
    }
    return static_cast<T>(v);
}

String Text_Required(const TXMLNode& N, const char* Name)
{
    if (!N.HasAttribute(Name)) {
        String msg = "Attribute ";
        msg.append(Name).append(" of ").append(N.NodeName()).append(": the attribute is missing");
        throw ERequiredMissing(msg);
    }
    return N.Attribute(Name);
}

bool Flag(const TXMLNode& N, const char* Name) { return N.AttributeDef(Name, "") == "1"; }

std::unique_ptr<TVariabile> Read_Variabile(const TXMLNode& E)
{
    auto v = std::make_unique<TVariabile>();
    v->Enable = Flag(E, "Enable");
    v->Description = Text_Required(E, "Desc");
    v->Type_Of_Data = Int_Required<int32_t>(E, "Type");
    v->Function_Field = Int_Required<int32_t>(E, "Fun_Field");
    v->Dimension = Int_Required<int32_t>(E, "Dim");
    v->Unita = Int_Def<int32_t>(E, "Unit", 0);
    v->PositionData = Int_Def<int32_t>(E, "PositionData", 0);
    v->Storage_Number = Int_Def<uint32_t>(E, "StoNumber", 0);
    v->Tariff = Int_Def<int32_t>(E, "Tariff", 0);
    v->VIFE = Int_Def<uint8_t>(E, "VIFE", 0);
    v->BCDtoINT = Flag(E, "BCDtoINT");
    v->VIF_ASCII = E.AttributeDef("VIF_ASCII", "");
    v->Length = Int_Def<int32_t>(E, "Length", 0);
    v->Conv_Float = Flag(E, "Conv_Float");
    v->Force_Int32 = Flag(E, "Force_Int32");
    v->TP_Mod_Regs = Flag(E, "TP_Mod_Regs");
    v->TP_Mod_Year = Int_Def<int32_t>(E, "TP_Mod_Year", 0);
    v->Position = Int_Def<uint16_t>(E, "Position", 1);
    v->Post_Operation = Int_Def<uint8_t>(E, "Post_Operation", 0);
    return v;
}

// Reads the node's own attributes; its variables are read by the caller, one at a time,
// so that a failing variable leaves the node with the variables before it.
std::unique_ptr<TNodo> Read_Nodo(const TXMLNode& E)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = Int_Def<uint8_t>(E, "Node_Enable", 1);
    n->Node_ID_Type = Int_Def<uint8_t>(E, "Node_ID_Type", 0);
    long long id;
    if (Read_Int(E, "ID", id)) {   // the scan's address, by the addressing the node uses
        n->Node_Pri = n->Node_ID_Type == 0 ? static_cast<int32_t>(id) : 1;
        n->Node_Sec = n->Node_ID_Type == 0 ? 1 : static_cast<int32_t>(id);
    } else {
        n->Node_Pri = Int_Def<int32_t>(E, "ID_Primary", 1);
        n->Node_Sec = Int_Def<int32_t>(E, "ID_Secondary", 1);
    }
    n->Description = Text_Required(E, "Descrizione");
    n->Send_SNK = Int_Def<uint8_t>(E, "Send_SND_NKE", 0);
    n->Reset_App = Int_Def<uint8_t>(E, "Reset_App", 0);
    n->Enable_NS = Int_Def<uint8_t>(E, "Enable_Node_State", 0);
    n->Node_State = Int_Def<int32_t>(E, "Node_State", 0);
    n->Enable_IN = Int_Def<uint8_t>(E, "Enable_Ident_Num", 0);
    n->Ident_Num = Int_Def<int32_t>(E, "Ident_Num", 0);
    n->BCDtoINT_IN = Int_Def<uint8_t>(E, "BCDtoINT_IN", 0);
    n->Swap_Ident = Int_Def<int32_t>(E, "Swap_IN", 0);
    n->Var_List_Type = Int_Def<uint8_t>(E, "Var_List_Type", 0);
    n->Cut_After = Int_Def<uint8_t>(E, "Cut_After", 0);
    n->Enable_MS = Int_Def<uint8_t>(E, "Enable_Manufacturer_Specific_Data", 0);
    n->Manufacturer_Spec = Int_Def<int32_t>(E, "Manufacturer_Specific_Data", 0);
    n->MSD_Length = Int_Def<uint8_t>(E, "MSD_Length", 0);
    n->MSD_Offset = Int_Def<uint8_t>(E, "MSD_Offset", 0);
    n->Enable_AN = Int_Def<uint8_t>(E, "Enable_Access_Number", 0);
    n->Access_Number = Int_Def<int32_t>(E, "Access_Number", 0);
    n->MBus_Type = Int_Def<uint8_t>(E, "MBus_Type", 1);
    n->wMBus_ManID = E.AttributeDef("wMBus_ManID", "");
    n->wMBus_Add = E.AttributeDef("wMBus_Add", "");
    n->wMBus_Ver = E.AttributeDef("wMBus_Ver", "");
    n->wMBus_DevType = E.AttributeDef("wMBus_DevType", "");
    n->wMBus_En_Key = Int_Def<uint8_t>(E, "wMBus_En_Key", 0);
    for (int k = 0; k < 16; ++k) n->wMBus_Key[k] = E.AttributeDef("wMBus_Key_" + IntToStr(k + 1), "");
    n->Enable_RSSI = Int_Def<uint8_t>(E, "wMBus_Enable_RSSI", 0);
    n->RSSI = Int_Def<int32_t>(E, "wMBus_RSSI", 0);
    return n;
}

void Read_Nodes(const TXMLNode& Parent, TNodiList& List)
{
    for (const TXMLNode& e : Parent.ChildNodes()) {
        // A scan of some converter families puts its meters under a group element;
        // the meters count, the group's line settings are the scan's own.
        if (e.NodeName() == Group_Name && !e.HasAttribute("Descrizione")) {
            Read_Nodes(e, List);
            continue;
        }
        std::unique_ptr<TNodo> n = Read_Nodo(e);
        TNodo& node = *n;
        List.push_back(std::move(n));
        for (const TXMLNode& v : e.ChildNodes()) node.Var_List.push_back(Read_Variabile(v));
    }
}

String Dec(long long V) { return IntToStr(V); }
const char* Bit(bool B) { return B ? "1" : "0"; }

void Write_Nodo(TXMLNode& Root, const TNodo& n)
{
    TXMLNode e = Root.AddChild("Nodo");
    e.SetAttribute("Node_Enable", Dec(n.Enable));
    e.SetAttribute("ID_Primary", Dec(n.Node_Pri));
    e.SetAttribute("ID_Secondary", Dec(n.Node_Sec));
    e.SetAttribute("Descrizione", n.Description);
    e.SetAttribute("Send_SND_NKE", Dec(n.Send_SNK));
    e.SetAttribute("Reset_App", Dec(n.Reset_App));
    e.SetAttribute("Enable_Node_State", Dec(n.Enable_NS));
    e.SetAttribute("Node_State", Dec(n.Node_State));
    e.SetAttribute("Enable_Ident_Num", Dec(n.Enable_IN));
    e.SetAttribute("Ident_Num", Dec(n.Ident_Num));
    e.SetAttribute("BCDtoINT_IN", Dec(n.BCDtoINT_IN));
    e.SetAttribute("Swap_IN", Dec(n.Swap_Ident));
    e.SetAttribute("Node_ID_Type", Dec(n.Node_ID_Type));
    e.SetAttribute("Var_List_Type", Dec(n.Var_List_Type));
    e.SetAttribute("Cut_After", Dec(n.Cut_After));
    e.SetAttribute("Enable_Manufacturer_Specific_Data", Dec(n.Enable_MS));
    e.SetAttribute("Manufacturer_Specific_Data", Dec(n.Manufacturer_Spec));
    e.SetAttribute("MSD_Length", Dec(n.MSD_Length));
    e.SetAttribute("MSD_Offset", Dec(n.MSD_Offset));
    e.SetAttribute("Enable_Access_Number", Dec(n.Enable_AN));
    e.SetAttribute("Access_Number", Dec(n.Access_Number));
    e.SetAttribute("MBus_Type", Dec(n.MBus_Type));
    e.SetAttribute("wMBus_ManID", n.wMBus_ManID);
    e.SetAttribute("wMBus_Add", n.wMBus_Add);
    e.SetAttribute("wMBus_Ver", n.wMBus_Ver);
    e.SetAttribute("wMBus_DevType", n.wMBus_DevType);
    e.SetAttribute("wMBus_En_Key", Dec(n.wMBus_En_Key));
    for (int k = 0; k < 16; ++k) e.SetAttribute("wMBus_Key_" + IntToStr(k + 1), n.wMBus_Key[k]);
    e.SetAttribute("wMBus_Enable_RSSI", Dec(n.Enable_RSSI));
    e.SetAttribute("wMBus_RSSI", Dec(n.RSSI));
    for (const auto& pv : n.Var_List) {
        const TVariabile& v = *pv;
        TXMLNode x = e.AddChild("Variabile");
        x.SetAttribute("Enable", Bit(v.Enable));
        x.SetAttribute("Desc", v.Description);
        x.SetAttribute("Type", Dec(v.Type_Of_Data));
        x.SetAttribute("Fun_Field", Dec(v.Function_Field));
        x.SetAttribute("Dim", Dec(v.Dimension));
        x.SetAttribute("Unit", Dec(v.Unita));
        x.SetAttribute("PositionData", Dec(v.PositionData));
        x.SetAttribute("StoNumber", Dec(v.Storage_Number));
        x.SetAttribute("Tariff", Dec(v.Tariff));
        x.SetAttribute("VIFE", Dec(v.VIFE));
        x.SetAttribute("BCDtoINT", Bit(v.BCDtoINT));
        x.SetAttribute("VIF_ASCII", v.VIF_ASCII);
        x.SetAttribute("Length", Dec(v.Length));
        x.SetAttribute("Conv_Float", Bit(v.Conv_Float));
        x.SetAttribute("Force_Int32", Bit(v.Force_Int32));
        x.SetAttribute("TP_Mod_Regs", Bit(v.TP_Mod_Regs));
        x.SetAttribute("TP_Mod_Year", Dec(v.TP_Mod_Year));
        x.SetAttribute("Position", Dec(v.Position));
        x.SetAttribute("Post_Operation", Dec(v.Post_Operation));
    }
}

void Build(TXMLDocument& Doc, const TNodiList& List)
{
    Doc.Clear();
    TXMLNode root = Doc.AddChild(Root_Name);
    Doc.AddComment(Version_Comment);
    for (const auto& n : List) Write_Nodo(root, *n);
}

}   // namespace

std::unique_ptr<TNodo> TNodo::Clone() const
{
    auto c = std::make_unique<TNodo>();
    TNodo& n = *c;
    n.Enable = Enable;
    n.Description = Description;
    n.Node_Pri = Node_Pri;
    n.Node_Sec = Node_Sec;
    n.Send_SNK = Send_SNK;
    n.Reset_App = Reset_App;
    for (const auto& v : Var_List) n.Var_List.push_back(std::make_unique<TVariabile>(*v));
    n.Enable_NS = Enable_NS;
    n.Node_State = Node_State;
    n.Enable_IN = Enable_IN;
    n.Ident_Num = Ident_Num;
    n.BCDtoINT_IN = BCDtoINT_IN;
    n.Swap_Ident = Swap_Ident;
    n.Node_ID_Type = Node_ID_Type;
    n.Var_List_Type = Var_List_Type;
    n.Cut_After = Cut_After;
    n.Enable_MS = Enable_MS;
    n.Manufacturer_Spec = Manufacturer_Spec;
    n.MSD_Length = MSD_Length;
    n.MSD_Offset = MSD_Offset;
    n.MBus_Type = MBus_Type;
    n.wMBus_ManID = wMBus_ManID;
    n.wMBus_Add = wMBus_Add;
    n.wMBus_Ver = wMBus_Ver;
    n.wMBus_DevType = wMBus_DevType;
    n.wMBus_En_Key = wMBus_En_Key;
    n.wMBus_Key = wMBus_Key;
    n.Enable_RSSI = Enable_RSSI;
    n.RSSI = RSSI;
    n.Enable_AN = Enable_AN;
    n.Access_Number = Access_Number;
    return c;
}

namespace {

template <typename Loader>
void Read_Network(TMBusNetwork& Net, Loader&& Load_Doc)
{
    Net.Clear();
    TXMLDocument doc;
    try {
        Load_Doc(doc);
        Read_Nodes(doc.DocumentElement(), Net.Nodi_List);
    } catch (const Exception& e) {
        Net.Read_Error = e.Message();
    }
}

}   // namespace

void TMBusNetwork::Load_XML(std::string_view Text, const String& Name)
{
    Read_Network(*this, [&](TXMLDocument& doc) { doc.LoadFromXML(Text, Name); });
}

void TMBusNetwork::Load(const String& File_Name)
{
    Clear();
    if (!FileExists(File_Name)) return;
    Read_Network(*this, [&](TXMLDocument& doc) { doc.LoadFromFile(File_Name); });
}

String TMBusNetwork::Save_XML() const
{
    TXMLDocument doc;
    Build(doc, Nodi_List);
    return doc.SaveToXML();
}

void TMBusNetwork::Save(const String& File_Name, bool Drop_Unread) const
{
    if (Read_In_Part() && !Drop_Unread)
        throw EMBusNetworkError("The network file was read only in part (" + Read_Error +
                                "); saving now would lose the meters that were not read.");
    TXMLDocument doc;
    Build(doc, Nodi_List);
    doc.SaveToFile(File_Name);
}

void Import_MBus_Network(const String& Source, const String& Target)
{
    // Read whole first, then written beside the target and renamed over it.
    WriteFileAtomic(Target, ReadFileBytes(Source));
}
