#pragma once
// Drag and drop between windows, of this program or another: a drag offers one content
// in several formats (TDataPackage); the window under the pointer takes it when a drop
// target is registered for it. The effect a drop has is copy, move or none; a target
// says which, the source learns it when the drag ends.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/Types.h"

constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr int DROPEFFECT_LINK = 4;

constexpr int DRAGDROP_S_DROP = 0x00040100;
constexpr int DRAGDROP_S_CANCEL = 0x00040101;
constexpr int DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

// What a window does with drags over it. Points are screen points; KeyState holds the
// MK_* flags of the buttons and the Ctrl and Shift keys; Effect comes in as the effects
// the source allows and goes out as the one the target would take.
class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual void DragEnter(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) = 0;
    virtual void DragOver(unsigned KeyState, TPoint Pt, int& Effect) = 0;
    virtual void DragLeave() = 0;
    virtual void Drop(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) = 0;
};

// What the window a drag started from hears while it runs.
class IDropSource {
public:
    virtual ~IDropSource() = default;
    // DRAGDROP_S_CANCEL, DRAGDROP_S_DROP, or 0 to go on.
    virtual int QueryContinueDrag(bool EscapePressed, unsigned KeyState) = 0;
    virtual int GiveFeedback(int Effect) = 0;
};

// A window takes drops through Target (not owned) until it is revoked; false when the
// window already has a target.
bool RegisterDragDrop(HWND Wnd, IDropTarget* Target);
bool RevokeDragDrop(HWND Wnd);
IDropTarget* DropTargetOf(HWND Wnd);

class TBitmap;

// The picture that follows the pointer during a drag. The source makes it before the drag
// and the platform shows it: nothing is drawn on the screen by the source. Alpha holds one
// opacity byte per pixel, row by row (empty: opaque); HotSpot is where the pointer is
// within the picture.
struct TDragPicture {
    std::shared_ptr<TBitmap> Picture;
    std::vector<std::uint8_t> Alpha;
    TPoint HotSpot;
};
// The picture the next DoDragDrop shows; it belongs to that drag and goes with its end.
void SetDragPicture(TDragPicture Picture);
// The picture of the drag that runs now (or is about to run); nil without one.
const TDragPicture* CurrentDragPicture();

// Runs a drag of Data: returns DRAGDROP_S_DROP or DRAGDROP_S_CANCEL and the effect of
// the drop. The drag loop is the platform's, or the drag driver's when one is set.
int DoDragDrop(const TDataPackage& Data, IDropSource* Source, int OkEffects, int& Effect);
using TDragDriver = std::function<int(const TDataPackage& Data, IDropSource* Source, int OkEffects, int& Effect)>;
// A driver runs drags without the platform (tests, scripted sessions); an empty one
// gives the platform back.
void SetDragDriver(TDragDriver Driver);

// One drag over the window Target from entering to dropping, as the platform delivers it:
// enter and move at Pt, then drop; returns the drop's effect (none when the window has no
// target or refuses). A driver's way of dropping, and a test's.
int DeliverDrop(HWND Target, const TDataPackage& Data, TPoint Pt, unsigned KeyState, int OkEffects);

// ---- a drag that follows the pointer ----
// While such a drag runs, the pointer's messages and the Esc key go to the drag instead
// of the windows: moving over a window with a drop target enters it and moves over it,
// letting go of the left button drops there, Esc cancels. Whatever delivers input feeds
// it: the program's event loop, or a test's user input.
class TControl;
struct TMessage;
// True when Msg, addressed to Target, was taken by the running drag.
bool PointerDragTakes(TControl* Target, TMessage& Msg);
// A drag driver running drags that way: Pump delivers input and returns false once no
// more can come (the drag is then cancelled, as if Esc had been pressed).
TDragDriver PointerDragDriver(std::function<bool()> Pump);
// The window under a screen point that takes drops: the innermost shown control there,
// or its nearest parent, whose window has a target; 0 when none has.
HWND DropWindowAt(TPoint ScreenPt);
