// Creation of the grid's auxiliary controls.
#include "grid/core/GridPanels.h"

#include <algorithm>

#include "grid/core/GridOptions.h"

TFooterPanel::TFooterPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetBevelOuter(bvNone);
    SetBorderWidth(0);
    SetHeight(0);
}

namespace {
// The cancel mode of a drop list: hidden when the pointer is outside it.
template <class TList>
bool DropListCancelMode(TList* List, TMessage& msg)
{
    if (msg.Msg != WM_CANCELMODE) return false;
    const TPoint p = List->ScreenToClient(Mouse_CursorPos());
    if (!List->ClientRect().Contains(p)) {
        List->SetVisible(false);
        if (List->OnCancel) List->OnCancel(List);
    }
    return true;
}

template <class TList>
bool DropListEscape(TList* List, WORD Key)
{
    if (Key != VK_ESCAPE) return false;
    List->SetVisible(false);
    if (List->OnCancel) List->OnCancel(List);
    return true;
}
}

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner)
{
    SetTabStop(false);
    SetBounds(0, 0, 0, 0);
    SetVisible(false);
}

void TDropList::WndProc(TMessage& msg)
{
    if (DropListCancelMode(this, msg)) return;
    TListBox::WndProc(msg);
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TListBox::MouseUp(Button, Shift, X, Y);
    SetVisible(false);
    if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        SetVisible(false);
        if (OnSelect) OnSelect(this, ItemIndex());
        return;
    }
    if (DropListEscape(this, Key)) {
        Key = 0;
        return;
    }
    TListBox::KeyDown(Key, Shift);
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner)
{
    SetTabStop(false);
    SetBounds(0, 0, 0, 0);
    SetVisible(false);
    OnClickCheck = [this](TObject*) {
        if (OnSelect) OnSelect(this, -1);
    };
}

void TDropCheckList::WndProc(TMessage& msg)
{
    if (DropListCancelMode(this, msg)) return;
    TCheckListBox::WndProc(msg);
}

void TDropCheckList::KeyDown(WORD& Key, TShiftState Shift)
{
    if (DropListEscape(this, Key)) {
        Key = 0;
        return;
    }
    TCheckListBox::KeyDown(Key, Shift);
}
