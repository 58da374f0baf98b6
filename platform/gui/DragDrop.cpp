#include "platform/gui/DragDrop.h"

#include <map>

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
