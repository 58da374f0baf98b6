#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Grouping of rows under header rows.
class TGrouping : public TObject {
public:
    explicit TGrouping(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    bool AutoCheckGroup = false;
    bool HeaderUnderline = false;
    TColor HeaderLineColor = clBlack;
    int HeaderLineWidth = 2;
    bool SummaryLine = false;
    TColor SummaryLineColor = clBlack;
    int SummaryLineWidth = 2;
    bool ShowGroupCount = false;
    String GroupCountFormat;

private:
    TExtStringGrid* FOwner;
};
