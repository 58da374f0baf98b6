#include "platform/rtl/Classes.h"

#include <algorithm>

TStringList::~TStringList()
{
    OnChange = nullptr;
    Clear();
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

void TStringList::Changed()
{
    if (OnChange) OnChange(this);
}

void TStringList::FreeObject(TObject* obj)
{
    if (FOwnsObjects) delete obj;
}

int TStringList::CompareStrings(const String& a, const String& b) const
{
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

const String& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].s;
}

void TStringList::SetStrings(int index, const String& s)
{
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    FItems[static_cast<size_t>(index)].s = s;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].obj;
}

void TStringList::SetObjects(int index, TObject* obj)
{
    CheckIndex(index);
    Item& it = FItems[static_cast<size_t>(index)];
    if (it.obj != obj) FreeObject(it.obj);
    it.obj = obj;
    Changed();
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* obj)
{
    int index = Count();
    if (FSorted) {
        if (Find(s, index)) {
            if (FDuplicates == dupIgnore) return index;
            if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
            // dupAccept: after the equal run, so equal texts keep their order of adding
            while (index < Count() && CompareStrings(FItems[static_cast<size_t>(index)].s, s) == 0) ++index;
        }
    }
    FItems.insert(FItems.begin() + index, Item{s, obj});
    Changed();
    return index;
}

void TStringList::Insert(int index, const String& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, TObject* obj)
{
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, Item{s, obj});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    TObject* obj = FItems[static_cast<size_t>(index)].obj;
    FItems.erase(FItems.begin() + index);
    FreeObject(obj);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    std::vector<Item> old;
    old.swap(FItems);
    for (Item& it : old) FreeObject(it.obj);
    Changed();
}

void TStringList::Exchange(int a, int b)
{
    CheckIndex(a);
    CheckIndex(b);
    std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
    Changed();
}

void TStringList::Move(int from, int to)
{
    if (from == to) return;
    CheckIndex(from);
    CheckIndex(to);
    Item it = FItems[static_cast<size_t>(from)];
    FItems.erase(FItems.begin() + from);
    FItems.insert(FItems.begin() + to, it);
    Changed();
}

void TStringList::Assign(const TStringList& other)
{
    if (&other == this) return;
    Clear();
    for (const Item& it : other.FItems) FItems.push_back(it);
    if (FSorted) Sort();
    Changed();
}

void TStringList::AddStrings(const TStringList& other)
{
    for (const Item& it : other.FItems) AddObject(it.s, it.obj);
}

int TStringList::IndexOf(const String& s) const
{
    if (FSorted) {
        int index;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(FItems[static_cast<size_t>(i)].s, s) == 0) return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject* obj) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)].obj == obj) return i;
    return -1;
}

bool TStringList::Find(const String& s, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareStrings(FItems[static_cast<size_t>(mid)].s, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) found = true;   // keep going left: the first of equal texts
        }
    }
    index = lo;
    return found;
}

String TStringList::Names(int index) const
{
    const String& s = Strings(index);
    size_t p = s.find('=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStringList::ValueFromIndex(int index) const
{
    const String& s = Strings(index);
    size_t p = s.find('=');
    return p == String::npos ? String() : s.substr(p + 1);
}

int TStringList::IndexOfName(const String& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const String& s = FItems[static_cast<size_t>(i)].s;
        size_t p = s.find('=');
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
    }
    return -1;
}

String TStringList::Values(const String& name) const
{
    int i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStringList::SetValues(const String& name, const String& value)
{
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    if (i < 0) {
        Add(name + "=" + value);
    } else if (FSorted) {
        Delete(i);
        Add(name + "=" + value);
    } else {
        SetStrings(i, name + "=" + value);
    }
}

void TStringList::SetSorted(bool v)
{
    if (v == FSorted) return;
    if (v) Sort();
    FSorted = v;
}

void TStringList::SetCaseSensitive(bool v)
{
    if (v == FCaseSensitive) return;
    FCaseSensitive = v;
    if (FSorted) Sort();
}

void TStringList::Sort()
{
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.s, b.s) < 0; });
    Changed();
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare)
{
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    // Sort a permutation, so the comparer sees the list as it stands.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order) sorted.push_back(FItems[static_cast<size_t>(i)]);
    FItems.swap(sorted);
    Changed();
}

String TStringList::Text() const
{
    String out;
    for (const Item& it : FItems) {
        out += it.s;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text)
{
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t e = text.find_first_of("\r\n", i);
        if (e == std::string_view::npos) e = text.size();
        FItems.push_back(Item{String(text.substr(i, e - i)), nullptr});
        if (e < text.size()) {
            bool cr = text[e] == '\r';
            ++e;
            if (cr && e < text.size() && text[e] == '\n') ++e;
        }
        i = e;
    }
    if (FSorted) Sort();
    Changed();
}

String TStringList::DelimitedText(char delimiter, char quote) const
{
    String out;
    for (int i = 0; i < Count(); ++i) {
        const String& s = FItems[static_cast<size_t>(i)].s;
        bool needQuote = s.empty() && Count() == 1;
        for (char c : s)
            if (static_cast<unsigned char>(c) <= 32 || c == delimiter || c == quote) needQuote = true;
        if (i) out += delimiter;
        if (needQuote) {
            out += quote;
            for (char c : s) {
                if (c == quote) out += quote;
                out += c;
            }
            out += quote;
        } else {
            out += s;
        }
    }
    return out;
}

void TStringList::SetDelimitedText(std::string_view text, char delimiter, char quote, bool strictDelimiter)
{
    Clear();
    size_t i = 0;
    auto isSep = [&](char c) { return c == delimiter || (!strictDelimiter && static_cast<unsigned char>(c) <= 32); };
    auto skipBlanks = [&] {
        if (!strictDelimiter)
            while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        String item;
        if (text[i] == quote) {
            ++i;
            while (i < text.size()) {
                if (text[i] == quote) {
                    if (i + 1 < text.size() && text[i + 1] == quote) {
                        item += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && !isSep(text[i])) item += text[i++];
        }
        FItems.push_back(Item{item, nullptr});
        skipBlanks();
        if (i < text.size() && text[i] == delimiter) {
            ++i;
            skipBlanks();
            if (i >= text.size()) FItems.push_back(Item{String(), nullptr});   // trailing delimiter
        }
    }
    if (FSorted) Sort();
    Changed();
}

String TStringList::CommaText() const { return DelimitedText(',', '"'); }
void TStringList::SetCommaText(std::string_view text) { SetDelimitedText(text, ',', '"', false); }
