#pragma once
// A canvas without a surface that keeps a list of what is drawn on it and where, with
// the brush, pen and font colours of each call: geometry can be asserted without pixels.
#include <string>
#include <vector>

#include "platform/gui/Graphics.h"

struct TDrawOp {
    std::string Op;
    TRect R;
    TColor Brush = clNone, Pen = clNone, Font = clNone;
    String Text;
};

class TRecordingCanvas : public TCanvas, public TCanvasRecorder {
public:
    TRecordingCanvas() { SetRecorder(this); }
    std::vector<TDrawOp> Ops;
    void Record(TCanvas* Canvas, const char* Op, const TRect& R, const String& Text) override
    {
        Ops.push_back(TDrawOp{Op, R, Canvas->Brush()->Color(), Canvas->Pen()->Color(), Canvas->Font()->Color(), Text});
    }
    // The calls named Op, in order.
    std::vector<TDrawOp> Of(const std::string& Op) const
    {
        std::vector<TDrawOp> out;
        for (const TDrawOp& o : Ops)
            if (o.Op == Op) out.push_back(o);
        return out;
    }
    // The pixels set with SetPixels inside R.
    int PixelsIn(const TRect& R) const
    {
        int n = 0;
        for (const TDrawOp& o : Ops)
            if (o.Op == "SetPixels" && o.R.Left >= R.Left && o.R.Left < R.Right && o.R.Top >= R.Top &&
                o.R.Top < R.Bottom)
                ++n;
        return n;
    }
};
