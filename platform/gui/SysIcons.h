#pragma once
// The desktop's icons in two sizes: a list the program can index, and the icon the
// desktop shows for a file or folder. Markup names them ("SSYS:3", "LSYS:/home"), so a
// missing icon is an ordinary answer, not an error.
#include "platform/gui/Graphics.h"

// Edge of the icons in pixels: 16 small, 32 large (at 96 dots per inch).
int SysIconEdge(bool Large);
// How many icons the list holds; indexes run from 0 to that count - 1.
int SysIconCount();
// Icon Index of the list, square at the size, on a transparent background. False, with
// Into untouched, when there is no such icon.
bool GetSysIcon(int Index, bool Large, TBitmap& Into);
// The icon of a file or folder; for a path that does not exist, the icon of its file
// type as its name tells it. False, with Into untouched, when the desktop has none.
bool GetSysFileIcon(const String& Path, bool Large, TBitmap& Into);
