#pragma once
#include <functional>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// What the footer strip shows: the grid's last row (with the column calculations), a
// preview of a cell of the current row, a template, or what the application paints.
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;

// The footer row with column calculations that floats under the cells.
class TFloatingFooter : public TObject {
public:
    explicit TFloatingFooter(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    bool Visible = false;
    // Shows or hides the footer; shown with the last-row style, the grid's last row is
    // its footer row (FixedFooters 1), else the grid has none.
    void SetVisible(bool Value);
    TFooterStyle FooterStyle = fsFixedLastRow;
    // Changes what the strip shows; the grid paints its last row again unless the strip
    // shows it (the footer row count stays until Visible is set again).
    void SetFooterStyle(TFooterStyle Value);
    // The strip's height (the panel is one pixel lower); 0 takes the height of the
    // grid's last row.
    int Height = 0;
    void SetHeight(int Value);
    TColor Color = clBtnFace;
    void SetColor(TColor Value);
    // A line along the strip's top; clNone for none.
    TColor BorderColor = clNone;
    void SetBorderColor(TColor Value);
    // The column of the current row a column preview shows (given to OnFooterPaint).
    int Column = 0;
    void SetColumn(int Value);
    // The custom preview: each "<#n>" becomes the text of column n of the current row.
    String CustomTemplate;
    void SetCustomTemplate(const String& Value);
    bool ShowHint = false;
    void SetShowHint(bool Value);
    // Repaints the strip.
    void Invalidate();
    // The custom template filled from display row ARow.
    String FillTemplate(int ARow) const;
    // Hidden rows count in the footer values.
    bool CalculateHiddenRows = true;
    bool EnableCalculation = true;
    // The value of a footer cell of the custom kind when the grid has no OnFooterCalc.
    TCalcFooterEvent OnCalcFooter;
    // The calculation of real column ACol, kept with the footer cell (the grid's last
    // row); setting it recalculates that column's footer.
    void SetColumnCalc(int ACol, TColumnCalcType calc);
    TColumnCalcType ColumnCalc(int ACol) const;

private:
    TExtStringGrid* FOwner;
};
