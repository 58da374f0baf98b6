// The KNX table of bank2.bin from KNX_SetAccess.xml, and the two KNX address encodings.
#include "converter/UBinLayout.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"

namespace {

int Part_Int(const String& Part) { return StrToIntDef(Trim(Part), 0); }

// Splits Text at its first Sep: Head before it, Tail after it; false without Sep.
bool Cut(const String& Text, char Sep, String& Head, String& Tail)
{
    const auto At = Text.find(Sep);
    if (At == String::npos) return false;
    Head = Text.substr(0, At);
    Tail = Text.substr(At + 1);
    return true;
}

// The attributes of one taken row. Those the KNX editor always writes are required: a row
// without one of them cannot be turned into an entry, and the build stops. For the optional
// ones a missing attribute reads like an empty one, except where noted.
class TKNX_Row {
public:
    TKNX_Row(const TXMLNode& Row, int Number, const String& File) : FRow(Row), FNumber(Number), FFile(File) {}

    String Required(const char* Name) const
    {
        try {
            return FRow.Attribute(Name);
        } catch (const EXmlError&) {
            throw EXmlError(Format("The file \"%s\": row %d of \"KNX_in_Write\" has no attribute \"%s\"",
                                   {FFile, FNumber, String(Name)}));
        }
    }
    String Optional(const char* Name) const { return FRow.AttributeDef(Name, ""); }
    bool Has(const char* Name) const { return FRow.HasAttribute(Name); }

private:
    const TXMLNode& FRow;
    int FNumber;
    const String& FFile;
};

bool Is_Y(const String& Value) { return UpperCase(Value) == "Y"; }

}   // namespace

uint16_t Get_KNX_Address(const String& Text, bool Group)
{
    const String S = Trim(Text);
    String A, Rest, B, C;
    if (Group) {
        if (!Cut(S, '/', A, Rest)) return static_cast<uint16_t>(Part_Int(S));
        if (!Cut(Rest, '/', B, C))
            return static_cast<uint16_t>((Part_Int(A) & 31) * 2048 + (Part_Int(Rest) & 2047));
        return static_cast<uint16_t>((Part_Int(A) & 31) * 2048 + (Part_Int(B) & 7) * 256 + (Part_Int(C) & 255));
    }
    if (!Cut(S, '.', A, Rest)) return static_cast<uint16_t>(Part_Int(S));
    if (!Cut(Rest, '.', B, C)) {   // area.device: the line is empty
        B.clear();
        C = Rest;
    }
    return static_cast<uint16_t>((Part_Int(A) & 15) * 4096 + (Part_Int(B) & 15) * 256 + (Part_Int(C) & 255));
}

void TBin_Builder::Load_KNX_Access_For_Bin(const String& File)
{
    Put_U32(Bank1.data() + Bank1_Ofs::KNX_Zero_452, 0);
    uint32_t Count = 0;
    Put_U32(Bank1.data() + Bank1_Ofs::KNX_Count, Count);
    const char Sep = Get_Decimal_Separator();
    if (!FileExists(File)) return;

    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    const TXMLNode Section = Bin_Section(Doc.DocumentElement(), "KNX_in_Write", File);
    int Number = 0;
    for (const TXMLNode& Node : Section.ChildNodes()) {
        ++Number;
        if (!Is_Row_Taken(Node)) continue;
        // Rows beyond the 1024 entries of the table are left out (the editor never writes more).
        if (Count >= KNX_Entries) break;
        const TKNX_Row Row(Node, Number, File);
        TKNX_Entry e;

        e.APCI = static_cast<uint16_t>(KNX_Access_Code(Row.Required("APCI")));
        e.Priority = static_cast<uint8_t>(KNX_Priority_Code(Row.Required("Priority")));
        e.Flags = 0;
        if (Is_Y(Row.Required("Extended"))) e.Flags |= KNX_Flag_Extended;
        const String Destination = Row.Required("Destination_Address");
        if (Has_No_Dot(Destination)) e.Flags |= KNX_Flag_Group;
        if (Is_Y(Row.Required("ReTest"))) e.Flags |= KNX_Flag_ReTest;
        e.Source = Get_KNX_Address(Row.Required("Source_Address"), false);
        e.Destination = Get_KNX_Address(Destination, (e.Flags & KNX_Flag_Group) != 0);
        if (Is_Y(Row.Optional("On_Command"))) e.Flags |= KNX_Flag_On_Command;
        if (Is_Y(Row.Required("On_Change"))) e.Flags |= KNX_Flag_On_Change;

        // On a timer, an empty poll time means 1000 ms, a missing one 0.
        e.Poll_Time = Is_Y(Row.Optional("On_Timer")) && Row.Has("Poll_Time")
                          ? static_cast<uint32_t>(StrToIntDef(Row.Optional("Poll_Time"), 1000))
                          : 0;

        e.Flags |= Conversion_Code(Row.Optional("Format"));

        const String Factor_Text = Trim(Row.Optional("MultiplicationFactor"));
        e.Factor = 1.0f;
        if (!Factor_Text.empty()) {
            float Factor;
            if (Str_To_Float_Sep(Factor_Text, Sep, Factor)) e.Factor = Factor;
        }

        const String Bit_Mode = Row.Required("Bit_Mode");
        const int Position = StrToIntDef(Row.Required("Position"), 0);
        if (UpperCase(Bit_Mode) == "NO") {
            e.Position = static_cast<uint16_t>(Position);
        } else {
            e.Flags |= KNX_Flag_Bit_Mode;
            e.Position = static_cast<uint16_t>(static_cast<uint32_t>(Position) * 8u +
                                               static_cast<uint32_t>(StrToIntDef(Bit_Mode, 0)));
        }

        e.Length = static_cast<uint8_t>(StrToIntDef(Row.Required("Length"), 1));
        e.TimeOut = static_cast<uint32_t>(StrToIntDef(Row.Optional("TimeOut"), 0));

        KNX[Count++] = e;
    }
    Put_U32(Bank1.data() + Bank1_Ofs::KNX_Count, Count);
}
