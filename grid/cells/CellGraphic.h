#pragma once
// The one graphic object a cell can carry besides its text: a check box, radio button,
// picture, image index, progress bar, comment, button, rotated text, balloon ... Its
// kind is CellType; the other fields mean what the kind says.
#include <variant>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"

class TIntList;
class TFilePicture;

using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A small variant: empty, Boolean, integer, real or text.
using TCellVariant = std::variant<std::monostate, bool, long long, double, String>;

class TCellGraphic : public TObject {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;

    void SetBitmap(TObject* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TObject* aicon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(int idx, TCellHAlign hal, TCellVAlign val);
    // The new index list repaints the cell through Notifier on every change.
    void SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
    void SetPicture(TObject* APicture, bool Transparent, TStretchMode StretchMode, int padding, TCellHAlign hal,
                    TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                        TCellHAlign hal, TCellVAlign val);
    // A plain (Data false) or data check box.
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    // A tri-state check box.
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(int bw, int bh, const String& caption, TObject* Glyph, TCellHAlign hal, TCellVAlign val);
    // Rotated text; the angle is brought into 0..360.
    void SetAngle(std::int16_t AAngle);
    void SetInterfacedCell(TObject* AObject);

    // Copies everything but the objects, the variant and the tri-state.
    void Assign(const TCellGraphic* Source);
    // Size of a picture drawn in a cw x rh cell by the stretch mode (pictures only;
    // Result is left as it is for other kinds).
    void GetPictureSize(int cw, int rh, bool hastext, TPoint& Result) const;

    TCellType CellType = ctNone;
    TObject* CellBitmap = nullptr;   // the kind's object (bitmap, picture, list, glyph, balloon ...)
    TObject* CellIcon = nullptr;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int CellIndex = 0;
    bool CellTransparent = false;
    bool CellCreated = false;        // the grid created CellBitmap / CellIcon and frees it
    bool CellBoolean = false;
    int CellAngle = 0;
    double CellValue = 0;
    int CellErrFrom = 0;
    int CellErrLen = 0;
    String CellText;
    TCellVariant CellVar;
    TCheckBoxState CellCheckBoxState = cbUnchecked;
};

// Rounds halves to even, as the picture-size rule does.
int RoundHalfEven(double v);
