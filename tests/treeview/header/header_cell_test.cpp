// What a header cell holds besides its caption: an image or a check box placed by the
// column's layout, the sort glyph, clicks on the check box, and cells the owner draws.
#include <gtest/gtest.h>

#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class HeaderCellTest : public HeaderTreeTest {
protected:
    void SetUp() override
    {
        HeaderTreeTest::SetUp();
        ShowThreeColumns(110, TLTHeaderOptions{hoShowImages, hoShowSortGlyphs});
        H->SetHeight(22);
        Form->Show();
    }
};

TEST_F(HeaderCellTest, LayoutPlacesImageCaptionAndSortGlyph)
{
    TBitmap bmp;
    bmp.SetWidth(10);
    bmp.SetHeight(10);
    TCanvas* cv = bmp.Canvas();
    cv->SetFont(H->Font());
    TLazyTreeColumn* col = C->Items(1);   // not the main column: its image sits 2 pixels left
    const int tw = cv->TextWidth(col->Text()) + 2, th = cv->TextHeight(col->Text());
    const TRect client(2, 2, 198, 20);   // W 196, H 18
    const int M = col->Margin(), S = col->Spacing();
    const TPoint g(16, 16), s(8, 8), none(0, 0);
    struct Case {
        const char* what;
        TAlignment align;
        TButtonLayout layout;
        TBiDiMode bidi;
        TPoint glyph, sort;
        int glyphX, glyphY, textX, textY, sortX;   // relative to the client's top-left
    } cases[] = {
        {"left, image left", taLeftJustify, blGlyphLeft, bdLeftToRight, g, s, M - 2, 1, M + 16 + S, (18 - th) / 2,
         M + 16 + S + tw + S},
        {"left, image right", taLeftJustify, blGlyphRight, bdLeftToRight, g, s, M + tw + S - 2, 1, M, (18 - th) / 2,
         M + tw + S + 16 + S},
        {"right, image left: the sort glyph keeps the right edge", taRightJustify, blGlyphLeft, bdLeftToRight, g, s,
         196 - M - 8 - S - tw - S - 16 - 2, 1, 196 - M - 8 - S - tw, (18 - th) / 2, 196 - M - 8},
        {"right to left: left becomes right, the sort glyph goes first", taLeftJustify, blGlyphLeft, bdRightToLeft, g,
         s, 196 - M - tw - S - 16 - 2, 1, 196 - M - tw, (18 - th) / 2, 196 - M - tw - S - 16 - S - 8},
        {"image above the caption", taLeftJustify, blGlyphTop, bdLeftToRight, g, none, (196 - 16) / 2 - 2,
         (18 - 16 - th - S) / 2, M, (18 - 16 - th - S) / 2 + 16 + S, 0},
        {"centred without image", taCenter, blGlyphLeft, bdLeftToRight, none, s, 0, 0, (196 - (S + tw)) / 2,
         (18 - th) / 2, (196 - (S + tw)) / 2 + tw + S},
    };
    for (const Case& c : cases) {
        col->SetCaptionAlignment(c.align);
        col->SetOptions(col->Options() | coUseCaptionAlignment);
        col->SetLayout(c.layout);
        col->SetBiDiMode(c.bidi);
        const TLTHeaderCellLayout l = H->LayoutHeaderCell(cv, col, client, c.glyph, c.sort);
        if (c.glyph.X) {
            EXPECT_EQ(l.GlyphPos.X, 2 + c.glyphX) << c.what;
            EXPECT_EQ(l.GlyphPos.Y, 2 + c.glyphY) << c.what;
        }
        EXPECT_EQ(l.TextRectangle.Left, 2 + c.textX) << c.what;
        EXPECT_EQ(l.TextRectangle.Top, 2 + c.textY) << c.what;
        if (c.sort.X) {
            EXPECT_EQ(l.SortGlyphPos.X, 2 + c.sortX) << c.what;
            EXPECT_EQ(l.SortGlyphPos.Y, 2 + 5) << c.what;
        }
    }
    // A sort glyph alone sits in the middle both ways.
    col->SetText("");
    const TLTHeaderCellLayout alone = H->LayoutHeaderCell(cv, col, client, none, s);
    EXPECT_EQ(alone.SortGlyphPos, TPoint(2 + (196 - 8) / 2, 2 + 5));
    // In a header lower than the font the caption's top stays within 5 pixels of the cell.
    col->SetText("Address");
    const TLTHeaderCellLayout low = H->LayoutHeaderCell(cv, col, TRect(2, 2, 198, 2), g, none);
    EXPECT_GE(low.TextRectangle.Top, 2 - 5);
}

TEST_F(HeaderCellTest, ClickOnTheCheckBoxTogglesItAndDoesNotSort)
{
    H->SetOptions(H->Options() | hoHeaderClickAutoSort);
    TLazyTreeColumn* col = C->Items(1);
    col->SetCheckBox(true);
    Application->ProcessMessages();
    TBitmap before;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_check_unchecked.png", before));
    ASSERT_TRUE(col->HasImage());
    const TRect box = col->ImageRect();
    EXPECT_GT(box.Left, 80);   // inside the second cell
    EXPECT_LT(box.Right, 190);
    const TPoint mid((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);

    UserClick(H->Window(), mid.X, mid.Y);
    EXPECT_EQ(col->CheckState(), csCheckedNormal);
    EXPECT_EQ(H->SortColumn(), NoColumnIndex) << "a click on the box must not sort";
    EXPECT_EQ(Clicks, std::vector<TColumnIndex>{1});
    EXPECT_EQ(Hits.back().HitPosition, (TLTHeaderHitPositions{hhiOnColumn, hhiOnCheckbox}));
    EXPECT_EQ(Hits.back().X, mid.X);
    Application->ProcessMessages();
    TBitmap after;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_check_checked.png", after));
    int changed = 0;
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x)
            if (before.Canvas()->Pixels(x, y) != after.Canvas()->Pixels(x, y)) ++changed;
    EXPECT_GT(changed, 5) << "the check mark shows";

    // The caption beside the box sorts and leaves the box alone.
    UserClick(H->Window(), box.Right + 20, mid.Y);
    EXPECT_EQ(col->CheckState(), csCheckedNormal);
    EXPECT_EQ(H->SortColumn(), 1);
    EXPECT_EQ(Hits.back().HitPosition, TLTHeaderHitPositions{hhiOnColumn});
    // Pressed on the box and released on the caption: neither toggles.
    UserPress(H->Window(), mid.X, mid.Y);
    UserRelease(H->Window(), box.Right + 20, mid.Y);
    EXPECT_EQ(col->CheckState(), csCheckedNormal);
    UserClick(H->Window(), mid.X, mid.Y);
    EXPECT_EQ(col->CheckState(), csUncheckedNormal);
}

TEST_F(HeaderCellTest, ClickOnACaptionImageIsReportedAndStillSorts)
{
    TImageList images(nullptr);
    TBitmap pic;
    pic.SetWidth(16);
    pic.SetHeight(16);
    images.Add(&pic, nullptr);
    H->SetImages(&images);
    H->SetOptions(H->Options() | hoHeaderClickAutoSort);
    TLazyTreeColumn* col = C->Items(2);
    col->SetImageIndex(0);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_caption_image.png", png));
    ASSERT_TRUE(col->HasImage());
    const TRect r = col->ImageRect();
    UserClick(H->Window(), r.Left + 3, r.Top + 3);
    ASSERT_EQ(Hits.size(), 1u);
    EXPECT_EQ(Hits[0].Column, 2);
    EXPECT_EQ(Hits[0].HitPosition, (TLTHeaderHitPositions{hhiOnColumn, hhiOnIcon}));
    EXPECT_EQ(H->SortColumn(), 2) << "an image is part of the caption";
    H->SetImages(nullptr);
}

TEST_F(HeaderCellTest, CaptionsAreShortenedAndDisabledOnesEmbossed)
{
    struct TCase {
        const char* What;
        int Width;
        bool Enabled;
        const char* Text;  // what is drawn
    };
    const TCase cases[] = {
        {"fits", 110, true, "Address"},
        {"too narrow: shortened", 34, true, nullptr},
        {"disabled", 110, false, "Address"},
    };
    TLazyTreeColumn* col = C->Items(1);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        col->SetWidth(c.Width);
        col->SetOptions(c.Enabled ? col->Options() + TLTColumnOptions(coEnabled)
                                  : col->Options() - TLTColumnOptions(coEnabled));
        TRecordingCanvas rec;
        H->PaintHeader(&rec, TRect(0, 0, 300, 22));
        std::vector<TDrawOp> texts;
        for (const TDrawOp& op : rec.Of("TextRect"))
            if (op.R.Left >= 80 && op.R.Left < 80 + c.Width) texts.push_back(op);
        ASSERT_EQ(texts.size(), c.Enabled ? 1u : 2u);
        if (c.Text) {
            EXPECT_EQ(texts[0].Text, c.Text);
        } else {
            const String& t = texts[0].Text;
            ASSERT_GT(t.size(), 3u);
            EXPECT_EQ(t.substr(t.size() - 3), "...");
            EXPECT_EQ(t.substr(0, t.size() - 3), String("Address").substr(0, t.size() - 3));
            EXPECT_LE(rec.TextWidth(t) + 2, texts[0].R.Width());
        }
        if (!c.Enabled) {
            // The highlight one pixel down-right, the shadow over it.
            EXPECT_EQ(texts[0].Font, clBtnHighlight);
            EXPECT_EQ(texts[1].Font, clBtnShadow);
            EXPECT_EQ(texts[0].R.Left, texts[1].R.Left + 1);
            EXPECT_EQ(texts[0].R.Top, texts[1].R.Top + 1);
        }
    }
}

TEST_F(HeaderCellTest, ImageGivesWayToTheSortGlyphInANarrowCell)
{
    TImageList images(nullptr);
    TBitmap pic;
    pic.SetWidth(16);
    pic.SetHeight(16);
    pic.Canvas()->Brush()->SetColor(clRed);
    pic.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&pic, nullptr);
    H->SetImages(&images);
    TLazyTreeColumn* col = C->Items(2);
    col->SetImageIndex(0);
    col->SetLayout(blGlyphRight);
    H->SetSortColumn(2);
    TRecordingCanvas rec;
    H->PaintHeader(&rec, TRect(0, 0, 260, 22));
    EXPECT_TRUE(col->HasImage()) << "wide enough for both";
    col->SetWidth(30);
    H->PaintHeader(&rec, TRect(0, 0, 260, 22));
    EXPECT_FALSE(col->HasImage());
    H->SetImages(nullptr);
}

TEST_F(HeaderCellTest, OwnerDrawnCellIsLeftToTheEvent)
{
    struct Call {
        TColumnIndex column;
        TRect r;
        bool pressed;
    };
    std::vector<Call> calls;
    H->OnHeaderDraw = [&](TLTHeader*, TCanvas* cv, TLazyTreeColumn* c, const TRect& R, bool, bool Pressed,
                          TLTDropMarkMode) {
        calls.push_back({c->Index(), R, Pressed});
        cv->Brush()->SetColor(clRed);
        cv->FillRect(R);
    };
    C->Items(1)->SetStyle(vsOwnerDraw);
    TRecordingCanvas rec;
    H->PaintHeader(&rec, TRect(0, 0, 260, 22));
    EXPECT_TRUE(calls.empty()) << "without hoOwnerDraw the header paints every cell";
    H->SetOptions(H->Options() | hoOwnerDraw);
    rec.Ops.clear();
    H->PaintHeader(&rec, TRect(0, 0, 260, 22));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].column, 1);
    EXPECT_EQ(calls[0].r, TRect(80, 0, 190, 22));
    for (const TDrawOp& op : rec.Of("TextRect")) EXPECT_NE(op.Text, "Address");
    // A press shows in the event's flags, and the picture is the owner's.
    calls.clear();
    UserPress(H->Window(), 120, 10);
    Application->ProcessMessages();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(H->Window(), "header_owner_drawn.png", png));
    UserRelease(H->Window(), 120, 10);
    ASSERT_FALSE(calls.empty());
    EXPECT_TRUE(calls.back().pressed);
    EXPECT_EQ(png.Canvas()->Pixels(130, 10), ColorToRGB(clRed));
    EXPECT_NE(png.Canvas()->Pixels(40, 10), ColorToRGB(clRed));
}

}  // namespace
