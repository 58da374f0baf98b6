#include "gridext/dropdown/SelectorDropDown.h"

void TSelectorDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift)
{
    const bool was = FInDropDownKey;
    FInDropDownKey = true;
    TExtCustomDropDown::HandleDropDownKeyDown(Key, Shift);
    FInDropDownKey = was;
}

void TSelectorDropDown::WndProc(TMessage& msg)
{
    const bool keyDown = msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN;
    // While the list is open a key comes here twice: first for the list (which hands it
    // on), then for the edit; the picker acts on the second.
    if (!keyDown || (DroppedDown() && !FInDropDownKey)) {
        TExtCustomDropDown::WndProc(msg);
        return;
    }
    const WORD key = WORD(msg.WParam);
    // The hot item becomes the choice, which closes the list keeping it.
    const bool enterDone = key == VK_RETURN && Enabled() && DroppedDown() && TakeHotItem();
    const bool alt = KeyboardStateToShiftState().Contains(ssAlt) || (msg.LParam & KF_ALTDOWN_LPARAM) != 0;
    TExtCustomDropDown::WndProc(msg);
    if (FDestroying || alt || !Enabled()) return;
    PickerKeyDown(key, enterDone);
}

void TSelectorDropDown::MoveSelectorTo(int N)
{
    TExtCustomItemSelector* s = ListSelector();
    if (!s || N < 0 || N >= s->Items()->Count()) return;
    Internal([&] {
        s->SetItemIndex(N);
        s->ScrollItemInView(N);
    });
}
