#pragma once
// The draw tree: a tree whose cells the application paints itself. It has no text model;
// the application paints each cell's content (OnDrawNode) and says how wide that content
// is (OnGetNodeWidth) and what margins it keeps (OnGetCellContentMargin). Backgrounds,
// lines, buttons, images and the selection are painted by the tree as in every tree.
#include <functional>

#include "treeview/core/BaseLazyTree.h"

// Which margins of a cell's content are asked: the totals of both sides, the left and
// top ones, or the right and bottom ones.
enum TLTCellContentMarginType { ccmtAllSides, ccmtTopLeftOnly, ccmtBottomRightOnly };

using TLTDrawNodeEvent = std::function<void(TBaseLazyTree* Sender, const TLTPaintInfo& PaintInfo)>;
using TLTGetCellContentMarginEvent =
    std::function<void(TBaseLazyTree* Sender, TCanvas* HintCanvas, PLazyNode Node, TColumnIndex Column,
                       TLTCellContentMarginType CellContentMarginType, TPoint& CellContentMargin)>;
using TLTGetNodeWidthEvent = std::function<void(TBaseLazyTree* Sender, TCanvas* HintCanvas, PLazyNode Node,
                                                TColumnIndex Column, int& NodeWidth)>;

class TCustomLazyDrawTree : public TBaseLazyTree {
public:
    using TBaseLazyTree::TBaseLazyTree;
    // The margins of a cell's content; (0, 0) unless OnGetCellContentMargin says more.
    // A nil Canvas means the tree's own.
    virtual TPoint GetCellContentMargin(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column,
                                        TLTCellContentMarginType MarginType);
    // The width of a cell's content: both text margins unless OnGetNodeWidth says else.
    int GetNodeWidth(PLazyNode Node, TColumnIndex Column, TCanvas* Canvas);
    TLTHintKind DefaultHintKind() const override { return vhkOwnerDraw; }

    TLTDrawNodeEvent OnDrawNode;
    TLTGetNodeWidthEvent OnGetNodeWidth;

protected:
    int GetNodeWidth(PLazyNode Node, TColumnIndex Column) override { return GetNodeWidth(Node, Column, nullptr); }
    void PaintNode(TLTPaintInfo& PaintInfo) override;
    TLTGetCellContentMarginEvent OnGetCellContentMargin;
};

class TLazyDrawTree : public TCustomLazyDrawTree {
public:
    explicit TLazyDrawTree(TComponent* AOwner);
    TLazyTreeOptions* TreeOptions() const { return static_cast<TLazyTreeOptions*>(FOptions.get()); }
    // Copies the given options into the tree's own options object.
    void SetTreeOptions(const TLazyTreeOptions* Value);

protected:
    TLazyTreeOptionsClass OptionsClass() const override;
};
