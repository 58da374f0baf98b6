#include "platform/gui/PopupWindow.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Registry.h"
#include "platform/gui/qt/Backend.h"

namespace {
// The shown pop-ups, in the order they were shown.
std::vector<TPopupWindow*> gShown;
std::vector<TRect> gTestAreas;
}

TPopupWindow::TPopupWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    if (Widget()) Widget()->SetPopup(true);
    SetVisible(false);
}

TPopupWindow::~TPopupWindow()
{
    gShown.erase(std::remove(gShown.begin(), gShown.end(), this), gShown.end());
}

void TPopupWindow::DropDownAt(TControl* Control)
{
    const TPoint below = Control->ClientToScreen(TPoint(0, Control->Height()));
    int y = below.Y;
    if (y + Height() > Screen->Height()) {
        const int above = below.Y - Control->Height() - Height();
        if (above >= 0) y = above;
    }
    SetBounds(below.X, y, Width(), Height());
    SetVisible(true);
}

void TPopupWindow::SetShadow(bool v)
{
    FShadow = v;
    if (Widget()) Widget()->SetDropShadow(v);
}

void TPopupWindow::SetMinSize(int w, int h)
{
    FMinWidth = std::max(0, w);
    FMinHeight = std::max(0, h);
}

void TPopupWindow::BeginSizing(TPoint P)
{
    if (!Visible()) return;
    FSizing = true;
    FSizeFrom = P;
    FSizeW = Width();
    FSizeH = Height();
    SetMouseCapture(true);
}

void TPopupWindow::WndProc(TMessage& msg)
{
    if (FSizing && (msg.Msg == WM_MOUSEMOVE || msg.Msg == WM_LBUTTONUP)) {
        const TPoint s = ClientToScreen(TPoint(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)));
        const int w = std::max(FMinWidth, FSizeW + s.X - FSizeFrom.X);
        const int h = std::max(FMinHeight, FSizeH + s.Y - FSizeFrom.Y);
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
            if (OnSizing) OnSizing(this);
        }
        if (msg.Msg == WM_LBUTTONUP) {
            FSizing = false;
            SetMouseCapture(false);
        }
        return;
    }
    TCustomControl::WndProc(msg);
}

void TPopupWindow::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    // A control without a parent shows no window of its own: a pop-up is the exception.
    if (Widget()) Widget()->SetVisible(Visible());
    gShown.erase(std::remove(gShown.begin(), gShown.end(), this), gShown.end());
    if (Visible()) gShown.push_back(this);
    else if (FSizing) {
        FSizing = false;
        SetMouseCapture(false);
    }
}

bool TPopupWindow::Contains(TControl* Target) const
{
    if (!Target) return false;
    TControl* top = Target;
    while (top->Parent()) top = top->Parent();
    // A pop-up that belongs to this one (a list dropped from a control inside it) is
    // part of where the user works.
    for (TComponent* c = top; c; c = c->Owner())
        if (c == this) return true;
    return false;
}

void TPopupWindow::Deactivated(TControl* Target)
{
    if (OnDeactivate) OnDeactivate(this);
}

void NotePopupPress(TControl* Target)
{
    // Closing one pop-up may hide or free others: work on a copy, checking each is still shown.
    const std::vector<TPopupWindow*> shown = gShown;
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        TPopupWindow* p = *it;
        if (std::find(gShown.begin(), gShown.end(), p) == gShown.end()) continue;
        if (!p->Contains(Target)) p->Deactivated(Target);
    }
}

TRect WorkAreaAt(TPoint P)
{
    if (gTestAreas.empty()) return backend::WorkAreaAt(P);
    const TRect* best = nullptr;
    long bestDist = 0;
    for (const TRect& r : gTestAreas) {
        const long dx = P.X < r.Left ? r.Left - P.X : P.X >= r.Right ? P.X - r.Right + 1 : 0;
        const long dy = P.Y < r.Top ? r.Top - P.Y : P.Y >= r.Bottom ? P.Y - r.Bottom + 1 : 0;
        const long d = dx * dx + dy * dy;
        if (!best || d < bestDist) {
            best = &r;
            bestDist = d;
        }
    }
    return *best;
}

void SetTestWorkAreas(const std::vector<TRect>& Areas) { gTestAreas = Areas; }
