#pragma once
// A calculator on its own: an edit as its display above the button pad. The display
// writes numbers to a fixed number of decimals, as the picker's edit does, and the pad
// hands its buttons and keys to the calculator.
#include <functional>

#include "gridext/panels/ButtonPanel.h"
#include "gridext/panels/CalculatorEngine.h"
#include "platform/gui/StdCtrls.h"

class TCalculatorDisplay : public TEdit, public ICalcDisplay {
public:
    explicit TCalculatorDisplay(TComponent* AOwner);
    TCalculatorEngine& Engine() { return FEngine; }

    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    // Writes the current number again in the new format.
    void SetShowThousandSeparator(bool v);
    // The pad that shows with this display, if any.
    void SetPad(TCustomButtonPanel* v) { FPad = v; }
    // The pad asked to close (Enter, Esc, Tab, F4): Cancel for Esc.
    std::function<void(bool Cancel)> OnCloseRequest;

    String DisplayText() const override { return Text(); }
    void SetDisplayText(const String& Value) override;
    double DisplayNumber() const override;
    String FormatNumber(double Value) const override;
    int DisplayMaxLength() const override { return MaxLength(); }
    void DisplayModified() override { SetModified(true); }
    void CaretAfterFirst() override;
    bool PadShowing() const override;
    void CloseDropDown(bool Cancel) override;

protected:
    void KeyPress(WideChar& Key) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool ReadNumber(const String& s, double& v) const;
    TCalculatorEngine FEngine;
    TCustomButtonPanel* FPad = nullptr;
    int FPrecision = 2;
    bool FShowThousandSeparator = false;
};

class TCalculatorPanel : public TCustomControl {
public:
    explicit TCalculatorPanel(TComponent* AOwner);
    TCalculatorDisplay* Display() const { return FDisplay; }
    TCustomButtonPanel* Pad() const { return FPad; }
    TCalculatorEngine& Engine() { return FDisplay->Engine(); }
    // The pad's button whose name is given ("BTN_7"), or -1.
    int ButtonIndex(const String& Name) const;

    static constexpr int Display_Height = 24;

protected:
    void Resize() override;

private:
    TCalculatorDisplay* FDisplay = nullptr;
    TCustomButtonPanel* FPad = nullptr;
};
