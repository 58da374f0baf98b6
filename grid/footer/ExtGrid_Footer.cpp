// Footer values: the grid's last row holds, per column, the result of the calculation
// kept with its cell (sum, average, count, minimum, maximum, distinct values, standard
// deviation or the application's own), recomputed while the floating footer shows it.
#include <algorithm>

#include "grid/core/ExtGrid.h"

void TFloatingFooter::SetVisible(bool Value)
{
    Visible = Value;
    if (!FOwner) return;
    FOwner->FixedFooters = Value && FooterStyle == fsFixedLastRow ? 1 : 0;
    FOwner->Invalidate();
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
}
