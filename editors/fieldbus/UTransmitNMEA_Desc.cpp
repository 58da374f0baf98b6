// The NMEA 2000 transmit editor as a description of the table editor engine.
#include "editors/fieldbus/UTransmitNMEA_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"

TEditorDesc TransmitNMEA_Desc()
{
    using namespace TransmitNMEA;
    TEditorDesc d;
    d.Class_Name = "TFTransmitNMEA";
    d.Name = "FTransmitNMEA";
    d.Client_Width = 810;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Buttons[ebCopyRow].Show_Hint = true;
    d.Buttons[ebPasteRow].Show_Hint = true;
    // The root bears the name of the receive file's root; readers do not look at it.
    d.Root = "Receive_NMEA_2000";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_NMEA_Send_Frames;
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
    t.Row_Error_Prefix = 4735;
    t.Delete_Question = 4742;
    t.Columns = {Number_Column(4714),
                 Text_Column("Priority", 4715, 4725),
                 Text_Column("PGN", 4716, 4726),
                 Text_Column("SA", 4717, 4727),
                 Check_Column("FP", 4718, 4728),
                 Text_Column("TP_NByte", 4719, 4729),
                 Check_Column("On_Request", 4720, 4730),
                 Check_Column("On_Data_Change", 4721, 4731),
                 Check_Column("On_Timer", 4722, 4732),
                 Text_Column("SendTimer", 4723, 4733),
                 Text_Column("Mnemonic", 4724, 4734)};
    const int widths[Col_Count] = {40, 50, 75, 95, 75, 60, 55, 80, 64, 75, 116};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    auto Area = [](const TEditorContext& c) { return c.Number(Num_Byte_Out); };
    // The number of bytes is not tied to the fast packet: a single frame may name more than 8.
    t.Checks = {
        Check_Range(Col_Priority, 0, 7, 4736),
        Check_Range(Col_PGN, 0, 131071, 4737),
        Check_Range(Col_SA, 0, 239, 4738),
        Check_Range(Col_TP_NByte, [](const TEditorContext&) { return 0LL; }, Area, 4739, true),
        Check_Total([](const TRowView& r) { return r.Int(Col_TP_NByte); }, Area, 4740),
        Check_When([](const TRowView& r, const TEditorContext&) { return CAN::Is_Set(r, Col_On_Timer); },
                   Check_Range(Col_SendTimer, 1, 65535, 4741)),
    };
    d.Tables = {std::move(t)};
    return d;
}
