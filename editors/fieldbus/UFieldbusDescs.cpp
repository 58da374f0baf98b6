// The LoRaWAN and KNX access editors as descriptions of the table editor frame.
#include "editors/fieldbus/UFieldbusDescs.h"

#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"

namespace {

constexpr std::nullopt_t Required = std::nullopt;

TColumnDesc Column(const char* Attribute, int Header, int Hint, TCellKind Kind, std::vector<String> Items = {},
                   std::optional<String> Default = String())
{
    TColumnDesc c;
    c.Attribute = Attribute;
    c.Header = Header;
    c.Hint = Hint;
    c.Kind = Kind;
    c.Items = std::move(Items);
    c.Default = std::move(Default);
    return c;
}

TColumnDesc Number_Col(int Header) { return Column("", Header, -1, ckNumber); }

// The Enable column: ticked on a reset and when the attribute is missing.
TColumnDesc Enable_Col(int Header, int Hint)
{
    TColumnDesc c = Column("Enable", Header, Hint, ckCheckBox, {}, String("Y"));
    c.Start.assign(1, 'Y');   // (a plain assignment trips a false -Wrestrict of GCC 12)
    return c;
}

TColumnDesc Text_Col(const char* Attribute, int Header, int Hint) { return Column(Attribute, Header, Hint, ckText); }

TColumnDesc Check_Col(const char* Attribute, int Header, int Hint)
{
    return Column(Attribute, Header, Hint, ckCheckBox, {}, String("N"));
}

TColumnDesc With_Default(TColumnDesc c, std::optional<String> Default)
{
    c.Default = std::move(Default);
    return c;
}

// The frame's window texts of a block with base b: caption b, description b + 1, button
// captions b + 2 .. b + 7 and their hints b + 8 .. b + 13.
void Block_Texts(TEditorDesc& d, int b)
{
    d.Caption = b;
    d.Description = b + 1;
    for (int i = 0; i < 6; ++i) {
        d.Button_Captions[i] = b + 2 + i;
        d.Button_Hints[i] = b + 8 + i;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------
// LoRaWAN
// ---------------------------------------------------------------------------------
TEditorDesc LoRa_Set_Access_Desc(const int& MaxPayloadSize, const bool& FPortFixed)
{
    using namespace LoRa;
    TEditorDesc d;
    d.Class_Name = "TFLoRa_Set_Access";
    d.Name = "FLoRa_Set_Access";
    d.Client_Width = 900;
    d.Client_Height = 337;
    Block_Texts(d, Text_Base);
    d.Root = "LoRaWAN_Set_Access";
    d.Version = "SW_VERSION = 1.002";
    d.File_Name = &FileName_LoRaWAN_SetAccess;

    const int* P = &MaxPayloadSize;
    const bool* Fixed = &FPortFixed;
    auto Payload_Limit = [P] { return static_cast<long long>(*P) - 2; };
    auto Zero = [] { return 0LL; };
    auto FPort_Shown = [Fixed](const TRowView&) { return !*Fixed; };

    TTableDesc up;
    up.Grid_Name = "ACG_LoRa_Uplink";
    up.Section = "LoRaWAN_Uplink";
    up.Rows = Rows_Fixed;
    up.First_Number = 0;
    // The image builder takes a row whose Enable reads "Y" in any case, so every such row
    // is checked.
    up.Enable_Test = etUpper;
    up.Page_Caption = 1214;
    up.Row_Error_Prefix = 1243;
    up.Delete_Question = 1249;
    up.Columns = {Number_Col(1216),
                  Enable_Col(1217, 1225),
                  Text_Col("StartByte", 1218, 1226),
                  Text_Col("NumByte", 1219, 1227),
                  Check_Col("OnChange", 1220, 1228),
                  Check_Col("OnCMD", 1221, 1229),
                  Check_Col("OnTimer", 1222, 1230),
                  Text_Col("Time", 1223, 1231),
                  Text_Col("FPort", 1250, 1251),
                  Text_Col("Mnemonic", 1224, 1232)};
    up.Columns[Up_FPort].Hidden = true;
    up.Checks = {
        Check_Range(Up_StartByte, 0, 1536, 1244),
        Check_Range(Up_NumByte, Zero, Payload_Limit, 1245, true),
        // The builder sets the timer flag for "Y" in any case; such a row's time is checked.
        Check_When([](const TRowView& r) { return UpperCase(r.Trimmed(Up_OnTimer)) == "Y"; },
                   Check_Range(Up_Time, 30, 86400, 1246)),
        Check_When(FPort_Shown, Check_Range(Up_FPort, 1, 223, 1254)),
    };

    TTableDesc down;
    down.Grid_Name = "ACG_LoRa_Downlink";
    down.Section = "LoRaWAN_Downlink";
    down.Rows = Rows_Fixed;
    down.First_Number = 0;
    down.Enable_Test = etUpper;
    down.Page_Caption = 1215;
    down.Row_Error_Prefix = 1243;
    down.Delete_Question = 1249;
    down.Columns = {Number_Col(1233),
                    Enable_Col(1234, 1238),
                    Text_Col("StartByte", 1235, 1239),
                    Text_Col("NumByte", 1236, 1240),
                    Text_Col("FPort", 1252, 1253),
                    Text_Col("Mnemonic", 1237, 1241)};
    down.Columns[Down_FPort].Hidden = true;
    down.Checks = {
        Check_Range(Down_StartByte, 0, 1536, 1247),
        Check_Range(Down_NumByte, Zero, Payload_Limit, 1248, true),
        Check_When(FPort_Shown, Check_Range(Down_FPort, 1, 223, 1255)),
    };

    d.Tables = {std::move(up), std::move(down)};
    return d;
}

void Read_LoRa_Settings(const String& ParGen_File, int& MaxPayloadSize, bool& FPortFixed)
{
    MaxPayloadSize = 0;
    FPortFixed = true;
    if (!FileExists(ParGen_File)) return;
    TXMLDocument Doc;
    try {
        Doc.LoadFromFile(ParGen_File);
    } catch (const Exception&) {
        return;   // a broken file gives what a missing one gives; the showing warns of it
    }
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) return;
    if (const TXMLNode Size = Root.FindNode("LoRa_Payload_Size")) MaxPayloadSize = StrToIntDef(Size.Text(), 0);
    if (const TXMLNode Mode = Root.FindNode("LoRa_FPort")) FPortFixed = UpperCase(Trim(Mode.Text())) != "VARIABLE";
}

// ---------------------------------------------------------------------------------
// KNX
// ---------------------------------------------------------------------------------
TEditorDesc KNX_Access_Desc(const int& Max_Num_Byte, char& Decimal_Sep)
{
    using namespace KNX;
    TEditorDesc d;
    d.Class_Name = "TFKNXAccess";
    d.Name = "FKNXAccess";
    d.Client_Width = 1250;
    d.Client_Height = 337;
    Block_Texts(d, Text_Base);
    for (bool& b : d.Buttons_Show_Hints) b = true;
    d.Tables_Show_Hints = true;
    d.Root = "BACnet_to_KNX";
    d.Version = "SW_VERSION = 1.002";
    d.File_Name = &FileName_KNX_SetAccess;
    char* Sep = &Decimal_Sep;
    d.Before_Check = [Sep] { *Sep = Get_Decimal_Separator(); };

    TTableDesc t;
    t.Grid_Name = "ACG_KNX_in_Write";
    t.Section = "KNX_in_Write";
    t.Rows = Rows;
    // The image builder takes a row whose Enable reads "Y" in any case, so every such row
    // is checked.
    t.Enable_Test = etUpper;
    t.Row_Error_Prefix = 4548;
    t.Delete_Question = 4560;

    TColumnDesc apci = Column("APCI", 4518, 4534, ckListEdit, {"Read", "Write"}, Required);
    TColumnDesc priority = Column("Priority", 4519, 4535, ckList, {"System", "Urgent", "Normal", "Low"}, String("Normal"));
    priority.Only_Items = true;
    TColumnDesc format = Column("Format", 4520, 4536, ckList,
                                {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int",
                                 "Float16 to Float32", "Float16 to Int"},
                                String("None"));
    TColumnDesc position = Column("Position", 4527, 4544, ckList, {}, Required);   // "0" .. at each showing
    TColumnDesc bit_mode = Column("Bit_Mode", 4528, 4545, ckList, {"No", "0", "1", "2", "3", "4", "5", "6", "7"}, Required);
    TColumnDesc timeout = With_Default(Text_Col("TimeOut", 4562, 4564), String("0"));
    timeout.Width = 96;
    t.Columns = {Number_Col(4514),
                 Enable_Col(4515, 4531),
                 With_Default(Text_Col("Source_Address", 4516, 4532), Required),
                 With_Default(Text_Col("Destination_Address", 4517, 4533), Required),
                 apci,
                 priority,
                 format,
                 Text_Col("MultiplicationFactor", 4561, 4563),
                 With_Default(Check_Col("Extended", 4521, 4537), Required),
                 With_Default(Check_Col("ReTest", 4522, 4538), Required),
                 Check_Col("On_Command", 4523, 4540),
                 With_Default(Check_Col("On_Change", 4524, 4541), Required),
                 Check_Col("On_Timer", 4525, 4542),
                 With_Default(Text_Col("Poll_Time", 4526, 4543), Required),
                 position,
                 bit_mode,
                 With_Default(Text_Col("Length", 4529, 4546), Required),
                 timeout,
                 With_Default(Text_Col("Mnemonic", 4530, 4547), Required)};

    const int* Max = &Max_Num_Byte;
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
        [=](const TRowView& r) -> std::optional<TRowError> {
            if (Check_KNX_Address(r.Trimmed(Col_Source_Address), false, true) != 0) return Fail(4549);
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            const String Dest = r.Trimmed(Col_Destination_Address);
            if (Has_No_Dot(Dest)) {
                if (Check_KNX_Address(Dest, true, true) != 0) return Fail(4551);
            } else if (Check_KNX_Address(Dest, false, true) != 0) {
                return Fail(4550);
            }
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            const String Text = r.Upper(Col_APCI);
            if (Text == "READ" || Text == "WRITE") return std::nullopt;
            const long long v = r.Int(Col_APCI);
            if (v < 0 || v > 1023) return Fail(4552);
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            const String p = r.Cell(Col_Priority);
            if (p == "System" || p == "Urgent" || p == "Normal" || p == "Low") return std::nullopt;
            return Fail(4553);
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            if (r.Trimmed(Col_Format).empty()) return Fail(4554);
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            if (r.Trimmed(Col_MultiplicationFactor).empty()) return std::nullopt;
            float Value;
            if (!Str_To_Float_Sep(r.Trimmed(Col_MultiplicationFactor), *Sep, Value)) return Fail(4565);
            return std::nullopt;
        },
        Check_When([](const TRowView& r) { return r.Upper(Col_On_Timer) == "Y"; },
                   Check_Range(Col_Poll_Time, 1, 100000000, 4555)),
        Check_Range(Col_Position, [] { return 0LL; }, [Max] { return *Max - 1LL; }, 4556, true),
        [=](const TRowView& r) -> std::optional<TRowError> {
            if (Start_Bit(r) == -2) return Fail(4557);
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            const long long L = Longest(r);
            const long long v = r.Int(Col_Length);
            if (v < 1 || v > L) return Fail(4558, L);
            return std::nullopt;
        },
        [=](const TRowView& r) -> std::optional<TRowError> {
            const long long b = Start_Bit(r);
            const long long Bytes = b >= 0 ? (r.Int(Col_Length) + b + 7) / 8 : r.Int(Col_Length);
            if (r.Int(Col_Position) + Bytes > *Max) return Fail(4559, *Max);
            return std::nullopt;
        },
        Check_Range(Col_TimeOut, 0, 100000000, 4566),
    };
    d.Tables = {std::move(t)};
    return d;
}
