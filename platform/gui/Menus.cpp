#include "platform/gui/Menus.h"

#include <algorithm>

#include "platform/gui/Dialogs.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    while (!FItems.empty()) {
        TMenuItem* last = FItems.back();
        FItems.pop_back();
        last->FParent = nullptr;
        delete last;
    }
    if (FParent) FParent->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->FParent) item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& caption) const
{
    auto plain = [](String s) {
        s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
        return s;
    };
    for (TMenuItem* i : FItems)
        if (SameText(plain(i->FCaption), plain(caption))) return i;
    return nullptr;
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    InteractionHook()->Popup(this, x, y);
}

TMenuItem* NewItem(TComponent* owner, const String& caption, TNotifyEvent onClick)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    return item;
}
