#pragma once
// The undo and redo component a grid can be linked to through its UndoRedo property.
// The grid reports the changes its user makes (edits, pastes, cuts, check-box toggles)
// as entries of a history: one entry per changed cell, or a bracketed sequence of
// entries that is undone and redone as one step. Undo and Redo write the recorded
// texts back through the grid's cell access and move the current cell there.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

class TBaseGrid;

// One recorded change, or a sequence marker (column and row -1, no texts).
class TUndoRedoItem : public TObject {
public:
    int Row = -1;
    int Col = -1;          // real column
    String Value;          // the text after the change: what redo writes
    String OrigValue;      // the text before the change: what undo writes
    bool SequenceStart = false;
    bool SequenceStop = false;
    bool IsMarker() const { return SequenceStart || SequenceStop; }
};

// The history, oldest entry first; owns its entries.
class TUndoRedoCollection : public TObject {
public:
    int Count() const { return int(FItems.size()); }
    TUndoRedoItem* Items(int Index) const { return FItems.at(size_t(Index)).get(); }
    TUndoRedoItem* Add();
    void Delete(int Index);
    // Removes the entries from Index to the end.
    void Truncate(int Index);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TUndoRedoItem>> FItems;
};

class TExtGridUndoRedo;
// OrigValue is the cell's text before the step, NewValue the text the step writes.
using TExtGridUndoRedoEvent = std::function<void(TExtGridUndoRedo* Sender, TBaseGrid* Grid, int Col, int Row,
                                                 const String& OrigValue, const String& NewValue)>;

class TExtGridUndoRedo : public TComponent {
public:
    explicit TExtGridUndoRedo(TComponent* AOwner);
    ~TExtGridUndoRedo() override;

    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }
    // Set by the grid's UndoRedo setter; the link is dropped when the grid goes.
    void SetGrid(TBaseGrid* v);
    // Entries 0..Level-1 are applied (can be undone), Level..Count-1 undone (can be redone).
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    // 0: no limit; else the oldest entries are dropped to keep the history below it.
    void SetMaxLevel(int v) { FMaxLevel = v; }

    // A change recorded after an undo ends the redo history: the undone entries go first.
    virtual void RegisterChange(int ACol, int ARow, const String& OldValue, const String& NewValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    // Forgets the whole history.
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    TExtGridUndoRedoEvent OnUndo;   // before each cell is restored
    TExtGridUndoRedoEvent OnRedo;   // before each cell is written again

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TBaseGrid* FGrid = nullptr;

private:
    TUndoRedoItem* Append();
    // Writes one side of an entry into its cell and makes that cell the current one.
    void Apply(const TUndoRedoItem* E, bool Restore);
    std::unique_ptr<TUndoRedoCollection> FItems;
    int FLevel = 0;
    int FMaxLevel = 0;
};
