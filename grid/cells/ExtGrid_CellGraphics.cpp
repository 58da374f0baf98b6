// Cell graphics: what a cell's graphic occupies, where it stands beside, above or
// below the text, and how each kind is painted (check boxes and radio controls through
// the glyph painters, pictures, progress displays, comments, buttons, ratings and
// shapes). Also the grid's size queries of graphics and the sort-indicator test.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridSupport.h"

namespace {
TColor ColorOf(const TObject* p) { return TColor(std::uint32_t(reinterpret_cast<std::uintptr_t>(p))); }

const TCellTypeSet kCheckKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctRadioButton,
                               ctTriStateCheckBox};

TPoint BitmapSize(const TObject* o)
{
    if (auto* b = dynamic_cast<const TBitmap*>(o)) return TPoint(b->Width(), b->Height());
    if (auto* p = dynamic_cast<const TPicture*>(o)) return TPoint(p->Width(), p->Height());
    return TPoint(0, 0);
}
}

// ---------------------------------------------------------------- what a graphic occupies

TCellGraphic* TExtStringGrid::GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign,
                                                 bool& TextToo, int& Height, int& Width)
{
    VAlign = vaTop;
    HAlign = haLeft;
    TextToo = true;
    Height = 0;
    Width = 0;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return nullptr;
    VAlign = g->CellVAlign;
    HAlign = g->CellHAlign;
    const int k = FControlLook->CheckSize;
    TImageList* il = GetCellImageList(ACol, ARow);
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon: {
        const TPoint s = BitmapSize(g->CellType == ctBitmap ? g->CellBitmap : g->CellIcon);
        Width = s.X;
        Height = s.Y;
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (il) {
            Width = il->Width();
            Height = il->Height();
        }
        TextToo = g->CellType != ctDataImage;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        Width = Height = k;
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        Width = Height = k;
        TextToo = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        TextToo = false;
        break;
    case ctImages:
        if (auto* list = dynamic_cast<TIntList*>(g->CellBitmap); list && il) {
            if (g->CellBoolean) {
                Width = list->Count() * il->Width();
                Height = il->Height();
            } else {
                Width = il->Width();
                Height = list->Count() * il->Height();
            }
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        TPoint s;
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        g->GetPictureSize(r.Width(), r.Height(), !GetCellEx(ACol, ARow).empty(), s);
        Width = s.X;
        Height = s.Y;
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->CellIndex & 0xFFFF;
        Height = (g->CellIndex >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        Width = Height = 20;
        break;
    case ctRadioButton:
        Width = Height = FControlLook->RadioSize + 4;
        break;
    case ctShape:
        Width = Height = std::max(0, (ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight()) -
                                         2 * XYOffset.Y);
        break;
    case ctRating:
        Width = 18 * g->CellAngle;
        Height = 16;
        TextToo = false;
        break;
    default:
        break;
    }
    return g;
}

TPoint TExtStringGrid::GetCellGraphicSize(int ACol, int ARow)
{
    TPoint size;
    CalcCellGraphicSize(ACol, ARow, size, 0);
    return size;
}

void TExtStringGrid::CalcCellGraphicSize(int ACol, int ARow, TPoint& Size, int Margin)
{
    Size = TPoint(0, 0);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const bool overUnder = g->CellVAlign == vaUnderText || g->CellVAlign == vaAboveText;
    const bool hasText = !GetGridCell(ACol, ARow).empty();
    TImageList* il = GetCellImageList(ACol, ARow);
    TCanvas* c = Canvas();
    const TRect cell = CellRect(DisplColIndex(ACol), ARow);
    switch (g->CellType) {
    case ctBitmap: {
        const TPoint s = BitmapSize(g->CellBitmap);
        Size.X = beside || !hasText ? s.X : 0;
        Size.Y = overUnder || !hasText ? s.Y : 0;
        break;
    }
    case ctIcon: {
        const TPoint s = BitmapSize(g->CellIcon);
        Size.X = beside || !hasText ? s.X : 0;
        Size.Y = s.Y;
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (il) {
            Size.X = beside || !hasText ? il->Width() : 0;
            Size.Y = overUnder || !hasText ? il->Height() : 0;
        }
        break;
    case ctPicture:
    case ctFilePicture:
        g->GetPictureSize(cell.Width() - 2 * XYOffset.X - Margin - 1, cell.Height() - 2 * XYOffset.Y - Margin - 1,
                          hasText, Size);
        break;
    case ctButton:
    case ctBitButton:
        if (hasText) {
            Size.X = g->CellHAlign == haCenter ? 0 : g->CellHAlign == haFull ? c->TextWidth(g->CellText) + 4
                     : overUnder ? 0 : g->CellIndex & 0xFFFF;
            Size.Y = overUnder ? (g->CellIndex >> 16) & 0xFFFF : 0;
        } else {
            Size.X = g->CellHAlign == haFull ? c->TextWidth(g->CellText) + 4 : g->CellIndex & 0xFFFF;
            Size.Y = (g->CellIndex >> 16) & 0xFFFF;
        }
        break;
    case ctProgressPie:
        Size = TPoint(20, 20);
        break;
    case ctRadioButton:
        Size = TPoint(FControlLook->RadioSize, FControlLook->RadioSize);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        Size = TPoint(FControlLook->CheckSize, FControlLook->CheckSize);
        break;
    case ctRadio: {
        const TStringList* items = dynamic_cast<const TStringList*>(g->CellBitmap);
        const int th = c->TextHeight("gh");
        if (g->CellBoolean) {
            int w = 0;
            if (items)
                for (int i = 0; i < items->Count(); ++i) w += c->TextWidth(items->Strings(i)) + 12;
            Size = TPoint(w, th);
        } else {
            int w = 12;
            const int n = items ? items->Count() : 0;
            for (int i = 0; i < n; ++i) w = std::max(w, c->TextWidth(items->Strings(i)) + 12);
            Size = TPoint(w, std::max(16, th) * n);
        }
        break;
    }
    case ctRating:
        Size = TPoint(g->CellAngle * 18, 16);
        break;
    case ctImages:
        if (auto* list = dynamic_cast<TIntList*>(g->CellBitmap); list && il) {
            if (g->CellBoolean) Size = TPoint(list->Count() * il->Width(), il->Height());
            else Size = TPoint(il->Width(), list->Count() * il->Height());
        }
        break;
    default:
        break;
    }
    if (g->CellVAlign == vaFull) Size.Y = cell.Height();
    if (g->CellHAlign == haFull && g->CellType != ctRating &&
        !((g->CellType == ctButton || g->CellType == ctBitButton) && !hasText))
        Size.X = cell.Width();
}

bool TExtStringGrid::IsSortIndicatorCell(int ACol, int ARow)
{
    int r = ARow;
    if (IsMergedCell(ACol, ARow)) r += CellSpan(ACol, ARow).Y;
    // Every key column of an indexed sort shows its indicator with IndexShow, else only
    // the sort column (the first key).
    const bool sorted = ACol == FSortSettings->Column ||
                        (FSortSettings->IndexShow && FSortIndexes->FindIndex(ACol) >= 0);
    return r == FSortSettings->Row() && FSortSettings->Show() && RowCount() > FixedRows() + 1 && sorted &&
           FixedRows() > 0 && (ACol >= FixedCols() || FSortSettings->FixedCols);
}

int TExtStringGrid::GetNodeIndent(int ARow)
{
    if (!HasNodes() || ARow < 0) return 0;
    TCellProperties* p = CellPropsOf(0, ARow);
    return p ? p->NodeLevel * FCellNode->NodeIndent() : 0;
}

TStringList* TExtStringGrid::GetGridItemStrings(int Idx)
{
    for (auto& it : FGridItems)
        if (it->Idx == Idx) return &it->Items;
    return nullptr;
}

// ---------------------------------------------------------------- painting a graphic

void TExtStringGrid::DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect R, TCellGraphic* G,
                                     TVAlignment TextVAlign, TAlignment TextHAlign, int TextWidth, int W, int H,
                                     bool Enabled, bool Selected)
{
    if (!G) return;
    const TCellType t = G->CellType;
    const bool insetKinds = !(t == ctNode || t == ctProgress || t == ctRangeIndicator || t == ctXPProgress);
    if (insetKinds) InflateRect(R, -(XYOffset.X - 1), -(XYOffset.Y - 1));
    const int T = TextWidth > 0 ? TextWidth + 2 : 0;
    int x = R.Left + 1, y = R.Top + 1;
    if (kCheckKinds.Contains(t)) {
        // Check boxes and radio buttons stand where the text would.
        TCellVAlign v = G->CellVAlign;
        if (TextVAlign != VAlignment)
            v = TextVAlign == vtaCenter ? vaCenter : TextVAlign == vtaBottom ? vaBottom : vaTop;
        switch (v) {
        case vaBottom: y = R.Bottom - 1 - H; break;
        case vaCenter: y = R.Height() < H ? R.Top + 1 : R.Top + (R.Height() - H) / 2; break;
        default: y = R.Top + 1; break;
        }
        switch (TextHAlign) {
        case taRightJustify: x = T > 0 ? R.Right - T - W : R.Right - 1 - W; break;
        case taCenter: x = T < 1 ? R.Left + (R.Width() - W) / 2 : R.Left + (R.Width() - T) / 2 - W; break;
        default: x = R.Left + 1; break;
        }
    } else {
        switch (G->CellHAlign) {
        case haRight: x = R.Right - 1 - W; break;
        case haCenter: x = R.Width() < W ? R.Left + 1 : R.Left + (R.Width() - W) / 2; break;
        case haBeforeText:
            if (TextHAlign == taRightJustify) x = R.Right - T - W;
            else if (TextHAlign == taCenter) x = std::max(R.Left + 1, R.Left + (R.Width() - T - W) / 2);
            else x = R.Left + 1;
            break;
        case haAfterText:
            if (TextHAlign == taRightJustify) x = R.Right - 1 - W;
            else if (TextHAlign == taCenter) x = R.Left + (R.Width() + T) / 2 - W / 2;
            else x = R.Left + T;
            break;
        case haFull: x = R.Left; W = R.Width(); break;
        default: x = R.Left + 1; break;
        }
        switch (G->CellVAlign) {
        case vaBottom: y = R.Bottom - 1 - H; break;
        case vaCenter: y = R.Height() < H ? R.Top + 1 : R.Top + (R.Height() - H) / 2; break;
        case vaUnderText: y = R.Bottom - H; break;
        case vaFull: y = R.Top; H = R.Height(); break;
        default: y = R.Top + 1; break;
        }
    }
    const TRect gr = Bounds(x, y, W, H);
    const TColor bk = ACanvas->Brush()->Color();
    const TControlStyle style = FControlLook->ControlStyle;
    TImageList* il = GetCellImageList(ACol, ARow);
    const int saved = ACanvas->SaveState();
    switch (t) {
    case ctBitmap:
        if (auto* b = dynamic_cast<TBitmap*>(G->CellBitmap)) {
            if (G->CellTransparent) DrawTransparentBitmap(ACanvas, b, bk, gr);
            else ACanvas->Draw(gr.Left, gr.Top, b);
        }
        break;
    case ctIcon:
        if (auto* b = dynamic_cast<TBitmap*>(G->CellIcon)) DrawTransparentBitmap(ACanvas, b, bk, gr);
        break;
    case ctImageList:
        if (il && G->CellIndex >= 0 && G->CellIndex < il->Count()) il->Draw(ACanvas, gr.Left, gr.Top, G->CellIndex);
        break;
    case ctDataImage: {
        const int idx = StrToIntDef(Trim(GetCellEx(ACol, ARow)), -1) + G->CellIndex;
        if (il && idx >= 0 && idx < il->Count()) il->Draw(ACanvas, gr.Left, gr.Top, idx);
        break;
    }
    case ctImages:
        if (auto* list = dynamic_cast<TIntList*>(G->CellBitmap); list && il) {
            for (int i = 0; i < list->Count(); ++i) {
                const int idx = list->GetInteger(i);
                if (idx < 0 || idx >= il->Count()) continue;
                if (G->CellBoolean) il->Draw(ACanvas, gr.Left + i * il->Width(), gr.Top, idx);
                else il->Draw(ACanvas, gr.Left, gr.Top + i * il->Height(), idx);
            }
        }
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        DrawCheck(ACanvas, gr, G->CellBoolean, cbUnchecked, false, style, G->CellAngle > 0, Enabled);
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        String checkTrue;
        GetCheckTrue(ACol, ARow, checkTrue);
        DrawCheck(ACanvas, gr, GetCellEx(ACol, ARow) == checkTrue, cbUnchecked, false, style, false, Enabled);
        break;
    }
    case ctTriStateCheckBox:
        DrawCheck(ACanvas, gr, false, G->CellCheckBoxState, true, style, false, Enabled);
        break;
    case ctRadioButton:
        DrawRadioGroup(ACanvas, Bounds(R.Left + XYOffset.X, gr.Top, FControlLook->RadioSize, FControlLook->RadioSize),
                       false, 1.0, style, ARow, ACol, Selected, nullptr, !Enabled, true, G->CellBoolean ? 0 : 1, 1);
        break;
    case ctRadio:
        DrawRadioGroup(ACanvas, R, false, 1.0, style, ARow, ACol, Selected, dynamic_cast<TStringList*>(G->CellBitmap),
                       !Enabled, G->CellBoolean, G->CellIndex, G->CellAngle);
        break;
    case ctRotated: {
        // Rotated text is drawn level; the toolkit's canvas draws no rotated fonts.
        TRect tr = R;
        InflateRect(tr, -2, -2);
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->DrawText(GetCellEx(ACol, ARow), tr, DT_NOPREFIX | DT_WORDBREAK);
        break;
    }
    case ctPicture:
        if (auto* p = dynamic_cast<TPicture*>(G->CellBitmap); p && p->Graphic()) {
            if (G->CellIndex != 0) ACanvas->StretchDraw(gr, p->Graphic());
            else ACanvas->Draw(gr.Left, gr.Top, p->Graphic());
        }
        break;
    case ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(G->CellBitmap)) fp->DrawPicture(ACanvas, gr);
        break;
    case ctProgress: {
        double v = StrToFloatDef(Trim(GetCellEx(ACol, ARow)), 0.0);
        TRect pr = R;
        if ((style == csWinXP || style == csTheme) && FControlLook->ProgressXP && FIsWinXP) {
            InflateRect(pr, -FControlLook->ProgressMarginX - 2, -FControlLook->ProgressMarginY - 2);
        }
        DrawProgressBar(ACanvas, pr, ColorOf(G->CellBitmap), TColor(G->CellIndex), ColorOf(G->CellIcon),
                        TColor(G->CellAngle), v, FControlLook->ProgressMarginX, FControlLook->ProgressMarginY,
                        G->CellErrFrom, G->CellBoolean ? G->CellErrLen : 100, G->CellText,
                        FControlLook->ProgressBorderColor, false);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(ACanvas, gr, ColorOf(G->CellBitmap), G->CellAngle, false);
        break;
    case ctRangeIndicator: {
        TRect pr = R;
        InflateRect(pr, -FControlLook->ProgressMarginX, -FControlLook->ProgressMarginY);
        DrawSignedBar(ACanvas, pr, StrToFloatDef(Trim(GetCellEx(ACol, ARow)), 0.0), G->CellIndex, G->CellBoolean,
                      ColorOf(G->CellBitmap), ColorOf(G->CellIcon));
        break;
    }
    case ctXPProgress: {
        TRect pr = R;
        InflateRect(pr, -FControlLook->ProgressMarginX, -FControlLook->ProgressMarginY);
        const double v = StrToFloatDef(Trim(GetCellEx(ACol, ARow)), 0.0);
        const int span = G->CellErrLen - G->CellErrFrom;
        // An empty range would divide by zero: it shows nothing done.
        const int pct = span == 0 ? 0 : int(std::fabs(v - G->CellErrFrom) / span * 100.0);
        const TGridProgressAppearance& pa = *FProgressAppearance;
        TLevelProgressAppearance app;
        app.Level0Color = pa.Level0Color;
        app.Level0ColorTo = pa.Level0ColorTo;
        app.Level1Color = pa.Level1Color;
        app.Level1ColorTo = pa.Level1ColorTo;
        app.Level2Color = pa.Level2Color;
        app.Level2ColorTo = pa.Level2ColorTo;
        app.Level3Color = pa.Level3Color;
        app.Level3ColorTo = pa.Level3ColorTo;
        app.Level1Perc = pa.Level1Perc;
        app.Level2Perc = pa.Level2Perc;
        app.BorderColor = pa.BorderColor;
        app.ShowBorder = pa.ShowBorder;
        app.Stacked = pa.Stacked;
        app.ShowPercentage = pa.ShowPercentage;
        app.CompleteFontColor = pa.CompleteFontColor;
        app.CompletionSmooth = pa.CompletionSmooth;
        app.ShowGradient = pa.ShowGradient;
        app.Steps = pa.Steps;
        app.BackgroundColor = pa.UnCompleteColor == clNone ? bk : pa.UnCompleteColor;
        DrawLevelProgress(ACanvas, pr, pct, app);
        break;
    }
    case ctComment: {
        const TColor cc = FControlLook->CommentColor;
        if (cc == clNone) break;
        const TColor own = G->CellIndex != 0 && TColor(G->CellIndex) != clNone ? TColor(G->CellIndex) : cc;
        const int rx = R.Right + XYOffset.X, ty = R.Top - XYOffset.Y;
        ACanvas->Brush()->SetColor(own);
        ACanvas->Pen()->SetColor(own);
        ACanvas->Polygon({{rx - 8, ty + 1}, {rx - 3, ty + 1}, {rx - 3, ty + 6}});
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand: {
        int look = FControlLook->FlatButton ? bkFlat : (FIsWinXP ? bkThemed : bkClassic);
        if (FFlat && FColorTones.Background.BrushColor != clNone) look = bkCustom;
        int state = bstNormal;
        if (G->CellBoolean) state = bstPressed;
        if (!Enabled && !FControlLook->NoDisabledButtonLook) state = bstDisabled;
        TRect br = gr;
        if (t == ctExpand) br = Bounds(R.Right - 13, R.Top, 13, 13);
        DrawPushButton(ACanvas, Handle(), br, look, state, FColorTones);
        if (t != ctExpand) {
            ACanvas->Brush()->SetStyle(bsClear);
            TRect cr = br;
            if (t == ctBitButton)
                if (auto* glyph = dynamic_cast<TBitmap*>(G->CellIcon); glyph && !glyph->Empty()) {
                    DrawTransparentBitmap(ACanvas, glyph, bk,
                                          Bounds(cr.Left + 3, cr.Top + (cr.Height() - glyph->Height()) / 2,
                                                 glyph->Width(), glyph->Height()));
                    cr.Left += glyph->Width() + 3;
                }
            unsigned flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
            if (G->CellText.find('\r') == String::npos) flags |= DT_SINGLELINE;
            ACanvas->DrawText(G->CellText, cr, flags);
        }
        break;
    }
    case ctRating: {
        const double v = StrToFloatDef(Trim(GetCellEx(ACol, ARow)), 0.0);
        const double rounded = std::round(v * 2.0) / 2.0;
        for (int i = 0; i < G->CellAngle; ++i) {
            const TCellShape s = rounded >= i + 1 ? csStar : rounded >= i + 0.5 ? csHalfStar : csStar;
            const TColor fill = rounded >= i + 0.5 ? TColor(G->CellIndex) : ColorOf(G->CellBitmap);
            DrawCellShape(ACanvas, gr.Left + i * 18, gr.Top, 16, 16, s, fill, clGray);
        }
        break;
    }
    case ctNode:
        DrawNodeGlyph(ACanvas, ARow, R, Selected);
        break;
    case ctShape:
        DrawCellShape(ACanvas, gr.Left, gr.Top, gr.Width(), gr.Height(), TCellShape(G->CellAngle),
                      TColor(G->CellIndex), ColorOf(G->CellBitmap));
        break;
    default:
        break;
    }
    ACanvas->RestoreState(saved);
}
