// The detail picker: its items, the list it fills and draws, the completion of typed
// text, and the keys that move through the list.
#include "gridext/pickers/DetailDropDown.h"

#include <algorithm>

#include "gridext/pickers/PickerCompletion.h"

// ---------------------------------------------------------------- items

void TDetailItem::Assign(const TDetailItem& S)
{
    SetCaption(S.Caption());
    SetImageIndex(S.FImageIndex);
    FImage.Assign(&S.FImage);
    Enabled = S.Enabled;
    Notes = S.Notes;
    Tag = S.Tag;
    ItemObject = S.ItemObject;
}

// ---------------------------------------------------------------- picker

TExtDetailDropDown::TExtDetailDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner), FItems(this)
{
    FItems.OnChange = [](TObject*) {};
    SetEditorEnabled(true);
    SetDropDownEnabled(true);
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    // Letters typed more than half a second apart start a new search.
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
    FCaptionFont.Assign(*Font());
    FNotesFont.Assign(*Font());
    ApplyStyleToItemAppearance(&FItemAppearance, GetComponentStyle());
}

TExtDetailDropDown::~TExtDetailDropDown()
{
    if (FKeyTimer) {
        FKeyTimer->SetEnabled(false);
        FKeyTimer->OnTimer = nullptr;
    }
    if (FItemSelector) {
        FItemSelector->OnItemSelect = nullptr;
        FItemSelector->OnDrawItem = nullptr;
        FItemSelector->OnItemSize = nullptr;
    }
}

void TExtDetailDropDown::SetText(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    TExtCustomDropDown::SetText(Value);
    FSettingText = was;
}

void TExtDetailDropDown::ShowValue(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    // While the list is open the value is not yet chosen: Esc must bring the old one back.
    if (DroppedDown()) SetPlainText(Value);
    else SetText(Value);
    FSettingText = was;
}

void TExtDetailDropDown::SetItemIndex(int Value)
{
    if (Value != FItemIndex && Value < FItems.Count() && Value >= 0) {
        FItemIndex = Value;
        ShowValue(FItems.Items(Value)->Caption());
        SetSelStart(0);
        SetSelLength(GetTextLen());
        Invalidate();
        if (FItemSelector) FItemSelector->Invalidate();
        if (OnSelect) OnSelect(this);
    } else if (Value == -1 && Value != FItemIndex) {
        ShowValue("");
        FItemIndex = -1;
    }
}

void TExtDetailDropDown::SelectFirst()
{
    if (FItems.Count() > 0) SetItemIndex(0);
}

void TExtDetailDropDown::SelectLast()
{
    if (FItems.Count() > 0) SetItemIndex(FItems.Count() - 1);
}

void TExtDetailDropDown::SelectNext()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < FItems.Count()) SetItemIndex(FItemIndex + 1);
}

void TExtDetailDropDown::SelectPrevious()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TExtDetailDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    ApplyStyleToItemAppearance(&FItemAppearance, AStyle);
}

void TExtDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExtCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(Value);
}

// ---------------------------------------------------------------- the list

void TExtDetailDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FItemSelector) {
        FItemSelector = new TExtCustomItemSelector(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, Width(), 150);
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* C, const TRect& R, int I) { DrawRow(C, R, I); };
        FItemSelector->OnItemSize = [this](TObject*, TPoint& S) { RowSize(S); };
        FItemSelector->OnResize = [this](TObject*) {
            if (FItemSelector) FItemSelector->UpdateSelectorPanel();
        };
        FItemSelector->UpdateSelectorPanel();
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExtDetailDropDown::FillSelector()
{
    if (!FItemSelector) return;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetColumns(1);
    FItemSelector->SetImages(Images());
    FItemSelector->SetItemLayout(FLayout);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->SetItemAppearance(FItemAppearance);
    TSelectorItems* s = FItemSelector->Items();
    s->Clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        TDetailItem* d = FItems.Items(i);
        TSelectorItem* it = s->Add();
        it->SetCaption(d->Caption());
        it->SetImage(d->Image());
        it->SetImageIndex(d->ImageIndex());
    }
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = [this](TObject*) { SelectorItemSelected(); };
}

void TExtDetailDropDown::SelectorItemSelected()
{
    if (!FItemSelector) return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (FItemIndex >= 0) {
        ShowValue(FItems.Items(FItemIndex)->Caption());
        SetSelStart(0);
        SetSelLength(GetTextLen());
    }
    if (!FInternalCall) CloseDropDown(false);
}

void TExtDetailDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    if (!FItemSelector) CreateDropDownForm();
    FillSelector();
    FOldItemIndex = FItemIndex;
}

void TExtDetailDropDown::SizeDropDownForm()
{
    if (FItemSelector) {
        FItemSelector->SetAlign(alNone);
        if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
        if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
        FControlExtent = TPoint(FItemSelector->Width(), FItemSelector->Height());
    }
    TExtCustomDropDown::SizeDropDownForm();
}

void TExtDetailDropDown::OpenDropDown()
{
    TExtCustomDropDown::OpenDropDown();
    // The rows fill the list's width, known only now.
    if (DroppedDown() && FItemSelector) {
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    }
}

void TExtDetailDropDown::CloseDropDown(bool CancelChanges)
{
    const bool open = DroppedDown();
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    if (!open) return;
    if (CancelChanges) {
        // The index goes back with the text, also when nothing was chosen at opening.
        if (FOldItemIndex != -1 && FItemSelector) SetItemIndex(FOldItemIndex);
        else if (FOldItemIndex == -1) FItemIndex = -1;
    } else {
        // The choice is the value now: a later cancel comes back to it.
        ShowValue(GetText());
    }
}

void TExtDetailDropDown::DropDownResizing()
{
    TExtCustomDropDown::DropDownResizing();
    if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TExtDetailDropDown::MoveSelection(int N)
{
    if (!FItemSelector || N < 0 || N >= FItemSelector->Items()->Count()) return;
    FInternalCall = true;
    FItemSelector->SetItemIndex(N);
    FItemSelector->ScrollItemInView(N);
    FInternalCall = false;
}

void TExtDetailDropDown::HandleWheelDown()
{
    TExtCustomDropDown::HandleWheelDown();
    if (DroppedDown() && FItemSelector) MoveSelection(FItemSelector->ItemIndex() < 0 ? 0 : FItemSelector->ItemIndex() + 1);
    else SelectNext();
}

void TExtDetailDropDown::HandleWheelUp()
{
    TExtCustomDropDown::HandleWheelUp();
    if (DroppedDown() && FItemSelector) MoveSelection(FItemSelector->ItemIndex() < 0 ? 0 : FItemSelector->ItemIndex() - 1);
    else SelectPrevious();
}

void TExtDetailDropDown::RowSize(TPoint& ASize)
{
    int w = DropDownWidth() > 0 ? DropDownWidth() : (FItemSelector ? FItemSelector->Width() : Width());
    if (FItemSelector && FItemSelector->VertScrollBar() && FItemSelector->VertScrollBar()->Visible()) w -= 17;
    w -= 2 * 1 + 4;
    ASize = TPoint(std::max(w, 1), FItemHeight);
}

void TExtDetailDropDown::DrawRow(TCanvas* C, TRect R, int I)
{
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, C, R);
        return;
    }
    if (I < 0 || I >= FItems.Count()) return;
    TDetailItem* it = FItems.Items(I);
    const bool captioned = !it->Caption().empty();
    if (it->Image()->Empty()) {
        if (Images() && it->ImageIndex() >= 0) {
            const int iw = Images()->Width(), ih = Images()->Height();
            const int x = captioned ? R.Left + 2 : R.Left + (R.Width() - iw) / 2;
            Images()->Draw(C, x, R.Top + (R.Height() - ih) / 2, it->ImageIndex(), true);
            R.Left += iw + 4;
        }
    } else {
        TBitmap* p = it->Image();
        const int x = captioned ? R.Left + 2 : R.Left + (R.Width() - p->Width()) / 2;
        C->Draw(x, R.Top + (R.Height() - p->Height()) / 2, p);
        R.Left += p->Width() + 4;
    }
    const bool hot = FItemSelector && I == FItemSelector->ItemHot();
    const auto colour = [&](TFont& f) {
        C->Font()->Assign(f);
        if (hot) C->Font()->SetColor(FItemAppearance.ColorHotText());
        if (I == FItemIndex) C->Font()->SetColor(FItemAppearance.ColorSelectedText());
    };
    colour(FCaptionFont);
    C->Brush()->SetStyle(bsClear);
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect t = R;
    C->DrawText(it->Caption(), t, DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!it->Notes.empty()) {
        R.Top += C->TextHeight("gh");
        colour(FNotesFont);
        DrawHTMLText(C, it->Notes, R, Images(), true, FItemSelector ? FItemSelector->Panel() : nullptr);
    }
    C->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------- typed text

void TExtDetailDropDown::Change()
{
    FItemChange = false;
    TExtCustomDropDown::Change();
    if (!FWorkMode || FSettingText) return;
    SetModifiedFlag(!Text().empty());
    std::vector<String> captions;
    captions.reserve(size_t(FItems.Count()));
    for (int i = 0; i < FItems.Count(); ++i) captions.push_back(FItems.Items(i)->Caption());
    const TCompletion c = CompleteTyped(Text(), SelStart(), captions, FMatchCase);
    if (c.Kind == TCompletion::ckNone) return;
    FSettingText = true;
    SetPlainText(c.Text);
    FSettingText = false;
    if (c.Kind == TCompletion::ckCompleted) {
        FItemIndex = c.Index;
        FItemIdx = c.Index;
        FItemSel = c.Typed;
        FItemChange = true;
    }
    SetSelStart(c.Typed);
    SetSelLength(c.Length - c.Typed);
}

void TExtDetailDropDown::KeyUp(WORD& Key, TShiftState Shift)
{
    TExtCustomDropDown::KeyUp(Key, Shift);
    if (!FItemChange) return;
    SetItemIndex(FItemIdx);
    SetSelStart(FItemSel);
    SetSelLength(GetTextLen() - FItemSel);
    FItemChange = false;
}

void TExtDetailDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FItems.Count() == 0) {
        TExtCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    FWorkMode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
    if (Key == VK_RETURN) {
        const int i = FItems.IndexOf(Text());
        if (i >= 0) {
            ShowValue(FItems.Items(i)->Caption());
            SetItemIndex(i);
        }
    }
    const WORD k = Key;
    TExtCustomDropDown::KeyDown(Key, Shift);
    if (k == VK_ESCAPE) {
        const int i = FItems.IndexOf(Text());
        if (i >= 0) SetItemIndex(i);
    }
}

// ---------------------------------------------------------------- list keys

bool TExtDetailDropDown::ListKey(WORD Key, TShiftState Shift)
{
    if (!Enabled() || Shift.Contains(ssAlt)) return false;
    const bool open = DroppedDown() && FItemSelector;
    const int sel = FItemSelector ? FItemSelector->ItemIndex() : -1;
    const auto page = [&](int dir) {
        if (!FItemSelector) return;
        if (FItemSelector->Items()->Count() != FItems.Count()) FillSelector();
        const int v = FItemSelector->GetVisibleItemCount();
        if (v < 1) return;
        const int cur = FItemSelector->ItemIndex();
        int n = cur + dir * v;
        if (dir < 0 && n < 1) n = 0;
        if (dir > 0) n = std::min(n, FItemSelector->Items()->Count() - 1);
        MoveSelection(n);
    };
    const auto internal = [&](auto&& op) {
        FInternalCall = true;
        op();
        FInternalCall = false;
    };
    switch (Key) {
    case VK_PRIOR: page(-1); return open;
    case VK_NEXT: page(1); return open;
    case VK_END:
        if (open) internal([&] { FItemSelector->SelectLast(); });
        else if (!EditorEnabled()) SelectLast();
        return false;
    case VK_HOME:
        if (open) internal([&] { FItemSelector->SelectFirst(); });
        else if (!EditorEnabled()) SelectFirst();
        return false;
    case VK_LEFT:
        if (open && !EditorEnabled()) internal([&] { FItemSelector->SelectPrevious(); });
        return open;
    case VK_RIGHT:
        if (open && !EditorEnabled()) internal([&] { FItemSelector->SelectNext(); });
        return open;
    case VK_UP:
        if (open) {
            MoveSelection(sel < 0 ? 0 : sel - 1);
            Invalidate();
        } else {
            SelectPrevious();
        }
        return open;
    case VK_DOWN:
        if (open) {
            MoveSelection(sel < 0 ? 0 : sel + 1);
            Invalidate();
        } else {
            SelectNext();
        }
        return open;
    default: break;
    }
    // Letters and digits typed into the open list jump to an item; typed into the closed
    // edit they are text, which the completion looks after.
    const bool letter = (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9') || Key == VK_SPACE;
    if (!open || Shift.Contains(ssCtrl) || !letter) return false;
    FCurSearch += char(Key);
    internal([&] { FItemSelector->LookupItem(FCurSearch); });
    if (FItemSelector->ItemIndex() >= 0) FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetEnabled(true);
    return true;
}

void TExtDetailDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    if (ListKey(Key, Shift)) {
        Key = 0;
        return;
    }
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
}

void TExtDetailDropDown::HandleDropDownKeyPress(WideChar& Key)
{
    // The letters the list used for its search are not typed into the edit.
    const bool letter = (Key >= 'a' && Key <= 'z') || (Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9') || Key == ' ';
    if (letter && FItemSelector && !KeyboardStateToShiftState().Contains(ssCtrl)) {
        Key = 0;
        return;
    }
    TExtCustomDropDown::HandleDropDownKeyPress(Key);
}

void TExtDetailDropDown::WndProc(TMessage& msg)
{
    // The closed edit's keys: the open list hears its keys through HandleDropDownKeyDown.
    if ((msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) && !DroppedDown() && !FInKey) {
        WORD key = WORD(msg.WParam);
        TShiftState shift = KeyboardStateToShiftState();
        if (msg.LParam & KF_ALTDOWN_LPARAM) shift << ssAlt;
        FInKey = true;
        ListKey(key, shift);
        TExtCustomDropDown::WndProc(msg);
        FInKey = false;
        return;
    }
    TExtCustomDropDown::WndProc(msg);
}
