// What follows a move of the visible area: a special editor closes (it would stay over
// a cell that scrolled away), the selection frame and cell controls follow, and a
// synchronised grid scrolls along.
#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"

void TExtStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    if (FGridDestroying) return;
    if (SelectionRectangle && Selection().Bottom > Selection().Top) Invalidate();
    // A background that does not scroll with the cells: the cells that moved under it
    // (a picture fixed to the window, a tiled picture, a gradient) are drawn again.
    if (FBackGround) {
        const TBackgroundDisplay d = FBackGround->Display;
        const bool picture = FBackGround->Bitmap() && !FBackGround->Bitmap()->Empty();
        if (((d == bdFixed || d == bdTile) && picture) ||
            ((d == bdGradientHorz || d == bdGradientVert) && FBackGround->ColorTo != clNone))
            Invalidate();
    }
    if (EditMode && !IsDefaultEditorKind(EditControl)) HideInplaceEdit();
    // So does the editor of a control in a mini-HTML cell, keeping what was typed.
    StopControlEdit();
    UpdateVScrollBar();
    UpdateHScrollBar();
    if (FFooterPanel && FFloatingFooter && FFloatingFooter->Visible) FFooterPanel->Invalidate();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (FSyncGrid && FSyncGrid->Grid()) {
        TExtStringGrid* g = FSyncGrid->Grid();
        if (FSyncGrid->ScrollVertical && g->TopRow() != TopRow() && TopRow() < g->RowCount()) g->SetTopRow(TopRow());
        if (FSyncGrid->ScrollHorizontal && g->LeftCol() != LeftCol() && LeftCol() < g->ColCount())
            g->SetLeftCol(LeftCol());
    }
    if (FVScrollCtrl) FVScrollCtrl->Invalidate();
    if (FHScrollCtrl) FHScrollCtrl->Invalidate();
}

// ---------------------------------------------------------------- unit start-up

bool ComCtl32Newer = false;

unsigned DTPShiftFocusMessage()
{
    static const unsigned msg = RegisterWindowMessage("DTPShiftFocus");
    return msg;
}

void GridUnitStartup()
{
    static bool started = false;
    if (started) return;
    started = true;
    TExtStringGrid::FocusWindowGrid = nullptr;
    // The focus-cell window is a child of its grid, so it follows every move and resize
    // of the form without a window hook.
    ComCtl32Newer = FileVersionNumber("comctl32.dll") > 0x40045;
    TExtStringGrid::GridEditDoneMessage();
    DTPShiftFocusMessage();
}

// ---------------------------------------------------------------- small services

int TExtStringGrid::GetVersionNr() const { return 100794627; }

String TExtStringGrid::GetVersionString() const
{
    const unsigned vn = unsigned(GetVersionNr());
    return IntToStr(int(vn >> 24)) + "." + IntToStr(int((vn >> 16) & 0xFF)) + "." + IntToStr(int((vn >> 8) & 0xFF)) +
           "." + IntToStr(int(vn & 0xFF)) + " Sep, 2012";
}

void TExtStringGrid::SetIntegralHeight(bool v)
{
    FIntegralHeight = v;
    SetBounds(Left(), Top(), Width(), Height());
}
