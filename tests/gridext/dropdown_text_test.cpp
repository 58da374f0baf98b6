// The typed text of the drop-down edit: what each edit type lets through, the value kept
// between prefix and suffix, precision and money formatting, the sign switch, the digit
// limit, pasting, and numbers completed when the focus leaves. The decimal separator is
// "." and the thousand separator "," throughout.
#include <gtest/gtest.h>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "tests/common/UserInput.h"
#include "tests/gridext/dropdown_picker.h"

namespace {

class DropDownTextTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TWordDropDown* Edit = nullptr;
    TEdit* Other = nullptr;

    void SetUp() override
    {
        Application->Initialize();
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 320, 200);
        Edit = Make_Control<TWordDropDown>(Form, Form, "Edit", 10, 10, 150, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 120, 150, 21);
        Form->Show();
        Application->ProcessMessages();
        UserFocus(Edit);
    }
    void TearDown() override
    {
        delete Form;
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
    }
    // A fresh field of the type, holding Start (set through SetText, or shown as it is
    // with Plain), with the caret at its end or the whole value selected.
    void Prepare(TDropDownEditType Type, int Precision, const String& Start, bool SelectValue, bool Plain = false)
    {
        Edit->SetEditType(etString);
        Edit->SetPrecision(0);
        Edit->SetPlainText("");
        Edit->SetEditType(Type);
        Edit->SetPrecision(Precision);
        if (Plain) Edit->SetPlainText(Start);
        else Edit->SetText(Start);
        if (SelectValue) Edit->SelectAll();
        else Edit->SetSelStart(int(Edit->Text().size()));
    }
};

struct TypedCase {
    const char* name;
    TDropDownEditType type;
    int precision;
    bool isSigned;
    int limit;
    const char* valid;
    const char* start;
    bool selectValue;
    const char* typed;
    const char* shown;
};

TEST_F(DropDownTextTest, EachEditTypeLetsThroughItsOwnCharacters)
{
    const TypedCase cases[] = {
        {"string takes everything", etString, 0, false, 0, "", "", true, "ab1-;", "ab1-;"},
        {"numeric takes digits", etNumeric, 0, false, 0, "", "", true, "12a3.", "123"},
        {"unsigned numeric drops the minus", etNumeric, 0, false, 0, "", "12", false, "-", "12"},
        {"signed numeric switches the sign", etNumeric, 0, true, 0, "", "12", false, "-", "-12"},
        {"the sign switches back", etNumeric, 0, true, 0, "", "-12", false, "-", "12"},
        {"a minus over the whole value starts a negative one", etNumeric, 0, true, 0, "", "55", true, "-7", "-7"},
        {"integer digits stop at the limit", etNumeric, 0, false, 3, "", "", true, "12345", "123"},
        {"float takes one separator", etFloat, 0, false, 0, "", "1.5", false, ".2", "1.52"},
        {"float drops letters", etFloat, 0, false, 0, "", "", true, "1a2", "12"},
        {"a second separator moves the caret behind the first", etFloat, 2, false, 0, "", "1.5", false, ".7", "1.70"},
        {"with all decimals typed the end takes nothing", etFloat, 2, false, 0, "", "1.5", false, "9", "1.50"},
        {"a separator into an empty field gives 0.", etFloat, 2, false, 0, "", "", false, ".5", "0.5"},
        {"money groups thousands while typing", etMoney, 0, false, 0, "", "", true, "1234567", "1,234,567"},
        {"money with decimals", etMoney, 2, false, 0, "", "", true, "1234.56", "1,234.56"},
        {"upper case", etUppercase, 0, false, 0, "", "", true, "abC", "ABC"},
        {"lower case", etLowerCase, 0, false, 0, "", "", true, "AbC", "abc"},
        {"mixed case", etMixedCase, 0, false, 0, "", "", true, "john smith", "John Smith"},
        {"range separators only between numbers", etRange, 0, false, 0, "", "", true, ",1-3,,5;;7x", "1-3,5;7"},
        {"hex digits", etHex, 0, false, 0, "", "", true, "1fz-", "1f-"},
        {"letters and digits", etAlphaNumeric, 0, false, 0, "", "", true, "a1_b .", "a1b"},
        {"only the valid characters", etValidChars, 0, false, 0, "xz", "", true, "xyz", "xz"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetSigned(c.isSigned);
        Edit->SetLengthLimit(c.limit);
        Edit->SetValidChars(c.valid);
        const bool plain = String(c.start).empty() && c.type != etString;
        Prepare(c.type, c.precision, c.start, c.selectValue, plain);
        UserType(Edit, c.typed);
        EXPECT_EQ(Edit->Text(), c.shown);
    }
}

TEST_F(DropDownTextTest, SetTextNormalisesTheValueByType)
{
    struct Case {
        TDropDownEditType type;
        int precision;
        const char* value;
        const char* shown;
    };
    for (const Case& c : {Case{etNumeric, 0, "", "0"}, Case{etFloat, 2, "3", "3.00"}, Case{etMoney, 2, "1234.5", "1,234.50"},
                          Case{etHex, 0, "ff", "FF"}, Case{etFloat, 2, "Error", "Error"}, Case{etString, 0, "", ""}}) {
        SCOPED_TRACE(c.value);
        Prepare(c.type, c.precision, "", false, true);
        Edit->SetText(c.value);
        EXPECT_EQ(Edit->Text(), c.shown);
        EXPECT_EQ(Edit->OldText(), c.shown);
        EXPECT_FALSE(Edit->Modified());
    }
}

TEST_F(DropDownTextTest, MoneyKeepsTheCaretsDistanceFromTheEnd)
{
    Prepare(etMoney, 0, "", true, true);
    UserType(Edit, "12345");
    EXPECT_EQ(Edit->Text(), "12,345");
    // Caret before the last two digits: a digit typed there regroups the value.
    Edit->SetSelStart(4);
    UserType(Edit, "9");
    EXPECT_EQ(Edit->Text(), "123,945");
    EXPECT_EQ(Edit->SelStart(), 5);
}

TEST_F(DropDownTextTest, PrefixAndSuffixNeverHoldTheCaret)
{
    Edit->SetPrefix("$");
    Edit->SetSuffix(" EUR");
    Edit->SetText("12");
    EXPECT_EQ(Edit->Text(), "12");
    struct Case {
        const char* name;
        int from;
        WORD key;
        TShiftState shift;
        int selStart, selLength;
    };
    const Case cases[] = {
        {"Home", 3, VK_HOME, {}, 1, 0},
        {"End", 1, VK_END, {}, 3, 0},
        {"Left at the value's start", 1, VK_LEFT, {}, 1, 0},
        {"Right at the value's end", 3, VK_RIGHT, {}, 3, 0},
        {"Backspace at the value's start", 1, VK_BACK, {}, 1, 0},
        {"Delete at the value's end", 3, VK_DELETE, {}, 3, 0},
        {"Shift+Home selects the value", 3, VK_HOME, {ssShift}, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetSelStart(c.from);
        UserKey(Edit, c.key, c.shift);
        EXPECT_EQ(Edit->SelStart(), c.selStart);
        EXPECT_EQ(Edit->SelLength(), c.selLength);
        EXPECT_EQ(Edit->Text(), "12");
    }
    // A click into the prefix selects the value.
    UserClick(Edit, 1, 10);
    EXPECT_EQ(Edit->SelStart(), 1);
    EXPECT_EQ(Edit->SelLength(), 2);
    // The sign goes in front of the value, inside the prefix and suffix.
    Edit->SetEditType(etNumeric);
    Edit->SetSigned(true);
    Edit->SetSelStart(3);
    UserType(Edit, "-");
    EXPECT_EQ(Edit->Text(), "-12");
}

TEST_F(DropDownTextTest, PastingFollowsTheEditType)
{
    struct Case {
        TDropDownEditType type;
        int precision;
        const char* clip;
        const char* shown;
    };
    for (const Case& c : {Case{etNumeric, 0, "12a", "0"}, Case{etNumeric, 0, "42", "42"}, Case{etHex, 0, "1F", "0"},
                          Case{etAlphaNumeric, 0, "ab1", "ab1"}, Case{etAlphaNumeric, 0, "a-b", ""},
                          Case{etFloat, 2, "2.5", "2.50"}, Case{etFloat, 0, "2.5", "0"}, Case{etUppercase, 0, "ab", "AB"}}) {
        SCOPED_TRACE(c.clip);
        const bool zero = c.type == etNumeric || c.type == etHex || (c.type == etFloat && c.precision == 0);
        Prepare(c.type, c.precision, zero ? "0" : "", true, true);
        Clipboard()->SetAsText(c.clip);
        UserKey(Edit, 'V', {ssCtrl});
        EXPECT_EQ(Edit->Text(), c.shown);
    }
}

TEST_F(DropDownTextTest, NumbersAreCompletedWhenTheFocusLeaves)
{
    struct Case {
        TDropDownEditType type;
        int precision;
        bool allowNull;
        const char* start;
        const char* shown;
    };
    for (const Case& c : {Case{etFloat, 2, false, "", "0.00"}, Case{etFloat, 2, true, "", ""}, Case{etNumeric, 0, false, "", "0"},
                          Case{etMoney, 2, false, "1234.5", "1,234.50"}, Case{etFloat, 2, false, "7", "7.00"}}) {
        SCOPED_TRACE(c.start);
        Edit->SetAllowNumericNullValue(c.allowNull);
        UserFocus(Edit);
        Prepare(c.type, c.precision, c.start, false, true);
        UserFocus(Other);
        EXPECT_EQ(Edit->Text(), c.shown);
    }
}

TEST_F(DropDownTextTest, EveryKeystrokeIsReportedOnce)
{
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    struct Case {
        TDropDownEditType type;
        const char* start;
        bool selectValue;
        const char* typed;
    };
    // Money is regrouped after each digit; a selected value is replaced, or cleared by Backspace.
    for (const Case& c : {Case{etMoney, "", true, "1234"}, Case{etString, "abc", true, "x"}, Case{etString, "abc", true, "\b"},
                          Case{etNumeric, "12", false, "34"}}) {
        SCOPED_TRACE(c.typed);
        Prepare(c.type, 0, c.start, c.selectValue, true);
        changes = 0;
        UserType(Edit, c.typed);
        EXPECT_EQ(changes, int(String(c.typed).size()));
    }
}

TEST_F(DropDownTextTest, ADigitTypedWithCtrlHeldGoesInOnce)
{
    Prepare(etNumeric, 0, "1", false);
    gui_input::SetShiftState({ssCtrl});
    gui_input::Char(Edit, '5');
    gui_input::SetShiftState({});
    EXPECT_EQ(Edit->Text(), "15");
}

TEST_F(DropDownTextTest, ClipboardEventsMayRefuse)
{
    Prepare(etString, 0, "abc", true);
    String seen;
    bool allow = false;
    Edit->OnClipboardCopy = [&](TObject*, const String& v, bool& a) {
        seen = "copy " + v;
        a = allow;
    };
    Edit->OnClipboardCut = [&](TObject*, const String& v, bool& a) {
        seen = "cut " + v;
        a = allow;
    };
    Clipboard()->SetAsText("before");
    UserKey(Edit, 'C', {ssCtrl});
    EXPECT_EQ(seen, "copy abc");
    EXPECT_EQ(Clipboard()->AsText(), "before");
    UserKey(Edit, 'X', {ssCtrl});
    EXPECT_EQ(seen, "cut abc");
    EXPECT_EQ(Edit->Text(), "abc");
    allow = true;
    UserKey(Edit, 'X', {ssCtrl});
    EXPECT_EQ(Edit->Text(), "");
    EXPECT_EQ(Clipboard()->AsText(), "abc");
}

}
