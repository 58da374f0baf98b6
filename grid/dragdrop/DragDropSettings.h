#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Drag and drop of cells, rows and text.
class TDragDropSettings : public TObject {
public:
    explicit TDragDropSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    bool OleDropSource = false;
    bool OleDropTarget = false;
    bool OleAcceptText = true;
    bool OleAcceptFiles = true;
    bool OleAcceptURLs = true;
    // Whole rows: the selected text of a row-selecting grid takes every column.
    bool OleEntireRows = false;

private:
    TExtStringGrid* FOwner;
};
