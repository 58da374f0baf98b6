// The picture behind the rows: tiled over the view, or placed once at its offset. Rows
// and the free area below them ask for the part they cover, in view coordinates, so the
// picture stays put while the rows scroll over it.
#include "treeview/core/BaseLazyTree.h"

void TBaseLazyTree::SetBackground(const TPicture* Value)
{
    FBackground->Assign(Value);
    Invalidate();
}

void TBaseLazyTree::SetBackgroundOffset(int Index, int Value)
{
    int& field = Index == 0 ? FBackgroundOffsetX : FBackgroundOffsetY;
    if (field == Value) return;
    field = Value;
    Invalidate();
}

bool TBaseLazyTree::UseBackgroundPicture(TLTInternalPaintOptions PaintOptions) const
{
    return PaintOptions.Contains(poBackground) && FOptions->PaintOptions().Contains(toShowBackground) &&
           FBackground->Graphic() != nullptr;
}

void TBaseLazyTree::PaintStaticBackground(TCanvas* Canvas, TRect R, TPoint Offset)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(R);
    TBitmap* picture = FBackground->Bitmap();
    const TRect pictureRect(FBackgroundOffsetX, FBackgroundOffsetY, FBackgroundOffsetX + picture->Width(),
                            FBackgroundOffsetY + picture->Height());
    TRect area = R;
    OffsetRect(area, Offset.X, Offset.Y);
    TRect both;
    if (!IntersectRect(both, area, pictureRect)) return;
    // The part that shows, as a picture of its own so that a transparent picture keeps
    // what lies under it.
    TBitmap piece(both.Width(), both.Height());
    piece.Canvas()->CopyRect(TRect(0, 0, both.Width(), both.Height()), picture->Canvas(),
                             TRect(both.Left - pictureRect.Left, both.Top - pictureRect.Top,
                                   both.Right - pictureRect.Left, both.Bottom - pictureRect.Top));
    if (picture->Transparent()) {
        piece.SetTransparent(true);
        piece.SetTransparentColor(picture->TransparentColor());
    }
    Canvas->Draw(both.Left - Offset.X, both.Top - Offset.Y, &piece);
}

void TBaseLazyTree::PaintTiledBackground(TCanvas* Canvas, TRect R, TPoint Offset)
{
    TBitmap* picture = FBackground->Bitmap();
    const int w = picture->Width(), h = picture->Height();
    if (w <= 0 || h <= 0) return;
    auto wrap = [](int v, int m) { return ((v % m) + m) % m; };
    int srcY = wrap(R.Top + Offset.Y + FBackgroundOffsetY, h);
    while (R.Top < R.Bottom) {
        int srcX = wrap(R.Left + Offset.X + FBackgroundOffsetX, w);
        const int rowH = std::min(R.Bottom - R.Top, h - srcY);
        for (int x = R.Left; x < R.Right;) {
            const int pieceW = std::min(R.Right - x, w - srcX);
            Canvas->CopyRect(TRect(x, R.Top, x + pieceW, R.Top + rowH), picture->Canvas(),
                             TRect(srcX, srcY, srcX + pieceW, srcY + rowH));
            x += w - srcX;
            srcX = 0;
        }
        R.Top += h - srcY;
        srcY = 0;
    }
}
