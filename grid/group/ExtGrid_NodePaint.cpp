// The look of node rows in column 0: the expand / contract glyph of a node in each of
// the node types, and the tree lines that join a node to its rows.
#include <mutex>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridDrawUtils.h"

namespace {

constexpr TColor kTransparent = clFuchsia;
constexpr int kBox = 9;   // the square glyphs are 9 x 9: the sign has a middle pixel

void Sign(TCanvas* c, int x, int y, int size, bool plus, TColor color)
{
    const int cx = x + size / 2, cy = y + size / 2;
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    c->MoveTo(x + 2, cy);
    c->LineTo(x + size - 2, cy);
    if (plus) {
        c->MoveTo(cx, y + 2);
        c->LineTo(cx, y + size - 2);
    }
}

// The box of the XP look: a blue-grey frame round a white-to-grey face, with a pixel
// of transparent margin (the top-left pixel gives the transparent colour).
std::unique_ptr<TBitmap> MakeXPNode(bool expanded)
{
    constexpr int n = kBox + 2;
    auto b = std::make_unique<TBitmap>(n, n);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(kTransparent);
    c->FillRect(TRect(0, 0, n, n));
    DrawGradient(c, clWhite, 0xBEC6C6, kBox - 2, TRect(2, 2, kBox, kBox), false);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(0xAD987A);
    c->Rectangle(1, 1, kBox + 1, kBox + 1);
    c->Brush()->SetStyle(bsSolid);
    Sign(c, 1, 1, kBox, !expanded, clBlack);
    return b;
}

// The leaf look: a green leaf with a white sign.
std::unique_ptr<TBitmap> MakeLeafNode(bool expanded)
{
    auto b = std::make_unique<TBitmap>(13, 13);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(kTransparent);
    c->FillRect(TRect(0, 0, 13, 13));
    c->Brush()->SetColor(expanded ? 0x3CA050 : 0x2C7A3C);
    c->Pen()->SetColor(0x1E5A28);
    c->Ellipse(0, 1, 13, 12);
    Sign(c, 1, 1, 11, !expanded, clWhite);
    return b;
}

void RegisterNodeGlyphs()
{
    const auto reg = [](const char* name, std::unique_ptr<TBitmap> b) { RegisterResourceGlyph(name, b.get()); };
    reg("XPNODEO", MakeXPNode(true));
    reg("XPNODEC", MakeXPNode(false));
    reg("ASGLEAFOPEN", MakeLeafNode(true));
    reg("ASGLEAFCLOSE", MakeLeafNode(false));
}

void EnsureNodeGlyphs()
{
    static std::once_flag once;
    std::call_once(once, RegisterNodeGlyphs);
}

int LevelOf(TExtStringGrid* g, int ARow)
{
    TCellProperties* p = g->CellPropsOf(0, ARow);
    return p ? p->NodeLevel : 0;
}

// Whether the block of a node at level K, which holds ARow, has a row of its own (a
// plain row of level K or a node one level deeper) below ARow.
bool BlockGoesOn(TExtStringGrid* g, int ARow, int K)
{
    const int last = g->RowCount() - g->FixedFooters - 1;
    for (int j = ARow + 1; j <= last; ++j) {
        const int lv = LevelOf(g, j);
        const bool node = g->IsNode(j);
        if (lv < K || (lv == K && node)) return false;
        if ((lv == K && !node) || (lv == K + 1 && node)) return true;
    }
    return false;
}

}  // namespace

void TExtStringGrid::DrawNodeGlyph(TCanvas* ACanvas, int ARow, TRect R, bool Selected)
{
    TCellGraphic* g = GetCellGraphic(0, ARow);
    if (!g || g->CellType != ctNode) return;
    EnsureNodeGlyphs();
    const bool expanded = !g->CellBoolean;
    const int L = std::max(1, LevelOf(this, ARow)), I = FCellNode->NodeIndent();
    const int x0 = CellRect(DisplColIndex(0), ARow).Left + (L - 1) * I;
    const TColor bk = Selected ? SelectionColor : ACanvas->Brush()->Color();
    const int saved = ACanvas->SaveState();
    const auto centredY = [&](int h) { return R.Top + (R.Height() - h) / 2; };
    switch (FCellNode->NodeType()) {
    case cnFlat: {
        const TRect box = Bounds(x0 + 4, centredY(kBox), kBox, kBox);
        ACanvas->Brush()->SetColor(bk);
        ACanvas->Pen()->SetColor(FCellNode->NodeColor);
        ACanvas->Rectangle(box);
        Sign(ACanvas, box.Left, box.Top, kBox, !expanded, FCellNode->NodeColor);
        break;
    }
    case cn3D: {
        const TRect box = Bounds(x0 + 4, centredY(kBox), kBox, kBox);
        ACanvas->Brush()->SetColor(FCellNode->Color);
        ACanvas->FillRect(box);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(box.Left, box.Bottom - 1);
        ACanvas->LineTo(box.Left, box.Top);
        ACanvas->LineTo(box.Right - 1, box.Top);
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->LineTo(box.Right - 1, box.Bottom - 1);
        ACanvas->LineTo(box.Left, box.Bottom - 1);
        Sign(ACanvas, box.Left, box.Top, kBox, !expanded, clBlack);
        break;
    }
    case cnGlyph: {
        TBitmap* glyph = expanded ? FCellNode->ExpandGlyph() : FCellNode->ContractGlyph();
        if (glyph && !glyph->Empty())
            DrawTransparentBitmap(ACanvas, glyph, bk,
                                  Bounds(x0 + 2, centredY(glyph->Height()), glyph->Width(), glyph->Height()));
        break;
    }
    case cnLeaf:
        DrawResourceGlyph(ACanvas, bk, Bounds(x0 + 3, centredY(13), 13, 13), expanded ? "ASGLEAFOPEN" : "ASGLEAFCLOSE");
        break;
    case cnXP:
        DrawResourceGlyph(ACanvas, bk, Bounds(x0 + 3, centredY(kBox) - 1, kBox + 2, kBox + 2), expanded ? "XPNODEO" : "XPNODEC");
        break;
    }
    ACanvas->RestoreState(saved);
}

void TExtStringGrid::DrawNodeTreeLines(TCanvas* ACanvas, int ARow, TRect R)
{
    if (!HasNodes() || !FCellNode->ShowTree() || ARow < FixedRows()) return;
    const int L = LevelOf(this, ARow);
    if (L < 1) return;
    const bool node = IsNode(ARow);
    const int I = FCellNode->NodeIndent();
    const TRect cell = CellRect(DisplColIndex(0), ARow);
    const int x0 = cell.Left, top = cell.Top, bottom = cell.Bottom + 1, mid = R.Top + R.Height() / 2;
    const int saved = ACanvas->SaveState();
    ACanvas->Pen()->SetColor(FCellNode->TreeColor());
    ACanvas->Pen()->SetWidth(1);
    const auto vline = [&](int x, int y1, int y2) {
        ACanvas->MoveTo(x, y1);
        ACanvas->LineTo(x, y2);
    };
    // A node's line belongs to its parent, one level up; a plain row's to its node.
    const int P = node ? L - 1 : L;
    if (P >= 1) {
        const int x = x0 + (P - 1) * I + 8;
        vline(x, top, BlockGoesOn(this, ARow, P) ? bottom : mid + 1);
        ACanvas->MoveTo(x, mid);
        ACanvas->LineTo(node ? x0 + P * I + 4 : x0 + P * I + 2, mid);
    }
    for (int k = 1; k < P; ++k)
        if (BlockGoesOn(this, ARow, k)) vline(x0 + (k - 1) * I + 8, top, bottom);
    // An open node leads its line down to its first row.
    if (node && !GetNodeState(ARow) && NodeDisplaySpan(ARow) > 1) {
        const int x = x0 + (L - 1) * I + 8;
        vline(x, R.Top + (R.Height() - kBox) / 2 + kBox, bottom);
    }
    ACanvas->RestoreState(saved);
}
