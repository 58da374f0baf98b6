#pragma once
// The grid's mini-HTML text markup: what the rest of the grid needs of it without
// rendering.
#include "platform/rtl/SysUtils.h"

// The text without its tags: a line break tag becomes a line break, the character
// entities &lt; &gt; &amp; &quot; &nbsp; their characters; an unclosed "<" ends the text.
String StripHTMLTags(const String& s);
