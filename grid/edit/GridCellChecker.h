#pragma once
// What the grid asks of a cell checker: a spelling or correction engine that the
// application plugs into a grid. The grid passes edited texts through it and checks
// ranges of cells with it; the editor library's checker component implements it, so the
// grid knows no engine.
#include "platform/gui/Controls.h"

class TGridCellChecker {
public:
    virtual ~TGridCellChecker() = default;
    // The component behind the checker, for the grid to hear when it is freed.
    virtual TComponent* CheckerComponent() = 0;
    // A range check makes each cell current while it is examined and returns to the
    // cell that was current before.
    virtual bool GotoCell() const = 0;
    // Every validated edit goes through Correct (before the application's validation)
    // or MarkError (after it).
    virtual bool AutoCorrect() const = 0;
    virtual bool AutoMarkError() const = 0;
    // A range check passes each cell through Correct, MarkError, or both.
    virtual bool UseCorrect() const = 0;
    virtual bool UseMarkError() const = 0;
    // The text with its errors marked ("e" tags), and the corrected text.
    virtual String MarkError(int ACol, int ARow, const String& S) = 0;
    virtual String Correct(int ACol, int ARow, const String& S) = 0;
    // Once before and once after a range check.
    virtual void StartCheck() = 0;
    virtual void StopCheck() = 0;
};
