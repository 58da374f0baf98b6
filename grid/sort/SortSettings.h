#pragma once
// How the grid sorts: the sort column and direction, the indexed (multi-column) sort
// from header clicks, how blanks, case and equal cells are treated, the header glyphs
// and colours of the sorted column, and the sort state as a short text.
#include <memory>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Where empty cells go when IgnoreBlanks is on.
enum TSortBlankPosition { blFirst, blLast };
// The key that adds a column to the indexed sort on a header click.
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings : public TObject {
public:
    explicit TSortSettings(TExtStringGrid* AOwner);
    ~TSortSettings() override;
    // From another TSortSettings: every setting but IgnoreCase and SortOnVirtualCells.
    void Assign(const TObject* Source);

    // A header click sorts and the sorted column shows its glyph; a change repaints.
    bool Show() const { return FSortShow; }
    void SetShow(bool Value);
    // Header clicks build an indexed sort (the grid's SortIndexes).
    bool IndexShow = false;
    // The colour of the key numbers painted in the header of an indexed sort.
    TColor IndexColor = 0x00FFFF;
    TIndexSortKey IndexSortKey = ikShift;
    // Cells that compare equal are compared again on the following columns.
    bool Full = true;
    // A sort moves the cells of the sort column only.
    bool SingleColumn = false;
    // Empty cells go first or last (BlankPos) in either direction.
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    // The style of a comparison starts as ssAutomatic (told from the texts).
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    // Without AutoFormat the texts compare without regard to case.
    bool IgnoreCase = false;
    // The sort column (real column); -1: not sorted.
    int Column = -1;
    // The header row whose click sorts; must lie among the fixed rows (Exception
    // "Sort row should be smaller than number of fixed rows" otherwise, row unchanged).
    int Row() const { return FSortRow; }
    void SetRow(int Value);
    // Clicks on the headers of fixed columns sort too.
    bool FixedCols = false;
    // Column 0 keeps its texts in place (row numbers) when the grid has fixed columns.
    bool NormalCellsOnly = false;
    // The direction of the first click on a column.
    TSortDirection InitSortDirection = sdAscending;
    // A click on a column sorted against its initial direction restores the order from
    // before the first sort.
    bool UndoSort = false;
    bool AutoSortForGrouping = true;
    // Merged column cells are split before and merged again after a header-click sort.
    bool AutoColumnMerge = false;
    // Sorts compare and move the texts the cells show (through the display-text hooks).
    bool SortOnVirtualCells = true;

    // Header glyphs; the setters copy the picture. Up and down are used when both are
    // set, the index glyphs likewise for an indexed sort.
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(const TBitmap* Value) { FUpGlyph->Assign(Value); }
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(const TBitmap* Value) { FDownGlyph->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(const TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(const TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

    // The sorted column's header face (clNone: the normal face); a change repaints the
    // last fixed row.
    TColor HeaderColor() const { return FHeaderColor; }
    void SetHeaderColor(TColor Value);
    TColor HeaderColorTo() const { return FHeaderColorTo; }
    void SetHeaderColorTo(TColor Value);
    TColor HeaderMirrorColor() const { return FHeaderMirrorColor; }
    void SetHeaderMirrorColor(TColor Value);
    TColor HeaderMirrorColorTo() const { return FHeaderMirrorColorTo; }
    void SetHeaderMirrorColorTo(TColor Value);

    void ToggleDirection() { Direction = Direction == sdAscending ? sdDescending : sdAscending; }
    // Not sorted any more: Column -1, no keys, the header repainted.
    void Remove();
    // "i;" and the keys ("u2;d0") with IndexShow, else "u" or "d" and the column.
    String SaveToString() const;
    // Turns Show on and sorts as the text says (nothing for an empty text); Exception
    // "Invalid sort settings specifier" for a text of one character.
    void LoadFromString(const String& Value);

private:
    void SetHeaderField(TColor& Field, TColor Value);
    TExtStringGrid* FOwner;
    bool FSortShow = false;
    int FSortRow = 0;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
    std::unique_ptr<TBitmap> FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
};
