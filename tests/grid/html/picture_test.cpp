// Pictures that mini-HTML texts name: loading every format from files the tests write,
// broken files, resources and addresses, the frames of an animated GIF, drawing, the
// grid's cache and the picture container.
#include <gtest/gtest.h>

#include <fstream>

#include "grid/html/PictureContainer.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "platform/rtl/Resources.h"
#include "tests/common/TestFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A GIF frame: position and size inside the logical screen, one palette index for every
// pixel, and its delay in hundredths of a second.
struct TGifFrame {
    int Left, Top, W, H;
    int Index;
    int Delay;
};

void Put16(Bytes& b, int v)
{
    b.push_back(uint8_t(v & 0xFF));
    b.push_back(uint8_t((v >> 8) & 0xFF));
}

// A GIF written byte by byte (the toolkit reads GIF but does not write it): a 4-colour
// palette (black, red, green, blue), and per frame a graphic control extension and an
// image whose codes stay 3 bits wide (a clear code before every second pixel).
Bytes MakeGif(int W, int H, const std::vector<TGifFrame>& Frames)
{
    Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, W);
    Put16(b, H);
    b.insert(b.end(), {0x81, 0, 0});
    b.insert(b.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const TGifFrame& f : Frames) {
        b.insert(b.end(), {0x21, 0xF9, 4, 0x04});
        Put16(b, f.Delay);
        b.insert(b.end(), {0, 0, 0x2C});
        Put16(b, f.Left);
        Put16(b, f.Top);
        Put16(b, f.W);
        Put16(b, f.H);
        b.push_back(0);
        b.push_back(2);   // LZW minimum code size
        std::vector<int> codes;
        for (int i = 0; i < f.W * f.H; ++i) {
            if (i % 2 == 0) codes.push_back(4);   // clear
            codes.push_back(f.Index);
        }
        codes.push_back(5);   // end of information
        Bytes data;
        unsigned acc = 0;
        int bits = 0;
        for (int c : codes) {
            acc |= unsigned(c) << bits;
            bits += 3;
            while (bits >= 8) {
                data.push_back(uint8_t(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        }
        if (bits > 0) data.push_back(uint8_t(acc & 0xFF));
        for (size_t p = 0; p < data.size(); p += 255) {
            const size_t n = std::min<size_t>(255, data.size() - p);
            b.push_back(uint8_t(n));
            b.insert(b.end(), data.begin() + long(p), data.begin() + long(p + n));
        }
        b.push_back(0);
    }
    b.push_back(0x3B);
    return b;
}

Bytes ReadBytes(const String& Path)
{
    std::ifstream f(Path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteBytes(const String& Path, const Bytes& B)
{
    std::ofstream f(Path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(B.data()), std::streamsize(B.size()));
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        Dir = Test_Folder("pictures");
    }

    // A W x H picture of the toolkit in colour C, saved under Name (the extension
    // chooses the format); returns the path.
    String Written(const String& Name, int W, int H, TColor C)
    {
        TBitmap b(W, H);
        b.Canvas()->Brush()->SetColor(C);
        b.Canvas()->FillRect(TRect(0, 0, W, H));
        const String path = PathJoin(Dir, Name);
        b.SaveToFile(path);
        return path;
    }

    String WrittenBytes(const String& Name, const Bytes& B)
    {
        const String path = PathJoin(Dir, Name);
        WriteBytes(path, B);
        return path;
    }

    // Draws P into a fresh white canvas of 40 x 30 at R (stretched or not) and returns it.
    std::unique_ptr<TBitmap> DrawnAt(const THTMLPicture& P, const TRect& R, bool Stretched)
    {
        auto bmp = std::make_unique<TBitmap>(40, 30);
        bmp->Canvas()->Brush()->SetColor(clWhite);
        bmp->Canvas()->FillRect(TRect(0, 0, 40, 30));
        if (Stretched) P.StretchDraw(bmp->Canvas(), R);
        else bmp->Canvas()->Draw(R.Left, R.Top, &P);
        return bmp;
    }

    static bool Near(TColor a, TColor b, int tol)
    {
        return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tol &&
               std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tol &&
               std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tol;
    }

    String Dir;
};

TEST_F(PictureTest, EveryFormatLoadsFromItsFile)
{
    struct Case {
        const char* Name;
        int W, H;
        int Tolerance;   // JPEG is lossy
    };
    const Case cases[] = {
        {"red.png", 9, 7, 0}, {"red.bmp", 9, 7, 0}, {"red.jpg", 16, 8, 12}, {"red.ico", 16, 16, 0}, {"red.gif", 9, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const String path = String(c.Name) == "red.gif" ? WrittenBytes(c.Name, MakeGif(c.W, c.H, {{0, 0, c.W, c.H, 1, 0}}))
                                                         : Written(c.Name, c.W, c.H, clRed);
        THTMLPicture p;
        int changes = 0;
        p.OnChange = [&](TObject*) { ++changes; };
        p.LoadFromFile(path);
        EXPECT_FALSE(p.Empty());
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(p.Width(), c.W);
        EXPECT_EQ(p.Height(), c.H);
        EXPECT_EQ(p.Data(), ReadBytes(path)) << "the file is kept byte for byte";
        // Drawn at its own size: the picture's colour inside, white beyond it.
        auto shot = DrawnAt(p, TRect(2, 3, 39, 29), false);
        EXPECT_TRUE(Near(shot->Canvas()->Pixels(2 + c.W / 2, 3 + c.H / 2), clRed, c.Tolerance));
        EXPECT_EQ(shot->Canvas()->Pixels(2 + c.W + 1, 3), clWhite);
        EXPECT_EQ(shot->Canvas()->Pixels(1, 3), clWhite);
    }
}

TEST_F(PictureTest, BrokenFilesLeaveAnEmptyPictureAndRaiseNothing)
{
    const Bytes png = ReadBytes(Written("ok.png", 20, 20, clBlue));
    const Bytes jpg = ReadBytes(Written("ok.jpg", 24, 24, clBlue));
    const Bytes bmp = ReadBytes(Written("ok.bmp", 20, 20, clBlue));
    const Bytes gif = MakeGif(20, 20, {{0, 0, 20, 20, 3, 0}});
    const Bytes ico = ReadBytes(Written("ok.ico", 16, 16, clBlue));
    auto cut = [](const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + long(std::min(n, b.size()))); };
    struct Case {
        const char* Name;
        Bytes Content;
    };
    const Case cases[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}},
        {"png signature only", cut(png, 8)},
        {"png half", cut(png, png.size() / 2)},
        {"jpeg header only", cut(jpg, 20)},
        {"jpeg half", cut(jpg, jpg.size() / 2)},
        {"gif half", cut(gif, gif.size() / 2)},
        {"bmp half", cut(bmp, bmp.size() / 2)},
        {"bmp without its last byte", cut(bmp, bmp.size() - 1)},
        {"gif without its last data block", cut(gif, gif.size() - 3)},
        {"ico header only", cut(ico, 6)},
        {"ico half", cut(ico, ico.size() / 2)},
        {"bmp header only", cut(bmp, 30)},
        {"gif header only", cut(gif, 13)},
        {"gif cut inside the frame's descriptor", cut(gif, 13 + 12 + 13)},
        {"gif magic and nothing else", {'G', 'I', 'F', '8', '9'}},
        {"zeros", Bytes(300, 0)},
        {"0xFF bytes", Bytes(300, 0xFF)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        THTMLPicture p;
        EXPECT_NO_THROW(p.LoadFromFile(WrittenBytes("broken.bin", c.Content)));
        EXPECT_TRUE(p.Empty());
        EXPECT_EQ(p.Width(), 0);
        EXPECT_EQ(p.Height(), 0);
        auto shot = DrawnAt(p, TRect(0, 0, 40, 30), true);
        EXPECT_EQ(shot->Canvas()->Pixels(10, 10), clWhite) << "an empty picture draws nothing";
    }
    THTMLPicture missing;
    EXPECT_NO_THROW(missing.LoadFromFile(PathJoin(Dir, "no such file.png")));
    EXPECT_TRUE(missing.Empty());

    // A good picture that is then loaded from a broken file shows nothing of the old one.
    THTMLPicture p;
    p.LoadFromFile(WrittenBytes("good.png", png));
    ASSERT_EQ(p.Width(), 20);
    p.LoadFromFile(WrittenBytes("bad.png", cut(png, 8)));
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(p.Width(), 0);
}

TEST_F(PictureTest, AStreamThatDoesNotDecodeRaisesAndLeavesAPictureWithoutSize)
{
    TMemoryStream s("not a picture", 13);
    THTMLPicture p;
    try {
        p.LoadFromStream(&s);
        ADD_FAILURE() << "no exception";
    } catch (const EHTMLPictureError& e) {
        EXPECT_EQ(String(e.what()), "Could not load image. Invalid format");
    }
    EXPECT_FALSE(p.Empty()) << "loaded, though not decoded";
    EXPECT_EQ(p.Width(), 0);
    EXPECT_EQ(p.MaxWidth(), 0);
    auto shot = DrawnAt(p, TRect(0, 0, 40, 30), true);
    EXPECT_EQ(shot->Canvas()->Pixels(10, 10), clWhite);
    EXPECT_NO_THROW(p.LoadFromStream(nullptr));

    // What was loaded is written back unchanged.
    TMemoryStream out;
    p.SaveToStream(&out);
    EXPECT_EQ(out.Bytes(), Bytes(s.Bytes()));
}

TEST_F(PictureTest, ResourcesAndAddresses)
{
    RegisterResourceData("LOGO", ReadBytes(Written("logo.png", 12, 5, clGreen)));
    RegisterResourceData("#7", ReadBytes(Written("seven.bmp", 3, 4, clGreen)));
    const String file = Written("file.png", 6, 2, clRed);
    struct Case {
        String URL;
        bool Asynch;
        bool Loaded;
        int W;
        bool IDSet;
    };
    const Case cases[] = {
        {"res://LOGO", true, true, 12, true},
        {"RES://logo", true, true, 12, true},          // names and the scheme in any case
        {"res://NOSUCH", true, false, 0, true},        // no resource: nothing loaded
        {"res://", true, false, 0, true},
        {"file://" + file, true, true, 6, true},
        {"FILE://" + PathJoin(Dir, "missing.png"), true, false, 0, true},
        {"http://example.invalid/a.png", false, false, 0, true},
        {"http://example.invalid/b.png", true, false, 0, true},   // a download that never fetches
    };
    THTMLPictureCache cache;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.URL);
        THTMLPicture* p = cache.AddPicture();
        p->SetAsynch(c.Asynch);
        p->LoadFromURL(c.URL);
        EXPECT_EQ(!p->Empty(), c.Loaded);
        EXPECT_EQ(p->Width(), c.W);
        EXPECT_EQ(p->ID(), c.IDSet ? c.URL : "");
        EXPECT_EQ(cache.FindPicture(c.URL), p) << "the cache finds it by the whole address";
    }
    EXPECT_EQ(cache.FindPicture("res://logo"), nullptr) << "the cache compares addresses exactly";
    THTMLPicture* web = cache.GetPicture(cache.Count() - 1);
    EXPECT_TRUE(web->ThreadBusy());
    EXPECT_EQ(web->URL(), "http://example.invalid/b.png");
    web->LoadFromURL("http://example.invalid/c.png");
    EXPECT_EQ(web->URL(), "http://example.invalid/b.png") << "one download per picture";

    THTMLPicture byID;
    byID.LoadFromResourceID(7);
    EXPECT_EQ(byID.Width(), 3);
    EXPECT_EQ(byID.Height(), 4);
    THTMLPicture none;
    none.LoadFromResourceID(8);
    EXPECT_TRUE(none.Empty());
    RegisterResourceData("LOGO", {});
    RegisterResourceData("#7", {});
}

TEST_F(PictureTest, TheFramesOfAnAnimatedGif)
{
    // Three frames: red over all, green at (2,1) 3 x 2, blue over all; delays 10, 20, 30.
    const Bytes gif = MakeGif(8, 6, {{0, 0, 8, 6, 1, 10}, {2, 1, 3, 2, 2, 20}, {0, 0, 8, 6, 3, 30}});
    THTMLPicture p;
    TMemoryStream s(gif.data(), int64_t(gif.size()));
    p.LoadFromStream(&s);
    ASSERT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.GetFrameTime(1), 10);
    EXPECT_EQ(p.GetFrameTime(3), 30);
    EXPECT_EQ(p.GetFrameTime(4), -1);
    EXPECT_EQ(p.GetFrameTime(0), -1);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 6);
    int frameChanges = 0;
    p.OnFrameChange = [&](TObject*) { ++frameChanges; };

    struct Case {
        int Frame;
        int X, Y, W, H;
        TColor Colour;
    };
    const Case frames[] = {{2, 2, 1, 3, 2, clLime}, {3, 0, 0, 8, 6, clBlue}, {1, 0, 0, 8, 6, clRed}};
    for (const Case& c : frames) {
        SCOPED_TRACE(c.Frame);
        p.SetFrame(c.Frame);
        EXPECT_EQ(p.FrameXPos(), c.X);
        EXPECT_EQ(p.FrameYPos(), c.Y);
        EXPECT_EQ(p.Width(), c.W) << "the frame alone";
        EXPECT_EQ(p.Height(), c.H);
        EXPECT_EQ(p.MaxWidth(), 8) << "the animation area stays";
        auto shot = DrawnAt(p, TRect(0, 0, 40, 30), true);
        EXPECT_EQ(shot->Canvas()->Pixels(20, 15), c.Colour);
    }
    EXPECT_EQ(frameChanges, 3);

    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1) << "after the last frame the first";
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3) << "before the first the last";
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 2);

    // Ticks of 100 ms: the first frame shows 10/100 s, the second 20/100 s, the third 30;
    // the delays add up, so the short first frame comes round again one tick later.
    THTMLPicture anim;
    TMemoryStream s2(gif.data(), int64_t(gif.size()));
    anim.LoadFromStream(&s2);
    const bool moves[] = {false, false, true, false, true, false, false, true, true, false};
    const int framesAfter[] = {1, 1, 2, 2, 3, 3, 3, 1, 2, 2};
    for (size_t i = 0; i < std::size(moves); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(anim.Step(), moves[i]);
        EXPECT_EQ(anim.Frame(), framesAfter[i]);
    }

    // A cache animates all of its pictures; a still picture never steps.
    THTMLPictureCache cache;
    TMemoryStream s3(gif.data(), int64_t(gif.size()));
    cache.AddPicture()->LoadFromStream(&s3);
    cache.AddPicture()->LoadFromFile(Written("still.png", 4, 4, clRed));
    int moved = 0;
    for (int i = 0; i < 3; ++i) moved += cache.Animate();
    EXPECT_EQ(moved, 1);
    EXPECT_FALSE(cache.GetPicture(1)->Step());
    EXPECT_EQ(cache.GetPicture(1)->FrameCount(), -1);
}

TEST_F(PictureTest, GifFramesCutShortAreReadWithinTheData)
{
    // A frame marker whose descriptor ends with the data: offsets beyond the end count as
    // 0, and the picture, which cannot decode, raises instead of reading past its bytes.
    Bytes gif = MakeGif(4, 4, {{0, 0, 4, 4, 1, 0}});
    const size_t marker = 13 + 12;
    gif.resize(marker + 10);
    THTMLPicture p;
    TMemoryStream s(gif.data(), int64_t(gif.size()));
    EXPECT_THROW(p.LoadFromStream(&s), EHTMLPictureError);
    EXPECT_EQ(p.FrameCount(), 1);
    EXPECT_EQ(p.FrameXPos(), 0);
    EXPECT_EQ(p.Width(), 0);
}

TEST_F(PictureTest, DrawingStretchedAndAtItsOwnSize)
{
    THTMLPicture p;
    p.LoadFromFile(Written("red.png", 4, 3, clRed));
    // Stretched into 20 x 15 from (5, 5): its colour fills that rectangle exactly.
    auto stretched = DrawnAt(p, TRect(5, 5, 25, 20), true);
    EXPECT_EQ(stretched->Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(stretched->Canvas()->Pixels(24, 19), clRed);
    EXPECT_EQ(stretched->Canvas()->Pixels(25, 19), clWhite);
    EXPECT_EQ(stretched->Canvas()->Pixels(24, 20), clWhite);
    // Through the canvas: without Stretch the rectangle's size does not matter.
    TBitmap b(40, 30);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 40, 30));
    b.Canvas()->StretchDraw(TRect(5, 5, 25, 20), &p);
    EXPECT_EQ(b.Canvas()->Pixels(8, 7), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(9, 7), clWhite);
    p.SetStretch(true);
    b.Canvas()->StretchDraw(TRect(5, 5, 25, 20), &p);
    EXPECT_EQ(b.Canvas()->Pixels(24, 19), clRed);
}

TEST_F(PictureTest, AssignCopiesTheDataAndStartsTheFramesAgain)
{
    const Bytes gif = MakeGif(8, 6, {{0, 0, 8, 6, 1, 10}, {0, 0, 8, 6, 2, 10}});
    THTMLPicture src;
    TMemoryStream s(gif.data(), int64_t(gif.size()));
    src.LoadFromStream(&s);
    src.SetFrame(2);
    THTMLPicture dst;
    dst.LoadFromFile(Written("old.png", 3, 3, clBlue));
    dst.SetFrame(2);
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(dst.Data(), gif);
    EXPECT_EQ(dst.Frame(), 1);
    EXPECT_EQ(dst.Width(), 8);
    EXPECT_EQ(changes, 1);
    TBitmap other(2, 2);
    dst.Assign(&other);   // not a picture of this kind: ignored after the reset
    EXPECT_TRUE(dst.Empty());
    EXPECT_EQ(dst.Data(), gif);
    dst.Assign(nullptr);
    EXPECT_TRUE(dst.Empty());
    EXPECT_TRUE(dst.Data().empty());
}

TEST_F(PictureTest, TheContainerFindsItsPicturesByNameInAnyCase)
{
    TPictureContainer container(nullptr);
    TPictureItem* logo = container.Items()->Add();
    logo->SetName("Logo");
    logo->SetTag(4);
    logo->Picture()->LoadFromFile(Written("logo.png", 5, 5, clGreen));
    container.Items()->Insert(0)->SetName("Other");
    EXPECT_EQ(container.Items()->Owner(), &container);
    EXPECT_EQ(container.FindPicture("LOGO"), logo->Picture());
    EXPECT_EQ(container.FindPicture("logo"), logo->Picture());
    EXPECT_EQ(container.FindPicture("Logos"), nullptr);
    EXPECT_EQ(container.Items()->GetItem(1), logo);

    // Assigning an item copies name, tag and picture; anything else is refused.
    container.Items()->SetItem(0, logo);
    TPictureItem* copy = container.Items()->GetItem(0);
    EXPECT_EQ(copy->Name(), "Logo");
    EXPECT_EQ(copy->Tag(), 4);
    EXPECT_EQ(copy->Picture()->Width(), 5);
    EXPECT_NE(copy->Picture(), logo->Picture());
    THTMLPicture notAnItem;
    EXPECT_THROW(copy->Assign(&notAnItem), EInvalidCast);
    EXPECT_THROW(container.Items()->GetItem(2), EListError);
}

}
