// The OPC UA client's model, its text forms and its file.
#include "editors/network/opcua/UOPC_UA_Client_Data.h"

#include <algorithm>

#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// A GUID part: hexadecimal digits only, at most 32 bits; anything else gives 0.
uint32_t Hex_Part(const String& Text)
{
    if (Text.empty()) return 0;
    unsigned long long v = 0;
    for (char c : Text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return 0;
        v = v * 16 + unsigned(d);
        if (v > 0xFFFFFFFFull) return 0;
    }
    return uint32_t(v);
}

// The text before the first "-" (all of it when there is none); Rest keeps what follows.
String Take_Group(String& Rest)
{
    const size_t p = Rest.find('-');
    String Part;
    if (p == String::npos) {
        Part = Rest;
        Rest.clear();
    } else {
        Part = Rest.substr(0, p);
        Rest.erase(0, p + 1);
    }
    return Part;
}

const char* Flag(const String& YN) { return YN == "Y" ? "1" : "0"; }
String YN(const String& Flag) { return Flag == "1" ? "Y" : "N"; }

void Write_Vars(TXMLNode Section, const TOPC_UA_Var_List& List)
{
    for (const auto& v : List) {
        TXMLNode n = Section.AddChild("Variable");
        n.AppendAttribute("Enable", v->Enable() ? "1" : "0");
        n.AppendAttribute("DisplayName", v->DispalyName());
        n.AppendAttribute("NodeType", v->NodeType());
        n.AppendAttribute("NodeID", v->NodeID());
        n.AppendAttribute("VarType", v->VarType());
        n.AppendAttribute("NameSpaceIndex", IntToStr(v->nameSpaceIndex));
        n.AppendAttribute("OnChange", Flag(v->OnChange()));
        n.AppendAttribute("OnCMD", Flag(v->OnCMD()));
        n.AppendAttribute("OnTimer", Flag(v->OnTimer()));
        n.AppendAttribute("Time", v->Time());
        n.AppendAttribute("Position", v->Position());
        n.AppendAttribute("Mnemonic", v->Mnemonic());
    }
}

void Read_Vars(const TXMLNode& Section, TOPC_UA_Var_List& List)
{
    for (const TXMLNode& n : Section.ChildNodes()) {
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(n.AttributeDef("Enable", "") == "1");
        v->SetDispalyName(n.Attribute("DisplayName"));
        v->SetNodeType(n.Attribute("NodeType"));
        v->SetNodeID(n.Attribute("NodeID"));
        v->SetVarType(n.Attribute("VarType"));
        v->nameSpaceIndex = uint16_t(StrToInt(n.Attribute("NameSpaceIndex")));
        v->SetOnChange(YN(n.AttributeDef("OnChange", "")));
        v->SetOnCMD(YN(n.AttributeDef("OnCMD", "")));
        v->SetOnTimer(YN(n.AttributeDef("OnTimer", "")));
        v->SetTime(n.Attribute("Time"));
        v->SetPosition(n.Attribute("Position"));
        v->SetMnemonic(n.Attribute("Mnemonic"));
        List.push_back(std::move(v));
    }
}

// The end farthest out (Position + length) of a list; 0 when none lies above 0.
long long Farthest_End(const TOPC_UA_Var_List& List)
{
    long long End = 0;
    for (const auto& v : List) End = std::max(End, StrToInt64Def(v->Position(), 0) + GetLenVarType(v->VarType()));
    return End;
}

}  // namespace

// ---------------------------------------------------------------------------------
// Text forms of a variable
// ---------------------------------------------------------------------------------
String TOPC_UA_Variable::NodeType() const { return OPCUA_IdType_Name(identifierType); }
void TOPC_UA_Variable::SetNodeType(const String& Text) { identifierType = uint16_t(OPCUA_IdType_Code(Text)); }

String TOPC_UA_Variable::NodeID() const
{
    opcua_structure Node {};
    Node.identifierType = identifierType;
    switch (identifierType) {
    case 0: return std::to_string(numeric);
    case 3: return stringname;
    case 5: return byteString;
    case 4:
        Node.guide1 = guide1;
        Node.guide2 = guide2;
        Node.guide3 = guide3;
        std::copy(guide4.begin(), guide4.end(), Node.guide4);
        return OPCUA_NodeId_Text(Node);
    default: return "";
    }
}

void TOPC_UA_Variable::SetNodeID(const String& Text)
{
    switch (identifierType) {
    case 0: {
        // Identifiers span the whole unsigned 32-bit range, as a browse delivers them and
        // as they are shown; a negative number keeps its 32-bit pattern, anything beyond
        // or no number gives 0.
        long long v = 0;
        numeric = TryStrToInt64(Text, v) && v >= -2147483648LL && v <= 4294967295LL ? uint32_t(v) : 0;
        break;
    }
    case 3: stringname = Text; break;
    case 5: byteString = Text; break;
    case 4: {
        String Rest = Trim(Text);
        guide1 = Hex_Part(Take_Group(Rest));
        guide2 = uint16_t(Hex_Part(Take_Group(Rest)));
        guide3 = uint16_t(Hex_Part(Take_Group(Rest)));
        for (size_t i = 0; i < guide4.size(); ++i) {
            String Part;
            if (Rest.size() <= 2) {
                Part = Rest;
                Rest.clear();
            } else {
                Part = Rest.substr(0, 2);
                // The dash between the fourth and the last group.
                Rest.erase(0, i == 1 ? 3 : 2);
            }
            guide4[i] = uint8_t(Hex_Part(Part));
        }
        break;
    }
    default: break;
    }
}

String TOPC_UA_Variable::VarType() const
{
    const String Name = OPCUA_DataType_Name(dataType);
    return Name.empty() ? String("Boolean") : Name;
}

void TOPC_UA_Variable::SetVarType(const String& Text)
{
    const auto& Names = OPC_UA::Data_Type_Names();
    dataType = 0;
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Text, Names[i])) dataType = int32_t(i);
}

const std::vector<String>& OPC_UA::Data_Type_Names()
{
    static const std::vector<String> Names = [] {
        std::vector<String> v;
        for (int i = 0; i <= 14; ++i) v.push_back(OPCUA_DataType_Name(i));
        return v;
    }();
    return Names;
}

int GetLenVarType(const String& VarType)
{
    static const int Lengths[15] = {1, 1, 1, 2, 2, 4, 4, 8, 8, 4, 8, 20, 8, 16, 20};
    const auto& Names = OPC_UA::Data_Type_Names();
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(VarType, Names[i])) return Lengths[i];
    return 0;
}

// ---------------------------------------------------------------------------------
// The file
// ---------------------------------------------------------------------------------
void Write_OPC_UA_Client(TXMLDocument& Doc, const TOPC_UA_Server_List& Servers)
{
    Doc.Clear();
    TXMLNode Root = Doc.AddChild(OPC_UA::Root);
    TXMLNode List = Root.AddChild("OPC_UA_Server_List");
    for (const auto& s : Servers) {
        TXMLNode n = List.AddChild("OPC_UA_Server");
        n.AppendAttribute("Enable", s->Enable() ? "1" : "0");
        n.AppendAttribute("ServerAddress", s->ServerAddress());
        n.AppendAttribute("Authorization", s->Authorization());
        n.AppendAttribute("UserName", s->UserName());
        n.AppendAttribute("Password", s->Password());
        n.AppendAttribute("Certificate", s->Certificate());
        n.AppendAttribute("PrivateKey", s->PrivateKey());
        n.AppendAttribute("SecurityType", s->SecurityType());
        n.AppendAttribute("SecurityPolicy", s->SecurityPolicy());
        n.AppendAttribute("Mnemonic", s->Mnemonic());
        TXMLNode Vars = n.AddChild("OPC_UA_Variables");
        Write_Vars(Vars.AddChild("OPC_UA_Read_Var"), s->Var_List_R);
        Write_Vars(Vars.AddChild("OPC_UA_Write_Var"), s->Var_List_W);
    }
}

void Read_OPC_UA_Client(const TXMLDocument& Doc, TOPC_UA_Server_List& Servers)
{
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root || Root.NodeName() != OPC_UA::Root)
        throw EXmlError(Format("The file has no element \"%s\"", {OPC_UA::Root}));
    for (const TXMLNode& n : Root.ChildNode("OPC_UA_Server_List").ChildNodes()) {
        auto s = std::make_unique<TOPC_UA_Server>();
        s->SetEnable(n.AttributeDef("Enable", "") == "1");
        s->SetServerAddress(n.Attribute("ServerAddress"));
        s->SetAuthorization(n.Attribute("Authorization"));
        s->SetUserName(n.Attribute("UserName"));
        s->SetPassword(n.Attribute("Password"));
        s->SetCertificate(n.Attribute("Certificate"));
        s->SetPrivateKey(n.Attribute("PrivateKey"));
        s->SetSecurityType(n.Attribute("SecurityType"));
        s->SetSecurityPolicy(n.Attribute("SecurityPolicy"));
        s->SetMnemonic(n.Attribute("Mnemonic"));
        const TXMLNode Vars = n.ChildNode("OPC_UA_Variables");
        Read_Vars(Vars.ChildNode("OPC_UA_Read_Var"), s->Var_List_R);
        Read_Vars(Vars.ChildNode("OPC_UA_Write_Var"), s->Var_List_W);
        Servers.push_back(std::move(s));
    }
}

// ---------------------------------------------------------------------------------
// Positions and checks
// ---------------------------------------------------------------------------------
std::pair<long long, long long> Start_Position(const TOPC_UA_Server_List& Servers, size_t Index)
{
    if (Index == 0 || Index > Servers.size()) return {0, 0};
    const TOPC_UA_Server& Before = *Servers[Index - 1];
    return {Farthest_End(Before.Var_List_R), Farthest_End(Before.Var_List_W)};
}

void Auto_Position(TOPC_UA_Server_List& Servers, size_t Index)
{
    if (Index >= Servers.size()) return;
    auto [Read, Write] = Start_Position(Servers, Index);
    for (auto& v : Servers[Index]->Var_List_R) {
        v->SetPosition(IntToStr(Read));
        Read += GetLenVarType(v->VarType());
    }
    for (auto& v : Servers[Index]->Var_List_W) {
        v->SetPosition(IntToStr(Write));
        Write += GetLenVarType(v->VarType());
    }
}

std::optional<String> Check_OPC_UA_Client(const TOPC_UA_Server_List& Servers)
{
    using OPC_UA::Max_Position;
    for (size_t s = 0; s < Servers.size(); ++s) {
        const int Server = int(s) + 1;
        const auto Fail = [&](int Text, int Var) -> std::optional<String> {
            return Format(Lang_Text(Text), {Server, Var, Max_Position});
        };
        const auto Position_Fails = [](const TOPC_UA_Variable& v) {
            const int p = StrToIntDef(v.Position(), -1);
            return p < 0 || p > Max_Position;
        };
        for (size_t k = 0; k < Servers[s]->Var_List_R.size(); ++k) {
            const TOPC_UA_Variable& v = *Servers[s]->Var_List_R[k];
            if (!v.Enable()) continue;
            const int Var = int(k) + 1;
            if (Trim(v.Time()).empty()) return Fail(5497, Var);
            if (StrToIntDef(v.Time(), -1) < 1) return Fail(5498, Var);
            if (Trim(v.Position()).empty()) return Fail(5499, Var);
            if (Position_Fails(v)) return Fail(5500, Var);
        }
        for (size_t k = 0; k < Servers[s]->Var_List_W.size(); ++k) {
            const TOPC_UA_Variable& v = *Servers[s]->Var_List_W[k];
            if (!v.Enable()) continue;
            const int Var = int(k) + 1;
            if (v.OnTimer() == "Y") {
                if (Trim(v.Time()).empty()) return Fail(5501, Var);
                if (StrToIntDef(v.Time(), -1) < 1) return Fail(5502, Var);
            }
            if (Trim(v.Position()).empty()) return Fail(5503, Var);
            if (Position_Fails(v)) return Fail(5504, Var);
        }
    }
    return std::nullopt;
}
