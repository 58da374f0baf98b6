#pragma once
#include <functional>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// What carries drops between windows plugs in here: Register makes a grid's window a drop
// target (false when that fails), Revoke undoes a registration that succeeded. Without
// them no grid becomes a drop target.
struct TGridDropTargetHooks {
    std::function<bool(TExtStringGrid*)> Register;
    std::function<void(TExtStringGrid*)> Revoke;
};
TGridDropTargetHooks& GridDropTargetHooks();

// Whether drops of rich text are taken as such (one setting for every grid).
void SetDropRTF(bool Value);
bool DropRTF();

// Drag and drop of cells, rows, columns, text, files and links.
class TDragDropSettings : public TObject {
public:
    explicit TDragDropSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    // A registration still standing goes with the grid.
    ~TDragDropSettings() override;
    TDragDropSettings(const TDragDropSettings&) = delete;
    TDragDropSettings& operator=(const TDragDropSettings&) = delete;
    // From another TDragDropSettings, through the setters; any other source is ignored.
    void Assign(const TObject* Source);

    // Rich text drops are taken as rich text; the setting is shared by all grids.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);
    bool OleAcceptText = true;
    // Whole rows: the selected text of a row-selecting grid takes every column.
    bool OleEntireRows = false;
    // The grid can start a drag from its selection.
    bool OleDropSource = false;
    bool OleRemoveRows = false;
    bool OleAcceptFiles = true;
    bool OleAcceptURLs = true;
    // The grid's window takes drops: registered when switched on, revoked when switched
    // off. A registration that failed is not revoked.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    // Whether the grid's window is registered as a drop target now.
    bool DropTargetAssigned() const { return FDropTargetAssigned; }
    bool OleInsertRows = false;
    bool OleAppendRows = false;
    bool OleCopyAlways = false;
    bool OleColumnDragDrop = false;
    bool OleColumnReorder = false;
    bool OleColumnsOnly = false;
    // The cell under a drag is shown.
    bool ShowCells() const { return FShowCells; }
    void SetShowCells(bool Value) { FShowCells = Value; }

private:
    TExtStringGrid* FOwner;
    bool FOleDropRTF = false;
    bool FOleDropTarget = false;
    bool FDropTargetAssigned = false;
    bool FShowCells = true;
};
