#include "treeview/LazyStringTree.h"

namespace {
TCustomLazyTreeOptions* MakeCustomStringOptions(TBaseLazyTree* Owner) { return new TCustomStringTreeOptions(Owner); }
TCustomLazyTreeOptions* MakeStringOptions(TBaseLazyTree* Owner) { return new TStringTreeOptions(Owner); }
}   // namespace

TCustomLazyStringTree::TCustomLazyStringTree(TComponent* AOwner) : TBaseLazyTree(AOwner)
{
    FInternalDataOffset = ReserveInternalData(sizeof(std::int32_t));
    RecreateOptions();
}

TLazyTreeOptionsClass TCustomLazyStringTree::OptionsClass() const { return &MakeCustomStringOptions; }

TLazyStringTree::TLazyStringTree(TComponent* AOwner) : TCustomLazyStringTree(AOwner) { RecreateOptions(); }

TLazyTreeOptionsClass TLazyStringTree::OptionsClass() const { return &MakeStringOptions; }
