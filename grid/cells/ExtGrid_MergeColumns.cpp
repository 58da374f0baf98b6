// Columns whose equal neighbouring cells show as one merged cell: splitting them again
// and merging the runs of equal texts, the first listed column on its own and the
// further ones only inside the first one's blocks.
#include "grid/core/ExtGrid.h"

void TExtStringGrid::SplitColumnCells(int ColIndex)
{
    if (ColIndex < 0 || ColIndex >= TotalColCount() || MergeCount() == 0) return;
    for (int r = 0; r < RowCount(); ++r)
        if (IsYMergedCell(ColIndex, r)) {
            const TPoint b = BaseCell(ColIndex, r);
            SplitCells(b.X, b.Y);
        }
}

void TExtStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    if (ColIndex < 0 || ColIndex >= TotalColCount()) return;
    const int first = FixedRows(), last = RowCount() - 1 - FixedFooters;
    if (last <= first) return;
    int start = first, length = 1;
    String previous = GetCellEx(ColIndex, first);
    auto close = [&] {
        if (length >= 2) MergeCells(ColIndex, start, 1, length);
    };
    for (int r = first + 1; r <= last; ++r) {
        String text = GetCellEx(ColIndex, r);
        if (text == previous && (MainMerge || RowSpanIdentical(r - 1, r))) {
            ++length;
        } else {
            close();
            start = r;
            length = 1;
        }
        previous = std::move(text);
    }
    close();
}
