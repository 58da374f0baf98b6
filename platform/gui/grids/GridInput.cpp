// The grid's window procedure, mouse (selection, sizing, moving) and keys.
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

namespace {
constexpr std::uintptr_t kScrollTimer = 1;
constexpr unsigned kScrollTimerMs = 60;

// Start of a visible cell along an axis (the cell must be fixed or scrolled into view).
int CellStart(const TGridAxisDrawInfo& a, int cell)
{
    int pos = 0, start = 0;
    if (cell >= a.FixedCellCount) {
        pos = a.FixedBoundary;
        start = a.FirstGridCell;
    }
    for (int i = start; i < cell; ++i) pos += a.GetExtent(i) + a.EffectiveLineWidth;
    return pos;
}
}

void TCustomGrid::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_GETDLGCODE:
        msg.Result = DLGC_WANTARROWS;
        if (!FOptions.Contains(goRowSelect)) {
            if (FOptions.Contains(goTabs)) msg.Result |= DLGC_WANTTAB;
            if (FOptions.Contains(goEditing)) msg.Result |= DLGC_WANTCHARS;
        }
        return;
    case WM_CHAR: {
        // A typed character opens the editor with that character.
        const WideChar ch = WideChar(msg.WParam);
        const bool alt = (msg.LParam & KF_ALTDOWN_LPARAM) != 0;
        if (FOptions.Contains(goEditing) && !alt && (ch == 8 || (ch >= 32 && ch != 127))) {
            ShowEditor();
            if (FInplaceEdit && FInplaceEdit->Visible()) {
                FInplaceEdit->Perform(WM_CHAR, msg.WParam, msg.LParam);
                msg.Result = 0;
                return;
            }
        }
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        ModifyScrollBar(msg.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(msg.WParam), HIWORD(msg.WParam));
        msg.Result = 0;
        return;
    case WM_TIMER:
        if (msg.WParam == kScrollTimer) {
            TimedScroll();
            return;
        }
        break;
    case WM_SETFOCUS:
        TCustomControl::WndProc(msg);
        if (!FInplaceEdit || HWND(msg.WParam) != FInplaceEdit->Handle()) {
            InvalidateGridRect(Selection());
            UpdateEdit();
        }
        return;
    case WM_KILLFOCUS: {
        TCustomControl::WndProc(msg);
        InvalidateGridRect(Selection());
        const HWND to = HWND(msg.WParam);
        if (!FInplaceEdit || to != FInplaceEdit->Handle()) HideEdit();
        GridExited(to);
        return;
    }
    case WM_CANCELMODE:
        if (FGridState != gsNormal) {
            InvalidateSizingLine();
            InvalidateMoveMark();
            StopScrollTimer();
            FGridState = gsNormal;
        }
        break;
    }
    TCustomControl::WndProc(msg);
}

// The focus left the grid and the controls inside it: the edit ends (the editor stays
// open only when it always shows).
void TCustomGrid::GridExited(HWND newFocus)
{
    for (const TControl* c = FindControl(newFocus); c; c = c->Parent())
        if (c == this) return;
    HideEdit();
    if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
}

// ---------------------------------------------------------------- mouse

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                  TGridDrawInfo& FixedInfo)
{
    State = gsNormal;
    Index = -1;
    auto axisState = [&](const TGridAxisDrawInfo& a, int pos, TGridState newState) {
        int line = a.FixedBoundary;
        int range = a.EffectiveLineWidth, back = 0;
        if (range < 7) {
            range = 7;
            back = (range - a.EffectiveLineWidth) / 2;
        }
        for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
            line += a.GetExtent(i);
            if (line > a.GridBoundary) break;
            if (pos >= line - back && pos <= line - back + range) {
                State = newState;
                SizingPos = line;
                SizingOfs = line - pos;
                Index = i;
                return;
            }
            line += a.EffectiveLineWidth;
        }
        if (a.GridBoundary == a.GridExtent && pos >= a.GridExtent - back && pos <= a.GridExtent) {
            State = newState;
            SizingPos = a.GridExtent;
            SizingOfs = a.GridExtent - pos;
            Index = a.LastFullVisibleCell + 1;
        }
    };
    if ((FOptions * TGridOptions{goColSizing, goRowSizing}).Empty()) return;
    // Scrolled columns are sized on their border in the fixed rows, rows in the fixed columns.
    if (X > FixedInfo.Horz.FixedBoundary && FOptions.Contains(goColSizing)) {
        if (Y >= FixedInfo.Vert.FixedBoundary) return;
        axisState(FixedInfo.Horz, X, gsColSizing);
    } else if (Y > FixedInfo.Vert.FixedBoundary && FOptions.Contains(goRowSizing)) {
        if (X >= FixedInfo.Horz.FixedBoundary) return;
        axisState(FixedInfo.Vert, Y, gsRowSizing);
    }
    if (Index >= (State == gsColSizing ? FColCount : FRowCount)) State = gsNormal;
}

void TCustomGrid::UpdateHoverCursor(int X, int Y)
{
    TGridState state = gsNormal;
    if (FOptions.Contains(goColSizing) || FOptions.Contains(goRowSizing)) {
        TGridDrawInfo di;
        CalcDrawInfo(di);
        int index, pos, ofs;
        CalcSizingState(X, Y, state, index, pos, ofs, di);
    }
    const bool sizing = state != gsNormal;
    if (!sizing && !FSizingCursor) return;
    if (sizing && !FSizingCursor) FCursorBeforeSizing = Cursor();
    FSizingCursor = sizing;
    SetCursor(sizing ? (state == gsColSizing ? crHSplit : crVSplit) : FCursorBeforeSizing);
}

void TCustomGrid::StartScrollTimer()
{
    FScrollTimer = true;
    SetTimer(Handle(), kScrollTimer, kScrollTimerMs);
}

void TCustomGrid::StopScrollTimer()
{
    if (!FScrollTimer) return;
    FScrollTimer = false;
    KillTimer(Handle(), kScrollTimer);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    if (Shift.Contains(ssDouble)) {
        // The second press of a double click: the double click itself follows.
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    HideEdit();
    if (CanFocus()) {
        if (!Focused()) SetFocus();
        if (!IsActiveControl()) {
            SetMouseCapture(false);
            return;
        }
    }
    if (Button == mbLeft) {
        TGridDrawInfo di;
        CalcDrawInfo(di);
        CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, di);
        if (FGridState != gsNormal) {
            InvalidateSizingLine();
            return;
        }
        const TGridCoord hit = CalcCoordFromPoint(X, Y, di);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit.X >= 0 && hit.Y >= 0) {
            if (FOptions.Contains(goEditing)) {
                if (hit == FCurrent) ShowEditor();
                else {
                    MoveCurrent(hit.X, hit.Y, true, true);
                    UpdateEdit();
                }
                Click();
            } else {
                FGridState = gsSelecting;
                StartScrollTimer();
                if (Shift.Contains(ssShift)) MoveAnchor(hit);
                else MoveCurrent(hit.X, hit.Y, true, true);
            }
        } else if (hit.X >= 0 && hit.Y >= 0) {
            if (FOptions.Contains(goRowMoving) && hit.X < FFixedCols && hit.Y >= FFixedRows) {
                FMoveIndex = FMovePos = hit.Y;
                FGridState = gsRowMoving;
                InvalidateMoveMark();
                StartScrollTimer();
            } else if (FOptions.Contains(goColMoving) && hit.Y < FFixedRows && hit.X >= FFixedCols) {
                FMoveIndex = FMovePos = hit.X;
                FGridState = gsColMoving;
                InvalidateMoveMark();
                StartScrollTimer();
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

namespace {
// The drop position of a column (row) being moved, scrolling when the mouse reaches an edge.
int MoveTarget(TCustomGrid* grid, int mouse, int hit, int movePos, const TGridAxisDrawInfo& a, bool& scrollBack,
               bool& scrollOn)
{
    scrollBack = scrollOn = false;
    if (mouse < a.FixedBoundary) {
        scrollBack = movePos > a.FixedCellCount && a.FirstGridCell > a.FixedCellCount;
        return a.FirstGridCell;
    }
    if (mouse >= a.FullVisBoundary) {
        scrollOn = movePos == a.LastFullVisibleCell && movePos < a.GridCellCount - 1;
        return a.LastFullVisibleCell;
    }
    if (hit < a.FixedCellCount) return movePos;
    return std::min(hit, a.GridCellCount - 1);
}
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    if (FGridState == gsNormal) UpdateHoverCursor(X, Y);
    switch (FGridState) {
    case gsSelecting: {
        TGridDrawInfo di;
        CalcDrawInfo(di);
        const TGridCoord hit = CalcCoordFromPoint(X, Y, di);
        if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit.X <= di.Horz.LastFullVisibleCell + 1 &&
            hit.Y <= di.Vert.LastFullVisibleCell + 1 && hit.X < FColCount && hit.Y < FRowCount &&
            !(hit == FAnchor))
            MoveAnchor(hit);
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        TGridDrawInfo di;
        CalcDrawInfo(di);
        const bool cols = FGridState == gsColMoving;
        const TGridCoord hit = CalcCoordFromPoint(X, Y, di);
        bool back, on;
        int target = MoveTarget(this, cols ? X : Y, cols ? hit.X : hit.Y, FMovePos, cols ? di.Horz : di.Vert, back, on);
        if (back || on) {
            InvalidateMoveMark();
            ModifyScrollBar(cols ? SB_HORZ : SB_VERT, back ? SB_LINEUP : SB_LINEDOWN, 0);
            CalcDrawInfo(di);
            target = back ? (cols ? di.Horz : di.Vert).FirstGridCell : (cols ? di.Horz : di.Vert).LastFullVisibleCell;
        }
        if (target != FMovePos) {
            InvalidateMoveMark();
            FMovePos = target;
            InvalidateMoveMark();
        }
        break;
    }
    case gsColSizing:
    case gsRowSizing:
        InvalidateSizingLine();
        FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        InvalidateSizingLine();
        break;
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    struct Normal {
        TGridState& state;
        ~Normal() { state = gsNormal; }
    } normal{FGridState};
    switch (FGridState) {
    case gsSelecting:
        MouseMove(Shift, X, Y);
        StopScrollTimer();
        UpdateEdit();
        Click();
        break;
    case gsColSizing:
    case gsRowSizing: {
        InvalidateSizingLine();
        TGridDrawInfo di;
        CalcDrawInfo(di);
        const bool cols = FGridState == gsColSizing;
        const int start = CellStart(cols ? di.Horz : di.Vert, FSizingIndex);
        const int newSize = FSizingPos - start;
        if (newSize > 1) {
            if (cols) SetColWidths(FSizingIndex, newSize);
            else SetRowHeights(FSizingIndex, newSize);
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        InvalidateMoveMark();
        StopScrollTimer();
        const bool cols = FGridState == gsColMoving;
        const int from = FMoveIndex, to = FMovePos;
        FGridState = gsNormal;
        if (from != to) {
            if (cols) MoveColumn(from, to);
            else MoveRow(from, to);
        }
        UpdateEdit();
        break;
    }
    default:
        UpdateEdit();
        break;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Range selection and moving go on past the edges while the button is held.
void TCustomGrid::TimedScroll()
{
    if (FGridState != gsSelecting && FGridState != gsColMoving && FGridState != gsRowMoving) {
        StopScrollTimer();
        return;
    }
    if (FGridState != gsSelecting) {
        MouseMove(KeyboardStateToShiftState(), FLastMouse.X, FLastMouse.Y);
        return;
    }
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TGridCoord anchor = FAnchor;
    const TPoint p = FLastMouse;
    if (p.X < di.Horz.FixedBoundary && anchor.X > FFixedCols) --anchor.X;
    else if (p.X > di.Horz.FullVisBoundary && anchor.X < FColCount - 1) ++anchor.X;
    if (p.Y < di.Vert.FixedBoundary && anchor.Y > FFixedRows) --anchor.Y;
    else if (p.Y > di.Vert.FullVisBoundary && anchor.Y < FRowCount - 1) ++anchor.Y;
    if (!(anchor == FAnchor)) MoveAnchor(anchor);
}

// ---------------------------------------------------------------- keys

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    if (!CanGridAcceptKey(Key, Shift)) {
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_F2:
        // F2 opens the editor and, unless it always shows, closes it again.
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible() && !FOptions.Contains(goAlwaysShowEditor))
            HideEditor();
        else
            SetEditorMode(true);
        Key = 0;
        return;
    case VK_ESCAPE:
        // Escape gives up the typed text: the cell keeps what it had.
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) {
            FInplaceEdit->Reset();
            if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
            Key = 0;
        }
        return;
    }
    TGridDrawInfo di;
    CalcDrawInfo(di);
    const int pageW = PageWidth(di), pageH = PageHeight(di);
    TGridCoord newTL = FTopLeft, newCur = FCurrent;
    const bool rowSelect = FOptions.Contains(goRowSelect);
    bool handled = true;
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP: --newTL.Y; break;
        case VK_DOWN: ++newTL.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                newCur.X -= pageW;
                newTL.X -= pageW;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                newCur.X += pageW;
                newTL.X += pageW;
            }
            break;
        case VK_PRIOR: newCur.Y = FTopLeft.Y; break;
        case VK_NEXT: newCur.Y = di.Vert.LastFullVisibleCell; break;
        case VK_HOME:
            newCur.X = FFixedCols;
            newCur.Y = FFixedRows;
            break;
        case VK_END:
            newCur.X = FColCount - 1;
            newCur.Y = FRowCount - 1;
            break;
        default: handled = false;
        }
    } else {
        switch (Key) {
        case VK_UP: --newCur.Y; break;
        case VK_DOWN: ++newCur.Y; break;
        case VK_LEFT:
            if (rowSelect) --newTL.X;   // a row stays selected whole: the view moves
            else --newCur.X;
            break;
        case VK_RIGHT:
            if (rowSelect) ++newTL.X;
            else ++newCur.X;
            break;
        case VK_NEXT:
            newCur.Y += pageH;
            newTL.Y += pageH;
            break;
        case VK_PRIOR:
            newCur.Y -= pageH;
            newTL.Y -= pageH;
            break;
        case VK_HOME:
            if (rowSelect) newCur.Y = FFixedRows;
            else newCur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect) newCur.Y = FRowCount - 1;
            else newCur.X = FColCount - 1;
            break;
        case VK_TAB:
            if (Shift.Contains(ssAlt) || !FOptions.Contains(goTabs)) {
                handled = false;
                break;
            }
            if (Shift.Contains(ssShift)) {
                if (--newCur.X < FFixedCols) {
                    newCur.X = FColCount - 1;
                    if (--newCur.Y < FFixedRows) newCur.Y = FRowCount - 1;
                }
                Shift >> ssShift;
            } else if (++newCur.X >= FColCount) {
                newCur.X = FFixedCols;
                if (++newCur.Y >= FRowCount) newCur.Y = FFixedRows;
            }
            break;
        default: handled = false;
        }
    }
    if (!handled) return;
    const TGridCoord maxTL = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), di);
    newTL.X = std::clamp(newTL.X, FFixedCols, std::max(FFixedCols, maxTL.X));
    newTL.Y = std::clamp(newTL.Y, FFixedRows, std::max(FFixedRows, maxTL.Y));
    if (!(newTL == FTopLeft)) MoveTopLeft(newTL.X, newTL.Y);
    newCur.X = std::clamp(newCur.X, FFixedCols, FColCount - 1);
    newCur.Y = std::clamp(newCur.Y, FFixedRows, FRowCount - 1);
    if (!(newCur == FCurrent)) FocusCell(newCur.X, newCur.Y, !Shift.Contains(ssShift));
    Key = 0;
}

void TCustomGrid::KeyPress(WideChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (!FOptions.Contains(goAlwaysShowEditor) && Key == 13) {
        // Enter opens the editor and closes it again.
        if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) HideEditor();
        else ShowEditor();
        Key = 0;
    }
}

void TCustomGrid::KeyUp(WORD& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }
