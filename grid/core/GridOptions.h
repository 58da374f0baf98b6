#pragma once
// Settings objects of the grid for the search footer, keyboard navigation, mouse
// behaviour, a synchronised grid, alternating row bands and the focus window. Each
// tells the grid of a change through OnChange (when set).
#include <functional>

#include "grid/base/GridTypes.h"
#include "platform/gui/Graphics.h"
#include "platform/rtl/Classes.h"

class TExtStringGrid;

enum TSearchDirection { sdTopBottom, sdLeftRight };

class TSearchFooter : public TObject {
public:
    // PlacedInDesigner: the grid is being put on a form in the designer; the captions
    // and hints then start with their English texts, otherwise empty.
    explicit TSearchFooter(bool PlacedInDesigner = false);
    // From another TSearchFooter: every setting but AutoSearch and SearchFixedCells,
    // without notifying.
    void Assign(const TObject* Source);

    bool AlwaysHighLight = false;
    bool AutoSearch = true;
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    const String& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const String& v);
    const String& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const String& v);
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* v);
    const String& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const String& v);
    const String& HintClose() const { return FHintClose; }
    void SetHintClose(const String& v);
    const String& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const String& v);
    const String& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const String& v);
    const String& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const String& v);
    const String& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const String& v);
    bool SearchActiveColumnOnly = false;
    int SearchColumn = -1;
    bool SearchMatchStart = false;
    bool SearchFixedCells = false;
    bool SearchHiddenRows = false;
    TSearchDirection SearchDirection = sdTopBottom;
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool v);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool v);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool v);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool v);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool v);
    String LastSearch;

    TNotifyEvent OnChange;   // set by the grid

private:
    void Changed();
    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    String FFindNextCaption, FFindPrevCaption, FHighLightCaption, FHintClose, FHintFindNext, FHintFindPrev,
        FHintHighlight, FMatchCaseCaption;
    TFont FFont;
    bool FShowClose = true;
    bool FShowFindNext = true, FShowFindPrev = true, FShowHighLight = true, FShowMatchCase = true;
    bool FVisible = false;
    bool FAutoThemeAdapt = false;
};

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

// Keyboard navigation and clipboard options.
class TNavigation : public TObject {
public:
    // From another TNavigation: every setting but KeepScrollOnSort, without notifying.
    void Assign(const TObject* Source);

    bool AdvanceOnEnterLoop = true, AdvanceAutoEdit = true, AdvanceSkipReadOnlyCells = true, AllowCtrlEnter = true,
         AllowClipboardRowGrow = true, AllowClipboardColGrow = true, EditSelectAll = true, ComboGetUpDown = true,
         CursorWalkAlwaysEdit = true, LeftRightRowSelect = true, CopyHTMLTagsToClipboard = true,
         SkipFixedCells = true, SkipDisabledRows = true;
    bool AllowInsertRow = false, AllowDeleteRow = false, AlwaysEdit = false, AdvanceOnEnter = false,
         AutoGotoWhenSorted = false, AutoGotoIncremental = false, AutoComboDropSize = false,
         AllowClipboardShortCuts = false, AllowSmartClipboard = false, AllowRTFClipboard = false,
         AllowFmtClipboard = false, AllowClipboardAlways = false, AppendOnArrowDown = false,
         CursorWalkEditor = false, CursorMoveRows = false, MoveRowOnSort = false, KeepScrollOnSort = false,
         MoveScrollOnly = false, ImproveMaskSel = false, KeepHorizScroll = false, LineFeedOnEnter = false,
         TabToNextAtEnd = false;
    bool AdvanceAuto() const { return FAdvanceAuto; }
    // On a change; switching it on also switches AdvanceOnEnter on.
    void SetAdvanceAuto(bool v);
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection v);
    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool v);
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    TCursorAdvance CursorAdvance = caDefault;
    THomeEndAction HomeEndKey = heFirstLastColumn;

    TNotifyEvent OnChange;   // set by the grid

private:
    bool FAdvanceAuto = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
};

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

// Mouse behaviour.
class TMouseActions : public TObject {
public:
    TMouseActions();
    // From another TMouseActions: every setting but SizeFixedRow, HotmailRowSelect,
    // EditOnDblClickOnly and FixedComboValues, without notifying.
    void Assign(const TObject* Source);

    bool AllColumnSize = false, AllRowSize = false, AllSelect = false, AutoSizeColOnDblClick = true,
         CaretPositioning = false, CheckAllCheck = false, ColSelect = false, DirectComboClose = false,
         DirectComboDrop = false, DirectDateClose = false, DirectDateDrop = false, DirectEdit = false,
         DisjunctRowSelectNoCtrl = false, MoveRowOnNodeClick = false, NoAutoRangeScroll = false,
         NodeAllExpandContract = false, NoScrollOnPartialRow = false, PreciseCheckBoxCheck = false,
         PreciseNodeClick = true, RangeSelectAndEdit = false, RowSelect = false, RowSelectPersistent = false,
         SelectOnRightClick = false, SizeFixedCol = false, SizeFixedRow = false;
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool v);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool v);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool v);
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool v);
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    // Switching it on also switches DisjunctRowSelect and CheckAllCheck on.
    void SetHotmailRowSelect(bool v);
    TGridFixedCellEdit FixedRowsEdit = fceNone, FixedColsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit, FixedColsEditor = fceEdit;
    TStringList* FixedComboValues() { return &FFixedComboValues; }
    void SetFixedComboValues(const TStringList* v) { FFixedComboValues.Assign(*v); }
    int WheelIncrement = 0;
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction v);

    // Set by the grid.
    std::function<void(TObject* Sender, int Value)> OnChange;
    TNotifyEvent OnInvalidate;
    std::function<void(TObject* Sender, bool& IsDesigning)> OnIsDesigning;
    TNotifyEvent OnDisableEdit;

private:
    bool Designing();
    bool FDisjunctRowSelect = false, FDisjunctColSelect = false, FDisjunctCellSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FHotmailRowSelect = false;
    TStringList FFixedComboValues;
    TWheelAction FWheelAction = waMoveSelection;
};

// A second grid that follows this one.
class TSyncGrid : public TObject {
public:
    explicit TSyncGrid(TExtStringGrid* AOwner) : FOwner(AOwner) {}
    void Assign(const TObject* Source);
    TExtStringGrid* Owner() const { return FOwner; }
    TExtStringGrid* Grid() const { return FGrid; }
    // The owning grid itself is ignored.
    void SetGrid(TExtStringGrid* v);
    bool ScrollVertical = false, ScrollHorizontal = false, SelectionColumn = false, SelectionRow = false,
         MoveColumn = false, MoveRow = false;

private:
    TExtStringGrid* FOwner;
    TExtStringGrid* FGrid = nullptr;
};

// Alternating row colours: PrimaryLength rows in one colour, SecondaryLength in the other.
class TBands : public TObject {
public:
    void Assign(const TObject* Source);
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    // Rows of one full band cycle.
    int Cycle() const { return FPrimaryLength + FSecondaryLength; }
    bool Print = false;
    TNotifyEvent OnChange;

private:
    void ChangedWhileActive();
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    TColor FSecondaryColor = clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
};

// Shows the glowing focus window around the edited cell.
class TFocusHelper : public TObject {
public:
    void Assign(const TObject* Source);
    bool Enabled = false;
};
