#include "grid/util/ExtGridButton.h"

#include <algorithm>
#include <cmath>

#include "grid/util/GridTheme.h"

// ---------------------------------------------------------------- theme support

bool IsThemedComCtl6()
{
    if (!IsWinXPOrLater() || !ThemeLibraryLoaded()) return false;
    const TThemeEntryTable& t = ThemeEntries();
    return t.IsThemeActive() && IsComCtl6();
}

int GetXPColorScheme()
{
    if (!IsWinXPOrLater() || !ThemeLibraryLoaded()) return 0;
    const TThemeEntryTable& t = ThemeEntries();
    if (!t.IsThemeActive()) return 0;
    String file, color, size;
    if (!t.GetCurrentThemeName(file, color, size)) return 0;
    if (color == "NormalColor") return 1;
    if (color == "HomeStead") return 2;
    if (color == "Metallic") return 3;
    return 0;
}

void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R, int Steps,
                        TColor BorderColor)
{
    if (!Canvas) return;
    if (Steps < 1) Steps = 1;
    const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
    const int size = Horizontal ? R.Width() : R.Height();
    const double h = double(size) / Steps;
    const int band = int(std::nearbyint(h)) + 1;
    const int dr = GetRValue(to) - GetRValue(from), dg = GetGValue(to) - GetGValue(from),
              db = GetBValue(to) - GetBValue(from);
    Canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < Steps; ++i) {
        const TColor c = RGB(GetRValue(from) + int(std::nearbyint(double(i) * dr / Steps)),
                             GetGValue(from) + int(std::nearbyint(double(i) * dg / Steps)),
                             GetBValue(from) + int(std::nearbyint(double(i) * db / Steps)));
        const int start = int(std::nearbyint(i * h));
        TRect b = Horizontal ? TRect(R.Left + start, R.Top, R.Left + start + band, R.Bottom)
                             : TRect(R.Left, R.Top + start, R.Right, R.Top + start + band);
        // The overlap of the last band would reach past R.
        b.Right = std::min(b.Right, R.Right);
        b.Bottom = std::min(b.Bottom, R.Bottom);
        if (b.IsEmpty()) continue;
        Canvas->Brush()->SetColor(c);
        Canvas->FillRect(b);
    }
    if (BorderColor != clNone) {
        Canvas->Brush()->SetColor(BorderColor);
        Canvas->FrameRect(R);
    }
}

TButtonContentLayout LayoutButtonContent(const TRect& R, TPoint Glyph, TPoint Caption, TButtonLayout Layout, int Margin,
                                         int Spacing, TPoint Offset, bool RightToLeft)
{
    using enum TButtonLayout;
    if (RightToLeft) {
        if (Layout == blGlyphLeft) Layout = blGlyphRight;
        else if (Layout == blGlyphRight) Layout = blGlyphLeft;
    }
    const TPoint client(R.Width(), R.Height());
    TPoint glyphPos, textPos;
    const bool across = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (across) {
        glyphPos.Y = (client.Y - Glyph.Y + 1) / 2;
        textPos.Y = (client.Y - Caption.Y + 1) / 2;
    } else {
        glyphPos.X = (client.X - Glyph.X + 1) / 2;
        textPos.X = (client.X - Caption.X + 1) / 2;
    }
    const int total = across ? client.X : client.Y;
    const int g = across ? Glyph.X : Glyph.Y;
    const int t = across ? Caption.X : Caption.Y;
    if (g == 0 || t == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (total - (g + t)) / 3;
            Spacing = Margin;
        } else {
            Margin = (total - (g + Spacing + t) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (total - (Margin + g) - t) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        glyphPos.X = Margin;
        textPos.X = glyphPos.X + Glyph.X + Spacing;
        break;
    case blGlyphRight:
        glyphPos.X = client.X - Margin - Glyph.X;
        textPos.X = glyphPos.X - Spacing - Caption.X;
        break;
    case blGlyphTop:
        glyphPos.Y = Margin;
        textPos.Y = glyphPos.Y + Glyph.Y + Spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = client.Y - Margin - Glyph.Y;
        textPos.Y = glyphPos.Y - Spacing - Caption.Y;
        break;
    }
    TButtonContentLayout r;
    r.GlyphPos = TPoint(glyphPos.X + R.Left + Offset.X, glyphPos.Y + R.Top + Offset.Y);
    r.TextBounds = Bounds(textPos.X + R.Left + Offset.X, textPos.Y + R.Top + Offset.Y, Caption.X, Caption.Y);
    r.Margin = Margin;
    r.Spacing = Spacing;
    return r;
}

// ---------------------------------------------------------------- action link

TExtGridButtonActionLink::TExtGridButtonActionLink(TExtGridButton* AClient) : TControlActionLink(AClient) {}

TExtGridButton* TExtGridButtonActionLink::Button() const { return static_cast<TExtGridButton*>(FClient); }

bool TExtGridButtonActionLink::IsCheckedLinked() const
{
    return TControlActionLink::IsCheckedLinked() && Button()->GroupIndex() != 0 && Button()->AllowAllUp() &&
           Button()->Down() == CustomAction()->Checked();
}

bool TExtGridButtonActionLink::IsGroupIndexLinked() const
{
    const auto* a = CustomAction();
    return a && Button()->GroupIndex() == a->GroupIndex();
}

void TExtGridButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked()) Button()->SetDown(Value);
}

void TExtGridButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked()) Button()->SetGroupIndex(Value);
}

// ---------------------------------------------------------------- the button

TExtGridButton::TExtGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FIsComCtl6(IsComCtl6()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 22, 23);
    SetColor(clBtnFace);
    SetParentFont(true);
    // Clicks are the button's own: on release inside, after its state has changed.
    FClickEvents = false;
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TExtGridButton::~TExtGridButton()
{
    if (MouseCapture()) SetMouseCapture(false);
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
}

void TExtGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TExtGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TExtGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Invalidate();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Invalidate();
    }
    if (Value) UpdateExclusive();
}

void TExtGridButton::SetStyle(TExtGridButtonStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TExtGridButton::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TExtGridButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TExtGridButton::SetMargin(int Value)
{
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TExtGridButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TExtGridButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

void TExtGridButton::SetRounded(bool Value)
{
    FRounded = Value;
    Invalidate();
}

void TExtGridButton::SetDropDownButton(bool Value)
{
    FDropDownButton = Value;
    Invalidate();
}

void TExtGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value) BuildShade();
}

void TExtGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value) ThemeAdapt();
}

void TExtGridButton::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TExtGridButton::SetColorChecked(TColor Value)
{
    FColorChecked = Value;
    Invalidate();
}

void TExtGridButton::SetColorCheckedTo(TColor Value)
{
    FColorCheckedTo = Value;
    Invalidate();
}

void TExtGridButton::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Invalidate();
}

void TExtGridButton::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
        FGlyphDisabled->Assign(FGlyph.get());
        TCanvas* c = FGlyphDisabled->Canvas();
        for (int y = 0; y < FGlyphDisabled->Height(); ++y)
            for (int x = 0; x < FGlyphDisabled->Width(); ++x) {
                const TColor p = ColorToRGB(c->Pixels(x, y));
                const int v = ((GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3) / 2 + 96;
                c->SetPixels(x, y, RGB(v, v, v));
            }
    }
    // A silhouette of the glyph before is of no use with this one.
    if (FShaded) BuildShade();
    Invalidate();
}

void TExtGridButton::BuildShade()
{
    if (FGlyph->Empty()) {
        FGlyphShade->SetSize(0, 0);
        return;
    }
    const int w = FGlyph->Width(), h = FGlyph->Height();
    TCanvas* g = FGlyph->Canvas();
    const TColor transparent = g->Pixels(0, h - 1);
    FGlyphShade->SetSize(w, h);
    TCanvas* s = FGlyphShade->Canvas();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->SetPixels(x, y, g->Pixels(x, y) == transparent ? transparent : 0x808080);
}

void TExtGridButton::SetLook(int Value)
{
    struct TLookColors {
        TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo,
            BorderDownColor, BorderHotColor;
    };
    static const TLookColors looks[] = {
        {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
        {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
        {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
        {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
        {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
    };
    if (Value < 0 || Value > 6) return;
    const TLookColors& l = looks[Value];
    FFlat = true;
    FBorderColor = clNone;
    FRounded = Value == 0;
    SetColor(l.Color);
    FColorTo = l.ColorTo;
    FColorHot = l.ColorHot;
    FColorHotTo = l.ColorHotTo;
    FColorDown = l.ColorDown;
    FColorDownTo = l.ColorDownTo;
    FColorChecked = l.ColorChecked;
    FColorCheckedTo = l.ColorCheckedTo;
    FBorderDownColor = l.BorderDownColor;
    FBorderHotColor = l.BorderHotColor;
    FLook = Value;
    Invalidate();
}

void TExtGridButton::ThemeAdapt()
{
    switch (GetXPColorScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TExtGridButton::Loaded()
{
    if (FShaded) BuildShade();
    if (FAutoThemeAdapt) ThemeAdapt();
}

void TExtGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    if (FDropDownMenu == Value) return;
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
}

void TExtGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TExtGridButton::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TExtGridButtonActionLink>(this);
    FActionLink->SetAction(Value);
    if (auto* a = dynamic_cast<TCustomAction*>(Value)) {
        SetCaption(a->Caption());
        SetEnabled(a->Enabled());
        SetHint(a->Hint());
        SetVisible(a->Visible());
        if (FGroupIndex == 0) SetGroupIndex(a->GroupIndex());
    }
}

void TExtGridButton::Click()
{
    if (OnClick) OnClick(this);
    else if (FActionLink) FActionLink->Execute();
}

void TExtGridButton::DblClick()
{
    if (FDown) TGraphicControl::DblClick();
}

// ---- groups

void TExtGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TControl*>(this)), 0};
    TWinControl* p = Parent();
    for (int i = 0; i < p->ControlCount(); ++i) p->Controls(i)->WndProc(m);
}

void TExtGridButton::ButtonPressed(int Group, TExtGridButton* Sender)
{
    if (Group != FGroupIndex || !Sender || Sender == this) return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        if (auto* a = dynamic_cast<TCustomAction*>(Action())) a->SetChecked(false);
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

// ---- the mouse

bool TExtGridButton::Hot() const { return FMouseInControl && Enabled(); }

void TExtGridButton::UpdateTracking()
{
    if (!FFlat || !Enabled()) return;
    // The button under the pointer: the pointer inside this button's area on the screen.
    const TPoint p = Mouse_CursorPos();
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    const bool under = Showing() && Bounds(origin.X, origin.Y, Width(), Height()).Contains(p);
    FMouseInControl = !under;
    if (under) DoMouseEnter();
    else DoMouseLeave();
}

void TExtGridButton::DoMouseEnter()
{
    if (!FMouseInControl && Enabled() && GetCapture() == 0) {
        FMouseInControl = true;
        Repaint();
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TExtGridButton::DoMouseLeave()
{
    if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TExtGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (FDropDownButton && X > ClientWidth() - 12) {
        FState = bsUp;
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint p = ClientToScreen(TPoint(0, Height()));
            FDropDownMenu->SetPopupComponent(this);
            FDropDownMenu->Popup(p.X, p.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
    SetMouseCapture(true);
}

void TExtGridButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TButtonState s = FDown ? bsExclusive : bsUp;
        if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight()) s = FDown ? bsExclusive : bsDown;
        if (FStyle == tasCheck && FDown) s = bsDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TExtGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && MouseCapture()) SetMouseCapture(false);
    if (!FDragging) return;
    FDragging = false;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A check button turns only when the press ends on it: one taken back outside
        // neither clicks nor changes what the button shows.
        if (FStyle == tasCheck && inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (inside && FState != bsExclusive && FState != bsDown) Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (inside) Click();
    if (!Destroying()) UpdateTracking();
}

// ---- messages

void TExtGridButton::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case CM_BUTTONPRESSED:
        // Other kinds of buttons may share the notification: only ours are heard.
        ButtonPressed(int(msg.WParam), dynamic_cast<TExtGridButton*>(reinterpret_cast<TControl*>(msg.LParam)));
        return;
    case CM_MOUSEENTER:
        DoMouseEnter();
        return;
    case CM_MOUSELEAVE:
        DoMouseLeave();
        return;
    case WM_THEMECHANGED:
    case CM_BUTTONTHEMECHANGED:
        if (FAutoThemeAdapt) ThemeAdapt();
        return;
    case CM_ENABLEDCHANGED:
        UpdateTracking();
        Repaint();
        return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case WM_SYSCOLORCHANGE:
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(WideChar(msg.WParam), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
            Click();
            msg.Result = 1;
        }
        return;
    }
    TGraphicControl::WndProc(msg);
}

// ---- painting

void TExtGridButton::Fill(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TColor Pen, bool Plain)
{
    if (To == clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(From);
        Canvas->FillRect(R);
        if (!Plain) {
            Canvas->Brush()->SetColor(Pen != clNone ? Pen : From);
            Canvas->FrameRect(R);
        }
    } else {
        DrawButtonGradient(Canvas, From, To, false, R, 16, Pen);
    }
}

void TExtGridButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    TRect R = ClientRect();
    const bool hot = Hot();
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded) InflateRect(R, -1, -1);
        if (!hot) {
            if (FStyle == tasCheck && FDown) {
                Fill(cv, R, FColorChecked, FColorCheckedTo, FBorderDownColor, false);
            } else {
                TColor pen = FDown ? FBorderDownColor : FBorderColor;
                if (FRounded) pen = clNone;
                Fill(cv, R, Color(), FColorTo, pen, true);
                if (FBorderColor != clNone) {
                    cv->Brush()->SetStyle(bsClear);
                    cv->Pen()->SetColor(FBorderColor);
                    cv->Pen()->SetStyle(psSolid);
                    if (FRounded) {
                        InflateRect(R, 1, 1);
                        cv->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
                    } else {
                        cv->Rectangle(R);
                    }
                }
            }
        } else {
            TColor from = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
            if (FState == bsDown) {
                from = FColorDown;
                to = FColorDownTo;
                pen = FBorderDownColor;
            }
            if (FStyle == tasCheck && FDown && !FDragging) {
                from = FColorChecked;
                to = FColorCheckedTo;
                pen = FBorderDownColor;
            }
            const TColor frame = FState == bsDown ? FBorderDownColor : FBorderHotColor;
            if (FRounded) pen = clNone;
            Fill(cv, R, from, to, pen, false);
            if (FRounded) {
                InflateRect(R, 1, 1);
                cv->Brush()->SetStyle(bsClear);
                cv->Pen()->SetStyle(psSolid);
                cv->Pen()->SetColor(frame);
                cv->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
            }
            if (FDropDownButton) {
                cv->Pen()->SetStyle(psSolid);
                cv->Pen()->SetColor(FRounded ? frame : pen);
                cv->MoveTo(R.Right - 12, R.Top);
                cv->LineTo(R.Right - 12, R.Bottom);
            }
        }
        InflateRect(R, -1, -1);
    } else {
        const bool pushed = FState == bsDown || FState == bsExclusive;
        const int state = pushed ? PBS_PRESSED : FMouseInControl ? PBS_HOT : PBS_NORMAL;
        const bool themed = IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && ThemedDrawingActive() &&
                            DrawThemedPart(Parent() ? Parent()->Handle() : 0, cv, VSCLASS_BUTTON, BP_PUSHBUTTON,
                                           state, R);
        if (!themed) DrawFrameControl(cv, R, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        // The face inside the frame.
        InflateRect(R, -2, -2);
    }

    TPoint offset(0, 0);
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !hot)) {
            TRect r2 = R;
            InflateRect(r2, 1, 1);
            Fill(cv, r2, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor, false);
        }
        if (!FFlat) offset = TPoint(1, 1);
    } else if (FFlat && hot && Enabled() && FShaded) {
        offset = TPoint(-1, -1);
    }

    if (FDropDownButton) {
        const int mid = R.Top + R.Height() / 2;
        const TColor c = cv->Font()->Color();
        cv->Pen()->SetStyle(psSolid);
        cv->Pen()->SetColor(c);
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(c);
        cv->Polygon({TPoint(R.Right - 8, mid - 1), TPoint(R.Right - 4, mid - 1), TPoint(R.Right - 6, mid + 1)});
        R.Right -= 12;
    }
    DrawContent(cv, R, offset, FDown && FGroupIndex != 0 ? bsDown : FState);
}

void TExtGridButton::DrawContent(TCanvas* Canvas, TRect R, TPoint Offset, TButtonState State)
{
    const String caption = Caption();
    const bool rtl = false;   // left-to-right text throughout this program
    const TPoint glyphSize = FGlyph->Empty() ? TPoint(0, 0) : TPoint(FGlyph->Width(), FGlyph->Height());
    TPoint textSize(0, 0);
    if (!caption.empty()) {
        TRect tb(0, 0, R.Width(), 0);
        Canvas->DrawText(caption, tb, DT_CALCRECT | DT_SINGLELINE);
        textSize = TPoint(tb.Width(), tb.Height());
    }
    const TButtonContentLayout l =
        LayoutButtonContent(R, glyphSize, textSize, FLayout, FMargin, FSpacing, Offset, rtl);
    const bool hot = Hot();
    const bool pressed = State == bsDown || State == bsExclusive;
    const TBitmap* glyph = FGlyph.get();
    if (hot && !pressed && !FGlyphHot->Empty()) glyph = FGlyphHot.get();
    if (pressed && !FGlyphDown->Empty()) glyph = FGlyphDown.get();
    if (State == bsDisabled && !FGlyphDisabled->Empty()) glyph = FGlyphDisabled.get();
    const TPoint at = caption.empty() ? TPoint(0, 0) : l.GlyphPos;
    auto drawTransparent = [&](const TBitmap* b, TPoint p) {
        TBitmap t;
        t.Assign(b);
        t.SetTransparent(true);
        Canvas->Draw(p.X, p.Y, &t);
    };
    if (!glyph->Empty()) {
        if (hot && FShaded && Enabled() && State != bsDown && !FGlyphShade->Empty())
            drawTransparent(FGlyphShade.get(), caption.empty() ? at : TPoint(at.X + 2, at.Y + 2));
        drawTransparent(glyph, at);
    }
    if (!FShowCaption || caption.empty()) return;
    TRect tb = l.TextBounds;
    if (!pressed && hot && FShaded && Enabled() && FFlat) OffsetRect(tb, 1, 1);
    Canvas->Brush()->SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (State == bsDisabled) {
        TRect light = tb;
        OffsetRect(light, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        Canvas->DrawText(caption, light, flags);
        Canvas->Font()->SetColor(clBtnShadow);
    }
    Canvas->DrawText(caption, tb, flags);
}
