#include "treeview/LazyStringTree.h"

#include <climits>
#include <fstream>
#include <vector>

#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"

namespace {
TCustomLazyTreeOptions* MakeCustomStringOptions(TBaseLazyTree* Owner) { return new TCustomStringTreeOptions(Owner); }
TCustomLazyTreeOptions* MakeStringOptions(TBaseLazyTree* Owner) { return new TStringTreeOptions(Owner); }

// The tree stream's chunk that carries a node's main-column text.
constexpr std::int32_t CaptionChunk = 3;

void WriteI32(TStream& Stream, std::int32_t Value)
{
    std::uint8_t b[4];
    for (int k = 0; k < 4; ++k) b[k] = std::uint8_t(std::uint32_t(Value) >> (8 * k));
    Stream.WriteBuffer(b, 4);
}

unsigned AlignmentFlag(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

String CsvQuoted(const String& S)
{
    String r = "\"";
    for (char c : S) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}
}   // namespace

String ShortenString(TCanvas* Canvas, const String& S, int Width, int EllipsisWidth)
{
    if (S.empty() || Width <= 0) return String();
    if (Canvas->TextWidth(S) <= Width) return S;
    if (EllipsisWidth <= 0) EllipsisWidth = Canvas->TextWidth("...");
    if (EllipsisWidth > Width) return String();
    // Cut only between characters: a prefix never ends inside a multi-byte sequence.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= S.size(); ++i)
        if (i == S.size() || (std::uint8_t(S[i]) & 0xC0) != 0x80) ends.push_back(i);
    // Longest count of characters whose width plus the ellipsis fits.
    int lo = 0, hi = int(ends.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (Canvas->TextWidth(S.substr(0, ends[std::size_t(mid - 1)])) + EllipsisWidth <= Width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return (lo > 0 ? S.substr(0, ends[std::size_t(lo - 1)]) : String()) + "...";
}

TCustomLazyStringTree::TCustomLazyStringTree(TComponent* AOwner) : TBaseLazyTree(AOwner)
{
    FInternalDataOffset = ReserveInternalData(sizeof(std::int32_t));
    RecreateOptions();
}

TLazyTreeOptionsClass TCustomLazyStringTree::OptionsClass() const { return &MakeCustomStringOptions; }

void TCustomLazyStringTree::SetDefaultText(const String& Value)
{
    if (Value == FDefaultText) return;
    FDefaultText = Value;
    if (!FLoading) Invalidate();
}

std::int32_t* TCustomLazyStringTree::GetCachedWidth(PLazyNode Node) const
{
    return static_cast<std::int32_t*>(InternalData(Node, FInternalDataOffset));
}

// ---- texts ----

void TCustomLazyStringTree::FireGetCellText(TVSTGetCellTextEventArgs& E)
{
    if (E.Node && !E.Node->States.Contains(vsInitialized)) InitializeNode(E.Node);
    if (OnGetCellText) {
        OnGetCellText(this, E);
    } else if (OnGetText) {
        OnGetText(this, E.Node, E.Column, ttNormal, E.CellText);
        OnGetText(this, E.Node, E.Column, ttStatic, E.StaticText);
    }
}

String TCustomLazyStringTree::Text(PLazyNode Node, TColumnIndex Column)
{
    if (!Node) RaiseTreeError("Node must not be nil.");
    TVSTGetCellTextEventArgs e;
    e.Node = Node;
    e.Column = Column;
    e.CellText = FDefaultText;
    FireGetCellText(e);
    return e.CellText;
}

String TCustomLazyStringTree::StaticText(PLazyNode Node, TColumnIndex Column)
{
    if (!Node) RaiseTreeError("Node must not be nil.");
    TVSTGetCellTextEventArgs e;
    e.Node = Node;
    e.Column = Column;
    FireGetCellText(e);
    return e.StaticText;
}

void TCustomLazyStringTree::SetText(PLazyNode Node, TColumnIndex Column, const String& Value)
{
    FireNewText(Node, Column, Value);
    InvalidateNode(Node);
}

void TCustomLazyStringTree::FireNewText(PLazyNode Node, TColumnIndex Column, const String& NewText)
{
    if (OnNewText) OnNewText(this, Node, Column, NewText);
    if (FUpdateCount == 0) UpdateHorizontalScrollBar(true);
}

void TCustomLazyStringTree::FirePaintText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                          TVSTTextType TextType)
{
    if (!OnPaintText) return;
    TFont before;
    before.Assign(*Canvas->Font());
    OnPaintText(this, Canvas, Node, Column, TextType);
    if (!before.SameAs(*Canvas->Font())) FFontChanged = true;
}

String TCustomLazyStringTree::Path(PLazyNode Node, TColumnIndex Column, char Delimiter)
{
    String result(1, Delimiter);
    if (!Node || Node == FRoot) return result;
    result.clear();
    for (PLazyNode run = Node; run && run != FRoot; run = run->Parent)
        result = Text(run, Column) + Delimiter + result;
    return result;
}

bool TCustomLazyStringTree::IsCellEmpty(PLazyNode Node, TColumnIndex Column)
{
    return Text(Node, Column).empty() && TBaseLazyTree::IsCellEmpty(Node, Column);
}

void TCustomLazyStringTree::SpanEmptyColumns(TLTPaintInfo& PaintInfo, TColumnIndex& NextNonEmpty)
{
    TLazyTreeColumns* columns = FHeader->Columns();
    if (!FOptions->AutoOptions().Contains(toAutoSpanColumns) || !FHeader->UseColumns() ||
        PaintInfo.BidiMode != bdLeftToRight) {
        TBaseLazyTree::SpanEmptyColumns(PaintInfo, NextNonEmpty);
        return;
    }
    NextNonEmpty = columns->GetNextVisibleColumn(PaintInfo.Column);
    while (NextNonEmpty >= 0 && IsCellEmpty(PaintInfo.Node, NextNonEmpty) &&
           columns->Items(NextNonEmpty)->BiDiMode() == bdLeftToRight) {
        PaintInfo.CellRect.Right += columns->Items(NextNonEmpty)->Width();
        NextNonEmpty = columns->GetNextVisibleColumn(NextNonEmpty);
    }
}

// ---- measuring ----

TPoint TCustomLazyStringTree::MeasureCellText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                              const String& Text)
{
    TPoint size = Canvas->TextExtent(Text);
    if (Node && Node->States.Contains(vsMultiline)) {
        TRect r(0, 0, size.X, INT_MAX);
        Canvas->DrawText(Text, r,
                         DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS | AlignmentFlag(FAlignment));
        size.X = r.Width();
    }
    if (OnMeasureTextWidth) OnMeasureTextWidth(this, Canvas, Node, Column, Text, size.X);
    if (OnMeasureTextHeight) OnMeasureTextHeight(this, Canvas, Node, Column, Text, size.Y);
    return size;
}

int TCustomLazyStringTree::GetNormalTextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                              const String& Text)
{
    int result = 2 * FTextMargin;
    if (!Text.empty()) {
        Canvas->Font()->Assign(*Font());
        FirePaintText(Canvas, Node, Column, ttNormal);
        result += MeasureCellText(Canvas, Node, Column, Text).X;
    }
    return result;
}

int TCustomLazyStringTree::GetStaticTextWidth(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                              const String& Text)
{
    if (Text.empty() || FAlignment == taCenter || (Node && Node->States.Contains(vsMultiline))) return 0;
    Canvas->Font()->Assign(*Font());
    FirePaintText(Canvas, Node, Column, ttStatic);
    return MeasureCellText(Canvas, Node, Column, Text).X + FTextMargin;
}

int TCustomLazyStringTree::GetNodeWidth(PLazyNode Node, TColumnIndex Column)
{
    if (!Node || Node == FRoot) return 0;
    if (Node->States.Contains(vsMultiline) && Column >= 0 && Column < FHeader->Columns()->Count())
        return FHeader->Columns()->Items(Column)->Width();
    const TColumnIndex main = FHeader->MainColumn();
    if (Column == NoColumnIndex) Column = main;
    TCanvas* canvas = Canvas();
    const int saved = canvas->SaveState();
    int width = 0;
    if (Column == main) {
        std::int32_t* cached = GetCachedWidth(Node);
        if (*cached == 0) *cached = GetNormalTextWidth(canvas, Node, Column, Text(Node, Column));
        width = *cached;
    } else {
        width = GetNormalTextWidth(canvas, Node, Column, Text(Node, Column));
    }
    canvas->RestoreState(saved);
    return width;
}

int TCustomLazyStringTree::GetNodeExtraWidth(PLazyNode Node, TColumnIndex Column)
{
    if (!TreeOptions()->StringOptions().Contains(toShowStaticText)) return 0;
    TCanvas* canvas = Canvas();
    const int saved = canvas->SaveState();
    const int width = GetStaticTextWidth(canvas, Node, Column, StaticText(Node, Column));
    canvas->RestoreState(saved);
    return width;
}

int TCustomLazyStringTree::ComputeNodeHeight(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, String S)
{
    if (S.empty()) S = Text(Node, Column);
    TLazyTreeColumns* columns = FHeader->Columns();
    const bool realColumn = Column >= 0 && Column < columns->Count();
    const TBiDiMode bidi = realColumn ? columns->Items(Column)->BiDiMode() : FBiDiMode;
    unsigned format = Node->States.Contains(vsMultiline) ? DT_NOPREFIX | DT_WORDBREAK
                                                          : DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
    format |= DT_CALCRECT;
    if (bidi != bdLeftToRight) format |= DT_RIGHT;
    TRect r(0, 0, ClientWidth(), 0);
    if (realColumn) {
        r = TRect(FTextMargin + FMargin, 0, columns->Items(Column)->Width() - FTextMargin, 0);
        if (Column == FHeader->MainColumn()) {
            TLineImage lines;
            ComputeLineImage(Node, lines);
            const int levels = FOptions->PaintOptions().Contains(toFixedIndent) ? 1 : int(lines.size());
            r.Left += FIndent * levels;
        }
    }
    Canvas->DrawText(S, r, format);
    return r.Bottom - r.Top;
}

void TCustomLazyStringTree::ResetCachedWidths(PLazyNode Node)
{
    if (Node) {
        if (Node != FRoot) *GetCachedWidth(Node) = 0;
        return;
    }
    for (PLazyNode run = GetFirstNoInit(); run; run = GetNextNoInit(run)) *GetCachedWidth(run) = 0;
}

void TCustomLazyStringTree::InvalidateNode(PLazyNode Node)
{
    TBaseLazyTree::InvalidateNode(Node);
    if (Node && Node != FRoot) {
        *GetCachedWidth(Node) = 0;
        Node->States >> vsHeightMeasured;
    }
}

void TCustomLazyStringTree::HandleCMFontChanged()
{
    TBaseLazyTree::HandleCMFontChanged();
    MeasureFontMetrics();
    ResetCachedWidths();
}

void TCustomLazyStringTree::HandleMainColumnChange() { ResetCachedWidths(); }

void TCustomLazyStringTree::ReinitNode(PLazyNode Node, bool Recursive)
{
    TBaseLazyTree::ReinitNode(Node, Recursive);
    if (Node && Node != FRoot) *GetCachedWidth(Node) = 0;
}

void TCustomLazyStringTree::SetChildCount(PLazyNode Node, std::uint32_t NewChildCount)
{
    TBaseLazyTree::SetChildCount(Node, NewChildCount);
    if (Node && Node != FRoot) *GetCachedWidth(Node) = 0;
}

// ---- painting ----

void TCustomLazyStringTree::PaintNode(TLTPaintInfo& PaintInfo)
{
    TVSTGetCellTextEventArgs e;
    e.Node = PaintInfo.Node;
    e.Column = PaintInfo.Column;
    e.CellText = FDefaultText;
    FireGetCellText(e);
    const int saved = PaintInfo.Canvas->SaveState();
    if (!e.CellText.empty()) PaintCellText(PaintInfo, e.CellText);
    if (!e.StaticText.empty() && FAlignment != taCenter && !PaintInfo.Node->States.Contains(vsMultiline) &&
        TreeOptions()->StringOptions().Contains(toShowStaticText))
        PaintCellStaticText(PaintInfo, e.StaticText);
    PaintInfo.Canvas->RestoreState(saved);
}

void TCustomLazyStringTree::PrepareTextFont(const TLTPaintInfo& PaintInfo)
{
    TCanvas* canvas = PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetColor(Enabled() ? FColors.NodeFontColor() : FColors.DisabledColor());
    const bool explorer = FStates.Contains(tsUseExplorerTheme);
    if (FOptions->PaintOptions().Contains(toHotTrack) && node == FCurrentHotNode && !explorer) {
        TFontStyles style = canvas->Font()->Style();
        style << fsUnderline;
        canvas->Font()->SetStyle(style);
        canvas->Font()->SetColor(FColors.HotColor());
    }
    if (PaintInfo.PaintOptions.Contains(poDrawSelection) && !explorer &&
        (PaintInfo.Column == FFocusedColumn || FOptions->SelectionOptions().Contains(toFullRowSelect))) {
        if (node == FDropTargetNode) {
            if (FLastDropMode == dmOnNode || node->States.Contains(vsSelected))
                canvas->Font()->SetColor(FColors.SelectionTextColor());
        } else if (node->States.Contains(vsSelected) && HasFocusedLook()) {
            canvas->Font()->SetColor(FColors.SelectionTextColor());
        }
    }
}

void TCustomLazyStringTree::PaintCellText(TLTPaintInfo& PaintInfo, const String& Text)
{
    PrepareTextFont(PaintInfo);
    TCanvas* canvas = PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    TRect r = PaintInfo.ContentRect;
    r.Left += FTextMargin;
    r.Right -= FTextMargin;
    const bool disabled = node->States.Contains(vsDisabled) || !Enabled();
    String text = Text;
    unsigned format = DT_NOPREFIX;
    if (node->States.Contains(vsMultiline)) {
        FirePaintText(canvas, node, PaintInfo.Column, ttNormal);
        const int height = ComputeNodeHeight(canvas, node, PaintInfo.Column, Text);
        if (disabled) canvas->Font()->SetColor(FColors.DisabledColor());
        format |= AlignmentFlag(PaintInfo.Alignment) | DT_WORDBREAK | DT_END_ELLIPSIS;
        // A block shorter than the row is centred vertically.
        if (height < r.Height()) {
            const int d = (r.Height() - height) / 2;
            r.Top += d;
            r.Bottom -= d;
        }
    } else {
        FFontChanged = false;
        int ellipsisWidth = EllipsisWidth();
        FirePaintText(canvas, node, PaintInfo.Column, ttNormal);
        if (FFontChanged) {
            // The handler's font makes the cached width and the ellipsis width stale.
            ellipsisWidth = 0;
            PaintInfo.NodeWidth = canvas->TextWidth(Text) + 2 * FTextMargin;
        }
        if (disabled) canvas->Font()->SetColor(FColors.DisabledColor());
        format |= DT_VCENTER | DT_SINGLELINE;
        if (PaintInfo.Column >= 0 && PaintInfo.NodeWidth - 2 * FTextMargin > r.Width()) {
            text = ShortenCellText(canvas, node, PaintInfo.Column, Text, r.Width(), ellipsisWidth);
            // A shortened centred text starts at the left: its start is what matters.
            format |= PaintInfo.Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
        } else {
            format |= AlignmentFlag(PaintInfo.Alignment);
        }
    }
    canvas->Brush()->SetStyle(bsClear);
    DrawCellText(PaintInfo, text, r, format);
}

void TCustomLazyStringTree::PaintCellStaticText(TLTPaintInfo& PaintInfo, const String& Text)
{
    TCanvas* canvas = PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    canvas->Font()->Assign(*Font());
    canvas->Font()->SetColor(FColors.NodeFontColor());
    if (FOptions->SelectionOptions().Contains(toFullRowSelect)) {
        const bool selectedLook = node == FDropTargetNode
                                      ? FLastDropMode == dmOnNode || node->States.Contains(vsSelected)
                                      : node->States.Contains(vsSelected) && HasFocusedLook();
        if (selectedLook) canvas->Font()->SetColor(FColors.SelectionTextColor());
    }
    FirePaintText(canvas, node, PaintInfo.Column, ttStatic);
    if (node->States.Contains(vsDisabled) || !Enabled()) canvas->Font()->SetColor(FColors.DisabledColor());
    TRect r = PaintInfo.ContentRect;
    if (PaintInfo.Alignment == taRightJustify)
        r.Right -= PaintInfo.NodeWidth + FTextMargin;
    else
        r.Left += PaintInfo.NodeWidth + FTextMargin;
    canvas->Brush()->SetStyle(bsClear);
    r = PaintInfo.ToCanvas(r);
    canvas->DrawText(Text, r, DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE);
}

String TCustomLazyStringTree::ShortenCellText(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const String& S,
                                              int Width, int EllipsisWidth)
{
    bool done = false;
    String result;
    if (OnShortenString) OnShortenString(this, Canvas, Node, Column, S, Width, result, done);
    if (!done) result = ShortenString(Canvas, S, Width, EllipsisWidth);
    return result;
}

void TCustomLazyStringTree::DrawCellText(TLTPaintInfo& PaintInfo, const String& Text, TRect CellRect,
                                         unsigned DrawFormat)
{
    bool defaultDraw = true;
    if (OnDrawText) OnDrawText(this, PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, Text, CellRect, defaultDraw);
    if (!defaultDraw) return;
    TRect r = PaintInfo.ToCanvas(CellRect);
    PaintInfo.Canvas->DrawText(Text, r, DrawFormat);
}

// ---- the caption chunk ----

void TCustomLazyStringTree::WriteChunks(TStream& Stream, PLazyNode Node)
{
    TBaseLazyTree::WriteChunks(Stream, Node);
    if (!TreeOptions()->StringOptions().Contains(toSaveCaptions) || Node == FRoot ||
        !Node->States.Contains(vsInitialized))
        return;
    const String text = Text(Node, FHeader->MainColumn());
    if (text.empty()) return;
    const std::u16string wide = Utf8ToUtf16(text);
    WriteI32(Stream, CaptionChunk);
    WriteI32(Stream, std::int32_t(2 * wide.size()));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * wide.size());
    for (char16_t c : wide) {
        bytes.push_back(std::uint8_t(c & 0xFF));
        bytes.push_back(std::uint8_t(c >> 8));
    }
    if (!bytes.empty()) Stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

bool TCustomLazyStringTree::ReadChunk(TStream& Stream, int Version, PLazyNode Node, std::int32_t ChunkType,
                                      std::int32_t ChunkSize)
{
    if (ChunkType != CaptionChunk) return TBaseLazyTree::ReadChunk(Stream, Version, Node, ChunkType, ChunkSize);
    String text;
    if (ChunkSize > 0) {
        // An odd last byte belongs to no character and is skipped with the chunk.
        std::string bytes(std::size_t(ChunkSize), '\0');
        Stream.ReadBuffer(bytes.data(), ChunkSize);
        text = Utf16BytesToUtf8(bytes, false);
    }
    SetText(Node, FHeader->MainColumn(), text);
    return true;
}

// ---- CSV ----

std::vector<String> TCustomLazyStringTree::AddCSVLines(bool IncludeHeading)
{
    TLazyTreeColumns* columns = FHeader->Columns();
    const int count = columns->Count();
    std::vector<String> lines;
    auto addLine = [&](const std::vector<String>& cells) {
        String line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) line += ',';
            line += CsvQuoted(cells[i]);
        }
        lines.push_back(line);
    };
    std::vector<String> cells;
    if (IncludeHeading) {
        for (int i = 0; i < count; ++i) cells.push_back(columns->Items(i)->Text());
        addLine(cells);
    }
    for (PLazyNode node = GetFirst(); node; node = GetNextSibling(node)) {
        cells.clear();
        for (int i = 0; i < count; ++i) {
            String t = Text(node, i);
            cells.push_back(t.empty() ? String(" ") : t);
        }
        addLine(cells);
    }
    return lines;
}

bool TCustomLazyStringTree::SaveToCSVFile(const String& FileNameWithPath, bool IncludeHeading)
{
    if (FileNameWithPath.empty()) return false;
    String out;
    for (const String& line : AddCSVLines(IncludeHeading)) out += Utf8ToCp1252(line) + "\r\n";
    // Written whole beside the old file and renamed over it: a save that fails part way
    // leaves the file that was there.
    WriteFileAtomic(FileNameWithPath, out);
    return true;
}

TLazyStringTree::TLazyStringTree(TComponent* AOwner) : TCustomLazyStringTree(AOwner) { RecreateOptions(); }

TLazyTreeOptionsClass TLazyStringTree::OptionsClass() const { return &MakeStringOptions; }
