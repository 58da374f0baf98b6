// The grid's text routines: cell text kinds, links, numbers with regional separators,
// line-break conversions of files and clipboard, CSV helpers, packed wide text, case.
#include <gtest/gtest.h>

#include "grid/util/GridTextUtils.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {

using namespace std::string_literals;

// Thousand "," and decimal "." whatever the machine's locale says.
class RegionalSeparators : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetThousandSeparatorOverride(',');
        SetDecimalSeparatorOverride('.');
    }
    void TearDown() override
    {
        SetThousandSeparatorOverride(0);
        SetDecimalSeparatorOverride(0);
    }
};

TEST(GridTextKind, KindsOfCellText)
{
    struct Case { String text; bool html; int kind; };
    const Case cases[] = {
        {"", true, tkPlain},
        {"=", false, tkFormula},
        {"=A1+B2", true, tkFormula},
        {"|\\\0=\0001"s, false, tkFormula},   // packed "=1": a packed formula
        {"|\\\0="s, false, tkPackedWide},     // too short for a packed formula
        {"|\\\0a"s, false, tkPackedWide},
        {"{\\rtf1 x}", true, tkRTF},
        {"<b>x</b>", true, tkHTML},
        {"<b>x</b>", false, tkPlain},
        {"<b>x", true, tkPlain},              // lower-case tag and no end tag
        {"<B>x", true, tkHTML},
        {"<CONTROL TYPE=\"CHECK\">", true, tkHTML},
        {"a < b", true, tkPlain},
        {"|", false, tkPlain},                // one character: no packed mark
        {"|\\", false, tkPackedWide},
        {"{\\", false, tkRTF},
        {"a <", true, tkPlain},               // "<" as the last character
        {"<<B>", true, tkHTML},               // a tag right after another "<"
        {"x <y> <Ix", true, tkHTML},          // the second "<" is the tag
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetTextKind(c.text, c.html), c.kind) << "text " << c.text << " html " << c.html;
}

TEST(GridTextLinks, LinkifyTakesTheLinkUpToTheFirstCharacterOutsideAUrl)
{
    String out = "untouched";
    EXPECT_TRUE(LinkifyURL("open file://c:/tmp/a.txt?x=1 now", "FILE://", out));
    EXPECT_EQ(out, "open <a href=\"file://c:/tmp/a.txt\">file://c:/tmp/a.txt</a>?x=1 now");

    EXPECT_TRUE(LinkifyURL("a<b file://x", "FILE://", out));
    EXPECT_EQ(out, "a&lt;b <a href=\"file://x\">file://x</a>");

    // The prefix is matched in any case; the link keeps its own.
    EXPECT_TRUE(LinkifyURL("see WWW.Example.com/Path, then", "WWW.", out));
    EXPECT_EQ(out, "see <a href=\"WWW.Example.com/Path\">WWW.Example.com/Path</a>, then");

    out = "untouched";
    EXPECT_FALSE(LinkifyURL("no link here", "HTTP://", out));
    EXPECT_EQ(out, "untouched");
}

TEST(GridTextLinks, ProtocolsAndCellReferences)
{
    EXPECT_TRUE(HasURLProtocol("x http://a"));
    EXPECT_TRUE(HasURLProtocol("mailto:a@b"));
    EXPECT_FALSE(HasURLProtocol("MAILTO:a@b"));   // case-sensitive

    struct Strip { String in, out; };
    for (const Strip& c : {Strip{"http://a/b", "a/b"}, Strip{"x mailto:a@b", "a@b"}, Strip{"plain", "plain"},
                           Strip{"mailto:x http://y", "y"}}) {
        String s = c.in;
        StripURLProtocol(s);
        EXPECT_EQ(s, c.out) << c.in;
    }

    struct Ref { String text; bool ok; int col, row; };
    const Ref refs[] = {
        {"R3C7", true, 7, 3}, {"r12c0", true, 0, 12}, {"R3", false, 0, 0}, {"C3R1", false, 0, 0},
        {"RxC1", false, 0, 0}, {"R1C", false, 0, 0}, {"R1C2x", false, 0, 0},
    };
    for (const Ref& c : refs) {
        int col = -1, row = -1;
        EXPECT_EQ(ParseCellReference(c.text, col, row), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(col, c.col) << c.text;
            EXPECT_EQ(row, c.row) << c.text;
        }
    }
}

TEST_F(RegionalSeparators, NumberKinds)
{
    struct Case { String text; int kind; };
    const Case cases[] = {
        {"-12", nkInteger}, {"-", nkInteger}, {"007", nkInteger},
        {"1,234.5", nkDecimal}, {"1,234,567", nkDecimal}, {".5", nkDecimal},
        {"1,23,4", nkNone}, {"1.2.3", nkNone}, {"", nkNone}, {"12a", nkNone}, {"1-2", nkNone},
        {"1e-5", nkExponent}, {"-1e-5", nkExponent}, {"1.5E+3", nkExponent},
        {"e5", nkNone}, {"1e", nkNone}, {"1e+", nkNone}, {"1e5e5", nkNone}, {"1,0e5", nkNone},
        {"---1e5", nkNone}, {"1e5-", nkNone},
        {"\u00B2", nkInteger},           // superscript two: a number character
        {"\u0661\u0662", nkInteger},     // Arabic-Indic digits
        {"\u0661.5", nkDecimal},
    };
    for (const Case& c : cases) EXPECT_EQ(GetNumberKind(c.text), c.kind) << "'" << c.text << "'";
}

TEST_F(RegionalSeparators, NumberKindsFollowTheRegionalSeparators)
{
    SetThousandSeparatorOverride('.');
    SetDecimalSeparatorOverride(',');
    EXPECT_EQ(GetNumberKind("1.234,5"), nkDecimal);
    EXPECT_EQ(GetNumberKind("1,2,3"), nkNone);
    EXPECT_EQ(NormalizeNumberText("1.234,50 EUR"), "1234.50");
}

TEST(GridTextNumbers, ThousandSeparatorNeverEqualsTheDecimalOne)
{
    // Whatever the locale says, the two separators stay apart, so "1,5" is never read as 15.
    for (char dec : {',', '.'}) {
        SetDecimalSeparatorOverride(dec);
        EXPECT_NE(GetThousandSeparator(), dec);
    }
    SetDecimalSeparatorOverride(0);
    SetThousandSeparatorOverride('\'');
    EXPECT_EQ(GetThousandSeparator(), '\'');
    SetThousandSeparatorOverride(0);
}

TEST_F(RegionalSeparators, NormalizedNumbers)
{
    struct Case { String text, plain; };
    const Case cases[] = {
        {"(1,234.50)", "-1234.50"}, {"USD 12", "12"}, {"12 kg", "12"}, {"EUR 12", "E"},
        {"", ""}, {"- 5", "-5"}, {"$-3.5", "-3.5"}, {"1.5e+3x", "1.5e+3"}, {"x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NormalizeNumberText(c.text), c.plain) << "'" << c.text << "'";
}

TEST(GridTextNumbers, HtmlHexIsRedGreenBlue)
{
    EXPECT_EQ(ColorToHTMLHex(0x0000FF), "FF0000");
    EXPECT_EQ(ColorToHTMLHex(0x123456), "563412");
    EXPECT_EQ(ColorToHTMLHex(clWhite), "FFFFFF");
    EXPECT_EQ(ColorToHTMLHex(clBtnFace), ColorToHTMLHex(ColorToRGB(clBtnFace)));   // resolved first
}

TEST(GridTextLines, LineBreakConversions)
{
    using Fn = String (*)(const String&);
    struct Case { const char* name; Fn fn; String in, out; };
    const Case cases[] = {
        {"LineBreaksToBR", LineBreaksToBR, "a\r\nb", "a<br>\nb"},
        {"LineBreaksToBR", LineBreaksToBR, "a\nb", "a\nb"},
        {"BackslashNToCR", BackslashNToCR, "a\\nb\\n", "a\rb\r"},
        {"LineBreaksToBackslashN", LineBreaksToBackslashN, "a\r\nb\nc", "a\\nbc"},
        {"CRLFToLF", CRLFToLF, "a\r\nb\rc\n", "a\nb\rc\n"},
        {"LineBreaksToVTabQuoted", LineBreaksToVTabQuoted, "a\r\nb", "\"a\vb\""},
        {"LineBreaksToVTabQuoted", LineBreaksToVTabQuoted, "", "\"\""},
        {"VTabToLineBreaks", VTabToLineBreaks, "a\vb\v", "a\r\nb\r\n"},
        {"LineBreaksToTilde", LineBreaksToTilde, "a\r\nb", "a~b"},
        {"TildeToLineBreaks", TildeToLineBreaks, "a~b", "a\r\nb"},
        {"TildeToLineBreaks", TildeToLineBreaks, "^", ""},
        {"TildeToLineBreaks", TildeToLineBreaks, "^^", "^^"},
        {"RemoveCR", RemoveCR, "a\r\nb\r", "a\nb"},
        {"CRToLF", CRToLF, "a\r\nb", "a\n\nb"},
        {"EncodeControlChars", EncodeControlChars, "a\r\n\0b"s, "a\t\b\x01" "b"},
        {"EncodeControlChars", EncodeControlChars, "a\nb", "a\nb"},   // no CR: unchanged
        {"QuoteDoubleQuotes", QuoteDoubleQuotes, "a\"b\"\"", "a\"\"b\"\"\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.fn(c.in), c.out) << c.name << " of '" << c.in << "'";
}

TEST(GridTextLines, ClipboardRoundTripKeepsLineBreaks)
{
    const String cell = "first\r\nsecond\r\nthird";
    String q = LineBreaksToVTabQuoted(cell);
    ASSERT_EQ(q.front(), '"');
    EXPECT_EQ(VTabToLineBreaks(q.substr(1, q.size() - 2)), cell);
    EXPECT_EQ(DecodeControlChars(EncodeControlChars(cell + "\0x"s), true), cell + "\0x"s);
}

TEST(GridTextLines, FirstLinesAndLineCounts)
{
    String s = "a\r\nb";
    EXPECT_EQ(CutFirstLine(s, true), "a");
    EXPECT_EQ(s, "b");
    s = "a\r\nb";
    EXPECT_EQ(CutFirstLine(s, false), "a");
    EXPECT_EQ(s, "");
    s = "a\r\r\nb";   // only one LF right after the CR goes
    EXPECT_EQ(CutFirstLine(s, true), "a");
    EXPECT_EQ(s, "\r\nb");
    s = "whole";
    EXPECT_EQ(CutFirstLine(s, true), "whole");
    EXPECT_EQ(s, "");

    EXPECT_EQ(DecodeControlChars("a\t\bb", false), "a");
    EXPECT_EQ(DecodeControlChars("a\t\bb", true), "a\r\nb");
    EXPECT_EQ(DecodeControlChars("a\tb", true), "a\tb");   // no 8: tabs are tabs

    EXPECT_EQ(LineCount("a\rb\rc", true), 3);
    EXPECT_EQ(LineCount("a\rb\rc", false), 1);
    EXPECT_EQ(LineCount("", true), 1);
}

TEST(GridTextRich, RichTextGivesThePlainTextItShows)
{
    struct Case { String rtf, plain; };
    const Case cases[] = {
        {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "\\pard\\f0\\fs20 Hello \\cf1\\b World\\b0\\par}", "Hello World"},
        // Paragraphs and lines; only the mark that ends the document adds no line.
        {"{\\rtf1 one\\par two\\line three\\par\\par}", "one\r\ntwo\r\nthree"},
        {"{\\rtf1 a\\tab b}", "a\tb"},
        // Escapes: Windows-1252 bytes, Unicode with its fallback, braces and backslashes.
        {"{\\rtf1 Gr\\'fc\\'dfe \\'80}", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"},
        {"{\\rtf1\\uc1 \\u8364?5 \\u-3?}", "\xE2\x82\xAC" "5 \xEF\xBF\xBD"},
        {"{\\rtf1\\uc2 x\\u956\\'b5\\'b5y}", "x\xCE\xBCy"},
        {"{\\rtf1 \\{a\\}\\\\b}", "{a}\\b"},
        // Ignorable and text-free groups are left out; line breaks of the source are not text.
        {"{\\rtf1{\\*\\generator Writer;}{\\info{\\title T}}x\r\ny{\\*\\unknown z}}", "xy"},
        {"{\\rtf1 \\emdash\\~\\ldblquote q\\rdblquote}", "\xE2\x80\x94\xC2\xA0\xE2\x80\x9Cq\xE2\x80\x9D"},
        // Damaged input is read as far as it goes.
        {"{\\rtf1 open", "open"},
        {"}}}{\\", ""},
        {"{\\rtf1 \\'4", "4"},
        {"plain", "plain"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.rtf);
        EXPECT_EQ(RichTextToPlainText(k.rtf), k.plain);
    }
    // Nesting far deeper than any document is read without growing without bound.
    EXPECT_EQ(RichTextToPlainText(String(100000, '{') + "deep" + String(100000, '}')), "deep");
}

TEST(GridTextCsv, SingleQuotesCloseAField)
{
    struct Case { String text; int pos; int count; };
    const Case cases[] = {
        {"ab\"c", 3, 1},
        {"a\"\"b", 0, 0},
        {"x\"\"", 3, 1},
        {"\"\"\"a", 3, 1},     // a run of three: its last quote is single
        {"a\"\"\"\"b\"", 7, 1},
        {"a\"b\"c", 2, 2},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        int out = -1;
        EXPECT_EQ(FindSingleChar('"', c.text, out), c.pos) << c.text;
        EXPECT_EQ(out, c.pos) << c.text;
        EXPECT_EQ(CountSingleChar('"', c.text), c.count) << c.text;
    }
    EXPECT_EQ(UndoubleChar('"', "a\"\"b\"c"), "a\"b\"c");
    EXPECT_EQ(UndoubleChar('"', "\"\"\""), "\"\"");
    EXPECT_EQ(CountChar(';', "a;b;;c"), 3);
}

TEST(GridTextCsv, OemCodePage)
{
    const String text = "Gr\u00FC\u00DFe \u00B1 \u2592 x\u20AC";
    const std::string oem = TextToOEM(text);
    EXPECT_EQ(oem, "Gr\x81\xE1" "e \xF1 \xB1 x?");
    EXPECT_EQ(TextFromOEM(oem), "Gr\u00FC\u00DFe \u00B1 \u2592 x?");
}

TEST(GridTextPacked, PackedWideTextCarriesAnyText)
{
    EXPECT_EQ(PackWideText("A"), "|\\\0A"s);
    // U+20AC packs as the characters 0x20 and 0xAC.
    EXPECT_EQ(Utf8ToUtf16(PackWideText("\u20AC")), u"|\\\u0020\u00AC");
    for (const String& s : {String("plain"), String("\u00E9t\u00E9 \u20AC \u4E2D\u6587"), String("\U0001F600 ok"),
                            String()}) {
        const String packed = PackWideText(s);
        EXPECT_TRUE(IsValidUtf8(packed)) << s;
        EXPECT_EQ(GetTextKind(packed, true), tkPackedWide) << s;
        EXPECT_EQ(UnpackWideText(packed), s) << s;
    }
    EXPECT_EQ(UnpackWideText("not packed"), "not packed");
    EXPECT_EQ(UnpackWideText("|\\\0A\0"s), "A");   // odd trailing character ignored
    EXPECT_EQ(GetTextKind(PackWideText("=1"), false), tkFormula);
}

TEST(GridTextCase, MixedCase)
{
    struct Case { String in, out; };
    const Case cases[] = {
        {"mcdonald's o'neil-smith henry iii", "McDonald'S O'Neil-Smith Henry III"},
        {"JOHN SMITH", "John Smith"},
        {"louis ii", "Louis II"},
        {"a.b,c", "A.B,C"},
        {"\u00E9MILE \u00C9COLE", "\u00C9mile \u00C9cole"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ToMixedCase(c.in), c.out) << c.in;
}

TEST(GridTextSearch, PositionsAndSplits)
{
    int pos = 99;
    EXPECT_EQ(CharPos('b', "abc"), 2);
    EXPECT_EQ(CharPosOut('x', "abc", pos), 0);
    EXPECT_EQ(pos, 99);   // untouched when absent
    EXPECT_EQ(CharPosOut('c', "abc", pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(FindSubText("cd", "abcd", pos), 3);
    EXPECT_EQ(FindSubText("x", "abcd", pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(FindSubTextNoCase("BC", "aBc"), 2);
    EXPECT_EQ(WidePos(u"\u20AC", u"a\u20AC", pos), 2);

    String s = "key=value=x";
    EXPECT_EQ(SplitFirst(s, "="), "key");
    EXPECT_EQ(s, "value=x");
    EXPECT_EQ(SplitFirst(s, ";"), "");
    EXPECT_EQ(s, "value=x");

    TStringList list;
    list.Add("a");
    list.Add("bc");
    EXPECT_EQ(StringsToText(list), "abc");

    String pw = "p\u00E4ss";
    FillWithChar(pw, '*');
    EXPECT_EQ(pw, "****");
}

TEST(GridTextSearch, ClampsAndRectangles)
{
    struct Case { int v, lo, hi, out; };
    const Case cases[] = {
        {5, 0, 0, 5}, {50, 10, 20, 20}, {5, 10, 0, 10}, {5, 10, 20, 10}, {15, 10, 20, 15},
        {50, 7, 7, 50}, {-5, -10, -1, -5}, {50, 0, 20, 20},
    };
    for (const Case& c : cases) EXPECT_EQ(ClampToLimits(c.v, c.lo, c.hi), c.out) << c.v << " " << c.lo << " " << c.hi;
    const TGridRect r(1, 2, 3, 4);
    EXPECT_TRUE(PointInGridRect(r, 1, 2));
    EXPECT_TRUE(PointInGridRect(r, 3, 4));
    EXPECT_FALSE(PointInGridRect(r, 4, 4));
    EXPECT_FALSE(PointInGridRect(r, 2, 1));
    EXPECT_EQ(Max(2, 3), 3);
    EXPECT_EQ(Min(2, 3), 2);
}

TEST(GridTextClipboard, HtmlFormatOffsetsPointAtTheFragment)
{
    String html = "<b>x</b>12";   // 10 characters
    MakeClipboardHTML(html);
    EXPECT_EQ(html.substr(0, 97),
              "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000316\r\n"
              "StartFragment:00000274\r\nEndFragment:00000284\r\n");
    EXPECT_EQ(html.size(), 316u);
    EXPECT_EQ(html.substr(274, 10), "<b>x</b>12");
    EXPECT_EQ(html.substr(97, 9), "<!DOCTYPE");
    EXPECT_EQ(html.substr(284), "<!--EndFragment--></body></html>");
}

} // namespace
