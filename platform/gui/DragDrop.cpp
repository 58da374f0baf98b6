#include "platform/gui/DragDrop.h"

#include <map>

#include "platform/gui/Forms.h"
#include "platform/gui/Messages.h"
#include "platform/gui/Registry.h"

namespace {

std::map<HWND, IDropTarget*>& Targets()
{
    static std::map<HWND, IDropTarget*> t;
    return t;
}

TDragDriver& Driver()
{
    static TDragDriver d;
    return d;
}

std::unique_ptr<TDragPicture>& Picture()
{
    static std::unique_ptr<TDragPicture> p;
    return p;
}

}  // namespace

void SetDragPicture(TDragPicture P) { Picture() = std::make_unique<TDragPicture>(std::move(P)); }

const TDragPicture* CurrentDragPicture() { return Picture().get(); }

bool RegisterDragDrop(HWND Wnd, IDropTarget* Target)
{
    if (!Wnd || !Target) return false;
    return Targets().emplace(Wnd, Target).second;
}

bool RevokeDragDrop(HWND Wnd) { return Targets().erase(Wnd) > 0; }

IDropTarget* DropTargetOf(HWND Wnd)
{
    const auto it = Targets().find(Wnd);
    return it == Targets().end() ? nullptr : it->second;
}

void SetDragDriver(TDragDriver D) { Driver() = std::move(D); }

int DoDragDrop(const TDataPackage& Data, IDropSource* Source, int OkEffects, int& Effect)
{
    Effect = DROPEFFECT_NONE;
    // The picture ends with the drag, however the drag ends.
    struct TPictureEnd {
        ~TPictureEnd() { Picture().reset(); }
    } pictureEnd;
    if (Driver()) return Driver()(Data, Source, OkEffects, Effect);
    // Without a driver no window of this program can be reached by the pointer here: the
    // drag ends at once, as one let go outside any window would.
    if (Source) Source->QueryContinueDrag(true, 0);
    return DRAGDROP_S_CANCEL;
}

int DeliverDrop(HWND Target, const TDataPackage& Data, TPoint Pt, unsigned KeyState, int OkEffects)
{
    IDropTarget* t = DropTargetOf(Target);
    if (!t) return DROPEFFECT_NONE;
    int effect = OkEffects;
    t->DragEnter(Data, KeyState, Pt, effect);
    if (effect == DROPEFFECT_NONE) {
        t->DragLeave();
        return DROPEFFECT_NONE;
    }
    effect = OkEffects;
    t->DragOver(KeyState, Pt, effect);
    if (effect == DROPEFFECT_NONE) {
        t->DragLeave();
        return DROPEFFECT_NONE;
    }
    // The target may have been revoked while the drag went on (its window closed).
    if (DropTargetOf(Target) != t) return DROPEFFECT_NONE;
    effect = OkEffects;
    t->Drop(Data, KeyState, Pt, effect);
    return effect;
}

// ---------------------------------------------------------------- pointer drags

namespace {

struct TPointerDrag {
    const TDataPackage* Data = nullptr;
    IDropSource* Source = nullptr;
    int OkEffects = 0;
    bool Running = false;
    int Result = DRAGDROP_S_CANCEL;
    int Effect = DROPEFFECT_NONE;
    HWND Over = 0;              // the window whose target the pointer is over
    int OverEffect = DROPEFFECT_NONE;
};
TPointerDrag* ActiveDrag = nullptr;

TWinControl* InnermostAt(TWinControl* W, TPoint Screen)
{
    for (int i = W->ControlCount() - 1; i >= 0; --i) {
        auto* c = dynamic_cast<TWinControl*>(W->Controls(i));
        if (!c || !c->Visible()) continue;
        const TPoint p = c->ScreenToClient(Screen);
        if (p.X >= 0 && p.Y >= 0 && p.X < c->Width() && p.Y < c->Height()) return InnermostAt(c, Screen);
    }
    return W;
}

void Leave(TPointerDrag& d)
{
    if (IDropTarget* t = d.Over ? DropTargetOf(d.Over) : nullptr) t->DragLeave();
    d.Over = 0;
    d.OverEffect = DROPEFFECT_NONE;
}

void Finish(TPointerDrag& d, int Result)
{
    d.Result = Result;
    d.Running = false;
}

// The pointer at Pt with the buttons and keys of KeyState.
void PointerAt(TPointerDrag& d, TPoint Pt, unsigned KeyState)
{
    const HWND w = DropWindowAt(Pt);
    IDropTarget* t = w ? DropTargetOf(w) : nullptr;
    int effect = d.OkEffects;
    if (w != d.Over) {
        Leave(d);
        if (t) {
            d.Over = w;
            t->DragEnter(*d.Data, KeyState, Pt, effect);
            // A target that takes the data hears where it is at once.
            if (effect != DROPEFFECT_NONE && DropTargetOf(w) == t) {
                effect = d.OkEffects;
                t->DragOver(KeyState, Pt, effect);
            }
        } else effect = DROPEFFECT_NONE;
    } else if (t) {
        t->DragOver(KeyState, Pt, effect);
    } else effect = DROPEFFECT_NONE;
    d.OverEffect = effect;
    d.Source->GiveFeedback(effect);
}

void LetGo(TPointerDrag& d, TPoint Pt, unsigned KeyState)
{
    IDropTarget* t = d.Over ? DropTargetOf(d.Over) : nullptr;
    if (!t || d.OverEffect == DROPEFFECT_NONE) {
        Leave(d);
        d.Effect = DROPEFFECT_NONE;
        return;
    }
    int effect = d.OkEffects;
    t->Drop(*d.Data, KeyState, Pt, effect);
    d.Over = 0;
    d.Effect = effect;
}

}  // namespace

HWND DropWindowAt(TPoint ScreenPt)
{
    const std::vector<TForm*>& forms = Application->Forms();
    // Forms created later lie above those before them.
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TForm* f = *it;
        if (!f->Visible()) continue;
        const TPoint p = f->ScreenToClient(ScreenPt);
        if (p.X < 0 || p.Y < 0 || p.X >= f->ClientWidth() || p.Y >= f->ClientHeight()) continue;
        for (TWinControl* c = InnermostAt(f, ScreenPt); c; c = c->Parent())
            if (DropTargetOf(c->Handle())) return c->Handle();
        return 0;
    }
    return 0;
}

bool PointerDragTakes(TControl* Target, TMessage& Msg)
{
    if (!ActiveDrag || !ActiveDrag->Running) return false;
    TPointerDrag& d = *ActiveDrag;
    switch (Msg.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        const TPoint pt = Target->ClientToScreen(TPoint(GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)));
        // The pointer's place stays known to those that follow it (a drag picture).
        gui_registry::NoteScreenMouse(pt);
        unsigned keys = unsigned(Msg.WParam);
        if (Msg.Msg == WM_LBUTTONUP) keys &= ~unsigned(MK_LBUTTON);
        const int q = d.Source->QueryContinueDrag(false, keys);
        if (q == DRAGDROP_S_CANCEL) {
            Leave(d);
            Finish(d, q);
        } else if (q == DRAGDROP_S_DROP) {
            PointerAt(d, pt, keys);
            LetGo(d, pt, keys);
            Finish(d, q);
        } else {
            PointerAt(d, pt, keys);
        }
        return true;
    }
    case WM_KEYDOWN:
        if (Msg.WParam == VK_ESCAPE) {
            d.Source->QueryContinueDrag(true, 0);
            Leave(d);
            Finish(d, DRAGDROP_S_CANCEL);
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_KEYUP:
    case WM_CHAR:
        // Nothing but the drag hears the pointer and keys while it runs.
        return true;
    default:
        return false;
    }
}

TDragDriver PointerDragDriver(std::function<bool()> Pump)
{
    return [Pump](const TDataPackage& Data, IDropSource* Source, int OkEffects, int& Effect) {
        Effect = DROPEFFECT_NONE;
        if (ActiveDrag) return DRAGDROP_S_CANCEL;   // one drag at a time
        TPointerDrag d;
        d.Data = &Data;
        d.Source = Source;
        d.OkEffects = OkEffects;
        d.Running = true;
        ActiveDrag = &d;
        try {
            while (d.Running && Pump()) {
            }
        } catch (...) {
            ActiveDrag = nullptr;
            throw;
        }
        ActiveDrag = nullptr;
        if (d.Running) {
            // No more input: as if Esc had been pressed.
            Source->QueryContinueDrag(true, 0);
            Leave(d);
            return DRAGDROP_S_CANCEL;
        }
        Effect = d.Result == DRAGDROP_S_DROP ? d.Effect : DROPEFFECT_NONE;
        return d.Result;
    };
}
