// The per-cell questions of the grid (editability, fixedness, check texts, colours,
// alignment ...), each answered from the grid's settings and then by its event; the
// start values of a new cell record; the cell's look for the painter and its content.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- events only

void TExtStringGrid::FireCanEditCellEvent(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExtStringGrid::FireSearchFooterAction(const String& Value, int ACol, int ARow, TSearchAction SearchAction)
{
    if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TExtStringGrid::FireButtonClick(int ACol, int ARow)
{
    if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TExtStringGrid::FireExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
    if (ARow >= 0 && ARow < RowCount()) SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TExtStringGrid::FireComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TExtStringGrid::FireComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TExtStringGrid::FireGetCellCursor(int ACol, int ARow, int X, int Y)
{
    if (!OnGetCellCursor) return;
    TCursor c = Cursor();
    OnGetCellCursor(this, ACol, ARow, X, Y, c);
    SetCursor(c);
}

void TExtStringGrid::FireGridHint(int ACol, int ARow, String& hint, std::u16string& widehint)
{
    if (OnGridHint) OnGridHint(this, ARow, ACol, hint);
    if (OnGridWideHint) OnGridWideHint(this, ARow, ACol, widehint);
    if (!widehint.empty()) hint = PackWideText(Utf16ToUtf8(widehint));
}

void TExtStringGrid::FireGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::FireGetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::FireGetFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)
{
    if (OnGetFormat) OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

void TExtStringGrid::FireGetEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExtStringGrid::GetEditorTypeOf(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExtStringGrid::FireIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExtStringGrid::FireGetWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

void TExtStringGrid::GetCheckTrue(int ACol, int ARow, String& Value)
{
    Value = CheckTrue;
    if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExtStringGrid::GetCheckFalse(int ACol, int ARow, String& Value)
{
    Value = CheckFalse;
    if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

// ---------------------------------------------------------------- answers with rules

void TExtStringGrid::FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ActiveCellShow) {
        const int d = DisplColIndex(ACol);
        if ((ARow == RealRow() && d == FixedCols() - 1 && FixedCols() > 0) ||
            (d == Col() && ARow == FixedRows() - 1 && FixedRows() > 0)) {
            AFont->Assign(*FActiveCellFont);
            ABrush->SetColor(ActiveCellColor);
        }
    }
    if (TCellProperties* p = CellPropsOf(ACol, ARow)) {
        // Cells with controls and pictures keep the brush the grid gives them.
        static const TCellTypeSet kOwnBrush{ctIcon, ctNone, ctImageList, ctEmpty, ctImages, ctComment};
        if (kOwnBrush.Contains(GetCellType(ACol, ARow)) && p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
    }
    if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::FireGetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    // Group headers are underlined and summary rows lined on top when grouping asks for it.
    if (FNumNodes > 0 && FGrouping->HeaderUnderline && IsNode(ARow)) {
        APen->SetColor(FGrouping->HeaderLineColor);
        APen->SetWidth(FGrouping->HeaderLineWidth);
        Borders << cbBottom;
    }
    if (FGrouping->SummaryLine && IsSummary(ARow)) {
        APen->SetColor(FGrouping->SummaryLineColor);
        APen->SetWidth(FGrouping->SummaryLineWidth);
        Borders << cbTop;
    }
    if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
    if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

bool TExtStringGrid::IsNoEditCell(int ACol, int ARow)
{
    if (!OnGetEditorType) return false;
    TEditorType e = edNormal;
    OnGetEditorType(this, ACol, ARow, e);
    return e == edNone;
}

void TExtStringGrid::IsFixedCellEx(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (FixedRowAlways && ARow <= FMinFixedRows && RowCount() == FMinFixedRows) ||
              (FixedColAlways && ACol < FMinFixedCols && ColCount() == FMinFixedCols) || ACol < FixedCols() ||
              ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TExtStringGrid::IsFixed(int ACol, int ARow)
{
    bool f = false;
    IsFixedCellEx(ACol, ARow, f);
    return f;
}

void TExtStringGrid::FireCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (TCellProperties* p = CellPropsOf(b.X, b.Y); p && CanEdit) {
        CanEdit = !p->ReadOnly;
        if (!Options().Contains(goEditing) && !FEditDisabled && !FMouseActions->RangeSelectAndEdit) CanEdit = false;
    }
    if (b.X < ColCount() + NumHiddenColumns()) FireCanEditCellEvent(b.X, b.Y, CanEdit);
    else CanEdit = true;
}

bool TExtStringGrid::HasComboBox(int ACol, int ARow)
{
    if (OnHasComboBox) {
        bool has = false;
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook->DropDownAlwaysVisible) {
        TEditorType e = DefaultEditor;
        GetEditorTypeOf(ACol, ARow, e);
        return e == edComboEdit || e == edComboList;
    }
    return false;
}

bool TExtStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows()) return false;
    if (OnHasSpinEdit) {
        bool has = false;
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (FControlLook->SpinButtonsAlwaysVisible) {
        TEditorType e = DefaultEditor;
        FireGetEditorType(ACol, ARow, e);
        return e == edSpinEdit || e == edFloatSpinEdit || e == edTimeSpinEdit || e == edDateSpinEdit;
    }
    return false;
}

bool TExtStringGrid::BuildColumnFilter(int ACol)
{
    FFilterList->Clear();
    if (FilterDropDownAuto && (ACol >= FixedCols() || FilterDropDownColumns == fdAll)) {
        FFilterList->SetDuplicates(dupIgnore);
        FFilterList->SetSorted(true);
        auto add = [this](const String& text) {
            const String s = Trim(text);
            FFilterList->Add(s.find(' ') != String::npos ? s + "=\"" + s + "\"" : s);
        };
        for (int r = FixedRows(); r <= RowCount() - FixedFooters - 1; ++r) add(GetCellEx(ACol, r));
        if (!FilterIncremental)
            for (auto& item : FGridItems)
                if (ACol < item->Items.Count()) add(item->Items.Strings(ACol));
        FFilterList->SetSorted(false);
        if (!FilterDropDownClear.empty()) FFilterList->Insert(0, FilterDropDownClear);
    }
    if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, FFilterList.get());
    return FFilterList->Count() > 0;
}

// ---------------------------------------------------------------- defaults, fonts, editors

void TExtStringGrid::GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                     TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TGradientDirection& GD)
{
    TGridDrawState state;
    GetVisualProperties(DisplColIndex(ACol), ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor,
                        AMirrorColorTo, AFont, HA, VA, WW, GD);
    // A record does not fix a background the grid paints anyway or paints its own way.
    if (IsFixed(ACol, ARow) || FBands->Active() || FBackGround->Display == bdGradientHorz ||
        FBackGround->Display == bdGradientVert || state.Contains(gdSelected) || ABrush->Color() == Color()) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

TFont* TExtStringGrid::GetCellFont(int i, int j)
{
    TCellProperties* p = CellPropsOf(i, j);
    if (!p) return Font();
    FCellFont->SetName(p->FontName);
    FCellFont->SetSize(p->FontSize);
    FCellFont->SetStyle(p->FontStyle);
    FCellFont->SetColor(p->FontColor);
    return FCellFont.get();
}

TForm* TExtStringGrid::GetOwnerForm(TControl* AControl)
{
    for (TControl* c = AControl; c; c = c->Parent())
        if (auto* f = dynamic_cast<TForm*>(c)) return f;
    return nullptr;
}

String TExtStringGrid::GetEditMask(int ACol, int ARow)
{
    String mask = EditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

TInplaceEdit* TExtStringGrid::CreateEditor()
{
    if (const auto& create = GridEditorParts().CreateTextEditor) return create(this);
    return TBaseGrid::CreateEditor();
}

void TExtStringGrid::FireGetDisplText(int ACol, int ARow, String& Value)
{
    TBaseGrid::FireGetDisplText(ACol, ARow, Value);
    if (FURLShowInText) {
        // At most one anchor per cell: the first prefix that links.
        for (const char* prefix : {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"}) {
            String out;
            if (LinkifyURL(Value, prefix, out)) {
                Value = out;
                break;
            }
        }
    }
    // A group header shows the number of its data rows.
    if (FGrouping->ShowGroupCount && ACol == 1 && IsNode(ARow)) {
        const int n = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        String count = " (" + IntToStr(n) + ")";
        // A format that does not take the number leaves the plain count.
        if (!FGrouping->GroupCountFormat.empty()) {
            try {
                count = Format(FGrouping->GroupCountFormat, {n});
            } catch (const Exception&) {
            }
        }
        Value += count;
    }
}

// ---------------------------------------------------------------- the look of a cell

// GetVisualProperties and DrawCellContent: ExtGrid_CellContent.cpp.



// ---------------------------------------------------------------- rows from the keyboard

void TExtStringGrid::AutoInsertRow(int ARow)
{
    // In a tree the row joins the node it is inserted in.
    if (HasNodes()) {
        const int real = RealRowIndex(ARow);
        // On a node row the new row goes right below it; the node keeps its texts.
        if (GetParentRow(ARow) == -1) InsertNormalRow(real);
        else InsertChildRow(real, IsNode(ARow) ? 1 : 0);
        return;
    }
    // The new row is a step of the linked undo history.
    TUndoRowsScope undoStep(this, TUndoRowChange::rcInsert, std::clamp(ARow, 0, RowCount()), 1);
    InsertDisplayRows(ARow, 1);
    // Controls placed in cells stay with their rows.
    if (FControlList->Count() > 0) {
        const int real = RealRowIndex(ARow);
        for (int i = 0; i < FControlList->Count(); ++i)
            if (TControlItem* it = FControlList->GetControl(i); it->Y >= real) ++it->Y;
        CellControlsUpdate(false);
    }
}

void TExtStringGrid::AutoDeleteRow(int ARow)
{
    if (HasNodes()) {
        const int real = RealRowIndex(ARow);
        if (GetParentRow(ARow) == -1) RemoveNormalRow(real);
        else RemoveChildRow(real);
        if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
        return;
    }
    if (RowCount() - FixedRows() - FixedFooters > 1 || FixedRowAlways) {
        // The removal is a step of the linked undo history, which keeps the row's cells;
        // without one the row's records are freed with it.
        TUndoRowsScope undoStep(this, TUndoRowChange::rcRemove, ARow, 1);
        for (int c = 0; c < TotalColCount(); ++c) FreeCellPropsAt(c, ARow);
        RemoveDisplayRows(ARow, 1, true);
    } else ClearRect(0, ARow, TotalColCount() - 1, ARow);   // the only data row stays, emptied
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

// ---------------------------------------------------------------- date-time picker reports

void TExtStringGrid::HandleDateTimeChange(int Year, int Month, int Day, int Hour, int Minute, int Second, int MSec)
{
    if (!OnDateTimeChange) return;
    TDateTime value = 0;
    if (Year != 0 && Month != 0 && Day != 0) {
        // A report the calendar cannot hold counts as no date.
        try {
            value = EncodeDate(Year, Month, Day) + EncodeTime(Hour, Minute, Second, MSec);
        } catch (const Exception&) {
            value = 0;
        }
    }
    OnDateTimeChange(this, Col(), Row(), value);
}
