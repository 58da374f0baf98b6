#pragma once
// The spin edit: a single-line edit with a pair of small up/down buttons at its right edge
// that steps a value of one of four kinds (integer, decimal, date, time), keeps it within
// limits, refuses characters that cannot belong to such a value and steps the part of a
// date or time under the caret. The buttons repeat their click while held down.
#include <set>

#include "platform/gui/Buttons.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Mask.h"

enum TAsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = std::set<TTimeBtnStateItem>;

class TAsgSpinButton;

// A speed button that, with tbAllowTimer, repeats its click while it is held down: after
// 400 ms, then every 100 ms while it shows pressed and holds the mouse capture.
class TExtTimerSpeedButton : public TSpeedButton {
public:
    explicit TExtTimerSpeedButton(TComponent* AOwner);
    ~TExtTimerSpeedButton() override;
    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(const TTimeBtnState& Value) { FTimeBtnState = Value; }
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool HasMouse() const { return FHasMouse; }
    // The repeat timer, made on the first press (nullptr before).
    TTimer* RepeatTimer() const { return FRepeatTimer; }
    // One expiry of the repeat timer.
    void TimerExpired();
    // A press still held goes: no more repeats, the button shows up and lets the mouse go.
    void Release();
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TAsgSpinButton* Pair() const;
    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

// The pair of buttons: up above down (vertical) or down left of up (horizontal).
class TAsgSpinButton : public TWinControl {
public:
    explicit TAsgSpinButton(TComponent* AOwner);
    ~TAsgSpinButton() override;
    TExtTimerSpeedButton* UpButton() const { return FUpButton; }
    TExtTimerSpeedButton* DownButton() const { return FDownButton; }
    TExtTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // nullptr or an empty picture gives the built-in arrow.
    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(const TBitmap* Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const TBitmap* Value);
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
    void SetBounds(int l, int t, int w, int h) override;

    // clNone: not set. With ButtonColor set the buttons are filled rectangles with a
    // black arrow.
    TColor ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonTextColorDown = clNone;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TExtTimerSpeedButton* CreateButton();
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void BtnClick(TObject* Sender);
    void SetFocusBtn(TExtTimerSpeedButton* Btn);
    void AdjustSize(int& W, int& H);
    TExtTimerSpeedButton* FUpButton = nullptr;
    TExtTimerSpeedButton* FDownButton = nullptr;
    TExtTimerSpeedButton* FFocusedButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

// The spin edit. Its value is read from the text at every read.
class TAsgSpinEdit : public TCustomMaskEdit {
public:
    explicit TAsgSpinEdit(TComponent* AOwner);
    ~TAsgSpinEdit() override;
    TAsgSpinButton* Button() const { return FButton; }

    // Limits: a pair of equal limits means no limits. The date limits bound the time too.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }

    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    // The decimal step of PgUp and PgDn.
    double IncrementFloatPage() const { return FIncrementFloatPage; }
    void SetIncrementFloatPage(double v) { FIncrementFloatPage = v; }
    int IncrementHours() const { return FIncrementHours; }
    void SetIncrementHours(int v) { FIncrementHours = v; }
    int IncrementMinutes() const { return FIncrementMinutes; }
    void SetIncrementMinutes(int v) { FIncrementMinutes = v; }
    int IncrementSeconds() const { return FIncrementSeconds; }
    void SetIncrementSeconds(int v) { FIncrementSeconds = v; }

    // False: only the buttons and the keys change the value.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TAsgSpinType SpinType() const { return FSpinType; }
    // Reads the text as a value of the new kind and writes it back in that kind's form.
    void SetSpinType(TAsgSpinType Value);
    // Decimals shown for decimal values; 0 shows as many as needed.
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    // Enter acts as Tab.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // The keypad's "." types the decimal separator.
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FExcelStyleDecimalSeparator = v; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v) { FShowSeconds = v; }
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    // An empty text is a legal value.
    bool AllowEmptyValue() const { return FAllowEmptyValue; }
    void SetAllowEmptyValue(bool v) { FAllowEmptyValue = v; }
    // The short date order of the last date step: month before day.
    bool UsDates() const { return FUsDates; }

    // Empty reads 0, a text that is no integer MinValue.
    int Value() const;
    void SetValue(int AValue);
    // A text that is no number reads MinFloatValue.
    double FloatValue() const;
    void SetFloatValue(double AValue);
    // Empty or "0" reads the present date and time, a text that is no date MinDateValue.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime AValue);
    // A text that is no time reads 0.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime AValue);

    // After the properties were read from a form description.
    virtual void Loaded();
    virtual void StepUp(bool Page);
    virtual void StepDown(bool Page);
    // Whether a typed character may go into the text.
    virtual bool IsValidChar(WideChar& Key);
    // The button pair's steps.
    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);

    // The least height the font needs.
    int GetMinHeight();
    // The pair and the text's room follow the new border.
    void SetBorderStyle(TBorderStyle v) override;
    void WndProc(TMessage& msg) override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void Resize() override;
    void DoExit() override;
    bool FLoading = false;

private:
    void Step(int Dir, bool Page);
    void SetEditRect();
    void PlaceButton();
    String TimePattern() const;
    // The value lies outside its limits (an empty text counts when it is no value).
    bool OutOfLimits() const;
    int FMinValue = 0, FMaxValue = 100;
    double FMinFloatValue = 0, FMaxFloatValue = 100;
    TDateTime FMinDateValue = 0, FMaxDateValue = 0;
    TDateTime FDateValue = 0, FTimeValue = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.1;
    TAsgSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
    TSpinDirection FDirection = spVertical;
    TAsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FExcelStyleDecimalSeparator = false;
    bool FUsDates = false;
    bool FShowSeconds = true;
    int FIncrementSeconds = 1, FIncrementMinutes = 1, FIncrementHours = 1;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false, FSpinTransparent = false;
    bool FAllowEmptyValue = false;
    double FIncrementFloatPage = 1.0;
    bool FPlacing = false;
};
