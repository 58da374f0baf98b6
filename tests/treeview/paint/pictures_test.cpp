// Pictures in the rows: the background picture behind them (tiled or placed once, fixed
// in the view while the rows scroll) and the greyed node images of disabled nodes.
#include <gtest/gtest.h>

#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"

namespace {

// A 10 × 6 picture whose every pixel tells where it came from: red is x × 20, green y × 40.
void MakeCodedPicture(TPicture& P)
{
    TBitmap b(10, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) b.Canvas()->SetPixels(x, y, TColor((x * 20) | ((y * 40) << 8) | (0x80 << 16)));
    P.SetBitmap(&b);
}
TColor CodedPixel(int X, int Y) { return TColor((X * 20) | ((Y * 40) << 8) | (0x80 << 16)); }

class PicturesTest : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        Tree->SetColor(clWhite);
        TPicture p;
        MakeCodedPicture(p);
        Tree->SetBackground(&p);
        Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() | toShowBackground);
    }
    void SetStatic(bool On)
    {
        TLTPaintOptions o = Tree->TreeOptions()->PaintOptions();
        Tree->TreeOptions()->SetPaintOptions(On ? o | toStaticBackground : o - TLTPaintOptions(toStaticBackground));
    }
};

TEST_F(PicturesTest, TiledPictureStaysInTheViewWhileTheRowsScroll)
{
    Form->Show();
    // The dotted tree lines take the background colour between their dots: leave them out.
    Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() - TLTPaintOptions(toShowTreeLines));
    Tree->SetRootNodeCount(30);  // 30 rows of 18: more than the view holds
    Tree->SetBackgroundOffset(0, 3);
    Tree->SetBackgroundOffset(1, 2);
    const int w = Tree->ClientWidth(), h = Tree->ClientHeight();
    // Sample points in rows, across row borders and below the tiles' seams; each must show
    // the picture at (x + 3, y + 2) wrapped, whatever the scroll position.
    for (int scroll : {0, -37}) {
        SCOPED_TRACE(scroll);
        Tree->SetOffsetY(scroll);
        Application->ProcessMessages();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Tree, scroll == 0 ? "tree_background_tiled.png" : "tree_background_scrolled.png", png));
        int wrong = 0, looked = 0;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5) {
                // The row text starts after the margin: stay left of it.
                if (x > 20) continue;
                ++looked;
                if (png.Canvas()->Pixels(x, y) != CodedPixel((x + 3) % 10, (y + 2) % 6)) ++wrong;
            }
        EXPECT_GT(looked, 50);
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PicturesTest, TilesCoverTheFreeAreaOnceAndPlacedPictureOnlyItsRectangle)
{
    Tree->SetRootNodeCount(2);
    TRecordingCanvas rec;
    // The area below the two rows: from y 36 down, tiled without overlap or gap.
    Tree->PaintTree(&rec, TRect(0, 0, 95, 100), TPoint(0, 0), TLTInternalPaintOptions{poBackground, poUnbuffered});
    long area = 0;
    for (const TDrawOp& op : rec.Of("CopyRect"))
        if (op.R.Top >= 36) {
            EXPECT_GE(op.R.Left, 0);
            EXPECT_LE(op.R.Right, 95);
            EXPECT_LE(op.R.Width(), 10);
            EXPECT_LE(op.R.Height(), 6);
            area += long(op.R.Width()) * op.R.Height();
        }
    EXPECT_EQ(area, 95L * (100 - 36));

    // Placed once at (40, 50): only the part inside the painted area is drawn, the rest
    // of the area in the tree's colour.
    SetStatic(true);
    Tree->SetBackgroundOffset(0, 40);
    Tree->SetBackgroundOffset(1, 50);
    struct TCase {
        TRect Window;
        TRect Drawn;   // empty: the picture does not show
    } cases[] = {
        {TRect(0, 0, 95, 100), TRect(40, 50, 50, 56)},
        {TRect(0, 0, 45, 100), TRect(40, 50, 45, 56)},   // cut at the right
        {TRect(0, 0, 30, 100), TRect()},
        {TRect(0, 0, 95, 53), TRect(40, 50, 50, 53)},    // cut at the bottom
    };
    for (const TCase& c : cases) {
        rec.Ops.clear();
        Tree->PaintTree(&rec, c.Window, TPoint(0, 0), TLTInternalPaintOptions{poBackground, poUnbuffered});
        const std::vector<TDrawOp> draws = rec.Of("Draw");
        if (c.Drawn.IsEmpty()) {
            EXPECT_TRUE(draws.empty());
            continue;
        }
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].R, c.Drawn);
    }
    // Without poBackground (printing) the picture is not used at all.
    rec.Ops.clear();
    Tree->PaintTree(&rec, TRect(0, 0, 95, 100), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
    EXPECT_TRUE(rec.Of("Draw").empty());
}

TEST_F(PicturesTest, PlacedTransparentPictureKeepsTheTreeColourAroundIt)
{
    Form->Show();
    SetStatic(true);
    TBitmap b(12, 12);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(TRect(0, 0, 12, 12));
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(TRect(3, 3, 9, 9));
    b.SetTransparent(true);
    b.SetTransparentColor(clFuchsia);
    TPicture p;
    p.SetBitmap(&b);
    Tree->SetBackground(&p);
    Tree->SetBackgroundOffset(0, 100);
    Tree->SetBackgroundOffset(1, 20);
    Tree->SetRootNodeCount(1);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_background_placed.png", png));
    // Across the row border (the row ends at y 18): one picture, whole.
    EXPECT_EQ(Count_Pixels(png, TRect(100, 20, 112, 32), clBlue), 36);
    EXPECT_EQ(Count_Pixels(png, TRect(100, 20, 112, 32), clFuchsia), 0);
    EXPECT_EQ(Count_Pixels(png, TRect(100, 20, 112, 32), clWhite), 144 - 36);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, Tree->ClientWidth(), Tree->ClientHeight()), clBlue), 36);
}

// Disabled nodes, and every node of a disabled tree, show their images without colour;
// their overlay goes with the image's colours except one drawn as an image of its own.
TEST_F(PicturesTest, DisabledNodesShowGreyImagesWithoutTheirOverlayMask)
{
    Tree->SetBackground(nullptr);
    Form->Show();
    Tree->SetRootNodeCount(3);
    TImageList images(nullptr);
    TBitmap strip(16 * 16, 16);
    strip.Canvas()->Brush()->SetColor(clWhite);
    strip.Canvas()->FillRect(TRect(0, 0, 256, 16));
    strip.Canvas()->Brush()->SetColor(TColor(0x0000C0));   // image 0: a red square
    strip.Canvas()->FillRect(TRect(2, 2, 14, 14));
    for (int overlay : {14, 15}) {   // overlays: a green corner
        strip.Canvas()->Brush()->SetColor(TColor(0x00C000));
        strip.Canvas()->FillRect(TRect(overlay * 16 + 10, 0, overlay * 16 + 16, 6));
    }
    images.AddMasked(&strip, clWhite);
    Tree->SetImages(&images);
    Tree->OnGetImageIndex = [](TBaseLazyTree*, PLazyNode N, TLTImageKind Kind, TColumnIndex, bool&, int& Index) {
        if (Kind == ikNormal) Index = 0;
        if (Kind == ikOverlay) Index = N->Index == 2 ? 15 : 14;
    };
    Tree->SetDisabled(Tree->RootNode()->FirstChild->NextSibling, true);
    Tree->SetDisabled(Tree->GetLast(), true);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_disabled_images.png", png));
    auto coloured = [](TColor c) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        return std::max({r, g, b}) - std::min({r, g, b}) > 40;
    };
    auto grey = [](TColor c) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        return r == g && g == b && r < 0xF0;
    };
    const TRect image0(0, 0, 60, 18), image1(0, 18, 60, 36), image2(0, 36, 60, 54);
    EXPECT_GE(Count_Pixels(png, image0, TColor(0x0000C0)), 100);
    EXPECT_GE(Count_Pixels(png, image0, TColor(0x00C000)), 20) << "the overlay of an enabled node";
    EXPECT_EQ(Count_Pixels(png, image1, coloured), 0) << "neither colour nor overlay mask";
    EXPECT_GE(Count_Pixels(png, image1, grey), 100);
    // Overlay 15 is an image of its own: drawn greyed too, so the corner shows in grey.
    EXPECT_EQ(Count_Pixels(png, image2, coloured), 0);
    EXPECT_GT(Count_Pixels(png, image2, grey), Count_Pixels(png, image1, grey));

    // A disabled tree greys every node's image.
    Tree->SetEnabled(false);
    Application->ProcessMessages();
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_disabled_tree_images.png", png));
    EXPECT_EQ(Count_Pixels(png, image0, coloured), 0);
    Tree->SetImages(nullptr);
}

// A node whose image comes from another list is placed and drawn in that list's size;
// the others keep the tree's list.
TEST_F(PicturesTest, ImageFromAnotherListTakesThatListsSize)
{
    Tree->SetBackground(nullptr);
    Tree->SetRootNodeCount(2);
    TImageList small(nullptr), large(nullptr);
    large.SetWidth(24);
    large.SetHeight(24);
    TBitmap a(16, 16), b(24, 24);
    small.Add(&a);
    large.Add(&b);
    Tree->SetImages(&small);
    Tree->OnGetImageIndexEx = [&](TBaseLazyTree*, PLazyNode N, TLTImageKind Kind, TColumnIndex, bool&, int& Index,
                                  TImageList*& List) {
        if (Kind != ikNormal) return;
        Index = 0;
        if (N->Index == 1) List = &large;
    };
    TRecordingCanvas rec;
    Tree->PaintTree(&rec, TRect(0, 0, 300, 100), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
    std::vector<TRect> images;
    for (const TDrawOp& op : rec.Of("Draw")) images.push_back(op.R);
    ASSERT_EQ(images.size(), 2u);
    const int h0 = int(Tree->NodeHeight(Tree->GetFirst()));
    EXPECT_EQ(images[0].Width(), 16);
    EXPECT_EQ(images[1].Width(), 24);
    // Both one pixel left of the content start, each centred on its own row.
    EXPECT_EQ(images[0].Left, images[1].Left);
    EXPECT_EQ(images[1].Top - h0 + 12, images[0].Top + 8) << "centred on the same line of their rows";
    // The text follows each picture two pixels after its right edge.
    int textLeft[2] = {-1, -1};   // the last text drawn in each row is the node's
    for (const TDrawOp& op : rec.Of("DrawText"))
        if (op.R.Top >= 0 && op.R.Top < 2 * h0) textLeft[op.R.Top < h0 ? 0 : 1] = op.R.Left;
    ASSERT_GE(textLeft[0], 0);
    EXPECT_EQ(textLeft[1] - textLeft[0], 24 - 16);
    Tree->OnGetImageIndexEx = nullptr;
    Tree->SetImages(nullptr);
}

}  // namespace
