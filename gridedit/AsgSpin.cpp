#include "gridedit/AsgSpin.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "grid/util/GridTheme.h"
#include "gridedit/AsgEditBtn.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"

namespace {
// Scan-code bit 0x40 of a key message's data (bit 22): the keypad's keys.
constexpr LPARAM KeypadKeyData = LPARAM(1) << 22;
constexpr int SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;

bool IsDigit(WideChar c) { return c >= '0' && c <= '9'; }

// The built-in arrow of a spin button: a small black triangle on a background that
// drawing leaves out.
void LoadArrowGlyph(TBitmap* b, bool up)
{
    b->SetSize(7, 4);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 7, 4));
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        for (int x = 3 - half; x <= 3 + half; ++x) c->SetPixels(x, row, clBlack);
    }
    b->SetTransparentColor(clWhite);
    b->SetTransparent(true);
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

// The same day (or the month's last) months later, the time of day kept. EConvertError
// outside the years 1 .. 9999.
TDateTime AddMonths(TDateTime dt, int months)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    const long long total = (long long)y * 12 + (m - 1) + months;
    if (total < 12 || total >= 10000LL * 12) throw EConvertError("Date out of range");
    y = int(total / 12);
    m = int(total % 12) + 1;
    return EncodeDate(y, m, std::min(d, DaysInMonth(y, m))) + (dt - std::floor(dt));
}

// A value within the limits, the pair taken in either order; equal limits mean none.
template <class T>
T WithinLimits(T v, T lo, T hi)
{
    if (lo == hi) return v;
    if (lo > hi) std::swap(lo, hi);
    return std::clamp(v, lo, hi);
}

// Decimal text with the locale's separator: Precision decimals in fixed notation, or the
// general form with 15 significant digits (so that steps of 0.1 show 0.3, not the last
// bits of the binary sum).
String FloatText(double v, int precision)
{
    String s = precision > 0 ? Format("%." + IntToStr(std::min(precision, 15)) + "f", {v}) : Format("%.15g", {v});
    const char sep = GetDecimalSeparator();
    if (sep != '.') std::replace(s.begin(), s.end(), '.', sep);
    return s;
}
}

// ---------------------------------------------------------------- the repeating button

TExtTimerSpeedButton::TExtTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TExtTimerSpeedButton::~TExtTimerSpeedButton()
{
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

TAsgSpinButton* TExtTimerSpeedButton::Pair() const { return dynamic_cast<TAsgSpinButton*>(Owner()); }

void TExtTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
    FButtonDirection = Value;
    Invalidate();
}

void TExtTimerSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    Invalidate();
}

void TExtTimerSpeedButton::Click() { TSpeedButton::Click(); }

void TExtTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    SetMouseCapture(true);
    if (FTimeBtnState.count(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
        }
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent()) Parent()->Invalidate();
}

void TExtTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TSpeedButton::MouseUp(button, shift, x, y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (button == mbLeft) SetMouseCapture(false);
    if (Parent()) Parent()->Invalidate();
}

void TExtTimerSpeedButton::Release()
{
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    if (MouseCapture()) SetMouseCapture(false);
    if (FState == bsDown) {
        FState = bsUp;
        Invalidate();
    }
}

void TExtTimerSpeedButton::TimerExpired()
{
    if (FRepeatTimer) FRepeatTimer->SetInterval(100);
    if (FState == bsDown && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TExtTimerSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHasMouse = true;
    Invalidate();
}

void TExtTimerSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHasMouse = false;
    Invalidate();
}

void TExtTimerSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    const bool down = FState == bsDown || FState == bsExclusive;
    TAsgSpinButton* pair = Pair();
    if (pair && pair->ButtonColor != clNone) {
        TColor fill = pair->ButtonColor;
        if (FHasMouse && pair->ButtonColorHot != clNone) fill = pair->ButtonColorHot;
        if (down && pair->ButtonColorDown != clNone) fill = pair->ButtonColorDown;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(r);
        c->Brush()->SetColor(clBlack);
        c->Pen()->SetColor(clBlack);
        const int x = r.Left, y = r.Top;
        switch (FButtonDirection) {
        case bdLeft: c->Polygon({TPoint(x + 5, y + 5), TPoint(x + 3, y + 7), TPoint(x + 5, y + 9)}); break;
        case bdRight: c->Polygon({TPoint(x + 3, y + 5), TPoint(x + 5, y + 7), TPoint(x + 3, y + 9)}); break;
        case bdUp: c->Polygon({TPoint(x + 4, y + 4), TPoint(x + 8, y + 4), TPoint(x + 6, y + 2)}); break;
        case bdDown: c->Polygon({TPoint(x + 4, y + 2), TPoint(x + 8, y + 2), TPoint(x + 6, y + 4)}); break;
        }
        return;
    }
    if (FIsWinXP && ThemedDrawingActive()) {
        const int part = FButtonDirection == bdUp     ? SPNP_UP
                         : FButtonDirection == bdDown ? SPNP_DOWN
                         : FButtonDirection == bdRight ? SPNP_UPHORZ
                                                       : SPNP_DOWNHORZ;
        const int state = down ? UPS_PRESSED : FHasMouse ? UPS_HOT : UPS_NORMAL;
        if (DrawThemedPart(Parent() ? Parent()->Handle() : 0, c, "spin", part, state, r)) return;
    }
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        unsigned kind = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
        if (down) kind |= DFCS_PUSHED;
        if (Flat()) kind |= DFCS_FLAT;
        DrawFrameControl(c, r, DFC_SCROLL, kind);
        return;
    }
    TSpeedButton::Paint();
}

// ---------------------------------------------------------------- the button pair

TAsgSpinButton::TAsgSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FUpButton = CreateButton();
    FUpButton->SetButtonDirection(bdUp);
    FDownButton = CreateButton();
    FDownButton->SetButtonDirection(bdDown);
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedButton = FUpButton;
    SetBounds(0, 0, 15, 25);
}

TAsgSpinButton::~TAsgSpinButton() { SetFocusControl(nullptr); }

TExtTimerSpeedButton* TAsgSpinButton::CreateButton()
{
    auto* b = new TExtTimerSpeedButton(this);
    b->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        BtnMouseDown(Sender, Button, Shift, X, Y);
    };
    b->SetVisible(true);
    b->SetEnabled(true);
    b->SetTimeBtnState({tbAllowTimer});
    b->SetParent(this);
    return b;
}

void TAsgSpinButton::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TAsgSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TAsgSpinButton::SetUpGlyph(const TBitmap* Value)
{
    if (Value && !Value->Empty()) {
        FUpButton->SetGlyph(Value);
        return;
    }
    TBitmap arrow;
    LoadArrowGlyph(&arrow, true);
    FUpButton->SetGlyph(&arrow);
    FUpButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetDownGlyph(const TBitmap* Value)
{
    if (Value && !Value->Empty()) {
        FDownButton->SetGlyph(Value);
        return;
    }
    TBitmap arrow;
    LoadArrowGlyph(&arrow, false);
    FDownButton->SetGlyph(&arrow);
    FDownButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetDirection(TSpinDirection Value)
{
    if (Value == FDirection) return;
    FDirection = Value;
    FUpButton->SetButtonDirection(Value == spHorizontal ? bdRight : bdUp);
    FDownButton->SetButtonDirection(Value == spHorizontal ? bdLeft : bdDown);
    SetWidth(Value == spHorizontal ? 20 : 15);
}

void TAsgSpinButton::AdjustSize(int& W, int& H)
{
    if (!FUpButton || !FDownButton) return;
    if (FDirection == spVertical) {
        W = std::max(W, 15);
        FUpButton->SetBounds(0, 0, W, H / 2);
        FDownButton->SetBounds(0, FUpButton->Height() - 1, W, H - FUpButton->Height() + 1);
    } else {
        W = std::max(W, 20);
        FDownButton->SetBounds(0, 0, W / 2, H);
        FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
    }
}

void TAsgSpinButton::SetBounds(int l, int t, int w, int h)
{
    AdjustSize(w, h);
    TWinControl::SetBounds(l, t, w, h);
}

void TAsgSpinButton::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTARROWS;
        return;
    }
    TWinControl::WndProc(msg);
}

void TAsgSpinButton::SetFocusBtn(TExtTimerSpeedButton* Btn)
{
    if (TabStop() && CanFocus() && Btn != FFocusedButton) {
        FFocusedButton = Btn;
        if (Focused()) Invalidate();
    }
}

void TAsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    SetFocusBtn(static_cast<TExtTimerSpeedButton*>(Sender));
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TAsgSpinButton::BtnClick(TObject* Sender)
{
    if (Sender == FUpButton && OnUpClick) OnUpClick(this);
    if (Sender == FDownButton && OnDownClick) OnDownClick(this);
}

void TAsgSpinButton::KeyDown(WORD& key, TShiftState shift)
{
    switch (key) {
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    case VK_SPACE: FFocusedButton->Click(); break;
    }
    TWinControl::KeyDown(key, shift);
}

// ---------------------------------------------------------------- the spin edit

TAsgSpinEdit::TAsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FButton = new TAsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    SetText("0");
    PlaceButton();
}

TAsgSpinEdit::~TAsgSpinEdit()
{
    if (FButton) {
        FButton->OnUpClick = nullptr;
        FButton->OnDownClick = nullptr;
    }
    FButton = nullptr;
}

void TAsgSpinEdit::Loaded()
{
    FLoading = false;
    if (FSpinType == sptDate) SetDateValue(FDateValue);
    if (FSpinType == sptTime) SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
}

String TAsgSpinEdit::TimePattern() const { return FShowSeconds ? GetLongTimeFormat() : String("h:nn"); }

void TAsgSpinEdit::SetSpinType(TAsgSpinType Value)
{
    FSpinType = Value;
    if (FAllowEmptyValue && Trim(Text()).empty()) return;
    switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TAsgSpinEdit::SetPrecision(int Value)
{
    FPrecision = std::max(0, Value);
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TAsgSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

void TAsgSpinEdit::SetDirection(TSpinDirection Value)
{
    FDirection = Value;
    FButton->SetDirection(Value);
    PlaceButton();
}

void TAsgSpinEdit::SetEditAlign(TEditAlign Value)
{
    FEditAlign = Value;
    SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TAsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TAsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    PlaceButton();
}

// ---- values

int TAsgSpinEdit::Value() const
{
    const String t = Trim(Text());
    if (t.empty()) return 0;
    int v = 0;
    return TryStrToInt(t, v) ? v : FMinValue;
}

void TAsgSpinEdit::SetValue(int AValue)
{
    SetText(IntToStr(WithinLimits(AValue, FMinValue, FMaxValue)));
    if (!FEditorEnabled) SelectAll();
}

double TAsgSpinEdit::FloatValue() const
{
    double v = 0;
    return TryStrToFloat(Trim(Text()), v, GetDecimalSeparator()) && std::isfinite(v) ? v : FMinFloatValue;
}

void TAsgSpinEdit::SetFloatValue(double AValue)
{
    if (!std::isfinite(AValue)) return;
    SetText(FloatText(WithinLimits(AValue, FMinFloatValue, FMaxFloatValue), FPrecision));
}

TDateTime TAsgSpinEdit::DateValue() const
{
    const String t = Trim(Text());
    if (t.empty() || t == "0") return ::CurrentDateTime();
    try {
        return StrToDateTimeByPattern(t, GetShortDateFormat());
    } catch (const Exception&) {
        return FMinDateValue;
    }
}

void TAsgSpinEdit::SetDateValue(TDateTime AValue)
{
    FDateValue = WithinLimits(AValue, FMinDateValue, FMaxDateValue);
    if (FLoading) return;
    const int caret = SelStart();
    SetText(FormatDateTime(GetShortDateFormat(), FDateValue));
    SetSelStart(caret);
}

TDateTime TAsgSpinEdit::TimeValue() const
{
    try {
        return StrToDateTimeByPattern(Trim(Text()), TimePattern());
    } catch (const Exception&) {
        return 0;
    }
}

void TAsgSpinEdit::SetTimeValue(TDateTime AValue)
{
    FTimeValue = WithinLimits(AValue, FMinDateValue, FMaxDateValue);
    if (FLoading) return;
    const int caret = SelStart();
    SetText(FormatDateTime(TimePattern(), FTimeValue));
    SetSelStart(caret);
}

// ---- steps

void TAsgSpinEdit::UpClick(TObject*) { StepUp(false); }

void TAsgSpinEdit::DownClick(TObject*) { StepDown(false); }

void TAsgSpinEdit::StepUp(bool Page) { Step(1, Page); }

void TAsgSpinEdit::StepDown(bool Page) { Step(-1, Page); }

void TAsgSpinEdit::Step(int Dir, bool Page)
{
    if (ReadOnly()) {
        MessageBeep();
        return;
    }
    const String t = Text();
    const size_t caret = size_t(std::max(0, SelStart()));
    switch (FSpinType) {
    case sptNormal: {
        // Counted wide, so that a step past the integer range stops at its end.
        const long long v = (long long)Value() + (long long)Dir * FIncrement;
        SetValue(int(std::clamp<long long>(v, INT_MIN, INT_MAX)));
        break;
    }
    case sptFloat: {
        const double v = FloatValue() + Dir * (Page ? FIncrementFloatPage : FIncrementFloat);
        if (std::isfinite(v)) SetFloatValue(v);
        break;
    }
    case sptDate: {
        const String f = UpperCase(GetShortDateFormat());
        FUsDates = f.find('M') < f.find('D');
        const char sep = GetDateSeparator();
        const size_t p1 = t.find(sep), p2 = p1 == String::npos ? p1 : t.find(sep, p1 + 1);
        const TDateTime d = DateValue();
        try {
            if (caret <= p1) SetDateValue(FUsDates ? AddMonths(d, Dir) : d + Dir);
            else if (caret <= p2) SetDateValue(FUsDates ? d + Dir : AddMonths(d, Dir));
            else SetDateValue(AddMonths(d, 12 * Dir));
        } catch (const EConvertError&) {
            // Beyond the calendar's first or last year: the date stays.
            MessageBeep();
        }
        break;
    }
    case sptTime: {
        const char sep = GetTimeSeparator();
        const size_t p1 = t.find(sep), p2 = p1 == String::npos ? p1 : t.find(sep, p1 + 1);
        double amount;
        if (p1 != String::npos && caret <= p1) amount = FIncrementHours / 24.0;
        else if (FShowSeconds && p2 != String::npos && caret >= p2) amount = FIncrementSeconds / 86400.0;
        else amount = FIncrementMinutes / 1440.0;
        // The time of day wraps around midnight whatever the size of the step.
        double v = std::fmod(TimeValue() + Dir * amount, 1.0);
        if (v < 0) v += 1.0;
        SetTimeValue(v);
        break;
    }
    }
}

// ---- characters and keys

bool TAsgSpinEdit::IsValidChar(WideChar& Key)
{
    if (Key == 8) return FEditorEnabled;
    const WideChar dec = WideChar(GetDecimalSeparator()), tho = WideChar(GetThousandSeparator());
    const WideChar ts = WideChar(GetTimeSeparator()), ds = WideChar(GetDateSeparator());
    const String text = Text();
    const int selStart = SelStart(), selLength = SelLength();
    const String sel = SelText();
    const bool numeric = FSpinType == sptNormal || FSpinType == sptFloat;
    bool ok = Key == dec || Key == tho || Key == ts || Key == ds || IsDigit(Key) || Key == '-' || (Key < 32 && Key != 13);
    const auto alsoNumeric = [&](WideChar k) { return (k == dec || k == tho || k == '-' || k == '+') && numeric; };
    if (Key == ts && FSpinType != sptTime && !alsoNumeric(Key)) ok = false;
    if (Key == ds && FSpinType != sptDate && !alsoNumeric(Key)) ok = false;
    if (Key == '-') {
        const String outside = text.substr(0, size_t(selStart)) + text.substr(std::min(text.size(), size_t(selStart + selLength)));
        if (selStart != 0 || outside.find('-') != String::npos) ok = false;
    }
    if (FSpinType == sptNormal && ok) ok = IsDigit(Key) || Key == '-' || Key < 32;
    if (FSpinType == sptFloat && ok && Key != 27 && Key != 13 && Key != 8) {
        const size_t at = text.find(char(dec));
        if (Key == tho && Key != dec) ok = false;
        if (Key == dec && at != String::npos && sel.find(char(dec)) == String::npos) ok = false;
        if (FPrecision > 0 && selLength == 0 && at != String::npos && size_t(selStart) > at &&
            int(text.size() - at - 1) >= FPrecision)
            ok = false;
    }
    if (FSpinType == sptTime && Key == ts && std::count(text.begin(), text.end(), char(ts)) >= 2) ok = false;
    if (!FEditorEnabled && Key >= 32) ok = false;
    return ok;
}

void TAsgSpinEdit::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_RETURN && FReturnIsTab) {
        // Enter moves on as Tab does: the Tab comes as a key of its own, after this one.
        key = 0;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if (key == VK_DELETE && !FEditorEnabled) {
        key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(key, shift);
}

void TAsgSpinEdit::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_KEYDOWN:
        // The stepping keys are taken before anything else sees them.
        switch (WORD(msg.WParam)) {
        case VK_PRIOR: StepUp(true); msg.Result = 0; return;
        case VK_NEXT: StepDown(true); msg.Result = 0; return;
        case VK_UP: StepUp(false); msg.Result = 0; return;
        case VK_DOWN: StepDown(false); msg.Result = 0; return;
        }
        break;
    case WM_CHAR: {
        WideChar key = WideChar(msg.WParam);
        if (FExcelStyleDecimalSeparator && key == '.' && (msg.LParam & KeypadKeyData)) key = WideChar(GetDecimalSeparator());
        if (!IsValidChar(key)) {
            MessageBeep();
            return;
        }
        msg.WParam = WPARAM(key);
        break;
    }
    case WM_PASTE:
    case WM_CUT:
        if (!FEditorEnabled || ReadOnly()) return;
        break;
    case WM_SETFOCUS:
        TCustomMaskEdit::WndProc(msg);
        // Without typing there is no caret to place: a click selects all too.
        if (AutoSelect() && !FEditorEnabled && FocusingByMouse()) SelectAll();
        return;
    }
    TCustomMaskEdit::WndProc(msg);
}

// ---- layout

int TAsgSpinEdit::GetMinHeight()
{
    static const TFont system;
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(*Font());
    const int f = b.Canvas()->TextHeight("Wg");
    b.Canvas()->Font()->Assign(system);
    const int s = b.Canvas()->TextHeight("Wg");
    return EditMinHeight(f, s) + 2 + (BorderStyle() == bsSingle ? 4 : 0);
}

void TAsgSpinEdit::SetBorderStyle(TBorderStyle v)
{
    TCustomMaskEdit::SetBorderStyle(v);
    Resize();
}

void TAsgSpinEdit::SetEditRect()
{
    if (!FButton) return;
    const int inset = BorderStyle() == bsNone ? 3 : 0;
    SetFormatRect(Rect(inset, inset, ClientWidth() - FButton->Width() - inset - 2, ClientHeight() + 1));
}

void TAsgSpinEdit::PlaceButton()
{
    if (!FButton || FPlacing) return;
    FPlacing = true;
    const int d = BorderStyle() == bsNone ? 1 : 5;
    FButton->SetBounds(Width() - FButton->Width() - d, 0, FButton->Width(), Height() - d);
    FPlacing = false;
    SetEditRect();
}

void TAsgSpinEdit::Resize()
{
    TCustomMaskEdit::Resize();
    if (FPlacing || !FButton) return;
    const int minHeight = GetMinHeight();
    if (Height() < minHeight) {
        SetHeight(minHeight);
        return;
    }
    PlaceButton();
}

// ---- leaving

bool TAsgSpinEdit::OutOfLimits() const
{
    const String t = Trim(Text());
    if (t.empty()) {
        if (FAllowEmptyValue) return false;
    }
    switch (FSpinType) {
    case sptNormal: {
        int v = 0;
        if (!t.empty() && !TryStrToInt(t, v)) return true;
        return WithinLimits(Value(), FMinValue, FMaxValue) != Value();
    }
    case sptFloat: {
        double v = 0;
        if (!TryStrToFloat(t, v, GetDecimalSeparator()) || !std::isfinite(v)) return true;
        return WithinLimits(v, FMinFloatValue, FMaxFloatValue) != v;
    }
    case sptDate: {
        const TDateTime d = DateValue();
        return WithinLimits(d, FMinDateValue, FMaxDateValue) != d;
    }
    case sptTime: {
        const TDateTime d = TimeValue();
        return WithinLimits(d, FMinDateValue, FMaxDateValue) != d;
    }
    }
    return false;
}

void TAsgSpinEdit::DoExit()
{
    // A value outside its limits, or a text that spells no value (a paste), is written
    // back as the value it reads.
    if (OutOfLimits()) {
        switch (FSpinType) {
        case sptNormal: SetValue(Value()); break;
        case sptFloat: SetFloatValue(FloatValue()); break;
        case sptDate: SetDateValue(DateValue()); break;
        case sptTime: SetTimeValue(TimeValue()); break;
        }
    }
    TCustomMaskEdit::DoExit();
}
