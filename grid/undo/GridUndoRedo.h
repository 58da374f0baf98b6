#pragma once
// The undo and redo component a grid can be linked to through its UndoRedo property.
// The grid reports its changes here (edits, pastes, check-box toggles); recording and
// replaying them is filled in with the undo feature itself.
#include "platform/gui/Controls.h"

class TBaseGrid;

class TExtGridUndoRedo : public TComponent {
public:
    explicit TExtGridUndoRedo(TComponent* AOwner) : TComponent(AOwner) {}
    TBaseGrid* Grid() const { return FGrid; }
    void SetGrid(TBaseGrid* v) { FGrid = v; }
    virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue) {}
    virtual void StartSequence() {}
    virtual void StopSequence() {}

protected:
    TBaseGrid* FGrid = nullptr;
};
