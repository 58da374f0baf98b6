#pragma once
// The edit with a small push button at its right edge, and the same followed by a unit of
// measure picked from a menu: the button that paints in one of four looks, the small
// window that holds it and hands its click and the focus on, the masked edit that embeds
// that window and keeps its text out from under it, and the unit edit.
#include <functional>

#include "platform/gui/Buttons.h"
#include "platform/gui/Mask.h"
#include "platform/rtl/Classes.h"

class TAsgEditButton;

// The push button itself; its owner, the button part, gives it its colours.
class TExtSpeedButton : public TSpeedButton {
public:
    explicit TExtSpeedButton(TComponent* AOwner);
    // Paint as the visual style's push button when a style is active.
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // The flat look (the button's own, apart from the speed button's flat flag).
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // The mouse is over the button.
    bool Hot() const { return FHot; }
    // The button paints as pressed: held down, or down for good.
    bool ShowsDown() const { return FState == bsDown || FState == bsExclusive; }
    // A press still held goes without a click: the button shows up and lets the mouse go.
    void Release();

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TAsgEditButton* Part() const;
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FHot = false;
};

// A small window holding one TExtSpeedButton that fills it. A left-button release on the
// button fires OnClick, then the focus moves to FocusControl (or to the part itself).
class TAsgEditButton : public TWinControl {
public:
    explicit TAsgEditButton(TComponent* AOwner);
    ~TAsgEditButton() override;
    TExtSpeedButton* Button() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    void SetBounds(int l, int t, int w, int h) override;

    // clNone: not set. With ButtonColor set the button is a filled, flat rectangle.
    TColor ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonTextColorDown = clNone;

    TNotifyEvent OnClick;

protected:
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void CreateButton();
    void AdjustButton(int w, int h);
    void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    TExtSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

// The least height of an edit whose font is F pixels high on a system whose font is S
// pixels high.
int EditMinHeight(int F, int S);

// A masked edit with the button part at its right edge. The button and F4 report
// through OnClickBtn; the text never runs under the button.
class TAsgEditBtn : public TCustomMaskEdit {
public:
    explicit TAsgEditBtn(TComponent* AOwner);
    ~TAsgEditBtn() override;
    TAsgEditButton* Button() const { return FButton; }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    // False: typing, pasting and cutting are refused; the text changes only through the
    // program or the button.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
    String ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
    // The height the font needs.
    int GetMinHeight();
    // The part and the text's room follow the new border.
    void SetBorderStyle(TBorderStyle v) override;

    TNotifyEvent OnClickBtn;
    virtual void FireClickBtn(TObject* Sender);

    void WndProc(TMessage& msg) override;

protected:
    // Lays the text out between the left edge and the button (and the unit's room).
    void SetEditRect();
    void Resize() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    // Width kept free for a unit between the text and the button.
    int FUnitSize = 0;

private:
    bool FRightAlign = false;
    TAsgEditButton* FButton = nullptr;
    bool FEditorEnabled = true;
    int FButtonWidth = 18;
    bool FIsWinXP = false;
    bool FPlacing = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

// An edit with button whose unit, painted between the text and the button, is picked
// from a menu of Units opened by the button or F4.
class TAsgUnitEditBtn : public TAsgEditBtn {
public:
    explicit TAsgUnitEditBtn(TComponent* AOwner);
    const String& UnitID() const { return FUnitID; }
    void SetUnitID(const String& Value);
    TStringList* Units() { return &FUnits; }
    // Copies the items; nullptr changes nothing.
    void SetUnits(const TStringList* Value);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int Value);
    // The text followed directly by the unit.
    String TextAndUnit() const;
    // Splits off the first unit of Units (in list order) whose first occurrence ends
    // Value; without one the text and the unit stay as they are.
    void SetTextAndUnit(const String& Value);
    TUnitChangeEvent OnUnitChanged;

    void FireClickBtn(TObject* Sender) override;
    void WndProc(TMessage& msg) override;

protected:
    void PaintOver() override;

private:
    String FUnitID;
    TStringList FUnits;
};
