#pragma once
// The track bar that the track-bar picker shows in its drop-down window, and the rules by
// which the picker's edit moves the position with keys and by dragging.
#include "platform/gui/Controls.h"

class TPickerTrackBar : public TCustomControl {
public:
    explicit TPickerTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    // A minimum above the maximum is ignored.
    void SetMin(int v);
    int Max() const { return FMax; }
    // A maximum below the minimum is ignored.
    void SetMax(int v);
    int Position() const { return FPosition; }
    // Clamped to Min..Max.
    void SetPosition(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v) { FPageSize = v; }
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    // Every change of the position, whoever made it.
    TNotifyEvent OnChange;

    // Where the thumb's centre and the channel lie.
    int PositionToX(int Pos) const;
    int XToPosition(int X) const;
    TRect ThumbRect() const;
    TRect ChannelRect() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    int FMin = 0, FMax = 10, FPosition = 0, FPageSize = 2, FFrequency = 1;
    bool FDragging = false;
};

// Up and Down in the picker's edit while its text cannot be typed: the position one
// Frequency lower (Up) or higher (Down) when that stays within Min..Max, else unchanged.
int TrackPickerKeyStep(int Position, WORD Key, int Frequency, int Min, int Max);
// A drag on the edit: the position moves by the pointer's movement in whole PageSize
// steps (truncated toward zero). With a PageSize of 0 there are no steps to count and
// the position stays.
int TrackPickerDragStep(int Position, int DeltaX, int PageSize);
