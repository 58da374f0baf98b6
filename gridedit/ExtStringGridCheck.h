#pragma once
// The cell checker component: the neutral base of spelling and correction engines that
// plug into a grid through its CellChecker. It returns every text unchanged and does
// nothing around a check run; an engine derives from it and overrides the four
// operations.
#include "grid/edit/GridCellChecker.h"

class TExtStringGridCheck : public TComponent, public TGridCellChecker {
public:
    explicit TExtStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

    TComponent* CheckerComponent() override { return this; }
    bool GotoCell() const override { return FGotoCell; }
    void SetGotoCell(bool Value) { FGotoCell = Value; }
    bool AutoCorrect() const override { return FAutoCorrect; }
    void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
    bool AutoMarkError() const override { return FAutoMarkError; }
    void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
    bool UseCorrect() const override { return FUseCorrect; }
    void SetUseCorrect(bool Value) { FUseCorrect = Value; }
    bool UseMarkError() const override { return FUseMarkError; }
    void SetUseMarkError(bool Value) { FUseMarkError = Value; }

    String MarkError(int ACol, int ARow, const String& S) override;
    String Correct(int ACol, int ARow, const String& S) override;
    void StartCheck() override;
    void StopCheck() override;

private:
    bool FGotoCell = false;
    bool FAutoCorrect = false;
    bool FAutoMarkError = false;
    bool FUseCorrect = false;
    bool FUseMarkError = false;
};
