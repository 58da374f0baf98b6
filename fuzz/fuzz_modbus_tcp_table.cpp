// ModbusTCPM_SetAccess.xml as another PC or an older version wrote it, read as the Modbus
// TCP master editor reads it at a showing (its hidden topic column reads an index and is
// written as one). A file it refuses is refused with one of our errors; a file it takes
// is written whole and reads back to the very same file.
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access_Desc.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

fuzz::TTables* Tables = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    TEditorDesc Desc = Modbus_TCP_Master_Set_Access_Desc();
    TEditorContext Context;
    Desc.Read_Context(Context);
    Tables = new fuzz::TTables(std::move(Desc), Context);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Tables->Run(fuzz::Bytes(Data, Size), "ModbusTCPM_SetAccess.xml");
    return 0;
}
