// The SNMP agent variables editor as a description of the table editor engine.
#include "editors/network/USNMP_Trap_Access_Desc.h"

#include <algorithm>

#include "editors/frame/UTableFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace SNMP_Trap {
const char* const NByte_IN_Name = "NByte_IN";
const char* const NByte_OUT_Name = "NByte_OUT";
}  // namespace SNMP_Trap

bool Check_Error_CommName_Desc(const String& Text, int Check_Type)
{
    if (Text.empty()) return false;
    auto Lower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto Allowed = [&](char c) { return Lower(c) || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); };
    if (!std::all_of(Text.begin(), Text.end(), Allowed)) return true;
    return Check_Type == 1 && !Lower(Text.front());
}

namespace {

using namespace SNMP_Trap;

const std::vector<String> Community_Items = {"Vostek", "Quenmar"};
const std::vector<String> Types = {"Int", "String"};
const std::vector<String> Bits = {"0", "1", "2", "3", "4", "5", "6", "7"};
const std::vector<String> Conversions = {"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"};
// Community names and descriptions are typed with at most this many characters.
constexpr int Name_Length = 15;

bool Int_Row(const TRowView& r, int Type_Col) { return r.Upper(Type_Col) == "INT"; }

TRowCheck Check_Name(int Col, int Check_Type, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        if (!Check_Error_CommName_Desc(r.Cell(Col), Check_Type)) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

// A text is read from the start of the value's byte.
TRowCheck Check_String_Bit(int Type_Col, int Bit_Col, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        if (Int_Row(r, Type_Col) || r.Trimmed(Bit_Col) == "0") return std::nullopt;
        return TRowError{Message, std::nullopt, Bit_Col};
    };
}

// An integer takes 1 .. 64 bits, a text 1 .. 16 bytes.
TRowCheck Check_Size(int Type_Col, int Size_Col, int Bits_Message, int Bytes_Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        const long long n = r.Int(Size_Col);
        if (Int_Row(r, Type_Col)) {
            if (n >= 1 && n <= 64) return std::nullopt;
            return TRowError{Bits_Message, std::nullopt, Size_Col};
        }
        if (n >= 1 && n <= 16) return std::nullopt;
        return TRowError{Bytes_Message, std::nullopt, Size_Col};
    };
}

TRowCheck Check_IP(int Col, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        String P1, P2, P3, P4;
        if (Split_IP_Address(r.Cell(Col), P1, P2, P3, P4)) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

// Every variable of the agent has a name of its own in the MIB: the descriptions of the
// enabled rows of both tables (read rows first) differ, compared exactly.
std::optional<TCheckFailure> Unique_Descriptions(const std::vector<TTableView>& Tables, const TEditorContext&)
{
    std::vector<String> SL_Check_Desc;
    const int Desc_Col[] = {Rd_Description, Wr_Description};
    for (size_t t = 0; t < Tables.size() && t < 2; ++t)
        for (int r = 1; r <= Tables[t].Rows(); ++r) {
            if (!Tables[t].Takes_Part(r)) continue;
            const String Desc = Tables[t].Row(r).Cell(Desc_Col[t]);
            if (std::find(SL_Check_Desc.begin(), SL_Check_Desc.end(), Desc) != SL_Check_Desc.end())
                return TCheckFailure{int(t), r, Lang_Text(6280)};
            SL_Check_Desc.push_back(Desc);
        }
    return std::nullopt;
}

TFieldDesc Limited(TFieldDesc Field)
{
    Field.Max_Length = Name_Length;
    return Field;
}

TFieldDesc Position_Column(int Caption, int Hint, const char* Limit)
{
    TFieldDesc f = List_Column("Position", Caption, Hint, fkList, {});
    f.Items_From = [Limit](const TEditorContext& c) {
        std::vector<String> Items;
        for (long long i = 0; i < c.Number(Limit); ++i) Items.push_back(IntToStr(int(i)));
        return Items;
    };
    return f;
}

TTableDesc Table(const String& Grid_Name, const String& Section, int Page_Caption)
{
    TTableDesc t;
    t.Grid_Name = Grid_Name;
    t.Section = Section;
    t.Rows = SNMP_Trap::Rows;
    t.Enable_Test = etUpperRaw;
    t.Select_Row_On_Click = false;
    t.Page_Caption = Page_Caption;
    t.Row_Error_Prefix = 6260;
    t.Delete_Question = 6275;
    return t;
}

void Set_Widths(TTableDesc& t, std::initializer_list<int> Widths)
{
    size_t c = 0;
    for (int w : Widths) t.Columns.at(c++).Width = w;
}

}  // namespace

TEditorDesc SNMP_Trap_Access_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFSNMP_Trap_Access";
    d.Name = "FSNMP_Trap_Access";
    d.Client_Width = 1256;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (size_t i = 0; i < d.Buttons.size(); ++i) {
        d.Buttons[i].Hint = 6210 + int(i);
        d.Buttons[i].Show_Hint = true;
    }
    d.Tables_Show_Hints = true;
    d.Root = "SNMP_Trap";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_SNMP_Trap;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[NByte_IN_Name] = NByte_IN;
        c.Numbers[NByte_OUT_Name] = NByte_OUT;
    };

    TTableDesc r = Table("ACG_SNMP_Read", "SNMP_Trap_Read", 6208);
    r.Columns = {Number_Column(6216),
                 Enable_Column(6217, 6239),
                 Limited(List_Column("Community_Name", 6218, 6240, fkListEdit, Community_Items)),
                 List_Column("Type", 6219, 6241, fkList, Types),
                 Check_Column("On_Change", 6220, 6242),
                 Check_Column("On_Command", 6221, 6243),
                 Check_Column("On_Timer", 6222, 6244),
                 Text_Column("Time", 6223, 6245),
                 Position_Column(6224, 6246, NByte_IN_Name),
                 List_Column("Bit", 6225, 6247, fkList, Bits),
                 Text_Column("NumBits", 6226, 6248),
                 Limited(Text_Column("Description", 6227, 6249)),
                 Text_Column("IP_Address", 6228, 6250),
                 With_Default(List_Column("Conversion", 6281, 6283, fkList, Conversions), String("None")),
                 Text_Column("Mnemonic", 6229, 6251)};
    Set_Widths(r, {40, 50, 130, 60, 75, 50, 60, 65, 60, 60, 95, 130, 120, 100, 130});
    r.Checks = {Check_Name(Rd_Community_Name, 0, 6276),
                Check_Not_Empty(Rd_Type, 6261),
                Check_When([](const TRowView& v, const TEditorContext&) { return v.Upper(Rd_On_Timer) == "Y"; },
                           Check_Range(Rd_Time, 1, 1000000000, 6262)),
                Check_Not_Empty(Rd_Position, 6263),
                Check_Not_Empty(Rd_Bit, 6264),
                Check_String_Bit(Rd_Type, Rd_Bit, 6265),
                Check_Size(Rd_Type, Rd_NumBits, 6266, 6267),
                Check_Name(Rd_Description, 1, 6277),
                Check_IP(Rd_IP_Address, 6268),
                Check_Not_Empty(Rd_Conversion, 6285)};

    TTableDesc w = Table("ACG_SNMP_Write", "SNMP_Trap_Write", 6209);
    w.Columns = {Number_Column(6230),
                 Enable_Column(6231, 6252),
                 Limited(List_Column("Community_Name", 6232, 6253, fkListEdit, Community_Items)),
                 List_Column("Type", 6233, 6254, fkList, Types),
                 Position_Column(6234, 6255, NByte_OUT_Name),
                 List_Column("Bit", 6235, 6256, fkList, Bits),
                 Text_Column("NumBits", 6236, 6257),
                 Limited(Text_Column("Description", 6237, 6258)),
                 With_Default(List_Column("Conversion", 6282, 6284, fkList, Conversions), String("None")),
                 Text_Column("Mnemonic", 6238, 6259)};
    Set_Widths(w, {40, 50, 130, 60, 60, 60, 95, 130, 100, 500});
    w.Checks = {Check_Name(Wr_Community_Name, 0, 6278),
                Check_Not_Empty(Wr_Type, 6269),
                Check_Not_Empty(Wr_Position, 6270),
                Check_Not_Empty(Wr_Bit, 6271),
                Check_String_Bit(Wr_Type, Wr_Bit, 6272),
                Check_Size(Wr_Type, Wr_NumBits, 6273, 6274),
                Check_Name(Wr_Description, 1, 6279),
                Check_Not_Empty(Wr_Conversion, 6286)};

    d.Tables = {std::move(r), std::move(w)};
    d.Editor_Checks = {Unique_Descriptions};
    return d;
}
