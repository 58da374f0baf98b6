// The grid's own line-oriented text format (file and stream), and the small helpers the
// exports share: the used-cells rectangle, a cell's number, a column's longest line.
#include <algorithm>

#include "grid/util/GridTextUtils.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/os/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace GridExchange {

namespace {

// A cell's text on one line of the file. CR, LF and NUL become #9, #8 and #1, and a
// reader turns them back only in texts that hold a #8, so the plain form loses texts
// that hold those marks themselves (a backspace, or a tab or #1 beside a line break)
// and a lone CR. Such a text is written escaped instead: every #1, #2, #8 and #9 of its
// own is preceded by #2, and the cell line says so by a "~" after its row number, a
// mark no earlier file holds there (and that readers of numbers stop at). Every other
// text is written as before.
constexpr char EscapeMark = '~';

struct TEncodedText {
    String Text;
    bool Escaped = false;
};

bool NeedsEscape(const String& s)
{
    if (s.find('\b') != String::npos) return true;
    const bool breaks = s.find_first_of("\r\n") != String::npos;
    if (breaks && s.find_first_of(std::string_view("\t\x01", 2)) != String::npos) return true;
    for (size_t p = s.find('\r'); p != String::npos; p = s.find('\r', p + 1))
        if (p + 1 >= s.size() || s[p + 1] != '\n') return true;
    return false;
}

TEncodedText EncodeCellText(const String& s)
{
    const bool escaped = NeedsEscape(s);
    if (!escaped && s.find_first_of("\r\n") == String::npos) return {s, false};
    String r;
    r.reserve(s.size() + 4);
    for (char c : s) {
        switch (c) {
        case '\r': r += '\t'; break;
        case '\n': r += '\b'; break;
        case '\0': r += '\x01'; break;
        case '\x01':
        case '\x02':
        case '\b':
        case '\t':
            if (escaped) r += '\x02';
            r += c;
            break;
        default: r += c;
        }
    }
    return {std::move(r), escaped};
}

// The reverse of the escaped form; the line rule of the plain form follows.
String DecodeEscapedText(std::string_view s, bool Multilinecells)
{
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\x02' && i + 1 < s.size()) r += s[++i];
        else if (c == '\t') r += '\r';
        else if (c == '\b') r += '\n';
        else if (c == '\x01') r += '\0';
        else r += c;
    }
    if (!Multilinecells) r = CutFirstLine(r, false);
    return r;
}

String DecodeCellText(std::string_view s, bool Escaped, bool Multilinecells)
{
    return Escaped ? DecodeEscapedText(s, Multilinecells) : DecodeControlChars(String(s), Multilinecells);
}

// A row field that ends with the escape mark: the mark is taken off.
bool TakeEscapeMark(std::string_view& field)
{
    if (field.empty() || field.back() != EscapeMark) return false;
    field.remove_suffix(1);
    return true;
}

// "c,r," (with the mark when escaped) and the text.
String CellLine(int c, int r, const String& text)
{
    TEncodedText e = EncodeCellText(text);
    String line = IntToStr(c);
    line += ',';
    line += IntToStr(r);
    if (e.Escaped) line += EscapeMark;
    line += ',';
    line += e.Text;
    return line;
}

// The number before the first comma and the rest after it; the whole text and an
// empty number when there is no comma.
std::string_view CutField(std::string_view& line)
{
    const size_t p = line.find(',');
    if (p == std::string_view::npos) return {};
    const std::string_view field = line.substr(0, p);
    line.remove_prefix(p + 1);
    return field;
}

// Widths read from a file are clipped to what a screen could show.
int SaneWidth(int w) { return std::clamp(w, 0, 65535); }

String CorruptMessage(const String& FileName) { return "File contains no data or corrupt file " + FileName; }

void WriteUtf16Line(TStream& Stream, std::u16string& buf, const String& line)
{
    buf = Utf8ToUtf16(line);
    buf += u"\r\n";
    std::string bytes;
    bytes.reserve(buf.size() * 2);
    for (char16_t u : buf) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// A line of 16-bit units up to a CR (the unit after it is consumed) or the stream end.
String ReadUtf16Line(TStream& Stream)
{
    std::u16string w;
    uint8_t b[2];
    while (Stream.Read(b, 2) == 2) {
        const char16_t u = static_cast<char16_t>(b[0] | (b[1] << 8));
        if (u == u'\r') {
            Stream.Read(b, 2);
            break;
        }
        w += u;
    }
    return Utf16ToUtf8(w);
}

}  // namespace

// ---------------------------------------------------------------- the file

void SaveToFile(TExtStringGrid& Grid, const String& FileName, bool Unicode)
{
    const int H = HiddenSaved(Grid);
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + H;
    const int r0 = Grid.SaveStartRow(), r1 = Grid.SaveEndRow();
    TProgress progress(Grid);
    String out;
    out += IntToStr(Grid.SaveColCount() + H) + "," + IntToStr(Grid.SaveRowCount()) + "\r\n";
    for (int c = c0; c <= c1; ++c) out += "cw " + IntToStr(c) + "," + IntToStr(Grid.GetAllColWidths(SavedRealCol(Grid, c))) + "\r\n";
    Grid.ExportNotification(esExportStart, r0);
    for (int r = r0; r <= r1; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= c1; ++c) {
            const int rc = SavedRealCol(Grid, c);
            const String s = SaveText(Grid, rc, r);
            if (s.empty()) continue;
            out += CellLine(rc, r, s);
            out += "\r\n";
        }
        progress.Report(r, std::max(1, Grid.SaveRowCount() - 1));
    }
    Grid.ExportNotification(esExportDone, -1);
    WriteFileAtomic(FileName, EncodeText(out, Unicode ? TFileCoding::Utf16Bom : TFileCoding::Ansi));
}

void LoadFromFile(TExtStringGrid& Grid, const String& FileName)
{
    const std::vector<String> lines = SplitLines(DecodeText(ReadFileBytes(FileName)));
    const int a = Grid.SaveAllCols() ? 0 : Grid.FixedCols();
    const int b = Grid.SaveAllRows() ? 0 : Grid.FixedRows();
    long long cols = Grid.ColCount(), rows = Grid.RowCount();
    if (!lines.empty() && !lines[0].empty()) {
        std::string_view head = lines[0];
        const std::string_view first = CutField(head);
        cols = a + static_cast<long long>(LenientInt(first));
        rows = b + static_cast<long long>(LenientInt(head));
    }
    // Checked before anything changes: a file that gives no cells, or more than a grid
    // can hold, is refused and the grid stays as it was.
    if (cols <= 0 || rows <= 0) throw EExtGridError(CorruptMessage(FileName));
    CheckGridSize(cols, rows, CorruptMessage(FileName));

    Grid.BeginUpdate();
    try {
        Grid.SetColCount(static_cast<int>(cols));
        Grid.SetRowCount(static_cast<int>(rows));
        TProgress progress(Grid);
        const int total = Grid.TotalColCount();
        for (size_t i = 1; i < lines.size(); ++i) {
            std::string_view line = lines[i];
            if (line.substr(0, 2) == "cw") {
                std::string_view rest = line.substr(std::min<size_t>(3, line.size()));
                const size_t p = rest.find(',');
                const int idx = LenientInt(rest.substr(0, p));
                const int w = p == std::string_view::npos ? 0 : LenientInt(rest.substr(p + 1));
                if (idx >= 0 && idx < Grid.ColCount()) Grid.SetColWidths(idx, SaneWidth(w));
                continue;
            }
            const int c = LenientInt(CutField(line));
            std::string_view rowField = CutField(line);
            const bool escaped = TakeEscapeMark(rowField);
            const int r = LenientInt(rowField);
            if (c >= 0 && c < total && r >= 0 && r < Grid.RowCount())
                Grid.SetLoadCellText(c, r, DecodeCellText(line, escaped, Grid.Multilinecells));
            if (Grid.RowCount() > 1) progress.Report(r, Grid.RowCount() - 1);
        }
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    Grid.EndUpdate();
    FinishLoad(Grid);
}

// ---------------------------------------------------------------- the stream

void SaveToStream(TExtStringGrid& Grid, TStream& Stream)
{
    std::u16string buf;
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol();
    const int r0 = Grid.SaveStartRow(), r1 = Grid.SaveEndRow();
    WriteUtf16Line(Stream, buf, IntToStr(Grid.SaveColCount()) + "," + IntToStr(Grid.SaveRowCount()));
    for (int c = 0; c < Grid.ColCount(); ++c)
        WriteUtf16Line(Stream, buf, "cw " + IntToStr(c) + "," + IntToStr(Grid.ColWidths(c)));
    Grid.ExportNotification(esExportStart, r0);
    for (int r = r0; r <= r1; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= c1; ++c) {
            const String s = SaveText(Grid, c, r);
            if (!s.empty())
                WriteUtf16Line(Stream, buf, CellLine(c - c0, r - r0, s));
        }
    }
    Grid.ExportNotification(esExportDone, -1);
}

void LoadFromStream(TExtStringGrid& Grid, TStream& Stream)
{
    // The whole block is read and checked first: a malformed number or counts beyond
    // what a grid can hold refuse it with the grid and the stream position unchanged.
    const int64_t start = Stream.Position();
    struct TCellLine {
        int Col, Row;
        String Text;
        bool Escaped;
    };
    struct TWidthLine {
        int Col, Width;
    };
    std::vector<TCellLine> cells;
    std::vector<TWidthLine> widths;
    long long cols = -1, rows = -1;
    try {
        if (Stream.Position() < Stream.Size()) {
            const String head = ReadUtf16Line(Stream);
            if (!head.empty()) {
                std::string_view h = head;
                const size_t p = h.find(',');
                cols = StrToInt(Trim(h.substr(0, p))) + static_cast<long long>(Grid.SaveStartCol());
                rows = (p == std::string_view::npos ? 0 : StrToInt(Trim(h.substr(p + 1)))) +
                       static_cast<long long>(Grid.SaveStartRow());
                CheckGridSize(cols, rows, "Stream contains no valid grid data");
            }
        }
        while (Stream.Position() < Stream.Size()) {
            const int64_t at = Stream.Position();
            const String text = ReadUtf16Line(Stream);
            std::string_view line = text;
            if (line.substr(0, 2) == "cw") {
                line.remove_prefix(std::min<size_t>(3, line.size()));
                const size_t p = line.find(',');
                const int c = StrToInt(Trim(line.substr(0, p)));
                const int w = p == std::string_view::npos ? 0 : StrToInt(Trim(line.substr(p + 1)));
                widths.push_back({c, SaneWidth(w)});
                continue;
            }
            const size_t p1 = line.find(',');
            const size_t p2 = p1 == std::string_view::npos ? p1 : line.find(',', p1 + 1);
            if (p1 == 0 || p2 == std::string_view::npos || p2 == p1 + 1) {
                // Not a cell line: the data after the grid block belongs to someone else.
                Stream.SetPosition(at);
                break;
            }
            const int c = StrToInt(Trim(line.substr(0, p1)));
            std::string_view rowField = line.substr(p1 + 1, p2 - p1 - 1);
            const bool escaped = TakeEscapeMark(rowField);
            const int r = StrToInt(Trim(rowField));
            cells.push_back({c, r, String(line.substr(p2 + 1)), escaped});
        }
    } catch (...) {
        Stream.SetPosition(start);
        throw;
    }

    Grid.BeginUpdate();
    if (cols >= 0) {
        Grid.SetColCount(static_cast<int>(cols));
        Grid.SetRowCount(static_cast<int>(rows));
    }
    for (const TWidthLine& w : widths)
        if (w.Col >= 0 && w.Col < Grid.ColCount()) Grid.SetColWidths(w.Col, w.Width);
    const int c0 = Grid.SaveStartCol(), r0 = Grid.SaveStartRow();
    for (const TCellLine& cell : cells) {
        const long long c = static_cast<long long>(cell.Col) + c0, r = static_cast<long long>(cell.Row) + r0;
        if (c >= 0 && c < Grid.TotalColCount() && r >= 0 && r < Grid.RowCount())
            Grid.SetLoadCellText(int(c), int(r), DecodeCellText(cell.Text, cell.Escaped, Grid.Multilinecells));
    }
    Grid.EndUpdate();
    FinishLoad(Grid);
}

// ---------------------------------------------------------------- helpers

TGridRect UsedCells(TExtStringGrid& Grid)
{
    int l = -1, t = -1, r = -1, b = -1;
    for (int y = 0; y < Grid.RowCount(); ++y)
        for (int x = 0; x < Grid.ColCount(); ++x) {
            if (Grid.GetCellEx(x, y).empty()) continue;
            if (l < 0 || x < l) l = x;
            if (t < 0) t = y;
            r = std::max(r, x);
            b = y;
        }
    if (l < 0) return TGridRect(0, 0, 0, 0);
    return TGridRect(l, t, r, b);
}

double CellToReal(TExtStringGrid& Grid, int ACol, int ARow)
{
    const String text = Grid.GetCellEx(ACol, ARow);
    if (text.empty()) return 0;
    const String n = NormalizeNumberText(text);
    double v = 0;
    if (!n.empty() && TryStrToFloat(n, v, '.')) return v;
    // The position of the first character that can't belong to a number.
    size_t p = 0;
    while (p < n.size() && std::string_view("0123456789+-.eE").find(n[p]) != std::string_view::npos) ++p;
    throw EExtGridError("Error at position: " + IntToStr(static_cast<long long>(p) + 1) + " in Cell [" +
                        IntToStr(ACol) + ", " + IntToStr(ARow) + "].");
    return v;
}

int MaxColumnLineLength(TExtStringGrid& Grid, int ACol)
{
    int longest = 0;
    for (int r = 0; r < Grid.RowCount(); ++r) {
        const std::vector<String> lines = SplitLines(SaveText(Grid, ACol, r));
        for (size_t i = 0; i < lines.size(); ++i) {
            longest = std::max(longest, Utf8Length(lines[i]));
            if (!Grid.Multilinecells) break;
        }
    }
    return longest;
}

}  // namespace GridExchange
