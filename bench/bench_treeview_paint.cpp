// Painting one screen of a tree that holds one million nodes (1 000 parents with 1 000
// children each, all expanded), scrolled to the middle, against a QTreeView over an item
// model of the same shape and texts. Both paint a 400 x 600 view with lines and buttons
// into an off-screen image.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QThread>
#include <QTreeView>

#include <memory>
#include <string>

#include "bench/GuiBenchMain.h"
#include "platform/gui/Forms.h"
#include "treeview/LazyStringTree.h"

namespace {

constexpr int kParents = 1000;
constexpr int kChildren = 1000;
constexpr int kWidth = 400, kHeight = 600;

std::string TextOf(PLazyNode N)
{
    return "Node " + std::to_string(N->Parent && N->Parent->Parent ? N->Parent->Index : N->Index) + "." +
           std::to_string(N->Index);
}

// The same texts as the model's, drawn as the cell's content.
class TTextTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;

protected:
    int GetNodeWidth(PLazyNode, TColumnIndex) override { return 80; }
    void PaintNode(TLTPaintInfo& PaintInfo) override
    {
        const TRect r = PaintInfo.ToCanvas(PaintInfo.ContentRect);
        PaintInfo.Canvas->Brush()->SetStyle(bsClear);
        PaintInfo.Canvas->TextOut(r.Left + 2, r.Top + 1, TextOf(PaintInfo.Node));
    }
};

void BM_LazyTree_PaintScreen1M(benchmark::State& state)
{
    TForm form(nullptr);
    form.SetClientWidth(kWidth);
    form.SetClientHeight(kHeight);
    auto* tree = new TTextTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, kWidth, kHeight);
    tree->SetRootNodeCount(kParents);
    for (PLazyNode p = tree->GetFirstNoInit(); p; p = p->NextSibling) {
        tree->SetChildCount(p, kChildren);
        tree->SetExpanded(p, true);
    }
    tree->SetOffsetY(-(tree->RangeY() / 2));
    // A shown tree has its position cache built by the worker by now; wait for it as the
    // window would, so that the paint finds its first row through the cache.
    // The cache's planned size is known at once; only the tree's state says it is built.
    for (int i = 0; i < 2000 && !tree->TreeStates().Contains(tsUseCache); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    if (!tree->TreeStates().Contains(tsUseCache)) state.SkipWithError("no position cache");
    TBitmap target(kWidth, kHeight);
    const TRect window(0, -tree->OffsetY(), kWidth, -tree->OffsetY() + kHeight);
    for (auto _ : state) {
        tree->PaintTree(target.Canvas(), window, TPoint(0, 0),
                        {poBackground, poColumnColor, poDrawFocusRect, poDrawSelection, poGridLines});
        benchmark::DoNotOptimize(target.Canvas()->Pixels(1, 1));
    }
}

// A model of the same shape computing its texts on request, as the tree asks for them.
class TwoLevelModel : public QAbstractItemModel {
public:
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        if (column != 0) return {};
        if (!parent.isValid()) return row < kParents ? createIndex(row, 0, quintptr(0)) : QModelIndex();
        return row < kChildren ? createIndex(row, 0, quintptr(parent.row() + 1)) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        if (!child.isValid() || child.internalId() == 0) return {};
        return createIndex(int(child.internalId() - 1), 0, quintptr(0));
    }
    int rowCount(const QModelIndex& parent) const override
    {
        if (!parent.isValid()) return kParents;
        return parent.internalId() == 0 ? kChildren : 0;
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole) return {};
        const int parentRow = index.internalId() == 0 ? index.row() : int(index.internalId() - 1);
        return QString::fromStdString("Node " + std::to_string(parentRow) + "." + std::to_string(index.row()));
    }
};

void BM_QTreeView_PaintScreen1M(benchmark::State& state)
{
    TwoLevelModel model;
    QTreeView view;
    view.setModel(&model);
    view.setHeaderHidden(true);
    view.setUniformRowHeights(true);
    view.resize(kWidth, kHeight);
    // Expanding parent by parent before the view is laid out keeps the setup linear.
    for (int r = 0; r < kParents; ++r) view.setExpanded(model.index(r, 0, {}), true);
    view.show();
    QCoreApplication::processEvents();
    view.scrollTo(model.index(kChildren / 2, 0, model.index(kParents / 2, 0, {})), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&image);
        view.viewport()->render(&p);
        benchmark::DoNotOptimize(image.bits());
    }
}

} // namespace

BENCHMARK(BM_LazyTree_PaintScreen1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTreeView_PaintScreen1M)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return Run_Gui_Benchmarks(argc, argv);
}
