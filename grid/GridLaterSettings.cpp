// Copying of the settings objects whose features come with later parts of the grid.
#include "grid/GridLaterSettings.h"

#include <algorithm>

void TSortSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}

void TDragDropSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TDragDropSettings*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}

void TDragScrollOptions::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TDragScrollOptions*>(Source)) *this = *s;
}

void TGrouping::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TGrouping*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* owner = FOwner;
    *this = *s;
    FOwner = owner;
}

void TFloatingFooter::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TFloatingFooter*>(Source)) {
        Visible = s->Visible;
        FooterStyle = s->FooterStyle;
        CalculateHiddenRows = s->CalculateHiddenRows;
    }
}

void TBalloonSettings::SetEnable(bool v)
{
    if (v == FEnable) return;
    FEnable = v;
    if (OnEnableChange) OnEnableChange(this);
}

void TGridProgressAppearance::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!s || s == this) return;
    TNotifyEvent change = OnChange;
    *this = *s;
    OnChange = change;
}
