// Linked into every suite that edits in grids: the grid's editors are registered before
// any test runs, as the program registers them at start-up.
#include "gridedit/GridEditors.h"

namespace {
const bool Registered = (Register_Grid_Editors(), true);
}
