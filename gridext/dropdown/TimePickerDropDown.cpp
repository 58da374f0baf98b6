// The time picker: the time kept with the edit's text and with the clock.
#include "gridext/dropdown/TimePickerDropDown.h"

#include <cmath>

#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Unicode.h"

namespace {
bool SameTime(TDateTime a, TDateTime b) { return std::fabs(a - b) < 0.5 / 86400000; }
// The keys that step the time: the edit hears them only with Alt (which opens and
// closes the drop-down).
bool SteppingKey(WORD Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }
}   // namespace

TExtTimePickerDropDown::TExtTimePickerDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FInternalCall = true;
    SetEditMask(PickerTimeMask(true));
    SetPlainText(FormatPickerTime(0, true));
    FInternalCall = false;
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    CreateDropDownForm();
}

void TExtTimePickerDropDown::ShowTime(TDateTime Value)
{
    const bool was = FInternalCall;
    FInternalCall = true;
    SetPlainText(FormatPickerTime(Value, FShowSeconds));
    FInternalCall = was;
}

void TExtTimePickerDropDown::SetTime(TDateTime Value)
{
    if (SameTime(Value, FTime)) return;
    FTime = Value;
    ShowTime(Value);
    if (DroppedDown() && FPanel) {
        FPanel->Restore(Value);
        if (TDateTimePicker* f = FPanel->TimeField(); f && f->Visible()) f->SetTime(Value);
    }
}

void TExtTimePickerDropDown::SetShowSeconds(bool v)
{
    if (v == FShowSeconds) return;
    FShowSeconds = v;
    FInternalCall = true;
    SetEditMask("");
    SetPlainText("");
    SetEditMask(PickerTimeMask(v));
    SetPlainText(FormatPickerTime(FTime, v));
    FInternalCall = false;
}

void TExtTimePickerDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    ApplyWatchLook(FWatchAppearance, AStyle);
}

void TExtTimePickerDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (FPanel || !DropDownForm()) return;
    FPanel = new TTimePickerPanel(this);
    FPanel->SetParent(DropDownForm());
    FPanel->SetBounds(0, 0, 170, 180);
    FPanel->OnWatchTime = [this](TDateTime T) { SetTime(T); };
    FPanel->OnTimeChange = [this](TObject*) {
        if (OnTimeChange) OnTimeChange(this);
    };
    SetControl(FPanel);
}

void TExtTimePickerDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps the time set on the clock.
    DropDownForm()->FCancelOnDeActivate = false;
    FOpenTime = FTime;
    TTimePanelOptions o;
    o.Time = FTime;
    o.ShowSeconds = FShowSeconds;
    o.ShowTimePicker = FShowTimePicker;
    o.ShowWatchAMPM = FShowWatchAMPM;
    o.ShowWatchNumbers = FShowWatchNumbers;
    o.Animation = FAnimation;
    o.AnimationFactor = FAnimationFactor;
    o.WatchAppearance = &FWatchAppearance;
    o.WatchSettings = &FWatchSettings;
    o.Color = DropDownColor();
    FPanel->SetAlign(alNone);
    FPanel->Prepare(o);
    if (TDateTimePicker* f = FPanel->TimeField(); f && FShowTimePicker) {
        f->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { HandleControlKeyDown(Key, Shift); };
        f->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { HandleControlKeyUp(Key, Shift); };
        f->OnKeyPress = [this](TObject*, WideChar& Key) { HandleControlKeyPress(Key); };
    }
    SetControl(FPanel);
}

void TExtTimePickerDropDown::CloseDropDown(bool CancelChanges)
{
    if (!DroppedDown()) return TExtCustomDropDown::CloseDropDown(CancelChanges);
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    if (CancelChanges) {
        // The text restored by the edit may be older than a time set in code: the time
        // the drop-down opened with is what a cancel keeps.
        FTime = FOpenTime;
        if (GetText() != FormatPickerTime(FTime, FShowSeconds)) ShowTime(FTime);
        FPanel->Restore(FTime);
    } else {
        SetTime(FPanel->Watch()->Time());
    }
}

void TExtTimePickerDropDown::AfterDropUp()
{
    TExtCustomDropDown::AfterDropUp();
    if (FPanel) SetTime(FPanel->Watch()->Time());
}

// ---------------------------------------------------------------- keys

void TExtTimePickerDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    const WORD k = Key;
    if (!SteppingKey(Key) || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    if (DropDownForm() && DropDownForm()->Visible() && k != 0) FPanel->HandleKey(k);
}

void TExtTimePickerDropDown::HandleDropDownKeyUp(WORD& Key, TShiftState Shift)
{
    if (!SteppingKey(Key) || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleDropDownKeyUp(Key, Shift);
}

void TExtTimePickerDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift)
{
    if (!SteppingKey(Key) || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleControlKeyDown(Key, Shift);
}

void TExtTimePickerDropDown::HandleControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (!SteppingKey(Key) || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleControlKeyUp(Key, Shift);
}

void TExtTimePickerDropDown::HandleControlKeyPress(WideChar& Key)
{
    const bool stepping = Key == 33 || Key == 34 || Key == 38 || Key == 40;
    if (!stepping || KeyboardStateToShiftState().Contains(ssAlt)) TExtCustomDropDown::HandleControlKeyPress(Key);
}

void TExtTimePickerDropDown::WndProc(TMessage& msg)
{
    const bool wasOpen = DroppedDown();
    TExtCustomDropDown::WndProc(msg);
    if (msg.Msg != WM_KEYDOWN || wasOpen || FDestroying) return;
    const WORD key = WORD(msg.WParam);
    if (key != VK_UP && key != VK_DOWN) return;
    const TShiftState shift = KeyboardStateToShiftState();
    if (shift.Contains(ssAlt) || shift.Contains(ssCtrl) || (msg.LParam & KF_ALTDOWN_LPARAM) != 0) return;
    const int caret = SelStart() - int(Utf8ToUtf16(Prefix()).size());
    TDateTime t = FTime;
    if (!StepPickerTime(GetText(), caret, key, FShowSeconds, t)) return;
    SetTime(t);
    if (OnTimeChange) OnTimeChange(this);
    SetSelStart(caret + int(Utf8ToUtf16(Prefix()).size()));
    SetSelLength(0);
}

void TExtTimePickerDropDown::Change()
{
    TExtCustomDropDown::Change();
    if (FInternalCall) return;
    TDateTime t = FTime;
    TPickerTimeRead r = ptNotRead;
    try {
        r = ReadPickerTime(GetText(), FShowSeconds, t);
    } catch (const EConvertError&) {
        // An hour past 23 or a minute past 59 is no time: the time stays.
        return;
    }
    if (r == ptNotRead) return;
    FTime = t;
    if (r == ptReadRewrite) ShowTime(t);
}
