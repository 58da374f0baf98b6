#pragma once
// The grid's own push button: window-less, with a glyph and a caption, gradient colours
// for its normal, hot, pressed and checked states, an optional rounded border and
// drop-down part, groups of which one button stays down, and colour sets ("looks") that
// can follow the desktop's colour scheme. The search footer's buttons are of this kind.
// Also the tests of the desktop's theme support that go with it, and the banded
// gradient it fills with.
#include "platform/gui/ActnList.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Menus.h"

enum TExtGridButtonStyle { tasButton, tasCheck };

// The desktop's visual style changed.
constexpr unsigned WM_THEMECHANGED = 0x031A;
// The desktop's colours changed.
constexpr unsigned WM_SYSCOLORCHANGE = 0x0015;
// Asks the buttons that follow the desktop's colour scheme to look again.
constexpr unsigned CM_BUTTONTHEMECHANGED = 0xB035;

// The platform is a current desktop, its theme engine reports themes active, and the
// themed common controls are there.
bool IsThemedComCtl6();
// The colour scheme of the active theme: 1 "NormalColor", 2 "HomeStead", 3 "Metallic",
// 0 any other or no themes.
int GetXPColorScheme();
// Steps bands (0 counts as 1) from FromColor to ToColor, across R's width when Horizontal,
// else down its height; each band overlaps the next by a pixel and none leaves R. A
// 1-pixel frame in BorderColor unless it is clNone.
void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R, int Steps,
                        TColor BorderColor);

// Where glyph and caption go inside R: positions relative to the canvas, and the margin
// and spacing that were used.
struct TButtonContentLayout {
    TPoint GlyphPos;
    TRect TextBounds;
    int Margin = 0;
    int Spacing = 0;
};
// The layout of a glyph of size Glyph and a caption of size Caption inside R (sizes of
// 0 for none); Margin and Spacing -1 mean automatic; RightToLeft swaps left and right.
TButtonContentLayout LayoutButtonContent(const TRect& R, TPoint Glyph, TPoint Caption, TButtonLayout Layout, int Margin,
                                         int Spacing, TPoint Offset, bool RightToLeft);

class TExtGridButton;

// Ties a button to an action: the action's checked state reaches a grouped button that
// may be raised and agrees with it; its group index a button of the same group.
class TExtGridButtonActionLink : public TControlActionLink {
public:
    explicit TExtGridButtonActionLink(TExtGridButton* AClient);
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TExtGridButton* Button() const;
};

class TExtGridButton : public TGraphicControl {
public:
    explicit TExtGridButton(TComponent* AOwner);
    ~TExtGridButton() override;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TExtGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TExtGridButtonStyle Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int Margin() const { return FMargin; }
    // Values below -1 are refused.
    void SetMargin(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }

    // The glyph; setting it also makes an empty GlyphDisabled a grey copy of it.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(const TBitmap* Value) { FGlyphHot->Assign(Value); }
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(const TBitmap* Value) { FGlyphDown->Assign(Value); }
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(const TBitmap* Value) { FGlyphDisabled->Assign(Value); }
    // The grey silhouette drawn under the glyph while hot.
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }

    // Color is the control's colour: the normal background (gradient start).
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }

    // The colour set last applied; 0 .. 6 apply a set, other values change nothing.
    int Look() const { return FLook; }
    void SetLook(int Value);

    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    // The button takes the action's caption, enabled state, hint, visibility and, when
    // it has none, its group.
    void SetAction(TBasicAction* Value);
    TExtGridButtonActionLink* ActionLink() const { return FActionLink.get(); }

    // What a button loaded with its properties set does: builds the silhouette and
    // adapts the look.
    void Loaded();

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    TNotifyEvent OnDropDown;

    void Click() override;
    void WndProc(TMessage& msg) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void UpdateExclusive();
    void UpdateTracking();
    void DoMouseEnter();
    void DoMouseLeave();
    void ButtonPressed(int Group, TExtGridButton* Sender);
    void BuildShade();
    void ThemeAdapt();
    bool Hot() const;
    // A solid or gradient fill of R as the painting steps describe it.
    void Fill(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TColor Pen, bool Plain);
    void DrawContent(TCanvas* Canvas, TRect R, TPoint Offset, TButtonState State);

    bool FIsComCtl6;
    int FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = true;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled, FGlyphHot, FGlyphDown, FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TExtGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    std::unique_ptr<TExtGridButtonActionLink> FActionLink;
};
