// How header cells look: the frame of each header style, the drop mark pictures while a
// caption is dragged, wrapped captions, and owners that paint single parts of the cells.
#include <gtest/gtest.h>

#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class HeaderLookTest : public HeaderTreeTest {
protected:
    void SetUp() override
    {
        HeaderTreeTest::SetUp();
        ShowThreeColumns(90);
        H->SetHeight(22);
        Form->Show();
    }
    // The one-pixel strips filled inside the cell [Left, Right) in the given colour.
    static std::vector<TRect> Strips(const TRecordingCanvas& Rec, int Left, int Right, TColor Colour)
    {
        std::vector<TRect> out;
        for (const TDrawOp& op : Rec.Of("FillRect"))
            if (op.Brush == Colour && op.R.Left >= Left && op.R.Right <= Right &&
                (op.R.Width() == 1 || op.R.Height() == 1))
                out.push_back(op.R);
        return out;
    }
};

TEST_F(HeaderLookTest, EachStyleFramesNormalPressedAndHotCells)
{
    struct TCase {
        const char* What;
        TLTHeaderStyle Style;
        bool Pressed, Hover;
        TColor RightEdge;   // the cell's rightmost pixel column
        TColor LeftEdge;
    } cases[] = {
        {"thick buttons", hsThickButtons, false, false, cl3DDkShadow, clBtnHighlight},
        {"thick buttons pressed: one flat frame", hsThickButtons, true, false, clBtnShadow, clBtnShadow},
        {"flat buttons: a single light and shadow ring", hsFlatButtons, false, false, clBtnShadow, clBtnHighlight},
        {"flat buttons pressed: sunken", hsFlatButtons, true, false, clBtnHighlight, clBtnShadow},
        {"plates: soft, a closed frame", hsPlates, false, false, clBtnShadow, cl3DLight},
        {"plates hot", hsPlates, false, true, clBtnShadow, clBtnHighlight},
    };
    H->SetOptions(H->Options() | hoHotTrack);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        H->SetStyle(c.Style);
        UserMouseMove(H->Window(), c.Hover ? 120 : 400, 10);
        if (c.Pressed) UserPress(H->Window(), 120, 10);
        TRecordingCanvas rec;
        H->PaintHeader(&rec, TRect(0, 0, 300, 22));
        if (c.Pressed) UserRelease(H->Window(), 400, 30);
        // Column 1 spans 80..170.
        bool right = false, left = false;
        for (const TRect& r : Strips(rec, 80, 170, c.RightEdge)) right |= r.Left == 169 && r.Width() == 1;
        for (const TRect& r : Strips(rec, 80, 170, c.LeftEdge)) left |= r.Left == 80 && r.Width() == 1;
        EXPECT_TRUE(right);
        EXPECT_TRUE(left);
        // Every look fills the face inside its frame.
        int face = 0;
        for (const TDrawOp& op : rec.Of("FillRect"))
            if (op.Brush == clBtnFace && op.R.Left > 80 && op.R.Right < 170 && op.R.Width() > 10) ++face;
        EXPECT_GE(face, 1);
    }
    // A plate only shows its lighter, open frame while hot: normal plates are closed.
    H->SetStyle(hsPlates);
    UserMouseMove(H->Window(), 400, 10);
    TRecordingCanvas normal, hot;
    H->PaintHeader(&normal, TRect(0, 0, 300, 22));
    UserMouseMove(H->Window(), 120, 10);
    H->PaintHeader(&hot, TRect(0, 0, 300, 22));
    EXPECT_NE(Strips(normal, 80, 170, cl3DLight).size(), Strips(hot, 80, 170, cl3DLight).size());
}

TEST_F(HeaderLookTest, LastColumnByIndexLosesItsRightBorderOnlyInFlatLooksWithBevelAndAutoSize)
{
    // Move the last column (index 2) to the front: the rule goes by index, not position.
    C->Items(2)->SetPosition(0);
    auto rightBorder = [&]() {
        TRecordingCanvas rec;
        H->PaintHeader(&rec, TRect(0, 0, 300, 22));
        int l = 0, r = 0;
        C->Items(2)->GetBounds(l, r);
        for (const TDrawOp& op : rec.Of("FillRect"))
            if (op.R.Left == r - 1 && op.R.Width() == 1 && op.R.Height() > 10 && op.Brush != clBtnFace) return true;
        return false;
    };
    struct TCase {
        TLTHeaderStyle Style;
        bool AutoResize;
        TBaseLazyTree::TBevelKind Bevel;
        bool Border;
    } cases[] = {
        {hsFlatButtons, true, TBaseLazyTree::bkFlat, false},
        {hsPlates, true, TBaseLazyTree::bkSoft, true},   // a plate's frame is closed anyway
        {hsThickButtons, true, TBaseLazyTree::bkFlat, true},
        {hsFlatButtons, false, TBaseLazyTree::bkFlat, true},
        {hsFlatButtons, true, TBaseLazyTree::bkNone, true},
    };
    for (const TCase& c : cases) {
        H->SetStyle(c.Style);
        H->SetOptions(c.AutoResize ? H->Options() | hoAutoResize : H->Options() - TLTHeaderOptions(hoAutoResize));
        Tree->SetBevelKind(c.Bevel);
        EXPECT_EQ(rightBorder(), c.Border) << int(c.Style) << c.AutoResize << int(c.Bevel);
    }
}

TEST_F(HeaderLookTest, DraggedCaptionShowsAnArrowAtTheSideItWillGo)
{
    H->SetOptions(H->Options() | hoDrag);
    TImageList* marks = TBaseLazyTree::GetUtilityImageList();
    ASSERT_EQ(marks->Count(), 6);
    struct TCase {
        int To;
        TColumnIndex Target;
        bool Left;
        const char* Png;
    } cases[] = {
        {180, 2, true, "header_drop_mark_left.png"},    // left half of "Value": before it
        {230, 2, false, "header_drop_mark_right.png"},  // right half: after it
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Png);
        UserPress(H->Window(), 40, 8);
        UserMouseMove(H->Window(), 100, 8, TShiftState{ssLeft});
        UserMouseMove(H->Window(), c.To, 8, TShiftState{ssLeft});
        ASSERT_TRUE(H->States().Contains(hsDragging));
        TRecordingCanvas rec;
        H->PaintHeader(&rec, TRect(0, 0, 300, 22));
        // The arrow is a 16 × 16 picture inside the cell's 2-pixel frame, centred in height.
        std::vector<TRect> pictures;
        for (const TDrawOp& op : rec.Of("Draw"))
            if (op.R.Width() == 16 && op.R.Height() == 16) pictures.push_back(op.R);
        ASSERT_EQ(pictures.size(), 1u) << "only the column under the pointer";
        int l = 0, r = 0;
        C->GetColumnBounds(c.Target, l, r);
        EXPECT_EQ(pictures[0].Left, c.Left ? l + 2 : r - 2 - 16);
        EXPECT_EQ(pictures[0].Top, (2 + 20 - 16) / 2);
        Application->ProcessMessages();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(H->Window(), c.Png, png));
        // The arrow's bar in the highlight colour at that edge.
        const int barX = c.Left ? l + 2 : r - 2 - 2;
        EXPECT_GE(Count_Pixels(png, TRect(barX, 4, barX + 2, 18), ColorToRGB(clHighlight)), 20);
        UserRelease(H->Window(), c.To, 8);
        C->ResetPositions(false);
    }
    // A column that shows no drop mark shows none.
    C->Items(2)->SetOptions(C->Items(2)->Options() - TLTColumnOptions(coShowDropMark));
    UserPress(H->Window(), 40, 8);
    UserMouseMove(H->Window(), 100, 8, TShiftState{ssLeft});
    UserMouseMove(H->Window(), 180, 8, TShiftState{ssLeft});
    TRecordingCanvas rec;
    H->PaintHeader(&rec, TRect(0, 0, 300, 22));
    for (const TDrawOp& op : rec.Of("Draw")) EXPECT_NE(op.R.Width(), 16);
    UserRelease(H->Window(), 180, 8);
}

TEST_F(HeaderLookTest, WrappedCaptionBreaksIntoLinesCutToItsRectangle)
{
    H->SetHeight(40);
    TLazyTreeColumn* col = C->Items(1);
    col->SetText("Address of the device");
    col->SetOptions(col->Options() | coWrapCaption);
    TRecordingCanvas rec;
    H->PaintHeader(&rec, TRect(0, 0, 300, 40));
    std::vector<TDrawOp> texts;
    for (const TDrawOp& op : rec.Of("DrawText"))
        if (op.R.Left >= 80 && op.R.Left < 170 && op.R.Width() > 1) texts.push_back(op);   // not the measuring
    ASSERT_EQ(texts.size(), 1u);
    // Broken at blanks into lines that fit the room, no "..." anywhere.
    const String& drawn = texts[0].Text;
    EXPECT_EQ(drawn, col->CaptionText());
    EXPECT_NE(drawn.find('\n'), String::npos);
    EXPECT_EQ(drawn.find("..."), String::npos);
    String joined = drawn;
    std::replace(joined.begin(), joined.end(), '\n', ' ');
    EXPECT_EQ(joined, "Address of the device");
    // The caption takes the cell's width less the margins, and the height of its lines.
    const TRect& t = texts[0].R;
    EXPECT_EQ(t.Left, 82 + col->Margin());
    EXPECT_EQ(t.Right, 168 - col->Margin());
    TBitmap m;
    m.Canvas()->SetFont(H->Font());
    for (std::size_t start = 0; start < drawn.size();) {
        const std::size_t end = std::min(drawn.find('\n', start), drawn.size());
        EXPECT_LE(m.Canvas()->TextWidth(drawn.substr(start, end - start)), t.Width());
        start = end + 1;
    }
    EXPECT_EQ(t.Height(), m.Canvas()->TextHeight("A") * int(std::count(drawn.begin(), drawn.end(), '\n') + 1));
    // A new text clears the lines kept; a narrower column breaks them again.
    col->SetText("Address of the device here");
    EXPECT_TRUE(col->CaptionText().empty());
    col->SetWidth(60);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_wrapped_caption.png", png));
    EXPECT_GE(std::count(col->CaptionText().begin(), col->CaptionText().end(), '\n'), 2);
    // Ink only inside the cell.
    auto dark = [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 200; };
    EXPECT_GT(Count_Pixels(png, TRect(82, 2, 138, 38), dark), 20);
}

TEST_F(HeaderLookTest, WrapTextSplitsLongWordsAndTakesWordsFromTheEndRightToLeft)
{
    TBitmap b;
    TCanvas* cv = b.Canvas();
    cv->SetFont(H->Font());
    const int ab = cv->TextWidth("aa bb");
    struct TCase {
        const char* What;
        String Text;
        int Width;
        bool RightToLeft;
        String Expected;
    } cases[] = {
        {"fits", "aa bb", ab + 1, false, "aa bb"},
        {"two of three fit, left to right", "aa bb cc", ab + 1, false, "aa bb\ncc"},
        {"two of three fit, right to left: the last two first", "aa bb cc", ab + 1, true, "bb cc\naa"},
        {"blanks and controls at the ends go", "  aa bb \t", ab + 1, false, "aa bb"},
        {"nothing to wrap", " \t ", 50, false, ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(WrapText(cv, c.Text, TRect(0, 0, c.Width, 20), c.RightToLeft, DT_LEFT), c.Expected) << c.What;
    // A word wider than the room is split over as many lines as needed, each at least one
    // character and none wider than the room (a single character excepted).
    const String word = "Measurement";
    for (int width : {1, cv->TextWidth("Mea"), cv->TextWidth("Measure")}) {
        const String wrapped = WrapText(cv, word, TRect(0, 0, width, 20), false, DT_LEFT);
        String joined;
        for (std::size_t start = 0; start <= wrapped.size();) {
            const std::size_t end = std::min(wrapped.find('\n', start), wrapped.size());
            const String line = wrapped.substr(start, end - start);
            EXPECT_FALSE(line.empty()) << width;
            if (line.size() > 1) {
                EXPECT_LE(cv->TextWidth(line), width) << line;
            }
            joined += line;
            start = end + 1;
        }
        EXPECT_EQ(joined, word) << width;
    }
}

TEST_F(HeaderLookTest, OwnerPaintsTheAskedPartsAndTheHeaderTheRest)
{
    H->SetSortColumn(1);
    H->SetOptions(H->Options() | hoOwnerDraw | hoShowSortGlyphs);
    struct TCall {
        TColumnIndex Column;
        THeaderPaintElements Elements;
        TRect Rect;
    };
    std::vector<TCall> calls;
    THeaderPaintElements wanted;
    H->OnHeaderDrawQueryElements = [&](TLTHeader*, THeaderPaintInfo&, THeaderPaintElements& E) { E = wanted; };
    H->OnAdvancedHeaderDraw = [&](TLTHeader*, THeaderPaintInfo& P, const THeaderPaintElements& E) {
        calls.push_back({P.Column ? P.Column->Index() : NoColumnIndex, E, P.PaintRectangle});
    };
    // Everything asked for: the header draws nothing itself.
    wanted = THeaderPaintElements{hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText};
    TRecordingCanvas rec;
    H->PaintHeader(&rec, TRect(0, 0, 300, 22));
    for (const char* op : {"FillRect", "TextRect", "DrawText", "Polygon", "Draw"})
        EXPECT_TRUE(rec.Of(op).empty()) << op;
    ASSERT_EQ(calls.size(), 1u + 3u * 2u);
    EXPECT_EQ(calls[0].Column, NoColumnIndex);
    EXPECT_EQ(calls[0].Elements, THeaderPaintElements{hpeBackground});
    EXPECT_EQ(calls[0].Rect, TRect(0, 0, 300, 22));
    for (int i = 0; i < 3; ++i) {
        const TCall& frame = calls[std::size_t(1 + 2 * i)];
        const TCall& rest = calls[std::size_t(2 + 2 * i)];
        EXPECT_EQ(frame.Elements, THeaderPaintElements{hpeBackground});
        EXPECT_EQ(frame.Column, rest.Column);
        EXPECT_EQ(rest.Elements, (THeaderPaintElements{hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText}));
        // The frame gets the whole cell, the parts the cell inside its frame.
        EXPECT_EQ(rest.Rect.Left, frame.Rect.Left + 2);
        EXPECT_EQ(rest.Rect.Bottom, frame.Rect.Bottom - 2);
    }
    // Only the caption asked for: the header draws frames, background and sort glyph, the
    // owner the texts, each cell in one call.
    calls.clear();
    rec.Ops.clear();
    wanted = THeaderPaintElements{hpeText};
    H->PaintHeader(&rec, TRect(0, 0, 300, 22));
    EXPECT_TRUE(rec.Of("TextRect").empty());
    EXPECT_EQ(rec.Of("Polygon").size(), 1u);
    EXPECT_FALSE(rec.Of("FillRect").empty());
    ASSERT_EQ(calls.size(), 3u);
    for (const TCall& c : calls) EXPECT_EQ(c.Elements, THeaderPaintElements{hpeText});
    // Without hoOwnerDraw the events are not asked.
    calls.clear();
    H->SetOptions(H->Options() - TLTHeaderOptions(hoOwnerDraw));
    H->PaintHeader(&rec, TRect(0, 0, 300, 22));
    EXPECT_TRUE(calls.empty());
    H->OnHeaderDrawQueryElements = nullptr;
    H->OnAdvancedHeaderDraw = nullptr;
}

}  // namespace
