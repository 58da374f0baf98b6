// Text measuring and wrapping for captions, and the classic three-dimensional frame of
// header cells and of the window's bevel.
#include <algorithm>
#include <vector>

#include "treeview/paint/LTPaintTypes.h"

void MeasureTextRect(TCanvas* Canvas, const String& Text, TRect& R, unsigned Flags)
{
    R.Right = R.Left + 1;
    R.Bottom = R.Top + 1;
    Canvas->DrawText(Text, R, Flags | DT_CALCRECT);
}

namespace {
bool IsBlankOrControl(char C) { return static_cast<unsigned char>(C) <= ' '; }

// Length of the UTF-8 character that starts at S[I].
std::size_t CharLength(const String& S, std::size_t I)
{
    const unsigned char c = static_cast<unsigned char>(S[I]);
    std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return std::min(n, S.size() - I);
}

// Offsets where the characters of S start, and S.size() at the end.
std::vector<std::size_t> CharStarts(const String& S)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < S.size(); i += CharLength(S, i)) out.push_back(i);
    out.push_back(S.size());
    return out;
}
}  // namespace

String WrapText(TCanvas* Canvas, const String& S, const TRect& Bounds, bool RightToLeft, unsigned DrawFormat)
{
    std::size_t b = 0, e = S.size();
    while (b < e && IsBlankOrControl(S[b])) ++b;
    while (e > b && IsBlankOrControl(S[e - 1])) --e;
    if (b == e) return String();
    const String t = S.substr(b, e - b);
    const int maxWidth = Bounds.Right - Bounds.Left;
    std::vector<String> words;
    for (std::size_t start = 0;;) {
        const std::size_t blank = t.find(' ', start);
        words.push_back(t.substr(start, blank == String::npos ? String::npos : blank - start));
        if (blank == String::npos) break;
        start = blank + 1;
    }
    if (RightToLeft) std::reverse(words.begin(), words.end());
    auto width = [&](const String& x) {
        TRect r(0, 0, 0, 0);
        MeasureTextRect(Canvas, x, r, DrawFormat);
        return r.Right - r.Left;
    };
    String result;
    std::size_t next = 0;
    while (next < words.size()) {
        String line;
        int count = 0;
        while (next < words.size()) {
            String& w = words[next];
            const String test = RightToLeft ? (count > 0 ? w + " " + line : w) : (count > 0 ? line + " " + w : w);
            if (width(test) > maxWidth) {
                if (count == 0) {
                    // One word wider than the line: as many characters as fit, at least one.
                    const std::vector<std::size_t> starts = CharStarts(w);
                    const int L = int(starts.size()) - 1;
                    int c = L < 2 ? L : L - 1;
                    auto part = [&](int n) {
                        return RightToLeft ? w.substr(starts[std::size_t(L - n)]) : w.substr(0, starts[std::size_t(n)]);
                    };
                    while (c > 1 && width(part(c)) > maxWidth) --c;
                    const int k = std::max(c, 1);
                    line += part(k);
                    w = RightToLeft ? w.substr(0, starts[std::size_t(L - k)]) : w.substr(starts[std::size_t(k)]);
                    if (w.empty()) ++next;
                }
                break;
            }
            line = test;
            ++count;
            ++next;
        }
        result += line + "\n";
    }
    if (!result.empty()) result.pop_back();
    return result;
}

namespace {
void Ring(TCanvas* Canvas, TRect& R, unsigned Sides, TColor TopLeft, TColor BottomRight)
{
    Canvas->Brush()->SetStyle(bsSolid);
    if (Sides & BF_RIGHT) {
        Canvas->Brush()->SetColor(BottomRight);
        Canvas->FillRect(TRect(R.Right - 1, R.Top, R.Right, R.Bottom));
    }
    if (Sides & BF_BOTTOM) {
        Canvas->Brush()->SetColor(BottomRight);
        Canvas->FillRect(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom));
    }
    if (Sides & BF_LEFT) {
        Canvas->Brush()->SetColor(TopLeft);
        Canvas->FillRect(TRect(R.Left, R.Top, R.Left + 1, R.Bottom - ((Sides & BF_BOTTOM) ? 1 : 0)));
    }
    if (Sides & BF_TOP) {
        Canvas->Brush()->SetColor(TopLeft);
        Canvas->FillRect(TRect(R.Left, R.Top, R.Right - ((Sides & BF_RIGHT) ? 1 : 0), R.Top + 1));
    }
    if (Sides & BF_LEFT) ++R.Left;
    if (Sides & BF_TOP) ++R.Top;
    if (Sides & BF_RIGHT) --R.Right;
    if (Sides & BF_BOTTOM) --R.Bottom;
}
}  // namespace

void DrawEdge(TCanvas* Canvas, TRect& R, unsigned Edge, unsigned Flags)
{
    TRect r = R;
    const unsigned sides = Flags & BF_RECT;
    const bool soft = Flags & BF_SOFT, flat = Flags & BF_FLAT, mono = Flags & BF_MONO;
    const unsigned outer = Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    const unsigned inner = Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (outer) {
        if (mono)
            Ring(Canvas, r, sides, clWindowFrame, clWindowFrame);
        else if (flat)
            Ring(Canvas, r, sides, clBtnShadow, clBtnShadow);
        else if (outer & BDR_RAISEDOUTER)
            Ring(Canvas, r, sides, soft ? clBtnHighlight : cl3DLight, cl3DDkShadow);
        else
            Ring(Canvas, r, sides, soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight);
    }
    if (inner) {
        if (mono)
            Ring(Canvas, r, sides, clWindow, clWindow);
        else if (flat)
            Ring(Canvas, r, sides, clBtnFace, clBtnFace);
        else if (inner & BDR_RAISEDINNER)
            Ring(Canvas, r, sides, soft ? cl3DLight : clBtnHighlight, clBtnShadow);
        else
            Ring(Canvas, r, sides, soft ? clBtnShadow : cl3DDkShadow, cl3DLight);
    }
    if ((Flags & BF_MIDDLE) && !r.IsEmpty()) {
        Canvas->Brush()->SetColor(mono ? clWindow : clBtnFace);
        Canvas->FillRect(r);
    }
    if (Flags & BF_ADJUST) R = r;
}
