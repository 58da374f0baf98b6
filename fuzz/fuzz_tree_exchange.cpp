// Tree data from the clipboard or dropped by another program: the first byte picks the
// way in (paste, or a drop with its keys), the next eight are the reference block and the
// rest is the tree data block. Whatever arrives, the tree either takes well-formed nodes
// (its counts add up) or stays exactly as it was, and a drop that took nothing answers
// no effect.
#include <cstdlib>

#include "fuzz/FuzzTree.h"
#include "platform/gui/DragDrop.h"
#include "treeview/LazyStringTree.h"

namespace {

TLazyStringTree* Tree = nullptr;
bool Taken = false;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Tree = new TLazyStringTree(nullptr);
    Tree->SetClipboardFormats({"Lazy Tree Data"});
    Tree->OnLoadNode = [](TBaseLazyTree*, PLazyNode, TStream& s) {
        uint8_t buf[16];
        s.Read(buf, sizeof buf);
    };
    Tree->OnDragOver = [](TBaseLazyTree*, TBaseLazyTree*, TShiftState, TDragState, TPoint, TDropMode, int&,
                          bool& Accept) { Accept = true; };
    Tree->OnDragDrop = [](TBaseLazyTree* T, TBaseLazyTree*, const IDataObjectPtr& Data, const TFormatArray&,
                          TShiftState, TPoint, int& Effect, TDropMode Mode) {
        Taken = T->ProcessDrop(Data, T->DropTargetNode(), Effect,
                               Mode == dmAbove ? amInsertBefore : Mode == dmBelow ? amInsertAfter : amAddChildLast);
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 9) return 0;
    const std::string_view in = fuzz::Bytes(Data, Size);
    const unsigned mode = Data[0];
    std::string reference(in.substr(1, 8));
    const std::string block(in.substr(9));
    // Half the inputs name this process, so that a reference may reach a living tree.
    if (mode & 0x80) {
        const std::string here = TreeReferenceBlock(CurrentProcessId(), 0);
        reference.replace(0, 4, here.substr(0, 4));
    }
    // What the readers hand on never reaches past the block nor the limit.
    if (const std::optional<std::string> chunks = ReadTreeDataBlock(block))
        fuzz::Check(chunks->size() + 4 <= block.size() && chunks->size() <= MaxTreeDataBytes, "block bounds");
    fuzz::Check(ReadTreeReference(reference).has_value() == (reference.size() == 8), "reference size");

    Tree->Clear();
    Tree->SetRootNodeCount(2);
    const std::vector<uint8_t> before = fuzz::Tree_Bytes(*Tree);
    TDataPackage p;
    p.Set(LazyTreeDataFormat(), block);
    p.Set(LazyTreeReferenceFormat(), reference);
    if ((mode & 1) == 0) {
        Tree->SetFocusedNode(Tree->GetFirst());
        auto data = std::make_shared<TPackageDataObject>(p);
        bool ok = false;
        try {
            ok = Tree->ProcessOLEData(Tree->SourceTreeOf(data), data, Tree->FocusedNode(),
                                      TLTNodeAttachMode(1 + (mode >> 1) % 4), false);
        } catch (const ELazyTreeError&) {
            fuzz::Check(fuzz::Tree_Bytes(*Tree) == before, "a refused paste leaves the tree as it was");
            return 0;
        }
        if (!ok) fuzz::Check(fuzz::Tree_Bytes(*Tree) == before, "a paste that took nothing leaves the tree as it was");
    } else {
        Taken = false;
        const unsigned keys = (mode & 2) ? MK_SHIFT : 0;
        const int effect = DeliverDrop(Tree->Handle(), p, Tree->ClientToScreen(TPoint(30, 9 + 18 * ((mode >> 2) & 3))),
                                       keys, DROPEFFECT_COPY | DROPEFFECT_MOVE);
        if (!Taken) {
            fuzz::Check(effect == DROPEFFECT_NONE, "a drop that took nothing has no effect");
            fuzz::Check(fuzz::Tree_Bytes(*Tree) == before, "a refused drop leaves the tree as it was");
        }
    }
    fuzz::Recount(Tree->RootNode());
    return 0;
}
