#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// The drop-down of the column filter.
class TFilterDropDown : public TObject {
public:
    void Assign(const TObject* Source) {}
    int Height = 200;
    int Width = 0;
    TNotifyEvent OnChange;   // set by the grid
};
