// The DMX default values editor as a description of the table editor engine.
#include "editors/fieldbus/UDMXDefVal_Desc.h"

#include "shell/UComon.h"

namespace DMX {

int Channels(const TEditorContext& Context)
{
    const long long n = StrToIntDef(Context.Setting("DMX_Num_Channels"), Default_Channels);
    return n >= 1 && n <= Max_Channels ? int(n) : Default_Channels;
}

}  // namespace DMX

TEditorDesc DMX_Def_Val_Desc()
{
    using namespace DMX;
    TEditorDesc d;
    d.Class_Name = "TFDMXDefVal";
    d.Name = "FDMXDefVal";
    d.Client_Width = 475;
    d.Client_Height = 337;
    d.Caption = Text_Base;
    d.Description = Text_Base + 1;
    // Only OK and Cancel, both showing their hints.
    for (const TEditorButton Kind : {ebOK, ebCancel}) {
        TButtonDesc b;
        b.Kind = Kind;
        b.Caption = Kind == ebOK ? 4002 : 4003;
        b.Hint = Kind == ebOK ? 4004 : 4005;
        b.Show_Hint = true;
        d.Buttons.push_back(std::move(b));
    }
    d.Root = "DMX_Default_Values";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_DMX_Default_Values;
    d.Read_Context = [](TEditorContext& c) { Read_Model_Settings(FileName_ParGen, c); };

    TTableDesc t;
    t.Grid_Name = "ACG_DMX_Def_Val";
    t.Row_Element = "Row";
    t.Rows = Default_Channels;
    // Every channel is a row of the file: no key ends the table and no Enable skips one.
    t.Key_Col = -1;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Row_Error_Prefix = 4011;
    TFieldDesc value = With_Default(Text_Column("Default_Value", 4007, 4009), String("0"));
    value.Start = value.Default.value();   // a fresh channel starts at 0 too
    t.Columns = {Number_Column(4006), value, Text_Column("Mnemonic", 4008, 4010)};
    const int widths[Col_Count] = {60, 100, 270};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = widths[c];
    t.Checks = {Check_Range(Col_Default_Value, 0, 255, 4012)};
    d.Tables = {std::move(t)};
    return d;
}
