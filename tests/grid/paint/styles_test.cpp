// The colour schemes: every colour property after SetStyle for every named style and
// after SetTheme for every XP scheme, on a new grid and on a grid whose colours were all
// set beforehand (marks m0, m1 ... show what a scheme leaves as it was).
#include <cstdio>
#include <vector>

#include "grid/core/GridOptions.h"
#include "grid/paint/ControlLook.h"
#include "grid/sort/SortSettings.h"
#include "tests/common/extgrid_fixture.h"

namespace {

// The properties in the order of a recorded row.
constexpr const char* Columns =
    "look selstyle | selection selectionTo selectionText | active activeTo | gradient from to mirrorFrom mirrorTo"
    " | gridHover from to mirrorFrom mirrorTo border | gridDown from to mirrorFrom mirrorTo border"
    " | lines normal fixed | fixedColor | look fixed from to mirrorFrom mirrorTo"
    " | look hover from to mirrorFrom mirrorTo border | look down from to mirrorFrom mirrorTo border"
    " | sort header to mirror mirrorTo | search footer to";

constexpr TColor MarkBase = 0x0A0B00;

String ColorText(TColor c)
{
    if (c == clNone) return "none";
    char buf[16];
    if (c >= MarkBase && c < MarkBase + 64) std::snprintf(buf, sizeof buf, "m%d", int(c - MarkBase));
    else std::snprintf(buf, sizeof buf, "%X", unsigned(c));
    return buf;
}

String Record(TExtStringGrid* g)
{
    const TControlLook& cl = *g->ControlLook();
    const TSortSettings& ss = *g->SortSettings();
    String s = IntToStr(int(g->Look())) + " " + IntToStr(int(g->SelectionStyle()));
    const auto group = [&](std::initializer_list<TColor> colors) {
        s += " |";
        for (TColor c : colors) {
            s += ' ';
            s += ColorText(c);
        }
    };
    group({g->SelectionColor, g->SelectionColorTo, g->SelectionTextColor});
    group({g->ActiveCellColor, g->ActiveCellColorTo});
    group({g->WYXGradientFrom, g->WYXGradientTo, g->WYXGradientMirrorFrom, g->WYXGradientMirrorTo});
    group({g->FWYXGradHoverFrom, g->FWYXGradHoverTo, g->FWYXGradHoverMirrorFrom, g->FWYXGradHoverMirrorTo,
           g->FWYXGradHoverBorder});
    group({g->FWYXGradDownFrom, g->FWYXGradDownTo, g->FWYXGradDownMirrorFrom, g->FWYXGradDownMirrorTo,
           g->FWYXGradDownBorder});
    group({g->GridLineColor(), g->GridFixedLineColor()});
    group({g->FixedColor()});
    group({cl.FixedGradientFrom, cl.FixedGradientTo, cl.FixedGradientMirrorFrom, cl.FixedGradientMirrorTo});
    group({cl.FixedGradientHoverFrom, cl.FixedGradientHoverTo, cl.FixedGradientHoverMirrorFrom,
           cl.FixedGradientHoverMirrorTo, cl.FixedGradientHoverBorder});
    group({cl.FixedGradientDownFrom, cl.FixedGradientDownTo, cl.FixedGradientDownMirrorFrom,
           cl.FixedGradientDownMirrorTo, cl.FixedGradientDownBorder});
    group({ss.HeaderColor(), ss.HeaderColorTo(), ss.HeaderMirrorColor(), ss.HeaderMirrorColorTo()});
    group({g->SearchFooter()->Color(), g->SearchFooter()->ColorTo()});
    return s;
}

// Every recorded colour set to its own mark, on the custom look.
void Mark(TExtStringGrid* g)
{
    g->SetLook(glCustom);
    g->SetSelectionStyle(ssDefault);
    int m = 0;
    const auto next = [&] { return MarkBase + m++; };
    g->SelectionColor = next(), g->SelectionColorTo = next(), g->SelectionTextColor = next();
    g->ActiveCellColor = next(), g->ActiveCellColorTo = next();
    g->WYXGradientFrom = next(), g->WYXGradientTo = next(), g->WYXGradientMirrorFrom = next();
    g->WYXGradientMirrorTo = next();
    g->FWYXGradHoverFrom = next(), g->FWYXGradHoverTo = next(), g->FWYXGradHoverMirrorFrom = next();
    g->FWYXGradHoverMirrorTo = next(), g->FWYXGradHoverBorder = next();
    g->FWYXGradDownFrom = next(), g->FWYXGradDownTo = next(), g->FWYXGradDownMirrorFrom = next();
    g->FWYXGradDownMirrorTo = next(), g->FWYXGradDownBorder = next();
    g->SetGridLineColor(next());
    g->SetGridFixedLineColor(next());
    g->SetFixedColor(next());
    TControlLook& cl = *g->ControlLook();
    cl.FixedGradientFrom = next(), cl.FixedGradientTo = next(), cl.FixedGradientMirrorFrom = next();
    cl.FixedGradientMirrorTo = next();
    cl.FixedGradientHoverFrom = next(), cl.FixedGradientHoverTo = next(), cl.FixedGradientHoverMirrorFrom = next();
    cl.FixedGradientHoverMirrorTo = next(), cl.FixedGradientHoverBorder = next();
    cl.FixedGradientDownFrom = next(), cl.FixedGradientDownTo = next(), cl.FixedGradientDownMirrorFrom = next();
    cl.FixedGradientDownMirrorTo = next(), cl.FixedGradientDownBorder = next();
    TSortSettings& ss = *g->SortSettings();
    ss.SetHeaderColor(next()), ss.SetHeaderColorTo(next()), ss.SetHeaderMirrorColor(next());
    ss.SetHeaderMirrorColorTo(next());
    g->SearchFooter()->SetColor(next());
    g->SearchFooter()->SetColorTo(next());
}

struct SchemeCase {
    int Scheme;
    const char* New;      // on a new grid
    const char* Marked;   // on a grid marked beforehand
};

class StylesTest : public ExtGridTest {
protected:
    // Applies the scheme to a new grid (marked first when asked) and records it.
    template <class Apply>
    String Applied(bool Marked, Apply apply)
    {
        auto* g = new TExtStringGrid(Form);
        g->SetParent(Form);
        if (Marked) Mark(g);
        apply(g);
        const String row = Record(g);
        delete g;
        return row;
    }

    template <class Apply>
    void Check(const std::vector<SchemeCase>& Cases, int Count, const char* Name, Apply apply)
    {
        ASSERT_EQ(int(Cases.size()), Count) << "one row per " << Name;
        for (const SchemeCase& k : Cases) {
            SCOPED_TRACE(String(Name) + " " + IntToStr(k.Scheme) + "; columns: " + Columns);
            EXPECT_EQ(Applied(false, [&](TExtStringGrid* g) { apply(g, k.Scheme); }), k.New);
            EXPECT_EQ(Applied(true, [&](TExtStringGrid* g) { apply(g, k.Scheme); }), k.Marked);
        }
    }
};

TEST_F(StylesTest, EveryStyleSetsItsColours)
{
    const std::vector<SchemeCase> cases = {
        {gsOffice2003Blue,
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | FCE1CB E0A57D none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | FCE1CB E0A57D none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FCE1CB none",
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | FCE1CB E0A57D none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | FCE1CB E0A57D none none"
         " | CFD0D1 BEC6C8 BEC6C8 ABBCBF C0C0C0 | 868788 737C7E 737C7E 627376 808080 | none none none none"
         " | FCE1CB none"},
        {gsOffice2003Silver,
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | ECE2E1 B39698 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | ECE2E1 B39698 none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | ECE2E1 none",
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | ECE2E1 B39698 none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | ECE2E1 B39698 none none"
         " | CFD0D1 BEC6C8 BEC6C8 ABBCBF C0C0C0 | 868788 737C7E 737C7E 627376 808080 | none none none none"
         " | ECE2E1 none"},
        {gsOffice2003Olive,
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | CFF0EA 8CC0B1 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | CFF0EA 8CC0B1 none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | CFF0EA none",
         "4 0 | 94E6FB 1595EE 0 | 94E6FB 1595EE | CFF0EA 8CC0B1 none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | CFF0EA 8CC0B1 none none"
         " | CFD0D1 BEC6C8 BEC6C8 ABBCBF C0C0C0 | 868788 737C7E 737C7E 627376 808080 | none none none none"
         " | CFF0EA none"},
        {gsOffice2003Classic,
         "4 0 | FF00000D none FF00000E | D8D5D4 D8D5D4 | FFFFFF CCD4D8 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | none none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FFFFFF none",
         "4 0 | EACAB6 none 0 | D8D5D4 D8D5D4 | FFFFFF CCD4D8 none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | FFFFFF FF00000F none none"
         " | CFD0D1 BEC6C8 BEC6C8 ABBCBF C0C0C0 | 868788 737C7E 737C7E 627376 808080 | none none none none"
         " | FFFFFF none"},
        {gsOffice2007Luna,
         "8 3 | 5EC1F1 none 0 | 9DD8F9 5EC1F1 | FBF9F6 E8DBD2 none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | F1EDEB D1BBA4 | FF00000F | FBF9F6 E8DBD2 none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | FBF9F6 none",
         "8 3 | 5EC1F1 none 0 | 9DD8F9 5EC1F1 | FBF9F6 E8DBD2 none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | F1EDEB D1BBA4 | m21 | FBF9F6 E8DBD2 none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | FBF9F6 none"},
        {gsOffice2007Obsidian,
         "8 3 | 5EC1F1 none 0 | 9DD8F9 5EC1F1 | F7F7F7 DEDEDE none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | E5D7D0 808080 | FF00000F | F7F7F7 DEDEDE none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | F7F7F7 none",
         "8 3 | 5EC1F1 none 0 | 9DD8F9 5EC1F1 | F7F7F7 DEDEDE none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | E5D7D0 808080 | m21 | F7F7F7 DEDEDE none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | F7F7F7 none"},
        {gsWindowsXP,
         "4 0 | FF00000D none FF00000E | FF00000F FF00000F | F0F0F0 F0F0F0 none none"
         " | none none none none none | none none none none none | C0C0C0 808080 | FF00000F"
         " | none none none none | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080"
         " | none none none none | F0F0F0 none",
         "4 0 | EACAB6 none 0 | FF00000F FF00000F | F0F0F0 F0F0F0 none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | FFFFFF FF00000F none none"
         " | CFD0D1 BEC6C8 BEC6C8 ABBCBF C0C0C0 | 868788 737C7E 737C7E 627376 808080 | none none none none"
         " | F0F0F0 none"},
        {gsWhidbey,
         "4 0 | FF00000D none FF00000E | 94E6FB 1595EE | FFFFFF F0F0F0 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | none none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FFFFFF none",
         "9 0 | FF00000D none FF00000E | 94E6FB 1595EE | FFFFFF F0F0F0 none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | m21 | none none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FFFFFF none"},
        {gsCustom,
         "4 0 | FF00000D none FF00000E | 808080 none | FFFFFF F0F0F0 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | none none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FFFFFF FF00000F",
         "9 0 | FF00000D none FF00000E | m3 m4 | m5 m6 m7 m8 | m9 m10 none none m13 | m14 m15 none none m18"
         " | m19 m20 | m21 | none none none none | 808080 FFFFFF none none C0C0C0"
         " | 808080 C0C0C0 none none 808080 | none none none none | m40 m41"},
        {gsOffice2007Silver,
         "8 3 | 95C7F5 none 0 | 99CCFF 699CFF | F3F3F1 CAC9C8 none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | E5D7D0 808080 | FF00000F | F3F3F1 CAC9C8 none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | F3F3F1 none",
         "8 3 | 95C7F5 none 0 | 99CCFF 699CFF | F3F3F1 CAC9C8 none none | E4E2DF DBD3CD DBD3CD D2C5BC B79F87"
         " | E4C19D E4C19D E4C19D E4C19D E4C19D | E5D7D0 808080 | m21 | F3F3F1 CAC9C8 none none"
         " | E4E2DF DBD3CD DBD3CD D2C5BC B79F87 | E4C19D E4C19D E4C19D E4C19D E4C19D | none none none none"
         " | F3F3F1 none"},
        {gsWindowsVista,
         "6 1 | EACAB6 none 0 | FDF8F1 FCEFD5 | FFFFFF FFFFFF FAF8F7 F4F2F1"
         " | FFF7E3 FFF7E3 FFEDBD FBE7B7 E3C993 | F9E4BC F9E4BC F7D68D F5D18A AE904F | ECECF0 D4D2D1"
         " | FF00000F | none none none none | FFF7E3 FFF7E3 FFEDBD FBE7B7 E3C993"
         " | F9E4BC F9E4BC F7D68D F5D18A AE904F | FCF9F2 FCF9F2 F9F1E1 F6ECD8 | FFFFFF F4F2F1",
         "6 1 | EACAB6 none 0 | FDF8F1 FCEFD5 | FFFFFF FFFFFF FAF8F7 F4F2F1"
         " | FFF7E3 FFF7E3 FFEDBD FBE7B7 E3C993 | F9E4BC F9E4BC F7D68D F5D18A AE904F | ECECF0 D4D2D1 | m21"
         " | none none none none | FFF7E3 FFF7E3 FFEDBD FBE7B7 E3C993 | F9E4BC F9E4BC F7D68D F5D18A AE904F"
         " | FCF9F2 FCF9F2 F9F1E1 F6ECD8 | FFFFFF F4F2F1"},
        {gsWindows7,
         "7 2 | EACAB6 none 0 | FCEBDC FCDBC1 | FDFCFA FAF0E6 F4E6DC F7E9DD"
         " | FEFBF8 FAF2ED F4E4D7 E8D2C1 EEE8E3 | F1E8DD F1E4D8 ECDBCF EDDCCF D5BCAA | ECECF0 D4D2D1"
         " | FF00000F | none none none none | FEFBF8 FAF2ED F4E4D7 E8D2C1 C0C0C0"
         " | F1E8DD F1E4D8 ECDBCF EDDCCF D5BCAA | FCF9F2 FCF9F2 F9F1E1 F6ECD8 | FDFCFA F7E9DD",
         "7 2 | EACAB6 none 0 | FCEBDC FCDBC1 | FDFCFA FAF0E6 F4E6DC F7E9DD"
         " | FEFBF8 FAF2ED F4E4D7 E8D2C1 EEE8E3 | F1E8DD F1E4D8 ECDBCF EDDCCF D5BCAA | ECECF0 D4D2D1 | m21"
         " | none none none none | FEFBF8 FAF2ED F4E4D7 E8D2C1 C0C0C0 | F1E8DD F1E4D8 ECDBCF EDDCCF D5BCAA"
         " | FCF9F2 FCF9F2 F9F1E1 F6ECD8 | FDFCFA F7E9DD"},
        {gsTerminal,
         "0 0 | FF00000D none FF00000E | 808080 none | none none none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | FF00000F none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FF00000F FF00000F",
         "0 0 | FF00000D none FF00000E | 808080 none | none none none none | m9 m10 none none m13"
         " | m14 m15 none none m18 | C0C0C0 808080 | FF00000F | FF00000F none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FF00000F FF00000F"},
        {gsOffice2010Blue,
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | F5E7DA F5E7DA F5E7DA F5E7DA"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 C7B0A0"
         " | FF00000F | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8"
         " | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | D6CEC7 D6CEC7 D6CEC7 D6CEC7 | F5E7DA F5E7DA",
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | F5E7DA F5E7DA F5E7DA F5E7DA"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 C7B0A0 | m21"
         " | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2"
         " | D6CEC7 D6CEC7 D6CEC7 D6CEC7 | F5E7DA F5E7DA"},
        {gsOffice2010Silver,
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | E8E3DF E8E3DF E8E3DF E8E3DF"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 BAB5B1"
         " | FF00000F | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8"
         " | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | AAAAAA AAAAAA AAAAAA AAAAAA | E8E3DF E8E3DF",
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | E8E3DF E8E3DF E8E3DF E8E3DF"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 BAB5B1 | m21"
         " | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2"
         " | AAAAAA AAAAAA AAAAAA AAAAAA | E8E3DF E8E3DF"},
        {gsOffice2010Black,
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | 6A6A6A 6A6A6A 6A6A6A 6A6A6A"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 444444"
         " | FF00000F | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8"
         " | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | BABABA BABABA BABABA BABABA | 6A6A6A 6A6A6A",
         "8 3 | FFDBB7 none 0 | 5BD5FF 71EFFF | 6A6A6A 6A6A6A 6A6A6A 6A6A6A"
         " | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2 | C0C0C0 444444 | m21"
         " | FBF9F6 E8DBD2 none none | 6BDFFF AFEFFF AFEFFF E6FCFF 3ABFE8 | 5BD5FF 64E0FF 64E0FF 71EFFF 308AC2"
         " | BABABA BABABA BABABA BABABA | 6A6A6A 6A6A6A"},
    };
    Check(cases, int(gsOffice2010Black) + 1, "style",
          [](TExtStringGrid* g, int s) { g->SetStyle(TExtGridStyle(s)); });
}

TEST_F(StylesTest, EveryXPSchemeSetsItsColours)
{
    const std::vector<SchemeCase> cases = {
        {xpNone,
         "4 0 | EACAB6 none 0 | FFFFFF FFD8B3 | FFFFFF F0F0F0 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | none none none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FFFFFF FFD8B3",
         "9 0 | m0 m1 m2 | FFFFFF FFD8B3 | FFFFFF F0F0F0 none none | m9 m10 m11 m12 m13 | m14 m15 m16 m17 m18"
         " | m19 m20 | m21 | none none m24 m25 | m26 m27 m28 m29 m30 | m31 m32 m33 m34 m35 | m36 m37 m38 m39"
         " | FFFFFF FFD8B3"},
        {xpBlue,
         "4 0 | EACAB6 none 0 | 94E6FB 1595EE | FCE1CB E0A57D none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | FCE1CB E0A57D none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | FCE1CB E0A57D",
         "9 0 | m0 m1 m2 | 94E6FB 1595EE | FCE1CB E0A57D none none | m9 m10 m11 m12 m13 | m14 m15 m16 m17 m18"
         " | m19 m20 | m21 | FCE1CB E0A57D m24 m25 | m26 m27 m28 m29 m30 | m31 m32 m33 m34 m35"
         " | m36 m37 m38 m39 | FCE1CB E0A57D"},
        {xpGreen,
         "4 0 | EACAB6 none 0 | 94E6FB 1595EE | CFF0EA 8CC0B1 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | CFF0EA 8CC0B1 none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | CFF0EA 8CC0B1",
         "9 0 | m0 m1 m2 | 94E6FB 1595EE | CFF0EA 8CC0B1 none none | m9 m10 m11 m12 m13 | m14 m15 m16 m17 m18"
         " | m19 m20 | m21 | CFF0EA 8CC0B1 m24 m25 | m26 m27 m28 m29 m30 | m31 m32 m33 m34 m35"
         " | m36 m37 m38 m39 | CFF0EA 8CC0B1"},
        {xpGray,
         "4 0 | EACAB6 none 0 | 94E6FB 1595EE | ECE2E1 B39698 none none | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | ECE2E1 B39698 none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | ECE2E1 B39698",
         "9 0 | m0 m1 m2 | 94E6FB 1595EE | ECE2E1 B39698 none none | m9 m10 m11 m12 m13 | m14 m15 m16 m17 m18"
         " | m19 m20 | m21 | ECE2E1 B39698 m24 m25 | m26 m27 m28 m29 m30 | m31 m32 m33 m34 m35"
         " | m36 m37 m38 m39 | ECE2E1 B39698"},
        {vistaAero,
         "4 0 | EACAB6 none 0 | 94E6FB 1595EE | FFFFFF FFFFFF FAF8F7 F4F2F1 | none none none none none"
         " | none none none none none | C0C0C0 808080 | FF00000F | FFFFFF FFFFFF none none"
         " | 808080 FFFFFF none none C0C0C0 | 808080 C0C0C0 none none 808080 | none none none none"
         " | ECE2E1 B39698",
         "9 0 | m0 m1 m2 | 94E6FB 1595EE | FFFFFF FFFFFF FAF8F7 F4F2F1 | m9 m10 m11 m12 m13"
         " | m14 m15 m16 m17 m18 | m19 m20 | m21 | FFFFFF FFFFFF m24 m25 | m26 m27 m28 m29 m30"
         " | m31 m32 m33 m34 m35 | m36 m37 m38 m39 | ECE2E1 B39698"},
    };
    Check(cases, int(vistaAero) + 1, "scheme", [](TExtStringGrid* g, int s) { g->SetTheme(TXPColorScheme(s)); });
}

}  // namespace
