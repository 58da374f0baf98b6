#pragma once
// Pop-up windows of the toolkit's hint mechanism: the hint window a control may ask for
// (instead of the plain tool tip) and the balloon tool tip with a title and an icon
// that a control keeps over its client area.
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"

// A hint window. Without a parent it is a pop-up on top of every window that never
// takes the focus, placed in screen coordinates; with a parent it is an ordinary child.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    // The rectangle (from 0, 0) the hint needs at most MaxWidth pixels wide.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Takes AData, then shows AHint in Rect.
    virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
    // Shows AHint with Rect as its bounds.
    virtual void ActivateHint(const TRect& Rect, const String& AHint);
    void ReleaseHandle() { SetVisible(false); }
    // The control whose hint is shown.
    TControl* HintControl() const { return FHintControl; }
    void SetHintControl(TControl* c) { FHintControl = c; }

protected:
    void Paint() override;

private:
    TControl* FHintControl = nullptr;
};

// The hint window application-wide: nullptr keeps the plain tool tip.
extern THintWindowClass HintWindowClass;

// The toolkit's side of a hint request: shows Info.HintStr in the window class the
// request asks for (else the application-wide one); false when no hint window class
// applies and the plain tool tip is to be used.
bool ShowHintWindow(const THintInfo& Info);
// Hides the shown hint window (of Control only, when given).
void HideHintWindow(TControl* Control = nullptr);
// The pointer moved to Pos (client coordinates) of Control: a hint window shown for
// another part of it (outside the request's CursorRect) goes.
void HintPointerMoved(TControl* Control, TPoint Pos);
// The hint window shown now, or nullptr.
THintWindow* ActiveHintWindow();

// The icons of a balloon.
enum TToolTipIcon { ttiNone, ttiInfo, ttiWarning, ttiError };

// A balloon tool tip over the client area of one control (the tool). The tool relays
// its mouse messages (RelayEvent); after the initial delay the balloon asks OnGetText
// for its text, title and icon and shows under the pointer, until the auto-hide delay,
// the pointer leaving the tool, or Pop.
class TBalloonToolTip : public TCustomControl {
public:
    TBalloonToolTip(TComponent* AOwner, TControl* ATool);
    ~TBalloonToolTip() override;
    TControl* Tool() const { return FTool; }
    // Delays in ms; -1 takes the system value (500 ms initial, 100 ms reshow, 5000 ms auto-hide).
    void SetDelays(int Initial, int Reshow, int AutoPop);
    int InitialDelay() const { return FInitial >= 0 ? FInitial : 500; }
    int ReshowDelay() const { return FReshow >= 0 ? FReshow : 100; }
    int AutoPopDelay() const { return FAutoPop >= 0 ? FAutoPop : 5000; }
    void SetMaxTipWidth(int w) { FMaxWidth = w; }
    int MaxTipWidth() const { return FMaxWidth; }
    // clNone keeps the system's info colours.
    void SetTipTextColor(TColor c) { FTextColor = c; }
    void SetTipBkColor(TColor c) { FBkColor = c; }
    // 0 opaque, 255 invisible.
    void SetTransparency(int t);
    void SetTitle(TToolTipIcon Icon, const String& Title);
    const String& Title() const { return FTitle; }
    TToolTipIcon Icon() const { return FIcon; }
    const String& Text() const { return FText; }
    // The pointer at (X, Y) of the tool moved (WM_MOUSEMOVE) or left it (CM_MOUSELEAVE).
    void RelayEvent(const TMessage& Msg);
    // Hides the balloon (and starts waiting for the next rest of the pointer).
    void Pop();
    bool Showing() const { return Visible(); }
    // The text request before showing: the tool's position of the pointer in screen
    // coordinates; the handler may set the text, the title and the icon.
    std::function<void(TBalloonToolTip* Sender, TPoint ScreenPos, String& Text)> OnGetText;
    TNotifyEvent OnShowTip;
    TNotifyEvent OnPopTip;
    // The delay timer (initial delay, then auto-hide).
    TTimer* Timer() const { return FTimer; }
    // Asks for the text and shows the balloon at the screen point now.
    void ShowAt(TPoint ScreenPos);

protected:
    void Paint() override;

private:
    void TimerFired();
    TControl* FTool;
    TTimer* FTimer;
    int FInitial = -1, FReshow = -1, FAutoPop = -1;
    int FMaxWidth = 300;
    TColor FTextColor = clNone, FBkColor = clNone;
    String FTitle, FText;
    TToolTipIcon FIcon = ttiNone;
    TPoint FLastPos = TPoint(-1, -1);
    bool FPopped = false;   // shown and popped: the next balloon waits only the reshow delay
};
