#pragma once
// What the drop-down pickers share for their looks: the drawing helpers of their unit
// (gradients, colour blending, text with a picture, text fitting, mini-HTML text), the
// colour set of the push buttons in the pop-up's bars, and the colours of the suite's
// named looks as tables, one row per look.
#include "grid/base/GridTypes.h"
#include "grid/util/GridTheme.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"

// ---- drawing helpers ----
// Stripes from FromColor to ToColor (Steps 0 counts as 1): left to right when Direction
// (the right edge moved in by 1), else top to bottom (the bottom edge moved in by 1).
void DropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect Rect, bool Direction);
// Percent of Color1 over Color2: the grid's own blending (grid/core/ExtGrid.h), declared
// here so that the pickers need not include the whole grid.
TColor BlendColor(TColor C1, TColor C2, int Percent);
// Each channel scaled by (100 + Pct) %, at most 100 %; a zero channel becomes max(0, Pct).
TColor ColorDarken(TColor Color, int RedPct, int GreenPct, int BluePct);
// A gradient (80 stripes) or solid fill, then a frame of BorderWidth in BorderColor.
void DrawGradientRect(TCanvas* Canvas, const TRect& Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                      int BorderWidth, TGradientDirection Direction);
// The picture ImageIndex of Images at the left (4 pixels in, centred) and the text after
// it, single line with an end ellipsis; the text is centred when there is no picture.
void DrawTextWithImage(TCanvas* Canvas, const TRect& Rect, const String& Text, TImageList* Images, int ImageIndex);
// Width and height of a single-line text (0, 0 for an empty text).
TPoint GetTextSize(TCanvas* Canvas, const String& Text);
// The text cut from its end (with "..." when Ellipsis) until it is narrower than MaxWidth;
// a text that fits, or one that no cut makes fit, comes back whole.
String FitText(TCanvas* Canvas, const String& Text, int MaxWidth, bool Ellipsis);
// Mini-HTML text drawn in Rect (only measured when not Draw); its width and height.
TPoint DrawHTMLText(TCanvas* Canvas, const String& Text, const TRect& Rect, TImageList* Images, bool Draw,
                    TControl* Window = nullptr);
// The text as it is, or upper-cased.
String ApplyCase(const String& Text, bool KeepCase);

// ---- the bar buttons' colours ----
// Colours of a push button by state; every change is announced through OnChange.
class TExtButtonAppearance : public TObject {
public:
    TExtButtonAppearance();
    void Assign(const TExtButtonAppearance& Source);

#define EXT_BUTTON_COLOR(Name, Init)                                                                           \
    TColor Name() const { return F##Name; }                                                              \
    void Set##Name(TColor v)                                                                             \
    {                                                                                                    \
        if (v == F##Name) return;                                                                        \
        F##Name = v;                                                                                     \
        Changed();                                                                                       \
    }
    EXT_BUTTON_COLOR(BorderColor, clNone)
    EXT_BUTTON_COLOR(BorderColorHot, 0)
    EXT_BUTTON_COLOR(BorderColorDown, 0)
    EXT_BUTTON_COLOR(BorderColorDisabled, 0)
    EXT_BUTTON_COLOR(Color, 0)
    EXT_BUTTON_COLOR(ColorTo, 0)
    EXT_BUTTON_COLOR(ColorDisabled, 0)
    EXT_BUTTON_COLOR(ColorDisabledTo, 0)
    EXT_BUTTON_COLOR(ColorDown, 0)
    EXT_BUTTON_COLOR(ColorDownTo, 0)
    EXT_BUTTON_COLOR(ColorHot, 0)
    EXT_BUTTON_COLOR(ColorHotTo, 0)
    EXT_BUTTON_COLOR(ColorChecked, 0)
    EXT_BUTTON_COLOR(ColorCheckedTo, 0)
    EXT_BUTTON_COLOR(BorderColorChecked, 0)
#undef EXT_BUTTON_COLOR
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* f) { FFont.Assign(*f); }
    TGradientDirection Gradient() const { return FGradient; }
    void SetGradient(TGradientDirection v)
    {
        if (v == FGradient) return;
        FGradient = v;
        Changed();
    }
    TNotifyEvent OnChange;

private:
    void Changed()
    {
        if (OnChange) OnChange(this);
    }
    TColor FBorderColor = clNone, FBorderColorHot = 0x808080, FBorderColorDown = 0x800000,
           FBorderColorDisabled = 0x808080;
    TColor FColor = clNone, FColorTo = clNone, FColorDisabled = 0xF2F2F2, FColorDisabledTo = clNone;
    TColor FColorDown = 0xF5D8CA, FColorDownTo = 0xF9BDA0, FColorHot = 0xF5F0E1, FColorHotTo = 0xF9D2B2;
    TColor FColorChecked = clNone, FColorCheckedTo = clNone, FBorderColorChecked = 0xFF0000;
    TFont FFont;
    TGradientDirection FGradient = GradientVertical;
};

// ---- the named looks ----
// A colour the look leaves as it is.
constexpr TColor clKept = TColor(0x2FFFFFFF);

// The pop-up and its header (the footer takes the header's colours, see FooterColors).
struct TDropDownLookColors {
    TColor DropDownColor, DropDownColorTo, DropDownBorderColor;
    TColor HeaderColor, HeaderColorTo, HeaderFontColor, HeaderBorderColor;
};
// The bar and drop-down buttons.
struct TButtonLookColors {
    TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo,
        BorderColorDown, ColorDisabled, ColorDisabledTo, ColorChecked, ColorCheckedTo, BorderColorChecked;
};
// The items of the pickers' lists.
struct TItemLookColors {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, ColorSelected, ColorSelectedTo,
        ColorMirrorSelected, ColorMirrorSelectedTo, BorderColor, BorderColorTop, BorderColorBottom, EdgeColor,
        ColorSelectedText;
};
// The rows of a look (tsCustom has none: nullptr).
const TDropDownLookColors* DropDownLook(TWYXStyle Style);
const TButtonLookColors* ButtonLook(TWYXStyle Style);
const TItemLookColors* ItemLook(TWYXStyle Style);
// The footer's colours of a look: the header's, but for the two looks that differ.
TDropDownLookColors FooterColors(TWYXStyle Style, const TDropDownLookColors& Header);
// The button colours of a look given to an appearance (the disabled border stays).
void ApplyButtonLook(TExtButtonAppearance* Appearance, TWYXStyle Style);
