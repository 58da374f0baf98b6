// The hint windows of the toolkit: the window a control asks for, shown without taking
// the focus and gone when the pointer leaves the part it was asked for, and the balloon
// tool tip that waits for the pointer to rest, asks for its text and pops.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/HintWindows.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"

namespace {

// A hint window of its own kind, to tell which class the toolkit made.
class TOtherHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    static THintWindow* Make(TComponent* AOwner) { return new TOtherHintWindow(AOwner); }
};

THintWindow* MakePlain(TComponent* AOwner) { return new THintWindow(AOwner); }

class HintWindows : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;
    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 300, 200);
        Edit = new TEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 120, 24);
        Form->Show();
        UserFocus(Edit);
    }
    void TearDown() override
    {
        Application->CancelHint();
        HintWindowClass = nullptr;
        delete Form;
    }
    THintInfo Request(THintWindowClass cls, const String& text)
    {
        THintInfo info;
        info.HintControl = Edit;
        info.HintWindowClass = cls;
        info.HintStr = text;
        info.HintPos = TPoint(40, 60);
        info.CursorRect = TRect(0, 0, 60, 24);
        return info;
    }
};

TEST_F(HintWindows, TheRequestedClassShowsWithoutTakingTheFocus)
{
    EXPECT_FALSE(ShowHintWindow(Request(nullptr, "plain tip")));
    ASSERT_TRUE(ShowHintWindow(Request(&MakePlain, "first")));
    THintWindow* w = ActiveHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Parent(), nullptr);
    EXPECT_EQ(TPoint(w->Left(), w->Top()), TPoint(40, 60));
    EXPECT_EQ(w->Caption(), "first");
    EXPECT_EQ(FindFocusedControl(), Edit);
    // Another class replaces the window; the application's class serves requests without one.
    ASSERT_TRUE(ShowHintWindow(Request(&TOtherHintWindow::Make, "second")));
    EXPECT_NE(dynamic_cast<TOtherHintWindow*>(ActiveHintWindow()), nullptr);
    HintWindowClass = &MakePlain;
    ASSERT_TRUE(ShowHintWindow(Request(nullptr, "third")));
    EXPECT_EQ(dynamic_cast<TOtherHintWindow*>(ActiveHintWindow()), nullptr);
    EXPECT_EQ(ActiveHintWindow()->Caption(), "third");
}

TEST_F(HintWindows, TheHintEndsWhereItsRequestSaid)
{
    struct Case {
        const char* name;
        std::function<void()> act;
        bool stays;
    } cases[] = {
        {"pointer inside the rectangle", [this] { HintPointerMoved(Edit, TPoint(50, 5)); }, true},
        {"pointer outside the rectangle", [this] { HintPointerMoved(Edit, TPoint(70, 5)); }, false},
        {"pointer over another control", [this] { HintPointerMoved(Form, TPoint(70, 5)); }, true},
        {"another control left", [this] { HideHintWindow(Form); }, true},
        {"its control left", [this] { HideHintWindow(Edit); }, false},
        {"cancelled", [] { Application->CancelHint(); }, false},
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(ShowHintWindow(Request(&MakePlain, "tip")));
        k.act();
        EXPECT_EQ(ActiveHintWindow() != nullptr, k.stays) << k.name;
    }
}

TEST_F(HintWindows, AChildHintWindowAndAPopUpAgain)
{
    THintWindow w(Form);
    w.SetParent(Form);
    w.ActivateHint(TRect(5, 6, 65, 26), "child");
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(TPoint(w.Left(), w.Top()), TPoint(5, 6));
    EXPECT_EQ(w.ClientToScreen(TPoint(0, 0)), Form->ClientToScreen(TPoint(5, 6)));
    w.SetParent(nullptr);
    w.ActivateHint(TRect(100, 120, 160, 140), "pop-up");
    EXPECT_EQ(w.ClientToScreen(TPoint(0, 0)), TPoint(100, 120));
    EXPECT_EQ(FindFocusedControl(), Edit);
}

// ---------------------------------------------------------------- balloon

TEST_F(HintWindows, BalloonWaitsAsksShowsAndPops)
{
    TBalloonToolTip tip(Form, Edit);
    std::vector<String> log;
    String answer = "";
    tip.OnGetText = [&](TBalloonToolTip* t, TPoint p, String& text) {
        log.push_back("ask " + IntToStr(p.X) + "," + IntToStr(p.Y));
        text = answer;
        t->SetTitle(ttiError, "Title");
    };
    tip.OnShowTip = [&](TObject*) { log.push_back("show"); };
    tip.OnPopTip = [&](TObject*) { log.push_back("pop"); };
    tip.SetDelays(300, -1, 4000);
    auto move = [&](int x, int y) {
        TMessage m{WM_MOUSEMOVE, 0, MAKELPARAM(x, y), 0};
        tip.RelayEvent(m);
    };
    auto fire = [&] { tip.Timer()->OnTimer(tip.Timer()); };
    move(20, 8);
    ASSERT_TRUE(tip.Timer()->Enabled());
    EXPECT_EQ(tip.Timer()->Interval(), 300u);
    // No text: nothing shows.
    fire();
    EXPECT_FALSE(tip.Showing());
    const TPoint s = Edit->ClientToScreen(TPoint(20, 8));
    EXPECT_EQ(log, (std::vector<String>{"ask " + IntToStr(s.X) + "," + IntToStr(s.Y)}));
    log.clear();
    answer = "Balloon text";
    move(21, 8);
    fire();
    ASSERT_TRUE(tip.Showing());
    EXPECT_EQ(tip.Text(), "Balloon text");
    EXPECT_EQ(tip.Icon(), ttiError);
    EXPECT_EQ(tip.Timer()->Interval(), 4000u);
    EXPECT_EQ(FindFocusedControl(), Edit);
    // Moves while it shows change nothing; the auto-hide delay pops it.
    move(40, 8);
    EXPECT_TRUE(tip.Showing());
    fire();
    EXPECT_FALSE(tip.Showing());
    EXPECT_EQ(log, (std::vector<String>{"ask " + IntToStr(s.X + 1) + "," + IntToStr(s.Y), "show", "pop"}));
    // After a balloon the next one waits only the reshow delay; leaving the tool resets that.
    move(50, 8);
    EXPECT_EQ(tip.Timer()->Interval(), unsigned(tip.ReshowDelay()));
    TMessage leave{CM_MOUSELEAVE, 0, 0, 0};
    tip.RelayEvent(leave);
    EXPECT_FALSE(tip.Timer()->Enabled());
    move(52, 8);
    EXPECT_EQ(tip.Timer()->Interval(), 300u);
}

}  // namespace
