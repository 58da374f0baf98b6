// Filtering: rows that fail the grid's filter leave the grid for the hidden-row store,
// one level per application, and come back a level at a time. The conditions come from
// code, from the drop-down list under a header cell's button, or from a narrowing text.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTML.h"
#include "grid/util/GridDateFilter.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

// The width of the header button and how far down it reaches.
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 19;

// A drop-down entry: the friendly name before the first "=", the condition after it
// (the whole entry for both when it has none).
void SplitEntry(const String& Entry, String& FriendlyName, String& Condition)
{
    const size_t eq = Entry.find('=');
    FriendlyName = eq == String::npos ? Entry : Entry.substr(0, eq);
    Condition = eq == String::npos ? Entry : Entry.substr(eq + 1);
}

// The header button's picture when no picture of its own is set: a small funnel.
void EnsureFilterGlyph()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TBitmap b(12, 12);
        TCanvas* c = b.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(TRect(0, 0, 12, 12));
        c->Pen()->SetColor(0x404040);
        for (int y = 2; y < 7; ++y) {
            c->MoveTo(1 + (y - 2), y);
            c->LineTo(11 - (y - 2), y);
        }
        c->MoveTo(5, 7);
        c->LineTo(5, 11);
        c->MoveTo(6, 7);
        c->LineTo(6, 10);
        RegisterResourceGlyph("ASGFILT", &b);
    });
}

bool IsNodeOrSummaryRow(TExtStringGrid* g, int ARow)
{
    const TCellType t = g->GetCellType(0, ARow);
    return t == ctNode || t == ctSummary;
}

}  // namespace

// ---------------------------------------------------------------- matching

String TExtStringGrid::FilterText(const TFilterData* Item, int ARow)
{
    String text;
    switch (Item->Data) {
    case fcVirtual: text = GetFormattedCell(Item->Column, ARow); break;
    case fcNormal: text = GetGridCell(Item->Column, ARow); break;
    case fcStripHTML: text = StripHTMLToText(GetFormattedCell(Item->Column, ARow)); break;
    case fcCalculated: GetFormulaResult(Item->Column, ARow, text); break;
    case fcRow:
        for (int c = 0; c < TotalColCount(); ++c) {
            if (c) text += "\r\n";
            text += GetCellEx(c, ARow);
        }
        break;
    }
    // Most cells need no trimming: keep the text as it is then.
    if (!text.empty() && (static_cast<unsigned char>(text.front()) <= ' ' || static_cast<unsigned char>(text.back()) <= ' '))
        text = Trim(text);
    if (text.size() >= 2 && text[0] == '|' && text[1] == '\\') text = UnpackWideText(text);
    return text;
}

bool TExtStringGrid::MatchFilterRow(int ARow)
{
    bool result = true;
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* item = FFilter->Items(i);
        bool match = false;
        try {
            String text = FilterText(item, ARow);
            if (item->Data == fcRow) {
                match = UpperCaseText(text).find(UpperCaseText(item->Condition)) != String::npos;
            } else {
                if (!item->Prefix.empty() && text.compare(0, item->Prefix.size(), item->Prefix) == 0)
                    text.erase(0, item->Prefix.size());
                if (!item->Suffix.empty()) {
                    const size_t at = text.find(item->Suffix);
                    if (at != String::npos && at + item->Suffix.size() == text.size()) text.erase(at);
                }
                if (item->Condition.empty()) match = true;
                else if (item->Method == fmLiteral) match = item->Condition == text;
                else match = MatchFilterExpression(item->Condition, text, item->CaseSensitive);
            }
        } catch (const Exception&) {
            match = false;
        }
        switch (item->Operation) {
        case foSHORT:
            if (!match) {
                result = false;
                i = FFilter->Count();   // a failed short item ends the evaluation
                continue;
            }
            result = true;
            break;
        case foNONE: result = match; break;
        case foAND: result = result && match; break;
        case foXOR: result = result != match; break;
        case foOR: result = result || match; break;
        }
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, result);
    return result;
}

// ---------------------------------------------------------------- levels

void TExtStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters - 1;
    const int total = last - first + 1;
    TIntList hide(0, 0);
    int tested = 0;
    // Progress is a share of the scrollable rows; without any there is nothing to report.
    auto progress = [&] {
        if (OnFilterProgress && total > 0) OnFilterProgress(this, int(std::lround(tested * 100.0 / total)));
    };
    for (int r = first; r <= last; ++r) {
        // Node and summary rows carry a record in column 0; a grid without records has none.
        if (FilterNormalCellsOnly && FHasCellProps && IsNodeOrSummaryRow(this, r)) continue;
        if (!MatchFilterRow(r)) hide.Add(r);
        ++tested;
        progress();
    }
    HideRowList(&hide);
    progress();
}

void TExtStringGrid::FilterRow(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow)) return;
    const int d = DisplRowIndex(ARow);
    if (d < FixedRows() || d >= RowCount()) return;
    if (!MatchFilterRow(d)) HideRow(ARow);
}

void TExtStringGrid::SetFilterActive(bool Value)
{
    if (Value == FFilterActive) return;
    FFilterActive = Value;
    if (Value) {
        if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows(), true);
        BeginUpdate();
        ApplyFilter();
        EndUpdate();
    } else {
        // Nothing to bring back when the levels were removed meanwhile.
        if (FFilterLevel <= 0) return;
        UnHideRowList();
        --FFilterLevel;
        SetFixedRows(FFilterFixedRows);
        if (FSelHidden) UnHideSelection();
    }
    if (FixedRows() < RowCount()) SetTopRow(FixedRows());
    CalcFooter(-1);
}

bool TExtStringGrid::RemoveLastFilter()
{
    if (FFilterLevel <= 0) return false;
    UnHideRowList();
    SetFixedRows(FFilterFixedRows);
    if (FSelHidden) UnHideSelection();
    CalcFooter(-1);
    --FFilterLevel;
    // With every level gone no filter is applied any more.
    if (FFilterLevel == 0) FFilterActive = false;
    return FFilterLevel > 0;
}

void TExtStringGrid::RemoveAllFilters()
{
    if (FFilterLevel > 0) {
        while (RemoveLastFilter()) {
        }
    } else {
        FFilter->Clear();
    }
}

void TExtStringGrid::NarrowDown(const String& ACondition, int AColumn)
{
    FixedRowAlways = true;
    auto build = [&] {
        FFilter->Clear();
        TFilterData* item = FFilter->Add();
        if (AColumn == -1) {
            item->Data = fcRow;
            item->Condition = ACondition;
        } else {
            item->Data = fcNormal;
            item->Condition = "*" + ACondition + "*";
            if (item->Condition.find(' ') != String::npos) item->Condition = "\"" + item->Condition + "\"";
        }
        item->CaseSensitive = false;
        item->Column = AColumn;
    };
    // One more character (a whole UTF-8 character) than the last text.
    auto extends = [](const String& longer, const String& shorter) {
        if (longer.size() <= shorter.size() || longer.compare(0, shorter.size(), shorter) != 0) return false;
        const std::u32string tail = Utf8ToUtf32(longer.substr(shorter.size()));
        return tail.size() == 1 && (static_cast<unsigned char>(longer[shorter.size()]) & 0xC0) != 0x80;
    };
    if (extends(ACondition, FLastFilter)) {
        build();
        ApplyFilter();
    } else if (!ACondition.empty() && extends(FLastFilter, ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.empty()) {
            build();
            ApplyFilter();
        }
    }
    FLastFilter = ACondition;
    // An empty text leaves no row hidden: rows hidden otherwise come back rather than
    // being dropped with the store.
    if (ACondition.empty() && NumHiddenRows() > 0) {
        UnHideRowsAll();
        FFilterLevel = 0;
    }
}

// ---------------------------------------------------------------- the drop-down

void TExtStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value < 0 || Value >= FixedRows()) return;
    FFilterDropDownRow = Value;
    Invalidate();
}

bool TExtStringGrid::IsOnFilterButton(int X, int Y, int& ACol, int& ARow)
{
    ACol = ARow = -1;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount() || r != FFilterDropDownRow || r >= FixedRows())
        return false;
    const TRect R = CellRect(c, r);
    if (R.Right - X > kButtonWidth || R.Right - X <= 3 || Y - R.Top > kButtonHeight) return false;
    if (!BuildColumnFilter(RealColIndex(c))) return false;
    ACol = c;
    ARow = r;
    return true;
}

bool TExtStringGrid::ShowFilterDropDown(int ACol, int ARow)
{
    const int rc = RealColIndex(ACol);
    HideFilterDropDown();
    if (!BuildColumnFilter(rc)) return false;
    FFilterCol = rc;
    TListBox* list = FilterDropDownCheck ? static_cast<TListBox*>(FDropCheckList) : FDropList;
    list->SetColor(FFilterDropDown->Color);
    list->SetFont(FFilterDropDown->Font());
    list->Items()->Clear();
    String name, condition;
    for (int i = 0; i < FFilterList->Count(); ++i) {
        SplitEntry(FFilterList->Strings(i), name, condition);
        list->Items()->Add(name);
    }
    if (FilterDropDownCheck) {
        for (int i = 0; i < FFilterList->Count(); ++i) {
            SplitEntry(FFilterList->Strings(i), name, condition);
            bool ticked = false;
            for (int k = 0; k < FFilter->Count() && !ticked; ++k)
                ticked = FFilter->Items(k)->Column == rc && FFilter->Items(k)->Condition == condition;
            FDropCheckList->SetChecked(i, ticked);
        }
    }
    list->SetItemIndex(0);
    const TRect cell = CellRect(ACol, ARow);
    int w = FFilterDropDown->Width, h = FFilterDropDown->Height;
    constexpr int edge = 2;
    if (FFilterDropDown->AutoSize) {
        h = list->Count() * list->ItemHeight() + 2 * edge;
        TCanvas measure;
        measure.Font()->Assign(*FFilterDropDown->Font());
        int widest = 0;
        for (int i = 0; i < list->Count(); ++i) widest = std::max(widest, measure.TextWidth(list->Items()->Strings(i)));
        w = widest + 8 + 2 * edge;
    }
    int left = cell.Right - kButtonWidth;
    if (FFilterDropDown->ColumnWidth) {
        left = cell.Left;
        w = cell.Width();
    }
    // A list reaching past the grid's right edge ends at the column's right edge instead.
    if (left + w > ClientWidth()) left = std::max(0, cell.Right - w);
    list->SetBounds(left, cell.Top + kButtonWidth, w, h);
    list->SetVisible(true);
    list->BringToFront();
    if (list->CanFocus()) list->SetFocus();
    return true;
}

void TExtStringGrid::HideFilterDropDown()
{
    if (FDropList->Visible()) FDropList->SetVisible(false);
    if (FDropCheckList->Visible()) FDropCheckList->SetVisible(false);
    FFilterCol = -1;
}

void TExtStringGrid::HandleFilterSelect(int ItemIndex)
{
    if (CanFocus()) SetFocus();
    struct Done {
        int& col;
        ~Done() { col = -1; }
    } done{FFilterCol};
    if (FFilterCol < 0 || FFilterCol >= TotalColCount()) return;
    const int col = FFilterCol;
    BuildColumnFilter(col);
    if (ItemIndex < 0 || ItemIndex >= FFilterList->Count()) return;
    String name, condition;
    SplitEntry(FFilterList->Strings(ItemIndex), name, condition);
    if (condition == FilterDropDownClear) condition.clear();
    if (AutoFilterUpdate) SetFilterActive(false);
    if (OnFilterSelect) OnFilterSelect(this, col, ItemIndex, name, condition);
    if (!condition.empty()) FFilter->GetColFilter(col)->Condition = condition;
    else FFilter->RemoveColumnFilter(col);
    if (AutoFilterUpdate) {
        FixedRowAlways = true;
        SetFilterActive(true);
        if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways)) SetRow(FixedRows());
        FireFilterDone();
    }
}

void TExtStringGrid::HandleFilterCheck()
{
    if (FFilterCol < 0 || FFilterCol >= TotalColCount()) return;
    const int col = FFilterCol;
    BuildColumnFilter(col);
    if (AutoFilterUpdate) SetFilterActive(false);
    FFilter->Clear();
    String name, condition;
    bool first = true;
    for (int i = 0; i < FFilterList->Count() && i < FDropCheckList->Count(); ++i) {
        if (!FDropCheckList->Checked(i)) continue;
        SplitEntry(FFilterList->Strings(i), name, condition);
        if (condition == FilterDropDownClear) condition.clear();
        if (OnFilterCheck) OnFilterCheck(this, col, i, name, condition, FDropCheckList);
        TFilterData* item = FFilter->Add();
        item->Column = col;
        item->Condition = condition;
        item->Operation = first ? foNONE : foOR;
        first = false;
    }
    SetFilterActive(true);
    FDropCheckList->Invalidate();
}

// ---------------------------------------------------------------- the header button

void TExtStringGrid::DrawFilterButton(TCanvas* ACanvas, int RCol, const TRect& R)
{
    const TBitmap* glyph = FFilter->HasFilter(RCol) && !FFilterDropDown->GlyphActive()->Empty()
                               ? FFilterDropDown->GlyphActive()
                               : FFilterDropDown->Glyph();
    const TRect at(R.Right - kButtonWidth, R.Top + 2, R.Right, R.Top + kButtonHeight);
    if (!glyph->Empty()) {
        DrawTransparentBitmap(ACanvas, glyph, FixedColor(), at);
        return;
    }
    EnsureFilterGlyph();
    DrawResourceGlyph(ACanvas, FixedColor(), at, "ASGFILT");
}

bool TExtStringGrid::HasFilterButton(int RCol, int ARow)
{
    return ARow == FFilterDropDownRow && ARow < FixedRows() && BuildColumnFilter(RCol);
}

bool TExtStringGrid::FilterButtonMouseUp(int X, int Y)
{
    int c = -1, r = -1;
    if (IsOnFilterButton(X, Y, c, r)) return ShowFilterDropDown(c, r);
    HideFilterDropDown();
    return false;
}
