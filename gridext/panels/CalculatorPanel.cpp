// The calculator's own display and the panel that joins it to the pad.
#include "gridext/panels/CalculatorPanel.h"

#include <cstdio>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- TCalculatorDisplay

TCalculatorDisplay::TCalculatorDisplay(TComponent* AOwner) : TEdit(AOwner), FEngine(*this)
{
    SetText(FormatNumber(0));
}

void TCalculatorDisplay::SetPrecision(int v)
{
    FPrecision = v < 0 ? 0 : v;
    SetDisplayText(Text());
}

void TCalculatorDisplay::SetShowThousandSeparator(bool v)
{
    if (FShowThousandSeparator == v) return;
    const double n = DisplayNumber();
    FShowThousandSeparator = v;
    SetText(FormatNumber(n));
}

bool TCalculatorDisplay::ReadNumber(const String& s, double& v) const
{
    const char thousand = GetThousandSeparator();
    String t;
    for (char c : s)
        if (c != thousand) t += c;
    return TryStrToFloat(t, v, GetDecimalSeparator());
}

double TCalculatorDisplay::DisplayNumber() const
{
    double v = 0;
    return ReadNumber(Text(), v) ? v : 0;
}

String TCalculatorDisplay::FormatNumber(double Value) const
{
    const int n = std::snprintf(nullptr, 0, "%.*f", FPrecision, Value);
    String s(size_t(n < 0 ? 0 : n), '\0');
    std::snprintf(s.data(), s.size() + 1, "%.*f", FPrecision, Value);
    const char sep = GetDecimalSeparator();
    size_t point = s.find('.');
    if (point != String::npos) s[point] = sep;
    if (FShowThousandSeparator) {
        const size_t start = (s[0] == '-') ? 1 : 0;
        const size_t end = point == String::npos ? s.size() : point;
        const char thousand = GetThousandSeparator();
        for (size_t i = end; i > start + 3; i -= 3) s.insert(i - 3, 1, thousand);
    }
    return s;
}

void TCalculatorDisplay::SetDisplayText(const String& Value)
{
    double v = 0;
    SetText(ReadNumber(Value, v) ? FormatNumber(v) : Value);
}

void TCalculatorDisplay::CaretAfterFirst()
{
    SetSelStart(1);
    SetSelLength(0);
}

bool TCalculatorDisplay::PadShowing() const { return FPad && FPad->Visible(); }

void TCalculatorDisplay::CloseDropDown(bool Cancel)
{
    if (OnCloseRequest) OnCloseRequest(Cancel);
}

void TCalculatorDisplay::KeyPress(WideChar& Key)
{
    TEdit::KeyPress(Key);
    if (Key) FEngine.EditKeyPress(Key);
}

void TCalculatorDisplay::KeyDown(WORD& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (Key) FEngine.EditKeyDown(Key);
}

// ---------------------------------------------------------------- TCalculatorPanel

TCalculatorPanel::TCalculatorPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 230, Display_Height + 150);
    SetColor(clWhite);
    FDisplay = new TCalculatorDisplay(this);
    FDisplay->SetName("Display");
    FDisplay->SetParent(this);
    FDisplay->SetAlignment(taRightJustify);
    FPad = new TCustomButtonPanel(this);
    FPad->SetName("Pad");
    FPad->SetParent(this);
    FPad->SetTabStop(true);
    FPad->SetColor(clWhite);
    FPad->SetEdit(FDisplay);
    FPad->CreateButtons();
    FDisplay->SetPad(FPad);
    FPad->OnButtonClick = [this](TObject*, int Index) {
        if (Index < 0 || Index >= FPad->Buttons()->Count()) return;
        Engine().ButtonClick(FPad->Buttons()->Items(Index)->Tag());
    };
    // The pad with the focus: the display hears each key first, as the picker's edit
    // does. Backspace is taken whole by the pad's key-down (it removes the last
    // character), so its character is not handed on to delete a second one.
    FPad->OnKeyPress = [this](TObject*, WideChar& Key) {
        if (Key != 8) FDisplay->Perform(WM_CHAR, WPARAM(Key));
        Engine().DropDownKeyPress(Key, TShiftState());
        Key = 0;
    };
    FPad->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        FDisplay->Perform(WM_KEYDOWN, Key);
        Engine().DropDownKeyDown(Key);
    };
    Resize();
    Engine().Opened();
}

void TCalculatorPanel::Resize()
{
    TCustomControl::Resize();
    if (!FDisplay) return;
    FDisplay->SetBounds(0, 0, ClientWidth(), Display_Height);
    FPad->SetBounds(0, Display_Height, ClientWidth(), ClientHeight() - Display_Height);
}

int TCalculatorPanel::ButtonIndex(const String& Name) const
{
    for (int i = 0; i < FPad->Buttons()->Count(); ++i)
        if (FPad->Buttons()->Items(i)->FName == Name) return i;
    return -1;
}
