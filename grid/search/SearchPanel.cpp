// The search footer's panel: its controls, their glyphs, layout and painting.
#include "grid/search/SearchPanel.h"

#include <mutex>

#include "grid/util/GridDrawUtils.h"

namespace {
// The footer's glyphs, drawn once: arrows down (next) and up (previous), a cross
// (close) and a marker pen (highlight), each with a grey variant for disabled.
void EnsureSearchGlyphs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        auto arrow = [](const char* name, bool down, TColor c) {
            TBitmap b(12, 12);
            TCanvas* cv = b.Canvas();
            cv->Brush()->SetColor(clFuchsia);
            cv->FillRect(TRect(0, 0, 12, 12));
            cv->Pen()->SetColor(c);
            for (int i = 0; i < 5; ++i) {
                const int y = down ? 4 + i : 8 - i;
                cv->MoveTo(1 + i, y);
                cv->LineTo(11 - i, y);
            }
            cv->MoveTo(5, down ? 1 : 7);
            cv->LineTo(5, down ? 4 : 11);
            cv->MoveTo(6, down ? 1 : 7);
            cv->LineTo(6, down ? 4 : 11);
            RegisterResourceGlyph(name, &b);
        };
        arrow("ASGARDOWN", true, 0x008000);
        arrow("ASGARDOWND", true, clGray);
        arrow("ASGARUP", false, 0x008000);
        arrow("ASGARUPD", false, clGray);
        auto cross = [](const char* name, TColor c) {
            TBitmap b(12, 12);
            TCanvas* cv = b.Canvas();
            cv->Brush()->SetColor(clFuchsia);
            cv->FillRect(TRect(0, 0, 12, 12));
            cv->Pen()->SetColor(c);
            for (int d = 0; d < 2; ++d) {
                cv->MoveTo(2 + d, 2);
                cv->LineTo(10 + d, 10);
                cv->MoveTo(9 + d, 2);
                cv->LineTo(1 + d, 10);
            }
            RegisterResourceGlyph(name, &b);
        };
        cross("ASGCLOSE", 0x404040);
        cross("ASGCLOSEH", 0x0000C0);
        cross("ASGCLOSED", 0x000080);
        auto pen = [](const char* name, TColor c) {
            TBitmap b(12, 12);
            TCanvas* cv = b.Canvas();
            cv->Brush()->SetColor(clFuchsia);
            cv->FillRect(TRect(0, 0, 12, 12));
            cv->Brush()->SetColor(c);
            cv->FillRect(TRect(1, 8, 11, 11));
            cv->Pen()->SetColor(0x404040);
            for (int i = 0; i < 3; ++i) {
                cv->MoveTo(4 + i, 7);
                cv->LineTo(9 + i, 1);
            }
            RegisterResourceGlyph(name, &b);
        };
        pen("ASGHI", clYellow);
        pen("ASGHID", clSilver);
    });
}

// The caption as drawn: "&" marks the accelerator, "&&" is an ampersand.
String CaptionText(const String& s)
{
    String r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) ++i;
        else if (s[i] == '&') continue;
        r += s[i];
    }
    return r;
}
}

// ---------------------------------------------------------------- TRetEdit

void TRetEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        if (Shift.Contains(ssCtrl)) {
            if (OnCtrlReturn) OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(WideChar& Key)
{
    // The return character of the key handled above: no beep, no line.
    if (Key == 13 || Key == 10) {
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
}

// ---------------------------------------------------------------- TExtGridButton

TExtGridButton::TExtGridButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetTabStop(false);
    SetBounds(0, 0, 90, 23);
    SetCaption("");
}

void TExtGridButton::SetDown(bool v)
{
    if (FDown == v) return;
    FDown = v;
    Invalidate();
}

void TExtGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
}

void TExtGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FPressed = false;
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TExtGridButton::Click()
{
    if (!Enabled()) return;
    if (Style == tasCheck) SetDown(!FDown);
    TCustomControl::Click();
}

void TExtGridButton::MouseEnter()
{
    TCustomControl::MouseEnter();
    FHot = true;
    Invalidate();
}

void TExtGridButton::MouseLeave()
{
    TCustomControl::MouseLeave();
    FHot = false;
    FPressed = false;
    Invalidate();
}

void TExtGridButton::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TExtGridButton::Paint()
{
    EnsureSearchGlyphs();
    TCanvas* cv = Canvas();
    const TRect r = ClientRect();
    const bool sunken = FPressed || FDown;
    TColor face = Parent() ? Parent()->Color() : clBtnFace;
    if (sunken) face = 0xB5E6FF;
    else if (FHot && Enabled()) face = 0xDCF4FF;
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(face);
    cv->FillRect(r);
    if (sunken || (FHot && Enabled()) || !Flat) {
        cv->Brush()->SetColor(sunken ? 0x3C8CFB : clGray);
        cv->FrameRect(r);
    }
    String glyph = Glyph;
    if (!Enabled() && !GlyphDisabled.empty()) glyph = GlyphDisabled;
    else if (sunken && !GlyphDown.empty()) glyph = GlyphDown;
    else if (FHot && !GlyphHot.empty()) glyph = GlyphHot;
    const String text = CaptionText(Caption());
    int x = text.empty() ? (r.Width() - 12) / 2 : 4;
    if (!glyph.empty()) {
        DrawResourceGlyph(cv, face, Bounds(x, (r.Height() - 12) / 2, 12, 12), glyph);
        x += 16;
    }
    if (text.empty()) return;
    cv->Font()->Assign(*Font());
    cv->Font()->SetColor(Enabled() ? clWindowText : clGray);
    cv->Brush()->SetStyle(bsClear);
    TRect tr(x, 0, r.Right - 2, r.Bottom);
    cv->DrawText(text, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------- TSearchPanel

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(0);
    SetShowCaption(false);
    EnsureSearchGlyphs();
    FEdit = new TRetEdit(this);
    FEdit->SetParent(this);
    FEdit->OnChange = [this](TObject*) {
        if (OnEditChange) OnEditChange(this);
    };
    FEdit->OnReturn = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(this);
    };
    auto button = [this](const char* g, const char* gd, TNotifyEvent TSearchPanel::*ev) {
        auto* b = new TExtGridButton(this);
        b->SetParent(this);
        b->Glyph = g;
        b->GlyphDisabled = gd;
        b->OnClick = [this, ev](TObject*) {
            if (this->*ev) (this->*ev)(this);
        };
        return b;
    };
    FForwardButton = button("ASGARDOWN", "ASGARDOWND", &TSearchPanel::OnForwardClick);
    FBackwardButton = button("ASGARUP", "ASGARUPD", &TSearchPanel::OnBackwardClick);
    FHiliteButton = button("ASGHI", "ASGHID", &TSearchPanel::OnHighLightClick);
    FHiliteButton->Style = tasCheck;
    FExitButton = button("ASGCLOSE", "", &TSearchPanel::OnExitClick);
    FExitButton->GlyphHot = "ASGCLOSEH";
    FExitButton->GlyphDown = "ASGCLOSED";
    for (TExtGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton}) b->SetEnabled(false);
    FMatchCase = new TExtCheckBox(this);
    FMatchCase->SetParent(this);
    FMatchCase->SetCaption("");
    LayoutControls(false);
}

void TSearchPanel::SetColorTo(TColor v)
{
    if (FColorTo == v) return;
    FColorTo = v;
    Invalidate();
}

void TSearchPanel::LayoutControls(bool RightToLeft)
{
    const int w = Width();
    auto place = [&](TControl* c, int l, int t, int cw, int ch) {
        c->SetBounds(RightToLeft ? w - cw - l : l, t, cw, ch);
    };
    place(FEdit, 25, 6, 110, FEdit->Height() > 0 ? FEdit->Height() : 21);
    place(FForwardButton, 140, 5, 90, FForwardButton->Visible() ? 23 : 0);
    place(FBackwardButton, 235, 5, 90, FBackwardButton->Visible() ? 23 : 0);
    place(FExitButton, 5, 7, 14, 14);
    place(FHiliteButton, 330, 5, 90, FHiliteButton->Visible() ? 23 : 0);
    place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, 110, FMatchCase->Visible() ? 18 : 0);
}

void TSearchPanel::Paint()
{
    TCanvas* cv = Canvas();
    const TRect r = ClientRect();
    if (FColorTo == clNone) {
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(Color());
        cv->FillRect(r);
    } else {
        DrawGradient(cv, Color(), FColorTo, 32, r, false);
    }
    cv->Pen()->SetColor(LineColor);
    cv->MoveTo(0, 0);
    cv->LineTo(r.Right, 0);
}
