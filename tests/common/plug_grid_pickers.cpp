// The picker editors take their kinds before any test runs, as the program plugs them
// in at start-up.
#include "gridext/celleditors/GridPickerEditors.h"

namespace {
const bool Plugged = (Plug_Grid_Pickers(), true);
}
