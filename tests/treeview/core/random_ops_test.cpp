// Seeded random sequences of every structural, visibility, height and initialisation
// operation, with an application that answers initialisation at random; the tree's
// bookkeeping is checked after every operation, and the visible walks and positions
// every few operations.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tests/treeview/tree_fixture.h"

namespace {

class RandomOpsTest : public TreeTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 Rng;
    int Depth = 0;

    unsigned Pick(unsigned n) { return unsigned(Rng() % n); }
    bool Chance(unsigned percent) { return Pick(100) < percent; }

    void Collect(PLazyNode n, std::vector<PLazyNode>& out)
    {
        for (PLazyNode c = n->FirstChild; c; c = c->NextSibling) {
            out.push_back(c);
            Collect(c, out);
        }
    }
    PLazyNode AnyNode(bool AllowNil)
    {
        std::vector<PLazyNode> all;
        Collect(Tree->RootNode(), all);
        if (all.empty() || (AllowNil && Chance(10))) return nullptr;
        return all[Pick(unsigned(all.size()))];
    }

    void Answer()
    {
        Tree->OnInitNode = [this](TBaseLazyTree*, PLazyNode, PLazyNode, TLazyNodeInitStates& s) {
            if (Chance(30)) s << ivsHasChildren;
            if (Chance(15)) s << ivsExpanded;
            if (Chance(15)) s << ivsFiltered;
            if (Chance(10)) s << ivsSelected;
            if (Chance(5)) s << ivsDisabled;
        };
        Tree->OnInitChildren = [this](TBaseLazyTree*, PLazyNode, std::uint32_t& count) { count = Pick(4); };
        Tree->OnMeasureItem = [this](TBaseLazyTree*, TCanvas*, PLazyNode, int& h) { h = 5 + int(Pick(36)); };
        Tree->OnCompareNodes = [](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& r) {
            r = int(a->NodeHeight) - int(b->NodeHeight);
        };
    }

    void Step(unsigned op)
    {
        const bool small = Tree->RootNode()->TotalCount < 300;
        auto* o = Tree->TreeOptions();
        switch (op) {
        case 0: if (small) Tree->AddChild(AnyNode(true)); break;
        case 1: if (small) Tree->InsertNode(AnyNode(true), TLTNodeAttachMode(Pick(5))); break;
        case 2: Tree->DeleteNode(AnyNode(false)); break;
        case 3: Tree->DeleteChildren(AnyNode(false), Chance(50)); break;
        case 4: if (small) Tree->SetChildCount(AnyNode(true), Pick(5)); break;
        case 5: if (PLazyNode n = AnyNode(false)) Tree->ToggleNode(n); break;
        case 6: if (PLazyNode n = AnyNode(false)) Tree->SetIsVisible(n, Chance(50)); break;
        case 7: if (PLazyNode n = AnyNode(false)) Tree->SetIsFiltered(n, Chance(50)); break;
        case 8: Tree->SetNodeHeight(AnyNode(false), Pick(41)); break;
        case 9: if (PLazyNode n = AnyNode(false)) Tree->ResetNode(n); break;
        case 10: Tree->ReinitNode(AnyNode(true), Chance(30)); break;
        case 11: o->SetPaintOptions(o->PaintOptions().Contains(toShowFilteredNodes)
                                        ? o->PaintOptions() - TLTPaintOptions{toShowFilteredNodes}
                                        : o->PaintOptions() | toShowFilteredNodes);
            break;
        case 12:
            if (Depth > 0 && Chance(60)) {
                Tree->EndUpdate();
                --Depth;
            } else if (Depth < 3) {
                Tree->BeginUpdate();
                ++Depth;
            }
            break;
        case 13:
            if (small)
                for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) {
                }
            break;
        case 14: Tree->SetDefaultNodeHeight(10 + Pick(20)); break;
        case 15: if (small) Tree->SetRootNodeCount(Pick(7)); break;
        case 16: o->SetPaintOptions(o->PaintOptions().Contains(toChildrenAbove)
                                        ? o->PaintOptions() - TLTPaintOptions{toChildrenAbove}
                                        : o->PaintOptions() | toChildrenAbove);
            break;
        case 17: if (small) Tree->ValidateNode(AnyNode(false), true); break;
        case 18: if (PLazyNode n = AnyNode(false)) Tree->SetFullyVisible(n, true); break;
        case 19:
            if (PLazyNode n = AnyNode(false)) {
                Tree->SetCheckType(n, TCheckType(Pick(5)));
                Tree->SetCheckState(n, Chance(50) ? csCheckedNormal : csUncheckedNormal);
            }
            break;
        case 20: Tree->Sort(AnyNode(true), 0, Chance(50) ? sdAscending : sdDescending, Chance(50)); break;
        case 21:
            try {
                Tree->MoveTo(AnyNode(false), AnyNode(true), TLTNodeAttachMode(Pick(5)), Chance(20));
            } catch (const ELazyTreeError&) { // into its own subtree
            }
            break;
        case 22: if (small) Tree->CopyTo(AnyNode(false), AnyNode(true), TLTNodeAttachMode(Pick(5)), Chance(20)); break;
        case 23:
            if (!small) break;
            if (Chance(50))
                Tree->FullExpand(AnyNode(true));
            else
                Tree->FullCollapse(AnyNode(true));
            break;
        case 24:
            if (small && Depth == 0) {
                TMemoryStream s;
                Tree->SaveToStream(s, AnyNode(true));
                s.SetPosition(0);
                if (Chance(50))
                    Tree->LoadFromStream(s);
                else
                    Tree->AddFromStream(s, AnyNode(true));
            }
            break;
        case 25: if (small) Tree->SortTree(0, sdDescending, Chance(50)); break;
        default: Tree->ClearSelection(); break;
        }
    }

    // With TREE_TRACE set, prints each step and every node after it (states in hex), to
    // find the operation that broke a seed.
    void Trace(int Step, unsigned Op)
    {
        if (!std::getenv("TREE_TRACE")) return;
        std::fprintf(stderr, "after step %d, operation %u: visible %u selected %u updates %u\n", Step, Op,
                     Tree->VisibleCount(), Tree->SelectedCount(), Tree->UpdateCount());
        std::vector<PLazyNode> all;
        Collect(Tree->RootNode(), all);
        for (PLazyNode n : all)
            std::fprintf(stderr, "  %s states %x height %u total %u children %u\n", Name(n).c_str(), n->States.Bits(),
                         n->NodeHeight, n->TotalHeight, n->ChildCount);
    }

    // The visible walks forwards and backwards agree with each other and with the
    // count, and every shown node is found at its own top.
    ::testing::AssertionResult WalksAgree()
    {
        // Looking at a node initialises and measures it, which may change the tree: settle
        // that first, so the walks below see a tree that no longer changes.
        for (bool changed = true; changed;) {
            changed = false;
            for (PLazyNode n = Tree->GetFirstVisibleNoInit(); n; n = Tree->GetNextVisibleNoInit(n))
                if (!n->States.Contains(vsInitialized) || !n->States.Contains(vsHeightMeasured)) {
                    if (!n->States.Contains(vsInitialized)) Tree->InitializeNode(n);
                    Tree->MeasureItemHeight(Tree->Canvas(), n);
                    changed = true;
                    break;
                }
        }
        if (auto r = TreeIsConsistent(Tree); !r) return r;
        std::vector<PLazyNode> forward;
        for (PLazyNode n = Tree->GetFirstVisibleNoInit(); n; n = Tree->GetNextVisibleNoInit(n)) {
            forward.push_back(n);
            if (forward.size() > Tree->RootNode()->TotalCount) return ::testing::AssertionFailure() << "endless walk";
        }
        if (forward.size() != Tree->VisibleCount())
            return ::testing::AssertionFailure() << "walked " << forward.size() << ", VisibleCount " << Tree->VisibleCount();
        std::vector<PLazyNode> backward;
        for (PLazyNode n = Tree->GetLastVisibleNoInit(); n; n = Tree->GetPreviousVisibleNoInit(n)) {
            backward.insert(backward.begin(), n);
            if (backward.size() > forward.size()) break;
        }
        if (backward != forward) return ::testing::AssertionFailure() << "backward walk differs";
        int top = 0;
        for (PLazyNode n : forward) {
            int nodeTop = -1;
            // A node of height 0 takes no row: the position belongs to the next one.
            if (n->NodeHeight > 0 && (Tree->GetNodeAt(0, top, false, nodeTop) != n || nodeTop != top))
                return ::testing::AssertionFailure() << "GetNodeAt(" << top << ") is not " << Name(n);
            const TRect r = Tree->GetDisplayRect(n, NoColumnIndex, false);
            // Display rectangles are in client coordinates: the vertical offset moves them.
            if (r.Top - Tree->OffsetY() != top)
                return ::testing::AssertionFailure() << "display top " << r.Top << " of " << Name(n);
            top += int(n->NodeHeight);
        }
        if (top != Tree->RangeY()) return ::testing::AssertionFailure() << "heights sum " << top << ", range " << Tree->RangeY();
        return ::testing::AssertionSuccess();
    }
};

TEST_P(RandomOpsTest, BookkeepingHoldsAfterEveryOperation)
{
    Rng.seed(GetParam());
    Tree->SetNodeDataSize(8);
    Answer();
    if (GetParam() % 2) Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() | toVariableNodeHeight);
    Tree->SetRootNodeCount(4);
    for (int i = 0; i < 1500; ++i) {
        const unsigned op = Pick(27);
        Step(op);
        Trace(i, op);
        ASSERT_CONSISTENT(Tree) << "after step " << i << " (operation " << op << "), seed " << GetParam();
        if (Depth == 0 && i % 20 == 0) {
            ASSERT_TRUE(WalksAgree()) << "after step " << i << ", seed " << GetParam();
        }
    }
    while (Depth > 0) {
        Tree->EndUpdate();
        --Depth;
    }
    ASSERT_CONSISTENT(Tree);
    ASSERT_TRUE(WalksAgree());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomOpsTest, ::testing::Range(1u, 401u));

}   // namespace
