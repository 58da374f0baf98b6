// The grid's dimensions, extents, layout arithmetic, current cell, selection and
// scroll position.
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

namespace {
const char* const kIndexOutOfRange = "Grid index out of range";
const char* const kFixedRowTooBig = "Fixed row count must be less than row count";
const char* const kFixedColTooBig = "Fixed column count must be less than column count";

[[noreturn]] void InvalidOp(const char* text) { throw EInvalidGridOperation(text); }

TGridRect Normalised(TGridCoord a, TGridCoord b)
{
    return TGridRect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}
}

int TGridAxisDrawInfo::GetExtent(int Index) const
{
    if (!Grid) return 0;
    return std::max(0, IsRows ? Grid->RowHeights(Index) : Grid->ColWidths(Index));
}

// ---------------------------------------------------------------- construction

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    // The grid fires its own clicks (on a cell change, at the end of a selection).
    FClickEvents = false;
    // Every pixel of the client area is the grid's own: no background fill first.
    FParentBackground = true;
    SetTabStop(true);
    FOptions = TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    ResizeExtents(FColWidths, FColCount, FDefaultColWidth, FColWidthsTotal);
    ResizeExtents(FRowHeights, FRowCount, FDefaultRowHeight, FRowHeightsTotal);
    Initialize();
    FVertBar = new TGridScrollBar(this, true);
    FHorzBar = new TGridScrollBar(this, false);
    SetBounds(0, 0, 320, 120);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::Initialize()
{
    FTopLeft = TGridCoord(FFixedCols, FFixedRows);
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
}

void TCustomGrid::ResizeExtents(std::vector<int>& v, int count, int def, long long& total)
{
    ++FExtentsVersion;
    const size_t old = v.size();
    if (size_t(count) < old) {
        for (size_t i = size_t(count); i < old; ++i) total -= std::max(0, v[i]);
        v.resize(size_t(count));
    } else {
        v.resize(size_t(count), def);
        total += (long long)(count - int(old)) * std::max(0, def);
    }
}

// ---------------------------------------------------------------- dimensions

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldCols = FColCount, oldRows = FRowCount;
    const bool shrunk = NewColCount < oldCols || NewRowCount < oldRows;
    auto apply = [&](int cols, int rows) {
        FColCount = cols;
        FRowCount = rows;
        if (FFixedCols > cols) FFixedCols = cols - 1;
        if (FFixedRows > rows) FFixedRows = rows - 1;
        ResizeExtents(FColWidths, cols, FDefaultColWidth, FColWidthsTotal);
        ResizeExtents(FRowHeights, rows, FDefaultRowHeight, FRowHeightsTotal);
        // Cells that no longer exist cannot stay current, anchored or at the top left.
        auto clampCol = [&](int& x) { x = std::min(x, cols - 1); };
        auto clampRow = [&](int& y) { y = std::min(y, rows - 1); };
        if (FCurrent.X >= cols) clampCol(FCurrent.X);
        if (FCurrent.Y >= rows) clampRow(FCurrent.Y);
        if (FAnchor.X >= cols) clampCol(FAnchor.X);
        if (FAnchor.Y >= rows) clampRow(FAnchor.Y);
        FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, cols - 1));
        FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, rows - 1));
        if (FInplaceCol >= cols || FInplaceRow >= rows) {
            FInplaceCol = -1;
            FInplaceRow = -1;
            if (FInplaceEdit) FInplaceEdit->Hide();
        }
        SizeChanged(oldCols, oldRows);
    };
    try {
        apply(NewColCount, NewRowCount);
    } catch (...) {
        apply(oldCols, oldRows);
        Invalidate();
        throw;
    }
    if (shrunk) {
        // No empty space below the last row (right of the last column) after rows went.
        TGridDrawInfo di;
        CalcDrawInfo(di);
        const TGridCoord maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
        if (FTopLeft.X > maxTL.X || FTopLeft.Y > maxTL.Y) {
            const TGridCoord old = FTopLeft;
            FTopLeft.X = std::min(FTopLeft.X, maxTL.X);
            FTopLeft.Y = std::min(FTopLeft.Y, maxTL.Y);
            TopLeftMoved(old);
        }
    }
    Invalidate();
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::SetColCount(int Value)
{
    if (Value == FColCount) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedCols) SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = FColCount - 1;
        Invalidate();
    }
}

void TCustomGrid::SetRowCount(int Value)
{
    if (Value == FRowCount) return;
    if (Value < 1) Value = 1;
    if (Value <= FFixedRows) SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (Value == FFixedCols) return;
    if (Value < 0) InvalidOp(kIndexOutOfRange);
    if (Value >= FColCount) InvalidOp(kFixedColTooBig);
    FFixedCols = Value;
    Initialize();
    Invalidate();
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (Value == FFixedRows) return;
    if (Value < 0) InvalidOp(kIndexOutOfRange);
    if (Value >= FRowCount) InvalidOp(kFixedRowTooBig);
    FFixedRows = Value;
    Initialize();
    Invalidate();
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = Value;
    ++FExtentsVersion;
    FColWidths.assign(size_t(FColCount), Value);
    FColWidthsTotal = (long long)FColCount * std::max(0, Value);
    ColWidthsChanged();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = Value;
    ++FExtentsVersion;
    FRowHeights.assign(size_t(FRowCount), Value);
    FRowHeightsTotal = (long long)FRowCount * std::max(0, Value);
    RowHeightsChanged();
    Invalidate();
}

int TCustomGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= int(FColWidths.size())) return FDefaultColWidth;
    return FColWidths[size_t(Index)];
}

int TCustomGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= int(FRowHeights.size())) return FDefaultRowHeight;
    return FRowHeights[size_t(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= FColCount) InvalidOp(kIndexOutOfRange);
    int& w = FColWidths[size_t(Index)];
    if (w == Value) return;
    ++FExtentsVersion;
    FColWidthsTotal += std::max(0, Value) - std::max(0, w);
    w = Value;
    Invalidate();
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= FRowCount) InvalidOp(kIndexOutOfRange);
    int& h = FRowHeights[size_t(Index)];
    if (h == Value) return;
    ++FExtentsVersion;
    FRowHeightsTotal += std::max(0, Value) - std::max(0, h);
    h = Value;
    Invalidate();
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    if (Value < 0) Value = 0;
    if (Value == FGridLineWidth) return;
    FGridLineWidth = Value;
    Invalidate();
    UpdateScrollRange();
    UpdateEdit();
}

int TCustomGrid::GridWidth() const
{
    const bool lines = !(FOptions * TGridOptions{goFixedVertLine, goVertLine}).Empty();
    return int(FColWidthsTotal + (lines ? (long long)FColCount * FGridLineWidth : 0));
}

int TCustomGrid::GridHeight() const
{
    const bool lines = !(FOptions * TGridOptions{goFixedHorzLine, goHorzLine}).Empty();
    return int(FRowHeightsTotal + (lines ? (long long)FRowCount * FGridLineWidth : 0));
}

void TCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

// ---------------------------------------------------------------- options and look

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions) return;
    if (Value.Contains(goRowSelect)) Value >> goAlwaysShowEditor;
    const TGridOptions visual{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect,
                              goDrawFocusSelected, goRangeSelect};
    const TGridOptions changed = (FOptions - Value) + (Value - FOptions);
    const bool linesChanged = !(changed * TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine}).Empty();
    const bool repaintAll = !(changed * visual).Empty();
    FOptions = Value;
    if (!FEditorMode) {
        if (Value.Contains(goAlwaysShowEditor)) ShowEditor();
        else HideEditor();
    }
    if (Value.Contains(goRowSelect) && FCurrent.X < FColCount && FCurrent.Y < FRowCount)
        MoveCurrent(Col(), Row(), true, false);
    if (repaintAll) Invalidate();
    else InvalidateCell(FCurrent.X, FCurrent.Y);   // the focus frame depends on editing
    if (linesChanged) UpdateScrollRange();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing) return;
    FDefaultDrawing = Value;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    UpdateScrollRange();
}

void TCustomGrid::FontChanged()
{
    TCustomControl::FontChanged();
    if (FInplaceEdit) FInplaceEdit->SetFont(Font());
    Invalidate();
}

void TCustomGrid::ColorChanged()
{
    TCustomControl::ColorChanged();
    if (FInplaceEdit) FInplaceEdit->SetColor(Color());
    Invalidate();
}

// ---------------------------------------------------------------- layout arithmetic

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo)
{
    auto axis = [&](TGridAxisDrawInfo& a, TGridOptions lineOptions, int fixedCount, int firstCell, int cellCount,
                    bool rows) {
        a.Grid = this;
        a.IsRows = rows;
        a.EffectiveLineWidth = (lineOptions * FOptions).Empty() ? 0 : FGridLineWidth;
        a.FixedBoundary = 0;
        for (int i = 0; i < fixedCount; ++i) a.FixedBoundary += a.GetExtent(i) + a.EffectiveLineWidth;
        a.FixedCellCount = fixedCount;
        a.FirstGridCell = firstCell;
        a.GridCellCount = cellCount;
    };
    axis(DrawInfo.Horz, TGridOptions{goFixedVertLine, goVertLine}, FFixedCols, FTopLeft.X, FColCount, false);
    axis(DrawInfo.Vert, TGridOptions{goFixedHorzLine, goHorzLine}, FFixedRows, FTopLeft.Y, FRowCount, true);
}

void TCustomGrid::CalcDrawInfoXY(TGridDrawInfo& DrawInfo, int UseWidth, int UseHeight)
{
    CalcFixedInfo(DrawInfo);
    auto axis = [](TGridAxisDrawInfo& a, int extent) {
        a.GridExtent = extent;
        a.GridBoundary = a.FixedBoundary;
        a.FullVisBoundary = a.FixedBoundary;
        a.LastFullVisibleCell = a.FirstGridCell;
        for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
            a.GridBoundary += a.GetExtent(i) + a.EffectiveLineWidth;
            if (a.GridBoundary > a.GridExtent + a.EffectiveLineWidth) {
                a.GridBoundary = a.GridExtent;
                break;
            }
            a.LastFullVisibleCell = i;
            a.FullVisBoundary = a.GridBoundary;
        }
    };
    axis(DrawInfo.Horz, UseWidth);
    axis(DrawInfo.Vert, UseHeight);
}

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo)
{
    const TRect c = ClientRect();
    CalcDrawInfoXY(DrawInfo, c.Width(), c.Height());
}

TGridCoord TCustomGrid::CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo)
{
    auto calc = [](const TGridAxisDrawInfo& a, int n) {
        if (n < 0) return -1;
        int start, stop, line;
        if (n < a.FixedBoundary) {
            start = 0;
            stop = a.FixedCellCount - 1;
            line = 0;
        } else {
            start = a.FirstGridCell;
            stop = a.GridCellCount - 1;
            line = a.FixedBoundary;
        }
        for (int i = start; i <= stop; ++i) {
            line += a.GetExtent(i) + a.EffectiveLineWidth;
            if (n < line) return i;
        }
        return -1;
    };
    return TGridCoord(calc(DrawInfo.Horz, X), calc(DrawInfo.Vert, Y));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord c = CalcCoordFromPoint(X, Y, di);
    if (c.X < 0) c.Y = -1;
    else if (c.Y < 0) c.X = -1;
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow)
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

void TCustomGrid::GridRectToScreenRect(const TGridRect& GridRect, TRect& ScreenRect, bool IncludeLine)
{
    ScreenRect = TRect();
    if (GridRect.Left > GridRect.Right || GridRect.Top > GridRect.Bottom) return;
    TGridDrawInfo di;
    CalcDrawInfo(di);
    // Start of a visible cell's area, or -1 when the cell lies outside the view.
    auto linePos = [](const TGridAxisDrawInfo& a, int cell) {
        int pos, start;
        if (cell < a.FixedCellCount) {
            pos = 0;
            start = 0;
        } else {
            if (cell < a.FirstGridCell) return -1;
            pos = a.FixedBoundary;
            start = a.FirstGridCell;
        }
        for (int i = start; i < cell && pos < a.GridExtent; ++i) pos += a.GetExtent(i) + a.EffectiveLineWidth;
        return pos < a.GridExtent ? pos : -1;
    };
    auto axis = [&](const TGridAxisDrawInfo& a, int lo, int hi, int& outLo, int& outHi) {
        if (lo >= a.GridCellCount || hi < 0) return false;
        lo = std::max(lo, 0);
        hi = std::min(hi, a.GridCellCount - 1);
        // Scrolled-away cells: start at the first scrolled cell shown.
        if (lo >= a.FixedCellCount && lo < a.FirstGridCell) {
            if (hi < a.FirstGridCell) return false;
            lo = a.FirstGridCell;
        }
        if (lo < a.FixedCellCount && hi >= a.FixedCellCount && hi < a.FirstGridCell) hi = a.FixedCellCount - 1;
        int p0 = linePos(a, lo);
        if (p0 < 0) return false;
        // Last cell of the range that starts inside the view.
        int last = std::min(hi, std::max(a.LastFullVisibleCell + 1, a.FixedCellCount - 1));
        last = std::min(last, a.GridCellCount - 1);
        int p1 = linePos(a, last);
        while (p1 < 0 && last > lo) p1 = linePos(a, --last);
        if (p1 < 0) p1 = p0;
        int end = p1 + a.GetExtent(last);
        if (end > a.GridExtent) end = a.GridExtent;
        if (IncludeLine) end += a.EffectiveLineWidth;
        outLo = p0;
        outHi = end;
        return true;
    };
    TRect r;
    if (!axis(di.Horz, GridRect.Left, GridRect.Right, r.Left, r.Right)) return;
    if (!axis(di.Vert, GridRect.Top, GridRect.Bottom, r.Top, r.Bottom)) return;
    ScreenRect = r;
}

TRect TCustomGrid::BoxRect(int ALeft, int ATop, int ARight, int ABottom)
{
    TRect r;
    GridRectToScreenRect(TGridRect(ALeft, ATop, ARight, ABottom), r, false);
    return r;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) { return BoxRect(ACol, ARow, ACol, ARow); }

TRect TCustomGrid::ClientRect() const
{
    return Rect(0, 0, std::max(0, Width() - (FVertShown ? FScrollBarSize : 0)),
                std::max(0, Height() - (FHorzShown ? FScrollBarSize : 0)));
}

TRect TCustomGrid::WidgetClientArea() const { return Rect(0, 0, Width(), Height()); }

bool TCustomGrid::Sizing(int X, int Y)
{
    TGridState state = FGridState;
    if (state == gsNormal) {
        TGridDrawInfo di;
        CalcDrawInfo(di);
        int index, pos, ofs;
        CalcSizingState(X, Y, state, index, pos, ofs, di);
    }
    return state != gsNormal;
}

int TCustomGrid::VisibleColCount()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    return std::max(1, di.Horz.LastFullVisibleCell - FTopLeft.X + 1);
}

int TCustomGrid::VisibleRowCount()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    return std::max(1, di.Vert.LastFullVisibleCell - FTopLeft.Y + 1);
}

int TCustomGrid::PageWidth(const TGridDrawInfo& di) { return std::max(1, di.Horz.LastFullVisibleCell - FTopLeft.X + 1); }

int TCustomGrid::PageHeight(const TGridDrawInfo& di) { return std::max(1, di.Vert.LastFullVisibleCell - FTopLeft.Y + 1); }

TGridCoord TCustomGrid::CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo)
{
    // The smallest first scrolled cell that still shows Coord fully.
    auto calc = [](const TGridAxisDrawInfo& a, int start) {
        int result = start;
        const int avail = a.GridExtent - a.FixedBoundary + a.EffectiveLineWidth;
        int used = 0;
        for (int i = start; i >= a.FixedCellCount; --i) {
            used += a.GetExtent(i) + a.EffectiveLineWidth;
            if (used > avail) break;
            result = i;
        }
        return std::max(result, a.FixedCellCount);
    };
    return TGridCoord(calc(DrawInfo.Horz, Coord.X), calc(DrawInfo.Vert, Coord.Y));
}

// ---------------------------------------------------------------- current cell and selection

TGridRect TCustomGrid::Selection() const { return Normalised(FAnchor, FCurrent); }

void TCustomGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect old = Selection();
    FAnchor = Value.TopLeft();
    FCurrent = Value.BottomRight();
    SelectionMoved(old);
}

void TCustomGrid::SetCol(int Value)
{
    if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) { MoveCurrent(ACol, ARow, MoveAnchor, Show); }

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) InvalidOp(kIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    const TGridRect oldSel = Selection();
    const TGridCoord oldCurrent = FCurrent;
    FCurrent = TGridCoord(ACol, ARow);
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
    if (Show) ClampInView(FCurrent);
    SelectionMoved(oldSel);
    InvalidateCell(oldCurrent.X, oldCurrent.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor)
{
    if (FOptions.Contains(goRangeSelect) && !FOptions.Contains(goEditing)) {
        const TGridRect oldSel = Selection();
        FAnchor = NewAnchor;
        if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
        ClampInView(NewAnchor);
        SelectionMoved(oldSel);
    } else {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    }
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel)
{
    const TGridRect now = Selection();
    if (now == OldSel) return;
    InvalidateGridRect(OldSel);
    InvalidateGridRect(now);
}

// ---------------------------------------------------------------- scroll position

void TCustomGrid::SetLeftCol(int Value)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const TGridCoord maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
    Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, maxTL.X));
    if (Value != FTopLeft.X) MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const TGridCoord maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
    Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, maxTL.Y));
    if (Value != FTopLeft.Y) MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
    const TGridCoord old = FTopLeft;
    FTopLeft = TGridCoord(ALeft, ATop);
    TopLeftMoved(old);
}

void TCustomGrid::TopLeftMoved(const TGridCoord& OldTopLeft)
{
    UpdateScrollPos();
    // Scrolled cells and, on a horizontal move, the fixed rows above them move.
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit) FInplaceEdit->UpdateLoc(CellRect(Col(), Row()));
}

void TCustomGrid::ClampInView(const TGridCoord& Coord)
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const bool horz = Coord.X >= FFixedCols && Coord.X < FColCount;
    const bool vert = Coord.Y >= FFixedRows && Coord.Y < FRowCount;
    const bool outX = horz && (Coord.X > di.Horz.LastFullVisibleCell || Coord.X < FTopLeft.X);
    const bool outY = vert && (Coord.Y > di.Vert.LastFullVisibleCell || Coord.Y < FTopLeft.Y);
    if (!outX && !outY) return;
    const TGridCoord old = FTopLeft;
    const TGridCoord maxTL = CalcMaxTopLeft(Coord, di);
    if (outX) FTopLeft.X = Coord.X < FTopLeft.X ? Coord.X : maxTL.X;
    if (outY) FTopLeft.Y = Coord.Y < FTopLeft.Y ? Coord.Y : maxTL.Y;
    if (!(FTopLeft == old)) TopLeftMoved(old);
}

// ---------------------------------------------------------------- rows and columns as a whole

namespace {
void MoveItem(std::vector<int>& v, int from, int to)
{
    const int x = v[size_t(from)];
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, x);
}

// Where an index ends up after the item at from moved to to.
void MoveAdjust(int& index, int from, int to)
{
    if (index == from) index = to;
    else if (from < to && index > from && index <= to) --index;
    else if (from > to && index >= to && index < from) ++index;
}
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount) InvalidOp(kIndexOutOfRange);
    MoveItem(FColWidths, FromIndex, ToIndex);
    ++FExtentsVersion;
    MoveAdjust(FCurrent.X, FromIndex, ToIndex);
    MoveAdjust(FAnchor.X, FromIndex, ToIndex);
    if (FInplaceCol >= 0) MoveAdjust(FInplaceCol, FromIndex, ToIndex);
    Invalidate();
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount) InvalidOp(kIndexOutOfRange);
    MoveItem(FRowHeights, FromIndex, ToIndex);
    ++FExtentsVersion;
    MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
    MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
    if (FInplaceRow >= 0) MoveAdjust(FInplaceRow, FromIndex, ToIndex);
    Invalidate();
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
}

void TCustomGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------- repainting

const TCustomGrid::TViewRange& TCustomGrid::RebuildViewRange(bool Rows, int Extent) const
{
    TViewRange& v = Rows ? FRowView : FColView;
    const int first = Rows ? FTopLeft.Y : FTopLeft.X, fixed = Rows ? FFixedRows : FFixedCols;
    const int count = Rows ? FRowCount : FColCount;
    const TGridOptions lineOptions = Rows ? TGridOptions{goFixedHorzLine, goHorzLine} : TGridOptions{goFixedVertLine, goVertLine};
    const int line = (FOptions * lineOptions).Empty() ? 0 : FGridLineWidth;
    const std::vector<int>& sizes = Rows ? FRowHeights : FColWidths;
    const int def = Rows ? FDefaultRowHeight : FDefaultColWidth;
    auto size = [&](int i) { return std::max(0, i < int(sizes.size()) ? sizes[size_t(i)] : def) + line; };
    v.Starts.clear();
    int pos = 0;
    for (int i = 0; i < fixed && i < count; ++i) {
        v.Starts.push_back(pos);
        pos += size(i);
    }
    // A scrolled cell is in view when it starts inside the client extent; the starts only
    // grow, so the cells in view are First .. Last.
    int last = first - 1;
    for (int i = first; i < count && pos < Extent; ++i) {
        v.Starts.push_back(pos);
        last = i;
        pos += size(i);
    }
    v.First = first;
    v.Fixed = fixed;
    v.Count = count;
    v.Extent = Extent;
    v.LineWidth = FGridLineWidth;
    v.Options = FOptions.Bits();
    v.Version = FExtentsVersion;
    v.Line = line;
    v.Last = last;
    return v;
}

bool TCustomGrid::ViewSpan(bool Rows, int Index, int Extent, int& From, int& To) const
{
    const int count = Rows ? FRowCount : FColCount, fixed = Rows ? FFixedRows : FFixedCols;
    const int first = Rows ? FTopLeft.Y : FTopLeft.X;
    if (Index < 0 || Index >= count || (Index >= fixed && Index < first)) return false;
    const TViewRange& v = ViewRange(Rows, Extent);
    size_t k;
    if (Index < fixed) {
        k = size_t(Index);
    } else {
        if (Index > v.Last) return false;
        k = size_t(std::min(fixed, count) + (Index - first));
    }
    From = v.Starts[k];
    To = From + std::max(0, Rows ? RowHeights(Index) : ColWidths(Index));
    return true;
}

bool TCustomGrid::RowInView(int ARow) const
{
    if (ARow < 0 || ARow >= FRowCount) return false;
    if (ARow < FFixedRows) return true;
    if (ARow < FTopLeft.Y) return false;
    return ARow <= ViewRange(true, ClientRect().Height()).Last;
}

bool TCustomGrid::ColInView(int ACol) const
{
    if (ACol < 0 || ACol >= FColCount) return false;
    if (ACol < FFixedCols) return true;
    if (ACol < FTopLeft.X) return false;
    return ACol <= ViewRange(false, ClientRect().Width()).Last;
}

void TCustomGrid::InvalidateGridRect(const TGridRect& ARect)
{
    TRect r;
    GridRectToScreenRect(ARect, r, true);
    if (!r.IsEmpty()) InvalidateRect(r);
}

// The single-cell case of InvalidateGridRect from the kept view ranges: the cell with
// its lines, cut at the client edge; nothing for a cell out of view.
void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    // Most cell writes land out of view: such a row goes before anything is worked out.
    if (ARow < 0 || ARow >= FRowCount || (ARow >= FFixedRows && ARow < FTopLeft.Y)) return;
    const TRect client = ClientRect();
    if (ARow >= FFixedRows && ARow > ViewRange(true, client.Height()).Last) return;
    int x0, x1, y0, y1;
    if (!ViewSpan(true, ARow, client.Height(), y0, y1) || y0 >= client.Height()) return;
    if (!ViewSpan(false, ACol, client.Width(), x0, x1) || x0 >= client.Width()) return;
    x1 = std::min(x1, client.Width()) + FColView.Line;
    y1 = std::min(y1, client.Height()) + FRowView.Line;
    const TRect r(x0, y0, x1, y1);
    if (!r.IsEmpty()) InvalidateRect(r);
}

void TCustomGrid::InvalidateCol(int ACol) { InvalidateGridRect(TGridRect(ACol, 0, ACol, FRowCount - 1)); }

void TCustomGrid::InvalidateRow(int ARow) { InvalidateGridRect(TGridRect(0, ARow, FColCount - 1, ARow)); }
