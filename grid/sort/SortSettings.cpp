#include "grid/sort/SortSettings.h"

void TSortSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}
