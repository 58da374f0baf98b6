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

// A footer glyph as a bitmap whose bottom-left colour (fuchsia) is its transparent one.
std::unique_ptr<TBitmap> SearchGlyph(const char* name)
{
    auto b = std::make_unique<TBitmap>(12, 12);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(TRect(0, 0, 12, 12));
    DrawResourceGlyph(b->Canvas(), clFuchsia, TRect(0, 0, 12, 12), name);
    return b;
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
    // The return character of the key handled above: the key-press event still hears it
    // (what it makes of the character changes nothing), but no beep and no line.
    if (Key == 13 || Key == 10) {
        WideChar heard = Key;
        if (OnKeyPress) OnKeyPress(this, heard);
        Key = 0;
        return;
    }
    TEdit::KeyPress(Key);
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
        b->SetBounds(0, 0, 90, 23);
        // The panel's colour, warm tints under the mouse and while pressed or down.
        b->SetParentColor(true);
        b->SetColorHot(0xDCF4FF);
        b->SetColorDown(0xB5E6FF);
        b->SetColorChecked(0xB5E6FF);
        b->SetBorderHotColor(clGray);
        b->SetBorderDownColor(0x3C8CFB);
        if (*gd) b->SetGlyphDisabled(SearchGlyph(gd).get());
        b->SetGlyph(SearchGlyph(g).get());
        b->OnClick = [this, ev](TObject*) {
            if (this->*ev) (this->*ev)(this);
        };
        return b;
    };
    FForwardButton = button("ASGARDOWN", "ASGARDOWND", &TSearchPanel::OnForwardClick);
    FBackwardButton = button("ASGARUP", "ASGARUPD", &TSearchPanel::OnBackwardClick);
    FHiliteButton = button("ASGHI", "ASGHID", &TSearchPanel::OnHighLightClick);
    FHiliteButton->SetStyle(tasCheck);
    FExitButton = button("ASGCLOSE", "", &TSearchPanel::OnExitClick);
    FExitButton->SetGlyphHot(SearchGlyph("ASGCLOSEH").get());
    FExitButton->SetGlyphDown(SearchGlyph("ASGCLOSED").get());
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
