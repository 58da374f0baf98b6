// The print preview window as a user turns its pages: buttons and Page Up / Page Down,
// the page label, and a picture of the shown page.
#include <gtest/gtest.h>

#include <memory>

#include "gridext/print/GridPrintPreview.h"
#include "platform/gui/Messages.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class PrintPreviewTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(4, 60);  // two A4 pages of rows
        TPrintSettings* ps = Grid->PrintSettings();
        ps->Title = ppTopCenter;
        ps->TitleText = "Meter list";
        ps->PageNr = ppBottomRight;
        ps->UseFixedHeight = true;
        ps->FixedHeight = 400;
        Print = std::make_unique<TGridPrint>(*Grid);
        Window = new TFGridPrintPreview(nullptr, *Print);
        Window->Show();
    }
    void TearDown() override
    {
        delete Window;
        ExtGridTest::TearDown();
    }

    // Dark pixels of the picture inside the sheet's part of the window.
    int SheetInk(TBitmap& Png, const TRect& Part)
    {
        const TRect s(Window->Sheet->Left(), Window->Sheet->Top(), Window->Sheet->Left() + Window->Sheet->Width(),
                      Window->Sheet->Top() + Window->Sheet->Height());
        auto at = [&](int x, int y) { return TPoint(s.Left + x * s.Width() / 100, s.Top + y * s.Height() / 100); };
        return Count_Pixels(Png, TRect(at(Part.Left, Part.Top), at(Part.Right, Part.Bottom)),
                            [](TColor c) { return (c & 0xFF) < 100 && ((c >> 8) & 0xFF) < 100; });
    }

    std::unique_ptr<TGridPrint> Print;
    TFGridPrintPreview* Window = nullptr;
};

TEST_F(PrintPreviewTest, ButtonsAndPageKeysTurnThePages)
{
    ASSERT_GE(Window->PageCount(), 2);
    const int last = Window->PageCount();
    EXPECT_EQ(Window->L_Page->Caption(), "Page 1 of " + IntToStr(last));
    EXPECT_FALSE(Window->Btn_Prev->Enabled());
    UserClick(Window->Btn_Next);
    EXPECT_EQ(Window->Page(), 2);
    EXPECT_EQ(Grid->PreviewPage, 2);
    EXPECT_TRUE(Window->Btn_Prev->Enabled());
    UserKey(Window, VK_PRIOR);
    EXPECT_EQ(Window->Page(), 1);
    // Past the ends the page stays.
    UserKey(Window, VK_PRIOR);
    EXPECT_EQ(Window->Page(), 1);
    for (int i = 0; i < last + 2; ++i) UserKey(Window, VK_NEXT);
    EXPECT_EQ(Window->Page(), last);
    EXPECT_FALSE(Window->Btn_Next->Enabled());
    EXPECT_EQ(Window->L_Page->Caption(), "Page " + IntToStr(last) + " of " + IntToStr(last));
}

TEST_F(PrintPreviewTest, TheSheetShowsTitleCellsAndPageNumberOfTheShownPage)
{
    UserClick(Window->Btn_Next);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Window, "grid_print_preview.png", png));
    // The sheet is white paper with the title centred at the top, the cells below it and
    // the page number at the bottom right (parts in percent of the sheet).
    const TRect sheet(Window->Sheet->Left(), Window->Sheet->Top(), Window->Sheet->Left() + Window->Sheet->Width(),
                      Window->Sheet->Top() + Window->Sheet->Height());
    EXPECT_GT(Count_Pixels(png, sheet, clWhite), sheet.Width() * sheet.Height() / 2);
    EXPECT_GT(SheetInk(png, TRect(35, 0, 65, 3)), 0);   // title
    EXPECT_EQ(SheetInk(png, TRect(0, 0, 30, 3)), 0);
    EXPECT_GT(SheetInk(png, TRect(20, 5, 80, 90)), 0);  // cells
    EXPECT_GT(SheetInk(png, TRect(80, 98, 100, 100)), 0);  // page number
    EXPECT_EQ(SheetInk(png, TRect(0, 98, 50, 100)), 0);
    // Landscape paper turns the sheet.
    Grid->PrintSettings()->Orientation = poLandscape;
    Window->SetPage(1);
    EXPECT_GT(Window->Sheet->Width(), Window->Sheet->Height());
}

}  // namespace
