// The EtherNet/IP scanner editor as a description of the table editor engine.
#include "editors/fieldbus/UEtherNetIP_Master_Access_Desc.h"

#include "shell/UComon.h"

namespace EtherNetIP {

int Import_Connection(TRowGridAccess& Grid, const TEDS_Connection& c)
{
    for (int r = 1; r < Grid.RowCount(); ++r) {
        if (!Trim(Grid.GetCellEx(Col_IP_Address, r)).empty() || !Trim(Grid.GetCellEx(Col_Instance_T_O, r)).empty())
            continue;
        const std::pair<int, const String*> cells[] = {
            {Col_Instance_T_O, &c.Instance_T_O},     {Col_Connection_Point_T_O, &c.Connection_Point_T_O},
            {Col_Instance_O_T, &c.Instance_O_T},     {Col_Connection_Point_O_T, &c.Connection_Point_O_T},
            {Col_Dim_Header_T_O, &c.Dim_Header_T_O}, {Col_Dim_Header_O_T, &c.Dim_Header_O_T}};
        for (const auto& [Col, Text] : cells) Grid.SetCellEx(Col, r, *Text);
        return r;
    }
    return 0;
}

}  // namespace EtherNetIP

TEditorDesc EtherNetIP_Master_Access_Desc()
{
    using namespace EtherNetIP;
    TEditorDesc d;
    d.Class_Name = "TFEtherNetIP_Master_Access";
    d.Name = "FEtherNetIP_Master_Access";
    d.Client_Width = 1180;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    TButtonDesc import_eds;
    import_eds.Caption = 4159;
    import_eds.Hint = 4160;
    import_eds.Name = "Btn_Import_EDS";
    d.Buttons.push_back(std::move(import_eds));
    d.Tables_Show_Hints = true;
    d.Root = "EtherNetIP_Master_Access";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_EtherNetIP_Master_Rules;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[Num_Byte_In] = Max_Bytes;
        c.Numbers[Num_Byte_Out] = Max_Bytes;
    };

    TTableDesc t;
    t.Grid_Name = "ACG";
    t.Rows = Rows;
    // "y" enables a row, " Y" does not.
    t.Enable_Test = etUpperRaw;
    t.Select_Row_On_Click = false;
    t.Row_Error_Prefix = 4131;
    t.Delete_Question = 4140;
    // The header formats offer "Default" and take any number typed.
    auto Header = [](const char* Name, int Caption, int Hint) {
        return With_Default(List_Column(Name, Caption, Hint, fkListEdit, {"Default"}), String("Default"));
    };
    // A row element without Enable was written disabled.
    t.Columns = {Number_Column(4114),
                 With_Default(Enable_Column(4115, 4123), String("N")),
                 Text_Column("IP_Address", 4116, 4124),
                 Text_Column("Start_Input", 4117, 4125),
                 Text_Column("Num_Input", 4118, 4126),
                 Text_Column("Start_Output", 4119, 4127),
                 Text_Column("Num_Output", 4120, 4128),
                 Text_Column("Time_Poll", 4121, 4129),
                 Text_Column("Instance_T_O", 4141, 4143),
                 Text_Column("Connection_Point_T_O", 4147, 4149),
                 Text_Column("Instance_O_T", 4142, 4144),
                 Text_Column("Connection_Point_O_T", 4148, 4150),
                 Header("Dim_Header_T_O", 4153, 4155),
                 Header("Dim_Header_O_T", 4154, 4156),
                 Text_Column("Mnemonic", 4122, 4130)};
    const int widths[Col_Count] = {40, 50, 110, 80, 80, 85, 85, 80, 105, 120, 105, 120, 120, 120, 95};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    auto Header_Format = [](int Col, int Message) -> TRowCheck {
        return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (UpperCase(r.Trimmed(Col)) == "DEFAULT") return std::nullopt;
            const long long v = r.Int(Col);
            if (v < 0 || v > 7) return TRowError{Message, std::nullopt, Col};
            return std::nullopt;
        };
    };
    t.Checks = {
        [](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            String P1, P2, P3, P4;
            if (!Split_IP_Address(r.Cell(Col_IP_Address), P1, P2, P3, P4)) return TRowError{4132, std::nullopt, Col_IP_Address};
            return std::nullopt;
        },
        Check_Range(Col_Start_Input, 0, 65535, 4133),
        Check_Range(Col_Num_Input, 0, 65535, 4134),
        Check_Range(Col_Start_Output, 0, 65535, 4135),
        Check_Range(Col_Num_Output, 0, 65535, 4136),
        Check_Range(Col_Time_Poll, 1, 100000000, 4137),
        Check_Range(Col_Instance_T_O, 0, 65535, 4145),
        Check_Range(Col_Connection_Point_T_O, 0, 65535, 4151),
        Check_Range(Col_Instance_O_T, 0, 65535, 4146),
        Check_Range(Col_Connection_Point_O_T, 0, 65535, 4152),
        Header_Format(Col_Dim_Header_T_O, 4157),
        Header_Format(Col_Dim_Header_O_T, 4158),
    };
    // The totals speak of the whole table, after every row passed.
    auto Bound = [](const char* Name) { return [Name](const TEditorContext& c) { return c.Number(Name); }; };
    t.Table_Checks = {Check_Sum(Col_Num_Input, Bound(Num_Byte_In), 4138, false),
                      Check_Sum(Col_Num_Output, Bound(Num_Byte_Out), 4139, false)};
    d.Tables = {std::move(t)};
    return d;
}
