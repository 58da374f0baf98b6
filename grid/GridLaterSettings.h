#pragma once
// Settings objects the grid creates whose behaviour comes with the grid's painting,
// sorting, filtering, grouping, dragging, footers and balloon hints. Each holds the
// settings the grid reads today; the features that use them fill them in.
#include <memory>
#include <vector>

#include "grid/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Look of the controls inside cells and of the fixed-cell gradients.
class TControlLook : public TObject {
public:
    explicit TControlLook(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    TExtStringGrid* Owner() const { return FOwner; }

    TControlStyle ControlStyle = csTheme;
    int CheckSize = 15;
    int RadioSize = 10;
    TColor Color = clBlack;
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    bool NoDisabledCheckRadioLook = false;
    bool NoDisabledButtonLook = false;
    bool FlatButton = false;
    bool DropDownAlwaysVisible = false;
    bool SpinButtonsAlwaysVisible = false;
    int DropDownCount = 8;
    TColor CommentColor = clRed;
    TColor ProgressBorderColor = clGray;
    int ProgressMarginX = 2;
    int ProgressMarginY = 2;
    bool ProgressXP = false;
    bool FixedDropDownButton = false;
    int HintMaxWidth = 0;
    TColor FixedGradientFrom = clNone, FixedGradientTo = clNone;
    TColor FixedGradientMirrorFrom = clNone, FixedGradientMirrorTo = clNone;
    TColor FixedGradientHoverFrom = clGray, FixedGradientHoverTo = clWhite;
    TColor FixedGradientHoverMirrorFrom = clNone, FixedGradientHoverMirrorTo = clNone;
    TColor FixedGradientHoverBorder = clSilver;
    TColor FixedGradientDownFrom = clGray, FixedGradientDownTo = clSilver;
    TColor FixedGradientDownMirrorFrom = clNone, FixedGradientDownMirrorTo = clNone;
    TColor FixedGradientDownBorder = clGray;

private:
    TExtStringGrid* FOwner;
};

// Sorting settings.
class TSortSettings : public TObject {
public:
    explicit TSortSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    int Column = -1;   // the sort column; negative: not sorted
    bool Show = false;
    int Row = 0;
    bool FixedCols = false;
    bool IndexShow = false;
    bool AutoFormat = true;
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;

private:
    TExtStringGrid* FOwner;
};

// Drag and drop of cells, rows and text.
class TDragDropSettings : public TObject {
public:
    explicit TDragDropSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    bool OleDropSource = false;
    bool OleDropTarget = false;
    bool OleAcceptText = true;
    bool OleAcceptFiles = true;
    bool OleAcceptURLs = true;

private:
    TExtStringGrid* FOwner;
};

// Scrolling while something is dragged near the grid's edges.
class TDragScrollOptions : public TObject {
public:
    void Assign(const TObject* Source);
    bool Active = false;
    int Delays = 200;
    int Area = 20;
};

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

// The footer row with column calculations that floats under the cells.
class TFloatingFooter : public TObject {
public:
    explicit TFloatingFooter(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    bool Visible = false;
    void SetColumnCalc(int ACol, TColumnCalcType calc);
    TColumnCalcType ColumnCalc(int ACol) const;

private:
    TExtStringGrid* FOwner;
    std::vector<TColumnCalcType> FCalcs;
};

enum TBackgroundDisplay { bdTile, bdFixed, bdCenter, bdStretch, bdGradientHorz, bdGradientVert };

// Picture or gradient behind the cells.
class TBackGround : public TObject {
public:
    explicit TBackGround(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    TBackgroundDisplay Display = bdTile;
    TColor Color = clWhite;
    TColor ColorTo = clNone;

private:
    TExtStringGrid* FOwner;
};

// Row and column filter conditions.
class TFilter : public TObject {
public:
    explicit TFilter(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source) {}
    int Count() const { return 0; }

private:
    TExtStringGrid* FOwner;
};

// Balloon hints of the grid.
class TBalloonSettings : public TObject {
public:
    bool Enable() const { return FEnable; }
    void SetEnable(bool v);
    TNotifyEvent OnEnableChange;   // set by the grid

private:
    bool FEnable = false;
};

// Marks of modified rows in column 0.
class TShowModified : public TObject {
public:
    bool Enabled = false;
    TColor Color = clRed;
    TNotifyEvent OnChange;   // set by the grid
};

// Look of the level progress bars.
class TGridProgressAppearance : public TObject {
public:
    void Assign(const TObject* Source);
    TColor Level0Color = 0x00C000, Level0ColorTo = clNone;
    TColor Level1Color = clYellow, Level1ColorTo = clNone;
    TColor Level2Color = 0x0080FF, Level2ColorTo = clNone;
    TColor Level3Color = clRed, Level3ColorTo = clNone;
    int Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor CompleteFontColor = clBlack;
    TColor UnCompleteColor = clNone;   // none: the grid's brush colour
    TNotifyEvent OnChange;             // set by the grid
};

// The drop-down of the column filter.
class TFilterDropDown : public TObject {
public:
    void Assign(const TObject* Source) {}
    int Height = 200;
    int Width = 0;
    TNotifyEvent OnChange;   // set by the grid
};
