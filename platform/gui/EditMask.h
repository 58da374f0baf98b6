#pragma once
// Edit masks, shared by the masked edit fields: the characters a mask admits per position
// are 0 digit, 9 digit or blank, # digit or sign, L letter, l letter or blank, A letter or
// digit, a the same or blank, C and c any character, > upper case from here, < lower case
// from here, \ the next is a literal; other characters are literals typed for the user.
// Text after ';' is ignored.
#include <string>

#include "platform/rtl/SysUtils.h"

// Positions the mask has room for (a complete text is this long); 0 for no mask.
int EditMaskLength(const String& Mask);

// Text s typed in place of the selection [SelStart, SelStart + SelLength) of a text of
// TextLength characters: the literals the mask puts before and after the typed characters
// are filled in and the mask's case applied. False (s untouched) when a character does not
// fit its position or the text would grow longer than the mask.
bool EditMaskAccepts(const String& Mask, int TextLength, int SelStart, int SelLength, std::u16string& s);
