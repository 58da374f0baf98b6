#pragma once
// A pad of push buttons drawn in one control: its buttons, their look, the layout of a
// pocket calculator, and the mouse that presses them. The calculator picker shows one in
// its drop-down window.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/ImgList.h"
// Where a button's caption sits beside its picture.
#include "gridext/panels/ItemLayout.h"

class TButtonItems;

class TButtonItem : public TObject {
public:
    explicit TButtonItem(TButtonItems* ACollection);
    void Assign(const TButtonItem& Source);

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor v) { FCaptionColor = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    TPicture* Image() { return &FImage; }
    void SetImage(const TPicture* v) { FImage.Assign(v); }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    int Index() const;
    TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

    bool FEnabled = true;
    String FName;
    bool FSpecial = false;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

private:
    TButtonItems* FCollection;
    String FCaption;
    TColor FCaptionColor = TColor(0xFFFFFF);
    int FImageIndex = -1;
    TPicture FImage;
    int FTag = 0;
};

class TButtonItems : public TObject {
public:
    explicit TButtonItems(TObject* AOwner) : FOwner(AOwner) {}
    TObject* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TButtonItem* Items(int Index) const { return FItems.at(size_t(Index)).get(); }
    TButtonItem* Add();
    TButtonItem* Insert(int Index);
    void Clear();
    int IndexOf(const TButtonItem* Item) const;
    void Assign(const TButtonItems& Source);
    TNotifyEvent OnChange;

private:
    void Changed();
    TObject* FOwner;
    std::vector<std::unique_ptr<TButtonItem>> FItems;
};

class TButtonAppearance : public TObject {
public:
    TButtonAppearance();
    void Assign(const TButtonAppearance& Source);

#define BUTTON_APPEARANCE_COLOR(Name, Initial)                  \
    TColor Name() const { return F##Name; }                     \
    void Set##Name(TColor v)                                    \
    {                                                           \
        if (F##Name == v) return;                               \
        F##Name = v;                                            \
        Changed();                                              \
    }                                                           \
                                                                \
private:                                                        \
    TColor F##Name = TColor(Initial);                           \
                                                                \
public:
    BUTTON_APPEARANCE_COLOR(BorderColor, 0x000000)
    BUTTON_APPEARANCE_COLOR(BorderColorHot, 0x000000)
    BUTTON_APPEARANCE_COLOR(BorderColorDown, 0x000000)
    BUTTON_APPEARANCE_COLOR(TextColor, 0x000000)
    BUTTON_APPEARANCE_COLOR(SpecialTextColor, 0x000080)
    BUTTON_APPEARANCE_COLOR(Color, 0x9A915F)
    BUTTON_APPEARANCE_COLOR(ColorTo, 0xB0A170)
    BUTTON_APPEARANCE_COLOR(ColorHot, 0x9F6F1C)
    BUTTON_APPEARANCE_COLOR(ColorHotTo, 0xD5C244)
    BUTTON_APPEARANCE_COLOR(ColorDown, 0x4B2F08)
    BUTTON_APPEARANCE_COLOR(ColorDownTo, 0xADB514)
#undef BUTTON_APPEARANCE_COLOR
    // The shine does not take part in the drawing, so changing it tells nobody.
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor v) { FShineColor = v; }
    TColor GlowColorHot = TColor(0xD5C244);
    TColor GlowColorDown = TColor(0xD5C244);
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* v) { FFont.Assign(*v); }

    // Kept without a property: the looks of checked and disabled buttons.
    TColor BorderColorChecked = TColor(0xFF0000);
    TColor ColorChecked = TColor(0xF5D8CA);
    TColor ColorCheckedTo = TColor(0xF9BDA0);
    TColor ColorDisabled = TColor(0xF2F2F2);
    TColor ColorDisabledTo = TColor(0xF2F2F2);

    TNotifyEvent OnChange;

private:
    void Changed();
    TColor FShineColor = TColor(0xFFFFFF);
    TFont FFont;
};

enum TButtonPanelType { plCalculator, plCustom };
using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCustomButtonPanel : public TCustomControl {
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    TButtonItems* Buttons() { return &FButtons; }
    void SetButtons(const TButtonItems* v) { FButtons.Assign(*v); }
    TButtonAppearance* ButtonAppearance() { return &FButtonAppearance; }
    void SetButtonAppearance(const TButtonAppearance* v) { FButtonAppearance.Assign(*v); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout v) { FButtonLayout = v; }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType v);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    TWinControl* Edit() const { return FEdit; }
    void SetEdit(TWinControl* v);
    // The picker that shows the pad; a pad of its own draws a frame and repaints on every
    // change of its buttons or their look.
    TComponent* DropDown() const { return FDropDown; }
    void SetDropDown(TComponent* v) { FDropDown = v; }
    TCalculatorButtonClickEvent OnButtonClick;

    int HotButton() const { return FHotButton; }
    int PressedButton() const { return FPressedButton; }
    // The button under a point of the client area, -1 for none.
    int ButtonAt(int X, int Y) const;
    void WndProc(TMessage& msg) override;

    virtual void DrawButton(int Index, TCanvas* ACanvas);
    virtual TRect GetButtonsRect() const;
    // Width and height (X, Y) that fit every caption, picture and image.
    virtual TPoint GetButtonSize();
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void CreateButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(int Index);
    virtual void DoButtonClick(int Index);

    static constexpr int MarginX = 8, MarginY = 8;
    static constexpr int ButtonMarginX = 4, ButtonMarginY = 4;

protected:
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Changed(TObject* Sender);
    TButtonItems FButtons;
    TButtonAppearance FButtonAppearance;
    TItemLayout FButtonLayout = ilCaptionRight;
    TButtonPanelType FButtonPanelType = plCalculator;
    TImageList* FImages = nullptr;
    TWinControl* FEdit = nullptr;
    TComponent* FDropDown = nullptr;
    int FHotButton = -1;
    int FPressedButton = -1;
};
