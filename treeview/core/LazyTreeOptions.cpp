// The option sets and the side effects of changing them at run time.
#include "treeview/core/LazyTreeOptions.h"

#include "treeview/core/BaseLazyTree.h"

TCustomLazyTreeOptions::TCustomLazyTreeOptions(TBaseLazyTree* AOwner)
    : FOwner(AOwner),
      FPaintOptions{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages},
      FAutoOptions{toAutoDropExpand, toAutoScrollOnExpand, toAutoSort, toAutoTristateTracking, toAutoDeleteMovedNodes,
                   toAutoChangeScale},
      FMiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning,
                   toEditOnClick}
{
}

void TCustomLazyTreeOptions::SetAnimationOptions(TLTAnimationOptions Value) { FAnimationOptions = Value; }

void TCustomLazyTreeOptions::SetAutoOptions(TLTAutoOptions Value)
{
    if (Value == FAutoOptions) return;
    const bool spanChanged = Value.Contains(toAutoSpanColumns) != FAutoOptions.Contains(toAutoSpanColumns);
    FAutoOptions = Value;
    if (spanChanged && !FOwner->IsLoading()) FOwner->Invalidate();
}

void TCustomLazyTreeOptions::SetSelectionOptions(TLTSelectionOptions Value)
{
    if (Value == FSelectionOptions) return;
    const TLTSelectionOptions old = FSelectionOptions;
    FSelectionOptions = Value;
    const auto added = [&](TLTSelectionOption o) { return Value.Contains(o) && !old.Contains(o); };
    if (Value.Contains(toMultiSelect) != old.Contains(toMultiSelect) || added(toLevelSelectConstraint) ||
        added(toSiblingSelectConstraint))
        FOwner->ClearSelection();
    if (!Value.Contains(toExtendedFocus)) {
        const bool removed = old.Contains(toExtendedFocus);
        const bool moved = removed && FOwner->FocusedColumn() > 0;
        FOwner->SetFocusedColumnField(FOwner->Header()->MainColumn());
        if (moved) FOwner->Invalidate();
    }
}

void TCustomLazyTreeOptions::SetMiscOptions(TLTMiscOptions Value)
{
    if (Value == FMiscOptions) return;
    const TLTMiscOptions old = FMiscOptions;
    FMiscOptions = Value;
    if (FOwner->IsLoading()) return;
    if (Value.Contains(toCheckSupport) != old.Contains(toCheckSupport)) FOwner->Invalidate();
    // The window needs no re-creation for a change of the repaint-on-resize switch.
    if (Value.Contains(toAcceptOLEDrop) != old.Contains(toAcceptOLEDrop)) FOwner->UpdateDropTargetRegistration();
    if (Value.Contains(toVariableNodeHeight) && !old.Contains(toVariableNodeHeight)) {
        FOwner->BeginUpdate();
        try {
            FOwner->ReinitNode(nullptr, true);
        } catch (...) {
            FOwner->EndUpdate();
            throw;
        }
        FOwner->EndUpdate();
    }
}

void TCustomLazyTreeOptions::SetPaintOptions(TLTPaintOptions Value)
{
    if (Value == FPaintOptions) return;
    const TLTPaintOptions old = FPaintOptions;
    if (Value.Contains(toFixedIndent) && !old.Contains(toFixedIndent)) Value << toShowRoot;
    FPaintOptions = Value;
    TBaseLazyTree* tree = FOwner;
    if (!tree->IsLoading() && Value.Contains(toShowFilteredNodes) != old.Contains(toShowFilteredNodes)) {
        const bool shown = Value.Contains(toShowFilteredNodes);
        tree->BeginUpdate();
        try {
            tree->HaltCacheValidation();
            for (PLazyNode run = tree->GetFirstNoInit(); run; run = tree->GetNextNoInit(run)) {
                if (!run->States.Contains(vsFiltered)) continue;
                // Whether the parent shows any child may change with it.
                tree->ChangeTreeStates(TLazyTreeStates{tsUpdateHiddenChildrenNeeded}, {});
                if (tree->FullyVisible(run)) {
                    if (shown)
                        ++tree->FVisibleCount;
                    else
                        --tree->FVisibleCount;
                }
                tree->PropagateHeightChange(run, shown ? std::int64_t(run->NodeHeight) : -std::int64_t(run->NodeHeight),
                                            true);
            }
        } catch (...) {
            tree->EndUpdate();
            throw;
        }
        tree->EndUpdate();
    }
    // Themed drawing and the expand-button pictures follow with painting.
    if (Value.Contains(toThemeAware) != old.Contains(toThemeAware) && !tree->IsLoading()) tree->PrepareBitmaps();
    if (Value.Contains(toChildrenAbove) != old.Contains(toChildrenAbove)) {
        tree->MarkCacheStale();
        if (tree->UpdateCount() == 0) tree->RequestCacheValidation();
    }
    tree->Invalidate();
}

void TCustomLazyTreeOptions::AssignTo(TCustomLazyTreeOptions* Dest) const
{
    Dest->SetPaintOptions(FPaintOptions);
    Dest->SetAnimationOptions(FAnimationOptions);
    Dest->SetAutoOptions(FAutoOptions);
    Dest->SetSelectionOptions(FSelectionOptions);
    Dest->SetMiscOptions(FMiscOptions);
}

TCustomStringTreeOptions::TCustomStringTreeOptions(TBaseLazyTree* AOwner)
    : TCustomLazyTreeOptions(AOwner), FStringOptions{toSaveCaptions, toAutoAcceptEditChange}
{
}

void TCustomStringTreeOptions::SetStringOptions(TLTStringOptions Value)
{
    if (Value == FStringOptions) return;
    const bool staticChanged = Value.Contains(toShowStaticText) != FStringOptions.Contains(toShowStaticText);
    FStringOptions = Value;
    if (staticChanged && !FOwner->IsLoading()) FOwner->Invalidate();
}

void TCustomStringTreeOptions::AssignTo(TCustomLazyTreeOptions* Dest) const
{
    if (auto* s = dynamic_cast<TCustomStringTreeOptions*>(Dest)) s->SetStringOptions(FStringOptions);
    TCustomLazyTreeOptions::AssignTo(Dest);
}
