#pragma once
// The buttons of the drop-down pickers: the drop-down button at the right end of a
// picker's edit (a small window holding one speed button) and the push button of the
// pop-up's header and footer bars, which paints with a TExtButtonAppearance and, in a
// footer, closes the pop-up by its modal result.
#include "grid/util/ExtGridButton.h"
#include "gridext/dropdown/DropDownLooks.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"

class TExtCustomDropDown;
class TDropDownEditButton;

enum TButtonStyle { bsButton, bsDropDown };

// The speed button inside the drop-down button; its container gives it its colours.
class TExtDropDownSpeedButton : public TSpeedButton {
public:
    explicit TExtDropDownSpeedButton(TComponent* AOwner);
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    bool Focused() const { return FFocused; }
    void SetFocused(bool v);
    bool Hot() const { return FHot; }
    // Forces the released look.
    void SetUp(bool v) { FUp = v; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    // The edit the button drops from (its enabled and read-only states), when any.
    TExtCustomDropDown* Edit() const;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TDropDownEditButton* Container() const;
    bool FEtched = false, FFocused = false, FHot = false, FUp = false;
    bool FIsWinXP = true;
    TButtonStyle FButtonStyle = bsDropDown;
};

// The drop-down button: a window as wide as its button width that holds the speed button.
// OnClick fires on every release of the left button that follows a press on the speed
// button, wherever the pointer then is.
class TDropDownEditButton : public TWinControl {
public:
    explicit TDropDownEditButton(TComponent* AOwner);
    ~TDropDownEditButton() override;
    TExtDropDownSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* v) { FButton->SetGlyph(v); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& v) { FButton->SetCaption(v); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    int BWidth() const { return FBWidth; }
    void SetBWidth(int v) { FBWidth = v; }
    // The width is always the button width.
    void SetBounds(int l, int t, int w, int h) override;

    // clNone: not set; with FButtonColor set the button is a flat coloured face.
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;
    // The edit whose border colour lines the coloured face.
    TExtCustomDropDown* FEdit = nullptr;

    TNotifyEvent OnClick;

protected:
    void Resize() override;
    void EnabledChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TExtDropDownSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
};

// The grid's buttons and these share their two styles.
using TExtButtonStyle = TExtGridButtonStyle;
enum TExtButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// The push button of the pop-up's bars.
class TExtButton : public TCustomControl {
public:
    explicit TExtButton(TComponent* AOwner);
    ~TExtButton() override;
    TExtButtonAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(TExtButtonAppearance* v);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    TExtButtonStyle Style() const { return FStyle; }
    void SetStyle(TExtButtonStyle v) { FStyle = v; }
    bool Down() const { return FDown; }
    void SetDown(bool b);
    TExtButtonState State() const { return FState; }
    bool Hot() const { return FHot; }
    // The edit whose pop-up the button may close (set for footer buttons).
    TExtCustomDropDown* ExtDropDown() const { return FExtDropDown; }
    void SetExtDropDown(TExtCustomDropDown* v) { FExtDropDown = v; }
    // Sizes the button to its caption (and picture) in the appearance's font.
    void AutoSizeButton();
    void Click() override;

    TNotifyEvent OnButtonMouseEnter;
    TNotifyEvent OnButtonMouseLeave;

protected:
    virtual void DrawButton(TCanvas* ACanvas);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int FGroupIndex = 0;
    bool FDown = false, FAllowAllUp = false;
    int FOffSet = 4;
    bool FMouseInControl = false, FHot = false;
    TExtButtonStyle FStyle = tasButton;
    TExtButtonState FState = absUp;
    bool FMouseDownInControl = false, FGrouped = true, FDragging = false, FInternalClick = false;
    TTimer* FUnHotTimer = nullptr;
    TExtButtonAppearance* FAppearance = nullptr;
    TImageList* FImages = nullptr;
    int FImageIndex = -1;
    int FModalResult = 0;
    TExtCustomDropDown* FExtDropDown = nullptr;
};
