// The J1939 receive editor as a description of the table editor engine.
#include "editors/fieldbus/UReceiveJ1939_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"

TEditorDesc ReceiveJ1939_Desc()
{
    using namespace ReceiveJ1939;
    TEditorDesc d;
    d.Class_Name = "TFReceiveJ1939";
    d.Name = "FReceiveJ1939";
    d.Client_Width = 876;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = true;
    d.Tables_Show_Hints = true;
    d.Root = "Receive_J1939";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_J1939_Rec_Frames;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[Num_Byte_In] = NUM_BYTE_IN; };

    TTableDesc t;
    t.Grid_Name = "sga";
    t.Rows = Rows;
    t.Key_Col = Col_PGN;
    t.Key_Raw = true;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Row_Error_Prefix = 4335;
    t.Delete_Question = 4347;
    t.Columns = {Number_Column(4314),
                 List_Column("DP", 4315, 4325, fkList, {"0", "1"}),
                 Text_Column("PGN", 4316, 4326),
                 Text_Column("SA", 4317, 4327),
                 Check_Column("TP", 4318, 4328),
                 Text_Column("TP_Start", 4319, 4329),
                 Text_Column("TP_NByte", 4320, 4330),
                 Check_Column("Delete", 4321, 4331),
                 Check_Column("OnRequest", 4322, 4332),
                 With_Default(Text_Column("OnReq_Time", 4323, 4333), String("1000")),
                 Text_Column("Mnemonic", 4324, 4334)};
    const int widths[Col_Count] = {40, 65, 85, 95, 113, 65, 55, 75, 75, 65, 120};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    CAN::TCapture Capture;
    Capture.TP_Col = Col_TP;
    Capture.Start_Col = Col_TP_Start;
    Capture.NByte_Col = Col_TP_NByte;
    Capture.TP_Start = 4339;
    Capture.TP_End = 4340;
    Capture.Both = 4341;
    Capture.Single_Start = 4342;
    Capture.Single_NByte = 4343;
    Capture.Single_End = 4344;
    t.Checks = {
        [](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            // The page is picked from its list; only an empty cell is refused.
            if (r.Cell(Col_DP).empty()) return TRowError{4336, std::nullopt, Col_DP};
            return std::nullopt;
        },
        Check_Range(Col_PGN, 0, 65535, 4337),
        Check_Range(Col_SA, 0, 239, 4338),
        CAN::Check_Capture(Capture),
        Check_Total([Capture](const TRowView& r) { return CAN::Captured_Bytes(Capture, r); },
                    [](const TEditorContext& c) { return c.Number(Num_Byte_In); }, 4345),
        Check_When([](const TRowView& r, const TEditorContext&) { return CAN::Is_Set(r, Col_OnRequest); },
                   Check_Range(Col_OnReq_Time, 2, 10000000, 4346)),
    };
    d.Tables = {std::move(t)};
    return d;
}
