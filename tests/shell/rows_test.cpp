// The row helpers of the table editors: fixed-size tables, the row clipboard with its
// refusals and question, Enter to the next cell and the header double click.
#include <gtest/gtest.h>

#include "platform/gui/Dialogs.h"
#include "shell/UComon.h"
#include "shell/UComonRows.h"
#include "shell/ULanguage.h"
#include "tests/common/memory_rows.h"

namespace {

// The row clipboard as "a|b|c".
String Buffer()
{
    String s;
    for (int i = 0; i < Copy_Row_Buffer.Count(); ++i) {
        if (i) s += '|';
        s += Copy_Row_Buffer[i];
    }
    return s;
}

class RowHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Copy_Row_Buffer.Clear();
        Copy_Row_Is_Check.clear();
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
    }
    void TearDown() override
    {
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
    }

    // Five columns (0 number, 1 Enable check box, 2 key, 3 hidden, 4 text), four data rows
    // numbered in column 0, each filled with its letter.
    static TMemoryRows Table()
    {
        TMemoryRows t(5, 5);
        t.CheckColumn(1);
        t.Hide(3);
        for (int r = 1; r <= 4; ++r) {
            t.SetCellEx(0, r, IntToStr(r));
            const String k(1, char('a' + r - 1));
            t.SetRowText(r, {"Y", k + "2", k + "3", k + "4"});
        }
        return t;
    }
};

TEST_F(RowHelpers, DeleteAndInsertKeepTheRowCountAndMoveHiddenColumns)
{
    const struct {
        const char* what;
        bool insert;
        int row;
        bool enable;
        const char* rows[4];
    } cases[] = {
        {"delete in the middle", false, 2, false, {"Y|a2|a3|a4", "Y|c2|c3|c4", "Y|d2|d3|d4", "|||"}},
        {"delete the first", false, 1, false, {"Y|b2|b3|b4", "Y|c2|c3|c4", "Y|d2|d3|d4", "|||"}},
        {"delete the last only empties it", false, 4, false, {"Y|a2|a3|a4", "Y|b2|b3|b4", "Y|c2|c3|c4", "|||"}},
        {"insert on a full table loses the last row", true, 2, false,
         {"Y|a2|a3|a4", "|||", "Y|b2|b3|b4", "Y|c2|c3|c4"}},
        {"insert with the Enable flag", true, 1, true, {"Y|||", "Y|a2|a3|a4", "Y|b2|b3|b4", "Y|c2|c3|c4"}},
        {"insert on the last row only empties it", true, 4, true,
         {"Y|a2|a3|a4", "Y|b2|b3|b4", "Y|c2|c3|c4", "Y|||"}},
        {"the header row is no data row", true, 0, false, {"Y|a2|a3|a4", "Y|b2|b3|b4", "Y|c2|c3|c4", "Y|d2|d3|d4"}},
        {"a row past the end", false, 5, false, {"Y|a2|a3|a4", "Y|b2|b3|b4", "Y|c2|c3|c4", "Y|d2|d3|d4"}},
    };
    for (const auto& c : cases) {
        TMemoryRows t = Table();
        t.SetCellEx(2, 0, "Key");
        if (c.insert) {
            Grid_Insert_Row(c.row, t, c.enable);
        } else {
            Grid_Delete_Row(c.row, t);
        }
        for (int r = 1; r <= 4; ++r) {
            EXPECT_EQ(t.RowText(r), c.rows[r - 1]) << c.what << ", row " << r;
            EXPECT_EQ(t.GetCellEx(0, r), IntToStr(r)) << c.what << ": the numbers stay";
        }
        EXPECT_EQ(t.GetCellEx(2, 0), "Key") << c.what;
        EXPECT_EQ(t.RowCount(), 5) << c.what;
    }
}

TEST_F(RowHelpers, PasteNeedsACopyInThisTableAndARowOfItsWidth)
{
    TInteractionScript script;
    TMemoryRows t = Table();

    // Never copied in this table: 1102, nothing pasted even though the buffer holds a row.
    Copy_Row_Buffer.Add("N");
    Copy_Row_Buffer.Add("x");
    Copy_Row_Buffer.Add("y");
    Copy_Row_Buffer.Add("z");
    script.Answer(mrOk, Lang_Strings[1102]);
    Grid_Paste_Row(t, 2, false);
    EXPECT_EQ(t.RowText(2), "Y|b2|b3|b4");

    // A row of another table (three columns after the number): 1101.
    Copy_Row_Buffer.Delete(3);
    script.Answer(mrOk, Lang_Strings[1101]);
    Grid_Paste_Row(t, 2, true);
    EXPECT_EQ(t.RowText(2), "Y|b2|b3|b4");
    EXPECT_EQ(script.Problems(), "");
    ASSERT_EQ(script.Count(ikMessageBox), 2);
    EXPECT_EQ(script.Records()[0].DlgType, mtError);
    EXPECT_EQ(script.Records()[1].DlgType, mtError);
    EXPECT_EQ(Lang_Strings[1102], "Error!!! Copy a valid row before Paste it");
    EXPECT_EQ(Lang_Strings[1101], "Error in the Copy values!!! Copy a valid row before Paste it");
}

TEST_F(RowHelpers, PasteAsksOnlyBeforeOverwritingText)
{
    const struct {
        const char* what;
        std::vector<String> target;   // columns 1 .. 4 of row 4 before the paste
        int question;                 // 0 none, else the answer given
        bool pasted;
    } cases[] = {
        {"an empty row", {"", "", "", ""}, 0, true},
        {"only check-box states", {"N", "", "", ""}, 0, true},
        {"blanks only", {"Y", "  ", "", " "}, 0, true},
        {"text in a hidden column, answered No", {"Y", "", "h", ""}, mrNo, false},
        {"text in the key, answered Yes", {"Y", "k", "", ""}, mrYes, true},
    };
    for (const auto& c : cases) {
        TInteractionScript script;
        TMemoryRows t = Table();
        t.SetCellEx(1, 1, "N");
        Grid_Copy_Row(t, 1);
        ASSERT_EQ(Copy_Row_Buffer.Count(), 4);
        t.SetRowText(4, c.target);
        const String before = t.RowText(4);
        if (c.question) script.Answer(c.question, Lang_Strings[1100]);
        Grid_Paste_Row(t, 4, true);
        EXPECT_EQ(script.Count(ikMessageBox), c.question ? 1 : 0) << c.what;
        if (c.question) {
            EXPECT_EQ(script.Records()[0].Buttons, mbYesNo) << c.what;
        }
        EXPECT_EQ(t.RowText(4), c.pasted ? "N|a2|a3|a4" : before) << c.what;
        EXPECT_EQ(script.Problems(), "") << c.what;
        // The buffer stays: the same row can be pasted again.
        EXPECT_EQ(Buffer(), "N|a2|a3|a4") << c.what;
    }
}

TEST_F(RowHelpers, EnterMovesThroughTheShownCells)
{
    const struct {
        const char* what;
        bool option;
        WideChar key;
        int col, row;               // before
        int toCol, toRow;           // after
        WideChar keyAfter;
    } cases[] = {
        // Four shown columns (0 .. 3, the hidden one left out), four data rows.
        {"next column", true, 13, 1, 2, 2, 2, 0},
        {"last shown column to the next row", true, 13, 3, 2, 1, 3, 0},
        {"last cell of the last row to row 1", true, 13, 3, 4, 1, 1, 0},
        {"column 0 only consumes the key", true, 13, 0, 2, 0, 2, 0},
        {"option off", false, 13, 1, 2, 1, 2, 13},
        {"another key", true, 'a', 1, 2, 1, 2, 'a'},
    };
    for (const auto& c : cases) {
        TMemoryRows t = Table();
        Enable_Jump_Field_Tables = c.option;
        t.SetCol(c.col);
        t.SetRow(c.row);
        WideChar key = c.key;
        Grid_Enter_Next_Cell(t, key);
        EXPECT_EQ(t.Col(), c.toCol) << c.what;
        EXPECT_EQ(t.Row(), c.toRow) << c.what;
        EXPECT_EQ(key, c.keyAfter) << c.what;
    }
}

TEST_F(RowHelpers, OnlyAHeaderDoubleClickSizesAndOnlyWithTheOption)
{
    TMemoryRows t = Table();
    Grid_Auto_Size_Col(t, 0, 2);
    Double_Click_Auto_Size = true;
    Grid_Auto_Size_Col(t, 1, 3);
    Grid_Auto_Size_Col(t, -1, -1);
    Grid_Auto_Size_Col(t, 0, 4);
    EXPECT_EQ(t.Sized, std::vector<int>{4});
}

// The string grid with real check boxes in columns 1 and 3 and read-only marks.
class RowHelpersCheck : public RowHelpers {
protected:
    static TMemoryRows BoxTable()
    {
        TMemoryRows t(5, 4);
        t.BoxColumn(1);
        t.BoxColumn(3);
        for (int r = 1; r <= 3; ++r) {
            const String k(1, char('a' + r - 1));
            t.SetCellEx(2, r, k + "2");
            t.SetCellEx(4, r, k + "4");
            t.SetCheckBoxState(1, r, r != 2);
            t.SetCheckBoxState(3, r, r == 2);
            t.SetCellReadOnly(2, r, r == 3);
        }
        return t;
    }
};

TEST_F(RowHelpersCheck, DeleteAndInsertMoveStatesAndReadOnlyMarks)
{
    TMemoryRows d = BoxTable();
    Grid_Delete_Row_Check(1, d, true);
    EXPECT_EQ(d.RowText(1), "|b2||b4");
    EXPECT_FALSE(d.Checked(1, 1));
    EXPECT_TRUE(d.Checked(3, 1));
    EXPECT_TRUE(d.CellReadOnly(2, 2)) << "the mark moved up with row 3";
    EXPECT_EQ(d.RowText(3), "|||");
    EXPECT_TRUE(d.Checked(1, 3)) << "SetFirstChecked ticks column 1 of the new last row";
    EXPECT_FALSE(d.Checked(3, 3));
    for (int c = 1; c <= 4; ++c) EXPECT_TRUE(d.CellReadOnly(c, 3)) << c;

    TMemoryRows i = BoxTable();
    Grid_Insert_Row_Check(1, i, false);
    EXPECT_EQ(i.RowText(2), "|a2||a4");
    EXPECT_TRUE(i.Checked(1, 2));
    EXPECT_EQ(i.RowText(3), "|b2||b4") << "row 3's content is lost";
    EXPECT_TRUE(i.Checked(3, 3));
    EXPECT_FALSE(i.CellReadOnly(2, 3));
    EXPECT_FALSE(i.Checked(1, 1));
    for (int c = 1; c <= 4; ++c) EXPECT_FALSE(i.CellReadOnly(c, 1)) << c;
}

TEST_F(RowHelpersCheck, CopyAndPasteCarryCheckStates)
{
    TMemoryRows t = BoxTable();
    Grid_Copy_Row_Check(t, 2);
    EXPECT_EQ(Buffer(), "N|b2|Y|b4");
    EXPECT_EQ(Copy_Row_Is_Check, (std::vector<bool>{true, false, true, false}));

    TInteractionScript script;
    // A blank counts as text in this grid: the question comes.
    t.SetRowText(3, {"", " ", "", ""});
    script.Answer(mrYes, Lang_Strings[1100]);
    Grid_Paste_Row_Check(t, 3, true);
    EXPECT_EQ(t.RowText(3), "|b2||b4");
    EXPECT_FALSE(t.Checked(1, 3));
    EXPECT_TRUE(t.Checked(3, 3));
    EXPECT_EQ(script.Problems(), "");
}

TEST_F(RowHelpersCheck, ACopiedRowWhoseCheckFlagsDoNotFitIsRefused)
{
    const struct {
        const char* what;
        std::vector<bool> flags;
    } cases[] = {
        // A plain copy elsewhere left the flags of an earlier copy behind.
        {"fewer flags than entries", {true, false}},
        {"no flags at all", {}},
        // Same width, but the boxes stood in other columns.
        {"boxes in other columns", {false, true, false, true}},
    };
    for (const auto& c : cases) {
        TInteractionScript script;
        TMemoryRows t = BoxTable();
        Copy_Row_Buffer.Clear();
        for (const char* s : {"Y", "x", "N", "z"}) Copy_Row_Buffer.Add(s);
        Copy_Row_Is_Check = c.flags;
        script.Answer(mrOk, Lang_Strings[1101]);
        Grid_Paste_Row_Check(t, 1, true);
        EXPECT_EQ(t.RowText(1), "|a2||a4") << c.what;
        EXPECT_TRUE(t.Checked(1, 1)) << c.what;
        EXPECT_FALSE(t.Checked(3, 1)) << c.what;
        EXPECT_EQ(script.Problems(), "") << c.what;
    }
}

}  // namespace
