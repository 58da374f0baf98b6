// The cells open editors edit, followed through what code does to rows and columns under
// them. Every editor writes its value back by index when it closes; an index that no
// longer names the edited cell would put the value into a neighbour. So the indexes are
// moved before the cells are, and an edited cell that leaves the grid (removed, hidden,
// cut off) ends its edit with nothing written.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/edit/GridEditorKinds.h"

namespace {
// Where an index ends up when the entry at From moves to To and those between close up.
int FollowMove(int Index, int From, int To)
{
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}
}

void TExtStringGrid::EditedRowsRemap(const std::function<int(int)>& Map, int ACol)
{
    // The special editor writes into the current cell and validates against FOldRow:
    // they follow its cell with it.
    if (FEditActive && FEditedXY.Y >= 0 && (ACol < 0 || FEditedXY.X == ACol)) {
        const int to = Map(FEditedXY.Y);
        if (to < 0) {
            DropCellEditor();
        } else {
            FEditedXY.Y = to;
            auto follow = [&Map](int& r) {
                if (r < 0) return;
                const int m = Map(r);
                if (m >= 0) r = m;
            };
            follow(FCurrent.Y);
            follow(TCustomGrid::FAnchor.Y);
            follow(FOldRow);
        }
    }
    if (FFixedEditor && FFixedEditor->Visible() && FFixedRowEdit >= 0 && (ACol < 0 || FFixedColEdit == ACol)) {
        const int to = Map(FFixedRowEdit);
        if (to < 0) DropFixedEdit();
        else FFixedRowEdit = to;
    }
    if (FCtrlEditing && (ACol < 0 || FCtrlXY.X == ACol)) {
        const int to = Map(FCtrlXY.Y);
        if (to < 0) DropControlEdit();
        else FCtrlXY.Y = to;
    }
}

// Inside a moving scope the caller has moved the indexes for the whole operation.
void TExtStringGrid::EditedRowsShifting(int At, int Count)
{
    if (Count == 0 || FEditedCellsMoving > 0 || !EditedCellsOpen()) return;
    const int gone = -Count;
    EditedRowsRemap([At, Count, gone](int r) {
        if (r < At) return r;
        if (Count > 0) return r + Count;
        return r < At + gone ? -1 : r - gone;
    });
}

void TExtStringGrid::EditedColsShifting(int At, int Count)
{
    if (Count == 0 || FEditedCellsMoving > 0 || !EditedCellsOpen()) return;
    const int gone = Count < 0 ? -Count : 0;
    auto realMap = [At, Count, gone](int c) {
        if (c < At) return c;
        if (Count > 0) return c + Count;
        return c < At + gone ? -1 : c - gone;
    };
    // A displayed index moves by the columns inserted before it (all shown) or by the
    // shown columns removed before it.
    auto displMap = [&](int d) {
        if (d < 0) return d;
        const int rc = RealColIndex(d);
        if (realMap(rc) < 0) return -1;
        if (Count > 0) return rc >= At ? d + Count : d;
        int shown = 0;
        for (int c = At; c < std::min(At + gone, rc); ++c)
            if (!IsHiddenColumn(c)) ++shown;
        return d - shown;
    };
    if (FEditActive && FEditedXY.X >= 0) {
        const int to = realMap(FEditedXY.X);
        if (to < 0) {
            DropCellEditor();
        } else {
            auto follow = [&displMap](int& d) {
                const int m = displMap(d);
                if (m >= 0) d = m;
            };
            follow(FCurrent.X);
            follow(TCustomGrid::FAnchor.X);
            follow(FOldCol);
            FEditedXY.X = to;
        }
    }
    if (FFixedEditor && FFixedEditor->Visible() && FFixedColEdit >= 0) {
        const int to = realMap(FFixedColEdit);
        if (to < 0) DropFixedEdit();
        else FFixedColEdit = to;
    }
    if (FCtrlEditing) {
        const int to = realMap(FCtrlXY.X);
        if (to < 0) DropControlEdit();
        else FCtrlXY.X = to;
    }
}

void TExtStringGrid::EditedCellsMoved(bool Rows, int From, int To, int RealFrom, int RealTo)
{
    if (From == To || !EditedCellsOpen()) return;
    // The toolkit moved the current cell along already.
    if (FEditActive) {
        if (Rows) {
            FEditedXY.Y = FollowMove(FEditedXY.Y, From, To);
            if (FOldRow >= 0) FOldRow = FollowMove(FOldRow, From, To);
        } else {
            FEditedXY.X = FollowMove(FEditedXY.X, RealFrom, RealTo);
            if (FOldCol >= 0) FOldCol = FollowMove(FOldCol, From, To);
        }
    }
    if (FFixedEditor && FFixedEditor->Visible()) {
        if (Rows) FFixedRowEdit = FollowMove(FFixedRowEdit, From, To);
        else FFixedColEdit = FollowMove(FFixedColEdit, RealFrom, RealTo);
    }
}

void TExtStringGrid::RowsExchanged(int ARow1, int ARow2)
{
    TBaseGrid::RowsExchanged(ARow1, ARow2);
    // Sorting exchanges rows by the thousand: nothing more than this test when no
    // editor is open.
    if (!EditedCellsOpen()) return;
    EditedRowsRemap([ARow1, ARow2](int r) { return r == ARow1 ? ARow2 : r == ARow2 ? ARow1 : r; });
}

void TExtStringGrid::DropCellEditor()
{
    if (!FEditActive) return;
    // Out of editor mode first, as every close does: the grid taking the focus back from
    // the editor would open an editor on whatever cell is current now.
    HideEditor();
    // The kind puts its editor away as on any close; the store it makes then is skipped.
    FEditorValueDropped = true;
    struct TRestore {
        bool& Flag;
        ~TRestore() { Flag = false; }
    } restore{FEditorValueDropped};
    FSpecialEditor = false;
    FBlockKill = true;
    if (const TGridEditorKind* kind = GridEditorKind(EditControl); kind && kind->Hide) kind->Hide(this, Col(), Row());
    FBlockKill = false;
    FStartEditChar = 0;
    FEditActive = false;
    FEditing = false;
    FSpecialValueStored = false;
    EditMode = false;
    EditCtrl = nullptr;
    FEditedXY = TPoint(-1, -1);
}

void TExtStringGrid::DropFixedEdit()
{
    TWinControl* e = FFixedEditor;
    if (!e) return;
    const bool hadFocus = e->Focused();
    // Hidden first: the editor stores its text when it loses the focus while shown.
    e->SetVisible(false);
    FFixedColEdit = FFixedRowEdit = -1;
    if (hadFocus && CanFocus()) SetFocus();
}
