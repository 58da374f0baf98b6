// The SNMP manager editor as a description of the table editor engine.
#include "editors/network/USNMPManagerAccess_Desc.h"

#include "platform/rtl/Unicode.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

using namespace SNMP_Manager;

bool Version_3(const TRowView& r) { return r.Int(Col_Version) == 3; }

// The cell is a dotted IPv4 address (blanks around the parts allowed).
TRowCheck Check_IP(int Col, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        String P1, P2, P3, P4;
        if (Split_IP_Address(r.Cell(Col), P1, P2, P3, P4)) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

// The object identifier as it stands. An empty one names no object: it is refused with a
// message of its own.
std::optional<TRowError> OID_Error(const TRowView& r, const TEditorContext&)
{
    const String OID = r.Cell(Col_OID);
    if (OID.empty()) return TRowError{6190, std::nullopt, Col_OID};
    const int Code = Check_SNMP_OID(OID);
    if (Code == 0) return std::nullopt;
    return TRowError{6138 + Code, std::nullopt, Col_OID};
}

// An SNMPv3 request names the modes its security level uses: an empty level counts as
// authentication and privacy.
std::optional<TRowError> Security_Error(const TRowView& r, const TEditorContext&)
{
    if (!Version_3(r)) return std::nullopt;
    const int Level = SNMP_Security_Level_Code(r.Cell(Col_Security_Level));
    if ((Level & 1) && r.Trimmed(Col_Auth_Mode).empty()) return TRowError{6184, std::nullopt, Col_Auth_Mode};
    if ((Level & 2) && r.Trimmed(Col_Priv_Mode).empty()) return TRowError{6185, std::nullopt, Col_Priv_Mode};
    return std::nullopt;
}

// Two enabled requests to the same agent with the same version and identifier.
std::optional<TTableError> Duplicate_Error(const TTableView& t, const TEditorContext&)
{
    for (int a = 1; a <= t.Rows(); ++a) {
        if (!t.Takes_Part(a)) continue;
        const TRowView A = t.Row(a);
        for (int b = a + 1; b <= t.Rows(); ++b) {
            if (!t.Takes_Part(b)) continue;
            const TRowView B = t.Row(b);
            if (A.Trimmed(Col_IP_Address) == B.Trimmed(Col_IP_Address) &&
                A.Trimmed(Col_Version) == B.Trimmed(Col_Version) && A.Trimmed(Col_OID) == B.Trimmed(Col_OID))
                return TTableError{b, Lang_Text(6186) + IntToStr(a) + Lang_Text(6187) + IntToStr(b) + Lang_Text(6188)};
        }
    }
    return std::nullopt;
}

std::optional<TTableError> Total_Error(const TTableView& t, const TEditorContext&)
{
    if (SNMP_String_Total(t) <= Max_String_Total) return std::nullopt;
    return TTableError{0, Lang_Text(6189)};
}

}  // namespace

long long SNMP_String_Total(const TTableView& t)
{
    long long Total = 1;
    auto Add = [&Total](const String& s) {
        if (!s.empty()) Total += Utf8Length(s) + 1;
    };
    for (int r = 1; r <= t.Rows(); ++r) {
        if (!t.Takes_Part(r)) continue;
        const TRowView Row = t.Row(r);
        Add(Row.Cell(Col_OID));
        if (!Version_3(Row)) {
            Add(Row.Cell(Col_Community_String));
            continue;
        }
        Add(Row.Cell(Col_User));
        const int Level = SNMP_Security_Level_Code(Row.Cell(Col_Security_Level));
        if (Level & 1) Add(Row.Cell(Col_Auth_Pass));
        if (Level & 2) Add(Row.Cell(Col_Priv_Pass));
    }
    return Total;
}

TEditorDesc SNMPManagerAccess_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFSNMPManagerAccess";
    d.Name = "FSNMPManagerAccess";
    d.Client_Width = 1230;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (size_t i = 0; i < d.Buttons.size(); ++i) {
        d.Buttons[i].Hint = 6148 + int(i);
        d.Buttons[i].Show_Hint = true;
    }
    d.Tables_Show_Hints = true;
    d.Root = "SNMP_Manager_Access";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_SNMP_Manager;

    TTableDesc t;
    t.Grid_Name = "ACG_SNMP";
    t.Rows = Rows;
    t.Select_Row_On_Click = false;
    t.Row_Error_Prefix = 6137;
    t.Delete_Question = 6147;
    TFieldDesc Position = List_Column("Position", 6120, 6134, fkList, {});
    Position.Items_From = [](const TEditorContext&) {
        std::vector<String> Items;
        for (int i = 0; i < Positions; ++i) Items.push_back(IntToStr(i));
        return Items;
    };
    t.Columns = {Number_Column(6108),
                 Enable_Column(6109, 6123),
                 Text_Column("IP_Address", 6110, 6124),
                 List_Column("Version", 6111, 6125, fkList, {"1", "2", "3"}),
                 List_Column("Community_String", 6112, 6126, fkListEdit, {"Vostek", "Quenmar"}),
                 Text_Column("OID", 6113, 6127),
                 List_Column("Type", 6114, 6128, fkList, {"String", "Int"}),
                 List_Column("Mode", 6115, 6129, fkList, {"Get", "Set", "Trap"}),
                 Check_Column("On_Change", 6116, 6130),
                 Check_Column("On_Command", 6117, 6131),
                 Check_Column("On_Timer", 6118, 6132),
                 Text_Column("Time", 6119, 6133),
                 Position,
                 Text_Column("Number_Bytes", 6121, 6135),
                 With_Default(List_Column("ConvertFrom", 6154, 6155, fkList, {"None", "Float", "Float * 10", "Float * 100"}),
                              String("None")),
                 Check_Column("Cancel", 6160, 6161),
                 Text_Column("User", 6162, 6168),
                 Text_Column("Auth_Pass", 6163, 6169),
                 Text_Column("Priv_Pass", 6164, 6170),
                 List_Column("Security_Level", 6165, 6171, fkList, {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"}),
                 List_Column("Auth_Mode", 6166, 6172, fkList, {"MD5", "SHA"}),
                 List_Column("Priv_Mode", 6167, 6173, fkList, {"DES", "AES"}),
                 Text_Column("Mnemonic", 6122, 6136)};
    const int Widths[Col_Count] = {40, 50, 90, 60, 106, 100, 65, 65, 75, 50, 65, 65,
                                   75, 75, 95, 50, 70, 70, 70, 100, 75, 75, 80};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = Widths[c];
    t.Checks = {Check_IP(Col_IP_Address, 6138),
                OID_Error,
                Check_When([](const TRowView& r, const TEditorContext&) { return r.Trimmed(Col_On_Timer) == "Y"; },
                           Check_Range(Col_Time, 1, 100000000, 6145)),
                Check_Range(Col_Number_Bytes, 0, 1024, 6146),
                Check_Not_Empty(Col_ConvertFrom, 6156),
                Security_Error};
    // The string total is told only once no two requests are the same.
    t.Table_Checks = {Duplicate_Error, Total_Error};
    d.Tables = {std::move(t)};
    return d;
}
