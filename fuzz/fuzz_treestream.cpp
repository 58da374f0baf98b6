// A tree stream from anywhere (a file, the clipboard, another program's drag): loading or
// adding it either fails with the tree's error and leaves the tree as it was, or gives a
// tree whose counts add up and which saves to a stream that loads back to the same bytes.
#include <cstdlib>

#include "fuzz/FuzzCommon.h"
#include "treeview/LazyStringTree.h"

namespace {

TLazyStringTree* Tree = nullptr;

std::vector<uint8_t> Saved()
{
    TMemoryStream s;
    Tree->SaveToStream(s, nullptr);
    return s.Bytes();
}

std::uint32_t Recount(PLazyNode Node)
{
    std::uint32_t n = 1, children = 0;
    for (PLazyNode c = Node->FirstChild; c; c = c->NextSibling, ++children) {
        fuzz::Check(c->Parent == Node && c->Index == children, "links and indices agree");
        n += Recount(c);
    }
    fuzz::Check(children == Node->ChildCount, "ChildCount is the number of children");
    fuzz::Check(n == Node->TotalCount, "TotalCount adds up");
    return n;
}

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
    const std::vector<uint8_t> before = Saved();
    for (bool add : {false, true}) {
        TMemoryStream in(Data, int64_t(Size));
        try {
            if (add)
                Tree->AddFromStream(in, Tree->GetFirstNoInit());
            else
                Tree->LoadFromStream(in);
        } catch (const ELazyTreeError&) {
            fuzz::Check(Saved() == before, "a refused stream leaves the tree as it was");
            continue;
        } catch (const EReadError&) {
            fuzz::Check(Saved() == before, "a short stream leaves the tree as it was");
            continue;
        }
        Recount(Tree->RootNode());
        const std::vector<uint8_t> once = Saved();
        TMemoryStream again(once.data(), int64_t(once.size()));
        Tree->LoadFromStream(again);
        fuzz::Check(Saved() == once, "a saved tree loads back to the same bytes");
        return 0;
    }
    return 0;
}
