#pragma once
#include <memory>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

// The look of the column filter drop-down and of its button in the header.
class TFilterDropDown : public TObject {
public:
    TFilterDropDown();
    // Copies everything but AutoSize.
    void Assign(const TObject* Source);
    // The list as high as its entries and as wide as the widest.
    bool AutoSize = false;
    TColor Color = clWindow;
    // The list takes the header cell's left edge and width.
    bool ColumnWidth = false;
    TFont* Font() const { return FFont.get(); }
    int Height = 150;
    int Width = 150;
    // The header button's picture without and with a condition on the column; a change
    // fires OnChange.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(const TBitmap* Value);
    TNotifyEvent OnChange;   // set by the grid

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph, FGlyphActive;
};
