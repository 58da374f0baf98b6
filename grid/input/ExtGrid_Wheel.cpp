// The wheel on the grid: moving the current row or scrolling, Ctrl with the wheel zooms;
// zoom steps, the simulated cell click and the small hooks the editors call.
#include <algorithm>

#include "grid/core/ExtGrid.h"

int TExtStringGrid::WheelLines()
{
    const int n = WheelScrollLines();
    if (n < 0) return std::max(1, VisibleRowCount());
    return n > 0 ? n : 3;
}

void TExtStringGrid::Zoom(int x)
{
    if (ZoomFactor + x < -10 || ZoomFactor + x > 10) return;
    FScrollLock = true;
    ZoomFactor += x;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
    FScrollLock = false;
    if (ScrollProportional) {
        UpdateVScrollBar();
        UpdateHScrollBar();
    }
}

// The wheel reaches these hooks only when the grid left it to the toolkit (while
// panning, or when the parent took the message first).
bool TExtStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelHook(true, Shift, MousePos);
}

bool TExtStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelHook(false, Shift, MousePos);
}

bool TExtStringGrid::WheelHook(bool Down, TShiftState Shift, TPoint MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel) {
        bool Handled = false;
        if (Down && OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
        if (!Down && OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
        return Handled;
    }
    // Moving the current row by the wheel never opens an editor on its way.
    const bool direct = FMouseActions->DirectEdit;
    FMouseActions->DirectEdit = false;
    struct Restore {
        TMouseActions* m;
        bool v;
        ~Restore() { m->DirectEdit = v; }
    } restore{FMouseActions.get(), direct};
    const auto base = [&] {
        return Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    };
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll) {
        const int left = LeftCol();
        BeginUpdate();
        struct Finally {
            TExtStringGrid* g;
            ~Finally() { g->EndUpdate(); }
        } fin{this};
        const bool result = base();
        SetLeftCol(left);
        return result;
    }
    if (!Down && !(Col() < ColCount() && Row() < RowCount())) return true;
    const bool editing = EditorMode() || EditMode;
    const bool result = base();
    if (editing && CanFocus()) SetFocus();
    return result;
}

bool TExtStringGrid::HandleWheel(TMessage& msg)
{
    if (FGridDestroying) return false;
    const int delta = GET_WHEEL_DELTA_WPARAM(msg.WParam);
    const TShiftState shift = KeysToShiftState(msg.WParam);
    msg.Result = 0;
    if (shift.Contains(ssCtrl) && IntelliZoom) {
        Zoom(delta < 0 ? WheelLines() : -WheelLines());
        AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!EnableWheel || (FixedRowAlways && RowCount() == 1)) return true;
    int s = FMouseActions->WheelIncrement;
    if (s < 1) s = WheelLines();
    int T = Row();
    const bool scroll = FMouseActions->WheelAction() == waScroll;
    if (scroll) {
        if (delta < 0) {
            if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + s >= FixedRows())
                SetTopRow(std::min(TopRow() + s, std::max(FixedRows(), RowCount() - VisibleRowCount())));
        } else {
            if (TopRow() - s < FixedRows()) s = TopRow() - FixedRows();
            if (TopRow() > FixedRows() && TopRow() - s >= FixedRows()) SetTopRow(TopRow() - s);
        }
    } else {
        T = delta < 0 ? Row() + s : Row() - s;
    }
    T = std::clamp(T, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters - 1));
    int moved = 0;
    if (T >= 0 && T < RowCount()) {
        BeginUpdate();
        struct Finally {
            TExtStringGrid* g;
            ~Finally() { g->EndUpdate(); }
        } fin{this};
        if (FMouseActions->DisjunctRowSelect() && !scroll) FRowSelect.assign(FRowSelect.size(), false);
        moved = T - Row();
        if (!scroll && T != Row()) {
            if (EditMode || EditorMode()) HideInplaceEdit();
            SetRow(T);
        }
    }
    bool fire = true;
    WheelStep(moved, fire);
    if ((FMouseActions->WheelIncrement != 0 || FMouseActions->DisjunctRowSelect()) && fire) {
        msg.Result = 1;
        bool handled = false;
        const TPoint p(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        if (delta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, p, handled);
        if (delta >= 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, p, handled);
    }
    return true;
}

void TExtStringGrid::Select() { SelectCell(Col(), Row()); }

void TExtStringGrid::ClickCell(int ACol, int ARow)
{
    const TRect R = CellRect(ACol, ARow);
    FForceSel = true;
    const TMouseEvent down = OnMouseDown, up = OnMouseUp;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    struct Finally {
        TExtStringGrid* g;
        TMouseEvent d, u;
        ~Finally()
        {
            g->OnMouseDown = d;
            g->OnMouseUp = u;
            g->FForceSel = false;
        }
    } fin{this, down, up};
    TBaseGrid::MouseDown(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
    TBaseGrid::MouseUp(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
}

String TExtStringGrid::FireEllipsClick(const String& Text)
{
    String S = Text;
    if (OnEllipsClick) OnEllipsClick(this, RealColIndex(Col()), Row(), S);
    return S;
}

void TExtStringGrid::UnitChanged(TObject*, const String& NewUnit)
{
    if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
}
