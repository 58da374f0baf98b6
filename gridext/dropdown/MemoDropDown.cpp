// The memo picker: the memo in the drop-down window, its keys, and the edit's summary.
#include "gridext/dropdown/MemoDropDown.h"

#include "grid/util/GridTextUtils.h"
#include "gridext/panels/MemoPickerText.h"

TExtMemoDropDown::TExtMemoDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner)
{
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    FMemoText.OnChange = [this](TObject*) { UpdateEditText(); };
    CreateDropDownForm();
}

TExtMemoDropDown::~TExtMemoDropDown() { FMemoText.OnChange = nullptr; }

void TExtMemoDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (FMemo || !DropDownForm()) return;
    FMemo = new TMemo(this);
    FMemo->SetParent(DropDownForm());
    FMemo->SetBounds(0, 0, Width(), 100);
    FMemo->OnChange = [this](TObject*) {
        if (OnMemoChange) OnMemoChange(this);
    };
    SetControl(FMemo);
}

void TExtMemoDropDown::SetMemoText(const TStringList& v)
{
    FMemoText.Assign(v);
    if (FMemo) FMemo->Lines()->Assign(v);
}

void TExtMemoDropDown::SetMemoReadOnly(bool v)
{
    FMemoReadOnly = v;
    if (DroppedDown() && FMemo) FMemo->SetReadOnly(v);
}

String TExtMemoDropDown::MemoValue() const { return JoinLines(FMemoText); }

void TExtMemoDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps what was written in the memo.
    DropDownForm()->FCancelOnDeActivate = false;
    FMemo->Lines()->SetText(FMemoText.Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
    FMemo->SetAlign(alNone);
    FMemo->SetBounds(0, 0, Width(), 100);
    SetControl(FMemo);
}

void TExtMemoDropDown::FocusDropDownControl()
{
    // The memo takes the keys while it is open; Esc, F4 and Alt come back to the edit.
    if (FMemo && FMemo->CanFocus() && !FMemo->Focused()) FMemo->SetFocus();
}

void TExtMemoDropDown::CloseDropDown(bool CancelChanges)
{
    if (!DroppedDown()) return TExtCustomDropDown::CloseDropDown(CancelChanges);
    // Closing must not open it again from the edit's focus.
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    const String kept = FMemoText.Text();
    if (CancelChanges) FMemo->Lines()->SetText(kept);
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    // The edit puts back the text last given to it, which may be older than the memo
    // text set since: a cancel keeps the memo text as it was when the drop-down opened.
    if (CancelChanges) FMemoText.SetText(kept);
    FAutoDrop = autoDrop;
}

void TExtMemoDropDown::AfterDropUp()
{
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    TExtCustomDropDown::AfterDropUp();
    FAutoDrop = autoDrop;
    if (FMemo) {
        // The memo's lines become the value; UpdateEditText follows through OnChange.
        FMemoText.SetText(FMemo->Lines()->Text());
        UpdateEditText();
    }
    SetSelStart(0);
    SetSelLength(0);
}

void TExtMemoDropDown::UpdateEditText()
{
    TCanvas* c = Canvas();
    if (c) c->Font()->Assign(*Font());
    const int width = FEditRect.Right - FEditRect.Left;
    const String text = MemoPickerText(FMemoText, EditorEnabled(), c, width);
    FInternalUpdate = true;
    SetPlainText(text);
    FInternalUpdate = false;
}

void TExtMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        // The typed text is the memo's text; the summary is not rebuilt from it.
        TNotifyEvent keep = std::move(FMemoText.OnChange);
        FMemoText.OnChange = nullptr;
        FMemoText.SetText(GetText());
        FMemoText.OnChange = std::move(keep);
    }
    TExtCustomDropDown::Change();
}

void TExtMemoDropDown::DoEnter()
{
    TExtCustomDropDown::DoEnter();
    if (FAutoDrop) OpenDropDown();
}

// ---------------------------------------------------------------- keys

void TExtMemoDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (MemoSelectsAll(Key, Shift) && FMemo) {
        FMemo->SetSelStart(0);
        FMemo->SetSelLength(int(FMemo->Text().size()));
    }
    if (!MemoKeyToEdit(Key, Shift)) return;
    TExtCustomDropDown::HandleControlKeyDown(Key, Shift);
    Key = 0;
}

void TExtMemoDropDown::HandleControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (!MemoKeyToEdit(Key, Shift)) return;
    TExtCustomDropDown::HandleControlKeyUp(Key, Shift);
    Key = 0;
}

void TExtMemoDropDown::HandleControlKeyPress(WideChar& Key)
{
    if (!MemoCharToEdit(Key, KeyboardStateToShiftState())) return;
    TExtCustomDropDown::HandleControlKeyPress(Key);
    Key = 0;
}

// The edit still holds the focus while the memo is open (the memo could not take it):
// its keys are the memo's all the same.
void TExtMemoDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    if (MemoKeyToEdit(Key, Shift) || !FMemo) return TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    if (MemoSelectsAll(Key, Shift)) {
        FMemo->SetSelStart(0);
        FMemo->SetSelLength(int(FMemo->Text().size()));
        return;
    }
    FMemo->Perform(WM_KEYDOWN, Key, Shift.Contains(ssAlt) ? KF_ALTDOWN_LPARAM : 0);
}

void TExtMemoDropDown::HandleDropDownKeyPress(WideChar& Key)
{
    if (MemoCharToEdit(Key, KeyboardStateToShiftState()) || !FMemo) return TExtCustomDropDown::HandleDropDownKeyPress(Key);
    FMemo->Perform(WM_CHAR, WPARAM(Key), 0);
}
