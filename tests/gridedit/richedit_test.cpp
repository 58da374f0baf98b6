// The rich-text editor of the grid driven by the user: what reaches the cell, the keys
// that hand the edit back to the grid, the selection's character offsets, and the row
// that grows while a rich-text cell is typed into.
#include <vector>

#include "gridedit/GridEditors.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

constexpr int ECol = 2, ERow = 2;

class RichEditTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(5, 6);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        Grid->SetOptions(Grid->Options() << goEditing);
        // Column 2 and column 3 of row 2 hold rich text.
        Grid->OnGetEditorType = [](TObject*, int c, int r, TEditorType& e) {
            if ((c == ECol || c == ECol + 1) && r == ERow) e = edRichEdit;
        };
        UserFocus(Grid);
    }
    TExtRichEdit* Open(const String& text, int col = ECol)
    {
        Grid->SetCellEx(col, ERow, text);
        Grid->FocusCell(col, ERow, true);
        UserFocus(Grid);
        UserKey(Grid, VK_F2);
        TExtRichEdit* re = InplaceRichEdit(Grid);
        EXPECT_TRUE(re->Visible() && re->Focused());
        return re;
    }
    void TypeAtEnd(TExtRichEdit* re, const String& text)
    {
        re->SetSelStart(int(re->Text().size()));
        UserType(re, text);
    }
    String Cell(int col = ECol) { return Grid->GetCellEx(col, ERow); }
};

// Typed text reaches the cell when the user clicks elsewhere; an empty cell opens an
// empty editor, whatever the last cell held; characters beyond one byte survive.
TEST_F(RichEditTest, WhatTheUserTypesReachesTheCell)
{
    TExtRichEdit* re = Open("{\\rtf1 one}");
    EXPECT_EQ(re->Text(), "{\\rtf1 one}");
    TypeAtEnd(re, "x");
    const TRect R = Grid->CellRect(1, 4);
    UserClick(Grid, R.Left + 3, R.Top + 3);
    EXPECT_EQ(Cell(), "{\\rtf1 one}x");
    EXPECT_FALSE(re->Visible());

    re = Open("");
    EXPECT_EQ(re->Text(), "");
    TypeAtEnd(re, "{\\rtf1 \xC3\xA9t\xC3\xA9 \xE2\x82\xAC}");
    UserClick(Grid, R.Left + 3, R.Top + 3);
    EXPECT_EQ(Cell(), "{\\rtf1 \xC3\xA9t\xC3\xA9 \xE2\x82\xAC}");
}

// Tab with goTabs stores the text and opens the editor of the next cell; without goTabs
// the editor keeps the key. Up and Down leave a one-line cell to the grid, which moves;
// with wrapped cells they stay in the editor.
TEST_F(RichEditTest, TabUpAndDownHandTheEditBackToTheGrid)
{
    Grid->SetWordWrap(false);
    TExtRichEdit* re = Open("{a}");
    EXPECT_EQ(re->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, DLGC_WANTTAB);
    UserKey(re, VK_TAB);
    EXPECT_TRUE(re->Visible());
    EXPECT_EQ(Grid->Col(), ECol);

    Grid->SetOptions(Grid->Options() << goTabs);
    TypeAtEnd(re, "b");
    UserKey(re, VK_TAB);
    EXPECT_EQ(Cell(), "{a}b");
    EXPECT_EQ(Grid->Col(), ECol + 1);
    EXPECT_TRUE(re->Visible() && re->Focused());
    EXPECT_EQ(re->Text(), "3,2");
    TypeAtEnd(re, "!");
    UserKey(re, VK_DOWN);
    EXPECT_EQ(Cell(ECol + 1), "3,2!");
    EXPECT_EQ(Grid->Row(), ERow + 1);
    EXPECT_FALSE(re->Visible());
    EXPECT_TRUE(Grid->Focused());

    Grid->SetWordWrap(true);
    re = Open("{c}");
    UserKey(re, VK_UP);
    EXPECT_TRUE(re->Visible());
    EXPECT_EQ(Grid->Row(), ERow);
}

// The selection's offset: normal, subscript or superscript, asked the way it was set;
// the caret's offset is the one typed characters take.
TEST_F(RichEditTest, TheSelectionsOffsetIsWhatWasSetForIt)
{
    TExtRichEdit* re = Open("H2O x2");
    EXPECT_TRUE(re->IsSelNormal());
    struct {
        int from, length;
        void (TExtRichEdit::*set)();
        bool normal, sub, super;
    } cases[] = {
        {1, 1, &TExtRichEdit::SelSubscript, false, true, false},
        {5, 1, &TExtRichEdit::SelSuperscript, false, false, true},
        {1, 1, &TExtRichEdit::SelNormal, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        re->SetSelStart(c.from);
        re->SetSelLength(c.length);
        (re->*c.set)();
        re->SetSelStart(0);
        re->SetSelStart(c.from);
        re->SetSelLength(c.length);
        EXPECT_EQ(re->IsSelNormal(), c.normal);
        EXPECT_EQ(re->IsSelSubscript(), c.sub);
        EXPECT_EQ(re->IsSelSuperscript(), c.super);
    }
    // Text typed before a raised character keeps it raised where it moved to.
    re->SetSelStart(0);
    UserType(re, "a");
    re->SetSelStart(6);
    re->SetSelLength(1);
    EXPECT_TRUE(re->IsSelSuperscript());
    // Typing after SelSubscript with nothing selected types lowered characters.
    re->SetSelStart(int(re->Text().size()));
    re->SelSubscript();
    UserType(re, "n");
    re->SetSelStart(int(re->Text().size()) - 1);
    re->SetSelLength(1);
    EXPECT_TRUE(re->IsSelSubscript());
    // The next edit starts with plain characters.
    UserKey(re, VK_ESCAPE);
    Grid->HideInplaceEdit();
    re = Open("abc");
    re->SetSelStart(0);
    re->SetSelLength(3);
    EXPECT_TRUE(re->IsSelNormal());
}

// With SizeWhileTyping.Height the row grows to the content's height + 10 and the editor
// to + 9 as lines are typed; deleting lines never lowers the row; the row never grows
// past the grid's bottom edge.
TEST_F(RichEditTest, TheRowGrowsWhileARichTextCellIsTyped)
{
    Grid->SizeWhileTyping()->Height = true;
    std::vector<int> sized;
    Grid->OnEndRowSize = [&](TObject*, int r) { sized.push_back(r); };
    const int start = Grid->RowHeights(ERow);
    TExtRichEdit* re = Open("{x}");
    EXPECT_EQ(Grid->RowHeights(ERow), start);
    EXPECT_TRUE(sized.empty());
    TypeAtEnd(re, "\r1\r2\r3");
    const int h = re->ReqHeight();
    EXPECT_GT(h, start);
    EXPECT_EQ(Grid->RowHeights(ERow), h + 10);
    EXPECT_EQ(re->Height(), h + 9);
    EXPECT_FALSE(sized.empty());
    EXPECT_EQ(sized.back(), ERow);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "rich_edit_grown_row.png", png));

    // Taking lines away leaves the row as high as it became.
    // "{x}", "1", "2", "3": the last two lines with their breaks.
    re->SetSelStart(5);
    re->SetSelLength(4);
    UserKey(re, VK_DELETE);
    EXPECT_LT(re->ReqHeight(), h);
    EXPECT_EQ(Grid->RowHeights(ERow), h + 10);

    // Lines enough to reach the bottom edge stop the growth short of it.
    for (int i = 0; i < 30; ++i) TypeAtEnd(re, "\rmore");
    EXPECT_LT(Grid->CellRect(ECol, ERow).Top + Grid->RowHeights(ERow), Grid->Height() + 10);
    EXPECT_GE(re->ReqHeight() + 5, Grid->Height() - Grid->CellRect(ECol, ERow).Top);
    Grid->HideInplaceEdit();

    // Without the setting the row keeps its height.
    Grid->SizeWhileTyping()->Height = false;
    Grid->SetRowHeights(ERow, start);
    re = Open("{y}");
    TypeAtEnd(re, "\r1\r2\r3");
    EXPECT_EQ(Grid->RowHeights(ERow), start);
}

}  // namespace
