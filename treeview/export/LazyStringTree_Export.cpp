// The string tree's export methods, its export events and the node sequences an export
// or a text clipboard format walks.
#include "treeview/LazyStringTree.h"
#include "treeview/export/LazyTreeExport.h"

String TCustomLazyStringTree::ContentToHTML(TVSTTextSourceType Source, const String& Caption)
{
    return ExportTreeToHtml(this, Source, Caption);
}

std::string TCustomLazyStringTree::ContentToRTF(TVSTTextSourceType Source) { return ExportTreeToRtf(this, Source); }

String TCustomLazyStringTree::ContentToText(TVSTTextSourceType Source, const String& Separator)
{
    return ExportTreeToText(this, Source, Separator);
}

String TCustomLazyStringTree::ContentToText(TVSTTextSourceType Source, char Separator)
{
    return ContentToText(Source, String(1, Separator));
}

String TCustomLazyStringTree::ContentToUnicode(TVSTTextSourceType Source, char Separator)
{
    return ContentToText(Source, String(1, Separator));
}

std::string TCustomLazyStringTree::ContentToClipboard(TClipFormat Format, TVSTTextSourceType Source)
{
    return ExportTreeToClipboard(this, Format, Source);
}

void TCustomLazyStringTree::ContentToCustom(TVSTTextSourceType Source) { ExportTreeToCustom(this, Source); }

PLazyNode TCustomLazyStringTree::StartTextSource(TVSTTextSourceType Source,
                                                 std::function<PLazyNode(PLazyNode)>& GetNextNode)
{
    switch (Source) {
    case tstInitialized:
        GetNextNode = [this](PLazyNode N) { return GetNextInitialized(N); };
        return GetFirstInitialized();
    case tstSelected:
        GetNextNode = [this](PLazyNode N) { return GetNextSelected(N); };
        return GetFirstSelected();
    case tstCutCopySet:
        GetNextNode = [this](PLazyNode N) { return GetNextCutCopy(N); };
        return GetFirstCutCopy();
    case tstVisible:
        GetNextNode = [this](PLazyNode N) { return GetNextVisible(N, false); };
        return GetFirstVisible(nullptr, true, false);
    case tstChecked:
        GetNextNode = [this](PLazyNode N) { return GetNextChecked(N, csCheckedNormal); };
        return GetFirstChecked(csCheckedNormal);
    default:
        GetNextNode = [this](PLazyNode N) { return GetNext(N); };
        return GetFirst();
    }
}

void TCustomLazyStringTree::FireBeforeTreeExport(TLTExportType ExportType)
{
    if (OnBeforeTreeExport) OnBeforeTreeExport(this, ExportType);
}

void TCustomLazyStringTree::FireAfterTreeExport(TLTExportType ExportType)
{
    if (OnAfterTreeExport) OnAfterTreeExport(this, ExportType);
}

void TCustomLazyStringTree::FireBeforeHeaderExport(TLTExportType ExportType)
{
    if (OnBeforeHeaderExport) OnBeforeHeaderExport(this, ExportType);
}

void TCustomLazyStringTree::FireAfterHeaderExport(TLTExportType ExportType)
{
    if (OnAfterHeaderExport) OnAfterHeaderExport(this, ExportType);
}

void TCustomLazyStringTree::FireBeforeColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column)
{
    if (OnBeforeColumnExport) OnBeforeColumnExport(this, ExportType, Column);
}

void TCustomLazyStringTree::FireColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column)
{
    if (OnColumnExport) OnColumnExport(this, ExportType, Column);
}

void TCustomLazyStringTree::FireAfterColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column)
{
    if (OnAfterColumnExport) OnAfterColumnExport(this, ExportType, Column);
}

bool TCustomLazyStringTree::FireBeforeNodeExport(TLTExportType ExportType, PLazyNode Node)
{
    return OnBeforeNodeExport ? OnBeforeNodeExport(this, ExportType, Node) : true;
}

bool TCustomLazyStringTree::FireNodeExport(TLTExportType ExportType, PLazyNode Node)
{
    return OnNodeExport ? OnNodeExport(this, ExportType, Node) : true;
}

bool TCustomLazyStringTree::FireAfterNodeExport(TLTExportType ExportType, PLazyNode Node)
{
    return OnAfterNodeExport ? OnAfterNodeExport(this, ExportType, Node) : true;
}
