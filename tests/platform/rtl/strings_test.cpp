#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

TEST(Strings, TrimRemovesControlCharactersAndBlanksOnly)
{
    EXPECT_EQ(Trim("\t\r\n  a b \x01\x1f "), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \n"), "  a");
    // A non-breaking space (UTF-8 C2 A0) is text, not a blank.
    EXPECT_EQ(Trim("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, CasingTouchesAsciiLettersOnly)
{
    EXPECT_EQ(UpperCase("abz-\xC3\xA9"), "ABZ-\xC3\xA9");
    EXPECT_EQ(LowerCase("ABZ[\xC3\x89"), "abz[\xC3\x89");
    EXPECT_TRUE(SameText("English", "ENGLISH"));
    EXPECT_FALSE(SameText("English", "Englis"));
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_GT(CompareStr("a", "B"), 0);   // byte order: 'a' > 'B'
}

struct IntCase {
    const char* text;
    bool ok;
    int value;
};

TEST(Strings, StrToIntForms)
{
    const IntCase cases[] = {
        {"0", true, 0},
        {"123", true, 123},
        {"-45", true, -45},
        {"+7", true, 7},
        {"  12", true, 12},
        {"12 ", false, 0},
        {"$1F", true, 31},
        {"0x1f", true, 31},
        {"0X10", true, 16},
        {"x10", true, 16},
        {"X10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},
        {"$100000000", false, 0},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},
        {"-2147483648", true, -2147483647 - 1},
        {"-2147483649", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"$G", false, 0},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.text);
        int v = 99;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
            EXPECT_EQ(StrToInt(c.text), c.value);
        } else {
            EXPECT_THROW(StrToInt(c.text), EConvertError);
        }
        EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99);
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), 9223372036854775807LL);
    EXPECT_EQ(StrToInt64Def("9223372036854775808", 5), 5);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFF"), 0xFFFFFFFFFFLL);
}

TEST(Strings, FloatsHonourTheGivenSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5", ','), 1.5);
    EXPECT_EQ(StrToFloatDef("1,5", -1, '.'), -1);
    EXPECT_EQ(StrToFloatDef("1.5", -1, ','), -1);
    EXPECT_EQ(StrToFloatDef("abc", -1), -1);
    EXPECT_EQ(StrToFloatDef("nan", -1), -1);
    EXPECT_DOUBLE_EQ(StrToFloat(" -2.25e1 "), -22.5);
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(2.5, ','), "2,5");
    EXPECT_EQ(FloatToStr(3), "3");
}

TEST(Strings, OneBasedSubstringHelpers)
{
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");     // index below 1 starts at 1
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_EQ(Pos("cd", "abcdcd"), 3);
    EXPECT_EQ(Pos("cd", "abcdcd", 4), 5);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    String s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 10, 1);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    EXPECT_EQ(StringReplace("aAbA", "a", "-", rfReplaceAll | rfIgnoreCase), "--b-");
    EXPECT_EQ(StringReplace("aAbA", "A", "-", 0), "a-bA");
    EXPECT_EQ(SplitString("a;;b", ";"), (std::vector<String>{"a", "", "b"}));
}

TEST(Strings, FormatFillsValuesAndNeverReadsArgumentText)
{
    EXPECT_EQ(Format("Row %d of %d", {3, 10}), "Row 3 of 10");
    EXPECT_EQ(Format("%s=%d%%", {"x", 5}), "x=5%");
    // The argument text is copied as it stands, its '%' directives stay text.
    EXPECT_EQ(Format("[%s]", {"%d %s %n"}), "[%d %s %n]");
    EXPECT_EQ(Format("%4d|%-4d|%.3d", {7, 7, 7}), "   7|7   |007");
    EXPECT_EQ(Format("%x %.4X", {255, 255}), "FF 00FF");
    EXPECT_EQ(Format("%.2f", {2.345}), "2.35");   // 2.345 is stored a little above
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("50%", {}), EConvertError);
    EXPECT_EQ(CountIntPlaceholders("%d of %d, 100%%d"), 2);
}

TEST(Unicode, Conversions)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80\xE9\x9F\x81"), "\xE2\x82\xAC\xC3\xA9\xC5\xB8\xC2\x81");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC3\xA9\xE4\xB8\xAD"), "\x80\xE9?");
    EXPECT_EQ(Utf16BytesToUtf8(std::string("A\0\xE9\0", 4), false), "A\xC3\xA9");
    EXPECT_EQ(Utf16BytesToUtf8(std::string("\0A\xD8\x3D\xDE\x00", 6), true), "A\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80")), "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8Length("a\xC3\xA9\xF0\x9F\x98\x80"), 3);
    EXPECT_TRUE(IsValidUtf8("a\xC3\xA9"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));        // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));    // surrogate
    EXPECT_EQ(Utf16BytesToUtf8(std::string("\x00\xD8", 2), false), "\xEF\xBF\xBD");   // lone surrogate
}

} // namespace
