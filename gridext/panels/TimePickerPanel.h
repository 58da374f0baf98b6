#pragma once
// What the time picker shows and how its edit reads: the panel of its drop-down window
// (the clock, optionally a time field below it) and the rules of its text: the format,
// the edit mask, stepping the field under the caret, and reading a typed time.
#include <functional>

#include "gridedit/DateTimePickers.h"
#include "gridext/panels/ExtWatch.h"
#include "platform/gui/ExtCtrls.h"

// The edit's text of a time: two-digit hours, minutes and (ShowSeconds) seconds joined
// by the regional time separator.
String FormatPickerTime(TDateTime Time, bool ShowSeconds);
// The edit mask for that text: the first hour digit optional (shown as a blank).
String PickerTimeMask(bool ShowSeconds);
// Up or Down in the edit with the caret at Caret (0-based) steps the field under it,
// wrapping within the field (no carry). True when Time changed.
bool StepPickerTime(const String& Text, int Caret, WORD Key, bool ShowSeconds, TDateTime& Time);

enum TPickerTimeRead {
    ptNotRead,        // not a whole time of the format: Time stays
    ptRead,           // Time is the typed time
    ptReadRewrite,    // and the edit is to show FormatPickerTime (a full hour typed short)
};
// Reads a typed text; EConvertError for an hour above 23 or a minute or second above 59.
TPickerTimeRead ReadPickerTime(const String& Text, bool ShowSeconds, TDateTime& Time);

// What the picker hands to its panel each time its drop-down opens.
struct TTimePanelOptions {
    TDateTime Time = 0;
    bool ShowSeconds = true;
    bool ShowTimePicker = false;
    bool ShowWatchAMPM = true;
    bool ShowWatchNumbers = true;
    bool Animation = true;
    int AnimationFactor = 10;
    const TWatchAppearance* WatchAppearance = nullptr;
    const TWatchSettings* WatchSettings = nullptr;
    TColor Color = clWindow;
};

class TTimePickerPanel : public TPanel {
public:
    explicit TTimePickerPanel(TComponent* AOwner);
    TExtWatch* Watch() const { return FExtWatch; }
    // The time field, created the first time it is asked for.
    TDateTimePicker* TimeField() const { return FDateTimePicker; }

    // Before the drop-down opens: the clock takes the options and the time (unless it
    // runs live); the time field shows below it when asked for.
    void Prepare(const TTimePanelOptions& Options);
    // After a cancelled close the clock goes back to the picker's time.
    void Restore(TDateTime Time) { FExtWatch->SetTime(Time); }
    // The clock's keys while the drop-down shows.
    void HandleKey(WORD Key) { FExtWatch->HandleWatchKey(Key); }

    // Each change of the clock: the picker's time becomes the clock's.
    std::function<void(TDateTime Time)> OnWatchTime;
    // The time field followed a change of the clock.
    TNotifyEvent OnTimeChange;

private:
    void WatchChanged();
    void FieldChanged();
    TExtWatch* FExtWatch = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    bool FAuto = false;
};
