#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/Files.h"
#include "platform/os/Regional.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed with everything in it afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/conf_os_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = std::string(tmpl) + "/";
    }
    void TearDown() override
    {
        SetWriteFailureForTest(0);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::vector<std::string> Names(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& r : FindFiles(folder)) names.push_back(r.Name);
        return names;
    }
    std::string dir;
};

TEST(Paths, SplitAndJoin)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* ext;
        const char* withBin;   // ChangeFileExt(path, ".bin")
    };
    const Case cases[] = {
        {"/opt/conf/PROJECTS/Plant/ParGen.xml", "/opt/conf/PROJECTS/Plant/", "ParGen.xml", ".xml",
         "/opt/conf/PROJECTS/Plant/ParGen.bin"},
        {"ParGen.xml", "", "ParGen.xml", ".xml", "ParGen.bin"},
        {"/opt/conf.d/README", "/opt/conf.d/", "README", "", "/opt/conf.d/README.bin"},
        {"/opt/conf/", "/opt/conf/", "", "", "/opt/conf/.bin"},
        {"archive.tar.gz", "", "archive.tar.gz", ".gz", "archive.tar.bin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ExtractFilePath(c.path), c.folder);
        EXPECT_EQ(ExtractFileName(c.path), c.name);
        EXPECT_EQ(ExtractFileExt(c.path), c.ext);
        EXPECT_EQ(ChangeFileExt(c.path, ".bin"), c.withBin);
    }
    EXPECT_EQ(ChangeFileExt("LANGUAGE/English.lng", ""), "LANGUAGE/English");

    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/conf"), "/opt/conf/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/opt/conf/"), "/opt/conf/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/opt/conf/"), "/opt/conf");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(PathJoin("/opt/conf", "MASTER"), "/opt/conf/MASTER");
    EXPECT_EQ(PathJoin("/opt/conf/", "/MASTER"), "/opt/conf/MASTER");
    EXPECT_EQ(PathJoin("", "MASTER"), "MASTER");
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "test_platform_os"));
    EXPECT_EQ(fs::canonical(folder), fs::canonical(fs::read_symlink("/proc/self/exe").parent_path()));
}

TEST_F(FilesTest, FoldersAreCreatedDeletedAndToldApartFromFiles)
{
    const std::string deep = dir + "PROJECTS/Plant/bin";
    EXPECT_FALSE(CreateDir(deep));   // one level only: the parents are missing
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + "/"));   // already there
    EXPECT_FALSE(CreateDir(deep));               // exists
    EXPECT_FALSE(FileExists(deep));

    const std::string file = dir + "PROJECTS/Plant/ParGen.xml";
    WriteFileAtomic(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(ForceDirectories(file + "/sub"));   // a file stands in the way
    EXPECT_FALSE(DeleteFile(deep));                  // folders are not files
    EXPECT_TRUE(RenameFile(file, dir + "moved.xml"));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(DeleteFile(dir + "moved.xml"));
    EXPECT_FALSE(DeleteFile(dir + "moved.xml"));
    EXPECT_TRUE(RemoveDir(deep));
    EXPECT_FALSE(DirectoryExists(deep));
}

TEST_F(FilesTest, ListingMarksHiddenFoldersAndSpecialEntries)
{
    ASSERT_TRUE(CreateDir(dir + "Plant_B"));
    ASSERT_TRUE(CreateDir(dir + "plant_a"));
    ASSERT_TRUE(CreateDir(dir + ".cache"));
    WriteFileAtomic(dir + "English.lng", "STR 1 = One\n");
    WriteFileAtomic(dir + ".settings", "");
    ASSERT_EQ(::mkfifo((dir + "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("Plant_B", (dir + "link").c_str()), 0);

    const auto list = FindFiles(dir);
    std::vector<std::string> names;
    for (const auto& r : list) names.push_back(r.Name);
    EXPECT_EQ(names, (std::vector<std::string>{".cache", ".settings", "English.lng", "link", "pipe", "plant_a",
                                               "Plant_B"}));
    auto rec = [&](const std::string& n) {
        for (const auto& r : list)
            if (r.Name == n) return r;
        return TSearchRec{};
    };
    EXPECT_TRUE(rec(".cache").IsFolder);
    EXPECT_EQ(rec(".cache").Attr, unsigned(faHidden | faDirectory));
    EXPECT_EQ(rec(".settings").Attr, unsigned(faHidden));
    EXPECT_EQ(rec("English.lng").Attr, 0u);
    EXPECT_EQ(rec("English.lng").Size, 12);
    EXPECT_GT(rec("English.lng").Time, 1600000000);
    EXPECT_EQ(rec("pipe").Attr, unsigned(faSysFile));
    EXPECT_TRUE(rec("link").IsFolder);
    EXPECT_EQ(rec("link").Attr, unsigned(faDirectory | faSymLink));
    EXPECT_EQ(rec("Plant_B").Attr, unsigned(faDirectory));
    EXPECT_EQ(rec("Plant_B").Size, 0);

    EXPECT_TRUE(FindFiles(dir + "missing").empty());
}

TEST_F(FilesTest, BytesRoundTripAndMissingFileRaisesOpenError)
{
    const std::string bytes("\xEF\xBB\xBF\0\r\n\xFF ok", 9);
    WriteFileAtomic(dir + "bank1.bin", bytes);
    EXPECT_EQ(ReadFileBytes(dir + "bank1.bin"), bytes);
    WriteFileAtomic(dir + "bank1.bin", "");
    EXPECT_EQ(ReadFileBytes(dir + "bank1.bin"), "");

    try {
        ReadFileBytes(dir + "none.xml");
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(dir + "none.xml"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadFileBytes(dir), EFOpenError);   // a folder is no file
}

TEST_F(FilesTest, RewriteKeepsPermissionsAndFollowsLinks)
{
    const std::string file = dir + "Ruduziv.xml";
    WriteFileAtomic(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    WriteFileAtomic(file, "new");
    EXPECT_EQ(ReadFileBytes(file), "new");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ASSERT_EQ(::symlink("Ruduziv.xml", (dir + "alias.xml").c_str()), 0);
    WriteFileAtomic(dir + "alias.xml", "through the link");
    EXPECT_TRUE(fs::is_symlink(dir + "alias.xml"));
    EXPECT_EQ(ReadFileBytes(file), "through the link");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"alias.xml", "Ruduziv.xml"}));
}

TEST_F(FilesTest, FailedWriteLeavesPreviousFileAndNoTemporaryFile)
{
    const std::string file = dir + "KNX_SetAccess.xml";
    const std::string previous = "<KNX_to_LoRaWAN/>\n";
    WriteFileAtomic(file, previous);

    // Three chunks; the disk "fills up" on the second one.
    const std::string big(WriteChunkSize * 2 + 100, 'r');
    SetWriteFailureForTest(2);
    try {
        WriteFileAtomic(file, big);
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFileBytes(file), previous);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"KNX_SetAccess.xml"});

    // The hook fires once: the next save goes through whole.
    WriteFileAtomic(file, big);
    EXPECT_EQ(ReadFileBytes(file), big);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"KNX_SetAccess.xml"});
}

TEST_F(FilesTest, WriteIntoMissingOrReadOnlyFolderFails)
{
    EXPECT_THROW(WriteFileAtomic(dir + "nofolder/ParGen.xml", "x"), EFCreateError);
    ASSERT_TRUE(CreateDir(dir + "sub"));
    EXPECT_THROW(WriteFileAtomic(dir + "sub", "x"), EFCreateError);   // a folder of that name
    EXPECT_TRUE(DirectoryExists(dir + "sub"));
    if (::geteuid() != 0) {   // root writes anywhere
        WriteFileAtomic(dir + "sub/ParGen.xml", "kept");
        ASSERT_EQ(::chmod((dir + "sub").c_str(), 0555), 0);
        EXPECT_THROW(WriteFileAtomic(dir + "sub/ParGen.xml", "lost"), EInOutError);
        ::chmod((dir + "sub").c_str(), 0755);
        EXPECT_EQ(ReadFileBytes(dir + "sub/ParGen.xml"), "kept");
    }
}

TEST(Regional, DecimalSeparatorComesFromLocaleUnlessOverridden)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(GetDecimalSeparator(), '.');
    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);   // not installed: the default
    EXPECT_EQ(GetDecimalSeparator(), '.');
    SetDecimalSeparatorOverride(',');
    EXPECT_EQ(GetDecimalSeparator(), ',');
    SetDecimalSeparatorOverride(0);
    EXPECT_EQ(GetDecimalSeparator(), '.');
    if (saved) ::setenv("LC_ALL", keep.c_str(), 1);
    else ::unsetenv("LC_ALL");
}

}  // namespace
