#pragma once
// The button that shows a fixed cell's face while a column or row is dragged.
#include "platform/gui/Controls.h"

class TExtStringGrid;

// A hidden, disabled child of the grid until a drag shows it.
class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TExtStringGrid* AGrid);
    TExtStringGrid* Grid;
    // The fixed cell (display column, row) whose face the button shows.
    int FaceCol = 0, FaceRow = 0;
    // Without a border.
    bool Flat = false;

protected:
    // The grid's fixed-cell background, then the caption: centred on one line, or as
    // mini-HTML when it holds markup (ExtGrid_MouseMove.cpp).
    void Paint() override;
};
