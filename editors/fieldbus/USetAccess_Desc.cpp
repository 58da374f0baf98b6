// The Modbus RTU master access editor as a description of the table editor engine.
#include "editors/fieldbus/USetAccess_Desc.h"

#include "shell/UComon.h"

TEditorDesc Set_Access_Desc()
{
    using namespace ModbusRTU;
    using Modbus::TRuleCols;
    using Modbus::TRuleTexts;
    auto Need = [](TFieldDesc f) { return With_Default(std::move(f), std::nullopt); };
    TEditorDesc d;
    d.Class_Name = "TFSetAccess";
    d.Name = "FSetAccess";
    d.Client_Width = 1040;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Root = "EtherNetIP_to_Modbus";
    d.Version = "SW_VERSION = 1.001";
    d.File_Name = &FileName_ModbusM_SetAccess;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[Modbus::NByte_IN] = Modbus::Area_Size;
        c.Numbers[Modbus::NByte_OUT] = Modbus::Area_Size;
    };

    TTableDesc rd;
    rd.Grid_Name = "ACG_Modbus_Read";
    rd.Section = "Modbus_Read";
    rd.Rows = Modbus::Rows;
    rd.Page_Caption = 3014;
    rd.Row_Error_Prefix = 3068;
    rd.Delete_Question = 3088;
    rd.Show_Hints = true;   // only the read table shows its hints
    TFieldDesc rd_position = Need(List_Column("Position", 3024, 3050, fkList, {}));
    rd_position.Items_From = Modbus::Positions(Modbus::NByte_IN);
    // The topics are not used by this model: the column stays hidden, shows no topic
    // for any index the file holds, and is written empty.
    TFieldDesc topic = List_Column("Index_Topic", 3042, 3053, fkList, {});
    topic.Flags |= ffHidden;
    topic.From_File = [](const String& Stored) { return Modbus::Get_Topic_From_Index({}, StrToIntDef(Stored, -1)); };
    topic.To_File = [](const String&) { return String(); };
    rd.Columns = {Number_Column(3016),
                  Enable_Column(3017, 3043),
                  Need(Text_Column("Slave_ID", 3018, 3044)),
                  Need(List_Column("Type", 3019, 3045, fkList, Modbus::Read_Types())),
                  Need(Text_Column("Address", 3020, 3046)),
                  Need(Text_Column("NPoint", 3021, 3047)),
                  Need(Text_Column("PollTime", 3022, 3048)),
                  Need(Text_Column("MaxError", 3023, 3049)),
                  rd_position,
                  Need(List_Column("Bit", 3025, 3051, fkList, Modbus::Start_Bits())),
                  Check_Column("Swap", 3026, 3052),
                  Check_Column("SwapWord", 3090, 3092),
                  topic,
                  Need(Text_Column("Mnemonic", 3027, 3054))};
    const int rd_widths[Rd_Count] = {40, 50, 60, 115, 60, 64, 64, 64, 61, 64, 40, 80, 120, 120};
    for (int c = 0; c < Rd_Count; ++c) rd.Columns[size_t(c)].Width = rd_widths[c];
    TRuleCols rc;
    rc.Slave_ID = Rd_Slave_ID, rc.Type = Rd_Type, rc.Address = Rd_Address, rc.NPoint = Rd_NPoint,
    rc.PollTime = Rd_PollTime, rc.MaxError = Rd_MaxError, rc.Position = Rd_Position, rc.Bit = Rd_Bit;
    TRuleTexts rt;
    rt.Slave_ID = 3069, rt.Type = 3070, rt.Address = 3071, rt.NPoint = 3072, rt.PollTime = 3073, rt.MaxError = 3074,
    rt.Position = 3075, rt.Bit = 3076, rt.Too_Many = 3077;
    rd.Checks = Modbus::Rule_Checks(Modbus::Read, rc, rt);

    TTableDesc wr;
    wr.Grid_Name = "ACG_Modbus_Write";
    wr.Section = "Modbus_Write";
    wr.Rows = Modbus::Rows;
    wr.Page_Caption = 3015;
    wr.Row_Error_Prefix = 3068;
    wr.Delete_Question = 3088;
    TFieldDesc wr_position = Need(List_Column("Position", 3038, 3064, fkList, {}));
    wr_position.Items_From = Modbus::Positions(Modbus::NByte_OUT);
    wr.Columns = {Number_Column(3028),
                  Enable_Column(3029, 3055),
                  Need(Text_Column("Slave_ID", 3030, 3056)),
                  Need(List_Column("Type", 3031, 3057, fkList, Modbus::Write_Types())),
                  Need(Text_Column("Address", 3032, 3058)),
                  Need(Text_Column("NPoint", 3033, 3059)),
                  Need(Text_Column("PollTime", 3034, 3060)),
                  Need(Check_Column("OnChange", 3035, 3061)),
                  Check_Column("OnCMD", 3036, 3062),
                  Need(Text_Column("MaxError", 3037, 3063)),
                  wr_position,
                  Need(List_Column("Bit", 3039, 3065, fkList, Modbus::Start_Bits())),
                  Check_Column("Swap", 3040, 3066),
                  Check_Column("SwapWord", 3091, 3093),
                  Need(Text_Column("Mnemonic", 3041, 3067))};
    const int wr_widths[Wr_Count] = {40, 50, 60, 115, 60, 64, 64, 68, 56, 64, 64, 64, 40, 80, 113};
    for (int c = 0; c < Wr_Count; ++c) wr.Columns[size_t(c)].Width = wr_widths[c];
    TRuleCols wc;
    wc.Slave_ID = Wr_Slave_ID, wc.Type = Wr_Type, wc.Address = Wr_Address, wc.NPoint = Wr_NPoint,
    wc.PollTime = Wr_PollTime, wc.MaxError = Wr_MaxError, wc.Position = Wr_Position, wc.Bit = Wr_Bit;
    TRuleTexts wt;
    wt.Slave_ID = 3079, wt.Type = 3080, wt.Address = 3081, wt.NPoint = 3082, wt.PollTime = 3083, wt.MaxError = 3084,
    wt.Position = 3085, wt.Bit = 3086, wt.Too_Many = 3087;
    wr.Checks = Modbus::Rule_Checks(Modbus::Write, wc, wt);

    d.Tables = {std::move(rd), std::move(wr)};
    return d;
}
