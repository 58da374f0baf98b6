// The header: settings and their side effects, and the header stream.
#include "treeview/header/LTHeader.h"

#include <algorithm>

#include "treeview/core/BaseLazyTree.h"
#include "treeview/header/HeaderStreamIO.h"

void TLTFixedAreaConstraints::SetPercent(int Index, int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (FPercent[Index] == Value) return;
    FPercent[Index] = Value;
    // A maximum below its minimum drags the minimum along, and the other way round.
    if (Index < 2 && Value > 0 && FPercent[Index + 2] > Value) FPercent[Index + 2] = Value;
    if (Index >= 2 && FPercent[Index - 2] > 0 && Value > FPercent[Index - 2]) FPercent[Index - 2] = Value;
    FireChange();
}

void TLTFixedAreaConstraints::Assign(const TLTFixedAreaConstraints& Source)
{
    std::copy(std::begin(Source.FPercent), std::end(Source.FPercent), std::begin(FPercent));
    FireChange();
}

TLTHeader::TLTHeader(TBaseLazyTree* AOwner) : FOwner(AOwner), FColumns(std::make_unique<TLazyTreeColumns>(this))
{
    FFixedAreaConstraints.OnChange = [this] { ApplyFixedAreaConstraints(); };
}

TLTHeader::~TLTHeader()
{
    delete FWindow;
    FWindow = nullptr;
}

void TLTHeader::SetMainColumn(TColumnIndex Value)
{
    if (FOwner && FOwner->IsLoading()) {
        FMainColumn = Value;
        return;
    }
    Value = std::clamp(Value, TColumnIndex(-1), TColumnIndex(FColumns->Count() - 1));
    if (Value == FMainColumn) return;
    FMainColumn = Value;
    if (FOwner) {
        FOwner->CancelEditNode();
        if (!FOwner->TreeOptions()->SelectionOptions().Contains(toExtendedFocus))
            FOwner->FFocusedColumn = MainColumn();
        FOwner->HandleMainColumnChange();
        FOwner->Invalidate();
    }
}

void TLTHeader::SetSortColumn(TColumnIndex Value)
{
    if (FOwner && FOwner->IsLoading())
        FSortColumn = Value;
    else
        ApplySortColumn(Value);
}

void TLTHeader::SortIfWanted()
{
    if (!FOwner || FSortColumn < 0) return;
    if ((FOwner->TreeOptions()->AutoOptions().Contains(toAutoSort) || FOptions.Contains(hoHeaderClickAutoSort)) &&
        FOwner->UpdateCount() == 0)
        FOwner->SortTree(FSortColumn, FSortDirection, true);
}

void TLTHeader::ApplySortColumn(TColumnIndex Value)
{
    Value = std::clamp(Value, TColumnIndex(-1), TColumnIndex(FColumns->Count() - 1));
    if (Value == FSortColumn) return;
    if (FSortColumn >= 0) Invalidate(FSortColumn);
    FSortColumn = Value;
    if (FSortColumn >= 0) Invalidate(FSortColumn);
    SortIfWanted();
}

void TLTHeader::SetSortDirection(TSortDirection Value)
{
    if (Value == FSortDirection) return;
    FSortDirection = Value;
    Invalidate();
    SortIfWanted();
}

void TLTHeader::SetAutoSizeIndex(TColumnIndex Value)
{
    if (Value == FAutoSizeIndex) return;
    FAutoSizeIndex = Value;
    if (FOptions.Contains(hoAutoResize)) FColumns->FitAutoSizeColumn(false);
}

void TLTHeader::SetOptions(TLTHeaderOptions Value)
{
    Value = TLTHeaderOptions::FromBits(Value.Bits() & HeaderOptionsMask);
    const TLTHeaderOptions old = FOptions;
    FOptions = Value;
    if (old.Contains(hoAutoResize) != Value.Contains(hoAutoResize) && UseColumns()) {
        FColumns->FitAutoSizeColumn(false);
        if (FOwner) {
            FOwner->UpdateHorizontalScrollBar(false);
            if (Value.Contains(hoAutoResize)) FOwner->Invalidate();
        }
    }
    if (FOwner && !FOwner->IsLoading()) {
        if (old.Contains(hoVisible) != Value.Contains(hoVisible)) UpdateWindow();
        Invalidate();
        FOwner->Invalidate();
    }
}

void TLTHeader::SetStyle(TLTHeaderStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    if (!FOwner || !FOwner->IsLoading()) Invalidate();
}

void TLTHeader::SetBackground(TColor Value)
{
    if (Value == FBackgroundColor) return;
    FBackgroundColor = Value;
    Invalidate();
}

void TLTHeader::SetHeight(int Value)
{
    if (!FOwner) {
        FHeight = Value;
        FStates << hsNeedScaling;
        return;
    }
    const TLTFixedAreaConstraints& c = FFixedAreaConstraints;
    // The header's window lies inside the tree's client area: that is the whole height.
    // The scroll bars are left in: whether one shows follows the columns, and the limits
    // must not move with it (a stream read back would come out with another height).
    const int total = FOwner->TCustomControl::ClientRect().Height();
    const int maxH = total * c.MaxHeightPercent() / 100, minH = total * c.MinHeightPercent() / 100;
    const int lower = c.MaxHeightPercent() > 0 ? std::min(maxH, FMinHeight) : FMinHeight;
    const int upper = c.MinHeightPercent() > 0 ? std::max(minH, FMaxHeight) : FMaxHeight;
    int v = std::min(std::max(lower, Value), upper);
    if (c.MinHeightPercent() > 0) v = std::max(v, minH);
    if (c.MaxHeightPercent() > 0) v = std::min(v, maxH);
    if (v == FHeight) return;
    FHeight = v;
    if (!FOwner->IsLoading() && !FStates.Contains(hsScaling)) UpdateWindow();
    FOwner->Invalidate();
}

void TLTHeader::SetMinHeight(int Value)
{
    FMinHeight = std::min(std::max(Value, 0), FMaxHeight);
    SetHeight(FHeight);
}

void TLTHeader::SetMaxHeight(int Value)
{
    FMaxHeight = std::max(Value, FMinHeight);
    SetHeight(FHeight);
}

void TLTHeader::SetDefaultHeight(int Value)
{
    Value = std::clamp(Value, FMinHeight, FMaxHeight);
    const bool follow = FHeight == FDefaultHeight;
    FDefaultHeight = Value;
    if (follow) SetHeight(Value);
}

void TLTHeader::SetParentFont(bool Value)
{
    if (Value == FParentFont) return;
    FParentFont = Value;
    if (Value && FOwner) FFont.Assign(*FOwner->Font());
    Invalidate();
}

void TLTHeader::Assign(const TLTHeader& Source)
{
    SetAutoSizeIndex(Source.FAutoSizeIndex);
    SetBackground(Source.FBackgroundColor);
    FColumns->Assign(*Source.FColumns);
    FFont.Assign(Source.FFont);
    FFixedAreaConstraints.Assign(Source.FFixedAreaConstraints);
    SetHeight(Source.FHeight);
    SetMainColumn(Source.FMainColumn);
    SetOptions(Source.FOptions);
    SetParentFont(Source.FParentFont);
    SetSortColumn(Source.FSortColumn);
    SetSortDirection(Source.FSortDirection);
    SetStyle(Source.FStyle);
    ApplyFixedAreaConstraints();
}

int TLTHeader::HeaderWidth() const { return FOwner ? FOwner->ClientWidth() : 0; }

// ---------------------------------------------------------------------------- stream

void TLTHeader::SaveToStream(TStream& Stream) const
{
    using namespace headerstream;
    WriteInt(Stream, -1);
    WriteInt(Stream, 6);
    FColumns->SaveToStream(Stream);
    WriteInt(Stream, FAutoSizeIndex);
    WriteInt(Stream, FBackgroundColor);
    WriteInt(Stream, FHeight);
    WriteInt(Stream, std::int32_t(FOptions.Bits()));
    WriteInt(Stream, int(FStyle));
    WriteInt(Stream, FFont.Color());
    WriteInt(Stream, FFont.Height());
    const String& name = FFont.Name();
    WriteInt(Stream, std::int32_t(name.size()));
    Stream.WriteBuffer(name.data(), std::int64_t(name.size()));
    WriteInt(Stream, int(FFont.Pitch()));
    WriteInt(Stream, std::int32_t(FFont.Style().Bits()));
    WriteInt(Stream, FMainColumn);
    WriteInt(Stream, FSortColumn);
    WriteInt(Stream, int(FSortDirection));
    WriteInt(Stream, FParentFont ? 1 : 0);
    WriteInt(Stream, FMaxHeight);
    WriteInt(Stream, FMinHeight);
    WriteInt(Stream, FDefaultHeight);
    WriteInt(Stream, FFixedAreaConstraints.MaxHeightPercent());
    WriteInt(Stream, FFixedAreaConstraints.MaxWidthPercent());
    WriteInt(Stream, FFixedAreaConstraints.MinHeightPercent());
    WriteInt(Stream, FFixedAreaConstraints.MinWidthPercent());
}

void TLTHeader::LoadFromStream(TStream& Stream)
{
    // A refused stream must leave the header as it was: keep what it is now and read it
    // back when reading fails half way (a stream of our own making always reads).
    TMemoryStream before;
    SaveToStream(before);
    const TLTHeaderOptions keptOptions = FOptions;
    FStates << hsLoading;
    struct TEnd {
        TLTHeader* H;
        ~TEnd()
        {
            H->FStates >> hsLoading;
            H->FireColumnResize(NoColumnIndex);
        }
    } end{this};
    try {
        ReadHeader(Stream, keptOptions);
    } catch (const EReadError&) {
        before.SetPosition(0);
        ReadHeader(before, keptOptions);
        throw;
    }
}

void TLTHeader::ReadHeader(TStream& Stream, TLTHeaderOptions KeptOptions)
{
    using namespace headerstream;
    // No option acts while the columns are read.
    FOptions = TLTHeaderOptions();
    int version = ReadInt(Stream);
    if (version < 0)
        version = ReadInt(Stream);
    else {
        Stream.Seek(-4, soCurrent);
        version = -1;
    }
    FColumns->LoadFromStream(Stream, version);
    const int autoSize = ReadInt(Stream);
    const TColor background = ReadInt(Stream);
    const int height = ReadInt(Stream);
    const std::uint32_t options = std::uint32_t(ReadInt(Stream)) & HeaderOptionsMask;
    const int style = ReadEnum(Stream, hsPlates);
    const TColor fontColor = ReadInt(Stream);
    const int fontHeight = ReadInt(Stream);
    const int nameLength = CheckedLength(Stream, ReadInt(Stream), MaxTextLength, 1);
    String fontName(std::size_t(nameLength), '\0');
    if (nameLength > 0) Stream.ReadBuffer(fontName.data(), nameLength);
    const int pitch = ReadEnum(Stream, fpFixed);
    const std::uint32_t fontStyle = std::uint32_t(ReadInt(Stream)) & 0x0F;
    int mainColumn = 0, sortColumn = NoColumnIndex, direction = sdAscending;
    if (version > 0) {
        mainColumn = ReadInt(Stream);
        sortColumn = ReadInt(Stream);
        direction = ReadEnum(Stream, sdDescending);
    }
    bool parentFont = FParentFont;
    int maxHeight = FMaxHeight, minHeight = FMinHeight, defaultHeight = FDefaultHeight;
    int percents[4];
    std::copy(std::begin(FFixedAreaConstraints.FPercent), std::end(FFixedAreaConstraints.FPercent), percents);
    if (version > 4) {
        parentFont = ReadInt(Stream) != 0;
        maxHeight = ReadInt(Stream);
        minHeight = ReadInt(Stream);
        defaultHeight = ReadInt(Stream);
        for (int& p : percents) p = ReadInt(Stream);
        // Limits that contradict each other are a damaged stream.
        if (minHeight < 0 || maxHeight < minHeight || defaultHeight < minHeight || defaultHeight > maxHeight)
            throw EReadError("Bad height limits in the header stream");
        for (int p : percents)
            if (p < 0 || p > 100) throw EReadError("Bad percent in the header stream");
    }

    // Everything is read: apply it.
    FMaxHeight = maxHeight;
    FMinHeight = minHeight;
    FDefaultHeight = defaultHeight;
    std::copy(std::begin(percents), std::end(percents), std::begin(FFixedAreaConstraints.FPercent));
    SetAutoSizeIndex(autoSize);
    SetBackground(background);
    SetHeight(height);
    FOptions = KeptOptions;
    SetOptions(TLTHeaderOptions::FromBits(options));
    SetStyle(TLTHeaderStyle(style));
    FFont.SetColor(fontColor);
    FFont.SetHeight(fontHeight);
    FFont.SetName(fontName);
    FFont.SetPitch(TFontPitch(pitch));
    FFont.SetStyle(TFontStyles::FromBits(fontStyle));
    if (version > 0) {
        SetMainColumn(mainColumn);
        SetSortColumn(sortColumn);
        SetSortDirection(TSortDirection(direction));
    }
    if (version > 4) SetParentFont(parentFont);
    // A stream without main and sort column, or with fewer columns than before, must not
    // leave them pointing past the columns it brought.
    const TColumnIndex last = FColumns->Count() - 1;
    if (FMainColumn > last || FMainColumn < 0) FMainColumn = last >= 0 ? 0 : NoColumnIndex;
    if (FSortColumn > last || FSortColumn < 0) FSortColumn = NoColumnIndex;
}
