#pragma once
// Lays out, paints, measures and hit-tests mini-HTML text in a rectangle of a canvas.
// One call does one of the three; the canvas's font, pen and brush come back as they were.
#include <string_view>

#include "grid/html/MiniHTML.h"
#include "platform/gui/Graphics.h"

class TImageList;
class TControl;
class THTMLPictureCache;
class TPictureContainer;
class THTMLPicture;

// Right-to-left reading order for the platform's text drawing.
constexpr unsigned DT_RTLREADING = 0x20000;

// What RenderMiniHTML reads (first block) and writes (second block).
struct TMiniHTMLParams {
    TImageList* Images = nullptr;          // pictures named "IDX:n"
    int X = -1, Y = -1;                    // hit point, canvas coordinates
    int FocusLink = -1;                    // anchor with the focus rectangle, from 0
    int HoverLink = -1;                    // anchor under the mouse, from 1
    int ShadowOffset = 1;
    bool HitTestOnly = false;              // the second pass finds hits instead of painting
    bool MeasureOnly = false;              // one pass: nothing painted, nothing cut off
    bool Print = false;
    bool Selected = false;                 // the text stands in a selected cell
    bool BlinkOn = true;                   // visible phase of blinking text
    bool HoverStyle = false;               // only the hovered anchor is underlined
    bool WordWrap = true;
    bool ControlDown = false;
    double ResFactor = 1.0;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    TControl* ThemeWindow = nullptr;
    int BiDiMode = 0;                      // 0 left to right, 1-3 right-to-left reading

    String AnchorVal;                      // HREF of the anchor hit ("ctrl" for a control)
    String StrippedText;                   // the visible text, CR for each line break tag
    String FocusAnchor;
    String AnchorHint;                     // TITLE of the anchor hit
    int XSize = 0, YSize = 0;              // widest line, height of all lines
    int HyperLinks = 0;
    int MouseLink = -1;                    // anchor under the hit point, from 1
    TRect HoverRect;
    TRect ControlRect;
    String ControlID;                      // in: with HitTestOnly, a control to look up
    String ControlValue;
    String ControlType;
};

// True when the second pass found the hit point on an anchor's text, a form control or
// a linked picture.
bool RenderMiniHTML(TCanvas* Canvas, const String& Text, const TRect& Rect, TMiniHTMLParams& P);

// The text-drawing flags adjusted to the caller's reading order on a right-to-left locale.
unsigned HTMLDrawTextFlags(unsigned Flags, int BiDiMode);

// ---- objects in a line: pictures ("IMG") and form controls ("CONTROL") ----
// What the line routine knows when it meets an object tag.
struct THTMLObjectContext {
    TCanvas* Canvas;
    TMiniHTMLParams* Params;
    const String* Tag;        // from "<" to ">", as written
    const String* UpperTag;   // the same with ASCII letters upper-cased
    bool Painting;
    TRect Box;                // the line's box
    int PenX;                 // left edge of the object
    int LineWidth;            // line width so far
    int LineHeight;
    int TextHeight;           // height of "gh" in the current font
    bool InAnchor;
    const String* HRef;
    const String* Title;
    TColor EntryBackground;
    struct THTMLControlSize* LastControl;   // kept between the object tags of one call
};
// The size of the last form control of a call: a later control whose WIDTH is not a
// number takes it over.
struct THTMLControlSize {
    int Width = 0, Height = 0;
};
// What the object takes in the line; a zero size reserves nothing.
struct THTMLObjectBox {
    int Width = 0, Height = 0;
    int BaselineLift = -1;    // >= 0: lift of the line's text (ALIGN of a picture)
    bool AnchorHit = false;   // a linked picture under the hit point
    bool ControlHit = false;  // a form control under the hit point
};
// Sizes, paints (when painting) and hit-tests one object tag: image-list pictures ("IDX:n")
// and form controls, named pictures and pictures by address.
THTMLObjectBox RenderHTMLObject(const THTMLObjectContext& Ctx);
// The picture a markup attribute names: Value (upper-cased) without ":" by name in the
// container, one holding "://" by Address (as written) in the cache, which a miss fills by
// loading it. nullptr when there is none; the picture may be empty.
THTMLPicture* FindHTMLPicture(TMiniHTMLParams& P, const String& Value, const String& Address);
// A decimal integer at the start of v (blanks, an optional minus sign, then digits), its
// size held to Limit: attribute values are untrusted. Valid is false without a digit.
int ReadHTMLNumber(std::string_view v, long long Limit, bool* Valid = nullptr);
// The value of an attribute: found as a substring of the upper-cased tag, read between
// the next two double quotes from Source (the upper-cased tag, or the tag as written:
// both have the same length); empty without quotes. Found tells whether the name occurs.
String HTMLTagAttr(const String& UpperTag, const String& Source, const char* Name, bool* Found = nullptr);
