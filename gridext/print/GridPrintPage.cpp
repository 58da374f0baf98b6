// Grid printing around the cells of a page: header and footer lines (time, date, page
// number, title), the page number text and the frame lines of a finished page.
#include <algorithm>
#include <cmath>
#include <ctime>

#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"
#include "gridext/print/GridPrintLayout.h"

namespace {

bool IsTop(TPrintPosition p) { return p == ppTopLeft || p == ppTopRight || p == ppTopCenter; }
bool IsLeft(TPrintPosition p) { return p == ppTopLeft || p == ppBottomLeft; }

// B when A is empty, A when B is empty, else both with a blank between.
String JoinWithBlank(const String& A, const String& B)
{
    if (A.empty()) return B;
    if (B.empty()) return A;
    return A + " " + B;
}

TDateTime LocalNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, 0);
}

}  // namespace

String TGridPrintLayout::GetPageNumberText(const TPrintPage& Page, int PageNr, int PageCount)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    String text;
    if (FBands > 1) {
        text = IntToStr(Page.PageInBand + 1) + "-" + IntToStr(Page.Band + 1);
        FGrid.FirePrintGetPageNum(Page.PageInBand + 1, Page.Band + 1, text);
        return text;
    }
    text = IntToStr(PageNr + ps->PageNumberOffset);
    // A total is shown only when it is known: a print that skips the count has none.
    if (!ps->PageNumSep.empty() && PageCount > 1) text += ps->PageNumSep + IntToStr(PageCount + ps->MaxPagesOffset);
    FGrid.FirePrintGetPageNum(PageNr, Page.Band + 1, text);
    return text;
}

std::vector<String> TGridPrintLayout::HeaderFooterTexts(const TPrintPage& Page, int PageNr, int PageCount)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    std::vector<String> slots(6);
    auto add = [&](TPrintPosition pos, const String& item) {
        if (pos == ppNone) return;
        String& slot = slots[size_t(pos) - 1];
        slot = IsLeft(pos) ? item + " " + slot : slot + " " + item;
    };
    const TDateTime now = LocalNow();
    add(ps->Time, FormatDateTime("hh:nn", now));
    add(ps->Date, FormatDateTime(ps->DateFormat, now));
    add(ps->PageNr, ps->PagePrefix + " " + GetPageNumberText(Page, PageNr, PageCount) + " " + ps->PageSuffix);
    if (!ps->TitleText.empty()) add(ps->Title, ps->TitleText);
    else if (ps->TitleLines()->Count() > 0 && ps->Title != ppNone && FHTMLTitle.empty()) {
        String& slot = slots[size_t(ps->Title) - 1];
        const String& line = (*ps->TitleLines())[0];
        slot = IsLeft(ps->Title) ? JoinWithBlank(line, slot) : JoinWithBlank(slot, line);
    }
    return slots;
}

void TGridPrintLayout::PrintHeaderFooter(const TPrintPage& Page, int PageNr, int PageCount)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FFontScale = FScale;
    const std::vector<String> slots = HeaderFooterTexts(Page, PageNr, PageCount);
    const int saved = FCanvas.SaveState();
    FCanvas.Brush()->SetStyle(bsClear);
    auto xFor = [&](int slot, const String& text) {
        const int w = FCanvas.TextWidth(text);
        switch (slot % 3) {
        case 0: return ps->LeftSize;
        case 1: return FW - w - ps->RightSize - 20;
        default: return (FW - w) / 2;
        }
    };
    // The title's further lines go under its first, aligned like it.
    const TStringList& lines = *ps->TitleLines();
    const bool moreLines = ps->TitleText.empty() && FHTMLTitle.empty() && lines.Count() > 1 && ps->Title != ppNone;
    auto write = [&](bool top, int y) {
        const int lh = FCanvas.TextHeight("gh");
        for (int s = top ? 0 : 3; s < (top ? 3 : 6); ++s)
            if (!slots[size_t(s)].empty()) FCanvas.TextOut(xFor(s, slots[size_t(s)]), y, slots[size_t(s)]);
        if (moreLines && IsTop(ps->Title) == top)
            for (int k = 2; k <= lines.Count(); ++k)
                FCanvas.TextOut(xFor(int(ps->Title) - 1, lines[k - 1]), y - (k - 1) * lh, lines[k - 1]);
    };
    SetCanvasFont(ps->HeaderFont());
    FCanvas.Font()->SetColor(ps->HeaderFont()->Color());
    write(true, -ps->HeaderSize);
    SetCanvasFont(ps->FooterFont());
    FCanvas.Font()->SetColor(ps->FooterFont()->Color());
    int footerY = FH + ps->FooterSize + FFT + FL8;
    // A title of several lines at the bottom starts higher, so that its last line stays
    // on the paper where a single footer line would end.
    if (moreLines && !IsTop(ps->Title)) footerY += (lines.Count() - 1) * FCanvas.TextHeight("gh");
    write(false, footerY);
    if (!FHTMLTitle.empty()) {
        // Mini-HTML lays itself out in pixels, at the header font's size.
        const TRect r = HTMLTitleRect();
        const double sx = FCanvas.PixelsPerInchX() / 254.0, sy = FCanvas.PixelsPerInchY() / 254.0;
        const TRect dev(int(r.Left * sx), int(-r.Top * sy), int(r.Right * sx), int(-r.Bottom * sy));
        const bool metric = FCanvas.SetMetricMode(false);
        FCanvas.SetFont(ps->HeaderFont());
        SetDeviceFontSize(ps->HeaderFont()->Size());
        TMiniHTMLParams p;
        p.Print = true;
        p.ResFactor = FD;
        p.Images = FGrid.GetCellImageList(0, 0);
        p.PictureContainer = FGrid.PictureContainer;
        RenderMiniHTML(&FCanvas, FHTMLTitle, dev, p);
        FCanvas.SetMetricMode(metric);
    }
    FCanvas.RestoreState(saved);
    FFontScale = 1.0;
}

void TGridPrintLayout::PrintFrameLines(const TPrintPage& Page, int Y)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const int XL = Page.RepeatFixedCols ? Page.Indents[0] : Page.Indents[size_t(Page.FirstCol)];
    const int XR = Page.Indents[size_t(Page.LastCol) + 1];
    const int YT = -FHeaderHeight - ps->TitleSpacing;
    const int YB = Y + FL8 / 2;
    const TPrintBorders b = ps->Borders;
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal)
        FCanvas.Polyline({TPoint(XL, YT), TPoint(XR, YT), TPoint(XR, YB), TPoint(XL, YB), TPoint(XL, YT)});
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        FCanvas.MoveTo(XL, YB);
        FCanvas.LineTo(XR, YB);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && Page.RepeatFixedCols)
        for (int i = 0; i < FGrid.FixedCols(); ++i) {
            FCanvas.MoveTo(Page.Indents[size_t(i)], YT);
            FCanvas.LineTo(Page.Indents[size_t(i)], YB);
        }
}

void TGridPrintLayout::MeasureHTMLTitle(int Width)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    FHTMLTitle.clear();
    FHTMLTitleHeight = 0;
    const TStringList& lines = *ps->TitleLines();
    if (!ps->TitleText.empty() || lines.Count() == 0) return;
    String text;
    for (int i = 0; i < lines.Count(); ++i) text += lines[i];
    if (GetTextKind(text, FGrid.EnableHTML) != tkHTML) return;
    FHTMLTitle = text;
    const int saved = FCanvas.SaveState();
    const bool metric = FCanvas.SetMetricMode(false);
    FCanvas.SetFont(ps->HeaderFont());
    SetDeviceFontSize(ps->HeaderFont()->Size());
    TMiniHTMLParams p;
    p.MeasureOnly = true;
    p.Print = true;
    p.ResFactor = FD;
    p.Images = FGrid.GetCellImageList(0, 0);
    p.PictureContainer = FGrid.PictureContainer;
    const int width = std::max(1, int((Width - ps->LeftSize - ps->RightSize) * FCanvas.PixelsPerInchX() / 254.0));
    RenderMiniHTML(&FCanvas, text, TRect(0, 0, width, 65535), p);
    FCanvas.SetMetricMode(metric);
    FCanvas.RestoreState(saved);
    FHTMLTitleHeight = int(std::ceil(p.YSize * 254.0 / std::max(1, FCanvas.PixelsPerInchY())));
}

TRect TGridPrintLayout::HTMLTitleRect() const
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const TPrintPosition pos[] = {ps->Time, ps->Date, ps->PageNr};
    if (IsTop(ps->Title)) {
        // Under the header line when that line has texts.
        const bool line = std::any_of(std::begin(pos), std::end(pos), IsTop);
        const int top = -ps->HeaderSize - (line ? FHT + FL8 : 0);
        return TRect(ps->LeftSize, top, FW - ps->RightSize, top - FHTMLTitleHeight);
    }
    // Over the footer line when that line has texts, else on the bottom margin.
    const bool line = std::any_of(std::begin(pos), std::end(pos), [](TPrintPosition p) { return p != ppNone && !IsTop(p); });
    const int bottom = FH + ps->FooterSize + (line ? FFT + 2 * FL8 : FL8);
    return TRect(ps->LeftSize, bottom + FHTMLTitleHeight, FW - ps->RightSize, bottom);
}
