#pragma once
// The time picker: a time of day in the edit (hours, minutes and optionally seconds
// behind an edit mask) and a clock face in the drop-down window. Up and Down step the
// field under the caret; clicking the clock or pressing its keys sets the time.
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/panels/TimePickerPanel.h"

class TExtTimePickerDropDown : public TExtCustomDropDown {
public:
    explicit TExtTimePickerDropDown(TComponent* AOwner);

    TDateTime Time() const { return FTime; }
    // Shows the time in the edit (and on the open clock); OnTimeChange does not fire.
    void SetTime(TDateTime Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v);
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool v) { FShowTimePicker = v; }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool v) { FShowWatchAMPM = v; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool v) { FShowWatchNumbers = v; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int v) { FAnimationFactor = v; }
    TWatchAppearance* WatchAppearance() { return &FWatchAppearance; }
    void SetWatchAppearance(const TWatchAppearance& v) { FWatchAppearance.Assign(v); }
    TWatchSettings* WatchSettings() { return &FWatchSettings; }
    void SetWatchSettings(const TWatchSettings& v) { FWatchSettings.Assign(v); }
    // The time was stepped by a key or followed the clock in the time field.
    TNotifyEvent OnTimeChange;
    TTimePickerPanel* Panel() const { return FPanel; }

    void SetComponentStyle(TWYXStyle AStyle) override;
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void CloseDropDown(bool CancelChanges) override;
    void AfterDropUp() override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleDropDownKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyPress(WideChar& Key) override;
    void WndProc(TMessage& msg) override;

protected:
    void Change() override;

private:
    // Writes the text of a time without reading it back.
    void ShowTime(TDateTime Value);
    TWatchAppearance FWatchAppearance;
    TWatchSettings FWatchSettings;
    TTimePickerPanel* FPanel = nullptr;
    TDateTime FTime = 0;
    // The time when the drop-down opened: a cancelled close brings it back.
    TDateTime FOpenTime = 0;
    bool FShowSeconds = true;
    bool FShowTimePicker = false;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    bool FInternalCall = false;
};
