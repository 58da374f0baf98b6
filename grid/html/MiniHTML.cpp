#include "grid/html/MiniHTML.h"

#include <algorithm>
#include <cstring>

#include "grid/util/GridDateFilter.h"

// ---------------------------------------------------------------- process-wide state

namespace {
TColor gHighlightColor = clHighlight;
TColor gHighlightTextColor = clHighlightText;

// The accented letters and signs that EscapeHTML and UnescapeHTML name, in the order
// they are replaced.
const struct {
    const char* ch;
    const char* name;
} kEntityTable[] = {
    {"\xc3\xa9", "&eacute;"},
    {"\xc3\xa8", "&egrave;"},
    {"\xc3\xab", "&euml;"},
    {"\xc3\xaa", "&ecirc;"},
    {"\xc3\xb3", "&oacute;"},
    {"\xc3\xb2", "&ograve;"},
    {"\xc3\xb6", "&ouml;"},
    {"\xc3\xb4", "&ocirc;"},
    {"\xc3\xad", "&iacute;"},
    {"\xc3\xac", "&igrave;"},
    {"\xc3\xaf", "&iuml;"},
    {"\xc3\xae", "&icirc;"},
    {"\xc3\xba", "&uacute;"},
    {"\xc3\xb9", "&ugrave;"},
    {"\xc3\xbc", "&uuml;"},
    {"\xc3\xbb", "&ucirc;"},
    {"\xc3\xa1", "&aacute;"},
    {"\xc3\xa0", "&agrave;"},
    {"\xc3\xa4", "&auml;"},
    {"\xc3\xa2", "&acirc;"},
    {"\xc3\x89", "&Eacute;"},
    {"\xc3\x88", "&Egrave;"},
    {"\xc3\x8b", "&Euml;"},
    {"\xc3\x8a", "&Ecirc;"},
    {"\xc3\x93", "&Oacute;"},
    {"\xc3\x92", "&Ograve;"},
    {"\xc3\x96", "&Ouml;"},
    {"\xc3\x94", "&Ocirc;"},
    {"\xc3\x8d", "&Iacute;"},
    {"\xc3\x8c", "&Igrave;"},
    {"\xc3\x8f", "&Iuml;"},
    {"\xc3\x8e", "&Icirc;"},
    {"\xc3\x9a", "&Uacute;"},
    {"\xc3\x99", "&Ugrave;"},
    {"\xc3\x9c", "&Uuml;"},
    {"\xc3\x9b", "&Ucirc;"},
    {"\xc3\x81", "&Aacute;"},
    {"\xc3\x80", "&Agrave;"},
    {"\xc3\x84", "&Auml;"},
    {"\xc3\x82", "&Acirc;"},
    {"\xc3\xa7", "&ccedil;"},
    {"\xc3\x87", "&Ccedil;"},
    {"\xc3\xb8", "&oslash;"},
    {"\xc3\x98", "&Oslash;"},
    {"\xc3\xa5", "&aring;"},
    {"\xc3\x85", "&Aring;"},
    {"\xc2\xa9", "&copy;"},
    {"\xc2\xae", "&reg;"},
    {"\xe2\x82\xac", "&euro;"},
    {"\xc2\xab", "&laquo;"},
    {"\xc2\xbb", "&raquo;"},
};

void ReplaceAllIn(String& s, std::string_view from, std::string_view to)
{
    if (from.empty()) return;
    for (size_t p = 0; (p = s.find(from, p)) != String::npos; p += to.size()) s.replace(p, from.size(), to);
}

// Upper case of the ASCII letters only: positions stay as they are.
String AsciiUpper(const String& s) { return UpperCase(s); }
}  // namespace

bool HTMLThemesPossible = true;

void SetHTMLHighlightColors(TColor Background, TColor Text)
{
    gHighlightColor = Background;
    gHighlightTextColor = Text;
}

TColor HTMLHighlightColor() { return gHighlightColor; }
TColor HTMLHighlightTextColor() { return gHighlightTextColor; }

// ---------------------------------------------------------------- colours

TColor HTMLColorByName(const String& Name)
{
    static const struct {
        const char* name;
        TColor color;
    } kFixed[] = {{"clred", 0x0000FF},   {"clblack", 0x000000},  {"clblue", 0xFF0000},   {"clgreen", 0x008000},
                  {"claqua", 0xFFFF00},  {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
                  {"cllime", 0x00FF00},  {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},   {"clolive", 0x008080},
                  {"clnavy", 0x800000},  {"clpurple", 0x800080}, {"clteal", 0x808000},   {"clmaroon", 0x000080}};
    static const char* const kSystem[] = {
        "clbackground",  "clactivecaption", "clinactivecaption", "clmenu",          "clwindow",
        "clwindowframe", "clmenutext",      "clwindowtext",      "clcaptiontext",   "clactiveborder",
        "clinactiveborder", "clappworkspace", "clhighlight",     "clhighlighttext", "clbtnface",
        "clbtnshadow",   "clgraytext",      "clbtntext",         "clinactivecaptiontext", "clbtnhighlight",
        "cl3ddkshadow",  "cl3dlight",       "clinfotext",        "clinfobk"};
    const String n = LowerCase(Name);
    for (const auto& f : kFixed)
        if (n == f.name) return f.color;
    for (size_t i = 0; i < std::size(kSystem); ++i)
        if (n == kSystem[i]) return TColor(0xFF000000u + unsigned(i) + 1);
    return 0;
}

namespace {
int HexPair(const String& v, size_t at)
{
    if (at + 2 > v.size()) return 0;
    int r = 0;
    for (size_t i = at; i < at + 2; ++i) {
        const char c = v[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return 0;
        r = r * 16 + d;
    }
    return r;
}
}  // namespace

TColor HTMLColorValue(const String& Value)
{
    if (!Value.empty() && Value[0] == '#')
        return TColor(HexPair(Value, 1) + HexPair(Value, 3) * 256 + HexPair(Value, 5) * 65536);
    return HTMLColorByName(Value);
}

// ---------------------------------------------------------------- tags and escaping

String StripHTMLTags(const String& s)
{
    String t = StringReplace(s, "<BR>", "\r\n", rfReplaceAll | rfIgnoreCase);
    t = StringReplace(t, "<HR>", "\r\n", rfReplaceAll | rfIgnoreCase);
    String out;
    out.reserve(t.size());
    size_t i = 0;
    while (i < t.size()) {
        const size_t lt = t.find('<', i);
        if (lt == String::npos) break;
        const size_t gt = t.find('>', lt);
        if (gt == String::npos) break;
        out.append(t, i, lt - i);
        i = gt + 1;
    }
    out.append(t, i, String::npos);
    return out;
}

String StripHTMLToText(const String& s)
{
    static const struct {
        const char* name;
        const char* text;
    } kEntities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}, {"&nbsp;", " "}};
    String out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const char ch = s[i];
        if (ch == '<') {
            const size_t e = s.find('>', i);
            if (e == String::npos) break;
            const String tag = UpperCase(Trim(s.substr(i + 1, e - i - 1)));
            if (tag == "BR" || tag == "BR/" || tag == "BR /") out += "\r\n";
            i = e + 1;
            continue;
        }
        if (ch == '&') {
            bool done = false;
            for (const auto& en : kEntities) {
                const size_t n = std::strlen(en.name);
                if (s.compare(i, n, en.name) == 0) {
                    out += en.text;
                    i += n;
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        out += ch;
        ++i;
    }
    return out;
}

String EscapeHTML(const String& s, bool Named)
{
    String r;
    r.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        default: r += c;
        }
    }
    if (Named)
        for (const auto& e : kEntityTable) ReplaceAllIn(r, e.ch, e.name);
    return r;
}

String UnescapeHTML(const String& s, bool Named)
{
    static const struct {
        const char* name;
        const char* ch;
    } kBasic[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}};
    String r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '&') {
            const char* to = nullptr;
            size_t n = 0;
            for (const auto& e : kBasic)
                if (s.compare(i, std::strlen(e.name), e.name) == 0) {
                    to = e.ch;
                    n = std::strlen(e.name);
                    break;
                }
            if (!to && Named)
                for (const auto& e : kEntityTable)
                    if (s.compare(i, std::strlen(e.name), e.name) == 0) {
                        to = e.ch;
                        n = std::strlen(e.name);
                        break;
                    }
            if (to) {
                r += to;
                i += n;
                continue;
            }
        }
        r += s[i++];
    }
    return r;
}

String BlanksToNbsp(const String& s) { return StringReplace(s, " ", "&nbsp;", rfReplaceAll); }

// ---------------------------------------------------------------- form controls

namespace {
// The value of NAME= in a control tag: between the next two double quotes, or without
// quotes up to the next blank or ">".
String ControlAttr(const String& Tag, const String& Upper, const char* Name, bool& Found)
{
    const size_t p = Upper.find(Name);
    Found = p != String::npos;
    if (!Found) return String();
    size_t i = p + std::strlen(Name);
    while (i < Tag.size() && Tag[i] == ' ') ++i;
    if (i < Tag.size() && Tag[i] == '"') {
        const size_t e = Tag.find('"', i + 1);
        if (e == String::npos) return String();
        return Tag.substr(i + 1, e - i - 1);
    }
    const size_t from = i;
    while (i < Tag.size() && Tag[i] != ' ' && Tag[i] != '>' && Tag[i] != '"') ++i;
    return Tag.substr(from, i - from);
}

struct TControlSpan {
    size_t From, To;   // the tag's "<" and one past its ">"
    THTMLControlTag Tag;
};

// Every complete "<CONTROL " tag of the text, from the left.
std::vector<TControlSpan> ControlTags(const String& s)
{
    std::vector<TControlSpan> out;
    const String upper = AsciiUpper(s);
    size_t p = 0;
    while ((p = upper.find("<CONTROL ", p)) != String::npos) {
        const size_t e = s.find('>', p);
        if (e == String::npos) break;
        out.push_back({p, e + 1, ParseHTMLControlTag(s.substr(p, e + 1 - p))});
        p = e + 1;
    }
    return out;
}

const TControlSpan* FindControl(const std::vector<TControlSpan>& tags, const String& ID)
{
    for (const auto& t : tags)
        if (t.Tag.ID == ID) return &t;
    return nullptr;
}
}  // namespace

THTMLControlTag ParseHTMLControlTag(const String& TagText)
{
    const String upper = AsciiUpper(TagText);
    THTMLControlTag t;
    bool found = false;
    t.Type = AsciiUpper(ControlAttr(TagText, upper, "TYPE=", found));
    t.Width = ControlAttr(TagText, upper, "WIDTH=", found);
    t.Height = ControlAttr(TagText, upper, "HEIGHT=", t.HasHeight);
    t.ID = ControlAttr(TagText, upper, "ID=", found);
    t.Value = UnescapeHTML(ControlAttr(TagText, upper, "VALUE=", found), true);
    t.Prop = UnescapeHTML(ControlAttr(TagText, upper, "PROP=", found), true);
    t.MaxLen = ControlAttr(TagText, upper, "MAXLEN=", found);
    return t;
}

bool HasHTMLControls(const String& s) { return AsciiUpper(s).find("<CONTROL") != String::npos; }

bool GetHTMLControlValue(const String& s, const String& ID, String& Value)
{
    const auto tags = ControlTags(s);
    const TControlSpan* t = FindControl(tags, ID);
    Value = t ? t->Tag.Value : String();
    return t != nullptr;
}

String GetHTMLControlProp(const String& s, const String& ID)
{
    const auto tags = ControlTags(s);
    const TControlSpan* t = FindControl(tags, ID);
    return t ? t->Tag.Prop : String();
}

int GetHTMLControlMaxLen(const String& s, const String& ID)
{
    const auto tags = ControlTags(s);
    const TControlSpan* t = FindControl(tags, ID);
    return t ? StrToIntDef(t->Tag.MaxLen, 0) : 0;
}

String NextHTMLEditControl(const String& s, const String& AfterID)
{
    bool after = AfterID.empty();
    for (const auto& t : ControlTags(s)) {
        if (!after) {
            after = t.Tag.ID == AfterID;
            continue;
        }
        if (t.Tag.Type != "BUTTON" && t.Tag.Type != "CHECK" && t.Tag.Type != "RADIO") return t.Tag.ID;
    }
    return String();
}

bool SetHTMLControlValue(String& s, const String& ID, const String& Value)
{
    const auto tags = ControlTags(s);
    const TControlSpan* t = FindControl(tags, ID);
    if (!t) return false;
    const auto q = [](const String& v) { return "\"" + v + "\""; };
    String tag = "<CONTROL ID=" + q(ID) + " VALUE=" + q(EscapeHTML(Value, true)) + " WIDTH=" + q(t->Tag.Width);
    if (t->Tag.HasHeight) tag += " HEIGHT=" + q(t->Tag.Height);
    tag += " TYPE=" + q(t->Tag.Type);
    if (!t->Tag.Prop.empty()) tag += " PROP=" + q(EscapeHTML(t->Tag.Prop, true));
    if (!t->Tag.MaxLen.empty()) tag += " MAXLEN=" + q(t->Tag.MaxLen);
    tag += ">";
    s.replace(t->From, t->To - t->From, tag);
    return true;
}

String ClearHTMLRadioControls(const String& s)
{
    std::vector<String> ids;
    for (const auto& t : ControlTags(s))
        if (t.Tag.Type == "RADIO") ids.push_back(t.Tag.ID);
    String r = s;
    for (const String& id : ids) SetHTMLControlValue(r, id, "FALSE");
    return r;
}

// ---------------------------------------------------------------- search hits

namespace {
String VisibleText(const String& s)
{
    String out;
    size_t i = 0;
    for (;;) {
        const size_t lt = s.find('<', i);
        const size_t gt = lt == String::npos ? String::npos : s.find('>', lt);
        if (gt == String::npos) break;
        out.append(s, i, lt - i);
        i = gt + 1;
    }
    out.append(s, i, String::npos);
    return out;
}

// Where an end tag goes after visible character N - 1: right behind it, before any tag
// that follows (the very start for N = 1; one past the end after the last character).
size_t VisibleCount(const String& s)
{
    size_t n = 0;
    bool inTag = false;
    for (char c : s) {
        if (inTag) inTag = c != '>';
        else if (c == '<') inTag = true;
        else ++n;
    }
    return n;
}

size_t InsertionPoint(const String& s, size_t N)
{
    if (N <= 1) return 0;
    if (N > VisibleCount(s)) return s.size();
    size_t seen = 0;
    bool inTag = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (inTag) {
            if (c == '>') inTag = false;
            continue;
        }
        if (c == '<') {
            inTag = true;
            continue;
        }
        if (++seen == N - 1) return i + 1;
    }
    return s.size();
}

// Where an opening tag goes before visible character N: behind the tags that stand
// before it, so that it never lands in front of the end tag of an earlier hit.
size_t OpeningPoint(const String& s, size_t N)
{
    size_t i = InsertionPoint(s, N);
    while (i < s.size() && s[i] == '<') {
        const size_t gt = s.find('>', i);
        if (gt == String::npos) break;
        i = gt + 1;
    }
    return i;
}
}  // namespace

String HighlightHTMLText(const String& s, const String& Pattern, const String& TagName, bool CaseSensitive)
{
    if (Pattern.empty()) return s;
    String text = s, pattern = Pattern;
    String visible = VisibleText(text);
    if (text.find(pattern) != String::npos && visible.find_first_of("<>") != String::npos) {
        // A stray bracket cannot stay beside the new tags: the text gives up its markup.
        const auto esc = [](String v) {
            ReplaceAllIn(v, "<", "&lt;");
            ReplaceAllIn(v, ">", "&gt;");
            return v;
        };
        text = esc(visible);
        pattern = esc(pattern);
        visible = text;
    }
    String hay = visible, needle = pattern;
    if (!CaseSensitive) {
        hay = UpperCaseText(visible);
        needle = UpperCaseText(pattern);
        // An upper case of another length would move the positions: compare as written.
        if (hay.size() != visible.size() || needle.size() != pattern.size()) {
            hay = visible;
            needle = pattern;
        }
    }
    const String open = "<" + TagName + ">", close = "</" + TagName + ">";
    size_t offset = 0;
    for (size_t p; (p = hay.find(needle, offset)) != String::npos;) {
        const size_t P = p + 1;
        text.insert(OpeningPoint(text, P), open);
        text.insert(InsertionPoint(text, P + needle.size()), close);
        offset = p + needle.size();
    }
    return text;
}

String UnHighlightHTMLText(const String& s, const String& TagName)
{
    String r = StringReplace(s, "<" + TagName + ">", "", rfReplaceAll | rfIgnoreCase);
    r = StringReplace(r, "</" + TagName + ">", "", rfReplaceAll | rfIgnoreCase);
    ReplaceAllIn(r, "&lt;", "<");
    ReplaceAllIn(r, "&gt;", ">");
    return r;
}

// ---------------------------------------------------------------- the grid's lenient control access

namespace {
struct TTagAttr {
    String Name;       // upper case
    String Value;
    size_t ValueFrom;  // where the value's text starts in the tag text (quotes excluded)
    size_t ValueTo;    // one past its end
};

// The attributes NAME=VALUE or NAME="VALUE" between the tag name and the closing ">".
std::vector<TTagAttr> ParseTagAttrs(const String& s, size_t from, size_t to)
{
    std::vector<TTagAttr> attrs;
    size_t i = from;
    while (i < to) {
        while (i < to && s[i] == ' ') ++i;
        const size_t nameFrom = i;
        while (i < to && s[i] != '=' && s[i] != ' ') ++i;
        if (i >= to || s[i] != '=') {
            ++i;
            continue;
        }
        TTagAttr a;
        a.Name = UpperCase(s.substr(nameFrom, i - nameFrom));
        ++i;
        if (i < to && (s[i] == '"' || s[i] == '\'')) {
            const char q = s[i++];
            a.ValueFrom = i;
            while (i < to && s[i] != q) ++i;
            a.ValueTo = i;
            if (i < to) ++i;
        } else {
            a.ValueFrom = i;
            while (i < to && s[i] != ' ') ++i;
            a.ValueTo = i;
        }
        a.Value = s.substr(a.ValueFrom, a.ValueTo - a.ValueFrom);
        attrs.push_back(std::move(a));
    }
    return attrs;
}

// Finds the control tag with that ID: the tag's bounds and its attributes.
bool FindControlTag(const String& s, const String& ID, size_t& tagFrom, size_t& tagTo, std::vector<TTagAttr>& attrs)
{
    const String upper = UpperCase(s);
    size_t p = 0;
    while ((p = upper.find("<CONTROL ", p)) != String::npos) {
        const size_t e = s.find('>', p);
        if (e == String::npos) return false;
        attrs = ParseTagAttrs(s, p + 9, e);
        for (const auto& a : attrs)
            if (a.Name == "ID" && SameText(a.Value, ID)) {
                tagFrom = p;
                tagTo = e;
                return true;
            }
        p = e;
    }
    return false;
}
}

bool GetControlValue(const String& s, const String& ID, String& Value)
{
    size_t from = 0, to = 0;
    std::vector<TTagAttr> attrs;
    if (!FindControlTag(s, ID, from, to, attrs)) return false;
    Value.clear();
    for (const auto& a : attrs)
        if (a.Name == "VALUE") Value = a.Value;
    // A double quote inside the value is written as its entity.
    String v;
    for (size_t i = 0; i < Value.size();) {
        if (Value.compare(i, 6, "&quot;") == 0) {
            v += '"';
            i += 6;
        } else {
            v += Value[i++];
        }
    }
    Value = v;
    return true;
}

bool SetControlValue(String& s, const String& ID, const String& Value)
{
    size_t from = 0, to = 0;
    std::vector<TTagAttr> attrs;
    if (!FindControlTag(s, ID, from, to, attrs)) return false;
    // The value is quoted when it is written, so blanks and ">" cannot end the tag early.
    String v = Value;
    for (size_t i = 0; (i = v.find('"', i)) != String::npos; i += 6) v.replace(i, 1, "&quot;");
    String quotedValue(1, '"');
    quotedValue += v;
    quotedValue += '"';
    for (const auto& a : attrs)
        if (a.Name == "VALUE") {
            const bool quoted = a.ValueFrom > 0 && (s[a.ValueFrom - 1] == '"' || s[a.ValueFrom - 1] == '\'');
            s.replace(a.ValueFrom, a.ValueTo - a.ValueFrom, quoted ? v : quotedValue);
            return true;
        }
    s.insert(to, quotedValue);
    s.insert(to, " VALUE=");
    return true;
}
