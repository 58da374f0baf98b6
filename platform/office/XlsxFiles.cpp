// .xlsx workbooks: read from the zip package's XML parts, written with the xlsx writer
// library.
#include <xlsxwriter.h>

#include <cmath>
#include <cstdlib>

#include "platform/office/Workbook.h"
#include "platform/office/ZipPackage.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"

namespace Office {

std::string ColumnLetters(int Col)
{
    std::string s;
    for (int n = Col; n > 0; n = (n - 1) / 26) s.insert(s.begin(), static_cast<char>('A' + (n - 1) % 26));
    return s;
}

bool ParseCellRef(const std::string& Ref, int& Row, int& Col)
{
    size_t i = 0;
    if (i < Ref.size() && Ref[i] == '$') ++i;
    long long c = 0;
    const size_t letters = i;
    while (i < Ref.size() && ((Ref[i] >= 'A' && Ref[i] <= 'Z') || (Ref[i] >= 'a' && Ref[i] <= 'z'))) {
        c = c * 26 + ((Ref[i] & ~0x20) - 'A' + 1);
        if (c > MaxSheetCols) return false;
        ++i;
    }
    if (i == letters) return false;
    if (i < Ref.size() && Ref[i] == '$') ++i;
    long long r = 0;
    const size_t digits = i;
    while (i < Ref.size() && Ref[i] >= '0' && Ref[i] <= '9') {
        r = r * 10 + (Ref[i] - '0');
        if (r > MaxSheetRows) return false;
        ++i;
    }
    if (i == digits || i != Ref.size() || r == 0) return false;
    Row = static_cast<int>(r);
    Col = static_cast<int>(c);
    return true;
}

namespace {

// Element names without their namespace prefix: writers differ in the prefixes they use.
std::string LocalName(const TXMLNode& n)
{
    std::string s = n.NodeName();
    const size_t colon = s.find(':');
    return colon == std::string::npos ? s : s.substr(colon + 1);
}

TXMLNode Find(const TXMLNode& parent, const char* local)
{
    for (const TXMLNode& c : parent.ChildNodes())
        if (LocalName(c) == local) return c;
    return {};
}

// The text of an <si> or <is>: its <t>, or the <t> of each rich-text run.
std::string RichText(const TXMLNode& n)
{
    std::string s;
    for (const TXMLNode& c : n.ChildNodes()) {
        const std::string name = LocalName(c);
        if (name == "t") s += c.Text();
        else if (name == "r")
            if (TXMLNode t = Find(c, "t")) s += t.Text();
    }
    return s;
}

std::string Part(const TZipPackage& p, const std::string& name, const std::string& file)
{
    std::string s;
    if (!p.Find(name, s)) throw EOfficeError("Cannot read " + file + ": " + name + " is missing");
    return s;
}

void Load(TXMLDocument& doc, const std::string& text, const std::string& name)
{
    try {
        doc.LoadFromXML(text, name);
    } catch (const Exception& e) {
        throw EOfficeError(e.Message());
    }
}

// A relationship target as an entry name of the package.
std::string EntryOf(std::string target)
{
    if (!target.empty() && target[0] == '/') return target.substr(1);
    return "xl/" + target;
}

TCellValue ReadCell(const TXMLNode& c, const std::vector<std::string>& shared)
{
    const std::string t = c.AttributeDef("t", "n");
    if (t == "inlineStr") {
        TXMLNode is = Find(c, "is");
        return TCellValue::OfText(is ? RichText(is) : std::string());
    }
    TXMLNode v = Find(c, "v");
    if (!v) return {};
    const std::string text = v.Text();
    if (t == "s") {
        char* end = nullptr;
        const long i = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str() || i < 0 || static_cast<size_t>(i) >= shared.size())
            throw EOfficeError("a shared text out of range");
        return TCellValue::OfText(shared[static_cast<size_t>(i)]);
    }
    if (t == "str") return TCellValue::OfText(text);
    if (t == "e") return {TCellValue::Error, text, 0};
    if (t == "b") return {TCellValue::Boolean, {}, text == "1" || text == "true" ? 1.0 : 0.0};
    char* end = nullptr;
    const double d = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return TCellValue::OfText(text);
    return TCellValue::OfNumber(d);
}

}  // namespace

TWorkbook ReadXlsx(const std::string& FileName)
{
    const TZipPackage p = TZipPackage::Read(FileName);
    TWorkbook book;
    book.FileName = FileName;
    try {
        std::vector<std::string> shared;
        std::string text;
        if (p.Find("xl/sharedStrings.xml", text)) {
            TXMLDocument doc;
            Load(doc, text, "xl/sharedStrings.xml");
            for (const TXMLNode& si : doc.DocumentElement().ChildNodes())
                if (LocalName(si) == "si") shared.push_back(RichText(si));
        }
        TXMLDocument rels;
        Load(rels, Part(p, "xl/_rels/workbook.xml.rels", FileName), "workbook relationships");
        TXMLDocument wb;
        Load(wb, Part(p, "xl/workbook.xml", FileName), "xl/workbook.xml");
        TXMLNode sheets = Find(wb.DocumentElement(), "sheets");
        if (!sheets) throw EOfficeError("Cannot read " + FileName + ": the workbook lists no sheets");
        long long cells = 0;
        for (const TXMLNode& s : sheets.ChildNodes()) {
            if (LocalName(s) != "sheet") continue;
            std::string id;
            if (!s.FindAttribute("r:id", id)) throw EOfficeError("Cannot read " + FileName + ": a sheet without its part");
            std::string target;
            for (const TXMLNode& r : rels.DocumentElement().ChildNodes())
                if (r.AttributeDef("Id", "") == id) target = r.AttributeDef("Target", "");
            TSheet sheet;
            sheet.Name = s.AttributeDef("name", "");
            TXMLDocument ws;
            Load(ws, Part(p, EntryOf(target), FileName), EntryOf(target));
            TXMLNode data = Find(ws.DocumentElement(), "sheetData");
            for (const TXMLNode& row : data ? data.ChildNodes() : std::vector<TXMLNode>()) {
                if (LocalName(row) != "row") continue;
                for (const TXMLNode& c : row.ChildNodes()) {
                    if (LocalName(c) != "c") continue;
                    int rr = 0, cc = 0;
                    if (!ParseCellRef(c.AttributeDef("r", ""), rr, cc))
                        throw EOfficeError("Cannot read " + FileName + ": a cell without a valid place");
                    TCellValue v = ReadCell(c, shared);
                    if (v.Kind == TCellValue::Empty) continue;
                    if (++cells > MaxWorkbookCells) throw EOfficeError("Cannot read " + FileName + ": too many cells");
                    sheet.Cells[{rr, cc}] = std::move(v);
                }
            }
            book.Sheets.push_back(std::move(sheet));
        }
    } catch (const EOfficeError& e) {
        const std::string m = e.Message();
        throw EOfficeError(m.rfind("Cannot read", 0) == 0 ? m : "Cannot read " + FileName + ": " + m);
    }
    if (book.Sheets.empty()) throw EOfficeError("Cannot read " + FileName + ": the workbook has no sheets");
    return book;
}

namespace {

// "12", "-3.25", "0.5": a text a spreadsheet program takes as a number when typed in,
// and whose number reads back as the same text. Leading zeros, signs, blanks, exponents
// and more than 15 digits keep a text a text.
bool PlainNumber(const std::string& s)
{
    size_t i = s[0] == '-' ? 1 : 0;
    const size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    const size_t intDigits = i - start;
    if (intDigits == 0 || (intDigits > 1 && s[start] == '0')) return false;
    size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++fracDigits;
        if (fracDigits == 0 || s.back() == '0') return false;
    }
    return i == s.size() && intDigits + fracDigits <= 15 && s != "-0";
}

}  // namespace

void WriteXlsx(const TWorkbook& Book, const std::string& FileName)
{
    const std::string tmp = FileName + ".part";
    DeleteFile(tmp);
    lxw_workbook* wb = workbook_new(tmp.c_str());
    if (!wb) throw EOfficeError("Cannot write " + FileName);
    auto fail = [&](const std::string& why) {
        workbook_close(wb);
        DeleteFile(tmp);
        throw EOfficeError("Cannot write " + FileName + ": " + why);
    };
    for (const TSheet& s : Book.Sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, s.Name.c_str());
        if (!ws) fail("\"" + s.Name + "\" is no valid sheet name");
        for (const auto& [place, v] : s.Cells) {
            const lxw_row_t r = static_cast<lxw_row_t>(place.first - 1);
            const lxw_col_t c = static_cast<lxw_col_t>(place.second - 1);
            lxw_error e = LXW_NO_ERROR;
            switch (v.Kind) {
            case TCellValue::Number: e = worksheet_write_number(ws, r, c, v.Num, nullptr); break;
            case TCellValue::Boolean: e = worksheet_write_boolean(ws, r, c, v.Num != 0, nullptr); break;
            case TCellValue::Error:
            case TCellValue::Text:
                if (v.Kind == TCellValue::Text && PlainNumber(v.Str))
                    e = worksheet_write_number(ws, r, c, std::strtod(v.Str.c_str(), nullptr), nullptr);
                else
                    e = worksheet_write_string(ws, r, c, v.Str.c_str(), nullptr);
                break;
            case TCellValue::Empty: break;
            }
            if (e != LXW_NO_ERROR) fail(lxw_strerror(e));
        }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) {
        DeleteFile(tmp);
        throw EOfficeError("Cannot write " + FileName);
    }
    if (!RenameFile(tmp, FileName)) {
        DeleteFile(tmp);
        throw EOfficeError("Cannot write " + FileName);
    }
}

}  // namespace Office
