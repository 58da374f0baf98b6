// CSV with its quoting and delimiter options, fixed-width text both ways, and the padded
// text table.
#include <algorithm>
#include <array>

#include "grid/footer/FloatingFooter.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/os/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace GridExchange {

namespace {

constexpr char Candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};

bool Holds(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }
bool HoldsBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Every line break (CR LF, a lone CR or a lone LF) as one "~": the Java-style files have
// no other way to keep a break, and a dropped lone LF would join two lines of the cell.
String BreaksToTilde(std::string_view s)
{
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            r += '~';
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else {
            r += s[i];
        }
    }
    return r;
}

void Enclose(String& s)
{
    s.insert(s.begin(), '"');
    s.push_back('"');
}

// The characters that keep a field from going out as it is: quotes, line breaks, the
// delimiter, and the marks a reader would take for breaks. A table, since every character
// of every cell is looked at.
using TCharSet = std::array<bool, 256>;
TCharSet QuotingChars(char D)
{
    TCharSet set{};
    for (char c : D == '"' ? std::string_view("\"\r\n") : std::string_view("\"\r\n\v~^"))
        set[static_cast<unsigned char>(c)] = true;
    set[static_cast<unsigned char>(D)] = true;
    return set;
}

bool HoldsAny(std::string_view s, const TCharSet& Set)
{
    for (char c : s)
        if (Set[static_cast<unsigned char>(c)]) return true;
    return false;
}

void AppendField(TExtStringGrid& Grid, char D, const TCharSet& Special, const String& text, String& out)
{
    // Most cells need no quoting at all: they go out as they are.
    if (!Grid.AlwaysQuotes && !text.empty() && text[0] != ' ' && !HoldsAny(text, Special)) {
        out += text;
        return;
    }
    String s = QuoteDoubleQuotes(text);
    bool quoted = false;
    // A field that starts with a blank is quoted too: the reader drops blanks in front
    // of an unquoted field.
    if (Grid.AlwaysQuotes || (!Holds(s, D) && (Holds(s, '"') || (!s.empty() && s[0] == ' ')))) {
        Enclose(s);
        quoted = true;
    }
    if (s.empty()) {
        if (Grid.JavaCSV) s.push_back('^');
        else if (Grid.QuoteEmptyCells) s.assign(2, '"');
    }
    if (Holds(s, D) || HoldsBreak(s)) {
        if (Grid.JavaCSV) {
            s = BreaksToTilde(s);
            // Without quotes the delimiter inside would split the field on reading.
            if (!quoted && Holds(s, D)) Enclose(s);
        } else if (!quoted) {
            // CR LF as vertical tab; any lone CR or LF stays inside the quotes, where
            // the reader keeps it.
            s = LineBreaksToVTabQuoted(s);
        }
        // A quoted field keeps its line breaks as they are: the reader takes breaks
        // inside quotes as part of the field, so the cell comes back unchanged.
    }
    out += s;
}

// Splits the text into records at line breaks outside quoted fields.
std::vector<std::string_view> SplitRecords(std::string_view text, char D)
{
    std::vector<std::string_view> records;
    size_t start = 0;
    if (!Holds(text, '"')) {
        // Without quotes every line break ends a record: the breaks are found by searching
        // for each kind on its own.
        size_t cr = text.find('\r'), lf = text.find('\n');
        for (size_t i; (i = std::min(cr, lf)) != std::string_view::npos;) {
            records.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
            if (cr < start) cr = text.find('\r', start);
            if (lf < start) lf = text.find('\n', start);
        }
        if (start < text.size()) records.push_back(text.substr(start));
        return records;
    }
    bool inQuotes = false, fieldStart = true;
    // Most characters only end a field's start: a table tells them apart in one look.
    std::array<bool, 256> special{};
    for (char c : {'\r', '\n', '"', ' ', D}) special[static_cast<unsigned char>(c)] = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (inQuotes) {
            i = text.find('"', i);
            if (i == std::string_view::npos) break;
            if (i + 1 < text.size() && text[i + 1] == '"') ++i;
            else inQuotes = false;
            continue;
        }
        const char ch = text[i];
        if (!special[static_cast<unsigned char>(ch)]) {
            fieldStart = false;
            continue;
        }
        if (ch == '\r' || ch == '\n') {
            records.push_back(text.substr(start, i - start));
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
            fieldStart = true;
        } else if (ch == '"' && fieldStart) {
            inQuotes = true;
            fieldStart = false;
        } else if (D != '\0' && ch == D) {
            fieldStart = true;
        } else if (ch != ' ') {
            fieldStart = false;
        }
    }
    if (start < text.size()) records.push_back(text.substr(start));
    return records;
}

char GuessDelimiter(const String& l1, const String& l2)
{
    char d = '\0';
    int best = 0;
    for (char c : Candidates) {
        const int n1 = CountSingleChar(c, l1), n2 = CountSingleChar(c, l2);
        if (n1 == n2 && n1 > best) d = c, best = n1;
    }
    if (d) return d;
    for (char c : Candidates) {
        const int n1 = CountChar(c, l1), n2 = CountChar(c, l2);
        if (n1 == n2 && n1 > best) d = c, best = n1;
    }
    if (d) return d;
    for (char c : Candidates) {
        const int n1 = CountChar(c, l1), n2 = CountChar(c, l2);
        if (n1 > best || n2 > best) d = c, best = std::max(n1, n2);
    }
    return d;
}

// Whether blanks were dropped.
bool DropBlanks(std::string_view& s)
{
    bool dropped = false;
    while (s.size() >= 2 && s[0] == ' ') s.remove_prefix(1), dropped = true;
    return dropped;
}

String Unbreak(TExtStringGrid& Grid, String field)
{
    if (Grid.JavaCSV) {
        if (field.find_first_of("~^") != String::npos) field = TildeToLineBreaks(field);
    } else if (Holds(field, '\v')) {
        field = VTabToLineBreaks(field);
    }
    return field;
}

// The fields of one record as they stand in the text, each handed to Emit with whether it
// was quoted (a doubled quote inside then stands for one). Nothing is copied here, so a
// reader can count the fields first and build the texts only once the grid takes them.
template <class TEmit>
void ForEachField(std::string_view line, char D, TEmit&& Emit)
{
    for (size_t p; D != '\0' && (p = line.find(D)) != std::string_view::npos;) {
        if (DropBlanks(line)) p = line.find(D);
        if (!line.empty() && line[0] == '"') {
            const String rest(line.substr(1));
            const int q = FindSingleChar('"', rest);
            std::string_view field;
            if (q > 0) {
                field = line.substr(1, size_t(q) - 1);
                line.remove_prefix(size_t(q) + 1);
            }
            p = line.find(D);
            if (p != std::string_view::npos) line.remove_prefix(p + 1);
            Emit(field, true);
        } else {
            const std::string_view field = line.substr(0, p);
            line.remove_prefix(p + 1);
            Emit(field, false);
        }
    }
    if (line.empty()) return;
    DropBlanks(line);
    if (line[0] == '"') {
        line.remove_prefix(1);
        if (!line.empty() && line.back() == '"') line.remove_suffix(1);
        Emit(line, true);
    } else {
        Emit(line, false);
    }
}

// Whether a text holds any of the marks Unbreak turns into line breaks: one look at the
// whole file spares a look at every field.
bool HoldsBreakMarks(TExtStringGrid& Grid, std::string_view Text)
{
    return Grid.JavaCSV ? Text.find_first_of("~^") != std::string_view::npos : Holds(Text, '\v');
}

// The cell text of a field ForEachField found; Marks when the file holds break marks.
String FieldText(TExtStringGrid& Grid, std::string_view Raw, bool Quoted, bool Marks)
{
    String field = Quoted ? UndoubleChar('"', String(Raw)) : String(Raw);
    if (Marks) return Unbreak(Grid, std::move(field));
    return field;
}

enum class TCSVTarget { Load, Insert };

void ReadCSVText(TExtStringGrid& Grid, std::string&& bytes, int MaxRows, TCSVTarget Target)
{
    const std::string_view head = std::string_view(bytes).substr(0, 3);
    const bool bom = head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF" || head == "\xEF\xBB\xBF";
    const String text = Grid.OemConvert && !bom ? TextFromOEM(bytes) : DecodeText(std::move(bytes));
    if (text.empty()) throw Exception("File is empty");

    char D = Grid.Delimiter;
    if (D == '\0') {
        // The guess looks at the first two lines of the file as they stand.
        const std::string_view tv = text;
        const size_t e1 = tv.find_first_of("\r\n");
        String l1(tv.substr(0, e1)), l2;
        if (e1 != std::string_view::npos) {
            const size_t s2 = e1 + (tv[e1] == '\r' && e1 + 1 < tv.size() && tv[e1 + 1] == '\n' ? 2 : 1);
            const size_t e2 = tv.find_first_of("\r\n", s2);
            l2 = String(tv.substr(std::min(s2, tv.size()), e2 == std::string_view::npos ? e2 : e2 - s2));
        }
        D = GuessDelimiter(l1, l2);
    }
    const std::vector<std::string_view> records = SplitRecords(text, D);
    size_t from = Grid.LoadFirstRow ? 0 : 1;
    size_t count = records.size() > from ? records.size() - from : 0;
    if (MaxRows > 0) count = std::min(count, size_t(MaxRows));

    const int H = HiddenSaved(Grid);
    const int startCol = Grid.SaveStartCol();
    TFloatingFooter* footer = Grid.FloatingFooter();
    const bool keepFooterRow = Target == TCSVTarget::Insert && footer && footer->Visible && Grid.RowCount() > 0;
    const int startRow = Target == TCSVTarget::Insert ? Grid.RowCount() - (keepFooterRow ? 1 : 0) : Grid.SaveStartRow();

    // Every record is counted before the grid changes, so a file too large for a grid is
    // refused with the grid as it was; the texts are made only while the grid takes them.
    size_t widest = 0, counted = 0;
    for (; counted < count; ++counted) {
        size_t n = 0;
        ForEachField(records[from + counted], D, [&n](std::string_view, bool) { ++n; });
        widest = std::max(widest, n);
        if (widest > size_t(MaxCols)) break;
    }
    const long long lastRow = static_cast<long long>(startRow) + static_cast<long long>(count) - 1;
    const long long newRows = std::max<long long>(1, lastRow + 1 + Grid.FixedFooters);
    const long long newCols = std::max<long long>(Grid.ColCount(), static_cast<long long>(startCol) + static_cast<long long>(widest) - H);
    CheckGridSize(newCols, newRows, "File holds more cells than a grid can show");

    std::vector<String> footerCells;
    if (keepFooterRow) {
        const int last = Grid.RowCount() - 1;
        for (int c = 0; c < Grid.TotalColCount(); ++c) footerCells.push_back(Grid.GetGridCell(c, last));
        for (int c = 0; c < Grid.TotalColCount(); ++c) Grid.SetGridCell(c, last, String());
    }
    Grid.BeginUpdate();
    if (newCols > Grid.ColCount()) Grid.SetColCount(static_cast<int>(newCols));
    Grid.SetRowCount(static_cast<int>(newRows));
    TProgress progress(Grid);
    const bool marks = HoldsBreakMarks(Grid, text);
    for (size_t i = 0; i < count; ++i) {
        const int r = startRow + static_cast<int>(i);
        int c = startCol;
        if (i < counted)
            ForEachField(records[from + i], D, [&](std::string_view raw, bool quoted) {
                Grid.SetLoadCellText(c++, r, FieldText(Grid, raw, quoted, marks));
            });
        progress.Report(static_cast<long long>(i) + 1, static_cast<long long>(count));
    }
    if (keepFooterRow) {
        const int last = Grid.RowCount() - 1;
        for (size_t c = 0; c < footerCells.size(); ++c) Grid.SetGridCell(int(c), last, footerCells[c]);
    }
    Grid.EndUpdate();
    FinishLoad(Grid);
}

TFileCoding CSVCoding(TExtStringGrid& Grid, bool Unicode)
{
    return Unicode ? TFileCoding::Utf8Bom : TFileCoding::Ansi;
}

std::string CSVBytes(TExtStringGrid& Grid, String&& text, bool Unicode)
{
    if (Grid.OemConvert && !Unicode) return TextToOEM(text);
    return EncodeText(std::move(text), CSVCoding(Grid, Unicode));
}

// The first line of a text, for the one-line formats.
String FirstLine(const String& s)
{
    const size_t p = s.find_first_of("\r\n");
    return p == String::npos ? s : s.substr(0, p);
}

// Characters [from, from + n) of a text, counted as UTF-16 units.
String CopyChars(const std::u16string& w, long long from, long long n)
{
    if (from < 0) n += from, from = 0;
    if (n <= 0 || from >= static_cast<long long>(w.size())) return String();
    return Utf16ToUtf8(std::u16string_view(w).substr(size_t(from), size_t(n)));
}

int CharCount(const String& s) { return Utf8Length(s); }

}  // namespace

// ---------------------------------------------------------------- CSV

String CSVText(TExtStringGrid& Grid)
{
    const char D = Grid.Delimiter ? Grid.Delimiter : ',';
    const int H = HiddenSaved(Grid);
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + H;
    const int r0 = Grid.SaveStartRow(), r1 = Grid.SaveEndRow();
    TProgress progress(Grid);
    const TCharSet special = QuotingChars(D);
    String out;
    String text;
    Grid.ExportNotification(esExportStart, r0);
    for (int r = r0; r <= r1; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) out += D;
            text.clear();
            Grid.GetSaveCellText(SavedRealCol(Grid, c), r, text);
            AppendField(Grid, D, special, text, out);
        }
        out += "\r\n";
        // The first row tells how large the text will grow: one allocation instead of
        // a copy at every doubling.
        if (r == r0) out.reserve(out.size() + out.size() * size_t(r1 - r0) * 9 / 8);
        progress.Report(r, std::max(1, Grid.RowCount() - 1));
    }
    Grid.ExportNotification(esExportDone, -1);
    return out;
}

void SaveToCSV(TExtStringGrid& Grid, const String& FileName, bool Unicode)
{
    WriteFileAtomic(FileName, CSVBytes(Grid, CSVText(Grid), Unicode));
}

void AppendToCSV(TExtStringGrid& Grid, const String& FileName, bool Unicode)
{
    const std::string old = ReadFileBytes(FileName);
    String text = JoinLines(SplitLines(Grid.OemConvert ? TextFromOEM(old) : DecodeText(old)));
    text += CSVText(Grid);
    WriteFileAtomic(FileName, CSVBytes(Grid, std::move(text), Unicode));
}

void LoadFromCSV(TExtStringGrid& Grid, const String& FileName, int MaxRows)
{
    std::string bytes = ReadFileBytes(FileName);
    if (bytes.empty()) return;
    ReadCSVText(Grid, std::move(bytes), MaxRows, TCSVTarget::Load);
}

void InsertFromCSV(TExtStringGrid& Grid, const String& FileName, int MaxRows)
{
    std::string bytes = ReadFileBytes(FileName);
    if (bytes.empty()) return;
    ReadCSVText(Grid, std::move(bytes), MaxRows, TCSVTarget::Insert);
}

void LoadFromCSVStream(TExtStringGrid& Grid, TStream& Stream, int MaxRows)
{
    const int64_t n = Stream.Size() - Stream.Position();
    std::string bytes(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) Stream.ReadBuffer(bytes.data(), n);
    ReadCSVText(Grid, std::move(bytes), MaxRows, TCSVTarget::Load);
}

// ---------------------------------------------------------------- fixed width

void SaveToFixed(TExtStringGrid& Grid, const String& FileName, TIntList& Positions)
{
    const int H = HiddenSaved(Grid);
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + H;
    for (int c = c0; c <= c1; ++c)
        if (c - c0 >= Positions.Count()) Positions.Add(MaxColumnLineLength(Grid, SavedRealCol(Grid, c)) + 1);
    std::vector<String> lines;
    Grid.ExportNotification(esExportStart, Grid.SaveStartRow());
    for (int r = Grid.SaveStartRow(); r <= Grid.SaveEndRow(); ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        String line;
        for (int c = c0; c <= c1; ++c) {
            // Only the first line: a break would end the record in the middle.
            const std::u16string w = Utf8ToUtf16(FirstLine(SaveText(Grid, SavedRealCol(Grid, c), r)));
            const int width = std::max(0, Positions[c - c0]);
            line += CopyChars(w, 0, width);
            if (int(w.size()) < width) line.append(size_t(width) - w.size(), ' ');
        }
        lines.push_back(line);
    }
    Grid.ExportNotification(esExportDone, -1);
    try {
        WriteFileAtomic(FileName, EncodeText(JoinLines(lines), TFileCoding::Ansi));
    } catch (const EInOutError&) {
        throw EExtGridError("Cannot Create file " + FileName);
    }
}

void LoadFromFixed(TExtStringGrid& Grid, const String& FileName, TIntList& Positions, int MaxRows, bool DoTrim)
{
    std::string bytes;
    try {
        bytes = ReadFileBytes(FileName);
    } catch (const EInOutError&) {
        throw EExtGridError("File " + FileName + " not found");
    }
    // Fields lie between two positions: fewer than two positions give no field at all.
    if (Positions.Count() < 2) throw EExtGridError("No field positions for " + FileName);
    std::vector<int> pos = Positions.Items();
    std::sort(pos.begin(), pos.end());
    Positions.Clear();
    for (int p : pos) Positions.Add(p);

    const std::vector<String> lines = SplitLines(DecodeText(bytes));
    size_t count = lines.size();
    if (MaxRows != -1) count = std::min(count, size_t(std::max(1, MaxRows)));
    const int r0 = Grid.SaveStartRow(), c0 = Grid.SaveStartCol();
    const long long cols = static_cast<long long>(Grid.FixedCols()) + static_cast<long long>(pos.size()) - 1;
    const long long rows = std::max<long long>(Grid.RowCount(), static_cast<long long>(r0) + static_cast<long long>(count));
    CheckGridSize(std::max<long long>(cols, c0 + static_cast<long long>(pos.size()) - 1), rows,
                  "File holds more cells than a grid can show");

    Grid.BeginUpdate();
    Grid.SetColCount(static_cast<int>(std::max<long long>(cols, c0 + static_cast<long long>(pos.size()) - 1)));
    Grid.SetRowCount(static_cast<int>(rows));
    for (size_t i = 0; i < count; ++i) {
        const std::u16string w = Utf8ToUtf16(lines[i]);
        for (size_t k = 0; k + 1 < pos.size(); ++k) {
            String f = CopyChars(w, static_cast<long long>(pos[k]) - 1, static_cast<long long>(pos[k + 1]) - pos[k]);
            if (DoTrim) f = Trim(f);
            Grid.SetLoadCellText(c0 + int(k), r0 + int(i), f);
        }
    }
    Grid.EndUpdate();
    FinishLoad(Grid);
}

// ---------------------------------------------------------------- text table

namespace {

String Aligned(const String& s, int W, TAlignment A)
{
    String t = s;
    int len = CharCount(t);
    if (A == taRightJustify && len < W) {
        t.insert(0, size_t(W - len), ' ');
        len = W;
    } else if (A == taCenter) {
        while (len < W) {
            t.insert(t.begin(), ' ');
            t.push_back(' ');
            len += 2;
        }
    }
    if (W - len + 1 > 0) t.append(size_t(W - len + 1), ' ');
    return t;
}

void WriteASCII(TExtStringGrid& Grid, const String& FileName, bool Unicode, bool Append)
{
    std::vector<String> lines;
    if (Append && FileExists(FileName)) lines = ExistingLines(FileName);
    const int H = HiddenSaved(Grid);
    const int c0 = Grid.SaveAllCols() ? 0 : Grid.FixedCols();
    const int r0 = Grid.SaveAllRows() ? 0 : Grid.FixedRows();
    const int c1 = Grid.ColCount() - 1 + H, r1 = Grid.RowCount() - 1;
    std::vector<int> widths;
    for (int c = c0; c <= c1; ++c) widths.push_back(MaxColumnLineLength(Grid, SavedRealCol(Grid, c)));
    Grid.ExportNotification(esExportStart, r0);
    for (int r = r0; r <= r1; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        String row;
        std::vector<String> more;
        int at = 0;
        for (int c = c0; c <= c1; ++c) {
            const int rc = SavedRealCol(Grid, c);
            const int W = widths[size_t(c - c0)];
            const TAlignment A = static_cast<TAlignment>(Grid.GetCellAlignment(rc, r) & 0xFF);
            const std::vector<String> cellLines = SplitLines(SaveText(Grid, rc, r));
            row += Aligned(cellLines.empty() ? String() : cellLines[0], W, A);
            if (Grid.Multilinecells)
                for (size_t k = 1; k < cellLines.size(); ++k) {
                    if (more.size() < k) more.resize(k);
                    String& cont = more[k - 1];
                    const int have = CharCount(cont);
                    if (have < at) cont.append(size_t(at - have), ' ');
                    cont += Aligned(cellLines[k], W, A);
                }
            at += W + 1;
        }
        lines.push_back(row);
        for (String& m : more) lines.push_back(m);
    }
    Grid.ExportNotification(esExportDone, -1);
    WriteFileAtomic(FileName, EncodeText(JoinLines(lines), Unicode ? TFileCoding::Utf16Bom : TFileCoding::Ansi));
}

}  // namespace

void SaveToASCII(TExtStringGrid& Grid, const String& FileName, bool Unicode)
{
    WriteASCII(Grid, FileName, Unicode, false);
}

void AppendToASCII(TExtStringGrid& Grid, const String& FileName, bool Unicode)
{
    WriteASCII(Grid, FileName, Unicode, true);
}

}  // namespace GridExchange
