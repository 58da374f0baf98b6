// Picture files that mini-HTML texts name, from anywhere: the picture either decodes or
// raises its own error, never reads past its bytes, and keeps its frame numbers in range
// while it is stepped through.
#include <cstdlib>

#include "fuzz/FuzzCommon.h"
#include "grid/html/PictureContainer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    THTMLPicture Picture;
    TMemoryStream Stream(Data, int64_t(Size));
    bool Decoded = true;
    try {
        Picture.LoadFromStream(&Stream);
    } catch (const EHTMLPictureError&) {
        Decoded = false;
    }
    fuzz::Check(Picture.Data().size() == Size, "the file is kept whole");
    if (!Decoded) fuzz::Check(Picture.Width() == 0 && Picture.Height() == 0, "a picture that did not decode has no size");
    const int Frames = Picture.FrameCount();
    fuzz::Check(Frames >= -1, "a frame count or -1");
    fuzz::Check((Frames == -1) == !Picture.IsGIF(), "only a GIF counts frames");
    for (int i = 0; i <= Frames + 1 && i < 8; ++i) {
        const int Time = Picture.GetFrameTime(i);
        fuzz::Check(Time >= -1 && Time <= 0xFFFF, "a frame time is a 16-bit value or -1");
        fuzz::Check((Time == -1) == (i < 1 || i > Frames), "a frame time exactly for the frames there are");
    }
    TBitmap Canvas(16, 16);
    for (int i = 0; i < 4 && Frames > 1; ++i) {
        try {
            Picture.FrameNext();
        } catch (const EHTMLPictureError&) {
        }
        fuzz::Check(Picture.Frame() >= 1 && Picture.Frame() <= Frames, "the frame stays among the frames");
        Picture.StretchDraw(Canvas.Canvas(), TRect(0, 0, 16, 16));
    }
    return 0;
}
