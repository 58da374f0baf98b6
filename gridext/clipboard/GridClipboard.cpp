#include "gridext/clipboard/GridClipboard.h"

#include <algorithm>
#include <cmath>

#include "grid/core/ExchangeHooks.h"
#include "grid/util/GridDateFilter.h"
#include "grid/util/GridTextUtils.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Streams.h"

namespace GridClipboard {

using GridExchange::MaxCells;
using GridExchange::MaxCols;

TClipFormat GridCellsClipboardFormat()
{
    static const TClipFormat f = RegisterClipboardFormat("TExtStringGrid Cells");
    return f;
}

TClipFormat RTFClipboardFormat()
{
    static const TClipFormat f = RegisterClipboardFormat("Rich Text Format");
    return f;
}

TClipFormat HTMLClipboardFormat()
{
    static const TClipFormat f = RegisterClipboardFormat("HTML Format");
    return f;
}

namespace {

// The cell block this process put on the clipboard last, and the window of the grid it
// came from: a paste of the same bytes into that grid is a paste back into its source.
struct TLastBlock {
    HWND Source = 0;
    std::string Bytes;
};
TLastBlock& LastBlock()
{
    static TLastBlock b;
    return b;
}

// Every line break (CR LF, lone CR, lone LF) as one LF.
String BreaksToLF(const String& s)
{
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            r += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else r += s[i];
    }
    return r;
}

// Every line break and vertical tab as CR LF.
String BreaksToCRLF(const String& s)
{
    String r;
    r.reserve(s.size() + 8);
    for (size_t i = 0; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch == '\r') {
            r += "\r\n";
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (ch == '\n' || ch == '\v') r += "\r\n";
        else r += ch;
    }
    return r;
}

String Quoted(const String& s)
{
    String r = "\"";
    for (char ch : s) {
        if (ch == '"') r += '"';
        r += ch;
    }
    return r + "\"";
}

bool HasBreak(const String& s) { return s.find_first_of("\r\n") != String::npos; }

// One line of a text block: its fields, and whether a line break ended it.
struct TSegment {
    std::vector<String> Fields;
    bool Ended = false;
};

// The text cut into lines at CR LF, CR or LF and into fields at tabs. A field that begins
// with a double quote and holds a line break or a vertical tab up to its closing quote is
// one cell of several lines: its quotes go, doubled quotes become one, its breaks CR LF.
// The part after the last line break is a line too, even when empty. Each field goes to
// OnField, the end of each line ended by a break to OnBreak.
template <class TOnField, class TOnBreak>
void ScanBlock(const String& Text, TOnField&& OnField, TOnBreak&& OnBreak)
{
    size_t pos = 0;
    const size_t n = Text.size();
    for (;;) {
        String field;
        bool done = false;
        if (pos < n && Text[pos] == '"') {
            // The closing quote: a single quote followed by a tab, a break or the end.
            size_t j = pos + 1;
            String inner;
            bool closed = false;
            while (j < n) {
                if (Text[j] == '"') {
                    if (j + 1 < n && Text[j + 1] == '"') {
                        inner += '"';
                        j += 2;
                        continue;
                    }
                    closed = j + 1 == n || Text[j + 1] == '\t' || Text[j + 1] == '\r' || Text[j + 1] == '\n';
                    break;
                }
                inner += Text[j++];
            }
            if (closed && inner.find_first_of("\r\n\v") != String::npos) {
                field = BreaksToCRLF(inner);
                pos = j + 1;
                done = true;
            }
        }
        if (!done) {
            const size_t e = std::min(Text.find_first_of("\t\r\n", pos), n);
            field = Text.substr(pos, e - pos);
            pos = e;
        }
        OnField(std::move(field));
        if (pos >= n) return;
        if (Text[pos] == '\t') {
            ++pos;
            continue;
        }
        if (Text[pos] == '\r' && pos + 1 < n && Text[pos + 1] == '\n') ++pos;
        ++pos;
        OnBreak();
    }
}

std::vector<TSegment> SplitBlock(const String& Text)
{
    std::vector<TSegment> out(1);
    ScanBlock(
        Text, [&](String&& f) { out.back().Fields.push_back(std::move(f)); },
        [&] {
            out.back().Ended = true;
            out.emplace_back();
        });
    return out;
}

// The widest line's field count and the number of lines, without keeping the fields.
struct TExtent {
    long long Fields = 0, Lines = 1, Ended = 0;
};
TExtent BlockExtent(const String& Text)
{
    TExtent e;
    long long here = 0;
    ScanBlock(
        Text, [&](String&&) { e.Fields = std::max(e.Fields, ++here); },
        [&] {
            here = 0;
            ++e.Lines;
            ++e.Ended;
        });
    return e;
}

// A block from outside may be anything: one that would grow the grid beyond what a grid
// can hold is refused before a cell changes.
void CheckExtent(long long Cols, long long Rows, const char* Message)
{
    if (Cols > MaxCols || Cols * Rows > MaxCells) throw EExtGridError(Message);
}

bool MayPaste(TExtStringGrid& Grid, int c, int r)
{
    return Grid.Navigation()->AllowClipboardAlways || Grid.IsEditable(Grid.RealColIndex(c), r);
}

void MarkModified(TExtStringGrid& Grid, const TRect& R)
{
    Grid.Modified = true;
    if (!Grid.ShowModified()->Enabled) return;
    for (int r = std::max(0, int(R.Top)); r <= R.Bottom && r < Grid.RowCount(); ++r) Grid.SetRowModified(r, true);
}

// A cell written by a paste: check boxes take the checked text, other cells the text.
void PasteCell(TExtStringGrid& Grid, int c, int r, const String& Text, TExtStringGrid::TClipboardChanges& Undo)
{
    const int rc = Grid.RealColIndex(c);
    const String old = Grid.GetCellEx(rc, r);
    if (Grid.HasCheckBox(rc, r)) Grid.SetCheckBoxState(rc, r, Text == Grid.CheckTrue);
    else Grid.SetCellEx(rc, r, Text);
    Undo.push_back({rc, r, old, Grid.GetCellEx(rc, r)});
}

// Before and after events of one pasted cell; false when the handler refused it.
bool BeforePaste(TExtStringGrid& Grid, int c, int r, String& Text)
{
    bool allow = true;
    if (Grid.OnClipboardBeforePasteCell) Grid.OnClipboardBeforePasteCell(&Grid, c, r, Text, allow);
    return allow;
}

void AfterPaste(TExtStringGrid& Grid, int c, int r, const String& Text)
{
    if (Grid.OnClipboardAfterPasteCell) Grid.OnClipboardAfterPasteCell(&Grid, c, r, Text);
}

// What a series continues from: two numbers, or none.
bool SeriesValues(const String& a, const String& b, double& first, double& second, bool& isFloat)
{
    const char dec = GetDecimalSeparator();
    isFloat = a.find(dec) != String::npos || b.find(dec) != String::npos;
    if (isFloat) return TryStrToFloat(Trim(a), first, dec) && TryStrToFloat(Trim(b), second, dec);
    int x = 0, y = 0;
    if (!TryStrToInt(Trim(a), x) || !TryStrToInt(Trim(b), y)) return false;
    first = x;
    second = y;
    return true;
}

// A date or time of the regional forms; false when the text is none.
bool ReadDateTime(const String& Text, TDateTime& Value)
{
    if (Text.find(GetDateSeparator()) != String::npos) return ParseLocaleDateTime(Trim(Text), Value);
    try {
        Value = StrToDateTimeByPattern(Trim(Text), GetLongTimeFormat());
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

// What a date or time series continues from: two texts that each look like a date or
// hold a time, both readable.
bool DateSeriesValues(const String& a, const String& b, TDateTime& first, TDateTime& second)
{
    const char ts = GetTimeSeparator();
    auto datish = [ts](const String& t) { return LooksLikeDate(t) || t.find(ts) != String::npos; };
    return datish(a) && datish(b) && ReadDateTime(a, first) && ReadDateTime(b, second);
}

String SeriesText(TExtStringGrid& Grid, double v, bool isFloat)
{
    return isFloat ? Format(Grid.FloatFormat, {v}) : IntToStr(static_cast<long long>(std::llround(v)));
}

}  // namespace

// ---------------------------------------------------------------- copy

String GetRangeAsText(TExtStringGrid& Grid, const TGridRect& R, bool Disjunct)
{
    Grid.FClipboardSource = TPoint(R.Left, R.Top);
    Grid.ExportNotification(esExportStart, -1);
    TMouseActions* ma = Grid.MouseActions();
    const bool rowsOnly = Disjunct && ma->DisjunctRowSelect() && !ma->DisjunctColSelect();
    const bool colsOnly = Disjunct && ma->DisjunctColSelect();
    std::vector<int> rows;
    for (int r = R.Top; r <= R.Bottom && r < Grid.RowCount(); ++r) {
        const int rr = ma->RowSelectPersistent ? Grid.RealRowIndex(r) : r;
        if (rowsOnly && !Grid.GetRowSelect(rr)) continue;
        rows.push_back(r);
    }
    String out;
    for (int r : rows) {
        Grid.ExportNotification(esExportNewRow, r);
        bool first = true;
        for (int c = R.Left; c <= R.Right && c < Grid.ColCount(); ++c) {
            if (colsOnly && !Grid.GetColSelect(c)) continue;
            if (!first) out += '\t';
            first = false;
            const int rc = Grid.RealColIndex(c);
            String s;
            Grid.GetSaveCellText(rc, r, s);
            if (s.rfind("|\\", 0) == 0) s = UnpackWideText(s);
            if (!Grid.Navigation()->CopyHTMLTagsToClipboard && s.find("</") != String::npos)
                s = Grid.GetStrippedCell(rc, r);
            else if (s.find("{\\") != String::npos)
                s = RichTextToPlainText(s);
            // A cell of several lines is one quoted field whose breaks are one LF each: a
            // CR LF turned into two breaks would add an empty line on every paste.
            if (HasBreak(s)) s = Grid.ExcelClipboardFormat ? LineBreaksToVTabQuoted(s) : Quoted(BreaksToLF(s));
            out += s;
        }
        if (R.Bottom > R.Top) out += "\r\n";
    }
    Grid.ExportNotification(esExportDone, -1);
    return out;
}

void CopyRangeToClipboard(TExtStringGrid& Grid, const TGridRect& R, bool Disjunct)
{
    TClipboard* cb = Clipboard();
    TDataPackage d;
    d.SetText(GetRangeAsText(Grid, R, Disjunct));
    TNavigation* nav = Grid.Navigation();
    if (nav->AllowRTFClipboard) {
        const String rtf = Grid.GetCellEx(Grid.RealColIndex(R.Left), R.Top);
        if (rtf.find("{\\") != String::npos) d.Set(RTFClipboardFormat(), rtf);
    }
    if (nav->AllowFmtClipboard) {
        TMemoryStream s;
        GridExchange::SaveRectToBinStream(Grid, R, s);
        std::string bytes(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size()));
        LastBlock() = {Grid.Handle(), bytes};
        d.Set(GridCellsClipboardFormat(), std::move(bytes));
    }
    cb->SetContent(d);
}

namespace {

void ExpandSelectionToMergedCells(TExtStringGrid& Grid)
{
    TGridRect R = Grid.Selection();
    auto grow = [&](int c, int r) {
        if (!Grid.IsMergedCell(c, r)) return;
        const TPoint base = Grid.BaseCell(c, r);
        const TPoint span = Grid.CellSpan(base.X, base.Y);
        R.Left = std::min(R.Left, base.X);
        R.Top = std::min(R.Top, base.Y);
        R.Right = std::max(R.Right, base.X + span.X);
        R.Bottom = std::max(R.Bottom, base.Y + span.Y);
    };
    grow(R.Left, R.Top);
    grow(R.Right, R.Bottom);
    if (!(R == Grid.Selection())) Grid.SetSelection(R);
}

}  // namespace

void CopySelectionToClipboard(TExtStringGrid& Grid)
{
    ExpandSelectionToMergedCells(Grid);
    TMouseActions* ma = Grid.MouseActions();
    const bool fmt = Grid.Navigation()->AllowFmtClipboard;
    if (ma->DisjunctRowSelect() && !fmt)
        CopyRangeToClipboard(Grid,
                             TGridRect(Grid.FixedCols(), Grid.SaveStartRow(),
                                       Grid.ColCount() - Grid.FixedRightCols - 1, Grid.SaveEndRow()),
                             true);
    else if (ma->DisjunctColSelect() && !fmt)
        CopyRangeToClipboard(Grid,
                             TGridRect(Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow()),
                             true);
    else
        CopyRangeToClipboard(Grid, Grid.Selection(), false);
    Grid.FLastClipOperation = TExtStringGrid::coCopy;
}

void CopyToClipBoard(TExtStringGrid& Grid)
{
    CopyRangeToClipboard(Grid, TGridRect(Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow()),
                         false);
    Grid.FLastClipOperation = TExtStringGrid::coCopy;
}

namespace {

// Empties the cells of R that may be changed; one undo sequence.
void ClearForCut(TExtStringGrid& Grid, const TGridRect& R)
{
    TExtStringGrid::TClipboardChanges undo;
    Grid.BeginUpdate();
    for (int r = R.Top; r <= R.Bottom && r < Grid.RowCount(); ++r)
        for (int c = R.Left; c <= R.Right && c < Grid.ColCount(); ++c) {
            if (!MayPaste(Grid, c, r)) continue;
            const int rc = Grid.RealColIndex(c);
            const String old = Grid.GetCellEx(rc, r);
            if (old.empty()) continue;
            Grid.SetCellEx(rc, r, "");
            undo.push_back({rc, r, old, ""});
        }
    Grid.EndUpdate();
    if (!undo.empty()) MarkModified(Grid, TRect(R.Left, R.Top, R.Right, R.Bottom));
    Grid.RegisterClipboardUndo(undo);
}

}  // namespace

void CutToClipboard(TExtStringGrid& Grid)
{
    const TGridRect R(Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol(), Grid.SaveEndRow());
    CopyRangeToClipboard(Grid, R, false);
    ClearForCut(Grid, R);
    Grid.FLastClipOperation = TExtStringGrid::coCut;
}

void CutSelectionToClipboard(TExtStringGrid& Grid)
{
    const TGridRect R = Grid.Selection();
    CopySelectionToClipboard(Grid);
    TMouseActions* ma = Grid.MouseActions();
    if (ma->DisjunctRowSelect()) {
        for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
            if (Grid.GetRowSelect(r)) {
                Grid.ClearRows(r, 1);
                if (Grid.ShowModified()->Enabled) Grid.SetRowModified(r, true);
            }
    } else if (ma->DisjunctColSelect()) {
        for (int c = Grid.FixedCols(); c < Grid.ColCount(); ++c)
            if (Grid.GetColSelect(c)) Grid.ClearCols(c, 1);
    } else {
        ClearForCut(Grid, Grid.Selection());
    }
    Grid.FLastClipOperation = TExtStringGrid::coCut;
    if (Grid.OnCellsChanged) Grid.OnCellsChanged(&Grid, TRect(R.Left, R.Top, R.Right, R.Bottom));
    if (Grid.NumHiddenColumns() > 0) Grid.Invalidate();
}

void CopyToClipBoardAsHTML(TExtStringGrid& Grid)
{
    String html = GridExchange::SaveToHTMLString(Grid, "");
    MakeClipboardHTML(html);
    TDataPackage d;
    d.Set(HTMLClipboardFormat(), html);
    d.SetText(html);
    Clipboard()->SetContent(d);
}

// ---------------------------------------------------------------- paste

TPoint TextBlockSize(const String& Text)
{
    const TExtent e = BlockExtent(Text);
    return TPoint(int(std::min<long long>(e.Fields, INT32_MAX)), int(std::min<long long>(e.Ended, INT32_MAX)));
}

int PasteTextBlock(TExtStringGrid& Grid, int ACol, int ARow, int& Lines, int& Fields, const String& Text)
{
    Lines = 0;
    Fields = 0;
    if (ACol < 0 || ARow < 0) return 0;
    TNavigation* nav = Grid.Navigation();
    if (!Grid.Options().Contains(goEditing) && !nav->AllowClipboardAlways && !Grid.MouseActions()->RangeSelectAndEdit)
        return 0;
    const TExtent ext = BlockExtent(Text);
    CheckExtent(nav->AllowClipboardColGrow ? ACol + ext.Fields : Grid.ColCount(),
                nav->AllowClipboardRowGrow || nav->ClipboardPasteAction == paInsert ? Grid.RowCount() + ext.Lines
                                                                                    : Grid.RowCount(),
                "Clipboard holds more cells than a grid can show");
    const std::vector<TSegment> segs = SplitBlock(Text);

    TExtStringGrid::TClipboardChanges undo;
    const bool whole = Grid.FWholeGridPaste;
    int count = 0, c = ACol, r = ARow, maxC = ACol, maxR = ARow;
    Grid.BeginUpdate();
    for (size_t i = 0; i < segs.size(); ++i) {
        const TSegment& seg = segs[i];
        const bool finalEmpty = i + 1 == segs.size() && !seg.Ended && seg.Fields.size() == 1 && seg.Fields[0].empty();
        ++Lines;
        Grid.ImportNotification(whole ? isImportNewRow : isImportSelRow, r);
        if (!finalEmpty && nav->ClipboardPasteAction == paInsert) Grid.InsertRows(r, 1);
        Fields = int(seg.Fields.size());
        for (size_t f = 0; f < seg.Fields.size(); ++f) {
            const bool last = f + 1 == seg.Fields.size();
            ++count;
            if (last && finalEmpty) break;
            if (c < Grid.ColCount() && r < Grid.RowCount() && MayPaste(Grid, c, r)) {
                String v = seg.Fields[f];
                if (BeforePaste(Grid, c, r, v)) {
                    PasteCell(Grid, c, r, v, undo);
                    AfterPaste(Grid, c, r, v);
                    maxC = std::max(maxC, c);
                    maxR = std::max(maxR, r);
                }
            } else if (last) {
                break;
            }
            if (!last) {
                ++c;
                if (c >= Grid.ColCount() && nav->AllowClipboardColGrow) Grid.SetColCount(c + 1);
            }
        }
        c = ACol;
        if (i + 1 < segs.size()) {
            ++r;
            const bool floating = Grid.FloatingFooter() && Grid.FloatingFooter()->Visible;
            if (r >= Grid.RowCount() - (floating ? 1 : 0) && nav->AllowClipboardRowGrow) Grid.SetRowCount(Grid.RowCount() + 1);
        }
    }
    Grid.EndUpdate();
    Grid.RegisterClipboardUndo(undo);
    const TRect R(ACol, ARow, maxC, maxR);
    if (!undo.empty()) MarkModified(Grid, R);
    Grid.CellsChanged(TRect(Grid.RealColIndex(ACol), ARow, Grid.RealColIndex(maxC), maxR));
    return count;
}

namespace {

// PasteFromClipboardAt, telling also how many columns and rows of data the clipboard
// held (a text's empty part after its last line break is no row).
int PasteClipboardAt(TExtStringGrid& Grid, int ACol, int ARow, int& Lines, int& Fields, TPoint& Extent)
{
    Lines = Fields = 0;
    Extent = TPoint(0, 0);
    const TDataPackage d = Clipboard()->Content();
    TNavigation* nav = Grid.Navigation();
    if (nav->AllowFmtClipboard && d.Has(GridCellsClipboardFormat())) {
        const std::string bytes = d.Get(GridCellsClipboardFormat());
        bool full = false;
        const TPoint size = GridExchange::BinBlockSize(bytes, full);
        const bool grow = nav->AllowClipboardRowGrow || nav->AllowClipboardColGrow;
        if (grow || nav->ClipboardPasteAction == paInsert) {
            const long long cols = nav->AllowClipboardColGrow ? std::max<long long>(Grid.ColCount(), ACol + size.X) : Grid.ColCount();
            long long rows = nav->AllowClipboardRowGrow ? std::max<long long>(Grid.RowCount(), ARow + size.Y) : Grid.RowCount();
            if (nav->ClipboardPasteAction == paInsert) rows += size.Y;
            CheckExtent(cols, rows, "Clipboard holds more cells than a grid can show");
            if (cols > Grid.ColCount()) Grid.SetColCount(int(cols));
            if (nav->AllowClipboardRowGrow && ARow + size.Y > Grid.RowCount()) Grid.SetRowCount(ARow + size.Y);
            Lines = Grid.RowCount();
            Fields = Grid.ColCount();
            if (nav->ClipboardPasteAction == paInsert && size.Y > 0) Grid.InsertRows(ARow, size.Y);
        }
        TMemoryStream s(bytes.data(), int64_t(bytes.size()));
        GridExchange::LoadAtPointFromBinStream(Grid, TPoint(ACol, ARow), s);
        const bool backHome = LastBlock().Source == Grid.Handle() && LastBlock().Bytes == bytes;
        const TPoint src = backHome ? Grid.FClipboardSource : TPoint(-1, -1);
        Grid.FClipboardSource = src;
        const TRect R(ACol, ARow, ACol + size.X - 1, ARow + size.Y - 1);
        MarkModified(Grid, R);
        Extent = size;
        return size.X * size.Y;
    }
    if (nav->AllowRTFClipboard && d.Has(RTFClipboardFormat())) {
        String rtf = d.Get(RTFClipboardFormat());
        // Rich text from another program may end with a zero.
        if (const size_t z = rtf.find('\0'); z != String::npos) rtf.resize(z);
        if (MayPaste(Grid, ACol, ARow)) {
            TExtStringGrid::TClipboardChanges undo;
            PasteCell(Grid, ACol, ARow, rtf, undo);
            Grid.RegisterClipboardUndo(undo);
            MarkModified(Grid, TRect(ACol, ARow, ACol, ARow));
        }
        Lines = Fields = 1;
        Extent = TPoint(1, 1);
        return 0;
    }
    const String text = d.Text();
    if (text.empty()) return 0;
    const int n = PasteTextBlock(Grid, ACol, ARow, Lines, Fields, text);
    const TExtent e = BlockExtent(text);
    const bool brokenEnd = text.back() == '\r' || text.back() == '\n';
    Extent = TPoint(int(e.Fields), int(brokenEnd ? e.Ended : e.Lines));
    return n;
}

}  // namespace

int PasteFromClipboardAt(TExtStringGrid& Grid, int ACol, int ARow, int& Lines, int& Fields)
{
    TPoint extent;
    return PasteClipboardAt(Grid, ACol, ARow, Lines, Fields, extent);
}

void PasteSelectionFromClipboard(TExtStringGrid& Grid)
{
    Grid.ImportNotification(isImportStart, -1);
    Grid.FWholeGridPaste = false;
    ExpandSelectionToMergedCells(Grid);
    const TGridRect S = Grid.Selection();
    const int left = Grid.Options().Contains(goRowSelect) ? Grid.FixedCols() : S.Left;
    int lines = 0, fields = 0;
    TPoint extent;
    const int n = PasteClipboardAt(Grid, left, S.Top, lines, fields, extent);
    const int cells = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (Grid.Navigation()->AllowSmartClipboard && n != cells + 1) {
        TExtStringGrid::TClipboardChanges undo;
        auto fill = [&](int c, int r, String v) {
            if (!MayPaste(Grid, c, r)) return;
            if (!BeforePaste(Grid, c, r, v)) return;
            PasteCell(Grid, c, r, v, undo);
            AfterPaste(Grid, c, r, v);
        };
        // The top-left cell holds the pasted start of a series already: it takes the
        // series' own form of it without the paste events a second time.
        auto fillFirst = [&](int c, int r, const String& v) {
            if (c == S.Left && r == S.Top) {
                if (MayPaste(Grid, c, r)) PasteCell(Grid, c, r, v, undo);
            } else fill(c, r, v);
        };
        const int rc0 = Grid.RealColIndex(S.Left);
        const bool severalRowsAndCols = S.Left != S.Right && S.Top != S.Bottom;
        if (n == 1 && cells > 1) {
            // One value spreads over the whole selection.
            bool checked = false;
            const String v = Grid.HasCheckBox(rc0, S.Top)
                                 ? (Grid.GetCheckBoxState(rc0, S.Top, checked), checked ? Grid.CheckTrue : Grid.CheckFalse)
                                 : Grid.GetCellEx(rc0, S.Top);
            for (int c = S.Left; c <= S.Right; ++c)
                for (int r = S.Top; r <= S.Bottom; ++r)
                    if (c != S.Left || r != S.Top) fill(c, r, v);
        } else if (n > 1 && !severalRowsAndCols) {
            // Two values start a series down the column or along the row.
            const bool down = S.Left == S.Right && S.Top != S.Bottom;
            const String a = Grid.GetCellEx(rc0, S.Top);
            const String b = down ? Grid.GetCellEx(rc0, S.Top + 1) : Grid.GetCellEx(Grid.RealColIndex(S.Left + 1), S.Top);
            double first = 0, second = 0;
            bool isFloat = false;
            TDateTime d1 = 0, d2 = 0;
            if (DateSeriesValues(a, b, d1, d2)) {
                const bool asDate = a.find(GetDateSeparator()) != String::npos;
                int y1 = 0, m1 = 0, day1 = 0, y2 = 0, m2 = 0, day2 = 0;
                DecodeDate(d1, y1, m1, day1);
                DecodeDate(d2, y2, m2, day2);
                const TDateTime step = d2 - d1;
                TDateTime v = d1;
                // A step into a day the month lacks ends the series where it stands.
                try {
                    for (int c = S.Left; c <= S.Right; ++c)
                        for (int r = S.Top; r <= S.Bottom; ++r) {
                            fillFirst(c, r, FormatDateTime(asDate ? GetShortDateFormat() : GetLongTimeFormat(), v));
                            v = IncDateParts(y2 - y1, m2 - m1, day2 - day1, v, step);
                        }
                } catch (const EConvertError&) {
                }
            } else if (SeriesValues(a, b, first, second, isFloat)) {
                const double step = second - first;
                double v = first;
                for (int c = S.Left; c <= S.Right; ++c)
                    for (int r = S.Top; r <= S.Bottom; ++r) {
                        fillFirst(c, r, SeriesText(Grid, v, isFloat));
                        v += step;
                    }
            } else {
                // Texts that make no series repeat as a pattern of the cells pasted.
                const int period = std::max(1, down ? extent.Y : extent.X);
                if (down) {
                    for (int r = S.Top + period; r <= S.Bottom; ++r) fill(S.Left, r, Grid.GetCellEx(rc0, r - period));
                } else {
                    for (int c = S.Left + period; c <= S.Right; ++c)
                        fill(c, S.Top, Grid.GetCellEx(Grid.RealColIndex(c - period), S.Top));
                }
            }
        } else if (n > 1 && severalRowsAndCols && (extent.Y == 1 || extent.X == 1)) {
            // One pasted row repeats on every further selected row, one pasted column on
            // every further selected column.
            int l = 0, f = 0;
            TPoint e;
            if (extent.Y == 1) {
                for (int r = S.Top + 1; r <= S.Bottom; ++r) {
                    Grid.SetRow(r);
                    PasteClipboardAt(Grid, left, r, l, f, e);
                }
            } else {
                for (int c = S.Left + 1; c <= S.Right; ++c) PasteClipboardAt(Grid, c, S.Top, l, f, e);
            }
            Grid.SetSelection(S);
        }
        Grid.RegisterClipboardUndo(undo);
        if (!undo.empty()) MarkModified(Grid, TRect(S.Left, S.Top, S.Right, S.Bottom));
    }
    Grid.ImportNotification(isImportDone, -1);
    Grid.CellsChanged(TRect(S.Left, S.Top, S.Right, S.Bottom));
    Grid.CalcFooterAll();
}

void PasteFromClipboard(TExtStringGrid& Grid)
{
    Grid.ImportNotification(isImportStart, -1);
    Grid.FWholeGridPaste = true;
    int lines = 0, fields = 0;
    PasteFromClipboardAt(Grid, Grid.SaveStartCol(), Grid.SaveStartRow(), lines, fields);
    Grid.FWholeGridPaste = false;
    Grid.ImportNotification(isImportDone, -1);
    Grid.CalcFooterAll();
}

String GetSelectionAsText(TExtStringGrid& Grid) { return GetRangeAsText(Grid, Grid.Selection(), false); }

void SetSelectionAsText(TExtStringGrid& Grid, const String& Value)
{
    const TGridRect S = Grid.Selection();
    const TExtent ext = BlockExtent(Value);
    CheckExtent(std::max<long long>(Grid.ColCount(), S.Left + ext.Fields), Grid.RowCount() + ext.Lines,
                "Text holds more cells than a grid can show");
    const std::vector<TSegment> segs = SplitBlock(Value);
    int r = S.Top, maxC = S.Left, maxR = S.Top;
    Grid.BeginUpdate();
    for (size_t i = 0; i < segs.size(); ++i) {
        const TSegment& seg = segs[i];
        const bool finalEmpty = i + 1 == segs.size() && !seg.Ended && seg.Fields.size() == 1 && seg.Fields[0].empty();
        if (finalEmpty) break;
        int c = S.Left;
        for (const String& f : seg.Fields) {
            if (c >= Grid.ColCount()) Grid.SetColCount(c + 1);
            Grid.SetGridCell(Grid.RealColIndex(c), r, f);
            maxC = std::max(maxC, c);
            maxR = std::max(maxR, r);
            ++c;
        }
        if (i + 1 < segs.size()) {
            ++r;
            const bool floating = Grid.FloatingFooter() && Grid.FloatingFooter()->Visible;
            if (r >= Grid.RowCount() - (floating ? 1 : 0)) Grid.SetRowCount(Grid.RowCount() + 1);
        }
    }
    Grid.EndUpdate();
    Grid.CellsChanged(TRect(Grid.RealColIndex(S.Left), S.Top, Grid.RealColIndex(maxC), maxR));
}

void InstallGridClipboard()
{
    TGridExchangeHooks& h = GridExchangeHooks();
    h.CopySelection = [](TExtStringGrid& g) { CopySelectionToClipboard(g); };
    h.CutSelection = [](TExtStringGrid& g) { CutSelectionToClipboard(g); };
    h.PasteSelection = [](TExtStringGrid& g) { PasteSelectionFromClipboard(g); };
}

}  // namespace GridClipboard
