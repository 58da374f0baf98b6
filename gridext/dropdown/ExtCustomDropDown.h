#pragma once
// The drop-down edit: a single-line edit with a drop-down button at its right end and a
// borderless pop-up (TDropDownForm) showing a header, a footer and one picker control
// between them. Every picker of the grid suite stands on it.
//
// Writing a picker. A picker is a small subclass that supplies the control shown in the
// pop-up and moves the value between that control and the edit:
//   - CreateDropDownForm(): call the base (it makes the pop-up once), then create the
//     control with DropDownForm() as owner and parent and hook the control's own events
//     (a pick in a list typically calls CloseDropDown(false)).
//   - BeforeDropDown(): call the base, load Text() into the control, call SetControl().
//     The pop-up then takes the control's size (SizeDropDownForm) unless DropDownWidth
//     or DropDownHeight says otherwise, and the control fills the room between the bars.
//   - CloseDropDown(CancelChanges): take the control's value into the edit with
//     SetText() (or SetPlainText()) when CancelChanges is false, then call the base; the
//     base restores the value last set through SetText() when CancelChanges is true.
//   - Optionally: SizeDropDownForm() for a size of its own, FocusDropDownControl() for a
//     control that takes the focus, HandleDropDownKeyDown / KeyPress / KeyUp to act on
//     keys while the pop-up is open (clear Key to consume it; the base hands it to the
//     edit; leave Alt+Up/Down, Enter, Esc and F4 to the base), HandleWheelDown / HandleWheelUp, SetComponentStyle() to colour the control.
// Keys: the pop-up never takes the focus, so while it is open every key the edit hears
// goes first to HandleDropDownKey*; what the picker leaves there reaches the edit, where
// Enter closes keeping the value, Esc closes restoring it and F4 or Alt+Up/Down toggle.
// A control that can take the focus itself (FocusDropDownControl) sends its keys through
// HandleControlKey*, which hand them to the edit the same way.
// The pop-up closes by itself, cancelling (FCancelOnDeActivate), when the user presses a
// mouse button anywhere outside it.
#include <functional>

#include "gridext/dropdown/DropDownForm.h"
#include "grid/util/GridTheme.h"
#include "gridedit/LabelPosition.h"
#include "platform/gui/Mask.h"
#include "platform/gui/StdCtrls.h"

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
enum TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};

using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;

class TExtCustomDropDown : public TCustomMaskEdit, public IWYXStyle, public IWYXTones {
public:
    explicit TExtCustomDropDown(TComponent* AOwner);
    ~TExtCustomDropDown() override;

    // ---- the pop-up ----
    void ShowDropDown() { OpenDropDown(); }
    void HideDropDown(bool CancelChanges) { CloseDropDown(CancelChanges); }
    bool DroppedDown() const { return FDroppedDown; }
    TDropDownEditButton* Button() const { return FButton; }
    TDropDownForm* DropDownForm() const { return FDropDownForm; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* AControl);

    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int v);
    int DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int v);
    TDropPosition DropPosition() const { return FDropPosition; }
    void SetDropPosition(TDropPosition v) { FDropPosition = v; }
    bool DropDownShadow() const { return FDropDownShadow; }
    void SetDropDownShadow(bool v) { FDropDownShadow = v; }
    int DropDownBorderWidth() const { return FDropDownBorderWidth; }
    void SetDropDownBorderWidth(int v) { FDropDownBorderWidth = v; }
    TColor DropDownColor() const { return FDropDownColor; }
    void SetDropDownColor(TColor v) { FDropDownColor = v; }
    TColor DropDownColorTo() const { return FDropDownColorTo; }
    void SetDropDownColorTo(TColor v) { FDropDownColorTo = v; }
    TColor DropDownBorderColor() const { return FDropDownBorderColor; }
    void SetDropDownBorderColor(TColor v) { FDropDownBorderColor = v; }
    TGradientDirection DropDownGradient() const { return FDropDownGradient; }
    void SetDropDownGradient(TGradientDirection v) { FDropDownGradient = v; }
    bool DropDownSizeable() const { return FDropDownSizeable; }
    void SetDropDownSizeable(bool v) { FDropDownSizeable = v; }
    bool DropDownEnabled() const { return FDropDownEnabled; }
    void SetDropDownEnabled(bool v) { FDropDownEnabled = v; }
    int DropDownButtonWidth() const { return FButtonWidth; }
    void SetDropDownButtonWidth(int v);
    TBitmap* DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }
    void SetDropDownButtonGlyph(const TBitmap* v);
    const String& DropDownButtonHint() const { return FButtonHint; }
    void SetDropDownButtonHint(const String& v);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance& v) { FDropDownHeader->Assign(v); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance& v) { FDropDownFooter->Assign(v); }
    TExtButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(const TExtButtonAppearance& v) { FButtonAppearance->Assign(v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v) { FFocusBorderColor = v; }
    bool DisabledBorder() const { return FDisabledBorder; }
    void SetDisabledBorder(bool v);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor v) { FSelectionColor = v; }
    TColor SelectionColorTo() const { return FSelectionColorTo; }
    void SetSelectionColorTo(TColor v) { FSelectionColorTo = v; }
    TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool DefaultHandling() const { return FDefaultHandling; }
    void SetDefaultHandling(bool v) { FDefaultHandling = v; }
    bool CanUndo() const { return FCanUndo; }
    void SetCanUndo(bool v) { FCanUndo = v; }
    bool FocusDraw() const { return FFocusDraw; }
    void SetFocusDraw(bool v) { FFocusDraw = v; }
    String Version() const;

    // ---- caption label ----
    String LabelCaption() const;
    void SetLabelCaption(const String& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v) { FLabelAlwaysEnabled = v; }
    TFont* LabelFont() { return &FLabelFont; }
    void SetLabelFont(const TFont* v);
    TLabel* EditLabel() const { return FLabel; }

    // ---- looks ----
    void SetComponentStyle(TWYXStyle AStyle) override;
    TWYXStyle GetComponentStyle() const { return FWYXStyle; }
    void SetColorTones(const TColorTones& ATones) override;
    // The suite's item looks given to a picker list's appearance (nothing for tsCustom).
    template <class TAppearance>
    static void ApplyStyleToItemAppearance(TAppearance* Appearance, TWYXStyle AStyle);

    // ---- typed text ----
    // The value: the shown text without prefix and suffix.
    String GetText() const override;
    // Normalised by the edit type, shown between prefix and suffix; remembered as the
    // value a cancelled drop-down restores. Clears the modified flag.
    virtual void SetText(const String& Value);
    // The shown text as given, without normalising, prefix or suffix.
    void SetPlainText(const String& Value);
    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();
    TDropDownEditType EditType() const { return FEditType; }
    const String& Prefix() const { return FPrefix; }
    void SetPrefix(const String& v);
    const String& Suffix() const { return FSuffix; }
    void SetSuffix(const String& v);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = int16_t(v); }
    int Precision() const { return FPrecision; }
    bool Signed() const { return FSigned; }
    void SetSigned(bool v) { FSigned = v; }
    bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
    void SetAllowNumericNullValue(bool v) { FAllowNumericNullValue = v; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    const String& ValidChars() const { return FValidChars; }
    void SetValidChars(const String& v) { FValidChars = v; }
    bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
    void SetAutoThousandSeparator(bool v) { FAutoThousandSeparator = v; }
    // The value last set through SetText.
    const String& OldText() const { return FOldText; }
    bool IsModified() const { return FIsModified; }

    void Assign(TObject* Source);
    // The drop-down button's look follows the read-only state.
    void SetReadOnly(bool v)
    {
        TCustomMaskEdit::SetReadOnly(v);
        if (FButton) FButton->Button()->Invalidate();
    }

    // ---- events ----
    TNotifyEvent OnBeforeDropDown;
    TDropDown OnDropDown;
    TDropUp OnDropUp;
    TNotifyEvent OnBeforeDropUp;
    TDropDownButtonItemClick OnDropDownHeaderButtonClick;
    TDropDownButtonItemClick OnDropDownFooterButtonClick;
    TDrawBackGroundEvent OnDrawHeader;
    TDrawBackGroundEvent OnDrawFooter;
    TGetTextEvent OnGetHeaderText;
    TGetTextEvent OnGetFooterText;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardPaste;
    TClipboardEvent OnClipboardCut;

    void WndProc(TMessage& msg) override;
    void SetBounds(int l, int t, int w, int h) override;

    // ---- the operations a picker replaces (see the file comment) ----
    virtual void LabelClick();
    virtual void LabelDblClick();
    virtual unsigned GetVersionNumber() const { return 0x01020104; }
    virtual void CreateDropDownForm();
    virtual void CreateDropDownButton();
    virtual void UpdateDropDownButton();
    virtual void BeforeDropDown();
    virtual void AdjustDropDownHeight(int& Height) {}
    virtual void FocusDropDownControl();
    virtual void OpenDropDown();
    virtual void PlaceDropDownControl();
    virtual void SizeDropDownForm();
    virtual void CloseDropDown(bool CancelChanges);
    virtual void AfterDropUp();
    virtual void DropDownFormDestroyed() {}
    virtual void HandleDropDownWheelDown() { HandleWheelDown(); }
    virtual void HandleDropDownWheelUp() { HandleWheelUp(); }
    virtual void HandleDropDownKeyPress(WideChar& Key);
    virtual void HandleDropDownKeyDown(WORD& Key, TShiftState Shift);
    virtual void HandleDropDownKeyUp(WORD& Key, TShiftState Shift);
    virtual void HandleControlKeyDown(WORD& Key, TShiftState Shift);
    virtual void HandleControlKeyUp(WORD& Key, TShiftState Shift);
    virtual void HandleControlKeyPress(WideChar& Key);
    virtual void DropDownResizing() {}
    virtual void HandleWheelDown() {}
    virtual void HandleWheelUp() {}
    virtual void PaintFocusedText();
    virtual void SetEditRect();
    virtual void ResizeControl();
    virtual void SetSelectionColorStyle(TSelectionColorStyle Value);
    virtual void DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, TColor Color, int FaceType);
    virtual void DrawBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect,
                                TGradientDirection Direction);

protected:
    // ---- for pickers ----
    void SetEditType(TDropDownEditType t);
    void SetPrecision(int v);
    double GetFloatValue() const;
    void SetFloatValue(double x);
    void SetIntValue(long long n);
    void SetModifiedFlag(bool b);
    bool GetModifiedFlag() const { return Modified(); }
    // The tick of the pop-up's last deactivation is older than 250 ms: a click may open it.
    void ButtonClickRule();

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DoMouseWheel(TShiftState Shift, int Delta, TPoint MousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void Change() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void PaintOver() override;

    // ---- state (names as the pickers know them) ----
    TDropDownForm* FDropDownForm = nullptr;
    TDropDownEditButton* FButton = nullptr;
    TControl* FControl = nullptr;
    TWinControl* FFocusControl = nullptr;
    bool FDroppedDown = false;
    bool FForceShadow = false;
    TWYXStyle FWYXStyle = tsOffice2007Luna;
    int FUserDropDownWidth = -1, FUserDropDownHeight = -1;
    TRect FEditRect;
    // The control's own size, taken before it fills the pop-up.
    TPoint FControlExtent;

private:
    friend class TDropDownForm;
    friend class TExtButton;
    // Text rules.
    int PrefixLen() const;
    int SuffixLen() const;
    std::u16string ShownU() const;
    std::u16string ValueU() const;
    void SetShownU(const std::u16string& s, int caret, int selLen = 0);
    void SetShownPlain(const String& s);
    bool CharRule(WideChar& Key);
    bool KeyDownRule(WORD& Key, TShiftState Shift);
    void FormatMoney();
    void SignSwitch();
    void ApplyFocusLossRules();
    void DoPaste();
    void DoCut();
    void DoCopy();
    void PlaceLabel();
    void PaintBorders();
    void SendKeyToEdit(unsigned Msg, WORD Key, TShiftState Shift);
    void SendCharToEdit(WideChar Key);
    void PassChar(WideChar Key);
    void SetSel(int Start, int Length)
    {
        SetSelStart(Start);
        SetSelLength(Length);
    }
    void AfterKeyDown(WORD Key);
    bool IsValueTypeNumeric() const { return FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney; }

    TLabel* FLabel = nullptr;
    bool FParentFnt = false;
    int FDropDownWidth = 0, FDropDownHeight = 0;
    bool FEditorEnabled = true;
    TDropPosition FDropPosition = dpAuto;
    bool FFlat = false;
    TImageList* FImages = nullptr;
    bool FDropDownShadow = true;
    int FDropDownBorderWidth = 1;
    String FButtonHint;
    TColor FDropDownColorTo = clNone, FDropDownColor = clWhite, FDropDownBorderColor = clBlack;
    int FButtonWidth = 17;
    bool FMouseInControl = false;
    bool FEtched = false;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TExtButtonAppearance> FButtonAppearance;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
    TGradientDirection FDropDownGradient = GradientHorizontal;
    bool FDropDownSizeable = true;
    TColor FSelectionColor = clNone, FSelectionColorTo = clNone;
    TSelectionColorStyle FSelectionColorStyle = scOffice2007;
    // Typed-text settings and state.
    TDropDownEditType FEditType = etString;
    int16_t FLengthLimit = 0;
    int16_t FPrecision = 0;
    String FPrefix, FSuffix;
    String FOldText;
    bool FSigned = false;
    bool FAllowNumericNullValue = false;
    bool FExcelStyleDecimalSeparator = false;
    String FValidChars;
    bool FBlockCopy = false;
    bool FAutoThousandSeparator = true;
    bool FIsModified = false;
    bool FBlockChange = false;
    bool FReturnIsTab = false;
    bool FDefaultHandling = true;
    bool FCanUndo = true;
    bool FButtonDown = false;
    bool FDropDownEnabled = false;
    bool FFocusDraw = true;
    int FLabelMargin = 0;
    TLabelPosition FLabelPosition = lpLeftTop;
    bool FLabelAlwaysEnabled = false;
    bool FLabelTransparent = false;
    TFont FLabelFont;
    TColor FBorderColor = clNone, FFocusBorderColor = clNone;
    bool FDisabledBorder = true;
    // Keys handed on by the pop-up's handlers reach the edit's own rules.
    int FKeyFromDropDown = 0;
    // The key data of the character being typed (its key's scan code).
    LPARAM FCharLParam = 0;
};

template <class TAppearance>
void TExtCustomDropDown::ApplyStyleToItemAppearance(TAppearance* A, TWYXStyle AStyle)
{
    const TItemLookColors* l = ItemLook(AStyle);
    if (!A || !l) return;
    A->SetBorderColorHot(clNone);
    A->SetBorderColorSelected(clNone);
    A->SetColorHotText(0);
    A->SetColorHot(l->ColorHot);
    A->SetColorHotTo(l->ColorHotTo);
    A->SetColorMirrorHot(l->ColorMirrorHot);
    A->SetColorMirrorHotTo(l->ColorMirrorHotTo);
    A->SetColorSelected(l->ColorSelected);
    A->SetColorSelectedTo(l->ColorSelectedTo);
    A->SetColorMirrorSelected(l->ColorMirrorSelected);
    A->SetColorMirrorSelectedTo(l->ColorMirrorSelectedTo);
    A->SetBorderColor(l->BorderColor);
    A->SetBorderColorTop(l->BorderColorTop);
    A->SetBorderColorBottom(l->BorderColorBottom);
    A->SetEdgeColor(l->EdgeColor);
    A->SetColorSelectedText(l->ColorSelectedText);
}
