#include "grid/paint/BackGround.h"

#include "grid/core/ExtGrid.h"

TBackGround::TBackGround(TExtStringGrid* AOwner) : FOwner(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TBackGround::Assign(const TBackGround* Source)
{
    if (!Source || Source == this) return;
    FBitmap->Assign(Source->FBitmap.get());
    Left = Source->Left;
    Top = Source->Top;
    Display = Source->Display;
    Cells = Source->Cells;
    Color = Source->Color;
    ColorTo = Source->ColorTo;
    Repaint();
}

void TBackGround::SetBitmap(const TBitmap* Value)
{
    FBitmap->Assign(Value);
    Repaint();
}

void TBackGround::SetLeft(int Value)
{
    Left = Value;
    Repaint();
}

void TBackGround::SetTop(int Value)
{
    Top = Value;
    Repaint();
}

void TBackGround::SetDisplay(TBackgroundDisplay Value)
{
    Display = Value;
    Repaint();
}

void TBackGround::SetCells(TBackGroundCells Value)
{
    Cells = Value;
    Repaint();
}

void TBackGround::SetColor(TColor Value)
{
    Color = Value;
    Repaint();
}

void TBackGround::SetColorTo(TColor Value)
{
    ColorTo = Value;
    Repaint();
}
