#pragma once
// Where the grid's exchange with the outside plugs in. The grid calls these at the
// moments its users expect (the clipboard keys, its start and its end); what they do
// lives with the exchange formats, above the grid. Unset, the grid keeps to itself.
#include <functional>

class TExtStringGrid;

struct TGridExchangeHooks {
    // The clipboard keys: copy, cut and paste of the selection.
    std::function<void(TExtStringGrid&)> CopySelection;
    std::function<void(TExtStringGrid&)> CutSelection;
    std::function<void(TExtStringGrid&)> PasteSelection;
    // Column widths and order read when the grid has loaded and kept when it goes
    // (ColumnSize.Save on).
    std::function<void(TExtStringGrid&)> LoadColumnLayout;
    std::function<void(TExtStringGrid&)> SaveColumnLayout;
    // Drags the mouse starts (DragDropSettings.OleDropSource on): the selected cells from
    // the pressed cell (ACol, ARow), or the column ACol from its header.
    std::function<void(TExtStringGrid&, int ACol, int ARow)> DragSelection;
    std::function<void(TExtStringGrid&, int ACol)> DragColumn;
};
TGridExchangeHooks& GridExchangeHooks();
