// The editor of the converter's own OPC UA server variables.
#include "editors/network/opcua/UOPC_UA_Server_Access.h"

#include "grid/core/ExtGrid.h"
#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

using namespace OPC_UA_Server;

namespace {

const std::vector<String> Type_Names = {"Boolean", "Signed Byte", "Byte",   "Int16",  "UInt16", "Int32",     "UInt32",
                                        "Int64",   "UInt64",      "Float",  "Double", "String", "ByteString"};
const std::vector<String> RW_Names = {"Read Only", "Read/Write"};

// The length of a fixed-size type, 0 for a string (whose length is the user's), -1 for a
// text that is no type.
int Type_Length(const String& Type)
{
    static const std::pair<const char*, int> Lengths[] = {
        {"Boolean", 1}, {"Signed Byte", 1}, {"Byte", 1},   {"Int16", 2},  {"UInt16", 2},  {"Int32", 4},      {"UInt32", 4},
        {"Float", 4},   {"Int64", 8},       {"UInt64", 8}, {"Double", 8}, {"String", 0}, {"ByteString", 0}};
    for (const auto& [Name, Length] : Lengths)
        if (Type == Name) return Length;
    return -1;
}

}  // namespace

TEditorDesc OPC_UA_Server::Server_Access_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFOPC_UA_Server_Access";
    d.Name = "FOPC_UA_Server_Access";
    d.Client_Width = 1200;
    d.Client_Height = 337;
    Text_Block(d, Text_Base);
    d.Root = "OPC_UA_Server";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &FileName_OPC_UA_Server;

    TTableDesc t;
    t.Grid_Kind = gkStringGrid;
    t.Grid_Name = "ASG";
    t.Section = "OPC_UA_Server_Variables";
    t.Rows = Rows;
    t.Key_Col = Col_Type;
    t.Select_Row_On_Click = false;
    t.Write_Stops_At_Empty_Key = true;
    TFieldDesc Enable = Enable_Column(5815, -1);
    // A box is unticked only by "N": "1", "y" or nothing at all leave it ticked.
    Enable.From_File = [](const String& v) { return v == "N" ? String("N") : String("Y"); };
    t.Columns = {Number_Column(5814),
                 Enable,
                 List_Column("Type", 5816, -1, fkList, Type_Names),
                 Text_Column("Position", 5817, -1),
                 Text_Column("Length", 5818, -1),
                 Text_Column("Name", 5819, -1),
                 List_Column("ReadWrite", 5829, -1, fkList, RW_Names),
                 Text_Column("Mnemonic", 5820, -1)};
    const int Widths[Col_Count] = {40, 50, 120, 100, 100, 280, 100, 280};
    for (int c = 0; c < Col_Count; ++c) t.Columns[size_t(c)].Width = Widths[c];
    // The rule locks the length of a fixed-size type; the stored length and access stand
    // as the file has them (none: empty).
    t.After_Load_Row = [](const TXMLNode& Element, TRowGridAccess& Grid, int Row, const TEditorContext&) {
        const int Length = Type_Length(Grid.GetCellEx(Col_Type, Row));
        if (Length >= 0) Grid.SetCellReadOnly(Col_Length, Row, Length > 0);
        Grid.SetCellEx(Col_Length, Row, Element.AttributeDef("Length", ""));
        Grid.SetCellEx(Col_RW, Row, Element.AttributeDef("ReadWrite", ""));
    };
    d.Tables = {t};
    // Every row that has a type and is ticked needs a place in the data array. The message
    // names the last place accepted.
    d.Editor_Checks = {[](const std::vector<TTableView>& Tables, const TEditorContext&) -> std::optional<TCheckFailure> {
        const TTableView& Table = Tables.at(0);
        for (int r = 1; r <= Table.Rows(); ++r) {
            if (!Table.Takes_Part(r)) continue;
            const long long p = Table.Row(r).Int(Col_Position);
            if (p >= 0 && p <= Max_Position) continue;
            TCheckFailure f;
            f.Row = r;
            f.Text = Format(Lang_Text(5827), {r, Max_Position});
            return f;
        }
        return std::nullopt;
    }};
    return d;
}

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner) : TFTableEditor(AOwner, Server_Access_Desc())
{
    ASG = Table_Grid(0);
    for (const String& s : Type_Names) VarType.Add(s);
    for (const String& s : RW_Names) RWType.Add(s);
    // No column sizing by a double click and no Enter walk in this table.
    ASG->OnDblClickCell = nullptr;
    ASG->OnKeyPress = nullptr;
    ASG->OnComboChange = [this](TObject*, int ACol, int ARow, int, const String& Text) {
        if (ACol == Col_Type) VarSetLength(ARow, Text);
    };
    ASG->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* Brush, TFont*) {
        static const TColor Colors[Col_Count] = {clNone,           RGB(255, 216, 176), RGB(224, 250, 254),
                                                 RGB(168, 255, 168), RGB(168, 255, 168), RGB(252, 214, 244),
                                                 RGB(252, 214, 244), RGB(255, 255, 255)};
        if (ARow >= 1 && ACol >= 1 && ACol < Col_Count) Brush->SetColor(Colors[ACol]);
    };
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };
}

// Read-only marks are the type's: what deleting rows left behind does not outlive the showing.
void TFOPC_UA_Server_Access::Before_Reset()
{
    for (int r = 1; r < ASG->RowCount(); ++r)
        for (int c = 1; c < Col_Count; ++c) Rows(0).SetCellReadOnly(c, r, false);
}

void TFOPC_UA_Server_Access::VarSetLength(int Row, const String& Type)
{
    const int Length = Type_Length(Type);
    if (Length >= 0) {
        Rows(0).SetCellEx(Col_Length, Row, IntToStr(Length > 0 ? Length : 10));
        Rows(0).SetCellReadOnly(Col_Length, Row, Length > 0);
    }
    if (Rows(0).GetCellEx(Col_RW, Row).empty()) Rows(0).SetCellEx(Col_RW, Row, "Read/Write");
}

void TFOPC_UA_Server_Access::Btn_DelRowClick(TObject*)
{
    const int r = ASG->Row();
    if (MessageDlg(Format(Lang_Text(5828), {r}), mtConfirmation, mbYesNo, 0) != mrYes) return;
    Grid_Delete_Row_Check(r, Rows(0), true);
}

void TFOPC_UA_Server_Access::Btn_PasteRowClick(TObject* Sender)
{
    TFTableEditor::Btn_PasteRowClick(Sender);
    // The pasted length stays; its lock and the access default follow the type.
    const int r = ASG->Row();
    const String Length = Rows(0).GetCellEx(Col_Length, r);
    VarSetLength(r, Rows(0).GetCellEx(Col_Type, r));
    Rows(0).SetCellEx(Col_Length, r, Length);
}

void Plug_OPC_UA_Server_Access_Window()
{
    Plug_Window("TFOPC_UA_Server_Access", FOPC_UA_Server_Access);
}
