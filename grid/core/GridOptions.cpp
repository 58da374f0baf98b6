// Search footer, navigation, mouse, synchronising, band and focus settings.
#include "grid/core/GridOptions.h"

#include "grid/core/ExtGrid.h"

// ---------------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter(bool PlacedInDesigner)
{
    if (PlacedInDesigner) {
        FFindPrevCaption = "Find &previous";
        FFindNextCaption = "Find &next";
        FMatchCaseCaption = "Match case";
        FHighLightCaption = "Highlight";
        FHintClose = "Close";
        FHintFindNext = "Find next occurrence";
        FHintFindPrev = "Find previous occurrence";
        FHintHighlight = "Highlight occurrences";
    }
}

void TSearchFooter::Changed()
{
    if (OnChange) OnChange(this);
}

void TSearchFooter::SetColor(TColor v)
{
    FColor = v;
    Changed();
}

void TSearchFooter::SetColorTo(TColor v)
{
    FColorTo = v;
    Changed();
}

#define CONF_TEXT_SETTER(Name)                            \
    void TSearchFooter::Set##Name(const String& v)        \
    {                                                     \
        F##Name = v;                                      \
        Changed();                                        \
    }
CONF_TEXT_SETTER(FindNextCaption)
CONF_TEXT_SETTER(FindPrevCaption)
CONF_TEXT_SETTER(HighLightCaption)
CONF_TEXT_SETTER(HintClose)
CONF_TEXT_SETTER(HintFindNext)
CONF_TEXT_SETTER(HintFindPrev)
CONF_TEXT_SETTER(HintHighlight)
CONF_TEXT_SETTER(MatchCaseCaption)
#undef CONF_TEXT_SETTER

void TSearchFooter::SetFont(const TFont* v)
{
    FFont.Assign(*v);
    Changed();
}

void TSearchFooter::SetShowClose(bool v)
{
    FShowClose = v;
    Changed();
}

#define CONF_CHANGED_SETTER(Name)               \
    void TSearchFooter::Set##Name(bool v)       \
    {                                           \
        if (F##Name == v) return;               \
        F##Name = v;                            \
        Changed();                              \
    }
CONF_CHANGED_SETTER(ShowFindNext)
CONF_CHANGED_SETTER(ShowFindPrev)
CONF_CHANGED_SETTER(ShowHighLight)
CONF_CHANGED_SETTER(ShowMatchCase)
CONF_CHANGED_SETTER(Visible)
#undef CONF_CHANGED_SETTER

void TSearchFooter::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    Changed();
}

void TSearchFooter::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TSearchFooter*>(Source);
    if (!s) return;
    AlwaysHighLight = s->AlwaysHighLight;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FFindNextCaption = s->FFindNextCaption;
    FFindPrevCaption = s->FFindPrevCaption;
    FFont.Assign(s->FFont);
    FHighLightCaption = s->FHighLightCaption;
    FHintClose = s->FHintClose;
    FHintFindNext = s->FHintFindNext;
    FHintFindPrev = s->FHintFindPrev;
    FHintHighlight = s->FHintHighlight;
    FMatchCaseCaption = s->FMatchCaseCaption;
    SearchActiveColumnOnly = s->SearchActiveColumnOnly;
    SearchColumn = s->SearchColumn;
    SearchMatchStart = s->SearchMatchStart;
    SearchHiddenRows = s->SearchHiddenRows;
    SearchDirection = s->SearchDirection;
    FShowClose = s->FShowClose;
    FShowFindNext = s->FShowFindNext;
    FShowFindPrev = s->FShowFindPrev;
    FShowHighLight = s->FShowHighLight;
    FShowMatchCase = s->FShowMatchCase;
    FVisible = s->FVisible;
}

// ---------------------------------------------------------------- TNavigation

void TNavigation::SetAdvanceAuto(bool v)
{
    if (v == FAdvanceAuto) return;
    FAdvanceAuto = v;
    if (v) AdvanceOnEnter = true;
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection v)
{
    if (v == FAdvanceDirection) return;
    FAdvanceDirection = v;
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool v)
{
    if (v == FAdvanceInsert) return;
    FAdvanceInsert = v;
    if (OnChange) OnChange(this);
}

void TNavigation::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TNavigation*>(Source);
    if (!s) return;
    const bool keepScroll = KeepScrollOnSort;
    TNotifyEvent change = OnChange;
    *this = *s;
    KeepScrollOnSort = keepScroll;
    OnChange = change;
}

// ---------------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions() = default;

bool TMouseActions::Designing()
{
    bool d = false;
    if (OnIsDesigning) OnIsDesigning(this, d);
    return d;
}

void TMouseActions::SetDisjunctRowSelect(bool v)
{
    FDisjunctRowSelect = v;
    if (v && Designing()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool v)
{
    FDisjunctColSelect = v;
    if (v && Designing()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool v)
{
    FDisjunctCellSelect = v;
    if (v && Designing()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetEditOnDblClickOnly(bool v)
{
    FEditOnDblClickOnly = v;
    if (v && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetHotmailRowSelect(bool v)
{
    FHotmailRowSelect = v;
    if (v) {
        FDisjunctRowSelect = true;
        CheckAllCheck = true;
    }
    if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetWheelAction(TWheelAction v)
{
    if (v == FWheelAction) return;
    FWheelAction = v;
    if (OnChange) OnChange(this, 0);
}

void TMouseActions::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TMouseActions*>(Source);
    if (!s) return;
    AllColumnSize = s->AllColumnSize;
    AllRowSize = s->AllRowSize;
    AllSelect = s->AllSelect;
    AutoSizeColOnDblClick = s->AutoSizeColOnDblClick;
    CaretPositioning = s->CaretPositioning;
    CheckAllCheck = s->CheckAllCheck;
    ColSelect = s->ColSelect;
    DirectComboClose = s->DirectComboClose;
    DirectComboDrop = s->DirectComboDrop;
    DirectDateClose = s->DirectDateClose;
    DirectDateDrop = s->DirectDateDrop;
    DirectEdit = s->DirectEdit;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    DisjunctRowSelectNoCtrl = s->DisjunctRowSelectNoCtrl;
    FDisjunctColSelect = s->FDisjunctColSelect;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    MoveRowOnNodeClick = s->MoveRowOnNodeClick;
    NoAutoRangeScroll = s->NoAutoRangeScroll;
    NodeAllExpandContract = s->NodeAllExpandContract;
    NoScrollOnPartialRow = s->NoScrollOnPartialRow;
    PreciseCheckBoxCheck = s->PreciseCheckBoxCheck;
    PreciseNodeClick = s->PreciseNodeClick;
    RangeSelectAndEdit = s->RangeSelectAndEdit;
    RowSelect = s->RowSelect;
    RowSelectPersistent = s->RowSelectPersistent;
    SelectOnRightClick = s->SelectOnRightClick;
    SizeFixedCol = s->SizeFixedCol;
    FixedRowsEdit = s->FixedRowsEdit;
    FixedColsEdit = s->FixedColsEdit;
    FixedRowsEditor = s->FixedRowsEditor;
    FixedColsEditor = s->FixedColsEditor;
    WheelIncrement = s->WheelIncrement;
    FWheelAction = s->FWheelAction;
}

// ---------------------------------------------------------------- TSyncGrid

void TSyncGrid::SetGrid(TExtStringGrid* v)
{
    if (v == FOwner) return;
    FGrid = v;
}

void TSyncGrid::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TSyncGrid*>(Source);
    if (!s) return;
    SetGrid(s->FGrid);
    ScrollVertical = s->ScrollVertical;
    ScrollHorizontal = s->ScrollHorizontal;
    SelectionColumn = s->SelectionColumn;
    SelectionRow = s->SelectionRow;
    MoveColumn = s->MoveColumn;
    MoveRow = s->MoveRow;
}

// ---------------------------------------------------------------- TBands

void TBands::ChangedWhileActive()
{
    if (FActive && OnChange) OnChange(this);
}

void TBands::SetActive(bool v)
{
    if (v == FActive) return;
    FActive = v;
    if (OnChange) OnChange(this);
}

#define CONF_BAND_SETTER(Name, Type)          \
    void TBands::Set##Name(Type v)            \
    {                                         \
        if (v == F##Name) return;             \
        F##Name = v;                          \
        ChangedWhileActive();                 \
    }
CONF_BAND_SETTER(PrimaryColor, TColor)
CONF_BAND_SETTER(SecondaryColor, TColor)
CONF_BAND_SETTER(PrimaryLength, int)
CONF_BAND_SETTER(SecondaryLength, int)
#undef CONF_BAND_SETTER

void TBands::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TBands*>(Source);
    if (!s) return;
    FActive = s->FActive;
    FPrimaryColor = s->FPrimaryColor;
    FSecondaryColor = s->FSecondaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryLength = s->FSecondaryLength;
    Print = s->Print;
}

// ---------------------------------------------------------------- TFocusHelper

void TFocusHelper::Assign(const TObject* Source)
{
    if (auto* s = dynamic_cast<const TFocusHelper*>(Source)) Enabled = s->Enabled;
}
