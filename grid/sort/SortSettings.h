#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Sorting settings.
enum TSortDirection { sdAscending, sdDescending };

class TSortSettings : public TObject {
public:
    explicit TSortSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    int Column = -1;   // the sort column; negative: not sorted
    bool Show = false;
    int Row = 0;
    bool FixedCols = false;
    bool IndexShow = false;
    bool AutoFormat = true;
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderMirrorColor = clNone;
    TColor HeaderMirrorColorTo = clNone;
    TSortDirection Direction = sdAscending;
    // The sort moves the cells of the sort column only.
    bool SingleColumn = false;
    // Grouping sorts the rows by the grouped column first.
    bool AutoSortForGrouping = true;

private:
    TExtStringGrid* FOwner;
};
