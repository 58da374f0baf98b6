#include "grid/group/Grouping.h"

void TGrouping::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TGrouping*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}
