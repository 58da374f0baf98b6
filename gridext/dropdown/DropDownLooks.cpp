#include "gridext/dropdown/DropDownLooks.h"

#include <algorithm>
#include <cmath>

#include "grid/html/MiniHTMLRender.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace {
// Real numbers become pixels and channels with halves to even.
int Round(double x) { return int(std::nearbyint(x)); }
int R(TColor c) { return int(c & 0xFF); }
int G(TColor c) { return int((c >> 8) & 0xFF); }
int B(TColor c) { return int((c >> 16) & 0xFF); }
TColor RGBOf(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
}

void DropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect Rect, bool Direction)
{
    if (Steps <= 0) Steps = 1;
    const TColor f = ColorToRGB(FromColor), t = ColorToRGB(ToColor);
    double stripe;
    if (Direction) {
        Rect.Right -= 1;
        stripe = double(Rect.Right - Rect.Left) / Steps;
    } else {
        Rect.Bottom -= 1;
        stripe = double(Rect.Bottom - Rect.Top) / Steps;
    }
    const double sr = double(R(t) - R(f)) / Steps, sg = double(G(t) - G(f)) / Steps, sb = double(B(t) - B(f)) / Steps;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGBOf(R(f) + Round(i * sr), G(f) + Round(i * sg), B(f) + Round(i * sb));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        const int off = int(int16_t(Round(i * stripe)));
        if (Direction) Canvas->Rectangle(Rect.Left + off, Rect.Top, Rect.Left + off + Round(stripe) + 1, Rect.Bottom);
        else Canvas->Rectangle(Rect.Left, Rect.Top + off, Rect.Right, Rect.Top + off + Round(stripe) + 1);
    }
}

TColor ColorDarken(TColor Color, int RedPct, int GreenPct, int BluePct)
{
    const TColor c = ColorToRGB(Color);
    const auto ch = [](int v, int pct) {
        if (v == 0) return std::max(0, pct) & 0xFF;
        return Round(std::min(100, pct + 100) / 100.0 * v) & 0xFF;
    };
    return RGBOf(ch(R(c), RedPct), ch(G(c), GreenPct), ch(B(c), BluePct));
}

void DrawGradientRect(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                      int BorderWidth, TGradientDirection Direction)
{
    if (!Canvas) return;
    if (ColorTo != clNone) {
        DropDownGradient(Canvas, Color, ColorTo, 80, Rect, Direction == GradientHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(Rect);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Rectangle(Rect);
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
    }
}

void DrawTextWithImage(TCanvas* Canvas, const TRect& Rect, const String& Text, TImageList* Images, int ImageIndex)
{
    TRect tr = Rect;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, Rect.Left + 4, Rect.Top + (Rect.Height() - Images->Height()) / 2, ImageIndex);
        tr.Left = Rect.Left + Images->Width() + 8;
    } else {
        flags |= DT_CENTER;
    }
    const TBrushStyle old = Canvas->Brush()->Style();
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->DrawText(Text, tr, flags);
    Canvas->Brush()->SetStyle(old);
}

TPoint GetTextSize(TCanvas* Canvas, const String& Text)
{
    if (Text.empty()) return TPoint(0, 0);
    TRect r(0, 0, 1000, 500);
    Canvas->DrawText(Text, r, DT_SINGLELINE | DT_CALCRECT);
    return TPoint(r.Width(), r.Height());
}

String FitText(TCanvas* Canvas, const String& Text, int MaxWidth, bool Ellipsis)
{
    if (Canvas->TextWidth(Text) <= MaxWidth) return Text;
    std::u16string u = Utf8ToUtf16(Text);
    while (!u.empty()) {
        u.pop_back();
        if (!u.empty() && u.back() >= 0xD800 && u.back() < 0xDC00) u.pop_back();
        const String cut = Utf16ToUtf8(u) + (Ellipsis ? "..." : "");
        if (Canvas->TextWidth(cut) < MaxWidth) return cut;
    }
    return Text;
}

TPoint DrawHTMLText(TCanvas* Canvas, const String& Text, const TRect& Rect, TImageList* Images, bool Draw,
                    TControl* Window)
{
    if (Text.empty()) return TPoint(0, 0);
    TMiniHTMLParams p;
    p.Images = Images;
    p.MeasureOnly = !Draw;
    p.ThemeWindow = Window;
    RenderMiniHTML(Canvas, Text, Rect, p);
    return TPoint(p.XSize, p.YSize);
}

String ApplyCase(const String& Text, bool KeepCase) { return KeepCase ? Text : UpperCase(Text); }

// ---------------------------------------------------------------- button appearance

TExtButtonAppearance::TExtButtonAppearance()
{
    FFont.SetName("Tahoma");
    FColorChecked = ColorDarken(FColorHot, -10, -10, 0);
    FColorCheckedTo = ColorDarken(FColorHotTo, -10, -10, 0);
}

void TExtButtonAppearance::Assign(const TExtButtonAppearance& S)
{
    SetBorderColor(S.FBorderColor);
    SetBorderColorHot(S.FBorderColorHot);
    SetBorderColorDown(S.FBorderColorDown);
    SetBorderColorDisabled(S.FBorderColorDisabled);
    SetColor(S.FColor);
    SetColorTo(S.FColorTo);
    SetColorDisabled(S.FColorDisabled);
    SetColorDisabledTo(S.FColorDisabledTo);
    SetColorDown(S.FColorDown);
    SetColorDownTo(S.FColorDownTo);
    SetColorHot(S.FColorHot);
    SetColorHotTo(S.FColorHotTo);
    SetColorChecked(S.FColorChecked);
    SetColorCheckedTo(S.FColorCheckedTo);
    SetBorderColorChecked(S.FBorderColorChecked);
    SetGradient(S.FGradient);
}

// ---------------------------------------------------------------- looks

namespace {
constexpr TColor K = clKept;
constexpr TColor N = clNone;

// In the order of TWYXStyle; tsCustom's row is never read.
const TDropDownLookColors kDropDown[] = {
    {0xFFFFFF, N, K, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000},         // tsOffice2003Blue
    {0xFFFFFF, N, K, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C},         // tsOffice2003Silver
    {0xFFFFFF, N, N, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060},         // tsOffice2003Olive
    {0xF2F2F2, 0xF2F2F2, N, 0x808080, 0x808080, 0xFFFFFF, 0x808080},  // tsOffice2003Classic
    {0xF3E5DA, 0xF0DED0, N, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},  // tsOffice2007Luna
    {0xFFFFFF, N, N, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},         // tsOffice2007Obsidian
    {0xFFFFFF, N, K, 0xFFFFFF, clBtnFace, 0x000000, 0x808080},        // tsWindowsXP
    {0xF5F9FA, 0xF5F9FA, N, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00},  // tsWhidbey
    {K, K, K, K, K, K, K},                                            // tsCustom
    {0xF8F4F1, 0xF0E8E3, N, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},  // tsOffice2007Silver
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA},  // tsWindowsVista
    {0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8},  // tsWindows7
    {0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, 0x000000, N},       // tsTerminal
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},  // tsOffice2010Blue
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8},  // tsOffice2010Silver
    {0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},  // tsOffice2010Black
};

// The Office 2003/2007 hot, down, disabled and checked colours most looks share.
#define OFFICE_STATES 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define OFFICE2010_STATES 0x8AE3FD, N, 0x58CAF1, 0x6CD0FF, N, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, N, 0x4FA0CE
const TButtonLookColors kButton[] = {
    {0xFCE1CB, 0xE0A57D, N, OFFICE_STATES},
    {0xECE2E1, 0xB39698, N, OFFICE_STATES},
    {0xCFF0EA, 0x8CC0B1, N, OFFICE_STATES},
    {0xFFFFFF, 0xC9D1D5, N, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4,
     0xD8D5D4, 0x808080},
    {0xFFEFE3, 0xFFDDC4, N, OFFICE_STATES},
    {0xF2F1F0, 0xC9C2BD, N, OFFICE_STATES},
    {0xFFFFFF, clBtnFace, N, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption, clHighlight,
     0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000},
    {0xFFFFFF, 0xDFEDF0, N, OFFICE_STATES},
    {K, K, K, K, K, K, K, K, K, K, K, K, K, K},
    {0xF9F8F8, 0xE4E2DF, N, OFFICE_STATES},
    {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF,
     0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {clBtnFace, clBtnFace, N, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace, clBtnFace,
     clBtnFace, clBtnFace, clHighlight},
    {0xFDF6EF, 0xF0DAC7, 0xC7B29F, OFFICE2010_STATES},
    {0xFFFFFF, 0xEDE5E0, 0xD2CDC8, OFFICE2010_STATES},
    {0xBFBFBF, 0x919191, 0xD7D7D6, OFFICE2010_STATES},
};
#undef OFFICE_STATES
#undef OFFICE2010_STATES

#define OFFICE_ITEMS 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE
#define OFFICE2010_ITEMS 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, N, N, N, 0x000000
const TItemLookColors kItem[] = {
    {OFFICE_ITEMS, N, N, N, 0x000000},
    {OFFICE_ITEMS, N, N, N, 0x000000},
    {OFFICE_ITEMS, N, N, N, 0x000000},
    {0xD2BDB6, 0xD2BDB6, N, N, 0xB59285, 0xB59285, N, N, 0x808080, N, N, N, 0x000000},
    {OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {0xEFD3C6, 0xEFD3C6, N, N, clHighlight, N, N, N, clHighlight, N, N, N, clHighlightText},
    {OFFICE_ITEMS, N, N, N, 0x000000},
    {K, K, K, K, K, K, K, K, K, K, K, K, K},
    {OFFICE_ITEMS, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x000000},
    {0xFFFDF9, 0xFFFAF0, N, N, 0xFEF9F0, 0xFDF0D7, N, N, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0x000000},
    {0xFDFBFA, 0xFDF3EB, N, N, 0xFCEBDC, 0xFCDBC1, N, N, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0x000000},
    {0xC0C0C0, 0xC0C0C0, N, N, clHighlight, N, N, N, 0x808080, N, N, N, clHighlightText},
    {OFFICE2010_ITEMS},
    {OFFICE2010_ITEMS},
    {OFFICE2010_ITEMS},
};
#undef OFFICE_ITEMS
#undef OFFICE2010_ITEMS

bool InTable(TWYXStyle s) { return s >= tsOffice2003Blue && s <= tsOffice2010Black && s != tsCustom; }
}

const TDropDownLookColors* DropDownLook(TWYXStyle Style) { return InTable(Style) ? &kDropDown[Style] : nullptr; }
const TButtonLookColors* ButtonLook(TWYXStyle Style) { return InTable(Style) ? &kButton[Style] : nullptr; }
const TItemLookColors* ItemLook(TWYXStyle Style) { return InTable(Style) ? &kItem[Style] : nullptr; }

TDropDownLookColors FooterColors(TWYXStyle Style, const TDropDownLookColors& Header)
{
    TDropDownLookColors f = Header;
    if (Style == tsOffice2003Blue) f.HeaderBorderColor = 0x962D00;
    if (Style == tsWindowsVista) std::swap(f.HeaderColor, f.HeaderColorTo);
    return f;
}

void ApplyButtonLook(TExtButtonAppearance* A, TWYXStyle Style)
{
    const TButtonLookColors* b = ButtonLook(Style);
    if (!A || !b) return;
    A->SetColor(b->Color);
    A->SetColorTo(b->ColorTo);
    A->SetBorderColor(b->BorderColor);
    A->SetColorHot(b->ColorHot);
    A->SetColorHotTo(b->ColorHotTo);
    A->SetBorderColorHot(b->BorderColorHot);
    A->SetColorDown(b->ColorDown);
    A->SetColorDownTo(b->ColorDownTo);
    A->SetBorderColorDown(b->BorderColorDown);
    A->SetColorDisabled(b->ColorDisabled);
    A->SetColorDisabledTo(b->ColorDisabledTo);
    A->SetColorChecked(b->ColorChecked);
    A->SetColorCheckedTo(b->ColorCheckedTo);
    A->SetBorderColorChecked(b->BorderColorChecked);
}
