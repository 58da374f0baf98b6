// The markup helpers: tags removed, escaping both ways, search hits marked and unmarked,
// form-control values read and rewritten, colour values.
#include <gtest/gtest.h>

#include "grid/html/MiniHTML.h"

TEST(MiniHTMLText, StripHTMLTagsKeepsTheTextBetweenTags)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a<BR>b<I>c</I>", "a\r\nbc"},
        {"a<br>b<Hr>c", "a\r\nb\r\nc"},
        {"<b>bold</b> &amp; plain", "bold &amp; plain"},   // references stay as written
        {"x < y", "x < y"},                                // a "<" without ">" keeps the rest
        {"<b>x</b> <y", "x <y"},
        {"a > b", "a > b"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(StripHTMLTags(c.in), c.out) << c.in;
    // The plain text a reader sees decodes the entities and stops at an unclosed "<".
    EXPECT_EQ(StripHTMLToText("<b>bold</b> &amp; plain"), "bold & plain");
    EXPECT_EQ(StripHTMLToText("x <y"), "x ");
}

TEST(MiniHTMLText, EscapeAndUnescapeAreEachOthersReverse)
{
    const struct {
        const char* plain;
        bool named;
        const char* escaped;
    } cases[] = {
        {"a&b", false, "a&amp;b"},
        {"say \"<hi>\"", false, "say &quot;&lt;hi&gt;&quot;"},
        {"caf\xc3\xa9 \xe2\x82\xac", true, "caf&eacute; &euro;"},
        {"caf\xc3\xa9", false, "caf\xc3\xa9"},
        {"\xc3\x87" "a \xc2\xab\xc2\xbb", true, "&Ccedil;a &laquo;&raquo;"},
        // Texts that already look escaped come back as they were, not one step further.
        {"*amp;", false, "*amp;"},
        {"&quot;", false, "&amp;quot;"},
        {"&eacute;", true, "&amp;eacute;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(EscapeHTML(c.plain, c.named), c.escaped);
        EXPECT_EQ(UnescapeHTML(c.escaped, c.named), c.plain);
    }
    // Entity names match in their exact case, and only with Named.
    EXPECT_EQ(UnescapeHTML("&eacute;", false), "&eacute;");
    EXPECT_EQ(UnescapeHTML("&EACUTE;", true), "&EACUTE;");
    EXPECT_EQ(UnescapeHTML("&LT;", false), "&LT;");
    EXPECT_EQ(BlanksToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(MiniHTMLText, HighlightMarksEveryHitOfTheVisibleText)
{
    const struct {
        const char* text;
        const char* pattern;
        bool caseSensitive;
        const char* marked;
    } cases[] = {
        // The second hit's opening tag lands after the opening B tag.
        {"abc<B>abc</B>", "bc", true, "a<hi>bc</hi><B>a<hi>bc</B></hi>"},
        // Adjacent hits: each in a pair of its own, the text after them unmarked.
        {"bcbcx", "bc", true, "<hi>bc</hi><hi>bc</hi>x"},
        {"ABC abc", "bc", false, "A<hi>BC</hi> a<hi>bc</hi>"},
        {"ABC abc", "bc", true, "ABC a<hi>bc</hi>"},
        {"none", "x", false, "none"},
        // A stray bracket gives up the markup: the visible text escaped, then marked.
        {"<i>a</i> < b", "b", true, "a &lt; <hi>b</hi>"},
        {"", "x", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const String marked = HighlightHTMLText(c.text, c.pattern, "hi", c.caseSensitive);
        EXPECT_EQ(marked, c.marked);
        // Taking the marks out gives the text back (a stray bracket's text without its tags).
        EXPECT_EQ(UnHighlightHTMLText(marked, "HI"), String(c.text) == "<i>a</i> < b" ? String("a < b") : String(c.text));
    }
    EXPECT_EQ(UnHighlightHTMLText("a<HI>b</hi>&lt;<b>c</b>", "hi"), "ab<<b>c</b>");
}

TEST(MiniHTMLControls, ControlValuesAreReadAndTheTagRewritten)
{
    const String text = "x <CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"caf&eacute; &quot;1&quot;\" WIDTH=\"60\" "
                        "MAXLEN=\"8\"> <control type=\"RADIO\" id=\"r1\" value=\"TRUE\" width=\"15\"> "
                        "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"true\" WIDTH=\"15\"> "
                        "<CONTROL TYPE=\"MASK\" ID=\"m1\" VALUE=\"\" WIDTH=\"40\" PROP=\"00:00\"> "
                        "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"TRUE\" WIDTH=\"15\"> y";
    const struct {
        const char* id;
        bool found;
        const char* value;
        const char* prop;
        int maxLen;
    } cases[] = {
        {"e1", true, "caf\xc3\xa9 \"1\"", "", 8},
        {"r1", true, "TRUE", "", 0},
        {"m1", true, "", "00:00", 0},
        {"E1", false, "", "", 0},   // IDs match exactly
        {"zz", false, "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        String v = "old";
        EXPECT_EQ(GetHTMLControlValue(text, c.id, v), c.found);
        EXPECT_EQ(v, c.value);
        EXPECT_EQ(GetHTMLControlProp(text, c.id), c.prop);
        EXPECT_EQ(GetHTMLControlMaxLen(text, c.id), c.maxLen);
    }
    EXPECT_TRUE(HasHTMLControls("a <control id=\"x\">"));
    EXPECT_FALSE(HasHTMLControls("a <CONTRO>"));

    // The edit-like controls in text order: buttons, check boxes and radios are passed.
    const struct {
        const char* after;
        const char* next;
    } order[] = {{"", "e1"}, {"e1", "m1"}, {"r1", "m1"}, {"m1", ""}, {"nope", ""}};
    for (const auto& o : order) EXPECT_EQ(NextHTMLEditControl(text, o.after), o.next) << o.after;

    // The whole tag is rewritten in a fixed order, the type upper-cased.
    String s = "a <CONTROL TYPE=\"check\" ID=\"c1\" VALUE=\"FALSE\" WIDTH=\"15\"> b";
    ASSERT_TRUE(SetHTMLControlValue(s, "c1", "TRUE"));
    EXPECT_EQ(s, "a <CONTROL ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"15\" TYPE=\"CHECK\"> b");
    s = "<CONTROL TYPE=\"MASK\" ID=\"m\" VALUE=\"\" WIDTH=\"40\" HEIGHT=\"30\" PROP=\"&lt;9&gt;\" MAXLEN=\"4\">";
    ASSERT_TRUE(SetHTMLControlValue(s, "m", "1 \"2\" \xc3\xa9"));
    EXPECT_EQ(s, "<CONTROL ID=\"m\" VALUE=\"1 &quot;2&quot; &eacute;\" WIDTH=\"40\" HEIGHT=\"30\" TYPE=\"MASK\" "
                 "PROP=\"&lt;9&gt;\" MAXLEN=\"4\">");
    String v;
    ASSERT_TRUE(GetHTMLControlValue(s, "m", v));
    EXPECT_EQ(v, "1 \"2\" \xc3\xa9");
    EXPECT_EQ(GetHTMLControlProp(s, "m"), "<9>");
    // An ID no control has: false, text untouched.
    const String before = s;
    EXPECT_FALSE(SetHTMLControlValue(s, "zz", "x"));
    EXPECT_EQ(s, before);

    // Every radio button cleared, the other controls kept.
    const String cleared = ClearHTMLRadioControls(text);
    for (const char* id : {"r1", "r2"}) {
        ASSERT_TRUE(GetHTMLControlValue(cleared, id, v));
        EXPECT_EQ(v, "FALSE") << id;
    }
    ASSERT_TRUE(GetHTMLControlValue(cleared, "c1", v));
    EXPECT_EQ(v, "true");
}

TEST(MiniHTMLControls, AttributesReadFromOneTagOnly)
{
    // A value written without quotes is the word after "=", never the next quoted value.
    const THTMLControlTag t = ParseHTMLControlTag("<CONTROL TYPE=edit ID=a1 VALUE=\"v 1\" WIDTH=30>");
    EXPECT_EQ(t.Type, "EDIT");
    EXPECT_EQ(t.ID, "a1");
    EXPECT_EQ(t.Value, "v 1");
    EXPECT_EQ(t.Width, "30");
    EXPECT_FALSE(t.HasHeight);
    // An unclosed control tag is not a control.
    String v;
    EXPECT_FALSE(GetHTMLControlValue("<CONTROL ID=\"a\" VALUE=\"b\"", "a", v));
}

TEST(MiniHTMLColors, NamesAndHexValues)
{
    const struct {
        const char* value;
        TColor color;
    } cases[] = {
        {"clRed", 0x0000FF},        {"CLRED", 0x0000FF},     {"clnavy", 0x800000},
        {"clBtnFace", clBtnFace},  {"clInfoBk", clInfoBk}, {"clBackground", clBackground},
        {"clNoSuchColour", 0},      {"", 0},
        {"#FF0000", 0x0000FF},      {"#00FF00", 0x00FF00},   {"#0000FF", 0xFF0000},
        {"#102030", 0x302010},      {"#12345", 0x3412},      {"#", 0},
        {"#GG0000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HTMLColorValue(c.value), c.color) << c.value;
    EXPECT_EQ(HTMLColorByName("clRed"), TColor(0x0000FF));
    EXPECT_EQ(HTMLColorByName("#FF0000"), TColor(0));

    SetHTMLHighlightColors(clYellow, clBlue);
    EXPECT_EQ(HTMLHighlightColor(), clYellow);
    EXPECT_EQ(HTMLHighlightTextColor(), clBlue);
    SetHTMLHighlightColors(clHighlight, clHighlightText);
}
