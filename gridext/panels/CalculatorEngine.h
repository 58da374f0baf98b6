#pragma once
// The pocket calculator behind the calculator picker: accumulator, pending operation,
// memory, and what the pad's buttons and the typed keys do to the display. The display
// is the picker's edit; the engine reaches it only through ICalcDisplay, so the same
// rules serve the picker and a calculator shown on its own.
#include <cstdint>

#include "platform/gui/Controls.h"

class ICalcDisplay {
public:
    virtual ~ICalcDisplay() = default;
    // The display text (the edit text without prefix and suffix).
    virtual String DisplayText() const = 0;
    // Writes the display: a number is written again to the edit's precision (with
    // thousand separators where the edit shows them); other text ("Error") stays.
    virtual void SetDisplayText(const String& Value) = 0;
    // The edit's own reading of its text as a number: 0 when it is none.
    virtual double DisplayNumber() const = 0;
    // A number written in the edit's format.
    virtual String FormatNumber(double Value) const = 0;
    // The edit's maximum length, 0 for none.
    virtual int DisplayMaxLength() const = 0;
    // After a pad button: the edit counts as changed by the user.
    virtual void DisplayModified() = 0;
    // Puts the caret after the first character of the display.
    virtual void CaretAfterFirst() = 0;
    // Whether the pad shows (the drop-down is open).
    virtual bool PadShowing() const = 0;
    virtual void CloseDropDown(bool Cancel) = 0;
    // Runs before every pad button and every key handled while the pad has the focus.
    virtual void BeforeCalcAction() {}
};

// Operations of the pad's buttons, by their tags.
enum TCalcTag {
    ctAdd = 10, ctSubtract = 11, ctMultiply = 12, ctDivide = 13, ctSign = 14, ctDecimal = 15,
    ctClear = 16, ctEquals = 17, ctPercent = 18, ctOn = 30, ctBack = 31, ctClearEntry = 32,
    ctMemClear = 33, ctMemRecall = 34, ctMemStore = 35, ctMemAdd = 36, ctSqrt = 37, ctReciprocal = 38
};

class TCalculatorEngine {
public:
    explicit TCalculatorEngine(ICalcDisplay& ADisplay) : FDisplay(ADisplay) {}

    // The pad opens: a new number is expected.
    void Opened();
    // A pad button with the given tag.
    void ButtonClick(int Tag);
    // The equals operation (the grid runs it on Enter before taking the text).
    void CalcResult() { Equals(); }

    // The display as a number: thousand separators dropped, the regional decimal
    // separator; EConvertError when it is no number.
    double DisplayValue() const;
    // Value: "0" is written into an empty display first; 0 for a display that is no number.
    double Value();
    void SetValue(double v);

    // A character typed into the edit: Key becomes 0 when the calculator took it or
    // drops it; otherwise the edit's own typing rules place it.
    void EditKeyPress(WideChar& Key);
    // A key pressed in the edit, after the edit's own handling.
    void EditKeyDown(WORD Key);
    // A character typed while the pad has the focus, after the edit has had it.
    void DropDownKeyPress(WideChar Key, TShiftState Shift);
    // A key pressed while the pad has the focus, after the edit has had it.
    void DropDownKeyDown(WORD Key);

    double Prevval() const { return FPrevval; }
    int Prevop() const { return FPrevop; }
    bool Newval() const { return FNewval; }
    std::int64_t Decim() const { return FDecim; }
    double Memory() const { return FMVal; }
    bool CalcClosed() const { return FCalcClosed; }

private:
    void Calculate();
    void Operator(int Op);
    void Equals();
    void Percent();
    void Digit(int d);
    void ShowError() { FDisplay.SetDisplayText(Error_Text); }
    bool EmptyOrError() const;
    bool AtMaxLength() const;
    void ClearAll();

    static constexpr const char* Error_Text = "Error";
    ICalcDisplay& FDisplay;
    double FPrevval = 0;
    int FPrevop = -1;   // -1 none, 0 add, 1 multiply, 2 subtract, 3 divide
    bool FNewval = false;
    std::int64_t FDecim = 0;
    double FMVal = 0;
    bool FCalcClosed = true;
};
