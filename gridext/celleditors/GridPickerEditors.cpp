// The grid's picker editors: the cell protocol on each picker, and their plugging in.
#include "gridext/celleditors/GridPickerEditors.h"

#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"
#include "grid/util/GridTextUtils.h"


template <class TPicker>
TGridPickerEditor<TPicker>::TGridPickerEditor(TExtStringGrid* AGrid) : TPicker(AGrid), FGrid(AGrid)
{
    InitPickerEditor(this, AGrid);
}

template <class TPicker>
void TGridPickerEditor<TPicker>::DoExit()
{
    // The focus a picker's own control takes while its drop-down is open stays in the edit.
    if (!TPicker::DroppedDown()) LeavePickerEditor(FGrid, this);
    TPicker::DoExit();
}

template <class TPicker>
void TGridPickerEditor<TPicker>::Change()
{
    TPicker::Change();
    ReportPickerChange(FGrid, this, TPicker::Text());
}

template <class TPicker>
void TGridPickerEditor<TPicker>::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    ++FHandedKeys;
    TPicker::HandleDropDownKeyDown(Key, Shift);
    --FHandedKeys;
}

template <class TPicker>
void TGridPickerEditor<TPicker>::HandleDropDownKeyPress(WideChar& Key)
{
    ++FHandedKeys;
    TPicker::HandleDropDownKeyPress(Key);
    --FHandedKeys;
}

template <class TPicker>
void TGridPickerEditor<TPicker>::WndProc(TMessage& msg)
{
    if (DropDownWndProc(FGrid, msg)) return;
    if (FHandedKeys == 0 && (msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN)) {
        WORD key = WORD(msg.WParam);
        TShiftState shift = KeyboardStateToShiftState();
        if (msg.LParam & KF_ALTDOWN_LPARAM) shift << ssAlt;
        if (key == VK_RETURN && !shift.Contains(ssAlt)) BeforeEnter();
        if (DropDownKeyDown(FGrid, this, key, shift)) return;
        msg.WParam = key;
    } else if (FHandedKeys == 0 && msg.Msg == WM_CHAR) {
        WideChar ch = WideChar(msg.WParam);
        if (!DropDownKeyPress(FGrid, this, ch)) return;
        msg.WParam = WPARAM(ch);
    }
    TPicker::WndProc(msg);
    DropDownDialogCodes(FGrid, msg);
    if (msg.Msg == WM_SETFOCUS && CaretToPointer() && FGrid->LButFlg) {
        const TPoint p = TPicker::ScreenToClient(Mouse_CursorPos());
        if (p.X >= 0 && p.Y >= 0 && p.X < TPicker::Width() && p.Y < TPicker::Height()) {
            TPicker::SetSelStart(TPicker::CharFromPos(p.X));
            TPicker::SetSelLength(0);
            FGrid->LButFlg = false;
        }
    }
}

template class TGridPickerEditor<TExtTrackBarDropDown>;
template class TGridPickerEditor<TExtMemoDropDown>;
template class TGridPickerEditor<TExtCalculatorDropdown>;
template class TGridPickerEditor<TExtTimePickerDropDown>;
template class TGridPickerEditor<TExtDetailDropDown>;
template class TGridPickerEditor<TExtMultiColumnDropDown>;
template class TGridPickerEditor<TExtColorPickerDropDown>;
template class TGridPickerEditor<TExtImagePickerDropDown>;
template class TGridPickerEditor<TCustomExtGridDropDown>;

TGridTimepickerDropDown::TGridTimepickerDropDown(TExtStringGrid* AGrid) : TGridPickerEditor(AGrid)
{
    // The time editor draws no focus of its own.
    SetFocusDraw(false);
}

void TGridImageDropDown::OfferImages(TImageList* List)
{
    SetImages(List);
    if (Items()->Count() == 0) AddImagesFromImageList();
}

TExtStringGrid* TGridExtGridDropDown::Grid()
{
    if (!GetGrid()) CreateDropDownForm();
    return GetGrid();
}

// ---------------------------------------------------------------- accessors

TGridTrackbarDropDown* TrackbarDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridTrackbarDropDown*>(PluggedPickerEditor(G, edTrackbarDropDown));
}
TGridMemoDropDown* MemoDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridMemoDropDown*>(PluggedPickerEditor(G, edMemoDropDown));
}
TGridCalculatorDropDown* CalculatorDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridCalculatorDropDown*>(PluggedPickerEditor(G, edCalculatorDropDown));
}
TGridTimepickerDropDown* TimePickerDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridTimepickerDropDown*>(PluggedPickerEditor(G, edTimePickerDropDown));
}
TGridDetailPickerDropDown* DetailPickerDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridDetailPickerDropDown*>(PluggedPickerEditor(G, edDetailDropDown));
}
TGridGridDropDown* GridDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridGridDropDown*>(PluggedPickerEditor(G, edGridDropDown));
}

TGridColorDropDown* ColorPickerDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridColorDropDown*>(PluggedPickerEditor(G, edColorPickerDropDown));
}
TGridImageDropDown* ImagePickerDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridImageDropDown*>(PluggedPickerEditor(G, edImagePickerDropDown));
}
TGridExtGridDropDown* ExtGridDropDown(TExtStringGrid* G)
{
    return dynamic_cast<TGridExtGridDropDown*>(PluggedPickerEditor(G, edExtGridDropDown));
}

// ---------------------------------------------------------------- plugging in

void Plug_Grid_Pickers()
{
    Register_Grid_Editors();
    RegisterPickerEditorKind(edTrackbarDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* {
                                  auto* e = new TGridTrackbarDropDown(G);
                                  // In a cell the number can be typed as well.
                                  e->SetEditorEnabled(true);
                                  return e;
                              },
                              [](TWinControl* e, const String& Text) {
                                  static_cast<TGridTrackbarDropDown*>(e)->SetPosition(CellLeadingInt(Text));
                              },
                              [](TWinControl* e) { return static_cast<TGridTrackbarDropDown*>(e)->GetText(); }});
    RegisterPickerEditorKind(edMemoDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* {
                                  auto* e = new TGridMemoDropDown(G);
                                  // The cell follows the memo text while it is written, in
                                  // the edit or in the memo of the drop-down.
                                  e->OnMemoChange = [G, e](TObject*) {
                                      if (G->EditMode && G->EditCtrl == e)
                                          TGridEditorLibrary::FollowText(G, JoinLines(*e->Memo()->Lines()));
                                  };
                                  e->OnChange = [G, e](TObject*) {
                                      if (G->EditMode && G->EditCtrl == e && e->Focused())
                                          TGridEditorLibrary::FollowText(G, e->MemoValue());
                                  };
                                  return e;
                              },
                              [](TWinControl* e, const String& Text) { static_cast<TGridMemoDropDown*>(e)->SetText(Text); },
                              [](TWinControl* e) { return static_cast<TGridMemoDropDown*>(e)->MemoValue(); }});
    RegisterPickerEditorKind(edCalculatorDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* { return new TGridCalculatorDropDown(G); },
                              [](TWinControl* e, const String& Text) {
                                  static_cast<TGridCalculatorDropDown*>(e)->SetText(Text);
                              },
                              [](TWinControl* e) { return static_cast<TGridCalculatorDropDown*>(e)->GetText(); }});
    RegisterPickerEditorKind(edTimePickerDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* { return new TGridTimepickerDropDown(G); },
                              [](TWinControl* e, const String& Text) {
                                  auto* t = static_cast<TGridTimepickerDropDown*>(e);
                                  t->SetText(Text);
                                  t->SetEditorEnabled(true);
                              },
                              [](TWinControl* e) { return static_cast<TGridTimepickerDropDown*>(e)->GetText(); }});
    RegisterPickerEditorKind(edDetailDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* { return new TGridDetailPickerDropDown(G); },
                              [](TWinControl* e, const String& Text) {
                                  auto* d = static_cast<TGridDetailPickerDropDown*>(e);
                                  // The list opens on the cell's item; a text no item has
                                  // stays as it is, with no item chosen.
                                  d->SetItemIndex(d->Items()->IndexOf(Text));
                                  d->SetText(Text);
                                  d->SetEditorEnabled(true);
                              },
                              [](TWinControl* e) { return static_cast<TGridDetailPickerDropDown*>(e)->GetText(); }});
    RegisterPickerEditorKind(edGridDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* { return new TGridGridDropDown(G); },
                              [](TWinControl* e, const String& Text) {
                                  auto* m = static_cast<TGridGridDropDown*>(e);
                                  // An empty cell opens the list on its first row.
                                  m->SetItemIndex(Text.empty() ? 0 : m->GetItemIndex(Text));
                                  m->SetText(Text);
                              },
                              [](TWinControl* e) { return static_cast<TGridGridDropDown*>(e)->GetText(); }});
    RegisterPickerEditorKind(edColorPickerDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* {
                                  auto* e = new TGridColorDropDown(G);
                                  e->AddDefaultColors();
                                  e->OnSelect = [G, e](TObject*) {
                                      G->FireColorSelect(e->SelectedColor(), e->SelectedColorText());
                                  };
                                  return e;
                              },
                              // The colour comes from the cell (ShowDropDown), not its text.
                              nullptr, nullptr});
    RegisterPickerEditorKind(edImagePickerDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* {
                                  auto* e = new TGridImageDropDown(G);
                                  e->OnSelect = [G, e](TObject*) { G->FireImageSelect(e->ImageIndex()); };
                                  return e;
                              },
                              nullptr, nullptr});
    RegisterPickerEditorKind(edExtGridDropDown,
                             {[](TExtStringGrid* G) -> TWinControl* { return new TGridExtGridDropDown(G); },
                              [](TWinControl* e, const String& Text) {
                                  auto* x = static_cast<TGridExtGridDropDown*>(e);
                                  x->Grid()->FixedRowAlways = true;
                                  // The list opens on the row of the cell's text: with items an
                                  // empty cell opens on the first; on the grid's own cells a
                                  // text no row has opens on none, not on the last edit's row.
                                  String found;
                                  int index = -1;
                                  const bool hit = !Text.empty() && x->FindLookupText(Text, found, index);
                                  x->BeginUpdate();
                                  if (x->UseItems()) x->SetItemIndex(Text.empty() ? 0 : hit ? index : -1);
                                  else x->SetItemIndex(hit ? index - x->Grid()->FixedRows() : -1);
                                  x->EndUpdate();
                                  x->SetText(Text);
                              },
                              [](TWinControl* e) { return static_cast<TGridExtGridDropDown*>(e)->GetText(); }});
}
