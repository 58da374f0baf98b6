// The grid's rich edit control beyond loading and storing: the character offsets of the
// selection, the keys that hand the edit back to the grid, and the size the content asks
// for, which lets the row grow while a rich-text cell is typed into.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"
#include "platform/rtl/Unicode.h"

namespace {
// The text as the control counts its characters: lines joined by one break each.
std::u16string PlainText(TMemo* m)
{
    String s;
    TStringList* lines = m->Lines();
    for (int i = 0; i < lines->Count(); ++i) s += (i ? "\n" : "") + lines->Strings(i);
    return Utf8ToUtf16(s);
}
}  // namespace

void TExtRichEdit::ReCreate()
{
    FOffsets.clear();
    FOffsetText.clear();
    FTypingOffset = 0;
    FReqWidth = FReqHeight = 0;
    SetSelStart(0);
}

void TExtRichEdit::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        TMemo::WndProc(msg);
        msg.Result |= DLGC_WANTTAB;
        return;
    }
    TMemo::WndProc(msg);
}

void TExtRichEdit::HostNotify(int code, std::intptr_t arg)
{
    TMemo::HostNotify(code, arg);
    // Whatever the native control reports, a changed text is what the offsets follow.
    if (FOffsetText != PlainText(this)) TextEdited();
}

// ---------------------------------------------------------------- character offsets

void TExtRichEdit::TextEdited()
{
    const std::u16string now = PlainText(this);
    const std::u16string& was = FOffsetText;
    // What lies between the common start and the common end was replaced; characters
    // typed there take the typing offset.
    size_t head = 0;
    while (head < now.size() && head < was.size() && now[head] == was[head]) ++head;
    size_t tail = 0;
    while (tail < now.size() - head && tail < was.size() - head &&
           now[now.size() - 1 - tail] == was[was.size() - 1 - tail])
        ++tail;
    FOffsets.resize(was.size(), 0);
    std::vector<int> next(FOffsets.begin(), FOffsets.begin() + std::ptrdiff_t(head));
    next.insert(next.end(), now.size() - head - tail, FTypingOffset);
    next.insert(next.end(), FOffsets.end() - std::ptrdiff_t(tail), FOffsets.end());
    FOffsets = std::move(next);
    FOffsetText = now;
    RequestSize();
}

void TExtRichEdit::SetSelOffset(int Offset)
{
    if (FOffsetText != PlainText(this)) TextEdited();
    const int from = std::max(0, SelStart()), count = std::max(0, SelLength());
    if (count == 0) {
        FTypingOffset = Offset;
        return;
    }
    for (int i = from; i < from + count && i < int(FOffsets.size()); ++i) FOffsets[size_t(i)] = Offset;
}

int TExtRichEdit::SelOffset() const
{
    auto* self = const_cast<TExtRichEdit*>(this);
    if (FOffsetText != PlainText(self)) self->TextEdited();
    const int from = std::max(0, SelStart());
    // A selection answers with its first character; the caret with what typing takes.
    if (SelLength() > 0 && from < int(FOffsets.size())) return FOffsets[size_t(from)];
    return FTypingOffset;
}

// ---------------------------------------------------------------- keys

void TExtRichEdit::KeyDown(WORD& key, TShiftState shift)
{
    TMemo::KeyDown(key, shift);
    TExtStringGrid* g = FGrid;
    if (!g || !key) return;
    if (key == VK_TAB && g->Options().Contains(goTabs)) {
        // The grid takes the focus, which stores the text, moves by Tab and opens the
        // editor of the cell it reached.
        if (g->CanFocus()) g->SetFocus();
        WORD k = key;
        TGridEditorLibrary::GridKeyDown(g, k, shift);
        g->ShowInplaceEdit();
        key = 0;
        return;
    }
    if ((key == VK_UP || key == VK_DOWN) && !g->WordWrap() && !g->Multilinecells) {
        if (g->CanFocus()) g->SetFocus();
        WORD k = key;
        TGridEditorLibrary::GridKeyDown(g, k, shift);
        key = 0;
    }
}

// ---------------------------------------------------------------- size requests

void TExtRichEdit::RequestSize()
{
    TBitmap measure;
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(*Font());
    const int lineHeight = std::max(1, c->TextHeight("Wg"));
    // Wrapped lines take the room inside the control's border.
    const int room = std::max(1, ClientWidth() - 4);
    int lines = 0, widest = 0;
    TStringList* all = Lines();
    for (int i = 0; i < std::max(1, all->Count()); ++i) {
        const String line = i < all->Count() ? all->Strings(i) : String();
        const int w = line.empty() ? 0 : c->TextWidth(line);
        widest = std::max(widest, w);
        lines += WordWrap() && w > room ? (w + room - 1) / room : 1;
    }
    FReqWidth = widest;
    FReqHeight = lines * lineHeight;

    TExtStringGrid* g = FGrid;
    if (!g || FLocked || !Visible() || this != InplaceRichEdit(g) || !g->SizeWhileTyping()->Height) return;
    const int h = FReqHeight, row = g->Row();
    const TRect R = g->CellRect(g->Col(), row);
    // The row only grows, and never past the grid's bottom edge.
    if (g->RowHeights(row) < h + 5 && R.Top + h + 5 < g->Height()) {
        SetHeight(h + 9);
        g->SetRowHeights(row, h + 10);
        if (g->OnEndRowSize) g->OnEndRowSize(g, row);
    }
}
