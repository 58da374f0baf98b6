// The pop-up window: a press anywhere outside it deactivates it before its target hears
// the press, presses inside it (or in a pop-up it owns) do not, and the user's sizing by
// the bottom-right corner keeps to the least size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/PopupWindow.h"
#include "tests/common/UserInput.h"

namespace {

class PressLog : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<String>* Log = nullptr;

protected:
    void MouseDown(TMouseButton, TShiftState, int, int) override { Log->push_back("press " + Name()); }
};

TEST(PopupWindow, APressOutsideDeactivatesItFirst)
{
    Application->Initialize();
    std::vector<String> log;
    TForm* form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 100);
    auto* other = Make_Control<PressLog>(form, form, "other", 10, 10, 50, 20);
    other->Log = &log;
    form->Show();
    TPopupWindow* popup = new TPopupWindow(form);
    popup->SetBounds(0, 0, 100, 60);
    auto* inner = Make_Control<PressLog>(popup, popup, "inner", 0, 0, 50, 20);
    inner->Log = &log;
    TPopupWindow* nested = new TPopupWindow(popup);
    nested->SetBounds(0, 0, 40, 40);
    auto* deep = Make_Control<PressLog>(nested, nested, "deep", 0, 0, 20, 20);
    deep->Log = &log;
    popup->OnDeactivate = [&](TObject*) { log.push_back("deactivate popup"); };
    nested->OnDeactivate = [&](TObject*) { log.push_back("deactivate nested"); };

    // Hidden pop-ups hear nothing.
    UserClick(other);
    EXPECT_EQ(log, std::vector<String>({"press other"}));
    log.clear();
    popup->DropDownAt(other);
    nested->Show();
    UserClick(inner);
    UserClick(deep);
    // A press in the pop-up deactivates the pop-up it owns; one in the owned pop-up
    // leaves its owner alone.
    EXPECT_EQ(log, std::vector<String>({"deactivate nested", "press inner", "press deep"}));
    log.clear();
    UserClick(other);
    EXPECT_EQ(log, std::vector<String>({"deactivate nested", "deactivate popup", "press other"}));
    delete form;
}

// The shown pop-up's window is on the screen, where it was placed, and goes with Hide.
TEST(PopupWindow, ItsWindowShowsOnTheScreen)
{
    Application->Initialize();
    TPopupWindow* popup = new TPopupWindow(nullptr);
    popup->SetBounds(130, 140, 90, 60);
    const auto shown = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->geometry() == QRect(130, 140, 90, 60)) return true;
        return false;
    };
    EXPECT_FALSE(shown());
    popup->Show();
    EXPECT_TRUE(shown());
    popup->Hide();
    EXPECT_FALSE(shown());
    delete popup;
}

TEST(PopupWindow, TheUserSizesTheBottomRightCorner)
{
    Application->Initialize();
    TPopupWindow* popup = new TPopupWindow(nullptr);
    popup->SetBounds(100, 100, 120, 80);
    popup->SetMinSize(80, 50);
    int sizing = 0;
    popup->OnSizing = [&](TObject*) { ++sizing; };
    // Not while hidden.
    popup->BeginSizing(TPoint(219, 179));
    EXPECT_FALSE(popup->Sizing());
    popup->Show();
    popup->BeginSizing(popup->ClientToScreen(TPoint(119, 79)));
    ASSERT_TRUE(popup->Sizing());
    UserMouseMove(popup, 139, 99, TShiftState{ssLeft});
    EXPECT_EQ(popup->Width(), 140);
    EXPECT_EQ(popup->Height(), 100);
    UserRelease(popup, 0, 0);
    EXPECT_FALSE(popup->Sizing());
    EXPECT_EQ(popup->Width(), 80);
    EXPECT_EQ(popup->Height(), 50);
    EXPECT_EQ(sizing, 2);
    delete popup;
}

}
