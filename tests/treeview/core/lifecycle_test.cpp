// The component side: published defaults, completing a load, copying another tree's
// settings, and the option sets with their side effects.
#include <functional>

#include "tests/treeview/tree_fixture.h"

namespace {

using LifecycleTest = TreeTest;

TEST_F(LifecycleTest, PublishedDefaults)
{
    TLazyStringTree* t = Tree;
    struct TCase {
        const char* Name;
        long long Actual, Expected;
    };
    const TCase cases[] = {
        {"NodeDataSize", t->NodeDataSize(), -1},
        {"RootNodeCount", t->RootNodeCount(), 0},
        {"DefaultNodeHeight", t->DefaultNodeHeight(), 18},
        {"NodeAlignment", t->NodeAlignment(), naProportional},
        {"ChangeDelay", t->ChangeDelay(), 0},
        {"Indent", t->Indent(), 18},
        {"Margin", t->Margin(), 4},
        {"TextMargin", t->TextMargin(), 4},
        {"Alignment", t->Alignment(), taLeftJustify},
        {"ButtonStyle", t->ButtonStyle(), bsRectangle},
        {"ButtonFillMode", t->ButtonFillMode(), fmTreeColor},
        {"LineStyle", t->LineStyle(), lsDotted},
        {"LineMode", t->LineMode(), lmNormal},
        {"CheckImageKind", t->CheckImageKind(), ckSystemDefault},
        {"DrawSelectionMode", t->DrawSelectionMode(), smDottedRectangle},
        {"SelectionBlendFactor", t->SelectionBlendFactor(), 128},
        {"SelectionCurveRadius", t->SelectionCurveRadius(), 0},
        {"AnimationDuration", t->AnimationDuration(), 200},
        {"AutoScrollDelay", t->AutoScrollDelay(), 1000},
        {"AutoScrollInterval", t->AutoScrollInterval(), 1},
        {"BottomSpace", t->BottomSpace(), 0},
        {"HotCursor", t->HotCursor(), crDefault},
        {"IncrementalSearch", t->IncrementalSearch(), isNone},
        {"IncrementalSearchDirection", t->IncrementalSearchDirection(), sdForward},
        {"IncrementalSearchStart", t->IncrementalSearchStart(), ssFocusedNode},
        {"IncrementalSearchTimeout", t->IncrementalSearchTimeout(), 1000},
        {"WantTabs", t->WantTabs(), 0},
        {"EditDelay", t->EditDelay(), 1000},
        {"HintAnimation", t->HintAnimation(), hatSystemDefault},
        {"HintMode", t->HintMode(), hmDefault},
        {"BorderStyle", t->BorderStyle(), bsSingle},
        {"DefaultPasteMode", t->DefaultPasteMode(), amAddChildLast},
        {"AutoExpandDelay", t->AutoExpandDelay(), 1000},
        {"DragHeight", t->DragHeight(), 350},
        {"DragWidth", t->DragWidth(), 200},
        {"DragImageKind", t->DragImageKind(), diComplete},
        {"DragOperations", t->DragOperations().Bits(), TDragOperations{doCopy, doMove}.Bits()},
        {"DragType", t->DragType(), dtOLE},
        {"TabStop", t->TabStop(), 1},
        {"Width", Tree->Width(), 300},   // set by the fixture; a new tree is 200 x 100
        {"PaintOptions", t->TreeOptions()->PaintOptions().Bits(),
         TLTPaintOptions{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware, toUseBlendedImages}.Bits()},
        {"AutoOptions", t->TreeOptions()->AutoOptions().Bits(),
         TLTAutoOptions{toAutoDropExpand, toAutoScrollOnExpand, toAutoSort, toAutoTristateTracking, toAutoDeleteMovedNodes,
                        toAutoChangeScale}
             .Bits()},
        {"MiscOptions", t->TreeOptions()->MiscOptions().Bits(),
         TLTMiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick, toWheelPanning, toEditOnClick}
             .Bits()},
        {"SelectionOptions", t->TreeOptions()->SelectionOptions().Bits(), 0},
        {"AnimationOptions", t->TreeOptions()->AnimationOptions().Bits(), 0},
        {"StringOptions", t->TreeOptions()->StringOptions().Bits(), TLTStringOptions{toSaveCaptions, toAutoAcceptEditChange}.Bits()},
        {"ExportMode", t->TreeOptions()->ExportMode(), emAll},
        {"SortColumn", t->Header()->SortColumn(), NoColumnIndex},
        {"FocusedColumn", t->FocusedColumn(), NoColumnIndex},
    };
    for (const TCase& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
    EXPECT_EQ(t->DefaultText(), "Node");
    EXPECT_TRUE(t->AccessibleName().empty());
    EXPECT_TRUE(t->EmptyListMessage().empty());
    TLazyStringTree fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 200);
    EXPECT_EQ(fresh.Height(), 100);
}

TEST_F(LifecycleTest, StringTreesCostNothingUntilTheyHoldNodes)
{
    for (int i = 0; i < 2; ++i) {
        auto* t = new TLazyStringTree(Form);
        EXPECT_EQ(t->NodeStoreBytes(), 0u);
        EXPECT_NE(dynamic_cast<TStringTreeOptions*>(t->TreeOptions()), nullptr);
        delete t;
    }
    Tree->SetRootNodeCount(10);
    EXPECT_GT(Tree->NodeStoreBytes(), 0u);
    Tree->Clear();
    EXPECT_EQ(Tree->NodeStoreBytes(), 0u);   // the blocks go back with the last node
}

TEST_F(LifecycleTest, LoadingStoresTheRootCountAndMakesTheNodesAtTheEnd)
{
    LogNotifications();
    Tree->BeginLoading();
    Tree->SetRootNodeCount(5);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    EXPECT_TRUE(Log.empty());
    EXPECT_TRUE(Tree->TreeStates().Contains(tsNeedRootCountUpdate));
    Tree->Loaded();
    EXPECT_EQ(Log, (std::vector<std::string>{"updating usBegin", "structure nil crChildAdded", "updating usEnd"}));
    EXPECT_EQ(Tree->RootNodeCount(), 5u);
    EXPECT_FALSE(At("4")->States.Contains(vsInitialized));
    EXPECT_TRUE(Tree->TreeOptions()->MiscOptions().Contains(toReadOnly));
    EXPECT_FALSE(Tree->TreeStates().Contains(tsNeedRootCountUpdate));
    EXPECT_CONSISTENT(Tree);
}

TEST_F(LifecycleTest, AssignCopiesSettingsAndTheTopLevelCountOnly)
{
    TLazyStringTree source(nullptr);
    source.SetNodeDataSize(16);
    source.SetRootNodeCount(7);
    source.SetChildCount(source.RootNode()->FirstChild, 3);
    source.SetDefaultNodeHeight(24);
    source.SetChangeDelay(50);
    source.TreeOptions()->SetSelectionOptions(TLTSelectionOptions{toMultiSelect});
    source.TreeOptions()->SetStringOptions(TLTStringOptions{toShowStaticText});
    for (int i = 0; i < 3; ++i) source.Header()->Columns()->Add();
    source.Header()->SetSortColumn(2);
    Tree->Assign(source);
    EXPECT_EQ(Tree->RootNodeCount(), 7u);
    EXPECT_EQ(Tree->RootNode()->TotalCount, 8u);
    EXPECT_EQ(Tree->NodeDataSize(), 16);
    EXPECT_EQ(Tree->DefaultNodeHeight(), 24u);
    EXPECT_EQ(Tree->ChangeDelay(), 50u);
    EXPECT_TRUE(Tree->TreeOptions()->SelectionOptions().Contains(toMultiSelect));
    EXPECT_EQ(Tree->TreeOptions()->StringOptions(), TLTStringOptions{toShowStaticText});
    EXPECT_EQ(Tree->Header()->SortColumn(), 2);
    EXPECT_CONSISTENT(Tree);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toReadOnly);
    EXPECT_THROW(Tree->Assign(source), EConvertError);
}

TEST_F(LifecycleTest, OptionSideEffects)
{
    auto* o = Tree->TreeOptions();
    o->SetPaintOptions(TLTPaintOptions{toFixedIndent});
    EXPECT_EQ(o->PaintOptions(), (TLTPaintOptions{toFixedIndent, toShowRoot}));
    o->SetPaintOptions(TLTPaintOptions{toShowRoot});
    EXPECT_EQ(o->PaintOptions(), TLTPaintOptions{toShowRoot});

    Tree->OnInitNode = [](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& s) { s << ivsSelected; };
    Tree->SetRootNodeCount(2);
    Tree->GetFirst();
    EXPECT_EQ(Tree->SelectedCount(), 1u);
    o->SetSelectionOptions(TLTSelectionOptions{toMultiSelect});
    EXPECT_EQ(Tree->SelectedCount(), 0u);

    Tree->SetFocusedColumnField(3);
    o->SetSelectionOptions(o->SelectionOptions() | toExtendedFocus);
    EXPECT_EQ(Tree->FocusedColumn(), 3);   // adding it does not move the focus
    o->SetSelectionOptions(o->SelectionOptions() - TLTSelectionOptions{toExtendedFocus});
    EXPECT_EQ(Tree->FocusedColumn(), Tree->Header()->MainColumn());
}

TEST_F(LifecycleTest, VariableHeightsReinitialiseTheTreeUnlessLoading)
{
    std::vector<std::string> inits;
    Tree->OnInitNode = [&](TBaseLazyTree*, PLazyNode, PLazyNode n, TLazyNodeInitStates& s) {
        inits.push_back(Name(n) + (s.Contains(ivsReInit) ? " again" : ""));
    };
    Tree->SetRootNodeCount(2);
    Tree->GetFirst();
    auto* o = Tree->TreeOptions();
    Tree->BeginLoading();
    o->SetMiscOptions(o->MiscOptions() | toVariableNodeHeight);
    EXPECT_EQ(inits, std::vector<std::string>{"0"});   // while loading only stored
    Tree->Loaded();
    o->SetMiscOptions(o->MiscOptions() - TLTMiscOptions{toVariableNodeHeight});
    o->SetMiscOptions(o->MiscOptions() | toVariableNodeHeight);
    EXPECT_EQ(inits, (std::vector<std::string>{"0", "0 again"}));
}

TEST_F(LifecycleTest, ShowingFilteredNodesGivesBackTheirRows)
{
    Tree->OnInitNode = [](TBaseLazyTree*, PLazyNode, PLazyNode n, TLazyNodeInitStates& s) {
        if (n->Index % 2) s << ivsFiltered;
    };
    Shape({2, 2, 2});
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
    }
    EXPECT_EQ(Tree->VisibleCount(), 5u);   // 0, 0.0, 1.0, 2, 2.0 are not filtered
    auto* o = Tree->TreeOptions();
    o->SetPaintOptions(o->PaintOptions() | toShowFilteredNodes);
    EXPECT_EQ(Tree->VisibleCount(), 9u);
    EXPECT_FALSE(Tree->IsEffectivelyFiltered(At("1")));
    EXPECT_CONSISTENT(Tree);
    o->SetPaintOptions(o->PaintOptions() - TLTPaintOptions{toShowFilteredNodes});
    EXPECT_EQ(Tree->VisibleCount(), 5u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(LifecycleTest, CopyingOptionsAndReadingTheOlderSet)
{
    TStringTreeOptions a(Tree), b(Tree);
    a.SetStringOptions(TLTStringOptions{toShowStaticText});
    a.SetAutoOptions(TLTAutoOptions{toAutoExpand});
    a.SetExportMode(emChecked);
    a.AssignTo(&b);
    EXPECT_EQ(b.StringOptions(), TLTStringOptions{toShowStaticText});
    EXPECT_EQ(b.AutoOptions(), TLTAutoOptions{toAutoExpand});
    EXPECT_EQ(b.ExportMode(), emAll);

    Tree->ReadOldOptions({"voMultiSelect", "voNoSuchOption", "voShowRoot", "voCheckSupport", "", "voHotTrack"});
    auto* o = Tree->TreeOptions();
    EXPECT_EQ(o->SelectionOptions(), TLTSelectionOptions{toMultiSelect});
    EXPECT_EQ(o->PaintOptions(), TLTPaintOptions{toShowRoot});   // voHotTrack comes after the end
    EXPECT_EQ(o->MiscOptions(), TLTMiscOptions{toCheckSupport});
    EXPECT_TRUE(o->AutoOptions().Empty());
}

}   // namespace
