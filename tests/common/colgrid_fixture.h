#pragma once
// A column grid on a shown form, built the way a table editor's form builds it.
#include <gtest/gtest.h>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Forms.h"
#include "tests/common/UserInput.h"

// The centre of a cell in grid coordinates, and a click there as the user makes it.
template <class G>
TPoint CellMid(G* g, int c, int r)
{
    const TRect R = g->CellRect(c, r);
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}
template <class G>
void ClickCell(G* g, int c, int r)
{
    const TPoint p = CellMid(g, c, r);
    UserClick(g, p.X, p.Y);
}

// Texts joined by appending (no temporaries built from the front).
template <class... T>
String Cat(const T&... parts)
{
    String s;
    ((s += parts), ...);
    return s;
}

class ColGridTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TExtColumnGrid* Grid = nullptr;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(820);
        Form->SetClientHeight(420);
        Grid = new TExtColumnGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 800, 400);
        Form->Show();
    }
    void TearDown() override { delete Form; }

    // What a form description sets while the grid is read: the counts, then one item per
    // column with its settings written one by one; then the grid is loaded.
    void LoadAsForm(TExtColumnGrid* g, int cols, int rows)
    {
        g->BeginLoading();
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->Columns()->Clear();
        for (int c = 0; c < cols; ++c) {
            TGridColumnItem* it = g->Columns()->Add();
            it->SetHeader(Cat("H", IntToStr(c)));
            it->SetWidth(40 + c);
            it->SetEditor(c == 1 ? edDataCheckBox : c == 2 ? edComboList : edNormal);
            it->SetCheckTrue("Y");
            it->SetCheckFalse("N");
            it->SetAlignment(c == 1 ? taCenter : taLeftJustify);
        }
        g->Loaded();
    }
    // The KNX editor's table as its window lays it out: 19 columns, row numbers in
    // column 0, an Enable check-box column, list columns and text columns.
    void KnxTable(TExtColumnGrid* g, int rows)
    {
        LoadAsForm(g, 19, rows);
        for (int c = 3; c < 19; ++c)
            if (c % 4 == 3) g->Columns()->Items(c)->SetEditor(edComboEdit);
        for (int r = 1; r < rows; ++r) {
            g->SetCellEx(0, r, IntToStr(r));
            g->SetCellEx(1, r, r % 3 ? "Y" : "N");
            g->SetCellEx(2, r, Cat("1/2/", IntToStr(r % 256)));
            for (int c = 3; c < 19; ++c) g->SetCellEx(c, r, Cat("V", IntToStr(r * 19 + c)));
        }
    }
};
