#pragma once
// A drop-down whose list the picker steps itself (the colour and image pickers): keys
// reach the picker once the open list has handed them back to the edit, Enter in the
// open list takes the hot item, and the picker's own moves of the list's selection are
// marked (Internal) so that they do not close the list as a user's choice does.
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/dropdown/ItemSelector.h"

class TSelectorDropDown : public TExtCustomDropDown {
public:
    explicit TSelectorDropDown(TComponent* AOwner) : TExtCustomDropDown(AOwner) {}
    void HandleDropDownKeyDown(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& msg) override;

protected:
    // Enter in the open list: the hot item becomes the choice; false when none is hot.
    virtual bool TakeHotItem() = 0;
    // A key down the picker acts on after the base handled it (enabled, no Alt).
    // EnterDone: Enter already took the hot item.
    virtual void PickerKeyDown(WORD Key, bool EnterDone) = 0;
    // The item list stepped by MoveSelectorTo; nullptr before it exists.
    virtual TExtCustomItemSelector* ListSelector() const = 0;
    // Moves the list's selection to N (ignored out of range), the list staying open.
    void MoveSelectorTo(int N);
    template <class F>
    void Internal(F&& f)
    {
        const bool was = FInternalCall;
        FInternalCall = true;
        f();
        FInternalCall = was;
    }

    // Set while the picker itself moves the list's selection.
    bool FInternalCall = false;

private:
    // Set while a key from the open list is on its way to the edit.
    bool FInDropDownKey = false;
};
