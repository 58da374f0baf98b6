// A tree stream from anywhere (a file, the clipboard, another program's drag): loading or
// adding it either fails with the tree's error and leaves the tree as it was, or gives a
// tree whose counts add up and which saves to a stream that loads back to the same bytes.
#include <cstdlib>

#include "fuzz/FuzzTree.h"
#include "treeview/LazyStringTree.h"

namespace {

TLazyStringTree* Tree = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Tree = new TLazyStringTree(nullptr);
    // User data comes back through its handler, which may read any amount.
    Tree->OnLoadNode = [](TBaseLazyTree*, PLazyNode, TStream& s) {
        uint8_t buf[16];
        s.Read(buf, sizeof buf);
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Tree->Clear();
    Tree->SetRootNodeCount(2);
    const std::vector<uint8_t> before = fuzz::Tree_Bytes(*Tree);
    for (bool add : {false, true}) {
        TMemoryStream in(Data, int64_t(Size));
        try {
            if (add)
                Tree->AddFromStream(in, Tree->GetFirstNoInit());
            else
                Tree->LoadFromStream(in);
        } catch (const ELazyTreeError&) {
            fuzz::Check(fuzz::Tree_Bytes(*Tree) == before, "a refused stream leaves the tree as it was");
            continue;
        } catch (const EReadError&) {
            fuzz::Check(fuzz::Tree_Bytes(*Tree) == before, "a short stream leaves the tree as it was");
            continue;
        }
        fuzz::Recount(Tree->RootNode());
        const std::vector<uint8_t> once = fuzz::Tree_Bytes(*Tree);
        TMemoryStream again(once.data(), int64_t(once.size()));
        Tree->LoadFromStream(again);
        fuzz::Check(fuzz::Tree_Bytes(*Tree) == once, "a saved tree loads back to the same bytes");
        return 0;
    }
    return 0;
}
