// The grid's drop-down picker editors as a user ends their edits: Enter, Up and Down
// store and validate, Tab walks with the grid, Esc gives the cell its text back, and the
// picker keeps Alt+Down and End; their keys never reach the form's buttons.
#include <functional>
#include <vector>

#include "gridedit/GridEditors.h"
#include "gridext/celleditors/GridPickerEditors.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/extgrid_fixture.h"

namespace {

constexpr int ECol = 2, ERow = 2;

// The kinds whose editor text is the cell's text.
const TEditorType TextKinds[] = {edTrackbarDropDown, edMemoDropDown,   edCalculatorDropDown, edTimePickerDropDown,
                                 edDetailDropDown,   edGridDropDown,   edExtGridDropDown};

class DropDownEditorTest : public ExtGridTest {
protected:
    TEditorType Kind = edMemoDropDown;
    int FormButtonClicks = 0;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(5, 5);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [this](TObject*, int, int r, TEditorType& e) {
            if (r >= 1) e = Kind;
        };
        // A form with default and cancel buttons: the editors' keys are not theirs.
        for (bool isDefault : {true, false}) {
            auto* b = new TButton(Form);
            b->SetParent(Form);
            b->SetBounds(isDefault ? 0 : 80, 302, 70, 16);
            if (isDefault) b->SetDefault(true);
            else b->SetCancel(true);
            b->OnClick = [this](TObject*) { ++FormButtonClicks; };
        }
        // The track bar's range takes the numbers typed below.
        TrackbarDropDown(Grid)->SetMax(100);
        UserFocus(Grid);
    }
    TWinControl* Open(TEditorType k, const String& text)
    {
        Kind = k;
        Grid->SetCellEx(ECol, ERow, text);
        Grid->FocusCell(ECol, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
        return Grid->EditCtrl;
    }
    String Cell() { return Grid->GetCellEx(ECol, ERow); }
    // A number as the open kind's editor writes it: the calculator to its two decimals.
    String Stored(const String& s) const { return Kind == edCalculatorDropDown ? s + ".00" : s; }
};

TEST_F(DropDownEditorTest, KeysEndTheEditAsTheUserExpects)
{
    struct {
        const char* name;
        WORD key;
        TShiftState shift;
        bool tabs;
        String cell;
        int col, row;
        bool open;
    } cases[] = {
        {"Enter stores", VK_RETURN, {}, false, "57", ECol, ERow, false},
        {"Esc restores", VK_ESCAPE, {}, false, "5", ECol, ERow, false},
        {"Down stores and moves", VK_DOWN, {}, false, "57", ECol, ERow + 1, false},
        {"Up stores and moves", VK_UP, {}, false, "57", ECol, ERow - 1, false},
        {"Tab walks with the grid", VK_TAB, {}, true, "57", ECol + 1, ERow, false},
        {"Shift+Tab walks back", VK_TAB, {ssShift}, true, "57", ECol - 1, ERow, false},
        {"PgDn only ends the edit", VK_NEXT, {}, false, "57", ECol, ERow, false},
        {"End stays with the picker", VK_END, {}, false, "5", ECol, ERow, true},
    };
    for (TEditorType k : TextKinds) {
        for (const auto& c : cases) {
            SCOPED_TRACE(String(c.name) + " kind " + IntToStr(int(k)));
            Grid->SetOptions(c.tabs ? Grid->Options() << goTabs : Grid->Options() >> goTabs);
            FormButtonClicks = 0;
            TWinControl* e = Open(k, "5");
            ASSERT_TRUE(e && e->Visible() && e->Focused());
            static_cast<TEdit*>(e)->SetSelStart(1);
            UserType(e, "7");
            UserKey(e, c.key, c.shift);
            Application->ProcessMessages();
            EXPECT_EQ(Grid->Col(), c.col);
            EXPECT_EQ(Grid->Row(), c.row);
            EXPECT_EQ(e->Visible(), c.open);
            EXPECT_EQ(FormButtonClicks, 0);
            // An edit the key left open is thrown away with Esc.
            if (c.open) {
                UserKey(e, VK_ESCAPE);
                EXPECT_FALSE(e->Visible());
            }
            EXPECT_EQ(Cell(), Stored(c.cell));
            EXPECT_TRUE(Grid->Focused());
        }
    }
}

// Alt+Down opens the picker's window and the edit goes on; Enter then closes it, stores
// and ends the edit.
TEST_F(DropDownEditorTest, AltDownOpensThePickerAndEnterClosesIt)
{
    for (TEditorType k : TextKinds) {
        SCOPED_TRACE(int(k));
        TWinControl* w = Open(k, "5");
        auto* e = dynamic_cast<IGridPickerEditor*>(w);
        ASSERT_TRUE(e);
        UserKey(w, VK_DOWN, {ssAlt});
        EXPECT_TRUE(e->PickerDroppedDown());
        EXPECT_TRUE(w->Visible());
        UserKey(w, VK_RETURN);
        EXPECT_FALSE(e->PickerDroppedDown());
        EXPECT_FALSE(w->Visible());
        EXPECT_EQ(Cell(), Stored("5"));
    }
}

// A value the validation refuses keeps the editor open with what the validation left,
// all of it selected.
TEST_F(DropDownEditorTest, RefusedValueKeepsTheEditorOpen)
{
    Grid->OnCellValidate = [this](TObject*, int, int, String& v, bool& valid) {
        valid = v != Stored("57");
        if (!valid) v = "99";
    };
    for (TEditorType k : TextKinds) {
        SCOPED_TRACE(int(k));
        auto* e = static_cast<TEdit*>(Open(k, "5"));
        e->SetSelStart(1);
        UserType(e, "7");
        UserKey(e, VK_RETURN);
        EXPECT_TRUE(e->Visible());
        EXPECT_EQ(e->Text(), Stored("99"));
        EXPECT_EQ(e->SelLength(), int(Stored("99").size()));
        EXPECT_EQ(Grid->Row(), ERow);
        dynamic_cast<IGridPickerEditor*>(e)->SetEditorText("8");
        UserKey(e, VK_RETURN);
        EXPECT_EQ(Cell(), Stored("8"));
        EXPECT_FALSE(e->Visible());
    }
}

// Typed characters reach the grid's OnKeyPress from the editor, whose handler may drop
// them, and the user's changes reach OnEditChange.
TEST_F(DropDownEditorTest, TypingReachesTheGridsEvents)
{
    std::vector<String> changes;
    Grid->OnKeyPress = [](TObject*, WideChar& key) {
        if (key == 'x') key = 0;
    };
    Grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
        changes.push_back(IntToStr(c) + "," + IntToStr(r) + " " + v);
    };
    TWinControl* e = Open(edMemoDropDown, "");
    UserType(e, "axb");
    EXPECT_EQ(e->Text(), "ab");
    EXPECT_EQ(changes, (std::vector<String>{"2,2 a", "2,2 ab"}));
    UserKey(e, VK_RETURN);
    EXPECT_EQ(Cell(), "ab");
}

// The colour picker: Home ends its edit where it is, Up and Down end it and move
// without asking the validation, Enter asks it.
TEST_F(DropDownEditorTest, ColourPickerKeys)
{
    int validations = 0;
    Grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++validations; };
    struct {
        WORD key;
        int row, validations;
    } cases[] = {{VK_HOME, ERow, 0}, {VK_UP, ERow - 1, 0}, {VK_DOWN, ERow + 1, 0}, {VK_RETURN, ERow, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.key));
        validations = 0;
        TWinControl* e = Open(edColorPickerDropDown, "x");
        ASSERT_TRUE(e && e->Visible());
        UserKey(e, c.key);
        EXPECT_FALSE(e->Visible());
        EXPECT_EQ(Grid->Row(), c.row);
        EXPECT_EQ(validations, c.validations);
        EXPECT_TRUE(Grid->Focused());
    }
}

}  // namespace
