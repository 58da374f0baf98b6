#pragma once
// What the grid's fuzz targets share: the grid's size and first cells as one text, to
// tell whether a refused input left the grid as it was.
#include <algorithm>
#include <string>

#include "grid/core/ExtGrid.h"

namespace fuzz {

inline std::string Grid_State(TExtStringGrid& G)
{
    std::string s = std::to_string(G.ColCount()) + "x" + std::to_string(G.RowCount()) + "|";
    for (int r = 0; r < std::min(G.RowCount(), 50); ++r)
        for (int c = 0; c < std::min(G.TotalColCount(), 20); ++c) s += G.GetGridCell(c, r) + "|";
    return s;
}

}  // namespace fuzz
