// Footer values: the grid's last row holds, per column, the result of the calculation
// kept with its cell (sum, average, count, minimum, maximum, distinct values, standard
// deviation or the application's own), recomputed while the floating footer shows it.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "platform/rtl/SysUtils.h"

void TFloatingFooter::SetVisible(bool Value)
{
    Visible = Value;
    if (!FOwner) return;
    const bool lastRow = Value && FooterStyle == fsFixedLastRow;
    FOwner->FixedFooters = lastRow ? 1 : 0;
    // The strip shows the footer row; the cells leave it blank.
    FOwner->SetHideLastRow(lastRow);
    if (TFooterPanel* p = FOwner->FooterPanel()) {
        p->SetHeight(Value ? FOwner->FloatingFooterStripHeight() : 0);
        p->SetVisible(Value);
        p->Invalidate();
    }
    FOwner->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FooterStyle = Value;
    if (!FOwner) return;
    FOwner->SetHideLastRow(Value == fsFixedLastRow && Visible);
    FOwner->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetHeight(int Value)
{
    Height = Value;
    if (FOwner && FOwner->FooterPanel() && Value > 0) FOwner->FooterPanel()->SetHeight(Value - 1);
}

void TFloatingFooter::SetColor(TColor Value)
{
    Color = Value;
    Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor Value)
{
    if (BorderColor == Value) return;
    BorderColor = Value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value)
{
    Column = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& Value)
{
    CustomTemplate = Value;
    Invalidate();
}

void TFloatingFooter::SetShowHint(bool Value)
{
    ShowHint = Value;
    if (FOwner && FOwner->FooterPanel()) FOwner->FooterPanel()->SetShowHint(Value);
}

void TFloatingFooter::Invalidate()
{
    if (FOwner && FOwner->FooterPanel()) FOwner->FooterPanel()->Invalidate();
}

String TFloatingFooter::FillTemplate(int ARow) const
{
    String out;
    const String& t = CustomTemplate;
    size_t i = 0;
    while (i < t.size()) {
        const size_t open = t.find("<#", i);
        if (open == String::npos) break;
        const size_t close = t.find('>', open + 2);
        if (close == String::npos) break;
        out += t.substr(i, open - i);
        // A placeholder whose number is no number is dropped.
        int col = 0;
        if (FOwner && TryStrToInt(t.substr(open + 2, close - open - 2), col) && col >= 0 &&
            col < FOwner->AllColCount() && ARow >= 0 && ARow < FOwner->RowCount())
            out += FOwner->GetCellEx(col, ARow);
        i = close + 1;
    }
    return out + t.substr(i);
}

int TExtStringGrid::FloatingFooterStripHeight()
{
    const int h = FFloatingFooter->Height > 0 ? FFloatingFooter->Height
                                              : (RowCount() > 0 ? RowHeights(RowCount() - 1) + 1 : DefaultRowHeight());
    return std::max(0, h - 1);
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType calc)
{
    if (!FOwner || ACol < 0 || ACol >= FOwner->AllColCount() || FOwner->RowCount() < 1) return;
    FOwner->GetCellProperties(ACol, FOwner->RowCount() - 1)->CalcType = calc;
    FOwner->CellValueChanged(ACol, FOwner->RowCount() - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int ACol) const
{
    if (!FOwner || ACol < 0 || FOwner->RowCount() < 1) return acNONE;
    const TCellProperties* p = FOwner->CellPropsOf(ACol, FOwner->RowCount() - 1);
    return p ? p->CalcType : acNONE;
}

void TExtStringGrid::CalcFooter(int ACol) { DoCalcFooter(ACol); }

void TExtStringGrid::CellsChanged(const TRect& R)
{
    if (OnCellsChanged) OnCellsChanged(this, R);
    // A notifier may unregister itself (or another) while it is told.
    const std::vector<TObject*> notifiers = FNotifierList;
    for (TObject* n : notifiers)
        if (std::find(FNotifierList.begin(), FNotifierList.end(), n) != FNotifierList.end())
            if (auto* cn = dynamic_cast<TGridChangeNotifier*>(n)) cn->CellsChanged(R);
    CalcFooter(-1);
}

void TExtStringGrid::DoCalcFooter(int ACol)
{
    TFloatingFooter* ff = FFloatingFooter.get();
    if (!ff || !ff->Visible || ff->FooterStyle != fsFixedLastRow || !ff->EnableCalculation) return;
    if (RowCount() < 1) return;
    int from = ACol, to = ACol;
    if (ACol == -1) {
        from = 0;
        to = AllColCount() - 1;
    }
    if (from < 0 || to >= AllColCount()) return;
    const int last = RowCount() - 1;
    const int h = ff->CalculateHiddenRows ? NumHiddenRows() : 0;
    const int E = h + RowCount() - 2;
    const int first = FixedRows();
    for (int c = from; c <= to; ++c) {
        TCellProperties* p = CellPropsOf(c, last);
        if (!p) continue;
        // A value that cannot be computed (a minimum whose first cell holds no number,
        // a spread over a text) leaves the footer cell empty; the edit or key that asked
        // for the footer goes on.
        try {
            switch (p->CalcType) {
            case acSUM: SetFloats(c, last, ColumnSum(c, first, E)); break;
            case acAVG: SetFloats(c, last, ColumnAvg(c, first, E)); break;
            // Without data rows there is no first value to start from.
            case acMIN:
                if (E < first) SetCellEx(c, last, String());
                else SetFloats(c, last, ColumnMin(c, first, E));
                break;
            case acMAX:
                if (E < first) SetCellEx(c, last, String());
                else SetFloats(c, last, ColumnMax(c, first, E));
                break;
            case acDISTINCT: SetFloats(c, last, ColumnDistinct(c, first, E)); break;
            case acSTDDEV: SetFloats(c, last, ColumnStdDev(c, first, E)); break;
            case acCOUNT: SetInts(c, last, h + RowCount() - first - 1); break;
            case acCUSTOM: {
                String Value;
                if (OnFooterCalc) OnFooterCalc(this, c, h + RowCount() - 1, Value);
                else if (ff->OnCalcFooter) ff->OnCalcFooter(this, c, h + RowCount() - 1, Value);
                SetCellEx(c, last, Value);
                break;
            }
            case acNONE:
            case acSPREAD:
                break;
            }
        } catch (const EExtGridError&) {
            SetCellEx(c, last, String());
        }
    }
    ff->Invalidate();
}
