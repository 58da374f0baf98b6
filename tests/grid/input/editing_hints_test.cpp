// Hints and balloons over the column grid, the grid's own hint window, the slim scroll
// indicators of the metro look, and font scaling with the form.
#include <filesystem>
#include <vector>

#include "grid/core/GridPanels.h"
#include "grid/util/GridTextUtils.h"
#include "platform/gui/HintWindows.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class HintTest : public ColGridTest {
protected:
    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 6, 12);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 60);
        for (int r = 1; r < Grid->RowCount(); ++r)
            for (int c = 3; c < 6; ++c) Grid->SetCellEx(c, r, Cat("V", IntToStr(r), IntToStr(c)));
        Grid->SetShowHint(true);
    }
    void TearDown() override
    {
        HideHintWindow();
        Grid->SetUseHTMLHints(false);
        ColGridTest::TearDown();
    }
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    // The toolkit's hint request for the pointer resting at p (grid coordinates).
    THintInfo Ask(TPoint p)
    {
        THintInfo info;
        info.HintControl = Grid;
        info.CursorPos = p;
        info.HintStr = Grid->Hint();
        Grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        return info;
    }
    String Out(const char* name) { return Cat(TEST_OUTPUT_DIR, "/", name); }
};

// ---------------------------------------------------------------- cell hints

TEST_F(HintTest, CutOffCellShowsItsFullTextInTheHintWindow)
{
    Grid->HintShowLargeText = true;
    Grid->HTMLHint = true;
    const String text = "<b>Temperature</b> of the boiler room on the second floor";
    Grid->SetCellEx(4, 3, text);
    const THintInfo info = Ask(Mid(4, 3));
    const TRect R = Grid->CellRect(4, 3);
    EXPECT_EQ(info.HintStr, text);
    EXPECT_EQ(info.HintPos, Grid->ClientToScreen(TPoint(R.Left, R.Top)));
    // Markup needs the grid's own window; the toolkit shows it there.
    ASSERT_EQ(info.HintWindowClass, &THTMLHintWindow::Make);
    ASSERT_TRUE(ShowHintWindow(info));
    auto* w = dynamic_cast<THTMLHintWindow*>(ActiveHintWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption(), text);
    EXPECT_EQ(TPoint(w->Left(), w->Top()), info.HintPos);
    EXPECT_EQ(w->Width(), w->TextWidth() + 16);
    EXPECT_EQ(w->Height(), w->TextHeight() + 4);
    EXPECT_GT(w->TextWidth(), R.Right - R.Left);
    EXPECT_EQ(w->Color(), Grid->HintColor);
    EXPECT_TRUE(SaveControlToPng(w, Out("hints_hint_window.png")));
    EXPECT_GT(std::filesystem::file_size(Out("hints_hint_window.png")), 0u);
    // Moving within the cell keeps it, into the next cell ends it.
    HintPointerMoved(Grid, TPoint(R.Left + 2, R.Bottom - 2));
    EXPECT_NE(ActiveHintWindow(), nullptr);
    HintPointerMoved(Grid, Mid(5, 3));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    // So does cancelling it.
    ASSERT_TRUE(ShowHintWindow(info));
    Application->CancelHint();
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST_F(HintTest, LargeTextHintStartsOnePixelPastTheCell)
{
    Grid->HintShowLargeText = true;
    Grid->SetCellEx(4, 3, "Supply air temperature");
    const int textWidth = Grid->GetCellTextSize(4, 3, false, false).X;
    struct Case {
        int width;
        bool hint;
    } cases[] = {{textWidth, false}, {textWidth - 1, true}};
    for (const Case& k : cases) {
        Grid->SetColWidths(4, k.width);
        const THintInfo info = Ask(Mid(4, 3));
        EXPECT_EQ(info.HintStr == "Supply air temperature", k.hint) << "column width " << k.width;
    }
}

TEST_F(HintTest, HintTextAndWindowFollowTheCellTextKind)
{
    const String html = "<b>Bold</b> &amp; plain";
    const String packedWide = PackWideText("Druck \xc2\xb5" "bar");
    struct Case {
        String stored;
        bool htmlHint, internalClass;
        String hint;
        bool ownWindow;
    } cases[] = {
        {html, false, true, "Bold & plain", false},
        {html, true, true, html, true},
        {html, true, false, html, false},
        {"plain text", true, true, "plain text", false},
        {packedWide, false, true, "Druck \xc2\xb5" "bar", false},
    };
    Grid->HintShowCells = true;
    for (const Case& k : cases) {
        Grid->SetCellEx(3, 2, k.stored);
        Grid->HTMLHint = k.htmlHint;
        Grid->UseInternalHintClass = k.internalClass;
        const THintInfo info = Ask(Mid(3, 2));
        EXPECT_EQ(info.HintStr, k.hint) << k.stored;
        EXPECT_EQ(info.HintWindowClass != nullptr, k.ownWindow) << k.stored;
        EXPECT_EQ(info.HintData, k.ownWindow ? static_cast<void*>(static_cast<TObject*>(Grid)) : nullptr);
    }
    // A wide hint from the window is packed and drawn by the grid's window in the grid's font.
    Grid->UseInternalHintClass = true;
    Grid->OnGridWideHint = [](TObject*, int, int, std::u16string& h) { h = u"\u00b5bar"; };
    const THintInfo info = Ask(Mid(3, 2));
    EXPECT_EQ(info.HintStr, PackWideText("\xc2\xb5" "bar"));
    EXPECT_NE(info.HintWindowClass, nullptr);
    EXPECT_EQ(HintFontName, Grid->Font()->Name());
}

TEST_F(HintTest, WhereTheHintOfACellIsPlaced)
{
    const TRect R = Grid->CellRect(4, 5);
    const TPoint cur(R.Left + 5, R.Top + 4);
    Grid->SetCellEx(4, 5, "A rather long text that never fits into sixty pixels");
    struct Case {
        const char* name;
        bool comment, showCells, largeText;
        THintShowLargeTextPos largePos;
        TPoint at;
    } cases[] = {
        {"under the pointer", false, false, false, hpCell, TPoint(cur.X, R.Bottom + 6)},
        {"comment at the top right", true, false, false, hpCell, TPoint(R.Right, R.Top)},
        {"own text level with the cell", false, true, false, hpCell, TPoint(cur.X, R.Top)},
        {"large text at the top left", false, true, true, hpCell, TPoint(R.Left, R.Top)},
        {"large text where the other rules put it", false, true, true, hpCursor, TPoint(cur.X, R.Top)},
    };
    for (const Case& k : cases) {
        if (k.comment) Grid->AddComment(4, 5, "checked by the service");
        else Grid->RemoveComment(4, 5);
        Grid->HintShowCells = k.showCells;
        Grid->HintShowLargeText = k.largeText;
        Grid->HintShowLargeTextPos = k.largePos;
        const THintInfo info = Ask(cur);
        EXPECT_EQ(info.HintPos, Grid->ClientToScreen(k.at)) << k.name;
    }
}

TEST_F(HintTest, OutsideTheCellsOnlyTheColourIsSet)
{
    Grid->SetHint("grid hint");
    Grid->HintColor = clYellow;
    Ask(Mid(3, 2));
    ASSERT_EQ(Grid->LastHintPos(), TPoint(3, 2));
    int called = 0;
    Grid->OnGridHint = [&](TObject*, int, int, String&) { ++called; };
    const TRect last = Grid->CellRect(Grid->ColCount() - 1, 2);
    const THintInfo info = Ask(TPoint(last.Right + 20, last.Top + 3));
    EXPECT_EQ(info.HintStr, "grid hint");
    EXPECT_EQ(info.HintColor, clYellow);
    EXPECT_EQ(Grid->LastHintPos(), TPoint(3, 2));
    EXPECT_EQ(called, 0);
}

TEST_F(HintTest, LastRowUnderAVisibleFloatingFooterGetsNoHintEvent)
{
    std::vector<int> rows;
    Grid->OnGridHint = [&](TObject*, int r, int, String&) { rows.push_back(r); };
    Grid->FloatingFooter()->Visible = true;
    const int last = Grid->RowCount() - 1;
    Grid->SetTopRow(last - 3);
    Ask(Mid(3, last));
    Ask(Mid(3, last - 1));
    EXPECT_EQ(rows, std::vector<int>{last - 1});
}

TEST_F(HintTest, HintWindowStaysTwoPixelsInsideTheScreen)
{
    THTMLHintWindow w(nullptr);
    w.ActivateHint(TRect(0, 0, 10, 10), "probe");
    const int wd = w.Width(), ht = w.Height();
    struct Case {
        TPoint at;
        TPoint placed;
    } cases[] = {
        {TPoint(10, 10), TPoint(10, 10)},
        {TPoint(Screen->Width() - 5, 10), TPoint(Screen->Width() - wd - 2, 10)},
        {TPoint(10, Screen->Height() - 3), TPoint(10, Screen->Height() - 2 - ht)},
    };
    for (const Case& k : cases) {
        w.ActivateHint(TRect(k.at.X, k.at.Y, k.at.X + 10, k.at.Y + 10), "probe");
        EXPECT_EQ(TPoint(w.Left(), w.Top()), k.placed);
        EXPECT_EQ(w.Width(), wd);
    }
}

TEST_F(HintTest, ApplicationWideHintWindow)
{
    Grid->SetUseHTMLHints(true);
    EXPECT_EQ(HintWindowClass, &THTMLHintWindow::Make);
    // A plain hint of any control now shows in that window.
    THintInfo info;
    info.HintStr = "Save the table";
    info.HintPos = TPoint(30, 40);
    ASSERT_TRUE(ShowHintWindow(info));
    EXPECT_NE(dynamic_cast<THTMLHintWindow*>(ActiveHintWindow()), nullptr);
    Grid->SetUseHTMLHints(false);
    EXPECT_EQ(HintWindowClass, nullptr);
    EXPECT_FALSE(ShowHintWindow(info));
}

// ---------------------------------------------------------------- balloons

class BalloonTest : public HintTest {
protected:
    void SetUp() override
    {
        HintTest::SetUp();
        Grid->Balloon()->SetEnable(true);
    }
    TBalloonToolTip* Tip() { return Grid->BalloonWindow(); }
    // The pointer rests in the cell until the balloon's delay has passed.
    void Rest(int c, int r)
    {
        const TPoint p = Mid(c, r);
        UserMouseMove(Grid, p.X, p.Y);
        ASSERT_TRUE(Tip()->Timer()->Enabled());
        Tip()->Timer()->OnTimer(Tip()->Timer());
    }
    int TipWindows()
    {
        int n = 0;
        for (int i = 0; i < Grid->ComponentCount(); ++i)
            if (dynamic_cast<TBalloonToolTip*>(Grid->Components(i))) ++n;
        return n;
    }
};

TEST_F(BalloonTest, CellBalloonShowsTitleAndTextAtThePointerAndGoesOnLeaving)
{
    Grid->AddBalloon(4, 3, "Group address", "Main group / middle group / subgroup", biWarning);
    Rest(4, 3);
    ASSERT_TRUE(Tip()->Showing());
    EXPECT_EQ(Tip()->Title(), "Group address");
    EXPECT_EQ(Tip()->Text(), "Main group / middle group / subgroup");
    EXPECT_EQ(Tip()->Icon(), ttiWarning);
    EXPECT_EQ(Grid->LastBalloonPos(), TPoint(4, 3));
    // The stem points at the pointer from the balloon's top left part.
    const TPoint s = Grid->ClientToScreen(Mid(4, 3));
    EXPECT_EQ(TPoint(Tip()->Left(), Tip()->Top()), TPoint(s.X - 16, s.Y + 4));
    EXPECT_LE(Tip()->Width(), 300);
    EXPECT_TRUE(SaveControlToPng(Tip(), Out("hints_balloon.png")));
    EXPECT_GT(std::filesystem::file_size(Out("hints_balloon.png")), 0u);
    // Moving inside the cell keeps it, into the next cell pops it.
    UserMouseMove(Grid, Mid(4, 3).X + 3, Mid(4, 3).Y);
    EXPECT_TRUE(Tip()->Showing());
    UserMouseMove(Grid, Mid(5, 3).X, Mid(5, 3).Y);
    EXPECT_FALSE(Tip()->Showing());
    EXPECT_EQ(Grid->LastBalloonPos(), TPoint(-1, -1));
    // The next cell's balloon comes after the shorter reshow delay: the cell's own text.
    ASSERT_TRUE(Tip()->Timer()->Enabled());
    EXPECT_EQ(Tip()->Timer()->Interval(), unsigned(Tip()->ReshowDelay()));
    Tip()->Timer()->OnTimer(Tip()->Timer());
    EXPECT_EQ(Tip()->Text(), Grid->GetCellEx(5, 3));
    EXPECT_EQ(Tip()->Title(), " ");
    EXPECT_EQ(Tip()->Icon(), ttiInfo);
    // Leaving the grid pops it as well.
    Grid->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(Tip()->Showing());
}

TEST_F(BalloonTest, MergedCellsHintAndBalloonAsTheirBaseCell)
{
    Grid->MergeCells(3, 2, 2, 2);
    Grid->SetCellEx(3, 2, "merged text");
    Grid->HintShowCells = true;
    const TRect R = Grid->CellRect(3, 2);
    const THintInfo info = Ask(Mid(4, 3));
    EXPECT_EQ(Grid->LastHintPos(), TPoint(3, 2));
    EXPECT_EQ(info.HintStr, "merged text");
    EXPECT_EQ(info.HintPos.Y, Grid->ClientToScreen(TPoint(0, R.Top)).Y);
    // The hint belongs to the whole area: the toolkit keeps it while the pointer stays there.
    EXPECT_TRUE(PtInRect(info.CursorRect, Mid(3, 2)));
    EXPECT_TRUE(PtInRect(info.CursorRect, Mid(4, 3)));
    EXPECT_FALSE(PtInRect(info.CursorRect, Mid(5, 2)));
    // Within the area the hint stays; the balloon too.
    UserMouseMove(Grid, Mid(3, 2).X, Mid(3, 2).Y);
    EXPECT_EQ(Grid->LastHintPos(), TPoint(3, 2));
    Rest(4, 3);
    ASSERT_TRUE(Tip()->Showing());
    EXPECT_EQ(Tip()->Text(), "merged text");
    EXPECT_EQ(Grid->LastBalloonPos(), TPoint(3, 2));
    UserMouseMove(Grid, Mid(3, 2).X, Mid(3, 2).Y);
    EXPECT_TRUE(Tip()->Showing());
    UserMouseMove(Grid, Mid(5, 2).X, Mid(5, 2).Y);
    EXPECT_FALSE(Tip()->Showing());
}

TEST_F(BalloonTest, BalloonTextIsCleanedAndCut)
{
    const String longText = String(2049, 'a');
    struct Case {
        String stored;
        String text;
    } cases[] = {
        {"\r\n\tLine\tone", "Line one"},
        {"<b>Bold</b> text", "Bold text"},
        {PackWideText("\xc2\xb5" "s"), "\xc2\xb5" "s"},
        {"\r\n" + longText, String(2045, 'a') + "..."},
        {String(2048, 'b'), String(2048, 'b')},
    };
    for (const Case& k : cases) {
        Grid->SetCellEx(4, 2, k.stored);
        String text;
        Grid->BalloonTextRequest(Grid->ClientToScreen(Mid(4, 2)), text);
        EXPECT_EQ(text, k.text) << k.stored.substr(0, 20);
    }
    // The window's last word; a long title is cut at 100 characters.
    Grid->OnCellBalloon = [](TObject*, int, int, String& title, String& text, int& icon) {
        title = String(150, 't');
        text = "from the window";
        icon = biError;
    };
    String text;
    Grid->BalloonTextRequest(Grid->ClientToScreen(Mid(4, 2)), text);
    EXPECT_EQ(text, "from the window");
    EXPECT_EQ(Tip()->Title(), String(97, 't') + "...");
    EXPECT_EQ(Tip()->Icon(), ttiError);
    // Outside the cells the window hears (-1, -1) and may still give a text.
    std::vector<TPoint> asked;
    Grid->OnCellBalloon = [&](TObject*, int c, int r, String&, String& t, int&) {
        asked.push_back(TPoint(c, r));
        if (c < 0) t = "empty area";
    };
    const TRect last = Grid->CellRect(Grid->ColCount() - 1, 2);
    Grid->BalloonTextRequest(Grid->ClientToScreen(TPoint(last.Right + 20, last.Top + 3)), text);
    EXPECT_EQ(asked, std::vector<TPoint>{TPoint(-1, -1)});
    EXPECT_EQ(text, "empty area");
    EXPECT_EQ(Grid->LastBalloonPos(), TPoint(-1, -1));
}

TEST_F(BalloonTest, SettingsReachTheBalloonAndEnableKeepsOneWindow)
{
    EXPECT_EQ(TipWindows(), 1);
    Grid->Balloon()->SetEnable(false);
    EXPECT_EQ(Tip(), nullptr);
    EXPECT_EQ(TipWindows(), 0);
    Grid->Balloon()->InitialDelay = 250;
    Grid->Balloon()->AutoHideDelay = 3000;
    Grid->Balloon()->BackgroundColor = clNone;
    Grid->Balloon()->SetEnable(true);
    Grid->Balloon()->SetEnable(false);
    Grid->Balloon()->SetEnable(true);
    EXPECT_EQ(TipWindows(), 1);
    EXPECT_EQ(Tip()->InitialDelay(), 250);
    EXPECT_EQ(Tip()->AutoPopDelay(), 3000);
    EXPECT_EQ(Tip()->ReshowDelay(), 100);   // -1 leaves the system's delay
    // Shown, the balloon pops by itself after the auto-hide delay.
    Rest(3, 2);
    ASSERT_TRUE(Tip()->Showing());
    EXPECT_EQ(Tip()->Timer()->Interval(), 3000u);
    Tip()->Timer()->OnTimer(Tip()->Timer());
    EXPECT_FALSE(Tip()->Showing());
    // Switched off, the grid answers no text.
    Grid->Balloon()->SetEnable(false);
    String text = "x";
    Grid->BalloonTextRequest(Grid->ClientToScreen(Mid(3, 2)), text);
    EXPECT_EQ(text, "");
}

TEST_F(BalloonTest, AssignCopiesAllButTransparency)
{
    TBalloonSettings src;
    src.TextColor = clRed;
    src.BackgroundColor = clWhite;
    src.InitialDelay = 10;
    src.ReshowDelay = 20;
    src.AutoHideDelay = 30;
    src.Transparency = 90;
    TBalloonSettings dst;
    dst.Assign(&src);
    EXPECT_EQ(dst.TextColor, clRed);
    EXPECT_EQ(dst.BackgroundColor, clWhite);
    EXPECT_EQ(dst.InitialDelay, 10);
    EXPECT_EQ(dst.ReshowDelay, 20);
    EXPECT_EQ(dst.AutoHideDelay, 30);
    EXPECT_EQ(dst.Transparency, 0);
}

// ---------------------------------------------------------------- slim scroll indicators

class ScrollIndicatorTest : public ColGridTest {
protected:
    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 30, 100);
        Grid->SetScrollType(ssMetro);
    }
    TScrollControl* Vert() { return Grid->ScrollControl(0); }
    TScrollControl* Horz() { return Grid->ScrollControl(1); }
};

TEST_F(ScrollIndicatorTest, ThumbFollowsTheVisibleShareOfTheRows)
{
    ASSERT_NE(Vert(), nullptr);
    ASSERT_NE(Horz(), nullptr);
    // Along the right and bottom edges of the whole client area (no scroll bars left).
    EXPECT_EQ(Vert()->Left() + Vert()->Width(), Grid->ClientRect().Right);
    EXPECT_EQ(Horz()->Top() + Horz()->Height(), Grid->ClientRect().Bottom);
    EXPECT_TRUE(Vert()->ThumbShown());
    EXPECT_TRUE(Horz()->ThumbShown());
    int p = 0, s = 0;
    Vert()->ThumbExtent(p, s);
    const int header = Grid->RowHeights(0);
    EXPECT_EQ(p, header);
    const int track = Vert()->Height() - header;
    EXPECT_NEAR(s, track * Grid->VisibleRowCount() / 100, 1);
    // Scrolled to the end, the thumb ends at the control's end.
    Grid->SetTopRow(Grid->RowCount() - Grid->VisibleRowCount());
    Vert()->ThumbExtent(p, s);
    EXPECT_LE(p + s, Vert()->Height());
    EXPECT_GT(p, Vert()->Height() / 2);
    // A long table keeps a thumb of 20 pixels.
    Grid->SetRowCount(1000);
    Grid->SetTopRow(1);
    Vert()->ThumbExtent(p, s);
    EXPECT_EQ(s, 20);
    // Every row in view: no thumb.
    Grid->SetRowCount(5);
    EXPECT_FALSE(Vert()->ThumbShown());
    // Another look takes them away.
    Grid->SetScrollType(ssNormal);
    EXPECT_EQ(Vert(), nullptr);
}

TEST_F(ScrollIndicatorTest, OnlyTheThumbIsDrawnOverTheGrid)
{
    EXPECT_EQ(Vert()->Color(), TColor(0xC0C0C0));
    const TColor thumb = 0x00FF8000;
    Vert()->SetColor(thumb);
    Grid->SetTopRow(20);
    int p = 0, s = 0;
    Vert()->ThumbExtent(p, s);
    TBitmap bmp;
    PaintControlTo(Grid, &bmp);
    const int x = Vert()->Left();
    const int y = Vert()->Top();
    struct Case {
        int dx, dy;
        bool thumb;
    } cases[] = {{1, p + s / 2, true}, {Vert()->ScrollWidth + 1, p + s / 2, false}, {1, p - 3, false}};
    for (const Case& k : cases) {
        const TColor c = bmp.Canvas()->Pixels(x + k.dx, y + k.dy);
        EXPECT_EQ(c == thumb, k.thumb) << k.dx << "," << k.dy;
    }
    const String path = Cat(TEST_OUTPUT_DIR, "/hints_scroll_indicators.png");
    EXPECT_TRUE(SaveControlToPng(Grid, path));
}

TEST_F(ScrollIndicatorTest, ClicksBesideTheThumbPageAndADragScrolls)
{
    const int page = Grid->VisibleRowCount();
    Grid->SetTopRow(3);
    int p = 0, s = 0;
    Vert()->ThumbExtent(p, s);
    // Above the thumb: one page back, never above the first scrollable row.
    UserClick(Vert(), 2, p - 1);
    EXPECT_EQ(Grid->TopRow(), Grid->FixedRows());
    Vert()->ThumbExtent(p, s);
    UserClick(Vert(), 2, p + s + 2);
    EXPECT_EQ(Grid->TopRow(), Grid->FixedRows() + page);
    // A drag of the thumb by a tenth of the track moves a tenth of the rows.
    Vert()->ThumbExtent(p, s);
    const int from = Grid->TopRow();
    const int span = Vert()->Height() - Grid->RowHeights(0);
    UserMouseMove(Vert(), 2, p + 1);
    gui_input::Mouse(Vert(), WM_LBUTTONDOWN, 2, p + 1, TShiftState(), 0);
    gui_input::Mouse(Vert(), WM_MOUSEMOVE, 2, p + 1 + span / 10, TShiftState{ssLeft}, 0);
    EXPECT_NEAR(Grid->TopRow(), from + 10, 1);
    gui_input::Mouse(Vert(), WM_LBUTTONUP, 2, p + 1 + span / 10, TShiftState(), 0);
    const int after = Grid->TopRow();
    UserMouseMove(Vert(), 2, p + 1 + span / 2);
    EXPECT_EQ(Grid->TopRow(), after);
    // Horizontal: a click right of the thumb pages the columns.
    int hp = 0, hs = 0;
    Horz()->ThumbExtent(hp, hs);
    const int left = Grid->LeftCol(), shown = Grid->VisibleColCount();
    UserClick(Horz(), hp + hs + 2, 2);
    EXPECT_EQ(Grid->LeftCol(), std::min(left + shown, Grid->ColCount() - shown));
}

// ---------------------------------------------------------------- font scaling

TEST(GridScaleFonts, FontsOfTheGridAndItsShownColumnsFollowTheFactor)
{
    Application->Initialize();
    struct Case {
        int m, d;
        int size;       // every font starts at 8 points
        int expected;
    } cases[] = {
        {1, 1, 8, 8}, {2, 1, 8, 16}, {3, 2, 8, 12}, {96, 120, 8, 6}, {96, 120, 9, 7}, {5, 4, 10, 13}, {1, 0, 8, 8},
    };
    for (const Case& k : cases) {
        TForm form(nullptr);
        auto* g = new TExtColumnGrid(&form);
        g->SetParent(&form);
        g->SetColCount(3);
        g->Columns()->Clear();
        for (int c = 0; c < 3; ++c) g->Columns()->Add();
        for (TFont* f : {g->Font(), g->FixedFont(), g->ActiveCellFont()}) f->SetSize(k.size);
        for (int c = 0; c < 3; ++c) {
            g->Columns()->Items(c)->Font()->SetSize(k.size);
            g->Columns()->Items(c)->HeaderFont()->SetSize(k.size);
        }
        g->ScaleFonts(k.m, k.d);
        const String at = Cat(IntToStr(k.m), "/", IntToStr(k.d), " of ", IntToStr(k.size));
        EXPECT_EQ(g->Font()->Size(), k.expected) << at;
        EXPECT_EQ(g->FixedFont()->Size(), k.expected) << at;
        EXPECT_EQ(g->ActiveCellFont()->Size(), k.expected) << at;
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(g->Columns()->Items(c)->Font()->Size(), k.expected) << at << " column " << c;
            EXPECT_EQ(g->Columns()->Items(c)->HeaderFont()->Size(), k.expected) << at << " column " << c;
        }
    }
}

// ---------------------------------------------------------------- small services

TEST(GridServices, VersionOfEachGridThroughTheBaseAndIntegralHeightAtOnce)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* plain = new TExtStringGrid(&form);
    auto* columns = new TExtColumnGrid(&form);
    struct Case {
        TExtStringGrid* grid;
        int nr;
        String text;
    } cases[] = {{plain, 100794627, "6.2.1.3 Sep, 2012"}, {columns, 50397953, "3.1.3.1 Aug, 2012"}};
    for (const Case& k : cases) {
        EXPECT_EQ(k.grid->VersionNr(), k.nr);
        EXPECT_EQ(k.grid->VersionString(), k.text);
    }
    // Switching the flag on fits the present height to whole rows at once.
    plain->SetParent(&form);
    plain->SetColCount(2);
    plain->SetBounds(0, 0, 300, 100);
    ASSERT_EQ(plain->Height(), 100);
    plain->SetIntegralHeight(true);
    EXPECT_EQ(plain->Height(), 92);
}

// ---------------------------------------------------------------- unit start-up

TEST(GridUnitStartup, RegisteredMessagesAndPlatformChecks)
{
    Application->Initialize();
    TForm form(nullptr);
    TExtStringGrid grid(&form);
    EXPECT_NE(DTPShiftFocusMessage(), 0u);
    EXPECT_NE(DTPShiftFocusMessage(), TExtStringGrid::GridEditDoneMessage());
    // A date picker registering the same name gets the same number.
    EXPECT_EQ(RegisterWindowMessage("DTPShiftFocus"), DTPShiftFocusMessage());
    EXPECT_TRUE(ComCtl32Newer);
}

}  // namespace
