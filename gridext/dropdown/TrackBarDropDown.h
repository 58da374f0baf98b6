#pragma once
// The track-bar picker: an integer shown in the edit and picked with a track bar in the
// drop-down window. The text cannot be typed by default; Up and Down step the value,
// and dragging the mouse along the edit moves it.
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/panels/PickerTrackBar.h"

class TExtTrackBarDropDown : public TExtCustomDropDown {
public:
    explicit TExtTrackBarDropDown(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    // The track bar moved (by the user or by a new position).
    TNotifyEvent OnTrackChange;
    TPickerTrackBar* TrackBar() const { return FTrackBar; }

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void CloseDropDown(bool CancelChanges) override;
    void WndProc(TMessage& msg) override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleControlKeyDown(WORD& Key, TShiftState Shift) override;

protected:
    void Change() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void TrackChanged();
    // The position the track bar settled on becomes ours.
    void TakeBack();
    void ApplyPosition(int v);
    TPickerTrackBar* FTrackBar = nullptr;
    int FMin = 0, FMax = 10, FPosition = 0, FPageSize = 2, FFrequency = 1;
    bool FDragging = false;
    int FLastX = 0;
    // Keys the open drop-down hands to the edit: they step the position there.
    int FHandedKeys = 0;
    // The position the drop-down opened with: a cancel brings it back.
    int FOpenPosition = 0;
};
