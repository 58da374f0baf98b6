#pragma once
// Shared helpers of the Qt backend (included only by this folder's sources).
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"

inline QString QS(const String& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline String SS(const QString& s)
{
    QByteArray b = s.toUtf8();
    return String(b.constData(), size_t(b.size()));
}
inline QColor QC(TColor c)
{
    TColor r = ColorToRGB(c);
    return QColor(GetRValue(r), GetGValue(r), GetBValue(r));
}
inline TColor TC(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
inline QRect QR(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect TR(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

QFont MakeQFont(const TFont& f);
Qt::CursorShape QtCursor(TCursor c);
// The cursor for c: a registered shape of the program's own, else the system shape.
QCursor QtCursorOf(TCursor c);

// Canvas state: the painter it draws with now (a widget's while it paints, or its
// own on a bitmap), and the saved states.
struct TCanvasImpl {
    QPainter* painter = nullptr;          // borrowed (widget paint) or own.get()
    std::unique_ptr<QPainter> own;
    TBitmap* bitmap = nullptr;            // the bitmap this canvas draws into
    QRect surface;                        // the whole drawing surface
    struct Saved {
        bool hasClip;
        QRegion clip;
        TPen pen;
        TBrush brush;
        TFont font;
        TPoint penPos;
    };
    std::vector<Saved> saved;
    // Device resolution and the metric mapping (see TCanvas::SetMetricMode).
    int dpiX = 96, dpiY = 96;
    bool metric = false;
    // Binds a widget's painter for the duration of a paint.
    void Bind(QPainter* p, const QRect& area);
    void Unbind();
    // Ends the bitmap painter (before the image is read, resized or replaced).
    void EndOwn();
};

struct TBitmapImpl {
    QImage image;
    TCanvas* canvas = nullptr;
    void Flush()
    {
        if (canvas) canvas->Impl()->EndOwn();
    }
};

// Text with tabs as the platform's lists and DrawText with DT_EXPANDTABS show it: a tab
// moves on to the next stop, and the stops lie every 8 average character widths, so
// the columns of texts that share a font line up.
int TabbedTextWidth(const QFontMetrics& fm, const QString& s);
// Draws s with its baseline starting at (x, y).
void DrawTabbedText(QPainter& p, const QFontMetrics& fm, int x, int y, const QString& s);

// The image of a bitmap as drawn: with its transparent colour cleared when transparent.
QImage DrawableImage(const TBitmap* b);
