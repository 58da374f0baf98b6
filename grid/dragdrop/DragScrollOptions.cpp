#include "grid/dragdrop/DragScrollOptions.h"

void TDragScrollOptions::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TDragScrollOptions*>(Source)) *this = *s;
}
