// The stock pictures of the push button: one picture per kind drawn as pixel art in the
// sixteen basic colours, and a strip made of it with its disabled twin beside it. The
// background colour (olive) fills the lower-left pixel, so it is the transparent one.
#include <cstring>

#include "shell/LbButton.h"

namespace {

// '.' background; the letters name the sixteen basic colours.
TColor ArtColor(char ch)
{
    switch (ch) {
    case 'k': return clBlack;
    case 'R': return clMaroon;
    case 'G': return clGreen;
    case 'B': return clNavy;
    case 'P': return clPurple;
    case 'T': return clTeal;
    case 'd': return clGray;
    case 's': return clSilver;
    case 'r': return clRed;
    case 'g': return clLime;
    case 'y': return clYellow;
    case 'b': return clBlue;
    case 'm': return clFuchsia;
    case 'a': return clAqua;
    case 'w': return clWhite;
    default: return clOlive;
    }
}

constexpr TColor kBackground = clOlive;

const char* const kOk[] = {
    "..................",
    "..................",
    "..................",
    "..............gG..",
    ".............ggG..",
    "............gggG..",
    "...........gggG...",
    "..........gggG....",
    "...gG....gggG.....",
    "...ggG..gggG......",
    "...gggGgggG.......",
    "....gggggG........",
    ".....gggG.........",
    "......gG..........",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kCancel[] = {
    "..................",
    "..................",
    "..................",
    "...rR.......rR....",
    "...rrR.....rrR....",
    "....rrR...rrR.....",
    ".....rrR.rrR......",
    "......rrrrR.......",
    ".......rrR........",
    "......rrrrR.......",
    ".....rrR.rrR......",
    "....rrR...rrR.....",
    "...rrR.....rrR....",
    "...rR.......rR....",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kHelp[] = {
    "..................",
    "..................",
    "......bbbbbB......",
    ".....bbB..bbB.....",
    ".....bB....bbB....",
    "...........bbB....",
    "..........bbB.....",
    ".........bbB......",
    "........bbB.......",
    "........bbB.......",
    "........bbB.......",
    "..................",
    "........bbB.......",
    "........bbB.......",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kYes[] = {
    "..................",
    "..................",
    "..................",
    ".............gG...",
    "............ggG...",
    "...........gggG...",
    "..........gggG....",
    "..........ggG.....",
    "..gG.....gggG.....",
    "..ggG...gggG......",
    "..gggG.gggG.......",
    "...gggggggG.......",
    "....gggggG........",
    ".....gggG.........",
    "......gG..........",
    "..................",
    "..................",
    "..................",
};
const char* const kNo[] = {
    "..................",
    "..................",
    "......rrrrrR......",
    "....rrRRRRRrrR....",
    "...rR.......rrR...",
    "...rR......rrrR...",
    "..rR......rrR.rR..",
    "..rR.....rrR..rR..",
    "..rR....rrR...rR..",
    "..rR...rrR....rR..",
    "..rR..rrR.....rR..",
    "...rRrrR.....rR...",
    "...rrrR......rR...",
    "....rrRRRRRrrR....",
    "......rrrrrR......",
    "..................",
    "..................",
    "..................",
};
const char* const kClose[] = {
    "..................",
    "..................",
    "...BBBBBBBBBBB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BssssssyysB....",
    "...BssssssyysB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BsssssssssB....",
    "...BBBBBBBBBBB....",
    "..................",
    "..................",
    "..................",
};
const char* const kAbort[] = {
    "..................",
    "..................",
    "......RRRRRR......",
    ".....RrrrrrrR.....",
    "....RrrrrrrrrR....",
    "...RrrrrrrrrrrR...",
    "...RrrrrrrrrrrR...",
    "...RrwwwwwwwwrR...",
    "...RrwwwwwwwwrR...",
    "...RrrrrrrrrrrR...",
    "...RrrrrrrrrrrR...",
    "....RrrrrrrrrR....",
    ".....RrrrrrrR.....",
    "......RRRRRR......",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kRetry[] = {
    "..................",
    "..................",
    ".......bbbbb......",
    ".....bbB...bbB....",
    "....bB.......bB...",
    "...bB..........b..",
    "...bB.......bbbbbB",
    "...bB........bbbB.",
    "...bB.........bB..",
    "...bB.............",
    "....bB.......bB...",
    ".....bbB...bbB....",
    ".......bbbbbB.....",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kIgnore[] = {
    "..................",
    "..................",
    "..................",
    "..................",
    "..gG....gG........",
    "..ggG...ggG.......",
    "..gggG..gggG......",
    "..ggggG.ggggG.....",
    "..gggggGgggggG....",
    "..ggggG.ggggG.....",
    "..gggG..gggG......",
    "..ggG...ggG.......",
    "..gG....gG........",
    "..................",
    "..................",
    "..................",
    "..................",
    "..................",
};
const char* const kAll[] = {
    "..................",
    "..................",
    "..............gG..",
    ".............ggG..",
    "............gggG..",
    "...........gggG...",
    ".......gG.gggG....",
    "......ggGgggG.....",
    ".....gggggggG.....",
    ".gG.gggggggG......",
    ".ggGgggGgggG......",
    ".gggggG.ggG.......",
    "..ggggG...........",
    "...ggG............",
    "....G.............",
    "..................",
    "..................",
    "..................",
    "..................",
};

const char* const kArrow[] = {
    "kkkkk",
    ".kkk.",
    "..k..",
};

struct TArt {
    const char* Name;
    const char* const* Rows;
    int RowCount;
};

#define LB_ART(name, rows) TArt{name, rows, int(sizeof(rows) / sizeof(rows[0]))}
const TArt kArts[] = {
    LB_ART("LBOK", kOk),         LB_ART("LBCANCEL", kCancel), LB_ART("LBHELP", kHelp),
    LB_ART("LBYES", kYes),       LB_ART("LBNO", kNo),         LB_ART("LBCLOSE", kClose),
    LB_ART("LBABORT", kAbort),   LB_ART("LBRETRY", kRetry),   LB_ART("LBIGNORE", kIgnore),
    LB_ART("LBALL", kAll),       LB_ART("LBARROW", kArrow),
};
#undef LB_ART

}   // namespace

std::unique_ptr<TBitmap> LbButtonResource(const String& name)
{
    auto bmp = std::make_unique<TBitmap>();
    for (const TArt& art : kArts) {
        if (name != art.Name) continue;
        const int w = int(std::strlen(art.Rows[0]));
        const int h = art.RowCount;
        const bool strip = name != "LBARROW";
        bmp->SetSize(strip ? 2 * w : w, h);
        TCanvas* c = bmp->Canvas();
        c->Brush()->SetColor(kBackground);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(Rect(0, 0, bmp->Width(), bmp->Height()));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (art.Rows[y][x] != '.') c->SetPixels(x, y, ArtColor(art.Rows[y][x]));
        if (strip) {
            // The disabled twin: the shape embossed, white one pixel down and right under gray.
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (art.Rows[y][x] != '.' && x + 1 < w && y + 1 < h) c->SetPixels(w + x + 1, y + 1, clWhite);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (art.Rows[y][x] != '.') c->SetPixels(w + x, y, clGray);
        }
        break;
    }
    return bmp;
}
