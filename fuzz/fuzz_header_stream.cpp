// A header stream from anywhere (a saved layout an application reads back): loading it
// either fails with the stream's read error and leaves the header as it was, or gives
// columns whose positions are a permutation and a header that saves to a stream that loads
// back to the same bytes.
#include <cstdlib>

#include "fuzz/FuzzCommon.h"
#include "treeview/LazyStringTree.h"

namespace {

TLazyStringTree* Tree = nullptr;

std::vector<uint8_t> Saved()
{
    TMemoryStream s;
    Tree->Header()->SaveToStream(s);
    return s.Bytes();
}

void CheckColumns()
{
    TLazyTreeColumns* c = Tree->Header()->Columns();
    const auto& p = c->PositionToIndex();
    fuzz::Check(int(p.size()) == c->Count(), "one position per column");
    std::vector<bool> seen(p.size(), false);
    for (std::size_t i = 0; i < p.size(); ++i) {
        fuzz::Check(p[i] >= 0 && p[i] < c->Count() && !seen[std::size_t(p[i])], "positions are a permutation");
        seen[std::size_t(p[i])] = true;
        const TLazyTreeColumn* col = c->Items(p[i]);
        fuzz::Check(col->MinWidth() >= 0 && col->MinWidth() <= col->MaxWidth(), "width limits in order");
    }
    TLTHeader* h = Tree->Header();
    fuzz::Check(h->SortColumn() >= NoColumnIndex && h->SortColumn() < c->Count(), "sort column in range");
    fuzz::Check(h->MainColumn() >= NoColumnIndex && h->MainColumn() < c->Count(), "main column in range");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Tree = new TLazyStringTree(nullptr);
    Tree->SetBounds(0, 0, 300, 200);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Tree->Header()->Columns()->Clear();
    for (int i = 0; i < 2; ++i) Tree->Header()->Columns()->Add()->SetText(i ? "c1" : "c0");
    const std::vector<uint8_t> before = Saved();
    TMemoryStream in(Data, int64_t(Size));
    try {
        Tree->Header()->LoadFromStream(in);
    } catch (const EReadError&) {
        fuzz::Check(Saved() == before, "a refused stream leaves the header as it was");
        return 0;
    }
    CheckColumns();
    const std::vector<uint8_t> once = Saved();
    TMemoryStream again(once.data(), int64_t(once.size()));
    Tree->Header()->LoadFromStream(again);
    fuzz::Check(Saved() == once, "a saved header loads back to the same bytes");
    return 0;
}
