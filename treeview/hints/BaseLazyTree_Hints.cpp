// The tree's answer to the toolkit's hint requests: for each pointer position whether a
// hint shows and which one (the control's own hint, a cell's hint, a header column's hint,
// or a tooltip that shows a cell's whole text where the cell cuts it off), and the data
// its hint window draws from.
#include "platform/gui/Forms.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/hints/LazyTreeHintWindow.h"

namespace {

// The part of a hint text before a bar: the short hint.
String ShortHint(const String& Hint)
{
    const auto bar = Hint.find('|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

} // namespace

String TBaseLazyTree::GetHintText(PLazyNode, TColumnIndex, TLTTooltipLineBreakStyle& LineBreakStyle)
{
    LineBreakStyle = hlbDefault;
    return Hint();
}

String TBaseLazyTree::GetTooltipText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle)
{
    return GetHintText(Node, Column, LineBreakStyle);
}

THintWindowClass TBaseLazyTree::HintWindowClass() const { return &TLazyTreeHintWindow::Make; }

void TBaseLazyTree::FireGetHintKind(PLazyNode Node, TColumnIndex Column, TLTHintKind& Kind)
{
    if (OnGetHintKind)
        OnGetHintKind(this, Node, Column, Kind);
    else
        Kind = DefaultHintKind();
}

void TBaseLazyTree::FireGetHintSize(PLazyNode Node, TColumnIndex Column, TRect& R)
{
    if (OnGetHintSize) OnGetHintSize(this, Node, Column, R);
}

void TBaseLazyTree::FireDrawHint(TCanvas* Canvas, PLazyNode Node, const TRect& R, TColumnIndex Column)
{
    if (OnDrawHint) OnDrawHint(this, Canvas, Node, R, Column);
}

void TBaseLazyTree::GetTextInfo(PLazyNode, TColumnIndex, TFont* AFont, TRect& R, String& Text)
{
    R = TRect();
    Text.clear();
    AFont->Assign(*Font());
}

void TBaseLazyTree::DoHintShow(THintInfo& Info)
{
    // Without a hint string the toolkit shows nothing (and hides what it showed).
    auto noHint = [&] {
        Info.HintStr.clear();
        FLastHintRect = TRect();
        ChangeTreeStates({}, TLazyTreeStates{tsHint});
    };
    // The hint shown belongs to this area: resting in it again asks for nothing new.
    if (PtInRect(FLastHintRect, Info.CursorPos)) {
        Info.HintStr.clear();
        return;
    }
    THitInfo hit;
    GetHitTestInfoAt(Info.CursorPos.X, Info.CursorPos.Y, true, hit);
    bool allowed;
    if (IsEditing())
        allowed = hit.HitNode != FFocusedNode;
    else if (TForm* form = ParentForm())
        allowed = form->Active() || Focused();
    else
        allowed = Focused();
    if (GetCapture() != 0 || !TWinControl::HintEnabled(this) || IsMouseSelecting() ||
        FStates.Contains(tsScrolling) || !FHeader->States().Empty() || !allowed) {
        noHint();
        return;
    }
    bool show = false;
    const int headerHeight = HeaderAreaHeight();
    TLazyTreeColumns* columns = FHeader->Columns();
    FHintData = TLTHintData{};
    Info.HintStr.assign(1, ' ');
    if (FHeader->UseColumns() && FHeader->Options().Contains(hoShowHint) && Info.CursorPos.Y < headerHeight &&
        Info.CursorPos.Y >= 0) {
        // Over the header: the column's own hint, placed below the header.
        const TColumnIndex column = columns->ColumnFromPosition(Info.CursorPos, true);
        if (columns->IsValidColumn(column)) {
            int left = 0, right = 0;
            columns->GetColumnBounds(column, left, right);
            Info.CursorRect = TRect(left, 0, right, headerHeight);
            Info.HintPos.Y = std::max(Info.HintPos.Y, ClientToScreen(TPoint(0, headerHeight)).Y);
            FHintData.DefaultHint = columns->Items(column)->Hint();
            show = !FHintData.DefaultHint.empty();
        }
        hit.HitNode = nullptr;
        hit.HitColumn = column;
    } else if (FHintMode == hmDefault) {
        // The toolkit shows the control's hint in its own window.
        Info.HintStr = ShortHint(Hint());
        FLastHintRect = TRect();
        if (Info.HintStr.empty())
            noHint();
        else
            ChangeTreeStates(TLazyTreeStates{tsHint}, {});
        return;
    } else if (hit.HitNode && hit.HitColumn >= NoColumnIndex) {
        PLazyNode node = hit.HitNode;
        TLTHintKind kind = vhkText;
        FireGetHintKind(node, hit.HitColumn, kind);
        if (kind == vhkOwnerDraw) {
            FireGetHintSize(node, hit.HitColumn, FHintData.HintRect);
            show = !IsRectEmpty(FHintData.HintRect);
        } else {
            show = true;
        }
        // The cell, widened over the empty columns a spanning text runs into.
        int spanLeft = 0, spanRight = ClientWidth();
        if (hit.HitColumn >= 0) {
            columns->GetColumnBounds(hit.HitColumn, spanLeft, spanRight);
            if (FOptions->AutoOptions().Contains(toAutoSpanColumns)) {
                for (TColumnIndex c = columns->GetNextVisibleColumn(hit.HitColumn); c >= 0 && IsCellEmpty(node, c);
                     c = columns->GetNextVisibleColumn(c)) {
                    int l = 0, r = 0;
                    columns->GetColumnBounds(c, l, r);
                    spanRight = r;
                }
            }
        }
        if (show && FHintMode != hmTooltip) {
            TRect r = GetDisplayRect(node, hit.HitColumn, false, false, false);
            OffsetRect(r, 0, headerHeight);
            r.Left = spanLeft;
            r.Right = spanRight;
            Info.CursorRect = r;
            Info.HintPos.Y = std::max(ClientToScreen(TPoint(0, r.Bottom)).Y, Info.HintPos.Y) + 2;
        } else if (show) {
            TRect r;
            if (!MultiLine(node)) {
                r = GetDisplayRect(node, hit.HitColumn, true, true, true);
                OffsetRect(r, 0, headerHeight);
                // Cut off when the text runs past the cell, the client area or its top.
                const bool inside = PtInRect(r, Info.CursorPos) && Info.CursorPos.X >= spanLeft &&
                                    Info.CursorPos.X < spanRight;
                show = inside && (std::min(ClientWidth(), spanRight - 1) < r.Right || std::max(spanLeft, 0) > r.Left ||
                                  ClientHeight() < r.Bottom || r.Top < headerHeight);
            } else {
                show = hit.HitPositions.Contains(hiOnItemLabel);
                r = GetDisplayRect(node, hit.HitColumn, true, false, false);
                OffsetRect(r, 0, headerHeight);
            }
            if (show) {
                Info.HintPos = ClientToScreen(TPoint(r.Left, r.Top));
                Info.CursorRect = r;
            }
        }
    } else if (FHintMode == hmHintAndDefault) {
        FHintData.DefaultHint = ShortHint(Hint());
        show = !FHintData.DefaultHint.empty();
    }
    if (!show) {
        noHint();
        return;
    }
    Info.HintWindowClass = HintWindowClass();
    FHintData.Tree = this;
    FHintData.Node = hit.HitNode;
    FHintData.Column = hit.HitColumn;
    FLastHintRect = Info.CursorRect;
    Info.HintData = &FHintData;
    ChangeTreeStates(TLazyTreeStates{tsHint}, {});
}
