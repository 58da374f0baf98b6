#pragma once
// The cell store every table of the program stands on: the string grid's cells with a
// lazily created appearance record per cell, merged cells that read and write through
// their top-left (base) cell, and a cell painter of its own (background, selection
// faces, hover and active rows, grid lines) that hands the content to DrawCellContent.
//
// Cells are addressed by (column, row) from 0 over the whole grid, fixed cells
// included. Columns are real columns: a derived grid that hides columns keeps their
// cells at the real index (the store keeps columns beyond ColCount).
//
// Ownership: the grid owns the TCellProperties in its object slots. Rows that fall off
// the grid when RowCount shrinks take their records with them; code that moves rows
// around empties the slots it vacated before it shrinks the grid.
#include <functional>
#include <string>

#include "grid/base/GridTypes.h"
#include "platform/gui/Grids.h"

class TBaseGrid;
class TExtGridUndoRedo;
class TUndoRowChange;

// The appearance record of one cell, kept in the cell's object slot.
class TCellProperties : public TObject {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

    // Copies the appearance and merge fields (not the grid, the graphic, the gradient
    // end, the footer calculation, the gradient direction or the paint cycle).
    void Assign(const TCellProperties* Source);
    // The base cell of the merged area this record's cell lies in.
    TPoint GetBaseCell(int c, int r) const;

    TBaseGrid* FOwnerGrid;
    int OwnerCol;
    int OwnerRow;
    std::uintptr_t CellObject = 0;          // the application's value of the cell (not owned)
    TObject* FGraphicObject = nullptr;     // the cell's graphic (freed through the grid)
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    int FontSize = 0;                       // 0: not set
    TColor FontColor = clNone;              // clNone: not set
    TFontStyles FontStyle;
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    int FPaintID = 0;                       // last paint cycle that painted this (base) cell's area
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool IsBaseCell = true;
    TColumnCalcType CalcType = acNONE;
    TObject* CalcObject = nullptr;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    String FontName;                        // empty: not set
    bool ReadOnly = false;
    TGradientDirection GradientDirection = GradientVertical;
    TControl* Control = nullptr;            // a control embedded in the cell (not owned)

private:
    friend class TBaseGrid;
    void Repaint();
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    TVAlignment FVAlignment = vtaTop;
    bool FWordWrap;
};

// The toolkit's string grid under its name in the grid chain.
class TObjStringGrid : public TStringGrid {
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value)>;

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;

    // ---- cell text ----
    // Display text: the base cell's text, through the display hooks for rows below
    // FNormalRowCount.
    String GetCellEx(int c, int r);
    // Writes into the base cell of the cell's merged area.
    void SetCellEx(int c, int r, const String& Value);
    // The stored text of exactly that cell: no redirection, no hooks.
    const String& GetGridCell(int c, int r) const { return Cells(c, r); }
    void SetGridCell(int c, int r, const String& Value) { SetCells(c, r, Value); }

    // ---- records and objects ----
    // The cell's record, created on first request with the look the grid would give
    // the cell now. EExtGridError "Invalid cell" outside the grid.
    TCellProperties* GetCellProperties(int c, int r);
    // Frees the cell's record and stores Value in its slot.
    void SetCellProperties(int c, int r, TCellProperties* Value);
    std::uintptr_t GetObjectEx(int c, int r);
    void SetObjectEx(int c, int r, std::uintptr_t Value);
    TObject* GetGraphicObjectEx(int c, int r);
    void SetGraphicObjectEx(int c, int r, TObject* Value);
    TObject* GetGridObject(int c, int r) const { return Objects(c, r); }
    void SetGridObject(int c, int r, TObject* Value) { SetObjects(c, r, Value); }
    // The cell lies in the grid (all real columns) and has a record.
    bool HasCellObject(int c, int r) const;
    // The record of a cell inside the grid, or nullptr; creates nothing.
    TCellProperties* CellPropsOf(int c, int r) const
    {
        // HasCellObject with one look at the slot (every cell read and write asks).
        if (c < 0 || r < 0 || r >= RowCount()) return nullptr;
        TObject* o = Objects(c, r);
        if (!o || c >= const_cast<TBaseGrid*>(this)->TotalColCount()) return nullptr;
        return static_cast<TCellProperties*>(o);
    }

    // ---- merged cells (spans count extra cells) ----
    // Merges spanx columns by spany rows with (c, r) as base cell. EExtGridError
    // "Invalid cell" when the area reaches outside the grid (nothing changes then).
    virtual void MergeCells(int c, int r, int spanx, int spany);
    // Undoes the merged area that contains (c, r); nothing for a cell that is not merged.
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int ACol, int ARow) const;
    // True with the cell itself when it is not inside an area, false with the base cell.
    bool GetBaseCellOf(int ACol, int ARow, int& BCol, int& BRow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsMergedNonBaseCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TPoint CellExt(int ACol, int ARow) const;
    TRect FullCell(int c, int r) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    int MergeCount() const { return FMergeCount; }

    // ---- geometry ----
    // Screen rectangle; a merged cell's whole area.
    TRect CellRect(int c, int r) override;
    TPoint CellSize(int c, int r);
    void RepaintCell(int c, int r);
    // Some row and some column of the cell's merged area (the cell itself when it is not
    // merged) can be seen now.
    bool AreaInView(int c, int r) const;
    // Rectangle from the widths and heights, also for cells out of view.
    TRect CalcCellRect(int c, int r);
    virtual int DisplColIndex(int ACol) { return ACol; }
    virtual int TotalColCount() { return ColCount(); }

    // ---- painting ----
    void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    // Background and lines only, in the given rectangle.
    void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    void DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState, bool UseCellRect);
    int PaintID() const { return FPaintID; }

    // ---- exchanging whole rows (sorting) ----
    // Two rows' texts and records change places (every stored column, hidden ones
    // included); the records learn their new row. Nothing is repainted.
    void ExchangeRowCells(int ARow1, int ARow2);

    // ---- clearing ----
    void ClearColCells(int ACol);
    void ClearRowCells(int ARow);
    void ClearCell(int ACol, int ARow);
    void FreeCellPropsAt(int ACol, int ARow);
    void FreeCellProps(int ACol1, int ARow1, int ACol2, int ARow2);
    void FreeAllCellProps();

    // ---- properties ----
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    TExtGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TExtGridUndoRedo* v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    bool HoverRow = false;
    THoverRowCells HoverRowCells = THoverRowCells{hcNormal, hcSelected};
    TColor HoverRowColor = clInfoBk;
    TColor HoverRowColorTo = clNone;
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool v) { FHideLastRow = v; }
    bool HasCellProps() const { return FHasCellProps; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // ---- virtual operations the derived grids answer ----
    virtual bool IsFixed(int ACol, int ARow) { return false; }
    virtual int GetRowIndent(int ARow) { return 0; }
    virtual bool HasNodes() { return false; }
    virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void HiddenLastRowChanged() {}
    virtual void FireGetDisplText(int ACol, int ARow, String& Value);
    virtual void FireGetDisplWideText(int ACol, int ARow, std::u16string& Value);
    virtual void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                 TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                 bool& WW, TGradientDirection& GD);
    virtual void CellTextChanged(int ACol, int ARow) {}
    virtual bool HasCellBorderEvent() const { return false; }
    virtual bool IsStyled() { return false; }
    // Undo (Restore) or redo of rows that moved, came or went, as the grid recorded them
    // in its linked undo history.
    virtual void ReplayRowChange(TUndoRowChange& Change, bool Restore) {}
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                     bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                     TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                     bool& WW, TGradientDirection& GD)
    {
    }

protected:
    friend class TCellProperties;
    // Disposes of a record's graphic object when the record goes; the derived grid
    // keeps the objects it shares between cells.
    virtual void ReleaseGraphicObject(TObject* AObject) { delete AObject; }
    // Frees a record with its graphic.
    void DeleteCellProperties(TCellProperties* p);
    void FillCellProperties(TCellProperties* p, int c, int r, bool SetCalcType);
    // Moves the current cell to its base cell.
    void SnapToBaseCell();
    bool GridDestroying() const { return FGridDestroying; }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    int FPaintID = 1;
    bool FCustomSelect = true;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    TExtGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;
    // Widest the store has been: records in columns beyond ColCount stay there.
    int FMaxStoredCols = 0;
    bool FGridDestroying = false;

private:
    void PaintSelectionFace(TCanvas* ACanvas, int ACol, TRect R);
};
