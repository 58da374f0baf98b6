// Objects in a line of mini-HTML: image-list pictures, the desktop's icons, named pictures
// and pictures by address, and drawn form controls.
// The controls are only pictures of controls: their values live in the text, and the
// grid changes them through the markup helpers when the user operates them.
#include <algorithm>
#include <cmath>

#include "grid/html/MiniHTMLRender.h"
#include "grid/html/PictureContainer.h"
#include "grid/util/GridTheme.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/SysIcons.h"

namespace {

// Objects bigger than this are cut to it: markup is untrusted.
constexpr int kMaxObjectSize = 100000;

int ReadInt(const String& v, bool* Valid = nullptr) { return ReadHTMLNumber(v, kMaxObjectSize, Valid); }



// A size in source pixels as device pixels.
int DeviceX(int s)
{
    const long long dpi = Screen ? Screen->PixelsPerInch() : 96;
    return int((s * dpi * 2 + 96) / (2 * 96));   // multiply, then divide rounded
}
int DeviceY(int s) { return DeviceX(s); }

bool IsTrue(const String& v)
{
    if (v.size() != 4) return false;
    String u = v;
    for (char& c : u) c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    return u == "TRUE";
}

// One asterisk per character of a UTF-8 text.
String Masked(const String& v)
{
    String r;
    for (char c : v)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) r += '*';
    return r;
}

HWND ThemeHandle(const TMiniHTMLParams& P)
{
    const auto* w = dynamic_cast<const TWinControl*>(P.ThemeWindow);
    return w ? w->Handle() : HWND(0);
}

void DrawValue(TCanvas* C, const String& Text, TRect R, unsigned Flags)
{
    C->Brush()->SetStyle(bsClear);
    C->DrawText(Text, R, Flags | DT_SINGLELINE | DT_NOPREFIX);
}

THTMLObjectBox ControlObject(const THTMLObjectContext& X)
{
    THTMLObjectBox o;
    const String& U = *X.UpperTag;
    if (U.find("WIDTH") == String::npos) return o;
    TMiniHTMLParams& P = *X.Params;
    const THTMLControlTag t = ParseHTMLControlTag(*X.Tag);
    THTMLControlSize local;
    THTMLControlSize& size = X.LastControl ? *X.LastControl : local;

    bool valid = false;
    int heightAttr = ReadInt(t.Height, &valid);
    if (!t.HasHeight || !valid) heightAttr = 25;
    const int wd = ReadInt(t.Width, &valid);
    if (valid) {
        size.Width = wd;
        size.Height = X.TextHeight + 10;
    }
    const bool tick = t.Type == "CHECK" || t.Type == "RADIO";
    int s = tick ? 16 : 23;
    if (heightAttr > 25) s = heightAttr - 2;

    if (X.Painting) {
        const bool themed = HTMLThemesPossible && ThemedDrawingActive();
        const TColor frame = themed ? TColor(0xB99D7F) : TColor(0x808080);
        const HWND hwnd = ThemeHandle(P);
        const int b = X.Box.Bottom, l = X.PenX;
        TCanvas* C = X.Canvas;
        const int saved = C->SaveState();
        C->Pen()->SetStyle(psSolid);
        C->Pen()->SetWidth(1);
        auto hot = [&] {
            return P.X > l - 2 && P.X < l + size.Width - 2 && P.Y > b - size.Height - 2 && P.Y < b - 2;
        };
        auto field = [&] {
            C->Pen()->SetColor(frame);
            C->Brush()->SetStyle(bsSolid);
            C->Brush()->SetColor(clWhite);
            C->Rectangle(l, b - s + 4, l + wd, b + 2);
        };
        if (t.Type == "EDIT" || t.Type == "PASSWORD" || t.Type == "MASK") {
            field();
            DrawValue(C, t.Type == "PASSWORD" ? Masked(t.Value) : t.Value, TRect(l + 2, b - s + 4, l + wd, b),
                      DT_VCENTER | DT_LEFT);
        } else if (t.Type == "COMBO") {
            field();
            DrawValue(C, t.Value, TRect(l + 4, b - s + 4, l + wd - 18, b), DT_VCENTER | DT_LEFT);
            const TRect r(l + wd - 18, b - s + 5, l + wd - 1, b + 1);
            if (!themed ||
                !DrawThemedPart(hwnd, C, VSCLASS_COMBOBOX, CP_DROPDOWNBUTTON, hot() ? CBXS_HOT : CBXS_NORMAL, r))
                DrawFrameControl(C, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        } else if (tick) {
            size.Width = size.Height = 16;
            const bool on = IsTrue(t.Value);
            const bool check = t.Type == "CHECK";
            const TRect r = check ? TRect(l + 2, b - 15, l + 15, b) : TRect(l + 2, b - 14, l + 14, b);
            const int part = check ? BP_CHECKBOX : BP_RADIOBUTTON;
            const int state = check ? (on ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL)
                                    : (on ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL);
            if (!themed || !DrawThemedPart(hwnd, C, VSCLASS_BUTTON, part, state, r))
                DrawFrameControl(C, r, DFC_BUTTON,
                                 (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT | (on ? DFCS_CHECKED : 0));
        } else if (t.Type == "BUTTON") {
            size.Height = 24;
            const bool isHot = hot();
            const TRect r(l + 2, b - heightAttr, l + wd - 2, b);
            const int state = P.ControlDown ? PBS_PRESSED : isHot ? PBS_HOT : PBS_NORMAL;
            if (!themed || !DrawThemedPart(hwnd, C, VSCLASS_BUTTON, BP_PUSHBUTTON, state, r))
                DrawFrameControl(C, r, DFC_BUTTON, DFCS_BUTTONPUSH | (isHot && P.ControlDown ? DFCS_PUSHED : 0));
            DrawValue(C, t.Value, TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), DT_VCENTER | DT_CENTER);
        }
        C->RestoreState(saved);
    }
    if (t.Type == "BUTTON" || t.Type == "COMBO") size.Height = 25;
    if (tick) size.Width = size.Height = 16;

    // A control without an ID is never found by ID: an empty ID asked for names nothing.
    const int x = P.X - X.Box.Left;
    const bool under = x > X.LineWidth && x < X.LineWidth + size.Width && P.Y > X.Box.Top &&
                       P.Y < X.Box.Top + size.Height;
    const bool byID = P.HitTestOnly && !t.ID.empty() && P.ControlID == t.ID;
    if (under || byID) {
        o.ControlHit = true;
        P.AnchorVal = "ctrl";
        const int left = X.Box.Left + X.LineWidth;
        P.ControlRect = TRect(left, X.Box.Top, left + size.Width, X.Box.Top + size.Height);
        P.ControlValue = t.Value;
        P.ControlID = t.ID;
        P.ControlType = t.Type;
    }
    o.Width = size.Width;
    o.Height = size.Height;
    return o;
}

THTMLObjectBox PictureObject(const THTMLObjectContext& X)
{
    THTMLObjectBox o;
    TMiniHTMLParams& P = *X.Params;
    const String& U = *X.UpperTag;
    const String src = HTMLTagAttr(U, U, "SRC");
    int w = 0, h = 0;
    if (src.find("IDX:") != String::npos) {
        const int index = ReadInt(src.substr(std::min<size_t>(4, src.size())));
        TImageList* list = P.Images;
        if (list && index >= 0 && index < list->Count()) {
            w = DeviceX(list->Width());
            h = DeviceY(list->Height());
            if (X.Painting) {
                if (!P.Print) {
                    list->Draw(X.Canvas, X.PenX, X.Box.Top, index);
                } else {
                    TBitmap bmp;
                    list->GetBitmap(index, &bmp);
                    const int pw = int(std::lround(list->Width() * P.ResFactor));
                    const int ph = int(std::lround(list->Height() * P.ResFactor));
                    X.Canvas->StretchDraw(TRect(X.PenX, X.Box.Top, X.PenX + pw, X.Box.Top + ph), &bmp);
                }
            }
        }
    }
    const bool small = src.find("SSYS:") != String::npos, large = src.find("LSYS:") != String::npos;
    if (small || large) {
        // A number is an index into the desktop's icon list; anything else names a file
        // or folder, as written: paths are case-sensitive here.
        const String name = HTMLTagAttr(U, *X.Tag, "SRC").substr(std::min<size_t>(5, src.size()));
        TBitmap icon;
        const bool isIndex = !name.empty() && name.find_first_not_of("0123456789") == String::npos;
        const bool found = isIndex ? GetSysIcon(ReadInt(name), large, icon) : GetSysFileIcon(name, large, icon);
        if (found) {
            w = DeviceX(icon.Width());
            h = DeviceY(icon.Height());
            if (X.Painting) {
                if (!P.Print) {
                    X.Canvas->Draw(X.PenX, X.Box.Top, &icon);
                } else {
                    const int pw = int(std::lround(icon.Width() * P.ResFactor));
                    const int ph = int(std::lround(icon.Height() * P.ResFactor));
                    X.Canvas->StretchDraw(TRect(X.PenX, X.Box.Top, X.PenX + pw, X.Box.Top + ph), &icon);
                }
            }
        }
    }

    const String value = src.find("IDX:") != String::npos ? src.substr(std::min<size_t>(4, src.size()))
                         : small || large                 ? src.substr(std::min<size_t>(5, src.size()))
                                                          : src;
    THTMLPicture* pic = FindHTMLPicture(P, value, HTMLTagAttr(U, *X.Tag, "SRC"));
    if (pic && !pic->Empty()) {
        const int aw = ReadInt(HTMLTagAttr(U, U, "WIDTH")), ah = ReadInt(HTMLTagAttr(U, U, "HEIGHT"));
        int sw = pic->Width(), sh = pic->Height();
        if (aw > 0 && ah > 0) {
            sw = aw;
            sh = ah;
        } else if (aw > 0) {
            sh = sw > 0 ? int((long long)sh * aw / sw) : 0;
            sw = aw;
        } else if (ah > 0) {
            sw = sh > 0 ? int((long long)sw * ah / sh) : 0;
            sh = ah;
        }
        const bool sized = aw > 0 || ah > 0;
        sw = std::min(sw, kMaxObjectSize);
        sh = std::min(sh, kMaxObjectSize);
        if (X.Painting) {
            if (sized) {
                pic->StretchDraw(X.Canvas, TRect(X.PenX, X.Box.Top, X.PenX + sw, X.Box.Top + sh));
            } else {
                if (pic->FrameCount() > 1) {
                    X.Canvas->Pen()->SetColor(X.EntryBackground);
                    X.Canvas->Brush()->SetColor(X.EntryBackground);
                    X.Canvas->Brush()->SetStyle(bsSolid);
                    X.Canvas->FillRect(TRect(X.PenX, X.Box.Top, X.PenX + pic->MaxWidth(), X.Box.Top + pic->MaxHeight()));
                }
                const int fx = X.PenX + pic->FrameXPos(), fy = X.Box.Top + pic->FrameYPos();
                pic->Draw(X.Canvas, TRect(fx, fy, fx + pic->Width(), fy + pic->Height()));
            }
        }
        w = DeviceX(sized ? sw : std::min(pic->MaxWidth(), kMaxObjectSize));
        h = DeviceY(sized ? sh : std::min(pic->MaxHeight(), kMaxObjectSize));
    }

    if (w > 0 || h > 0) {
        const int x = P.X - X.Box.Left;
        if (X.InAnchor && x > X.LineWidth && x < X.LineWidth + w && P.Y > X.Box.Top && P.Y < X.Box.Top + h) {
            o.AnchorHit = true;
            P.AnchorVal = *X.HRef;
            P.AnchorHint = *X.Title;
        }
    }
    o.Width = w;
    o.Height = h;
    if (U.find("ALIGN") != String::npos) {
        const int lineHeight = std::max(X.LineHeight, h);
        if (U.find("\"TOP") != String::npos) o.BaselineLift = lineHeight - X.TextHeight;
        else if (U.find("\"MIDDLE") != String::npos) o.BaselineLift = (lineHeight - X.TextHeight) / 2;
    }
    return o;
}

}  // namespace

THTMLPicture* FindHTMLPicture(TMiniHTMLParams& P, const String& Value, const String& Address)
{
    // Pictures by name come from the container, by address from the cache (filled on a
    // miss). The address keeps its letters as written: file paths are case-sensitive here.
    THTMLPicture* pic = nullptr;
    if (Value.find(':') == String::npos) {
        if (P.PictureContainer) pic = P.PictureContainer->FindPicture(Value);
    } else if (Value.find("://") != String::npos && P.PictureCache) {
        pic = P.PictureCache->FindPicture(Address);
        if (!pic) {
            THTMLPicture* added = P.PictureCache->AddPicture();
            // A resource that does not decode stays an empty picture in the cache, so it is
            // neither retried nor allowed to break the painting of the rest of the text.
            try {
                added->LoadFromURL(Address);
            } catch (const Exception&) {
            }
            pic = P.PictureCache->FindPicture(Address);
        }
    }
    return pic;
}

THTMLObjectBox RenderHTMLObject(const THTMLObjectContext& X)
{
    const String& U = *X.UpperTag;
    if (U.compare(0, 8, "<CONTROL") == 0) return ControlObject(X);
    if (U.compare(0, 4, "<IMG") == 0) return PictureObject(X);
    return THTMLObjectBox();
}
