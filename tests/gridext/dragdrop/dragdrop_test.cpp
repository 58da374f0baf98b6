// Drags of cells and columns with synthetic drop events within and between grids, text
// and files dropped from other programs, cancelled drags and forged cell blocks.
#include "gridext/dragdrop/GridDragDrop.h"
#include "gridext/office/GridOffice.h"
#include "platform/os/Files.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/TestFolder.h"
#include "tests/gridext/clipboard/clipboard_fixture.h"

using namespace GridDragDrop;

class DragDropTest : public ClipboardTest {
public:
    void SetUp() override
    {
        ClipboardTest::SetUp();
        InstallGridDragDrop();
        for (TExtStringGrid* g : {A, B}) g->DragDropSettings()->SetOleDropTarget(true);
    }
    void TearDown() override
    {
        SetDragDriver(nullptr);
        ClipboardTest::TearDown();
        GridDropTargetHooks() = TGridDropTargetHooks();
    }
    static TPoint At(TExtStringGrid* G, int c, int r)
    {
        const TRect R = G->CellRect(c, r);
        return G->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
    }
    // The next drag goes to cell (c, r) of G and is let go there with KeyState.
    void DropNextDragOn(TExtStringGrid* G, int c, int r, unsigned KeyState = 0)
    {
        SetDragDriver([=](const TDataPackage& Data, IDropSource* Source, int Ok, int& Effect) {
            if (Source->QueryContinueDrag(false, MK_LBUTTON | KeyState) != 0) return DRAGDROP_S_CANCEL;
            Effect = DeliverDrop(G->Handle(), Data, At(G, c, r), KeyState, Ok);
            Source->GiveFeedback(Effect);
            return Source->QueryContinueDrag(false, KeyState);
        });
    }
    static String Row(TExtStringGrid* G, int r, int from, int to)
    {
        String s;
        for (int c = from; c <= to; ++c) s += G->GetCellEx(c, r) + "|";
        return s;
    }
};

TEST_F(DragDropTest, CellsMoveWithinAGridAndAreCopiedToAnotherWithCtrl)
{
    Fill(A, 1, 1, {{"a", "b"}, {"c", "d"}});
    int stops = 0, stopEffect = -1;
    A->OnOleDragStop = [&](TObject*, int e) { ++stops, stopEffect = e; };
    Select(A, 1, 1, 2, 1);
    DropNextDragOn(A, 2, 5);
    EXPECT_EQ(DragSelection(*A, 1, 1), DROPEFFECT_MOVE);
    EXPECT_EQ(Row(A, 1, 1, 3), "|||");
    EXPECT_EQ(Row(A, 5, 1, 3), "|a|b|");
    EXPECT_EQ(stopEffect, DROPEFFECT_MOVE);

    Select(A, 1, 2, 2, 2);
    DropNextDragOn(B, 1, 3, MK_CONTROL);
    EXPECT_EQ(DragSelection(*A, 1, 2), DROPEFFECT_COPY);
    EXPECT_EQ(Row(A, 2, 1, 2), "c|d|");
    EXPECT_EQ(Row(B, 3, 1, 2), "c|d|");
    EXPECT_EQ(stops, 2);
}

TEST_F(DragDropTest, TheCellBlockTravelsBetweenGridsAndAForgedOneIsRefused)
{
    A->Navigation()->AllowFmtClipboard = true;
    A->Multilinecells = B->Multilinecells = true;
    Fill(A, 1, 1, {{"x\r\ny", "z"}});
    Select(A, 1, 1, 2, 1);
    DropNextDragOn(B, 2, 2, MK_CONTROL);
    EXPECT_EQ(DragSelection(*A, 1, 1), DROPEFFECT_COPY);
    EXPECT_EQ(Row(B, 2, 2, 3), "x\r\ny|z|");

    TDataPackage forged;
    forged.Set(GridClipboard::GridCellsClipboardFormat(), "TPF0\x0bTGridPropIO\x00\x00\x00");
    const String before = Row(B, 2, 1, 4);
    EXPECT_EQ(DeliverDrop(B->Handle(), forged, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
    EXPECT_EQ(Row(B, 2, 1, 4), before);
}

TEST_F(DragDropTest, DropEffectsFollowCtrlTheSourceAndWhatTheGridAccepts)
{
    EXPECT_EQ(DefaultDropEffect(MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(DefaultDropEffect(0, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
    EXPECT_EQ(DefaultDropEffect(0, DROPEFFECT_COPY), DROPEFFECT_COPY);

    TDataPackage text;
    text.SetText("t1\tt2\r\nt3\r\n");
    B->DragDropSettings()->OleAcceptText = false;
    EXPECT_EQ(DeliverDrop(B->Handle(), text, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
    EXPECT_EQ(B->GetCellEx(1, 1), "");
    B->DragDropSettings()->OleAcceptText = true;
    EXPECT_EQ(DeliverDrop(B->Handle(), text, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_COPY);
    EXPECT_EQ(Row(B, 1, 1, 2) + Row(B, 2, 1, 2), "t1|t2|t3||");
    // Fixed rows take no cells.
    EXPECT_EQ(DeliverDrop(B->Handle(), text, At(B, 2, 0), 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
    // A window without a target takes nothing.
    B->DragDropSettings()->SetOleDropTarget(false);
    EXPECT_EQ(DeliverDrop(B->Handle(), text, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
}

TEST_F(DragDropTest, OneDroppedFileIsLoadedByItsExtension)
{
    const std::string dir = Test_Folder("griddrop");
    const struct {
        const char* Name;
        bool Loads;
    } cases[] = {{"data.csv", true}, {"DATA.CSV", true}, {"data.csv.txt", false}, {"my.csvnotes", false}};
    for (const auto& k : cases) {
        B->Clear();
        const std::string path = dir + "/" + k.Name;
        WriteFileAtomic(path, "p,q\r\nr,s\r\n");
        TDataPackage files;
        files.Set(CF_HDROP, FileListToBytes({path}));
        DeliverDrop(B->Handle(), files, At(B, 1, 1), 0, DROPEFFECT_COPY);
        EXPECT_EQ(B->GetCellEx(0, 0) == "p", k.Loads) << k.Name;
    }
    // A workbook dropped is read by the spreadsheet reader; one that is none is refused.
    Fill(A, 0, 0, {{"w1", "w2"}, {"w3", "w4"}});
    A->SetColCount(2);
    A->SetRowCount(2);
    const std::string book = dir + "/book.xlsx";
    GridExchange::SaveToXLS(*A, book);
    TDataPackage workbook;
    workbook.Set(CF_HDROP, FileListToBytes({book}));
    B->Clear();
    EXPECT_EQ(DeliverDrop(B->Handle(), workbook, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_COPY);
    EXPECT_EQ(Row(B, 0, 0, 1) + Row(B, 1, 0, 1), "w1|w2|w3|w4|");
    WriteFileAtomic(dir + "/fake.xlsx", "p,q\r\n");
    workbook.Set(CF_HDROP, FileListToBytes({dir + "/fake.xlsx"}));
    EXPECT_EQ(DeliverDrop(B->Handle(), workbook, At(B, 1, 1), 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
    EXPECT_EQ(B->GetCellEx(0, 0), "w1");
    EXPECT_TRUE(IsSpreadsheetFile("data.xlsx"));
    EXPECT_FALSE(IsSpreadsheetFile("data.xlsx.bak"));
    // Two files do nothing; a list without its last zero ends at the block's end.
    B->Clear();
    TDataPackage two;
    two.Set(CF_HDROP, FileListToBytes({dir + "/data.csv", dir + "/DATA.CSV"}));
    DeliverDrop(B->Handle(), two, At(B, 1, 1), 0, DROPEFFECT_COPY);
    EXPECT_EQ(B->GetCellEx(0, 0), "");
    EXPECT_EQ(FileListFromBytes(std::string("a\0b", 3)), (std::vector<String>{"a", "b"}));
}

TEST_F(DragDropTest, AColumnDroppedPastTheLastMovesToTheEndAndEscCancels)
{
    for (int c = 0; c < 5; ++c) A->SetCellEx(c, 0, String(1, char('A' + c)));
    A->DragDropSettings()->OleColumnDragDrop = true;
    A->DragDropSettings()->OleColumnReorder = true;
    int dropCol = -1;
    A->OnOleDropCol = [&](TObject*, int, int, int t) { dropCol = t; };
    SetDragDriver([&](const TDataPackage& Data, IDropSource*, int Ok, int& Effect) {
        // Let go right of the last column, on the header row.
        const TRect last = A->CellRect(4, 0);
        Effect = DeliverDrop(A->Handle(), Data, A->ClientToScreen(TPoint(last.Right + 5, last.Top + 3)), 0, Ok);
        return DRAGDROP_S_DROP;
    });
    EXPECT_NE(DragColumn(*A, 1), DROPEFFECT_NONE);
    EXPECT_EQ(Row(A, 0, 0, 4), "A|C|D|E|B|");
    EXPECT_EQ(dropCol, 4);

    bool stopped = false;
    A->OnOleDragStop = [&](TObject*, int) { stopped = true; };
    A->SetCellEx(1, 1, "stay");
    Select(A, 1, 1, 1, 1);
    SetDragDriver([](const TDataPackage&, IDropSource* S, int, int& Effect) { return S->QueryContinueDrag(true, 0); });
    EXPECT_EQ(DragSelection(*A, 1, 1), DROPEFFECT_NONE);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(A->GetCellEx(1, 1), "stay");
}

// Drags by the mouse: a press on the selection held and moved more than 3 pixels starts
// the drag, the drag loop follows the pointer over the windows and drops where the
// button is let go; Esc cancels, a press let go without moving is a click.
class MouseDragTest : public DragDropTest {
public:
    void SetUp() override
    {
        DragDropTest::SetUp();
        A->DragDropSettings()->OleDropSource = true;
        Fill(A, 1, 1, {{"a", "b"}});
        Select(A, 1, 1, 2, 1);
    }
    // The user's hand while the drag runs: each step after the drag started.
    void WhileDragging(std::function<void()> Steps)
    {
        SetDragDriver(PointerDragDriver([Steps] {
            Steps();
            return false;
        }));
    }
    static TPoint Inside(TExtStringGrid* G, int c, int r)
    {
        const TRect R = G->CellRect(c, r);
        return TPoint(R.Left + 6, R.Top + 5);
    }
    // Press on cell (1, 1) of A and move the mouse by Dx pixels with the button held.
    void PressAndMove(int Dx, TShiftState Shift = TShiftState())
    {
        const TPoint p = Inside(A, 1, 1);
        UserPress(A, p.X, p.Y);
        UserMouseMove(A, p.X + Dx, p.Y, Shift + TShiftState{ssLeft});
    }
};

TEST_F(MouseDragTest, TheSelectionDraggedOntoAnotherGridMovesOrCopiesWithCtrl)
{
    int stops = 0;
    A->OnOleDragStop = [&](TObject*, int) { ++stops; };
    const TPoint to = Inside(B, 2, 4);
    WhileDragging([&] {
        UserMouseMove(A, A->Width() + 4, 30, {ssLeft});   // the gap between the grids
        UserMouseMove(B, to.X, to.Y, {ssLeft});
        UserRelease(B, to.X, to.Y);
    });
    PressAndMove(2);   // within 3 pixels: still a press, the selection stays
    EXPECT_EQ(A->Selection(), TGridRect(1, 1, 2, 1));
    EXPECT_EQ(stops, 0);
    UserMouseMove(A, Inside(A, 1, 1).X + 8, Inside(A, 1, 1).Y, {ssLeft});
    EXPECT_EQ(Row(B, 4, 2, 3), "a|b|");
    EXPECT_EQ(Row(A, 1, 1, 2), "||");
    EXPECT_EQ(stops, 1);

    Fill(A, 1, 1, {{"c", "d"}});
    Select(A, 1, 1, 2, 1);
    const TPoint below = Inside(B, 2, 5);
    WhileDragging([&] {
        UserMouseMove(B, below.X, below.Y, TShiftState{ssLeft, ssCtrl});
        gui_input::Mouse(B, WM_LBUTTONUP, below.X, below.Y, {ssCtrl});
    });
    PressAndMove(10);
    EXPECT_EQ(Row(B, 5, 2, 3), "c|d|");
    EXPECT_EQ(Row(A, 1, 1, 2), "c|d|");
}

TEST_F(MouseDragTest, EscOrALetGoOutsideAnyTargetDropsNothingAndAPlainPressSelects)
{
    bool stopped = false;
    A->OnOleDragStop = [&](TObject*, int) { stopped = true; };
    WhileDragging([&] {
        UserMouseMove(B, 40, 40, {ssLeft});
        UserKey(B, VK_ESCAPE);
        UserRelease(B, 40, 40);   // after Esc the release reaches the grid again
    });
    PressAndMove(10);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(Row(A, 1, 1, 2) + Row(B, 1, 0, 4), "a|b||||||");

    // Let go where no window takes drops: the form's empty strip below the grids.
    WhileDragging([&] { UserRelease(Form, 20, Form->ClientHeight() - 5); });
    PressAndMove(10);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(Row(A, 1, 1, 2), "a|b|");

    // A refused drag is a press that selects from the pressed cell; a press let go
    // without moving selects its cell.
    A->OnOleDrag = [](TObject*, int, int, bool& Allow) { Allow = false; };
    PressAndMove(10);
    UserRelease(A, Inside(A, 1, 1).X + 10, Inside(A, 1, 1).Y);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(A->Selection(), TGridRect(1, 1, 1, 1));
    A->OnOleDrag = nullptr;
    Select(A, 1, 1, 2, 1);
    // (a click on the current cell of an editing grid opens its editor instead)
    const int other = A->Col() == 1 ? 2 : 1;
    UserClick(A, Inside(A, other, 1).X, Inside(A, other, 1).Y);
    EXPECT_EQ(A->Selection(), TGridRect(other, 1, other, 1));
}

TEST_F(MouseDragTest, AHeaderDraggedPastTheLastColumnMovesItsColumnToTheEnd)
{
    for (int c = 0; c < 5; ++c) A->SetCellEx(c, 0, String(1, char('A' + c)));
    A->DragDropSettings()->OleColumnDragDrop = true;
    A->DragDropSettings()->OleColumnReorder = true;
    const TRect last = A->CellRect(4, 0);
    WhileDragging([&] {
        UserMouseMove(A, last.Right + 6, last.Top + 4, {ssLeft});
        UserRelease(A, last.Right + 6, last.Top + 4);
    });
    const TPoint p = Inside(A, 1, 0);
    UserPress(A, p.X, p.Y);
    UserMouseMove(A, p.X + 10, p.Y, {ssLeft});
    EXPECT_EQ(Row(A, 0, 0, 4), "A|C|D|E|B|");
}

TEST_F(MouseDragTest, ThePictureOfTheCellsFollowsThePointerAndArrowsShowWhereTheyWouldGo)
{
    const TPoint over = Inside(B, 2, 3);
    TControl* floating = nullptr;
    TPoint floatAt, leftAt;
    TDropArrows arrows;
    bool leftShown = false;
    TBitmap png;
    WhileDragging([&] {
        UserMouseMove(B, over.X, over.Y, {ssLeft});
        if ((floating = FloatingCells())) {
            floatAt = TPoint(floating->Left(), floating->Top());
            SNAPSHOT(floating, "drag_floating_cells.png", png);
        }
        arrows = DropArrows(*B);
        if (arrows.Left) leftShown = arrows.Left->Visible(), leftAt = TPoint(arrows.Left->Left(), arrows.Left->Top());
        UserKey(B, VK_ESCAPE);
    });
    PressAndMove(10);
    ASSERT_NE(floating, nullptr);
    const TPoint s = B->ClientToScreen(over);
    EXPECT_EQ(floatAt, TPoint(s.X + 4, s.Y + 4));
    // The two selected cells of A, as A shows them.
    const TRect a = A->CellRect(1, 1), b = A->CellRect(2, 1);
    EXPECT_EQ(png.Width(), b.Right - a.Left);
    EXPECT_EQ(png.Height(), a.Height());
    // The cells' texts are in it: dark pixels on the light cells.
    const auto dark = [](TColor c) { return (c & 0xFF) < 96 && ((c >> 8) & 0xFF) < 96 && ((c >> 16) & 0xFF) < 96; };
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), dark), 10);
    EXPECT_TRUE(leftShown);
    const TPoint cell = B->ClientToScreen(TPoint(B->CellRect(2, 3).Left, B->CellRect(2, 3).Top));
    EXPECT_EQ(leftAt, TPoint(cell.X - 10, cell.Y - 4));
    // Esc took the picture away and the arrows with the drag.
    EXPECT_EQ(FloatingCells(), nullptr);
    EXPECT_FALSE(arrows.Left->Visible());
    EXPECT_EQ(Row(B, 3, 2, 3), "||");
}
