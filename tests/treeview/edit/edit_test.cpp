// Editing a caption in place as a user does: F2 opens the string editor over the focused
// node's text, Enter stores through OnNewText, Escape drops the typing, moving the focus
// elsewhere ends the edit, Tab goes on to the next row; the editor fits its text. The
// events come in a fixed order, which the logs pin down.
#include <map>

#include "platform/gui/StdCtrls.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class EditTest : public TreeTest {
protected:
    std::map<std::string, String> Texts;
    TEdit* Other = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        Other = Make_Control<TEdit>(Form, Form, "Other", 0, 210, 100, 22);
        Form->Show();
        Texts = {{"0", "cherry"}, {"1", "apple"}, {"2", "banana"}};
        Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, TVSTTextType Type, String& S) {
            if (Type == ttNormal) S = Texts[Name(N)];
        };
        Tree->OnNewText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex C, const String& S) {
            Log.push_back("new text " + Name(N) + " " + std::to_string(C) + " " + S);
            Texts[Name(N)] = S;
        };
        Tree->OnEditing = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, bool& Allowed) {
            Log.push_back("editing " + Name(N));
            if (Name(N) == Refuse) Allowed = false;
        };
        Tree->OnEdited = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex) { Log.push_back("edited " + Name(N)); };
        Tree->OnEditCancelled = [this](TBaseLazyTree*, TColumnIndex) { Log.push_back("cancelled"); };
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions(o->MiscOptions() | toEditable);
        Shape({0, 0, 0});
        Tree->SetFocus();
        UserKey(Tree, VK_DOWN);
        UserKey(Tree, VK_DOWN);
        Log.clear();
    }
    void TearDown() override
    {
        if (!Tree) return;
        Tree->CancelEditNode();
        Tree->OnGetText = nullptr;
        Tree->OnNewText = nullptr;
        Tree->OnEditing = nullptr;
        Tree->OnEdited = nullptr;
        Tree->OnEditCancelled = nullptr;
        TreeTest::TearDown();
    }
    std::string Refuse;
    TLTEdit* Editor() const
    {
        auto* link = dynamic_cast<TStringEditLink*>(Tree->EditLink().get());
        return link ? link->Edit() : nullptr;
    }
    // The editor that has the keyboard now.
    TWinControl* Keyboard() const { return FindFocusedControl(); }
    void Lines(const std::vector<std::string>& Expect) { EXPECT_EQ(Log, Expect); }
};

TEST_F(EditTest, F2OpensTheEditorAndEnterStoresTheText)
{
    UserKey(Tree, VK_F2);
    ASSERT_TRUE(Tree->IsEditing());
    TLTEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(Keyboard(), editor);
    EXPECT_EQ(editor->Text(), "apple");
    EXPECT_EQ(editor->SelLength(), 5);  // the whole text is selected: typing replaces it
    UserType(Keyboard(), "pear");
    UserKey(Keyboard(), VK_RETURN);
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Tree->EditLink(), nullptr);
    EXPECT_EQ(Keyboard(), Tree);
    Lines({"editing 1", "new text 1 -1 pear", "edited 1"});
    EXPECT_EQ(Tree->Text(At("1"), NoColumnIndex), "pear");
    // The editor goes with the next turn of the event loop.
    Application->ProcessMessages();
}

TEST_F(EditTest, EscapeDropsTheTypingAndAnUnchangedTextIsNotWrittenBack)
{
    UserKey(Tree, VK_F2);
    UserType(Keyboard(), "pear");
    UserKey(Keyboard(), VK_ESCAPE);
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Keyboard(), Tree);
    UserKey(Tree, VK_F2);
    UserKey(Keyboard(), VK_RETURN);
    Lines({"editing 1", "cancelled", "editing 1", "edited 1"});
    EXPECT_EQ(Texts["1"], "apple");
}

TEST_F(EditTest, LeavingTheEditorAcceptsOrCancelsByOption)
{
    struct TCase {
        bool AutoAccept;
        std::vector<std::string> Log;
        const char* Text;
    };
    const TCase cases[] = {
        {true, {"editing 1", "new text 1 -1 pear", "edited 1"}, "pear"},
        {false, {"editing 1", "cancelled"}, "apple"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.AutoAccept);
        Log.clear();
        Texts["1"] = "apple";
        auto* o = Tree->TreeOptions();
        o->SetStringOptions(c.AutoAccept ? o->StringOptions() | toAutoAcceptEditChange
                                         : o->StringOptions() - TLTStringOptions{toAutoAcceptEditChange});
        Tree->SetFocus();
        UserKey(Tree, VK_F2);
        UserType(Keyboard(), "pear");
        UserClick(Other);
        EXPECT_FALSE(Tree->IsEditing());
        EXPECT_EQ(Log, c.Log);
        EXPECT_EQ(Texts["1"], c.Text);
    }
}

TEST_F(EditTest, MovingTheFocusToAnotherNodeStoresTheText)
{
    Tree->EditNode(At("1"), NoColumnIndex);
    UserType(Keyboard(), "pear");
    Tree->SetFocusedNode(At("2"));
    EXPECT_FALSE(Tree->IsEditing());
    Lines({"editing 1", "new text 1 -1 pear", "edited 1"});
}

TEST_F(EditTest, TabStoresAndOpensTheNextRow)
{
    UserKey(Tree, VK_F2);
    UserType(Keyboard(), "pear");
    UserKey(Keyboard(), VK_TAB);
    ASSERT_TRUE(Tree->IsEditing());
    EXPECT_EQ(Name(Tree->FocusedNode()), "2");
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "banana");
    Refuse = "0";
    UserKey(Keyboard(), VK_ESCAPE);
    Lines({"editing 1", "new text 1 -1 pear", "edited 1", "editing 2", "cancelled"});
}

TEST_F(EditTest, WhenAnEditMayNotStart)
{
    struct TCase {
        const char* Name;
        std::function<void()> Arrange;
        std::vector<std::string> Log;
    };
    const TCase cases[] = {
        {"read-only tree",
         [this] {
             auto* o = Tree->TreeOptions();
             o->SetMiscOptions(o->MiscOptions() | toReadOnly);
         },
         {"editing 1"}},   // EditNode asks nobody; F2 asks the application, which is told no
        {"the application refuses", [this] { Refuse = "1"; }, {"editing 1", "editing 1"}},
        {"editing is off",
         [this] {
             auto* o = Tree->TreeOptions();
             o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toEditable});
         },
         {"editing 1", "editing 1"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Log.clear();
        Refuse.clear();
        auto* o = Tree->TreeOptions();
        o->SetMiscOptions((o->MiscOptions() | toEditable) - TLTMiscOptions{toReadOnly});
        c.Arrange();
        EXPECT_FALSE(Tree->EditNode(At("1"), NoColumnIndex));
        UserKey(Tree, VK_F2);
        EXPECT_FALSE(Tree->IsEditing());
        EXPECT_EQ(Tree->EditLink(), nullptr);
        EXPECT_EQ(Log, c.Log);
    }
}

TEST_F(EditTest, ColumnsWithoutEditableAreNeverEdited)
{
    auto* columns = Tree->Header()->Columns();
    columns->Add()->SetWidth(120);
    TLazyTreeColumn* second = columns->Add();
    second->SetWidth(120);
    second->SetOptions(second->Options() - TLTColumnOptions{coEditable});
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    EXPECT_FALSE(Tree->EditNode(At("1"), 1));
    EXPECT_TRUE(Tree->EditNode(At("1"), 0));
    // While an edit runs another request answers true and changes nothing.
    EXPECT_TRUE(Tree->EditNode(At("2"), 0));
    EXPECT_EQ(Name(Tree->FocusedNode()), "1");
    Lines({"editing 1", "editing 1"});
}

TEST_F(EditTest, TheEditorFitsItsText)
{
    UserKey(Tree, VK_F2);
    TLTEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    const int left = editor->Left();
    const int start = editor->Width();
    UserType(Keyboard(), "a much longer text than before");
    const int grown = editor->Width();
    EXPECT_GT(grown, start);
    EXPECT_EQ(editor->Left(), left);
    // Never past the client area.
    UserType(Keyboard(), " and longer still, until it runs out of the tree's client area");
    EXPECT_EQ(editor->BoundsRect().Right, Tree->ClientWidth());
    // Shrinks again, but not below the least width.
    UserKey(Keyboard(), 'A', {ssCtrl});
    UserType(Keyboard(), "i");
    EXPECT_EQ(editor->Text(), "i");
    EXPECT_EQ(editor->Width(), 30);
    EXPECT_EQ(editor->Left(), left);
}

TEST_F(EditTest, OpenEditorPicture)
{
    Texts["1"] = "apple tree";
    UserKey(Tree, VK_F2);
    TLTEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    UserType(Keyboard(), "pear tree in bloom");
    Tree->Repaint();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_editor.png", png));
    // The editor sits over the node's text on the node's row.
    const TRect row = Tree->GetDisplayRect(At("1"), NoColumnIndex, false);
    const TRect box = editor->BoundsRect();
    EXPECT_LE(box.Top, row.Top + 2);
    EXPECT_GE(box.Bottom, row.Bottom - 2);
    // Its white field holds dark text; the other rows' texts are still there.
    auto dark = [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60; };
    EXPECT_GT(Count_Pixels(png, TRect(box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2), dark), 20);
    EXPECT_GT(Count_Pixels(png, TRect(box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2), clWhite), 100);
    EXPECT_GT(Count_Pixels(png, TRect(box.Left, row.Bottom + 2, box.Left + 60, row.Bottom + 16), dark), 10);
}

TEST_F(EditTest, AnArrowKeyDropsAPendingEditWithoutMoving)
{
    // A click on the focused, selected node's text makes the edit wait for its delay.
    auto* o = Tree->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() | toEditOnClick);
    const TRect text = Tree->GetDisplayRect(At("1"), NoColumnIndex, true);
    for (WORD key : {VK_UP, VK_DOWN}) {
        SCOPED_TRACE(key);
        UserClick(Tree, text.Left + 5, (text.Top + text.Bottom) / 2);
        ASSERT_TRUE(Tree->TreeStates().Contains(tsEditPending));
        UserKey(Tree, key);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsEditPending));
        EXPECT_FALSE(Tree->IsEditing());
        EXPECT_EQ(Name(Tree->FocusedNode()), "1");
    }
}

TEST_F(EditTest, MultiLineNodeGetsAFieldOfSeveralLines)
{
    // A multi-line node of three rows' height in a tree with one column.
    Tree->Header()->Columns()->Add()->SetWidth(160);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Texts["1"] = "a caption long enough to wrap over two lines of the cell";
    Tree->SetMultiLine(At("1"), true);
    Tree->SetNodeHeight(At("1"), 54);
    Tree->SetFocusedColumn(0);
    UserKey(Tree, VK_F2);
    TLTEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->MultiLine());
    EXPECT_EQ(editor->Text(), Texts["1"]);
    // The field covers the cell's text over the node's whole height and does not grow
    // with its text the way a single line does.
    const TRect cell = Tree->GetDisplayRect(At("1"), 0, true);
    const TRect box = editor->BoundsRect();
    EXPECT_GE(box.Height(), 54 - 4);
    const int width = box.Width();
    EXPECT_LE(box.Right, 160 + 2);
    EXPECT_GT(width, cell.Width() / 2);
    // Enter types a line break and the edit goes on; Ctrl+Enter stores the lines.
    UserKey(Keyboard(), VK_END, {ssCtrl});
    UserKey(Keyboard(), VK_RETURN);
    UserType(Keyboard(), "third");
    EXPECT_TRUE(Tree->IsEditing());
    EXPECT_EQ(editor->Width(), width);
    UserKey(Keyboard(), VK_RETURN, {ssCtrl});
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Texts["1"], "a caption long enough to wrap over two lines of the cell\r\nthird");
    EXPECT_EQ(Log.back(), "edited 1");
    EXPECT_EQ(Keyboard(), Tree);
    // A single-line node next to it still gets a single line, which Enter stores.
    UserKey(Tree, VK_DOWN);
    UserKey(Tree, VK_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_FALSE(Editor()->MultiLine());
    UserType(Keyboard(), "kiwi");
    UserKey(Keyboard(), VK_RETURN);
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(Texts["2"], "kiwi");
}

TEST_F(EditTest, TheFieldLaysItsTextOutWhereTheTreeDrewIt)
{
    // The field's text rectangle: the tree's text margin in place of the field's inner
    // border (less 2, or 3 with themes, for a single line; 0 or 1 for several lines) and,
    // for a single line, the text band's vertical place in the cell.
    Tree->Header()->Columns()->Add()->SetWidth(160);
    Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible);
    Tree->SetFocusedColumn(0);
    Tree->SetNodeHeight(At("1"), 30);
    struct Case {
        bool multi, themes;
        int inset; // horizontal inset from the client rectangle
        int grow;  // vertical growth
    };
    for (const Case& c : {Case{false, false, 4 - 2, 2}, Case{false, true, 4 - 3, 3}, Case{true, false, 4, 0},
                          Case{true, true, 4 - 1, 1}}) {
        SCOPED_TRACE(std::to_string(c.multi) + " " + std::to_string(c.themes));
        ASSERT_EQ(Tree->TextMargin(), 4);
        Tree->SetMultiLine(At("1"), c.multi);
        if (c.themes)
            Tree->ChangeTreeStates(TLazyTreeStates{tsUseThemes}, {});
        else
            Tree->ChangeTreeStates({}, TLazyTreeStates{tsUseThemes});
        UserKey(Tree, VK_F2);
        TLTEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        TFont font;
        TRect band;
        String text;
        Tree->GetTextInfo(At("1"), 0, &font, band, text);
        const int shift = c.multi ? 0 : band.Top - editor->Top();
        // A row of 30 pixels puts the one-line text band well below the field's top.
        if (!c.multi) {
            EXPECT_GT(shift, c.grow);
        }
        const TRect client = editor->ClientRect();
        const TRect f = editor->FormatRect();
        EXPECT_EQ(f.Left, client.Left + c.inset);
        EXPECT_EQ(f.Right, client.Right - c.inset);
        EXPECT_EQ(f.Top, std::max(-1, client.Top - c.grow + shift));
        EXPECT_EQ(f.Bottom, client.Bottom + c.grow + shift);
        // Typing re-fits a single line; its text keeps the same rectangle rule.
        UserType(Keyboard(), "a longer text for the field");
        EXPECT_EQ(editor->FormatRect().Right, editor->ClientRect().Right - c.inset);
        UserKey(Keyboard(), VK_ESCAPE);
        ASSERT_FALSE(Tree->IsEditing());
    }
}

TEST_F(EditTest, EndingTheEditWhenTheFormCanNoLongerTakeTheFocus)
{
    // The application's answer to the end of an edit may disable or hide the form (a
    // modal step, closing the window); Enter and Escape then finish the edit without
    // handing the focus to the tree, which could not take it.
    struct Case {
        WORD key;
        bool hide;
    };
    for (const Case& c : {Case{VK_RETURN, false}, Case{VK_RETURN, true}, Case{VK_ESCAPE, false}, Case{VK_ESCAPE, true}}) {
        SCOPED_TRACE(std::to_string(c.key) + (c.hide ? " hidden" : " disabled"));
        Form->SetEnabled(true);
        Form->Show();
        Tree->SetFocus();
        auto away = [this, c] {
            if (c.hide)
                Form->Hide();
            else
                Form->SetEnabled(false);
        };
        Tree->OnEdited = [away](TBaseLazyTree*, PLazyNode, TColumnIndex) { away(); };
        Tree->OnEditCancelled = [away](TBaseLazyTree*, TColumnIndex) { away(); };
        UserKey(Tree, VK_F2);
        ASSERT_NE(Editor(), nullptr);
        UserType(Keyboard(), "plum");
        EXPECT_NO_THROW(UserKey(Keyboard(), c.key));
        EXPECT_FALSE(Tree->IsEditing());
        EXPECT_FALSE(Tree->CanFocus());
        EXPECT_EQ(Texts["1"], c.key == VK_RETURN ? "plum" : "apple");
        Texts["1"] = "apple";
    }
    Tree->OnEdited = nullptr;
    Tree->OnEditCancelled = nullptr;
    Form->SetEnabled(true);
    Form->Show();
    EXPECT_TRUE(Tree->CanFocus());
}

TEST_F(EditTest, AFailingStoreKeepsTheEditOpenAndUsable)
{
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    bool fail = true;
    auto store = Tree->OnNewText;
    Tree->OnNewText = [&](TBaseLazyTree* T, PLazyNode N, TColumnIndex C, const String& S) {
        if (fail) throw std::runtime_error("disk full");
        store(T, N, C, S);
    };
    UserKey(Tree, VK_F2);
    UserType(Keyboard(), "pear");
    UserKey(Keyboard(), VK_RETURN);
    EXPECT_EQ(reported, std::vector<std::string>{"disk full"});
    // Nothing was stored and nothing reported as edited; the editor still holds the text.
    EXPECT_TRUE(Tree->IsEditing());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->Text(), "pear");
    fail = false;
    UserKey(Editor(), VK_RETURN);
    EXPECT_FALSE(Tree->IsEditing());
    Lines({"editing 1", "new text 1 -1 pear", "edited 1"});
    Application->OnException = nullptr;
}

TEST_F(EditTest, TheTreeGoesWhileItsEditorIsOpen)
{
    UserKey(Tree, VK_F2);
    UserType(Keyboard(), "pear");
    ASSERT_NE(Editor(), nullptr);
    // The tree's end cancels the edit; the editor goes with its parent and the message
    // that was to free it later finds no window.
    delete Form;
    Form = nullptr;
    Tree = nullptr;
    Application->ProcessMessages();
    EXPECT_EQ(Log, (std::vector<std::string>{"editing 1", "cancelled"}));
}

} // namespace
