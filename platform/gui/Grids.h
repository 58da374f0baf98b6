#pragma once
// The draw grid and the string grid: rows and columns of owner-drawn cells with fixed
// rows and columns at the top and left, column widths and row heights, a current cell
// with a selection, scrolling, sizing and moving by mouse, key movement and an in-place
// editor over the current cell. Painted through TCanvas, driven by window messages.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/StyledScrollBar.h"
#include "platform/rtl/Exception.h"

// Misuse of the grid's indices and counts ("Grid index out of range" ...).
CONF_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
    goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    constexpr TGridCoord() = default;
    constexpr TGridCoord(int x, int y) : X(x), Y(y) {}
    constexpr bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr TGridRect() = default;
    constexpr TGridRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TGridCoord TopLeft() const { return {Left, Top}; }
    constexpr TGridCoord BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(int col, int row) const
    {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    constexpr bool operator==(const TGridRect&) const = default;
};

class TCustomGrid;

// Layout of one axis as the grid sees it now: where the fixed cells end, which cell is
// the first scrolled one, how far cells reach and which is the last fully visible one.
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;   // width of the grid line after each cell (0 without lines)
    int FixedBoundary = 0;        // first pixel after the fixed cells and their lines
    int GridBoundary = 0;         // first pixel after the last (partly) visible cell
    int GridExtent = 0;           // client size along the axis
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0;      // first pixel after the last fully visible cell
    int FixedCellCount = 0;
    int FirstGridCell = 0;        // LeftCol or TopRow
    int GridCellCount = 0;        // ColCount or RowCount
    const TCustomGrid* Grid = nullptr;
    bool IsRows = false;
    // Width of column (height of row) Index.
    int GetExtent(int Index) const;
};

struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

// What a scroll bar of the grid shows: range, page and thumb position.
using TGridScrollInfo = TScrollBarInfo;

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The grid's two scroll bars are the toolkit's self-drawn bars.
using TGridScrollBar = TStyledScrollBar;
using TGridScrollBarStyle = TScrollBarLook;

// ---------------------------------------------------------------- in-place editor

// The edit field the grid shows over its current cell. Text may hold line breaks
// (CR LF); positions and lengths count UTF-16 units, as the platform's edit did.
// Keys that move between cells go to the grid; everything else edits the text.
class TInplaceEdit : public TCustomControl {
public:
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid; }
    void SetGrid(TCustomGrid* g) { FGrid = g; }

    // 0 = no limit; limits typing and pasting, not what code sets.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v) { FMaxLength = v; }
    WideChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(WideChar c);
    // Characters the mask admits per position: 0 digit, 9 digit or blank, # digit or sign,
    // L letter, l letter or blank, A letter or digit, a the same or blank, C and c any
    // character, > upper case from here, < lower case from here, \ the next is a literal;
    // other characters are literals typed for the user. Text after ';' is ignored.
    const String& EditMask() const { return FEditMask; }
    void SetEditMask(const String& v);
    bool IsMasked() const { return !FMaskChars.empty(); }
    // Positions the mask has room for (a complete text is this long).
    int MaskLength() const { return int(FMaskChars.size()); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    // Lines break at the text area's width instead of scrolling sideways; line numbers
    // then count the lines as shown.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    // Enter reaching the field's own handling starts a new line.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    // The area the text is laid out in, in client coordinates.
    TRect FormatRect() const { return FTextRect; }
    void SetFormatRect(const TRect& r);

    int GetTextLen() const { return int(FBuf.size()); }
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    // Replaces the selection with s (as a paste would, without limits).
    void SetSelText(const String& s);
    void SelectAll();
    // Caret to the end, nothing selected.
    void Deselect();
    void CopyToClipboard() { Perform(WM_COPY); }
    void CutToClipboard() { Perform(WM_CUT); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    // Line of a character position (0-based); line count of the text.
    int LineFromChar(int charIndex) const;
    int LineCount() const;
    // Character position nearest to a client point.
    int CharFromPos(TPoint p);

    // Loads text, mask and length limit for the grid's current cell.
    virtual void UpdateContents();
    // Gives up what was typed: the text loaded for the cell comes back.
    void Reset();
    // Placed over Loc, shown and focused when the grid has the focus (hidden when Loc is empty).
    void Move(const TRect& Loc);
    // The same without taking the focus (the grid scrolled).
    void UpdateLoc(const TRect& Loc);
    // Hides the editor; a focused editor hands the focus back to the grid.
    void Hide();
    bool Visible() const { return TControl::Visible(); }

    TNotifyEvent OnChange;

    void WndProc(TMessage& msg) override;
    void DefaultHandler(TMessage& msg) override;

protected:
    void Paint() override;
    String GetText() const override;
    void TextChanged() override;
    void FontChanged() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WideChar& key) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void DblClick() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) override;
    // After a move or resize: the text area inside the editor.
    virtual void BoundsChanged();
    // Runs after every change of the text (typed, pasted, set by code).
    virtual void Change();
    // May the text be changed now (the grid's answer).
    bool EditCanModify();
    void InternalMove(const TRect& Loc, bool Redraw);

private:
    // Editing actions behind the keys the editor keeps for itself.
    void DefaultKeyDown(WORD key, TShiftState shift);
    void DefaultChar(WideChar ch);
    void ReplaceSelection(const std::u16string& s, bool typed);
    bool MaskAccepts(std::u16string& s) const;
    void SetCaret(int pos, bool extend);
    void SyncText();
    int LineStart(int line) const;
    int LineEnd(int line) const;
    // The shown lines: start and end (line break excluded) of each.
    const std::vector<std::pair<int, int>>& Lines() const;
    int XOfChar(int pos);
    String DisplayText(int from, int to) const;
    void ScrollCaretIntoView();

    TCustomGrid* FGrid = nullptr;
    std::u16string FBuf;
    String FLoadedText;
    int FAnchorPos = 0;     // the fixed end of the selection
    int FCaretPos = 0;      // the moving end (where the caret is)
    int FScrollX = 0;
    int FMaxLength = 0;
    WideChar FPasswordChar = 0;
    String FEditMask;
    std::u16string FMaskChars;   // one entry per text position the mask has room for
    TAlignment FAlignment = taLeftJustify;
    bool FModified = false;
    bool FSyncing = false;
    bool FMouseSelecting = false;
    bool FWordWrap = false;
    bool FWantReturns = false;
    TRect FTextRect;
    // The lines as last laid out, with what they were laid out for.
    mutable std::vector<std::pair<int, int>> FLines;
    mutable std::u16string FLinesText;
    mutable int FLinesWidth = -1;
    mutable bool FLinesValid = false;
};

// ---------------------------------------------------------------- the grid

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // ---- dimensions ----
    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    // Every column takes the new width.
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    // Every row takes the new height.
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    // Total width (height) of all columns (rows) with their lines.
    int GridWidth() const;
    int GridHeight() const;

    // ---- look and behaviour ----
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);

    // ---- current cell, selection, scrolling ----
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    // The rectangle spanned by the anchor and the current cell, normalised.
    TGridRect Selection() const;
    // Anchor := (Left, Top), current cell := (Right, Bottom); no checks.
    void SetSelection(const TGridRect& Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    // Fully visible scrollable columns (rows), at least 1.
    int VisibleColCount();
    int VisibleRowCount();

    // ---- geometry ----
    // Client rectangle of a cell; empty (all 0) when the cell is not visible.
    virtual TRect CellRect(int ACol, int ARow);
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    TGridCoord MouseCoord(int X, int Y);
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom);
    void GridRectToScreenRect(const TGridRect& GridRect, TRect& ScreenRect, bool IncludeLine);
    void CalcDrawInfo(TGridDrawInfo& DrawInfo);
    void CalcFixedInfo(TGridDrawInfo& DrawInfo);
    void CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight);
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo);
    // Whether a press at (X, Y) would size a column or row.
    bool Sizing(int X, int Y);
    // Client area of the cells (without the scroll bars). Final: the grid's layout and
    // its view of which cells can be seen both rest on it.
    TRect ClientRect() const final;

    // ---- editing ----
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(WideChar Ch);
    // Moves the current cell and shows the editor there when the grid edits.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

    // ---- rows and columns as a whole ----
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);

    // ---- repainting ----
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateGrid() { Invalidate(); }
    void InvalidateGridRect(const TGridRect& ARect);
    void InvalidateEditor();

    // ---- scroll bars ----
    bool GetScrollInfo(int Bar, TGridScrollInfo& Info) const;
    void SetScrollInfo(int Bar, const TGridScrollInfo& Info);
    bool ScrollBarShown(int Bar) const;
    // Keeps a bar shown also when all cells fit; it is then shown disabled.
    void SetScrollBarAlwaysShown(int Bar, bool Value);
    bool ScrollBarAlwaysShown(int Bar) const;
    TGridScrollBar* ScrollBarControl(int Bar) const { return Bar == SB_VERT ? FVertBar : FHorzBar; }
    // Thickness of both bars in pixels (TGridScrollBar::Size unless set).
    int ScrollBarSize() const { return FScrollBarSize; }
    void SetScrollBarSize(int Value);

    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    void WndProc(TMessage& msg) override;
    // Painting of the cells the canvas's clip touches goes through this canvas (an
    // off-screen bitmap while the grid paints, the control's canvas otherwise).
    TCanvas* Canvas() { return FPaintCanvas ? FPaintCanvas : TCustomControl::Canvas(); }

protected:
    // ---- hooks for descendants ----
    virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) = 0;
    virtual bool SelectCell(int ACol, int ARow) { return true; }
    virtual void SizeChanged(int OldColCount, int OldRowCount) {}
    virtual void ColumnMoved(int FromIndex, int ToIndex) {}
    virtual void RowMoved(int FromIndex, int ToIndex) {}
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual String GetEditText(int ACol, int ARow) { return ""; }
    virtual void SetEditText(int ACol, int ARow, const String& Value) {}
    virtual String GetEditMask(int ACol, int ARow) { return ""; }
    virtual int GetEditLimit() { return 0; }
    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditAcceptKey(WideChar Key) { return true; }
    virtual bool CanEditModify() { return FCanEditModify; }
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift) { return true; }
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                 TGridDrawInfo& FixedInfo);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // After the grid set the range or position of its scroll bars: a descendant that
    // shows something else on them (a proportional thumb) puts it back here.
    virtual void ScrollBarsUpdated() {}

    // ---- framework hooks ----
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    TRect WidgetClientArea() const override;

    // ---- building blocks ----
    // Whether any of the row (column) can be seen now; cheap for far-away cells.
    bool RowInView(int ARow) const;
    bool ColInView(int ACol) const;
    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void ClampInView(const TGridCoord& Coord);
    TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo);
    void SelectionMoved(const TGridRect& OldSel);
    void TopLeftMoved(const TGridCoord& OldTopLeft);
    void UpdateScrollPos();
    void UpdateScrollRange();
    void UpdateEdit();
    void HideEdit();
    void UpdateText();
    bool IsActiveControl();
    void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos);
    void TimedScroll();

    TGridState FGridState = gsNormal;
    TGridCoord FCurrent;
    TGridCoord FAnchor;
    TGridCoord FTopLeft;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    TPoint FHitTest;
    TInplaceEdit* FInplaceEdit = nullptr;
    int FInplaceCol = -1;
    int FInplaceRow = -1;
    bool FEditorMode = false;
    bool FCanEditModify = true;

private:
    friend class TInplaceEdit;
    friend struct TGridAxisDrawInfo;
    void ChangeSize(int NewColCount, int NewRowCount);
    void Initialize();
    void ResizeExtents(std::vector<int>& v, int count, int def, long long& total);
    void PaintCells(TCanvas* c, const TRect& clip, const TGridDrawInfo& di);
    void PaintArea(TCanvas* c, const TRect& clip, const TGridDrawInfo& di, int col0, int col1, int x0, int row0,
                   int row1, int y0, bool fixedCols, bool fixedRows);
    void InvalidateSizingLine();
    void InvalidateMoveMark();
    TRect MoveMarkRect(const TGridDrawInfo& di);
    void StartScrollTimer();
    void StopScrollTimer();
    void UpdateHoverCursor(int X, int Y);
    void LayoutScrollBars();
    void GridExited(HWND newFocus);
    void UpdateTotals();
    int PageWidth(const TGridDrawInfo& di);
    int PageHeight(const TGridDrawInfo& di);

    // Which rows (columns) can be seen and where they start, with the layout this was
    // worked out for: every cell write asks whether its cell is in view and repaints it,
    // and walking the sizes each time cost more than the write itself.
    // FExtentsVersion changes with every change of a width or height.
    struct TViewRange {
        int First = -1, Fixed = -1, Count = -1, Extent = -1, LineWidth = -1;
        std::uint32_t Options = 0;
        unsigned Version = 0;
        int Line = 0;                 // the grid line after each cell
        int Last = -1;                // last scrolled cell in view (First - 1: none)
        std::vector<int> Starts;      // the fixed cells', then First .. Last
    };
    const TViewRange& ViewRange(bool Rows, int Extent) const
    {
        const TViewRange& v = Rows ? FRowView : FColView;
        const TGridCoord first = FTopLeft;
        if (v.Version == FExtentsVersion && v.Extent == Extent && v.First == (Rows ? first.Y : first.X) &&
            v.Fixed == (Rows ? FFixedRows : FFixedCols) && v.Count == (Rows ? FRowCount : FColCount) &&
            v.Options == FOptions.Bits() && v.LineWidth == FGridLineWidth)
            return v;
        return RebuildViewRange(Rows, Extent);
    }
    const TViewRange& RebuildViewRange(bool Rows, int Extent) const;
    // Where cell Index starts and ends on screen (its line not counted) while it is in
    // view; false when it is not.
    bool ViewSpan(bool Rows, int Index, int Extent, int& From, int& To) const;
    mutable TViewRange FRowView;
    mutable TViewRange FColView;
    unsigned FExtentsVersion = 1;

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    long long FColWidthsTotal = 0;   // sum of the widths, lines not counted
    long long FRowHeightsTotal = 0;
    TGridOptions FOptions;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TScrollStyle FScrollBars = ssBoth;
    TGridScrollBar* FVertBar = nullptr;
    TGridScrollBar* FHorzBar = nullptr;
    bool FVertShown = false;
    bool FHorzShown = false;
    bool FVertAlways = false;
    bool FHorzAlways = false;
    int FScrollBarSize = 17;
    bool FUpdatingScroll = false;
    bool FScrollTimer = false;
    TPoint FLastMouse;
    bool FSizingCursor = false;
    TCursor FCursorBeforeSizing = crDefault;
    int FWheelAccumulator = 0;
    std::unique_ptr<TBitmap> FBuffer;
    TCanvas* FPaintCanvas = nullptr;
};

// ---------------------------------------------------------------- draw grid

// The grid whose cells the application draws (OnDrawCell) and whose edit texts it
// supplies (OnGetEditText / OnSetEditText).
class TCustomDrawGrid : public TCustomGrid {
public:
    explicit TCustomDrawGrid(TComponent* AOwner);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TGetEditEvent OnGetEditMask;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;
    TNotifyEvent OnTopLeftChanged;

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;
    String GetEditMask(int ACol, int ARow) override;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

// ---------------------------------------------------------------- string grid

// A draw grid that keeps one text and one object reference per cell and draws the text.
// Objects are not owned.
class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    const String& Cells(int ACol, int ARow) const
    {
        const TCell* cell = StoredCell(ACol, ARow);
        return cell ? cell->s : FNoText;
    }
    void SetCells(int ACol, int ARow, const String& Value);
    TObject* Objects(int ACol, int ARow) const
    {
        const TCell* cell = StoredCell(ACol, ARow);
        return cell ? cell->obj : nullptr;
    }
    void SetObjects(int ACol, int ARow, TObject* Value);
    // Copies of one row (column): its texts with their objects, one line per cell.
    void Rows(int Index, TStringList& Dest) const;
    void SetRows(int Index, const TStringList& Value);
    void Cols(int Index, TStringList& Dest) const;
    void SetCols(int Index, const TStringList& Value);

    // ---- exchanging whole rows (sorting) ----
    // The texts and objects of two rows, every stored column included, change places
    // in constant time; nothing is repainted (the caller repaints when it is done).
    void ExchangeRowData(int ARow1, int ARow2);

protected:
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String& Value) override;

    // Takes the rows whose entry in Gone is set out of the store in one pass: the rows
    // after them move up in order (their cells move, no text is copied) and the freed
    // rows at the end are left empty; then the grid repaints. The row count and the
    // row heights are the caller's to change.
    void CompactRows(const std::vector<bool>& Gone);

    // For a grid that hides columns by lowering ColCount: the cells of the columns
    // beyond ColCount then stay stored when the count falls, come back when it grows,
    // and Cells/Objects/SetCells/SetObjects and ColumnMoved reach them by index.
    bool FKeepColumnCells = false;

    // A cell's text (s) and object (obj) side by side: readers of a cell look at both.
    // A row's cells have the layout of a string list's lines, so a row can be handed
    // to a list and back whole (SwapRowCells).
    using TCell = TStringList::Item;
    // The stored cell, or nullptr where nothing was stored (reads as empty).
    const TCell* StoredCell(int ACol, int ARow) const
    {
        if (ACol < 0 || ARow < 0 || size_t(ARow) >= FData.size() || (ACol >= ColCount() && !FKeepColumnCells))
            return nullptr;
        const TRowData* row = FData[size_t(ARow)].get();
        return row && size_t(ACol) < row->Cells.size() ? &row->Cells[size_t(ACol)] : nullptr;
    }
    // The cell's slot, made when missing, for a caller that looks at its object and
    // then writes its text with one look-up; EInvalidGridOperation outside the grid
    // as SetCells. A text written there is announced with CellChanged.
    TCell& CellSlot(int ACol, int ARow)
    {
        CheckCell(ACol, ARow);
        TRowData* row = size_t(ARow) < FData.size() ? FData[size_t(ARow)].get() : nullptr;
        if (!row || size_t(ACol) >= row->Cells.size()) row = EnsureCell(ACol, ARow);
        return row->Cells[size_t(ACol)];
    }
    // Virtual: an editor of the derived grid that edits one cell learns of writes to it.
    virtual void CellChanged(int ACol, int ARow);
    // Virtual for the same editors: rows ARow1 and ARow2 exchanged their cells (an
    // ARow2 of -1: the cells of ARow1 went out to a list). Nothing is repainted.
    virtual void RowsExchanged(int ARow1, int ARow2) {}
    // Exchanges the stored cells of row ARow (made when missing) with the lines of List
    // in constant time; nothing is repainted. EInvalidGridOperation outside the rows.
    void SwapRowCells(int ARow, TStringList& List);

private:
    struct TRowData {
        std::vector<TCell> Cells;
    };
    static const String FNoText;
    TRowData* EnsureRow(int ARow);
    TRowData* EnsureCell(int ACol, int ARow);
    void CheckCell(int ACol, int ARow) const;
    std::vector<std::unique_ptr<TRowData>> FData;
    int FEditUpdate = 0;
};
