#pragma once
// The detail picker: a drop-down edit whose list shows one item per row, a picture or an
// image of the image list, a caption and, under it, notes in mini-HTML. The edit shows
// the caption of the chosen item; typing completes the text from the captions, and while
// the list is open the arrows and pages move through it and typed letters jump to the
// first item whose caption begins with them.
//
// For an editor: SetText/Text carry the value, Items().IndexOf() finds the item of a
// text, ShowDropDown/HideDropDown open and close, OnSelect tells of a choice and
// OnDropUp of the closing (Cancelled true when the old value came back).
#include <memory>
#include <vector>

#include "gridext/dropdown/ItemSelector.h"
#include "gridext/dropdown/PickerItems.h"
#include "platform/gui/ExtCtrls.h"


class TDetailItem : public TPickerItem<TDetailItem> {
public:
    using TPickerItem::TPickerItem;
    void Assign(const TDetailItem& Source);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { Watch(FImageIndex, v); }
    TBitmap* Image() { return &FImage; }
    void SetImage(const TBitmap* v) { FImage.Assign(v); }
    String Notes;
    int Tag = 0;
    // Not owned.
    TObject* ItemObject = nullptr;
    // No property changes it; only Assign copies it.
    bool Enabled = true;

private:
    int FImageIndex = -1;
    TBitmap FImage;
};
using TDetailItems = TPickerItems<TDetailItem>;

using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TExtDetailDropDown : public TExtCustomDropDown {
public:
    explicit TExtDetailDropDown(TComponent* AOwner);
    ~TExtDetailDropDown() override;

    TDetailItems* Items() { return &FItems; }
    void SetItems(const TDetailItems& v) { FItems.Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v) { FItemHeight = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TItemAppearance* ItemAppearance() { return &FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance.Assign(v); }
    TFont* CaptionFont() { return &FCaptionFont; }
    void SetCaptionFont(const TFont* v) { FCaptionFont.Assign(*v); }
    TFont* NotesFont() { return &FNotesFont; }
    void SetNotesFont(const TFont* v) { FNotesFont.Assign(*v); }
    // The auto-completion compares case-sensitively.
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool v) { FMatchCase = v; }
    TExtCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // The letters typed into the open list for the jump to an item.
    const String& CurrentSearch() const { return FCurSearch; }

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;

    // A text set by the program is taken as it is: only typing is completed.
    void SetText(const String& Value) override;
    void SetComponentStyle(TWYXStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void OpenDropDown() override;
    void CloseDropDown(bool CancelChanges) override;
    void DropDownResizing() override;
    void HandleWheelDown() override;
    void HandleWheelUp() override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyPress(WideChar& Key) override;
    void WndProc(TMessage& msg) override;

protected:
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    void FillSelector();
    void SelectorItemSelected();
    void DrawRow(TCanvas* Canvas, TRect R, int Index);
    void RowSize(TPoint& ASize);
    // Moves the list's selection to N (taken into the edit) with the list kept open.
    void MoveSelection(int N);
    // The list keys; true when the key was used up.
    bool ListKey(WORD Key, TShiftState Shift);
    // Shows Value, as the committed value while the list is closed.
    void ShowValue(const String& Value);

    TExtCustomItemSelector* FItemSelector = nullptr;
    TItemLayout FLayout = ilCaptionRight;
    TDetailItems FItems;
    int FItemIndex = -1;
    TItemAppearance FItemAppearance;
    bool FInternalCall = false;
    TTimer* FKeyTimer = nullptr;
    String FCurSearch;
    int FOldItemIndex = -1;
    int FItemHeight = 22;
    TFont FCaptionFont, FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = -1;
    int FItemSel = 0;
    bool FMatchCase = false;
    // The picker sets the edit's text itself: no completion runs on it.
    bool FSettingText = false;
    // A key message is being handled (the list keys run once per key).
    bool FInKey = false;
};
