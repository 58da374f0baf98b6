// The client editor's device catalogue, tree and picking, driven like a user.
#include "tests/common/Snapshot.h"
#include "tests/editors/iec61850/client_fixture.h"

using namespace IEC_Client;

TEST_F(Client_Window, AFileAlreadyInTheCatalogueIsOverwrittenKeptOrNotAddedAsAnswered)
{
    const struct {
        TModalResult Answer;
        size_t Devices;
        String Name;   // of the device added last
    } cases[] = {{mrYes, 2, "NEW"}, {mrNo, 2, "OLD"}, {mrCancel, 1, "OLD"}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(PathJoin(Dir, "ICD_Catalog"));
        const String File = Source("bay.icd", Breaker_SCL("OLD"));
        TInteractionScript Script;
        Open(Script, [&] {
            Add_Device(Script, File);
            EXPECT_TRUE(FileExists(In_Catalog("bay.icd")));
            Source("bay.icd", Breaker_SCL("NEW"));
            Add_Device(Script, File, {{c.Answer, Overwrite_Question}});
            ASSERT_EQ(W->List_IEC_Dev.size(), c.Devices);
            EXPECT_EQ(W->List_IEC_Dev.back()->fName, c.Name);
            EXPECT_EQ(W->LB_IEC_Devices->Count(), int(c.Devices));
            EXPECT_EQ(W->LB_IEC_Devices->ItemIndex(), -1);
        });
        EXPECT_EQ(Script.Problems(), "");
        const TInteractionRecord* Box = nullptr;
        for (const TInteractionRecord& r : Script.Records())
            if (r.Kind == ikMessageBox) Box = &r;
        ASSERT_NE(Box, nullptr);
        EXPECT_EQ(Box->Buttons, mbYesNoCancel);
    }
}

TEST_F(Client_Window, AFileThatCannotBeCopiedOrReadAddsNoDeviceAndIsTold)
{
    const String Broken = Source("broken.cid", "<SCL><IED name=\"E1\">");
    TInteractionScript Script;
    Open(Script, [&] {
        // A file gone between choosing and copying: the copy fails and is told.
        Add_Device(Script, PathJoin(Src, "gone.icd"), {{mrOk, "gone.icd"}});
        EXPECT_TRUE(W->List_IEC_Dev.empty());
        EXPECT_FALSE(FileExists(In_Catalog("gone.icd")));
        // Not XML: the parser's error is shown; the copy stays, no device is added.
        Add_Device(Script, Broken, {{mrOk, "broken.cid"}});
        EXPECT_TRUE(W->List_IEC_Dev.empty());
        EXPECT_TRUE(FileExists(In_Catalog("broken.cid")));
        // A file without an IED is still a device, an empty line with only its root in the tree.
        Add_Device(Script, Source("noied.icd", "<SCL><DataTypeTemplates/></SCL>"));
        ASSERT_EQ(W->List_IEC_Dev.size(), 1u);
        EXPECT_EQ(W->LB_IEC_Devices->Items()->Strings(0), "");
        Choose_Device(0);
        EXPECT_EQ(Tree_Lines(W), std::vector<String>{""});
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Client_Window, TheChosenDevicesTreeShowsItsModelAndPicksOnlyLeavesAndDataSets)
{
    const String File = Source("bay.icd", Breaker_SCL());
    TInteractionScript Script;
    Open(Script, [&] {
        Add_Device(Script, File);
        Choose_Device(0);
        EXPECT_EQ(Tree_Lines(W), (std::vector<String>{"E1", "  CTRL", "    LLN0", "      Mod", "      Beh", "      DS1",
                                                      "      DS_Lost", "    XCBR1", "      Mod", "      Pos"}));
        EXPECT_EQ(Tree_Font_Color(W, Pos(0)->TreeNode), TColor(0x00FF0000));
        EXPECT_EQ(Tree_Font_Color(W, Data_Set(0, 0)->TreeNode), TColor(0x00008000));
        EXPECT_EQ(Tree_Font_Color(W, Device(0).List_LDevice[0]->TreeNode), clBlack);

        // A data object and a structure give no pick, so Add Var does nothing.
        Pick(Pos(0)->TreeNode);
        EXPECT_EQ(W->Selected_IEC_DA, nullptr);
        Pick(Pos(0)->Find_DA("Oper")->TreeNode, {Pos(0)->TreeNode});
        EXPECT_EQ(W->Selected_IEC_DA, nullptr);
        UserClick(W->Btn_AddVar);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 1), "");
        // A leaf below it is picked; each press adds it again.
        Pick(Pos(0)->Find_DA("ctlVal")->TreeNode, {Pos(0)->Find_DA("Oper")->TreeNode});
        EXPECT_EQ(W->Selected_IEC_DA, Pos(0)->Find_DA("ctlVal"));
        UserClick(W->Btn_AddVar);
        UserClick(W->Btn_AddVar);
        EXPECT_EQ(W->ACG_DA->RowCount(), 3);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 2), "E1CTRL/XCBR1.Pos.Oper.ctlVal");
        EXPECT_EQ(Cell(W->ACG_DA, DA_fc, 2), "CO");
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 2), "0");
        // A data set is picked as a data set.
        Pick(Data_Set(0, 0)->TreeNode);
        EXPECT_EQ(W->Selected_IEC_DA, nullptr);
        EXPECT_EQ(W->Selected_IEC_DS, Data_Set(0, 0));

        TBitmap Png;
        ASSERT_TRUE(SNAPSHOT(W, "iec_client_tree.png", Png));
        // The data object's name is drawn in blue somewhere in the tree.
        const TRect Tree(W->PDevIECTree->Left() + W->PDevIEC->Left(), W->PDevIEC->Top(),
                         W->PDevIEC->Left() + W->PDevIEC->Width(), W->PDevIEC->Top() + W->PDevIEC->Height());
        EXPECT_GT(Count_Pixels(Png, Tree, [](TColor c) { return (c & 0xFF) < 0x40 && ((c >> 16) & 0xFF) > 0xC0; }), 20);

        // After another addition no line is selected: a pick made before still adds, with Index -1.
        Pick(Pos(0)->Find_DA("stVal")->TreeNode);
        Add_Device(Script, File, {{mrNo, Overwrite_Question}});
        UserClick(W->Btn_AddVar);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 3), "-1");
        EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 3), "E1CTRL/XCBR1.Pos.stVal");
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Client_Window, RemovingADeviceKeepsEveryRowAndDataSetOnItsOwnDevice)
{
    const String File = Source("bay.icd", Breaker_SCL());
    TInteractionScript Script;
    Open(Script, [&] {
        for (int i = 0; i < 3; ++i) Add_Device(Script, File, i ? std::vector<std::pair<TModalResult, String>>{{mrNo, ""}}
                                                                : std::vector<std::pair<TModalResult, String>>{});
        Choose_Device(2);
        Add_Attribute(2, "stVal");
        Choose_Device(1);
        Add_Data_Set(1, 0);
        // The first goes; the third's row now names index 1.
        Choose_Device(0);
        UserClick(W->Btn_Remove_IEC_Device);
        ASSERT_EQ(W->List_IEC_Dev.size(), 2u);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Index, 1), "1");
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Index, 1), "0");
        EXPECT_EQ(W->Selected_IEC_DA, nullptr);
        EXPECT_TRUE(Tree_Lines(W).empty());
        // Used by a data-set row only: refused.
        Choose_Device(0);
        UserClick(W->Btn_Remove_IEC_Device);
        EXPECT_EQ(W->List_IEC_Dev.size(), 2u);
        // A data set added while no line was selected has Index -1 but still points into
        // the device whose tree was shown: that device stays too.
        Choose_Device(1);
        Pick(Data_Set(1, 0)->TreeNode);
        Add_Device(Script, File, {{mrNo, ""}});
        UserClick(W->Btn_AddVar);
        EXPECT_EQ(Cell(W->ACG_DataSet, DS_Index, 2), "-1");
        W->ACG_DA->SetCellEx(DA_Index, 1, "7");   // the variable row no longer holds it
        Choose_Device(1);
        UserClick(W->Btn_Remove_IEC_Device);
        ASSERT_EQ(W->List_IEC_Dev.size(), 3u);
        EXPECT_EQ(W->List_DataSet[1]->Select_DataSet, Data_Set(1, 0));
        // The device added last, unused, goes.
        Choose_Device(2);
        UserClick(W->Btn_Remove_IEC_Device);
        EXPECT_EQ(W->List_IEC_Dev.size(), 2u);
    });
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(Client_Window, ATreeTallerThanItsPanelScrollsWithTheWheelAndPicksWhatIsUnderTheMouse)
{
    const String File = Source("bcu.cid", Realistic_SCL(8));
    TInteractionScript Script;
    Open(Script, [&] {
        Add_Device(Script, File);
        Choose_Device(0);
        ASSERT_GT(Tree_Lines(W).size(), 30u);
        EXPECT_EQ(Tree_Offset(W), 0);
        Wheel_Tree(W, -120 * 10);
        EXPECT_LT(Tree_Offset(W), 0);
        // The breaker of the last bay, far below the first screen, under the mouse now.
        TIEC_LN* Last = Device(0).List_LDevice[0]->List_LN[2 + 3 * 7].get();
        ASSERT_EQ(Last->fPrefix + Last->flnClass + Last->fInst, "Q8XCBR8");
        TIEC_DA* stVal = Last->Find_DO("Pos")->Find_DA("stVal");
        ASSERT_TRUE(Click_Tree_Button(W, Last->Find_DO("Pos")->TreeNode));
        ASSERT_TRUE(Click_Tree_Node(W, stVal->TreeNode));
        EXPECT_EQ(W->Selected_IEC_DA, stVal);
        UserClick(W->Btn_AddVar);
        EXPECT_EQ(Cell(W->ACG_DA, DA_Reference, 1), "E1CTRL/Q8XCBR8.Pos.stVal");
    });
    EXPECT_EQ(Script.Problems(), "");
}
