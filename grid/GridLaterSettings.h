#pragma once
// Settings objects the grid creates whose behaviour comes with the grid's painting,
// sorting, filtering, grouping, dragging, footers and balloon hints. Each holds the
// settings the grid reads today; the features that use them fill them in.
#include <functional>
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
    // Back to the colours of creation; the hover and pressed mirror colours reach the
    // grid through their setters, the other gradient colours stay here.
    void Init();
    // The fixed-cell gradient colours also set the grid's own colour of the same role:
    // start, end, hover, pressed and border colours only when not clNone, the mirror
    // colours always.
    void SetFixedGradientFrom(TColor Value);
    void SetFixedGradientTo(TColor Value);
    void SetFixedGradientMirrorFrom(TColor Value);
    void SetFixedGradientMirrorTo(TColor Value);
    void SetFixedGradientHoverFrom(TColor Value);
    void SetFixedGradientHoverTo(TColor Value);
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    void SetFixedGradientHoverMirrorTo(TColor Value);
    void SetFixedGradientHoverBorder(TColor Value);
    void SetFixedGradientDownFrom(TColor Value);
    void SetFixedGradientDownTo(TColor Value);
    void SetFixedGradientDownMirrorFrom(TColor Value);
    void SetFixedGradientDownMirrorTo(TColor Value);
    void SetFixedGradientDownBorder(TColor Value);
    // Any other setting: stored, and the grid repainted.
    template <class T>
    void Set(T& Field, T Value)
    {
        Field = Value;
        Repaint();
    }
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap* v);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap* v);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap* v);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap* v);

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
    void Repaint();
    TExtStringGrid* FOwner;
    std::shared_ptr<TBitmap> FCheckedGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FUnCheckedGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FRadioOnGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FRadioOffGlyph = std::make_shared<TBitmap>();
};

// Sorting settings.
enum TSortDirection { sdAscending, sdDescending };

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
    TColor HeaderMirrorColor = clNone;
    TColor HeaderMirrorColorTo = clNone;
    TSortDirection Direction = sdAscending;
    // The sort moves the cells of the sort column only.
    bool SingleColumn = false;

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
    // Milliseconds before the first step and between the following ones.
    struct TDelays {
        int InitialDelay = 1000;
        int RepeatDelay = 250;
    } Delays;
    // Pixels from each edge inside which a resting drag scrolls.
    struct TMargins {
        int TopMargin = 50;
        int BottomMargin = 50;
        int LeftMargin = 50;
        int RightMargin = 50;
    } Margins;
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

enum TBackgroundDisplay { bdTile, bdFixed, bdCenter, bdStretch, bdGradientHorz, bdGradientVert };
// Which cells show the background picture or gradient.
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// Picture or gradient behind the cells and in the area beyond the last row and column.
class TBackGround : public TObject {
public:
    explicit TBackGround(TExtStringGrid* AOwner);
    ~TBackGround() override;
    // Every setting from another TBackGround (the picture copied); repaints.
    void Assign(const TBackGround* Source);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value);
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetDisplay(TBackgroundDisplay Value);
    void SetCells(TBackGroundCells Value);
    void SetColor(TColor Value);
    void SetColorTo(TColor Value);

    int Left = 0;
    int Top = 0;
    TBackgroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor Color = clWindow;
    TColor ColorTo = clBtnFace;

private:
    void Repaint();
    TExtStringGrid* FOwner;
    std::unique_ptr<TBitmap> FBitmap;
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

// The drop-down of the column filter.
class TFilterDropDown : public TObject {
public:
    void Assign(const TObject* Source) {}
    int Height = 200;
    int Width = 0;
    TNotifyEvent OnChange;   // set by the grid
};
