// The engine's window as a user works it: buttons as the description lists them (with an
// extra one and its handler), a table on a string grid with real check boxes, and fields
// above the tables with their own checks and lists from providers read at every showing.
#include "editors/frame/UTableEditor.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "tests/common/UserInput.h"
#include "shell/UComon.h"
#include "tests/editors/frame/frame_fixture.h"

namespace frame_test {
namespace {

class Window : public Engine {
protected:
    void SetUp() override
    {
        Engine::SetUp();
        SW_Code = "RO41R08";
        File = Path("Registers.xml");
    }
    void TearDown() override
    {
        if (W) W->Free();
        Engine::TearDown();
    }

    // The window of a description of the registers, writing File.
    TFTableEditor* Make(TEditorDesc d)
    {
        d.Class_Name = "TFTableEditor";
        d.Name = "FRegisters";
        d.Client_Width = 700;
        d.Client_Height = 360;
        d.File_Name = &File;
        d.Read_Context = [this](TEditorContext& c) { c.Numbers[Size_Number] = Size; };
        W = new TFTableEditor(nullptr, std::move(d));
        W->AfterConstruction();
        return W;
    }
    // Shows the window modally; Act works on it while it is open, then it is cancelled
    // unless it closed itself.
    TModalResult Open(TInteractionScript& Script, const std::function<void()>& Act)
    {
        Script.OnForm(
            [&](TForm*) {
                Act();
                return mrCancel;
            },
            "TFTableEditor");
        return W->ShowModal();
    }

    String File;
    long long Size = 16;   // the data area a showing reads into its context
    TFTableEditor* W = nullptr;
};

TEST_F(Window, ButtonsStandAsDescribedAndAnExtraOneRunsItsHandler)
{
    TEditorDesc d = Registers_Desc();
    d.Fields.clear();
    d.Field_Checks.clear();
    TButtonDesc ok, import, cancel;
    ok.Kind = ebOK;
    ok.Caption = 4502;
    import.Name = "Btn_Import";
    import.Caption = 4506;
    import.Hint = 4512;
    import.Show_Hint = true;
    TFTableEditor* Handled = nullptr;
    import.OnClick = [&Handled](TFTableEditor& Editor) {
        Handled = &Editor;
        Editor.Rows(Registers).SetCellEx(Reg_Name, 1, "Imported");
        Editor.Rows(Registers).SetCellEx(Reg_Start, 1, "0");
        Editor.Rows(Registers).SetCellEx(Reg_Length, 1, "4");
    };
    cancel.Kind = ebCancel;
    d.Buttons = {ok, import, cancel};
    Make(d);
    TInteractionScript script;
    EXPECT_EQ(Open(script,
                   [&] {
                       ASSERT_EQ(W->Button(1)->Name(), "Btn_Import");
                       EXPECT_EQ(W->Button(0), W->Btn_OK);
                       EXPECT_EQ(W->Button(2), W->Btn_Cancel);
                       EXPECT_LT(W->Btn_OK->Left(), W->Button(1)->Left());
                       EXPECT_LT(W->Button(1)->Left(), W->Btn_Cancel->Left());
                       EXPECT_EQ(W->Button(1)->Caption(), Text(4506));
                       EXPECT_EQ(W->Button(1)->Hint(), Text(4512));
                       EXPECT_TRUE(W->Button(1)->ShowHint());
                       EXPECT_FALSE(W->Btn_OK->ShowHint());
                       for (TLbButton* b : {W->Btn_DelRow, W->Btn_InsRow, W->Btn_CopyRow, W->Btn_PasteRow})
                           EXPECT_FALSE(b->Visible()) << b->Name();
                       UserClick(W->Button(1));
                       EXPECT_EQ(Handled, W);
                       UserClick(W->Btn_OK);
                   }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    // (a check box column starts empty, as a reset leaves it)
    EXPECT_NE(ReadFileBytes(File).find("<row Enable=\"1\" Name=\"Imported\" Start=\"0\" Length=\"4\" Flag=\"\"/>"),
              String::npos)
        << ReadFileBytes(File);
}

TEST_F(Window, AStringGridTableCarriesRealCheckBoxes)
{
    WriteFileAtomic(File, "<Registers><Settings Count=\"5\"/><Regs>"
                          "<row Enable=\"0\" Name=\"A\" Start=\"0\" Length=\"4\" Flag=\"Y\"/>"
                          "<row Enable=\"1\" Name=\"B\" Start=\"4\" Length=\"4\" Flag=\"N\"/>"
                          "</Regs><Aliases/></Registers>");
    TEditorDesc d = Registers_Desc(gkStringGrid);
    d.Fields_Element = "Settings";
    Text_Block(d, 4500);
    Make(d);
    TInteractionScript script;
    EXPECT_EQ(Open(script,
                   [&] {
                       ASSERT_EQ(W->Grid(Registers), nullptr);
                       ASSERT_NE(W->Grid(Aliases), nullptr) << "the aliases stand on a column grid";
                       TExtStringGrid* G = W->Table_Grid(Registers);
                       bool State = true;
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Enable, 1, State));
                       EXPECT_FALSE(State);
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Flag, 1, State));
                       EXPECT_TRUE(State);
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Enable, 6, State));
                       EXPECT_TRUE(State) << "a reset ticks the Enable box";
                       // A click on row 1's box enables it.
                       const TRect R = G->CellRect(G->DisplColIndex(Reg_Enable), 1);
                       UserClick(G, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Enable, 1, State));
                       EXPECT_TRUE(State);
                       // A table check selects its row, on the table's page.
                       W->Page_Control->SetActivePage(W->Page(Aliases));
                       G->SetCellEx(Reg_Name, 2, "A");
                       script.Answer(mrOk, Row_Text(2, Text_Unique, "1"));
                       UserClick(W->Btn_OK);
                       EXPECT_EQ(W->Page_Control->ActivePage(), W->Page(Registers));
                       EXPECT_EQ(G->Row(), 2);
                       EXPECT_EQ(G->Selection().Top, 2);
                       EXPECT_EQ(G->Selection().Bottom, 2);
                       G->SetCellEx(Reg_Name, 2, "B");
                       // Insert Row moves the boxes down with their rows and ticks the new row's Enable.
                       G->SetRow(1);
                       UserClick(W->Btn_InsRow);
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Enable, 1, State));
                       EXPECT_TRUE(State);
                       ASSERT_TRUE(G->GetCheckBoxState(Reg_Flag, 2, State));
                       EXPECT_TRUE(State);
                       EXPECT_EQ(G->GetCellEx(Reg_Name, 2), "A");
                       UserClick(W->Btn_OK);
                   }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(ReadFileBytes(File), "<Registers>\n"
                                   "  <Settings Count=\"5\"/>\n"
                                   "  <Regs>\n"
                                   "    <row Enable=\"1\" Name=\"A\" Start=\"0\" Length=\"4\" Flag=\"Y\"/>\n"
                                   "    <row Enable=\"1\" Name=\"B\" Start=\"4\" Length=\"4\" Flag=\"N\"/>\n"
                                   "  </Regs>\n"
                                   "  <Aliases/>\n"
                                   "</Registers>\n"
                                   "<!--V 1-->\n");
}

TEST_F(Window, FieldsAboveTheTablesAreTypedCheckedAndStored)
{
    WriteFileAtomic(File, "<Registers><Settings Count=\"5\" Mode=\"Slow\" Active=\"1\" Tag=\"AB\"/>"
                          "<Regs><row Name=\"A\" Start=\"0\" Length=\"4\"/></Regs><Aliases/></Registers>");
    TEditorDesc d = Registers_Desc();
    Text_Block(d, 4500);
    d.Fields_Element = "Settings";
    d.Fields[0].Caption = 4516;
    d.Fields[0].Max_Length = 3;
    // Lists whose items follow the showing's context: a field's and a column's.
    auto By_Size = [](const TEditorContext& c) {
        return c.Number(Size_Number) > 8 ? std::vector<String>{"Fast", "Slow"} : std::vector<String>{"Slow"};
    };
    TFieldDesc mode = List_Column("Mode", 4519, 4535, fkList, {});
    mode.Control = "CB_Mode";
    mode.Items_From = By_Size;
    TFieldDesc active = Check_Column("Active", 4521, 4537);
    active.Control = "CB_Active";
    active.Check_On = "1";
    active.Check_Off = "0";
    TFieldDesc tag = Text_Column("Tag", 4517, 4533);
    tag.Control = "E_Tag";
    tag.Flags = ffUpper | ffHexKeys;
    tag.Max_Length = 4;
    d.Fields.insert(d.Fields.end(), {mode, active, tag});
    TFieldDesc& target = d.Tables[Aliases].Columns[Alias_Target];
    target.Kind = fkListEdit;
    target.Items_From = By_Size;
    Make(d);

    TInteractionScript script;
    EXPECT_EQ(Open(script,
                   [&] {
                       ASSERT_EQ(W->Field_Count(), 4);
                       auto* Count = dynamic_cast<TEdit*>(W->Field_Control(0));
                       auto* Mode = dynamic_cast<TComboBox*>(W->Field_Control(1));
                       auto* Active = dynamic_cast<TCheckBox*>(W->Field_Control(2));
                       auto* Tag = dynamic_cast<TEdit*>(W->Field_Control(3));
                       ASSERT_TRUE(Count && Mode && Active && Tag);
                       EXPECT_EQ(Count->Name(), "E_Count");
                       EXPECT_EQ(Active->Caption(), Text(4521));
                       EXPECT_EQ(Count->Text(), "5");
                       EXPECT_EQ(Mode->Items()->Count(), 2);
                       EXPECT_EQ(Mode->ItemIndex(), 1);
                       EXPECT_TRUE(Active->Checked());
                       EXPECT_EQ(Tag->Text(), "AB");
                       EXPECT_EQ(W->Grid(Aliases)->Columns()->Items(Alias_Target)->ComboItems()->Count(), 2);
                       ASSERT_TRUE(SaveControlToPng(W, PathJoin(TEST_OUTPUT_DIR, "table_editor_fields.png")));

                       // A field out of range: its error box, and the field takes the focus.
                       Count->SetText("");
                       UserType(Count, "5000");
                       EXPECT_EQ(Count->Text(), "500") << "at most 3 characters";
                       script.Answer(mrOk, Text(Text_Count));
                       UserClick(W->Btn_OK);
                       EXPECT_TRUE(Count->Focused());
                       Count->SetText("");
                       UserType(Count, "50");
                       // The hexadecimal field takes hex digits only, in upper case.
                       Tag->SetText("");
                       UserType(Tag, "a1g2");
                       EXPECT_EQ(Tag->Text(), "A12");
                       UserClick(Active);
                       // Insert Row ticks the new row's Enable with the column's own value.
                       TExtColumnGrid* G = W->Grid(Registers);
                       G->SetRow(1);
                       UserClick(W->Btn_InsRow);
                       EXPECT_EQ(G->GetCellEx(Reg_Enable, 1), "1");
                       EXPECT_EQ(G->GetCellEx(Reg_Name, 2), "A");
                       UserClick(W->Btn_OK);
                   }),
              mrOk);
    EXPECT_EQ(script.Problems(), "");
    EXPECT_EQ(ReadFileBytes(File), "<Registers>\n"
                                   "  <Settings Count=\"50\" Mode=\"Slow\" Active=\"0\" Tag=\"A12\"/>\n"
                                   "  <Regs>\n"
                                   "    <row Enable=\"1\" Name=\"A\" Start=\"0\" Length=\"4\" Flag=\"N\"/>\n"
                                   "  </Regs>\n"
                                   "  <Aliases/>\n"
                                   "</Registers>\n"
                                   "<!--V 1-->\n");

    // The next showing reads its context again: the lists follow it.
    Size = 8;
    Open(script, [&] {
        auto* Mode = dynamic_cast<TComboBox*>(W->Field_Control(1));
        EXPECT_EQ(Mode->Items()->Count(), 1);
        EXPECT_EQ(Mode->ItemIndex(), 0);
        EXPECT_EQ(W->Context().Number(Size_Number), 8);
        EXPECT_EQ(W->Grid(Aliases)->Columns()->Items(Alias_Target)->ComboItems()->Count(), 1);
        EXPECT_FALSE(dynamic_cast<TCheckBox*>(W->Field_Control(2))->Checked());
    });
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
}  // namespace frame_test
