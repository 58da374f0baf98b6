#include "treeview/transfer/LTDataObject.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/rtl/Unicode.h"

#include "treeview/core/BaseLazyTree.h"

namespace {

void PutU32(std::string& S, std::uint32_t V)
{
    for (int i = 0; i < 4; ++i) S += char((V >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const std::string& S, std::size_t At)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(static_cast<unsigned char>(S[At + std::size_t(i)])) << (8 * i);
    return v;
}

} // namespace

// ---- blocks ----

std::uint32_t CurrentProcessId() { return std::uint32_t(::getpid()); }

std::string TreeReferenceBlock(std::uint32_t ProcessId, std::uint32_t Token)
{
    std::string b;
    PutU32(b, ProcessId);
    PutU32(b, Token);
    return b;
}

std::optional<TTreeReference> ReadTreeReference(const std::string& Block)
{
    if (Block.size() != 8) return std::nullopt;
    return TTreeReference{GetU32(Block, 0), GetU32(Block, 4)};
}

std::string TreeDataBlock(const std::string& Chunks)
{
    std::string b;
    PutU32(b, std::uint32_t(Chunks.size()));
    return b + Chunks;
}

std::optional<std::string> ReadTreeDataBlock(const std::string& Block)
{
    if (Block.size() < 4) return std::nullopt;
    const std::uint32_t n = GetU32(Block, 0);
    // A block may be larger than its count (memory blocks are rounded up), never smaller.
    if (n > Block.size() - 4 || n > MaxTreeDataBytes) return std::nullopt;
    return Block.substr(4, n);
}

// ---- formats ----

bool SameFormatEtc(const TFormatEtc& A, const TFormatEtc& B)
{
    return A.cfFormat == B.cfFormat && A.dwAspect == B.dwAspect && A.lindex == B.lindex && (A.tymed & B.tymed) != 0;
}

int IndexOfFormatEtc(const TFormatEtc& F, const TFormatEtcArray& Array)
{
    for (std::size_t i = 0; i < Array.size(); ++i)
        if (SameFormatEtc(F, Array[i])) return int(i);
    return -1;
}

namespace {

// The answer to a query over a list of offered formats: the first full match, else the
// mismatch the last entry of the same format id showed.
HRESULT QueryOver(const TFormatEtcArray& Offered, const TFormatEtc& F)
{
    HRESULT r = DV_E_FORMATETC;
    for (const TFormatEtc& o : Offered) {
        if (o.cfFormat != F.cfFormat) continue;
        if ((o.tymed & F.tymed) == 0)
            r = DV_E_TYMED;
        else if (o.dwAspect != F.dwAspect)
            r = DV_E_DVASPECT;
        else if (o.lindex != F.lindex)
            r = DV_E_LINDEX;
        else
            return S_OK;
    }
    return r;
}

} // namespace

// ---- the enumerator ----

HRESULT TEnumFormatEtc::Next(std::uint32_t celt, TFormatEtcArray& elt, std::uint32_t* pceltFetched)
{
    elt.clear();
    while (elt.size() < celt && FCurrentIndex < FFormatEtcArray.size()) elt.push_back(FFormatEtcArray[FCurrentIndex++]);
    if (pceltFetched) *pceltFetched = std::uint32_t(elt.size());
    return elt.size() == celt ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(std::uint32_t celt)
{
    if (FFormatEtcArray.size() - FCurrentIndex < celt) return S_FALSE;
    FCurrentIndex += celt;
    return S_OK;
}

HRESULT TEnumFormatEtc::Reset()
{
    FCurrentIndex = 0;
    return S_OK;
}

HRESULT TEnumFormatEtc::Clone(std::shared_ptr<TEnumFormatEtc>& Enum)
{
    Enum = std::make_shared<TEnumFormatEtc>(nullptr, FFormatEtcArray);
    Enum->FCurrentIndex = FCurrentIndex;
    return S_OK;
}

// ---- the tree's data object ----

TLTDataObject::TLTDataObject(TBaseLazyTree* AOwner, bool ForClipboard)
    : FOwnerToken(AOwner ? AOwner->TransferToken() : 0), FForClipboard(ForClipboard)
{
    if (AOwner) AOwner->ListClipboardFormats(FFormatEtcArray);
}

TBaseLazyTree* TLTDataObject::Owner() const { return TBaseLazyTree::LivingTree(FOwnerToken); }

TStgMedium* TLTDataObject::StoredMedium(TClipFormat Format)
{
    for (auto& m : FInternalStgMediumArray)
        if (m.Format == Format) return &m.Medium;
    return nullptr;
}

HRESULT TLTDataObject::GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium)
{
    Medium = TStgMedium();
    try {
        TBaseLazyTree* owner = Owner();
        if (FormatEtcIn.cfFormat == LazyTreeReferenceFormat()) {
            // A flushed clipboard must not keep a reference to a tree.
            if (!owner || owner->TreeStates().Contains(tsClipboardFlushing)) return E_FAIL;
            Medium.tymed = TYMED_HGLOBAL;
            Medium.Bytes = TreeReferenceBlock(CurrentProcessId(), FOwnerToken);
            return S_OK;
        }
        const HRESULT r = QueryGetData(FormatEtcIn);
        if (r != S_OK) return r;
        const TFormatEtc& offered = FFormatEtcArray[std::size_t(IndexOfFormatEtc(FormatEtcIn, FFormatEtcArray))];
        if (TStgMedium* stored = StoredMedium(offered.cfFormat)) {
            Medium = *stored;
            return S_OK;
        }
        if (!owner) return E_FAIL;
        return owner->RenderDataFormat(FormatEtcIn, Medium, FForClipboard);
    } catch (...) {
        Medium = TStgMedium();
        return E_FAIL;
    }
}

HRESULT TLTDataObject::QueryGetData(const TFormatEtc& FormatEtc) { return QueryOver(FFormatEtcArray, FormatEtc); }

HRESULT TLTDataObject::SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease)
{
    const int i = IndexOfFormatEtc(FormatEtc, FFormatEtcArray);
    TStgMedium* target = nullptr;
    if (i >= 0) target = StoredMedium(FFormatEtcArray[std::size_t(i)].cfFormat);
    if (!target) {
        if (i < 0) FFormatEtcArray.push_back(FormatEtc);
        FInternalStgMediumArray.push_back(TInternalStgMedium{FormatEtc.cfFormat, TStgMedium()});
        target = &FInternalStgMediumArray.back().Medium;
    }
    // Taken over or copied: the bytes are this object's either way, and the caller's
    // medium is empty after a hand-over.
    if (DoRelease) {
        *target = std::move(Medium);
        Medium = TStgMedium();
    } else {
        *target = Medium;
    }
    return S_OK;
}

HRESULT TLTDataObject::EnumFormatEtc(int Direction, std::shared_ptr<TEnumFormatEtc>& Enum)
{
    Enum.reset();
    if (Direction != DATADIR_GET) return OLE_S_USEREG;
    Enum = std::make_shared<TEnumFormatEtc>(Owner(), FFormatEtcArray);
    return S_OK;
}

// ---- data that arrived ----

namespace {
// The formats of a package as a list; the reference block is answered, never listed.
TFormatEtcArray OfferedBy(const TDataPackage& Data)
{
    TFormatEtcArray out;
    for (const auto& item : Data.Items()) {
        if (item.first == LazyTreeReferenceFormat()) continue;
        TFormatEtc f;
        f.cfFormat = item.first;
        f.tymed = item.first == LazyTreeDataFormat() ? (TYMED_HGLOBAL | TYMED_ISTREAM) : TYMED_HGLOBAL;
        out.push_back(f);
        // Text arrives once; both text formats read it.
        if (item.first == CF_UNICODETEXT) {
            f.cfFormat = CF_TEXT;
            out.push_back(f);
        }
    }
    return out;
}
} // namespace

HRESULT TPackageDataObject::GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium)
{
    Medium = TStgMedium();
    if (FormatEtcIn.cfFormat == LazyTreeReferenceFormat()) {
        if (!FData.Has(FormatEtcIn.cfFormat) || !(FormatEtcIn.tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        Medium.tymed = TYMED_HGLOBAL;
        Medium.Bytes = FData.Get(FormatEtcIn.cfFormat);
        return S_OK;
    }
    const HRESULT r = QueryGetData(FormatEtcIn);
    if (r != S_OK) return r;
    Medium.Bytes = FData.Get(FormatEtcIn.cfFormat);
    Medium.tymed = TYMED_HGLOBAL;
    // The tree data travels as a counted block; a stream gets the chunks alone.
    if (FormatEtcIn.cfFormat == LazyTreeDataFormat() && (FormatEtcIn.tymed & TYMED_ISTREAM)) {
        const std::optional<std::string> chunks = ReadTreeDataBlock(Medium.Bytes);
        if (!chunks) {
            Medium = TStgMedium();
            return E_FAIL;
        }
        Medium.tymed = TYMED_ISTREAM;
        Medium.Bytes = *chunks;
    }
    return S_OK;
}

HRESULT TPackageDataObject::QueryGetData(const TFormatEtc& FormatEtc) { return QueryOver(OfferedBy(FData), FormatEtc); }

HRESULT TPackageDataObject::SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease)
{
    FData.Set(FormatEtc.cfFormat, Medium.Bytes);
    if (DoRelease) Medium = TStgMedium();
    return S_OK;
}

HRESULT TPackageDataObject::EnumFormatEtc(int Direction, std::shared_ptr<TEnumFormatEtc>& Enum)
{
    Enum.reset();
    if (Direction != DATADIR_GET) return OLE_S_USEREG;
    Enum = std::make_shared<TEnumFormatEtc>(nullptr, OfferedBy(FData));
    return S_OK;
}

namespace {

// A block as the toolkit carries it to other programs: text once, in UTF-8; other blocks
// without the zero that ends them; the HTML block as its document, without the offsets
// header that only this platform's clipboard reads.
std::string ToolkitBlock(TClipFormat Format, std::string Bytes)
{
    if (Format == CF_UNICODETEXT) {
        std::size_t end = 0;
        while (end + 1 < Bytes.size() && (Bytes[end] != 0 || Bytes[end + 1] != 0)) end += 2;
        return Utf16BytesToUtf8(std::string_view(Bytes).substr(0, end), false);
    }
    if (const std::size_t zero = Bytes.find('\0'); zero != std::string::npos) Bytes.resize(zero);
    if (Format == CF_TEXT) return Cp1252ToUtf8(Bytes);
    if (Format == HTMLFormat()) {
        const std::size_t at = Bytes.find("StartHTML:");
        if (at != std::string::npos) {
            const std::size_t start = std::size_t(std::strtoull(Bytes.c_str() + at + 10, nullptr, 10));
            if (start < Bytes.size()) Bytes.erase(0, start);
        }
    }
    return Bytes;
}

} // namespace

TDataPackage RenderPackage(IDataObject& Data)
{
    TDataPackage out;
    std::shared_ptr<TEnumFormatEtc> e;
    if (Data.EnumFormatEtc(DATADIR_GET, e) == S_OK && e) {
        TFormatEtcArray one;
        while (e->Next(1, one, nullptr) == S_OK) {
            TFormatEtc f = one[0];
            // Blocks travel: the tree data as its counted block.
            f.tymed = TYMED_HGLOBAL;
            TStgMedium m;
            if (Data.GetData(f, m) == S_OK && !out.Has(f.cfFormat))
                out.Set(f.cfFormat, f.cfFormat == LazyTreeDataFormat() ? std::move(m.Bytes)
                                                                      : ToolkitBlock(f.cfFormat, std::move(m.Bytes)));
        }
    }
    TFormatEtc ref;
    ref.cfFormat = LazyTreeReferenceFormat();
    TStgMedium m;
    if (Data.GetData(ref, m) == S_OK) out.Set(ref.cfFormat, std::move(m.Bytes));
    return out;
}
