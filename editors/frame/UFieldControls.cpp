// Controls made as their field descriptions say.
#include "editors/frame/UFieldControls.h"

void Apply_Field_Flags(TControl* Control, unsigned Flags)
{
    if (Flags & ffDisabled) Control->SetEnabled(false);
    if (Flags & ffHidden) Control->SetVisible(false);
}

void Apply_Edit_Desc(TEdit* Edit, const TFieldDesc& Field)
{
    if (Field.Max_Length) Edit->SetMaxLength(Field.Max_Length);
    if (Field.Flags & ffUpper) Edit->SetCharCase(ecUpperCase);
    if (Field.Flags & ffLower) Edit->SetCharCase(ecLowerCase);
    if (Field.Flags & ffReadOnly) Edit->SetReadOnly(true);
    if (!Field.Start.empty()) Edit->SetText(Field.Start);
    Apply_Field_Flags(Edit, Field.Flags);
}

bool Is_Hex_Key(WideChar Key)
{
    return (Key >= L'0' && Key <= L'9') || (Key >= L'A' && Key <= L'F') || (Key >= L'a' && Key <= L'f') || Key <= 32;
}

void Hex_Keys_Only(WideChar& Key)
{
    if (!Is_Hex_Key(Key)) Key = 0;
}
