// Painting of the tree: the line image of each node, what a paint draws where (asserted
// on a recording canvas), the paint's events, and the picture on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "treeview/LazyStringTree.h"

namespace {

// A string tree whose cells are 40 pixels of content with a name drawn in them, so that
// the selection has something to cover.
class TPaintTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    using TBaseLazyTree::FireBeforeItemErase;
    int ContentWidth = 40;

protected:
    int GetNodeWidth(PLazyNode, TColumnIndex) override { return ContentWidth; }
    void PaintNode(TLTPaintInfo& PaintInfo) override
    {
        PaintInfo.Canvas->Brush()->SetStyle(bsClear);
        PaintInfo.Canvas->Font()->SetColor(clBlack);
        const TRect r = PaintInfo.ToCanvas(PaintInfo.ContentRect);
        PaintInfo.Canvas->TextOut(r.Left + 2, r.Top + 2, "n" + std::to_string(PaintInfo.Node->Index));
    }
};

class PaintTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TPaintTree* Tree = nullptr;
    TRecordingCanvas Rec;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(320);
        Form->SetClientHeight(240);
        Tree = new TPaintTree(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(0, 0, 300, 200);
        Tree->SetColor(clWhite);
    }
    void TearDown() override { delete Form; }
    // Top-level nodes with the given numbers of children, expanded.
    void Shape(const std::vector<unsigned>& Children)
    {
        Tree->SetRootNodeCount(std::uint32_t(Children.size()));
        PLazyNode n = Tree->RootNode()->FirstChild;
        for (unsigned c : Children) {
            if (c) {
                Tree->SetChildCount(n, c);
                Tree->SetExpanded(n, true);
            }
            n = n->NextSibling;
        }
    }
    PLazyNode At(unsigned Top, int Child = -1)
    {
        PLazyNode n = Tree->RootNode()->FirstChild;
        for (unsigned i = 0; i < Top; ++i) n = n->NextSibling;
        if (Child >= 0) {
            n = n->FirstChild;
            for (int i = 0; i < Child; ++i) n = n->NextSibling;
        }
        return n;
    }
    // Paints the whole client area straight into the recording canvas.
    void Record(TLTInternalPaintOptions Extra = {})
    {
        Rec.Ops.clear();
        Tree->PaintTree(&Rec, TRect(0, 0, 300, 200), TPoint(0, 0),
                        TLTInternalPaintOptions{poUnbuffered, poDrawSelection, poDrawFocusRect, poGridLines} + Extra);
    }
    void AddPaintOption(TLTPaintOption O)
    {
        Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() | O);
    }
    void RemovePaintOption(TLTPaintOption O)
    {
        Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() - TLTPaintOptions(O));
    }
    // Pixels set in the line colour inside R.
    int LinePixels(const TRect& R, TColor Line) const
    {
        int n = 0;
        for (const TDrawOp& o : Rec.Ops)
            if (o.Op == "SetPixels" && o.Font == Line && o.R.Left >= R.Left && o.R.Left < R.Right &&
                o.R.Top >= R.Top && o.R.Top < R.Bottom)
                ++n;
        return n;
    }
};

std::string Image(const TLineImage& L)
{
    static const char* names[] = {"None", "BottomRight", "TopDown", "TopDownRight", "Right", "TopRight", "Left",
                                  "LeftBottom"};
    std::string s;
    for (TLTLineType t : L) s += std::string(s.empty() ? "" : " ") + names[t];
    return s;
}

} // namespace

TEST_F(PaintTest, LineImageOfEachPlaceInTheTree)
{
    Shape({2, 0, 3});
    struct Case {
        unsigned Top;
        int Child;
        const char* Expect;
    } cases[] = {
        {0, -1, "BottomRight"},          // first of several top-level nodes
        {1, -1, "TopDownRight"},         // between others
        {2, -1, "TopRight"},             // last
        {0, 0, "TopDown TopDownRight"},  // the parent has a later sibling: its line goes on
        {0, 1, "TopDown TopRight"},
        {2, 2, "None TopRight"},         // under the last top-level node nothing runs on
    };
    TLineImage img;
    for (const Case& c : cases) EXPECT_EQ(Image((Tree->ComputeLineImage(At(c.Top, c.Child), img), img)), c.Expect)
                                    << c.Top << "." << c.Child;
    // A hidden next sibling is passed over: a later visible one still continues the line,
    // and with none left the line ends here.
    Tree->SetIsVisible(At(2, 1), false);
    Tree->ComputeLineImage(At(2, 0), img);
    EXPECT_EQ(Image(img), "None TopDownRight");
    Tree->SetIsVisible(At(2, 2), false);
    Tree->ComputeLineImage(At(2, 0), img);
    EXPECT_EQ(Image(img), "None TopRight");
}

TEST_F(PaintTest, LineImageOfASingleNodeAndWithoutRootLines)
{
    Shape({1});
    TLineImage img;
    Tree->ComputeLineImage(At(0), img);
    EXPECT_EQ(Image(img), "Right");
    RemovePaintOption(toShowRoot);
    Tree->ComputeLineImage(At(0), img);
    EXPECT_EQ(Image(img), "");
    Tree->ComputeLineImage(At(0, 0), img);
    EXPECT_EQ(Image(img), "TopRight");
    // A selected ancestor is counted for the drag image.
    Tree->SetSelected(At(0), true);
    EXPECT_EQ(Tree->ComputeLineImage(At(0, 0), img), 1);
}

TEST_F(PaintTest, ButtonSitsOnTheNodesLineAndDotsStayAlignedAcrossRows)
{
    Shape({2, 0});
    Record();
    const TColor line = Tree->Colors()->TreeLineColor();
    // One button (the only node with children), 9 x 9 in the first level's gap:
    // (18 - 9) / 2 = 4.5 rounds to 4, plus 1; vertically centred on the row's middle.
    std::vector<TDrawOp> buttons;
    for (const TDrawOp& o : Rec.Of("Draw"))
        if (o.R.Width() == 9 && o.R.Height() == 9) buttons.push_back(o);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].R.Left, 5);
    EXPECT_EQ(buttons[0].R.Top, 3);
    // The horizontal stroke of the first row runs through the button's middle row and
    // reaches the level's right edge (18).
    const int mid = buttons[0].R.Top + 4;
    EXPECT_GT(LinePixels(TRect(10, mid, 18, mid + 1), line), 0);
    EXPECT_EQ(LinePixels(TRect(10, mid + 1, 18, 18), line), 0);
    // Every dot of every row has the same parity of x + y: the pattern does not break
    // between rows.
    int parity = -1, dots = 0;
    for (const TDrawOp& o : Rec.Of("SetPixels")) {
        if (o.Font != line) continue;
        ++dots;
        const int p = (o.R.Left + o.R.Top) & 1;
        if (parity < 0) parity = p;
        EXPECT_EQ(p, parity) << o.R.Left << "," << o.R.Top;
    }
    EXPECT_GT(dots, 20);
    // The last top-level node (row 4, y 54..72) ends its line at its middle.
    EXPECT_GT(LinePixels(TRect(9, 54, 10, 54 + 9), line), 0);
    EXPECT_EQ(LinePixels(TRect(9, 54 + 10, 10, 72), line), 0);
}

TEST_F(PaintTest, HalfIndentRoundsToEven)
{
    Shape({1});
    RemovePaintOption(toShowButtons);
    struct Case {
        int Indent, Half;
    } cases[] = {{17, 8}, {18, 9}, {19, 10}};
    for (const Case& c : cases) {
        Tree->SetIndent(c.Indent);
        Record();
        // The top-level node's line: vertical at the half, horizontal from there on.
        int leftmost = 1 << 20;
        for (const TDrawOp& o : Rec.Of("SetPixels"))
            if (o.R.Top < int(Tree->DefaultNodeHeight())) leftmost = std::min(leftmost, o.R.Left);
        EXPECT_GE(leftmost, c.Half) << c.Indent;
        EXPECT_LE(leftmost, c.Half + 1) << c.Indent;
    }
}

TEST_F(PaintTest, LineStylesAndBands)
{
    Shape({2});
    const TColor line = Tree->Colors()->TreeLineColor();
    Tree->SetLineStyle(lsSolid);
    Record();
    // Solid lines are filled in one piece in the line colour; no single dots.
    int solid = 0;
    for (const TDrawOp& o : Rec.Of("FillRect"))
        if (o.Brush == line && (o.R.Width() == 1 || o.R.Height() == 1)) ++solid;
    EXPECT_GT(solid, 3);
    EXPECT_EQ(LinePixels(TRect(0, 0, 300, 200), line), 0);
    // Bands are grid lines: without grid lines in the paint they are not drawn at all.
    Tree->SetLineStyle(lsDotted);
    Tree->SetLineMode(lmBands);
    Rec.Ops.clear();
    Tree->PaintTree(&Rec, TRect(0, 0, 300, 200), TPoint(0, 0), {poUnbuffered});
    EXPECT_EQ(Rec.PixelsIn(TRect(0, 0, 300, 200)), 0);
    Record();
    EXPECT_GT(LinePixels(TRect(0, 0, 300, 200), Tree->Colors()->GridLineColor()), 0);
}

TEST_F(PaintTest, MovedLineShiftsThatLevelAndDeeper)
{
    Shape({1});
    RemovePaintOption(toShowButtons);
    const TColor line = Tree->Colors()->TreeLineColor();
    Tree->OnBeforeDrawTreeLine = [](TBaseLazyTree*, PLazyNode, int Level, int& PosX) {
        if (Level == 0) PosX += 4;
    };
    Record();
    // The top node's stroke starts at 9 + 4 and reaches 18 + 4; the child's level starts
    // where the moved one ended, so its line runs down at 18 + 4 + 9.
    EXPECT_EQ(LinePixels(TRect(0, 0, 13, 18), line), 0);
    EXPECT_GT(LinePixels(TRect(13, 0, 23, 18), line), 0);
    EXPECT_GT(LinePixels(TRect(31, 18, 32, 27), line), 0);
    EXPECT_EQ(LinePixels(TRect(27, 18, 28, 27), line), 0);
}

TEST_F(PaintTest, CheckImageAndNodeImagePlacement)
{
    Shape({1});
    TImageList images(nullptr);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(0, 0, 32, 16));
    images.Add(&strip);
    Tree->SetImages(&images);
    Tree->OnGetImageIndex = [](TBaseLazyTree*, PLazyNode, TLTImageKind Kind, TColumnIndex, bool&, int& Index) {
        if (Kind == ikNormal || Kind == ikSelected) Index = 0;
    };
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toCheckSupport);
    Tree->SetCheckType(At(0), ctCheckBox);
    Record();
    std::vector<TRect> pictures;
    for (const TDrawOp& o : Rec.Of("Draw"))
        if (o.R.Width() == 16 && o.R.Top < 18) pictures.push_back(o.R);
    ASSERT_EQ(pictures.size(), 2u);
    // One level of indentation (18), the margin (4) less one pixel; the image starts two
    // pixels after the check box's right edge.
    EXPECT_EQ(pictures[0].Left, 18 + 4 - 1);
    EXPECT_EQ(pictures[1].Left, pictures[0].Right + 2);
    // The child has no check box: its image sits where its check box would be, one level
    // further in.
    std::vector<TRect> child;
    for (const TDrawOp& o : Rec.Of("Draw"))
        if (o.R.Width() == 16 && o.R.Top >= 18 && o.R.Top < 36) child.push_back(o.R);
    ASSERT_EQ(child.size(), 1u);
    EXPECT_EQ(child[0].Left, 36 + 4 - 1);

    // Custom check images that are not set: no check boxes at all.
    Tree->SetCheckImageKind(ckCustom);
    Record();
    int small = 0;
    for (const TDrawOp& o : Rec.Of("Draw"))
        if (o.R.Width() == 16) ++small;
    EXPECT_EQ(small, 2);
    Tree->SetImages(nullptr);
}

TEST_F(PaintTest, OverlayDrawnOverTheImageUnlessItIsTheImageItself)
{
    Shape({0});
    TImageList images(nullptr);
    TBitmap strip(16 * 16, 16);
    images.Add(&strip);
    Tree->SetImages(&images);
    int overlay = 3;
    Tree->OnGetImageIndex = [&](TBaseLazyTree*, PLazyNode, TLTImageKind Kind, TColumnIndex, bool&, int& Index) {
        if (Kind == ikNormal) Index = 3;
        if (Kind == ikOverlay) Index = overlay;
    };
    for (int o : {3, 14, 15}) {
        overlay = o;
        Record();
        EXPECT_EQ(Rec.Of("Draw").size(), o == 3 ? 1u : 2u) << o;
    }
    Tree->SetImages(nullptr);
}

TEST_F(PaintTest, SelectionCoversTheContentAndMovesWithTheContentMargin)
{
    Shape({0, 0});
    Tree->SetSelected(At(1), true);
    Record();
    auto boxes = Rec.Of("RoundRect");
    ASSERT_EQ(boxes.size(), 1u);
    // Second row; content from indent + margin, as wide as the node's content.
    EXPECT_EQ(boxes[0].R, TRect(18 + 4, 18, 18 + 4 + 40, 36));
    EXPECT_EQ(boxes[0].Brush, Tree->Colors()->UnfocusedSelectionColor());
    // A handler that narrows the content moves the highlight with it.
    Tree->OnBeforeCellPaint = [](TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, TLTCellPaintMode,
                                 const TRect&, TRect& Content) { Content.Left += 10; };
    Record();
    boxes = Rec.Of("RoundRect");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].R.Left, 18 + 4 + 10);
    // Full-row selection covers the whole row.
    Tree->OnBeforeCellPaint = nullptr;
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() | toFullRowSelect);
    Record();
    boxes = Rec.Of("RoundRect");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().R.Left, 0);
    EXPECT_EQ(boxes.back().R.Right, 300);
}

TEST_F(PaintTest, DropTargetIsMarkedOnlyForADropOntoItOrWhenSelected)
{
    Shape({0, 0, 0});
    struct TCase {
        const char* What;
        TDropMode Mode;
        bool Selected;
        bool Marked;
    };
    const TCase cases[] = {
        {"onto the node", dmOnNode, false, true},
        {"above an unselected node", dmAbove, false, false},
        {"below an unselected node", dmBelow, false, false},
        {"above a selected node: it keeps a mark", dmAbove, true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Tree->ClearSelection();
        if (c.Selected) Tree->SetSelected(At(1), true);
        Tree->SetDropTarget(At(1), c.Mode);
        Record();
        int drop = 0, other = 0;
        for (const TDrawOp& o : Rec.Of("RoundRect"))
            (o.Brush == Tree->Colors()->DropTargetColor() && o.R.Top == 18 ? drop : other) += 1;
        EXPECT_EQ(drop, c.Marked ? 1 : 0);
        EXPECT_EQ(other, 0) << "the drop target shows no selection box of its own";
    }
    Tree->SetDropTarget(nullptr, dmNowhere);
}

TEST_F(PaintTest, SelectedOnlyPaintsSelectedNodesAndTheirSubtrees)
{
    // 0 (children 0.0, 0.1), 1 (child 1.0), 2
    Shape({2, 1, 0});
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() | toMultiSelect);
    Tree->SetSelected(At(0, 1), true);
    Tree->SetSelected(At(1), true);
    Record(TLTInternalPaintOptions{poSelectedOnly});
    std::vector<String> painted;
    for (const TDrawOp& o : Rec.Of("TextOut")) painted.push_back(o.Text);
    // The selected child 0.1 (index 1) and node 1 with its unselected child 1.0
    // (index 0); nothing of the unselected parent 0, its child 0.0 or node 2.
    EXPECT_EQ(painted, (std::vector<String>{"n1", "n1", "n0"}));
    const auto rows = Rec.Of("TextOut");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].R.Top / 18, 2);
    EXPECT_EQ(rows[1].R.Top / 18, 3);
    EXPECT_EQ(rows[2].R.Top / 18, 4);
}

TEST_F(PaintTest, RowEventsAndCustomDrawnRows)
{
    Shape({0, 0, 0});
    std::vector<std::string> log;
    Tree->OnBeforeItemPaint = [&](TBaseLazyTree*, TCanvas*, PLazyNode N, const TRect&, bool& Custom) {
        log.push_back("before " + std::to_string(N->Index));
        Custom = N->Index == 1;
    };
    Tree->OnAfterItemPaint = [&](TBaseLazyTree*, TCanvas*, PLazyNode N, const TRect&) {
        log.push_back("after " + std::to_string(N->Index));
    };
    Tree->OnBeforeItemErase = [&](TBaseLazyTree*, TCanvas*, PLazyNode N, const TRect&, TColor& C,
                                  TItemEraseAction& A) {
        if (N->Index == 2) A = eaNone;
        C = clYellow;
        A = N->Index == 2 ? eaNone : eaColor;
    };
    Rec.Ops.clear();
    Tree->PaintTree(&Rec, TRect(0, 0, 300, 200), TPoint(0, 0), {});
    EXPECT_EQ(log, (std::vector<std::string>{"before 0", "after 0", "before 1", "before 2", "after 2"}));
    // Buffered: every row is copied to the target, the custom-drawn one too.
    EXPECT_EQ(Rec.Of("CopyRect").size(), 3u);
    // Below the last row the background is filled.
    bool freeArea = false;
    for (const TDrawOp& o : Rec.Of("FillRect")) freeArea |= o.R == TRect(0, 54, 300, 200);
    EXPECT_TRUE(freeArea);
}

TEST_F(PaintTest, NestedPaintFromAnEventDoesNothing)
{
    Shape({0});
    int before = 0;
    Tree->OnBeforePaint = [&](TBaseLazyTree* T, TCanvas* C) {
        ++before;
        T->PaintTree(C, TRect(0, 0, 10, 10), TPoint(0, 0), {});
    };
    Record();
    EXPECT_EQ(before, 1);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsPainting));
    // An exception from a handler still leaves the painting state.
    Tree->OnBeforePaint = [](TBaseLazyTree*, TCanvas*) { throw std::runtime_error("x"); };
    EXPECT_THROW(Record(), std::runtime_error);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsPainting));
}

TEST_F(PaintTest, EmptyListMessage)
{
    Tree->SetEmptyListMessage("Nothing found");
    Record();
    auto texts = Rec.Of("DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "Nothing found");
    EXPECT_EQ(texts[0].R.Left, 2);
    EXPECT_EQ(texts[0].R.Top, 2);
    EXPECT_EQ(texts[0].Font, clGrayText);
}

TEST_F(PaintTest, PictureOfLinesButtonsImagesChecksHotAndSelectedNodes)
{
    Form->Show();
    Shape({4, 0, 2});
    TImageList images(nullptr);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clWhite);
    strip.Canvas()->FillRect(TRect(0, 0, 32, 16));
    strip.Canvas()->Brush()->SetColor(TColor(0x00A0A0));
    strip.Canvas()->FillRect(TRect(2, 3, 14, 14));
    strip.Canvas()->Brush()->SetColor(TColor(0xC06000));
    strip.Canvas()->FillRect(TRect(19, 2, 29, 14));
    strip.SetTransparentColor(clWhite);
    images.AddMasked(&strip, clWhite);
    Tree->SetImages(&images);
    Tree->OnGetImageIndex = [](TBaseLazyTree* T, PLazyNode N, TLTImageKind Kind, TColumnIndex, bool&, int& Index) {
        if (Kind == ikNormal || Kind == ikSelected) Index = T->GetHasChildren(N) ? 0 : 1;
    };
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toCheckSupport);
    AddPaintOption(toHotTrack);
    // Each kind of check: a box, a tri-state box, radio buttons and a button.
    Tree->SetCheckType(At(0), ctTriStateCheckBox);
    Tree->SetCheckType(At(0, 0), ctCheckBox);
    Tree->SetCheckType(At(0, 1), ctCheckBox);
    Tree->SetCheckType(At(0, 2), ctRadioButton);
    Tree->SetCheckType(At(0, 3), ctRadioButton);
    Tree->SetCheckType(At(1), ctButton);
    Tree->SetCheckState(At(0, 1), csCheckedNormal);
    Tree->SetCheckState(At(0, 3), csCheckedNormal);
    Tree->SetCheckState(At(0), csMixedNormal);
    Tree->SetSelected(At(2, 0), true);
    Tree->SetHotNode(At(0, 0));
    for (int slot : {TLTColors::UnfocusedSelectionColorIdx, TLTColors::UnfocusedSelectionBorderColorIdx,
                     TLTColors::FocusedSelectionColorIdx, TLTColors::FocusedSelectionBorderColorIdx})
        Tree->Colors()->SetColor(slot, TColor(0xF0C080));
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_painting.png", png));
    const TColor line = ColorToRGB(Tree->Colors()->TreeLineColor());
    // Dotted lines: the vertical line of the first level runs down the tree's left
    // (x 9) through rows 0..6, every other pixel.
    EXPECT_NEAR(Count_Pixels(png, TRect(9, 18, 10, 18 * 6), line), 18 * 5 / 2, 2);
    // The two buttons (expanded parents at rows 0 and 6) show their minus: a box in the
    // line colour with the font colour across the middle.
    EXPECT_EQ(Count_Pixels(png, TRect(5, 4, 14, 5), line), 9);
    EXPECT_EQ(Count_Pixels(png, TRect(5, 18 * 6 + 4, 14, 18 * 6 + 5), line), 9);
    // The selected node (row 7) is highlighted behind its content.
    EXPECT_GT(Count_Pixels(png, TRect(36 + 4 + 16 + 2 + 16 + 2, 18 * 7 + 2, 36 + 4 + 16 + 2 + 16 + 2 + 30, 18 * 8 - 2),
                           TColor(0xF0C080)),
              200);
    // The hot node's check box (row 1) has the hot border; the next row's box has not.
    const int boxX = 36 + 3 + 2; // picture left plus its box inset
    EXPECT_GT(Count_Pixels(png, TRect(boxX, 18 + 2, boxX + 12, 18 + 16), TColor(0xD77800)), 10);
    EXPECT_EQ(Count_Pixels(png, TRect(boxX, 36 + 2, boxX + 12, 36 + 16), TColor(0xD77800)), 0);
    // Node images: the parent's picture and the leaves' pictures in their colours.
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, 300, 18), TColor(0x00A0A0)), 100);
    EXPECT_GT(Count_Pixels(png, TRect(0, 18, 300, 36), TColor(0xC06000)), 100);
    Tree->SetImages(nullptr);
}
