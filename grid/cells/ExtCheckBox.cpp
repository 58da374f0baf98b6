// The owner-drawn check box: painting and input.
#include "grid/cells/ExtCheckBox.h"

#include "grid/util/GridTheme.h"

TExtCheckBox::TExtCheckBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    // The control fires its click itself, after toggling.
    FClickEvents = false;
    SetTabStop(true);
    SetBounds(0, 0, 98, 20);
    SetCaption(ClassName());
    FIsWinXP = IsWinXPOrLater();
}

void TExtCheckBox::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Invalidate();
}

void TExtCheckBox::SetButtonVertAlign(TTextLayout v)
{
    FButtonVertAlign = v;
    Invalidate();
}

void TExtCheckBox::SetChecked(bool v)
{
    FState = v ? cbChecked : cbUnchecked;
    Invalidate();
}

void TExtCheckBox::SetEllipsis(bool v)
{
    FEllipsis = v;
    Invalidate();
}

void TExtCheckBox::SetState(TCheckBoxState v)
{
    FState = v;
    // The strip on the box's side.
    const TRect c = ClientRect();
    InvalidateRect(FAlignment == taRightJustify ? TRect(c.Right - 20, 0, c.Right, c.Bottom) : TRect(0, 0, 20, c.Bottom));
}

void TExtCheckBox::SetTransparent(bool v)
{
    FTransparent = v;
    SetParentBackground(v);
    Invalidate();
}

void TExtCheckBox::Toggle()
{
    if (FReadOnly) return;
    SetChecked(!Checked());
}

TRect TExtCheckBox::BoxRect() const
{
    const TRect c = ClientRect();
    if (ThemedDrawingActive()) {
        const int x = FAlignment == taRightJustify ? c.Width() - 15 : 0;
        const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? c.Height() / 2 - 6 : c.Height() - 14;
        return Bounds(x, y, 14, 14);
    }
    const int x = FAlignment == taRightJustify ? c.Width() - 13 : 0;
    const int y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? c.Height() / 2 - 6 : c.Height() - 17;
    return Bounds(x, y, 13, 13);
}

void TExtCheckBox::Paint()
{
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    const TRect client = ClientRect();
    if (!FTransparent) {
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(Color());
        cv->FillRect(client);
    }
    const TRect box = BoxRect();
    bool drawn = false;
    if (ThemedDrawingActive()) {
        int state = FState == cbChecked ? CBS_CHECKEDNORMAL : FState == cbGrayed ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL;
        if (!Enabled()) state += 3;
        else if (FDown) state += 2;
        else if (FHot) state += 1;
        drawn = DrawThemedPart(Handle(), cv, VSCLASS_BUTTON, BP_CHECKBOX, state, box);
    }
    if (!drawn) {
        unsigned flags = DFCS_BUTTONCHECK;
        if (FState == cbChecked) flags |= DFCS_CHECKED;
        if (FState == cbGrayed || !Enabled()) flags |= DFCS_INACTIVE;
        DrawFrameControl(cv, box, DFC_BUTTON, flags);
    }
    // Caption beside the box.
    TRect tr = client;
    if (FAlignment == taRightJustify) {
        tr.Left = 6;
        tr.Right -= 9;
    } else {
        tr.Left += 15;
    }
    tr.Top += 4;
    cv->Brush()->SetStyle(bsClear);
    unsigned flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
    if (FEllipsis) flags |= DT_END_ELLIPSIS;
    const String text = Caption();
    if (!Enabled()) {
        TRect shadow = tr;
        OffsetRect(shadow, 1, 1);
        cv->Font()->SetColor(clWhite);
        cv->DrawText(text, shadow, flags);
        cv->Font()->SetColor(RGB(128, 128, 128));
    }
    cv->DrawText(text, tr, flags);
    if (FFocused) {
        const int w = cv->TextWidth(text), h = cv->TextHeight(text);
        cv->Brush()->SetStyle(bsSolid);
        cv->DrawFocusRect(TRect(tr.Left - 2, tr.Top, tr.Left + w + 1, tr.Top + h + 1));
    }
    cv->Brush()->SetStyle(bsSolid);
}

void TExtCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FMouseDown = true;
    if (CanFocus() && !Focused()) SetFocus();
    SetMouseCapture(true);
    FDown = true;
    InvalidateRect(TRect(0, 0, 16, 16));
    Invalidate();
}

void TExtCheckBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FMouseDown) return;
    const bool inside = PtInRect(ClientRect(), TPoint(X, Y));
    if (inside != FDown) {
        FDown = inside;
        Invalidate();
    }
}

void TExtCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetMouseCapture(false);
    const bool started = FMouseDown;
    FMouseDown = false;
    FDown = false;
    const TRect c = ClientRect();
    const bool inside = X >= c.Left && X <= c.Right && Y >= c.Top && Y <= c.Bottom;
    if (inside && started && Focused()) {
        Toggle();
        if (OnClick) OnClick(this);
    }
    Invalidate();
}

void TExtCheckBox::MouseEnter()
{
    TCustomControl::MouseEnter();
    FHot = true;
    InvalidateRect(TRect(0, 0, 16, 16));
}

void TExtCheckBox::MouseLeave()
{
    TCustomControl::MouseLeave();
    FHot = false;
    InvalidateRect(TRect(0, 0, 16, 16));
}

void TExtCheckBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        Key = 0;
        return;
    }
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TExtCheckBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        FDown = false;
        Toggle();
        if (OnClick) OnClick(this);
        Invalidate();
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TExtCheckBox::KeyPress(WideChar& Key)
{
    // The caption's accelerator toggles when the box can take the focus.
    if (Key != ' ' && IsAccel(Key, Caption()) && CanFocus()) {
        if (TabStop()) SetFocus();
        Toggle();
        if (OnClick) OnClick(this);
        Key = 0;
        return;
    }
    TCustomControl::KeyPress(Key);
}

void TExtCheckBox::DoEnter()
{
    TCustomControl::DoEnter();
    FFocused = true;
    Invalidate();
}

void TExtCheckBox::DoExit()
{
    TCustomControl::DoExit();
    FFocused = false;
    Invalidate();
}

void TExtCheckBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}
