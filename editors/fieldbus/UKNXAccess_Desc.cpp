// The KNX access editor as a description of the table editor engine.
#include "editors/fieldbus/UKNXAccess_Desc.h"

#include "shell/UComon.h"

namespace {

constexpr std::nullopt_t Required = std::nullopt;

long long Data_Area(const TEditorContext& Context) { return Context.Number(KNX::Data_Size_Number); }

}  // namespace

TEditorDesc KNX_Access_Desc()
{
    using namespace KNX;
    TEditorDesc d;
    d.Class_Name = "TFKNXAccess";
    d.Name = "FKNXAccess";
    d.Client_Width = 1250;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = true;
    d.Tables_Show_Hints = true;
    d.Root = "BACnet_to_KNX";
    d.Version = "SW_VERSION = 1.002";
    d.File_Name = &FileName_KNX_SetAccess;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[Data_Size_Number] = Data_Size; };

    TTableDesc t;
    t.Grid_Name = "ACG_KNX_in_Write";
    t.Section = "KNX_in_Write";
    t.Rows = Rows;
    // The image builder takes a row whose Enable reads "Y" in any case, so every such row
    // is checked.
    t.Enable_Test = etUpper;
    t.Row_Error_Prefix = 4548;
    t.Delete_Question = 4560;

    TFieldDesc apci = With_Default(List_Column("APCI", 4518, 4534, fkListEdit, {"Read", "Write"}), Required);
    TFieldDesc priority =
        With_Default(List_Column("Priority", 4519, 4535, fkList, {"System", "Urgent", "Normal", "Low"}), String("Normal"));
    priority.Flags |= ffOnlyItems;
    TFieldDesc format = With_Default(List_Column("Format", 4520, 4536, fkList,
                                                 {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int",
                                                  "Float16 to Float32", "Float16 to Int"}),
                                     String("None"));
    // "0" .. the last byte of the data area, at each showing.
    TFieldDesc position = With_Default(List_Column("Position", 4527, 4544, fkList, {}), Required);
    position.Items_From = [](const TEditorContext& c) {
        std::vector<String> Items;
        for (long long i = 0; i < Data_Area(c); ++i) Items.push_back(IntToStr(int(i)));
        return Items;
    };
    TFieldDesc bit_mode =
        With_Default(List_Column("Bit_Mode", 4528, 4545, fkList, {"No", "0", "1", "2", "3", "4", "5", "6", "7"}), Required);
    TFieldDesc timeout = With_Default(Text_Column("TimeOut", 4562, 4564), String("0"));
    timeout.Width = 96;
    t.Columns = {Number_Column(4514),
                 Enable_Column(4515, 4531),
                 With_Default(Text_Column("Source_Address", 4516, 4532), Required),
                 With_Default(Text_Column("Destination_Address", 4517, 4533), Required),
                 apci,
                 priority,
                 format,
                 Text_Column("MultiplicationFactor", 4561, 4563),
                 With_Default(Check_Column("Extended", 4521, 4537), Required),
                 With_Default(Check_Column("ReTest", 4522, 4538), Required),
                 Check_Column("On_Command", 4523, 4540),
                 With_Default(Check_Column("On_Change", 4524, 4541), Required),
                 Check_Column("On_Timer", 4525, 4542),
                 With_Default(Text_Column("Poll_Time", 4526, 4543), Required),
                 position,
                 bit_mode,
                 With_Default(Text_Column("Length", 4529, 4546), Required),
                 timeout,
                 With_Default(Text_Column("Mnemonic", 4530, 4547), Required)};

    // The start bit of a bit-mode row, -1 in byte mode ("No"), -2 when it is neither.
    auto Start_Bit = [](const TRowView& r) -> long long {
        if (r.Upper(Col_Bit_Mode) == "NO") return -1;
        const long long b = r.Int(Col_Bit_Mode);
        return b >= 0 && b <= 7 ? b : -2;
    };
    auto Longest = [Start_Bit](const TRowView& r) -> long long {
        const bool Extended_Frame = r.Upper(Col_Extended) == "Y";
        if (Start_Bit(r) >= 0) return Extended_Frame ? Max_Length_Bit_Extended : Max_Length_Bit_Standard;
        return Extended_Frame ? Max_Length_Byte_Extended : Max_Length_Byte_Standard;
    };
    auto Fail = [](int Message, std::optional<long long> Limit = std::nullopt) -> std::optional<TRowError> {
        return TRowError{Message, Limit};
    };

    t.Checks = {
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (Check_KNX_Address(r.Trimmed(Col_Source_Address), false, true) != 0) return Fail(4549);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            const String Dest = r.Trimmed(Col_Destination_Address);
            if (Has_No_Dot(Dest)) {
                if (Check_KNX_Address(Dest, true, true) != 0) return Fail(4551);
            } else if (Check_KNX_Address(Dest, false, true) != 0) {
                return Fail(4550);
            }
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            const String Text = r.Upper(Col_APCI);
            if (Text == "READ" || Text == "WRITE") return std::nullopt;
            const long long v = r.Int(Col_APCI);
            if (v < 0 || v > 1023) return Fail(4552);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            const String p = r.Cell(Col_Priority);
            if (p == "System" || p == "Urgent" || p == "Normal" || p == "Low") return std::nullopt;
            return Fail(4553);
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (r.Trimmed(Col_Format).empty()) return Fail(4554);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext& c) -> std::optional<TRowError> {
            if (r.Trimmed(Col_MultiplicationFactor).empty()) return std::nullopt;
            float Value;
            if (!Str_To_Float_Sep(r.Trimmed(Col_MultiplicationFactor), c.Decimal_Sep, Value)) return Fail(4565);
            return std::nullopt;
        },
        Check_When([](const TRowView& r, const TEditorContext&) { return r.Upper(Col_On_Timer) == "Y"; },
                   Check_Range(Col_Poll_Time, 1, 100000000, 4555)),
        Check_Range(Col_Position, [](const TEditorContext&) { return 0LL; },
                    [](const TEditorContext& c) { return Data_Area(c) - 1; }, 4556, true),
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (Start_Bit(r) == -2) return Fail(4557);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            const long long L = Longest(r);
            const long long v = r.Int(Col_Length);
            if (v < 1 || v > L) return Fail(4558, L);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext& c) -> std::optional<TRowError> {
            const long long b = Start_Bit(r);
            const long long Bytes = b >= 0 ? (r.Int(Col_Length) + b + 7) / 8 : r.Int(Col_Length);
            const long long Max = Data_Area(c);
            if (r.Int(Col_Position) + Bytes > Max) return Fail(4559, Max);
            return std::nullopt;
        },
        Check_Range(Col_TimeOut, 0, 100000000, 4566),
    };
    d.Tables = {std::move(t)};
    return d;
}
