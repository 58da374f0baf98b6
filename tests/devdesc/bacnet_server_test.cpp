// The BACnet server objects editor: its checks over the limits of each kind and area, the
// file it keeps, and its window with the unit picker and the length preset.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "devdesc/bacnet/UBACnetSlaveSetAccess.h"
#include "devdesc/bacnet/UBACnet_Eng_Unit.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"
#include "tests/common/memory_tables.h"

using namespace BACnetSlave;

namespace {

void Load_Texts()
{
    Load_Default_Texts();
    Load_Default_Texts_2();
    Load_Default_Texts_3();
    Load_Default_Texts_4();
}

TEditorContext Context(bool Limited)
{
    TEditorContext c;
    c.Numbers[NByte_IN] = Area_Bytes;
    c.Numbers[NByte_OUT] = Area_Bytes;
    c.Numbers[Desc_Lenght] = Limited ? 1 : 0;
    return c;
}

String Err(int Row, int Text, const String& Tail = {}) { return Lang_Text(1532) + IntToStr(Row) + Lang_Text(Text) + Tail; }

}  // namespace

TEST(BACnetServer, RowChecks)
{
    Load_Texts();
    struct Case {
        int Table;
        const char* Kind;
        const char *Unit, *Position, *Bit, *Length;
        String Expect;
    } Cases[] = {
        {0, "Analog Input", "62", "1498", "", "2", ""},
        {0, "Analog Input", "62", "1498", "", "3", Err(1, 1546)},
        {0, "Analog Input", "62", "0", "", "5", Err(1, 1535)},
        {0, "Binary Value", "95", "1499", "0", "77", ""},
        {0, "Binary Input", "95", "3", "", "1", Err(1, 1545)},
        {1, "Analog Out", "95", "1500", "", "4", Err(1, 1548, "1499")},
        {0, "Integer Value", "95", "10", "", "99", ""},
        {0, "Integer Value", "95", "1490", "", "99", Err(1, 1546)},
        {0, "Analog Input", "", "0", "", "4", Err(1, 1533)},
        {1, "Analog Out", "65536", "0", "", "4", Err(1, 1547)},
        {0, "Life Safety Zone", "95", "0", "", "3", Err(1, 1542)},
        {1, "Access Door", "95", "0", "", "2", Err(1, 1556)},
        {1, "Large Analog Value", "95", "0", "", "8", ""},
        {1, "Multi State Output", "95", "0", "", "x", Err(1, 1554)},
    };
    for (const Case& c : Cases) {
        TMemoryTables T(BACnetSlaveSetAccess_Desc(), Context(false));
        T.Set(c.Table, 1,
              {{Col_Data_Type, c.Kind}, {Col_Eng_Unit, c.Unit}, {Col_Position, c.Position}, {Col_Start_Bit, c.Bit},
               {Col_Length, c.Length}, {Col_Mnemonic, "M"}});
        EXPECT_EQ(T.Check(), c.Expect) << c.Kind << " " << c.Length;
    }
}

TEST(BACnetServer, ObjectLimitAcrossTablesAndTheFirstEmptyKindEndsATable)
{
    Load_Texts();
    for (const bool Limited : {false, true}) {
        TMemoryTables T(BACnetSlaveSetAccess_Desc(), Context(Limited));
        const int Max = Max_Objects(Limited);
        const int Read = Max / 2 + 200, Write = Max - Read + 1;
        T[0].SetRowCount(Max + 1);
        T[1].SetRowCount(Max + 1);
        for (int t = 0; t < 2; ++t)
            for (int r = 1; r <= (t ? Write : Read); ++r)
                T.Set(t, r, {{Col_Data_Type, "Binary Value"}, {Col_Eng_Unit, "95"}, {Col_Position, "0"},
                             {Col_Start_Bit, "0"}, {Col_Mnemonic, "M"}});
        EXPECT_EQ(T.Check(), Lang_Text(1559) + IntToStr(Max)) << Limited;
        // An empty kind ends the write table: the rows below it no longer count or are checked.
        T.Set(1, Write - 1, {{Col_Data_Type, ""}});
        T.Set(1, Write, {{Col_Eng_Unit, "bad"}});
        EXPECT_EQ(T.Check(), "") << Limited;
        TXMLDocument Doc;
        Write_Tables(T.Desc, Doc, T.Data);
        EXPECT_EQ(int(Doc.DocumentElement().ChildNode("BACnet_in_Write").ChildNodes().size()), Write - 2);
    }
}

namespace {

class BACnetServerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Texts();
        SW_Code = "RO41R08";
        Dir = Test_Folder("bacnetsrv");
        FileName_ParGen = PathJoin(Dir, "ParGen.xml");
        FileName_BACnet_Slave_SetAccess = PathJoin(Dir, "BACnet_Slave_SetAccess.xml");
        FBACnet_Eng_Unit = new TFBACnet_Eng_Unit(nullptr);
        FBACnet_Eng_Unit->AfterConstruction();
        W = new TFBACnetSlaveSetAccess(nullptr);
        W->AfterConstruction();
    }
    void TearDown() override
    {
        W->Free();
        FBACnet_Eng_Unit->Free();
        FBACnet_Eng_Unit = nullptr;
        FileName_ParGen.clear();
        FileName_BACnet_Slave_SetAccess.clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    static void Dbl_Click(TExtColumnGrid* G, int Col, int Row)
    {
        const TRect R = G->CellRect(Col, Row);
        UserDblClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    String Dir;
    TFBACnetSlaveSetAccess* W = nullptr;
};

}  // namespace

TEST_F(BACnetServerWindow, UnitPickerLengthPresetAndFile)
{
    std::ofstream(FileName_ParGen) << "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>";
    std::ofstream(FileName_BACnet_Slave_SetAccess)
        << "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" "
           "Bit=\"0\" Length=\"4\" Mnemonic=\"Room\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>";
    TInteractionScript Script;
    TExtColumnGrid* R = W->ACG_BACnet_in_Read;
    TExtColumnGrid* Wr = W->ACG_BACnet_in_Write;
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(R->RowCount(), 1001);
        EXPECT_EQ(R->GetCellEx(Col_Swap, 1), "N");            // missing Swap reads as "N"
        TBitmap Png;
        EXPECT_TRUE(SNAPSHOT(W, "bacnet_server.png", Png));
        // The picker opens on the cell's unit; Cancel keeps the cell.
        Script.OnForm([&](TForm*) {
            EXPECT_EQ(FBACnet_Eng_Unit->Label5->Caption(), "-> degrees-Celsius");
            EXPECT_EQ(FBACnet_Eng_Unit->E_Selected_EU->Text(), "62");
            return mrCancel;
        }, "TFBACnet_Eng_Unit");
        Dbl_Click(R, Col_Eng_Unit, 1);
        EXPECT_EQ(R->GetCellEx(Col_Eng_Unit, 1), "62");
        // Choosing a unit: "Other", then "per-mille".
        Script.OnForm([&](TForm* P) {
            TFBACnet_Eng_Unit* U = FBACnet_Eng_Unit;
            U->CB_Select_Type->SetItemIndex(22);
            U->CB_Select_TypeSelect(U->CB_Select_Type);
            U->CB_Select_Unit->SetItemIndex(29);
            UserClick(U->Btn_Select_Eng_Unit);
            EXPECT_EQ(U->E_Selected_EU->Text(), "207");
            EXPECT_EQ(U->Label5->Caption(), "-> per-mille");
            TBitmap Pic;
            EXPECT_TRUE(SNAPSHOT(P, "bacnet_eng_unit.png", Pic));
            UserClick(U->Btn_OK);
            return mrNone;
        }, "TFBACnet_Eng_Unit");
        Dbl_Click(R, Col_Eng_Unit, 1);
        EXPECT_EQ(R->GetCellEx(Col_Eng_Unit, 1), "207");
        // A write row's kind presets its length; the read table has no preset.
        W->ACG_BACnet_in_WriteComboChange(Wr, Col_Data_Type, 1, 5, "Large Analog Value");
        EXPECT_EQ(Wr->GetCellEx(Col_Length, 1), "8");
        Wr->SetCellEx(Col_Data_Type, 1, "Large Analog Value");
        Wr->SetCellEx(Col_Eng_Unit, 1, "95");
        Wr->SetCellEx(Col_Position, 1, "10");
        Wr->SetCellEx(Col_Start_Bit, 1, "0");
        Wr->SetCellEx(Col_Mnemonic, 1, "Set");
        UserClick(W->Btn_OK);
        return mrNone;
    }, "TFBACnetSlaveSetAccess");
    EXPECT_EQ(W->ShowModal(), mrOk);
    EXPECT_EQ(Script.Problems(), "");
    const String File = ReadFileBytes(FileName_BACnet_Slave_SetAccess);
    EXPECT_NE(File.find("Eng_Unit=\"207\""), String::npos) << File;
    EXPECT_NE(File.find("Data_Type=\"Large Analog Value\" Eng_Unit=\"95\" Position=\"10\" Bit=\"0\" Length=\"8\" "
                        "Swap=\"\" Mnemonic=\"Set\""),
              String::npos)
        << File;
    EXPECT_NE(File.find("SW_VERSION = 1.000"), String::npos);
}

TEST_F(BACnetServerWindow, UnitPickerAlone)
{
    TFBACnet_Eng_Unit* U = FBACnet_Eng_Unit;
    TInteractionScript Script;
    // Electrical, ohms-meters: the label names the unit as the standard does.
    Script.OnForm([&](TForm*) {
        U->CB_Select_Type->SetItemIndex(3);
        U->CB_Select_TypeSelect(U->CB_Select_Type);
        U->CB_Select_Unit->SetItemIndex(11);
        UserClick(U->Btn_Select_Eng_Unit);
        EXPECT_EQ(U->E_Selected_EU->Text(), "172");
        EXPECT_EQ(U->Label5->Caption(), "-> ohm-meters");
        return TModalResult(mrCancel);
    }, "TFBACnet_Eng_Unit");
    U->ShowModal();
    // The category stays, its unit list starts at its first unit again.
    Script.OnForm([&](TForm*) {
        EXPECT_EQ(U->CB_Select_Type->ItemIndex(), 3);
        EXPECT_EQ(U->CB_Select_Unit->ItemIndex(), 0);
        EXPECT_EQ(U->CB_Select_Unit->Items()->Strings(0), "milliamperes");
        return TModalResult(mrCancel);
    }, "TFBACnet_Eng_Unit");
    U->ShowModal();
    EXPECT_EQ(Script.Problems(), "");

    // From the editor: a cell that is no number is "unknown"; OK without choosing keeps it.
    TExtColumnGrid* R = W->ACG_BACnet_in_Read;
    Script.OnForm([&](TForm*) {
        R->SetCellEx(Col_Data_Type, 1, "Analog Input");
        R->SetCellEx(Col_Eng_Unit, 1, "abc");
        Script.OnForm([&](TForm*) {
            EXPECT_EQ(U->Label5->Caption(), "-> unknown");
            UserClick(U->Btn_OK);
            return TModalResult(mrNone);
        }, "TFBACnet_Eng_Unit");
        Dbl_Click(R, Col_Eng_Unit, 1);
        EXPECT_EQ(R->GetCellEx(Col_Eng_Unit, 1), "abc");
        return TModalResult(mrCancel);
    }, "TFBACnetSlaveSetAccess");
    W->ShowModal();
    EXPECT_EQ(Script.Problems(), "");
}
