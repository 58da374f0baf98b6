#pragma once
// Date and time pickers: the picker control with its fields, check box, limits and the
// month calendar it drops down (TDateTimePicker), its flat variants that the owner can
// colour (TAsgDateTimePicker; TCustomDateTimePicker, which also moves on to the next
// field after a complete entry) and the combined date-and-time picker with its embedded
// time picker and attached label (TExtDateTimePicker).
#include <functional>
#include <vector>

#include "gridedit/AsgCombo.h"
#include "gridedit/MonthCalendar.h"
#include "platform/gui/PopupWindow.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/ExtCtrls.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// One piece of a picker's pattern: a field of the value (its Letter 'y', 'm', 'd', 'h',
// 'n' or 's', repeated Count times) or text that stands for itself (Letter 0).
struct TPatternPiece {
    char Letter = 0;
    int Count = 0;
    String Literal;
};
std::vector<TPatternPiece> SplitPattern(const String& Pattern);

// The picker: the value shown in fields of its pattern (Format, or the region's short
// date or long time pattern); one field is current, the arrow keys move between fields
// and step the current one, typed digits fill it. A date picker drops down a month
// calendar from its button (or has up-down arrows, as a time picker has); a check box
// may say whether a value is given at all; MinDate and MaxDate (0: none) limit the date.
class TDateTimePicker : public TCustomControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    virtual TDateTime DateTime() const { return FDateTime; }
    // A value from code also checks the check box.
    virtual void SetDateTime(TDateTime Value);
    // The date part, keeping the time; the time part, keeping the date.
    TDateTime Date() const;
    virtual void SetDate(TDateTime Value);
    virtual TDateTime Time() const;
    virtual void SetTime(TDateTime Value);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    String Format() const { return FFormat; }
    void SetFormat(const String& Value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return FChecked; }
    virtual void SetChecked(bool Value);
    // Limits of the date as whole days; 0: none. The two may come in either order.
    TDateTime MinDate() const { return FMinDate; }
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMinDate(TDateTime Value);
    void SetMaxDate(TDateTime Value);

    // The value as text in the pattern, empty when the check box says there is none.
    String ValueText() const;
    // Takes a text in the pattern as the value. An empty text clears the check box of a
    // picker that has one. False (nothing changed) for a text that is no value.
    bool SetValueText(const String& S);

    // The fields and the current one (0-based among the fields).
    int FieldCount() const;
    int CurrentField() const { return FField; }
    void SetCurrentField(int Index);
    // The field's letter ('y', 'm', 'd', 'h', 'n', 's').
    char FieldPart(int Index) const;

    // The calendar drop-down (a date picker with the combo-box date mode only).
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    TMonthCalendar* Calendar() const { return FCalendar; }
    TPopupWindow* DropWindow() const { return FDropWindow; }
    // The day the calendar marks as today (0: the local clock's day).
    TDateTime CalendarToday = 0;

    // Where things are, in client coordinates.
    TRect ButtonRect() const;
    TRect CheckboxRect() const;
    TRect FieldRect(int Index) const;
    // Width of the drop-down button: the system's scroll bar width + 2.
    int ButtonWidth() const { return FButtonWidth; }

    // A change by the user (typing, stepping, the calendar, the check box).
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WndProc(TMessage& msg) override;

protected:
    String GetText() const override;
    // The pattern the value is shown and read with.
    virtual String DisplayPattern() const;
    virtual void Change();
    // The platform's face: background, edge, check box, fields, button.
    void Paint() override;
    void PaintFace();
    virtual void PaintButton(const TRect& R);
    // The button is under the mouse; a mouse button is held on it.
    bool FButtonHover = false, FButtonDown = false;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoExit() override;
    void EnabledChanged() override;
    // Stores a value that the user made: limited, shown, and reported when it changed.
    void UserValue(TDateTime Value);
    TDateTime Limited(TDateTime Value) const;
    bool HasButton() const;
    bool HasUpDown() const;
    bool Ctl3DLook = true;
    int FButtonWidth;
    TDateTime FDateTime = 0;

private:
    const std::vector<TPatternPiece>& Pieces() const;
    int PieceOfField(int Index) const;
    void CommitTyped();
    void StepField(int Delta);
    void SetField(char Part, int Value);
    void TypeDigit(int Digit);
    void CalendarPicked(TDateTime Day);
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    String FFormat;
    bool FShowCheckbox = false, FChecked = true;
    TDateTime FMinDate = 0, FMaxDate = 0;
    int FField = 0;
    String FTyped;   // digits typed into the current field, not yet complete
    bool FDroppedDown = false;
    TPopupWindow* FDropWindow = nullptr;
    TMonthCalendar* FCalendar = nullptr;
    mutable String FPiecesOf;
    mutable std::vector<TPatternPiece> FPieces;
};

// The flat look shared by both families below: a one-pixel frame, a drop-down button
// with colours of its own and hover and pressed states, and a border colour for focus.
class TFlatDateTimePicker : public TDateTimePicker {
public:
    explicit TFlatDateTimePicker(TComponent* AOwner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    bool Ctl3D() const { return Ctl3DLook; }
    void SetCtl3D(bool Value);
    TColor FFocusBorderColor = clNone;
    bool FFocusBorder = false, FDisabledBorder = false;
    TColor ButtonColor = clNone, ButtonColorHot = clNone, ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone, ButtonTextColorHot = clNone, ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    // The four bytes of the version number joined by "."; writing is ignored.
    String Version() const;
    void SetVersion(const String&) {}
    virtual unsigned GetVersionNr() const = 0;

protected:
    void Paint() override;
    void PaintButton(const TRect& R) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    // Whether the border drawing may run for this picker at all.
    virtual bool OwnBorders() const = 0;
    // Whether the flat frame is drawn over the platform's edge.
    virtual bool FlatFrame() const = 0;
    // Left end of the area the metro look clears before it draws its button.
    virtual int MetroClearFrom() const = 0;
    bool Hot() const;
    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor = clNone;
    bool FMetroStyle = false;
    bool FMouseInControl = false, FHasFocus = false;

private:
    void DrawFlatFrame();
    void DrawBorders();
};

class TAsgDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TAsgDateTimePicker(TComponent* AOwner);
    unsigned GetVersionNr() const override { return 0x01000000; }

protected:
    bool OwnBorders() const override { return FMetroStyle; }
    bool FlatFrame() const override { return !Ctl3D() && FBorderColor != clNone; }
    int MetroClearFrom() const override;
};

// A flat picker that moves on to the next field after a complete entry (AutoTab).
class TCustomDateTimePicker : public TFlatDateTimePicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);
    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value) { FAutoTab = Value; }
    unsigned GetVersionNr() const override { return 0x01020000; }
    void WndProc(TMessage& msg) override;

protected:
    void KeyPress(WideChar& Key) override;
    // The step after a typed digit.
    virtual void ShiftFocus();
    bool OwnBorders() const override { return false; }
    bool FlatFrame() const override { return !Ctl3D(); }
    int MetroClearFrom() const override;
    bool FAutoTab = false;
    int Fy = 0, Fm = 0, Fd = 0;
    int Fh = 0, Fmi = 0, Fs = 0, Fms = 0;
};

enum TExtDateTimeKind { dkDate, dkTime, dkDateTime };
// A date picker with a second, embedded time picker on its right (Kind dkDateTime), a
// DateTime that joins both, and an optional label beside it.
class TExtDateTimePicker : public TCustomDateTimePicker {
public:
    explicit TExtDateTimePicker(TComponent* AOwner);
    ~TExtDateTimePicker() override;
    TExtDateTimeKind Kind() const { return FExtKind; }
    void SetKind(TExtDateTimeKind Value);
    TDateTime DateTime() const override;
    void SetDateTime(TDateTime Value) override;
    void SetDate(TDateTime Value) override;
    TDateTime Time() const override;
    void SetTime(TDateTime Value) override;
    String TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    void SetChecked(bool Value) override;
    void SetAutoTab(bool Value) override;
    void SetBounds(int l, int t, int w, int h) override;
    void SetParent(TWinControl* p) override;
    void SetVisible(bool v) override;
    // The embedded time picker, nullptr unless Kind is dkDateTime.
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
    TNotifyEvent OnTimeChange;

    // The label.
    TLabel* PickerLabel() const { return FLabel; }
    String LabelCaption() const;
    void SetLabelCaption(const String& Value);
    TFont* LabelFont() { return &FLabelFont; }
    void LabelFontChanged();
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int Value);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool Value);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool Value);
    bool FocusLabel = false;
    TNotifyEvent OnLabelClick, OnLabelDblClick;

protected:
    void ShiftFocus() override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    bool OwnBorders() const override { return FMetroStyle; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void MakeTimePicker();
    void LayoutTimePicker();
    void UpdateLabel();
    void UpdateTimePickerEnabled();
    TExtDateTimeKind FExtKind = dkDate;
    TCustomDateTimePicker* FTimePicker = nullptr;
    String FTimeFormat;
    TLabel* FLabel = nullptr;
    TFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false, FLabelAlwaysEnabled = false;
};

// The message a picker posts itself after a typed digit, registered by name, so that
// every part of the program that registers the same name gets the same number.
unsigned DTPShiftFocusMessage();
