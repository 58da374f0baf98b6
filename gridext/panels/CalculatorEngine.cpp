// The calculator's steps: operators, equals, percent, the pad's buttons and typed keys.
#include "gridext/panels/CalculatorEngine.h"

#include <cmath>

#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"

namespace {
bool IsDigit(WideChar c) { return c >= '0' && c <= '9'; }
bool HasChar(const String& s, char c) { return s.find(c) != String::npos; }
// Past this the next decimal digit no longer shows on any display; the divisor stops
// growing instead of overflowing.
constexpr std::int64_t Max_Decim = 1000000000000000000LL;
}   // namespace

double TCalculatorEngine::DisplayValue() const
{
    String s = FDisplay.DisplayText();
    const char thousand = GetThousandSeparator();
    String t;
    for (char c : s)
        if (c != thousand) t += c;
    return StrToFloat(t, GetDecimalSeparator());
}

bool TCalculatorEngine::EmptyOrError() const
{
    const String s = FDisplay.DisplayText();
    return s.empty() || s == Error_Text;
}

bool TCalculatorEngine::AtMaxLength() const
{
    const int max = FDisplay.DisplayMaxLength();
    return max > 0 && int(FDisplay.DisplayText().size()) >= max;
}

double TCalculatorEngine::Value()
{
    if (FDisplay.DisplayText().empty()) FDisplay.SetDisplayText("0");
    try {
        return DisplayValue();
    } catch (const EConvertError&) {
        return 0;
    }
}

void TCalculatorEngine::SetValue(double v) { FDisplay.SetDisplayText(FloatToStr(v, GetDecimalSeparator())); }

void TCalculatorEngine::Opened()
{
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

void TCalculatorEngine::Calculate()
{
    if (EmptyOrError()) FDisplay.SetDisplayText("0");
    const double x = DisplayValue();   // a display that is no number ends the action here
    double r = x;
    switch (FPrevop) {
    case 0: r = x + FPrevval; break;
    case 1: r = x * FPrevval; break;
    case 2: r = FPrevval - x; break;
    case 3:
        if (x == 0) {
            FPrevval = 0;
            ShowError();
            return;
        }
        r = FPrevval / x;
        break;
    default: break;
    }
    if (!std::isfinite(r)) {
        // A result past the number range is no number to go on with: like a division
        // by zero it shows "Error" rather than a plausible 0.
        FPrevval = 0;
        ShowError();
        FNewval = true;
        return;
    }
    FPrevval = r;
    FDisplay.SetDisplayText(FDisplay.FormatNumber(FPrevval));
    FNewval = true;
}

void TCalculatorEngine::Operator(int Op)
{
    Calculate();
    FPrevop = Op;
}

void TCalculatorEngine::Equals()
{
    Calculate();
    if (FDisplay.DisplayText().empty()) FDisplay.SetDisplayText("0");
    FPrevop = -1;
    if (FDisplay.DisplayText() != Error_Text) FPrevval = DisplayValue();
}

void TCalculatorEngine::Percent()
{
    if (EmptyOrError()) FDisplay.SetDisplayText("0");
    const double r = FPrevval * DisplayValue() / 100;
    if (!std::isfinite(r)) {
        ShowError();
        return;
    }
    FDisplay.SetDisplayText(FloatToStr(r, GetDecimalSeparator()));
}

void TCalculatorEngine::ClearAll()
{
    FDisplay.SetDisplayText("0");
    FPrevval = 0;
    FPrevop = -1;
}

void TCalculatorEngine::Digit(int d)
{
    double v = FDisplay.DisplayNumber();
    if ((v == 0 && FDecim == 0) || FNewval) {
        FDisplay.SetDisplayText(String(1, char('0' + d)));
        FNewval = false;
        return;
    }
    // A digit extends the number away from zero, on either side of it.
    const double sign = (v < 0 || (v == 0 && HasChar(FDisplay.DisplayText(), '-'))) ? -1 : 1;
    if (FDecim > 0) {
        v += sign * d / double(FDecim);
        if (FDecim < Max_Decim) FDecim *= 10;
    } else {
        v = v * 10 + sign * d;
    }
    if (!std::isfinite(v)) {
        ShowError();
        return;
    }
    FDisplay.SetDisplayText(FDisplay.FormatNumber(v));
}

void TCalculatorEngine::ButtonClick(int Tag)
{
    FDisplay.BeforeCalcAction();
    if ((Tag >= 10 && Tag <= 14) || (Tag >= 16 && Tag <= 18)) FDecim = 0;
    // A full display takes no more digits, but a digit that starts a new number
    // replaces it and must not be refused.
    if (((Tag >= 0 && Tag <= 9 && !FNewval) || Tag == ctSign || Tag == ctDecimal) && AtMaxLength()) return;
    const String disp = FDisplay.DisplayText();
    const char sep = GetDecimalSeparator();
    switch (Tag) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9:
        Digit(Tag);
        break;
    case ctAdd: Operator(0); break;
    case ctSubtract: Operator(2); break;
    case ctMultiply: Operator(1); break;
    case ctDivide: Operator(3); break;
    case ctSign:
        // "Error" has no sign to change.
        if (disp == Error_Text) break;
        if (HasChar(disp, '-'))
            FDisplay.SetDisplayText(disp.substr(1));
        else
            FDisplay.SetDisplayText("-" + disp);
        break;
    case ctDecimal:
        if (!HasChar(disp, sep)) FDisplay.SetDisplayText(disp + sep);
        FDecim = 10;
        if (FNewval) FDisplay.SetDisplayText("0");
        FNewval = false;
        break;
    case ctClear: case ctOn: case ctClearEntry: ClearAll(); break;
    case ctEquals: Equals(); break;
    case ctPercent: Percent(); break;
    case ctBack:
        if (FPrevop == -1) {
            String s = FloatToStr(FDisplay.DisplayNumber(), sep);
            if (!s.empty()) s.pop_back();
            FDisplay.SetDisplayText(s);
        }
        break;
    case ctMemClear: FMVal = 0; break;
    case ctMemRecall: FDisplay.SetDisplayText(FDisplay.FormatNumber(FMVal)); break;
    case ctMemStore: FMVal = DisplayValue(); break;
    case ctMemAdd: {
        const double m = FMVal + DisplayValue();
        // A memory past the number range would recall as no number: it keeps its value.
        if (std::isfinite(m)) FMVal = m;
        break;
    }
    case ctSqrt:
    case ctReciprocal: {
        // Like the calculation steps, they read "Error" or an empty display as 0.
        const double x = EmptyOrError() ? 0 : DisplayValue();
        const double r = Tag == ctSqrt ? (x >= 0 ? std::sqrt(x) : NAN) : (x != 0 ? 1 / x : NAN);
        if (std::isfinite(r))
            FDisplay.SetDisplayText(FDisplay.FormatNumber(r));
        else
            ShowError();
        break;
    }
    default: return;
    }
    FDisplay.DisplayModified();
}

void TCalculatorEngine::EditKeyPress(WideChar& Key)
{
    if (!FDisplay.PadShowing()) {
        switch (Key) {
        case 13: case '=': Equals(); Key = 0; return;
        case '%': Percent(); Key = 0; return;
        case '*': Operator(1); Key = 0; return;
        case '+': Operator(0); Key = 0; return;
        case '-': Operator(2); Key = 0; return;
        case '/': Operator(3); Key = 0; return;
        case 'C': case 'c':
            FDisplay.SetDisplayText("0");
            FNewval = true;
            FPrevop = -1;
            Key = 0;
            return;
        default: break;
        }
    }
    const char sep = GetDecimalSeparator();
    if (!IsDigit(Key) && Key != WideChar(sep) && Key != 8 && Key != '-') {
        Key = 0;
        return;
    }
    const String disp = FDisplay.DisplayText();
    if (IsDigit(Key) && (disp == "0" || FNewval)) {
        FDisplay.SetDisplayText(String(1, char(Key)));
        FDisplay.CaretAfterFirst();
        FNewval = false;
        Key = 0;
        return;
    }
    if (Key == 8 && disp.size() == 1) {
        FDisplay.SetDisplayText("0");
        FDisplay.CaretAfterFirst();
        Key = 0;
        return;
    }
    if (Key == WideChar(GetThousandSeparator())) Key = 0;
    if (Key == WideChar(sep) && HasChar(disp, sep)) Key = 0;
}

void TCalculatorEngine::EditKeyDown(WORD Key)
{
    if (Key == VK_DELETE && EmptyOrError()) FDisplay.SetDisplayText("0");
}

void TCalculatorEngine::DropDownKeyPress(WideChar Key, TShiftState Shift)
{
    FDisplay.BeforeCalcAction();
    const char sep = GetDecimalSeparator();
    if (Key == WideChar(sep)) {
        const String disp = FDisplay.DisplayText();
        if (!HasChar(disp, sep)) FDisplay.SetDisplayText(disp + sep);
        return;
    }
    if (IsDigit(Key)) {
        if (AtMaxLength() && !FNewval) return;
        if (FDisplay.DisplayText() == "0" || FNewval) FNewval = false;
        return;
    }
    switch (Key) {
    case 13:
        Equals();
        FDisplay.CloseDropDown(false);
        break;
    case 27: FDisplay.CloseDropDown(true); break;
    case '%': Percent(); break;
    case '&':
        if (Shift.Contains(ssAlt)) FDisplay.CloseDropDown(true);
        break;
    case '*': Operator(1); break;
    case '+': Operator(0); break;
    case '-': Operator(2); break;
    case '/': Operator(3); break;
    case '=': Equals(); break;
    case 'C': case 'c':
        FDisplay.SetDisplayText("0");
        FPrevval = 0;
        FNewval = true;
        FPrevop = -1;
        break;
    default: break;
    }
}

void TCalculatorEngine::DropDownKeyDown(WORD Key)
{
    FDisplay.BeforeCalcAction();
    if (Key == VK_TAB || Key == VK_F4) {
        FDisplay.CloseDropDown(false);
        return;
    }
    if (Key == VK_BACK) {
        String s = FDisplay.DisplayText();
        // "Error" is a message, not digits to take back one by one.
        if (s == Error_Text) s.clear();
        if (!s.empty()) s.pop_back();
        FDisplay.SetDisplayText(s.empty() || s == Error_Text ? String("0") : s);
    }
}
