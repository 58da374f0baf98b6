// The grid picker: the embedded grid's hooks, the settings and rows the grid takes when
// the list opens, the sizes of the list, the lookup (or narrowing) by typed characters,
// the completion of typed text, and the keys of the edit and the open list.
#include "gridext/pickers/GridDropDown.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gridext/pickers/PickerCompletion.h"
#include "platform/rtl/Unicode.h"

namespace GridPicker {

TExtColGrid::TExtColGrid(TComponent* AOwner) : TExtStringGrid(AOwner)
{
    FixedRowAlways = true;
    SetFixedRows(1);
    SetFixedCols(0);
    TGridOptions o = Options();
    o >> goRangeSelect;
    o << goHorzLine << goRowSelect;
    SetOptions(o);
    FOldRow = Row();
}

void TExtColGrid::FireSelect()
{
    if (OnSelect) OnSelect(this);
}

void TExtColGrid::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    if (msg.Msg == WM_KEYDOWN && msg.WParam == VK_TAB) return;
    if (msg.Msg == WM_CHAR && msg.WParam == VK_RETURN) return;
    TExtStringGrid::WndProc(msg);
}

bool TExtColGrid::SelectCell(int ACol, int ARow)
{
    const bool ok = TExtStringGrid::SelectCell(ACol, ARow);
    if (ok && FExtDropDown) FExtDropDown->CellSelected(ARow);
    return ok;
}

void TExtColGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FExtDropDown) FExtDropDown->Perform(WM_KEYDOWN, Key, KF_ALTDOWN_LPARAM);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        FireSelect();
        return;
    }
    TExtStringGrid::KeyDown(Key, Shift);
}

void TExtColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    FOldRow = Row();
    TExtStringGrid::MouseDown(Button, Shift, X, Y);
}

void TExtColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    int c = 0, r = 0;
    MouseToCell(X, Y, c, r);
    bool checked = false;
    if (r >= FixedRows() && r < RowCount() && !(GetCheckBoxState(c, r, checked))) FireSelect();
}

bool TExtColGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    // A wheel turn moves the row without taking it.
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool done = TExtStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
    FMouseWheelSelection = false;
    FConfirmSelection = false;
    return done;
}

void TExtColGrid::FireGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (FExtDropDown && ACol >= 0 && ACol < FColumns.Count()) HAlign = FColumns.Items(ACol)->Alignment;
    if (FExtDropDown && FExtDropDown->OnGridGetAlignment) FExtDropDown->OnGridGetAlignment(this, ARow, ACol, HAlign, VAlign);
    else TExtStringGrid::FireGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtColGrid::FireGetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    TExtStringGrid::FireGetCellColor(ACol, ARow, AState, ABrush, AFont);
    // The header keeps the grid's own look.
    if (FExtDropDown && ARow >= FixedRows() && ACol >= 0 && ACol < FColumns.Count())
        ABrush->SetColor(FColumns.Items(ACol)->Color);
    if (FExtDropDown && FExtDropDown->OnGridGetCellColor) FExtDropDown->OnGridGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

}  // namespace GridPicker

using namespace GridPicker;

// ---------------------------------------------------------------- picker

TCustomExtGridDropDown::TCustomExtGridDropDown(TComponent* AOwner)
    : TLookupDropDown(AOwner), FColumns(this), FItems(this)
{
    FHeaderFont.SetColor(0x723708);
    FNavigation.HomeEndKey = heFirstLastRow;
    SetSelectionColorStyle(scOffice2007);
}

TCustomExtGridDropDown::~TCustomExtGridDropDown()
{
    if (FExtColGrid) {
        FExtColGrid->OnSelect = nullptr;
        FExtColGrid->OnCanSort = nullptr;
        FExtColGrid->OnClickSort = nullptr;
        FExtColGrid->SetExtDropDown(nullptr);
    }
}

void TCustomExtGridDropDown::SetGridImages(TImageList* v)
{
    FGridImages = v;
    if (FExtColGrid) FExtColGrid->SetGridImages(v);
}

void TCustomExtGridDropDown::SetText(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    TExtCustomDropDown::SetText(Value);
    FSettingText = was;
}

void TCustomExtGridDropDown::ShowValue(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    // While the list is open the value is not yet chosen: Esc must bring the old one back.
    if (DroppedDown()) SetPlainText(Value);
    else TExtCustomDropDown::SetText(Value);
    FSettingText = was;
}

int TCustomExtGridDropDown::ItemCount() const
{
    if (FUseItems) return FItems.Count();
    return FExtColGrid ? FExtColGrid->RowCount() - FExtColGrid->FixedRows() : 0;
}

void TCustomExtGridDropDown::SetItemIndex(int Value)
{
    if (FUseItems) {
        if (Value >= FItems.Count()) return;
        FItemIndex = Value;
        String s;
        if (Value >= 0 && FLookupColumn >= 0 && FItems.Items(Value)->Line(FLookupColumn, s)) ShowValue(s);
        else ShowValue("");
        return;
    }
    if (!FExtColGrid) {
        FItemIndex = Value;
        return;
    }
    if (Value == FItemIndex || Value >= FExtColGrid->RowCount()) return;
    FItemIndex = Value;
    ShowValue(Value >= 0 ? FExtColGrid->Cells(FLookupColumn, Value + 1) : String());
}

int TCustomExtGridDropDown::ItemOfRow(int Row)
{
    if (!FExtColGrid || Row < 0 || Row >= FExtColGrid->RowCount()) return Row;
    // The item is kept in the row's first cell as its cell object (the grid keeps cell
    // properties in the plain objects).
    return int(std::intptr_t(FExtColGrid->GetObjectEx(0, Row)));
}

int TCustomExtGridDropDown::RowOfItem(int Item)
{
    if (!FExtColGrid || Item < 0) return FItemIndex;
    for (int r = FExtColGrid->FixedRows(); r < FExtColGrid->RowCount(); ++r)
        if (ItemOfRow(r) == Item) return r;
    return FItemIndex;
}

void TCustomExtGridDropDown::SelectFirst()
{
    if (ItemCount() > 0) SetItemIndex(0);
}

void TCustomExtGridDropDown::SelectLast()
{
    if (ItemCount() > 0) SetItemIndex(ItemCount() - 1);
}

void TCustomExtGridDropDown::SelectNext()
{
    if (ItemCount() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < ItemCount()) SetItemIndex(FItemIndex + 1);
}

void TCustomExtGridDropDown::SelectPrevious()
{
    if (ItemCount() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomExtGridDropDown::NextPage()
{
    if (ItemCount() == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + 10, ItemCount() - 1));
}

void TCustomExtGridDropDown::PreviousPage()
{
    if (ItemCount() == 0) return;
    SetItemIndex(FItemIndex - 10 >= 0 ? FItemIndex - 10 : 0);
}

// ---------------------------------------------------------------- looks

void TCustomExtGridDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    struct TLook {
        TWYXStyle Style;
        TColor Header, HeaderTo, Font, Line, FixedLine;
        TSelectionColorStyle ColorStyle;
        TColor Sel, Text;
    };
    static const TLook looks[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, clWhite, 0x962D00, 0x962D00, scOffice2007, clKept, clBlack},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, clKept, 0x947C7C, 0x947C7C, scOffice2007, clKept, clBlack},
        {tsOffice2003Olive, 0x82C0AF, 0x447A63, clKept, 0x588060, 0x588060, scOffice2007, clKept, clBlack},
        {tsOffice2003Classic, 0x808080, 0x808080, clKept, 0x808080, 0x808080, scOffice2007, clKept, clBlack},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF, scOffice2007, clKept, clBlack},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C, scOffice2007, clKept, clBlack},
        {tsWindowsXP, clBtnFace, clBtnFace, clBlack, clSilver, clBlack, scCustom, clHighlight, clHighlightText},
        {tsWhidbey, 0xEBEEEF, 0x7E9898, clWhite, 0x962D00, 0x962D00, scOffice2007, clKept, clBlack},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F, scOffice2007, clKept, clBlack},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA, 0xFCF2DA, scWindowsVista, clKept, clBlack},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8, 0xFBD6B8, scWindows7, clKept, clBlack},
        {tsTerminal, clBtnFace, clBtnFace, clBlack, 0x808080, 0x808080, scCustom, clHighlight, clHighlightText},
    };
    // The three 2010 looks change nothing here beyond the base.
    for (const TLook& l : looks) {
        if (l.Style != AStyle) continue;
        SetSelectionColorStyle(l.ColorStyle);
        FHeaderColor = l.Header;
        FHeaderColorTo = l.HeaderTo;
        if (l.Font != clKept) FHeaderFont.SetColor(l.Font);
        FLineColor = l.Line;
        FFixedLineColor = l.FixedLine;
        if (l.Sel != clKept) {
            SetSelectionColor(l.Sel);
            SetSelectionColorTo(l.Sel);
        }
        FSelectionTextColor = l.Text;
    }
}

void TCustomExtGridDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    if (Value == scOffice2007) {
        FLineColor = 0xF1EDEB;
        FFixedLineColor = 0xD1BBA4;
    } else if (Value == scWindowsVista || Value == scWindows7) {
        FLineColor = 0xECECF0;
        FFixedLineColor = 0xD4D2D1;
    }
    TExtCustomDropDown::SetSelectionColorStyle(Value);
}

// ---------------------------------------------------------------- the grid

void TCustomExtGridDropDown::CreateDropDownForm()
{
    TExtCustomDropDown::CreateDropDownForm();
    if (!DropDownForm()) return;
    if (!FExtColGrid) {
        FExtColGrid = new TExtColGrid(this);
        FExtColGrid->SetParent(DropDownForm());
    }
    FExtColGrid->SetExtDropDown(this);
    FExtColGrid->SetBounds(0, 0, FExtColGrid->Width(), 180);
    FExtColGrid->SetColor(DropDownColor());
    FExtColGrid->Navigation()->HomeEndKey = heFirstLastRow;
}

void TCustomExtGridDropDown::PlaceDropDownControl()
{
    if (FExtColGrid) SetControl(FExtColGrid);
    TExtCustomDropDown::PlaceDropDownControl();
}

void TCustomExtGridDropDown::GridTakeSettings()
{
    TExtColGrid* g = FExtColGrid;
    g->SetExtDropDown(this);
    g->Columns()->Assign(FColumns);
    if (g->ColCount() < FColumns.Count()) g->SetColCount(FColumns.Count());
    if (FUseItems) g->SetRowCount(FItems.Count() + 1);
    for (int i = 0; i < FColumns.Count() && i < g->ColCount(); ++i) g->SetColWidths(i, FColumns.Items(i)->Width);
    g->FLineColor = FLineColor;
    g->FFixedLineColor = FFixedLineColor;
    g->FHeaderColor = FHeaderColor;
    g->FHeaderColorTo = FHeaderColorTo;
    g->SetHeaderHeight(FHeaderHeight);
    g->FHeaderFont.Assign(FHeaderFont);
    g->HoverRow = FHoverRow;
    g->HoverRowColor = FHoverRowColor;
    g->HoverRowColorTo = FHoverRowColorTo;
    // A row height below one pixel would leave the list without rows to show.
    g->SetDefaultRowHeight(std::max(1, FDropDownRowHeight));
    g->SetRowHeights(0, FHeaderHeight);
    TGridOptions o = g->Options();
    const auto opt = [&o](TGridOption x, bool on) {
        if (on) o << x;
        else o >> x;
    };
    opt(goColSizing, FColumnSizing);
    opt(goColMoving, FColumnMoving);
    opt(goRowSizing, FRowSizing);
    opt(goRowMoving, FRowMoving);
    opt(goRowSelect, FRowSelect && !FGridEditable);
    opt(goEditing, FGridEditable);
    // The edit keeps the focus while the list is open, so the cell editor must show
    // without the grid holding it.
    opt(goAlwaysShowEditor, FGridEditable);
    opt(goThumbTracking, true);
    g->SetOptions(o);
    if (FAutoSizeColumns) {
        if (FUseItems) {
            TBitmap probe(1, 1);
            TCanvas* c = probe.Canvas();
            for (int i = 0; i < FColumns.Count() && i < g->ColCount(); ++i) {
                TDropDownColumn* col = FColumns.Items(i);
                if (!col->AutoSize) continue;
                c->Font()->Assign(*col->Font());
                int widest = 0;
                for (int k = 0; k < FItems.Count(); ++k) {
                    String s;
                    int w = 0;
                    const bool has = FItems.Items(k)->Line(i, s);
                    if (has && col->ColumnType == ctImage && Images() && FItems.Items(k)->ImageIndex >= 0) w += Images()->Width() + 4;
                    if (has && !s.empty()) w += c->TextWidth(s) + 6;
                    widest = std::max(widest, w);
                }
                g->SetColWidths(i, widest);
                g->Columns()->Items(i)->Width = widest;
            }
        } else {
            g->AutoSizeColumns(true, 4);
        }
    }
}

void TCustomExtGridDropDown::FillGridFromItems()
{
    TExtColGrid* g = FExtColGrid;
    if (g->ColCount() != FColumns.Count() && FColumns.Count() > 0) g->SetColCount(FColumns.Count());
    for (int c = 0; c < g->ColCount(); ++c) {
        g->SetCells(c, 0, c < FColumns.Count() ? FColumns.Items(c)->Header : String());
        g->SetObjectEx(c, 0, std::uintptr_t(std::intptr_t(-1)));
    }
    if (FItems.Count() == 0) return;
    g->SetRowCount(g->FixedRows() + FItems.Count());
    for (int j = 0; j < FItems.Count(); ++j) {
        for (int c = 0; c < g->ColCount(); ++c) g->SetCells(c, j + 1, FItems.Items(j)->LineOrEmpty(c));
        g->SetObjectEx(0, j + 1, std::uintptr_t(j));
    }
}

void TCustomExtGridDropDown::Loaded()
{
    BuildLookupList();
    if (FExtColGrid && FUseItems) FillGridFromItems();
}

void TCustomExtGridDropDown::BeforeDropDown()
{
    if (!FExtColGrid) CreateDropDownForm();
    if (!FExtColGrid) {
        TExtCustomDropDown::BeforeDropDown();
        return;
    }
    DropDownForm()->FCancelOnDeActivate = false;
    TExtColGrid* g = FExtColGrid;
    FLookupMoving = true;
    GridTakeSettings();
    g->SetColor(DropDownColor());
    g->SortSettings()->SetShow(FSorting != gsNone);
    g->SortSettings()->IndexShow = FSorting == gsMultiColumn;
    g->SetGridImages(FGridImages);
    g->SearchFooter()->Assign(&FSearchFooter);
    g->MouseActions()->Assign(&FMouseActions);
    g->Navigation()->Assign(&FNavigation);
    g->Bands()->Assign(&FBands);
    // The handler may open a window of its own: that must not close the list.
    const auto blocked = [this](auto&& call) {
        DropDownForm()->FBlockActivate = true;
        call();
        if (DropDownForm()) DropDownForm()->FBlockActivate = false;
    };
    g->OnAnchorClick = [this, blocked](TObject* S, int R, int C, const String& A, bool& Auto) {
        if (OnGridAnchorClick) blocked([&] { OnGridAnchorClick(S, R, C, A, Auto); });
    };
    g->OnButtonClick = [this, blocked](TObject* S, int C, int R) {
        if (OnGridButtonClick) blocked([&] { OnGridButtonClick(S, C, R); });
    };
    g->OnEllipsClick = [this, blocked](TObject* S, int C, int R, String& V) {
        if (OnGridEllipsClick) blocked([&] { OnGridEllipsClick(S, C, R, V); });
    };
    g->OnSelect = [this](TObject*) { GridSelect(); };
    g->OnCanSort = [this](TObject* S, int ACol, bool& DoSort) {
        FTempItemIndex = FItemIndex;
        (void)S;
        (void)ACol;
        (void)DoSort;
    };
    g->OnClickSort = [this](TObject*, int) {
        if (FTempItemIndex < 0 || !FExtColGrid) return;
        const int r = FUseItems ? RowOfItem(FTempItemIndex) : -1;
        if (r >= FExtColGrid->FixedRows()) MoveToRow(r);
    };
    g->OnCanEditCell = [this](TObject* S, int R, int C, bool& Can) {
        if (OnGridCanEditCell) OnGridCanEditCell(S, R, C, Can);
    };
    g->OnRightClickCell = [this](TObject* S, int R, int C) {
        if (OnGridRightClickCell) OnGridRightClickCell(S, R, C);
    };
    g->OnTopLeftChanged = [this](TObject* S) {
        if (OnGridTopLeftChanged) OnGridTopLeftChanged(S);
    };
    AttachGridEvents();
    g->SetComponentStyle(GetComponentStyle());
    if (FUseItems) {
        TExtCustomDropDown::BeforeDropDown();
        g->SetRowCount(FItems.Count() + 1);
        g->SetFixedRows(1);
        FillGridFromItems();
        const int r = RowOfItem(FItemIndex);
        if (FItemIndex >= 0 && r >= g->FixedRows() && r < g->RowCount()) g->SetRow(r);
    } else {
        String found;
        int index = -1;
        if (FindLookupText(GetText(), found, index)) g->SetRow(index);
        else if (g->RowCount() > g->FixedRows()) g->SetRow(g->FixedRows());
    }
    if (g->SortSettings()->Column >= 0 && g->SortSettings()->Show()) g->QSort();
    FLookupMoving = false;
    g->FConfirmSelection = false;
    FOldItemIndex = FItemIndex;
    if (!FUseItems) TExtCustomDropDown::BeforeDropDown();
    SetControl(g);
}

namespace {
// The grid's event hands its arguments on to the picker's event of the same meaning,
// when one is set at the time it fires.
template <class TEvent>
void PassOn(TEvent& GridEvent, const TEvent& PickerEvent)
{
    GridEvent = [&PickerEvent](auto&&... Args) {
        if (PickerEvent) PickerEvent(std::forward<decltype(Args)>(Args)...);
    };
}
}  // namespace

void TCustomExtGridDropDown::AttachGridEvents()
{
    TExtColGrid* g = FExtColGrid;
    FBalloonInit = false;
    PassOn(g->OnAnchorEnter, OnGridAnchorEnter);
    PassOn(g->OnAnchorExit, OnGridAnchorExit);
    PassOn(g->OnAnchorHint, OnGridAnchorHint);
    PassOn(g->OnColumnSize, OnGridColumnSize);
    PassOn(g->OnColumnSizing, OnGridColumnSizing);
    PassOn(g->OnEndColumnSize, OnGridEndColumnSize);
    PassOn(g->OnRowSize, OnGridRowSize);
    PassOn(g->OnRowSizing, OnGridRowSizing);
    PassOn(g->OnEndRowSize, OnGridEndRowSize);
    PassOn(g->OnRowMove, OnGridRowMove);
    PassOn(g->OnRowMoving, OnGridRowMoving);
    PassOn(g->OnRowMoved, OnGridRowMoved);
    PassOn(g->OnColumnMove, OnGridColumnMove);
    PassOn(g->OnColumnMoving, OnGridColumnMoving);
    PassOn(g->OnColumnMoved, OnGridColumnMoved);
    PassOn(g->OnCellBalloon, OnGridCellBalloon);
    PassOn(g->OnGetCellGradient, OnGridGetCellGradient);
    PassOn(g->OnGetEditorType, OnGridGetEditorType);
    PassOn(g->OnGetEditorProp, OnGridGetEditorProp);
    PassOn(g->OnGetDisplText, OnGridGetDiplText);
    PassOn(g->OnGetFormat, OnGridGetFormat);
    PassOn(g->OnGridHint, OnGridHint);
    PassOn(g->OnMouseDown, OnGridMouseDown);
    PassOn(g->OnMouseUp, OnGridMouseUp);
    PassOn(g->OnScrollHint, OnGridScrollHint);
    PassOn(g->OnSearchEditChange, OnGridSearchEditChange);
    PassOn(g->OnAutoAddRow, OnGridAutoAddRow);
    PassOn(g->OnAutoInsertRow, OnGridInsertRow);
    PassOn(g->OnAutoDeleteRow, OnGridDeleteRow);
    PassOn(g->OnCanAddRow, OnGridCanAddRow);
    PassOn(g->OnCanInsertRow, OnGridCanInsertRow);
    PassOn(g->OnCanDeleteRow, OnGridCanDeleteRow);
    PassOn(g->OnCheckBoxClick, OnGridCheckBoxClick);
    g->OnCustomCellDraw = nullptr;
    g->OnCustomCellBkgDraw = nullptr;
    if (OnGridCustomCellDraw) PassOn(g->OnCustomCellDraw, OnGridCustomCellDraw);
    if (OnGridCustomCellBkgDraw) PassOn(g->OnCustomCellBkgDraw, OnGridCustomCellBkgDraw);
    g->OnGetFloatFormat = [this](TObject* S, int C, int R, bool& IsFloat, String& Fmt) {
        if (!OnGridGetFloatFormat) return;
        Fmt.clear();
        OnGridGetFloatFormat(S, C, R, IsFloat, Fmt);
    };
    g->OnMouseMove = [this](TObject* S, TShiftState Shift, int X, int Y) {
        // Balloons shown in an earlier opening would linger: the first move of each
        // opening sets them up anew.
        if (!FBalloonInit && FExtColGrid) {
            FBalloonInit = true;
            if (FExtColGrid->Balloon()->Enable()) {
                FExtColGrid->Balloon()->SetEnable(false);
                FExtColGrid->Balloon()->SetEnable(true);
            }
        }
        if (OnGridMouseMove) OnGridMouseMove(S, Shift, X, Y);
    };
}

void TCustomExtGridDropDown::CellSelected(int Row)
{
    FSelRow = Row;
    if (FLookupMoving || !FExtColGrid || FExtColGrid->FMouseWheelSelection) return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(Row));
    } else {
        ShowValue(FExtColGrid->Cells(FLookupColumn, Row));
        SetItemIndex(Row - FExtColGrid->FixedRows());
    }
}

void TCustomExtGridDropDown::MoveToRow(int Row)
{
    TExtColGrid* g = FExtColGrid;
    FLookupMoving = true;
    g->SetRow(Row);
    FLookupMoving = false;
    FSelRow = Row;
}

void TCustomExtGridDropDown::GridSelect()
{
    TExtColGrid* g = FExtColGrid;
    if (g->FConfirmSelection) SetItemIndex(FUseItems ? ItemOfRow(g->Row()) : g->Row() - g->FixedRows());
    FSelRow = g->Row();
    if (!FGridEditable) CloseDropDown(false);
    if (OnSelect) OnSelect(this);
}

int TCustomExtGridDropDown::ListWidthNeeded() const
{
    TExtColGrid* g = FExtColGrid;
    int w = 0;
    for (int i = 0; i < g->ColCount(); ++i) w += g->ColWidths(i);
    if (g->VisibleRowCount() + g->FixedRows() != g->RowCount()) w += g->ScrollBarSize();
    return w + 2;
}

void TCustomExtGridDropDown::SizeDropDownForm()
{
    TExtCustomDropDown::SizeDropDownForm();
    if (!FDropDownAutoWidth || !FExtColGrid || !DropDownForm()) return;
    FExtColGrid->SetAlign(alNone);
    FExtColGrid->SetWidth(ListWidthNeeded());
    DropDownForm()->SetWidth(FExtColGrid->Width() + 2 * DropDownBorderWidth());
    FExtColGrid->SetAlign(alClient);
}

void TCustomExtGridDropDown::AdjustDropDownHeight(int& Height)
{
    // Without a row height there are no whole rows to snap to.
    if (FDropDownRowHeight <= 0) return;
    int bars = 0;
    if (DropDownHeader()->Visible()) bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) bars += DropDownFooter()->Height();
    const int B = Height - bars - FHeaderHeight - 2;
    Height = bars + FHeaderHeight + std::max(0, B) / FDropDownRowHeight * FDropDownRowHeight + 6;
}

void TCustomExtGridDropDown::ScaleColumnsToWindow()
{
    if (!FColumnSizeWithDropDown || !FExtColGrid || !DropDownForm() || FExtColGrid->Columns()->Count() == 0) return;
    TExtColGrid* g = FExtColGrid;
    const TDropDownColumns& cols = *g->Columns();
    g->SetScrollBars(ssVertical);
    int T = 1;
    for (int i = 0; i < cols.Count(); ++i) T += cols.Items(i)->Width;
    int A = DropDownForm()->Width();
    if (g->VisibleRowCount() < g->RowCount() - g->FixedRows()) A -= g->ScrollBarSize();
    const double f = double(A) / double(T);
    double r = 0.0;
    for (int i = 0; i < cols.Count() && i < g->ColCount(); ++i) {
        const double exact = f * cols.Items(i)->Width;
        const int w = int(std::nearbyint(exact));
        r += exact - w;
        if (r > 1.0) {
            r -= 1.0;
            g->SetColWidths(i, w + 1);
        } else {
            g->SetColWidths(i, w);
        }
    }
}

void TCustomExtGridDropDown::OpenDropDown()
{
    TExtCustomDropDown::OpenDropDown();
    if (!FExtColGrid) return;
    TExtColGrid* g = FExtColGrid;
    if (!FUseItems)
        while (FColumns.Count() < g->ColCount()) g->Columns()->Assign(*(FColumns.Add(), &FColumns));
    if (DroppedDown()) ScaleColumnsToWindow();
    const int row = g->Row(), visible = g->VisibleRowCount();
    if (visible < g->RowCount() - g->FixedRows()) {
        if (row >= g->TopRow() + visible) g->SetTopRow(row - visible + 1);
        else if (row < g->TopRow()) g->SetTopRow(row);
    }
    FSelRow = g->FixedRows();
    g->SetTabStop(true);
}

void TCustomExtGridDropDown::CloseDropDown(bool CancelChanges)
{
    if (!DropDownForm() || !DropDownForm()->Visible()) return;
    if (FExtColGrid) {
        if (FExtColGrid->InplaceEditor() && FExtColGrid->InplaceEditor()->Visible()) FExtColGrid->HideInplaceEdit();
        if (CancelChanges) {
            // An index of none leaves the old text standing (the base puts it back).
            if (FOldItemIndex >= 0) SetItemIndex(FOldItemIndex);
            else FItemIndex = -1;
        } else if (FExtColGrid->FConfirmSelection) {
            SetItemIndex(FUseItems ? ItemOfRow(FSelRow) : FSelRow - FExtColGrid->FixedRows());
        }
        FOldItemIndex = FItemIndex;
        FExtColGrid->FConfirmSelection = false;
    }
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    // The choice is the value now: a later cancel comes back to it.
    if (!CancelChanges) ShowValue(GetText());
}

void TCustomExtGridDropDown::DropDownResizing()
{
    TExtCustomDropDown::DropDownResizing();
    ScaleColumnsToWindow();
}

void TCustomExtGridDropDown::DoEnter()
{
    TExtCustomDropDown::DoEnter();
    if (FExtColGrid) FExtColGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

void TCustomExtGridDropDown::HandleWheelDown()
{
    TExtCustomDropDown::HandleWheelDown();
    SelectNext();
}

void TCustomExtGridDropDown::HandleWheelUp()
{
    TExtCustomDropDown::HandleWheelUp();
    SelectPrevious();
}

// ---------------------------------------------------------------- lookup and completion

bool TCustomExtGridDropDown::FindLookupText(const String& S, String& Found, int& Index) const
{
    Found.clear();
    Index = -1;
    if (FUseItems) {
        for (int i = 0; i < FItems.Count(); ++i) {
            const String s = FItems.Items(i)->LineOrEmpty(FLookupColumn);
            if (BeginsWith(s, S, FCaseSensitive)) {
                Found = s;
                Index = i;
                return true;
            }
        }
        return false;
    }
    if (!FExtColGrid) return false;
    for (int r = FExtColGrid->FixedRows(); r < FExtColGrid->RowCount(); ++r) {
        const String& s = FExtColGrid->Cells(FLookupColumn, r);
        if (BeginsWith(s, S, FCaseSensitive)) {
            Found = s;
            Index = r;
            return true;
        }
    }
    return false;
}

void TCustomExtGridDropDown::LookupKeyDown(WORD Key)
{
    if (Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_LEFT ||
        Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        FLookupEntry.clear();
}

int TCustomExtGridDropDown::TypedKeyLookup(WideChar Key)
{
    if (FLookupMethod == lmNone) return -1;
    if (Key == VK_BACK) {
        if (SelLength() == 0) {
            if (!FLookupEntry.empty()) FLookupEntry.pop_back();
            ShowValue(FLookupEntry);
        } else {
            // The selection goes, with the character before it.
            std::u16string t = Utf8ToUtf16(Text());
            const int from = std::max(0, SelStart() - 1);
            t.erase(size_t(from), size_t(std::min<int>(SelLength() + (SelStart() > 0 ? 1 : 0), int(t.size()) - from)));
            ShowValue(Utf16ToUtf8(t));
        }
        SetSelStart(GetTextLen());
        SetSelLength(0);
        return -1;
    }
    const String key = Utf16ToUtf8(std::u16string(1, char16_t(Key)));
    if (Key != VK_TAB) FLookupEntry += key;
    const String S = Trim(FLookupEntry);
    const int typed = int(Utf8ToUtf16(FLookupEntry).size());
    TExtColGrid* g = FExtColGrid;
    if (FLookupMethod == lmNarrowDown) {
        if (!g) return -1;
        if (!S.empty()) {
            g->FixedRowAlways = true;
            g->NarrowDown(S, FLookupColumn);
            if (FStyle == dsDropDown && g->RowCount() > g->FixedRows()) {
                ShowValue(g->Cells(FLookupColumn, g->FixedRows()));
                SetSelStart(typed);
                SetSelLength(std::max(0, GetTextLen() - typed));
            }
        } else {
            g->RemoveAllFilters();
        }
        return g->FixedRows();
    }
    String found;
    int index = -1;
    const auto take = [&](int selFrom) {
        FItemIndex = FUseItems ? index : (g ? index - g->FixedRows() : index);
        ShowValue(found);
        if (FStyle == dsDropDown) {
            SetSelStart(selFrom);
            SetSelLength(std::max(0, GetTextLen() - selFrom));
        }
        return FUseItems ? RowOfItem(index) : index;
    };
    if (FindLookupText(S, found, index)) return take(typed);
    if (FStyle == dsDropDown) return -1;
    if (FindLookupText(key, found, index)) {
        FLookupEntry = key;
        return take(1);
    }
    FLookupEntry.clear();
    return -1;
}

TWinControl* TCustomExtGridDropDown::KeyTarget() const
{
    TWinControl* ed = FExtColGrid->InplaceEditor();
    if (ed && ed->Visible()) return ed;
    return FExtColGrid;
}

void TCustomExtGridDropDown::HandleControlKeyPress(WideChar& Key)
{
    const bool alt = KeyboardStateToShiftState().Contains(ssAlt);
    if (((Key == VK_RETURN || Key == VK_ESCAPE) && !alt) || FGridEditable) {
        FLookupEntry.clear();
    } else {
        const int r = TypedKeyLookup(Key);
        TExtColGrid* g = FExtColGrid;
        if (g && r >= g->FixedRows() && r < g->RowCount()) {
            if (g->VisibleRowCount() < g->RowCount() - g->FixedRows() &&
                (r < g->TopRow() || r >= g->TopRow() + g->VisibleRowCount()))
                g->SetTopRow(r);
            MoveToRow(r);
            g->SetCol(0);
            g->Invalidate();
        } else {
            FLookupEntry.clear();
        }
    }
    if (OnGridKeyPress) OnGridKeyPress(this, Key);
}

void TCustomExtGridDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift)
{
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
    if (!nav || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleControlKeyDown(Key, Shift);
    if (OnGridKeyDown) OnGridKeyDown(this, Key, Shift);
}

void TCustomExtGridDropDown::HandleControlKeyUp(WORD& Key, TShiftState Shift)
{
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
    if (!nav || Shift.Contains(ssAlt)) TExtCustomDropDown::HandleControlKeyUp(Key, Shift);
    else FLookupEntry.clear();
    if (OnGridKeyUp) OnGridKeyUp(this, Key, Shift);
}

void TCustomExtGridDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    // The edit keeps the focus: the list's keys are handed to the grid (or its editor).
    TExtColGrid* g = FExtColGrid;
    if (!g || Shift.Contains(ssAlt)) {
        TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
        return;
    }
    const bool editing = g->InplaceEditor() && g->InplaceEditor()->Visible();
    if (editing && Key == VK_RETURN && !Shift.Contains(ssShift)) {
        // Ending the cell's edit takes the row's lookup text; the list stays open.
        g->HideInplaceEdit();
        FSelRow = g->Row();
        // The row's item takes the edited cells, or the next opening would lose them.
        const int item = FUseItems ? ItemOfRow(g->Row()) : -1;
        if (item >= 0 && item < FItems.Count()) {
            TStringList* lines = FItems.Items(item)->Text();
            for (int c = 0; c < g->ColCount(); ++c) {
                while (lines->Count() <= c) lines->Add("");
                lines->SetStrings(c, g->Cells(c, g->Row()));
            }
            BuildLookupList();
        }
        ShowValue(g->Cells(FLookupColumn, g->Row()));
        SetItemIndex(FUseItems ? ItemOfRow(g->Row()) : g->Row() - g->FixedRows());
        Key = 0;
        return;
    }
    if (editing && Key != VK_ESCAPE && Key != VK_F4) {
        KeyTarget()->Perform(WM_KEYDOWN, Key, 0);
        Key = 0;
        return;
    }
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN ||
                     ((Key == VK_END || Key == VK_HOME) && FStyle == dsDropDownList) ||
                     (FGridEditable && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_F2));
    if (nav || Key == VK_RETURN) {
        FLookupEntry.clear();
        g->FConfirmSelection = true;
        g->Perform(WM_KEYDOWN, Key, 0);
        Key = 0;
        return;
    }
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
}

void TCustomExtGridDropDown::HandleDropDownKeyUp(WORD& Key, TShiftState Shift)
{
    if (FExtColGrid && FExtColGrid->InplaceEditor() && FExtColGrid->InplaceEditor()->Visible()) {
        KeyTarget()->Perform(WM_KEYUP, Key, 0);
        Key = 0;
        return;
    }
    TExtCustomDropDown::HandleDropDownKeyUp(Key, Shift);
}

void TCustomExtGridDropDown::HandleDropDownKeyPress(WideChar& Key)
{
    if (FExtColGrid && FGridEditable && Key != VK_ESCAPE && Key != VK_RETURN) {
        // Typing edits the grid's cell.
        FLookupEntry.clear();
        KeyTarget()->Perform(WM_CHAR, WPARAM(Key), 0);
        return;
    }
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        FLookupEntry.clear();
        return;
    }
    HandleControlKeyPress(Key);
}

void TCustomExtGridDropDown::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_KEYDOWN && msg.WParam == VK_RETURN && FExtColGrid) FExtColGrid->FConfirmSelection = true;
    if ((msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) && !DroppedDown() && !FInKey) {
        const WORD key = WORD(msg.WParam);
        TShiftState shift = KeyboardStateToShiftState();
        if (msg.LParam & KF_ALTDOWN_LPARAM) shift << ssAlt;
        if (key == VK_RETURN && ReturnIsTab() && FLookupColumn >= 0 && FItems.Count() > 0) {
            const int i = LookupPosition(Text());
            if (i >= 0) SetItemIndex(i);
        }
        FInKey = true;
        TExtCustomDropDown::WndProc(msg);
        FInKey = false;
        if (!Enabled() || shift.Contains(ssAlt) || DroppedDown() || FDestroying) return;
        switch (key) {
        case VK_PRIOR: PreviousPage(); FLookupEntry.clear(); break;
        case VK_NEXT: NextPage(); FLookupEntry.clear(); break;
        case VK_END:
            if (!shift.Contains(ssShift) && FStyle == dsDropDownList) SelectLast();
            FLookupEntry.clear();
            break;
        case VK_HOME:
            if (!shift.Contains(ssShift) && FStyle == dsDropDownList) SelectFirst();
            FLookupEntry.clear();
            break;
        case VK_UP: SelectPrevious(); FLookupEntry.clear(); break;
        case VK_DOWN: SelectNext(); FLookupEntry.clear(); break;
        default: break;
        }
        return;
    }
    if (msg.Msg == WM_CHAR && !DroppedDown()) {
        const WideChar ch = WideChar(msg.WParam);
        TExtCustomDropDown::WndProc(msg);
        // Typed into the closed edit, a character narrows the grid already; a lookup by
        // prefix is the completion's work there.
        if (ch >= 32 && FLookupMethod == lmNarrowDown && FExtColGrid) TypedKeyLookup(ch);
        if (ch >= 32 && FAutoShowDropDown) OpenDropDown();
        return;
    }
    TExtCustomDropDown::WndProc(msg);
}
