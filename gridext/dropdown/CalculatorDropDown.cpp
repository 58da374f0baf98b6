// The calculator picker: its pad, its keys in the edit and in the open pad, and its looks.
#include "gridext/dropdown/CalculatorDropDown.h"

#include <cstdio>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

TExtCalculatorDropdown::TExtCalculatorDropdown(TComponent* AOwner) : TExtCustomDropDown(AOwner), FEngine(*this)
{
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    CreateDropDownForm();
    // The looks were applied before the pad's appearance could follow them.
    SetComponentStyle(GetComponentStyle());
}

void TExtCalculatorDropdown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (FExtButtonPanel || !DropDownForm()) return;
    FExtButtonPanel = new TCustomButtonPanel(this);
    FExtButtonPanel->SetParent(DropDownForm());
    FExtButtonPanel->SetDropDown(this);
    FExtButtonPanel->SetEdit(this);
    FExtButtonPanel->SetBounds(0, 0, 230, 150);
    FExtButtonPanel->CreateButtons();
    SetControl(FExtButtonPanel);
    FExtButtonPanel->OnButtonClick = [this](TObject*, int Index) {
        if (Index < 0 || Index >= FExtButtonPanel->Buttons()->Count()) return;
        FEngine.ButtonClick(FExtButtonPanel->Buttons()->Items(Index)->Tag());
        SetModifiedFlag(true);
    };
}

void TExtCalculatorDropdown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    // Clicking elsewhere keeps the number worked out so far.
    DropDownForm()->FCancelOnDeActivate = false;
    FExtButtonPanel->SetButtonAppearance(&FCalcButtonAppearance);
    FExtButtonPanel->SetColor(DropDownColor());
    FExtButtonPanel->SetAlign(alNone);
    FExtButtonPanel->SetBounds(0, 0, 230, 150);
    FExtButtonPanel->ArrangeButtons();
    SetControl(FExtButtonPanel);
    FEngine.Opened();
    FOpenText = GetText();
}

void TExtCalculatorDropdown::CloseDropDown(bool Cancel)
{
    const bool open = DroppedDown();
    TExtCustomDropDown::CloseDropDown(Cancel);
    if (open && Cancel) SetText(FOpenText);
}

int TExtCalculatorDropdown::PadButton(const String& Name) const
{
    for (int i = 0; i < FExtButtonPanel->Buttons()->Count(); ++i)
        if (FExtButtonPanel->Buttons()->Items(i)->FName == Name) return i;
    return -1;
}

void TExtCalculatorDropdown::SetValue(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    String s = buf;
    if (const size_t dot = s.find('.'); dot != String::npos) s[dot] = GetDecimalSeparator();
    SetText(s);
}

void TExtCalculatorDropdown::SetShowThousandSeparator(bool v)
{
    if (v == FShowThousandSeparator) return;
    FShowThousandSeparator = v;
    const double n = GetFloatValue();
    SetEditType(v ? etMoney : etFloat);
    SetFloatValue(n);
}

String TExtCalculatorDropdown::FormatNumber(double Value) const
{
    // The edit's own rules then write it to its precision and groups.
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", Precision() < 0 ? 15 : Precision(), Value);
    String s = buf;
    if (const size_t dot = s.find('.'); dot != String::npos) s[dot] = GetDecimalSeparator();
    return s;
}

void TExtCalculatorDropdown::CaretAfterFirst()
{
    const int p = int(Utf8ToUtf16(Prefix()).size());
    SetSelStart(p + 1);
    SetSelLength(0);
}

// ---------------------------------------------------------------- keys

void TExtCalculatorDropdown::WndProc(TMessage& msg)
{
    const bool ownKey = !DroppedDown() || FPadKey > 0;
    if (msg.Msg == WM_CHAR && ownKey) {
        WideChar ch = WideChar(msg.WParam);
        FEngine.EditKeyPress(ch);
        if (ch == 0) return;
        msg.WParam = WPARAM(ch);
    }
    TExtCustomDropDown::WndProc(msg);
    if (msg.Msg == WM_KEYDOWN && ownKey && !FDestroying) FEngine.EditKeyDown(WORD(msg.WParam));
}

void TExtCalculatorDropdown::HandleDropDownKeyPress(WideChar& Key)
{
    // Backspace is the key-down's: it has taken the last character already.
    if (Key != 8) {
        ++FPadKey;
        TExtCustomDropDown::HandleDropDownKeyPress(Key);
        --FPadKey;
    }
    FEngine.DropDownKeyPress(Key, KeyboardStateToShiftState());
}

void TExtCalculatorDropdown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    ++FPadKey;
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    --FPadKey;
    FEngine.DropDownKeyDown(Key);
}

void TExtCalculatorDropdown::DoEnter()
{
    if (AutoSelect() && !(KeyboardStateToShiftState().Contains(ssLeft))) SelectAll();
    TExtCustomDropDown::DoEnter();
}

// ---------------------------------------------------------------- looks

void TExtCalculatorDropdown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    const TExtButtonAppearance* b = ButtonAppearance();
    TButtonAppearance& c = FCalcButtonAppearance;
    c.SetBorderColor(b->BorderColor());
    c.SetBorderColorHot(b->BorderColorHot());
    c.SetBorderColorDown(b->BorderColorDown());
    c.SetColor(b->Color());
    c.SetColorTo(b->ColorTo());
    c.SetColorDown(b->ColorDown());
    c.SetColorDownTo(b->ColorDownTo());
    c.SetColorHot(b->ColorHot());
    c.SetColorHotTo(b->ColorHotTo());
    c.ColorDisabled = b->ColorDisabled();
    c.ColorDisabledTo = b->ColorDisabledTo();
    c.BorderColorChecked = b->BorderColorDisabled();
    c.ColorChecked = b->ColorDisabledTo();
    c.ColorCheckedTo = b->ColorHotTo();
    const bool office2010 = AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black;
    c.GlowColorDown = office2010 ? b->ColorHot() : TColor(0xD5C244);
    c.GlowColorHot = office2010 ? b->ColorHot() : b->ColorDownTo();
}
