// Drawing and pressing the device tree.
#include "editors/network/iec61850/UIEC_Tree_View.h"

#include <functional>

namespace {

constexpr int Button_Size = 9;
constexpr int Picture_Size = 14;

// One colour per picture: device, logical device, logical node, data object, data
// attribute, data set.
constexpr TColor Picture_Colors[6] = {TColor(0x00505050), TColor(0x000080FF), TColor(0x00A04080),
                                      TColor(0x00FF0000), TColor(0x00C0A000), TColor(0x00008000)};

}  // namespace

TIEC_Tree_View::TIEC_Tree_View(TComponent* AOwner) : TLazyStringTree(AOwner)
{
    SetColor(clWindow);
}

PLazyNode TIEC_Tree_View::Add_Node(PLazyNode Parent, const String& Text, int Image)
{
    PLazyNode Node = AddChild(Parent);
    FItems[Node] = TItem{Text, Image};
    Invalidate();
    return Node;
}

const String& TIEC_Tree_View::Node_Text(PLazyNode Node) const
{
    static const String None;
    const auto i = FItems.find(Node);
    return i == FItems.end() ? None : i->second.Text;
}

int TIEC_Tree_View::Node_Image(PLazyNode Node) const
{
    const auto i = FItems.find(Node);
    return i == FItems.end() ? -1 : i->second.Image;
}

void TIEC_Tree_View::Clear()
{
    FSelected = nullptr;
    TLazyStringTree::Clear();
    FItems.clear();
    Invalidate();
}

void TIEC_Tree_View::Select(PLazyNode Node)
{
    FSelected = Node;
    ClearSelection();
    if (Node) {
        SetSelected(Node, true);
        SetFocusedNode(Node);
    }
    Invalidate();
}

std::vector<PLazyNode> TIEC_Tree_View::Shown_Nodes()
{
    std::vector<PLazyNode> Nodes;
    std::function<void(PLazyNode)> Walk = [&](PLazyNode Parent) {
        for (PLazyNode n = GetFirstChild(Parent); n; n = GetNextSibling(n)) {
            Nodes.push_back(n);
            if (Expanded(n)) Walk(n);
        }
    };
    Walk(nullptr);
    return Nodes;
}

int TIEC_Tree_View::Line_Of(PLazyNode Node)
{
    const std::vector<PLazyNode> Nodes = Shown_Nodes();
    for (size_t i = 0; i < Nodes.size(); ++i)
        if (Nodes[i] == Node) return int(i);
    return -1;
}

int TIEC_Tree_View::Level_X(PLazyNode Node) const
{
    return 4 + int(GetNodeLevel(Node)) * Indent();
}

void TIEC_Tree_View::Draw_Picture(int X, int Y, int Image)
{
    if (Image < 0 || Image >= 6) return;
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Picture_Colors[Image]);
    c->Pen()->SetColor(clBlack);
    // A device and a logical device are boxes, a node a disc, data a smaller block.
    switch (Image) {
    case 2: c->Ellipse(X, Y, X + Picture_Size, Y + Picture_Size); break;
    case 3:
    case 4: c->Rectangle(X + 2, Y + 2, X + Picture_Size - 2, Y + Picture_Size - 2); break;
    default: c->Rectangle(X, Y, X + Picture_Size, Y + Picture_Size); break;
    }
}

void TIEC_Tree_View::Paint()
{
    TCanvas* c = Canvas();
    const TRect Area = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(Area);
    c->SetFont(Font());
    const int h = Line_Height();
    // The wheel scrolls through the tree's own vertical offset (0 or below).
    int y = OffsetY();
    for (PLazyNode n : Shown_Nodes()) {
        if (y > Area.Bottom) break;
        if (y + h <= 0) {
            y += h;
            continue;
        }
        const int x = Level_X(n);
        if (GetFirstChild(n)) {
            // The button: a box with a minus when open, a plus when closed.
            const int bx = x, by = y + (h - Button_Size) / 2;
            c->Brush()->SetColor(clWhite);
            c->Pen()->SetColor(clGray);
            c->Rectangle(bx, by, bx + Button_Size, by + Button_Size);
            c->Pen()->SetColor(clBlack);
            c->MoveTo(bx + 2, by + Button_Size / 2);
            c->LineTo(bx + Button_Size - 2, by + Button_Size / 2);
            if (!Expanded(n)) {
                c->MoveTo(bx + Button_Size / 2, by + 2);
                c->LineTo(bx + Button_Size / 2, by + Button_Size - 2);
            }
        }
        const int px = x + Button_Size + 4;
        Draw_Picture(px, y + (h - Picture_Size) / 2, Node_Image(n));
        TColor Font_Color = clBlack;
        if (OnCustomDrawItem) OnCustomDrawItem(this, n, Font_Color);
        const String& Text = Node_Text(n);
        const int tx = px + Picture_Size + 4;
        if (n == FSelected) {
            c->Brush()->SetColor(clHighlight);
            c->FillRect(TRect(tx - 2, y, tx + c->TextWidth(Text) + 2, y + h));
            c->Font()->SetColor(clHighlightText);
        } else {
            c->Brush()->SetColor(Color());
            c->Font()->SetColor(Font_Color);
        }
        c->TextOut(tx, y + (h - c->TextHeight(Text)) / 2, Text);
        y += h;
    }
}

void TIEC_Tree_View::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Focused() && CanFocus()) SetFocus();
    if (Button != mbLeft || Y < 0 || Y - OffsetY() < 0) return;
    const std::vector<PLazyNode> Nodes = Shown_Nodes();
    const size_t Line = size_t((Y - OffsetY()) / Line_Height());
    if (Line >= Nodes.size()) return;
    PLazyNode n = Nodes[Line];
    const int x = Level_X(n);
    if (GetFirstChild(n) && X >= x && X < x + Button_Size + 2) {
        ToggleNode(n);
        Invalidate();
        return;
    }
    Select(n);
}

void TIEC_Tree_View::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
}
