#pragma once
// What a tree hands to the clipboard and to drags: a data object that offers the tree's
// formats and renders each on request, and the other side of it: data that arrives from
// the clipboard or a drop (from this program or another) read through the same calls.
//
// Whatever arrives is untrusted. A tree of this process is recognised by the token of
// its reference block, looked up among the living trees; no address ever travels. The
// readers here bound every length before they take anything.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "treeview/transfer/LTClipboardFormats.h"

class TBaseLazyTree;

// Data handed out: a block of bytes (TYMED_HGLOBAL) or a stream's content read from its
// start (TYMED_ISTREAM).
struct TStgMedium {
    std::uint32_t tymed = TYMED_NULL;
    std::string Bytes;
};

class TEnumFormatEtc;

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium) = 0;
    virtual HRESULT GetDataHere(const TFormatEtc&, TStgMedium&) { return E_NOTIMPL; }
    virtual HRESULT QueryGetData(const TFormatEtc& FormatEtc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc&) { return DATA_S_SAMEFORMATETC; }
    virtual HRESULT SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease) = 0;
    virtual HRESULT EnumFormatEtc(int Direction, std::shared_ptr<TEnumFormatEtc>& Enum) = 0;
};
using IDataObjectPtr = std::shared_ptr<IDataObject>;

class TEnumFormatEtc {
public:
    TEnumFormatEtc(TBaseLazyTree* Tree, const TFormatEtcArray& AFormatEtcArray)
        : FTree(Tree), FFormatEtcArray(AFormatEtcArray) {}
    // Up to celt formats from the current position; S_OK when celt were copied.
    HRESULT Next(std::uint32_t celt, TFormatEtcArray& elt, std::uint32_t* pceltFetched);
    HRESULT Skip(std::uint32_t celt);
    HRESULT Reset();
    HRESULT Clone(std::shared_ptr<TEnumFormatEtc>& Enum);
    TBaseLazyTree* Tree() const { return FTree; }

private:
    TBaseLazyTree* FTree;
    TFormatEtcArray FFormatEtcArray;
    std::size_t FCurrentIndex = 0;
};

// Same format, target, aspect and index, and a medium type in common.
bool SameFormatEtc(const TFormatEtc& A, const TFormatEtc& B);
int IndexOfFormatEtc(const TFormatEtc& F, const TFormatEtcArray& Array);

// A tree's data object. It keeps the owner's token, not the owner: a data object that
// outlives its tree renders nothing.
class TLTDataObject : public IDataObject {
public:
    TLTDataObject(TBaseLazyTree* AOwner, bool ForClipboard);
    HRESULT GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium) override;
    HRESULT QueryGetData(const TFormatEtc& FormatEtc) override;
    HRESULT SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease) override;
    HRESULT EnumFormatEtc(int Direction, std::shared_ptr<TEnumFormatEtc>& Enum) override;
    bool ForClipboard() const { return FForClipboard; }
    TBaseLazyTree* Owner() const;

private:
    struct TInternalStgMedium {
        TClipFormat Format;
        TStgMedium Medium;
    };
    TStgMedium* StoredMedium(TClipFormat Format);
    std::uint32_t FOwnerToken;
    bool FForClipboard;
    TFormatEtcArray FFormatEtcArray;
    std::vector<TInternalStgMedium> FInternalStgMediumArray;
};

// Data that arrived as a package of formats (the clipboard's content, a drop).
class TPackageDataObject : public IDataObject {
public:
    explicit TPackageDataObject(TDataPackage Data) : FData(std::move(Data)) {}
    HRESULT GetData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium) override;
    HRESULT QueryGetData(const TFormatEtc& FormatEtc) override;
    HRESULT SetData(const TFormatEtc& FormatEtc, TStgMedium& Medium, bool DoRelease) override;
    HRESULT EnumFormatEtc(int Direction, std::shared_ptr<TEnumFormatEtc>& Enum) override;
    const TDataPackage& Package() const { return FData; }

private:
    TDataPackage FData;
};

// Everything a data object offers, rendered as blocks, plus its reference block when it
// answers one: what the clipboard and a drag take.
TDataPackage RenderPackage(IDataObject& Data);

// Limits of what a tree takes from outside.
constexpr std::size_t MaxTreeDataBytes = std::size_t(64) << 20;
constexpr std::size_t MaxTransferNodes = 1000000;

// The reference block: process id and tree token, four bytes each, lowest first.
std::string TreeReferenceBlock(std::uint32_t ProcessId, std::uint32_t Token);
struct TTreeReference {
    std::uint32_t ProcessId = 0, Token = 0;
};
// Nothing for a block that is not exactly eight bytes.
std::optional<TTreeReference> ReadTreeReference(const std::string& Block);
std::uint32_t CurrentProcessId();

// The tree data block: a 32-bit byte count, lowest first, and that many bytes of node
// chunks. Nothing for a block shorter than its count says, or a count above the limit.
std::string TreeDataBlock(const std::string& Chunks);
std::optional<std::string> ReadTreeDataBlock(const std::string& Block);
