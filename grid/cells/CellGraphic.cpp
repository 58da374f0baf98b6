// The cell graphic record: one setter per kind, copying, freeing, picture sizes.
#include "grid/cells/CellGraphic.h"

#include <cmath>

#include "grid/util/GridSupport.h"

int RoundHalfEven(double v) { return int(std::nearbyint(v)); }

TCellGraphic::~TCellGraphic()
{
    switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (CellCreated) delete CellBitmap;
        break;
    case ctImages:
    case ctBalloon:
        delete CellBitmap;
        break;
    case ctIcon:
        if (CellCreated) delete CellIcon;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        // A balloon carried by the box.
        if (CellAngle == 1) delete CellBitmap;
        break;
    default:
        break;
    }
    CellBitmap = nullptr;
    CellIcon = nullptr;
}

void TCellGraphic::SetBitmap(TObject* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctBitmap;
    CellBitmap = ABmp;
    CellTransparent = Transparent;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetIcon(TObject* aicon, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctIcon;
    CellIcon = aicon;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctImageList;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctDataImage;
    CellIndex = idx;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier)
{
    CellType = ctImages;
    CellHAlign = hal;
    CellVAlign = val;
    CellBoolean = dir == 0;
    auto* list = new TIntList(Col, Row);
    list->OnChange = std::move(Notifier);
    CellBitmap = list;
    CellCreated = true;
}

void TCellGraphic::SetPicture(TObject* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
    CellType = ctPicture;
    CellBitmap = APicture;
    CellTransparent = Transparent;
    CellAngle = int(StretchMode);
    CellIndex = padding;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPicture(APicture, Transparent, StretchMode, padding, hal, val);
    CellType = ctFilePicture;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = Data ? ctDataCheckBox : ctCheckBox;
    CellAngle = 0;
    CellBoolean = Value;
    CellTransparent = Flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctTriStateCheckBox;
    CellCheckBoxState = Value;
    CellBoolean = false;
    CellTransparent = Flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctRadioButton;
    CellAngle = 0;
    CellBoolean = Value;
    CellTransparent = Flat;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const String& caption, TCellHAlign hal, TCellVAlign val)
{
    CellType = ctButton;
    CellIndex = int((unsigned(bh) << 16) | (unsigned(bw) & 0xFFFF));
    CellBoolean = false;
    CellText = caption;
    CellHAlign = hal;
    CellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const String& caption, TObject* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    CellType = ctBitButton;
    CellBitmap = Glyph;
}

void TCellGraphic::SetAngle(std::int16_t AAngle)
{
    CellType = ctRotated;
    int a = AAngle;
    while (a < 0) a += 360;
    while (a > 360) a -= 360;
    CellAngle = a;
}

void TCellGraphic::SetInterfacedCell(TObject* AObject)
{
    CellType = ctInterface;
    CellBitmap = AObject;
}

void TCellGraphic::Assign(const TCellGraphic* Source)
{
    if (!Source) return;
    CellType = Source->CellType;
    CellVAlign = Source->CellVAlign;
    CellHAlign = Source->CellHAlign;
    CellIndex = Source->CellIndex;
    CellTransparent = Source->CellTransparent;
    CellValue = Source->CellValue;
    CellAngle = Source->CellAngle;
    CellBoolean = Source->CellBoolean;
    CellErrFrom = Source->CellErrFrom;
    CellErrLen = Source->CellErrLen;
    CellText = Source->CellText;
    CellCreated = Source->CellCreated;
}

void TCellGraphic::GetPictureSize(int cw, int rh, bool hastext, TPoint& Result) const
{
    int w = 0, h = 0;
    if (CellType == ctPicture) {
        if (auto* pic = dynamic_cast<TPicture*>(CellBitmap)) {
            w = pic->Width();
            h = pic->Height();
        } else if (auto* bmp = dynamic_cast<TBitmap*>(CellBitmap)) {
            w = bmp->Width();
            h = bmp->Height();
        }
    } else if (CellType == ctFilePicture) {
        if (auto* fp = dynamic_cast<TFilePicture*>(CellBitmap)) {
            w = fp->Width();
            h = fp->Height();
        }
    } else {
        return;
    }
    int a = cw - CellIndex, b = rh - CellIndex;
    auto aspect = [&](bool limit) {
        double fx = w <= 0 ? 1.0 : double(a) / w;
        double fy = h <= 0 ? 1.0 : double(b) / h;
        if (limit) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fx >= fy) a = RoundHalfEven(w * fy);
        else b = RoundHalfEven(h * fx);
        Result = TPoint(a, b);
    };
    switch (TStretchMode(CellAngle)) {
    case noStretch:
        Result = TPoint(w, h);
        break;
    case Stretch:
        Result = TPoint(a, b);
        break;
    case StretchWithAspectRatio:
        aspect(false);
        break;
    case Shrink:
        Result = (a >= w && b >= h) ? TPoint(w, h) : TPoint(a, b);
        break;
    case ShrinkWithAspectRatio:
        if (a >= w && b >= h) Result = TPoint(w, h);
        else aspect(true);
        break;
    }
}
