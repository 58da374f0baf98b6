#pragma once
// The multi-column picker: a drop-down edit whose list shows items in columns under a
// header row. One column, the lookup column, gives the text the edit shows for the
// chosen item; typing completes the text from that column, and while the list is open
// typed characters jump to the first item whose lookup text begins with them.
//
// For an editor: SetText/Text carry the value, GetItemIndex() finds the item of a text,
// BeginUpdate/EndUpdate wrap filling the items (the completion learns them at EndUpdate),
// ShowDropDown/HideDropDown open and close, OnSelect tells of a choice in the list and
// OnDropUp of the closing (Cancelled true when the old value came back).
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/pickers/PickerColumns.h"
#include "gridext/pickers/PickerCompletion.h"
#include "platform/gui/Grids.h"

class TExtMultiColumnDropDown;

namespace MultiColumnPicker {

struct Tag;
using TDropDownColumn = TDropDownColumnT<Tag>;
using TDropDownColumns = TPickerCollection<TDropDownColumn>;
using TDropDownItem = TDropDownItemT<Tag>;

class TDropDownItems : public TPickerCollection<TDropDownItem> {
public:
    using TPickerCollection::TPickerCollection;
    // The first item whose line Column is exactly Value (case and all); -1 for none.
    int IndexInColumn(int Column, const String& Value) const;
};

// The list grid: a string grid that draws its cells through its picker.
class TExtColGrid : public TStringGrid {
public:
    explicit TExtColGrid(TComponent* AOwner);
    TExtMultiColumnDropDown* ExtDropDown() const { return FExtDropDown; }
    void SetExtDropDown(TExtMultiColumnDropDown* v) { FExtDropDown = v; }
    TDropDownColumns* Columns() { return &FColumns; }
    void SetColumns(const TDropDownColumns& v) { FColumns.Assign(v); }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont* v) { FHeaderFont.Assign(*v); }
    int ListLineWidth() const { return FGridLineWidth; }
    void SetListLineWidth(int v);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v) { FImages = v; }
    bool ConfirmSelection() const { return FConfirmSelection; }
    bool MouseWheelSelection() const { return FMouseWheelSelection; }
    virtual void FireSelect();
    TNotifyEvent OnSelect;

    void WndProc(TMessage& msg) override;

    // Set while the row was reached by key or click, so closing may take it.
    bool FConfirmSelection = false;

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    TExtMultiColumnDropDown* FExtDropDown = nullptr;
    TDropDownColumns FColumns;
    TColor FHeaderColor = clWhite, FHeaderColorTo = clGray, FLineColor = clGray;
    TImageList* FImages = nullptr;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    TColor FFixedLineColor = clGray;
    int FGridLineWidth = 1;
    int FOldRow = 0;
    bool FMouseWheelSelection = false;
};

}  // namespace MultiColumnPicker

using TGetCellTextEvent = std::function<void(TObject* Sender, int Column, int Row, String& Text)>;
using TDrawListCellEvent = std::function<void(TObject* Sender, int Column, int Row, TCanvas* ACanvas, const TRect& ARect)>;

class TExtMultiColumnDropDown : public TLookupDropDown {
public:
    using TDropDownColumns = MultiColumnPicker::TDropDownColumns;
    using TDropDownItems = MultiColumnPicker::TDropDownItems;
    using TExtColGrid = MultiColumnPicker::TExtColGrid;

    explicit TExtMultiColumnDropDown(TComponent* AOwner);
    ~TExtMultiColumnDropDown() override;

    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v) { FCaseSensitive = v; }
    bool DropDownAutoWidth() const { return FDropDownAutoWidth; }
    void SetDropDownAutoWidth(bool v) { FDropDownAutoWidth = v; }
    int DropDownRowHeight() const { return FDropDownRowHeight; }
    void SetDropDownRowHeight(int v) { FDropDownRowHeight = v; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) { FLineColor = v; }
    TColor FixedLineColor() const { return FFixedLineColor; }
    void SetFixedLineColor(TColor v) { FFixedLineColor = v; }
    bool ColumnSizing() const { return FColumnSizing; }
    void SetColumnSizing(bool v) { FColumnSizing = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    TDropDownColumns* Columns() { return &FColumns; }
    void SetColumns(const TDropDownColumns& v) { FColumns.Assign(v); }
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont* v) { FHeaderFont.Assign(*v); }
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    TDropDownItems* Items() { return &FItems; }
    void SetItems(const TDropDownItems& v) { FItems.Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int RowCount() const { return FItems.Count(); }
    TExtColGrid* ListGrid() const { return FExtColGrid; }
    const String& LookupEntry() const { return FLookupEntry; }

    // The first item whose lookup text is exactly Value; -1 for none.
    int GetItemIndex(const String& Value) const;
    void BeginUpdate() {}
    // Rebuilds the completion's list from the items.
    void EndUpdate() { BuildLookupList(); }
    // Settings and items read in as a whole (as a form reader does) are complete: the
    // completion learns the items.
    void Loaded() { BuildLookupList(); }
    void Assign(TObject* Source);
    // The first item whose lookup text begins with S (without regard to case unless
    // CaseSensitive): its text as stored and its index.
    bool FindLookupText(const String& S, String& Found, int& Index) const;

    TNotifyEvent OnSelect;
    TGetCellTextEvent OnDropDownGetItemText;
    TDrawListCellEvent OnDropDownDrawItem;

    // A text set by the program is taken as it is: only typing is completed.
    void SetText(const String& Value) override;
    void SetComponentStyle(TWYXStyle AStyle) override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;
    void CreateDropDownForm() override;
    void PlaceDropDownControl() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void AdjustDropDownHeight(int& Height) override;
    void OpenDropDown() override;
    void CloseDropDown(bool CancelChanges) override;
    void DropDownResizing() override;
    void HandleControlKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyPress(WideChar& Key) override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyPress(WideChar& Key) override;
    void HandleWheelDown() override;
    void HandleWheelUp() override;
    void WndProc(TMessage& msg) override;

    // The list grid's drawing of one cell.
    void DrawListCell(TExtColGrid* Grid, int C, int R, TRect Rect);
    // The width the list needs for its columns.
    int ListWidthNeeded() const;
    // The grid's column widths scaled to the pop-up's width.
    void ScaleColumnsToWindow();

protected:
    int LookupColumnIndex() const override { return FLookupColumn; }
    int LookupItemCount() const override { return FItems.Count(); }
    String LookupLine(int Item) const override { return FItems.Items(Item)->LineOrEmpty(FLookupColumn); }
    void SelectLookupItem(int Item) override { SetItemIndex(Item); }
    void TakeCompletedItem(int Item) override { FItemIndex = Item; }

private:
    friend class MultiColumnPicker::TExtColGrid;
    void GridTakeSettings();
    void SizeColumnToContent(int Column);
    void ApplyWordWrapHeights();
    int TypedKeyLookup(WideChar Key);
    void ShowValue(const String& Value);
    void GridSelect();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void NextPage();
    void PreviousPage();

    bool FShowing = false;
    bool FColumnSizing = false;
    int FLookupColumn = 0;
    TColor FHeaderColorTo = clGray, FHeaderColor = clWhite, FLineColor = 0xF1EDEB;
    TDropDownItems FItems;
    TDropDownColumns FColumns;
    int FItemIndex = -1;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    TExtColGrid* FExtColGrid = nullptr;
    TColor FFixedLineColor = 0xD1BBA4;
    int FOldItemIndex = -1;
    bool FDropDownAutoWidth = true;
    bool FColumnSizeWithDropDown = true;
    TColor FSelectionTextColor = clBlack;
    int FDropDownRowHeight = 22;
    String FLookupEntry;
    bool FCaseSensitive = false;
    bool FInKey = false;
    // The typed-key lookup moves the row itself: the row's item must not overwrite the text.
    bool FLookupMoving = false;
};
