// The position cache of large trees: every 2000th visible node with its top in the whole
// tree, so that a node is found by position (and a position by node) after a short walk.
//
// The cache is rebuilt on the interface thread, from a message the tree posts to its
// own window when it needs a new cache: no other thread ever reads the nodes, so no
// change of the tree can race a rebuild, and a rebuild that fails reaches the
// application's error handler like any other failure of a message.
#include "treeview/core/BaseLazyTree.h"

std::uint32_t TBaseLazyTree::PositionCacheSize() const
{
    if (FVisibleCount < 2) return 0;
    return (FVisibleCount + CacheStride - 1) / CacheStride;
}

void TBaseLazyTree::MarkCacheStale() { ChangeTreeStates(TLazyTreeStates{tsValidationNeeded}, TLazyTreeStates{tsUseCache}); }

void TBaseLazyTree::HaltCacheValidation()
{
    ChangeTreeStates(TLazyTreeStates{tsStopValidation}, TLazyTreeStates{tsUseCache});
    FValidationQueued = false;
}

void TBaseLazyTree::RequestCacheValidation()
{
    HaltCacheValidation();
    FStartIndex = 0;
    if (!FStates.Contains(tsValidationNeeded) || FVisibleCount <= CacheStride || FTreeDestroying) return;
    ChangeTreeStates({}, TLazyTreeStates{tsStopValidation});
    FValidationQueued = true;
    if (!FValidationPosted) {
        FValidationPosted = true;
        PostMessage(Handle(), WM_VALIDATECACHE, 0, 0);
    }
}

void TBaseLazyTree::HandleWMValidateCache(TMessage& Message)
{
    FValidationPosted = false;
    if (!FValidationQueued) return;
    FValidationQueued = false;
    ChangeTreeStates(TLazyTreeStates{tsValidating}, TLazyTreeStates{tsUseCache, tsValidationNeeded});
    bool built = false;
    try {
        if (!FStates.Contains(tsStopValidation)) built = BuildPositionCache();
    } catch (...) {
        // The tree is never left validating; the failure goes on to the error handler.
        ChangeTreeStates({}, TLazyTreeStates{tsStopValidation, tsValidating});
        throw;
    }
    ChangeTreeStates(built ? TLazyTreeStates{tsUseCache} : TLazyTreeStates{},
                     TLazyTreeStates{tsStopValidation, tsValidating});
    UpdateEditBounds();
}

bool TBaseLazyTree::BuildPositionCache()
{
    if (FStates.Contains(tsStopValidation)) return false;
    FPositionCache.clear();
    const std::uint32_t size = PositionCacheSize();
    FPositionCache.reserve(size);
    std::uint32_t top = 0, index = 0;
    for (PLazyNode run = GetFirstVisibleNoInit(nullptr, true, false); run; run = GetNextVisibleNoInit(run, true)) {
        if (FStates.Contains(tsStopValidation)) break;
        if (index % CacheStride == 0) {
            if (FPositionCache.size() == size) break;
            FPositionCache.push_back(TCacheEntry{run, top});
            if (FPositionCache.size() == size) {
                ++index;
                break;
            }
        }
        top += NodeHeight(run);
        ++index;
    }
    const bool result = index > 1 && !FStates.Contains(tsStopValidation);
    if (result && FOptions->MiscOptions().Contains(toVariableNodeHeight)) UpdateScrollBars(true);
    return result;
}

PLazyNode TBaseLazyTree::CacheEntryAtPosition(std::uint32_t Position, std::uint32_t& AbsoluteTop) const
{
    std::size_t lo = 0, hi = FPositionCache.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (FPositionCache[mid].AbsoluteTop <= Position)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0) {
        AbsoluteTop = 0;
        return nullptr;
    }
    AbsoluteTop = FPositionCache[lo - 1].AbsoluteTop;
    return FPositionCache[lo - 1].Node;
}

PLazyNode TBaseLazyTree::CacheEntryBeforeNode(PLazyNode Node, std::uint32_t& AbsoluteTop) const
{
    std::size_t lo = 0, hi = FPositionCache.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (CompareNodeOrder(FPositionCache[mid].Node, Node, true) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0) {
        AbsoluteTop = 0;
        return nullptr;
    }
    AbsoluteTop = FPositionCache[lo - 1].AbsoluteTop;
    return FPositionCache[lo - 1].Node;
}

PLazyNode TBaseLazyTree::NodeAtPositionByHeights(std::int64_t Position, std::uint32_t& AbsoluteTop) const
{
    if (Position < 0 || FOptions->PaintOptions().Contains(toChildrenAbove)) return nullptr;
    std::int64_t top = 0;
    PLazyNode parent = FRoot;
    for (;;) {
        PLazyNode hit = nullptr;
        for (PLazyNode c = parent->FirstChild; c; c = c->NextSibling) {
            if (!c->States.Contains(vsVisible)) continue;
            if (Position < top + std::int64_t(c->TotalHeight)) {
                hit = c;
                break;
            }
            top += c->TotalHeight;
        }
        if (!hit) return nullptr;
        const std::int64_t own = IsEffectivelyFiltered(hit) ? 0 : hit->NodeHeight;
        if (Position < top + own) {
            AbsoluteTop = std::uint32_t(top);
            return hit;
        }
        top += own;
        // The position lies in the children's part: the heights say they are shown.
        if (!hit->States.Contains(vsExpanded)) return nullptr;
        parent = hit;
    }
}

bool TBaseLazyTree::NodeTopByHeights(PLazyNode Node, std::uint32_t& AbsoluteTop) const
{
    if (!Node || Node == FRoot || FOptions->PaintOptions().Contains(toChildrenAbove) || !FullyVisible(Node))
        return false;
    std::int64_t top = 0;
    for (PLazyNode run = Node; run != FRoot; run = run->Parent) {
        for (PLazyNode s = run->PrevSibling; s; s = s->PrevSibling)
            if (s->States.Contains(vsVisible)) top += s->TotalHeight;
        PLazyNode parent = run->Parent;
        if (parent != FRoot && !IsEffectivelyFiltered(parent)) top += parent->NodeHeight;
    }
    AbsoluteTop = std::uint32_t(top);
    return true;
}
