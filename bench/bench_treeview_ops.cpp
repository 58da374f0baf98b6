// Whole-tree operations of the tree view against a baseline in the same program:
// sorting one million children of one parent by a text key against std::stable_sort of
// the same keys, and expanding and collapsing all of 1 000 parents with 1 000 children
// each against a QTreeView over a QStandardItemModel doing expandAll and collapseAll.
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

} // namespace

BENCHMARK(BM_LazyTree_Sort1M_ByText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdStableSort1M_ByText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LazyTree_ExpandCollapseAll_1000x1000)->Unit(benchmark::kMillisecond);
// The baseline takes minutes for one round: one iteration.
BENCHMARK(BM_QTreeView_ExpandCollapseAll_1000x1000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
