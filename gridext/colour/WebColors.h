#pragma once
// Named web colours and the texts a colour is shown as: the table of web colour names
// with their identifiers (clWebSnow ...), and the conversions between a colour value and
// its hexadecimal, web-name, RGB and HTML texts in both directions.
#include "platform/gui/Types.h"
#include "platform/rtl/SysUtils.h"

enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

// Number of named web colours and the n-th one's identifier and RGB colour value.
int WebColorCount();
String WebColorIdent(int Index);
TColor WebColorValue(int Index);
// The identifier of an RGB colour value ("clWebSnow"); empty when no web colour has it.
String WebColorIdentOf(TColor RGB);
// The colour of an identifier (any letter case); false when it names no web colour.
bool WebColorByIdent(const String& Ident, TColor& Color);

// A colour as the text of a style (cvtNone gives an empty text). System colours are
// resolved to their RGB value for every style but cvtHex, which shows the stored value.
String ColorToValueText(TColor Color, TColorValueText Style);
// The reverse: a text any style but cvtNone produces, back to its colour value ("123456",
// "001F00FF", "clWebRed", "#FF0000", "Red:255,Green:0,Blue:0"; letter case and blanks
// around the parts do not matter). False, with Color untouched, for anything else.
bool ValueTextToColor(const String& Text, TColor& Color);
