#pragma once
// Two grids on a shown form with the clipboard exchange plugged into their keys.
#include <gtest/gtest.h>

#include "grid/core/ExchangeHooks.h"
#include "grid/core/ExtGrid.h"
#include "gridext/clipboard/GridClipboard.h"
#include "platform/gui/Forms.h"

class ClipboardTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtStringGrid* A = nullptr;
    TExtStringGrid* B = nullptr;

    void SetUp() override
    {
        GridClipboard::InstallGridClipboard();
        Form = new TForm(nullptr);
        Form->SetClientWidth(700);
        Form->SetClientHeight(320);
        A = NewGrid(0);
        B = NewGrid(350);
        Form->Show();
        Clipboard()->Clear();
    }
    void TearDown() override
    {
        delete Form;
        GridExchangeHooks() = TGridExchangeHooks();
    }

    TExtStringGrid* NewGrid(int X)
    {
        auto* g = new TExtStringGrid(Form);
        g->SetParent(Form);
        g->SetBounds(X, 0, 340, 300);
        g->SetColCount(5);
        g->SetRowCount(8);
        g->SetOptions(g->Options() << goEditing << goRangeSelect);
        g->Navigation()->AllowClipboardShortCuts = true;
        return g;
    }
    // Rows of tab-separated texts from (ACol, ARow) on.
    static void Fill(TExtStringGrid* G, int ACol, int ARow, const std::vector<std::vector<String>>& Rows)
    {
        for (size_t r = 0; r < Rows.size(); ++r)
            for (size_t c = 0; c < Rows[r].size(); ++c) G->SetCellEx(ACol + int(c), ARow + int(r), Rows[r][c]);
    }
    static void Select(TExtStringGrid* G, int L, int T, int R, int Bo) { G->SetSelection(TGridRect(L, T, R, Bo)); }
};
