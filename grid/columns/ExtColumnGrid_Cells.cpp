// The column grid's answers to the grid's per-cell questions: every answer comes from
// the item of the cell's column before the application's event has its say. Columns
// beyond the collection get the string grid's answers.
#include <algorithm>

#include "grid/columns/ExtColumnGrid.h"
#include "grid/util/GridTextUtils.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"

bool TExtColumnGrid::IsBodyCell(int ACol, int ARow)
{
    return ACol >= FixedCols() && ACol < TotalColCount() - FixedRightCols && ARow >= FixedRows() &&
           ARow < RowCount() - FixedFooters;
}

bool TExtColumnGrid::IsVirtualCheckCell(int ACol, int ARow)
{
    TGridColumnItem* it = ItemOf(ACol);
    return it && it->FEditorType == edDataCheckBox && IsBodyCell(ACol, ARow);
}

// ---------------------------------------------------------------- check-box columns

TCellType TExtColumnGrid::GetCellType(int ACol, int ARow)
{
    // A body cell of a check-box column without an object of its own.
    if (!GridDestroying() && FColumnCollection && IsVirtualCheckCell(ACol, ARow) &&
        !TExtStringGrid::GetCellGraphic(ACol, ARow))
        return ctDataCheckBox;
    return TExtStringGrid::GetCellType(ACol, ARow);
}

TCellGraphic* TExtColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TExtStringGrid::GetCellGraphic(ACol, ARow);
    if (GridDestroying() || !FColumnCollection || g) return g;
    if (!IsVirtualCheckCell(ACol, ARow)) return g;
    // One object for every such cell, rewritten at each question.
    FCellGraphic->CellType = ctVirtCheckBox;
    FCellGraphic->CellHAlign = haLeft;
    FCellGraphic->CellVAlign = vaTop;
    FCellGraphic->CellTransparent = ControlLook()->ControlStyle == csFlat;
    return FCellGraphic.get();
}

void TExtColumnGrid::GetCheckTrue(int ACol, int ARow, String& Value)
{
    TExtStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (TGridColumnItem* it = ItemOf(ACol); it && IsBodyCell(ACol, ARow)) Value = it->FCheckTrue;
}

void TExtColumnGrid::GetCheckFalse(int ACol, int ARow, String& Value)
{
    TExtStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (TGridColumnItem* it = ItemOf(ACol); it && IsBodyCell(ACol, ARow)) Value = it->FCheckFalse;
}

// ---------------------------------------------------------------- appearance

void TExtColumnGrid::FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    TGridColumnItem* it = ItemOf(ACol);
    if (it && ACol >= FixedCols() && ACol < TotalColCount() - FixedRightCols && ARow < RowCount() - FixedFooters) {
        if (it->FFixed) {
            ABrush->SetColor(FixedColor());
        } else if ((!it->FShowBands || !Bands()->Active()) && ARow >= FixedRows()) {
            ABrush->SetColor(it->FColor);
        }
        AFont->Assign(ARow < FixedRows() ? *it->FHeaderFont : *it->FFont);
        if (TCellProperties* p = CellPropsOf(ACol, ARow)) {
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        }
    }
    TExtStringGrid::FireGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (TGridColumnItem* it = ItemOf(ACol)) {
        const bool fixed = ACol < FixedCols() || ACol >= TotalColCount() - FixedRightCols || ARow < FixedRows() ||
                           ARow >= RowCount() - FixedFooters;
        if (fixed) {
            AFont->Assign(*PrintSettings()->FixedFont());
        } else {
            if (it->FFixed) {
                ABrush->SetColor(FixedColor());
            } else if (!it->FShowBands || !Bands()->Active() || !Bands()->Print) {
                ABrush->SetColor(it->FPrintColor);
                if (TCellProperties* p = CellPropsOf(ACol, ARow); p && p->BrushColor() != clNone)
                    ABrush->SetColor(p->BrushColor());
            }
            if (it->FPrintFontCustom) {
                AFont->Assign(*it->FPrintFont);
                if (TCellProperties* p = CellPropsOf(ACol, ARow)) {
                    if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
                    if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
                    if (p->FontSize != 0) AFont->SetSize(p->FontSize);
                    if (!p->FontName.empty()) AFont->SetName(p->FontName);
                }
            } else {
                AFont->Assign(*PrintSettings()->Font());
            }
        }
    }
    TExtStringGrid::FireGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::FireGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* it = ItemOf(ACol); it && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = it->FBorders;
        APen->Assign(*it->FBorderPen);
    }
    TExtStringGrid::FireGetCellBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (TGridColumnItem* it = ItemOf(ACol); it && it->FPrintBorderCustom && ACol >= FixedCols() && ARow >= FixedRows()) {
        Borders = it->FPrintBorders;
        APen->Assign(*it->FPrintBorderPen);
    }
    TExtStringGrid::FireGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (TGridColumnItem* it = ItemOf(ACol)) {
        HAlign = ARow < FixedRows() ? it->FHeaderAlignment : it->FAlignment;
        if (TCellProperties* p = CellPropsOf(ACol, ARow)) HAlign = p->Alignment;
    }
    TExtStringGrid::FireGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtColumnGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TGradientDirection& GD)
{
    TGridColumnItem* it = ItemOf(ACol);
    if (!it) {
        TExtStringGrid::GetCellDefaults(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, HA, VA,
                                        WW, GD);
        return;
    }
    AFont->Assign(*it->FFont);
    ABrush->SetColor(it->FColor);
    AColorTo = clNone;
    HA = ARow < FixedRows() ? it->FHeaderAlignment : it->FAlignment;
    VA = VAlignment;
    WW = WordWrap();
    GD = GradientVertical;
    if (IsFixed(DisplColIndex(ACol), ARow) || (Bands()->Active() && it->FShowBands)) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

// ---------------------------------------------------------------- display text and sorting

String TExtColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    TGridColumnItem* it = ItemOf(ACol);
    if (!it) return TExtStringGrid::GetFormattedCell(ACol, ARow);
    const String text = GetCellEx(ACol, ARow);
    String fmt = it->FFloatFormat;
    // Without a format there is nothing to format (and the number test reads the
    // regional settings, which is not free for every painted cell).
    if (fmt.empty() && !OnGetFloatFormat) return text;
    const int kind = GetNumberKind(text);
    bool isFloat = kind == nkInteger || kind == nkDecimal;
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (fmt.empty() || !isFloat) return text;
    double v = 0;
    if (!TryStrToFloat(Trim(text), v, GetDecimalSeparator()) && !TryStrToFloat(NormalizeNumberText(text), v, '.'))
        return text;
    try {
        return Format(fmt, {v});
    } catch (const Exception&) {
        return text;
    }
}

String TExtColumnGrid::GetColumnFloatFormat(int ACol)
{
    if (TGridColumnItem* it = ItemOf(ACol); it && !it->FFloatFormat.empty()) return it->FFloatFormat;
    return TExtStringGrid::GetColumnFloatFormat(ACol);
}

void TExtColumnGrid::FireGetFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)
{
    if (TGridColumnItem* it = ItemOf(ACol)) {
        AStyle = it->FSortStyle;
        aPrefix = it->FSortPrefix;
        aSuffix = it->FSortSuffix;
    }
    TExtStringGrid::FireGetFormat(ACol, AStyle, aPrefix, aSuffix);
}

// ---------------------------------------------------------------- editing

void TExtColumnGrid::GetEditorTypeOf(int ACol, int ARow, TEditorType& AEditor)
{
    if (TGridColumnItem* it = ItemOf(ACol)) {
        if (ACol >= FixedCols() && ARow >= FixedRows()) {
            AEditor = it->FEditorType;
            if (TComboBox* combo = ComboEditor()) {
                combo->Items()->Assign(*it->FComboItems);
                combo->SetDropDownCount(it->FDropDownCount);
            }
            if (const auto& spinRange = GridEditorParts().SetSpinRange)
                spinRange(this, it->FSpinMin, it->FSpinMax, it->FSpinStep);
            SetEditLink(it->FEditLink);
            ControlLook()->DropDownCount = it->FDropDownCount;
        }
        if (!it->FFloatFormat.empty()) FloatFormat = it->FFloatFormat;
    }
    TExtStringGrid::GetEditorTypeOf(ACol, ARow, AEditor);
}

void TExtColumnGrid::IsFixedCellEx(int ACol, int ARow, bool& IsFixed)
{
    if (TGridColumnItem* it = ItemOf(RealColIndex(ACol)); it && ACol >= FixedCols() && ARow >= FixedRows())
        IsFixed = it->FFixed;
    TExtStringGrid::IsFixedCellEx(ACol, ARow, IsFixed);
}

void TExtColumnGrid::FireCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    if (!FLoading && ACol < FColumnCollection->Count() && ACol >= FixedCols() && ARow >= FixedRows()) {
        TGridColumnItem* it = FColumnCollection->FItems[size_t(ACol)];
        CanEdit = !(it->FReadOnly || it->FFixed);
        if (CanEdit)
            if (TCellProperties* p = CellPropsOf(ACol, ARow)) CanEdit = !p->ReadOnly;
    }
    if (OnCanEditCell) {
        const TPoint b = BaseCell(ACol, ARow);
        OnCanEditCell(this, b.Y, b.X, CanEdit);
    }
}

void TExtColumnGrid::FireIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (TGridColumnItem* it = ItemOf(ACol)) IsPassword = it->FPassword;
    TExtStringGrid::FireIsPasswordCell(ACol, ARow, IsPassword);
}

bool TExtColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (TGridColumnItem* it = ItemOf(ACol); it && ACol >= FixedCols() && ARow >= FixedRows())
        has = it->FEditorType == edComboEdit || it->FEditorType == edComboList;
    if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, has);
    return has;
}

int TExtColumnGrid::GetEditLimit()
{
    const int c = Col();
    if (FColumnCollection && c < FColumnCollection->Count() && c >= FixedCols())
        if (TGridColumnItem* it = ItemOf(RealColIndex(c))) return it->FEditLength;
    return TExtStringGrid::GetEditLimit();
}

String TExtColumnGrid::GetEditMask(int ACol, int ARow)
{
    String mask;
    if (FColumnCollection && ACol < FColumnCollection->Count() && ACol >= FixedCols())
        if (TGridColumnItem* it = ItemOf(RealColIndex(ACol))) mask = it->FEditMask;
    const String inherited = TExtStringGrid::GetEditMask(ACol, ARow);
    if (!inherited.empty()) mask = inherited;
    return mask;
}

// ---------------------------------------------------------------- sizing limits

void TExtColumnGrid::FireUpdateColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* it = ItemOf(RealColIndex(ACol))) {
        if (it->FMinSize > 0 && AWidth < it->FMinSize) AWidth = it->FMinSize;
        if (it->FMaxSize > 0 && AWidth > it->FMaxSize) AWidth = it->FMaxSize;
    }
    TExtStringGrid::FireUpdateColumnSize(ACol, AWidth);
}

void TExtColumnGrid::FireUpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (TGridColumnItem* it = ItemOf(RealColIndex(ACol))) {
        if (it->FAutoMinSize > 0 && AWidth < it->FAutoMinSize) AWidth = it->FAutoMinSize;
        if (it->FAutoMaxSize > 0 && AWidth > it->FAutoMaxSize) AWidth = it->FAutoMaxSize;
    }
    TExtStringGrid::FireUpdateAutoColumnSize(ACol, AWidth);
}

// ---------------------------------------------------------------- filter lists

bool TExtColumnGrid::BuildColumnFilter(int ACol)
{
    FilterList()->SetSorted(false);
    TExtStringGrid::BuildColumnFilter(ACol);
    TGridColumnItem* it = ItemOf(ACol);
    if (!it || it->FFilter->Count() == 0) return false;
    // Each line is a condition, or a friendly name, "=" and a condition.
    TStringList names;
    for (int i = 0; i < it->FFilter->Count(); ++i) {
        const String& line = it->FFilter->Strings(i);
        const size_t eq = line.find('=');
        names.Add(eq == String::npos ? line : line.substr(0, eq));
    }
    FilterList()->Assign(names);
    return true;
}

void TExtColumnGrid::HandleFilterSelect(int ItemIndex)
{
    struct Done {
        int& col;
        ~Done() { col = -1; }
    } done{FFilterCol};
    TGridColumnItem* it = FFilterCol >= 0 ? ItemOf(FFilterCol) : nullptr;
    if (!it || ItemIndex < 0 || ItemIndex >= it->FFilter->Count()) return;
    const String& line = it->FFilter->Strings(ItemIndex);
    const size_t eq = line.find('=');
    const String name = eq == String::npos ? line : line.substr(0, eq);
    if (FAutoFilterDisplay) it->SetHeader(name);
    if (AutoFilterUpdate) SetFilterActive(false);
    String condition = eq == String::npos ? line : line.substr(eq + 1);
    if (OnFilterSelect) OnFilterSelect(this, FFilterCol, ItemIndex, name, condition);
    TFilterData* data = Filter()->GetColFilter(FFilterCol);
    data->Condition = condition;
    data->CaseSensitive = it->FFilterCaseSensitive;
    if (AutoFilterUpdate) {
        SetFilterActive(true);
        if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways)) SetRow(FixedRows());
        FireFilterDone();
    }
}

// ---------------------------------------------------------------- column popup menus

void TExtColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtStringGrid::MouseDown(Button, Shift, X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return;
    TGridColumnItem* it = ItemOf(RealColIndex(c));
    if (!it || !it->FColumnPopup) return;
    const TColumnPopupType t = it->FColumnPopupType;
    bool fixedRows = false, otherRows = false;
    if (Button == mbLeft) {
        fixedRows = t == cpFixedCellsLClick || t == cpAllCellsLClick;
        otherRows = t == cpNormalCellsLClick || t == cpAllCellsLClick;
    } else if (Button == mbRight) {
        fixedRows = t == cpFixedCellsRClick || t == cpAllCellsRClick;
        otherRows = t == cpNormalCellsRClick || t == cpAllCellsRClick;
    }
    if (!fixedRows && !otherRows) return;
    if (OnColumnPopup) OnColumnPopup(this, c, r, it->FColumnPopup);
    const bool inFixed = r < FixedRows();
    if ((inFixed && fixedRows) || (!inFixed && otherRows)) {
        const TRect rc = CellRect(c, r);
        const TPoint pt = ClientToScreen(TPoint(rc.Left, rc.Bottom));
        it->FColumnPopup->SetPopupComponent(this);
        it->FColumnPopup->Popup(pt.X, pt.Y);
    }
}
