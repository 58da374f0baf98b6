#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Row and column filter conditions.
class TFilter : public TObject {
public:
    explicit TFilter(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source) {}
    int Count() const { return 0; }

private:
    TExtStringGrid* FOwner;
};
