#pragma once
// The grid's filter: a list of conditions, each on one column, joined one after the
// other by its own operation. A row that does not satisfy them is hidden.
#include <memory>
#include <vector>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Which text of a row a condition tests: the display text, the stored text, the display
// text without mini-HTML tags, a formula's result, or every cell of the row.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition's result joins the results before it: foSHORT takes it and ends the
// evaluation when it fails, foNONE takes it, the others combine by and, exclusive or, or.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// A condition is a pattern expression or a literal the text must equal.
enum TFilterMethod { fmExpression, fmLiteral };

class TFilterData : public TObject {
public:
    // Copies everything but Method.
    void Assign(const TFilterData* Source);
    int Column = 0;              // real column
    String Condition;            // empty: every row passes
    bool CaseSensitive = true;   // for expressions
    TFilterCells Data = fcVirtual;
    String Prefix;               // removed from the tested text before matching
    String Suffix;
    TFilterOperation Operation = foSHORT;
    TFilterMethod Method = fmExpression;
};

class TFilter : public TObject {
public:
    explicit TFilter(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    int Count() const { return int(FItems.size()); }
    // Appends an item; its Operation is foNONE when it is the only one, else foAND.
    TFilterData* Add();
    // Appends an item with the item defaults (the index is not used).
    TFilterData* Insert(int Index);
    TFilterData* Items(int Index) const { return FItems.at(size_t(Index)).get(); }
    void SetItem(int Index, const TFilterData* Value) { Items(Index)->Assign(Value); }
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    // The first item of the column; a new one (Add) with that column when there is none.
    TFilterData* GetColFilter(int Col);
    // Deletes every item of the column and repaints its header cell.
    void RemoveColumnFilter(int Col);
    bool HasFilter(int Col) const;
    TExtStringGrid* Grid() const { return FOwner; }

private:
    TExtStringGrid* FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};
