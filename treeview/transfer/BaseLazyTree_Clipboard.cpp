// The tree's formats, cut, copy and paste, its data objects and the insertion of data
// that arrives (paste and drop). Data from outside is checked whole before any node is
// made: a block that does not hold well-formed tree data changes nothing.
#include <map>

#include "treeview/core/BaseLazyTree.h"
#include "treeview/transfer/LTDragManager.h"

namespace {

// The trees that live now, by token. Tokens are never reused, so a token of a freed
// tree finds nothing even when a new tree takes its memory.
struct TLivingTrees {
    std::map<std::uint32_t, TBaseLazyTree*> Trees;
    std::uint32_t LastToken = 0;
};
TLivingTrees& Living()
{
    static TLivingTrees l;
    return l;
}

} // namespace

TLTTransferState::TLTTransferState(TBaseLazyTree* Tree)
    : Formats(std::make_unique<TClipboardFormats>(Tree)), DragImage(std::make_unique<TLTDragImage>(Tree))
{
}

TBaseLazyTree* TBaseLazyTree::LivingTree(std::uint32_t Token)
{
    if (Token == 0) return nullptr;
    const auto it = Living().Trees.find(Token);
    return it == Living().Trees.end() ? nullptr : it->second;
}

void TBaseLazyTree::PrepareTransfer()
{
    if (FTransfer) return;
    PrepareTreeResources();
    FTransfer = std::make_shared<TLTTransferState>(this);
    // The tree's own picture fades out from its centre.
    FTransfer->DragImage->SetFade(true);
    FTransfer->DragImage->SetTransparency(200);
    FTransferToken = ++Living().LastToken;
    Living().Trees[FTransferToken] = this;
    UpdateDropTargetRegistration();
}

void TBaseLazyTree::ReleaseTransfer()
{
    Living().Trees.erase(FTransferToken);
    if (!FTransfer) return;
    if (FTransfer->RegisteredTarget) RevokeDragDrop(Handle());
    FTransfer->RegisteredTarget = nullptr;
    FTransfer->DragImage->EndDrag();
    FTransfer->DragManager.reset();
}

TClipboardFormats* TBaseLazyTree::ClipboardFormats()
{
    PrepareTransfer();
    return FTransfer->Formats.get();
}

void TBaseLazyTree::SetClipboardFormats(const std::vector<String>& Value) { ClipboardFormats()->Assign(Value); }

void TBaseLazyTree::ListClipboardFormats(TFormatEtcArray& Formats)
{
    TClipboardFormatList::EnumerateFormats(this, Formats, ClipboardFormats());
    FireGetUserClipboardFormats(Formats);
}

void TBaseLazyTree::FireGetUserClipboardFormats(TFormatEtcArray& Formats)
{
    if (OnGetUserClipboardFormats) OnGetUserClipboardFormats(this, Formats);
}

IDataObjectPtr TBaseLazyTree::FireCreateDataObject()
{
    IDataObjectPtr result;
    if (OnCreateDataObject) OnCreateDataObject(this, result);
    return result;
}

HRESULT TBaseLazyTree::FireRenderOLEData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard)
{
    HRESULT result = E_FAIL;
    if (OnRenderOLEData) OnRenderOLEData(this, FormatEtcIn, Medium, ForClipboard, result);
    return result;
}

// ---- rendering ----

void TBaseLazyTree::WriteTreeData(TStream& Stream, bool ForClipboard)
{
    const std::vector<PLazyNode> nodes = ForClipboard ? GetSortedCutCopySet(true) : GetSortedSelection(true);
    for (PLazyNode n : nodes) WriteNode(Stream, n);
}

HRESULT TBaseLazyTree::RenderDataFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard)
{
    Medium = TStgMedium();
    if (FormatEtcIn.cfFormat == LazyTreeDataFormat() && (FormatEtcIn.tymed & (TYMED_ISTREAM | TYMED_HGLOBAL))) {
        TMemoryStream stream;
        WriteTreeData(stream, ForClipboard);
        const std::vector<std::uint8_t> bytes = stream.Bytes();
        const std::string chunks(bytes.begin(), bytes.end());
        if (FormatEtcIn.tymed & TYMED_ISTREAM) {
            Medium.tymed = TYMED_ISTREAM;
            Medium.Bytes = chunks;
            return S_OK;
        }
        if (chunks.empty()) return E_FAIL;
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Bytes = TreeDataBlock(chunks);
        return S_OK;
    }
    return FireRenderOLEData(FormatEtcIn, Medium, ForClipboard);
}

TBaseLazyTree* TBaseLazyTree::SourceTreeOf(const IDataObjectPtr& DataObject)
{
    if (!DataObject) return nullptr;
    TFormatEtc f;
    f.cfFormat = LazyTreeReferenceFormat();
    f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    TStgMedium m;
    if (DataObject->GetData(f, m) != S_OK) return nullptr;
    const std::optional<TTreeReference> ref = ReadTreeReference(m.Bytes);
    if (!ref || ref->ProcessId != CurrentProcessId()) return nullptr;
    return LivingTree(ref->Token);
}

// ---- the cut/copy set ----

std::uint32_t TBaseLazyTree::CutCopyCount()
{
    std::uint32_t n = 0;
    for (PLazyNode p = GetFirstCutCopy(); p; p = GetNextCutCopy(p)) ++n;
    return n;
}

std::vector<PLazyNode> TBaseLazyTree::GetSortedCutCopySet(bool Resolve)
{
    std::vector<PLazyNode> result;
    PLazyNode n = GetFirstNoInit();
    while (n) {
        if (!n->States.Contains(vsCutOrCopy)) {
            n = GetNextNoInit(n);
            continue;
        }
        result.push_back(n);
        if (!Resolve) {
            n = GetNextNoInit(n);
            continue;
        }
        // Past the marked node's subtree: its next sibling or that of an ancestor.
        PLazyNode m = n;
        while (m && m != FRoot && !m->NextSibling) m = m->Parent;
        n = (m && m != FRoot) ? m->NextSibling : nullptr;
    }
    return result;
}

void TBaseLazyTree::CancelCutOrCopy()
{
    if (FStates.Contains(tsCutPending) || FStates.Contains(tsCopyPending)) {
        for (PLazyNode n = GetFirstNoInit(); n; n = GetNextNoInit(n)) n->States >> vsCutOrCopy;
        Invalidate();
    }
    ChangeTreeStates({}, TLazyTreeStates{tsCopyPending, tsCutPending});
}

void TBaseLazyTree::FinishCutOrCopy()
{
    if (!FStates.Contains(tsCutPending)) return;
    BeginUpdate();
    try {
        PLazyNode n = GetFirstNoInit();
        while (n) {
            if (!n->States.Contains(vsCutOrCopy)) {
                n = GetNextNoInit(n);
                continue;
            }
            // The node after the deleted subtree is taken before the subtree goes.
            PLazyNode m = n;
            while (m && m != FRoot && !m->NextSibling) m = m->Parent;
            PLazyNode next = (m && m != FRoot) ? m->NextSibling : nullptr;
            DeleteNode(n);
            n = next;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    ChangeTreeStates({}, TLazyTreeStates{tsCutPending});
}

void TBaseLazyTree::FlushClipboard()
{
    if (!FStates.Contains(tsCutPending) && !FStates.Contains(tsCopyPending)) return;
    ChangeTreeStates(TLazyTreeStates{tsClipboardFlushing}, {});
    // The clipboard keeps its blocks, but they name no tree any more and no longer stand
    // for marked nodes here.
    TDataPackage kept = Clipboard()->Content();
    kept.Remove(LazyTreeReferenceFormat());
    Clipboard()->SetContent(kept);
    Clipboard()->Flush();
    CancelCutOrCopy();
    ChangeTreeStates({}, TLazyTreeStates{tsClipboardFlushing});
}

namespace {

// Puts the tree's clipboard object on the clipboard; the tree hears when the content is
// replaced (by this token, so a freed tree is never reached).
bool PublishToClipboard(TBaseLazyTree* Tree, TLazyTreeStates Enter, TLazyTreeStates Leave)
{
    // What the clipboard held goes first: its owner (this tree too) unmarks its nodes
    // before the new set is marked.
    Clipboard()->ReleaseOwner();
    Tree->MarkSelectionCutCopy();
    const std::uint32_t token = Tree->TransferToken();
    try {
        IDataObjectPtr data = std::make_shared<TLTDataObject>(Tree, true);
        // Rendered while the set is marked: the blocks carry the cut/copy set.
        Tree->ChangeTreeStates(Enter, Leave);
        const TDataPackage package = RenderPackage(*data);
        Clipboard()->SetContent(package, [token] {
            TBaseLazyTree* t = TBaseLazyTree::LivingTree(token);
            if (t && !t->TreeStates().Contains(tsClipboardFlushing)) t->CancelCutOrCopy();
        });
    } catch (...) {
        Tree->CancelCutOrCopy();
        return false;
    }
    Tree->Invalidate();
    return true;
}

} // namespace

void TBaseLazyTree::CopyToClipboard()
{
    if (FSelectionCount == 0) return;
    PrepareTransfer();
    PublishToClipboard(this, TLazyTreeStates{tsCopyPending}, {});
}

void TBaseLazyTree::CutToClipboard()
{
    if (FSelectionCount == 0 || FOptions->MiscOptions().Contains(toReadOnly)) return;
    PrepareTransfer();
    PublishToClipboard(this, TLazyTreeStates{tsCutPending}, TLazyTreeStates{tsCopyPending});
}

bool TBaseLazyTree::PasteFromClipboard()
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return false;
    IDataObjectPtr data;
    try {
        data = std::make_shared<TPackageDataObject>(Clipboard()->Content());
    } catch (const Exception&) {
        RaiseTreeError("Clipboard operation failed.", 2007);
    }
    TBaseLazyTree* source = SourceTreeOf(data);
    const bool result = ProcessOLEData(source, data, FFocusedNode, FDefaultPasteMode,
                                       source && source->FStates.Contains(tsCutPending));
    if (source == this && FStates.Contains(tsCutPending)) {
        // The moved nodes are marked still; marks left behind would be deleted by the
        // end of the next cut.
        CancelCutOrCopy();
    } else if (source == this) {
        ChangeTreeStates({}, TLazyTreeStates{tsCutPending});
    } else if (source) {
        source->FinishCutOrCopy();
    }
    return result;
}

// ---- inserting data ----

bool TBaseLazyTree::ProcessOLEData(TBaseLazyTree* Source, const IDataObjectPtr& DataObject, PLazyNode TargetNode,
                                   TLTNodeAttachMode Mode, bool Optimized)
{
    if (!DataObject) return false;
    TFormatEtc f;
    f.cfFormat = LazyTreeDataFormat();
    f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    bool result = DataObject->QueryGetData(f) == S_OK;
    if (!result || FOptions->MiscOptions().Contains(toReadOnly)) return result;
    if (!TargetNode) TargetNode = FRoot;
    if (TargetNode == FRoot) {
        if (Mode == amInsertBefore) Mode = amAddChildFirst;
        if (Mode == amInsertAfter) Mode = amAddChildLast;
    }
    result = false;
    BeginUpdate();
    try {
        if (Optimized && Source) {
            std::vector<PLazyNode> nodes =
                Source->FStates.Contains(tsOLEDragging) ? Source->FDragSelection : Source->GetSortedCutCopySet(true);
            // Taken so that the moved nodes keep their order at the target.
            if (Mode == amInsertAfter || Mode == amAddChildFirst) std::reverse(nodes.begin(), nodes.end());
            for (PLazyNode n : nodes) {
                if (TargetNode != FRoot && (TargetNode == n || HasAsParent(TargetNode, n))) continue;
                Source->MoveTo(n, TargetNode, Mode, false);
            }
            result = true;
        } else {
            TStgMedium m;
            if (DataObject->GetData(f, m) == S_OK) {
                std::optional<std::string> chunks;
                if (m.tymed == TYMED_ISTREAM)
                    chunks = m.Bytes.size() <= MaxTreeDataBytes ? std::optional<std::string>(m.Bytes) : std::nullopt;
                else
                    chunks = ReadTreeDataBlock(m.Bytes);
                if (chunks) {
                    // Every record is checked before the first node is made.
                    const std::vector<std::uint8_t> bytes(chunks->begin(), chunks->end());
                    std::vector<TStreamRecord> records;
                    std::int64_t pos = 0;
                    while (pos < std::int64_t(bytes.size())) {
                        ParseNodeRecord(bytes, pos, std::int64_t(bytes.size()), 2, records);
                        if (records.size() > MaxTransferNodes)
                            RaiseTreeError("Unable to load tree structure, not enough data available.", 2004);
                    }
                    PLazyNode target = TargetNode;
                    for (std::size_t i = 0; i < records.size();) {
                        PLazyNode node = AllocateNode();
                        ConnectNode(node, target, this, Mode);
                        i = AddRecordsToNode(records, i, bytes, 2, node);
                        if (FireNodeCopying(node, target == FRoot ? nullptr : target)) {
                            FireNodeCopied(node);
                            ScheduleStructureChange(node, Source == this ? crNodeCopied : crNodeAdded);
                            // The next node follows this one, so the nodes keep their order
                            // (as first children too, where each would go before the last).
                            if (Mode == amInsertAfter || Mode == amAddChildFirst) {
                                target = node;
                                Mode = amInsertAfter;
                            }
                        } else {
                            DeleteNode(node);
                        }
                    }
                    result = true;
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return result;
}
