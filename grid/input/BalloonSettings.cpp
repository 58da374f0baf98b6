#include "grid/input/BalloonSettings.h"

void TBalloonSettings::SetEnable(bool v)
{
    if (v == FEnable) return;
    FEnable = v;
    if (OnEnableChange) OnEnableChange(this);
}
