// Construction and lifetime of the feature grid, its settings objects, copying and
// sizing, per-cell answers, look presets, the owner-drawn check box and the focus mask.
#include <vector>

#include "grid/cells/ExtCheckBox.h"
#include "grid/paint/GridFocusWindow.h"
#include "grid/util/GridSupport.h"
#include "gridedit/GridEditors.h"
#include "tests/common/extgrid_fixture.h"

namespace {
class TCountedBitmap : public TBitmap {
public:
    explicit TCountedBitmap(int& freed) : FFreed(freed) {}
    ~TCountedBitmap() override { ++FFreed; }
private:
    int& FFreed;
};

void AddOwnedBitmap(TExtStringGrid* g, int c, int r, int& freed)
{
    TCellGraphic* cg = g->CreateCellGraphic(c, r);
    cg->SetBitmap(new TCountedBitmap(freed), false, haLeft, vaTop);
    cg->CellCreated = true;
}
}

// ---------------------------------------------------------------- construction and lifetime

TEST(ExtGridLifeTest, ANewGridOnAFormHasItsDefaults)
{
    TForm form(nullptr);
    auto* g = new TExtStringGrid(&form);
    g->SetParent(&form);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_EQ(g->RowHeights(0), 22);
    EXPECT_EQ(g->Width(), 400);
    EXPECT_EQ(g->Height(), 250);
    EXPECT_EQ(g->CheckTrue, "Y");
    EXPECT_EQ(g->CheckFalse, "N");
    EXPECT_EQ(g->FloatFormat, "%.2f");
    EXPECT_EQ(g->FilterDropDownClear, "(All)");
    EXPECT_EQ(g->SelectionColor, TColor(0xEACAB6));
    EXPECT_EQ(g->Look(), glXP);
    EXPECT_EQ(g->BorderColor(), TColor(0xB99D7F));
    EXPECT_EQ(g->WYXGradientTo, ColorToRGB(clBtnFace));
    EXPECT_EQ(g->ComponentStyle(), tsWindowsXP);
    EXPECT_EQ(g->CellNode()->NodeIndent(), 12);
    EXPECT_EQ(g->CellNode()->NodeType(), cnXP);
    EXPECT_TRUE(g->CellNode()->ShowTree());
    EXPECT_TRUE(g->CellNode()->ShowTreeFull());
    EXPECT_EQ(g->CellNode()->TreeColor(), clGray);
    EXPECT_TRUE(g->SearchFooter()->FindNextCaption().empty());   // placed at run time
    EXPECT_EQ(g->ColumnSize()->StretchColumn, -1);
    EXPECT_EQ(g->PrintSettings()->DateFormat, "dd/mm/yyyy");
    EXPECT_TRUE(g->HTMLSettings()->ExportImages);
    for (int d = 0; d < 4; ++d) {
        ASSERT_TRUE(g->ArrowWindow(d));
        EXPECT_FALSE(g->ArrowWindow(d)->Visible());
    }
    ASSERT_TRUE(GridButton(g));
    EXPECT_FALSE(GridButton(g)->Visible());
    EXPECT_EQ(GridLinkCursor, crHandPoint);
}

TEST(ExtGridLifeTest, TheGridTimerStartsWhenTheGridGetsAParent)
{
    TForm form(nullptr);
    const int keep = GridSystemWheelScrollLines;
    GridSystemWheelScrollLines = -1;   // one screen per wheel notch
    auto* g = new TExtStringGrid(&form);
    EXPECT_FALSE(g->TimerStarted());
    g->SetParent(&form);
    EXPECT_TRUE(g->TimerStarted());
    EXPECT_EQ(g->WheelMessage(), WM_MOUSEWHEEL);
    EXPECT_EQ(g->WheelScrollLines(), g->VisibleRowCount());
    GridSystemWheelScrollLines = keep;
}

TEST(ExtGridLifeTest, TheFormKeepsItsOwnResizeHandlerWhileAndAfterTheGridLives)
{
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    int calls = 0;
    form.OnResize = [&](TObject*) { ++calls; };
    form.Show();
    auto* g = new TExtStringGrid(&form);
    g->SetParent(&form);
    g->SizeWithForm = true;
    const int w = g->Width();
    form.SetClientWidth(340);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g->Width(), w + 40);
    delete g;
    form.SetClientWidth(300);
    EXPECT_EQ(calls, 2);
}

TEST(ExtGridLifeTest, DestroyingFreesTheObjectsOfHiddenColumnsAndRows)
{
    int freed = 0;
    {
        TForm form(nullptr);
        auto* g = new TExtStringGrid(&form);
        g->SetParent(&form);
        AddOwnedBitmap(g, 1, 1, freed);
        AddOwnedBitmap(g, 3, 2, freed);
        AddOwnedBitmap(g, 2, 6, freed);
        g->HideColumn(3);
        g->HideRow(6);
        g->SetRowCount(4);   // row 6 is hidden: it is in the store, not cut off
    }
    EXPECT_EQ(freed, 3);
}

TEST(ExtGridLifeTest, FileVersionOfFilesWithoutVersionInformation)
{
    EXPECT_EQ(FileVersionNumber("/etc/hostname"), -1);
    EXPECT_EQ(FileVersionNumber("no such file"), -1);
    EXPECT_GT(FileVersionNumber("comctl32.dll"), 0x40045);
}

// ---------------------------------------------------------------- settings objects

TEST(GridSettingsTest, CopiesTakeWhatTheirClassCopies)
{
    THTMLSettings a, b;
    a.BorderSize = 5;
    a.ExportImages = false;
    b.Assign(&a);
    EXPECT_EQ(b.BorderSize, 5);
    EXPECT_TRUE(b.ExportImages);   // not copied

    TPrintSettings p(nullptr), q(nullptr);
    p.Font()->SetName("Courier");
    p.TitleLines()->Add("t");
    p.FixedCellsAlways = true;
    q.Assign(&p);
    p.Font()->SetName("Tahoma");
    EXPECT_EQ(q.Font()->Name(), "Courier");   // a copy, not the same font
    EXPECT_EQ(q.TitleLines()->Count(), 1);
    EXPECT_FALSE(q.FixedCellsAlways);
    EXPECT_THROW(q.Assign(&a), EInvalidCast);

    TBands bands, copy;
    bands.SetPrimaryLength(2);
    bands.SetSecondaryLength(3);
    EXPECT_EQ(bands.Cycle(), 5);
    copy.Assign(&bands);
    EXPECT_EQ(copy.Cycle(), 5);

    TNavigation n, m;
    n.TabAdvanceDirection = adTopBottom;
    n.KeepScrollOnSort = true;
    m.Assign(&n);
    EXPECT_EQ(m.TabAdvanceDirection, adTopBottom);
    EXPECT_FALSE(m.KeepScrollOnSort);
}

TEST(GridSettingsTest, SettersNotifyAsTheirRulesSay)
{
    TSearchFooter f(false);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetShowFindNext(true);   // unchanged: silent
    EXPECT_EQ(changes, 0);
    f.SetColor(f.Color());   // colours notify always
    EXPECT_EQ(changes, 1);
    TSearchFooter designed(true);
    EXPECT_EQ(designed.FindNextCaption(), "Find &next");
    EXPECT_EQ(designed.HintHighlight(), "Highlight occurrences");

    TMouseActions ma;
    ma.SetHotmailRowSelect(true);
    EXPECT_TRUE(ma.DisjunctRowSelect());
    EXPECT_TRUE(ma.CheckAllCheck);
    ma.SetHotmailRowSelect(false);
    EXPECT_TRUE(ma.DisjunctRowSelect());
    ma.SetDisjunctColSelect(true);
    ma.SetDisjunctCellSelect(true);
    EXPECT_TRUE(ma.DisjunctRowSelect() && ma.DisjunctColSelect());   // combined at run time
    ma.OnIsDesigning = [](TObject*, bool& d) { d = true; };
    ma.SetDisjunctRowSelect(true);
    EXPECT_FALSE(ma.DisjunctColSelect() || ma.DisjunctCellSelect());

    TBands b;
    int repaints = 0;
    b.OnChange = [&](TObject*) { ++repaints; };
    b.SetPrimaryColor(clRed);   // inactive: stored silently
    EXPECT_EQ(repaints, 0);
    b.SetActive(true);
    b.SetPrimaryColor(clBlue);
    EXPECT_EQ(repaints, 2);
}

TEST_F(ExtGridTest, TheGridItselfIsNoSynchronisedGridAndStretchingWaitsForAParent)
{
    Grid->SyncGrid()->SetGrid(Grid);
    EXPECT_EQ(Grid->SyncGrid()->Grid(), nullptr);
    TExtStringGrid loose(nullptr);
    loose.ColumnSize()->SetStretch(true);
    EXPECT_EQ(loose.ColWidths(4), loose.DefaultColWidth());
    Grid->ColumnSize()->SetStretch(true);
    EXPECT_GT(Grid->ColWidths(4), Grid->DefaultColWidth() * 2);
}

namespace {
// A grid that counts its repaint requests.
class TRepaintCountingGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    int Repaints = 0;
    void Invalidate() override
    {
        ++Repaints;
        TExtStringGrid::Invalidate();
    }
};
}

TEST_F(ExtGridTest, NodeSettingsRepaintOnlyWhenTheirValueChanges)
{
    auto* g = new TRepaintCountingGrid(Form);
    g->SetParent(Form);
    TCellNode* n = g->CellNode();
    struct Case {
        const char* What;
        std::function<void()> Same, Changed;
    } cases[] = {
        {"indent", [&] { n->SetNodeIndent(n->NodeIndent()); }, [&] { n->SetNodeIndent(20); }},
        {"type", [&] { n->SetNodeType(n->NodeType()); }, [&] { n->SetNodeType(cnFlat); }},
        {"tree shown", [&] { n->SetShowTree(n->ShowTree()); }, [&] { n->SetShowTree(false); }},
        {"tree in full", [&] { n->SetShowTreeFull(n->ShowTreeFull()); }, [&] { n->SetShowTreeFull(false); }},
        {"tree colour", [&] { n->SetTreeColor(n->TreeColor()); }, [&] { n->SetTreeColor(clRed); }},
    };
    for (const Case& c : cases) {
        g->Repaints = 0;
        c.Same();
        EXPECT_EQ(g->Repaints, 0) << c.What;
        c.Changed();
        EXPECT_EQ(g->Repaints, 1) << c.What;
    }
    EXPECT_EQ(n->NodeIndent(), 20);
    EXPECT_EQ(n->TreeColor(), clRed);
}

TEST_F(ExtGridTest, StretchingSetBeforeTheGridIsPlacedHappensWhenItIsPlaced)
{
    auto* g = new TExtStringGrid(Form);
    g->SetBounds(0, 0, 500, 200);
    g->ColumnSize()->SetStretch(true);
    EXPECT_TRUE(g->ColumnSize()->Stretch());   // stored
    EXPECT_EQ(g->ColWidths(4), g->DefaultColWidth());   // not yet stretched
    g->SetParent(Form);
    int total = 0;
    for (int c = 0; c < g->ColCount(); ++c) total += g->ColWidths(c);
    EXPECT_GT(g->ColWidths(4), g->DefaultColWidth());
    EXPECT_GE(total, g->ClientWidth() - 1);
    EXPECT_LE(total, g->ClientWidth());
}

TEST(GridSettingsTest, PrintSettingsCopyEveryFontByValue)
{
    TPrintSettings p(nullptr), q(nullptr);
    TFont* (TPrintSettings::*const fonts[])() = {&TPrintSettings::Font, &TPrintSettings::HeaderFont,
                                                  &TPrintSettings::FooterFont, &TPrintSettings::FixedFont};
    int size = 9;
    for (auto f : fonts) (p.*f)()->SetSize(size++);
    q.Assign(&p);
    for (auto f : fonts) (p.*f)()->SetSize(30);
    size = 9;
    for (auto f : fonts) {
        EXPECT_EQ((q.*f)()->Size(), size++);
        EXPECT_NE((q.*f)(), (p.*f)());
    }
}

// ---------------------------------------------------------------- copy and sizing

TEST_F(ExtGridTest, AssignCopiesCountsSizesHeadersAndCellsButNotTheTypingSizes)
{
    TExtStringGrid source(Form);
    source.SetColCount(3);
    source.SetRowCount(7);
    source.SetColWidths(1, 90);
    source.SetRowHeights(3, 33);
    source.ColumnHeaders()->Add("h0");
    for (int r = 1; r < 7; ++r) source.SetCellEx(2, r, String("s") += IntToStr(r));
    source.SizeWhileTyping()->Height = true;
    Grid->Assign(&source);
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 7);
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->RowHeights(3), 33);
    EXPECT_EQ(Grid->ColumnHeaders()->Strings(0), "h0");
    EXPECT_EQ(Grid->GetCellEx(0, 0), "h0");
    EXPECT_EQ(Grid->GetCellEx(2, 6), "s6");
    EXPECT_FALSE(Grid->SizeWhileTyping()->Height);
    TObject other;
    Grid->Assign(&other);
    EXPECT_EQ(Grid->RowCount(), 7);
}

TEST_F(ExtGridTest, IntegralHeightSnapsToWholeRows)
{
    Grid->SetIntegralHeight(true);
    Grid->SetColCount(2);
    Grid->SetBounds(0, 0, 300, 100);
    EXPECT_EQ(Grid->Height(), 92);
}

TEST_F(ExtGridTest, AScrollBarKeptOnShowsDisabledWhileEverythingFits)
{
    Grid->SetRowCount(2);
    Grid->SetColCount(2);
    EXPECT_FALSE(Grid->ScrollBarShown(SB_VERT));
    Grid->SetScrollBarAlways(saVert);
    EXPECT_TRUE(Grid->ScrollBarShown(SB_VERT));
    EXPECT_FALSE(Grid->ScrollBarControl(SB_VERT)->Enabled());
    EXPECT_FALSE(Grid->ScrollBarShown(SB_HORZ));
    Grid->SetRowCount(100);
    EXPECT_TRUE(Grid->ScrollBarControl(SB_VERT)->Enabled());
}

// ---------------------------------------------------------------- per-cell answers

TEST_F(ExtGridTest, PerCellAnswersComeFromSettingsThenEvents)
{
    Fill(4, 5);
    String t;
    Grid->GetCheckTrue(2, 1, t);
    EXPECT_EQ(t, "Y");
    Grid->OnGetCheckTrue = [](TObject*, int c, int, String& v) {
        if (c == 2) v = "1";
    };
    Grid->GetCheckTrue(2, 1, t);
    EXPECT_EQ(t, "1");
    Grid->GetCheckTrue(3, 1, t);
    EXPECT_EQ(t, "Y");

    // A read-only record refuses editing without any event; a cell without one keeps
    // what the event answers.
    Grid->GetCellProperties(1, 1)->ReadOnly = true;
    bool can = true;
    Grid->FireCanEditCell(1, 1, can);
    EXPECT_FALSE(can);
    Grid->OnCanEditCell = [](TObject*, int r, int, bool& c) { c = r != 3; };
    can = true;
    Grid->FireCanEditCell(2, 3, can);
    EXPECT_FALSE(can);
    can = true;
    Grid->FireCanEditCell(2, 2, can);
    EXPECT_TRUE(can);

    EXPECT_FALSE(Grid->IsNoEditCell(1, 1));
    Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 2) e = edNone;
    };
    EXPECT_TRUE(Grid->IsNoEditCell(2, 1));
    EXPECT_FALSE(Grid->IsNoEditCell(3, 1));

    int asked = 0;
    Grid->OnHasSpinEdit = [&](TObject*, int, int, bool& v) {
        ++asked;
        v = true;
    };
    EXPECT_FALSE(Grid->HasSpinEdit(0, 2));
    EXPECT_FALSE(Grid->HasSpinEdit(2, 0));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(Grid->HasSpinEdit(2, 2));
}

TEST_F(ExtGridTest, AColumnFilterListsTrimmedDistinctValuesAfterTheClearEntry)
{
    Grid->SetColCount(3);
    Grid->SetRowCount(5);
    Grid->FilterDropDownAuto = true;
    const char* texts[] = {"b", "a", "b", " x y "};
    for (int r = 1; r < 5; ++r) Grid->SetCellEx(1, r, texts[r - 1]);
    ASSERT_TRUE(Grid->BuildColumnFilter(1));
    TStringList* l = Grid->FilterList();
    ASSERT_EQ(l->Count(), 4);
    EXPECT_EQ(l->Strings(0), "(All)");
    EXPECT_EQ(l->Strings(1), "a");
    EXPECT_EQ(l->Strings(2), "b");
    EXPECT_EQ(l->Strings(3), "x y=\"x y\"");
    // Without the clear entry and without data rows (one header, one footer row): none.
    Grid->FilterDropDownClear = "";
    Grid->SetRowCount(2);
    Grid->FixedFooters = 1;
    EXPECT_FALSE(Grid->BuildColumnFilter(1));
}

TEST_F(ExtGridTest, ABrushColourOfAControlCellIsNotPainted)
{
    Fill(4, 4);
    Grid->GetCellProperties(1, 1)->SetBrushColor(clRed);
    Grid->GetCellProperties(2, 1)->SetBrushColor(clRed);
    Grid->AddCheckBox(2, 1, false, false);
    TBrush b1, b2;
    TFont f;
    b1.SetColor(clWhite);
    b2.SetColor(clWhite);
    Grid->FireGetCellColor(1, 1, TGridDrawState(), &b1, &f);
    Grid->FireGetCellColor(2, 1, TGridDrawState(), &b2, &f);
    EXPECT_EQ(b1.Color(), clRed);
    EXPECT_EQ(b2.Color(), clWhite);
    // A new record of a plain cell fixes no background of its own.
    EXPECT_EQ(Grid->GetCellProperties(3, 3)->BrushColor(), clNone);
}

namespace {
class TPaintCountGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    int Paints = 0;
protected:
    void Paint() override
    {
        ++Paints;
        TExtStringGrid::Paint();
    }
};
}

TEST(ExtGridPaintCountTest, TheFirstInvalidationAfterAnEditorChangeIsSkipped)
{
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* g = new TPaintCountGrid(&form);
    g->SetParent(&form);
    form.Show();
    Application->ProcessMessages();
    const int before = g->Paints;
    g->SetEditChange(true);
    g->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(g->Paints, before);
    g->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ(g->Paints, before + 1);
}

// ---------------------------------------------------------------- looks

TEST_F(ExtGridTest, LookPresetsWriteTheirColours)
{
    Grid->SetBorderColor(clRed);
    Grid->SetLook(glXP);   // the current look: nothing changes
    EXPECT_EQ(Grid->BorderColor(), clRed);
    Grid->SelectionColor = clGreen;
    Grid->SetLook(glCustom);   // keeps the colours, resets scrolling and border
    EXPECT_EQ(Grid->SelectionColor, clGreen);
    EXPECT_EQ(Grid->BorderColor(), TColor(0xB99D7F));
    Grid->SetLook(glWYX);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientFrom, clWhite);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientTo, clSilver);
    EXPECT_EQ(Grid->SelectionColor, TColor(0xEACAB6));
    Grid->SetLook(glXP);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientTo, clBtnFace);
    Grid->SetLook(glOffice2007);
    EXPECT_EQ(Grid->SelectionStyle(), ssOffice2007);
    EXPECT_EQ(Grid->ComponentStyle(), tsOffice2007Luna);
    Grid->SetLook(glStandard);
    EXPECT_EQ(Grid->SelectionColor, clHighlight);
    EXPECT_EQ(Grid->SelectionStyle(), ssDefault);
    EXPECT_EQ(TExtStringGrid::LookToString(glWin7), "glWin7");
    EXPECT_EQ(TExtStringGrid::LookToString(glCustom, "kept"), "kept");
    EXPECT_EQ(TExtStringGrid::LookDisplayName(glXP), "Windows XP");
    EXPECT_EQ(TExtStringGrid::LookDisplayName(glCustom), "");
}

TEST_F(ExtGridTest, LoadingAppliesTheWYXLookAgainAndTakesOverTheFormSettings)
{
    Grid->SetLook(glWYX);
    Grid->ControlLook()->FixedGradientTo = clRed;   // as a form could have stored it
    Grid->SetOptions(Grid->Options() << goAlwaysShowEditor);
    Grid->ColumnHeaders()->Add("first");
    Grid->SetCellEx(0, 0, "");
    Grid->Loaded();
    EXPECT_EQ(Grid->ControlLook()->FixedGradientTo, clSilver);
    EXPECT_TRUE(Grid->Navigation()->AlwaysEdit);
    EXPECT_FALSE(Grid->Options().Contains(goAlwaysShowEditor));
    EXPECT_EQ(Grid->GetCellEx(0, 0), "first");
    EXPECT_EQ(Grid->MinColWidth, 10);
    EXPECT_EQ(Grid->ColumnOrder()->Count(), Grid->ColCount());
}

// ---------------------------------------------------------------- auxiliary controls

TEST_F(ExtGridTest, AReadOnlyCheckBoxIgnoresClicksForItsStateButStillReportsThem)
{
    auto* box = new TExtCheckBox(Form);
    box->SetParent(Form);
    box->SetBounds(10, 10, 120, 20);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    UserClick(box, 5, 8);
    EXPECT_TRUE(box->Checked());
    box->SetReadOnly(true);
    UserClick(box, 5, 8);
    UserKey(box, VK_SPACE);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST(FocusMaskTest, OnlyTwentyFourBitBitmapsBlurAndWhiteStaysWhite)
{
    TBitmap bmp(30, 30);
    EXPECT_THROW(BlurBitmap(&bmp, 3), Exception);
    try {
        BlurBitmap(&bmp, 3);
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
    }
    bmp.SetPixelFormat(pf24bit);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 30, 30));
    BlurBitmap(&bmp, 3);
    EXPECT_EQ(bmp.Canvas()->Pixels(15, 15), clWhite);
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clWhite);

    // The focus mask: a white ring on black, softened at its edge.
    TBitmap mask;
    BuildFocusMask(&mask, 60, 40, 4, 5, 3);
    EXPECT_EQ(mask.Width(), 60);
    EXPECT_EQ(mask.Canvas()->Pixels(30, 20), clBlack);   // inside the ring
    EXPECT_GT(GetRValue(mask.Canvas()->Pixels(30, 4)), 96);   // on the ring
    EXPECT_LT(GetRValue(mask.Canvas()->Pixels(30, 0)), GetRValue(mask.Canvas()->Pixels(30, 4)));   // softened outside
    TBitmap face(60, 40);
    face.SetPixelFormat(pf24bit);
    face.Canvas()->Brush()->SetColor(RGB(151, 211, 253));
    face.Canvas()->FillRect(TRect(0, 0, 60, 40));
    TGridAlphaMask alpha;
    alpha.MergeMask(&mask, &face, clNone);
    EXPECT_EQ(alpha.Pixel(30, 20) >> 24, 0u);
    const std::uint32_t ring = alpha.Pixel(30, 4);
    EXPECT_EQ(ring >> 24, std::uint32_t(GetRValue(mask.Canvas()->Pixels(30, 4))));
}
