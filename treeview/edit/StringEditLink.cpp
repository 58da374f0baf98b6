#include "treeview/edit/StringEditLink.h"

#include <algorithm>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/MultiLineEdit.h"
#include "treeview/LazyStringTree.h"

namespace {

TAlignment Mirrored(TAlignment A)
{
    if (A == taLeftJustify) return taRightJustify;
    if (A == taRightJustify) return taLeftJustify;
    return A;
}

} // namespace

// ---- TStringEditLink ----

TStringEditLink::TStringEditLink() { SetEdit(new TLTEdit(this)); }

TStringEditLink::~TStringEditLink() { SetEdit(nullptr); }

void TStringEditLink::SetEdit(TLTEdit* Value)
{
    if (FEdit) {
        FEdit->FHolder = nullptr;
        FEdit->FLink = nullptr;
        FEdit->Release();
    }
    FEdit = Value;
    if (FEdit) FEdit->FHolder = this;
}

bool TStringEditLink::PrepareEdit(TBaseLazyTree* Tree, PLazyNode Node, TColumnIndex Column)
{
    auto* tree = dynamic_cast<TCustomLazyStringTree*>(Tree);
    if (!tree) return false;
    if (!FEdit) SetEdit(new TLTEdit(this));
    FEdit->FLink = this;
    FEdit->FRefLink = shared_from_this();
    FTree = tree;
    FNode = Node;
    FColumn = Column;
    TFont font;
    font.Assign(*tree->Font());
    String text;
    tree->GetTextInfo(Node, Column, &font, FTextBounds, text);
    FEdit->SetFont(&font);
    FEdit->Font()->SetColor(clWindowText);
    // A multi-line node gets a field of several lines that wraps at the cell's width and
    // scrolls vertically; the field is made anew for the node at hand.
    FEdit->SetMultiLine(tree->MultiLine(Node));
    FEdit->SetParent(tree);
    FEdit->SetText(text);
    FEdit->SetModified(false);
    TLazyTreeColumns* columns = tree->Header()->Columns();
    FAlignment = Column < 0 || !columns->IsValidColumn(Column) ? tree->Alignment() : columns->Items(Column)->Alignment();
    if (tree->UseRightToLeftAlignment()) FAlignment = Mirrored(FAlignment);
    FEdit->SetAlignment(FAlignment);
    return true;
}

bool TStringEditLink::BeginEdit()
{
    if (FStopping || !FEdit) return false;
    FEdit->Show();
    FEdit->SelectAll();
    FEdit->SetFocus();
    FEdit->AutoAdjustSize();
    return true;
}

bool TStringEditLink::EndEdit()
{
    if (FStopping || !FEdit) return false;
    FStopping = true;
    try {
        // An unchanged text is not written back: the application hears no OnNewText.
        if (FEdit->Modified()) FTree->SetText(FNode, FColumn, FEdit->Text());
    } catch (...) {
        FStopping = false;
        throw;
    }
    FEdit->Hide();
    FEdit->Detach();
    return true;
}

bool TStringEditLink::CancelEdit()
{
    if (FStopping || !FEdit) return false;
    FStopping = true;
    FEdit->Hide();
    // A cancel the application started ends the tree's edit too; when the tree itself
    // cancels, this nested call finds the link stopping and does nothing.
    if (FTree) FTree->CancelEditNode();
    FEdit->Detach();
    return true;
}

TRect TStringEditLink::GetBounds() { return FEdit ? FEdit->BoundsRect() : TRect(); }

void TStringEditLink::ProcessMessage(TMessage& Message)
{
    if (FEdit) FEdit->WndProc(Message);
}

void TStringEditLink::SetBounds(TRect R)
{
    if (FStopping || !FEdit || !FTree) return;
    constexpr int MinWidth = 30;
    R.Left = std::max(R.Left, 0);
    if (R.Width() < MinWidth) {
        if (FAlignment == taRightJustify)
            R.Left = R.Right - MinWidth;
        else
            R.Right = R.Left + MinWidth;
    }
    R.Right = std::min(R.Right, FTree->ClientWidth());
    FEdit->SetBoundsRect(R);
    UpdateFormatRect();
}

void TStringEditLink::UpdateFormatRect()
{
    // The text inside the field stands where the tree drew it: the tree's text margin
    // replaces the field's own inner border, and a single line keeps the vertical place
    // it had in the cell, so opening the editor does not make the text jump.
    const bool single = !FTree->MultiLine(FNode);
    int d = single ? 2 : 0;
    if (FTree->TreeStates().Contains(tsUseThemes)) ++d;
    TRect f = FEdit->ClientRect();
    InflateRect(f, d - FTree->TextMargin(), d);
    if (single) OffsetRect(f, 0, FTextBounds.Top - FEdit->Top());
    f.Top = std::max(f.Top, -1);
    f.Left = std::max(f.Left, -1);
    FEdit->SetFormatRect(f);
}

// ---- TLTEdit ----

TLTEdit::TLTEdit(TStringEditLink* Link) : TEdit(nullptr), FLink(Link), FHolder(Link)
{
    SetVisible(false);
    SetShowHint(false);
    SetParentShowHint(false);
}

TLTEdit::~TLTEdit()
{
    if (FHolder) FHolder->FEdit = nullptr;
}

void TLTEdit::SetMultiLine(bool Value)
{
    if (Value == FMultiLine) return;
    FMultiLine = Value;
    // The field is made anew in its other form and takes over the settings of the old one.
    TWinControl* parent = Parent();
    const String text = Text();
    if (parent) SetParent(nullptr);
    AttachWidget(Value ? CreateMultiLineEditWidget(this) : CreateSingleLineEditWidget(this));
    SetReadOnly(ReadOnly());
    SetAlignment(Alignment());
    SetBorderStyle(BorderStyle());
    SetText(text);
    if (parent) SetParent(parent);
}

void TLTEdit::Release()
{
    if (IsWindow(Handle())) PostMessage(Handle(), CM_RELEASEEDITOR, 0, 0);
}

void TLTEdit::Detach()
{
    FLink = nullptr;
    // The last line: the link may go with this reference.
    FRefLink.reset();
}

bool TLTEdit::SingleLine() const { return !FLink || !FLink->FTree || !FLink->FTree->MultiLine(FLink->FNode); }

void TLTEdit::AutoAdjustSize()
{
    if (!FLink || !FLink->FTree || !SingleLine()) return;
    TCustomLazyStringTree* tree = FLink->FTree;
    if (tree->TreeOptions()->MiscOptions().Contains(toGridExtensions)) return;
    TCanvas* canvas = tree->Canvas();
    TFont saved;
    saved.Assign(*canvas->Font());
    canvas->Font()->Assign(*Font());
    // Room for one more character, so the caret never runs against the edge.
    const TPoint size = canvas->TextExtent(Text() + "yG");
    canvas->Font()->Assign(saved);
    const int margins = 2 * tree->TextMargin();
    const int width = size.X + margins;
    const int height = std::max(Height(), size.Y + margins);
    if (width < Width()) tree->Invalidate();
    TRect r = BoundsRect();
    if (FLink->Alignment() == taRightJustify)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    r.Bottom = r.Top + height;
    FLink->SetBounds(r);
}

void TLTEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_RELEASEEDITOR: Free(); return;
    case CM_AUTOADJUST: AutoAdjustSize(); return;
    case WM_PASTE:
        // A multi-line field takes the pasted lines whole.
        if (FMultiLine) {
            InsertTyped(Clipboard()->AsText());
            return;
        }
        TEdit::WndProc(Message);
        return;
    case WM_GETDLGCODE:
        TEdit::WndProc(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
        return;
    default: TEdit::WndProc(Message);
    }
}

void TLTEdit::TakeBackFocus(TCustomLazyStringTree* Tree)
{
    // The application's answer to the end of the edit may have disabled or hidden the
    // form (a modal step, a closed window): then the keyboard stays where it is.
    if (Tree->CanFocus()) Tree->SetFocus();
}

void TLTEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomLazyStringTree* tree = FLink ? FLink->FTree : nullptr;
    switch (Key) {
    case VK_TAB:
        if (tree && tree->IsEditing()) {
            // The text is stored and the next row's cell opens, when it may be edited.
            PLazyNode node = FLink->FNode;
            tree->InvalidateNode(node);
            PLazyNode next = tree->GetNextVisible(node, true);
            tree->EndEditNode();
            if (next) {
                tree->SetFocusedNode(next);
                if (tree->FocusedNode() == next && tree->CanEdit(next, tree->FocusedColumn())) tree->StartEdit();
            }
        }
        Key = 0;
        return;
    case VK_RETURN:
        if (tree && (SingleLine() || Shift.Contains(ssCtrl))) {
            tree->InvalidateNode(FLink->FNode);
            tree->FinishEdit();
            TakeBackFocus(tree);
        }
        Key = 0;
        return;
    case VK_ESCAPE:
        if (tree) {
            tree->AbortEdit();
            TakeBackFocus(tree);
        }
        Key = 0;
        return;
    case VK_UP:
    case VK_DOWN:
        if (SingleLine()) Key = Key == VK_UP ? VK_LEFT : VK_RIGHT;
        break;
    case 'A':
        if (tree && tree->IsEditing() && Shift == TShiftState{ssCtrl}) SelectAll();
        Key = 0;
        return;
    default: break;
    }
    TEdit::KeyDown(Key, Shift);
}

void TLTEdit::KeyPress(WideChar& Key)
{
    // Tab and Escape did their work as keys; their characters would only beep.
    if (Key == 9 || Key == 27) {
        Key = 0;
        return;
    }
    // Enter's character is the line break of a multi-line field.
    if (Key == 13 && FMultiLine) {
        InsertTyped("\r\n");
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

void TLTEdit::DoExit()
{
    TEdit::DoExit();
    if (!FLink || FLink->FStopping || !FLink->FTree) return;
    TCustomLazyStringTree* tree = FLink->FTree;
    if (tree->TreeOptions()->StringOptions().Contains(toAutoAcceptEditChange))
        tree->FinishEdit();
    else
        tree->AbortEdit();
}

void TLTEdit::Change()
{
    TEdit::Change();
    if (SingleLine() && FLink && FLink->FTree) AutoAdjustSize();
}
