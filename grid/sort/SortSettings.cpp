#include "grid/sort/SortSettings.h"

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

TSortSettings::TSortSettings(TExtStringGrid* AOwner)
    : FOwner(AOwner),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s || s == this) return;
    FSortShow = s->FSortShow;
    IndexShow = s->IndexShow;
    IndexColor = s->IndexColor;
    IndexSortKey = s->IndexSortKey;
    Full = s->Full;
    SingleColumn = s->SingleColumn;
    IgnoreBlanks = s->IgnoreBlanks;
    BlankPos = s->BlankPos;
    AutoFormat = s->AutoFormat;
    Direction = s->Direction;
    Column = s->Column;
    FSortRow = s->FSortRow;
    FixedCols = s->FixedCols;
    NormalCellsOnly = s->NormalCellsOnly;
    InitSortDirection = s->InitSortDirection;
    UndoSort = s->UndoSort;
    AutoSortForGrouping = s->AutoSortForGrouping;
    AutoColumnMerge = s->AutoColumnMerge;
    FUpGlyph->Assign(s->FUpGlyph.get());
    FDownGlyph->Assign(s->FDownGlyph.get());
    FIndexUpGlyph->Assign(s->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(s->FIndexDownGlyph.get());
    FHeaderColor = s->FHeaderColor;
    FHeaderColorTo = s->FHeaderColorTo;
    FHeaderMirrorColor = s->FHeaderMirrorColor;
    FHeaderMirrorColorTo = s->FHeaderMirrorColorTo;
}

void TSortSettings::SetShow(bool Value)
{
    if (FSortShow == Value) return;
    FSortShow = Value;
    if (FOwner) FOwner->Invalidate();
}

void TSortSettings::SetRow(int Value)
{
    if (FOwner && Value >= FOwner->FixedRows())
        throw Exception("Sort row should be smaller than number of fixed rows");
    FSortRow = Value;
}

void TSortSettings::SetHeaderField(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    if (FOwner && FOwner->FixedRows() > 0) FOwner->RepaintRow(FOwner->FixedRows() - 1);
}

void TSortSettings::SetHeaderColor(TColor Value) { SetHeaderField(FHeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { SetHeaderField(FHeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) { SetHeaderField(FHeaderMirrorColor, Value); }
void TSortSettings::SetHeaderMirrorColorTo(TColor Value) { SetHeaderField(FHeaderMirrorColorTo, Value); }

void TSortSettings::Remove()
{
    Column = -1;
    if (!FOwner) return;
    FOwner->SortIndexes()->Clear();
    if (FOwner->FixedRows() > 0) FOwner->RepaintRow(FOwner->FixedRows() - 1);
}

String TSortSettings::SaveToString() const
{
    String s(IndexShow ? "i;" : Direction == sdDescending ? "d" : "u");
    if (IndexShow) {
        if (FOwner) s += FOwner->SortIndexes()->SaveToString();
    } else {
        s += IntToStr(Column);
    }
    return s;
}

void TSortSettings::LoadFromString(const String& Value)
{
    if (Value.empty()) return;
    SetShow(true);
    if (Value.size() < 2) throw Exception("Invalid sort settings specifier");
    const size_t at = Value.find("i;");
    if (at == String::npos) {
        IndexShow = false;
        Direction = Value.find('u') != String::npos ? sdAscending : sdDescending;
        int col = 0;
        if (TryStrToInt(Value.substr(1), col)) {
            Column = col;
            if (FOwner) FOwner->QSort();
        }
        return;
    }
    IndexShow = true;
    const String keys = Value.substr(at + 2);
    if (keys.empty() || !FOwner) return;
    FOwner->SortIndexes()->LoadFromString(keys);
    FOwner->QSortIndexed();
}
