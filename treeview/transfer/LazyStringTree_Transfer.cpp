#include "treeview/LazyStringTree.h"

HRESULT TCustomLazyStringTree::RenderDataFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard)
{
    const HRESULT base = TBaseLazyTree::RenderDataFormat(FormatEtcIn, Medium, ForClipboard);
    if (base == S_OK) return base;
    try {
        std::string block = ContentToClipboard(FormatEtcIn.cfFormat, ForClipboard ? tstCutCopySet : tstSelected);
        if (block.empty()) return base;
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Bytes = std::move(block);
        return S_OK;
    } catch (...) {
        Medium = TStgMedium();
        return E_FAIL;
    }
}
