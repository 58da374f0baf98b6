#pragma once
// Where a line of turned text starts so that it lands inside a rectangle the way a level
// line would be aligned there. Shared by the grid's printing (page units, y upward) and by
// anything placing turned text on the screen (pixels, y downward).
#include "grid/core/ExtGrid.h"

// Moves Rect's Left and Top to the point a line turned by Angle degrees (counter-clockwise,
// 0 .. 360) is written from. HAlign: 0 left, 1 right, 2 centre; VAlign: 0 top, 1 centre,
// 2 bottom. A1, B1, C1 and D1 are the turned line's extents: its height times |cos| and
// its width times |sin| (vertical), its height times |sin| and its width times |cos|
// (horizontal); on a page whose y grows upward the vertical two come negated.
void PlaceRotatedText(TRect& Rect, int HAlign, int VAlign, int A1, int B1, int C1, int D1, int Angle);

// The start point of Text turned by Angle degrees in Rect (inset by 2 on every side),
// measured with the grid canvas's current font: Left and Top of the result.
TRect RotatedTextRect(TExtStringGrid& Grid, TRect Rect, int Angle, const String& Text, int HAlign, int VAlign);
