// The settings file Ruduziv.xml as an older version or another PC left it. Reading it must
// never fail, what was read must come back the same after the program writes the file and
// reads it again (closing the main window does exactly that), and a last configuration
// the start-up would reopen must lie inside PROJECTS.
#include "fuzz/FuzzCommon.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UNew_Project.h"

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
    Projects_Path = PathJoin(Exe_Path, "PROJECTS");
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

    // The last configuration is reopened only by a name that stays inside PROJECTS.
    if (Valid_Configuration_Name(First.Project)) {
        const std::filesystem::path Folder =
            std::filesystem::path(PathJoin(Projects_Path, First.Project)).lexically_normal();
        fuzz::Check(Folder.parent_path() == std::filesystem::path(Projects_Path) && Folder.filename() == First.Project,
                    "a configuration name that is taken names a folder of PROJECTS", First.Project);
    }
    return 0;
}
