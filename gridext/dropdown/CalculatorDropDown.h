#pragma once
// The calculator picker: a number whose drop-down window holds a pocket-calculator pad.
// The edit is the calculator's display; operators work from the keyboard also while the
// pad is closed.
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/panels/ButtonPanel.h"
#include "gridext/panels/CalculatorEngine.h"

class TExtCalculatorDropdown : public TExtCustomDropDown, public ICalcDisplay {
public:
    explicit TExtCalculatorDropdown(TComponent* AOwner);

    using TExtCustomDropDown::SetPrecision;
    TButtonAppearance* CalcButtonAppearance() { return &FCalcButtonAppearance; }
    void SetCalcButtonAppearance(const TButtonAppearance& v) { FCalcButtonAppearance.Assign(v); }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    // The number is written again in the new format.
    void SetShowThousandSeparator(bool v);
    // The display as a number ("0" is written into an empty display first); 0 when the
    // display is no number.
    double Value() { return FEngine.Value(); }
    void SetValue(double v);
    // Completes the pending operation, as "=" does.
    void CalcResult() { FEngine.CalcResult(); }
    TCalculatorEngine& Engine() { return FEngine; }
    TCustomButtonPanel* Pad() const { return FExtButtonPanel; }
    // The pad's button of that name ("BTN_7"), -1 for none.
    int PadButton(const String& Name) const;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void HandleDropDownKeyPress(WideChar& Key) override;
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void SetComponentStyle(TWYXStyle AStyle) override;
    void WndProc(TMessage& msg) override;

    // ---- the calculator's display ----
    String DisplayText() const override { return GetText(); }
    void SetDisplayText(const String& Value) override { SetText(Value); }
    double DisplayNumber() const override { return GetFloatValue(); }
    String FormatNumber(double Value) const override;
    int DisplayMaxLength() const override { return MaxLength(); }
    void DisplayModified() override { SetModifiedFlag(true); }
    void CaretAfterFirst() override;
    bool PadShowing() const override { return DroppedDown(); }
    // A cancel brings back the number the drop-down opened with.
    void CloseDropDown(bool Cancel) override;

protected:
    void DoEnter() override;

private:
    TButtonAppearance FCalcButtonAppearance;
    TCalculatorEngine FEngine;
    TCustomButtonPanel* FExtButtonPanel = nullptr;
    bool FShowThousandSeparator = false;
    // A key the pad's handlers hand to the edit: the edit's own rules run for it.
    int FPadKey = 0;
    // Every step of the pad writes the display as the edit's value, so the value to go
    // back to is taken when the drop-down opens.
    String FOpenText;
};
