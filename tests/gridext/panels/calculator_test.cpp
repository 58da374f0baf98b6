// The calculator as the user works it: buttons clicked on the pad, keys typed into its
// display and into the pad, the pad's layout and mouse, and a picture of it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gridext/panels/CalculatorPanel.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class CalculatorTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TCalculatorPanel* Calc = nullptr;
    std::vector<String> Closes;

    void SetUp() override
    {
        Application->Initialize();
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        Form = new TForm(nullptr);
        Form->SetClientWidth(250);
        Form->SetClientHeight(200);
        Calc = Make_Control<TCalculatorPanel>(Form, Form, "Calc", 10, 10, 230, 174);
        Calc->Display()->OnCloseRequest = [this](bool Cancel) { Closes.push_back(Cancel ? "cancel" : "ok"); };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        delete Form;
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
    }
    String Shown() const { return Calc->Display()->Text(); }
    // A click in the middle of the pad's button with the given caption.
    void Press(const String& caption)
    {
        TCustomButtonPanel* pad = Calc->Pad();
        for (int i = 0; i < pad->Buttons()->Count(); ++i) {
            TButtonItem* b = pad->Buttons()->Items(i);
            if (b->Caption() != caption) continue;
            const TRect r = b->BoundsRect();
            UserClick(pad, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            return;
        }
        ADD_FAILURE() << "no button " << caption;
    }
};

std::vector<String> Split(const String& s)
{
    std::vector<String> r;
    size_t i = 0;
    while (i < s.size()) {
        size_t j = s.find(' ', i);
        if (j == String::npos) j = s.size();
        if (j > i) r.push_back(s.substr(i, j - i));
        i = j + 1;
    }
    return r;
}

// ---------------------------------------------------------------- buttons

TEST_F(CalculatorTest, ButtonSequencesShowTheirDisplayAfterEachClick)
{
    struct Case {
        const char* name;
        const char* keys;     // captions of the buttons clicked, in order
        const char* shown;    // the display after each click
    };
    const Case cases[] = {
        {"add", "1 2 + 3 =", "1.00 12.00 12.00 3.00 15.00"},
        {"chain", "8 - 3 * 2 / 5 =", "8.00 8.00 3.00 5.00 2.00 10.00 5.00 2.00"},
        {"divide by zero, then a new number", "7 / 0 = 4 + 1 =", "7.00 7.00 0.00 Error 4.00 4.00 1.00 5.00"},
        {"decimals keep two places", "5 . 2 5 9 1", "5.00 5.00 5.20 5.25 5.26 5.26"},
        {"decimal first", ". 5", "0.00 0.50"},
        {"percent of the accumulator", "2 0 0 + 1 0 % =", "2.00 20.00 200.00 200.00 1.00 10.00 20.00 220.00"},
        {"memory", "4 2 MS C MR M+ M+ MR MC MR", "4.00 42.00 42.00 0.00 42.00 42.00 42.00 126.00 126.00 0.00"},
        {"back without an operation", "1 2 3 Back Back", "1.00 12.00 123.00 12.00 1.00"},
        {"back with an operation pending", "1 2 + 3 Back", "1.00 12.00 12.00 3.00 3.00"},
        {"square root", "1 6 sqrt", "1.00 16.00 4.00"},
        {"square root of a negative", "4 +/- sqrt", "4.00 -4.00 Error"},
        {"reciprocal", "4 1/x 1/x", "4.00 0.25 4.00"},
        {"reciprocal of zero", "0 1/x", "0.00 Error"},
        {"a negative number grows away from zero", "5 +/- 2 . 5", "5.00 -5.00 -52.00 -52.00 -52.50"},
        {"sign of Error stays", "0 1/x +/-", "0.00 Error Error"},
        {"square root of Error starts from 0", "0 1/x sqrt", "0.00 Error 0.00"},
        {"decimals past any display", "5 . 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 =",
         "5.00 5.00 5.10 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 5.11 "
         "5.11 5.11 5.11 5.11 5.11"},
        {"clear ends the pending operation", "9 + C 2 =", "9.00 9.00 0.00 2.00 2.00"},
        {"clear entry and the unlabelled button", "9 * 3 CE 4 = ", "9.00 9.00 3.00 0.00 4.00 4.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Press("C");
        Calc->Engine().Opened();
        const auto keys = Split(c.keys);
        const auto shown = Split(c.shown);
        ASSERT_EQ(keys.size(), shown.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            Press(keys[i]);
            EXPECT_EQ(Shown(), shown[i]) << "after " << keys[i] << " (click " << i + 1 << ")";
        }
    }
    // The unlabelled button clears like C.
    Press("5");
    const int on = Calc->ButtonIndex("BTN_ON");
    const TRect r = Calc->Pad()->Buttons()->Items(on)->BoundsRect();
    UserClick(Calc->Pad(), r.Left + 5, r.Top + 5);
    EXPECT_EQ(Shown(), "0.00");
    EXPECT_EQ(Calc->Engine().Prevop(), -1);
}

TEST_F(CalculatorTest, ResultsPastTheNumberRangeShowErrorNotAPlausibleNumber)
{
    struct Case {
        const char* name;
        double first;
        const char* op;
        double second;
    };
    for (const Case& c : {Case{"multiply", 1e300, "*", 1e300}, Case{"add", 1.7e308, "+", 1.7e308},
                          Case{"subtract", -1.7e308, "-", 1.7e308}, Case{"divide", 1e300, "/", 1e-300}}) {
        SCOPED_TRACE(c.name);
        Press("C");
        Calc->Engine().SetValue(c.first);
        Press(c.op);
        Calc->Engine().SetValue(c.second);
        Press("=");
        EXPECT_EQ(Shown(), "Error");
        EXPECT_EQ(Calc->Engine().Prevval(), 0);
        // The calculator goes on: Error counts as 0.
        Press("+");
        Press("2");
        Press("=");
        EXPECT_EQ(Shown(), "2.00");
    }
    // Memory plus past the range keeps the memory.
    Calc->Engine().SetValue(1.7e308);
    Press("MS");
    Press("M+");
    EXPECT_EQ(Calc->Engine().Memory(), 1.7e308);
}

TEST_F(CalculatorTest, ValueWritesAndReadsTheDisplay)
{
    Calc->Engine().SetValue(1234567.891);
    EXPECT_EQ(Shown(), "1234567.89");
    Calc->Display()->SetText("");
    EXPECT_EQ(Calc->Engine().Value(), 0);
    EXPECT_EQ(Shown(), "0.00");
    Calc->Display()->SetText("abc");
    EXPECT_EQ(Calc->Engine().Value(), 0);
    // A display that is no number stops the operator with the conversion error and
    // leaves the calculator as it was.
    EXPECT_THROW(Calc->Engine().ButtonClick(ctAdd), EConvertError);
    EXPECT_EQ(Calc->Engine().Prevop(), -1);
}

TEST_F(CalculatorTest, ThousandSeparatorsAreShownAndReadBack)
{
    Calc->Display()->SetShowThousandSeparator(true);
    Calc->Engine().SetValue(1234.5);
    EXPECT_EQ(Shown(), "1,234.50");
    Press("MS");
    Press("+");
    Press("1");
    Press("=");
    EXPECT_EQ(Shown(), "1,235.50");
    Press("MR");
    EXPECT_EQ(Shown(), "1,234.50");
    Calc->Engine().SetValue(-1234567);
    EXPECT_EQ(Shown(), "-1,234,567.00");
    Calc->Display()->SetShowThousandSeparator(false);
    EXPECT_EQ(Shown(), "-1234567.00");
}

TEST_F(CalculatorTest, ADisplayAtItsMaximumLengthTakesNoMoreDigits)
{
    Calc->Display()->SetMaxLength(6);
    for (const char* k : {"1", "2", "3"}) Press(k);
    EXPECT_EQ(Shown(), "123.00");
    Press("4");
    Press(".");
    Press("+/-");
    EXPECT_EQ(Shown(), "123.00");
    // A new number replaces the full display.
    Press("+");
    Press("1");
    EXPECT_EQ(Shown(), "1.00");
    Press("=");
    EXPECT_EQ(Shown(), "124.00");
}

// ---------------------------------------------------------------- keys

TEST_F(CalculatorTest, KeysInTheClosedEditRunOperatorsAndTypeOnlyNumbers)
{
    TCalculatorDisplay* d = Calc->Display();
    Calc->Pad()->Hide();
    UserFocus(d);
    d->SetText("12");
    UserType(d, "+");
    EXPECT_EQ(Shown(), "12.00");
    EXPECT_EQ(Calc->Engine().Prevop(), 0);
    UserType(d, "x");
    EXPECT_EQ(Shown(), "12.00");
    d->SetText("3");
    UserKey(d, VK_RETURN);
    EXPECT_EQ(Shown(), "15.00");
    // A new number replaces the display, the caret after its digit.
    UserType(d, "7");
    EXPECT_EQ(Shown(), "7.00");
    EXPECT_EQ(d->SelStart(), 1);
    UserType(d, "4");
    EXPECT_EQ(Shown(), "74.00");
    // A second decimal separator is dropped.
    UserType(d, ".");
    EXPECT_EQ(Shown(), "74.00");
    UserType(d, "*");
    d->SetText("2");
    UserType(d, "=");
    EXPECT_EQ(Shown(), "148.00");
    UserType(d, "c");
    EXPECT_EQ(Shown(), "0.00");
    EXPECT_EQ(Calc->Engine().Prevop(), -1);
    // Delete makes an empty or Error display 0.
    d->SetText("Error");
    UserKey(d, VK_DELETE);
    EXPECT_EQ(Shown(), "0.00");
}

TEST_F(CalculatorTest, KeysOnThePadCalculateAndClose)
{
    TCustomButtonPanel* pad = Calc->Pad();
    UserFocus(pad);
    UserType(pad, "7*6");
    EXPECT_EQ(Shown(), "6.00");
    UserKey(pad, VK_RETURN);
    EXPECT_EQ(Shown(), "42.00");
    EXPECT_EQ(Closes, std::vector<String>({"ok"}));
    UserType(pad, "/0=");
    EXPECT_EQ(Shown(), "Error");
    // Backspace on Error starts again from 0, not from "Erro".
    UserKey(pad, VK_BACK);
    EXPECT_EQ(Shown(), "0.00");
    UserType(pad, "C");
    UserType(pad, "9");
    EXPECT_EQ(Shown(), "9.00");
    UserKey(pad, VK_BACK);
    EXPECT_EQ(Shown(), "9.00");   // "9.0" is written back to two places
    UserKey(pad, VK_ESCAPE);
    UserKey(pad, VK_TAB);
    UserKey(pad, VK_F4);
    EXPECT_EQ(Closes, std::vector<String>({"ok", "cancel", "ok", "ok"}));
}

// ---------------------------------------------------------------- the pad

TEST(ButtonPanelTest, TheCalculatorLayoutPlacesEveryButton)
{
    Application->Initialize();
    TCustomButtonPanel pad(nullptr);
    pad.SetBounds(0, 0, 228, 150);
    pad.CreateButtons();
    ASSERT_EQ(pad.Buttons()->Count(), 28);
    auto at = [&](const char* name) {
        for (int i = 0; i < pad.Buttons()->Count(); ++i)
            if (pad.Buttons()->Items(i)->FName == name) return pad.Buttons()->Items(i)->BoundsRect();
        return TRect();
    };
    const int cols[] = {8, 46, 79, 112, 150, 183};
    const int rows[] = {38, 63, 88, 113};
    const char* names[4][6] = {{"BTN_MC", "BTN_7", "BTN_8", "BTN_9", "BTN_/", "BTN_sqrt"},
                               {"BTN_MR", "BTN_4", "BTN_5", "BTN_6", "BTN_*", "BTN_%"},
                               {"BTN_MS", "BTN_1", "BTN_2", "BTN_3", "BTN_-", "BTN_1/x"},
                               {"BTN_M+", "BTN_0", "BTN_+/-", "BTN_.", "BTN_+", "BTN_="}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) EXPECT_EQ(at(names[r][c]), Bounds(cols[c], rows[r], 34, 26)) << names[r][c];
    EXPECT_EQ(at("BTN_ON"), Bounds(8, 8, 34, 26));
    EXPECT_EQ(at("BTN_BACK"), Bounds(46, 8, 54, 26));
    EXPECT_EQ(at("BTN_CE"), Bounds(104, 8, 54, 26));
    EXPECT_EQ(at("BTN_C"), Bounds(162, 8, 55, 26));
    // A second CreateButtons adds nothing; a custom pad is not laid out.
    pad.CreateButtons();
    EXPECT_EQ(pad.Buttons()->Count(), 28);
    pad.SetButtonPanelType(plCustom);
    pad.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(at("BTN_C"), Bounds(162, 8, 55, 26));
}

TEST_F(CalculatorTest, APressEndingOnAnotherButtonClicksNothing)
{
    TCustomButtonPanel* pad = Calc->Pad();
    std::vector<int> clicks;
    auto old = pad->OnButtonClick;
    pad->OnButtonClick = [&](TObject* s, int i) { clicks.push_back(i); old(s, i); };
    const TRect seven = pad->Buttons()->Items(Calc->ButtonIndex("BTN_7"))->BoundsRect();
    const TRect eight = pad->Buttons()->Items(Calc->ButtonIndex("BTN_8"))->BoundsRect();
    UserPress(pad, seven.Left + 5, seven.Top + 5);
    EXPECT_EQ(pad->PressedButton(), Calc->ButtonIndex("BTN_7"));
    UserRelease(pad, eight.Left + 20, eight.Top + 5);
    EXPECT_EQ(pad->PressedButton(), -1);
    EXPECT_TRUE(clicks.empty());
    // A disabled button is neither pressed nor hot.
    pad->Buttons()->Items(Calc->ButtonIndex("BTN_8"))->FEnabled = false;
    UserMouseMove(pad, eight.Left + 5, eight.Top + 5);
    EXPECT_EQ(pad->HotButton(), -1);
    UserClick(pad, eight.Left + 5, eight.Top + 5);
    EXPECT_TRUE(clicks.empty());
    UserMouseMove(pad, seven.Left + 5, seven.Top + 5);
    EXPECT_EQ(pad->HotButton(), Calc->ButtonIndex("BTN_7"));
    UserMouseLeave(pad);
    EXPECT_EQ(pad->HotButton(), -1);
    UserClick(pad, seven.Left + 5, seven.Top + 5);
    EXPECT_EQ(clicks, std::vector<int>({Calc->ButtonIndex("BTN_7")}));
}

TEST_F(CalculatorTest, PictureShowsTheDisplayFramedPadAndCaptions)
{
    Press("1");
    Press("2");
    Press("+");
    Press("3");
    Press("=");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Calc, "calculator.png", png));
    const int top = TCalculatorPanel::Display_Height;
    // The pad of its own has a black frame.
    EXPECT_EQ(png.Canvas()->Pixels(0, top + 40), clBlack);
    EXPECT_EQ(png.Canvas()->Pixels(229, top + 40), clBlack);
    // Special captions are dark red, digits black.
    auto red = [](TColor c) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        return r > 70 && g < 50 && b < 50;
    };
    auto dark = [](TColor c) { return (c & 0xFF) < 60 && ((c >> 8) & 0xFF) < 60 && ((c >> 16) & 0xFF) < 60; };
    TRect cBtn = Calc->Pad()->Buttons()->Items(Calc->ButtonIndex("BTN_C"))->BoundsRect();
    OffsetRect(cBtn, 0, top);
    EXPECT_GT(Count_Pixels(png, cBtn, red), 10);
    TRect seven = Calc->Pad()->Buttons()->Items(Calc->ButtonIndex("BTN_7"))->BoundsRect();
    OffsetRect(seven, 0, top);
    InflateRect(seven, -3, -3);
    EXPECT_EQ(Count_Pixels(png, seven, red), 0);
    EXPECT_GT(Count_Pixels(png, seven, dark), 10);
    // The result stands right-aligned in the display.
    EXPECT_GT(Count_Pixels(png, Rect(150, 2, 228, top - 2), dark), 20);
    EXPECT_EQ(Count_Pixels(png, Rect(4, 4, 60, top - 4), dark), 0);
}

}   // namespace
