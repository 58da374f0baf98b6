// One header cell's content: where its image or check box, caption and sort glyph go, and
// painting them (or handing the cell to the owner's draw event).
#include <algorithm>

#include "treeview/LazyStringTree.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/header/LTHeader.h"

void TLazyTreeColumn::SetCheckBox(bool Value)
{
    FCheckBox = Value;
    Changed();
}

void TLazyTreeColumn::SetCheckType(TCheckType Value)
{
    FCheckType = Value;
    Changed();
}

void TLazyTreeColumn::SetCheckState(TCheckState Value)
{
    FCheckState = Value;
    Changed();
}

void TLTHeader::SetImages(TImageList* Value)
{
    FImages = Value;
    Invalidate();
}

TLTHeaderCellLayout TLTHeader::LayoutHeaderCell(TCanvas* Canvas, const TLazyTreeColumn* C, const TRect& Client,
                                                TPoint GlyphSize, TPoint SortSize) const
{
    TLTHeaderCellLayout out;
    const bool glyph = GlyphSize.X > 0 || GlyphSize.Y > 0;
    const bool sort = SortSize.X > 0 || SortSize.Y > 0;
    const String& text = C->Text();
    if (text.empty() && !glyph && !sort) return out;
    const int W = Client.Right - Client.Left, H = Client.Bottom - Client.Top;
    const int M = C->Margin(), S = C->Spacing();
    const bool ltr = C->BiDiMode() == bdLeftToRight;
    TAlignment a = C->CaptionAlignment();
    if (!ltr && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
    const TButtonLayout layout = C->Layout();
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int GW = GlyphSize.X, GH = GlyphSize.Y, SW = SortSize.X, SH = SortSize.Y;
    int TW = 0, TH = 0, TS = 0;
    if (!text.empty()) {
        TS = S;
        TW = Canvas->TextWidth(text) + 2;
        TH = Canvas->TextHeight(text);
    }
    int glyphX = 0, glyphY = 0, textX = 0, textY = 0, sortX = 0;
    const int sortY = (H - SH) / 2;
    if (text.empty() && !glyph) {
        sortX = (W - SW) / 2;
    } else {
        if (horizontal || !glyph) {
            glyphY = (H - GH) / 2;
            textY = std::max((H - TH) / 2, -5);
        } else if (layout == blGlyphTop) {
            glyphY = (H - GH - TH - TS) / 2;
            textY = glyphY + GH + TS;
        } else {
            textY = (H - GH - TH - TS) / 2;
            glyphY = textY + TH + TS;
        }
        int x = 0;
        if (a == taLeftJustify) {
            x = M;
            if (sort && !ltr) {
                sortX = x;
                x += SW + S;
            }
            if (horizontal) {
                if (glyph && layout == blGlyphLeft) {
                    glyphX = x;
                    x += GW + S;
                }
                textX = x;
                x += TS + TW;
                if (glyph && layout == blGlyphRight) {
                    glyphX = x;
                    x += GW + S;
                }
            } else {
                textX = x;
                if (!glyph)
                    x += TW + TS;
                else {
                    glyphX = std::max((W - GW) / 2, x);
                    x = std::max(glyphX + GW + S, textX + TW + TS);
                }
            }
            if (sort && ltr) sortX = x;
        } else if (a == taRightJustify) {
            x = W - M;
            if (sort && ltr) {
                x -= SW;
                sortX = x;
                x -= S;
            }
            if (horizontal) {
                if (glyph && layout == blGlyphRight) {
                    glyphX = x - GW;
                    x = glyphX - S;
                }
                textX = x - TW;
                x = textX - TS;
                if (glyph && layout == blGlyphLeft) {
                    glyphX = x - GW;
                    x = glyphX - S;
                }
            } else {
                textX = x - TW;
                if (!glyph)
                    x = textX - TS;
                else {
                    glyphX = (W - GW) / 2;
                    if (x < glyphX + GW + S) glyphX = x - GW - S;
                    x = std::min(textX - TS, glyphX - S);
                }
            }
            if (sort && !ltr) sortX = x - SW;
        } else {
            int start = 0, end = 0;
            if (horizontal) {
                x = (W - (GW + TS + TW)) / 2;
                if (glyph && layout == blGlyphLeft) {
                    glyphX = x;
                    x += TS + GW;
                }
                textX = x;
                if (glyph && layout == blGlyphRight) glyphX = textX + TW + TS;
            } else {
                glyphX = (W - GW) / 2;
                textX = (W - TW) / 2;
                if (sort) textX -= SW / 2;
            }
            if (!glyph) {
                start = textX;
                end = textX + TW;
            } else {
                start = std::min(glyphX, textX);
                end = std::max(glyphX + GW, textX + TW);
            }
            if (sort) sortX = ltr ? end + S : start - S - SW;
        }
    }
    // Keep every part inside the margins; the sort glyph wins over the image, the image
    // over the caption.
    int minX = M, maxX = W - M;
    if (sort) {
        if (ltr) {
            if (sortX + SW > maxX) sortX = maxX - SW;
            maxX = sortX - S;
        }
        sortX = std::max(sortX, minX);
        if (!ltr) minX = sortX + SW + S;
        out.SortGlyphPos = TPoint(Client.Left + sortX, Client.Top + sortY);
    }
    if (glyph) {
        if (glyphX + GW > maxX) glyphX = maxX - GW;
        if (layout == blGlyphRight) maxX = glyphX - S;
        glyphX = std::max(glyphX, minX);
        if (layout == blGlyphLeft) minX = glyphX + GW + S;
        if (C->Index() != MainColumn() || C->CheckBox()) glyphX -= 2;
        out.GlyphPos = TPoint(Client.Left + glyphX, Client.Top + glyphY);
    }
    if (!text.empty()) {
        textX = std::max(textX, minX);
        TRect b(textX, textY, textX + TW, textY + TH);
        b.Right = std::min(b.Right, maxX);
        OffsetRect(b, Client.Left, Client.Top);
        out.TextRectangle = b;
    }
    return out;
}

void TLTHeader::PaintHeaderCell(TCanvas* Canvas, TLazyTreeColumn* C, const TRect& Cell)
{
    const TColumnIndex index = C->Index();
    const bool hover = index == FColumns->FHoverIndex && FOptions.Contains(hoHotTrack) &&
                       C->Options().Contains(coEnabled);
    // A press on the check box toggles the box; the cell itself does not go down.
    const bool down = index == FColumns->FDownIndex && !FColumns->FCheckBoxHit;
    TLTDropMarkMode dropMark = dmmNone;
    if (FStates.Contains(hsDragging) && index == FColumns->FDropTarget && index != FColumns->FDragIndex)
        dropMark = FColumns->FDropBefore ? dmmLeft : dmmRight;
    if (FOptions.Contains(hoOwnerDraw) && C->Style() == vsOwnerDraw && OnHeaderDraw) {
        OnHeaderDraw(this, Canvas, C, Cell, hover, down, dropMark);
        return;
    }
    Canvas->Brush()->SetColor(down ? clBtnShadow : clBtnFace);
    Canvas->FillRect(Cell);
    // A raised button: light top-left, dark bottom-right; sunken while pressed.
    Canvas->Pen()->SetColor(down ? clBtnShadow : clBtnHighlight);
    Canvas->MoveTo(Cell.Left, Cell.Bottom - 1);
    Canvas->LineTo(Cell.Left, Cell.Top);
    Canvas->LineTo(Cell.Right - 1, Cell.Top);
    Canvas->Pen()->SetColor(down ? clBtnHighlight : clBtnShadow);
    Canvas->MoveTo(Cell.Right - 1, Cell.Top);
    Canvas->LineTo(Cell.Right - 1, Cell.Bottom - 1);
    Canvas->LineTo(Cell.Left - 1, Cell.Bottom - 1);

    const bool enabled = C->Options().Contains(coEnabled) && (!FOwner || FOwner->Enabled());
    TImageList* glyphList = nullptr;
    if (FOptions.Contains(hoShowImages)) {
        if (C->CheckBox() && FOwner) {
            glyphList = TBaseLazyTree::GetCheckImageList(FOwner->CheckImageKind());
            if (!glyphList) glyphList = FOwner->CustomCheckImages();
        } else if (!C->CheckBox() && FImages && C->ImageIndex() > -1)
            glyphList = FImages;
    }
    const bool sort = FOptions.Contains(hoShowSortGlyphs) && index == FSortColumn;
    const TPoint glyphSize = glyphList ? TPoint(glyphList->Width(), glyphList->Height()) : TPoint(0, 0);
    const TPoint sortSize = sort ? TPoint(SortGlyphWidth, SortGlyphHeight) : TPoint(0, 0);
    TRect client = Cell;
    InflateRect(client, -2, -2);
    Canvas->SetFont(&FFont);
    TLTHeaderCellLayout l = LayoutHeaderCell(Canvas, C, client, glyphSize, sortSize);
    if (down) {
        OffsetRect(l.TextRectangle, 1, 1);
        l.GlyphPos = TPoint(l.GlyphPos.X + 1, l.GlyphPos.Y + 1);
        l.SortGlyphPos = TPoint(l.SortGlyphPos.X + 1, l.SortGlyphPos.Y + 1);
    }
    C->FHasImage = false;
    // An image that would reach into the sort glyph is left out: the sort order matters more.
    if (glyphList && (!sort || C->BiDiMode() != bdLeftToRight || l.GlyphPos.X + glyphSize.X <= l.SortGlyphPos.X)) {
        if (C->CheckBox()) {
            TLTPaintInfo info;
            info.Canvas = Canvas;
            TLTImageInfo image;
            image.Index = FOwner->CheckImageIndexFor(nullptr, C->CheckType(), C->CheckState(), enabled);
            image.XPos = l.GlyphPos.X;
            image.YPos = l.GlyphPos.Y;
            image.Images = glyphList;
            FOwner->PaintCheckImage(info, image, false);
        } else
            glyphList->Draw(Canvas, l.GlyphPos.X, l.GlyphPos.Y, C->ImageIndex(), enabled);
        C->FHasImage = true;
        C->FImageRect = TRect(l.GlyphPos.X, l.GlyphPos.Y, l.GlyphPos.X + glyphSize.X, l.GlyphPos.Y + glyphSize.Y);
    }
    if (!C->Text().empty()) {
        Canvas->Brush()->SetStyle(bsClear);
        const TRect& t = l.TextRectangle;
        // A caption wider than its room ends in "..." instead of being cut mid-letter.
        String caption = C->Text();
        if (Canvas->TextWidth(caption) + 2 > t.Width()) caption = ShortenString(Canvas, caption, t.Width() - 2);
        if (enabled) {
            Canvas->Font()->SetColor(hover && FOwner ? FOwner->Colors()->HeaderHotColor() : FFont.Color());
            Canvas->TextRect(t, t.Left + 1, t.Top, caption);
        } else {
            // Disabled: embossed, a highlight one pixel down-right under the shadow.
            TRect lit = t;
            OffsetRect(lit, 1, 1);
            Canvas->Font()->SetColor(clBtnHighlight);
            Canvas->TextRect(lit, lit.Left + 1, lit.Top, caption);
            Canvas->Font()->SetColor(clBtnShadow);
            Canvas->TextRect(t, t.Left + 1, t.Top, caption);
        }
        Canvas->Brush()->SetStyle(bsSolid);
    }
    if (sort) {
        // A small triangle: tip up for ascending, down for descending.
        const int gx = l.SortGlyphPos.X, gy = l.SortGlyphPos.Y + (SortGlyphHeight - 4) / 2, gw = SortGlyphWidth;
        Canvas->Brush()->SetColor(clBtnText);
        Canvas->Pen()->SetColor(clBtnText);
        if (FSortDirection == sdAscending)
            Canvas->Polygon({TPoint(gx, gy + 4), TPoint(gx + gw, gy + 4), TPoint(gx + gw / 2, gy)});
        else
            Canvas->Polygon({TPoint(gx, gy), TPoint(gx + gw, gy), TPoint(gx + gw / 2, gy + 4)});
    }
}
