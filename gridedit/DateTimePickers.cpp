#include "gridedit/DateTimePickers.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "grid/util/GridTheme.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Forms.h"
#include "platform/os/Regional.h"

namespace {
TDateTime WholeDay(TDateTime v) { return std::floor(v); }
TDateTime TimeOfDay(TDateTime v) { return v - std::floor(v); }

// Frame of one pixel in colour C.
void Frame(TCanvas* c, const TRect& r, TColor C)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(C);
    c->FrameRect(r);
}

TRect Shrunk(const TRect& r, int n) { return TRect(r.Left + n, r.Top + n, r.Right - n, r.Bottom - n); }

void DownArrow(TCanvas* c, const TRect& r, TColor C)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(C);
    c->Pen()->SetColor(C);
    c->Polygon({TPoint(cx - 3, cy - 1), TPoint(cx + 3, cy - 1), TPoint(cx, cy + 2)});
}

void UpArrow(TCanvas* c, const TRect& r, TColor C)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(C);
    c->Pen()->SetColor(C);
    c->Polygon({TPoint(cx - 3, cy + 1), TPoint(cx + 3, cy + 1), TPoint(cx, cy - 2)});
}

// The classic button cell: face, edge and arrow.
void ClassicButton(TCanvas* c, const TRect& r, bool enabled, bool up)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    Frame(c, r, clBtnShadow);
    if (up) UpArrow(c, r, enabled ? clBtnText : clGrayText);
    else DownArrow(c, r, enabled ? clBtnText : clGrayText);
}

TColor ParentColorOf(const TControl* c) { return c->Parent() ? c->Parent()->Color() : clBtnFace; }
}  // namespace

std::vector<TPatternPiece> SplitPattern(const String& Pattern)
{
    std::vector<TPatternPiece> out;
    size_t i = 0;
    while (i < Pattern.size()) {
        const char c = char(std::tolower(static_cast<unsigned char>(Pattern[i])));
        if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's') {
            size_t n = 1;
            while (i + n < Pattern.size() && std::tolower(static_cast<unsigned char>(Pattern[i + n])) == c) ++n;
            out.push_back({c, int(n), String()});
            i += n;
            continue;
        }
        if (out.empty() || out.back().Letter != 0) out.push_back({0, 0, String()});
        out.back().Literal += Pattern[i++];
    }
    return out;
}

// ---------------------------------------------------------------- TDateTimePicker

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner)
{
    FFocusOnClick = true;
    SetTabStop(true);
    SetColor(clWindow);
    FButtonWidth = 17 + 2;
    FDateTime = CurrentDateTime();
    SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() = default;

TDateTime TDateTimePicker::Limited(TDateTime Value) const
{
    TDateTime lo = FMinDate, hi = FMaxDate;
    if (lo != 0 && hi != 0 && lo > hi) std::swap(lo, hi);
    TDateTime day = std::clamp(WholeDay(Value), EncodeDate(1, 1, 1), EncodeDate(9999, 12, 31));
    if (lo != 0 && day < lo) day = lo;
    if (hi != 0 && day > hi) day = hi;
    return day + TimeOfDay(Value);
}

void TDateTimePicker::SetDateTime(TDateTime Value)
{
    FTyped.clear();
    // A value given is a value: the check box says so (an editor that reuses the picker
    // for the next cell must not find it still cleared from the last one).
    FChecked = true;
    FDateTime = Limited(Value);
    if (FCalendar) FCalendar->SetDate(FDateTime);
    Invalidate();
}

TDateTime TDateTimePicker::Date() const { return WholeDay(DateTime()); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(WholeDay(Value) + TimeOfDay(FDateTime)); }

TDateTime TDateTimePicker::Time() const { return TimeOfDay(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(WholeDay(FDateTime) + TimeOfDay(Value)); }

void TDateTimePicker::SetKind(TDateTimeKind Value)
{
    if (Value != dtkDate) SetDroppedDown(false);
    FKind = Value;
    FTyped.clear();
    FField = 0;
    Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value)
{
    if (Value != dmComboBox) SetDroppedDown(false);
    FDateMode = Value;
    Invalidate();
}

void TDateTimePicker::SetFormat(const String& Value)
{
    FFormat = Value;
    FTyped.clear();
    FField = std::clamp(FField, 0, std::max(0, FieldCount() - 1));
    Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool Value)
{
    FShowCheckbox = Value;
    Invalidate();
}

void TDateTimePicker::SetChecked(bool Value)
{
    FChecked = Value;
    Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime Value)
{
    FMinDate = Value == 0 ? 0 : WholeDay(Value);
    if (FCalendar) FCalendar->SetRange(FMinDate, FMaxDate);
    SetDateTime(FDateTime);
}

void TDateTimePicker::SetMaxDate(TDateTime Value)
{
    FMaxDate = Value == 0 ? 0 : WholeDay(Value);
    if (FCalendar) FCalendar->SetRange(FMinDate, FMaxDate);
    SetDateTime(FDateTime);
}

String TDateTimePicker::DisplayPattern() const
{
    if (!FFormat.empty()) return FFormat;
    return FKind == dtkTime ? GetLongTimeFormat() : GetShortDateFormat();
}

const std::vector<TPatternPiece>& TDateTimePicker::Pieces() const
{
    const String p = DisplayPattern();
    if (p != FPiecesOf || FPieces.empty()) {
        FPiecesOf = p;
        FPieces = SplitPattern(p);
    }
    return FPieces;
}

int TDateTimePicker::FieldCount() const
{
    return int(std::count_if(Pieces().begin(), Pieces().end(), [](const TPatternPiece& p) { return p.Letter != 0; }));
}

int TDateTimePicker::PieceOfField(int Index) const
{
    const auto& ps = Pieces();
    for (size_t i = 0; i < ps.size(); ++i)
        if (ps[i].Letter != 0 && Index-- == 0) return int(i);
    return -1;
}

char TDateTimePicker::FieldPart(int Index) const
{
    const int p = PieceOfField(Index);
    return p < 0 ? char(0) : Pieces()[size_t(p)].Letter;
}

String TDateTimePicker::GetText() const
{
    String s;
    const auto& ps = Pieces();
    const int typedPiece = FTyped.empty() ? -1 : PieceOfField(FField);
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].Letter == 0) s += ps[i].Literal;
        else if (int(i) == typedPiece) s += FTyped;
        else s += FormatDateTime(String(size_t(ps[i].Count), ps[i].Letter), FDateTime);
    }
    return s;
}

String TDateTimePicker::ValueText() const
{
    if (FShowCheckbox && !FChecked) return String();
    return FormatDateTime(DisplayPattern(), DateTime());
}

bool TDateTimePicker::SetValueText(const String& S)
{
    if (Trim(S).empty()) {
        if (!FShowCheckbox) return false;
        SetChecked(false);
        return true;
    }
    const String pattern = DisplayPattern();
    TDateTime v;
    try {
        v = StrToDateTimeByPattern(S, pattern);
    } catch (const Exception&) {
        return false;
    }
    bool date = false, time = false;
    for (const TPatternPiece& p : SplitPattern(pattern)) {
        if (p.Letter == 'y' || p.Letter == 'm' || p.Letter == 'd') date = true;
        if (p.Letter == 'h' || p.Letter == 'n' || p.Letter == 's') time = true;
    }
    const TDateTime now = DateTime();
    if (!time) v = WholeDay(v) + TimeOfDay(now);
    else if (!date) v = WholeDay(now) + TimeOfDay(v);
    SetDateTime(v);
    if (FShowCheckbox) SetChecked(true);
    return true;
}

void TDateTimePicker::SetCurrentField(int Index)
{
    CommitTyped();
    FField = std::clamp(Index, 0, std::max(0, FieldCount() - 1));
    Invalidate();
}

void TDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

void TDateTimePicker::UserValue(TDateTime Value)
{
    Value = Limited(Value);
    bool changed = Value != FDateTime;
    if (FShowCheckbox && !FChecked) {
        FChecked = true;
        changed = true;
    }
    FDateTime = Value;
    if (FCalendar) FCalendar->SetDate(FDateTime);
    Invalidate();
    if (changed) Change();
}

void TDateTimePicker::SetField(char Part, int Value)
{
    int y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    switch (Part) {
    case 'y': y = std::clamp(Value, 1, 9999); break;
    case 'm': m = std::clamp(Value, 1, 12); break;
    case 'd': d = std::clamp(Value, 1, 31); break;
    case 'h': h = std::clamp(Value, 0, 23); break;
    case 'n': n = std::clamp(Value, 0, 59); break;
    case 's': s = std::clamp(Value, 0, 59); break;
    default: return;
    }
    // A day the month does not have becomes its last day (31 April, 29 February of a
    // common year).
    d = std::min(d, DaysInMonthOf(y, m));
    UserValue(EncodeDate(y, m, d) + EncodeTime(h, n, s, ms));
}

void TDateTimePicker::CommitTyped()
{
    if (FTyped.empty()) return;
    const int p = PieceOfField(FField);
    int v = StrToIntDef(FTyped, 0);
    const bool shortYear = FTyped.size() <= 2;
    FTyped.clear();
    if (p < 0) return;
    const TPatternPiece& piece = Pieces()[size_t(p)];
    if (piece.Letter == 'y' && shortYear) v = v < 50 ? 2000 + v : 1900 + v;
    SetField(piece.Letter, v);
    Invalidate();
}

void TDateTimePicker::TypeDigit(int Digit)
{
    const int p = PieceOfField(FField);
    if (p < 0) return;
    const TPatternPiece& piece = Pieces()[size_t(p)];
    const size_t digits = piece.Letter == 'y' && piece.Count >= 3 ? 4 : 2;
    FTyped += char('0' + Digit);
    const int v = StrToIntDef(FTyped, 0);
    int y, m, d;
    DecodeDate(FDateTime, y, m, d);
    int most = 9999;
    switch (piece.Letter) {
    case 'm': most = 12; break;
    case 'd': most = DaysInMonthOf(y, m); break;
    case 'h': most = 23; break;
    case 'n':
    case 's': most = 59; break;
    }
    // The entry is complete when it has all its digits or no further digit fits.
    if (FTyped.size() >= digits || (piece.Letter != 'y' && v * 10 > most)) CommitTyped();
    else Invalidate();
}

void TDateTimePicker::StepField(int Delta)
{
    CommitTyped();
    int y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    const auto wrap = [](int v, int lo, int count) { return ((v - lo) % count + count) % count + lo; };
    switch (FieldPart(FField)) {
    case 'y': y = std::clamp(y + Delta, 1, 9999); break;
    case 'm': m = wrap(m + Delta, 1, 12); break;
    case 'd': d = wrap(d + Delta, 1, DaysInMonthOf(y, m)); break;
    case 'h': h = wrap(h + Delta, 0, 24); break;
    case 'n': n = wrap(n + Delta, 0, 60); break;
    case 's': s = wrap(s + Delta, 0, 60); break;
    default: return;
    }
    d = std::min(d, DaysInMonthOf(y, m));
    UserValue(EncodeDate(y, m, d) + EncodeTime(h, n, s, ms));
}

bool TDateTimePicker::HasButton() const { return FKind == dtkDate && FDateMode == dmComboBox; }

bool TDateTimePicker::HasUpDown() const { return !HasButton(); }

void TDateTimePicker::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown) return;
    if (Value) {
        if (!HasButton() || !Enabled()) return;
        CommitTyped();
        if (!FDropWindow) {
            FDropWindow = new TPopupWindow(this);
            FCalendar = new TMonthCalendar(FDropWindow);
            FCalendar->SetParent(FDropWindow);
            FCalendar->OnPick = [this](TObject*, TDateTime Day) { CalendarPicked(Day); };
            FCalendar->OnCancel = [this](TObject*) { SetDroppedDown(false); };
        }
        FCalendar->SetFont(Font());
        FCalendar->SetToday(CalendarToday != 0 ? CalendarToday : CurrentDateTime());
        FCalendar->SetRange(FMinDate, FMaxDate);
        FCalendar->SetDate(FDateTime);
        FCalendar->SetBounds(0, 0, FCalendar->NeededWidth(), FCalendar->NeededHeight());
        FDropWindow->SetBounds(0, 0, FCalendar->Width(), FCalendar->Height());
        FDroppedDown = true;
        FDropWindow->DropDownAt(this);
        Invalidate();
        if (OnDropDown) OnDropDown(this);
    } else {
        FDroppedDown = false;
        if (FDropWindow) FDropWindow->CloseUp();
        FButtonDown = false;
        Invalidate();
        if (OnCloseUp) OnCloseUp(this);
    }
}

void TDateTimePicker::CalendarPicked(TDateTime Day)
{
    // The picked day is taken first, so that whoever hears the close-up reads it.
    UserValue(WholeDay(Day) + TimeOfDay(FDateTime));
    SetDroppedDown(false);
}

TRect TDateTimePicker::ButtonRect() const
{
    const int e = Ctl3DLook ? 2 : 1;
    return TRect(Width() - e - FButtonWidth, e, Width() - e, Height() - e);
}

TRect TDateTimePicker::CheckboxRect() const
{
    if (!FShowCheckbox) return TRect();
    const int e = Ctl3DLook ? 2 : 1, top = (Height() - 13) / 2;
    return TRect(e + 3, top, e + 16, top + 13);
}

TRect TDateTimePicker::FieldRect(int Index) const
{
    const int target = PieceOfField(Index);
    if (target < 0) return TRect();
    TCanvas* c = const_cast<TDateTimePicker*>(this)->Canvas();
    c->Font()->Assign(*Font());
    const int e = Ctl3DLook ? 2 : 1;
    int x = e + 2 + (FShowCheckbox ? 18 : 0);
    const auto& ps = Pieces();
    // The widths of the pieces as shown now.
    const int typedPiece = FTyped.empty() ? -1 : PieceOfField(FField);
    for (int i = 0; i <= target; ++i) {
        const TPatternPiece& p = ps[size_t(i)];
        const String t = p.Letter == 0 ? p.Literal
                         : i == typedPiece ? FTyped
                                           : FormatDateTime(String(size_t(p.Count), p.Letter), FDateTime);
        const int w = c->TextWidth(t);
        if (i == target) return TRect(x, e + 1, x + w, Height() - e - 1);
        x += w;
    }
    return TRect();
}

void TDateTimePicker::Paint() { PaintFace(); }

void TDateTimePicker::PaintFace()
{
    TCanvas* c = Canvas();
    const TRect all(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c->FillRect(all);
    // The platform's edge: sunken and two pixels deep with Ctl3D, else a single line.
    if (Ctl3DLook) {
        c->Pen()->SetColor(clBtnShadow);
        c->Polyline({TPoint(0, Height() - 1), TPoint(0, 0), TPoint(Width() - 1, 0)});
        c->Pen()->SetColor(clBtnHighlight);
        c->Polyline({TPoint(Width() - 1, 0), TPoint(Width() - 1, Height() - 1), TPoint(-1, Height() - 1)});
        c->Pen()->SetColor(cl3DDkShadow);
        c->Polyline({TPoint(1, Height() - 2), TPoint(1, 1), TPoint(Width() - 2, 1)});
        c->Pen()->SetColor(cl3DLight);
        c->Polyline({TPoint(Width() - 2, 1), TPoint(Width() - 2, Height() - 2), TPoint(0, Height() - 2)});
    } else {
        Frame(c, all, clBtnShadow);
    }
    if (FShowCheckbox) {
        const TRect b = CheckboxRect();
        c->Brush()->SetColor(clWindow);
        c->FillRect(b);
        Frame(c, b, Enabled() ? clWindowText : clGrayText);
        if (FChecked) {
            c->Pen()->SetColor(Enabled() ? clWindowText : clGrayText);
            c->Pen()->SetWidth(2);
            c->Polyline({TPoint(b.Left + 3, b.Top + 6), TPoint(b.Left + 5, b.Top + 9), TPoint(b.Left + 10, b.Top + 3)});
            c->Pen()->SetWidth(1);
        }
    }
    const bool live = Enabled() && (!FShowCheckbox || FChecked);
    const auto& ps = Pieces();
    c->Font()->Assign(*Font());
    int fieldIndex = 0;
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].Letter == 0) continue;
        const TRect r = FieldRect(fieldIndex);
        const bool current = fieldIndex == FField && Focused() && live;
        ++fieldIndex;
        c->Brush()->SetStyle(current ? bsSolid : bsClear);
        c->Brush()->SetColor(clHighlight);
        c->Font()->SetColor(current ? clHighlightText : live ? clWindowText : clGrayText);
        TRect t = r;
        if (current) c->FillRect(r);
        c->Brush()->SetStyle(bsClear);
        const String piece = int(i) == (FTyped.empty() ? -1 : PieceOfField(FField))
                                 ? FTyped
                                 : FormatDateTime(String(size_t(ps[i].Count), ps[i].Letter), FDateTime);
        c->DrawText(piece, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // The literal pieces between the fields.
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(live ? clWindowText : clGrayText);
    fieldIndex = 0;
    int x = (Ctl3DLook ? 2 : 1) + 2 + (FShowCheckbox ? 18 : 0);
    for (size_t i = 0; i < ps.size(); ++i) {
        if (ps[i].Letter != 0) {
            x = FieldRect(fieldIndex++).Right;
            continue;
        }
        TRect t(x, 0, x + c->TextWidth(ps[i].Literal), Height());
        c->DrawText(ps[i].Literal, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        x = t.Right;
    }
    PaintButton(ButtonRect());
}

void TDateTimePicker::PaintButton(const TRect& R)
{
    TCanvas* c = Canvas();
    if (HasButton()) {
        int state = !Enabled() ? CBXS_DISABLED : FButtonDown && FDroppedDown ? CBXS_PRESSED
                                             : FButtonHover                ? CBXS_HOT
                                                                           : CBXS_NORMAL;
        if (!DrawThemedPart(Handle(), c, "combobox", CP_DROPDOWNBUTTON, state, R)) ClassicButton(c, R, Enabled(), false);
        return;
    }
    const int mid = (R.Top + R.Bottom) / 2;
    ClassicButton(c, TRect(R.Left, R.Top, R.Right, mid), Enabled(), true);
    ClassicButton(c, TRect(R.Left, mid, R.Right, R.Bottom), Enabled(), false);
}

void TDateTimePicker::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool alt = Shift.Contains(ssAlt);
    if (FDroppedDown) {
        if (Key == VK_F4 || (alt && (Key == VK_UP || Key == VK_DOWN))) {
            SetDroppedDown(false);
            Key = 0;
        } else if (!alt && FCalendar->HandleKey(Key, Shift)) {
            Key = 0;
        }
        return;
    }
    if (HasButton() && (Key == VK_F4 || (alt && Key == VK_DOWN))) {
        SetDroppedDown(true);
        Key = 0;
        return;
    }
    if (alt) return;
    switch (Key) {
    case VK_LEFT: SetCurrentField(FField - 1); Key = 0; break;
    case VK_RIGHT: SetCurrentField(FField + 1); Key = 0; break;
    case VK_UP: StepField(1); Key = 0; break;
    case VK_DOWN: StepField(-1); Key = 0; break;
    case VK_SPACE:
        if (FShowCheckbox) {
            FChecked = !FChecked;
            Invalidate();
            Change();
            Key = 0;
        }
        break;
    }
}

void TDateTimePicker::KeyPress(WideChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key >= '0' && Key <= '9') {
        if (!FDroppedDown) TypeDigit(int(Key - '0'));
        Key = 0;
    } else if (Key == '/' || Key == '.' || Key == '-' || Key == ':') {
        // A typed separator ends the field's entry and goes on to the next field.
        if (!FDroppedDown) SetCurrentField(FField + 1);
        Key = 0;
    }
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    const TPoint p(X, Y);
    if (CheckboxRect().Contains(p)) {
        CommitTyped();
        FChecked = !FChecked;
        Invalidate();
        Change();
        return;
    }
    if (ButtonRect().Contains(p)) {
        FButtonDown = true;
        if (HasButton()) {
            SetDroppedDown(!FDroppedDown);
        } else {
            const TRect r = ButtonRect();
            StepField(Y < (r.Top + r.Bottom) / 2 ? 1 : -1);
        }
        Invalidate();
        return;
    }
    for (int i = 0; i < FieldCount(); ++i) {
        const TRect r = FieldRect(i);
        if (X >= r.Left && X < r.Right) {
            SetCurrentField(i);
            return;
        }
    }
}

void TDateTimePicker::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown) {
        FButtonDown = false;
        Invalidate();
    }
}

void TDateTimePicker::DoExit()
{
    CommitTyped();
    SetDroppedDown(false);
    TCustomControl::DoExit();
}

void TDateTimePicker::EnabledChanged()
{
    if (!Enabled()) SetDroppedDown(false);
    TCustomControl::EnabledChanged();
}

void TDateTimePicker::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TCustomControl::WndProc(msg);
}

// ---------------------------------------------------------------- the flat look

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) { SetDoubleBuffered(true); }

String TFlatDateTimePicker::Version() const
{
    const unsigned v = GetVersionNr();
    return IntToStr(v >> 24) + "." + IntToStr((v >> 16) & 0xFF) + "." + IntToStr((v >> 8) & 0xFF) + "." +
           IntToStr(v & 0xFF);
}

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    Invalidate();
}

void TFlatDateTimePicker::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor) return;
    FBorderColor = Value;
    Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool Value)
{
    if (Value == FMetroStyle) return;
    FMetroStyle = Value;
    Invalidate();
}

void TFlatDateTimePicker::SetCtl3D(bool Value)
{
    if (Value == Ctl3DLook) return;
    Ctl3DLook = Value;
    Invalidate();
}

bool TFlatDateTimePicker::Hot() const { return FMouseInControl || Focused(); }

void TFlatDateTimePicker::Paint()
{
    PaintFace();
    if (FlatFrame()) DrawFlatFrame();
    // The own button of the metro look, over the platform's (never on a time picker).
    if (FMetroStyle && OwnBorders() && Kind() != dtkTime) {
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        if (ThemedDrawingActive())
            c->FillRect(TRect(ClientWidth() - FButtonWidth - MetroClearFrom(), 1, ClientWidth(), Height()));
        else
            c->FillRect(TRect(ClientWidth() - FButtonWidth - 2, 4, ClientWidth() - 2, Height() - 4));
        if (HasButton()) PaintButton(TRect(ClientWidth() - FButtonWidth + 2, 0, ClientWidth(), ClientHeight()));
    }
    const bool themed = true;
    if (OwnBorders() && ((!Enabled() && themed && !FDisabledBorder) || FBorderColor != clNone ||
                         (FFocusBorderColor != clNone && FHasFocus)))
        DrawBorders();
}

void TFlatDateTimePicker::PaintButton(const TRect& R)
{
    // The platform's button, unless the metro look draws its own.
    if (!(FMetroStyle && OwnBorders())) {
        TDateTimePicker::PaintButton(R);
        return;
    }
    TCanvas* c = Canvas();
    const TRect cell = Shrunk(R, 1);
    if (ButtonColor != clNone) {
        TColor face = ButtonColor;
        if (FButtonHover && ButtonColorHot != clNone) face = ButtonColorHot;
        if (FButtonHover && FButtonDown && ButtonColorDown != clNone) face = ButtonColorDown;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(face);
        c->Pen()->SetColor(face);
        c->FillRect(TRect(cell.Left + 2, cell.Top, cell.Right, cell.Bottom));
        if (ButtonBorderColor != clNone) {
            c->Pen()->SetColor(ButtonBorderColor);
            c->MoveTo(cell.Left, cell.Top);
            c->LineTo(cell.Left, cell.Bottom);
        }
        const TColor arrow = FButtonDown && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        c->Brush()->SetColor(arrow);
        c->Pen()->SetColor(arrow);
        c->Polygon({TPoint(cell.Left + 5, cell.Top + 7), TPoint(cell.Left + 11, cell.Top + 7),
                    TPoint(cell.Left + 8, cell.Top + 10)});
        return;
    }
    const int state = !Enabled() ? CBXS_DISABLED
                      : FButtonDown && DroppedDown() ? CBXS_PRESSED
                      : FButtonDown || !FButtonHover || DroppedDown() ? CBXS_NORMAL
                                                                      : CBXS_HOT;
    if (!DrawThemedPart(Handle(), c, "combobox", CP_DROPDOWNBUTTON, state, cell)) ClassicButton(c, cell, Enabled(), false);
}

void TFlatDateTimePicker::DrawFlatFrame()
{
    TCanvas* c = Canvas();
    const int W = Width(), H = Height();
    const bool themed = true;
    c->Pen()->SetColor(FBorderStyle == bsNone && Parent() ? ParentColorOf(this) : themed ? TColor(0xB99D7F) : FBorderColor);
    c->Polyline({TPoint(0, H), TPoint(0, 0), TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
    if (Parent()) {
        if (FBorderStyle == bsSingle) c->Pen()->SetColor(ParentColorOf(this));
        c->Polyline({TPoint(1, H - 2), TPoint(1, 1), TPoint(W - 1, 1)});
    }
}

void TFlatDateTimePicker::DrawBorders()
{
    TCanvas* c = Canvas();
    const TRect all(0, 0, Width(), Height());
    const bool themed = true;
    if (!Enabled() && themed && !FDisabledBorder) {
        Frame(c, all, TColor(0xB99D7F));
        return;
    }
    if (FBorderColor == clNone || (FHasFocus && FFocusBorderColor != clNone)) {
        if (FFocusBorderColor == clNone) {
            const bool sunken = Hot() && FFocusBorder;
            const TColor outer = sunken ? clBtnFace : ParentColorOf(this), inner = Color();
            if (sunken) {
                c->Pen()->SetColor(clBtnShadow);
                c->Polyline({TPoint(0, all.Bottom - 1), TPoint(0, 0), TPoint(all.Right, 0)});
                c->Pen()->SetColor(clBtnHighlight);
                c->Polyline({TPoint(all.Right - 1, 0), TPoint(all.Right - 1, all.Bottom - 1), TPoint(-1, all.Bottom - 1)});
                Frame(c, Shrunk(all, 1), outer);
                Frame(c, Shrunk(all, 2), inner);
            } else {
                Frame(c, all, outer);
                TRect r = Shrunk(all, 1);
                r.Right -= FButtonWidth;
                Frame(c, r, outer);
                Frame(c, Shrunk(r, 1), inner);
            }
        } else if (FHasFocus) {
            Frame(c, all, FFocusBorderColor);
        }
        return;
    }
    Frame(c, all, FBorderColor);
}

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y)
{
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
}

void TFlatDateTimePicker::MouseEnter()
{
    TDateTimePicker::MouseEnter();
    if (Enabled() && !FMouseInControl) {
        FMouseInControl = true;
        Invalidate();
    }
}

void TFlatDateTimePicker::MouseLeave()
{
    TDateTimePicker::MouseLeave();
    if (Enabled()) FMouseInControl = false;
    FButtonHover = false;
    Invalidate();
}

void TFlatDateTimePicker::DoEnter()
{
    FHasFocus = true;
    Invalidate();
    TDateTimePicker::DoEnter();
}

void TFlatDateTimePicker::DoExit()
{
    FHasFocus = false;
    Invalidate();
    TDateTimePicker::DoExit();
}

// ---------------------------------------------------------------- the two families

TAsgDateTimePicker::TAsgDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner) { Ctl3DLook = true; }

int TAsgDateTimePicker::MetroClearFrom() const { return 15; }

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner)
{
    Ctl3DLook = false;
    FBorderColor = clBlack;
}

int TCustomDateTimePicker::MetroClearFrom() const { return 4; }

void TCustomDateTimePicker::KeyPress(WideChar& Key)
{
    if (!FAutoTab || Key < '0' || Key > '9') {
        TFlatDateTimePicker::KeyPress(Key);
        return;
    }
    // The parts before the digit, to see afterwards which of them it completed.
    DecodeDate(DateTime(), Fy, Fm, Fd);
    DecodeTime(DateTime(), Fh, Fmi, Fs, Fms);
    TFlatDateTimePicker::KeyPress(Key);
    PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (Kind() != dtkTime) return;
    int h, n, s, ms;
    DecodeTime(DateTime(), h, n, s, ms);
    if (h != Fh || n != Fmi || s != Fs) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::WndProc(TMessage& msg)
{
    if (msg.Msg == DTPShiftFocusMessage()) {
        ShiftFocus();
        return;
    }
    TFlatDateTimePicker::WndProc(msg);
}

// ---------------------------------------------------------------- TExtDateTimePicker

TExtDateTimePicker::TExtDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner)
{
    Ctl3DLook = true;
    FBorderStyle = bsSingle;
    FBorderColor = clBlack;
    // Applied from dkDate, so that the platform kind and the time picker exist.
    SetKind(dkDateTime);
}

TExtDateTimePicker::~TExtDateTimePicker()
{
    // The label sits on the picker's parent: it goes before the picker does, unless the
    // parent took it already.
    TLabel* l = FLabel;
    FLabel = nullptr;
    delete l;
}

void TExtDateTimePicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomDateTimePicker::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
    if (Operation == opRemove && AComponent == FTimePicker) FTimePicker = nullptr;
}

void TExtDateTimePicker::SetKind(TExtDateTimeKind Value)
{
    if (Value == FExtKind) return;
    FExtKind = Value;
    TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
    if (Value == dkDateTime) MakeTimePicker();
    LayoutTimePicker();
}

void TExtDateTimePicker::MakeTimePicker()
{
    if (FTimePicker || FExtKind != dkDateTime) return;
    FTimePicker = new TCustomDateTimePicker(this);
    FTimePicker->SetParent(this);
    FTimePicker->SetBounds(0, 0, 90, 17);
    FTimePicker->SetVisible(false);
    FTimePicker->SetEnabled(Enabled());
    FTimePicker->TDateTimePicker::SetKind(dtkTime);
    FTimePicker->SetAutoTab(FAutoTab);
    FTimePicker->SetDateTime(FDateTime);
    FTimePicker->OnChange = [this](TObject*) {
        // The picker's own time follows the time part at once.
        FDateTime = WholeDay(FDateTime) + TimeOfDay(FTimePicker->DateTime());
        if (OnChange) OnChange(this);
        if (OnTimeChange) OnTimeChange(this);
    };
    FTimePicker->OnClick = [this](TObject*) {
        if (OnClick) OnClick(this);
    };
    // The time part's keys are the picker's keys for whoever listens to them.
    FTimePicker->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    };
}

void TExtDateTimePicker::LayoutTimePicker()
{
    if (!FTimePicker) return;
    FTimePicker->SetColor(Color());
    FTimePicker->SetVisible(FExtKind == dkDateTime);
    FTimePicker->SetFormat(FTimeFormat);
    FTimePicker->SetFont(Font());
    FTimePicker->SetDateTime(FDateTime);
    UpdateTimePickerEnabled();
    if (!FTimePicker->Visible()) {
        TCustomDateTimePicker* t = FTimePicker;
        FTimePicker = nullptr;
        delete t;
        return;
    }
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    const int A = c->TextWidth(FTimePicker->Text().substr(0, 255)) + 31;
    const int W = Width(), H = Height();
    if (!ThemedDrawingActive()) FTimePicker->SetBounds(W - A - 21, 2, A, H - 4);
    else if (FMetroStyle) FTimePicker->SetBounds(W - A - 21, 1, A, H - 2);
    else FTimePicker->SetBounds(W - A - 34, 1, A, H - 2);
}

void TExtDateTimePicker::UpdateTimePickerEnabled()
{
    if (FTimePicker) FTimePicker->SetEnabled(Enabled() && (Checked() || !ShowCheckbox()));
}

TDateTime TExtDateTimePicker::DateTime() const
{
    if (!FTimePicker) return FDateTime;
    return WholeDay(FDateTime) + TimeOfDay(FTimePicker->DateTime());
}

void TExtDateTimePicker::SetDateTime(TDateTime Value)
{
    int h, n, s, ms;
    DecodeTime(Value, h, n, s, ms);
    const TDateTime v = WholeDay(Value) + EncodeTime(h, n, s, 0);
    TCustomDateTimePicker::SetDateTime(v);
    MakeTimePicker();
    if (FTimePicker) FTimePicker->SetDateTime(FDateTime);
    UpdateTimePickerEnabled();
}

void TExtDateTimePicker::SetDate(TDateTime Value) { SetDateTime(WholeDay(Value) + TimeOfDay(DateTime())); }

TDateTime TExtDateTimePicker::Time() const
{
    if (FExtKind == dkDateTime && FTimePicker) return FTimePicker->Time();
    return TimeOfDay(FDateTime);
}

void TExtDateTimePicker::SetTime(TDateTime Value)
{
    TCustomDateTimePicker::SetDateTime(WholeDay(DateTime()) + TimeOfDay(Value));
    LayoutTimePicker();
}

void TExtDateTimePicker::SetTimeFormat(const String& Value)
{
    if (FTimePicker) FTimePicker->SetFormat(Value);
    if (FExtKind == dkTime) SetFormat(Value);
    FTimeFormat = Value;
    LayoutTimePicker();
}

void TExtDateTimePicker::SetChecked(bool Value)
{
    TCustomDateTimePicker::SetChecked(Value);
    UpdateTimePickerEnabled();
}

void TExtDateTimePicker::Change()
{
    TCustomDateTimePicker::Change();
    UpdateTimePickerEnabled();
}

void TExtDateTimePicker::EnabledChanged()
{
    TCustomDateTimePicker::EnabledChanged();
    UpdateTimePickerEnabled();
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
}

void TExtDateTimePicker::SetAutoTab(bool Value)
{
    TCustomDateTimePicker::SetAutoTab(Value);
    if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TExtDateTimePicker::ShiftFocus()
{
    if (FExtKind == dkTime) {
        TCustomDateTimePicker::ShiftFocus();
        return;
    }
    int y, m, d;
    DecodeDate(DateTime(), y, m, d);
    const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
    const auto toTime = [this] {
        if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
    };
    const String f = Format();
    if (f.empty()) {
        if (dayChanged || monthChanged) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
        else if (yearChanged) toTime();
        return;
    }
    const char last = char(std::tolower(static_cast<unsigned char>(f.back())));
    if ((dayChanged && last == 'd') || (monthChanged && last == 'm') || (yearChanged && last == 'y')) toTime();
    else if (dayChanged || monthChanged || yearChanged) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TExtDateTimePicker::SetBounds(int l, int t, int w, int h)
{
    TCustomDateTimePicker::SetBounds(l, t, w, h);
    LayoutTimePicker();
    UpdateLabel();
}

void TExtDateTimePicker::SetParent(TWinControl* p)
{
    TCustomDateTimePicker::SetParent(p);
    if (FLabel) FLabel->SetParent(p);
    UpdateLabel();
}

void TExtDateTimePicker::SetVisible(bool v)
{
    TCustomDateTimePicker::SetVisible(v);
    UpdateLabel();
}

void TExtDateTimePicker::DoEnter()
{
    TCustomDateTimePicker::DoEnter();
    if (FLabel && FocusLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() << fsBold);
}

void TExtDateTimePicker::DoExit()
{
    TCustomDateTimePicker::DoExit();
    if (FLabel && FocusLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() >> fsBold);
}

String TExtDateTimePicker::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TExtDateTimePicker::SetLabelCaption(const String& Value)
{
    if (!FLabel) {
        FLabel = new TLabel(this);
        FLabel->FreeNotification(this);
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->SetFont(&FLabelFont);
        FLabel->OnClick = [this](TObject*) {
            if (OnLabelClick) OnLabelClick(this);
        };
        FLabel->OnDblClick = [this](TObject*) {
            if (OnLabelDblClick) OnLabelDblClick(this);
        };
    }
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TExtDateTimePicker::LabelFontChanged()
{
    if (FLabel) FLabel->SetFont(&FLabelFont);
    UpdateLabel();
}

void TExtDateTimePicker::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TExtDateTimePicker::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TExtDateTimePicker::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TExtDateTimePicker::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel) FLabel->SetEnabled(Value || Enabled());
}

void TExtDateTimePicker::UpdateLabel()
{
    if (!FLabel) return;
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->SetAutoSize(true);
    FLabel->AdjustSize();
    const TPoint at = PlaceCaptionLabel(FLabelPosition, TRect(Left(), Top(), Left() + Width(), Top() + Height()),
                                        FLabel->Width(), FLabel->Height(), FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
    FLabel->SetEnabled(FLabelAlwaysEnabled || Enabled());
}
