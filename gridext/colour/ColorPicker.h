#pragma once
// The colour picker: a drop-down edit whose field shows a box in the chosen colour and a
// text naming it, and whose list is one of four selectors chosen by ColorSelectionStyle:
// the named colours of Colors in an item selector, the 60-box palette, the honeycomb, or
// the spectrum picture (ColorSelectors.h). The edit takes no typing; with the list of
// named colours or the palette, arrows, Home, End and the page keys move the choice and
// letters find a named colour by its first letters.
//
// Driving it from an editor: SelectedColor, or ValueText (SelectedColorText, and back from
// any text it produces) set and read the value; ShowDropDown / HideDropDown open and
// close; OnSelect fires on every choice, and OnDropUp tells whether the list closed
// keeping it or cancelled (Esc, a click outside).
#include <memory>
#include <vector>

#include "gridext/colour/ColorSelectors.h"
#include "gridext/colour/WebColors.h"
#include "gridext/dropdown/ItemSelector.h"
#include "gridext/dropdown/PickerItems.h"
#include "gridext/dropdown/SelectorDropDown.h"
#include "platform/gui/ExtCtrls.h"


enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TColorItem : public TPickerItem<TColorItem> {
public:
    using TPickerItem::TPickerItem;
    void Assign(const TColorItem& Source);
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Watch(FColor, v); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    bool Enabled() const { return FEnabled; }

private:
    TColor FColor = clNone;
    String FHint;
    bool FEnabled = true;
};
using TColorItems = TPickerItems<TColorItem>;

class TExtColorPickerDropDown : public TSelectorDropDown {
public:
    explicit TExtColorPickerDropDown(TComponent* AOwner);
    ~TExtColorPickerDropDown() override;

    int Columns() const { return FColumns; }
    void SetColumns(int v) { FColumns = v; }
    TColorItems* Colors() { return &FColors; }
    void SetColors(const TColorItems& v) { FColors.Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v) { FColorBoxHeight = v; }
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v) { FColorBoxWidth = v; }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout v) { FLayout = v; }
    TItemAppearance* ItemAppearance() { return &FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance.Assign(v); }
    TColorValueText ColorValueText() const { return FColorValueText; }
    void SetColorValueText(TColorValueText v) { FColorValueText = v; }
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool v);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    String SelectedColorText() const { return GetSelectedColorText(); }
    // The value as a text and back: a caption of Colors, or any text SelectedColorText
    // gives under one of the value styles. False, changing nothing, for another text.
    String ValueText() const { return SelectedColorText(); }
    bool SetValueText(const String& Value);

    // The 16 basic colours, appended to Colors.
    void AddDefaultColors();
    void SetComponentStyle(TWYXStyle AStyle) override;

    TNotifyEvent OnSelect;
    TOnDrawSelectedItem OnDrawSelectedColor;
    TDrawItemEvent OnDrawColor;

    // The selectors, created when first needed and gone with the drop-down window.
    TExtCustomItemSelector* ItemSelector() const { return FItemSelector; }
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }
    TExtColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TExtColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    const String& CurrentSearch() const { return FCurSearch; }

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void PlaceDropDownControl() override;
    void SizeDropDownForm() override;
    void CloseDropDown(bool CancelChanges) override;
    void DropDownFormDestroyed() override;
    void HandleWheelDown() override;
    void HandleWheelUp() override;
    void PaintFocusedText() override;
    void SetSelectionColorStyle(TSelectionColorStyle Value) override;

protected:
    virtual String GetSelectedColorText() const;
    bool TakeHotItem() override;
    void PickerKeyDown(WORD Key, bool EnterDone) override;
    TExtCustomItemSelector* ListSelector() const override { return FItemSelector; }

private:
    // Creates (once) or refreshes the selector of a style and hands it to the drop-down.
    void CreateListSelector();
    void CreateDiscreteSelector();
    void CreateCubePanel();
    void CreateSpectrumPanel();
    // The steps of opening in a style, shared with switching the style while open.
    void PrepareStyle(TColorSelectionStyle Style);
    void HideOthers(TControl* Keep);
    void UpdateItemSelector();
    void SizeForNonList();
    void ListSelected();
    void DiscreteSelected();
    void PanelSelected(TColor Color);
    // While the list is closed the choice may have changed without it (Esc, code): the
    // closed list's or palette's selection is brought in line, silently, before a step
    // starts from it.
    void SyncClosedSelector();

    TExtCustomItemSelector* FItemSelector = nullptr;
    TExtColorCubePanel* FColorCubePanel = nullptr;
    TExtColorSpectrumPanel* FSpectrumPanel = nullptr;
    TCustomColorSelector* FColorSelector = nullptr;
    int FColumns = 1;
    TColorItems FColors;
    int FItemIndex = -1;
    int FColorBoxHeight = 14, FColorBoxWidth = 14;
    TItemLayout FLayout = ilCaptionRight;
    TItemAppearance FItemAppearance;
    TColorValueText FColorValueText = cvtNone;
    TColorSelectionStyle FColorSelectionStyle = csList;
    bool FShowText = true;
    TColor FSelectedColor = clNone;
    int FOldItemIndex = -1;
    TColor FOldSelectedColor = clNone;
    String FCurSearch;
    TTimer* FKeyTimer = nullptr;
};
