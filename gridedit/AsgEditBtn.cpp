#include "gridedit/AsgEditBtn.h"

#include <algorithm>
#include <memory>

#include "grid/util/GridTheme.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace {

// A one-pixel edge over r with the middle filled in the face colour: sunken (shadow at the
// top and left) or raised (highlight there).
void DrawFlatEdge(TCanvas* c, const TRect& r, bool sunken)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(sunken ? clBtnShadow : clBtnHighlight);
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right, r.Top);
    c->Pen()->SetColor(sunken ? clBtnHighlight : clBtnShadow);
    c->MoveTo(r.Right - 1, r.Top + 1);
    c->LineTo(r.Right - 1, r.Bottom - 1);
    c->LineTo(r.Left - 1, r.Bottom - 1);
}

// The height of a font's characters as measured on the screen.
int FontCharHeight(const TFont* f)
{
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(*f);
    return b.Canvas()->TextHeight("Wg");
}
}

// ---------------------------------------------------------------- the push button

TExtSpeedButton::TExtSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TAsgEditButton* TExtSpeedButton::Part() const { return dynamic_cast<TAsgEditButton*>(Owner()); }

void TExtSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    Invalidate();
}

void TExtSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TExtSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TExtSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

void TExtSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    c->Font()->Assign(*Font());
    const bool down = ShowsDown();
    TAsgEditButton* part = Part();
    if (part && part->ButtonColor != clNone) {
        // Custom colours: always the flat, filled look.
        FFlat = true;
        TColor fill = part->ButtonColor;
        if (FHot && part->ButtonColorHot != clNone) fill = part->ButtonColorHot;
        if (down && part->ButtonColorDown != clNone) fill = part->ButtonColorDown;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->Pen()->SetColor(fill);
        c->FillRect(r);
        TColor text = part->ButtonTextColor;
        if (FHot) text = part->ButtonTextColorHot;
        if (down) text = part->ButtonTextColorDown;
        if (text != clNone) {
            c->Brush()->SetColor(text);
            c->Pen()->SetColor(text);
        }
    } else if (FIsWinXP && ThemedDrawingActive() &&
               DrawThemedPart(Parent() ? Parent()->Handle() : 0, c, "button", BP_PUSHBUTTON,
                              down ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL, r)) {
    } else if (FFlat) {
        DrawFlatEdge(c, r, down);
        InflateRect(r, -1, -1);
    } else {
        DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0u));
        InflateRect(r, -2, -2);
    }
    if (!Glyph()->Empty()) {
        const int gw = Glyph()->Width() / NumGlyphs(), gh = Glyph()->Height();
        const int x = gw < Width() ? (Width() - gw) / 2 : 0;
        const int y = gh < Height() ? (Height() - gh) / 2 : 0;
        DrawGlyph(c, FState == bsDown ? x + 1 : x, FState == bsDown ? y + 1 : y);
    }
    // The caption is black whatever the colours say.
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    if (FState == bsDown) OffsetRect(r, 1, 1);
    c->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------- the button part

TAsgEditButton::TAsgEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    CreateButton();
    FButton->SetGlyph(nullptr);
    SetBounds(Left(), Top(), 20, 25);
}

TAsgEditButton::~TAsgEditButton() { SetFocusControl(nullptr); }

void TAsgEditButton::CreateButton()
{
    FButton = new TExtSpeedButton(this);
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->SetEnabled(true);
    FButton->SetCaption("");
    // The click action runs on the release of the left button (ButtonMouseUp), not on
    // the speed button's own click.
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        ButtonMouseUp(Sender, Button, Shift, X, Y);
    };
}

void TAsgEditButton::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TAsgEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgEditButton::SetFlat(bool Value)
{
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TAsgEditButton::AdjustButton(int w, int h)
{
    if (FButton) FButton->SetBounds(0, 0, w, h);
}

void TAsgEditButton::SetBounds(int l, int t, int w, int h)
{
    AdjustButton(w, h);
    TWinControl::SetBounds(l, t, w, h);
}

void TAsgEditButton::Resize()
{
    TWinControl::Resize();
    AdjustButton(Width(), Height());
}

void TAsgEditButton::ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft) return;
    if (Sender == FButton && OnClick) OnClick(this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused()) {
        FFocusControl->SetFocus();
        return;
    }
    if (TabStop() && !Focused() && CanFocus()) SetFocus();
}

// ---------------------------------------------------------------- the edit with button

int EditMinHeight(int F, int S) { return F + std::min(F, S) / 4; }

TAsgEditBtn::TAsgEditBtn(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FButton = new TAsgEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* Sender) { FireClickBtn(Sender); };
    SetText("0");
    SetFormatRect(FormatRect());
    SetEditRect();
}

TAsgEditBtn::~TAsgEditBtn()
{
    // The part goes with the edit's owned components; nothing may reach it on the way.
    if (FButton) FButton->OnClick = nullptr;
    FButton = nullptr;
}

void TAsgEditBtn::FireClickBtn(TObject* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TAsgEditBtn::SetRightAlign(bool Value)
{
    if (Value == FRightAlign) return;
    FRightAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
    SetEditRect();
}

void TAsgEditBtn::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    Resize();
}

void TAsgEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->Button()->SetIsWinXP(Value);
}

void TAsgEditBtn::SetBorderStyle(TBorderStyle v)
{
    TCustomMaskEdit::SetBorderStyle(v);
    Resize();
}

void TAsgEditBtn::SetEditRect()
{
    if (!FButton) return;
    TRect r = FormatRect();
    r.Bottom = ClientHeight() + 1;
    r.Right = ClientWidth() - FButton->Width() - FUnitSize - 5;
    if (FUnitSize > 0) r.Right -= 3;
    r.Left = r.Top = BorderStyle() == bsNone ? 3 : 1;
    SetFormatRect(r);
}

int TAsgEditBtn::GetMinHeight()
{
    static const TFont system;
    return EditMinHeight(FontCharHeight(Font()), FontCharHeight(&system));
}

void TAsgEditBtn::Resize()
{
    TCustomMaskEdit::Resize();
    if (FPlacing || !FButton) return;
    const int d = BorderStyle() == bsNone ? 1 : 5;
    const int minHeight = GetMinHeight();
    if (Height() < minHeight) {
        SetHeight(minHeight);   // the resize that follows places the button
        return;
    }
    FPlacing = true;
    FButton->SetBounds(Width() - FButton->Width() - d, 0, FButton->Width(), Height() - d);
    FPlacing = false;
    SetEditRect();
}

void TAsgEditBtn::KeyDown(WORD& key, TShiftState shift)
{
    TCustomMaskEdit::KeyDown(key, shift);
    if (key == VK_F4 && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0)
        FireClickBtn(this);
}

void TAsgEditBtn::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_CHAR:
        if (!FEditorEnabled) return;
        break;
    case WM_PASTE:
    case WM_CUT:
        if (!FEditorEnabled || ReadOnly()) return;
        break;
    }
    TCustomMaskEdit::WndProc(msg);
}

// ---------------------------------------------------------------- the unit edit

TAsgUnitEditBtn::TAsgUnitEditBtn(TComponent* AOwner) : TAsgEditBtn(AOwner)
{
    FUnitSize = 20;
    SetRightAlign(true);
    SetPaintsOver(true);
    SetEditRect();
}

void TAsgUnitEditBtn::SetUnitID(const String& Value)
{
    FUnitID = Value;
    Invalidate();
}

void TAsgUnitEditBtn::SetUnits(const TStringList* Value)
{
    if (Value) FUnits.Assign(*Value);
}

void TAsgUnitEditBtn::SetUnitSpace(int Value)
{
    FUnitSize = Value;
    SetEditRect();
    Invalidate();
}

String TAsgUnitEditBtn::TextAndUnit() const { return Text() + FUnitID; }

void TAsgUnitEditBtn::SetTextAndUnit(const String& Value)
{
    for (int i = 0; i < FUnits.Count(); ++i) {
        const String& u = FUnits[i];
        if (u.empty()) continue;
        const size_t p = Value.find(u);
        if (p == String::npos || p + u.size() != Value.size()) continue;
        SetText(Value.substr(0, p));
        SetUnitID(Value.substr(p));
        return;
    }
}

void TAsgUnitEditBtn::FireClickBtn(TObject*)
{
    if (OnClickBtn) OnClickBtn(this);
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < FUnits.Count(); ++i) {
        const WPARAM id = WPARAM(i + 1);
        // The choice comes back to the edit as a command once the menu is closed.
        TMenuItem* item = NewItem(menu.get(), FUnits[i], [this, id](TObject*) {
            PostMessage(Handle(), WM_COMMAND, id, 0);
        });
        item->SetTag(std::intptr_t(id));
        menu->Items()->Add(item);
    }
    const TPoint at = ClientToScreen(TPoint(ClientWidth() - 15, ClientHeight()));
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
}

void TAsgUnitEditBtn::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_COMMAND && HIWORD(msg.WParam) != EN_CHANGE) {
        const int id = LOWORD(msg.WParam);
        if (id >= 1 && id <= FUnits.Count()) {
            const String u = FUnits[id - 1];
            const bool changed = FUnitID != u;
            SetUnitID(u);
            if (changed && OnUnitChanged) OnUnitChanged(this, FUnitID);
        }
        return;
    }
    TAsgEditBtn::WndProc(msg);
}

void TAsgUnitEditBtn::PaintOver()
{
    TCanvas* c = Canvas();
    const int right = ClientWidth() - Button()->Width() - 3;
    TRect r = Rect(right - UnitSpace(), 2, right, ClientHeight());
    c->Font()->Assign(*Font());
    c->Brush()->SetStyle(bsClear);
    c->DrawText(FUnitID, r, DT_LEFT | DT_TOP);
}

void TExtSpeedButton::Release()
{
    if (MouseCapture()) SetMouseCapture(false);
    if (FState == bsDown) {
        FState = bsUp;
        Invalidate();
    }
}
