#pragma once
// A combo box with a look of its own: flat or framed, coloured border, focus and
// button, feedback while the mouse is over it, and an optional caption label that
// follows it.
#include "gridedit/LabelPosition.h"
#include "platform/gui/StdCtrls.h"


class TAsgCustomCombo : public TComboBox {
public:
    explicit TAsgCustomCombo(TComponent* AOwner);
    ~TAsgCustomCombo() override;

    // After the properties were read from a form description.
    virtual void Loaded();
    // The present colour becomes the one to return to when the focus leaves.
    void Init();
    // Selects the item equal to AString; no change when there is none.
    void SelectItem(const String& AString);
    void SetBounds(int l, int t, int w, int h) override;
    void SetParent(TWinControl* p) override;
    void SetVisible(bool v) override;
    void SetEnabled(bool v) override;
    void WndProc(TMessage& msg) override;

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // 14 .. 32; other values are ignored.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor Value);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool Value);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor Value) { FFocusColor = Value; }
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool Value) { FFocusLabel = Value; }
    // Colour while loading also becomes the loaded colour.
    void SetColor(TColor Value);

    // The caption label, made when a caption is first set.
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    TFont* LabelFont() { return &FLabelFont; }
    void SetLabelFont(const TFont* Value);
    TLabel* ComboLabel() const { return FLabel; }

    // The current desktop look is allowed; with IsVista the toolkit paints the face
    // unless a button or border colour is set.
    bool IsWinXP = false;
    bool IsVista = false;
    bool DisabledBorder = true;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone, ButtonTextColor = clNone, ButtonTextColorHot = clNone,
           ButtonTextColorDown = clNone;

    TNotifyEvent OnDropUp;

    // The mouse is over the control, over its button.
    bool MouseInControl() const { return FMouseInControl; }
    bool ButtonHover() const { return FButtonHover; }
    // True when the control paints its own face instead of leaving it to the toolkit.
    bool PaintsOwnFace() const;

protected:
    void PaintOver() override;
    void DropDown() override;
    void CloseUp() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Frames the control by the border rules; also draws the flat underline.
    void DrawBorders();
    void DrawButton();
    bool FLoading = false;

private:
    TLabel* CreateLabel();
    void UpdateLabel();
    bool ThemesActive() const;
    bool MouseButtonHeld() const;
    TRect ButtonRect() const;

    bool FAutoFocus = false;
    bool FFlat = false;
    bool FEtched = false;
    TColor FOldColor = clWindow;
    bool FOldParentColor = false;
    TColor FLoadedColor = clWindow;
    int FButtonWidth = 19;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
    bool FIsThemed = true;
    bool FButtonHover = false;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    int FLabelMargin = 4;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    TLabel* FLabel = nullptr;
    TColor FFlatLineColor = clNone;
    bool FFlatParentColor = true;
    TColor FFocusColor = clNone, FFocusBorderColor = clNone, FBorderColor = clNone;
    TColor FNormalColor = clWindow;
    bool FHasFocus = false;
    bool FFocusLabel = false;
};

// The published form of the combo.
class TAsgComboBox : public TAsgCustomCombo {
public:
    explicit TAsgComboBox(TComponent* AOwner) : TAsgCustomCombo(AOwner) {}
};
