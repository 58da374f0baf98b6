#include "grid/cells/ShowModified.h"

void TShowModified::Assign(const TShowModified* Source)
{
    if (!Source) return;
    FColor = Source->FColor;
    Enabled = Source->Enabled;
}

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange) OnChange(this);
}
