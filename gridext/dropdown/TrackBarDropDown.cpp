// The track-bar picker: its value kept with the track bar, keys and drags on the edit.
#include "gridext/dropdown/TrackBarDropDown.h"

TExtTrackBarDropDown::TExtTrackBarDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    FForceShadow = true;
    // The track bar holds the range from the start: the setters go through it.
    CreateDropDownForm();
    SetPlainText(IntToStr(FPosition));
}

void TExtTrackBarDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (FTrackBar || !DropDownForm()) return;
    FTrackBar = new TPickerTrackBar(this);
    FTrackBar->SetParent(DropDownForm());
    FTrackBar->SetBounds(0, 0, Width(), 40);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetMin(FMin);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
}

void TExtTrackBarDropDown::TakeBack()
{
    if (FTrackBar) FPosition = FTrackBar->Position();
}

void TExtTrackBarDropDown::SetMin(int v)
{
    FMin = v;
    if (!FTrackBar) return;
    FTrackBar->SetMin(v);
    FMin = FTrackBar->Min();
    TakeBack();
}

void TExtTrackBarDropDown::SetMax(int v)
{
    FMax = v;
    if (!FTrackBar) return;
    FTrackBar->SetMax(v);
    FMax = FTrackBar->Max();
    TakeBack();
}

void TExtTrackBarDropDown::ApplyPosition(int v)
{
    FPosition = v;
    if (FTrackBar) {
        FTrackBar->SetPosition(v);
        TakeBack();
    }
}

void TExtTrackBarDropDown::SetPosition(int v)
{
    ApplyPosition(v);
    // The edit shows the position even where the track bar did not move.
    if (GetText() != IntToStr(FPosition)) SetPlainText(IntToStr(FPosition));
}

void TExtTrackBarDropDown::SetPageSize(int v)
{
    FPageSize = v;
    if (FTrackBar) FTrackBar->SetPageSize(v);
}

void TExtTrackBarDropDown::SetFrequency(int v)
{
    FFrequency = v;
    if (FTrackBar) FTrackBar->SetFrequency(v);
}

void TExtTrackBarDropDown::TrackChanged()
{
    FPosition = FTrackBar->Position();
    SetPlainText(IntToStr(FPosition));
    if (OnTrackChange) OnTrackChange(this);
}

void TExtTrackBarDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps the position the user moved to.
    DropDownForm()->FCancelOnDeActivate = false;
    FTrackBar->SetMax(FMax);
    FTrackBar->SetMin(FMin);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetAlign(alNone);
    FTrackBar->SetBounds(0, 0, Width(), 40);
    SetControl(FTrackBar);
    FOpenPosition = FPosition;
}

void TExtTrackBarDropDown::CloseDropDown(bool CancelChanges)
{
    const bool open = DroppedDown();
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    // The edit puts back the text last given to it, which may be older than a position
    // set since.
    if (open && CancelChanges) SetPosition(FOpenPosition);
}

void TExtTrackBarDropDown::Change()
{
    TExtCustomDropDown::Change();
    int typed = 0;
    // A text that is no integer (an emptied field, a lone sign) leaves the position.
    if (!TryStrToInt(Trim(GetText()), typed)) return;
    ApplyPosition(typed);
    // A value beyond the range shows as the end it was held to.
    if (typed != FPosition) SetPlainText(IntToStr(FPosition));
}

void TExtTrackBarDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    ++FHandedKeys;
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    --FHandedKeys;
}

void TExtTrackBarDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift)
{
    ++FHandedKeys;
    TExtCustomDropDown::HandleControlKeyDown(Key, Shift);
    --FHandedKeys;
    // The edit has stepped the position: the track bar must not step it again.
    if (!EditorEnabled() && (Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt)) Key = 0;
}

void TExtTrackBarDropDown::WndProc(TMessage& msg)
{
    // While open, the edit's keys go round through the drop-down's handlers and come
    // back here once more: they step only then.
    const bool ownKey = !DroppedDown() || FHandedKeys > 0;
    TExtCustomDropDown::WndProc(msg);
    if (msg.Msg != WM_KEYDOWN || !ownKey || FDestroying || EditorEnabled()) return;
    const WORD key = WORD(msg.WParam);
    if (key != VK_UP && key != VK_DOWN) return;
    if (KeyboardStateToShiftState().Contains(ssAlt) || (msg.LParam & KF_ALTDOWN_LPARAM) != 0) return;
    const int next = TrackPickerKeyStep(FPosition, key, FFrequency, FMin, FMax);
    if (next != FPosition) SetPosition(next);
}

void TExtTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (DropDownEnabled() && !EditorEnabled()) {
        FDragging = true;
        FLastX = X;
    }
}

void TExtTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TExtCustomDropDown::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const int next = TrackPickerDragStep(FPosition, X - FLastX, FPageSize);
    FLastX = X;
    if (next != FPosition) SetPosition(next);
}

void TExtTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDragging = false;
    TExtCustomDropDown::MouseUp(Button, Shift, X, Y);
}
