#pragma once
// The grid's mini-HTML text markup: what the rest of the grid needs of it without
// rendering.
#include <vector>

#include "platform/rtl/SysUtils.h"

// The text without its tags: a line break tag becomes a line break, the character
// entities &lt; &gt; &amp; &quot; &nbsp; their characters; an unclosed "<" ends the text.
String StripHTMLTags(const String& s);

// ---- escaping, form-control tags and marked runs ----
// "&", double quote, "<" and ">" written as "&amp;", "&quot;", "&lt;" and "&gt;"; and back.
String EscapeHTML(const String& s);
String UnescapeHTML(const String& s);
// The VALUE attribute of the "<CONTROL ...>" tag whose ID attribute is ID (ASCII case
// ignored for names and the ID); false when the text holds no such control.
bool GetControlValue(const String& s, const String& ID, String& Value);
// Writes VALUE of that control (added to the tag when missing), the rest of the text
// untouched; false, text unchanged, when there is no such control.
bool SetControlValue(String& s, const String& ID, const String& Value);

// One piece of a text cut at its "hi" (highlight) and "e" (error mark) tags; other tags
// are left out and the character entities become their characters.
struct TMarkedRun {
    String Text;
    bool Highlight = false;
    bool Error = false;
};
// False (runs untouched) when the text holds neither tag.
bool SplitMarkedRuns(const String& s, std::vector<TMarkedRun>& runs);
