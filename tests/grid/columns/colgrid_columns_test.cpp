// The column grid's items: loading as a form, headers in row 0, hidden columns keeping
// their items and widths, the item count following ColCount, check-box columns, editing
// rules, moving and the recorded order, ini file and stream round trips.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "grid/util/GridSupport.h"
#include "tests/common/colgrid_fixture.h"

namespace {
std::vector<TGridColumnItem*> Items(TExtColumnGrid* g)
{
    std::vector<TGridColumnItem*> v;
    for (int i = 0; i < g->Columns()->Count(); ++i) v.push_back(g->Columns()->Items(i));
    return v;
}

// A column grid that counts its repaints.
class TCountingGrid : public TExtColumnGrid {
public:
    using TExtColumnGrid::TExtColumnGrid;
    int Repaints = 0;
    void Invalidate() override
    {
        ++Repaints;
        TExtColumnGrid::Invalidate();
    }
};
}

TEST_F(ColGridTest, AGridLoadedAsAFormKeepsItsNineteenItemsAndRecordsTheirOrder)
{
    LoadAsForm(Grid, 19, 10);
    ASSERT_EQ(Grid->Columns()->Count(), 19);
    EXPECT_EQ(Grid->ColCount(), 19);
    const auto before = Items(Grid);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(Grid->Columns()->Items(i)->DefIdx(), i);
        EXPECT_EQ(Grid->GetCellEx(i, 0), Cat("H", IntToStr(i)));
        EXPECT_EQ(Grid->Columns()->Items(i)->Width(), 40 + i);
    }
    // Nothing was added or freed by the loading's end.
    EXPECT_EQ(Items(Grid), before);
    // The grid is ready: an item added in code now adds a column.
    Grid->Columns()->Add();
    EXPECT_EQ(Grid->ColCount(), 20);
}

TEST_F(ColGridTest, HeadersGoIntoRowZeroOnlyWithAFixedRow)
{
    LoadAsForm(Grid, 19, 10);
    Grid->Columns()->Items(4)->SetHeader("Address");
    EXPECT_EQ(Grid->GetCellEx(4, 0), "Address");
    ASSERT_EQ(Grid->ColumnHeaders()->Count(), 19);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(Grid->ColumnHeaders()->Strings(i), Grid->Columns()->Items(i)->Header());
    // A header holding "\n" shows on two lines.
    Grid->Columns()->Items(5)->SetHeader("Group\\naddress");
    EXPECT_EQ(Grid->GetCellEx(5, 0), "Group\raddress");
    EXPECT_EQ(Grid->GetLinesInCell(5, 0), 2);
    EXPECT_EQ(Grid->Columns()->Items(5)->Header(), "Group\\naddress");

    TExtColumnGrid plain(Form);
    plain.SetFixedRows(0);
    plain.SetCellEx(2, 0, "data");
    plain.Columns()->Items(2)->SetHeader("Name");
    EXPECT_EQ(plain.GetCellEx(2, 0), "data");
    EXPECT_EQ(plain.Columns()->Items(2)->Header(), "Name");
    EXPECT_EQ(plain.ColumnHeaders()->Strings(2), "Name");
}

TEST_F(ColGridTest, AHiddenColumnKeepsItsItemCellsAndWidth)
{
    KnxTable(Grid, 20);
    Grid->Columns()->Items(2)->SetWidth(77);
    Grid->Columns()->Items(3)->SetWidth(55);
    TGridColumnItem* hidden = Grid->Columns()->Items(2);
    Grid->HideColumn(2);
    EXPECT_EQ(Grid->Columns()->Count(), 19);
    EXPECT_EQ(Grid->ColCount(), 18);
    EXPECT_EQ(Grid->Columns()->Items(2), hidden);
    EXPECT_EQ(hidden->Editor(), edComboList);
    EXPECT_EQ(Grid->GetCellEx(2, 5), "1/2/5");
    // Item 3 describes displayed column 2 now.
    EXPECT_EQ(Grid->Columns()->Items(3)->Width(), Grid->ColWidths(2));
    EXPECT_EQ(Grid->ColWidths(2), 55);
    // A width written while hidden waits for the column to come back.
    EXPECT_EQ(hidden->Width(), 77);
    hidden->SetWidth(90);
    EXPECT_EQ(Grid->ColWidths(2), 55);
    Grid->UnHideColumn(2);
    EXPECT_EQ(Grid->ColWidths(2), 90);
    EXPECT_EQ(Grid->ColWidths(3), 55);
    EXPECT_EQ(Grid->Columns()->Count(), 19);
}

TEST_F(ColGridTest, TheItemsFollowColCountAndNewOnesCopyTheVisualsBeforeThem)
{
    LoadAsForm(Grid, 19, 5);
    TGridColumnItem* nine = Grid->Columns()->Items(9);
    nine->SetEditor(edDataCheckBox);
    nine->SetCheckTrue("1");
    nine->SetCheckFalse("0");
    nine->SetAlignment(taRightJustify);
    nine->ComboItems()->Add("x");
    nine->SetColor(clRed);
    nine->Font()->SetColor(clBlue);
    Grid->SetColCount(10);
    EXPECT_EQ(Grid->Columns()->Count(), 10);
    Grid->SetColCount(12);
    ASSERT_EQ(Grid->Columns()->Count(), 12);
    for (int i : {10, 11}) {
        TGridColumnItem* it = Grid->Columns()->Items(i);
        EXPECT_EQ(it->Editor(), edDataCheckBox);
        EXPECT_EQ(it->CheckTrue(), "1");
        EXPECT_EQ(it->CheckFalse(), "0");
        EXPECT_EQ(it->Alignment(), taRightJustify);
        EXPECT_EQ(it->Header(), "");
        EXPECT_EQ(it->ComboItems()->Count(), 0);
        EXPECT_EQ(it->Color(), Grid->Color());
        EXPECT_EQ(it->Font()->Color(), Grid->Font()->Color());
    }
}

TEST_F(ColGridTest, ItemsAddedOrDeletedInCodeChangeTheColumnsButNotDownToTheFixedOnes)
{
    LoadAsForm(Grid, 19, 5);
    Grid->Columns()->Add();
    EXPECT_EQ(Grid->Columns()->Count(), 20);
    EXPECT_EQ(Grid->ColCount(), 20);
    while (Grid->Columns()->Count() > 1) Grid->Columns()->Delete(Grid->Columns()->Count() - 1);
    EXPECT_EQ(Grid->FixedCols(), 1);
    EXPECT_GT(Grid->ColCount(), 1);
    // An index outside the collection is a list error.
    EXPECT_THROW(Grid->Columns()->Items(5), EListError);
}

TEST_F(ColGridTest, ADataCheckBoxColumnReadsItsStateFromTheText)
{
    KnxTable(Grid, 10);
    Grid->FixedFooters = 1;
    Grid->FixedRightCols = 1;
    Grid->Columns()->Items(18)->SetEditor(edDataCheckBox);
    EXPECT_EQ(Grid->GetCellType(1, 3), ctDataCheckBox);
    ASSERT_NE(Grid->GetCellGraphic(1, 3), nullptr);
    EXPECT_EQ(Grid->GetCellGraphic(1, 3)->CellType, ctVirtCheckBox);
    const struct {
        const char* text;
        bool checked;
    } cases[] = {{"Y", true}, {"y", false}, {"N", false}, {"", false}, {"Y ", false}};
    for (const auto& c : cases) {
        Grid->SetCellEx(1, 3, c.text);
        EXPECT_EQ(Grid->IsChecked(1, 3), c.checked) << c.text;
    }
    // Header, footer row and right fixed column are no check boxes.
    EXPECT_EQ(Grid->GetCellType(1, 0), ctEmpty);
    EXPECT_EQ(Grid->GetCellType(1, 9), ctEmpty);
    EXPECT_EQ(Grid->GetCellType(18, 3), ctEmpty);
    // Writing a state stores the column's texts, whatever the application says.
    Grid->OnGetCheckTrue = [](TObject*, int, int, String& v) { v = "yes"; };
    Grid->SetCheckBoxState(1, 4, true);
    EXPECT_EQ(Grid->GetCellEx(1, 4), "Y");
    Grid->ToggleCheckBox(1, 4);
    EXPECT_EQ(Grid->GetCellEx(1, 4), "N");
    String t;
    Grid->GetCheckTrue(1, 4, t);
    EXPECT_EQ(t, "Y");
    Grid->GetCheckTrue(1, 0, t);
    EXPECT_EQ(t, "yes");
}

TEST_F(ColGridTest, OnlyEditableColumnsOfTheBodyCanBeEdited)
{
    LoadAsForm(Grid, 6, 8);
    Grid->Columns()->Items(3)->SetReadOnly(true);
    Grid->Columns()->Items(4)->SetFixed(true);
    // Column 5 without an item (deleted with the change reaction held back).
    Grid->Columns()->FNoRecursiveUpdate = true;
    Grid->Columns()->Delete(5);
    Grid->Columns()->FNoRecursiveUpdate = false;
    const struct {
        int col, row;
        bool editable;
    } cases[] = {{2, 2, true}, {3, 2, false}, {4, 2, false}, {0, 2, false}, {2, 0, false}, {5, 2, false}};
    for (const auto& c : cases) {
        bool can = true;
        Grid->FireCanEditCell(c.col, c.row, can);
        EXPECT_EQ(can, c.editable) << c.col << "," << c.row;
    }
    // A cell's own read-only flag; then the application decides.
    Grid->SetReadOnly(2, 3, true);
    bool can = true;
    Grid->FireCanEditCell(2, 3, can);
    EXPECT_FALSE(can);
    Grid->OnCanEditCell = [](TObject*, int, int, bool& v) { v = true; };
    Grid->FireCanEditCell(3, 2, can);
    EXPECT_TRUE(can);
    // While the grid is loading nothing is editable.
    Grid->OnCanEditCell = nullptr;
    Grid->BeginLoading();
    Grid->FireCanEditCell(2, 2, can);
    EXPECT_FALSE(can);
    Grid->Loaded();
    // A fixed column looks fixed.
    bool fixed = false;
    Grid->IsFixedCellEx(4, 2, fixed);
    EXPECT_TRUE(fixed);
}

TEST_F(ColGridTest, EditorQueriesAnswerFromTheColumn)
{
    LoadAsForm(Grid, 6, 8);
    TGridColumnItem* combo = Grid->Columns()->Items(2);
    combo->SetDropDownCount(12);
    combo->SetFloatFormat("%.3f");
    combo->ComboItems()->Add("1 bit");
    combo->ComboItems()->Add("1 byte");
    Grid->Columns()->Items(3)->ComboItems()->Add("other");
    TEditorType e = edNormal;
    Grid->GetEditorTypeOf(3, 3, e);
    Grid->GetEditorTypeOf(2, 3, e);
    EXPECT_EQ(e, edComboList);
    EXPECT_EQ(Grid->ControlLook()->DropDownCount, 12);
    // The shared combo editor holds exactly the items of the column asked last.
    EXPECT_EQ(Grid->ComboEditor()->Items()->Text(), combo->ComboItems()->Text());
    EXPECT_EQ(Grid->ComboEditor()->DropDownCount(), 12);
    EXPECT_EQ(Grid->FloatFormat, "%.3f");
    // In the header row the kind stays, the float format still goes to the grid.
    e = edNormal;
    Grid->GetEditorTypeOf(2, 0, e);
    EXPECT_EQ(e, edNormal);
    Grid->Columns()->Items(3)->SetEditor(edComboEdit);
    EXPECT_TRUE(Grid->HasComboBox(2, 3));
    EXPECT_TRUE(Grid->HasComboBox(3, 3));
    EXPECT_FALSE(Grid->HasComboBox(2, 0));
    EXPECT_FALSE(Grid->HasComboBox(4, 3));
    // Column float format of numbers; other texts as stored.
    Grid->SetCellEx(2, 4, "12.5");
    EXPECT_EQ(Grid->GetFormattedCell(2, 4), "12.500");
    Grid->SetCellEx(2, 4, "12a");
    EXPECT_EQ(Grid->GetFormattedCell(2, 4), "12a");
}

TEST(ColGridRepaintTest, WritingTheEditorRepaintsOnlyForCheckBoxColumns)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* g = new TCountingGrid(&form);
    g->SetParent(&form);
    TGridColumnItem* it = g->Columns()->Items(2);
    int before = g->Repaints;
    it->SetEditor(edNormal);
    EXPECT_EQ(g->Repaints, before);
    it->SetEditor(edComboList);
    EXPECT_EQ(g->Repaints, before);
    it->SetEditor(edDataCheckBox);
    EXPECT_EQ(g->Repaints, before + 1);
    it->SetEditor(edNormal);
    EXPECT_EQ(g->Repaints, before + 2);
}

TEST_F(ColGridTest, AMovedColumnTakesItsItemAndTheOrderComesBack)
{
    LoadAsForm(Grid, 8, 5);
    TGridColumnItem* two = Grid->Columns()->Items(2);
    int from = -1, to = -1;
    Grid->OnAfterColumnMoved = [&](TObject*, int f, int t) {
        from = f;
        to = t;
    };
    Grid->MoveColumn(2, 5);
    EXPECT_EQ(Grid->Columns()->Items(5), two);
    EXPECT_EQ(Grid->GetCellEx(5, 0), "H2");
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 5);
    EXPECT_EQ(Grid->Columns()->Items(5)->Editor(), edComboList);
    Grid->Columns()->ResetOrganization();
    EXPECT_EQ(Grid->Columns()->Items(2), two);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Grid->GetCellEx(i, 0), Cat("H", IntToStr(i)));
}

TEST_F(ColGridTest, TheColumnOrderRoundTripsThroughAnIniFile)
{
    LoadAsForm(Grid, 6, 5);
    char tmpl[] = "/tmp/colgrid_ini_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const String ini = Cat(tmpl, "/grid.ini");
    Grid->MoveColumn(1, 4);
    Grid->SaveColumnPositions(ini, "Table");
    const String order = [&] {
        String s;
        for (int i = 0; i < 6; ++i) s += Cat(Grid->GetCellEx(i, 0), " ");
        return s;
    }();
    Grid->Columns()->ResetOrganization();
    EXPECT_EQ(Grid->GetCellEx(1, 0), "H1");
    Grid->LoadColumnPositions(ini, "Table");
    String now;
    for (int i = 0; i < 6; ++i) now += Cat(Grid->GetCellEx(i, 0), " ");
    EXPECT_EQ(now, order);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Grid->Columns()->Items(i)->DefIdx(), StrToInt(Grid->GetCellEx(i, 0).substr(1)));

    // A section that misses an entry changes nothing.
    {
        std::ofstream f(Cat(tmpl, "/short.ini"));
        f << "[Table]\nCP0=0\nCP1=1\nCP2=2\nCP4=4\nCP5=5\n";
    }
    Grid->LoadColumnPositions(Cat(tmpl, "/short.ini"), "Table");
    String after;
    for (int i = 0; i < 6; ++i) after += Cat(Grid->GetCellEx(i, 0), " ");
    EXPECT_EQ(after, order);
    std::filesystem::remove_all(tmpl);
}

TEST_F(ColGridTest, ColumnSettingsRoundTripThroughAStream)
{
    LoadAsForm(Grid, 5, 5);
    TGridColumnItem* it = Grid->Columns()->Items(3);
    it->SetHeader("Line 1\\nLine 2");
    it->SetName("addr");
    it->SetEditor(edComboEdit);
    it->ComboItems()->Add("one");
    it->ComboItems()->Add("two, three");
    it->SetBorders(TCellBorders{cbTop, cbBottom});
    it->BorderPen()->SetColor(clRed);
    it->HeaderFont()->SetStyle(TFontStyles{fsBold});
    it->SetEditMask("000;1;_");
    it->SetPrintFontCustom(false);
    std::stringstream st;
    Grid->SaveColumnsToStream(st);
    const String saved = st.str();

    TExtColumnGrid other(Form);
    std::stringstream in(saved);
    other.LoadColumnsFromStream(in);
    ASSERT_EQ(other.Columns()->Count(), 5);
    TGridColumnItem* o = other.Columns()->Items(3);
    EXPECT_EQ(o->Header(), "Line 1\\nLine 2");
    EXPECT_EQ(o->Name(), "addr");
    EXPECT_EQ(o->Editor(), edComboEdit);
    EXPECT_EQ(o->ComboItems()->Text(), it->ComboItems()->Text());
    EXPECT_EQ(o->Borders(), (TCellBorders{cbTop, cbBottom}));
    EXPECT_EQ(o->BorderPen()->Color(), clRed);
    EXPECT_TRUE(o->HeaderFont()->Style().Contains(fsBold));
    EXPECT_EQ(o->EditMask(), "000;1;_");
    EXPECT_FALSE(o->PrintFontCustom());
    // Saved again, the settings read back are the same.
    std::stringstream again;
    other.SaveColumnsToStream(again);
    EXPECT_EQ(again.str(), saved);
    // Something else than column settings is refused and changes nothing.
    std::stringstream junk("not a column stream\n");
    EXPECT_THROW(other.LoadColumnsFromStream(junk), EConvertError);
    EXPECT_EQ(other.Columns()->Items(3)->Name(), "addr");
}

TEST_F(ColGridTest, NamesAreFoundExactlyAndTheVersionIsFixed)
{
    Grid->Columns()->Items(2)->SetName("Addr");
    EXPECT_EQ(Grid->GetColumnByName("Addr"), Grid->Columns()->Items(2));
    EXPECT_EQ(Grid->GetColumnByName("addr"), nullptr);
    EXPECT_EQ(Grid->GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST_F(ColGridTest, ColumnSizeLimitsApplyToUserAndAutomaticSizing)
{
    LoadAsForm(Grid, 5, 5);
    Grid->Columns()->Items(2)->SetMinSize(30);
    Grid->Columns()->Items(2)->SetMaxSize(100);
    Grid->Columns()->Items(2)->SetAutoMaxSize(60);
    const struct {
        int in, user, automatic;
    } cases[] = {{10, 30, 10}, {50, 50, 50}, {80, 80, 60}, {200, 100, 60}};
    for (const auto& c : cases) {
        int w = c.in;
        Grid->FireUpdateColumnSize(2, w);
        EXPECT_EQ(w, c.user);
        w = c.in;
        Grid->FireUpdateAutoColumnSize(2, w);
        EXPECT_EQ(w, c.automatic);
    }
}
