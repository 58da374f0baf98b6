// The drop-down edit's typed text: edit types, prefix and suffix around the value,
// precision and money formatting, the integer-digit limit, the sign switch, the
// clipboard, and the completion of numbers when the focus leaves.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "grid/util/GridTextUtils.h"
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {
using U16 = std::u16string;

char16_t DecSep() { return char16_t(GetDecimalSeparator()); }
char16_t ThouSep() { return char16_t(GetThousandSeparator()); }
bool IsDigit(char16_t c) { return c >= '0' && c <= '9'; }
U16 U(const String& s) { return Utf8ToUtf16(s); }
String S(const U16& s) { return Utf16ToUtf8(s); }

// Integer (0), float (1), text (2) or hexadecimal (5).
int ClassifyText(const U16& s)
{
    if (s.empty()) return 2;
    bool isInt = true, isFloat = true, isHex = true;
    const char16_t ts = ThouSep();
    int lastThou = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        const int i = int(k) + 1;
        const char16_t c = s[k];
        if (!(c == '-' || IsDigit(c))) isInt = false;
        if (!(c == ',' || c == '-' || c == '.' || IsDigit(c))) isFloat = false;
        if (!(c == '-' || IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) isHex = false;
        if (c == ts) {
            if (i == 1 || (lastThou > 0 && i - lastThou < 3)) isFloat = false;
            lastThou = i;
        }
    }
    int r = 2;
    if (isHex && !isInt) r = 5;
    else if (isInt) r = 0;
    else if (isFloat) r = 1;
    if (std::count(s.begin(), s.end(), u'-') > 1 || std::count(s.begin(), s.end(), DecSep()) > 1) r = 2;
    return r;
}

// Thousand separators out, then the locale's number; 0 when it is none.
double TextToFloat(const U16& v)
{
    U16 t;
    const char16_t ts = ThouSep(), ds = DecSep();
    for (char16_t c : v) {
        if (c == ts && ts != ds) continue;
        t.push_back(c == ds ? u'.' : c);
    }
    const String a = S(t);
    if (a.empty()) return 0;
    char* end = nullptr;
    const double x = std::strtod(a.c_str(), &end);
    return end && *end == 0 ? x : 0;
}

// Digits with the locale's separators: N decimals, thousands grouped when asked.
U16 FormatFixed(double x, int N, bool thousands)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, N), x);
    U16 s = U(buf);
    bool neg = !s.empty() && s[0] == '-';
    if (neg) s.erase(0, 1);
    const size_t dot = s.find(u'.');
    U16 ip = s.substr(0, dot), fp = dot == U16::npos ? U16() : s.substr(dot + 1);
    if (thousands)
        for (int i = int(ip.size()) - 3; i > 0; i -= 3) ip.insert(size_t(i), 1, ThouSep());
    U16 out = (neg ? u"-" : u"") + ip;
    if (!fp.empty()) out += DecSep() + fp;
    return out;
}

U16 FormatGeneral(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", x);
    U16 s = U(buf);
    std::replace(s.begin(), s.end(), u'.', DecSep());
    return s;
}

U16 ToHex(long long n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llX", n);
    return U(buf);
}

// Characters before the first decimal separator, without thousand separators and
// (when not counted) the sign.
int IntegerDigits(const U16& v, bool skipSign)
{
    int n = 0;
    const char16_t ds = DecSep(), ts = ThouSep();
    for (char16_t c : v) {
        if (c == ds) break;
        if (c == ts || (skipSign && c == '-')) continue;
        ++n;
    }
    return n;
}
}

// ---------------------------------------------------------------- value and shown text

int TExtCustomDropDown::PrefixLen() const { return int(U(FPrefix).size()); }
int TExtCustomDropDown::SuffixLen() const { return int(U(FSuffix).size()); }
U16 TExtCustomDropDown::ShownU() const { return U(TCustomMaskEdit::GetText()); }

U16 TExtCustomDropDown::ValueU() const
{
    U16 s = ShownU();
    const U16 p = U(FPrefix);
    if (!p.empty() && s.compare(0, p.size(), p) == 0) s.erase(0, p.size());
    const size_t sl = U(FSuffix).size();
    if (sl > 0) s.erase(s.size() - std::min(s.size(), sl));
    return s;
}

String TExtCustomDropDown::GetText() const { return S(ValueU()); }

void TExtCustomDropDown::SetShownPlain(const String& s) { TControl::SetText(s); }

void TExtCustomDropDown::SetShownU(const U16& s, int caret, int selLen)
{
    SetShownPlain(S(s));
    SetSel(caret, selLen);
}

void TExtCustomDropDown::SetPlainText(const String& Value) { SetShownPlain(Value); }

void TExtCustomDropDown::SetText(const String& Value)
{
    U16 v = U(Value);
    if (v.empty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
        v = u"0";
    if (FPrecision > 0 && !v.empty() && v != u"Error") {
        if (FEditType == etMoney) v = FormatFixed(TextToFloat(v), FPrecision, true);
        else if (FEditType == etFloat) v = FormatFixed(TextToFloat(v), FPrecision, false);
    }
    if (FEditType == etHex) v = U(UpperCase(S(v)));
    SetShownPlain(FPrefix + S(v) + FSuffix);
    FOldText = S(v);
    SetModifiedFlag(false);
}

void TExtCustomDropDown::SetPrefix(const String& v)
{
    const String value = GetText();
    FPrefix = v;
    SetShownPlain(FPrefix + value + FSuffix);
}

void TExtCustomDropDown::SetSuffix(const String& v)
{
    const String value = GetText();
    FSuffix = v;
    SetShownPlain(FPrefix + value + FSuffix);
}

void TExtCustomDropDown::SelectAll()
{
    const int P = PrefixLen(), V = int(ValueU().size());
    if (!FPrefix.empty() || !FSuffix.empty()) SetSel(P, V);
    else SetSel(0, V);
}

void TExtCustomDropDown::SelectBeforeDecimal()
{
    const U16 v = ValueU();
    const size_t d = v.find(DecSep());
    SetSel(PrefixLen() + (d == U16::npos ? 0 : int(d)), 0);
}

void TExtCustomDropDown::SelectAfterDecimal()
{
    const U16 v = ValueU();
    const size_t d = v.find(DecSep());
    SetSel(PrefixLen() + (d == U16::npos ? 0 : int(d) + 1), 0);
}

void TExtCustomDropDown::SetModifiedFlag(bool b)
{
    if (!FEditorEnabled || ReadOnly()) return;
    SetModified(b);
    FIsModified = b;
}

// ---------------------------------------------------------------- numbers

double TExtCustomDropDown::GetFloatValue() const
{
    const U16 v = ValueU();
    switch (FEditType) {
    case etString: {
        const String a = S(v);
        char* end = nullptr;
        const double x = a.empty() ? 0 : std::strtod(a.c_str(), &end);
        return end && *end == 0 ? x : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.empty() || v == u"Error" || v == u"-") return 0;
        return TextToFloat(v);
    case etMoney: {
        if (v.empty()) return 0;
        U16 t;
        for (char16_t c : v)
            if (c != ThouSep()) t.push_back(c);
        if (!t.empty() && t.back() == DecSep()) t.pop_back();
        if (t.empty() || t == u"-") return 0;
        return TextToFloat(t);
    }
    case etHex: {
        long long n = 0;
        bool neg = false;
        for (char16_t c : v) {
            if (c == '-') {
                neg = true;
                continue;
            }
            int d = IsDigit(c) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 0;
            n = n * 16 + d;
        }
        return double(neg ? -n : n);
    }
    default:
        return 0;
    }
}

void TExtCustomDropDown::SetFloatValue(double x)
{
    U16 v;
    switch (FEditType) {
    case etString:
    case etFloat: v = FPrecision < 0 ? FormatGeneral(x) : FormatFixed(x, FPrecision, false); break;
    case etNumeric: v = FPrecision < 0 ? FormatGeneral(x) : FormatFixed(x, FPrecision, true); break;
    case etMoney: v = FPrecision < 0 ? FormatGeneral(x) : FormatFixed(x, FPrecision, false); break;
    case etHex: v = ToHex((long long)std::trunc(x)); break;
    default: return;
    }
    SetText(S(v));
    if (FEditType == etMoney) FormatMoney();
    SetModifiedFlag(true);
}

void TExtCustomDropDown::SetIntValue(long long n)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(n)); break;
    case etMoney:
        SetText(IntToStr(n));
        FormatMoney();
        break;
    case etHex: SetText(S(ToHex(n))); break;
    default: return;
    }
    SetModifiedFlag(true);
}

void TExtCustomDropDown::SetEditType(TDropDownEditType t)
{
    if (t == FEditType) return;
    FEditType = t;
    if (t == etPassword) {
        SetPasswordChar('*');
        FCanUndo = false;
    } else {
        SetPasswordChar(0);
    }
    const int cls = ClassifyText(ValueU());
    if (t == etNumeric && cls != 0) SetIntValue(0);
    else if ((t == etFloat || t == etMoney) && (cls == 2 || cls == 5)) SetFloatValue(0);
    else if (t == etHex && cls != 0 && cls != 5) SetIntValue(0);
}

void TExtCustomDropDown::SetPrecision(int v)
{
    if (v == FPrecision || (FEditType != etString && FEditType != etFloat && FEditType != etMoney)) return;
    FPrecision = int16_t(v);
    const int cls = ClassifyText(ValueU());
    if (cls == 2 || cls == 5) SetFloatValue(0);
    else SetFloatValue(GetFloatValue());
}

void TExtCustomDropDown::FormatMoney()
{
    U16 v = ValueU();
    if (v.empty()) return;
    const U16 shown = ShownU();
    const int caret = SelStart();
    const int fromEnd = PrefixLen() + int(v.size()) - caret;
    U16 sign;
    if (v[0] == '-') {
        sign = u"-";
    }
    const size_t d = v.find(DecSep());
    const U16 dec = d == U16::npos ? U16() : v.substr(d);
    const double whole = std::trunc(std::fabs(GetFloatValue()));
    const U16 ip = FormatFixed(whole, 0, FAutoThousandSeparator);
    const U16 nv = sign + ip + dec;
    if (nv == v) return;
    const U16 next = U(FPrefix) + nv + U(FSuffix);
    if (next == shown) return;
    FBlockChange = true;
    const int16_t keep = FPrecision;
    FPrecision = 0;
    SetShownPlain(S(next));
    FPrecision = keep;
    const int pos = std::clamp(PrefixLen() + int(nv.size()) - fromEnd, PrefixLen(), PrefixLen() + int(nv.size()));
    SetSel(pos, 0);
}

void TExtCustomDropDown::SignSwitch()
{
    const int P = PrefixLen();
    const U16 v = ValueU(), pre = U(FPrefix), suf = U(FSuffix);
    const int caret = SelStart(), sel = SelLength();
    if (FEditType == etNumeric && (v.empty() || (caret == P && sel == int(v.size())))) {
        SetShownU(pre + u"-" + suf, P + 1);
    } else if (v.find(u'-') == U16::npos) {
        SetShownU(pre + u"-" + v + suf, caret + 1);
    } else {
        SetShownU(pre + v.substr(1) + suf, caret > P ? caret - 1 : P);
    }
    SetModifiedFlag(true);
}

// ---------------------------------------------------------------- typed characters

// True: the character (perhaps changed) goes on to the edit's own handling.
bool TExtCustomDropDown::CharRule(WideChar& Key)
{
    if (!FEditorEnabled) return false;
    const char16_t ds = DecSep(), ts = ThouSep();
    const U16 v = ValueU();
    const int P = PrefixLen(), V = int(v.size()), E = P + V;
    const int selStart = SelStart(), selLen = SelLength();
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    TForm* form = GetParentForm(this);
    const bool preview = form && form->KeyPreview();

    if (Key == VK_RETURN) {
        if (ctrl) return false;
        WideChar k = Key;
        if (OnKeyPress) OnKeyPress(this, k);
        if (!FDefaultHandling && Parent()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            if (!preview) PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
        }
        return false;
    }
    if (Key == VK_ESCAPE) {
        if (!FDefaultHandling && Parent()) {
            if (preview) return true;
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
            return false;
        }
        if (!FCanUndo) return true;
        // Esc reverts the modified state (WM_GETDLGCODE): its character must not set it again.
        return false;
    }
    if (ctrl && (Key == 3 || Key == 22 || Key == 24)) return true;
    if (FExcelStyleDecimalSeparator && (Key == '.' || Key == ',') && ((FCharLParam >> 16) & 0x40)) Key = ds;
    if (Key == VK_BACK && !FPrefix.empty() && selLen == 0 && selStart <= P) return false;
    if (FLengthLimit > 0 && selLen == 0) {
        const bool signedType = FSigned && IsValueTypeNumeric();
        const size_t d = v.find(ds);
        const bool beforeDec = d == U16::npos || selStart - P <= int(d);
        if (IntegerDigits(v, signedType) >= FLengthLimit && beforeDec && Key != VK_BACK && Key != ds &&
            !(signedType && Key == '-'))
            return false;
    }
    if (Key == VK_BACK) return true;
    if (Key == 10) return false;
    if (Key == '-' && IsValueTypeNumeric() && !FSigned) return false;

    const auto passThenModified = [this](WideChar k) {
        PassChar(k);
        SetModifiedFlag(true);
        return false;
    };
    const auto digit = [](WideChar k) { return k >= '0' && k <= '9'; };
    // The decimal rules both number types share; true when they settled the key.
    const auto decimalRules = [&](bool& pass) {
        const size_t d = v.find(ds);
        if ((Key == ts || Key == ds) && v.find(ts) != U16::npos) {
            // The caret must stand three digits from the nearest thousand separator.
            int nearest = 1 << 20;
            const int caretV = selStart - P;
            for (size_t i = 0; i < v.size(); ++i)
                if (v[i] == ts) nearest = std::min(nearest, int(i) < caretV ? caretV - int(i) - 1 : int(i) - caretV);
            if (nearest != 3) return pass = false, true;
        }
        if (FPrecision > 0 && d != U16::npos && selStart - P > int(d) && V - int(d) - 1 >= FPrecision) {
            if (selLen == 0 && digit(Key) && selStart < E) {
                SetSel(selStart, 1);
                return pass = true, true;
            }
            if (digit(Key) || Key == ds || Key == ts || Key == ',' || Key == '.') return pass = false, true;
        }
        if (Key == ds && V == 0 && selStart - P == 0) {
            SetShownU(U(FPrefix) + u"0" + U16(1, ds) + U(FSuffix), P + 2);
            SetModifiedFlag(true);
            return pass = false, true;
        }
        if (Key == '-' && selLen == 0) {
            SignSwitch();
            return pass = false, true;
        }
        return false;
    };

    switch (FEditType) {
    case etString:
    case etPassword:
        return passThenModified(Key);
    case etNumeric:
        if (Key == 9 || digit(Key)) return true;
        if (Key == '-') {
            SignSwitch();
            return false;
        }
        return ctrl;
    case etFloat: {
        if (!(Key == VK_BACK || Key == 9 || Key == ',' || Key == '-' || Key == '.' || digit(Key))) return false;
        if ((Key == ',' || Key == '.') && Key != ds && Key != ts) return false;
        const size_t d = v.find(ds);
        if (Key == ds) {
            const bool selHoldsSep = d != U16::npos && selLen > 0 && int(d) + P >= selStart && int(d) + P < selStart + selLen;
            if (!selHoldsSep && (d != U16::npos || FPrecision == 0)) {
                if (FPrecision > 0 && d != U16::npos) SetSel(P + int(d) + 1, 0);
                return false;
            }
        }
        if (Key == ',' && ts != ',') {
            const size_t c = v.find(u',');
            if (c != U16::npos && !(int(c) + P >= selStart && int(c) + P < selStart + selLen)) return false;
        }
        bool pass = true;
        if (decimalRules(pass)) return pass;
        return true;
    }
    case etUppercase:
        Key = WideChar(U(UpperCase(S(U16(1, char16_t(Key)))))[0]);
        return true;
    case etLowerCase:
        Key = WideChar(U(LowerCase(S(U16(1, char16_t(Key)))))[0]);
        return true;
    case etMixedCase: {
        PassChar(Key);
        const U16 nv = U(ToMixedCase(S(ValueU())));
        SetShownU(U(FPrefix) + nv + U(FSuffix), selStart + 1);
        SetModifiedFlag(true);
        return false;
    }
    case etMoney: {
        if (!(Key == VK_BACK || Key == 9 || Key == '-' || digit(Key) || Key == ds)) return false;
        const size_t d = v.find(ds);
        if (Key == ds) {
            if (d != U16::npos) {
                if (FPrecision > 0) {
                    if (selLen == V && V > 0) SetText(S(u"0" + U16(1, ds) + u"0"));
                    const size_t nd = ValueU().find(ds);
                    SetSel(P + int(nd) + 1, 0);
                }
                return false;
            }
            if (FPrecision == 0) return false;
        }
        bool pass = true;
        if (decimalRules(pass) && !pass) return false;
        PassChar(Key);
        const U16 after = ValueU();
        if (Key != ds && !after.empty() && after != u"-") FormatMoney();
        if (Modified()) FIsModified = true;
        return false;
    }
    case etRange: {
        if (!(Key == VK_BACK || Key == 9 || Key == ',' || Key == '-' || Key == ';' || digit(Key))) return false;
        const auto sep = [](char16_t c) { return c == ',' || c == '-' || c == ';'; };
        if (sep(char16_t(Key))) {
            const U16 s = ShownU();
            if (selStart <= P || (selStart > 0 && sep(s[size_t(selStart - 1)])) ||
                (selStart < int(s.size()) && sep(s[size_t(selStart)])))
                return false;
        }
        return passThenModified(Key);
    }
    case etHex:
        if (!(Key == VK_BACK || Key == 9 || Key == '-' || digit(Key) || (Key >= 'A' && Key <= 'F') ||
              (Key >= 'a' && Key <= 'f')))
            return false;
        return passThenModified(Key);
    case etAlphaNumeric:
        if (!(Key == VK_BACK || Key == 9 || digit(Key) || (Key >= 'A' && Key <= 'Z') || (Key >= 'a' && Key <= 'z')))
            return false;
        return passThenModified(Key);
    case etValidChars: {
        const U16 valid = U(FValidChars);
        if (!(Key == VK_BACK || valid.find(char16_t(Key)) != U16::npos)) return false;
        return passThenModified(Key);
    }
    }
    return true;
}

void TExtCustomDropDown::PassChar(WideChar Key)
{
    TMessage m{WM_CHAR, WPARAM(Key), FCharLParam, 0};
    TCustomMaskEdit::WndProc(m);
}

// ---------------------------------------------------------------- keys and mouse

// True when the key went no further.
bool TExtCustomDropDown::KeyDownRule(WORD& Key, TShiftState Shift)
{
    const int P = PrefixLen(), V = int(ValueU().size()), E = P + V;
    const int selStart = SelStart(), selLen = SelLength(), selEnd = selStart + selLen;
    const bool pre = !FPrefix.empty(), suf = !FSuffix.empty();
    switch (Key) {
    case VK_RIGHT:
        if (suf && selEnd >= E) return true;
        break;
    case VK_LEFT:
        if (pre && selEnd <= P) return true;
        break;
    case VK_END:
        if (suf) {
            if (Shift.Contains(ssShift)) SetSel(selStart, E - selStart);
            else SetSel(E, 0);
            return true;
        }
        break;
    case VK_HOME:
        if (pre) {
            if (Shift.Contains(ssShift)) SetSel(P, V);
            else SetSel(P, 0);
            return true;
        }
        break;
    case VK_DELETE: {
        if (suf && selEnd >= E && selLen == 0) return true;
        if (selStart >= P) {
            U16 v = ValueU();
            const int from = selStart - P, n = selLen > 0 ? selLen : 1;
            if (from < int(v.size())) v.erase(size_t(from), size_t(std::min(n, int(v.size()) - from)));
            if (FLengthLimit > 0 && IntegerDigits(v, FSigned && IsValueTypeNumeric()) > FLengthLimit) return true;
        }
        SetModifiedFlag(true);
        break;
    }
    }
    return false;
}

void TExtCustomDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    if (KeyDownRule(Key, Shift)) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TExtCustomDropDown::AfterKeyDown(WORD Key)
{
    if (FEditType == etMoney && Key == VK_DELETE) FormatMoney();
    const int P = PrefixLen();
    if (P > 0 && SelStart() < P && SelLength() == 0) SetSel(P, 0);
}

void TExtCustomDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FEditorEnabled || ReadOnly()) PaintFocusedText();
    TCustomMaskEdit::MouseUp(Button, Shift, X, Y);
    const int P = PrefixLen(), E = P + int(ValueU().size());
    const int s = SelStart(), l = SelLength();
    if (P > 0 && s < P) {
        SetSel(P, E - P);
        return;
    }
    if (!FSuffix.empty()) {
        if (s > E) SetSel(E, 0);
        else if (s + l > E) SetSel(s, E - s);
    }
}

// ---------------------------------------------------------------- focus loss

void TExtCustomDropDown::ApplyFocusLossRules()
{
    const U16 v = ValueU();
    const bool decimalType = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && decimalType && (!v.empty() || !FAllowNumericNullValue)) {
        const bool modified = Modified();
        SetFloatValue(GetFloatValue());
        SetModifiedFlag(modified);
        return;
    }
    if (v.empty() && !FAllowNumericNullValue) {
        if (FEditType == etNumeric) SetShownPlain(FPrefix + "0" + FSuffix);
        else if (decimalType) SetFloatValue(0);
    }
}

// ---------------------------------------------------------------- clipboard

void TExtCustomDropDown::DoCut()
{
    if (!FEditorEnabled || ReadOnly()) return;
    FBlockCopy = true;
    bool allow = true;
    if (OnClipboardCut) OnClipboardCut(this, SelText(), allow);
    if (allow) CutToClipboard();
    FBlockCopy = false;
}

void TExtCustomDropDown::DoCopy()
{
    bool allow = true;
    if (!FBlockCopy && OnClipboardCopy) OnClipboardCopy(this, SelText(), allow);
    FBlockCopy = false;
    if (allow) CopyToClipboard();
}

void TExtCustomDropDown::DoPaste()
{
    if (ReadOnly()) return;
    String clip = Clipboard()->AsText();
    if (clip.empty()) return;
    const U16 c = U(clip);
    const int P = PrefixLen();
    U16 v = ValueU();
    const int selStart = SelStart(), selLen = SelLength();
    const int from = std::clamp(selStart - P, 0, int(v.size()));
    const int n = std::clamp(selLen, 0, int(v.size()) - from);
    v.replace(size_t(from), size_t(n), c);
    bool allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, S(v), allow);
    if (!allow) return;
    if (MaxLength() > 0 && int(c.size()) + int(ValueU().size()) - selLen > MaxLength()) return;
    const int cls = ClassifyText(v);
    const bool signOk = FSigned || v.find(u'-') == U16::npos;
    const auto all = [&](auto pred) { return std::all_of(c.begin(), c.end(), pred); };
    switch (FEditType) {
    case etString:
    case etPassword: SetText(S(v)); break;
    case etNumeric:
        if (cls != 0 || !signOk) return;
        SetText(S(v));
        break;
    case etFloat:
    case etMoney:
        if (cls == 2 || cls == 5 || (FPrecision == 0 && c.find(DecSep()) != U16::npos)) return;
        if (!signOk) return;
        SetText(S(v));
        SetFloatValue(GetFloatValue());
        break;
    case etUppercase: SetText(UpperCase(S(v))); break;
    case etLowerCase: SetText(LowerCase(S(v))); break;
    case etMixedCase: SetText(ToMixedCase(S(v))); break;
    case etAlphaNumeric:
        if (!all([](char16_t ch) { return IsDigit(ch) || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); })) return;
        SetText(S(v));
        break;
    case etValidChars: {
        const U16 valid = U(FValidChars);
        if (!all([&](char16_t ch) { return valid.find(ch) != U16::npos; })) return;
        SetText(S(v));
        break;
    }
    case etRange:
    case etHex: return;
    }
    if (FEditType == etMoney && ValueU().size() > 3) SelectAll();
    else if (selLen > 0) SetSel(P + from, int(c.size()));
    else SetSel(std::min(P + from + int(c.size()), P + int(ValueU().size())), 0);
    SetModifiedFlag(true);
}

// ---------------------------------------------------------------- change notifications

void TExtCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::Change();
}
