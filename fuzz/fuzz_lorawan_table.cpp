// LoRaWAN_SetAccess.xml as another PC or an older version wrote it, read as the LoRaWAN
// editor reads it at a showing, with the FPort fixed (256 rows per table) and variable
// (223 rows). A file it refuses is refused with one of our errors; a file it takes is
// written whole and reads back to the very same file.
#include "editors/fieldbus/UFieldbusDescs.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

int MaxPayloadSize = 51;
bool FPort_Fixed = true, FPort_Variable = false;
fuzz::TTables* Fixed = nullptr;
fuzz::TTables* Variable = nullptr;

TEditorDesc Desc(const bool& FPortFixed)
{
    TEditorDesc d = LoRa_Set_Access_Desc(MaxPayloadSize, FPortFixed);
    for (TTableDesc& t : d.Tables) t.Rows = FPortFixed ? LoRa::Rows_Fixed : LoRa::Rows_Variable;
    return d;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    Fixed = new fuzz::TTables(Desc(FPort_Fixed));
    Variable = new fuzz::TTables(Desc(FPort_Variable));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Fixed->Run(fuzz::Bytes(Data, Size), "LoRaWAN_SetAccess.xml");
    Variable->Run(fuzz::Bytes(Data, Size), "LoRaWAN_SetAccess.xml");
    return 0;
}
