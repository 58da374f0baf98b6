// Editing header cells in place, the footer row's column values, and rows inserted and
// deleted from the keyboard through the grid's row hooks.
#include <functional>
#include <vector>

#include "gridedit/GridEditors.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"
#include "platform/gui/StdCtrls.h"
#include "platform/os/Regional.h"

namespace {

class FixedEditTest : public ExtGridTest {
protected:
    TEdit* Other = nullptr;
    std::vector<String> Log;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(5, 6);
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(0, 302, 100, 16);
        UserFocus(Grid);
    }
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    void Pump() { Application->ProcessMessages(); }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Key(WORD k) { UserKey(Focused(), k); }
    void Type(const String& t)
    {
        for (char ch : t) UserType(Focused(), String(1, ch));
        Pump();
    }
    // Opens the editor of header cell c by a double click and empties it.
    void OpenHeader(int c)
    {
        Grid->MouseActions()->FixedRowsEdit = fceDblClick;
        const TPoint p = Mid(c, 0);
        UserDblClick(Grid, p.X, p.Y);
        Pump();
        ASSERT_TRUE(FixedCellEdit(Grid)->Visible());
        FixedCellEdit(Grid)->SelectAll();
        FixedCellEdit(Grid)->SetSelText("");
    }
    bool EditorOpen() { return FixedCellEdit(Grid)->Visible() || FixedCellCombo(Grid)->Visible(); }
};

// ---------------------------------------------------------------- header editing

TEST_F(FixedEditTest, DoubleClickOnAHeaderOpensItsEditorAndLeavingStoresTheText)
{
    Grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
        Log.push_back(Cat("change ", IntToStr(c), ",", IntToStr(r), " ", v));
    };
    Grid->OnEditingDone = [&](TObject*) { Log.push_back("done"); };
    Grid->MouseActions()->FixedRowsEdit = fceDblClick;
    const TPoint p = Mid(2, 0);
    UserDblClick(Grid, p.X, p.Y);
    Pump();
    TGridTransEdit* ed = FixedCellEdit(Grid);
    ASSERT_TRUE(ed->Visible());
    EXPECT_EQ(Focused(), ed);
    EXPECT_EQ(ed->Text(), "2,0");
    EXPECT_EQ(ed->Col(), 2);
    EXPECT_EQ(ed->Row(), 0);
    // Laid over the cell, one pixel inside.
    const TRect R = Grid->CellRect(2, 0);
    EXPECT_EQ(ed->Left(), R.Left + 1);
    EXPECT_EQ(ed->Width(), R.Right - R.Left - 2);
    EXPECT_TRUE(Log.empty());   // loading the cell's text is no change

    ed->SelectAll();
    Type("Sum");
    // Enter does nothing in a header editor: the text is stored when the editor is left.
    Key(VK_RETURN);
    Pump();
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(Grid->GetCellEx(2, 0), "2,0");
    UserFocus(Other);
    Pump();
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(Grid->GetCellEx(2, 0), "Sum");
    EXPECT_EQ(Log, (std::vector<String>{"change 2,0 S", "change 2,0 Su", "change 2,0 Sum", "done"}));
}

TEST_F(FixedEditTest, EscapeClosesTheEditorAndTheHeaderKeepsItsText)
{
    bool validated = false;
    Grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { validated = true; };
    OpenHeader(3);
    Type("Other");
    Key(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Grid->GetCellEx(3, 0), "3,0");
    EXPECT_EQ(Focused(), Grid);
    EXPECT_FALSE(validated);
}

TEST_F(FixedEditTest, ARefusedTextKeepsTheEditorOpenUntilAnAcceptedOne)
{
    Grid->SetCol(1);
    Grid->SetRow(4);
    Grid->OnCellValidate = [&](TObject*, int c, int r, String& v, bool& valid) {
        Log.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", v));
        valid = v != "bad";
    };
    OpenHeader(3);
    Type("bad");
    // Leaving for another control: refused, the editor takes the focus back and the
    // current cell goes to the edited column.
    UserFocus(Other);
    Pump();
    TGridTransEdit* ed = FixedCellEdit(Grid);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(Focused(), ed);
    EXPECT_EQ(Grid->GetCellEx(3, 0), "3,0");
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 4);
    // Leaving by a click on a data cell: the same.
    const TPoint p = Mid(1, 2);
    UserClick(Grid, p.X, p.Y);
    Pump();
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(Focused(), ed);
    EXPECT_EQ(Grid->GetCellEx(3, 0), "3,0");
    // No other header editor opens while this one refuses to stop.
    Grid->EditFixedCell(4, 0);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->Col(), 3);
    EXPECT_EQ(Grid->GetCellEx(3, 0), "3,0");
    ed->SelectAll();
    Type("good");
    UserFocus(Other);
    Pump();
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(Grid->GetCellEx(3, 0), "good");
    EXPECT_EQ(Log.front(), "3,0 bad");
    EXPECT_EQ(Log.back(), "3,0 good");
}

TEST_F(FixedEditTest, TheClickThatOpensAFixedCellEditor)
{
    struct Case {
        const char* name;
        TGridFixedCellEdit rows, cols;
        bool colSizing;
        int c, r;
        enum { Left, Right, Double } how;
        int dx;   // offset from the cell's right edge; 0: the cell's centre
        bool opens;
    };
    const Case cases[] = {
        {"left click, left-click mode", fceLeftClick, fceNone, false, 2, 0, Case::Left, 0, true},
        {"right click, left-click mode", fceLeftClick, fceNone, false, 2, 0, Case::Right, 0, false},
        {"right click, right-click mode", fceRightClick, fceNone, false, 2, 0, Case::Right, 0, true},
        {"left click, right-click mode", fceRightClick, fceNone, false, 2, 0, Case::Left, 0, false},
        {"left click, double-click mode", fceDblClick, fceNone, false, 2, 0, Case::Left, 0, false},
        {"left click near a sizing border", fceLeftClick, fceNone, true, 2, 0, Case::Left, 2, false},
        {"left click inside a sizing border", fceLeftClick, fceNone, true, 2, 0, Case::Left, 6, true},
        {"row header, fixed columns mode", fceNone, fceLeftClick, false, 0, 3, Case::Left, 0, true},
        {"row header, fixed rows mode only", fceLeftClick, fceNone, false, 0, 3, Case::Left, 0, false},
        {"data cell", fceLeftClick, fceLeftClick, false, 2, 3, Case::Left, 0, false},
        {"double click on a row header", fceNone, fceDblClick, false, 0, 2, Case::Double, 0, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Grid->MouseActions()->FixedRowsEdit = k.rows;
        Grid->MouseActions()->FixedColsEdit = k.cols;
        TGridOptions o = Grid->Options();
        if (k.colSizing) o << goColSizing;
        else o >> goColSizing;
        Grid->SetOptions(o);
        TPoint p = Mid(k.c, k.r);
        if (k.dx) p.X = Grid->CellRect(k.c, k.r).Right - k.dx;
        if (k.how == Case::Left) UserClick(Grid, p.X, p.Y);
        else if (k.how == Case::Right) UserRightClick(Grid, p.X, p.Y);
        else UserDblClick(Grid, p.X, p.Y);
        Pump();
        EXPECT_EQ(EditorOpen(), k.opens);
        if (k.opens) {
            EXPECT_EQ(FixedCellEdit(Grid)->Text(), Name(k.c, k.r));
        }
        UserKey(FixedCellEdit(Grid), VK_ESCAPE);
        Pump();
        ASSERT_FALSE(EditorOpen());
    }
}

TEST_F(FixedEditTest, ComboEditorTakesTheConfiguredValuesAndTheEventCanRefuse)
{
    auto* values = Grid->MouseActions()->FixedComboValues();
    values->Add("Alpha");
    values->Add("Beta");
    Grid->MouseActions()->FixedRowsEditor = fceComboList;
    Grid->OnFixedEdit = [&](TObject*, int c, int, TGridFixedCellEditor& kind, TStringList* items) {
        if (c == 4) kind = fceEdit;
        else items->Add(Cat("Col", IntToStr(c)));
    };
    Grid->OnCanEditCell = [&](TObject*, int, int c, bool& can) { can = c != 1; };
    Grid->EditFixedCell(1, 0);
    EXPECT_FALSE(EditorOpen());

    Grid->EditFixedCell(2, 0);
    TGridTransCombo* cb = FixedCellCombo(Grid);
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDownList);
    EXPECT_EQ(cb->Items()->CommaText(), "Alpha,Beta,Col2");
    EXPECT_EQ(cb->ItemIndex(), -1);   // "2,0" is none of them
    cb->SetItemIndex(2);
    // Opening the next header stores the open one first.
    Grid->EditFixedCell(4, 0);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Grid->GetCellEx(2, 0), "Col2");
    EXPECT_TRUE(FixedCellEdit(Grid)->Visible());
    EXPECT_EQ(FixedCellEdit(Grid)->Text(), "4,0");
    // The configured values stay as they were.
    EXPECT_EQ(values->CommaText(), "Alpha,Beta");
}

TEST_F(FixedEditTest, TypingIntoTheComboWithTextReportsEachChangeAndLeavingStoresIt)
{
    Grid->MouseActions()->FixedRowsEditor = fceComboEdit;
    Grid->MouseActions()->FixedComboValues()->Add("Alpha");
    std::vector<String> changes;
    Grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
        changes.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", v));
    };
    Grid->EditFixedCell(3, 0);
    TGridTransCombo* cb = FixedCellCombo(Grid);
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDown);
    EXPECT_EQ(cb->Text(), "3,0");
    EXPECT_EQ(Focused(), cb);
    cb->SelectAll();
    Type("Qty");
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), "3,0 Qty");
    Key(VK_RETURN);
    EXPECT_TRUE(cb->Visible());
    UserFocus(Other);
    Pump();
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Grid->GetCellEx(3, 0), "Qty");
    // Escape in the combo closes it too, keeping the header's text.
    Grid->EditFixedCell(2, 0);
    cb->SelectAll();
    Type("Zzz");
    Key(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Grid->GetCellEx(2, 0), "2,0");
}

// Code changes rows or columns while a header is edited: the text typed goes into the
// header where it went, never into the one now at its index; a header that leaves the
// grid closes its editor with nothing written.
TEST_F(FixedEditTest, TheTypedTextFollowsItsHeaderAndNeverLandsInAnother)
{
    struct {
        const char* name;
        bool rowHeader;   // the header of row 3, else the header of column 3
        std::function<void(TExtStringGrid*)> change;
        bool gone;
    } cases[] = {
        {"column header, nothing changes", false, [](TExtStringGrid*) {}, false},
        {"column header, column inserted before", false, [](TExtStringGrid* g) { g->InsertCols(1, 1); }, false},
        {"column header, column removed before", false, [](TExtStringGrid* g) { g->RemoveCols(1, 1); }, false},
        {"column header, column moved", false, [](TExtStringGrid* g) { g->MoveColumn(3, 1); }, false},
        {"column header, its column removed", false, [](TExtStringGrid* g) { g->RemoveCols(3, 1); }, true},
        {"row header, row inserted above", true, [](TExtStringGrid* g) { g->InsertRows(1, 1); }, false},
        {"row header, row removed above", true, [](TExtStringGrid* g) { g->RemoveRows(1, 1); }, false},
        {"row header, sorted", true,
         [](TExtStringGrid* g) {
             for (int r = 1; r < g->RowCount(); ++r) g->SetCellEx(4, r, IntToStr(r));
             g->Sort(4, sdDescending);
         },
         false},
        {"row header, its row removed", true, [](TExtStringGrid* g) { g->RemoveRows(3, 1); }, true},
        {"row header, its row cut off", true, [](TExtStringGrid* g) { g->SetRowCount(3); }, true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Fill(5, 6);
        UserFocus(Grid);
        Grid->MouseActions()->FixedRowsEdit = fceDblClick;
        Grid->MouseActions()->FixedColsEdit = fceDblClick;
        const String header = k.rowHeader ? "0,3" : "3,0";
        const TPoint p = k.rowHeader ? Mid(0, 3) : Mid(3, 0);
        UserDblClick(Grid, p.X, p.Y);
        Pump();
        TGridTransEdit* ed = FixedCellEdit(Grid);
        ASSERT_TRUE(ed->Visible());
        ed->SelectAll();
        Type("Typed");
        k.change(Grid);
        // Where the header went, and every text before the editor closes.
        TPoint at(-1, -1);
        std::vector<String> want;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->TotalColCount(); ++c) {
                want.push_back(Grid->GetCellEx(c, r));
                if (Grid->GetCellEx(c, r) == header) at = TPoint(c, r);
            }
        EXPECT_EQ(ed->Visible(), !k.gone);
        UserFocus(Other);
        Pump();
        EXPECT_FALSE(ed->Visible());
        if (!k.gone) {
            ASSERT_NE(at.X, -1);
            want[size_t(at.Y * Grid->TotalColCount() + at.X)] = "Typed";
        }
        std::vector<String> have;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->TotalColCount(); ++c) have.push_back(Grid->GetCellEx(c, r));
        EXPECT_EQ(have, want);
    }
}

// ---------------------------------------------------------------- footer values

class FooterTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(3);
        Grid->FloatingFooter()->SetVisible(true);
    }
    // Column 1 holds the values in the data rows, under one header row and over the footer row.
    void Rows(const std::vector<String>& values)
    {
        Grid->SetRowCount(int(values.size()) + 2);
        for (int i = 0; i < int(values.size()); ++i) Grid->SetCellEx(1, i + 1, values[size_t(i)]);
        Footer("f");
    }
    String Footer() { return Grid->GetCellEx(1, Grid->RowCount() - 1); }
    void Footer(const String& s) { Grid->SetCellEx(1, Grid->RowCount() - 1, s); }
    static String Num(const char* s)
    {
        String t = s;
        for (char& ch : t)
            if (ch == '.') ch = GetDecimalSeparator();
        return t;
    }
};

TEST_F(FooterTest, EachCalculationTypeOverTheColumnsValues)
{
    struct Case {
        TColumnCalcType type;
        std::vector<String> values;
        String footer;
    };
    const Case cases[] = {
        {acSUM, {"1", "2", "3.5"}, Num("6.50")},
        // Empty cells and texts that are no number are left out of the sum ...
        {acSUM, {"1", "", "x", "2"}, Num("3.00")},
        // ... but the average divides by every data row.
        {acAVG, {"1", "", "x", "3"}, Num("1.00")},
        {acCOUNT, {"1", "", "x"}, "3"},
        {acMIN, {"4", "2", "x", "7"}, Num("2.00")},
        {acMAX, {"4", "x", "9", ""}, Num("9.00")},
        {acDISTINCT, {"a", "A", "", "b"}, Num("3.00")},
        {acSTDDEV, {"1", "3"}, Num("1.00")},
        // No value to show: a minimum without a number to start from, a spread over a text.
        {acMIN, {"", "2", "3"}, ""},
        {acMAX, {}, ""},
        {acSTDDEV, {"1", "x"}, ""},
        {acSUM, {}, Num("0.00")},
        // Kinds without a value leave the footer cell alone.
        {acNONE, {"1", "2"}, "f"},
        {acSPREAD, {"1", "2"}, "f"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(int(k.type)), " over ", IntToStr(int(k.values.size())), " rows"));
        Rows(k.values);
        Grid->FloatingFooter()->SetColumnCalc(1, k.type);
        EXPECT_EQ(Grid->FloatingFooter()->ColumnCalc(1), k.type);
        EXPECT_EQ(Footer(), k.footer);
    }
}

TEST_F(FooterTest, TheFooterRowStaysTheLastRowWhenTheRowCountChanges)
{
    Rows({"1", "2", "3"});
    Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
    Grid->SetCellEx(2, 4, "label");
    const int rows = Grid->RowCount();
    struct Case {
        int count;
        const char* sum;
    } cases[] = {{rows + 5, "6.00"}, {rows - 2, "1.00"}, {rows + 1, "1.00"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.count);
        const int before = Grid->RowCount();
        Grid->SetRowCount(k.count);
        const int last = Grid->RowCount() - 1;
        EXPECT_EQ(Grid->GetCellEx(2, last), "label");
        // The calculation setting went with the row's records.
        EXPECT_EQ(Grid->FloatingFooter()->ColumnCalc(1), acSUM);
        EXPECT_EQ(Footer(), Num(k.sum));
        if (before < k.count) {
            EXPECT_EQ(Grid->GetCellEx(1, before - 1), "");
            EXPECT_EQ(Grid->GetCellEx(2, before - 1), "");
        }
    }
}

TEST_F(FooterTest, ShowingTheFooterWithTheLastRowStyleMakesTheLastRowItsFooterRow)
{
    EXPECT_EQ(Grid->FixedFooters, 1);
    Grid->FloatingFooter()->SetVisible(false);
    EXPECT_EQ(Grid->FixedFooters, 0);
    Grid->FloatingFooter()->FooterStyle = fsColumnPreview;
    Grid->FloatingFooter()->SetVisible(true);
    EXPECT_EQ(Grid->FixedFooters, 0);
}

TEST_F(FooterTest, CountOfTenRowsWithOneHeaderAndTheFooter)
{
    Grid->SetRowCount(10);
    Grid->FloatingFooter()->SetColumnCalc(2, acCOUNT);
    EXPECT_EQ(Grid->GetCellEx(2, 9), "8");
}

TEST_F(FooterTest, HiddenRowsCountOnlyWhenTheFooterSaysSo)
{
    Rows({"1", "2", "4", "8", "16"});
    Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
    Grid->FloatingFooter()->SetColumnCalc(2, acCOUNT);
    Grid->HideRows(2, 3);   // 2 and 4
    ASSERT_EQ(Grid->RowCount(), 5);
    Grid->CalcFooterAll();
    EXPECT_EQ(Footer(), Num("31.00"));
    EXPECT_EQ(Grid->GetCellEx(2, 4), "5");
    Grid->FloatingFooter()->CalculateHiddenRows = false;
    Grid->CalcFooterAll();
    EXPECT_EQ(Footer(), Num("25.00"));
    EXPECT_EQ(Grid->GetCellEx(2, 4), "3");
}

TEST_F(FooterTest, CustomValueFromTheGridsEventFirstThenTheFooters)
{
    Rows({"1", "2"});
    std::vector<String> asked;
    Grid->FloatingFooter()->OnCalcFooter = [&](TObject* s, int c, int r, String& v) {
        asked.push_back(Cat("footer ", IntToStr(c), ",", IntToStr(r)));
        v = s == Grid ? "from footer" : "wrong sender";
    };
    Grid->FloatingFooter()->SetColumnCalc(1, acCUSTOM);
    EXPECT_EQ(Footer(), "from footer");
    Grid->OnFooterCalc = [&](TObject*, int c, int r, String& v) {
        asked.push_back(Cat("grid ", IntToStr(c), ",", IntToStr(r)));
        v = "from grid";
    };
    Grid->CalcFooter(1);
    EXPECT_EQ(Footer(), "from grid");
    EXPECT_EQ(asked, (std::vector<String>{"footer 1,3", "grid 1,3"}));
    Grid->OnFooterCalc = nullptr;
    Grid->FloatingFooter()->OnCalcFooter = nullptr;
    Grid->CalcFooter(-1);
    EXPECT_EQ(Footer(), "");
}

TEST_F(FooterTest, NothingIsComputedUnlessTheFooterShowsTheLastRowWithCalculations)
{
    Rows({"1", "2"});
    Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
    struct Case {
        const char* name;
        bool visible;
        TFooterStyle style;
        bool enabled;
    };
    const Case cases[] = {
        {"hidden", false, fsFixedLastRow, true},
        {"column preview", true, fsColumnPreview, true},
        {"calculation off", true, fsFixedLastRow, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Footer("f");
        Grid->FloatingFooter()->Visible = k.visible;
        Grid->FloatingFooter()->FooterStyle = k.style;
        Grid->FloatingFooter()->EnableCalculation = k.enabled;
        Grid->CalcFooterAll();
        EXPECT_EQ(Footer(), "f");
    }
}

// Tells the test of every block of cells that changed.
class TLogNotifier : public TGridChangeNotifier {
public:
    TLogNotifier(std::vector<String>& ALog) : TGridChangeNotifier(nullptr), Log(ALog) {}
    void CellsChanged(const TRect& R) override
    {
        Log.push_back(Cat("notifier ", IntToStr(R.Left), ",", IntToStr(R.Top)));
    }
    std::vector<String>& Log;
};

TEST_F(FooterTest, AnEditedValueReachesTheFooterAndTheChangeIsReportedOnce)
{
    Rows({"1", "2"});
    Grid->FloatingFooter()->SetColumnCalc(1, acSUM);
    Grid->SetOptions(Grid->Options() + goEditing);
    std::vector<String> log;
    TLogNotifier notifier(log);
    Grid->RegisterNotifier(&notifier);
    Grid->OnCellsChanged = [&](TObject*, const TRect& R) {
        log.push_back(Cat("cells ", IntToStr(R.Left), ",", IntToStr(R.Top), " ", Grid->GetCellEx(1, 1)));
    };
    UserFocus(Grid);
    Grid->FocusCell(1, 1, true);
    struct Case {
        const char* typed;
        String footer;
        std::vector<String> log;
    };
    const Case cases[] = {
        // The footer holds the sum with the new value, not the one before the edit.
        {"5", Num("7.00"), {"cells 1,1 5", "notifier 1,1"}},
        // The same text again changes nothing and reports nothing.
        {"5", Num("7.00"), {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        log.clear();
        UserKey(Grid, VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        UserKey(Grid->InplaceEditor(), 'A', TShiftState{ssCtrl});
        UserType(Grid->InplaceEditor(), k.typed);
        UserKey(Grid->InplaceEditor(), VK_RETURN);
        EXPECT_EQ(Grid->GetCellEx(1, 1), k.typed);
        EXPECT_EQ(Footer(), k.footer);
        EXPECT_EQ(log, k.log);
    }
    Grid->UnRegisterNotifier(&notifier);
}

// Records the progress reports of the column calculations.
class TProgressGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<String> Log;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        const char* names[] = {"start", "new", "done", "sel", "fail", "next"};
        Log.push_back(Cat(names[AState], " ", IntToStr(ARow)));
    }
};

TEST(ColumnProgressTest, CountedRowsAreReportedBetweenStartAndDone)
{
    TForm form(nullptr);
    auto* g = new TProgressGrid(&form);
    g->SetParent(&form);
    g->SetColCount(3);
    g->SetRowCount(6);
    const char* values[] = {"1", "2", "4", "8"};
    for (int r = 1; r <= 4; ++r) g->SetCellEx(1, r, values[r - 1]);
    // Rows 2 and 3 form one merged cell: only its first row counts.
    g->MergeCells(1, 2, 1, 2);
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, 1, 4), 11);
    EXPECT_EQ(g->Log, (std::vector<String>{"start 1", "next 1", "next 2", "next 4", "done -1"}));
    g->Log.clear();
    EXPECT_DOUBLE_EQ(g->ColumnMax(1, 1, 4), 8);
    EXPECT_EQ(g->Log.front(), "start 1");
    EXPECT_EQ(g->Log.back(), "done -1");
    g->Log.clear();
    // A spread over a text fails, and the report still ends.
    g->SetCellEx(1, 1, "x");
    EXPECT_THROW(g->ColumnStdDev(1, 1, 4), EExtGridError);
    EXPECT_EQ(g->Log.back(), "done -1");
}

// ---------------------------------------------------------------- exchanging rows and columns

using ExchangeTest = ExtGridTest;

TEST_F(ExchangeTest, TheSortsRowExchangeMovesTheRowStateAPlainSwapLeaves)
{
    struct Case {
        const char* name;
        bool sort, singleColumn;
        String row2, row4;   // texts after exchanging rows 2 and 4
        bool moved;          // sort row, selection, modified mark and height went along
    };
    const Case cases[] = {
        {"plain swap", false, false, "0,4|1,4|2,4", "0,2|1,2|2,2", false},
        {"sort's exchange", true, false, "0,4|1,4|2,4", "0,2|1,2|2,2", true},
        {"sort's exchange of one column", true, true, "0,2|1,4|2,2", "0,4|1,2|2,4", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Fill(3, 6);
        Grid->MouseActions()->SetDisjunctRowSelect(true);
        Grid->Navigation()->MoveRowOnSort = true;
        Grid->ShowModified()->Enabled = true;
        Grid->SortSettings()->Column = 1;
        Grid->SortSettings()->SingleColumn = k.singleColumn;
        Grid->ClearRowSelect();
        Grid->ClearModifiedRows();
        Grid->SetRowSelect(2, true);
        Grid->SetRowModified(2, true);
        Grid->SetRowHeights(2, 40);
        Grid->SetRowHeights(4, 22);
        Grid->SortRow = 2;
        const int swaps = Grid->Swaps;
        if (k.sort) Grid->SortSwapRows(2, 4);
        else Grid->SwapRows(2, 4);
        EXPECT_EQ(RowText(2), k.row2);
        EXPECT_EQ(RowText(4), k.row4);
        const int at = k.moved ? 4 : 2;
        EXPECT_EQ(Grid->SortRow, at);
        EXPECT_TRUE(Grid->GetRowSelect(at));
        EXPECT_FALSE(Grid->GetRowSelect(6 - at));
        EXPECT_TRUE(Grid->GetRowModified(at));
        EXPECT_EQ(Grid->Swaps, swaps + (k.sort ? 1 : 0));
        // A plain swap moves the heights with the cells; the sort's one-column exchange does not.
        EXPECT_EQ(Grid->RowHeights(4), k.singleColumn ? 22 : 40);
    }
}

TEST_F(ExchangeTest, ControlsInCellsGoWithTheirColumnsAndRows)
{
    Fill(4, 6);
    auto* box = new TEdit(Form);
    Grid->SetCellControls(1, 2, box);
    Grid->CellControlsUpdate(true);
    Grid->SwapColumns(1, 3);
    EXPECT_EQ(Grid->GetCellControls(3, 2), box);
    EXPECT_EQ(box->Left(), Grid->CellRect(3, 2).Left);
    Grid->SwapRows(2, 4);
    EXPECT_EQ(Grid->GetCellControls(3, 4), box);
    EXPECT_EQ(box->Top(), Grid->CellRect(3, 4).Top);
}

// ---------------------------------------------------------------- date-time picker reports

TEST_F(ExchangeTest, ADateTimePickerChangeReportsTheDateForTheCurrentCell)
{
    Fill(4, 6);
    Grid->SetCol(2);
    Grid->SetRow(3);
    struct Case {
        int y, m, d, h, mi, s;
        TDateTime expected;
    };
    const Case cases[] = {
        {2024, 5, 17, 12, 30, 0, EncodeDate(2024, 5, 17) + EncodeTime(12, 30, 0, 0)},
        {0, 0, 0, 0, 0, 0, 0},        // no date
        {0, 5, 17, 12, 0, 0, 0},      // no year
        {2024, 2, 30, 0, 0, 0, 0},    // no such day
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(k.y), "-", IntToStr(k.m), "-", IntToStr(k.d)));
        std::vector<String> seen;
        TDateTime got = -1;
        Grid->OnDateTimeChange = [&](TObject*, int c, int r, TDateTime v) {
            seen.push_back(Cat(IntToStr(c), ",", IntToStr(r)));
            got = v;
        };
        Grid->HandleDateTimeChange(k.y, k.m, k.d, k.h, k.mi, k.s, 0);
        EXPECT_EQ(seen, std::vector<String>{"2,3"});
        EXPECT_DOUBLE_EQ(got, k.expected);
    }
}

// ---------------------------------------------------------------- rows from the keyboard

// Records the row hooks the keyboard goes through.
class THookedGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<String>* Log = nullptr;
    void AutoInsertRow(int ARow) override
    {
        Log->push_back(Cat("hook insert ", IntToStr(ARow)));
        TExtStringGrid::AutoInsertRow(ARow);
    }
    void AutoDeleteRow(int ARow) override
    {
        Log->push_back(Cat("hook delete ", IntToStr(ARow)));
        TExtStringGrid::AutoDeleteRow(ARow);
    }
};

class KeyRowsTest : public ExtGridTest {
protected:
    THookedGrid* G = nullptr;
    std::vector<String> Log;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetVisible(false);
        G = new THookedGrid(Form);
        G->SetParent(Form);
        G->SetBounds(0, 0, 500, 300);
        G->Log = &Log;
        G->SetColCount(3);
        G->Navigation()->AllowInsertRow = true;
        G->Navigation()->AllowDeleteRow = true;
        G->OnAutoInsertRow = [&](TObject*, int r) { Log.push_back(Cat("event insert ", IntToStr(r))); };
        G->OnAutoDeleteRow = [&](TObject*, int r) { Log.push_back(Cat("event delete ", IntToStr(r))); };
        UserFocus(G);
    }
    void Rows(int n)
    {
        G->SetRowCount(n);
        for (int r = 1; r < n; ++r) G->SetCellEx(1, r, IntToStr(r));
    }
    String Column()
    {
        String s;
        for (int r = 1; r < G->RowCount(); ++r) (r > 1 ? s += '|' : s) += G->GetCellEx(1, r);
        return s;
    }
};

TEST_F(KeyRowsTest, InsertAndDeleteGoThroughTheRowHooksWithTheirEvents)
{
    Rows(5);
    G->SetRow(2);
    UserKey(G, VK_INSERT);
    EXPECT_EQ(Column(), "1||2|3|4");
    EXPECT_EQ(G->Row(), 2);
    G->Navigation()->InsertPosition = pInsertAfter;
    UserKey(G, VK_INSERT);
    EXPECT_EQ(Column(), "1|||2|3|4");
    EXPECT_EQ(G->Row(), 3);
    G->SetRow(4);
    UserKey(G, VK_DELETE);
    EXPECT_EQ(Column(), "1|||3|4");
    EXPECT_EQ(Log, (std::vector<String>{"hook insert 2", "event insert 2", "hook insert 3", "event insert 3",
                                        "hook delete 4", "event delete 4"}));
}

TEST_F(KeyRowsTest, AnInsertedRowPushesTheControlsBelowItDown)
{
    Rows(6);
    auto* box = new TEdit(Form);
    G->SetCellControls(1, 3, box);
    G->CellControlsUpdate(true);
    G->SetRow(2);
    UserKey(G, VK_INSERT);
    EXPECT_EQ(G->GetCellControls(1, 4), box);
    EXPECT_EQ(box->Top(), G->CellRect(1, 4).Top);
}

TEST_F(KeyRowsTest, DeletingTheOnlyDataRowEmptiesItUnlessTheFixedRowMayStandAlone)
{
    Rows(2);
    G->SetRow(1);
    G->AddComment(1, 1, "note");
    UserKey(G, VK_DELETE);
    EXPECT_EQ(G->RowCount(), 2);
    EXPECT_EQ(G->GetCellEx(1, 1), "");
    String comment;
    EXPECT_FALSE(G->IsComment(1, 1, comment));
    EXPECT_EQ(Log, (std::vector<String>{"hook delete 1", "event delete 1"}));
    Log.clear();
    G->SetCellEx(1, 1, "kept?");
    G->FixedRowAlways = true;
    UserKey(G, VK_DELETE);
    EXPECT_EQ(G->RowCount(), 1);
    EXPECT_EQ(Log, (std::vector<String>{"hook delete 1", "event delete 1"}));
}

TEST_F(KeyRowsTest, TheFooterFollowsRowsInsertedAndDeleted)
{
    Rows(5);
    G->SetCellEx(1, 4, "f");
    G->FloatingFooter()->SetVisible(true);
    G->FloatingFooter()->SetColumnCalc(1, acCOUNT);
    EXPECT_EQ(G->GetCellEx(1, 4), "3");
    G->SetRow(1);
    UserKey(G, VK_INSERT);
    EXPECT_EQ(G->GetCellEx(1, 5), "4");
    UserKey(G, VK_DELETE);
    UserKey(G, VK_DELETE);
    EXPECT_EQ(G->GetCellEx(1, 3), "2");
}

}  // namespace
