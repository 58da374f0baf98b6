#include "platform/gui/HintWindows.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/qt/Backend.h"

THintWindowClass HintWindowClass = nullptr;

// ---------------------------------------------------------------- THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    if (Widget()) Widget()->SetPopup(true);
    SetVisible(false);
    SetColor(clInfoBk);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    TRect r(0, 0, std::max(1, MaxWidth), 0);
    c->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    SetCaption(AHint);
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    SetVisible(true);
    // A pop-up stays on top by itself; a child comes over its siblings.
    if (Parent()) BringToFront();
    Invalidate();
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetColor(clInfoText);
    c->FrameRect(r);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    c->Font()->SetColor(clInfoText);
    TRect t(3, 1, Width() - 3, Height() - 1);
    c->DrawText(Caption(), t, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

// ---------------------------------------------------------------- the shown hint window

namespace {

THintWindow* gHint = nullptr;
THintWindowClass gHintClass = nullptr;
TTimer* gHideTimer = nullptr;
TRect gCursorRect;   // where the pointer may move without ending the hint

// Forgets the window when its owner frees it (the application at its end).
class THintKeeper : public TComponent {
public:
    THintKeeper() : TComponent(Application) {}
    ~THintKeeper() override
    {
        gHint = nullptr;
        gHintClass = nullptr;
        gHideTimer = nullptr;
    }
};

}  // namespace

bool ShowHintWindow(const THintInfo& Info)
{
    const THintWindowClass cls = Info.HintWindowClass ? Info.HintWindowClass : HintWindowClass;
    if (!cls) return false;
    if (!gHideTimer) {
        auto* keeper = new THintKeeper();
        gHideTimer = new TTimer(keeper);
        gHideTimer->SetEnabled(false);
        gHideTimer->OnTimer = [](TObject*) { HideHintWindow(); };
        // The window of the first class is made below; it lives as long as the keeper.
        gHint = cls(keeper);
        gHintClass = cls;
    } else if (gHintClass != cls || !gHint) {
        TComponent* keeper = gHideTimer->Owner();
        delete gHint;
        gHint = cls(keeper);
        gHintClass = cls;
    }
    if (!gHint) return false;
    const int maxWidth = Info.HintMaxWidth > 0 ? Info.HintMaxWidth : Screen->Width();
    TRect r = gHint->CalcHintRect(maxWidth, Info.HintStr, Info.HintData);
    r = Bounds(Info.HintPos.X, Info.HintPos.Y, r.Width(), r.Height());
    gHint->SetColor(Info.HintColor);
    gHint->SetHintControl(Info.HintControl);
    gCursorRect = Info.CursorRect;
    gHint->ActivateHintData(r, Info.HintStr, Info.HintData);
    gHideTimer->SetEnabled(false);
    gHideTimer->SetInterval(unsigned(Info.HideTimeout > 0 ? Info.HideTimeout : Application->HintHidePause()));
    gHideTimer->SetEnabled(true);
    return true;
}

void HideHintWindow(TControl* Control)
{
    if (!gHint || (Control && gHint->HintControl() != Control)) return;
    gHint->ReleaseHandle();
    gHint->SetHintControl(nullptr);
    if (gHideTimer) gHideTimer->SetEnabled(false);
}

void HintPointerMoved(TControl* Control, TPoint Pos)
{
    if (!gHint || !gHint->Visible() || gHint->HintControl() != Control || gCursorRect.Width() <= 0) return;
    if (!PtInRect(gCursorRect, Pos)) HideHintWindow();
}

THintWindow* ActiveHintWindow() { return gHint && gHint->Visible() ? gHint : nullptr; }

// ---------------------------------------------------------------- TBalloonToolTip

namespace {
constexpr int kStem = 12;      // height of the stem between the pointer and the body
constexpr int kMargin = 8;     // inner margin of the body
constexpr int kIcon = 16;      // size of the icon
}  // namespace

TBalloonToolTip::TBalloonToolTip(TComponent* AOwner, TControl* ATool) : TCustomControl(AOwner), FTool(ATool)
{
    if (Widget()) Widget()->SetPopup(true);
    SetVisible(false);
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject*) { TimerFired(); };
}

TBalloonToolTip::~TBalloonToolTip() = default;

void TBalloonToolTip::SetDelays(int Initial, int Reshow, int AutoPop)
{
    if (Initial != -1) FInitial = Initial;
    if (Reshow != -1) FReshow = Reshow;
    if (AutoPop != -1) FAutoPop = AutoPop;
}

void TBalloonToolTip::SetTransparency(int t)
{
    if (Widget()) Widget()->SetOpacity(255 - std::clamp(t, 0, 255));
}

void TBalloonToolTip::SetTitle(TToolTipIcon AIcon, const String& ATitle)
{
    FIcon = AIcon;
    FTitle = ATitle;
    if (Visible()) Invalidate();
}

void TBalloonToolTip::RelayEvent(const TMessage& Msg)
{
    if (!FTool) return;
    if (Msg.Msg == CM_MOUSELEAVE) {
        Pop();
        FTimer->SetEnabled(false);
        FPopped = false;
        return;
    }
    if (Msg.Msg != WM_MOUSEMOVE || Visible()) return;
    const TPoint p = FTool->ClientToScreen(TPoint(GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)));
    if (p == FLastPos && FTimer->Enabled()) return;
    FLastPos = p;
    // The pointer has to rest for the delay before the balloon asks for its text.
    FTimer->SetEnabled(false);
    FTimer->SetInterval(unsigned(std::max(1, FPopped ? ReshowDelay() : InitialDelay())));
    FTimer->SetEnabled(true);
}

void TBalloonToolTip::TimerFired()
{
    FTimer->SetEnabled(false);
    if (Visible()) {
        Pop();
        return;
    }
    ShowAt(FLastPos);
}

void TBalloonToolTip::ShowAt(TPoint ScreenPos)
{
    FLastPos = ScreenPos;
    String text;
    if (OnGetText) OnGetText(this, ScreenPos, text);
    FText = text;
    if (FText.empty()) return;
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    const int textMax = std::max(40, FMaxWidth - 2 * kMargin);
    TRect tr(0, 0, textMax, 0);
    c->DrawText(FText, tr, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    int w = tr.Width(), h = tr.Height();
    if (FIcon != ttiNone || !FTitle.empty()) {
        c->Font()->SetStyle(TFontStyles{fsBold});
        const int tw = (FIcon != ttiNone ? kIcon + 6 : 0) + c->TextWidth(FTitle);
        w = std::max(w, std::min(tw, textMax));
        h += std::max(kIcon, c->TextHeight("Ag")) + 6;
        c->Font()->SetStyle(TFontStyles());
    }
    const int bw = w + 2 * kMargin, bh = h + 2 * kMargin + kStem;
    // The stem points at the pointer from the body's top left part; the body stays on
    // the screen.
    int left = ScreenPos.X - 16, top = ScreenPos.Y + 4;
    left = std::max(0, std::min(left, Screen->Width() - bw));
    top = std::max(0, std::min(top, Screen->Height() - bh));
    SetBounds(left, top, bw, bh);
    SetVisible(true);
    // A pop-up stays on top by itself; a child comes over its siblings.
    if (Parent()) BringToFront();
    Invalidate();
    FPopped = false;
    if (OnShowTip) OnShowTip(this);
    FTimer->SetInterval(unsigned(std::max(1, AutoPopDelay())));
    FTimer->SetEnabled(true);
}

void TBalloonToolTip::Pop()
{
    FTimer->SetEnabled(false);
    if (!Visible()) return;
    SetVisible(false);
    FPopped = true;
    if (OnPopTip) OnPopTip(this);
}

void TBalloonToolTip::Paint()
{
    TCanvas* c = Canvas();
    const TColor bk = FBkColor != clNone ? FBkColor : clInfoBk;
    const TColor fg = FTextColor != clNone ? FTextColor : clInfoText;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, Width(), Height()));
    c->Brush()->SetColor(bk);
    c->Pen()->SetColor(clGray);
    c->Pen()->SetStyle(psSolid);
    c->RoundRect(0, kStem, Width(), Height(), 12, 12);
    // The stem over the body's top edge.
    const int sx = std::max(8, std::min(16, Width() - 24));
    c->Polygon({TPoint(sx, 0), TPoint(sx, kStem + 1), TPoint(sx + 14, kStem + 1)});
    c->Pen()->SetColor(bk);
    c->MoveTo(sx + 1, kStem);
    c->LineTo(sx + 14, kStem);
    c->Font()->Assign(*Font());
    c->Font()->SetColor(fg);
    c->Brush()->SetStyle(bsClear);
    int y = kStem + kMargin;
    if (FIcon != ttiNone || !FTitle.empty()) {
        int x = kMargin;
        if (FIcon != ttiNone) {
            static const TColor kIconColors[] = {clNone, clBlue, 0x0000C0FF, clRed};
            static const char* const kIconMarks[] = {"", "i", "!", "x"};
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(kIconColors[FIcon]);
            c->Pen()->SetColor(kIconColors[FIcon]);
            c->Ellipse(x, y, x + kIcon, y + kIcon);
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(clWhite);
            c->Font()->SetStyle(TFontStyles{fsBold});
            TRect ir(x, y, x + kIcon, y + kIcon);
            c->DrawText(kIconMarks[FIcon], ir, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            x += kIcon + 6;
        }
        c->Font()->SetColor(fg);
        c->Font()->SetStyle(TFontStyles{fsBold});
        TRect tr(x, y, Width() - kMargin, y + std::max(kIcon, c->TextHeight("Ag")));
        c->DrawText(FTitle, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        c->Font()->SetStyle(TFontStyles());
        y = tr.Bottom + 6;
    }
    TRect tr(kMargin, y, Width() - kMargin, Height() - kMargin);
    c->DrawText(FText, tr, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
}
