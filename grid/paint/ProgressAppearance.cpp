#include "grid/paint/ProgressAppearance.h"

void TGridProgressAppearance::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!s || s == this) return;
    TNotifyEvent change = OnChange;
    *this = *s;
    OnChange = change;
}
