#pragma once
// Standard controls: label, edit, memo, combo box, buttons, check and radio boxes,
// list boxes, group box, scroll bar.
#include <memory>

#include "platform/gui/Controls.h"

class IEditWidget;
class IMemoWidget;
class IComboWidget;
class IListWidget;
class IButtonWidget;
class IScrollBarWidget;

// Caption drawn by the control itself (no window of its own).
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v) { FLayout = v; Invalidate(); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) { FTransparent = v; Invalidate(); }
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v) { FShowAccelChar = v; AdjustSize(); Invalidate(); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c) { FFocusControl = c; }
    void AdjustSize();
protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    unsigned DrawFlags() const;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    ~TEdit() override;
    // 0 = no limit; limits what the user types or pastes, not what code sets.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v; }
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    WideChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(WideChar c);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    // Selects the whole text when the focus arrives other than by a click into the edit.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    void SetSelText(const String& s);
    void SelectAll();
    void Clear() { SetText(""); }
    int GetTextLen() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // Whether a typed character goes into the text; the others are editing keys
    // (Backspace, Tab, Enter, Escape ...).
    static bool InsertsChar(WideChar ch) { return ch >= 32; }
    // The formatting rectangle: where the text is laid out, in client coordinates (the
    // client area until one is set). Parts of the field outside it stay free for what
    // the control puts there (a button, a unit).
    TRect FormatRect() const;
    void SetFormatRect(const TRect& r);
    // bsSingle: the field's sunken frame; bsNone: none.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle v);

    TNotifyEvent OnChange;

    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    void HostNotify(int code, std::intptr_t arg) override;
protected:
    // A field that draws over its native face: PaintOver runs after every native paint
    // with Canvas bound to the field.
    void SetPaintsOver(bool v);
    TCanvas* Canvas();
    TCanvas* HostCanvas() override { return FPaintsOver ? Canvas() : nullptr; }
    virtual void PaintOver() {}
    String GetText() const override;
    void TextChanged() override;
    virtual void Change();
    // Inserts typed or pasted text at the selection, honouring MaxLength and CharCase.
    void InsertTyped(const String& s);
    String ApplyCase(const String& s) const;
    IEditWidget* Edit() const;
public:
    // The character position (0-based) under the client x.
    int CharFromPos(int x) const;
private:
    int FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FReadOnly = false;
    WideChar FPasswordChar = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSelect = true;
    bool FModified = false;
    bool FSettingText = false;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPaintsOver = false;
    bool FHasFormatRect = false;
    TRect FFormatRect;
    TBorderStyle FBorderStyle = bsSingle;
};

class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;
    TStringList* Lines() { return &FLines; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v; }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    void Clear() { FLines.Clear(); }
    TNotifyEvent OnChange;
    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    void HostNotify(int code, std::intptr_t arg) override;
protected:
    String GetText() const override;
    void TextChanged() override;
private:
    IMemoWidget* Memo() const;
    void LinesChanged();
    TStringList FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FReadOnly = false;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FMaxLength = 0;
    bool FSyncing = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    ~TComboBox() override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    // Items with their objects; changing the list refills the box.
    TStringList* Items() { return &FItems; }
    void SetItems(const TStringList* list) { FItems.Assign(*list); }
    int ItemIndex() const;
    void SetItemIndex(int i);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v) { FCharCase = v; }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    void SelectAll();
    void Clear();
    void AddItem(const String& s, TObject* obj) { FItems.AddObject(s, obj); }
    // Least width of the dropped list in pixels; the list is always at least as wide as
    // the box and as its widest item (tabs moved on to the tab stops, as it draws them).
    int DroppedWidth() const { return FDroppedWidth; }
    void SetDroppedWidth(int v);
    // The open list's bounds on the screen; an empty rectangle while it is closed.
    TRect DroppedControlRect() const;
    // The open list's right edge at the box's right edge, so that a list wider than its
    // box opens towards the left (for boxes near a window's right side).
    bool DropRightAligned() const { return FDropRightAligned; }
    void SetDropRightAligned(bool v);
    // Character position in the edit part under the client x (0 for a pick list).
    int CharFromPos(int x) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;
    void HostNotify(int code, std::intptr_t arg) override;
protected:
    String GetText() const override;
    void TextChanged() override;
    virtual void Change();
    virtual void Select();
    // The list opened, closed: fire OnDropDown, OnCloseUp.
    virtual void DropDown();
    virtual void CloseUp();
    // A box that draws over its native face: PaintOver runs after every native paint
    // with Canvas bound to the box.
    void SetPaintsOver(bool v);
    TCanvas* Canvas();
    TCanvas* HostCanvas() override { return FPaintsOver ? Canvas() : nullptr; }
    virtual void PaintOver() {}
    // A box with a drop button of its own width: the face's text area ends where the
    // button begins (0: the platform's button).
    void SetDropButtonWidth(int v);
private:
    IComboWidget* Combo() const;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPaintsOver = false;
    int FDroppedWidth = 0;
    bool FDropRightAligned = false;
    void ItemsChanged();
    TStringList FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FSyncing = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Base of push, check and radio buttons backed by a native button.
class TButtonControl : public TWinControl {
public:
    TButtonControl(TComponent* AOwner, int kind);
    ~TButtonControl() override;
    void WndProc(TMessage& msg) override;
    void HostNotify(int code, std::intptr_t arg) override;
protected:
    void TextChanged() override;
    IButtonWidget* Button() const;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    void Click() override;
    void WndProc(TMessage& msg) override;
private:
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const { return FState == cbChecked; }
    // A change of the tick runs OnClick, also when code sets it.
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState s);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    void HostNotify(int code, std::intptr_t arg) override;
private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

// Radio buttons with the same parent form one group.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    // Checking one unchecks the others of its parent and runs OnClick.
    void SetChecked(bool v);
    void HostNotify(int code, std::intptr_t arg) override;
private:
    bool FChecked = false;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;
    TStringList* Items() { return &FItems; }
    int Count() const { return FItems.Count(); }
    int ItemIndex() const;
    void SetItemIndex(int i);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool Selected(int i) const;
    void SetSelected(int i, bool v);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int TopIndex() const;
    void SetTopIndex(int i);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int h);
    int ItemAtPos(TPoint p, bool existing) const;
    void Clear() { FItems.Clear(); }
    void HostNotify(int code, std::intptr_t arg) override;
    void WndProc(TMessage& msg) override;
protected:
    IListWidget* List() const;
    void ItemsChanged();
    TStringList FItems;
    bool FMultiSelect = false;
    bool FSorted = false;
    int FItemHeight = 13;
    bool FSyncing = false;
};

class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* AOwner);
    bool Checked(int i) const;
    void SetChecked(int i, bool v);
    TNotifyEvent OnClickCheck;
    void HostNotify(int code, std::intptr_t arg) override;
};

// A frame with a caption; children sit inside.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    void AdjustClientRect(TRect& r) const override;
protected:
    void Paint() override;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);
    ~TScrollBar() override;
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind k);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetMin(int v) { SetParams(FPosition, v, FMax); }
    void SetMax(int v) { SetParams(FPosition, FMin, v); }
    int Position() const { return FPosition; }
    void SetPosition(int v) { SetParams(v, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v);
    void SetParams(int position, int min, int max);
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;
    void HostNotify(int code, std::intptr_t arg) override;
private:
    IScrollBarWidget* Bar() const;
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0, FSmallChange = 1, FLargeChange = 1;
};
