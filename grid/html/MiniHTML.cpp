#include "grid/html/MiniHTML.h"

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
