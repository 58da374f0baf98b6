// Pictures (of an image list, by name and by address) and form controls in mini-HTML: sized and hit-tested on a
// bitmap, painted and compared pixel by pixel.
#include <gtest/gtest.h>

#include <functional>

#include "grid/html/MiniHTMLRender.h"
#include "grid/html/PictureContainer.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Resources.h"
#include "tests/common/TestFolder.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/SysIcons.h"
#include "platform/os/Files.h"

namespace {
bool Dark(TColor c) { return (c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80; }

class ObjectsTest : public ::testing::Test {
protected:
    TBitmap Bmp{400, 200};
    TCanvas* C = Bmp.Canvas();
    TImageList List{nullptr};
    void SetUp() override
    {
        C->Font()->SetName("Tahoma");
        C->Font()->SetSize(10);
        C->Font()->SetColor(clBlack);
        Clear();
        // Three red 16 x 16 pictures.
        TBitmap pic(48, 16);
        pic.Canvas()->Brush()->SetColor(clRed);
        pic.Canvas()->FillRect(TRect(0, 0, 48, 16));
        List.Add(&pic);
    }
    void Clear()
    {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clWhite);
        C->FillRect(TRect(0, 0, 400, 200));
    }
    int GH() { return C->TextHeight("gh"); }
    bool HitAt(const String& text, int x, int y, TMiniHTMLParams& p)
    {
        p.X = x;
        p.Y = y;
        p.HitTestOnly = true;
        p.Images = &List;
        return RenderMiniHTML(C, text, TRect(0, 0, 400, 200), p);
    }
    int CountDark(const TRect& r, const std::function<bool(TColor)>& pred = Dark)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += pred(C->Pixels(x, y)) ? 1 : 0;
        return n;
    }
};

// Each control's room and hit zone behind a run of text: the rectangle reported for a
// point inside it, and no hit just outside its right edge.
TEST_F(ObjectsTest, ControlsTakeTheirSizeAndAreFoundUnderThePoint)
{
    struct Case {
        const char* tag;
        int width, height;   // 0 height: the text's height + 10
        const char* type;
        const char* value;
    };
    const Case cases[] = {
        {"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"abc\" WIDTH=\"60\">", 60, 0, "EDIT", "abc"},
        {"<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"x\" WIDTH=\"50\">", 50, 0, "PASSWORD", "x"},
        {"<control type=\"combo\" id=\"c\" value=\"one\" width=\"80\">", 80, 25, "COMBO", "one"},
        {"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\" WIDTH=\"40\">", 16, 16, "CHECK", "TRUE"},
        {"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"FALSE\" WIDTH=\"40\">", 16, 16, "RADIO", "FALSE"},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"70\" HEIGHT=\"30\">", 70, 25, "BUTTON", "Go"},
    };
    const int lead = C->TextWidth("Ab");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        const int h = c.height ? c.height : GH() + 10;
        TMiniHTMLParams m;
        m.MeasureOnly = true;
        RenderMiniHTML(C, String("Ab") + c.tag, TRect(0, 0, 400, 0), m);
        EXPECT_EQ(m.XSize, lead + c.width);
        EXPECT_EQ(m.YSize, std::max(GH(), h));

        TMiniHTMLParams p;
        ASSERT_TRUE(HitAt(String("Ab") + c.tag, 1 + lead + c.width / 2, h / 2, p));
        EXPECT_EQ(p.AnchorVal, "ctrl");
        EXPECT_EQ(p.ControlRect, TRect(1 + lead, 0, 1 + lead + c.width, h));
        EXPECT_EQ(p.ControlType, c.type);
        EXPECT_EQ(p.ControlValue, c.value);
        EXPECT_FALSE(p.ControlID.empty());
        TMiniHTMLParams q;
        EXPECT_FALSE(HitAt(String("Ab") + c.tag, 1 + lead + c.width + 2, h / 2, q));
    }
}

TEST_F(ObjectsTest, ControlWithoutWidthIsIgnoredAndABadWidthKeepsTheLastSize)
{
    TMiniHTMLParams m;
    m.MeasureOnly = true;
    RenderMiniHTML(C, "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"x\">", TRect(0, 0, 400, 0), m);
    EXPECT_EQ(m.XSize, 0);
    TMiniHTMLParams p;
    EXPECT_FALSE(HitAt("<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"x\">", 5, 5, p));

    TMiniHTMLParams n;
    n.MeasureOnly = true;
    RenderMiniHTML(C, "<CONTROL TYPE=\"EDIT\" WIDTH=\"50\"><CONTROL TYPE=\"EDIT\" WIDTH=\"wide\">", TRect(0, 0, 400, 0),
                   n);
    EXPECT_EQ(n.XSize, 100);
}

TEST_F(ObjectsTest, HitTestByIdFindsTheControlWhereverThePointIs)
{
    const String text = "<CONTROL TYPE=\"EDIT\" ID=\"one\" VALUE=\"1\" WIDTH=\"60\">"
                        "<BR><CONTROL TYPE=\"COMBO\" ID=\"two\" VALUE=\"2\" WIDTH=\"80\">";
    TMiniHTMLParams p;
    p.ControlID = "two";
    ASSERT_TRUE(HitAt(text, -50, -50, p));
    EXPECT_EQ(p.ControlType, "COMBO");
    EXPECT_EQ(p.ControlValue, "2");
    EXPECT_EQ(p.ControlRect.Left, 1);
    EXPECT_EQ(p.ControlRect.Width(), 80);
    EXPECT_EQ(p.ControlRect.Top, std::max(GH(), GH() + 10));
    // No ID asked: nothing is found away from the controls, even a control without an ID.
    TMiniHTMLParams q;
    EXPECT_FALSE(HitAt("<CONTROL TYPE=\"EDIT\" VALUE=\"1\" WIDTH=\"60\">", -50, -50, q));
}

TEST_F(ObjectsTest, CheckedValueInAnyCaseDrawsTheMark)
{
    // Themed and classic drawing alike.
    for (const bool themed : {true, false}) {
        SCOPED_TRACE(themed);
        HTMLThemesPossible = themed;
        Clear();
        TMiniHTMLParams p;
        RenderMiniHTML(C, "<CONTROL TYPE=\"CHECK\" VALUE=\"true\" WIDTH=\"20\">", TRect(0, 0, 100, 40), p);
        RenderMiniHTML(C, "<CONTROL TYPE=\"CHECK\" VALUE=\"FALSE\" WIDTH=\"20\">", TRect(0, 50, 100, 90), p);
        RenderMiniHTML(C, "<CONTROL TYPE=\"RADIO\" VALUE=\"TRUE\" WIDTH=\"20\">", TRect(0, 100, 100, 140), p);
        RenderMiniHTML(C, "<CONTROL TYPE=\"RADIO\" VALUE=\"no\" WIDTH=\"20\">", TRect(0, 150, 100, 190), p);
        Bmp.SaveToFile(PathJoin(TEST_OUTPUT_DIR, themed ? "minihtml_checks.png" : "minihtml_checks_classic.png"));
        // The mark fills the inside of the box (themed: a coloured face, classic: a tick).
        auto marked = [&](int top) {
            return CountDark(TRect(5, top + 5, 12, top + 13), [](TColor c) { return c != clWhite; });
        };
        EXPECT_GT(marked(0), marked(50) + 10);
        EXPECT_GT(marked(100), marked(150) + 5);
    }
    HTMLThemesPossible = true;
}

TEST_F(ObjectsTest, PasswordShowsOneAsteriskPerCharacter)
{
    TMiniHTMLParams p;
    RenderMiniHTML(C, "<CONTROL TYPE=\"PASSWORD\" VALUE=\"abc\" WIDTH=\"80\">", TRect(0, 0, 200, 40), p);
    RenderMiniHTML(C, "<CONTROL TYPE=\"EDIT\" VALUE=\"***\" WIDTH=\"80\">", TRect(0, 50, 200, 90), p);
    RenderMiniHTML(C, "<CONTROL TYPE=\"EDIT\" VALUE=\"abc\" WIDTH=\"80\">", TRect(0, 100, 200, 140), p);
    int same = 0, differs = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            same += C->Pixels(x, y) == C->Pixels(x, y + 50) ? 1 : 0;
            differs += C->Pixels(x, y) != C->Pixels(x, y + 100) ? 1 : 0;
        }
    EXPECT_EQ(same, 4000);
    EXPECT_GT(differs, 10);
    EXPECT_GT(CountDark(TRect(0, 0, 100, 40)), 5);
}

TEST_F(ObjectsTest, ImageListPicturesByIndex)
{
    struct Case {
        const char* text;
        int width;
    };
    const Case cases[] = {
        {"<IMG SRC=\"IDX:2\">", 16},
        {"<img src=\"idx:0\">", 16},
        {"<IMG SRC=\"IDX:3\">", 0},   // indexes count from 0
        {"<IMG SRC=\"IDX:-1\">", 0},
        {"<IMG SRC=\"IDX:x\"><IMG SRC=\"IDX:1\">", 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TMiniHTMLParams m;
        m.MeasureOnly = true;
        m.Images = &List;
        RenderMiniHTML(C, c.text, TRect(0, 0, 400, 0), m);
        EXPECT_EQ(m.XSize, c.width);
        Clear();
        TMiniHTMLParams p;
        p.Images = &List;
        RenderMiniHTML(C, c.text, TRect(0, 0, 400, 60), p);
        EXPECT_EQ(CountDark(TRect(0, 0, 60, 40), [](TColor x) { return x == clRed; }), c.width * 16);
    }
    // Without a list nothing takes room.
    TMiniHTMLParams n;
    n.MeasureOnly = true;
    RenderMiniHTML(C, "<IMG SRC=\"IDX:0\">", TRect(0, 0, 400, 0), n);
    EXPECT_EQ(n.XSize, 0);
}

TEST_F(ObjectsTest, LinkedPictureIsHitOnlyInsideAnAnchor)
{
    TMiniHTMLParams p;
    ASSERT_TRUE(HitAt("<A HREF=\"go\" TITLE=\"tip\"><IMG SRC=\"IDX:0\"></A>", 9, 8, p));
    EXPECT_EQ(p.AnchorVal, "go");
    EXPECT_EQ(p.AnchorHint, "tip");
    TMiniHTMLParams q;
    EXPECT_FALSE(HitAt("<IMG SRC=\"IDX:0\">", 9, 8, q));
    EXPECT_TRUE(q.AnchorVal.empty());
}

TEST_F(ObjectsTest, PictureThatDoesNotFitMovesToTheNextLine)
{
    TImageList wide(nullptr);
    wide.SetWidth(40);
    wide.SetHeight(16);
    TBitmap pic(40, 16);
    wide.Add(&pic);
    const int text = C->TextWidth("Word");
    auto lines = [&](int boxWidth) {
        TMiniHTMLParams m;
        m.MeasureOnly = true;
        m.Images = &wide;
        RenderMiniHTML(C, "Word<IMG SRC=\"IDX:0\">", TRect(0, 0, boxWidth, 0), m);
        return m.YSize;
    };
    const int one = std::max(GH(), 16);
    EXPECT_EQ(lines(text + 60), one);
    EXPECT_GT(lines(text + 20), one);
    // Wider than the whole box: it stays on its line.
    EXPECT_EQ(lines(30), one);
}
}  // namespace

// Pictures named in the text: from the container by name, from the cache by address (a
// miss loads it once), sized by WIDTH and HEIGHT or their own size, and drawn; a picture
// that is missing or does not decode reserves nothing and never breaks the painting.
TEST_F(ObjectsTest, NamedPicturesAndPicturesByAddress)
{
    Application->Initialize();
    const String dir = Test_Folder("markup_pictures");
    // A 20 x 10 blue picture, under a name with capitals: the address must keep them.
    TBitmap blue(20, 10);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect(TRect(0, 0, 20, 10));
    const String path = PathJoin(dir, "Blue.png");
    blue.SaveToFile(path);
    RegisterResourceData("BROKEN", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});

    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName("Logo");
    item->Picture()->LoadFromFile(path);
    THTMLPictureCache cache;

    struct Case {
        String text;
        int width, height;   // the room it takes; 0 x 0: none
    };
    const Case cases[] = {
        {"<IMG SRC=\"logo\">", 20, 10},
        {"<IMG SRC=\"Logo\" WIDTH=\"40\">", 40, 20},
        {"<IMG SRC=\"Logo\" HEIGHT=\"5\">", 10, 5},
        {"<IMG SRC=\"Logo\" WIDTH=\"7\" HEIGHT=\"30\">", 7, 30},
        {"<IMG SRC=\"nothing\">", 0, 0},
        {"<IMG SRC=\"file://" + path + "\">", 20, 10},
        {"<IMG SRC=\"file://" + PathJoin(dir, "blue.png") + "\">", 0, 0},
        {"<IMG SRC=\"res://BROKEN\">", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TMiniHTMLParams m;
        m.MeasureOnly = true;
        m.PictureContainer = &container;
        m.PictureCache = &cache;
        ASSERT_NO_THROW(RenderMiniHTML(C, "A" + c.text, TRect(0, 0, 400, 0), m));
        EXPECT_EQ(m.XSize, C->TextWidth("A") + c.width);
        if (c.height > GH()) {
            EXPECT_EQ(m.YSize, c.height);
        }
    }
    // Each address went into the cache once, whatever came of loading it.
    const int loaded = cache.Count();
    TMiniHTMLParams again;
    again.MeasureOnly = true;
    again.PictureCache = &cache;
    RenderMiniHTML(C, "<IMG SRC=\"file://" + path + "\"><IMG SRC=\"res://BROKEN\">", TRect(0, 0, 400, 0), again);
    EXPECT_EQ(cache.Count(), loaded);

    // Painted: the picture's own pixels at the pen position, stretched when sized.
    Clear();
    TMiniHTMLParams paint;
    paint.PictureContainer = &container;
    RenderMiniHTML(C, "<IMG SRC=\"Logo\" WIDTH=\"40\">", TRect(0, 0, 400, 200), paint);
    EXPECT_EQ(C->Pixels(1, 1), clBlue);
    EXPECT_EQ(C->Pixels(38, 18), clBlue);
    EXPECT_EQ(C->Pixels(42, 5), clWhite);
    RegisterResourceData("BROKEN", {});
}

// A body picture covers the whole rectangle, tile by tile from its top-left corner and
// clipped to it, over the body colour; a picture that is missing draws nothing. A tiny
// picture over a big rectangle still covers every pixel.
TEST_F(ObjectsTest, BodyBackgroundTilesThePictureOverTheRectangle)
{
    Application->Initialize();
    const String dir = Test_Folder("markup_body");
    // A 10 x 8 blue picture with a red top-left pixel marks where each tile starts.
    TBitmap tileBmp(10, 8);
    tileBmp.Canvas()->Brush()->SetColor(clBlue);
    tileBmp.Canvas()->FillRect(TRect(0, 0, 10, 8));
    tileBmp.Canvas()->SetPixels(0, 0, clRed);
    const String path = PathJoin(dir, "Tile.png");
    tileBmp.SaveToFile(path);
    TBitmap dotBmp(1, 1);
    dotBmp.Canvas()->SetPixels(0, 0, clLime);
    const String dot = PathJoin(dir, "dot.png");
    dotBmp.SaveToFile(dot);
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName("Tile");
    item->Picture()->LoadFromFile(path);
    THTMLPictureCache cache;

    const TRect r(5, 5, 38, 28);
    const String texts[] = {"<BODY BACKGROUND=\"tile\">x", "<BODY BGCOLOR=\"clYellow\" BACKGROUND=\"Tile\">",
                            "<body background=\"file://" + path + "\">x"};
    for (const String& text : texts) {
        SCOPED_TRACE(text);
        Clear();
        TMiniHTMLParams p;
        p.PictureContainer = &container;
        p.PictureCache = &cache;
        RenderMiniHTML(C, text, r, p);
        for (int y = r.Top; y < r.Bottom; y += 8)
            for (int x = r.Left; x < r.Right; x += 10) EXPECT_EQ(C->Pixels(x, y), clRed) << x << "," << y;
        EXPECT_EQ(C->Pixels(r.Left + 1, r.Top), clBlue);
        EXPECT_EQ(C->Pixels(r.Right - 1, r.Top + 1), clBlue);   // a cut tile
        EXPECT_EQ(C->Pixels(r.Right, r.Top + 1), clWhite);      // nothing beyond the rectangle
        EXPECT_EQ(C->Pixels(r.Left + 1, r.Bottom), clWhite);
        EXPECT_EQ(C->Pixels(r.Left - 1, r.Top), clWhite);
    }
    Bmp.SaveToFile(PathJoin(TEST_OUTPUT_DIR, "minihtml_body_background.png"));

    // Nothing for a missing picture, and nothing while measuring or hit-testing.
    for (bool measure : {false, true}) {
        Clear();
        TMiniHTMLParams p;
        p.PictureContainer = &container;
        p.MeasureOnly = measure;
        p.HitTestOnly = !measure;
        RenderMiniHTML(C, measure ? "<BODY BACKGROUND=\"Tile\">" : "<BODY BACKGROUND=\"none\">", r, p);
        if (!measure) {
            TMiniHTMLParams q;
            q.PictureContainer = &container;
            RenderMiniHTML(C, "<BODY BACKGROUND=\"none\">", r, q);
        }
        EXPECT_EQ(CountDark(r, [](TColor c) { return c != clWhite; }), 0);
    }

    // One pixel tiled over the whole bitmap: every pixel of it, and quickly.
    Clear();
    TMiniHTMLParams p;
    p.PictureCache = &cache;
    RenderMiniHTML(C, "<BODY BACKGROUND=\"file://" + dot + "\">", TRect(0, 0, 400, 200), p);
    EXPECT_EQ(CountDark(TRect(0, 0, 400, 200), [](TColor c) { return c != clLime; }), 0);
}

// The desktop's icons: a number picks from the small or large list, anything else names
// a file or folder (one that does not exist gives the icon of its type); each takes the
// icon's room and is drawn transparently at the pen position. An index beyond the list
// reserves nothing.
TEST_F(ObjectsTest, SystemIconsByIndexAndByPath)
{
    Application->Initialize();
    const String dir = Test_Folder("markup_icons");
    const int lead = C->TextWidth("A");
    struct Case {
        String src;
        int edge;   // 0: no room
    };
    const Case cases[] = {
        {"SSYS:1", 16},
        {"lsys:1", 32},
        {"SSYS:" + dir, 16},
        {"LSYS:" + PathJoin(dir, "Missing.TXT"), 32},
        {"SSYS:" + IntToStr(SysIconCount()), 0},
        {"SSYS:99999999999999", 0},
        {"LSYS:", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.src);
        TMiniHTMLParams m;
        m.MeasureOnly = true;
        RenderMiniHTML(C, "A<IMG SRC=\"" + c.src + "\">", TRect(0, 0, 400, 0), m);
        EXPECT_EQ(m.XSize, lead + c.edge);
        if (c.edge > GH()) {
            EXPECT_EQ(m.YSize, c.edge);
        }
    }
    // Painted on a coloured canvas: the icon's pixels inside its box right of the text,
    // the canvas colour in a corner of the box and nowhere beyond it.
    int cornersClear = 0;
    for (int i = 0; i < SysIconCount(); ++i) {
        TBitmap probe;
        if (!GetSysIcon(i, true, probe)) continue;
        C->Brush()->SetColor(clFuchsia);
        C->FillRect(TRect(0, 0, 400, 200));
        TMiniHTMLParams p;
        RenderMiniHTML(C, "<IMG SRC=\"LSYS:" + IntToStr(i) + "\">", TRect(0, 0, 400, 200), p);
        EXPECT_GT(CountDark(TRect(0, 0, 32, 32), [](TColor c) { return c != clFuchsia; }), 0) << i;
        EXPECT_EQ(CountDark(TRect(33, 0, 400, 200), [](TColor c) { return c != clFuchsia; }), 0) << i;
        cornersClear += C->Pixels(0, 0) == clFuchsia ? 1 : 0;
    }
    EXPECT_GT(cornersClear, 0);
    // Printing stretches the icon by the resolution factor.
    C->FillRect(TRect(0, 0, 400, 200));
    TMiniHTMLParams pr;
    pr.Print = true;
    pr.ResFactor = 2;
    RenderMiniHTML(C, "<IMG SRC=\"LSYS:" + dir + "\">", TRect(0, 0, 400, 200), pr);
    EXPECT_GT(CountDark(TRect(40, 40, 64, 64), [](TColor c) { return c != clFuchsia; }), 0);
    EXPECT_EQ(CountDark(TRect(66, 0, 400, 200), [](TColor c) { return c != clFuchsia; }), 0);
    Clear();
    TMiniHTMLParams p;
    RenderMiniHTML(C, "<IMG SRC=\"SSYS:" + dir + "\"> <IMG SRC=\"LSYS:" + dir + "\">", TRect(0, 0, 400, 200), p);
    Bmp.SaveToFile(PathJoin(TEST_OUTPUT_DIR, "minihtml_system_icons.png"));
}
