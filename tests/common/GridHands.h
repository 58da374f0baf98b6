#pragma once
// The user's hands on a table of an editor window: clicks on cells (scrolled into view as the
// scroll bar would), keys and typed characters sent to the focused control, typing into
// a cell, picking a list item and ticking a box, each the way a user does it.
#include <gtest/gtest.h>

#include <algorithm>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Forms.h"
#include "tests/common/UserInput.h"

namespace hands {

inline void Pump() { Application->ProcessMessages(); }

// Scrolls the cell into view as the scroll bars would, then returns its centre.
inline TPoint Mid(TExtStringGrid* G, int c, int r)
{
    if (r >= G->FixedRows() && (r < G->TopRow() || r >= G->TopRow() + G->VisibleRowCount())) G->SetTopRow(r);
    const int first = G->LeftCol(), shown = G->VisibleColCount();
    if (c >= G->FixedCols() && (c < first || c >= first + shown)) G->SetLeftCol(std::max(G->FixedCols(), c - shown + 1));
    const TRect R = G->CellRect(c, r);
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}
inline void Click(TExtStringGrid* G, int c, int r)
{
    const TPoint p = Mid(G, c, r);
    UserClick(G, p.X, p.Y);
    Pump();
}
inline void DblClick(TExtStringGrid* G, int c, int r)
{
    const TPoint p = Mid(G, c, r);
    UserDblClick(G, p.X, p.Y);
    Pump();
}
// A button of the window.
inline void Press(TControl* Button)
{
    UserClick(Button);
    Pump();
}
inline void Key(WORD k, TShiftState s = TShiftState())
{
    UserKey(FindFocusedControl(), k, s);
    Pump();
}
// Each character goes to the control that has the focus when it is typed.
inline void Type(const String& t)
{
    Pump();
    for (char ch : t) {
        UserType(FindFocusedControl(), String(1, ch));
        Pump();
    }
}
// A text cell (or a list cell that takes text): click, type, Enter.
inline void Type_Into(TExtStringGrid* G, int c, int r, const String& t)
{
    Click(G, c, r);
    Type(t);
    Key(VK_RETURN);
    EXPECT_EQ(G->GetCellEx(c, r), t) << "column " << c << " row " << r;
}
// A list cell: click, F2 opens the list, Down (or Up, when the item stands above the
// current one) until the item shows, Enter.
inline void Pick(TExtStringGrid* G, int c, int r, const String& Item)
{
    Click(G, c, r);
    Key(VK_F2);
    TComboBox* cb = G->ComboEditor();
    ASSERT_TRUE(cb && cb->Visible()) << "column " << c;
    const int Want = cb->Items()->IndexOf(Item);
    for (int i = 0; i < cb->Items()->Count() && cb->Text() != Item; ++i)
        Key(Want >= 0 && cb->ItemIndex() > Want ? VK_UP : VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(G->GetCellEx(c, r), Item) << "column " << c << " row " << r;
}
// A text cell that holds text already: emptied first, then typed into as above.
inline void Retype(TExtStringGrid* G, int c, int r, const String& t)
{
    G->SetCellEx(c, r, "");
    Type_Into(G, c, r, t);
}
// A check box: one click flips it.
inline void Tick(TExtStringGrid* G, int c, int r)
{
    Click(G, c, r);
    EXPECT_EQ(G->GetCellEx(c, r), "Y") << "column " << c << " row " << r;
}

}  // namespace hands
