// The grid's time editor reads and writes its cell in the picker's own format without
// touching the program's formats, and the grid's date-picker events hear the pickers
// with their calendar: the change first, then the calendar's opening and closing.
#include <algorithm>
#include <vector>

#include "gridedit/DateTimePickers.h"
#include "gridedit/GridEditors.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

constexpr int ECol = 2, ERow = 2;

class DateEditorTest : public ExtGridTest {
protected:
    TEditorType Kind = edTimeEdit;
    std::vector<String> Log;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Fill(5, 5);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
            if (c == ECol && r == ERow) e = Kind;
        };
        UserFocus(Grid);
    }
    void TearDown() override
    {
        ExtGridTest::TearDown();
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }
    String At(int c, int r) { return IntToStr(c) + "," + IntToStr(r); }
};

TEST_F(DateEditorTest, ATimeEditorUsesItsOwnFormatAndLeavesTheProgramsAlone)
{
    Grid->SetCellEx(ECol, ERow, "10:20:35");
    Grid->OnGetEditorProp = [](TObject* Sender, int, int, TEditLink*) {
        DateTimePicker(static_cast<TExtStringGrid*>(Sender))->SetFormat("hh:nn");
    };
    // Whatever runs while the value is read, stored and validated sees the program's format.
    Grid->OnCellValidate = [this](TObject*, int, int, String& v, bool&) {
        Log.push_back("validate " + v + " in " + GetLongTimeFormat());
    };
    Grid->OnCellsChanged = [this](TObject*, const TRect&) { Log.push_back("stored in " + GetLongTimeFormat()); };
    Grid->FocusCell(ECol, ERow, true);
    UserKey(Grid, VK_F2);
    TGridDatePicker* dp = DateTimePicker(Grid);
    ASSERT_TRUE(dp->Visible());
    EXPECT_EQ(dp->Text(), "10:20");
    EXPECT_EQ(GetLongTimeFormat(), "hh:nn:ss");
    UserKey(dp, VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->GetCellEx(ECol, ERow), "10:20");
    ASSERT_FALSE(Log.empty());
    for (const String& s : Log) EXPECT_NE(s.find("hh:nn:ss"), String::npos) << s;
    EXPECT_NE(std::find(Log.begin(), Log.end(), "validate 10:20 in hh:nn:ss"), Log.end());
    EXPECT_EQ(GetLongTimeFormat(), "hh:nn:ss");
}

// The grid's date-picker handlers, wired to a picker the way the grid wires its own:
// a day picked in the calendar reaches OnEditChange before the calendar's close-up.
TEST_F(DateEditorTest, TheGridHearsThePickersCalendarInOrder)
{
    Grid->OnEditChange = [this](TObject*, int c, int r, const String& v) { Log.push_back("change " + At(c, r) + " " + v); };
    Grid->OnDatePickerDropDown = [this](TObject*, int r, int c) { Log.push_back("dropdown " + At(c, r)); };
    Grid->OnDatePickerCloseUp = [this](TObject*, int r, int c) { Log.push_back("closeup " + At(c, r)); };
    Grid->FocusCell(ECol, ERow, true);
    auto* p = new TAsgDateTimePicker(Grid);
    p->SetParent(Grid);
    p->SetBounds(10, 10, 150, 21);
    p->SetDateTime(EncodeDate(2024, 6, 15));
    p->OnChange = [this, p](TObject*) { Grid->DatePickerChange(p->Kind() == dtkTime, p->DateTime()); };
    p->OnDropDown = [this](TObject*) { Grid->DatePickerDropDown(); };
    p->OnCloseUp = [this](TObject*) { Grid->DatePickerCloseUp(); };
    UserFocus(p);
    UserKey(p, VK_DOWN, TShiftState{ssAlt});
    const TRect d = p->Calendar()->DayRect(EncodeDate(2024, 6, 27));
    UserClick(p->Calendar(), (d.Left + d.Right) / 2, (d.Top + d.Bottom) / 2);
    const std::vector<String> want = {"dropdown 2,2", "change 2,2 27/06/2024", "closeup 2,2"};
    EXPECT_EQ(Log, want);
}

// Open in a cell, the date editor shows no 3-D edge of its own: its two outer rings of
// pixels are the window colour, while a picker of the same kind outside the grid keeps
// its sunken edge there.
TEST_F(DateEditorTest, TheDateEditorHidesItsEdgeInsideTheCell)
{
    Kind = edDateEdit;
    Grid->SetCellEx(ECol, ERow, "15/06/2024");
    Grid->FocusCell(ECol, ERow, true);
    UserKey(Grid, VK_F2);
    TGridDatePicker* dp = DateTimePicker(Grid);
    ASSERT_TRUE(dp->Visible());
    auto ring = [](TBitmap& png, int n, TColor c) {
        const int W = png.Width(), H = png.Height();
        int n2 = 0;
        for (int x = n; x < W - n; ++x) n2 += (png.Canvas()->Pixels(x, n) == c) + (png.Canvas()->Pixels(x, H - 1 - n) == c);
        for (int y = n + 1; y < H - 1 - n; ++y)
            n2 += (png.Canvas()->Pixels(n, y) == c) + (png.Canvas()->Pixels(W - 1 - n, y) == c);
        return n2 == 2 * (W - 2 * n) + 2 * (H - 2 - 2 * n);
    };
    const TColor window = TColor(ColorToRGB(clWindow));
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(dp, "date_editor_in_cell.png", png));
    EXPECT_TRUE(ring(png, 0, window));
    EXPECT_TRUE(ring(png, 1, window));
    // The fields are still drawn inside the frame.
    EXPECT_GT(Count_Pixels(png, TRect(2, 2, png.Width() - 2, png.Height() - 2), [&](TColor c) { return c != window; }), 20);

    auto* plain = new TAsgDateTimePicker(Form);
    plain->SetParent(Form);
    plain->SetBounds(10, 302, dp->Width(), dp->Height());
    plain->SetDateTime(EncodeDate(2024, 6, 15));
    TBitmap other;
    ASSERT_TRUE(SNAPSHOT(plain, "date_picker_plain.png", other));
    EXPECT_FALSE(ring(other, 0, window));
    EXPECT_FALSE(ring(other, 1, window));
}

}  // namespace
