#pragma once
// The column grid every table editor stands on: a TExtStringGrid with one column item
// per real column. The item answers the grid's per-cell questions for its column
// (editor kind, colours and fonts, alignment, read-only, check texts, combo items,
// spin range, edit mask and length, sort style, filter list, print settings), so a
// table is described once, column by column, and the cells follow.
//
// Item i belongs to real column i (hidden columns counted): the collection always
// holds ColCount + hidden items once the grid is built, and hiding a column keeps its
// item. Adding or removing items in code changes the number of columns (never down to
// FixedCols or fewer).
#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "platform/gui/Menus.h"

class TExtColumnGrid;
class TGridColumnCollection;
class TEditLink;

// Which clicks open a column's popup menu.
enum TColumnPopupType {
    cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick, cpAllCellsRClick,
    cpAllCellsLClick
};

using TColumnPopupEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The settings of one column.
class TGridColumnItem : public TObject {
public:
    // Inside a collection the item is appended to it (and takes the grid's font and
    // colour); without one it keeps plain defaults and reports no changes.
    explicit TGridColumnItem(TGridColumnCollection* Collection);
    ~TGridColumnItem() override;
    TGridColumnItem(const TGridColumnItem&) = delete;
    TGridColumnItem& operator=(const TGridColumnItem&) = delete;

    // Copies every setting but the popup type, the two custom print flags and the
    // width, field by field (no change reaction, row 0 untouched). Other sources: nothing.
    void Assign(const TObject* Source);
    // Copies the look and behaviour of another column (not its header, name, tag,
    // combo items, drop-down count, header font or popup type); colour and font become
    // the grid's.
    void AssignVisuals(const TObject* Source);

    TGridColumnCollection* Collection() const { return FCollection; }
    // Position in the collection (-1 outside one); writing moves the item there.
    int Index() const;
    void SetIndex(int Value);
    // The grid of the collection, or nullptr.
    TExtColumnGrid* Grid() const;

    // ---- published settings ----
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int AutoMaxSize() const { return FAutoMaxSize; }
    void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
    int AutoMinSize() const { return FAutoMinSize; }
    void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(const TPen* Value);
    const String& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
    const String& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPopupMenu* ColumnPopup() const { return FColumnPopup; }
    void SetColumnPopup(TPopupMenu* Value) { FColumnPopup = Value; }
    TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
    void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(const TStringList* Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value) { FDropDownCount = Value; }
    int EditLength() const { return FEditLength; }
    void SetEditLength(int Value) { FEditLength = Value; }
    TEditLink* EditLink() const { return FEditLink; }
    // The grid hears when the link is destroyed and forgets it (the item does not own it).
    void SetEditLink(TEditLink* Value);
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& Value) { FEditMask = Value; }
    TEditorType Editor() const { return FEditorType; }
    void SetEditor(TEditorType Value);
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(const TStringList* Value);
    bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
    void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    const String& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const String& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    const String& Header() const { return FColumnHeader; }
    void SetHeader(const String& Value);
    TAlignment HeaderAlignment() const { return FHeaderAlignment; }
    void SetHeaderAlignment(TAlignment Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    int MaxSize() const { return FMaxSize; }
    void SetMaxSize(int Value) { FMaxSize = Value; }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int Value) { FMinSize = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    bool PrintBorderCustom() const { return FPrintBorderCustom; }
    void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
    TCellBorders PrintBorders() const { return FPrintBorders; }
    void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(const TPen* Value) { FPrintBorderPen->Assign(*Value); }
    TColor PrintColor() const { return FPrintColor; }
    void SetPrintColor(TColor Value) { FPrintColor = Value; }
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(const TFont* Value) { FPrintFont->Assign(*Value); }
    bool PrintFontCustom() const { return FPrintFontCustom; }
    void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle() const { return FSortStyle; }
    void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
    const String& SortPrefix() const { return FSortPrefix; }
    void SetSortPrefix(const String& Value) { FSortPrefix = Value; }
    const String& SortSuffix() const { return FSortSuffix; }
    void SetSortSuffix(const String& Value) { FSortSuffix = Value; }
    int SpinMax() const { return FSpinMax; }
    void SetSpinMax(int Value) { FSpinMax = Value; }
    int SpinMin() const { return FSpinMin; }
    void SetSpinMin(int Value) { FSpinMin = Value; }
    int SpinStep() const { return FSpinStep; }
    void SetSpinStep(int Value) { FSpinStep = Value; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }
    // The grid's width of the item's real column (kept while the column is hidden);
    // 0 outside a collection.
    int Width() const;
    void SetWidth(int Value);
    // The item's position when the order was last recorded.
    int DefIdx() const { return FDefIdx; }
    void SetDefIdx(int Value) { FDefIdx = Value; }

    // ---- the cells of the column (row idx), through the grid ----
    String GetRows(int idx) const;
    void SetRows(int idx, const String& Value);
    int GetInts(int idx) const;
    void SetInts(int idx, int Value);
    double GetFloats(int idx) const;
    void SetFloats(int idx, double Value);
    TDateTime GetDates(int idx) const;
    void SetDates(int idx, TDateTime Value);
    TDateTime GetTimes(int idx) const;
    void SetTimes(int idx, TDateTime Value);

private:
    friend class TGridColumnCollection;
    friend class TExtColumnGrid;
    friend class TExtColumnGridIO;
    // Runs the collection's change reaction for this item.
    void Changed();
    void Repaint();
    void WireChangeHandlers();

    TGridColumnCollection* FCollection = nullptr;
    int FWidth = 0;
    TAlignment FAlignment = taLeftJustify;
    String FColumnHeader;
    TSortStyle FSortStyle = ssAutomatic;
    String FSortPrefix;
    String FSortSuffix;
    String FEditMask;
    int FEditLength = 0;
    TEditLink* FEditLink = nullptr;
    std::unique_ptr<TFont> FFont;
    TColor FColor = 0;
    TEditorType FEditorType = edNormal;
    bool FFixed = false;
    bool FReadOnly = false;
    std::unique_ptr<TStringList> FComboItems;
    int FDropDownCount = 8;
    int FSpinMin = 0;
    int FSpinMax = 0;
    int FSpinStep = 1;
    bool FPassword = false;
    std::unique_ptr<TFont> FPrintFont;
    TColor FPrintColor = clWhite;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen;
    TCellBorders FPrintBorders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
    std::unique_ptr<TPen> FPrintBorderPen;
    std::intptr_t FTag = 0;
    int FDefIdx = 0;
    String FName;
    String FCheckFalse = "N";
    String FCheckTrue = "Y";
    bool FShowBands = false;
    std::unique_ptr<TStringList> FFilter;
    int FMaxSize = 0;
    int FMinSize = 0;
    int FAutoMinSize = 0;
    int FAutoMaxSize = 0;
    TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
    TPopupMenu* FColumnPopup = nullptr;
    bool FFilterCaseSensitive = false;
    String FFloatFormat;
    TAlignment FHeaderAlignment = taLeftJustify;
    std::unique_ptr<TFont> FHeaderFont;
    bool FPrintBorderCustom = true;
    bool FPrintFontCustom = true;
};

// The column items of a column grid, in real column order.
class TGridColumnCollection : public TObject {
public:
    explicit TGridColumnCollection(TExtColumnGrid* AOwner);
    ~TGridColumnCollection() override;
    TGridColumnCollection(const TGridColumnCollection&) = delete;
    TGridColumnCollection& operator=(const TGridColumnCollection&) = delete;

    int Count() const { return int(FItems.size()); }
    // EListError "List index out of bounds (i)" outside 0 .. Count - 1.
    TGridColumnItem* Items(int Index) const;
    TGridColumnItem* operator[](int Index) const { return Items(Index); }
    // Assigns Value to the item at Index.
    void SetItems(int Index, const TGridColumnItem* Value);
    TGridColumnItem* GetItem(int Index) const { return Items(Index); }
    void SetItem(int Index, const TGridColumnItem* Value) { SetItems(Index, Value); }

    // A new item at the end; from the second item on it copies the visuals of the one
    // before it.
    TGridColumnItem* Add();
    // A new item with creation values at Index (no visuals copied).
    TGridColumnItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    // Changes between BeginUpdate and EndUpdate run one change reaction at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // All items freed, one per source item added and assigned, one change reaction.
    void Assign(const TGridColumnCollection* Source);

    TExtColumnGrid* GetOwner() const { return FOwner; }
    // Records the present order as the initial one (DefIdx := index).
    void SetOrganization();
    // Moves columns until every item stands at its DefIdx again.
    void ResetOrganization();

    // While set, the change reaction does nothing.
    bool FNoRecursiveUpdate = false;

private:
    friend class TGridColumnItem;
    friend class TExtColumnGrid;
    friend class TExtColumnGridIO;
    void InsertItem(TGridColumnItem* Item);
    void RemoveItem(TGridColumnItem* Item);
    void MoveItem(int FromIndex, int ToIndex);
    // The change reaction after an item was added, removed or changed.
    void Changed();
    void HandleUpdate();

    TExtColumnGrid* FOwner;
    std::vector<TGridColumnItem*> FItems;
    int FUpdateCount = 0;
};

class TExtColumnGrid : public TExtStringGrid {
public:
    explicit TExtColumnGrid(TComponent* AOwner);
    ~TExtColumnGrid() override;

    TGridColumnCollection* Columns() const { return FColumnCollection; }
    void SetColumns(const TGridColumnCollection* Value);
    // Displayed columns; writing also brings the items to ColCount + hidden.
    int ColCount() const { return TExtStringGrid::ColCount(); }
    void SetColCount(int Value);
    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }

    // The grid is being built as a form describes it: items and their settings come
    // one by one and the change reaction waits until Loaded.
    void BeginLoading() { FLoading = true; }
    void Loaded() override;

    // The first item named exactly AValue, or nullptr.
    TGridColumnItem* GetColumnByName(const String& AValue) const;
    // Column settings to and from a stream (every setting of every item, in order).
    // ColCount is not adjusted to the loaded item count.
    void SaveColumnsToStream(std::ostream& st) const;
    void LoadColumnsFromStream(std::istream& st);
    // Column order to and from the ini file Key, section Section ("CP0", "CP1" ...).
    void SaveColumnPositions(const String& Key, const String& Section);
    void LoadColumnPositions(const String& Key, const String& Section);
    // Column order to and from the ini file ColumnSize names (clIniFile).
    void SaveColPositions();
    void LoadColPositions();

    // 3.1.3.1: the four bytes from the highest down.
    int GetVersionNr() const override { return 50397953; }
    String GetVersionString() const override;

    // The grid's fonts, then the fonts of the shown columns' items, scaled by M / D.
    void ScaleFonts(int M, int D) override;

    // Columns inserted and removed keep their items in step; grouping keeps the grouped
    // column's item aside and gives it back on ungrouping (ExtColumnGrid_Group.cpp).
    void InsertCols(int ColIndex, int CCount) override;
    void RemoveCols(int ColIndex, int CCount) override;
    void Group(int Colindex) override;
    void UnGroup() override;

    TAfterColumnMoved OnAfterColumnMoved;
    TColumnPopupEvent OnColumnPopup;

    // ---- per-cell answers from the column items (ACol real unless said) ----
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    String GetFormattedCell(int ACol, int ARow) override;
    String GetColumnFloatFormat(int ACol) override;
    void FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
    void FireGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void FireGetFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix) override;
    void GetEditorTypeOf(int ACol, int ARow, TEditorType& AEditor) override;
    // ACol displayed.
    void IsFixedCellEx(int ACol, int ARow, bool& IsFixed) override;
    void FireCanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void FireIsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, String& Value) override;
    void GetCheckFalse(int ACol, int ARow, String& Value) override;
    bool BuildColumnFilter(int ACol) override;
    // A pick from the drop-down of the column's own Filter lines: the line's condition
    // becomes the column's, its friendly name the header with AutoFilterDisplay.
    void HandleFilterSelect(int ItemIndex) override;
    // ACol displayed.
    void FireUpdateColumnSize(int ACol, int& AWidth) override;
    void FireUpdateAutoColumnSize(int ACol, int& AWidth) override;
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TGradientDirection& GD) override;

protected:
    void ColumnHeadersChanged(TObject* Sender) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    int GetEditLimit() override;
    String GetEditMask(int ACol, int ARow) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void CreateColumns();

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    // The item of real column ACol, or nullptr beyond the collection.
    TGridColumnItem* ItemOf(int ACol) const;
    // Brings the item count to ColCount + hidden with the change reaction suppressed.
    void SyncColumns();
    // Rebuilds ColumnHeaders from the items (taking row 0's text for empty headers).
    void UpdateColumnHeaders();
    // Writes every item's header into ColumnHeaders (and so into row 0).
    void HeadersToList();
    // Real column and row inside the scrollable body (not fixed, not footer).
    bool IsBodyCell(int ACol, int ARow);
    bool IsVirtualCheckCell(int ACol, int ARow);

    TGridColumnCollection* FColumnCollection = nullptr;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    std::unique_ptr<TCellGraphic> FCellGraphic;
    bool FAutoFilterDisplay = false;
};

// Carries a column collection to and from a stream: Items is a collection of the grid
// given to the constructor, kept apart from its columns (the grid does not react to it).
// The stream holds every setting of every item, in item order.
class TExtColumnGridIO : public TComponent {
public:
    explicit TExtColumnGridIO(TExtColumnGrid* AOwner);
    ~TExtColumnGridIO() override;
    TGridColumnCollection* Items() const { return FItems.get(); }
    // A copy of every item with all its settings.
    void SetItems(const TGridColumnCollection* Value);
    void WriteToStream(std::ostream& st) const;
    // EConvertError "Not a column settings stream" leaves Items as they were.
    void ReadFromStream(std::istream& st);

private:
    std::unique_ptr<TGridColumnCollection> FItems;
};
