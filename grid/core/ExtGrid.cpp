// Construction and lifetime of the feature grid: its settings objects and defaults, the
// editors it owns, window creation (grid timer, wheel), loading, destruction in order.
#include "grid/core/ExtGrid.h"
#include "grid/core/ExchangeHooks.h"

#include <algorithm>

#include "grid/html/HTMLPictureCache.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/paint/GridFocusWindow.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"

TCursor GridLinkCursor = crDefault;
TExtStringGrid* TExtStringGrid::FocusWindowGrid = nullptr;
int GridSystemWheelScrollLines = 3;

namespace {
constexpr std::uintptr_t kGridTimerId = 111;
constexpr unsigned kGridTimerMs = 500;
}

// ---------------------------------------------------------------- construction

TExtStringGrid::TExtStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    GridUnitStartup();
    std::fill(std::begin(FVisibleCol), std::end(FVisibleCol), true);

    // Sub-objects in their creation order.
    FFooterPanel = new TFooterPanel(this);
    FFooterPanel->SetAlign(alBottom);
    FFooterPanel->SetHeight(0);
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->SetAlign(alBottom);
    FSearchPanel->SetHeight(0);
    FSearchPanel->OnEditChange = [this](TObject*) { SearchFooterEditChange(); };
    FSearchPanel->OnForwardClick = [this](TObject*) { SearchFooterFindNext(); };
    FSearchPanel->OnBackwardClick = [this](TObject*) { SearchFooterFindPrevious(); };
    FSearchPanel->OnHighLightClick = [this](TObject*) { SearchFooterHighlight(); };
    FSearchPanel->OnExitClick = [this](TObject*) { SearchFooterClose(); };
    FCellFont = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>();
    FSearchFooter = std::make_unique<TSearchFooter>(false);
    FSearchFooter->OnChange = [this](TObject*) {
        SearchFooterChange();
    };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->OnChange = [this](TObject* s) { NavigationChanged(s); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject*) { Invalidate(); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>();
    FMouseActions->OnChange = [this](TObject* s, int v) { MouseActionsChanged(s, v); };
    FMouseActions->OnIsDesigning = [](TObject*, bool& d) { d = false; };
    FMouseActions->OnInvalidate = [this](TObject*) { Invalidate(); };
    FMouseActions->OnDisableEdit = [this](TObject*) { FEditDisabled = true; };
    FGrouping = std::make_unique<TGrouping>(this);
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject* s) {
        ColumnHeadersChanged(s);
        ShowColumnHeaders();
    };
    FImageCache = std::make_unique<THTMLPictureCache>();
    FOrigColSizes = std::make_unique<TIntList>(-1, -1);
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName("Tahoma");
    FFixedFont->SetStyle(TFontStyles{fsBold});
    FFixedFont->OnChange = [this](TObject*) { Invalidate(); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(TFontStyles{fsBold});
    FActiveCellFont->OnChange = [this](TObject*) { Invalidate(); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject*) { ShowRowHeaders(); };
    FSortList = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortCross = std::make_unique<TIntList>(0, 0);
    FUnsortCross = std::make_unique<TIntList>(0, 0);
    FMergedColumns = std::make_unique<TIntList>(0, 0);
    FSelectedCells = std::make_unique<TIntList>(0, 0);
    FSelectedRows = std::make_unique<TIntList>(0, 0);
    FModifiedRows = std::make_unique<TIntList>(0, 0);
    FEnabledRows = std::make_unique<TIntList>(0, 0);
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FScrollHintWindow = new THTMLHintWindow(this);
    FControlList = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    // The sizes wait for the lists above: the row count setter and the resize read them.
    SetRowCount(10);
    SetBounds(Left(), Top(), 400, 250);
    FFilter = std::make_unique<TFilter>(this);
    FBalloon = std::make_unique<TBalloonSettings>();
    FBalloon->OnEnableChange = [this](TObject* s) { BalloonEnableChange(s); };
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject*) { RepaintCol(0); };
    FColumnOrder = std::make_unique<TIntList>(0, 0);
    FCellGraphic = std::make_unique<TCellGraphic>();
    FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
    FDropList = new TDropList(this);
    FDropList->SetParent(this);
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->SetParent(this);
    // The filter drop-down's picks and cancels come back to the grid.
    FDropList->OnSelect = [this](TObject*, int ItemIndex) { HandleFilterSelect(ItemIndex); };
    FDropCheckList->OnSelect = [this](TObject*, int) { HandleFilterCheck(); };
    FDropList->OnCancel = FDropCheckList->OnCancel = [this](TObject*) {
        FFilterCol = -1;
        if (CanFocus()) SetFocus();
    };
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetDuplicates(dupIgnore);
    FFilterList->SetSorted(true);

    // Defaults.
    SetScrollBars(ssBoth);
    WYXGradientTo = ColorToRGB(clBtnFace);
    ScrollWidth = TGridScrollBar::Size;
    SetDefaultRowHeight(22);
    SetFixedRowHeight(DefaultRowHeight());

    // A grid on a form follows the form's size when SizeWithForm is on.
    if (auto* form = dynamic_cast<TForm*>(AOwner)) AttachOwnerForm(form);

    // Platform flags.
    FIsWinXP = IsWinXPOrLater();
    FIsWin7 = true;
    FIsVista = IsGetLocaleInfoExAvailable();
    FIsThemed = ((unsigned(FileVersionNumber("COMCTL32.DLL")) >> 16) & 0xFF) > 5;
    FBorderColor = FIsWinXP ? 0xB99D7F : clGray;

    // Children of the run time.
    FFocusWindow = new TGridFocusWindow(this);
    FFocusWindow->SetParent(this);
    for (int d = 0; d < 4; ++d) FArrows[d] = new TArrowWindow(this, TArrowDirection(d));
    // The editors the editor library gives every grid.
    if (const auto& create = GridEditorParts().CreateEditors) create(this);
    FHeaderDragButton = new THeaderDragButton(this);
    FVertScrollBar = new TScrollBar(this);
    FHorzScrollBar = new TScrollBar(this);
    FStyle = tsWindowsXP;

    GridLinkCursor = crHandPoint;
}

// ---------------------------------------------------------------- window creation

void TExtStringGrid::SetParent(TWinControl* p)
{
    TBaseGrid::SetParent(p);
    if (p && !FWndCreated) HandleCreateWnd();
    // Stretching asked for before the grid had a parent takes its width now.
    if (p && FColumnSize && FColumnSize->Stretch() && FColumnSize->StretchColumn < ColCount())
        ApplyColumnStretch(FColumnSize->StretchColumn);
}

void TExtStringGrid::HandleCreateWnd()
{
    if (FGridDestroying || !Parent()) return;
    FWndCreated = true;
    if (FScrollType == ssMetro) CreateScrollControls();
    if (FBalloon->Enable()) BalloonInit();
    for (TScrollBar* bar : {FVertScrollBar, FHorzScrollBar}) {
        bar->SetParent(this);
        bar->SetVisible(false);
        bar->SetTabStop(false);
        bar->SetKind(sbVertical);
    }
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible);
    // The same height the footer's Visible gives it, so a footer shown before the grid
    // was placed is not left 0 high.
    FFooterPanel->SetHeight(FFloatingFooter->Visible ? FloatingFooterStripHeight() : 0);
    if (OnCreatedFloatingFooter) OnCreatedFloatingFooter(this);
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);
    FGridTimerID = SetTimer(Handle(), kGridTimerId, kGridTimerMs) ? kGridTimerId : 0;
    FIsWinXP = FIsWinXP && ThemedDrawingActive();
    FWheelPan = false;
    FWheelMsg = WM_MOUSEWHEEL;
    FWheelScrollLines = GridSystemWheelScrollLines == -1 ? VisibleRowCount() : GridSystemWheelScrollLines;
}

// WndProc and HandleWMTimer: ExtGrid_Messages.cpp.

// ---------------------------------------------------------------- loading

void TExtStringGrid::Loaded()
{
    FOldCursor = Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    if (FLook == glWYX) {
        SetLook(glCustom);
        SetLook(glWYX);
    }
    FMinFixedRows = FixedRows();
    FMinFixedCols = FixedCols();
    MinRowHeight = DefaultRowHeight();
    MinColWidth = 10;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (Options().Contains(goAlwaysShowEditor)) {
        FNavigation->AlwaysEdit = true;
        SetOptions(Options() >> goAlwaysShowEditor);
    }
    if (!FIsWinXP && FControlLook->ControlStyle == csTheme) FControlLook->ControlStyle = csClassic;
    FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt);
    if (FBalloon->Enable()) BalloonInit();
    SearchFooterChange();
    ApplyScrollBarAlways(false);
    // The office scheme now and its later changes reach a grid that follows it.
    if (AutoThemeAdapt) {
        ThemeAdapt();
        GetThemeNotifier(this)->RegisterWindow(Handle());
    }
    InitOrigColSizes();
    SetColumnOrder();
    if (IsStyled()) ApplyVCLStyleColors();
    if (FColumnSize->Save && GridExchangeHooks().LoadColumnLayout) GridExchangeHooks().LoadColumnLayout(*this);
}

// ShowColumnHeaders and ShowRowHeaders: ExtGrid_Dimensions.cpp.

void TExtStringGrid::InitOrigColSizes()
{
    FOldSize = Width();
    FOrigColSizes->Clear();
    for (int c = 0; c < ColCount(); ++c) FOrigColSizes->Add(ColWidths(c));
}

void TExtStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c) FColumnOrder->Add(c);
}

void TExtStringGrid::HandleFormResize(TObject* Sender)
{
    if (FGridDestroying || !FOwnerForm) return;
    bool follow = true;
    if (SizeWithForm) {
        const int w = Width() + FOwnerForm->Width() - FOldFormWidth;
        const int h = Height() + FOwnerForm->Height() - FOldFormHeight;
        // A size that would leave nothing of the grid is ignored, and so is the form's
        // size then: the grid goes on from the last size it followed, or it would jump
        // by what it never shrank when the form grows again.
        follow = w > 0 && h > 0;
        if (follow) SetBounds(Left(), Top(), w, h);
    }
    if (follow) {
        FOldFormWidth = FOwnerForm->Width();
        FOldFormHeight = FOwnerForm->Height();
    }
    if (FHasOldFormResize && FOldFormResize) FOldFormResize(Sender);
}

// ---------------------------------------------------------------- destruction

void TExtStringGrid::FreeScrollControls()
{
    delete FVScrollCtrl;
    FVScrollCtrl = nullptr;
    delete FHScrollCtrl;
    FHScrollCtrl = nullptr;
}

TExtStringGrid::~TExtStringGrid()
{
    // The column layout is kept while the grid still has all its columns; a store that
    // cannot be written must not stop the grid from going.
    if (FColumnSize && FColumnSize->Save && GridExchangeHooks().SaveColumnLayout) {
        try {
            GridExchangeHooks().SaveColumnLayout(*this);
        } catch (const std::exception&) {
        }
    }
    // The linked undo history goes first, while the records it holds can still be freed here.
    if (FUndoRedo && FUndoRedo->Grid() == this) FUndoRedo->SetGrid(nullptr);
    BalloonDone();
    THTMLHintWindow::GridGone(this);
    FreeScrollControls();
    DetachOwnerForm();
    if (FGridTimerID) KillTimer(Handle(), FGridTimerID);
    if (FocusWindowGrid == this) FocusWindowGrid = nullptr;

    // The grouped column's records kept aside while grouped.
    FreeGroupColumnRecords();
    ClearTextOnly = false;
    SaveHiddenCells = false;
    int R = RowCount(), C = ColCount();
    UnHideColumnsAll();
    C = ColCount();
    if (FGridItems.empty() && FNumNodes == 0) {
        R = std::max(R, FMaxRowCount);
        C = std::max(C, FMaxColCount);
    }
    FGridDestroying = true;
    if (R > 0 && C > 0 && FHasCellProps) ClearRect(0, 0, std::max(C, FMaxStoredCols) - 1, R - 1);
    // Rows still hidden hold their records in the store.
    for (auto& item : FGridItems)
        for (int i = 0; i < item->Items.Count(); ++i)
            DeleteCellProperties(static_cast<TCellProperties*>(item->Items.Objects(i)));
    FGridItems.clear();

    FCellFont.reset();
    FFocusHelper.reset();
    FIgnoreColumns.reset();
    FProgressAppearance.reset();
    FFloatingFooter.reset();
    FCellGraphic.reset();
    FControlList.reset();
    FSortCross.reset();
    FUnsortCross.reset();
    FMergedColumns.reset();
    FSelectedCells.reset();
    FSelectedRows.reset();
    FModifiedRows.reset();
    FEnabledRows.reset();
    FNotifierList.clear();
    FPrintSettings.reset();
    FHTMLSettings.reset();
    FSortSettings.reset();
    FDragDropSettings.reset();
    FDragScrollOptions.reset();
    FControlLook.reset();
    FNavigation.reset();
    FColumnSize.reset();
    FColumnOrder.reset();
    FCellNode.reset();
    FBands.reset();
    FSizeWhileTyping.reset();
    FImageCache.reset();
    FMouseActions.reset();
    FColumnHeaders.reset();
    FGrouping.reset();
    FFixedFont.reset();
    FActiveCellFont.reset();
    FRowHeaders.reset();
    FLookupItems.reset();
    FRowSelect.clear();
    FColSelect.clear();
    FSortIndexes.reset();
    FRowIndicator.reset();
    FBackGround.reset();
    delete FFooterPanel;
    FFooterPanel = nullptr;
    delete FSearchPanel;
    FSearchPanel = nullptr;
    FSearchFooter.reset();
    FBalloon.reset();
    FShowModified.reset();
    FOrigColSizes.reset();
    FFilterDropDown.reset();
    delete FDropList;
    FDropList = nullptr;
    delete FDropCheckList;
    FDropCheckList = nullptr;
    FFilterList.reset();
    FSyncGrid.reset();
    for (TArrowWindow*& a : FArrows) {
        delete a;
        a = nullptr;
    }
    FSortList.reset();
    FFilter.reset();

    SetCursor(FOldCursor);

    delete FFocusWindow;
    FFocusWindow = nullptr;
    FCombo = nullptr;
    // A control editor losing the focus as it goes must not write into a dying grid.
    FCtrlEditing = false;
    // The fixed-cell editor is one of the slots freed here.
    FFixedEditor = nullptr;
    for (TControl*& e : FEditorSlots) {
        TControl* x = e;
        e = nullptr;
        delete x;
    }
    delete FHeaderDragButton;
    delete FVertScrollBar;
    delete FHorzScrollBar;
    delete FScrollHintWindow;
}

void TExtStringGrid::ReleaseGraphicObject(TObject* AObject)
{
    // The shared check-box object belongs to the grid, not to a cell.
    if (AObject == FCellGraphic.get()) return;
    delete AObject;
}

void TExtStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int c = std::max(0, ACol1); c <= ACol2; ++c)
        for (int r = std::max(0, ARow1); r <= ARow2; ++r) {
            if (!ClearTextOnly) FreeCellPropsAt(c, r);
            if (!FGridDestroying && r < RowCount() && (c < ColCount() || FKeepColumnCells)) SetCells(c, r, "");
        }
}

// ---------------------------------------------------------------- unit-level routines

int FileVersionNumber(const String& FileName)
{
    // The name travels in a buffer of 256 characters.
    const String name = FileName.substr(0, 255);
    if (SameText(name, "comctl32.dll")) return 0x00060000;
    return -1;
}

LRESULT GridCallWndProcHook(int code, WPARAM wParam, LPARAM lParam)
{
    constexpr unsigned kWindowPosChanging = 0x46, kWindowPosChanged = 0x47;
    if (auto* msg = reinterpret_cast<const TMessage*>(lParam)) {
        if ((msg->Msg == kWindowPosChanging || msg->Msg == kWindowPosChanged) && TExtStringGrid::FocusWindowGrid)
            TExtStringGrid::FocusWindowGrid->MoveFocusWindow();
    }
    return 0;
}
