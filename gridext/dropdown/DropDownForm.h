#pragma once
// The pop-up window of the drop-down pickers (TDropDownForm) with its header and footer
// bars, the settings objects the edit keeps for them (THeaderAppearance,
// TFooterAppearance, each with a collection of bar buttons), and the footer's size grip.
#include <memory>
#include <vector>

#include "gridext/dropdown/DropDownButtons.h"
#include "platform/gui/PopupWindow.h"

class TExtCustomDropDown;
class TBarButtons;

enum TButtonAlignment { baLeft, baRight };
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;

// One button of a bar. Caption, Enabled and Width announce their change to the collection.
class THeaderButton : public TObject {
public:
    explicit THeaderButton(TBarButtons* Collection) : FCollection(Collection) {}
    virtual void Assign(const THeaderButton& Source);
    int Index() const;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    // 0: sized to the caption.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }

protected:
    void Changed();
    TBarButtons* FCollection;
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0, FHeight = 0;
};

// A footer button closes the pop-up by its modal result (see TExtButton::Click).
class TFooterButton : public THeaderButton {
public:
    using THeaderButton::THeaderButton;
    void Assign(const THeaderButton& Source) override;
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }

private:
    int FModalResult = 0;
};

// The buttons of a bar, in order; OnChange tells the bar to build them again.
class TBarButtons : public TObject {
public:
    int Count() const { return int(FItems.size()); }
    THeaderButton* Item(int i) const { return FItems.at(size_t(i)).get(); }
    THeaderButton* AddItem() { return InsertItem(Count()); }
    THeaderButton* InsertItem(int Index);
    void Delete(int Index);
    void Clear();
    void Assign(const TBarButtons& Source);
    void Changed()
    {
        if (OnChange) OnChange(this);
    }
    TNotifyEvent OnChange;

protected:
    virtual std::unique_ptr<THeaderButton> NewItem() = 0;
    std::vector<std::unique_ptr<THeaderButton>> FItems;
};

class THeaderButtons : public TBarButtons {
public:
    THeaderButton* Add() { return AddItem(); }
    THeaderButton* Insert(int Index) { return InsertItem(Index); }
    THeaderButton* Items(int i) const { return Item(i); }

protected:
    std::unique_ptr<THeaderButton> NewItem() override { return std::make_unique<THeaderButton>(this); }
};

class TFooterButtons : public TBarButtons {
public:
    TFooterButton* Add() { return static_cast<TFooterButton*>(AddItem()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(InsertItem(Index)); }
    TFooterButton* Items(int i) const { return static_cast<TFooterButton*>(Item(i)); }

protected:
    std::unique_ptr<THeaderButton> NewItem() override { return std::make_unique<TFooterButton>(this); }
};

// Settings of a bar. Visible announces its change through OnChange; a change of the
// button collection comes through OnButtonsChanged.
class TBarAppearance : public TObject {
public:
    TBarAppearance();
    virtual ~TBarAppearance() = default;
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { FColorTo = v; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* f) { FFont.Assign(*f); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v) { FGradientDirection = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment v) { FButtonAlignment = v; }
    virtual TBarButtons* BarButtons() = 0;
    // Copies every setting (from the same kind of bar only).
    virtual void Assign(const TBarAppearance& Source);
    // Copies only the colours, the font and the gradient direction.
    void AssignColors(const TBarAppearance& Source);

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    TColor FColor = 0xC0C0C0, FColorTo = clWhite;
    String FCaption;
    TFont FFont;
    TGradientDirection FGradientDirection = GradientVertical;
    bool FVisible = true;
    int FHeight = 22;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TBarAppearance {
public:
    THeaderAppearance();
    THeaderButtons* Buttons() { return &FButtons; }
    void SetButtons(const THeaderButtons& v) { FButtons.Assign(v); }
    TBarButtons* BarButtons() override { return &FButtons; }
    void Assign(const TBarAppearance& Source) override;

private:
    THeaderButtons FButtons;
};

class TFooterAppearance : public TBarAppearance {
public:
    TFooterAppearance();
    TFooterButtons* Buttons() { return &FButtons; }
    void SetButtons(const TFooterButtons& v) { FButtons.Assign(v); }
    TBarButtons* BarButtons() override { return &FButtons; }
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v) { FSizeGrip = v; }
    void Assign(const TBarAppearance& Source) override;

private:
    TFooterButtons FButtons;
    bool FSizeGrip = true;
};

// A list of the bar's buttons whose access outside its bounds raises.
class TDbgList : public TObject {
public:
    int Count() const { return int(FItems.size()); }
    TExtButton* ItemsEx(int i) const;
    void SetItemsEx(int i, TExtButton* v);
    void Add(TExtButton* v) { FItems.push_back(v); }
    void Clear() { FItems.clear(); }
    void AssignList(const TDbgList& ListA) { FItems = ListA.FItems; }

private:
    std::vector<TExtButton*> FItems;
};

// The header or footer bar: background, border, picture, mini-HTML caption and buttons.
class TExtBar : public TCustomControl {
public:
    ~TExtBar() override;
    TBarAppearance* Appearance() const { return FAppearance.get(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v) { FImages = v; }
    TExtCustomDropDown* ExtDropDown() const { return FExtDropDown; }
    // Attaches the edit: its pictures and a copy of its settings for this bar.
    void AttachDropDown(TExtCustomDropDown* Edit);
    void RefreshButtons();
    const TDbgList& ButtonList() const { return FButtonList; }
    // The edit's collection (nullptr without an edit).
    TBarButtons* Buttons() const;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

protected:
    TExtBar(TComponent* AOwner, std::unique_ptr<TBarAppearance> Appearance, bool Footer);
    // The edit's settings for this bar.
    virtual TBarAppearance* EditAppearance() const = 0;
    virtual TRect ButtonArea() const;
    void Paint() override;
    void Resize() override;
    void ButtonClicked(TExtButton* B);
    std::unique_ptr<TBarAppearance> FAppearance;
    TImageList* FImages = nullptr;
    TExtCustomDropDown* FExtDropDown = nullptr;
    TDbgList FButtonList;
    bool FFooter;
};

class TExtHeader : public TExtBar {
public:
    explicit TExtHeader(TComponent* AOwner);
    THeaderAppearance* HeaderAppearance() const { return static_cast<THeaderAppearance*>(Appearance()); }

protected:
    TBarAppearance* EditAppearance() const override;
};

class TExtFooter : public TExtBar {
public:
    explicit TExtFooter(TComponent* AOwner);
    TFooterAppearance* FooterAppearance() const { return static_cast<TFooterAppearance*>(Appearance()); }
    // The grip shows: the footer's SizeGrip, an edit attached and its pop-up sizeable.
    bool ShowsSizeGrip() const;
    // Where the grip is drawn and where a press starts the sizing, in client coordinates.
    TRect GripRect() const;
    TRect GripHotArea() const;

protected:
    TBarAppearance* EditAppearance() const override;
    TRect ButtonArea() const override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TCursor FOldCursor = crDefault;
    bool FOnGrip = false;
};

// The pop-up window: background and border, header at the top, footer at the bottom,
// the picker's control between them. It never takes the focus: the edit keeps the keys
// and hands the pop-up what concerns it (TExtCustomDropDown::WndProc).
class TDropDownForm : public TPopupWindow {
public:
    explicit TDropDownForm(TComponent* AOwner);
    ~TDropDownForm() override;
    void SetExtDropDown(TExtCustomDropDown* v) { FExtDropDown = v; }
    TExtCustomDropDown* ExtDropDown() const { return FExtDropDown; }
    TExtHeader* Header() const { return FHeader; }
    TExtFooter* Footer() const { return FFooter; }
    // Builds or refreshes the bars from the edit's settings.
    void InitializeAndUpdate();
    virtual void UpdateSize() {}
    void AdjustClientRect(TRect& r) const override;

    // The tick (ms) of the last deactivation.
    uint32_t FDeActivate = 0;
    bool FShadow = true;
    // A press within 10 pixels of the bottom-right corner sizes the window.
    bool FSizeable = false;
    // Closing by deactivation cancels the edit's changes.
    bool FCancelOnDeActivate = true;
    // Deactivation is ignored (set around a picker's own focus changes).
    bool FBlockActivate = false;

protected:
    void Paint() override;
    void Resize() override;
    void Deactivated(TControl* Target) override;
    void VisibleChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int Delta, TPoint MousePos) override;

private:
    TExtHeader* FHeader = nullptr;
    TExtFooter* FFooter = nullptr;
    TExtCustomDropDown* FExtDropDown = nullptr;
};
