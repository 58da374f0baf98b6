#include "tests/treeview/tree_fixture.h"

#include <sstream>

namespace {

struct TRecount {
    TBaseLazyTree* Tree;
    std::ostringstream Err;
    std::uint32_t Visible = 0;
    std::uint32_t Selected = 0;

    bool Filtered(PLazyNode n) const { return Tree->IsEffectivelyFiltered(n); }

    // Walks a subtree; Shown: every ancestor below the root is visible and expanded.
    std::uint32_t Walk(PLazyNode Node, bool Shown, std::uint32_t& Height, int Depth)
    {
        std::uint32_t total = 1;
        const bool isRoot = Node == Tree->RootNode();
        if (!isRoot && Node->States.Contains(vsSelected)) ++Selected;
        std::uint32_t index = 0;
        std::uint64_t childHeights = 0;
        PLazyNode prev = nullptr;
        bool anyShownChild = false;
        for (PLazyNode c = Node->FirstChild; c; c = c->NextSibling) {
            if (c->Parent != Node) Err << "child " << index << " of a level-" << Depth << " node has another parent; ";
            if (c->PrevSibling != prev) Err << "PrevSibling link broken at index " << index << "; ";
            if (c->Index != index) Err << "Index " << c->Index << " at chain position " << index << "; ";
            const bool childShown = Shown && Node->States.Contains(vsExpanded) && c->States.Contains(vsVisible);
            if (childShown && !Filtered(c)) ++Visible;
            if (Tree->IsEffectivelyVisible(c)) anyShownChild = true;
            std::uint32_t h = 0;
            total += Walk(c, childShown, h, Depth + 1);
            if (c->States.Contains(vsVisible)) childHeights += h;
            prev = c;
            ++index;
            if (index > 10000000) {
                Err << "endless sibling chain; ";
                break;
            }
        }
        if (Node->LastChild != prev) Err << "LastChild is not the end of the chain; ";
        if (Node->ChildCount != index) Err << "ChildCount " << Node->ChildCount << " but " << index << " children; ";
        if (Node->TotalCount != total) Err << "TotalCount " << Node->TotalCount << " but " << total << " nodes; ";
        if (!isRoot && index == 0 && Node->States.Contains(vsExpanded)) Err << "a node without children is expanded; ";
        const std::uint64_t own = (isRoot || !Filtered(Node)) ? Node->NodeHeight : 0;
        const std::uint64_t expect = own + (Node->States.Contains(vsExpanded) ? childHeights : 0);
        if (Node->TotalHeight != expect)
            Err << "TotalHeight " << Node->TotalHeight << " but " << expect << " at level " << Depth << "; ";
        if (!isRoot && index > 0 && Tree->UpdateCount() == 0 &&
            Node->States.Contains(vsAllChildrenHidden) == anyShownChild)
            Err << "vsAllChildrenHidden wrong at level " << Depth << "; ";
        Height = Node->TotalHeight;
        return total;
    }
};

}   // namespace

::testing::AssertionResult TreeIsConsistent(TBaseLazyTree* Tree)
{
    TRecount r{Tree, {}};
    PLazyNode root = Tree->RootNode();
    if (root->NextSibling != root || root->PrevSibling != root) r.Err << "root links broken; ";
    if (TreeFromNode(root) != Tree) r.Err << "the root does not lead to its tree; ";
    std::uint32_t h = 0;
    r.Walk(root, true, h, -1);
    if (Tree->VisibleCount() != r.Visible)
        r.Err << "VisibleCount " << Tree->VisibleCount() << " but " << r.Visible << " shown; ";
    if (Tree->UpdateCount() == 0 && Tree->SelectedCount() != r.Selected)
        r.Err << "SelectedCount " << Tree->SelectedCount() << " but " << r.Selected << " selected; ";
    if (Tree->UpdateCount() == 0 && Tree->RangeY() != int(root->TotalHeight) - int(root->NodeHeight) + int(Tree->BottomSpace()))
        r.Err << "RangeY " << Tree->RangeY() << " does not follow the root's TotalHeight; ";
    const std::string e = r.Err.str();
    if (e.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << e;
}

void TreeTest::SetUp()
{
    Form = new TForm(nullptr);
    Form->SetClientWidth(320);
    Form->SetClientHeight(240);
    Tree = new TLazyStringTree(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 300, 200);
}

void TreeTest::TearDown()
{
    // The handlers of a test may hold its local variables; the nodes left are freed
    // after the test's body has ended.
    if (Tree) {
        Tree->OnFreeNode = nullptr;
        Tree->OnStateChange = nullptr;
        Tree->OnStructureChange = nullptr;
        Tree->OnChange = nullptr;
        Tree->OnUpdating = nullptr;
        Tree->OnInitNode = nullptr;
        Tree->OnInitChildren = nullptr;
        Tree->OnMeasureItem = nullptr;
        Tree->OnResetNode = nullptr;
        Tree->OnStartOperation = nullptr;
        Tree->OnEndOperation = nullptr;
    }
    delete Form;
}

void TreeTest::LogNotifications()
{
    Tree->OnStructureChange = [this](TBaseLazyTree*, PLazyNode Node, TChangeReason Reason) {
        static const char* reasons[] = {"crIgnore",      "crAccumulated", "crChildAdded", "crChildDeleted",
                                        "crNodeAdded",   "crNodeCopied",  "crNodeMoved"};
        Log.push_back("structure " + Name(Node) + " " + reasons[Reason]);
    };
    Tree->OnChange = [this](TBaseLazyTree*, PLazyNode Node) { Log.push_back("change " + Name(Node)); };
    Tree->OnUpdating = [this](TBaseLazyTree*, TLTUpdateState State) {
        static const char* states[] = {"usBegin", "usBeginSynch", "usSynch", "usUpdate", "usEnd", "usEndSynch"};
        Log.push_back(std::string("updating ") + states[State]);
    };
}

std::string TreeTest::Name(PLazyNode Node) const
{
    if (!Node) return "nil";
    if (Node == Tree->RootNode()) return "root";
    std::vector<std::uint32_t> path;
    for (PLazyNode run = Node; run != Tree->RootNode(); run = run->Parent) path.push_back(run->Index);
    std::string s;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (!s.empty()) s += '.';
        s += std::to_string(*it);
    }
    return s;
}

PLazyNode TreeTest::At(const std::string& Path) const
{
    PLazyNode node = Tree->RootNode();
    std::stringstream ss(Path);
    std::string part;
    while (std::getline(ss, part, '.')) {
        PLazyNode c = node->FirstChild;
        for (int i = std::stoi(part); c && i > 0; --i) c = c->NextSibling;
        if (!c) return nullptr;
        node = c;
    }
    return node;
}

std::string TreeTest::Names(const TLTLazyNodeEnumeration& Nodes) const
{
    std::string s;
    for (PLazyNode n : Nodes) {
        if (!s.empty()) s += ' ';
        s += Name(n);
    }
    return s;
}

void TreeTest::Shape(const std::vector<unsigned>& Children, bool Expand)
{
    Tree->SetRootNodeCount(std::uint32_t(Children.size()));
    PLazyNode n = Tree->RootNode()->FirstChild;
    for (unsigned c : Children) {
        if (c) {
            Tree->SetChildCount(n, c);
            if (Expand) Tree->SetExpanded(n, true);
        }
        n = n->NextSibling;
    }
}
