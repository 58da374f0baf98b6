// Printing the tree to PDF: exactly as many pages as the picture needs, the header only
// when it is asked for and shown, and what the printed page shows.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "platform/gui/Printers.h"
#include "tests/common/PdfPages.h"
#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class PrintTest : public TreeTest {
protected:
    int Print(int PageWidth, int PageHeight, bool PrintHeader, const String& Name)
    {
        TPrinter printer;
        printer.SetFileName(TEST_OUTPUT(Name));
        printer.SetPageSize(PageWidth, PageHeight);
        Tree->Print(&printer, PrintHeader);
        EXPECT_FALSE(printer.Printing());
        return PdfPageCount(TEST_OUTPUT(Name));
    }
};

TEST_F(PrintTest, PageCountIsExactAroundMultiplesOfThePage)
{
    Tree->SetRootNodeCount(30);   // 30 rows of 18 pixels: taller than the window
    // The vertical bar takes its room: the rows keep an even width, so halves are exact.
    Tree->SetWidth(300 + TStyledScrollBar::Size);
    Form->Show();
    const TRect r = Tree->GetTreeRect();
    const int w = r.Width(), h = r.Height();
    ASSERT_EQ(h, 30 * 18);
    struct Case {
        const char* what;
        int pageW, pageH, pages;
    } cases[] = {
        {"one page exactly", w, h, 1},
        {"a page larger than the tree", w + 1, h + 1, 1},
        {"exactly two pages high", w, h / 2, 2},
        {"one pixel short of two pages high", w, h / 2 + 1, 2},
        {"one pixel over two pages high", w, h / 2 - 1, 3},
        {"exactly two pages wide", w / 2, h, 2},
        {"two by three", w / 2, h / 3, 6},
        {"one pixel narrower than the tree", w - 1, h, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Print(c.pageW, c.pageH, false, "print_pages.pdf"), c.pages) << c.what;
}

TEST_F(PrintTest, HeaderIsPrintedOnlyWhenAskedAndShown)
{
    Tree->SetRootNodeCount(30);
    TLazyTreeColumn* c = Tree->Header()->Columns()->Add();
    c->SetText("Name");
    c->SetWidth(300);
    Form->Show();
    const TRect r = Tree->GetTreeRect();
    const int header = Tree->Header()->Height();
    // The page fits the rows alone: a header on top needs a second row of pages.
    struct Case {
        const char* what;
        bool visible, printHeader;
        int pages;
    } cases[] = {
        {"hidden header, asked for: no header and no gap", false, true, 1},
        {"shown header, not asked for", true, false, 1},
        {"shown header, asked for", true, true, 2},
    };
    for (const Case& k : cases) {
        TLTHeader* h = Tree->Header();
        h->SetOptions(k.visible ? h->Options() | hoVisible : h->Options() - hoVisible);
        const TRect rr = Tree->GetTreeRect();
        EXPECT_EQ(Print(rr.Width(), rr.Height(), k.printHeader, "print_header.pdf"), k.pages) << k.what;
        EXPECT_EQ(Print(rr.Width(), rr.Height() + header, k.printHeader, "print_header.pdf"), 1) << k.what;
    }
    (void)r;
}

TEST_F(PrintTest, NoPrinterPrintsNothingAndLeavesTheTreeAsItWas)
{
    Tree->SetRootNodeCount(3);
    const TColor color = Tree->Color();
    Tree->Print(nullptr, true);
    EXPECT_EQ(Tree->Color(), color);
    EXPECT_EQ(Tree->Font()->Quality(), fqDefault);
    TPrinter printer;
    printer.SetFileName(TEST_OUTPUT("print_font.pdf"));
    Tree->Print(&printer, false);
    EXPECT_EQ(Tree->Color(), color);
    EXPECT_EQ(Tree->Font()->Quality(), fqDefault);
    EXPECT_EQ(PdfPageCount(TEST_OUTPUT("print_font.pdf")), 1);
}

} // namespace
