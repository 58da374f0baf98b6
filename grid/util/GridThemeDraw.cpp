// Our own visual style (a light, flat look with a blue accent) and the classic
// three-dimensional frame controls.
#include <algorithm>
#include <cstring>

#include "grid/util/GridTheme.h"

namespace {

// ---- palette of the themed look ----
constexpr TColor kAccent = RGB(0, 120, 215);
constexpr TColor kAccentDark = RGB(0, 84, 153);
constexpr TColor kBorder = RGB(133, 133, 133);
constexpr TColor kFaceBorder = RGB(173, 173, 173);
constexpr TColor kFace = RGB(225, 225, 225);
constexpr TColor kFieldButton = RGB(240, 240, 240);
constexpr TColor kHotFill = RGB(229, 241, 251);
constexpr TColor kPressedFill = RGB(204, 228, 247);
constexpr TColor kDisabledFill = RGB(244, 244, 244);
constexpr TColor kDisabledBorder = RGB(191, 191, 191);
constexpr TColor kGlyph = RGB(96, 96, 96);
constexpr TColor kDisabledGlyph = RGB(160, 160, 160);
constexpr TColor kHeaderLine = RGB(229, 229, 229);
constexpr TColor kText = RGB(0, 0, 0);
constexpr TColor kDisabledText = RGB(131, 131, 131);

enum ThemeClass { tcNone, tcButton, tcComboBox, tcSpin, tcHeader };

// Keeps the canvas's pen, brush, font and clip as the caller left them.
class CanvasState {
public:
    explicit CanvasState(TCanvas* c) : FCanvas(c), FSaved(c->SaveState()) {}
    ~CanvasState() { FCanvas->RestoreState(FSaved); }
private:
    TCanvas* FCanvas;
    int FSaved;
};

void Fill(TCanvas* c, const TRect& r, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

void Frame(TCanvas* c, const TRect& r, TColor color)
{
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FrameRect(r);
}

void HLine(TCanvas* c, int x1, int x2, int y, TColor color) { Fill(c, TRect(x1, y, x2, y + 1), color); }
void VLine(TCanvas* c, int x, int y1, int y2, TColor color) { Fill(c, TRect(x, y1, x + 1, y2), color); }

void FilledPolygon(TCanvas* c, const std::vector<TPoint>& pts, TColor color)
{
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->Polygon(pts);
}

// A small solid triangle centred in r, pointing up, down, left or right.
void ArrowGlyph(TCanvas* c, const TRect& r, unsigned dir, TColor color)
{
    int base = std::max(3, std::min(r.Width(), r.Height()) / 2);
    if (base % 2 == 0) --base;
    const int h = base / 2;
    const int cx = r.Left + (r.Width() - 1) / 2;
    const int cy = r.Top + (r.Height() - 1) / 2;
    switch (dir) {
    case DFCS_SCROLLUP:
        FilledPolygon(c, {{cx - h, cy + h / 2}, {cx + h, cy + h / 2}, {cx, cy - h + h / 2}}, color);
        break;
    case DFCS_SCROLLLEFT:
        FilledPolygon(c, {{cx + h / 2, cy - h}, {cx + h / 2, cy + h}, {cx - h + h / 2, cy}}, color);
        break;
    case DFCS_SCROLLRIGHT:
        FilledPolygon(c, {{cx - h / 2, cy - h}, {cx - h / 2, cy + h}, {cx + h - h / 2, cy}}, color);
        break;
    default:   // down, combo box
        FilledPolygon(c, {{cx - h, cy - h / 2}, {cx + h, cy - h / 2}, {cx, cy + h - h / 2}}, color);
        break;
    }
}

// The largest square centred in r.
TRect CentredSquare(const TRect& r, int maxSide)
{
    const int s = std::max(0, std::min({r.Width(), r.Height(), maxSide}));
    const int l = r.Left + (r.Width() - s) / 2;
    const int t = r.Top + (r.Height() - s) / 2;
    return TRect(l, t, l + s, t + s);
}

// A check mark in a box of side s at (l, t), two pixels thick.
void CheckMark(TCanvas* c, const TRect& box, TColor color)
{
    const int s = box.Width();
    const int l = box.Left, t = box.Top;
    const TPoint a(l + s * 3 / 13, t + s * 6 / 13);
    const TPoint b(l + s * 5 / 13, t + s * 9 / 13 - 1);
    const TPoint e(l + s * 10 / 13, t + s * 3 / 13);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    for (int k = 0; k < 2; ++k) {
        c->MoveTo(a.X, a.Y + k);
        c->LineTo(b.X, b.Y + k);
        c->LineTo(e.X + 1, e.Y + k - 1);
    }
}

// ---- themed parts ----

void ThemedCheckBox(TCanvas* c, const TRect& r, int state)
{
    const TRect box = CentredSquare(r, 13);
    if (box.IsEmpty()) return;
    const int group = (state - 1) / 4;   // 0 unchecked, 1 checked, 2 mixed
    const int sub = (state - 1) % 4;     // 0 normal, 1 hot, 2 pressed, 3 disabled
    const bool disabled = sub == 3;
    if (group == 1) {
        const TColor fill = disabled ? kDisabledBorder : sub == 2 ? kAccentDark : kAccent;
        Fill(c, box, fill);
        CheckMark(c, box, clWhite);
        return;
    }
    const TColor border = disabled ? kDisabledBorder : sub == 0 ? kBorder : kAccent;
    const TColor fill = disabled ? kDisabledFill : sub == 2 ? kPressedFill : sub == 1 ? kHotFill : clWhite;
    Fill(c, box, fill);
    Frame(c, box, border);
    if (group == 2) {
        TRect inner = box;
        InflateRect(inner, -(box.Width() / 4 + 1), -(box.Height() / 4 + 1));
        Fill(c, inner, disabled ? kDisabledBorder : kAccent);
    }
}

void ThemedRadioButton(TCanvas* c, const TRect& r, int state)
{
    const TRect box = CentredSquare(r, 13);
    if (box.IsEmpty()) return;
    const bool checked = state >= RBS_CHECKEDNORMAL;
    const int sub = (state - 1) % 4;
    const bool disabled = sub == 3;
    const TColor border = disabled ? kDisabledBorder : (checked || sub != 0) ? kAccent : kBorder;
    const TColor fill = disabled ? kDisabledFill : sub == 2 ? kPressedFill : sub == 1 ? kHotFill : clWhite;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(border);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
    c->Ellipse(box);
    if (checked) {
        TRect dot = box;
        const int inset = box.Width() * 4 / 13;
        InflateRect(dot, -inset, -inset);
        const TColor col = disabled ? kDisabledBorder : kAccent;
        c->Pen()->SetColor(col);
        c->Brush()->SetColor(col);
        c->Ellipse(dot);
    }
}

void ThemedPushButton(TCanvas* c, const TRect& r, int state)
{
    TColor fill = kFace, border = kFaceBorder;
    switch (state) {
    case PBS_HOT: fill = kHotFill; border = kAccent; break;
    case PBS_PRESSED: fill = kPressedFill; border = kAccentDark; break;
    case PBS_DISABLED: fill = kDisabledFill; border = kDisabledBorder; break;
    case PBS_DEFAULTED: border = kAccent; break;
    default: break;
    }
    Fill(c, r, fill);
    Frame(c, r, border);
}

// Fill and border of the small buttons of a field (drop-down, spin).
void FieldButtonFace(TCanvas* c, const TRect& r, int state, TColor& glyph)
{
    TColor fill = kFieldButton, border = kHeaderLine;
    glyph = kGlyph;
    switch (state) {
    case 2: fill = kHotFill; border = kAccent; break;
    case 3: fill = kPressedFill; border = kAccentDark; break;
    case 4: fill = kDisabledFill; border = kHeaderLine; glyph = kDisabledGlyph; break;
    default: break;
    }
    Fill(c, r, fill);
    Frame(c, r, border);
}

void ThemedHeaderItem(TCanvas* c, const TRect& r, int state)
{
    const TColor fill = state == HIS_PRESSED ? kPressedFill : state == HIS_HOT ? kHotFill : clWhite;
    Fill(c, r, fill);
    HLine(c, r.Left, r.Right, r.Bottom - 1, kHeaderLine);
    VLine(c, r.Right - 1, r.Top, r.Bottom, kHeaderLine);
}

bool DefinedPart(ThemeClass cls, int part, int state)
{
    switch (cls) {
    case tcButton:
        if (part == BP_CHECKBOX) return state >= 0 && state <= CBS_MIXEDDISABLED;
        if (part == BP_RADIOBUTTON) return state >= 0 && state <= RBS_CHECKEDDISABLED;
        return part == BP_PUSHBUTTON && state >= 0 && state <= PBS_DEFAULTED;
    case tcComboBox: return part == CP_DROPDOWNBUTTON && state >= 0 && state <= CBXS_DISABLED;
    case tcSpin: return (part == SPNP_UP || part == SPNP_DOWN) && state >= 0 && state <= UPS_DISABLED;
    case tcHeader: return part == HP_HEADERITEM && state >= 0 && state <= HIS_PRESSED;
    case tcNone: break;
    }
    return false;
}

bool IsDisabledState(ThemeClass cls, int part, int state)
{
    if (cls == tcButton && part == BP_CHECKBOX) return state % 4 == 0 && state > 0;
    if (cls == tcButton && part == BP_RADIOBUTTON) return state % 4 == 0 && state > 0;
    return state == 4 && cls != tcHeader;
}

// ---- the entry points of our style ----

HTHEME VsOpenThemeData(HWND, const char* classList)
{
    if (!classList) return 0;
    // A class list may name several classes separated by ";": the first known one counts.
    String list = LowerCase(classList);
    for (const String& name : SplitString(list, ";")) {
        const String n = Trim(name);
        if (n == VSCLASS_BUTTON) return tcButton;
        if (n == VSCLASS_COMBOBOX) return tcComboBox;
        if (n == VSCLASS_SPIN) return tcSpin;
        if (n == VSCLASS_HEADER) return tcHeader;
    }
    return 0;
}

bool VsCloseThemeData(HTHEME) { return true; }

bool VsDrawThemeBackground(HTHEME theme, TCanvas* c, int part, int state, const TRect& r, const TRect* clip)
{
    const ThemeClass cls = static_cast<ThemeClass>(theme);
    if (!c || !DefinedPart(cls, part, state) || r.IsEmpty()) return false;
    if (state == 0) state = 1;
    CanvasState keep(c);
    if (clip) c->IntersectClipRect(*clip);
    switch (cls) {
    case tcButton:
        if (part == BP_CHECKBOX)
            ThemedCheckBox(c, r, state);
        else if (part == BP_RADIOBUTTON)
            ThemedRadioButton(c, r, state);
        else
            ThemedPushButton(c, r, state);
        break;
    case tcComboBox: {
        TColor glyph;
        FieldButtonFace(c, r, state, glyph);
        ArrowGlyph(c, r, DFCS_SCROLLDOWN, glyph);
        break;
    }
    case tcSpin: {
        TColor glyph;
        FieldButtonFace(c, r, state, glyph);
        ArrowGlyph(c, r, part == SPNP_UP ? DFCS_SCROLLUP : DFCS_SCROLLDOWN, glyph);
        break;
    }
    case tcHeader: ThemedHeaderItem(c, r, state); break;
    case tcNone: return false;
    }
    return true;
}

bool VsDrawThemeText(HTHEME theme, TCanvas* c, int part, int state, const String& text, unsigned flags,
                     const TRect& r)
{
    const ThemeClass cls = static_cast<ThemeClass>(theme);
    if (!c || !DefinedPart(cls, part, state)) return false;
    CanvasState keep(c);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(IsDisabledState(cls, part, state) ? kDisabledText : kText);
    TRect box = r;
    c->DrawText(text, box, flags);
    return true;
}

bool VsGetThemeBackgroundContentRect(HTHEME theme, int part, int state, const TRect& bounds, TRect& content)
{
    const ThemeClass cls = static_cast<ThemeClass>(theme);
    if (!DefinedPart(cls, part, state)) return false;
    content = bounds;
    const int inset = (cls == tcButton && part == BP_PUSHBUTTON) ? 3 : 1;
    InflateRect(content, -inset, -inset);
    return true;
}

bool VsIsThemePartDefined(HTHEME theme, int part, int state)
{
    return DefinedPart(static_cast<ThemeClass>(theme), part, state);
}

bool VsGetThemeColor(HTHEME theme, int part, int state, int prop, TColor& color)
{
    const ThemeClass cls = static_cast<ThemeClass>(theme);
    if (!DefinedPart(cls, part, state)) return false;
    const bool disabled = IsDisabledState(cls, part, state);
    switch (prop) {
    case TMT_TEXTCOLOR: color = disabled ? kDisabledText : kText; return true;
    case TMT_BORDERCOLOR: color = disabled ? kDisabledBorder : kFaceBorder; return true;
    case TMT_FILLCOLOR: color = disabled ? kDisabledFill : (cls == tcButton ? kFace : clWhite); return true;
    default: return false;
    }
}

bool VsIsThemeActive() { return true; }
bool VsIsAppThemed() { return true; }

bool VsGetCurrentThemeName(String& fileName, String& colorName, String& sizeName)
{
    fileName.clear();
    colorName = "Modern";
    sizeName = "NormalSize";
    return true;
}

class BuiltInLibrary : public TThemeLibrary {
public:
    void* GetProcAddress(const char* name) const override
    {
        struct Entry { const char* name; void* proc; };
        static const Entry entries[] = {
            {"OpenThemeData", reinterpret_cast<void*>(&VsOpenThemeData)},
            {"CloseThemeData", reinterpret_cast<void*>(&VsCloseThemeData)},
            {"DrawThemeBackground", reinterpret_cast<void*>(&VsDrawThemeBackground)},
            {"DrawThemeText", reinterpret_cast<void*>(&VsDrawThemeText)},
            {"GetThemeBackgroundContentRect", reinterpret_cast<void*>(&VsGetThemeBackgroundContentRect)},
            {"IsThemePartDefined", reinterpret_cast<void*>(&VsIsThemePartDefined)},
            {"GetThemeColor", reinterpret_cast<void*>(&VsGetThemeColor)},
            {"IsThemeActive", reinterpret_cast<void*>(&VsIsThemeActive)},
            {"IsAppThemed", reinterpret_cast<void*>(&VsIsAppThemed)},
            {"GetCurrentThemeName", reinterpret_cast<void*>(&VsGetCurrentThemeName)},
        };
        if (!name) return nullptr;
        for (const Entry& e : entries)
            if (std::strcmp(e.name, name) == 0) return e.proc;
        return nullptr;
    }
};

// ---- classic frame controls ----

// Raised (or sunken) two-pixel edge of the classic look.
void Edge3D(TCanvas* c, const TRect& r, bool sunken)
{
    const TColor outerTL = sunken ? ColorToRGB(clBtnShadow) : ColorToRGB(cl3DLight);
    const TColor outerBR = sunken ? ColorToRGB(clBtnHighlight) : ColorToRGB(cl3DDkShadow);
    const TColor innerTL = sunken ? ColorToRGB(cl3DDkShadow) : ColorToRGB(clBtnHighlight);
    const TColor innerBR = sunken ? ColorToRGB(cl3DLight) : ColorToRGB(clBtnShadow);
    HLine(c, r.Left, r.Right - 1, r.Top, outerTL);
    VLine(c, r.Left, r.Top, r.Bottom - 1, outerTL);
    HLine(c, r.Left, r.Right, r.Bottom - 1, outerBR);
    VLine(c, r.Right - 1, r.Top, r.Bottom, outerBR);
    HLine(c, r.Left + 1, r.Right - 2, r.Top + 1, innerTL);
    VLine(c, r.Left + 1, r.Top + 1, r.Bottom - 2, innerTL);
    HLine(c, r.Left + 1, r.Right - 1, r.Bottom - 2, innerBR);
    VLine(c, r.Right - 2, r.Top + 1, r.Bottom - 1, innerBR);
}

void ClassicFace(TCanvas* c, const TRect& r, unsigned state)
{
    Fill(c, r, ColorToRGB(clBtnFace));
    if (state & (DFCS_FLAT | DFCS_MONO))
        Frame(c, r, ColorToRGB(clBtnShadow));
    else
        Edge3D(c, r, (state & DFCS_PUSHED) != 0);
}

} // namespace

const TThemeLibrary* BuiltInThemeLibrary()
{
    static BuiltInLibrary lib;
    return &lib;
}

bool DrawFrameControl(TCanvas* canvas, TRect r, unsigned type, unsigned state)
{
    if (!canvas || r.IsEmpty()) return false;
    CanvasState keep(canvas);
    TCanvas* c = canvas;
    const bool inactive = (state & DFCS_INACTIVE) != 0;
    const bool flat = (state & (DFCS_FLAT | DFCS_MONO)) != 0;
    if (type == DFC_BUTTON) {
        const unsigned kind = state & 0x1F;
        if (kind == DFCS_BUTTONPUSH) {
            ClassicFace(c, r, state);
            return true;
        }
        const TColor field = (inactive || (state & DFCS_PUSHED)) ? ColorToRGB(clBtnFace) : ColorToRGB(clWindow);
        const TColor mark = inactive ? ColorToRGB(clGrayText) : ColorToRGB(clWindowText);
        if (kind == DFCS_BUTTONRADIO) {
            const TRect box = CentredSquare(r, r.Width());
            c->Pen()->SetStyle(psSolid);
            c->Pen()->SetWidth(1);
            c->Pen()->SetColor(ColorToRGB(clBtnShadow));
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(field);
            c->Ellipse(box);
            if (!flat) {
                TRect inner = box;
                InflateRect(inner, -1, -1);
                c->Pen()->SetColor(ColorToRGB(cl3DDkShadow));
                c->Brush()->SetStyle(bsClear);
                c->Ellipse(inner);
            }
            if (state & DFCS_CHECKED) {
                TRect dot = box;
                InflateRect(dot, -(box.Width() * 4 / 12), -(box.Height() * 4 / 12));
                c->Pen()->SetColor(mark);
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(mark);
                c->Ellipse(dot);
            }
            return true;
        }
        // Check box (and three-state check box).
        const TRect box = CentredSquare(r, std::max(r.Width(), r.Height()));
        Fill(c, box, field);
        if (flat)
            Frame(c, box, ColorToRGB(clBtnShadow));
        else
            Edge3D(c, box, true);
        if (state & DFCS_CHECKED)
            CheckMark(c, box, (kind == DFCS_BUTTON3STATE) ? ColorToRGB(clBtnShadow) : mark);
        return true;
    }
    if (type == DFC_SCROLL) {
        ClassicFace(c, r, state);
        TRect glyph = r;
        if (state & DFCS_PUSHED) OffsetRect(glyph, 1, 1);
        const unsigned dir = state & 0x1F;
        ArrowGlyph(c, glyph, dir == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : dir,
                   inactive ? ColorToRGB(clGrayText) : ColorToRGB(clBtnText));
        return true;
    }
    // Captions and menus: a plain button face.
    ClassicFace(c, r, state);
    return true;
}
