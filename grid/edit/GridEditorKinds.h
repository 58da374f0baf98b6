#pragma once
// The registry of in-place editor kinds. The grid itself knows no editor control: it asks
// the entry registered for a cell's editor kind to show, read back and put away the
// editor, and the editor library fills the registry at start-up (Register_Grid_Editors in
// gridedit). A kind nobody registered opens nothing, as edNone does: the edit ends at the
// next move. Without a registered text editor the toolkit's plain in-place editor edits
// the text kinds.
#include <functional>

#include "grid/base/GridTypes.h"
#include "platform/gui/Controls.h"

class TExtStringGrid;
class TInplaceEdit;
class TEditLink;

// One editor kind as the grid drives it. Kinds that share a control (the four spin
// kinds, the two combo kinds ...) share their functions.
struct TGridEditorKind {
    // Lays the kind's editor over the cell (ACol displayed, R its rectangle), loads it with
    // the cell's value, shows and focuses it; makes the editor on first use. Returns the
    // control that now edits, nullptr when none does (a kind that only shows something).
    std::function<TWinControl*(TExtStringGrid* Grid, int ACol, int ARow, const TRect& R)> Show;
    // Reads the editor's value back into the cell (ACol displayed) and puts the editor away.
    std::function<void(TExtStringGrid* Grid, int ACol, int ARow)> Hide;
    // The control whose text the cell follows while the user types in it; nullptr (or no
    // function) when the cell waits for Hide.
    std::function<TWinControl*(TExtStringGrid* Grid)> TypingControl;
};

// What every grid takes from the editor library besides the kinds.
struct TGridEditorParts {
    // The text editor of the text kinds (edNormal, edNumeric, edPassword ...).
    std::function<TInplaceEdit*(TExtStringGrid* Grid)> CreateTextEditor;
    // Makes the editors a grid carries from its construction on (hidden children); they
    // go into the grid's editor slots.
    std::function<void(TExtStringGrid* Grid)> CreateEditors;
    // Opens the editor of a fixed cell (ACol displayed).
    std::function<void(TExtStringGrid* Grid, int ACol, int ARow)> EditFixedCell;
    // The spin editor's limits and step, as a column of the column grid sets them.
    std::function<void(TExtStringGrid* Grid, int MinValue, int MaxValue, int Increment)> SetSpinRange;
    // The component an edit link is, for the grid to hear when it is freed.
    std::function<TComponent*(TEditLink* Link)> LinkComponent;
    // ---- the editors of form controls in mini-HTML cells ----
    // Lays the editor of an edit, password, mask or combo control over R (grid
    // coordinates), loads it with CtrlVal and the control's attributes from the cell's
    // Text, shows and focuses it; nullptr for other types. The grid's FCtrlXY, FCtrlID and
    // FCtrlType name the control.
    std::function<TWinControl*(TExtStringGrid* Grid, const String& Text, const String& CtrlType, const TRect& R,
                               const String& CtrlVal)>
        OpenControlEditor;
    // The editor of that control type (nullptr when none) and the value it holds.
    std::function<TWinControl*(TExtStringGrid* Grid, const String& CtrlType)> ControlEditor;
    std::function<String(TExtStringGrid* Grid, const String& CtrlType)> ControlEditorValue;
};

// Registers (or replaces) the entry of one kind.
void RegisterGridEditorKind(TEditorType Kind, const TGridEditorKind& Entry);
// The entry of a kind; nullptr when none is registered.
const TGridEditorKind* GridEditorKind(TEditorType Kind);
void RegisterGridEditorParts(const TGridEditorParts& Parts);
const TGridEditorParts& GridEditorParts();
