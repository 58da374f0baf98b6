// Node, sizing, HTML and print settings of the grid.
#include "grid/core/GridSettings.h"

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

// ---------------------------------------------------------------- TCellNode

TCellNode::TCellNode(TExtStringGrid* AOwner)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FOwner(AOwner)
{
}

TCellNode::~TCellNode() = default;

void TCellNode::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType v)
{
    if (v == FNodeType) return;
    FNodeType = v;
    Repaint();
}

void TCellNode::SetShowTree(bool v)
{
    if (v == FShowTree) return;
    FShowTree = v;
    Repaint();
}

void TCellNode::SetShowTreeFull(bool v)
{
    if (v == FShowTreeFull) return;
    FShowTreeFull = v;
    Repaint();
}

void TCellNode::SetNodeIndent(int v)
{
    if (v == FNodeIndent) return;
    FNodeIndent = v;
    Repaint();
}

void TCellNode::SetTreeColor(TColor v)
{
    if (v == FTreeColor) return;
    FTreeColor = v;
    Repaint();
}

void TCellNode::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TCellNode*>(Source);
    if (!s) return;
    Color = s->Color;
    ExpandOne = s->ExpandOne;
    FNodeType = s->FNodeType;
    NodeColor = s->NodeColor;
    FNodeIndent = s->FNodeIndent;
    FExpandGlyph->Assign(s->FExpandGlyph.get());
    FContractGlyph->Assign(s->FContractGlyph.get());
    FShowTree = s->FShowTree;
    FShowTreeFull = s->FShowTreeFull;
    FTreeColor = s->FTreeColor;
}

// ---------------------------------------------------------------- TColumnSize

void TColumnSize::SetStretch(bool v)
{
    FStretch = v;
    if (FOwner && FOwner->Parent()) FOwner->ApplyColumnStretch(StretchColumn);
}

void TColumnSize::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TColumnSize*>(Source);
    if (!s) return;
    Rows = s->Rows;
    Save = s->Save;
    Key = s->Key;
    Section = s->Section;
    FStretch = s->FStretch;
    StretchColumn = s->StretchColumn;
    SynchWithGrid = s->SynchWithGrid;
    SynchNormalCellsOnly = s->SynchNormalCellsOnly;
    Location = s->Location;
}

// ---------------------------------------------------------------- THTMLSettings

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const THTMLSettings*>(Source);
    if (!s) return;
    BorderSize = s->BorderSize;
    CellSpacing = s->CellSpacing;
    CellPadding = s->CellPadding;
    SaveColor = s->SaveColor;
    SaveFonts = s->SaveFonts;
    FooterFile = s->FooterFile;
    HeaderFile = s->HeaderFile;
    TableStyle = s->TableStyle;
    PrefixTag = s->PrefixTag;
    SuffixTag = s->SuffixTag;
    Summary = s->Summary;
    Width = s->Width;
    XHTML = s->XHTML;
    ConvertSpecialChars = s->ConvertSpecialChars;
    AutoPreview = s->AutoPreview;
    NonBreakingText = s->NonBreakingText;
}

// ---------------------------------------------------------------- TPrintSettings

TPrintSettings::TPrintSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TPrintSettings*>(Source);
    if (!s) throw EInvalidCast("Invalid class typecast");
    Time = s->Time;
    Date = s->Date;
    PageNr = s->PageNr;
    PageNumSep = s->PageNumSep;
    DateFormat = s->DateFormat;
    Title = s->Title;
    FFont.Assign(s->FFont);
    FHeaderFont.Assign(s->FHeaderFont);
    FFooterFont.Assign(s->FFooterFont);
    Borders = s->Borders;
    BorderStyle = s->BorderStyle;
    TitleText = s->TitleText;
    FTitleLines.Assign(s->FTitleLines);
    Centered = s->Centered;
    RepeatFixedRows = s->RepeatFixedRows;
    RepeatFixedCols = s->RepeatFixedCols;
    FooterSize = s->FooterSize;
    HeaderSize = s->HeaderSize;
    LeftSize = s->LeftSize;
    RightSize = s->RightSize;
    ColumnSpacing = s->ColumnSpacing;
    RowSpacing = s->RowSpacing;
    TitleSpacing = s->TitleSpacing;
    Orientation = s->Orientation;
    PagePrefix = s->PagePrefix;
    PageSuffix = s->PageSuffix;
    FixedHeight = s->FixedHeight;
    UseFixedHeight = s->UseFixedHeight;
    FixedWidth = s->FixedWidth;
    UseFixedWidth = s->UseFixedWidth;
    FitToPage = s->FitToPage;
    NoAutoSize = s->NoAutoSize;
    PrintGraphics = s->PrintGraphics;
    JobName = s->JobName;
    NoAutoSizeRow = s->NoAutoSizeRow;
    PageNumberOffset = s->PageNumberOffset;
    MaxPagesOffset = s->MaxPagesOffset;
    FFixedFont.Assign(s->FFixedFont);
    UseDisplayFont = s->UseDisplayFont;
    UseDefaultOrientation = s->UseDefaultOrientation;
    BorderColor = s->BorderColor;
}
