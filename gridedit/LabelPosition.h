#pragma once
#include "platform/gui/Types.h"

// Where a control's caption label stands: the side first, then the alignment along it.
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight
};

// The top-left corner of a caption label of the given size beside the control's
// rectangle (in the parent's coordinates), Margin pixels away from it.
inline TPoint PlaceCaptionLabel(TLabelPosition Position, const TRect& Control, int LabelWidth, int LabelHeight,
                                int Margin)
{
    const int L = Control.Left, T = Control.Top, W = Control.Width(), H = Control.Height();
    const int centredTop = T + (H - LabelHeight) / 2;
    const int centredLeft = L + (W - LabelWidth) / 2;
    const int before = L - LabelWidth - Margin, above = T - LabelHeight - Margin, below = T + H + Margin;
    switch (Position) {
    case lpLeftTop: return TPoint(before, T);
    case lpLeftCenter: return TPoint(before, centredTop);
    case lpLeftBottom: return TPoint(before, T + H - LabelHeight);
    case lpTopLeft: return TPoint(L, above);
    case lpBottomLeft: return TPoint(L, below);
    case lpLeftTopLeft: return TPoint(L - Margin, T);
    case lpLeftCenterLeft: return TPoint(L - Margin, centredTop);
    case lpLeftBottomLeft: return TPoint(L - Margin, T + H - LabelHeight);
    case lpTopCenter: return TPoint(centredLeft, above);
    case lpBottomCenter: return TPoint(centredLeft, below);
    case lpRightTop: return TPoint(L + W + Margin, T);
    case lpRightCenter: return TPoint(L + W + Margin, centredTop);
    case lpRighBottom: return TPoint(L + W + Margin, T + H - LabelHeight);
    case lpTopRight: return TPoint(L + W - LabelWidth, above);
    case lpBottomRight: return TPoint(L + W - LabelWidth, below);
    }
    return TPoint(before, T);
}
