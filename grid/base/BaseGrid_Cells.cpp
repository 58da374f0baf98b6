// The base grid's cell store: records, merged cells, display text, rectangles, clearing.
#include <algorithm>

#include "grid/base/BaseGrid.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

namespace {
const char* const kInvalidCell = "Invalid cell";
}

// ---------------------------------------------------------------- TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), OwnerCol(ACol), OwnerRow(ARow), FWordWrap(AOwner ? AOwner->WordWrap() : true)
{
    if (AOwner) AOwner->FHasCellProps = true;
}

void TCellProperties::Repaint()
{
    if (FOwnerGrid) FOwnerGrid->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    Repaint();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    Repaint();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    Repaint();
}

void TCellProperties::Assign(const TCellProperties* Source)
{
    if (!Source) return;
    IsBaseCell = Source->IsBaseCell;
    CellSpanX = Source->CellSpanX;
    CellSpanY = Source->CellSpanY;
    OwnerRow = Source->OwnerRow;
    OwnerCol = Source->OwnerCol;
    CellObject = Source->CellObject;
    Alignment = Source->Alignment;
    BorderColor = Source->BorderColor;
    BorderWidth = Source->BorderWidth;
    FBrushColor = Source->FBrushColor;
    BrushStyle = Source->BrushStyle;
    FontColor = Source->FontColor;
    FontStyle = Source->FontStyle;
    FontName = Source->FontName;
    FontSize = Source->FontSize;
    ReadOnly = Source->ReadOnly;
    Editor = Source->Editor;
    FVAlignment = Source->FVAlignment;
    FWordWrap = Source->FWordWrap;
    NodeLevel = Source->NodeLevel;
    Control = Source->Control;
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!IsBaseCell && CellSpanX != -1 && CellSpanY != -1) return TPoint(c - CellSpanX, r - CellSpanY);
    return TPoint(c, r);
}

// ---------------------------------------------------------------- construction

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    FKeepColumnCells = true;
    FMaxStoredCols = ColCount();
    // Only this grid draws lines and cell faces.
    TCustomGrid::SetDefaultDrawing(false);
    TCustomGrid::SetGridLineWidth(0);
}

TBaseGrid::~TBaseGrid()
{
    FGridDestroying = true;
    if (FHasCellProps) FreeCellProps(0, 0, std::max(FMaxStoredCols, ColCount()) - 1, RowCount() - 1);
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    FMaxStoredCols = std::max(FMaxStoredCols, ColCount());
    // Rows that fall off take their records with them (the store drops their slots).
    if (FHasCellProps && RowCount() < OldRowCount) {
        const int cols = std::max(FMaxStoredCols, OldColCount);
        for (int r = RowCount(); r < OldRowCount; ++r)
            for (int c = 0; c < cols; ++c)
                if (auto* p = dynamic_cast<TCellProperties*>(Objects(c, r))) DeleteCellProperties(p);
    }
    TObjStringGrid::SizeChanged(OldColCount, OldRowCount);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FUndoRedo) FUndoRedo = nullptr;
}

// ---------------------------------------------------------------- properties

void TBaseGrid::SetDefaultDrawing(bool v)
{
    FDefaultDrawing = v;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = v;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TExtGridUndoRedo* v)
{
    // The component left behind forgets this grid (and the history it recorded here).
    if (FUndoRedo && FUndoRedo != v && FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
    FUndoRedo = v;
    if (v) v->SetGrid(this);
}

#define CONF_SETTER(Name, Type, Field) \
    void TBaseGrid::Set##Name(Type v)  \
    {                                  \
        if (Field == v) return;        \
        Field = v;                     \
        Invalidate();                  \
    }
CONF_SETTER(ActiveRowShow, bool, FActiveRowShow)
CONF_SETTER(ActiveRowColor, TColor, FActiveRowColor)
CONF_SETTER(ActiveRowColorTo, TColor, FActiveRowColorTo)
CONF_SETTER(ActiveRowMirrorColor, TColor, FActiveRowMirrorColor)
CONF_SETTER(ActiveRowMirrorColorTo, TColor, FActiveRowMirrorColorTo)
CONF_SETTER(SelectionStyle, TGridSelectionStyle, FSelectionStyle)
#undef CONF_SETTER

// ---------------------------------------------------------------- records

bool TBaseGrid::HasCellObject(int c, int r) const
{
    if (c < 0 || r < 0 || r >= RowCount()) return false;
    // Most cells have no record: look at the slot before asking the derived grid for
    // its column count.
    if (!Objects(c, r)) return false;
    return c < const_cast<TBaseGrid*>(this)->TotalColCount();
}

void TBaseGrid::FillCellProperties(TCellProperties* p, int c, int r, bool SetCalcType)
{
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TGradientDirection gd = GradientVertical;
    GetCellDefaults(c, r, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    if (SetCalcType) p->CalcType = acNONE;
    p->Alignment = ha;
    p->FVAlignment = va;
    p->FWordWrap = ww;
    p->FontName = font.Name();
    p->FontSize = font.Size();
    p->FontStyle = font.Style();
    p->FontColor = font.Color();
    p->FBrushColor = brush.Color();
    p->FBrushColorTo = colorTo;
    p->GradientDirection = gd;
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (c < 0 || r < 0 || r >= RowCount() || c >= TotalColCount()) throw EExtGridError(kInvalidCell);
    if (TObject* o = Objects(c, r)) return static_cast<TCellProperties*>(o);
    auto* p = new TCellProperties(this, c, r);
    SetObjects(c, r, p);
    FillCellProperties(p, c, r, true);
    return p;
}

void TBaseGrid::DeleteCellProperties(TCellProperties* p)
{
    if (!p) return;
    TObject* g = p->FGraphicObject;
    p->FGraphicObject = nullptr;
    if (g) ReleaseGraphicObject(g);
    delete p;
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    if (c < 0 || r < 0 || r >= RowCount() || c >= TotalColCount()) throw EExtGridError(kInvalidCell);
    if (auto* old = static_cast<TCellProperties*>(Objects(c, r)); old && old != Value) DeleteCellProperties(old);
    SetObjects(c, r, Value);
    if (Value) FHasCellProps = true;
}

std::uintptr_t TBaseGrid::GetObjectEx(int c, int r)
{
    TCellProperties* p = CellPropsOf(c, r);
    return p ? p->CellObject : 0;
}

void TBaseGrid::SetObjectEx(int c, int r, std::uintptr_t Value)
{
    const bool empty = GetCellEx(c, r).empty();
    if (empty) SetCellEx(c, r, " ");
    GetCellProperties(c, r)->CellObject = Value;
    if (empty) SetCellEx(c, r, "");
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r)
{
    TCellProperties* p = CellPropsOf(c, r);
    return p ? p->FGraphicObject : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* Value)
{
    if (FGridDestroying || Destroying()) return;
    const bool empty = GetCellEx(c, r).empty();
    if (empty) SetCellEx(c, r, " ");
    TCellProperties* p = CellPropsOf(c, r);
    if (!p) {
        if (c < 0 || r < 0 || r >= RowCount() || c >= TotalColCount()) throw EExtGridError(kInvalidCell);
        p = new TCellProperties(this, c, r);
        SetObjects(c, r, p);
        FillCellProperties(p, c, r, false);
    }
    p->FGraphicObject = Value;
    if (empty) SetCellEx(c, r, "");
}

// ---------------------------------------------------------------- cell text

String TBaseGrid::GetCellEx(int c, int r)
{
    // One look at the slot gives the text and the record; a merged cell reads its base.
    int bc = c, br = r;
    const TCell* cell = StoredCell(c, r);
    if (cell && cell->obj && r < RowCount() && c < TotalColCount()) {
        const TPoint b = static_cast<const TCellProperties*>(cell->obj)->GetBaseCell(c, r);
        if (b.X != c || b.Y != r) {
            bc = b.X;
            br = b.Y;
            cell = StoredCell(bc, br);
        }
    }
    String result = cell ? cell->s : String();
    if (br < FNormalRowCount) {
        FireGetDisplText(bc, br, result);
        if (OnGetDisplWideText) {
            std::u16string wide = Utf8ToUtf16(UnpackWideText(result));
            FireGetDisplWideText(bc, br, wide);
            result = PackWideText(Utf16ToUtf8(wide));
        }
    }
    return result;
}

void TBaseGrid::SetCellEx(int c, int r, const String& Value)
{
    // One look-up finds the slot to write and tells whether the cell has a record.
    TCell& slot = CellSlot(c, r);
    if (slot.obj && c < TotalColCount()) {
        const TPoint b = static_cast<const TCellProperties*>(slot.obj)->GetBaseCell(c, r);
        SetCells(b.X, b.Y, Value);
        CellTextChanged(b.X, b.Y);
        if (Parent()) RepaintCell(c, r);
    } else {
        slot.s = Value;
        CellChanged(c, r);
    }
    if (FHideLastRow && r == RowCount() - 1) HiddenLastRowChanged();
}

void TBaseGrid::FireGetDisplText(int ACol, int ARow, String& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::FireGetDisplWideText(int ACol, int ARow, std::u16string& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                bool& WW, TGradientDirection& GD)
{
    AFont->Assign(*Font());
    ABrush->SetColor(Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = taLeftJustify;
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

// ---------------------------------------------------------------- merged cells

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    // The whole area must lie in the grid; nothing changes otherwise.
    const int cols = TotalColCount(), rows = RowCount();
    if (c < 0 || r < 0 || c >= cols || r >= rows) throw EExtGridError(kInvalidCell);
    if (spanx > 0 && spany > 0 && (spanx > cols - c || spany > rows - r)) throw EExtGridError(kInvalidCell);
    ++FMergeCount;
    if (spanx < 1 || spany < 1) return;
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->IsBaseCell = i == c && j == r;
            if (p->IsBaseCell) {
                p->CellSpanX = spanx - 1;
                p->CellSpanY = spany - 1;
            } else {
                p->CellSpanX = i - c;
                p->CellSpanY = j - r;
            }
        }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    if (c < 0 || r < 0 || c >= TotalColCount() || r >= RowCount()) throw EExtGridError(kInvalidCell);
    TCellProperties* p = CellPropsOf(c, r);
    // A cell that no merge touched has no area to undo.
    if (!p || (p->CellSpanX == -1 && p->CellSpanY == -1)) return;
    const TPoint b = BaseCell(c, r);
    TCellProperties* bp = CellPropsOf(b.X, b.Y);
    const int sx = bp ? std::max(0, bp->CellSpanX) : 0, sy = bp ? std::max(0, bp->CellSpanY) : 0;
    const int lastCol = std::min(b.X + sx, TotalColCount() - 1), lastRow = std::min(b.Y + sy, RowCount() - 1);
    for (int i = b.X; i <= lastCol; ++i)
        for (int j = b.Y; j <= lastRow; ++j) {
            TCellProperties* q = GetCellProperties(i, j);
            q->IsBaseCell = true;
            q->CellSpanX = -1;
            q->CellSpanY = -1;
            RepaintCell(i, j);
        }
    if (FMergeCount > 0) --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    if (TCellProperties* p = CellPropsOf(ACol, ARow)) return p->GetBaseCell(ACol, ARow);
    return TPoint(ACol, ARow);
}

bool TBaseGrid::GetBaseCellOf(int ACol, int ARow, int& BCol, int& BRow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    BCol = b.X;
    BRow = b.Y;
    return b == TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    TCellProperties* p = CellPropsOf(ACol, ARow);
    return !p || p->IsBaseCell;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    TCellProperties* p = CellPropsOf(ACol, ARow);
    return p && (p->CellSpanX > 0 || p->CellSpanY > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!CellPropsOf(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = CellPropsOf(b.X, b.Y);
    return bp && bp->CellSpanX > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (!CellPropsOf(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = CellPropsOf(b.X, b.Y);
    return bp && bp->CellSpanY > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    TCellProperties* p = CellPropsOf(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return TPoint(0, 0);
    const TPoint b = p->GetBaseCell(ACol, ARow);
    TCellProperties* bp = CellPropsOf(b.X, b.Y);
    if (!bp) return TPoint(0, 0);
    return TPoint(bp->CellSpanX, bp->CellSpanY);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    TCellProperties* p = CellPropsOf(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return TPoint(0, 0);
    const TPoint b = p->GetBaseCell(ACol, ARow);
    TCellProperties* bp = CellPropsOf(b.X, b.Y);
    if (!bp) return TPoint(0, 0);
    return TPoint(b.X + bp->CellSpanX - ACol, b.Y + bp->CellSpanY - ARow);
}

TRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r), s = CellSpan(c, r);
    return TRect(b.X, b.Y, b.X + s.X, b.Y + s.Y);
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    const int cols = const_cast<TBaseGrid*>(this)->TotalColCount();
    for (int c = 0; c < cols; ++c) {
        const int s = CellSpan(c, ARow).Y;
        if (s > 0 && s < result) result = s;
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    const int cols = const_cast<TBaseGrid*>(this)->TotalColCount();
    for (int c = 0; c < cols; ++c) result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool agreed = false;
    const int cols = const_cast<TBaseGrid*>(this)->TotalColCount();
    for (int c = 0; c < cols; ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
            agreed = true;
        }
    }
    return agreed;
}

// Two columns may join a row merge when, over all rows, their horizontal areas start
// at the same base column (or neither cell is merged horizontally); the first
// difference answers False, and at least one agreeing merged row is needed.
bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool agreed = false;
    for (int r = 0; r < RowCount(); ++r) {
        const int s1 = CellSpan(ACol1, r).X, s2 = CellSpan(ACol2, r).X;
        if (s1 > 0 && s2 > 0) {
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
            agreed = true;
        } else if (s1 != s2) {
            return false;
        }
    }
    return agreed;
}

// ---------------------------------------------------------------- geometry

TRect TBaseGrid::CalcCellRect(int c, int r)
{
    int x = 0, y = 0;
    for (int i = 0; i < c; ++i) x += ColWidths(i);
    for (int j = 0; j < r; ++j) y += RowHeights(j);
    TRect result(x, y, x + (c < ColCount() ? ColWidths(c) : 0), y + (r < RowCount() ? RowHeights(r) : 0));
    int dx = 0, dy = 0;
    if (c >= FixedCols()) {
        for (int i = 0; i < LeftCol(); ++i) dx -= ColWidths(i);
        dx += TCustomGrid::CellRect(LeftCol(), TopRow()).Left;
    }
    if (r >= FixedRows()) {
        for (int j = 0; j < TopRow(); ++j) dy -= RowHeights(j);
        dy += TCustomGrid::CellRect(LeftCol(), TopRow()).Top;
    }
    OffsetRect(result, dx, dy);
    return result;
}

TRect TBaseGrid::CellRect(int c, int r)
{
    TCellProperties* p = CellPropsOf(c, r);
    if (p && !(p->CellSpanX == -1 && p->CellSpanY == -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        TCellProperties* bp = CellPropsOf(b.X, b.Y);
        const int sx = bp ? std::max(0, bp->CellSpanX) : 0, sy = bp ? std::max(0, bp->CellSpanY) : 0;
        TRect r1 = CalcCellRect(b.X, b.Y);
        if (r1.Width() == 0) r1.Right += 1;
        TRect r2 = CalcCellRect(b.X + sx, b.Y + sy);
        if (r2.Width() == 0) r2.Left -= 1;
        return TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                     std::max(r1.Bottom, r2.Bottom));
    }
    if (p && p->Control) return CalcCellRect(c, r);
    TRect result = TCustomGrid::CellRect(c, r);
    if (c >= 0 && c < ColCount()) result.Right = result.Left + ColWidths(c);
    if (r >= 0 && r < RowCount()) result.Bottom = result.Top + RowHeights(r);
    return result;
}

TPoint TBaseGrid::CellSize(int c, int r)
{
    TCellProperties* p = CellPropsOf(c, r);
    if (p && !(p->CellSpanX == -1 && p->CellSpanY == -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        TCellProperties* bp = CellPropsOf(b.X, b.Y);
        const int sx = bp ? std::max(0, bp->CellSpanX) : 0, sy = bp ? std::max(0, bp->CellSpanY) : 0;
        const TRect r1 = CalcCellRect(b.X, b.Y), r2 = CalcCellRect(b.X + sx, b.Y + sy);
        return TPoint(std::max(r1.Right, r2.Right) - std::min(r1.Left, r2.Left),
                      std::max(r1.Bottom, r2.Bottom) - std::min(r1.Top, r2.Top));
    }
    const TRect rc = CalcCellRect(c, r);
    return TPoint(rc.Width(), rc.Height());
}

bool TBaseGrid::AreaInView(int c, int r) const
{
    int c1 = c, r1 = r, c2 = c, r2 = r;
    if (TCellProperties* p = CellPropsOf(c, r); p && !(p->CellSpanX == -1 && p->CellSpanY == -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        TCellProperties* bp = CellPropsOf(b.X, b.Y);
        c1 = b.X;
        r1 = b.Y;
        c2 = b.X + (bp ? std::max(0, bp->CellSpanX) : 0);
        r2 = b.Y + (bp ? std::max(0, bp->CellSpanY) : 0);
    }
    bool rows = false, cols = false;
    for (int j = r1; j <= r2 && !rows; ++j) rows = RowInView(j);
    for (int i = c1; i <= c2 && rows && !cols; ++i) cols = ColInView(i);
    return rows && cols;
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (FGridDestroying || c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return;
    // A cell out of view has nothing on screen to repaint (its rectangle would only be
    // worked out to be clipped away).
    if (!AreaInView(c, r)) return;
    const TRect rc = CellRect(c, r);
    if (!rc.IsEmpty()) InvalidateRect(rc);
}

// ---------------------------------------------------------------- clearing

void TBaseGrid::ClearColCells(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetObjects(ACol, r, nullptr);
        SetCellEx(ACol, r, "");
    }
}

void TBaseGrid::ClearRowCells(int ARow)
{
    const int cols = TotalColCount();
    for (int c = 0; c < cols; ++c) {
        SetObjects(c, ARow, nullptr);
        SetCellEx(c, ARow, "");
    }
}

void TBaseGrid::ClearCell(int ACol, int ARow)
{
    SetCellEx(ACol, ARow, "");
    SetObjects(ACol, ARow, nullptr);
}

void TBaseGrid::FreeCellPropsAt(int ACol, int ARow)
{
    if (auto* p = static_cast<TCellProperties*>(Objects(ACol, ARow))) {
        SetObjects(ACol, ARow, nullptr);
        DeleteCellProperties(p);
    }
}

void TBaseGrid::FreeCellProps(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (!FHasCellProps) return;
    for (int c = std::max(0, ACol1); c <= ACol2; ++c)
        for (int r = std::max(0, ARow1); r <= std::min(ARow2, RowCount() - 1); ++r)
            if (auto* p = static_cast<TCellProperties*>(Objects(c, r))) {
                SetObjects(c, r, nullptr);
                DeleteCellProperties(p);
            }
}

void TBaseGrid::FreeAllCellProps() { FreeCellProps(0, 0, ColCount() - 1, RowCount() - 1); }

// ---- exchanging whole rows (sorting) ----

void TBaseGrid::ExchangeRowCells(int ARow1, int ARow2)
{
    ExchangeRowData(ARow1, ARow2);
    if (ARow1 == ARow2 || !FHasCellProps) return;
    const int cols = std::max(TotalColCount(), FMaxStoredCols);
    for (int c = 0; c < cols; ++c) {
        if (auto* p = dynamic_cast<TCellProperties*>(Objects(c, ARow1))) p->OwnerRow = ARow1;
        if (auto* p = dynamic_cast<TCellProperties*>(Objects(c, ARow2))) p->OwnerRow = ARow2;
    }
}
