// Columns: properties, the position array and left edges, hit tests, navigation, the
// column records of the header stream.
#include "treeview/header/LazyTreeColumns.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Unicode.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/header/LTHeader.h"
#include "treeview/header/HeaderStreamIO.h"

// ---------------------------------------------------------------------------- column

TLazyTreeColumn::TLazyTreeColumn(TLazyTreeColumns* Collection) : FOwner(Collection)
{
    // A default width outside the limits (one read from a stream) still gives a column
    // within them.
    FWidth = FLastWidth = std::clamp(Collection->FDefaultWidth, FMinWidth, FMaxWidth);
    Collection->FItems.emplace_back(this);
    FPosition = TColumnPosition(Collection->Count() - 1);
    if (TBaseLazyTree* tree = Collection->FHeader->Treeview()) FColor = tree->Color();
    Collection->HandleUpdate(nullptr);
}

TColumnIndex TLazyTreeColumn::Index() const
{
    const auto& items = FOwner->FItems;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return TColumnIndex(i);
    return NoColumnIndex;
}

TLTHeader* TLazyTreeColumn::Header() const { return FOwner->FHeader; }

void TLazyTreeColumn::Changed() { FOwner->HandleUpdate(this); }

void TLazyTreeColumn::SetText(const String& Value)
{
    if (Value == FText) return;
    FText = Value;
    FCaptionText.clear();
    Changed();
}

void TLazyTreeColumn::SetWidth(int Value)
{
    TLTHeader* header = Header();
    TBaseLazyTree* tree = header->Treeview();
    int w = Value;
    if (!header->FStates.Contains(hsScaling)) {
        if (FOptions.Contains(coVisible) && FOptions.Contains(coFixed)) {
            // The fixed area as a whole stays within its limits.
            const int t = tree ? tree->ClientWidth() : 0;
            const TLTFixedAreaConstraints& c = header->FFixedAreaConstraints;
            int sumMax = 0, sumMin = 0;
            for (const auto& col : FOwner->FItems)
                if (col->FOptions.Contains(coVisible) && col->FOptions.Contains(coFixed)) {
                    sumMax += col->FMaxWidth;
                    sumMin += col->FMinWidth;
                }
            const int lowArea = c.MaxWidthPercent() > 0 ? std::min(t * c.MaxWidthPercent() / 100, sumMin) : sumMin;
            const int highArea = c.MinWidthPercent() > 0 ? std::max(t * c.MinWidthPercent() / 100, sumMax) : sumMax;
            const int others = FOwner->GetVisibleFixedWidth() - FWidth;
            const int upper = std::min(highArea - others, FMaxWidth);
            const int lower = std::max(lowArea - others, FMinWidth);
            w = std::min(upper, std::max(lower, w));
            if (c.MinWidthPercent() > 0) w = std::max(w, t * c.MinWidthPercent() / 100 - others);
            if (c.MaxWidthPercent() > 0) w = std::min(w, t * c.MaxWidthPercent() / 100 - others);
        } else
            w = std::min(std::max(w, FMinWidth), FMaxWidth);
    }
    if (w == FWidth) return;
    FLastWidth = FWidth;
    if (!header->FStates.Contains(hsResizing)) FBonusPixel = false;
    const TColumnIndex index = Index();
    // The auto-size column's width belongs to FitAutoSizeColumn alone.
    if (!(header->FOptions.Contains(hoAutoResize) && index == header->FAutoSizeIndex)) {
        FWidth = w;
        FOwner->RecomputeLefts(false);
    }
    if (FOwner->TreeLoading() || FOwner->FUpdateCount > 0) return;
    if (header->FOptions.Contains(hoAutoResize)) FOwner->FitAutoSizeColumn(false);
    header->FireColumnResize(index);
}

void TLazyTreeColumn::SetMinWidth(int Value)
{
    FMinWidth = std::min(std::max(Value, 0), FMaxWidth);
    SetWidth(FWidth);
}

void TLazyTreeColumn::SetMaxWidth(int Value)
{
    FMaxWidth = std::max(Value, FMinWidth);
    SetWidth(FWidth);
}

void TLazyTreeColumn::SetStyle(TLazyTreeColumnStyle Value)
{
    FStyle = Value;
    Changed();
}

void TLazyTreeColumn::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Changed();
}

void TLazyTreeColumn::SetLayout(TLTHeaderColumnLayout Value)
{
    FLayout = Value;
    Changed();
}

void TLazyTreeColumn::SetMargin(int Value)
{
    FMargin = Value < 0 ? 4 : Value;
    Changed();
}

void TLazyTreeColumn::SetSpacing(int Value)
{
    FSpacing = Value;
    Changed();
}

void TLazyTreeColumn::SetBiDiMode(TBiDiMode Value)
{
    FBiDiMode = Value;
    FOptions >> coParentBidiMode;
    Changed();
    if (TBaseLazyTree* tree = Header()->Treeview()) tree->Invalidate();
}

void TLazyTreeColumn::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Changed();
    if (TBaseLazyTree* tree = Header()->Treeview()) tree->Invalidate();
}

void TLazyTreeColumn::SetCaptionAlignment(TAlignment Value)
{
    if (FOptions.Contains(coUseCaptionAlignment) && FCaptionAlignment == Value) return;
    FCaptionAlignment = Value;
    FOptions << coUseCaptionAlignment;
    Header()->Invalidate(Index());
}

void TLazyTreeColumn::SetColor(TColor Value)
{
    FColor = Value;
    FOptions >> coParentColor;
    Changed();
    if (TBaseLazyTree* tree = Header()->Treeview()) tree->Invalidate();
}

void TLazyTreeColumn::SetOptions(TLTColumnOptions Value)
{
    if (Value == FOptions) return;
    const TLTColumnOptions set = Value - FOptions, cleared = FOptions - Value;
    FOptions = Value;
    TBaseLazyTree* tree = Header()->Treeview();
    if (set.Contains(coParentColor) && tree) FColor = tree->Color();
    if (set.Contains(coAutoSpring)) FSpringRest = 0;
    if ((set.Contains(coFixed) || cleared.Contains(coFixed)) && FOptions.Contains(coVisible))
        Header()->ApplyFixedAreaConstraints();
    Changed();
    const bool visibleChanged = set.Contains(coVisible) || cleared.Contains(coVisible);
    if (!FOwner->TreeLoading() && tree && (visibleChanged || set.Contains(coParentColor)) &&
        tree->UpdateCount() == 0) {
        tree->Invalidate();
        if (visibleChanged) tree->UpdateHorizontalScrollBar(false);
    }
}

void TLazyTreeColumn::SetPosition(TColumnPosition Value)
{
    if (FOwner->TreeLoading()) {
        FPosition = Value;
        return;
    }
    const TColumnPosition last = TColumnPosition(FOwner->Count() - 1);
    const TColumnPosition p = std::min(Value, last);
    if (p == FPosition) return;
    FOwner->SyncPositionArray();
    if (TBaseLazyTree* tree = Header()->Treeview()) tree->CancelEditNode();
    FOwner->MovePosition(Index(), p);
    Changed();
    if (FOwner->FUpdateCount == 0)
        if (TBaseLazyTree* tree = Header()->Treeview()) tree->Invalidate();
    // A column moved among fixed columns becomes fixed, one moved among scrolling columns
    // scrolls: the fixed area stays one block at the left.
    const bool fixed = FOptions.Contains(coFixed);
    const TColumnPosition neighbour = fixed && FPosition > 0 ? FPosition - 1 : FPosition + 1;
    const TColumnIndex other = FOwner->ColumnFromPosition(neighbour);
    if (other >= 0) {
        const bool otherFixed = FOwner->Items(other)->FOptions.Contains(coFixed);
        if (otherFixed != fixed) SetOptions(otherFixed ? FOptions | coFixed : FOptions - coFixed);
    }
}

int TLazyTreeColumn::Left() const
{
    if (FOptions.Contains(coVisible) && FOptions.Contains(coFixed)) return FLeft;
    TBaseLazyTree* tree = FOwner->FHeader->Treeview();
    return FLeft - (tree ? tree->EffectiveOffsetX() : 0);
}

TRect TLazyTreeColumn::GetRect() const
{
    const int h = FOwner->FHeader->Height();
    return TRect(FLeft, 0, FLeft + FWidth, h);
}

void TLazyTreeColumn::RestoreLastWidth() { FOwner->AnimatedResize(Index(), FLastWidth); }

String TLazyTreeColumn::DisplayName() const
{
    for (char16_t c : Utf8ToUtf16(FText))
        if (c > 255) return "Column " + std::to_string(Index());
    return FText;
}

void TLazyTreeColumn::Assign(const TLazyTreeColumn& Source)
{
    const TLTColumnOptions keep = FOptions;
    FOptions = TLTColumnOptions();
    SetBiDiMode(Source.FBiDiMode);
    SetImageIndex(Source.FImageIndex);
    SetLayout(Source.FLayout);
    SetMargin(Source.FMargin);
    SetMaxWidth(Source.FMaxWidth);
    SetMinWidth(Source.FMinWidth);
    SetPosition(Source.FPosition);
    SetSpacing(Source.FSpacing);
    SetStyle(Source.FStyle);
    SetText(Source.FText);
    FHint = Source.FHint;
    SetWidth(Source.FWidth);
    SetAlignment(Source.FAlignment);
    if (Source.FOptions.Contains(coUseCaptionAlignment)) FCaptionAlignment = Source.FCaptionAlignment;
    SetColor(Source.FColor);
    FTag = Source.FTag;
    FOptions = keep;
    SetOptions(Source.FOptions);
    Changed();
}

bool TLazyTreeColumn::Equals(const TLazyTreeColumn& o) const
{
    return FBiDiMode == o.FBiDiMode && FImageIndex == o.FImageIndex && FLayout == o.FLayout &&
           FMargin == o.FMargin && FMaxWidth == o.FMaxWidth && FMinWidth == o.FMinWidth &&
           FPosition == o.FPosition && FSpacing == o.FSpacing && FStyle == o.FStyle && FText == o.FText &&
           FHint == o.FHint && FWidth == o.FWidth && FAlignment == o.FAlignment &&
           CaptionAlignment() == o.CaptionAlignment() && FColor == o.FColor && FTag == o.FTag &&
           FOptions == o.FOptions;
}

void TLazyTreeColumn::SaveToStream(TStream& Stream) const
{
    using namespace headerstream;
    WriteText(Stream, FText);
    WriteText(Stream, FHint);
    WriteInt(Stream, FWidth);
    WriteInt(Stream, FMinWidth);
    WriteInt(Stream, FMaxWidth);
    WriteInt(Stream, int(FStyle));
    WriteInt(Stream, FImageIndex);
    WriteInt(Stream, int(FLayout));
    WriteInt(Stream, FMargin);
    WriteInt(Stream, FSpacing);
    WriteInt(Stream, int(FBiDiMode));
    WriteInt(Stream, int(FOptions.Bits()));
    WriteInt(Stream, int(FTag));
    WriteInt(Stream, int(FAlignment));
    WriteInt(Stream, FColor);
    if (FOptions.Contains(coUseCaptionAlignment)) WriteInt(Stream, int(FCaptionAlignment));
}

void TLazyTreeColumn::LoadFromStream(TStream& Stream, int Version)
{
    using namespace headerstream;
    const String text = ReadText(Stream);
    const String hint = ReadText(Stream);
    const int width = ReadInt(Stream);
    const int minWidth = ReadInt(Stream);
    const int maxWidth = ReadInt(Stream);
    const int style = ReadEnum(Stream, vsOwnerDraw);
    const int image = ReadInt(Stream);
    const int layout = ReadEnum(Stream, blGlyphBottom);
    const int margin = ReadInt(Stream);
    const int spacing = ReadInt(Stream);
    const int bidi = ReadEnum(Stream, bdRightToLeftReadingOnly);
    std::uint32_t options = std::uint32_t(ReadInt(Stream)) & 0xFFFF;
    if (Version == 2)
        options &= 0xFF;
    else if (Version < 2)
        options = (options & 0x0F) | ((options & 0x70) << 1);
    std::intptr_t tag = 0;
    int alignment = taLeftJustify;
    TColor color = FColor;
    if (Version >= 1) {
        tag = ReadInt(Stream);
        alignment = ReadEnum(Stream, taCenter);
    }
    if (Version >= 2) color = ReadInt(Stream);
    int captionAlignment = -1;
    if (Version >= 6 && (options & (1u << coUseCaptionAlignment))) captionAlignment = ReadEnum(Stream, taCenter);

    SetText(text);
    FHint = hint;
    // The limits go first: a stored width outside the default limits (a narrow column of
    // 5 pixels whose minimum was lowered) would otherwise be clamped by them and lost.
    FMinWidth = std::max(0, std::min(minWidth, 10000));
    FMaxWidth = std::max(FMinWidth, maxWidth);
    FMinWidth = std::min(FMinWidth, FMaxWidth);
    SetWidth(width);
    SetStyle(TLazyTreeColumnStyle(style));
    SetImageIndex(image);
    SetLayout(TLTHeaderColumnLayout(layout));
    SetMargin(margin);
    SetSpacing(spacing);
    SetBiDiMode(TBiDiMode(bidi));
    SetOptions(TLTColumnOptions::FromBits(options));
    FTag = tag;
    SetAlignment(TAlignment(alignment));
    if (Version >= 2) {
        // The colour setter drops coParentColor; the stored options say whether it applies.
        FColor = color;
        Changed();
    }
    if (captionAlignment >= 0) FCaptionAlignment = TAlignment(captionAlignment);
}

// ---------------------------------------------------------------------------- collection

TLazyTreeColumns::TLazyTreeColumns(TLTHeader* AOwner) : FHeader(AOwner) {}

TLazyTreeColumns::~TLazyTreeColumns()
{
    FClearing = true;
    FItems.clear();
}

bool TLazyTreeColumns::TreeLoading() const
{
    TBaseLazyTree* tree = FHeader->Treeview();
    return tree && tree->IsLoading();
}

TLazyTreeColumn* TLazyTreeColumns::Items(TColumnIndex Index) const
{
    if (!IsValidColumn(Index)) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[std::size_t(Index)].get();
}

TLazyTreeColumn* TLazyTreeColumns::Add() { return new TLazyTreeColumn(this); }

void TLazyTreeColumns::Delete(TColumnIndex Index)
{
    Items(Index);  // the index check
    TBaseLazyTree* tree = FHeader->Treeview();
    if (tree) {
        tree->CancelEditNode();
        if (!tree->IsLoading() && tree->FFocusedColumn == Index) tree->FFocusedColumn = NoColumnIndex;
    }
    RemapIndex(Index);
    auto follow = [Index](TColumnIndex& v) {
        if (v == Index)
            v = NoColumnIndex;
        else if (v > Index)
            --v;
    };
    follow(FHoverIndex);
    follow(FDownIndex);
    follow(FTrackIndex);
    follow(FClickIndex);
    follow(FHeader->FAutoSizeIndex);
    follow(FHeader->FSortColumn);
    if (FHeader->FMainColumn == Index)
        FHeader->FMainColumn = Count() > 1 ? 0 : NoColumnIndex;
    else if (FHeader->FMainColumn > Index)
        --FHeader->FMainColumn;
    FItems.erase(FItems.begin() + Index);
    HandleUpdate(nullptr);
}

void TLazyTreeColumns::RemapIndex(TColumnIndex DeletedIndex)
{
    auto it = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), DeletedIndex);
    if (it != FPositionToIndex.end()) FPositionToIndex.erase(it);
    for (TColumnIndex& e : FPositionToIndex)
        if (e > DeletedIndex) --e;
}

void TLazyTreeColumns::Clear()
{
    FClearing = true;
    TBaseLazyTree* tree = FHeader->Treeview();
    if (tree) tree->CancelEditNode();
    FHoverIndex = FDownIndex = FTrackIndex = FClickIndex = NoColumnIndex;
    FCheckBoxHit = false;
    if (!FHeader->FStates.Contains(hsLoading)) {
        FHeader->FAutoSizeIndex = NoColumnIndex;
        FHeader->FMainColumn = NoColumnIndex;
        FHeader->FSortColumn = NoColumnIndex;
    }
    if (tree && !tree->IsLoading()) tree->FFocusedColumn = NoColumnIndex;
    FItems.clear();
    FPositionToIndex.clear();
    FClearing = false;
    HandleUpdate(nullptr);
}

void TLazyTreeColumns::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) HandleUpdate(nullptr);
}

void TLazyTreeColumns::HandleUpdate(TLazyTreeColumn* Item)
{
    if (FUpdateCount > 0 || FClearing) return;
    SyncPositionArray();
    if (TreeLoading())
        FNeedPositionsFix = true;
    else
        RecomputeLefts(false);
    if (Count() > 0 && FHeader->FMainColumn < 0) FHeader->FMainColumn = 0;
    if (TreeLoading() || FHeader->FStates.Contains(hsLoading)) return;
    if (FHeader->FOptions.Contains(hoAutoResize)) FitAutoSizeColumn(false);
    if (Item)
        FHeader->Invalidate(Item->Index());
    else if (TBaseLazyTree* tree = FHeader->Treeview()) {
        tree->UpdateHorizontalScrollBar(false);
        FHeader->Invalidate();
        tree->Invalidate();
    }
}

void TLazyTreeColumns::Assign(const TLazyTreeColumns& Source)
{
    BeginUpdate();
    Clear();
    for (const auto& c : Source.FItems) Add()->Assign(*c);
    FPositionToIndex = Source.FPositionToIndex;
    FNeedPositionsFix = false;
    FUpdateCount = std::max(0, FUpdateCount - 1);
    SyncPositionArray();
    RecomputeLefts(true);
    HandleUpdate(nullptr);
}

bool TLazyTreeColumns::Equals(const TLazyTreeColumns& o) const
{
    if (Count() != o.Count() || FPositionToIndex != o.FPositionToIndex) return false;
    for (int i = 0; i < Count(); ++i)
        if (!FItems[std::size_t(i)]->Equals(*o.FItems[std::size_t(i)])) return false;
    return true;
}

void TLazyTreeColumns::SyncPositionArray()
{
    const std::size_t n = FItems.size();
    if (FPositionToIndex.size() == n) return;
    const std::size_t old = FPositionToIndex.size();
    FPositionToIndex.resize(n);
    for (std::size_t p = old; p < n; ++p) FPositionToIndex[p] = TColumnIndex(p);
    if (n < old) {
        bool again = true;
        while (again) {
            again = false;
            for (TColumnIndex& e : FPositionToIndex)
                if (e >= TColumnIndex(n)) {
                    --e;
                    again = true;
                }
        }
    }
}

void TLazyTreeColumns::RecomputeLefts(bool Force)
{
    if (FNeedPositionsFix || (!Force && FUpdateCount > 0)) return;
    int sum = 0;
    for (std::size_t p = 0; p < FPositionToIndex.size(); ++p) {
        const TColumnIndex i = FPositionToIndex[p];
        if (!IsValidColumn(i)) continue;
        TLazyTreeColumn* c = FItems[std::size_t(i)].get();
        c->FPosition = TColumnPosition(p);
        c->FLeft = sum;
        if (c->FOptions.Contains(coVisible)) sum += c->FWidth;
    }
    if (TBaseLazyTree* tree = FHeader->Treeview()) tree->UpdateHorizontalScrollBar(false);
}

void TLazyTreeColumns::RebuildPositions()
{
    FPositionToIndex.assign(FItems.size(), NoColumnIndex);
    std::vector<bool> used(FItems.size(), false);
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const TColumnPosition p = FItems[i]->FPosition;
        if (p < FItems.size() && !used[p]) {
            FPositionToIndex[p] = TColumnIndex(i);
            used[p] = true;
        }
    }
    // Stored positions that clash or lie outside fill the free places in index order, so
    // the array stays a permutation.
    std::size_t free = 0;
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (std::find(FPositionToIndex.begin(), FPositionToIndex.end(), TColumnIndex(i)) != FPositionToIndex.end())
            continue;
        while (FPositionToIndex[free] != NoColumnIndex) ++free;
        FPositionToIndex[free] = TColumnIndex(i);
    }
    FNeedPositionsFix = false;
    RecomputeLefts(true);
}

void TLazyTreeColumns::ResetPositions(bool RightToLeft)
{
    const int n = Count();
    FPositionToIndex.resize(std::size_t(n));
    for (int p = 0; p < n; ++p) FPositionToIndex[std::size_t(p)] = RightToLeft ? n - 1 - p : p;
    RecomputeLefts(true);
}

void TLazyTreeColumns::MovePosition(TColumnIndex Column, TColumnPosition NewPosition)
{
    auto it = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), Column);
    if (it == FPositionToIndex.end() || NewPosition >= FPositionToIndex.size()) return;
    FPositionToIndex.erase(it);
    FPositionToIndex.insert(FPositionToIndex.begin() + NewPosition, Column);
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(TPoint P, bool Relative) const
{
    TBaseLazyTree* tree = FHeader->Treeview();
    if (P.X < 0 || P.Y < 0 || (tree && P.Y > tree->Height())) return InvalidColumnIndex;
    int sum = Relative && P.X >= GetVisibleFixedWidth() && tree ? -tree->EffectiveOffsetX() : 0;
    sum += GetRTLHeaderShift(true);
    // Right to left, the strip left of columns narrower than the client area is no column.
    if (P.X < sum) return InvalidColumnIndex;
    for (TColumnIndex i : FPositionToIndex) {
        const TLazyTreeColumn* c = FItems[std::size_t(i)].get();
        if (!c->Visible()) continue;
        sum += c->FWidth;
        if (P.X < sum) return i;
    }
    return InvalidColumnIndex;
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(TColumnPosition PositionIndex) const
{
    return PositionIndex < FPositionToIndex.size() ? FPositionToIndex[PositionIndex] : NoColumnIndex;
}

void TLazyTreeColumns::GetColumnBounds(TColumnIndex Column, int& Left, int& Right) const
{
    if (Column < 0) {
        TBaseLazyTree* tree = FHeader->Treeview();
        Left = 0;
        Right = tree ? tree->ClientWidth() : 0;
        return;
    }
    const TLazyTreeColumn* c = Items(Column);
    Left = c->Left() + GetRTLHeaderShift(true);
    Right = Left + c->FWidth;
}

int TLazyTreeColumns::GetRTLHeaderShift(bool ExcludeScrollBar) const
{
    TBaseLazyTree* tree = FHeader->Treeview();
    if (!tree || !tree->UseRightToLeftAlignment() || FItems.empty()) return 0;
    const int bar = tree->VertScrollBarWidth();
    const int headerWidth = FHeader->Window() ? FHeader->Window()->Width() : tree->Width();
    int shift = headerWidth >= tree->RangeX() + bar ? headerWidth - tree->RangeX() : bar;
    if (ExcludeScrollBar) shift -= bar;
    return shift;
}

int TLazyTreeColumns::GetScrollWidth() const
{
    int n = 0, sum = 0;
    for (const auto& c : FItems)
        if (c->Visible() && !c->FOptions.Contains(coFixed)) {
            ++n;
            sum += c->FWidth;
        }
    if (n == 0) {
        TBaseLazyTree* tree = FHeader->Treeview();
        return tree ? tree->Indent() : 0;
    }
    return int(std::nearbyint(double(sum) / n));  // default rounding mode: halves to even
}

int TLazyTreeColumns::TotalWidth() const
{
    for (std::size_t p = FPositionToIndex.size(); p-- > 0;) {
        const TLazyTreeColumn* c = FItems[std::size_t(FPositionToIndex[p])].get();
        if (c->Visible()) return c->FLeft + c->FWidth;
    }
    return 0;
}

int TLazyTreeColumns::GetVisibleFixedWidth() const
{
    int sum = 0;
    for (const auto& c : FItems)
        if (c->Visible() && c->FOptions.Contains(coFixed)) sum += c->FWidth;
    return sum;
}

std::vector<TLazyTreeColumn*> TLazyTreeColumns::GetVisibleColumns() const
{
    std::vector<TLazyTreeColumn*> out;
    for (TColumnIndex i : FPositionToIndex)
        if (FItems[std::size_t(i)]->Visible()) out.push_back(FItems[std::size_t(i)].get());
    return out;
}

TColumnIndex TLazyTreeColumns::GetFirstColumn() const
{
    return FPositionToIndex.empty() ? InvalidColumnIndex : FPositionToIndex[0];
}

TColumnIndex TLazyTreeColumns::GetNextColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column)) return InvalidColumnIndex;
    const TColumnPosition p = FItems[std::size_t(Column)]->FPosition + 1;
    return p < FPositionToIndex.size() ? FPositionToIndex[p] : InvalidColumnIndex;
}

TColumnIndex TLazyTreeColumns::GetPreviousColumn(TColumnIndex Column) const
{
    if (!IsValidColumn(Column)) return InvalidColumnIndex;
    const TColumnPosition p = FItems[std::size_t(Column)]->FPosition;
    return p > 0 ? FPositionToIndex[p - 1] : InvalidColumnIndex;
}

namespace {
bool Takes(const TLazyTreeColumn* c, bool ConsiderAllowFocus)
{
    return c->Visible() && (!ConsiderAllowFocus || c->Options().Contains(coAllowFocus));
}
}  // namespace

TColumnIndex TLazyTreeColumns::GetFirstVisibleColumn(bool ConsiderAllowFocus) const
{
    for (TColumnIndex i : FPositionToIndex)
        if (Takes(FItems[std::size_t(i)].get(), ConsiderAllowFocus)) return i;
    return InvalidColumnIndex;
}

TColumnIndex TLazyTreeColumns::GetLastVisibleColumn(bool ConsiderAllowFocus) const
{
    for (std::size_t p = FPositionToIndex.size(); p-- > 0;)
        if (Takes(FItems[std::size_t(FPositionToIndex[p])].get(), ConsiderAllowFocus)) return FPositionToIndex[p];
    return InvalidColumnIndex;
}

TColumnIndex TLazyTreeColumns::GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const
{
    for (TColumnIndex c = GetNextColumn(Column); c != InvalidColumnIndex; c = GetNextColumn(c))
        if (Takes(FItems[std::size_t(c)].get(), ConsiderAllowFocus)) return c;
    return InvalidColumnIndex;
}

TColumnIndex TLazyTreeColumns::GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus) const
{
    for (TColumnIndex c = GetPreviousColumn(Column); c != InvalidColumnIndex; c = GetPreviousColumn(c))
        if (Takes(FItems[std::size_t(c)].get(), ConsiderAllowFocus)) return c;
    return InvalidColumnIndex;
}

void TLazyTreeColumns::SaveToStream(TStream& Stream) const
{
    using namespace headerstream;
    WriteInt(Stream, Count());
    for (const auto& c : FItems) c->SaveToStream(Stream);
    if (Count() > 0)
        for (TColumnIndex i : FPositionToIndex) WriteInt(Stream, i);
    WriteInt(Stream, FDefaultWidth);
}

void TLazyTreeColumns::LoadFromStream(TStream& Stream, int Version)
{
    using namespace headerstream;
    Clear();
    const int count = ReadInt(Stream);
    if (count < 0 || count > MaxColumns) throw EReadError("Too many columns in the header stream");
    if (count > 0) {
        BeginUpdate();
        struct TEnd {
            TLazyTreeColumns* C;
            ~TEnd() { --C->FUpdateCount; }
        } end{this};
        for (int i = 0; i < count; ++i) Add()->LoadFromStream(Stream, Version);
        std::vector<TColumnIndex> positions(static_cast<std::size_t>(count));
        std::vector<bool> seen(static_cast<std::size_t>(count), false);
        for (TColumnIndex& p : positions) {
            p = ReadInt(Stream);
            // Only a permutation keeps every column reachable and every index in range.
            if (p < 0 || p >= count || seen[std::size_t(p)]) throw EReadError("Bad column position in the header stream");
            seen[std::size_t(p)] = true;
        }
        FPositionToIndex = positions;
    }
    if (Version > 4) {
        const int w = ReadInt(Stream);
        FDefaultWidth = std::max(0, w);
    }
    RecomputeLefts(true);
}
