// The mini-HTML renderer: layout measured on a bitmap, markup painted in grid cells and
// in the hint window and checked pixel by pixel, links hit-tested and clicked, and
// hostile markup that must neither crash nor run away.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "grid/core/GridPanels.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/html/PictureContainer.h"
#include "platform/os/Files.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"

namespace {
int Part(TColor c, int shift) { return int((c >> shift) & 0xFF); }
bool Dark(TColor c) { return Part(c, 0) < 0x80 && Part(c, 8) < 0x80 && Part(c, 16) < 0x80; }
bool Reddish(TColor c) { return Part(c, 0) > 0xC0 && Part(c, 8) < 0x60 && Part(c, 16) < 0x60; }
bool Bluish(TColor c) { return Part(c, 16) > 0xC0 && Part(c, 0) < 0x60 && Part(c, 8) < 0x60; }
bool NotWhite(TColor c) { return Part(c, 0) < 0xF0 || Part(c, 8) < 0xF0 || Part(c, 16) < 0xF0; }

// The smallest rectangle holding every pixel of R that Pred accepts; empty when none.
TRect Extent(TBitmap& png, const TRect& R, const std::function<bool(TColor)>& Pred)
{
    TRect e(R.Right, R.Bottom, R.Left, R.Top);
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (Pred(png.Canvas()->Pixels(x, y))) {
                e.Left = std::min(e.Left, x);
                e.Top = std::min(e.Top, y);
                e.Right = std::max(e.Right, x + 1);
                e.Bottom = std::max(e.Bottom, y + 1);
            }
    return e.Right > e.Left ? e : TRect();
}

// The longest run of accepted pixels on one row of R.
int LongestRow(TBitmap& png, const TRect& R, const std::function<bool(TColor)>& Pred)
{
    int best = 0;
    for (int y = R.Top; y < R.Bottom; ++y) {
        int run = 0;
        for (int x = R.Left; x < R.Right; ++x) {
            run = Pred(png.Canvas()->Pixels(x, y)) ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

// A bitmap canvas in a known font.
class RenderTest : public ::testing::Test {
protected:
    TBitmap Bmp{400, 300};
    TCanvas* C = Bmp.Canvas();
    void SetUp() override
    {
        C->Font()->SetName("Tahoma");
        C->Font()->SetSize(10);
        C->Font()->SetColor(clBlack);
        C->Brush()->SetColor(clWhite);
        C->FillRect(TRect(0, 0, 400, 300));
    }
    int GH() { return C->TextHeight("gh"); }
    TMiniHTMLParams Measure(const String& text, int width, bool wrap = true)
    {
        TMiniHTMLParams p;
        p.MeasureOnly = true;
        p.WordWrap = wrap;
        RenderMiniHTML(C, text, TRect(0, 0, width, 0), p);
        return p;
    }
    TMiniHTMLParams Paint(const String& text, const TRect& r, bool wrap = true)
    {
        TMiniHTMLParams p;
        p.WordWrap = wrap;
        RenderMiniHTML(C, text, r, p);
        return p;
    }
};
}  // namespace

TEST_F(RenderTest, LayoutOfLinesWordsAndLists)
{
    const int gh = GH();
    // Empty text: nothing, one text height, no hit.
    {
        TMiniHTMLParams p;
        EXPECT_FALSE(RenderMiniHTML(C, "", TRect(0, 0, 100, 100), p));
        EXPECT_EQ(p.XSize, 0);
        EXPECT_EQ(p.YSize, gh);
    }
    const int word = C->TextWidth("wwww");
    const int box = word + C->TextWidth("ww");   // room for one word, not two
    const struct {
        const char* text;
        int width;
        bool wrap;
        int lines;
        const char* stripped;
    } cases[] = {
        {"wwww wwww wwww", box, true, 3, "wwww wwww wwww"},   // one word per line
        {"wwww wwww wwww", 1000, true, 1, "wwww wwww wwww"},
        {"ww<B>ww</B>ww", word, true, 1, "wwwwww"},           // a word split by tags is not broken
        {"ww ww<B>ww</B>", C->TextWidth("ww w"), true, 2, "ww wwww"},
        {"a<BR>b<br>c", 1000, true, 3, "a\rb\rc"},
        {"a\r\nb", 1000, true, 2, "a\rb"},                   // CR is a line break, LF is dropped
        {"<UL><LI>one<LI>two</UL>", 1000, true, 3, "onetwo"},   // the UL line, then one item a line
        {"<P align=\"right\">x</P>y", 1000, true, 2, "xy"},
        {"a<HR>b", 1000, true, 2, "ab"},
        {"vis<Z>hid</Z>ible", 1000, true, 1, "vishidible"},
        {"x <y", 1000, true, 1, "x "},                        // an unclosed "<" ends the text
        {"<#1> &lt;b&gt; &nbsp;", 1000, true, 1, "#1 <b>  "},
        {"<big>a</big><link>b", 1000, true, 1, "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TMiniHTMLParams p = Measure(c.text, c.width, c.wrap);
        EXPECT_EQ(p.YSize, c.lines * gh);
        EXPECT_EQ(p.StrippedText, c.stripped);
    }
    // Tag names in any case: bold opened in lower case and closed in upper case.
    {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(*C->Font());
        b.Canvas()->Font()->SetStyle(TFontStyles{fsBold});
        EXPECT_EQ(Measure("<b>ww</B>ww", 1000).XSize, b.Canvas()->TextWidth("ww") + C->TextWidth("ww"));
        EXPECT_EQ(Measure("<big>ww</big>ww", 1000).XSize, 2 * C->TextWidth("ww"));
    }
    // A list item stands 12 pixels in per level.
    EXPECT_EQ(Measure("<UL><LI>two</UL>", 1000).XSize, 12 + C->TextWidth("two"));
    EXPECT_EQ(Measure("<UL><UL><LI>two</UL></UL>", 1000).XSize, 24 + C->TextWidth("two"));
    // "&amp;" in any case shows one ampersand; a single one underlines the next letter.
    EXPECT_EQ(Measure("a&AMP;b", 1000).XSize, C->TextWidth("a&b"));
    EXPECT_EQ(Measure("a&b", 1000).XSize, C->TextWidth("ab"));
    // Entity names of the escaping table are drawn as written (the ampersand a prefix).
    EXPECT_EQ(Measure("&eacute;", 1000).XSize, C->TextWidth("eacute;"));
    EXPECT_EQ(Measure("&eacute;", 1000).StrippedText, "&eacute;");
    // Font sizes: 1-5 are steps, anything else is points; quotes are optional.
    const struct {
        const char* text;
        int points;
    } sizes[] = {{"<FONT SIZE=4>ghghgh</FONT>", 14}, {"<FONT size=\"9\">ghghgh</FONT>", 9},
                 {"<font size=\"1\">ghghgh", 8}, {"<FONT size=\"30\">ghghgh</FONT>", 30}};
    for (const auto& s : sizes) {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(*C->Font());
        b.Canvas()->Font()->SetSize(s.points);
        EXPECT_EQ(Measure(s.text, 1000).XSize, b.Canvas()->TextWidth("ghghgh")) << s.text;
    }
}

TEST_F(RenderTest, WithoutWordWrapAnOverflowingRunCutsTheText)
{
    const int gh = GH();
    const int w = C->TextWidth("aa bb");
    // The run after a blank overflows: it ends the layout, later lines included.
    TMiniHTMLParams p = Measure("aa <B>bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb</B><BR>ccc", w, false);
    EXPECT_EQ(p.YSize, gh);
    EXPECT_EQ(p.StrippedText.find("ccc"), String::npos);
    // A run that continues a word does not cut.
    p = Measure("aa<B>bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb</B><BR>ccc", w, false);
    EXPECT_EQ(p.YSize, 2 * gh);
    // A line that would start below the rectangle is not laid out, except when measuring.
    p = Paint("a<BR>b<BR>c", TRect(0, 0, 100, gh + gh / 2));
    EXPECT_EQ(p.YSize, gh);
    EXPECT_EQ(Measure("a<BR>b<BR>c", 100).YSize, 3 * gh);
}

TEST_F(RenderTest, AnchorsAreHitWhereTheirTextIs)
{
    const String text = "<A HREF=\"u1\" title=\"First\">a</A> <A href=\"u2\" TITLE=\"Second\">b</A> c";
    const int gh = GH();
    const int left = 1;   // the layout starts one pixel in
    const struct {
        int x;
        bool hit;
        const char* anchor;
        const char* hint;
        int link;
    } cases[] = {
        {left + C->TextWidth("a") / 2, true, "u1", "First", 1},
        {left + C->TextWidth("a b") - C->TextWidth("b") / 2, true, "u2", "Second", 2},
        {left + C->TextWidth("a b c") - 1, false, "", "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.anchor);
        TMiniHTMLParams p;
        p.X = c.x;
        p.Y = gh / 2;
        p.HitTestOnly = true;
        EXPECT_EQ(RenderMiniHTML(C, text, TRect(0, 0, 300, 100), p), c.hit);
        EXPECT_EQ(p.HyperLinks, 2);
        if (c.hit) {
            EXPECT_EQ(p.AnchorVal, c.anchor);
            EXPECT_EQ(p.AnchorHint, c.hint);
        }
        EXPECT_EQ(p.MouseLink, c.link);
    }
    // Below the line nothing is hit.
    TMiniHTMLParams p;
    p.X = cases[0].x;
    p.Y = gh * 3;
    p.HitTestOnly = true;
    EXPECT_FALSE(RenderMiniHTML(C, text, TRect(0, 0, 300, 100), p));
}

TEST_F(RenderTest, CanvasComesBackAsItWas)
{
    C->Pen()->SetColor(clTeal);
    C->Pen()->SetWidth(3);
    C->Brush()->SetColor(clSilver);
    C->Font()->SetStyle(TFontStyles{fsItalic});
    const String text = "<B><U><S><FONT face=\"Verdana\" size=\"20\" color=\"clRed\" bgcolor=\"clLime\">x"
                        "<P bgcolor=\"clAqua\">p<HI>h<HR><E>e<SHAD>s<A href=\"x\">a<UL><LI>l<BODY bgcolor=\"clYellow\">";
    for (bool hitTest : {false, true}) {
        TMiniHTMLParams p;
        p.HitTestOnly = hitTest;
        RenderMiniHTML(C, text, TRect(0, 0, 300, 200), p);
        EXPECT_EQ(C->Pen()->Color(), clTeal);
        EXPECT_EQ(C->Pen()->Width(), 3);
        EXPECT_EQ(C->Brush()->Color(), clSilver);
        EXPECT_EQ(C->Brush()->Style(), bsSolid);
        EXPECT_EQ(C->Font()->Name(), "Tahoma");
        EXPECT_EQ(C->Font()->Size(), 10);
        EXPECT_EQ(C->Font()->Color(), clBlack);
        EXPECT_TRUE(C->Font()->Style() == TFontStyles{fsItalic});
    }
}

// Markup from a cell or a file is not trusted: whatever it holds, a call draws what it
// can, stays within bounds and ends.
TEST_F(RenderTest, HostileMarkupNeitherCrashesNorRunsAway)
{
    String deepList, deepBold, ampChain = "&", manyTags;
    for (int i = 0; i < 5000; ++i) deepList += "<UL>";
    deepList += "<LI>x";
    for (int i = 0; i < 5000; ++i) deepBold += "<B><FONT size=\"72\">";
    deepBold += "x";
    for (int i = 0; i < 20000; ++i) ampChain += "amp;";
    for (int i = 0; i < 20000; ++i) manyTags += "<A href=\"a\"><I>w </I></A>";
    // Long texts: many short words, many tags without a blank between them.
    String words, tagged;
    for (int i = 0; i < 50000; ++i) words += "w ";
    for (int i = 0; i < 50000; ++i) tagged += "w<i>";
    const struct {
        String text;
        int maxWidth, maxHeight;   // what the layout may take at most
    } cases[] = {
        {"<FONT SIZE=\"999999999999\">x</FONT>", 400, 400},     // font size bounded
        {"<FONT SIZE=-5>x", 400, 400},
        {deepList, 32 * 12 + 40, 5000 * 30},                    // list level bounded
        {deepBold, 400, 400},
        {"<P INDENT=\"-99999999999\">x<P indent=\"99999999999\">y", 400, 400},
        {"<IND x=\"99999999999\">x", 100000 + 40, 400},
        {"<A HREF=\"", 400, 400},
        {"<", 400, 400},
        {"a<", 400, 400},
        {"<>", 400, 400},
        {"</", 400, 400},
        {"<FONT COLOR=\"#\" BGCOLOR=\"#ZZ\" FACE=\"\">x", 400, 400},
        // A control is as wide as it asks, within the position bound.
        {"<IMG SRC=\"idx:99\" WIDTH=\"99999\"><CONTROL TYPE=\"EDIT\" WIDTH=\"99999\">x", 100000 + 40, 400},
        {"<CONTROL TYPE=\"EDIT\" WIDTH=\"99999999999\" HEIGHT=\"99999999999\">x", 100000 + 40, 100000 + 40},
        {"<BODY BGCOLOR=\"CL\" BACKGROUND=\"nowhere\">", 400, 400},
        {ampChain, 20000 * 10, 400},                           // one line of ampersands
        {manyTags, 1000000, 20000 * 30},
        {String("a\0b", 3), 400, 400},
        {words, 400, 50000 * 30},
        {tagged, 50000 * 20, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const auto start = std::chrono::steady_clock::now();
        for (int mode = 0; mode < 3; ++mode) {
            TMiniHTMLParams p;
            p.MeasureOnly = mode == 1;
            p.HitTestOnly = mode == 2;
            p.X = 10;
            p.Y = 5;
            RenderMiniHTML(C, c.text, TRect(0, 0, 200, 150), p);
            EXPECT_LE(p.XSize, c.maxWidth);
            EXPECT_LE(p.YSize, c.maxHeight);
            EXPECT_GE(p.YSize, 0);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
}

// ---------------------------------------------------------------- in grid cells

class HTMLCellTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Form->SetClientWidth(560);
        Form->SetClientHeight(880);
        Grid->SetBounds(0, 0, 540, 860);
        Grid->SetColCount(3);
        Grid->SetRowCount(22);
        Grid->SetColWidths(1, 220);
        Grid->SetColWidths(2, 220);
        for (int r = 1; r < 22; ++r) Grid->SetRowHeights(r, 38);
        Grid->Font()->SetName("Tahoma");
        Grid->Font()->SetSize(10);
        Grid->Font()->SetColor(clBlack);
    }
};

TEST_F(HTMLCellTest, EachMarkupFeatureIsPaintedAsItAsks)
{
    Grid->HighlightColor = clYellow;
    Grid->HighlightTextColor = clBlue;
    struct Case {
        const char* markup;   // column 1
        const char* plain;    // column 2, the same text without the feature
        std::function<void(TBitmap&, const TRect&, const TRect&)> check;
    };
    const std::vector<Case> cases = {
        {"<FONT color=\"clRed\">Red text</FONT>", "Red text",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Count_Pixels(png, m, Reddish), 10);
             EXPECT_EQ(Count_Pixels(png, p, Reddish), 0);
         }},
        {"<B>WWWW</B>", "WWWW",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Extent(png, m, Dark).Width(), Extent(png, p, Dark).Width());
         }},
        {"<U>xxxxxx</U>", "xxxxxx",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             const TRect em = Extent(png, m, Dark), ep = Extent(png, p, Dark);
             // A line under the letters, below their baseline, about as wide as the text.
             EXPECT_GT(em.Bottom - em.Top, ep.Bottom - ep.Top);
             EXPECT_GE(LongestRow(png, m, Dark), ep.Width() - 2);
             EXPECT_LT(LongestRow(png, p, Dark), ep.Width() / 2);
         }},
        {"<S>xxxxxx</S>", "xxxxxx",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             const TRect ep = Extent(png, p, Dark);
             EXPECT_GE(LongestRow(png, m, Dark), ep.Width() - 2);
             EXPECT_EQ(Extent(png, m, Dark).Bottom, ep.Bottom);   // through the letters, not under
         }},
        {"<I>IIII</I>", "IIII",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_NE(Extent(png, m, Dark).Width(), Extent(png, p, Dark).Width());
         }},
        {"<P align=\"right\">ab</P>cd", "ab",   // both lines stand right
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Extent(png, m, Dark).Left, m.Left + m.Width() * 3 / 4);
             EXPECT_GT(Extent(png, m, Dark).Height(), Extent(png, p, Dark).Height() * 3 / 2);
             EXPECT_LT(Extent(png, p, Dark).Left, p.Left + p.Width() / 4);
         }},
        {"<P align=\"center\">ab</P>", "ab",
         [](TBitmap& png, const TRect& m, const TRect&) {
             const TRect e = Extent(png, m, Dark);
             EXPECT_NEAR((e.Left + e.Right) / 2, (m.Left + m.Right) / 2, 4);
         }},
        {"find <HI>this</HI>", "find this",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Count_Pixels(png, m, clYellow), 40);
             EXPECT_GT(Count_Pixels(png, m, Bluish), 5);
             EXPECT_EQ(Count_Pixels(png, p, clYellow), 0);
         }},
        {"<FONT bgcolor=\"#00FF00\">on lime</FONT> off", "on lime off",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             const TRect e = Extent(png, m, [](TColor c) { return c == clLime; });
             EXPECT_GT(Count_Pixels(png, m, clLime), 100);
             EXPECT_LT(e.Right - m.Left, Extent(png, p, Dark).Right - p.Left);   // only behind its run
         }},
        {"<SHAD>Shadow</SHAD>", "Shadow",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Count_Pixels(png, m, NotWhite), Count_Pixels(png, p, NotWhite) * 5 / 4);
             EXPECT_EQ(Extent(png, m, NotWhite).Right - m.Left, Extent(png, p, NotWhite).Right - p.Left + 1);
         }},
        {"x<SUP>x</SUP>", "xx",
         [](TBitmap& png, const TRect& m, const TRect&) {
             const int mid = Extent(png, m, Dark).Left + (Extent(png, m, Dark).Width() / 2);
             const TRect a = Extent(png, TRect(m.Left, m.Top, mid, m.Bottom), Dark);
             const TRect b = Extent(png, TRect(mid, m.Top, m.Right, m.Bottom), Dark);
             EXPECT_LT(b.Bottom, a.Bottom);
         }},
        {"x<SUB>x</SUB>", "xx",
         [](TBitmap& png, const TRect& m, const TRect&) {
             const int mid = Extent(png, m, Dark).Left + (Extent(png, m, Dark).Width() / 2);
             const TRect a = Extent(png, TRect(m.Left, m.Top, mid, m.Bottom), Dark);
             const TRect b = Extent(png, TRect(mid, m.Top, m.Right, m.Bottom), Dark);
             EXPECT_GT(b.Bottom, a.Bottom);
         }},
        {"top<BR>bottom", "top bottom",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Extent(png, m, Dark).Height(), Extent(png, p, Dark).Height() * 3 / 2);
         }},
        {"<A href=\"http://x\">link</A>", "link",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Count_Pixels(png, m, Bluish), 10);
             EXPECT_GE(LongestRow(png, m, Bluish), Extent(png, p, Dark).Width() - 2);   // underlined
         }},
        {"a <E>mispeled</E> word", "a mispeled word",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Count_Pixels(png, m, Reddish), 15);
             EXPECT_EQ(Count_Pixels(png, p, Reddish), 0);
         }},
        {"<BODY bgcolor=\"clAqua\">x", "x",
         [](TBitmap& png, const TRect& m, const TRect&) {
             EXPECT_GT(Count_Pixels(png, m, clAqua), m.Width() * m.Height() / 2);
         }},
        {"<FONT size=\"16\">Big</FONT>", "Big",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(Extent(png, m, Dark).Height(), Extent(png, p, Dark).Height() * 3 / 2);
         }},
        {"<UL><LI>item</UL>", "item",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             // The item stands on the second line, a bullet and 12 pixels in.
             EXPECT_GT(Extent(png, m, Dark).Top, Extent(png, p, Dark).Top + 8);
             EXPECT_GT(Extent(png, m, Dark).Right - m.Left, Extent(png, p, Dark).Right - p.Left + 10);
         }},
        {"<i></i>above<HR>", "above",
         [](TBitmap& png, const TRect& m, const TRect& p) {
             EXPECT_GT(LongestRow(png, m, Dark), m.Width() * 3 / 4);
             EXPECT_LT(LongestRow(png, p, Dark), p.Width() / 4);
         }},
        {"<U>xx</UL>xxxxxx", "xxxxxxxx",   // an end of list outside a list ends the underline
         [](TBitmap& png, const TRect& m, const TRect& p) {
             const int w = Extent(png, p, Dark).Width();
             EXPECT_GT(LongestRow(png, m, Dark), w / 5);
             EXPECT_LT(LongestRow(png, m, Dark), w / 2);
         }},
        {"<Z>hidden</Z>", "",
         [](TBitmap& png, const TRect& m, const TRect&) { EXPECT_EQ(Count_Pixels(png, m, Dark), 0); }},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        Grid->SetCellEx(1, int(i) + 1, cases[i].markup);
        Grid->SetCellEx(2, int(i) + 1, cases[i].plain);
    }
    Grid->FocusCell(2, 21, true);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "minihtml_cells.png", png));
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].markup);
        TRect m = Grid->CellRect(1, int(i) + 1), p = Grid->CellRect(2, int(i) + 1);
        // Inside the grid lines.
        m.Right -= 1;
        m.Bottom -= 1;
        p.Right -= 1;
        p.Bottom -= 1;
        cases[i].check(png, m, p);
    }
}

TEST_F(HTMLCellTest, HintWindowDrawsMarkup)
{
    THTMLHintWindow w(nullptr);
    w.Font()->SetName("Tahoma");
    w.Font()->SetSize(10);
    w.ActivateHint(TRect(10, 10, 20, 20), "plain <B>bold</B> <FONT color=\"clRed\">red</FONT><BR><U>second</U>");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(&w, "minihtml_hint.png", png));
    const TRect all(0, 0, w.Width(), w.Height());
    EXPECT_GT(Count_Pixels(png, all, Reddish), 10);
    // Two lines measured: the window is as high as two lines of text.
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(*w.Font());
    EXPECT_EQ(w.TextHeight(), 2 * b.Canvas()->TextHeight("gh"));
    EXPECT_LT(w.TextWidth(), b.Canvas()->TextWidth("plain <B>bold</B> <FONT color"));
}

TEST_F(HTMLCellTest, ClickOnALinkFiresTheAnchorEvent)
{
    Grid->SetCellEx(1, 2, "see <A href=\"http://example.invalid/a\">first</A> or <A href=\"cell://R5C2\">jump</A>");
    Grid->SetCellEx(2, 3, "<A href=\"http://b\">b</A>");
    Grid->SetCellEx(2, 5, "target");
    struct Seen {
        int row, col;
        String anchor;
    };
    std::vector<Seen> seen;
    bool autoHandle = false;
    Grid->OnAnchorClick = [&](TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle) {
        EXPECT_EQ(Sender, Grid);
        seen.push_back({ARow, ACol, Anchor});
        AutoHandle = autoHandle;
    };
    int clicks = 0;
    Grid->OnClickCell = [&](TObject*, int, int) { ++clicks; };
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(*Grid->Font());
    const TRect r = Grid->CellRect(1, 2);
    const int x0 = r.Left + Grid->XYOffset.X;
    const int y = r.Top + Grid->XYOffset.Y + b.Canvas()->TextHeight("gh") / 2;
    // On the first link: the event with its target, no cell click.
    UserClick(Grid, x0 + b.Canvas()->TextWidth("see ") + 5, y);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].anchor, "http://example.invalid/a");
    EXPECT_EQ(seen[0].row, 2);
    EXPECT_EQ(seen[0].col, 1);
    EXPECT_EQ(clicks, 0);
    // Beside the links: an ordinary cell click.
    UserClick(Grid, x0 + 2, y);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(clicks, 1);
    // A cell link followed by the grid moves to that cell.
    autoHandle = true;
    UserClick(Grid, x0 + b.Canvas()->TextWidth("see first or ") + 5, y);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].anchor, "cell://R5C2");
    EXPECT_EQ(Grid->Row(), 5);
    EXPECT_EQ(Grid->Col(), 2);
    // The grid's own hit test finds the same anchor.
    EXPECT_EQ(Grid->AnchorAt(1, 2, x0 + b.Canvas()->TextWidth("see ") + 5, y), "http://example.invalid/a");
    EXPECT_EQ(Grid->AnchorAt(1, 2, x0 + 2, y), "");
    EXPECT_EQ(Grid->AnchorAt(2, 5, x0 + 2, y), "");
}

TEST_F(HTMLCellTest, HoveringALinkUnderlinesItAndTellsTheWindow)
{
    Grid->URLUnderlineOnHover = true;
    Grid->SetCellEx(1, 2, "<A href=\"a\" title=\"First link\">one</A> <A href=\"b\">two</A>");
    std::vector<String> events;
    Grid->OnAnchorEnter = [&](TObject*, int ARow, int ACol, const String& Anchor) {
        events.push_back("enter " + Anchor + " " + IntToStr(ACol) + "," + IntToStr(ARow));
    };
    Grid->OnAnchorExit = [&](TObject*, int, int, const String& Anchor) { events.push_back("exit " + Anchor); };
    Grid->FocusCell(2, 21, true);
    TBitmap b(10, 10);
    b.Canvas()->Font()->Assign(*Grid->Font());
    const TRect r = Grid->CellRect(1, 2);
    const int x0 = r.Left + Grid->XYOffset.X;
    const int y = r.Top + Grid->XYOffset.Y + b.Canvas()->TextHeight("gh") / 2;
    const int one = b.Canvas()->TextWidth("one"), two = b.Canvas()->TextWidth("two");
    const TRect oneArea(x0, r.Top, x0 + one, r.Bottom - 1);
    const TRect twoArea(x0 + b.Canvas()->TextWidth("one "), r.Top, x0 + b.Canvas()->TextWidth("one two"), r.Bottom - 1);
    TBitmap png;
    // Nothing hovered: no link is underlined.
    ASSERT_TRUE(SNAPSHOT(Form, "minihtml_hover_none.png", png));
    EXPECT_LT(LongestRow(png, oneArea, Bluish), one - 3);
    EXPECT_LT(LongestRow(png, twoArea, Bluish), two - 3);
    // Over the second link: only it is underlined.
    UserMouseMove(Grid, twoArea.Left + 3, y);
    ASSERT_TRUE(SNAPSHOT(Form, "minihtml_hover_two.png", png));
    EXPECT_LT(LongestRow(png, oneArea, Bluish), one - 3);
    EXPECT_GE(LongestRow(png, twoArea, Bluish), two - 3);
    // Off the links: the underline goes, the window hears the leaving.
    UserMouseMove(Grid, r.Right - 4, y);
    ASSERT_TRUE(SNAPSHOT(Form, "minihtml_hover_off.png", png));
    EXPECT_LT(LongestRow(png, twoArea, Bluish), two - 3);
    EXPECT_EQ(events, (std::vector<String>{"enter b 1,2", "exit "}));

    // The hint over a link is its title, else the link itself; the window may change it.
    Grid->AnchorHint = true;
    Grid->SetShowHint(true);
    Grid->OnAnchorHint = [](TObject*, int, int, String& hint) {
        if (hint == "b") hint = "second";
    };
    const struct {
        int x;
        const char* hint;
    } cases[] = {{x0 + 3, "First link"}, {twoArea.Left + 3, "second"}};
    for (const auto& c : cases) {
        THintInfo info;
        info.HintControl = Grid;
        info.CursorPos = TPoint(c.x, y);
        Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        EXPECT_EQ(info.HintStr, c.hint);
        EXPECT_EQ(info.HintPos, Grid->ClientToScreen(TPoint(c.x + 8, y - 16)));
    }
}

TEST_F(HTMLCellTest, FooterTemplateDrawsMarkup)
{
    Grid->SetCellEx(1, 3, "42");
    Grid->FocusCell(1, 3, true);
    TFloatingFooter* ff = Grid->FloatingFooter();
    ff->SetVisible(true);
    ff->SetFooterStyle(fsCustomPreview);
    ff->SetCustomTemplate("<FONT color=\"clRed\">Sum</FONT> <#1>");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Grid->FooterPanel(), "minihtml_footer.png", png));
    const TRect all(0, 0, Grid->FooterPanel()->Width(), Grid->FooterPanel()->Height());
    EXPECT_GT(Count_Pixels(png, all, Reddish), 10);
    EXPECT_GT(Count_Pixels(png, all, Dark), 10);   // the column's text after it
}

TEST_F(HTMLCellTest, HighlightColourSettersReachEveryMarkupDrawing)
{
    // The grid's setters hand their colours to the process-wide highlight of markup, which
    // a hint window without a grid draws with too.
    Grid->SetHighlightColor(clAqua);
    Grid->SetHighlightTextColor(clRed);
    EXPECT_EQ(HTMLHighlightColor(), clAqua);
    EXPECT_EQ(HTMLHighlightTextColor(), clRed);
    THTMLHintWindow w(nullptr);
    w.ActivateHint(TRect(10, 10, 20, 20), "found <HI>here</HI>");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(&w, "minihtml_hint_highlight.png", png));
    const TRect all(0, 0, w.Width(), w.Height());
    EXPECT_GT(Count_Pixels(png, all, clAqua), 40);
    EXPECT_GT(Count_Pixels(png, all, Reddish), 5);
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}

// A cell naming a picture of the grid's container shows it at the cell's start, with the
// text after it; a name the container lacks takes no room.
TEST_F(HTMLCellTest, CellsShowPicturesOfTheGridsContainer)
{
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName("Logo");
    TBitmap blue(24, 16);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect(TRect(0, 0, 24, 16));
    const String path = PathJoin(Test_Folder("cell_pictures"), "logo.png");
    blue.SaveToFile(path);
    item->Picture()->LoadFromFile(path);
    Grid->PictureContainer = &container;
    Grid->SetCellEx(1, 1, "<IMG SRC=\"Logo\"> after");
    Grid->SetCellEx(1, 2, "<IMG SRC=\"Missing\"> after");
    Grid->SetCellEx(2, 1, "<IMG SRC=\"Logo\" WIDTH=\"48\" HEIGHT=\"32\">");
    Grid->FocusCell(2, 21, true);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "minihtml_cell_picture.png", png));
    const TRect shown = Grid->CellRect(1, 1), missing = Grid->CellRect(1, 2), sized = Grid->CellRect(2, 1);
    EXPECT_EQ(Count_Pixels(png, shown, clBlue), 24 * 16);
    EXPECT_EQ(Count_Pixels(png, missing, clBlue), 0);
    EXPECT_EQ(Count_Pixels(png, sized, clBlue), 48 * 32);
    // The text follows the picture: nothing dark left of its right edge.
    const int pictureRight = Extent(png, shown, [](TColor c) { return c == clBlue; }).Right;
    EXPECT_EQ(Count_Pixels(png, TRect(shown.Left, shown.Top, pictureRight, shown.Bottom - 1), Dark), 0);
    EXPECT_GT(Count_Pixels(png, TRect(pictureRight, shown.Top, shown.Right - 1, shown.Bottom - 1), Dark), 0);
    Grid->PictureContainer = nullptr;
}
