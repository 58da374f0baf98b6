// Cell objects: one graphic per cell (a new object replaces the old one, a balloon rides
// on a check box only), the record's own rules (angles, button sizes, picture sizes),
// and check boxes whose state is the cell text.
#include <vector>

#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"
#include "tests/common/extgrid_fixture.h"

namespace {
// A bitmap that tells when it is freed.
class TCountedBitmap : public TBitmap {
public:
    explicit TCountedBitmap(int& freed) : FFreed(freed) {}
    ~TCountedBitmap() override { ++FFreed; }
private:
    int& FFreed;
};
}

// ---------------------------------------------------------------- the record

TEST(CellGraphicTest, AnglesAreBroughtIntoZeroTo360)
{
    const std::pair<int, int> cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {-360, 0}, {450, 90}, {-1000, 80}};
    for (auto [in, out] : cases) {
        TCellGraphic g;
        g.SetAngle(std::int16_t(in));
        EXPECT_EQ(g.CellType, ctRotated);
        EXPECT_EQ(g.CellAngle, out) << in;
    }
}

TEST(CellGraphicTest, AButtonKeepsWidthLowAndHeightHigh)
{
    TCellGraphic g;
    g.SetButton(60, 20, "Go", haCenter, vaCenter);
    EXPECT_EQ(g.CellIndex, 20 * 65536 + 60);
    EXPECT_EQ(g.CellText, "Go");
    EXPECT_FALSE(g.CellBoolean);
}

TEST(CellGraphicTest, PictureSizeFollowsTheStretchMode)
{
    TPicture pic;
    TBitmap bmp(100, 50);
    pic.SetBitmap(&bmp);
    struct Case {
        TStretchMode mode;
        int cw, rh, padding;
        TPoint size;
    };
    const Case cases[] = {
        {noStretch, 50, 50, 0, {100, 50}},
        {Stretch, 50, 40, 0, {50, 40}},
        {StretchWithAspectRatio, 50, 50, 0, {50, 25}},
        {StretchWithAspectRatio, 300, 50, 0, {100, 50}},
        {Shrink, 200, 200, 0, {100, 50}},
        {Shrink, 80, 200, 0, {80, 200}},
        {ShrinkWithAspectRatio, 200, 200, 0, {100, 50}},
        {ShrinkWithAspectRatio, 54, 200, 4, {50, 25}},
    };
    for (const Case& k : cases) {
        TCellGraphic g;
        g.SetPicture(&pic, false, k.mode, k.padding, haLeft, vaTop);
        TPoint got(-1, -1);
        g.GetPictureSize(k.cw, k.rh, false, got);
        EXPECT_EQ(got, k.size) << int(k.mode) << " in " << k.cw << "x" << k.rh;
        g.CellBitmap = nullptr;
    }
    TCellGraphic other;
    TPoint untouched(7, 7);
    other.GetPictureSize(10, 10, false, untouched);
    EXPECT_EQ(untouched, TPoint(7, 7));
}

TEST(CellGraphicTest, ObjectsAreFreedOnlyWhenTheRecordMadeThem)
{
    int freed = 0;
    auto* mine = new TCountedBitmap(freed);
    {
        TCellGraphic g;
        g.SetBitmap(mine, false, haLeft, vaTop);
    }
    EXPECT_EQ(freed, 0);   // the caller's bitmap stays
    {
        TCellGraphic g;
        g.SetBitmap(mine, false, haLeft, vaTop);
        g.CellCreated = true;
    }
    EXPECT_EQ(freed, 1);
}

// ---------------------------------------------------------------- one object per cell

TEST_F(ExtGridTest, ANewObjectReplacesTheOneTheCellHad)
{
    Fill(4, 4);
    int freed = 0;
    Grid->AddCheckBox(1, 1, true, false);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctCheckBox);
    auto* owned = new TCountedBitmap(freed);
    TCellGraphic* g = Grid->CreateCellGraphic(1, 1);
    g->SetBitmap(owned, false, haLeft, vaTop);
    g->CellCreated = true;
    EXPECT_EQ(Grid->GetCellType(1, 1), ctBitmap);
    EXPECT_FALSE(Grid->HasCheckBox(1, 1));
    Grid->AddComment(1, 1, "note");
    EXPECT_EQ(freed, 1);   // the replaced object went with its bitmap
    EXPECT_EQ(Grid->GetComment(1, 1), "note");
    EXPECT_EQ(Grid->GetCellEx(1, 1), "1,1");   // the text is untouched
    EXPECT_TRUE(Grid->RemoveComment(1, 1));
    EXPECT_EQ(Grid->GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(Grid->RemoveComment(1, 1));
}

TEST_F(ExtGridTest, ABalloonRidesOnACheckBoxOnly)
{
    Fill(4, 4);
    String title, text;
    TBalloonIcon icon = biNone;
    // On a check box: the box stays, the balloon is found with IsBalloon only.
    Grid->AddCheckBox(1, 1, false, true);
    Grid->AddBalloon(1, 1, "T", "X", biWarning);
    EXPECT_EQ(Grid->GetCellType(1, 1), ctDataCheckBox);
    EXPECT_FALSE(Grid->HasBalloon(1, 1));
    ASSERT_TRUE(Grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title, "T");
    EXPECT_EQ(text, "X");
    EXPECT_EQ(icon, biWarning);
    Grid->RemoveBalloon(1, 1);
    EXPECT_FALSE(Grid->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(Grid->GetCellType(1, 1), ctDataCheckBox);
    // On any other object: nothing.
    Grid->AddComment(2, 1, "c");
    Grid->AddBalloon(2, 1, "T", "X", biInfo);
    EXPECT_FALSE(Grid->IsBalloon(2, 1, title, text, icon));
    EXPECT_EQ(Grid->GetCellType(2, 1), ctComment);
    // On an empty cell: a balloon object of its own.
    Grid->AddBalloon(3, 1, "A", "B", biError);
    EXPECT_TRUE(Grid->HasBalloon(3, 1));
    EXPECT_TRUE(Grid->IsBalloon(3, 1, title, text, icon));
    EXPECT_EQ(title, "A");
}

TEST_F(ExtGridTest, ObjectKindsKeepTheirFields)
{
    Fill(5, 5);
    // A marker overwrites what the progress kinds keep in the same fields.
    Grid->AddProgressFormatted(1, 1, clBlue, clWhite, clSilver, clBlack, "%d", 10, 90);
    Grid->AddMarker(1, 1, 3, 2);
    int pos = -1, len = -1;
    Grid->GetMarker(1, 1, pos, len);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellErrFrom, 3);
    Grid->RemoveMarker(1, 1);
    EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellErrLen, 0);
    EXPECT_TRUE(Grid->HasProgress(1, 1));
    // A marker on a cell without object is an object of its own, removed with it.
    Grid->AddMarker(2, 2, 1, 1);
    EXPECT_EQ(Grid->GetCellType(2, 2), ctEmpty);
    Grid->RemoveMarker(2, 2);
    EXPECT_EQ(Grid->GetCellGraphic(2, 2), nullptr);
    // SetComment never turns another object into a comment.
    Grid->AddShape(3, 3, 1, clRed, clBlack, haCenter, vaCenter);
    Grid->SetComment(3, 3, "ignored");
    EXPECT_EQ(Grid->GetCellType(3, 3), ctShape);
    EXPECT_EQ(Grid->GetShapeColor(3, 3), clRed);
    EXPECT_EQ(Grid->GetShapeColor(4, 4), clNone);
    // Image indexes need the grid's image list.
    Grid->AddImageIdx(4, 1, 2, haLeft, vaTop);
    EXPECT_EQ(Grid->GetCellType(4, 1), ctEmpty);
    TImageList images(nullptr);
    Grid->SetGridImages(&images);
    Grid->AddDataImage(4, 2, 3, haLeft, vaTop);
    EXPECT_EQ(Grid->GetCellEx(4, 2), "4,2");   // a cell with text keeps it
    Grid->SetCellEx(4, 3, "");
    Grid->AddDataImage(4, 3, 3, haLeft, vaTop);
    EXPECT_EQ(Grid->GetCellEx(4, 3), "3");
    Grid->AddImageIdx(4, 1, 2, haLeft, vaTop);
    int idx = -1;
    EXPECT_TRUE(Grid->GetImageIdx(4, 1, idx));
    EXPECT_EQ(idx, 2);
    Grid->SetGridImages(nullptr);
    EXPECT_FALSE(Grid->GetImageIdx(4, 1, idx));
}

// ---------------------------------------------------------------- check boxes

TEST_F(ExtGridTest, ADataCheckBoxIsCheckedExactlyWhenItsTextIsTheCheckTrueText)
{
    Fill(3, 7);
    const std::pair<const char*, bool> cases[] = {{"Y", true}, {"N", false}, {"", false}, {"yes", false}, {"y", false}};
    int r = 1;
    for (auto [text, checked] : cases) {
        Grid->SetCellEx(1, r, text);
        Grid->AddCheckBox(1, r, false, true);
        Grid->SetCellEx(1, r, text);
        bool state = !checked;
        ASSERT_TRUE(Grid->GetCheckBoxState(1, r, state)) << text;
        EXPECT_EQ(state, checked) << text;
        ++r;
    }
    // Another check-true text from the event decides for its column, while adding a box
    // still compares with the grid's own "Y" and "N".
    Grid->OnGetCheckTrue = [](TObject*, int c, int, String& v) {
        if (c == 2) v = "1";
    };
    Grid->SetCellEx(2, 1, "1");
    Grid->AddCheckBox(2, 1, false, true);
    EXPECT_EQ(Grid->GetCellEx(2, 1), "N");   // "1" is neither "Y" nor "N"
    Grid->SetCellEx(2, 1, "1");
    EXPECT_TRUE(Grid->IsChecked(2, 1));
    EXPECT_TRUE(Grid->IsChecked(1, 1));   // column 1 keeps "Y"
}

TEST_F(ExtGridTest, ACheckBoxColumnKeepsTheCheckTextsItFindsAndWritesTheDefaultElsewhere)
{
    Fill(3, 5);
    Grid->SetCellEx(2, 1, "Y");
    Grid->SetCellEx(2, 2, "N");
    Grid->AddCheckBoxColumn(2, false, true);
    EXPECT_EQ(Grid->GetCellEx(2, 0), "2,0");   // the fixed row gets no box
    EXPECT_FALSE(Grid->HasCheckBox(2, 0));
    EXPECT_EQ(Grid->GetCellEx(2, 1), "Y");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "N");
    EXPECT_EQ(Grid->GetCellEx(2, 3), "N");
    EXPECT_TRUE(Grid->IsChecked(2, 1));
    Grid->RemoveCheckBoxColumn(2);
    EXPECT_FALSE(Grid->HasCheckBox(2, 1));
}

TEST_F(ExtGridTest, TogglingADataCheckBoxFlipsItsTextAndTellsWhoListens)
{
    Fill(3, 4);
    Grid->AddCheckBox(1, 1, false, true);
    std::vector<String> log;
    Grid->OnCheckBoxChange = [&](TObject*, int c, int r, bool s) {
        log.push_back(IntToStr(c) + "," + IntToStr(r) + (s ? " on" : " off"));
    };
    class TLogUndo : public TExtGridUndoRedo {
    public:
        using TExtGridUndoRedo::TExtGridUndoRedo;
        std::vector<String> Changes;
        void RegisterChange(int c, int r, const String& o, const String& n) override
        {
            Changes.push_back(IntToStr(c) + "," + IntToStr(r) + ":" + o + ">" + n);
        }
    } undo(nullptr);
    Grid->SetUndoRedo(&undo);
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "Y");
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "N");
    EXPECT_EQ(log, (std::vector<String>{"1,1 on", "1,1 off"}));
    EXPECT_EQ(undo.Changes, (std::vector<String>{"1,1:N>Y", "1,1:Y>N"}));
    Grid->SetUndoRedo(nullptr);
    EXPECT_FALSE(Grid->ToggleCheckBox(2, 2));   // no box there

    // A user's click asks whether the cell may be edited; code does not.
    Grid->GetCellProperties(1, 1)->ReadOnly = true;
    EXPECT_FALSE(Grid->ToggleCheckBoxCell(1, 1, true));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "N");
    EXPECT_TRUE(Grid->ToggleCheckBox(1, 1));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "Y");
    Grid->ControlLook()->CheckAlwaysActive = true;
    EXPECT_TRUE(Grid->ToggleCheckBoxCell(1, 1, true));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "N");
}

TEST_F(ExtGridTest, TriStateBoxesCycleAndAreNoBooleanBoxes)
{
    Fill(3, 4);
    Grid->AddCheckBox(1, 1, cbUnchecked);
    TCheckBoxState s = cbChecked;
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
    for (TCheckBoxState want : cycle) {
        Grid->ToggleCheckBox(1, 1);
        ASSERT_TRUE(Grid->GetCheckBoxState(1, 1, s));
        EXPECT_EQ(s, want);
    }
    bool b = true;
    EXPECT_FALSE(Grid->GetCheckBoxState(1, 1, b));
    EXPECT_TRUE(b);   // untouched
    EXPECT_FALSE(Grid->GetCheckBoxState(2, 2, b));
    // Adding outside the grid's columns and rows (hidden ones counted) is refused.
    EXPECT_THROW(Grid->AddCheckBox(3, 1, true, true), EExtGridError);
    EXPECT_THROW(Grid->AddCheckBox(1, 4, cbChecked), EExtGridError);
    EXPECT_THROW(Grid->AddRadioButton(9, 9), EExtGridError);
}

TEST_F(ExtGridTest, CheckBoxStatesOfHiddenRowsAreReadAndSetByRealRow)
{
    Fill(3, 8);
    Grid->AddCheckBoxColumn(1, false, true);
    Grid->SetCellEx(1, 5, "Y");
    Grid->HideRows(4, 6);
    bool s = false;
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 5, s));   // real row 5, hidden
    EXPECT_TRUE(s);
    EXPECT_TRUE(Grid->SetCheckBoxState(1, 5, false));
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 7, s));   // real row 7 is display row 4
    EXPECT_FALSE(s);
    EXPECT_TRUE(Grid->SetCheckBoxState(1, 7, true));
    EXPECT_EQ(Grid->GetCellEx(1, 4), "Y");
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->GetCellEx(1, 5), "N");
    EXPECT_EQ(Grid->GetCellEx(1, 7), "Y");
}

TEST_F(ExtGridTest, RadioButtonsOfAColumnKeepOneChecked)
{
    Fill(3, 5);
    Grid->AddRadioButtonColumn(1);
    Grid->SetRadioButtonColumnIndex(1, 2);
    EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 2);
    EXPECT_TRUE(Grid->ClickRadioButtonCell(1, 4, false));
    EXPECT_EQ(Grid->GetRadioButtonColumnIndex(1), 4);
    EXPECT_FALSE(Grid->IsRadioButtonChecked(1, 2));
    // A radio group steps through its items and wraps.
    TStringList* items = Grid->CreateRadio(2, 1, 0, 1);
    items->Add("a");
    items->Add("b");
    Grid->AdvanceRadio(2, 1, false);
    EXPECT_EQ(Grid->GetCellEx(2, 1), "a");
    int idx = -1;
    EXPECT_TRUE(Grid->GetRadioIdx(2, 1, idx));
    EXPECT_EQ(idx, 0);
}

namespace {

// Where a press counts as a press on the box: anywhere in the cell, or on the box alone.
TEST_F(ExtGridTest, APressIsInTheCheckBoxAnywhereOrOnlyOnTheBox)
{
    Fill(4, 4);
    Grid->SetColWidths(1, 80);
    Grid->SetRowHeights(1, 40);
    Grid->AddCheckBox(1, 1, false, true);
    const TRect R = Grid->CellRect(1, 1);
    const int K = Grid->ControlLook()->CheckSize;
    // The box: 2 pixels in from the left, placed vertically as the box says.
    const TCellGraphic* g = Grid->GetCellGraphic(1, 1);
    ASSERT_TRUE(g);
    const int bx = R.Left + 2;
    const int by = g->CellVAlign == vaBottom   ? R.Bottom - K - 2
                   : g->CellVAlign == vaCenter ? R.Top + (R.Height() - K) / 2
                                               : R.Top + 2;
    struct Case {
        bool precise;
        int x, y;
        bool inside;
    } cases[] = {
        {false, bx, by, true},           {false, R.Right - 3, R.Bottom - 3, true},   // anywhere in the cell
        {true, bx, by, true},            {true, bx + K - 1, by + K - 1, true},
        {true, bx + K, by, false},       {true, bx, by + K, false},
        {true, bx - 1, by, false},       {true, R.Right - 3, R.Bottom - 3, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(String(k.precise ? "precise " : "") + IntToStr(k.x - bx) + "," + IntToStr(k.y - by));
        Grid->MouseActions()->PreciseCheckBoxCheck = k.precise;
        EXPECT_EQ(Grid->IsInCheckBox(1, 1, k.x, k.y), k.inside);
    }
    // A cell without a box never is.
    Grid->MouseActions()->PreciseCheckBoxCheck = false;
    EXPECT_FALSE(Grid->IsInCheckBox(2, 1, bx, by));
}

TEST_F(ExtGridTest, ATriStateColumnHasAHeaderBoxOnlyWithCheckAllCheck)
{
    for (bool all : {false, true}) {
        SCOPED_TRACE(all);
        Fill(3, 4);
        Grid->SetFixedRows(1);
        Grid->MouseActions()->CheckAllCheck = all;
        Grid->AddTriStateCheckBoxColumn(1, cbUnchecked);
        EXPECT_EQ(Grid->HasCheckBox(1, 0), all);
        for (int r = 1; r < 4; ++r) EXPECT_TRUE(Grid->HasCheckBox(1, r));
        Grid->RemoveCheckBoxColumn(1);
        EXPECT_FALSE(Grid->HasCheckBox(1, 0));
    }
}

}  // namespace
