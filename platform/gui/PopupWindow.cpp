#include "platform/gui/PopupWindow.h"

#include "platform/gui/Forms.h"
#include "platform/gui/qt/Backend.h"

TPopupWindow::TPopupWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    if (Widget()) Widget()->SetPopup(true);
    SetVisible(false);
}

void TPopupWindow::DropDownAt(TControl* Control)
{
    const TPoint below = Control->ClientToScreen(TPoint(0, Control->Height()));
    int y = below.Y;
    if (y + Height() > Screen->Height()) {
        const int above = below.Y - Control->Height() - Height();
        if (above >= 0) y = above;
    }
    SetBounds(below.X, y, Width(), Height());
    SetVisible(true);
}
