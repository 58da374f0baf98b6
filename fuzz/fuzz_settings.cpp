// The settings file Ruduziv.xml as an older version or another PC left it. Reading it must
// never fail, and what was read must come back the same after the program writes the file
// and reads it again (closing the main window does exactly that).
#include "fuzz/FuzzCommon.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"

namespace {

struct TSettings {
    String Project, Address, Language;
    bool Internet, Update, Jump, Auto_Size;
    bool operator==(const TSettings&) const = default;
};

TSettings Current()
{
    return {Project_Name, Last_IP_Address, Language_Name, Enable_Internet, Enable_Update, Enable_Jump_Field_Tables,
            Double_Click_Auto_Size};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Exe_Path = fuzz::Scratch_Folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const String File = PathJoin(Exe_Path, "Ruduziv.xml");
    WriteFileAtomic(File, fuzz::Bytes(Data, Size));

    TXMLDocument Doc;
    Read_Settings_File(Doc);
    const TSettings First = Current();

    Write_Settings_File(Doc);
    Read_Settings_File(Doc);
    const TSettings Again = Current();
    fuzz::Check(Again == First, "the settings survive a write and a read",
                "project \"" + First.Project + "\" / \"" + Again.Project + "\", address \"" + First.Address +
                    "\" / \"" + Again.Address + "\", language \"" + First.Language + "\" / \"" + Again.Language + "\"");
    return 0;
}
