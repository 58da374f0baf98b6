#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// Marks of modified rows in column 0.
class TShowModified : public TObject {
public:
    // Color and Enabled from another TShowModified.
    void Assign(const TShowModified* Source);
    TColor Color() const { return FColor; }
    // Stores the colour and tells OnChange.
    void SetColor(TColor Value);
    bool Enabled = false;
    TNotifyEvent OnChange;   // set by the grid

private:
    TColor FColor = clYellow;
};
