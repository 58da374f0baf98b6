#pragma once
// Settings objects of the grid for node cells, sizing while typing, column sizing,
// HTML export and printing. The grid creates, copies and frees them.
#include <memory>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Printers.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;
class TIntList;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// Look of node (expand / contract) cells.
class TCellNode : public TObject {
public:
    explicit TCellNode(TExtStringGrid* AOwner);
    ~TCellNode() override;
    // From another TCellNode: every setting as a plain copy (no repaint).
    void Assign(const TObject* Source);

    TColor Color = clSilver;
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    TColor NodeColor = clBlack;
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(const TBitmap* v) { FExpandGlyph->Assign(v); }
    bool ExpandOne = false;
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(const TBitmap* v) { FContractGlyph->Assign(v); }
    TExtStringGrid* Owner() const { return FOwner; }
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool v);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int v);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor v);

private:
    void Repaint();
    TNodeType FNodeType = cnXP;
    std::unique_ptr<TBitmap> FExpandGlyph;
    std::unique_ptr<TBitmap> FContractGlyph;
    TExtStringGrid* FOwner;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    int FNodeIndent = 12;
    TColor FTreeColor = clGray;
};

// The in-place editor grows the row height or the column width while the user types.
class TSizeWhileTyping : public TObject {
public:
    bool Height = false;
    bool Width = false;
};

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

// Column sizing and the store of column widths.
class TColumnSize : public TObject {
public:
    explicit TColumnSize(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    // From another TColumnSize: plain copies (no re-stretching).
    void Assign(const TObject* Source);

    TExtStringGrid* Owner() const { return FOwner; }
    bool Save = false;
    String Key;
    String Section;
    bool Stretch() const { return FStretch; }
    // Stretches at once when the grid is placed on a parent.
    void SetStretch(bool v);
    int StretchColumn = -1;   // -1: the last column
    bool SynchWithGrid = false;
    bool SynchNormalCellsOnly = false;
    TColumnSizeLocation Location = clRegistry;
    TAutoSizeRows Rows = arAll;

private:
    TExtStringGrid* FOwner;
    bool FStretch = false;
};

// HTML export settings.
class THTMLSettings : public TObject {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    // From another THTMLSettings; ExportImages and ColWidths stay as they are.
    void Assign(const TObject* Source);

    bool AutoPreview = false;
    bool ConvertSpecialChars = false;
    bool NonBreakingText = false;
    bool SaveColor = true;
    bool SaveFonts = true;
    String FooterFile;
    String HeaderFile;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    String TableStyle;
    String PrefixTag;
    String SuffixTag;
    String Summary;
    int Width = 100;
    TIntList* ColWidths() const { return FColWidths.get(); }
    bool XHTML = false;
    bool ExportImages = true;

private:
    std::unique_ptr<TIntList> FColWidths;
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
                     pbAroundHorizontal, pbCustom };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// Print settings.
class TPrintSettings : public TObject {
public:
    explicit TPrintSettings(TExtStringGrid* AOwner);
    ~TPrintSettings() override;
    // From another TPrintSettings only (EInvalidCast otherwise): every setting, fonts and
    // title lines as copies; not the owner and not FixedCellsAlways.
    void Assign(const TObject* Source);

    TExtStringGrid* Owner() const { return FOwner; }
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    String PageNumSep = "/";
    String DateFormat = "dd/mm/yyyy";
    TPrintPosition Title = ppNone;
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* v) { FFont.Assign(*v); }
    TFont* HeaderFont() { return &FHeaderFont; }
    void SetHeaderFont(const TFont* v) { FHeaderFont.Assign(*v); }
    TFont* FooterFont() { return &FFooterFont; }
    void SetFooterFont(const TFont* v) { FFooterFont.Assign(*v); }
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    String TitleText;
    TStringList* TitleLines() { return &FTitleLines; }
    void SetTitleLines(const TStringList* v) { FTitleLines.Assign(*v); }
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int FooterSize = 0, HeaderSize = 0, LeftSize = 0, RightSize = 0;
    int ColumnSpacing = 0, RowSpacing = 0, TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    String PagePrefix, PageSuffix;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    int FixedWidth = 0;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    bool NoAutoSize = false;
    bool PrintGraphics = false;
    String JobName;
    bool NoAutoSizeRow = false;
    int PageNumberOffset = 0, MaxPagesOffset = 0;
    TFont* FixedFont() { return &FFixedFont; }
    void SetFixedFont(const TFont* v) { FFixedFont.Assign(*v); }
    bool UseDisplayFont = true;
    bool UseDefaultOrientation = false;
    bool FixedCellsAlways = false;
    TColor BorderColor = clBlack;

private:
    TExtStringGrid* FOwner;
    TFont FFont, FHeaderFont, FFooterFont, FFixedFont;
    TStringList FTitleLines;
};
