// The per-cell questions of the grid (editability, fixedness, check texts, colours,
// alignment ...), each answered from the grid's settings and then by its event; the
// start values of a new cell record; the cell's look for the painter and its content.
#include <algorithm>

#include "grid/ExtGrid.h"
#include "grid/GridSupport.h"
#include "grid/GridTextUtils.h"
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

TInplaceEdit* TExtStringGrid::CreateEditor() { return new TExtInplaceEdit(this); }

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
}

// ---------------------------------------------------------------- the look of a cell

void TExtStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TGradientDirection& GD)
{
    const int rc = RealColIndex(ACol);
    const bool fixed = AState.Contains(gdFixed) || IsFixed(ACol, ARow);
    if (fixed) AState << gdFixed;
    AFont->Assign(fixed ? *FFixedFont : Print ? *FPrintSettings->Font() : *Font());
    if (fixed && FFixedFont->Color() == clWindowText) AFont->SetColor(Font()->Color());
    HA = DefaultAlignment;
    VA = VAlignment;
    WW = WordWrap();
    GD = GradientVertical;
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    if (TCellProperties* p = CellPropsOf(rc, ARow)) {
        HA = p->Alignment;
        VA = p->VAlignment();
        WW = p->WordWrap();
        GD = p->GradientDirection;
        if (p->BrushColorTo() != clNone && !fixed) AColorTo = p->BrushColorTo();
    }
    ABrush->SetStyle(bsSolid);
    if (fixed) {
        ABrush->SetColor(FixedColor());
        if (FControlLook->FixedGradientFrom != clNone) {
            ABrush->SetColor(FControlLook->FixedGradientFrom);
            AColorTo = FControlLook->FixedGradientTo;
            AMirrorColor = FControlLook->FixedGradientMirrorFrom;
            AMirrorColorTo = FControlLook->FixedGradientMirrorTo;
        }
    } else {
        ABrush->SetColor(Color());
        if (FBands->Active()) {
            const int cycle = std::max(1, FBands->Cycle());
            const int pos = (ARow - FixedRows()) % cycle;
            ABrush->SetColor(pos < FBands->PrimaryLength() ? FBands->PrimaryColor() : FBands->SecondaryColor());
        }
    }
    if (Print) FireGetCellPrintColor(rc, ARow, AState, ABrush, AFont);
    else FireGetCellColor(rc, ARow, AState, ABrush, AFont);
    if (Select && !fixed && AState.Contains(gdSelected) && ShowSelection && FShowSel) {
        ABrush->SetColor(SelectionColor);
        AColorTo = SelectionColorTo;
        AMirrorColor = SelectionMirrorColor;
        AMirrorColorTo = SelectionMirrorColorTo;
        AFont->SetColor(SelectionTextColor);
    }
    FireGetAlignment(rc, ARow, HA, VA);
    FireGetWordWrap(rc, ARow, WW);
}

namespace {
// The box of a check box or radio button of side k in the cell rectangle r.
TRect ControlBox(const TRect& r, int k, const TCellGraphic* g)
{
    int x = r.Left + 2;
    if (g->CellHAlign == haRight) x = r.Right - k - 2;
    else if (g->CellHAlign == haCenter || g->CellHAlign == haFull) x = r.Left + (r.Width() - k) / 2;
    int y = r.Top + 2;
    if (g->CellVAlign == vaBottom) y = r.Bottom - k - 2;
    else if (g->CellVAlign == vaCenter || g->CellVAlign == vaFull) y = r.Top + (r.Height() - k) / 2;
    return Bounds(x, y, k, k);
}
}

// The cell's text in the rectangle with its alignment; mini-HTML texts are drawn as
// plain text until the mini-HTML renderer draws them.
static void DrawCellText(TCanvas* c, const String& text, TRect r, TAlignment ha, TVAlignment va, bool ww)
{
    unsigned flags = DT_NOPREFIX;
    flags |= ha == taRightJustify ? DT_RIGHT : ha == taCenter ? DT_CENTER : DT_LEFT;
    if (ww) {
        flags |= DT_WORDBREAK;
    } else {
        flags |= DT_SINGLELINE;
        if (va == vtaCenter) flags |= DT_VCENTER;
        else if (va == vtaBottom) flags |= DT_BOTTOM;
    }
    c->Brush()->SetStyle(bsClear);
    c->DrawText(text, r, flags);
    c->Brush()->SetStyle(bsSolid);
}

void TExtStringGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    const int rc = RealColIndex(ACol);
    TRect r = ARect;
    if (TCellGraphic* g = GetCellGraphic(rc, ARow)) {
        static const TCellTypeSet kChecks{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox};
        if (kChecks.Contains(g->CellType) || g->CellType == ctRadioButton) {
            const bool radio = g->CellType == ctRadioButton;
            const TRect box = ControlBox(r, radio ? FControlLook->RadioSize + 3 : FControlLook->CheckSize, g);
            bool checked = false;
            TCheckBoxState tri = cbUnchecked;
            if (g->CellType == ctTriStateCheckBox) tri = g->CellCheckBoxState;
            else if (radio) tri = g->CellBoolean ? cbChecked : cbUnchecked;
            else if (GetCheckBoxState(rc, RealRowIndex(ARow), checked)) tri = checked ? cbChecked : cbUnchecked;
            int state = radio ? (tri == cbChecked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL)
                              : (tri == cbChecked ? CBS_CHECKEDNORMAL : tri == cbGrayed ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL);
            if (!Enabled()) state += 3;
            if (!DrawThemedPart(Handle(), ACanvas, VSCLASS_BUTTON, radio ? BP_RADIOBUTTON : BP_CHECKBOX, state, box)) {
                unsigned flags = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
                if (tri == cbChecked) flags |= DFCS_CHECKED;
                if (tri == cbGrayed || !Enabled()) flags |= DFCS_INACTIVE;
                if (g->CellTransparent) flags |= DFCS_FLAT;
                DrawFrameControl(ACanvas, box, DFC_BUTTON, flags);
            }
            // A data check box shows its state only; its text is the stored value.
            if (g->CellType == ctDataCheckBox || g->CellType == ctVirtCheckBox || g->CellType == ctRowCheckBox) return;
            r.Left = box.Right + 2;
        }
    }
    TAlignment ha = DefaultAlignment;
    TVAlignment va = VAlignment;
    bool ww = WordWrap();
    if (TCellProperties* p = CellPropsOf(rc, ARow)) {
        ha = p->Alignment;
        va = p->VAlignment();
        ww = p->WordWrap();
    }
    FireGetAlignment(rc, ARow, ha, va);
    FireGetWordWrap(rc, ARow, ww);
    r.Left += XYOffset.X;
    r.Top += XYOffset.Y;
    DrawCellText(ACanvas, GetCellEx(rc, ARow), r, ha, va, ww);
}
