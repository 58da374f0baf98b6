// The MQTT topic editor's own ways: the template dialog opened by a double click on a
// Template cell, the columns it hides, its two pages with their row buttons, and a file
// with templates over several lines, attributes it does not keep and rows it cannot read.
#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/UTopicTemplate.h"
#include "grid/core/ExtGrid.h"
#include "tests/common/Snapshot.h"
#include "tests/common/GridHands.h"
#include "tests/editors/network/network_fixture.h"

namespace {

using namespace hands;
using namespace MQTT;

class MQTTEditor : public NetworkEditors {
protected:
    void SetUp() override
    {
        NetworkEditors::SetUp();
        W = Make<TFMQTT_Set_Topic>();
        FTopicTemplate = Make<TFTopicTemplate>();
    }
    void TearDown() override
    {
        FTopicTemplate = nullptr;
        NetworkEditors::TearDown();
    }
    // A double click on the cell of a real column, as the user gives it.
    static void Double_Click(TExtColumnGrid* G, int Real_Col, int Row)
    {
        const TPoint p = Mid(G, G->DisplColIndex(Real_Col), Row);
        UserDblClick(G, p.X, p.Y);
        Pump();
    }
    TFMQTT_Set_Topic* W = nullptr;
};

TEST_F(MQTTEditor, ADoubleClickOnATemplateEditsItInTheDialog)
{
    TInteractionScript script;
    EXPECT_EQ(Open(W, script, [&] {
                  TExtColumnGrid* G = W->ACG_Pub;
                  G->SetCellEx(Pub_Topic, 1, "plant/temp");
                  G->SetCellEx(Pub_DataType, 1, "Int");
                  G->SetCellEx(Pub_Dimension, 1, "2");
                  G->SetCellEx(Pub_Position, 1, "0");
                  G->SetCellEx(Pub_Mnemonic, 1, "Temp");
                  G->SetCellEx(Pub_Template, 1, "$VALUE$");
                  // OK brings back what was typed over two lines.
                  script.OnForm(
                      [&](TForm*) {
                          TFTopicTemplate* D = FTopicTemplate;
                          EXPECT_EQ(D->Caption(), "Set Template");
                          EXPECT_EQ(D->L_SW_Desc->Caption(), "Set Template");
                          EXPECT_EQ(D->RE_TopicTemplate->Text(), "$VALUE$");
                          EXPECT_EQ(D->Pub_Sub, 0);
                          EXPECT_EQ(D->Working_Mode, 1);
                          EXPECT_EQ(FindFocusedControl(), D->RE_TopicTemplate);
                          UserKey(D->RE_TopicTemplate, VK_END, TShiftState{ssCtrl});
                          UserKey(D->RE_TopicTemplate, VK_RETURN);
                          UserType(D->RE_TopicTemplate, "unit=$UNIT");
                          Pump();
                          TBitmap png;
                          EXPECT_TRUE(SNAPSHOT(D, "mqtt_template_dialog.png", png));
                          UserClick(D->Btn_OK);
                          return mrNone;
                      },
                      "TFTopicTemplate");
                  Double_Click(G, Pub_Template, 1);
                  EXPECT_EQ(script.Count(ikModalForm), 2);
                  EXPECT_EQ(G->GetCellEx(Pub_Template, 1), "$VALUE$\r\nunit=$UNIT");
                  // Cancel after editing leaves the cell as it was.
                  script.OnForm(
                      [&](TForm*) {
                          UserType(FTopicTemplate->RE_TopicTemplate, "lost");
                          UserClick(FTopicTemplate->Btn_Cancel);
                          return mrNone;
                      },
                      "TFTopicTemplate");
                  Double_Click(G, Pub_Template, 1);
                  EXPECT_EQ(G->GetCellEx(Pub_Template, 1), "$VALUE$\r\nunit=$UNIT");
                  // A double click elsewhere opens no dialog.
                  Double_Click(G, Pub_Mnemonic, 1);
                  EXPECT_EQ(script.Count(ikModalForm), 3);
                  // The dialog takes a malformed template; OK on the window refuses it.
                  script.Answer(mrOk, Row_Error(5251, 1, 5278));
                  UserClick(W->Btn_OK);
                  EXPECT_FALSE(FileExists(FileName_MQTT_Set_Topic));
                  script.OnForm(
                      [&](TForm*) {
                          FTopicTemplate->RE_TopicTemplate->SetText("$VALUE$\r\nunit=$UNIT$");
                          UserClick(FTopicTemplate->Btn_OK);
                          return mrNone;
                      },
                      "TFTopicTemplate");
                  Double_Click(G, Pub_Template, 1);
                  // Passing through the cell with its editor keeps the line breaks.
                  Click(G, G->DisplColIndex(Pub_Template), 1);
                  Key(VK_RETURN);
                  Click(G, G->DisplColIndex(Pub_Mnemonic), 1);
                  EXPECT_EQ(G->GetCellEx(Pub_Template, 1), "$VALUE$\r\nunit=$UNIT$");
                  // The subscribe table's Template column opens it too, telling the table.
                  W->PageControl1->SetActivePage(W->TS_MQTT_Subscribe);
                  Pump();
                  W->ACG_Sub->SetCellEx(Sub_Template, 2, "a\r\nb");
                  script.OnForm(
                      [&](TForm*) {
                          EXPECT_EQ(FTopicTemplate->Pub_Sub, 1);
                          EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->Text(), "a\r\nb");
                          return mrCancel;
                      },
                      "TFTopicTemplate");
                  Double_Click(W->ACG_Sub, Sub_Template, 2);
                  UserClick(W->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    // The line breaks reach the file and come back with it.
    EXPECT_NE(ReadFileBytes(FileName_MQTT_Set_Topic).find("Template=\"$VALUE$&#13;&#10;unit=$UNIT$\""), String::npos);
    Open(W, script, [&] { EXPECT_EQ(W->ACG_Pub->GetCellEx(Pub_Template, 1), "$VALUE$\r\nunit=$UNIT$"); });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(MQTTEditor, TheLegendShowsOneBlankRowAndForgetsWhatWasTyped)
{
    TFTopicTemplate* D = FTopicTemplate;
    D->TopicTemplate = 0;
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            EXPECT_EQ(D->Caption(), "Set Topic");
            EXPECT_EQ(D->ASG_Keywords->RowCount(), 2);
            EXPECT_EQ(D->ASG_Keywords->GetCellEx(0, 0), "Keyword");
            EXPECT_EQ(D->ASG_Keywords->GetCellEx(1, 0), "Description of Keyword");
            EXPECT_FALSE(D->ASG_Keywords->GetReadOnly(0, 1));
            EXPECT_TRUE(D->ASG_Keywords->GetReadOnly(1, 1));
            D->ASG_Keywords->SetCellEx(0, 1, "$TYPED$");
            return mrCancel;
        },
        "TFTopicTemplate");
    D->ShowModal();
    script.OnForm(
        [&](TForm*) {
            EXPECT_EQ(D->ASG_Keywords->GetCellEx(0, 1), "");
            return mrCancel;
        },
        "TFTopicTemplate");
    D->ShowModal();
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(MQTTEditor, TheBarBetweenTextAndLegendGivesTheLegendMoreOrLessRoom)
{
    TFTopicTemplate* D = FTopicTemplate;
    TInteractionScript script;
    script.OnForm(
        [&](TForm*) {
            const int Legend = D->P_Legend->Height(), Text = D->Panel1->Height();
            EXPECT_EQ(Legend, 108);
            EXPECT_EQ(D->Splitter1->Top() + D->Splitter1->Height(), D->P_Legend->Top());
            UserPress(D->Splitter1, 5, 1);
            UserMouseMove(D->Splitter1, 5, -40, TShiftState{ssLeft});
            UserRelease(D->Splitter1, 5, -40);
            Pump();
            EXPECT_EQ(D->P_Legend->Height(), Legend + 41);
            EXPECT_EQ(D->Panel1->Height(), Text - 41);
            // Dragged far down the legend closes; far up the text keeps some room.
            UserPress(D->Splitter1, 5, 1);
            UserMouseMove(D->Splitter1, 5, 1000, TShiftState{ssLeft});
            UserRelease(D->Splitter1, 5, 1000);
            Pump();
            EXPECT_EQ(D->P_Legend->Height(), 0);
            UserPress(D->Splitter1, 5, 1);
            UserMouseMove(D->Splitter1, 5, -1000, TShiftState{ssLeft});
            UserRelease(D->Splitter1, 5, -1000);
            Pump();
            EXPECT_GE(D->Panel1->Height(), 40);
            return mrCancel;
        },
        "TFTopicTemplate");
    D->ShowModal();
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(MQTTEditor, HiddenColumnsPagesAndRowButtons)
{
    TInteractionScript script;
    Open(W, script, [&] {
        for (int c : {Pub_IPAddress, Pub_InputTemplate, Pub_OnCMD, Pub_Channel, Pub_Swap, Pub_SwapWord})
            EXPECT_TRUE(W->ACG_Pub->IsHiddenColumn(c)) << c;
        for (int c : {Sub_Retained, Sub_IPAddress, Sub_Port, Sub_EthType, Sub_InputTemplate, Sub_Swap, Sub_SwapWord})
            EXPECT_TRUE(W->ACG_Sub->IsHiddenColumn(c)) << c;
        EXPECT_EQ(W->ACG_Pub->ColCount(), Pub_Count - 6);
        // The header hint is the real column's, past the hidden ones; a cell's is its text.
        String Hint;
        W->GridHint(W->ACG_Pub, 0, W->ACG_Pub->DisplColIndex(Pub_Template), Hint);
        EXPECT_EQ(Hint, Text(5236));
        W->ACG_Pub->SetCellEx(Pub_Mnemonic, 3, "a long description");
        W->GridHint(W->ACG_Pub, 3, W->ACG_Pub->DisplColIndex(Pub_Mnemonic), Hint);
        EXPECT_EQ(Hint, "a long description");
        W->GridHint(W->ACG_Pub, 3, 0, Hint);
        EXPECT_EQ(Hint, "");
        // A click in column 0 only moves the current cell.
        Click(W->ACG_Pub, 0, 3);
        EXPECT_FALSE(W->ACG_Pub->IsSelected(3, 3));
        // Insert on the subscribe page: a wholly empty row there, the publish table untouched.
        W->ACG_Pub->SetCellEx(Pub_Topic, 1, "p");
        W->ACG_Sub->SetCellEx(Sub_Topic, 1, "s");
        W->PageControl1->SetActivePage(W->TS_MQTT_Subscribe);
        W->ACG_Sub->SetRow(1);
        UserClick(W->Btn_InsRow);
        EXPECT_EQ(W->ACG_Sub->GetCellEx(Sub_Topic, 2), "s");
        EXPECT_EQ(W->ACG_Sub->GetCellEx(1, 1), "");
        EXPECT_EQ(W->ACG_Pub->GetCellEx(Pub_Topic, 1), "p");
        // A row copied from the publish table cannot be pasted on the subscribe page.
        W->PageControl1->SetActivePage(W->TS_MQTT_Publish);
        W->ACG_Pub->SetRow(1);
        UserClick(W->Btn_CopyRow);
        W->PageControl1->SetActivePage(W->TS_MQTT_Subscribe);
        script.Answer(mrOk, Text(1102));
        UserClick(W->Btn_PasteRow);
        EXPECT_TRUE(W->Do_Copy_Pub());
        EXPECT_FALSE(W->Do_Copy_Sub());
        // Delete asks with the row's number.
        W->ACG_Sub->SetRow(2);
        script.Answer(mrNo, Text(5223) + "2");
        UserClick(W->Btn_DelRow);
    });
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(MQTTEditor, AFileRowWithoutARequiredAttributeEndsTheLoading)
{
    WriteFileAtomic(FileName_MQTT_Set_Topic,
                    "<MQTT_Set_Topic><MQTT_Publish>"
                    "<row Topic=\"a\" Retained=\"Y\" QoS=\"0\" OnCMD=\"Y\" Channel=\"5\" Mnemonic=\"A\" DataType=\"Int\" "
                    "Dimension=\"2\" Position=\"0\"/>"
                    "<row Topic=\"b\" Retained=\"N\" Mnemonic=\"B\"/>"
                    "<row Topic=\"c\" Retained=\"N\" QoS=\"0\" Mnemonic=\"C\"/>"
                    "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic><!--SW_VERSION = 1.001-->");
    TInteractionScript script;
    Open(W, script, [&] {
        TExtColumnGrid* G = W->ACG_Pub;
        EXPECT_EQ(G->GetCellEx(Pub_Topic, 1), "a");
        // What the file does not keep starts the same for every row read.
        EXPECT_EQ(G->GetCellEx(Pub_OnCMD, 1), "");
        EXPECT_EQ(G->GetCellEx(Pub_Channel, 1), "");
        EXPECT_EQ(G->GetCellEx(Pub_Swap, 1), "N");
        EXPECT_EQ(G->GetCellEx(Pub_OnChange, 1), "N");
        EXPECT_EQ(G->GetCellEx(Pub_Template, 1), "");
        // The row without QoS ends the loading.
        EXPECT_EQ(G->GetCellEx(Pub_Topic, 2), "b");
        EXPECT_EQ(G->GetCellEx(Pub_Topic, 3), "");
        EXPECT_FALSE(W->Do_Copy_Pub());
        G->SetCellEx(Pub_Topic, 2, "");
        UserClick(W->Btn_OK);
    }, mrCancel, {"QoS"});
    EXPECT_EQ(script.Problems(), "");
    // The attributes the window does not keep are gone.
    const String File = ReadFileBytes(FileName_MQTT_Set_Topic);
    EXPECT_EQ(File.find("Channel"), String::npos);
    EXPECT_EQ(File.find("OnCMD"), String::npos);
    EXPECT_NE(File.find("<MQTT_Subscribe/>"), String::npos);
}

}  // namespace
