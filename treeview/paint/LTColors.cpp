// The tree's colour set. There is no custom style engine here: the stored colours apply
// throughout.
#include "treeview/core/BaseLazyTree.h"

namespace {
constexpr TColor DefaultColors[TLTColors::SlotCount] = {
    clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace,  clBtnShadow,     clBtnFace, clBtnFace, clWindowText,
    clHighlight, clBtnFace,   clHighlight, clHighlight, clHighlight, clBtnShadow, clHighlightText, clBtnFace};
}

TLTColors::TLTColors(TBaseLazyTree* AOwner) : FOwner(AOwner)
{
    for (int i = 0; i < SlotCount; ++i) FColors[i] = DefaultColors[i];
}

TColor TLTColors::GetColor(int Index) const { return Index >= 0 && Index < SlotCount ? FColors[Index] : clNone; }

void TLTColors::SetColor(int Index, TColor Value)
{
    if (Index < 0 || Index >= SlotCount || FColors[Index] == Value) return;
    FColors[Index] = Value;
    if (!FOwner || FOwner->IsLoading()) return;
    // The buttons are drawn with the line colour, so they are rebuilt with it.
    if (Index == TreeLineColorIdx) FOwner->PrepareBitmapsFor(true, false);
    FOwner->Invalidate();
}

void TLTColors::Assign(const TLTColors& Source)
{
    for (int i = 0; i < SlotCount; ++i) FColors[i] = Source.FColors[i];
    if (FOwner && FOwner->UpdateCount() == 0) FOwner->Invalidate();
}

TColor TLTColors::BackGroundColor() const { return FOwner ? FOwner->Color() : clWindow; }

TColor TLTColors::NodeFontColor() const { return FOwner ? FOwner->Font()->Color() : clWindowText; }

TRect NormalizeRect(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
                 std::max(R.Top, R.Bottom));
}
