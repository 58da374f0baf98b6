// More ways into the feature grid's cells: by real row (hidden rows included), by the
// row order before sorting, by a column's initial position, as wide text; the current
// cell for the editors; the appearance of single cells and whole rows; controls placed
// in cells; the selection, cursor and fixed-cell gradient colours; and the listeners
// told of selection moves and changed cells.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

namespace {
TGridItem* HiddenItem(const std::vector<std::unique_ptr<TGridItem>>& items, int j)
{
    for (const auto& it : items)
        if (it->Idx == j) return it.get();
    return nullptr;
}
}

// ---------------------------------------------------------------- by real row

void TExtStringGrid::SetCellsEx(int i, int j, const String& Value)
{
    if (i < 0 || j < 0) return;
    if (TGridItem* it = HiddenItem(FGridItems, j)) {
        while (it->Items.Count() <= i) it->Items.Add("");
        it->Items.SetStrings(i, Value);
        return;
    }
    const int r = DisplRowIndex(j);
    SetCellEx(i, r, Value);
    const int d = DisplColIndex(i);
    if (d != i) RepaintCell(d, r);
}

void TExtStringGrid::SetGridCellsEx(int i, int j, const String& Value)
{
    if (TGridItem* it = HiddenItem(FGridItems, j)) {
        it->Items.SetStrings(i, Value);
        return;
    }
    SetGridCell(i, DisplRowIndex(j), Value);
}

std::u16string TExtStringGrid::GetWideCellsEx(int i, int j) { return Utf8ToUtf16(GetCellsEx(i, j)); }

void TExtStringGrid::SetWideCellsEx(int i, int j, const std::u16string& Value) { SetCellsEx(i, j, Utf16ToUtf8(Value)); }

std::u16string TExtStringGrid::GetWideCells(int i, int j) { return Utf8ToUtf16(GetCellEx(i, j)); }

void TExtStringGrid::SetWideCells(int i, int j, const std::u16string& Value) { SetCellEx(i, j, Utf16ToUtf8(Value)); }

std::uintptr_t TExtStringGrid::GetObjectsEx(int i, int j)
{
    if (TGridItem* it = HiddenItem(FGridItems, j)) {
        if (i < 0 || i >= it->Items.Count()) return 0;
        TObject* o = it->Items.Objects(i);
        if (auto* p = dynamic_cast<TCellProperties*>(o)) return p->CellObject;
        return reinterpret_cast<std::uintptr_t>(o);
    }
    return GetObjectEx(i, DisplRowIndex(j));
}

void TExtStringGrid::SetObjectsEx(int i, int j, std::uintptr_t aObject)
{
    if (TGridItem* it = HiddenItem(FGridItems, j)) {
        if (i < 0 || i >= it->Items.Count()) return;
        if (auto* p = dynamic_cast<TCellProperties*>(it->Items.Objects(i))) p->CellObject = aObject;
        return;
    }
    SetObjectEx(i, DisplRowIndex(j), aObject);
}

TObject* TExtStringGrid::GetGridObjectEx(int i, int j)
{
    if (TGridItem* it = HiddenItem(FGridItems, j))
        return i >= 0 && i < it->Items.Count() ? it->Items.Objects(i) : nullptr;
    const int r = DisplRowIndex(j);
    if (i < 0 || r < 0 || r >= RowCount() || i >= TotalColCount()) return nullptr;
    return GetGridObject(i, r);
}

// ---------------------------------------------------------------- by sort order and initial position

int TExtStringGrid::SortedRowIndex(int ARow)
{
    int k = ARow;
    if (ARow >= 0 && ARow < FSortCross->Count()) k = FSortCross->GetInteger(ARow);
    return RealRowIndex(k);
}

int TExtStringGrid::UnSortedRowIndex(int ARow)
{
    if (FSortCross->Count() == 0) return ARow;
    const int p = FSortCross->IndexOf(ARow);
    return p < 0 ? FSortCross->Count() : p;
}

String TExtStringGrid::GetUnSortedCell(int i, int j)
{
    int r = j;
    if (FSortCross->Count() >= j && FSortCross->Count() > 0) {
        const int p = FSortCross->IndexOf(j);
        r = p < 0 ? FSortCross->Count() : p;
    }
    return GetCellEx(i, r);
}

void TExtStringGrid::SetUnSortedCell(int i, int j, const String& Value)
{
    int r = j;
    if (FSortCross->Count() >= j && FSortCross->Count() > 0) {
        const int p = FSortCross->IndexOf(j);
        r = p < 0 ? FSortCross->Count() : p;
    }
    SetCellEx(i, r, Value);
}

int TExtStringGrid::ColumnPosition(int ACol)
{
    if (FColumnOrder->Count() == 0) return ACol;
    int pos = ACol;
    const int n = std::min(FColumnOrder->Count(), TotalColCount());
    for (int p = 0; p < n; ++p)
        if (FColumnOrder->GetInteger(p) == ACol) {
            pos = p;
            break;
        }
    if (FGroupColumn != -1 && FGroupColumn <= ACol) --pos;
    return pos;
}

int TExtStringGrid::ColumnAtPosition(int ACol)
{
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        if (FColumnOrder->Count() == 0) return ACol;
    }
    if (ACol < 0 || ACol >= FColumnOrder->Count()) return ACol;
    int c = FColumnOrder->GetInteger(ACol);
    if (FGroupColumn != -1 && c >= FGroupColumn) ++c;
    return c;
}

String TExtStringGrid::GetOriginalCells(int i, int j)
{
    int c = ColumnPosition(i);
    if (c == -1) c = i;
    return GetCellEx(c, j);
}

void TExtStringGrid::SetOriginalCells(int i, int j, const String& Value)
{
    int c = ColumnPosition(i);
    if (c == -1) c = i;
    SetCellEx(c, j, Value);
}

int TExtStringGrid::ColumnByHeader(const String& AValue)
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (GetCellsEx(c, 0) == AValue) return c;
    return -1;
}

// ---------------------------------------------------------------- the current cell

String TExtStringGrid::GetCurrentCell()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return GetGridCell(b.X, b.Y);
}

String TExtStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return GetCellEx(b.X, b.Y);
}

void TExtStringGrid::SetCurrentCell(const String& Value)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetCellEx(b.X, b.Y, Value);
}

void TExtStringGrid::SetCurrentEditText(const String& Value)
{
    const TPoint b = BaseCell(Col(), Row());
    SetEditText(b.X, b.Y, Value);
}

// ---------------------------------------------------------------- per-cell appearance

TColor TExtStringGrid::GetColors(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->BrushColor() : clNone;
}

void TExtStringGrid::SetColors(int i, int j, TColor Value)
{
    GetCellProperties(i, j)->SetBrushColor(Value);
}

TColor TExtStringGrid::GetColorsTo(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->BrushColorTo() : clNone;
}

void TExtStringGrid::SetColorsTo(int i, int j, TColor Value) { GetCellProperties(i, j)->SetBrushColorTo(Value); }

TGradientDirection TExtStringGrid::GetGradientDir(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->GradientDirection : GradientVertical;
}

void TExtStringGrid::SetGradientDir(int i, int j, TGradientDirection Value)
{
    GetCellProperties(i, j)->GradientDirection = Value;
    RepaintCell(DisplColIndex(i), j);
}

bool TExtStringGrid::GetReadOnly(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->ReadOnly : false;
}

void TExtStringGrid::SetReadOnly(int i, int j, bool Value)
{
    GetCellProperties(i, j)->ReadOnly = Value;
    RepaintCell(DisplColIndex(i), j);
}

bool TExtStringGrid::GetWordWraps(int i, int j) { return GetCellProperties(i, j)->WordWrap(); }

void TExtStringGrid::SetWordWraps(int i, int j, bool Value) { GetCellProperties(i, j)->SetWordWrap(Value); }

TColor TExtStringGrid::GetFontColors(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->FontColor : clNone;
}

void TExtStringGrid::SetFontColors(int i, int j, TColor Value)
{
    GetCellProperties(i, j)->FontColor = Value;
    RepaintCell(DisplColIndex(i), j);
}

TFontStyles TExtStringGrid::GetFontStyles(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->FontStyle : TFontStyles();
}

void TExtStringGrid::SetFontStyles(int i, int j, TFontStyles Value)
{
    GetCellProperties(i, j)->FontStyle = Value;
    RepaintCell(DisplColIndex(i), j);
}

String TExtStringGrid::GetFontNames(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->FontName : String();
}

void TExtStringGrid::SetFontNames(int i, int j, const String& Value)
{
    GetCellProperties(i, j)->FontName = Value;
    RepaintCell(DisplColIndex(i), j);
}

int TExtStringGrid::GetFontSizes(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->FontSize : 0;
}

void TExtStringGrid::SetFontSizes(int i, int j, int Value)
{
    GetCellProperties(i, j)->FontSize = Value;
    RepaintCell(DisplColIndex(i), j);
}

TAlignment TExtStringGrid::GetAlignments(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->Alignment : taLeftJustify;
}

void TExtStringGrid::SetAlignments(int i, int j, TAlignment Value)
{
    GetCellProperties(i, j)->Alignment = Value;
    RepaintCell(DisplColIndex(i), j);
}

void TExtStringGrid::SetCellFont(int i, int j, const TFont* AFont)
{
    TCellProperties* p = GetCellProperties(i, j);
    p->FontName = AFont->Name();
    p->FontSize = AFont->Size();
    p->FontStyle = AFont->Style();
    p->FontColor = AFont->Color();
    if (FUpdateCount == 0) RepaintCell(DisplColIndex(i), j);
}

int TExtStringGrid::GetLinesInCell(int i, int j)
{
    const String s = CRLFToLF(GetCellEx(i, j));
    return int(std::count(s.begin(), s.end(), '\n') + std::count(s.begin(), s.end(), '\r')) + 1;
}

// ---------------------------------------------------------------- whole rows

void TExtStringGrid::SetRowColor(int i, TColor AColor)
{
    for (int c = FixedCols(); c < TotalColCount(); ++c) {
        if (AColor != clNone) {
            GetCellProperties(c, i)->SetBrushColor(AColor);
        } else if (TCellProperties* p = CellPropsOf(c, i)) {
            const TCellType t = GetCellType(c, i);
            if ((t == ctNone || t == ctEmpty) && !p->FGraphicObject && !IsMergedCell(c, i)) FreeCellPropsAt(c, i);
            else p->SetBrushColor(clNone);
        }
    }
    InvalidateRow(i);
}

void TExtStringGrid::SetRowColorTo(int i, TColor AColor)
{
    for (int c = FixedCols(); c < TotalColCount(); ++c) {
        if (AColor != clNone) {
            GetCellProperties(c, i)->SetBrushColorTo(AColor);
        } else if (TCellProperties* p = CellPropsOf(c, i)) {
            // A cell holding an object or part of a merged area keeps its record.
            if (!p->FGraphicObject && !IsMergedCell(c, i)) FreeCellPropsAt(c, i);
            else p->SetBrushColorTo(clNone);
        }
    }
    InvalidateRow(i);
}

void TExtStringGrid::SetRowFontColor(int i, TColor AColor)
{
    for (int c = FixedCols(); c < TotalColCount(); ++c) {
        if (AColor != clNone) {
            GetCellProperties(c, i)->FontColor = AColor;
        } else if (TCellProperties* p = CellPropsOf(c, i)) {
            if (p->BrushColor() == clNone && !p->FGraphicObject && !IsMergedCell(c, i)) FreeCellPropsAt(c, i);
            else p->FontColor = clNone;
        }
    }
    InvalidateRow(i);
}

// ---------------------------------------------------------------- controls in cells

TControl* TExtStringGrid::GetCellControls(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    return p ? p->Control : nullptr;
}

void TExtStringGrid::SetCellControls(int i, int j, TControl* AControl)
{
    const int realRow = RealRowIndex(j);
    if (!AControl) {
        if (TCellProperties* p = CellPropsOf(i, j)) {
            if (p->Control) {
                const int idx = FControlList->ControlIndex(i, realRow);
                if (idx >= 0) FControlList->RemoveControl(idx);
            }
            p->Control = nullptr;
        }
        return;
    }
    const int idx = FControlList->ControlIndex(i, realRow);
    if (idx >= 0) FControlList->RemoveControl(idx);
    FControlList->AddControl(i, realRow, AControl);
    GetCellProperties(i, j)->Control = AControl;
    AControl->SetParent(this);
    const TRect r = CellRect(DisplColIndex(i), j);
    AControl->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

// ---------------------------------------------------------------- selection, cursor, colours

void TExtStringGrid::SetSelection(const TGridRect& Value)
{
    TBaseGrid::SetSelection(Value);
    if (ActiveCellShow) {
        InvalidateRow(0);
        RepaintCol(0);
    }
    if (ActiveRowShow()) InvalidateRow(Value.Bottom);
}

void TExtStringGrid::SetCursor(TCursor Value)
{
    TBaseGrid::SetCursor(Value);
    FOldCursor = Value;
}

void TExtStringGrid::SetWYXGradientFrom(TColor Value)
{
    WYXGradientFrom = Value == clNone ? clNone : ColorToRGB(Value);
    Invalidate();
}

void TExtStringGrid::SetWYXGradientTo(TColor Value)
{
    WYXGradientTo = Value == clNone ? clNone : ColorToRGB(Value);
    Invalidate();
}

void TExtStringGrid::SetWYXGradientMirrorFrom(TColor Value)
{
    WYXGradientMirrorFrom = Value == clNone ? clNone : ColorToRGB(Value);
    Invalidate();
}

void TExtStringGrid::SetWYXGradientMirrorTo(TColor Value)
{
    WYXGradientMirrorTo = Value == clNone ? clNone : ColorToRGB(Value);
    Invalidate();
}

void TExtStringGrid::RegisterNotifier(TObject* ANotifier)
{
    if (std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier) == FNotifierList.end())
        FNotifierList.push_back(ANotifier);
}

void TExtStringGrid::UnRegisterNotifier(TObject* ANotifier)
{
    auto it = std::find(FNotifierList.begin(), FNotifierList.end(), ANotifier);
    if (it != FNotifierList.end()) FNotifierList.erase(it);
}
