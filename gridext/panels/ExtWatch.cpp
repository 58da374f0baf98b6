// The clock face: appearance and settings, geometry, painting, clicks, keys and the
// animation of hands and of the AM/PM box.
#include "gridext/panels/ExtWatch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "gridedit/GridEditors.h"
#include "platform/rtl/Exception.h"

namespace {
constexpr double Pi = 3.14159265358979323846;
// Real numbers become pixels and steps rounded to the nearest integer, halves to even.
int Nearest(double x) { return int(std::nearbyint(x)); }
bool IsSet(TColor c) { return c != clNone; }

TColor Blend(TColor from, TColor to, int step, int steps)
{
    from = ColorToRGB(from);
    to = ColorToRGB(to);
    auto ch = [&](int shift) {
        const int a = int((from >> shift) & 0xFF), b = int((to >> shift) & 0xFF);
        return (a + (b - a) * step / std::max(1, steps - 1)) & 0xFF;
    };
    return TColor(ch(0) | (ch(8) << 8) | (ch(16) << 16));
}

// The part of the line at Pos (a row when Vertical, else a column) that lies inside the
// shape drawn in E: [From, To). The shape is the clip of the face: an ellipse, a rounded
// rectangle with corners of 20, or the whole rectangle.
bool ShapeSpan(TWatchShape Shape, const TRect& E, int Pos, bool Vertical, int& From, int& To)
{
    const int lo = Vertical ? E.Left : E.Top, hi = Vertical ? E.Right : E.Bottom;
    const int plo = Vertical ? E.Top : E.Left, phi = Vertical ? E.Bottom : E.Right;
    if (Pos < plo || Pos >= phi) return false;
    const double p = Pos + 0.5;
    if (Shape == wsRect) {
        From = lo;
        To = hi;
        return true;
    }
    if (Shape == wsCircle) {
        const double a = (hi - lo) / 2.0, b = (phi - plo) / 2.0;
        const double c = (lo + hi) / 2.0, cp = (plo + phi) / 2.0;
        const double d = (p - cp) / b;
        if (std::fabs(d) > 1) return false;
        const double w = a * std::sqrt(1 - d * d);
        From = Nearest(c - w);
        To = Nearest(c + w);
        return To > From;
    }
    const double r = 10;
    double inset = 0;
    if (p < plo + r) inset = r - std::sqrt(std::max(0.0, r * r - (plo + r - p) * (plo + r - p)));
    if (p > phi - r) inset = r - std::sqrt(std::max(0.0, r * r - (p - (phi - r)) * (p - (phi - r))));
    From = Nearest(lo + inset);
    To = Nearest(hi - inset);
    return To > From;
}

// Fills the shape with bands from one colour to the other (80 of them), top to bottom
// (Vertical) or left to right; a plain fill when both colours are the same.
void FillShape(TCanvas* C, TWatchShape Shape, const TRect& E, const TRect& Area, TColor From, TColor To,
               bool Vertical)
{
    const int steps = 80;
    const int first = Vertical ? Area.Top : Area.Left, last = Vertical ? Area.Bottom : Area.Right;
    const int length = std::max(1, last - first);
    C->Brush()->SetStyle(bsSolid);
    for (int pos = first; pos < last; ++pos) {
        int a = 0, b = 0;
        if (!ShapeSpan(Shape, E, pos, Vertical, a, b)) continue;
        C->Brush()->SetColor(Blend(From, To, (pos - first) * steps / length, steps));
        C->FillRect(Vertical ? Rect(a, pos, b, pos + 1) : Rect(pos, a, pos + 1, b));
    }
}
}   // namespace

// ---------------------------------------------------------------- TWatchAppearance

TWatchAppearance::TWatchAppearance()
{
    FAMPMFont.SetName("Tahoma");
    FAMPMFont.SetSize(10);
    FHourFont.SetName("Tahoma");
    FHourFont.SetSize(8);
    FAMPMFont.SetColor(clBlack);
    FHourFont.SetColor(clBlack);
    FPicture.OnChange = [this](TObject*) { Changed(); };
}

void TWatchAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

void TWatchAppearance::SetAMPMFont(const TFont* v)
{
    FAMPMFont.Assign(*v);
    Changed();
}

void TWatchAppearance::SetHourFont(const TFont* v)
{
    FHourFont.Assign(*v);
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture* v)
{
    FPicture.Assign(v);
    Changed();
}

void TWatchAppearance::Assign(const TWatchAppearance& Source)
{
    if (&Source == this) return;
    FAMPMBorderColor = Source.FAMPMBorderColor;
    FAMPMColor = Source.FAMPMColor;
    FAMPMFrame = Source.FAMPMFrame;
    FBorderColor = Source.FBorderColor;
    FBorderWidth = Source.FBorderWidth;
    FBackgroundColor = Source.FBackgroundColor;
    FBackgroundColorTo = Source.FBackgroundColorTo;
    FBackgroundGradient = Source.FBackgroundGradient;
    FCenterPointBorderColor = Source.FCenterPointBorderColor;
    FCenterPointOuterBorderColor = Source.FCenterPointOuterBorderColor;
    FCenterPointColor = Source.FCenterPointColor;
    FCenterPointSize = Source.FCenterPointSize;
    FHourColor = Source.FHourColor;
    FHourMarkLength = Source.FHourMarkLength;
    FHourMarkWidth = Source.FHourMarkWidth;
    FHourMarkStyle = Source.FHourMarkStyle;
    FHourPointer = Source.FHourPointer;
    FHourPointerShadow = Source.FHourPointerShadow;
    FHourPointerSize = Source.FHourPointerSize;
    FMinuteColor = Source.FMinuteColor;
    FMinutePointer = Source.FMinutePointer;
    FMinutePointerShadow = Source.FMinutePointerShadow;
    FMinutePointerSize = Source.FMinutePointerSize;
    FMinuteMarkLength = Source.FMinuteMarkLength;
    FMinuteMarkWidth = Source.FMinuteMarkWidth;
    FPointerStyle = Source.FPointerStyle;
    FSecondPointer = Source.FSecondPointer;
    FSecondPointerSize = Source.FSecondPointerSize;
    FShape = Source.FShape;
    FSize = Source.FSize;
    FTickMarks = Source.FTickMarks;
    SetAMPMFont(&Source.FAMPMFont);
    SetHourFont(&Source.FHourFont);
    SetPicture(&Source.FPicture);
}

// ---------------------------------------------------------------- TWatchSettings

void TWatchSettings::Changed()
{
    if (OnChange) OnChange(this);
}

void TWatchSettings::SetAuto(bool v)
{
    if (FAuto == v) return;
    FAuto = v;
    Changed();
}

void TWatchSettings::SetSecond(bool v)
{
    if (FSecond == v) return;
    FSecond = v;
    Changed();
}

void TWatchSettings::SetTimeOffset(int v)
{
    if (FTimeOffset == v) return;
    FTimeOffset = v;
    Changed();
}

void TWatchSettings::Assign(const TWatchSettings& Source)
{
    FSecond = Source.FSecond;
    FTimeOffset = Source.FTimeOffset;
    SetAuto(Source.FAuto);
}

// ---------------------------------------------------------------- TExtWatch

TExtWatch::TExtWatch(TComponent* AOwner) : TCustomControl(AOwner), FBKGCache(std::make_unique<TBitmap>())
{
    FAppearance.OnChange = [this](TObject*) { FaceChanged(); };
    FSettings.OnChange = [this](TObject*) { SettingsChanged(); };
    FClockTimer = new TTimer(this);
    FClockTimer->SetInterval(100);
    FClockTimer->SetEnabled(false);
    FClockTimer->OnTimer = [this](TObject*) { RedrawHands(); };
    FAnimTimer = new TTimer(this);
    FAnimTimer->SetInterval(1);
    FAnimTimer->SetEnabled(false);
    FAnimTimer->OnTimer = [this](TObject*) { AnimationStep(); };
    SetParentColor(true);
    SetTabStop(true);
    SetBounds(0, 0, 180, 180);
}

TExtWatch::~TExtWatch()
{
    FAppearance.OnChange = nullptr;
    FSettings.OnChange = nullptr;
}

void TExtWatch::FaceChanged()
{
    FFaceValid = false;
    Invalidate();
}

void TExtWatch::Resize()
{
    TCustomControl::Resize();
    FaceChanged();
}

void TExtWatch::SettingsChanged()
{
    FClockTimer->SetEnabled(FSettings.Auto());
    if (FSettings.Auto()) {
        FTime = CurrentTime();
        int h, m, s, ms;
        DecodeTime(FTime, h, m, s, ms);
        FInternalSet = true;
        SetAM(h < 12);
        FInternalSet = false;
    }
    FaceChanged();
}

void TExtWatch::SetShowAMPM(bool v)
{
    if (FShowAMPM == v) return;
    FShowAMPM = v;
    FaceChanged();
}

void TExtWatch::SetShowNumbers(bool v)
{
    if (FShowNumbers == v) return;
    FShowNumbers = v;
    FaceChanged();
}

TDateTime TExtWatch::CurrentTime() const
{
    if (!FSettings.Auto()) return FTime;
    return CurrentDateTime() + FSettings.TimeOffset() / 1440.0;
}

// ---- geometry

TRect TExtWatch::FaceRect() const
{
    const TRect c = ClientRect();
    const int w = c.Width(), h = c.Height();
    const int s = FAppearance.Size() > 0 ? std::min({FAppearance.Size(), h, w}) : std::min(w, h) - 20;
    const int l = c.Left + (w - s) / 2, t = c.Top + (h - s) / 2;
    return Rect(l, t, l + s, t + s);
}

TPoint TExtWatch::Center() const
{
    const TRect f = FaceRect();
    return Point(f.Left + f.Width() / 2, f.Top + f.Width() / 2);
}

double TExtWatch::Radius() const { return FaceRect().Width() / 2; }

TPoint TExtWatch::PointAt(double Angle, double Distance) const
{
    const TPoint c = Center();
    const double a = Angle * Pi / 180;
    return Point(Nearest(c.X + Distance * std::sin(a)), Nearest(c.Y - Distance * std::cos(a)));
}

TRect TExtWatch::AMPMRect()
{
    if (!FShowAMPM) return Rect(-1, -1, -1, -1);
    Canvas()->SetFont(FAppearance.AMPMFont());
    const int w = Canvas()->TextWidth("AM") + 8;
    const int h = Canvas()->TextHeight("AM");
    const TPoint c = Center();
    const int l = c.X - w / 2;
    const int t = c.Y + Nearest((Radius() - h) / 3);
    return Rect(l, t, l + w, t + h);
}

int TExtWatch::PointToMinute(int X, int Y) const
{
    const TPoint c = Center();
    int dy = std::abs(c.Y - Y), dx = std::abs(c.X - X);
    if (dy == 0) dy = 1;
    if (dx == 0) dx = 1;
    const int m = Nearest(std::atan(double(dy) / dx) * 180 / Pi / 6);
    int r;
    if (X >= c.X && Y >= c.Y)
        r = 15 + m;
    else if (X < c.X && Y >= c.Y)
        r = 45 - m;
    else if (X <= c.X && Y < c.Y)
        r = 45 + m;
    else
        r = 15 - m;
    return (r < 0 || r > 59) ? 0 : r;
}

int TExtWatch::PointToHour(int X, int Y) const
{
    int h = Nearest(PointToMinute(X, Y) / 5.0);
    if (h <= 0)
        h = FAM ? 0 : 12;
    else if (!FAM)
        h += 12;
    return h == 24 ? 0 : h;
}

// ---- time

void TExtWatch::ApplyTime(TDateTime T)
{
    FTime = T;
    int h, m, s, ms;
    DecodeTime(T, h, m, s, ms);
    FInternalSet = true;
    SetAM(h < 12);
    FInternalSet = false;
    RedrawHands();
}

void TExtWatch::SetTime(TDateTime T)
{
    if (T == FTime) return;
    ApplyTime(T);
}

bool TExtWatch::Animating() const { return FAnimTimer->Enabled(); }

void TExtWatch::SetHour(int H)
{
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    if (H == h) return;
    if (FAnimation && !FInternalCall) {
        FCurrentHourTo = H;
        FHourAnimating = true;
        FAnimTimer->SetEnabled(true);
        return;
    }
    // Set at once: a change the user asked for is its own target, so it is reported.
    if (!FInternalCall) FCurrentHourTo = H;
    ApplyTime(EncodeTime(H, m, s, ms));
    if (H == FCurrentHourTo && OnChange) OnChange(this);
}

void TExtWatch::SetMinute(int M)
{
    if (M >= 60) throw Exception("Invalid time");
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    if (M == m) return;
    if (FAnimation && !FInternalCall) {
        FCurrentMinuteTo = M;
        FHourAnimating = false;
        FMinuteFrom = m;
        FAnimTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FMinuteFrom = m;
    if (!FInternalCall) FCurrentMinuteTo = M;
    // Passing the full hour forwards moves the hour on.
    if (M == 0 && FMinuteFrom > 30) h = (h + 1) % 24;
    ApplyTime(EncodeTime(h, M, s, ms));
    if (M == FCurrentMinuteTo && OnChange) OnChange(this);
}

void TExtWatch::SetHourDirect(int H)
{
    FCurrentHourTo = H;
    FInternalCall = true;
    SetHour(H);
    FInternalCall = false;
}

void TExtWatch::AnimationStep()
{
    if (!FAnimation) {
        // An animation whose switch was turned off would otherwise tick for ever.
        FAnimTimer->SetEnabled(false);
        return;
    }
    // A factor of 0 or below has no steps to divide into: the hand goes straight there.
    const double factor = FAnimationFactor > 0 ? FAnimationFactor : 1;
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    FInternalCall = true;
    try {
        if (FHourAnimating) {
            const int t = FCurrentHourTo;
            const int step = std::max(1, Nearest(std::abs(t - h) / factor));
            if (h == t) {
                SetHour(t);
                FAnimTimer->SetEnabled(false);
            } else {
                SetHour(h < t ? h + step : h - step);
            }
        } else {
            const int t = FCurrentMinuteTo;
            const bool wraps = t == 0 && m > 30;
            const int distance = wraps ? 60 - m : std::abs(t - m);
            const int step = std::max(1, Nearest(distance / factor));
            if (m == t) {
                SetMinute(t);
                FAnimTimer->SetEnabled(false);
            } else {
                int v = (m < t || wraps) ? m + step : m - step;
                if (v >= 60) v = 0;
                SetMinute(v);
            }
        }
    } catch (...) {
        FInternalCall = false;
        FAnimTimer->SetEnabled(false);
        throw;
    }
    FInternalCall = false;
}

void TExtWatch::SetAM(bool A)
{
    if (FAM == A) return;
    if (FAnimation && FShowAMPM && IsSet(FAppearance.AMPMColor()) && !FInternalSet) {
        // The box scrolls from one text to the other a pixel at a time: as many steps as
        // the box is high, so the switch always ends.
        const int h = std::max(0, AMPMRect().Height());
        for (int step = 0; step <= h; ++step) {
            FScrollOffset = FAM ? step : h - step;
            Repaint();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        FScrollOffset = -1;
    }
    FAM = A;
    FaceChanged();
}

void TExtWatch::HandleWatchKey(WORD Key)
{
    if (FSettings.Auto()) return;
    int h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    switch (Key) {
    case 65: case 97:
        if (h > 11) SetHour(h - 12);
        break;
    case 80: case 112:
        if (h < 12) SetHour(h + 12);
        break;
    case VK_PRIOR:
        if (h <= 22)
            SetHour(h + 1);
        else
            SetHourDirect(0);
        break;
    case VK_NEXT:
        if (h > 0)
            SetHour(h - 1);
        else
            SetHourDirect(23);
        break;
    case VK_HOME: SetHourDirect(12); break;
    case VK_LEFT:
        if (m > 0) {
            SetMinute(m - 1);
        } else {
            ApplyTime(EncodeTime(h == 0 ? 23 : h - 1, 59, s, ms));
            if (OnChange) OnChange(this);
        }
        break;
    case VK_RIGHT: SetMinute(m < 59 ? m + 1 : 0); break;
    case VK_END: SetMinute(0); break;
    default: break;
    }
}

// ---- mouse

void TExtWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FSettings.Auto()) return;
    const TRect f = FaceRect();
    const double a = f.Width() / 2.0, b = f.Height() / 2.0;
    const double dx = (X - (f.Left + a)) / a, dy = (Y - (f.Top + b)) / b;
    if (a <= 0 || dx * dx + dy * dy > 1) {
        SetMinute(PointToMinute(X, Y));
        return;
    }
    if (PtInRect(AMPMRect(), Point(X, Y))) {
        int h, m, s, ms;
        DecodeTime(FTime, h, m, s, ms);
        if (FAnimation) SetAM(!FAM);
        SetHourDirect(h < 12 ? h + 12 : h - 12);
        return;
    }
    SetHour(PointToHour(X, Y));
}

void TExtWatch::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    SetCursor(PtInRect(AMPMRect(), Point(X, Y)) ? crHandPoint : crDefault);
}

void TExtWatch::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = TabStop() ? (DLGC_WANTARROWS | DLGC_WANTALLKEYS) : 0;
        return;
    }
    TCustomControl::WndProc(msg);
}

// ---- painting

void TExtWatch::RedrawHands()
{
    // The face stays in the cache; only the hands are drawn again.
    Repaint();
}

void TExtWatch::Paint()
{
    const TRect cr = ClientRect();
    if (!FFaceValid || FBKGCache->Width() != cr.Width() || FBKGCache->Height() != cr.Height()) {
        FBKGCache->SetSize(cr.Width(), cr.Height());
        TCanvas* bc = FBKGCache->Canvas();
        bc->Brush()->SetStyle(bsSolid);
        bc->Brush()->SetColor(Color());
        bc->FillRect(cr);
        DrawFace(bc);
        DrawTicks(bc);
        DrawNumbers(bc);
        DrawAMPM(bc);
        FFaceValid = true;
    }
    Canvas()->Draw(0, 0, FBKGCache.get());
    if (FScrollOffset >= 0) DrawAMPMScroll(Canvas());
    DrawHands(Canvas());
}

void TExtWatch::DrawFace(TCanvas* C)
{
    const TRect cr = ClientRect();
    const TWatchShape shape = FAppearance.Shape();
    const TRect area = shape == wsCircle ? FaceRect() : cr;
    const TRect clip = Rect(area.Left - 1, area.Top - 1, area.Right + 2, area.Bottom + 2);
    const TColor from = FAppearance.BackgroundColor(), to = FAppearance.BackgroundColorTo();
    if (IsSet(from))
        FillShape(C, shape, shape == wsRect ? area : clip, area, from, IsSet(to) ? to : from,
                  FAppearance.BackgroundGradient() != wgRadial);
    if (IsSet(FAppearance.BorderColor()) && FAppearance.BorderWidth() > 0) {
        C->Pen()->SetColor(FAppearance.BorderColor());
        C->Pen()->SetWidth(FAppearance.BorderWidth());
        C->Pen()->SetStyle(psSolid);
        C->Brush()->SetStyle(bsClear);
        if (shape == wsCircle)
            C->Ellipse(area);
        else if (shape == wsRect)
            C->Rectangle(cr);
        else
            C->RoundRect(cr.Left, cr.Top, cr.Right, cr.Bottom, 20, 20);
        C->Brush()->SetStyle(bsSolid);
        C->Pen()->SetWidth(1);
    }
    if (TBitmap* pic = FAppearance.Picture()->Bitmap(); pic && !pic->Empty()) {
        TBitmap b;
        b.Assign(pic);
        b.SetTransparent(true);
        C->Draw(cr.Left, cr.Top, &b);
    }
}

void TExtWatch::DrawTicks(TCanvas* C)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (marks == tmNone) return;
    const double r = Radius();
    const double o = r - FAppearance.BorderWidth() / 2;
    auto line = [&](double angle, double inner, double outer, int dx, int dy) {
        TPoint a = PointAt(angle, inner), b = PointAt(angle, outer);
        C->MoveTo(a.X + dx, a.Y + dy);
        C->LineTo(b.X + dx, b.Y + dy);
    };
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetColor(FAppearance.HourColor());
    C->Pen()->SetWidth(FAppearance.HourMarkWidth());
    const double hi = FAppearance.HourMarkLength() > 0 ? o - FAppearance.HourMarkLength() : 0.9 * o;
    for (int hour = 0; hour < 12; ++hour) {
        const bool quarter = hour % 3 == 0;
        if (!quarter && marks != tmAll && marks != tmHours) continue;
        const double angle = hour * 30;
        if (quarter && FAppearance.HourMarkStyle() == hmsQuartDblLine) {
            // Two lines either side of the radius: beside it at 12 and 6, above and
            // below it at 3 and 9.
            const bool vertical = hour == 0 || hour == 6;
            line(angle, hi, o, vertical ? -2 : 0, vertical ? 0 : -2);
            line(angle, hi, o, vertical ? 2 : 0, vertical ? 0 : 2);
        } else {
            line(angle, hi, o, 0, 0);
        }
    }
    if (marks == tmAll) {
        C->Pen()->SetColor(FAppearance.MinuteColor());
        C->Pen()->SetWidth(FAppearance.MinuteMarkWidth());
        const double mi = FAppearance.MinuteMarkLength() > 0 ? o - FAppearance.MinuteMarkLength() : 0.95 * o;
        for (int minute = 0; minute < 60; ++minute)
            if (minute % 5 != 0) line(minute * 6, mi, o, 0, 0);
    }
    C->Pen()->SetWidth(1);
}

void TExtWatch::DrawNumbers(TCanvas* C)
{
    const TTickMarks marks = FAppearance.TickMarks();
    if (!FShowNumbers || (marks != tmAll && marks != tmQuartHours)) return;
    const double o = Radius() - FAppearance.BorderWidth() / 2;
    const int k = FAppearance.HourMarkLength() > 0 ? FAppearance.HourMarkLength() : Nearest(0.1 * o) + 2;
    C->SetFont(FAppearance.HourFont());
    C->Brush()->SetStyle(bsClear);
    const TPoint c = Center();
    for (int n = 1; n <= 12; ++n) {
        if (marks == tmQuartHours && n % 3 != 0) continue;
        const String text = IntToStr(n);
        const int tw = C->TextWidth(text), th = C->TextHeight(text);
        double rho = o - 2 * k - 2 + k / 2;
        if (n == 10) rho -= Nearest(0.2 * th);
        if (n == 11) rho -= Nearest(0.15 * th);
        const double a = n * 30 * Pi / 180;
        const int x = c.X + 1 + Nearest(rho * std::sin(a));
        const int y = c.Y + 1 - Nearest(rho * std::cos(a));
        C->TextOut(x - tw / 2 - 1, y - th / 2 - 1, text);
    }
    C->Brush()->SetStyle(bsSolid);
}

void TExtWatch::DrawAMPM(TCanvas* C)
{
    if (!FShowAMPM) return;
    const TRect box = AMPMRect();
    const TColor fill = FAppearance.AMPMColor(), border = FAppearance.AMPMBorderColor();
    if (IsSet(fill) || IsSet(border)) {
        C->Brush()->SetStyle(IsSet(fill) ? bsSolid : bsClear);
        if (IsSet(fill)) C->Brush()->SetColor(fill);
        C->Pen()->SetWidth(1);
        C->Pen()->SetStyle(IsSet(border) ? psSolid : psClear);
        if (IsSet(border)) C->Pen()->SetColor(border);
        if (FAppearance.AMPMFrame() == apRect)
            C->Rectangle(box);
        else
            C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
        C->Pen()->SetStyle(psSolid);
    }
    C->SetFont(FAppearance.AMPMFont());
    C->Brush()->SetStyle(bsClear);
    TRect r = box;
    C->DrawText(FAM ? "AM" : "PM", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->Brush()->SetStyle(bsSolid);
}

void TExtWatch::DrawAMPMScroll(TCanvas* C)
{
    // A strip of "AM" over "PM" seen through the box, FScrollOffset pixels down it.
    const TRect box = AMPMRect();
    const int h = box.Height();
    const int saved = C->SaveState();
    C->IntersectClipRect(box);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FAppearance.AMPMColor());
    C->FillRect(box);
    C->SetFont(FAppearance.AMPMFont());
    C->Brush()->SetStyle(bsClear);
    TRect am = Rect(box.Left, box.Top - FScrollOffset, box.Right, box.Bottom - FScrollOffset);
    TRect pm = Rect(box.Left, am.Top + h, box.Right, am.Bottom + h);
    C->DrawText("AM", am, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->DrawText("PM", pm, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->RestoreState(saved);
    if (IsSet(FAppearance.AMPMBorderColor())) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(FAppearance.AMPMBorderColor());
        C->Pen()->SetWidth(1);
        if (FAppearance.AMPMFrame() == apRect)
            C->Rectangle(box);
        else
            C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
    }
    C->Brush()->SetStyle(bsSolid);
}

void TExtWatch::DrawHands(TCanvas* C)
{
    const TDateTime now = CurrentTime();
    int h, m, s, ms;
    DecodeTime(now, h, m, s, ms);
    if (FSettings.Auto() && FAM != (h < 12)) {
        FInternalSet = true;
        SetAM(h < 12);
        FInternalSet = false;
    }
    const double r = Radius();
    const double ha = HourAngle(h, m), ma = MinuteAngle(m);
    const TPointerStyle style = FAppearance.PointerStyle();
    C->Pen()->SetStyle(psSolid);
    auto line = [&](double angle, double from, double to, TColor color, int width, int dx, int dy) {
        if (!IsSet(color)) return;
        C->Pen()->SetColor(color);
        C->Pen()->SetWidth(std::max(1, width));
        const TPoint a = PointAt(angle, from), b = PointAt(angle, to);
        C->MoveTo(a.X + dx, a.Y + dy);
        C->LineTo(b.X + dx, b.Y + dy);
    };
    auto pointer = [&](double angle, double length, TColor color, int dx, int dy) {
        if (!IsSet(color)) return;
        std::vector<TPoint> pts = {PointAt(angle, -0.1 * r), PointAt(angle + 90, 0.05 * r), PointAt(angle, length),
                                   PointAt(angle - 90, 0.05 * r)};
        for (TPoint& p : pts) p = Point(p.X + dx, p.Y + dy);
        C->Pen()->SetColor(color);
        C->Pen()->SetWidth(1);
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(color);
        C->Polygon(pts);
    };
    if (style == psLine) {
        line(ha, -0.1 * r, 0.46 * r, FAppearance.HourPointerShadow(), FAppearance.HourPointerSize(), -1, 3);
        line(ma, -0.1 * r, 0.65 * r, FAppearance.MinutePointerShadow(), FAppearance.MinutePointerSize(), 0, 3);
        line(ha, -0.1 * r, 0.5 * r, FAppearance.HourPointer(), FAppearance.HourPointerSize(), 0, 0);
        line(ma, -0.1 * r, 0.7 * r, FAppearance.MinutePointer(), FAppearance.MinutePointerSize(), 0, 0);
    } else if (style == psPointer) {
        pointer(ha, 0.5 * r, FAppearance.HourPointerShadow(), 1, 3);
        pointer(ha, 0.5 * r, FAppearance.HourPointer(), 0, 0);
        pointer(ma, 0.7 * r, FAppearance.MinutePointerShadow(), 1, 3);
        pointer(ma, 0.7 * r, FAppearance.MinutePointer(), 0, 0);
    }
    if ((style == psLine || style == psPointer) && FSettings.Auto() && FSettings.Second())
        line(SecondAngle(s), -0.2 * r, 0.9 * r, FAppearance.SecondPointer(), FAppearance.SecondPointerSize(), 0, 0);

    const int c = FAppearance.CenterPointSize();
    if (c > 0) {
        const TPoint ce = Center();
        const int l = Nearest(ce.X - c / 2.0), t = Nearest(ce.Y - c / 2.0);
        if (IsSet(FAppearance.CenterPointColor())) {
            C->Pen()->SetWidth(1);
            C->Pen()->SetColor(FAppearance.CenterPointColor());
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(FAppearance.CenterPointColor());
            C->Ellipse(l, t, l + c, t + c);
        }
        int w = 0;
        C->Brush()->SetStyle(bsClear);
        if (IsSet(FAppearance.CenterPointOuterBorderColor())) {
            w = Nearest(0.2 * c);
            C->Pen()->SetColor(FAppearance.CenterPointOuterBorderColor());
            C->Pen()->SetWidth(std::max(1, w));
            C->Ellipse(l, t, l + c, t + c);
        }
        if (IsSet(FAppearance.CenterPointBorderColor())) {
            const int l2 = Nearest(ce.X - (c - w) / 2.0), t2 = Nearest(ce.Y - (c - w) / 2.0);
            C->Pen()->SetColor(FAppearance.CenterPointBorderColor());
            C->Pen()->SetWidth(std::max(1, Nearest(0.1 * c)));
            C->Ellipse(l2, t2, l2 + c - w, t2 + c - w);
        }
    }
    C->Brush()->SetStyle(bsSolid);
    C->Pen()->SetWidth(1);
}
