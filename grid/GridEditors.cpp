// Creation of the grid's in-place editors.
#include "grid/GridEditors.h"

#include "grid/ExtGrid.h"

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* AGrid) : TInplaceEdit(AGrid) {}

TGridEditorControl::TGridEditorControl(TExtStringGrid* AGrid) : TCustomControl(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetParent(AGrid);
}
