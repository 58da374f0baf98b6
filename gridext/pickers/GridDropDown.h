#pragma once
// The grid picker: a drop-down edit whose pop-up holds a full grid, sortable by header
// clicks, optionally editable, its rows taken from the picker's items (UseItems) or from
// cells the application writes into the grid itself. One column, the lookup column,
// gives the text the edit shows for the chosen row. Typed characters look rows up by
// prefix or narrow the grid down to matching rows; the edit completes typed text from
// the items' lookup texts.
//
// For an editor: SetText/Text carry the value, FindLookupText() finds the row of a text,
// GetGrid() reaches the embedded grid, BeginUpdate/EndUpdate wrap filling the items,
// ShowDropDown/HideDropDown open and close, OnSelect tells of a choice in the list and
// OnDropUp of the closing (Cancelled true when the old value came back).
#include "grid/core/ExtGrid.h"
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/pickers/PickerColumns.h"
#include "gridext/pickers/PickerCompletion.h"

class TCustomExtGridDropDown;

enum TLookupMethod { lmLookup, lmNarrowDown, lmNone };
enum TGridSorting { gsNone, gsSingleColumn, gsMultiColumn };
enum TDropDownStyle { dsDropDown, dsDropDownList };

namespace GridPicker {

struct Tag;
using TDropDownColumn = TDropDownColumnT<Tag>;
using TDropDownColumns = TPickerCollection<TDropDownColumn>;
using TDropDownItem = TDropDownItemT<Tag>;
using TDropDownItems = TPickerCollection<TDropDownItem>;

// The embedded grid: the full grid with the picker's hooks for keys, mouse and the wheel.
class TExtColGrid : public TExtStringGrid {
public:
    explicit TExtColGrid(TComponent* AOwner);
    TCustomExtGridDropDown* ExtDropDown() const { return FExtDropDown; }
    void SetExtDropDown(TCustomExtGridDropDown* v) { FExtDropDown = v; }
    TDropDownColumns* Columns() { return &FColumns; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    virtual void FireSelect();
    TNotifyEvent OnSelect;
    void WndProc(TMessage& msg) override;

    // Kept for the picker's settings; the grid draws in its own look.
    TColor FHeaderColor = clWhite, FHeaderColorTo = clGray, FLineColor = clGray, FFixedLineColor = clGray;
    TFont FHeaderFont;
    int FGridLineWidth = 1;
    int FOldRow = 0;
    bool FMouseWheelSelection = false;
    // The current row was reached by key or click and may be taken when the list closes.
    bool FConfirmSelection = false;

protected:
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;

private:
    TCustomExtGridDropDown* FExtDropDown = nullptr;
    TDropDownColumns FColumns;
    int FHeaderHeight = 25;
};

}  // namespace GridPicker

using TGridKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TGridKeyPressEvent = std::function<void(TObject* Sender, WideChar& Key)>;

class TCustomExtGridDropDown : public TLookupDropDown {
public:
    using TDropDownColumns = GridPicker::TDropDownColumns;
    using TDropDownItems = GridPicker::TDropDownItems;
    using TExtColGrid = GridPicker::TExtColGrid;

    explicit TCustomExtGridDropDown(TComponent* AOwner);
    ~TCustomExtGridDropDown() override;

    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool v) { FAutoShowDropDown = v; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool v) { FAutoSizeColumns = v; }
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
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool v) { FColumnMoving = v; }
    bool ColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
    void SetColumnSizeWithDropDown(bool v) { FColumnSizeWithDropDown = v; }
    TDropDownColumns* Columns() { return &FColumns; }
    void SetColumns(const TDropDownColumns& v) { FColumns.Assign(v); }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool v) { FGridEditable = v; }
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* v);
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor v) { FHeaderColor = v; }
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor v) { FHeaderColorTo = v; }
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int v) { FHeaderHeight = v; }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont* v) { FHeaderFont.Assign(*v); }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    TDropDownItems* Items() { return &FItems; }
    void SetItems(const TDropDownItems& v) { FItems.Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int LookupColumn() const { return FLookupColumn; }
    void SetLookupColumn(int v) { FLookupColumn = v; }
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod v) { FLookupMethod = v; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool v) { FRowSizing = v; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool v) { FRowMoving = v; }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor v) { FSelectionTextColor = v; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { FRowSelect = v; }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting v) { FSorting = v; }
    TDropDownStyle Style() const { return FStyle; }
    void SetStyle(TDropDownStyle v)
    {
        FStyle = v;
        SetEditorEnabled(v == dsDropDown);
    }
    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool v) { FUseItems = v; }
    // The number of items.
    int RowCount() const { return FItems.Count(); }
    // Settings the grid takes when the list opens.
    TSearchFooter* SearchFooter() { return &FSearchFooter; }
    void SetSearchFooter(const TSearchFooter& v) { FSearchFooter.Assign(&v); }
    TNavigation* Navigation() { return &FNavigation; }
    void SetNavigation(const TNavigation& v) { FNavigation.Assign(&v); }
    TMouseActions* MouseActions() { return &FMouseActions; }
    void SetMouseActions(const TMouseActions& v) { FMouseActions.Assign(&v); }
    TBands* Bands() { return &FBands; }
    void SetBands(const TBands& v) { FBands.Assign(&v); }
    const String& LookupEntry() const { return FLookupEntry; }

    // The embedded grid; nothing before the pop-up exists.
    TExtColGrid* GetGrid() const { return FExtColGrid; }
    void BeginUpdate() {}
    // Rebuilds the completion's list from the items.
    void EndUpdate() { BuildLookupList(); }
    // Settings and items read in as a whole (as a form reader does) are complete: the
    // completion learns the items and a list grid that exists already shows them.
    void Loaded();
    // The first item (UseItems) or grid row whose lookup text begins with S (without
    // regard to case unless CaseSensitive): its text as stored and its index or row.
    bool FindLookupText(const String& S, String& Found, int& Index) const;
    unsigned GetVersionNumber() const override { return 0x06000101; }

    TNotifyEvent OnSelect;
    TGridKeyEvent OnGridKeyDown, OnGridKeyUp;
    TGridKeyPressEvent OnGridKeyPress;
    TGetAlignmentEvent OnGridGetAlignment;
    TGetCellColorEvent OnGridGetCellColor;
    TCanEditCellEvent OnGridCanEditCell;
    std::function<void(TObject* Sender, int ACol, bool& DoSort)> OnGridCanSort;
    std::function<void(TObject* Sender, int ACol)> OnGridClickSort;
    TClickCellEvent OnGridRightClickCell;
    // A window these open does not close the list.
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle)> OnGridAnchorClick;
    TButtonClickEvent OnGridButtonClick;
    std::function<void(TObject* Sender, int ACol, int ARow, String& S)> OnGridEllipsClick;
    TNotifyEvent OnGridTopLeftChanged;

    // The rest of the list grid's events, handed on with the grid's own arguments (the
    // grid as sender) while the list shows.
    decltype(TExtStringGrid::OnAnchorEnter) OnGridAnchorEnter, OnGridAnchorExit;
    decltype(TExtStringGrid::OnAnchorHint) OnGridAnchorHint;
    decltype(TExtStringGrid::OnColumnSize) OnGridColumnSize;
    decltype(TExtStringGrid::OnColumnSizing) OnGridColumnSizing;
    decltype(TExtStringGrid::OnEndColumnSize) OnGridEndColumnSize;
    decltype(TExtStringGrid::OnRowSize) OnGridRowSize;
    decltype(TExtStringGrid::OnRowSizing) OnGridRowSizing;
    decltype(TExtStringGrid::OnEndRowSize) OnGridEndRowSize;
    decltype(TExtStringGrid::OnRowMove) OnGridRowMove;
    decltype(TExtStringGrid::OnRowMoving) OnGridRowMoving;
    decltype(TExtStringGrid::OnRowMoved) OnGridRowMoved;
    decltype(TExtStringGrid::OnColumnMove) OnGridColumnMove;
    decltype(TExtStringGrid::OnColumnMoving) OnGridColumnMoving;
    decltype(TExtStringGrid::OnColumnMoved) OnGridColumnMoved;
    // Taken only when set as the list opens: without them the grid draws its cells alone.
    decltype(TExtStringGrid::OnCustomCellDraw) OnGridCustomCellDraw;
    decltype(TExtStringGrid::OnCustomCellBkgDraw) OnGridCustomCellBkgDraw;
    decltype(TExtStringGrid::OnCellBalloon) OnGridCellBalloon;
    decltype(TExtStringGrid::OnGetCellGradient) OnGridGetCellGradient;
    // The format arrives empty: the list has no format of its own to offer.
    decltype(TExtStringGrid::OnGetFloatFormat) OnGridGetFloatFormat;
    decltype(TExtStringGrid::OnGetEditorType) OnGridGetEditorType;
    decltype(TExtStringGrid::OnGetEditorProp) OnGridGetEditorProp;
    decltype(TExtStringGrid::OnGetDisplText) OnGridGetDiplText;
    decltype(TExtStringGrid::OnGetFormat) OnGridGetFormat;
    decltype(TExtStringGrid::OnGridHint) OnGridHint;
    decltype(TExtStringGrid::OnMouseMove) OnGridMouseMove;
    decltype(TExtStringGrid::OnMouseDown) OnGridMouseDown;
    decltype(TExtStringGrid::OnMouseUp) OnGridMouseUp;
    decltype(TExtStringGrid::OnScrollHint) OnGridScrollHint;
    decltype(TExtStringGrid::OnSearchEditChange) OnGridSearchEditChange;
    decltype(TExtStringGrid::OnAutoAddRow) OnGridAutoAddRow;
    decltype(TExtStringGrid::OnAutoInsertRow) OnGridInsertRow;
    decltype(TExtStringGrid::OnAutoDeleteRow) OnGridDeleteRow;
    decltype(TExtStringGrid::OnCanAddRow) OnGridCanAddRow;
    decltype(TExtStringGrid::OnCanInsertRow) OnGridCanInsertRow;
    decltype(TExtStringGrid::OnCanDeleteRow) OnGridCanDeleteRow;
    decltype(TExtStringGrid::OnCheckBoxClick) OnGridCheckBoxClick;

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
    void HandleDropDownKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyPress(WideChar& Key) override;
    void HandleWheelDown() override;
    void HandleWheelUp() override;
    void WndProc(TMessage& msg) override;

    // The item a grid row holds (the row itself without a grid or past the last row),
    // and the first data row that holds an item (the current index for none).
    int ItemOfRow(int Row);
    int RowOfItem(int Item);

protected:
    void DoEnter() override;
    int LookupColumnIndex() const override { return FLookupColumn; }
    int LookupItemCount() const override { return FItems.Count(); }
    String LookupLine(int Item) const override { return FItems.Items(Item)->LineOrEmpty(FLookupColumn); }
    void SelectLookupItem(int Item) override { SetItemIndex(Item); }
    void TakeCompletedItem(int Item) override { FItemIndex = Item; }
    // Moving through the list or leaving it starts the typed-key lookup afresh.
    void LookupKeyDown(WORD Key) override;

private:
    friend class GridPicker::TExtColGrid;
    int ItemCount() const;
    void GridTakeSettings();
    void AttachGridEvents();
    void FillGridFromItems();
    void ScaleColumnsToWindow();
    int ListWidthNeeded() const;
    int TypedKeyLookup(WideChar Key);
    void ShowValue(const String& Value);
    void GridSelect();
    void CellSelected(int Row);
    void MoveToRow(int Row);
    // Where the keys of the open list go: the cell editor while it shows, else the grid.
    TWinControl* KeyTarget() const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void NextPage();
    void PreviousPage();

    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    bool FCaseSensitive = false;
    bool FDropDownAutoWidth = true;
    int FDropDownRowHeight = 22;
    TColor FLineColor = 0xF1EDEB, FFixedLineColor = 0xD1BBA4;
    bool FColumnSizing = false, FColumnMoving = false, FColumnSizeWithDropDown = true;
    TDropDownColumns FColumns;
    bool FGridEditable = false;
    TImageList* FGridImages = nullptr;
    TColor FHeaderColor = clWhite, FHeaderColorTo = clGray;
    int FHeaderHeight = 25;
    TFont FHeaderFont;
    bool FHoverRow = false;
    TColor FHoverRowColor = clInfoBk, FHoverRowColorTo = clNone;
    TDropDownItems FItems;
    int FItemIndex = -1;
    int FLookupColumn = 0;
    TLookupMethod FLookupMethod = lmLookup;
    bool FRowSizing = false, FRowMoving = false;
    TColor FSelectionTextColor = clBlack;
    bool FRowSelect = true;
    TGridSorting FSorting = gsNone;
    TDropDownStyle FStyle = dsDropDown;
    bool FUseItems = true;
    TSearchFooter FSearchFooter;
    TNavigation FNavigation;
    TMouseActions FMouseActions;
    TBands FBands;

    TExtColGrid* FExtColGrid = nullptr;
    int FSelRow = 0;
    int FOldItemIndex = -1;
    int FTempItemIndex = -1;
    String FLookupEntry;
    // The list grid's balloon hints were set up anew since the list opened.
    bool FBalloonInit = false;
    bool FInKey = false;
    bool FLookupMoving = false;
};

class TExtGridDropDown : public TCustomExtGridDropDown {
public:
    explicit TExtGridDropDown(TComponent* AOwner) : TCustomExtGridDropDown(AOwner) {}
};
