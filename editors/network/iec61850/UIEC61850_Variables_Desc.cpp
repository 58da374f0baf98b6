// The IEC 61850 server variables editor as a description of the table editor engine.
#include "editors/network/iec61850/UIEC61850_Variables_Desc.h"

#include "shell/UComon.h"

TEditorDesc IEC61850_Variables_Desc()
{
    using namespace IEC61850_Variables;
    TEditorDesc d;
    d.Class_Name = "TFIEC61850_Variables";
    d.Name = "FIEC61850_Variables";
    d.Client_Width = 1155;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    // Only the clipboard buttons explain themselves.
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = b.Kind == ebCopyRow || b.Kind == ebPasteRow;
    d.Root = "IEC61850_Variables";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_IEC61850_Variables;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[NByte_IN_Number] = NByte_IN; };

    TTableDesc t;
    t.Grid_Name = "ACG";
    t.Rows = Rows;
    t.Key_Col = Col_Name;
    t.Row_Error_Prefix = 5029;
    t.Delete_Question = 5031;

    auto Width = [](TFieldDesc f, int w) {
        f.Width = w;
        return f;
    };
    std::vector<String> Bits;
    for (int b = 0; b <= 7; ++b) Bits.push_back(IntToStr(b));
    t.Columns = {Width(Number_Column(5014), 40),
                 Width(Enable_Column(5015, 5022), 50),
                 Width(Text_Column("Name", 5016, 5023), 250),
                 Width(List_Column("Type", 5017, 5024, fkList, {"Int", "Float", "Digital (Bit)"}), 80),
                 Width(Text_Column("Length", 5018, 5025), 65),
                 Width(Check_Column("ReadOnly", 5019, 5026), 65),
                 Width(Text_Column("Position", 5020, 5027), 80),
                 Width(List_Column("StartBit", 5032, 5035, fkList, Bits), 60),
                 Width(List_Column("Conversion", 5033, 5036, fkList, {"None", "Int to Float", "Float to Int"}), 75),
                 Width(List_Column("MultiplicationFactor", 5034, 5037, fkListEdit, {"None"}), 75),
                 Width(Check_Column("Swap", 5042, 5044), 45),
                 Width(Check_Column("SwapWord", 5043, 5045), 80),
                 Width(Text_Column("Mnemonic", 5021, 5028), 128)};

    auto Fail = [](int Message) -> std::optional<TRowError> { TRowError e; e.Message = Message; return e; };
    t.Checks = {
        Check_Range(Col_Length, 1, 4, 5041),
        Check_Range(Col_Position, [](const TEditorContext&) { return 0LL; },
                    [](const TEditorContext& c) { return c.Number(NByte_IN_Number) - 1; }, 5030, true),
        // Only a bit needs its start bit; the type is compared as the list writes it.
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (r.Cell(Col_Type) == "Digital (Bit)" && r.Trimmed(Col_StartBit).empty()) return Fail(5038);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (r.Trimmed(Col_Conversion).empty()) return Fail(5039);
            return std::nullopt;
        },
        [=](const TRowView& r, const TEditorContext& c) -> std::optional<TRowError> {
            if (Trim(r.Upper(Col_MultiplicationFactor)) == "NONE") return std::nullopt;
            float Value;
            if (!Str_To_Float_Sep(r.Trimmed(Col_MultiplicationFactor), c.Decimal_Sep, Value)) return Fail(5040);
            return std::nullopt;
        },
    };
    d.Tables = {std::move(t)};
    return d;
}
