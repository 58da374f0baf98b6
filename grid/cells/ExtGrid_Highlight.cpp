// Highlighting and marking text inside cells ("hi" and "e" tag pairs that the painter
// draws in the highlight colours or as an error), taking the tags out again, and
// checking cells with the application's cell checker.
#include <algorithm>

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

// The text with every occurrence of Text outside the tags wrapped in the tag pair.
String WrapOccurrences(bool DoCase, String S, String Text, const String& Tag)
{
    if (Text.empty()) return S;   // an empty text occurs everywhere: nothing to mark
    // The tag-free text, and for each of its characters its place in S.
    auto strip = [](const String& s, String& plain, std::vector<size_t>& at) {
        plain.clear();
        at.clear();
        bool inTag = false;
        for (size_t i = 0; i < s.size(); ++i) {
            if (!inTag && s[i] == '<' && s.find('>', i) != String::npos) inTag = true;
            else if (inTag && s[i] == '>') inTag = false;
            else if (!inTag) {
                plain += s[i];
                at.push_back(i);
            }
        }
    };
    String plain;
    std::vector<size_t> at;
    strip(S, plain, at);
    auto fold = [DoCase](const String& s) { return DoCase ? s : UpperCase(s); };
    if (fold(plain).find(fold(Text)) == String::npos) return S;
    if (plain.find_first_of("<>") != String::npos) {
        // A lone "<" or ">" in the text would pair with the new tags: the text goes on
        // tag-free with those two written as entities, and so does the search text.
        auto escapeAngles = [](const String& s) {
            String r;
            for (char c : s) r += c == '<' ? String("&lt;") : c == '>' ? String("&gt;") : String(1, c);
            return r;
        };
        S = escapeAngles(plain);
        Text = escapeAngles(Text);
        strip(S, plain, at);
    }
    const String hay = fold(plain), needle = fold(Text);
    const String open = TagText(Tag, false), close = TagText(Tag, true);
    String out;
    size_t copied = 0, from = 0, p;
    while ((p = hay.find(needle, from)) != String::npos) {
        const size_t a = at[p], b = at[p + needle.size() - 1] + 1;
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
    if (FCellChecker) RemoveFreeNotification(FCellChecker->CheckerComponent());
    FCellChecker = Value;
    if (Value) FreeNotification(Value->CheckerComponent());
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
