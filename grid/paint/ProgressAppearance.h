#pragma once
// The look of the level progress bars.
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

enum TProgressStyle { psXP, psClassic };

// Look of the level progress bars.
class TGridProgressAppearance : public TObject {
public:
    void Assign(const TObject* Source);
    TColor CompleteColor = clRed, CompleteFontColor = clBlue;
    TColor UnCompleteColor = clNone;   // none: the grid's brush colour
    TColor UnCompleteFontColor = clWindowText;
    TColor Level0Color = 0x00FF00, Level0ColorTo = 0xE1FFE1;
    TColor Level1Color = 0x00FFFF, Level1ColorTo = 0xCAFFFF;
    TColor Level2Color = 0x53A9FF, Level2ColorTo = 0xA8D3FF;
    TColor Level3Color = 0x0000FF, Level3ColorTo = 0xCACAFF;
    int Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TProgressStyle Style = psXP;
    TNotifyEvent OnChange;             // set by the grid
    // Stores a changed value and tells OnChange.
    template <class T>
    void Set(T& Field, T Value)
    {
        if (Field == Value) return;
        Field = Value;
        if (OnChange) OnChange(this);
    }
};
