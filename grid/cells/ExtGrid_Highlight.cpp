// Highlighting and marking text inside cells ("hi" and "e" tag pairs that the painter
// draws in the highlight colours or as an error), taking the tags out again, and
// checking cells with the application's cell checker.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTML.h"

namespace {
// "<name>" or "</name>".
String TagText(const String& Name, bool Closing)
{
    String t(1, '<');
    if (Closing) t += '/';
    t += Name;
    t += '>';
    return t;
}

// One character of a text outside its tags: the character (an entity's character for
// "&lt;", "&gt;", "&amp;" and "&quot;") and where it stands in the text.
struct TPlainChar {
    char Ch;
    size_t From, To;   // [From, To) in the text
    bool Raw;          // written as itself, not as an entity
};

// The text's characters outside its tags (each run from "<" to the next ">").
std::vector<TPlainChar> PlainChars(const String& s)
{
    static const struct {
        const char* name;
        char ch;
    } kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    std::vector<TPlainChar> r;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '<') {
            const size_t e = s.find('>', i);
            if (e != String::npos) {
                i = e + 1;
                continue;
            }
        }
        bool entity = false;
        if (s[i] == '&')
            for (const auto& en : kEntities) {
                const size_t n = std::char_traits<char>::length(en.name);
                if (s.compare(i, n, en.name) == 0) {
                    r.push_back({en.ch, i, i + n, false});
                    i += n;
                    entity = true;
                    break;
                }
            }
        if (!entity) {
            r.push_back({s[i], i, i + 1, true});
            ++i;
        }
    }
    return r;
}

String PlainText(const std::vector<TPlainChar>& chars)
{
    String r;
    for (const auto& c : chars) r += c.Ch;
    return r;
}

// The text with every occurrence of Text outside the tags wrapped in the tag pair.
// Occurrences are compared by character, an entity counting as the character it
// stands for, so a search never lands inside "&lt;" and the like.
String WrapOccurrences(bool DoCase, String S, String Text, const String& Tag)
{
    if (Text.empty()) return S;   // an empty text occurs everywhere: nothing to mark
    std::vector<TPlainChar> chars = PlainChars(S);
    auto fold = [DoCase](const String& s) { return DoCase ? s : UpperCase(s); };
    const String needle = fold(PlainText(PlainChars(Text)));
    if (needle.empty() || fold(PlainText(chars)).find(needle) == String::npos) return S;
    bool loneAngle = false;
    for (const auto& c : chars) loneAngle = loneAngle || (c.Raw && (c.Ch == '<' || c.Ch == '>'));
    if (loneAngle) {
        // A lone "<" or ">" in the text would pair with the new tags: the text goes on
        // tag-free with those two written as entities.
        String plain;
        for (const auto& c : chars) {
            if (c.Ch == '<') plain += "&lt;";
            else if (c.Ch == '>') plain += "&gt;";
            else plain.append(S, c.From, c.To - c.From);
        }
        S = plain;
        chars = PlainChars(S);
    }
    const String hay = fold(PlainText(chars));
    const String open = TagText(Tag, false), close = TagText(Tag, true);
    String out;
    size_t copied = 0, from = 0, p;
    while ((p = hay.find(needle, from)) != String::npos) {
        const size_t a = chars[p].From, b = chars[p + needle.size() - 1].To;
        out.append(S, copied, a - copied);
        out += open;
        out.append(S, a, b - a);
        out += close;
        copied = b;
        from = p + needle.size();
    }
    out.append(S, copied, String::npos);
    return out;
}

// S without the opening and closing tags of that name (any case), then "&lt;" and
// "&gt;" as their characters.
String RemoveTags(const String& S, const String& Tag)
{
    const String upper = UpperCase(S), open = TagText(UpperCase(Tag), false), close = TagText(UpperCase(Tag), true);
    String r;
    size_t i = 0;
    while (i < S.size()) {
        if (upper.compare(i, open.size(), open) == 0) i += open.size();
        else if (upper.compare(i, close.size(), close) == 0) i += close.size();
        else r += S[i++];
    }
    String out;
    for (size_t k = 0; k < r.size();) {
        if (r.compare(k, 4, "&lt;") == 0) { out += '<'; k += 4; }
        else if (r.compare(k, 4, "&gt;") == 0) { out += '>'; k += 4; }
        else out += r[k++];
    }
    return out;
}

bool HoldsTag(const String& S, const String& Tag)
{
    const String upper = UpperCase(S);
    return upper.find(TagText(UpperCase(Tag), false)) != String::npos ||
           upper.find(TagText(UpperCase(Tag), true)) != String::npos;
}

// A block of cells, real columns and display rows, inclusive.
struct TCellRange {
    int FromCol, ToCol, FromRow, ToRow;
};

// The cells of one column or row or the whole grid, with or without the fixed cells;
// Hidden widens the columns by the hidden ones.
TCellRange ColumnRange(TExtStringGrid& g, bool DoFixed, int Col)
{
    if (DoFixed) return {Col, Col, 0, g.RowCount() - 1};
    return {Col, Col, g.FixedRows(), g.RowCount() - g.FixedFooters - 1};
}

TCellRange RowRange(TExtStringGrid& g, bool DoFixed, int Row, bool Hidden)
{
    const int h = Hidden ? g.NumHiddenColumns() : 0;
    if (DoFixed) return {0, g.ColCount() - 1 + h, Row, Row};
    return {g.FixedCols(), g.ColCount() - g.FixedRightCols - 1 + h, Row, Row};
}

TCellRange GridRange(TExtStringGrid& g, bool DoFixed, bool Hidden)
{
    const int h = Hidden ? g.NumHiddenColumns() : 0;
    if (DoFixed) return {0, g.ColCount() - 1 + h, 0, g.RowCount() - 1};
    return {g.FixedCols(), g.ColCount() - g.FixedRightCols - 1 + h, g.FixedRows(), g.RowCount() - g.FixedFooters - 1};
}

// Every base cell of the range that lies in the grid; cells outside are skipped.
template <class F>
void ForBaseCells(TExtStringGrid& g, TCellRange r, F&& f)
{
    r.FromCol = std::max(r.FromCol, 0);
    r.FromRow = std::max(r.FromRow, 0);
    r.ToCol = std::min(r.ToCol, g.TotalColCount() - 1);
    r.ToRow = std::min(r.ToRow, g.RowCount() - 1);
    if (r.FromCol > r.ToCol || r.FromRow > r.ToRow) return;
    g.BeginUpdate();
    struct Release {
        TExtStringGrid& g;
        ~Release() { g.EndUpdate(); }
    } release{g};
    for (int row = r.FromRow; row <= r.ToRow; ++row)
        for (int col = r.FromCol; col <= r.ToCol; ++col)
            if (g.IsBaseCell(col, row)) f(col, row);
}

void WrapInRange(TExtStringGrid& g, TCellRange r, bool DoCase, const String& Text, const String& Tag)
{
    if (Text.empty()) return;
    const String text = EscapeHTML(Text);
    ForBaseCells(g, r, [&](int col, int row) {
        const String cell = EscapeHTML(g.GetCellEx(col, row));
        const String marked = WrapOccurrences(DoCase, cell, text, Tag);
        // A cell where the text does not occur keeps its text as it was, unescaped.
        if (marked != cell) g.SetCellEx(col, row, marked);
    });
}

void RemoveInRange(TExtStringGrid& g, TCellRange r, const String& Tag)
{
    ForBaseCells(g, r, [&](int col, int row) {
        const String cell = g.GetCellEx(col, row);
        // Only cells that hold the tag were escaped by marking; any other text stays.
        if (HoldsTag(cell, Tag)) g.SetCellEx(col, row, RemoveTags(UnescapeHTML(cell), Tag));
    });
}

const String kHilight = "hi";
const String kMark = "e";
}

String TExtStringGrid::HilightText(bool DoCase, const String& S, const String& Text)
{
    return WrapOccurrences(DoCase, S, Text, kHilight);
}

String TExtStringGrid::MarkText(bool DoCase, const String& S, const String& Text)
{
    return WrapOccurrences(DoCase, S, Text, kMark);
}

String TExtStringGrid::UnHilightText(const String& S) { return RemoveTags(S, kHilight); }

String TExtStringGrid::UnMarkText(const String& S) { return RemoveTags(S, kMark); }

void TExtStringGrid::HilightInCell(bool DoCase, int Col, int Row, const String& HiText)
{
    WrapInRange(*this, {Col, Col, Row, Row}, DoCase, HiText, kHilight);
}

void TExtStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const String& HiText)
{
    WrapInRange(*this, ColumnRange(*this, DoFixed, Col), DoCase, HiText, kHilight);
}

void TExtStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const String& HiText)
{
    WrapInRange(*this, RowRange(*this, DoFixed, Row, false), DoCase, HiText, kHilight);
}

void TExtStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    // Without the fixed cells the hidden columns are highlighted too, so a column shown
    // again carries the same highlight as the others.
    WrapInRange(*this, GridRange(*this, DoFixed, !DoFixed), DoCase, HiText, kHilight);
}

void TExtStringGrid::UnHilightInCell(int Col, int Row) { RemoveInRange(*this, {Col, Col, Row, Row}, kHilight); }

void TExtStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    RemoveInRange(*this, ColumnRange(*this, DoFixed, Col), kHilight);
}

void TExtStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    RemoveInRange(*this, RowRange(*this, DoFixed, Row, true), kHilight);
}

void TExtStringGrid::UnHilightInGrid(bool DoFixed) { RemoveInRange(*this, GridRange(*this, DoFixed, true), kHilight); }

void TExtStringGrid::MarkInCell(bool DoCase, int Col, int Row, const String& HiText)
{
    WrapInRange(*this, {Col, Col, Row, Row}, DoCase, HiText, kMark);
}

void TExtStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const String& HiText)
{
    WrapInRange(*this, ColumnRange(*this, DoFixed, Col), DoCase, HiText, kMark);
}

void TExtStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const String& HiText)
{
    WrapInRange(*this, RowRange(*this, DoFixed, Row, false), DoCase, HiText, kMark);
}

void TExtStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const String& HiText)
{
    WrapInRange(*this, GridRange(*this, DoFixed, false), DoCase, HiText, kMark);
}

void TExtStringGrid::UnMarkInCell(int Col, int Row) { RemoveInRange(*this, {Col, Col, Row, Row}, kMark); }

void TExtStringGrid::UnMarkInCol(bool DoFixed, int Col) { RemoveInRange(*this, ColumnRange(*this, DoFixed, Col), kMark); }

void TExtStringGrid::UnMarkInRow(bool DoFixed, int Row) { RemoveInRange(*this, RowRange(*this, DoFixed, Row, true), kMark); }

void TExtStringGrid::UnMarkInGrid(bool DoFixed) { RemoveInRange(*this, GridRange(*this, DoFixed, true), kMark); }

// ---------------------------------------------------------------- the cell checker

void TExtStringGrid::SetCellChecker(TGridCellChecker* Value)
{
    if (FCellChecker == Value) return;
    if (FCellCheckerComponent) RemoveFreeNotification(FCellCheckerComponent);
    FCellChecker = Value;
    // Kept apart from the checker: when the component is freed, only its component part
    // is left, so the checker can no longer be asked which component it is.
    FCellCheckerComponent = Value ? Value->CheckerComponent() : nullptr;
    if (FCellCheckerComponent) FreeNotification(FCellCheckerComponent);
}

bool TExtStringGrid::CheckCell(int Col, int Row)
{
    if (!FCellChecker) return true;
    if (Col < 0 || Row < 0 || Col >= TotalColCount() || Row >= RowCount()) return true;
    const String unmarked = UnMarkText(GetCellEx(Col, Row));
    if (FCellChecker->GotoCell()) {
        // Only a scrollable cell can be the current one.
        const int dc = DisplColIndex(Col);
        if (dc >= FixedCols() && dc < ColCount() && Row >= FixedRows()) {
            GotoCell(dc, Row);
            ScrollInView(dc, Row);
        }
    }
    String text = unmarked;
    if (FCellChecker->UseCorrect()) text = FCellChecker->Correct(Col, Row, unmarked);
    if (FCellChecker->UseMarkError()) text = FCellChecker->MarkError(Col, Row, unmarked);
    SetCellEx(Col, Row, text);
    return text == unmarked;
}

bool TExtStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FCellChecker) return true;
    TGridCellChecker* checker = FCellChecker;
    const int oldCol = Col(), oldRow = Row();
    bool passed = true;
    checker->StartCheck();
    struct Finish {
        TExtStringGrid* g;
        TGridCellChecker* c;
        int col, row;
        ~Finish()
        {
            c->StopCheck();
            if (c->GotoCell()) g->GotoCell(col, row);
        }
    } finish{this, checker, oldCol, oldRow};
    const int lastCol = std::min(ToCol, TotalColCount() - 1), lastRow = std::min(ToRow, RowCount() - 1);
    for (int r = std::max(FromRow, 0); r <= lastRow; ++r)
        for (int c = std::max(FromCol, 0); c <= lastCol; ++c)
            if (!CheckCell(c, r)) passed = false;
    return passed;
}

bool TExtStringGrid::CheckCol(bool DoFixed, int Col)
{
    const TCellRange r = ColumnRange(*this, DoFixed, Col);
    return CheckCells(r.FromCol, r.FromRow, r.ToCol, r.ToRow);
}

bool TExtStringGrid::CheckRow(bool DoFixed, int Row)
{
    const TCellRange r = RowRange(*this, DoFixed, Row, false);
    return CheckCells(r.FromCol, r.FromRow, r.ToCol, r.ToRow);
}

bool TExtStringGrid::CheckGrid(bool DoFixed)
{
    const TCellRange r = GridRange(*this, DoFixed, false);
    return CheckCells(r.FromCol, r.FromRow, r.ToCol, r.ToRow);
}
