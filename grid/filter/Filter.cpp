// The filter's conditions and the drop-down's look.
#include "grid/filter/Filter.h"

#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/filter/FilterDropDown.h"

// ---------------------------------------------------------------- conditions

void TFilterData::Assign(const TFilterData* Source)
{
    if (!Source || Source == this) return;
    Column = Source->Column;
    Condition = Source->Condition;
    CaseSensitive = Source->CaseSensitive;
    Data = Source->Data;
    Prefix = Source->Prefix;
    Suffix = Source->Suffix;
    Operation = Source->Operation;
}

void TFilter::Assign(const TObject* Source)
{
    auto* src = dynamic_cast<const TFilter*>(Source);
    if (!src || src == this) return;
    FItems.clear();
    for (auto& it : src->FItems) {
        auto copy = std::make_unique<TFilterData>();
        copy->Assign(it.get());
        copy->Method = it->Method;
        FItems.push_back(std::move(copy));
    }
}

TFilterData* TFilter::Add()
{
    FItems.push_back(std::make_unique<TFilterData>());
    FItems.back()->Operation = FItems.size() == 1 ? foNONE : foAND;
    return FItems.back().get();
}

TFilterData* TFilter::Insert(int)
{
    FItems.push_back(std::make_unique<TFilterData>());
    return FItems.back().get();
}

void TFilter::Delete(int Index)
{
    if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (auto& it : FItems)
        if (it->Column == Col) return it.get();
    TFilterData* d = Add();
    d->Column = Col;
    return d;
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[size_t(i)]->Column == Col) FItems.erase(FItems.begin() + i);
    if (FOwner) FOwner->RepaintCell(FOwner->DisplColIndex(Col), 0);
}

bool TFilter::HasFilter(int Col) const
{
    return std::any_of(FItems.begin(), FItems.end(), [Col](const std::unique_ptr<TFilterData>& it) {
        return it->Column == Col;
    });
}

// ---------------------------------------------------------------- drop-down look

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
}

void TFilterDropDown::Assign(const TObject* Source)
{
    auto* src = dynamic_cast<const TFilterDropDown*>(Source);
    if (!src || src == this) return;
    Color = src->Color;
    ColumnWidth = src->ColumnWidth;
    FFont->Assign(*src->FFont);
    Height = src->Height;
    Width = src->Width;
    FGlyph->Assign(src->FGlyph.get());
    FGlyphActive->Assign(src->FGlyphActive.get());
    if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value)
{
    FGlyphActive->Assign(Value);
    if (OnChange) OnChange(this);
}
