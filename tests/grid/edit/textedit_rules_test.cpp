// Rules of the text editor that a user meets at the edges: a second decimal separator
// only over the first, and the end-of-edit report when the focus leaves.
#include <vector>

#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class TextEditRulesTest : public ExtGridTest {
protected:
    TEdit* Other = nullptr;
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(5, 4);
        Grid->SetOptions(Grid->Options() << goEditing);
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(0, 302, 100, 16);
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        UserFocus(Grid);
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        ExtGridTest::TearDown();
    }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(Focused(), k, s); }
    void Type(const String& t)
    {
        for (char ch : t) UserType(Focused(), String(1, ch));
    }
    void EditEmpty(int c, int r)
    {
        Grid->FocusCell(c, r, true);
        Key(VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        Key('A', TShiftState{ssCtrl});
        Key(VK_BACK);
    }
};

}  // namespace

TEST_F(TextEditRulesTest, ASecondDecimalSeparatorOnlyReplacesTheFirst)
{
    Grid->DefaultEditor = edPositiveFloat;
    struct Case {
        const char* What;
        std::vector<std::pair<WORD, TShiftState>> Select;   // keys after typing "12.5"
        const char* Typed;
        const char* Stored;
    } cases[] = {
        {"at the end", {}, ".7", "12.57"},
        {"a minus", {}, "-", "12.5"},
        {"over the separator", {{VK_HOME, {}}, {VK_RIGHT, {}}, {VK_RIGHT, {}}, {VK_RIGHT, TShiftState{ssShift}}}, ".", "12.5"},
        {"over the separator and more", {{VK_HOME, {}}, {VK_RIGHT, {}}, {VK_RIGHT, TShiftState{ssShift}}, {VK_RIGHT, TShiftState{ssShift}}}, ".", "1.5"},
        {"over digits only", {{VK_HOME, {}}, {VK_RIGHT, TShiftState{ssShift}}}, ".", "12.5"},
    };
    for (const Case& c : cases) {
        EditEmpty(2, 2);
        Type("12.5");
        for (const auto& [k, s] : c.Select) Key(k, s);
        Type(c.Typed);
        Key(VK_RETURN);
        EXPECT_EQ(Grid->GetCellEx(2, 2), c.Stored) << c.What;
    }
}

TEST_F(TextEditRulesTest, LeavingTheGridAfterAnEditReportsItOnceWithTheRealColumn)
{
    Grid->HideColumn(1);   // shown column 2 is real column 3
    std::vector<String> done;
    Grid->OnEditCellDone = [&](TObject*, int c, int r) {
        done.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", Grid->GetCellEx(c, r)));
    };
    EditEmpty(2, 2);
    Type("new");
    UserFocus(Other);
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
    EXPECT_EQ(done, std::vector<String>{"3,2 new"});
}
