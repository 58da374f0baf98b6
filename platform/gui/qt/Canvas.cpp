// Canvas, bitmaps and fonts on QPainter / QImage.
#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainterPath>
#include <QTransform>

#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "platform/gui/Graphics.h"
#include "platform/gui/PictureData.h"
#include "platform/gui/qt/Backend.h"
#include "platform/gui/qt/QtCommon.h"

// ---------------------------------------------------------------- fonts

namespace backend {
bool FontFamilyRegistered(const QString& family);
}

String MapFontFamily(const String& name)
{
    const String n = LowerCase(name);
    if (n == "tahoma") return backend::FontFamilyRegistered("Tahoma") ? "Tahoma" : "DejaVu Sans";
    if (n == "ms sans serif" || n == "microsoft sans serif")
        return backend::FontFamilyRegistered("MS Sans Serif") ? "MS Sans Serif" : "DejaVu Sans";
    if (n == "verdana" || n == "segoe ui" || n == "arial" || n == "calibri" || n == "ms shell dlg" || n == "ms shell dlg 2")
        return "DejaVu Sans";
    if (n == "courier new" || n == "courier" || n == "consolas" || n == "lucida console") return "DejaVu Sans Mono";
    if (n == "times new roman") return "DejaVu Serif";
    return name;
}

String TFont::ResolvedFamily() const { return MapFontFamily(FName); }

int TFont::PixelSize() const
{
    if (FHeight < 0) return -FHeight;
    if (FHeight == 0) return 11;
    // A positive height is the cell height (ascent + descent): scale it to the em size.
    static std::map<String, double> ratios;
    String fam = ResolvedFamily();
    auto it = ratios.find(fam);
    if (it == ratios.end()) {
        backend::EnsureStarted();
        QFont f(QS(fam));
        f.setPixelSize(100);
        QFontMetricsF fm(f);
        double cell = fm.ascent() + fm.descent();
        it = ratios.emplace(fam, cell > 0 ? 100.0 / cell : 0.8).first;
    }
    return std::max(1, int(std::lround(FHeight * it->second)));
}

QFont MakeQFont(const TFont& f)
{
    // Fonts are made often (every measure, every paint): keep the ones made.
    struct Key {
        String name;
        int height;
        std::uint32_t style;
        int quality;
        bool operator<(const Key& o) const
        {
            return std::tie(name, height, style, quality) < std::tie(o.name, o.height, o.style, o.quality);
        }
    };
    static std::map<Key, QFont> cache;
    Key key{f.Name(), f.Height(), f.Style().Bits(), int(f.Quality())};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    QFont q(QS(f.ResolvedFamily()));
    q.setPixelSize(f.PixelSize());
    q.setBold(f.Style().Contains(fsBold));
    q.setItalic(f.Style().Contains(fsItalic));
    q.setUnderline(f.Style().Contains(fsUnderline));
    q.setStrikeOut(f.Style().Contains(fsStrikeOut));
    if (f.Quality() == fqNonAntialiased) q.setStyleStrategy(QFont::NoAntialias);
    cache.emplace(key, q);
    return q;
}

// ---------------------------------------------------------------- canvas state

void TCanvasImpl::Bind(QPainter* p, const QRect& area)
{
    EndOwn();
    painter = p;
    surface = area;
    saved.clear();
}

void TCanvasImpl::Unbind()
{
    painter = nullptr;
    saved.clear();
}

void TCanvasImpl::EndOwn()
{
    if (own) {
        if (own->isActive()) own->end();
        own.reset();
        if (painter && !own) painter = nullptr;
    }
}

namespace {

// Logical 0.1 mm to device pixels, y turned upward.
QTransform MetricTransform(const TCanvasImpl* d)
{
    return QTransform::fromScale(d->dpiX / 254.0, -d->dpiY / 254.0);
}

// The painter of a canvas, begun on its bitmap when needed.
QPainter* Painter(TCanvasImpl* d)
{
    if (d->painter) return d->painter;
    if (d->bitmap) {
        QImage& img = d->bitmap->Impl()->image;
        if (img.isNull() || img.width() == 0) return nullptr;
        d->own = std::make_unique<QPainter>(&img);
        d->painter = d->own.get();
        d->surface = img.rect();
        // A painter begun afresh (after the bitmap was read or resized) keeps the mode.
        if (d->metric) d->painter->setWorldTransform(MetricTransform(d));
        return d->painter;
    }
    return nullptr;
}

// Rectangles in the metric mode come with Top above Bottom (Top > Bottom): the painter
// wants them the other way round.
QRect QRM(const TCanvasImpl* d, const TRect& r)
{
    if (!d->metric) return QR(r);
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right, r.Bottom)).normalized().adjusted(0, 0, -1, -1);
}

// Text is laid out top-down: in the metric mode it is drawn in a frame turned back to
// y downward (so glyphs stay upright) where a logical y becomes -y.
struct TextFrame {
    QPainter* p;
    bool on;
    TextFrame(QPainter* painter, bool metric) : p(painter), on(metric && painter)
    {
        if (!on) return;
        p->save();
        p->scale(1, -1);
    }
    ~TextFrame()
    {
        if (on) p->restore();
    }
    TextFrame(const TextFrame&) = delete;
    TextFrame& operator=(const TextFrame&) = delete;
};

QPen MakePen(TPen* pen)
{
    if (pen->Style() == psClear) return QPen(Qt::NoPen);
    QPen p(QC(pen->Color()));
    p.setWidth(std::max(1, pen->Width()));
    switch (pen->Style()) {
    case psDash: p.setStyle(Qt::DashLine); break;
    case psDot: p.setDashPattern({1, 1}); break;
    case psDashDot: p.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: p.setStyle(Qt::DashDotDotLine); break;
    default: p.setStyle(Qt::SolidLine); break;
    }
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

QBrush MakeBrush(TBrush* b)
{
    QColor c = QC(b->Color());
    switch (b->Style()) {
    case bsClear: return QBrush(Qt::NoBrush);
    case bsHorizontal: return QBrush(c, Qt::HorPattern);
    case bsVertical: return QBrush(c, Qt::VerPattern);
    case bsFDiagonal: return QBrush(c, Qt::FDiagPattern);
    case bsBDiagonal: return QBrush(c, Qt::BDiagPattern);
    case bsCross: return QBrush(c, Qt::CrossPattern);
    case bsDiagCross: return QBrush(c, Qt::DiagCrossPattern);
    default: return QBrush(c);
    }
}

QPainter::CompositionMode Mode(TPenMode m)
{
    switch (m) {
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// Sets up the painter for a shape: pen, brush and raster mode.
QPainter* Prepare(TCanvas* c, bool withBrush = true)
{
    QPainter* p = Painter(c->Impl());
    if (!p) return nullptr;
    p->setRenderHint(QPainter::Antialiasing, false);
    QPen pen = MakePen(c->Pen());
    // In the metric mode a pen thinner than a device pixel still shows: one pixel wide.
    if (c->Impl()->metric && pen.style() != Qt::NoPen && c->Pen()->Width() * c->Impl()->dpiX < 254) pen.setWidth(0);
    p->setPen(pen);
    p->setBrush(withBrush ? MakeBrush(c->Brush()) : QBrush(Qt::NoBrush));
    p->setCompositionMode(Mode(c->Pen()->Mode()));
    return p;
}

QFont CanvasFont(TCanvas* c) { return MakeQFont(*c->Font()); }

}

// ---------------------------------------------------------------- TCanvas

TCanvas::TCanvas() : FImpl(std::make_unique<TCanvasImpl>()) {}

TCanvas::~TCanvas()
{
    FImpl->EndOwn();
}

bool TCanvas::HandleAllocated() const { return FImpl->painter != nullptr || FImpl->bitmap != nullptr; }

TPoint TCanvas::Origin() const { return TPoint(0, 0); }

void TCanvas::FillRect(const TRect& r)
{
    Note("FillRect", r);
    QPainter* p = Painter(FImpl.get());
    if (!p || FBrush.Style() == bsClear) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A solid fill needs no brush object (most fills are solid: cells, gradient bands).
    if (FBrush.Style() == bsSolid) p->fillRect(QRM(FImpl.get(), r), QC(FBrush.Color()));
    else p->fillRect(QRM(FImpl.get(), r), MakeBrush(&FBrush));
}

void TCanvas::FrameRect(const TRect& r)
{
    Note("FrameRect", r);
    QPainter* p = Painter(FImpl.get());
    if (!p || r.IsEmpty()) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QColor c = QC(FBrush.Color());
    p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Note("Rectangle", TRect(x1, y1, x2, y2));
    QPainter* p = Prepare(this, false);
    if (!p) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (FBrush.Style() != bsClear) p->fillRect(QRect(x1, y1, x2 - x1, y2 - y1), MakeBrush(&FBrush));
    if (FPen.Style() == psClear || x2 - x1 < 1 || y2 - y1 < 1) return;
    const int w = std::max(1, FPen.Width());
    QPen pen = MakePen(&FPen);
    pen.setWidth(1);
    p->setPen(pen);
    for (int k = 0; k < w; ++k) {
        int o = k - (w - 1) / 2;
        QRect r(x1 + o, y1 + o, x2 - x1 - 1 - 2 * o, y2 - y1 - 1 - 2 * o);
        if (r.width() < 0 || r.height() < 0) break;
        p->drawRect(r);
    }
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h)
{
    Note("RoundRect", TRect(x1, y1, x2, y2));
    QPainter* p = Prepare(this);
    if (!p) return;
    p->drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), w / 2.0, h / 2.0);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Note("Ellipse", TRect(x1, y1, x2, y2));
    QPainter* p = Prepare(this);
    if (!p) return;
    p->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (!points.empty()) {
        TRect box(points[0].X, points[0].Y, points[0].X, points[0].Y);
        for (const TPoint& pt : points) {
            box.Left = std::min(box.Left, pt.X);
            box.Top = std::min(box.Top, pt.Y);
            box.Right = std::max(box.Right, pt.X + 1);
            box.Bottom = std::max(box.Bottom, pt.Y + 1);
        }
        Note("Polygon", box);
    }
    QPainter* p = Prepare(this);
    if (!p || points.empty()) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    p->drawPolygon(poly);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty()) return;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = TPoint(x, y); }

void TCanvas::LineTo(int x, int y)
{
    Note("LineTo", TRect(FPenPos.X, FPenPos.Y, x, y));
    const TPoint from = FPenPos;
    FPenPos = TPoint(x, y);
    QPainter* p = Prepare(this, false);
    if (!p || FPen.Style() == psClear) return;
    int dx = x - from.X, dy = y - from.Y;
    if (dx == 0 && dy == 0) return;
    // The end point is not part of the line: stop one step before it on the major axis.
    int ex, ey;
    if (std::abs(dx) >= std::abs(dy)) {
        int n = std::abs(dx) - 1;
        ex = from.X + (dx > 0 ? n : -n);
        ey = from.Y + int(std::lround(double(dy) * n / std::abs(dx)));
    } else {
        int n = std::abs(dy) - 1;
        ey = from.Y + (dy > 0 ? n : -n);
        ex = from.X + int(std::lround(double(dx) * n / std::abs(dy)));
    }
    if (FPen.Width() <= 1) {
        // One pixel wide: a point with a flat cap, a line with a square one. Prepare has
        // set the square cap already.
        if (ex == from.X && ey == from.Y) {
            QPen pen = p->pen();
            pen.setCapStyle(Qt::FlatCap);
            pen.setWidth(1);
            p->setPen(pen);
            p->drawPoint(from.X, from.Y);
        } else {
            p->drawLine(from.X, from.Y, ex, ey);
        }
    } else {
        p->drawLine(from.X, from.Y, ex, ey);
    }
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    QPainter* p = Prepare(this, false);
    if (!p) return;
    QRectF r(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    QPointF c = r.center();
    double a1 = std::atan2(-(y3 - c.y()), x3 - c.x()) * 180 / M_PI;
    double a2 = std::atan2(-(y4 - c.y()), x4 - c.x()) * 180 / M_PI;
    double span = a2 - a1;
    if (span <= 0) span += 360;
    p->drawArc(r, int(a1 * 16), int(span * 16));
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    QPainter* p = Prepare(this);
    if (!p) return;
    QRectF r(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    QPointF c = r.center();
    double a1 = std::atan2(-(y3 - c.y()), x3 - c.x()) * 180 / M_PI;
    double a2 = std::atan2(-(y4 - c.y()), x4 - c.x()) * 180 / M_PI;
    double span = a2 - a1;
    if (span <= 0) span += 360;
    p->drawPie(r, int(a1 * 16), int(span * 16));
}

int TCanvas::TextWidth(const String& text) { return TextExtent(text).X; }

int TCanvas::TextHeight(const String& text) { return TextExtent(text).Y; }

TPoint TCanvas::TextExtent(const String& text)
{
    backend::EnsureStarted();
    QFontMetrics fm(CanvasFont(this));
    return TPoint(fm.horizontalAdvance(QS(text)), fm.height());
}

void TCanvas::TextOut(int x, int y, const String& text)
{
    Note("TextOut", TRect(x, y, x, y), text);
    QFont f = CanvasFont(this);
    QFontMetrics fm(f);
    QString s = QS(text);
    const int w = fm.horizontalAdvance(s);
    FPenPos = TPoint(x + w, y);
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    TextFrame frame(p, FImpl->metric);
    if (FImpl->metric) y = -y;
    const int turn = FFont.Orientation();
    if (turn != 0) {
        // Turned text: the same drawing in a frame turned about (x, y).
        p->save();
        p->translate(x, y);
        p->rotate(-turn / 10.0);
        x = y = 0;
    }
    if (FBrush.Style() != bsClear) p->fillRect(QRect(x, y, w, fm.height()), QC(FBrush.Color()));
    p->setFont(f);
    p->setPen(QC(FFont.Color()));
    p->drawText(x, y + fm.ascent(), s);
    if (turn != 0) p->restore();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    Note("TextRect", r, text);
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    QFont f = CanvasFont(this);
    QFontMetrics fm(f);
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setClipRect(QR(r), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (FBrush.Style() != bsClear) p->fillRect(QR(r), QC(FBrush.Color()));
    p->setFont(f);
    p->setPen(QC(FFont.Color()));
    p->drawText(x, y + fm.ascent(), QS(text));
    p->restore();
}

namespace {
// Removes the accelerator marks: "&&" stays as "&", a lone "&" goes.
QString StripPrefix(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += s[i];
    }
    return out;
}

QString Ellipsize(const QFontMetrics& fm, QString s, int width)
{
    if (fm.horizontalAdvance(s) <= width) return s;
    while (!s.isEmpty() && fm.horizontalAdvance(s + "...") > width) s.chop(1);
    return s + "...";
}

std::vector<QString> WrapLine(const QFontMetrics& fm, const QString& line, int width)
{
    std::vector<QString> out;
    QString cur;
    qsizetype i = 0;
    while (i < line.size()) {
        // next word with the blanks before it
        qsizetype j = i;
        while (j < line.size() && line[j] == ' ') ++j;
        while (j < line.size() && line[j] != ' ') ++j;
        QString piece = line.mid(i, j - i);
        if (cur.isEmpty()) {
            cur = piece;
        } else if (fm.horizontalAdvance(cur + piece) <= width) {
            cur += piece;
        } else {
            out.push_back(cur);
            while (!piece.isEmpty() && piece[0] == ' ') piece.remove(0, 1);
            cur = piece;
        }
        i = j;
    }
    out.push_back(cur);
    return out;
}
}

namespace {
// Calls piece(x, text) for each stretch of s between tabs; returns the width of all of it.
template <class Piece>
int WalkTabs(const QFontMetrics& fm, const QString& s, Piece&& piece)
{
    const int stop = std::max(1, 8 * fm.averageCharWidth());
    int x = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = s.indexOf('\t', from);
        const QString part = s.mid(from, tab < 0 ? -1 : tab - from);
        piece(x, part);
        x += fm.horizontalAdvance(part);
        if (tab < 0) return x;
        x = (x / stop + 1) * stop;
        from = tab + 1;
    }
}
}

// Most texts hold no tab: they are measured and drawn whole, shaped once each.
int TabbedTextWidth(const QFontMetrics& fm, const QString& s)
{
    if (!s.contains('\t')) return fm.horizontalAdvance(s);
    return WalkTabs(fm, s, [](int, const QString&) {});
}

void DrawTabbedText(QPainter& p, const QFontMetrics& fm, int x, int y, const QString& s)
{
    if (!s.contains('\t')) {
        if (!s.isEmpty()) p.drawText(x, y, s);
        return;
    }
    WalkTabs(fm, s, [&](int at, const QString& part) {
        if (!part.isEmpty()) p.drawText(x + at, y, part);
    });
}

int TCanvas::DrawText(const String& text, TRect& r, unsigned flags)
{
    Note("DrawText", r, text);
    backend::EnsureStarted();
    QFont f = CanvasFont(this);
    QFontMetrics fm(f);
    QString s = QS(text);
    if (!(flags & DT_NOPREFIX)) s = StripPrefix(s);
    std::vector<QString> lines;
    if (flags & DT_SINGLELINE) {
        s.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
        lines.push_back(s);
    } else {
        s.replace("\r\n", "\n").replace('\r', '\n');
        for (const QString& l : s.split('\n')) {
            if (flags & DT_WORDBREAK) {
                for (QString& w : WrapLine(fm, l, r.Width())) lines.push_back(w);
            } else {
                lines.push_back(l);
            }
        }
    }
    if (flags & DT_END_ELLIPSIS)
        for (QString& l : lines) l = Ellipsize(fm, l, r.Width());
    const bool tabs = flags & DT_EXPANDTABS;
    auto width = [&](const QString& l) { return tabs ? TabbedTextWidth(fm, l) : fm.horizontalAdvance(l); };
    const int lh = fm.height();
    const int total = lh * int(lines.size());
    if (flags & DT_CALCRECT) {
        int maxw = 0;
        for (const QString& l : lines) maxw = std::max(maxw, width(l));
        r.Right = r.Left + maxw;
        r.Bottom = FImpl->metric ? r.Top - total : r.Top + total;
        return total;
    }
    QPainter* p = Painter(FImpl.get());
    if (!p) return total;
    TextFrame frame(p, FImpl->metric);
    if (FImpl->metric) r = TRect(r.Left, -r.Top, r.Right, -r.Bottom);
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!(flags & DT_NOCLIP)) p->setClipRect(QR(r), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    p->setFont(f);
    int y = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) y = r.Top + (r.Height() - lh) / 2;
        else if (flags & DT_BOTTOM) y = r.Bottom - lh;
    }
    // A left-aligned line on a clear brush is drawn without being measured.
    const bool measure = (flags & (DT_CENTER | DT_RIGHT)) || FBrush.Style() != bsClear;
    for (const QString& l : lines) {
        const int w = measure ? width(l) : 0;
        int x = r.Left;
        if (flags & DT_CENTER) x = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT) x = r.Right - w;
        if (FBrush.Style() != bsClear) p->fillRect(QRect(x, y, w, lh), QC(FBrush.Color()));
        p->setPen(QC(FFont.Color()));
        if (tabs) DrawTabbedText(*p, fm, x, y + fm.ascent(), l);
        else p->drawText(x, y + fm.ascent(), l);
        y += lh;
    }
    p->restore();
    if (FImpl->metric) r = TRect(r.Left, -r.Top, r.Right, -r.Bottom);
    return total;
}

TColor TCanvas::Pixels(int x, int y)
{
    if (FImpl->bitmap) {
        const QImage& img = FImpl->bitmap->Impl()->image;
        if (img.valid(x, y)) return TC(img.pixel(x, y));
    }
    return clNone;
}

void TCanvas::SetPixels(int x, int y, TColor c)
{
    Note("SetPixels", TRect(x, y, x + 1, y + 1));
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(QRect(x, y, 1, 1), QC(c));
}

TRect TCanvas::ClipRect()
{
    QPainter* p = Painter(FImpl.get());
    if (!p) return TRect();
    if (FImpl->metric) {
        // In logical units: the clip (or surface) in device pixels mapped back.
        const QRect dev = p->hasClipping() ? p->clipBoundingRect().toAlignedRect() : FImpl->surface;
        const QRectF box = MetricTransform(FImpl.get()).inverted().mapRect(QRectF(dev));
        auto round = [](double v) { return int(std::lround(v)); };
        return TRect(round(box.left()), round(box.bottom()), round(box.right()), round(box.top()));
    }
    if (p->hasClipping()) return TR(p->clipBoundingRect().toAlignedRect());
    return TR(FImpl->surface);
}

int TCanvas::PixelsPerInchX() const { return FImpl->dpiX; }

int TCanvas::PixelsPerInchY() const { return FImpl->dpiY; }

bool TCanvas::MetricMode() const { return FImpl->metric; }

bool TCanvas::SetMetricMode(bool On)
{
    const bool before = FImpl->metric;
    FImpl->metric = On;
    if (before != On)
        if (QPainter* p = Painter(FImpl.get())) p->setWorldTransform(On ? MetricTransform(FImpl.get()) : QTransform());
    return before;
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    p->setClipRect(QRM(FImpl.get(), r), p->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TCanvas::SetClipRect(const TRect& r)
{
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    p->setClipRect(QR(r) & FImpl->surface, Qt::ReplaceClip);
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    QPainter* p = Painter(FImpl.get());
    if (!p) return;
    QRegion base = p->hasClipping() ? p->clipRegion() : QRegion(FImpl->surface);
    p->setClipRegion(base.subtracted(QRegion(QR(r))), Qt::ReplaceClip);
}

int TCanvas::SaveState()
{
    QPainter* p = Painter(FImpl.get());
    TCanvasImpl::Saved s{p && p->hasClipping(), p && p->hasClipping() ? p->clipRegion() : QRegion(), {}, {}, {}, FPenPos};
    s.pen.Assign(FPen);
    s.brush.Assign(FBrush);
    s.font.Assign(FFont);
    FImpl->saved.push_back(std::move(s));
    return int(FImpl->saved.size());
}

void TCanvas::RestoreState(int saved)
{
    if (FImpl->saved.empty()) return;
    if (saved > 0 && saved <= int(FImpl->saved.size())) FImpl->saved.resize(size_t(saved));
    TCanvasImpl::Saved s = std::move(FImpl->saved.back());
    FImpl->saved.pop_back();
    FPen.Assign(s.pen);
    FBrush.Assign(s.brush);
    FFont.Assign(s.font);
    FPenPos = s.penPos;
    if (QPainter* p = Painter(FImpl.get())) {
        if (s.hasClip) p->setClipRegion(s.clip, Qt::ReplaceClip);
        else p->setClipping(false);
    }
}

QImage DrawableImage(const TBitmap* b)
{
    b->Impl()->Flush();
    const QImage& img = b->Impl()->image;
    if (!b->Transparent() || img.isNull()) return img;
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = QC(b->TransparentColor()).rgb() & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return out;
}

void TCanvas::Draw(int x, int y, const TGraphic* g)
{
    if (g) Note("Draw", TRect(x, y, x + g->Width(), y + g->Height()));
    auto* b = dynamic_cast<const TBitmap*>(g);
    if (g && !b) {
        g->Draw(this, Bounds(x, y, g->Width(), g->Height()));
        return;
    }
    QPainter* p = Painter(FImpl.get());
    if (!b || !p || b->Empty()) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(x, y, DrawableImage(b));
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic* g)
{
    auto* b = dynamic_cast<const TBitmap*>(g);
    if (g && !b) {
        g->Draw(this, r);
        return;
    }
    QPainter* p = Painter(FImpl.get());
    if (!b || !p || b->Empty()) return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(QR(r), DrawableImage(b));
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* src, const TRect& source)
{
    Note("CopyRect", dest);
    QPainter* p = Painter(FImpl.get());
    if (!p || !src || !src->FImpl->bitmap) return;
    TBitmap* b = src->FImpl->bitmap;
    b->Impl()->Flush();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(QR(dest), b->Impl()->image, QR(source));
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Note("DrawFocusRect", r);
    QPainter* p = Painter(FImpl.get());
    if (!p || r.IsEmpty()) return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    // Every other pixel along the edges, inverted.
    for (int x = r.Left; x < r.Right; x += 2) {
        p->fillRect(QRect(x, r.Top, 1, 1), Qt::white);
        p->fillRect(QRect(x, r.Bottom - 1, 1, 1), Qt::white);
    }
    for (int y = r.Top + 2; y < r.Bottom - 1; y += 2) {
        p->fillRect(QRect(r.Left, y, 1, 1), Qt::white);
        p->fillRect(QRect(r.Right - 1, y, 1, 1), Qt::white);
    }
    p->restore();
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() : FImpl(std::make_unique<TBitmapImpl>()) {}

TBitmap::TBitmap(int w, int h) : TBitmap() { SetSize(w, h); }

TBitmap::~TBitmap()
{
    if (FCanvas) FCanvas->Impl()->EndOwn();
}

int TBitmap::Width() const { return FImpl->image.width(); }
int TBitmap::Height() const { return FImpl->image.height(); }
bool TBitmap::Empty() const { return FImpl->image.isNull() || Width() == 0 || Height() == 0; }

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h)
{
    if (w == Width() && h == Height() && !FImpl->image.isNull()) return;
    FImpl->Flush();
    if (w <= 0 || h <= 0) {
        FImpl->image = QImage();
    } else {
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        img.fill(QColor(255, 255, 255));
        if (!FImpl->image.isNull()) {
            QPainter p(&img);
            p.drawImage(0, 0, FImpl->image);
        }
        FImpl->image = img;
    }
    if (OnChange) OnChange(this);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->Impl()->bitmap = this;
        FImpl->canvas = FCanvas.get();
    }
    return FCanvas.get();
}

void TBitmap::LoadFromFile(const String& fileName)
{
    backend::EnsureStarted();
    FImpl->Flush();
    QImage img;
    if (!img.load(QS(fileName))) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    FImpl->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (OnChange) OnChange(this);
}

void TBitmap::SaveToFile(const String& fileName) const
{
    FImpl->Flush();
    const bool png = EndsText(".png", fileName);
    const bool jpeg = EndsText(".jpg", fileName) || EndsText(".jpeg", fileName);
    const bool icon = EndsText(".ico", fileName);
    const char* format = png ? "PNG" : jpeg ? "JPEG" : icon ? "ICO" : "BMP";
    QImage img = png || icon ? FImpl->image : FImpl->image.convertToFormat(QImage::Format_RGB888);
    if (!img.save(QS(fileName), format)) throw EFCreateError("Cannot create file \"" + fileName + "\"");
}

void TBitmap::Assign(const TBitmap* src)
{
    FImpl->Flush();
    if (!src) {
        FImpl->image = QImage();
    } else {
        src->FImpl->Flush();
        FImpl->image = src->FImpl->image.copy();
        FTransparent = src->FTransparent;
        FTransparentColor = src->FTransparentColor;
        FTransparentMode = src->FTransparentMode;
    }
    if (OnChange) OnChange(this);
}

void TBitmap::Assign(const TGraphic* src) { Assign(dynamic_cast<const TBitmap*>(src)); }

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    FImpl->Flush();
    return TC(FImpl->image.pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor c)
{
    FTransparentColor = c;
    FTransparentMode = c == clDefault ? tmAuto : tmFixed;
}

// ---------------------------------------------------------------- pictures in memory

namespace {
// The readers of BMP and GIF show what they got of a file that ends too early; such a
// file counts as broken. A BMP names its length in its header; a GIF's first image ends
// with an empty data block, which a cut file does not reach.
bool CutShort(const uint8_t* d, size_t n)
{
    if (n >= 6 && d[0] == 'B' && d[1] == 'M') {
        const uint32_t declared = uint32_t(d[2]) | uint32_t(d[3]) << 8 | uint32_t(d[4]) << 16 | uint32_t(d[5]) << 24;
        return declared > n;
    }
    if (n < 6 || d[0] != 'G' || d[1] != 'I' || d[2] != 'F') return false;
    auto table = [](uint8_t packed) { return (packed & 0x80) ? size_t(3) << ((packed & 7) + 1) : size_t(0); };
    auto skipBlocks = [&](size_t& p) {
        while (p < n && d[p] != 0) p += size_t(d[p]) + 1;
        if (p >= n) return false;
        ++p;
        return true;
    };
    if (n < 13) return true;
    size_t p = 13 + table(d[10]);
    while (p < n) {
        if (d[p] == 0x21) {
            p += 2;
            if (!skipBlocks(p)) return true;
        } else if (d[p] == 0x2C) {
            if (p + 10 >= n) return true;
            p += 10 + table(d[p + 9]) + 1;
            return !skipBlocks(p);
        } else {
            return false;   // the reader judges what it does not expect
        }
    }
    return true;
}
}

bool DecodePictureData(const void* Data, size_t Size, TBitmap& Into)
{
    backend::EnsureStarted();
    Into.SetSize(0, 0);
    if (!Data || Size == 0 || Size > size_t(std::numeric_limits<int>::max())) return false;
    if (CutShort(static_cast<const uint8_t*>(Data), Size)) return false;
    QByteArray bytes = QByteArray::fromRawData(static_cast<const char*>(Data), qsizetype(Size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage img;
    if (!reader.read(&img) || img.isNull()) return false;
    Into.Impl()->Flush();
    Into.Impl()->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (Into.OnChange) Into.OnChange(&Into);
    return true;
}

std::string EncodePictureData(const TBitmap& From)
{
    backend::EnsureStarted();
    if (From.Empty()) return {};
    From.Impl()->Flush();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!From.Impl()->image.save(&buffer, "PNG")) return {};
    return std::string(bytes.constData(), size_t(bytes.size()));
}
