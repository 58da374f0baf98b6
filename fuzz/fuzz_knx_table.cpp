// KNX_SetAccess.xml as another PC or an older version wrote it, read as the KNX editor
// reads it at a showing. A file it refuses is refused with one of our errors; a file it
// takes is written whole and reads back to the very same file.
#include "editors/fieldbus/UFieldbusDescs.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

int Max_Num_Byte = KNX::Data_Size;
char Decimal_Sep = '.';
fuzz::TTables* Tables = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    Tables = new fuzz::TTables(KNX_Access_Desc(Max_Num_Byte, Decimal_Sep));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Tables->Run(fuzz::Bytes(Data, Size), "KNX_SetAccess.xml");
    return 0;
}
