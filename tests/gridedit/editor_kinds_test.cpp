// The special editors in the editor life cycle: each kind loads the cell's text into its
// editor, the value set in the editor reaches the cell when the editor closes, the
// edit-done report names the real column, and the start values of unreadable, blank
// and out-of-range texts; the edit link in place and on its popup form.
#include <cmath>
#include <functional>
#include <vector>

#include "grid/columns/ExtColumnGrid.h"
#include "grid/util/GridSupport.h"
#include "gridedit/GridEditLink.h"
#include "gridedit/GridEditors.h"
#include "gridext/celleditors/GridPickerEditors.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

// A link whose control is a plain edit; its keys go through the link's key protocol.
class TTestLink : public TEditLink {
public:
    explicit TTestLink(TComponent* AOwner) : TEditLink(AOwner) {}
    TEdit* Edit = nullptr;
    int Destroyed = 0;
    TWinControl* GetEditControl() override { return Edit; }
    void CreateEditor(TWinControl* AParent) override
    {
        if (!Edit) {
            Edit = new TEdit(this);
            Edit->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { EditKeyDown(s, k, sh); };
        }
        Edit->SetParent(AParent);
    }
    void DestroyEditor() override { ++Destroyed; }
    String GetEditorValue() override { return Edit ? Edit->Text() : String(); }
    void SetEditorValue(const String& Value) override
    {
        if (Edit) Edit->SetText(Value);
    }
};

// The edited cell: displayed column 2 is real column 3 (column 1 is hidden).
constexpr int DCol = 2, RCol = 3, ERow = 2;

bool IsApplicationComponent(TComponent* c)
{
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (Application->Components(i) == c) return true;
    return false;
}

class SpecialEditorTest : public ExtGridTest {
protected:
    TEditorType Kind = edNormal;
    std::vector<String> Done;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        SetDecimalSeparatorOverride('.');
        Fill(6, 6);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        Grid->HideColumn(1);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
            if (c == RCol && r == ERow) e = Kind;
        };
        Grid->OnEditCellDone = [this](TObject*, int c, int r) {
            Done.push_back(IntToStr(c) + "," + IntToStr(r) + " " + Grid->GetCellEx(c, r));
        };
        UserFocus(Grid);
    }
    void TearDown() override
    {
        ExtGridTest::TearDown();
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
        SetDecimalSeparatorOverride(0);
    }
    void Pump() { Application->ProcessMessages(); }
    // Opens the editor of the cell with F2, as a user would.
    void Open(TEditorType k, const String& text)
    {
        Kind = k;
        Grid->SetCellEx(RCol, ERow, text);
        Grid->FocusCell(DCol, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
    }
    String Cell() { return Grid->GetCellEx(RCol, ERow); }
};

// ---------------------------------------------------------------- every kind in and out

struct KindCase {
    const char* name;
    TEditorType kind;
    String in;
    std::function<void(TExtStringGrid*)> prepare;   // before the editor opens
    std::function<String(TExtStringGrid*)> loaded;  // what the open editor holds
    String expectLoaded;
    std::function<void(TExtStringGrid*)> set;       // the user's change in the editor
    String out;                                     // the cell afterwards
};

String Text(TControl* c) { return c->Text(); }

const std::vector<KindCase>& KindCases()
{
    static const std::vector<KindCase> cases = {
        {"spin", edSpinEdit, "42", nullptr, [](TExtStringGrid* g) { return Text(SpinEdit(g)); }, "42",
         [](TExtStringGrid* g) { SpinEdit(g)->SetValue(57); }, "57"},
        {"float spin", edFloatSpinEdit, "2.5", nullptr, [](TExtStringGrid* g) { return Text(SpinEdit(g)); }, "2.5",
         [](TExtStringGrid* g) { SpinEdit(g)->SetFloatValue(3.75); }, "3.75"},
        {"time spin", edTimeSpinEdit, "10:20:30", nullptr, [](TExtStringGrid* g) { return Text(SpinEdit(g)); },
         "10:20:30", [](TExtStringGrid* g) { SpinEdit(g)->SetTimeValue(EncodeTime(11, 5, 0, 0)); }, "11:05:00"},
        {"date spin", edDateSpinEdit, "24/12/2025", nullptr, [](TExtStringGrid* g) { return Text(SpinEdit(g)); },
         "24/12/2025", [](TExtStringGrid* g) { SpinEdit(g)->SetDateValue(EncodeDate(2026, 1, 2)); }, "02/01/2026"},
        {"edit with button", edEditBtn, "abc", nullptr, [](TExtStringGrid* g) { return Text(BtnEdit(g)); }, "abc",
         [](TExtStringGrid* g) { BtnEdit(g)->SetText("xyz"); }, "xyz"},
        {"numeric edit with button", edNumericEditBtn, "12", nullptr,
         [](TExtStringGrid* g) { return Text(BtnEdit(g)); }, "12",
         [](TExtStringGrid* g) { BtnEdit(g)->SetText("-3"); }, "-3"},
        {"float edit with button", edFloatEditBtn, "1.5", nullptr,
         [](TExtStringGrid* g) { return Text(BtnEdit(g)); }, "1.5",
         [](TExtStringGrid* g) { BtnEdit(g)->SetText("2.25"); }, "2.25"},
        {"masked edit with button", edMaskEditBtn, "AB-1",
         [](TExtStringGrid* g) {
             g->OnGetEditMask = [](TObject*, int, int, String& m) { m = ">LL-0"; };
         },
         [](TExtStringGrid* g) { return Text(BtnEdit(g)) + " " + BtnEdit(g)->EditMask(); }, "AB-1 >LL-0",
         [](TExtStringGrid* g) { BtnEdit(g)->SetText("CD-2"); }, "CD-2"},
        {"unit", edUnitEditBtn, "5km", [](TExtStringGrid* g) { BtnUnitEdit(g)->Units()->SetText("km\nm"); },
         [](TExtStringGrid* g) { return Text(BtnUnitEdit(g)) + "|" + BtnUnitEdit(g)->UnitID(); }, "5|km",
         [](TExtStringGrid* g) { BtnUnitEdit(g)->SetText("7"); }, "7km"},
        // A value without a known unit opens as text and comes back whole.
        {"unit, none known", edFloatUnitEditBtn, "12.5",
         [](TExtStringGrid* g) { BtnUnitEdit(g)->Units()->SetText("km\nm"); },
         [](TExtStringGrid* g) { return Text(BtnUnitEdit(g)) + "|" + BtnUnitEdit(g)->UnitID(); }, "12.5|",
         nullptr, "12.5"},
        {"check box", edCheckBox, "Label", nullptr,
         [](TExtStringGrid* g) {
             return EditCheck(g)->Caption() + (EditCheck(g)->Checked() ? " checked" : " unchecked");
         },
         "Label unchecked", [](TExtStringGrid* g) { EditCheck(g)->SetChecked(true); }, "Label"},
        {"button", edButton, "Go", nullptr, [](TExtStringGrid* g) { return GridButton(g)->Caption(); }, "Go",
         nullptr, "Go"},
        {"date picker", edDateEdit, "24/12/2025", nullptr, [](TExtStringGrid* g) { return Text(DateTimePicker(g)); },
         "24/12/2025", [](TExtStringGrid* g) { DateTimePicker(g)->SetDate(EncodeDate(2026, 3, 4)); }, "04/03/2026"},
        {"up-down date picker", edDateEditUpDown, "01/02/2024", nullptr,
         [](TExtStringGrid* g) {
             return Text(DateTimePicker(g)) + (DateTimePicker(g)->DateMode() == dmUpDown ? " updown" : " calendar");
         },
         "01/02/2024 updown", nullptr, "01/02/2024"},
        // An unticked picker gives no date.
        {"unticked date picker", edDateEdit, "24/12/2025", nullptr,
         [](TExtStringGrid* g) { return Text(DateTimePicker(g)); }, "24/12/2025",
         [](TExtStringGrid* g) {
             DateTimePicker(g)->SetShowCheckbox(true);
             DateTimePicker(g)->SetChecked(false);
         },
         ""},
        {"time picker", edTimeEdit, "08:15:00", nullptr, [](TExtStringGrid* g) { return Text(DateTimePicker(g)); },
         "08:15:00", [](TExtStringGrid* g) { DateTimePicker(g)->SetTime(EncodeTime(9, 30, 0, 0)); }, "09:30:00"},
        // The picker's own format is the pattern of the stored text.
        {"time picker with a format", edTimeEdit, "08:15:00", nullptr,
         [](TExtStringGrid* g) { return Text(DateTimePicker(g)); }, "08:15:00",
         [](TExtStringGrid* g) { DateTimePicker(g)->SetFormat("hh:nn"); }, "08:15"},
        {"date and time picker", edDateTimeEdit, "24/12/2025 10:30", nullptr,
         [](TExtStringGrid* g) {
             return DateAndTimePicker(g)->ValueText() + " " + DateAndTimePicker(g)->TimePicker()->ValueText();
         },
         "24/12/2025 10:30:00",
         [](TExtStringGrid* g) { DateAndTimePicker(g)->SetDateTime(EncodeDate(2026, 5, 6) + EncodeTime(7, 8, 0, 0)); },
         "06/05/2026 07:08"},
        {"rich edit", edRichEdit, "{\\rtf1 plain}", nullptr, [](TExtStringGrid* g) { return Text(InplaceRichEdit(g)); },
         "{\\rtf1 plain}", [](TExtStringGrid* g) { InplaceRichEdit(g)->Lines()->SetText("{\\rtf1 bold}"); },
         "{\\rtf1 bold}"},
        {"track bar", edTrackbarDropDown, "30", [](TExtStringGrid* g) { TrackbarDropDown(g)->SetMax(100); },
         [](TExtStringGrid* g) { return IntToStr(TrackbarDropDown(g)->Position()) + " " + Text(TrackbarDropDown(g)); },
         "30 30", [](TExtStringGrid* g) { TrackbarDropDown(g)->SetPosition(70); }, "70"},
        {"memo", edMemoDropDown, "note", nullptr, [](TExtStringGrid* g) { return MemoDropDown(g)->MemoValue(); },
         "note", [](TExtStringGrid* g) { MemoDropDown(g)->SetText("other"); }, "other"},
        {"calculator", edCalculatorDropDown, "12.5", nullptr,
         [](TExtStringGrid* g) { return Text(CalculatorDropDown(g)); }, "12.50",
         [](TExtStringGrid* g) { CalculatorDropDown(g)->SetText("13"); }, "13.00"},
        {"time drop-down", edTimePickerDropDown, "10:00", nullptr,
         [](TExtStringGrid* g) { return Text(TimePickerDropDown(g)); }, "10:00",
         [](TExtStringGrid* g) { TimePickerDropDown(g)->SetText("11:45"); }, "11:45"},
        {"detail list", edDetailDropDown, "Beta",
         [](TExtStringGrid* g) {
             for (const char* c : {"Alpha", "Beta"}) DetailPickerDropDown(g)->Items()->Add()->SetCaption(c);
         },
         [](TExtStringGrid* g) { return IntToStr(DetailPickerDropDown(g)->ItemIndex()); }, "1",
         [](TExtStringGrid* g) { DetailPickerDropDown(g)->SetItemIndex(0); }, "Alpha"},
        {"multi-column list", edGridDropDown, "B", [](TExtStringGrid* g) {
             GridDropDown(g)->Columns()->Add();
             for (const char* c : {"A", "B"}) GridDropDown(g)->Items()->Add()->Text()->Add(c);
             GridDropDown(g)->EndUpdate();
         },
         [](TExtStringGrid* g) { return IntToStr(GridDropDown(g)->ItemIndex()) + " " + Text(GridDropDown(g)); },
         "1 B", [](TExtStringGrid* g) { GridDropDown(g)->SetText("A"); }, "A"},
        {"colour", edColorPickerDropDown, "", [](TExtStringGrid* g) { g->SetColors(RCol, ERow, clRed); },
         [](TExtStringGrid* g) { return ColorPickerDropDown(g)->SelectedColorText(); }, "Red",
         [](TExtStringGrid* g) { ColorPickerDropDown(g)->SetSelectedColor(clBlue); }, "Blue"},
        {"grid drop-down", edExtGridDropDown, "y",
         [](TExtStringGrid* g) {
             // The list shows the grid's own cells, written before it ever opened.
             ExtGridDropDown(g)->SetUseItems(false);
             TExtStringGrid* dg = ExtGridDropDown(g)->Grid();
             dg->SetRowCount(4);
             dg->SetFixedRows(1);
             dg->SetCellEx(0, 1, "x");
             dg->SetCellEx(0, 2, "y");
         },
         [](TExtStringGrid* g) { return IntToStr(ExtGridDropDown(g)->ItemIndex()); }, "1",
         [](TExtStringGrid* g) { ExtGridDropDown(g)->SetText("x"); }, "x"},
    };
    return cases;
}

TEST_F(SpecialEditorTest, EachKindLoadsTheCellAndStoresTheEditorsValue)
{
    for (const KindCase& k : KindCases()) {
        SCOPED_TRACE(k.name);
        Done.clear();
        if (k.prepare) k.prepare(Grid);
        Open(k.kind, k.in);
        ASSERT_TRUE(Grid->EditActive());
        // Every editor but the check box is the open editor; the toolkit's text editor
        // stays closed.
        TWinControl* ed = k.kind == edCheckBox ? EditCheck(Grid) : Grid->EditCtrl;
        ASSERT_TRUE(ed);
        EXPECT_TRUE(ed->Visible() && ed->Enabled());
        EXPECT_EQ(ed->Parent(), Grid);
        EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        EXPECT_EQ(k.loaded(Grid), k.expectLoaded);
        if (k.set) k.set(Grid);
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), k.out);
        EXPECT_FALSE(ed->Visible() || ed->Enabled());
        EXPECT_FALSE(Grid->EditMode);
        // The report comes after the edit, with the real column.
        EXPECT_TRUE(Done.empty());
        Pump();
        EXPECT_EQ(Done, (std::vector<String>{"3,2 " + k.out}));
        Grid->OnGetEditMask = nullptr;
    }
}

TEST_F(SpecialEditorTest, LeavingAnEditorStoresItsValue)
{
    // Clicking another cell takes the focus from the editor, which ends the edit.
    const TEditorType kinds[] = {edSpinEdit, edEditBtn, edUnitEditBtn, edCalculatorDropDown};
    for (TEditorType k : kinds) {
        SCOPED_TRACE(int(k));
        Done.clear();
        Open(k, "5");
        ASSERT_TRUE(Grid->EditCtrl);
        ASSERT_TRUE(Grid->EditCtrl->Focused());
        Grid->EditCtrl->SetText("8");
        const TRect R = Grid->CellRect(4, 4);
        UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        EXPECT_EQ(Cell(), "8");
        EXPECT_FALSE(Grid->EditActive());
        Pump();
        EXPECT_EQ(Done, (std::vector<String>{"3,2 8"}));
    }
}

// The colour and image pickers write the cell's own colour or image besides its text;
// the events may change what is written.
TEST_F(SpecialEditorTest, PickersWriteTheCellsColourAndImage)
{
    std::vector<String> log;
    Grid->OnColorSelected = [&](TObject*, int c, int r, TColor& color, String& value) {
        log.push_back(IntToStr(c) + "," + IntToStr(r) + " " + value);
        if (value == "Lime") {
            color = clWhite;
            value = "snow";
        }
    };
    // A shape cell: the picker starts at the shape's colour and sets it.
    Grid->AddShape(RCol, ERow, 0, clBlue, clBlack, haLeft, vaTop);
    Open(edColorPickerDropDown, "");
    EXPECT_EQ(ColorPickerDropDown(Grid)->SelectedColor(), TColor(clBlue));
    ColorPickerDropDown(Grid)->SetSelectedColor(clRed);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Grid->GetShapeColor(RCol, ERow), TColor(clRed));
    EXPECT_EQ(Grid->GetColors(RCol, ERow), clNone);
    EXPECT_EQ(Cell(), "Red");
    // The event's answer is what is written; a colour without a name is written in the
    // editor's value style.
    Grid->RemoveCellGraphicOfType(RCol, ERow, ctShape);
    ColorPickerDropDown(Grid)->SetColorValueText(cvtHTML);
    Open(edColorPickerDropDown, "");
    ColorPickerDropDown(Grid)->SetSelectedColor(0x00FF00);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "snow");
    EXPECT_EQ(Grid->GetColors(RCol, ERow), TColor(clWhite));
    Open(edColorPickerDropDown, "");
    ColorPickerDropDown(Grid)->SetSelectedColor(0x123456);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "#563412");
    EXPECT_EQ(log, (std::vector<String>{"3,2 Red", "3,2 Lime", "3,2 #563412"}));

    // Image cells: the picker offers the grid's images and selects the cell's.
    auto* images = new TImageList(Form);
    TBitmap strip;
    strip.SetSize(48, 16);
    images->Add(&strip);
    Grid->SetGridImages(images);
    std::vector<int> picked;
    Grid->OnImageSelected = [&](TObject*, int, int, int& idx) { picked.push_back(idx); };
    Grid->AddImageIdx(RCol, ERow, 1, haLeft, vaTop);
    Open(edImagePickerDropDown, "");
    TGridImageDropDown* ip = ImagePickerDropDown(Grid);
    EXPECT_EQ(ip->Items()->Count(), 3);
    EXPECT_EQ(ip->ImageIndex(), 1);
    ip->SetImageIndex(2);
    Grid->HideInplaceEdit();
    int idx = -1;
    EXPECT_TRUE(Grid->GetImageIdx(RCol, ERow, idx));
    EXPECT_EQ(idx, 2);
    // A data image cell holds the index as its text.
    Grid->RemoveImageIdx(RCol, ERow);
    Grid->SetCellEx(RCol, ERow, "");
    Grid->AddDataImage(RCol, ERow, 0, haLeft, vaTop);
    Kind = edImagePickerDropDown;
    Grid->FocusCell(DCol, ERow, true);
    UserKey(Grid, VK_F2);
    EXPECT_EQ(ip->ImageIndex(), 0);
    ip->SetImageIndex(1);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "1");
    EXPECT_EQ(picked, (std::vector<int>{2, 1}));
    Grid->SetGridImages(nullptr);
}

TEST_F(SpecialEditorTest, MemoWritesTheCellWhileItIsTyped)
{
    Open(edMemoDropDown, "first");
    TGridMemoDropDown* m = MemoDropDown(Grid);
    ASSERT_TRUE(m->Focused());
    // The caret starts before the text, nothing selected.
    UserType(m, "!");
    EXPECT_EQ(Cell(), "!first");
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "!first");
}

TEST_F(SpecialEditorTest, EditButtonAsksTheEllipsisEventForTheText)
{
    std::vector<String> asked;
    Grid->OnEllipsClick = [&](TObject*, int c, int r, String& s) {
        asked.push_back(IntToStr(c) + "," + IntToStr(r) + " " + s);
        s = "[" + s + "]";
    };
    Open(edEditBtn, "abc");
    UserKey(BtnEdit(Grid), VK_F4);
    EXPECT_EQ(BtnEdit(Grid)->Text(), "[abc]");
    EXPECT_TRUE(Grid->EditActive());
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "[abc]");
    // With StopEditAfterClick the button ends the edit at once.
    BtnEdit(Grid)->StopEditAfterClick = true;
    Open(edEditBtn, "x");
    UserKey(BtnEdit(Grid), VK_F4);
    EXPECT_FALSE(Grid->EditActive());
    EXPECT_FALSE(BtnEdit(Grid)->Visible());
    EXPECT_EQ(Cell(), "[x]");
    EXPECT_EQ(asked, (std::vector<String>{"3,2 abc", "3,2 x"}));
}

TEST_F(SpecialEditorTest, DirectDateDropOpensTheCalendar)
{
    TGridDatePicker* dp = DateTimePicker(Grid);
    std::vector<String> log;
    dp->OnDropDown = [&](TObject*) { log.push_back("drop"); };
    dp->OnCloseUp = [&](TObject*) { log.push_back("close"); };
    Open(edDateEdit, "24/12/2025");
    EXPECT_FALSE(dp->DroppedDown());
    Grid->HideInplaceEdit();
    Grid->MouseActions()->DirectDateDrop = true;
    Open(edDateEdit, "24/12/2025");
    EXPECT_TRUE(dp->DroppedDown());
    Grid->HideInplaceEdit();
    EXPECT_FALSE(dp->DroppedDown());
    EXPECT_EQ(log, (std::vector<String>{"drop", "close"}));
}

// Typing on a cell opens its editor, and the typed character reaches the editor.
TEST_F(SpecialEditorTest, TypedCharacterOpensTheEditorAndGoesIntoIt)
{
    const TEditorType kinds[] = {edSpinEdit, edEditBtn, edUnitEditBtn, edCalculatorDropDown};
    for (TEditorType k : kinds) {
        SCOPED_TRACE(int(k));
        Kind = k;
        Grid->SetCellEx(RCol, ERow, "");
        Grid->FocusCell(DCol, ERow, true);
        UserFocus(Grid);
        UserType(Grid, "7");
        Pump();
        ASSERT_TRUE(Grid->EditActive());
        EXPECT_NE(Grid->EditCtrl->Text().find('7'), String::npos) << Grid->EditCtrl->Text();
        EXPECT_EQ(Grid->FStartEditChar, 0);
        Grid->HideInplaceEdit();
        EXPECT_NE(Cell().find('7'), String::npos) << Cell();
    }
}

// ---------------------------------------------------------------- start values

TEST_F(SpecialEditorTest, UnreadableNumbersStartAtTheirLeadingNumber)
{
    struct {
        TEditorType kind;
        const char* in;
        const char* loaded;
    } cases[] = {
        {edSpinEdit, "12abc", "12"},  {edSpinEdit, "$1F", "31"},       {edSpinEdit, "0x10 items", "16"},
        {edSpinEdit, "abc", "0"},     {edSpinEdit, "-7 kg", "0"},      {edSpinEdit, "", "0"},
        {edFloatSpinEdit, "3.5kg", "3.5"}, {edFloatSpinEdit, "x", "0"}, {edFloatSpinEdit, "1e1 m", "10"},
        {edTrackbarDropDown, "25%", "25"},
    };
    // Negative starts are kept by the editor's limits: the spin's range starts at 0.
    TrackbarDropDown(Grid)->SetMax(100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        Open(c.kind, c.in);
        TWinControl* ed = Grid->EditCtrl;
        ASSERT_TRUE(ed);
        EXPECT_EQ(ed->Text(), c.loaded);
        Grid->HideInplaceEdit();
    }
    SpinEdit(Grid)->SetMinValue(-100);
    Open(edSpinEdit, "-7 kg");
    EXPECT_EQ(SpinEdit(Grid)->Value(), -7);
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "-7");
}

TEST_F(SpecialEditorTest, BlankSpinWithAllowEmptyValueWritesAnEmptyCell)
{
    TGridSpin* sp = SpinEdit(Grid);
    for (TEditorType k : {edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit}) {
        SCOPED_TRACE(int(k));
        // Without it a blank editor is the value 0.
        sp->SetAllowEmptyValue(false);
        Open(edSpinEdit, "15");
        sp->SetText("");
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), "0");
        sp->SetAllowEmptyValue(true);
        Open(k, k == edDateSpinEdit ? "01/01/2020" : k == edTimeSpinEdit ? "01:00:00" : "15");
        sp->SetText("  ");
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), "");
        // A blank cell opens blank and stays blank.
        Open(k, "");
        EXPECT_EQ(sp->Text(), "");
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), "");
    }
}

TEST_F(SpecialEditorTest, DatesOutsideTheLimitsAndUnreadableDates)
{
    TGridDatePicker* dp = DateTimePicker(Grid);
    const TDateTime today = std::floor(CurrentDateTime());
    dp->SetMinDate(EncodeDate(2025, 1, 1));
    dp->SetMaxDate(EncodeDate(2025, 1, 31));
    struct {
        const char* in;
        TDateTime start;
    } cases[] = {
        {"15/01/2025", EncodeDate(2025, 1, 15)},
        {"15/03/2025", EncodeDate(2025, 1, 30)},  // after MaxDate: the day before it
        {"31/01/2025", EncodeDate(2025, 1, 31)},  // MaxDate itself is kept
        {"01/01/2025", EncodeDate(2025, 1, 2)},   // at MinDate: the day after it
        {"01/06/2024", EncodeDate(2025, 1, 2)},   // before MinDate
        // The present day, kept within the limits.
        {"not a date", std::clamp(today, EncodeDate(2025, 1, 1), EncodeDate(2025, 1, 31))},
        {"", std::clamp(today, EncodeDate(2025, 1, 1), EncodeDate(2025, 1, 31))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        Open(edDateEdit, c.in);
        EXPECT_EQ(std::floor(dp->DateTime()), c.start);
        Grid->HideInplaceEdit();
    }
    // Without limits any date is taken as it is; an application may read the text itself.
    dp->SetMinDate(0);
    dp->SetMaxDate(0);
    Open(edDateEdit, "15/03/2025");
    EXPECT_EQ(std::floor(dp->DateTime()), EncodeDate(2025, 3, 15));
    Grid->HideInplaceEdit();
    Grid->OnCustomStrToDate = [](TObject*, const String& v, TDateTime& d) {
        if (v == "new year") d = EncodeDate(2030, 1, 1);
    };
    Open(edDateEdit, "new year");
    EXPECT_EQ(std::floor(dp->DateTime()), EncodeDate(2030, 1, 1));
    Grid->HideInplaceEdit();
    // Unreadable texts in the other date and time editors start at the present time.
    for (TEditorType k : {edDateEdit, edDateSpinEdit, edDateTimeEdit, edTimeEdit}) {
        SCOPED_TRACE(int(k));
        Open(k, "garbage");
        const TDateTime now = CurrentDateTime();
        TDateTime v = k == edDateEdit       ? dp->DateTime()
                      : k == edDateSpinEdit ? SpinEdit(Grid)->DateValue()
                      : k == edDateTimeEdit ? DateAndTimePicker(Grid)->DateTime()
                                            : DateTimePicker(Grid)->Time();
        if (k == edTimeEdit) EXPECT_NEAR(v, now - std::floor(now), 2.0 / 86400);
        else EXPECT_EQ(std::floor(v), std::floor(now));
        Grid->HideInplaceEdit();
    }
}

TEST_F(SpecialEditorTest, SpinButtonClickThatStartedTheEditStepsOnce)
{
    TGridSpin* sp = SpinEdit(Grid);
    Grid->FSpinUpClick = true;
    Open(edSpinEdit, "10");
    EXPECT_EQ(sp->Text(), "11");
    Grid->HideInplaceEdit();
    Grid->FSpinDnClick = true;
    Open(edSpinEdit, "10");
    EXPECT_EQ(sp->Text(), "9");
    Grid->HideInplaceEdit();
    // The click is used once: the next edit starts at the cell's value.
    Open(edSpinEdit, "10");
    EXPECT_EQ(sp->Text(), "10");
    // Up and Down in the editor step it.
    UserKey(sp, VK_UP);
    UserKey(sp, VK_UP);
    UserKey(sp, VK_DOWN);
    EXPECT_EQ(sp->Text(), "11");
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "11");
}

// A refused value keeps the user in the same special editor on the old cell.
TEST_F(SpecialEditorTest, RefusedValueReopensTheSpecialEditor)
{
    Grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) { valid = v != "99"; };
    for (TEditorType k : {edSpinEdit, edEditBtn}) {
        SCOPED_TRACE(int(k));
        Open(k, "5");
        Grid->EditCtrl->SetText("99");
        const TRect R = Grid->CellRect(4, 4);
        UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        EXPECT_EQ(Grid->Col(), DCol);
        EXPECT_EQ(Grid->Row(), ERow);
        EXPECT_EQ(Cell(), "5");
        // The same editor again, not the text editor.
        ASSERT_TRUE(Grid->EditCtrl);
        EXPECT_TRUE(Grid->EditCtrl == (k == edSpinEdit ? static_cast<TWinControl*>(SpinEdit(Grid)) : BtnEdit(Grid)));
        EXPECT_TRUE(Grid->EditCtrl->Visible());
        EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        // An accepted value lets the user move on.
        Grid->EditCtrl->SetText("7");
        UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
        EXPECT_EQ(Cell(), "7");
        EXPECT_EQ(Grid->Col(), 4);
    }
}

// ---------------------------------------------------------------- kinds without an editor

TEST_F(SpecialEditorTest, KindsWithoutAnEditorShowNothing)
{
    // edCustom without a link, and date kinds on old common controls.
    struct {
        TEditorType kind;
        bool oldControls;
    } cases[] = {{edCustom, false}, {edDateEdit, true}, {edTimeEdit, true}, {edDateTimeEdit, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.kind));
        ComCtl32Newer = !c.oldControls;
        Open(c.kind, "keep");
        EXPECT_EQ(Grid->EditCtrl, nullptr);
        EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        for (int i = 0; i < Grid->ControlCount(); ++i) {
            if (auto* w = dynamic_cast<TWinControl*>(Grid->Controls(i)); w && w != Grid->InplaceEditor()) {
                EXPECT_FALSE(w->Focused());
            }
        }
        Grid->HideInplaceEdit();
        EXPECT_EQ(Cell(), "keep");
    }
    ComCtl32Newer = true;
}

TEST_F(SpecialEditorTest, DefaultEditorNoneMakesNoCellEditable)
{
    Grid->OnGetEditorType = nullptr;
    Grid->DefaultEditor = edNone;
    Grid->FocusCell(DCol, ERow, true);
    UserFocus(Grid);
    for (WORD key : {VK_F2, VK_RETURN}) {
        UserKey(Grid, key);
        EXPECT_FALSE(Grid->EditMode);
        EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    }
    UserType(Grid, "x");
    EXPECT_EQ(Cell(), "3,2");
    // Back to text editing: the same keys open the editor.
    Grid->DefaultEditor = edNormal;
    UserKey(Grid, VK_F2);
    EXPECT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
}

// ---------------------------------------------------------------- edit links

class EditLinkTest : public SpecialEditorTest {
protected:
    TTestLink* Link = nullptr;
    void SetUp() override
    {
        SpecialEditorTest::SetUp();
        Link = new TTestLink(Form);
        Grid->SetEditLink(Link);
    }
};

TEST_F(EditLinkTest, InPlaceLinkIsLoadedPlacedAndReadBack)
{
    std::vector<String> props;
    Grid->OnGetEditorProp = [&](TObject*, int c, int r, TEditLink* l) {
        props.push_back(IntToStr(c) + "," + IntToStr(r) + (l == Link ? " link" : " other"));
    };
    Open(edCustom, "abc");
    ASSERT_TRUE(Link->Edit);
    EXPECT_EQ(Grid->EditCtrl, Link->Edit);
    EXPECT_EQ(Link->Edit->Parent(), Grid);
    EXPECT_TRUE(Link->Edit->Visible() && Link->Edit->Focused());
    EXPECT_EQ(Link->Edit->Text(), "abc");
    EXPECT_EQ(Link->Grid(), Grid);
    EXPECT_EQ(Link->EditCell(), TPoint(RCol, ERow));
    EXPECT_EQ(props, (std::vector<String>{"3,2 link"}));
    // The control is narrower and lower than the cell by the grid line.
    const TRect R = Grid->CellRect(DCol, ERow);
    EXPECT_EQ(Link->Edit->Left(), R.Left);
    EXPECT_EQ(Link->Edit->Width(), R.Right - R.Left - Grid->GridLineWidth());
    EXPECT_EQ(Link->Edit->Height(), R.Bottom - R.Top - Grid->GridLineWidth());
    Link->Edit->SetText("def");
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "def");
    EXPECT_FALSE(Link->Edit->Visible());
    Pump();
    EXPECT_EQ(Done, (std::vector<String>{"3,2 def"}));
}

TEST_F(EditLinkTest, KeysEndTheLinksEditUnlessTheLinkWantsThem)
{
    struct {
        WORD key;
        TShiftState shift;
        bool wantReturn;
        bool ends;
    } cases[] = {
        {VK_RETURN, {}, false, true},   {VK_RETURN, {}, true, false},   {VK_HOME, {}, false, false},
        {VK_HOME, {ssAlt}, false, true}, {'A', {}, false, false},        {'A', {ssAlt}, false, true},
        {VK_ESCAPE, {}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.key));
        Link->WantKeyReturn = c.wantReturn;
        Open(edCustom, "start");
        ASSERT_TRUE(Link->Edit->Visible());
        Link->Edit->SetText("typed");
        WORD k = c.key;
        Link->EditKeyDown(Link->Edit, k, c.shift);
        EXPECT_EQ(Link->Edit->Visible() && Grid->EditActive(), !c.ends);
        // Esc gives the cell back its text from the start of the edit.
        if (c.ends) {
            EXPECT_EQ(Cell(), c.key == VK_ESCAPE ? "start" : "typed");
        } else {
            Grid->HideInplaceEdit();
        }
    }
}

TEST_F(EditLinkTest, RefusedValueReopensTheLinkOnTheSameCell)
{
    Grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) { valid = v != "bad"; };
    Open(edCustom, "good");
    Link->Edit->SetText("bad");
    WORD k = VK_RETURN;
    Link->EditKeyDown(Link->Edit, k, TShiftState());
    EXPECT_EQ(Grid->Col(), DCol);
    EXPECT_EQ(Grid->Row(), ERow);
    EXPECT_EQ(Cell(), "good");
    EXPECT_TRUE(Link->Edit->Visible());
    EXPECT_TRUE(Grid->FLastValidation);
    // The link starts again from the cell's text.
    EXPECT_EQ(Link->Edit->Text(), "good");
    EXPECT_EQ(Grid->EditCtrl, Link->Edit);
    // A value the handler accepts ends the edit.
    Link->Edit->SetText("fine");
    k = VK_RETURN;
    Link->EditKeyDown(Link->Edit, k, TShiftState());
    EXPECT_EQ(Cell(), "fine");
    EXPECT_FALSE(Link->Edit->Visible());
}

TEST_F(EditLinkTest, PopupLinkOpensOnItsOwnFormAtTheCell)
{
    Link->EditStyle = esPopup;
    Link->AutoPopupWidth = true;
    Link->PopupHeight = 60;
    Open(edCustom, "pop");
    TForm* f = Link->PopupForm();
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(Link->Edit->Parent(), f);
    EXPECT_EQ(Link->Edit->Text(), "pop");
    const TRect R = Grid->CellRect(DCol, ERow);
    const TPoint P = Grid->ClientToScreen(TPoint(R.Left, R.Top));
    EXPECT_EQ(f->Left(), P.X);
    EXPECT_EQ(f->Top(), P.Y);
    EXPECT_EQ(f->Width(), R.Right - R.Left);
    EXPECT_EQ(f->Height(), 60);
    // Leaving the popup stores its value and hides the form, which is reused next time.
    Link->Edit->SetText("popped");
    Link->FormExit(f);
    EXPECT_EQ(Cell(), "popped");
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(Link->Destroyed, 1);
    Open(edCustom, "again");
    EXPECT_EQ(Link->PopupForm(), f);
    Grid->HideInplaceEdit();
}

// ---------------------------------------------------------------- mends

// The grid leaves alone the one focus arrival a popup link causes, and only that one.
TEST_F(EditLinkTest, FocusMarkOfAPopupLinkCoversOneArrivalOnly)
{
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(0, 305, 100, 14);
    Link->EditStyle = esPopup;
    Link->PopupWidth = Link->PopupHeight = 40;
    Open(edCustom, "pop");
    ASSERT_TRUE(Link->PopupForm()->Visible());
    Link->Edit->SetText("popped");
    // The popup loses the activation to another control of the program's form.
    UserFocus(other);
    Link->FormExit(Link->PopupForm());
    EXPECT_EQ(Cell(), "popped");
    EXPECT_TRUE(Grid->InvokedFocusChange);
    // The arrival it covers: the grid leaves it alone and clears the mark.
    int entered = 0;
    Grid->OnEnter = [&](TObject*) { ++entered; };
    UserFocus(Grid);
    EXPECT_FALSE(Grid->InvokedFocusChange);
    EXPECT_EQ(entered, 0);
    // The next arrival is the grid's own again.
    UserFocus(other);
    UserFocus(Grid);
    EXPECT_EQ(entered, 1);

    // When the grid already has the focus no arrival follows, so no mark is left to
    // swallow a later one.
    Kind = edCustom;
    Open(edCustom, "pop");
    UserFocus(Grid);
    Link->FormExit(Link->PopupForm());
    EXPECT_FALSE(Grid->InvokedFocusChange);
}

TEST_F(EditLinkTest, PopupLinkFreesOnlyItsOwnForm)
{
    auto* second = new TTestLink(Form);
    second->EditStyle = Link->EditStyle = esPopup;
    second->PopupWidth = Link->PopupWidth = 50;
    second->PopupHeight = Link->PopupHeight = 30;
    // An application form of the same name is not the link's.
    auto* appForm = new TForm(Application);
    appForm->SetName("gridform");

    Open(edCustom, "one");
    TForm* first = Link->PopupForm();
    Grid->HideInplaceEdit();
    Grid->SetEditLink(second);
    Open(edCustom, "two");
    TForm* secondForm = second->PopupForm();
    ASSERT_TRUE(secondForm);
    EXPECT_NE(secondForm, first);
    EXPECT_TRUE(IsApplicationComponent(first));
    EXPECT_TRUE(IsApplicationComponent(appForm));
    second->Edit->SetText("two!");
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "two!");

    // The first link still edits on its own form.
    Grid->SetEditLink(Link);
    Open(edCustom, "three");
    EXPECT_EQ(Link->PopupForm(), first);
    EXPECT_TRUE(first->Visible());
    Grid->HideInplaceEdit();

    // Freeing a link frees its form, and nothing else.
    Grid->SetEditLink(nullptr);
    delete second;
    EXPECT_FALSE(IsApplicationComponent(secondForm));
    EXPECT_TRUE(IsApplicationComponent(first));
    EXPECT_TRUE(IsApplicationComponent(appForm));
    delete appForm;
}

TEST_F(EditLinkTest, ALinkFreedByItsOwnerIsForgottenByTheGridAndItsColumn)
{
    auto* columns = new TExtColumnGrid(Form);
    columns->SetParent(Form);
    columns->Columns()->Add();
    columns->Columns()->Add();
    columns->Columns()->Items(1)->SetEditLink(Link);
    // The grid lives on after the link: both references are cleared, and an edCustom
    // cell then opens no editor.
    delete Link;
    Link = nullptr;
    EXPECT_EQ(Grid->EditLink(), nullptr);
    EXPECT_EQ(columns->Columns()->Items(1)->EditLink(), nullptr);
    Open(edCustom, "keep");
    Grid->HideInplaceEdit();
    EXPECT_EQ(Cell(), "keep");
    // A link that outlives its grid is left alone.
    auto* later = new TTestLink(Form);
    Grid->SetEditLink(later);
    delete Grid;
    Grid = nullptr;
    delete later;
}

// ---------------------------------------------------------------- edit links driven by the user

// The ways a user opens an in-place link, types into its control and ends the edit:
// Enter and Tab keep what was typed, Esc gives the cell its text from the start.
TEST_F(EditLinkTest, AUserOpensTypesAndEndsAnInPlaceLink)
{
    Kind = edCustom;
    struct {
        const char* name;
        std::function<void()> open;
        const char* typed;   // what the control holds after the opening and the typing
        WORD end;
        const char* cell;
    } cases[] = {
        {"F2, Enter", [&] { UserKey(Grid, VK_F2); }, "startab", VK_RETURN, "startab"},
        {"character, Tab", [&] { UserType(Grid, "q"); }, "qab", VK_TAB, "qab"},
        {"double click, Esc",
         [&] {
             const TRect R = Grid->CellRect(DCol, ERow);
             UserDblClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
         },
         "startab", VK_ESCAPE, "start"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Grid->SetCellEx(RCol, ERow, "start");
        Grid->FocusCell(DCol, ERow, true);
        UserFocus(Grid);
        c.open();
        Pump();
        ASSERT_TRUE(Link->Edit && Link->Edit->Visible() && Link->Edit->Focused());
        // Typing goes on after what the opening left, the caret at the end.
        Link->Edit->SetSelStart(int(Link->Edit->Text().size()));
        Link->Edit->SetSelLength(0);
        UserType(Link->Edit, "ab");
        EXPECT_EQ(Link->Edit->Text(), c.typed);
        UserKey(Link->Edit, c.end);
        Pump();
        EXPECT_EQ(Cell(), c.cell);
        EXPECT_FALSE(Link->Edit->Visible());
        EXPECT_FALSE(Grid->EditMode);
        EXPECT_TRUE(Grid->Focused());
    }
    // With AdvanceOnEnter, Enter stores and moves on as it does in the grid.
    Grid->Navigation()->AdvanceOnEnter = true;
    Grid->SetCellEx(RCol, ERow, "start");
    Grid->FocusCell(DCol, ERow, true);
    UserFocus(Grid);
    UserKey(Grid, VK_F2);
    ASSERT_TRUE(Link->Edit->Visible());
    Link->Edit->SetText("next");
    UserKey(Link->Edit, VK_RETURN);
    Pump();
    EXPECT_EQ(Cell(), "next");
    EXPECT_EQ(Grid->Col(), DCol + 1);
    EXPECT_EQ(Grid->Row(), ERow);
    EXPECT_FALSE(Link->Edit->Visible());
}

// While the link's control edits in place, the grid's procedure stands in front of it:
// with goTabs the control asks for arrows, Tab and characters, without it the control
// answers for itself. The edit's end puts the control's own procedure back, and a
// procedure the application had put in front stays in front of the grid's.
TEST_F(EditLinkTest, TheGridsProcedureStandsInFrontOfTheLinksControlOnlyWhileItEdits)
{
    const LRESULT wanted = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    Open(edCustom, "a");
    ASSERT_TRUE(Link->Edit);
    const LRESULT own = [&] {
        Grid->HideInplaceEdit();
        return Link->Edit->Perform(WM_GETDLGCODE);
    }();
    EXPECT_FALSE(Link->Edit->WindowProcHooked());
    ASSERT_NE(own & DLGC_WANTTAB, DLGC_WANTTAB);

    Grid->SetOptions(Grid->Options() << goTabs);
    Open(edCustom, "a");
    EXPECT_TRUE(Link->Edit->WindowProcHooked());
    EXPECT_EQ(Link->Edit->Perform(WM_GETDLGCODE) & wanted, wanted);
    // Everything else still reaches the control.
    UserType(Link->Edit, "bc");
    EXPECT_EQ(Link->Edit->Text(), "bc");
    UserKey(Link->Edit, VK_RETURN);
    EXPECT_EQ(Cell(), "bc");
    EXPECT_FALSE(Link->Edit->WindowProcHooked());
    EXPECT_EQ(Link->Edit->Perform(WM_GETDLGCODE), own);

    Grid->SetOptions(Grid->Options() >> goTabs);
    Open(edCustom, "a");
    EXPECT_EQ(Link->Edit->Perform(WM_GETDLGCODE), own);
    Grid->HideInplaceEdit();

    int seen = 0;
    Link->Edit->SetWindowProc([&, e = Link->Edit](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) ++seen;
        TMessage copy = m;
        e->WndProc(copy);
        m.Result = copy.Result;
    });
    Grid->SetOptions(Grid->Options() << goTabs);
    Open(edCustom, "a");
    EXPECT_EQ(Link->Edit->Perform(WM_GETDLGCODE) & wanted, wanted);
    EXPECT_EQ(seen, 0);
    Grid->HideInplaceEdit();
    EXPECT_TRUE(Link->Edit->WindowProcHooked());
    Link->Edit->Perform(WM_GETDLGCODE);
    EXPECT_EQ(seen, 1);
    Link->Edit->SetWindowProc(nullptr);
}

// A grid freed while its link's control edits in place takes its procedure with it: the
// control, freed along with the grid, hears its last messages through its own.
TEST_F(EditLinkTest, AGridFreedDuringAnInPlaceEditLeavesTheControlItsOwnProcedure)
{
    Grid->SetOptions(Grid->Options() << goTabs);
    Open(edCustom, "a");
    ASSERT_TRUE(Link->Edit->WindowProcHooked());
    // The control lives on the form, so that it outlives the grid.
    Link->Edit->SetParent(Form);
    int heard = 0;
    Link->Edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++heard; };
    delete Grid;
    Grid = nullptr;
    UserKey(Link->Edit, 'K');
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(Link->Edit->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
}

// A popup link opened by the keyboard: the user types on its form and Enter stores the
// text; Esc on a second opening leaves the cell as it was. The picture shows the form
// over the cell.
TEST_F(EditLinkTest, AUserEditsOnThePopupFormAndItsPictureLiesOverTheCell)
{
    Link->EditStyle = esPopup;
    Link->AutoPopupWidth = true;
    Link->PopupHeight = 40;
    Open(edCustom, "pop");
    TForm* f = Link->PopupForm();
    ASSERT_TRUE(f && f->Visible());
    ASSERT_TRUE(Link->Edit->Focused());
    Link->Edit->SetColor(clYellow);
    Link->Edit->SetSelStart(3);
    UserType(Link->Edit, "ular");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(f, "edit_link_popup.png", png));
    EXPECT_EQ(png.Width(), Grid->CellRect(DCol, ERow).Width());
    EXPECT_EQ(png.Height(), 40);
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clYellow), png.Width() * 10);
    UserKey(Link->Edit, VK_RETURN);
    Pump();
    EXPECT_EQ(Cell(), "popular");
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(Grid->EditMode);

    Open(edCustom, "kept");
    ASSERT_TRUE(f->Visible());
    UserType(Link->Edit, "zz");
    UserKey(Link->Edit, VK_ESCAPE);
    Pump();
    EXPECT_EQ(Cell(), "kept");
    EXPECT_FALSE(f->Visible());
}

// ---------------------------------------------------------------- the cell moves under the editor

// Code changes rows or columns while an editor is open. The value the user set must reach
// the edited cell where it went, and nowhere else; when the cell leaves the grid nothing
// is written at all. A twin grid without an editor takes the same change, with a mark in
// the edited cell: the edited grid must then hold the twin's texts, the user's value
// where the mark went.
struct TCellMove {
    const char* name;
    std::function<void(TExtStringGrid*)> change;
    bool gone;   // the edited cell leaves the grid
};

const TCellMove kCellMoves[] = {
    {"nothing changes", [](TExtStringGrid*) {}, false},
    {"insert a row above", [](TExtStringGrid* g) { g->InsertRows(1, 1); }, false},
    {"remove a row above", [](TExtStringGrid* g) { g->RemoveRows(1, 1); }, false},
    {"move the row", [](TExtStringGrid* g) { g->MoveRow(ERow, 4); }, false},
    {"move a block of rows over it", [](TExtStringGrid* g) { g->MoveRows(3, 1, 2); }, false},
    {"sort", [](TExtStringGrid* g) { g->Sort(4, sdDescending); }, false},
    {"hide a row above", [](TExtStringGrid* g) { g->HideRows(1, 1); }, false},
    {"filter out a row above",
     [](TExtStringGrid* g) {
         TIntList rows(0, 0);
         rows.Add(1);
         g->HideRowList(&rows);
     },
     false},
    {"filter out a row above, then show it again",
     [](TExtStringGrid* g) {
         TIntList rows(0, 0);
         rows.Add(1);
         g->HideRowList(&rows);
         g->UnHideRowList();
     },
     false},
    {"insert a column before", [](TExtStringGrid* g) { g->InsertCols(2, 1); }, false},
    {"remove a column before", [](TExtStringGrid* g) { g->RemoveCols(2, 1); }, false},
    {"remove the hidden column before", [](TExtStringGrid* g) { g->RemoveCols(1, 1); }, false},
    {"remove the edited row", [](TExtStringGrid* g) { g->RemoveRows(ERow, 1); }, true},
    {"hide the edited row", [](TExtStringGrid* g) { g->HideRows(ERow, ERow); }, true},
    {"filter out the edited row",
     [](TExtStringGrid* g) {
         TIntList rows(0, 0);
         rows.Add(ERow);
         g->HideRowList(&rows);
     },
     true},
    {"remove the edited column", [](TExtStringGrid* g) { g->RemoveCols(RCol, 1); }, true},
    {"cut the edited row off", [](TExtStringGrid* g) { g->SetRowCount(ERow); }, true},
};

const String kMark = "<edited>";

class EditedCellMovesTest : public EditLinkTest {
protected:
    // The fixture's grid (texts "c,r", one hidden column), made afresh for each case,
    // with its editors and a link of its own.
    static void Reset(TExtStringGrid* g)
    {
        g->SetColCount(6);
        g->SetRowCount(6);
        // Falling texts in column 4, for a sort that moves every row.
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) g->SetCellEx(c, r, c == 4 ? IntToStr(r) : Name(c, r));
        g->SetFixedRows(1);
        g->SetFixedCols(1);
        g->HideColumn(1);
    }
    void FreshGrid()
    {
        delete Grid;
        Grid = new TExtStringGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 500, 300);
        Reset(Grid);
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->OnGetEditorType = [this](TObject*, int c, int r, TEditorType& e) {
            if (c == RCol && r == ERow) e = Kind;
        };
        Grid->OnEditCellDone = [this](TObject*, int c, int r) {
            Done.push_back(IntToStr(c) + "," + IntToStr(r) + " " + Grid->GetCellEx(c, r));
        };
        Link = new TTestLink(Form);
        Grid->SetEditLink(Link);
        UserFocus(Grid);
    }
    // All texts of the displayed rows, and of the hidden rows, by real column.
    static std::vector<String> Texts(TExtStringGrid* g)
    {
        std::vector<String> t;
        for (int r = 0; r < g->RowCount(); ++r)
            for (int c = 0; c < g->TotalColCount(); ++c)
                t.push_back(IntToStr(c) + "," + IntToStr(r) + " " + g->GetCellEx(c, r));
        for (int r = 0; r < 8; ++r)
            if (g->IsHiddenRow(r)) t.push_back("hidden " + IntToStr(r) + " " + g->GetCellsEx(RCol, r));
        return t;
    }
    std::vector<String> TwinTexts(const TCellMove& m)
    {
        auto* twin = new TExtStringGrid(Form);
        twin->SetParent(Form);
        Reset(twin);
        twin->SetCellEx(RCol, ERow, kMark);
        m.change(twin);
        std::vector<String> t = Texts(twin);
        delete twin;
        return t;
    }
};

TEST_F(EditedCellMovesTest, TheValueFollowsItsCellAndNeverLandsInAnother)
{
    std::vector<KindCase> kinds = KindCases();
    // The edit link, as the application's own editor.
    kinds.push_back({"edit link", edCustom, "linked", nullptr, nullptr, "",
                     [this](TExtStringGrid*) { Link->Edit->SetText("relinked"); }, "relinked"});
    for (const TCellMove& m : kCellMoves) {
        const std::vector<String> twin = TwinTexts(m);
        for (const KindCase& k : kinds) {
            SCOPED_TRACE(std::string(k.name) + ", " + m.name);
            FreshGrid();
            Done.clear();
            if (k.prepare) k.prepare(Grid);
            Open(k.kind, k.in);
            ASSERT_TRUE(Grid->EditActive());
            TWinControl* ed = k.kind == edCheckBox ? EditCheck(Grid) : Grid->EditCtrl;
            ASSERT_TRUE(ed);
            if (k.set) k.set(Grid);
            // The memo's cell follows its typing; nothing more is written once it is gone.
            const String before = Grid->GetCellEx(RCol, ERow);
            m.change(Grid);
            // Where the mark went: the edited cell, and the value it gets.
            std::vector<String> want = twin;
            String at;
            for (String& t : want) {
                const size_t p = t.find(kMark);
                if (p == std::string::npos) continue;
                at = t.substr(0, p);
                t = at + (m.gone ? before : k.out);
            }
            if (m.gone) {
                // The cell is gone: the edit ended with it.
                EXPECT_FALSE(Grid->EditActive());
                EXPECT_FALSE(ed->Visible());
            } else {
                ASSERT_TRUE(Grid->EditActive());
                EXPECT_EQ(IntToStr(Grid->RealColIndex(Grid->Col())) + "," + IntToStr(Grid->Row()) + " ", at);
                // The user ends the edit with Enter; the button and the rich edit keep
                // Enter (a new line): their edit ends when the user clicks another cell.
                if (k.kind == edButton || k.kind == edRichEdit) {
                    const TRect R = Grid->CellRect(4, Grid->Row() == 1 ? 3 : 1);
                    UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
                } else {
                    UserKey(ed, VK_RETURN);
                }
                EXPECT_FALSE(Grid->EditActive());
            }
            Pump();
            EXPECT_EQ(Texts(Grid), want);
            EXPECT_EQ(Done, m.gone ? std::vector<String>{} : std::vector<String>{at + k.out});
        }
    }
}

}  // namespace
