// The search footer's actions: typing searches from the top, Return (the next button)
// goes on, Ctrl+Return (the previous button) goes back, the highlight button marks the
// text in the cells, the close button hides the footer; and the panel's layout from the
// footer settings.
#include "grid/core/ExtGrid.h"
#include "grid/util/GridDateFilter.h"

namespace {
String EscapeHTML(const String& s)
{
    String r;
    r.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        default: r += c;
        }
    }
    return r;
}

String ReplaceAll(String s, const String& from, const String& to)
{
    for (size_t p = 0; (p = s.find(from, p)) != String::npos; p += to.size()) s.replace(p, from.size(), to);
    return s;
}

bool HasHiTag(const String& s) { return UpperCaseText(s).find("<HI>") != String::npos; }

// The occurrences of Text in S (no tags in either) wrapped in the highlight tags; S
// itself when there is none.
String WrapOccurrences(const String& S, const String& Text, bool DoCase)
{
    if (Text.empty()) return S;
    const String hay = DoCase ? S : UpperCaseText(S);
    const String needle = DoCase ? Text : UpperCaseText(Text);
    // Upper case that changes the length (rare letters) falls back to exact matching.
    const bool folded = hay.size() == S.size() && needle.size() == Text.size();
    const String& h = folded ? hay : S;
    const String& n = folded ? needle : Text;
    String r;
    size_t from = 0;
    for (size_t p; (p = h.find(n, from)) != String::npos; from = p + n.size())
        r.append(S, from, p - from).append("<hi>").append(S, p, n.size()).append("</hi>");
    return from == 0 ? S : r.append(S, from, String::npos);
}
}

// The grid's own highlighting of the found text, kept to what the footer needs: the
// base cells of the scrollable range (hidden columns included), or one column. Only
// cells that hold the text are written, and only highlighted cells are restored, so
// cells the footer never marked keep their text as it was.
static void ForEachFooterCell(TExtStringGrid* g, int Column, const std::function<void(int, int)>& Do)
{
    const int c1 = Column >= 0 ? Column : g->FixedCols();
    const int c2 = Column >= 0 ? Column : g->ColCount() - g->FixedRightCols - 1 + g->NumHiddenColumns();
    for (int r = g->FixedRows(); r <= g->RowCount() - g->FixedFooters - 1; ++r)
        for (int c = c1; c <= c2 && c < g->TotalColCount(); ++c)
            if (!g->IsMergedNonBaseCell(c, r)) Do(c, r);
}

static void FooterHighlight(TExtStringGrid* g, int Column, const String& Text, bool DoCase)
{
    const String text = EscapeHTML(Text);
    ForEachFooterCell(g, Column, [&](int c, int r) {
        const String cell = EscapeHTML(g->GetCellEx(c, r));
        const String now = WrapOccurrences(cell, text, DoCase);
        if (now != cell) g->SetCellEx(c, r, now);
    });
}

static void FooterUnHighlight(TExtStringGrid* g, int Column)
{
    ForEachFooterCell(g, Column, [&](int c, int r) {
        const String cell = g->GetCellEx(c, r);
        if (!HasHiTag(cell)) return;
        String s = ReplaceAll(ReplaceAll(cell, "&lt;", "\x01"), "&gt;", "\x02");
        s = ReplaceAll(ReplaceAll(s, "&amp;", "&"), "&quot;", "\"");
        for (const char* tag : {"<hi>", "</hi>", "<HI>", "</HI>"}) s = ReplaceAll(s, tag, "");
        s = ReplaceAll(ReplaceAll(s, "\x01", "<"), "\x02", ">");
        g->SetCellEx(c, r, s);
    });
}

namespace {
// The options the footer searches with; Typing adds the fixed cells and hidden rows.
TFindParams FooterParams(TExtStringGrid* g, bool Typing)
{
    TSearchFooter* f = g->SearchFooter();
    TSearchPanel* p = g->SearchPanel();
    TFindParams P{fnAutoGoto};
    if (p->HiliteButton()->Down()) P << fnIgnoreHTMLTags;
    if (p->MatchCase()->Checked()) P << fnMatchCase;
    if (f->SearchActiveColumnOnly) P << fnFindInCurrentCol;
    if (f->SearchMatchStart) P << fnMatchStart;
    if (Typing && f->SearchFixedCells) P << fnIncludeFixed;
    if (Typing && f->SearchHiddenRows) P << fnIncludeHiddenRows;
    if (f->SearchDirection == sdLeftRight) P << fnDirectionLeftRight;
    if (f->SearchColumn >= 0 && f->SearchColumn < g->ColCount()) {
        P << fnFindInPresetCol;
        g->FindCol = f->SearchColumn;
    }
    return P;
}
}

void TExtStringGrid::SearchFooterEditChange()
{
    if (!FSearchPanel) return;
    const String text = FSearchPanel->Edit()->Text();
    for (TExtGridButton* b : {FSearchPanel->ForwardButton(), FSearchPanel->BackwardButton(), FSearchPanel->HiliteButton()})
        b->SetEnabled(!text.empty());
    bool defaultSearch = true;
    if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch) return;
    const TFindParams P = FooterParams(this, true);
    const bool hilite = FSearchPanel->HiliteButton()->Down() || FSearchFooter->AlwaysHighLight;
    const int column = FSearchFooter->SearchColumn;
    if (hilite) FooterUnHighlight(this, column);
    if (text.empty()) {
        FSearchPanel->Edit()->SetColor(clWindow);
        FSearchCell = TPoint(-1, -1);
        return;
    }
    const TPoint p = Find(TPoint(-1, -1), text, P);
    FSearchCell = p;
    FireSearchFooterAction(text, p.X, p.Y, saFindFirst);
    FSearchPanel->Edit()->SetColor(p.X < 0 ? clRed : clWindow);
    if (p.X >= 0) ScrollInView(Col(), Row());
    if (hilite) FooterHighlight(this, column, text, P.Contains(fnMatchCase));
}

static void FooterFind(TExtStringGrid* g, bool Backward, TPoint& SearchCell)
{
    TSearchPanel* panel = g->SearchPanel();
    TSearchFooter* f = g->SearchFooter();
    if (!panel) return;
    const String text = panel->Edit()->Text();
    if (text.empty()) return;   // an empty text would find every cell
    if (!f->AutoSearch && text != f->LastSearch) {
        SearchCell = TPoint(-1, -1);
        f->LastSearch = text;
    }
    TFindParams P = FooterParams(g, false);
    if (Backward) P = (P << fnBackward) >> fnDirectionLeftRight;
    const TPoint p = g->Find(SearchCell, text, P);
    SearchCell = p;
    if (p.X >= 0) g->ScrollInView(g->Col(), g->Row());
    const int a = g->FloatingFooter()->Visible ? 1 : 0;
    if (g->Row() > g->TopRow() + g->VisibleRowCount() - 3 + a &&
        g->RowCount() > g->VisibleRowCount() + g->FixedRows() + a)
        g->SetTopRow(std::min(g->TopRow() + 2, std::max(g->FixedRows(), g->RowCount() - g->VisibleRowCount())));
    g->FireSearchFooterAction(text, p.X, p.Y, Backward ? saFindPrevious : saFindNext);
    panel->Invalidate();
}

void TExtStringGrid::SearchFooterFindNext() { FooterFind(this, false, FSearchCell); }

void TExtStringGrid::SearchFooterFindPrevious() { FooterFind(this, true, FSearchCell); }

void TExtStringGrid::SearchFooterHighlight()
{
    if (!FSearchPanel) return;
    const int column = FSearchFooter->SearchColumn;
    FooterUnHighlight(this, column);
    if (FSearchPanel->HiliteButton()->Down())
        FooterHighlight(this, column, FSearchPanel->Edit()->Text(), FSearchPanel->MatchCase()->Checked());
}

void TExtStringGrid::SearchFooterClose()
{
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

void TExtStringGrid::SearchFooterChange()
{
    if (FLoading || !FSearchPanel) return;
    TSearchPanel* p = FSearchPanel;
    TSearchFooter* f = FSearchFooter.get();
    if ((p->HiliteButton()->Down() && p->Visible() && !f->Visible()) || f->AlwaysHighLight)
        FooterUnHighlight(this, f->SearchColumn);
    p->SetColor(f->Color());
    p->SetColorTo(f->ColorTo());
    p->LineColor = GridLineColor();
    p->SetVisible(f->Visible());
    p->ForwardButton()->SetCaption(f->FindNextCaption());
    p->BackwardButton()->SetCaption(f->FindPrevCaption());
    p->MatchCase()->SetCaption(f->MatchCaseCaption());
    p->HiliteButton()->SetCaption(f->HighLightCaption());
    const std::pair<TExtGridButton*, String> hints[] = {{p->ForwardButton(), f->HintFindNext()},
                                                         {p->BackwardButton(), f->HintFindPrev()},
                                                         {p->ExitButton(), f->HintClose()},
                                                         {p->HiliteButton(), f->HintHighlight()}};
    const TControlStyle style = FControlLook->ControlStyle;
    const bool flat = f->AutoThemeAdapt() || style == csFlat;
    for (const auto& [b, hint] : hints) {
        b->SetHint(hint);
        b->SetShowHint(!hint.empty());
        b->SetFlat(flat);
        b->SetFont(f->Font());
        b->Invalidate();
    }
    p->SetFont(f->Font());
    p->MatchCase()->SetFont(f->Font());
    p->HiliteButton()->SetVisible(f->ShowHighLight());
    p->ExitButton()->SetVisible(f->ShowClose());
    p->MatchCase()->SetVisible(f->ShowMatchCase());
    p->MatchCase()->SetTransparent(true);
    p->BackwardButton()->SetVisible(f->ShowFindPrev());
    p->ForwardButton()->SetVisible(f->ShowFindNext());
    p->SetHeight(f->Visible() ? 32 : 0);
    p->LayoutControls(false);
    p->Invalidate();
    if (!FSearchFooterCreated && Parent()) {
        FSearchFooterCreated = true;
        if (OnCreatedSearchFooter) OnCreatedSearchFooter(this);
    }
}
