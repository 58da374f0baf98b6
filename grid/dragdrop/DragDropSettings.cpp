#include "grid/dragdrop/DragDropSettings.h"

void TDragDropSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TDragDropSettings*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}
