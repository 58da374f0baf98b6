#include "gridext/dragdrop/GridDragDrop.h"

#include <map>
#include <memory>

#include "grid/core/ExchangeHooks.h"
#include "gridext/clipboard/GridClipboard.h"
#include "gridext/exchange/GridExchange.h"
#include "gridext/office/GridOffice.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Messages.h"
#include "platform/gui/PopupWindow.h"
#include "platform/os/Files.h"
#include "platform/rtl/Streams.h"

namespace GridDragDrop {

TClipFormat GridColumnFormat()
{
    static const TClipFormat f = RegisterClipboardFormat("Grid Column");
    return f;
}

TClipFormat URLFormat()
{
    static const TClipFormat f = RegisterClipboardFormat("UniformResourceLocator");
    return f;
}

int DefaultDropEffect(unsigned KeyState, int OkEffects)
{
    if (KeyState & MK_CONTROL) return DROPEFFECT_COPY;
    return (OkEffects & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

bool IsCSVFile(const String& FileName) { return SameText(ExtractFileExt(FileName), ".csv"); }

bool IsSpreadsheetFile(const String& FileName)
{
    const String ext = ExtractFileExt(FileName);
    return SameText(ext, ".xls") || SameText(ext, ".xlsx");
}

namespace {

using GridClipboard::GridCellsClipboardFormat;
using GridClipboard::RTFClipboardFormat;

// A column index carried as four bytes, lowest first.
// The grid a drag of cells is running from and the cells it started with; a drop of rows
// above them into the same grid moves them down.
struct TDragOrigin {
    TExtStringGrid* Grid = nullptr;
    TGridRect Cells;
};
TDragOrigin& Origin()
{
    static TDragOrigin o;
    return o;
}

std::string ColumnBytes(int Col)
{
    std::string b(4, '\0');
    for (int i = 0; i < 4; ++i) b[size_t(i)] = char((unsigned(Col) >> (8 * i)) & 0xFF);
    return b;
}

// -1 when the block is not exactly four bytes.
int ColumnOf(const std::string& b)
{
    if (b.size() != 4) return -1;
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) v |= unsigned(static_cast<unsigned char>(b[size_t(i)])) << (8 * i);
    return int(v);
}

TPoint Offset(TPoint P, int By) { return TPoint(P.X + By, P.Y + By); }

// A small frameless window on top that shows a picture: the dragged cells, an arrow.
class TPictureWindow : public TPopupWindow {
public:
    explicit TPictureWindow(const TBitmap& APicture) : TPopupWindow(nullptr)
    {
        SetShadow(false);
        Picture.Assign(&APicture);
        SetBounds(0, 0, Picture.Width(), Picture.Height());
    }
    void ShowAt(TPoint Screen)
    {
        SetBounds(Screen.X, Screen.Y, Picture.Width(), Picture.Height());
        if (!Visible()) SetVisible(true);
    }
    TBitmap Picture;

protected:
    void Paint() override { Canvas()->Draw(0, 0, &Picture); }
};

enum TArrowKind { akLeft, akDown, akUp };
// An arrow 9 pixels across whose tip points at the drop position.
void DrawArrow(TBitmap& b, TArrowKind Kind)
{
    const bool across = Kind == akLeft;
    b.SetSize(across ? 10 : 9, across ? 9 : 8);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clWindow);
    c->FillRect(TRect(0, 0, b.Width(), b.Height()));
    c->Brush()->SetColor(clWindowText);
    c->Pen()->SetColor(clWindowText);
    switch (Kind) {
    case akLeft: c->Polygon({TPoint(0, 0), TPoint(9, 4), TPoint(0, 8)}); break;
    case akDown: c->Polygon({TPoint(0, 0), TPoint(8, 0), TPoint(4, 7)}); break;
    case akUp: c->Polygon({TPoint(4, 0), TPoint(0, 7), TPoint(8, 7)}); break;
    }
}

// The floating picture of the cells being dragged, while a drag with ShowCells runs.
std::unique_ptr<TPictureWindow>& Floating()
{
    static std::unique_ptr<TPictureWindow> w;
    return w;
}

// The grid's picture of the shown part of the cells R, placed at the pointer.
void ShowFloatingCells(TExtStringGrid& Grid, const TGridRect& R)
{
    TRect area;
    bool any = false;
    const int lastCol = std::min<int>(R.Right, Grid.LeftCol() + Grid.VisibleColCount());
    const int lastRow = std::min<int>(R.Bottom, Grid.TopRow() + Grid.VisibleRowCount());
    for (int r = R.Top; r <= lastRow; ++r) {
        if (r >= Grid.FixedRows() && r < Grid.TopRow()) continue;
        for (int c = R.Left; c <= lastCol; ++c) {
            if (c >= Grid.FixedCols() && c < Grid.LeftCol()) continue;
            const TRect k = Grid.CellRect(c, r);
            if (k.Width() <= 0 || k.Height() <= 0) continue;
            area = any ? TRect(std::min(area.Left, k.Left), std::min(area.Top, k.Top), std::max(area.Right, k.Right),
                               std::max(area.Bottom, k.Bottom))
                       : k;
            any = true;
        }
    }
    area = TRect(area.Left, area.Top, std::min<int>(area.Right, Grid.ClientWidth()),
                 std::min<int>(area.Bottom, Grid.ClientHeight()));
    if (!any || area.Width() <= 0 || area.Height() <= 0) return;
    TBitmap whole;
    PaintControlTo(&Grid, &whole);
    TBitmap part;
    part.SetSize(area.Width(), area.Height());
    part.Canvas()->CopyRect(TRect(0, 0, area.Width(), area.Height()), whole.Canvas(), area);
    Floating() = std::make_unique<TPictureWindow>(part);
    Floating()->ShowAt(Offset(Mouse_CursorPos(), 4));
}

class TGridDropTarget : public IDropTarget {
public:
    explicit TGridDropTarget(TExtStringGrid& Grid) : FGrid(Grid) {}

    void DragEnter(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) override
    {
        TDragDropSettings* s = FGrid.DragDropSettings();
        FHasCol = Data.Has(GridColumnFormat());
        FHasFiles = Data.Has(CF_HDROP);
        FHasCells = Data.Has(GridCellsClipboardFormat());
        FOk = (Data.HasText() && s->OleAcceptText) || (FHasFiles && s->OleAcceptFiles) ||
              (Data.Has(RTFClipboardFormat()) && DropRTF() && s->OleAcceptText) ||
              (FHasCol && s->OleColumnDragDrop) || (Data.Has(URLFormat()) && s->OleAcceptURLs) || FHasCells;
        Effect = FOk ? DefaultDropEffect(KeyState, Effect) : DROPEFFECT_NONE;
    }

    void DragOver(unsigned KeyState, TPoint Pt, int& Effect) override
    {
        Effect = FOk ? DefaultDropEffect(KeyState, Effect) : DROPEFFECT_NONE;
        if (Effect == DROPEFFECT_NONE) return;
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        bool allow = c >= 0 && r >= 0;
        if (!FHasCol) {
            if (r >= 0 && r < FGrid.FixedRows()) allow = false;
        } else if (c < 0) {
            allow = true;
        } else if (r >= FGrid.FixedRows()) {
            allow = false;
        }
        allow = allow || FHasFiles || FHasCells;
        if (FGrid.OnOleDragOver) FGrid.OnOleDragOver(&FGrid, r, c, allow);
        const bool valid = c >= 0 && r >= 0 && c < FGrid.ColCount() && r < FGrid.RowCount();
        allow = allow && (valid || FHasFiles || (FHasCol && c < 0));
        if (!allow) Effect = DROPEFFECT_NONE;
        ShowArrows(allow, c, r);
    }

    void DragLeave() override { HideArrows(); }

    TDropArrows Arrows() const { return {FArrowL.get(), FArrowD.get(), FArrowU.get()}; }

    void Drop(const TDataPackage& Data, unsigned KeyState, TPoint Pt, int& Effect) override
    {
        if (!FOk) {
            Effect = DROPEFFECT_NONE;
            return;
        }
        Effect = DefaultDropEffect(KeyState, Effect);
        // Data from another program that cannot be taken is refused: the drop has no
        // effect, and the source keeps what it offered.
        HideArrows();
        try {
            Take(Data, Pt);
        } catch (const Exception&) {
            Effect = DROPEFFECT_NONE;
        }
    }

private:
    static void Place(std::unique_ptr<TPictureWindow>& W, TArrowKind Kind, TPoint Screen)
    {
        if (!W) {
            TBitmap b;
            DrawArrow(b, Kind);
            W = std::make_unique<TPictureWindow>(b);
        }
        W->ShowAt(Screen);
    }
    static void Hide(std::unique_ptr<TPictureWindow>& W)
    {
        if (W && W->Visible()) W->SetVisible(false);
    }
    void HideArrows()
    {
        Hide(FArrowL);
        Hide(FArrowD);
        Hide(FArrowU);
    }
    // Where the drop would go: a column's place between the headers, or the row the cells
    // would start at.
    void ShowArrows(bool Allow, int c, int r)
    {
        if (Allow && FHasCol) {
            // Past the last column the place is the right edge of the last one.
            const bool past = c < 0 || c >= FGrid.ColCount();
            const TRect k = FGrid.CellRect(past ? FGrid.ColCount() - 1 : c, 0);
            const TPoint edge = FGrid.ClientToScreen(TPoint(past ? k.Right : k.Left, k.Top));
            const TPoint bottom = FGrid.ClientToScreen(TPoint(0, k.Bottom));
            Place(FArrowD, akDown, TPoint(edge.X - 4, edge.Y - 8));
            Place(FArrowU, akUp, TPoint(edge.X - 4, bottom.Y));
            Hide(FArrowL);
        } else if (Allow && c >= 0 && r >= 0 && c < FGrid.ColCount() && r < FGrid.RowCount()) {
            if (r == 0 && FGrid.FixedRowAlways && FGrid.RowCount() == 1) r = 1;
            const int col = FGrid.DragDropSettings()->OleEntireRows ? FGrid.FixedCols() : c;
            const TRect k = FGrid.CellRect(col, r);
            const TPoint at = FGrid.ClientToScreen(TPoint(k.Left, k.Top));
            Place(FArrowL, akLeft, TPoint(at.X - 10, at.Y - 4));
            Hide(FArrowD);
            Hide(FArrowU);
        } else {
            HideArrows();
        }
    }

    void Take(const TDataPackage& Data, TPoint Pt)
    {
        if (FHasCol && FGrid.DragDropSettings()->OleColumnDragDrop) {
            DropCol(Pt, ColumnOf(Data.Get(GridColumnFormat())));
        } else if (FHasCells) {
            DropStream(Pt, Data.Get(GridCellsClipboardFormat()));
        } else if (Data.Has(RTFClipboardFormat()) && DropRTF()) {
            DropCellText(Pt, Data.Get(RTFClipboardFormat()), false);
        } else if (Data.HasText() && !Data.Has(URLFormat())) {
            DropText(Pt, Data.Text());
        }
        if (FHasFiles) DropFiles(Pt, FileListFromBytes(Data.Get(CF_HDROP)));
        if (Data.Has(URLFormat())) DropCellText(Pt, Data.Text(), true);
    }

    void DropText(TPoint Pt, const String& Text)
    {
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        if (c < 0 || r < 0) return;
        TDragDropSettings* s = FGrid.DragDropSettings();
        const TPoint size = GridClipboard::TextBlockSize(Text);
        const bool rowSelect = FGrid.Options().Contains(goRowSelect);
        if (rowSelect) c = s->OleEntireRows ? 0 : FGrid.FixedCols();
        bool accept = true;
        if (FGrid.OnOleDrop) FGrid.OnOleDrop(&FGrid, r, c, Text, accept);
        if (!accept) return;
        const int n = size.Y;
        // Rows inserted above the rows a move came from push them down, so that their
        // removal at the end of the move hits the dragged rows.
        TDragOrigin& o = Origin();
        if (o.Grid == &FGrid && o.Cells.Top >= r && s->OleRemoveRows && s->OleInsertRows) {
            o.Cells.Top += n + 1;
            o.Cells.Bottom += n + 1;
        }
        if (s->OleInsertRows) FGrid.InsertRows(r, n + 1);
        int lines = 0, fields = 0;
        GridClipboard::PasteTextBlock(FGrid, c, r, lines, fields, Text);
        c = std::max(c, FGrid.FixedCols());
        const TGridRect R(c, r, std::min(FGrid.ColCount() - 1, c + std::max(1, size.X) - 1),
                          std::min(FGrid.RowCount() - 1, r + std::max(0, n - 1)));
        FGrid.SetSelection(R);
        if (FGrid.OnOleDropped) FGrid.OnOleDropped(&FGrid, R);
    }

    void DropCellText(TPoint Pt, const String& Text, bool IsURL)
    {
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        if (c < 0 || r < 0) return;
        bool accept = true;
        if (IsURL) {
            if (FGrid.OnOleDropURL) FGrid.OnOleDropURL(&FGrid, r, c, Text, accept);
        } else if (FGrid.OnOleDrop) FGrid.OnOleDrop(&FGrid, r, c, Text, accept);
        if (accept) FGrid.SetCellEx(FGrid.RealColIndex(c), r, Text);
    }

    void DropFiles(TPoint Pt, const std::vector<String>& Names)
    {
        if (Names.size() != 1) return;
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        const String& name = Names[0];
        bool accept = true;
        if (FGrid.OnOleDropFile) FGrid.OnOleDropFile(&FGrid, r, c, name, accept);
        if (!accept) return;
        if (IsCSVFile(name) || IsSpreadsheetFile(name)) {
            if (FGrid.OnOleDrop) FGrid.OnOleDrop(&FGrid, -1, -1, name, accept);
            if (!accept) return;
            if (IsCSVFile(name)) GridExchange::LoadFromCSV(FGrid, name, -1);
            else GridExchange::LoadFromXLS(FGrid, name);
        }
    }

    void DropStream(TPoint Pt, const std::string& Bytes)
    {
        int c = -1, r = -1;
        FGrid.ScreenToCell(Pt, c, r);
        TMemoryStream s(Bytes.data(), int64_t(Bytes.size()));
        GridExchange::LoadAtPointFromBinStream(FGrid, TPoint(std::max(c, 0), std::max(r, 0)), s);
        if (FGrid.OnOleDropped) FGrid.OnOleDropped(&FGrid, FGrid.Selection());
    }

    void DropCol(TPoint Pt, int Col)
    {
        int t = -1, r = -1;
        FGrid.ScreenToCell(Pt, t, r);
        if (t < 0) t = FGrid.ColCount();
        if (Col < 0 || Col >= FGrid.ColCount()) return;   // a column this grid does not have
        if (FGrid.DragDropSettings()->OleColumnReorder) {
            t = std::min(t, FGrid.ColCount() - 1);
            if (t != Col) FGrid.MoveColumn(Col, t);
        }
        if (FGrid.OnOleDropCol) FGrid.OnOleDropCol(&FGrid, r, Col, t);
    }

    TExtStringGrid& FGrid;
    bool FOk = false, FHasCol = false, FHasFiles = false, FHasCells = false;
    std::unique_ptr<TPictureWindow> FArrowL, FArrowD, FArrowU;
};

class TGridDropSource : public IDropSource {
public:
    int QueryContinueDrag(bool EscapePressed, unsigned KeyState) override
    {
        int res = 0;
        if (EscapePressed) res = DRAGDROP_S_CANCEL;
        else if (!(KeyState & MK_LBUTTON)) res = DRAGDROP_S_DROP;
        // The drag ends: its picture goes with it.
        if (res) Floating().reset();
        else if (Floating()) Floating()->ShowAt(Offset(Mouse_CursorPos(), 4));
        return res;
    }
    int GiveFeedback(int Effect) override
    {
        FNoAccept = Effect == DROPEFFECT_NONE;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    bool FNoAccept = false;
};

std::map<TExtStringGrid*, std::unique_ptr<TGridDropTarget>>& Targets()
{
    static std::map<TExtStringGrid*, std::unique_ptr<TGridDropTarget>> t;
    return t;
}

int RunDrag(const TDataPackage& Data, int& Effect)
{
    TGridDropSource source;
    int res = DRAGDROP_S_CANCEL;
    try {
        res = DoDragDrop(Data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, Effect);
    } catch (...) {
        Floating().reset();
        throw;
    }
    // A drag that ended without asking its source keeps no picture either.
    Floating().reset();
    if (res == DRAGDROP_S_CANCEL || source.FNoAccept) Effect = DROPEFFECT_NONE;
    return Effect;
}

}  // namespace

int DragSelection(TExtStringGrid& Grid, int ACol, int ARow)
{
    TDragDropSettings* s = Grid.DragDropSettings();
    if (Grid.OnOleDragStart) Grid.OnOleDragStart(&Grid, ARow, ACol);
    Grid.DropSelection() = Grid.Selection();
    const TGridRect R = Grid.Selection();
    Origin() = {&Grid, R};
    TDataPackage d;
    d.SetText(GridClipboard::GetRangeAsText(Grid, R, false));
    const String rtf = ACol >= 0 && ARow >= 0 ? Grid.GetCellEx(Grid.RealColIndex(ACol), ARow) : String();
    if (DropRTF() && rtf.find("{\\") != String::npos) d.Set(RTFClipboardFormat(), rtf);
    if (Grid.Navigation()->AllowFmtClipboard) {
        TMemoryStream m;
        GridExchange::SaveRectToBinStream(Grid, R, m);
        d.Set(GridCellsClipboardFormat(), std::string(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size())));
    }
    if (s->ShowCells()) ShowFloatingCells(Grid, R);
    int effect = DROPEFFECT_NONE;
    RunDrag(d, effect);
    const TGridRect D = Origin().Cells;
    Origin() = TDragOrigin();
    if (effect == DROPEFFECT_NONE) return effect;
    if (effect == DROPEFFECT_MOVE && !s->OleCopyAlways) {
        if (s->OleRemoveRows && Grid.Options().Contains(goRowSelect)) {
            if (D.Top >= Grid.FixedRows() && D.Bottom < Grid.RowCount()) Grid.RemoveRows(D.Top, D.Bottom - D.Top + 1);
        } else {
            for (int r = D.Top; r <= D.Bottom && r < Grid.RowCount(); ++r)
                for (int c = D.Left; c <= D.Right && c < Grid.ColCount(); ++c)
                    Grid.SetCellEx(Grid.RealColIndex(c), r, "");
        }
    }
    if (Grid.OnOleDragStop) Grid.OnOleDragStop(&Grid, effect);
    return effect;
}

int DragColumn(TExtStringGrid& Grid, int ACol)
{
    if (Grid.OnOleDragStart) Grid.OnOleDragStart(&Grid, 0, ACol);
    TDataPackage d;
    d.Set(GridColumnFormat(), ColumnBytes(ACol));
    if (Grid.DragDropSettings()->ShowCells()) ShowFloatingCells(Grid, TGridRect(ACol, 0, ACol, Grid.RowCount() - 1));
    int effect = DROPEFFECT_NONE;
    RunDrag(d, effect);
    if (effect != DROPEFFECT_NONE && Grid.OnOleDragStop) Grid.OnOleDragStop(&Grid, effect);
    return effect;
}

TControl* FloatingCells() { return Floating().get(); }

TDropArrows DropArrows(TExtStringGrid& Grid)
{
    const auto it = Targets().find(&Grid);
    return it == Targets().end() ? TDropArrows() : it->second->Arrows();
}

void InstallGridDragDrop()
{
    TGridExchangeHooks& x = GridExchangeHooks();
    x.DragSelection = [](TExtStringGrid& g, int c, int r) { DragSelection(g, c, r); };
    x.DragColumn = [](TExtStringGrid& g, int c) { DragColumn(g, c); };
    TGridDropTargetHooks& h = GridDropTargetHooks();
    h.Register = [](TExtStringGrid* g) {
        auto t = std::make_unique<TGridDropTarget>(*g);
        if (!RegisterDragDrop(g->Handle(), t.get())) return false;
        Targets()[g] = std::move(t);
        return true;
    };
    h.Revoke = [](TExtStringGrid* g) {
        RevokeDragDrop(g->Handle());
        Targets().erase(g);
    };
}

}  // namespace GridDragDrop
