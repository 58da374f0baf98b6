// The Modbus TCP master access editor as a description of the table editor engine.
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access_Desc.h"

#include "shell/UComon.h"

TEditorDesc Modbus_TCP_Master_Set_Access_Desc()
{
    using namespace ModbusTCP;
    using Modbus::TRuleCols;
    using Modbus::TRuleTexts;
    auto Need = [](TFieldDesc f) { return With_Default(std::move(f), std::nullopt); };
    TEditorDesc d;
    d.Class_Name = "TFModbus_TCP_Master_Set_Access";
    d.Name = "FModbus_TCP_Master_Set_Access";
    d.Client_Width = 1150;
    d.Client_Height = 337;
    d.Caption = Text_Base;
    d.Description = Text_Base + 1;
    // Copy Row and Paste Row keep their captions in every language; the hints come late
    // in the block.
    const struct {
        TEditorButton Kind;
        int Caption;
        const char* Fixed;
    } buttons[] = {{ebOK, 3102, ""},        {ebCancel, 3103, ""},          {ebDelRow, 3104, ""},
                   {ebInsRow, 3105, ""},    {ebCopyRow, -1, "Copy Row"},   {ebPasteRow, -1, "Paste Row"}};
    for (int i = 0; i < 6; ++i) {
        TButtonDesc b;
        b.Kind = buttons[i].Kind;
        b.Caption = buttons[i].Caption;
        b.Hint = 3163 + i;
        b.Fixed_Caption = buttons[i].Fixed;
        d.Buttons.push_back(std::move(b));
    }
    d.Root = "PROFINET_Master_to_Modbus_TCP_Master";
    d.Version = "SW_VERSION = 1.005";
    d.File_Name = &FileName_ModbusTCPM_SetAccess;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[Modbus::NByte_IN] = Modbus::Area_Size;
        c.Numbers[Modbus::NByte_OUT] = Modbus::Area_Size;
    };

    TTableDesc rd;
    rd.Grid_Name = "ACG_Modbus_Read";
    rd.Section = "Modbus_Read";
    rd.Rows = Modbus::Rows;
    rd.Page_Caption = 3106;
    rd.Row_Error_Prefix = 3138;
    rd.Delete_Question = 3161;
    rd.Hints_By_Shown_Col = true;
    TFieldDesc rd_position = Need(List_Column("Position", 3118, 3178, fkList, {}));
    rd_position.Items_From = Modbus::Positions(Modbus::NByte_IN);
    // The topics are not used by this model: the column stays hidden and shows no topic
    // for any index the file holds; it is written as the index of its (empty) topic, -1.
    TFieldDesc topic = List_Column("Index_Topic", 3162, -1, fkList, {});
    topic.Flags |= ffHidden;
    topic.From_File = [](const String& Stored) { return Modbus::Get_Topic_From_Index({}, StrToIntDef(Stored, -1)); };
    topic.To_File = [](const String& Cell) { return IntToStr(Modbus::Get_Index_From_Topic({}, Cell)); };
    rd.Columns = {Number_Column(3108),
                  Enable_Column(3109, 3169),
                  Need(Text_Column("IP_Address", 3110, 3170)),
                  Need(Text_Column("Port", 3111, 3171)),
                  Need(Text_Column("Slave_ID", 3112, 3172)),
                  Need(List_Column("Type", 3113, 3173, fkList, Modbus::Read_Types())),
                  Need(Text_Column("Address", 3114, 3174)),
                  Need(Text_Column("NPoint", 3115, 3175)),
                  Need(Text_Column("PollTime", 3116, 3176)),
                  Need(Text_Column("MaxError", 3117, 3177)),
                  rd_position,
                  Need(List_Column("Bit", 3119, 3179, fkList, Modbus::Start_Bits())),
                  Check_Column("Swap", 3120, 3180),
                  Check_Column("SwapWord", 3200, 3202),
                  topic,
                  Need(Text_Column("Mnemonic", 3121, 3182))};
    const int rd_widths[Rd_Count] = {40, 50, 101, 45, 55, 100, 55, 45, 60, 64, 60, 60, 40, 80, 120, 140};
    for (int c = 0; c < Rd_Count; ++c) rd.Columns[size_t(c)].Width = rd_widths[c];
    TRuleCols rc;
    rc.IP_Address = Rd_IP_Address, rc.Port = Rd_Port, rc.Slave_ID = Rd_Slave_ID, rc.Type = Rd_Type,
    rc.Address = Rd_Address, rc.NPoint = Rd_NPoint, rc.PollTime = Rd_PollTime, rc.MaxError = Rd_MaxError,
    rc.Position = Rd_Position, rc.Bit = Rd_Bit;
    TRuleTexts rt;
    rt.IP_Address = 3139, rt.Port = 3140, rt.Slave_ID = 3141, rt.Type = 3142, rt.Address = 3143, rt.NPoint = 3144,
    rt.PollTime = 3199, rt.MaxError = 3146, rt.Position = 3147, rt.Bit = 3148, rt.Too_Many = 3149;
    rd.Checks = Modbus::Rule_Checks(Modbus::Read, rc, rt);

    TTableDesc wr;
    wr.Grid_Name = "ACG_Modbus_Write";
    wr.Section = "Modbus_Write";
    wr.Rows = Modbus::Rows;
    wr.Page_Caption = 3107;
    wr.Row_Error_Prefix = 3138;
    wr.Delete_Question = 3161;
    wr.Hints_By_Shown_Col = true;
    TFieldDesc wr_position = Need(List_Column("Position", 3134, 3194, fkList, {}));
    wr_position.Items_From = Modbus::Positions(Modbus::NByte_OUT);
    wr.Columns = {Number_Column(3122),
                  Enable_Column(3123, 3183),
                  Need(Text_Column("IP_Address", 3124, 3184)),
                  Need(Text_Column("Port", 3125, 3185)),
                  Need(Text_Column("Slave_ID", 3126, 3186)),
                  Need(List_Column("Type", 3127, 3187, fkList, Modbus::Write_Types())),
                  Need(Text_Column("Address", 3128, 3188)),
                  Need(Text_Column("NPoint", 3129, 3189)),
                  Need(Text_Column("PollTime", 3130, 3190)),
                  Need(Check_Column("OnChange", 3131, 3191)),
                  Check_Column("OnCMD", 3132, 3192),
                  Need(Text_Column("MaxError", 3133, 3193)),
                  wr_position,
                  Need(List_Column("Bit", 3135, 3195, fkList, Modbus::Start_Bits())),
                  Check_Column("Swap", 3136, 3196),
                  Check_Column("SwapWord", 3201, 3203),
                  Need(Text_Column("Mnemonic", 3137, 3197))};
    const int wr_widths[Wr_Count] = {40, 50, 101, 45, 55, 100, 55, 45, 60, 66, 56, 62, 55, 55, 40, 80, 150};
    for (int c = 0; c < Wr_Count; ++c) wr.Columns[size_t(c)].Width = wr_widths[c];
    TRuleCols wc;
    wc.IP_Address = Wr_IP_Address, wc.Port = Wr_Port, wc.Slave_ID = Wr_Slave_ID, wc.Type = Wr_Type,
    wc.Address = Wr_Address, wc.NPoint = Wr_NPoint, wc.PollTime = Wr_PollTime, wc.MaxError = Wr_MaxError,
    wc.Position = Wr_Position, wc.Bit = Wr_Bit;
    TRuleTexts wt;
    wt.IP_Address = 3150, wt.Port = 3151, wt.Slave_ID = 3152, wt.Type = 3153, wt.Address = 3154, wt.NPoint = 3155,
    wt.PollTime = 3156, wt.MaxError = 3157, wt.Position = 3158, wt.Bit = 3159, wt.Too_Many = 3160;
    wr.Checks = Modbus::Rule_Checks(Modbus::Write, wc, wt);

    d.Tables = {std::move(rd), std::move(wr)};
    return d;
}
