// The tree's node store against a QStandardItemModel holding the same items: one million
// nodes (1 000 parents with 1 000 children each) created by count, every node walked
// once in document order, and the whole tree freed again. The tree keeps 8 bytes of
// user data per node, as the scan window does; the counters give the node store's bytes
// per node beside that user data, chunk slack included. Also: making and freeing the
// scan window's two empty string trees against two plain owner-drawn controls.
#include <benchmark/benchmark.h>

#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>

#include <memory>

#include "treeview/LazyStringTree.h"

namespace {

constexpr int kParents = 1000;
constexpr int kChildren = 1000;

template <class Tree>
void RunTree(benchmark::State& state)
{
    auto tree = std::make_unique<Tree>(nullptr);
    tree->SetNodeDataSize(8);
    double bytes = 0;
    for (auto _ : state) {
        tree->SetRootNodeCount(kParents);
        for (PLazyNode p = tree->GetFirstNoInit(); p; p = p->NextSibling) tree->SetChildCount(p, kChildren);
        std::size_t walked = 0;
        for (PLazyNode n = tree->GetFirst(); n; n = tree->GetNext(n)) ++walked;
        if (walked != std::size_t(kParents) * (kChildren + 1)) state.SkipWithError("walk incomplete");
        bytes = double(tree->NodeStoreBytes()) / double(walked);
        tree->Clear();
    }
    state.counters["bytes_per_node_beside_user_data"] = bytes - 8;
    state.SetItemsProcessed(state.iterations() * kParents * (kChildren + 1));
}

void BM_LazyStringTree_Create1M_Walk(benchmark::State& state) { RunTree<TLazyStringTree>(state); }
void BM_BaseLazyTree_Create1M_Walk(benchmark::State& state) { RunTree<TBaseLazyTree>(state); }

// Baseline: the same shape as items of a standard item model, walked through the items.
void BM_QStandardItemModel_Create1M_Walk(benchmark::State& state)
{
    for (auto _ : state) {
        QStandardItemModel model;
        QStandardItem* root = model.invisibleRootItem();
        QList<QStandardItem*> parents;
        parents.reserve(kParents);
        for (int i = 0; i < kParents; ++i) parents.append(new QStandardItem());
        root->appendRows(parents);
        for (int i = 0; i < kParents; ++i) {
            QList<QStandardItem*> children;
            children.reserve(kChildren);
            for (int j = 0; j < kChildren; ++j) children.append(new QStandardItem());
            root->child(i)->appendRows(children);
        }
        std::size_t walked = 0;
        for (int i = 0; i < root->rowCount(); ++i) {
            QStandardItem* p = root->child(i);
            ++walked;
            for (int j = 0; j < p->rowCount(); ++j) walked += p->child(j) != nullptr;
        }
        if (walked != std::size_t(kParents) * (kChildren + 1)) state.SkipWithError("walk incomplete");
        model.clear();
    }
    state.SetItemsProcessed(state.iterations() * kParents * (kChildren + 1));
}

// The scan window's two trees, made and freed at every start, against two plain
// owner-drawn controls made and freed the same way.
void BM_TwoStringTrees_CreateFree(benchmark::State& state)
{
    for (auto _ : state) {
        auto* a = new TLazyStringTree(nullptr);
        auto* b = new TLazyStringTree(nullptr);
        benchmark::DoNotOptimize(a->RootNode());
        delete b;
        delete a;
    }
}

void BM_TwoCustomControls_CreateFree(benchmark::State& state)
{
    for (auto _ : state) {
        auto* a = new TCustomControl(nullptr);
        auto* b = new TCustomControl(nullptr);
        benchmark::DoNotOptimize(a);
        delete b;
        delete a;
    }
}

BENCHMARK(BM_TwoStringTrees_CreateFree)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoCustomControls_CreateFree)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LazyStringTree_Create1M_Walk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaseLazyTree_Create1M_Walk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStandardItemModel_Create1M_Walk)->Unit(benchmark::kMillisecond);

}   // namespace

BENCHMARK_MAIN();
