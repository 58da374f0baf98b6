#pragma once
// TLbButton: the owner-drawn push button of every window. It draws its own face (caption,
// optional picture strip, hot colour while the pointer is over it, pressed colour and a
// one-pixel offset while held), offers six face styles, preset colour schemes, stock
// kinds with their pictures and captions, a popup menu arrow and an optional slow fade
// of the hot colour. A click runs OnClick and hands ModalResult to the owning form.
#include <memory>

#include "platform/gui/Controls.h"

enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
using TLbButtonLayout = TButtonLayout;
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TLbColorStyle { lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2,
                     lcsUltraFlatXP, lcsAqua, lcsDefault, lcsQuicken };

class TLbButton : public TCustomControl {
public:
    explicit TLbButton(TComponent* AOwner);
    ~TLbButton() override;

    // ---- properties (Caption, Color, Font, Hint, PopupMenu, TabStop ... are inherited) ----
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // A scheme copies its colours, style and flatness into the other properties; reading
    // gives lcsCustom always, so a window never stores a scheme.
    TLbColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TLbColorStyle v);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor v) { FColorWhenDown = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v) { FDefault = v; }
    void SetEnabled(bool v) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // The picture strip: NumGlyphs pictures of equal width side by side (normal,
    // disabled, held, hot); the lower-left pixel's colour is transparent.
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the bitmap (nullptr or an empty one clears the strip); NumGlyphs becomes
    // width / height and the kind bkCustom.
    void SetGlyph(const TBitmap* v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
    TFont* HotTrackFont() { return FHTFont.get(); }
    void SetHotTrackFont(const TFont* v);
    TLbButtonKind Kind() const { return FKind; }
    // A stock kind sets two pictures, its modal result and its fixed caption.
    void SetKind(TLbButtonKind v);
    TLbButtonLayout Layout() const { return FLayout; }
    void SetLayout(TLbButtonLayout v);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor v);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    // Slow fade of the hot colour after the pointer leaves (8 steps of 30 ms).
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool v);
    TLbButtonStyle Style() const { return FStyle; }
    void SetStyle(TLbButtonStyle v);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool v) { FUseHTFont = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);

    // OnClick and OnMouseEnter are the inherited events.
    TNotifyEvent OnMouseExit;

    // What the mouse, the keys, the dialog keys and the accelerator end in.
    void Click() override;
    void WndProc(TMessage& msg) override;

    // ---- hot colour fade: a window timer of the button, running only while it fades ----
    static constexpr int HotTrackSteps = 8;        // full hot colour
    static constexpr unsigned FadeInterval = 30;   // milliseconds per step
    static constexpr std::uintptr_t FadeTimerId = 1;
    // One fade step: the hot colour one step weaker; at none the timer stops.
    void FadeStep();
    bool Fading() const { return FFading; }
    int HotTrackStep() const { return FHotTrackStep; }
    // The button is held (pressed by mouse or key, not yet released).
    bool Down() const { return bDown; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

private:
    // Face, frame, picture and caption into canvas c, inside face (W x H at its origin).
    void DrawButtonFace(TCanvas* c, const TRect& face, TColor light);
    bool IsHot();
    bool CanReact() const;   // enabled, visible and the parent showing
    void DialogKey(TMessage& msg);
    void DialogChar(TMessage& msg);
    void StartFade();
    void StopFade();

    TAlignment FAlignment = taCenter;
    TColor FShadowColor = clGray;
    TColor FColorWhenDown = clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FHotTrackColor = clNone;
    std::unique_ptr<TFont> FHTFont;
    TLbButtonKind FKind = bkCustom;
    TLbButtonLayout FLayout = blGlyphLeft;
    TColor FLightColor = clWhite;
    TModalResult FModalResult = mrNone;
    int FNumGlyphs = 0;
    bool FUseHTFont = false;
    TLbColorStyle FDummyStyle = lcsCustom;
    TLbButtonStyle FStyle = bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    bool FFading = false;
    bool FBeingDestroyed = false;
    int FHotTrackStep = 0;
};

// The stock pictures: the strip of a kind (two pictures, normal and disabled), and the
// popup arrow (5 x 3) for "LBARROW". An unknown name gives an empty bitmap.
std::unique_ptr<TBitmap> LbButtonResource(const String& name);
