#pragma once
// Which scroll bars the tree may show, whether they stay when nothing scrolls, their
// look and the pixels of one line step.
#include "platform/gui/Types.h"
#include "treeview/core/LazyTreeTypes.h"

enum TScrollBarStyle { sbmRegular, sbm3D };

class TScrollBarOptions : public TObject {
public:
    explicit TScrollBarOptions(TBaseLazyTree* AOwner) : FOwner(AOwner) {}
    TBaseLazyTree* Owner() const { return FOwner; }
    // Copies every setting of another options object (through the setters).
    void Assign(const TScrollBarOptions& Source);

    bool AlwaysVisible() const { return FAlwaysVisible; }
    void SetAlwaysVisible(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TScrollBarStyle ScrollBarStyle() const { return FScrollBarStyle; }
    void SetScrollBarStyle(TScrollBarStyle Value) { FScrollBarStyle = Value; }
    // 1..10000 pixels.
    int HorizontalIncrement() const { return FIncrementX; }
    void SetHorizontalIncrement(int Value);
    int VerticalIncrement() const { return FIncrementY; }
    void SetVerticalIncrement(int Value);

    bool AllowsHorizontal() const { return FScrollBars == ssHorizontal || FScrollBars == ssBoth; }
    bool AllowsVertical() const { return FScrollBars == ssVertical || FScrollBars == ssBoth; }

private:
    TBaseLazyTree* FOwner;
    bool FAlwaysVisible = false;
    TScrollStyle FScrollBars = ssBoth;
    TScrollBarStyle FScrollBarStyle = sbmRegular;
    int FIncrementX = 20, FIncrementY = 20;
};
