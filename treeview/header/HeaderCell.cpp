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
    const bool wrap = C->Options().Contains(coWrapCaption);
    const unsigned format = CaptionFormat(C);
    if (!text.empty()) {
        TS = S;
        if (wrap) {
            // A wrapped caption takes the cell's width and as many lines as it needs.
            if (C->FCaptionText.empty()) C->FCaptionText = WrapText(Canvas, text, Client, !ltr, format);
            TRect m = Client;
            MeasureTextRect(Canvas, C->FCaptionText, m, format);
            TW = W;
            TH = m.Height();
        } else {
            C->FCaptionText = text;
            TW = Canvas->TextWidth(text) + 2;
            TH = Canvas->TextHeight(text);
        }
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
        // The lines break once more for the room the caption finally has.
        if (wrap) C->FCaptionText = WrapText(Canvas, text, b, !ltr, format);
    }
    return out;
}

namespace {
// The classic frame of a header cell by the header's style: edge kind and sides for a
// normal, a pressed and a hot cell (the right side comes from ShowRightBorder).
struct TEdgeLook {
    unsigned Edge, Flags;
};
TEdgeLook EdgeLookOf(TLTHeaderStyle Style, bool Down, bool Hot)
{
    switch (Style) {
    case hsFlatButtons:
        return Down ? TEdgeLook{BDR_SUNKENOUTER, 0x280F} : TEdgeLook{BDR_RAISEDINNER, 0x280B};
    case hsPlates:
        if (Down) return {BDR_SUNKENOUTER, 0x280F};
        return Hot ? TEdgeLook{BDR_RAISEDINNER, 0x280B} : TEdgeLook{BDR_RAISEDINNER, 0x380F};
    default:
        return Down ? TEdgeLook{EDGE_RAISED, 0x780F} : TEdgeLook{EDGE_RAISED, 0x380B};
    }
}
}  // namespace

unsigned TLTHeader::CaptionFormat(const TLazyTreeColumn* C)
{
    const TAlignment a = C->CaptionAlignment();
    return DT_NOPREFIX | (a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT);
}

void TLTHeader::DrawCaptionText(TCanvas* Canvas, const String& Caption, const TRect& Bounds, bool Enabled, bool Hot,
                                unsigned DrawFormat, bool WrapCaption)
{
    String caption = Caption;
    // A caption wider than its room ends in "..." instead of being cut mid-letter; a
    // wrapped one is cut to its rectangle instead.
    if (!WrapCaption && Canvas->TextWidth(caption) + 2 > Bounds.Width())
        caption = ShortenString(Canvas, caption, Bounds.Width() - 2);
    Canvas->Brush()->SetStyle(bsClear);
    auto draw = [&](TRect r) {
        if (WrapCaption)
            Canvas->DrawText(caption, r, DrawFormat);
        else
            Canvas->TextRect(r, r.Left + 1, r.Top, caption);
    };
    if (Enabled) {
        Canvas->Font()->SetColor(Hot && FOwner ? FOwner->Colors()->HeaderHotColor() : FFont.Color());
        draw(Bounds);
    } else {
        // Disabled: embossed, a highlight one pixel down-right under the shadow.
        TRect lit = Bounds;
        OffsetRect(lit, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        draw(lit);
        Canvas->Font()->SetColor(clBtnShadow);
        draw(Bounds);
    }
    Canvas->Brush()->SetStyle(bsSolid);
}

void TLTHeader::PaintHeaderCell(THeaderPaintInfo& Info, TLazyTreeColumn* C, const TRect& Cell, bool Advanced)
{
    TCanvas* Canvas = Info.TargetCanvas;
    const TColumnIndex index = C->Index();
    Info.IsHoverIndex = index == FColumns->FHoverIndex && FOptions.Contains(hoHotTrack) &&
                        C->Options().Contains(coEnabled);
    // A press on the check box toggles the box; the cell itself does not go down.
    Info.IsDownIndex = index == FColumns->FDownIndex && !FColumns->FCheckBoxHit;
    Info.DropMark = dmmNone;
    if (FStates.Contains(hsDragging) && C->Options().Contains(coShowDropMark) && index == FColumns->FDropTarget &&
        index != FColumns->FDragIndex)
        Info.DropMark = FColumns->FDropBefore ? dmmLeft : dmmRight;
    Info.IsEnabled = C->Options().Contains(coEnabled) && (!FOwner || FOwner->Enabled());
    TImageList* glyphList = nullptr;
    if (FOptions.Contains(hoShowImages)) {
        if (C->CheckBox() && FOwner) {
            glyphList = TBaseLazyTree::GetCheckImageList(FOwner->CheckImageKind());
            if (!glyphList) glyphList = FOwner->CustomCheckImages();
        } else if (!C->CheckBox() && FImages && C->ImageIndex() > -1)
            glyphList = FImages;
    }
    Info.ShowHeaderGlyph = glyphList != nullptr;
    Info.ShowSortGlyph = FOptions.Contains(hoShowSortGlyphs) && index == FSortColumn;
    const bool wrap = C->Options().Contains(coWrapCaption);
    Info.PaintRectangle = Cell;
    Info.Column = C;
    if (!Advanced && FOptions.Contains(hoOwnerDraw) && C->Style() == vsOwnerDraw && OnHeaderDraw) {
        OnHeaderDraw(this, Canvas, C, Cell, Info.IsHoverIndex, Info.IsDownIndex, Info.DropMark);
        return;
    }
    THeaderPaintElements elements;
    if (Advanced) OnHeaderDrawQueryElements(this, Info, elements);
    if (elements.Contains(hpeBackground)) {
        OnAdvancedHeaderDraw(this, Info, THeaderPaintElements{hpeBackground});
    } else {
        const bool hot = FStyle == hsPlates && Info.IsHoverIndex && C->Options().Contains(coAllowClick) &&
                         C->Options().Contains(coEnabled);
        TEdgeLook look = EdgeLookOf(FStyle, Info.IsDownIndex, hot);
        // The last column by index has its right border only when the frame needs no room.
        if (!Info.IsDownIndex && (index != FColumns->Count() - 1 || Info.ShowRightBorder)) look.Flags |= BF_RIGHT;
        TRect frame = Cell;
        DrawEdge(Canvas, frame, look.Edge, look.Flags);
    }
    Info.PaintRectangle = Cell;
    InflateRect(Info.PaintRectangle, -2, -2);

    const bool sort = Info.ShowSortGlyph;
    const TPoint glyphSize = glyphList ? TPoint(glyphList->Width(), glyphList->Height()) : TPoint(0, 0);
    const TPoint sortSize = sort ? TPoint(SortGlyphWidth, SortGlyphHeight) : TPoint(0, 0);
    Canvas->SetFont(&FFont);
    TLTHeaderCellLayout l = LayoutHeaderCell(Canvas, C, Info.PaintRectangle, glyphSize, sortSize);
    if (Info.IsDownIndex) {
        OffsetRect(l.TextRectangle, 1, 1);
        l.GlyphPos = TPoint(l.GlyphPos.X + 1, l.GlyphPos.Y + 1);
        l.SortGlyphPos = TPoint(l.SortGlyphPos.X + 1, l.SortGlyphPos.Y + 1);
    }
    Info.TextRectangle = l.TextRectangle;
    Info.GlyphPos = l.GlyphPos;
    Info.SortGlyphPos = l.SortGlyphPos;
    const THeaderPaintElements ownerParts =
        elements * THeaderPaintElements{hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText};
    C->FHasImage = false;
    // An image that would reach into the sort glyph is left out: the sort order matters more.
    if (!elements.Contains(hpeHeaderGlyph) && glyphList &&
        (!sort || C->BiDiMode() != bdLeftToRight || l.GlyphPos.X + glyphSize.X <= l.SortGlyphPos.X)) {
        if (C->CheckBox()) {
            TLTPaintInfo info;
            info.Canvas = Canvas;
            TLTImageInfo image;
            image.Index = FOwner->CheckImageIndexFor(nullptr, C->CheckType(), C->CheckState(), Info.IsEnabled);
            image.XPos = l.GlyphPos.X;
            image.YPos = l.GlyphPos.Y;
            image.Images = glyphList;
            FOwner->PaintCheckImage(info, image, false);
        } else
            glyphList->Draw(Canvas, l.GlyphPos.X, l.GlyphPos.Y, C->ImageIndex(), Info.IsEnabled);
        C->FHasImage = true;
        C->FImageRect = TRect(l.GlyphPos.X, l.GlyphPos.Y, l.GlyphPos.X + glyphSize.X, l.GlyphPos.Y + glyphSize.Y);
    }
    if (!elements.Contains(hpeText) && !C->Text().empty())
        DrawCaptionText(Canvas, wrap ? C->CaptionText() : C->Text(), l.TextRectangle, Info.IsEnabled,
                        Info.IsHoverIndex, CaptionFormat(C), wrap);
    if (!elements.Contains(hpeSortGlyph) && sort) {
        // A small triangle: tip up for ascending, down for descending.
        const int gx = l.SortGlyphPos.X, gy = l.SortGlyphPos.Y + (SortGlyphHeight - 4) / 2, gw = SortGlyphWidth;
        Canvas->Brush()->SetColor(clBtnText);
        Canvas->Pen()->SetColor(clBtnText);
        if (FSortDirection == sdAscending)
            Canvas->Polygon({TPoint(gx, gy + 4), TPoint(gx + gw, gy + 4), TPoint(gx + gw / 2, gy)});
        else
            Canvas->Polygon({TPoint(gx, gy), TPoint(gx + gw, gy), TPoint(gx + gw / 2, gy + 4)});
    }
    if (!elements.Contains(hpeDropMark) && Info.DropMark != dmmNone) {
        // The arrow at the side the dragged column will go to.
        TImageList* marks = TBaseLazyTree::GetUtilityImageList();
        const TRect& p = Info.PaintRectangle;
        const int y = (p.Top + p.Bottom - marks->Height()) / 2;
        if (Info.DropMark == dmmLeft)
            marks->Draw(Canvas, p.Left, y, 0);
        else
            marks->Draw(Canvas, p.Right - marks->Width(), y, 1);
    }
    if (!ownerParts.Empty()) {
        const int saved = Canvas->SaveState();
        OnAdvancedHeaderDraw(this, Info, ownerParts);
        Canvas->RestoreState(saved);
    }
}
