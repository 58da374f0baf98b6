// Cell text with highlighted ("hi") and error-marked ("e") runs: highlighted runs in
// the highlight colours, error runs underlined with the red zigzag.
#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTML.h"
#include "grid/util/GridDrawUtils.h"
#include "platform/rtl/Unicode.h"

bool TExtStringGrid::DrawMarkedCellText(TCanvas* ACanvas, const String& AText, TRect R, unsigned Flags, int& TextWidth)
{
    std::vector<TMarkedRun> runs;
    if (!SplitMarkedRuns(AText, runs)) return false;
    // One line: the runs' texts side by side, placed as the flags ask.
    int total = 0;
    for (auto& run : runs) {
        for (char& c : run.Text)
            if (c == '\r' || c == '\n') c = ' ';
        total += ACanvas->TextWidth(run.Text);
    }
    const int h = ACanvas->TextHeight("gh");
    int x = R.Left;
    if (Flags & DT_CENTER) x = R.Left + (R.Width() - total) / 2;
    else if (Flags & DT_RIGHT) x = R.Right - total;
    int y = R.Top;
    if (Flags & DT_VCENTER) y = R.Top + (R.Height() - h) / 2;
    else if (Flags & DT_BOTTOM) y = R.Bottom - h;
    TextWidth = total + 2;
    const int saved = ACanvas->SaveState();
    ACanvas->IntersectClipRect(R);
    const TColor textColor = ACanvas->Font()->Color();
    for (const auto& run : runs) {
        const int w = ACanvas->TextWidth(run.Text);
        const TRect rr(x, y, x + w, y + h);
        if (run.Highlight) {
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(HighlightColor);
            ACanvas->FillRect(rr);
            ACanvas->Font()->SetColor(HighlightTextColor);
        } else {
            ACanvas->Font()->SetColor(textColor);
        }
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextOut(x, y, run.Text);
        if (run.Error && !run.Text.empty())
            DrawErrorUnderline(ACanvas, run.Text, rr, h - 2, 0, int(Utf8ToUtf16(run.Text).size()));
        x += w;
    }
    ACanvas->Font()->SetColor(textColor);
    ACanvas->RestoreState(saved);
    return true;
}
