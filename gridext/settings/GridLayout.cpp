#include "gridext/settings/GridLayout.h"

#include <algorithm>
#include <memory>

#include "grid/columns/ExtColumnGrid.h"
#include "grid/core/ExchangeHooks.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/IniFiles.h"
#include "platform/os/UserStore.h"

namespace GridLayout {

namespace {

constexpr int MaxWidth = 65535;

std::vector<String> Parts(const String& s, char sep)
{
    std::vector<String> out;
    size_t pos = 0;
    for (;;) {
        const size_t e = s.find(sep, pos);
        out.push_back(s.substr(pos, e == String::npos ? String::npos : e - pos));
        if (e == String::npos) return out;
        pos = e + 1;
    }
}

std::vector<int> CurrentOrder(TExtStringGrid& Grid, int N)
{
    std::vector<int> order;
    TIntList* o = Grid.ColumnOrder();
    for (int i = 0; i < o->Count(); ++i) order.push_back((*o)[i]);
    if (int(order.size()) != N) {
        order.clear();
        for (int i = 0; i < N; ++i) order.push_back(i);
    }
    return order;
}

// Moves the columns so that position k shows home column Order[k]; Order is each column
// once (checked by the callers).
void ApplyOrder(TExtStringGrid& Grid, const std::vector<int>& Order)
{
    std::vector<int> cur = CurrentOrder(Grid, int(Order.size()));
    for (int k = 0; k < int(Order.size()); ++k) {
        const int p = int(std::find(cur.begin(), cur.end(), Order[size_t(k)]) - cur.begin());
        if (p == k || p >= int(cur.size())) continue;
        Grid.MoveColumn(p, k);
        const int v = cur[size_t(p)];
        cur.erase(cur.begin() + p);
        cur.insert(cur.begin() + k, v);
    }
    TIntList* o = Grid.ColumnOrder();
    o->Clear();
    for (int v : Order) o->Add(v);
}

bool IsArrangement(const std::vector<int>& Order, int N)
{
    if (int(Order.size()) != N) return false;
    std::vector<bool> seen(size_t(N), false);
    for (int v : Order) {
        if (v < 0 || v >= N || seen[size_t(v)]) return false;
        seen[size_t(v)] = true;
    }
    return true;
}

// The place the column layout lives: a settings file, or a key of the per-user store.
class TLayoutStore {
public:
    explicit TLayoutStore(TExtStringGrid& Grid) : FSize(*Grid.ColumnSize())
    {
        if (FSize.Location == clIniFile) FIni = std::make_unique<TIniFile>(FSize.Key);
        else FOpen = FReg.OpenKey(FSize.Key + "\\" + FSize.Section, false);
    }
    // Opens the registry key for writing.
    void ForWriting()
    {
        if (!FIni && !FOpen && !FReg.OpenKey(FSize.Key + "\\" + FSize.Section, true))
            throw ERegistryException("Failed to create key " + FSize.Key + "\\" + FSize.Section);
        FOpen = true;
    }
    bool Has(const String& Name) const
    {
        return FIni ? FIni->ValueExists(FSize.Section, Name) : FOpen && FReg.ValueExists(Name);
    }
    // Default for a missing value or one that is no integer.
    int Read(const String& Name, int Default) const
    {
        if (FIni) return FIni->ReadInteger(FSize.Section, Name, Default);
        if (!Has(Name)) return Default;
        try {
            return FReg.ReadInteger(Name);
        } catch (const ERegistryException&) {
            return Default;
        }
    }
    void Write(const String& Name, int Value)
    {
        if (FIni) FIni->WriteInteger(FSize.Section, Name, Value);
        else FReg.WriteInteger(Name, Value);
    }
    void Flush()
    {
        if (FIni) FIni->UpdateFile();
    }

private:
    TColumnSize& FSize;
    std::unique_ptr<TIniFile> FIni;
    TRegistry FReg;
    bool FOpen = false;
};

bool HasPlace(TExtStringGrid& Grid) { return !Grid.ColumnSize()->Key.empty() && !Grid.ColumnSize()->Section.empty(); }

}  // namespace

// ---------------------------------------------------------------- column states text

String ColumnStatesToString(TExtStringGrid& Grid)
{
    const int N = Grid.ColCount() + Grid.NumHiddenColumns();
    String widths, order, visible;
    const std::vector<int> o = CurrentOrder(Grid, N);
    for (int i = 0; i < N; ++i) {
        const String sep = i ? "," : "";
        widths += sep + IntToStr(Grid.GetAllColWidths(i));
        order += sep + IntToStr(o[size_t(i)]);
        visible += sep + (Grid.IsHiddenColumn(i) ? "0" : "1");
    }
    return IntToStr(N) + "#" + widths + "#" + order + "#" + visible;
}

void StringToColumnStates(TExtStringGrid& Grid, const String& Value)
{
    if (Value.find('#') == String::npos) return;
    const std::vector<String> p = Parts(Value, '#');
    // Everything is read and checked before the grid changes.
    const int N = StrToInt(Trim(p[0]));
    if (N < 1 || N > 512) throw EConvertError("'" + p[0] + "' is not a valid column count");
    std::vector<int> widths;
    if (p.size() > 1 && !p[1].empty())
        for (const String& w : Parts(p[1], ',')) {
            if (int(widths.size()) == N) break;
            const int v = StrToInt(Trim(w));
            if (v < 0 || v > MaxWidth) throw EConvertError("'" + w + "' is not a valid column width");
            widths.push_back(v);
        }
    std::vector<int> order;
    if (p.size() > 2 && !p[2].empty())
        for (const String& e : Parts(p[2], ',')) {
            if (int(order.size()) == N) break;
            int v = -1;
            if (TryStrToInt(Trim(e), v) && v != -1) order.push_back(v);
        }
    std::vector<String> vis = p.size() > 3 ? Parts(p[3], ',') : std::vector<String>();

    Grid.UnHideColumnsAll();
    Grid.ColumnOrder()->Clear();
    Grid.SetColCount(N);
    if (IsArrangement(order, N)) ApplyOrder(Grid, order);
    for (int c = std::min(N, int(vis.size())) - 1; c >= 0; --c)
        if (Trim(vis[size_t(c)]) == "0") Grid.HideColumn(c);
    TColumnSize* cs = Grid.ColumnSize();
    const bool stretch = cs->Stretch();
    if (stretch) {
        cs->SetStretch(false);
        const int sc = cs->StretchColumn == -1 ? Grid.ColCount() - 1 : cs->StretchColumn;
        if (sc >= 0 && sc < Grid.ColCount()) Grid.SetDefaultColWidth(Grid.ColWidths(sc));
    }
    for (size_t c = 0; c < widths.size(); ++c) Grid.SetAllColWidths(int(c), widths[c]);
    if (stretch) cs->SetStretch(true);
}

// ---------------------------------------------------------------- sizes and positions

void SaveColSizes(TExtStringGrid& Grid)
{
    if (!HasPlace(Grid)) return;
    TLayoutStore s(Grid);
    s.ForWriting();
    for (int c = 0; c < Grid.ColCount(); ++c) s.Write("Col" + IntToStr(c), Grid.ColWidths(c));
    s.Flush();
}

void LoadColSizes(TExtStringGrid& Grid)
{
    if (!HasPlace(Grid)) return;
    const TLayoutStore s(Grid);
    for (int c = 0; c < Grid.ColCount(); ++c) {
        const int w = s.Read("Col" + IntToStr(c), Grid.ColWidths(c));
        // A width no screen can show is not taken.
        if (w != Grid.ColWidths(c) && w >= 0 && w <= MaxWidth) Grid.SetColWidths(c, w);
    }
}

void SaveColPositions(TExtStringGrid& Grid)
{
    if (!HasPlace(Grid)) return;
    // The column grid keeps its own order in a settings file.
    if (auto* cg = dynamic_cast<TExtColumnGrid*>(&Grid); cg && Grid.ColumnSize()->Location == clIniFile)
        return cg->SaveColPositions();
    TLayoutStore s(Grid);
    s.ForWriting();
    TIntList* o = Grid.ColumnOrder();
    for (int k = 0; k < o->Count(); ++k) s.Write("Pos" + IntToStr(k), (*o)[k]);
    s.Flush();
}

void LoadColPositions(TExtStringGrid& Grid)
{
    if (!HasPlace(Grid)) return;
    if (auto* cg = dynamic_cast<TExtColumnGrid*>(&Grid); cg && Grid.ColumnSize()->Location == clIniFile)
        return cg->LoadColPositions();
    const TLayoutStore s(Grid);
    if (s.Read("Pos0", -1) == -1) return;
    std::vector<int> order;
    for (int k = 0; k < Grid.AllColCount(); ++k)
        if (const int v = s.Read("Pos" + IntToStr(k), -1); v != -1) order.push_back(v);
    if (!IsArrangement(order, Grid.AllColCount())) return;
    std::vector<int> hidden;
    for (int c = 0; c < Grid.AllColCount(); ++c)
        if (Grid.IsHiddenColumn(c)) hidden.push_back(c);
    Grid.UnHideColumnsAll();
    ApplyOrder(Grid, order);
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) Grid.HideColumn(*it);
}

// ---------------------------------------------------------------- print settings

namespace {

int StyleBits(const TFont* f)
{
    const TFontStyles s = f->Style();
    return (s.Contains(fsBold) ? 1 : 0) | (s.Contains(fsItalic) ? 2 : 0) | (s.Contains(fsUnderline) ? 4 : 0) |
           (s.Contains(fsStrikeOut) ? 8 : 0);
}

void SaveFont(TIniFile& f, const String& S, const String& Prefix, TFont* Font)
{
    f.WriteString(S, Prefix + "Name", Font->Name());
    f.WriteInteger(S, Prefix + "Size", Font->Size());
    f.WriteInteger(S, Prefix + "Style", StyleBits(Font));
    f.WriteInteger(S, Prefix + "Color", int(Font->Color()));
}

void LoadFont(const TIniFile& f, const String& S, const String& Prefix, TFont* Font)
{
    Font->SetName(f.ReadString(S, Prefix + "Name", "Arial"));
    // A size no printer can use would stop the printout; it is not taken.
    const int size = f.ReadInteger(S, Prefix + "Size", 10);
    if (size > 0 && size <= 1000) Font->SetSize(size);
    const int bits = f.ReadInteger(S, Prefix + "Style", 0);
    TFontStyles st = Font->Style();
    if (bits & 1) st << fsBold;
    if (bits & 2) st << fsItalic;
    if (bits & 4) st << fsUnderline;
    if (bits & 8) st << fsStrikeOut;
    Font->SetStyle(st);
    Font->SetColor(TColor(f.ReadInteger(S, Prefix + "Color", 0)));
}

String YN(bool v) { return v ? "Y" : "N"; }

}  // namespace

void SavePrintSettings(TExtStringGrid& Grid, const String& Key, const String& S)
{
    TPrintSettings* p = Grid.PrintSettings();
    TIniFile f(Key);
    f.WriteInteger(S, "ColumnSpacing", p->ColumnSpacing);
    f.WriteInteger(S, "RowSpacing", p->RowSpacing);
    f.WriteInteger(S, "TitleSpacing", p->TitleSpacing);
    f.WriteInteger(S, "FixedHeight", p->FixedHeight);
    f.WriteInteger(S, "FixedWidth", p->FixedWidth);
    f.WriteString(S, "Centered", YN(p->Centered));
    f.WriteString(S, "NoAutoSize", YN(p->NoAutoSize));
    f.WriteString(S, "UseFixedHeight", YN(p->UseFixedHeight));
    f.WriteString(S, "UseFixedWidth", YN(p->UseFixedWidth));
    f.WriteString(S, "RepeatFixedRows", YN(p->RepeatFixedRows));
    f.WriteString(S, "RepeatFixedCols", YN(p->RepeatFixedCols));
    f.WriteString(S, "UseDisplFont", YN(p->UseDisplayFont));
    f.WriteString(S, "UseDefOrientation", YN(p->UseDefaultOrientation));
    f.WriteInteger(S, "Borders", int(p->Borders));
    f.WriteInteger(S, "BorderColor", int(p->BorderColor));
    f.WriteInteger(S, "BorderStyle", int(p->BorderStyle));
    f.WriteInteger(S, "Date", int(p->Date));
    f.WriteInteger(S, "PageNr", int(p->PageNr));
    f.WriteInteger(S, "Title", int(p->Title));
    f.WriteInteger(S, "Time", int(p->Time));
    f.WriteString(S, "DateFormat", p->DateFormat);
    f.WriteString(S, "TitleText", p->TitleText);
    f.WriteInteger(S, "FooterSize", p->FooterSize);
    f.WriteInteger(S, "HeaderSize", p->HeaderSize);
    f.WriteInteger(S, "LeftSize", p->LeftSize);
    f.WriteInteger(S, "RightSize", p->RightSize);
    f.WriteInteger(S, "FitToPage", int(p->FitToPage));
    SaveFont(f, S, "Font", p->Font());
    SaveFont(f, S, "HeaderFont", p->HeaderFont());
    SaveFont(f, S, "FooterFont", p->FooterFont());
    f.WriteString(S, "PageNumSep", p->PageNumSep);
    f.WriteString(S, "PageSuffix", p->PageSuffix);
    f.WriteString(S, "PagePrefix", p->PagePrefix);
    f.WriteInteger(S, "Orientation", int(p->Orientation));
    f.WriteString(S, "TitleLines", LineBreaksToBackslashN(p->TitleLines()->Text()));
    f.WriteString(S, "PrintGraphics", YN(p->PrintGraphics));
    f.UpdateFile();
}

void LoadPrintSettings(TExtStringGrid& Grid, const String& Key, const String& S)
{
    // The whole file is read (and refused when it is no settings file) before a setting changes.
    const TIniFile f(Key);
    TPrintSettings* p = Grid.PrintSettings();
    auto yes = [&](const char* n, const char* def) { return f.ReadString(S, n, def) == "Y"; };
    auto inRange = [&](const char* n, int lo, int hi, int cur) {
        const int v = f.ReadInteger(S, n, 0);
        return v >= lo && v <= hi ? v : cur;
    };
    auto pos = [&](const char* n) {
        const int v = f.ReadInteger(S, n, 0);
        return TPrintPosition(v >= 1 && v <= 6 ? v : 0);
    };
    p->ColumnSpacing = f.ReadInteger(S, "ColumnSpacing", 20);
    p->RowSpacing = f.ReadInteger(S, "RowSpacing", 20);
    p->TitleSpacing = f.ReadInteger(S, "TitleSpacing", 20);
    p->FixedHeight = f.ReadInteger(S, "FixedHeight", 0);
    p->FixedWidth = f.ReadInteger(S, "FixedWidth", 0);
    p->Centered = yes("Centered", "Y");
    p->NoAutoSize = yes("NoAutoSize", "N");
    p->UseFixedHeight = yes("UseFixedHeight", "N");
    p->UseFixedWidth = yes("UseFixedWidth", "N");
    p->RepeatFixedRows = yes("RepeatFixedRows", "N");
    p->RepeatFixedCols = yes("RepeatFixedCols", "N");
    p->UseDisplayFont = yes("UseDisplFont", "N");
    p->UseDefaultOrientation = yes("UseDefOrientation", "N");
    p->Borders = TPrintBorders(inRange("Borders", 0, 8, int(p->Borders)));
    p->BorderColor = TColor(f.ReadInteger(S, "BorderColor", 0));
    p->BorderStyle = TPenStyle(inRange("BorderStyle", 0, 6, int(p->BorderStyle)));
    p->Date = pos("Date");
    p->PageNr = pos("PageNr");
    p->Title = pos("Title");
    p->Time = pos("Time");
    p->DateFormat = f.ReadString(S, "DateFormat", "");
    p->TitleText = f.ReadString(S, "TitleText", "");
    p->FooterSize = f.ReadInteger(S, "FooterSize", 100);
    p->HeaderSize = f.ReadInteger(S, "HeaderSize", 100);
    p->LeftSize = f.ReadInteger(S, "LeftSize", 100);
    p->RightSize = f.ReadInteger(S, "RightSize", 100);
    p->FitToPage = TFitToPage(inRange("FitToPage", 0, 4, int(p->FitToPage)));
    LoadFont(f, S, "Font", p->Font());
    LoadFont(f, S, "HeaderFont", p->HeaderFont());
    LoadFont(f, S, "FooterFont", p->FooterFont());
    p->PageNumSep = f.ReadString(S, "PageNumSep", "");
    p->PageSuffix = f.ReadString(S, "PageSuffix", "");
    p->PagePrefix = f.ReadString(S, "PagePrefix", "");
    p->Orientation = TPrinterOrientation(inRange("Orientation", 0, 1, int(p->Orientation)));
    p->TitleLines()->SetText(BackslashNToCR(f.ReadString(S, "TitleLines", "")));
    p->PrintGraphics = yes("PrintGraphics", "N");
}

void InstallGridLayout()
{
    TGridExchangeHooks& h = GridExchangeHooks();
    // Widths are kept by displayed position: the columns move into place before they get
    // their widths, or each width would travel with the column that moved.
    h.LoadColumnLayout = [](TExtStringGrid& g) {
        LoadColPositions(g);
        LoadColSizes(g);
    };
    h.SaveColumnLayout = [](TExtStringGrid& g) {
        SaveColSizes(g);
        SaveColPositions(g);
    };
}

}  // namespace GridLayout
