#pragma once
// Components and controls: owners and names, parents and bounds, alignment, fonts and
// colours, focus, the window procedure, and the two owner-drawn bases.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"
#include "platform/gui/Types.h"

class IWidget;   // the backend window behind a control
class TWinControl;
class TForm;
class TPopupMenu;

enum TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;   // frees the owned components, last first
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    virtual void SetName(const String& v) { FName = v; }
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t v) { FTag = v; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int i) const { return FComponents.at(size_t(i)); }
    // Owned component by name (ASCII case ignored), or nullptr.
    TComponent* FindComponent(const String& name) const;
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    // The class's own name, e.g. "TEdit" or a form's "TFParGen".
    String ClassName() const;
    bool Destroying() const { return FDestroying; }

    // Runs once the most derived constructor is done (forms fire OnCreate here);
    // TApplication::CreateForm calls it, code that creates a form with new calls it itself.
    virtual void AfterConstruction() {}
    // Runs before the destructors (forms fire OnDestroy here); Free and owners call it.
    virtual void BeforeDestruction();
    void Free();
    // Each of the two is told (Notification with opRemove) when the other is destroyed,
    // whoever owns them: for references to components one does not own.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation) {}
    bool FDestroying = false;

private:
    TComponent* FOwner = nullptr;
    String FName;
    std::intptr_t FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

class THintWindow;
// Makes a hint window of one kind, owned by AOwner.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);

struct THintInfo {
    class TControl* HintControl = nullptr;
    TPoint CursorPos;
    TRect CursorRect;
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    String HintStr;
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    // The hint window the control asks for (nullptr: the application's choice) and the
    // data handed to it.
    THintWindowClass HintWindowClass = nullptr;
    void* HintData = nullptr;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* p);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int l, int t, int w, int h);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area in the control's own coordinates (children sit there).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    void SetClientSize(int w, int h) { SetClientWidth(w); SetClientHeight(h); }
    // Screen position of the client area's top-left corner.
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // From this control's client coordinates to the parent's.
    TPoint ClientToParent(TPoint p, TWinControl* parent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v) { FAnchors = v; }

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent up to a shown top-level window visible too.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);

    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    String Text() const { return GetText(); }
    void SetText(const String& v);

    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool v);

    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont* f) { FFont.Assign(*f); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* m) { FPopupMenu = m; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

    virtual void Invalidate();
    void InvalidateRect(const TRect& r);
    // Paints at once what is invalid.
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Sends the message to this control's window procedure now.
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& msg);
    // What happens to a message no handler took: the backend's own handling.
    virtual void DefaultHandler(TMessage& msg);

    // ---- the window-procedure hook ----
    // A procedure put in front of the control's WndProc sees every message delivered to
    // the control first (sent, posted, timers, input, focus changes) and passes on what
    // it leaves alone by calling the procedure it replaced. WindowProc gives the procedure
    // in front now (one that calls WndProc when none was put there), to be kept and put
    // back with SetWindowProc; an empty procedure puts WndProc back.
    using TWndMethod = std::function<void(TMessage&)>;
    TWndMethod WindowProc();
    void SetWindowProc(TWndMethod Proc) { FWindowProc = std::move(Proc); }
    bool WindowProcHooked() const { return bool(FWindowProc); }
    // Delivers a message through the procedure in front.
    void DeliverMessage(TMessage& msg);

    bool MouseCapture() const;
    void SetMouseCapture(bool v);
    // Converts a button's caption to its accelerator check.
    static bool IsAccel(WideChar ch, const String& caption);

    // The form this control sits on (the top-most form among its parents).
    TForm* ParentForm() const;
    virtual bool IsWinControl() const { return false; }
    // Controls the layer itself adds (scroll bars of a group) stay out of layouts.
    bool Internal() const { return FInternal; }
    void SetInternal(bool v) { FInternal = v; }

    // ---- used by the backend only ----
    IWidget* Widget() const { return FWidget.get(); }
    // A message from real input: dispatched at the event boundary, where an escaping
    // exception goes to the application's handler.
    void HostDispatch(TMessage& msg);
    virtual void HostNotify(int code, std::intptr_t arg) {}
    virtual TCanvas* HostCanvas() { return nullptr; }
    // The backend resized a top-level window (the user dragged its frame).
    void HostResized(int w, int h);
    virtual bool HostFillsBackground() const { return false; }

protected:
    // Controls of a kind with a native window of their own pass it here.
    TControl(TComponent* AOwner, IWidget* widget);
    // Where the client area lies inside the control's own window.
    virtual TRect WidgetClientArea() const { return ClientRect(); }
    // Dynamic operations the window procedure ends in; descendants override them.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();
    virtual void DoHintShow(THintInfo& info) {}
    // Shows a cursor over the control for now without making it the control's Cursor (a
    // control whose cursor follows what lies under the pointer).
    void ShowCursor(TCursor v);

    virtual String GetText() const { return FText; }
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    // Mouse clicks make Click() on release when the press was inside (owner-drawn controls).
    bool FClickEvents = true;
    void AttachWidget(IWidget* w);
    virtual void ApplyWidgetBounds();
    void ApplyWidgetLook();
    void RequestAlign();
    bool FAutoSize = false;
    String FText;
    bool FInternal = false;
    bool FMouseInside = false;

private:
    void FontChangedEvent();
    void HandleMouse(TMessage& msg);
    void ParentFontChanged();
    void ParentColorChanged();
    friend class TWinControl;
    TWinControl* FParent = nullptr;
    std::unique_ptr<IWidget> FWidget;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = TAnchors{akLeft, akTop};
    bool FVisible = true;
    bool FEnabled = true;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TFont FFont;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TColor FColor = clWindow;
    bool FParentColor = false;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    bool FClicked = false;
    TWndMethod FWindowProc;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;   // child controls go with it
    // Runs the form's key preview, then the control's own key handling; true when the
    // key was consumed (set to 0).
    bool DoKeyDown(WORD& key, TShiftState shift);
    bool DoKeyPress(WideChar& key);
    bool DoKeyUp(WORD& key, TShiftState shift);

    // ---- a frame around the client area that the control paints itself ----
    // Its widths at the left, top, right and bottom side (as a rectangle's four fields).
    // The client area, its painting, mouse positions and the child controls' places all
    // lie inside the frame; a custom control paints the frame in PaintNonClient. A child
    // placed at negative client coordinates sits in the frame.
    TRect NonClientInset() const { return FNonClientInset; }
    void SetNonClientInset(const TRect& Inset);
    TRect ClientRect() const override;
    // Asks for the frame alone to be painted again (its look changed, the client did not).
    void InvalidateNonClient();

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(size_t(i)); }
    bool ContainsControl(const TControl* c) const;
    TControl* FindChildControl(const String& name) const;
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    bool IsWinControl() const override { return true; }

    // Integer handle; a message sent or posted to it after the control is gone is dropped.
    HWND Handle() const { return FHandle; }
    bool HandleAllocated() const { return true; }

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // True while the control takes the focus from a mouse button pressed on it, rather
    // than from the keyboard or from code.
    bool FocusingByMouse() const;
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    int TabOrder() const;
    void SetTabOrder(int v);
    // The next control in tab order after cur (wrapping), or nullptr.
    TWinControl* FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* cur, bool goForward, bool checkTabStop);
    void SelectFirst();
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool v) { FParentBackground = v; Invalidate(); }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& r) const {}
    void WndProc(TMessage& msg) override;
    bool HostFillsBackground() const override { return !FParentBackground; }
    // Effective hint display: ShowHint, or the parent's when ParentShowHint.
    static bool HintEnabled(const TControl* c);

protected:
    TWinControl(TComponent* AOwner, IWidget* widget);
    // Native controls take the focus when clicked.
    bool FFocusOnClick = false;
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(WideChar& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void AlignControls(TRect& r);
    // Called when the client size changed: anchors follow, aligned children realign.
    void ClientResized(int oldW, int oldH);
    bool FParentBackground = false;

    TRect WidgetClientArea() const override;

private:
    friend class TControl;
    TRect FNonClientInset;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    HWND FHandle = 0;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    int FAlignLevel = 0;
    bool FAligning = false;
    bool FAlignPending = false;
};

// A window that draws itself: Paint() on the control's Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() { return FCanvas.get(); }
    void WndProc(TMessage& msg) override;
    TCanvas* HostCanvas() override { return FCanvas.get(); }
protected:
    TCustomControl(TComponent* AOwner, IWidget* widget);
    virtual void Paint() {}
    // Paints the frame of SetNonClientInset on Canvas, in the coordinates of the whole
    // control (the client area is clipped out).
    virtual void PaintNonClient() {}
private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window handle of its own that draws itself (labels, shapes,
// images). It has a small backend window of its own without a background.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() { return FCanvas.get(); }
    void WndProc(TMessage& msg) override;
    TCanvas* HostCanvas() override { return FCanvas.get(); }
protected:
    virtual void Paint() {}
private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A new control of kind T owned by Owner, with its component name, placed in Parent at
// the given bounds: the four steps every window takes for each of its controls.
template <class T>
T* Make_Control(TComponent* Owner, TWinControl* Parent, const String& Name, int Left, int Top, int Width,
                int Height)
{
    T* c = new T(Owner);
    c->SetName(Name);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

// The focused control of the application, or nullptr.
TWinControl* FindFocusedControl();
TWinControl* FindControl(HWND wnd);
TForm* GetParentForm(const TControl* c);

// Input as the user produces it, used by the backend for real input and by tests to
// act like a user. Each runs at the event boundary (exceptions go to the handler).
namespace gui_input {
// Key down through the form's key preview and the dialog keys; false when consumed.
bool KeyDown(TWinControl* target, WORD key, TShiftState shift);
void KeyUp(TWinControl* target, WORD key, TShiftState shift);
// One typed character through the form's key preview, the accelerators and WM_CHAR.
void Char(TWinControl* target, WideChar ch);
// The focus that a mouse button pressed on the control gives it.
void MouseFocus(TWinControl* target);
// Mouse message to a control at (x, y) in its client coordinates.
void Mouse(TControl* target, unsigned msg, int x, int y, TShiftState shift, int wheelDelta = 0);
// The shift state that keyboard queries report from now on.
void SetShiftState(TShiftState shift);
}
