#include "tests/common/Snapshot.h"

#include "platform/gui/Forms.h"

bool Snapshot_To(TControl* Control, const String& Path, TBitmap& Png)
{
    if (!SaveControlToPng(Control, Path)) return false;
    Png.LoadFromFile(Path);
    return true;
}

int Count_Pixels(TBitmap& Png, const TRect& R, const std::function<bool(TColor)>& Pred)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) n += Pred(Png.Canvas()->Pixels(x, y));
    return n;
}

int Count_Pixels(TBitmap& Png, const TRect& R, TColor C)
{
    return Count_Pixels(Png, R, [C](TColor P) { return P == C; });
}
