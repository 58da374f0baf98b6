#include "grid/util/GridDrawUtils.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "platform/rtl/Unicode.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

int Round(double v) { return static_cast<int>(std::lround(v)); }
int Clamp255(long v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

void SetPenBrush(TCanvas* c, TColor color)
{
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
}

void FillSolid(TCanvas* c, const TRect& r, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

// A line from (x1, y1) to (x2, y2), the end point excluded; nothing for clNone.
void Line(TCanvas* c, int x1, int y1, int x2, int y2, TColor color)
{
    if (color == clNone) return;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

void Pixel(TCanvas* c, int x, int y, TColor color)
{
    if (color != clNone) c->SetPixels(x, y, color);
}

void FrameColor(TCanvas* c, const TRect& r, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FrameRect(r);
}

const TColorTone& ToneOfState(const TColorTones& tones, int state)
{
    switch (state) {
    case bstHot: return tones.Hover;
    case bstPressed: return tones.Selected;
    case bstDisabled: return tones.Disabled;
    default: return tones.Background;
    }
}

std::map<String, std::unique_ptr<TBitmap>>& Glyphs()
{
    static std::map<String, std::unique_ptr<TBitmap>> glyphs;
    return glyphs;
}

} // namespace

// ---- colour maths ----

TColor BlendColor(TColor col1, TColor col2, int start, int end, int position)
{
    if (col2 == clNone || end == start) return col1;
    const TColor a = ColorToRGB(col1), b = ColorToRGB(col2);
    auto channel = [&](int c1, int c2) {
        return Clamp255(std::lround(c1 + double(c2 - c1) / double(end - start) * position));
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

TColor DarkenColor(TColor c)
{
    if (c == clNone) return c;
    const TColor v = ColorToRGB(c);
    return RGB(GetRValue(v) / 2, GetGValue(v) / 2, GetBValue(v) / 2);
}

TColor ShadeColor(TColor c, int percentage)
{
    if (c == clNone) return c;
    const TColor v = ColorToRGB(c);
    auto channel = [&](int x) { return Clamp255(x + std::lround(x * percentage / 100.0)); };
    return RGB(channel(GetRValue(v)), channel(GetGValue(v)), channel(GetBValue(v)));
}

// ---- backgrounds ----

void DrawGradient(TCanvas* canvas, TColor from, TColor to, int steps, TRect r, bool horizontal)
{
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    if (r.Top == r.Bottom || r.Left == r.Right) return;
    if (from == clNone || to == clNone) {
        // One colour missing: the other fills; neither: nothing to paint.
        const TColor c = from == clNone ? to : from;
        if (c != clNone) FillSolid(canvas, r, c);
        return;
    }
    const TColor c1 = ColorToRGB(from), c2 = ColorToRGB(to);
    const int extent = horizontal ? r.Width() : r.Height();
    const int span = extent - 1;
    steps = std::max(1, std::min(steps, span));
    const double band = double(span) / steps;
    const int dr = GetRValue(c2) - GetRValue(c1), dg = GetGValue(c2) - GetGValue(c1),
              db = GetBValue(c2) - GetBValue(c1);
    for (int i = 0; i <= steps; ++i) {
        const TColor ci = RGB(GetRValue(c1) + Round(double(i) * dr / steps), GetGValue(c1) + Round(double(i) * dg / steps),
                              GetBValue(c1) + Round(double(i) * db / steps));
        const int start = static_cast<int>(i * band);
        const int end = std::min(extent, start + static_cast<int>(band + 1));
        if (end <= start) continue;
        const TRect b = horizontal ? TRect(r.Left + start, r.Top, r.Left + end, r.Bottom)
                                   : TRect(r.Left, r.Top + start, r.Right, r.Top + end);
        FillSolid(canvas, b, ci);
    }
}

void DrawGradientButtonFace(TCanvas* canvas, TColor color, TColor colorTo, TColor mirrorColor,
                            TColor mirrorColorTo, TColor topLineColor, TColor bottomLineColor,
                            TColor borderColor, TColor innerCornerColor, TColor outerCornerColor,
                            TRect r, int faceType)
{
    TCanvas* c = canvas;
    r.Right -= 1;
    r.Bottom -= 2;
    const int left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
    const int mid = top + (bottom - top) / 2;
    const bool closedLeft = faceType == 0 || faceType == 1;
    const bool closedRight = faceType == 0 || faceType == 2;
    const int L = (closedLeft || faceType >= 4) ? 2 : 0;
    const int R = (closedRight || faceType >= 4) ? 2 : 0;

    // Upper inner line, with the upper half of each closed end.
    Line(c, left, top + 1, right, top + 1, topLineColor);
    if (closedLeft) Line(c, left + 1, top + 1, left + 1, mid, topLineColor);
    if (closedRight) Line(c, right - 2, top + 1, right - 2, mid, topLineColor);
    // Lower inner line, with the lower half of each closed end.
    Line(c, left, bottom - 1, right, bottom - 1, bottomLineColor);
    if (closedLeft) Line(c, left + 1, mid, left + 1, bottom - 1, bottomLineColor);
    if (closedRight) Line(c, right - 2, mid, right - 2, bottom - 1, bottomLineColor);
    // Outer border.
    Line(c, left + L, top, right - R, top, borderColor);
    Line(c, left + L, bottom, right - R, bottom, borderColor);
    if (closedRight) Line(c, right - 1, top + 2, right - 1, bottom - 1, borderColor);
    if (closedLeft) Line(c, left, top + 2, left, bottom - 1, borderColor);
    // Rounded corners of the closed ends.
    if (closedLeft) {
        for (TPoint p : {TPoint(left + 1, top), TPoint(left + 1, top + 1), TPoint(left, top + 1),
                         TPoint(left + 1, bottom), TPoint(left + 1, bottom - 1), TPoint(left, bottom - 1)})
            Pixel(c, p.X, p.Y, innerCornerColor);
        Pixel(c, left, top, outerCornerColor);
        Pixel(c, left, bottom, outerCornerColor);
    }
    if (closedRight) {
        for (TPoint p : {TPoint(right - 2, top), TPoint(right - 2, top + 1), TPoint(right - 1, top + 1),
                         TPoint(right - 2, bottom), TPoint(right - 2, bottom - 1), TPoint(right - 1, bottom - 1)})
            Pixel(c, p.X, p.Y, innerCornerColor);
        Pixel(c, right - 1, top, outerCornerColor);
        Pixel(c, right - 1, bottom, outerCornerColor);
    }
    // The inside.
    const TRect inside(left + L, top + 2, right - R, bottom - 1);
    if (inside.IsEmpty()) return;
    if (colorTo == clNone) {
        if (color != clNone) FillSolid(c, inside, color);
    } else if (mirrorColor == clNone) {
        DrawGradient(c, color, colorTo, 16, inside, false);
    } else {
        const int half = inside.Top + inside.Height() / 2;
        DrawGradient(c, color, colorTo, 16, TRect(inside.Left, inside.Top, inside.Right, half), false);
        DrawGradient(c, mirrorColor, mirrorColorTo, 16, TRect(inside.Left, half, inside.Right, inside.Bottom), false);
    }
}

void DrawCellBackground(TCanvas* canvas, TRect r, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill)
{
    if (fill && color != clNone) {
        if (mirrorColor == clNone) {
            if (colorTo == clNone)
                FillSolid(canvas, TRect(r.Left, r.Top, r.Right, r.Bottom + 1), color);
            else
                DrawGradient(canvas, color, colorTo, 128, r, !vertical);
        } else if (vertical) {
            const int half = r.Top + r.Height() / 2;
            DrawGradient(canvas, color, colorTo, 128, TRect(r.Left, r.Top, r.Right, half), false);
            DrawGradient(canvas, mirrorColor, mirrorColorTo, 128, TRect(r.Left, half, r.Right, r.Bottom), false);
        } else {
            const int half = r.Left + r.Width() / 2;
            DrawGradient(canvas, color, colorTo, 128, TRect(r.Left, r.Top, half, r.Bottom), true);
            DrawGradient(canvas, mirrorColor, mirrorColorTo, 128, TRect(half, r.Top, r.Right, r.Bottom), true);
        }
    }
    if (borderColor != clNone) {
        if (sidesOnly) {
            Line(canvas, r.Left, r.Top, r.Left, r.Bottom, borderColor);
            Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom, borderColor);
        } else {
            FrameColor(canvas, r, borderColor);
        }
    }
}

void FillRectColor(TCanvas* canvas, const TRect& r, TColor color)
{
    FillSolid(canvas, r, color);
}

// ---- progress displays ----

void DrawProgressBar(TCanvas* canvas, TRect r, TColor doneColor, TColor doneTextColor,
                     TColor remainColor, TColor remainTextColor, double value, int marginX, int marginY,
                     int minimum, int maximum, const String& fmt, TColor borderColor, bool upwardAxis)
{
    TCanvas* c = canvas;
    const TColor oldBrush = c->Brush()->Color();
    SetPenBrush(c, doneColor);
    c->Font()->SetColor(doneTextColor);

    String text;
    long percentage = 0;
    const long rounded = std::lround(value);
    bool formatted = false;
    if (!fmt.empty()) {
        try {
            const bool integral = fmt.find('d') != String::npos || fmt.find('u') != String::npos;
            text = integral ? Format(fmt, {static_cast<long long>(rounded)}) : Format(fmt, {value});
            formatted = true;
        } catch (const Exception&) {
            // A format that does not fit its value shows the plain percentage instead.
        }
        percentage = maximum == minimum ? 0 : std::lround((value - minimum) * 100.0 / (maximum - minimum));
    }
    if (!formatted) {
        text = IntToStr(rounded) + "%";
        if (fmt.empty()) percentage = rounded;
    }
    percentage = std::clamp(percentage, 0L, 100L);

    InflateRect(r, -marginX, -marginY);
    const int doneRight = r.Left + Round(double(percentage) * r.Width() / 100.0);
    const TPoint ext = c->TextExtent(text);
    const int th = upwardAxis ? -ext.Y : ext.Y;
    const int x = r.Left + (r.Width() - ext.X) / 2;
    const int y = r.Top + (r.Height() - th) / 2;

    if (doneRight > r.Left) c->TextRect(TRect(r.Left, r.Top, doneRight, r.Bottom), x, y, text);
    SetPenBrush(c, remainColor);
    c->Font()->SetColor(remainTextColor);
    if (doneRight < r.Right) c->TextRect(TRect(doneRight, r.Top, r.Right, r.Bottom), x, y, text);

    InflateRect(r, 1, 1);
    if (borderColor != clNone) FrameColor(c, r, borderColor);
    InflateRect(r, 1, 1);
    if (oldBrush != clNone) FrameColor(c, r, oldBrush);
    c->Brush()->SetColor(oldBrush);
}

void DrawProgressPie(TCanvas* canvas, TRect r, TColor fillColor, int percentage, bool upwardAxis)
{
    TCanvas* c = canvas;
    const TColor grey = RGB(128, 128, 128);
    percentage = std::clamp(percentage, 0, 100);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(grey);
    c->Ellipse(r);

    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    const double rx = (r.Width() + 1) / 2, ry = (r.Height() + 1) / 2;
    const double angle = percentage * 3.6 * kPi / 180.0;
    const int px = cx + Round(rx * std::sin(angle));
    const int py = cy - Round(ry * std::cos(angle));
    if (percentage != 0) {
        // The slice from twelve o'clock clockwise to the point, filled (the pie runs
        // counter-clockwise from its first radial to its second).
        const TBrushStyle oldStyle = c->Brush()->Style();
        const TColor oldBrush = c->Brush()->Color();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fillColor);
        c->Pie(r.Left, r.Top, r.Right, r.Bottom, px, py, cx, r.Top);
        c->Brush()->SetStyle(oldStyle);
        c->Brush()->SetColor(oldBrush);
    }
    c->MoveTo(cx, r.Top);
    c->LineTo(cx, cy);
    c->MoveTo(cx, cy);
    c->LineTo(px, py);
}

void DrawLevelProgress(TCanvas* canvas, TRect r, int percentage, const TLevelProgressAppearance& app)
{
    TCanvas* c = canvas;
    percentage = std::clamp(percentage, 0, 100);
    const bool vertical = app.Vertical;
    const int length = (vertical ? r.Height() : r.Width()) - 2;
    const TColor framePen = app.ShowBorder ? app.BorderColor : app.BackgroundColor;

    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(framePen);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(app.BackgroundColor);
    c->Rectangle(r);

    struct Block { int start, len; TColor color, colorTo; bool inset; };
    std::vector<Block> blocks;
    if (percentage > 0) {
        if (app.Stacked) {
            const int b0 = Round(std::min(percentage, app.Level1Perc) / 100.0 * length);
            blocks.push_back({0, b0, app.Level0Color, app.Level0ColorTo, false});
            int b1 = 0;
            if (percentage >= app.Level1Perc) {
                b1 = Round(length * (std::min(percentage, app.Level2Perc) - app.Level1Perc) / 100.0);
                blocks.push_back({b0, b1, app.Level1Color, app.Level1ColorTo, false});
            }
            if (percentage >= app.Level2Perc) {
                const int gap = vertical ? 1 : 0;
                const int b2 = percentage == 100 ? length - b0 - b1 - gap
                                                 : Round(length * (percentage - app.Level2Perc) / 100.0);
                blocks.push_back({b0 + b1 + gap, b2, app.Level3Color, app.Level3ColorTo, false});
            }
        } else {
            TColor col = app.Level2Color, colTo = app.Level2ColorTo;
            if (percentage < app.Level1Perc) {
                col = app.Level0Color;
                colTo = app.Level0ColorTo;
            } else if (percentage < app.Level2Perc) {
                col = app.Level1Color;
                colTo = app.Level1ColorTo;
            } else if (percentage == 100) {
                col = app.Level3Color;
                colTo = app.Level3ColorTo;
            }
            if (app.CompletionSmooth) {
                blocks.push_back({0, Round(percentage / 100.0 * length), col, colTo, false});
            } else {
                const int n = Round(double(percentage) * length / 100.0);
                if (n > 9) {
                    int pos = 1;
                    for (int k = 0; k < n / 9; ++k, pos += 9) blocks.push_back({pos, 7, col, colTo, true});
                    if (n % 9 > 2) blocks.push_back({pos, n % 9 - 1, col, colTo, true});
                } else if (n > 1) {
                    blocks.push_back({1, n - 1, col, colTo, true});
                }
            }
        }
    }
    for (const Block& b : blocks) {
        if (b.len <= 0) continue;
        const int across = b.inset ? 2 : 1;
        TRect br;
        if (vertical)
            br = TRect(r.Left + across, r.Bottom - 1 - b.start - b.len, r.Right - across, r.Bottom - 1 - b.start);
        else
            br = TRect(r.Left + 1 + b.start, r.Top + across, r.Left + 1 + b.start + b.len, r.Bottom - across);
        if (br.IsEmpty()) continue;
        if (!app.ShowGradient || b.colorTo == clNone) {
            FillSolid(c, br, b.color);
            continue;
        }
        // A tube: the gradient runs across the bar, mirrored at its middle.
        if (vertical) {
            const int half = br.Left + br.Width() / 2;
            DrawGradient(c, b.colorTo, b.color, app.Steps, TRect(br.Left, br.Top, half, br.Bottom), true);
            DrawGradient(c, b.color, b.colorTo, app.Steps, TRect(half, br.Top, br.Right, br.Bottom), true);
        } else {
            const int half = br.Top + br.Height() / 2;
            DrawGradient(c, b.colorTo, b.color, app.Steps, TRect(br.Left, br.Top, br.Right, half), false);
            DrawGradient(c, b.color, b.colorTo, app.Steps, TRect(br.Left, half, br.Right, br.Bottom), false);
        }
    }
    if (app.ShowPercentage) {
        // Our fonts cannot be turned: a vertical bar shows its text upright, centred too.
        if (app.Font) c->Font()->Assign(*app.Font);
        c->Font()->SetColor(app.CompleteFontColor);
        c->Brush()->SetStyle(bsClear);
        const String text = IntToStr(percentage) + "%";
        const TPoint ext = c->TextExtent(text);
        c->TextOut(r.Left + (r.Width() - ext.X) / 2, r.Top + (r.Height() - ext.Y) / 2, text);
    }
    c->Pen()->SetColor(framePen);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
    c->Brush()->SetStyle(bsSolid);
}

void DrawSignedBar(TCanvas* canvas, TRect r, double value, double maximum, bool showValue,
                   TColor negColor, TColor posColor)
{
    TCanvas* c = canvas;
    InflateRect(r, -2, -2);
    if (maximum <= 0 || r.IsEmpty()) return;
    const int half = r.Width() / 2;
    const double v = std::clamp(value, -maximum, maximum);
    const int dx = Round(half * v / maximum);
    const int centre = r.Left + half;
    if (v < 0)
        FillSolid(c, TRect(centre + dx, r.Top, centre, r.Bottom), negColor);
    else
        FillSolid(c, TRect(centre, r.Top, centre + dx, r.Bottom), posColor);
    if (showValue) {
        // The value centred over the bar, in the canvas font.
        const String text = v == std::floor(v) ? IntToStr(static_cast<long long>(v)) : FloatToStr(v);
        c->Brush()->SetStyle(bsClear);
        const TPoint ext = c->TextExtent(text);
        c->TextOut(r.Left + (r.Width() - ext.X) / 2, r.Top + (r.Height() - ext.Y) / 2, text);
        c->Brush()->SetStyle(bsSolid);
    }
}

// ---- shapes and small marks ----

void DrawCellShape(TCanvas* canvas, int x, int y, int w, int h, TCellShape shape, TColor brushColor,
                   TColor penColor)
{
    if (shape < csRectangle || shape > csHalfStar) return;
    TCanvas* c = canvas;
    if (shape == csCircle || shape == csSquare || shape == csRoundSquare) w = h = std::min(w, h);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(penColor);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(brushColor);
    const int hw = w / 2, hh = h / 2;
    const int we = w - w % 2, he = h - h % 2;
    const int w4 = we / 4, h4 = he / 4;
    auto starPoint = [&](int k) {
        const double a = k * 36.0 * kPi / 180.0;
        const double rx = (k % 2 == 0) ? hw : hw / 3.0;
        const double ry = (k % 2 == 0) ? hh : hh / 3.0;
        return TPoint(x + hw + Round(std::sin(a) * rx), y + hh - Round(std::cos(a) * ry));
    };
    switch (shape) {
    case csRectangle:
    case csSquare: c->Rectangle(x + 1, y + 1, x + w - 1, y + h - 1); break;
    case csCircle:
    case csEllips: c->Ellipse(x, y, x + w, y + h); break;
    case csTriangleLeft: c->Polygon({{x + w, y}, {x + w, y + h}, {x, y + hh}}); break;
    case csTriangleRight: c->Polygon({{x, y}, {x, y + h}, {x + w, y + hh}}); break;
    case csTriangleUp: c->Polygon({{x, y + h}, {x + w, y + h}, {x + hw, y}}); break;
    case csTriangleDown: c->Polygon({{x, y}, {x + w, y}, {x + hw, y + h}}); break;
    case csDiamond: c->Polygon({{x, y + hh}, {x + hw, y}, {x + 2 * hw, y + hh}, {x + hw, y + 2 * hh}}); break;
    case csLineVert: c->Rectangle(x + hw, y, x + hw + 1, y + h); break;
    case csLineHorz: c->Rectangle(x, y + hh, x + w, y + hh + 1); break;
    case csRoundRect:
    case csRoundSquare: c->RoundRect(x, y, x + w, y + h, 10, 10); break;
    case csStar: {
        std::vector<TPoint> pts;
        for (int k = 0; k < 10; ++k) pts.push_back(starPoint(k));
        c->Polygon(pts);
        break;
    }
    case csHalfStar:
        c->Polygon({starPoint(0), starPoint(5), starPoint(6), starPoint(7), starPoint(8), starPoint(9)});
        break;
    case csArrowUp:
        c->Polygon({{x, y + hh}, {x + we / 2, y}, {x + we, y + hh}, {x + 3 * w4, y + hh}, {x + 3 * w4, y + h},
                    {x + w4, y + h}, {x + w4, y + hh}});
        break;
    case csArrowDown:
        c->Polygon({{x, y + hh}, {x + we / 2, y + h}, {x + we, y + hh}, {x + 3 * w4, y + hh}, {x + 3 * w4, y},
                    {x + w4, y}, {x + w4, y + hh}});
        break;
    case csArrowLeft:
        c->Polygon({{x, y + he / 2}, {x + hw, y}, {x + hw, y + h4}, {x + w, y + h4}, {x + w, y + 3 * h4},
                    {x + hw, y + 3 * h4}, {x + hw, y + he}});
        break;
    case csArrowRight:
        c->Polygon({{x + w, y + he / 2}, {x + hw, y}, {x + hw, y + h4}, {x, y + h4}, {x, y + 3 * h4},
                    {x + hw, y + 3 * h4}, {x + hw, y + he}});
        break;
    }
}

void DrawDownTriangle(TCanvas* canvas, int x, int y, TColor color)
{
    SetPenBrush(canvas, color);
    canvas->Polygon({{x - 3, y}, {x + 3, y}, {x, y + 3}});
}

void DrawErrorUnderline(TCanvas* canvas, const String& text, TRect r, int lineOffset, int errStart, int errLen)
{
    TCanvas* c = canvas;
    const std::u16string w = Utf8ToUtf16(text);
    const int n = static_cast<int>(w.size());
    // Left edge of character i as a single-line edit at r would show it.
    auto charX = [&](int i) {
        i = std::clamp(i, 0, n);
        return r.Left + c->TextWidth(Utf16ToUtf8(std::u16string_view(w).substr(0, size_t(i))));
    };
    const int startX = errStart >= n ? charX(n) + 4 : charX(errStart);
    const int endX = errStart + errLen >= n ? charX(n - 1) + 4 : charX(errStart + errLen - 1);
    const int upper = r.Top + lineOffset;
    const int lower = upper + 3;

    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clRed);
    c->Pen()->SetWidth(2);
    c->MoveTo(startX, lower);
    int x = startX;
    bool up = true;
    while (x < endX) {
        x += 3;
        c->LineTo(x, up ? upper : lower);
        up = !up;
    }
    c->LineTo(x + 3, up ? upper : lower);
    c->Pen()->SetWidth(1);
}

// ---- buttons ----

void DrawDropDownButton(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones)
{
    TRect b(r.Right - 17, r.Top + 1, r.Right, r.Bottom - 1);
    OffsetRect(b, -2, 0);
    const bool disabled = state == bstDisabled;
    if (kind == bkCustom) {
        b.Left += 3;
        const TColorTone& tone = ToneOfState(tones, state);
        SetPenBrush(canvas, tone.BrushColor);
        canvas->Rectangle(b);
        Line(canvas, b.Left + 1, b.Top, b.Left + 1, b.Bottom, tones.Background.BorderColor);
        SetPenBrush(canvas, tones.Background.TextColor);
        canvas->Polygon({{b.Left + 5, b.Top + 8}, {b.Left + 11, b.Top + 8}, {b.Left + 8, b.Top + 11}});
        return;
    }
    if (kind == bkThemed &&
        DrawThemedPart(hwnd, canvas, VSCLASS_COMBOBOX, CP_DROPDOWNBUTTON, disabled ? CBXS_DISABLED : CBXS_NORMAL, b))
        return;
    DrawFrameControl(canvas, b, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0) | (kind == bkFlat ? DFCS_FLAT : 0));
}

void DrawPushButton(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones)
{
    if (kind == bkCustom) {
        const TColorTone& tone = ToneOfState(tones, state);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetColor(tone.BorderColor);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(tone.BrushColor);
        canvas->Rectangle(r);
        return;
    }
    if (kind == bkThemed && DrawThemedPart(hwnd, canvas, VSCLASS_BUTTON, BP_PUSHBUTTON, state + 1, r)) return;
    unsigned flags = DFCS_BUTTONPUSH;
    if (state == bstHot) flags |= DFCS_HOT;
    if (state == bstPressed) flags |= DFCS_PUSHED;
    if (state == bstDisabled) flags |= DFCS_INACTIVE;
    if (kind == bkFlat) flags |= DFCS_FLAT;
    DrawFrameControl(canvas, r, DFC_BUTTON, flags);
}

void DrawSpinButtons(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones)
{
    TRect area(r.Right - 15, r.Top, r.Right, r.Bottom);
    OffsetRect(area, -1, -1);
    const int mid = area.Top + area.Height() / 2;
    const TRect upper(area.Left, area.Top, area.Right, mid);
    const TRect lower(area.Left, mid + 1, area.Right, area.Bottom);
    const bool disabled = state == bstDisabled;
    if (kind == bkCustom) {
        const TColorTone& tone = ToneOfState(tones, state);
        SetPenBrush(canvas, tone.BrushColor);
        canvas->Rectangle(upper);
        canvas->Rectangle(lower);
        SetPenBrush(canvas, clBlack);
        canvas->Polygon({{upper.Left + 5, upper.Top + 5}, {upper.Left + 9, upper.Top + 5}, {upper.Left + 7, upper.Top + 3}});
        const int t = lower.Top;
        canvas->Polygon({{lower.Left + 5, t + 1}, {lower.Left + 9, t + 1}, {lower.Left + 7, t + 3}});
        return;
    }
    if (kind == bkThemed && ThemedDrawingActive()) {
        const int st = disabled ? UPS_DISABLED : UPS_NORMAL;
        DrawThemedPart(hwnd, canvas, VSCLASS_SPIN, SPNP_UP, st, upper);
        DrawThemedPart(hwnd, canvas, VSCLASS_SPIN, SPNP_DOWN, st, lower);
        return;
    }
    const unsigned flags = (disabled ? DFCS_INACTIVE : 0) | (kind == bkFlat ? DFCS_FLAT : 0);
    DrawFrameControl(canvas, upper, DFC_SCROLL, DFCS_SCROLLUP | flags);
    DrawFrameControl(canvas, lower, DFC_SCROLL, DFCS_SCROLLDOWN | flags);
}

// ---- glyphs ----

void DrawTransparentBitmap(TCanvas* canvas, const TBitmap* bmp, TColor background, const TRect& r)
{
    if (!canvas || !bmp || bmp->Empty()) return;
    TBitmap glyph;
    glyph.Assign(bmp);
    glyph.SetTransparentColor(glyph.Canvas()->Pixels(0, 0));
    glyph.SetTransparent(true);
    if (background == clNone) {
        // No background: what lies under the transparent parts stays.
        canvas->Draw(r.Left, r.Top, &glyph);
        return;
    }
    TBitmap tmp(glyph.Width(), glyph.Height());
    FillSolid(tmp.Canvas(), TRect(0, 0, glyph.Width(), glyph.Height()), background);
    tmp.Canvas()->Draw(0, 0, &glyph);
    canvas->Draw(r.Left, r.Top, &tmp);
}

void RegisterResourceGlyph(const String& name, const TBitmap* bmp)
{
    const String key = UpperCase(name);
    if (!bmp) {
        Glyphs().erase(key);
        return;
    }
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bmp);
    Glyphs()[key] = std::move(copy);
}

void DrawResourceGlyph(TCanvas* canvas, TColor background, const TRect& r, const String& resName)
{
    auto it = Glyphs().find(UpperCase(resName));
    if (it != Glyphs().end()) DrawTransparentBitmap(canvas, it->second.get(), background, r);
}

// ---- layered windows ----

bool DynUpdateLayeredWindow(HWND, std::uintptr_t, const TPoint*, const TPoint*, std::uintptr_t, const TPoint*, TColor,
                            const void*, DWORD)
{
    return true;
}

bool DynSetLayeredWindowAttributes(HWND, TColor, std::uint8_t, DWORD) { return true; }
