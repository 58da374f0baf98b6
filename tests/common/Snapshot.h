#pragma once
// Pictures of controls as the screen shows them, for tests: saved as PNG into the suite's
// output folder (TEST_OUTPUT_DIR, given to every suite by the build) so that they can be
// looked at, and read back for counting pixels.
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/os/Files.h"

// The path of a file in the suite's output folder.
#define TEST_OUTPUT(Name) PathJoin(TEST_OUTPUT_DIR, Name)

// Saves Control as it shows now to Path and reads the picture into Png; false when the
// picture could not be saved.
bool Snapshot_To(TControl* Control, const String& Path, TBitmap& Png);
// The same into the suite's output folder under Name.
#define SNAPSHOT(Control, Name, Png) Snapshot_To(Control, TEST_OUTPUT(Name), Png)

// Pixels of R (right and bottom edges excluded) that are exactly C, or that Pred accepts.
int Count_Pixels(TBitmap& Png, const TRect& R, TColor C);
int Count_Pixels(TBitmap& Png, const TRect& R, const std::function<bool(TColor)>& Pred);
