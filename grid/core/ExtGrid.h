#pragma once
// The feature grid of the program's tables: the base grid's cell store with settings
// objects, per-cell query hooks that fire one event each, cell objects (check boxes,
// radio controls, pictures, progress bars, comments, buttons ...), hidden columns with
// real and display indexes, hidden rows kept in a store of their own, and look presets.
//
// Columns: "real" indexes count every column, hidden ones included; "display" indexes
// count what is shown (ColCount of them). Rows likewise: a hidden row leaves the grid
// for the hidden-row store, so real rows count it and display rows do not. Each
// operation says which it takes.
#include <array>
#include <bitset>
#include <memory>
#include <vector>

#include "grid/base/BaseGrid.h"
#include "grid/cells/CellGraphic.h"
#include "grid/cells/ShowModified.h"
#include "grid/core/GridOptions.h"
#include "grid/core/GridPanels.h"
#include "grid/core/GridSettings.h"
#include "grid/dragdrop/DragDropSettings.h"
#include "grid/dragdrop/DragScrollOptions.h"
#include "grid/edit/GridCellChecker.h"
#include "grid/edit/GridEditorKinds.h"
#include "grid/filter/Filter.h"
#include "grid/filter/FilterDropDown.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/group/Grouping.h"
#include "grid/input/BalloonSettings.h"
#include "grid/search/FindParams.h"
#include "grid/paint/BackGround.h"
#include "grid/paint/ControlLook.h"
#include "grid/paint/ProgressAppearance.h"
#include "grid/sort/SortSettings.h"
#include "grid/util/GridTheme.h"
#include "platform/gui/Forms.h"
#include "platform/gui/HintWindows.h"
#include "platform/gui/ImgList.h"

class TIntList;
class TSortIndexList;
class TControlList;
class TFilePicture;
class TArrowWindow;
class THTMLPictureCache;
struct TMiniHTMLParams;
class TPictureContainer;
class TGridFocusWindow;
class TEditLink;
class THeaderDragButton;
class TComboBox;
class TTimer;

// One hidden row: its cells (text and record per real column), height, where it was.
class TGridItem : public TObject {
public:
    TGridItem() { Items.SetOwnsObjects(false); }
    int Idx = 0;       // the row's index when it was hidden
    int Height = 0;
    TStringList Items;  // one line per real column, with the cell's record as object
    int FLevel = 0;     // filter level (HideRowList); -1 for rows hidden by HideRows and HideRowsEx
};

// ---- events ----
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, int ACol, int ARow, TSearchAction SearchAction)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TRowColEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TGetCellCursorEvent = std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& hintstr)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::u16string& hintstr)>;
using TGetCellColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGetCellBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGetAlignmentEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGetFormatEvent =
    std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TRowColBoolEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Value)>;
using TColRowBoolEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Value)>;
using TGetCheckTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStringList* Filter)>;
using TUnitChangedCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& NewUnit)>;
using TCheckBoxChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TRatingChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;
using TColorSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const String& Value)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TGetFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TPaintedEvent = std::function<void(TObject* Sender)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TGetCellGradientEvent = std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                                                 TColor& ColorMirror, TColor& ColorMirrorTo,
                                                 TGradientDirection& GD)>;
using TGetCellBorderPropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
// ---- events of editing in place, clicks and keys ----
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value, bool& Valid)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TScrollCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TGridPrintPageNumEvent =
    std::function<void(TObject* Sender, int PageNum, int PageColNum, String& PageNumString)>;

// A listener registered with RegisterSelListener hears every move of the current cell:
// the column left and the row arrived at.
class ITExtStringGridSelect {
public:
    virtual ~ITExtStringGridSelect() = default;
    virtual void SelectCell(int ACol, int ARow) = 0;
};
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;

// ---- hooks and notifications ----
enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow };
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };
using TSelectionChangedEvent = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TCellTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStringList* Values)>;
using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;

// The XP colour schemes SetTheme applies.
enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };

// Which scroll bar shows the row (column) number while its thumb is dragged.
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
// Where a drag resting near the grid's edges scrolls it.
enum TDragScrollDir { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TSet<TDragScrollDir>;
// A drag over the grid: it came in, it moves, it left.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TScrollHintEvent = std::function<void(TObject* Sender, int ARowCol, String& hintstr)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int ATopRow, int ALeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;

// Middle-button panning: which directions the mouse may pan.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
// What a press at the mouse's place would do: select as usual, a column, a row, all
// cells, follow a link, or resize the selection.
enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
// The grid's own cursors over the header for column, row and all-cell selection.
constexpr TCursor crGridRowSelect = 8010;
constexpr TCursor crGridColSelect = 8011;
constexpr TCursor crGridAllSelect = 8012;

class TExtStringGrid : public TBaseGrid, public IWYXTones, public IWYXStyle {
public:
    explicit TExtStringGrid(TComponent* AOwner);
    ~TExtStringGrid() override;

    // After the grid's properties were set as a form sets them.
    virtual void Loaded();
    void SetParent(TWinControl* p) override;

    // ================================================================ dimensions
    // Displayed columns (hidden ones are not counted); lowering it keeps the cells of
    // the real columns beyond.
    void SetColCount(int Value);
    // Displayed rows (hidden ones are not counted); rows below it pass through the
    // display-text hooks.
    void SetRowCount(int Value);
    // The row count alone, for the row operations that move the rows themselves (the
    // floating footer row included).
    void ResizeRows(int Value);
    int AllColCount() { return TotalColCount(); }
    int AllRowCount() { return TotalRowCount(); }
    void SetFixedRowHeight(int Value);
    void ApplyColumnStretch(int StretchColumn);

    // ================================================================ copy, invalidation, sizing
    // Copies another TExtStringGrid; any other source is ignored.
    void Assign(const TObject* Source);
    virtual void AssignCells(const TObject* Source);
    // The first invalidation after an editor changed a cell is skipped.
    void Invalidate() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ApplyScrollBarAlways(bool ForceHide);
    bool IntegralHeight() const { return FIntegralHeight; }
    // Stores the flag and applies the bounds again (the height fits whole rows while on).
    void SetIntegralHeight(bool v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TScrollBarAlways ScrollBarAlways() const { return FScrollBarAlways; }
    void SetScrollBarAlways(TScrollBarAlways v);
    // Set by the in-place editors after they changed a cell.
    void SetEditChange(bool v) { FEditChange = v; }
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // ================================================================ per-cell hooks
    virtual void FireCanEditCellEvent(int ACol, int ARow, bool& CanEdit);
    virtual void FireSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction);
    virtual void FireButtonClick(int ACol, int ARow);
    virtual void FireExpandClick(int ACol, int ARow, bool Expanded);
    virtual void FireComboCloseUp(int ARow, int ACol);
    virtual void FireComboDropDown(int ARow, int ACol);
    virtual void FireGetCellCursor(int ACol, int ARow, int X, int Y);
    virtual void FireGridHint(int ACol, int ARow, String& hint, std::u16string& widehint);
    virtual void FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void FireGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void FireGetFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix);
    virtual void FireGetEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetEditorTypeOf(int ACol, int ARow, TEditorType& AEditor);
    virtual bool IsNoEditCell(int ACol, int ARow);
    virtual void IsFixedCellEx(int ACol, int ARow, bool& IsFixed);
    virtual void FireCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void FireIsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void FireGetWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual bool HasComboBox(int ACol, int ARow);
    virtual bool HasSpinEdit(int ACol, int ARow);
    virtual void GetCheckTrue(int ACol, int ARow, String& Value);
    virtual void GetCheckFalse(int ACol, int ARow, String& Value);
    virtual bool BuildColumnFilter(int ACol);
    void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                         TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                         TGradientDirection& GD) override;
    // The cell's font (one scratch font for every cell with a record).
    TFont* GetCellFont(int i, int j);
    static TForm* GetOwnerForm(TControl* AControl);
    bool IsFixed(int ACol, int ARow) override;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TGradientDirection& GD) override;
    void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void FireGetDisplText(int ACol, int ARow, String& Value) override;

    // ================================================================ cell objects
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType kind);
    // The kind of the base cell's object lies in the set.
    bool CellTypeInSet(int ACol, int ARow, const TCellTypeSet& kinds);

    void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool HasBitmap(int ACol, int ARow);
    bool RemoveBitmap(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode, int padding,
                    TCellHAlign hal, TCellVAlign val);
    TPicture* CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                            TCellHAlign hal, TCellVAlign val);
    TPicture* GetPicture(int ACol, int ARow);
    bool HasPicture(int ACol, int ARow);
    bool RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool transparent, TStretchMode stretchmode,
                        int padding, TCellHAlign hal, TCellVAlign val);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                    TCellHAlign hal, TCellVAlign val);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool RemoveFilePicture(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val);
    TBitmap* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
    bool RemoveIcon(int ACol, int ARow);
    void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool GetImageIdx(int ACol, int ARow, int& idx);
    void SetImageIdx(int ACol, int ARow, int Idx);
    bool RemoveImageIdx(int ACol, int ARow);
    void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
    bool RemoveDataImage(int ACol, int ARow);
    bool HasDataImage(int ACol, int ARow);
    void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
    bool RemoveMultiImage(int ACol, int ARow);
    TIntList* GetCellImages(int ACol, int ARow);
    void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
    void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor, TColor BKTextColor);
    void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                              TColor BKTextColor, const String& Fmt, int Min, int Max);
    bool HasProgress(int ACol, int ARow);
    bool RemoveProgress(int ACol, int ARow);
    void AddExtProgress(int ACol, int ARow, int Min, int Max);
    bool RemoveExtProgress(int ACol, int ARow);
    void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
    void SetProgressPie(int ACol, int ARow, int Value);
    bool RemoveProgressPie(int ACol, int ARow);
    void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
    bool RemoveRangeIndicator(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const String& Comment);
    void AddColorComment(int ACol, int ARow, const String& Comment, TColor Color);
    void SetComment(int ACol, int ARow, const String& Value);
    bool IsComment(int ACol, int ARow, String& Comment);
    String GetComment(int ACol, int ARow);
    bool RemoveComment(int ACol, int ARow);
    void RemoveAllComments();
    void AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor, TCellHAlign hal, TCellVAlign val);
    bool RemoveShape(int ACol, int ARow);
    void SetShapeColor(int ACol, int ARow, TColor FillColor);
    TColor GetShapeColor(int ACol, int ARow);
    void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
    bool HasRating(int ACol, int ARow);
    bool RemoveRating(int ACol, int ARow);
    struct TScrollProp {
        int PageSize = 0;
        int Range = 0;
    };
    void AddScrollBar(int ACol, int ARow, bool AutoRange);
    bool HasScrollBar(int ACol, int ARow);
    bool HasAutoRangeScrollBar(int ACol, int ARow);
    void SetScrollPosition(int ACol, int ARow, int Pos);
    int GetScrollPosition(int ACol, int ARow);
    void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
    TScrollProp GetScrollProp(int ACol, int ARow);
    bool RemoveScrollBar(int ACol, int ARow);
    virtual void UpdateAutoRangeScrollBar(int ACol, int ARow);
    void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
    void RemoveMarker(int ACol, int ARow);
    void RemoveAllMarkers();
    void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
    void AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
    void AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                             TCellVAlign val);
    // ACol is a display column.
    void SetButtonText(int ACol, int ARow, const String& Caption);
    String GetButtonText(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool push);
    bool HasButton(int ACol, int ARow);
    bool RemoveButton(int ACol, int ARow);
    bool RemoveBitButton(int ACol, int ARow);
    void RemoveAllButtons();
    void AddRotated(int ACol, int ARow, std::int16_t AAngle, const String& s);
    void SetRotated(int ACol, int ARow, std::int16_t AAngle);
    bool IsRotated(int ACol, int ARow, int& aAngle);
    bool RemoveRotated(int ACol, int ARow);
    void AddInterfacedCell(int ACol, int ARow, TObject* AObject);
    TObject* GetInterfacedCell(int ACol, int ARow);
    bool RemoveInterfacedCell(int ACol, int ARow);
    void AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon);
    void RemoveBalloon(int ACol, int ARow);
    bool HasBalloon(int ACol, int ARow);
    bool IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon);
    void AddExpand(int ACol, int ARow, int ExpandedHeight);
    bool RemoveExpand(int ACol, int ARow);
    bool HasExpand(int ACol, int ARow);
    bool ToggleExpand(int ACol, int ARow);
    bool GetExpandState(int ACol, int ARow);
    int GetExpandHeight(int ACol, int ARow, bool Expanded);
    TRect GetExpandButtonRect(int ACol, int ARow);
    // ACol is a display column.
    TRect GetCellGraphicRect(int ACol, int ARow);
    bool IsDataGraphicCell(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    // The cell as an integer (tags removed, trimmed; "" and "-" read 0; $ and 0x hex):
    // EExtGridError "Cell does not contain integer value" for any other text.
    int GetInts(int ACol, int ARow);
    // The cell as a number (formatting removed: thousand separators, currency texts,
    // parentheses for negatives); EExtGridError "Cell does not contain a float value".
    double GetFloats(int ACol, int ARow);
    // Written with the column's float format and the regional decimal separator.
    void SetFloats(int ACol, int ARow, double Value);
    // The cell as a date (the regional short date pattern) or a time of day (the long
    // time pattern); EConvertError for a text that holds none. A date of 0 or before is
    // written as an empty cell unless ShowNullDates.
    TDateTime GetDates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime GetTimes(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    // The same by real row, hidden rows included, on the raw text (tags not removed);
    // SetAllFloats always writes with the grid's FloatFormat.
    int GetAllInts(int ACol, int ARow);
    void SetAllInts(int ACol, int ARow, int Value);
    double GetAllFloats(int ACol, int ARow);
    void SetAllFloats(int ACol, int ARow, double Value);
    // The value of the form control with that ID in the cell's mini-HTML ("" without
    // one); setting rewrites the cell only when the control is there.
    String GetCtrlVal(int ACol, int ARow, const String& ID);
    void SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value);
    // The cell's display text is packed wide text ("|\" first).
    bool IsWideCell(int ACol, int ARow);
    // The four bytes of GetVersionNr joined by "."; writing is ignored.
    String Version() const;
    void SetVersion(const String&) {}
    // Copies the list (clears for none).
    void SetLookupItems(const TStringList* Value);
    // The print layout of each column (width and left offset), filled by printing;
    // EExtGridError "Columns is not in valid range" outside 0..511.
    std::array<int, 512> MaxWidths{}, Indents{};
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;

    // ================================================================ highlight, mark, check and fill
    // (cells/ExtGrid_Highlight.cpp, cells/ExtGrid_Fill.cpp)
    // S with every occurrence of Text (exact case with DoCase) outside S's tags wrapped
    // in "<hi>" ... "</hi>" (MarkText: "<e>" ... "</e>"). An empty Text changes nothing.
    String HilightText(bool DoCase, const String& S, const String& Text);
    String MarkText(bool DoCase, const String& S, const String& Text);
    // S without its "hi" (or "e") tags, "&lt;" and "&gt;" back to "<" and ">".
    String UnHilightText(const String& S);
    String UnMarkText(const String& S);
    // The same on cells: the cell text is escaped for HTML first (its own markup then
    // shows as text until the highlight is removed); only cells where the text occurs
    // (or, removing, that hold the tag) are rewritten. With DoFixed the fixed cells
    // count too. Out-of-range columns and rows are skipped.
    void HilightInCell(bool DoCase, int Col, int Row, const String& HiText);
    void HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
    void HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
    void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnHilightInCell(int Col, int Row);
    void UnHilightInCol(bool DoFixed, int Col);
    void UnHilightInRow(bool DoFixed, int Row);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int Col, int Row, const String& HiText);
    void MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText);
    void MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText);
    void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
    void UnMarkInCell(int Col, int Row);
    void UnMarkInCol(bool DoFixed, int Col);
    void UnMarkInRow(bool DoFixed, int Row);
    void UnMarkInGrid(bool DoFixed);
    // The checker the grid passes edits and checked ranges through (not owned; the grid
    // forgets it when its component is freed).
    TGridCellChecker* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TGridCellChecker* Value);
    // True without a checker; else the cell's unmarked text through the checker, stored,
    // and whether it stayed the same.
    bool CheckCell(int Col, int Row);
    // Every cell of the range (row by row, each visited even after a failure) between
    // the checker's StartCheck and StopCheck; true when every cell stayed the same.
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int Col);
    bool CheckRow(bool DoFixed, int Row);
    bool CheckGrid(bool DoFixed);
    // Fill every cell (with DoFixed) or every scrollable cell, then recalculate the
    // footers: with Txt; with Fmt formatted with the column and the row; with a random
    // integer 0..Rnd-1 (0 when Rnd < 1); with "column:row".
    void TextFill(bool DoFixed, const String& Txt);
    void FormatFill(bool DoFixed, const String& Fmt);
    void RandomFill(bool DoFixed, int Rnd);
    void LinearFill(bool DoFixed);

    // ================================================================ check boxes and radios
    static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
    void RemoveCheckBox(int ACol, int ARow);
    void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
    void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state);
    void RemoveCheckBoxColumn(int ACol);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    // ARow is a real row.
    bool GetCheckBoxState(int ACol, int ARow, bool& state);
    bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& state);
    bool IsChecked(int ACol, int ARow);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
    // ARow is a display row.
    bool SetCheckBoxStateNotify(int ACol, int ARow, bool State);
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheckBoxCell(ACol, ARow, false); }
    virtual bool ToggleCheckBoxCell(int ACol, int ARow, bool UserClick);
    bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
    virtual void FireCheckBoxChange(int ACol, int ARow, bool State);
    void AddRadioButton(int ACol, int ARow, bool State = false);
    void RemoveRadioButton(int ACol, int ARow);
    bool HasRadioButton(int ACol, int ARow);
    void AddRadioButtonColumn(int ACol);
    void RemoveRadioButtonColumn(int ACol);
    bool IsRadioButtonChecked(int ACol, int ARow);
    bool SetRadioButtonState(int ACol, int ARow, bool State);
    void SetRadioButtonColumnIndex(int ACol, int Index);
    int GetRadioButtonColumnIndex(int ACol);
    virtual bool ClickRadioButtonCell(int ACol, int ARow, bool UserClick);
    void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl);
    TStringList* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
    bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
    bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
    TStringList* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    bool AdvanceRadio(int ACol, int ARow, bool UserClick);
    bool IsControlCell(int ACol, int ARow);
    // Per-row selection (disjunct row selection, the row check boxes).
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    // Asked before a row's selection flag changes (Allow false keeps it), told after
    // every write of one.
    std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)> OnRowDisjunctSelect;
    std::function<void(TObject* Sender, int ARow)> OnRowDisjunctSelected;
    void SelectionToRowSelect(bool Clear);

    // ================================================================ hidden columns
    void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int Colindex) const;
    int NumHiddenColumns() const { return FNumHidden; }
    int TotalColCount() override { return ColCount() + FNumHidden; }
    // Display column to real column.
    int RealColIndex(int ACol) const;
    // Real column to display column.
    int DisplColIndex(int ACol) override;
    int RealCol() const { return RealColIndex(Col()); }
    bool IsIgnoredColumn(int ACol) const;
    // Current row, with the row notifications.
    int GetRowEx() const { return Row(); }
    void SetRowEx(int Value);
    void SetTopRowEx(int Value);
    void ScrollInView(int ColIndex, int RowIndex);
    // Display columns and rows.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveRows(int FromIndex, int ToIndex, int Count);
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelHidden; }
    void UpdateEditMode();
    // With the search footer shown: scrolls until the last row lies above its panel.
    void ScrollAboveSearchFooter();
    TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
    void CellControlsUpdate(bool rebuildlist = false);

    // ================================================================ hidden rows
    void HideRow(int Rowindex) { HideRows(Rowindex, Rowindex); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void HideRowList(TIntList* RowList);
    void UnHideRow(int Rowindex);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    void UnHideRowList();
    bool IsHiddenRow(int Rowindex) const;
    bool IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const;
    int NumHiddenRows() const { return int(FGridItems.size()); }
    int TotalRowCount() { return RowCount() + NumHiddenRows(); }
    // Display row to real row.
    int RealRowIndex(int ARow) const;
    // Real row to display row.
    int DisplRowIndex(int ARow) const;
    int RealRow() const { return RealRowIndex(Row()); }
    int FilterLevel() const { return FFilterLevel; }
    void SetFilterLevel(int v) { FFilterLevel = v; }
    const TGridItem* HiddenRowItem(int i) const { return FGridItems.at(size_t(i)).get(); }
    // Display text (raw text) of column i of real row j, hidden or not.
    String GetCellsEx(int i, int j);
    String GetGridCellsEx(int i, int j);
    // ================================================================ filtering (filter/ExtGrid_Filter.cpp)
    // Switching on applies Filter as a new level (rows that fail it are hidden);
    // switching off brings back the rows of the newest level.
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    // Hides every scrollable row that fails Filter, as one new level.
    void ApplyFilter();
    // Hides real row ARow when it fails Filter.
    void FilterRow(int ARow);
    // Whether display row ARow passes Filter (OnCustomFilter has the last word).
    virtual bool MatchFilterRow(int ARow);
    // Brings back the rows of the newest level; true when a level remains.
    bool RemoveLastFilter();
    void RemoveAllFilters();
    // Narrows the rows to those holding ACondition in column AColumn (anywhere in the
    // row for -1): one character more narrows further, one less undoes a step, anything
    // else filters afresh.
    void NarrowDown(const String& ACondition, int AColumn = -1);
    // The picks of the drop-down: entry ItemIndex of the single-choice list, the ticks
    // of the check list.
    virtual void HandleFilterSelect(int ItemIndex);
    virtual void HandleFilterCheck();
    // The fixed row whose cells carry the drop-down button (only rows above FixedRows).
    int FilterDropDownRow() const { return FFilterDropDownRow; }
    void SetFilterDropDownRow(int Value);
    // Opens the drop-down of display cell (ACol, ARow) under its button; false when the
    // column has no filter list.
    bool ShowFilterDropDown(int ACol, int ARow);
    void HideFilterDropDown();
    // The point lies on the drop-down button of a header cell with a filter list.
    bool IsOnFilterButton(int X, int Y, int& ACol, int& ARow);
    // The real column whose drop-down is open, -1 when none is.
    int FilterColumn() const { return FFilterCol; }
    TDropList* DropList() const { return FDropList; }
    TDropCheckList* DropCheckList() const { return FDropCheckList; }
    // A check list (several values joined by or) instead of the single-choice list.
    bool FilterDropDownCheck = false;
    std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName, String& FilterCondition)>
        OnFilterSelect;
    std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName, String& FilterCondition,
                       TCheckListBox* CheckList)>
        OnFilterCheck;
    std::function<void(TObject* Sender, int ARow, bool& AcceptRow)> OnCustomFilter;
    std::function<void(TObject* Sender, int Progress)> OnFilterProgress;

    // Takes Count display rows at ARow out of the grid (the hidden-row store stays).
    void RemoveDisplayRows(int ARow, int Count, bool DeleteControls);
    // Inserts Count empty display rows at ARow.
    void InsertDisplayRows(int ARow, int Count);
    void HideInplaceEdit();
    // Frees the records (unless ClearTextOnly) and empties the texts of a rectangle.
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);

    // ================================================================ find, replace and the search footer
    // (grid/search/). Columns are display columns, rows display rows, unless the options
    // include the hidden columns (real columns) or the hidden rows (real rows).
    // From the cell after StartCell ((-1, -1): from the range's first cell); (-1, -1)
    // when nothing matches. A start on the range's last cell goes round to its first.
    TPoint Find(TPoint StartCell, const String& s, TFindParams FindParams);
    // The same on the cells' wide texts, without the scrolling step of fnAutoGoto.
    TPoint FindWide(TPoint StartCell, const std::u16string& s, TFindParams FindParams);
    TPoint FindFirst(const String& s, TFindParams FindParams);
    // Goes on from the last found cell with the last text and options.
    TPoint FindNext();
    // Replaces OrigStr by NewStr in every cell the options find (each cell once, without
    // regard to case unless fnMatchCase); the number of cells changed.
    int Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams);
    // The first cell (display column, row by row) whose stored text is SubStr exactly.
    bool IsCell(const String& SubStr, int& ACol, int& ARow);
    // The column and row of fnFindInPresetCol and fnFindInPresetRow.
    int FindCol = 0, FindRow = 0;
    // Set while a find runs; cleared when one ends without a find.
    bool FindBusy() const { return FFindBusy; }
    const String& IncrSearchText() const { return SearchInc; }
    TPoint SearchCell() const { return FSearchCell; }
    TFindParams FindParams() const { return FFindParams; }
    // The search footer's actions (its edit, buttons and keys).
    void SearchFooterEditChange();
    void SearchFooterFindNext();
    void SearchFooterFindPrevious();
    void SearchFooterHighlight();
    void SearchFooterClose();
    // The footer settings changed: the panel takes them and is laid out again.
    void SearchFooterChange();
    std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)> OnSearchEditChange;
    TNotifyEvent OnSearchFooterClose;
    // Once, when the footer panel is first laid out on a grid placed in a window.
    TNotifyEvent OnCreatedSearchFooter;

    // ================================================================ node rows and grouping
    // (grid/group/ExtGrid_Nodes.cpp, ExtGrid_NodePaint.cpp, ExtGrid_Grouping.cpp)
    // A node row carries a ctNode object in column 0 and heads the rows of its span
    // (itself included; span 0: up to the next node row); contracting it hides the
    // rest of its span. Every node adds 1 to the NodeLevel (column 0's record) of each
    // row of its span. AddNode, RemoveNode, ExpandNode, ContractNode, InsertChildRow,
    // RemoveChildRow, InsertNormalRow, RemoveNormalRow and AddSummary take real rows;
    // the queries and SetNodeState take display rows.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    bool IsNode(int ARow);
    bool IsSummary(int ARow);
    // True while contracted; false for a row that is no node.
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Value);
    // NodeLevel of a node row; -1 for any other row.
    int GetNodeLevel(int ARow);
    // -1 for a row that is no node.
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    void UpdateNodeSpan(int ARow, int Delta);
    // Header rows among the node's rows (the group count is span - this - 1).
    int GetSubNodeCount(int ARow);
    void UpdateSubNodeCount(int ARow, int Delta);
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ExpandAll();
    void ContractAll();
    // The node heading a row: a node without parent gives itself, another row -1.
    int GetParentRow(int ARow);
    void InsertChildRow(int ARow, int InsertAt);
    void RemoveChildRow(int ARow);
    void InsertNormalRow(int ARow);
    void RemoveNormalRow(int ARow);
    // Tree-line shape: 0 node, 1 last row of a block, 2 more rows of the block below.
    int GetNodeSpanType(int ARow);
    void AddSummary(int ARow);
    // X (from column 0's left edge) lies on the row's expand / contract glyph.
    bool IsInNodeGlyph(int ARow, int X);
    // What a click on the glyph does: the before-event may refuse, then the node
    // expands (contracts) and the after-event follows (ARow display).
    void ToggleNodeByUser(int ARow);
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(TObject* Sender, int ARow, int ARowReal)> OnContractNode;

    // Grouping by the values of a column: a header node above each run of equal values,
    // optional summary rows, the grouped column taken out of the grid.
    virtual void Group(int Colindex);
    virtual void UnGroup();
    virtual void SubGroup(int Colindex);
    virtual void SubUnGroup(int Colindex);
    // -1 when not grouped. Setting -1 ungroups, a column above 0 groups, 0 does nothing.
    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int Value);
    bool IsGrouping() const { return FIsGrouping; }
    // Aggregates of real column Colindex over each expanded group's data rows, written
    // into its summary row (with Grouping.Summary) or its header row.
    void GroupSum(int Colindex);
    void GroupAvg(int Colindex);
    void GroupMin(int Colindex);
    void GroupMax(int Colindex);
    void GroupCount(int Colindex);
    void GroupCustomCalc(int Colindex);
    void GroupDistinct(int Colindex);
    void GroupStdDev(int Colindex);
    // method 1 sum, 2 average, 3 minimum, 4 maximum, 5 count, 6 OnGroupCalc, 7 distinct
    // values, 8 standard deviation.
    void GroupCalc(int ACol, int method);

    // Rows and columns inserted and removed with their side data (grid/cells/ExtGrid_InsertRemove.cpp):
    // display rows; real columns.
    virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls = true);
    virtual void RemoveRows(int RowIndex, int RCount);
    virtual void InsertCols(int ColIndex, int CCount);
    virtual void RemoveCols(int ColIndex, int CCount);
    // Whether the range lies in the grid (an insert may append at RowCount); an
    // operation given a range outside it changes nothing.
    bool CanInsertRows(int RowIndex, int RCount) const;
    bool CanRemoveRows(int RowIndex, int RCount) const;
    // Structural and bulk changes (grid/cells/ExtGrid_RowColOps.cpp); display rows, real
    // columns unless said otherwise.
    // A new last row; with the floating footer shown it goes above the footer row.
    void AddRow();
    // A new column after the last real column.
    void AddColumn();
    // Removal without the row flags and cell controls (rows below move up).
    virtual void RemoveRowsEx(int RowIndex, int RCount);
    virtual void DeleteRows(int RowIndex, int RCount);
    // Rows whose check box in CheckBoxColumn is ticked (RemoveChecked) or not ticked.
    void RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked);
    // Rows whose text in display column ACol equals, without regard to case, that of
    // an earlier row.
    void RemoveDuplicates(int ACol, bool DoCase);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void RemoveSelectedCols();
    void RemoveUnSelectedCols();
    void ClearRows(int RowIndex, int RCount);
    void ClearCols(int ColIndex, int CCount);
    void ClearNormalRows(int RowIndex, int RCount);
    void ClearNormalCols(int ColIndex, int CCount);
    void ClearNormalCells();
    void ClearSelection();
    // Every cell, hidden columns included (they stay hidden), the nodes and the typed
    // incremental search text.
    void Clear();
    // Clear, then the stored cells of hidden rows.
    void ClearAll();
    // Cell texts without leading and trailing blanks and control characters.
    virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void TrimColumn(int ACol);
    void TrimRow(int ARow);
    void TrimAll();
    void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
    // Exchanges text and cell record of two stored cells (X column, Y row).
    void SwapCells(TPoint FromCell, TPoint ToCell);
    void SplitRowCells(int RowIndex);
    void MergeRowCells(int RowIndex, bool MainMerge);
    void SplitAllCells();
    // Column ColIndex1 := trimmed (ColIndex1 + Separator + ColIndex2), then ColIndex2 goes.
    void MergeCols(int ColIndex1, int ColIndex2, const String& Separator);
    // After MergedColumns changed: every column split, the listed ones merged again.
    void ApplyMergedColumns();

protected:
    // Shows the rows of a contracted node (ARow real) without the ExpandOne rule.
    void ExpandNodeRows(int ARow);
    // The rows a node at display row ARow covers on the display now.
    int NodeDisplaySpan(int ARow);
    // A press on column 0 of a grid with nodes; true when it was taken.
    bool NodeMouseDown(int ACol, int ARow, TShiftState Shift, int X, int Y);
    // Left and Right on a node row whose current cell is merged; true when taken.
    bool NodeKeyDown(WORD Key);
    // The release of a press on an open group header outside column 0 selects the
    // group's rows (Grouping.AutoSelectGroup with disjunct row selection).
    void GroupHeaderReleased(int ACol, int ARow);
    // After the box of (ACol real, ARow display) was toggled to Now (Grouping.AutoCheckGroup):
    // a node's rows take its state, a row's node shows whether its rows agree.
    void AutoCheckGroupToggled(int ACol, int ARow, bool Now);
    void DrawNodeGlyph(TCanvas* ACanvas, int ARow, TRect R, bool Selected);
    void DrawNodeTreeLines(TCanvas* ACanvas, int ARow, TRect R);
    void ApplyGroupRowColors(int ARow, bool Header);
    int FGroupColumn = -1;
    String FGroupCaption, FGroupFooter;
    int FGroupWidth = 0;
    bool FIsGrouping = false;
    // While grouped: for each real row, the row it was before Group (-1 for the header
    // and summary rows and rows added since), kept in step by the row exchanges,
    // insertions and removals, so that UnGroup can bring back the order before grouping.
    std::vector<int> FGroupOrigin;
    bool FGroupOriginKept = false;
    // The records of the grouped column's cells while it is out of the grid, by the row
    // each stood in before Group; UnGroup gives them back to their rows.
    std::vector<TObject*> FGroupColumnRecords;
    void FreeGroupColumnRecords();
    void GroupOriginSwap(int ARow1, int ARow2);
    // The real row of each display row while a sort runs in a grouped grid with hidden
    // rows (empty otherwise): the exchanges need not look each one up.
    std::vector<int> FGroupRealRows;
    void GroupOriginBeginSort();
    void GroupOriginInsert(int ARealRow, int Count);
    void GroupOriginRemove(int ARealRow, int Count);
    // The rows put back into the order they had before Group; rows added since follow
    // the row above them.
    void RestoreGroupOrigin();

public:

    // ================================================================ look
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    static String LookToString(TGridLook Value, const String& Current = String());
    static String LookDisplayName(TGridLook Value);
    virtual void SetStyle(TExtGridStyle AStyle);
    void SetPickerStyles(TWYXStyle Style);
    void SetColorTones(const TColorTones& ATones) override;
    void SetComponentStyle(TWYXStyle AStyle) override;
    TWYXStyle ComponentStyle() const { return FStyle; }
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool v);
    bool URLShowInText() const { return FURLShowInText; }
    void SetURLShowInText(bool v);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool v);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor v);
    TImageList* GridImages() const { return FGridImages; }
    void SetGridImages(TImageList* v) { FGridImages = v; }
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType v);
    void CreateScrollControls();
    void FreeScrollControls();
    TScrollControl* ScrollControl(int Direction) const { return Direction == 0 ? FVScrollCtrl : FHScrollCtrl; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    virtual void FireCanAddRow(bool& CanAdd);
    virtual void FireCanInsertRow(int ARow, bool& CanInsert);
    virtual bool FireRatingChange(int ACol, int ARow, double& NewRate);
    virtual void FireColorSelect(TColor Color, const String& Value);
    virtual void FireImageSelect(int Index);
    void UpdateFooter() {}

    // ================================================================ display text, column sizes, order
    // The text a cell shows (ACol real): the stored text, numbers formatted when
    // OnGetFloatFormat asks for it.
    virtual String GetFormattedCell(int ACol, int ARow);
    // The format for floating point values written into column ACol (real).
    virtual String GetColumnFloatFormat(int ACol);
    // A width the user (automatic sizing) gave display column ACol, before it applies.
    virtual void FireUpdateColumnSize(int ACol, int& AWidth);
    virtual void FireUpdateAutoColumnSize(int ACol, int& AWidth);
    // Width of real column i; a hidden column keeps the width it had and takes a new
    // one when it is shown again.
    int GetAllColWidths(int i);
    void SetAllColWidths(int i, int Value);
    // Shows the hidden columns and brings the columns back to the recorded order.
    void ResetColumnOrder();
    // Columns at the right that are fixed.
    int FixedRightCols = 0;
    TGetFloatFormatEvent OnGetFloatFormat;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndColumnSizeEvent OnEndRowSize;

    // ================================================================ dimensions and headers
    // With FixedRowAlways (FixedColAlways) a grid without other rows (columns) keeps
    // reporting one fixed row (column); the count asked for comes back with the rows.
    int FixedRows() const;
    void SetFixedRows(int Value);
    int FixedCols() const;
    void SetFixedCols(int Value);
    int FixedColWidth() { return ColCount() > 0 ? ColWidths(0) : 0; }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return FFixedRowHeight; }
    void SetDefaultRowHeight(int Value);
    bool WordWrap() const { return FWordWrapEx; }
    void SetWordWrap(bool Value);
    void SetFixedFont(const TFont* Value) { FFixedFont->Assign(*Value); }
    void SetColumnHeaders(const TStringList* Value);
    void SetRowHeaders(const TStringList* Value);
    void ClearColumnHeaders();
    void ClearRowHeaders();
    // The current column; a synchronised grid with SelectionColumn follows.
    void SetCol(int Value);
    virtual void IncRowCount() { SetRowCount(RowCount() + 1); }
    // The text editor of the text kinds, nullptr before the first edit.
    TInplaceEdit* NormalEdit() const { return InplaceEditor(); }

    // ================================================================ geometry
    // Screen point to cell; -1, -1 outside the cells.
    void ScreenToCell(TPoint pt, int& ACol, int& ARow);
    // Within 3 pixels of a border the mouse may size (header row, fixed column).
    bool IsOnSizingBorder(int X, int Y);
    void UpdateXYOffset(int X, int Y) { XYOffset = TPoint(X, Y); }
    void SetXYOffset(TPoint Value);
    void StretchRightColumn() { ApplyColumnStretch(ColCount() - 1); }

    // ================================================================ scroll bars and drag scrolling
    // Flat and Encarta bars draw flat faces (Encarta raises the part under the mouse),
    // take ScrollColor as their track colour and ScrollWidth as their thickness.
    void SetScrollColor(TColor Value);
    void SetScrollWidth(int Value);
    bool IsFlatScroll() const { return FIsFlat; }
    // On: thumbs with 128 positions and as long as the visible share of the rows
    // (columns); off: the plain bars again.
    void SetScrollProportional(bool Value);
    void UpdateVScrollBar();
    void UpdateHScrollBar();
    bool ScrollHintShowing() const { return FScrollHintShow; }
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWindow; }
    // Something is dragged over the grid (client X, Y): resting inside a margin of
    // DragScrollOptions scrolls the grid that way, first after InitialDelay, then every
    // RepeatDelay.
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // One tick of the drag-scroll timer.
    void DragScrollTimer(TObject* Sender);
    TTimer* DragScrollTimerControl() const { return FDragTmr; }
    TDragScrollDirection DragScrollDirection() const { return FDragScrollDirection; }
    TScrollHintEvent OnScrollHint;
    TDragScrollEvent OnDragScroll;
    TDragOverEvent OnDragOver;
    // The grid was resized and its stretch column took up the new width.
    TNotifyEvent OnGridResize;

    // ================================================================ cell access
    // By real row (hidden rows included).
    void SetCellsEx(int i, int j, const String& Value);
    void SetGridCellsEx(int i, int j, const String& Value);
    std::u16string GetWideCellsEx(int i, int j);
    void SetWideCellsEx(int i, int j, const std::u16string& Value);
    std::u16string GetWideCells(int i, int j);
    void SetWideCells(int i, int j, const std::u16string& Value);
    std::uintptr_t GetObjectsEx(int i, int j);
    void SetObjectsEx(int i, int j, std::uintptr_t aObject);
    TObject* GetGridObjectEx(int i, int j);
    // By sort order and initial column position.
    int SortedRowIndex(int ARow);
    int UnSortedRowIndex(int ARow);
    String GetUnSortedCell(int i, int j);
    void SetUnSortedCell(int i, int j, const String& Value);
    int ColumnPosition(int ACol);
    int ColumnAtPosition(int ACol);
    String GetOriginalCells(int i, int j);
    void SetOriginalCells(int i, int j, const String& Value);
    // The first real column whose row 0 reads AValue exactly; -1 when none.
    int ColumnByHeader(const String& AValue);
    // The current cell (its merged area's base cell).
    String GetCurrentCell();
    String GetCurrentCellText();
    void SetCurrentCell(const String& Value);
    void SetCurrentEditText(const String& Value);
    TEditorType CurrentEditor() const { return FCurrentEditor; }
    // Per-cell appearance (i real column, j display row); readers do not create records.
    TColor GetColors(int i, int j);
    void SetColors(int i, int j, TColor Value);
    TColor GetColorsTo(int i, int j);
    void SetColorsTo(int i, int j, TColor Value);
    TGradientDirection GetGradientDir(int i, int j);
    void SetGradientDir(int i, int j, TGradientDirection Value);
    bool GetReadOnly(int i, int j);
    void SetReadOnly(int i, int j, bool Value);
    bool GetWordWraps(int i, int j);
    void SetWordWraps(int i, int j, bool Value);
    TColor GetFontColors(int i, int j);
    void SetFontColors(int i, int j, TColor Value);
    TFontStyles GetFontStyles(int i, int j);
    void SetFontStyles(int i, int j, TFontStyles Value);
    String GetFontNames(int i, int j);
    void SetFontNames(int i, int j, const String& Value);
    int GetFontSizes(int i, int j);
    void SetFontSizes(int i, int j, int Value);
    TAlignment GetAlignments(int i, int j);
    void SetAlignments(int i, int j, TAlignment Value);
    void SetCellFont(int i, int j, const TFont* AFont);
    int GetLinesInCell(int i, int j);
    // Every cell of display row i from FixedCols on.
    void SetRowColor(int i, TColor AColor);
    void SetRowColorTo(int i, TColor AColor);
    void SetRowFontColor(int i, TColor AColor);
    TControl* GetCellControls(int i, int j);
    void SetCellControls(int i, int j, TControl* AControl);
    void SetSelection(const TGridRect& Value);
    void SetCursor(TCursor Value);
    void SetWYXGradientFrom(TColor Value);
    void SetWYXGradientTo(TColor Value);
    void SetWYXGradientMirrorFrom(TColor Value);
    void SetWYXGradientMirrorTo(TColor Value);
    void RegisterSelListener(TObject* AListener) { FSelListener = AListener; }
    void UnRegisterSelListener(TObject* AListener) { FSelListener = nullptr; }
    TObject* SelListener() const { return FSelListener; }
    void RegisterNotifier(TObject* ANotifier);
    void UnRegisterNotifier(TObject* ANotifier);

    // ================================================================ painting
    void Paint() override;
    // Font and brush of a cell; ACol decides fixed or not, RCol (real) the record.
    void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                           bool Remap);
    // Low byte the horizontal TAlignment, high byte the TVAlignment (ACol real).
    int GetCellAlignment(int ACol, int ARow);
    // Width (X) and height (Y) of the cell's text as painted (ACol real); SB keeps 17
    // pixels free at the right, VS measures the text wrapped into the cell's width.
    TPoint GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
    // A formula cell's value; the stored text here.
    virtual void GetFormulaResult(int ACol, int ARow, String& Value) { Value = GetCellEx(ACol, ARow); }
    void DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, TCheckBoxState State, bool UseState, TControlStyle Style,
                   bool Grayed, bool Enabled);
    void DrawRadioGroup(TCanvas* ACanvas, TRect R, bool Upward, double Scale, TControlStyle Style, int ARow, int ACol,
                        bool Selected, const TStringList* Items, bool Disabled, bool Horizontal, int SelIndex,
                        int Count);
    // The cell's graphic with its placement and size (nullptr, text too, 0 x 0 without).
    TCellGraphic* GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign, bool& TextToo,
                                     int& Height, int& Width);
    void ShowFocusWindow(TRect R);
    void MoveFocusWindow();
    void HideFocusWindow();
    void DrawSizingColLine(int X);
    void DrawSizingRowLine(int Y);
    bool IsSortIndicatorCell(int ACol, int ARow);
    TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual void CalcCellGraphicSize(int ACol, int ARow, TPoint& Size, int Margin);
    virtual TImageList* GetCellImageList(int ACol, int ARow) { return FGridImages; }
    bool HasNodes() override { return FNumNodes > 0; }
    virtual int GetNodeIndent(int ARow);
    TStringList* GetGridItemStrings(int Idx);
    bool HasCellBorderEvent() const override { return bool(OnGetCellBorder); }
    virtual bool UsesAppStyle() const { return false; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool NoDefaultDraw = false;
    // Line breaks in cell texts start new lines; long single lines end in an ellipsis.
    bool Multilinecells = false;
    bool EnhTextSize = false;
    bool XYOffsetTopLeftOnly = false;
    TColor DisabledFontColorEx() const { return DisabledFontColor; }
    // Fixed-cell gradients of the hovered and the pressed header (the normal ones are
    // WYXGradientFrom .. WYXGradientMirrorTo).
    TColor FWYXGradHoverFrom = clNone, FWYXGradHoverTo = clNone, FWYXGradHoverMirrorFrom = clNone,
           FWYXGradHoverMirrorTo = clNone, FWYXGradHoverBorder = clNone;
    TColor FWYXGradDownFrom = clNone, FWYXGradDownTo = clNone, FWYXGradDownMirrorFrom = clNone,
           FWYXGradDownMirrorTo = clNone, FWYXGradDownBorder = clNone;
    TPaintedEvent OnPainted;
    TCustomCellDrawEvent OnCustomCellBkgDraw;
    TCustomCellDrawEvent OnCustomCellDraw;
    TGetCellGradientEvent OnGetCellGradient;
    TGetCellBorderPropEvent OnGetCellBorderProp;

    // ================================================================ styles and appearance
    void SetTheme(TXPColorScheme Scheme);
    void ThemeAdapt();
    void SetAutoThemeAdapt(bool Value);
    void ApplyVCLStyleColors();
    void SetSelectionColorMixerFactor(int Value);
    void SetShowSelection(bool Value);
    void SetHighlightColor(TColor Value);
    void SetHighlightTextColor(TColor Value);
    void SetVAlignment(TVAlignment Value);
    void SetSpreadSheet(bool Value);
    void SetMaxEditLength(int Value);
    int MaxEditLength() const { return FMaxEditLength; }
    void SetRowIndicator(const TBitmap* Value);
    void SetBackGround(const TBackGround* Value);
    void PaintBorder();
    bool SelectionColorMixer = false;
    bool SelectionRectangle = false;
    bool SelectionResizer = false;
    bool SelectionRTFKeep = false;

    // ================================================================ update lock
    // Painting stops until the outermost EndUpdate; taken only while the grid is
    // visible, released also when the grid was hidden meanwhile.
    void StartUpdate() { ++FUpdateCount; }
    void ResetUpdate() { FUpdateCount = 0; }
    bool LockUpdate() const { return FUpdateCount > 0; }
    void SetLockUpdate(bool Value);
    void ResetFixedCellHighlight();
    // Paint requests that arrived while updates were locked.
    int SkippedPaints() const { return FSkippedPaints; }

    // ================================================================ settings objects
    TSearchPanel* SearchPanel() const { return FSearchPanel; }
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
    TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TBands* Bands() const { return FBands.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TGrouping* Grouping() const { return FGrouping.get(); }
    TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
    THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    TStringList* RowHeaders() const { return FRowHeaders.get(); }
    TStringList* LookupItems() const { return FLookupItems.get(); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
    TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
    TFilter* Filter() const { return FFilter.get(); }
    TBalloonSettings* Balloon() const { return FBalloon.get(); }
    TShowModified* ShowModified() const { return FShowModified.get(); }
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TStringList* FilterList() const { return FFilterList.get(); }
    TControlList* ControlList() const { return FControlList.get(); }
    TIntList* ColumnOrder() const { return FColumnOrder.get(); }
    TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
    // The combo editor of list cells; nullptr while no editor library made one.
    TComboBox* ComboEditor() const { return FCombo; }
    // The combo editor's list, whatever the editor kind of the cell; items compare
    // without case.
    void ClearComboString();
    void AddComboString(const String& s);
    void AddComboStringObject(const String& s, TObject* AObject);
    bool RemoveComboString(const String& s);
    // The item the combo editor takes when the cell's text selects none.
    bool SetComboSelectionString(const String& s);
    void SetComboSelection(int index);
    // OnGetEditorProp and OnGetEditorPropInt fill the list for the cell first (ACol real).
    void SetComboIndex(int ACol, int ARow, int Value);
    int GetComboIndex(int ACol, int ARow);
    int GetComboCount();
    void AskComboItems(int ACol, int ARow);
    // The combo editor under the names the windows read it by.
    TComboBox* Combobox() const { return FCombo; }
    TComboBox* UniCombo() const { return FCombo; }
    TArrowWindow* ArrowWindow(int Direction) const { return FArrows[Direction]; }
    // The colour of the arrows shown while a column or row is moved: read from the up
    // arrow, written to all four.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    bool TimerStarted() const { return FGridTimerID != 0; }
    int WheelScrollLines() const { return FWheelScrollLines; }
    unsigned WheelMessage() const { return FWheelMsg; }

    // ================================================================ plain properties
    TColor SelectionColor = 0xEACAB6;
    TColor SelectionColorTo = clNone;
    TColor SelectionMirrorColor = clNone;
    TColor SelectionMirrorColorTo = clNone;
    TColor SelectionTextColor = clBlack;
    int SelectionColorMixerFactor = 50;
    bool ShowSelection = true;
    TColor HintColor = clInfoBk;
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    TColor ActiveCellColor = clGray;
    TColor ActiveCellColorTo = clNone;
    bool ActiveCellShow = false;
    TColor DisabledFontColor = clSilver;
    TColor WYXGradientFrom = clWhite;
    TColor WYXGradientTo = clNone;
    TColor WYXGradientMirrorFrom = clNone;
    TColor WYXGradientMirrorTo = clNone;
    TColor ScrollColor = clNone;
    int ScrollWidth = 17;
    String FloatFormat = "%.2f";
    String CheckTrue = "Y";
    String CheckFalse = "N";
    char PasswordChar = '*';
    String XMLEncoding = "ISO-8859-1";
    String FilterDropDownClear = "(All)";
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;
    bool FilterDropDownAuto = false;
    bool FilterIncremental = false;
    bool FilterNormalCellsOnly = true;
    bool AutoFilterUpdate = true;
    char Delimiter = '\0';
    bool JavaCSV = false;
    bool QuoteEmptyCells = true;
    bool AlwaysQuotes = false;
    bool SaveFixedCells = true, SaveFixedRows = false, SaveFixedCols = false, SaveHiddenCells = false,
         SaveVirtCells = true, SaveWithHTML = true, LoadFirstRow = true;
    bool ExcelClipboardFormat = false;
    bool ClearTextOnly = false;
    bool EnableHTML = true, EnableWheel = true, IntelliZoom = true;
    bool HideFocusRect = false, FixedAsButtons = false;
    bool ShowDesignHelper = true, EnhRowColMove = true, FitCellsInGrid = true, UseInternalHintClass = true,
         UseDisabledFont = true, ShowNullDates = false;
    TEditorType DefaultEditor = edNormal;
    TAlignment DefaultAlignment = taLeftJustify;
    TVAlignment VAlignment = vtaTop;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    String InvalidEntryTitle;
    String InvalidEntryText;
    THintShowLargeTextPos HintShowLargeTextPos = hpCell;
    THoverFixedCells HoverFixedCells = hfNone;
    TPoint XYOffset = TPoint(2, 2);
    int MinRowHeight = 0, MaxRowHeight = 0, MinColWidth = 0, MaxColWidth = 0;
    bool SizeGrowOnly = false;
    int ZoomFactor = 0;
    int PreviewPage = 1, PrintPageTo = 1, PrintNrOfPages = 0;
    bool PrinterDriverFix = false;
    TColor SelectionRectangleColor = clBlack;
    String EditMask;
    bool FixedRowAlways = false, FixedColAlways = false;
    int FixedFooters = 0;
    bool AutoSize = false;
    bool AutoThemeAdapt = false;
    bool SizeWithForm = false;
    bool AutoNumAlign = false;
    bool AnchorHint = false;
    bool ScrollProportional = false, ScrollSynch = false;
    TScrollHintType ScrollHints = shNone;
    bool EnableBlink = false, Hovering = false;
    TPictureContainer* PictureContainer = nullptr;

    // ================================================================ events
    TCanEditCellEvent OnCanEditCell;
    TSearchFooterActionEvent OnSearchFooterAction;
    TButtonClickEvent OnButtonClick;
    TExpandClickEvent OnExpandClick;
    TRowColEvent OnComboCloseUp;
    TRowColEvent OnComboDropDown;
    TGetCellCursorEvent OnGetCellCursor;
    TGridHintEvent OnGridHint;
    TGridWideHintEvent OnGridWideHint;
    TGetCellColorEvent OnGetCellColor;
    TGetCellColorEvent OnGetCellPrintColor;
    TGetCellBorderEvent OnGetCellBorder;
    TGetCellBorderEvent OnGetCellPrintBorder;
    TGetAlignmentEvent OnGetAlignment;
    TGetFormatEvent OnGetFormat;
    TGetEditorTypeEvent OnGetEditorType;
    TRowColBoolEvent OnIsFixedCell;
    TRowColBoolEvent OnIsPasswordCell;
    TColRowBoolEvent OnGetWordWrap;
    TColRowBoolEvent OnHasComboBox;
    TColRowBoolEvent OnHasSpinEdit;
    TGetCheckTextEvent OnGetCheckTrue;
    TGetCheckTextEvent OnGetCheckFalse;
    TGetColumnFilterEvent OnGetColumnFilter;
    TUnitChangedCellEvent OnUnitChanged;
    TCheckBoxChangeEvent OnCheckBoxChange;
    TRowUpdateEvent OnRowUpdate;
    TCanAddRowEvent OnCanAddRow;
    TCanInsertRowEvent OnCanInsertRow;
    TRatingChangeEvent OnRatingChange;
    TColorSelectEvent OnColorSelect;
    TImageSelectEvent OnImageSelect;

    // The focus-cell window of the grid named here follows its cell.
    static TExtStringGrid* FocusWindowGrid;

    void WndProc(TMessage& msg) override;

protected:
    void ReleaseGraphicObject(TObject* AObject) override;
    TInplaceEdit* CreateEditor() override;
    String GetEditMask(int ACol, int ARow) override;
    // The editors' length limit: MaxEditLength.
    int GetEditLimit() override { return FMaxEditLength; }
    void Resize() override;
    virtual void HandleCreateWnd();
    virtual void HandleWMTimer();
    // The scroll bar messages: proportional thumbs, scroll hints, scroll synch.
    void WMHScroll(TMessage& msg);
    void WMVScroll(TMessage& msg);
    void ScrollBarsUpdated() override;
    void ShowScrollHint(bool Vertical, int ARowCol);
    void HideScrollHint();
    // Bar style, track colour and thickness from ScrollType, ScrollColor, ScrollWidth.
    void ApplyScrollLook();
    // The row (column) a thumb position stands for.
    int ThumbToCell(bool Vertical, int Pos);
    void FreeDragTimer();
    // Grid timer: the cell under the mouse becomes current (Hovering).
    void HoverSelect();
    // After column widths (row heights) changed: stretching, sizing all columns in
    // proportion, the end-of-sizing event and the size limits.
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    // ---- steps of the cell painter ----
    // Text, background picture, selection rectangle and sort indicator of one cell (ACol
    // real); TextWidth gives the width of the drawn text for the graphic's placement.
    void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState, TCellGraphic* AGraphic,
                      int GraphicWidth, int GraphicHeight, int& TextWidth);
    // Draws mini-HTML cell text with the grid's pictures, link colour and blink phase;
    // TextWidth is the widest rendered line + 2.
    // AHoverLink: the anchor under the mouse (from 1), -1 none.
    void DrawHTMLCellText(TCanvas* ACanvas, const String& AText, TRect R, bool AWordWrap, TColor AURLColor,
                          bool ASelected, int AHoverLink, int& TextWidth);
    void DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R);
    void DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect R, TCellGraphic* AGraphic, TVAlignment TextVAlign,
                         TAlignment TextHAlign, int TextWidth, int GraphicWidth, int GraphicHeight, bool Enabled,
                         bool Selected);
    void PaintBackgroundArea();
    void DrawCellBackgroundGradient(TCanvas* ACanvas, TRect R);
    void DrawCellBackgroundBitmap(TCanvas* ACanvas, int ACol, int ARow, TRect R);
    bool IsCellShownSelected(int ACol, int ARow, TGridDrawState AState);
    // Column and row moves of the base grid (display indexes).
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    // Notifications of the settings objects (empty here; the column grid answers some).
    virtual void NavigationChanged(TObject* Sender) {}
    virtual void MouseActionsChanged(TObject* Sender, int Value) {}
    virtual void ColumnHeadersChanged(TObject* Sender) {}
    void ShowColumnHeaders();
    void ShowRowHeaders();
    void HandleFormResize(TObject* Sender);
    // Copies a display row (every real column, with records) into a store item.
    void CopyRowToItem(int DisplayRow, TGridItem* Item);
    void CopyItemToRow(TGridItem* Item, int DisplayRow);
    void RepaintCol(int ACol);
    void SetColumnOrder();
    void InitOrigColSizes();
    void RegisterUndo(int ACol, int ARow, const String& Before);
    // ---- undo of clipboard operations ----
    struct TCellChange {
        int Col;   // real column
        int Row;
        String OldValue, NewValue;
    };
    using TCellChanges = std::vector<TCellChange>;
    // Hands the changes of one user action to the linked history, bracketed as one
    // sequence when AsSequence.
    void RegisterUndoChanges(const TCellChanges& Changes, bool AsSequence);

    // ---- hidden columns ----
    static constexpr int MaxColumnMap = 513;
    bool FVisibleCol[MaxColumnMap];
    std::int16_t FAllColWidths[MaxColumnMap] = {};
    int FNumHidden = 0;
    TGridRect FOldSelection;
    bool FSelHidden = false;
    int FOldRowSel = -1;
    // ---- hidden rows ----
    std::vector<std::unique_ptr<TGridItem>> FGridItems;
    int FFilterLevel = 0;
    int FNumNodes = 0;
    // ---- filtering ----
    bool FFilterActive = false;
    int FFilterDropDownRow = 0;
    int FFilterFixedRows = 0;
    int FFilterCol = -1;
    String FLastFilter;
    // The text of display row ARow a condition tests, trimmed and unpacked.
    String FilterText(const TFilterData* Item, int ARow);
    // Header cell (RCol real, ARow) carries the drop-down button; the painter draws it.
    bool HasFilterButton(int RCol, int ARow);
    void DrawFilterButton(TCanvas* ACanvas, int RCol, const TRect& R);
    // A release of the mouse opens the drop-down on a button and closes it elsewhere;
    // true when it opened.
    bool FilterButtonMouseUp(int X, int Y);
    // ---- state ----
    int FMaxRowCount = 0;
    int FMaxColCount = 0;
    int FMinFixedRows = 1, FMinFixedCols = 1;
    int FUpdateCount = 0;
    bool FEditChange = false;
    bool FLoaded = false;
    bool FLoading = false;
    bool FEditDisabled = false;
    TGridLook FLook = glXP;
    TWYXStyle FStyle = tsWindowsXP;
    TColorTones FColorTones;
    TOfficeTheme FOfficeTheme = otUnknown;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FBorderColor = 0xB99D7F;
    bool FIntegralHeight = false;
    TScrollBarAlways FScrollBarAlways = saNone;
    TScrollType FScrollType = ssNormal;
    bool FURLShow = false, FURLShowInText = false, FURLFull = false;
    TColor FURLColor = clBlue;
    TImageList* FGridImages = nullptr;
    bool FIsWinXP = true, FIsWin7 = true, FIsVista = true, FIsThemed = true;
    std::uintptr_t FGridTimerID = 0;
    int FTimerCount = 0;
    unsigned FWheelMsg = 0;
    int FWheelScrollLines = 0;
    bool FWheelPan = false;
    bool FWndCreated = false;
    TNotifyEvent FOldFormResize;
    bool FHasOldFormResize = false;
    TForm* FOwnerForm = nullptr;
    int FOldFormWidth = 0, FOldFormHeight = 0;
    TCursor FOldCursor = crDefault;
    // ---- dimensions, painting, update lock ----
    int FFixedRowHeight = 22;
    bool FWordWrapEx = true;
    bool FFlat = false;
    int FMaxEditLength = 0;
    unsigned FVAlign = 0;          // DT_ flag of VAlignment
    int FSkippedPaints = 0;
    TEditorType FCurrentEditor = edNormal;
    TObject* FSelListener = nullptr;
    bool FIsColChanging = false;
    bool ColchgFlg = true;
    // ---- scroll bars, drag scrolling, size synch, grid timer ----
    bool FIsFlat = false;            // flat (or Encarta) bars are drawn
    bool FScrollLock = false;        // proportional updates suspended
    bool FInScrollUpdate = false;    // a proportional update is being applied
    bool FPropVert = false, FPropHorz = false;   // the bars show proportional thumbs now
    bool FScrollHintShow = false;
    TTimer* FDragTmr = nullptr;      // owned and freed by the grid
    TTimer* FDragTmrRetired = nullptr;   // stopped by its own tick, freed later
    bool FInDragTick = false;
    TDragScrollDirection FDragScrollDirection;
    int FOldSize = 0;                // the width FOrigColSizes belong to
    bool FDisableSize = false;
    int FTimerTicks = 0;
    // The incremental search text the keyboard code types into, and its age in timer
    // ticks (typing resets it).
    String SearchInc;
    int SearchTics = 0;
    // The find engine's state: the last options and text, the last found cell.
    TPoint FindCells(TPoint StartCell, const String& s, TFindParams FindParams, bool Wide, bool Wrap);
    TFindParams FFindParams;
    String SearchCache;
    std::u16string SearchCacheWide;
    TPoint FSearchCell{-1, -1};
    bool FFindBusy = false;
    bool FSearchFooterCreated = false;
    // What the mouse sizing leaves for the width handling (set by the mouse code).
    bool ColSized = false, Rowsized = false;
    int Colclicked = -1, Rowclicked = -1, Colclickedsize = 0, Rowclickedsize = 0;
    // The hovered fixed cell and whether its drop-down button is down (mouse code).
    int FHoverFixedCol = -1, FHoverFixedRow = -1;
    bool FFixedDropDownDown = false;
    bool FMouseDownState = false;
    bool FColMovingState = false;
    int FMovingCol = -1;
    bool FGridBlink = false;
    std::vector<bool> FRowSelect;
    std::vector<bool> FColSelect;

    // ---- sub-objects, in creation order ----
    TFooterPanel* FFooterPanel = nullptr;
    TSearchPanel* FSearchPanel = nullptr;
    std::unique_ptr<TFont> FCellFont;
    std::unique_ptr<TFocusHelper> FFocusHelper;
    std::unique_ptr<TSearchFooter> FSearchFooter;
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TPrintSettings> FPrintSettings;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    std::unique_ptr<TSortSettings> FSortSettings;
    std::unique_ptr<TDragDropSettings> FDragDropSettings;
    std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TGrouping> FGrouping;
    std::unique_ptr<TStringList> FColumnHeaders;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    std::unique_ptr<TIntList> FOrigColSizes;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    std::unique_ptr<TStringList> FRowHeaders;
    std::unique_ptr<TStringList> FSortList;
    std::unique_ptr<TStringList> FLookupItems;
    TGridCellChecker* FCellChecker = nullptr;
    TComponent* FCellCheckerComponent = nullptr;
    std::unique_ptr<TSortIndexList> FSortIndexes;
    std::unique_ptr<TIntList> FSortCross, FUnsortCross, FMergedColumns, FSelectedCells, FSelectedRows,
        FModifiedRows, FEnabledRows;
    std::unique_ptr<TBitmap> FRowIndicator;
    std::unique_ptr<TBackGround> FBackGround;
    THTMLHintWindow* FScrollHintWindow = nullptr;
    std::unique_ptr<TControlList> FControlList;
    std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
    std::unique_ptr<TSyncGrid> FSyncGrid;
    std::unique_ptr<TFilter> FFilter;
    std::unique_ptr<TBalloonSettings> FBalloon;
    std::unique_ptr<TShowModified> FShowModified;
    std::vector<TObject*> FNotifierList;
    std::unique_ptr<TIntList> FColumnOrder;
    std::unique_ptr<TCellGraphic> FCellGraphic;   // shared by the virtual and row check boxes
    std::unique_ptr<TIntList> FIgnoreColumns;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr;
    TDropCheckList* FDropCheckList = nullptr;
    std::unique_ptr<TStringList> FFilterList;
    // ---- run-time children ----
    TGridFocusWindow* FFocusWindow = nullptr;
    TArrowWindow* FArrows[4] = {};
    // The combo editor's list (one of the editor slots).
    TComboBox* FCombo = nullptr;
    THeaderDragButton* FHeaderDragButton = nullptr;
    TScrollBar* FVertScrollBar = nullptr;
    TScrollBar* FHorzScrollBar = nullptr;
    TScrollControl* FVScrollCtrl = nullptr;
    TScrollControl* FHScrollCtrl = nullptr;
    // The editor controls the editor library made for this grid, at its construction or
    // on first use, in the library's own slots; the grid frees them in slot order.
    static constexpr int EditorSlotCount = 32;
    TControl* FEditorSlots[EditorSlotCount] = {};

    // ================================================================ editing in place, keys, mouse
    // (ExtGrid_Editing.cpp, ExtGrid_Keys.cpp, ExtGrid_Mouse.cpp, ExtGrid_AutoSize.cpp,
    // ExtGrid_Selection.cpp)
public:
    // Whether the cell (ACol displayed) may be edited now, and its per-cell part.
    bool IsEditable(int ACol, int ARow);
    bool CanEditCell(int ACol, int ARow);
    bool IsPasswordCell(int ACol, int ARow);
    // Opens the editor of the current cell; closes whatever editor is open and stores it.
    void ShowInplaceEdit();
    // Sends the grid an F2 key-down; the special editor of the current cell is read back.
    void ShowCellEdit();
    void HideCellEdit() { HideCellEditor(Col(), Row()); }
    // Called by the editors when a key ends the edit.
    void DoneInplaceEdit(WORD Key, TShiftState Shift);
    // Validates and stores the text of the edited cell; false when OnCellValidate refused.
    virtual bool ValidateCell(const String& NewValue);
    // The same for a wide-text cell: OnCellValidateWide decides, the value is stored
    // through WideCells; nothing is recorded for undo.
    virtual bool ValidateCellWide(const std::u16string& NewValue);
    // The editors keep Tab (and validate on it).
    bool EditorWantsTab() const;
    // The edit-done report: OnEditingDone now, OnEditCellDone when "GridEditDone" arrives.
    void PostEditDone(int ACol, int ARow);
    virtual void StoreEditorValue(int ACol, int ARow, const String& Value);
    virtual void RestoreCellCache();
    void StoreOldCellValue(int ACol, int ARow);
    // Moves on after an edit ended with Enter (only with Navigation.AdvanceOnEnter unless forced).
    void AdvanceToNextCell(int ACol, int ARow, bool ShowEditor, bool Nested, bool Forward, bool AutoEdit, bool Force);
    // Tab and Shift+Tab; false when the key went to the parent.
    bool TabNavigate(bool Backward);
    bool CanTabTo(int ACol, int ARow);
    // Down on the last data row with AppendOnArrowDown adds a row.
    // Adds a row after the data rows when OnCanAddRow allows; true when it did.
    bool AppendRowOnArrowDown();
    // The current row is the last data row.
    bool IsLastDataRow();
    std::function<void(TObject* Sender, int ARow)> OnAutoAddRow;
    std::function<void(TObject* Sender, int ARow)> OnAutoInsertRow;
    std::function<void(TObject* Sender, int ARow)> OnAutoDeleteRow;
    std::function<void(TObject* Sender, int ARow, bool& CanDelete)> OnCanDeleteRow;
    // The clipboard shortcuts (Navigation.AllowClipboardShortCuts): each event may refuse.
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(TObject* Sender, bool& Allow)> OnClipboardPaste;
    // A paste into the text editor (Sender the editor, the current cell): the text may be
    // changed or refused before, and is reported after it went in.
    std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Allow)> OnClipboardBeforePasteCell;
    std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)> OnClipboardAfterPasteCell;
    // The selected cells as clipboard text: a tab between cells, CR LF between rows.
    // Cutting empties the cells that may be edited; pasting fills the cells that may be
    // edited from the selection's top-left cell, as far as the grid reaches.
    void CopySelectionToClipboard();
    void CutSelectionToClipboard();
    void PasteSelectionFromClipboard();
    // Incremental typing: the first scrollable row whose text in the search column
    // (without tags, upper-cased) begins with s, which the caller passes upper-cased;
    // -1 for none.
    int Search(const String& s);
    // The changing events for a move from the current cell to (ACol, ARow).
    virtual void FireCellChanging(int ACol, int ARow, bool& Allow);
    // With fixed rows the cells of the last fixed row in Col1 and Col2, with fixed columns
    // those of the last fixed column in Row1 and Row2 are repainted.
    void RepaintActiveFixedCells(int Col1, int Row1, int Col2, int Row2);
    // Scrolls ARow clear of the floating and the search footer; false when ARow is the
    // footer row itself.
    bool MakeRoomAboveFooters(int ACol, int ARow);
    int FloatingFooterHeight();
    // The height of the floating footer's panel (the strip's Height less one).
    int FloatingFooterStripHeight();
    // Paints cell (ACol displayed, ARow) in the fixed state into R of ACanvas, the last
    // row too while the strip hides it from the cells.
    void PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& R);
    void RepaintMergedCurrentCell();
    // The accelerators of the search footer's find next, find previous and highlight
    // buttons: answered 1 when one of them acted.
    bool HandleCMDialogChar(TMessage& msg);
    // Small notifications, each firing its event.
    virtual void FireClickSort(int ACol);
    virtual void BeforeSelectAllKey(TGridRect& Rect) {}
    virtual void FirePrintGetPageNum(int PageNum, int PageColNum, String& PageNumString);
    virtual void FireScrollCell();
    virtual bool FireCanShowFixedDropDown(int ACol);
    virtual void FireStartBlockFocus();
    virtual void FireEndBlockFocus();
    void MouseActionsIsDesigning(bool& IsDesigning) { IsDesigning = false; }
    void MouseActionsInvalidate() { Invalidate(); }
    void DisableEditing() { SetOptions(Options() >> goEditing); }
    TGridPrintPageNumEvent OnPrintGetPageNum;
    TScrollCellEvent OnScrollCell;
    TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
    TNotifyEvent OnStartBlockFocus, OnEndBlockFocus;
    // The cell that carries an in-cell scroll bar, and that bar.
    int FScrollCol = -1, FScrollRow = -1;
    TScrollBar* FScrollBar = nullptr;
    virtual void FireCheckBoxClick(int ACol, int ARow, bool State);
    // Automatic sizing (ACol displayed).
    void AutoSizeCol(int ACol, int Padding = 0);
    void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
    void AutoSizeColumnWidth(int ACol, bool GrowOnly);
    void AutoSizeRow(int ARow, int Padding = 0);
    void AutoSizeRows(bool DoFixedRows, int Padding = 0);
    void AutoSizeRowHeight(int ARow, bool GrowOnly, int Margin);
    void SizeRowToLines(int ARow, int Lines, int Padding);
    void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
    void AutoFitColumns(bool DoFixedCells);
    void SizeToCols();
    void SizeToRows();
    void SizeToCells();
    int TotalXOffset() const { return XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X; }
    int TotalYOffset() const { return XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y; }
    // The largest line count of the row's texts with Multilinecells, else 1.
    int MaxLinesInRow(int ARow);
    // Row selection: RCount rows from RowIndex, all columns from FixedCols.
    void SelectRows(int RowIndex, int RCount);
    void SelectCols(int ColIndex, int CCount);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow) { SelectRange(FromCol, ToCol, FromRow, ToRow); }
    String SelectedText();
    bool IsSelected(int ACol, int ARow);
    void UnSelectRows(int RowIndex, int RCount);
    void UnSelectCols(int ColIndex, int CCount);
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    void ClearRowSelect();
    void ClearColSelect();
    void SelectionToColSelect(bool DeselectOthers);
    int RowSelectCount();
    int ColSelectCount();
    int SelectedRowCount();
    int SelectedColCount();
    int GetSelectedRow(int i);
    // Disjunct cell selection: cells kept as row * 65536 + column.
    bool GetSelectedCells(int ACol, int ARow);
    void SetSelectedCells(int ACol, int ARow, bool Value);
    int SelectedCellsCount();
    TGridCoord GetSelectedCell(int i);
    void ClearSelectedCells();
    // Rows marked modified and rows disabled.
    int ModifiedRowCount();
    bool GetRowModified(int ARow);
    void SetRowModified(int ARow, bool Value);
    void ClearModifiedRows();
    bool GetRowEnabled(int ARow);
    void SetRowEnabled(int ARow, bool Value);
    void GotoCell(int ACol, int ARow);
    // Focuses the grid, goes to the cell and opens its editor.
    void EditCell(int ACol, int ARow);
    void MoveToCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }
    void RepaintRow(int ARow) { InvalidateRow(ARow); }
    void RepaintRect(const TRect& R);
    bool FUseEnabledRows = false;
    // The process-wide number of the "GridEditDone" message.
    static unsigned GridEditDoneMessage();
    // The note shown under the editor of a refused value (InvalidEntryTitle and
    // InvalidEntryText); nullptr until a refusal needed it.
    THTMLHintWindow* InvalidEntryBalloon() const { return FInvalidBalloon; }

    bool EditMode = false;
    TEditorType EditControl = edNormal;
    TWinControl* EditCtrl = nullptr;
    bool EditActive() const { return FEditActive; }
    bool AlwaysValidate = false;
    bool Modified = false;
    int MaxComboLength = 0;
    bool EditWithTags = false;
    // Typed text is completed from LookupItems; with LookupHistory each edited text joins them.
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    String ValidChars;
    // The characters (codes below 256) edValidChars cells take while ValidChars is empty.
    std::bitset<256> ValidCharSet;

    TClickCellEvent OnClickCell;
    TClickCellEvent OnDblClickCell;
    TClickCellEvent OnRightClickCell;
    TCanClickCellEvent OnCanClickCell;
    TCheckBoxClickEvent OnCheckBoxClick;
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TEditCellDoneEvent OnEditCellDone;
    TNotifyEvent OnEditingDone;
    TCellValidateEvent OnCellValidate;
    TCellValidateWideEvent OnCellValidateWide;
    TComboChangeEvent OnComboChange;
    TEditChangeEvent OnEditChange;
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TRowChangedEvent OnRowChanged;
    TColumnSizeEvent OnColumnSize;

    // ---- editing state, read by the editors ----
    bool FEditing = false;
    bool FValidating = false;
    bool FSpecialEditor = false;
    bool FEditActive = false;
    bool FEntered = false;
    bool FShowEditProcess = false;
    bool FNoEditChange = false;
    bool FBlockKill = false;
    bool FBlockFocus = false;
    bool FForceSel = false;
    bool FLastValidation = true;
    bool FDisableChange = false;
    String FCellCache;
    String FEditText;
    int FOldCol = -1, FOldRow = -1;
    String FOldCellText;
    String FNewCellText;
    std::u16string FOldCellTextWide;
    WideChar FStartEditChar = 0;
    int FComboIdx = -1;
    bool LButFlg = false;
    // Set by an edit link that moves the focus itself; the grid ignores the focus it
    // gets then, once.
    bool InvokedFocusChange = false;

    // ---- the special editors (gridedit, through the editor kinds) ----
    // The edit link of edCustom cells (the column grid hands over the column's).
    TEditLink* EditLink() const { return FEditLink; }
    // The grid hears when the link is destroyed and forgets it (it does not own it).
    void SetEditLink(TEditLink* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

public:
    TEditLink* FEditLink = nullptr;
    // ---- the grid's procedure in front of an in-place edit link's control ----
    // The control's own procedure, kept while the grid's stands in front of it.
    TControl::TWndMethod FGridControlWndProc;
    // With goTabs the control asks for arrows, Tab and characters, so the form takes none
    // of them from it; every other message goes to the control's own procedure.
    void EditLinkControlWndProc(TMessage& Message);
    // Lets OnGetEditorProp and OnGetEditorPropInt adjust the editor of a cell (ACol real).
    virtual void FireGetEditorProp(int ACol, int ARow, TEditLink* AEditLink);
    std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)> OnGetEditorProp;
    TClickCellEvent OnGetEditorPropInt;
    // A date text the application reads itself (ADate starts as now).
    std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)> OnCustomStrToDate;
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, String& Value)> OnColorSelected;
    std::function<void(TObject* Sender, int ACol, int ARow, int& Index)> OnImageSelected;
    TNotifyEvent OnRichEditSelectionChange;
    bool ExcelStyleDecimalSeparator = false;
    // Editing began with a click on the up or down spin button drawn in the cell.
    bool FSpinUpClick = false, FSpinDnClick = false;
    // The date-and-time picker's value when its edit began.
    TDateTime FOriginalDateTime = 0;
    // A special editor stored a value that is not validated yet.
    bool FSpecialValueStored = false;
    // Rich text between cells and a rich edit control.
    void CellToRich(int ACol, int ARow, TMemo* Richeditor);
    String RichToString(TMemo* Richeditor);
    void RichToCell(int ACol, int ARow, TMemo* Richeditor);

protected:
    // The editor library (gridedit) works the editing state of the grid.
    friend class TExtInplaceEdit;
    friend class TGridCombo;
    friend class TEditLink;
    friend struct TGridEditorLibrary;
    // The toolkit's may-show-editor question; special editors are shown here.
    bool CanEditShow() override;
    // The cell-selection check every move of the current cell passes.
    bool SelectCell(int ACol, int ARow) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    void ShowCellEditor(int ACol, int ARow);
    // A point on a merged area of scrollable cells moved 2 pixels inside its base cell's
    // top-left corner, so that what is under it is the base cell; any other point as is.
    TPoint PointOnBaseCell(int X, int Y);
    // The colour an editor over cell (RCol real, ARow) takes: the one the cell is painted
    // with; AFont (filled in by the caller) and AAlign receive the cell's font and
    // alignment.
    TColor CellEditorLook(int RCol, int ARow, TFont* AFont = nullptr, TAlignment* AAlign = nullptr);
    // Exchanges the texts and cell records of two stored cells (real columns).
    void ExchangeCells(int ACol1, int ARow1, int ACol2, int ARow2);
    void HideCellEditor(int ACol, int ARow);
    // Disables and hides an editor; the grid takes the focus when the editor had it.
    void PutAwayEditor(TWinControl* Editor);
    // Switches goEditing on or off for the cell about to become current.
    void UpdateEditingFor(int ACol, int ARow);
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    // Keys that only scroll (Navigation.MoveScrollOnly); true when the key was taken.
    bool ScrollOnlyKey(WORD Key);
    // An arrow key next to fixed cells inside the scrollable area moves over them;
    // true when it landed on a cell that is not fixed.
    bool SkipFixedCellsKey(WORD Key);
    // Up or Down that could not move onto a disabled row goes on to the nearest enabled one.
    void SkipDisabledRowsKey(WORD Key, int FromRow);
    // The character typed outside editing joins the incremental search text.
    void IncrementalSearchKey(WideChar Key);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    // The input messages the grid handles before the toolkit: typed characters and the
    // edit-done report. True when the message was handled.
    bool HandleEditingMessage(TMessage& msg);
    bool CheckBoxClickAt(int ACol, int ARow, int X, int Y);
    static bool IsDefaultEditorKind(TEditorType Kind);
    TPoint FDownPos;
    bool FDblClk = false;
    int FLastTabCol = -1, FLastTabRow = -1;
    THTMLHintWindow* FInvalidBalloon = nullptr;
    void ShowInvalidEntryBalloon();
    void HideInvalidEntryBalloon();

    // ---- hints (ExtGrid_Hints.cpp) and the owner form's resize chain (ExtGrid_OwnerForm.cpp) ----
public:
    // The hint of the cell under Info.CursorPos: comment, own text, large text, then
    // OnGridHint; HintPos in screen coordinates.
    void FillHintInfo(THintInfo& Info);
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    TPoint LastHintPos() const { return FLastHintPos; }
    // The component's version: four bytes from the highest down, and as text with its date.
    virtual int GetVersionNr() const;
    virtual String GetVersionString() const;
    int VersionNr() const { return GetVersionNr(); }
    String VersionString() const { return GetVersionString(); }
    // The toolkit's rescaling of the control by M / D: the grid's font, then the fixed-cell
    // and active-cell fonts (sizes rounded to the nearest point).
    virtual void ScaleFonts(int M, int D);
    // The stored text of a cell (ACol real) without its mini-HTML tags.
    String GetStrippedCell(int ACol, int ARow);
    // Cell texts go into hints with their mini-HTML tags.
    bool HTMLHint = false;
    // Writing it makes THTMLHintWindow (or the toolkit's plain hint) the hint window of
    // the whole application.
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    std::function<void(TObject* Sender, int ARow, int ACol, String& Anchor)> OnAnchorHint;
    // ---- anchors in mini-HTML cells ----
    // A click on an anchor (ACol real); clearing AutoHandle keeps the grid from following
    // it ("cell://R<row>C<col>" moves to that cell, any other target is opened).
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle)> OnAnchorClick;
    // The mouse entering and leaving an anchor of a mini-HTML cell (ACol real); Anchor is
    // empty on leaving.
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)> OnAnchorEnter, OnAnchorExit;
    // Only the anchor under the mouse is underlined (else every anchor is).
    bool URLUnderlineOnHover = false;
    // The anchor under the point (X, Y) of cell (ACol displayed, ARow): the link of a
    // mini-HTML anchor, or with URLShow a plain text that is a link; empty when none.
    String AnchorAt(int ACol, int ARow, int X, int Y);
    // Mouse-down on an anchor: fires OnAnchorClick and follows the link; false when the
    // point is on no anchor.
    bool AnchorClickAt(int ACol, int ARow, int X, int Y);
    // Lays the mini-HTML of cell (ACol displayed, ARow) out as it is painted and tests
    // the point against it; false for a cell that is not mini-HTML or a point on no link.
    bool HTMLCellHitTest(int ACol, int ARow, int X, int Y, TMiniHTMLParams& P);
    // Mouse-move over a cell: link cursor, hover underlining, OnAnchorEnter/OnAnchorExit.
    void AnchorMouseMove(int ACol, int ARow, int X, int Y);
    TPoint FHoverCell = TPoint(-1, -1);
    int FHoverlink = -1;

    // ---- form controls in mini-HTML cells ----
    // A click on a button, check box or radio button of a cell (ACol real); CtrlVal is
    // the value the control has after the click.
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal)> OnControlClick;
    // Operates the control the hit test found at a click (the cell displayed): a button
    // is held down, a check box toggles, a radio button clears its siblings; the new
    // value is written into the cell's text. False when the cell may not be edited.
    bool ControlClickAt(int ACol, int ARow, const TMiniHTMLParams& Hit);
    // Lets go of a held button control.
    void ReleaseControlButton();
    // A press beside the controls of a mini-HTML cell holding controls selects the cell
    // and fires OnClickCell, without opening the cell's editor; false for other cells.
    bool ControlCellClickAt(int ACol, int ARow);
    TPoint FCtrlXY = TPoint(-1, -1);   // cell of the control pressed (real column, row)
    String FCtrlID;
    String FCtrlType;
    bool FCtrlDown = false;            // a button control is held down
    bool FCtrlPaintDown = false;       // the cell being painted holds that button
    // ---- editing the edit, password, mask and combo controls of mini-HTML cells ----
    // One control editor is open at a time, over the control it edits; its value goes
    // back into the control's tag when it closes, so the cell text stays the only store.
    bool FCtrlEditing = false;         // a control editor is open
    String FCtrlOldValue;              // the control's value when its editor opened
    // Opens the editor of the first edit, password, mask or combo control of the cell
    // (ACol displayed) after the control AfterID (the first one when empty); the grid
    // takes the focus when there is none.
    void StartControlEdit(int ACol, int ARow, const String& AfterID);
    // Opens the editor of one control, laid out at R (grid coordinates); Text is the cell
    // text. Other control types open nothing.
    void OpenControlEditor(const String& Text, const String& CtrlType, int ARow, int RealCol, int ACol,
                           const TRect& R, const String& CtrlVal, const String& CtrlID);
    // Closes the open control editor and writes its value into the cell text.
    void StopControlEdit();
    // Closes the open control editor without writing: its cell was written by something
    // else, or left the grid, and the editor's index no longer names the cell it edits.
    void DropControlEdit();
    // The grid's cells move or change under an open control editor: a moved row or
    // column takes the value with it, a cell overwritten or gone ends the edit unwritten.
    void CellChanged(int ACol, int ARow) override;
    void ControlEditMoving(bool Rows, int RealFrom, int RealTo);
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The control editors' keys: Enter closes and gives the grid the focus, Tab closes and
    // goes on to the next control of the cell (or the next cell with Navigation.AdvanceAuto),
    // Esc puts the value back and closes. False for other keys.
    bool ControlEditorKey(WORD Key);
    // The combo editor picked item ItemIndex (Value its text).
    void ControlComboSelect(int ItemIndex, const String& Value);
    // Leaving a control editor; ACol real in every event.
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal)> OnControlEditDone;
    // The combo editor's items; Edit false gives a list the user cannot type into.
    std::function<void(TObject* Sender, int ARow, int ACol, const String& CtrlID, const String& CtrlType,
                       const String& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)> OnControlComboList;
    std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const String& CtrlID,
                       const String& CtrlValue)> OnControlComboSelect;
    // The cell (ACol displayed) holds form controls in mini-HTML: typing does not edit it.
    bool IsHTMLControlCell(int ACol, int ARow);
    // The controls of the cell (ACol real) may be operated: the grid edits and the cell
    // is not read-only; OnCanEditCell has the last word.
    bool CanEditControls(int ACol, int ARow);

    // ---- the cells open editors edit (ExtGrid_EditedCells.cpp) ----
    // An open editor knows its cell by index: the special editor the current cell (and
    // FEditedXY), the fixed-cell editor FFixedColEdit/FFixedRowEdit, the control editor
    // FCtrlXY. Code that shifts, exchanges or hides rows or columns under them tells
    // them here before the cells move, so the index keeps naming the edited cell and the
    // value lands there when the editor closes; an edited cell that leaves the grid
    // ends its edit unwritten. Rows are display rows, columns real columns.
    TPoint FEditedXY = TPoint(-1, -1);  // the special editor's cell while FEditActive
    TWinControl* FFixedEditor = nullptr; // the fixed-cell editor that is open, if any
    bool FEditorValueDropped = false;   // a special editor is put away without writing
    int FEditedCellsMoving = 0;         // cells are being moved: no write is an overwrite
    struct TEditedCellsMovingScope {
        int& Depth;
        explicit TEditedCellsMovingScope(TExtStringGrid* G) : Depth(G->FEditedCellsMoving) { ++Depth; }
        ~TEditedCellsMovingScope() { --Depth; }
    };
    bool EditedCellsOpen() const
    {
        return FEditActive || FCtrlEditing || (FFixedEditor && FFixedEditor->Visible());
    }
    // Count rows inserted before display row At (Count > 0) or removed from At on
    // (Count < 0).
    void EditedRowsShifting(int At, int Count);
    // The same for real columns; the columns inserted are shown.
    void EditedColsShifting(int At, int Count);
    // Every edited row follows Map (old display row to new, -1 for a row that leaves);
    // with ACol >= 0 only the cells of that real column move.
    void EditedRowsRemap(const std::function<int(int)>& Map, int ACol = -1);
    // A row or column moved by MoveRow or MoveColumn (displayed indexes, and the real
    // columns); the current cell has followed already.
    void EditedCellsMoved(bool Rows, int From, int To, int RealFrom, int RealTo);
    // TStringGrid's report of rows whose cells changed places (sorting, hiding).
    void RowsExchanged(int ARow1, int ARow2) override;
    // Puts the special editor (the fixed-cell editor) away without writing anything:
    // its cell left the grid.
    void DropCellEditor();
    void DropFixedEdit();
    // The fixed-cell editor (gridedit) opened over FFixedColEdit/FFixedRowEdit.
    void FixedEditorOpened(TWinControl* Editor) { FFixedEditor = Editor; }

    String FAnchor;
    std::function<void(TObject* Sender, int ACol, int ARow, String& ATitle, String& AText, int& AIcon)>
        OnCellBalloon;
    // The balloon window: set up while Balloon()->Enable() (and the grid has a window).
    void BalloonInit();
    void BalloonDone();
    TBalloonToolTip* BalloonWindow() const { return FHToolTip; }
    TPoint LastBalloonPos() const { return FLastBalloonPos; }
    // The balloon's text request: the text, title and icon of the cell under the pointer
    // (ScreenPos) go into the balloon.
    void BalloonTextRequest(TPoint ScreenPos, String& Text);
    // Called by the owner form's shared resize handler.
    void OwnerFormResized(TObject* Sender) { HandleFormResize(Sender); }

protected:
    void DoHintShow(THintInfo& Info) override;
    // The grids of one form share one resize handler of that form, which calls every
    // living grid and then the handler the form had before the first grid came.
    void AttachOwnerForm(TForm* Form);
    void DetachOwnerForm();
    TPoint FLastHintPos = TPoint(-1, -1);
    String FLastAnchorHint;
    bool FUseHTMLHints = false;
    void BalloonEnableChange(TObject* Sender);
    void CreateBalloonWindow();
    void DestroyBalloonWindow();
    void AddBalloonTool(int Icon, const String& Title);
    // The balloon hears the grid's mouse: a move to another cell pops it, a rest shows it.
    void RelayBalloonMessage(const TMessage& Msg);
    TBalloonToolTip* FHToolTip = nullptr;
    TPoint FLastBalloonPos = TPoint(-1, -1);
    String FToolTipBuffer;
    friend class THTMLHintWindow;

    // ---- column and row calculations, numbering and swaps (ExtGrid_Calc.cpp) ----
public:
    // Real column ACol over the rows FromRow .. ToRow (-1: all data rows); cells that
    // hold no number are skipped by the sum, minimum and maximum.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double ColumnStdDev(int ACol, int FromRow, int ToRow);
    double ColumnDistinct(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int fromCol, int toCol);
    double RowAvg(int ARow, int fromCol, int toCol);
    double RowMin(int ARow, int fromCol, int toCol);
    double RowMax(int ARow, int fromCol, int toCol);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    // Exchange the cells (texts and cell records) of two columns (rows) with their widths (heights).
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    int AutoNumberStart = 0;
    int AutoNumberOffset = 0;
    TSortDirection AutoNumberDirection = sdAscending;

    // ---- hooks and notifications (ExtGrid_Notify.cpp) ----
    virtual void FireFixedEdit(int ACol, int ARow, TStringList* Values, TGridFixedCellEditor& AEditor);
    virtual void FireSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
    virtual void EditorTextChanged(const String& Text, int SelStart) {}
    virtual void FireFilterDone();
    // The text a save or export writes for a cell (ACol real): formatted or stored, check
    // boxes as their check texts, mini-HTML stripped unless kept; OnSaveCell last.
    virtual void GetSaveCellText(int ACol, int ARow, String& Value);
    virtual void SetLoadCellText(int ACol, int ARow, String Value);
    virtual void RememberCellState(int ACol, int ARow);
    virtual void ExportNotification(TGridExportState AState, int ARow) {}
    virtual void ImportNotification(TGridImportState AState, int ARow) {}
    bool SaveWithRTF = false;
    bool FSelChange = false;
    bool FOldModifiedValue = false;
    TSelectionChangedEvent OnSelectionChanged;
    TCellTextEvent OnSaveCell;
    TCellTextEvent OnLoadCell;
    TFixedEditEvent OnFixedEdit;
    TNotifyEvent OnFilterDone;

    // ---- file exchange: the save range and options every writer and reader shares
    // (the writers and readers themselves live in gridext/exchange) ----
    bool SaveAllCols() const { return SaveFixedCells || SaveFixedCols; }
    bool SaveAllRows() const { return SaveFixedCells || SaveFixedRows; }
    int GetSaveStartCol() const { return SaveAllCols() ? 0 : FixedCols(); }
    int GetSaveStartRow() const { return SaveAllRows() ? 0 : FixedRows(); }
    int GetSaveEndCol() const { return SaveAllCols() ? ColCount() - 1 : ColCount() - FixedRightCols - 1; }
    int GetSaveEndRow() const { return SaveAllRows() ? RowCount() - 1 : RowCount() - FixedFooters - 1; }
    int GetSaveColCount() const { return SaveAllCols() ? ColCount() : ColCount() - FixedCols() - FixedRightCols; }
    int GetSaveRowCount() const { return SaveAllRows() ? RowCount() : RowCount() - FixedRows() - FixedFooters; }
    int SaveStartCol() const { return GetSaveStartCol(); }
    int SaveStartRow() const { return GetSaveStartRow(); }
    int SaveEndCol() const { return GetSaveEndCol(); }
    int SaveEndRow() const { return GetSaveEndRow(); }
    int SaveColCount() const { return GetSaveColCount(); }
    int SaveRowCount() const { return GetSaveRowCount(); }
    // CSV text goes through the OEM code page in both directions.
    bool OemConvert = false;
    // A rounded percentage while a file is written or read; fired only when it changed.
    std::function<void(TObject* Sender, int Progress)> OnFileProgress;

    // ---- storing loaded texts (SetLoadCellText and the exchange readers) ----
    // Moves a loaded text into its cell (no copy). Under an update lock the cell is not
    // checked for a repaint, since the lock's end repaints the whole grid; an editor open
    // on some cell still learns of every write.
    void StoreLoadedText(int ACol, int ARow, String&& Value);

    // ---- clipboard exchange: what the grid remembers between a copy and a paste (the
    // operations live in gridext/clipboard) ----
    enum TClipOperation { coNone, coCopy, coCut };
    // The top-left cell of the last range copied from this grid, and what was done last.
    TPoint FClipboardSource = TPoint(-1, -1);
    TClipOperation FLastClipOperation = coNone;
    // The paste in progress fills the whole grid (not the selection).
    bool FWholeGridPaste = false;
    // The cells one clipboard action changed, for the linked undo history (one sequence).
    using TClipboardChanges = TCellChanges;
    void RegisterClipboardUndo(const TClipboardChanges& Changes) { RegisterUndoChanges(Changes, true); }

    // ---- drag and drop of cells, rows and columns (gridext/dragdrop does the work) ----
    // Data dropped at (ARow, ACol): text, rich text, or a file name (row and column -1).
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Data, bool& Allow)> OnOleDrop;
    std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    std::function<void(TObject* Sender, int ARow, int ACol, const String& FileName, bool& Allow)> OnOleDropFile;
    std::function<void(TObject* Sender, int ARow, int ACol, const String& URL, bool& Allow)> OnOleDropURL;
    std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;
    std::function<void(TObject* Sender, const TGridRect& ARect)> OnOleDropped;
    std::function<void(TObject* Sender, int ARow, int ACol)> OnOleDragStart;
    std::function<void(TObject* Sender, int OLEEffect)> OnOleDragStop;
    // The selection a drag of this grid started from (moved down when rows are dropped above it).
    TGridRect& DropSelection() { return FDropSelection; }
    // A drag of the cells at (ARow, ACol) (row 0 of a header: its column) is about to start;
    // Allow false keeps the press a plain press.
    std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDrag;
    // A press on the selection (or on a header, for a column drag) waits for the mouse to
    // move more than 3 pixels with the button held; then the drag starts, else the press
    // is a plain click when the button is let go.
    enum TOleDragPending { odNone, odCells, odColumn };
    TOleDragPending FOleDragPending = odNone;
    TPoint FOleDragCell;
    bool OleDragDown(int ACol, int ARow, TShiftState Shift, int X, int Y);
    bool OleDragMove(TShiftState Shift, int X, int Y);
    void OleDragUp(TShiftState Shift);

    // ---- wheel, zoom and editor hooks (ExtGrid_Wheel.cpp) ----
    // Every column width and row height grows by x pixels, the zoom factor by x, within -10 .. 10.
    void Zoom(int x);
    // The toolkit's cell selection for the current cell.
    void Select();
    // A left click at 2 pixels inside the cell, without the mouse events.
    void ClickCell(int ACol, int ARow);
    virtual String FireEllipsClick(const String& Text);
    void UnitChanged(TObject* Sender, const String& NewUnit);
    // Lines per wheel notch (the visible rows when the desktop asks for pages).
    int WheelLines();
    std::function<void(TObject* Sender, int ACol, int ARow, String& S)> OnEllipsClick;
    // The spin editor stepped its value (buttons, the page keys, Home and End): the real
    // column, the row, the value after the step, up (true) or down; one event per spin kind.
    std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnDateSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnTimeSpinClick;
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection, TObject* AObject)>
        OnComboObjectChange;

protected:
    // The wheel as the grid handles it; false hands the message to the toolkit.
    bool HandleWheel(TMessage& msg);
    // Rows the wheel moved; clearing Fire keeps the wheel events back.
    virtual void WheelStep(int Moved, bool& Fire) {}
    // After LeftCol or TopRow moved: a special editor closes, cell controls follow, a
    // synchronised grid scrolls along (ExtGrid_ScrollFollow.cpp).
    void TopLeftChanged() override;
    int FOldLeftCol = 0, FOldTopRow = 0;
    // Focus arriving and leaving: AlwaysEdit opens the editor, a focus change made by an
    // edit link is ignored once, an editor being closed keeps the grid from reacting.
    void DoEnter() override;
    void DoExit() override;
    bool HandleFocusMessage(TMessage& msg);
public:
    // Picks the item of the radio group (ACol displayed) under a point given relative
    // to the cell; OnRadioClick reports it.
    void RadioGroupClick(int ACol, int ARow, int XOffset, int YOffset);
    std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)> OnRadioClick;
    bool IsHoverFixedCell(int ACol, int ARow);

protected:
    // ---- mouse move and leave (ExtGrid_MouseMove.cpp) ----
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    int FHoverFixedX = -1, FHoverFixedY = -1;
    TPoint FHotFixedCell = TPoint(-1, -1);
    void Click() override;
    void DataRange(int& FromRow, int& ToRow);
    // Runs Fn on each row from First to ToRow that counts in a calculation of column ACol
    // (real rows when Real), between the progress reports; a row without a number is
    // passed over.
    void ForEachCalcRow(int ACol, int First, int ToRow, bool Real, const std::function<void(int ARow)>& Fn);
    bool CountsInCalc(int ACol, int ARow);

    // ---- fixed-cell editing (ExtGrid_FixedEdit.cpp) ----
public:
    // Opens the editor of fixed cell (ACol displayed, ARow). An open fixed-cell editor
    // is stopped first; nothing opens when it refuses to stop or OnCanEditCell refuses.
    void EditFixedCell(int ACol, int ARow);
    // The fixed cell edited last (real column).
    int FFixedColEdit = -1, FFixedRowEdit = -1;

protected:
    // A press (after the base handling) and a double click open the editor of a fixed
    // cell as MouseActions' FixedRowsEdit and FixedColsEdit say (ACol displayed).
    void FixedCellEditOnMouseDown(TMouseButton Button, int X, int Y, int ACol, int ARow);
    void FixedCellEditOnDblClick(int ACol, int ARow);

    // ---- footer values (ExtGrid_Footer.cpp), custom calculations (ExtGrid_Calc.cpp) and
    // the keyboard's row hooks (ExtGrid_Hooks.cpp) ----
public:
    // Recomputes the footer cells (the last row) of real column ACol, of every column
    // for -1, each by its calculation type, while the floating footer shows the last row.
    virtual void CalcFooter(int ACol);
    virtual void DoCalcFooter(int ACol);
    virtual void CalcFooterAll() { CalcFooter(-1); }
    // After an edit changed a cell: its column's footer follows.
    virtual void CellValueChanged(int ACol, int ARow) { CalcFooter(ACol); }
    // A block of cells changed: OnCellsChanged, then every registered change notifier
    // in registration order, then all footers.
    virtual void CellsChanged(const TRect& R);
    std::function<void(TObject* Sender, const TRect& R)> OnCellsChanged;
    // Paints the footer strip's cell of AColumn (the area of the custom styles); the
    // Sender is the strip.
    std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, const TRect& ARect)> OnFooterPaint;
    // The strip's window was made.
    TNotifyEvent OnCreatedFloatingFooter;
    // 0 unless OnColumnCalc (OnGroupCalc) computes it.
    double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
    double FireGroupCalc(int ACol, int FromRow, int ToRow);
    // The keyboard's row insertion and deletion (after OnCanDeleteRow allowed it);
    // deleting the only data row empties it unless FixedRowAlways. OnAutoDeleteRow
    // reports the deletion.
    virtual void AutoInsertRow(int ARow);
    virtual void AutoDeleteRow(int ARow);
    TCalcFooterEvent OnFooterCalc;
    TGroupCalcEvent OnColumnCalc;
    TGroupCalcEvent OnGroupCalc;
    // A date-time picker's change report with the date and time it shows now (zero
    // year, month or day: none): OnDateTimeChange for the current cell, with 0 for none.
    void HandleDateTimeChange(int Year, int Month, int Day, int Hour, int Minute, int Second, int MSec);
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)> OnDateTimeChange;
    // ---- date pickers: the handlers the grid's date and date-time pickers are wired to ----
    // The date-and-time picker changed: OnDateTimeChange for the current cell.
    void DateTimePickerChange(TDateTime Value);
    // The date picker changed: OnEditChange for the current cell with the picker's time
    // in the regional time format (time mode) or its date in the short date format.
    void DatePickerChange(bool TimeMode, TDateTime Value);
    // The month calendar closed: OnDatePickerCloseUp; with MouseActions.DirectDateClose
    // the editor closes too.
    void DatePickerCloseUp();
    // The month calendar opened: OnDatePickerDropDown.
    void DatePickerDropDown();
    TRowColEvent OnDatePickerCloseUp;    // (Sender, ARow, ACol)
    TRowColEvent OnDatePickerDropDown;   // (Sender, ARow, ACol)
protected:

    // ---- cell buttons (ExtGrid_CellButtons.cpp), sizing zones and selection modes
    // (ExtGrid_MouseMove.cpp), panning (ExtGrid_Panning.cpp) ----
public:
    // The rectangle of the cell button of display cell (ACol, ARow) as it is painted;
    // empty when the cell has none.
    TRect CellButtonRect(int ACol, int ARow);
    TPoint PushedCellButton() const { return FPushedCellButton; }
    bool FixedCellPushed() const { return FFixedCellPushed; }
    TPoint HoverButton() const { return FHoverButton; }
    TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
    bool Panning() const { return FWheelPan; }
    TIntelliPan IntelliPan = ipVertical;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowSize;
    // The release of a click on a radio group, with the group's item index.
    std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)> OnRadioMouseUp;
    std::function<void(TObject* Sender, int ACol, int ColumnSize)> OnColumnSizing;
    std::function<void(TObject* Sender, int ARow, int RowSize)> OnRowSizing;
    // While a column (row) is moved: may it go on (asked on every move), and may it land
    // at the index under the mouse.
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMove;
    std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMoving;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMove;
    std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMoving;
    // The selection resizer was dragged: before the paste into the new selection, and after it.
    std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)> OnSelectionResize;
    std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)> OnSelectionResized;
    // While a column (row) is sized by the mouse a hint shows its new width (height).
    bool HintShowSizing = false;
    // The corner of the selection frame that resizes it (SelectionResizer with SelectionRectangle).
    bool IsOnSelectionResizer(int X, int Y);

protected:
    // A press on a cell button or expand button pushes it; true when the press was taken.
    bool CellButtonDown(int ACol, int ARow, int X, int Y);
    // The release of a pushed button; true when it ends the release's handling.
    bool CellButtonUp(int X, int Y);
    // A press on the header in a row, column or all-cell selection mode selects them.
    bool HeaderSelectDown(int ACol, int ARow, TShiftState Shift);
    // Before the corner click selects every cell; may change the selection.
    virtual void BeforeSelectAll(TGridRect& Selection) {}
    int FMouseSelectStart = -1;
    // With Ctrl the pressed row was already in the disjunct row selection.
    bool FDeselectState = false;
    // A press on a row with disjunct row selection; true when it took the press.
    bool DisjunctRowDown(int ACol, int ARow, TShiftState Shift, int X, int Y);
    void DisjunctRowUp(int ARow, TShiftState Shift);
    // The always-visible spin buttons: which half of them a press went to.
    void SpinButtonDown(int ACol, int ARow, int X, int Y);
    void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                         TGridDrawInfo& FixedInfo) override;
    // The cursor for the selection mode or fixed-area sizing zone under the mouse.
    void UpdateMouseCursor(int X, int Y);
    // Press and release in the fixed area's sizing zones; true when taken.
    bool FixedSizingDown(int X, int Y);
    bool FixedSizingUp(int X, int Y);
    // Middle-button panning; true when the message was used up.
    bool HandlePanningMessage(TMessage& msg);
    void StartPanning(int X, int Y);
    void EndPanning();
    void PanningStep();
    void DrawPanOrigin(bool Erase);
    TPoint FPushedCellButton = TPoint(-1, -1);
    TPoint FHoverButton = TPoint(-1, -1);
    TMouseSelectMode FMouseSelectMode = msNormal;
    bool FSizeFixed = false, FSizeFixedR = false, FSizingFixed = false, FSizingFixedR = false;
    int FSizeFixedX = 0, FSizeFixedY = 0;
    int FSizingFixedIndex = -1;
    TPoint FWheelPanPos;
    TCursor FPanPrevCursor = crDefault;
    int FPanDirX = 0, FPanDirY = 0;
    bool FPanShowHint = true;
    TGridRect FKeySelection;
    // Moving a column or row: the arrows at the drop place and the cursor that tells
    // whether the window takes it there.
    void MoveFeedback(int X, int Y);
    void EndMoveFeedback();
    int FMoveColInd = -1, FMoveRowInd = -1;
    bool FMoveAllowed = true;
    // The dragged header's face paints its caption as the cells paint theirs.
    friend class THeaderDragButton;
    // Set while this grid mirrors the move of the grid it is synchronised with, so the
    // move is not sent back.
    bool FSyncedMove = false;
    // A row may not land on the footer row that the floating footer shows as the last row.
    bool RowMoveRefused(int ToIndex) const;
    // The sort column and the keys of the indexed sort follow a moved column.
    void SortFollowsColumnMove(int RealFrom, int RealTo);
    bool FOverLink = false;
    // Where in the pressed header cell the press was (the dragged face keeps it under the mouse).
    int MoveOfsX = 0, MoveOfsY = 0;
    TGridRect FMoveSelection;
    // A left press began on this grid (its release may be a click on a fixed cell).
    bool FDoOnClick = false;
    // With FixedAsButtons the pressed fixed cell is drawn sunk until the release.
    void DrawFixedCellEdges(const TRect& R, bool Sunken);
    bool FFixedCellPushed = false;
    TRect FPushedFixedCell;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    bool WheelHook(bool Down, TShiftState Shift, TPoint MousePos);
    // A cell with a scroll bar of its own shows it while the mouse is over it (ACol
    // displayed; -1 when the mouse is over no cell).
    void CellScrollBarHover(int ACol, int ARow);
    // The sizing hint at the top-left of cell (ACol, ARow).
    void ShowSizingHint(const String& Text, int ACol, int ARow);
    // A click that edits at once (DirectEdit): the cell becomes current when the window
    // lets it and its editor opens.
    void DirectEditClick(int ACol, int ARow, bool SwitchEditing);
    // A press on the selection resizer starts resizing the selection; its release pastes
    // the selection's cells into the new one.
    bool SelectionResizeDown(int X, int Y);
    void SelectionResizeMove(int X, int Y);
    void SelectionResizeUp();
    bool FMouseResize = false;
    TGridRect FDropSelection;

    // ================================================================ sorting (grid/sort)
public:
    // Sorts the scrollable rows (FixedRows to the last row above the fixed footer rows)
    // by real column SortSettings.Column in SortSettings.Direction, equal cells compared
    // again on the following columns with SortSettings.Full; rows that compare equal keep
    // their order. Nothing when the column is negative or beyond the columns. Should
    // anything fail (an event raising, say), the grid is left as it was.
    virtual void QSort();
    // The same by the keys of SortIndexes (in priority order, each with its direction);
    // EExtGridError "No indexes specified for indexed sort" without keys.
    virtual void QSortIndexed();
    // The rows inside each expanded node of the deepest node level, sorted within the
    // node's block by SortSettings.Column (by the keys of SortIndexes): rows never leave
    // their group. Nodes at shallower levels and contracted nodes keep their rows as they are.
    virtual void QSortGroup();
    virtual void QSortGroupIndexed();
    // Puts every row back where it stood before the first sort since the row count last
    // changed; nothing when the rows changed in number since then.
    virtual void QUnSort();
    // SortSettings.Column and Direction, then QSort.
    void Sort(int ACol, TSortDirection Direction);
    // With more than one row: SortSettings.Column := ACol, then QSort.
    void SortByColumn(int ACol);
    // Rows Left .. Right by ACol (by SortIndexes) without QSort's bookkeeping.
    void QuickSort(int ACol, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    // The sort cross-reference back to 0, 1, ... RowCount - 1.
    void InitSortXRef();
    // Compares two rows on ACol (on the following columns while equal) and exchanges them
    // when they are out of order (the result equals SortDir); true when it did.
    bool SortLine(int ACol, int ARow1, int ARow2);
    // -1, 0 or +1: the typed comparison of two cells of real column ACol.
    int CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction);
    // On ACol in SortSettings.Direction (0 for an ignored column), then the following
    // columns while equal with SortSettings.Full.
    int CompareRows(int ACol, int ARow1, int ARow2);
    // By the keys of SortIndexes from key Index on (descending keys negated).
    int CompareRowsIndexed(int Index, int ARow1, int ARow2);
    // The sort's exchange of two rows: with their cells (only the sort column's with
    // SortSettings.SingleColumn) the rows' heights, their sort cross-reference entries
    // and, as the settings say, their selection and modified flags; SortRow follows.
    virtual void SortSwapRows(int ARow1, int ARow2);
    // +1 ascending, -1 descending: the comparison result that means out of order.
    int SortDir = 1;
    // The row current when the sort began, followed through the exchanges.
    int SortRow = -1;
    // Cell comparisons and row exchanges so far; the milliseconds of the last header-click sort.
    int Compares = 0;
    int Swaps = 0;
    unsigned SortTime = 0;
    std::function<void(TObject* Sender, const String& str1, const String& str2, int& Res)> OnCustomCompare;
    std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;
    std::function<void(TObject* Sender, int ACol, bool& DoSort)> OnCanSort;
    std::function<void(TObject* Sender, int ACol)> OnClickSort;

protected:
    // What a sort of the scrollable rows keeps in step around its row work.
    enum TSortRunKind { srkColumn, srkIndexed, srkGroup, srkGroupIndexed };
    // The bookkeeping of QSort (QSortIndexed, the group sorts): the cross-reference,
    // column 0 with NormalCellsOnly, painting, the current row, the top row, the footers;
    // Body sorts rows First .. Last. When Body fails every row exchange it made is undone
    // and the grid is left as it was before the call.
    void RunSort(TSortRunKind Kind, const std::function<void(int First, int Last)>& Body);
    // The row sort over rows Lo .. Hi: by ACol with its following columns, or by the keys
    // of SortIndexes. Vertically merged areas that reach into the rows are split first.
    void RowSort(int ACol, int Lo, int Hi);
    void RowSortIndexed(int Lo, int Hi);
    // Brings the rows into the order given (Order[i]: the row, counted from Lo, that goes
    // to row Lo + i) with SortSwapRows, one exchange per row at most.
    void ApplySortOrder(int Lo, const std::vector<int>& Order);
    // The group sorts' blocks: the rows below each expanded node of the deepest node
    // level among display rows First .. Last, as first and last display row.
    std::vector<std::pair<int, int>> DeepestGroupBlocks(int First, int Last);
    // The release of a header click: sorts when it may (true when a sort ran).
    bool HeaderClickSort(TShiftState Shift, int X, int Y, int ACol, int ARow);
    // The sort glyph (or key number of an indexed sort) of real column ACol centred at (X, Y).
    void DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X);
    // The exchanges of the running sort, undone when it fails.
    std::vector<std::pair<int, int>>* FSortJournal = nullptr;

    // ================================================================ undo of row changes (grid/undo/ExtGrid_UndoRows.cpp)
public:
    // Puts rows back as they were before (Restore) or after a recorded change of rows.
    void ReplayRowChange(TUndoRowChange& Change, bool Restore) override;

protected:
    // Brackets an operation that changes rows while an undo history is linked: row
    // changes inside it are part of it, not steps of their own. With a kind (insertion
    // or removal of Count rows at display row Row) the operation is recorded as one
    // step when it ends, the removed rows' cells taken into the step before they go.
    // An operation that ends the history (UndoRowsLost), changes the hidden rows or fails
    // clears the history instead.
    class TUndoRowsScope {
    public:
        explicit TUndoRowsScope(TExtStringGrid* g, int Kind = -1, int Row = 0, int Count = 0);
        ~TUndoRowsScope();
        TUndoRowsScope(const TUndoRowsScope&) = delete;
        TUndoRowsScope& operator=(const TUndoRowsScope&) = delete;

    private:
        TExtStringGrid* G;
        bool Active = false, Outer = false;
        size_t Hidden = 0;
        int Exceptions = 0;
        std::shared_ptr<TUndoRowChange> Change;
    };
    // Rows exchanged pairwise in this order (the sort's row exchanges), recorded as one
    // reordering step; nothing inside a bracketed operation.
    void UndoRowsRecordExchanges(const std::vector<std::pair<int, int>>& Exchanges, int SingleColumn);
    // A change of rows or columns the history cannot replay: the history ends (when the
    // bracketed operation running ends).
    void UndoRowsLost();
    // The cells of the change's rows taken out of the grid into the change, and put back.
    void UndoRowsTake(TUndoRowChange& C);
    void UndoRowsPut(TUndoRowChange& C);
    int FUndoRowsDepth = 0;
    bool FUndoRowsLost = false;

    // ---- merged columns (ExtGrid_MergeColumns.cpp) ----
public:
    // Splits every vertically merged area of real column ColIndex.
    void SplitColumnCells(int ColIndex);
    // Merges each run of two or more rows with equal display texts in real column
    // ColIndex (between the fixed rows and the footers); without MainMerge a run also
    // needs its rows merged alike in another column already.
    void MergeColumnCells(int ColIndex, bool MainMerge);
};

// Each RGB channel Percent % of C1 and the rest of C2 (system colours resolved); 100 or
// more gives C1, below 1 or a C1 of clNone gives C2, a C2 of clNone gives C1.
TColor BlendColor(TColor C1, TColor C2, int Percent);
// The colour of a selected cell of colour CellColor.
TColor MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer, int Factor);
// Registers the program's check box and radio button pictures (once).
void EnsureGridGlyphs();

// Told of every block of cells that changed in the grids it is registered with
// (RegisterNotifier); descendants override CellsChanged.
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    virtual void CellsChanged(const TRect& R) {}
};

// The font name of the grid that last filled a hint; packed wide hint texts are drawn in it.
extern String HintFontName;
// The platform's common controls are newer than 4.69 (the date and time editors need them).
extern bool ComCtl32Newer;
// The message date pickers send to move the focus on (registered by name).
unsigned DTPShiftFocusMessage();
// The unit's start-up (registered messages, platform checks); runs once, before the
// first grid is made.
void GridUnitStartup();

// The unit-wide cursor shown over links.
extern TCursor GridLinkCursor;
// The desktop's wheel setting as grids read it at window creation: lines per notch, or
// -1 for a page (the visible rows) per notch.
extern int GridSystemWheelScrollLines;

// The file version of a file: major version in the high 16 bits, minor in the low;
// -1 for a file without version information. The platform's common-controls library
// answers the version of the toolkit's own controls (6.0).
int FileVersionNumber(const String& FileName);

// Keeps the focus-cell window of FocusWindowGrid over its cell when a window moves.
LRESULT GridCallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
