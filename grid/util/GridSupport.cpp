#include "grid/util/GridSupport.h"

#include <algorithm>
#include <cstdint>

#include "platform/os/Files.h"

namespace {

constexpr std::uint32_t kDescending = 0x80000000u;

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

} // namespace

// ---- TIntList ----

TIntList::TIntList(int ACol, int ARow) : FCol(ACol), FRow(ARow) {}

void TIntList::Changed()
{
    if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int value)
{
    FItems.push_back(value);
    Changed();
    return Count() - 1;
}

void TIntList::Insert(int index, int value)
{
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, value);
}

void TIntList::Delete(int index)
{
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TIntList::Clear() { FItems.clear(); }

int TIntList::GetInteger(int index) const
{
    CheckIndex(index, Count());
    return FItems[size_t(index)];
}

void TIntList::SetInteger(int index, int value)
{
    CheckIndex(index, Count());
    FItems[size_t(index)] = value;
    Changed();
}

int TIntList::IndexOf(int value) const
{
    auto it = std::find(FItems.begin(), FItems.end(), value);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TIntList::DeleteValue(int value)
{
    const int i = IndexOf(value);
    if (i >= 0) Delete(i);
}

bool TIntList::HasValue(int value) const { return IndexOf(value) >= 0; }

String TIntList::StrValue() const
{
    String s;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0) s += ',';
        s += IntToStr(FItems[i]);
    }
    return s;
}

void TIntList::SetStrValue(const String& value)
{
    TStringList parts;
    parts.SetCommaText(value);
    FItems.clear();
    for (int i = 0; i < parts.Count(); ++i) Add(StrToInt(parts[i]));
}

// ---- TSortIndexList ----

void TSortIndexList::AddIndex(int columnIndex, bool ascending)
{
    std::uint32_t v = std::uint32_t(columnIndex) & ~kDescending;
    if (!ascending) v |= kDescending;
    Add(static_cast<int>(v));
}

int TSortIndexList::FindIndex(int columnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if ((std::uint32_t(FItems[size_t(i)]) & ~kDescending) == std::uint32_t(columnIndex)) return i;
    return -1;
}

int TSortIndexList::GetSortColumns(int i) const
{
    return static_cast<int>(std::uint32_t(GetInteger(i)) & ~kDescending);
}

void TSortIndexList::SetSortColumns(int i, int value)
{
    const std::uint32_t dir = std::uint32_t(GetInteger(i)) & kDescending;
    SetInteger(i, static_cast<int>(dir | (std::uint32_t(value) & ~kDescending)));
}

bool TSortIndexList::GetSortDirections(int i) const
{
    return (std::uint32_t(GetInteger(i)) & kDescending) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool ascending)
{
    std::uint32_t v = std::uint32_t(GetInteger(i));
    v = ascending ? (v & ~kDescending) : (v | kDescending);
    SetInteger(i, static_cast<int>(v));
}

void TSortIndexList::ToggleIndex(int columnIndex)
{
    const int i = FindIndex(columnIndex);
    if (i >= 0) SetSortDirections(i, !GetSortDirections(i));
}

String TSortIndexList::SaveToString() const
{
    String s;
    for (size_t i = 0; i < FItems.size(); ++i) {
        const std::uint32_t v = std::uint32_t(FItems[i]);
        if (i > 0) s += ';';
        s += (v & kDescending) ? 'd' : 'u';
        s += IntToStr(v & 0xFFFF);
    }
    return s;
}

void TSortIndexList::LoadFromString(const String& s)
{
    Clear();
    for (const String& part : SplitString(s, ";")) {
        if (part.size() < 2) continue;
        long long column = 0;
        for (size_t k = 1; k < part.size() && part[k] >= '0' && part[k] <= '9'; ++k) {
            column = column * 10 + (part[k] - '0');
            if (column > 0x7FFFFFFF) break;   // past any column: the number ends here
        }
        AddIndex(static_cast<int>(std::min<long long>(column, 0x7FFFFFFF)), part[0] == 'u');
    }
}

// ---- TControlList ----

TControlList::~TControlList()
{
    while (!FItems.empty()) RemoveControl(Count() - 1);
}

void TControlList::AddControl(int x, int y, TControl* control)
{
    FItems.push_back(new TControlItem(x, y, control));
}

int TControlList::ControlIndex(int x, int y) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)]->X == x && FItems[size_t(i)]->Y == y) return i;
    return -1;
}

TControlItem* TControlList::GetControl(int i) const
{
    CheckIndex(i, Count());
    return FItems[size_t(i)];
}

void TControlList::RemoveControl(int i)
{
    CheckIndex(i, Count());
    delete FItems[size_t(i)];
    FItems.erase(FItems.begin() + i);
}

bool TControlList::HasHandle(HWND handle) const
{
    for (const TControlItem* item : FItems) {
        auto* wc = dynamic_cast<TWinControl*>(item->Control);
        if (wc && wc->Handle() == handle) return true;
    }
    return false;
}

// ---- TFilePicture ----

void TFilePicture::SetFilename(const String& name)
{
    FFilename = name;
    FWidth = FHeight = 0;
    if (name.empty()) return;
    TPicture picture;
    picture.LoadFromFile(name);
    FWidth = picture.Width();
    FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* canvas, const TRect& r) const
{
    if (FFilename.empty() || !canvas) return;
    TPicture picture;
    picture.LoadFromFile(FFilename);
    canvas->StretchDraw(r, picture.Bitmap());
}

void TFilePicture::Assign(const TFilePicture* source)
{
    if (!source) return;
    FFilename = source->FFilename;
    FWidth = source->FWidth;
    FHeight = source->FHeight;
}

// ---- TFileStringList ----

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

bool TFileStringList::Eof() const { return fp >= Count(); }

void TFileStringList::ReadLn(String& s)
{
    s = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const String& s) { cache += s; }

void TFileStringList::WriteLn(const String& s)
{
    Add(cache + s);
    cache.clear();
}

// ---- TArrowWindow ----

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection direction) : TPanel(AOwner), FDir(direction)
{
    static const TPoint shapes[4][ArrowPoints] = {
        {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},    // up
        {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},     // down
        {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},    // left of the gap, pointing right
        {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},    // right of the gap, pointing left
    };
    int w = 0, h = 0;
    for (int i = 0; i < ArrowPoints; ++i) {
        FArrow[i] = shapes[direction][i];
        w = std::max(w, FArrow[i].X + 1);
        h = std::max(h, FArrow[i].Y + 1);
    }
    SetBevelOuter(bvNone);
    SetShowCaption(false);
    // Only the arrow is painted; what lies around it shows through.
    SetParentBackground(true);
    SetColor(clLime);
    SetVisible(false);
    SetBounds(0, 0, w, h);
    SetParent(AOwner);
}

void TArrowWindow::Paint()
{
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Polygon(std::vector<TPoint>(FArrow, FArrow + ArrowPoints));
}

// ---- system icons ----

int GetSysIconIndex(const String& path)
{
    return (!path.empty() && DirectoryExists(path)) ? siFolder : siFile;
}

int SysIconSize(bool large) { return large ? 32 : 16; }

void DrawSysIcon(TCanvas* canvas, int x, int y, int index, bool large)
{
    if (!canvas || index < 0 || index >= SysIconCount) return;
    TCanvas* c = canvas;
    const int k = large ? 2 : 1;   // drawn on a 16-pixel grid, doubled for the large list
    auto R = [&](int l, int t, int r, int b) { return TRect(x + l * k, y + t * k, x + r * k, y + b * k); };
    auto fill = [&](const TRect& r, TColor col) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(col);
        c->FillRect(r);
    };
    const int saved = c->SaveState();
    if (index == siFolder) {
        const TColor edge = RGB(196, 144, 28), back = RGB(236, 184, 64), front = RGB(252, 212, 100);
        fill(R(1, 3, 7, 5), edge);        // tab
        fill(R(1, 4, 15, 14), edge);      // back
        fill(R(2, 5, 14, 13), back);
        fill(R(1, 6, 15, 14), edge);      // front flap
        fill(R(2, 7, 14, 13), front);
    } else {
        const TColor edge = RGB(120, 120, 120), page = RGB(255, 255, 255), line = RGB(176, 176, 176);
        fill(R(3, 1, 10, 15), edge);      // outline, with the folded corner cut away below
        fill(R(10, 4, 13, 15), edge);
        fill(R(4, 2, 10, 14), page);
        fill(R(10, 5, 12, 14), page);
        fill(R(9, 2, 10, 5), edge);       // fold
        fill(R(9, 4, 12, 5), edge);
        for (int t = 7; t <= 11; t += 2) fill(R(5, t, 11, t + 1), line);
    }
    c->RestoreState(saved);
}
