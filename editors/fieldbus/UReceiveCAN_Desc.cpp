// The CAN receive frames editor as a description of the table editor engine.
#include "editors/fieldbus/UReceiveCAN_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"

TEditorDesc ReceiveCAN_Desc()
{
    using namespace ReceiveCAN;
    TEditorDesc d;
    d.Class_Name = "TFReceiveCAN";
    d.Name = "FReceiveCAN";
    d.Client_Width = 1010;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    for (size_t i = 0; i < d.Buttons.size(); ++i) {
        d.Buttons[i].Hint = 3323 + int(i);
        d.Buttons[i].Show_Hint = true;
    }
    d.Tables_Show_Hints = true;
    d.Root = "Receive_Frames";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_CAN_Rec_Frames;
    d.Read_Context = [](TEditorContext& c) { c.Numbers[CAN::MAX_Byte] = MAX_Byte; };

    TTableDesc t;
    t.Grid_Name = "ACG_CAN_Receive";
    t.Rows = Rows;
    t.Enable_Test = etUpper;
    t.Select_Row_On_Click = false;
    t.Row_Error_Prefix = 3344;
    t.Delete_Question = 3358;
    t.Columns = {Number_Column(3308),
                 Enable_Column(3309, 3329),
                 Text_Column("COBID", 3310, 3330),
                 List_Column("CAN_Type", 3311, 3331, fkList, CAN::Types()),
                 Text_Column("Dim", 3312, 3332),
                 With_Default(Text_Column("TimeOut", 3313, 3334), String("0"))};
    for (int k = 1; k <= 8; ++k) {
        TFieldDesc b = List_Column("Byte" + IntToStr(k), 3313 + k, 3334 + k, fkList, {});
        b.Items_From = CAN::Byte_Items();
        t.Columns.push_back(std::move(b));
    }
    t.Columns.push_back(Text_Column("Mnemonic", 3322, 3343));
    const int widths[Col_Count] = {40, 50, 90, 90, 70, 75, 48, 48, 48, 48, 48, 48, 48, 48, 185};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];

    CAN::TPositions Bytes;
    Bytes.First_Col = Col_Byte1;
    Bytes.Size_Col = Col_Dim;
    // Text 3350 is the " or None" that follows the limit.
    Bytes.Message = [](int k) { return k == 1 ? 3349 : 3349 + k; };
    Bytes.Last = [](const TEditorContext& c) { return c.Number(CAN::MAX_Byte); };
    Bytes.None_Allowed = true;
    Bytes.After_Limit = 3350;
    t.Checks = {CAN::Check_COBID(Col_COBID, Col_CAN_Type, 3345, 3346), Check_Range(Col_Dim, 1, 8, 3347),
                Check_Range(Col_TimeOut, 0, 100000000, 3348), CAN::Check_Positions(Bytes)};
    d.Tables = {std::move(t)};
    return d;
}
