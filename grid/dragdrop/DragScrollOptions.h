#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// Milliseconds before the first scroll step of a resting drag and between the following ones.
class TDragScrollDelays : public TObject {
public:
    // From another TDragScrollDelays; any other source is ignored.
    void Assign(const TObject* Source);
    int InitialDelay = 1000;
    int RepeatDelay = 250;
};

// Pixels from each edge inside which a resting drag scrolls.
class TDragScrollMargins : public TObject {
public:
    // From another TDragScrollMargins; any other source is ignored.
    void Assign(const TObject* Source);
    int TopMargin = 50;
    int BottomMargin = 50;
    int LeftMargin = 50;
    int RightMargin = 50;
};

// Scrolling while something is dragged near the grid's edges.
class TDragScrollOptions : public TObject {
public:
    // From another TDragScrollOptions, with its delays and margins; any other source is ignored.
    void Assign(const TObject* Source);
    bool Active = false;
    TDragScrollDelays Delays;
    TDragScrollMargins Margins;
};
