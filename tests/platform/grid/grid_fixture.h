#pragma once
// A string grid that records the hooks the grid calls, on a shown form, driven like a
// user drives it: mouse and key messages.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"
#include "tests/common/UserInput.h"

class TLogGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::vector<String> Log;
    std::vector<std::pair<int, int>> Drawn;
    bool RefuseSelect = false;
    int EditLimit = 0;
    String EditMask;
    TGridState State() const { return FGridState; }

protected:
    bool SelectCell(int c, int r) override
    {
        Log.push_back("SelectCell " + IntToStr(c) + "," + IntToStr(r));
        return !RefuseSelect && TStringGrid::SelectCell(c, r);
    }
    void TopLeftChanged() override
    {
        Log.push_back("TopLeftChanged " + IntToStr(LeftCol()) + "," + IntToStr(TopRow()));
        TStringGrid::TopLeftChanged();
    }
    void ColWidthsChanged() override
    {
        Log.push_back("ColWidthsChanged");
        TStringGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        Log.push_back("RowHeightsChanged");
        TStringGrid::RowHeightsChanged();
    }
    void ColumnMoved(int f, int t) override
    {
        Log.push_back("ColumnMoved " + IntToStr(f) + "," + IntToStr(t));
        TStringGrid::ColumnMoved(f, t);
    }
    void RowMoved(int f, int t) override
    {
        Log.push_back("RowMoved " + IntToStr(f) + "," + IntToStr(t));
        TStringGrid::RowMoved(f, t);
    }
    void SizeChanged(int oc, int orows) override
    {
        Log.push_back("SizeChanged " + IntToStr(oc) + "," + IntToStr(orows));
        TStringGrid::SizeChanged(oc, orows);
    }
    String GetEditText(int c, int r) override
    {
        Log.push_back("GetEditText " + IntToStr(c) + "," + IntToStr(r));
        return TStringGrid::GetEditText(c, r);
    }
    void SetEditText(int c, int r, const String& v) override
    {
        Log.push_back("SetEditText " + IntToStr(c) + "," + IntToStr(r) + "=" + v);
        TStringGrid::SetEditText(c, r, v);
    }
    String GetEditMask(int, int) override { return EditMask; }
    int GetEditLimit() override { return EditLimit; }
    void Click() override
    {
        Log.push_back("Click");
        TStringGrid::Click();
    }
    void DrawCell(int c, int r, TRect rect, TGridDrawState s) override
    {
        Drawn.emplace_back(c, r);
        TStringGrid::DrawCell(c, r, rect, s);
    }
};

class GridTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TLogGrid* Grid = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(420);
        Form->SetClientHeight(320);
        Grid = new TLogGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 400, 300);
        Form->Show();
        UserFocus(Grid);
    }
    void TearDown() override { delete Form; }

    // A grid with rows and columns to scroll through; cell texts "c,r".
    void Fill(int cols, int rows)
    {
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) Grid->SetCells(c, r, IntToStr(c) + "," + IntToStr(r));
        Grid->Log.clear();
    }
    TPoint Centre(int c, int r)
    {
        const TRect rc = Grid->CellRect(c, r);
        return TPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    }
    void ClickCell(int c, int r, TShiftState shift = TShiftState())
    {
        const TPoint p = Centre(c, r);
        UserClick(Grid, p.X, p.Y, shift);
    }
    void Press(TControl* c, int x, int y) { gui_input::Mouse(c, WM_LBUTTONDOWN, x, y, TShiftState()); }
    void Drag(TControl* c, int x, int y) { gui_input::Mouse(c, WM_MOUSEMOVE, x, y, TShiftState{ssLeft}); }
    void Release(TControl* c, int x, int y) { gui_input::Mouse(c, WM_LBUTTONUP, x, y, TShiftState()); }
    // Keys go where the focus is, as they do for a user.
    void Key(WORD key, TShiftState shift = TShiftState()) { UserKey(FindFocusedControl(), key, shift); }
    void Type(const String& text) { UserType(FindFocusedControl(), text); }
    TInplaceEdit* Editor() { return Grid->InplaceEditor(); }
    bool EditorShown() { return Editor() && Editor()->Visible(); }
};
