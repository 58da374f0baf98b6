// The grid's support lists, file pictures, line-wise string lists, drop arrows and
// system icons.
#include <gtest/gtest.h>

#include <filesystem>

#include "grid/util/GridSupport.h"
#include "platform/gui/Forms.h"

namespace {

struct SortEntry { int col; bool asc; };

std::vector<SortEntry> Entries(const TSortIndexList& l)
{
    std::vector<SortEntry> r;
    for (int i = 0; i < l.Count(); ++i) r.push_back({l.GetSortColumns(i), l.GetSortDirections(i)});
    return r;
}

TEST(GridSortIndexList, SavedAndLoadedSortOrders)
{
    struct Case { String text; std::vector<SortEntry> entries; String saved; };
    const Case cases[] = {
        {"U5", {{5, false}}, "d5"},                               // only a lower-case u is ascending
        {"u12;x;d7", {{12, true}, {7, false}}, "u12;d7"},         // too short: skipped
        {"u2;d0", {{2, true}, {0, false}}, "u2;d0"},
        {"uab;d", {{0, true}}, "u0"},                             // no digits: column 0
        {"u3x9", {{3, true}}, "u3"},                              // the digits it starts with
        {"", {}, ""},
        {"u99999999999", {{0x7FFFFFFF, true}}, "u65535"},          // no overflow into the direction bit
    };
    for (const Case& c : cases) {
        TSortIndexList l;
        l.AddIndex(42, true);   // replaced by the load
        l.LoadFromString(c.text);
        const auto got = Entries(l);
        ASSERT_EQ(got.size(), c.entries.size()) << c.text;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].col, c.entries[i].col) << c.text;
            EXPECT_EQ(got[i].asc, c.entries[i].asc) << c.text;
        }
        EXPECT_EQ(l.SaveToString(), c.saved) << c.text;
    }
}

TEST(GridSortIndexList, DirectionsAndColumns)
{
    TSortIndexList l;
    l.AddIndex(3, false);
    EXPECT_EQ(l.SaveToString(), "d3");
    l.AddIndex(65537, true);
    EXPECT_EQ(l.SaveToString(), "d3;u1");   // low 16 bits only
    EXPECT_EQ(l.FindIndex(65537), 1);
    EXPECT_EQ(l.FindIndex(1), -1);
    l.ToggleIndex(3);
    EXPECT_TRUE(l.GetSortDirections(0));
    l.ToggleIndex(99);   // absent: nothing
    l.SetSortColumns(0, 8);
    EXPECT_EQ(l.GetSortColumns(0), 8);
    EXPECT_TRUE(l.GetSortDirections(0));   // direction kept
    l.SetSortDirections(1, false);
    EXPECT_EQ(l.GetSortColumns(1), 65537);   // column kept
    EXPECT_EQ(l.SaveToString(), "u8;d1");
}

TEST(GridIntList, ChangesReportTheirCell)
{
    TIntList l(4, 9);
    std::vector<std::pair<int, int>> events;
    l.OnChange = [&](TObject* sender, int col, int row) {
        EXPECT_EQ(sender, &l);
        events.push_back({col, row});
    };
    l.SetStrValue("1,2,3");
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(events.front(), std::make_pair(4, 9));
    EXPECT_EQ(l.StrValue(), "1,2,3");

    events.clear();
    l.Insert(0, 7);   // silent
    EXPECT_TRUE(events.empty());
    l.SetInteger(0, 8);
    l.DeleteValue(2);
    l.DeleteValue(99);   // absent: no event
    l.Delete(0);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(l.StrValue(), "1,3");
    EXPECT_TRUE(l.HasValue(3));
    EXPECT_FALSE(l.HasValue(2));

    l.SetStrValue("5 6,\"7\"");   // blanks separate too, quotes group
    EXPECT_EQ(l.StrValue(), "5,6,7");
    EXPECT_THROW(l.SetStrValue("1,x"), EConvertError);
    EXPECT_THROW(l.GetInteger(10), EListError);
    l.SetStrValue("");
    EXPECT_EQ(l.StrValue(), "");
}

TEST(GridFileStringList, WritesAndReadsLineByLine)
{
    TFileStringList l;
    l.Write("a");
    l.WriteLn("b");
    l.WriteLn("c");
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l[0], "ab");
    l.Reset();
    String s;
    EXPECT_FALSE(l.Eof());
    l.ReadLn(s);
    EXPECT_EQ(s, "ab");
    EXPECT_FALSE(l.Eof());
    l.ReadLn(s);
    EXPECT_EQ(s, "c");
    EXPECT_TRUE(l.Eof());
    EXPECT_THROW(l.ReadLn(s), EListError);
}

TEST(GridControlList, ControlsByCell)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    TControlList l;
    EXPECT_EQ(l.ControlIndex(1, 1), -1);
    l.AddControl(1, 2, edit);
    l.AddControl(3, 4, nullptr);
    EXPECT_EQ(l.ControlIndex(3, 4), 1);
    EXPECT_EQ(l.ControlIndex(2, 1), -1);
    EXPECT_TRUE(l.HasHandle(edit->Handle()));
    EXPECT_FALSE(l.HasHandle(form.Handle()));
    l.RemoveControl(0);   // the control itself stays
    EXPECT_EQ(l.Count(), 1);
    EXPECT_EQ(edit->Parent(), &form);
}

TEST(GridFilePicture, SizeFromTheFileAndDrawnStretched)
{
    Application->Initialize();
    const auto dir = std::filesystem::temp_directory_path() / "grid_filepicture_test";
    std::filesystem::create_directories(dir);
    const String path = (dir / "pic.png").string();
    {
        TBitmap b(6, 4);
        b.Canvas()->Brush()->SetColor(clRed);
        b.Canvas()->FillRect(TRect(0, 0, 6, 4));
        b.SaveToFile(path);
    }
    TFilePicture p;
    p.SetFilename(path);
    EXPECT_EQ(p.Width(), 6);
    EXPECT_EQ(p.Height(), 4);

    TFilePicture copy;
    copy.Assign(&p);
    std::filesystem::remove(path);   // Assign needs no file
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Width(), 6);
    EXPECT_THROW(copy.DrawPicture(TBitmap(2, 2).Canvas(), TRect(0, 0, 2, 2)), Exception);

    {
        TBitmap b(6, 4);
        b.Canvas()->Brush()->SetColor(clBlue);
        b.Canvas()->FillRect(TRect(0, 0, 6, 4));
        b.SaveToFile(path);
    }
    TBitmap target(30, 30);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(TRect(0, 0, 30, 30));
    copy.DrawPicture(target.Canvas(), TRect(0, 0, 24, 16));   // read again at each drawing
    EXPECT_EQ(target.Canvas()->Pixels(20, 12), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(26, 20), clWhite);

    TFilePicture missing;
    EXPECT_THROW(missing.SetFilename((dir / "none.png").string()), Exception);
    TFilePicture empty;
    empty.DrawPicture(target.Canvas(), TRect(0, 0, 30, 30));   // no file name: nothing
    std::filesystem::remove_all(dir);
}

TEST(GridArrowWindow, ArrowShapesShowOnlyTheArrow)
{
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* host = new TPanel(&form);
    host->SetParent(&form);
    host->SetBevelOuter(bvNone);
    host->SetBounds(0, 0, 60, 40);
    host->SetColor(clNavy);
    struct Case { TArrowDirection dir; TPoint first; int w, h; TPoint inside, outside; };
    const Case cases[] = {
        {arrUp, {5, 0}, 11, 10, {5, 7}, {0, 8}},
        {arrDown, {3, 0}, 10, 9, {5, 6}, {0, 0}},
        {arrLeft, {0, 3}, 9, 11, {6, 5}, {8, 0}},
        {arrRight, {0, 5}, 9, 11, {2, 5}, {0, 0}},
    };
    for (const Case& c : cases) {
        auto* a = new TArrowWindow(host, c.dir);
        EXPECT_FALSE(a->Visible());
        EXPECT_EQ(a->Parent(), host);
        EXPECT_EQ(a->Color(), clLime);
        EXPECT_EQ(a->Arrow()[0], c.first);
        EXPECT_EQ(a->Width(), c.w);
        EXPECT_EQ(a->Height(), c.h);
        a->SetBounds(20, 10, a->Width(), a->Height());
        a->Show();
        TBitmap shot;
        PaintControlTo(host, &shot);
        EXPECT_EQ(shot.Canvas()->Pixels(20 + c.inside.X, 10 + c.inside.Y), clLime) << int(c.dir);
        EXPECT_EQ(shot.Canvas()->Pixels(20 + c.outside.X, 10 + c.outside.Y), clNavy) << int(c.dir);
        delete a;
    }
}

TEST(GridSysIcons, FileAndFolderPictures)
{
    Application->Initialize();
    const auto dir = std::filesystem::temp_directory_path();
    EXPECT_EQ(GetSysIconIndex(dir.string()), siFolder);
    EXPECT_EQ(GetSysIconIndex((dir / "no_such_file.txt").string()), siFile);
    EXPECT_EQ(GetSysIconIndex(""), siFile);
    EXPECT_EQ(SysIconSize(false), 16);
    EXPECT_EQ(SysIconSize(true), 32);

    auto paint = [](int index, bool large) {
        TBitmap b(40, 40);
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(TRect(0, 0, 40, 40));
        DrawSysIcon(b.Canvas(), 4, 4, index, large);
        std::vector<TColor> px;
        int minX = 99, maxX = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const TColor c = b.Canvas()->Pixels(x, y);
                px.push_back(c);
                if (c != clFuchsia) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            }
        return std::make_tuple(px, minX, maxX);
    };
    const auto [file, fmin, fmax] = paint(siFile, false);
    const auto [folder, dmin, dmax] = paint(siFolder, false);
    const auto [bigFolder, bmin, bmax] = paint(siFolder, true);
    EXPECT_NE(file, folder);
    EXPECT_GE(fmin, 4);
    EXPECT_LT(fmax, 4 + 16);
    EXPECT_LT(dmax, 4 + 16);
    EXPECT_GE(bmax, 4 + 16);   // the large list is twice the size
    EXPECT_LT(bmax, 4 + 32);
    const auto [none, nmin, nmax] = paint(SysIconCount, false);
    EXPECT_EQ(nmax, -1);   // an unknown index draws nothing
}

} // namespace
