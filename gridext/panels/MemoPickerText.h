#pragma once
// The rules of the memo picker's content: the line its edit shows for the memo's text,
// and which keys of the memo in its drop-down window go on to the edit.
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// The edit's text for the memo's lines. With EditorEnabled, or without lines, the whole
// text (every line ended by a line break); otherwise the first line, followed by "..."
// when more lines follow, and cut short with "..." when it is not narrower than Width
// measured on Canvas (whole characters removed from its end; the line stays whole when
// no cut fits).
String MemoPickerText(const TStringList& Lines, bool EditorEnabled, TCanvas* Canvas, int Width);

// A key pressed or released in the memo goes on to the edit when Alt is held or it is
// Esc or F4; a typed character when Alt is held or it is Esc.
bool MemoKeyToEdit(WORD Key, TShiftState Shift);
bool MemoCharToEdit(WideChar Key, TShiftState Shift);
// Ctrl+A (either case) in the memo selects all of it.
bool MemoSelectsAll(WORD Key, TShiftState Shift);
