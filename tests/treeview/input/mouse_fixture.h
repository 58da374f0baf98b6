#pragma once
// A string tree driven by the mouse as a user drives it: rows of 18 pixels from the top
// (no header), top-level labels from x 22 (root indentation 18, margin 4), children's
// from x 40; an ordered log of what the tree and the application hear.
#include <string>

#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

class MouseTreeTest : public TreeTest {
protected:
    static int RowY(int Row) { return Row * 18 + 9; }
    static constexpr int TopLabelX = 30, ChildLabelX = 48, EmptyX = 250;

    void AddOptions(TLTSelectionOptions Sel, TLTMiscOptions Misc = {}, TLTPaintOptions Paint = {},
                    TLTAutoOptions Auto = {})
    {
        auto* o = Tree->TreeOptions();
        o->SetSelectionOptions(o->SelectionOptions() + Sel);
        o->SetMiscOptions(o->MiscOptions() + Misc);
        o->SetPaintOptions(o->PaintOptions() + Paint);
        o->SetAutoOptions(o->AutoOptions() + Auto);
    }
    void Send(unsigned Msg, int X, int Y, TShiftState Shift = TShiftState())
    {
        gui_input::Mouse(Tree, Msg, X, Y, Shift, 0);
    }
    bool In(TLazyTreeState S) const { return Tree->TreeStates().Contains(S); }
    // Clicks, double clicks, checks and the toolkit's own mouse events, in order.
    void LogMouse()
    {
        Tree->OnMouseDown = [this](TObject*, TMouseButton, TShiftState s, int, int) {
            Log.push_back(s.Contains(ssDouble) ? "mouse down double" : "mouse down");
        };
        Tree->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("mouse up"); };
        Tree->OnClick = [this](TObject*) { Log.push_back("click"); };
        Tree->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
        Tree->OnNodeClick = [this](TBaseLazyTree*, const THitInfo& h) { Log.push_back("node click " + Name(h.HitNode)); };
        Tree->OnNodeDblClick = [this](TBaseLazyTree*, const THitInfo& h) {
            Log.push_back("node dblclick " + Name(h.HitNode));
        };
        Tree->OnChecking = [this](TBaseLazyTree*, PLazyNode n, TCheckState&, bool&) { Log.push_back("checking " + Name(n)); };
        Tree->OnChecked = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("checked " + Name(n)); };
        Tree->OnExpanded = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("expanded " + Name(n)); };
        Tree->OnCollapsed = [this](TBaseLazyTree*, PLazyNode n) { Log.push_back("collapsed " + Name(n)); };
    }
    std::string Selection() { return Names(Tree->SelectedNodes()); }
};
