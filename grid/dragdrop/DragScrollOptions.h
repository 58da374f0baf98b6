#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// Scrolling while something is dragged near the grid's edges.
class TDragScrollOptions : public TObject {
public:
    void Assign(const TObject* Source);
    bool Active = false;
    // Milliseconds before the first step and between the following ones.
    struct TDelays {
        int InitialDelay = 1000;
        int RepeatDelay = 250;
    } Delays;
    // Pixels from each edge inside which a resting drag scrolls.
    struct TMargins {
        int TopMargin = 50;
        int BottomMargin = 50;
        int LeftMargin = 50;
        int RightMargin = 50;
    } Margins;
};
