// The DeviceNet offsets: slaves, their bytes' places, the check and the file.
#include "editors/fieldbus/UDefOffset_Data.h"

#include "shell/ULanguage.h"

namespace {

String Required(const TXMLNode& Node, const char* Name, const String& File)
{
    if (!Node.HasAttribute(Name))
        throw EXmlError(Format("The file \"%s\": \"%s\" has no attribute \"%s\"", {File, Node.NodeName(), String(Name)}));
    return Node.Attribute(Name);
}

long long Count(const String& Text, long long Most, const char* Name, int Row, const String& File)
{
    const long long v = StrToIntDef(Text, -1);
    if (v < 0 || v > Most)
        throw EXmlError(Format("The file \"%s\": row %d: %s \"%s\" is no whole number from 0 to %d",
                               {File, Row, String(Name), Text, int(Most)}));
    return v;
}

TXMLNode Required_Child(const TXMLNode& Node, const char* Name, const String& File)
{
    TXMLNode Child = Node.FindNode(Name);
    if (!Child) throw EXmlError(Format("The file \"%s\": \"%s\" has no \"%s\"", {File, Node.NodeName(), String(Name)}));
    return Child;
}

// The byte rows of one direction into a slave's two lists, as far as the slave has bytes.
void Load_Bytes(const TXMLNode& Node, std::vector<String>& Offsets, std::vector<String>& Mnemonics, const String& File)
{
    const int n = std::min<int>(Node.ChildCount(), int(Offsets.size()));
    for (int i = 0; i < n; ++i) {
        const TXMLNode Row = Node.Child(i);
        Offsets[size_t(i)] = Required(Row, "Offset", File);
        Mnemonics[size_t(i)] = Required(Row, "Mnemonic", File);
    }
}

void Save_Bytes(TXMLNode Node, const std::vector<String>& Offsets, const std::vector<String>& Mnemonics)
{
    for (size_t i = 0; i < Offsets.size(); ++i) {
        TXMLNode Row = Node.AddChild("row");
        Row.SetAttribute("Offset", Offsets[i]);
        Row.SetAttribute("Mnemonic", i < Mnemonics.size() ? Mnemonics[i] : String());
    }
}

}  // namespace

void TDefOffset_Data::Clear()
{
    List_Slaves_DN.clear();
    Slave_Texts.clear();
}

void TDefOffset_Data::Load_Slave_DN(const TXMLDocument& Doc, const String& File)
{
    using namespace DefOffset;
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) throw EXmlError(Format("The file \"%s\" has no root element", {File}));
    for (int k = 0; k < Root.ChildCount(); ++k) {
        const TXMLNode Node = Root.Child(k);
        const std::array<String, 4> Texts = {Required(Node, "ID", File), Required(Node, "NB_IN", File),
                                             Required(Node, "NB_OUT", File), Required(Node, "Mnemonic", File)};
        TSlave_DN Slave;
        Slave.ID = uint8_t(Count(Texts[0], Max_ID, "ID", k + 1, File));
        Slave.ByteIN = uint16_t(Count(Texts[1], Max_Bytes, "NB_IN", k + 1, File));
        Slave.ByteOUT = uint16_t(Count(Texts[2], Max_Bytes, "NB_OUT", k + 1, File));
        Slave.SL_ByteIN.assign(Slave.ByteIN, No_Offset);
        Slave.SL_ByteIN_M.assign(Slave.ByteIN, String());
        Slave.SL_ByteOUT.assign(Slave.ByteOUT, No_Offset);
        Slave.SL_ByteOUT_M.assign(Slave.ByteOUT, String());
        List_Slaves_DN.push_back(std::move(Slave));
        Slave_Texts.push_back(Texts);
    }
}

void TDefOffset_Data::Load_Offset_Slave_DN(const TXMLDocument& Doc, const String& File)
{
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) throw EXmlError(Format("The file \"%s\" has no root element", {File}));
    const int n = std::min<int>(Root.ChildCount(), int(List_Slaves_DN.size()));
    for (int k = 0; k < n; ++k) {
        const TXMLNode Node = Root.Child(k);
        TSlave_DN& Slave = List_Slaves_DN[size_t(k)];
        Load_Bytes(Required_Child(Node, "ByteIN", File), Slave.SL_ByteIN, Slave.SL_ByteIN_M, File);
        Load_Bytes(Required_Child(Node, "ByteOUT", File), Slave.SL_ByteOUT, Slave.SL_ByteOUT_M, File);
    }
}

void TDefOffset_Data::Reset_Array_Check()
{
    Check_Byte_Offset.fill(TByte_Offset_Use());
}

std::optional<String> TDefOffset_Data::Check_Data()
{
    Reset_Array_Check();
    for (const TSlave_DN& Slave : List_Slaves_DN)
        for (size_t i = 0; i < Slave.SL_ByteOUT.size(); ++i) {
            const long long Offset = StrToIntDef(Slave.SL_ByteOUT[i], -1);
            if (Offset < 0 || Offset >= DefOffset::Offsets) continue;
            TByte_Offset_Use& Use = Check_Byte_Offset[size_t(Offset)];
            if (Use.ID >= 0)
                return Lang_Text(3921) + "\n\r( " + Lang_Text(3922) + IntToStr(Use.ID) + Lang_Text(3923) +
                       IntToStr(Use.Byte) + Lang_Text(3924) + IntToStr(Slave.ID) + Lang_Text(3925) + IntToStr(int(i)) +
                       ")";
            Use = {Slave.ID, int(i)};
        }
    return std::nullopt;
}

void TDefOffset_Data::Save_Offset_Slave_DN(TXMLDocument& Doc) const
{
    Doc.Clear();
    TXMLNode Root = Doc.AddChild("Define_Offset");
    Doc.AddComment("SW_VERSION = 1.000");
    for (const TSlave_DN& Slave : List_Slaves_DN) {
        TXMLNode Node = Root.AddChild("Nodo_DNET");
        Save_Bytes(Node.AddChild("ByteIN"), Slave.SL_ByteIN, Slave.SL_ByteIN_M);
        Save_Bytes(Node.AddChild("ByteOUT"), Slave.SL_ByteOUT, Slave.SL_ByteOUT_M);
    }
}
