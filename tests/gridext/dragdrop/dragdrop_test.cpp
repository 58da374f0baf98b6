// Drags of cells and columns with synthetic drop events within and between grids, text
// and files dropped from other programs, cancelled drags and forged cell blocks.
#include "gridext/dragdrop/GridDragDrop.h"
#include "platform/os/Files.h"
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
