#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// Balloon hints of the grid.
class TBalloonSettings : public TObject {
public:
    bool Enable() const { return FEnable; }
    void SetEnable(bool v);
    TNotifyEvent OnEnableChange;   // set by the grid
    // Copies the colours, the delays and Enable (not Transparency) of another TBalloonSettings.
    void Assign(const TObject* Source);
    // Delays in ms; -1 leaves the system's value.
    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    // clNone leaves the system's colour.
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    // 0 opaque; otherwise the balloon's alpha is 255 - Transparency.
    unsigned char Transparency = 0;
    // The balloon window has been set up.
    bool FInit = false;

private:
    bool FEnable = false;
};
