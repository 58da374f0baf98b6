#pragma once
// The speed button: a button without a window of its own that shows a glyph or a caption,
// shows pressed while the left button is held over it, and clicks when the left button
// is released over it.
#include <memory>

#include "platform/gui/Controls.h"

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    TBitmap* Glyph() { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    // Images side by side in the glyph (up, disabled, down, exclusive): 1 .. 4.
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TButtonState State() const { return FState; }
    // Held down while the pointer is over it.
    bool Dragging() const { return FDragging; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    // The glyph's image for the present state (the first when it has only one).
    void DrawGlyph(TCanvas* c, int x, int y);
    TButtonState FState = bsUp;

private:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = false;
    bool FDragging = false;
};
