#include "devdesc/bacnet/UBACnetSlaveSetAccess_Desc.h"

#include <map>

#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace BACnetSlave {

int Max_Objects(bool Limited) { return Limited ? 1000 : 2000; }

String Length_Preset(const String& Data_Type)
{
    const String U = UpperCase(Data_Type);
    if (U == "ANALOG OUT" || U == "ANALOG VALUE" || U == "POSITIVE INTEGER VALUE" || U == "INTEGER VALUE" ||
        U == "MULTI STATE OUTPUT" || U == "MULTI STATE VALUE")
        return "4";
    if (U == "LARGE ANALOG VALUE") return "8";
    if (U == "BINARY OUT" || U == "BINARY VALUE" || U == "ACCESS DOOR") return "1";
    return {};
}

namespace {

struct TLength {
    int Lo, Hi, Message;
};

// Where an object ends and whether its length fits its kind: a binary kind takes one
// bit of its Position byte; every other kind Length bytes from Position on.
TRowCheck Check_Object(bool Write)
{
    static const std::map<String, TLength> Read_Lengths = {
        {"Analog Input", {1, 4, 1535}},       {"Analog Value", {1, 4, 1538}},     {"Positive Integer Value", {1, 4, 1536}},
        {"Large Analog Value", {1, 8, 1537}}, {"Multi State Input", {1, 4, 1539}}, {"Multi State Value", {1, 4, 1540}},
        {"Life Safety Point", {1, 2, 1541}},  {"Life Safety Zone", {1, 2, 1542}},  {"Access Door", {1, 1, 1543}},
        {"Accumulator", {1, 4, 1544}}};
    static const std::map<String, TLength> Write_Lengths = {
        {"Analog Out", {1, 4, 1549}},         {"Analog Value", {1, 4, 1550}},       {"Positive Integer Value", {1, 4, 1551}},
        {"Large Analog Value", {1, 8, 1552}}, {"Integer Value", {1, 4, 1553}},      {"Multi State Output", {1, 4, 1554}},
        {"Multi State Value", {1, 4, 1555}},  {"Access Door", {1, 1, 1556}}};
    return [Write](const TRowView& R, const TEditorContext& C) -> std::optional<TRowError> {
        const String Kind = R.Cell(Col_Data_Type);
        const bool Binary = Write ? Kind == "Binary Out" || Kind == "Binary Value"
                                  : Kind == "Binary Input" || Kind == "Binary Value";
        const long long Position = R.Int(Col_Position);
        long long End = Position;
        if (Binary) {
            if (R.Cell(Col_Start_Bit).empty()) return TRowError{Write ? 1557 : 1545, std::nullopt, Col_Start_Bit};
        } else {
            long long Length = R.Int(Col_Length);
            if (Length < 0 && Trim(R.Cell(Col_Length)) != "-1") Length = 0;   // no number counts as 0
            const auto& Lengths = Write ? Write_Lengths : Read_Lengths;
            const auto It = Lengths.find(Kind);
            if (It != Lengths.end() && (Length < It->second.Lo || Length > It->second.Hi))
                return TRowError{It->second.Message, std::nullopt, Col_Length};
            End = Position + Length - 1;
        }
        if (End >= C.Number(Write ? NByte_OUT : NByte_IN)) return TRowError{Write ? 1558 : 1546, std::nullopt, Col_Length};
        return std::nullopt;
    };
}

TTableDesc Table(bool Write)
{
    TTableDesc t;
    t.Grid_Name = Write ? "ACG_BACnet_in_Write" : "ACG_BACnet_in_Read";
    t.Section = Write ? "BACnet_in_Write" : "BACnet_in_Read";
    t.Rows = Max_Objects(false);
    t.Key_Col = Col_Data_Type;
    t.Key_Ends_Table = true;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Page_Caption = Write ? 1509 : 1508;
    t.Row_Error_Prefix = 1532;
    t.Delete_Question = 1560;
    const int H = Write ? 1524 : 1516;
    // Every attribute but Swap must be there: a row without one ends the reading.
    auto Required = [](TFieldDesc F) { return With_Default(std::move(F), std::nullopt); };
    std::vector<String> Kinds =
        Write ? std::vector<String>{"Analog Out", "Analog Value", "Binary Out", "Binary Value", "Positive Integer Value",
                                    "Large Analog Value", "Integer Value", "Multi State Output", "Multi State Value",
                                    "Access Door"}
              : std::vector<String>{"Analog Input", "Analog Value", "Binary Input", "Binary Value",
                                    "Positive Integer Value", "Large Analog Value", "Integer Value",
                                    "Multi State Input", "Multi State Value", "Life Safety Point", "Life Safety Zone",
                                    "Access Door", "Accumulator"};
    TFieldDesc Position = Required(List_Column("Position", H + 3, -1, fkList, {}));
    Position.Items_From = [](const TEditorContext&) {
        std::vector<String> Items;
        for (int i = 0; i < Area_Bytes; ++i) Items.push_back(IntToStr(i));
        return Items;
    };
    TFieldDesc Swap = With_Default(Check_Column("Swap", H + 6, -1), String("N"));
    Swap.Flags |= ffHidden;
    t.Columns = {Number_Column(H),
                 Required(List_Column("Data_Type", H + 1, -1, fkList, Kinds)),
                 Required(Text_Column("Eng_Unit", H + 2, -1)),
                 Position,
                 Required(List_Column("Bit", H + 4, -1, fkList, {"0", "1", "2", "3", "4", "5", "6", "7"})),
                 Required(Text_Column("Length", H + 5, -1)),
                 Swap,
                 Required(Text_Column("Mnemonic", H + 7, -1))};
    const int Widths[Col_Count] = {40, 150, 100, 64, 64, 64, 40, 250};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = Widths[c];
    const char* Area = Write ? NByte_OUT : NByte_IN;
    t.Checks = {Check_Range(Col_Eng_Unit, 0, 65535, Write ? 1547 : 1533),
                Check_Range(
                    Col_Position, [](const TEditorContext&) { return 0LL; },
                    [Area](const TEditorContext& c) { return c.Number(Area) - 1; }, Write ? 1548 : 1534, true),
                Check_Object(Write)};
    return t;
}

}  // namespace
}  // namespace BACnetSlave

TEditorDesc BACnetSlaveSetAccess_Desc()
{
    using namespace BACnetSlave;
    TEditorDesc d;
    d.Class_Name = "TFBACnetSlaveSetAccess";
    d.Name = "FBACnetSlaveSetAccess";
    d.Client_Width = 764;
    d.Client_Height = 337;
    d.Caption = 1500;
    d.Description = 1501;
    int Caption = 1502;
    for (TEditorButton Kind : {ebOK, ebCancel, ebDelRow, ebInsRow, ebCopyRow, ebPasteRow}) {
        TButtonDesc B;
        B.Kind = Kind;
        B.Caption = Caption;
        B.Hint = Caption + 8;
        B.Show_Hint = true;
        d.Buttons.push_back(B);
        ++Caption;
    }
    d.Root = "BACnet_to_Modbus";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_BACnet_Slave_SetAccess;
    d.Read_Context = [](TEditorContext& c) {
        Read_Model_Settings(FileName_ParGen, c);
        c.Numbers[NByte_IN] = Area_Bytes;
        c.Numbers[NByte_OUT] = Area_Bytes;
        c.Numbers[Desc_Lenght] = c.Setting("BACnet_Desc_Chars_Limit") == "1" ? 1 : 0;
    };
    d.Tables = {Table(false), Table(true)};
    // Both tables together hold at most as many objects as the server offers.
    d.Editor_Checks = {[](const std::vector<TTableView>& Tables,
                          const TEditorContext& c) -> std::optional<TCheckFailure> {
        long long Count = 0;
        for (const TTableView& T : Tables)
            for (int r = 1; r <= T.Rows() && T.Takes_Part(r); ++r) ++Count;
        const int Max = Max_Objects(c.Number(Desc_Lenght) != 0);
        if (Count <= Max) return std::nullopt;
        TCheckFailure F;
        F.Table = 0;
        F.Text = Lang_Text(1559) + IntToStr(Max);
        return F;
    }};
    return d;
}
