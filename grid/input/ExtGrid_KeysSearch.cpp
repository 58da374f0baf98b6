// Incremental search: characters typed on a grid that is not editing pick the first row
// whose text in the search column begins with them. The text ages with the grid's timer
// and navigation keys clear it.
#include <unicode/uchar.h>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "platform/rtl/Unicode.h"

namespace {
// The text a cell shows without its mark-up tags.
String WithoutTags(const String& s)
{
    String r;
    r.reserve(s.size());
    bool inTag = false;
    for (char c : s) {
        if (c == '<') inTag = true;
        else if (c == '>' && inTag) inTag = false;
        else if (!inTag) r += c;
    }
    return r;
}

// Upper case by the character's Unicode properties, not only for ASCII letters.
String UpperText(const String& s)
{
    std::u16string u = Utf8ToUtf16(s);
    for (char16_t& c : u) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const UChar32 up = u_toupper(static_cast<UChar32>(c));
        if (up <= 0xFFFF) c = static_cast<char16_t>(up);
    }
    return Utf16ToUtf8(u);
}

String CharText(WideChar ch)
{
    std::u16string u;
    const auto cp = static_cast<char32_t>(ch);
    if (cp >= 0x10000) {
        u += char16_t(0xD800 + ((cp - 0x10000) >> 10));
        u += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        u += char16_t(cp);
    }
    return Utf16ToUtf8(u);
}

// Drops the last character (not just its last byte) of UTF-8 text.
void DropLastChar(String& s)
{
    while (!s.empty()) {
        const unsigned char b = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((b & 0xC0) != 0x80) break;
    }
}
}

int TExtStringGrid::Search(const String& s)
{
    if (RowCount() < 2) return -1;
    int col = FixedCols();
    if (FSortSettings->Show()) {
        col = FSortSettings->Column;
        if (FSortSettings->IndexShow)
            col = FSortIndexes && FSortIndexes->Count() > 0 ? FSortIndexes->GetSortColumns(0) : FixedCols();
    }
    if (col < 0 || col >= ColCount()) return -1;
    const int rc = RealColIndex(col);
    for (int r = FixedRows(); r < RowCount() - FixedFooters; ++r) {
        const String t = UpperText(WithoutTags(GetCellEx(rc, r)));
        if (t.compare(0, s.size(), s) == 0) return r;
    }
    return -1;
}

void TExtStringGrid::IncrementalSearchKey(WideChar Key)
{
    if (Key != 8 && Key < 32) return;
    if (FNavigation->AutoGotoIncremental) {
        if (Key == 8) DropLastChar(SearchInc);
        else SearchInc += CharText(Key);
        SearchTics = 0;
    } else {
        SearchInc = Key == 8 ? String() : CharText(Key);
    }
    if (SearchInc.empty()) return;
    const int r = Search(UpperText(SearchInc));
    if (r < 0) {
        SearchInc.clear();
        return;
    }
    MoveColRow(Col(), r, true, true);
}

void TExtStringGrid::KeyUp(WORD& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_INSERT: case VK_DELETE:
        SearchInc.clear();
        break;
    default:
        break;
    }
    const WORD key = Key;
    TBaseGrid::KeyUp(Key, Shift);
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    const bool tab = key == VK_TAB && Options().Contains(goTabs);
    // With AlwaysEdit the cell an arrow (or Tab) moved to opens its editor at once.
    if (FNavigation->AlwaysEdit && (arrow || tab) && !IsControlCell(RealColIndex(Col()), Row()) && !EditorMode())
        ShowInplaceEdit();
    if ((arrow || tab) && !(Selection() == FKeySelection)) {
        const TGridRect s = Selection();
        FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (!FMouseActions->DisjunctCellSelect() || EditorMode()) return;
    if (Shift.Contains(ssShift) && (arrow || tab)) {
        // Shift with a cursor key: the cells of the old rectangle leave the list, those
        // of the new one join it, all but the current cell.
        const TGridRect old = FKeySelection;
        const TGridRect now = Selection();
        for (int y = old.Top; y <= old.Bottom; ++y)
            for (int x = old.Left; x <= old.Right; ++x)
                if (GetSelectedCells(x, y)) SetSelectedCells(x, y, false);
        for (int y = now.Top; y <= now.Bottom; ++y)
            for (int x = now.Left; x <= now.Right; ++x)
                if (!(x == Col() && y == Row())) SetSelectedCells(x, y, true);
        return;
    }
    if (key != VK_SPACE || Col() < FixedCols() || Row() < FixedRows() || IsFixed(Col(), Row())) return;
    // Space adds the current cell to the list (Ctrl flips it), or makes it the only one.
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, Col(), Row(), can);
    if (!can) return;
    if (Shift.Contains(ssCtrl)) {
        SetSelectedCells(Col(), Row(), !GetSelectedCells(Col(), Row()));
    } else {
        for (int i = SelectedCellsCount() - 1; i >= 0; --i) {
            const TGridCoord k = GetSelectedCell(i);
            SetSelectedCells(k.X, k.Y, false);
        }
        SetSelectedCells(Col(), Row(), true);
    }
    const TGridRect s = Selection();
    if (s.Right > s.Left || s.Bottom > s.Top)
        for (int y = s.Top; y <= s.Bottom; ++y)
            for (int x = s.Left; x <= s.Right; ++x)
                if (!GetSelectedCells(x, y)) SetSelectedCells(x, y, true);
    Invalidate();
}
