// Panning with the middle button: a press marks an origin, and while the mouse rests more
// than 5 pixels away from it the grid moves one cell per tick of a 10 ms timer towards
// the mouse. Any button or key ends it.
#include <algorithm>

#include "grid/core/ExtGrid.h"

namespace {
constexpr std::uintptr_t kPanTimerId = 999;
constexpr unsigned kPanTimerMs = 10;
constexpr int kPanRest = 5;
constexpr int kOriginSize = 32;

// The pan cursor for a direction: the nearest of the toolkit's arrow shapes.
TCursor PanCursor(int dx, int dy)
{
    if (dx == 0 && dy == 0) return crSizeAll;
    if (dx == 0) return crSizeNS;
    if (dy == 0) return crSizeWE;
    return (dx > 0) == (dy > 0) ? crSizeNWSE : crSizeNESW;
}
}

bool TExtStringGrid::HandlePanningMessage(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_TIMER:
        if (FWheelPan && msg.WParam == kPanTimerId) {
            PanningStep();
            return true;
        }
        return false;
    case WM_MBUTTONDOWN:
        if (FWheelPan) {
            EndPanning();
            return false;
        }
        if (FWheelMsg != 0 && IntelliPan != ipNone && RowCount() > FixedRows())
            StartPanning(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        if (FWheelPan) EndPanning();
        return false;
    default:
        return false;
    }
}

void TExtStringGrid::StartPanning(int X, int Y)
{
    FPanPrevCursor = Cursor();
    TBaseGrid::SetCursor(PanCursor(0, 0));
    FWheelPan = true;
    FPanDirX = FPanDirY = 0;
    SetTimer(Handle(), kPanTimerId, kPanTimerMs);
    FWheelPanPos = TPoint(X, Y);
    SetMouseCapture(true);
    FPanShowHint = ShowHint();
    SetShowHint(false);
    DrawPanOrigin(false);
}

void TExtStringGrid::EndPanning()
{
    if (!FWheelPan) return;
    SetMouseCapture(false);
    KillTimer(Handle(), kPanTimerId);
    TBaseGrid::SetCursor(FPanPrevCursor);
    SetShowHint(FPanShowHint);
    FWheelPan = false;
    DrawPanOrigin(true);
}

void TExtStringGrid::PanningStep()
{
    const TPoint p = ScreenToClient(Mouse_CursorPos());
    int dy = p.Y < FWheelPanPos.Y - kPanRest ? -1 : p.Y > FWheelPanPos.Y + kPanRest ? 1 : 0;
    int dx = p.X < FWheelPanPos.X - kPanRest ? -1 : p.X > FWheelPanPos.X + kPanRest ? 1 : 0;
    if (IntelliPan == ipHorizontal) dy = 0;
    if (IntelliPan == ipVertical) dx = 0;
    FPanDirX = dx;
    FPanDirY = dy;
    const TGridRect before = Selection();
    const int lastRow = std::max(FixedRows(), RowCount() - FixedFooters - 1);
    const int lastCol = std::max(FixedCols(), ColCount() - FixedRightCols - 1);
    const int row = std::clamp(Row(), FixedRows(), lastRow);
    const int col = std::clamp(Col(), FixedCols(), lastCol);
    if (dx != 0 || dy != 0) {
        if (FMouseActions->WheelAction() == waScroll) {
            const int top = std::clamp(TopRow() + dy, FixedRows(), std::max(FixedRows(), RowCount() - VisibleRowCount()));
            const int left =
                std::clamp(LeftCol() + dx, FixedCols(), std::max(FixedCols(), ColCount() - VisibleColCount()));
            if (top != TopRow() || left != LeftCol()) {
                DrawPanOrigin(true);
                if (top != TopRow()) SetTopRow(top);
                if (left != LeftCol()) SetLeftCol(left);
            }
        } else {
            const int nr = std::clamp(row + dy, FixedRows(), lastRow);
            const int nc = std::clamp(col + dx, FixedCols(), lastCol);
            if (nr != Row() || nc != Col()) {
                const int top = TopRow(), left = LeftCol();
                MoveColRow(nc, nr, true, true);
                if (top != TopRow() || left != LeftCol()) DrawPanOrigin(true);
            }
        }
    }
    TBaseGrid::SetCursor(PanCursor(dx, dy));
    DrawPanOrigin(false);
    const TGridRect after = Selection();
    if (!(after == before)) FireSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TExtStringGrid::DrawPanOrigin(bool Erase)
{
    const TRect area = Bounds(FWheelPanPos.X, FWheelPanPos.Y, kOriginSize, kOriginSize);
    if (Erase) {
        InvalidateRect(area);
        return;
    }
    if (IntelliPan == ipNone) return;
    // A ring with arrow heads along the directions the pan may take.
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWhite);
    const int cx = area.Left + kOriginSize / 2, cy = area.Top + kOriginSize / 2;
    c->Ellipse(cx - 12, cy - 12, cx + 12, cy + 12);
    c->Brush()->SetColor(clBlack);
    if (IntelliPan != ipHorizontal) {
        c->Polygon({{cx - 4, cy - 4}, {cx + 4, cy - 4}, {cx, cy - 9}});
        c->Polygon({{cx - 4, cy + 4}, {cx + 4, cy + 4}, {cx, cy + 9}});
    }
    if (IntelliPan != ipVertical) {
        c->Polygon({{cx - 4, cy - 4}, {cx - 4, cy + 4}, {cx - 9, cy}});
        c->Polygon({{cx + 4, cy - 4}, {cx + 4, cy + 4}, {cx + 9, cy}});
    }
    c->RestoreState(saved);
}
