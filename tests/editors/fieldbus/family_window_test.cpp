// The DMX, DeviceNet network and offsets, Modbus RTU and TCP master and EtherNet/IP
// scanner windows, headless: each opened as the user first sees it (and pictured), a row
// entered with the grid's own editors, OK writing the file (compared with its golden
// file), and the next showing reading it back; their own buttons, questions and hints.
#include "editors/fieldbus/UDMXDefVal.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"
#include "editors/fieldbus/UEtherNetIP_Master_Access.h"
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "editors/fieldbus/USetAccess.h"
#include "platform/xml/XMLDoc.h"
#include "tests/common/Snapshot.h"
#include "tests/common/memory_rows.h"
#include "tests/common/GridHands.h"
#include "tests/editors/fieldbus/window_fixture.h"

namespace {

using namespace hands;

class FamilyWindows : public EditorWindows {
protected:
    void SetUp() override
    {
        EditorWindows::SetUp();
        for (auto& [Path, Name] : Files()) *Path = PathJoin(Dir, Name);
    }
    void TearDown() override
    {
        for (TForm* f : FWindows) f->Free();
        for (auto& [Path, Name] : Files()) Path->clear();
        Pick_EDS_Connection = nullptr;
        EditorWindows::TearDown();
    }
    static std::vector<std::pair<String*, const char*>> Files()
    {
        return {{&FileName_DMX_Default_Values, "DMX_Default_Values.xml"},
                {&FileName_DNETM_Net, "DNETM_Net.xml"},
                {&FileName_DNETM_DefOff, "DNETM_DefOff.xml"},
                {&FileName_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
                {&FileName_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
                {&FileName_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"}};
    }
    template <class T>
    T* Make()
    {
        T* w = new T(nullptr);
        w->AfterConstruction();
        FWindows.push_back(w);
        return w;
    }
    // The file OK wrote is its golden file byte for byte; a differing file is left in the
    // output folder to be looked at.
    void Expect_Golden(const String& File, const char* Golden)
    {
        const String Got = FileExists(File) ? ReadFileBytes(File) : String("(no file)");
        const String Want = ReadFileBytes(PathJoin(EDITORS_TEST_DATA, Golden));
        if (Got != Want) WriteFileAtomic(Output(Golden), Got);
        EXPECT_EQ(Got, Want) << Golden;
    }
    // The picture of the window as it first opens.
    void Picture(TForm* W, const char* Name)
    {
        TBitmap png;
        ASSERT_TRUE(Snapshot_To(W, Output(Name), png));
        EXPECT_EQ(png.Width(), W->ClientWidth());
        EXPECT_EQ(png.Height(), W->ClientHeight());
    }
    // The six standard buttons of the frame as the window shows them, left to right.
    static void Expect_Buttons(TFTableEditor* W, std::initializer_list<TLbButton*> Shown, bool Hints)
    {
        int Left = -1;
        for (TLbButton* b : Shown) {
            EXPECT_TRUE(b->Visible()) << b->Name();
            EXPECT_GT(b->Left(), Left) << b->Name();
            EXPECT_EQ(b->ShowHint(), Hints) << b->Name();
            Left = b->Left();
        }
        for (TLbButton* b : {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow})
            if (std::find(Shown.begin(), Shown.end(), b) == Shown.end()) {
                EXPECT_FALSE(b->Visible()) << b->Name();
            }
    }
    // Types into the cell of real column c, wherever it is shown.
    static void Type_Real(TExtColumnGrid* G, int c, int r, const String& t)
    {
        int Shown = c;
        for (int d = 0; d < G->ColCount(); ++d)
            if (G->RealColIndex(d) == c) Shown = d;
        Click(G, Shown, r);
        Type(t);
        Key(VK_RETURN);
        EXPECT_EQ(G->GetCellEx(c, r), t) << "column " << c << " row " << r;
    }

    std::vector<TForm*> FWindows;
};

// ---------------------------------------------------------------- DMX

TEST_F(FamilyWindows, DMXChannelsFollowParGenAndOKWritesEveryChannel)
{
    using namespace DMX;
    TFDMXDefVal* W = Make<TFDMXDefVal>();
    TExtColumnGrid* G = W->ACG_DMX_Def_Val;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "DMX Default Value");
        EXPECT_EQ(W->ClientWidth(), 475);
        EXPECT_EQ(W->ClientHeight(), 337);
        EXPECT_EQ(G->RowCount(), 513) << "no ParGen.xml: 512 channels";
        EXPECT_EQ(Cell(G, 0, 512), "512");
        EXPECT_EQ(Cell(G, Col_Default_Value, 512), "0");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "");
        EXPECT_EQ(G->Columns()->Items(Col_Default_Value)->Header(), Text(4007));
        ASSERT_EQ(W->Hint->Count(), 2);
        EXPECT_EQ(W->Hint->Strings(1), Text(4010));
        Expect_Buttons(W, {W->Btn_OK, W->Btn_Cancel}, true);
        EXPECT_EQ(W->Btn_Cancel->Hint(), Text(4005));
        EXPECT_FALSE(G->ShowHint());
        Picture(W, "dmx_editor_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    // Four channels; a bad level is refused with its row, a good one written.
    WriteFileAtomic(FileName_ParGen, "<Par_Gen><DMX_Num_Channels>4</DMX_Num_Channels></Par_Gen>");
    EXPECT_EQ(Open(W, script, [&] {
                  EXPECT_EQ(G->RowCount(), 5);
                  EXPECT_EQ(W->Num_Channels, 4);
                  UserFocus(G);
                  Type_Into(G, Col_Default_Value, 2, "256");
                  Type_Into(G, Col_Mnemonic, 2, "Dimmer");
                  script.Answer(mrOk, Text(4011) + "2" + Text(4012));
                  UserClick(W->Btn_OK);
                  EXPECT_FALSE(FileExists(FileName_DMX_Default_Values));
                  Retype(G, Col_Default_Value, 2, "200");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_DMX_Default_Values, "DMX_Default_Values_small.xml");

    // Shown again with two channels: the first two only; OK writes two.
    WriteFileAtomic(FileName_ParGen, "<Par_Gen><DMX_Num_Channels>2</DMX_Num_Channels></Par_Gen>");
    Open(W, script, [&] {
        EXPECT_EQ(Cell(G, Col_Default_Value, 2), "200");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "Dimmer");
        UserClick(W->Btn_OK);
    });
    TXMLDocument doc;
    doc.LoadFromFile(FileName_DMX_Default_Values);
    EXPECT_EQ(doc.DocumentElement().ChildCount(), 2);
    // A hand-written count of zero shows the 512 channels instead of none.
    WriteFileAtomic(FileName_ParGen, "<Par_Gen><DMX_Num_Channels>0</DMX_Num_Channels></Par_Gen>");
    Open(W, script, [&] { EXPECT_EQ(G->RowCount(), 513); });
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- DeviceNet network

TEST_F(FamilyWindows, DeviceNetNetworkRowsAreTypedAndReadBack)
{
    using namespace DNet;
    TFDNet* W = Make<TFDNet>();
    TExtColumnGrid* G = W->ASG;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "DeviceNet Network");
        EXPECT_EQ(W->ClientWidth(), 745);
        EXPECT_EQ(G->RowCount(), 65);
        EXPECT_EQ(G->Name(), "ASG");
        for (int c = 1; c < Col_Count; ++c) EXPECT_EQ(Cell(G, c, 1), "") << "no Enable column";
        EXPECT_EQ(Cell(G, 0, 64), "64");
        EXPECT_EQ(Cell(G, Col_ID, 0), Text(3815));
        ASSERT_EQ(W->Hint_DeviceNet->Count(), 4);
        Expect_Buttons(W, {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow},
                       true);
        EXPECT_TRUE(G->ShowHint());
        Picture(W, "dnet_editor_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    EXPECT_EQ(Open(W, script, [&] {
                  UserFocus(G);
                  Type_Into(G, Col_ID, 1, "5");
                  Type_Into(G, Col_NB_IN, 1, "4");
                  Type_Into(G, Col_NB_OUT, 1, "2");
                  Type_Into(G, Col_Mnemonic, 1, "Drive");
                  Type_Into(G, Col_ID, 2, "9");
                  Type_Into(G, Col_NB_IN, 2, "0");
                  Type_Into(G, Col_NB_OUT, 2, "65536");
                  script.Answer(mrOk, Text(3823) + "2" + Text(3826));
                  UserClick(W->Btn_OK);
                  Retype(G, Col_NB_OUT, 2, "8");
                  // Insert Row leaves no Enable mark: this table has none.
                  G->SetRow(2);
                  UserClick(W->Btn_InsRow);
                  EXPECT_EQ(Cell(G, Col_ID, 2), "");
                  EXPECT_EQ(Cell(G, Col_ID, 3), "9");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_DNETM_Net, "DNETM_Net_small.xml");
    Open(W, script, [&] {
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "Drive");
        EXPECT_EQ(Cell(G, Col_NB_OUT, 2), "8");
        EXPECT_EQ(Cell(G, Col_ID, 3), "");
        // Delete Row asks with the row's number.
        G->SetRow(1);
        script.Answer(mrNo, Text(3827) + "1");
        UserClick(W->Btn_DelRow);
        EXPECT_EQ(Cell(G, Col_ID, 1), "5");
    });
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- DeviceNet offsets

TEST_F(FamilyWindows, DeviceNetOffsetsAreKeptPerSlaveAndCheckedOnOK)
{
    WriteFileAtomic(FileName_DNETM_Net, "<DNET_Net><row ID=\"5\" NB_IN=\"2\" NB_OUT=\"1\" Mnemonic=\"Drive\"/>"
                                        "<row ID=\"9\" NB_IN=\"0\" NB_OUT=\"4\" Mnemonic=\"Valve\"/></DNET_Net>");
    TFDefOffset* W = Make<TFDefOffset>();
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "Define Offset");
        EXPECT_EQ(W->ClientWidth(), 482);
        EXPECT_EQ(W->ClientHeight(), 610);
        EXPECT_EQ(W->Label1->Caption(), Text(3908));
        EXPECT_EQ(W->TabSheet2->Caption(), "Byte Out");
        EXPECT_EQ(W->ACG_DN_Slaves->RowCount(), 3);
        EXPECT_EQ(W->ACG_DN_Slaves->FixedCols(), 0);
        EXPECT_EQ(W->ACG_DN_Slaves->GetCellEx(3, 2), "Valve");
        EXPECT_EQ(W->ACG_DN_Slaves->Columns()->Items(0)->Header(), Text(3911));
        EXPECT_TRUE(W->ACG_DN_Slaves->Columns()->Items(1)->ReadOnly());
        EXPECT_EQ(W->Slave_Before_Select, 0);
        EXPECT_EQ(W->ACG_ByteIN->RowCount(), 3);
        EXPECT_EQ(W->ACG_ByteOUT->RowCount(), 2);
        EXPECT_EQ(W->ACG_ByteIN->GetCellEx(0, 2), "1");
        EXPECT_EQ(W->ACG_ByteIN->GetCellEx(1, 2), "None");
        TStringList* items = W->ACG_ByteOUT->Columns()->Items(1)->ComboItems();
        ASSERT_EQ(items->Count(), 1441);
        EXPECT_EQ(items->Strings(1440), "1439");
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TabSheet1);
        EXPECT_TRUE(W->Btn_OK->Visible());
        EXPECT_EQ(W->Btn_Cancel->Caption(), "Cancel");
        EXPECT_GT(W->Btn_Cancel->Left(), W->Btn_OK->Left());
        Picture(W, "defoffset_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    EXPECT_EQ(Open(W, script, [&] {
                  UserFocus(W->ACG_ByteIN);
                  Pick(W->ACG_ByteIN, 1, 1, "3");
                  Type_Into(W->ACG_ByteIN, 2, 1, "Speed");
                  W->PageControl1->SetActivePage(W->TabSheet2);
                  UserFocus(W->ACG_ByteOUT);
                  Pick(W->ACG_ByteOUT, 1, 1, "2");
                  // The second slave, then the first again: the edits are kept.
                  Click(W->ACG_DN_Slaves, 0, 2);
                  EXPECT_EQ(W->Slave_Before_Select, 1);
                  EXPECT_EQ(W->ACG_ByteIN->RowCount(), 1);
                  EXPECT_EQ(W->ACG_ByteOUT->RowCount(), 5);
                  UserFocus(W->ACG_ByteOUT);
                  Pick(W->ACG_ByteOUT, 1, 4, "2");
                  Click(W->ACG_DN_Slaves, 0, 1);
                  EXPECT_EQ(W->ACG_ByteIN->GetCellEx(1, 1), "3");
                  EXPECT_EQ(W->ACG_ByteIN->GetCellEx(2, 1), "Speed");
                  // Two output bytes on offset 2: refused, naming both.
                  script.Answer(mrOk, Text(3922) + "5" + Text(3923) + "0" + Text(3924) + "9" + Text(3925) + "3)");
                  UserClick(W->Btn_OK);
                  EXPECT_FALSE(FileExists(FileName_DNETM_DefOff));
                  UserFocus(W->ACG_ByteOUT);
                  Pick(W->ACG_ByteOUT, 1, 1, "1");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_DNETM_DefOff, "DNETM_DefOff_small.xml");
    Open(W, script, [&] {
        EXPECT_EQ(W->ACG_ByteIN->GetCellEx(1, 1), "3");
        EXPECT_EQ(W->ACG_ByteOUT->GetCellEx(1, 1), "1");
        Click(W->ACG_DN_Slaves, 0, 2);
        EXPECT_EQ(W->ACG_ByteOUT->GetCellEx(1, 4), "2");
    });
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- Modbus RTU

TEST_F(FamilyWindows, ModbusRTUReadRuleTypedWriteRuleSetAndTheTopicHidden)
{
    using namespace ModbusRTU;
    TFSetAccess* W = Make<TFSetAccess>();
    TExtColumnGrid* R = W->ACG_Modbus_Read;
    TExtColumnGrid* Wr = W->ACG_Modbus_Write;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "Set Modbus Access");
        EXPECT_EQ(W->ClientWidth(), 1040);
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_Modbus_Read);
        EXPECT_EQ(W->TS_Modbus_Write->Caption(), Text(3015));
        EXPECT_EQ(R->RowCount(), 513);
        EXPECT_TRUE(R->IsHiddenColumn(Rd_Topic));
        EXPECT_EQ(R->ColCount(), 13);
        EXPECT_EQ(Wr->NumHiddenColumns(), 0);
        EXPECT_EQ(Cell(R, Rd_Enable, 512), "Y");
        EXPECT_EQ(Cell(R, Rd_Swap, 1), "") << "check boxes start empty";
        EXPECT_EQ(R->Columns()->Items(Rd_Position)->ComboItems()->Count(), 1500);
        EXPECT_EQ(R->Columns()->Items(Rd_Type)->ComboItems()->Count(), 4);
        EXPECT_EQ(Wr->Columns()->Items(Wr_Type)->ComboItems()->Count(), 2);
        EXPECT_EQ(R->Columns()->Items(Rd_Type)->Width(), 115);
        // Hints: only the read table shows them, by real column.
        EXPECT_TRUE(R->ShowHint());
        EXPECT_FALSE(Wr->ShowHint());
        ASSERT_EQ(W->Hint_Modbus_Set_Access_Read->Count(), 13);
        String hint;
        W->GridHint(R, 0, 12, hint);
        EXPECT_EQ(hint, Text(3054)) << "shown column 12 is Mnemonic, real 13: the list's entry 12";
        Expect_Buttons(W, {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow},
                       false);
        Picture(W, "modbus_rtu_editor_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    EXPECT_EQ(Open(W, script, [&] {
                  UserFocus(R);
                  Type_Into(R, Rd_Slave_ID, 1, "1");
                  Pick(R, Rd_Type, 1, "Holding Register");
                  Type_Into(R, Rd_Address, 1, "100");
                  Type_Into(R, Rd_NPoint, 1, "2");
                  Type_Into(R, Rd_PollTime, 1, "1000");
                  Type_Into(R, Rd_MaxError, 1, "0");
                  Pick(R, Rd_Position, 1, "0");
                  Pick(R, Rd_Bit, 1, "0");
                  Tick(R, Rd_Swap, 1);
                  Type_Real(R, Rd_Mnemonic, 1, "Meter");
                  // Copied here, refused on the write page.
                  R->SetRow(1);
                  UserClick(W->Btn_CopyRow);
                  EXPECT_TRUE(W->Do_Copy_In_Read());
                  W->PageControl1->SetActivePage(W->TS_Modbus_Write);
                  script.Answer(mrOk, Text(1102));
                  UserClick(W->Btn_PasteRow);
                  const std::pair<int, const char*> write[] = {
                      {Wr_Slave_ID, "2"},  {Wr_Type, "Coil Status"}, {Wr_Address, "7"},  {Wr_NPoint, "9"},
                      {Wr_PollTime, "0"},  {Wr_OnChange, "Y"},       {Wr_MaxError, "3"}, {Wr_Position, "1498"},
                      {Wr_Bit, "7"},       {Wr_Mnemonic, "Relay"}};
                  for (const auto& [c, t] : write) Wr->SetCellEx(c, 1, t);
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_ModbusM_SetAccess, "ModbusM_SetAccess_small.xml");
    Open(W, script, [&] {
        EXPECT_EQ(W->PageControl1->ActivePage(), W->TS_Modbus_Read);
        EXPECT_EQ(Cell(R, Rd_Type, 1), "Holding Register");
        EXPECT_EQ(Cell(R, Rd_Swap, 1), "Y");
        EXPECT_EQ(Cell(R, Rd_Mnemonic, 1), "Meter");
        EXPECT_EQ(Cell(Wr, Wr_Bit, 1), "7");
        EXPECT_FALSE(W->Do_Copy_In_Read());
    });
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- Modbus TCP

TEST_F(FamilyWindows, ModbusTCPKeepsItsCopyCaptionsAndHintsByShownColumn)
{
    using namespace ModbusTCP;
    TFModbus_TCP_Master_Set_Access* W = Make<TFModbus_TCP_Master_Set_Access>();
    TExtColumnGrid* R = W->ACG_Modbus_Read;
    TExtColumnGrid* Wr = W->ACG_Modbus_Write;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "Set Modbus TCP Master Access");
        EXPECT_EQ(W->ClientWidth(), 1150);
        EXPECT_EQ(W->TS_Modbus_Read->Caption(), "Modbus Read");
        EXPECT_TRUE(R->IsHiddenColumn(Rd_Topic));
        EXPECT_EQ(R->Columns()->Items(Rd_IP_Address)->Width(), 101);
        EXPECT_EQ(W->Btn_CopyRow->Caption(), "Copy Row");
        EXPECT_EQ(W->Btn_OK->Hint(), Text(3163));
        EXPECT_EQ(W->Btn_PasteRow->Hint(), Text(3168));
        // The read list holds the hints of the shown columns: Mnemonic is shown column 14.
        ASSERT_EQ(W->Hint_Modbus_Set_Access_Read->Count(), 14);
        ASSERT_EQ(W->Hint_Modbus_Set_Access_Write->Count(), 16);
        String hint;
        W->GridHint(R, 0, 14, hint);
        EXPECT_EQ(hint, Text(3182));
        W->GridHint(Wr, 0, 13, hint);
        EXPECT_EQ(hint, Text(3195));
        EXPECT_FALSE(R->ShowHint());
        Expect_Buttons(W, {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow},
                       false);
        Picture(W, "modbus_tcp_editor_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    Lang_Strings.SetStrings(3102, "Bestaetigen");
    Lang_Strings.SetStrings(3106, "Lesen");
    W->Set_Lang();
    EXPECT_EQ(W->Btn_OK->Caption(), "Bestaetigen");
    EXPECT_EQ(W->TS_Modbus_Read->Caption(), "Lesen");
    EXPECT_EQ(W->Btn_CopyRow->Caption(), "Copy Row");
    EXPECT_EQ(W->Btn_PasteRow->Caption(), "Paste Row");
    Load_Default_Texts();
    W->Set_Lang();

    EXPECT_EQ(Open(W, script, [&] {
                  UserFocus(R);
                  Type_Into(R, Rd_IP_Address, 1, "192.168.1.125 ");
                  Type_Into(R, Rd_Port, 1, "502");
                  Type_Into(R, Rd_Slave_ID, 1, "1");
                  Pick(R, Rd_Type, 1, "Input Status");
                  Type_Into(R, Rd_Address, 1, "0");
                  Type_Into(R, Rd_NPoint, 1, "16");
                  Type_Into(R, Rd_PollTime, 1, "500");
                  Type_Into(R, Rd_MaxError, 1, "5");
                  Pick(R, Rd_Position, 1, "0");
                  Pick(R, Rd_Bit, 1, "0");
                  Type_Real(R, Rd_Mnemonic, 1, "Inputs");
                  // A blank after the address is refused.
                  script.Answer(mrOk, Text(3138) + "1" + Text(3139));
                  UserClick(W->Btn_OK);
                  Retype(R, Rd_IP_Address, 1, "192.168.1.125");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess_small.xml");
    Open(W, script, [&] {
        EXPECT_EQ(Cell(R, Rd_Type, 1), "Input Status");
        EXPECT_EQ(Cell(R, Rd_Topic, 1), "") << "index -1 is no topic";
        EXPECT_EQ(Cell(R, Rd_Mnemonic, 1), "Inputs");
    });
    EXPECT_EQ(script.Problems(), "");
}

// ---------------------------------------------------------------- EtherNet/IP

TEST_F(FamilyWindows, EtherNetIPSlaveTypedAndConnectionsImported)
{
    using namespace EtherNetIP;
    TFEtherNetIP_Master_Access* W = Make<TFEtherNetIP_Master_Access>();
    TExtColumnGrid* G = W->ACG;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "Set EtherNet/IP Slaves Access");
        EXPECT_EQ(W->ClientWidth(), 1180);
        EXPECT_EQ(G->RowCount(), 11);
        EXPECT_EQ(Cell(G, Col_Enable, 10), "Y");
        EXPECT_EQ(Cell(G, Col_Dim_Header_T_O, 1), "");
        EXPECT_EQ(G->Columns()->Items(Col_Dim_Header_O_T)->Editor(), edComboEdit);
        EXPECT_EQ(G->Columns()->Items(Col_Instance_T_O)->Header(), Text(4141));
        EXPECT_EQ(W->Hint->Strings(Col_Instance_O_T - 1), Text(4144));
        EXPECT_EQ(W->Btn_Import_EDS->Caption(), "Import EDS");
        EXPECT_EQ(W->Btn_Import_EDS->Hint(), Text(4160));
        EXPECT_EQ(W->OD_EDS->Filter(), "EtherNet/IP EDS (*.eds)|*.eds");
        Expect_Buttons(W, {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow,
                           W->Btn_Import_EDS}, false);
        EXPECT_TRUE(G->ShowHint());
        Picture(W, "ethernetip_editor_first_open.png");
    });
    EXPECT_EQ(script.Problems(), "");

    EXPECT_EQ(Open(W, script, [&] {
                  UserFocus(G);
                  const std::pair<int, const char*> typed[] = {
                      {Col_IP_Address, "192.168.1.20"}, {Col_Start_Input, "0"},      {Col_Num_Input, "700"},
                      {Col_Start_Output, "0"},          {Col_Num_Output, "32"},      {Col_Time_Poll, "100"},
                      {Col_Instance_T_O, "1"},          {Col_Connection_Point_T_O, "100"},
                      {Col_Instance_O_T, "1"},          {Col_Connection_Point_O_T, "101"}};
                  for (const auto& [c, t] : typed) Type_Into(G, c, 1, t);
                  Type_Into(G, Col_Dim_Header_T_O, 1, "Default");
                  Type_Into(G, Col_Dim_Header_O_T, 1, "4");
                  Type_Into(G, Col_Mnemonic, 1, "Adapter");
                  // The same slave again in row 2, with 739 input bytes: 1439 in all.
                  for (int c = Col_IP_Address; c < Col_Count; ++c) G->SetCellEx(c, 2, G->GetCellEx(c, 1));
                  G->SetCellEx(Col_Num_Input, 2, "739");
                  script.Answer(mrOk, Text(4138) + "1438");
                  UserClick(W->Btn_OK);
                  EXPECT_EQ(First_Box(script).Text, Text(4138) + "1438");
                  Retype(G, Col_Num_Input, 2, "738");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    Expect_Golden(FileName_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules_small.xml");

    // Import: the file dialog, then the picker; the first row with neither an address nor
    // an instance T > O takes the connection, crossing the picker's column order.
    std::vector<String> picked;
    Pick_EDS_Connection = [&](const String& File) -> std::optional<TEDS_Connection> {
        picked.push_back(File);
        return TEDS_Connection{"10", "11", "20", "21", "Default", "3"};
    };
    Open(W, script, [&] {
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "Adapter");
        G->SetCellEx(Col_Instance_T_O, 3, "5");   // row 3 taken by an earlier import
        script.ChooseFile("/plant/adapter.eds");
        UserClick(W->Btn_Import_EDS);
        EXPECT_EQ(G->GetCellEx(Col_Instance_T_O, 4), "10");
        EXPECT_EQ(G->GetCellEx(Col_Connection_Point_T_O, 4), "11");
        EXPECT_EQ(G->GetCellEx(Col_Instance_O_T, 4), "20");
        EXPECT_EQ(G->GetCellEx(Col_Connection_Point_O_T, 4), "21");
        EXPECT_EQ(G->GetCellEx(Col_Dim_Header_T_O, 4), "Default");
        EXPECT_EQ(G->GetCellEx(Col_Dim_Header_O_T, 4), "3");
        EXPECT_EQ(G->GetCellEx(Col_IP_Address, 4), "");
        EXPECT_EQ(G->GetCellEx(Col_Enable, 4), "Y");
        // The file dialog cancelled: no picker.
        script.ChooseFile("");
        UserClick(W->Btn_Import_EDS);
        EXPECT_EQ(picked, (std::vector<String>{"/plant/adapter.eds"}));
        // The picker closed without a choice: nothing changes.
        Pick_EDS_Connection = [](const String&) { return std::optional<TEDS_Connection>(); };
        script.ChooseFile("/plant/other.eds");
        UserClick(W->Btn_Import_EDS);
        EXPECT_EQ(G->GetCellEx(Col_Instance_T_O, 5), "");
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(script.Count(ikOpenDialog), 3);
}

TEST_F(FamilyWindows, EtherNetIPImportIntoAFullTableChangesNothing)
{
    using namespace EtherNetIP;
    Pick_EDS_Connection = [](const String&) { return std::optional<TEDS_Connection>({"1", "2", "3", "4", "5", "6"}); };
    TMemoryRows full(Col_Count, Rows + 1);
    for (int r = 1; r <= Rows; ++r) full.SetCellEx(r % 2 ? Col_IP_Address : Col_Instance_T_O, r, " x ");
    const std::vector<String> before = [&] {
        std::vector<String> v;
        for (int r = 1; r <= Rows; ++r) v.push_back(full.RowText(r));
        return v;
    }();
    EXPECT_EQ(Import_Connection(full, {"1", "2", "3", "4", "5", "6"}), 0);
    for (int r = 1; r <= Rows; ++r) EXPECT_EQ(full.RowText(r), before[size_t(r - 1)]) << r;
    full.SetCellEx(Col_Instance_T_O, 10, "  ");
    EXPECT_EQ(Import_Connection(full, {"1", "2", "3", "4", "5", "6"}), 10) << "blanks count as empty";
}

}  // namespace
