// The LoRaWAN and KNX editor windows: first opening, texts and hints, loading, OK and
// Cancel, the row buttons and their questions, bad files.
#include "platform/xml/XMLDoc.h"
#include "tests/editors/fieldbus/window_fixture.h"

namespace {

using Windows = EditorWindows;

TEST_F(Windows, KNXFirstOpen)
{
    using namespace KNX;
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    TInteractionScript script;
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), "KNX Set Access");
        EXPECT_EQ(W->L_SW_Code->Caption(), "RO41R08");
        EXPECT_EQ(W->L_SW_Desc->Caption(), Text(4501));
        EXPECT_EQ(W->ClientWidth(), 1250);
        EXPECT_EQ(W->ClientHeight(), 337);
        EXPECT_EQ(G->RowCount(), 1025);
        EXPECT_EQ(G->ColCount(), 19);
        EXPECT_EQ(G->NumHiddenColumns(), 0);
        for (int r : {1, 2, 512, 1024}) {
            EXPECT_EQ(Cell(G, 0, r), IntToStr(r));
            EXPECT_EQ(Cell(G, Col_Enable, r), "Y");
            for (int c = 2; c < Col_Count; ++c) EXPECT_EQ(Cell(G, c, r), "") << c << " " << r;
        }
        // Headers in the header row, hints of columns 1 .. 18.
        const int headers[Col_Count] = {4514, 4515, 4516, 4517, 4518, 4519, 4520, 4561, 4521, 4522,
                                        4523, 4524, 4525, 4526, 4527, 4528, 4529, 4562, 4530};
        for (int c = 0; c < Col_Count; ++c) {
            EXPECT_EQ(G->Columns()->Items(c)->Header(), Text(headers[c])) << c;
            EXPECT_EQ(Cell(G, c, 0), Text(headers[c])) << c;
        }
        ASSERT_EQ(W->Hint->Count(), 18);
        EXPECT_EQ(W->Hint->Strings(0), Text(4531));
        EXPECT_EQ(W->Hint->Strings(6), Text(4563));
        EXPECT_EQ(W->Hint->Strings(17), Text(4547));
        // The lists: positions filled at the showing, the fixed ones from creation.
        TStringList* positions = G->Columns()->Items(Col_Position)->ComboItems();
        ASSERT_EQ(positions->Count(), 1500);
        EXPECT_EQ(positions->Strings(0), "0");
        EXPECT_EQ(positions->Strings(1499), "1499");
        EXPECT_EQ(G->Columns()->Items(Col_Bit_Mode)->ComboItems()->Count(), 9);
        EXPECT_EQ(G->Columns()->Items(Col_APCI)->Editor(), edComboEdit);
        EXPECT_EQ(G->Columns()->Items(Col_Priority)->Editor(), edComboList);
        EXPECT_EQ(G->Columns()->Items(Col_On_Timer)->Editor(), edDataCheckBox);
        EXPECT_EQ(G->Columns()->Items(Col_TimeOut)->Width(), 96);
        // Hints show on the six buttons and the table.
        for (TLbButton* b : {W->Btn_OK, W->Btn_Cancel, W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow})
            EXPECT_TRUE(b->ShowHint()) << b->Name();
        EXPECT_EQ(W->Btn_OK->Caption(), "OK");
        EXPECT_EQ(W->Btn_PasteRow->Hint(), Text(4513));
        EXPECT_TRUE(G->ShowHint());
        EXPECT_FALSE(W->Do_Copy_In_Write());
        ASSERT_TRUE(SaveControlToPng(W, Output("knx_editor_first_open.png")));
    });
    EXPECT_EQ(script.Problems(), "");
    EXPECT_FALSE(FileExists(FileName_KNX_SetAccess)) << "Cancel writes nothing";
    TBitmap png;
    png.LoadFromFile(Output("knx_editor_first_open.png"));
    EXPECT_EQ(png.Width(), 1250);
    EXPECT_EQ(png.Height(), 337);
}

TEST_F(Windows, LoRaWANFirstOpenFollowsParGen)
{
    using namespace LoRa;
    TFLoRa_Set_Access* W = LoRa_Window();
    TInteractionScript script;
    // No ParGen.xml: payload size 0 (a warning at every showing), fixed FPort.
    Expect_Box(Text(1242));
    Open(W, script, [&] {
        EXPECT_EQ(W->Caption(), Text(1200));
        EXPECT_EQ(W->ClientWidth(), 900);
        EXPECT_EQ(W->PC_LoRa->ActivePage(), W->TS_LoRa_Uplink);
        EXPECT_EQ(W->TS_LoRa_Uplink->Caption(), Text(1214));
        EXPECT_EQ(W->TS_LoRa_Downlink->Caption(), Text(1215));
        for (TExtColumnGrid* G : {W->ACG_LoRa_Uplink, W->ACG_LoRa_Downlink}) {
            EXPECT_EQ(G->RowCount(), Rows_Fixed + 1);
            EXPECT_EQ(G->NumHiddenColumns(), 1);
            EXPECT_EQ(Cell(G, 0, 1), "0");
            EXPECT_EQ(Cell(G, 0, Rows_Fixed), "255");
            EXPECT_EQ(Cell(G, 1, Rows_Fixed), "Y");
            EXPECT_FALSE(G->ShowHint());
        }
        EXPECT_TRUE(W->ACG_LoRa_Uplink->IsHiddenColumn(Up_FPort));
        EXPECT_TRUE(W->ACG_LoRa_Downlink->IsHiddenColumn(Down_FPort));
        EXPECT_FALSE(W->Btn_OK->ShowHint());
        EXPECT_EQ(W->MaxPayloadSize, 0);
        EXPECT_TRUE(W->FPortFixed);
        // The Mnemonic header (shown column 8 while FPort is hidden) keeps its own hint.
        String hint = "?";
        W->GridHint(W->ACG_LoRa_Uplink, 0, 8, hint);
        EXPECT_EQ(hint, Text(1232));
        W->GridHint(W->ACG_LoRa_Uplink, 1, 8, hint);
        EXPECT_EQ(hint, "");
        ASSERT_TRUE(SaveControlToPng(W, Output("lorawan_editor_first_open.png")));
    });
    EXPECT_EQ(script.Problems(), "");
    ASSERT_EQ(script.Count(ikMessageBox), 1);
    EXPECT_EQ(First_Box(script).DlgType, mtWarning);

    // Variable FPort and a payload size: 223 rows, FPort shown, no warning.
    Write_ParGen("51", " variable ");
    Open(W, script, [&] {
        EXPECT_EQ(W->MaxPayloadSize, 51);
        EXPECT_FALSE(W->FPortFixed);
        for (TExtColumnGrid* G : {W->ACG_LoRa_Uplink, W->ACG_LoRa_Downlink}) {
            EXPECT_EQ(G->RowCount(), Rows_Variable + 1);
            EXPECT_EQ(G->NumHiddenColumns(), 0);
            EXPECT_EQ(Cell(G, 0, Rows_Variable), "222");
        }
        String hint;
        W->GridHint(W->ACG_LoRa_Uplink, 0, 8, hint);
        EXPECT_EQ(hint, Text(1251));
    });
    EXPECT_EQ(script.Count(ikMessageBox), 1);
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(Windows, OKWritesOnlyWhatPassesAndTheNextShowingReadsIt)
{
    using namespace KNX;
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  Type_KNX_Rule(G, 1, "1.1.20", "1/2/3", "Hall");
                  Type_KNX_Rule(G, 2, "1.1.21", "1/2/4", "Stairs");
                  G->SetCellEx(Col_Length, 2, "15");
                  // A bad row: the error box, the window stays open, no file.
                  script.Answer(mrOk, Text(4548) + "2" + Text(4558) + "14");
                  UserClick(W->Btn_OK);
                  EXPECT_FALSE(FileExists(FileName_KNX_SetAccess));
                  // Mended, OK writes and closes.
                  G->SetCellEx(Col_Length, 2, "14");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    ASSERT_TRUE(FileExists(FileName_KNX_SetAccess));

    Open(W, script, [&] {
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "Hall");
        EXPECT_EQ(Cell(G, Col_Length, 2), "14");
        EXPECT_EQ(Cell(G, Col_Source_Address, 3), "");
        EXPECT_EQ(Cell(G, Col_Enable, 3), "Y");
        // Typed but cancelled: the next showing starts again from the file.
        G->SetCellEx(Col_Mnemonic, 1, "changed");
    });
    Open(W, script, [&] { EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "Hall"); });
    EXPECT_EQ(script.Problems(), "");
}

// Insert Row on row 1 of a filled table leaves an empty row above the rules: OK keeps
// every rule, and the next showing has them in their order, closed up.
TEST_F(Windows, InsertRowThenOKKeepsEveryRow)
{
    using namespace KNX;
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  Type_KNX_Rule(G, 1, "1.1.20", "1/2/3", "Hall");
                  Type_KNX_Rule(G, 2, "1.1.21", "1/2/4", "Stairs");
                  Type_KNX_Rule(G, 3, "1.1.22", "1/2/5", "Attic");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(Open(W, script, [&] {
                  G->SetRow(1);
                  UserClick(W->Btn_InsRow);
                  ASSERT_EQ(Cell(G, Col_Mnemonic, 2), "Hall");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    Open(W, script, [&] {
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "Hall");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "Stairs");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 3), "Attic");
        EXPECT_EQ(Cell(G, Col_Source_Address, 3), "1.1.22");
        EXPECT_EQ(Cell(G, Col_Source_Address, 4), "");
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(Windows, ABadFileOpensWithWhatCouldBeReadAndTellsOnce)
{
    using namespace KNX;
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    const String good = "<row Enable=\"Y\" Source_Address=\"1.1.20\" Destination_Address=\"1/2/3\" APCI=\"Write\" "
                        "Priority=\"Low\" Format=\"None\" MultiplicationFactor=\"\" Extended=\"N\" ReTest=\"N\" "
                        "On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"0\" Position=\"4\" "
                        "Bit_Mode=\"No\" Length=\"2\" TimeOut=\"0\" Mnemonic=\"Good\"/>";
    const String half = "<row Enable=\"Y\" Source_Address=\"1.1.7\" Destination_Address=\"1/2/3\" APCI=\"Write\"/>";
    const struct {
        const char* what;
        String bytes;
        const char* row1, *row2;
    } files[] = {
        {"not XML", "<BACnet_to_KNX><KNX_in_Write>" + good, "", ""},
        {"a required attribute missing half way",
         "<BACnet_to_KNX><KNX_in_Write>" + good + half + good + "</KNX_in_Write></BACnet_to_KNX>", "1.1.20", "1.1.7"},
    };
    for (const auto& f : files) {
        WriteFileAtomic(FileName_KNX_SetAccess, f.bytes);
        TInteractionScript script;
        Expect_Box();
        Open(W, script, [&] {
            EXPECT_EQ(Cell(G, Col_Source_Address, 1), f.row1) << f.what;
            EXPECT_EQ(Cell(G, Col_Source_Address, 2), f.row2) << f.what;
            EXPECT_EQ(Cell(G, Col_Source_Address, 3), "") << f.what;
            EXPECT_FALSE(W->Do_Copy_In_Write());
        });
        EXPECT_EQ(script.Problems(), "") << f.what;
        ASSERT_EQ(script.Count(ikMessageBox), 1) << f.what;
        EXPECT_EQ(First_Box(script).DlgType, mtError) << f.what;
    }

    // The window stays usable: the half row is completed and saved.
    TInteractionScript script;
    Expect_Box();
    EXPECT_EQ(Open(W, script, [&] {
                  Type_KNX_Rule(G, 2, "1.1.7", "1/2/3", "Completed");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    TXMLDocument doc;
    doc.LoadFromFile(FileName_KNX_SetAccess);
    EXPECT_EQ(doc.DocumentElement().ChildNode("KNX_in_Write").ChildCount(), 2);

    // 5000 rows: no error, the table holds its 1024.
    String many = "<BACnet_to_KNX><KNX_in_Write>";
    for (int i = 0; i < 5000; ++i) many += good;
    WriteFileAtomic(FileName_KNX_SetAccess, many + "</KNX_in_Write></BACnet_to_KNX>");
    TInteractionScript quiet;
    Open(W, quiet, [&] { EXPECT_EQ(Cell(G, Col_Mnemonic, 1024), "Good"); });
    EXPECT_EQ(quiet.Count(ikMessageBox), 0);
    EXPECT_EQ(quiet.Problems(), "");
}

TEST_F(Windows, RowButtonsAskAndRefuseAsTheTableNeeds)
{
    using namespace KNX;
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    TInteractionScript script;
    Open(W, script, [&] {
        Type_KNX_Rule(G, 1, "1.1.1", "1/1/1", "first");
        Type_KNX_Rule(G, 2, "1.1.2", "1/1/2", "second");
        Type_KNX_Rule(G, 1024, "1.1.9", "1/1/9", "last");

        // Paste before any copy in this showing: 1102.
        G->SetRow(3);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);

        // Insert on a full table loses the last row, asks nothing; the new row is enabled.
        G->SetCellEx(Col_Enable, 1, "N");
        G->SetRow(1);
        UserClick(W->Btn_InsRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "first");
        EXPECT_EQ(Cell(G, Col_Enable, 2), "N");
        EXPECT_EQ(Cell(G, Col_Enable, 1), "Y");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1024), "") << "the last row is lost";
        EXPECT_EQ(Cell(G, 0, 1024), "1024");

        // Delete asks with the row's position; No keeps, Yes deletes; the last row only empties.
        G->SetRow(1);
        script.Answer(mrNo, Text(4560) + "1");
        UserClick(W->Btn_DelRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "first");
        script.Answer(mrYes, Text(4560) + "1");
        UserClick(W->Btn_DelRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1), "first");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "second");
        G->SetCellEx(Col_Mnemonic, 1024, "x");
        G->SetRow(1024);
        script.Answer(mrYes, Text(4560) + "1024");
        UserClick(W->Btn_DelRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1024), "");
        EXPECT_EQ(Cell(G, Col_Enable, 1024), "");
        EXPECT_EQ(Cell(G, Col_Mnemonic, 1023), "");

        // Copy, then paste over a used row: the question; into an empty one: none.
        G->SetRow(1);
        UserClick(W->Btn_CopyRow);
        EXPECT_TRUE(W->Do_Copy_In_Write());
        G->SetRow(2);
        script.Answer(mrNo, Text(1100));
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 2), "second");
        G->SetRow(5);
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 5), "first");
        EXPECT_EQ(Cell(G, 0, 5), "5");
    });
    EXPECT_EQ(script.Problems(), "");

    // A new showing clears the mark: the row copied before cannot be pasted.
    Open(W, script, [&] {
        EXPECT_FALSE(W->Do_Copy_In_Write());
        G->SetRow(3);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(Cell(G, Col_Mnemonic, 3), "");
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(Windows, LoRaWANRowButtonsActOnTheActivePage)
{
    using namespace LoRa;
    Write_ParGen("51", "Fixed");
    TFLoRa_Set_Access* W = LoRa_Window();
    TInteractionScript script;
    Open(W, script, [&] {
        TExtColumnGrid* Up = W->ACG_LoRa_Uplink;
        TExtColumnGrid* Down = W->ACG_LoRa_Downlink;
        Up->SetCellEx(Up_StartByte, 1, "0");
        Up->SetCellEx(Up_NumByte, 1, "4");
        Up->SetRow(1);
        UserClick(W->Btn_CopyRow);
        EXPECT_TRUE(W->Do_Copy_Uplink());
        EXPECT_FALSE(W->Do_Copy_Downlink());
        // Paste on the downlink page: that table has no copy.
        W->PC_LoRa->SetActivePage(W->TS_LoRa_Downlink);
        Down->SetRow(1);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);
        EXPECT_EQ(Cell(Down, Down_StartByte, 1), "");
        // Copy on the downlink page clears the uplink mark.
        UserClick(W->Btn_CopyRow);
        EXPECT_FALSE(W->Do_Copy_Uplink());
        EXPECT_TRUE(W->Do_Copy_Downlink());
        // The row showing 0 is row 1 of the question.
        script.Answer(mrNo, Text(1249) + "1");
        UserClick(W->Btn_DelRow);
        // Insert on the downlink page: the new row starts enabled, the uplinks stay.
        Down->SetCellEx(Down_StartByte, 1, "9");
        UserClick(W->Btn_InsRow);
        EXPECT_EQ(Cell(Down, Down_StartByte, 2), "9");
        EXPECT_EQ(Cell(Down, Down_Enable, 1), "Y");
        EXPECT_EQ(Cell(Up, Up_StartByte, 1), "0");
        EXPECT_EQ(Cell(Up, Up_StartByte, 2), "");
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(Windows, AHiddenFPortIsKeptAndAFileSavedBadIsCheckedInVariableMode)
{
    using namespace LoRa;
    Write_ParGen("51", "Fixed");
    WriteFileAtomic(FileName_LoRaWAN_SetAccess,
                    "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row Enable=\"Y\" StartByte=\"0\" NumByte=\"4\" OnChange=\"N\" "
                    "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" FPort=\"0\" Mnemonic=\"m\"/></LoRaWAN_Uplink>"
                    "<LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    TFLoRa_Set_Access* W = LoRa_Window();
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] { UserClick(W->Btn_OK); }), mrOk);
    TXMLDocument doc;
    doc.LoadFromFile(FileName_LoRaWAN_SetAccess);
    EXPECT_EQ(doc.DocumentElement().ChildNode("LoRaWAN_Uplink").Child(0).Attribute("FPort"), "0");

    Write_ParGen("51", "Variable");
    Open(W, script, [&] {
        script.Answer(mrOk, Text(1243) + "1" + Text(1254));
        UserClick(W->Btn_OK);
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(Windows, AFixedModeFileOfAllRowsShownInVariableMode)
{
    using namespace LoRa;
    String rows;
    for (int i = 0; i < Rows_Fixed; ++i)
        rows += "<row Enable=\"Y\" StartByte=\"" + IntToStr(i) + "\" NumByte=\"1\" OnChange=\"N\" OnCMD=\"N\" "
                "OnTimer=\"N\" Time=\"\" FPort=\"5\" Mnemonic=\"\"/>";
    WriteFileAtomic(FileName_LoRaWAN_SetAccess, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>" + rows +
                                                    "</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    Write_ParGen("51", "Variable");
    TFLoRa_Set_Access* W = LoRa_Window();
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  EXPECT_EQ(Cell(W->ACG_LoRa_Uplink, Up_StartByte, Rows_Variable), "222");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    TXMLDocument doc;
    doc.LoadFromFile(FileName_LoRaWAN_SetAccess);
    EXPECT_EQ(doc.DocumentElement().ChildNode("LoRaWAN_Uplink").ChildCount(), Rows_Variable);
}

// Another editor of the family is only another description: rows straight under the
// root named "Row", the key in column 1, no Enable column, only OK and Cancel.
TEST_F(Windows, AnEditorIsItsDescription)
{
    String File = PathJoin(Dir, "Values.xml");
    TEditorDesc d;
    d.Class_Name = "TFTableEditor";
    d.Name = "FValues";
    d.Client_Width = 400;
    d.Caption = 4000;
    TButtonDesc ok, cancel;
    ok.Kind = ebOK;
    ok.Caption = 4002;
    cancel.Kind = ebCancel;
    cancel.Caption = 4003;
    d.Buttons = {ok, cancel};
    d.Root = "Values";
    d.Version = "SW_VERSION = 1.000";
    d.File_Name = &File;
    TTableDesc t;
    t.Grid_Name = "ACG_Values";
    t.Row_Element = "Row";
    t.Rows = 3;
    t.Key_Col = 1;
    t.Enable_Col = -1;
    t.Row_Error_Prefix = 4548;
    TFieldDesc number, value, note;
    number.Kind = fkNumber;
    value.Name = "Value";
    note.Name = "Note";
    note.Default = std::nullopt;
    t.Columns = {number, value, note};
    t.Checks = {Check_Range(1, 0, 255, 4556, true)};
    d.Tables = {t};
    WriteFileAtomic(File, "<Other><Row Value=\"7\" Note=\"a\"/><X Value=\"300\" Note=\"b\"/></Other>");

    TFTableEditor* W = new TFTableEditor(nullptr, d);
    W->AfterConstruction();
    TExtColumnGrid* G = W->Grid(0);
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  EXPECT_FALSE(W->Btn_DelRow->Visible());
                  EXPECT_TRUE(W->Btn_OK->Visible());
                  EXPECT_EQ(G->RowCount(), 4);
                  EXPECT_EQ(Cell(G, 1, 1), "7");
                  EXPECT_EQ(Cell(G, 2, 2), "b");
                  EXPECT_EQ(Cell(G, 1, 3), "") << "no Enable column: nothing starts ticked";
                  script.Answer(mrOk, Text(4548) + "2" + Text(4556) + "255");
                  UserClick(W->Btn_OK);
                  G->SetCellEx(1, 2, "$FF");
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(ReadFileBytes(File), "<Values>\n  <Row Value=\"7\" Note=\"a\"/>\n  <Row Value=\"$FF\" Note=\"b\"/>\n"
                                   "</Values>\n<!--SW_VERSION = 1.000-->\n");
    W->Free();
}

TEST_F(Windows, EnterAndTheHeaderDoubleClickFollowTheOptions)
{
    TFKNXAccess* W = KNX_Window();
    TExtColumnGrid* G = W->ACG_KNX_in_Write;
    TInteractionScript script;
    Open(W, script, [&] {
        G->SetCol(18);
        G->SetRow(1024);
        WideChar key = 13;
        W->KeyPress(G, key);
        EXPECT_EQ(key, 13) << "the option is off";
        Enable_Jump_Field_Tables = true;
        W->KeyPress(G, key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(G->Col(), 1);
        EXPECT_EQ(G->Row(), 1);
        key = 13;
        W->KeyPress(G, key);
        EXPECT_EQ(G->Col(), 2);
        // A click in column 0 selects the whole row.
        W->ClickCell(G, 7, 0);
        EXPECT_EQ(G->Selection().Top, 7);
        EXPECT_EQ(G->Selection().Bottom, 7);
        EXPECT_EQ(G->Selection().Left, 1);
        EXPECT_EQ(G->Selection().Right, 18);
    });
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
