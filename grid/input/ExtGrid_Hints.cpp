// Cell hints: the toolkit asks the grid for the hint of the cell under the mouse; the
// grid offers the cell's comment, its own text or a text too large for the cell, and
// the window's OnGridHint has the last word (the table editors explain each header).
// Balloons: a tool tip with a title and an icon over the grid's cells, asked for its
// text when it is about to show.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"
#include "grid/html/MiniHTML.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"

String HintFontName;

namespace {
// Balloon limits: the longest text (characters) and title.
constexpr size_t kBalloonTextMax = 2048;
constexpr size_t kBalloonTitleMax = 100;
constexpr int kBalloonMaxWidth = 300;

// Text cut to Max characters: the first Max - 3 and "...".
String CutWithEllipsis(const String& s, size_t Max)
{
    const std::u16string w = Utf8ToUtf16(s);
    if (w.size() <= Max) return s;
    return Utf16ToUtf8(w.substr(0, Max - 3)) + "...";
}
}  // namespace

void TExtStringGrid::DoHintShow(THintInfo& Info) { FillHintInfo(Info); }

String TExtStringGrid::GetStrippedCell(int ACol, int ARow) { return StripHTMLToText(GetCellEx(ACol, ARow)); }

void TExtStringGrid::FillHintInfo(THintInfo& Info)
{
    const TPoint cur = Info.CursorPos;
    int c = -1, r = -1;
    MouseToCell(cur.X, cur.Y, c, r);
    if (FControlLook->HintMaxWidth > 0) Info.HintMaxWidth = FControlLook->HintMaxWidth;
    HintFontName = Font()->Name();
    Info.HintColor = HintColor;
    // Over no cell the hint stays the grid's own and the hinted cell is kept.
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return;
    int bc = RealColIndex(c), br = r;
    GetBaseCellOf(RealColIndex(c), r, bc, br);
    c = DisplColIndex(bc);
    r = br;
    FLastHintPos = TPoint(c, r);
    const TRect R = CellRect(c, r);
    // The hint belongs to this cell: moving to another cell asks again.
    Info.CursorRect = R;
    String comment;
    if (IsComment(bc, r, comment)) {
        Info.HintStr = comment;
        Info.HintPos = TPoint(R.Right, R.Top);
    } else {
        Info.HintPos = TPoint(cur.X, R.Bottom + 6);
    }
    const String stored = GetCellEx(bc, r);
    const int kind = GetTextKind(stored, EnableHTML);
    const bool scrollable = c >= FixedCols() && r >= FixedRows() && c < ColCount() - FixedRightCols &&
                            r < RowCount() - FixedFooters;
    // A link's hint: its title, else the link itself.
    if (AnchorHint && EnableHTML && kind == tkHTML) {
        TMiniHTMLParams p;
        if (HTMLCellHitTest(c, r, cur.X, cur.Y, p)) {
            String hint = p.AnchorHint.empty() ? p.AnchorVal : p.AnchorHint;
            if (OnAnchorHint) OnAnchorHint(this, r, bc, hint);
            FLastAnchorHint = hint;
            Info.HintStr = hint;
            Info.HintPos = TPoint(cur.X + 8, cur.Y - 16);
        }
    }
    if (HintShowCells && scrollable) {
        Info.HintPos.Y = R.Top;
        if (kind == tkPackedWide) Info.HintStr = UnpackWideText(stored);
        else if (HTMLHint) Info.HintStr = stored;
        else Info.HintStr = GetStrippedCell(bc, r);
    }
    if (HintShowLargeText) {
        const bool enh = EnhTextSize;
        EnhTextSize = false;
        const TPoint ext = GetCellTextSize(bc, r, false, false);
        EnhTextSize = enh;
        if (ext.X > R.Right - R.Left || ext.Y > R.Bottom - R.Top) {
            if (HintShowLargeTextPos == hpCell) Info.HintPos = TPoint(R.Left, R.Top);
            Info.HintStr = kind == tkHTML && !HTMLHint ? GetStrippedCell(bc, r) : stored;
        }
    }
    const bool footerRow = FFloatingFooter && FFloatingFooter->Visible && r == RowCount() - 1;
    if (!footerRow) {
        std::u16string wide;
        FireGridHint(c, r, Info.HintStr, wide);
    }
    // Markup and wide characters need the grid's own hint window.
    const int hintKind = GetTextKind(Info.HintStr, true);
    if ((hintKind == tkHTML || hintKind == tkPackedWide) && UseInternalHintClass) {
        Info.HintWindowClass = &THTMLHintWindow::Make;
        Info.HintData = static_cast<TObject*>(this);
    }
    Info.HintPos = ClientToScreen(Info.HintPos);
}

void TExtStringGrid::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    HintWindowClass = Value ? &THTMLHintWindow::Make : nullptr;
}

// ---------------------------------------------------------------- balloons

void TBalloonSettings::Assign(const TObject* Source)
{
    const auto* src = dynamic_cast<const TBalloonSettings*>(Source);
    if (!src) return;
    TextColor = src->TextColor;
    BackgroundColor = src->BackgroundColor;
    InitialDelay = src->InitialDelay;
    AutoHideDelay = src->AutoHideDelay;
    ReshowDelay = src->ReshowDelay;
    SetEnable(src->Enable());
}

void TExtStringGrid::BalloonEnableChange(TObject*)
{
    if (FLoading) return;
    if (FBalloon->Enable()) BalloonInit();
    else BalloonDone();
}

void TExtStringGrid::BalloonInit()
{
    if (FBalloon->FInit) return;
    FBalloon->FInit = true;
    CreateBalloonWindow();
    AddBalloonTool(3, "ToolTipText");
    if (!FHToolTip) return;
    FHToolTip->SetDelays(FBalloon->InitialDelay, FBalloon->ReshowDelay, FBalloon->AutoHideDelay);
    if (FBalloon->Transparency > 0) FHToolTip->SetTransparency(FBalloon->Transparency);
}

void TExtStringGrid::BalloonDone()
{
    if (!FBalloon || !FBalloon->FInit) return;
    DestroyBalloonWindow();
    FBalloon->FInit = false;
}

void TExtStringGrid::CreateBalloonWindow()
{
    if (FHToolTip) return;
    FHToolTip = new TBalloonToolTip(this, this);
    FHToolTip->OnGetText = [this](TBalloonToolTip*, TPoint p, String& text) { BalloonTextRequest(p, text); };
}

void TExtStringGrid::DestroyBalloonWindow()
{
    delete FHToolTip;
    FHToolTip = nullptr;
    FLastBalloonPos = TPoint(-1, -1);
}

void TExtStringGrid::AddBalloonTool(int Icon, const String& Title)
{
    if (!FHToolTip) return;
    // The title travels in a buffer of 256 characters.
    const std::u16string w = Utf8ToUtf16(Title);
    const String title = w.size() > 255 ? Utf16ToUtf8(w.substr(0, 255)) : Title;
    FHToolTip->SetTitle(TToolTipIcon(Icon >= 0 && Icon <= 3 ? Icon : 0), title);
}

void TExtStringGrid::BalloonTextRequest(TPoint ScreenPos, String& Text)
{
    Text.clear();
    if (!FBalloon->Enable() || !FHToolTip) return;
    const TPoint p = ScreenToClient(ScreenPos);
    int c = -1, r = -1;
    MouseToCell(p.X, p.Y, c, r);
    const bool overCell = c >= 0 && r >= 0 && c < ColCount() && r < RowCount();
    int rc = -1;
    String text;
    if (overCell) {
        int br = r;
        rc = RealColIndex(c);
        GetBaseCellOf(RealColIndex(c), r, rc, br);
        r = br;
        c = DisplColIndex(rc);
        const String stored = GetCellEx(rc, r);
        const int kind = GetTextKind(stored, EnableHTML);
        if (kind == tkHTML) text = StripHTMLToText(stored);
        else if (kind == tkPackedWide) text = UnpackWideText(stored);
        else text = stored;
        const size_t skip = text.find_first_not_of("\r\n\t");
        text = skip == String::npos ? String() : text.substr(skip);
        std::replace(text.begin(), text.end(), '\t', ' ');
        text = CutWithEllipsis(text, kBalloonTextMax);
    }
    String title = " ";
    int icon = biInfo;
    if (overCell) {
        String t = title, x = text;
        TBalloonIcon bi = biInfo;
        if (IsBalloon(rc, r, t, x, bi)) {
            title = t;
            text = x;
            icon = bi;
        }
    } else {
        c = r = rc = -1;
    }
    // The window has the last word, also for the area outside the cells (-1, -1).
    if (OnCellBalloon) OnCellBalloon(this, rc, r, title, text, icon);
    FLastBalloonPos = TPoint(c, r);
    FToolTipBuffer = CutWithEllipsis(text, kBalloonTextMax);
    Text = FToolTipBuffer;
    title = CutWithEllipsis(title, kBalloonTitleMax);
    FHToolTip->SetMaxTipWidth(kBalloonMaxWidth);
    if (FBalloon->TextColor != clNone) FHToolTip->SetTipTextColor(FBalloon->TextColor);
    if (FBalloon->BackgroundColor != clNone) FHToolTip->SetTipBkColor(FBalloon->BackgroundColor);
    FHToolTip->SetTitle(TToolTipIcon(icon >= 0 && icon <= 3 ? icon : 0), title);
}

void TExtStringGrid::RelayBalloonMessage(const TMessage& Msg)
{
    if (!FBalloon || !FBalloon->Enable() || !FHToolTip || FGridDestroying) return;
    if (Msg.Msg == WM_MOUSEMOVE && FLastBalloonPos.X >= 0 && FLastBalloonPos.Y >= 0) {
        int c = -1, r = -1;
        MouseToCell(GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam), c, r);
        TPoint cell(-1, -1);
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) {
            const TPoint b = BaseCell(RealColIndex(c), r);
            cell = TPoint(DisplColIndex(b.X), b.Y);
        }
        // Another cell: the balloon of the last one goes.
        if (cell != FLastBalloonPos) {
            FHToolTip->Pop();
            FLastBalloonPos = TPoint(-1, -1);
        }
    }
    FHToolTip->RelayEvent(Msg);
}
