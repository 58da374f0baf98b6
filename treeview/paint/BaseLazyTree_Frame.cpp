// The window's frame: the bevel around the tree's area and the border-width frame inside it.
#include "treeview/core/BaseLazyTree.h"

void TBaseLazyTree::SetBevelKind(TBevelKind Value)
{
    if (FBevelKind == Value) return;
    FBevelKind = Value;
    Invalidate();
    if (FHeader) FHeader->Invalidate();
}
