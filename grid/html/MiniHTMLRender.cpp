// The mini-HTML renderer: the text is laid out line by line; a first pass takes one line
// off the text while measuring it (and finding hits), a second pass runs the same line
// again in its aligned box to paint it (or to find hits at its final place).
//
// Markup comes from cells and files and is not trusted: font sizes, list levels and
// positions are bounded, every line takes something off the text, and nothing here
// recurses, so no text can make a call crash, loop or grow without end.
#include "grid/html/MiniHTMLRender.h"

#include <algorithm>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "grid/html/PictureContainer.h"

namespace {

// Numbers in attributes are read up to this size, then held.
constexpr long long kMaxNumber = 1000000000LL;
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 200;   // points
constexpr int kMaxListLevel = 32;
constexpr int kMaxPosition = 100000;   // pixels, for IND, INDENT
constexpr int kListIndent = 12;

char Up(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

String Upper(std::string_view s)
{
    String r(s);
    for (char& c : r) c = Up(c);
    return r;
}

bool StartsWithNoCase(const String& s, size_t at, const char* what)
{
    const size_t n = std::strlen(what);
    if (at + n > s.size()) return false;
    for (size_t i = 0; i < n; ++i)
        if (Up(s[at + i]) != what[i]) return false;
    return true;
}



// Decodes the references the renderer resolves before layout, in any letter case, until
// none is left: "&amp;" becomes two ampersands (one drawn), the others their characters.
// An ampersand this makes may start a new reference with what follows; it is looked at
// again, so the result is the same as replacing one reference at a time.
// Form-control tags are left as written: their values are stored escaped, and a decoded
// "&quot;" would end the value there, so the control would show, and its editor write
// back, only the part before it.
String DecodeLayoutReferences(const String& s)
{
    static const struct {
        const char* name;   // upper case, without the leading "&"
        const char* text;
    } kRefs[] = {{"AMP;", "&&"},          {"QUOT;", "\""},         {"SECT;", "\xc2\xa7"},
                 {"PERMIL;", "\xe2\x80\xb0"}, {"REG;", "\xc2\xae"}, {"COPY;", "\xc2\xa9"},
                 {"PARA;", "\xc2\xb6"},   {"TRADE;", "\xe2\x84\xa2"}, {"EURO;", "\xe2\x82\xac"}};
    String out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '<' && StartsWithNoCase(s, i + 1, "CONTROL")) {
            const size_t gt = s.find('>', i);
            const size_t end = gt == String::npos ? s.size() : gt + 1;
            out.append(s, i, end - i);
            i = end;
            continue;
        }
        if (!out.empty() && out.back() == '&') {
            bool done = false;
            for (const auto& r : kRefs)
                if (StartsWithNoCase(s, i, r.name)) {
                    out.pop_back();
                    out += r.text;
                    i += std::strlen(r.name);
                    done = true;
                    break;
                }
            if (done) continue;
        }
        out += s[i++];
    }
    return out;
}

String Preprocess(const String& Text)
{
    String t = DecodeLayoutReferences(Text);
    // "<#...>" is text, not a tag.
    String u;
    u.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '<' && i + 1 < t.size() && t[i + 1] == '#') {
            const size_t gt = t.find('>', i + 1);
            if (gt != String::npos) {
                u.append(t, i + 1, gt - i - 1);
                i = gt;
                continue;
            }
        }
        u += t[i];
    }
    String r;
    r.reserve(u.size());
    for (char c : u) {
        if (c == '\r') r += "<BR>";
        else if (c != '\n') r += c;
    }
    return r;
}

// A text run as it is shown: "&nbsp;", "&lt;" and "&gt;" decoded.
String DecodeRun(const String& run)
{
    if (run.find('&') == String::npos) return run;
    String r;
    r.reserve(run.size());
    for (size_t i = 0; i < run.size();) {
        if (run.compare(i, 6, "&nbsp;") == 0) {
            r += ' ';
            i += 6;
        } else if (run.compare(i, 4, "&lt;") == 0) {
            r += '<';
            i += 4;
        } else if (run.compare(i, 4, "&gt;") == 0) {
            r += '>';
            i += 4;
        } else {
            r += run[i++];
        }
    }
    return r;
}

// Prefix processing: "&&" shows one ampersand, a single "&" underlines the character
// after it. Under is the byte position of that character in the shown text, or npos.
String ApplyPrefix(const String& run, size_t& Under)
{
    Under = String::npos;
    if (run.find('&') == String::npos) return run;
    String r;
    r.reserve(run.size());
    for (size_t i = 0; i < run.size(); ++i) {
        if (run[i] != '&') {
            r += run[i];
            continue;
        }
        if (i + 1 < run.size() && run[i + 1] == '&') {
            r += '&';
            ++i;
            continue;
        }
        if (i + 1 < run.size() && Under == String::npos) Under = r.size();
    }
    return r;
}

size_t Utf8Len(const String& s, size_t at)
{
    const unsigned char c = static_cast<unsigned char>(s[at]);
    size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return std::min(n, s.size() - at);
}

// Tiles a picture over R from R's top-left corner, row by row, clipped to R. Only the part
// of R the canvas shows is covered. Markup is untrusted, so a tiny picture over a big
// cell is not drawn pixel by pixel: beyond kMaxTiles draws it is first repeated into a
// bigger tile laid on Under (the colour beneath it), and that tile is drawn instead.
constexpr long long kMaxTiles = 4096;
constexpr int kBigTile = 128;

void TileHTMLPicture(TCanvas* C, const THTMLPicture& Pic, const TRect& R, TColor Under)
{
    const int pw = Pic.Width(), ph = Pic.Height();
    if (Pic.Empty() || pw <= 0 || ph <= 0) return;
    const TRect clip = C->ClipRect();
    const TRect vis(std::max(R.Left, clip.Left), std::max(R.Top, clip.Top), std::min(R.Right, clip.Right),
                    std::min(R.Bottom, clip.Bottom));
    if (vis.Right <= vis.Left || vis.Bottom <= vis.Top) return;
    int tw = pw, th = ph;
    std::unique_ptr<TBitmap> tile;
    const long long count = ((long long)(vis.Right - vis.Left) / pw + 2) * ((vis.Bottom - vis.Top) / ph + 2);
    if (count > kMaxTiles) {
        const int nx = std::max(1, kBigTile / pw), ny = std::max(1, kBigTile / ph);
        tw = pw * nx;
        th = ph * ny;
        tile = std::make_unique<TBitmap>(tw, th);
        TCanvas* t = tile->Canvas();
        t->Brush()->SetStyle(bsSolid);
        t->Brush()->SetColor(Under == clNone ? clWhite : Under);
        t->FillRect(TRect(0, 0, tw, th));
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x) Pic.Draw(t, TRect(x * pw, y * ph, (x + 1) * pw, (y + 1) * ph));
    }
    const int saved = C->SaveState();
    C->IntersectClipRect(vis);
    // The first tile that reaches into the visible part, on the grid that starts at R.
    const int x0 = R.Left + (vis.Left - R.Left) / tw * tw, y0 = R.Top + (vis.Top - R.Top) / th * th;
    for (int y = y0; y < vis.Bottom; y += th)
        for (int x = x0; x < vis.Right; x += tw) {
            if (tile) C->Draw(x, y, tile.get());
            else Pic.Draw(C, TRect(x, y, x + pw, y + ph));
        }
    C->RestoreState(saved);
}

enum TAlign { alLeftText, alRightText, alCenterText };
enum TTagResult { trNone, trLineEnds, trLineFull };

class TMiniHTMLRenderer {
public:
    TMiniHTMLRenderer(TCanvas* C, const TRect& R, TMiniHTMLParams& P) : C(C), Rect(R), P(P) {}
    bool Run(const String& Text);

private:
    TCanvas* C;
    const TRect Rect;
    TMiniHTMLParams& P;

    // per call
    TFont Base;
    TColor EntryBg = clNone;
    int Anchors = 0;
    bool InAnchor = false;
    String HRef, Title;
    int ListLevel = 0;
    TAlign Align = alLeftText;
    int Indent = 0;
    bool Hidden = false, Shadow = false, ErrorLine = false, ParBg = false;
    TColor SavedAnchorBrush = clNone, SavedAnchorFont = clNone, SavedFontBrush = clNone, SavedHiBrush = clNone,
           SavedHiFont = clNone, SavedParBrush = clNone;
    bool FocusOpen = false;
    TPoint FocusStart;
    bool HoverPending = false;
    TPoint AnchorStart;
    bool AnchorHit = false, ControlHit = false;
    bool FirstPass = true;
    THTMLControlSize LastControl;

    // Text height and blank width of the last fonts used: the height of one line of text
    // does not depend on the text, so it is asked of the platform once per font.
    struct TFontMetric {
        String Name;
        int Size = 0;
        TFontStyles Style;
        int Height = 0, Blank = 0;
    };
    TFontMetric Metrics[4];
    int NextMetric = 0;
    const TFontMetric& Metric();
    int GH() { return Metric().Height; }
    // The width of a shown run: measured in the first pass, taken from it in the second.
    int RunWidth(const String& Shown)
    {
        if (!FirstPass && NextRunWidth < RunWidths.size()) return RunWidths[NextRunWidth++];
        return C->TextWidth(Shown);
    }
    // Where the next "<" and the next blank stand: searched once and kept while the
    // position has not passed them, so a long text is not searched again for every run.
    const String* FindText = nullptr;
    size_t NextLt = 0, NextBlank = 0;
    static constexpr size_t kUnknown = String::npos - 1;
    size_t CachedFind(const String& Text, size_t Pos, char What, size_t& Cache)
    {
        if (Cache == kUnknown || (Cache != String::npos && Cache < Pos)) Cache = Text.find(What, Pos);
        return Cache;
    }
    // The widths of the runs the first pass took, for the second pass of the same line.
    std::vector<int> RunWidths;
    size_t NextRunWidth = 0;

    // per line
    int LineWidth = 0, LineHeight = 0, SupRoom = 0, SubRoom = 0, Lift = 0;
    bool Sup = false, Sub = false, ListItemSeen = false;
    int PenX = 0;

    TColor BrushColor() const { return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color(); }
    void SetBrushColor(TColor c)
    {
        if (c == clNone) {
            C->Brush()->SetStyle(bsClear);
        } else {
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(c);
        }
    }
    void SetStyle(TFontStyle s, bool on)
    {
        TFontStyles st = C->Font()->Style();
        st = on ? st + TFontStyles{s} : st - TFontStyles{s};
        C->Font()->SetStyle(st);
    }
    bool HoverStyled() const { return !P.HoverStyle || P.HoverLink == Anchors; }

    String Line(const String& Text, size_t& Pos, TRect Box, bool Painting);
    TTagResult Tag(const String& TagText, TRect Box, bool Painting);
    void DrawRun(const String& Shown, TRect Box, int& w);
    void CloseFocusRect(int Bottom, bool Painting);
};

const TMiniHTMLRenderer::TFontMetric& TMiniHTMLRenderer::Metric()
{
    const TFont* f = C->Font();
    for (const TFontMetric& m : Metrics)
        if (m.Height > 0 && m.Size == f->Size() && m.Style == f->Style() && m.Name == f->Name()) return m;
    TFontMetric& m = Metrics[NextMetric];
    NextMetric = (NextMetric + 1) % 4;
    m.Name = f->Name();
    m.Size = f->Size();
    m.Style = f->Style();
    const TPoint blank = C->TextExtent(" ");
    m.Height = std::max(1, blank.Y);
    m.Blank = blank.X;
    return m;
}

bool TMiniHTMLRenderer::Run(const String& Text)
{
    const TColor penColor = C->Pen()->Color();
    const int penWidth = C->Pen()->Width();
    const TPenStyle penStyle = C->Pen()->Style();
    const TColor brushColor = C->Brush()->Color();
    const TBrushStyle brushStyle = C->Brush()->Style();
    EntryBg = brushColor;
    Base.Assign(*C->Font());
    TFont pass1, pass2;
    pass1.Assign(Base);
    pass2.Assign(Base);
    SetBrushColor(clNone);

    P.ControlRect = TRect(0, 0, 0, 0);
    P.ControlValue.clear();
    P.ControlType.clear();
    P.StrippedText.clear();
    P.FocusAnchor.clear();
    P.AnchorHint.clear();
    if (!P.HitTestOnly) P.ControlID.clear();
    P.XSize = P.YSize = P.HyperLinks = 0;
    P.MouseLink = -1;

    TRect lineRect = Rect;
    lineRect.Left += 1;
    const String text = Preprocess(Text);
    size_t pos = 0;
    int top = Rect.Top;
    bool result = false;
    while (pos < text.size()) {
        C->Font()->Assign(pass1);
        const bool inAnchor = InAnchor;
        const String href = HRef, title = Title;
        const int anchorsAtStart = Anchors, listAtStart = ListLevel;
        SupRoom = SubRoom = Lift = 0;
        Sup = Sub = false;
        LineHeight = GH();
        const int gh = LineHeight;
        RunWidths.clear();
        // First pass: measure the line and take it off the text.
        FirstPass = true;
        AnchorHit = ControlHit = false;
        const size_t before = pos;
        const String source = Line(text, pos, TRect(lineRect.Left, top, lineRect.Right, top + LineHeight), false);
        if (pos == before) pos = text.size();   // nothing taken: the text cannot go on
        InAnchor = inAnchor;
        HRef = href;
        Title = title;
        pass1.Assign(*C->Font());
        // Align the line's box.
        TRect box(lineRect.Left, top, lineRect.Right, top);
        if (Align == alRightText) {
            if (lineRect.Right - LineWidth > box.Left) box.Left = lineRect.Right - LineWidth;
        } else if (Align == alCenterText) {
            if (lineRect.Width() > LineWidth) box.Left += (lineRect.Width() - LineWidth) / 2;
        }
        box.Left += Indent;
        box.Bottom = top + LineHeight + SubRoom + SupRoom;
        if (!P.MeasureOnly) {
            // Second pass: the same line in its box, painted or hit-tested.
            C->Font()->Assign(pass2);
            Anchors = anchorsAtStart;
            ListLevel = listAtStart;
            Sup = Sub = false;
            FirstPass = false;
            AnchorHit = ControlHit = false;
            NextRunWidth = 0;
            size_t k = 0;
            Line(source, k, box, !P.HitTestOnly);
            pass2.Assign(*C->Font());
            if (ControlHit) result = true;
            if (AnchorHit) {
                const int h = GH();
                if (P.Y > box.Bottom - Lift - h && P.Y < box.Bottom - Lift) result = true;
            }
        }
        const int step = LineHeight + SubRoom + SupRoom;
        top += step;
        P.YSize += step;
        if (!P.MeasureOnly && top + gh > Rect.Bottom) break;
    }
    P.HyperLinks = Anchors;
    if (P.YSize == 0) {
        C->Font()->Assign(Base);
        P.YSize = GH();
    }
    C->Pen()->SetColor(penColor);
    C->Pen()->SetWidth(penWidth);
    C->Pen()->SetStyle(penStyle);
    C->Brush()->SetColor(brushColor);
    C->Brush()->SetStyle(brushStyle);
    C->Font()->Assign(Base);
    return result;
}

String TMiniHTMLRenderer::Line(const String& Text, size_t& Pos, TRect Box, bool Painting)
{
    String source, visible;
    LineWidth = 0;
    ListItemSeen = false;
    PenX = Box.Left;
    int trailingBlank = 0;
    bool lineEnded = false, firstRun = true;
    if (Painting && ParBg) C->FillRect(TRect(Rect.Left, Box.Top, Rect.Right, Box.Top + LineHeight));
    if (!FirstPass || FindText != &Text) {
        FindText = &Text;
        NextLt = NextBlank = kUnknown;
    }
    while (Pos < Text.size() && !lineEnded) {
        // a. The next text run: up to the next tag, or with word wrap up to a blank.
        const size_t lt = CachedFind(Text, Pos, '<', NextLt);
        const size_t blank = P.WordWrap ? CachedFind(Text, Pos, ' ', NextBlank) : String::npos;
        size_t end;
        if (lt != String::npos && (blank == String::npos || blank > lt)) end = lt;
        else if (blank != String::npos) end = blank + 1;
        else end = Text.size();
        const size_t K = end - Pos;
        if (K > 0) {
            const String raw = Text.substr(Pos, K);
            const String run = DecodeRun(raw);
            const int h = GH();
            if (Sub) SubRoom = std::max(SubRoom, h / 4);
            if (Sup) SupRoom = std::max(SupRoom, h / 4);
            LineHeight = std::max(LineHeight, h);
            if (Hidden) {
                if (FirstPass) P.StrippedText += run;
                Pos = end;
            } else {
                int w = 0;
                if (!Painting) {
                    size_t under = String::npos;
                    w = RunWidth(ApplyPrefix(run, under));
                    LineWidth += w;
                    if (InAnchor) {
                        const int x = P.BiDiMode != 0 ? Box.Right - P.X : P.X - Box.Left;
                        if (x >= LineWidth - w && x <= LineWidth) {
                            AnchorHit = true;
                            if (P.Y > Box.Top) {
                                P.AnchorVal = HRef;
                                P.AnchorHint = Title;
                                HoverPending = true;
                            }
                        }
                    }
                } else {
                    DrawRun(run, Box, w);
                    if (InAnchor && Anchors == P.FocusLink + 1) P.FocusAnchor = HRef;
                    w = 0;   // a painted run does not count towards the line break
                }
                // The line break: a word split by tags is never broken between its parts,
                // and a word wider than the box stands alone on its line.
                const int W = Box.Width();
                const bool continues = !visible.empty() && visible.back() != ' ';
                const bool accepted = LineWidth < W || (w >= W && visible.empty()) || continues;
                visible += run;
                if (accepted || !P.WordWrap) {
                    if (FirstPass) P.StrippedText += run;
                    source.append(raw);
                    Pos = end;
                    trailingBlank = run.size() >= K && run[K - 1] == ' ' ? Metric().Blank : 0;
                    if (FirstPass) RunWidths.push_back(w);
                    if (!accepted && !Painting && !firstRun) {
                        Pos = Text.size();   // no word wrap: the rest does not fit
                        lineEnded = true;
                    }
                } else {
                    LineWidth -= w;
                    lineEnded = true;
                }
                firstRun = false;
            }
        }
        if (lineEnded || Pos >= Text.size() || Text[Pos] != '<') continue;
        // d. A tag.
        if (Text.size() - Pos <= 2) {
            Pos = Text.size();
            break;
        }
        const size_t gt = Text.find('>', Pos);
        if (gt == String::npos) {
            Pos = Text.size();
            break;
        }
        const String tag = Text.substr(Pos, gt - Pos + 1);
        const TTagResult r = Tag(tag, Box, Painting);
        if (r == trLineFull) break;
        source += tag;
        Pos = gt + 1;
        if (r == trLineEnds) lineEnded = true;
    }
    LineWidth -= trailingBlank;
    P.XSize = std::max(P.XSize, LineWidth);
    if (Painting && FocusOpen && InAnchor && Anchors == P.FocusLink + 1) {
        C->DrawFocusRect(TRect(FocusStart.X - 1, FocusStart.Y, PenX + 1, Box.Bottom));
        FocusStart = TPoint(Box.Left + 1, Box.Bottom);
    }
    return source;
}

void TMiniHTMLRenderer::DrawRun(const String& Run, TRect Box, int& w)
{
    size_t under = String::npos;
    const String shown = ApplyPrefix(Run, under);
    const int h = GH();
    w = RunWidth(shown);
    int bottom = Box.Bottom - Lift;
    if (Sup) bottom -= SupRoom;
    if (Sub) bottom += SubRoom;
    TRect r(PenX, std::min(Box.Top, bottom - h), Box.Right, bottom);
    unsigned flags = HTMLDrawTextFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX, P.BiDiMode);
    if (!P.WordWrap) flags |= DT_END_ELLIPSIS;
    // The background of the run first, so that a shadow is not painted over.
    const TColor bg = BrushColor();
    if (bg != clNone) C->FillRect(TRect(PenX, bottom - h, std::min(PenX + w, Box.Right), bottom));
    C->Brush()->SetStyle(bsClear);
    if (Shadow) {
        const TColor fc = C->Font()->Color();
        C->Font()->SetColor(P.ShadowColor);
        TRect s = r;
        s.Left += P.ShadowOffset;
        s.Right += P.ShadowOffset;
        s.Top += P.ShadowOffset;
        s.Bottom += P.ShadowOffset;
        C->DrawText(shown, s, flags);
        C->Font()->SetColor(fc);
    }
    // Blanks show nothing but their lines.
    const TFontStyles st = C->Font()->Style();
    const bool lined = st.Contains(fsUnderline) || st.Contains(fsStrikeOut);
    if (lined || shown.find_first_not_of(' ') != String::npos) {
        TRect t = r;
        C->DrawText(shown, t, flags);
    }
    if (under != String::npos) {
        // The character after a single ampersand is drawn underlined.
        const int x0 = PenX + C->TextWidth(shown.substr(0, under));
        SetStyle(fsUnderline, true);
        TRect u(x0, r.Top, r.Right, r.Bottom);
        C->DrawText(shown.substr(under, Utf8Len(shown, under)), u, flags);
        C->Font()->SetStyle(st);
    }
    SetBrushColor(bg);
    if (ErrorLine) {
        // A red zigzag under the run, two pixels high, a corner every second pixel.
        const TColor pc = C->Pen()->Color();
        const int pw = C->Pen()->Width();
        C->Pen()->SetColor(TColor(0x0000FF));
        C->Pen()->SetWidth(1);
        const int right = std::min(PenX + w, Box.Right);
        int x = PenX & ~1;
        std::vector<TPoint> pts;
        for (; x <= right; x += 2) pts.push_back(TPoint(x, Box.Bottom - 1 + (x % 4 == 0 ? 2 : 0)));
        if (pts.size() >= 2) C->Polyline(pts);
        C->Pen()->SetColor(pc);
        C->Pen()->SetWidth(pw);
    }
    PenX += w;
}

void TMiniHTMLRenderer::CloseFocusRect(int Bottom, bool Painting)
{
    const int gh = GH();
    if (Painting) C->DrawFocusRect(TRect(FocusStart.X - 1, Bottom - gh, PenX + 1, Bottom));
    FocusOpen = false;
}

TTagResult TMiniHTMLRenderer::Tag(const String& T, TRect Box, bool Painting)
{
    const String U = Upper(T);
    TFont* F = C->Font();
    const bool closing = U.size() >= 4 && U[1] == '/';
    if (closing) {
        switch (U[2]) {
        case 'A': {
            if (HoverStyled() && Painting) {
                SetStyle(fsUnderline, false);
                if (P.HoverColor != clNone) SetBrushColor(SavedAnchorBrush);
                if (P.HoverFontColor != clNone) F->SetColor(SavedAnchorFont);
            }
            if (!P.Selected) F->SetColor(Base.Color());
            InAnchor = false;
            if (HoverPending) {
                const TPoint end(Box.Left + LineWidth, Box.Bottom);
                TPoint start = AnchorStart;
                if (start.Y != Box.Top) start = TPoint(Box.Left, Box.Top);
                P.HoverRect = TRect(start.X, start.Y, end.X, end.Y);
                P.MouseLink = Anchors;
                HoverPending = false;
            }
            if (FocusOpen && Anchors == P.FocusLink + 1) CloseFocusRect(Box.Bottom - Lift, Painting);
            return trNone;
        }
        case 'B':
            if (U.compare(0, 4, "</B>") == 0) SetStyle(fsBold, false);
            else F->SetColor(Base.Color());
            return trNone;
        case 'E':
            if (Painting) ErrorLine = false;
            return trNone;
        case 'F':
            F->SetName(Base.Name());
            F->SetSize(Base.Size());
            if (Painting && !P.Selected) {
                F->SetColor(Base.Color());
                SetBrushColor(SavedFontBrush);
            }
            return trNone;
        case 'H':
            if (Painting) {
                F->SetColor(SavedHiFont == clNone ? Base.Color() : SavedHiFont);
                SetBrushColor(SavedHiBrush);
            }
            return trNone;
        case 'I': SetStyle(fsItalic, false); return trNone;
        case 'L': return trLineEnds;
        case 'P':
            if (Painting) {
                SetBrushColor(SavedParBrush);
                ParBg = false;
            }
            return trLineEnds;
        case 'R': return trNone;   // rotated text is drawn level: the canvas has no rotation
        case 'S':
            if (U.size() > 3 && U[3] == 'H') Shadow = false;
            else if (U.size() > 3 && U[3] == 'U') Sup = Sub = false;
            else SetStyle(fsStrikeOut, false);
            return trNone;
        case 'U':
            if (U.compare(0, 4, "</U>") == 0) SetStyle(fsUnderline, false);
            else if (ListLevel > 0) --ListLevel;
            else SetStyle(fsUnderline, false);
            return trNone;
        case 'Z': Hidden = false; return trNone;
        default: return trNone;
        }
    }
    if (U.size() < 3) return trNone;
    switch (U[1]) {
    case 'A': {
        if (Anchors == P.FocusLink && Painting) {
            FocusOpen = true;
            FocusStart = TPoint(PenX, Box.Top);
        }
        ++Anchors;
        if (HoverStyled() && Painting) {
            SetStyle(fsUnderline, true);
            if (P.HoverColor != clNone) {
                SavedAnchorBrush = BrushColor();
                SetBrushColor(P.HoverColor);
            }
            if (P.HoverFontColor != clNone) {
                SavedAnchorFont = F->Color();
                F->SetColor(P.HoverFontColor);
            }
        }
        const bool hovered = P.HoverStyle && P.HoverLink == Anchors && P.HoverFontColor != clNone;
        if (!P.Selected && !hovered) F->SetColor(P.URLColor);
        bool found = false;
        const String href = HTMLTagAttr(U, T, "HREF", &found);
        if (found) {
            HRef = href;
            InAnchor = true;
        }
        Title = HTMLTagAttr(U, T, "TITLE");
        AnchorStart = TPoint(Box.Left + LineWidth, Box.Top);
        return trNone;
    }
    case 'B':
        if (U.compare(0, 3, "<B>") == 0) {
            SetStyle(fsBold, true);
        } else if (U[2] == 'R') {
            if (FirstPass) P.StrippedText += '\r';
            return trLineEnds;
        } else if (U[2] == 'L') {
            if (!P.BlinkOn) F->SetColor(EntryBg);
        } else if (U[2] == 'O' && Painting) {
            bool found = false;
            const String bg = HTMLTagAttr(U, U, "BGCOLOR", &found);
            if (found) {
                TColor c = clNone;
                if (bg.find("CL") != String::npos) c = HTMLColorByName(bg);
                if (bg.find('#') != String::npos) c = HTMLColorValue(bg.substr(bg.find('#')));
                if (c != clNone) {
                    SetBrushColor(c);
                    SavedFontBrush = c;
                    C->FillRect(Rect);
                }
            }
            bool hasPicture = false;
            const String picture = HTMLTagAttr(U, U, "BACKGROUND", &hasPicture);
            if (hasPicture && !picture.empty()) {
                if (THTMLPicture* pic = FindHTMLPicture(P, picture, HTMLTagAttr(U, T, "BACKGROUND")))
                    TileHTMLPicture(C, *pic, Rect, BrushColor() != clNone ? BrushColor() : EntryBg);
            }
        }
        return trNone;
    case 'C': {
        THTMLObjectContext ctx{C,         &P,          &T,        &U,           Painting, Box,    PenX, LineWidth,
                               LineHeight, GH(), InAnchor, &HRef, &Title, EntryBg, &LastControl};
        const THTMLObjectBox o = RenderHTMLObject(ctx);
        ControlHit = ControlHit || o.ControlHit;
        if (o.Width <= 0 && o.Height <= 0) return trNone;
        if (LineWidth + o.Width > Box.Width() && o.Width <= Box.Width() && LineWidth > 0) return trLineFull;
        LineWidth += o.Width;
        PenX += o.Width;
        LineHeight = std::max(LineHeight, o.Height);
        return trNone;
    }
    case 'E':
        if (Painting) ErrorLine = true;
        return trNone;
    case 'F': {
        bool found = false;
        const String face = HTMLTagAttr(U, T, "FACE", &found);
        if (found && !face.empty()) F->SetName(face);
        const String color = HTMLTagAttr(U, U, " COLOR", &found);
        if (found && !P.Selected) F->SetColor(HTMLColorValue(color));
        const String bg = HTMLTagAttr(U, U, "BGCOLOR", &found);
        if (found && Painting && !P.Selected) {
            SavedFontBrush = BrushColor();
            SetBrushColor(HTMLColorValue(bg));
        }
        const size_t sp = U.find("SIZE");
        if (sp != String::npos) {
            size_t i = sp + 4;
            while (i < U.size() && (U[i] == ' ' || U[i] == '=' || U[i] == '"')) ++i;
            bool valid = false;
            const int n = ReadHTMLNumber(std::string_view(U).substr(i), kMaxNumber, &valid);
            if (valid) {
                static const int kSizes[] = {8, 10, 12, 14, 16};
                const int pt = n >= 1 && n <= 5 ? kSizes[n - 1] : n;
                F->SetSize(std::clamp(pt, kMinFontSize, kMaxFontSize));
            }
        }
        return trNone;
    }
    case 'H':
        if (U[2] == 'I') {
            if (Painting) {
                SavedHiFont = F->Color();
                SavedHiBrush = BrushColor();
                SetBrushColor(HTMLHighlightColor());
                F->SetColor(HTMLHighlightTextColor());
            }
        } else if (U[2] == 'R') {
            if (Painting) {
                const TColor pc = C->Pen()->Color();
                C->Pen()->SetColor(clBlack);
                C->MoveTo(Box.Left, Box.Bottom + 1);
                C->LineTo(Box.Right, Box.Bottom + 1);
                C->Pen()->SetColor(pc);
            }
            return trLineEnds;
        }
        return trNone;
    case 'I':
        if (U.compare(0, 3, "<I>") == 0) {
            SetStyle(fsItalic, true);
        } else if (U[2] == 'N') {
            bool valid = false;
            const int n = std::min(ReadHTMLNumber(HTMLTagAttr(U, U, "X"), kMaxNumber, &valid), kMaxPosition);
            if (valid && LineWidth < n) {
                LineWidth = n;
                PenX = Rect.Left + n;
            }
        } else if (U[2] == 'M') {
            THTMLObjectContext ctx{C,         &P,          &T,        &U,           Painting, Box,    PenX, LineWidth,
                                   LineHeight, GH(), InAnchor, &HRef, &Title, EntryBg, &LastControl};
            const THTMLObjectBox o = RenderHTMLObject(ctx);
            // A linked picture under the point counts as a control hit.
            ControlHit = ControlHit || o.AnchorHit || o.ControlHit;
            if (o.Width > 0 || o.Height > 0) {
                if (LineWidth + o.Width > Box.Width() && o.Width <= Box.Width() && LineWidth > 0) return trLineFull;
                LineWidth += o.Width;
                PenX += o.Width;
                LineHeight = std::max(LineHeight, o.Height);
            }
            if (o.BaselineLift >= 0) Lift = o.BaselineLift;
        }
        return trNone;
    case 'L': {
        if (ListItemSeen) return trLineFull;
        ListItemSeen = true;
        LineWidth += ListLevel * kListIndent;
        PenX += (ListLevel - 1) * kListIndent;
        if (Painting) {
            const String name = F->Name();
            const TColor bg = BrushColor();
            F->SetName("Symbol");
            // The bullet of odd levels, a ring for even ones.
            TRect r(PenX, Box.Top, Box.Right, Box.Bottom - Lift);
            C->Brush()->SetStyle(bsClear);
            C->DrawText(ListLevel % 2 ? "\xe2\x80\xa2" : "o", r, DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
            F->SetName(name);
            SetBrushColor(bg);
        }
        PenX += kListIndent;
        return trNone;
    }
    case 'P': {
        bool found = false;
        const String align = HTMLTagAttr(U, U, "ALIGN");
        if (align.find("RIGHT") != String::npos) Align = alRightText;
        if (align.find("LEFT") != String::npos) Align = alLeftText;
        if (align.find("CENTER") != String::npos) Align = alCenterText;
        const String indent = HTMLTagAttr(U, U, "INDENT", &found);
        if (found) Indent = std::clamp(ReadHTMLNumber(indent, kMaxNumber), -kMaxPosition, kMaxPosition);
        const String bg = HTMLTagAttr(U, U, "BGCOLOR", &found);
        if (found && Painting) {
            const TColor c = bg.empty() ? clNone : HTMLColorValue(bg);
            ParBg = true;
            SavedParBrush = BrushColor();
            SetBrushColor(c);
            if (c != clNone) {
                C->Pen()->SetColor(c);
                C->FillRect(TRect(Rect.Left, Box.Top, Rect.Right, Box.Bottom));
            }
        }
        return trNone;
    }
    case 'R': return trNone;   // see "</R"
    case 'S':
        if (U.compare(0, 3, "<S>") == 0) SetStyle(fsStrikeOut, true);
        else if (U[2] == 'H') Shadow = true;
        else if (U.compare(0, 5, "<SUB>") == 0) Sub = true;
        else if (U.compare(0, 5, "<SUP>") == 0) Sup = true;
        return trNone;
    case 'U':
        if (U.compare(0, 3, "<U>") == 0) {
            SetStyle(fsUnderline, true);
            return trNone;
        }
        ListLevel = std::min(ListLevel + 1, kMaxListLevel);
        return trLineEnds;
    case 'Z': Hidden = true; return trNone;
    default: return trNone;
    }
}

bool RightToLeftLocale()
{
    static const bool rtl = [] {
        const char* v = std::getenv("LC_ALL");
        if (!v || !*v) v = std::getenv("LANG");
        if (!v) return false;
        const String l(v);
        for (const char* p : {"ar", "he", "fa", "ur", "yi"})
            if (l.rfind(p, 0) == 0) return true;
        return false;
    }();
    return rtl;
}
}  // namespace

unsigned HTMLDrawTextFlags(unsigned Flags, int BiDiMode)
{
    if (!RightToLeftLocale()) return Flags;
    if (BiDiMode == 1) {
        if (Flags & DT_RIGHT) Flags &= ~DT_RIGHT;
        else if (!(Flags & DT_CENTER)) Flags |= DT_RIGHT;
    }
    if (BiDiMode != 0) Flags |= DT_RTLREADING;
    return Flags;
}

bool RenderMiniHTML(TCanvas* Canvas, const String& Text, const TRect& Rect, TMiniHTMLParams& P)
{
    if (!Canvas) return false;
    TMiniHTMLRenderer r(Canvas, Rect, P);
    return r.Run(Text);
}

int ReadHTMLNumber(std::string_view v, long long Limit, bool* Valid)
{
    size_t i = 0;
    while (i < v.size() && v[i] == ' ') ++i;
    bool neg = false;
    if (i < v.size() && v[i] == '-') {
        neg = true;
        ++i;
    }
    long long n = 0;
    bool any = false;
    while (i < v.size() && v[i] >= '0' && v[i] <= '9') {
        n = std::min<long long>(n * 10 + (v[i] - '0'), Limit);
        any = true;
        ++i;
    }
    if (Valid) *Valid = any;
    return int(neg ? -n : n);
}

String HTMLTagAttr(const String& UpperTag, const String& Source, const char* Name, bool* Found)
{
    const size_t p = UpperTag.find(Name);
    if (Found) *Found = p != String::npos;
    if (p == String::npos) return String();
    const size_t q1 = UpperTag.find('"', p + std::strlen(Name));
    if (q1 == String::npos) return String();
    const size_t q2 = UpperTag.find('"', q1 + 1);
    if (q2 == String::npos) return String();
    return Source.substr(q1 + 1, q2 - q1 - 1);
}
