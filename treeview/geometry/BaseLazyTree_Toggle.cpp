// Toggling one node: the events that may refuse it, the height and count bookkeeping,
// the short scrolling animation that shows the change, and the scroll correction that
// brings the result into view afterwards.
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "treeview/core/BaseLazyTree.h"

namespace {
// What the expansion measured before the node is marked expanded; the animation and the
// scroll correction both decide by it.
struct TExpandFit {
    bool Fits = false, RoomAbove = false, RoomBelow = false, BottomInView = false, ScrollableFit = false;
    TRect R;
    int Top = 0;   // the node's top in the view before it expanded
};
} // namespace

void TBaseLazyTree::ToggleNode(PLazyNode Node)
{
    TreeAssert(Node != nullptr, "Node must not be nil.");
    if (Node == FRoot || Node->States.Contains(vsDeleting) || Node->States.Contains(vsToggling)) return;
    const bool wasToggling = FStates.Contains(tsToggling);
    struct TToggling {
        TBaseLazyTree* Tree;
        PLazyNode Node;
        bool WasToggling;
        ~TToggling()
        {
            Node->States >> vsToggling;
            if (!WasToggling) Tree->ChangeTreeStates({}, TLazyTreeStates{tsToggling});
        }
    } toggling{this, Node, wasToggling};
    if (!wasToggling) ChangeTreeStates(TLazyTreeStates{tsToggling}, {});
    Node->States << vsToggling;

    const bool above = FOptions->PaintOptions().Contains(toChildrenAbove);
    const bool animated = FOptions->AnimationOptions().Contains(toAnimatedToggle);
    const int clientHeight = ClientHeight();
    std::int64_t change = 0;
    bool fullRepaint = false;
    TExpandFit fit;
    if (Node->States.Contains(vsExpanded)) {
        if (!FireCollapsing(Node)) return;
        change = std::int64_t(Node->NodeHeight) - std::int64_t(Node->TotalHeight);
        if (FUpdateCount == 0 && animated && !FStates.Contains(tsCollapsing))
            fullRepaint = AnimateCollapse(Node, int(change));
        PropagateHeightChange(Node, IsEffectivelyFiltered(Node) ? 0 : Node->NodeHeight, false);
        if (FullyVisible(Node)) FVisibleCount -= VisibleDescendantCount(Node);
        Node->States >> vsExpanded;
        FireCollapsed(Node);
        if (FOptions->AutoOptions().Contains(toAutoFreeOnCollapse) && Node->ChildCount > 0) {
            DeleteChildren(Node, false);
            Node->States << vsHasChildren;
        }
    } else {
        if (!FireExpanding(Node)) return;
        if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
        if (Node->States.Contains(vsHasChildren) && Node->ChildCount == 0) InitializeChildren(Node);
        if (Node->ChildCount > 0 && !Node->States.Contains(vsExpanded)) {
            for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
                if (child->States.Contains(vsVisible)) {
                    MeasureItemHeight(Canvas(), child);
                    change += child->TotalHeight;
                }
            if (above || FUpdateCount == 0) {
                fit.R = GetDisplayRect(Node, NoColumnIndex, false, false, false);
                fit.Top = fit.R.Top;
                fit.Fits = std::int64_t(Node->NodeHeight) + change <= clientHeight;
                if (above) {
                    fit.RoomAbove = fit.R.Top - change >= 0;
                    fit.BottomInView = clientHeight >= fit.R.Bottom;
                    fit.ScrollableFit = fit.Fits && FRangeY >= clientHeight;
                } else {
                    fit.RoomBelow = clientHeight >= fit.R.Bottom + change;
                    fit.ScrollableFit = fit.Fits;
                }
                fit.R.Bottom = clientHeight;
            }
            if (FUpdateCount == 0) {
                if (clientHeight > fit.R.Top && !FStates.Contains(tsPainting) && !FStates.Contains(tsExpanding) &&
                    animated)
                    AnimateExpand(Node, int(change), fit.R, fit.Fits, fit.RoomAbove, fit.RoomBelow, fit.BottomInView,
                                  fit.ScrollableFit);
                if (FOptions->AutoOptions().Contains(toAutoSort) && FHeader->SortColumn() > NoColumnIndex)
                    Sort(Node, FHeader->SortColumn(), FHeader->SortDirection(), false);
            }
            Node->States << vsExpanded;
            PropagateHeightChange(Node, change, true);
            if (FullyVisible(Node)) FVisibleCount += VisibleDescendantCount(Node);
            FireExpanded(Node);
        }
    }

    MarkCacheStale();
    if (FUpdateCount > 0) {
        UpdateRanges();
        return;
    }
    RequestCacheValidation();
    if (Node->ChildCount == 0) {
        InvalidateNode(Node);
        return;
    }
    UpdateRanges();
    UpdateScrollBars(true);
    // A node inside a collapsed or hidden parent is not on screen: nothing to bring into
    // view, and its ancestors are not expanded for it (they may be in the middle of
    // getting their children).
    if (FStates.Contains(tsPainting) || FStates.Contains(tsExpanding) || !FullyVisible(Node)) {
        if (fullRepaint)
            Invalidate();
        else
            InvalidateToBottom(Node);
        return;
    }
    const bool autoScroll = FOptions->AutoOptions().Contains(toAutoScrollOnExpand);
    if (Node->States.Contains(vsExpanded) && (autoScroll || above)) {
        if (above) {
            fullRepaint = true;
            if ((fit.ScrollableFit && fit.RoomAbove && fit.BottomInView) || !autoScroll) {
                SetOffsetY(int(FOffsetY - change));
            } else if (fit.Fits && fit.BottomInView) {
                PLazyNode first = GetFirstVisible(Node, true, false);
                if (first) SetOffsetY(FOffsetY - GetDisplayRect(first, NoColumnIndex, false).Top);
            } else {
                SetBottomNode(Node);
            }
        } else if (fit.ScrollableFit) {
            // A subtree that is in view as a whole needs no scrolling: its nodes are not
            // looked at (and so not initialised) for that.
            const bool inView = fit.Top >= 0 && std::int64_t(fit.Top) + Node->TotalHeight <= ClientHeight();
            if (!inView && ScrollIntoView(GetLastVisible(Node, true, false), false, false)) fullRepaint = true;
        } else {
            SetTopNode(Node);
            fullRepaint = true;
        }
    } else {
        if (above) SetOffsetY(int(FOffsetY - change));
        fullRepaint = true;
    }
    if (fullRepaint)
        Invalidate();
    else
        InvalidateToBottom(Node);
}

// ---- the animation ----

bool TBaseLazyTree::AnimateCollapse(PLazyNode Node, int Change)
{
    if (FStates.Contains(tsHint)) {
        Application->CancelHint();
        ChangeTreeStates({}, TLazyTreeStates{tsHint});
    }
    Update();
    const int clientHeight = ClientHeight();
    const bool advanced = FOptions->AnimationOptions().Contains(toAdvancedAnimatedToggle);
    bool fullRepaint = false;
    TToggleScrollData data;
    data.FirstBand = GetDisplayRect(Node, NoColumnIndex, false);
    data.SecondMode = smNoScroll;
    int distance = 0;
    TRect& band = data.FirstBand;
    if (FOptions->PaintOptions().Contains(toChildrenAbove)) {
        const int childrenHeight = int(Node->TotalHeight) - int(Node->NodeHeight);
        const bool scrolledOff = childrenHeight + FOffsetY <= 0;
        if (clientHeight > band.Top) {
            if (scrolledOff || !advanced) {
                data.FirstMode = smScrollDown;
                band = TRect(band.Left, 0, band.Right, band.Top);
                distance = std::min(childrenHeight, band.Height() + 1);
            } else {
                data.FirstMode = smScrollUp;
                band.Top = std::max(0, band.Top + Change);
                band.Bottom = clientHeight;
                distance = FOffsetY - Change;
            }
        }
    } else if (clientHeight - band.Bottom > FRangeY + FOffsetY - band.Bottom + Change && clientHeight < FRangeY &&
               FOffsetY != 0 && advanced) {
        // After the collapse the content would end above the bottom of the view: the
        // content above moves down instead.
        data.FirstMode = smScrollDown;
        distance = std::min(clientHeight - FRangeY - FOffsetY - Change, -FOffsetY);
        band.Top = 0;
        band.Bottom = std::min(clientHeight, band.Bottom - Change);
        fullRepaint = true;
    } else {
        data.FirstMode = smScrollUp;
        band.Top += Node->NodeHeight;
        band.Bottom = clientHeight;
        distance = std::min(-Change, band.Height() + 1);
    }
    if (clientHeight > band.Top) PrepareToggleAnimation(data, distance, 0);
    return fullRepaint;
}

void TBaseLazyTree::AnimateExpand(PLazyNode Node, int Change, TRect R, bool Fits, bool RoomAbove, bool RoomBelow,
                                  bool BottomInView, bool ScrollableFit)
{
    if (FStates.Contains(tsHint)) {
        Application->CancelHint();
        ChangeTreeStates({}, TLazyTreeStates{tsHint});
    }
    Update();
    const int clientHeight = ClientHeight();
    const bool advanced = FOptions->AnimationOptions().Contains(toAdvancedAnimatedToggle);
    const bool autoScroll = FOptions->AutoOptions().Contains(toAutoScrollOnExpand);
    TToggleScrollData data;
    data.FirstBand = R;
    data.SecondMode = smNoScroll;
    TRect& band = data.FirstBand;
    int first = 0, second = 0;
    if (FOptions->PaintOptions().Contains(toChildrenAbove)) {
        if (!advanced || (ScrollableFit && ((BottomInView && RoomAbove) || !autoScroll))) {
            data.FirstMode = smScrollUp;
            band = TRect(band.Left, 0, band.Right, band.Top);
            first = std::min(band.Bottom, Change);
        } else {
            data.FirstMode = smScrollDown;
            data.SecondMode = smScrollUp;
            data.SecondBand = TRect(band.Left, 0, band.Right, band.Top);
            if (!autoScroll) {
                const int overflow = FRangeY + Change - clientHeight;
                first = -FOffsetY - std::max(overflow, 0) + Change;
                if (overflow <= 0)
                    data.SecondMode = smNoScroll;
                else
                    second = std::min(overflow, data.SecondBand.Bottom);
            } else {
                if (Fits && BottomInView && clientHeight < FRangeY + Change) {
                    first = band.Top <= Change ? std::abs(band.Top - Change) : clientHeight - FRangeY;
                } else if (clientHeight >= FRangeY + Change) {
                    data.SecondMode = smNoScroll;
                    first = Change;
                } else {
                    first = clientHeight - band.Top - int(Node->NodeHeight);
                }
                if (data.SecondMode != smNoScroll) {
                    if (first > 0) {
                        second = std::min(Change - first, band.Top);
                    } else {
                        data.FirstMode = smNoScroll;
                        second = std::min(band.Bottom, Change);
                    }
                }
            }
        }
    } else if ((RoomBelow && ScrollableFit) || !autoScroll || !advanced || band.Top <= 0) {
        data.FirstMode = smScrollDown;
        band.Top += Node->NodeHeight;
        first = std::min(band.Height(), Change);
    } else {
        data.FirstMode = smScrollUp;
        data.SecondMode = smScrollDown;
        band = TRect(band.Left, 0, band.Right, band.Top + int(Node->NodeHeight) + 1);
        data.SecondBand = TRect(band.Left, band.Bottom, band.Right, clientHeight);
        first = std::min(Change - (clientHeight - data.SecondBand.Top), band.Bottom - int(Node->NodeHeight));
        second = clientHeight - data.SecondBand.Top;
    }
    if (clientHeight >= band.Top) PrepareToggleAnimation(data, first, second);
}

void TBaseLazyTree::PrepareToggleAnimation(TToggleScrollData& Data, int FirstDistance, int SecondDistance)
{
    Data.Window = this;
    if (Data.FirstMode != smNoScroll && Data.SecondMode != smNoScroll) {
        // The band that moves farther leads; the other follows at its ratio.
        if (FirstDistance < SecondDistance) {
            std::swap(Data.FirstBand, Data.SecondBand);
            std::swap(Data.FirstMode, Data.SecondMode);
            std::swap(FirstDistance, SecondDistance);
        }
        Data.StepRatio = FirstDistance > 0 ? double(SecondDistance) / FirstDistance : 0;
        Data.StepRemainder = 0;
    }
    const int steps = Data.FirstMode == smNoScroll ? SecondDistance : FirstDistance;
    // A band that has nowhere to go (the view already shows the result) is not animated.
    if (steps <= 0) return;
    RunAnimation(std::uint32_t(steps), FAnimationDuration,
                 [this](int Step, int StepSize, void* D) { return ToggleAnimationStep(Step, StepSize, D); }, &Data);
}

bool TBaseLazyTree::ToggleAnimationStep(int Step, int StepSize, void* Data)
{
    if (StepSize <= 0) return true;
    auto& data = *static_cast<TToggleScrollData*>(Data);
    if (data.FirstMode == smScrollUp)
        ScrollAnimationUp(data.FirstBand, StepSize);
    else if (data.FirstMode == smScrollDown)
        ScrollAnimationDown(data.FirstBand, StepSize);
    int second = 0;
    if (data.FirstMode == smNoScroll) {
        second = StepSize;
    } else if (data.SecondMode != smNoScroll && data.StepRatio > 0) {
        second = int(std::nearbyint((StepSize + data.StepRemainder) * data.StepRatio));
        data.StepRemainder = StepSize * data.StepRatio + data.StepRemainder - second;
    }
    if (data.SecondMode == smScrollUp)
        ScrollAnimationUp(data.SecondBand, second);
    else if (data.SecondMode == smScrollDown)
        ScrollAnimationDown(data.SecondBand, second);
    return true;
}

void TBaseLazyTree::ScrollAnimationUp(TRect Band, int Step)
{
    if (Step > 0 && !Band.IsEmpty()) InvalidateRect(Band);
}

void TBaseLazyTree::ScrollAnimationDown(TRect Band, int Step)
{
    if (Step > 0 && !Band.IsEmpty()) InvalidateRect(Band);
}

void TBaseLazyTree::RunAnimation(std::uint32_t Steps, std::uint32_t Duration, const TLTAnimationStep& Step, void* Data)
{
    if (FStates.Contains(tsInAnimation) || Duration == 0) return;
    ChangeTreeStates(TLazyTreeStates{tsInAnimation}, {});
    struct TEnd {
        TBaseLazyTree* Tree;
        ~TEnd() { Tree->ChangeTreeStates({}, TLazyTreeStates{tsCancelHintAnimation, tsInAnimation}); }
    } end{this};
    std::int64_t stepSize = std::max<std::int64_t>(1, std::llround(std::max(1.0, double(Steps) / Duration)));
    std::int64_t stepCount = std::int64_t(Steps) / stepSize;
    std::int64_t remaining = Duration;
    int current = 0;
    while (stepCount > 0 && remaining > 0 && !Application->Terminated()) {
        const std::uint64_t start = GetTickCount64();
        const std::uint64_t next = start + std::uint64_t(remaining / stepCount);
        if (!Step(current, int(stepSize), Data)) break;
        std::uint64_t now = GetTickCount64();
        while (now < next) now = GetTickCount64();
        const std::int64_t spent = std::int64_t(now - start);
        if (spent > remaining) {
            remaining = 0;
            stepCount = 0;
        } else {
            remaining -= spent;
            --stepCount;
        }
        // Behind time: larger steps, fewer of them.
        while (stepCount > 0 && remaining / stepCount < 1) {
            ++stepSize;
            stepCount = remaining / stepSize;
        }
        current = int(std::int64_t(Steps) - stepCount);
    }
    if (!Application->Terminated()) Step(0, 0, Data);
}
