// The item selector: layout of the items in columns, selection and hot item by code,
// mouse and lookup, scrolling the selection into view, and the hot item's looks.
#include <gtest/gtest.h>

#include <vector>

#include "gridext/dropdown/ItemSelector.h"
#include "platform/gui/Forms.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class ItemSelectorTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtCustomItemSelector* Sel = nullptr;
    int Selects = 0;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 320, 240);
        Sel = Make_Control<TExtCustomItemSelector>(Form, Form, "Sel", 10, 10, 200, 200);
        Sel->OnItemSelect = [this](TObject* Sender) {
            EXPECT_EQ(Sender, Sel);
            ++Selects;
        };
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete Form; }
    // n items "Item 0" ... with a fixed size.
    void Fill(int n, int w = 30, int h = 20)
    {
        Sel->OnItemSize = [w, h](TObject*, TPoint& s) { s = TPoint(w, h); };
        for (int i = 0; i < n; ++i) Sel->Items()->Add()->SetCaption("Item " + IntToStr(i));
        Sel->UpdateSelectorPanel();
    }
};

TEST_F(ItemSelectorTest, AnEmptySelectorDoesNothing)
{
    int w = 0, h = 0;
    Sel->GetSelectorPanelSize(w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    EXPECT_EQ(Sel->ItemIndex(), -1);
    Sel->SelectNext();
    Sel->HotNext();
    EXPECT_FALSE(Sel->LookupItem("A"));
    EXPECT_EQ(Sel->ItemIndex(), -1);
    EXPECT_EQ(Sel->ItemHot(), -1);
    EXPECT_EQ(Sel->GetVisibleItemCount(), 0);
    EXPECT_EQ(Selects, 0);
    EXPECT_THROW(TCustomItemSelector panel{Form}, Exception);
}

TEST_F(ItemSelectorTest, ItemsLieInRowsOfTheColumnCount)
{
    Sel->SetColumns(2);
    Fill(5);
    const TRect expected[] = {TRect(2, 2, 32, 22), TRect(32, 2, 62, 22), TRect(2, 22, 32, 42), TRect(32, 22, 62, 42),
                              TRect(2, 42, 32, 62)};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Sel->Panel()->GetItemRect(i), expected[i]) << i;
    EXPECT_EQ(Sel->Panel()->GetItemRect(5), TRect(-1, -1, -1, -1));
    int w = 0, h = 0;
    Sel->GetSelectorPanelSize(w, h);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 64);
    Sel->SetColumns(0);
    EXPECT_EQ(Sel->Columns(), 2);
    EXPECT_EQ(Sel->Panel()->ItemAtPos(32, 22), 3);
    EXPECT_EQ(Sel->Panel()->ItemAtPos(62, 22), -1);
    EXPECT_EQ(Sel->GetVisibleItemCount(), 200 / 20 * 2);
}

TEST_F(ItemSelectorTest, SelectionMovesWithinTheItems)
{
    Fill(3);
    struct Step {
        const char* name;
        std::function<void()> act;
        int index, selects;
    };
    const Step steps[] = {
        {"next from nothing", [this] { Sel->SelectNext(); }, 0, 1},
        {"previous on the first", [this] { Sel->SelectPrevious(); }, 0, 1},
        {"last", [this] { Sel->SelectLast(); }, 2, 2},
        {"next on the last", [this] { Sel->SelectNext(); }, 2, 2},
        {"the selected one again", [this] { Sel->SetItemIndex(2); }, 2, 3},
        {"cleared", [this] { Sel->SetItemIndex(-1); }, -1, 3},
        {"previous from nothing", [this] { Sel->SelectPrevious(); }, 0, 4},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(Sel->ItemIndex(), s.index);
        EXPECT_EQ(Selects, s.selects);
    }
    // A disabled item is neither selected nor hot.
    Sel->Items()->Items(1)->FEnabled = false;
    Sel->SetItemIndex(1);
    EXPECT_EQ(Sel->ItemIndex(), 0);
    Sel->Panel()->SetHotItem(1);
    EXPECT_EQ(Sel->ItemHot(), -1);
}

TEST_F(ItemSelectorTest, LookupComparesTheCaptionsPlainUpperCaseText)
{
    Sel->Items()->Add()->SetCaption("<b>Green</b> value");
    Sel->Items()->Add()->SetCaption("  <b>Red</b> value");
    Sel->UpdateSelectorPanel();
    EXPECT_FALSE(Sel->LookupItem("red"));
    EXPECT_EQ(Sel->ItemIndex(), -1);
    EXPECT_TRUE(Sel->LookupItem("RED"));
    EXPECT_EQ(Sel->ItemIndex(), 1);
    EXPECT_TRUE(Sel->LookupItem("GREEN V"));
    EXPECT_EQ(Sel->ItemIndex(), 0);
}

TEST_F(ItemSelectorTest, TheMouseMakesItemsHotAndSelectsThem)
{
    Fill(4);
    Sel->Items()->Items(2)->SetHint("third");
    TCustomItemSelector* p = Sel->Panel();
    UserMouseMove(p, 10, 50);
    EXPECT_EQ(Sel->ItemHot(), 2);
    EXPECT_EQ(p->Hint(), "third");
    UserMouseMove(p, 150, 150);
    EXPECT_EQ(Sel->ItemHot(), -1);
    UserClick(p, 10, 30);
    EXPECT_EQ(Sel->ItemIndex(), 1);
    EXPECT_EQ(Selects, 1);
    p->Perform(CM_MOUSEENTER);
    UserMouseMove(p, 10, 10);
    EXPECT_EQ(Sel->ItemHot(), 0);
    UserMouseLeave(p);
    EXPECT_EQ(Sel->ItemHot(), -1);
}

TEST_F(ItemSelectorTest, TheSelectionIsScrolledIntoView)
{
    Sel->SetBounds(10, 10, 200, 50);
    Fill(10);
    ASSERT_TRUE(Sel->VertScrollBar()->Visible());
    Sel->SelectLast();
    const TRect r = Sel->Panel()->GetItemRect(9);
    EXPECT_EQ(r.Bottom + Sel->Panel()->Top(), 50);
    Sel->SelectFirst();
    EXPECT_EQ(Sel->Panel()->GetItemRect(0).Top + Sel->Panel()->Top(), 0);
    // Walking the hot item down scrolls too, a row at a time.
    for (int i = 0; i < 4; ++i) Sel->HotNext();
    EXPECT_EQ(Sel->ItemHot(), 3);
    EXPECT_EQ(Sel->Panel()->GetItemRect(3).Bottom + Sel->Panel()->Top(), 50);
}

TEST_F(ItemSelectorTest, PicturesOfHotAndSelectedItems)
{
    Sel->SetSelectorType(stColor);
    for (TColor c : {clRed, clLime, clBlue}) {
        TSelectorItem* it = Sel->Items()->Add();
        it->SetColor(c);
        it->SetCaption("Colour");
    }
    Sel->UpdateSelectorPanel();
    Sel->SetItemIndex(0);
    Sel->Panel()->SetHotItem(1);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Sel->Panel(), "itemselector_face.png", png));
    const TRect r0 = Sel->Panel()->GetItemRect(0), r1 = Sel->Panel()->GetItemRect(1);
    // Colour boxes with a black outline.
    EXPECT_GT(Count_Pixels(png, r0, clRed), 100);
    EXPECT_GT(Count_Pixels(png, r1, clLime), 100);
    // The selected item's face: the button face's border along its top edge.
    EXPECT_EQ(png.Canvas()->Pixels(r0.Left + r0.Width() / 2, r0.Top), TColor(0x8DD7D3));
    // With a hot border colour the hot item is a plain gradient framed in that colour.
    Sel->ItemAppearance()->SetBorderColorHot(clPurple);
    ASSERT_TRUE(SNAPSHOT(Sel->Panel(), "itemselector_hot_border.png", png));
    EXPECT_EQ(png.Canvas()->Pixels(r1.Left, r1.Top + r1.Height() / 2), clPurple);
    EXPECT_EQ(png.Canvas()->Pixels(r1.Right - 1, r1.Top + 2), clPurple);
    // Inside, the hot colours' gradient.
    const TColor inside = png.Canvas()->Pixels(r1.Left + 2, r1.Top + 1);
    EXPECT_GE((inside >> 16) & 0xFF, 0x58u);
    EXPECT_LE((inside >> 16) & 0xFF, 0xD7u);
    EXPECT_EQ(inside & 0xFF, 0xFDu);
}

TEST(ItemAppearance, StylesLoadTheirPresetsAndAssignTakesTheSourcesStyle)
{
    TItemAppearance a;
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorSelectedTo(), TColor(0x04B9F4));
    a.ApplyColorStyle(scWindows7);
    EXPECT_EQ(a.ColorHot(), TColor(0xFCEBDC));
    EXPECT_EQ(a.ColorMirrorHot(), clNone);
    a.SetColorHot(0x112233);
    a.ApplyColorStyle(scCustom);
    EXPECT_EQ(a.ColorHot(), TColor(0x112233));
    TItemAppearance b;
    b.SetBorderColorHot(clRed);
    b.Assign(a);
    // The copied colours stand when the source is custom; the hot border is the source's.
    EXPECT_EQ(b.ColorHot(), TColor(0x112233));
    EXPECT_EQ(b.ColorStyle(), scCustom);
    EXPECT_EQ(b.BorderColorHot(), clNone);
    // Item looks of the suite applied to an appearance.
    TExtCustomDropDown::ApplyStyleToItemAppearance(&b, tsWindowsVista);
    EXPECT_EQ(b.ColorSelected(), TColor(0xFEF9F0));
    EXPECT_EQ(b.EdgeColor(), TColor(0xFCEDCB));
    b.SetColorHot(0x445566);
    TExtCustomDropDown::ApplyStyleToItemAppearance(&b, tsCustom);
    EXPECT_EQ(b.ColorHot(), TColor(0x445566));
}

}
