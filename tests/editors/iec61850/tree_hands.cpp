// The user's hand on the device tree.
#include "tests/editors/iec61850/tree_hands.h"

#include "editors/network/iec61850/UIEC_Tree_View.h"
#include "tests/common/UserInput.h"

bool Click_Tree_Node(TFIEC_61850_Access* W, PLazyNode Node)
{
    TIEC_Tree_View* T = W->TV_IEC_Device;
    const int Line = T->Line_Of(Node);
    if (Line < 0) return false;
    const int x = 4 + int(T->GetNodeLevel(Node)) * T->Indent() + 36;
    UserClick(T, x, T->OffsetY() + Line * T->Line_Height() + T->Line_Height() / 2);
    return true;
}

bool Click_Tree_Button(TFIEC_61850_Access* W, PLazyNode Node)
{
    TIEC_Tree_View* T = W->TV_IEC_Device;
    const int Line = T->Line_Of(Node);
    if (Line < 0) return false;
    const int x = 4 + int(T->GetNodeLevel(Node)) * T->Indent() + 4;
    UserClick(T, x, T->OffsetY() + Line * T->Line_Height() + T->Line_Height() / 2);
    return true;
}

bool Open_Tree_Node(TFIEC_61850_Access* W, PLazyNode Node)
{
    if (W->TV_IEC_Device->Expanded(Node)) return W->TV_IEC_Device->Line_Of(Node) >= 0;
    return Click_Tree_Button(W, Node);
}

std::vector<String> Tree_Lines(TFIEC_61850_Access* W)
{
    TIEC_Tree_View* T = W->TV_IEC_Device;
    std::vector<String> Lines;
    for (PLazyNode n : T->Shown_Nodes()) Lines.push_back(String(2 * T->GetNodeLevel(n), ' ') + T->Node_Text(n));
    return Lines;
}

void Wheel_Tree(TFIEC_61850_Access* W, int Delta)
{
    UserWheel(W->TV_IEC_Device, Delta, 50, 50);
}

int Tree_Offset(TFIEC_61850_Access* W)
{
    return W->TV_IEC_Device->OffsetY();
}

TColor Tree_Font_Color(TFIEC_61850_Access* W, PLazyNode Node)
{
    TColor c = clNone;
    W->TV_IEC_Device->OnCustomDrawItem(W->TV_IEC_Device, Node, c);
    return c;
}
