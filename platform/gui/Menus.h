#pragma once
// Popup menus.
#include <vector>

#include "platform/gui/Controls.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v) { FCaption = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v) { FEnabled = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v) { FChecked = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int i) const { return FItems.at(size_t(i)); }
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Clear();   // frees the sub-items
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Find(const String& caption) const;   // by caption, '&' ignored
    bool IsLine() const { return FCaption == "-"; }
    virtual void Click();
    TNotifyEvent OnClick;
private:
    String FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    int FImageIndex = -1;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    TMenuItem* Items() { return FItems; }
    // Shows the menu at a screen position (through the interaction hook).
    virtual void Popup(int x, int y);
    TControl* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TControl* c) { FPopupComponent = c; }
    TNotifyEvent OnPopup;
private:
    TMenuItem* FItems;
    TControl* FPopupComponent = nullptr;
};

// Builds a menu item owned by owner.
TMenuItem* NewItem(TComponent* owner, const String& caption, TNotifyEvent onClick);
