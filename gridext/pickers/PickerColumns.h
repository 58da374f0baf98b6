#pragma once
// Columns and items of the column pickers (the multi-column list and the grid picker).
// Each picker has types of its own, made from these templates with a tag of its own, so
// a column of one picker can never be handed to the other.
#include <memory>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

enum TColumnType { ctText, ctImage };

template <class Tag>
class TDropDownColumnT : public TObject {
public:
    int Width = 80;
    TColor Color = clWhite;
    TAlignment Alignment = taLeftJustify;
    bool Ellipsis = false;
    TColumnType ColumnType = ctText;
    String Header;
    bool Wordwrap = false;
    bool AutoSize = false;
    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }
    void SetFont(const TFont* v) { FFont.Assign(*v); }
    void Assign(const TDropDownColumnT& S)
    {
        Width = S.Width;
        Color = S.Color;
        Alignment = S.Alignment;
        Ellipsis = S.Ellipsis;
        FFont.Assign(S.FFont);
        ColumnType = S.ColumnType;
        Header = S.Header;
        Wordwrap = S.Wordwrap;
        AutoSize = S.AutoSize;
    }

private:
    TFont FFont;
};

template <class Tag>
class TDropDownItemT : public TObject {
public:
    int ImageIndex = -1;
    // One line per column.
    TStringList* Text() { return &FText; }
    const TStringList* Text() const { return &FText; }
    void SetText(const TStringList& v) { FText.Assign(v); }
    // The item's text for Column; false when it has no such line.
    bool Line(int Column, String& S) const
    {
        if (Column < 0 || Column >= FText.Count()) return false;
        S = FText.Strings(Column);
        return true;
    }
    String LineOrEmpty(int Column) const
    {
        String s;
        Line(Column, s);
        return s;
    }
    void Assign(const TDropDownItemT& S)
    {
        ImageIndex = S.ImageIndex;
        FText.Clear();
        for (int i = 0; i < S.FText.Count(); ++i) FText.Add(S.FText.Strings(i));
    }

private:
    TStringList FText;
};

// An owned, ordered collection of T.
template <class T>
class TPickerCollection : public TObject {
public:
    explicit TPickerCollection(TObject* Owner = nullptr) : FOwner(Owner) {}
    TObject* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    T* Items(int i) const { return FItems.at(size_t(i)).get(); }
    T* Add() { return Insert(Count()); }
    T* Insert(int Index)
    {
        Index = Index < 0 ? 0 : (Index > Count() ? Count() : Index);
        FItems.insert(FItems.begin() + Index, std::make_unique<T>());
        return FItems[size_t(Index)].get();
    }
    void Delete(int Index)
    {
        if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
    }
    void Clear() { FItems.clear(); }
    void Assign(const TPickerCollection& S)
    {
        if (&S == this) return;
        FItems.clear();
        for (int i = 0; i < S.Count(); ++i) Add()->Assign(*S.Items(i));
    }

private:
    TObject* FOwner;
    std::vector<std::unique_ptr<T>> FItems;
};
