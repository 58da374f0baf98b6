// The column items and their collection: creation values, copying, the change reaction
// that keeps ColCount in step with the items, headers written into row 0, widths kept
// by the grid (also for hidden columns), the recorded column order and its ini file,
// and streaming of the column settings.
#include <algorithm>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>

#include "grid/columns/ExtColumnGrid.h"
#include "grid/util/GridSupport.h"
#include "platform/os/Files.h"
#include "platform/os/IniFiles.h"

// ---------------------------------------------------------------- item

TGridColumnItem::TGridColumnItem(TGridColumnCollection* Collection)
    : FFont(std::make_unique<TFont>()),
      FComboItems(std::make_unique<TStringList>()),
      FPrintFont(std::make_unique<TFont>()),
      FBorderPen(std::make_unique<TPen>()),
      FPrintBorderPen(std::make_unique<TPen>()),
      FFilter(std::make_unique<TStringList>()),
      FHeaderFont(std::make_unique<TFont>())
{
    FBorderPen->SetColor(clSilver);
    FPrintBorderPen->SetColor(clBlack);
    if (!Collection) return;
    if (TExtColumnGrid* g = Collection->GetOwner()) {
        FFont->Assign(*g->Font());
        FHeaderFont->Assign(*g->Font());
        FPrintFont->Assign(*g->Font());
        FColor = g->Color();
    }
    WireChangeHandlers();
    Collection->InsertItem(this);
}

TGridColumnItem::~TGridColumnItem()
{
    FFont->OnChange = nullptr;
    FHeaderFont->OnChange = nullptr;
    FBorderPen->OnChange = nullptr;
    FFilter->OnChange = nullptr;
    if (FCollection) FCollection->RemoveItem(this);
}

void TGridColumnItem::WireChangeHandlers()
{
    FFont->OnChange = [this](TObject*) { Changed(); };
    FHeaderFont->OnChange = [this](TObject*) { Changed(); };
    FBorderPen->OnChange = [this](TObject*) { Changed(); };
    FFilter->OnChange = [this](TObject*) { Repaint(); };
}

TExtColumnGrid* TGridColumnItem::Grid() const { return FCollection ? FCollection->GetOwner() : nullptr; }

void TGridColumnItem::SetEditLink(TEditLink* Value)
{
    FEditLink = Value;
    if (TExtColumnGrid* g = Grid(); g && Value)
        if (const auto& component = GridEditorParts().LinkComponent) g->FreeNotification(component(Value));
}

int TGridColumnItem::Index() const
{
    if (!FCollection) return -1;
    const auto& v = FCollection->FItems;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

void TGridColumnItem::SetIndex(int Value)
{
    if (!FCollection) return;
    const int cur = Index();
    if (Value == cur || Value < 0 || Value >= FCollection->Count()) return;
    FCollection->MoveItem(cur, Value);
    FCollection->Changed();
}

void TGridColumnItem::Changed()
{
    if (FCollection) FCollection->Changed();
}

void TGridColumnItem::Repaint()
{
    if (TExtColumnGrid* g = Grid()) g->Invalidate();
}

void TGridColumnItem::Assign(const TObject* Source)
{
    auto* src = dynamic_cast<const TGridColumnItem*>(Source);
    if (!src || src == this) return;
    // Field by field: the change handlers of the copied fonts and pens stay quiet.
    TGridColumnCollection* coll = FCollection;
    FCollection = nullptr;
    FAlignment = src->FAlignment;
    FAutoMaxSize = src->FAutoMaxSize;
    FAutoMinSize = src->FAutoMinSize;
    FBorders = src->FBorders;
    FBorderPen->Assign(*src->FBorderPen);
    FCheckFalse = src->FCheckFalse;
    FCheckTrue = src->FCheckTrue;
    FColor = src->FColor;
    FColumnPopup = src->FColumnPopup;
    FComboItems->Assign(*src->FComboItems);
    FDropDownCount = src->FDropDownCount;
    FEditLength = src->FEditLength;
    SetEditLink(src->FEditLink);
    FEditMask = src->FEditMask;
    FEditorType = src->FEditorType;
    FFilter->OnChange = nullptr;
    FFilter->Assign(*src->FFilter);
    FFilterCaseSensitive = src->FFilterCaseSensitive;
    FFixed = src->FFixed;
    FFloatFormat = src->FFloatFormat;
    FFont->Assign(*src->FFont);
    FColumnHeader = src->FColumnHeader;
    FHeaderAlignment = src->FHeaderAlignment;
    FHeaderFont->Assign(*src->FHeaderFont);
    FMaxSize = src->FMaxSize;
    FMinSize = src->FMinSize;
    FName = src->FName;
    FPassword = src->FPassword;
    FPrintBorders = src->FPrintBorders;
    FPrintBorderPen->Assign(*src->FPrintBorderPen);
    FPrintColor = src->FPrintColor;
    FPrintFont->Assign(*src->FPrintFont);
    FReadOnly = src->FReadOnly;
    FShowBands = src->FShowBands;
    FSortStyle = src->FSortStyle;
    FSortPrefix = src->FSortPrefix;
    FSortSuffix = src->FSortSuffix;
    FSpinMax = src->FSpinMax;
    FSpinMin = src->FSpinMin;
    FSpinStep = src->FSpinStep;
    FTag = src->FTag;
    FDefIdx = src->FDefIdx;
    FCollection = coll;
    if (FCollection) FFilter->OnChange = [this](TObject*) { Repaint(); };
}

void TGridColumnItem::AssignVisuals(const TObject* Source)
{
    auto* src = dynamic_cast<const TGridColumnItem*>(Source);
    if (!src || src == this) return;
    FAlignment = src->FAlignment;
    FHeaderAlignment = src->FHeaderAlignment;
    FBorderPen->Assign(*src->FBorderPen);
    FBorders = src->FBorders;
    FCheckFalse = src->FCheckFalse;
    FCheckTrue = src->FCheckTrue;
    FEditLength = src->FEditLength;
    SetEditLink(src->FEditLink);
    FEditMask = src->FEditMask;
    FEditorType = src->FEditorType;
    FFixed = src->FFixed;
    FPassword = src->FPassword;
    FPrintBorderPen->Assign(*src->FPrintBorderPen);
    FPrintBorders = src->FPrintBorders;
    FPrintColor = src->FPrintColor;
    FPrintFont->Assign(*src->FPrintFont);
    FReadOnly = src->FReadOnly;
    FSortStyle = src->FSortStyle;
    FSortPrefix = src->FSortPrefix;
    FSortSuffix = src->FSortSuffix;
    FSpinMin = src->FSpinMin;
    FSpinMax = src->FSpinMax;
    FSpinStep = src->FSpinStep;
    FColumnPopup = src->FColumnPopup;
    FShowBands = src->FShowBands;
    FMinSize = src->FMinSize;
    FMaxSize = src->FMaxSize;
    FAutoMinSize = src->FAutoMinSize;
    FAutoMaxSize = src->FAutoMaxSize;
    FFilter->Assign(*src->FFilter);
    FFilterCaseSensitive = src->FFilterCaseSensitive;
    FDefIdx = src->FDefIdx;
    FFloatFormat = src->FFloatFormat;
    if (TExtColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont->Assign(*g->Font());
    }
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    Changed();
}

// The pen's change handler runs the change reaction.
void TGridColumnItem::SetBorderPen(const TPen* Value) { FBorderPen->Assign(*Value); }

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    Changed();
}

void TGridColumnItem::SetComboItems(const TStringList* Value) { FComboItems->Assign(*Value); }

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (Value == FEditorType) return;
    const bool checkBoxes = Value == edDataCheckBox || FEditorType == edDataCheckBox;
    FEditorType = Value;
    if (checkBoxes) Repaint();
}

void TGridColumnItem::SetFilter(const TStringList* Value) { FFilter->Assign(*Value); }

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    Changed();
}

void TGridColumnItem::SetFloatFormat(const String& Value)
{
    FFloatFormat = Value;
    Repaint();
}

void TGridColumnItem::SetFont(const TFont* Value) { FFont->Assign(*Value); }

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    Repaint();
}

void TGridColumnItem::SetHeaderFont(const TFont* Value)
{
    FHeaderFont->Assign(*Value);
    Repaint();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    Changed();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    Changed();
}

void TGridColumnItem::SetHeader(const String& Value)
{
    FColumnHeader = Value;
    TExtColumnGrid* g = Grid();
    if (!g) return;
    if (g->FixedRows() > 0 && !g->FColMoving) {
        g->SetCellEx(Index(), 0, Value);
        Changed();
    }
    g->HeadersToList();
}

int TGridColumnItem::Width() const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetAllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    if (TExtColumnGrid* g = Grid()) g->SetAllColWidths(Index(), Value);
}

String TGridColumnItem::GetRows(int idx) const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetCellEx(Index(), idx) : String();
}

void TGridColumnItem::SetRows(int idx, const String& Value)
{
    if (TExtColumnGrid* g = Grid()) g->SetCellEx(Index(), idx, Value);
}

// ---------------------------------------------------------------- collection

TGridColumnCollection::TGridColumnCollection(TExtColumnGrid* AOwner) : FOwner(AOwner) {}

TGridColumnCollection::~TGridColumnCollection()
{
    FNoRecursiveUpdate = true;
    while (!FItems.empty()) {
        TGridColumnItem* it = FItems.back();
        FItems.pop_back();
        it->FCollection = nullptr;
        delete it;
    }
}

TGridColumnItem* TGridColumnCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FItems[size_t(Index)];
}

void TGridColumnCollection::SetItems(int Index, const TGridColumnItem* Value) { Items(Index)->Assign(Value); }

void TGridColumnCollection::InsertItem(TGridColumnItem* Item)
{
    Item->FCollection = this;
    FItems.push_back(Item);
    Changed();
}

void TGridColumnCollection::RemoveItem(TGridColumnItem* Item)
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}

void TGridColumnCollection::MoveItem(int FromIndex, int ToIndex)
{
    TGridColumnItem* it = FItems[size_t(FromIndex)];
    FItems.erase(FItems.begin() + FromIndex);
    FItems.insert(FItems.begin() + ToIndex, it);
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = new TGridColumnItem(this);
    if (Count() > 1) item->AssignVisuals(FItems[FItems.size() - 2]);
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    BeginUpdate();
    auto* item = new TGridColumnItem(this);
    if (Index >= 0 && Index < Count() - 1) MoveItem(Count() - 1, Index);
    EndUpdate();
    return item;
}

void TGridColumnCollection::Delete(int Index) { delete Items(Index); }

void TGridColumnCollection::Clear()
{
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

void TGridColumnCollection::BeginUpdate() { ++FUpdateCount; }

void TGridColumnCollection::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0) Changed();
}

void TGridColumnCollection::Assign(const TGridColumnCollection* Source)
{
    if (!Source || Source == this) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    for (const TGridColumnItem* src : Source->FItems) {
        auto* item = new TGridColumnItem(this);
        item->Assign(src);
    }
    EndUpdate();
}

void TGridColumnCollection::Changed()
{
    if (FUpdateCount > 0) return;
    HandleUpdate();
}

void TGridColumnCollection::HandleUpdate()
{
    if (FNoRecursiveUpdate || !FOwner || FOwner->FLoading || FOwner->GridDestroying()) return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols()) FOwner->SetColCount(n);
    FOwner->UpdateColumnHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    const bool old = FNoRecursiveUpdate;
    FNoRecursiveUpdate = true;
    if (FOwner) FOwner->SyncColumns();
    FNoRecursiveUpdate = old;
    for (int i = 0; i < Count(); ++i) FItems[size_t(i)]->FDefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner) return;
    bool moved = true;
    while (moved) {
        moved = false;
        const int n = Count();
        for (int i = 0; i < n && i < Count(); ++i) {
            const int def = FItems[size_t(i)]->FDefIdx;
            if (def < i) {
                FOwner->MoveColumn(i, def);
                moved = true;
            }
        }
    }
}

// ---------------------------------------------------------------- the grid's side

TExtColumnGrid::TExtColumnGrid(TComponent* AOwner) : TExtStringGrid(AOwner)
{
    CreateColumns();
    SyncColumns();
    FColMoving = false;
    FCellGraphic = std::make_unique<TCellGraphic>();
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TExtColumnGrid::~TExtColumnGrid()
{
    FGridDestroying = true;
    delete FColumnCollection;
    FColumnCollection = nullptr;
    FCellGraphic.reset();
    FSaveCol.reset();
}

void TExtColumnGrid::CreateColumns() { FColumnCollection = new TGridColumnCollection(this); }

TGridColumnItem* TExtColumnGrid::ItemOf(int ACol) const
{
    if (!FColumnCollection || ACol < 0 || ACol >= FColumnCollection->Count()) return nullptr;
    return FColumnCollection->FItems[size_t(ACol)];
}

void TExtColumnGrid::SetColumns(const TGridColumnCollection* Value) { FColumnCollection->Assign(Value); }

void TExtColumnGrid::SyncColumns()
{
    if (!FColumnCollection) return;
    TGridColumnCollection& c = *FColumnCollection;
    const bool old = c.FNoRecursiveUpdate;
    c.FNoRecursiveUpdate = true;
    const int want = TotalColCount();
    while (c.Count() < want) c.Add();
    while (c.Count() > want) delete c.FItems.back();
    c.FNoRecursiveUpdate = old;
}

void TExtColumnGrid::SetColCount(int Value)
{
    TExtStringGrid::SetColCount(Value);
    SyncColumns();
}

void TExtColumnGrid::Loaded()
{
    FLoading = false;
    TExtStringGrid::Loaded();
    SyncColumns();
    FColumnCollection->SetOrganization();
}

TGridColumnItem* TExtColumnGrid::GetColumnByName(const String& AValue) const
{
    for (TGridColumnItem* it : FColumnCollection->FItems)
        if (it->FName == AValue) return it;
    return nullptr;
}

String TExtColumnGrid::GetVersionString() const
{
    const unsigned vn = unsigned(GetVersionNr());
    return IntToStr(int(vn >> 24)) + "." + IntToStr(int((vn >> 16) & 0xFF)) + "." + IntToStr(int((vn >> 8) & 0xFF)) +
           "." + IntToStr(int(vn & 0xFF)) + " Aug, 2012";
}

// ---- headers ----

void TExtColumnGrid::HeadersToList()
{
    // Built whole, then handed over once: each change of the list rewrites row 0.
    TStringList list;
    for (TGridColumnItem* it : FColumnCollection->FItems) list.Add(it->FColumnHeader);
    ColumnHeaders()->Assign(list);
}

void TExtColumnGrid::UpdateColumnHeaders()
{
    if (FixedRows() <= 0) return;
    TStringList list;
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* it = FColumnCollection->FItems[size_t(i)];
        if (it->FColumnHeader.empty() && RowCount() > 0) {
            const String& cell = GetGridCell(i, 0);
            if (!cell.empty()) it->FColumnHeader = cell;
        }
        list.Add(it->FColumnHeader);
    }
    ColumnHeaders()->Assign(list);
}

void TExtColumnGrid::ColumnHeadersChanged(TObject* Sender)
{
    if (!FColumnCollection) return;
    TStringList* h = ColumnHeaders();
    const int n = std::min(FColumnCollection->Count(), h->Count());
    for (int i = 0; i < n; ++i) FColumnCollection->FItems[size_t(i)]->FColumnHeader = h->Strings(i);
}

// ---- widths, moves, fonts ----

void TExtColumnGrid::ColWidthsChanged()
{
    TExtStringGrid::ColWidthsChanged();
    if (FLoading || GridDestroying() || !FColumnCollection) return;
    for (int i = 0; i < ColCount(); ++i)
        if (TGridColumnItem* it = ItemOf(RealColIndex(i))) it->FWidth = ColWidths(i);
}

void TExtColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TGridColumnCollection& c = *FColumnCollection;
    const bool old = c.FNoRecursiveUpdate;
    c.FNoRecursiveUpdate = true;
    const int top = TopRow();
    const int realFrom = RealColIndex(FromIndex);
    const int realTo = RealColIndex(ToIndex);
    TExtStringGrid::ColumnMoved(FromIndex, ToIndex);
    BeginUpdate();
    FColMoving = true;
    if (realFrom >= 0 && realFrom < c.Count() && realTo >= 0 && realTo < c.Count() && realFrom != realTo)
        c.MoveItem(realFrom, realTo);
    if (top != TopRow() && top < RowCount()) SetTopRow(top);
    FColMoving = false;
    EndUpdate();
    c.FNoRecursiveUpdate = old;
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, realFrom, realTo);
}

void TExtColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExtStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumnCollection) return;
    for (TGridColumnItem* it : FColumnCollection->FItems) {
        if (it->FColumnPopup && static_cast<TComponent*>(it->FColumnPopup) == AComponent) it->FColumnPopup = nullptr;
        if (it->FEditLink && static_cast<const void*>(it->FEditLink) == static_cast<const void*>(AComponent))
            it->FEditLink = nullptr;
    }
}

// ---------------------------------------------------------------- column order in an ini file

void TExtColumnGrid::SaveColumnPositions(const String& Key, const String& Section)
{
    TIniFile ini(Key);
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        ini.WriteInteger(Section, "CP" + IntToStr(i), FColumnCollection->FItems[size_t(i)]->FDefIdx);
    ini.UpdateFile();
}

void TExtColumnGrid::LoadColumnPositions(const String& Key, const String& Section)
{
    const TIniFile ini(Key);
    const int n = FColumnCollection->Count();
    std::vector<int> pos(size_t(n), 0);
    for (int j = 0; j < n; ++j) {
        if (!ini.ValueExists(Section, "CP" + IntToStr(j))) return;
        pos[size_t(j)] = StrToIntDef(ini.ReadString(Section, "CP" + IntToStr(j), ""), 0);
    }
    // Positions that are not each column once came from a damaged or forged file: the
    // order stays as it is.
    std::vector<bool> seen(size_t(n), false);
    for (int p : pos) {
        if (p < 0 || p >= n || seen[size_t(p)]) return;
        seen[size_t(p)] = true;
    }
    ResetColumnOrder();
    for (int j = 0; j < n; ++j) FColumnCollection->Items(pos[size_t(j)])->FDefIdx = j;
    FColumnCollection->ResetOrganization();
    for (int j = 0; j < n; ++j) FColumnCollection->Items(j)->FDefIdx = pos[size_t(j)];
}

void TExtColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location == clIniFile) SaveColumnPositions(ColumnSize()->Key, ColumnSize()->Section);
}

void TExtColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location == clIniFile) LoadColumnPositions(ColumnSize()->Key, ColumnSize()->Section);
}

// ---------------------------------------------------------------- streaming

namespace {

// Values are written on one line each: "name=value" with backslash escapes for
// backslash, CR and LF, so any text survives.
String Escape(const String& s)
{
    String r;
    for (char ch : s) {
        if (ch == '\\') r += "\\\\";
        else if (ch == '\r') r += "\\r";
        else if (ch == '\n') r += "\\n";
        else r += ch;
    }
    return r;
}

String Unescape(const String& s)
{
    String r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            r += n == 'r' ? '\r' : n == 'n' ? '\n' : n;
        } else {
            r += s[i];
        }
    }
    return r;
}

String FontText(const TFont* f)
{
    return f->Name() + "|" + IntToStr(f->Height()) + "|" + IntToStr(int(f->Style().Bits())) + "|" +
           IntToStr(f->Color()) + "|" + IntToStr(int(f->Pitch())) + "|" + IntToStr(f->Charset());
}

void FontFromText(TFont* f, const String& s)
{
    TStringList parts;
    parts.SetDelimitedText(s, '|', '\0', true);
    if (parts.Count() < 6) return;
    f->SetName(parts[0]);
    f->SetHeight(StrToIntDef(parts[1], f->Height()));
    f->SetStyle(TFontStyles::FromBits(std::uint32_t(StrToIntDef(parts[2], 0))));
    f->SetColor(StrToIntDef(parts[3], f->Color()));
    f->SetPitch(TFontPitch(StrToIntDef(parts[4], 0)));
    f->SetCharset(StrToIntDef(parts[5], 1));
}

String PenText(const TPen* p)
{
    return IntToStr(p->Color()) + "|" + IntToStr(p->Width()) + "|" + IntToStr(int(p->Style())) + "|" +
           IntToStr(int(p->Mode()));
}

void PenFromText(TPen* p, const String& s)
{
    TStringList parts;
    parts.SetDelimitedText(s, '|', '\0', true);
    if (parts.Count() < 4) return;
    p->SetColor(StrToIntDef(parts[0], p->Color()));
    p->SetWidth(StrToIntDef(parts[1], p->Width()));
    p->SetStyle(TPenStyle(StrToIntDef(parts[2], 0)));
    p->SetMode(TPenMode(StrToIntDef(parts[3], int(pmCopy))));
}

String ListText(const TStringList* l)
{
    String r;
    for (int i = 0; i < l->Count(); ++i) {
        if (i) r += '\x1F';
        r += l->Strings(i);
    }
    return IntToStr(l->Count()) + ":" + r;
}

void ListFromText(TStringList* l, const String& s)
{
    TStringList tmp;
    const size_t colon = s.find(':');
    const int n = colon == String::npos ? 0 : StrToIntDef(s.substr(0, colon), 0);
    if (n > 0) {
        String rest = s.substr(colon + 1);
        size_t p = 0;
        for (int i = 0; i < n; ++i) {
            const size_t q = rest.find('\x1F', p);
            tmp.Add(rest.substr(p, q == String::npos ? String::npos : q - p));
            p = q == String::npos ? rest.size() : q + 1;
        }
    }
    l->Assign(tmp);
}

String BordersText(TCellBorders b) { return IntToStr(int(b.Bits())); }
TCellBorders BordersFromText(const String& s) { return TCellBorders::FromBits(std::uint32_t(StrToIntDef(s, 0))); }

constexpr const char* kStreamTag = "TExtColumnGrid columns 1";

}  // namespace

// ---------------------------------------------------------------- column settings streams

TExtColumnGridIO::TExtColumnGridIO(TExtColumnGrid* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(AOwner))
{
    // The items belong to no grid column: the grid must not react to them.
    FItems->FNoRecursiveUpdate = true;
}

TExtColumnGridIO::~TExtColumnGridIO() = default;

void TExtColumnGridIO::SetItems(const TGridColumnCollection* Value)
{
    if (!Value || Value == FItems.get()) return;
    FItems->Assign(Value);
    // A settings stream keeps what the item copy leaves out as well.
    for (int i = 0; i < FItems->Count() && i < Value->Count(); ++i) {
        TGridColumnItem* d = FItems->FItems[size_t(i)];
        const TGridColumnItem* s = Value->FItems[size_t(i)];
        d->FColumnPopupType = s->FColumnPopupType;
        d->FPrintBorderCustom = s->FPrintBorderCustom;
        d->FPrintFontCustom = s->FPrintFontCustom;
        d->FWidth = s->FWidth;
    }
}

void TExtColumnGrid::SaveColumnsToStream(std::ostream& st) const
{
    TExtColumnGridIO io(const_cast<TExtColumnGrid*>(this));
    io.SetItems(FColumnCollection);
    io.WriteToStream(st);
}

void TExtColumnGridIO::WriteToStream(std::ostream& st) const
{
    st << kStreamTag << "\n" << FItems->Count() << "\n";
    for (const TGridColumnItem* it : FItems->FItems) {
        const auto w = [&](const char* name, const String& v) { st << name << "=" << Escape(v) << "\n"; };
        st << "item\n";
        w("Alignment", IntToStr(int(it->FAlignment)));
        w("AutoMaxSize", IntToStr(it->FAutoMaxSize));
        w("AutoMinSize", IntToStr(it->FAutoMinSize));
        w("Borders", BordersText(it->FBorders));
        w("BorderPen", PenText(it->FBorderPen.get()));
        w("CheckFalse", it->FCheckFalse);
        w("CheckTrue", it->FCheckTrue);
        w("Color", IntToStr(it->FColor));
        w("ColumnPopupType", IntToStr(int(it->FColumnPopupType)));
        w("ComboItems", ListText(it->FComboItems.get()));
        w("DropDownCount", IntToStr(it->FDropDownCount));
        w("EditLength", IntToStr(it->FEditLength));
        w("EditMask", it->FEditMask);
        w("Editor", IntToStr(int(it->FEditorType)));
        w("Filter", ListText(it->FFilter.get()));
        w("FilterCaseSensitive", it->FFilterCaseSensitive ? "1" : "0");
        w("Fixed", it->FFixed ? "1" : "0");
        w("FloatFormat", it->FFloatFormat);
        w("Font", FontText(it->FFont.get()));
        w("Header", it->FColumnHeader);
        w("HeaderAlignment", IntToStr(int(it->FHeaderAlignment)));
        w("HeaderFont", FontText(it->FHeaderFont.get()));
        w("MaxSize", IntToStr(it->FMaxSize));
        w("MinSize", IntToStr(it->FMinSize));
        w("Name", it->FName);
        w("Password", it->FPassword ? "1" : "0");
        w("PrintBorderCustom", it->FPrintBorderCustom ? "1" : "0");
        w("PrintBorders", BordersText(it->FPrintBorders));
        w("PrintBorderPen", PenText(it->FPrintBorderPen.get()));
        w("PrintColor", IntToStr(it->FPrintColor));
        w("PrintFont", FontText(it->FPrintFont.get()));
        w("PrintFontCustom", it->FPrintFontCustom ? "1" : "0");
        w("ReadOnly", it->FReadOnly ? "1" : "0");
        w("ShowBands", it->FShowBands ? "1" : "0");
        w("SortStyle", IntToStr(int(it->FSortStyle)));
        w("SortPrefix", it->FSortPrefix);
        w("SortSuffix", it->FSortSuffix);
        w("SpinMax", IntToStr(it->FSpinMax));
        w("SpinMin", IntToStr(it->FSpinMin));
        w("SpinStep", IntToStr(it->FSpinStep));
        w("Tag", IntToStr(int(it->FTag)));
        w("Width", IntToStr(it->FWidth));
    }
}

void TExtColumnGridIO::ReadFromStream(std::istream& st)
{
    // Read into items of our own first, so a broken stream leaves Items as they were.
    TGridColumnCollection loaded(nullptr);
    String line;
    std::getline(st, line);
    if (line != kStreamTag) throw EConvertError("Not a column settings stream");
    std::getline(st, line);
    TGridColumnItem* it = nullptr;
    while (std::getline(st, line)) {
        if (line == "item") {
            it = new TGridColumnItem(nullptr);
            it->FCollection = &loaded;
            loaded.FItems.push_back(it);
            continue;
        }
        const size_t eq = line.find('=');
        if (!it || eq == String::npos) continue;
        const String k = line.substr(0, eq);
        const String v = Unescape(line.substr(eq + 1));
        const auto b = [&] { return v == "1"; };
        const auto n = [&] { return StrToIntDef(v, 0); };
        if (k == "Alignment") it->FAlignment = TAlignment(n());
        else if (k == "AutoMaxSize") it->FAutoMaxSize = n();
        else if (k == "AutoMinSize") it->FAutoMinSize = n();
        else if (k == "Borders") it->FBorders = BordersFromText(v);
        else if (k == "BorderPen") PenFromText(it->FBorderPen.get(), v);
        else if (k == "CheckFalse") it->FCheckFalse = v;
        else if (k == "CheckTrue") it->FCheckTrue = v;
        else if (k == "Color") it->FColor = n();
        else if (k == "ColumnPopupType") it->FColumnPopupType = TColumnPopupType(n());
        else if (k == "ComboItems") ListFromText(it->FComboItems.get(), v);
        else if (k == "DropDownCount") it->FDropDownCount = n();
        else if (k == "EditLength") it->FEditLength = n();
        else if (k == "EditMask") it->FEditMask = v;
        else if (k == "Editor") it->FEditorType = TEditorType(n());
        else if (k == "Filter") ListFromText(it->FFilter.get(), v);
        else if (k == "FilterCaseSensitive") it->FFilterCaseSensitive = b();
        else if (k == "Fixed") it->FFixed = b();
        else if (k == "FloatFormat") it->FFloatFormat = v;
        else if (k == "Font") FontFromText(it->FFont.get(), v);
        else if (k == "Header") it->FColumnHeader = v;
        else if (k == "HeaderAlignment") it->FHeaderAlignment = TAlignment(n());
        else if (k == "HeaderFont") FontFromText(it->FHeaderFont.get(), v);
        else if (k == "MaxSize") it->FMaxSize = n();
        else if (k == "MinSize") it->FMinSize = n();
        else if (k == "Name") it->FName = v;
        else if (k == "Password") it->FPassword = b();
        else if (k == "PrintBorderCustom") it->FPrintBorderCustom = b();
        else if (k == "PrintBorders") it->FPrintBorders = BordersFromText(v);
        else if (k == "PrintBorderPen") PenFromText(it->FPrintBorderPen.get(), v);
        else if (k == "PrintColor") it->FPrintColor = n();
        else if (k == "PrintFont") FontFromText(it->FPrintFont.get(), v);
        else if (k == "PrintFontCustom") it->FPrintFontCustom = b();
        else if (k == "ReadOnly") it->FReadOnly = b();
        else if (k == "ShowBands") it->FShowBands = b();
        else if (k == "SortStyle") it->FSortStyle = TSortStyle(n());
        else if (k == "SortPrefix") it->FSortPrefix = v;
        else if (k == "SortSuffix") it->FSortSuffix = v;
        else if (k == "SpinMax") it->FSpinMax = n();
        else if (k == "SpinMin") it->FSpinMin = n();
        else if (k == "SpinStep") it->FSpinStep = n();
        else if (k == "Tag") it->FTag = n();
        else if (k == "Width") it->FWidth = n();
    }
    SetItems(&loaded);
}

void TExtColumnGrid::LoadColumnsFromStream(std::istream& st)
{
    TExtColumnGridIO io(this);
    io.ReadFromStream(st);
    TGridColumnCollection& c = *FColumnCollection;
    const bool old = c.FNoRecursiveUpdate;
    c.FNoRecursiveUpdate = true;
    c.BeginUpdate();
    while (!c.FItems.empty()) delete c.FItems.back();
    for (TGridColumnItem* src : io.Items()->FItems) {
        auto* item = new TGridColumnItem(&c);
        item->Assign(src);
        // Not copied by Assign, but part of the saved settings.
        item->FColumnPopupType = src->FColumnPopupType;
        item->FPrintBorderCustom = src->FPrintBorderCustom;
        item->FPrintFontCustom = src->FPrintFontCustom;
        item->FWidth = src->FWidth;
    }
    c.EndUpdate();
    c.FNoRecursiveUpdate = old;
    Invalidate();
}
