// The multi-column picker: the list grid and its drawing, the settings the grid takes
// when the list opens, the sizes of the list, the completion and lookup of typed text,
// and the keys of the edit and the open list.
#include "gridext/pickers/MultiColumnDropDown.h"

#include <algorithm>
#include <cmath>

#include "gridext/dropdown/DropDownLooks.h"
#include "gridext/pickers/PickerCompletion.h"
#include "platform/rtl/Unicode.h"

namespace MultiColumnPicker {

int TDropDownItems::IndexInColumn(int Column, const String& Value) const
{
    for (int i = 0; i < Count(); ++i) {
        String s;
        if (Items(i)->Line(Column, s) && s == Value) return i;
    }
    return -1;
}

// ---------------------------------------------------------------- list grid

TExtColGrid::TExtColGrid(TComponent* AOwner) : TStringGrid(AOwner)
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetOptions(TGridOptions{goHorzLine, goRowSelect, goThumbTracking});
    SetDefaultDrawing(false);
    // The grid draws its own lines (FGridLineWidth) inside the cells.
    SetGridLineWidth(0);
    FOldRow = Row();
}

void TExtColGrid::SetListLineWidth(int v)
{
    FGridLineWidth = v;
    SetGridLineWidth(0);
    Invalidate();
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
    TStringGrid::WndProc(msg);
}

void TExtColGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    if (FExtDropDown) FExtDropDown->DrawListCell(this, ACol, ARow, ARect);
    else TStringGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TExtColGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
        if (FExtDropDown) FExtDropDown->Perform(WM_KEYDOWN, Key, KF_ALTDOWN_LPARAM);
        Key = 0;
        return;
    }
    const WORD k = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (k == VK_RETURN) FireSelect();
}

void TExtColGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FConfirmSelection = true;
    FOldRow = Row();
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TExtColGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    int c = 0, r = 0;
    MouseToCell(X, Y, c, r);
    if (r >= FixedRows() && r < RowCount()) FireSelect();
}

bool TExtColGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    // A wheel turn moves the row without taking it.
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    const bool done = TStringGrid::DoMouseWheel(Shift, WheelDelta, MousePos);
    FMouseWheelSelection = false;
    FConfirmSelection = false;
    return done;
}

}  // namespace MultiColumnPicker

using namespace MultiColumnPicker;

// ---------------------------------------------------------------- picker

TExtMultiColumnDropDown::TExtMultiColumnDropDown(TComponent* AOwner) : TLookupDropDown(AOwner), FItems(this), FColumns(this)
{
    FHeaderFont.SetColor(0x723708);
    FHeaderColor = clWhite;
    FHeaderColorTo = clGray;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
}

TExtMultiColumnDropDown::~TExtMultiColumnDropDown()
{
    if (FExtColGrid) {
        FExtColGrid->OnSelect = nullptr;
        FExtColGrid->OnSelectCell = nullptr;
        FExtColGrid->SetExtDropDown(nullptr);
    }
}

void TExtMultiColumnDropDown::SetText(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    TExtCustomDropDown::SetText(Value);
    FSettingText = was;
}

void TExtMultiColumnDropDown::ShowValue(const String& Value)
{
    const bool was = FSettingText;
    FSettingText = true;
    // While the list is open the value is not yet chosen: Esc must bring the old one back.
    if (DroppedDown()) SetPlainText(Value);
    else TExtCustomDropDown::SetText(Value);
    FSettingText = was;
}

void TExtMultiColumnDropDown::SetItemIndex(int Value)
{
    if (Value >= FItems.Count()) return;
    FItemIndex = Value;
    String s;
    if (Value >= 0 && FLookupColumn >= 0 && FItems.Items(Value)->Line(FLookupColumn, s)) ShowValue(s);
    else ShowValue("");
}

int TExtMultiColumnDropDown::GetItemIndex(const String& Value) const { return FItems.IndexInColumn(FLookupColumn, Value); }

void TExtMultiColumnDropDown::SelectFirst()
{
    if (FItems.Count() > 0) SetItemIndex(0);
}

void TExtMultiColumnDropDown::SelectLast()
{
    if (FItems.Count() > 0) SetItemIndex(FItems.Count() - 1);
}

void TExtMultiColumnDropDown::SelectNext()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < FItems.Count()) SetItemIndex(FItemIndex + 1);
}

void TExtMultiColumnDropDown::SelectPrevious()
{
    if (FItems.Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TExtMultiColumnDropDown::NextPage()
{
    if (FItems.Count() == 0) return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + 10, FItems.Count() - 1));
}

void TExtMultiColumnDropDown::PreviousPage()
{
    if (FItems.Count() == 0) return;
    SetItemIndex(FItemIndex - 10 >= 0 ? FItemIndex - 10 : 0);
}

void TExtMultiColumnDropDown::Assign(TObject* Source)
{
    TExtCustomDropDown::Assign(Source);
    auto* s = dynamic_cast<TExtMultiColumnDropDown*>(Source);
    if (!s) return;
    FCaseSensitive = s->FCaseSensitive;
    FDropDownAutoWidth = s->FDropDownAutoWidth;
    FDropDownRowHeight = s->FDropDownRowHeight;
    FLineColor = s->FLineColor;
    FFixedLineColor = s->FFixedLineColor;
    FColumnSizing = s->FColumnSizing;
    FColumnSizeWithDropDown = s->FColumnSizeWithDropDown;
    FColumns.Assign(s->FColumns);
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderHeight = s->FHeaderHeight;
    FHeaderFont.Assign(s->FHeaderFont);
    FLookupColumn = s->FLookupColumn;
    FSelectionTextColor = s->FSelectionTextColor;
    FItems.Assign(s->FItems);
    FItemIndex = s->FItemIndex;
}

// ---------------------------------------------------------------- looks

namespace {
struct TMultiLook {
    TWYXStyle Style;
    TColor Header, HeaderTo, Font, Line, FixedLine;
    TSelectionColorStyle ColorStyle;
    TColor Sel, Text;
};
// clKept leaves a value as it is.
const TMultiLook MultiLooks[] = {
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
    {tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
    {tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
    {tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, 0xEEDDCF, 0xEEDDCF, scCustom, 0x6CD0FF, clBlack},
};
}  // namespace

void TExtMultiColumnDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    TExtCustomDropDown::SetComponentStyle(AStyle);
    for (const TMultiLook& l : MultiLooks) {
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

void TExtMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
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

// ---------------------------------------------------------------- the list

void TExtMultiColumnDropDown::CreateDropDownForm()
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
}

void TExtMultiColumnDropDown::PlaceDropDownControl()
{
    if (FExtColGrid) SetControl(FExtColGrid);
    TExtCustomDropDown::PlaceDropDownControl();
}

void TExtMultiColumnDropDown::GridTakeSettings()
{
    TExtColGrid* g = FExtColGrid;
    g->SetExtDropDown(this);
    g->SetColumns(FColumns);
    g->SetColCount(std::max(1, FColumns.Count()));
    g->SetRowCount(FItems.Count() + 1);
    if (g->RowCount() > 1) {
        g->SetFixedRows(1);
        g->SetRow(1);
        g->SetRowCount(FItems.Count() + 1);
    }
    for (int i = 0; i < FColumns.Count(); ++i) g->SetColWidths(i, FColumns.Items(i)->Width);
    g->SetLineColor(FLineColor);
    g->SetFixedLineColor(FFixedLineColor);
    g->SetHeaderColor(FHeaderColor);
    g->SetHeaderColorTo(FHeaderColorTo);
    g->SetHeaderHeight(FHeaderHeight);
    g->SetHeaderFont(&FHeaderFont);
    g->SetImages(Images());
    // A row height below one pixel would leave the list without rows to show.
    g->SetDefaultRowHeight(std::max(1, FDropDownRowHeight));
    g->SetRowHeights(0, FHeaderHeight);
    TGridOptions o = g->Options();
    if (FColumnSizing) o << goColSizing;
    else o >> goColSizing;
    g->SetOptions(o);
    for (int i = 0; i < FColumns.Count(); ++i)
        if (FColumns.Items(i)->AutoSize) SizeColumnToContent(i);
    for (int i = 0; i < FColumns.Count(); ++i)
        if (FColumns.Items(i)->Wordwrap) {
            ApplyWordWrapHeights();
            break;
        }
}

void TExtMultiColumnDropDown::SizeColumnToContent(int Column)
{
    TExtColGrid* g = FExtColGrid;
    if (!g || g->Parent() != DropDownForm()) return;
    TDropDownColumn* col = FColumns.Items(Column);
    TBitmap probe(1, 1);
    TCanvas* c = probe.Canvas();
    c->Font()->Assign(*col->Font());
    int widest = 0;
    for (int i = 0; i < FItems.Count(); ++i) {
        String s;
        int w = 0;
        const bool has = FItems.Items(i)->Line(Column, s);
        if (has && col->ColumnType == ctImage && Images() && FItems.Items(i)->ImageIndex >= 0) w += Images()->Width() + 4;
        if (has && !s.empty()) w += c->TextWidth(s) + 6;
        widest = std::max(widest, w);
    }
    g->SetColWidths(Column, widest);
    g->Columns()->Items(Column)->Width = widest;
}

void TExtMultiColumnDropDown::ApplyWordWrapHeights()
{
    TExtColGrid* g = FExtColGrid;
    if (!g || g->Parent() != DropDownForm()) return;
    TBitmap probe(1, 1);
    TCanvas* c = probe.Canvas();
    for (int r = 1; r < g->RowCount() && r - 1 < FItems.Count(); ++r) {
        int h = 24;
        for (int i = 0; i < FColumns.Count() && i < g->ColCount(); ++i) {
            TDropDownColumn* col = FColumns.Items(i);
            if (!col->Wordwrap) continue;
            String s;
            const bool has = FItems.Items(r - 1)->Line(i, s);
            if (has && col->ColumnType == ctImage && Images() && FItems.Items(r - 1)->ImageIndex >= 0)
                h = std::max(h, Images()->Height() + 6);
            if (has && !s.empty()) {
                c->Font()->Assign(*col->Font());
                TRect m(0, 0, g->ColWidths(i), 500);
                c->DrawText(s, m, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
                h = std::max(h, m.Height() + 6);
            }
        }
        g->SetRowHeights(r, h);
    }
}

void TExtMultiColumnDropDown::BeforeDropDown()
{
    TExtCustomDropDown::BeforeDropDown();
    if (!FExtColGrid) CreateDropDownForm();
    if (!FExtColGrid) return;
    DropDownForm()->FCancelOnDeActivate = false;
    FShowing = true;
    GridTakeSettings();
    FExtColGrid->SetColor(DropDownColor());
    FExtColGrid->OnSelectCell = [this](TObject*, int, int R, bool&) {
        if (FExtColGrid->MouseWheelSelection() || FShowing || FLookupMoving) return;
        SetItemIndex(R - 1);
    };
    FExtColGrid->OnSelect = [this](TObject*) { GridSelect(); };
    if (FExtColGrid->RowCount() > 1) FExtColGrid->SetRow(std::max(FItemIndex + 1, FExtColGrid->FixedRows()));
    FExtColGrid->FConfirmSelection = false;
    FOldItemIndex = FItemIndex;
    SetControl(FExtColGrid);
}

void TExtMultiColumnDropDown::GridSelect()
{
    if (FExtColGrid->FConfirmSelection) SetItemIndex(FExtColGrid->Row() - 1);
    CloseDropDown(false);
    if (OnSelect) OnSelect(this);
}

int TExtMultiColumnDropDown::ListWidthNeeded() const
{
    if (!FExtColGrid) return 0;
    TExtColGrid* g = FExtColGrid;
    int w = 0;
    for (int i = 0; i < g->ColCount(); ++i) w += g->ColWidths(i);
    if (g->VisibleRowCount() + g->FixedRows() != g->RowCount()) w += g->ScrollBarSize();
    return w;
}

void TExtMultiColumnDropDown::SizeDropDownForm()
{
    TExtCustomDropDown::SizeDropDownForm();
    if (!FDropDownAutoWidth || !FExtColGrid || !DropDownForm()) return;
    FExtColGrid->SetAlign(alNone);
    FExtColGrid->SetWidth(ListWidthNeeded());
    DropDownForm()->SetWidth(FExtColGrid->Width() + 2 * DropDownBorderWidth());
    FExtColGrid->SetAlign(alClient);
}

void TExtMultiColumnDropDown::AdjustDropDownHeight(int& Height)
{
    // Without a row height there are no whole rows to snap to.
    if (FDropDownRowHeight <= 0 || !DropDownForm()) return;
    int bars = 0;
    if (DropDownHeader()->Visible()) bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) bars += DropDownFooter()->Height();
    const int B = Height - bars - FHeaderHeight - 2;
    Height = bars + FHeaderHeight + std::max(0, B) / FDropDownRowHeight * FDropDownRowHeight + 2;
}

void TExtMultiColumnDropDown::ScaleColumnsToWindow()
{
    if (!FColumnSizeWithDropDown || !FExtColGrid || !DropDownForm()) return;
    TExtColGrid* g = FExtColGrid;
    g->SetScrollBars(ssVertical);
    if (FColumns.Count() == 0) return;
    int T = 1;
    for (int i = 0; i < FColumns.Count(); ++i) T += FColumns.Items(i)->Width;
    int A = DropDownForm()->Width();
    if (g->VisibleRowCount() < g->RowCount() - g->FixedRows()) A -= g->ScrollBarSize();
    const double f = double(A) / double(T);
    double r = 0.0;
    for (int i = 0; i < FColumns.Count() && i < g->ColCount(); ++i) {
        const double exact = f * FColumns.Items(i)->Width;
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

void TExtMultiColumnDropDown::OpenDropDown()
{
    TExtCustomDropDown::OpenDropDown();
    if (FExtColGrid && DroppedDown()) {
        ScaleColumnsToWindow();
        TExtColGrid* g = FExtColGrid;
        if (g->RowCount() > 1) {
            const int row = FItemIndex >= 0 ? FItemIndex + 1 : 1;
            g->SetRow(row);
            if (g->CellRect(0, row).Width() == 0) g->SetTopRow(std::max(1, row - g->VisibleRowCount() + 1));
        }
    }
    FShowing = false;
}

void TExtMultiColumnDropDown::CloseDropDown(bool CancelChanges)
{
    if (!DropDownForm() || !DropDownForm()->Visible()) return;
    TExtCustomDropDown::CloseDropDown(CancelChanges);
    if (CancelChanges) {
        // The base put the old text back; an index of none leaves that text standing.
        if (FOldItemIndex >= 0) SetItemIndex(FOldItemIndex);
        else FItemIndex = -1;
    } else {
        if (FExtColGrid && FExtColGrid->FConfirmSelection) SetItemIndex(FExtColGrid->Row() - 1);
        // The choice is the value now: a later cancel comes back to it.
        ShowValue(GetText());
    }
    FOldItemIndex = FItemIndex;
    if (FExtColGrid) FExtColGrid->FConfirmSelection = false;
}

void TExtMultiColumnDropDown::DropDownResizing()
{
    TExtCustomDropDown::DropDownResizing();
    ScaleColumnsToWindow();
}

void TExtMultiColumnDropDown::HandleWheelDown()
{
    TExtCustomDropDown::HandleWheelDown();
    SelectNext();
}

void TExtMultiColumnDropDown::HandleWheelUp()
{
    TExtCustomDropDown::HandleWheelUp();
    SelectPrevious();
}

// ---------------------------------------------------------------- drawing a list cell

void TExtMultiColumnDropDown::DrawListCell(TExtColGrid* g, int C, int R, TRect Rect)
{
    TCanvas* cv = g->Canvas();
    if (OnDropDownDrawItem) {
        OnDropDownDrawItem(this, C, R, cv, Rect);
        return;
    }
    const int n = g->ColCount();
    const int face = n == 1 ? 0 : (C == 0 ? 1 : (C == n - 1 ? 2 : 3));
    TColor back = g->Color();
    TAlignment align = taLeftJustify;
    bool wrap = false, ellipsis = false;
    int image = -1;
    String text = g->Cells(C, R);
    TDropDownColumns* cols = g->Columns();
    const bool header = R < g->FixedRows() && g->RowCount() > 1;
    if (C < cols->Count()) {
        TDropDownColumn* col = cols->Items(C);
        back = col->Color;
        align = col->Alignment;
        wrap = col->Wordwrap;
        ellipsis = col->Ellipsis;
        cv->Font()->Assign(*col->Font());
        if (!header && R >= 1 && R - 1 < FItems.Count()) {
            TDropDownItem* it = FItems.Items(R - 1);
            if (col->ColumnType == ctImage) image = it->ImageIndex;
            String s;
            if (it->Line(C, s)) text = s;
        }
    } else {
        cv->Font()->Assign(*g->HeaderFont());
    }
    if (OnDropDownGetItemText) OnDropDownGetItemText(this, C, R, text);
    const bool selected = !header && R == g->Row();
    cv->Brush()->SetStyle(bsSolid);
    if (header) {
        text = C < cols->Count() ? cols->Items(C)->Header : String();
        image = -1;
        if (g->HeaderColor() == clNone || g->HeaderColorTo() == clNone) {
            cv->Brush()->SetColor(g->HeaderColor());
            cv->FillRect(Rect);
        } else {
            DrawBackground(cv, g->HeaderColor(), g->HeaderColorTo(), 80, Rect, GradientVertical);
        }
    } else if (selected) {
        DrawSelectionBackground(cv, Rect, back, face);
    } else {
        cv->Brush()->SetColor(back);
        cv->Pen()->SetColor(back);
        cv->Pen()->SetWidth(1);
        cv->Rectangle(Rect);
    }
    // The grid's own lines, inside the cell.
    const int lw = header ? 1 : g->ListLineWidth();
    if (lw > 0) {
        const int c = header ? 1 : (lw + 1) / 2;
        cv->Pen()->SetColor(header ? g->FixedLineColor() : g->LineColor());
        cv->Pen()->SetWidth(lw);
        const TGridOptions o = g->Options();
        if (header ? o.Contains(goFixedHorzLine) || o.Contains(goHorzLine) : o.Contains(goHorzLine)) {
            cv->MoveTo(Rect.Left - c + 1, Rect.Bottom - c);
            cv->LineTo(Rect.Right - c + 1, Rect.Bottom - c);
        }
        if (header ? o.Contains(goFixedVertLine) : o.Contains(goVertLine)) {
            cv->MoveTo(Rect.Right - c, Rect.Bottom - c);
            cv->LineTo(Rect.Right - c, Rect.Top - c);
        }
        cv->Pen()->SetWidth(1);
    }
    TRect t = Rect;
    InflateRect(t, -g->ListLineWidth(), -g->ListLineWidth());
    if (image >= 0 && Images()) {
        const int ih = Images()->Height();
        Images()->Draw(cv, t.Left + 2, ih < t.Height() ? t.Top + (t.Height() - ih) / 2 : t.Top, image, true);
        t.Left += Images()->Width() + 4;
    } else {
        t.Left += 2;
    }
    if (text.empty()) return;
    unsigned flags = wrap ? DT_WORDBREAK : DT_SINGLELINE;
    flags |= align == taRightJustify ? DT_RIGHT : (align == taCenter ? DT_CENTER : DT_LEFT);
    if (ellipsis) flags |= DT_END_ELLIPSIS;
    flags |= DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
    if (selected) cv->Font()->SetColor(FSelectionTextColor);
    if (header) cv->Font()->Assign(*g->HeaderFont());
    cv->Brush()->SetStyle(bsClear);
    cv->DrawText(text, t, flags);
    cv->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------- lookup and completion

bool TExtMultiColumnDropDown::FindLookupText(const String& S, String& Found, int& Index) const
{
    Found.clear();
    Index = -1;
    if (!FExtColGrid) return false;
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

int TExtMultiColumnDropDown::TypedKeyLookup(WideChar Key)
{
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
    String found;
    int index = -1;
    const auto show = [&](int typed) {
        FItemIndex = index;
        ShowValue(found);
        SetSelStart(typed);
        SetSelLength(std::max(0, GetTextLen() - typed));
    };
    if (FindLookupText(FLookupEntry, found, index)) {
        show(int(Utf8ToUtf16(FLookupEntry).size()));
        return index;
    }
    if (FindLookupText(key, found, index)) {
        FLookupEntry = key;
        show(1);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

void TExtMultiColumnDropDown::HandleControlKeyPress(WideChar& Key)
{
    const bool alt = KeyboardStateToShiftState().Contains(ssAlt);
    if ((Key == VK_RETURN || Key == VK_ESCAPE) && !alt) {
        FLookupEntry.clear();
        return;
    }
    const int r = TypedKeyLookup(Key);
    Key = 0;
    if (r == -1) {
        FLookupEntry.clear();
        return;
    }
    if (!FExtColGrid) return;
    TExtColGrid* g = FExtColGrid;
    const int row = r + g->FixedRows();
    if (row < g->TopRow() || row >= g->TopRow() + g->VisibleRowCount()) g->SetTopRow(row);
    FLookupMoving = true;
    g->SetRow(row);
    g->SetCol(0);
    FLookupMoving = false;
    g->Invalidate();
}

void TExtMultiColumnDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift)
{
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (nav && !Shift.Contains(ssAlt)) return;
    TExtCustomDropDown::HandleControlKeyDown(Key, Shift);
}

void TExtMultiColumnDropDown::HandleControlKeyUp(WORD& Key, TShiftState Shift)
{
    const bool nav = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (nav && !Shift.Contains(ssAlt)) return;
    TExtCustomDropDown::HandleControlKeyUp(Key, Shift);
}

void TExtMultiColumnDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    // The edit keeps the focus: the list's keys are handed to the list grid.
    if (FExtColGrid && !Shift.Contains(ssAlt)) {
        if (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT) {
            FLookupEntry.clear();
            FExtColGrid->FConfirmSelection = true;
            FExtColGrid->Perform(WM_KEYDOWN, Key, 0);
            Key = 0;
            return;
        }
        if (Key == VK_RETURN) {
            FLookupEntry.clear();
            FExtColGrid->FConfirmSelection = true;
            FExtColGrid->FireSelect();
            Key = 0;
            return;
        }
    }
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
}

void TExtMultiColumnDropDown::HandleDropDownKeyPress(WideChar& Key)
{
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        FLookupEntry.clear();
        return;
    }
    HandleControlKeyPress(Key);
}

void TExtMultiColumnDropDown::WndProc(TMessage& msg)
{
    if ((msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) && !DroppedDown() && !FInKey) {
        const WORD key = WORD(msg.WParam);
        TShiftState shift = KeyboardStateToShiftState();
        if (msg.LParam & KF_ALTDOWN_LPARAM) shift << ssAlt;
        // Enter turned into Tab by the base still takes the item of its text first.
        if (key == VK_RETURN && ReturnIsTab() && FLookupColumn >= 0 && FItems.Count() > 0) {
            const int i = LookupPosition(Text());
            if (i >= 0) SetItemIndex(i);
        }
        FInKey = true;
        TExtCustomDropDown::WndProc(msg);
        FInKey = false;
        if (!Enabled() || shift.Contains(ssAlt) || DroppedDown() || FDestroying) return;
        switch (key) {
        case VK_PRIOR: PreviousPage(); break;
        case VK_NEXT: NextPage(); break;
        case VK_END:
            if (!EditorEnabled()) SelectLast();
            break;
        case VK_HOME:
            if (!EditorEnabled()) SelectFirst();
            break;
        case VK_UP: SelectPrevious(); break;
        case VK_DOWN: SelectNext(); break;
        default: break;
        }
        return;
    }
    TExtCustomDropDown::WndProc(msg);
}
