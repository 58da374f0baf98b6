#pragma once
// The grid's mini-HTML text markup: the helpers that work on marked-up text without
// drawing it (tags removed, escaping, search hits marked, form-control values read and
// rewritten, colour names) and the process-wide colours of highlighted text.
// Texts are UTF-8; tags, attribute names and entity names are ASCII, so positions are
// counted in bytes, which never splits a character that the markup itself does not split.
#include <vector>

#include "platform/gui/Types.h"
#include "platform/rtl/SysUtils.h"

// ---- process-wide state ----
// Background and text colour of highlighted ("hi") text; every grid's highlight colour
// properties write them, the last one wins.
void SetHTMLHighlightColors(TColor Background, TColor Text);
TColor HTMLHighlightColor();
TColor HTMLHighlightTextColor();
// Whether form controls in markup may be drawn with the platform's themed parts.
extern bool HTMLThemesPossible;

// ---- colours ----
// A colour name ("clRed", "clBtnFace", any letter case) as its colour value; 0 (black)
// for a name that is not known.
TColor HTMLColorByName(const String& Name);
// A colour attribute value: "#RRGGBB" or a colour name.
TColor HTMLColorValue(const String& Value);

// ---- tags and escaping ----
// Every "<BR>" and "<HR>" becomes CR LF, then every tag goes; a "<" without a ">" after it
// keeps the rest of the text as it is; character references stay as written.
String StripHTMLTags(const String& s);
// The plain text a reader sees: tags removed (a line break tag as CR LF, an unclosed "<"
// ends the text) and &lt; &gt; &amp; &quot; &nbsp; as their characters. What searching,
// filtering and plain hints compare.
String StripHTMLToText(const String& s);
// "&", double quote, "<" and ">" as "&amp;", "&quot;", "&lt;" and "&gt;"; with Named also
// the accented letters and signs of the entity table as their names.
String EscapeHTML(const String& s, bool Named = false);
// The reverse: each reference read once, from the left (so an escaped reference comes
// back as the reference it was, never as its character).
String UnescapeHTML(const String& s, bool Named = false);
// Every blank as "&nbsp;".
String BlanksToNbsp(const String& s);

// ---- form controls embedded in a text ("<CONTROL TYPE=... ID=... VALUE=... ...>") ----
struct THTMLControlTag {
    String Type;   // upper case
    String ID;
    String MaxLen;
    String Prop;   // references decoded
    String Height;
    String Width;
    String Value;  // references decoded
    bool HasHeight = false;
};
// Reads the attributes of one control tag (the text from "<" to ">"). A value stands in
// double quotes; one written without quotes runs to the next blank or ">".
THTMLControlTag ParseHTMLControlTag(const String& TagText);
bool HasHTMLControls(const String& s);
// The control whose ID is exactly ID: its value (false when there is none), its prop,
// its maximum length (0 when none).
bool GetHTMLControlValue(const String& s, const String& ID, String& Value);
String GetHTMLControlProp(const String& s, const String& ID);
int GetHTMLControlMaxLen(const String& s, const String& ID);
// The ID of the first edit-like control (not a button, check box or radio button) after
// the control AfterID, or the first of the text when AfterID is empty; empty when none.
String NextHTMLEditControl(const String& s, const String& AfterID);
// Rewrites the tag of the control ID with the new value (ID, VALUE, WIDTH, HEIGHT when
// it had one, TYPE, PROP and MAXLEN when not empty); false, text unchanged, when no
// control has that ID.
bool SetHTMLControlValue(String& s, const String& ID, const String& Value);
// Every radio button of the text set to "FALSE".
String ClearHTMLRadioControls(const String& s);

// The grid's own lenient access to control values: attribute names and the ID compared
// without regard to case, the value changed in place (added when missing).
bool GetControlValue(const String& s, const String& ID, String& Value);
bool SetControlValue(String& s, const String& ID, const String& Value);

// ---- search hits ----
// Every occurrence of Pattern in the visible text wrapped in <TagName> ... </TagName>.
String HighlightHTMLText(const String& s, const String& Pattern, const String& TagName, bool CaseSensitive);
// Every opening and end tag of that name removed, then "&lt;" and "&gt;" as "<" and ">".
String UnHighlightHTMLText(const String& s, const String& TagName);
