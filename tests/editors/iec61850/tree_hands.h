#pragma once
// The user's hand on the client editor's device tree. Kept in a file of its own: the tree's
// and the grid's type names cannot meet in one translation unit.
#include "editors/network/iec61850/UIEC_61850_Access.h"

// A left click on the node's text, as the user gives it; false when the node is not shown.
bool Click_Tree_Node(TFIEC_61850_Access* W, PLazyNode Node);
// A left click on the node's open/close button.
bool Click_Tree_Button(TFIEC_61850_Access* W, PLazyNode Node);
// The same, only while the node is closed; false when it is not shown.
bool Open_Tree_Node(TFIEC_61850_Access* W, PLazyNode Node);
// The texts of the nodes shown, top to bottom, each indented by two blanks per level.
std::vector<String> Tree_Lines(TFIEC_61850_Access* W);
// The mouse wheel turned over the tree (120 a notch, below 0 towards the user).
void Wheel_Tree(TFIEC_61850_Access* W, int Delta);
// How far the tree is scrolled (0 at the top, below 0 scrolled down).
int Tree_Offset(TFIEC_61850_Access* W);
// The node's text colour as the window draws it.
TColor Tree_Font_Color(TFIEC_61850_Access* W, PLazyNode Node);
