// The sort indicator in the header of a sorted column: a small shaded triangle (or the
// up and down glyphs of the settings) for the sort direction, and for an indexed sort a
// coloured triangle with the column's place among the keys.
#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

void TExtStringGrid::DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X)
{
    const int saved = ACanvas->SaveState();
    const int key = FSortSettings->IndexShow ? FSortIndexes->FindIndex(ACol) : -1;
    if (key >= 0) {
        const bool ascending = FSortIndexes->GetSortDirections(key);
        TBitmap* up = FSortSettings->IndexUpGlyph();
        TBitmap* down = FSortSettings->IndexDownGlyph();
        const bool glyphs = !up->Empty() && !down->Empty();
        ACanvas->Brush()->SetColor(FSortSettings->IndexColor);
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Pen()->SetColor(clGray);
        if (!ascending) {
            if (glyphs) {
                up->SetTransparent(true);
                ACanvas->Draw(X - 7, Y - 7, up);
            } else {
                ACanvas->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
            }
        } else if (glyphs) {
            down->SetTransparent(true);
            ACanvas->Draw(X - 7, Y - 7, down);
        } else {
            ACanvas->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
        }
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->Font()->SetName("Tahoma");
        ACanvas->Font()->SetColor(clBlack);
        ACanvas->Font()->SetStyle(TFontStyles());
        ACanvas->Font()->SetSize(6);
        ACanvas->TextOut(X - 2, ascending ? Y - 2 : Y - 4, IntToStr(key + 1));
        ACanvas->RestoreState(saved);
        return;
    }
    TBitmap* up = FSortSettings->UpGlyph();
    TBitmap* down = FSortSettings->DownGlyph();
    const bool descending = FSortSettings->Direction == sdDescending;
    if (!up->Empty() && !down->Empty()) {
        TBitmap* g = descending ? down : up;
        g->SetTransparent(true);
        ACanvas->Brush()->SetColor(FixedColor());
        ACanvas->Draw(X - 4, Y - 4, g);
    } else if (descending) {
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(X + 4, Y - 4);
        ACanvas->LineTo(X, Y + 4);
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->LineTo(X - 4, Y - 4);
        ACanvas->LineTo(X + 4, Y - 4);
    } else {
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(X - 4, Y + 4);
        ACanvas->LineTo(X + 4, Y + 4);
        ACanvas->LineTo(X, Y - 4);
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->LineTo(X - 4, Y + 4);
    }
    ACanvas->RestoreState(saved);
}
