// The S7 access editor as a description of the table editor engine.
#include "editors/network/US7_Protocol_Set_Access_Desc.h"

#include <algorithm>

#include "shell/UComon.h"

namespace S7 {
const char* const NByte_IN_Name = "NByte_IN";
const char* const NByte_OUT_Name = "NByte_OUT";
}  // namespace S7

int Check_IP_Port(std::vector<String>& Seen, const uint8_t (&IP)[4], int Port)
{
    // By the bytes, so 192.168.001.010 and 192.168.1.10 are one PLC.
    const String Key = Format("%d.%d.%d.%d:%d", {int(IP[0]), int(IP[1]), int(IP[2]), int(IP[3]), Port});
    const auto It = std::find(Seen.begin(), Seen.end(), Key);
    if (It != Seen.end()) return int(It - Seen.begin());
    if (int(Seen.size()) >= S7::Max_Connections) return -1;
    Seen.push_back(Key);
    return int(Seen.size()) - 1;
}

namespace {

using namespace S7;

const std::vector<String> PLC_Types = {"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"};
const std::vector<String> Data_Types = {"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"};
const std::vector<String> Data_Identifiers = {"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"};
const std::vector<String> PLC_Areas = {"Direct peripheral access (P)", "Inputs (I)", "Output (Q)",
                                       "Flags (M) (Merker)"};
const std::vector<String> Bits = {"0", "1", "2", "3", "4", "5", "6", "7"};
// The run's list of connections, shared by the rows of both tables.
const char* const Connections = "S7 connections";

// The row's PLC address (the cell as it stands, not trimmed) is four numbers 0 .. 255.
TRowCheck Check_Address(int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        uint8_t b[4];
        if (!IP_To_Bytes(r.Cell(Col_PLC_Address), b[0], b[1], b[2], b[3])) return std::nullopt;
        return TRowError{Message, std::nullopt, Col_PLC_Address};
    };
}

// The row's PLC is one of the connections the rows above (in both tables) opened, or
// one more while there is room.
TRowCheck Check_Connection(int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        uint8_t b[4] = {0, 0, 0, 0};
        IP_To_Bytes(r.Cell(Col_PLC_Address), b[0], b[1], b[2], b[3]);
        if (Check_IP_Port(r.Run_List(Connections), b, int(r.Int(Col_PLC_Port))) >= 0) return std::nullopt;
        return TRowError{Message, std::nullopt, Col_PLC_Address};
    };
}

TBound Last_Of(const char* Name)
{
    return [Name](const TEditorContext& c) { return c.Number(Name) - 1; };
}

TFieldDesc Required(TFieldDesc Field) { return With_Default(std::move(Field), std::nullopt); }

TFieldDesc Position_Column(int Caption, int Hint, const char* Limit)
{
    TFieldDesc f = Required(List_Column("Position", Caption, Hint, fkList, {}));
    f.Items_From = [Limit](const TEditorContext& c) {
        std::vector<String> Items;
        for (long long i = 0; i < c.Number(Limit); ++i) Items.push_back(IntToStr(int(i)));
        return Items;
    };
    return f;
}

// The columns both tables begin with; t is 0 for the read texts, 1 for the write texts.
std::vector<TFieldDesc> Common_Columns(int t)
{
    const int Head[] = {5916, 5929}, Hint[] = {5944, 5956}, Rack[] = {6013, 6015}, Rack_Hint[] = {6017, 6019},
              Mem[] = {5989, 5993}, Mem_Hint[] = {5997, 6001};
    const int h = Head[t], k = Hint[t];
    return {Number_Column(h),
            Enable_Column(h + 1, k),
            Required(Text_Column("PLC_Address", h + 2, k + 1)),
            Required(Text_Column("PLC_Port", h + 3, k + 2)),
            Required(List_Column("PLC_Type", h + 4, k + 3, fkList, PLC_Types)),
            With_Default(Text_Column("Rack", Rack[t], Rack_Hint[t]), String("0")),
            With_Default(Text_Column("Slot", Rack[t] + 1, Rack_Hint[t] + 1), String("0")),
            Required(List_Column("Data_Type", h + 5, k + 4, fkList, Data_Types)),
            Required(List_Column("Data_Identifier", h + 6, k + 5, fkList, Data_Identifiers)),
            Required(Text_Column("DB_Number", Mem[t], Mem_Hint[t])),
            Required(List_Column("PLC_Area", Mem[t] + 1, Mem_Hint[t] + 1, fkList, PLC_Areas)),
            Required(Text_Column("PLC_Add", Mem[t] + 2, Mem_Hint[t] + 2)),
            Required(List_Column("PLC_Bit", Mem[t] + 3, Mem_Hint[t] + 3, fkList, Bits)),
            Required(Text_Column("PollTime", h + 7, k + 6))};
}

// The messages of one table, by the order of its checks.
struct TMessages {
    int Address, Port, Connections, Type, Rack, Slot, Data_Type, Identifier, DB, Area, Add, Bit, Poll, Position,
        Start_Bit;
};

std::vector<TRowCheck> Row_Checks(const TMessages& m, long long Least_Poll, int Position_Col, int Bit_Col,
                                  const char* Limit)
{
    return {Check_Address(m.Address),
            Check_Range(Col_PLC_Port, 0, 65535, m.Port),
            Check_Connection(m.Connections),
            Check_Not_Empty(Col_PLC_Type, m.Type),
            Check_Range(Col_Rack, 0, 3, m.Rack),
            Check_Range(Col_Slot, 0, 31, m.Slot),
            Check_Not_Empty(Col_Data_Type, m.Data_Type),
            Check_Not_Empty(Col_Data_Identifier, m.Identifier),
            Check_Range(Col_DB_Number, 0, 65535, m.DB),
            Check_Not_Empty(Col_PLC_Area, m.Area),
            Check_Range(Col_PLC_Add, 0, 65535, m.Add),
            Check_Not_Empty(Col_PLC_Bit, m.Bit),
            Check_Range(Col_PollTime, Least_Poll, 100000000, m.Poll),
            Check_Range(Position_Col, [](const TEditorContext&) { return 0LL; }, Last_Of(Limit), m.Position, true),
            Check_Not_Empty(Bit_Col, m.Start_Bit)};
}

TTableDesc Table(const String& Grid_Name, const String& Section, int Page_Caption)
{
    TTableDesc t;
    t.Grid_Name = Grid_Name;
    t.Section = Section;
    t.Rows = S7::Rows;
    t.Page_Caption = Page_Caption;
    t.Row_Error_Prefix = 5970;
    // The block's free entry that holds the question.
    t.Delete_Question = 6025;
    return t;
}

void Set_Widths(TTableDesc& t, std::initializer_list<int> Widths)
{
    size_t c = 0;
    for (int w : Widths) t.Columns.at(c++).Width = w;
}

}  // namespace

TEditorDesc S7_Protocol_Set_Access_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFS7_Protocol_Set_Access";
    d.Name = "FS7_Protocol_Set_Access";
    d.Client_Width = 1350;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = true;
    d.Root = "S7_Protocol";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_S7_Protocol;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[NByte_IN_Name] = NByte_IN;
        c.Numbers[NByte_OUT_Name] = NByte_OUT;
    };

    // Only the read table shows hints; the write table shows none at all.
    TTableDesc r = Table("ACG_S7_Read", "S7_Protocol_Read", 5914);
    r.Show_Hints = true;
    r.Cell_Text_Hints = true;
    r.Columns = Common_Columns(0);
    r.Columns.push_back(Position_Column(5924, 5951, NByte_IN_Name));
    r.Columns.push_back(Required(List_Column("Bit", 5925, 5952, fkList, Bits)));
    r.Columns.push_back(Required(Check_Column("Swap", 5926, 5953)));
    r.Columns.push_back(Required(Check_Column("SwapWord", 5927, 5954)));
    r.Columns.push_back(Required(Text_Column("Mnemonic", 5928, 5955)));
    Set_Widths(r, {40, 50, 100, 60, 80, 45, 45, 70, 90, 80, 115, 60, 60, 64, 60, 64, 40, 80, 204});
    r.Checks = Row_Checks({5971, 5972, 5987, 5973, 6021, 6022, 5974, 5975, 6005, 6006, 6007, 6008, 5976, 5977, 5978}, 1,
                          Rd_Position, Rd_Bit, NByte_IN_Name);

    TTableDesc w = Table("ACG_S7_Write", "S7_Protocol_Write", 5915);
    w.Columns = Common_Columns(1);
    w.Columns.push_back(Required(Check_Column("OnChange", 5937, 5963)));
    w.Columns.push_back(Required(Check_Column("OnCMD", 5938, 5964)));
    w.Columns.push_back(Position_Column(5939, 5965, NByte_OUT_Name));
    w.Columns.push_back(Required(List_Column("Bit", 5940, 5966, fkList, Bits)));
    w.Columns.push_back(Required(Check_Column("Swap", 5941, 5967)));
    w.Columns.push_back(Required(Check_Column("SwapWord", 5942, 5968)));
    w.Columns.push_back(Required(Text_Column("Mnemonic", 5943, 5969)));
    Set_Widths(w, {40, 50, 100, 60, 80, 45, 45, 70, 90, 80, 115, 60, 60, 64, 70, 56, 60, 64, 40, 80, 78});
    // A write may wait for no timer (poll time 0).
    w.Checks = Row_Checks({5979, 5980, 5988, 5981, 6023, 6024, 5982, 5983, 6009, 6010, 6011, 6012, 5984, 5985, 5986}, 0,
                          Wr_Position, Wr_Bit, NByte_OUT_Name);

    d.Tables = {std::move(r), std::move(w)};
    return d;
}
