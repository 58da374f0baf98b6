#pragma once
// The string tree: a tree whose cells show text. It stores no text: every text (a normal
// one and an optional static one per cell) is asked of the application through events
// each time it is needed, and a changed text is handed back through an event. On top of
// the base tree it paints texts (shortened with "..." when they do not fit, or laid out
// on several lines for multi-line nodes), measures them for node widths and heights,
// keeps the measured main-column width per node, writes the main-column text into the
// tree stream as the caption chunk, and writes the top-level rows as a CSV file.
#include <functional>
#include <string>

#include "platform/gui/Clipbrd.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/edit/StringEditLink.h"

enum TVSTTextType { ttNormal, ttStatic };
enum TLTExportType { etNone, etRTF, etHTML, etText, etExcel, etWord, etCustom };
// Which nodes an export or a text clipboard format takes.
enum TVSTTextSourceType { tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible, tstChecked };
using TLTTreeExportEvent = std::function<void(TBaseLazyTree* Sender, TLTExportType aExportType)>;
using TLTColumnExportEvent =
    std::function<void(TBaseLazyTree* Sender, TLTExportType aExportType, TLazyTreeColumn* Column)>;
using TLTNodeExportEvent = std::function<bool(TBaseLazyTree* Sender, TLTExportType aExportType, PLazyNode Node)>;
class TLazyTreeExport;

// Both texts of one cell in one call.
struct TVSTGetCellTextEventArgs {
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumnIndex;
    String CellText;
    String StaticText;
    TLTExportType ExportType = etNone;
};

class TCustomLazyStringTree : public TBaseLazyTree {
public:
    explicit TCustomLazyStringTree(TComponent* AOwner);
    TCustomStringTreeOptions* TreeOptions() const { return static_cast<TCustomStringTreeOptions*>(FOptions.get()); }
    const String& DefaultText() const { return FDefaultText; }
    void SetDefaultText(const String& Value);

    // The cell's normal text (DefaultText when no handler supplies one).
    String Text(PLazyNode Node, TColumnIndex Column);
    // Hands a new text to OnNewText and repaints the node; the tree keeps nothing.
    void SetText(PLazyNode Node, TColumnIndex Column, const String& Value);
    String StaticText(PLazyNode Node, TColumnIndex Column);
    // The column's texts from the top level down to Node, each followed by Delimiter.
    String Path(PLazyNode Node, TColumnIndex Column, char Delimiter);
    // Height the cell's text needs (S, or the cell's text when S is empty).
    virtual int ComputeNodeHeight(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, String S = String());
    // Forgets the measured main-column width of a node (all nodes for nil).
    void ResetCachedWidths(PLazyNode Node = nullptr);
    void InvalidateNode(PLazyNode Node) override;
    // Widths measured in the old font or for the old main column are stale.
    void HandleCMFontChanged() override;
    void HandleMainColumnChange() override;
    void ReinitNode(PLazyNode Node, bool Recursive) override;
    void SetChildCount(PLazyNode Node, std::uint32_t NewChildCount) override;
    // The top-level rows, one line each, every cell quoted; false (nothing written) for
    // an empty name.
    bool SaveToCSVFile(const String& FileNameWithPath, bool IncludeHeading);

    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TVSTTextType, String&)> OnGetText;
    std::function<void(TBaseLazyTree*, TVSTGetCellTextEventArgs&)> OnGetCellText;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, TVSTTextType)> OnPaintText;
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, const String&)> OnNewText;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, const String&, int, String&, bool&)>
        OnShortenString;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, const String&, int&)> OnMeasureTextWidth,
        OnMeasureTextHeight;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, const String&, const TRect&, bool&)>
        OnDrawText;

protected:
    TLazyTreeOptionsClass OptionsClass() const override;
    virtual void PaintCellText(TLTPaintInfo& PaintInfo, const String& Text);
    virtual void PaintCellStaticText(TLTPaintInfo& PaintInfo, const String& Text);
    virtual int GetStaticTextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const String& Text);
    virtual int GetNormalTextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const String& Text);
    virtual void FireGetCellText(TVSTGetCellTextEventArgs& E);
    virtual void FireNewText(PLazyNode Node, TColumnIndex Column, const String& NewText);
    virtual void FirePaintText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, TVSTTextType TextType);
    virtual String ShortenCellText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const String& S, int Width,
                                   int EllipsisWidth);
    virtual void DrawCellText(TLTPaintInfo& PaintInfo, const String& Text, TRect CellRect, unsigned DrawFormat);
    virtual TPoint MeasureCellText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const String& Text);

    void PaintNode(TLTPaintInfo& PaintInfo) override;
    bool IsCellEmpty(PLazyNode Node, TColumnIndex Column) override;
    // With toAutoSpanColumns a left-to-right cell runs on over the empty left-to-right
    // columns after it, so a long text is not cut at an empty neighbour.
    void SpanEmptyColumns(TLTPaintInfo& PaintInfo, TColumnIndex& NextNonEmpty) override;
    int GetNodeWidth(PLazyNode Node, TColumnIndex Column) override;
    int GetNodeExtraWidth(PLazyNode Node, TColumnIndex Column);
    void WriteChunks(TStream& Stream, PLazyNode Node) override;
    bool ReadChunk(TStream& Stream, int Version, PLazyNode Node, std::int32_t ChunkType,
                   std::int32_t ChunkSize) override;

    std::int32_t* GetCachedWidth(PLazyNode Node) const;
    // Sets the canvas font, its colour by the node's and tree's state.
    void PrepareTextFont(const TLTPaintInfo& PaintInfo);

    // Offset of the per-node area that holds the node's measured text width.
    std::uint32_t FInternalDataOffset = 0;
    String FDefaultText = "Node";
    // Set when a text handler changed the canvas font, so the measured width is stale.
    bool FFontChanged = false;

    // ---- editing, hints, search by text, re-selection by text (treeview/LazyStringTree_Input.cpp) ----
public:
    // What OnGetImageText supplies for one of the node's images (the node is initialised).
    String ImageText(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column);
    // The cell's hint (the control's Hint unless OnGetHint says otherwise); the tooltip is
    // the cell's text unless OnGetHint decides.
    String GetHintText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle) override;
    String GetTooltipText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle) override;
    // The font, the one-line band of the cell's text (client coordinates) and the text an
    // editor or tooltip of the cell starts from.
    void GetTextInfo(PLazyNode Node, TColumnIndex Column, TFont* AFont, TRect& R, String& Text) override;
    PLazyNode AddChild(PLazyNode Parent, void* UserData = nullptr) override;
    void AddToSelection(PLazyNode Node) override;
    using TBaseLazyTree::AddToSelection;
    void RemoveFromSelection(PLazyNode Node) override;
    // Whether the export (by the options' ExportMode) takes the node.
    bool NodePassesExportFilter(PLazyNode Node);
    // Reader of the older string option set, given as the stored names.
    void ReadOldStringOptions(const std::vector<String>& StoredNames);
    // Height and "..." width of the tree's font, measured when the font changes.
    int TextHeight();
    int EllipsisWidth();
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TLTTooltipLineBreakStyle&, String&)> OnGetHint;
    std::function<void(TBaseLazyTree*, PLazyNode, TLTImageKind, TColumnIndex, String&)> OnGetImageText;

protected:
    ILTEditLinkPtr FireCreateEditor(PLazyNode Node, TColumnIndex Column) override;
    int FireIncrementalSearch(PLazyNode Node, const String& Text) override;
    virtual void FireGetImageText(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, String& Text);
    // The column-0 text that re-selection remembers (empty without OnGetText).
    String SelectionKey(PLazyNode Node);
    void MeasureFontMetrics();
    // Column-0 texts of the selected nodes, compared without case, for toRestoreSelection.
    std::vector<String> FPreviouslySelected;
    bool FHasPreviouslySelected = false;
    int FTextHeight = 0;
    int FEllipsisWidth = 0;

    // ---- content export (treeview/export/) ----
public:
    // The nodes of Source that pass the export filter, as an HTML table (a styled table
    // with a header row when columns are in use).
    String ContentToHTML(TVSTTextSourceType Source, const String& Caption = String());
    // The same as an RTF document (8-bit bytes).
    std::string ContentToRTF(TVSTTextSourceType Source);
    // Every node of Source, one line each, cells joined by Separator and the levels shown
    // by leading separators.
    String ContentToText(TVSTTextSourceType Source, const String& Separator);
    String ContentToText(TVSTTextSourceType Source, char Separator);
    String ContentToUnicode(TVSTTextSourceType Source, char Separator);
    // The block a clipboard format carries (text, Unicode text, CSV, RTF, HTML), ending
    // with its zero character; empty for a format the tree does not render.
    std::string ContentToClipboard(TClipFormat Format, TVSTTextSourceType Source);
    // Fires only the export events, so the application writes a format of its own.
    void ContentToCustom(TVSTTextSourceType Source);
    // The lines of the CSV file (without line ends, in UTF-8).
    std::vector<String> AddCSVLines(bool IncludeHeading);
    // The first node of a text source and the step to the next one.
    PLazyNode StartTextSource(TVSTTextSourceType Source, std::function<PLazyNode(PLazyNode)>& GetNextNode);

    TLTTreeExportEvent OnBeforeTreeExport, OnAfterTreeExport, OnBeforeHeaderExport, OnAfterHeaderExport;
    TLTColumnExportEvent OnBeforeColumnExport, OnColumnExport, OnAfterColumnExport;
    TLTNodeExportEvent OnBeforeNodeExport, OnNodeExport, OnAfterNodeExport;

protected:
    friend class TLazyTreeExport;
    virtual void FireBeforeTreeExport(TLTExportType ExportType);
    virtual void FireAfterTreeExport(TLTExportType ExportType);
    virtual void FireBeforeHeaderExport(TLTExportType ExportType);
    virtual void FireAfterHeaderExport(TLTExportType ExportType);
    virtual void FireBeforeColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column);
    virtual void FireColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column);
    virtual void FireAfterColumnExport(TLTExportType ExportType, TLazyTreeColumn* Column);
    virtual bool FireBeforeNodeExport(TLTExportType ExportType, PLazyNode Node);
    virtual bool FireNodeExport(TLTExportType ExportType, PLazyNode Node);
    virtual bool FireAfterNodeExport(TLTExportType ExportType, PLazyNode Node);

    // ---- the text formats of data objects (treeview/transfer/) ----
public:
    // The tree's own formats first; the text formats (text, Unicode text, CSV, RTF, HTML)
    // of the cut/copy set or the selection when those fail.
    HRESULT RenderDataFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard) override;
};

class TLazyStringTree : public TCustomLazyStringTree {
public:
    explicit TLazyStringTree(TComponent* AOwner);
    TStringTreeOptions* TreeOptions() const { return static_cast<TStringTreeOptions*>(FOptions.get()); }

protected:
    TLazyTreeOptionsClass OptionsClass() const override;
};

// The longest prefix of S that, followed by "...", fits Width on Canvas; S itself when it
// fits; empty when not even "..." fits or S or Width is empty. EllipsisWidth 0: measured.
String ShortenString(TCanvas* Canvas, const String& S, int Width, int EllipsisWidth = 0);
