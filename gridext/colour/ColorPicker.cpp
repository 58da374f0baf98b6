#include "gridext/colour/ColorPicker.h"

#include <algorithm>

#include "grid/html/MiniHTML.h"
#include "platform/gui/Forms.h"

// ---------------------------------------------------------------- items

void TColorItem::Assign(const TColorItem& S)
{
    SetCaption(S.Caption());
    SetColor(S.FColor);
    FEnabled = S.FEnabled;
    FHint = S.FHint;
}

// ---------------------------------------------------------------- the picker

TExtColorPickerDropDown::TExtColorPickerDropDown(TComponent* AOwner) : TSelectorDropDown(AOwner), FColors(this)
{
    FColors.OnChange = [](TObject*) {};
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetDropDownHeight(200);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetCursor(crArrow);
    FKeyTimer = new TTimer(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
}

TExtColorPickerDropDown::~TExtColorPickerDropDown()
{
    FKeyTimer->SetEnabled(false);
    FKeyTimer->OnTimer = nullptr;
}

void TExtColorPickerDropDown::AddDefaultColors()
{
    // The basic colours are the ones the cells' markup knows by name.
    static const char* const kNames[] = {"Black", "Maroon", "Green", "Olive",  "Navy", "Purple",  "Teal", "Gray",
                                         "Silver", "Red",   "Lime",  "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
    for (const char* name : kNames) {
        TColorItem* it = FColors.Add();
        it->SetCaption(name);
        it->SetColor(HTMLColorByName(String("cl") + name));
    }
}

void TExtColorPickerDropDown::SetItemIndex(int Value)
{
    if (Value >= FColors.Count()) return;
    // Every negative index means no named colour.
    FItemIndex = std::max(Value, -1);
    if (Value >= 0) FSelectedColor = FColors.Items(Value)->Color();
    Invalidate();
    if (OnSelect) OnSelect(this);
}

void TExtColorPickerDropDown::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    int found = -1;
    for (int i = 0; i < FColors.Count() && found < 0; ++i)
        if (FColors.Items(i)->Color() == Value) found = i;
    if (found >= 0) SetItemIndex(found);
    else FItemIndex = -1;
    Invalidate();
}

String TExtColorPickerDropDown::GetSelectedColorText() const
{
    if (FColorSelectionStyle == csList && FItemIndex >= 0) return FColors.Items(FItemIndex)->Caption();
    return ColorToValueText(FSelectedColor, FColorValueText);
}

bool TExtColorPickerDropDown::SetValueText(const String& Value)
{
    if (Trim(Value).empty()) {
        SetSelectedColor(clNone);
        return true;
    }
    for (int i = 0; i < FColors.Count(); ++i)
        if (SameText(FColors.Items(i)->Caption(), Trim(Value))) {
            if (i != FItemIndex) SetItemIndex(i);
            return true;
        }
    TColor c = clNone;
    if (!ValueTextToColor(Value, c)) return false;
    SetSelectedColor(c);
    return true;
}

void TExtColorPickerDropDown::SetShowText(bool v)
{
    if (v == FShowText) return;
    FShowText = v;
    Invalidate();
}

void TExtColorPickerDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    ApplyStyleToItemAppearance(&FItemAppearance, AStyle);
}

void TExtColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    TExtCustomDropDown::SetSelectionColorStyle(Value);
    if (FItemSelector) FItemSelector->ItemAppearance()->ApplyColorStyle(Value);
}

// ---------------------------------------------------------------- the selectors

void TExtColorPickerDropDown::CreateListSelector()
{
    if (!DropDownForm()) return;
    if (!FItemSelector) {
        FItemSelector = new TExtCustomItemSelector(DropDownForm());
        FItemSelector->SetParent(DropDownForm());
    }
    FItemSelector->SetSelectorType(stColor);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    FItemSelector->SetColor(DropDownColor());
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

void TExtColorPickerDropDown::CreateDiscreteSelector()
{
    if (!DropDownForm()) return;
    if (!FColorSelector) {
        FColorSelector = new TCustomColorSelector(DropDownForm());
        FColorSelector->SetParent(DropDownForm());
        FColorSelector->AddPaletteColors();
    }
    FColorSelector->SetBounds(0, 0, FColorSelector->Width(), FColorSelector->Height());
    FColorSelector->SetColor(DropDownColor());
    FColorSelector->ArrangeItems();
    SetControl(FColorSelector);
}

void TExtColorPickerDropDown::CreateCubePanel()
{
    if (!DropDownForm()) return;
    if (!FColorCubePanel) {
        FColorCubePanel = new TExtColorCubePanel(DropDownForm());
        FColorCubePanel->SetParent(DropDownForm());
    }
    FColorCubePanel->SetBounds(0, 0, FColorCubePanel->Width(), FColorCubePanel->Height());
    FColorCubePanel->SetColor(DropDownColor());
    SetControl(FColorCubePanel);
}

void TExtColorPickerDropDown::CreateSpectrumPanel()
{
    if (!DropDownForm()) return;
    if (!FSpectrumPanel) {
        FSpectrumPanel = new TExtColorSpectrumPanel(DropDownForm());
        FSpectrumPanel->SetParent(DropDownForm());
    }
    FSpectrumPanel->SetBounds(0, 0, FSpectrumPanel->Width(), FSpectrumPanel->Height());
    FSpectrumPanel->SetColor(DropDownColor());
    SetControl(FSpectrumPanel);
}

void TExtColorPickerDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    switch (FColorSelectionStyle) {
    case csList: CreateListSelector(); break;
    case csDiscrete: CreateDiscreteSelector(); break;
    case csColorCube: CreateCubePanel(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
    }
}

void TExtColorPickerDropDown::HideOthers(TControl* Keep)
{
    for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
        if (c && c != Keep) c->SetVisible(false);
}

void TExtColorPickerDropDown::UpdateItemSelector()
{
    TExtCustomItemSelector* s = FItemSelector;
    if (!s) return;
    s->OnItemSelect = nullptr;
    s->SetColumns(FColumns);
    s->SetImages(Images());
    s->SetItemLayout(FLayout);
    s->SetColor(DropDownColor());
    s->Items()->Clear();
    for (int i = 0; i < FColors.Count(); ++i) {
        TColorItem* from = FColors.Items(i);
        TSelectorItem* to = s->Items()->Add();
        to->SetCaption(from->Caption());
        to->SetColor(from->Color());
        to->SetHint(from->Hint());
    }
    s->SetColorBoxHeight(FColorBoxHeight);
    s->SetColorBoxWidth(FColorBoxWidth);
    s->SetItemAppearance(FItemAppearance);
    s->UpdateSelectorPanel();
    s->SetItemIndex(FItemIndex);
    s->OnItemSelect = [this](TObject*) { ListSelected(); };
    s->SetShowHint(ShowHint());
}

void TExtColorPickerDropDown::PrepareStyle(TColorSelectionStyle Style)
{
    if (!DropDownForm()) TExtCustomDropDown::CreateDropDownForm();
    switch (Style) {
    case csList:
        CreateListSelector();
        if (!FItemSelector) return;
        HideOthers(FItemSelector);
        UpdateItemSelector();
        if (OnDrawColor)
            FItemSelector->OnDrawItem = [this](TObject*, TCanvas* C, const TRect& R, int Index) {
                if (OnDrawColor) OnDrawColor(this, C, TRect(R), Index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
        FOldItemIndex = FItemIndex;
        break;
    case csDiscrete:
        CreateDiscreteSelector();
        if (!FColorSelector) return;
        HideOthers(FColorSelector);
        FColorSelector->SetAlign(alNone);
        // Showing the current colour is no choice of the user's: nothing is reported.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->ArrangeItems();
        FColorSelector->OnItemSelect = [this](TObject*) { DiscreteSelected(); };
        FColorSelector->SetItemColorStyle(SelectionColorStyle());
        FColorSelector->SetVisible(true);
        break;
    case csColorCube:
        CreateCubePanel();
        if (!FColorCubePanel) return;
        HideOthers(FColorCubePanel);
        FColorCubePanel->SetAlign(alNone);
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->InitCubeCells();
        FColorCubePanel->ResetHotCell();
        FColorCubePanel->OnSelect = [this](TObject*) { PanelSelected(FColorCubePanel->SelectedColor()); };
        FColorCubePanel->SetVisible(true);
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        if (!FSpectrumPanel) return;
        HideOthers(FSpectrumPanel);
        FSpectrumPanel->SetAlign(alNone);
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangeSpectrum();
        FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelected(FSpectrumPanel->SelectedColor()); };
        FSpectrumPanel->SetVisible(true);
        break;
    }
}

void TExtColorPickerDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    PrepareStyle(FColorSelectionStyle);
    FOldSelectedColor = FSelectedColor;
}

void TExtColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value)
{
    if (Value == FColorSelectionStyle) return;
    FColorSelectionStyle = Value;
    PrepareStyle(Value);
    if (Value == csList && FItemSelector) FItemSelector->SetVisible(true);
    FOldSelectedColor = FSelectedColor;
    if (!DropDownForm() || !Control()) return;
    Control()->SetAlign(alNone);
    SizeDropDownForm();
    PlaceDropDownControl();
    DropDownForm()->Invalidate();
}

void TExtColorPickerDropDown::SizeForNonList()
{
    TDropDownForm* f = DropDownForm();
    const int bw = DropDownBorderWidth();
    TControl* c = Control();
    const bool shown = c && c->Visible();
    const int w = shown ? c->Width() + 2 * bw : Width();
    int h = 2 * bw;
    if (DropDownHeader()->Visible()) h += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) h += DropDownFooter()->Height();
    if (shown) h += c->Height();
    f->SetBounds(f->Left(), f->Top(), w, h);
    // The panels have a size of their own: a size the user gave the list does not apply.
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

void TExtColorPickerDropDown::SizeDropDownForm()
{
    if (!DropDownForm()) return;
    if (FColorSelectionStyle != csList) {
        SizeForNonList();
        return;
    }
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
    if (FItemSelector->VertScrollBar() && FItemSelector->VertScrollBar()->Visible())
        DropDownForm()->SetWidth(DropDownForm()->Width() + 17);
}

void TExtColorPickerDropDown::PlaceDropDownControl()
{
    TExtCustomDropDown::PlaceDropDownControl();
    if (FColorSelectionStyle != csList && DropDownForm()) DropDownForm()->FSizeable = false;
}

void TExtColorPickerDropDown::CloseDropDown(bool CancelChanges)
{
    const bool wasOpen = DropDownForm() && DropDownForm()->Visible();
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    if (!wasOpen || !CancelChanges) return;
    if (FColorSelectionStyle == csList && FItemSelector) {
        SetItemIndex(FOldItemIndex);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        Internal([this] { FColorSelector->SetSelectedColor(FOldSelectedColor); });
        // A colour the palette does not hold cannot come back through it.
        if (FSelectedColor != FOldSelectedColor) SetSelectedColor(FOldSelectedColor);
    }
}

void TExtColorPickerDropDown::DropDownFormDestroyed()
{
    if (FDestroying) return;
    FItemSelector = nullptr;
    FColorSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
}

void TExtColorPickerDropDown::ListSelected()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall) CloseDropDown(false);
}

void TExtColorPickerDropDown::DiscreteSelected()
{
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall) CloseDropDown(false);
}

void TExtColorPickerDropDown::PanelSelected(TColor Color)
{
    SetSelectedColor(Color);
    SetItemIndex(-1);
    CloseDropDown(false);
}

// ---------------------------------------------------------------- wheel and keys

void TExtColorPickerDropDown::SyncClosedSelector()
{
    if (DroppedDown()) return;
    if (FItemSelector && FItemSelector->ItemIndex() != FItemIndex) {
        const TNotifyEvent handler = FItemSelector->OnItemSelect;
        FItemSelector->OnItemSelect = nullptr;
        FItemSelector->SetItemIndex(FItemIndex);
        FItemSelector->OnItemSelect = handler;
    }
    if (FColorSelector && FColorSelector->SelectedColor() != FSelectedColor) {
        const TNotifyEvent handler = FColorSelector->OnItemSelect;
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->OnItemSelect = handler;
    }
}

void TExtColorPickerDropDown::HandleWheelDown()
{
    TExtCustomDropDown::HandleWheelDown();
    if (!Enabled() || ReadOnly()) return;
    SyncClosedSelector();
    if (FColorSelectionStyle == csList) {
        if (DroppedDown() && FItemSelector) FItemSelector->HotNext();
        else if (FItemSelector) Internal([this] { FItemSelector->SelectNext(); });
        // Before the first opening there is no list to step through: the choice steps itself.
        else if (FItemIndex + 1 < FColors.Count()) SetItemIndex(FItemIndex + 1);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (DroppedDown()) FColorSelector->HotNext();
        else Internal([this] { FColorSelector->SelectNext(); });
    }
}

void TExtColorPickerDropDown::HandleWheelUp()
{
    TExtCustomDropDown::HandleWheelUp();
    if (!Enabled() || ReadOnly()) return;
    SyncClosedSelector();
    if (FColorSelectionStyle == csList) {
        if (DroppedDown() && FItemSelector) FItemSelector->HotPrevious();
        else if (FItemSelector) Internal([this] { FItemSelector->SelectPrevious(); });
        else if (FColors.Count() > 0) SetItemIndex(std::max(0, FItemIndex - 1));
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        if (DroppedDown()) FColorSelector->HotPrevious();
        else Internal([this] { FColorSelector->SelectPrevious(); });
    }
}

bool TExtColorPickerDropDown::TakeHotItem()
{
    if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        return true;
    }
    if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
        FColorSelector->SetItemIndex(FColorSelector->ItemHot());
        return true;
    }
    return false;
}

void TExtColorPickerDropDown::PickerKeyDown(WORD Key, bool EnterDone)
{
    SyncClosedSelector();
    if (FColorSelectionStyle == csDiscrete) {
        if (!FColorSelector) return;
        Internal([&] { FColorSelector->HandleSelectorKey(Key, EditorEnabled(), DroppedDown()); });
        if (Key == VK_RETURN && !EnterDone && OnSelect) OnSelect(this);
        return;
    }
    if (FColorSelectionStyle != csList) return;
    TExtCustomItemSelector* s = FItemSelector;
    const bool open = DroppedDown() && s;
    const int count = FColors.Count();
    const auto page = [&](int direction) {
        if (!s) return;
        if (s->Items()->Count() != count) UpdateItemSelector();
        const int v = s->GetVisibleItemCount();
        if (v < 1) return;
        const int n = s->ItemIndex() + direction * v;
        MoveSelectorTo(direction < 0 ? std::max(0, n) : std::min(n, count - 1));
    };
    switch (Key) {
    case VK_RETURN:
        if (!EnterDone && OnSelect) OnSelect(this);
        return;
    case VK_PRIOR: page(-1); return;
    case VK_NEXT: page(1); return;
    case VK_END:
        if (open) Internal([s] { s->SelectLast(); });
        else if (count > 0) SetItemIndex(count - 1);
        return;
    case VK_HOME:
        if (open) Internal([s] { s->SelectFirst(); });
        else if (count > 0) SetItemIndex(0);
        return;
    case VK_LEFT:
        if (open && !EditorEnabled()) Internal([s] { s->SelectPrevious(); });
        return;
    case VK_RIGHT:
        if (open && !EditorEnabled()) Internal([s] { s->SelectNext(); });
        return;
    case VK_UP:
        if (open) MoveSelectorTo(s->ItemIndex() < 0 ? 0 : s->ItemIndex() - FColumns);
        else if (count > 0 && FItemIndex < 0) SetItemIndex(0);
        else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
        return;
    case VK_DOWN:
        if (open) MoveSelectorTo(s->ItemIndex() < 0 ? 0 : s->ItemIndex() + FColumns);
        else if (count > 0 && FItemIndex < 0) SetItemIndex(0);
        else if (FItemIndex + 1 < count) SetItemIndex(FItemIndex + 1);
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

void TExtColorPickerDropDown::PaintFocusedText()
{
    TExtCustomDropDown::PaintFocusedText();
    TCanvas* c = Canvas();
    const TRect R(1, 1, Width() - 2 - DropDownButtonWidth(), Height() - 2);
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, c, R);
        return;
    }
    if (FSelectedColor == clNone) return;
    const int top = (Height() - FColorBoxHeight) / 2 + R.Top;
    const TRect box(R.Left + 4, top, R.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FSelectedColor);
    c->Rectangle(box);
    if (!FShowText) return;
    c->Font()->Assign(*Font());
    if (!EditorEnabled() && Focused()) c->Font()->SetColor(clHighlightText);
    c->Brush()->SetColor(Focused() ? clHighlight : Color());
    TRect t(box.Right + 4, R.Top, R.Right, R.Bottom);
    c->DrawText(GetSelectedColorText(), t, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
