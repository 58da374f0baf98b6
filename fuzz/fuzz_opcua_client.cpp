// OPC_UA_Client.xml as another PC, an older version or a hand wrote it, read as the OPC UA
// client editor reads it at a showing. A file it refuses is refused with one of our
// errors; what was read before passes the checks and the automatic positions without
// harm, and a file that loads is written and reads back to the very same file.
#include "editors/network/opcua/UOPC_UA_Client_Data.h"
#include "fuzz/FuzzCommon.h"
#include "shell/ULanguage.h"

namespace {

bool Load(TOPC_UA_Server_List& Servers, const String& File)
{
    try {
        TXMLDocument Doc;
        Doc.LoadFromFile(File);
        Read_OPC_UA_Client(Doc, Servers);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

String Written(const TOPC_UA_Server_List& Servers)
{
    TXMLDocument Doc;
    Write_OPC_UA_Client(Doc, Servers);
    return Doc.SaveToXML();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Load_Default_Texts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Bytes, size_t Size)
{
    const String File = PathJoin(fuzz::Scratch_Folder(), "OPC_UA_Client.xml");
    WriteFileAtomic(File, fuzz::Bytes(Bytes, Size));
    TOPC_UA_Server_List Servers;
    const bool Loaded = Load(Servers, File);
    // What was read before a refusal is what OK checks and writes.
    (void)Check_OPC_UA_Client(Servers);
    for (size_t i = 0; i < Servers.size(); ++i) Auto_Position(Servers, i);
    if (!Loaded) return 0;
    const String First = Written(Servers);
    WriteFileAtomic(File, First);
    TOPC_UA_Server_List Again;
    if (!Load(Again, File)) fuzz::Fail("the written file loads again", fuzz::Printable(First));
    const String Second = Written(Again);
    fuzz::Check(First == Second, "write -> load -> write gives the same bytes",
                fuzz::Printable(First) + "\n*** " + fuzz::Printable(Second));
    return 0;
}
