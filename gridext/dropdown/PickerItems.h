#pragma once
// The item lists of the list pickers (colour, image, detail): an owned, ordered
// collection whose items tell it when their caption or image changes, so the picker
// can follow.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"

template <class TItem>
class TPickerItems : public TObject {
public:
    explicit TPickerItems(TObject* Owner) : FOwner(Owner) {}
    TObject* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TItem* Items(int i) const { return FItems.at(size_t(i)).get(); }
    TItem* GetItem(int i) const { return Items(i); }
    void SetItem(int i, const TItem& v) { Items(i)->Assign(v); }
    TItem* Add() { return Insert(Count()); }
    TItem* Insert(int Index)
    {
        Index = std::clamp(Index, 0, Count());
        FItems.insert(FItems.begin() + Index, std::make_unique<TItem>(this));
        return FItems[size_t(Index)].get();
    }
    void Delete(int Index)
    {
        if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
    }
    void Clear() { FItems.clear(); }
    void Assign(const TPickerItems& S)
    {
        if (&S == this) return;
        FItems.clear();
        for (int i = 0; i < S.Count(); ++i) Add()->Assign(*S.Items(i));
    }
    // The position of Item, -1 when the collection does not hold it.
    int IndexOfItem(const TItem* Item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (Items(i) == Item) return i;
        return -1;
    }
    // The first item whose caption is exactly AValue (case and all); -1 for none.
    int IndexOf(const String& AValue) const
    {
        for (int i = 0; i < Count(); ++i)
            if (Items(i)->Caption() == AValue) return i;
        return -1;
    }
    // An item's caption or image index changed.
    TNotifyEvent OnChange;
    void Changed()
    {
        if (OnChange) OnChange(this);
    }

private:
    TObject* FOwner;
    std::vector<std::unique_ptr<TItem>> FItems;
};

// What every item of such a collection has: its place, its caption, and the notice to
// the collection when a watched value changes.
template <class TItem>
class TPickerItem : public TObject {
public:
    explicit TPickerItem(TPickerItems<TItem>* Collection) : FCollection(Collection) {}
    int Index() const { return FCollection ? FCollection->IndexOfItem(static_cast<const TItem*>(this)) : -1; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { Watch(FCaption, v); }

protected:
    // Stores v and tells the collection, when it differs from what Field holds.
    template <class V>
    void Watch(V& Field, const V& v)
    {
        if (Field == v) return;
        Field = v;
        if (FCollection) FCollection->Changed();
    }

private:
    TPickerItems<TItem>* FCollection;
    String FCaption;
};
