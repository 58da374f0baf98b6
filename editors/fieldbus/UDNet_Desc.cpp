// The DeviceNet network editor as a description of the table editor engine.
#include "editors/fieldbus/UDNet_Desc.h"

#include "shell/UComon.h"

TEditorDesc DNet_Desc()
{
    using namespace DNet;
    constexpr std::nullopt_t Required = std::nullopt;
    TEditorDesc d;
    d.Class_Name = "TFDNet";
    d.Name = "FDNet";
    d.Client_Width = 745;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (TButtonDesc& b : d.Buttons) b.Show_Hint = true;
    d.Tables_Show_Hints = true;
    d.Root = "DNET_Net";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_DNETM_Net;

    TTableDesc t;
    t.Grid_Name = "ASG";
    t.Rows = Rows;
    // The ID decides where the list of slaves ends; a cell of blanks is a key.
    t.Key_Col = Col_ID;
    t.Key_Raw = true;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Row_Error_Prefix = 3823;
    t.Delete_Question = 3827;
    t.Columns = {Number_Column(3814),
                 With_Default(Text_Column("ID", 3815, 3819), Required),
                 With_Default(Text_Column("NB_IN", 3816, 3820), Required),
                 With_Default(Text_Column("NB_OUT", 3817, 3821), Required),
                 With_Default(Text_Column("Mnemonic", 3818, 3822), Required)};
    const int widths[Col_Count] = {40, 100, 110, 110, 300};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];
    t.Checks = {Check_Range(Col_ID, 0, 63, 3824), Check_Range(Col_NB_IN, 0, 65535, 3825),
                Check_Range(Col_NB_OUT, 0, 65535, 3826)};
    d.Tables = {std::move(t)};
    return d;
}
