#include "grid/util/GridDateFilter.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {

// A decimal integer with blanks before it and an optional sign; nothing after it.
bool ReadDecimal(std::string_view s, int& value, int* digits = nullptr)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const size_t first = i;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > 0x7FFFFFFF) return false;
    }
    if (i == first) return false;
    value = int(negative ? -v : v);
    if (digits) *digits = int(i - first);
    return true;
}

// ---------------------------------------------------------------- US and European dates

TDateTime ParseDayMonthYear(const String& Text, bool MonthFirst)
{
    char sep = 0;
    for (char c : {'/', '.', '-'})
        if (Text.find(c) != String::npos) {
            sep = c;
            break;
        }
    if (!sep) return 0;
    const size_t p1 = Text.find(sep);
    const size_t p2 = Text.find(sep, p1 + 1);
    if (p2 == String::npos) return 0;
    int first = 0, second = 0, year = 0, yearDigits = 0;
    if (!ReadDecimal(std::string_view(Text).substr(0, p1), first) ||
        !ReadDecimal(std::string_view(Text).substr(p1 + 1, p2 - p1 - 1), second) ||
        !ReadDecimal(std::string_view(Text).substr(p2 + 1), year, &yearDigits))
        return 0;
    // Two-digit years get their century; a year written in full stays as written, so
    // 2020 and 20 are the same year.
    if (yearDigits <= 2) year += year >= 0 && year <= 25 ? 2000 : 1900;
    return MonthFirst ? EncodeDate(year, first, second) : EncodeDate(year, second, first);
}

// ---------------------------------------------------------------- conditions

String StripOuterQuotes(String s)
{
    if (!s.empty() && s.front() == '"') s.erase(0, 1);
    if (!s.empty() && s.back() == '"') s.pop_back();
    return s;
}

// The operand of a comparison, from index start (just after its operator): blanks
// before it skipped; it ends at a blank or at "&" or "|" outside double quotes, or at
// the end; one double quote at each end is dropped.
String ComparisonOperand(const String& c, size_t start)
{
    while (start < c.size() && c[start] == ' ') ++start;
    bool quoted = false;
    size_t end = start;
    for (; end < c.size(); ++end) {
        const char ch = c[end];
        if (ch == '"') quoted = !quoted;
        else if (!quoted && (ch == ' ' || ch == '&' || ch == '|')) break;
    }
    return StripOuterQuotes(c.substr(start, end - start));
}

// At most the first 255 characters (code points) of a text.
std::string_view First255(const String& s)
{
    size_t i = 0;
    int n = 0;
    while (i < s.size() && n < 255) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        ++n;
    }
    return std::string_view(s).substr(0, i);
}

// <0, 0, >0 as the text compares with the operand: as numbers when both read as
// numbers and neither as a date, as dates when both are dates, else as texts.
int CompareOperand(const String& Text, const String& Operand)
{
    double t = 0, o = 0;
    const bool tNum = TryStrToFloat(NumberTextToInvariant(Text), t, '.');
    const bool oNum = TryStrToFloat(NumberTextToInvariant(Operand), o, '.');
    TDateTime td = 0, od = 0;
    const bool tDate = ParseLocaleDateTime(Text, td);
    const bool oDate = ParseLocaleDateTime(Operand, od);
    if (!tNum || !oNum || tDate || oDate) {
        if (tDate && oDate) return td < od ? -1 : td > od ? 1 : 0;
        return First255(Text).compare(First255(Operand));
    }
    return t < o ? -1 : t > o ? 1 : 0;
}

// Size in bytes of the UTF-8 character that starts with byte b.
size_t CharSize(unsigned char b)
{
    if (b < 0xC0) return 1;
    if (b < 0xE0) return 2;
    if (b < 0xF0) return 3;
    return 4;
}

// The position after the character at i (never beyond the text's end).
size_t Next(std::string_view s, size_t i) { return std::min(i + CharSize(static_cast<unsigned char>(s[i])), s.size()); }

// A glob of "*" and "?" (double quotes already gone) against a text, the usual way:
// remember the last "*" and let it take one more character when a later step fails.
bool Glob(std::string_view p, std::string_view t)
{
    size_t pi = 0, ti = 0, star = std::string_view::npos, mark = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ti;
        } else if (pi < p.size() && p[pi] == '?') {
            ++pi;
            ti = Next(t, ti);
        } else if (pi < p.size() && p[pi] == t[ti]) {
            ++pi;
            ++ti;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            mark = Next(t, mark);
            ti = mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size() && ti >= t.size();
}

// The walk of a pattern and a text: "!" marks the result as negated, double quotes are
// skipped, "*" tries the rest of the pattern on every tail of the text, "?" takes one
// character, anything else itself. A walk that reaches a "*" with a "!" after it asks
// walks of the rest on the tails; their answers are kept, so that patterns of many
// stars stay quick.
class TPatternWalk {
public:
    TPatternWalk(std::string_view p, std::string_view t) : P(p), T(t) {}

    bool Walk(size_t pi, size_t ti)
    {
        bool negated = false, ok = true;
        while (pi < P.size() || ti < T.size()) {
            if (pi >= P.size()) {
                ok = false;
                break;
            }
            const char c = P[pi];
            if (c == '!') {
                negated = true;
                ++pi;
            } else if (c == '"') {
                ++pi;
            } else if (c == '*') {
                while (pi < P.size() && P[pi] == '*') ++pi;
                const std::string_view rest = P.substr(pi);
                if (rest.find('!') == std::string_view::npos) {
                    // No negation further on: whether some tail matches is a plain glob.
                    String plain = "*";
                    plain.reserve(rest.size() + 1);
                    for (char r : rest)
                        if (r != '"') plain += r;
                    ok = Glob(plain, T.substr(ti));
                } else {
                    ok = AnyTail(pi, ti);
                }
                break;
            } else if (ti >= T.size()) {
                ok = false;
                break;
            } else if (c == '?') {
                ++pi;
                ti = Next(T, ti);
            } else if (c == T[ti]) {
                ++pi;
                ++ti;
            } else {
                ok = false;
                break;
            }
        }
        return ok != negated;
    }

private:
    // Whether the walk from pi succeeds on some tail of the text that starts at ti or
    // later (on a character boundary).
    bool AnyTail(size_t pi, size_t ti)
    {
        const size_t n = T.size() + 1;
        if (Known.empty()) Known.assign((P.size() + 1) * n, -1);
        auto at = [&](size_t k) -> signed char& { return Known[pi * n + std::min(k, T.size())]; };
        // The tails not answered yet, from ti on up to the first answered one.
        std::vector<size_t> open;
        size_t k = std::min(ti, T.size());
        for (;;) {
            if (at(k) >= 0) break;
            open.push_back(k);
            if (k >= T.size()) break;
            k = Next(T, k);
        }
        bool any = !open.empty() && open.back() >= T.size() ? false : at(k) == 1;
        for (size_t i = open.size(); i-- > 0;) {
            any = any || Walk(pi, open[i]);
            at(open[i]) = any ? 1 : 0;
        }
        return at(ti) == 1;
    }

    std::string_view P, T;
    std::vector<signed char> Known;   // per pattern position and tail: -1 unknown, else the answer
};

}  // namespace

// ---------------------------------------------------------------- dates

bool ParseLocaleDateTime(const String& Text, TDateTime& DateTime)
{
    const String fmt = UpperCase(GetShortDateFormat());
    const size_t pd = fmt.find('D'), pm = fmt.find('M'), py = fmt.find('Y');
    if (pd == String::npos || pm == String::npos || py == String::npos) return false;
    // The fields in the order the pattern names them.
    std::vector<std::pair<size_t, char>> order{{pd, 'D'}, {pm, 'M'}, {py, 'Y'}};
    std::sort(order.begin(), order.end());

    const char sep = GetDateSeparator();
    String rest = Text;
    String fields[3];
    for (int i = 0; i < 2; ++i) {
        const size_t p = rest.find(sep);
        if (p == String::npos) return false;
        fields[i] = rest.substr(0, p);
        rest.erase(0, p + 1);
    }
    rest = Trim(rest);
    String timeText;
    if (const size_t b = rest.find(' '); b != String::npos) {
        timeText = Trim(rest.substr(b));
        rest.erase(b);
    }
    fields[2] = rest;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        int v = 0;
        if (!ReadDecimal(fields[i], v)) return false;
        (order[size_t(i)].second == 'D' ? day : order[size_t(i)].second == 'M' ? month : year) = v;
    }
    if (day > 31 || month > 12) return false;

    int hour = 0, minute = 0, second = 0;
    if (!timeText.empty()) {
        const char tsep = GetTimeSeparator();
        const size_t q = timeText.find(tsep);
        if (q == String::npos) {
            // No time after all: the date is kept, the text is not a date and time.
            try {
                DateTime = EncodeDate(year, month, day);
            } catch (const EConvertError&) {
            }
            return false;
        }
        if (!ReadDecimal(std::string_view(timeText).substr(0, q), hour) || hour > 23) return false;
        const String after = timeText.substr(q + 1);
        if (const size_t q2 = after.find(tsep); q2 != String::npos) {
            if (!ReadDecimal(std::string_view(after).substr(0, q2), minute) ||
                !ReadDecimal(std::string_view(after).substr(q2 + 1), second) || second > 60)
                return false;
        } else if (!ReadDecimal(after, minute)) {
            return false;
        }
        if (minute > 59) return false;
    }
    try {
        const TDateTime d = EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
        DateTime = d;
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

TDateTime ParseUSDate(const String& Text) { return ParseDayMonthYear(Text, true); }

TDateTime ParseEuroDate(const String& Text) { return ParseDayMonthYear(Text, false); }

TDateTime IncDateParts(int Years, int Months, int Days, TDateTime Date, TDateTime Step)
{
    const int given = (Years != 0) + (Months != 0) + (Days != 0);
    if (given != 1) return Date + Step;
    if (Days != 0) return Date + Days;
    const double timeOfDay = Date - std::trunc(Date);
    int y = 0, m = 0, d = 0;
    DecodeDate(Date, y, m, d);
    if (Years != 0) return EncodeDate(y + Years, m, d) + timeOfDay;
    // Months: the month moves, the year follows when it passes December or January.
    const int total = (m - 1) + Months;
    const int yearShift = total >= 0 ? total / 12 : -((11 - total) / 12);
    return EncodeDate(y + yearShift, total - yearShift * 12 + 1, d) + timeOfDay;
}

bool LooksLikeDate(const String& Text)
{
    const char sep = GetDateSeparator();
    const size_t p1 = Text.find(sep);
    if (p1 == String::npos || p1 < 1) return false;
    return Text.find(sep, p1 + 2) != String::npos;
}

// ---------------------------------------------------------------- helpers

String RemoveBlanksOutsideQuotes(const String& Text)
{
    String r;
    r.reserve(Text.size());
    bool quoted = false;
    for (char c : Text) {
        if (c == '"') quoted = !quoted;
        if (c == ' ' && !quoted) continue;
        r += c;
    }
    return r;
}

char FindOperatorOutsideQuotes(std::string_view Chars, const String& Text, int& Position)
{
    bool quoted = false;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '"') quoted = !quoted;
        else if (!quoted && Chars.find(c) != std::string_view::npos) {
            Position = int(i) + 1;
            return c;
        }
    }
    Position = -1;
    return 0;
}

int FindClosingParen(const String& Text)
{
    int open = 0, close = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '(') ++open;
        else if (Text[i] == ')') {
            ++close;
            if (open == close) return int(i) + 1;
        }
    }
    return 0;
}

String NumberTextToInvariant(const String& Text)
{
    const char D = GetDecimalSeparator(), T = GetThousandSeparator();
    String r;
    r.reserve(Text.size());
    for (char c : Text) {
        if (c == D) r += '.';
        else if (c != T) r += c;
    }
    return r;
}

String UpperCaseText(const String& Text)
{
    bool ascii = true;
    for (char c : Text)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return UpperCase(Text);
    std::u16string w = Utf8ToUtf16(Text);
    for (char16_t& c : w) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;   // half of a pair: left as it is
        const UChar32 u = u_toupper(static_cast<UChar32>(c));
        if (u <= 0xFFFF) c = static_cast<char16_t>(u);
    }
    return Utf16ToUtf8(w);
}

// ---------------------------------------------------------------- matching

bool MatchCondition(const String& Condition, const String& Text)
{
    const String& c = Condition;
    bool gtPresent = false, ltPresent = false, gt = true, lt = true;
    if (const size_t p = c.find('>'); p != String::npos) {
        const bool inclusive = p + 1 < c.size() && c[p + 1] == '=';
        const int cmp = CompareOperand(Text, ComparisonOperand(c, p + (inclusive ? 2 : 1)));
        gt = inclusive ? cmp >= 0 : cmp > 0;
        gtPresent = true;
    }
    if (const size_t p = c.find('<'); p != String::npos) {
        const bool inclusive = p + 1 < c.size() && c[p + 1] == '=';
        const int cmp = CompareOperand(Text, ComparisonOperand(c, p + (inclusive ? 2 : 1)));
        lt = inclusive ? cmp <= 0 : cmp < 0;
        ltPresent = true;
    }
    if (c.find('!') != String::npos) gtPresent = ltPresent = true;
    if (c.find('^') != String::npos && (gtPresent || ltPresent)) return lt || gt;
    if (c.find('&') != String::npos && gtPresent && ltPresent) return lt && gt;
    if (c.find('>') != String::npos && gt) return true;
    if (c.find('<') != String::npos && lt) return true;
    return TPatternWalk(c, Text).Walk(0, 0);
}

bool MatchFilterCondition(const String& Condition, const String& Text, bool CaseSensitive)
{
    if (CaseSensitive) return MatchCondition(Condition, Text);
    return MatchCondition(UpperCaseText(Condition), UpperCaseText(Text));
}

bool MatchFilterExpression(const String& Expression, const String& Text, bool CaseSensitive)
{
    String e = RemoveBlanksOutsideQuotes(Trim(Expression));
    if (!e.empty() && e[0] == '=') e.erase(0, 1);
    bool result = true;
    char pending = 0;
    auto combine = [&](bool value) {
        switch (pending) {
        case 0: result = value; break;
        case '&': result = result && value; break;
        case '(': break;   // the empty condition between a group and the next operator
        default: result = result || value; break;
        }
    };
    int pos = -1;
    while (const char op = FindOperatorOutsideQuotes("(;^&|", e, pos)) {
        if (e[0] == '(') {
            const int close = FindClosingParen(e);
            // A group that is never closed matches nothing (and must not be read again).
            if (close == 0) return false;
            combine(MatchFilterExpression(e.substr(1, size_t(close) - 2), Text, CaseSensitive));
            e.erase(0, size_t(close));
        } else {
            combine(MatchFilterCondition(e.substr(0, size_t(pos) - 1), Text, CaseSensitive));
            e.erase(0, size_t(pos));
        }
        pending = op;
    }
    combine(MatchFilterCondition(e, Text, CaseSensitive));
    return result;
}
