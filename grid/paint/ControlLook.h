#pragma once
#include <memory>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

// Look of the controls inside cells and of the fixed-cell gradients.
class TControlLook : public TObject {
public:
    explicit TControlLook(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    TExtStringGrid* Owner() const { return FOwner; }
    // Back to the colours of creation; the hover and pressed mirror colours reach the
    // grid through their setters, the other gradient colours stay here.
    void Init();
    // The fixed-cell gradient colours also set the grid's own colour of the same role:
    // start, end, hover, pressed and border colours only when not clNone, the mirror
    // colours always.
    void SetFixedGradientFrom(TColor Value);
    void SetFixedGradientTo(TColor Value);
    void SetFixedGradientMirrorFrom(TColor Value);
    void SetFixedGradientMirrorTo(TColor Value);
    void SetFixedGradientHoverFrom(TColor Value);
    void SetFixedGradientHoverTo(TColor Value);
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    void SetFixedGradientHoverMirrorTo(TColor Value);
    void SetFixedGradientHoverBorder(TColor Value);
    void SetFixedGradientDownFrom(TColor Value);
    void SetFixedGradientDownTo(TColor Value);
    void SetFixedGradientDownMirrorFrom(TColor Value);
    void SetFixedGradientDownMirrorTo(TColor Value);
    void SetFixedGradientDownBorder(TColor Value);
    // Any other setting: stored, and the grid repainted.
    template <class T>
    void Set(T& Field, T Value)
    {
        Field = Value;
        Repaint();
    }
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap* v);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap* v);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap* v);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap* v);

    TControlStyle ControlStyle = csTheme;
    int CheckSize = 15;
    int RadioSize = 10;
    TColor Color = clBlack;
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    bool NoDisabledCheckRadioLook = false;
    bool NoDisabledButtonLook = false;
    bool FlatButton = false;
    bool DropDownAlwaysVisible = false;
    bool SpinButtonsAlwaysVisible = false;
    int DropDownCount = 8;
    TColor CommentColor = clRed;
    TColor ProgressBorderColor = clGray;
    int ProgressMarginX = 2;
    int ProgressMarginY = 2;
    bool ProgressXP = false;
    bool FixedDropDownButton = false;
    int HintMaxWidth = 0;
    TColor FixedGradientFrom = clNone, FixedGradientTo = clNone;
    TColor FixedGradientMirrorFrom = clNone, FixedGradientMirrorTo = clNone;
    TColor FixedGradientHoverFrom = clGray, FixedGradientHoverTo = clWhite;
    TColor FixedGradientHoverMirrorFrom = clNone, FixedGradientHoverMirrorTo = clNone;
    TColor FixedGradientHoverBorder = clSilver;
    TColor FixedGradientDownFrom = clGray, FixedGradientDownTo = clSilver;
    TColor FixedGradientDownMirrorFrom = clNone, FixedGradientDownMirrorTo = clNone;
    TColor FixedGradientDownBorder = clGray;

private:
    void Repaint();
    TExtStringGrid* FOwner;
    std::shared_ptr<TBitmap> FCheckedGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FUnCheckedGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FRadioOnGlyph = std::make_shared<TBitmap>();
    std::shared_ptr<TBitmap> FRadioOffGlyph = std::make_shared<TBitmap>();
};
