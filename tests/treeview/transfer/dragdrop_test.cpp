// Drags started by the mouse in one tree and dropped on another through synthetic drop
// events: every drop mode and effect, the proposed effects by keys, refusals, drops from
// other programs, the drag picture, expanding a node the pointer rests on and scrolling
// at the edge.
#include "tests/common/Snapshot.h"
#include "tests/treeview/transfer/transfer_fixture.h"
#include "treeview/transfer/LTDragImage.h"

namespace {

class DragTreeTest : public TransferTest {
protected:
    std::vector<std::string> Seen; // drop modes and effects the target heard
    int SourceEffect = -1;         // what the drag loop told the source

    void SetUp() override
    {
        TransferTest::SetUp();
        A->OnDragAllowed = [](TBaseLazyTree*, PLazyNode, TColumnIndex, bool& Allowed) { Allowed = true; };
        for (TLazyStringTree* t : {A, B}) AcceptDrops(t);
    }
    void TearDown() override
    {
        A->OnDragAllowed = nullptr;
        TransferTest::TearDown();
    }
    static TLTNodeAttachMode AttachFor(TDropMode Mode)
    {
        switch (Mode) {
        case dmAbove: return amInsertBefore;
        case dmBelow: return amInsertAfter;
        default: return amAddChildLast;
        }
    }
    // The application's usual handlers: accept everything, insert by the drop mode.
    void AcceptDrops(TLazyStringTree* T)
    {
        T->OnDragOver = [](TBaseLazyTree*, TBaseLazyTree*, TShiftState, TDragState, TPoint, TDropMode, int&,
                           bool& Accept) { Accept = true; };
        T->OnDragDrop = [this](TBaseLazyTree* Sender, TBaseLazyTree*, const IDataObjectPtr& Data, const TFormatArray&,
                               TShiftState, TPoint, int& Effect, TDropMode Mode) {
            static const char* modes[] = {"nowhere", "above", "on", "below"};
            Seen.push_back(std::string(modes[Mode]) + " " + std::to_string(Effect));
            Sender->ProcessDrop(Data, Mode == dmNowhere ? nullptr : Sender->DropTargetNode(), Effect, AttachFor(Mode));
        };
    }
    // The next drag is let go on Target at the screen point Pt with the keys held.
    void DropNextDragAt(TBaseLazyTree* Target, TPoint Pt, unsigned Keys = 0)
    {
        SetDragDriver([=, this](const TDataPackage& Data, IDropSource* Source, int Ok, int& Effect) {
            if (Source->QueryContinueDrag(false, MK_LBUTTON | Keys) != 0) return DRAGDROP_S_CANCEL;
            Effect = DeliverDrop(Target->Handle(), Data, Pt, Keys, Ok);
            return Source->QueryContinueDrag(false, Keys);
        });
    }
    // Presses on the label of a node of A, as selected, and moves past the threshold.
    void DragFromA(const char* Caption)
    {
        const TRect r = A->GetDisplayRect(Find(A, Caption), NoColumnIndex, true);
        const int x = r.Left + 3, y = (r.Top + r.Bottom) / 2;
        UserPress(A, x, y);
        UserMouseMove(A, x + 2, y, TShiftState{ssLeft});
        EXPECT_TRUE(A->TreeStates().Contains(tsOLEDragPending));
        UserMouseMove(A, x + 6, y, TShiftState{ssLeft});
        SourceEffect = A->LastDragEffect();
    }
};

TEST_F(DragTreeTest, DropsOnAnotherTreeInEveryModeCopyOrMove)
{
    struct TCase {
        const char* Name;
        const char* Where; // "on x", "above y", "below x", "under the rows"
        unsigned Keys;
        const char* Heard;
        const char* A;
        const char* B;
    };
    const TCase cases[] = {
        {"copy onto a node", "on x", 0, "on 1", "a[a1] b", "x[k a[a1]] y"},
        {"copy above a node", "above y", 0, "above 1", "a[a1] b", "x[k] a[a1] y"},
        {"copy below a node", "below x", 0, "below 1", "a[a1] b", "x[k] a[a1] y"},
        {"copy under the rows", "nowhere", 0, "nowhere 1", "a[a1] b", "x[k] y a[a1]"},
        {"move onto a node", "on y", MK_SHIFT, "on 2", "b", "x[k] y[a[a1]]"},
        {"move above a node", "above x", MK_SHIFT, "above 2", "b", "a[a1] x[k] y"},
        {"copy forced by Ctrl", "on y", MK_CONTROL, "on 1", "a[a1] b", "x[k] y[a[a1]]"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        A->Clear();
        B->Clear();
        Seen.clear();
        Build(A, "a[a1] b");
        Build(B, "x[k] y");
        B->FullCollapse();
        const std::string where = c.Where;
        TPoint pt;
        if (where == "nowhere")
            pt = B->ClientToScreen(TPoint(20, B->ClientHeight() - 5));
        else if (where.rfind("on ", 0) == 0)
            pt = OnLabel(B, Find(B, where.substr(3)));
        else
            pt = Beside(B, Find(B, where.substr(where.find(' ') + 1)), where.rfind("above", 0) == 0);
        DropNextDragAt(B, pt, c.Keys);
        DragFromA("a");
        ASSERT_EQ(Seen.size(), 1u);
        EXPECT_EQ(Seen[0], c.Heard);
        EXPECT_EQ(Dump(A), c.A);
        EXPECT_EQ(Dump(B), c.B);
        // A move between trees of this process moved the nodes itself: the source was told
        // none, so it deleted nothing more.
        EXPECT_EQ(SourceEffect, c.Keys == MK_SHIFT ? DROPEFFECT_NONE : DROPEFFECT_COPY);
        // The drag took the button's release; the tree got one of its own.
        EXPECT_FALSE(A->TreeStates().Contains(tsLeftButtonDown));
        EXPECT_FALSE(A->Dragging());
        EXPECT_EQ(B->DropTargetNode(), nullptr);
        EXPECT_CONSISTENT(A);
        EXPECT_CONSISTENT(B);
    }
}

// The program's own drag loop: the pointer carries the drag from one tree over the gap
// between them into the other, where letting the button go drops; Esc on the way drops
// nothing.
TEST_F(DragTreeTest, ThePointerCarriesADragIntoTheOtherTree)
{
    Build(A, "a[a1] b");
    Build(B, "x y");
    Form->Show(); // the drag loop looks for targets among the shown windows
    const TPoint target = B->ScreenToClient(OnLabel(B, Find(B, "y")));
    SetDragDriver(PointerDragDriver([&] {
        UserMouseMove(A, A->Width() + 4, 30, {ssLeft}); // the gap between the trees
        UserMouseMove(B, target.X, target.Y, {ssLeft});
        UserRelease(B, target.X, target.Y);
        return false;
    }));
    DragFromA("a");
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0], "on 1");
    EXPECT_EQ(Dump(A), "a[a1] b");
    EXPECT_EQ(Dump(B), "x y[a[a1]]");
    EXPECT_FALSE(A->Dragging());

    Seen.clear();
    SetDragDriver(PointerDragDriver([&] {
        UserMouseMove(B, target.X, target.Y, {ssLeft});
        UserKey(B, VK_ESCAPE);
        UserRelease(B, target.X, target.Y);
        return false;
    }));
    DragFromA("b");
    EXPECT_TRUE(Seen.empty());
    EXPECT_EQ(Dump(B), "x y[a[a1]]");
    EXPECT_FALSE(A->Dragging());
    EXPECT_CONSISTENT(A);
    EXPECT_CONSISTENT(B);
}

TEST_F(DragTreeTest, EffectsFollowTheSourceAndTheKeysWithinWhatIsAllowed)
{
    struct TCase {
        const char* Name;
        bool SameTree;
        unsigned Keys;
        TDragOperations Allowed;
        int Effect;
    };
    const TCase cases[] = {
        {"within one tree", true, 0, {doCopy, doMove}, DROPEFFECT_MOVE},
        {"from another tree", false, 0, {doCopy, doMove}, DROPEFFECT_COPY},
        {"Ctrl copies", true, MK_CONTROL, {doCopy, doMove}, DROPEFFECT_COPY},
        {"Shift moves", false, MK_SHIFT, {doCopy, doMove}, DROPEFFECT_MOVE},
        {"Ctrl+Shift links when allowed", false, MK_CONTROL | MK_SHIFT, {doCopy, doMove, doLink}, DROPEFFECT_LINK},
        {"Alt links when allowed", false, MK_ALT, {doCopy, doMove, doLink}, DROPEFFECT_LINK},
        {"a link not allowed falls back", false, MK_CONTROL | MK_SHIFT, {doCopy, doMove}, DROPEFFECT_COPY},
        {"nothing listed allows all", false, MK_ALT, {}, DROPEFFECT_LINK},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        A->Clear();
        B->Clear();
        Build(A, "a b");
        Build(B, "x");
        A->SetDragOperations(c.Allowed);
        TBaseLazyTree* target = c.SameTree ? static_cast<TBaseLazyTree*>(A) : B;
        int heard = -1;
        target->OnDragOver = [&](TBaseLazyTree*, TBaseLazyTree*, TShiftState, TDragState State, TPoint, TDropMode,
                                 int& Effect, bool& Accept) {
            if (State == dsDragEnter) heard = Effect;
            Accept = false; // only listening
        };
        DropNextDragAt(target, OnLabel(target, Find(target, c.SameTree ? "b" : "x")), c.Keys);
        DragFromA("a");
        EXPECT_EQ(heard, c.Effect);
        EXPECT_EQ(SourceEffect, DROPEFFECT_NONE); // refused
        EXPECT_EQ(Dump(A), "a b");
        AcceptDrops(c.SameTree ? A : B);
    }
}

TEST_F(DragTreeTest, WithoutADragOverHandlerEveryDropIsRefused)
{
    Build(A, "a");
    Build(B, "x");
    B->OnDragOver = nullptr;
    DropNextDragAt(B, OnLabel(B, Find(B, "x")));
    DragFromA("a");
    EXPECT_EQ(SourceEffect, DROPEFFECT_NONE);
    EXPECT_TRUE(Seen.empty());
    EXPECT_EQ(Dump(B), "x");
}

TEST_F(DragTreeTest, DropsFromOtherProgramsAreCopiedAndHostileOnesRefused)
{
    Build(A, "a[a1] b");
    Build(B, "x");
    Select(A, {"a"});
    // Tree data of another process: even a move only copies, the source here is untouched.
    const TDataPackage foreign = Foreign(A);
    EXPECT_EQ(DeliverDrop(B->Handle(), foreign, OnLabel(B, Find(B, "x")), MK_SHIFT, DROPEFFECT_MOVE), DROPEFFECT_MOVE);
    EXPECT_EQ(Dump(B), "x[a[a1]]");
    EXPECT_EQ(Dump(A), "a[a1] b");
    // A block that lies about its size: nothing changes and the drop has no effect.
    TDataPackage bad = foreign;
    std::string block = bad.Get(LazyTreeDataFormat());
    block[0] = char(block[0] + 1);
    bad.Set(LazyTreeDataFormat(), block);
    std::string chunks = block.substr(4);
    chunks[0] = 7; // not an anchor chunk
    TDataPackage garbage = foreign;
    garbage.Set(LazyTreeDataFormat(), TreeDataBlock(chunks));
    for (const TDataPackage& p : {bad, garbage}) {
        Seen.clear();
        // Offered as a move: had it counted, the other program would delete its data.
        EXPECT_EQ(DeliverDrop(B->Handle(), p, OnLabel(B, Find(B, "x")), MK_SHIFT, DROPEFFECT_COPY | DROPEFFECT_MOVE),
                  DROPEFFECT_NONE);
        EXPECT_EQ(Dump(B), "x[a[a1]]");
        EXPECT_CONSISTENT(B);
    }
    // Text alone carries no tree data: nothing is inserted.
    TDataPackage text;
    text.SetText("plain");
    DeliverDrop(B->Handle(), text, OnLabel(B, Find(B, "x")), 0, DROPEFFECT_COPY);
    EXPECT_EQ(Dump(B), "x[a[a1]]");
}

TEST_F(DragTreeTest, ProcessDropOfAHostileBlockAnswersNoEffect)
{
    Build(B, "x");
    TDataPackage p;
    p.Set(LazyTreeDataFormat(), TreeDataBlock(std::string(30, '\x01')));
    int effect = DROPEFFECT_COPY;
    EXPECT_FALSE(B->ProcessDrop(std::make_shared<TPackageDataObject>(p), nullptr, effect, amAddChildLast));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY;
    EXPECT_FALSE(B->ProcessDrop(std::make_shared<TPackageDataObject>(p), nullptr, effect, amNoWhere));
    EXPECT_EQ(Dump(B), "x");
}

TEST_F(DragTreeTest, TheDragPictureIsTheToolkitsFadingOutFromTheHotSpot)
{
    Build(A, "a b c");
    Build(B, "x");
    std::shared_ptr<TBitmap> picture;
    std::vector<std::uint8_t> alpha;
    TPoint hot;
    SetDragDriver([&](const TDataPackage&, IDropSource*, int, int& Effect) {
        if (const TDragPicture* p = CurrentDragPicture()) {
            picture = p->Picture;
            alpha = p->Alpha;
            hot = p->HotSpot;
        }
        Effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    });
    Select(A, {"a", "b"});
    DragFromA("b");
    ASSERT_TRUE(picture);
    EXPECT_EQ(CurrentDragPicture(), nullptr); // gone with the drag
    ASSERT_EQ(picture->Width(), A->DragWidth());
    ASSERT_EQ(picture->Height(), A->DragHeight());
    EXPECT_EQ(hot, TPoint(100, 175));
    ASSERT_EQ(alpha.size(), std::size_t(200 * 350));
    const auto at = [&](int x, int y) { return int(alpha[std::size_t(y) * 200 + std::size_t(x)]); };
    // Transparency 200 over a full fade at the hot spot; the background is transparent.
    EXPECT_EQ(at(100, 175), 199);
    EXPECT_EQ(at(0, 0), 0);
    EXPECT_EQ(at(199, 349), 0);
    // The selected rows are in the picture, the one not selected is not.
    const TRect rb = A->GetDisplayRect(Find(A, "c"), NoColumnIndex, false);
    EXPECT_EQ(at(100, 175 + rb.Height()), 0);
    picture->SaveToFile(TEST_OUTPUT("tree_drag_picture.png"));
    // Without a picture nothing is handed over.
    picture.reset();
    A->SetDragImageKind(diNoImage);
    DragFromA("b");
    EXPECT_FALSE(picture);
}

TEST_F(DragTreeTest, AlphaChannelIsZeroOnTheKeyAndFadesFromTheCentre)
{
    TBitmap b(40, 20);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 40, 20));
    b.Canvas()->SetPixels(20, 10, clRed);
    b.Canvas()->SetPixels(0, 10, clRed);
    const std::vector<std::uint8_t> a = TLTDragImage::BuildAlphaChannel(&b, clWhite);
    EXPECT_EQ(a[10 * 40 + 20], 255);
    EXPECT_EQ(a[10 * 40 + 0], 5); // half the longer side away
    EXPECT_EQ(a[0], 0);
    const std::vector<std::uint8_t> unkeyed = TLTDragImage::BuildAlphaChannel(&b, clNone);
    EXPECT_GT(unkeyed[0], 0);
}

TEST_F(DragTreeTest, DragImageMovesOnlyAsItsRestrictionAllows)
{
    TLTDragImage image(A);
    TBitmap b(10, 10);
    image.PrepareDrag(&b, TPoint(100, 100), TPoint(105, 105));
    EXPECT_FALSE(image.Visible()); // prepared hidden
    image.ShowDragImage();
    EXPECT_TRUE(image.Visible());
    EXPECT_FALSE(image.DragTo(TPoint(105, 105), false));
    EXPECT_TRUE(image.DragTo(TPoint(105, 105), true));
    image.SetMoveRestriction(dmrHorizontalOnly);
    EXPECT_FALSE(image.WillMove(TPoint(105, 130)));
    EXPECT_FALSE(image.DragTo(TPoint(105, 130), false));
    EXPECT_TRUE(image.DragTo(TPoint(110, 130), false));
    EXPECT_EQ(image.GetDragImageRect(), TRect(105, 100, 115, 110));
    image.HideDragImage();
    EXPECT_EQ(image.GetDragImageRect(), TRect(0, 0, 0, 0));
    EXPECT_TRUE(image.DragTo(TPoint(200, 130), false)); // recorded, not moved
    EXPECT_EQ(image.LastPosition(), TPoint(200, 130));
    image.EndDrag();
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(image.Picture(), nullptr);
}

TEST_F(DragTreeTest, RestingOnACollapsedNodeExpandsItAndTheEdgeScrolls)
{
    Build(B, "x[k] y z");
    B->FullCollapse();
    ASSERT_FALSE(B->Expanded(Find(B, "x")));
    IDropTarget* target = DropTargetOf(B->Handle());
    ASSERT_NE(target, nullptr);
    TDataPackage data = Foreign(B);
    int effect = DROPEFFECT_COPY;
    target->DragEnter(data, 0, OnLabel(B, Find(B, "x")), effect);
    effect = DROPEFFECT_COPY;
    target->DragOver(0, OnLabel(B, Find(B, "x")), effect);
    EXPECT_EQ(B->DropTargetNode(), Find(B, "x"));
    // The expand timer's tick.
    B->Perform(WM_TIMER, TBaseLazyTree::ExpandTimer, 0);
    EXPECT_TRUE(B->Expanded(Find(B, "x")));
    target->DragLeave();
    EXPECT_EQ(B->DropTargetNode(), nullptr);

    // The edge zone scrolls once the delay has passed, one increment per move.
    B->Clear();
    for (int i = 0; i < 40; ++i) Build(B, std::to_string(100 + i));
    auto* o = B->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() + TLTAutoOptions{toAutoScroll});
    B->SetAutoScrollDelay(0);
    const TPoint bottom = B->ClientToScreen(TPoint(30, B->ClientHeight() - 3));
    effect = DROPEFFECT_COPY;
    target->DragEnter(data, 0, bottom, effect);
    effect = DROPEFFECT_COPY;
    target->DragOver(0, bottom, effect);
    EXPECT_EQ(B->OffsetY(), -std::min(B->ScrollBarOptions()->VerticalIncrement(), B->ClientHeight()));
    target->DragOver(0, bottom, effect);
    EXPECT_EQ(B->OffsetY(), -2 * B->ScrollBarOptions()->VerticalIncrement());
    target->DragLeave();
    // Without the option, the edge does nothing.
    o->SetAutoOptions(o->AutoOptions() - TLTAutoOptions{toAutoScroll});
    B->SetOffsetY(0);
    target->DragEnter(data, 0, bottom, effect);
    target->DragOver(0, bottom, effect);
    EXPECT_EQ(B->OffsetY(), 0);
    target->DragLeave();
}

TEST_F(DragTreeTest, ReportModeCountsOnlyTheMainLabelUnlessTheRowDrags)
{
    Build(A, "a");
    Build(B, "x y");
    struct TCase {
        const char* Name;
        TLTMiscOptions Extra;
        bool OnLabel;
        const char* Heard;
    };
    const TCase cases[] = {
        {"beside the label", {toReportMode}, false, "nowhere 1"},
        {"on the label", {toReportMode}, true, "on 1"},
        {"beside, the full row drags", {toReportMode, toFullRowDrag}, false, "below 1"},
    };
    auto* o = B->TreeOptions();
    const TLTMiscOptions base = o->MiscOptions();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        o->SetMiscOptions(base + c.Extra);
        Seen.clear();
        B->Clear();
        Build(B, "x y");
        const TPoint pt = c.OnLabel ? OnLabel(B, Find(B, "x")) : Beside(B, Find(B, "x"), false);
        DeliverDrop(B->Handle(), Foreign(A), pt, 0, DROPEFFECT_COPY);
        ASSERT_EQ(Seen.size(), 1u);
        EXPECT_EQ(Seen[0], c.Heard);
    }
    o->SetMiscOptions(base);
}

TEST_F(DragTreeTest, TheDropMarkShowsWhereTheNodesWillGo)
{
    Build(A, "a");
    Build(B, "x y z");
    Form->Show();
    IDropTarget* target = DropTargetOf(B->Handle());
    ASSERT_NE(target, nullptr);
    int effect = DROPEFFECT_COPY;
    const TPoint below = Beside(B, Find(B, "y"), false);
    target->DragEnter(Foreign(A), 0, below, effect);
    effect = DROPEFFECT_COPY;
    target->DragOver(0, below, effect);
    EXPECT_EQ(B->DropTargetNode(), Find(B, "y"));
    EXPECT_EQ(B->LastDropMode(), dmBelow);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(B, "tree_drop_mark.png", png));
    const TRect row = B->GetDisplayRect(Find(B, "y"), NoColumnIndex, false);
    const TColor mark = ColorToRGB(B->Colors()->DropMarkColor());
    // The mark lies along the bottom of the target row, not along its top.
    EXPECT_GT(Count_Pixels(png, TRect(0, row.Bottom - 8, B->ClientWidth(), row.Bottom), mark), 20);
    EXPECT_EQ(Count_Pixels(png, TRect(0, row.Top, B->ClientWidth(), row.Top + 3), mark), 0);
    target->DragLeave();
    ASSERT_TRUE(SNAPSHOT(B, "tree_drop_mark_gone.png", png));
    EXPECT_EQ(Count_Pixels(png, TRect(0, row.Bottom - 8, B->ClientWidth(), row.Bottom), mark), 0);
}

TEST_F(DragTreeTest, TheDropTargetFollowsTheOption)
{
    EXPECT_NE(DropTargetOf(B->Handle()), nullptr);
    auto* o = B->TreeOptions();
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toAcceptOLEDrop});
    EXPECT_EQ(DropTargetOf(B->Handle()), nullptr);
    o->SetMiscOptions(o->MiscOptions() + TLTMiscOptions{toAcceptOLEDrop});
    EXPECT_NE(DropTargetOf(B->Handle()), nullptr);
    const HWND h = B->Handle();
    delete B;
    B = nullptr;
    EXPECT_EQ(DropTargetOf(h), nullptr);
    B = new TLazyStringTree(Form); // for the fixture's tear-down
}

} // namespace
