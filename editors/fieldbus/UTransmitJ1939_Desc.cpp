// The J1939 transmit editor as a description of the table editor engine.
#include "editors/fieldbus/UTransmitJ1939_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"
#include "shell/UComonRows.h"

TEditorDesc TransmitJ1939_Desc()
{
    using namespace TransmitJ1939;
    TEditorDesc d;
    d.Class_Name = "TFTransmitJ1939";
    d.Name = "FTransmitJ1939";
    d.Client_Width = 800;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Buttons[ebCopyRow].Show_Hint = true;
    d.Buttons[ebPasteRow].Show_Hint = true;
    d.Tables_Show_Hints = true;
    d.Root = "Transmit_J1939";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_J1939_Send_Frames;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[Num_Byte_Out] = NUM_BYTE_OUT; };

    TTableDesc t;
    t.Grid_Name = "sga";
    t.Rows = Rows;
    // A row with a priority or a PGN is written, so it is checked too: a row with only
    // one of them fails the check of the other instead of reaching the file unchecked.
    t.Key_Col = Col_Priority;
    t.Also_Key_Col = Col_PGN;
    t.Key_Raw = true;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Row_Error_Prefix = 4435;
    t.Delete_Question = 4443;
    TFieldDesc NByte = Text_Column("TP_NByte", 4419, 4429);
    // A frame of unknown size is a single frame of 8 bytes, also when the size is empty.
    NByte.From_File = [](const String& Stored) { return Stored.empty() ? String("8") : Stored; };
    t.Columns = {Number_Column(4414),
                 Text_Column("Priority", 4415, 4425),
                 List_Column("DP", 4416, 4426, fkList, {"0", "1"}),
                 Text_Column("PGN", 4417, 4427),
                 Text_Column("SA", 4418, 4428),
                 NByte,
                 Check_Column("On_Request", 4420, 4430),
                 Check_Column("On_Data_Change", 4421, 4431),
                 Check_Column("On_Timer", 4422, 4432),
                 Text_Column("SendTimer", 4423, 4433),
                 Text_Column("Mnemonic", 4424, 4434)};
    const int widths[Col_Count] = {40, 50, 65, 85, 95, 60, 55, 80, 60, 70, 115};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    // Files of an earlier form name the sending mode in one attribute, which then alone
    // decides it.
    t.After_Load_Row = [](const TXMLNode& Element, TRowGridAccess& Grid, int Row, const TEditorContext&) {
        if (!Element.HasAttribute("T_Type")) return;
        const String Mode = UpperCase(Element.Attribute("T_Type"));
        Grid.SetCellEx(Col_On_Request, Row, "N");
        Grid.SetCellEx(Col_On_Data_Change, Row, Mode == "ON DATA CHANGE" ? "Y" : "N");
        Grid.SetCellEx(Col_On_Timer, Row, Mode == "ON TIMER" ? "Y" : "N");
    };

    auto Area = [](const TEditorContext& c) { return c.Number(Num_Byte_Out); };
    t.Checks = {
        Check_Range(Col_Priority, 0, 7, 4436),
        [](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            // The page is picked from its list; only an empty cell is refused.
            if (r.Cell(Col_DP).empty()) return TRowError{4437, std::nullopt, Col_DP};
            return std::nullopt;
        },
        Check_Range(Col_PGN, 0, 131071, 4438),
        Check_Range(Col_SA, 0, 255, 4439),
        Check_Range(Col_TP_NByte, [](const TEditorContext&) { return 1LL; }, Area, 4440, true),
        Check_Total([](const TRowView& r) { return r.Int(Col_TP_NByte); }, Area, 4441),
        Check_When([](const TRowView& r, const TEditorContext&) { return CAN::Is_Set(r, Col_On_Timer); },
                   Check_Range(Col_SendTimer, 1, 65535, 4442)),
    };
    d.Tables = {std::move(t)};
    return d;
}
