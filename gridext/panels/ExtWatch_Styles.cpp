// The clock's preset looks and the suite's named looks.
#include <algorithm>
#include <cmath>

#include "gridext/panels/ExtWatch.h"

namespace {
int Nearest(double x) { return int(std::nearbyint(x)); }

void SetLookFont(TFont* f, const char* name, int size, bool bold, TColor color = clNone)
{
    if (name) f->SetName(name);
    if (size > 0) f->SetSize(size);
    f->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles());
    if (color != clNone) f->SetColor(color);
}

struct TNamedLook {
    TWYXStyle Style;
    TColor AMPMBorder, AMPMFill, Background, BackgroundTo, Border, CenterBorder, Center, Hands, Shadows;
    TColor Second;   // clNone: the colour of the hands
};

const TNamedLook Named_Looks[] = {
    {tsOffice2003Blue, TColor(0x962D00), TColor(0xD68759), TColor(0xFFD2AF), TColor(0xFFD2AF), TColor(0xD68759),
     TColor(0xD68759), TColor(0xD68759), TColor(0xD68759), TColor(0xFFFFFF), TColor(0xFFFFFF)},
    {tsOffice2003Silver, TColor(0x962D00), TColor(0xBDA4A5), TColor(0xE6D8D8), TColor(0xE6D8D8), TColor(0xBDA4A5),
     TColor(0xBDA4A5), TColor(0xBDA4A5), TColor(0xBDA4A5), TColor(0xFFFFFF), TColor(0xFFFFFF)},
    {tsOffice2003Olive, TColor(0x962D00), TColor(0x82C0AF), TColor(0xB9EAE1), TColor(0xB9EAE1), TColor(0x82C0AF),
     TColor(0x82C0AF), TColor(0x82C0AF), TColor(0x82C0AF), TColor(0xFFFFFF), TColor(0xFFFFFF)},
    {tsOffice2003Classic, TColor(0x962D00), TColor(0x808080), TColor(0xF2F2F2), TColor(0xF2F2F2), TColor(0x808080),
     TColor(0x808080), TColor(0x808080), TColor(0x808080), TColor(0xFFFFFF), clNone},
    {tsOffice2007Luna, TColor(0xF0DED0), TColor(0xF0DED0), TColor(0xFFEFE3), TColor(0xFFEFE3), TColor(0xF0DED0),
     TColor(0xFFEFE3), TColor(0xFFEFE3), TColor(0x723708), TColor(0xFFFFFF), clNone},
    {tsOffice2007Obsidian, TColor(0xF2F1F0), TColor(0x5C534C), TColor(0x5C534C), TColor(0x5C534C), TColor(0xF2F1F0),
     TColor(0xFFEFE3), TColor(0xFFEFE3), TColor(0xF2F1F0), TColor(0xFFFFFF), clNone},
    {tsWindowsXP, TColor(0x000000), clBtnFace, clBtnFace, clBtnFace, TColor(0x000000), TColor(0x000000),
     TColor(0x000000), TColor(0x000000), TColor(0xFFFFFF), clNone},
    {tsWhidbey, TColor(0x7E9898), TColor(0xF5F9FA), TColor(0xF5F9FA), TColor(0xF5F9FA), TColor(0x7E9898),
     TColor(0x7E9898), TColor(0x7E9898), TColor(0x7E9898), TColor(0xFFFFFF), clNone},
    {tsOffice2007Silver, TColor(0xE8E0DB), TColor(0xF8F4F1), TColor(0xF8F4F1), TColor(0xF8F4F1), TColor(0xE8E0DB),
     TColor(0xE8E0DB), TColor(0x74706F), TColor(0x74706F), TColor(0xFFFFFF), clNone},
    {tsWindowsVista, TColor(0xFEDF9A), TColor(0xFFFDF9), TColor(0xFFFDF9), TColor(0xFFFAF0), TColor(0xFEDF9A),
     TColor(0xFEDF9A), TColor(0xFEDF9A), TColor(0xFEDF9A), TColor(0xFFFFFF), clNone},
    {tsWindows7, TColor(0xFBD6B8), TColor(0xFDFBFA), TColor(0xFDFBFA), TColor(0xFDF3EB), TColor(0xFBD6B8),
     TColor(0xFBD6B8), TColor(0xFBD6B8), TColor(0xFBD6B8), TColor(0xFFFFFF), clNone},
    {tsTerminal, TColor(0x808080), clBtnFace, clBtnFace, clBtnFace, TColor(0x808080), TColor(0x808080),
     TColor(0x808080), TColor(0x808080), TColor(0xFFFFFF), clNone},
    {tsOffice2010Blue, TColor(0xC7B29F), TColor(0xF0DAC7), TColor(0xFDF6EF), TColor(0xFDF6EF), TColor(0xC7B29F),
     TColor(0xC7B29F), TColor(0xC7B29F), TColor(0xC7B29F), TColor(0xFFFFFF), clNone},
    {tsOffice2010Silver, TColor(0xD2CDC8), TColor(0xEDE5E0), TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xD2CDC8),
     TColor(0xD2CDC8), TColor(0xD2CDC8), TColor(0xD2CDC8), TColor(0xC0C0C0), clNone},
    {tsOffice2010Black, TColor(0x6D6D6D), TColor(0x919191), TColor(0xBFBFBF), TColor(0xBFBFBF), TColor(0x6D6D6D),
     TColor(0x6D6D6D), TColor(0x6D6D6D), TColor(0x6D6D6D), TColor(0xFFFFFF), clNone},
};
}   // namespace

void ApplyWatchLook(TWatchAppearance& A, TWYXStyle AStyle)
{
    A.SetCenterPointOuterBorderColor(TColor(0x000000));
    A.HourFont()->SetColor(TColor(0x000000));
    A.AMPMFont()->SetColor(TColor(0x000000));
    for (const TNamedLook& l : Named_Looks) {
        if (l.Style != AStyle) continue;
        A.SetAMPMBorderColor(l.AMPMBorder);
        A.SetAMPMColor(l.AMPMFill);
        A.SetBackgroundColor(l.Background);
        A.SetBackgroundColorTo(l.BackgroundTo);
        A.SetBorderColor(l.Border);
        A.SetCenterPointBorderColor(l.CenterBorder);
        A.SetCenterPointColor(l.Center);
        A.SetHourColor(l.Hands);
        A.SetMinuteColor(l.Hands);
        A.SetHourPointer(l.Hands);
        A.SetMinutePointer(l.Hands);
        A.SetSecondPointer(l.Second == clNone ? l.Hands : l.Second);
        A.SetHourPointerShadow(l.Shadows);
        A.SetMinutePointerShadow(l.Shadows);
        if (AStyle == tsOffice2007Obsidian) {
            A.HourFont()->SetColor(l.Hands);
            A.AMPMFont()->SetColor(l.Hands);
        }
    }
}

void TExtWatch::SetComponentStyle(TWYXStyle AStyle)
{
    ApplyWatchLook(FAppearance, AStyle);
    FaceChanged();
}

void TExtWatch::ResetAppearance()
{
    TWatchAppearance defaults;
    FAppearance.Assign(defaults);
}

void TExtWatch::SetStyle(TWatchStyle v)
{
    if (FStyle == v) return;
    FStyle = v;
    ResetAppearance();
    TWatchAppearance& a = FAppearance;
    const int side = std::min(Width(), Height());
    auto shown = [this](bool ampm, bool numbers) {
        SetShowAMPM(ampm);
        SetShowNumbers(numbers);
    };
    switch (v) {
    case wsClassic:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 0, false);
        SetLookFont(a.HourFont(), "Comic Sans MS", 10, true);
        a.SetHourMarkLength(8);
        a.SetHourPointer(TColor(0x000000));
        a.SetHourPointerSize(5);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        FAnimation = true;
        FAnimationFactor = 10;
        shown(true, true);
        break;
    case wsTower:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 0, false);
        a.SetAMPMFrame(apRect);
        a.SetBorderWidth(1);
        a.SetBackgroundColor(TColor(0xB1F0FE));
        a.SetBackgroundColorTo(TColor(0x5BCCE8));
        a.SetBackgroundGradient(wgDiagonalForward);
        a.SetCenterPointColor(TColor(0x002BD5));
        a.SetCenterPointSize(6);
        SetLookFont(a.HourFont(), "Century", 0, true, clWindowText);
        a.SetHourPointer(TColor(0x000000));
        a.SetHourPointerSize(5);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetSecondPointer(TColor(0x002BD5));
        a.SetShape(wsRect);
        a.SetPointerStyle(psPointer);
        a.SetAMPMColor(a.BackgroundColor());
        SetShowNumbers(false);
        a.SetTickMarks(tmHours);
        break;
    case wsFluorescent:
    case wsFuchsia: {
        const bool fl = v == wsFluorescent;
        const TColor c = fl ? TColor(0xFF3E3E) : TColor(0xFFD0FF);
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 10, false, clWindowText);
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(c);
        a.SetBackgroundColor(TColor(0x000000));
        a.SetBackgroundColorTo(TColor(0x000000));
        if (fl) a.SetCenterPointColor(c);
        a.SetCenterPointBorderColor(fl ? TColor(0x000000) : TColor(0xDD68DD));
        a.SetCenterPointOuterBorderColor(TColor(0x000000));
        a.SetCenterPointSize(20);
        SetLookFont(a.HourFont(), "MS Sans Serif", 8, false, clWindowText);
        a.SetHourColor(c);
        a.SetHourPointer(c);
        a.SetMinutePointer(c);
        a.SetHourMarkLength(10);
        a.SetHourMarkWidth(2);
        a.SetHourMarkStyle(hmsQuartDblLine);
        a.SetHourPointerSize(2);
        a.SetMinutePointerSize(2);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(fl ? wsRoundRect : wsRect);
        if (!fl) a.SetSecondPointer(TColor(0xDD68DD));
        a.SetTickMarks(fl ? tmHours : tmQuartHours);
        shown(false, false);
        break;
    }
    case wsEmerald:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 0, false, TColor(0xA00000));
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(TColor(0x3AE800));
        a.SetBackgroundColor(TColor(0x3AE800));
        a.SetBackgroundColorTo(TColor(0x000000));
        a.SetBackgroundGradient(wgDiagonalForward);
        a.SetCenterPointColor(TColor(0x38E100));
        a.SetCenterPointBorderColor(TColor(0x40FF00));
        a.SetCenterPointOuterBorderColor(TColor(0x000000));
        a.SetCenterPointSize(16);
        SetLookFont(a.HourFont(), "MS Sans Serif", 0, false, a.BackgroundColor());
        a.SetHourPointer(TColor(0x40FF00));
        a.SetHourPointerSize(5);
        a.SetMinutePointer(TColor(0x40FF00));
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(wsRect);
        a.SetPointerStyle(psPointer);
        a.SetAMPMColor(clNone);
        a.SetHourMarkStyle(hmsQuartDblLine);
        a.SetHourColor(a.BackgroundColor());
        a.SetSecondPointer(TColor(0x00FFFF));
        a.SetTickMarks(tmHours);
        shown(false, false);
        break;
    case wsBlueStar:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 10, false, TColor(0xA00000));
        a.SetAMPMBorderColor(clNone);
        a.SetAMPMFrame(apRoundRect);
        a.SetBorderColor(TColor(0xFFD5D5));
        a.SetBackgroundColor(TColor(0xFFD5D5));
        a.SetBackgroundColorTo(TColor(0xA00000));
        a.SetBackgroundGradient(wgRadial);
        SetLookFont(a.HourFont(), "MS Sans Serif", 8, false, a.BackgroundColor());
        a.SetHourPointer(TColor(0xA00000));
        a.SetHourPointerSize(5);
        a.SetMinutePointer(TColor(0xA00000));
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetShape(wsRoundRect);
        a.SetPointerStyle(psPointer);
        a.SetAMPMColor(clNone);
        shown(true, true);
        break;
    case wsBlack:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 0, false);
        a.SetBackgroundColor(TColor(0x202020));
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(TColor(0x000000));
        a.SetCenterPointColor(TColor(0xFFFFFF));
        a.SetCenterPointBorderColor(TColor(0xFFFFFF));
        a.SetCenterPointOuterBorderColor(TColor(0xFFFFFF));
        a.SetHourColor(TColor(0x585858));
        SetLookFont(a.HourFont(), "Century Gothic", 11, false, TColor(0xFFFFFF));
        a.SetHourPointer(TColor(0xFFFFFF));
        a.SetHourPointerSize(5);
        a.SetMinutePointer(TColor(0xFFFFFF));
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteColor(TColor(0x585858));
        a.SetMinuteMarkLength(4);
        shown(false, true);
        break;
    case wsBlackWhite:
        a.SetBackgroundColor(TColor(0xFFFFFF));
        a.SetBackgroundColorTo(clNone);
        a.SetBorderColor(TColor(0x000000));
        a.SetBorderWidth(8);
        a.SetCenterPointColor(TColor(0x000000));
        a.SetCenterPointBorderColor(TColor(0x000000));
        a.SetCenterPointOuterBorderColor(TColor(0x000000));
        a.SetCenterPointSize(8);
        a.SetHourColor(TColor(0x585858));
        SetLookFont(a.HourFont(), "Century Gothic", 14, true, TColor(0x000000));
        a.SetHourPointer(TColor(0x000000));
        a.SetMinutePointer(TColor(0x000000));
        a.SetHourPointerSize(5);
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinutePointerShadow(clBtnShadow);
        a.SetMinuteMarkLength(4);
        a.SetSecondPointer(TColor(0x000080));
        a.SetPointerStyle(psPointer);
        a.SetTickMarks(tmQuartHours);
        shown(false, true);
        break;
    case wsGray:
        SetLookFont(a.AMPMFont(), "MS Sans Serif", 10, false);
        a.SetBackgroundColor(TColor(0xD1D1D1));
        a.SetBackgroundColorTo(TColor(0x6C6C6C));
        a.SetBackgroundGradient(wgRadial);
        a.SetBorderColor(TColor(0x454545));
        a.SetCenterPointColor(TColor(0x000000));
        a.SetCenterPointBorderColor(TColor(0x454545));
        a.SetCenterPointOuterBorderColor(clNone);
        a.SetHourColor(TColor(0x000000));
        SetLookFont(a.HourFont(), "Comic Sans MS", 8, false);
        a.SetHourPointer(TColor(0x4E4E4E));
        a.SetMinutePointer(TColor(0x4E4E4E));
        a.SetHourPointerSize(1);
        a.SetMinutePointerSize(1);
        a.SetHourPointerShadow(clNone);
        a.SetMinutePointerShadow(clNone);
        a.SetMinuteColor(TColor(0x808080));
        a.SetSecondPointer(TColor(0x0000FF));
        shown(true, true);
        break;
    case wsSuperNova:
        a.SetBackgroundColorTo(TColor(0xD1D3D3));
        a.SetBorderColor(clNone);
        a.SetCenterPointOuterBorderColor(TColor(0x000000));
        a.SetCenterPointSize(10);
        a.SetHourMarkLength(Nearest(side / 4.5));
        a.SetHourPointer(TColor(0x000000));
        a.SetHourPointerShadow(clBtnShadow);
        a.SetMinuteColor(TColor(0x808080));
        a.SetMinuteMarkLength(side / 3);
        a.SetMinutePointer(TColor(0x000000));
        shown(false, false);
        break;
    case wsSports:
    case wsSmooth: {
        const bool sp = v == wsSports;
        a.SetBackgroundColor(sp ? TColor(0x000000) : TColor(0xFFFFFF));
        a.SetBackgroundColorTo(sp ? clNone : TColor(0xABB0B1));
        a.SetBorderColor(sp ? TColor(0x000000) : TColor(0x585858));
        a.SetBorderWidth(1);
        a.SetCenterPointColor(sp ? TColor(0x191919) : TColor(0xFFFFFF));
        a.SetCenterPointBorderColor(sp ? TColor(0xFF0000) : TColor(0x000000));
        a.SetCenterPointOuterBorderColor(sp ? TColor(0x000000) : TColor(0x4A4A4A));
        a.SetCenterPointSize(sp ? Nearest(side / 3.6) : 6);
        a.SetHourColor(TColor(0xABB0B1));
        SetLookFont(a.HourFont(), "Times New Roman", 9, false, TColor(0x797979));
        a.SetHourPointer(sp ? TColor(0x0000FF) : TColor(0x4A4A4A));
        a.SetMinutePointer(sp ? TColor(0x00FFFF) : TColor(0x4A4A4A));
        a.SetHourPointerSize(2);
        a.SetMinutePointerSize(2);
        a.SetHourPointerShadow(sp ? clNone : TColor(0xB2B2B2));
        a.SetMinutePointerShadow(sp ? clNone : TColor(0xB2B2B2));
        a.SetMinuteColor(TColor(0x808080));
        a.SetMinuteMarkLength(1);
        a.SetSecondPointer(sp ? TColor(0x188BFE) : TColor(0x4A4A4A));
        a.SetTickMarks(tmQuartHours);
        shown(false, true);
        break;
    }
    }
    FaceChanged();
}
