// The styled page control: pages and tabs, the active page set by code and changed by
// the user (clicks, Ctrl+Tab) with its events in order, hidden and disabled tabs,
// captions, default colours, margins, close buttons with the closed-tab list, hover
// tracking, and pictures of the strip on every side.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gridedit/ExtPageControl.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/rtl/SysUtils.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

constexpr TColor kPanel = 15595512;   // the colour of the panel the control sits on

class PageControlTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TExtPageControl* PC = nullptr;
    std::vector<String> Log;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(360);
        Form->SetClientHeight(300);
        Form->SetColor(kPanel);
        PC = new TExtPageControl(Form);
        PC->SetName("ExtPageControl1");
        PC->SetParent(Form);
        PC->SetBounds(3, 0, 330, 280);
        PC->OnCanChange = [this](TObject*, int from, int to, bool& allow) {
            Log.push_back(Format("CanChange %d>%d", {from, to}));
            allow = AllowCanChange;
        };
        PC->OnChanging = [this](TObject*, bool& allow) {
            Log.push_back("Changing");
            allow = AllowChanging;
        };
        PC->OnChange = [this](TObject*) { Log.push_back("Change"); };
        Form->Show();
    }
    void TearDown() override { delete Form; }

    bool AllowCanChange = true;
    bool AllowChanging = true;

    TExtTabSheet* AddPage(const String& name, const String& caption)
    {
        auto* p = new TExtTabSheet(Form);
        p->SetName(name);
        p->SetCaption(caption);
        p->SetExtPageControl(PC);
        p->OnShow = [this, name](TObject*) { Log.push_back("Show " + name); };
        p->OnHide = [this, name](TObject*) { Log.push_back("Hide " + name); };
        p->OnCanClose = [this, name](TObject*, bool& can) {
            Log.push_back("CanClose " + name);
            can = AllowClose;
        };
        p->OnClose = [this, name](TObject*) { Log.push_back("Close " + name); };
        return p;
    }
    bool AllowClose = true;

    // Three pages A, B, C, built the way a window builds them, then loaded.
    void ThreePages()
    {
        AddPage("A", "  Alpha    ");
        AddPage("B", "  Beta    ");
        AddPage("C", "  Gamma    ");
        PC->Loaded();
        Log.clear();
    }
    // The look of the one window that uses the control: tabs on the left, flat tabs,
    // the active tab sky blue on the panel's colour.
    void PanelLook(TTabPosition pos)
    {
        PC->SetMultiLine(true);
        PC->SetTabPosition(pos);
        PC->SetTabStyle(tsDotNet);
        PC->SetDefaultTabColor(kPanel);
        PC->SetActiveColor(clSkyBlue);
        PC->SetTabBackGroundColor(kPanel);
        PC->TabMargin()->SetTopMargin(10);
        PC->TabMargin()->SetRightMargin(20);
        PC->SetTabOverlap(0);
        PC->SetLowerActive(0);
        for (TFont* f : {PC->Font(), PC->ActiveFont()}) {
            f->SetName("Verdana");
            f->SetHeight(-13);
        }
    }
    TPoint TabMid(int page)
    {
        const TRect r = PC->PageTabRect(page);
        return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickTab(int page)
    {
        const TPoint p = TabMid(page);
        UserClick(PC, p.X, p.Y);
        Pump();
    }
    void Pump() { Application->ProcessMessages(); }
    String Joined()
    {
        String s;
        for (const String& e : Log) s += (s.empty() ? "" : ", ") + e;
        return s;
    }
    String Active() { return PC->ActivePage() ? PC->ActivePage()->Name() : String("none"); }
    // The centre of the active page's close button.
    TPoint CloseMid()
    {
        for (int y = 0; y < PC->Height(); ++y)
            for (int x = 0; x < PC->Width(); ++x)
                if (PC->IsInCloseButton(PC->ActivePageIndex(), x, y)) return TPoint(x + 6, y + 5);
        ADD_FAILURE() << "no close button";
        return TPoint(0, 0);
    }
};

// ---------------------------------------------------------------- pages and tabs

TEST_F(PageControlTest, AttachedPagesGetTabsAndTheFirstBecomesActive)
{
    ThreePages();
    EXPECT_EQ(PC->PageCount(), 3);
    EXPECT_EQ(PC->Tabs()->Count(), 3);
    EXPECT_EQ(Active(), "A");
    EXPECT_TRUE(PC->GetPage(0)->Visible());
    EXPECT_FALSE(PC->GetPage(1)->Visible());
    EXPECT_EQ(PC->Version(), "1.4.0.0");
    // The page fills the display area beside the strip.
    const TRect d = PC->DisplayRect();
    EXPECT_EQ(PC->GetPage(0)->BoundsRect(), d);
}

TEST_F(PageControlTest, HighlightsReachTheStripOnceLoaded)
{
    TExtTabSheet* a = AddPage("A", "  Alpha    ");
    auto* b = new TExtTabSheet(Form);
    b->SetHighlighted(true);   // read before the page is attached: only stored
    b->SetExtPageControl(PC);
    EXPECT_FALSE(PC->Highlighted(1));
    PC->Loaded();
    EXPECT_TRUE(PC->Highlighted(1));
    a->SetHighlighted(true);
    EXPECT_TRUE(PC->Highlighted(0));
    a->SetHighlighted(false);
    EXPECT_FALSE(PC->Highlighted(0));
}

TEST_F(PageControlTest, HiddenTabsAreSkippedInTabIndicesHitsAndKeys)
{
    ThreePages();
    TExtTabSheet* b = PC->GetPage(1);
    b->SetTabVisible(false);
    EXPECT_EQ(PC->Tabs()->Count(), 2);
    EXPECT_EQ(PC->GetPage(2)->PageIndex(), 2);
    EXPECT_EQ(PC->GetPage(2)->TabIndex(), 1);
    EXPECT_EQ(b->TabIndex(), -1);
    const TRect second = PC->TabRect(1);
    EXPECT_EQ(PC->PageIndexAt(second.Left + 3, second.Top + 3), 2);
    EXPECT_EQ(PC->FindNextPage(PC->GetPage(0), true, false), b);
    EXPECT_EQ(PC->FindNextPage(PC->GetPage(0), true, true), PC->GetPage(2));
    // The start page is examined last: alone it is its own next page.
    EXPECT_EQ(PC->FindNextPage(PC->GetPage(0), false, true), PC->GetPage(2));

    // Ctrl+Tab from A goes to C; Ctrl+Shift+Tab from A wraps to the last visible page.
    // (The page asked for is the one under the mouse: here none.)
    UserMouseMove(PC, PC->Width() - 5, PC->Height() - 5);
    UserFocus(PC);
    UserKey(PC, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(Joined(), "CanChange 0>-1, Changing, Show C, Hide A, Change");
    PC->SetActivePage(PC->GetPage(0));
    UserKey(PC, VK_TAB, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(Active(), "C");
    UserKey(PC, VK_TAB, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(Active(), "A");
}

TEST_F(PageControlTest, PageIndexMovesTheTabAndRefusesOutsideTheList)
{
    ThreePages();
    TExtTabSheet* c = PC->GetPage(2);
    c->SetPageIndex(0);
    EXPECT_EQ(PC->GetPage(0), c);
    EXPECT_EQ(PC->Tabs()->Objects(0), c);
    EXPECT_EQ(Active(), "A");
    EXPECT_EQ(PC->Tabs()->Objects(PC->TabIndex()), PC->ActivePage());
    try {
        c->SetPageIndex(3);
        ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
    EXPECT_EQ(PC->GetPage(0), c);
}

TEST_F(PageControlTest, RemovingAPageActivatesTheOneAfterIt)
{
    ThreePages();
    // Detaching a page that is not active makes the page after it active.
    PC->GetPage(1)->SetExtPageControl(nullptr);
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(PC->PageCount(), 2);
    // Unless the page after it already is the active one.
    PC->SetActivePage(PC->GetPage(0));
    PC->GetPage(1)->SetExtPageControl(nullptr);
    EXPECT_EQ(Active(), "A");
    // A freed page leaves its control.
    delete PC->GetPage(0);
    EXPECT_EQ(PC->PageCount(), 0);
    EXPECT_EQ(Active(), "none");
    EXPECT_EQ(PC->TabIndex(), -1);
}

TEST_F(PageControlTest, CaptionsGiveTheStripItsMeasuringText)
{
    struct Case {
        const char* caption;
        bool showClose;
        const char* measuring;
    } cases[] = {
        {"ab", false, ""}, {"ab", true, "ab "}, {"x", false, ""}, {"Nodes     ", false, "Nodes   "},
        {"Variables     ", true, "Variables      "}, {"", true, " "},
    };
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    for (const Case& k : cases) {
        a->SetShowClose(k.showClose);
        a->SetCaption(k.caption);
        EXPECT_EQ(a->TabCaption(), k.measuring) << k.caption;
        EXPECT_EQ(PC->Tabs()->Strings(0), k.measuring) << k.caption;
    }
    // The platform's own drawing shows the whole caption.
    PC->SetTabBorder3D(true);
    EXPECT_EQ(PC->Tabs()->Strings(0), a->Caption());
    // A bold active font widens the active tab with blanks.
    PC->SetTabBorder3D(false);
    a->SetShowClose(false);
    a->SetCaption("  Wide caption text    ");
    const int plain = PC->TabRect(0).Width();
    PC->ActiveFont()->SetStyle(TFontStyles{fsBold});
    EXPECT_GT(PC->Tabs()->Strings(0).size(), a->TabCaption().size());
    EXPECT_GT(PC->TabRect(0).Width(), plain);
}

// ---------------------------------------------------------------- the active page

TEST_F(PageControlTest, ActivePageFromCodeFiresNoChangeEvents)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    TExtTabSheet* c = PC->GetPage(2);
    PC->SetActivePage(c);
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(PC->TabIndex(), 2);
    // The new page shows before the old one hides; nothing asks or tells of a change.
    EXPECT_EQ(Joined(), "Show C, Hide A");
    EXPECT_TRUE(c->Visible());
    EXPECT_FALSE(a->Visible());

    struct Case {
        const char* what;
        std::function<void()> act;
        const char* active;
        int tab;
        const char* log;
    };
    TExtPageControl other(Form);
    auto* foreign = new TExtTabSheet(Form);
    foreign->SetExtPageControl(&other);
    auto* loose = new TExtTabSheet(Form);
    const Case cases[] = {
        {"the active page again", [&] { PC->SetActivePage(c); }, "C", 2, ""},
        {"a page of another control", [&] { PC->SetActivePage(foreign); }, "C", 2, ""},
        {"a page without control", [&] { PC->SetActivePage(loose); }, "C", 2, ""},
        {"index outside the pages", [&] { PC->SetActivePageIndex(7); }, "none", -1, ""},
    };
    for (const Case& k : cases) {
        PC->SetActivePage(c);
        Log.clear();
        k.act();
        EXPECT_EQ(Active(), k.active) << k.what;
        EXPECT_EQ(PC->TabIndex(), k.tab) << k.what;
        EXPECT_EQ(Joined(), k.log) << k.what;
    }
    // No active page: nothing selected, and the page that was active stays visible.
    EXPECT_EQ(PC->ActivePageIndex(), -1);
    EXPECT_TRUE(c->Visible());
    delete foreign;
    delete loose;
}

TEST_F(PageControlTest, AFailingShowHandlerIsReportedAndThePagesStillChange)
{
    ThreePages();
    std::vector<String> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    PC->GetPage(1)->OnShow = [](TObject*) { throw Exception("show failed"); };
    PC->SetActivePage(PC->GetPage(1));
    Application->OnException = nullptr;
    EXPECT_EQ(reported, std::vector<String>{"show failed"});
    EXPECT_EQ(Active(), "B");
    EXPECT_TRUE(PC->GetPage(1)->Visible());
    EXPECT_FALSE(PC->GetPage(0)->Visible());
    EXPECT_EQ(Joined(), "Hide A");
}

TEST_F(PageControlTest, DisabledPagesCannotBecomeActive)
{
    ThreePages();
    TExtTabSheet* b = PC->GetPage(1);
    b->SetTabEnable(false);
    PC->SetActivePage(b);
    EXPECT_EQ(Active(), "A");
    EXPECT_EQ(Joined(), "");
    // A click on its tab is asked and told, the strip selects it, the page stays.
    ClickTab(1);
    EXPECT_EQ(Joined(), "CanChange 0>1, Changing, Change");
    EXPECT_EQ(PC->TabIndex(), 1);
    EXPECT_EQ(Active(), "A");
    EXPECT_TRUE(PC->GetPage(0)->Visible());
    EXPECT_FALSE(b->Visible());
    // Setting the active page again moves the strip's selection back to its tab.
    Log.clear();
    PC->SetActivePage(PC->ActivePage());
    EXPECT_EQ(PC->TabIndex(), 0);
    EXPECT_EQ(Joined(), "");
    // The active page cannot be disabled.
    try {
        PC->GetPage(0)->SetTabEnable(false);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Can not disable active tab.");
    }
    EXPECT_TRUE(PC->GetPage(0)->TabEnable());
}

TEST_F(PageControlTest, ClicksOnTabsAskThenChangeInOrder)
{
    ThreePages();
    struct Case {
        bool canChange, changing;
        const char* active;
        const char* log;
    } cases[] = {
        {true, true, "C", "CanChange 0>2, Changing, Show C, Hide A, Change"},
        {false, true, "A", "CanChange 0>2"},
        {true, false, "A", "CanChange 0>2, Changing"},
    };
    for (const Case& k : cases) {
        PC->SetActivePage(PC->GetPage(0));
        Log.clear();
        AllowCanChange = k.canChange;
        AllowChanging = k.changing;
        ClickTab(2);
        EXPECT_EQ(Active(), k.active);
        EXPECT_EQ(Joined(), k.log);
        EXPECT_EQ(PC->Tabs()->Objects(PC->TabIndex()), PC->ActivePage());
    }
    // A click beside the tabs changes nothing.
    Log.clear();
    AllowCanChange = AllowChanging = true;
    UserClick(PC, PC->Width() - 10, PC->Height() - 10);
    EXPECT_EQ(Joined(), "");
}

TEST_F(PageControlTest, SwitchingPagesMovesTheFocusToTheNewPage)
{
    ThreePages();
    auto* e1 = Make_Control<TEdit>(Form, PC->GetPage(0), "Edit1", 10, 10, 80, 21);
    auto* e2 = Make_Control<TEdit>(Form, PC->GetPage(1), "Edit2", 10, 10, 80, 21);
    auto* e3 = Make_Control<TEdit>(Form, PC->GetPage(1), "Edit3", 10, 40, 80, 21);
    (void)e3;
    UserFocus(e1);
    ASSERT_EQ(FindFocusedControl(), e1);
    PC->SetActivePage(PC->GetPage(1));
    EXPECT_EQ(FindFocusedControl(), e2);
    EXPECT_EQ(Form->ActiveControl(), e2);
    // Ctrl+Tab from a control inside a page moves on to the next page.
    UserKey(e2, VK_TAB, TShiftState{ssCtrl});
    EXPECT_EQ(Active(), "C");
    PC->SetActivePage(PC->GetPage(1));
    UserFocus(e2);
    // A page that cannot take the focus leaves it to the page control.
    PC->GetPage(2)->SetEnabled(false);
    PC->SetActivePage(PC->GetPage(2));
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(FindFocusedControl(), PC);
}

TEST_F(PageControlTest, KeysMoveTheActiveTabAsTheUserAsks)
{
    AddPage("A", "  &Alpha    ");
    AddPage("B", "  &Beta    ");
    AddPage("C", "  &Gamma    ");
    PC->Loaded();
    UserMouseMove(PC, PC->Width() - 5, PC->Height() - 5);
    UserFocus(PC);
    Log.clear();
    // An arrow key moves to the next tab, asked and told like a click.
    UserKey(PC, VK_RIGHT);
    EXPECT_EQ(Active(), "B");
    EXPECT_EQ(Joined(), "CanChange 0>-1, Changing, Show B, Hide A, Change");
    // An accelerator picks its tab, but not the tab of a disabled page.
    Log.clear();
    UserType(PC, "g");
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(Joined(), "CanChange 1>-1, Changing, Show C, Hide B, Change");
    PC->GetPage(0)->SetEnabled(false);
    Log.clear();
    UserType(PC, "a");
    EXPECT_EQ(Active(), "C");
    EXPECT_EQ(Joined(), "");
}

// ---------------------------------------------------------------- colours, flags, margins

TEST_F(PageControlTest, DefaultColoursReachOnlyPagesThatKeptTheOldDefault)
{
    PC->SetDefaultTabColor(clYellow);
    ThreePages();
    EXPECT_EQ(PC->GetPage(0)->TabColor(), clYellow);
    PC->GetPage(1)->SetTabColor(clRed);
    PC->SetDefaultTabColor(clLime);
    EXPECT_EQ(PC->GetPage(0)->TabColor(), clLime);
    EXPECT_EQ(PC->GetPage(1)->TabColor(), clRed);
    EXPECT_EQ(PC->GetPage(2)->TabColor(), clLime);
    PC->GetPage(2)->SetTextColor(clBlue);
    PC->SetDefaultTextColor(clMaroon);
    EXPECT_EQ(PC->GetPage(0)->TextColor(), clMaroon);
    EXPECT_EQ(PC->GetPage(2)->TextColor(), clBlue);
    PC->SetDefaultTabColorTo(clWhite);
    EXPECT_EQ(PC->GetPage(1)->TabColorTo(), clWhite);
}

TEST_F(PageControlTest, SplitLineAndStyleAreCheckedInOneOrderOnly)
{
    PC->SetTabSplitLine(true);
    PC->SetTabStyle(tsDotNet);   // accepted although the split line is on
    EXPECT_EQ(PC->TabStyle(), tsDotNet);
    PC->SetTabSplitLine(false);
    try {
        PC->SetTabSplitLine(true);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "TabSplitLine must be false when TabStyle is tsDotNet");
    }
    EXPECT_FALSE(PC->TabSplitLine());
}

TEST_F(PageControlTest, MarginsReserveRoomInTheTabs)
{
    std::vector<String> calls;
    TTabMargin m;
    m.OnMarginChange = [&](TMarginSize n, TMarginSize o, int i) { calls.push_back(Format("%d:%d>%d", {i, o, n})); };
    m.SetTopMargin(10);
    m.SetTopMargin(10);   // the same value calls nothing
    m.SetRightMargin(20);
    EXPECT_EQ(calls, (std::vector<String>{"1:0>10", "2:0>20"}));
    TTabMargin copy;
    copy.OnMarginChange = [&](TMarginSize, TMarginSize, int) { calls.push_back("copy"); };
    copy.Assign(&m);
    copy.Assign(PC);   // not a margin: nothing
    EXPECT_EQ(copy.TopMargin(), 10);
    EXPECT_EQ(copy.RightMargin(), 20);
    EXPECT_EQ(calls.size(), 2u);

    // The panel's page control: tabs left, margins 0, 10 and 20, no images.
    PanelLook(tpLeft);
    ThreePages();
    EXPECT_EQ(PC->ReservedImages()->Width(), 0);
    EXPECT_EQ(PC->ReservedImages()->Height(), 30);
    const int before = PC->TabRect(0).Height();
    PC->TabMargin()->SetRightMargin(30);
    EXPECT_EQ(PC->ReservedImages()->Height(), 40);
    EXPECT_EQ(PC->TabRect(0).Height(), before + 10);
    // Tabs on top count the left and right margins across.
    PC->SetTabPosition(tpTop);
    EXPECT_EQ(PC->ReservedImages()->Width(), 30);
    PC->TabMargin()->SetLeftMargin(5);
    EXPECT_EQ(PC->ReservedImages()->Width(), 35);
}

// ---------------------------------------------------------------- close buttons

TEST_F(PageControlTest, TheCloseButtonClosesTheActivePageIntoTheClosedList)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    a->SetShowClose(true);
    // Refused by OnCanClose: nothing happens.
    AllowClose = false;
    TPoint p = CloseMid();
    UserClick(PC, p.X, p.Y);
    EXPECT_EQ(Joined(), "CanClose A");
    EXPECT_EQ(PC->PageCount(), 3);
    AllowClose = true;
    Log.clear();
    UserClick(PC, p.X, p.Y);
    EXPECT_EQ(Joined(), "CanClose A, Close A, Show B, Hide A");
    EXPECT_EQ(Active(), "B");
    EXPECT_EQ(PC->PageCount(), 2);
    EXPECT_EQ(a->ExtPageControl(), nullptr);
    ASSERT_EQ(PC->ClosedTabCount(), 1);
    EXPECT_EQ(PC->ClosedTab(0), a);

    // Back as the last page; the entry stays, so closing it again lists it twice and
    // reopening finds the first entry.
    EXPECT_TRUE(PC->OpenClosedTab("A"));
    EXPECT_EQ(PC->GetPage(2), a);
    EXPECT_EQ(PC->ClosedTabCount(), 1);
    EXPECT_FALSE(PC->OpenClosedTab("Nothing"));
    PC->SetActivePage(a);
    p = CloseMid();
    UserClick(PC, p.X, p.Y);
    EXPECT_EQ(PC->ClosedTabCount(), 2);
    EXPECT_TRUE(PC->OpenClosedTab("A"));
    EXPECT_EQ(PC->GetPage(PC->PageCount() - 1), a);
    PC->OpenAllClosedTabs();   // already attached: stays where it is
    EXPECT_EQ(PC->PageCount(), 3);
}

TEST_F(PageControlTest, AFreedPageNeverStaysInTheClosedList)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    a->SetShowClose(true);
    const TPoint p = CloseMid();
    UserClick(PC, p.X, p.Y);
    ASSERT_EQ(PC->ClosedTabCount(), 1);
    // Its owner frees the closed page: reopening must not reach it.
    delete a;
    EXPECT_EQ(PC->ClosedTabCount(), 0);
    EXPECT_FALSE(PC->OpenClosedTab("A"));
    PC->OpenAllClosedTabs();
    EXPECT_EQ(PC->PageCount(), 2);

    // With FreeOnClose the page is freed and never listed.
    PC->SetFreeOnClose(true);
    TExtTabSheet* b = PC->GetPage(0);
    b->SetShowClose(true);
    ASSERT_EQ(PC->ActivePage(), b);
    const TPoint q = CloseMid();
    UserClick(PC, q.X, q.Y);
    EXPECT_EQ(Form->FindComponent("B"), nullptr);
    EXPECT_EQ(PC->PageCount(), 1);
    EXPECT_EQ(PC->ClosedTabCount(), 0);
    EXPECT_EQ(Active(), "C");
}

TEST_F(PageControlTest, OnlyAPressOnTheCloseButtonCloses)
{
    ThreePages();
    PC->GetPage(0)->SetShowClose(true);
    const TPoint p = CloseMid();
    // A press elsewhere on the strip, released over the button.
    gui_input::Mouse(PC, WM_LBUTTONDOWN, PC->Width() - 5, p.Y, TShiftState());
    gui_input::Mouse(PC, WM_LBUTTONUP, p.X, p.Y, TShiftState());
    EXPECT_EQ(PC->PageCount(), 3);
    EXPECT_EQ(Joined(), "");
    // A press on the button released beside it.
    gui_input::Mouse(PC, WM_LBUTTONDOWN, p.X, p.Y, TShiftState());
    gui_input::Mouse(PC, WM_LBUTTONUP, PC->Width() - 5, p.Y, TShiftState());
    EXPECT_EQ(PC->PageCount(), 3);
    // The right button never closes.
    UserRightClick(PC, p.X, p.Y);
    EXPECT_EQ(PC->PageCount(), 3);
}

// The drawn button and the place that reacts to the mouse are one, on every side and
// with the active tab's contents lowered.
TEST_F(PageControlTest, TheCloseButtonReactsWhereItIsDrawn)
{
    PanelLook(tpTop);
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    a->SetShowClose(true);
    struct Case {
        TTabPosition pos;
        int lower, topMargin;
    } cases[] = {{tpTop, 2, 0}, {tpBottom, 2, 0}, {tpLeft, 2, 10}, {tpLeft, 0, 10}, {tpRight, 0, 10}, {tpRight, 3, 0}};
    for (const Case& k : cases) {
        PC->SetTabPosition(k.pos);
        PC->SetLowerActive(k.lower);
        PC->TabMargin()->SetTopMargin(k.topMargin);
        PC->SetActivePage(a);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(PC, "pagecontrol_closehit.png", png));
        TRect tab = PC->PageTabRect(a->PageIndex());
        InflateRect(tab, 2, 2);
        // The white inside of the drawn box.
        int l = PC->Width(), t = PC->Height(), r = -1, b = -1;
        for (int y = std::max(0, tab.Top); y < tab.Bottom; ++y)
            for (int x = std::max(0, tab.Left); x < tab.Right; ++x)
                if (png.Canvas()->Pixels(x, y) == clWhite) {
                    l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
                }
        ASSERT_GE(r, 0) << k.pos;
        EXPECT_EQ(r - l, 9) << k.pos;
        EXPECT_EQ(b - t, 8) << k.pos;
        EXPECT_TRUE(PC->IsInCloseButton(a->PageIndex(), l, t)) << k.pos << " " << k.lower;
        EXPECT_TRUE(PC->IsInCloseButton(a->PageIndex(), r, b)) << k.pos << " " << k.lower;
        UserClick(PC, r, b);
        EXPECT_EQ(a->ExtPageControl(), nullptr) << k.pos << " " << k.lower;
        ASSERT_TRUE(PC->OpenClosedTab("A"));
    }
}

TEST_F(PageControlTest, HoverTracksTabsAndTheCloseButtonOnlyWithAHoverColour)
{
    ThreePages();
    PC->GetPage(0)->SetShowClose(true);
    const TPoint p = CloseMid();
    const TPoint b = TabMid(1);
    UserMouseMove(PC, p.X, p.Y);
    UserMouseMove(PC, b.X, b.Y);
    EXPECT_FALSE(PC->CloseButtonHot());
    EXPECT_EQ(PC->HoveredTab(), -1);
    UserMouseMove(PC, p.X, p.Y);
    EXPECT_FALSE(PC->CloseButtonHot());

    PC->SetTabHoverColor(clYellow);
    UserMouseMove(PC, b.X, b.Y);
    EXPECT_EQ(PC->HoveredTab(), 1);
    EXPECT_FALSE(PC->CloseButtonHot());
    UserMouseMove(PC, p.X, p.Y);
    EXPECT_EQ(PC->HoveredTab(), 0);
    EXPECT_TRUE(PC->CloseButtonHot());
    UserMouseMove(PC, PC->Width() - 5, PC->Height() - 5);
    EXPECT_EQ(PC->HoveredTab(), -1);
    EXPECT_FALSE(PC->CloseButtonHot());
}

// ---------------------------------------------------------------- pictures

TEST_F(PageControlTest, GradientsStepFromOneColourToOneStepShortOfTheOther)
{
    TBitmap bmp(160, 20);
    struct Case {
        int dir, steps;
        TPoint probe;
        TColor expect;
    } cases[] = {
        {gdHorizontal, 16, {5, 5}, RGB(0, 0, 0)},      {gdHorizontal, 16, {155, 5}, RGB(150, 0, 0)},
        {gdHorizontal, 16, {75, 5}, RGB(70, 0, 0)},    {gdVertical, 2, {5, 4}, RGB(0, 0, 0)},
        {gdVertical, 2, {5, 15}, RGB(80, 0, 0)},       {gdHorizontal, 0, {155, 5}, RGB(0, 0, 0)},
    };
    for (const Case& k : cases) {
        bmp.Canvas()->Brush()->SetColor(clWhite);
        bmp.Canvas()->FillRect(Rect(0, 0, 160, 20));
        TExtPageControl::DrawGradient(bmp.Canvas(), RGB(0, 0, 0), RGB(160, 0, 0), k.dir, Rect(0, 0, 160, 20), k.steps);
        EXPECT_EQ(bmp.Canvas()->Pixels(k.probe.X, k.probe.Y), k.expect) << k.dir << " " << k.steps;
    }
}

// The strip on each side: tabs on that side, the active tab in its colour, the others in
// the default tab colour, and the page beside the strip.
TEST_F(PageControlTest, PicturesOfTheStripOnEverySide)
{
    struct Case {
        TTabPosition pos;
        TTabStyle style;
        bool round;
        const char* file;
    } cases[] = {
        {tpTop, tsDotNet, false, "pagecontrol_top.png"},
        {tpBottom, tsDotNet, false, "pagecontrol_bottom.png"},
        {tpLeft, tsDotNet, false, "pagecontrol_left.png"},
        {tpRight, tsDotNet, false, "pagecontrol_right.png"},
        {tpTop, tsClassic, true, "pagecontrol_classic_top.png"},
        {tpBottom, tsClassic, true, "pagecontrol_classic_bottom.png"},
        {tpLeft, tsClassic, true, "pagecontrol_classic_left.png"},
        {tpRight, tsClassic, true, "pagecontrol_classic_right.png"},
    };
    PanelLook(tpLeft);
    AddPage("A", "  Nodes    ");
    AddPage("B", "  Variables    ");
    AddPage("C", "  Other    ");
    PC->Loaded();
    PC->SetActivePage(PC->GetPage(1));
    for (const Case& k : cases) {
        PC->SetTabPosition(k.pos);
        PC->SetTabStyle(k.style);
        PC->SetRoundEdges(k.round);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(PC, k.file, png)) << k.file;
        const TRect active = PC->PageTabRect(1);
        const TRect other = PC->PageTabRect(2);
        const TRect d = PC->DisplayRect();
        // The strip lies on its side, the pages on the other.
        switch (k.pos) {
        case tpTop: EXPECT_LE(active.Bottom, d.Top) << k.file; break;
        case tpBottom: EXPECT_GE(active.Top, d.Bottom) << k.file; break;
        case tpLeft: EXPECT_LE(active.Right, d.Left) << k.file; break;
        case tpRight: EXPECT_GE(active.Left, d.Right) << k.file; break;
        }
        // Most of the active tab is sky blue, the others the panel's colour, no sky blue
        // fill (only their two separator lines).
        const int area = active.Width() * active.Height();
        EXPECT_GT(Count_Pixels(png, active, clSkyBlue), area / 2) << k.file;
        EXPECT_GT(Count_Pixels(png, other, kPanel), other.Width() * other.Height() / 2) << k.file;
        EXPECT_LT(Count_Pixels(png, other, clSkyBlue), other.Width() * other.Height() / 4) << k.file;
        // The frame of the page area is grey.
        EXPECT_GT(Count_Pixels(png, Rect(0, 0, PC->Width(), PC->Height()), clGray), PC->Width()) << k.file;
        // Captions are drawn: dark pixels inside the active tab.
        EXPECT_GT(Count_Pixels(png, active, [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; }),
                  10)
            << k.file;
    }
}

TEST_F(PageControlTest, PictureOfAHotCloseButton)
{
    PanelLook(tpTop);
    PC->TabMargin()->SetTopMargin(0);
    PC->SetTabHoverColor(clYellow);
    ThreePages();
    PC->GetPage(0)->SetShowClose(true);
    const TPoint p = CloseMid();
    TRect box = Rect(p.X - 6, p.Y - 5, p.X + 6, p.Y + 6);
    TBitmap normal, hot, down;
    ASSERT_TRUE(SNAPSHOT(PC, "pagecontrol_close.png", normal));
    UserMouseMove(PC, p.X, p.Y);
    ASSERT_TRUE(PC->CloseButtonHot());
    ASSERT_TRUE(SNAPSHOT(PC, "pagecontrol_close_hot.png", hot));
    gui_input::Mouse(PC, WM_LBUTTONDOWN, p.X, p.Y, TShiftState());
    ASSERT_TRUE(SNAPSHOT(PC, "pagecontrol_close_down.png", down));
    // Normal: a white box framed grey with a black cross; hot: framed black with a grey
    // cross; pressed: silver inside.
    const int frame = 2 * 12 + 2 * 9;
    EXPECT_GE(Count_Pixels(normal, box, clGray), frame);
    EXPECT_GT(Count_Pixels(normal, box, clBlack), 10);
    EXPECT_GE(Count_Pixels(hot, box, clBlack), frame);
    EXPECT_GT(Count_Pixels(hot, box, clGray), 10);
    EXPECT_GT(Count_Pixels(hot, box, clWhite), 30);
    EXPECT_GT(Count_Pixels(down, box, clSilver), 30);
    EXPECT_EQ(Count_Pixels(down, box, clWhite), 0);
    // The active tab keeps its colour around the button.
    const TRect tab = PC->PageTabRect(0);
    EXPECT_GT(Count_Pixels(hot, tab, clSkyBlue), tab.Width() * tab.Height() / 3);
    gui_input::Mouse(PC, WM_LBUTTONUP, PC->Width() - 5, PC->Height() - 5, TShiftState());
}

// ---------------------------------------------------------------- painting details

class PageControlPaintTest : public PageControlTest {
protected:
    void SetUp() override
    {
        PageControlTest::SetUp();
        PanelLook(tpTop);
        PC->TabMargin()->SetTopMargin(0);
    }
    TBitmap& Shot(const String& name)
    {
        Pictures.push_back(std::make_unique<TBitmap>());
        EXPECT_TRUE(SNAPSHOT(PC, name, *Pictures.back()));
        return *Pictures.back();
    }
    std::vector<std::unique_ptr<TBitmap>> Pictures;
    static bool Reddish(TColor c) { return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60; }
    static bool Greyish(TColor c)
    {
        const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
        return std::abs(r - g) < 8 && std::abs(g - b) < 8 && r > 60 && r < 190;
    }
};

TEST_F(PageControlPaintTest, TabFillsFollowTheirColours)
{
    PC->SetDefaultTabColor(clYellow);
    ThreePages();
    TExtTabSheet* b = PC->GetPage(1);
    b->SetTabColor(RGB(0, 0, 0));
    b->SetTabColorTo(RGB(160, 0, 0));
    b->SetTabGradientDirection(gdHorizontal);
    TExtTabSheet* c = PC->GetPage(2);
    c->SetTabColor(RGB(0, 0, 200));
    TBitmap& png = Shot("pagecontrol_fills.png");
    TRect rb = PC->PageTabRect(1), rc = PC->PageTabRect(2);
    // A gradient's last band stops one step short of its end colour.
    EXPECT_EQ(Count_Pixels(png, rb, RGB(160, 0, 0)), 0);
    EXPECT_GT(Count_Pixels(png, rb, RGB(150, 0, 0)), 10);
    EXPECT_GT(Count_Pixels(png, rb, RGB(0, 0, 0)), 10);
    // Without an end colour the tab is flat.
    EXPECT_GT(Count_Pixels(png, rc, RGB(0, 0, 200)), rc.Width() * rc.Height() / 2);
    // An active tab without an active colour takes its own tab colour.
    PC->SetActiveColor(clNone);
    TBitmap& own = Shot("pagecontrol_fills_noactive.png");
    const TRect ra = PC->PageTabRect(0);
    EXPECT_GT(Count_Pixels(own, ra, clYellow), ra.Width() * ra.Height() / 2);
    EXPECT_EQ(Count_Pixels(own, ra, clSkyBlue), 0);
}

TEST_F(PageControlPaintTest, ImagesGetRoomAndAreDrawnInTheirTabs)
{
    ThreePages();
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    TBitmap pic(16, 16);
    pic.Canvas()->Brush()->SetColor(clRed);
    pic.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images.Add(&pic);
    const int before = PC->TabRect(1).Width();
    PC->SetImages(&images);
    EXPECT_EQ(PC->ReservedImages()->Width(), 16 + 20);
    EXPECT_EQ(PC->TabRect(1).Width(), before + 16);
    PC->GetPage(1)->SetImageIndex(0);
    PC->GetPage(2)->SetImageIndex(-5);
    EXPECT_EQ(PC->GetPage(2)->ImageIndex(), -1);
    TBitmap& png = Shot("pagecontrol_images.png");
    EXPECT_EQ(Count_Pixels(png, PC->PageTabRect(1), clRed), 16 * 16);
    EXPECT_EQ(Count_Pixels(png, PC->PageTabRect(2), clRed), 0);
    // The platform's drawing shows the real image, the whole caption and no own colours.
    PC->SetTabBorder3D(true);
    TBitmap& plain = Shot("pagecontrol_border3d.png");
    EXPECT_EQ(Count_Pixels(plain, PC->TabRect(1), clRed), 16 * 16);
    EXPECT_EQ(Count_Pixels(plain, Rect(0, 0, PC->Width(), PC->Height()), clSkyBlue), 0);
    EXPECT_EQ(PC->Tabs()->Strings(1), PC->GetPage(1)->Caption());
    PC->SetImages(nullptr);
    EXPECT_EQ(PC->ReservedImages()->Width(), 20);
}

TEST_F(PageControlPaintTest, TabPicturesReplaceFillsAndOutlines)
{
    ThreePages();
    auto picture = [](TColor c) {
        auto b = std::make_unique<TBitmap>(24, 30);
        b->Canvas()->Brush()->SetColor(c);
        b->Canvas()->FillRect(Rect(0, 0, 24, 30));
        b->Canvas()->SetPixels(0, 29, clFuchsia);   // the transparent colour
        return b;
    };
    PC->SetTabBackGround(picture(clLime).get());
    PC->SetTabBackGroundActive(picture(clBlue).get());
    for (TTabPosition pos : {tpTop, tpBottom, tpLeft, tpRight}) {
        PC->SetTabPosition(pos);
        TBitmap& png = Shot("pagecontrol_pictures.png");
        const TRect a = PC->PageTabRect(0), b = PC->PageTabRect(1);
        EXPECT_GT(Count_Pixels(png, a, clBlue), a.Width() * a.Height() / 3) << pos;
        EXPECT_GT(Count_Pixels(png, b, clLime), b.Width() * b.Height() / 3) << pos;
        EXPECT_EQ(Count_Pixels(png, Rect(0, 0, PC->Width(), PC->Height()), clFuchsia), 0) << pos;
        EXPECT_EQ(Count_Pixels(png, a, clSkyBlue), 0) << pos;
    }
}

TEST_F(PageControlPaintTest, HoveredTabsTakeTheHoverColourAndFrame)
{
    ThreePages();
    PC->SetTabHoverColor(clYellow);
    PC->SetTabHoverBorder(clRed);
    const TRect b = PC->PageTabRect(1);
    UserMouseMove(PC, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    TBitmap& png = Shot("pagecontrol_hover.png");
    EXPECT_GT(Count_Pixels(png, b, clYellow), b.Width() * b.Height() / 2);
    EXPECT_GT(Count_Pixels(png, Rect(b.Left - 1, b.Top - 2, b.Right + 1, b.Bottom + 1), clRed), b.Width());
    // The active tab is never framed as hovered.
    const TRect a = PC->PageTabRect(0);
    UserMouseMove(PC, (a.Left + a.Right) / 2, (a.Top + a.Bottom) / 2);
    TBitmap& onActive = Shot("pagecontrol_hover_active.png");
    EXPECT_EQ(Count_Pixels(onActive, Rect(0, 0, PC->Width(), PC->Height()), clRed), 0);
    EXPECT_EQ(Count_Pixels(onActive, b, clYellow), 0);
}

TEST_F(PageControlPaintTest, DisabledCaptionsAreGrey)
{
    ThreePages();
    TExtTabSheet* b = PC->GetPage(1);
    b->SetTextColor(clRed);
    const TRect r = PC->PageTabRect(1);
    TBitmap& enabled = Shot("pagecontrol_enabled.png");
    EXPECT_GT(Count_Pixels(enabled, r, Reddish), 5);
    b->SetTabEnable(false);
    TBitmap& disabled = Shot("pagecontrol_disabled.png");
    EXPECT_EQ(Count_Pixels(disabled, r, Reddish), 0);
    EXPECT_GT(Count_Pixels(disabled, r, Greyish), 5);
}

// Where a caption's far end lies in its tab: the right-most dark column for tabs on top,
// the top-most dark row for tabs on the left (captions read upwards there).
TEST_F(PageControlPaintTest, TheCloseButtonMovesTheCaption)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    auto farEnd = [&](TBitmap& png, bool left) {
        const TRect r = PC->PageTabRect(0);
        int best = left ? r.Bottom : r.Left;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const TColor c = png.Canvas()->Pixels(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 200) continue;
                best = left ? std::min(best, y - r.Bottom) : std::max(best, x - r.Left);
            }
        return best;
    };
    const int top = farEnd(Shot("pagecontrol_caption_top.png"), false);
    a->SetShowClose(true);
    EXPECT_EQ(farEnd(Shot("pagecontrol_caption_top_close.png"), false), top + 14);
    a->SetShowClose(false);
    PC->TabMargin()->SetTopMargin(10);
    PC->SetTabPosition(tpLeft);
    const int left = farEnd(Shot("pagecontrol_caption_left.png"), true);
    a->SetShowClose(true);
    EXPECT_EQ(farEnd(Shot("pagecontrol_caption_left_close.png"), true), left - 13);
}

// An ampersand marks an accelerator on tabs on top (drawn as an underline) and is drawn
// as it stands on tabs on a side.
TEST_F(PageControlPaintTest, AmpersandsInCaptions)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    auto ink = [&](const String& caption, const String& name) {
        a->SetCaption(caption);
        const TRect r = PC->PageTabRect(0);
        return Count_Pixels(Shot(name), r, [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; });
    };
    const int plainTop = ink("  AB    ", "pagecontrol_amp_plain_top.png");
    const int markedTop = ink("  A&B    ", "pagecontrol_amp_top.png");
    EXPECT_LT(std::abs(markedTop - plainTop), 12);
    PC->SetTabPosition(tpLeft);
    const int plainLeft = ink("  AB    ", "pagecontrol_amp_plain_left.png");
    const int markedLeft = ink("  A&B    ", "pagecontrol_amp_left.png");
    EXPECT_GT(markedLeft - plainLeft, 15);
}

TEST_F(PageControlPaintTest, WithoutVisibleTabsTheStripStillShows)
{
    PC->SetTabPosition(tpLeft);
    PC->SetTabBackGroundColor(clYellow);
    ThreePages();
    for (int i = 0; i < 3; ++i) PC->GetPage(i)->SetTabVisible(false);
    EXPECT_EQ(PC->Tabs()->Count(), 0);
    TBitmap& png = Shot("pagecontrol_notabs.png");
    // A strip two pixels wide on the tab side, then the grey frame.
    EXPECT_EQ(Count_Pixels(png, Rect(0, 0, 2, PC->Height() - 1), clYellow), 2 * (PC->Height() - 1));
    EXPECT_GT(Count_Pixels(png, Rect(2, 0, 3, PC->Height()), clGray), PC->Height() - 4);
}

TEST_F(PageControlPaintTest, APageGradientReachesTheControlsEdges)
{
    ThreePages();
    TExtTabSheet* a = PC->GetPage(0);
    a->SetColor(clWhite);
    a->SetColorTo(RGB(0, 0, 255));
    TBitmap& png = Shot("pagecontrol_pagegradient.png");
    const TRect d = PC->DisplayRect();
    // The page itself: white at the top, short of pure blue at the bottom.
    EXPECT_EQ(png.Canvas()->Pixels(d.Left + 20, d.Top), clWhite);
    const TColor bottom = png.Canvas()->Pixels(d.Left + 20, d.Bottom - 1);
    EXPECT_NE(bottom, RGB(0, 0, 255));
    EXPECT_GT(GetBValue(bottom), 200);
    EXPECT_LT(GetRValue(bottom), 30);
    // The band around it: plain page colour at the top, the gradient down the sides.
    EXPECT_EQ(png.Canvas()->Pixels(PC->Width() / 2, d.Top - 1), clWhite);
    const TColor side = png.Canvas()->Pixels(PC->Width() - 3, d.Bottom - 10);
    EXPECT_GT(GetBValue(side), 200);
    EXPECT_LT(GetRValue(side), 60);
}

TEST_F(PageControlPaintTest, ACloseGlyphIsClippedToTheButton)
{
    ThreePages();
    PC->GetPage(0)->SetShowClose(true);
    TBitmap glyph(20, 20);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 0, 20, 20));
    glyph.Canvas()->SetPixels(0, 19, clBlue);   // the transparent colour
    PC->SetCloseGlyph(&glyph);
    TBitmap& png = Shot("pagecontrol_glyph.png");
    const TRect all = Rect(0, 0, PC->Width(), PC->Height());
    EXPECT_EQ(Count_Pixels(png, all, clRed), 12 * 11);
    // The hot look shows the same glyph.
    PC->SetTabHoverColor(clYellow);
    const TPoint p = CloseMid();
    UserMouseMove(PC, p.X, p.Y);
    ASSERT_TRUE(PC->CloseButtonHot());
    EXPECT_EQ(Count_Pixels(Shot("pagecontrol_glyph_hot.png"), all, clRed), 12 * 11);
}

TEST_F(PageControlPaintTest, TheFocusFrameShowsOnlyWhileFocused)
{
    ThreePages();
    PC->SetShowFocus(true);
    const TRect r = PC->PageTabRect(0);
    auto dark = [](TColor c) { return c == clBlack; };
    auto* elsewhere = Make_Control<TEdit>(Form, Form, "Elsewhere", 335, 0, 20, 21);
    UserFocus(elsewhere);
    ASSERT_FALSE(PC->Focused());
    const int without = Count_Pixels(Shot("pagecontrol_nofocus.png"), r, dark);
    UserFocus(PC);
    ASSERT_TRUE(PC->Focused());
    const int with = Count_Pixels(Shot("pagecontrol_focus.png"), r, dark);
    EXPECT_GT(with, without + 20);
    PC->SetShowFocus(false);
    EXPECT_EQ(Count_Pixels(Shot("pagecontrol_focus_off.png"), r, dark), without);
}

}
