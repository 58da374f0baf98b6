// The NMEA 2000 receive editor as a description of the table editor engine.
#include "editors/fieldbus/UReceiveNMEA_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"

TEditorDesc ReceiveNMEA_Desc()
{
    using namespace ReceiveNMEA;
    TEditorDesc d;
    d.Class_Name = "TFReceiveNMEA";
    d.Name = "FReceiveNMEA";
    d.Client_Width = 810;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Buttons[ebCopyRow].Show_Hint = true;
    d.Buttons[ebPasteRow].Show_Hint = true;
    d.Tables_Show_Hints = true;
    d.Root = "Receive_NMEA_2000";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_NMEA_Rec_Frames;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[Num_Byte_In] = NUM_BYTE_IN; };

    TTableDesc t;
    t.Grid_Name = "sga";
    t.Rows = Rows;
    t.Key_Col = Col_PGN;
    t.Key_Raw = true;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Row_Error_Prefix = 4631;
    t.Delete_Question = 4643;
    t.Columns = {Number_Column(4614),
                 Text_Column("PGN", 4615, 4623),
                 Text_Column("SA", 4616, 4624),
                 Check_Column("TP", 4617, 4625),
                 Check_Column("FP", 4618, 4626),
                 Text_Column("TP_Start", 4619, 4627),
                 Text_Column("TP_NByte", 4620, 4628),
                 Check_Column("Delete", 4621, 4629),
                 Text_Column("Mnemonic", 4622, 4630)};
    const int widths[Col_Count] = {40, 80, 95, 113, 73, 65, 50, 74, 195};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    CAN::TCapture Capture;
    Capture.TP_Col = Col_TP;
    Capture.FP_Col = Col_FP;
    Capture.Start_Col = Col_TP_Start;
    Capture.NByte_Col = Col_TP_NByte;
    Capture.TP_Start = 4634;
    Capture.TP_End = 4635;
    Capture.FP_Start = 4636;
    Capture.FP_End = 4637;
    Capture.Both = 4638;
    Capture.Single_Start = 4639;
    Capture.Single_NByte = 4640;
    Capture.Single_End = 4641;
    t.Checks = {
        Check_Range(Col_PGN, 0, 131071, 4632),
        Check_Range(Col_SA, 0, 239, 4633),
        CAN::Check_Capture(Capture),
        Check_Total([Capture](const TRowView& r) { return CAN::Captured_Bytes(Capture, r); },
                    [](const TEditorContext& c) { return c.Number(Num_Byte_In); }, 4642),
    };
    d.Tables = {std::move(t)};
    return d;
}
