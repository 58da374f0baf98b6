#pragma once
// An analogue clock: a face with marks, numbers and an AM/PM box, hour, minute and
// second hands. It shows a time that the user sets by clicking the face and by keys
// (each change moving the hand step by step), or runs as a live clock.
#include <memory>

#include "grid/util/GridTheme.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/rtl/SysUtils.h"

enum TAMPMFrame { apRect, apRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
    wsSuperNova, wsSports, wsSmooth
};

class TWatchAppearance : public TObject {
public:
    TWatchAppearance();
    void Assign(const TWatchAppearance& Source);

#define WATCH_PROPERTY(Type, Name, Initial)                                                                  \
    Type Name() const { return F##Name; }                                                                    \
    void Set##Name(Type v)                                                                                   \
    {                                                                                                        \
        if (F##Name == v) return;                                                                            \
        F##Name = v;                                                                                         \
        Changed();                                                                                           \
    }                                                                                                        \
                                                                                                             \
private:                                                                                                     \
    Type F##Name = Initial;                                                                                  \
                                                                                                             \
public:
    WATCH_PROPERTY(TColor, AMPMBorderColor, TColor(0x000000))
    WATCH_PROPERTY(TColor, AMPMColor, TColor(0xFFFFFF))
    WATCH_PROPERTY(TAMPMFrame, AMPMFrame, apRect)
    WATCH_PROPERTY(TColor, BorderColor, TColor(0x000000))
    WATCH_PROPERTY(int, BorderWidth, 4)
    WATCH_PROPERTY(TColor, BackgroundColor, TColor(0xFFFFFF))
    WATCH_PROPERTY(TColor, BackgroundColorTo, clNone)
    WATCH_PROPERTY(TWatchGradient, BackgroundGradient, wgVertical)
    WATCH_PROPERTY(TColor, CenterPointBorderColor, clNone)
    WATCH_PROPERTY(TColor, CenterPointOuterBorderColor, clNone)
    WATCH_PROPERTY(TColor, CenterPointColor, TColor(0x000000))
    WATCH_PROPERTY(int, CenterPointSize, 4)
    WATCH_PROPERTY(TColor, HourColor, TColor(0x000000))
    WATCH_PROPERTY(int, HourMarkLength, 0)
    WATCH_PROPERTY(int, HourMarkWidth, 1)
    WATCH_PROPERTY(THourMarkStyle, HourMarkStyle, hmsLine)
    WATCH_PROPERTY(TColor, HourPointer, TColor(0x000000))
    WATCH_PROPERTY(TColor, HourPointerShadow, clBtnShadow)
    WATCH_PROPERTY(int, HourPointerSize, 4)
    WATCH_PROPERTY(TColor, MinuteColor, TColor(0x808080))
    WATCH_PROPERTY(TColor, MinutePointer, TColor(0x000000))
    WATCH_PROPERTY(TColor, MinutePointerShadow, clBtnShadow)
    WATCH_PROPERTY(int, MinutePointerSize, 3)
    WATCH_PROPERTY(int, MinuteMarkLength, 0)
    WATCH_PROPERTY(int, MinuteMarkWidth, 1)
    WATCH_PROPERTY(TPointerStyle, PointerStyle, psLine)
    WATCH_PROPERTY(TColor, SecondPointer, TColor(0x0000FF))
    WATCH_PROPERTY(int, SecondPointerSize, 1)
    WATCH_PROPERTY(TWatchShape, Shape, wsCircle)
    WATCH_PROPERTY(int, Size, 0)
    WATCH_PROPERTY(TTickMarks, TickMarks, tmAll)
#undef WATCH_PROPERTY

    TFont* AMPMFont() { return &FAMPMFont; }
    void SetAMPMFont(const TFont* v);
    TFont* HourFont() { return &FHourFont; }
    void SetHourFont(const TFont* v);
    TPicture* Picture() { return &FPicture; }
    void SetPicture(const TPicture* v);

    TNotifyEvent OnChange;

private:
    void Changed();
    TFont FAMPMFont;
    TFont FHourFont;
    TPicture FPicture;
};

class TWatchSettings : public TObject {
public:
    void Assign(const TWatchSettings& Source);
    bool Auto() const { return FAuto; }
    void SetAuto(bool v);
    bool Second() const { return FSecond; }
    void SetSecond(bool v);
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int v);
    TNotifyEvent OnChange;

private:
    void Changed();
    bool FAuto = false;
    bool FSecond = true;
    int FTimeOffset = 0;
};

class TExtWatch : public TCustomControl, public IWYXStyle {
public:
    explicit TExtWatch(TComponent* AOwner);
    ~TExtWatch() override;

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int v) { FAnimationFactor = v; }
    TWatchAppearance* Appearance() { return &FAppearance; }
    void SetAppearance(const TWatchAppearance* v) { FAppearance.Assign(*v); }
    TWatchSettings* Settings() { return &FSettings; }
    void SetSettings(const TWatchSettings* v) { FSettings.Assign(*v); }
    TDateTime Time() const { return FTime; }
    // Shows the time without animation; OnChange does not fire.
    void SetTime(TDateTime T);
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool v);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool v);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle v);
    void SetComponentStyle(TWYXStyle AStyle) override;
    TNotifyEvent OnChange;

    // Hours 0 to 23, minutes 0 to 59; the seconds of the shown time stay. With Animation
    // the hand moves there step by step and OnChange fires at the last step.
    void SetHour(int H);
    void SetMinute(int M);
    // The clock's keys (key codes), as the time picker hands them on.
    void HandleWatchKey(WORD Key);
    bool AM() const { return FAM; }
    bool Animating() const;
    // One step of a running animation (the animation timer's tick).
    void AnimationStep();

    // Geometry of the face in client coordinates.
    TRect FaceRect() const;
    TPoint Center() const;
    double Radius() const;
    TRect AMPMRect();
    // The point at an angle (degrees clockwise from 12 o'clock) and a distance from the
    // centre, rounded.
    TPoint PointAt(double Angle, double Distance) const;
    static double HourAngle(int Hour, int Minute) { return (Hour % 12) * 30 + Minute * 0.5; }
    static double MinuteAngle(int Minute) { return Minute * 6; }
    static double SecondAngle(int Second) { return Second * 6; }
    int PointToMinute(int X, int Y) const;
    int PointToHour(int X, int Y) const;
    // The time the hands show: Time, or the system time (with the offset) in automatic mode.
    TDateTime CurrentTime() const;

    void WndProc(TMessage& msg) override;

protected:
    void Paint() override;
    void Resize() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    void DrawFace(TCanvas* C);
    void DrawTicks(TCanvas* C);
    void DrawNumbers(TCanvas* C);
    void DrawAMPM(TCanvas* C);
    void DrawAMPMScroll(TCanvas* C);
    void DrawHands(TCanvas* C);
    void RedrawHands();
    void FaceChanged();
    void SettingsChanged();
    void ApplyTime(TDateTime T);
    void SetAM(bool A);
    // Sets the hour at once (no animation), telling OnChange.
    void SetHourDirect(int H);
    void ResetAppearance();

    TWatchAppearance FAppearance;
    TWatchSettings FSettings;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    TDateTime FTime = 0;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    TWatchStyle FStyle = wsClassic;

    bool FAM = true;
    int FCurrentHourTo = 0;
    int FCurrentMinuteTo = 0;
    int FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FInternalSet = false;
    std::unique_ptr<TBitmap> FBKGCache;
    bool FFaceValid = false;
    // While the AM/PM box scrolls: how far the strip has moved, and its direction.
    int FScrollOffset = -1;
    TTimer* FClockTimer = nullptr;
    TTimer* FAnimTimer = nullptr;
};

// The suite's named looks applied to a clock's appearance (the time picker applies them
// to the appearance it hands to its clock).
void ApplyWatchLook(TWatchAppearance& A, TWYXStyle AStyle);
