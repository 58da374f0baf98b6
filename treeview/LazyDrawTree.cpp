#include "treeview/LazyDrawTree.h"

namespace {
TCustomLazyTreeOptions* MakeDrawOptions(TBaseLazyTree* Owner) { return new TLazyTreeOptions(Owner); }
}  // namespace

TPoint TCustomLazyDrawTree::GetCellContentMargin(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                                 TLTCellContentMarginType MarginType)
{
    TPoint result(0, 0);
    if (!Canvas) Canvas = this->Canvas();
    if (OnGetCellContentMargin) OnGetCellContentMargin(this, Canvas, Node, Column, MarginType, result);
    return result;
}

int TCustomLazyDrawTree::GetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas)
{
    int result = 2 * FTextMargin;
    if (!Canvas) Canvas = this->Canvas();
    if (OnGetNodeWidth) OnGetNodeWidth(this, Canvas, Node, Column, result);
    return result;
}

void TCustomLazyDrawTree::PaintNode(TLTPaintInfo& PaintInfo)
{
    if (OnDrawNode) OnDrawNode(this, PaintInfo);
}

TLazyDrawTree::TLazyDrawTree(TComponent* AOwner) : TCustomLazyDrawTree(AOwner) { RecreateOptions(); }

TLazyTreeOptionsClass TLazyDrawTree::OptionsClass() const { return &MakeDrawOptions; }

void TLazyDrawTree::SetTreeOptions(const TLazyTreeOptions* Value)
{
    if (Value) Value->AssignTo(FOptions.get());
}
