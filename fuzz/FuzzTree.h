#pragma once
// What the tree's fuzz targets share: the tree as the bytes it saves, to tell whether a
// refused input left it as it was, and a recount of its links and counts.
#include <cstdint>
#include <vector>

#include "fuzz/FuzzCommon.h"
#include "treeview/LazyStringTree.h"

namespace fuzz {

inline std::vector<uint8_t> Tree_Bytes(TBaseLazyTree& Tree)
{
    TMemoryStream s;
    Tree.SaveToStream(s, nullptr);
    return s.Bytes();
}

// Checks the links, indices and counts below Node; gives the nodes counted.
inline std::uint32_t Recount(PLazyNode Node)
{
    std::uint32_t n = 1, children = 0;
    for (PLazyNode c = Node->FirstChild; c; c = c->NextSibling, ++children) {
        Check(c->Parent == Node && c->Index == children, "links and indices agree");
        n += Recount(c);
    }
    Check(children == Node->ChildCount, "ChildCount is the number of children");
    Check(n == Node->TotalCount, "TotalCount adds up");
    return n;
}

}  // namespace fuzz
