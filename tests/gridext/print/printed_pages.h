#pragma once
// Printed grid pages checked as pictures: a printer whose pixels are 0.1 mm writing into
// the suite's output folder, and its PDF pages rendered back by pdftoppm at the same
// resolution, so that a page point (x, y) is pixel (x, -y).
#include <cstdlib>

#include "platform/gui/Printers.h"
#include "tests/common/Snapshot.h"

struct TestPrinter : TPrinter {
    explicit TestPrinter(const String& Name)
    {
        SetFileName(TEST_OUTPUT(Name));
        SetResolution(254);
        SetPageSize(2100, 2970);
    }
};

inline bool HavePdfToPpm() { return std::system("command -v pdftoppm >/dev/null 2>&1") == 0; }

// Page Page of the PDF as a picture at 254 dots per inch.
inline bool RenderPage(const String& Pdf, int Page, TBitmap& Png)
{
    const String out = Pdf + "-" + IntToStr(Page);
    const String cmd = "pdftoppm -r 254 -png -singlefile -f " + IntToStr(Page) + " -l " + IntToStr(Page) + " '" +
                       Pdf + "' '" + out + "'";
    if (std::system(cmd.c_str()) != 0) return false;
    Png.LoadFromFile(out + ".png");
    return true;
}

// Pixels of a page box (page units, y upward) that Pred picks.
inline int PagePixels(TBitmap& Png, const TRect& PageBox, const std::function<bool(TColor)>& Pred)
{
    return Count_Pixels(Png, TRect(PageBox.Left, -PageBox.Top, PageBox.Right, -PageBox.Bottom), Pred);
}

// Dark pixels (text, lines) of a page box.
inline int Ink(TBitmap& Png, const TRect& PageBox)
{
    return PagePixels(Png, PageBox, [](TColor c) { return (c & 0xFF) < 128 && ((c >> 8) & 0xFF) < 128; });
}
