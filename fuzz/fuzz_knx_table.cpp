// KNX_SetAccess.xml as another PC or an older version wrote it, read as the KNX editor
// reads it at a showing. A file it refuses is refused with one of our errors; a file it
// takes is written whole and reads back to the very same file.
#include "editors/fieldbus/UKNXAccess_Desc.h"
#include "fuzz/FuzzTables.h"
#include "shell/ULanguage.h"

namespace {

fuzz::TTables* Tables = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    TEditorContext Context;
    Context.Numbers[KNX::Data_Size_Number] = KNX::Data_Size;
    Tables = new fuzz::TTables(KNX_Access_Desc(), Context);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    Tables->Run(fuzz::Bytes(Data, Size), "KNX_SetAccess.xml");
    return 0;
}
