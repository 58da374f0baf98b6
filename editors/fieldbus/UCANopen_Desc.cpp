// The CANopen editors as descriptions of the table editor engine.
#include "editors/fieldbus/UCANopen_Desc.h"

#include "editors/fieldbus/UCAN_Rules.h"
#include "shell/UComon.h"

namespace {

// The frame shared by the three windows: two tables on pages, hints on both tables from
// the list of the page shown, no Enable column, every attribute required.
TEditorDesc CANopen_Editor(const char* Class_Name, int Width, int Base, const char* Root, const String* File)
{
    TEditorDesc d;
    d.Class_Name = Class_Name;
    d.Name = String(Class_Name).substr(1);
    d.Client_Width = Width;
    d.Client_Height = 337;
    Text_Block(d, Base);
    d.Tables_Show_Hints = true;
    d.Hints_By_Page = true;
    d.Root = Root;
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = File;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[CANopen::NByte_IN] = CANopen::Area_Size;
        c.Numbers[CANopen::NByte_OUT] = CANopen::Area_Size;
    };
    return d;
}

TTableDesc CANopen_Table(const char* Grid_Name, const char* Section, int Rows, int Page_Caption, int Prefix, int Question)
{
    TTableDesc t;
    t.Grid_Name = Grid_Name;
    t.Section = Section;
    t.Rows = Rows;
    t.Key_Col = 1;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Page_Caption = Page_Caption;
    t.Row_Error_Prefix = Prefix;
    t.Delete_Question = Question;
    return t;
}

// A required column: a row element without the attribute ends the loading.
TFieldDesc Required(TFieldDesc Column, int Width)
{
    Column.Default.reset();
    Column.Width = Width;
    return Column;
}
TFieldDesc Text(const String& Name, int Caption, int Hint, int Width) { return Required(Text_Column(Name, Caption, Hint), Width); }

TFieldDesc Number(int Caption)
{
    TFieldDesc c = Number_Column(Caption);
    c.Width = 40;
    return c;
}

TBound Area_Last(const char* Area)
{
    return [Area](const TEditorContext& c) { return c.Number(Area); };
}

// Positions 1 .. the size of the row, each in the area.
TRowCheck Positions(int First_Col, int Size_Col, int Most, int First_Message, const char* Area)
{
    CAN::TPositions p;
    p.First_Col = First_Col;
    p.Size_Col = Size_Col;
    p.Most = Most;
    p.Message = [First_Message](int k) { return First_Message + k - 1; };
    p.Last = Area_Last(Area);
    return CAN::Check_Positions(p);
}

// An object's size: 1, 2 or 4 bytes.
TRowCheck Check_Size(int Col, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        const long long n = r.Int(Col);
        if (n == 1 || n == 2 || n == 4) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

}  // namespace

TEditorDesc Set_PDO_Access_Desc()
{
    using namespace PDO;
    TEditorDesc d = CANopen_Editor("TFSet_PDO_Access", 798, Text_Base, "PDO_CANopen", &FileName_PDO_CANopen);
    auto Table = [](bool Rx) {
        TTableDesc t = Rx ? CANopen_Table("sga", "Receive_PDO", Rows, 3514, 3568, 3591)
                          : CANopen_Table("sgb", "Transmit_PDO", Rows, 3515, 3568, 3591);
        const int Header = Rx ? 3516 : 3529, Hint = Rx ? 3543 : 3555;
        t.Columns = {Number(Header), Text("COB-ID", Header + 1, Hint, 65), Text("Dimension", Header + 2, Hint + 1, 65)};
        for (int k = 1; k <= 8; ++k)
            t.Columns.push_back(Text("Address_B" + IntToStr(k), Header + 2 + k, Hint + 1 + k, 45));
        if (Rx) {
            t.Columns.push_back(Text("TimeOut", 3527, 3553, 65));
            t.Columns.push_back(Text("Mnemonic", 3528, 3554, 173));
        } else {
            t.Columns.push_back(Text("Send_Time", 3540, 3565, 65));
            t.Columns.push_back(Required(Check_Column("On_Change", 3541, 3566), 68));
            t.Columns.push_back(Text("Mnemonic", 3542, 3567, 105));
        }
        const int Message = Rx ? 3569 : 3580;
        t.Checks = {Check_Range(Col_COB_ID, 0, 2047, Message), Check_Range(Col_Dimension, 1, 8, Message + 1),
                    Positions(Col_Address_B1, Col_Dimension, 8, Message + 2, Rx ? CANopen::NByte_IN : CANopen::NByte_OUT),
                    Rx ? Check_Range(Col_TimeOut, 0, 65535, 3579) : Check_Range(Tx_Send_Time, 0, 100000000, 3590)};
        return t;
    };
    d.Tables = {Table(true), Table(false)};
    return d;
}

TEditorDesc Set_SDO_Client_Access_Desc()
{
    using namespace SDO_Client;
    TEditorDesc d = CANopen_Editor("TFSet_SDO_Client_Access", 798, Text_Base, "SDO_Client_CANopen",
                                   &FileName_SDO_Client_CANopen);
    auto Table = [](bool Rd) {
        TTableDesc t = Rd ? CANopen_Table("sga", "SDO_Read", Rows, 3614, 3660, 3679)
                          : CANopen_Table("sgb", "SDO_Write", Rows, 3615, 3660, 3679);
        const int Header = Rd ? 3616 : 3627, Hint = Rd ? 3639 : 3649;
        t.Columns = {Number(Header),
                     Text("Device_ID", Header + 1, Hint, 60),
                     Text("Index", Header + 2, Hint + 1, 55),
                     Text("SubIndex", Header + 3, Hint + 2, 60),
                     Text("NByte", Header + 4, Hint + 3, 45),
                     Text("Poll_Time", Header + 5, Hint + 4, 60)};
        int h = Header + 6, n = Hint + 5;
        if (!Rd) t.Columns.push_back(Required(Check_Column("On_Change", h++, n++), 68));
        for (int k = 1; k <= 4; ++k) t.Columns.push_back(Text("Address_B" + IntToStr(k), h++, n++, 70));
        t.Columns.push_back(Text("Mnemonic", h, n, Rd ? 163 : 95));
        const int Message = Rd ? 3661 : 3670;
        t.Checks = {Check_Range(Col_Device_ID, 1, 127, Message),
                    Check_Range(Col_Index, 0x1000, 0xFFFF, Message + 1),
                    Check_Range(Col_SubIndex, 0, 255, Message + 2),
                    Check_Size(Col_NByte, Message + 3),
                    // Reading needs a poll time; writing may go on change alone.
                    Check_Range(Col_Poll_Time, Rd ? 1 : 0, 100000000, Message + 4),
                    Positions(Rd ? int(Rd_Address_B1) : int(Wr_Address_B1), Col_NByte, 4, Message + 5,
                              Rd ? CANopen::NByte_IN : CANopen::NByte_OUT)};
        return t;
    };
    d.Tables = {Table(true), Table(false)};
    return d;
}

TEditorDesc Set_SDO_Server_Access_Desc()
{
    using namespace SDO_Server;
    TEditorDesc d = CANopen_Editor("TFSet_SDO_Server_Access", 749, Text_Base, "SDO_Server_CANopen",
                                   &FileName_SDO_Server_CANopen);
    auto Table = [](bool Rd) {
        TTableDesc t = Rd ? CANopen_Table("sga", "SDO_Read", Rows, 3714, 3750, 3765)
                          : CANopen_Table("sgb", "SDO_Write", Rows, 3715, 3750, 3765);
        const int Header = Rd ? 3716 : 3725, Hint = Rd ? 3734 : 3742;
        t.Columns = {Number(Header), Text("Index", Header + 1, Hint, 65), Text("SubIndex", Header + 2, Hint + 1, 61),
                     Text("NByte", Header + 3, Hint + 2, 55)};
        for (int k = 1; k <= 4; ++k)
            t.Columns.push_back(Text("Address_B" + IntToStr(k), Header + 3 + k, Hint + 2 + k, 80));
        t.Columns.push_back(Text("Mnemonic", Header + 8, Hint + 7, 170));
        const int Message = Rd ? 3751 : 3758;
        // The manufacturer-specific part of the dictionary.
        t.Checks = {Check_Range(Col_Index, 0x2000, 0x5FFF, Message), Check_Range(Col_SubIndex, 0, 255, Message + 1),
                    Check_Size(Col_NByte, Message + 2),
                    Positions(Col_Address_B1, Col_NByte, 4, Message + 3, Rd ? CANopen::NByte_IN : CANopen::NByte_OUT)};
        return t;
    };
    d.Tables = {Table(true), Table(false)};
    return d;
}
