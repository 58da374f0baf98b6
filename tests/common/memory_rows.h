#pragma once
// A table in memory that the row helpers and the editor engine can work on like a grid:
// texts by real column and row, hidden columns, check-box columns, optional real check
// boxes with read-only marks, and a current cell.
#include <set>
#include <vector>

#include "shell/UComonRows.h"

class TMemoryRows : public TRowGridAccess {
public:
    TMemoryRows(int Cols, int Rows) : FCols(Cols) { SetRowCount(Rows); }

    void SetRowCount(int Rows)
    {
        FCells.resize(size_t(Rows), std::vector<String>(size_t(FCols)));
        FChecked.resize(size_t(Rows), std::vector<bool>(size_t(FCols)));
        FReadOnly.resize(size_t(Rows), std::vector<bool>(size_t(FCols)));
    }
    int RowCount() const override { return int(FCells.size()); }
    int ColCount() const override { return FCols - int(FHidden.size()); }
    int NumHiddenColumns() const override { return int(FHidden.size()); }
    String GetCellEx(int Col, int Row) const override { return FCells.at(size_t(Row)).at(size_t(Col)); }
    void SetCellEx(int Col, int Row, const String& Text) override { FCells.at(size_t(Row)).at(size_t(Col)) = Text; }
    bool IsCheckBoxColumn(int Col) const override { return FCheckColumns.count(Col) > 0; }

    bool GetCheckBoxState(int Col, int Row, bool& State) const override
    {
        if (!FBoxColumns.count(Col) || Row == 0) return false;
        State = FChecked.at(size_t(Row)).at(size_t(Col));
        return true;
    }
    void SetCheckBoxState(int Col, int Row, bool State) override
    {
        if (FBoxColumns.count(Col) && Row > 0) FChecked.at(size_t(Row)).at(size_t(Col)) = State;
    }
    bool CellReadOnly(int Col, int Row) const override { return FReadOnly.at(size_t(Row)).at(size_t(Col)); }
    void SetCellReadOnly(int Col, int Row, bool ReadOnly) override { FReadOnly.at(size_t(Row)).at(size_t(Col)) = ReadOnly; }

    int Col() const override { return FCol; }
    void SetCol(int Col) override { FCol = Col; }
    int Row() const override { return FRow; }
    void SetRow(int Row) override { FRow = Row; }
    void AutoSizeCol(int Col) override { Sized.push_back(Col); }

    // Set-up
    void Hide(int Col) { FHidden.insert(Col); }
    void CheckColumn(int Col) { FCheckColumns.insert(Col); }    // "Y"/"N" texts
    void BoxColumn(int Col) { FBoxColumns.insert(Col); }        // real check boxes
    bool Checked(int Col, int Row) const { return FChecked.at(size_t(Row)).at(size_t(Col)); }
    // Row r as "a|b|c" over columns 1 .. last.
    String RowText(int Row) const
    {
        String s;
        for (int c = 1; c < FCols; ++c) {
            if (c > 1) s += '|';
            s += GetCellEx(c, Row);
        }
        return s;
    }
    void SetRowText(int Row, const std::vector<String>& Texts)
    {
        for (size_t i = 0; i < Texts.size(); ++i) SetCellEx(int(i) + 1, Row, Texts[i]);
    }

    std::vector<int> Sized;

private:
    int FCols;
    int FCol = 1, FRow = 1;
    std::vector<std::vector<String>> FCells;
    std::vector<std::vector<bool>> FChecked;
    std::vector<std::vector<bool>> FReadOnly;
    std::set<int> FHidden, FCheckColumns, FBoxColumns;
};
