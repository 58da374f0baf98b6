// The grid's picker editors as a user meets them in a grid with one column per kind:
// the picker opened from the cell's editor, a value chosen with the mouse and keys,
// Enter storing it in the cell, Esc keeping the old value, and a picture of a picker
// open over the grid.
#include <functional>

#include "gridext/celleditors/GridPickerEditors.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

enum { TrackCol = 1, MemoCol, CalcCol, TimeCol, DetailCol, MultiCol, ColourCol, ImageCol, GridListCol };
constexpr int ERow = 1;

class GridPickerEditorTest : public ExtGridTest {
public:
    using ExtGridTest::Grid;

protected:
    void SetUp() override
    {
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
        SetLongTimeFormatOverride("hh:nn:ss");
        ExtGridTest::SetUp();
        Fill(10, 3);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            static const TEditorType kinds[] = {edNormal,         edTrackbarDropDown,    edMemoDropDown,
                                                edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
                                                edGridDropDown,   edColorPickerDropDown, edImagePickerDropDown,
                                                edExtGridDropDown};
            e = kinds[c];
        };
        for (const char* c : {"Alpha", "Beta", "Gamma"}) DetailPickerDropDown(Grid)->Items()->Add()->SetCaption(c);
        // Three 16-pixel images: red, green, blue.
        Images = new TImageList(Form);
        TBitmap strip;
        strip.SetSize(48, 16);
        const TColor colours[] = {clRed, clLime, clBlue};
        for (int i = 0; i < 3; ++i) {
            strip.Canvas()->Brush()->SetColor(colours[i]);
            strip.Canvas()->FillRect(TRect(16 * i, 0, 16 * i + 16, 16));
        }
        Images->Add(&strip);
        Grid->SetGridImages(Images);
        TGridExtGridDropDown* x = ExtGridDropDown(Grid);
        for (const char* h : {"City", "Land"}) x->Columns()->Add()->Header = h;
        for (const auto& [city, land] : {std::pair{"Oslo", "NO"}, {"Paris", "FR"}, {"Rome", "IT"}}) {
            auto* it = x->Items()->Add();
            it->Text()->Add(city);
            it->Text()->Add(land);
        }
        x->EndUpdate();
        TGridGridDropDown* m = GridDropDown(Grid);
        for (const char* h : {"Code", "Name"}) m->Columns()->Add()->Header = h;
        m->SetLookupColumn(1);
        m->BeginUpdate();
        for (const auto& [code, name] : {std::pair{"A1", "Apple"}, {"B2", "Banana"}, {"C3", "Cherry"}}) {
            auto* it = m->Items()->Add();
            it->Text()->Add(code);
            it->Text()->Add(name);
        }
        m->EndUpdate();
        SetCells();
        TimePickerDropDown(Grid)->SetAnimation(false);
        UserFocus(Grid);
    }
    // The cells' values before any edit.
    void SetCells()
    {
        Grid->SetCellEx(TrackCol, ERow, "2");
        Grid->SetCellEx(MemoCol, ERow, "note");
        Grid->SetCellEx(CalcCol, ERow, "4");
        Grid->SetCellEx(TimeCol, ERow, "07:45:00");
        Grid->SetCellEx(DetailCol, ERow, "Beta");
        Grid->SetCellEx(MultiCol, ERow, "Banana");
        Grid->SetCellEx(ColourCol, ERow, "Red");
        Grid->SetColors(ColourCol, ERow, clRed);
        Grid->RemoveImageIdx(ImageCol, ERow);
        Grid->AddImageIdx(ImageCol, ERow, 1, haLeft, vaTop);
        Grid->SetCellEx(GridListCol, ERow, "Paris");
    }
    void TearDown() override
    {
        ExtGridTest::TearDown();
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        SetLongTimeFormatOverride("");
    }
    TExtCustomDropDown* Open(int col)
    {
        Grid->FocusCell(col, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
        return dynamic_cast<TExtCustomDropDown*>(Grid->EditCtrl);
    }
    String Cell(int col) { return Grid->GetCellEx(col, ERow); }
    TImageList* Images = nullptr;

public:
    // What the cell holds: its text; with its colour, or only its image, where the
    // editor writes those.
    String Value(int col)
    {
        if (col == ColourCol) return Cell(col) + " " + IntToHex(unsigned(Grid->GetColors(col, ERow)), 6);
        int idx = -1;
        if (col == ImageCol) return Grid->GetImageIdx(col, ERow, idx) ? "image " + IntToStr(idx) : String("none");
        return Cell(col);
    }
    // A click on list item I of a list picker's open drop-down.
    void ClickListItem(TExtCustomItemSelector* s, int I)
    {
        TCustomItemSelector* p = s->Panel();
        const TRect r = p->GetItemRect(I);
        UserClick(p, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void ClickPad(const String& name)
    {
        TGridCalculatorDropDown* c = CalculatorDropDown(Grid);
        const TRect r = c->Pad()->Buttons()->Items(c->PadButton("BTN_" + name))->BoundsRect();
        UserClick(c->Pad(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
};

// How the user opens a picker, chooses, and what the cell then holds.
struct Choice {
    const char* name;
    int col;
    std::function<void(GridPickerEditorTest*)> choose;
    const char* chosen;
};

std::vector<Choice> Choices()
{
    return {
        {"track bar: the thumb dragged", TrackCol,
         [](GridPickerEditorTest* t) {
             TPickerTrackBar* bar = TrackbarDropDown(t->Grid)->TrackBar();
             const TRect th = bar->ThumbRect();
             UserPress(bar, (th.Left + th.Right) / 2, th.Top + 5);
             UserMouseMove(bar, bar->PositionToX(7), th.Top + 5, {ssLeft});
             UserRelease(bar, bar->PositionToX(7), th.Top + 5);
         },
         "7"},
        {"memo: a line written in the memo", MemoCol,
         [](GridPickerEditorTest* t) {
             TMemo* m = MemoDropDown(t->Grid)->Memo();
             ASSERT_TRUE(m->Focused());
             m->SetSelStart(int(m->Text().size()));
             UserKey(m, VK_RETURN);
             UserType(m, "more");
             // F4 closes the memo; the edit goes on.
             UserKey(m, VK_F4);
         },
         "note\r\nmore"},
        {"calculator: a sum on the pad", CalcCol,
         [](GridPickerEditorTest* t) {
             for (const char* b : {"1", "2", "+", "3"}) t->ClickPad(b);
         },
         "15.00"},
        {"time: the clock's hour clicked", TimeCol,
         [](GridPickerEditorTest* t) {
             TExtWatch* w = TimePickerDropDown(t->Grid)->Panel()->Watch();
             const TPoint p = w->PointAt(TExtWatch::HourAngle(8, 0), w->Radius() * 0.5);
             UserClick(w, p.X, p.Y);
         },
         "08:45:00"},
        {"detail list: an item clicked", DetailCol,
         [](GridPickerEditorTest* t) { t->ClickListItem(DetailPickerDropDown(t->Grid)->ItemSelector(), 2); }, "Gamma"},
        // The grid keeps the arrows for ending the edit; a typed letter jumps in the list.
        {"detail list: a letter typed into the list", DetailCol,
         [](GridPickerEditorTest* t) { UserType(DetailPickerDropDown(t->Grid), "g"); }, "Gamma"},
        // A click closes the colour list with its choice; in the open list the arrows are
        // the list's.
        {"colour: a named colour clicked", ColourCol,
         [](GridPickerEditorTest* t) {
             t->ClickListItem(ColorPickerDropDown(t->Grid)->ItemSelector(), 12);
             EXPECT_FALSE(ColorPickerDropDown(t->Grid)->DroppedDown());
         },
         "Blue FF0000"},
        {"colour: the next colour by the arrow key", ColourCol,
         [](GridPickerEditorTest* t) { UserKey(ColorPickerDropDown(t->Grid), VK_DOWN); }, "Lime 00FF00"},
        {"image: an image clicked", ImageCol,
         [](GridPickerEditorTest* t) { t->ClickListItem(ImagePickerDropDown(t->Grid)->ItemSelector(), 2); },
         "image 2"},
        {"image: the first image by Home", ImageCol,
         [](GridPickerEditorTest* t) { UserKey(ImagePickerDropDown(t->Grid), VK_HOME); }, "image 0"},
        {"grid list: a row clicked", GridListCol,
         [](GridPickerEditorTest* t) {
             TExtStringGrid* g = ExtGridDropDown(t->Grid)->Grid();
             const TRect r = g->CellRect(0, 3);
             UserClick(g, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
         },
         "Rome"},
        {"grid list: a letter typed into the list", GridListCol,
         [](GridPickerEditorTest* t) { UserType(ExtGridDropDown(t->Grid), "o"); }, "Oslo"},
    };
}

TEST_F(GridPickerEditorTest, AChoiceLandsInTheCellAndEscKeepsTheOldValue)
{
    for (bool escape : {false, true}) {
        const std::vector<Choice> choices = Choices();
        for (size_t i = 0; i < choices.size(); ++i) {
            const Choice& c = choices[i];
            SCOPED_TRACE(String(c.name) + (escape ? " then Esc" : " then Enter"));
            const String old = Value(c.col);
            TExtCustomDropDown* e = Open(c.col);
            ASSERT_TRUE(e);
            ASSERT_TRUE(e->Focused());
            // By the button for some choices, by Alt+Down for the others.
            if (i % 2 == 0) {
                if (e->DropDownForm()) e->DropDownForm()->FDeActivate = GetTickCount() - 1000;
                UserClick(e->Button()->Button());
            } else {
                UserKey(e, VK_DOWN, {ssAlt});
            }
            ASSERT_TRUE(e->DroppedDown());
            c.choose(this);
            if (HasFatalFailure()) return;
            ASSERT_TRUE(e->Visible());
            ASSERT_TRUE(Grid->EditMode);
            UserKey(e, escape ? VK_ESCAPE : VK_RETURN);
            Application->ProcessMessages();
            EXPECT_FALSE(e->DroppedDown());
            EXPECT_FALSE(e->Visible());
            EXPECT_FALSE(Grid->EditMode);
            // The calculator writes its number to two decimals, whatever the key.
            const String kept = c.col == CalcCol ? old + ".00" : old;
            EXPECT_EQ(Value(c.col), escape ? kept : String(c.chosen));
            EXPECT_TRUE(Grid->Focused());
            // Back to the start for the Esc round.
            SetCells();
        }
    }
}

// A colour with no name has an empty text under the editor's default value style: Enter
// keeps the colour itself, and Esc after a choice leaves both the cell's own text and
// its colour, which the text alone could not bring back.
TEST_F(GridPickerEditorTest, AColourWithoutANameKeepsItsColour)
{
    Grid->SetCellEx(ColourCol, ERow, "sky");
    Grid->SetColors(ColourCol, ERow, TColor(0x123456));
    TExtCustomDropDown* e = Open(ColourCol);
    UserKey(e, VK_RETURN);
    EXPECT_EQ(Value(ColourCol), " 123456");
    Grid->SetCellEx(ColourCol, ERow, "sky");
    e = Open(ColourCol);
    UserKey(e, VK_DOWN, {ssAlt});
    ClickListItem(ColorPickerDropDown(Grid)->ItemSelector(), 0);
    EXPECT_EQ(ColorPickerDropDown(Grid)->SelectedColorText(), "Black");
    UserKey(e, VK_ESCAPE);
    EXPECT_FALSE(Grid->EditMode);
    EXPECT_EQ(Value(ColourCol), "sky 123456");
}

TEST_F(GridPickerEditorTest, ClickingAnotherCellStoresTheChoice)
{
    const std::vector<Choice> cases = {
        {"calculator", CalcCol, [](GridPickerEditorTest* t) { t->ClickPad("9"); }, "9.00"},
        {"colour", ColourCol,
         [](GridPickerEditorTest* t) { t->ClickListItem(ColorPickerDropDown(t->Grid)->ItemSelector(), 4); },
         "Navy 800000"},
        {"image", ImageCol,
         [](GridPickerEditorTest* t) { t->ClickListItem(ImagePickerDropDown(t->Grid)->ItemSelector(), 0); },
         "image 0"},
        {"grid list", GridListCol, [](GridPickerEditorTest* t) { UserType(ExtGridDropDown(t->Grid), "r"); }, "Rome"},
    };
    for (const Choice& c : cases) {
        SCOPED_TRACE(c.name);
        TExtCustomDropDown* e = Open(c.col);
        ASSERT_TRUE(e);
        UserKey(e, VK_F4);
        ASSERT_TRUE(e->DroppedDown());
        c.choose(this);
        const TRect R = Grid->CellRect(1, 2);
        UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        Application->ProcessMessages();
        EXPECT_FALSE(e->DroppedDown());
        EXPECT_FALSE(Grid->EditMode);
        EXPECT_EQ(Value(c.col), c.chosen);
    }
}

// An edit begun by a click puts the caret under the pointer; the time editor keeps its
// caret where the edit begins, as its keys step the field there.
TEST_F(GridPickerEditorTest, AClickThatBeginsTheEditPutsTheCaretUnderThePointer)
{
    Grid->MouseActions()->DirectEdit = true;
    Grid->SetCellEx(TrackCol, ERow, "1");
    TrackbarDropDown(Grid)->SetMax(100000);
    Grid->SetCellEx(TrackCol, ERow, "12345");
    Grid->SetCellEx(MemoCol, ERow, "abcdefgh");
    Grid->SetCellEx(CalcCol, ERow, "12345");
    for (int col : {TrackCol, MemoCol, CalcCol}) {
        SCOPED_TRACE(col);
        Grid->FocusCell(TimeCol, 2, true);
        UserFocus(Grid);
        const TRect R = Grid->CellRect(col, ERow);
        const int x = R.Left + 26, y = (R.Top + R.Bottom) / 2;
        UserClick(Grid, x, y);
        auto* e = dynamic_cast<TExtCustomDropDown*>(Grid->EditCtrl);
        ASSERT_TRUE(e && e->Focused());
        const int at = e->CharFromPos(x - e->Left());
        EXPECT_GT(at, 0);
        EXPECT_LT(at, int(e->Text().size()));
        EXPECT_EQ(e->SelStart(), at);
        EXPECT_EQ(e->SelLength(), 0);
        UserKey(e, VK_ESCAPE);
    }
}

// The calculator's pad and the detail list open over the grid: the pop-up hangs below
// the cell's editor, which shows the value in dark text.
TEST_F(GridPickerEditorTest, PicturesOfPickersOpenOverTheGrid)
{
    const auto dark = [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60; };
    struct Case {
        int col;
        const char *gridPng, *openPng;
        std::function<int(TBitmap&)> count;
        int atLeast;
    };
    const Case cases[] = {
        // The pad's dark-red operator captions.
        {CalcCol, "grid_picker_cell.png", "grid_picker_open.png",
         [](TBitmap& b) { return Count_Pixels(b, TRect(0, 0, b.Width(), b.Height()), TColor(0x000080)); }, 40},
        // The list's three captions in dark text, the cell's item in the selection colour.
        {DetailCol, "grid_detail_cell.png", "grid_detail_open.png",
         [&](TBitmap& b) { return Count_Pixels(b, TRect(0, 0, b.Width(), b.Height()), dark); }, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.openPng);
        const String old = Cell(c.col);
        TExtCustomDropDown* e = Open(c.col);
        UserKey(e, VK_DOWN, {ssAlt});
        ASSERT_TRUE(e->DroppedDown());
        Application->ProcessMessages();
        const TPoint cell = Grid->ClientToScreen(TPoint(e->Left(), e->Top() + e->Height() - 1));
        EXPECT_EQ(e->DropDownForm()->Left(), cell.X);
        EXPECT_EQ(e->DropDownForm()->Top(), cell.Y);
        TBitmap grid, open;
        ASSERT_TRUE(SNAPSHOT(Grid, c.gridPng, grid));
        ASSERT_TRUE(SNAPSHOT(e->DropDownForm(), c.openPng, open));
        EXPECT_GT(Count_Pixels(grid, TRect(e->Left(), e->Top(), e->Left() + e->Width() - 20, e->Top() + e->Height()),
                               [](TColor k) { return (k & 0xFF) < 0x60; }),
                  5);
        EXPECT_GT(c.count(open), c.atLeast);
        UserKey(e, VK_ESCAPE);
        // The calculator writes its number to two decimals, whatever the key.
        EXPECT_EQ(Cell(c.col), c.col == CalcCol ? old + ".00" : old);
    }
}

}  // namespace
