#pragma once
// The tree's header. What the node model reads of it so far: the main column and the
// sort column with its direction. Columns, painting and mouse handling of the header
// come with the column and header code.
#include "treeview/core/LazyTreeTypes.h"

class TLTHeader : public TObject {
public:
    explicit TLTHeader(TBaseLazyTree* AOwner) : FOwner(AOwner) {}
    TBaseLazyTree* Treeview() const { return FOwner; }
    // True when the header has at least one column.
    bool UseColumns() const { return false; }
    // NoColumnIndex while there is no column.
    TColumnIndex MainColumn() const { return UseColumns() ? FMainColumn : NoColumnIndex; }
    TColumnIndex SortColumn() const { return FSortColumn; }
    void SetSortColumn(TColumnIndex Value) { FSortColumn = Value < NoColumnIndex ? NoColumnIndex : Value; }
    TSortDirection SortDirection() const { return FSortDirection; }
    void SetSortDirection(TSortDirection Value) { FSortDirection = Value; }
    virtual void Assign(const TLTHeader& Source)
    {
        FMainColumn = Source.FMainColumn;
        FSortColumn = Source.FSortColumn;
        FSortDirection = Source.FSortDirection;
    }

private:
    TBaseLazyTree* FOwner;
    TColumnIndex FMainColumn = NoColumnIndex;
    TColumnIndex FSortColumn = NoColumnIndex;
    TSortDirection FSortDirection = sdAscending;
};
