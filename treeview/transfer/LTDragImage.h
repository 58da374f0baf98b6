#pragma once
// The picture of the dragged nodes. The tree renders its selected nodes into a bitmap,
// and this object turns it into the toolkit's drag picture: an opacity per pixel that is
// zero on the colour key and fades from the centre outwards, scaled by the transparency.
// The toolkit shows the picture under the pointer; nothing here draws on the screen, so
// whatever a tree repaints under the picture stays as it is.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"

class TBaseLazyTree;

enum TLTDragMoveRestriction { dmrNone, dmrHorizontalOnly, dmrVerticalOnly };
enum TLTDragImageState { disHidden, disInDrag, disPrepared, disSystemSupport };
using TLTDragImageStates = TSet<TLTDragImageState>;

class TLTDragImage {
public:
    // The owner (a tree or its header) keeps the object as long as it lives.
    explicit TLTDragImage(TBaseLazyTree*) {}
    ~TLTDragImage() { EndDrag(); }

    // Makes the picture ready from DragImage (the caller keeps it); positions are screen
    // points. The picture is handed to the toolkit for the drag about to run.
    void PrepareDrag(TBitmap* DragImage, TPoint ImagePosition, TPoint HotSpot);
    void ShowDragImage();
    void HideDragImage();
    void EndDrag();
    // True when the picture was to move; a hidden picture only records the point.
    bool DragTo(TPoint P, bool ForceRepaint);
    bool WillMove(TPoint P) const;
    TRect GetDragImageRect() const;
    bool Visible() const;

    TColor ColorKey() const { return FColorKey; }
    void SetColorKey(TColor Value) { FColorKey = Value; }
    bool Fade() const { return FFade; }
    void SetFade(bool Value) { FFade = Value; }
    TLTDragMoveRestriction MoveRestriction() const { return FRestriction; }
    void SetMoveRestriction(TLTDragMoveRestriction Value) { FRestriction = Value; }
    int PostBlendBias() const { return FPostBlendBias; }
    void SetPostBlendBias(int Value) { FPostBlendBias = std::clamp(Value, -128, 127); }
    int PreBlendBias() const { return FPreBlendBias; }
    void SetPreBlendBias(int Value) { FPreBlendBias = std::clamp(Value, -128, 127); }
    int Transparency() const { return FTransparency; }
    void SetTransparency(int Value) { FTransparency = std::clamp(Value, 0, 255); }
    TLTDragImageStates States() const { return FStates; }

    // The prepared picture and its opacity per pixel (row by row); nil / empty outside a drag.
    const TBitmap* Picture() const { return FDragImage.get(); }
    const std::vector<std::uint8_t>& Alpha() const { return FAlpha; }
    TPoint ImagePosition() const { return FImagePosition; }
    TPoint LastPosition() const { return FLastPosition; }

    // Opacity of each pixel of Source: 0 on the colour key, else fading with the distance
    // from the centre (255 there, about 5 at half the longer side).
    static std::vector<std::uint8_t> BuildAlphaChannel(TBitmap* Source, TColor ColorKey);

private:
    std::shared_ptr<TBitmap> FDragImage;
    std::vector<std::uint8_t> FAlpha;
    TPoint FImagePosition, FLastPosition;
    int FTransparency = 128, FPreBlendBias = 0, FPostBlendBias = 0;
    bool FFade = false;
    TLTDragMoveRestriction FRestriction = dmrNone;
    TColor FColorKey = clNone;
    TLTDragImageStates FStates;
};
