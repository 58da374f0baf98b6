#include "treeview/transfer/LTClipboardFormats.h"

#include <algorithm>

#include "platform/rtl/Classes.h"

#include "treeview/LazyStringTree.h"
#include "treeview/core/BaseLazyTree.h"

namespace {

std::vector<TClipboardFormatListEntry>& List()
{
    static std::vector<TClipboardFormatListEntry> l;
    return l;
}

// Quick sort by priority, ascending; equal priorities keep no particular order.
void SortFormatRange(std::vector<TClipboardFormatListEntry>& L, int Lo, int Hi)
{
    while (Lo < Hi) {
        int i = Lo, j = Hi;
        const std::uint32_t pivot = L[std::size_t((Lo + Hi) / 2)].Priority;
        do {
            while (L[std::size_t(i)].Priority < pivot) ++i;
            while (L[std::size_t(j)].Priority > pivot) --j;
            if (i <= j) {
                std::swap(L[std::size_t(i)], L[std::size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (Lo < j) SortFormatRange(L, Lo, j);
        Lo = i;
    }
}

struct TKnownFormats {
    TClipFormat Data = 0, Reference = 0, HTML = 0, RTF = 0, RTFNoObjs = 0, CSV = 0;
};
TKnownFormats& Known()
{
    static TKnownFormats k;
    return k;
}

} // namespace

String PredefinedFormatName(unsigned Id)
{
    static const char* const names[] = {"Plain text",        "Windows bitmap",     "Windows metafile",
                                        "Symbolic link",     "Data interchange format", "Tiff image",
                                        "OEM text",          "DIB image",          "Palette data",
                                        "Pen data",          "Riff audio data",    "Wav audio data",
                                        "Unicode text",      "Enhanced metafile image", "File name(s)",
                                        "Locale descriptor", "DIB image V5"};
    return Id >= 1 && Id <= 17 ? String(names[Id - 1]) : String();
}

void TClipboardFormatList::Add(const String& FormatString, TTreeClass AClass, std::uint32_t Priority,
                               const TFormatEtc& AFormatEtc)
{
    List().push_back(TClipboardFormatListEntry{FormatString, AClass, Priority, AFormatEtc});
    if (List().size() > 1) SortFormatRange(List(), 0, int(List().size()) - 1);
}

void TClipboardFormatList::Clear() { List().clear(); }

const std::vector<TClipboardFormatListEntry>& TClipboardFormatList::Entries() { return List(); }

void TClipboardFormatList::EnumerateFormats(const TBaseLazyTree* Tree, TFormatEtcArray& Formats,
                                            const TClipboardFormats* AllowedFormats)
{
    Formats.clear();
    for (const auto& e : List())
        if (e.TreeClass.Applies(Tree) && (!AllowedFormats || AllowedFormats->Contains(e.Description)))
            Formats.push_back(e.FormatEtc);
}

void TClipboardFormatList::EnumerateFormats(const TBaseLazyTree* Tree, std::vector<String>& Formats)
{
    for (const auto& e : List())
        if (e.TreeClass.Applies(Tree)) Formats.push_back(e.Description);
}

const TClipboardFormatListEntry* TClipboardFormatList::FindFormat(const String& FormatString)
{
    const auto& l = List();
    for (std::size_t i = l.size(); i-- > 0;)
        if (SameText(l[i].Description, FormatString)) return &l[i];
    return nullptr;
}

const TClipboardFormatListEntry* TClipboardFormatList::FindFormat(TClipFormat Fmt)
{
    const auto& l = List();
    for (std::size_t i = l.size(); i-- > 0;)
        if (l[i].FormatEtc.cfFormat == Fmt) return &l[i];
    return nullptr;
}

void RegisterFormatById(unsigned Format, TTreeClass TreeClass, std::uint32_t Priority)
{
    if (Format == 0) return;
    TFormatEtc f;
    f.cfFormat = Format;
    const String name = Format <= 17 ? PredefinedFormatName(Format) : ClipboardFormatName(Format);
    TClipboardFormatList::Add(name, TreeClass, Priority, f);
}

TClipFormat RegisterTreeFormat(const String& Description, TTreeClass TreeClass, std::uint32_t Priority,
                               std::uint32_t tymed)
{
    TFormatEtc f;
    f.cfFormat = RegisterClipboardFormat(Description);
    f.tymed = tymed;
    TClipboardFormatList::Add(Description, TreeClass, Priority, f);
    return f.cfFormat;
}

void PrepareTreeResources()
{
    static bool done = false;
    if (done) return;
    done = true;
    TKnownFormats& k = Known();
    k.Reference = RegisterClipboardFormat("Lazy Tree Reference");
    const TTreeClass base = TreeClassOf<TBaseLazyTree>(), text = TreeClassOf<TCustomLazyStringTree>();
    k.Data = RegisterTreeFormat("Lazy Tree Data", base, 50);
    k.HTML = RegisterTreeFormat("HTML Format", text, 80);
    k.RTFNoObjs = RegisterTreeFormat("Rich Text Format Without Objects", text, 84);
    k.RTF = RegisterTreeFormat("Rich Text Format", text, 85);
    k.CSV = RegisterTreeFormat("CSV", text, 90);
    RegisterFormatById(CF_UNICODETEXT, text, 95);
    RegisterFormatById(CF_TEXT, text, 100);
}

TClipFormat LazyTreeDataFormat() { return PrepareTreeResources(), Known().Data; }
TClipFormat LazyTreeReferenceFormat() { return PrepareTreeResources(), Known().Reference; }
TClipFormat HTMLFormat() { return PrepareTreeResources(), Known().HTML; }
TClipFormat RTFFormat() { return PrepareTreeResources(), Known().RTF; }
TClipFormat RTFNoObjsFormat() { return PrepareTreeResources(), Known().RTFNoObjs; }
TClipFormat CSVFormat() { return PrepareTreeResources(), Known().CSV; }

// ---- the per-tree list ----

int TClipboardFormats::IndexOf(const String& S) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (SameText(FItems[i], S)) return int(i);
    return -1;
}

int TClipboardFormats::Add(const String& S)
{
    const TClipboardFormatListEntry* e = TClipboardFormatList::FindFormat(S);
    if (!e || !e->TreeClass.Applies(FOwner) || IndexOf(S) >= 0) return -1;
    const auto at = std::lower_bound(FItems.begin(), FItems.end(), S,
                                     [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    const int index = int(at - FItems.begin());
    FItems.insert(at, S);
    return index;
}

int TClipboardFormats::Insert(int, const String& S)
{
    const TClipboardFormatListEntry* e = TClipboardFormatList::FindFormat(S);
    if (!e || !e->TreeClass.Applies(FOwner)) return -1;
    throw EListError("Operation not allowed on sorted list");
}

void TClipboardFormats::Assign(const std::vector<String>& Names)
{
    Clear();
    for (const String& n : Names) Add(n);
}
