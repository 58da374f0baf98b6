// The desktop's icons: the list by index in both sizes, and the icons of files and
// folders, drawn with their transparent background on a coloured canvas.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "platform/gui/SysIcons.h"
#include "platform/os/Files.h"
#include "tests/common/TestFolder.h"

namespace {
// Pixels of the icon drawn on magenta that are not magenta, and whether a corner stayed.
struct TDrawn {
    int painted = 0;
    bool cornerClear = false;
};
TDrawn DrawOnMagenta(TBitmap& icon)
{
    TBitmap b(icon.Width(), icon.Height());
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
    b.Canvas()->Draw(0, 0, &icon);
    TDrawn d;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) d.painted += b.Canvas()->Pixels(x, y) != clFuchsia ? 1 : 0;
    d.cornerClear = b.Canvas()->Pixels(0, 0) == clFuchsia || b.Canvas()->Pixels(b.Width() - 1, 0) == clFuchsia;
    return d;
}

TEST(SysIcons, ListIconsComeInTwoSizesAndIndexesOutsideTheListGiveNone)
{
    Application->Initialize();
    const int count = SysIconCount();
    ASSERT_GT(count, 10);
    int found = 0, transparent = 0;
    for (int i = 0; i < count; ++i) {
        for (bool large : {false, true}) {
            SCOPED_TRACE(i);
            TBitmap icon;
            if (!GetSysIcon(i, large, icon)) continue;
            ++found;
            EXPECT_EQ(icon.Width(), large ? 32 : 16);
            EXPECT_EQ(icon.Height(), large ? 32 : 16);
            const TDrawn d = DrawOnMagenta(icon);
            EXPECT_GT(d.painted, 0);
            transparent += d.cornerClear ? 1 : 0;
        }
    }
    // Most of the list has pictures, and icons keep their background clear.
    EXPECT_GT(found, count);
    EXPECT_GT(transparent, found / 2);
    TBitmap untouched(3, 3);
    for (int i : {-1, count, 1000000}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(GetSysIcon(i, false, untouched));
        EXPECT_EQ(untouched.Width(), 3);
    }
}

TEST(SysIcons, FilesAndFoldersHaveIconsAlsoWhenTheyDoNotExist)
{
    Application->Initialize();
    const String dir = Test_Folder("sys_icons");
    const String file = PathJoin(dir, "notes.txt");
    WriteFileAtomic(file, "x");
    for (const String& path : {dir, file, PathJoin(dir, "missing.txt"), PathJoin(dir, "no such folder")}) {
        SCOPED_TRACE(path);
        for (bool large : {false, true}) {
            TBitmap icon;
            ASSERT_TRUE(GetSysFileIcon(path, large, icon));
            EXPECT_EQ(icon.Width(), large ? 32 : 16);
            EXPECT_GT(DrawOnMagenta(icon).painted, 0);
        }
    }
    TBitmap none;
    EXPECT_FALSE(GetSysFileIcon("", false, none));
    EXPECT_TRUE(none.Empty());
}
}  // namespace
