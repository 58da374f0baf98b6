#pragma once
// A grid whose cell (1, 1) holds mini-HTML controls, and the user's hand on them: a
// control's place as the grid lays it out, a click on its centre, its value in the cell.
#include <gtest/gtest.h>

#include "grid/html/MiniHTML.h"
#include "grid/html/MiniHTMLRender.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"

class HTMLCellControlsTest : public ExtGridTest {
protected:
    // Where the grid lays the control out in cell (1, 1).
    TRect ControlRect(const String& ID)
    {
        TMiniHTMLParams p;
        p.ControlID = ID;
        EXPECT_TRUE(Grid->HTMLCellHitTest(1, 1, -100, -100, p));
        return p.ControlRect;
    }
    void ClickOn(const String& ID)
    {
        const TRect r = ControlRect(ID);
        UserClick(Grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    String Value(const String& ID)
    {
        String v;
        EXPECT_TRUE(GetHTMLControlValue(Grid->GetCellEx(1, 1), ID, v));
        return v;
    }
};
