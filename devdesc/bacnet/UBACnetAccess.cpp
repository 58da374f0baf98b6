#include "devdesc/bacnet/UBACnetAccess.h"

#include <algorithm>

#include "devdesc/bacnet/UBACnetRequestChecks.h"
#include "devdesc/ede/UImportEDEFile.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFBACnetAccess* FBACnetAccess = nullptr;

namespace BACnetClient {

namespace {
struct TEDE_Map {
    int Type;
    const char* Obj;
    const char* Data;
    int Bytes;
};
constexpr TEDE_Map EDE_Maps[] = {
    {0, "Analog Input", "Real", 4},          {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},          {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},   {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4}, {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4}, {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2},    {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},       {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};
const TEDE_Map* Map_Of(int val)
{
    for (const TEDE_Map& m : EDE_Maps)
        if (m.Type == val) return &m;
    return nullptr;
}

// The first row with an empty key, and the position after the highest Position + NByte.
std::pair<int, long long> Start_Of(TRowGridAccess& G, int Key, int Pos_Col, int NByte_Col)
{
    int Start = 0;
    long long Pos = 0;
    for (int r = 1; r < G.RowCount(); ++r) {
        if (Trim(G.GetCellEx(Key, r)).empty()) {
            if (!Start) Start = r;
            continue;
        }
        const long long P = StrToIntDef(G.GetCellEx(Pos_Col, r), -1), N = StrToIntDef(G.GetCellEx(NByte_Col, r), -1);
        if (P >= 0 && N >= 0) Pos = std::max(Pos, P + N);
    }
    return {Start ? Start : G.RowCount(), Pos};
}
}  // namespace

String Get_ObjType_EDE(int val) { return Map_Of(val) ? Map_Of(val)->Obj : ""; }
String Get_DataType_EDE(int val) { return Map_Of(val) ? Map_Of(val)->Data : "Null"; }
int Get_NumByte_EDE(int val) { return Map_Of(val) ? Map_Of(val)->Bytes : 4; }

std::pair<int, int> Place_EDE_Vars(TRowGridAccess& Read, TRowGridAccess& Write, int Type, const String& Addr,
                                   const std::vector<const TBACnet_Var*>& Vars)
{
    const int Key = BACnetReq::Key_Col(Type);
    auto [R_Row, R_Pos] = Start_Of(Read, Key, BACnetReq::Read::Position, BACnetReq::Read::NByte);
    auto [W_Row, W_Pos] = Start_Of(Write, Key, BACnetReq::Write::Position, BACnetReq::Write::NByte);
    int Placed_R = 0, Placed_W = 0;
    for (const TBACnet_Var* V : Vars) {
        const int N = Get_NumByte_EDE(V->object_type);
        const String Name = V->object_name + " - " + V->description;
        if (V->import && V->read && R_Row < Read.RowCount()) {
            using namespace BACnetReq::Read;
            const std::pair<int, String> Cells[] = {
                {Enable, "Y"}, {Address, Addr}, {Object_Type, Get_ObjType_EDE(V->object_type)},
                {Instance, IntToStr(V->object_instance)}, {Property, "Present Value (85)"}, {NByte, IntToStr(N)},
                {En_Dest, "N"}, {D_Net, ""}, {D_Len, ""}, {D_Add, ""}, {Poll_Time, "1000"}, {Max_Err, "0"},
                {Position, IntToStr(R_Pos)}, {Start_Bit, "0"}, {Swap, "N"}, {Convertion, ""}, {Mnemonic, Name}};
            for (const auto& [c, t] : Cells) Read.SetCellEx(c, R_Row, t);
            ++R_Row;
            R_Pos += N;
            ++Placed_R;
        }
        if (V->import && V->write && W_Row < Write.RowCount()) {
            using namespace BACnetReq::Write;
            const std::pair<int, String> Cells[] = {
                {Enable, "Y"}, {Address, Addr}, {Object_Type, Get_ObjType_EDE(V->object_type)},
                {Data_Type, Get_DataType_EDE(V->object_type)}, {Instance, IntToStr(V->object_instance)},
                {Property, "Present Value (85)"}, {Priority, "0"}, {NByte, IntToStr(N)}, {En_Dest, "N"},
                {D_Net, ""}, {D_Len, ""}, {D_Add, ""}, {Change, "N"}, {Timer, "N"}, {Poll_Time, "1000"},
                {Max_Err, "0"}, {Position, IntToStr(W_Pos)}, {Start_Bit, "0"}, {Swap, "N"}, {Convertion, ""},
                {Mnemonic, Name}};
            for (const auto& [c, t] : Cells) Write.SetCellEx(c, W_Row, t);
            ++W_Row;
            W_Pos += N;
            ++Placed_W;
        }
    }
    return {Placed_R, Placed_W};
}

}  // namespace BACnetClient

namespace {

const std::vector<String> D_Len_Items = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};
const std::vector<String> Bits = {"0", "1", "2", "3", "4", "5", "6", "7"};

TFieldDesc Positions(const char* Name, int Caption)
{
    TFieldDesc F = List_Column(Name, Caption, -1, fkList, {});
    F.Items_From = [](const TEditorContext&) {
        std::vector<String> Items;
        for (int i = 0; i < 1440; ++i) Items.push_back(IntToStr(i));
        return Items;
    };
    return F;
}
TFieldDesc Hidden(TFieldDesc F)
{
    F.Name.clear();   // kept in the grid only, never in the file
    F.Flags |= ffHidden;
    return F;
}
TFieldDesc Check_N(const char* Name, int Caption) { return With_Default(Check_Column(Name, Caption, -1), String("N")); }

TTableDesc Read_Table()
{
    TTableDesc t;
    t.Grid_Name = "ACG1";
    t.Section = "BACnet_Read";
    t.Rows = BACnetClient::Rows;
    t.Key_Ends_Table = true;
    t.Enable_Test = etRaw;
    t.Select_Row_On_Click = false;
    t.Page_Caption = 1306;
    t.Delete_Question = 1336;
    t.Columns = {Number_Column(1308),
                 Enable_Column(1390, -1),
                 Text_Column("IP_Address_Slave_ID", 1309, -1),
                 List_Column("Object_Type", 1311, -1, fkListEdit,
                             {"Accumulator", "Multi-State Input", "Multi-State Output", "Multi-State Value",
                              "Analog Input", "Analog Output", "Analog Value", "Binary Input", "Binary Output",
                              "Binary Value", "Integer Value", "Large Analog Value", "Positive Integer Value",
                              "Life Safety Point", "Life Safety Zone"}),
                 Text_Column("Instance", 1312, -1),
                 List_Column("Property", 1313, -1, fkListEdit,
                             {"Present Value (85)", "Object Identifier (75)", "Units (117)", "Scale (187)",
                              "PreScale (185)", "Polarity (84)", "Event State (36)", "Status Flags (111)",
                              "Object Type (79)", "Number of States (74)"}),
                 Text_Column("NumByte", 1314, -1),
                 Check_N("Enable_Destination", 1362),
                 Text_Column("Destination_Network", 1363, -1),
                 List_Column("Destination_Length", 1364, -1, fkList, D_Len_Items),
                 Text_Column("Destination_Address", 1365, -1),
                 Text_Column("PollTime", 1315, -1),
                 Text_Column("MaxError", 1316, -1),
                 Positions("Position", 1317),
                 List_Column("StartBit", 1318, -1, fkList, Bits),
                 Hidden(Check_Column("Swap", 1360, -1)),
                 Hidden(List_Column("Convertion", 1380, -1, fkList,
                                    {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"})),
                 Text_Column("Mnemonic", 1319, -1)};
    const int W[] = {32, 45, 90, 125, 56, 115, 45, 50, 45, 45, 60, 58, 50, 56, 56, 38, 115, 307};
    for (size_t c = 0; c < t.Columns.size(); ++c) t.Columns[c].Width = W[c];
    return t;
}

TTableDesc Write_Table()
{
    TTableDesc t;
    t.Grid_Name = "ACG2";
    t.Section = "BACnet_Write";
    t.Rows = BACnetClient::Rows;
    t.Key_Ends_Table = true;
    t.Enable_Test = etRaw;
    t.Select_Row_On_Click = false;
    t.Page_Caption = 1307;
    t.Delete_Question = 1336;
    t.Columns = {Number_Column(1320),
                 Enable_Column(1391, -1),
                 Text_Column("IP_Address_Slave_ID", 1321, -1),
                 List_Column("Object_Type", 1323, -1, fkListEdit,
                             {"Multi-State Output", "Multi-State Value", "Analog Output", "Analog Value",
                              "Binary Output", "Binary Value", "Integer Value", "Large Analog Value",
                              "Positive Integer Value"}),
                 List_Column("Data_Type", 1324, -1, fkList,
                             {"Null", "Boolean", "Unsigned Int", "Signed Int", "Real", "Double", "Octet String",
                              "Character String", "Bit String", "Enumerated", "Date", "Time", "Object ID"}),
                 Text_Column("Instance", 1325, -1),
                 List_Column("Property", 1326, -1, fkListEdit, {"Present Value (85)"}),
                 Text_Column("Priority", 1327, -1),
                 Text_Column("NumByte", 1328, -1),
                 Check_N("Enable_Destination", 1366),
                 Text_Column("Destination_Network", 1367, -1),
                 List_Column("Destination_Length", 1368, -1, fkList, D_Len_Items),
                 Text_Column("Destination_Address", 1369, -1),
                 Check_N("OnChange", 1329),
                 Check_N("OnTimer", 1330),
                 Text_Column("PollTime", 1331, -1),
                 Text_Column("MaxError", 1332, -1),
                 Positions("Position", 1333),
                 List_Column("StartBit", 1334, -1, fkList, Bits),
                 Hidden(Check_Column("Swap", 1361, -1)),
                 Hidden(List_Column("Convertion", 1381, -1, fkList,
                                    {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"})),
                 Text_Column("Mnemonic", 1335, -1)};
    const int W[] = {32, 45, 90, 125, 100, 56, 100, 56, 45, 50, 45, 45, 60, 55, 45, 58, 50, 56, 56, 38, 115, 66};
    for (size_t c = 0; c < t.Columns.size(); ++c) t.Columns[c].Width = W[c];
    return t;
}

}  // namespace

TEditorDesc BACnetAccess_Desc()
{
    TEditorDesc d;
    d.Class_Name = "TFBACnetAccess";
    d.Name = "FBACnetAccess";
    d.Client_Width = 1305;
    d.Client_Height = 337;
    d.Caption = 1300;
    d.Description = 1301;
    TButtonDesc Import;
    Import.Caption = 1359;
    Import.Name = "Btn_Import_CSV";
    for (auto [Kind, Caption] : {std::pair{ebOK, 1302}, {ebCancel, 1303}, {ebDelRow, 1304}, {ebInsRow, 1305}}) {
        TButtonDesc B;
        B.Kind = Kind;
        B.Caption = Caption;
        d.Buttons.push_back(B);
    }
    d.Buttons.push_back(std::move(Import));
    d.Root = "BACnet_Master_Access";
    d.Version = "SW_VERSION = 1.001";
    d.File_Name = &FileName_BACnet_Master_Access;
    d.Read_Context = [](TEditorContext& c) { Read_Model_Settings(FileName_ParGen, c); };
    d.Tables = {Read_Table(), Write_Table()};
    d.Editor_Checks = {[](const std::vector<TTableView>& Tables,
                          const TEditorContext& c) -> std::optional<TCheckFailure> {
        const int Type = int(c.Number("App_BACnet_Type"));
        const auto E = BACnetReq::Check_Requests(
            [&](int T, int Col, int Row) { return Tables[size_t(T)].Row(Row).Cell(Col); },
            Tables[0].Rows(), Type);
        if (!E) return std::nullopt;
        TCheckFailure F;
        F.Table = E->Table;
        F.Row = E->Row;
        F.Text = E->Text;
        F.Select_Row = true;
        return F;
    }};
    return d;
}

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner) : TFTableEditor(AOwner, BACnetAccess_Desc())
{
    ACG1 = Grid(0);
    ACG2 = Grid(1);
    Btn_Import_CSV = Button(BACnetClient::Btn_Import);
    Btn_Import_CSV->OnClick = [this](TObject* s) { Btn_Import_CSVClick(s); };
    // No double-click sizing, no Enter jump; the only hint is the read table's byte count.
    for (TExtColumnGrid* G : {ACG1, ACG2}) {
        G->OnDblClickCell = nullptr;
        G->OnKeyPress = nullptr;
        G->SetShowHint(true);
        G->OnGridHint = [this](TObject* s, int r, int c, String& h) {
            h = s == ACG1 ? Str_Hint_Read(r, c) : s == ACG2 ? Str_Hint_Write(r, c) : String();
        };
    }
    OD_EDE_File = new TOpenDialog(this);
    OD_EDE_File->SetName("OD_EDE_File");
    OD_EDE_File->SetFilter("BACnet EDE File (*.csv)|*.csv");
    OD_EDE_File->SetInitialDir(EDE_File_Dir);
    // The wide tables do not fit a small screen.
    if (Screen && Screen->Width() < 1271) SetClientWidth(1000);
}

void TFBACnetAccess::Set_Lang()
{
    TFTableEditor::Set_Lang();
    const bool Slave = App_BACnet_Type == 1;
    ACG1->Columns()->Items(2)->SetHeader(Lang_Text(Slave ? 1310 : 1309));
    ACG2->Columns()->Items(2)->SetHeader(Lang_Text(Slave ? 1322 : 1321));
}

void TFBACnetAccess::Before_Reset()
{
    const String Type = Context().Setting("BACnet_Master_Type");
    if (Type.empty()) MessageDlg(Lang_Text(1357), mtError, TMsgDlgButtons{mbOK}, 0);
    App_BACnet_Type = StrToIntDef(Trim(Type), 0);
    Showing_Context().Numbers["App_BACnet_Type"] = App_BACnet_Type;
    for (int t = 0; t < 2; ++t) Showing_Table(t).Key_Col = BACnetReq::Key_Col(App_BACnet_Type);
    for (TExtColumnGrid* G : {ACG1, ACG2}) {
        if (App_BACnet_Type == 0 || App_BACnet_Type == 1)
            G->UnHideColumn(2);
        else
            G->HideColumn(2);
    }
    Set_Lang();
    if (Page_Control) Page_Control->SetActivePage(Page(0));
}

String TFBACnetAccess::Str_Hint_Read(int ARow, int ACol)
{
    if (ACol != BACnetReq::Read::Property || ARow < 1) return {};
    return BACnetReq::Read_Hint(ACG1->GetCellEx(BACnetReq::Read::Object_Type, ARow),
                                ACG1->GetCellEx(BACnetReq::Read::Property, ARow));
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*)
{
    if (!FImportEDEFile) return;
    FImportEDEFile->App_BACnet_Type = App_BACnet_Type;
    if (!OD_EDE_File->Execute()) return;
    const String File = OD_EDE_File->FileName();
    if (FileExists(File)) {
        FImportEDEFile->EDE_File = File;
        if (FImportEDEFile->ShowModal() == mrOk) {
            std::vector<const TBACnet_Var*> Vars;
            for (const auto& V : FImportEDEFile->List_EDE_Var) Vars.push_back(V.get());
            BACnetClient::Place_EDE_Vars(Rows(0), Rows(1), App_BACnet_Type, FImportEDEFile->E_ID_IP->Text(), Vars);
        }
    }
    EDE_File_Dir = ExcludeTrailingPathDelimiter(ExtractFilePath(File));
    OD_EDE_File->SetInitialDir(EDE_File_Dir);
}
