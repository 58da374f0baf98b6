#pragma once
// The backend interface: one native window per control, and a small interface per
// control kind. The toolkit classes talk only to these; the Qt implementation lies in
// this folder's .cpp files. No Qt header is included here.
#include <functional>
#include <utility>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/Messages.h"

class TControl;

// Notifications from native widgets to their control (TControl::HostNotify codes).
enum THostNote {
    hnChanged = 1,     // text or value changed (any cause)
    hnUserChanged,     // changed by the user (typing, picking)
    hnClicked,         // a native button was clicked
    hnSelect,          // the user picked an item
    hnDropDown,
    hnCloseUp,
    hnScroll,          // arg: scroll code in the low word
    hnTabChanged,      // arg: new tab index
    hnItemChecked,     // arg: item index
    hnSelectionChanged,
    hnDblClicked,
};

class IWidget {
public:
    virtual ~IWidget() = default;
    // The control goes away: no call reaches it any more.
    virtual void Detach() = 0;
    virtual void SetParentWidget(IWidget* parent) = 0;
    virtual void SetGeometry(const TRect& r) = 0;
    virtual void SetVisible(bool v) = 0;
    virtual void SetEnabled(bool v) = 0;
    virtual void SetFont(const TFont& f) = 0;
    virtual void SetColors(TColor back, TColor fore) = 0;
    virtual void SetCursor(TCursor c) = 0;
    virtual void Invalidate(const TRect* r) = 0;
    virtual void PaintNow() = 0;
    virtual void Raise() = 0;
    virtual void Lower() = 0;
    virtual TPoint MapToScreen(TPoint p) = 0;
    virtual void SetFocus() = 0;
    // Where children sit, in the widget's own coordinates (default: all of it).
    virtual void SetClientArea(const TRect& r) = 0;
    // Default handling of an input message by the native control.
    virtual void NativeDefault(TMessage& m) = 0;
    virtual bool SaveToPng(const String& fileName) = 0;
    virtual void RenderTo(TBitmap* bmp) = 0;
    // Top-level windows only.
    virtual void SetTitle(const String& s) {}
    virtual void SetFrame(TBorderStyle style, bool sysMenu, bool minimize, bool maximize) {}
    virtual void SetModal(bool modal) {}
    virtual void Activate() {}
    // Host windows: without a parent, a pop-up on top that never takes the focus.
    virtual void SetPopup(bool v) {}
    // Top-level windows: 255 opaque .. 0 invisible.
    virtual void SetOpacity(int alpha) {}
    // Pop-ups: the platform's drop shadow under the window.
    virtual void SetDropShadow(bool v) {}
};

class IEditWidget : public IWidget {
public:
    virtual String Text() const = 0;
    virtual void SetText(const String& s) = 0;
    virtual void SetReadOnly(bool v) = 0;
    virtual void SetPasswordChar(WideChar c) = 0;
    virtual int Length() const = 0;   // in characters
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelection(int start, int length) = 0;
    virtual String SelText() const = 0;
    virtual void ReplaceSelection(const String& s) = 0;
    virtual void SetAlignment(TAlignment a) = 0;
    // Room kept free around the text inside the field, in pixels.
    virtual void SetTextMargins(int left, int top, int right, int bottom) = 0;
    // The field's own frame around the text.
    virtual void SetFrame(bool v) = 0;
    // The character position under the client x.
    virtual int CharFromPos(int x) const = 0;
};

class IMemoWidget : public IWidget {
public:
    virtual String Text() const = 0;
    virtual void SetText(const String& s) = 0;
    virtual void SetReadOnly(bool v) = 0;
    virtual void SetWordWrap(bool v) = 0;
    virtual void SetScrollBars(TScrollStyle s) = 0;
    virtual void InsertText(const String& s) = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelection(int start, int length) = 0;
};

class IComboWidget : public IWidget {
public:
    virtual void SetEditable(bool v) = 0;
    virtual void SetItems(const std::vector<String>& items) = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int i) = 0;
    virtual String EditText() const = 0;
    virtual void SetEditText(const String& s) = 0;
    virtual void SetDropDownCount(int n) = 0;
    virtual void SetDroppedDown(bool v) = 0;
    virtual bool DroppedDown() const = 0;
    virtual void SetMaxLength(int n) = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelection(int start, int length) = 0;
    virtual void ReplaceSelection(const String& s) = 0;
    // Least width of the dropped list (it is at least as wide as the box and its widest item).
    virtual void SetDroppedWidth(int w) = 0;
    // The open list's right edge at the box's right edge.
    virtual void SetDropRightAligned(bool v) = 0;
    // Width of the drop button at the face's right end; the text area ends where it
    // begins. 0 = the style's own button.
    virtual void SetButtonWidth(int w) = 0;
    // The open list on the screen; empty while it is closed.
    virtual TRect DroppedRect() const = 0;
    // Character position in the edit part under client point x (0 without an edit part).
    virtual int CharFromPos(int x) const = 0;
};

class IListWidget : public IWidget {
public:
    virtual void SetItems(const std::vector<String>& items) = 0;
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int i) = 0;
    virtual void SetMultiSelect(bool v) = 0;
    virtual bool Selected(int i) const = 0;
    virtual void SetSelected(int i, bool v) = 0;
    virtual void SetCheckable(bool v) = 0;
    virtual bool Checked(int i) const = 0;
    virtual void SetChecked(int i, bool v) = 0;
    virtual int TopIndex() const = 0;
    virtual void SetTopIndex(int i) = 0;
    virtual int ItemAtPos(TPoint p) const = 0;
    virtual void SetItemHeight(int h) = 0;
};

enum TButtonKind { bkPush, bkCheck, bkRadio };
class IButtonWidget : public IWidget {
public:
    virtual void SetCaption(const String& s) = 0;
    // 0 unchecked, 1 checked, 2 grayed
    virtual int State() const = 0;
    virtual void SetState(int s) = 0;
    virtual void SetAllowGrayed(bool v) = 0;
    virtual void SetDefault(bool v) = 0;
};

class IScrollBarWidget : public IWidget {
public:
    virtual void SetOrientation(bool vertical) = 0;
    virtual void SetRange(int min, int max, int page) = 0;
    virtual int Position() const = 0;
    virtual void SetPosition(int p) = 0;
    virtual void SetSteps(int small, int large) = 0;
};

class ITabBarWidget : public IWidget {
public:
    virtual void SetTabs(const std::vector<String>& captions) = 0;
    virtual void SetCurrent(int i) = 0;
    virtual int Current() const = 0;
    virtual int PreferredHeight() const = 0;
};

namespace backend {
// Creates the application object, fonts and palette once; safe to call again.
void EnsureStarted();
bool Started();
IWidget* CreateHost(TControl* ctrl, bool topLevel);
IEditWidget* CreateEdit(TControl* ctrl);
IMemoWidget* CreateMemo(TControl* ctrl);
// An edit field of several lines that wraps its text at its width (a multi-line edit).
IEditWidget* CreateMultiLineEdit(TControl* ctrl);
IComboWidget* CreateCombo(TControl* ctrl);
IListWidget* CreateList(TControl* ctrl);
IButtonWidget* CreateButton(TControl* ctrl, TButtonKind kind);
IScrollBarWidget* CreateScrollBar(TControl* ctrl);
ITabBarWidget* CreateTabBar(TControl* ctrl);

// Event loop.
void ProcessEvents();
void WaitAndProcessEvents();   // blocks until at least one event came
int RunLoop();                 // until QuitLoop
void QuitLoop();
void PostCall(std::function<void()> fn);   // any thread; runs in the loop, in order
// A nested loop until done() is true (checked whenever an event was handled).
void RunModalLoop(const std::function<bool()>& done);
void WakeModalLoop();

// Timers: fn every ms milliseconds until stopped.
int StartTimer(unsigned ms, std::function<void()> fn);
void StopTimer(int id);

TPoint CursorPos();
int ScreenWidth();
int ScreenHeight();
// The available area of the monitor nearest to screen point p.
TRect WorkAreaAt(TPoint p);
void SetOverrideCursor(TCursor c);
// The clipboard's content as MIME types and their bytes: "text/plain" is UTF-8 text,
// "text/uri-list" names of local files (each followed by a zero byte), "text/x-uri" the
// first link that is no local file.
std::vector<std::pair<String, std::string>> ClipboardData();
void SetClipboardData(const std::vector<std::pair<String, std::string>>& Data);

// The desktop's icons (SysIcons.h): the toolkit's standard icons as a list, and the icon
// of a file or folder; each rendered into a transparent Edge x Edge picture.
int SysIconCount();
bool SysIcon(int Index, int Edge, TBitmap& Into);
bool FileIcon(const String& Path, int Edge, TBitmap& Into);
}
