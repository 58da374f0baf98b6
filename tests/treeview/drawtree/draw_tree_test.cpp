// The draw tree (cells painted and measured by the application) and the tree's
// accessibility: the factory of providers, the answer to WM_GETOBJECT and the
// announcements of focus, expansion, check and main-column changes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/Forms.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"
#include "treeview/LazyDrawTree.h"
#include "treeview/access/LTAccessibilityFactory.h"

namespace {

class TProbeDrawTree : public TLazyDrawTree {
public:
    using TLazyDrawTree::TLazyDrawTree;
    using TCustomLazyDrawTree::OnGetCellContentMargin;
};

class DrawTreeTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TProbeDrawTree* Tree = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(320);
        Form->SetClientHeight(240);
        Tree = new TProbeDrawTree(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(0, 0, 300, 200);
        Tree->SetColor(clWhite);
    }
    void TearDown() override { delete Form; }
};

TEST_F(DrawTreeTest, WidthWithoutAHandlerIsBothTextMarginsAndCountsForHitsAndRange)
{
    PLazyNode a = Tree->AddChild(nullptr);
    EXPECT_EQ(Tree->GetNodeWidth(a, NoColumnIndex, nullptr), 2 * Tree->TextMargin());
    EXPECT_EQ(Tree->GetNodeWidth(a, NoColumnIndex, nullptr), 8);
    const TRect label = Tree->GetDisplayRect(a, NoColumnIndex, true);
    EXPECT_EQ(label.Width(), 8);
    THitInfo hit;
    Tree->GetHitTestInfoAt(label.Left + 4, label.Top + 2, true, hit);
    EXPECT_TRUE(hit.HitPositions.Contains(hiOnItemLabel));
    Tree->GetHitTestInfoAt(label.Right + 20, label.Top + 2, true, hit);
    EXPECT_TRUE(hit.HitPositions.Contains(hiOnItemRight));
    EXPECT_FALSE(hit.HitPositions.Contains(hiOnItemLabel));

    // The handler gets the tree's canvas for a nil one and decides the width.
    std::vector<TCanvas*> canvases;
    Tree->OnGetNodeWidth = [&](TBaseLazyTree*, TCanvas* C, PLazyNode, TColumnIndex, int& W) {
        canvases.push_back(C);
        W += 100;
    };
    EXPECT_EQ(Tree->GetNodeWidth(a, NoColumnIndex, nullptr), 108);
    TRecordingCanvas other;
    EXPECT_EQ(Tree->GetNodeWidth(a, NoColumnIndex, &other), 108);
    EXPECT_EQ(canvases, (std::vector<TCanvas*>{Tree->Canvas(), &other}));
    Tree->UpdateHorizontalRange();
    EXPECT_GE(Tree->RangeX(), 108);
}

TEST_F(DrawTreeTest, MarginsOptionsAndHintKind)
{
    PLazyNode a = Tree->AddChild(nullptr);
    EXPECT_EQ(Tree->GetCellContentMargin(nullptr, a, NoColumnIndex, ccmtAllSides), TPoint(0, 0));
    Tree->OnGetCellContentMargin = [&](TBaseLazyTree*, TCanvas* C, PLazyNode, TColumnIndex,
                                       TLTCellContentMarginType Type, TPoint& M) {
        EXPECT_EQ(C, Tree->Canvas());
        M = Type == ccmtTopLeftOnly ? TPoint(3, 1) : TPoint(6, 2);
    };
    EXPECT_EQ(Tree->GetCellContentMargin(nullptr, a, NoColumnIndex, ccmtTopLeftOnly), TPoint(3, 1));
    EXPECT_EQ(Tree->GetCellContentMargin(nullptr, a, NoColumnIndex, ccmtAllSides), TPoint(6, 2));
    EXPECT_EQ(Tree->DefaultHintKind(), vhkOwnerDraw);
    TLTHintKind kind = Tree->DefaultHintKind();
    Tree->OnGetHintKind = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TLTHintKind& K) { K = vhkText; };
    Tree->FireGetHintKind(a, NoColumnIndex, kind);
    EXPECT_EQ(kind, vhkText);
    // Options are copied in, not replaced.
    TLazyTreeOptions* own = Tree->TreeOptions();
    TLazyTreeOptions other(Tree);
    other.SetPaintOptions(other.PaintOptions() + toShowHorzGridLines);
    Tree->SetTreeOptions(&other);
    EXPECT_EQ(Tree->TreeOptions(), own);
    EXPECT_TRUE(own->PaintOptions().Contains(toShowHorzGridLines));
}

TEST_F(DrawTreeTest, TheApplicationPaintsTheCellContent)
{
    Tree->Header()->Columns()->Add()->SetWidth(150);
    Tree->Header()->Columns()->Add()->SetWidth(120);
    Tree->Header()->SetOptions(Tree->Header()->Options() + hoVisible);
    PLazyNode a = Tree->AddChild(nullptr);
    Tree->AddChild(a);
    Tree->AddChild(nullptr);
    Tree->FullExpand();
    Tree->SetFocusedNode(a);
    Tree->SetSelected(a, true);

    // Without a handler the rows, lines and buttons are painted but no content.
    TRecordingCanvas bare;
    Tree->PaintTree(&bare, TRect(0, 0, 300, 200), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
    EXPECT_TRUE(bare.Of("Ellipse").empty());
    EXPECT_TRUE(bare.Of("DrawText").empty());
    EXPECT_FALSE(bare.Of("FillRect").empty());

    std::vector<std::pair<PLazyNode, TColumnIndex>> cells;
    Tree->OnDrawNode = [&](TBaseLazyTree*, const TLTPaintInfo& P) {
        cells.push_back({P.Node, P.Column});
        const TRect r = P.ToCanvas(P.ContentRect);
        P.Canvas->Brush()->SetColor(P.Column == 0 ? clRed : clBlue);
        P.Canvas->Ellipse(r.Left + 2, r.Top + 2, r.Left + 14, r.Bottom - 2);
    };
    TRecordingCanvas rec;
    Tree->PaintTree(&rec, TRect(0, 0, 300, 200), TPoint(0, 0), TLTInternalPaintOptions{poUnbuffered});
    EXPECT_EQ(cells.size(), 6u);
    EXPECT_EQ(rec.Of("Ellipse").size(), 6u);

    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "draw_tree.png", png));
    auto red = [](TColor C) { return (C & 0xFF) > 0xC0 && ((C >> 8) & 0xFF) < 0x40 && ((C >> 16) & 0xFF) < 0x40; };
    auto blue = [](TColor C) { return (C & 0xFF) < 0x40 && ((C >> 8) & 0xFF) < 0x40 && ((C >> 16) & 0xFF) > 0xC0; };
    EXPECT_GT(Count_Pixels(png, TRect(0, 0, 150, 200), red), 60);
    EXPECT_GT(Count_Pixels(png, TRect(150, 0, 270, 200), blue), 60);
}

// ---- accessibility ----

class TFakeAccessible : public IAccessible {
public:
    explicit TFakeAccessible(int Id) : FId(Id) {}
    int FId;
};

// Hands out numbered objects, or nothing when told so.
class TFakeProvider : public ILTAccessibleProvider {
public:
    explicit TFakeProvider(int Id) : FId(Id) {}
    IAccessiblePtr CreateIAccessible(TBaseLazyTree*) override
    {
        ++Calls;
        return Answers ? std::make_shared<TFakeAccessible>(FId) : nullptr;
    }
    int FId;
    bool Answers = true;
    int Calls = 0;
};

int IdOf(const IAccessiblePtr& A) { return A ? static_cast<TFakeAccessible*>(A.get())->FId : 0; }

class AccessibilityTest : public DrawTreeTest {
protected:
    std::vector<ILTAccessibleProviderPtr> Registered;
    std::vector<unsigned> Events;
    TAccessibleEventSink OldSink;
    TLTAccessibilityFactory* Factory = TLTAccessibilityFactory::GetAccessibilityFactory();
    void SetUp() override
    {
        DrawTreeTest::SetUp();
        OldSink = SetAccessibleEventSink([this](unsigned E, TBaseLazyTree* W, LPARAM Obj, long Child) {
            EXPECT_EQ(W, Tree);
            EXPECT_EQ(Obj, OBJID_CLIENT);
            EXPECT_EQ(Child, CHILDID_SELF);
            Events.push_back(E);
        });
    }
    void TearDown() override
    {
        for (const auto& p : Registered) Factory->UnRegisterAccessibleProvider(p);
        SetAccessibleEventSink(OldSink);
        DrawTreeTest::TearDown();
    }
    std::shared_ptr<TFakeProvider> Provide(int Id)
    {
        auto p = std::make_shared<TFakeProvider>(Id);
        Factory->RegisterAccessibleProvider(p);
        Registered.push_back(p);
        return p;
    }
    LRESULT GetObject(LPARAM ObjectId) { return Tree->Perform(WM_GETOBJECT, 0, ObjectId); }
};

TEST_F(AccessibilityTest, WithoutProvidersTheTreeAnswersNothingAndAnnouncesNothing)
{
    ASSERT_EQ(Factory->ProviderCount(), 0u);
    EXPECT_EQ(GetObject(OBJID_CLIENT), 0);
    EXPECT_EQ(Tree->Accessible(), nullptr);
    EXPECT_EQ(Tree->AccessibleItem(), nullptr);
    PLazyNode a = Tree->AddChild(nullptr);
    Tree->AddChild(a);
    Tree->SetCheckType(a, ctCheckBox);
    Tree->SetExpanded(a, true);
    Tree->SetCheckState(a, csCheckedNormal);
    Tree->SetFocusedNode(a);
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Factory->CreateIAccessible(nullptr), nullptr);
}

TEST_F(AccessibilityTest, WindowObjectFromTheFirstProviderItemObjectFromTheLastThatAnswers)
{
    auto first = Provide(1), second = Provide(2);
    Factory->RegisterAccessibleProvider(first);
    EXPECT_EQ(Factory->ProviderCount(), 2u);
    Factory->UnRegisterAccessibleProvider(std::make_shared<TFakeProvider>(9));
    EXPECT_EQ(Factory->ProviderCount(), 2u);

    const LRESULT answer = GetObject(OBJID_CLIENT);
    EXPECT_EQ(IdOf(Tree->Accessible()), 1);
    EXPECT_EQ(IdOf(Tree->AccessibleItem()), 2);
    EXPECT_EQ(answer, LRESULT(Tree->Accessible().get()));
    // Once made, the objects stay.
    const IAccessiblePtr window = Tree->Accessible();
    GetObject(OBJID_CLIENT);
    EXPECT_EQ(Tree->Accessible(), window);
    EXPECT_EQ(first->Calls + second->Calls, 2);
    // A second tree whose last provider answers nothing gets its item object from the first.
    second->Answers = false;
    TProbeDrawTree other(Form);
    other.Perform(WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_EQ(IdOf(other.Accessible()), 1);
    EXPECT_EQ(IdOf(other.AccessibleItem()), 1);
}

TEST_F(AccessibilityTest, OtherObjectIdsMakeTheObjectsButLeaveTheAnswer)
{
    Provide(1);
    EXPECT_EQ(GetObject(-1), 0);
    EXPECT_EQ(IdOf(Tree->Accessible()), 1);
    EXPECT_EQ(IdOf(Tree->AccessibleItem()), 1);
}

TEST_F(AccessibilityTest, ChangesAreAnnouncedOnlyWithAnItemObject)
{
    PLazyNode a = Tree->AddChild(nullptr);
    Tree->AddChild(a);
    Tree->SetCheckType(a, ctCheckBox);
    Tree->Header()->Columns()->Add();
    Tree->Header()->Columns()->Add();
    Tree->SetExpanded(a, true);
    EXPECT_TRUE(Events.empty());

    Provide(1);
    GetObject(OBJID_CLIENT);
    struct Case {
        const char* What;
        std::function<void()> Act;
        std::vector<unsigned> Expected;
    } cases[] = {
        {"collapse", [&] { Tree->SetExpanded(a, false); }, {EVENT_OBJECT_STATECHANGE}},
        {"expand", [&] { Tree->SetExpanded(a, true); }, {EVENT_OBJECT_STATECHANGE}},
        {"check", [&] { Tree->SetCheckState(a, csCheckedNormal); }, {EVENT_OBJECT_STATECHANGE}},
        {"focus",
         [&] { Tree->SetFocusedNode(a); },
         {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_STATECHANGE,
          EVENT_OBJECT_SELECTION, EVENT_OBJECT_FOCUS}},
        {"main column", [&] { Tree->Header()->SetMainColumn(1); }, {EVENT_OBJECT_NAMECHANGE}},
    };
    for (const Case& c : cases) {
        Events.clear();
        c.Act();
        EXPECT_EQ(Events, c.Expected) << c.What;
    }
}

// A change of the main column ends an edit that is running, since the editor stands over
// the old main column's text.
using MainColumnChangeTest = TreeTest;
TEST_F(MainColumnChangeTest, EndsARunningEdit)
{
    Tree->Header()->Columns()->Add()->SetWidth(100);
    Tree->Header()->Columns()->Add()->SetWidth(100);
    Form->Show();
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toEditable);
    Shape({0, 0});
    std::vector<std::string> log;
    Tree->OnEditCancelled = [&](TBaseLazyTree*, TColumnIndex C) { log.push_back("cancelled " + std::to_string(C)); };
    Tree->SetFocus();
    Tree->SetFocusedNode(At("1"));
    ASSERT_TRUE(Tree->EditNode(At("1"), 0));
    ASSERT_TRUE(Tree->IsEditing());
    Tree->Header()->SetMainColumn(1);
    EXPECT_FALSE(Tree->IsEditing());
    EXPECT_EQ(log, std::vector<std::string>{"cancelled 0"});
    Tree->OnEditCancelled = nullptr;
}

}  // namespace
