#pragma once
// The image picker: a drop-down edit that shows the chosen picture, centred, instead of
// text, and drops an item selector of pictures (each a picture of its own or an image of
// the image list, with an optional caption and hint) laid out in Columns columns. The
// edit takes no typing: arrows, Home, End and the page keys move the choice, letters jump
// to the first item whose caption begins with them, the wheel steps through the items.
//
// Driving it from an editor: ImageIndex or ValueText (the chosen item's caption) set and
// read the value; ShowDropDown / HideDropDown open and close; OnSelect fires on every
// change of the choice, and OnDropUp tells whether the list closed keeping it or
// cancelled (Esc, a click outside), in which case the choice is back to what it was when
// the list opened.
#include <memory>
#include <vector>

#include "gridext/dropdown/ItemSelector.h"
#include "gridext/dropdown/PickerItems.h"
#include "gridext/dropdown/SelectorDropDown.h"
#include "platform/gui/ExtCtrls.h"


using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TImageItem : public TPickerItem<TImageItem> {
public:
    using TPickerItem::TPickerItem;
    void Assign(const TImageItem& Source);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { Watch(FImageIndex, v); }
    TPicture* Image() { return &FImage; }
    void SetImage(const TPicture* v) { FImage.Assign(v); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    bool Enabled() const { return FEnabled; }

private:
    int FImageIndex = -1;
    TPicture FImage;
    String FHint;
    bool FEnabled = true;
};
using TImageItems = TPickerItems<TImageItem>;

class TExtImagePickerDropDown : public TSelectorDropDown {
public:
    explicit TExtImagePickerDropDown(TComponent* AOwner);
    ~TExtImagePickerDropDown() override;

    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TImageItems* Items() { return &FItems; }
    void SetItems(const TImageItems& v) { FItems.Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TItemAppearance* ItemAppearance() { return &FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance.Assign(v); }
    // The chosen item's image index (-1 with nothing chosen); setting it chooses the first
    // item with that index, or nothing.
    int ImageIndex() const;
    void SetImageIndex(int Value);
    // The chosen item's caption; setting it chooses the first item with that caption, or
    // nothing.
    String ValueText() const;
    void SetValueText(const String& Value);

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedImage;
    TDrawItemEvent OnDrawItem;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    // AFolder is a folder with a file mask ("/pictures/*.png"); an item per matching entry.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
    void AddImagesFromImageList();
    void SetComponentStyle(TWYXStyle AStyle) override;

    TExtCustomItemSelector* ItemSelector() const { return FItemSelector; }
    // Letters typed within 500 ms of each other, looked up together.
    const String& CurrentSearch() const { return FCurSearch; }

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void CloseDropDown(bool CancelChanges) override;
    void DropDownFormDestroyed() override;
    void HandleWheelDown() override;
    void HandleWheelUp() override;
    void PaintFocusedText() override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;

protected:
    bool TakeHotItem() override;
    void PickerKeyDown(WORD Key, bool EnterDone) override;
    TExtCustomItemSelector* ListSelector() const override { return FItemSelector; }

private:
    void FillSelector();
    void SelectorItemSelected();
    // While the list is closed the choice may have changed without it (Esc, code): the
    // closed list's selection is brought in line, silently, before a step starts from it.
    void SyncClosedSelector();

    TExtCustomItemSelector* FItemSelector = nullptr;
    int FColumns = 1;
    TItemLayout FLayout = ilCaptionRight;
    TImageItems FItems;
    int FItemIndex = -1;
    TItemAppearance FItemAppearance;
    TTimer* FKeyTimer = nullptr;
    String FCurSearch;
    int FOldItemIndex = -1;
};

// Whether a file name matches a mask of "*" and "?" wildcards, letter case aside.
bool FileNameMatchesMask(const String& Name, const String& Mask);
