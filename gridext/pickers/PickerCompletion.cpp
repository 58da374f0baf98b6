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

// ---------------------------------------------------------------- the completing edit

void TLookupDropDown::BuildLookupList()
{
    if (!HasLookup()) return;
    FLookupItems.clear();
    for (int i = 0; i < LookupItemCount(); ++i) FLookupItems.push_back(LookupLine(i));
}

int TLookupDropDown::LookupPosition(const String& Text) const
{
    for (int i = 0; i < int(FLookupItems.size()); ++i)
        if (SameText(FLookupItems[size_t(i)], Text)) return i;
    return -1;
}

void TLookupDropDown::Change()
{
    FItemChange = false;
    TExtCustomDropDown::Change();
    if (!workmode || FSettingText) return;
    SetModifiedFlag(!Text().empty());
    const TCompletion c = CompleteTyped(Text(), SelStart(), FLookupItems, FMatchCase);
    if (c.Kind == TCompletion::ckNone) return;
    FSettingText = true;
    SetPlainText(c.Text);
    FSettingText = false;
    if (c.Kind == TCompletion::ckCompleted) {
        TakeCompletedItem(c.Index);
        FItemIdx = c.Index;
        FItemSel = c.Typed;
        FItemChange = true;
    }
    SetSelStart(c.Typed);
    SetSelLength(c.Length - c.Typed);
}

void TLookupDropDown::KeyUp(WORD& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab())) TExtCustomDropDown::KeyUp(Key, Shift);
    if (!FItemChange) return;
    SelectLookupItem(FItemIdx);
    SetSelStart(FItemSel);
    SetSelLength(GetTextLen() - FItemSel);
    FItemChange = false;
}

void TLookupDropDown::KeyDown(WORD& Key, TShiftState Shift)
{
    if (!HasLookup()) {
        TExtCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    workmode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
    if (Key == VK_RETURN) {
        const int i = LookupPosition(Text());
        if (i >= 0) SelectLookupItem(i);
    }
    LookupKeyDown(Key);
    const WORD k = Key;
    TExtCustomDropDown::KeyDown(Key, Shift);
    if (k == VK_ESCAPE) SelectLookupItem(LookupPosition(Text()));
}
