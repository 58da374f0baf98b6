// The CAN, J1939, NMEA 2000 and CANopen windows, headless: each opened as the user first
// sees it (and pictured), a row entered with the grid's own editors, a bad value refused
// with its message, OK writing the file (compared with its golden file), and the next
// showing reading it back.
#include <functional>

#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/USet_PDO_Access.h"
#include "editors/fieldbus/USet_SDO_Client_Access.h"
#include "editors/fieldbus/USet_SDO_Server_Access.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"
#include "tests/common/Snapshot.h"
#include "tests/common/GridHands.h"
#include "tests/editors/fieldbus/window_fixture.h"

namespace {

using namespace hands;

// What the user does to one cell.
enum TAct { aType, aPick, aTick };
struct TStep {
    int table, col;
    TAct act;
    const char* text;
};

struct TWindowCase {
    const char* name;
    std::function<TFTableEditor*()> make;
    String* file;
    const char* file_name;
    const char* caption;
    int width, rows;
    bool buttons_hint;                  // the six buttons show their hints
    std::vector<TStep> row;             // row 1 of each table, as typed
    TStep bad;                          // a value then refused ...
    String refused;                     // ... with this text
    const char* good;                   // the value typed over it
};

class CANWindows : public EditorWindows {
protected:
    void TearDown() override
    {
        for (TForm* f : FWindows) f->Free();
        EditorWindows::TearDown();
    }
    template <class T>
    T* Make()
    {
        T* w = new T(nullptr);
        w->AfterConstruction();
        FWindows.push_back(w);
        return w;
    }
    void Expect_Golden(const String& File, const String& Golden)
    {
        const String Got = FileExists(File) ? ReadFileBytes(File) : String("(no file)");
        const String Path = PathJoin(EDITORS_TEST_DATA, Golden);
        const String Want = FileExists(Path) ? ReadFileBytes(Path) : String("(no golden file)");
        if (Got != Want) WriteFileAtomic(Output(Golden), Got);
        EXPECT_EQ(Got, Want) << Golden;
    }
    static String Row_Error(int Prefix, int Message, const String& Limit = "")
    {
        return Lang_Strings[Prefix] + "1" + Lang_Strings[Message] + Limit;
    }
    // Shows the table's page and does the step on row 1.
    static void Do(TFTableEditor* W, const TStep& s)
    {
        if (W->Page(s.table)) W->Page_Control->SetActivePage(W->Page(s.table));
        Pump();
        TExtColumnGrid* G = W->Grid(s.table);
        UserFocus(G);
        switch (s.act) {
        case aType: Type_Into(G, s.col, 1, s.text); break;
        case aPick: Pick(G, s.col, 1, s.text); break;
        case aTick: Tick(G, s.col, 1); break;
        }
    }

    std::vector<TForm*> FWindows;
};

TEST_F(CANWindows, EachWindowTakesARowRefusesABadValueWritesItsFileAndReadsItBack)
{
    const TWindowCase cases[] = {
        {"can_receive", [&] { return Make<TFReceiveCAN>(); }, &FileName_CAN_Rec_Frames, "CAN_Rec_Frames", "Receive CAN Frames Set Access",
         1010, 512, true,
         {{0, ReceiveCAN::Col_COBID, aType, "0x181"}, {0, ReceiveCAN::Col_CAN_Type, aPick, "2.0A (11 bits)"},
          {0, ReceiveCAN::Col_Dim, aType, "2"}, {0, ReceiveCAN::Col_Byte1, aPick, "1"},
          {0, ReceiveCAN::Col_Mnemonic, aType, "Speed"}},
         {0, ReceiveCAN::Col_TimeOut, aType, "100000001"}, Row_Error(3344, 3348), "500"},
        {"can_transmit", [&] { return Make<TFTransmitCAN>(); }, &FileName_CAN_Send_Frames, "CAN_Send_Frames",
         "Transmit CAN Frames Set Access", 1100, 512, true,
         {{0, TransmitCAN::Col_COBID, aType, "$201"}, {0, TransmitCAN::Col_CAN_Type, aPick, "2.0B (29 bits)"},
          {0, TransmitCAN::Col_Dim, aType, "1"}, {0, TransmitCAN::Col_OnTimer, aTick, "Y"},
          {0, TransmitCAN::Col_Byte1, aPick, "None"}},
         {0, TransmitCAN::Col_Time, aType, "-5"}, Row_Error(3447, 3451), "1000"},
        {"j1939_receive", [&] { return Make<TFReceiveJ1939>(); }, &FileName_J1939_Rec_Frames, "J1939_Rec_Frames",
         "Receive J1939 Frames", 876, 512, true,
         {{0, ReceiveJ1939::Col_DP, aPick, "0"}, {0, ReceiveJ1939::Col_PGN, aType, "65262"},
          {0, ReceiveJ1939::Col_TP, aTick, "Y"}, {0, ReceiveJ1939::Col_TP_Start, aType, "0"},
          {0, ReceiveJ1939::Col_TP_NByte, aType, "10"}},
         {0, ReceiveJ1939::Col_SA, aType, "240"}, Row_Error(4335, 4338), "0"},
        {"j1939_transmit", [&] { return Make<TFTransmitJ1939>(); }, &FileName_J1939_Send_Frames, "J1939_Send_Frames",
         "Transmit J1939 Frames", 800, 512, false,
         {{0, TransmitJ1939::Col_Priority, aType, "6"}, {0, TransmitJ1939::Col_DP, aPick, "1"},
          {0, TransmitJ1939::Col_PGN, aType, "0xFEF1"}, {0, TransmitJ1939::Col_SA, aType, "128"},
          {0, TransmitJ1939::Col_On_Timer, aTick, "Y"}, {0, TransmitJ1939::Col_SendTimer, aType, "100"}},
         {0, TransmitJ1939::Col_TP_NByte, aType, "513"}, Row_Error(4435, 4440, "512"), "8"},
        {"nmea_receive", [&] { return Make<TFReceiveNMEA>(); }, &FileName_NMEA_Rec_Frames, "NMEA_Rec_Frames",
         "Receive NMEA 2000 Frames", 810, 62, false,
         {{0, ReceiveNMEA::Col_PGN, aType, "127250"}, {0, ReceiveNMEA::Col_FP, aTick, "Y"},
          {0, ReceiveNMEA::Col_TP_Start, aType, "0"}, {0, ReceiveNMEA::Col_TP_NByte, aType, "8"}},
         {0, ReceiveNMEA::Col_SA, aType, "x"}, Row_Error(4631, 4633), "1"},
        {"nmea_transmit", [&] { return Make<TFTransmitNMEA>(); }, &FileName_NMEA_Send_Frames, "NMEA_Send_Frames",
         "Transmit NMEA 2000 Frames", 810, 62, false,
         {{0, TransmitNMEA::Col_Priority, aType, "2"}, {0, TransmitNMEA::Col_PGN, aType, "129025"},
          {0, TransmitNMEA::Col_TP_NByte, aType, "8"}},
         {0, TransmitNMEA::Col_SA, aType, "240"}, Row_Error(4735, 4738), "10"},
        {"pdo", [&] { return Make<TFSet_PDO_Access>(); }, &FileName_PDO_CANopen, "PDO_CANopen", "Set PDO Access", 798, 30,
         false,
         {{0, PDO::Col_COB_ID, aType, "$181"}, {0, PDO::Col_Dimension, aType, "1"}, {0, PDO::Col_Address_B1, aType, "0"},
          {0, PDO::Col_TimeOut, aType, "0"}, {1, PDO::Col_COB_ID, aType, " 0x201"}, {1, PDO::Col_Dimension, aType, "1"},
          {1, PDO::Col_Address_B1, aType, "1499"}, {1, PDO::Tx_On_Change, aTick, "Y"}},
         {1, PDO::Tx_Send_Time, aType, "100000001"}, Row_Error(3568, 3590), "100"},
        {"sdo_client", [&] { return Make<TFSet_SDO_Client_Access>(); }, &FileName_SDO_Client_CANopen, "SDO_Client_CANopen",
         "Set SDO Client Access", 798, 256, false,
         {{0, SDO_Client::Col_Device_ID, aType, "5"}, {0, SDO_Client::Col_Index, aType, "0x6000"},
          {0, SDO_Client::Col_SubIndex, aType, "1"}, {0, SDO_Client::Col_NByte, aType, "2"},
          {0, SDO_Client::Rd_Address_B1, aType, "0"},
          {0, SDO_Client::Rd_Address_B1 + 1, aType, "1"}},
         {0, SDO_Client::Col_Poll_Time, aType, "0"}, Row_Error(3660, 3665), "1000"},
        {"sdo_server", [&] { return Make<TFSet_SDO_Server_Access>(); }, &FileName_SDO_Server_CANopen, "SDO_Server_CANopen",
         "Set SDO Server Access", 749, 500, false,
         {{1, SDO_Server::Col_SubIndex, aType, "0"},
          {1, SDO_Server::Col_NByte, aType, "1"}, {1, SDO_Server::Col_Address_B1, aType, "7"}},
         {1, SDO_Server::Col_Index, aType, "0x6000"}, Row_Error(3750, 3758), "$2000"},
    };
    for (const TWindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        *c.file = PathJoin(Dir, String(c.file_name) + ".xml");
        TFTableEditor* W = c.make();
        TInteractionScript script;
        Open(W, script, [&] {
            EXPECT_EQ(W->Caption(), c.caption);
            EXPECT_EQ(W->ClientWidth(), c.width);
            EXPECT_EQ(W->ClientHeight(), 337);
            for (int t = 0; t < W->Table_Count(); ++t) {
                EXPECT_EQ(W->Grid(t)->RowCount(), c.rows + 1);
                EXPECT_EQ(Cell(W->Grid(t), 0, c.rows), IntToStr(c.rows));
                EXPECT_TRUE(W->Grid(t)->ShowHint() || c.name == String("nmea_transmit"));
            }
            EXPECT_EQ(W->Btn_OK->ShowHint(), c.buttons_hint);
            TBitmap png;
            EXPECT_TRUE(Snapshot_To(W, Output(String(c.name) + "_editor_first_open.png"), png));
        });
        EXPECT_EQ(script.Problems(), "");

        EXPECT_EQ(Open(W, script, [&] {
                      for (const TStep& s : c.row) Do(W, s);
                      Do(W, c.bad);
                      script.Answer(mrOk, c.refused);
                      UserClick(W->Btn_OK);
                      EXPECT_FALSE(FileExists(*c.file));
                      EXPECT_EQ(W->Active_Table(), c.bad.table);
                      W->Grid(c.bad.table)->SetCellEx(c.bad.col, 1, "");
                      Do(W, TStep{c.bad.table, c.bad.col, aType, c.good});
                      UserClick(W->Btn_OK);
                  }),
                  mrOk);
        EXPECT_EQ(script.Problems(), "");
        Expect_Golden(*c.file, String(c.file_name) + "_small.xml");
        // The next showing reads the row back, on the first page.
        Open(W, script, [&] {
            EXPECT_EQ(W->Active_Table(), 0);
            for (const TStep& s : c.row)
                EXPECT_EQ(Cell(W->Grid(s.table), s.col, 1), s.act == aTick ? "Y" : s.text) << s.col;
            EXPECT_EQ(Cell(W->Grid(c.bad.table), c.bad.col, 1), c.good);
        });
        EXPECT_EQ(script.Problems(), "");
        c.file->clear();
    }
}

TEST_F(CANWindows, ByteListsRowClicksAndInsertFollowEachWindow)
{
    const struct {
        const char* name;
        std::function<TFTableEditor*()> make;
        int list_col;          // a byte column, -1 none
        int list_items;        // its items at a showing
        bool click_selects;    // a click in column 0 selects the row
        const char* inserted;  // column 1 of an inserted row
    } cases[] = {
        {"can receive", [&] { return Make<TFReceiveCAN>(); }, ReceiveCAN::Col_Byte1 + 7, 2001, false, "Y"},
        {"can transmit", [&] { return Make<TFTransmitCAN>(); }, TransmitCAN::Col_Byte1, 3401, false, "Y"},
        {"j1939 receive", [&] { return Make<TFReceiveJ1939>(); }, -1, 0, true, ""},
        {"nmea transmit", [&] { return Make<TFTransmitNMEA>(); }, -1, 0, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFTableEditor* W = c.make();
        TExtColumnGrid* G = W->Grid(0);
        TInteractionScript script;
        Open(W, script, [&] {
            if (c.list_col >= 0) {
                TStringList* Items = G->Columns()->Items(c.list_col)->ComboItems();
                ASSERT_EQ(Items->Count(), c.list_items);
                EXPECT_EQ(Items->Strings(0), "None");
                EXPECT_EQ(Items->Strings(c.list_items - 1), IntToStr(c.list_items - 2));
            }
            G->SetCellEx(1, 3, "x");
            G->SetRow(1);
            Click(G, 0, 3);
            EXPECT_EQ(G->IsSelected(G->ColCount() - 1, 3), c.click_selects);
            G->SetRow(3);
            UserClick(W->Btn_InsRow);
            EXPECT_EQ(Cell(G, 1, 3), c.inserted);
            EXPECT_EQ(Cell(G, 1, 4), "x");
        });
        EXPECT_EQ(script.Problems(), "");
    }
}

TEST_F(CANWindows, CANopenPagesHintsAndRowClipboard)
{
    TFSet_SDO_Server_Access* W = Make<TFSet_SDO_Server_Access>();
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_SDO_Read);
        String Hint;
        W->GridHint(W->sga, 0, 1, Hint);
        EXPECT_EQ(Hint, Text(3734));
        // The list follows the page shown, whichever grid asks.
        W->PageControl1->SetActivePage(W->TS_SDO_Write);
        W->GridHint(W->sga, 0, 8, Hint);
        EXPECT_EQ(Hint, Text(3749));
        W->GridHint(W->sgb, 1, 8, Hint);
        EXPECT_EQ(Hint, "");
        // A row copied on one page cannot be pasted on the other.
        W->PageControl1->SetActivePage(W->TS_SDO_Read);
        W->sga->SetCellEx(SDO_Server::Col_Index, 1, "$2000");
        UserClick(W->Btn_CopyRow);
        W->PageControl1->SetActivePage(W->TS_SDO_Write);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(Cell(W->sgb, SDO_Server::Col_Index, 1), "");
        EXPECT_TRUE(W->Do_Copy_SDO_Read());
        EXPECT_FALSE(W->Do_Copy_SDO_Write());
    });
    // The next showing opens on the read page again, the copy marks clear.
    Open(W, script, [&] {
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_SDO_Read);
        EXPECT_FALSE(W->Do_Copy_SDO_Read());
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(CANWindows, TransmitJ1939RefusesARowWithPriorityOnly)
{
    using namespace TransmitJ1939;
    FileName_J1939_Send_Frames = PathJoin(Dir, "J1939_Send_Frames.xml");
    TFTransmitJ1939* W = Make<TFTransmitJ1939>();
    TExtColumnGrid* G = W->sga;
    TInteractionScript script;
    Open(W, script, [&] {
        for (int r : {1, 3}) {
            const std::pair<int, const char*> row[] = {
                {Col_Priority, "3"}, {Col_DP, "0"}, {Col_PGN, "65262"}, {Col_SA, "1"}, {Col_TP_NByte, "8"}};
            for (const auto& [c, t] : row) G->SetCellEx(c, r, t);
        }
        G->SetCellEx(Col_Priority, 2, "3");
        script.Answer(mrOk, Text(4435) + "2" + Text(4437));
        UserClick(W->Btn_OK);
        EXPECT_FALSE(FileExists(FileName_J1939_Send_Frames)) << "nothing unchecked reaches the file";
    });
    EXPECT_EQ(script.Problems(), "");
    FileName_J1939_Send_Frames.clear();
}

}  // namespace
