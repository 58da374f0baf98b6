// LoRaWAN_SetAccess.xml as another PC or an older version wrote it, read as the LoRaWAN
// editor reads it at a showing, with the FPort fixed (256 rows per table) and variable
// (223 rows). A file it refuses is refused with one of our errors; a file it takes is
// written whole and reads back to the very same file.
#include "editors/fieldbus/ULoRa_Set_Access_Desc.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

fuzz::TTables* Fixed = nullptr;
fuzz::TTables* Variable = nullptr;

// The tables as a showing with a payload size of 51 and this FPort mode makes them.
fuzz::TTables* Tables(bool FPortFixed)
{
    TEditorContext Context;
    Context.Settings["LoRa_Payload_Size"] = "51";
    Context.Settings["LoRa_FPort"] = FPortFixed ? "Fixed" : "Variable";
    TEditorDesc d = LoRa_Set_Access_Desc();
    for (TTableDesc& t : d.Tables) t.Rows = FPortFixed ? LoRa::Rows_Fixed : LoRa::Rows_Variable;
    return new fuzz::TTables(d, Context);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    Fixed = Tables(true);
    Variable = Tables(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Fixed->Run(fuzz::Bytes(Data, Size), "LoRaWAN_SetAccess.xml");
    Variable->Run(fuzz::Bytes(Data, Size), "LoRaWAN_SetAccess.xml");
    return 0;
}
