#include "platform/gui/Controls.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "platform/gui/DragDrop.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/PopupWindow.h"
#include "platform/gui/qt/Backend.h"
#include "platform/gui/Registry.h"

// ---------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FDestroying = true;
    // Those holding a reference to this one forget it before anything else goes.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        c->FFreeNotifies.erase(std::remove(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this),
                               c->FFreeNotifies.end());
        c->Notification(this, opRemove);
    }
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        if (!c->FDestroying) c->BeforeDestruction();
        delete c;   // its destructor takes it off this list
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    auto& theirs = AComponent->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::InsertComponent(TComponent* c)
{
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    c->FOwner = this;
    FComponents.push_back(c);
    Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it == FComponents.end()) return;
    FComponents.erase(it);
    c->FOwner = nullptr;
    if (!FDestroying) Notification(c, opRemove);
}

TComponent* TComponent::FindComponent(const String& name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

String TComponent::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    String result = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    auto colon = result.rfind("::");
    if (colon != String::npos) result = result.substr(colon + 2);
    return result;
}

void TComponent::BeforeDestruction()
{
    FDestroying = true;
}

void TComponent::Free()
{
    if (!FDestroying) BeforeDestruction();
    delete this;
}

// ---------------------------------------------------------------- focus and hints

namespace {
TWinControl* gFocused = nullptr;
bool gChangingFocus = false;
thread_local int gNoPreview = 0;

// Moves the focus: the old control hears WM_KILLFOCUS (its OnExit), the new one
// WM_SETFOCUS (its OnEnter); the form remembers its active control.
void ChangeFocus(TWinControl* to)
{
    if (gChangingFocus) return;
    TWinControl* from = gFocused;
    if (from == to) {
        if (to && to->Widget()) to->Widget()->SetFocus();
        return;
    }
    gChangingFocus = true;
    struct Reset { ~Reset() { gChangingFocus = false; } } reset;
    gFocused = to;
    if (from) from->Perform(WM_KILLFOCUS, to ? WPARAM(to->Handle()) : 0, 0);
    if (gFocused != to) return;
    if (to) {
        if (TForm* form = GetParentForm(to)) form->SetActiveControlFromFocus(to == form ? nullptr : to);
        if (to->Widget()) to->Widget()->SetFocus();
        to->Perform(WM_SETFOCUS, from ? WPARAM(from->Handle()) : 0, 0);
    }
}

// The control that a mouse press is giving the focus to, while it gets it.
TWinControl* gMouseFocusTarget = nullptr;

void FocusByMouse(TWinControl* c)
{
    TWinControl* const outer = gMouseFocusTarget;
    gMouseFocusTarget = c;
    struct Reset {
        TWinControl* outer;
        ~Reset() { gMouseFocusTarget = outer; }
    } reset{outer};
    c->SetFocus();
}
}

TWinControl* FindFocusedControl() { return gFocused; }

TWinControl* FindControl(HWND wnd) { return gui_registry::Find(wnd); }

TForm* GetParentForm(const TControl* c)
{
    TForm* found = nullptr;
    for (const TControl* p = c; p; p = p->Parent())
        if (auto* f = dynamic_cast<const TForm*>(p)) found = const_cast<TForm*>(f);
    return found;
}

bool TWinControl::HintEnabled(const TControl* c)
{
    for (const TControl* p = c; p; p = p->Parent())
        if (!p->ParentShowHint() || !p->Parent()) return p->ShowHint();
    return false;
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner) : TControl(AOwner, nullptr) {}

TControl::TControl(TComponent* AOwner, IWidget* widget) : TComponent(AOwner)
{
    FFont.OnChange = [this](TObject*) { FontChangedEvent(); };
    if (widget) AttachWidget(widget);
}

TControl::~TControl()
{
    FDestroying = true;
    if (GetCapture() && gui_registry::CaptureControl() == this) gui_registry::SetCaptureControl(nullptr);
    if (gui_registry::HoverControl() == this) gui_registry::SetHoverControl(nullptr);
    if (FParent) FParent->RemoveControl(this);
    if (FWidget) FWidget->Detach();
    FWidget.reset();
}

void TControl::AttachWidget(IWidget* w)
{
    if (FWidget) FWidget->Detach();
    FWidget.reset(w);
    if (!FWidget) return;
    ApplyWidgetLook();
    ApplyWidgetBounds();
}

void TControl::ApplyWidgetLook()
{
    if (!FWidget) return;
    FWidget->SetFont(FFont);
    FWidget->SetColors(FColor, FFont.Color());
    FWidget->SetEnabled(FEnabled);
    FWidget->SetCursor(FCursor);
}

void TControl::ApplyWidgetBounds()
{
    if (!FWidget) return;
    FWidget->SetGeometry(BoundsRect());
    FWidget->SetClientArea(WidgetClientArea());
}

void TControl::SetParent(TWinControl* p)
{
    if (p == FParent) return;
    if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (p) p->InsertControl(this);
}

void TControl::SetBounds(int l, int t, int w, int h)
{
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (l == FLeft && t == FTop && w == FWidth && h == FHeight) return;
    const TRect oldClient = ClientRect();
    const bool sized = w != FWidth || h != FHeight;
    FLeft = l;
    FTop = t;
    FWidth = w;
    FHeight = h;
    ApplyWidgetBounds();
    if (sized) {
        if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->ClientResized(oldClient.Width(), oldClient.Height());
        if (!FDestroying) Perform(WM_SIZE, 0, MAKELPARAM(ClientWidth(), ClientHeight()));
    }
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent && FAlign != alNone && !FParent->FAligning && !FParent->FDestroying) FParent->Realign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int v) { SetWidth(FWidth - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(FHeight - ClientHeight() + v); }

TPoint TControl::ClientOrigin() const
{
    if (FWidget) return FWidget->MapToScreen(TPoint(0, 0));
    if (FParent) {
        TPoint o = FParent->ClientOrigin();
        return TPoint(o.X + FLeft, o.Y + FTop);
    }
    return TPoint(FLeft, FTop);
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    TPoint o = ClientOrigin();
    return TPoint(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    TPoint o = ClientOrigin();
    return TPoint(p.X - o.X, p.Y - o.Y);
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* parent) const
{
    if (!parent) parent = FParent;
    TPoint r = p;
    const TControl* c = this;
    while (c && c != parent) {
        r.X += c->FLeft;
        r.Y += c->FTop;
        c = c->FParent;
    }
    if (c != parent) throw EInvalidOperation("Control is not a child of the given parent");
    return r;
}

void TControl::SetAlign(TAlign v)
{
    if (v == FAlign) return;
    FAlign = v;
    if (FParent && !FParent->FDestroying) FParent->Realign();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->FParent) {
        if (!c->FVisible) return false;
        if (!c->FParent) return dynamic_cast<const TForm*>(c) != nullptr;
    }
    return false;
}

void TControl::SetVisible(bool v)
{
    if (v == FVisible) return;
    FVisible = v;
    if (FWidget) FWidget->SetVisible(v && FParent != nullptr);
    if (!v && gFocused) {
        for (TControl* c = gFocused; c; c = c->FParent)
            if (c == this) {
                gFocused = nullptr;
                break;
            }
    }
    VisibleChanged();
    if (FParent && !FParent->FDestroying && (FAlign != alNone)) FParent->Realign();
}

void TControl::VisibleChanged() { Perform(CM_VISIBLECHANGED, FVisible ? 1 : 0, 0); }

void TControl::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    if (FWidget) FWidget->SetEnabled(v);
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetText(const String& v)
{
    if (v == GetText()) return;
    FText = v;
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool v)
{
    FShowHint = v;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool v)
{
    FParentShowHint = v;
    if (v && FParent) FShowHint = FParent->ShowHint();
}

void TControl::FontChangedEvent()
{
    if (!FApplyingParentFont) FParentFont = false;
    FontChanged();
    if (FDestroying) return;
    Perform(CM_FONTCHANGED);
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (TControl* c : wc->FControls)
            if (c->FParentFont) c->ParentFontChanged();
}

void TControl::FontChanged()
{
    if (FWidget) {
        FWidget->SetFont(FFont);
        FWidget->SetColors(FColor, FFont.Color());
    }
    Invalidate();
}

void TControl::ParentFontChanged()
{
    if (!FParent) return;
    FApplyingParentFont = true;
    struct Reset { TControl* c; ~Reset() { c->FApplyingParentFont = false; } } reset{this};
    FFont.Assign(*FParent->Font());
}

void TControl::SetParentFont(bool v)
{
    FParentFont = v;
    if (v) ParentFontChanged();
}

void TControl::SetColor(TColor v)
{
    FParentColor = false;
    if (v == FColor) return;
    FColor = v;
    ColorChanged();
}

void TControl::ColorChanged()
{
    if (FWidget) FWidget->SetColors(FColor, FFont.Color());
    Invalidate();
    if (FDestroying) return;
    Perform(CM_COLORCHANGED);
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (TControl* c : wc->FControls)
            if (c->FParentColor) c->ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParent || FParent->FColor == FColor) return;
    FColor = FParent->FColor;
    ColorChanged();
}

void TControl::SetParentColor(bool v)
{
    FParentColor = v;
    if (v) ParentColorChanged();
}

void TControl::SetCursor(TCursor v)
{
    FCursor = v;
    if (FWidget) FWidget->SetCursor(v);
}

void TControl::ShowCursor(TCursor v)
{
    if (FWidget) FWidget->SetCursor(v);
}

void TControl::Invalidate()
{
    if (FWidget && !FDestroying) FWidget->Invalidate(nullptr);
}

void TControl::InvalidateRect(const TRect& r)
{
    if (!FWidget || FDestroying) return;
    // The rectangle is in client coordinates; the window's own start before its frame.
    TRect w = r;
    if (const auto* wc = dynamic_cast<const TWinControl*>(this)) {
        const TRect& f = wc->NonClientInset();
        w = TRect(r.Left + f.Left, r.Top + f.Top, r.Right + f.Left, r.Bottom + f.Top);
    }
    FWidget->Invalidate(&w);
}

void TControl::Update()
{
    if (FWidget && !FDestroying) FWidget->PaintNow();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (FWidget) FWidget->Raise();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::find(v.begin(), v.end(), this));
        v.push_back(this);
    }
}

void TControl::SendToBack()
{
    if (FWidget) FWidget->Lower();
    if (FParent) {
        auto& v = FParent->FControls;
        v.erase(std::find(v.begin(), v.end(), this));
        v.insert(v.begin(), this);
    }
}

LRESULT TControl::Perform(unsigned msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m;
    m.Msg = msg;
    m.WParam = wParam;
    m.LParam = lParam;
    DeliverMessage(m);
    return m.Result;
}

void TControl::HostDispatch(TMessage& msg)
{
    Application->Dispatch([&] { DeliverMessage(msg); });
}

TControl::TWndMethod TControl::WindowProc()
{
    if (FWindowProc) return FWindowProc;
    return [this](TMessage& m) { WndProc(m); };
}

void TControl::DeliverMessage(TMessage& msg)
{
    // A drag that follows the pointer hears the pointer and Esc instead of the windows.
    if (PointerDragTakes(this, msg)) return;
    if (FWindowProc) {
        // A copy: the procedure may take itself away while it runs.
        const TWndMethod proc = FWindowProc;
        proc(msg);
    } else {
        WndProc(msg);
    }
}

void TControl::HostResized(int w, int h)
{
    Application->Dispatch([&] { SetBounds(FLeft, FTop, w + (FWidth - ClientWidth()), h + (FHeight - ClientHeight())); });
}

void TControl::DefaultHandler(TMessage& msg)
{
    if (FWidget && !FDestroying) FWidget->NativeDefault(msg);
}

bool TControl::MouseCapture() const { return gui_registry::CaptureControl() == this; }

void TControl::SetMouseCapture(bool v)
{
    if (v) gui_registry::SetCaptureControl(this);
    else if (MouseCapture()) gui_registry::SetCaptureControl(nullptr);
}

bool TControl::IsAccel(WideChar ch, const String& caption)
{
    auto p = caption.find('&');
    while (p != String::npos && p + 1 < caption.size()) {
        char c = caption[p + 1];
        if (c != '&') {
            WideChar a = WideChar(c >= 'a' && c <= 'z' ? c - 32 : c);
            WideChar b = ch >= 'a' && ch <= 'z' ? ch - 32 : ch;
            return a == b;
        }
        p = caption.find('&', p + 2);
    }
    return false;
}

TForm* TControl::ParentForm() const { return GetParentForm(this); }

void TControl::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        HandleMouse(msg);
        return;
    case CM_MOUSEENTER:
        if (!FMouseInside) {
            FMouseInside = true;
            MouseEnter();
        }
        return;
    case CM_MOUSELEAVE:
        if (FMouseInside) {
            FMouseInside = false;
            MouseLeave();
        }
        return;
    case WM_SIZE:
        Resize();
        return;
    case CM_HINTSHOW:
        if (msg.LParam) DoHintShow(*reinterpret_cast<THintInfo*>(msg.LParam));
        return;
    case WM_CANCELMODE:
        FClicked = false;
        SetMouseCapture(false);
        return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
    case CM_VISIBLECHANGED:
        return;
    default:
        DefaultHandler(msg);
    }
}

void TControl::HandleMouse(TMessage& msg)
{
    const int x = GET_X_LPARAM(msg.LParam);
    const int y = GET_Y_LPARAM(msg.LParam);
    TShiftState shift = KeysToShiftState(msg.WParam);
    if (msg.Msg != WM_MOUSEWHEEL) gui_registry::NoteMouse(this, x, y, msg.WParam);
    // A press elsewhere deactivates the shown pop-ups before its target hears it.
    if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_RBUTTONDOWN || msg.Msg == WM_MBUTTONDOWN ||
        msg.Msg == WM_LBUTTONDBLCLK || msg.Msg == WM_RBUTTONDBLCLK)
        NotePopupPress(this);
    switch (msg.Msg) {
    case WM_MOUSEMOVE:
        DefaultHandler(msg);
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (auto* wc = dynamic_cast<TWinControl*>(this))
            if (wc->FFocusOnClick && wc->CanFocus() && !wc->Focused()) FocusByMouse(wc);
        DefaultHandler(msg);
        if (msg.Msg == WM_LBUTTONDBLCLK) {
            shift << ssDouble;
            MouseDown(mbLeft, shift, x, y);
            DblClick();
        } else {
            FClicked = FClickEvents;
            MouseDown(mbLeft, shift, x, y);
        }
        break;
    }
    case WM_LBUTTONUP: {
        DefaultHandler(msg);
        const bool wasClicked = FClicked;
        FClicked = false;
        MouseUp(mbLeft, shift, x, y);
        if (wasClicked && !FDestroying && ClientRect().Contains(TPoint(x, y))) Click();
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        DefaultHandler(msg);
        if (msg.Msg == WM_RBUTTONDBLCLK) shift << ssDouble;
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_RBUTTONUP:
        DefaultHandler(msg);
        MouseUp(mbRight, shift, x, y);
        if (FPopupMenu && !FDestroying) {
            TPoint p = ClientToScreen(TPoint(x, y));
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.X, p.Y);
        }
        break;
    case WM_MBUTTONDOWN:
        DefaultHandler(msg);
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_MBUTTONUP:
        DefaultHandler(msg);
        MouseUp(mbMiddle, shift, x, y);
        break;
    case WM_MOUSEWHEEL: {
        // The form hears the wheel first, then the control and its parents.
        const int delta = GET_WHEEL_DELTA_WPARAM(msg.WParam);
        TShiftState ws = KeysToShiftState(msg.WParam & 0xFFFF);
        TPoint pos(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam));
        TForm* form = GetParentForm(this);
        if (form && form != this && form->DoMouseWheel(ws, delta, pos)) {
            msg.Result = 1;
            break;
        }
        for (TControl* c = this; c; c = c->FParent) {
            if (c == form && c != this) break;
            if (c->DoMouseWheel(ws, delta, pos)) {
                msg.Result = 1;
                break;
            }
        }
        break;
    }
    }
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, delta, mousePos, handled);
    return handled;
}

void TControl::MouseEnter()
{
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, backend::CreateHost(this, false)) {}

TWinControl::TWinControl(TComponent* AOwner, IWidget* widget) : TControl(AOwner, widget)
{
    FHandle = gui_registry::Register(this);
}

TWinControl::~TWinControl()
{
    FDestroying = true;
    gui_registry::Unregister(FHandle);
    if (gFocused == this) gFocused = nullptr;
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        if (!c->FDestroying) c->BeforeDestruction();
        delete c;
    }
}

void TWinControl::InsertControl(TControl* c)
{
    if (c->FParent == this) return;
    FControls.push_back(c);
    c->FParent = this;
    if (auto* wc = dynamic_cast<TWinControl*>(c)) FTabList.push_back(wc);
    if (c->FWidget) {
        c->FWidget->SetParentWidget(FWidget.get());
        c->ApplyWidgetBounds();
        c->FWidget->SetVisible(c->FVisible);
    }
    if (c->FParentFont) c->ParentFontChanged();
    if (c->FParentColor) c->ParentColorChanged();
    if (c->FParentShowHint) c->FShowHint = ShowHint();
    if (c->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* c)
{
    auto it = std::find(FControls.begin(), FControls.end(), c);
    if (it == FControls.end()) return;
    FControls.erase(it);
    if (auto* wc = dynamic_cast<TWinControl*>(c)) {
        auto t = std::find(FTabList.begin(), FTabList.end(), wc);
        if (t != FTabList.end()) FTabList.erase(t);
        if (gFocused) {
            for (TControl* p = gFocused; p; p = p->FParent)
                if (p == c) {
                    gFocused = nullptr;
                    break;
                }
        }
    }
    c->FParent = nullptr;
    if (c->FWidget && !c->FDestroying) {
        c->FWidget->SetVisible(false);
        c->FWidget->SetParentWidget(nullptr);
    }
    if (c->FAlign != alNone && !FDestroying) Realign();
}

bool TWinControl::ContainsControl(const TControl* c) const
{
    for (const TControl* p = c; p; p = p->Parent())
        if (p == this) return true;
    return false;
}

TControl* TWinControl::FindChildControl(const String& name) const
{
    for (TControl* c : FControls)
        if (SameText(c->Name(), name)) return c;
    return nullptr;
}

bool TWinControl::CanFocus() const
{
    const TForm* form = GetParentForm(this);
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    (void)form;
    return true;
}

bool TWinControl::Focused() const { return gFocused == this; }

bool TWinControl::FocusingByMouse() const { return gMouseFocusTarget == this; }

void TWinControl::SetFocus()
{
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ChangeFocus(this);
}

int TWinControl::TabOrder() const
{
    if (!Parent()) return -1;
    auto& v = Parent()->FTabList;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : int(it - v.begin());
}

void TWinControl::SetTabOrder(int v)
{
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (v < 0) v = 0;
    if (v > int(list.size())) v = int(list.size());
    list.insert(list.begin() + v, this);
}

namespace {
void CollectTabOrder(const TWinControl* parent, std::vector<TWinControl*>& out)
{
    for (int i = 0; i < parent->ControlCount(); ++i) (void)i;
    // walk the tab list through the public tab order
    std::vector<TWinControl*> kids;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) kids.push_back(w);
    std::stable_sort(kids.begin(), kids.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* w : kids) {
        out.push_back(w);
        CollectTabOrder(w, out);
    }
}
}

TWinControl* TWinControl::FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    CollectTabOrder(this, list);
    if (list.empty()) return nullptr;
    int n = int(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[size_t(i)] == cur) start = i;
    if (start < 0) start = goForward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        int i = goForward ? (start + step) % n : (start - step + n) % n;
        TWinControl* c = list[size_t(i)];
        if (c == cur && step < n) continue;
        if (!c->CanFocus()) continue;
        if (checkTabStop && !c->TabStop()) continue;
        if (checkParent && c->Parent() != this) continue;
        return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* cur, bool goForward, bool checkTabStop)
{
    if (TWinControl* c = FindNextControl(cur, goForward, checkTabStop, !checkTabStop)) c->SetFocus();
}

void TWinControl::SelectFirst()
{
    if (TWinControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign()
{
    if (FDestroying) return;
    if (FAlignLevel > 0 || FAligning) {
        FAlignPending = FAlignLevel > 0 || FAlignPending;
        return;
    }
    FAlignPending = false;
    TRect r = ClientRect();
    AdjustClientRect(r);
    FAligning = true;
    struct Reset { TWinControl* w; ~Reset() { w->FAligning = false; } } reset{this};
    AlignControls(r);
}

void TWinControl::AlignControls(TRect& r)
{
    auto pick = [&](TAlign a) {
        std::vector<TControl*> v;
        for (TControl* c : FControls)
            if (c->Align() == a && c->Visible() && !c->Internal()) v.push_back(c);
        return v;
    };
    auto tops = pick(alTop);
    std::stable_sort(tops.begin(), tops.end(), [](TControl* a, TControl* b) { return a->Top() < b->Top(); });
    for (TControl* c : tops) {
        c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
        r.Top += c->Height();
    }
    auto bottoms = pick(alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [](TControl* a, TControl* b) { return a->Top() + a->Height() > b->Top() + b->Height(); });
    for (TControl* c : bottoms) {
        c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
        r.Bottom -= c->Height();
    }
    auto lefts = pick(alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](TControl* a, TControl* b) { return a->Left() < b->Left(); });
    for (TControl* c : lefts) {
        c->SetBounds(r.Left, r.Top, c->Width(), std::max(0, r.Height()));
        r.Left += c->Width();
    }
    auto rights = pick(alRight);
    std::stable_sort(rights.begin(), rights.end(), [](TControl* a, TControl* b) { return a->Left() + a->Width() > b->Left() + b->Width(); });
    for (TControl* c : rights) {
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), std::max(0, r.Height()));
        r.Right -= c->Width();
    }
    for (TControl* c : pick(alClient)) c->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

TRect TWinControl::ClientRect() const
{
    const TRect& f = FNonClientInset;
    return Rect(0, 0, std::max(0, Width() - f.Left - f.Right), std::max(0, Height() - f.Top - f.Bottom));
}

void TWinControl::InvalidateNonClient()
{
    IWidget* w = Widget();
    const TRect& f = FNonClientInset;
    if (!w || Destroying() || f == TRect()) return;
    // The four strips around the client area, in the whole window's coordinates.
    const int width = Width(), height = Height();
    const TRect strips[] = {Rect(0, 0, width, f.Top), Rect(0, height - f.Bottom, width, height),
                            Rect(0, f.Top, f.Left, height - f.Bottom),
                            Rect(width - f.Right, f.Top, width, height - f.Bottom)};
    for (const TRect& r : strips)
        if (!r.IsEmpty()) w->Invalidate(&r);
}

TRect TWinControl::WidgetClientArea() const
{
    const TRect c = ClientRect();
    return Rect(FNonClientInset.Left, FNonClientInset.Top, FNonClientInset.Left + c.Width(),
                FNonClientInset.Top + c.Height());
}

void TWinControl::SetNonClientInset(const TRect& Inset)
{
    const TRect v(std::max(0, Inset.Left), std::max(0, Inset.Top), std::max(0, Inset.Right),
                  std::max(0, Inset.Bottom));
    if (v == FNonClientInset) return;
    const TRect oldClient = ClientRect();
    FNonClientInset = v;
    ApplyWidgetBounds();
    ClientResized(oldClient.Width(), oldClient.Height());
    if (!Destroying() && (ClientWidth() != oldClient.Width() || ClientHeight() != oldClient.Height()))
        Perform(WM_SIZE, 0, MAKELPARAM(ClientWidth(), ClientHeight()));
    Invalidate();
}

void TWinControl::ClientResized(int oldW, int oldH)
{
    const int dw = ClientWidth() - oldW;
    const int dh = ClientHeight() - oldH;
    if (dw || dh) {
        for (TControl* c : std::vector<TControl*>(FControls)) {
            if (c->Align() != alNone) continue;
            TAnchors a = c->Anchors();
            int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
            if (a.Contains(akRight)) {
                if (a.Contains(akLeft)) w += dw;
                else l += dw;
            }
            if (a.Contains(akBottom)) {
                if (a.Contains(akTop)) h += dh;
                else t += dh;
            }
            c->SetBounds(l, t, w, h);
        }
    }
    Realign();
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift)
{
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && gNoPreview == 0) {
        form->KeyDown(key, shift);
        if (key == 0) return true;
    }
    KeyDown(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyUp(WORD& key, TShiftState shift)
{
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && gNoPreview == 0) {
        form->KeyUp(key, shift);
        if (key == 0) return true;
    }
    KeyUp(key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(WideChar& key)
{
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && gNoPreview == 0) {
        form->KeyPress(key);
        if (key == 0) return true;
    }
    KeyPress(key);
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(WideChar& key)
{
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit) OnExit(this);
}

namespace {
bool IsDialogKey(WORD key)
{
    switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
        return true;
    }
    return false;
}
}

void TWinControl::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = WORD(msg.WParam);
        TShiftState shift = KeyDataToShiftState(msg.LParam);
        if (DoKeyDown(key, shift)) return;
        if (FDestroying) return;
        if (IsDialogKey(key)) {
            LRESULT code = Perform(WM_GETDLGCODE, key);   // as the platform, with the key asked about
            LRESULT mask = DLGC_WANTALLKEYS;
            if (key == VK_TAB) mask |= DLGC_WANTTAB;
            if (key >= VK_LEFT && key <= VK_DOWN) mask |= DLGC_WANTARROWS;
            TForm* form = GetParentForm(this);
            if ((code & mask) == 0 && form && form->Perform(CM_DIALOGKEY, key, msg.LParam) != 0) return;
        }
        msg.WParam = key;
        DefaultHandler(msg);
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = WORD(msg.WParam);
        if (DoKeyUp(key, KeyDataToShiftState(msg.LParam))) return;
        msg.WParam = key;
        DefaultHandler(msg);
        return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        TForm* form = GetParentForm(this);
        const bool alt = (msg.LParam & KF_ALTDOWN_LPARAM) != 0 || msg.Msg == WM_SYSCHAR;
        if (form && ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 || alt) &&
            form->Perform(CM_DIALOGCHAR, msg.WParam, msg.LParam) != 0)
            return;
        WideChar key = WideChar(msg.WParam);
        if (DoKeyPress(key)) return;
        msg.WParam = WPARAM(key);
        DefaultHandler(msg);
        return;
    }
    case WM_SETFOCUS:
        DoEnter();
        Invalidate();
        DefaultHandler(msg);
        return;
    case WM_KILLFOCUS:
        DoExit();
        Invalidate();
        DefaultHandler(msg);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        // Every child may take a dialog key (default and cancel buttons, accelerators).
        for (TControl* c : std::vector<TControl*>(FControls)) {
            if (!c->Visible()) continue;
            c->DeliverMessage(msg);
            if (msg.Result != 0) return;
        }
        return;
    case WM_GETDLGCODE:
        msg.Result = 0;
        DefaultHandler(msg);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_TIMER:
        DefaultHandler(msg);
        return;
    }
    TControl::WndProc(msg);
}

// ---------------------------------------------------------------- owner-drawn bases

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
}

TCustomControl::TCustomControl(TComponent* AOwner, IWidget* widget)
    : TWinControl(AOwner, widget), FCanvas(std::make_unique<TCanvas>())
{
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_NCPAINT) {
        if (FCanvas->HandleAllocated()) PaintNonClient();
        return;
    }
    if (msg.Msg == WM_PAINT) {
        if (FCanvas->HandleAllocated()) {
            FCanvas->Font()->Assign(*Font());
            FCanvas->Brush()->SetColor(Color());
            Paint();
        } else {
            Update();
        }
        return;
    }
    TWinControl::WndProc(msg);
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner, backend::CreateHost(this, false)), FCanvas(std::make_unique<TCanvas>())
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_PAINT) {
        if (FCanvas->HandleAllocated()) {
            FCanvas->Font()->Assign(*Font());
            FCanvas->Brush()->SetColor(Color());
            Paint();
        } else {
            Update();
        }
        return;
    }
    TControl::WndProc(msg);
}

// ---------------------------------------------------------------- input as a user makes it

namespace gui_input {

void SetShiftState(TShiftState shift) { gui_registry::SetShift(shift); }

// The key that went down last: the characters it types carry its scan code.
static WORD gLastKeyDown = 0;

static LPARAM KeyData(WORD key, TShiftState shift)
{
    return (shift.Contains(ssAlt) ? KF_ALTDOWN_LPARAM : 0) | (LPARAM(KeyScanCode(key)) << 16);
}

bool KeyDown(TWinControl* target, WORD key, TShiftState shift)
{
    gui_registry::SetShift(shift);
    gui_registry::NoteKey(key, true);
    gLastKeyDown = key;
    bool consumed = true;
    LPARAM data = KeyData(key, shift);
    Application->Dispatch([&] {
        TMessage m{shift.Contains(ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, data, 0};
        target->DeliverMessage(m);
        consumed = false;
    });
    return !consumed;
}

void KeyUp(TWinControl* target, WORD key, TShiftState shift)
{
    gui_registry::NoteKey(key, false);
    gui_registry::SetShift(shift);
    if (key == gLastKeyDown) gLastKeyDown = 0;
    LPARAM data = KeyData(key, shift);
    Application->Dispatch([&] {
        TMessage m{shift.Contains(ssAlt) ? WM_SYSKEYUP : WM_KEYUP, key, data, 0};
        target->DeliverMessage(m);
    });
}

void Char(TWinControl* target, WideChar ch)
{
    TShiftState shift = KeyboardStateToShiftState();
    LPARAM data = KeyData(gLastKeyDown, shift);
    Application->Dispatch([&] {
        TMessage m{WM_CHAR, WPARAM(ch), data, 0};
        target->DeliverMessage(m);
    });
}

void MouseFocus(TWinControl* target)
{
    Application->Dispatch([target] {
        if (target->CanFocus()) FocusByMouse(target);
    });
}

void Mouse(TControl* target, unsigned msg, int x, int y, TShiftState shift, int wheelDelta)
{
    WPARAM keys = 0;
    if (shift.Contains(ssShift)) keys |= MK_SHIFT;
    if (shift.Contains(ssCtrl)) keys |= MK_CONTROL;
    if (shift.Contains(ssAlt)) keys |= MK_ALT;
    if (shift.Contains(ssLeft)) keys |= MK_LBUTTON;
    if (shift.Contains(ssRight)) keys |= MK_RBUTTON;
    if (shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) keys |= MK_LBUTTON;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) keys |= MK_RBUTTON;
    gui_registry::SetShift(shift - TShiftState{ssLeft, ssRight, ssMiddle, ssDouble});
    LPARAM pos = MAKELPARAM(x, y);
    if (msg == WM_MOUSEWHEEL) {
        TPoint s = target->ClientToScreen(TPoint(x, y));
        pos = MAKELPARAM(s.X, s.Y);
        keys = MAKEWPARAM(int(keys), wheelDelta);
    }
    Application->Dispatch([&] {
        TMessage m{msg, keys, pos, 0};
        target->DeliverMessage(m);
    });
}

}
