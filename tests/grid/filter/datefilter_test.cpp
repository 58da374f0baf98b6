// Date texts in the regional, US and European orders, date steps, and filter
// expressions matched against cell texts: tables of cases, the malformed ones included.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "grid/util/GridDateFilter.h"
#include "platform/os/Regional.h"

namespace {

// Regional settings of a European desk: day first, "/" and ":" separators, "." decimal
// and "," thousand separator; put back afterwards.
class RegionalTest : public ::testing::Test {
protected:
    void SetUp() override { Regional("dd/mm/yyyy"); }
    void TearDown() override
    {
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
    }
    static void Regional(const String& DatePattern)
    {
        SetShortDateFormatOverride(DatePattern);
        SetLongTimeFormatOverride("hh:nn:ss");
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
    }
};

TDateTime At(int y, int m, int d, int h = 0, int mi = 0, int s = 0) { return EncodeDate(y, m, d) + EncodeTime(h, mi, s, 0); }

constexpr TDateTime Untouched = -12345;

}  // namespace

// ---------------------------------------------------------------- dates

TEST_F(RegionalTest, LocaleDateTextsAreReadInThePatternsOrderWithAnOptionalTime)
{
    struct Case {
        const char* Pattern;
        const char* Text;
        bool Ok;
        TDateTime Stored;   // Untouched: nothing stored
    };
    const Case cases[] = {
        {"dd/mm/yyyy", "31/12/2020", true, At(2020, 12, 31)},
        {"dd/mm/yyyy", "31/12/2020 23:59:58", true, At(2020, 12, 31, 23, 59, 58)},
        {"dd/mm/yyyy", "31/12/2020 12:30", true, At(2020, 12, 31, 12, 30)},
        {"dd/mm/yyyy", " 1/2/2021 ", true, At(2021, 2, 1)},
        {"dd/mm/yyyy", "31/12/20", true, At(20, 12, 31)},   // the year as written
        // A time without its separator: false, but the date is kept.
        {"dd/mm/yyyy", "31/12/2020 noon", false, At(2020, 12, 31)},
        {"dd/mm/yyyy", "32/01/2020", false, Untouched},
        {"dd/mm/yyyy", "01/13/2020", false, Untouched},
        {"dd/mm/yyyy", "31/02/2020", false, Untouched},
        {"dd/mm/yyyy", "00/01/2020", false, Untouched},
        {"dd/mm/yyyy", "12/2020", false, Untouched},
        {"dd/mm/yyyy", "", false, Untouched},
        {"dd/mm/yyyy", "a/12/2020", false, Untouched},
        {"dd/mm/yyyy", "31/12/20x0", false, Untouched},
        {"dd/mm/yyyy", "31/12/2020 24:00", false, Untouched},
        {"dd/mm/yyyy", "31/12/2020 12:60", false, Untouched},
        {"dd/mm/yyyy", "31/12/2020 12:30:60", false, Untouched},   // the encoder refuses 60 s
        {"dd/mm/yyyy", "31/12/2020 12:30:61", false, Untouched},
        {"dd/mm/yyyy", "31/12/2020 ab:30", false, Untouched},
        {"m/d/yyyy", "2/28/2021", true, At(2021, 2, 28)},
        {"m/d/yyyy", "28/2/2021", false, Untouched},
        {"yyyy-mm-dd", "2021-02-28 08:05", true, At(2021, 2, 28, 8, 5)},
        {"yyyy-mm-dd", "28/02/2021", false, Untouched},
    };
    for (const Case& c : cases) {
        Regional(c.Pattern);
        TDateTime dt = Untouched;
        EXPECT_EQ(ParseLocaleDateTime(c.Text, dt), c.Ok) << c.Pattern << " " << c.Text;
        EXPECT_NEAR(dt, c.Stored, 1e-6) << c.Pattern << " " << c.Text;
    }
}

TEST_F(RegionalTest, USAndEuropeanDatesTakeTwoDigitYearsWithTheirCenturyAndFullYearsAsWritten)
{
    struct Case {
        bool US;
        const char* Text;
        TDateTime Expected;   // 0: no date form
    };
    const Case cases[] = {
        {true, "2.28.21", At(2021, 2, 28)},
        {false, "28-02-99", At(1999, 2, 28)},
        {false, "1/2/0", At(2000, 2, 1)},
        {false, "1/1/25", At(2025, 1, 1)},
        {false, "1/1/26", At(1926, 1, 1)},
        // Four digits stay the year they say, so both spellings agree.
        {true, "12/31/2020", At(2020, 12, 31)},
        {false, "31.12.2020", At(2020, 12, 31)},
        {false, "31.12.20", At(2020, 12, 31)},
        {false, "5-6-1999", At(1999, 6, 5)},
        // "/" wins over "." and "-": the rest does not convert.
        {false, "1.2/3/2020", 0},
        {true, "20201231", 0},
        {true, "12/2020", 0},
        {false, "aa/bb/cc", 0},
        {false, "", 0},
    };
    for (const Case& c : cases) {
        const TDateTime got = c.US ? ParseUSDate(c.Text) : ParseEuroDate(c.Text);
        EXPECT_NEAR(got, c.Expected, 1e-9) << (c.US ? "US " : "EU ") << c.Text;
    }
    // A date that does not exist reaches the caller as a conversion error.
    EXPECT_THROW(ParseUSDate("2/30/2021"), EConvertError);
    EXPECT_THROW(ParseEuroDate("31.04.21"), EConvertError);
}

TEST_F(RegionalTest, DateStepsMoveByTheOnePartGivenElseByTheStep)
{
    struct Case {
        int Y, M, D;
        TDateTime Date, Step, Expected;
    };
    const Case cases[] = {
        {0, 1, 0, At(2020, 12, 15), 0, At(2021, 1, 15)},
        {0, -1, 0, At(2021, 1, 15), 0, At(2020, 12, 15)},
        {0, 11, 0, At(2020, 3, 10), 0, At(2021, 2, 10)},
        {0, -11, 0, At(2021, 2, 10), 0, At(2020, 3, 10)},
        {4, 0, 0, At(2020, 2, 29), 0, At(2024, 2, 29)},
        {0, 0, 3, At(2020, 2, 28), 9, At(2020, 3, 2)},
        {0, 0, 0, At(2020, 1, 1), 7, At(2020, 1, 8)},
        {1, 1, 0, At(2020, 1, 1), 2, At(2020, 1, 3)},
        {0, 1, 0, At(2020, 1, 1, 6, 0, 0), 0, At(2020, 2, 1, 6, 0, 0)},   // the time of day stays
    };
    for (const Case& c : cases)
        EXPECT_NEAR(IncDateParts(c.Y, c.M, c.D, c.Date, c.Step), c.Expected, 1e-6) << c.Y << " " << c.M << " " << c.D;
    EXPECT_THROW(IncDateParts(0, 1, 0, At(2021, 1, 31), 0), EConvertError);
    EXPECT_THROW(IncDateParts(1, 0, 0, At(2020, 2, 29), 0), EConvertError);
}

TEST_F(RegionalTest, ATextLooksLikeADateWithTwoSeparatorsApart)
{
    const std::pair<const char*, bool> cases[] = {
        {"1/2/3", true}, {"12/3/2020", true}, {"/1/2", false}, {"12//", false},
        {"1/2", false},  {"", false},         {"abc", false},  {"1//2/", true},
    };
    for (auto [text, expected] : cases) EXPECT_EQ(LooksLikeDate(text), expected) << text;
}

// ---------------------------------------------------------------- filter expressions

TEST_F(RegionalTest, FilterExpressionsMatchCellTexts)
{
    struct Case {
        const char* Expression;
        const char* Text;
        bool CaseSensitive;
        bool Expected;
    };
    const Case cases[] = {
        // wildcards and negation
        {"a*", "abc", true, true},
        {"a*", "a", true, true},
        {"*c", "abc", true, true},
        {"a*c", "ab", true, false},
        {"a?c", "abc", true, true},
        {"a?c", "ac", true, false},
        {"!a*", "bcd", true, true},
        {"!a*", "abc", true, false},
        {"a**c", "abxc", true, true},
        {"*b*", "abc", true, true},
        {"abc", "abcd", true, false},
        {"?b", "\xC3\xA4" "b", true, true},   // "?" takes a whole character
        // comparisons: numbers, texts, dates
        {">5", "6", true, true},
        {">5", "12", true, true},
        {">5", "5", true, false},
        {">=5", "5", true, true},
        {"<5", "4.5", true, true},
        {"<=5", "6", true, false},
        {">9", "10", true, true},             // as numbers, not as texts
        {">1,000", "1,500", true, true},      // thousand separators dropped
        {">5&<10", "7", true, true},
        {">5&<10", "3", true, false},
        {">5&<10", "12", true, false},
        {">b", "c", true, true},
        {">b", "a", true, false},
        {">a", "B", false, true},
        {">a", "B", true, false},
        {">01/01/2020", "02/01/2020", true, true},   // as dates: 2 January after 1 January
        {">01/01/2020", "31/12/2019", true, false},  // though "31..." sorts after "01..." as text
        {"<\"b c\"", "b a", true, true},
        // or, and, groups, strictly left to right
        {"x|y", "x", true, true},
        {"x|y", "y", true, true},
        {"x|y", "z", true, false},
        {"x;y", "y", true, true},
        {"x^y", "y", true, true},
        {"(x*|y*)&*z", "xz", true, true},
        {"(x*|y*)&*z", "yz", true, true},
        {"(x*|y*)&*z", "xy", true, false},
        {"x*|y*&*z", "xa", true, false},
        {"a&(b*|*c)", "a", true, false},
        {"(a|b)", "b", true, true},
        {"((a|b)&b)|c", "b", true, true},
        // blanks, quotes, a leading equals sign, case
        {"> 5", "6", true, true},
        {" x | y ", "y", true, true},
        {"x y", "xy", true, true},
        {"\"x y\"", "x y", true, true},
        {"\"x y\"", "xy", true, false},
        {"\"a|b\"", "a|b", true, true},
        {"=abc", "abc", true, true},
        {"=", "", true, true},
        {"=", "a", true, false},
        {"", "", true, true},
        {"ABC*", "abcd", false, true},
        {"ABC*", "abcd", true, false},
        {"\xC3\xA4*", "\xC3\x84pfel", false, true},   // upper case beyond ASCII
        {"\xC3\xA4*", "\xC3\x84pfel", true, false},
        // malformed: an unclosed group matches nothing and ends
        {"(a", "a", true, false},
        {"((a|b)", "a", true, false},
        {"(", "", true, false},
        {"a|(b", "a", true, false},
        {")a", ")a", true, true},
        {"a)", "a)", true, true},
        {"&", "", true, true},
        {"|", "x", true, false},
        {">", "x", true, true},
        {"<", "", true, false},
        {"!", "", true, false},
        {"\"", "", true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilterExpression(c.Expression, c.Text, c.CaseSensitive), c.Expected)
            << "'" << c.Expression << "' on '" << c.Text << "' case " << c.CaseSensitive;
}

namespace {
// The pattern walk as it reads, star by star and tail by tail, without any shortcut.
bool NaiveWalk(const String& p, size_t pi, const String& t, size_t ti)
{
    bool negated = false, ok = true;
    while (ok && (pi < p.size() || ti < t.size())) {
        if (pi >= p.size()) ok = false;
        else if (p[pi] == '!') negated = true, ++pi;
        else if (p[pi] == '"') ++pi;
        else if (p[pi] == '*') {
            while (pi < p.size() && p[pi] == '*') ++pi;
            ok = false;
            for (size_t k = t.size() + 1; k-- > ti && !ok;) ok = NaiveWalk(p, pi, t, k);
            return ok != negated;
        } else if (ti >= t.size()) ok = false;
        else if (p[pi] == '?' || p[pi] == t[ti]) ++pi, ++ti;
        else ok = false;
    }
    return ok != negated;
}

void Words(const String& alphabet, size_t maxLen, const std::function<void(const String&)>& each, String w = "")
{
    each(w);
    if (w.size() == maxLen) return;
    for (char c : alphabet) Words(alphabet, maxLen, each, w + c);
}
}  // namespace

TEST_F(RegionalTest, PatternWalkAnswersAsTheStarByStarWalk)
{
    // Every pattern of up to five of a, b, ?, *, !, " against every text of up to four
    // of a and b.
    std::vector<String> texts;
    Words("ab", 4, [&](const String& t) { texts.push_back(t); });
    int checked = 0;
    Words("ab?*!\"", 5, [&](const String& p) {
        for (const String& t : texts) {
            ASSERT_EQ(MatchCondition(p, t), NaiveWalk(p, 0, t, 0)) << "'" << p << "' on '" << t << "'";
            ++checked;
        }
    });
    EXPECT_GT(checked, 100000);
}

TEST_F(RegionalTest, PatternsOfManyStarsWithNegationsEnd)
{
    // Tried tail by tail these patterns take ages; the walk answers each tail once and
    // still agrees with the star-by-star walk where that one finishes.
    for (const char* tail : {"a", "b", "?"}) {
        String small;
        for (int i = 0; i < 5; ++i) small += "*!";
        EXPECT_EQ(MatchCondition(small + tail, "aaaaaaa"), NaiveWalk(small + tail, 0, "aaaaaaa", 0)) << tail;
        String big;
        for (int i = 0; i < 40; ++i) big += "*!";
        const String text(2000, 'a');
        EXPECT_EQ(MatchCondition(big + tail, text), MatchCondition(big + tail, text));
    }
    String globPattern;
    for (int i = 0; i < 50; ++i) globPattern += "*a";
    EXPECT_TRUE(MatchCondition(globPattern + "*", String(2000, 'a')));
    EXPECT_FALSE(MatchCondition(globPattern + "b", String(2000, 'a')));
}

TEST_F(RegionalTest, MatcherHelpersFindOperatorsAndParenthesesOutsideQuotes)
{
    EXPECT_EQ(RemoveBlanksOutsideQuotes(" a b \"c d\" e "), "ab\"c d\"e");
    EXPECT_EQ(RemoveBlanksOutsideQuotes("\"x y"), "\"x y");   // an open quote keeps the rest
    struct Op {
        const char* Text;
        char Found;
        int Position;
    };
    const Op ops[] = {{"a&b|c", '&', 2}, {"\"a&b\"|c", '|', 6}, {"abc", 0, -1}, {"\"a|b", 0, -1}, {"(x)", '(', 1}};
    for (const Op& o : ops) {
        int pos = 99;
        EXPECT_EQ(FindOperatorOutsideQuotes("(;^&|", o.Text, pos), o.Found) << o.Text;
        EXPECT_EQ(pos, o.Position) << o.Text;
    }
    const std::pair<const char*, int> parens[] = {{"(a)", 3}, {"(a(b))c", 6}, {"(a", 0}, {"a)", 0}, {"()()", 2}, {"", 0}};
    for (auto [text, expected] : parens) EXPECT_EQ(FindClosingParen(text), expected) << text;
    EXPECT_EQ(NumberTextToInvariant("1,234.5"), "1234.5");
    SetDecimalSeparatorOverride(',');
    SetThousandSeparatorOverride('.');
    EXPECT_EQ(NumberTextToInvariant("1.234,5"), "1234.5");
    EXPECT_TRUE(MatchFilterExpression("<4,6", "4,5", true));
}
