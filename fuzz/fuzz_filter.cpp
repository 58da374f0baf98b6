// Filter and find conditions typed by the user, and dates typed or pasted into cells:
// the expression matcher against a cell text, the date readers and the date steps. The
// input is the expression, a line break, and the cell text. Each routine is checked
// against what it promises, not only for crashes and endless loops.
#include <cmath>

#include "fuzz/FuzzCommon.h"
#include "grid/util/GridDateFilter.h"
#include "platform/os/Regional.h"

namespace {

bool Plain(const String& s)
{
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.')) return false;
    return !s.empty();
}

void Expression(const String& e, const String& t)
{
    const bool m = MatchFilterExpression(e, t, true);
    (void)MatchFilterExpression(e, t, false);
    fuzz::Check(MatchFilterExpression("  " + e + " ", t, true) == m, "blanks around the expression do not count",
                e + " | " + t);
    fuzz::Check(MatchFilterExpression("(" + e + ")", t, true) == m || FindClosingParen("(" + e + ")") != int(e.size()) + 2,
                "a group of the whole expression matches as the expression", e + " | " + t);
    if (Plain(t)) fuzz::Check(MatchFilterExpression(t, t, true), "a plain text matches itself", t);

    const String r = RemoveBlanksOutsideQuotes(e);
    fuzz::Check(RemoveBlanksOutsideQuotes(r) == r, "blanks are removed in one go", e);
    const int close = FindClosingParen(e);
    fuzz::Check(close == 0 || (close <= int(e.size()) && e[size_t(close) - 1] == ')'), "the closing parenthesis", e);
    int pos = 0;
    const char op = FindOperatorOutsideQuotes("(;^&|", e, pos);
    fuzz::Check(op ? pos >= 1 && e[size_t(pos) - 1] == op : pos == -1, "the operator found is where it says", e);
}

void Dates(const String& t)
{
    TDateTime dt = 0;
    if (ParseLocaleDateTime(t, dt)) fuzz::Check(std::isfinite(dt), "a date read is a number", t);
    (void)LooksLikeDate(t);
    for (bool us : {true, false}) {
        try {
            const TDateTime d = us ? ParseUSDate(t) : ParseEuroDate(t);
            fuzz::Check(std::isfinite(d), "a date read is a number", t);
            if (d != 0) {
                try {
                    (void)IncDateParts(0, int(t.size() % 23) - 11, 0, d, 1);
                    (void)IncDateParts(int(t.size() % 5), 0, 0, d, 1);
                } catch (const EConvertError&) {
                }
            }
        } catch (const EConvertError&) {
            // a day the month does not have
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static const bool Regional = [] {
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        return true;
    }();
    (void)Regional;
    const std::string_view In = fuzz::Bytes(Data, Size);
    const size_t nl = In.find('\n');
    const String e(In.substr(0, nl));
    const String t(nl == std::string_view::npos ? std::string_view() : In.substr(nl + 1));
    Expression(e, t);
    Dates(t);
    Dates(e);
    return 0;
}
