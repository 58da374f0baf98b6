#pragma once
// The button that shows a fixed cell's face while a column is dragged.
#include "platform/gui/Controls.h"

class TExtStringGrid;

// A hidden, disabled child of the grid until a drag shows it.
class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TExtStringGrid* AGrid);
    TExtStringGrid* Grid;

protected:
    // A raised button face with the caption centred (ExtGrid_MouseMove.cpp).
    void Paint() override;
};
