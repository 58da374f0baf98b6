// Copy, cut and paste through the clipboard: the text a copy leaves, round trips between
// two grids by their keys and with plain text from other programs, the grid's own cell
// block, the smart fill, inserted rows, read-only cells and hostile blocks.
#include "platform/os/Regional.h"
#include "tests/common/UserInput.h"
#include "tests/gridext/clipboard/clipboard_fixture.h"

using namespace GridClipboard;

TEST_F(ClipboardTest, CopiedTextHasATabBetweenCellsAndCrLfAfterEachRowOfABlock)
{
    Fill(A, 1, 1, {{"a", "b"}, {"c", "d"}});
    const struct {
        TGridRect R;
        String Text;
    } cases[] = {
        {TGridRect(1, 1, 2, 2), "a\tb\r\nc\td\r\n"},
        {TGridRect(1, 1, 2, 1), "a\tb"},
        {TGridRect(1, 2, 1, 2), "c"},
    };
    for (const auto& k : cases) {
        A->SetSelection(k.R);
        CopySelectionToClipboard(*A);
        EXPECT_EQ(Clipboard()->AsText(), k.Text);
    }
}

TEST_F(ClipboardTest, MultiLineCellsKeepEachLineBreakOnceThroughTheClipboard)
{
    A->Multilinecells = B->Multilinecells = true;
    Fill(A, 1, 1, {{"line 1\r\nline 2", "say \"hi\"\r\nok"}, {"x", "three\r\nlines\r\nhere"}});
    Select(A, 1, 1, 2, 2);
    UserKey(A, 'C', TShiftState{ssCtrl});
    // One LF per break inside a quoted field, quotes inside doubled.
    EXPECT_EQ(Clipboard()->AsText(), "\"line 1\nline 2\"\t\"say \"\"hi\"\"\nok\"\r\nx\t\"three\nlines\nhere\"\r\n");
    Select(B, 2, 3, 2, 3);
    UserKey(B, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(B->GetCellEx(2, 3), "line 1\r\nline 2");
    EXPECT_EQ(B->GetCellEx(3, 3), "say \"hi\"\r\nok");
    EXPECT_EQ(B->GetCellEx(2, 4), "x");
    EXPECT_EQ(B->GetCellEx(3, 4), "three\r\nlines\r\nhere");
    EXPECT_EQ(B->GetCellEx(2, 5), "");
}

TEST_F(ClipboardTest, PlainTextFromOtherProgramsFillsRowsWhateverItsLineEnds)
{
    const struct {
        String Text;
    } cases[] = {{"1\t2\r\n3\t4\r\n"}, {"1\t2\n3\t4\n"}, {"1\t2\r3\t4"}};
    for (const auto& k : cases) {
        B->Clear();
        Clipboard()->SetAsText(k.Text);
        Select(B, 1, 1, 1, 1);
        UserKey(B, VK_INSERT, TShiftState{ssShift});
        EXPECT_EQ(B->GetCellEx(1, 1) + B->GetCellEx(2, 1) + B->GetCellEx(1, 2) + B->GetCellEx(2, 2), "1234")
            << k.Text;
        EXPECT_EQ(B->GetCellEx(1, 3), "") << k.Text;
    }
    // A text that is no cell block stays one cell: a quote that does not close at a field's
    // end is part of the text.
    Clipboard()->SetAsText("\"open\tx");
    Select(B, 1, 5, 1, 5);
    PasteSelectionFromClipboard(*B);
    EXPECT_EQ(B->GetCellEx(1, 5), "\"open");
    EXPECT_EQ(B->GetCellEx(2, 5), "x");
}

TEST_F(ClipboardTest, TheCellBlockCarriesCellsAndTellsAPasteBackHomeFromOneElsewhere)
{
    A->Navigation()->AllowFmtClipboard = B->Navigation()->AllowFmtClipboard = true;
    Fill(A, 1, 1, {{"a", "b"}, {"c", "d"}});
    Select(A, 1, 1, 2, 2);
    UserKey(A, VK_INSERT, TShiftState{ssCtrl});
    EXPECT_TRUE(Clipboard()->HasFormat(GridCellsClipboardFormat()));
    EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\td\r\n");   // other programs still get text

    Select(B, 3, 5, 3, 5);
    UserKey(B, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(B->GetCellEx(3, 5) + B->GetCellEx(4, 5) + B->GetCellEx(3, 6) + B->GetCellEx(4, 6), "abcd");
    EXPECT_EQ(B->FClipboardSource, TPoint(-1, -1));

    Select(A, 2, 4, 2, 4);
    UserKey(A, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(A->GetCellEx(2, 4) + A->GetCellEx(3, 5), "ad");
    EXPECT_EQ(A->FClipboardSource, TPoint(1, 1));
    // The block grows the grid to hold it.
    Select(B, 4, 7, 4, 7);
    PasteSelectionFromClipboard(*B);
    EXPECT_EQ(B->RowCount(), 9);
    EXPECT_EQ(B->ColCount(), 6);
    EXPECT_EQ(B->GetCellEx(5, 8), "d");
}

TEST_F(ClipboardTest, SmartPasteSpreadsOneValueAndContinuesANumberSeries)
{
    A->Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText("1\r\n3\r\n");
    Select(A, 1, 1, 1, 5);
    PasteSelectionFromClipboard(*A);
    String col;
    for (int r = 1; r <= 5; ++r) col += A->GetCellEx(1, r) + ",";
    EXPECT_EQ(col, "1,3,5,7,9,");

    Clipboard()->SetAsText("x");
    Select(A, 2, 1, 4, 3);
    PasteSelectionFromClipboard(*A);
    int filled = 0;
    for (int c = 2; c <= 4; ++c)
        for (int r = 1; r <= 3; ++r) filled += A->GetCellEx(c, r) == "x";
    EXPECT_EQ(filled, 9);
    EXPECT_EQ(A->GetCellEx(2, 4), "");
}

// Two pasted values that make no plain number series: dates stepping by the one part
// that changed (else by days), times, and texts repeating as the pattern pasted.
TEST_F(ClipboardTest, SmartPasteContinuesDateTimeAndPatternSeries)
{
    SetShortDateFormatOverride("dd/mm/yyyy");
    SetLongTimeFormatOverride("hh:nn");
    struct Case {
        const char* Clip;
        bool Down;
        const char* Want;   // the five cells of the selection, each followed by ","
    } cases[] = {
        {"01/01/2024\r\n08/01/2024\r\n", true, "01/01/2024,08/01/2024,15/01/2024,22/01/2024,29/01/2024,"},
        // Only the month changed: the month steps (not 31 days).
        {"15/01/2024\r\n15/02/2024\r\n", true, "15/01/2024,15/02/2024,15/03/2024,15/04/2024,15/05/2024,"},
        // 31 September does not exist: the series ends there, the last cell keeps its text.
        {"31/01/2024\r\n31/03/2024\r\n", true, "31/01/2024,31/03/2024,31/05/2024,31/07/2024,old,"},
        {"08:00\r\n08:30\r\n", true, "08:00,08:30,09:00,09:30,10:00,"},
        {"a\r\nb\r\n", true, "a,b,a,b,a,"},
        // A row copied from a grid ends without a line break: both pasted cells repeat.
        {"a\tb", false, "a,b,a,b,a,"},
    };
    A->Navigation()->AllowSmartClipboard = true;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Clip);
        for (int i = 1; i <= 5; ++i) A->SetCellEx(k.Down ? 1 : i, k.Down ? i : 1, "old");
        Clipboard()->SetAsText(k.Clip);
        if (k.Down) Select(A, 1, 1, 1, 5);
        else Select(A, 1, 1, 5, 1);
        PasteSelectionFromClipboard(*A);
        String got;
        for (int i = 1; i <= 5; ++i) got += A->GetCellEx(k.Down ? 1 : i, k.Down ? i : 1) + ",";
        EXPECT_EQ(got, k.Want);
    }
    SetShortDateFormatOverride("");
    SetLongTimeFormatOverride("");
}

TEST_F(ClipboardTest, SmartPasteRepeatsOneRowOnEveryRowAndOneColumnOnEveryColumnOfTheSelection)
{
    A->Navigation()->AllowSmartClipboard = true;
    Clipboard()->SetAsText("p\tq");
    Select(A, 1, 1, 3, 3);
    PasteSelectionFromClipboard(*A);
    String rows;
    for (int r = 1; r <= 4; ++r) rows += A->GetCellEx(1, r) + A->GetCellEx(2, r) + A->GetCellEx(3, r) + "|";
    EXPECT_EQ(rows, "pq|pq|pq||");
    EXPECT_EQ(A->Selection(), TGridRect(1, 1, 3, 3));

    Clipboard()->SetAsText("u\r\nv\r\n");
    Select(B, 1, 1, 3, 2);
    PasteSelectionFromClipboard(*B);
    B->Navigation()->AllowSmartClipboard = true;
    EXPECT_EQ(B->GetCellEx(2, 1), "");   // without the smart clipboard only the first column
    PasteSelectionFromClipboard(*B);
    String cols;
    for (int c = 1; c <= 4; ++c) cols += B->GetCellEx(c, 1) + B->GetCellEx(c, 2) + "|";
    EXPECT_EQ(cols, "uv|uv|uv||");
}

TEST_F(ClipboardTest, InsertingPasteAddsOneRowPerLineAndNoneForTheEmptyTail)
{
    Fill(A, 1, 1, {{"keep"}});
    A->Navigation()->ClipboardPasteAction = paInsert;
    int lines = 0, fields = 0;
    EXPECT_EQ(PasteTextBlock(*A, 1, 1, lines, fields, "p\r\nq\r\nr\r\n"), 4);
    EXPECT_EQ(A->RowCount(), 11);
    EXPECT_EQ(A->GetCellEx(1, 1) + A->GetCellEx(1, 2) + A->GetCellEx(1, 3) + A->GetCellEx(1, 4), "pqrkeep");
    EXPECT_EQ(TextBlockSize("p\tq\r\nr\r\n"), TPoint(2, 2));
}

TEST_F(ClipboardTest, CutLeavesCellsThatMayNotBeEditedAndRefusedGridsGetNothing)
{
    Fill(A, 1, 1, {{"a", "b"}, {"c", "d"}});
    A->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
    Select(A, 1, 1, 2, 2);
    UserKey(A, 'X', TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(A->GetCellEx(1, 1) + A->GetCellEx(2, 1) + A->GetCellEx(1, 2) + A->GetCellEx(2, 2), "bd");

    B->SetOptions(B->Options() >> goEditing);
    int lines = 0, fields = 0;
    EXPECT_EQ(PasteTextBlock(*B, 1, 1, lines, fields, "z"), 0);
    EXPECT_EQ(B->GetCellEx(1, 1), "");
}

TEST_F(ClipboardTest, HostileBlocksAreRefusedWithTheGridUnchanged)
{
    Fill(B, 1, 1, {{"keep"}});
    const int rows = B->RowCount(), cols = B->ColCount();
    String wide(20000, '\t');
    String tall;
    for (int i = 0; i < 3400; ++i) tall += String(6000, '\t') + "\r\n";
    TDataPackage forged;
    forged.Set(GridCellsClipboardFormat(), "TPF0 not a block");
    B->Navigation()->AllowFmtClipboard = true;
    for (const String& text : {wide, tall}) {
        int lines = 0, fields = 0;
        EXPECT_THROW(PasteTextBlock(*B, 1, 1, lines, fields, text), Exception);
        EXPECT_THROW(SetSelectionAsText(*B, text), Exception);
    }
    Clipboard()->SetContent(forged);
    Select(B, 1, 1, 1, 1);
    EXPECT_THROW(PasteSelectionFromClipboard(*B), Exception);
    EXPECT_EQ(B->RowCount(), rows);
    EXPECT_EQ(B->ColCount(), cols);
    EXPECT_EQ(B->GetCellEx(1, 1), "keep");
    EXPECT_EQ(B->GetCellEx(2, 1), "");
}

TEST_F(ClipboardTest, SelectionAsTextRoundTripsAndHtmlCopyOffersPageAndText)
{
    A->Multilinecells = true;
    Fill(A, 1, 1, {{"a", "b\r\nc"}, {"d", ""}});
    Select(A, 1, 1, 2, 2);
    const String t = GetSelectionAsText(*A);
    Select(B, 1, 1, 1, 1);
    B->Multilinecells = true;
    SetSelectionAsText(*B, t);
    EXPECT_EQ(B->GetCellEx(2, 1), "b\r\nc");
    EXPECT_EQ(B->GetCellEx(1, 2), "d");

    CopyToClipBoardAsHTML(*A);
    EXPECT_TRUE(Clipboard()->HasFormat(HTMLClipboardFormat()));
    EXPECT_NE(Clipboard()->AsText().find("<TABLE"), String::npos);
}
