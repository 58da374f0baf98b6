// The LoRaWAN access editor as a description of the table editor engine.
#include "editors/fieldbus/ULoRa_Set_Access_Desc.h"

#include "shell/UComon.h"

namespace LoRa {

int Payload_Size(const TEditorContext& Context) { return StrToIntDef(Context.Setting("LoRa_Payload_Size"), 0); }

bool FPort_Fixed(const TEditorContext& Context) { return UpperCase(Trim(Context.Setting("LoRa_FPort"))) != "VARIABLE"; }

}  // namespace LoRa

TEditorDesc LoRa_Set_Access_Desc()
{
    using namespace LoRa;
    TEditorDesc d;
    d.Class_Name = "TFLoRa_Set_Access";
    d.Name = "FLoRa_Set_Access";
    d.Client_Width = 900;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Root = "LoRaWAN_Set_Access";
    d.Version = "SW_VERSION = 1.002";
    d.File_Name = &FileName_LoRaWAN_SetAccess;
    d.Read_Context = [](TEditorContext& c) { Read_Model_Settings(FileName_ParGen, c); };

    auto Zero = [](const TEditorContext&) { return 0LL; };
    auto Payload_Limit = [](const TEditorContext& c) { return Payload_Size(c) - 2LL; };
    auto FPort_Shown = [](const TRowView&, const TEditorContext& c) { return !FPort_Fixed(c); };

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
    up.Columns = {Number_Column(1216),
                  Enable_Column(1217, 1225),
                  Text_Column("StartByte", 1218, 1226),
                  Text_Column("NumByte", 1219, 1227),
                  Check_Column("OnChange", 1220, 1228),
                  Check_Column("OnCMD", 1221, 1229),
                  Check_Column("OnTimer", 1222, 1230),
                  Text_Column("Time", 1223, 1231),
                  Text_Column("FPort", 1250, 1251),
                  Text_Column("Mnemonic", 1224, 1232)};
    up.Columns[Up_FPort].Flags |= ffHidden;
    up.Checks = {
        Check_Range(Up_StartByte, 0, 1536, 1244),
        Check_Range(Up_NumByte, Zero, Payload_Limit, 1245, true),
        // The builder sets the timer flag for "Y" in any case; such a row's time is checked.
        Check_When([](const TRowView& r, const TEditorContext&) { return UpperCase(r.Trimmed(Up_OnTimer)) == "Y"; },
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
    down.Columns = {Number_Column(1233),
                    Enable_Column(1234, 1238),
                    Text_Column("StartByte", 1235, 1239),
                    Text_Column("NumByte", 1236, 1240),
                    Text_Column("FPort", 1252, 1253),
                    Text_Column("Mnemonic", 1237, 1241)};
    down.Columns[Down_FPort].Flags |= ffHidden;
    down.Checks = {
        Check_Range(Down_StartByte, 0, 1536, 1247),
        Check_Range(Down_NumByte, Zero, Payload_Limit, 1248, true),
        Check_When(FPort_Shown, Check_Range(Down_FPort, 1, 223, 1255)),
    };

    d.Tables = {std::move(up), std::move(down)};
    return d;
}
