#include "platform/os/IniFiles.h"

#include "platform/os/Files.h"

TIniFile::TIniFile(const String& FileName) : FFileName(FileName)
{
    if (FileName.empty() || !FileExists(FileName)) return;
    Parse(ReadFileBytes(FileName));
}

TIniFile TIniFile::FromText(const String& Text)
{
    TIniFile f;
    f.Parse(Text);
    return f;
}

void TIniFile::Parse(const String& Text)
{
    if (Text.size() > MaxFileSize) throw EIniFileError("Settings file too large: " + FFileName);
    std::vector<std::pair<String, TValues>> sections;
    size_t lines = 0, pos = 0;
    while (pos < Text.size()) {
        size_t end = Text.find_first_of("\r\n", pos);
        if (end == String::npos) end = Text.size();
        if (++lines > MaxLines) throw EIniFileError("Settings file has too many lines: " + FFileName);
        const String t = Trim(Text.substr(pos, end - pos));
        pos = end;
        if (pos < Text.size() && Text[pos] == '\r') ++pos;
        if (pos < Text.size() && Text[pos] == '\n') ++pos;
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t.front() == '[' && t.back() == ']' && t.size() >= 2) {
            sections.push_back({Trim(t.substr(1, t.size() - 2)), {}});
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == String::npos || sections.empty()) continue;
        String v = Trim(t.substr(eq + 1));
        // One pair of enclosing quotes is the writer's guard of blanks at either end.
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        sections.back().second.push_back({Trim(t.substr(0, eq)), v});
    }
    FSections = std::move(sections);
}

TIniFile::TValues* TIniFile::Find(const String& Section)
{
    for (auto& s : FSections)
        if (SameText(s.first, Section)) return &s.second;
    return nullptr;
}

const TIniFile::TValues* TIniFile::Find(const String& Section) const
{
    return const_cast<TIniFile*>(this)->Find(Section);
}

bool TIniFile::SectionExists(const String& Section) const { return Find(Section) != nullptr; }

bool TIniFile::ValueExists(const String& Section, const String& Ident) const
{
    if (const TValues* s = Find(Section))
        for (const auto& kv : *s)
            if (SameText(kv.first, Ident)) return true;
    return false;
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const
{
    // The first of several equal names counts, as a reader of such files expects.
    if (const TValues* s = Find(Section))
        for (const auto& kv : *s)
            if (SameText(kv.first, Ident)) return kv.second;
    return Default;
}

int TIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const
{
    const String v = ReadString(Section, Ident, "");
    int n = 0;
    return TryStrToInt(v, n) ? n : Default;
}

namespace {
// What the reader trims from either end: blanks and control characters.
bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= ' '; }
}  // namespace

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    String v = Value;
    for (char& ch : v)
        if (ch == '\r' || ch == '\n') ch = ' ';
    TValues* s = Find(Section);
    if (!s) {
        FSections.push_back({Section, {}});
        s = &FSections.back().second;
    }
    for (auto& kv : *s)
        if (SameText(kv.first, Ident)) {
            kv.second = v;
            return;
        }
    s->push_back({Ident, v});
}

void TIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
    if (TValues* s = Find(Section))
        for (auto it = s->begin(); it != s->end(); ++it)
            if (SameText(it->first, Ident)) {
                s->erase(it);
                return;
            }
}

void TIniFile::EraseSection(const String& Section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (SameText(it->first, Section)) {
            FSections.erase(it);
            return;
        }
}

std::vector<String> TIniFile::ReadSection(const String& Section) const
{
    std::vector<String> names;
    if (const TValues* s = Find(Section))
        for (const auto& kv : *s) names.push_back(kv.first);
    return names;
}

std::vector<String> TIniFile::Sections() const
{
    std::vector<String> names;
    for (const auto& s : FSections) names.push_back(s.first);
    return names;
}

String TIniFile::Text() const
{
    String out;
    for (const auto& s : FSections) {
        out += "[" + s.first + "]\r\n";
        for (const auto& kv : s.second) {
            const String& v = kv.second;
            // Blanks at either end, or enclosing quotes of the value's own, would be lost
            // on reading: one more pair of quotes keeps them.
            const bool quote = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) ||
                                              (v.size() >= 2 && v.front() == '"' && v.back() == '"'));
            out += kv.first + "=" + (quote ? "\"" + v + "\"" : v) + "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

void TIniFile::UpdateFile() const { WriteFileAtomic(FFileName, Text()); }
