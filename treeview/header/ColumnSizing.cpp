// Column widths beyond the width setter: the auto-size column, spring columns, the limits
// of the fixed area, spreading a change over a range of columns, and the tree's reaction
// to every width change.
#include <algorithm>
#include <cmath>

#include "treeview/core/BaseLazyTree.h"
#include "treeview/header/LTHeader.h"

void TLazyTreeColumns::FitAutoSizeColumn(bool Force)
{
    if (Count() == 0) return;
    TColumnIndex i = FHeader->FAutoSizeIndex;
    if (!IsValidColumn(i)) i = Count() - 1;
    TBaseLazyTree* tree = FHeader->Treeview();
    int avail = tree ? tree->ClientWidth() : 0;
    for (TColumnIndex c = 0; c < Count(); ++c)
        if (c != i && FItems[std::size_t(c)]->Visible()) avail -= FItems[std::size_t(c)]->FWidth;
    TLazyTreeColumn* col = FItems[std::size_t(i)].get();
    // The minimum wins over the maximum.
    const int newWidth = std::max(std::min(avail, col->FMaxWidth), col->FMinWidth);
    if (!Force && newWidth == col->FWidth) return;
    col->FWidth = newWidth;
    RecomputeLefts(false);
    FHeader->FireColumnResize(i);
}

void TLazyTreeColumns::AnimatedResize(TColumnIndex Column, int NewWidth)
{
    if (!IsValidColumn(Column)) return;
    TLazyTreeColumn* c = FItems[std::size_t(Column)].get();
    NewWidth = std::min(std::max(NewWidth, c->FMinWidth), c->FMaxWidth);
    if (NewWidth == c->FWidth) return;
    // The toolkit repaints the whole strip at once; the width change shows in one step.
    c->SetWidth(NewWidth);
}

void TLTHeader::RestoreColumns()
{
    const auto& pos = FColumns->PositionToIndex();
    for (std::size_t p = pos.size(); p-- > 0;) {
        TLazyTreeColumn* c = FColumns->Items(pos[p]);
        if (c->Options().Contains(coVisible) && c->Options().Contains(coResizable)) c->RestoreLastWidth();
    }
}

void TLTHeader::DistributeSpringWidth()
{
    const int width = HeaderWidth();
    float diff = float(width - FLastWidth);
    if (FOptions.Contains(hoAutoSpring) && FLastWidth != 0 && diff != 0) {
        const int sign = diff < 0 ? -1 : 1;
        float rest = std::fabs(diff);
        int n = 0;
        for (int i = 0; i < FColumns->Count(); ++i) {
            const TLTColumnOptions o = FColumns->Items(i)->Options();
            if (o.Contains(coAutoSpring) && o.Contains(coVisible)) ++n;
        }
        if (n > 0) {
            const float share = rest / float(n);
            for (int i = 0; i < FColumns->Count(); ++i) {
                TLazyTreeColumn* c = FColumns->Items(i);
                if (!(c->Options().Contains(coAutoSpring) && c->Options().Contains(coVisible))) continue;
                const float r = c->FSpringRest + share;
                if (r >= 1) c->SetWidth(c->FWidth + sign * int(std::trunc(r)));
                c->FSpringRest = r - std::trunc(r);
                rest -= share;
                if (rest < 0) break;
            }
        }
    }
    FLastWidth = width;
}

void TLTHeader::ApplyFixedAreaConstraints()
{
    if (FStates.Contains(hsLoading) || !FOwner || FOwner->IsLoading()) return;
    FStates << hsScaling;
    SetHeight(FHeight);
    const TLTFixedAreaConstraints& c = FFixedAreaConstraints;
    if (c.MinWidthPercent() > 0 || c.MaxWidthPercent() > 0) {
        for (TColumnIndex i : FColumns->PositionToIndex()) {
            TLazyTreeColumn* col = FColumns->Items(i);
            if (col->Options().Contains(coVisible) && col->Options().Contains(coFixed) && col->FWidth < col->FMinWidth)
                col->FWidth = col->FMinWidth;
        }
        const int f = FColumns->GetVisibleFixedWidth();
        const int t = FOwner->ClientWidth();
        const int minW = t * c.MinWidthPercent() / 100, maxW = t * c.MaxWidthPercent() / 100;
        if (c.MaxWidthPercent() > 0 && f > maxW)
            ResizeColumns(maxW - f, 0, FColumns->Count() - 1, TLTColumnOptions{coVisible, coFixed});
        else if (c.MinWidthPercent() > 0 && f < minW)
            ResizeColumns(minW - f, 0, FColumns->Count() - 1, TLTColumnOptions{coVisible, coFixed});
        FColumns->RecomputeLefts(false);
    }
    FStates >> hsScaling;
    FStates >> hsNeedScaling;
}

int TLTHeader::ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol, TLTColumnOptions Opts)
{
    if (ChangeBy == 0) return 0;
    RangeStartCol = std::max(RangeStartCol, 0);
    RangeEndCol = std::min(RangeEndCol, FColumns->Count() - 1);
    if (RangeEndCol < RangeStartCol) return 0;
    const bool growing = ChangeBy > 0;
    const int step = growing ? 1 : -1;
    const TColumnIndex bonusStart = growing ? RangeStartCol : RangeEndCol;
    const int n = RangeEndCol - RangeStartCol + 1;
    auto col = [&](int k) { return FColumns->Items(RangeStartCol + k); };
    auto takes = [&](int k) { return (col(k)->Options() * Opts) == Opts; };
    std::vector<int> w(static_cast<std::size_t>(n)), l(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        w[std::size_t(k)] = col(k)->FWidth;
        l[std::size_t(k)] = growing ? col(k)->FMaxWidth : col(k)->FMinWidth;
    }
    auto canChange = [&](int k) { return growing ? w[std::size_t(k)] < l[std::size_t(k)] : w[std::size_t(k)] > l[std::size_t(k)]; };
    auto room = [&](int k) { return growing ? l[std::size_t(k)] - w[std::size_t(k)] : w[std::size_t(k)] - l[std::size_t(k)]; };
    long long remaining = std::llabs(ChangeBy);
    for (;;) {
        long long totalRoom = 0;
        int count = 0;
        for (int k = 0; k < n; ++k)
            if (takes(k) && canChange(k)) {
                totalRoom += room(k);
                ++count;
            }
        if (std::llabs(ChangeBy) > totalRoom && !growing && FStates.Contains(hsScaling)) {
            // While scaling, a shrink that does not fit first lowers the minimum of the
            // widest column by a tenth, never below 10 pixels.
            int candidate = -1, running = 0;
            for (int k = 0; k < n; ++k)
                if (takes(k) && col(k)->FWidth > running) {
                    candidate = k;
                    running = w[std::size_t(k)];
                }
            if (candidate >= 0 && l[std::size_t(candidate)] > 10) {
                l[std::size_t(candidate)] -= l[std::size_t(candidate)] / 10;
                continue;
            }
        }
        if (count == 0) break;
        remaining = std::min(remaining, totalRoom);
        const long long per = remaining / count;
        long long extra = remaining % count;
        if (per > 0)
            for (int k = 0; k < n; ++k)
                if (takes(k) && canChange(k)) {
                    const long long d = std::min<long long>(per, room(k));
                    w[std::size_t(k)] += int(step * d);
                    remaining -= d;
                }
        // Pixels that do not divide evenly go one each to columns that had none last
        // time, so repeated changes spread them round.
        int k = bonusStart - RangeStartCol;
        int guard = 0;
        while (extra > 0 && guard++ < 4 * n + 4) {
            TLazyTreeColumn* c = col(k);
            if (takes(k) && canChange(k) && c->FBonusPixel != growing) {
                w[std::size_t(k)] += step;
                --extra;
                --remaining;
                c->FBonusPixel = growing;
            }
            k += step;
            if (k < 0 || k >= n) {
                for (int j = 0; j < n; ++j)
                    if (takes(j)) col(j)->FBonusPixel = !col(j)->FBonusPixel;
                k = bonusStart - RangeStartCol;
            }
        }
        if (remaining <= 0) break;
        // Nothing could move: stop rather than loop.
        bool any = false;
        for (int j = 0; j < n; ++j) any = any || (takes(j) && canChange(j));
        if (!any) break;
    }
    int answer = 0;
    FStates << hsResizing;
    for (int k = 0; k < n; ++k)
        if (takes(k)) {
            answer += w[std::size_t(k)] - col(k)->FWidth;
            col(k)->SetWidth(w[std::size_t(k)]);
        }
    FStates >> hsResizing;
    return answer;
}

void TLTHeader::FireColumnResize(TColumnIndex Column)
{
    if (!FOwner || FOwner->IsLoading()) return;
    FOwner->UpdateHorizontalScrollBar(true);
    if (Column >= 0) {
        FOwner->Invalidate();
        Invalidate(Column, true);
    }
    if (!FStates.Contains(hsResizing) && OnColumnResize) OnColumnResize(this, Column);
}

void TLTHeader::HandleResize()
{
    if (FOptions.Contains(hoAutoResize))
        FColumns->FitAutoSizeColumn(false);
    else if (!FStates.Contains(hsScaling))
        ApplyFixedAreaConstraints();
    DistributeSpringWidth();
    UpdateWindow();
}

void TLTHeader::AutoFitColumns(bool Animated, TSmartAutoFitType SmartAutoFitType, int RangeStartCol, int RangeEndCol)
{
    if (!FOwner) return;
    const int start = std::max(RangeStartCol, 0);
    const int end = RangeEndCol < 0 ? FColumns->Count() - 1 : std::min(RangeEndCol, FColumns->Count() - 1);
    if (end < start) return;
    FOwner->StartOperation(okAutoFitColumns);
    struct TEnd {
        TBaseLazyTree* T;
        ~TEnd() { T->EndOperation(okAutoFitColumns); }
    } endOp{FOwner};
    for (int p = start; p <= end; ++p) {
        const TColumnIndex column = FColumns->ColumnFromPosition(TColumnPosition(p));
        if (!FColumns->IsValidColumn(column)) continue;
        TLazyTreeColumn* c = FColumns->Items(column);
        if (!(c->Options().Contains(coVisible) && c->Options().Contains(coResizable))) continue;
        if (FOwner->OperationCanceled()) continue;
        const bool smart = SmartAutoFitType == smaAllColumns ||
                           (SmartAutoFitType == smaUseColumnOption && c->Options().Contains(coSmartResize));
        const int w = FOwner->GetMaxColumnWidth(column, smart);
        if (Animated)
            FColumns->AnimatedResize(column, w);
        else
            c->SetWidth(w);
    }
}

int TBaseLazyTree::GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth)
{
    if (OperationCanceled())
        return FHeader->Columns()->IsValidColumn(Column) ? FHeader->Columns()->Items(Column)->Width() : 0;
    StartOperation(okGetMaxColumnWidth);
    struct TEnd {
        TBaseLazyTree* T;
        ~TEnd() { T->EndOperation(okGetMaxColumnWidth); }
    } endOp{this};
    PLazyNode node = UseSmartColumnWidth ? TopNode() : GetFirstVisible();
    PLazyNode stop = UseSmartColumnWidth && BottomNode() ? GetNextVisible(BottomNode()) : nullptr;
    const bool mainColumn = Column == FHeader->MainColumn();
    const TLTPaintOptions paint = FOptions->PaintOptions();
    int offset = 0;
    if (mainColumn && node) {
        if (paint.Contains(toFixedIndent))
            offset = Indent();
        else
            offset = int(GetNodeLevel(node) + (paint.Contains(toShowRoot) ? 1 : 0)) * Indent();
    }
    offset += Margin();
    int answer = 0;
    while (node && !OperationCanceled()) {
        answer = std::max(answer, offset + GetNodeWidth(node, Column));
        PLazyNode next = GetNextVisible(node);
        if (next == stop) break;
        if (mainColumn && !paint.Contains(toFixedIndent) && next) offset += LevelDifference(node, next) * Indent();
        node = next;
    }
    if (paint.Contains(toShowVertGridLines)) ++answer;
    return answer;
}
