#pragma once
// A feature grid on a shown form, and small helpers to fill it and read it back.
#include <gtest/gtest.h>

#include "grid/core/ExtGrid.h"
#include "platform/gui/Forms.h"
#include "tests/common/UserInput.h"

class ExtGridTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TExtStringGrid* Grid = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(520);
        Form->SetClientHeight(320);
        Grid = new TExtStringGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 500, 300);
        Form->Show();
    }
    void TearDown() override { delete Form; }

    // Texts "c,r" in every cell of a cols x rows grid (real columns).
    void Fill(int cols, int rows)
    {
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) Grid->SetCellEx(c, r, Name(c, r));
    }
    static String Name(int c, int r) { return IntToStr(c) + "," + IntToStr(r); }
    // The texts of one display row, all real columns, joined by "|".
    String RowText(int r)
    {
        String s;
        for (int c = 0; c < Grid->TotalColCount(); ++c) (c ? s += '|' : s) += Grid->GetCellEx(c, r);
        return s;
    }
};
