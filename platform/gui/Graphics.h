#pragma once
// Fonts, pens, brushes, the canvas and bitmaps. The canvas paints through the backend
// (on a control while it paints, or into a bitmap); text is measured with the same
// fonts everywhere, in pixels at 96 dots per inch.
#include <memory>
#include <vector>

#include "platform/gui/Types.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TTransparentMode { tmAuto, tmFixed };
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Text format flags of TCanvas::DrawText.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// Base of font, pen and brush: announces every change.
class TGraphicsObject : public TObject {
public:
    TNotifyEvent OnChange;
protected:
    void Changed();
};

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(const TFont& src);
    bool SameAs(const TFont& other) const;

    const String& Name() const { return FName; }
    void SetName(const String& v);
    // Points at 96 dpi; Height is pixels, negative meaning the character height.
    int Size() const;
    void SetSize(int points);
    int Height() const { return FHeight; }
    void SetHeight(int pixels);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    int Charset() const { return FCharset; }
    void SetCharset(int v) { FCharset = v; }
    TFontQuality Quality() const { return FQuality; }
    void SetQuality(TFontQuality v) { FQuality = v; }
    // Angle of the text's baseline in tenths of a degree, counter-clockwise (900: the
    // text reads upwards); TCanvas::TextOut turns its text about the top-left point.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int tenths);
    // The font family the backend really draws with (after mapping the desktop names).
    String ResolvedFamily() const;
    // Character height in pixels as the backend uses it.
    int PixelSize() const;
private:
    String FName = "Tahoma";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontPitch FPitch = fpDefault;
    int FCharset = 1;
    TFontQuality FQuality = fqDefault;
    int FOrientation = 0;
};

class TPen : public TGraphicsObject {
public:
    void Assign(const TPen& src);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v);
private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBitmap;
class TBrush : public TGraphicsObject {
public:
    void Assign(const TBrush& src);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TGraphic;
struct TCanvasImpl;   // backend state of a canvas

// ---- drawing record: what a canvas draws where, for tests ----
class TCanvas;
class TCanvasRecorder {
public:
    virtual ~TCanvasRecorder() = default;
    // One drawing call: its name, the rectangle it covers and its text; the canvas's
    // brush, pen and font are those of the call.
    virtual void Record(TCanvas* Canvas, const char* Op, const TRect& R, const String& Text) = 0;
};

class TCanvas : public TObject {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    void SetFont(const TFont* f) { FFont.Assign(*f); }
    void SetPen(const TPen* p) { FPen.Assign(*p); }
    void SetBrush(const TBrush* b) { FBrush.Assign(*b); }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);   // the end point itself is not drawn
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // Text at (x, y) as top-left; with a solid brush the text's box is filled first.
    void TextOut(int x, int y, const String& text);
    // Text clipped to r; with a solid brush the whole of r is filled first.
    void TextRect(const TRect& r, int x, int y, const String& text);
    // Formatted text (DT_* flags); returns the text's height. DT_CALCRECT only measures
    // and sets r's right and bottom to the text's extent.
    int DrawText(const String& text, TRect& r, unsigned flags);
    int TextWidth(const String& text);
    int TextHeight(const String& text);
    TPoint TextExtent(const String& text);

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor c);

    // Clipping: the clip rectangle in canvas coordinates (the whole surface when none).
    TRect ClipRect();
    void IntersectClipRect(const TRect& r);
    void SetClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    // Saves clip, pen, brush and font; Restore brings the last saved back.
    int SaveState();
    void RestoreState(int saved = -1);

    void Draw(int x, int y, const TGraphic* g);
    void StretchDraw(const TRect& r, const TGraphic* g);
    void CopyRect(const TRect& dest, TCanvas* src, const TRect& source);
    void DrawFocusRect(const TRect& r);
    // Fills the area of colour at (x, y) bounded by another colour: not needed here.

    void Lock() {}
    void Unlock() {}
    bool HandleAllocated() const;
    // Moves the origin of every drawing call (used when children paint in a parent).
    TPoint Origin() const;

    TCanvasImpl* Impl() const { return FImpl.get(); }

    // ---- device resolution and the metric mapping used by printing ----
    // Device pixels per inch: the screen's 96 for bitmaps and windows, a printer's own.
    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    // In the metric mode one logical unit is 0.1 mm, x grows to the right and y grows
    // upward from the surface's top-left corner, so every point on the surface has y <= 0;
    // text stays upright and font heights are logical units. Returns the mode before.
    bool SetMetricMode(bool On);
    bool MetricMode() const;

    // ---- drawing record ----
    void SetRecorder(TCanvasRecorder* Recorder) { FRecorder = Recorder; }

private:
    void Note(const char* Op, const TRect& R, const String& Text = String())
    {
        if (FRecorder) FRecorder->Record(this, Op, R, Text);
    }
    TCanvasRecorder* FRecorder = nullptr;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
    std::unique_ptr<TCanvasImpl> FImpl;
};

class TGraphic : public TObject {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v) { FTransparent = v; }
    virtual void LoadFromFile(const String& fileName) = 0;
    virtual void SaveToFile(const String& fileName) const = 0;
    // How a graphic that is not a bitmap paints itself when a canvas draws it (the
    // canvas passes the target rectangle: the natural size at (x, y) for Draw).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) const {}
    TNotifyEvent OnChange;
protected:
    bool FTransparent = false;
};

struct TBitmapImpl;
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int w, int h);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override;
    int Height() const override;
    void SetWidth(int w);
    void SetHeight(int h);
    void SetSize(int w, int h);
    bool Empty() const override;
    TCanvas* Canvas();
    // BMP or PNG, told apart by content; EFOpenError when unreadable.
    void LoadFromFile(const String& fileName) override;
    // Format from the extension: .png writes PNG, .jpg and .jpeg JPEG, .ico an icon,
    // anything else BMP.
    void SaveToFile(const String& fileName) const override;
    void Assign(const TBitmap* src);
    void Assign(const TGraphic* src);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor c);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode m) { FTransparentMode = m; }
    // The pixels are always kept as 32-bit RGB; the format is recorded for code that
    // asks which kind of bitmap it was given.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat v) { FPixelFormat = v; }
    void Dormant() {}
    void FreeImage() {}

    TBitmapImpl* Impl() const { return FImpl.get(); }
private:
    std::unique_ptr<TBitmapImpl> FImpl;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    TPixelFormat FPixelFormat = pf32bit;
};

// Holds one picture; every format loads into a bitmap.
class TPicture : public TObject {
public:
    TPicture();
    ~TPicture() override;
    TGraphic* Graphic() const { return FBitmap->Empty() ? nullptr : FBitmap.get(); }
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* b);
    void Assign(const TPicture* p);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName) const;
    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }
    void Clear();
    TNotifyEvent OnChange;
private:
    std::unique_ptr<TBitmap> FBitmap;
};

// Font helpers: the family a desktop font name is drawn with.
String MapFontFamily(const String& name);

// ---- picture files held in memory ----
// Decodes a picture file held in memory with the platform's readers (PNG, JPEG, GIF: its
// first image, BMP, ICO: its first icon). False, with Into emptied, when the bytes are no
// picture the readers know or the file is cut short.
bool DecodePictureData(const void* Data, size_t Size, TBitmap& Into);
