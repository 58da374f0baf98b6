// Drag and drop of a tree through the toolkit's drag and drop: the tree drags its
// selected nodes (as a data object rendered into the drag's package, with its picture),
// and as a drop target it finds the node and the drop mode under the pointer, proposes
// an effect, expands a node the pointer rests on, scrolls near its edges and lets the
// application decide in OnDragOver and act in OnDragDrop (usually by ProcessDrop).
#include "platform/gui/Messages.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/transfer/LTDragManager.h"

namespace {
constexpr int SystemDragThreshold = 4;

TShiftState ShiftOf(unsigned KeyState, TLazyTreeStates States)
{
    TShiftState s = KeysToShiftState(WPARAM(KeyState)) * TShiftState{ssShift, ssCtrl, ssAlt};
    if (States.Contains(tsLeftButtonDown)) s << ssLeft;
    if (States.Contains(tsMiddleButtonDown)) s << ssMiddle;
    if (States.Contains(tsRightButtonDown)) s << ssRight;
    return s;
}
} // namespace

// ---- the drag manager ----

void TLTDragManager::DragEnter(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect)
{
    FDataObject = std::make_shared<TPackageDataObject>(Data);
    FIsDropTarget = true;
    FDragSource = FOwner->SourceTreeOf(FDataObject);
    if (FOwner->HandleDragEnter(KeyState, Pt, Effect) != S_OK) Effect = DROPEFFECT_NONE;
    Effect &= ~DROPEFFECT_SCROLL;
}

void TLTDragManager::DragOver(unsigned KeyState, TPoint Pt, int& Effect)
{
    if (FOwner->HandleDragOver(FDragSource, KeyState, dsDragMove, Pt, Effect) != S_OK) Effect = DROPEFFECT_NONE;
    Effect &= ~DROPEFFECT_SCROLL;
}

void TLTDragManager::DragLeave()
{
    FOwner->HandleDragLeave();
    FIsDropTarget = false;
    FDragSource = nullptr;
    FDataObject.reset();
}

void TLTDragManager::Drop(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect)
{
    IDataObjectPtr data = FDataObject ? FDataObject : std::make_shared<TPackageDataObject>(Data);
    if (!FDragSource) FDragSource = FOwner->SourceTreeOf(data);
    if (FOwner->HandleDrop(data, KeyState, Pt, Effect) != S_OK) Effect = DROPEFFECT_NONE;
    Effect &= ~DROPEFFECT_SCROLL;
    FIsDropTarget = false;
    FDragSource = nullptr;
    FDataObject.reset();
}

int TLTDragManager::GiveFeedback(int) { return DRAGDROP_S_USEDEFAULTCURSORS; }

int TLTDragManager::QueryContinueDrag(bool EscapePressed, unsigned KeyState)
{
    const bool left = KeyState & MK_LBUTTON, right = KeyState & MK_RBUTTON;
    if (EscapePressed || (left && right)) return DRAGDROP_S_CANCEL;
    if (left || right) return 0;
    return DRAGDROP_S_DROP;
}

IDataObjectPtr TLTDragManager::CurrentDataObject()
{
    if (FIsDropTarget) return FDataObject;
    if (IDataObjectPtr d = FOwner->FireCreateDataObject()) return d;
    return std::make_shared<TLTDataObject>(FOwner, false);
}

// ---- the tree: manager, picture, registration ----

std::shared_ptr<ILTDragManager> TBaseLazyTree::FireCreateDragManager()
{
    std::shared_ptr<ILTDragManager> m;
    if (OnCreateDragManager) OnCreateDragManager(this, m);
    return m;
}

ILTDragManager* TBaseLazyTree::DragManager()
{
    PrepareTransfer();
    if (!FTransfer->DragManager) {
        FTransfer->DragManager = FireCreateDragManager();
        if (!FTransfer->DragManager) FTransfer->DragManager = std::make_shared<TLTDragManager>(this);
    }
    return FTransfer->DragManager.get();
}

bool TBaseLazyTree::IsCurrentDropTarget() const
{
    return FTransfer && FTransfer->DragManager && FTransfer->DragManager->IsCurrentDropTarget();
}

TLTDragImage* TBaseLazyTree::DragImage()
{
    PrepareTransfer();
    return FTransfer->DragImage.get();
}

void TBaseLazyTree::UpdateDropTargetRegistration()
{
    if (!FTransfer || FTreeDestroying) return;
    const bool want = !FLoading && FOptions && FOptions->MiscOptions().Contains(toAcceptOLEDrop);
    if (want && !FTransfer->RegisteredTarget) {
        IDropTarget* t = dynamic_cast<IDropTarget*>(DragManager());
        if (t && RegisterDragDrop(Handle(), t)) FTransfer->RegisteredTarget = t;
    } else if (!want && FTransfer->RegisteredTarget) {
        RevokeDragDrop(Handle());
        FTransfer->RegisteredTarget = nullptr;
    }
}

void TBaseLazyTree::PrepareDragImage(TPoint HotSpot, const IDataObjectPtr&)
{
    if (!UsesDragImage()) return;
    // The window of the tree around the hot spot, in tree coordinates; what lies left of
    // or above the tree is painted shifted, so the picture keeps its full size.
    const TPoint p = ClientToTree(HotSpot.X, HotSpot.Y);
    const TRect r(p.X - FDragWidth / 2, p.Y - FDragHeight / 2, p.X + FDragWidth / 2, p.Y + FDragHeight / 2);
    TRect window = r;
    TPoint target(0, 0);
    if (window.Left < 0) {
        target.X = -window.Left;
        window.Left = 0;
    }
    if (window.Top < 0) {
        target.Y = -window.Top;
        window.Top = 0;
    }
    TBitmap bitmap(r.Width(), r.Height());
    bitmap.Canvas()->Brush()->SetColor(FColors.BackGroundColor());
    bitmap.Canvas()->FillRect(TRect(0, 0, r.Width(), r.Height()));
    TLTInternalPaintOptions options{poDrawSelection, poSelectedOnly};
    if (FDragImageKind == diMainColumnOnly) options << poMainOnly;
    PaintTree(bitmap.Canvas(), window, target, options);
    const TPoint topLeft = ClientToScreen(TPoint(HotSpot.X - FDragWidth / 2, HotSpot.Y - FDragHeight / 2));
    DragImage()->SetColorKey(FColors.BackGroundColor());
    DragImage()->PrepareDrag(&bitmap, topLeft, ClientToScreen(HotSpot));
}

// ---- the source ----

bool TBaseLazyTree::Dragging() const
{
    return FStates.Contains(tsOLEDragPending) || FStates.Contains(tsOLEDragging) || FStates.Contains(tsVCLDragging);
}

void TBaseLazyTree::BeginDrag(bool Immediate, int Threshold)
{
    if (FDragType == dtVCL) {
        // The toolkit has no in-process drag of its own: the pending state is all.
        ChangeTreeStates(TLazyTreeStates{tsVCLDragPending}, {});
        return;
    }
    if (FStates.Contains(tsOLEDragPending) || FStates.Contains(tsOLEDragging)) return;
    FDragThreshold = Threshold < 0 ? SystemDragThreshold : Threshold;
    if (Immediate)
        RunOLEDrag(FLastClickPos);
    else
        ChangeTreeStates(TLazyTreeStates{tsOLEDragPending}, {});
}

int TBaseLazyTree::RunDragLoop(int Allowed, const IDataObjectPtr& DataObject, int& Effect)
{
    const TDataPackage package = RenderPackage(*DataObject);
    IDropSource* source = dynamic_cast<IDropSource*>(DragManager());
    const int result = DoDragDrop(package, source, Allowed, Effect);
    if (result == DRAGDROP_S_CANCEL) Effect = DROPEFFECT_NONE;
    return result;
}

void TBaseLazyTree::RunOLEDrag(TPoint HotSpot)
{
    AbortEdit();
    if (FCurrentHotNode) {
        InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = nullptr;
    }
    if (FFocusedNode && !FFocusedNode->States.Contains(vsSelected)) {
        AddToSelection(FFocusedNode);
        InvalidateNode(FFocusedNode);
    }
    Update();
    FDragSelection = GetSortedSelection(true);
    ChangeTreeStates(TLazyTreeStates{tsOLEDragging}, TLazyTreeStates{tsOLEDragPending, tsClearPending});
    const auto finish = [&] {
        const TPoint pos = ScreenToClient(Mouse_CursorPos());
        if (OnEndDrag) OnEndDrag(this, pos);
        FinishDrag();
        DragImage()->EndDrag();
        if (FLastDragEffect == DROPEFFECT_MOVE && FOptions->AutoOptions().Contains(toAutoDeleteMovedNodes))
            DeleteSelectedNodes();
        ChangeTreeStates({}, TLazyTreeStates{tsOLEDragging});
        FDragSelection.clear();
    };
    try {
        if (OnStartDrag) OnStartDrag(this);
        const IDataObjectPtr data = DragManager()->CurrentDataObject();
        PrepareDragImage(HotSpot, data);
        FLastDropMode = dmOnNode;
        FLastDragEffect = DROPEFFECT_NONE;
        int allowed = 0;
        if (FDragOperations.Contains(doCopy)) allowed |= DROPEFFECT_COPY;
        if (FDragOperations.Contains(doMove)) allowed |= DROPEFFECT_MOVE;
        if (FDragOperations.Contains(doLink)) allowed |= DROPEFFECT_LINK;
        if (allowed == 0) allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        RunDragLoop(allowed, data, FLastDragEffect);
        DragManager()->ForceDragLeave();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TBaseLazyTree::FinishDrag()
{
    if (!(FStates.Contains(tsOLEDragging) || FStates.Contains(tsVCLDragPending) || FStates.Contains(tsVCLDragging) ||
          FStates.Contains(tsVCLDragFinished)))
        return;
    ChangeTreeStates({}, TLazyTreeStates{tsVCLDragPending, tsVCLDragging, tsUserDragObject, tsVCLDragFinished});
    // The drag took the real release of the button; the tree gets one so that it does
    // not stay pressed.
    const TPoint p = ScreenToClient(Mouse_CursorPos());
    const unsigned msg = FStates.Contains(tsRightButtonDown)    ? WM_RBUTTONUP
                         : FStates.Contains(tsMiddleButtonDown) ? WM_MBUTTONUP
                                                                : WM_LBUTTONUP;
    Perform(msg, 0, MAKELPARAM(p.X, p.Y));
}

// ---- the target ----

int TBaseLazyTree::ProposeDropEffect(TBaseLazyTree* Source, TShiftState Shift, TPoint, int AllowedEffects)
{
    int def = AllowedEffects;
    if (Source == this && (AllowedEffects & DROPEFFECT_MOVE))
        def = DROPEFFECT_MOVE;
    else if (Source != this && (AllowedEffects & DROPEFFECT_COPY))
        def = DROPEFFECT_COPY;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
    int wanted = -1;
    if (ctrl && shift)
        wanted = DROPEFFECT_LINK;
    else if (ctrl)
        wanted = DROPEFFECT_COPY;
    else if (shift)
        wanted = DROPEFFECT_MOVE;
    else if (alt)
        wanted = DROPEFFECT_LINK;
    if (wanted < 0) return def;
    return (AllowedEffects & wanted) ? wanted : def;
}

TDropMode TBaseLazyTree::DropModeAt(TPoint P, const THitInfo& HitInfo, const TRect& R)
{
    const THitPositions& at = HitInfo.HitPositions;
    const bool labelOrImage = at.Contains(hiOnItemLabel) || at.Contains(hiOnNormalIcon) || at.Contains(hiOnStateIcon);
    const TLTMiscOptions misc = FOptions->MiscOptions();
    const bool itemHit = at.Contains(hiOnItem) && (misc.Contains(toFullRowDrag) ||
                                                   FOptions->SelectionOptions().Contains(toFullRowSelect));
    bool counted = HitInfo.HitNode != nullptr;
    if (counted && misc.Contains(toReportMode) && !itemHit)
        counted = labelOrImage && HitInfo.HitColumn == FHeader->MainColumn();
    if (!counted) return dmNowhere;
    if (!labelOrImage && FOptions->PaintOptions().Contains(toShowDropmark))
        return P.Y < (R.Top + R.Bottom) / 2 ? dmAbove : dmBelow;
    return dmOnNode;
}

bool TBaseLazyTree::FireDragOver(TBaseLazyTree* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                                 int& Effect)
{
    bool accept = false;
    if (OnDragOver) OnDragOver(this, Source, Shift, State, Pt, Mode, Effect, accept);
    return accept;
}

void TBaseLazyTree::FireDragDrop(TBaseLazyTree* Source, const IDataObjectPtr& DataObject, const TFormatArray& Formats,
                                 TShiftState Shift, TPoint Pt, int& Effect, TDropMode Mode)
{
    if (OnDragDrop) OnDragDrop(this, Source, DataObject, Formats, Shift, Pt, Effect, Mode);
}

HRESULT TBaseLazyTree::HandleDragEnter(unsigned KeyState, TPoint Pt, int& Effect)
{
    try {
        FDragScrollStart = 0;
        const TShiftState shift = ShiftOf(KeyState, FStates);
        const TPoint p = ScreenToClient(Pt);
        TBaseLazyTree* source = DragManager()->CurrentDragSource();
        Effect = ProposeDropEffect(source, shift, p, Effect);
        if (FireDragOver(source, shift, dsDragEnter, p, FLastDropMode, Effect)) {
            THitInfo hit;
            GetHitTestInfoAt(p.X, p.Y, true, hit);
            if (hit.HitNode) {
                FDropTargetNode = hit.HitNode;
                const TRect r = GetDisplayRect(hit.HitNode, FHeader->MainColumn(), false);
                const TLTMiscOptions misc = FOptions->MiscOptions();
                if (hit.HitPositions.Contains(hiOnItemLabel) ||
                    (hit.HitPositions.Contains(hiOnItem) &&
                     (misc.Contains(toFullRowDrag) || FOptions->SelectionOptions().Contains(toFullRowSelect))))
                    FLastDropMode = dmOnNode;
                else
                    FLastDropMode = p.Y < (r.Top + r.Bottom) / 2 ? dmAbove : dmBelow;
                InvalidateNode(FDropTargetNode);
            } else {
                FLastDropMode = dmNowhere;
            }
        } else {
            Effect = DROPEFFECT_NONE;
        }
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TBaseLazyTree::HandleDragOver(TBaseLazyTree* Source, unsigned KeyState, TDragState State, TPoint Pt, int& Effect)
{
    try {
        const TPoint p = ScreenToClient(Pt);
        // The toolkit draws the drag picture, so the tree repaints normally and scrolls
        // with every update.
        const bool windowScrolled = DragScrollStep(p.X, p.Y, AllScrollUpdateOptions);
        const TShiftState shift = ShiftOf(KeyState, FStates);
        THitInfo hit;
        GetHitTestInfoAt(p.X, p.Y, true, hit);
        const TRect r = hit.HitNode ? GetDisplayRect(hit.HitNode, NoColumnIndex, false) : TRect();
        const TDropMode newMode = DropModeAt(p, hit, r);
        if (hit.HitNode != FDropTargetNode || newMode != FLastDropMode) {
            FLastDropMode = newMode;
            if (hit.HitNode == FDropTargetNode) {
                InvalidateNode(FDropTargetNode);
            } else {
                StopTimer(ExpandTimer);
                PLazyNode old = FDropTargetNode;
                FDropTargetNode = hit.HitNode;
                if (FFocusedColumn <= NoColumnIndex) FFocusedColumn = FHeader->MainColumn();
                InvalidateNode(old);
                InvalidateNode(FDropTargetNode);
                if (FOptions->AutoOptions().Contains(toAutoDropExpand) && FDropTargetNode &&
                    FDropTargetNode->States.Contains(vsHasChildren))
                    SetTimer(Handle(), ExpandTimer, FAutoExpandDelay);
            }
        }
        if (windowScrolled) Invalidate();
        Update();
        Effect = ProposeDropEffect(Source, shift, p, Effect);
        if (!FireDragOver(Source, shift, State, p, FLastDropMode, Effect)) Effect = DROPEFFECT_NONE;
        if (windowScrolled) Effect |= DROPEFFECT_SCROLL;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void TBaseLazyTree::HandleDragLeave()
{
    StopTimer(ExpandTimer);
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    Update();
    int effect = DROPEFFECT_NONE;
    FireDragOver(nullptr, TShiftState(), dsDragLeave, TPoint(0, 0), FLastDropMode, effect);
}

HRESULT TBaseLazyTree::HandleDrop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt, int& Effect)
{
    HRESULT result = S_OK;
    StopTimer(ExpandTimer);
    StopTimer(ScrollTimer);
    ChangeTreeStates({}, TLazyTreeStates{tsScrollPending, tsScrolling});
    try {
        result = HandleDragOver(DragManager()->CurrentDragSource(), KeyState, dsDragMove, Pt, Effect);
        if (result != S_OK || (Effect & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE) {
            result = E_FAIL;
        } else {
            Effect &= ~DROPEFFECT_SCROLL;
            TShiftState shift = KeysToShiftState(WPARAM(KeyState)) * TShiftState{ssShift, ssCtrl, ssAlt};
            shift << (FStates.Contains(tsRightButtonDown) ? ssRight
                      : FStates.Contains(tsMiddleButtonDown) ? ssMiddle
                                                             : ssLeft);
            const TPoint p = ScreenToClient(Pt);
            TFormatArray formats;
            std::shared_ptr<TEnumFormatEtc> e;
            bool listed = DataObject && DataObject->EnumFormatEtc(DATADIR_GET, e) == S_OK && e && e->Reset() == S_OK;
            if (listed) {
                TFormatEtcArray one;
                while (e->Next(1, one, nullptr) == S_OK) formats.push_back(one[0].cfFormat);
                FireDragDrop(DragManager()->CurrentDragSource(), DataObject, formats, shift, p, Effect, FLastDropMode);
            }
        }
    } catch (...) {
        result = E_UNEXPECTED;
    }
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    return result;
}

bool TBaseLazyTree::ProcessDrop(const IDataObjectPtr& DataObject, PLazyNode TargetNode, int& Effect,
                                TLTNodeAttachMode Mode)
{
    if (Mode == amNoWhere) {
        Effect = DROPEFFECT_NONE;
        return false;
    }
    TBaseLazyTree* source = SourceTreeOf(DataObject);
    bool result = false;
    BeginUpdate();
    if (source && source != this) source->BeginUpdate();
    try {
        if ((Effect & DROPEFFECT_MOVE) && source) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, !(Effect & DROPEFFECT_COPY));
            // The nodes moved: the source must not delete them again.
            Effect = DROPEFFECT_NONE;
        } else if (Effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, false);
        }
        // Data that was not taken must not count as moved: the source would delete it.
        if (!result) Effect = DROPEFFECT_NONE;
    } catch (...) {
        Effect = DROPEFFECT_NONE;
        result = false;
    }
    if (source && source != this) source->EndUpdate();
    EndUpdate();
    return result;
}

void TBaseLazyTree::ExpandDropTarget()
{
    StopTimer(ExpandTimer);
    if (FDropTargetNode && FDropTargetNode->States.Contains(vsHasChildren) &&
        !FDropTargetNode->States.Contains(vsExpanded)) {
        ToggleNode(FDropTargetNode);
        Update();
    }
}

void TBaseLazyTree::PaintDropMark(TCanvas* Canvas, PLazyNode, const TRect& R)
{
    if (FLastDropMode != dmAbove && FLastDropMode != dmBelow) return;
    const TPenStyle oldPen = Canvas->Pen()->Style();
    const TColor oldBrush = Canvas->Brush()->Color();
    Canvas->Pen()->SetStyle(psClear);
    Canvas->Brush()->SetColor(FColors.DropMarkColor());
    const int l = R.Left, t = R.Top, rt = R.Right, b = R.Bottom;
    if (FLastDropMode == dmAbove) {
        Canvas->Polygon({{l + 2, t}, {rt - 2, t}, {rt - 2, t + 6}, {rt - 6, t + 2}, {l + 6, t + 2}, {l + 2, t + 6}});
    } else {
        Canvas->Polygon({{l + 2, b - 1}, {rt - 2, b - 1}, {rt - 2, b - 8}, {rt - 7, b - 3}, {l + 7, b - 3}, {l + 2, b - 8}});
    }
    Canvas->Pen()->SetStyle(oldPen);
    Canvas->Brush()->SetColor(oldBrush);
}

bool TBaseLazyTree::DragScrollStep(int X, int Y, TScrollUpdateOptions Options)
{
    FScrollDirections = ScrollDirectionsAt(X, Y);
    if (FScrollDirections.Empty()) return false;
    const int height = RowAreaHeight(), width = ClientWidth();
    const TScrollBarOptions* sb = FScrollBarOptions.get();
    int dx = 0, dy = 0;
    if (FScrollDirections.Contains(sdUp)) {
        dy = std::min(int(sb->VerticalIncrement()), height);
        if (FOffsetY == 0) FScrollDirections >> sdUp;
    }
    if (FScrollDirections.Contains(sdDown)) {
        dy = -std::min(int(sb->VerticalIncrement()), height);
        if (height - FOffsetY == FRangeY) FScrollDirections >> sdDown;
    }
    if (FScrollDirections.Contains(sdLeft)) {
        dx = int(sb->HorizontalIncrement());
        if (FEffectiveOffsetX == 0) FScrollDirections >> sdLeft;
    }
    if (FScrollDirections.Contains(sdRight)) {
        dx = -int(sb->HorizontalIncrement());
        if (width + FEffectiveOffsetX == FRangeX) FScrollDirections >> sdRight;
    }
    return ApplyScrollOffset(TPoint(FOffsetX + dx, FOffsetY + dy), Options);
}
