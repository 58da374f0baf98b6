// The grid's spin, edit-with-button, unit and date, time and date-time editors worked
// through their own controls: opened by key and by mouse, the value changed with the
// spin buttons, the edit button, the unit menu, the field keys and the drop-down
// calendar, and the edit ended with Enter, Tab or Esc.
#include <functional>
#include <vector>

#include "gridedit/GridEditors.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"

namespace {

constexpr int ERow = 1;
// One column per editor kind.
const std::vector<TEditorType> Kinds = {edSpinEdit, edEditBtn, edUnitEditBtn, edDateEdit, edTimeEdit, edDateTimeEdit};

TPoint Mid(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

class EditorControlsTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Fill(int(Kinds.size()) + 2, 4);
        for (int c = 1; c <= int(Kinds.size()); ++c) Grid->SetColWidths(c, 120);
        Grid->SetOptions(Grid->Options() << goEditing << goTabs);
        Grid->OnGetEditorType = [](TObject*, int c, int r, TEditorType& e) {
            if (r == ERow && c >= 1 && c <= int(Kinds.size())) e = Kinds[size_t(c - 1)];
        };
        Grid->OnEllipsClick = [](TObject*, int, int, String& s) { s = "picked " + s; };
        BtnUnitEdit(Grid)->Units()->SetText("m\nkm");
        UserFocus(Grid);
    }
    void TearDown() override
    {
        ExtGridTest::TearDown();
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }
    static void Pump() { Application->ProcessMessages(); }
    // F2 on the current cell.
    void OpenByKey(int col)
    {
        Grid->FocusCell(col, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
        Pump();
    }
    // A click makes the cell current, a second click opens its editor.
    void OpenByMouse(int col)
    {
        Grid->FocusCell(col + 1, ERow + 1, true);
        UserFocus(Grid);
        const TPoint m = Mid(Grid->CellRect(col, ERow));
        UserClick(Grid, m.X, m.Y);
        Pump();
        UserClick(Grid, m.X, m.Y);
        Pump();
    }
};

struct ControlCase {
    TEditorType kind;
    String start;
    std::function<void(TExtStringGrid*, TWinControl*)> change;   // with the editor's own controls
    String changed;   // the cell after the change was taken
};

void ClickCalendarDay(TDateTimePicker* p, TDateTime day)
{
    UserClick(p, Mid(p->ButtonRect()).X, Mid(p->ButtonRect()).Y);
    Application->ProcessMessages();
    ASSERT_TRUE(p->DroppedDown());
    const TPoint m = Mid(p->Calendar()->DayRect(day));
    UserClick(p->Calendar(), m.X, m.Y);
    Application->ProcessMessages();
}

std::vector<ControlCase> ControlCases()
{
    return {
        {edSpinEdit, "10",
         [](TExtStringGrid*, TWinControl* e) {
             auto* sp = dynamic_cast<TGridSpin*>(e);
             ASSERT_TRUE(sp);
             UserClick(sp->Button()->UpButton());
             UserClick(sp->Button()->UpButton());
             UserClick(sp->Button()->DownButton());
         },
         "11"},
        {edEditBtn, "abc",
         [](TExtStringGrid*, TWinControl* e) {
             auto* eb = dynamic_cast<TGridEditBtn*>(e);
             ASSERT_TRUE(eb);
             UserClick(eb->Button()->Button());
         },
         "picked abc"},
        {edUnitEditBtn, "5m",
         [](TExtStringGrid*, TWinControl* e) {
             auto* ub = dynamic_cast<TGridUnitEditBtn*>(e);
             ASSERT_TRUE(ub);
             TInteractionScript script;
             script.PickMenu("km");
             UserClick(ub->Button()->Button());
             Application->ProcessMessages();
             EXPECT_EQ(script.Problems(), "");
         },
         "picked 5km"},
        {edDateEdit, "24/12/2025",
         [](TExtStringGrid*, TWinControl* e) {
             auto* dp = dynamic_cast<TGridDatePicker*>(e);
             ASSERT_TRUE(dp);
             ClickCalendarDay(dp, EncodeDate(2025, 12, 10));
         },
         "10/12/2025"},
        // The time picker steps the field it stands in: the hour first, then the minutes.
        {edTimeEdit, "10:20:30",
         [](TExtStringGrid*, TWinControl* e) {
             UserKey(e, VK_UP);
             UserKey(e, VK_RIGHT);
             UserKey(e, VK_DOWN);
         },
         "11:19:30"},
        {edDateTimeEdit, "24/12/2025 10:20",
         [](TExtStringGrid*, TWinControl* e) {
             auto* dp = dynamic_cast<TGridDateTimePicker*>(e);
             ASSERT_TRUE(dp);
             ClickCalendarDay(dp, EncodeDate(2025, 12, 3));
         },
         "03/12/2025 10:20"},
    };
}

// ---------------------------------------------------------------- a fresh window per edit

// A spin button still held when the edit ends by a key is let go when the editor opens
// next: its repeats step neither the cell the edit ended in nor the next one. A held
// edit button, and a date picker whose calendar was left open, open up and closed.
TEST_F(EditorControlsTest, NothingHeldInAnEditorCarriesOverToItsNextEdit)
{
    Grid->SetCellEx(1, ERow, "5");
    Grid->SetCellEx(1, ERow + 1, "20");
    Grid->OnGetEditorType = [](TObject*, int c, int r, TEditorType& e) {
        if (c == 1 && r >= ERow) e = edSpinEdit;
        if (c == 2 && r >= ERow) e = edEditBtn;
        if (c == 4 && r >= ERow) e = edDateEdit;
    };
    OpenByKey(1);
    TGridSpin* sp = SpinEdit(Grid);
    ASSERT_TRUE(sp->Visible());
    TExtTimerSpeedButton* up = sp->Button()->UpButton();
    UserPress(up);
    // The held button repeats.
    up->TimerExpired();
    EXPECT_EQ(sp->Text(), "6");
    UserKey(sp, VK_RETURN);
    Pump();
    EXPECT_EQ(Grid->GetCellEx(1, ERow), "6");
    Grid->FocusCell(1, ERow + 1, true);
    UserFocus(Grid);
    UserKey(Grid, VK_F2);
    ASSERT_TRUE(sp->Visible());
    EXPECT_EQ(sp->Text(), "20");
    ASSERT_TRUE(up->RepeatTimer());
    EXPECT_FALSE(up->RepeatTimer()->Enabled());
    up->TimerExpired();
    EXPECT_EQ(sp->Text(), "20");
    EXPECT_EQ(up->State(), bsUp);
    UserKey(sp, VK_ESCAPE);
    EXPECT_EQ(Grid->GetCellEx(1, ERow), "6");
    EXPECT_EQ(Grid->GetCellEx(1, ERow + 1), "20");

    OpenByKey(2);
    TGridEditBtn* eb = BtnEdit(Grid);
    ASSERT_TRUE(eb->Visible());
    TExtSpeedButton* b = eb->Button()->Button();
    UserPress(b);
    EXPECT_TRUE(b->ShowsDown());
    UserKey(eb, VK_ESCAPE);
    OpenByKey(2);
    EXPECT_FALSE(b->ShowsDown());
    EXPECT_FALSE(b->MouseCapture());
    UserKey(eb, VK_ESCAPE);

    Grid->SetCellEx(4, ERow, "15/06/2024");
    OpenByKey(4);
    TGridDatePicker* dp = DateTimePicker(Grid);
    ASSERT_TRUE(dp->Visible());
    dp->SetDroppedDown(true);
    ASSERT_TRUE(dp->DroppedDown());
    Grid->HideInplaceEdit();
    OpenByKey(4);
    EXPECT_FALSE(dp->DroppedDown());
    UserKey(dp, VK_ESCAPE);
}

}  // namespace

TEST_F(EditorControlsTest, EachEditorTakesItsControlsChoiceOnEnterAndTabAndDropsItOnEsc)
{
    const std::vector<ControlCase> cases = ControlCases();
    for (size_t i = 0; i < cases.size(); ++i) {
        const ControlCase& c = cases[i];
        const int col = int(i) + 1;
        for (bool byMouse : {false, true}) {
            for (WORD key : {WORD(VK_RETURN), WORD(VK_TAB), WORD(VK_ESCAPE)}) {
                SCOPED_TRACE(c.start + (byMouse ? " by mouse, key " : " by key, key ") + IntToStr(key));
                Grid->SetCellEx(col, ERow, c.start);
                if (byMouse) OpenByMouse(col);
                else OpenByKey(col);
                ASSERT_TRUE(Grid->EditMode);
                ASSERT_EQ(Grid->EditControl, c.kind);
                TWinControl* e = Grid->EditCtrl;
                ASSERT_TRUE(e && e->Visible());
                c.change(Grid, e);
                ASSERT_TRUE(Grid->EditMode) << "the control's own input ended the edit";
                UserKey(e, key);
                Pump();
                EXPECT_FALSE(Grid->EditMode);
                EXPECT_EQ(Grid->GetCellEx(col, ERow), key == VK_ESCAPE ? c.start : c.changed);
                EXPECT_EQ(Grid->Col(), key == VK_TAB ? col + 1 : col);
                EXPECT_EQ(Grid->Row(), ERow);
            }
        }
    }
}

// The calendar dropped down from a date cell lies below the cell, over the grid.
TEST_F(EditorControlsTest, PictureOfTheCalendarDroppedFromADateCell)
{
    const int col = 4;
    Grid->SetCellEx(col, ERow, "24/12/2025");
    OpenByKey(col);
    auto* dp = dynamic_cast<TGridDatePicker*>(Grid->EditCtrl);
    ASSERT_TRUE(dp);
    UserKey(dp, VK_F4);
    Pump();
    ASSERT_TRUE(dp->DroppedDown());
    TBitmap formPng, dropPng;
    ASSERT_TRUE(SNAPSHOT(Form, "grid_calendar_form.png", formPng));
    ASSERT_TRUE(SNAPSHOT(dp->DropWindow(), "grid_calendar_drop.png", dropPng));
    // One picture: the drop-down window drawn where it stands over the form.
    const TPoint at = Form->ScreenToClient(TPoint(dp->DropWindow()->Left(), dp->DropWindow()->Top()));
    const TPoint cell = Grid->ClientToScreen(TPoint(Grid->CellRect(col, ERow).Left, Grid->CellRect(col, ERow).Bottom));
    EXPECT_EQ(dp->DropWindow()->Left(), cell.X);
    EXPECT_GE(dp->DropWindow()->Top(), cell.Y - 2);
    TBitmap both(std::max(formPng.Width(), at.X + dropPng.Width()), std::max(formPng.Height(), at.Y + dropPng.Height()));
    both.Canvas()->Draw(0, 0, &formPng);
    both.Canvas()->Draw(at.X, at.Y, &dropPng);
    both.SaveToFile(TEST_OUTPUT("grid_calendar_dropped.png"));
    // The selected day (24 December) is highlighted in the calendar.
    const TRect sel = dp->Calendar()->DayRect(EncodeDate(2025, 12, 24));
    ASSERT_FALSE(sel.Right <= sel.Left);
    EXPECT_GT(Count_Pixels(dropPng, sel, [](TColor c) { return c != clWhite && c != 0xFFFFFF; }), 0);
    UserKey(dp, VK_ESCAPE);
    Pump();
    EXPECT_FALSE(dp->DroppedDown());
    EXPECT_TRUE(Grid->EditMode);
}

// The spin editor's steps reach the grid: the buttons through the event of the spin kind
// with the stepped value, the page keys with Alt, Home and End through the integer event.
// With Alt the page keys never step past a limit; Home and End jump to the limits.
TEST_F(EditorControlsTest, SpinStepsReportToTheGridAndKeepToTheLimits)
{
    std::vector<String> log;
    Grid->OnSpinClick = [&](TObject*, int c, int r, int v, bool up) {
        log.push_back("int " + IntToStr(c) + "," + IntToStr(r) + " " + IntToStr(v) + (up ? " up" : " down"));
    };
    Grid->OnFloatSpinClick = [&](TObject*, int, int, double v, bool up) {
        log.push_back("float " + FloatToStr(v, '.') + (up ? " up" : " down"));
    };
    Grid->OnDateSpinClick = [&](TObject*, int, int, TDateTime v, bool up) {
        log.push_back("date " + FormatDateTime("dd/mm/yyyy", v) + (up ? " up" : " down"));
    };
    Grid->OnTimeSpinClick = [&](TObject*, int, int, TDateTime v, bool up) {
        log.push_back("time " + FormatDateTime("hh:nn:ss", v) + (up ? " up" : " down"));
    };
    struct {
        TEditorType kind;
        String start;
        std::function<void(TGridSpin*)> act;
        std::vector<String> events;
        String cell;   // after Enter
    } cases[] = {
        {edSpinEdit, "10",
         [](TGridSpin* sp) {
             UserClick(sp->Button()->UpButton());
             UserClick(sp->Button()->DownButton());
             UserClick(sp->Button()->DownButton());
         },
         {"int 1,1 11 up", "int 1,1 10 down", "int 1,1 9 down"}, "9"},
        {edFloatSpinEdit, "2.5", [](TGridSpin* sp) { UserClick(sp->Button()->UpButton()); }, {"float 2.6 up"}, "2.60"},
        // The caret stands in the day: the day steps.
        {edDateSpinEdit, "24/12/2025", [](TGridSpin* sp) { UserClick(sp->Button()->DownButton()); },
         {"date 23/12/2025 down"}, "23/12/2025"},
        {edTimeSpinEdit, "10:20:30", [](TGridSpin* sp) { UserClick(sp->Button()->UpButton()); },
         {"time 11:20:30 up"}, "11:20:30"},
        // Alt+PgUp at the upper limit changes nothing, but still reports.
        {edSpinEdit, "100", [](TGridSpin* sp) { UserKey(sp, VK_PRIOR, TShiftState{ssAlt}); }, {"int 1,1 100 up"},
         "100"},
        {edSpinEdit, "99", [](TGridSpin* sp) { UserKey(sp, VK_PRIOR, TShiftState{ssAlt}); }, {"int 1,1 100 up"},
         "100"},
        {edSpinEdit, "0", [](TGridSpin* sp) { UserKey(sp, VK_NEXT, TShiftState{ssAlt}); }, {"int 1,1 0 down"}, "0"},
        {edSpinEdit, "40", [](TGridSpin* sp) { UserKey(sp, VK_END); }, {"int 1,1 0 down"}, "0"},
        {edSpinEdit, "40", [](TGridSpin* sp) { UserKey(sp, VK_HOME); }, {"int 1,1 100 up"}, "100"},
        // Dates leave Home and End to the text.
        {edDateSpinEdit, "24/12/2025", [](TGridSpin* sp) { UserKey(sp, VK_END); }, {}, "24/12/2025"},
    };
    TEditorType kind = edSpinEdit;
    Grid->OnGetEditorType = [&](TObject*, int c, int r, TEditorType& e) {
        if (c == 1 && r == ERow) e = kind;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start + " kind " + IntToStr(int(c.kind)));
        kind = c.kind;
        Grid->SetCellEx(1, ERow, c.start);
        OpenByKey(1);
        auto* sp = dynamic_cast<TGridSpin*>(Grid->EditCtrl);
        ASSERT_TRUE(sp);
        sp->SetSelStart(0);
        log.clear();
        c.act(sp);
        EXPECT_EQ(log, c.events);
        UserKey(sp, VK_RETURN);
        Pump();
        EXPECT_EQ(Grid->GetCellEx(1, ERow), c.cell);
    }
}

// A digit that completes a field of the date editor moves on to the next field, except
// from the field the display format ends with; without a display format a changed year
// never moves on; the time editor moves on after the hour, minutes and seconds.
TEST_F(EditorControlsTest, DigitsMoveTheDateEditorOnToTheNextField)
{
    struct {
        const char* name;
        TEditorType kind;
        const char* shortDate;   // the region's short date pattern
        String format;           // the picker's display format
        String start;
        int field;
        String digits;
        int fieldAfter;
    } cases[] = {
        {"day, no format", edDateEdit, "dd/mm/yyyy", "", "24/12/2025", 0, "05", 1},
        {"month, no format", edDateEdit, "dd/mm/yyyy", "", "24/12/2025", 1, "03", 2},
        {"year first, no format", edDateEdit, "yyyy/mm/dd", "", "2025/12/24", 0, "2026", 0},
        {"year first, format ends with the day", edDateEdit, "dd/mm/yyyy", "yyyy/mm/dd", "24/12/2025", 0, "2026", 1},
        {"day last, format ends with the day", edDateEdit, "dd/mm/yyyy", "yyyy/mm/dd", "24/12/2025", 2, "05", 2},
        {"month, format ends with the month", edDateEdit, "dd/mm/yyyy", "dd/yyyy/mm", "24/12/2025", 2, "03", 2},
        {"year in the middle, format ends with the month", edDateEdit, "dd/mm/yyyy", "dd/yyyy/mm", "24/12/2025", 1,
         "2026", 2},
        {"a digit that changes nothing", edDateEdit, "dd/mm/yyyy", "", "24/12/2025", 0, "24", 0},
        {"hour", edTimeEdit, "dd/mm/yyyy", "", "10:20:30", 0, "11", 1},
        {"half an hour typed", edTimeEdit, "dd/mm/yyyy", "", "10:20:30", 0, "1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetShortDateFormatOverride(c.shortDate);
        const int col = c.kind == edDateEdit ? 4 : 5;
        Grid->OnGetEditorProp = [&c](TObject* Sender, int, int, TEditLink*) {
            DateTimePicker(static_cast<TExtStringGrid*>(Sender))->SetFormat(c.format);
        };
        Grid->SetCellEx(col, ERow, c.start);
        OpenByKey(col);
        auto* dp = dynamic_cast<TGridDatePicker*>(Grid->EditCtrl);
        ASSERT_TRUE(dp);
        dp->SetCurrentField(c.field);
        UserType(dp, c.digits);
        Pump();
        EXPECT_EQ(dp->CurrentField(), c.fieldAfter);
        UserKey(dp, VK_ESCAPE);
        Pump();
        EXPECT_FALSE(Grid->EditMode);
    }
}

// The date-time editor's time part is a picker of its own: clicking into it keeps the
// edit open, its keys end the edit as the date part's do, and clicking back into the
// grid from it stores the value.
TEST_F(EditorControlsTest, TheDateTimeEditorsTimePartEditsInTheCell)
{
    const int col = 6;
    struct {
        const char* name;
        std::function<void(TWinControl* timePart)> end;
        String cell;
        bool tabbed;
    } cases[] = {
        {"Enter", [](TWinControl* t) { UserKey(t, VK_RETURN); }, "24/12/2025 10:45", false},
        {"Tab", [](TWinControl* t) { UserKey(t, VK_TAB); }, "24/12/2025 10:45", true},
        {"Esc", [](TWinControl* t) { UserKey(t, VK_ESCAPE); }, "24/12/2025 10:20", false},
        {"click on another cell",
         [this](TWinControl*) {
             const TPoint m = Mid(Grid->CellRect(Grid->LeftCol(), ERow + 1));
             UserClick(Grid, m.X, m.Y);
         },
         "24/12/2025 10:45", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->SetCellEx(col, ERow, "24/12/2025 10:20");
        OpenByKey(col);
        auto* dp = dynamic_cast<TGridDateTimePicker*>(Grid->EditCtrl);
        ASSERT_TRUE(dp);
        TWinControl* tp = dp->TimePicker();
        ASSERT_TRUE(tp && tp->Visible());
        UserClick(tp, 3, tp->Height() / 2);
        Pump();
        ASSERT_TRUE(Grid->EditMode);
        ASSERT_TRUE(tp->Focused());
        UserKey(tp, VK_RIGHT);
        UserType(tp, "45");
        Pump();
        ASSERT_TRUE(Grid->EditMode);
        c.end(tp);
        Pump();
        EXPECT_FALSE(Grid->EditMode);
        EXPECT_FALSE(dp->Visible());
        EXPECT_EQ(Grid->GetCellEx(col, ERow), c.cell);
        if (c.tabbed) EXPECT_EQ(Grid->Col(), col + 1);
        else EXPECT_NE(Grid->Col(), col + 1);
    }
}

// The numeric and decimal edits with button (and with unit) refuse what cannot belong to
// their number: "-" only at the start of a text without one, one decimal separator
// unless the selection holds the first; refusals beep where a user must hear them.
TEST_F(EditorControlsTest, NumericButtonEditsFilterTypedCharacters)
{
    SetDecimalSeparatorOverride('.');
    struct {
        const char* name;
        TEditorType kind;
        String start;
        int selStart, selLength;
        String typed;
        String text;   // the editor's text afterwards
        int beeps;
    } cases[] = {
        {"minus after the first digit", edNumericEditBtn, "12", 1, 0, "-", "12", 1},
        {"minus at the start", edNumericEditBtn, "12", 0, 0, "-", "-12", 0},
        {"a second minus", edNumericEditBtn, "-12", 0, 0, "-", "-12", 1},
        {"a letter", edNumericEditBtn, "12", 2, 0, "a", "12", 1},
        {"a second separator", edFloatEditBtn, "1.5", 3, 0, ".", "1.5", 0},
        {"a separator over the first", edFloatEditBtn, "1.5", 1, 1, ".", "1.5", 0},
        {"the thousand separator", edFloatEditBtn, "1.5", 3, 0, ",", "1.5", 0},
        {"a letter in a decimal", edFloatEditBtn, "1.5", 3, 0, "x", "1.5", 0},
        {"minus in a decimal, not at the start", edFloatEditBtn, "1.5", 1, 0, "-", "1.5", 1},
        {"minus over the selected minus", edFloatEditBtn, "-1.5", 0, 1, "-", "-1.5", 0},
        {"digits", edFloatEditBtn, "1.5", 3, 0, "25", "1.525", 0},
        {"minus with a unit", edNumericUnitEditBtn, "12", 1, 0, "-", "12", 1},
        {"a second separator with a unit", edFloatUnitEditBtn, "1.5", 3, 0, ".", "1.5", 0},
        {"anything in a plain edit", edEditBtn, "12", 2, 0, "-x.", "12-x.", 0},
    };
    TEditorType kind = edEditBtn;
    Grid->OnGetEditorType = [&](TObject*, int c, int r, TEditorType& e) {
        if (c == 1 && r == ERow) e = kind;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kind = c.kind;
        Grid->SetCellEx(1, ERow, c.start);
        OpenByKey(1);
        auto* e = dynamic_cast<TCustomMaskEdit*>(Grid->EditCtrl);
        ASSERT_TRUE(e);
        e->SetSelStart(c.selStart);
        e->SetSelLength(c.selLength);
        const int beeps = MessageBeepCount();
        UserType(e, c.typed);
        EXPECT_EQ(e->Text(), c.text);
        EXPECT_EQ(MessageBeepCount() - beeps, c.beeps);
        UserKey(e, VK_ESCAPE);
        Pump();
    }
    SetDecimalSeparatorOverride(0);
}

// Pasting into the edit with button: a text whose line break ends it comes in without
// it, at the caret or over the selection; the grid's clipboard events may refuse it.
TEST_F(EditorControlsTest, PastingIntoTheEditWithButton)
{
    bool allowPaste = true;
    String replaceWith;
    Grid->OnClipboardPaste = [&](TObject*, bool& allow) { allow = allow && allowPaste; };
    Grid->OnClipboardBeforePasteCell = [&](TObject*, int, int, String& v, bool&) {
        if (!replaceWith.empty()) v = replaceWith;
    };
    struct {
        const char* name;
        String clip;
        int selStart, selLength;
        bool allow;
        String replace;
        String text;
        int caret, selected;
    } cases[] = {
        {"a line break at the end", "xy\r\n", 1, 0, true, "", "axybc", 3, 0},
        {"over the selection", "XY", 1, 1, true, "", "aXYc", 1, 2},
        {"a line break inside stays", "x\r\ny", 3, 0, true, "", "abcx\r\ny", 7, 0},
        {"refused", "xy", 1, 0, false, "", "abc", 1, 0},
        {"changed by the event", "xy", 3, 0, true, "Z", "abcZ", 4, 0},
        {"nothing on the clipboard", "", 1, 0, true, "", "abc", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        allowPaste = c.allow;
        replaceWith = c.replace;
        Grid->SetCellEx(2, ERow, "abc");
        OpenByKey(2);
        auto* eb = dynamic_cast<TGridEditBtn*>(Grid->EditCtrl);
        ASSERT_TRUE(eb);
        Clipboard()->SetAsText(c.clip);
        eb->SetSelStart(c.selStart);
        eb->SetSelLength(c.selLength);
        UserKey(eb, 'V', TShiftState{ssCtrl});
        EXPECT_EQ(eb->Text(), c.text);
        EXPECT_EQ(eb->SelStart(), c.caret);
        EXPECT_EQ(eb->SelLength(), c.selected);
        // The cell follows at once.
        EXPECT_EQ(Grid->GetCellEx(2, ERow), c.text);
        UserKey(eb, VK_ESCAPE);
        Pump();
        EXPECT_EQ(Grid->GetCellEx(2, ERow), "abc");
    }
}

// With CursorWalkEditor the caret walks out of the edit with button: a Left that brings
// the caret to the start stays in the text, the next Left leaves the cell; the same to
// the right from the end. The text is stored as the cell is left.
TEST_F(EditorControlsTest, TheCaretWalksOutOfTheEditWithButton)
{
    Grid->Navigation()->CursorWalkEditor = true;
    Grid->Navigation()->CursorWalkAlwaysEdit = false;
    struct {
        const char* name;
        int caret;
        std::vector<WORD> keys;
        int colAfter;   // the current column afterwards
        bool open;
    } cases[] = {
        {"Left at 1 stays", 1, {VK_LEFT}, 2, true},
        {"a second Left leaves", 1, {VK_LEFT, VK_LEFT}, 1, false},
        {"Left at 0 leaves", 0, {VK_LEFT}, 1, false},
        {"Right before the end stays", 4, {VK_RIGHT}, 2, true},
        {"Right at the end leaves", 5, {VK_RIGHT}, 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->SetCellEx(2, ERow, "abcd");
        OpenByKey(2);
        auto* eb = dynamic_cast<TGridEditBtn*>(Grid->EditCtrl);
        ASSERT_TRUE(eb);
        eb->SetSelStart(0);
        eb->SetSelLength(0);
        UserType(eb, "x");
        eb->SetSelStart(c.caret);
        for (WORD k : c.keys) UserKey(eb, k);
        Pump();
        EXPECT_EQ(Grid->Col(), c.colAfter);
        EXPECT_EQ(Grid->EditMode, c.open);
        if (c.open) UserKey(eb, VK_RETURN);
        Pump();
        EXPECT_EQ(Grid->GetCellEx(2, ERow), "xabcd");
    }
}

// With the grid's Lookup on, typing into the edit with button completes the text from
// LookupItems and selects the completed part; deleting completes nothing.
TEST_F(EditorControlsTest, TypingCompletesFromTheLookupItems)
{
    Grid->Lookup = true;
    Grid->LookupItems()->SetText("Alpha\nBeta\nbetamax");
    struct {
        const char* name;
        bool caseSensitive;
        String typed;
        int backspaces;   // pressed after typing
        String text;
        int selStart, selLength;
    } cases[] = {
        {"first match", false, "b", 0, "beta", 1, 3},
        {"case sensitive", true, "be", 0, "betamax", 2, 5},
        {"no match", false, "x", 0, "x", 1, 0},
        // The first takes the offered rest away, the second a typed letter.
        {"backspace completes nothing", false, "al", 2, "a", 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->LookupCaseSensitive = c.caseSensitive;
        Grid->SetCellEx(2, ERow, "");
        OpenByKey(2);
        auto* eb = dynamic_cast<TGridEditBtn*>(Grid->EditCtrl);
        ASSERT_TRUE(eb);
        UserType(eb, c.typed);
        for (int i = 0; i < c.backspaces; ++i) UserKey(eb, VK_BACK);
        EXPECT_EQ(eb->Text(), c.text);
        EXPECT_EQ(eb->SelStart(), c.selStart);
        EXPECT_EQ(eb->SelLength(), c.selLength);
        UserKey(eb, VK_ESCAPE);
        Pump();
    }
}

// The grid hears each change the user makes in the edit with button and the spin edit
// (typing, the button, the spin buttons), with the displayed column and the row; loading
// the cell into the editor is no change.
TEST_F(EditorControlsTest, EditorChangesReachOnEditChange)
{
    std::vector<String> log;
    Grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
        log.push_back(IntToStr(c) + "," + IntToStr(r) + " " + v);
    };
    struct {
        const char* name;
        int col;
        String start;
        std::function<void(TWinControl*)> act;
        std::vector<String> events;
    } cases[] = {
        {"typing", 2, "abc",
         [](TWinControl* e) {
             dynamic_cast<TGridEditBtn*>(e)->SetSelStart(3);
             UserType(e, "d");
         },
         {"2,1 abcd"}},
        {"the button", 2, "abc", [](TWinControl* e) { UserClick(dynamic_cast<TGridEditBtn*>(e)->Button()->Button()); },
         {"2,1 picked abc"}},
        {"the spin buttons", 1, "10",
         [](TWinControl* e) {
             UserClick(dynamic_cast<TGridSpin*>(e)->Button()->UpButton());
             UserClick(dynamic_cast<TGridSpin*>(e)->Button()->UpButton());
         },
         {"1,1 11", "1,1 12"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->SetCellEx(c.col, ERow, c.start);
        log.clear();
        OpenByKey(c.col);
        ASSERT_TRUE(Grid->EditCtrl);
        EXPECT_TRUE(log.empty());
        c.act(Grid->EditCtrl);
        EXPECT_EQ(log, c.events);
        UserKey(Grid->EditCtrl, VK_ESCAPE);
        Pump();
    }
}

// The edit with a button lets the grid hear what the user does in it: keys it does not
// act on go down and up through the grid's key events first, every character through
// the grid's key press (a handler clearing it suppresses it), and a double click reports
// the edited cell. The grid is the sender each time.
TEST_F(EditorControlsTest, TheEditWithButtonReportsKeysAndDoubleClicksToTheGrid)
{
    std::vector<String> log;
    Grid->OnKeyDown = [&](TObject* s, WORD& k, TShiftState) {
        log.push_back(String(s == Grid ? "grid" : "other") + " down " + IntToStr(k));
    };
    Grid->OnKeyUp = [&](TObject* s, WORD& k, TShiftState) {
        log.push_back(String(s == Grid ? "grid" : "other") + " up " + IntToStr(k));
    };
    Grid->OnKeyPress = [&](TObject* s, WideChar& k) {
        log.push_back(String(s == Grid ? "grid" : "other") + " press " + String(1, char(k)));
        if (k == 'x') k = 0;
    };
    Grid->OnDblClickCell = [&](TObject* s, int r, int c) {
        log.push_back(String(s == Grid ? "grid" : "other") + " dblclick " + IntToStr(r) + "," + IntToStr(c));
    };
    Grid->SetCellEx(2, ERow, "ab");
    OpenByKey(2);
    auto* e = dynamic_cast<TGridEditBtn*>(Grid->EditCtrl);
    ASSERT_TRUE(e);
    e->SetSelStart(2);
    log.clear();
    UserType(e, "cx");
    EXPECT_EQ(e->Text(), "abc");
    const std::vector<String> typed = {"grid press c", "grid press x"};
    std::vector<String> presses;
    for (const String& l : log)
        if (l.find("press") != String::npos) presses.push_back(l);
    EXPECT_EQ(presses, typed);

    log.clear();
    UserKey(e, VK_HOME);
    EXPECT_EQ(log, (std::vector<String>{"grid down 36", "grid up 36"}));

    log.clear();
    UserDblClick(e);
    Pump();
    EXPECT_EQ(log, (std::vector<String>{"grid dblclick 1,2"}));
    UserKey(Grid->EditCtrl, VK_ESCAPE);
    Pump();
}
