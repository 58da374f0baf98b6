// The tree stream: a signature, a node count and one anchor chunk per node written, each
// holding a base chunk (the node's own fields and its children's anchor chunks), the
// application's user data chunk and the chunks tree classes add. Reading treats the
// bytes as untrusted: the whole record is checked first (every count and size bounded by
// the bytes left in its chunk), and only a record that passed is built into the tree, so
// a short or hostile stream raises ELazyTreeError and leaves the tree as it was.
#include <cstring>

#include "treeview/core/BaseLazyTree.h"

namespace {

constexpr char16_t SignatureUnits[6] = {u'\u2045', u'V', u'T', 2, u' ', u'\u2046'};
constexpr std::int32_t AnchorChunk = 1, BaseChunk = 2, UserDataChunk = 4;
constexpr std::int64_t ChunkHeaderSize = 8;
constexpr std::int64_t BaseBodySize = 19, OldBaseBodySize = 12;
// States that describe a running operation or a cache, never stored.
const TLazyNodeStates TransientStates{vsChecking,    vsCutOrCopy, vsDeleting,   vsOnFreeNodeCallRequired,
                                      vsHeightMeasured, vsToggling, vsInitializing, vsAllChildrenHidden};
constexpr std::uint32_t KnownStateBits = (1u << (unsigned(vsInitializing) + 1)) - 1;

void WriteU32(TStream& S, std::uint32_t V)
{
    std::uint8_t b[4] = {std::uint8_t(V), std::uint8_t(V >> 8), std::uint8_t(V >> 16), std::uint8_t(V >> 24)};
    S.WriteBuffer(b, 4);
}

std::uint32_t U32At(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

[[noreturn]] void Corrupt(int Context)
{
    switch (Context) {
    case 2002: RaiseTreeError("Unable to load tree structure, the format is wrong.", 2002);
    case 2003: RaiseTreeError("Unable to load tree structure, the version is unknown.", 2003);
    case 2004: RaiseTreeError("Unable to load tree structure, not enough data available.", 2004);
    case 2005: RaiseTreeError("Stream data corrupt. A node's anchor chunk is missing.", 2005);
    default: RaiseTreeError("Stream data corrupt. Unexpected data after node's end position.", 2006);
    }
}

} // namespace

// ---- writing ----

void TBaseLazyTree::PatchChunkSize(TStream& Stream, std::int64_t StartPosition, std::int64_t EndPosition)
{
    Stream.SetPosition(StartPosition + 4);
    WriteU32(Stream, std::uint32_t(EndPosition - StartPosition - ChunkHeaderSize));
    Stream.SetPosition(EndPosition);
}

void TBaseLazyTree::SaveToStream(TStream& Stream, PLazyNode Node)
{
    for (char16_t u : SignatureUnits) {
        const std::uint8_t b[2] = {std::uint8_t(u), std::uint8_t(u >> 8)};
        Stream.WriteBuffer(b, 2);
    }
    if (Node && Node != FRoot) {
        WriteU32(Stream, 1);
        WriteNode(Stream, Node);
    } else {
        WriteU32(Stream, FRoot->ChildCount);
        for (PLazyNode run = FRoot->FirstChild; run; run = run->NextSibling) WriteNode(Stream, run);
    }
    if (OnSaveTree) OnSaveTree(this, Stream);
}

void TBaseLazyTree::SaveToFile(const String& FileName)
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(file, nullptr);
}

void TBaseLazyTree::WriteNode(TStream& Stream, PLazyNode Node)
{
    if (FOptions->MiscOptions().Contains(toInitOnSave)) {
        if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
        if (Node->States.Contains(vsHasChildren) && Node->ChildCount == 0) InitializeChildren(Node);
    }
    const std::int64_t start = Stream.Position();
    WriteU32(Stream, AnchorChunk);
    WriteU32(Stream, 0);
    WriteChunks(Stream, Node);
    PatchChunkSize(Stream, start, Stream.Position());
}

void TBaseLazyTree::WriteChunks(TStream& Stream, PLazyNode Node)
{
    const std::int64_t base = Stream.Position();
    WriteU32(Stream, BaseChunk);
    WriteU32(Stream, 0);
    std::uint8_t body[BaseBodySize] = {};
    const std::uint32_t states = (Node->States - TransientStates).Bits();
    const std::uint32_t fields[3] = {Node->ChildCount, Node->NodeHeight, states};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 4; ++k) body[i * 4 + k] = std::uint8_t(fields[i] >> (8 * k));
    body[12] = Node->Align;
    body[13] = std::uint8_t(Node->CheckState);
    body[14] = std::uint8_t(Node->CheckType);
    Stream.WriteBuffer(body, BaseBodySize);
    if (Node->States.Contains(vsInitialized))
        for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) WriteNode(Stream, child);
    PatchChunkSize(Stream, base, Stream.Position());

    const std::int64_t user = Stream.Position();
    WriteU32(Stream, UserDataChunk);
    WriteU32(Stream, 0);
    FireSaveNode(Node, Stream);
    if (Stream.Position() == user + ChunkHeaderSize) {
        Stream.SetPosition(user);
        Stream.SetSize(user);
    } else {
        PatchChunkSize(Stream, user, Stream.Position());
    }
}

void TBaseLazyTree::FireSaveNode(PLazyNode Node, TStream& Stream)
{
    if (OnSaveNode) OnSaveNode(this, Node == FRoot ? nullptr : Node, Stream);
}

void TBaseLazyTree::FireLoadNode(PLazyNode Node, TStream& Stream)
{
    if (OnLoadNode) OnLoadNode(this, Node == FRoot ? nullptr : Node, Stream);
}

// ---- checking a record ----

// Parses one anchor chunk at Pos (which must end by Limit) into Out, children after their
// parent; raises the stream errors on anything that does not fit. No recursion: a deep
// hostile record cannot exhaust the stack.
void TBaseLazyTree::ParseNodeRecord(const std::vector<std::uint8_t>& Bytes, std::int64_t& Pos, std::int64_t Limit,
                                    int Version, std::vector<TStreamRecord>& Out)
{
    struct TFrame {
        std::size_t Record;   // index into Out
        std::int64_t AnchorEnd;
        std::int64_t BaseEnd; // -1 while no base chunk was read
        std::uint32_t ChildrenLeft;
    };
    std::vector<TFrame> stack;
    const auto header = [&](std::int64_t Room, std::int32_t& Type, std::int64_t& Size) {
        if (Room < ChunkHeaderSize) Corrupt(2004);
        Type = std::int32_t(U32At(&Bytes[std::size_t(Pos)]));
        Size = std::int32_t(U32At(&Bytes[std::size_t(Pos) + 4]));
        Pos += ChunkHeaderSize;
        if (Size < 0 || Size > Room - ChunkHeaderSize) Corrupt(2004);
    };
    const auto openAnchor = [&](std::int64_t Room, std::size_t Parent) {
        std::int32_t type;
        std::int64_t size;
        header(Room, type, size);
        if (type != AnchorChunk) Corrupt(2005);
        Out.push_back(TStreamRecord{});
        Out.back().Parent = Parent;
        stack.push_back(TFrame{Out.size() - 1, Pos + size, -1, 0});
    };
    openAnchor(Limit - Pos, TStreamRecord::NoParent);
    while (!stack.empty()) {
        TFrame& f = stack.back();
        // Inside the base chunk: the child records, while the count and the chunk allow.
        if (f.BaseEnd >= 0 && Pos < f.BaseEnd && f.ChildrenLeft > 0) {
            --f.ChildrenLeft;
            ++Out[f.Record].ChildrenRead;
            openAnchor(f.BaseEnd - Pos, f.Record);
            continue;
        }
        if (f.BaseEnd >= 0) {
            if (Pos != f.BaseEnd) Corrupt(2006);
            f.BaseEnd = -2; // the base chunk is done
        }
        if (Pos >= f.AnchorEnd) {
            if (Pos != f.AnchorEnd) Corrupt(2006);
            stack.pop_back();
            continue;
        }
        std::int32_t type;
        std::int64_t size;
        header(f.AnchorEnd - Pos, type, size);
        TStreamRecord& r = Out[f.Record];
        if (type == BaseChunk) {
            if (f.BaseEnd != -1) Corrupt(2006); // one base chunk per node
            const std::int64_t body = Version >= 2 ? BaseBodySize : OldBaseBodySize;
            if (size < body) Corrupt(2004);
            const std::uint8_t* p = &Bytes[std::size_t(Pos)];
            r.StoredChildCount = U32At(p);
            r.NodeHeight = std::uint16_t(U32At(p + 4));
            if (Version >= 2) {
                r.States = TLazyNodeStates::FromBits(U32At(p + 8) & KnownStateBits) - TransientStates;
                r.Align = p[12];
                r.CheckState = p[13];
                r.CheckType = p[14];
            } else {
                r.States = TLazyNodeStates::FromBits(p[8]) - TransientStates;
                r.States << vsVisible;
                if (p[8] & 0x80) r.States << vsSelected;
                r.Align = p[9];
                r.CheckState = p[10];
                r.CheckType = p[11];
            }
            if (r.CheckState > csMixedDisabled) r.CheckState = csUncheckedNormal;
            if (r.CheckType > ctButton) r.CheckType = ctNone;
            if (r.Align > 100) r.Align = 100;
            Pos += body;
            f.BaseEnd = Pos - body + size;
            f.ChildrenLeft = r.StoredChildCount;
        } else {
            r.Chunks.push_back(TStreamChunk{type, Pos, size});
            Pos += size;
        }
    }
}

// ---- reading ----

namespace {
// The bytes of a stream from its position to its end.
std::vector<std::uint8_t> RemainingBytes(TStream& Stream)
{
    const std::int64_t left = Stream.Size() - Stream.Position();
    std::vector<std::uint8_t> bytes(std::size_t(left > 0 ? left : 0));
    if (!bytes.empty()) bytes.resize(std::size_t(Stream.Read(bytes.data(), std::int64_t(bytes.size()))));
    return bytes;
}
} // namespace

int TBaseLazyTree::ReadStreamHeader(TStream& Stream, bool FullRead)
{
    std::uint8_t sig[12];
    if (FullRead)
        Stream.ReadBuffer(sig, 12);
    else if (Stream.Read(sig, 12) < 12)
        Corrupt(2004);
    for (int i : {0, 1, 2, 5})
        if (sig[2 * i] != std::uint8_t(SignatureUnits[i]) || sig[2 * i + 1] != std::uint8_t(SignatureUnits[i] >> 8))
            Corrupt(2002);
    const int version = sig[6] | sig[7] << 8;
    if (version > 2) Corrupt(2003);
    return version;
}

std::vector<TBaseLazyTree::TStreamRecord> TBaseLazyTree::ParseStream(TStream& Stream, int Version,
                                                                    std::vector<std::uint8_t>& Bytes)
{
    std::uint32_t count = 0xFFFFFFFFu;
    if (Version >= 2) {
        std::uint8_t c[4];
        Stream.ReadBuffer(c, 4);
        count = U32At(c);
    }
    const std::int64_t start = Stream.Position();
    Bytes = RemainingBytes(Stream);
    std::vector<TStreamRecord> records;
    std::int64_t pos = 0;
    const std::int64_t size = std::int64_t(Bytes.size());
    for (std::uint32_t i = 0; i < count && pos < size; ++i) ParseNodeRecord(Bytes, pos, size, Version, records);
    Stream.SetPosition(start + pos);
    return records;
}

void TBaseLazyTree::LoadFromStream(TStream& Stream)
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return;
    const int version = ReadStreamHeader(Stream, false);
    std::vector<std::uint8_t> bytes;
    const std::vector<TStreamRecord> records = ParseStream(Stream, version, bytes);
    Clear();
    BuildFromRecords(records, bytes, version, FRoot);
    FireNodeCopied(nullptr);
    if (OnLoadTree) OnLoadTree(this, Stream);
}

void TBaseLazyTree::LoadFromFile(const String& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    LoadFromStream(file);
}

void TBaseLazyTree::AddFromStream(TStream& Stream, PLazyNode TargetNode)
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return;
    if (!TargetNode) TargetNode = FRoot;
    const int version = ReadStreamHeader(Stream, true);
    std::vector<std::uint8_t> bytes;
    const std::vector<TStreamRecord> records = ParseStream(Stream, version, bytes);
    BuildFromRecords(records, bytes, version, TargetNode);
    FireNodeCopied(TargetNode == FRoot ? nullptr : TargetNode);
}

void TBaseLazyTree::BuildFromRecords(const std::vector<TStreamRecord>& Records, const std::vector<std::uint8_t>& Bytes,
                                     int Version, PLazyNode Target)
{
    BeginUpdate();
    try {
        for (std::size_t i = 0; i < Records.size();) {
            PLazyNode node = AllocateNode();
            ConnectNode(node, Target, this, amAddChildLast);
            i = AddRecordsToNode(Records, i, Bytes, Version, node);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::size_t TBaseLazyTree::AddRecordsToNode(const std::vector<TStreamRecord>& Records, std::size_t First,
                                            const std::vector<std::uint8_t>& Bytes, int Version, PLazyNode Node)
{
    TreeAssert(Node != FRoot, "The root node cannot be loaded from stream.");
    PLazyNode top = Node->Parent;
    const bool topShown = top->States.Contains(vsExpanded) && (top == FRoot || FullyVisible(top));
    // What the freshly connected node adds to its parent's height and the visible count.
    const auto heightShare = [&] {
        return top->States.Contains(vsExpanded) && Node->States.Contains(vsVisible) ? std::int64_t(Node->TotalHeight) : 0;
    };
    const auto visibleShare = [&]() -> std::int64_t {
        if (!topShown || !Node->States.Contains(vsVisible)) return 0;
        return std::int64_t(VisibleDescendantCount(Node)) + (IsEffectivelyVisible(Node) ? 1 : 0);
    };
    const std::int64_t oldHeight = heightShare(), oldVisible = visibleShare();
    // Links first: the records of one subtree follow their top in pre-order.
    std::vector<PLazyNode> nodes{Node};
    std::size_t end = First + 1;
    for (; end < Records.size() && Records[end].Parent != TStreamRecord::NoParent; ++end) {
        PLazyNode child = AllocateNode();
        PLazyNode parent = nodes[Records[end].Parent - First];
        child->Parent = parent;
        child->PrevSibling = parent->LastChild;
        if (parent->LastChild)
            parent->LastChild->NextSibling = child;
        else
            parent->FirstChild = child;
        parent->LastChild = child;
        child->Index = child->PrevSibling ? child->PrevSibling->Index + 1 : 0;
        nodes.push_back(child);
    }
    const bool showFiltered = FOptions->PaintOptions().Contains(toShowFilteredNodes);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const TStreamRecord& r = Records[First + k];
        PLazyNode n = nodes[k];
        n->States = r.States - TLazyNodeStates{vsSelected};
        n->NodeHeight = r.NodeHeight;
        n->Align = r.Align;
        n->CheckState = TCheckState(r.CheckState);
        n->CheckType = TCheckType(r.CheckType);
        // A node stored with more children than were written keeps its has-children
        // state: the missing ones are created on demand.
        n->ChildCount = r.ChildrenRead;
        if (r.StoredChildCount > 0) n->States << vsHasChildren;
        n->TotalCount = 1;
        n->TotalHeight = (n->States.Contains(vsFiltered) && !showFiltered) ? 0 : n->NodeHeight;
        if (r.States.Contains(vsSelected)) n->States << vsSelected; // sorted out below
    }
    // Counts and heights bottom-up: every child record comes after its parent's.
    for (std::size_t k = nodes.size(); k-- > 1;) {
        PLazyNode n = nodes[k];
        n->Parent->TotalCount += n->TotalCount;
        if (n->Parent->States.Contains(vsExpanded) && n->States.Contains(vsVisible))
            n->Parent->TotalHeight += n->TotalHeight;
        if (n->ChildCount > 0 && n->States.Contains(vsAllChildrenHidden)) n->States >> vsAllChildrenHidden;
    }
    for (PLazyNode n : nodes) RefreshAllChildrenHidden(n);
    PropagateCountChange(top, std::int64_t(Node->TotalCount) - 1, true);
    if (top->States.Contains(vsExpanded)) PropagateHeightChange(top, heightShare() - oldHeight, true);
    FVisibleCount = std::uint32_t(std::int64_t(FVisibleCount) + visibleShare() - oldVisible);
    RefreshAllChildrenHidden(top);
    // Selection: a tree without multi-selection takes no selected node from a stream.
    const bool multi = FOptions->SelectionOptions().Contains(toMultiSelect);
    for (PLazyNode n : nodes)
        if (n->States.Contains(vsSelected)) {
            n->States >> vsSelected;
            if (multi) AddToSelection(n);
        }
    // The chunks of tree classes and the application, after the whole structure stands.
    for (std::size_t k = 0; k < nodes.size(); ++k)
        for (const TStreamChunk& c : Records[First + k].Chunks) {
            TMemoryStream body(Bytes.data() + c.Offset, c.Size);
            ReadChunk(body, Version, nodes[k], c.Type, std::int32_t(c.Size));
        }
    return end;
}

bool TBaseLazyTree::ReadChunk(TStream& Stream, int Version, PLazyNode Node, std::int32_t ChunkType, std::int32_t ChunkSize)
{
    if (ChunkType != UserDataChunk) return false;
    if (ChunkSize <= 0) return true;
    FireLoadNode(Node, Stream);
    return Stream.Position() > 0;
}
