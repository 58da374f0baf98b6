#include "grid/dragdrop/DragScrollOptions.h"

void TDragScrollDelays::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TDragScrollDelays*>(Source)) {
        InitialDelay = s->InitialDelay;
        RepeatDelay = s->RepeatDelay;
    }
}

void TDragScrollMargins::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TDragScrollMargins*>(Source)) {
        TopMargin = s->TopMargin;
        BottomMargin = s->BottomMargin;
        LeftMargin = s->LeftMargin;
        RightMargin = s->RightMargin;
    }
}

void TDragScrollOptions::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TDragScrollOptions*>(Source);
    if (!s) return;
    Active = s->Active;
    Delays.Assign(&s->Delays);
    Margins.Assign(&s->Margins);
}
