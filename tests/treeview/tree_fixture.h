#pragma once
// A string tree on a form, an ordered log of the tree's events, node names by path, and
// the checker of the tree's bookkeeping that every test runs after its operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "treeview/LazyStringTree.h"

// Every count, index, link and height the tree keeps, against a recount from the links:
// ChildCount is the chain length, Index runs 0..n-1, links agree both ways, TotalCount and
// TotalHeight add up, VisibleCount and the vertical range match a recount, and (outside
// update brackets) the all-children-hidden flags and the selection count are right.
::testing::AssertionResult TreeIsConsistent(TBaseLazyTree* Tree);

class TreeTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TLazyStringTree* Tree = nullptr;
    std::vector<std::string> Log;

    void SetUp() override;
    void TearDown() override;
    // Logs structure changes, changes, updates and freed nodes as text lines.
    void LogNotifications();
    // "2.0" for the first child of the third top-level node; "root" for the root; "nil".
    std::string Name(PLazyNode Node) const;
    PLazyNode At(const std::string& Path) const;
    // Names of a sequence of nodes, joined by blanks.
    std::string Names(const TLTLazyNodeEnumeration& Nodes) const;
    // Builds a tree from a list of counts: Shape({2, 0, 3}) makes three top-level nodes
    // with 2, 0 and 3 children, expanded, all created directly (no events).
    void Shape(const std::vector<unsigned>& Children, bool Expand = true);
};

// The same with the tree's header and its columns at hand.
class HeaderTreeTest : public TreeTest {
protected:
    TLTHeader* H = nullptr;
    TLazyTreeColumns* C = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        H = Tree->Header();
        C = H->Columns();
    }

    // The header suites' tree: columns "Name" (80), "Address" (AddressWidth) and "Value"
    // (70), the header shown with Extra options, every header click recorded, the form shown.
    std::vector<TColumnIndex> Clicks;
    std::vector<TLTHeaderHitInfo> Hits;
    void ShowThreeColumns(int AddressWidth, TLTHeaderOptions Extra = {})
    {
        const char* names[] = {"Name", "Address", "Value"};
        for (const char* n : names) C->Add()->SetText(n);
        C->Items(0)->SetWidth(80);
        C->Items(1)->SetWidth(AddressWidth);
        C->Items(2)->SetWidth(70);
        H->SetOptions((H->Options() | hoVisible) + Extra);
        H->OnHeaderClick = [this](TLTHeader*, const TLTHeaderHitInfo& Hit) {
            Clicks.push_back(Hit.Column);
            Hits.push_back(Hit);
        };
    }
};

#define EXPECT_CONSISTENT(Tree) EXPECT_TRUE(TreeIsConsistent(Tree))
#define ASSERT_CONSISTENT(Tree) ASSERT_TRUE(TreeIsConsistent(Tree))
