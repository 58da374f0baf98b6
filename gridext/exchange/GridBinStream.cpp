// The binary cell stream: a block of cells with their properties and graphics as a
// sequence of small component records ("TPF0", class name, empty object name, the
// properties as name, tag and value, two closing zero bytes).
//
// A block is read whole and checked before the grid changes: a record that is not one,
// a truncated stream, a string or data length beyond the stream's end, or counts
// beyond what a grid can hold refuse the block with the grid as it was.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <variant>

#include "grid/cells/CellGraphic.h"
#include "grid/util/GridSupport.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/gui/PictureData.h"
#include "platform/os/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"

namespace GridExchange {

namespace {

enum TValueTag : uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaWString = 18, vaUTF8String = 20,
};

// The file image of a picture (binary data in the stream, written even when empty).
struct TBinary {
    std::string Bytes;
};

using TValue = std::variant<long long, double, bool, String, std::vector<String>, TBinary>;

struct TProp {
    String Name;
    TValue Value;
};

struct TRecord {
    String Class;
    std::vector<TProp> Props;

    void Add(const String& n, TValue v) { Props.push_back({n, std::move(v)}); }
    const TValue* Find(std::string_view n) const
    {
        for (const TProp& p : Props)
            if (p.Name == n) return &p.Value;
        return nullptr;
    }
    long long Int(std::string_view n, long long def = 0) const
    {
        const TValue* v = Find(n);
        if (!v) return def;
        if (auto* i = std::get_if<long long>(v)) return *i;
        if (auto* b = std::get_if<bool>(v)) return *b;
        throw EStreamError("Invalid property value for " + String(n));
    }
    bool Bool(std::string_view n) const { return Int(n) != 0; }
    double Float(std::string_view n) const
    {
        const TValue* v = Find(n);
        if (!v) return 0;
        if (auto* d = std::get_if<double>(v)) return *d;
        return double(Int(n));
    }
    String Str(std::string_view n) const
    {
        const TValue* v = Find(n);
        if (!v) return String();
        if (auto* s = std::get_if<String>(v)) return *s;
        throw EStreamError("Invalid property value for " + String(n));
    }
    std::string Data(std::string_view n) const
    {
        const TValue* v = Find(n);
        if (!v) return {};
        if (auto* b = std::get_if<TBinary>(v)) return b->Bytes;
        throw EStreamError("Invalid property value for " + String(n));
    }
    std::vector<String> List(std::string_view n) const
    {
        const TValue* v = Find(n);
        if (!v) return {};
        if (auto* l = std::get_if<std::vector<String>>(v)) return *l;
        throw EStreamError("Invalid property value for " + String(n));
    }
};

// ---------------------------------------------------------------- writing

class TWriter {
public:
    void Byte(uint8_t b) { FOut.push_back(static_cast<char>(b)); }
    void Raw(const void* p, size_t n) { FOut.append(static_cast<const char*>(p), n); }
    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) Byte(uint8_t(v >> (8 * i)));
    }
    void Short(const String& s)
    {
        const size_t n = std::min<size_t>(s.size(), 255);
        Byte(uint8_t(n));
        Raw(s.data(), n);
    }
    void Int(long long v)
    {
        if (v >= -128 && v <= 127) {
            Byte(vaInt8);
            Byte(uint8_t(int8_t(v)));
        } else if (v >= -32768 && v <= 32767) {
            Byte(vaInt16);
            const int16_t x = int16_t(v);
            Raw(&x, 2);
        } else {
            Byte(vaInt32);
            U32(uint32_t(int32_t(v)));
        }
    }
    void Extended(double d)
    {
        uint8_t b[10] = {};
        uint64_t mant = 0;
        int exp = 0;
        const bool neg = std::signbit(d);
        if (std::isnan(d) || std::isinf(d)) {
            exp = 0x7FFF;
            mant = std::isnan(d) ? 0xC000000000000000ULL : 0x8000000000000000ULL;
        } else if (d != 0) {
            int e = 0;
            const double m = std::frexp(std::fabs(d), &e);   // 0.5 <= m < 1
            mant = static_cast<uint64_t>(std::ldexp(m, 64));
            exp = e - 1 + 16383;
        }
        std::memcpy(b, &mant, 8);
        const uint16_t se = uint16_t(exp | (neg ? 0x8000 : 0));
        std::memcpy(b + 8, &se, 2);
        Byte(vaExtended);
        Raw(b, 10);
    }
    void Str(const String& s)
    {
        const std::u16string w = Utf8ToUtf16(s);
        const bool ascii = std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (s.size() < 2 * w.size() || ascii) {
            if (ascii && s.size() < 256) {
                Byte(vaString);
                Short(s);
            } else {
                Byte(ascii ? vaLString : vaUTF8String);
                U32(uint32_t(s.size()));
                Raw(s.data(), s.size());
            }
        } else {
            Byte(vaWString);
            U32(uint32_t(w.size()));
            for (char16_t u : w) {
                Byte(uint8_t(u & 0xFF));
                Byte(uint8_t(u >> 8));
            }
        }
    }
    void Record(const TRecord& r)
    {
        Raw("TPF0", 4);
        Short(r.Class);
        Short(String());
        for (const TProp& p : r.Props) {
            if (auto* s = std::get_if<String>(&p.Value); s && s->empty()) continue;
            Short(p.Name);
            if (auto* i = std::get_if<long long>(&p.Value)) Int(*i);
            else if (auto* d = std::get_if<double>(&p.Value)) Extended(*d);
            else if (auto* b = std::get_if<bool>(&p.Value)) Byte(*b ? vaTrue : vaFalse);
            else if (auto* s = std::get_if<String>(&p.Value)) Str(*s);
            else if (auto* bin = std::get_if<TBinary>(&p.Value)) {
                Byte(vaBinary);
                U32(uint32_t(bin->Bytes.size()));
                Raw(bin->Bytes.data(), bin->Bytes.size());
            }
            else if (auto* l = std::get_if<std::vector<String>>(&p.Value)) {
                // Set properties name their members; lists of lines are lists.
                const bool set = p.Name.size() >= 5 && p.Name.substr(p.Name.size() - 5) == "Style";
                Byte(set ? vaSet : vaList);
                for (const String& x : *l) {
                    if (set) Short(x);
                    else Str(x);
                }
                if (set) Byte(0);
                else Byte(vaNull);
            }
        }
        Byte(0);
        Byte(0);
    }
    const std::string& Out() const { return FOut; }

private:
    std::string FOut;
};

// ---------------------------------------------------------------- reading

class TReader {
public:
    explicit TReader(std::string_view In) : FIn(In) {}
    bool AtEnd() const { return FPos + 1 >= FIn.size(); }
    size_t Pos() const { return FPos; }
    void Seek(size_t p) { FPos = std::min(p, FIn.size()); }

    uint8_t Byte()
    {
        Need(1);
        return static_cast<uint8_t>(FIn[FPos++]);
    }
    std::string_view Take(size_t n)
    {
        Need(n);
        const std::string_view v = FIn.substr(FPos, n);
        FPos += n;
        return v;
    }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(Byte()) << (8 * i);
        return v;
    }
    String Short() { return String(Take(Byte())); }

    TValue Value(uint8_t tag, int depth = 0)
    {
        switch (tag) {
        case vaInt8: return static_cast<long long>(int8_t(Byte()));
        case vaInt16: {
            const std::string_view b = Take(2);
            int16_t v;
            std::memcpy(&v, b.data(), 2);
            return static_cast<long long>(v);
        }
        case vaInt32: return static_cast<long long>(int32_t(U32()));
        case vaExtended: {
            const std::string_view b = Take(10);
            uint64_t mant;
            uint16_t se;
            std::memcpy(&mant, b.data(), 8);
            std::memcpy(&se, b.data() + 8, 2);
            const int exp = se & 0x7FFF;
            double d = exp == 0 && mant == 0 ? 0.0 : std::ldexp(double(mant), exp - 16383 - 63);
            if (exp == 0x7FFF) d = (mant << 1) ? NAN : INFINITY;
            return (se & 0x8000) ? -d : d;
        }
        case vaString:
        case vaIdent: return Short();
        case vaFalse: return false;
        case vaTrue: return true;
        case vaLString:
        case vaUTF8String: return String(Take(U32()));
        case vaWString: {
            const uint32_t n = U32();
            if (n > (FIn.size() - FPos) / 2) throw EReadError("Stream read error");
            return Utf16BytesToUtf8(Take(size_t(n) * 2), false);
        }
        case vaBinary: return TBinary{std::string(Take(U32()))};
        case vaNil: return String();
        case vaSet: {
            std::vector<String> items;
            for (String s = Short(); !s.empty(); s = Short()) items.push_back(s);
            return items;
        }
        case vaList: {
            if (depth > 0) break;
            std::vector<String> items;
            for (uint8_t t = Byte(); t != vaNull; t = Byte()) {
                TValue v = Value(t, depth + 1);
                auto* s = std::get_if<String>(&v);
                if (!s) throw EStreamError("Invalid stream format");
                items.push_back(*s);
            }
            return items;
        }
        default: break;
        }
        throw EStreamError("Invalid stream format");
    }

    TRecord Record()
    {
        if (Take(4) != "TPF0") throw EStreamError("Invalid stream format");
        TRecord r;
        r.Class = Short();
        Short();
        for (String name = Short(); !name.empty(); name = Short()) r.Add(name, Value(Byte()));
        if (Byte() != 0) throw EStreamError("Invalid stream format");   // no child objects
        return r;
    }

private:
    void Need(size_t n)
    {
        if (n > FIn.size() - FPos) throw EReadError("Stream read error");
    }
    std::string_view FIn;
    size_t FPos = 0;
};

// The record that follows a cell's graphic record and carries its object; none for
// kinds whose graphic lives wholly in its fields.
const char* ObjectRecordClass(long long type)
{
    switch (type) {
    case ctBitmap:
    case ctBitButton: return "TGridBMPIO";
    case ctIcon: return "TGridIconIO";
    case ctRadio:
    case ctImages: return "TGridSLIO";
    case ctPicture: return "TGridPicIO";
    case ctFilePicture: return "TGridFilePicIO";
    default: return nullptr;
    }
}

// Whether a cell's graphic goes into the block. Kinds with an object travel when they
// hold one, whoever owns it: the reader makes its own copy, so a copied picture is not
// lost. Other kinds travel when they keep no helper objects (balloons, colours) that
// the block has no record for.
bool GraphicTravels(const TCellGraphic* g)
{
    if (!g || g->CellType == ctEmpty) return false;
    if (g->CellType == ctRadio) return true;
    if (ObjectRecordClass(g->CellType)) return (g->CellType == ctIcon ? g->CellIcon : g->CellBitmap) != nullptr;
    return g->CellBitmap == nullptr && g->CellIcon == nullptr;
}

TBinary PictureData(TObject* o)
{
    if (auto* b = dynamic_cast<TBitmap*>(o)) return {EncodePictureData(*b)};
    if (auto* p = dynamic_cast<TPicture*>(o)) return {EncodePictureData(*p->Bitmap())};
    return {};
}

// The record carrying the cell's object (ObjectRecordClass), or none.
std::optional<TRecord> ObjectRecord(TExtStringGrid& Grid, int c, int r, const TCellGraphic* g)
{
    const char* cls = ObjectRecordClass(g->CellType);
    if (!cls) return std::nullopt;
    TRecord rec{cls, {}};
    switch (g->CellType) {
    case ctBitmap:
    case ctBitButton: rec.Add("Bitmap.Data", PictureData(g->CellBitmap)); break;
    case ctIcon: rec.Add("Icon.Data", PictureData(g->CellIcon)); break;
    case ctPicture: rec.Add("Picture.Data", PictureData(g->CellBitmap)); break;
    case ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(g->CellBitmap)) rec.Add("Picture.Filename", fp->Filename());
        break;
    case ctImages:
        if (auto* l = dynamic_cast<TIntList*>(g->CellBitmap)) rec.Add("Strings.Strings", std::vector<String>{l->StrValue()});
        break;
    default: {
        std::vector<String> items;
        if (TStringList* l = Grid.GetRadioStrings(c, r))
            for (int i = 0; i < l->Count(); ++i) items.push_back((*l)[i]);
        rec.Add("Strings.Strings", items);
    }
    }
    return rec;
}

std::vector<String> FontStyleNames(TFontStyles s)
{
    static const char* names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    std::vector<String> v;
    for (int i = 0; i < 4; ++i)
        if (s.Contains(TFontStyle(i))) v.push_back(names[i]);
    return v;
}

TFontStyles FontStyleOf(const std::vector<String>& v)
{
    static const char* names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    TFontStyles s;
    for (const String& n : v)
        for (int i = 0; i < 4; ++i)
            if (n == names[i]) s << TFontStyle(i);
    return s;
}

TRecord PropRecord(TCellProperties* p, bool hasGraphic)
{
    const String P = "CellProperties.";
    TRecord r{"TGridCellPropIO", {}};
    r.Add(P + "IsBaseCell", p->IsBaseCell);
    r.Add(P + "CellSpanX", p->CellSpanX);
    r.Add(P + "CellSpanY", p->CellSpanY);
    r.Add(P + "OwnerCol", p->OwnerCol);
    r.Add(P + "OwnerRow", p->OwnerRow);
    r.Add(P + "Alignment", static_cast<long long>(p->Alignment));
    r.Add(P + "BorderColor", static_cast<long long>(p->BorderColor));
    r.Add(P + "BorderWidth", p->BorderWidth);
    r.Add(P + "BrushColor", static_cast<long long>(p->BrushColor()));
    r.Add(P + "BrushColorTo", static_cast<long long>(p->BrushColorTo()));
    r.Add(P + "BrushStyle", static_cast<long long>(p->BrushStyle));
    r.Add(P + "CellObject", String(IntToStr(static_cast<long long>(p->CellObject))));
    r.Add(P + "FontColor", static_cast<long long>(p->FontColor));
    r.Add(P + "FontName", p->FontName);
    r.Add(P + "FontSize", p->FontSize);
    r.Add(P + "FontStyle", FontStyleNames(p->FontStyle));
    r.Add(P + "Editor", static_cast<long long>(p->Editor));
    r.Add(P + "GradientDirection", static_cast<long long>(p->GradientDirection));
    r.Add(P + "ReadOnly", p->ReadOnly);
    r.Add(P + "VAlignment", static_cast<long long>(p->VAlignment()));
    r.Add(P + "WordWrap", p->WordWrap());
    r.Add(P + "NodeLevel", p->NodeLevel);
    if (p->Control) r.Add(P + "Control", p->Control->Name());
    r.Add("HasGraphic", hasGraphic);
    return r;
}

TRecord GraphicRecord(const TCellGraphic* g)
{
    const String P = "CellGraphic.";
    TRecord r{"TGridGraphicIO", {}};
    r.Add(P + "CellType", static_cast<long long>(g->CellType));
    r.Add(P + "CellVAlign", static_cast<long long>(g->CellVAlign));
    r.Add(P + "CellHAlign", static_cast<long long>(g->CellHAlign));
    r.Add(P + "CellIndex", g->CellIndex);
    r.Add(P + "CellTransparent", g->CellTransparent);
    r.Add(P + "CellCreated", g->CellCreated);
    r.Add(P + "CellBoolean", g->CellBoolean);
    r.Add(P + "CellCheckBoxState", static_cast<long long>(g->CellCheckBoxState));
    r.Add(P + "CellAngle", g->CellAngle);
    r.Add(P + "CellValue", g->CellValue);
    r.Add(P + "CellErrFrom", g->CellErrFrom);
    r.Add(P + "CellErrLen", g->CellErrLen);
    return r;
}

// One cell of a block as read; a picture is decoded while the block is checked.
struct TCellBlock {
    TRecord Cell;
    std::optional<TRecord> Prop, Graphic, Extra;
    std::shared_ptr<TBitmap> Picture;
};

// The picture of an object record; a record whose data is no picture refuses the block.
std::shared_ptr<TBitmap> DecodeObjectPicture(const TRecord& rec)
{
    for (std::string_view name : {"Bitmap.Data", "Icon.Data", "Picture.Data"}) {
        if (!rec.Find(name)) continue;
        auto bmp = std::make_shared<TBitmap>();
        const std::string data = rec.Data(name);
        if (!data.empty() && !DecodePictureData(data.data(), data.size(), *bmp))
            throw EStreamError("Invalid picture data in stream");
        return bmp;
    }
    return nullptr;
}

template <typename E>
E Enum(long long v, int count)
{
    return static_cast<E>(v >= 0 && v < count ? v : 0);
}

void ApplyProps(TExtStringGrid& Grid, int c, int r, const TRecord& rec)
{
    const String P = "CellProperties.";
    TCellProperties* p = Grid.GetCellProperties(c, r);
    p->Alignment = Enum<TAlignment>(rec.Int(P + "Alignment"), 3);
    p->BorderColor = TColor(rec.Int(P + "BorderColor"));
    p->BorderWidth = int(rec.Int(P + "BorderWidth"));
    p->SetBrushColor(TColor(rec.Int(P + "BrushColor", clNone)));
    p->SetBrushColorTo(TColor(rec.Int(P + "BrushColorTo", clNone)));
    p->BrushStyle = Enum<TBrushStyle>(rec.Int(P + "BrushStyle"), int(bsSolid) + 8);
    p->CellObject = static_cast<std::uintptr_t>(StrToInt64Def(rec.Str(P + "CellObject"), 0));
    p->FontColor = TColor(rec.Int(P + "FontColor", clNone));
    p->FontName = rec.Str(P + "FontName");
    p->FontSize = int(rec.Int(P + "FontSize"));
    p->FontStyle = FontStyleOf(rec.List(P + "FontStyle"));
    p->Editor = static_cast<TEditorType>(rec.Int(P + "Editor"));
    p->GradientDirection = Enum<TGradientDirection>(rec.Int(P + "GradientDirection"), 2);
    p->ReadOnly = rec.Bool(P + "ReadOnly");
    p->SetVAlignment(Enum<TVAlignment>(rec.Int(P + "VAlignment"), 3));
    p->SetWordWrap(rec.Bool(P + "WordWrap"));
    p->NodeLevel = int(rec.Int(P + "NodeLevel"));
    p->OwnerCol = c;
    p->OwnerRow = r;
}

void ApplyGraphic(TExtStringGrid& Grid, int c, int r, const TCellBlock& b)
{
    const String P = "CellGraphic.";
    const TRecord& rec = *b.Graphic;
    const TCellType type = Enum<TCellType>(rec.Int(P + "CellType"), int(ctExpand) + 1);
    const TCellHAlign hal = Enum<TCellHAlign>(rec.Int(P + "CellHAlign"), 6);
    const TCellVAlign val = Enum<TCellVAlign>(rec.Int(P + "CellVAlign"), 6);
    const std::vector<String> strings = b.Extra ? b.Extra->List("Strings.Strings") : std::vector<String>();
    TCellGraphic* g = nullptr;
    // A fresh graphic each time: one that was there holds objects of its own kind.
    if (type == ctRadio) {
        TStringList* items = Grid.CreateRadio(c, r, rec.Bool(P + "CellBoolean") ? 1 : 0, int(rec.Int(P + "CellIndex")));
        for (const String& s : strings) items->Add(s);
        g = Grid.GetCellGraphic(c, r);
    } else {
        g = Grid.CreateCellGraphic(c, r);
        g->CellType = type;
        g->CellCreated = false;
        switch (type) {
        case ctBitmap:
        case ctBitButton:
        case ctIcon:
            if (b.Picture) {
                auto* bmp = new TBitmap();
                bmp->Assign(b.Picture.get());
                (type == ctIcon ? g->CellIcon : g->CellBitmap) = bmp;
                g->CellCreated = true;
            }
            break;
        case ctPicture:
            if (b.Picture) {
                auto* pic = new TPicture();
                pic->SetBitmap(b.Picture.get());
                g->CellBitmap = pic;
                g->CellCreated = true;
            }
            break;
        case ctFilePicture:
            if (b.Extra) {
                auto* fp = new TFilePicture();
                g->CellBitmap = fp;
                g->CellCreated = true;
                // The file may be gone on this side: the cell keeps its name and draws nothing.
                try {
                    fp->SetFilename(b.Extra->Str("Picture.Filename"));
                } catch (const Exception&) {
                }
            }
            break;
        case ctImages:
            g->SetMultiImage(c, r, rec.Bool(P + "CellBoolean") ? 0 : 1, hal, val, [&Grid](TObject*, int x, int y) {
                Grid.RepaintCell(Grid.DisplColIndex(x), y);
            });
            if (!strings.empty()) {
                try {
                    static_cast<TIntList*>(g->CellBitmap)->SetStrValue(strings[0]);
                } catch (const EConvertError&) {
                }
            }
            break;
        default: break;
        }
    }
    g->CellVAlign = val;
    g->CellHAlign = hal;
    g->CellIndex = int(rec.Int(P + "CellIndex"));
    g->CellTransparent = rec.Bool(P + "CellTransparent");
    g->CellBoolean = rec.Bool(P + "CellBoolean");
    g->CellCheckBoxState = Enum<TCheckBoxState>(rec.Int(P + "CellCheckBoxState"), 3);
    g->CellAngle = int(rec.Int(P + "CellAngle"));
    g->CellValue = rec.Float(P + "CellValue");
    g->CellErrFrom = int(rec.Int(P + "CellErrFrom"));
    g->CellErrLen = int(rec.Int(P + "CellErrLen"));
}

}  // namespace

void SaveRectToBinStream(TExtStringGrid& Grid, const TGridRect& Rect, TStream& Stream)
{
    TWriter w;
    const int left = Rect.Left, top = Rect.Top, right = Rect.Right, bottom = Rect.Bottom;
    TRecord head{"TGridPropIO", {}};
    String widths, heights;
    for (int c = left; c <= right; ++c) {
        if (c > left) widths += ',';
        widths += IntToStr(Grid.GetAllColWidths(c));
    }
    for (int r = top; r <= bottom; ++r) {
        if (r > top) heights += ',';
        heights += IntToStr(Grid.RowHeights(r));
    }
    const int cols = right - left + 1, rows = bottom - top + 1;
    const bool full = Grid.SaveFixedCells ? (rows == Grid.RowCount() && cols == Grid.TotalColCount())
                                          : (rows == Grid.RowCount() - Grid.FixedRows() &&
                                             cols == Grid.TotalColCount() - Grid.FixedCols());
    head.Add("ColCount", cols);
    head.Add("RowCount", rows);
    head.Add("ColWidths", widths);
    head.Add("RowHeights", heights);
    head.Add("FullGrid", full);
    head.Add("ID", 0LL);
    w.Record(head);

    TProgress progress(Grid);
    Grid.ExportNotification(esExportStart, top);
    for (int r = top; r <= bottom; ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = left; c <= right; ++c) {
            TCellProperties* p = Grid.CellPropsOf(c, r);
            TRecord cell{"TGridCellIO", {}};
            cell.Add("Col", c);
            cell.Add("Row", r);
            cell.Add("Cell", Grid.GetCellEx(c, r));
            cell.Add("HasProp", p != nullptr);
            w.Record(cell);
            if (!p) continue;
            TCellGraphic* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject);
            const bool hasGraphic = GraphicTravels(g);
            w.Record(PropRecord(p, hasGraphic));
            if (!hasGraphic) continue;
            w.Record(GraphicRecord(g));
            if (std::optional<TRecord> o = ObjectRecord(Grid, c, r, g)) w.Record(*o);
        }
        progress.Report(r, std::max(1, bottom - top));
    }
    Grid.ExportNotification(esExportDone, -1);
    Stream.WriteBuffer(w.Out().data(), static_cast<int64_t>(w.Out().size()));
}

void SaveToBinStream(TExtStringGrid& Grid, TStream& Stream)
{
    const int H = HiddenSaved(Grid);
    SaveRectToBinStream(Grid, TGridRect(Grid.SaveStartCol(), Grid.SaveStartRow(), Grid.SaveEndCol() + H, Grid.SaveEndRow()),
                        Stream);
}

void LoadAtPointFromBinStream(TExtStringGrid& Grid, TPoint Point, TStream& Stream)
{
    const int64_t start = Stream.Position();
    const int64_t n = Stream.Size() - start;
    std::string bytes(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) Stream.ReadBuffer(bytes.data(), n);
    Stream.SetPosition(start);

    // Everything is read and checked first.
    TReader in(bytes);
    const TRecord head = in.Record();
    if (head.Class != "TGridPropIO") throw EStreamError("Invalid stream format");
    const bool full = head.Bool("FullGrid");
    const long long cols = head.Int("ColCount"), rows = head.Int("RowCount");
    CheckGridSize(cols, rows, "Stream holds more cells than a grid can show");
    const std::vector<String> widths = SplitLines(StringReplace(head.Str("ColWidths"), ",", "\r\n", rfReplaceAll));
    const std::vector<String> heights = SplitLines(StringReplace(head.Str("RowHeights"), ",", "\r\n", rfReplaceAll));
    std::vector<TCellBlock> cells;
    while (!in.AtEnd()) {
        TCellBlock b{in.Record(), {}, {}, {}, {}};
        if (b.Cell.Class != "TGridCellIO") throw EStreamError("Invalid stream format");
        if (b.Cell.Bool("HasProp")) {
            b.Prop = in.Record();
            if (b.Prop->Bool("HasGraphic")) {
                b.Graphic = in.Record();
                // Blocks written before pictures travelled hold no object record after a
                // picture kind whose object was missing; the next cell's record is left.
                if (const char* cls = ObjectRecordClass(b.Graphic->Int("CellGraphic.CellType"))) {
                    const size_t at = in.Pos();
                    TRecord o = in.Record();
                    if (o.Class == cls) {
                        b.Picture = DecodeObjectPicture(o);
                        b.Extra = std::move(o);
                    } else {
                        in.Seek(at);
                    }
                }
            }
        }
        cells.push_back(std::move(b));
    }
    Stream.SetPosition(start + static_cast<int64_t>(in.Pos()));

    Grid.BeginUpdate();
    if (full) {
        Grid.Clear();
        Grid.SetRowCount(static_cast<int>(std::max(1LL, rows)));
        Grid.SetColCount(static_cast<int>(std::max(1LL, cols)));
        for (size_t i = 0; i < widths.size() && int(i) < Grid.ColCount(); ++i)
            Grid.SetColWidths(int(i), std::clamp(LenientInt(widths[i]), 0, 65535));
        for (size_t i = 0; i < heights.size() && int(i) < Grid.RowCount(); ++i)
            Grid.SetRowHeights(int(i), std::clamp(LenientInt(heights[i]), 0, 65535));
    }
    long long ox = 0, oy = 0;
    if (!full && !cells.empty()) ox = cells[0].Cell.Int("Col"), oy = cells[0].Cell.Int("Row");
    // A whole grid replaces the grid wherever it was dropped.
    if (full) Point = TPoint(0, 0);
    TProgress progress(Grid);
    std::vector<std::pair<TPoint, TPoint>> merges;
    for (const TCellBlock& b : cells) {
        const long long tc = b.Cell.Int("Col") + Point.X - ox, tr = b.Cell.Int("Row") + Point.Y - oy;
        if (tc < 0 || tr < 0 || tc >= Grid.TotalColCount() || tr >= Grid.RowCount()) continue;
        const int c = int(tc), r = int(tr);
        Grid.SetCellEx(c, r, b.Cell.Str("Cell"));
        progress.Report(r, std::max(1, Grid.RowCount()));
        if (!b.Prop) continue;
        ApplyProps(Grid, c, r, *b.Prop);
        const String P = "CellProperties.";
        if (b.Prop->Bool(P + "IsBaseCell") && (b.Prop->Int(P + "CellSpanX") > 0 || b.Prop->Int(P + "CellSpanY") > 0))
            merges.push_back({TPoint(c, r), TPoint(int(std::max(0LL, b.Prop->Int(P + "CellSpanX"))),
                                                   int(std::max(0LL, b.Prop->Int(P + "CellSpanY"))))});
        if (b.Graphic) ApplyGraphic(Grid, c, r, b);
    }
    for (const auto& [at, span] : merges) {
        // An area that no longer fits where the block landed stays unmerged.
        if (at.X + span.X < Grid.TotalColCount() && at.Y + span.Y < Grid.RowCount())
            Grid.MergeCells(at.X, at.Y, span.X + 1, span.Y + 1);
    }
    Grid.EndUpdate();
    FinishLoad(Grid);
}

void LoadFromBinStream(TExtStringGrid& Grid, TStream& Stream)
{
    LoadAtPointFromBinStream(Grid, TPoint(0, 0), Stream);
    int nodes = 0;
    for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
        if (TCellGraphic* g = Grid.GetCellGraphic(0, r); g && g->CellType == ctNode) ++nodes;
    if (nodes > 0) Grid.Invalidate();
}

void SaveToBinFile(TExtStringGrid& Grid, const String& FileName)
{
    TMemoryStream s;
    SaveToBinStream(Grid, s);
    WriteFileAtomic(FileName, std::string_view(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size())));
}

void LoadFromBinFile(TExtStringGrid& Grid, const String& FileName)
{
    const std::string bytes = ReadFileBytes(FileName);
    TMemoryStream s(bytes.data(), static_cast<int64_t>(bytes.size()));
    LoadFromBinStream(Grid, s);
}

// ---- the extent of a cell block (the clipboard and drops grow the grid by it) ----

TPoint BinBlockSize(const std::string& Bytes, bool& FullGrid)
{
    TReader in(Bytes);
    const TRecord head = in.Record();
    if (head.Class != "TGridPropIO") throw EStreamError("Invalid stream format");
    const long long cols = head.Int("ColCount"), rows = head.Int("RowCount");
    CheckGridSize(cols, rows, "Stream holds more cells than a grid can show");
    FullGrid = head.Bool("FullGrid");
    return TPoint(int(std::max(0LL, cols)), int(std::max(0LL, rows)));
}

}  // namespace GridExchange
