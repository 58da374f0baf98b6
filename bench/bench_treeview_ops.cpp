// Whole-tree operations of the tree view against a baseline in the same program:
// sorting one million children of one parent by a text key against std::stable_sort of
// the same keys, and expanding and collapsing all of 1 000 parents with 1 000 children
// each against a QTreeView over a QStandardItemModel doing expandAll and collapseAll;
// and giving each parent of a shown tree its children and expanding it, one parent at a
// time as an application fills a tree, against a plain walk over the same nodes: the
// ratio stays flat as the parents grow in number when each expansion costs the same.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "treeview/LazyStringTree.h"

namespace {

constexpr int kSortCount = 1000000;

std::vector<std::string> ShuffledKeys()
{
    std::vector<std::string> keys;
    keys.reserve(kSortCount);
    std::mt19937 rng(7);
    for (int i = 0; i < kSortCount; ++i) keys.push_back("Meter " + std::to_string(rng() % 500000) + " channel");
    return keys;
}

void BM_LazyTree_Sort1M_ByText(benchmark::State& state)
{
    const std::vector<std::string> keys = ShuffledKeys();
    auto tree = std::make_unique<TLazyStringTree>(nullptr);
    tree->SetNodeDataSize(sizeof(const std::string*));
    tree->SetRootNodeCount(kSortCount);
    tree->OnCompareNodes = [](TBaseLazyTree*, PLazyNode a, PLazyNode b, TColumnIndex, int& r) {
        r = (*static_cast<const std::string* const*>(a->Data()))->compare(**static_cast<const std::string* const*>(b->Data()));
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::size_t i = 0;
        for (PLazyNode n = tree->RootNode()->FirstChild; n; n = n->NextSibling)
            *static_cast<const std::string**>(n->Data()) = &keys[i++];
        state.ResumeTiming();
        tree->Sort(nullptr, 0, sdAscending, false);
    }
    state.SetItemsProcessed(state.iterations() * kSortCount);
}

void BM_StdStableSort1M_ByText(benchmark::State& state)
{
    const std::vector<std::string> keys = ShuffledKeys();
    std::vector<std::string> work;
    for (auto _ : state) {
        state.PauseTiming();
        work = keys;
        state.ResumeTiming();
        std::stable_sort(work.begin(), work.end());
        benchmark::DoNotOptimize(work.data());
    }
    state.SetItemsProcessed(state.iterations() * kSortCount);
}

constexpr int kParents = 1000, kChildren = 1000;

void BM_LazyTree_ExpandCollapseAll_1000x1000(benchmark::State& state)
{
    auto tree = std::make_unique<TLazyStringTree>(nullptr);
    tree->SetRootNodeCount(kParents);
    for (PLazyNode p = tree->GetFirstNoInit(); p; p = p->NextSibling) tree->SetChildCount(p, kChildren);
    for (auto _ : state) {
        tree->FullExpand(nullptr);
        if (tree->VisibleCount() != std::uint32_t(kParents * (kChildren + 1))) state.SkipWithError("not expanded");
        tree->FullCollapse(nullptr);
        if (tree->VisibleCount() != std::uint32_t(kParents)) state.SkipWithError("not collapsed");
    }
}

void BM_QTreeView_ExpandCollapseAll_1000x1000(benchmark::State& state)
{
    QStandardItemModel model;
    QStandardItem* root = model.invisibleRootItem();
    for (int p = 0; p < kParents; ++p) {
        auto* parent = new QStandardItem(QString::number(p));
        QList<QStandardItem*> children;
        children.reserve(kChildren);
        for (int c = 0; c < kChildren; ++c) children.append(new QStandardItem(QString::number(c)));
        parent->appendRows(children);
        root->appendRow(parent);
    }
    QTreeView view;
    view.setModel(&model);
    view.setUniformRowHeights(true);
    for (auto _ : state) {
        view.expandAll();
        view.collapseAll();
    }
}

constexpr int kFillChildren = 100;

// A shown tree of 400 x 600 pixels that gets its parents' children one parent at a time.
struct TShownTree {
    TForm Form{nullptr};
    TLazyStringTree* Tree;
    explicit TShownTree(int Parents)
    {
        Form.SetClientWidth(400);
        Form.SetClientHeight(600);
        Tree = new TLazyStringTree(&Form);
        Tree->SetParent(&Form);
        Tree->SetBounds(0, 0, 400, 600);
        Tree->SetRootNodeCount(std::uint32_t(Parents));
    }
};

void BM_LazyTree_FillAndExpandEach(benchmark::State& state)
{
    const int parents = int(state.range(0));
    std::unique_ptr<TShownTree> shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.reset();
        shown = std::make_unique<TShownTree>(parents);
        state.ResumeTiming();
        for (PLazyNode p = shown->Tree->GetFirstNoInit(); p; p = p->NextSibling) {
            shown->Tree->SetChildCount(p, kFillChildren);
            shown->Tree->SetExpanded(p, true);
        }
        if (shown->Tree->VisibleCount() != std::uint32_t(parents * (kFillChildren + 1)))
            state.SkipWithError("not expanded");
    }
    state.SetItemsProcessed(state.iterations() * parents);
}

// The baseline: one walk over the same nodes, once the tree is filled.
void BM_PlainWalk_FilledTree(benchmark::State& state)
{
    const int parents = int(state.range(0));
    TShownTree shown(parents);
    for (PLazyNode p = shown.Tree->GetFirstNoInit(); p; p = p->NextSibling) shown.Tree->SetChildCount(p, kFillChildren);
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (PLazyNode n = shown.Tree->GetFirstNoInit(); n; n = shown.Tree->GetNextNoInit(n)) sum += n->Index;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * parents);
}

} // namespace

BENCHMARK(BM_LazyTree_Sort1M_ByText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdStableSort1M_ByText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LazyTree_ExpandCollapseAll_1000x1000)->Unit(benchmark::kMillisecond);
// The baseline takes minutes for one round: one iteration.
BENCHMARK(BM_QTreeView_ExpandCollapseAll_1000x1000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LazyTree_FillAndExpandEach)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWalk_FilledTree)->Arg(250)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
