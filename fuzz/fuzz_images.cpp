// The image builder over a configuration folder copied from anywhere: the input holds
// ParGen.xml, KNX_SetAccess.xml and LoRaWAN_SetAccess.xml in this order, separated by a
// line "---8<---"; a file the input does not reach is missing. A build either refuses the
// folder with an error the application can show, or gives two whole images.
#include "converter/UBinImages.h"
#include "converter/UBinLayout.h"
#include "fuzz/FuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::vector<fuzz::TPart> Parts = fuzz::Split_Parts(fuzz::Bytes(Data, Size), 3);
    const String Folder = fuzz::Scratch_Folder();
    const String ParGen = PathJoin(Folder, "ParGen.xml");
    const String KNX = PathJoin(Folder, "KNX_SetAccess.xml");
    const String LoRaWAN = PathJoin(Folder, "LoRaWAN_SetAccess.xml");
    fuzz::Put_File(ParGen, Parts[0]);
    fuzz::Put_File(KNX, Parts[1]);
    fuzz::Put_File(LoRaWAN, Parts[2]);

    try {
        Check_Config_LoraWAN(ParGen, LoRaWAN);
    } catch (const Exception&) {
    }

    TBin_Images Images;
    try {
        Images = Build_Bin_Images(ParGen, KNX, LoRaWAN);
    } catch (const Exception&) {
        return 0;
    }
    fuzz::Check(Images.Bank1.size() == Bank1_Size && Images.Bank2.size() == Bank2_Size, "both images are whole");
    uint32_t Sum = 0;
    for (int i = 0; i < Bank1_Ofs::Checksum; ++i) Sum += Images.Bank1[static_cast<size_t>(i)];
    fuzz::Check(Get_U32(Images.Bank1.data() + Bank1_Ofs::Checksum) == Sum, "bank1.bin carries its checksum");
    fuzz::Check(Get_U32(Images.Bank1.data() + Bank1_Ofs::KNX_Count) <= KNX_Entries, "the KNX count fits its table");
    const uint8_t* LoRa = Images.Bank2.data() + LoRaWAN_Block_Offset;
    const auto U16 = [](const uint8_t* p) { return p[0] | p[1] << 8; };
    fuzz::Check(U16(LoRa + 80) <= LoRaWAN_Entries && U16(LoRa + 82) <= LoRaWAN_Entries,
                "the uplink and downlink counts fit their tables");
    return 0;
}
