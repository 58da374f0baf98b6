#pragma once
// Drag and drop of a grid's cells and columns, to and from any window: a grid whose
// DragDropSettings.OleDropTarget is on takes text, rich text, links, one file (a CSV file
// is loaded), a column of a grid and the grid's own cell block; a grid drags its selected
// cells (as text, rich text of the cell under the mouse and, with AllowFmtClipboard, the
// cell block) or one column. Dropped data may come from any program: blocks beyond the
// readers' limits are refused before a cell changes.
#include "grid/core/ExtGrid.h"
#include "platform/gui/DragDrop.h"

namespace GridDragDrop {

TClipFormat GridColumnFormat();
TClipFormat URLFormat();

// Copy with Ctrl held; else move when the source allows it; else copy.
int DefaultDropEffect(unsigned KeyState, int OkEffects);

// Drags the selected cells; returns the effect (none when cancelled). A move, unless
// OleCopyAlways, removes the dragged rows (OleRemoveRows in row-select mode) or clears
// the dragged cells.
int DragSelection(TExtStringGrid& Grid, int ACol, int ARow);
// Drags the displayed column ACol.
int DragColumn(TExtStringGrid& Grid, int ACol);

// A file dropped on a grid is loaded by what its extension says (".csv"), not by a
// name that merely holds those letters.
bool IsCSVFile(const String& FileName);
bool IsSpreadsheetFile(const String& FileName);

// What shows a drag to the user: with ShowCells, a small window holding the picture of
// the dragged cells follows the pointer (4 pixels right of and below it) until the drag
// ends; a grid under a drag shows arrows where the drop would go: left of the row
// (cells) or above and below the header (a column). nullptr when none is shown.
TControl* FloatingCells();
struct TDropArrows {
    TControl* Left = nullptr;   // pointing at a row from the left
    TControl* Down = nullptr;   // above a column's header, pointing down
    TControl* Up = nullptr;     // below it, pointing up
};
TDropArrows DropArrows(TExtStringGrid& Grid);

// Grids turning OleDropTarget on register their window as a drop target from now on.
void InstallGridDragDrop();

}  // namespace GridDragDrop
