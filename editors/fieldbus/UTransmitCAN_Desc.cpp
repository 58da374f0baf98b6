// The CAN transmit frames editor as a description of the table editor engine.
#include "editors/fieldbus/UTransmitCAN_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"
#include "shell/UComonRows.h"

TEditorDesc TransmitCAN_Desc()
{
    using namespace TransmitCAN;
    TEditorDesc d;
    d.Class_Name = "TFTransmitCAN";
    d.Name = "FTransmitCAN";
    d.Client_Width = 1100;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (size_t i = 0; i < d.Buttons.size(); ++i) {
        d.Buttons[i].Hint = 3425 + int(i);
        d.Buttons[i].Show_Hint = true;
    }
    d.Tables_Show_Hints = true;
    d.Root = "Transmit_Frames";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_CAN_Send_Frames;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[CAN::MAX_Byte] = MAX_Byte; };

    TTableDesc t;
    t.Grid_Name = "ACG_CAN_Transmit";
    t.Rows = Rows;
    t.Enable_Test = etUpper;
    t.Select_Row_On_Click = false;
    t.Row_Error_Prefix = 3447;
    t.Delete_Question = 3461;
    // The OnCMD header and hint stand after the delete question of the block.
    t.Columns = {Number_Column(3408),
                 Enable_Column(3409, 3431),
                 Text_Column("COBID", 3410, 3432),
                 List_Column("CAN_Type", 3411, 3433, fkList, CAN::Types()),
                 Text_Column("Dim", 3412, 3434),
                 Check_Column("OnChange", 3413, 3435),
                 Check_Column("OnCMD", 3462, 3463),
                 Check_Column("OnTimer", 3414, 3436),
                 Text_Column("Time", 3415, 3437)};
    for (int k = 1; k <= 8; ++k) {
        TFieldDesc b = List_Column("Byte" + IntToStr(k), 3415 + k, 3437 + k, fkList, {});
        b.Items_From = CAN::Byte_Items();
        t.Columns.push_back(std::move(b));
    }
    t.Columns.push_back(Text_Column("Mnemonic", 3424, 3446));
    const int widths[Col_Count] = {40, 50, 90, 90, 70, 65, 50, 55, 70, 48, 48, 48, 48, 48, 48, 48, 48, 110};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    // A row without a format or a sending mode takes the window's presets; a row sent on
    // its timer without a time takes the preset time.
    t.After_Load_Row = [](const TXMLNode& Element, TRowGridAccess& Grid, int Row, const TEditorContext& c) {
        if (!Element.HasAttribute("CAN_Type"))
            Grid.SetCellEx(Col_CAN_Type, Row, c.Number(CAN_Type) == 0 ? CAN::Type_Standard : CAN::Type_Extended);
        const long long Mode = c.Number(Send_Type);
        if (!Element.HasAttribute("OnChange")) Grid.SetCellEx(Col_OnChange, Row, Mode == 0 ? "Y" : "N");
        if (!Element.HasAttribute("OnTimer")) Grid.SetCellEx(Col_OnTimer, Row, Mode == 1 ? "Y" : "N");
        if (!Element.HasAttribute("Time") && Grid.GetCellEx(Col_OnTimer, Row) == "Y")
            Grid.SetCellEx(Col_Time, Row, IntToStr(int(c.Number(Send_Time))));
    };

    CAN::TPositions Bytes;
    Bytes.First_Col = Col_Byte1;
    Bytes.Size_Col = Col_Dim;
    // Text 3453 is the " or None" that follows the limit.
    Bytes.Message = [](int k) { return k == 1 ? 3452 : 3452 + k; };
    Bytes.Last = [](const TEditorContext& c) { return c.Number(CAN::MAX_Byte); };
    Bytes.None_Allowed = true;
    Bytes.After_Limit = 3453;
    t.Checks = {CAN::Check_COBID(Col_COBID, Col_CAN_Type, 3448, 3449), Check_Range(Col_Dim, 1, 8, 3450),
                Check_When([](const TRowView& r, const TEditorContext&) { return UpperCase(r.Trimmed(Col_OnTimer)) == "Y"; },
                           Check_Range(Col_Time, 0, 100000000, 3451)),
                CAN::Check_Positions(Bytes)};
    d.Tables = {std::move(t)};
    return d;
}
