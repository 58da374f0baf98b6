#pragma once
// The undo and redo component a grid can be linked to through its UndoRedo property.
// The grid reports the changes its user makes (edits, pastes, cuts, check-box toggles)
// as entries of a history: one entry per changed cell, or a bracketed sequence of
// entries that is undone and redone as one step. Undo and Redo write the recorded
// texts back through the grid's cell access and move the current cell there.
//
// Cell entries name their cell by (column, display row). Rows that move, come or go
// (sorts, row insertion and removal, row moves) would make those names point at other
// rows, so the grid reports such changes as entries of their own: undo and redo replay
// them in their place in the history, and every cell entry meets the rows it was
// recorded against. A change of rows the grid cannot replay ends the history instead.
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Controls.h"

class TBaseGrid;

// Rows that moved, came or went, as the grid replays them.
class TUndoRowChange {
public:
    enum TKind { rcOrder, rcInsert, rcRemove };
    TUndoRowChange() = default;
    TUndoRowChange(const TUndoRowChange&) = delete;
    TUndoRowChange& operator=(const TUndoRowChange&) = delete;
    // Frees the cell records the entry holds while its rows are out of the grid.
    ~TUndoRowChange();

    TKind Kind = rcOrder;
    int Row = 0;                 // the first display row concerned
    int Count = 0;               // rows inserted or removed
    // rcOrder: Order[i] is the row (counted from Row) that went to row Row + i.
    std::vector<int> Order;
    int Column = -1;             // rcOrder: only this real column's cells moved; -1 whole rows
    // rcInsert, rcRemove: the rows' cells while the rows are out of the grid (the texts
    // and the records of every real column, and the heights).
    struct TRowCells {
        std::vector<String> Texts;
        std::vector<TObject*> Objects;
        int Height = 0;
    };
    std::vector<TRowCells> Cells;
    bool Held = false;           // the records in Cells belong to the entry
    // Frees a held record (set by the grid that handed the records over).
    std::function<void(TObject*)> Release;
};

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
    // Rows that moved, came or went (no cell, column -1); empty for a cell change.
    std::shared_ptr<TUndoRowChange> RowChange;
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
    // Rows of the grid that moved, came or went: a step of its own.
    virtual void RegisterRowChange(std::shared_ptr<TUndoRowChange> Change);
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
