#pragma once
#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Grouping of rows under header rows: the look of header and summary rows and what a
// header shows. Colours of clNone are not applied.
class TGrouping : public TObject {
public:
    explicit TGrouping(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    // From another TGrouping: the header and summary colours, the switches and the count
    // format; not the line colours and widths and not Summary.
    void Assign(const TObject* Source);
    bool AutoCheckGroup = false;
    bool AutoSelectGroup = false;
    // A header row spans the data columns as one cell.
    bool MergeHeader = false;
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool HeaderUnderline = false;
    TColor HeaderLineColor = 0xFF0000;
    int HeaderLineWidth = 2;
    // A summary row follows each group.
    bool Summary = false;
    bool MergeSummary = false;
    TColor SummaryColor = clNone;
    TColor SummaryColorTo = clNone;
    TColor SummaryTextColor = clNone;
    bool SummaryLine = false;
    TColor SummaryLineColor = 0xFF0000;
    int SummaryLineWidth = 2;
    // A header shows the number of its data rows after its text: " (n)" or by the format.
    bool ShowGroupCount = false;
    String GroupCountFormat;

private:
    TExtStringGrid* FOwner;
};
