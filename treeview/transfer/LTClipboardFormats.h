#pragma once
// The formats a tree offers to the clipboard and to drags: one process-wide registry of
// named formats, each tied to the least derived tree class that can render it and ordered
// by priority, and per tree the list of the format names it is allowed to offer.
#include <cstdint>
#include <typeindex>
#include <vector>

#include "platform/gui/Clipbrd.h"

class TBaseLazyTree;

// Results of the data exchange calls, with the values callers of such calls expect.
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT DV_E_FORMATETC = HRESULT(0x80040064u);
constexpr HRESULT DV_E_LINDEX = HRESULT(0x80040068u);
constexpr HRESULT DV_E_TYMED = HRESULT(0x80040069u);
constexpr HRESULT DV_E_DVASPECT = HRESULT(0x8004006Bu);
constexpr HRESULT OLE_S_USEREG = HRESULT(0x00040000);
constexpr HRESULT DATA_S_SAMEFORMATETC = HRESULT(0x00040130);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = HRESULT(0x80040003u);

// How data travels: a block of bytes or a stream over bytes.
constexpr std::uint32_t TYMED_NULL = 0;
constexpr std::uint32_t TYMED_HGLOBAL = 1;
constexpr std::uint32_t TYMED_ISTREAM = 4;
constexpr std::uint32_t DVASPECT_CONTENT = 1;
constexpr int DATADIR_GET = 1;
constexpr int DATADIR_SET = 2;
constexpr int DROPEFFECT_SCROLL = int(0x80000000u);

struct TFormatEtc {
    TClipFormat cfFormat = 0;
    std::uint32_t dwAspect = DVASPECT_CONTENT;
    std::int32_t lindex = -1;
    std::uint32_t tymed = TYMED_HGLOBAL;
};
using TFormatEtcArray = std::vector<TFormatEtc>;
using TFormatArray = std::vector<TClipFormat>;

// A tree class as the registry knows it: a name for its type and a test whether a tree
// is of that class or derived from it.
struct TTreeClass {
    const char* Name = nullptr;
    bool (*IsOf)(const TBaseLazyTree* Tree) = nullptr;
    bool Applies(const TBaseLazyTree* Tree) const { return IsOf && IsOf(Tree); }
};
template <class T>
TTreeClass TreeClassOf()
{
    return TTreeClass{typeid(T).name(), [](const TBaseLazyTree* t) { return dynamic_cast<const T*>(t) != nullptr; }};
}

struct TClipboardFormatListEntry {
    String Description;
    TTreeClass TreeClass;
    std::uint32_t Priority = 0;
    TFormatEtc FormatEtc;
};

// The names of the standard formats 1 to 17.
String PredefinedFormatName(unsigned Id);

class TClipboardFormatList {
public:
    static void Add(const String& FormatString, TTreeClass AClass, std::uint32_t Priority, const TFormatEtc& AFormatEtc);
    static void Clear();
    // In list order, the formats that apply to Tree and (when given) are allowed.
    static void EnumerateFormats(const TBaseLazyTree* Tree, TFormatEtcArray& Formats,
                                 const class TClipboardFormats* AllowedFormats);
    // The descriptions of every format that applies to Tree.
    static void EnumerateFormats(const TBaseLazyTree* Tree, std::vector<String>& Formats);
    // The entry of a description (case ignored), searched from the end; nil when none.
    static const TClipboardFormatListEntry* FindFormat(const String& FormatString);
    static const TClipboardFormatListEntry* FindFormat(TClipFormat Fmt);
    static const std::vector<TClipboardFormatListEntry>& Entries();
};

// Registers a standard format (or one the toolkit registered by name, for ids of 0xC000
// and above) for a tree class; id 0 registers nothing.
void RegisterFormatById(unsigned Format, TTreeClass TreeClass, std::uint32_t Priority);
// Registers Description with the toolkit and adds it; the id it got.
TClipFormat RegisterTreeFormat(const String& Description, TTreeClass TreeClass, std::uint32_t Priority,
                               std::uint32_t tymed = TYMED_HGLOBAL);

// Fills the registry the first time a tree is made; later calls do nothing.
void PrepareTreeResources();
TClipFormat LazyTreeDataFormat();
TClipFormat LazyTreeReferenceFormat();
TClipFormat HTMLFormat();
TClipFormat RTFFormat();
TClipFormat RTFNoObjsFormat();
TClipFormat CSVFormat();

// The format names a tree may offer: sorted, case ignored, no duplicates; only names the
// registry knows for the owning tree's class are taken.
class TClipboardFormats {
public:
    explicit TClipboardFormats(TBaseLazyTree* AOwner) : FOwner(AOwner) {}
    // The index of the new name, -1 when it is refused (or already there).
    int Add(const String& S);
    // A sorted list takes no positional insert: a name the tree could offer raises the
    // list's error, any other is refused (-1).
    int Insert(int Index, const String& S);
    void Clear() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    const String& Strings(int Index) const { return FItems[std::size_t(Index)]; }
    int IndexOf(const String& S) const;
    bool Contains(const String& S) const { return IndexOf(S) >= 0; }
    void Assign(const std::vector<String>& Names);

private:
    TBaseLazyTree* FOwner;
    std::vector<String> FItems;
};
