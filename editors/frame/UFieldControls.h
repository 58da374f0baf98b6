#pragma once
// Controls made as their field descriptions say, for every window built from fields
// (the fields above an editor's tables, the parameter window's panels): one place that
// turns a field's flags, length limit, letter case and start text into the control's
// properties, and the key filter of hexadecimal fields.
#include "editors/frame/UFieldDesc.h"
#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

// Disabled and hidden as the flags say (ffDisabled, ffHidden); other flags are ignored.
void Apply_Field_Flags(TControl* Control, unsigned Flags);
// The edit's length limit, letter case, read-only mark and start text, then the flags.
void Apply_Edit_Desc(TEdit* Edit, const TFieldDesc& Field);
// Whether a hexadecimal field takes a typed key: digits, A .. F in either case and the
// control keys up to the blank. The one rule for typing and for values loaded from a file.
bool Is_Hex_Key(WideChar Key);
// Drops a key a hexadecimal field does not take (Key := 0).
void Hex_Keys_Only(WideChar& Key);
