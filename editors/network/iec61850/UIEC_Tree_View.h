#pragma once
// The device tree of the IEC 61850 client editor: the program's tree control holding one
// text and one picture per node, drawn as a plain indented list with expand buttons and
// small pictures, each node's font colour asked of the window before it is drawn. A left
// press on a node's button opens or closes it; a press on the rest of its line selects
// it; the click then reaches the window's OnClick. The mouse wheel scrolls a tree taller
// than the control (through the tree's vertical offset).
#include <functional>
#include <unordered_map>

#include "treeview/LazyStringTree.h"

class TIEC_Tree_View : public TLazyStringTree {
public:
    explicit TIEC_Tree_View(TComponent* AOwner);

    // A node under Parent (nullptr: a top-level node) with its text and picture index.
    PLazyNode Add_Node(PLazyNode Parent, const String& Text, int Image);
    const String& Node_Text(PLazyNode Node) const;
    int Node_Image(PLazyNode Node) const;
    void Clear() override;

    // The one selected node, or nullptr.
    PLazyNode Selected() const { return FSelected; }
    void Select(PLazyNode Node);

    // The nodes drawn now, top to bottom (children of expanded nodes only).
    std::vector<PLazyNode> Shown_Nodes();
    // The line of a node among them (the first 0, whatever the scrolling), -1 when it is not shown.
    int Line_Of(PLazyNode Node);
    int Line_Height() const { return int(DefaultNodeHeight()); }

    // Before a node is drawn: the window may change the font colour.
    std::function<void(TIEC_Tree_View* Sender, PLazyNode Node, TColor& Font_Color)> OnCustomDrawItem;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    struct TItem {
        String Text;
        int Image = -1;
    };
    // Left edge of a node's button at its level.
    int Level_X(PLazyNode Node) const;
    void Draw_Picture(int X, int Y, int Image);

    std::unordered_map<PLazyNode, TItem> FItems;
    PLazyNode FSelected = nullptr;
};
