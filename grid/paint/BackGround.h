#pragma once
// The picture or gradient behind the cells.
#include <memory>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

enum TBackgroundDisplay { bdTile, bdFixed, bdCenter, bdStretch, bdGradientHorz, bdGradientVert };
// Which cells show the background picture or gradient.
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// Picture or gradient behind the cells and in the area beyond the last row and column.
class TBackGround : public TObject {
public:
    explicit TBackGround(TExtStringGrid* AOwner);
    ~TBackGround() override;
    // Every setting from another TBackGround (the picture copied); repaints.
    void Assign(const TBackGround* Source);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value);
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetDisplay(TBackgroundDisplay Value);
    void SetCells(TBackGroundCells Value);
    void SetColor(TColor Value);
    void SetColorTo(TColor Value);

    int Left = 0;
    int Top = 0;
    TBackgroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor Color = clWindow;
    TColor ColorTo = clBtnFace;

private:
    void Repaint();
    TExtStringGrid* FOwner;
    std::unique_ptr<TBitmap> FBitmap;
};
