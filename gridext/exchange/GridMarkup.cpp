// HTML export of the grid, and XML export and import through the XML layer.
#include <algorithm>
#include <map>

#include "grid/cells/CellGraphic.h"
#include "grid/html/MiniHTML.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/os/Files.h"
#include "platform/os/Process.h"
#include "platform/gui/ImgList.h"
#include "platform/rtl/Unicode.h"
#include "platform/xml/XMLDoc.h"

namespace GridExchange {

namespace {

const String CRLF = "\r\n";

String Quoted(const String& s) { return "\"" + s + "\""; }

String URLToAnchor(TExtStringGrid& Grid, const String& s)
{
    if (!Grid.URLShow() || s.find("</") != String::npos) return s;
    for (std::string_view mark : {std::string_view("://"), std::string_view("mailto:")}) {
        const size_t p = s.find(mark);
        if (p == String::npos) continue;
        String shown = Grid.URLFull() ? s : s.substr(p + mark.size());
        if (!Grid.URLFull() && Utf8Length(shown) > 255) shown = Utf16ToUtf8(Utf8ToUtf16(shown).substr(0, 255));
        return "<a href=" + s + ">" + shown + "</a>";
    }
    return s;
}

// Characters beyond ASCII as numeric character references: a 7-bit page then still
// shows every character of the cells.
String ToAsciiReferences(const String& s)
{
    String r;
    r.reserve(s.size());
    for (char32_t u : Utf8ToUtf32(s)) {
        if (u < 0x80) r += static_cast<char>(u);
        else r += "&#" + IntToStr(static_cast<long long>(u)) + ";";
    }
    return r;
}

class THTMLWriter {
public:
    THTMLWriter(TExtStringGrid& Grid, const String& Dir) : G(Grid), FDir(Dir) {}

    String Page()
    {
        THTMLSettings& S = *G.HTMLSettings();
        String prolog;
        if (S.XHTML) {
            prolog += "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + CRLF;
            prolog += "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"" + CRLF;
            prolog += "    \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">" + CRLF;
            prolog += "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">" + CRLF;
        }
        prolog += S.PrefixTag;

        const int c0 = G.SaveAllCols() ? 0 : G.FixedCols();
        int r0 = G.SaveAllRows() ? 0 : G.FixedRows();
        std::vector<String> lines;
        String t = "<TABLE BORDER=" + Quoted(IntToStr(S.BorderSize)) + " CELLSPACING=" + Quoted(IntToStr(S.CellSpacing)) +
                   " CELLPADDING=" + Quoted(IntToStr(S.CellPadding)) + " ";
        if (!S.Summary.empty()) t += "SUMMARY=" + Quoted(S.Summary) + " ";
        if (!S.TableStyle.empty()) t += " " + S.TableStyle + " ";
        t += " WIDTH=" + Quoted(IntToStr(S.Width) + "%") + ">";
        lines.push_back(t);
        FHeader = G.FixedRows() > 0 && G.SaveAllRows();
        if (FHeader) {
            lines.push_back(Row(0, c0, true));
            r0 = std::max(r0, 1);
        }
        G.ExportNotification(esExportStart, r0);
        for (int r = r0; r < G.RowCount(); ++r) {
            G.ExportNotification(esExportNextRow, r);
            lines.push_back(Row(r, c0, false));
        }
        G.ExportNotification(esExportDone, -1);
        lines.push_back("</TABLE>");
        if (!S.SuffixTag.empty()) lines.push_back(S.SuffixTag);
        if (S.XHTML) lines.push_back("</HTML>");

        String out = prolog + "<style>" + CRLF;
        for (size_t i = 0; i < FStyles.size(); ++i) out += ".c" + IntToStr(long(i)) + " {" + FStyles[i] + "}" + CRLF;
        out += "</style>" + CRLF;
        out += JoinLines(lines);
        return out;
    }

private:
    String Row(int r, int c0, bool header)
    {
        String line = "<TR>";
        for (int c = c0; c < G.ColCount(); ++c) {
            const int rc = G.RealColIndex(c);
            if (IsCoveredCell(G, rc, r)) continue;
            line += Cell(rc, r, c - c0, header);
        }
        return line + "</TR>";
    }

    String Cell(int c, int r, int index, bool header)
    {
        THTMLSettings& S = *G.HTMLSettings();
        String attrs;
        const TPoint ext = G.CellExt(c, r);
        if (ext.X > 0) attrs += " COLSPAN=" + Quoted(IntToStr(ext.X + 1));
        if (ext.Y > 0) attrs += " ROWSPAN=" + Quoted(IntToStr(ext.Y + 1));

        String text = SaveText(G, c, r);
        if (!header) {
            if (S.ConvertSpecialChars) text = EscapeHTML(text, true);
            if (S.NonBreakingText) text = BlanksToNbsp(text);
        }
        text = URLToAnchor(G, LineBreaksToBR(text));
        if (header ? text.empty() : Trim(text).empty()) text = "&nbsp;";

        TFont font;
        TBrush brush;
        font.SetColor(clNone);
        brush.SetColor(clNone);
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = true;
        TGradientDirection gd = GradientVertical;
        TGridDrawState state;
        const bool fixed = r < G.FixedRows() || c < G.FixedCols();
        if (fixed) state << gdFixed;
        G.GetVisualProperties(c, r, state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha, va, ww, gd);

        const TIntList* widths = S.ColWidths();
        String width;
        if (header && index < widths->Count()) width = " WIDTH=" + IntToStr((*widths)[c]);
        else if (!header && !FHeader && index < widths->Count()) width = " width=" + IntToStr((*widths)[index]);
        const String nowrap = ww ? "" : " nowrap";

        std::vector<String> decl;
        const TColor bg = fixed ? G.FixedColor() : brush.Color();
        if (brush.Color() != clNone && S.SaveColor) decl.push_back("background-color: #" + ColorToHTMLHex(bg));
        if (font.Color() != clNone && S.SaveColor) decl.push_back("color: #" + ColorToHTMLHex(font.Color()));
        decl.push_back("font-size:" + IntToStr(font.Size()) + "pt");
        if (font.Style().Contains(fsItalic)) decl.push_back("font-style: italic");
        if (font.Style().Contains(fsBold)) decl.push_back("font-weight: bold");
        decl.push_back("font-family: " + font.Name());
        if (ha == taRightJustify) decl.push_back("text-align: right");
        else if (ha == taCenter) decl.push_back("text-align: center");
        decl.push_back(va == vtaTop ? "vertical-align: top" : va == vtaCenter ? "vertical-align: middle" : "vertical-align: bottom");
        String css;
        for (size_t i = 0; i < decl.size(); ++i) css += (i ? ";" : "") + decl[i];
        auto it = std::find(FStyles.begin(), FStyles.end(), css);
        const size_t cls = size_t(it - FStyles.begin());
        if (it == FStyles.end()) FStyles.push_back(css);

        const String content = S.ExportImages ? CellContent(c, r, text) : text;
        return "<TD class=" + Quoted("c" + IntToStr(long(cls))) + attrs + nowrap + width + ">" + content + "</td>";
    }

    // The cell's content with its pictures written beside the page and referenced.
    String CellContent(int c, int r, const String& text)
    {
        TCellGraphic* g = G.GetCellGraphic(c, r);
        if (!g) return text;
        TImageList* images = G.GetCellImageList(c, r);
        auto listTag = [&](int idx) -> String {
            if (!images || idx < 0 || idx >= images->Count()) return String();
            TBitmap bmp;
            images->GetBitmap(idx, &bmp);
            return PictureTag(bmp);
        };
        switch (g->CellType) {
        case ctBitmap:
            if (auto* b = dynamic_cast<TBitmap*>(g->CellBitmap)) return text + PictureTag(*b);
            return text;
        case ctPicture:
            if (auto* p = dynamic_cast<TPicture*>(g->CellBitmap)) return text + PictureTag(*p->Bitmap());
            return text;
        case ctImageList: return listTag(g->CellIndex) + text;
        case ctDataImage: {
            // The text is the image's number and is not shown.
            int idx = 0;
            return TryStrToInt(Trim(SaveText(G, c, r)), idx) ? listTag(idx) : String();
        }
        case ctImages: {
            String tags;
            if (auto* l = dynamic_cast<TIntList*>(g->CellBitmap))
                for (int i = 0; i < l->Count(); ++i) tags += listTag((*l)[i]);
            return tags + text;
        }
        case ctNode: return "+" + text;
        default: return text;
        }
    }

    // The picture as a JPEG file in the page's "images" folder, numbered from 1 over the
    // whole export, and the tag that shows it.
    String PictureTag(const TBitmap& bmp)
    {
        if (bmp.Empty()) return String();
        const String folder = FDir + "images";
        if (!DirectoryExists(folder) && !ForceDirectories(folder)) throw Exception("Cannot create " + folder);
        const String path = folder + "/img" + IntToStr(++FPictures) + ".jpg";
        bmp.SaveToFile(path);
        return "<img src= \"file://" + path + "\">";
    }

    TExtStringGrid& G;
    String FDir;
    int FPictures = 0;
    bool FHeader = false;
    std::vector<String> FStyles;
};

void WriteHTMLFile(TExtStringGrid& Grid, const String& FileName, bool Unicode, bool Append, bool Show)
{
    THTMLSettings& S = *Grid.HTMLSettings();
    std::vector<String> lines;
    if (Append) lines = ExistingLines(FileName);
    auto add = [&](const String& text) {
        for (String& l : SplitLines(text)) lines.push_back(std::move(l));
    };
    if (!S.HeaderFile.empty()) add(DecodeText(ReadFileBytes(S.HeaderFile)));
    add(SaveToHTMLString(Grid, StringReplace(ExtractFilePath(FileName), "\\", "/", rfReplaceAll)));
    if (!S.FooterFile.empty()) add(DecodeText(ReadFileBytes(S.FooterFile)));
    const String page = JoinLines(lines);
    WriteFileAtomic(FileName, Unicode ? EncodeText(page, TFileCoding::Utf16Bom) : ToAsciiReferences(page));
    if (Show || S.AutoPreview) {
        // The desktop's own program for the page; it runs on after the grid is done.
        TProcess viewer;
        if (viewer.Start("xdg-open", {FileName})) viewer.Abandon();
    }
}

// ---------------------------------------------------------------- XML

bool IsXmlName(const String& s)
{
    if (s.empty()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!(letter || (i > 0 && other))) return false;
    }
    return !(s.size() >= 3 && SameText(s.substr(0, 3), "xml"));
}

bool IsUtf8Name(const String& encoding)
{
    return SameText(encoding, "UTF-8") || SameText(encoding, "UTF8");
}

// UTF-8 text as single bytes where the 8-bit encodings agree (ASCII and U+00A0 ..
// U+00FF), every other character as a character reference, so the file reads the same
// whether a reader takes the declared ISO-8859-1 or Windows-1252.
std::string ToLatin1References(const String& s)
{
    std::string r;
    r.reserve(s.size());
    for (char32_t u : Utf8ToUtf32(s)) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) r += static_cast<char>(u);
        else r += "&#" + std::to_string(static_cast<unsigned long>(u)) + ";";
    }
    return r;
}

struct TXMLWrite {
    int Col, Row;
    String Text;
};

class TXMLReader {
public:
    TXMLReader(TExtStringGrid& Grid, bool LevelToRow, bool LoadFieldDescr)
        : G(Grid), FLevelToRow(LevelToRow), FLoadFieldDescr(LoadFieldDescr)
    {
        FStartCol = G.SaveStartCol();
        FStartRow = ((!G.SaveFixedCells && !G.SaveFixedRows) || LoadFieldDescr) ? G.FixedRows() : 0;
        FMaxCol = FStartCol;
        FMaxRow = FStartRow;
    }

    void Read(const TXMLNode& root)
    {
        const std::vector<TXMLNode> children = root.ChildNodes();
        for (size_t i = 0; i < children.size(); ++i) {
            FColOffset = 0;
            FLevel = 1;
            std::vector<std::pair<std::string_view, std::string_view>> attrs;
            children[i].ListAttributes(attrs);
            if (FLevelToRow && i == 0 && attrs.empty()) FRowOffset = -1;
            Node(children[i], 0);
            if (!FLevelToRow) ++FRowOffset;
        }
    }

    std::vector<TXMLWrite> Writes;
    int FMaxCol, FMaxRow;

private:
    // Deeper documents are refused: the walk is recursive and a forged file must not
    // exhaust the stack.
    static constexpr int MaxDepth = 200;

    int TargetCol() const { return FStartCol + FColOffset; }
    int TargetRow() const { return FStartRow + FRowOffset; }

    bool Row0Empty(int col) const
    {
        for (const TXMLWrite& w : Writes)
            if (w.Row == 0 && w.Col == col) return w.Text.empty();
        return col >= G.TotalColCount() || G.RowCount() == 0 || G.GetGridCell(col, 0).empty();
    }

    void Put(int col, int row, const String& text)
    {
        if (col < 0 || row < 0) return;
        CheckGridSize(static_cast<long long>(col) + 1, static_cast<long long>(row) + 1, "XML file holds more cells than a grid can show");
        Writes.push_back({col, row, text});
        FMaxCol = std::max(FMaxCol, col);
        FMaxRow = std::max(FMaxRow, row);
    }

    static String AllText(const TXMLNode& n, int depth)
    {
        if (depth > MaxDepth) throw Exception("XML file nested too deeply");
        String s = n.Text();
        for (const TXMLNode& c : n.ChildNodes()) s += AllText(c, depth + 1);
        return s;
    }

    void Node(const TXMLNode& node, int depth)
    {
        if (depth > MaxDepth) throw Exception("XML file nested too deeply");
        const bool saveFixed = G.SaveFixedCells || G.SaveFixedRows;
        std::vector<std::pair<std::string_view, std::string_view>> attrs;
        node.ListAttributes(attrs);
        bool newRow = false;
        for (const auto& [name, value] : attrs) {
            if (saveFixed && Row0Empty(TargetCol())) Put(TargetCol(), 0, String(name));
            Put(TargetCol(), TargetRow(), String(value));
            ++FColOffset;
        }
        if (FLevelToRow && !attrs.empty()) {
            ++FRowOffset;
            FColOffset = FLevel;
            newRow = true;
        }
        const std::vector<TXMLNode> children = node.ChildNodes();
        const String text = node.Text();
        if (children.size() > 1) {
            if (FLevelToRow && !newRow) {
                ++FRowOffset;
                FColOffset = 0;
            }
            ++FLevel;
            for (const TXMLNode& c : children) Node(c, depth + 1);
        } else if (children.size() == 1 || !text.empty()) {
            if (saveFixed && FLoadFieldDescr && Row0Empty(TargetCol())) Put(TargetCol(), 0, node.NodeName());
            String value = AllText(node, depth);
            if (G.QuoteEmptyCells && value == "\"\"") value.clear();
            Put(TargetCol(), TargetRow(), value);
            ++FColOffset;
        } else {
            Put(TargetCol(), TargetRow(), String());
            ++FColOffset;
        }
    }

    TExtStringGrid& G;
    bool FLevelToRow, FLoadFieldDescr;
    int FStartCol, FStartRow;
    int FColOffset = 0, FRowOffset = 0, FLevel = 1;
};

}  // namespace

String SaveToHTMLString(TExtStringGrid& Grid, const String& Dir)
{
    return THTMLWriter(Grid, Dir).Page();
}

void SaveToHTML(TExtStringGrid& Grid, const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(Grid, FileName, Unicode, false, Show);
}

void AppendToHTML(TExtStringGrid& Grid, const String& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(Grid, FileName, Unicode, true, Show);
}

void SaveToXML(TExtStringGrid& Grid, const String& FileName, const String& ListDescr, const String& RecordDescr,
               const TStringList* FieldDescr, bool ExportEmptyCells)
{
    if (!IsXmlName(ListDescr) || !IsXmlName(RecordDescr))
        throw EExtGridError("Invalid XML element name for " + FileName);
    TXMLDocument doc;
    TXMLNode root = doc.AddChild(ListDescr);
    const int H = HiddenSaved(Grid);
    const int c0 = Grid.SaveStartCol(), c1 = Grid.SaveEndCol() + H;
    const int r0 = Grid.SaveStartRow(), r1 = Grid.SaveEndRow();
    TProgress progress(Grid);
    for (int r = r0; r <= r1; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        TXMLNode rec = root.AddChild(RecordDescr);
        for (int c = c0; c <= c1; ++c) {
            const int rc = SavedRealCol(Grid, c);
            if (IsCoveredCell(Grid, rc, r)) continue;
            String text = SaveText(Grid, rc, r);
            if (text.empty() && !ExportEmptyCells) continue;
            if (text.empty() && Grid.QuoteEmptyCells) text = "\"\"";
            const int i = c - c0;
            // A name that is no XML name would make the file unreadable: the field then
            // gets its positional name.
            String name = FieldDescr && i < FieldDescr->Count() ? (*FieldDescr)[i] : String();
            if (!IsXmlName(name)) name = "FIELD" + IntToStr(i);
            rec.AddChild(name).SetText(text);
        }
        progress.Report(r, std::max(1, r1 - r0));
    }
    Grid.ExportNotification(esExportDone, -1);

    const bool utf8 = IsUtf8Name(Grid.XMLEncoding);
    const String body = doc.SaveToXML();
    String text = "<?xml version=\"1.0\" encoding=\"" + Grid.XMLEncoding + "\" ?>" + CRLF;
    text += JoinLines(SplitLines(body));
    try {
        WriteFileAtomic(FileName, utf8 ? text : ToLatin1References(text));
    } catch (const EInOutError&) {
        throw EExtGridError("Cannot Create file " + FileName);
    }
}

void LoadFromXML(TExtStringGrid& Grid, const String& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName)) throw Exception("XML file not found");
    TXMLDocument doc;
    try {
        doc.LoadFromFile(FileName);
    } catch (const EXmlError& e) {
        throw Exception("XMLDOM Parsing error " + e.Message());
    }
    TXMLReader reader(Grid, LevelToRow, LoadFieldDescr);
    if (TXMLNode root = doc.DocumentElement()) reader.Read(root);

    Grid.BeginUpdate();
    if (reader.FMaxCol + 1 > Grid.ColCount()) Grid.SetColCount(reader.FMaxCol + 1);
    if (reader.FMaxRow + 1 > Grid.RowCount()) Grid.SetRowCount(reader.FMaxRow + 1);
    for (const TXMLWrite& w : reader.Writes) Grid.SetLoadCellText(w.Col, w.Row, w.Text);
    Grid.SetColCount(reader.FMaxCol + 1);
    Grid.SetRowCount(reader.FMaxRow + 1);
    Grid.EndUpdate();
    Grid.CalcFooterAll();
}

}  // namespace GridExchange
