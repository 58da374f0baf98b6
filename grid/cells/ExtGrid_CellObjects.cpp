// Cell objects: adding, querying and removing the one graphic a cell can carry.
// Adding replaces whatever object the cell had; a balloon is the exception: it rides
// on a check box or radio button already in the cell.
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

namespace {
// Colours kept in the object-reference fields of a cell graphic.
TObject* ColorRef(TColor c) { return reinterpret_cast<TObject*>(std::uintptr_t(std::uint32_t(c))); }
}

// ---------------------------------------------------------------- common steps

TCellGraphic* TExtStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol == 0 && FMouseActions && FMouseActions->HotmailRowSelect()) {
        FCellGraphic->CellType = ctRowCheckBox;
        if (ARow == 0) {
            bool all = RowCount() > FixedRows();
            for (int r = FixedRows(); r < RowCount() && all; ++r) all = GetRowSelect(r);
            FCellGraphic->CellBoolean = all;
        } else {
            FCellGraphic->CellBoolean = ARow < RowCount() && GetRowSelect(ARow);
        }
        return FCellGraphic.get();
    }
    TCellProperties* p = CellPropsOf(ACol, ARow);
    return p ? dynamic_cast<TCellGraphic*>(p->FGraphicObject) : nullptr;
}

TCellType TExtStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return ctEmpty;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

TCellGraphic* TExtStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    if (TCellProperties* p = CellPropsOf(ACol, ARow); p && p->FGraphicObject) {
        TObject* old = p->FGraphicObject;
        p->FGraphicObject = nullptr;
        ReleaseGraphicObject(old);
    }
    auto* g = new TCellGraphic();
    try {
        SetGraphicObjectEx(ACol, ARow, g);
    } catch (...) {
        delete g;
        throw;
    }
    if (FNumHidden > 0 && DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

bool TExtStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellProperties* p = CellPropsOf(ACol, ARow);
    if (!p || !p->FGraphicObject) return false;
    TObject* g = p->FGraphicObject;
    p->FGraphicObject = nullptr;
    auto* cg = dynamic_cast<TCellGraphic*>(g);
    if (!(cg && (cg->CellType == ctVirtCheckBox || cg->CellType == ctRowCheckBox))) ReleaseGraphicObject(g);
    if (!FGridDestroying) RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TExtStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType kind)
{
    return GetCellType(ACol, ARow) == kind && RemoveCellGraphic(ACol, ARow);
}

bool TExtStringGrid::CellTypeInSet(int ACol, int ARow, const TCellTypeSet& kinds)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && kinds.Contains(g->CellType);
}

void TExtStringGrid::SetInts(int ACol, int ARow, int Value) { SetCellEx(ACol, ARow, IntToStr(Value)); }

// ---------------------------------------------------------------- pictures and images

void TExtStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TExtStringGrid::CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* bmp = new TBitmap();
    g->SetBitmap(bmp, transparent, hal, val);
    g->CellCreated = true;
    return bmp;
}

TBitmap* TExtStringGrid::GetBitmap(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? dynamic_cast<TBitmap*>(g->CellBitmap) : nullptr;
}

bool TExtStringGrid::HasBitmap(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctBitmap}); }
bool TExtStringGrid::RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TExtStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode,
                                int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, transparent, stretchmode, padding, hal, val);
}

TPicture* TExtStringGrid::CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* pic = new TPicture();
    g->SetPicture(pic, transparent, stretchmode, padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TPicture* TExtStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? dynamic_cast<TPicture*>(g->CellBitmap) : nullptr;
}

bool TExtStringGrid::HasPicture(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctPicture}); }
bool TExtStringGrid::RemovePicture(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TExtStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool transparent,
                                    TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, transparent, stretchmode, padding, hal, val);
}

TFilePicture* TExtStringGrid::CreateFilePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode,
                                                int padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* pic = new TFilePicture();
    g->SetFilePicture(pic, transparent, stretchmode, padding, hal, val);
    g->CellCreated = true;
    return pic;
}

TFilePicture* TExtStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->CellBitmap) : nullptr;
}

bool TExtStringGrid::RemoveFilePicture(int ACol, int ARow)
{
    return RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

void TExtStringGrid::AddIcon(int ACol, int ARow, TBitmap* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TBitmap* TExtStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* icon = new TBitmap();
    g->SetIcon(icon, hal, val);
    g->CellCreated = true;
    return icon;
}

bool TExtStringGrid::RemoveIcon(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

void TExtStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TExtStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    if (!FGridImages) return false;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctImageList) return false;
    idx = g->CellIndex;
    return true;
}

void TExtStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (!FGridImages) return;
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g && g->CellType == ctImageList) g->CellIndex = Idx;
}

bool TExtStringGrid::RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

void TExtStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (GetCellEx(ACol, ARow).empty()) SetInts(ACol, ARow, Aidx);
}

bool TExtStringGrid::RemoveDataImage(int ACol, int ARow)
{
    const bool removed = RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    SetCellEx(ACol, ARow, "");
    return removed;
}

bool TExtStringGrid::HasDataImage(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctDataImage}); }

void TExtStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, int c, int r) {
        RepaintCell(DisplColIndex(c), r);
    });
}

bool TExtStringGrid::RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctImages); }

TIntList* TExtStringGrid::GetCellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImages ? dynamic_cast<TIntList*>(g->CellBitmap) : nullptr;
}

// ---------------------------------------------------------------- progress and value displays

void TExtStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, clNone, BKColor, clNone, "", 0, 100);
    GetCellGraphic(ACol, ARow)->CellBoolean = false;
}

void TExtStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, "", 0, 100);
}

void TExtStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                          TColor BKTextColor, const String& Fmt, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctProgress;
    g->CellBitmap = ColorRef(FGColor);
    g->CellIcon = ColorRef(BKColor);
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellText = Fmt;
    g->CellBoolean = true;
    g->CellIndex = FGTextColor;
    g->CellAngle = BKTextColor;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

bool TExtStringGrid::HasProgress(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctProgress}); }
bool TExtStringGrid::RemoveProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

void TExtStringGrid::AddExtProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctXPProgress;
    g->CellErrFrom = Min;
    g->CellErrLen = Max;
    g->CellBoolean = false;
    g->CellText.clear();
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

bool TExtStringGrid::RemoveExtProgress(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TExtStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctProgressPie;
    g->CellBitmap = ColorRef(Color);
    g->CellAngle = Value;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaTop;
}

void TExtStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctProgressPie) return;
    g->CellAngle = Value;
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TExtStringGrid::RemoveProgressPie(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TExtStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRangeIndicator;
    g->CellIndex = Range;
    g->CellBitmap = ColorRef(NegColor);
    g->CellIcon = ColorRef(PosColor);
    g->CellBoolean = ShowValue;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

bool TExtStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    return RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---------------------------------------------------------------- comments, shapes, ratings

void TExtStringGrid::AddComment(int ACol, int ARow, const String& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor);
}

void TExtStringGrid::AddColorComment(int ACol, int ARow, const String& Comment, TColor Color)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctComment;
    g->CellText = Comment;
    g->CellIndex = Color;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
}

void TExtStringGrid::SetComment(int ACol, int ARow, const String& Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) AddComment(ACol, ARow, Value);
    else if (g->CellType == ctComment) g->CellText = Value;
}

bool TExtStringGrid::IsComment(int ACol, int ARow, String& Comment)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctComment) return false;
    Comment = g->CellText;
    return true;
}

String TExtStringGrid::GetComment(int ACol, int ARow)
{
    String s;
    IsComment(ACol, ARow, s);
    return s;
}

bool TExtStringGrid::RemoveComment(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TExtStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveComment(RealColIndex(c), r);
}

void TExtStringGrid::AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                              TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctShape;
    g->CellAngle = Shape;
    g->CellIndex = FillColor;
    g->CellBitmap = ColorRef(LineColor);
    g->CellHAlign = hal;
    g->CellVAlign = val;
}

bool TExtStringGrid::RemoveShape(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TExtStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g && g->CellType == ctShape) g->CellIndex = FillColor;
}

TColor TExtStringGrid::GetShapeColor(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctShape ? TColor(g->CellIndex) : clNone;
}

void TExtStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRating;
    g->CellAngle = Scale;
    g->CellIndex = FillColor;
    g->CellBitmap = ColorRef(EmptyColor);
    g->CellHAlign = haFull;
}

bool TExtStringGrid::HasRating(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctRating}); }
bool TExtStringGrid::RemoveRating(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRating); }

// ---------------------------------------------------------------- scroll bars in cells

void TExtStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctScrollbar;
    g->CellIndex = 0;
    g->CellAngle = 0;
    g->CellErrFrom = 100;
    g->CellBoolean = AutoRange;
    if (AutoRange) UpdateAutoRangeScrollBar(ACol, ARow);
}

void TExtStringGrid::UpdateAutoRangeScrollBar(int ACol, int ARow)
{
    if (!HasAutoRangeScrollBar(ACol, ARow)) return;
    TScrollProp prop;
    prop.PageSize = ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
    const String text = GetCellEx(ACol, ARow);
    int lines = 1;
    for (char ch : text) lines += ch == '\n';
    prop.Range = lines * Canvas()->TextHeight("Wg");
    SetScrollProp(ACol, ARow, prop);
}

bool TExtStringGrid::HasScrollBar(int ACol, int ARow) { return GetCellType(ACol, ARow) == ctScrollbar; }

bool TExtStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctScrollbar && g->CellBoolean;
}

void TExtStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctScrollbar) return;
    g->CellIndex = Pos;
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TExtStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctScrollbar ? g->CellIndex : -1;
}

void TExtStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctScrollbar) return;
    g->CellAngle = Prop.PageSize;
    g->CellErrFrom = Prop.Range;
}

TExtStringGrid::TScrollProp TExtStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctScrollbar) return TScrollProp{-1, -1};
    return TScrollProp{g->CellAngle, g->CellErrFrom};
}

bool TExtStringGrid::RemoveScrollBar(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

// ---------------------------------------------------------------- markers

void TExtStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->CellType = ctEmpty;
    }
    g->CellErrFrom = ErrPos;
    g->CellErrLen = ErrLen;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExtStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
    } else {
        g->CellErrFrom = 0;
        g->CellErrLen = 0;
    }
}

void TExtStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveMarker(RealColIndex(c), r);
}

void TExtStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom;
        ErrLen = g->CellErrLen;
    }
}

// ---------------------------------------------------------------- buttons

void TExtStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                               TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TExtStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TExtStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const String& Caption, TCellHAlign hal,
                                         TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* glyph = new TBitmap();
    g->SetBitButton(bw, bh, Caption, glyph, hal, val);
    g->CellCreated = true;
    return glyph;
}

void TExtStringGrid::SetButtonText(int ACol, int ARow, const String& Caption)
{
    if (TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow)) {
        g->CellText = Caption;
        RepaintCell(ACol, ARow);
    }
}

String TExtStringGrid::GetButtonText(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g ? g->CellText : String();
}

void TExtStringGrid::PushButton(int ACol, int ARow, bool push)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || g->CellType == ctNode) return;
    g->CellBoolean = push;
    RepaintCell(ACol, ARow);
}

bool TExtStringGrid::HasButton(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctButton, ctBitButton}); }

bool TExtStringGrid::RemoveButton(int ACol, int ARow)
{
    return RemoveCellGraphicOfType(ACol, ARow, ctButton) || RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

bool TExtStringGrid::RemoveBitButton(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

void TExtStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (HasButton(RealColIndex(c), r)) RemoveButton(RealColIndex(c), r);
}

// ---------------------------------------------------------------- rotated text, interfaced cells

void TExtStringGrid::AddRotated(int ACol, int ARow, std::int16_t AAngle, const String& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCellEx(ACol, ARow, s);
}

void TExtStringGrid::SetRotated(int ACol, int ARow, std::int16_t AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
}

bool TExtStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRotated) return false;
    aAngle = g->CellAngle;
    return true;
}

bool TExtStringGrid::RemoveRotated(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

void TExtStringGrid::AddInterfacedCell(int ACol, int ARow, TObject* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TObject* TExtStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctInterface ? g->CellBitmap : nullptr;
}

bool TExtStringGrid::RemoveInterfacedCell(int ACol, int ARow)
{
    return RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}

// ---------------------------------------------------------------- balloons

namespace {
bool CarriesBalloon(const TCellGraphic* g)
{
    return g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctRadioButton;
}
}

void TExtStringGrid::AddBalloon(int ACol, int ARow, const String& Title, const String& Text, TBalloonIcon Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && !CarriesBalloon(g)) return;   // any other object gets no balloon
    auto list = std::make_unique<TStringList>();
    list->Add(Title);
    list->Add(Text);
    if (g) {
        if (g->CellAngle == 1) delete g->CellBitmap;
        g->CellAngle = 1;
        g->CellIndex = int(Icon);
        g->CellBitmap = list.release();
        return;
    }
    g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctBalloon;
    g->CellAngle = 0;
    g->CellIndex = int(Icon);
    g->CellBitmap = list.release();
}

void TExtStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (CarriesBalloon(g) && g->CellAngle == 1) {
        g->CellAngle = 0;
        delete g->CellBitmap;
        g->CellBitmap = nullptr;
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TExtStringGrid::HasBalloon(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctBalloon}); }

bool TExtStringGrid::IsBalloon(int ACol, int ARow, String& Title, String& Text, TBalloonIcon& Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->CellType == ctBalloon || (CarriesBalloon(g) && g->CellAngle == 1))) return false;
    auto* list = dynamic_cast<TStringList*>(g->CellBitmap);
    if (!list || list->Count() < 2) return false;
    Title = list->Strings(0);
    Text = list->Strings(1);
    Icon = TBalloonIcon(g->CellIndex);
    return true;
}

// ---------------------------------------------------------------- expand buttons

void TExtStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    const int height = ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight();
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctExpand;
    g->CellAngle = ExpandedHeight;
    g->CellVar = false;
    g->CellIndex = height;
}

bool TExtStringGrid::RemoveExpand(int ACol, int ARow) { return RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
bool TExtStringGrid::HasExpand(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctExpand}); }

namespace {
bool VarBool(const TCellVariant& v) { return std::holds_alternative<bool>(v) && std::get<bool>(v); }
}

bool TExtStringGrid::ToggleExpand(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g) return false;
    g->CellVar = !VarBool(g->CellVar);
    return VarBool(g->CellVar);
}

bool TExtStringGrid::GetExpandState(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && VarBool(g->CellVar);
}

int TExtStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g) return DefaultRowHeight();
    return Expanded ? g->CellAngle : g->CellIndex;
}

TRect TExtStringGrid::GetExpandButtonRect(int ACol, int ARow)
{
    if (!IsBaseCell(ACol, ARow) || GetCellType(ACol, ARow) != ctExpand) return TRect();
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    return TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

TRect TExtStringGrid::GetCellGraphicRect(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g) return TRect();
    const TRect R = CellRect(ACol, ARow);
    const auto p = std::uint32_t(std::lround(g->CellValue));
    const int x = int(p & 0xFFFF), y = int(p >> 16);
    TRect result;
    result.Left = R.Left + x;
    result.Top = R.Top + y;
    result.Right = result.Left + int(std::uint32_t(g->CellIndex) & 0xFFFF);
    result.Bottom = result.Top + int(std::uint32_t(g->CellIndex) >> 16);
    if (g->CellHAlign == haFull) {
        result.Left = R.Left;
        result.Right = R.Right;
    }
    if (g->CellVAlign == vaFull) {
        result.Top = R.Top;
        result.Bottom = R.Bottom;
    }
    return result;
}

bool TExtStringGrid::IsDataGraphicCell(int ACol, int ARow)
{
    return CellTypeInSet(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}
