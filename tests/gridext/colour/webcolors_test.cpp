// The texts a colour value is shown as, and back: hexadecimal, web names, RGB and HTML,
// the web colour table's lookups in both directions, and texts that are no colour.
#include <gtest/gtest.h>

#include <set>

#include "gridext/colour/WebColors.h"

namespace {

TEST(WebColors, ValuesAsTextsOfEveryStyle)
{
    struct Case {
        TColor color;
        TColorValueText style;
        const char* text;
    };
    const Case cases[] = {
        {0x123456, cvtNone, ""},
        {0x123456, cvtHex, "123456"},
        {0x00000A, cvtHex, "00000A"},
        // Values above $FFFFFF show all eight digits as stored, system colours unresolved.
        {clNone, cvtHex, "1FFFFFFF"},
        {TColor(0xFF000005), cvtHex, "FF000005"},
        {0x123456, cvtRGB, "Red:86,Green:52,Blue:18"},
        {0x123456, cvtHTML, "#563412"},
        {0x0000FF, cvtWebName, "clWebRed"},
        {0x123457, cvtWebName, "#573412"},
        {0xFAFAFF, cvtWebName, "clWebSnow"},
        {0x000000, cvtWebName, "clWebBlack"},
        // Two names of one colour: the first in the table names it.
        {0xFFFF00, cvtWebName, "clWebAqua"},
        {0xFF00FF, cvtWebName, "clWebFuchsia"},
        {0x00FF00, cvtRGB, "Red:0,Green:255,Blue:0"},
        {0xFFFFFF, cvtHTML, "#FFFFFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToValueText(c.color, c.style), c.text) << c.text;
}

TEST(WebColors, SystemColoursShowTheirCurrentRGBValue)
{
    const TColor rgb = ColorToRGB(clHighlight);
    ASSERT_NE(rgb, clHighlight);
    EXPECT_EQ(ColorToValueText(clHighlight, cvtHTML), ColorToValueText(rgb, cvtHTML));
    EXPECT_EQ(ColorToValueText(clHighlight, cvtRGB), ColorToValueText(rgb, cvtRGB));
    EXPECT_EQ(ColorToValueText(clHighlight, cvtWebName), ColorToValueText(rgb, cvtWebName));
}

TEST(WebColors, TextsBackToValues)
{
    struct Case {
        const char* text;
        bool ok;
        TColor color;
    };
    const Case cases[] = {
        {"123456", true, 0x123456},
        {"1FFFFFFF", true, clNone},
        {"ff000005", true, TColor(0xFF000005)},
        {"#563412", true, 0x123456},
        {" #ff0000 ", true, 0x0000FF},
        {"clWebRed", true, 0x0000FF},
        {"CLWEBSNOW", true, 0xFAFAFF},
        {"Red:86,Green:52,Blue:18", true, 0x123456},
        {"red: 86, green: 52, blue: 18", true, 0x123456},
        // Not a colour text: all leave the colour as it was.
        {"", false, 0},
        {"12345", false, 0},
        {"1234567", false, 0},
        {"12345G", false, 0},
        {"#12345", false, 0},
        {"#1234567", false, 0},
        {"#GG0000", false, 0},
        {"clWebNoSuchColour", false, 0},
        {"clWeb", false, 0},
        {"Red:256,Green:0,Blue:0", false, 0},
        {"Red:-1,Green:0,Blue:0", false, 0},
        {"Red:1,Green:2", false, 0},
        {"Red:1,Green:2,Blue:3,Alpha:4", false, 0},
        {"Green:1,Red:2,Blue:3", false, 0},
        {"Red:,Green:2,Blue:3", false, 0},
        {"Olive", false, 0},
    };
    for (const Case& c : cases) {
        TColor got = 0x5A5A5A;
        EXPECT_EQ(ValueTextToColor(c.text, got), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(got, c.ok ? c.color : TColor(0x5A5A5A)) << '"' << c.text << '"';
    }
}

TEST(WebColors, EveryStyleComesBackToItsColour)
{
    for (TColor c : {TColor(0x000000), TColor(0x123456), TColor(0xFFFFFF), TColor(0x0080FF), TColor(0xFAFAFF)})
        for (TColorValueText style : {cvtHex, cvtWebName, cvtRGB, cvtHTML}) {
            TColor back = clNone;
            ASSERT_TRUE(ValueTextToColor(ColorToValueText(c, style), back)) << ColorToValueText(c, style);
            EXPECT_EQ(back, c) << ColorToValueText(c, style);
        }
}

TEST(WebColors, TheTableHoldsEachNameOnceAndEveryNameFindsItsColour)
{
    ASSERT_GE(WebColorCount(), 138);
    std::set<String> names;
    for (int i = 0; i < WebColorCount(); ++i) {
        const String ident = WebColorIdent(i);
        EXPECT_EQ(ident.substr(0, 5), "clWeb");
        EXPECT_TRUE(names.insert(UpperCase(ident)).second) << ident;
        TColor c = clNone;
        ASSERT_TRUE(WebColorByIdent(ident, c)) << ident;
        EXPECT_EQ(c, WebColorValue(i)) << ident;
        // The name a colour is shown by names that same colour.
        TColor back = clNone;
        ASSERT_TRUE(WebColorByIdent(WebColorIdentOf(c), back));
        EXPECT_EQ(back, c) << ident;
    }
    EXPECT_EQ(WebColorIdent(-1), "");
    EXPECT_EQ(WebColorIdent(WebColorCount()), "");
    EXPECT_EQ(WebColorValue(WebColorCount()), clNone);
    EXPECT_EQ(WebColorIdentOf(0x123457), "");
}

}  // namespace
