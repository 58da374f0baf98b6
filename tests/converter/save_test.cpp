// Writing the images into the configuration's bin folder, and the road of the update
// step on the open configuration: build, then save, with every failure reported and the
// earlier images kept.
#include "ImageTestUtil.h"

#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"

namespace {
using namespace image_test;

class SaveImages : public TConfigTest {
protected:
    void SetUp() override
    {
        TConfigTest::SetUp();
        Bin = PathJoin(Folder, "bin");
        Bank1 = PathJoin(Bin, "bank1.bin");
        Bank2 = PathJoin(Bin, "bank2.bin");
    }
    void TearDown() override
    {
        SetWriteFailureForTest(0);
        TConfigTest::TearDown();
    }
    static std::vector<uint8_t> Read(const std::string& path)
    {
        const std::string s = ReadFileBytes(path);
        return std::vector<uint8_t>(s.begin(), s.end());
    }
    // An earlier pair of images, recognisable by its bytes.
    void Put_Old_Images()
    {
        std::filesystem::create_directories(Bin);
        WriteFileAtomic(Bank1, "old bank 1");
        WriteFileAtomic(Bank2, "old bank 2");
    }
    void Expect_Old_Images()
    {
        EXPECT_EQ(ReadFileBytes(Bank1), "old bank 1");
        EXPECT_EQ(ReadFileBytes(Bank2), "old bank 2");
    }
    std::string Bin, Bank1, Bank2;
};

TEST_F(SaveImages, WritesBothFilesWholeIntoTheBinFolder)
{
    Write(ParGen, Fixture("ParGen_defaults.xml"));
    const TBin_Images im = Build();
    Save_Bin_Files(im, Bin);   // the folder is created when missing
    EXPECT_EQ(Read(Bank1), im.Bank1);
    EXPECT_EQ(Read(Bank2), im.Bank2);

    Put_Old_Images();   // replaced whole, whatever was there
    Save_Bin_Files(im, Bin);
    EXPECT_EQ(Read(Bank1), im.Bank1);
    EXPECT_EQ(Read(Bank2), im.Bank2);
    EXPECT_EQ(FindFiles(Bin).size(), 2u) << "no temporary files are left";
}

TEST_F(SaveImages, AFailedSaveIsReportedAndKeepsTheOldImages)
{
    const TBin_Images im = Build();
    for (int failing_write : {1, 2}) {   // bank1.bin, then bank2.bin cannot be written
        Put_Old_Images();
        SetWriteFailureForTest(failing_write);
        EXPECT_THROW(Save_Bin_Files(im, Bin), EInOutError) << "write " << failing_write;
        SetWriteFailureForTest(0);
        Expect_Old_Images();
        EXPECT_EQ(FindFiles(Bin).size(), 2u);
    }

    // Without earlier images, a half-done save leaves none.
    std::filesystem::remove_all(Bin);
    SetWriteFailureForTest(2);
    EXPECT_THROW(Save_Bin_Files(im, Bin), EInOutError);
    SetWriteFailureForTest(0);
    EXPECT_FALSE(FileExists(Bank1));
    EXPECT_FALSE(FileExists(Bank2));

    // A file where the folder should be.
    std::filesystem::remove_all(Bin);
    WriteFileAtomic(Bin, "not a folder");
    EXPECT_THROW(Save_Bin_Files(im, Bin), EInOutError);

    EXPECT_THROW(Save_Bin_Files(TBin_Images(), Folder), EInvalidArgument) << "images never built";
}

TEST_F(SaveImages, UpdateRoadOnTheOpenConfiguration)
{
    Project_Path = Folder;
    FileName_ParGen = ParGen;
    FileName_KNX_SetAccess = KNX;
    FileName_LoRaWAN_SetAccess = LoRaWAN;
    Bin_Images = TBin_Images();
    EXPECT_THROW(Save_Bin_Files(), EInvalidOperation) << "nothing built yet";

    Write(ParGen, Fixture("ParGen_defaults.xml"));
    Write(KNX, Fixture("KNX_SetAccess.xml"));
    Write(LoRaWAN, Fixture("LoRaWAN_SetAccess.xml"));
    ASSERT_TRUE(Check_Config_LoraWAN());
    Build_Bin_Images();
    Save_Bin_Files();
    const TBin_Images built = Build();
    EXPECT_EQ(Bin_Images.Bank1, built.Bank1);
    EXPECT_EQ(Read(Bank1), built.Bank1);
    EXPECT_EQ(Read(Bank2), built.Bank2);

    // A taken KNX row without its Length: the build stops, nothing is written, and the
    // images of the last good build stay in memory.
    std::string broken = Fixture("KNX_SetAccess.xml");
    const auto at = broken.find(" Length=\"4\"");
    ASSERT_NE(at, std::string::npos);
    broken.erase(at, 11);
    Write(KNX, broken);
    Write(ParGen, ParGen_With({{"Ethernet_IP4", "99"}}));
    EXPECT_THROW(
        {
            Build_Bin_Images();
            Save_Bin_Files();
        },
        EXmlError);
    EXPECT_EQ(Bin_Images.Bank1, built.Bank1);
    EXPECT_EQ(Read(Bank1), built.Bank1);
    EXPECT_EQ(Read(Bank2), built.Bank2);

    Project_Path.clear();
    EXPECT_THROW(Save_Bin_Files(), EInvalidOperation) << "no configuration open";
    FileName_ParGen.clear();
    FileName_KNX_SetAccess.clear();
    FileName_LoRaWAN_SetAccess.clear();
    Bin_Images = TBin_Images();
}

}   // namespace
