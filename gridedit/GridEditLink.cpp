// The edit link: showing it over a cell or on its popup form, its key protocol, and
// leaving it.
#include "gridedit/GridEditLink.h"

#include "grid/core/ExtGrid.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    // The form is the link's own: another link's form, or anything else of the
    // application's, is never touched.
    TForm* f = FPopupForm;
    FPopupForm = nullptr;
    delete f;
}

TPoint TEditLink::EditCell() const
{
    if (FOwner && FOwner->EditActive() && FOwner->EditLink() == this && FOwner->FEditedXY.X >= 0)
        return FOwner->FEditedXY;
    return FEditCell;
}

void TEditLink::Show(TExtStringGrid* AGrid, int ACol, int ARow, const TRect& R, TColor C, TFont* F)
{
    AGrid->EditMode = true;
    FOwner = AGrid;
    FEditCell = TPoint(AGrid->RealColIndex(ACol), ARow);
    if (EditStyle == esPopup) {
        if (AutoPopupWidth) PopupWidth = R.Right - R.Left;
        if (!FPopupForm) {
            FPopupForm = new TForm(Application);
            FPopupForm->SetName("gridform");
        }
        const TPoint P = PopupLeft != -1 && PopupTop != -1 ? TPoint(PopupLeft, PopupTop)
                                                         : AGrid->ClientToScreen(TPoint(R.Left, R.Top));
        FPopupForm->SetLeft(P.X);
        FPopupForm->SetTop(P.Y);
        FPopupForm->OnDeactivate = [this](TObject* Sender) { FormExit(Sender); };
        FPopupForm->SetWidth(0);
        FPopupForm->SetHeight(0);
        FPopupForm->SetFormStyle(fsStayOnTop);
        FPopupForm->SetBorderStyle(bsNone);
        FPopupForm->Show();
        FPopupForm->SetLeft(P.X);
        FPopupForm->SetTop(P.Y);
        FPopupForm->SetWidth(PopupWidth);
        FPopupForm->SetHeight(PopupHeight);
        CreateEditor(FPopupForm);
        SetRect(TRect(0, 0, PopupWidth, PopupHeight));
    } else {
        CreateEditor(AGrid);
        SetRect(R);
    }
    SetVisible(true);
    SetCellProps(C, F);
    SetProperties();
    AGrid->FireGetEditorProp(FEditCell.X, ARow, this);
    SetEditorValue(AGrid->GetEditText(ACol, ARow));
    const WideChar start = AGrid->FStartEditChar;
    SetFocus(true);
    AGrid->FStartEditChar = start;
    AGrid->FEditActive = true;
    if (start)
        if (TWinControl* c = GetEditControl()) PostMessage(c->Handle(), WM_CHAR, WPARAM(start), 0);
    AGrid->EditCtrl = GetEditControl();
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* c = GetEditControl();
    if (Value && c) {
        if (!c->Visible()) c->SetVisible(true);
        if (!c->Enabled()) c->SetEnabled(true);
    }
    // The grid's procedure stands in front of an in-place control while it edits, so the
    // form takes none of the keys the grid's navigation needs from it.
    if (EditStyle == esInplace && c && !FSubClassed && FOwner) {
        FControlHadHook = c->WindowProcHooked();
        const TControl::TWndMethod own = c->WindowProc();
        FOwner->FGridControlWndProc = own;
        // The grid is found by its handle at each message: a control that outlives the
        // grid (or goes with it) hears its messages through its own procedure again.
        const HWND grid = FOwner->Handle();
        c->SetWindowProc([grid, own](TMessage& m) {
            auto* g = dynamic_cast<TExtStringGrid*>(FindControl(grid));
            if (g && !g->GridDestroying()) g->EditLinkControlWndProc(m);
            else own(m);
        });
        FSubClassed = true;
    }
    if (Value) {
        if (c && c->CanFocus()) c->SetFocus();
    } else if (FOwner && FOwner->CanFocus()) {
        FOwner->SetFocus();
    }
}

void TEditLink::SetRect(TRect R)
{
    TWinControl* c = GetEditControl();
    if (!c) return;
    const int line = FOwner ? FOwner->GridLineWidth() : 0;
    c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

TWinControl* TEditLink::GetParent() const
{
    if (EditStyle == esPopup) return FPopupForm;
    return FOwner;
}

String TEditLink::GetCellValue()
{
    if (!FOwner) return String();
    return FOwner->GetCellEx(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const String& Value)
{
    if (FOwner) FOwner->StoreEditorValue(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), Value);
}

void TEditLink::RestoreWinProc()
{
    if (EditStyle != esInplace) return;
    TWinControl* c = GetEditControl();
    if (!c) return;
    if (FSubClassed) {
        c->SetWindowProc(FOwner && FControlHadHook ? FOwner->FGridControlWndProc : TControl::TWndMethod());
        if (FOwner) FOwner->FGridControlWndProc = nullptr;
        FSubClassed = false;
    }
    c->SetVisible(false);
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner) FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject*)
{
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->Hide();
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (!FOwner) return;
    if (TInplaceEdit* ne = FOwner->NormalEdit()) ne->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    if (!FOwner->EditMode) return;
    EditExit(Sender);
    // The focus coming back to the grid from the popup is the link's doing: the grid
    // leaves that one arrival alone and clears the mark with it. Already focused, the
    // grid has no arrival to wait for, and a mark left set would swallow the next
    // genuine one.
    if (!FOwner->Focused()) FOwner->InvokedFocusChange = true;
}

void TEditLink::ForcedExit()
{
    FForcedExit = true;
    if (FOwner && FOwner->CanFocus()) FOwner->SetFocus();
    FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift)
{
    TExtStringGrid* g = FOwner;
    if (!g) return;
    const bool alt = Shift.Contains(ssAlt);
    bool ends = alt;
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        ends = true;
        break;
    default:
        break;
    }
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
        if (WantKeyUpDown) ends = false;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (WantKeyLeftRight) ends = false;
        break;
    case VK_HOME:
    case VK_END:
        if (WantKeyHomeEnd) ends = false;
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (WantKeyPriorNext) ends = false;
        break;
    case VK_RETURN:
        if (WantKeyReturn) ends = false;
        break;
    case VK_ESCAPE:
        if (WantKeyEscape) ends = false;
        break;
    case VK_TAB:
        if (WantTabs) ends = false;
        break;
    default:
        break;
    }
    if (!ends) return;
    const WORD key = Key;
    const int oldCol = g->Col(), oldRow = g->Row();
    if (key == VK_TAB) {
        if (g->Navigation()->TabToNextAtEnd) {
            ForcedExit();
            g->HideCellEditor(g->Col(), g->Row());
            const bool moved = g->TabNavigate(KeyboardStateToShiftState().Contains(ssShift));
            if (moved && !g->IsControlCell(g->RealColIndex(g->Col()), g->Row())) {
                PostMessage(g->Handle(), WM_KEYDOWN, VK_F2, 0);
                Key = 0;
                return;
            }
        }
        Key = 0;
    }
    if (key == VK_ESCAPE) SetEditorValue(g->FCellCache);
    const bool moved = g->Col() != oldCol || g->Row() != oldRow;
    ForcedExit();
    if (!moved) g->HideCellEditor(g->Col(), g->Row());
    if (EditStyle == esPopup) EditExit(Sender);
    g->EditMode = false;
    g->ValidateCell(g->GetCurrentCell());
    if (key == VK_RETURN && g->FLastValidation) {
        g->AdvanceToNextCell(g->Col(), g->Row(), true, false, !Shift.Contains(ssShift), true, false);
        Key = 0;
        return;
    }
    if (!g->FLastValidation) {
        g->FLastValidation = true;
        g->ShowCellEditor(g->Col(), g->Row());
        return;
    }
    if (key == VK_ESCAPE) {
        Key = 0;
        return;
    }
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
        WORD k = key;
        g->KeyDown(k, Shift);
    }
    if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
    ForcedExit();
}
