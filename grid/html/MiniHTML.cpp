#include "grid/html/MiniHTML.h"

#include <algorithm>
#include <cstring>

String StripHTMLTags(const String& s)
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

// ---------------------------------------------------------------- escaping

String EscapeHTML(const String& s)
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
    return r;
}

String UnescapeHTML(const String& s)
{
    static const struct {
        const char* name;
        char ch;
    } kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
    String r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        bool done = false;
        if (s[i] == '&')
            for (const auto& en : kEntities) {
                const size_t n = std::strlen(en.name);
                if (s.compare(i, n, en.name) == 0) {
                    r += en.ch;
                    i += n;
                    done = true;
                    break;
                }
            }
        if (!done) r += s[i++];
    }
    return r;
}

// ---------------------------------------------------------------- form-control tags

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

// ---------------------------------------------------------------- marked runs

bool SplitMarkedRuns(const String& s, std::vector<TMarkedRun>& runs)
{
    const String upper = UpperCase(s);
    if (upper.find("<HI>") == String::npos && upper.find("<E>") == String::npos) return false;
    runs.clear();
    int hi = 0, err = 0;
    String text;
    auto flush = [&]() {
        if (text.empty()) return;
        runs.push_back(TMarkedRun{UnescapeHTML(text), hi > 0, err > 0});
        text.clear();
    };
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '<') {
            const size_t e = s.find('>', i);
            if (e == String::npos) break;
            const String tag = UpperCase(Trim(s.substr(i + 1, e - i - 1)));
            if (tag == "HI" || tag == "/HI" || tag == "E" || tag == "/E") {
                flush();
                int& depth = tag.back() == 'I' ? hi : err;
                depth = tag[0] == '/' ? std::max(0, depth - 1) : depth + 1;
            }
            i = e + 1;
            continue;
        }
        text += s[i++];
    }
    flush();
    return true;
}
