// Standard controls driven like a user: mouse and keys through the window procedure,
// edits, combo boxes, alignment and the category panel group.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"

namespace {

class Fixture : public ::testing::Test {
protected:
    TForm* Form = new TForm(nullptr);
    ~Fixture() override { delete Form; }
    template <class T>
    T* Add(int l, int t, int w, int h)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(l, t, w, h);
        return c;
    }
};

using Mouse = Fixture;

TEST_F(Mouse, PerformedMouseMessagesReachTheEventsWithPositionAndShift)
{
    auto* panel = Add<TPanel>(10, 10, 100, 60);
    String log;
    panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log += Format("down %d %d,%d%s;", {int(b), x, y, String(s.Contains(ssShift) ? " shift" : "")});
    };
    panel->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) { log += Format("up %d %d,%d;", {int(b), x, y}); };
    panel->OnClick = [&](TObject*) { log += "click;"; };
    panel->OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
        log += Format("move %d,%d%s;", {x, y, String(s.Contains(ssLeft) ? " left" : "")});
    };
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 7));
    panel->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 8));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
    EXPECT_EQ(log, "down 0 5,7 shift;move 6,8 left;up 0 6,8;click;");
    log.clear();
    // Released outside: no click. A right button press is no click either.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(-3, 200));
    panel->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));
    panel->Perform(WM_RBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(log, "down 0 5,7;up 0 -3,200;down 1 1,1;up 1 1,1;");
    EXPECT_EQ(GetKeyState(VK_SHIFT) < 0, false);
}

TEST_F(Mouse, WheelGoesToTheFormFirstThenUpTheParents)
{
    auto* panel = Add<TPanel>(0, 0, 100, 100);
    auto* inner = new TPanel(Form);
    inner->SetParent(panel);
    String log;
    panel->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
        log += Format("panel %d;", {d});
        handled = true;
    };
    UserWheel(inner, -120);
    EXPECT_EQ(log, "panel -120;");
    log.clear();
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
        log += "form;";
        handled = true;
    };
    UserWheel(inner, 120);
    EXPECT_EQ(log, "form;");
}

using Edits = Fixture;

TEST_F(Edits, KeyPressFilterDropsAndChangesCharacters)
{
    auto* edit = Add<TEdit>(0, 0, 100, 21);
    // The hexadecimal key filter: digits and a-f pass (shown upper case), control
    // characters pass, the rest is dropped.
    edit->OnKeyPress = [](TObject*, WideChar& k) {
        if (k >= 'a' && k <= 'f') k = WideChar(k - 32);
        else if (!((k >= '0' && k <= '9') || (k >= 'A' && k <= 'F') || k <= 32)) k = 0;
    };
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    struct Case {
        String Typed;
        String Expected;
    };
    const Case cases[] = {{"12ab", "12AB"}, {"x.yZ9", "9"}, {"", ""}, {"f f", "F F"}};
    for (const Case& c : cases) {
        edit->SetText("");
        changes = 0;
        UserType(edit, c.Typed);
        EXPECT_EQ(edit->Text(), c.Expected) << c.Typed;
        EXPECT_EQ(changes, int(c.Expected.size())) << c.Typed;
    }
    // The messages alone, sent with Perform, take the same path.
    edit->SetText("");
    edit->Perform(WM_CHAR, 'c', 0);
    edit->Perform(WM_CHAR, 'q', 0);
    EXPECT_EQ(edit->Text(), "C");
    // Backspace is a character too: it deletes, unless the filter drops it.
    UserKey(edit, VK_BACK);
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(Edits, MaxLengthAndCharCaseHold)
{
    auto* edit = Add<TEdit>(0, 0, 100, 21);
    struct Case {
        int MaxLength;
        TEditCharCase Case;
        String Typed;
        String Expected;
    };
    const Case cases[] = {
        {4, ecNormal, "abcdef", "abcd"},
        {0, ecUpperCase, "mixed Case 1", "MIXED CASE 1"},
        {3, ecLowerCase, "ABCD", "abc"},
        {8, ecUpperCase, "0a1b2c3d4e", "0A1B2C3D"},
    };
    for (const Case& c : cases) {
        edit->SetMaxLength(c.MaxLength);
        edit->SetCharCase(c.Case);
        edit->SetText("");
        UserType(edit, c.Typed);
        EXPECT_EQ(edit->Text(), c.Expected) << c.Typed;
    }
    // Text set by code keeps its length (the limit is for typing), but takes the case.
    edit->SetMaxLength(4);
    edit->SetCharCase(ecUpperCase);
    edit->SetText("abcdefgh");
    EXPECT_EQ(edit->Text(), "ABCDEFGH");
    // Typing over a selection replaces it within the limit.
    edit->SetText("ab");
    edit->SelectAll();
    UserType(edit, "wxyz12");
    EXPECT_EQ(edit->Text(), "WXYZ");
}

TEST_F(Edits, ReadOnlyEditTakesNoTyping)
{
    auto* edit = Add<TEdit>(0, 0, 100, 21);
    edit->SetText("230");
    edit->SetReadOnly(true);
    UserType(edit, "9");
    UserKey(edit, VK_BACK);
    EXPECT_EQ(edit->Text(), "230");
}

// How the focus arrives decides what typing does: from the keyboard (Tab, Shift+Tab, a
// key handler moving it on) the edit selects its text and typing replaces it; a click
// places the caret where it lands, with nothing selected even while it is entered; an
// edit without AutoSelect keeps its caret.
TEST_F(Edits, FocusFromTheKeyboardSelectsTheTextAClickPlacesTheCaret)
{
    auto* before = Add<TEdit>(0, 0, 100, 21);
    auto* edit = Add<TEdit>(0, 30, 100, 21);
    auto* after = Add<TEdit>(0, 60, 100, 21);
    int selectedOnEnter = -1;
    edit->OnEnter = [&](TObject*) { selectedOnEnter = edit->SelLength(); };
    // The octet chain's way: a full stop moves the focus on.
    before->OnKeyPress = [&](TObject*, WideChar& k) {
        if (k == '.') {
            k = 0;
            edit->SetFocus();
        }
    };
    Form->Show();
    struct Case {
        const char* How;
        bool AutoSelect;
        std::function<void()> Enter;
        String Typed;   // "10" typed into "192"
    };
    const Case cases[] = {
        {"Tab", true, [&] { UserFocus(before); UserKey(before, VK_TAB); }, "10"},
        {"Shift+Tab", true, [&] { UserFocus(after); UserKey(after, VK_TAB, TShiftState{ssShift}); }, "10"},
        {"a key handler moves the focus", true, [&] { UserFocus(before); UserType(before, "."); }, "10"},
        {"click at the text's end", true, [&] { UserFocus(before); UserClick(edit, 95, 10); }, "19210"},
        {"click before the text", true, [&] { UserFocus(before); UserClick(edit, 1, 10); }, "10192"},
        {"Tab without AutoSelect", false, [&] { UserFocus(before); UserKey(before, VK_TAB); }, "19210"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.How);
        edit->SetText("192");
        edit->SetAutoSelect(c.AutoSelect);
        selectedOnEnter = -1;
        c.Enter();
        ASSERT_TRUE(edit->Focused());
        const int selected = c.Typed == "10" ? 3 : 0;
        EXPECT_EQ(selectedOnEnter, selected);
        EXPECT_EQ(edit->SelLength(), selected);
        UserType(edit, "10");
        EXPECT_EQ(edit->Text(), c.Typed);
    }
    Form->Hide();
}

using Combos = Fixture;

TEST_F(Combos, DropDownListPicksItemsOnly)
{
    auto* cb = Add<TComboBox>(0, 0, 120, 21);
    cb->SetStyle(csDropDownList);
    for (const char* s : {"AS923", "AU915", "EU868", "US915"}) cb->Items()->Add(s);
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_EQ(cb->Text(), "");
    String log;
    cb->OnChange = [&](TObject*) { log += "change " + cb->Text() + ";"; };
    cb->SetItemIndex(2);   // by code: no event
    EXPECT_EQ(cb->Text(), "EU868");
    cb->SetText("AU915");
    EXPECT_EQ(cb->ItemIndex(), 1);
    cb->SetText("nothing like it");
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_EQ(log, "");
    cb->SetItemIndex(0);
    UserKey(cb, VK_DOWN);   // the user steps to the next item
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(log, "change AU915;");
    // Refilling the list keeps the selection when it still exists; clearing drops it.
    cb->Items()->Add("KR920");
    EXPECT_EQ(cb->ItemIndex(), 1);
    cb->Items()->Clear();
    EXPECT_EQ(cb->ItemIndex(), -1);
}

TEST_F(Combos, DropDownTakesTypedText)
{
    auto* cb = Add<TComboBox>(0, 0, 120, 21);
    cb->SetStyle(csDropDown);
    cb->Items()->Add("Fixed");
    cb->Items()->Add("Variable");
    int changes = 0;
    cb->OnChange = [&](TObject*) { ++changes; };
    cb->SetItemIndex(1);
    EXPECT_EQ(cb->Text(), "Variable");
    cb->SetText("");
    UserType(cb, "Fix");
    EXPECT_EQ(cb->Text(), "Fix");
    EXPECT_EQ(cb->ItemIndex(), -1);   // typed text that is no item
    EXPECT_EQ(changes, 3);
    UserType(cb, "ed");
    EXPECT_EQ(cb->Text(), "Fixed");
    EXPECT_EQ(cb->Items()->IndexOf(cb->Text()), 0);
}

TEST_F(Combos, TheOpenListIsAsWideAsItsWidestItemWithTabsExpanded)
{
    auto* cb = Add<TComboBox>(0, 0, 60, 21);
    for (const char* s : {"0 -\tLoRa: SF12/125kHz 250 [bit/s]", "13 - LoRa: SF7/500kHz", "7"}) cb->Items()->Add(s);
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*cb->Font());
    TRect widest = Rect(0, 0, 0, 0);
    measure.Canvas()->DrawText(cb->Items()->Strings(0), widest, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    Form->Show();
    // Both styles; a width asked for that is wider still is kept.
    for (auto [style, asked] : {std::pair{csDropDownList, 0}, std::pair{csDropDown, 0},
                                std::pair{csDropDown, widest.Width() + 100}}) {
        SCOPED_TRACE(Format("style %d, asked %d", {int(style), asked}));
        cb->SetStyle(style);
        cb->SetDroppedWidth(asked);
        UserFocus(cb);
        UserKey(cb, VK_F4);
        ASSERT_TRUE(cb->DroppedDown());
        EXPECT_GE(cb->DroppedControlRect().Width(), std::max(widest.Width(), asked));
        cb->SetDroppedDown(false);
        EXPECT_TRUE(cb->DroppedControlRect().IsEmpty());
    }
}

// A list wider than its box opens under the box from its left edge, or, when asked, from
// its right edge towards the left.
TEST_F(Combos, AWideListOpensTowardsTheLeftWhenAlignedRight)
{
    auto* cb = Add<TComboBox>(200, 0, 80, 21);
    cb->SetStyle(csDropDownList);
    for (const char* s : {"Time Point", "VIF is in ASCII"}) cb->Items()->Add(s);
    cb->SetDroppedWidth(240);
    Form->Show();
    const int left = cb->ClientToScreen(TPoint(0, 0)).X, right = cb->ClientToScreen(TPoint(cb->Width(), 0)).X;
    for (bool aligned : {false, true}) {
        SCOPED_TRACE(aligned ? "aligned right" : "as placed");
        cb->SetDropRightAligned(aligned);
        cb->SetDroppedDown(true);
        const TRect list = cb->DroppedControlRect();
        ASSERT_GE(list.Width(), 240);
        if (aligned) EXPECT_EQ(list.Right, right);
        else EXPECT_EQ(list.Left, left);
        cb->SetDroppedDown(false);
    }
}

// While its list is open the keys go to the list's window; the box hears them as the
// platform's box does: they pick items, Enter and Esc close the list without reaching
// the dialog's default and cancel buttons, and F4 closes it as it opened it.
TEST_F(Combos, KeysTypedIntoTheOpenListReachTheBox)
{
    auto* cb = Add<TComboBox>(0, 0, 120, 21);
    cb->SetStyle(csDropDownList);
    for (const char* s : {"AS923", "AU915", "EU868", "US915"}) cb->Items()->Add(s);
    cb->SetItemIndex(0);
    String log;
    cb->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { log += "key " + IntToStr(k) + ";"; };
    cb->OnChange = [&](TObject*) { log += "change " + cb->Text() + ";"; };
    auto* ok = Add<TButton>(0, 40, 75, 25);
    ok->SetDefault(true);
    ok->OnClick = [&](TObject*) { log += "ok;"; };
    auto* cancel = Add<TButton>(80, 40, 75, 25);
    cancel->SetCancel(true);
    cancel->OnClick = [&](TObject*) { log += "cancel;"; };
    Form->Show();
    UserFocus(cb);
    auto type_into_list = [](int key) {
        QWidget* list = QApplication::activePopupWidget();
        ASSERT_NE(list, nullptr);
        QWidget* to = list->focusWidget() ? list->focusWidget() : list;
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier), up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(to, &down);
        QApplication::sendEvent(to, &up);
    };
    const struct {
        int Closing_Key;
        const char* Log;
    } cases[] = {
        {Qt::Key_Return, "key 40;change AU915;key 13;"},
        {Qt::Key_Escape, "key 40;change EU868;key 27;"},
        {Qt::Key_F4, "key 40;change US915;key 115;"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Log);
        log.clear();
        UserKey(cb, VK_F4);
        ASSERT_TRUE(cb->DroppedDown());
        type_into_list(Qt::Key_Down);
        EXPECT_TRUE(cb->DroppedDown());
        type_into_list(k.Closing_Key);
        EXPECT_FALSE(cb->DroppedDown());
        EXPECT_EQ(log, String("key 115;") + k.Log);
    }
    EXPECT_EQ(cb->ItemIndex(), 3);
}

using Buttons = Fixture;

TEST_F(Buttons, CheckBoxAndRadioButtonsClickAndGroupByParent)
{
    auto* check = Add<TCheckBox>(0, 0, 100, 17);
    int clicks = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    UserClick(check);
    EXPECT_TRUE(check->Checked());
    check->SetChecked(false);   // by code: OnClick too, as the toolkit does
    EXPECT_EQ(clicks, 2);
    check->SetChecked(false);
    EXPECT_EQ(clicks, 2);

    auto* r1 = Add<TRadioButton>(0, 20, 100, 17);
    auto* r2 = Add<TRadioButton>(0, 40, 100, 17);
    auto* box = Add<TGroupBox>(0, 60, 150, 60);
    auto* r3 = new TRadioButton(Form);
    r3->SetParent(box);
    r1->SetChecked(true);
    r3->SetChecked(true);   // another parent: another group
    UserClick(r2);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(r3->Checked());
}

using Layout = Fixture;

TEST_F(Layout, AlignedChildrenShareTheClientAreaAndAnchorsFollowResizes)
{
    Form->SetClientWidth(400);
    Form->SetClientHeight(300);
    auto* title = Add<TPanel>(0, 0, 10, 69);
    title->SetAlign(alTop);
    auto* buttons = Add<TPanel>(0, 0, 10, 40);
    buttons->SetAlign(alBottom);
    auto* body = Add<TPanel>(0, 0, 10, 10);
    body->SetAlign(alClient);
    EXPECT_EQ(title->BoundsRect(), Rect(0, 0, 400, 69));
    EXPECT_EQ(buttons->BoundsRect(), Rect(0, 260, 400, 300));
    EXPECT_EQ(body->BoundsRect(), Rect(0, 69, 400, 260));
    auto* ok = new TButton(Form);
    ok->SetParent(buttons);
    ok->SetBounds(280, 6, 110, 28);
    ok->SetAnchors(TAnchors{akTop, akRight});
    Form->SetClientWidth(460);
    EXPECT_EQ(ok->Left(), 340);
    EXPECT_EQ(body->Width(), 460);
    buttons->Hide();
    EXPECT_EQ(body->BoundsRect(), Rect(0, 69, 460, 300));
}

using Categories = Fixture;

TEST_F(Categories, CollapsingRestacksAndTheGroupScrolls)
{
    auto* group = Add<TCategoryPanelGroup>(0, 0, 300, 400);
    std::vector<TCategoryPanel*> panels;
    for (int h : {100, 150, 80}) {
        auto* p = new TCategoryPanel(Form);
        p->SetParent(group);
        p->SetHeight(h);
        panels.push_back(p);
    }
    auto tops = [&] {
        std::vector<int> t;
        for (auto* p : panels) t.push_back(p->Visible() ? p->Top() : -1);
        return t;
    };
    EXPECT_EQ(tops(), (std::vector<int>{0, 100, 250}));
    panels[0]->Collapse();
    EXPECT_EQ(panels[0]->Height(), 24);
    EXPECT_EQ(tops(), (std::vector<int>{0, 24, 174}));
    panels[0]->SetHeight(120);   // a collapsed panel keeps its header height
    EXPECT_EQ(panels[0]->Height(), 24);
    panels[0]->Expand();
    EXPECT_EQ(tops(), (std::vector<int>{0, 120, 270}));
    panels[1]->Hide();
    EXPECT_EQ(tops(), (std::vector<int>{0, -1, 120}));
    panels[1]->Show();
    // Setting a panel's top moves it in the stack, as top-aligned panels do.
    panels[2]->SetTop(0);
    EXPECT_EQ(tops(), (std::vector<int>{80, 200, 0}));
    // A click on a header collapses its panel.
    UserClick(panels[2], 10, 5);
    EXPECT_TRUE(panels[2]->Collapsed());
    EXPECT_EQ(tops(), (std::vector<int>{24, 144, 0}));
    // Taller than the group: a scroll bar, the wheel and WM_VSCROLL scroll.
    panels[2]->Expand();
    EXPECT_EQ(group->ScrollRange(), 350);
    EXPECT_FALSE(group->VertScrollBar()->Visible());
    group->SetHeight(200);
    EXPECT_TRUE(group->VertScrollBar()->Visible());
    EXPECT_EQ(panels[0]->Width(), 300 - 17);
    UserWheel(panels[1], -120);
    EXPECT_GT(group->ScrollPos(), 0);
    EXPECT_EQ(panels[2]->Top(), -group->ScrollPos());
    group->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(group->ScrollPos(), 150);
    EXPECT_EQ(panels[1]->Top() + panels[1]->Height(), 200);
    group->Perform(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(group->ScrollPos(), 150 - group->LineSize());
    // Children of a panel sit below its header.
    auto* edit = new TEdit(Form);
    edit->SetParent(panels[0]);
    edit->SetBounds(191, 5, 100, 21);
    EXPECT_EQ(panels[0]->ClientHeight(), 120 - 24);
    EXPECT_EQ(edit->ClientToScreen(TPoint(0, 0)).Y - panels[0]->ClientToScreen(TPoint(0, 0)).Y, 5);
    // A panel freed on its own leaves the stack.
    delete panels[1];
    panels.erase(panels.begin() + 1);
    group->SetScrollPos(0);
    EXPECT_EQ(group->PanelCount(), 2);
    EXPECT_EQ(tops(), (std::vector<int>{80, 0}));
}

using Pages = Fixture;

TEST_F(Pages, SheetsStayBelowTheTabBarWhenItsHeightFollowsTheCaptions)
{
    auto* pc = Add<TPageControl>(0, 0, 300, 200);
    auto* s = new TTabSheet(Form);
    s->SetPageControl(pc);   // no caption yet: the bar is as low as it gets
    s->SetCaption("Uplink");
    pc->Font()->SetSize(14);
    s->SetCaption("Downlink");
    EXPECT_GT(pc->DisplayRect().Top, 0);
    EXPECT_EQ(s->Top(), pc->DisplayRect().Top);
    EXPECT_EQ(s->Height(), pc->DisplayRect().Height());
}

TEST_F(Pages, PageControlShowsOneSheetAndTabsFollowVisibility)
{
    auto* pc = Add<TPageControl>(0, 0, 300, 200);
    std::vector<TTabSheet*> sheets;
    for (const char* cap : {"Language", "Connection", "Settings"}) {
        auto* s = new TTabSheet(Form);
        s->SetPageControl(pc);
        s->SetCaption(cap);
        sheets.push_back(s);
    }
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    pc->SetActivePageIndex(2);
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_TRUE(sheets[2]->Visible());
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SelectNextPage(true);   // skips the hidden tab
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    EXPECT_EQ(changes, 1);
    delete sheets[0];
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), sheets[2]);
}

TEST_F(Fixture, LinkLabelReportsTheLinkUnderTheClick)
{
    auto* link = Add<TLinkLabel>(0, 0, 10, 10);
    link->SetCaption("Update: <a href=\"http://127.0.0.1/download\">new version</a>");
    EXPECT_EQ(link->PlainText(), "Update: new version");
    String clicked;
    link->OnLinkClick = [&](TObject*, const String& l, TSysLinkType) { clicked = l; };
    UserClick(link, 2, 3);   // on the plain text
    EXPECT_EQ(clicked, "");
    UserClick(link, link->Width() - 2, 3);
    EXPECT_EQ(clicked, "http://127.0.0.1/download");
}

TEST_F(Fixture, ImagePlacesItsPicture)
{
    auto* img = Add<TImage>(0, 0, 100, 50);
    TBitmap pic(40, 20);
    img->Picture()->SetBitmap(&pic);
    struct Case {
        bool Stretch, Proportional, Center;
        TRect Expected;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 40, 20)},
        {false, false, true, Rect(30, 15, 70, 35)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const Case& c : cases) {
        img->SetStretch(c.Stretch);
        img->SetProportional(c.Proportional);
        img->SetCenter(c.Center);
        EXPECT_EQ(img->DestRect(), c.Expected);
    }
    img->SetBounds(0, 0, 100, 100);   // proportional keeps the 2:1 shape
    EXPECT_EQ(img->DestRect(), Rect(0, 25, 100, 75));
}

TEST_F(Fixture, ListBoxAndPopupMenu)
{
    auto* list = Add<TListBox>(0, 0, 100, 100);
    list->Items()->Add("one");
    list->Items()->Add("two");
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->SetItemIndex(1);   // by code: no click
    EXPECT_EQ(clicks, 0);
    UserKey(list, VK_UP);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);

    auto* menu = new TPopupMenu(Form);
    String picked;
    menu->Items()->Add(NewItem(Form, "&Copy", [&](TObject*) { picked = "copy"; }));
    menu->Items()->Add(NewItem(Form, "Paste", [&](TObject*) { picked = "paste"; }));
    list->SetPopupMenu(menu);
    TInteractionScript script;
    script.PickMenu("Copy");
    UserRightClick(list);
    EXPECT_EQ(picked, "copy");
    EXPECT_EQ(script.Problems(), "");
}

}// ---------------------------------------------------------------- window-procedure hook

using WindowProcHook = Fixture;

// A procedure put in front of an edit hears typed keys, sent, posted and focus messages
// before the edit; what it keeps never reaches the edit, what it passes on does; put
// back, the edit alone hears its messages again.
TEST_F(WindowProcHook, TheProcedureInFrontHearsEveryMessageFirstAndPassesOnWhatItLeaves)
{
    auto* edit = Add<TEdit>(10, 10, 120, 22);
    auto* other = Add<TEdit>(10, 40, 120, 22);
    Form->Show();
    UserFocus(other);
    std::vector<unsigned> heard;
    String order;
    edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { order += "edit "; };
    EXPECT_FALSE(edit->WindowProcHooked());
    TControl::TWndMethod own = edit->WindowProc();
    edit->SetWindowProc([&](TMessage& m) {
        heard.push_back(m.Msg);
        if (m.Msg == WM_KEYDOWN) order += "hook ";
        // Characters "x" are kept from the edit.
        if (m.Msg == WM_CHAR && m.WParam == 'x') return;
        own(m);
    });
    EXPECT_TRUE(edit->WindowProcHooked());
    UserFocus(edit);
    UserType(edit, "axb");
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(order, "hook edit hook edit hook edit ");
    const unsigned mine = RegisterWindowMessage("WindowProcHookTest");
    SendMessage(edit->Handle(), mine, 1, 0);
    PostMessage(edit->Handle(), mine, 2, 0);
    Application->ProcessMessages();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), mine), 2);
    EXPECT_NE(std::find(heard.begin(), heard.end(), unsigned(WM_SETFOCUS)), heard.end());

    edit->SetWindowProc(nullptr);
    EXPECT_FALSE(edit->WindowProcHooked());
    heard.clear();
    UserType(edit, "x");
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(edit->Text(), "abx");
}


