#include "gridext/image/ImagePicker.h"

#include <algorithm>
#include <exception>

#include "platform/gui/Forms.h"
#include "platform/os/Files.h"

// ---------------------------------------------------------------- items

void TImageItem::Assign(const TImageItem& S)
{
    SetCaption(S.Caption());
    SetImageIndex(S.FImageIndex);
    FImage.Assign(&S.FImage);
    FEnabled = S.FEnabled;
    FHint = S.FHint;
}

// ---------------------------------------------------------------- the picker

TExtImagePickerDropDown::TExtImagePickerDropDown(TComponent* AOwner) : TSelectorDropDown(AOwner), FItems(this)
{
    FItems.OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetCursor(crArrow);
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
}

TExtImagePickerDropDown::~TExtImagePickerDropDown()
{
    FKeyTimer->SetEnabled(false);
    FKeyTimer->OnTimer = nullptr;
}

void TExtImagePickerDropDown::SetItemIndex(int Value)
{
    // Every negative index means nothing chosen.
    if (Value < 0) Value = -1;
    if (Value == FItemIndex || Value >= FItems.Count()) return;
    FItemIndex = Value;
    Invalidate();
    Change();
    if (OnSelect) OnSelect(this);
}

int TExtImagePickerDropDown::ImageIndex() const { return FItemIndex >= 0 ? FItems.Items(FItemIndex)->ImageIndex() : -1; }

void TExtImagePickerDropDown::SetImageIndex(int Value)
{
    int found = -1;
    for (int i = 0; i < FItems.Count() && found < 0; ++i)
        if (FItems.Items(i)->ImageIndex() == Value) found = i;
    SetItemIndex(found);
}

String TExtImagePickerDropDown::ValueText() const { return FItemIndex >= 0 ? FItems.Items(FItemIndex)->Caption() : String(); }

void TExtImagePickerDropDown::SetValueText(const String& Value)
{
    int found = -1;
    for (int i = 0; i < FItems.Count() && found < 0; ++i)
        if (FItems.Items(i)->Caption() == Value) found = i;
    SetItemIndex(found);
}

void TExtImagePickerDropDown::SelectFirst()
{
    if (FItems.Count() > 0) SetItemIndex(0);
}

void TExtImagePickerDropDown::SelectLast()
{
    if (FItems.Count() > 0) SetItemIndex(FItems.Count() - 1);
}

void TExtImagePickerDropDown::SelectNext()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < FItems.Count()) SetItemIndex(FItemIndex + 1);
}

void TExtImagePickerDropDown::SelectPrevious()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

bool FileNameMatchesMask(const String& Name, const String& Mask)
{
    // Iterative match with one back-tracking point for the last "*".
    size_t n = 0, m = 0, star = String::npos, mark = 0;
    const auto same = [](char a, char b) {
        const auto low = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        return low(a) == low(b);
    };
    while (n < Name.size()) {
        if (m < Mask.size() && (Mask[m] == '?' || (Mask[m] != '*' && same(Mask[m], Name[n])))) {
            ++n;
            ++m;
        } else if (m < Mask.size() && Mask[m] == '*') {
            star = m++;
            mark = n;
        } else if (star != String::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < Mask.size() && Mask[m] == '*') ++m;
    return m == Mask.size();
}

void TExtImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption)
{
    const String folder = ExtractFilePath(AFolder);
    const String mask = AFolder.substr(folder.size());
    for (const TSearchRec& entry : FindFiles(folder.empty() ? String(".") : folder)) {
        if (!FileNameMatchesMask(entry.Name, mask)) continue;
        TImageItem* it = FItems.Add();
        // An entry that is no readable picture (a folder among them) stays as an empty item.
        try {
            if (entry.IsFolder) continue;
            it->Image()->LoadFromFile(PathJoin(folder, entry.Name));
        } catch (const std::exception&) {
            it->Image()->Clear();
            continue;
        }
        if (SetImageCaption) it->SetCaption(entry.Name);
    }
}

void TExtImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images()) return;
    for (int i = 0; i < Images()->Count(); ++i) FItems.Add()->SetImageIndex(i);
}

void TExtImagePickerDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    ApplyStyleToItemAppearance(&FItemAppearance, AStyle);
}

void TExtImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExtCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(Value);
}

// ---------------------------------------------------------------- the list

void TExtImagePickerDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FItemSelector) {
        FItemSelector = new TExtCustomItemSelector(DropDownForm());
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stImage);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExtImagePickerDropDown::FillSelector()
{
    TExtCustomItemSelector* s = FItemSelector;
    if (!s) return;
    s->OnItemSelect = nullptr;
    s->SetColumns(FColumns);
    s->SetImages(Images());
    s->SetItemLayout(FLayout);
    s->SetColor(DropDownColor());
    s->SetItemAppearance(FItemAppearance);
    s->Items()->Clear();
    for (int i = 0; i < FItems.Count(); ++i) {
        TImageItem* from = FItems.Items(i);
        TSelectorItem* to = s->Items()->Add();
        to->SetCaption(from->Caption());
        to->SetImage(from->Image()->Bitmap());
        to->SetImageIndex(from->ImageIndex());
        to->SetHint(from->Hint());
    }
    s->UpdateSelectorPanel();
    s->SetItemIndex(FItemIndex);
    s->OnItemSelect = [this](TObject*) { SelectorItemSelected(); };
    s->SetShowHint(ShowHint());
}

void TExtImagePickerDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    FillSelector();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* C, const TRect& R, int Index) {
                if (OnDrawItem) OnDrawItem(this, C, R, Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TExtImagePickerDropDown::SizeDropDownForm()
{
    if (!FItemSelector) {
        TExtCustomDropDown::SizeDropDownForm();
        return;
    }
    FItemSelector->SetAlign(alNone);
    int w = 0, h = 0;
    FItemSelector->GetSelectorPanelSize(w, h);
    if (DropDownWidth() < 1) FItemSelector->SetWidth(w);
    if (DropDownHeight() < 1) FItemSelector->SetHeight(h);
    FControlExtent = TPoint(FItemSelector->Width(), FItemSelector->Height());
    TExtCustomDropDown::SizeDropDownForm();
    if (FItemSelector->VertScrollBar() && FItemSelector->VertScrollBar()->Visible() && DropDownForm())
        DropDownForm()->SetWidth(DropDownForm()->Width() + 17);
}

void TExtImagePickerDropDown::CloseDropDown(bool CancelChanges)
{
    const bool wasOpen = DropDownForm() && DropDownForm()->Visible();
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    if (wasOpen && CancelChanges && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TExtImagePickerDropDown::DropDownFormDestroyed()
{
    if (!FDestroying) FItemSelector = nullptr;
}

void TExtImagePickerDropDown::SelectorItemSelected()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) CloseDropDown(false);
}

// ---------------------------------------------------------------- wheel and keys

void TExtImagePickerDropDown::SyncClosedSelector()
{
    if (!FItemSelector || DroppedDown() || FItemSelector->ItemIndex() == FItemIndex) return;
    const TNotifyEvent handler = FItemSelector->OnItemSelect;
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->SetItemIndex(FItemIndex);
    FItemSelector->OnItemSelect = handler;
}

void TExtImagePickerDropDown::HandleWheelDown()
{
    TExtCustomDropDown::HandleWheelDown();
    if (!Enabled() || ReadOnly()) return;
    SyncClosedSelector();
    if (DroppedDown() && FItemSelector) FItemSelector->HotNext();
    else if (FItemSelector) Internal([this] { FItemSelector->SelectNext(); });
    // Before the first opening there is no list to step through: the choice steps itself.
    else SelectNext();
}

void TExtImagePickerDropDown::HandleWheelUp()
{
    TExtCustomDropDown::HandleWheelUp();
    if (!Enabled() || ReadOnly()) return;
    SyncClosedSelector();
    if (DroppedDown() && FItemSelector) FItemSelector->HotPrevious();
    else if (FItemSelector) Internal([this] { FItemSelector->SelectPrevious(); });
    else SelectPrevious();
}

bool TExtImagePickerDropDown::TakeHotItem()
{
    if (!FItemSelector || FItemSelector->ItemHot() < 0) return false;
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    return true;
}

void TExtImagePickerDropDown::PickerKeyDown(WORD Key, bool EnterDone)
{
    SyncClosedSelector();
    const bool open = DroppedDown() && FItemSelector;
    TExtCustomItemSelector* s = FItemSelector;
    const auto page = [&](int direction) {
        if (!s) return;
        if (s->Items()->Count() != FItems.Count()) FillSelector();
        const int v = s->GetVisibleItemCount();
        if (v < 1) return;
        const int n = s->ItemIndex() + direction * v;
        MoveSelectorTo(direction < 0 ? std::max(0, n) : std::min(n, FItems.Count() - 1));
    };
    switch (Key) {
    case VK_RETURN:
        if (!EnterDone && OnSelect) OnSelect(this);
        return;
    case VK_PRIOR: page(-1); return;
    case VK_NEXT: page(1); return;
    case VK_END:
        if (open) Internal([s] { s->SelectLast(); });
        else SelectLast();
        return;
    case VK_HOME:
        if (open) Internal([s] { s->SelectFirst(); });
        else SelectFirst();
        return;
    case VK_LEFT:
        if (open && !EditorEnabled()) Internal([s] { s->SelectPrevious(); });
        return;
    case VK_RIGHT:
        if (open && !EditorEnabled()) Internal([s] { s->SelectNext(); });
        return;
    case VK_UP:
        if (open) MoveSelectorTo(s->ItemIndex() < 0 ? 0 : s->ItemIndex() - FColumns);
        else SelectPrevious();
        return;
    case VK_DOWN:
        if (open) MoveSelectorTo(s->ItemIndex() < 0 ? 0 : s->ItemIndex() + FColumns);
        else SelectNext();
        return;
    default: break;
    }
    // Only keys that type a letter, digit or blank search; Shift, Tab, Esc and the like
    // would otherwise end up in the search text and spoil the next letters.
    const bool typing = Key == ' ' || (Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z');
    if (!typing || !s || KeyboardStateToShiftState().Contains(ssCtrl)) return;
    FCurSearch += char(Key);
    Internal([this] { FItemSelector->LookupItem(FCurSearch); });
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetEnabled(true);
}

// ---------------------------------------------------------------- painting

void TExtImagePickerDropDown::PaintFocusedText()
{
    TExtCustomDropDown::PaintFocusedText();
    TCanvas* c = Canvas();
    const TRect R = FEditRect;
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, c, R);
        return;
    }
    if (FItemIndex < 0) return;
    TImageItem* it = FItems.Items(FItemIndex);
    if (it->Image()->Bitmap() && !it->Image()->Bitmap()->Empty()) {
        const TBitmap* b = it->Image()->Bitmap();
        c->Draw(R.Left + (R.Width() - b->Width()) / 2, R.Top + (R.Height() - b->Height()) / 2, b);
    } else if (Images() && it->ImageIndex() >= 0) {
        Images()->Draw(c, R.Left + (R.Width() - Images()->Width()) / 2, R.Top + (R.Height() - Images()->Height()) / 2,
                       it->ImageIndex(), true);
    }
}
