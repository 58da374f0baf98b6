// The MQTT topic editor as a description of the table editor engine.
#include "editors/network/UMQTT_Set_Topic_Desc.h"

#include <algorithm>

#include "shell/UComon.h"
#include "shell/UComonRows.h"

namespace MQTT {
const char* const Byte_IN_Name = "Byte_IN";
const char* const Byte_OUT_Name = "Byte_OUT";
}  // namespace MQTT

bool Error_In_Topic_Template(const String& Text)
{
    return std::count(Text.begin(), Text.end(), '$') % 2 != 0;
}

namespace {

const std::vector<String> QoS_Items = {"0", "1", "2"};
const std::vector<String> Data_Types = {"Int", "Float", "String", "Base64"};

// The size a value of the row's data type may have: 1, 2, 4 or 8 bytes for an integer,
// 4 or 8 for a float, at least 1 for any other type (texts, Base64 and whatever a file
// holds).
TRowCheck Check_Dimension(int Type_Col, int Dim_Col, int Int_Message, int Float_Message, int Other_Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        const String Type = Trim(r.Upper(Type_Col));
        const long long Dim = r.Int(Dim_Col);
        if (Type == "INT") {
            if (Dim == 1 || Dim == 2 || Dim == 4 || Dim == 8) return std::nullopt;
            return TRowError{Int_Message, std::nullopt, Dim_Col};
        }
        if (Type == "FLOAT") {
            if (Dim == 4 || Dim == 8) return std::nullopt;
            return TRowError{Float_Message, std::nullopt, Dim_Col};
        }
        if (Dim >= 1) return std::nullopt;
        return TRowError{Other_Message, std::nullopt, Dim_Col};
    };
}

TRowCheck Check_Template(int Col, int Message)
{
    return [=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        if (!Error_In_Topic_Template(r.Trimmed(Col))) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

TBound Last_Of(const char* Name)
{
    return [Name](const TEditorContext& c) { return c.Number(Name) - 1; };
}

TFieldDesc Hidden(TFieldDesc Field)
{
    Field.Flags |= ffHidden;
    return Field;
}

// Read without a default: a row element without it ends the loading.
TFieldDesc Required(TFieldDesc Field) { return With_Default(std::move(Field), std::nullopt); }

// A column the file does not hold.
TFieldDesc Unstored(TFieldDesc Field)
{
    Field.Name.clear();
    return Field;
}

TTableDesc Table(const String& Grid_Name, const String& Section, int Page_Caption)
{
    TTableDesc t;
    t.Grid_Name = Grid_Name;
    t.Section = Section;
    t.Rows = MQTT::Rows;
    // No Enable column: every row with a topic is checked.
    t.Key_Col = 1;
    t.Enable_Col = -1;
    t.Insert_Sets_Enable = false;
    t.Select_Row_On_Click = false;
    t.Cell_Text_Hints = true;
    t.Page_Caption = Page_Caption;
    t.Row_Error_Prefix = 5251;
    t.Delete_Question = 5223;
    return t;
}

void Set_Widths(TTableDesc& t, std::initializer_list<int> Widths)
{
    size_t c = 0;
    for (int w : Widths) t.Columns.at(c++).Width = w;
}

}  // namespace

TEditorDesc MQTT_Set_Topic_Desc()
{
    using namespace MQTT;
    TEditorDesc d;
    d.Class_Name = "TFMQTT_Set_Topic";
    d.Name = "FMQTT_Set_Topic";
    d.Client_Width = 1100;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Tables_Show_Hints = true;
    d.Root = "MQTT_Set_Topic";
    d.Version = "SW_VERSION = 1.001";
    d.File_Name = &FileName_MQTT_Set_Topic;
    d.Read_Context = [](TEditorContext& c) {
        c.Numbers[Byte_IN_Name] = Byte_IN;
        c.Numbers[Byte_OUT_Name] = Byte_OUT;
    };

    TTableDesc p = Table("ACG_Pub", "MQTT_Publish", 5233);
    std::vector<String> Channels;
    for (int i = 0; i <= 63; ++i) Channels.push_back(IntToStr(i));
    Channels.push_back("All");
    p.Columns = {Number_Column(5214),
                 Required(Text_Column("Topic", 5215, 5219)),
                 Required(Check_Column("Retained", 5216, 5220)),
                 Required(List_Column("QoS", 5217, 5221, fkList, QoS_Items)),
                 List_Column("DataType", 5237, 5240, fkList, Data_Types),
                 Text_Column("Dimension", 5238, 5241),
                 Text_Column("Position", 5239, 5242),
                 Hidden(Text_Column("IPAddress", 5262, 5264)),
                 Hidden(Text_Column("InputTemplate", 5263, 5265)),
                 List_Column("Template", 5235, 5236, fkListEdit, {"$VALUE$"}),
                 Check_Column("OnChange", 5281, 5282),
                 Hidden(Unstored(Check_Column("OnCMD", 5283, 5286))),
                 Check_Column("OnTimer", 5284, 5287),
                 Text_Column("Time", 5285, 5288),
                 Hidden(Unstored(List_Column("Channel", 5290, 5291, fkList, Channels))),
                 Hidden(Unstored(Check_Column("Swap", 5293, 5295))),
                 Hidden(Unstored(Check_Column("SwapWord", 5294, 5296))),
                 Required(Text_Column("Mnemonic", 5218, 5222))};
    Set_Widths(p, {40, 300, 60, 80, 80, 80, 80, 100, 120, 130, 75, 55, 64, 70, 60, 40, 80, 170});
    p.Checks = {Check_Not_Empty(Pub_DataType, 5252),
                Check_Dimension(Pub_DataType, Pub_Dimension, 5253, 5254, 5255),
                Check_Range(Pub_Position, [](const TEditorContext&) { return 0LL; }, Last_Of(Byte_IN_Name), 5256, true),
                Check_Template(Pub_Template, 5278),
                Check_When([](const TRowView& r, const TEditorContext&) { return Trim(r.Upper(Pub_OnTimer)) == "Y"; },
                           Check_Range(Pub_Time, 1, 1000000000, 5289))};
    // The columns the file does not hold start every row read from it the same way.
    p.After_Load_Row = [](const TXMLNode&, TRowGridAccess& g, int Row, const TEditorContext&) {
        g.SetCellEx(Pub_Channel, Row, "");
        g.SetCellEx(Pub_Swap, Row, "N");
        g.SetCellEx(Pub_SwapWord, Row, "N");
    };

    TTableDesc s = Table("ACG_Sub", "MQTT_Subscribe", 5234);
    s.Columns = {Number_Column(5224),
                 Required(Text_Column("Topic", 5225, 5229)),
                 Hidden(Required(Check_Column("Retained", 5226, 5230))),
                 Required(List_Column("QoS", 5227, 5231, fkList, QoS_Items)),
                 List_Column("DataType", 5243, 5247, fkList, Data_Types),
                 Text_Column("Dimension", 5244, 5248),
                 Text_Column("Position", 5245, 5249),
                 Hidden(Text_Column("IPAddress", 5266, 5270)),
                 Hidden(Text_Column("Port", 5267, 5271)),
                 Hidden(List_Column("EthType", 5268, 5272, fkList, {"TCP", "UDP"})),
                 Hidden(Text_Column("InputTemplate", 5269, 5273)),
                 List_Column("Template", 5246, 5250, fkListEdit, {"$VALUE$"}),
                 Hidden(Unstored(Check_Column("Swap", 5293, 5297))),
                 Hidden(Unstored(Check_Column("SwapWord", 5294, 5298))),
                 Required(Text_Column("Mnemonic", 5228, 5232))};
    Set_Widths(s, {40, 300, 60, 80, 80, 80, 80, 100, 50, 64, 130, 130, 40, 80, 220});
    s.Checks = {Check_Not_Empty(Sub_DataType, 5257),
                Check_Dimension(Sub_DataType, Sub_Dimension, 5258, 5259, 5260),
                Check_Range(Sub_Position, [](const TEditorContext&) { return 0LL; }, Last_Of(Byte_OUT_Name), 5261, true),
                Check_Template(Sub_Template, 5280)};
    s.After_Load_Row = [](const TXMLNode&, TRowGridAccess& g, int Row, const TEditorContext&) {
        g.SetCellEx(Sub_Swap, Row, "N");
        g.SetCellEx(Sub_SwapWord, Row, "N");
    };

    d.Tables = {std::move(p), std::move(s)};
    return d;
}
