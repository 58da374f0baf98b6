// The MQTT, S7 and SNMP windows, headless: each opened as the user first sees it (and
// pictured), rows entered with the grid's own editors, a bad value refused with its
// message, OK writing the file (compared with its golden file), and the next showing
// reading it back. Then what is each window's own: the template dialog, hints, pages,
// the numbering of the agent's variables.
#include <functional>

#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "editors/network/UTopicTemplate.h"
#include "grid/core/ExtGrid.h"
#include "tests/common/Snapshot.h"
#include "tests/common/GridHands.h"
#include "tests/editors/network/network_fixture.h"

namespace {

using namespace hands;

// What the user does to one cell, by its real column (hidden columns counted).
enum TAct { aType, aPick, aTick };
struct TStep {
    int table, col;
    TAct act;
    const char* text;
};

// The cell's place on the screen for a real column.
int Shown(TExtColumnGrid* G, int Real) { return G->DisplColIndex(Real); }

void Do(TFTableEditor* W, const TStep& s)
{
    if (W->Page(s.table)) W->Page_Control->SetActivePage(W->Page(s.table));
    Pump();
    TExtColumnGrid* G = W->Grid(s.table);
    UserFocus(G);
    const int c = Shown(G, s.col);
    switch (s.act) {
    case aType:
        Click(G, c, 1);
        Type(s.text);
        Key(VK_RETURN);
        break;
    case aPick: {
        Click(G, c, 1);
        Key(VK_F2);
        TComboBox* cb = G->ComboEditor();
        ASSERT_TRUE(cb && cb->Visible()) << "column " << s.col;
        const int Want = cb->Items()->IndexOf(s.text);
        for (int i = 0; i < cb->Items()->Count() && cb->Text() != s.text; ++i)
            Key(Want >= 0 && cb->ItemIndex() > Want ? VK_UP : VK_DOWN);
        Key(VK_RETURN);
        break;
    }
    case aTick: Click(G, c, 1); break;
    }
    EXPECT_EQ(G->GetCellEx(s.col, 1), s.act == aTick ? "Y" : s.text) << "column " << s.col;
}

struct TWindowCase {
    const char* name;
    std::function<TFTableEditor*()> make;
    String* file;
    const char* file_name;
    const char* caption;
    int width;
    std::vector<int> rows;              // data rows of each table
    bool buttons_hint;                  // the six buttons show their hints
    std::vector<bool> tables_hint;      // each table shows hints
    std::vector<TStep> row;             // row 1 of the tables, as typed
    TStep bad;                          // a value then refused ...
    String refused;                     // ... with this text
    const char* good;                   // the value typed over it
};

using Windows = NetworkEditors;

TEST_F(Windows, EachWindowTakesARowRefusesABadValueWritesItsFileAndReadsItBack)
{
    using namespace MQTT;
    const TWindowCase cases[] = {
        {"mqtt", [&] { return Make<TFMQTT_Set_Topic>(); }, &FileName_MQTT_Set_Topic, "MQTT_Set_Topic", "Set MQTT Topics",
         1100, {1024, 1024}, false, {true, true},
         {{Publish, Pub_Topic, aType, "plant/boiler/temp"}, {Publish, Pub_Retained, aTick, "Y"},
          {Publish, Pub_QoS, aPick, "1"}, {Publish, Pub_DataType, aPick, "Float"}, {Publish, Pub_Position, aType, "10"},
          {Publish, Pub_Template, aType, "{\"t\":$VALUE$}"}, {Publish, Pub_OnTimer, aTick, "Y"},
          {Publish, Pub_Time, aType, "5000"}, {Publish, Pub_Mnemonic, aType, "Boiler"},
          {Subscribe, Sub_Topic, aType, "plant/boiler/set"}, {Subscribe, Sub_QoS, aPick, "2"},
          {Subscribe, Sub_DataType, aPick, "String"}, {Subscribe, Sub_Dimension, aType, "16"},
          {Subscribe, Sub_Position, aType, "0"}, {Subscribe, Sub_Mnemonic, aType, "Setpoint"}},
         {Publish, Pub_Dimension, aType, "2"}, Row_Error(5251, 1, 5254), "4"},
        {"s7", [&] { return Make<TFS7_Protocol_Set_Access>(); }, &FileName_S7_Protocol, "S7_Protocol", "S7comm Access",
         1350, {512, 512}, true, {true, false},
         {{S7::Read, S7::Col_PLC_Address, aType, "192.168.001.010"}, {S7::Read, S7::Col_PLC_Port, aType, "102"},
          {S7::Read, S7::Col_PLC_Type, aPick, "S71500"}, {S7::Read, S7::Col_Slot, aType, "1"},
          {S7::Read, S7::Col_Data_Type, aPick, "DWord"}, {S7::Read, S7::Col_Data_Identifier, aPick, "DB"},
          {S7::Read, S7::Col_DB_Number, aType, "5"}, {S7::Read, S7::Col_PLC_Area, aPick, "Flags (M) (Merker)"},
          {S7::Read, S7::Col_PLC_Add, aType, "20"}, {S7::Read, S7::Col_PLC_Bit, aPick, "0"},
          {S7::Read, S7::Col_PollTime, aType, "500"}, {S7::Read, S7::Rd_Position, aPick, "3"},
          {S7::Read, S7::Rd_Bit, aPick, "0"}, {S7::Read, S7::Rd_Mnemonic, aType, "Counter"},
          {S7::Write, S7::Col_PLC_Address, aType, "192.168.1.10"}, {S7::Write, S7::Col_PLC_Port, aType, "102"},
          {S7::Write, S7::Col_PLC_Type, aPick, "S71500"}, {S7::Write, S7::Col_Rack, aType, "0"},
          {S7::Write, S7::Col_Slot, aType, "2"}, {S7::Write, S7::Col_Data_Type, aPick, "Int"},
          {S7::Write, S7::Col_Data_Identifier, aPick, "DB"}, {S7::Write, S7::Col_DB_Number, aType, "6"},
          {S7::Write, S7::Col_PLC_Area, aPick, "Output (Q)"}, {S7::Write, S7::Col_PLC_Add, aType, "0"},
          {S7::Write, S7::Col_PLC_Bit, aPick, "0"}, {S7::Write, S7::Col_PollTime, aType, "0"},
          {S7::Write, S7::Wr_OnChange, aTick, "Y"}, {S7::Write, S7::Wr_Position, aPick, "1"},
          {S7::Write, S7::Wr_Bit, aPick, "0"}},
         {S7::Read, S7::Col_Rack, aType, "4"}, Row_Error(5970, 1, 6021), "0"},
        {"snmp_manager", [&] { return Make<TFSNMPManagerAccess>(); }, &FileName_SNMP_Manager, "SNMP_Manager",
         "Set SNMP Manager Access", 1230, {512}, true, {true},
         {{0, SNMP_Manager::Col_IP_Address, aType, "192.168.1.50"}, {0, SNMP_Manager::Col_Version, aPick, "3"},
          {0, SNMP_Manager::Col_Type, aPick, "Int"}, {0, SNMP_Manager::Col_Mode, aPick, "Get"},
          {0, SNMP_Manager::Col_On_Timer, aTick, "Y"}, {0, SNMP_Manager::Col_Time, aType, "1000"},
          {0, SNMP_Manager::Col_Position, aPick, "2"}, {0, SNMP_Manager::Col_Number_Bytes, aType, "4"},
          {0, SNMP_Manager::Col_ConvertFrom, aPick, "Float * 10"}, {0, SNMP_Manager::Col_User, aType, "operator"},
          {0, SNMP_Manager::Col_Auth_Pass, aType, "secret12"}, {0, SNMP_Manager::Col_Security_Level, aPick, "Auth NoPriv"},
          {0, SNMP_Manager::Col_Auth_Mode, aPick, "SHA"}},
         {0, SNMP_Manager::Col_OID, aType, "1.3..6"}, Row_Error(6137, 1, 6143), "1.3.6.1.2.1.1.3.0"},
        {"snmp_agent", [&] { return Make<TFSNMP_Trap_Access>(); }, &FileName_SNMP_Trap, "SNMP_Trap", "Set SNMP Trap Access",
         1256, {256, 256}, true, {true, true},
         {{SNMP_Trap::Read, SNMP_Trap::Rd_Community_Name, aType, "public"}, {SNMP_Trap::Read, SNMP_Trap::Rd_Type, aPick, "Int"},
          {SNMP_Trap::Read, SNMP_Trap::Rd_Position, aPick, "4"}, {SNMP_Trap::Read, SNMP_Trap::Rd_Bit, aPick, "0"},
          {SNMP_Trap::Read, SNMP_Trap::Rd_NumBits, aType, "16"}, {SNMP_Trap::Read, SNMP_Trap::Rd_IP_Address, aType, "192.168.1.125"},
          {SNMP_Trap::Read, SNMP_Trap::Rd_Conversion, aPick, "Float * 10"},
          {SNMP_Trap::Write, SNMP_Trap::Wr_Community_Name, aType, "private"}, {SNMP_Trap::Write, SNMP_Trap::Wr_Type, aPick, "String"},
          {SNMP_Trap::Write, SNMP_Trap::Wr_Position, aPick, "1"}, {SNMP_Trap::Write, SNMP_Trap::Wr_Bit, aPick, "0"},
          {SNMP_Trap::Write, SNMP_Trap::Wr_NumBits, aType, "8"}, {SNMP_Trap::Write, SNMP_Trap::Wr_Description, aType, "label"},
          {SNMP_Trap::Write, SNMP_Trap::Wr_Conversion, aPick, "None"}},
         {SNMP_Trap::Read, SNMP_Trap::Rd_Description, aType, "Temp"}, Row_Error(6260, 1, 6277), "temp"},
    };
    for (const TWindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFTableEditor* W = c.make();
        TInteractionScript script;
        Open(W, script, [&] {
            EXPECT_EQ(W->Caption(), c.caption);
            EXPECT_EQ(W->ClientWidth(), c.width);
            EXPECT_EQ(W->ClientHeight(), 337);
            ASSERT_EQ(W->Table_Count(), int(c.rows.size()));
            for (int t = 0; t < W->Table_Count(); ++t) {
                EXPECT_EQ(W->Grid(t)->RowCount(), c.rows[size_t(t)] + 1);
                EXPECT_EQ(W->Grid(t)->ShowHint(), c.tables_hint[size_t(t)]) << t;
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
                      TBitmap png;
                      EXPECT_TRUE(Snapshot_To(W, Output(String(c.name) + "_editor_row_entered.png"), png));
                      UserClick(W->Btn_OK);
                  }),
                  mrOk);
        EXPECT_EQ(script.Problems(), "");
        Expect_Golden(*c.file, String(c.file_name) + "_small.xml");
        // The next showing reads the rows back, on the first page.
        Open(W, script, [&] {
            EXPECT_EQ(W->Active_Table(), 0);
            for (const TStep& s : c.row)
                EXPECT_EQ(W->Grid(s.table)->GetCellEx(s.col, 1), s.act == aTick ? "Y" : s.text) << s.col;
            EXPECT_EQ(W->Grid(c.bad.table)->GetCellEx(c.bad.col, 1), c.good);
        });
        EXPECT_EQ(script.Problems(), "");
    }
}

}  // namespace
