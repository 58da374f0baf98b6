#include "gridext/pickers/PickerCompletion.h"

#include <algorithm>

#include "platform/rtl/Unicode.h"

bool BeginsWith(const String& Text, const String& Prefix, bool CaseSensitive)
{
    if (Prefix.empty()) return false;
    const String t = CaseSensitive ? Text : UpperCase(Text);
    const String p = CaseSensitive ? Prefix : UpperCase(Prefix);
    return t.compare(0, p.size(), p) == 0;
}

TCompletion CompleteTyped(const String& Text, int Caret, const std::vector<String>& Candidates, bool MatchCase)
{
    TCompletion r;
    const std::u16string text = Utf8ToUtf16(Text);
    const int caret = std::clamp(Caret, 0, int(text.size()));
    const std::u16string typed = text.substr(0, size_t(caret));
    const String P = Utf16ToUtf8(typed);
    for (int i = 0; i < int(Candidates.size()); ++i) {
        if (!BeginsWith(Candidates[size_t(i)], P, MatchCase)) continue;
        const std::u16string c = Utf8ToUtf16(Candidates[size_t(i)]);
        const size_t tail = std::min<size_t>(c.size() - std::min(c.size(), typed.size()), MaxCompletionTail);
        const std::u16string full = typed + c.substr(std::min(c.size(), typed.size()), tail);
        r.Kind = TCompletion::ckCompleted;
        r.Text = Utf16ToUtf8(full);
        r.Index = i;
        r.Typed = int(typed.size());
        r.Length = int(full.size());
        return r;
    }
    if (!typed.empty()) {
        r.Kind = TCompletion::ckTypedOnly;
        r.Text = P;
        r.Typed = r.Length = int(typed.size());
    }
    return r;
}
