#pragma once
// Drawing routines of the grid: gradients, office-style button faces, cell backgrounds,
// progress displays, a signed bar, cell shapes, drop-down, push and spin buttons,
// transparent glyphs, the wavy error underline and small triangles. Stateless: the
// callers choose the colours.
//
// Rectangles are left, top, right, bottom with right and bottom exclusive. Colours are
// resolved to RGB (system colours included) before any channel arithmetic; clNone means
// no colour.
#include "grid/util/GridTheme.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

// Button kinds of the button painters.
constexpr int bkThemed = 0;
constexpr int bkClassic = 1;
constexpr int bkFlat = 2;
constexpr int bkCustom = 3;
// Button states.
constexpr int bstNormal = 0;
constexpr int bstHot = 1;
constexpr int bstPressed = 2;
constexpr int bstDisabled = 3;

// What DrawLevelProgress draws with.
struct TLevelProgressAppearance {
    TColor Level0Color = 0x00C000;
    TColor Level0ColorTo = clNone;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = clNone;
    TColor Level2Color = 0x0080FF;
    TColor Level2ColorTo = clNone;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = clNone;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = false;
    bool Stacked = false;
    bool ShowPercentage = true;
    const TFont* Font = nullptr;        // nullptr: the canvas font
    TColor CompleteFontColor = clBlack;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 11;
    TColor BackgroundColor = clWhite;
    bool Vertical = false;
};

// ---- colour maths ----
// colour 1 when colour 2 is clNone; else per channel c1 + round((c2 - c1) / (end - start) * position).
// An empty range (end = start) gives colour 1.
TColor BlendColor(TColor col1, TColor col2, int start, int end, int position);
// Every channel halved.
TColor DarkenColor(TColor c);
// Every channel c + round(c * percentage / 100), limited to 0..255.
TColor ShadeColor(TColor c, int percentage);

// ---- backgrounds ----
// Bands of colour from 'from' to 'to', left to right (horizontal) or top to bottom.
void DrawGradient(TCanvas* canvas, TColor from, TColor to, int steps, TRect r, bool horizontal);
// A rounded face; faceType 0 closes both ends, 1 the left, 2 the right, 3 neither
// (faces side by side make one bar), 4 and above neither with 2-pixel insets.
void DrawGradientButtonFace(TCanvas* canvas, TColor color, TColor colorTo, TColor mirrorColor,
                            TColor mirrorColorTo, TColor topLineColor, TColor bottomLineColor,
                            TColor borderColor, TColor innerCornerColor, TColor outerCornerColor,
                            TRect r, int faceType);
void DrawCellBackground(TCanvas* canvas, TRect r, TColor color, TColor colorTo, TColor mirrorColor,
                        TColor mirrorColorTo, bool vertical, TColor borderColor, bool sidesOnly, bool fill);
void FillRectColor(TCanvas* canvas, const TRect& r, TColor color);

// ---- progress displays ----
// fmt: empty shows the rounded value and "%"; a format with 'd' or 'u' gets the rounded
// value, any other the value as a real number. upwardAxis: a canvas whose y grows upward.
void DrawProgressBar(TCanvas* canvas, TRect r, TColor doneColor, TColor doneTextColor,
                     TColor remainColor, TColor remainTextColor, double value, int marginX, int marginY,
                     int minimum, int maximum, const String& fmt, TColor borderColor, bool upwardAxis);
// A pie filled clockwise from twelve o'clock.
void DrawProgressPie(TCanvas* canvas, TRect r, TColor fillColor, int percentage, bool upwardAxis);
void DrawLevelProgress(TCanvas* canvas, TRect r, int percentage, const TLevelProgressAppearance& app);
// A bar from the centre, left for negative values; maximum <= 0 draws no bar.
void DrawSignedBar(TCanvas* canvas, TRect r, double value, double maximum, bool showValue,
                   TColor negColor, TColor posColor);

// ---- shapes and small marks ----
// x, y: top-left corner. A shape beyond csHalfStar draws nothing.
void DrawCellShape(TCanvas* canvas, int x, int y, int w, int h, TCellShape shape, TColor brushColor,
                   TColor penColor);
// The filled triangle (x - 3, y), (x + 3, y), (x, y + 3).
void DrawDownTriangle(TCanvas* canvas, int x, int y, TColor color);
// Red wavy line under the characters errStart (0-based) .. errStart + errLen - 1 of a
// single-line text drawn at r; lineOffset moves it down.
void DrawErrorUnderline(TCanvas* canvas, const String& text, TRect r, int lineOffset, int errStart, int errLen);

// ---- buttons (kind bk*, state bst*; hwnd: the window whose visual style is used) ----
void DrawDropDownButton(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones);
void DrawPushButton(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones);
void DrawSpinButtons(TCanvas* canvas, HWND hwnd, TRect r, int kind, int state, const TColorTones& tones);

// ---- glyphs ----
// The bitmap with the colour of its top-left pixel transparent over a background,
// at r's top-left corner in the bitmap's size.
void DrawTransparentBitmap(TCanvas* canvas, const TBitmap* bmp, TColor background, const TRect& r);
// The program's glyphs by name (names compared without regard to case).
void RegisterResourceGlyph(const String& name, const TBitmap* bmp);
// Draws the named glyph with DrawTransparentBitmap; nothing for an unknown name.
void DrawResourceGlyph(TCanvas* canvas, TColor background, const TRect& r, const String& resName);

// ---- layered windows ----
// This platform has no layered-window functions: like a missing function, they do
// nothing and report success.
bool DynUpdateLayeredWindow(HWND hwnd, std::uintptr_t hdcDst, const TPoint* pptDst, const TPoint* psize,
                            std::uintptr_t hdcSrc, const TPoint* pptSrc, TColor crKey, const void* pblend,
                            DWORD flags);
bool DynSetLayeredWindowAttributes(HWND hwnd, TColor crKey, std::uint8_t alpha, DWORD flags);
